// The alias-name page through the module's entry points, on the backend of this build.
#include "page/PageFixture.h"
#include "template/TemplateImages.h"

namespace page_tests {
namespace {

struct ReadCase {
    const char* name;
    std::optional<StoredValue> stored;
    bool ticked;
};

TEST_F(PageTest, BoxReflectsTheStoredValueByTypeAndContent) {
    const ReadCase cases[] = {
        {"binary 00", Binary({0}), true},    {"binary 01", Binary({1}), false},
        {"integer 0", Integer(0), true},     {"integer 1", Integer(1), false},
        {"text 0", Text("0"), false},        {"missing", std::nullopt, false},
        {"empty binary", Binary({}), false},
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.stored) SetTail(*c.stored);
        auto& page = Create();
        EXPECT_EQ(page.cboAliasNamen().Checked(), c.ticked) << c.name;
        EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << c.name;
        EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty()) << c.name;
        if (c.stored) {
            EXPECT_EQ(Tail()->data, c.stored->data) << c.name << ": nothing written before OK";
        }
    }
}

TEST_F(PageTest, LongBinaryValueIsReportedAndLeavesTheBoxUnticked) {
    SetTail(Binary({0, 0}));
    auto& page = Create();
    EXPECT_FALSE(page.cboAliasNamen().Checked());
    auto errors = boxes.Texts(MessageBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("NameNumericTail"), std::string::npos);
    EXPECT_TRUE(page.Visible()) << "the window is still created and shown";
}

TEST_F(PageTest, OkWritesOneBinaryZeroOrDeletesAndNeverWritesOne) {
    SetTail(Integer(0));
    auto& page = Create();
    Click(page, "HotSpeedButtonOK");
    EXPECT_EQ(Tail()->type, DataType::Binary);
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0}) << "integer 0 becomes one binary byte 0";
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
    EXPECT_TRUE(TipState.Saved);

    page.Input().ClickControl(page.cboAliasNamen());  // untick
    EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << "a change enables OK again";
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Tail()) << "unticked deletes";
    page.Input().ClickControl(page.cboAliasNamen());
    page.Input().ClickControl(page.cboAliasNamen());
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Tail()) << "deleting a missing value succeeds";
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty());
}

TEST_F(PageTest, OkOnAFreshPageAppliesTheBoxAsRead) {
    SetTail(Binary({1}));
    Create();
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_FALSE(Tail()) << "binary 01 reads unticked and is deleted";
    SetTail(Binary({0}));
    auto& page = Create();
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0});
    EXPECT_EQ(ModulSaveChanges(), 1) << "runs again after an earlier OK";
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
}

TEST_F(PageTest, UndoUnticksAndMarksDefaultsForTheRestOfTheLoad) {
    SetTail(Binary({0}));
    auto& page = Create();
    EXPECT_EQ(ModulNr(), 2);
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
    Click(page, "HotSpeedButtonUndo");
    EXPECT_FALSE(page.cboAliasNamen().Checked());
    EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled()) << "unticking enabled OK";
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0}) << "nothing written until OK";
    EXPECT_EQ(ModulNr(), 1);
    Click(page, "HotSpeedButtonOK");
    EXPECT_FALSE(Tail());

    Click(page, "HotSpeedButtonUndo");  // on an unticked box: no control changes
    EXPECT_FALSE(Button(page, "HotSpeedButtonOK").Enabled());
    auto& again = Create();
    again.Input().ClickControl(again.cboAliasNamen());
    Click(again, "HotSpeedButtonOK");
    EXPECT_EQ(ModulNr(), 1) << "even for a later page with the box ticked";
    EXPECT_EQ(ModulChanged(), 0) << "nothing in this module sets Modified";
}

TEST_F(PageTest, ReadOnlyKeyShowsTheTrueStateAndRefusedChangesAreErrors) {
    SetTail(Binary({0}));
    SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, true);
    auto& page = Create();
    EXPECT_TRUE(page.cboAliasNamen().Checked()) << "read with read access only";

    page.Input().ClickControl(page.cboAliasNamen());
    Click(page, "HotSpeedButtonOK");
    auto errors = boxes.Texts(MessageBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u) << "a refused deletion is a failed write";
    EXPECT_NE(errors[0].find("NameNumericTail"), std::string::npos);
    EXPECT_TRUE(Button(page, "HotSpeedButtonOK").Enabled());
    EXPECT_FALSE(TipState.Saved);

    EXPECT_EQ(ModulSaveChanges(), 0) << "the error is shown, not thrown at the host";
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error).size(), 2u);
    EXPECT_FALSE(TipState.Saved);
    SetKeyReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, false);
    EXPECT_EQ(Tail()->data, std::vector<std::uint8_t>{0});
}

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

