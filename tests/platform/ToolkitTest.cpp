// The portable window toolkit: descriptions, handler binding, layout, input and the error display.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/Dialogs.h"
#include "platform/form/Form.h"
#include "support/TestSupport.h"
#ifndef _WIN32
#include "platform/headless/Headless.h"
#endif

using namespace platform;
using testing_support::MessageBoxScript;

namespace {

std::vector<Bitmap> TwoImages() {
    Bitmap red{2, 2, std::vector<std::uint32_t>(4, 0xFFFF0000u)};
    Bitmap blue{2, 2, std::vector<std::uint32_t>(4, 0xFF0000FFu)};
    return {red, blue};
}

Properties At(int left, int top, int width, int height) {
    Properties p;
    p.left = left, p.top = top, p.width = width, p.height = height;
    return p;
}

Properties With(Properties p, const std::function<void(Properties&)>& change) {
    change(p);
    return p;
}

const FormDescription kBase = {
    "frmBase",
    nullptr,
    With(At(10, 20, 200, 100),
         [](Properties& p) {
             p.caption = "Base";
             p.color = kWhite;
             p.onCreate = "FormCreate";
             p.onShow = "FormShow";
             p.popupMenu = "Menu";
         }),
    {
        // The button refers to an image list created after it.
        {ClassOf<SpeedButton>, "Button",
         With(At(150, 60, 36, 36),
              [](Properties& p) {
                  p.anchors = kAnchorRight | kAnchorBottom;
                  p.onClick = "ButtonClick";
              })},
        {ClassOf<StaticText>, "Title",
         With(At(8, 8, 184, 20),
              [](Properties& p) {
                  p.anchors = kAnchorLeft | kAnchorTop | kAnchorRight;
                  p.caption = "Title";
              })},
        {ClassOf<Memo>, "Help", With(At(8, 30, 184, 20), [](Properties& p) { p.visible = false; })},
        {ClassOf<Panel>, "TopBorder", With(At(0, 0, 200, 5), [](Properties& p) { p.align = Align::Top; })},
        {ClassOf<Panel>, "LeftBorder", With(At(0, 5, 5, 90), [](Properties& p) { p.align = Align::Left; })},
        {ClassOf<PopupMenu>, "Menu", {}},
        {ClassOf<MenuItem>, "Switch",
         With({},
              [](Properties& p) {
                  p.parentMenu = "Menu";
                  p.caption = "Switch";
                  p.shortCut = kKeyF12;
                  p.onClick = "SwitchClick";
              })},
        {ClassOf<ImageList>, "Images",
         With(At(0, 0, 2, 2), [](Properties& p) { p.imageSource = TwoImages; })},
    }};

const FormDescription kDerived = {
    "frmDerived",
    &kBase,
    With({}, [](Properties& p) { p.caption = "Derived"; }),
    {
        {nullptr, "Help", With({}, [](Properties& p) { p.lines = "one\r\ntwo\r\n"; })},
        {ClassOf<CheckBox>, "Box", With(At(20, 40, 100, 17), [](Properties& p) { p.onClick = "BoxClick"; })},
    }};

class BaseForm : public Form {
  public:
    std::vector<std::string> calls;
    bool failInCreate = false;

    explicit BaseForm(const FormDescription& d = kBase) : Form(d) {
        Publish("FormCreate", &BaseForm::FormCreate);
        Publish("FormShow", [this](Component*) { calls.push_back("base show"); });
        Publish("ButtonClick", [this](Component*) { calls.push_back("base button"); });
        Publish("SwitchClick", [this](Component*) { calls.push_back("switch"); });
        Publish("BoxClick", [this](Component*) { calls.push_back("box"); });
    }
    void FormCreate(Component*) {
        calls.push_back("base create");
        if (failInCreate) throw Error("creation failed");
        calls.push_back("base create done");
    }
};

class DerivedForm : public BaseForm {
  public:
    DerivedForm() : BaseForm(kDerived) {
        Publish("ButtonClick", [this](Component* sender) {
            calls.push_back("derived button");
            Find<SpeedButton>("Button");  // the page's handler may call the template's
            (void)sender;
        });
    }
};

TEST(Toolkit, DerivedDescriptionListsOnlyDifferences) {
    auto form = Form::Create<DerivedForm>();
    EXPECT_EQ(form->Caption(), "Derived");
    std::vector<std::string> names;
    for (const auto& c : form->Components()) names.push_back(c->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Button", "Title", "Help", "TopBorder", "LeftBorder", "Menu",
                                               "Switch", "Images", "Box"}));
    auto& help = form->Find<Memo>("Help");
    EXPECT_EQ(help.Lines(), (std::vector<std::string>{"one", "two"}));
    EXPECT_FALSE(help.Visible()) << "inherited properties stay";
    auto& box = form->Find<CheckBox>("Box");
    EXPECT_EQ(box.GetAnchors(), kDefaultAnchors) << "unlisted anchors are left and top";
    EXPECT_EQ(box.GetColor(), kWhite) << "a checkbox takes the window's colour";
    EXPECT_EQ(&box.GetFont(), &form->GetFont());
    EXPECT_FALSE(box.ShowHint());
    EXPECT_EQ(form->ClientSize().width, 200);
    EXPECT_EQ(form->ClientSize().height, 100);
}

