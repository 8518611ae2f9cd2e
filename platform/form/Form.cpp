#include "platform/form/Form.h"

#include <utility>

#include "platform/Contrast.h"
#include "platform/Dialogs.h"
#include "platform/Phases.h"
#include "platform/System.h"
#include "platform/form/Layout.h"

namespace platform {

Form::Form(const FormDescription& description)
    : Component(nullptr, std::string(description.name)), description_(description) {
    PageOpened();
}

Form::~Form() {
    peer_.reset();
    while (!components_.empty()) components_.pop_back();
    PageClosed();
}

void Form::Publish(const std::string& name, EventHandler handler) {
    for (auto& [published, existing] : handlers_)
        if (published == name) {
            existing = std::move(handler);  // a derived class's handler of the same name wins
            return;
        }
    handlers_.emplace_back(name, std::move(handler));
}

EventHandler Form::FindHandler(const std::string& name) const {
    for (const auto& [published, handler] : handlers_)
        if (published == name) return handler;
    throw Error("Event handler not found: " + name);
}

Component* Form::FindComponent(const std::string& name) const {
    for (const auto& c : components_)
        if (c->Name() == name) return c.get();
    return nullptr;
}

Component& Form::FindOfClass(const std::string& name, const ComponentClass& componentClass) const {
    Component* c = FindComponent(name);
    if (!c || !c->InheritsFrom(componentClass)) throw Error("Component not found: " + name);
    return *c;
}

void Form::Load() {
    ResolvedDescription resolved = Resolve(description_);
    Phase("description");
    const Properties& w = resolved.window;
    Size frame = ActiveBackend().NonClientSize();
    caption_ = w.caption.value_or(Name());
    if (w.font) font_ = *w.font;
    if (w.color) color_ = *w.color;
    if (w.hint) hint_ = *w.hint;
    bounds_ = {w.left.value_or(0), w.top.value_or(0), w.width.value_or(0) + frame.width,
               w.height.value_or(0) + frame.height};

    for (const auto& d : resolved.components) {
        if (!d.create) throw Error("No component class for " + std::string(d.name));
        auto component = d.create(this, std::string(d.name));
        component->ApplyProperties(d.properties);
        components_.push_back(std::move(component));
    }
    for (std::size_t i = 0; i < components_.size(); ++i)
        components_[i]->ResolveReferences(resolved.components[i].properties, *this);
    if (w.popupMenu) {
        popupMenu_ = &Find<PopupMenu>(*w.popupMenu);
        popupMenu_->FreeNotification(this);
    }
    for (std::size_t i = 0; i < components_.size(); ++i)
        components_[i]->BindEvents(resolved.components[i].properties, *this);
    Phase("components and images");
    if (w.onCreate) onCreate_ = FindHandler(*w.onCreate);
    if (w.onShow) onShow_ = FindHandler(*w.onShow);

    layout::KeepAnchorDistances(components_, ClientSize());
    Realign();
    // A description laid out at another density follows the screen's text metrics: the font grows
    // with the density, positions and sizes with the text height of that font.
    if (auto factor = layout::DensityFactor(w.pixelsPerInch.value_or(96), w.textHeight.value_or(13),
                                            ActiveBackend().ScreenPixelsPerInch())) {
        ScaleLayout(factor->m, factor->d);
        ScaleFonts(ActiveBackend().ScreenPixelsPerInch(), w.pixelsPerInch.value_or(96));
    }

    scheme_ = ReadScheme();
    peer_ = ActiveBackend().CreateFormPeer(*this);
    if (onCreate_) ShowErrors([&] { onCreate_(this); });
    // Check boxes fit their square and caption at the size the creation handler left the window in.
    loaded_ = true;
    ForEachControl(components_, [&](Control& c) { FitCheckBox(c); });
    Phase("creation handler");
}

void Form::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (peer_) peer_->WindowChanged(WindowChange::Caption);
}

Size Form::ClientSize() const {
    return layout::ClientOf(bounds_.width, bounds_.height, ActiveBackend().NonClientSize());
}

void Form::SetWindowBounds(const Rect& bounds) {
    if (bounds == bounds_) return;
    bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    if (peer_) peer_->WindowChanged(WindowChange::Bounds);
    if (resized) Realign();
}

