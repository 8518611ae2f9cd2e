// The page in the colours the user chose: the specified ones while its texts read on them, and in a
// high-contrast scheme (or one whose text colour does not read on the page) only the scheme's own,
// for every background and text.
#include "page/PageFixture.h"
#include "support/SystemRecorder.h"

namespace page_tests {
namespace {

// The toolkit's colours of the system scheme: its index (as GetSysColor numbers them) in the low
// byte, the top byte set.
constexpr Color kSchemeWindow = 0xFF000005, kSchemeWindowText = 0xFF000008, kSchemeHighlight = 0xFF00000D;

// What the window draws itself: every fill and frame with its colour.
struct RecordingCanvas : Canvas {
    std::vector<std::pair<Rect, Color>> fills, frames;
    void FillRect(const Rect& r, Color c) override { fills.emplace_back(r, c); }
    void FrameRect(const Rect& r, Color c) override { frames.emplace_back(r, c); }
    void DrawBitmap(int, int, const Bitmap&) override {}
};

class Scheme : public PageTest {
  protected:
    SystemRecorder system;
};

TEST_F(Scheme, OutsideHighContrastTheSpecifiedColoursStay) {
    system.highContrast = false;
    auto& page = Create(kWindowsXP, kWindowsXPBit, 2);
    EXPECT_EQ(page.ShownColor(), contract::kWhite);
    EXPECT_EQ(page.Find<StaticText>("StaticTextTitle").ShownText(), contract::kTitleBlue);
    EXPECT_EQ(page.Find<Memo>("MemoHelpD").ShownBackground(), contract::kHelpBackground);
    EXPECT_EQ(page.cboAliasNamen().ShownBackground(), contract::kWhite);
    EXPECT_EQ(page.cboAliasNamen().ShownText(), kSchemeWindowText) << "the window-text colour";
    RecordingCanvas canvas;
    page.PaintGraphics(canvas);
    int borders = 0;
    for (const auto& [rect, color] : canvas.fills) borders += color == contract::kBorderBlue;
    EXPECT_EQ(borders, 4);
    EXPECT_TRUE(canvas.frames.empty()) << "no outline while no button is hot";
}

TEST_F(Scheme, HighContrastTakesEveryBackgroundAndTextFromTheScheme) {
    system.highContrast = true;
    auto& page = Create(kWindowsXP, kWindowsXPBit, 2);
    EXPECT_EQ(page.ShownColor(), kSchemeWindow);
    for (const char* name : {"StaticTextTitle", "MemoHelpD", "MemoHelpUS", "cboAliasNamen"}) {
        EXPECT_EQ(page.Find<Control>(name).ShownText(), kSchemeWindowText) << name;
        EXPECT_EQ(page.Find<Control>(name).ShownBackground(), kSchemeWindow) << name;
    }
    RecordingCanvas canvas;
    page.PaintGraphics(canvas);
    for (const auto& [rect, color] : canvas.fills)
        EXPECT_TRUE(color == kSchemeWindow || color == kSchemeHighlight)
            << "only the scheme's colours: " << color;
    int outlines = 0;
    for (const auto& [rect, color] : canvas.frames) outlines += color == kSchemeWindowText;
    EXPECT_EQ(outlines, 4) << "each image button outlined";

    // The user turns it off again: the page follows when told the scheme changed.
    system.highContrast = false;
    page.SchemeChanged();
    EXPECT_EQ(page.ShownColor(), contract::kWhite);
    EXPECT_EQ(page.Find<StaticText>("StaticTextTitle").ShownText(), contract::kTitleBlue);
}

TEST_F(Scheme, ATextColourThatDoesNotReadOnThePageTakesTheSchemeOrBlack) {
    system.highContrast = false;
    auto& page = Create(kWindowsXP, kWindowsXPBit, 2);
    struct Case {
        Color window, text, page, helpText;
    } cases[] = {
        {Rgb(255, 255, 255), Rgb(118, 118, 118), kSchemeWindow, kSchemeWindowText},  // 4.05:1 on help
        {Rgb(0, 0, 0), Rgb(255, 255, 255), kSchemeWindow, kSchemeWindowText},
        {Rgb(255, 255, 255), Rgb(192, 192, 192), contract::kWhite, Rgb(0, 0, 0)},  // reads nowhere
        {Rgb(0, 0, 0), Rgb(100, 100, 100), contract::kWhite, kSchemeWindowText}};  // reads on both
    for (const Case& c : cases) {
        system.colors = {{5, c.window}, {8, c.text}};
        page.SchemeChanged();
        EXPECT_EQ(page.ShownColor(), c.page) << c.text;
        EXPECT_EQ(page.Find<Memo>("MemoHelpD").ShownText(), c.helpText) << c.text;
        EXPECT_EQ(page.cboAliasNamen().ShownText(), c.helpText) << c.text;
    }
}

}  // namespace
}  // namespace page_tests
