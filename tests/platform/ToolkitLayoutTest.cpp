// The portable window toolkit's layout: anchors, alignment, scaling and the screen density at load.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/ToolkitForms.h"
#ifndef _WIN32
#include "platform/headless/Headless.h"
#endif

namespace toolkit_tests {
namespace {

TEST(Toolkit, AnchorsAndAlignmentFollowResize) {
    auto form = Form::Create<BaseForm>();
    Size client = form->ClientSize();
    form->SetWidth(form->Width() + 40);
    form->SetHeight(form->Height() + 30);
    EXPECT_EQ(form->ClientSize().width, client.width + 40);
    auto& button = form->Find<SpeedButton>("Button");
    EXPECT_EQ(button.Bounds(), (Rect{190, 90, 36, 36})) << "right and bottom anchored: moves";
    EXPECT_EQ(form->Find<StaticText>("Title").Bounds(), (Rect{8, 8, 224, 20})) << "left and right: stretches";
    EXPECT_EQ(form->Find<Memo>("Help").Bounds(), (Rect{8, 30, 184, 20})) << "left and top: stays";
    EXPECT_EQ(form->Find<Panel>("TopBorder").Bounds(), (Rect{0, 0, 240, 5}));
    EXPECT_EQ(form->Find<Panel>("LeftBorder").Bounds(), (Rect{0, 5, 5, 125}));
}

TEST(Toolkit, ScaleByScalesPositionsSizesAndFonts) {
    auto form = Form::Create<BaseForm>();
    int fontHeight = form->GetFont().height;
    form->ScaleBy(4, 5);
    EXPECT_EQ(form->ClientSize().width, 160);
    EXPECT_EQ(form->Find<SpeedButton>("Button").Bounds(), (Rect{120, 48, 29, 29}));
    EXPECT_EQ(form->GetFont().height, platform::MulDiv(fontHeight, 4, 5));
}

// The system's MulDiv: rounded half away from zero, -1 for a zero divisor or a result beyond 32 bits.
TEST(Toolkit, MulDivKeepsTheSystemsContract) {
    EXPECT_EQ(platform::MulDiv(7, 5, 2), 18);
    EXPECT_EQ(platform::MulDiv(-7, 5, 2), -18);
    EXPECT_EQ(platform::MulDiv(7, 5, -2), -18);
    EXPECT_EQ(platform::MulDiv(13, 120, 96), 16);
    EXPECT_EQ(platform::MulDiv(1, 1, 0), -1);
    EXPECT_EQ(platform::MulDiv(2147483647, 2, 1), -1);
    EXPECT_EQ(platform::MulDiv(-2147483647 - 1, 1, 1), -1);
    EXPECT_EQ(platform::MulDiv(-2147483647 - 1, -1, 1), -1);
    EXPECT_EQ(platform::MulDiv(2147483647, 2147483647, 2147483647), 2147483647);
    EXPECT_EQ(platform::MulDiv(-2147483647, 3, 3), -2147483647);
#ifdef _WIN32
    const int values[] = {0, 1, -1, 7, -7, 13, 96, 120, -2147483647, 2147483647, 65536, -65536, 46341};
    for (int a : values)
        for (int b : values)
            for (int c : values)
                EXPECT_EQ(platform::MulDiv(a, b, c), ::MulDiv(a, b, c)) << a << " " << b << " " << c;
#endif
}

#ifndef _WIN32
// Headless only: the screen density of a Win32 process is fixed when the process starts.
TEST(ToolkitHeadlessOnly, DescriptionFollowsTheScreenDensityAtLoad) {
    platform::headless::SetScreenPixelsPerInch(120);
    auto form = Form::Create<BaseForm>();
    platform::headless::SetScreenPixelsPerInch(96);
    EXPECT_EQ(form->GetFont().height, -14) << "font by 120/96";
    // The unrounded text height grows by 120/96 as well: positions and sizes by 5/4.
    EXPECT_EQ(form->Find<SpeedButton>("Button").Bounds(), (Rect{188, 75, 45, 45}));
    EXPECT_EQ(form->ClientSize().width, 250);
    form->SetWidth(form->Width() + 10);
    EXPECT_EQ(form->Find<SpeedButton>("Button").Bounds().left, 198) << "anchors hold after scaling";
}
#endif

}  // namespace
}  // namespace toolkit_tests
