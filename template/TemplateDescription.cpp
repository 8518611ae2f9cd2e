// The window description of the tip frame, at 96 dots per inch.
#include "template/MainTippU.h"
#include "template/TemplateImages.h"

using namespace platform;

namespace {

constexpr Color kBorderBlue = Rgb(140, 170, 230);
constexpr Color kHelpBackground = Rgb(237, 242, 252);
constexpr Color kTitleBlue = Rgb(1, 72, 178);

Properties Box(int left, int top, int width, int height) {
    Properties p;
    p.left = left, p.top = top, p.width = width, p.height = height;
    return p;
}

Properties ImageButton(int left, Anchors side, int image, const char* onClick, const char* accessibleName) {
    Properties p = Box(left, 381, 36, 36);
    p.anchors = side | kAnchorBottom;
    p.images = "ImageList1";
    p.imageIndex = image, p.hotImageIndex = image + 1;
    p.showHint = true;
    p.cursor = Cursor::Default;
    p.onClick = onClick;
    p.accessibleName = accessibleName;  // read until the language gives the button its hint
    return p;
}

// Each box holds the help in its own language, and a screen reader names it so.
Properties HelpBox(int tabOrder, bool visible, const char* accessibleName) {
    Properties p = Box(16, 32, 259, 105);
    p.anchors = kAnchorLeft | kAnchorTop | kAnchorRight;
    p.readOnly = true, p.verticalScrollBar = true, p.tabStop = false;
    p.color = kHelpBackground;
    p.tabOrder = tabOrder, p.visible = visible;
    p.accessibleName = accessibleName;
    return p;
}

Properties BorderPanel(Properties p, Align align, int tabOrder) {
    p.align = align, p.bevel = false, p.color = kBorderBlue, p.tabOrder = tabOrder;
    return p;
}

Properties Window() {
    Properties p = Box(301, 1, 292, 426);
    p.caption = "frmTippTemplate";
    p.color = kWhite;
    p.font = Font{"Tahoma", -11, false, kWindowText};
    p.popupMenu = "PopupMenu1";
    p.onCreate = "FormCreate", p.onShow = "FormShow";
    p.pixelsPerInch = 96, p.textHeight = 13;
    return p;
}

Properties Title() {
    Properties p = Box(16, 8, 257, 33);
    p.anchors = kAnchorLeft | kAnchorTop | kAnchorRight;
    p.autoSize = false;
    p.caption = "StaticTextTitle";
    p.font = Font{"Tahoma", -12, true, kTitleBlue};
    p.tabOrder = 5;
    return p;
}

Properties SwitchWindowItem() {
    Properties p;
    p.parentMenu = "PopupMenu1";
    p.caption = "Fenster wechseln";
    p.shortCut = kKeyF12;
    p.onClick = "Fensterwechseln1Click";
    return p;
}

Properties Images() {
    Properties p = Box(0, 0, 32, 32);
    p.imageCount = 12;
    p.imageSource = TemplateImages;
    return p;
}

}  // namespace

const FormDescription frmTippTemplate = {
    "frmTippTemplate",
    nullptr,
    Window(),
    {
        {ClassOf<THotSpeedButton>, "HotSpeedButtonOK",
         ImageButton(16, kAnchorLeft, 0, "HotSpeedButtonOKClick", "OK")},
        {ClassOf<THotSpeedButton>, "HotSpeedButtonUndo",
         ImageButton(56, kAnchorLeft, 2, "HotSpeedButtonUndoClick", "Undo")},
        {ClassOf<THotSpeedButton>, "HotSpeedButtonInfo",
         ImageButton(200, kAnchorRight, 4, "HotSpeedButtonInfoClick", "Info")},
        {ClassOf<THotSpeedButton>, "HotSpeedButtonRegistry",
         ImageButton(240, kAnchorRight, 6, "HotSpeedButtonRegistryClick", "Registry")},
        {ClassOf<StaticText>, "StaticTextTitle", Title()},
        {ClassOf<Memo>, "MemoHelpUS", HelpBox(6, false, "Help")},
        {ClassOf<Memo>, "MemoHelpD", HelpBox(4, true, "Hilfe")},
        {ClassOf<Panel>, "PanelLeftBorder", BorderPanel(Box(0, 5, 5, 416), Align::Left, 1)},
        {ClassOf<Panel>, "PanelTopBorder", BorderPanel(Box(0, 0, 292, 5), Align::Top, 2)},
        {ClassOf<Panel>, "PanelBottomBorder", BorderPanel(Box(0, 421, 292, 5), Align::Bottom, 3)},
        {ClassOf<Panel>, "PanelRightBorder", BorderPanel(Box(287, 5, 5, 416), Align::Right, 0)},
        {ClassOf<PopupMenu>, "PopupMenu1", {}},
        {ClassOf<MenuItem>, "Fensterwechseln1", SwitchWindowItem()},
        {ClassOf<ImageList>, "ImageList1", Images()},
    }};
