// What hosts and users rely on, checked against the values written out in support/Contract.h: the
// page's look as described, the order of the OK action as a receiver of its notification sees it,
// the results of the entry points, and a window destroyed behind the module's back.
#include "page/PageFixture.h"
#include "support/Contract.h"

namespace page_tests {
namespace {

TEST_F(PageTest, DescriptionHasTheSpecifiedPlacesTabOrdersColoursFontsAndImages) {
    auto page = Form::Create<TFormNamtail>();
    EXPECT_EQ(page->Caption(), contract::kPageCaption);
    EXPECT_EQ(page->Find<StaticText>("StaticTextTitle").Caption(), contract::kPageCaption);
    EXPECT_EQ(page->ClientSize().width, contract::kClientWidth);
    EXPECT_EQ(page->ClientSize().height, contract::kClientHeight);
    EXPECT_EQ(page->GetColor(), contract::kWhite);
    EXPECT_EQ(page->GetFont().name, contract::kFontName);
    EXPECT_EQ(page->GetFont().height, contract::kWindowFontHeight);
    EXPECT_FALSE(page->GetFont().bold);

    for (const auto& p : contract::kPlacements) {
        SCOPED_TRACE(p.name);
        const auto& control = page->Find<Control>(p.name);
        if (std::string(p.name) == "cboAliasNamen")
            ExpectCheckBoxFits(*page, control);
        else
            EXPECT_EQ(control.Bounds(), (Rect{p.left, p.top, p.width, p.height}));
        if (p.tabOrder >= 0) {
            EXPECT_EQ(control.TabOrder(), p.tabOrder);
        }
        EXPECT_EQ(control.TabStop(), std::string(p.name) == "cboAliasNamen") << "the page's only tab stop";
        if (p.imageIndex < 0) continue;
        const auto& button = page->Find<THotSpeedButton>(p.name);
        EXPECT_EQ(button.ImageIndex(), p.imageIndex);
        EXPECT_EQ(button.HotImageIndex(), p.imageIndex + 1);
        EXPECT_EQ(button.GetImageList(), &page->Find<ImageList>("ImageList1"));
        EXPECT_TRUE(button.ShowHint());
        EXPECT_EQ(button.Hint(), "") << "hints come with the language";
    }
    const auto& title = page->Find<StaticText>("StaticTextTitle").GetFont();
    EXPECT_EQ(title.name, contract::kFontName);
    EXPECT_EQ(title.height, contract::kTitleFontHeight);
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.color, contract::kTitleBlue);
    for (const char* panel : {"PanelLeftBorder", "PanelTopBorder", "PanelBottomBorder", "PanelRightBorder"})
        EXPECT_EQ(page->Find<Panel>(panel).GetColor(), contract::kBorderBlue) << panel;
    for (const char* memo : {"MemoHelpD", "MemoHelpUS"}) {
        EXPECT_EQ(page->Find<Memo>(memo).GetColor(), contract::kHelpBackground) << memo;
        EXPECT_TRUE(page->Find<Memo>(memo).ReadOnly()) << memo;
        EXPECT_TRUE(page->Find<Memo>(memo).VerticalScrollBar()) << memo;
    }
    EXPECT_EQ(page->Find<Memo>("MemoHelpD").Lines(), contract::kBuiltInGermanHelp);
    EXPECT_EQ(page->Find<Memo>("MemoHelpUS").Lines(), contract::kBuiltInEnglishHelp);
    EXPECT_EQ(page->cboAliasNamen().Caption(), contract::kGerman.checkBox);
    EXPECT_EQ(page->cboAliasNamen().GetColor(), contract::kWhite) << "the window's background";
    EXPECT_EQ(page->Find<ImageList>("ImageList1").Count(), 12);
    EXPECT_EQ(page->Find<ImageList>("ImageList1").Width(), 32);
    const auto& item = page->Find<MenuItem>("Fensterwechseln1");
    EXPECT_EQ(item.Caption(), contract::kGerman.switchWindow);
    EXPECT_EQ(item.ShortCut(), 0x7B) << "F12";
}

TEST_F(PageTest, ReceiverOfTheOkNotificationFindsItSavedAndOkDisabledEvenAfterNo) {
    auto listener = Listener::Make();
    std::vector<std::pair<bool, bool>> seen;  // Saved, OK enabled
    listener->onNotification = [&](std::int32_t code) {
        if (code == contract::kApplied)
            seen.emplace_back(TipState.Saved, Button(*CurrentPage(), "HotSpeedButtonOK").Enabled());
    };
    auto& page = Create();
    ASSERT_FALSE(TipState.Saved);
    Click(page, "HotSpeedButtonOK");  // the restart question is answered No
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm), std::vector<std::string>{contract::kRestartQuestion});
    EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{{true, false}}));
    EXPECT_EQ(listener->received.back(), std::make_pair(contract::kApplied, contract::kAppliedChanges));
}

