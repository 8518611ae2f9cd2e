#include "platform/form/InputRouter.h"

#include <optional>
#include <utility>

namespace platform {

Control* InputRouter::ControlAt(int x, int y) const {
    const ComponentList& components = target_.Components();
    for (auto it = components.rbegin(); it != components.rend(); ++it) {
        if (!(*it)->IsControl()) continue;
        auto* control = static_cast<Control*>(it->get());
        if (control->Visible() && control->Bounds().Contains(x, y)) return control;
    }
    return nullptr;
}

void InputRouter::MouseMove(int x, int y) {
    target_.HandleInput([&] {
        Control* target = ControlAt(x, y);
        if (target == hot_) return;
        Control* left = hot_;
        hot_ = target;
        if (left) left->MouseLeft();
        if (target) target->MouseEntered();
    });
}

void InputRouter::MouseLeave() {
    target_.HandleInput([&] {
        Control* left = std::exchange(hot_, nullptr);
        if (left) left->MouseLeft();
    });
}

void InputRouter::MouseDown(int x, int y) {
    Control* target = ControlAt(x, y);
    pressed_ = target && target->Enabled() && target->Windowless() ? target : nullptr;
}

void InputRouter::MouseUp(int x, int y) {
    Control* pressed = std::exchange(pressed_, nullptr);
    if (pressed && ControlAt(x, y) == pressed) ClickControl(*pressed);
}

bool InputRouter::KeyDown(int key) {
    bool handled = false;
    target_.HandleInput([&] {
        PopupMenu* menu = target_.GetPopupMenu();
        handled = menu && menu->IsShortCut(key);
    });
    return handled;
}

void InputRouter::ClickControl(Control& control) {
    target_.HandleInput([&] {
        if (control.Enabled() && control.Visible()) control.UserClick();
    });
}

Cursor InputRouter::CursorFor(int x, int y) {
    MouseMove(x, y);
    Control* c = ControlAt(x, y);
    return c ? c->GetCursor() : Cursor::Default;
}

// Tab order with ties in creation order, found by one walk: windows have a handful of tab stops.
Control* InputRouter::TabStopAfter(const Control* from, bool backwards) const {
    using Key = std::pair<int, std::size_t>;
    auto before = [backwards](const Key& a, const Key& b) { return backwards ? b < a : a < b; };
    const ComponentList& components = target_.Components();
    std::optional<Key> start;
    Control *next = nullptr, *wrap = nullptr;
    Key nextKey{}, wrapKey{};
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < components.size(); ++i) {
            if (!components[i]->IsControl()) continue;
            auto* control = static_cast<Control*>(components[i].get());
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

Control* InputRouter::FirstTabStop() const {
    return TabStopAfter(nullptr, false);
}

void InputRouter::Focus(Control* control) {
    focused_ = control;
    target_.FocusMoved();
}

void InputRouter::FocusFirstTabStop() {
    Focus(FirstTabStop());
}

void InputRouter::FocusNextTabStop(bool backwards) {
    Focus(TabStopAfter(focused_, backwards));
}

bool InputRouter::AccessKeyDown(int key) {
    if (key == 0) return false;
    for (const auto& c : target_.Components()) {
        if (!c->IsControl()) continue;
        auto* control = static_cast<Control*>(c.get());
        if (AccessKeyOf(control->Caption()) != key || !control->Enabled() || !control->Visible()) continue;
        if (control->TabStop()) Focus(control);
        ClickControl(*control);
        return true;
    }
    return false;
}

std::vector<AccessiblePart> InputRouter::AccessibleParts() const {
    std::vector<AccessiblePart> parts;
    ForEachControl(target_.Components(), [&](Control& control) {
        if (!control.Windowless() || control.Role() == AccessibleRole::None || !control.Visible()) return;
        parts.push_back({&control, control.AccessibleName(), control.Role(), control.Bounds(),
                         !control.Enabled(), "Press"});
    });
    return parts;
}

bool InputRouter::DoDefaultAction(Control& control) {
    if (!control.Enabled() || !control.Visible()) return false;
    ClickControl(control);
    return true;
}

void InputRouter::Forget(const Component* component) {
    if (component == hot_) hot_ = nullptr;
    if (component == pressed_) pressed_ = nullptr;
    if (component == focused_) focused_ = nullptr;
}

}  // namespace platform
