// The page as the template lays it out: its description, its images and its image buttons.
#include "page/PageFixture.h"
#include "template/TemplateImages.h"

namespace page_tests {
namespace {

TEST_F(PageTest, PageDescriptionKeepsTheTemplateLayout) {
    auto page = Form::Create<TFormNamtail>();
    EXPECT_EQ(page->Find<StaticText>("StaticTextTitle").Caption(), "Alias Namen")
        << "caption of the description";
    EXPECT_EQ(page->ClientSize().width, 292);
    EXPECT_EQ(page->ClientSize().height, 426);
    auto& box = page->cboAliasNamen();
    ExpectCheckBoxFits(*page, box);
    EXPECT_EQ(box.Caption(), "&Tilde(~) im Dateinamen nicht anzeigen");
    // A caption wider than the design grows the box to hold it, each caption by its own width.
    for (const char* longer : {"&Don't show (~) in Filename, nor in any folder name",
                               "&Don't show (~) in Filename, nor in any folder name, nor anywhere else"}) {
        box.SetCaption(longer);
        ExpectCheckBoxFits(*page, box);
    }
    box.SetCaption("&Tilde(~) im Dateinamen nicht anzeigen");
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
