// The restart offered by OK: the question, the route chosen by the edition, the privilege handling
// and what the page does with each answer.
#include <algorithm>

#include "page/PageFixture.h"
#include "support/SystemRecorder.h"
#include "template/Restart.h"

namespace page_tests {
namespace {

constexpr std::int32_t kAllEditions = 0x1FFF;
using contract::kCannotRestart;
const std::string kQuestion = contract::kRestartQuestion;

// Reboot (2), the reason operating system (0x00020000), reconfiguration (0x4), planned (0x80000000).
const std::string kExit = "exit 2 " + std::to_string(0x80020004u);
const std::vector<std::string> kEnableDisable = {
    "open 40", "lookup SeShutdownPrivilege", "adjust 2 keep 16 0", "close", kExit,
    "open 40", "lookup SeShutdownPrivilege", "adjust 0 keep 16 0", "close"};
const std::vector<std::string> kEnableOnly = {"open 40", "lookup SeShutdownPrivilege", "adjust 2 keep 16 0",
                                              "close", kExit};
const std::vector<std::string> kPlainRequest = {"open 40", kExit};

class RestartTest : public PageTest {
  protected:
    // OK pressed with the question answered Yes or No.
    TFormNamtail& PressOk(std::int32_t edition, bool answerYes) {
        auto& page = Create(edition, kAllEditions);
        boxes.AnswerYes(answerYes);
        boxes.Clear();
        system.calls.clear();
        page.cboAliasNamen().SetChecked(true);
        Click(page, "HotSpeedButtonOK");
        return page;
    }

    SystemRecorder system;
};

TEST_F(RestartTest, QuestionIsGermanInEveryLanguageAndNoEndsItWithoutRequest) {
    auto listener = Listener::Make();
    for (std::int32_t language : {0, 1}) {
        auto& page = Create(kWindowsXP, kAllEditions, language);
        boxes.Clear();
        system.calls.clear();
        listener->received.clear();
        page.cboAliasNamen().SetChecked(true);
        Click(page, "HotSpeedButtonOK");
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].kind, MessageBoxKind::Confirm);
        EXPECT_EQ(boxes.Shown()[0].text, kQuestion);
        EXPECT_TRUE(system.calls.empty());
        // The OK action goes on whatever the answer.
        EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
        EXPECT_TRUE(TipState.Saved);
        EXPECT_EQ(listener->received, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                                          {contract::kApplied, contract::kAppliedChanges}}));
        EXPECT_TRUE(page.Visible());
        ModulFree();
    }
}

// Every system with access tokens refuses a reboot without the shutdown privilege, whatever edition
// the host names; where OpenProcessToken is not implemented (95, 98, ME) the plain request is made.
TEST_F(RestartTest, PrivilegeIsEnabledAroundTheRequestWhereTokensExistElseThePlainRequest) {
    for (bool tokens : {true, false}) {
        system.noTokens = !tokens;
        for (std::int32_t edition : {0, 9, 10, 11, 12, 13, 14}) {
            SCOPED_TRACE(testing::Message()
                         << "edition " << edition << (tokens ? " with" : " without") << " tokens");
            auto& page = PressOk(edition, true);
            EXPECT_EQ(system.calls, tokens ? kEnableDisable : kPlainRequest);
            EXPECT_EQ(system.OpenTokens(), 0);
            // An accepted request hides the window; the OK action still finishes.
            EXPECT_FALSE(page.Visible());
            EXPECT_TRUE(boxes.Texts(MessageBoxKind::Plain).empty());
            EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
            EXPECT_TRUE(TipState.Saved);
            ModulFree();
        }
    }
}

