#include "platform/Form.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/Dialogs.h"
#include "platform/Phases.h"

namespace platform {

Form::Form(const FormDescription& description)
    : Component(nullptr, description.name), description_(description) {}

Form::~Form() {
    peer_.reset();
    hot_ = pressed_ = focused_ = nullptr;
    while (!components_.empty()) components_.pop_back();
}

void Form::Publish(const std::string& name, EventHandler handler) {
    handlers_[name] = std::move(handler);
}

EventHandler Form::FindHandler(const std::string& name) const {
    auto it = handlers_.find(name);
    if (it == handlers_.end()) throw Error("Event handler not found: " + name);
    return it->second;
}

Component* Form::FindComponent(const std::string& name) const {
    for (const auto& c : components_)
        if (c->Name() == name) return c.get();
    return nullptr;
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
        if (!d.create) throw Error("No component class for " + d.name);
        auto component = d.create(this, d.name);
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

    Size client = ClientSize();
    for (const auto& c : components_)
        if (c->IsControl()) static_cast<Control*>(c.get())->KeepAnchorDistances(client);
    Realign();

    // A description laid out at another density follows the screen's text metrics: the font grows
    // with the density, positions and sizes with the text height of that font. The text height is
    // taken before whole-pixel rounding, where it grows exactly as the density does; rounded (17 for
    // 13 at 120 dpi) it would leave a page 5% too large once its creation handler scales it back.
    int designPpi = w.pixelsPerInch.value_or(96), designTextHeight = w.textHeight.value_or(13);
    int ppi = ActiveBackend().ScreenPixelsPerInch();
    if (ppi != designPpi && ppi > 0 && designPpi > 0 && designTextHeight > 0) {
        ScaleLayout(designTextHeight * ppi, designTextHeight * designPpi);
        ScaleFonts(ppi, designPpi);
    }

    peer_ = ActiveBackend().CreateFormPeer(*this);
    if (onCreate_) ShowErrors([&] { onCreate_(this); });
    Phase("creation handler");
}

void Form::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (peer_) peer_->WindowChanged(WindowChange::Caption);
}

Size Form::ClientSize() const {
    Size frame = ActiveBackend().NonClientSize();
    return {std::max(0, bounds_.width - frame.width), std::max(0, bounds_.height - frame.height)};
}

void Form::SetWindowBounds(const Rect& bounds) {
    if (bounds == bounds_) return;
    bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    if (peer_) peer_->WindowChanged(WindowChange::Bounds);
    if (resized) Realign();
}

void Form::Realign() {
    Size client = ClientSize();
    Rect free{0, 0, client.width, client.height};
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right})
        for (const auto& c : components_)
            if (c->IsControl() && static_cast<Control*>(c.get())->GetAlign() == pass)
                static_cast<Control*>(c.get())->AlignTo(free);
    for (const auto& c : components_)
        if (c->IsControl()) static_cast<Control*>(c.get())->FollowAnchors(client);
}

void Form::ScaleLayout(int m, int d) {
    Size client = ClientSize();
    Size frame = ActiveBackend().NonClientSize();
    bounds_.width = MulDiv(client.width, m, d) + frame.width;
    bounds_.height = MulDiv(client.height, m, d) + frame.height;
    Size scaledClient = ClientSize();
    for (const auto& c : components_) {
        if (!c->IsControl()) continue;
        auto* control = static_cast<Control*>(c.get());
        control->ScaleBounds(m, d);
        control->KeepAnchorDistances(scaledClient);
    }
    if (peer_) peer_->WindowChanged(WindowChange::Bounds);
}

