#pragma once
// The two forms the toolkit tests load: a template with one of each kind of component, and a page
// derived from it that lists only what differs.
#include <functional>
#include <string>
#include <vector>

#include "platform/form/Form.h"

namespace toolkit_tests {

using namespace platform;

inline std::vector<Bitmap> TwoImages() {
    Bitmap red{2, 2, std::vector<std::uint32_t>(4, 0xFFFF0000u)};
    Bitmap blue{2, 2, std::vector<std::uint32_t>(4, 0xFF0000FFu)};
    return {red, blue};
}

inline Properties At(int left, int top, int width, int height) {
    Properties p;
    p.left = left, p.top = top, p.width = width, p.height = height;
    return p;
}

inline Properties With(Properties p, const std::function<void(Properties&)>& change) {
    change(p);
    return p;
}

inline const FormDescription kBase = {
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

inline const FormDescription kDerived = {
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
    }
    void FormCreate(Component*) {
        calls.push_back("base create");
        if (failInCreate) throw Error("creation failed");
        calls.push_back("base create done");
    }
};

class DerivedForm : public BaseForm {
  public:
    CheckBox* box = nullptr;
    DerivedForm() : BaseForm(kDerived) {
        Publish("ButtonClick", [this](Component*) { calls.push_back("derived button"); });
        Publish("BoxClick", [this](Component*) { calls.push_back("box"); });
        Publish("Box", box);
    }
};

}  // namespace toolkit_tests
