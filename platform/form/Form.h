#pragma once
// A top-level window built from its description. It owns its components in creation order, binds
// the names its class publishes (Bindings.h), and keeps the window's state; a backend peer mirrors
// it on screen. Layout, colours, input routing and the door into the module live beside it
// (Layout.h, Scheme.h, InputRouter.h, EntryScope.h).
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Backend.h"
#include "platform/Description.h"
#include "platform/Error.h"
#include "platform/form/Bindings.h"
#include "platform/form/EntryScope.h"
#include "platform/form/InputRouter.h"
#include "platform/form/Layout.h"

namespace platform {

class Form : public Component, public ComponentOwner, private InputTarget {
  public:
    NAMTAIL_COMPONENT_CLASS(Component)
    ~Form() override;

    // Constructs a window of class T: components, references, published names, then the creation
    // handler. A name that matches nothing fails it.
    template <typename T, typename... Args>
    static std::unique_ptr<T> Create(Args&&... args) {
        std::unique_ptr<T> form(new T(std::forward<Args>(args)...));
        form->Load();
        return form;
    }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // Outer geometry in the window's own coordinates (the screen's for a top-level window, the
    // parent's client area for a child), as the window has it; the client area is what the frame
    // leaves of it.
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    // Each setting counts, whatever its value: the window is placed even where the model has it
    // already (a maximized window is restored there, say), told which edge or size was set.
    void SetLeft(int v) {
        SetWindowBounds({v, bounds_.top, bounds_.width, bounds_.height}, WindowChange::Left);
    }
    void SetTop(int v) {
        SetWindowBounds({bounds_.left, v, bounds_.width, bounds_.height}, WindowChange::Top);
    }
    void SetWidth(int v) {
        SetWindowBounds({bounds_.left, bounds_.top, v, bounds_.height}, WindowChange::Width);
    }
    void SetHeight(int v) {
        SetWindowBounds({bounds_.left, bounds_.top, bounds_.width, v}, WindowChange::Height);
    }
    void SetWindowBounds(const Rect& bounds, WindowChange set = WindowChange::Bounds);
    // The window is the truth: whoever placed, sized, showed or hid it (the host, the user, the
    // system), a backend reports it here as the window now has it. The model follows and writes
    // nothing back; a window hidden so shows again through Show, its show handler run.
    void WindowPlaced(const Rect& bounds);
    void WindowShown(bool visible) { visible_ = visible; }
    Size ClientSize() const override;
    // The screen's density as the window was loaded: read once, for the loading and its handlers.
    int ScreenPixelsPerInch() const { return screenPixelsPerInch_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    const Font& GetFont() const override { return font_; }
    Color GetColor() const override { return color_; }
    PopupMenu* GetPopupMenu() const override { return popupMenu_; }
    ColorScheme Scheme() const override { return scheme_; }
    // The background the window is drawn in: as specified, or the system scheme's.
    Color ShownColor() const { return scheme_ == ColorScheme::System ? kWindowBackground : color_; }
    // The user changed colours or settings: the scheme and the system's sizes are read again and the
    // window redrawn.
    void SchemeChanged();

    bool Visible() const { return visible_; }
    // Makes the window visible and raises it; the show handler runs when it was hidden.
    void Show();
    // Hides the window; nothing is destroyed.
    void Close();
    // Destroys the native window ahead of the model; false, the window whole, when the system refuses.
    bool DestroyWindowNow() { return !peer_ || peer_->DestroyNativeWindow(); }
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

    const ComponentList& Components() const override { return components_; }
    Component* FindComponent(const std::string& name) const;
    Component& FindOfClass(const std::string& name, const ComponentClass& componentClass) const override;
    EventHandler BindHandler(const std::string& name) override { return bindings_.Bind(name); }

    // The host's channel: a backend delivers the registered message `message` to this window as
    // host commands, its two values decoded as signed 32-bit numbers.
    void ListenOn(std::uint32_t message) { channel_ = message, listening_ = true; }
    bool ListensOn(std::uint32_t message) const { return listening_ && channel_ == message; }
    // A host command arriving, as a backend delivers it: inside the door, errors shown.
    void ReceiveHostCommand(std::int32_t code, std::int32_t argument) {
        HandleInput([&] { HostCommand(code, argument); });
    }
    // Lets the window go at the host's word (its command, its DestroyWindow): the release handler
    // takes it and hands it to Retire, so it is destroyed once the outermost entry into the module
    // returns. Asked more than once, it happens once.
    void Release();
    // The system destroyed the native window without the toolkit asking (a host's DestroyWindow).
    // The caller must not touch the peer afterwards.
    void NativeWindowDestroyed() { Release(); }
    // Set again when a release did not end in destruction, so that a later one happens too.
    void SetReleaseHandler(std::function<void()> handler) {
        releaseHandler_ = std::move(handler);
        releaseRequested_ = false;
    }

    // Pointer, keys, focus and accessible parts.
    InputRouter& Input() { return input_; }
    const InputRouter& Input() const { return input_; }
    // Runs an input action as the window's own event: errors go to the error display.
    void HandleInput(ActionRef action) override;

    // Called by controls: mirrors the change on screen.
    void ControlChanged(Control& control, ControlChange what) override;
    void PaintGraphics(Canvas& canvas);
    void Notification(Component* component, Operation operation) override;

  protected:
    explicit Form(const FormDescription& description);
    // What the window does with a host command; nothing unless a derived window says.
    virtual void HostCommand(std::int32_t code, std::int32_t argument) { (void)code, (void)argument; }
    // Makes a handler available to the description under `name`; a description must name it.
    void Publish(const char* name, EventHandler handler) { bindings_.Publish(name, std::move(handler)); }
    template <typename T>
    void Publish(const char* name, void (T::*method)(Component*)) {
        T* self = static_cast<T*>(this);
        Publish(name, [self, method](Component* sender) { (self->*method)(sender); });
    }
    // Sets `member` to the component `name` while loading, for the handlers to use.
    template <typename T>
    void Publish(const char* name, T*& member) {
        bindings_.Publish(name, member);
    }

  private:
    void Load();
    // The model takes `bounds`; with `placeWindow`, the window is placed there too, told what was set.
    void TakeBounds(const Rect& bounds, bool placeWindow, WindowChange set = WindowChange::Bounds);
    void Realign();
    void ScaleLayout(int m, int d);
    void ScaleFonts(int m, int d);
    void FocusMoved() override;

    const FormDescription& description_;
    ComponentList components_;
    Bindings bindings_;
    std::unique_ptr<FormPeer> peer_;
    std::string caption_, hint_;
    Rect bounds_;
    Size frame_;  // what the system's frame takes of the outer size, read at load and with new settings
    layout::SystemMetrics metrics_;
    int tag_ = 0;
    int screenPixelsPerInch_ = 96;
    Font font_;
    Color color_ = kButtonFace;
    PopupMenu* popupMenu_ = nullptr;
    EventHandler onCreate_, onShow_;
    bool visible_ = false;
    ColorScheme scheme_ = ColorScheme::Specified;
    bool loaded_ = false;  // the creation handler has run
    InputRouter input_{*this};
    bool releaseRequested_ = false;
    std::uint32_t channel_ = 0;
    bool listening_ = false;
    std::function<void()> releaseHandler_;
};

}  // namespace platform