TEST(Toolkit, HandlersBindByNameAndTheDerivedOneWins) {
    auto form = Form::Create<DerivedForm>();
    EXPECT_EQ(form->calls, (std::vector<std::string>{"base create", "base create done"}));
    form->Input().ClickControl(form->Find<SpeedButton>("Button"));
    EXPECT_EQ(form->calls.back(), "derived button");
}

TEST(Toolkit, ErrorInCreationHandlerIsShownAndConstructionGoesOn) {
    struct Failing : BaseForm {
        Failing() { failInCreate = true; }
    };
    MessageBoxScript boxes;
    auto form = Form::Create<Failing>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->calls, (std::vector<std::string>{"base create"}));
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error), (std::vector<std::string>{"creation failed"}));
}

TEST(Toolkit, ShowRunsTheShowHandlerOnlyWhenTheWindowWasHidden) {
    auto form = Form::Create<BaseForm>();
    EXPECT_FALSE(form->Visible());
    form->Show();
    form->Show();
    EXPECT_TRUE(form->Visible());
    form->Close();
    EXPECT_FALSE(form->Visible()) << "closing hides";
    form->Show();
    EXPECT_EQ(std::count(form->calls.begin(), form->calls.end(), "base show"), 2);
}

TEST(Toolkit, ReferencesResolveAfterAllComponentsExistAndRemovalClearsThem) {
    auto form = Form::Create<BaseForm>();
    auto& menu = form->Find<PopupMenu>("Menu");
    ASSERT_EQ(menu.Items().size(), 1u);
    EXPECT_EQ(menu.Items()[0]->Caption(), "Switch");
    EXPECT_EQ(form->GetPopupMenu(), &menu);

    struct Watcher : Component {
        Component* watched = nullptr;
        using Component::Component;
        void Notification(Component* c, Operation op) override {
            if (op == Operation::Remove && c == watched) watched = nullptr;
        }
    };
    Watcher watcher(nullptr, "watcher");
    {
        auto other = Form::Create<BaseForm>();
        watcher.watched = other.get();
        other->FreeNotification(&watcher);
    }
    EXPECT_EQ(watcher.watched, nullptr);
}

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

TEST(Toolkit, ErrorInAHostCommandIsShownAndProcessingGoesOn) {
    struct Throwing : BaseForm {
        void HostCommand(std::int32_t code, std::int32_t) override {
            if (code == 1) throw RangeError();
        }
    };
    MessageBoxScript boxes;
    auto form = Form::Create<Throwing>();
    form->ReceiveHostCommand(1, 0);
    form->ReceiveHostCommand(2, 0);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error), (std::vector<std::string>{"Range check error"}));
}

TEST(Toolkit, ReleaseWaitsUntilTheCommandHasBeenHandled) {
    struct Releasing : BaseForm {
        bool* handledAfterRelease = nullptr;
        void HostCommand(std::int32_t code, std::int32_t) override {
            if (code != 3) return;
            Release();
            *handledAfterRelease = true;  // still alive inside its own message
        }
    };
    std::unique_ptr<Releasing> form = Form::Create<Releasing>();
    bool handled = false;
    form->handledAfterRelease = &handled;
    form->SetReleaseHandler([&] { Retire(std::move(form)); });
    form->ReceiveHostCommand(3, 0);
    EXPECT_TRUE(handled);
    EXPECT_EQ(form, nullptr);
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

TEST(Toolkit, ConfirmIsTrueOnlyForYes) {
    MessageBoxScript boxes(true);
    EXPECT_TRUE(Confirm("Sure?"));
    boxes.AnswerYes(false);
    EXPECT_FALSE(Confirm("Sure?"));
    ShowMessage("Plain");
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm).size(), 2u);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain), (std::vector<std::string>{"Plain"}));
}

TEST(Toolkit, TextsAreCodePage1252Bytes) {
    const std::string german = "Änderungen läßt Gültig Möglichkeit";
    EXPECT_EQ(german, "\xC4nderungen l\xE4\xDFt G\xFCltig M\xF6glichkeit");
}

}  // namespace

namespace {

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

namespace {
// Typed lookup tells classes apart by their own tag: one without would be taken for its base.
struct Untagged : SpeedButton {
    using SpeedButton::SpeedButton;
};
static_assert(!kHasOwnComponentClass<Untagged>, "Form::Find refuses a class without its own tag");
static_assert(kHasOwnComponentClass<SpeedButton> && kHasOwnComponentClass<Component>);
}  // namespace
