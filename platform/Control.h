#pragma once
// Controls: components placed on a window, with bounds, anchors, state and look. The state lives
// here; a backend only mirrors it into native windows (ControlChanged) and feeds input back.
#include <memory>
#include <string>
#include <vector>

#include "platform/Component.h"
#include "platform/Types.h"

namespace platform {

enum class ControlChange { Bounds, Text, Enabled, Visible, Checked, Look, Hint };

// What the native side needs to know about how to show a control.
enum class NativeKind { Graphic, Static, Edit, CheckBox };

// Where a text comes from, which decides the code page it is written in: the page's own texts are
// code page 1252, a host's texts are in the host's ANSI code page.
enum class TextOrigin { Page, Host };

// How assistive technology presents a control, the same on every system.
enum class AccessibleRole { None, PushButton, CheckButton, StaticText, Text };

// The key that an ampersand in `caption` marks ("&&" is a plain ampersand), as an upper-case
// virtual-key code; 0 when it marks none.
int AccessKeyOf(const std::string& caption);

// The system's sizes a control's content takes, for controls that grow to hold it.
class ContentMetrics {
  public:
    virtual Size CheckSquare() = 0;
    // The width of a caption drawn in `font`, its access-key ampersands left out.
    virtual int TextWidth(const Font& font, const std::string& caption) = 0;

  protected:
    ~ContentMetrics() = default;
};

// Drawing surface of the window for controls without a native window of their own.
class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual void FillRect(const Rect& rect, Color color) = 0;
    virtual void FrameRect(const Rect& rect, Color color) = 0;
    virtual void DrawBitmap(int x, int y, const Bitmap& opaque) = 0;
    // The colour a system colour stands for now; other colours as they are.
    virtual Color Resolve(Color color) { return color; }
};

class Control : public Component {
  public:
    NAMTAIL_COMPONENT_CLASS(Component)
    using Component::Component;
    bool IsControl() const override { return true; }
    virtual NativeKind Kind() const { return NativeKind::Graphic; }
    // No native window of its own: the window draws it, presses it and shows it to screen readers.
    bool Windowless() const { return Kind() == NativeKind::Graphic; }
    // Draws a text, which has to read on its background.
    virtual bool DrawsText() const { return false; }

    const Rect& Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    Anchors GetAnchors() const { return anchors_; }
    void SetAnchors(Anchors anchors);
    Align GetAlign() const { return align_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& Caption() const { return caption_; }
    TextOrigin CaptionOrigin() const { return captionOrigin_; }
    void SetCaption(const std::string& caption, TextOrigin origin = TextOrigin::Page);
    // Also when unchanged: whoever else wrote the native text meanwhile is overwritten.
    void RewriteCaption(const std::string& caption, TextOrigin origin);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    Cursor GetCursor() const { return cursor_; }
    void SetCursor(Cursor cursor) { cursor_ = cursor; }
    int TabOrder() const { return tabOrder_; }
    bool TabStop() const { return tabStop_; }
    virtual AccessibleRole Role() const { return AccessibleRole::None; }
    // What a screen reader reads: the hint, else the name the description gives for that purpose.
    const std::string& AccessibleName() const { return hint_.empty() ? accessibleName_ : hint_; }
    // The window's font and colour unless the control has its own.
    const Font& GetFont() const;
    Color GetColor() const;
    bool HasOwnColor() const { return ownColor_.has_value(); }
    // The colours the control is drawn in: as specified, or the system scheme's, so that no text
    // ever stands on a background it was not chosen for, and every text reads.
    Color ShownBackground() const;
    Color ShownText() const;
    bool FollowsSystemScheme() const { return Owner() && Owner()->Scheme() == ColorScheme::System; }

    // The pointer came onto the control, or left it.
    virtual void MouseEntered() {}
    virtual void MouseLeft() {}
    // Controls without a native window draw themselves on the window.
    virtual void Paint(Canvas& canvas) { (void)canvas; }
    // A left click released over the control (image buttons) or on its native window (checkbox).
    virtual void UserClick() {}
    // Grows the control where its content needs more room at the system's sizes; most controls
    // keep the size they are given.
    virtual void FitTo(ContentMetrics& metrics) { (void)metrics; }

    void ApplyProperties(const Properties& p) override;

    // Anchor arithmetic: keeps anchored edges at their distance when the window's client area changes.
    void KeepAnchorDistances(Size client);
    void FollowAnchors(Size client);
    void AlignTo(Rect& free);
    void ScaleBounds(int m, int d);
    void ScaleFont(int m, int d);

  protected:
    void Changed(ControlChange what);

  private:
    Rect bounds_;
    Anchors anchors_ = kDefaultAnchors;
    Align align_ = Align::None;
    int rightDistance_ = 0, bottomDistance_ = 0;
    bool enabled_ = true, visible_ = true, showHint_ = false, tabStop_ = false;
    std::string caption_, hint_, accessibleName_;
    TextOrigin captionOrigin_ = TextOrigin::Page;
    Cursor cursor_ = Cursor::Default;
    int tabOrder_ = -1;
    std::optional<Font> ownFont_;
    std::optional<Color> ownColor_;
};

using ComponentList = std::vector<std::unique_ptr<Component>>;

// Calls f(Control&) for each control among `components`, in creation order.
template <typename F>
void ForEachControl(const ComponentList& components, F&& f) {
    for (const auto& c : components)
        if (c->IsControl()) f(static_cast<Control&>(*c));
}

}  // namespace platform
