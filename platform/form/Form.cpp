#include "platform/form/Form.h"

#include <utility>

#include "platform/Dialogs.h"
#include "platform/Phases.h"
#include "platform/System.h"
#include "platform/form/Layout.h"
#include "platform/form/Scheme.h"

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
    const ResolvedDescription& resolved = Resolve(description_);
    Phase("description");
    const Properties& w = resolved.window;
    frame_ = ActiveBackend().NonClientSize();
    caption_ = w.caption.value_or(Name());
    if (w.font) font_ = *w.font;
    if (w.color) color_ = *w.color;
    if (w.hint) hint_ = *w.hint;
    bounds_ = {w.left.value_or(0), w.top.value_or(0), w.width.value_or(0) + frame_.width,
               w.height.value_or(0) + frame_.height};

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
    bindings_.ResolveMembers(*this);
    for (std::size_t i = 0; i < components_.size(); ++i)
        components_[i]->BindEvents(resolved.components[i].properties, *this);
    Phase("components and images");
    if (w.onCreate) onCreate_ = BindHandler(*w.onCreate);
    if (w.onShow) onShow_ = BindHandler(*w.onShow);
    bindings_.CheckAllUsed();  // every name published is one some description gives

    layout::KeepAnchorDistances(components_, ClientSize());
    Realign();
    // A description laid out at another density follows the screen's text metrics: the font grows
    // with the density, positions and sizes with the text height of that font.
    screenPixelsPerInch_ = ActiveBackend().ScreenPixelsPerInch();
    if (auto factor = layout::DensityFactor(w.pixelsPerInch.value_or(96), w.textHeight.value_or(13),
                                            screenPixelsPerInch_)) {
        ScaleLayout(factor->m, factor->d);
        ScaleFonts(screenPixelsPerInch_, w.pixelsPerInch.value_or(96));
    }

    scheme_ = ReadScheme(components_);
    peer_ = ActiveBackend().CreateFormPeer(*this);
    if (onCreate_) ShowErrors([&] { onCreate_(this); });
    // Check boxes fit their square and caption at the size the creation handler left the window in.
    loaded_ = true;
    layout::FitContent(components_, metrics_);
    Phase("creation handler");
}

void Form::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (peer_) peer_->WindowChanged(WindowChange::Caption);
}

Size Form::ClientSize() const {
    return layout::ClientOf(bounds_.width, bounds_.height, frame_);
}

void Form::SetWindowBounds(const Rect& bounds, WindowChange set) {
    TakeBounds(bounds, true, set);
}

void Form::WindowPlaced(const Rect& bounds) {
    TakeBounds(bounds, false);
}

void Form::TakeBounds(const Rect& bounds, bool placeWindow, WindowChange set) {
    if (bounds == bounds_ && !placeWindow) return;
    bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    if (placeWindow && peer_) peer_->WindowChanged(set);
    if (resized) Realign();
}

void Form::Realign() {
    layout::Realign(components_, ClientSize());
}

void Form::ScaleLayout(int m, int d) {
    Size client = ClientSize();
    bounds_.width = MulDiv(client.width, m, d) + frame_.width;
    bounds_.height = MulDiv(client.height, m, d) + frame_.height;
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
    frame_ = ActiveBackend().NonClientSize();
    metrics_.Forget();
    ColorScheme scheme = ReadScheme(components_);
    if (scheme == scheme_) return;
    scheme_ = scheme;
    Refresh();
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
    if (auto handler = std::move(releaseHandler_)) handler();
}

void Form::FocusMoved() {
    if (peer_) peer_->FocusChanged();
}

void Form::ControlChanged(Control& control, ControlChange what) {
    if (peer_) peer_->ControlChanged(control, what);
    if (loaded_ && (what == ControlChange::Text || what == ControlChange::Look)) control.FitTo(metrics_);
}

void Form::PaintGraphics(Canvas& canvas) {
    ForEachControl(components_, [&](Control& control) {
        if (control.Visible() && control.Windowless()) control.Paint(canvas);
    });
}

void Form::Notification(Component* component, Operation operation) {
    if (operation != Operation::Remove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    input_.Forget(component);
}

}  // namespace platform
