#pragma once
// The standard controls a tip window is made of.
#include <functional>
#include <string>
#include <vector>

#include "platform/Control.h"

namespace platform {

class Panel : public Control {
  public:
    NAMTAIL_COMPONENT_CLASS(Control)
    using Control::Control;
    void Paint(Canvas& canvas) override;
};

class StaticText : public Control {
  public:
    NAMTAIL_COMPONENT_CLASS(Control)
    using Control::Control;
    NativeKind Kind() const override { return NativeKind::Static; }
    bool DrawsText() const override { return true; }
    AccessibleRole Role() const override { return AccessibleRole::StaticText; }
};

// Multi-line text box; its text is split into lines at CR, LF or CR LF.
class Memo : public Control {
  public:
    NAMTAIL_COMPONENT_CLASS(Control)
    using Control::Control;
    NativeKind Kind() const override { return NativeKind::Edit; }
    bool DrawsText() const override { return true; }
    AccessibleRole Role() const override { return AccessibleRole::Text; }
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines);
    void SetText(const std::string& text);
    // The lines joined with CR LF, as the native box shows them.
    std::string Text() const;
    bool ReadOnly() const { return readOnly_; }
    bool VerticalScrollBar() const { return verticalScrollBar_; }
    void ApplyProperties(const Properties& p) override;

  private:
    std::vector<std::string> lines_;
    bool readOnly_ = false, verticalScrollBar_ = false;
};

class CheckBox : public Control {
  public:
    NAMTAIL_COMPONENT_CLASS(Control)
    using Control::Control;
    NativeKind Kind() const override { return NativeKind::CheckBox; }
    bool DrawsText() const override { return true; }
    AccessibleRole Role() const override { return AccessibleRole::CheckButton; }
    bool Checked() const { return checked_; }
    // Every actual change runs the click handler; setting the state it already has does nothing.
    void SetChecked(bool checked);
    void UserClick() override { SetChecked(!checked_); }
    // No smaller than the system's check square beside its caption: grown where its own size is too
    // small (a dense screen's square, a longer caption), never shrunk.
    void FitTo(ContentMetrics& metrics) override;
    EventHandler onClick;
    void ApplyProperties(const Properties& p) override;
    void BindEvents(const Properties& p, ComponentOwner& owner) override;

  private:
    bool checked_ = false;
};

// Flat tool-bar button without a window of its own: a glyph and a click event.
class SpeedButton : public Control {
  public:
    NAMTAIL_COMPONENT_CLASS(Control)
    using Control::Control;
    const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(Bitmap glyph);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat) { flat_ = flat; }
    bool MouseInControl() const { return mouseInControl_; }
    AccessibleRole Role() const override { return AccessibleRole::PushButton; }
    void Click();
    void UserClick() override { Click(); }
    void MouseEntered() override { MouseInControlChanged(true); }
    void MouseLeft() override { MouseInControlChanged(false); }
    void Paint(Canvas& canvas) override;
    void ApplyProperties(const Properties& p) override;
    void BindEvents(const Properties& p, ComponentOwner& owner) override;
    EventHandler onClick;

  private:
    void MouseInControlChanged(bool in);

    Bitmap glyph_;
    bool flat_ = false, mouseInControl_ = false;
};

// The glyph as drawn: composed over the background, greyed when disabled.
Bitmap ComposeGlyph(const Bitmap& glyph, Color background, bool greyed);

}  // namespace platform