// The host's own setting of the privilege outlives the request, accepted or refused.
TEST_F(RestartTest, ShutdownPrivilegeIsEnabledForTheRequestThenLeftAsTheHostHadIt) {
    const bool original = PrivilegeEnabled("SeShutdownPrivilege");
    bool enabledAtRequest = false;
    system.onShutdown = [&] { enabledAtRequest = PrivilegeEnabled("SeShutdownPrivilege"); };
    for (bool before : {false, true}) {
        for (bool accept : {true, false}) {
            SCOPED_TRACE(testing::Message() << (before ? "enabled" : "disabled") << " before, "
                                            << (accept ? "accepted" : "refused"));
            EXPECT_TRUE(SetTokenPrivilege("SeShutdownPrivilege", before));
            EXPECT_EQ(PrivilegeEnabled("SeShutdownPrivilege"), before);
            system.acceptShutdown = accept;
            enabledAtRequest = false;
            PressOk(10, true);
            EXPECT_TRUE(enabledAtRequest);
            EXPECT_EQ(system.calls, before ? kEnableOnly : kEnableDisable);
            EXPECT_EQ(PrivilegeEnabled("SeShutdownPrivilege"), before);
            ModulFree();
        }
    }
    SetTokenPrivilege("SeShutdownPrivilege", original);
}

TEST_F(RestartTest, RefusedRequestOrUnavailablePrivilegeKeepsTheWindowAndSaysSo) {
    system.acceptShutdown = false;
    auto& refused = PressOk(13, true);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain), std::vector<std::string>{kCannotRestart});
    EXPECT_TRUE(refused.Visible());
    ModulFree();

    system.acceptShutdown = true;
    system.failLookup = true;
    auto& noLookup = PressOk(11, true);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain), std::vector<std::string>{kCannotRestart});
    EXPECT_EQ(system.calls, (std::vector<std::string>{"open 40", "lookup SeShutdownPrivilege", "close"}));
    EXPECT_TRUE(noLookup.Visible());
    EXPECT_TRUE(TipState.Saved);
    ModulFree();

    system.failLookup = false;
    system.failTokenOpen = true;
    for (std::int32_t edition : {10, 13}) {  // a token that will not open is no system without tokens
        PressOk(edition, true);
        EXPECT_EQ(system.calls, std::vector<std::string>{"open 40"});
        EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain), std::vector<std::string>{kCannotRestart});
        ModulFree();
    }
}

TEST_F(RestartTest, TokenPrivilegeOfAnUnknownNameFailsAndClosesTheToken) {
    EXPECT_FALSE(SetTokenPrivilege("SeNoSuchPrivilege", true));
    EXPECT_EQ(system.calls, (std::vector<std::string>{"open 40", "lookup SeNoSuchPrivilege", "close"}));
    EXPECT_TRUE(SetTokenPrivilege("SeShutdownPrivilege", false));
    EXPECT_EQ(system.OpenTokens(), 0);
}

TEST_F(RestartTest, SaveChangesAsksTheSameQuestionOnceEvenWhenAskedAgainWhileItIsOpen) {
    auto& page = Create(kWindowsXP, kAllEditions);
    boxes.Clear();
    boxes.AnswerYes(true);
    // A host's timer saving, and a click on OK, while the question is open: neither asks again.
    std::vector<int> savedInside;
    boxes.onShown = [&](const ShownBox& box) {
        if (box.kind != MessageBoxKind::Confirm || !savedInside.empty()) return;
        savedInside.push_back(ModulSaveChanges());
        Click(page, "HotSpeedButtonOK");
    };
    EXPECT_EQ(ModulSaveChanges(), 1);
    boxes.onShown = nullptr;
    EXPECT_EQ(savedInside, std::vector<int>{1});
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm), std::vector<std::string>{kQuestion});
    EXPECT_EQ(std::count_if(system.calls.begin(), system.calls.end(),
                            [](const std::string& call) { return call.rfind("exit ", 0) == 0; }),
              1)
        << "one restart asked for";
    // Once it has ended, OK runs again.
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm).size(), 2u);
}

TEST_F(RestartTest, FailedWriteAsksNothing) {
    auto& page = Create(kWindowsXP, kAllEditions);
    SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, true);
    boxes.Clear();
    page.cboAliasNamen().SetChecked(true);
    Click(page, "HotSpeedButtonOK");
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Confirm).empty());
    EXPECT_TRUE(system.calls.empty());
}

}  // namespace
}  // namespace page_tests
