// On a denser screen the page warns once ("Big") and scales itself back: every control ends within
// 3 pixels of its design place and size, with its design font. Headless runs at 120 dpi; Win32 at the
// density of the Wine prefix (scripts/e2e/high-dpi.sh runs it in a prefix set to 120 dpi).
#include <cstdlib>

#include "page/PageFixture.h"

namespace page_tests {
namespace {

constexpr int kTolerance = 3;

class Density : public PageTest {
  protected:
    void TearDown() override {
        UseScreenDensity(96);
        PageTest::TearDown();
    }
};

void ExpectNear(const Rect& actual, const Rect& expected, const std::string& what) {
    EXPECT_NEAR(actual.left, expected.left, kTolerance) << what;
    EXPECT_NEAR(actual.top, expected.top, kTolerance) << what;
    EXPECT_NEAR(actual.width, expected.width, kTolerance) << what;
    EXPECT_NEAR(actual.height, expected.height, kTolerance) << what;
}

// At 144 and 192 dots per inch the system's check square outgrows the checkbox's 17 pixels: there
// the checkbox alone grows, to hold its square and its caption.
TEST_F(Density, EveryControlEndsWithinThreePixelsOfItsDesignAfterOneWarning) {
    for (int wanted : {120, 144, 192}) {
        int ppi = UseScreenDensity(wanted);
        SCOPED_TRACE(ppi);
        if (const char* expected = std::getenv("NAMTAIL_EXPECT_DPI")) {
            ASSERT_EQ(ppi, std::atoi(expected)) << "the prefix does not have the density the script set";
        }
        boxes.Clear();
        const Size frame = ActiveBackend().NonClientSize();
        ModulCreate(100, 50, contract::kClientWidth + frame.width, contract::kClientHeight + frame.height,
                    kWindowsXP, 2, "Alias names", "", kWindowsXPBit, 1);
        TFormNamtail& page = *CurrentPage();
        EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain),
                  ppi == 96 ? std::vector<std::string>{} : std::vector<std::string>{contract::kBig});
        for (const auto& p : contract::kPlacements) {
            const auto& control = page.Find<Control>(p.name);
            int height = std::string(p.name) == "StaticTextTitle" ? contract::kTitleFontHeight
                                                                  : contract::kWindowFontHeight;
            EXPECT_NEAR(control.GetFont().height, height, 1) << p.name;
            if (auto native = NativeBounds(page, control))
                ExpectNear(*native, control.Bounds(), std::string(p.name) + " on screen");
            if (std::string(p.name) == "cboAliasNamen") continue;  // below
            ExpectNear(control.Bounds(), {p.left, p.top, p.width, p.height}, p.name);
        }
        ExpectCheckBoxFits(page, page.cboAliasNamen());
        EXPECT_NEAR(page.ClientSize().width, contract::kClientWidth, kTolerance);
        EXPECT_NEAR(page.ClientSize().height, contract::kClientHeight, kTolerance);
        // One scaling on its own, by 3/2: the outer size holds the scaled client area and the frame.
        page.SetWindowBounds({100, 50, 292 + frame.width, 426 + frame.height});
        page.ScaleBy(3, 2);
        EXPECT_EQ(page.Width(), 438 + frame.width);
        EXPECT_EQ(page.Height(), 639 + frame.height);
        EXPECT_EQ(ModulFree(), 1);
        if (ppi != wanted) break;  // the system's density is the prefix's: one round says it all
    }
}

}  // namespace
}  // namespace page_tests
