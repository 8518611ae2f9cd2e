// Making the page through the module's entry points: whether it applies to the edition, the host's
// values as given, the help texts, and calls out of the expected order.
#include "page/PageFixture.h"

namespace page_tests {
namespace {

TEST_F(PageTest, BSControlDecidesWhetherAnInapplicablePageIsDisabled) {
    SetTail(Binary({0}));
    auto& page = Create(kWindowsXP, 1);  // valid for Windows 98 only
    EXPECT_FALSE(TipState.Applicable);
    EXPECT_FALSE(page.cboAliasNamen().Checked()) << "not read when the page does not apply";
    for (const char* name : {"HotSpeedButtonOK", "HotSpeedButtonUndo", "cboAliasNamen", "PanelLeftBorder"})
        EXPECT_FALSE(page.Find<Control>(name).Enabled()) << name;
    for (const char* name :
         {"StaticTextTitle", "MemoHelpD", "MemoHelpUS", "HotSpeedButtonInfo", "HotSpeedButtonRegistry"})
        EXPECT_TRUE(page.Find<Control>(name).Enabled()) << name;
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0})
        << "an inapplicable page neither writes nor deletes";

    SetValue(RootKey::CurrentUser, contract::kSuiteKey, "BSControl", Integer(0));
    auto& usable = Create(kWindowsXP, 1);
    EXPECT_TRUE(TipState.Applicable);
    EXPECT_TRUE(usable.cboAliasNamen().Enabled());
    EXPECT_TRUE(usable.cboAliasNamen().Checked());
}

TEST_F(PageTest, EditionCodesOutsideTheTableHaveNoBit) {
    for (std::int32_t edition : {0, 19, -1}) {
        Create(edition, -1);
        EXPECT_EQ(TipState.EditionBit, 0) << edition;
        EXPECT_FALSE(TipState.Applicable) << edition;
    }
    Create(18, 131072);
    EXPECT_EQ(TipState.EditionBit, 131072);
    EXPECT_TRUE(TipState.Applicable);
    Create(14, 8192);
    EXPECT_TRUE(TipState.Applicable) << "code 14 has no name but takes part in the test";
}

TEST_F(PageTest, WrongTypedBSControlIsReportedAndCountsAsTrue) {
    SetValue(RootKey::CurrentUser, contract::kSuiteKey, "BSControl", Text("0"));
    SetTail(Binary({0}));
    auto& page = Create();
    auto errors = boxes.Texts(MessageBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("BSControl"), std::string::npos);
    EXPECT_TRUE(page.FBSControl);
    EXPECT_TRUE(page.cboAliasNamen().Checked()) << "creation went on and read the setting";
    Create(kWindowsXP, 1);
    EXPECT_FALSE(TipState.Applicable) << "counts as true: the inapplicable page is disabled";
}

TEST_F(PageTest, CreateShowsTheWindowWithTheHostsValuesUnchanged) {
    ModulCreate(-20, -30, 0, 0, kWindowsXP, 2, "Kurznamen", nullptr, kWindowsXPBit, 1);
    auto& page = *CurrentPage();
    EXPECT_EQ(page.Left(), -20);
    EXPECT_EQ(page.Top(), -30);
    EXPECT_EQ(page.Width(), 0);
    EXPECT_EQ(page.Height(), 0);
    EXPECT_TRUE(page.Visible());
    EXPECT_EQ(page.Caption(), "Kurznamen");
    EXPECT_EQ(page.Find<StaticText>("StaticTextTitle").Caption(), "Kurznamen");
    EXPECT_EQ(page.Tag(), kWindowsXP);
    EXPECT_EQ(page.Hint(), "");
    EXPECT_EQ(TipState.HintText, "");
    EXPECT_EQ(page.FHelpId, 1);
    // A hint given is kept as given, by the page and in the state.
    ModulCreate(0, 0, 300, 460, kWindowsXP, 2, "Kurznamen", "Kurznamen \xE4ndern", kWindowsXPBit, 1);
    EXPECT_EQ(CurrentPage()->Hint(), "Kurznamen \xE4ndern");
    EXPECT_EQ(TipState.HintText, "Kurznamen \xE4ndern");
}

TEST_F(PageTest, HelpBoxesComeFromTheHelpLibraryEveryTimeTheWindowShows) {
    auto& page = Create(kWindowsXP, kWindowsXPBit, 2);
    auto& german = page.Find<Memo>("MemoHelpD");
    auto& english = page.Find<Memo>("MemoHelpUS");
    EXPECT_TRUE(german.Visible());
    EXPECT_FALSE(english.Visible());
    ASSERT_FALSE(english.Lines().empty());
    EXPECT_EQ(english.Lines()[0], "Short file names (8.3) without a tilde");
    EXPECT_EQ(german.Lines()[0], "Kurze Dateinamen (8.3) ohne Tilde");
    german.SetText("stale");
    page.Close();
    page.Show();
    EXPECT_EQ(german.Lines()[0], "Kurze Dateinamen (8.3) ohne Tilde");

    auto& unknown = Create(kWindowsXP, kWindowsXPBit, 1, 99);
    EXPECT_TRUE(unknown.Find<Memo>("MemoHelpD").Lines().empty()) << "no text gives an empty box";
}

TEST_F(PageTest, EntryPointsStaySafeOutsideTheCallingOrder) {
    EXPECT_EQ(ModulFree(), 1) << "no page yet";
    EXPECT_EQ(ModulSaveChanges(), 1);
    const int windowsBefore = TipWindowCount();
    Create();
    auto* second = &Create();
    EXPECT_EQ(CurrentPage(), second);
    EXPECT_EQ(TipWindowCount(), windowsBefore + 1) << "a second create without free lets the first page go";
    EXPECT_NE(second->Handle(), nullptr);
    EXPECT_EQ(ModulFree(), 1);
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_EQ(TipWindowCount(), windowsBefore);
    EXPECT_EQ(ModulFree(), 1);
    EXPECT_EQ(ModulSaveChanges(), 1);
}

}  // namespace
}  // namespace page_tests
