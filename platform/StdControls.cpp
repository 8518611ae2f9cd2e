#include "platform/StdControls.h"

#include <algorithm>

namespace platform {

// The border strips keep a colour of their own in the system's scheme: its highlight.
void Panel::Paint(Canvas& canvas) {
    canvas.FillRect(Bounds(), FollowsSystemScheme() ? kHighlight : GetColor());
}

void Memo::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    Changed(ControlChange::Text);
}

namespace {
// Lines end at CR, LF or CR LF; a last line without an end counts too.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}
}  // namespace

void Memo::SetText(const std::string& text) {
    SetLines(SplitLines(text));
}

std::string Memo::Text() const {
    std::string text;
    for (const auto& line : lines_) text += line + "\r\n";
    return text;
}

void Memo::ApplyProperties(const Properties& p) {
    Control::ApplyProperties(p);
    if (p.lines) lines_ = SplitLines(*p.lines);
    if (p.readOnly) readOnly_ = *p.readOnly;
    if (p.verticalScrollBar) verticalScrollBar_ = *p.verticalScrollBar;
}

void CheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed(ControlChange::Checked);
    if (onClick) onClick(this);
}

void CheckBox::FitTo(ContentMetrics& metrics) {
    constexpr int kCaptionGap = 6;  // between square and caption, and room for the focus rectangle
    Size square = metrics.CheckSquare();
    const Rect& r = Bounds();
    Rect fitted{r.left, r.top,
                std::max(r.width, square.width + kCaptionGap + metrics.TextWidth(GetFont(), Caption())),
                std::max(r.height, square.height)};
    if (!(fitted == r)) SetBounds(fitted);
}

void CheckBox::ApplyProperties(const Properties& p) {
    Control::ApplyProperties(p);
    if (p.checked) checked_ = *p.checked;
}

void CheckBox::BindEvents(const Properties& p, ComponentOwner& owner) {
    if (p.onClick) onClick = owner.BindHandler(*p.onClick);
}

void SpeedButton::SetGlyph(Bitmap glyph) {
    glyph_ = std::move(glyph);
    Changed(ControlChange::Look);
}

void SpeedButton::Click() {
    if (onClick) onClick(this);
}

void SpeedButton::MouseInControlChanged(bool in) {
    mouseInControl_ = in;
    if (flat_) Changed(ControlChange::Look);
}

void SpeedButton::Paint(Canvas& canvas) {
    const Rect& r = Bounds();
    canvas.FillRect(r, ShownBackground());
    // In the system's scheme an outline in its text colour shows where each button is.
    if (FollowsSystemScheme()) canvas.FrameRect(r, kWindowText);
    if (flat_ && mouseInControl_ && Enabled()) canvas.FrameRect(r, Rgb(140, 170, 230));
    if (glyph_.Empty()) return;
    canvas.DrawBitmap(r.left + (r.width - glyph_.width) / 2, r.top + (r.height - glyph_.height) / 2,
                      ComposeGlyph(glyph_, canvas.Resolve(ShownBackground()), !Enabled()));
}

void SpeedButton::ApplyProperties(const Properties& p) {
    Control::ApplyProperties(p);
    if (p.flat) flat_ = *p.flat;
}

void SpeedButton::BindEvents(const Properties& p, ComponentOwner& owner) {
    if (p.onClick) onClick = owner.BindHandler(*p.onClick);
}

Bitmap ComposeGlyph(const Bitmap& glyph, Color background, bool greyed) {
    Bitmap out = glyph;
    const std::uint32_t bg =
        ((background & 0xFF) << 16) | (background & 0xFF00) | ((background >> 16) & 0xFF);
    for (auto& px : out.pixels) {
        if ((px >> 24) == 0) {
            px = 0xFF000000u | bg;
            continue;
        }
        if (greyed) {
            unsigned r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
            unsigned grey = (r * 30 + g * 59 + b * 11) / 100;
            grey = 128 + grey / 2;  // light grey: a disabled button recedes
            px = 0xFF000000u | (grey << 16) | (grey << 8) | grey;
        }
    }
    return out;
}

}  // namespace platform