TEST_F(PageTest, SettingsKeyIsCreatedWhenMissing) {
    ASSERT_FALSE(KeyExists(RootKey::CurrentUser, contract::kSuiteKey));
    Create();
    EXPECT_TRUE(KeyExists(RootKey::CurrentUser, contract::kSuiteKey));
    EXPECT_FALSE(GetValue(RootKey::CurrentUser, contract::kSuiteKey, contract::kBSControl))
        << "nothing is written there";
}

// Every open asks for write access: a settings key the user may only read does not open, and what it
// holds does not count.
TEST_F(PageTest, SettingsKeyThatDoesNotOpenCountsAsNoBSControl) {
    SetValue(RootKey::CurrentUser, contract::kSuiteKey, contract::kBSControl, Integer(0));
    SetKeyReadOnly(RootKey::CurrentUser, contract::kSuiteKey, true);
    struct Writable {
        ~Writable() { SetKeyReadOnly(RootKey::CurrentUser, contract::kSuiteKey, false); }
    } undo;
    auto& page = Create(kWindowsXP, 1);  // the page does not apply to the running edition
    EXPECT_TRUE(page.FBSControl);
    EXPECT_FALSE(TipState.Applicable);
    EXPECT_FALSE(page.cboAliasNamen().Enabled());
    EXPECT_TRUE(boxes.Shown().empty()) << "nothing is reported";
}

TEST_F(PageTest, EntryPointsReturnTheSpecifiedResults) {
    EXPECT_EQ(ModulChanged(), 0);
    EXPECT_EQ(ModulNr(), 2);
    EXPECT_EQ(ModulCreate(10, 10, 300, 460, contract::kWindowsXP, 1, "x", "y", contract::kWindowsXPBit, 1),
              0);
    ASSERT_NE(CurrentPage(), nullptr);
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_TRUE(TipState.Saved);
    EXPECT_EQ(ModulChanged(), 0) << "nothing in this module sets Modified";
    EXPECT_EQ(ModulFree(), 1);

    RefuseWindows(Refusal::PageWindow);
    int result = ModulCreate(10, 10, 300, 460, contract::kWindowsXP, 1, "x", "y", contract::kWindowsXPBit, 1);
    RefuseWindows(Refusal::None);
    EXPECT_EQ(result, 0) << "also when the window cannot be made";
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_EQ(ModulFree(), 1);
    EXPECT_EQ(Create().Caption(), "Alias names") << "the next page works";
}

TEST_F(PageTest, ModulChangedReadsModifiedAndSavedAsSpecified) {
    // Nothing in this module sets Modified; the formula is the suite's, shared by every tip.
    TipState.Modified = true;
    EXPECT_EQ(ModulChanged(), 1);
    TipState.Saved = true;
    EXPECT_EQ(ModulChanged(), 2);
    TipState.Modified = false;
    EXPECT_EQ(ModulChanged(), 0);
}

TEST_F(PageTest, WindowDestroyedBehindTheModulesBackIsLetGo) {
    const int windowsBefore = TipWindowCount();
    auto& page = Create();
    DestroyFromOutside(page.Handle());
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_EQ(TipWindowCount(), windowsBefore);
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(ModulFree(), 1);

    // A host that destroys it while handling the page's own notification.
    auto listener = Listener::Make();
    const int withListener = TipWindowCount();
    listener->onNotification = [&](std::int32_t code) {
        if (code == contract::kApplied && CurrentPage()) DestroyFromOutside(CurrentPage()->Handle());
    };
    auto& second = Create();
    Click(second, "HotSpeedButtonOK");
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_EQ(TipWindowCount(), withListener);
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(ModulFree(), 1);
    listener->onNotification = nullptr;

    auto& third = Create();
    third.Input().ClickControl(third.cboAliasNamen());
    Click(third, "HotSpeedButtonOK");
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0}) << "a new page works";
    EXPECT_EQ(ModulFree(), 1);
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty());
}

}  // namespace
}  // namespace page_tests
