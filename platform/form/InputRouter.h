#pragma once
// Routes a window's input to its controls: the control under the pointer and the one pressed, the
// keyboard focus with tab order and access keys, and the windowless parts a screen reader sees.
#include <string_view>
#include <vector>

#include "platform/ActionRef.h"
#include "platform/Menus.h"

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

// What routing needs of its window.
class InputTarget {
  public:
    virtual const ComponentList& Components() const = 0;
    virtual PopupMenu* GetPopupMenu() const = 0;
    // Runs an input action as the window's own event: inside the door, errors to the error display.
    virtual void HandleInput(ActionRef action) = 0;
    // The focused control changed (null: the window itself has the focus).
    virtual void FocusMoved() = 0;

  protected:
    ~InputTarget() = default;
};

class InputRouter {
  public:
    explicit InputRouter(InputTarget& target) : target_(target) {}

    // The pointer, in client pixels.
    void MouseMove(int x, int y);
    void MouseLeave();
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    // A key the window's shortcuts may take; true when one did.
    bool KeyDown(int key);
    void ClickControl(Control& control);
    Control* ControlAt(int x, int y) const;
    Control* HotControl() const { return hot_; }
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

    // A component is going: no reference to it may stay.
    void Forget(const Component* component);

  private:
    Control* TabStopAfter(const Control* from, bool backwards) const;
    void Focus(Control* control);

    InputTarget& target_;
    Control* hot_ = nullptr;
    Control* pressed_ = nullptr;
    Control* focused_ = nullptr;
};

}  // namespace platform