void Form::ScaleFonts(int m, int d) {
    font_.height = MulDiv(font_.height, m, d);
    for (const auto& c : components_)
        if (c->IsControl()) static_cast<Control*>(c.get())->ScaleFont(m, d);
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
    FocusFirstTabStop();
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

void Form::Refresh() {
    if (peer_) peer_->Repaint();
}

void* Form::Handle() const {
    return peer_ ? peer_->Handle() : nullptr;
}

Component& Form::FindOfClass(const std::string& name, const ComponentClass& componentClass) const {
    Component* c = FindComponent(name);
    if (!c || !c->InheritsFrom(componentClass)) throw Error("Component not found: " + name);
    return *c;
}

void* Form::ControlHandle(const Control& control) const {
    return peer_ ? peer_->ControlHandle(control) : nullptr;
}

void Form::RunAsHandler(const std::function<void()>& action) {
    struct Depth {
        Form& form;
        ~Depth() {
            if (--form.dispatchDepth_ > 0 || !form.releaseRequested_) return;
            form.releaseRequested_ = false;
            if (auto handler = std::move(form.releaseHandler_)) handler();  // destroys this window
        }
    };
    ++dispatchDepth_;
    Depth depth{*this};
    action();
}

template <typename F>
void Form::Dispatch(F&& action) {
    RunAsHandler([&] { ShowErrors(action); });
}

std::intptr_t Form::Perform(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    Message message{msg, wParam, lParam, 0};
    Dispatch([&] { WndProc(message); });
    return message.result;
}

void Form::WndProc(Message& message) {
    if (peer_) peer_->DefaultProcessing(message);
}

void Form::Release() {
    releaseRequested_ = true;
    if (dispatchDepth_ == 0) Dispatch([] {});
}

Control* Form::ControlAt(int x, int y) const {
    for (auto it = components_.rbegin(); it != components_.rend(); ++it) {
        if (!(*it)->IsControl()) continue;
        auto* control = static_cast<Control*>(it->get());
        if (control->Visible() && control->Bounds().Contains(x, y)) return control;
    }
    return nullptr;
}

void Form::MouseMove(int x, int y) {
    Dispatch([&] {
        Control* target = ControlAt(x, y);
        if (target == hot_) return;
        Control* left = hot_;
        hot_ = target;
        if (left) left->Dispatch(kCmMouseLeave);
        if (target) target->Dispatch(kCmMouseEnter);
    });
}

void Form::MouseLeave() {
    Dispatch([&] {
        Control* left = hot_;
        hot_ = nullptr;
        if (left) left->Dispatch(kCmMouseLeave);
    });
}

void Form::MouseDown(int x, int y) {
    Control* target = ControlAt(x, y);
    pressed_ = target && target->Enabled() && target->Kind() == NativeKind::Graphic ? target : nullptr;
}

void Form::MouseUp(int x, int y) {
    Control* pressed = pressed_;
    pressed_ = nullptr;
    if (pressed && ControlAt(x, y) == pressed) ClickControl(*pressed);
}

bool Form::KeyDown(int key) {
    bool handled = false;
    Dispatch([&] { handled = popupMenu_ && popupMenu_->IsShortCut(key); });
    return handled;
}

void Form::HandleInput(const std::function<void()>& action) {
    Dispatch(action);
}

void Form::ClickControl(Control& control) {
    Dispatch([&] {
        if (control.Enabled() && control.Visible()) control.UserClick();
    });
}

std::string Form::HintAt(int x, int y) const {
    Control* c = ControlAt(x, y);
    return c && c->ShowHint() ? c->Hint() : std::string();
}

Cursor Form::CursorAt(int x, int y) const {
    Control* c = ControlAt(x, y);
    return c ? c->GetCursor() : Cursor::Default;
}

Cursor Form::CursorFor(int x, int y) {
    MouseMove(x, y);
    return CursorAt(x, y);
}

// Tab order with ties in creation order, found by one walk: windows have a handful of tab stops.
Control* Form::TabStopAfter(const Control* from, bool backwards) const {
    using Key = std::pair<int, std::size_t>;
    auto before = [backwards](const Key& a, const Key& b) { return backwards ? b < a : a < b; };
    std::optional<Key> start;
    Control *next = nullptr, *wrap = nullptr;
    Key nextKey{}, wrapKey{};
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < components_.size(); ++i) {
            if (!components_[i]->IsControl()) continue;
            auto* control = static_cast<Control*>(components_[i].get());
            if (!control->TabStop() || !control->Enabled() || !control->Visible()) continue;
            Key key{control->TabOrder(), i};
            if (pass == 0) {
                if (control == from) start = key;
                continue;
            }
            if ((!start || before(*start, key)) && (!next || before(key, nextKey)))
                next = control, nextKey = key;
            if (!wrap || before(key, wrapKey)) wrap = control, wrapKey = key;
        }
    }
    return next ? next : wrap;
}

Control* Form::FirstTabStop() const {
    return TabStopAfter(nullptr, false);
}

void Form::Focus(Control* control) {
    focused_ = control;
    if (peer_) peer_->FocusChanged();
}

void Form::FocusFirstTabStop() {
    Focus(FirstTabStop());
}

void Form::FocusNextTabStop(bool backwards) {
    Focus(TabStopAfter(focused_, backwards));
}

bool Form::AccessKeyDown(int key) {
    if (key == 0) return false;
    for (const auto& c : components_) {
        if (!c->IsControl()) continue;
        auto* control = static_cast<Control*>(c.get());
        if (AccessKeyOf(control->Caption()) != key || !control->Enabled() || !control->Visible()) continue;
        if (control->TabStop()) Focus(control);
        ClickControl(*control);
        return true;
    }
    return false;
}

std::vector<AccessiblePart> Form::AccessibleParts() const {
    std::vector<AccessiblePart> parts;
    for (const auto& c : components_) {
        if (!c->IsControl()) continue;
        auto* control = static_cast<Control*>(c.get());
        if (control->Kind() != NativeKind::Graphic || control->Role() == AccessibleRole::None ||
            !control->Visible())
            continue;
        parts.push_back({control, control->AccessibleName(), control->Role(), control->Bounds(),
                         !control->Enabled(), "Press"});
    }
    return parts;
}

bool Form::DoDefaultAction(Control& control) {
    if (!control.Enabled() || !control.Visible()) return false;
    ClickControl(control);
    return true;
}

void Form::ControlChanged(Control& control, ControlChange what) {
    if (peer_) peer_->ControlChanged(control, what);
}

void Form::PaintGraphics(Canvas& canvas) {
    for (const auto& c : components_) {
        if (!c->IsControl()) continue;
        auto* control = static_cast<Control*>(c.get());
        if (control->Visible() && control->Kind() == NativeKind::Graphic) control->Paint(canvas);
    }
}

void Form::Notification(Component* component, Operation operation) {
    if (operation != Operation::Remove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    if (component == hot_) hot_ = nullptr;
    if (component == pressed_) pressed_ = nullptr;
}

void ShowError(const std::exception& error) {
    ActiveBackend().ShowMessageBox(MessageBoxKind::Error, error.what());
}

}  // namespace platform
