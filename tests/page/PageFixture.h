#pragma once
// A clean registry and module state for each page test, with every message box answered.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "Namtail.h"
#include "host/Module.h"
#include "page/Unit1.h"
#include "support/Contract.h"
#include "support/TestSupport.h"

namespace page_tests {

using namespace platform;
using namespace testing_support;

using contract::kWindowsXP;
using contract::kWindowsXPBit;

// Another top-level window that listens on the host message, like a host would.
inline const FormDescription kListener = {"frmListener", nullptr, {}, {}};

class Listener : public Form {
  public:
    // A host's window exists whether or not it shows: its handle is asked for, which makes it.
    static std::unique_ptr<Listener> Make() {
        auto listener = Form::Create<Listener>();
        listener->Handle();
        return listener;
    }

    std::vector<std::pair<std::int32_t, std::int32_t>> received;
    // What the host does on each notification, if anything.
    std::function<void(std::int32_t code)> onNotification;

    // A host that frees the page when told that OK was applied.
    void FreeThePageOnApplied() {
        onNotification = [](std::int32_t code) {
            if (code == contract::kApplied) {
                EXPECT_EQ(ModulFree(), 1);
            }
        };
    }

    void HostCommand(std::int32_t code, std::int32_t argument) override {
        received.emplace_back(code, argument);
        if (onNotification) onNotification(code);
    }

  private:
    friend class Form;
    // As a host does: it registers the message itself, before or after any page.
    Listener() : Form(kListener) { ListenOn(ActiveBackend().RegisterMessage("Quandeo")); }
};

class PageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ModulFree();
        auto hostMessage = TipState.HostMessage;
        TipState = TTipState{};
        TipState.HostMessage = hostMessage;
        DeleteKeyTree(RootKey::CurrentUser, contract::kSuiteKey);
        SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, false);
        CreateKey(RootKey::LocalMachine, contract::kFileSystemKey);
        Registry reg(RootKey::LocalMachine);
        reg.OpenKey(contract::kFileSystemKey, false);
        reg.DeleteValue(contract::kNameNumericTail);
        boxes.Clear();
    }
    void TearDown() override {
        ModulFree();
        SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, false);
    }

    TFormNamtail& Create(std::int32_t edition = kWindowsXP, std::int32_t validFor = kWindowsXPBit,
                         std::int32_t language = 1, std::int32_t helpId = 1) {
        ModulCreate(100, 50, 300, 460, edition, language, "Alias names", "hint", validFor, helpId);
        TFormNamtail* page = CurrentPage();
        if (!page) throw std::runtime_error("no page");
        return *page;
    }
    void SetTail(const StoredValue& value) {
        SetValue(RootKey::LocalMachine, contract::kFileSystemKey, contract::kNameNumericTail, value);
    }
    std::optional<StoredValue> Tail() {
        return GetValue(RootKey::LocalMachine, contract::kFileSystemKey, contract::kNameNumericTail);
    }
    // What a host may count on after letting a page go in any way: ModulFree returns 1, no page
    // window is left, and a new page works.
    void ExpectNothingLeftAndANewPageWorks(int windowsBefore) {
        EXPECT_EQ(ModulFree(), 1);
        EXPECT_EQ(CurrentPage(), nullptr);
        EXPECT_EQ(TipWindowCount(), windowsBefore);
        SetTail(Binary({1}));
        auto& next = Create();
        next.Input().ClickControl(next.cboAliasNamen());
        Click(next, "HotSpeedButtonOK");
        ASSERT_TRUE(Tail().has_value()) << "a new page works";
        EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0});
        EXPECT_EQ(ModulFree(), 1);
        EXPECT_EQ(TipWindowCount(), windowsBefore);
    }
    // The checkbox at its design place, 209 x 17 unless the system's check square or the caption in
    // the checkbox's font needs more, and then no larger than they need.
    static void ExpectCheckBoxFits(const Form& page, const Control& box) {
        const Size square = SystemCheckSquare();
        const int caption = CaptionWidthOnScreen(page, box);
        const Rect& r = box.Bounds();
        EXPECT_EQ(r.left, 28);
        EXPECT_EQ(r.top, 154);
        EXPECT_GE(r.height, std::max(17, square.height)) << "the square lies wholly inside";
        EXPECT_LE(r.height, std::max(17, square.height));
        EXPECT_GE(r.width, std::max(209, square.width + caption)) << "and the caption beside it";
        EXPECT_LE(r.width, std::max(209, square.width + caption + 8)) << "no larger than it takes";
    }
    static Control& Button(TFormNamtail& page, const char* name) { return page.Find<Control>(name); }
    static void Click(TFormNamtail& page, const char* name) { page.Input().ClickControl(Button(page, name)); }

    MessageBoxScript boxes;
};

}  // namespace page_tests