void Form::Realign() {
    layout::Realign(components_, ClientSize());
}

void Form::ScaleLayout(int m, int d) {
    Size client = ClientSize();
    Size frame = ActiveBackend().NonClientSize();
    bounds_.width = MulDiv(client.width, m, d) + frame.width;
    bounds_.height = MulDiv(client.height, m, d) + frame.height;
    layout::ScaleControls(components_, m, d, ClientSize());
    if (peer_) peer_->WindowChanged(WindowChange::Bounds);
}

void Form::ScaleFonts(int m, int d) {
    font_.height = MulDiv(font_.height, m, d);
    layout::ScaleFonts(components_, m, d);
    if (peer_) peer_->WindowChanged(WindowChange::Look);
}

void Form::ScaleBy(int m, int d) {
    if (m == d || d == 0) return;
    ScaleLayout(m, d);
    ScaleFonts(m, d);
}

void Form::Show() {
    if (!visible_) {
        if (onShow_) onShow_(this);
        visible_ = true;
        if (peer_) peer_->WindowChanged(WindowChange::Visible);
    }
    if (peer_) peer_->BringToFront();
    input_.FocusFirstTabStop();
}

void Form::Close() {
    if (!visible_) return;
    visible_ = false;
    if (peer_) peer_->WindowChanged(WindowChange::Visible);
}

void Form::BeginUpdate() {
    if (peer_) peer_->BeginUpdate();
}

void Form::EndUpdate() {
    if (peer_) peer_->EndUpdate();
}

void Form::SchemeChanged() {
    ColorScheme scheme = ReadScheme();
    if (scheme == scheme_) return;
    scheme_ = scheme;
    Refresh();
}

// The window keeps its own colours while every text reads on its background. A system text colour
// that does not (a dark scheme without the high-contrast flag) makes it follow the scheme as in high
// contrast; a scheme that does not read even on its own window colour cannot be followed, so the
// window keeps its backgrounds and draws such texts in black or white.
ColorScheme Form::ReadScheme() const {
    if (ActiveSystem().HighContrast()) return ColorScheme::System;
    bool readable = true;
    ForEachControl(components_, [&](Control& c) {
        if (c.Kind() == NativeKind::Graphic) return;  // draws no text
        double contrast = ContrastRatio(ResolveColor(c.GetFont().color), ResolveColor(c.GetColor()));
        readable = readable && contrast >= kReadableContrast;
    });
    if (readable) return ColorScheme::Specified;
    double schemeContrast = ContrastRatio(ResolveColor(kWindowText), ResolveColor(kWindowBackground));
    return schemeContrast >= kReadableContrast ? ColorScheme::System : ColorScheme::ReadableText;
}

void Form::Refresh() {
    if (peer_) peer_->Repaint();
}

void* Form::Handle() const {
    return peer_ ? peer_->Handle() : nullptr;
}

void* Form::ControlHandle(const Control& control) const {
    return peer_ ? peer_->ControlHandle(control) : nullptr;
}

void Form::HandleInput(ActionRef action) {
    EntryScope entry;
    ShowErrors(action);
}

void Form::Release() {
    if (std::exchange(releaseRequested_, true)) return;
    EntryScope entry;  // whatever the handler does, the window outlives this call
    HostReentered();
    if (auto handler = std::move(releaseHandler_)) handler();
}

void Form::FocusMoved() {
    if (peer_) peer_->FocusChanged();
}

void Form::FitCheckBox(Control& box) {
    if (!loaded_ || box.Kind() != NativeKind::CheckBox) return;
    layout::FitCheckBox(box, ActiveBackend().CheckSquare(),
                        ActiveBackend().TextWidth(box.GetFont(), box.Caption()));
}

void Form::ControlChanged(Control& control, ControlChange what) {
    if (peer_) peer_->ControlChanged(control, what);
    if (what == ControlChange::Text || what == ControlChange::Look) FitCheckBox(control);
}

void Form::PaintGraphics(Canvas& canvas) {
    ForEachControl(components_, [&](Control& control) {
        if (control.Visible() && control.Kind() == NativeKind::Graphic) control.Paint(canvas);
    });
}

void Form::Notification(Component* component, Operation operation) {
    if (operation != Operation::Remove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    input_.Forget(component);
}

}  // namespace platform
