// The portable window toolkit's controls: checkbox, memo and image list, and pointer and key input.
#include <gtest/gtest.h>

#include "platform/ToolkitForms.h"

namespace toolkit_tests {
namespace {

TEST(Toolkit, CheckBoxRunsItsClickHandlerOnEveryActualChangeOnly) {
    auto form = Form::Create<DerivedForm>();
    auto& box = form->Find<CheckBox>("Box");
    auto clicks = [&] { return std::count(form->calls.begin(), form->calls.end(), "box"); };
    box.SetChecked(false);
    EXPECT_EQ(clicks(), 0);
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(clicks(), 1);
    form->Input().ClickControl(box);  // the user unticks it
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks(), 2);
    box.SetEnabled(false);
    form->Input().ClickControl(box);
    EXPECT_FALSE(box.Checked()) << "a disabled control takes no input";
}

TEST(Toolkit, MemoSplitsTextAtEveryKindOfLineBreak) {
    auto form = Form::Create<BaseForm>();
    auto& memo = form->Find<Memo>("Help");
    memo.SetText("a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    memo.SetText("");
    EXPECT_TRUE(memo.Lines().empty());
}

TEST(Toolkit, PointerInputDrivesClicksEnterLeaveAndShortcuts) {
    auto form = Form::Create<BaseForm>();
    auto& button = form->Find<SpeedButton>("Button");
    button.SetFlat(true);
    form->Input().MouseMove(160, 70);
    EXPECT_TRUE(button.MouseInControl());
    EXPECT_EQ(form->Input().HotControl(), &button);
    form->Input().MouseDown(160, 70);
    form->Input().MouseUp(161, 71);
    EXPECT_EQ(form->calls.back(), "base button");
    form->Input().MouseDown(160, 70);
    form->Input().MouseUp(10, 10);  // released elsewhere: no click
    EXPECT_EQ(std::count(form->calls.begin(), form->calls.end(), "base button"), 1);
    form->Input().MouseMove(10, 50);
    EXPECT_FALSE(button.MouseInControl());
    EXPECT_TRUE(form->Input().KeyDown(kKeyF12));
    EXPECT_EQ(form->calls.back(), "switch");
    EXPECT_FALSE(form->Input().KeyDown(0x41));
}

TEST(Toolkit, ImageListCopiesImagesAndOutOfRangeGivesEmpty) {
    auto form = Form::Create<BaseForm>();
    auto& images = form->Find<ImageList>("Images");
    Bitmap bitmap;
    images.GetBitmap(1, bitmap);
    EXPECT_EQ(bitmap.pixels.front(), 0xFF0000FFu);
    images.GetBitmap(7, bitmap);
    EXPECT_TRUE(bitmap.Empty());
    for (int outside : {2, -1}) {  // just past either end of the two images
        images.GetBitmap(1, bitmap);
        images.GetBitmap(outside, bitmap);
        EXPECT_TRUE(bitmap.Empty()) << outside;
    }
}

}  // namespace
}  // namespace toolkit_tests