TEST_F(PageTest, PageDescriptionKeepsTheTemplateLayout) {
    auto page = Form::Create<TFormNamtail>();
    EXPECT_EQ(page->Find<StaticText>("StaticTextTitle").Caption(), "Alias Namen")
        << "caption of the description";
    EXPECT_EQ(page->ClientSize().width, 292);
    EXPECT_EQ(page->ClientSize().height, 426);
    auto& box = page->cboAliasNamen();
    ExpectCheckBoxFits(*page, box);
    EXPECT_EQ(box.Caption(), "&Tilde(~) im Dateinamen nicht anzeigen");
    EXPECT_TRUE(box.TabStop());
    EXPECT_EQ(page->Find<Panel>("PanelTopBorder").TabOrder(), 7);
    EXPECT_EQ(page->Find<Memo>("MemoHelpD").Lines().back(), "l\xF6schen.");
    EXPECT_EQ(page->Find<Memo>("MemoHelpUS").Lines().size(), 16u);
    EXPECT_TRUE(page->Find<Memo>("MemoHelpD").Visible()) << "German shows until the language is applied";
    EXPECT_FALSE(page->Find<Memo>("MemoHelpUS").Visible());
    EXPECT_EQ(page->Find<Control>("HotSpeedButtonInfo").Hint(), "");

    page->SetWidth(page->Width() + 100);
    page->SetHeight(page->Height() + 50);
    Size client = page->ClientSize();
    EXPECT_EQ(page->Find<Control>("HotSpeedButtonOK").Bounds(), (Rect{16, client.height - 45, 36, 36}));
    EXPECT_EQ(page->Find<Control>("HotSpeedButtonUndo").Bounds().left, 56);
    EXPECT_EQ(client.width - page->Find<Control>("HotSpeedButtonInfo").Bounds().Right(), 56);
    EXPECT_EQ(client.width - page->Find<Control>("HotSpeedButtonRegistry").Bounds().Right(), 16);
    EXPECT_EQ(page->Find<Control>("MemoHelpD").Bounds().width, 359);
    EXPECT_EQ(page->Find<Control>("PanelBottomBorder").Bounds(),
              (Rect{0, client.height - 5, client.width, 5}));
}

// Every pixel of the twelve 32 x 32 images, in order, as the per-pixel distance drawing the images
// were first made with gave them on x86, x64 and natively alike: an FNV-1a digest.
TEST(TemplateImagesTest, AreThePixelsTheyHaveAlwaysBeen) {
    auto images = TemplateImages();
    ASSERT_EQ(images.size(), 12u);
    std::uint64_t digest = 14695981039346656037ull;
    for (const auto& image : images) {
        EXPECT_EQ(image.width, 32);
        EXPECT_EQ(image.height, 32);
        for (std::uint32_t pixel : image.pixels) digest = (digest ^ pixel) * 1099511628211ull;
    }
    EXPECT_EQ(digest, 0x0be67cac5da4fbbdull);
}

TEST_F(PageTest, ImageButtonsShowTheirHotImageAndHandWhileThePointerIsOver) {
    auto& page = Create();
    auto& ok = page.Find<THotSpeedButton>("HotSpeedButtonOK");
    Bitmap normal, hot;
    ok.GetImageList()->GetBitmap(0, normal);
    ok.GetImageList()->GetBitmap(1, hot);
    EXPECT_EQ(ok.Glyph(), normal);
    EXPECT_NE(normal, hot);
    page.Input().MouseMove(20, 390);
    EXPECT_EQ(ok.Glyph(), hot);
    EXPECT_EQ(page.Input().CursorFor(20, 390), Cursor::HandPoint);
    page.Input().MouseMove(150, 300);
    EXPECT_EQ(ok.Glyph(), normal);
    EXPECT_EQ(ok.GetCursor(), Cursor::Default);

    // A list that goes away leaves no dangling reference behind.
    auto list = std::make_unique<ImageList>(nullptr, "Spare");
    Properties sized;
    sized.width = 32;
    list->ApplyProperties(sized);
    list->SetImages({hot});
    ok.SetImageList(list.get());
    ok.SetImageList(list.get());  // the same list again keeps the button subscribed
    EXPECT_EQ(ok.Glyph(), hot);
    list.reset();
    EXPECT_EQ(ok.GetImageList(), nullptr);
    EXPECT_TRUE(ok.Glyph().Empty());
}

}  // namespace
}  // namespace page_tests
