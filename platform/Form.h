#pragma once
// A top-level window built from its description. It owns its components in creation order, binds
// event handlers by name (a derived class's handler of the same name wins), keeps the layout and
// routes input; a backend peer mirrors it on screen.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Backend.h"
#include "platform/Description.h"
#include "platform/Error.h"
#include "platform/Menus.h"
#include "platform/StdControls.h"

namespace platform {

// A windowless control as assistive technology sees it; its texts live as long as the control's.
struct AccessiblePart {
    Control* control;
    std::string_view name;
    AccessibleRole role;
    Rect bounds;  // client pixels
    bool unavailable;
    std::string_view defaultAction;
};

class Form : public Component {
  public:
    NAMTAIL_COMPONENT_CLASS(Component)
    ~Form() override;

    // Constructs a window of class T: components, references, events, then the creation handler.
    template <typename T, typename... Args>
    static std::unique_ptr<T> Create(Args&&... args) {
        std::unique_ptr<T> form(new T(std::forward<Args>(args)...));
        form->Load();
        return form;
    }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // Outer geometry in screen pixels; the client area is what the frame leaves of it.
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    void SetLeft(int v) { SetWindowBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
    void SetTop(int v) { SetWindowBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
    void SetWidth(int v) { SetWindowBounds({bounds_.left, bounds_.top, v, bounds_.height}); }
    void SetHeight(int v) { SetWindowBounds({bounds_.left, bounds_.top, bounds_.width, v}); }
    void SetWindowBounds(const Rect& bounds);
    Size ClientSize() const;
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    const Font& GetFont() const { return font_; }
    Color GetColor() const { return color_; }
    PopupMenu* GetPopupMenu() const { return popupMenu_; }

    bool Visible() const { return visible_; }
    // Makes the window visible and raises it; the show handler runs when it was hidden.
    void Show();
    // Hides the window; nothing is destroyed.
    void Close();
    void Refresh();
    // Changes made until EndUpdate may reach the screen together at its end: a window shown meanwhile
    // appears once, with everything in place. The model changes at once as always.
    void BeginUpdate();
    void EndUpdate();
    // Scales positions, sizes and fonts of the window and its controls by m/d.
    void ScaleBy(int m, int d);
    void* Handle() const;
    // The system window of one of this window's controls, if it has one of its own.
    void* ControlHandle(const Control& control) const;

    const std::vector<std::unique_ptr<Component>>& Components() const { return components_; }
    Component* FindComponent(const std::string& name) const;
    template <typename T>
    T& Find(const std::string& name) const {
        static_assert(kHasOwnComponentClass<T>, "declare the class tag with NAMTAIL_COMPONENT_CLASS");
        return static_cast<T&>(FindOfClass(name, T::kClass));
    }
    // The component of that name and class; an error when there is none.
    Component& FindOfClass(const std::string& name, const ComponentClass& componentClass) const;
    EventHandler FindHandler(const std::string& name) const;

    // Delivers a message through the window procedure, as the native side does.
    std::intptr_t Perform(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // The window procedure; an override passes every message to the toolkit's processing first.
    virtual void WndProc(Message& message);
    // Destroys the window once the message being handled has returned, through the release handler.
    void Release();
    // The system destroyed the native window without the toolkit asking (a host's DestroyWindow):
    // the form goes through its release handler too, at once or when its running handler returns.
    // The caller must not touch the form or its peer afterwards.
    void NativeWindowDestroyed() { Release(); }
    // Runs `action` as the window's own handling: a release asked for meanwhile waits until it returns.
    // Errors pass to the caller.
    void RunAsHandler(const std::function<void()>& action);
    bool Handling() const { return dispatchDepth_ > 0; }
    void SetReleaseHandler(std::function<void()> handler) { releaseHandler_ = std::move(handler); }

    // User input in client pixels, from the native side or from tests; errors go to the error display.
    void MouseMove(int x, int y);
    void MouseLeave();
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    bool KeyDown(int key);
    void ClickControl(Control& control);
    // Runs an input action as the window's own event: errors go to the error display.
    void HandleInput(const std::function<void()>& action);
    Control* ControlAt(int x, int y) const;
    Control* HotControl() const { return hot_; }
    // The hint the window shows while the pointer rests at (x, y): the control's own, if it shows one.
    std::string HintAt(int x, int y) const;
    Cursor CursorAt(int x, int y) const;
    // The cursor for the pointer at (x, y) when the system asks for it: the control under it becomes
    // the hot one first, so a button shows its hand from the first ask, and the arrow once it leaves.
    Cursor CursorFor(int x, int y);

    // Keyboard access. The first tab stop takes the focus when the window shows or is activated;
    // with none usable (a page that does not apply) the window keeps it.
    Control* FirstTabStop() const;
    Control* FocusedControl() const { return focused_; }
    void FocusFirstTabStop();
    // Tab and Shift+Tab: the next usable tab stop after the focused one, round the window.
    void FocusNextTabStop(bool backwards);
    // Alt+key: the usable control whose caption marks `key` is clicked as by the pointer; false when
    // no usable control has that key.
    bool AccessKeyDown(int key);

    // The windowless controls a screen reader is to see, in creation order.
    std::vector<AccessiblePart> AccessibleParts() const;
    // A part's default action, run as a click of the pointer; false when the part is unavailable.
    bool DoDefaultAction(Control& control);

    // Called by controls: mirrors the change on screen.
    void ControlChanged(Control& control, ControlChange what);
    void PaintGraphics(Canvas& canvas);
    void Notification(Component* component, Operation operation) override;

  protected:
    explicit Form(const FormDescription& description);
    // Makes a member function available to the description under `name`.
    void Publish(const std::string& name, EventHandler handler);
    template <typename T>
    void Publish(const std::string& name, void (T::*method)(Component*)) {
        T* self = static_cast<T*>(this);
        Publish(name, [self, method](Component* sender) { (self->*method)(sender); });
    }

  private:
    void Load();
    void Realign();
    void ScaleLayout(int m, int d);
    void ScaleFonts(int m, int d);
    template <typename F>
    void Dispatch(F&& action);
    Control* TabStopAfter(const Control* from, bool backwards) const;
    void Focus(Control* control);

    const FormDescription& description_;
    std::vector<std::unique_ptr<Component>> components_;
    std::map<std::string, EventHandler> handlers_;
    std::unique_ptr<FormPeer> peer_;
    std::string caption_, hint_;
    Rect bounds_;
    int tag_ = 0;
    Font font_;
    Color color_ = kButtonFace;
    PopupMenu* popupMenu_ = nullptr;
    EventHandler onCreate_, onShow_;
    bool visible_ = false;
    Control* hot_ = nullptr;
    Control* pressed_ = nullptr;
    Control* focused_ = nullptr;
    int dispatchDepth_ = 0;
    bool releaseRequested_ = false;
    std::function<void()> releaseHandler_;
};

}  // namespace platform
