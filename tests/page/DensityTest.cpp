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

TEST_F(Density, EveryControlEndsWithinThreePixelsOfItsDesignAfterOneWarning) {
    int ppi = UseScreenDensity(120);
    if (const char* expected = std::getenv("NAMTAIL_EXPECT_DPI")) {
        ASSERT_EQ(ppi, std::atoi(expected)) << "the prefix does not have the density the script set";
    }
    const ResolvedDescription design = Resolve(FormNamtail);
    const Size frame = ActiveBackend().NonClientSize();
    ModulCreate(100, 50, *design.window.width + frame.width, *design.window.height + frame.height, kWindowsXP,
                1, "Alias names", "", kWindowsXPBit, 1);
    TFormNamtail& page = *CurrentPage();
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain),
              ppi == 96 ? std::vector<std::string>{} : std::vector<std::string>{"Big"});
    int checked = 0;
    for (const auto& component : design.components) {
        const Properties& p = component.properties;
        if (!p.left || !p.top || !p.width || !p.height) continue;  // placed by alignment
        if (!page.Find<Component>(component.name).IsControl()) continue;
        const auto& control = page.Find<Control>(component.name);
        ExpectNear(control.Bounds(), {*p.left, *p.top, *p.width, *p.height}, component.name);
        if (auto native = NativeBounds(page, control))
            ExpectNear(*native, control.Bounds(), component.name + " on screen");
        const Font& font = p.font ? *p.font : *design.window.font;
        EXPECT_NEAR(control.GetFont().height, font.height, 1) << component.name;
        ++checked;
    }
    EXPECT_GE(checked, 8);
    EXPECT_NEAR(page.ClientSize().width, *design.window.width, kTolerance);
    EXPECT_NEAR(page.ClientSize().height, *design.window.height, kTolerance);
}

}  // namespace
}  // namespace page_tests
