#include "platform/Control.h"

#include "platform/Contrast.h"
#include "platform/System.h"

namespace platform {

int AccessKeyOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        char key = caption[++i];
        if (key == '&') continue;
        if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
        return 0;
    }
    return 0;
}

void Control::Changed(ControlChange what) {
    if (Owner()) Owner()->ControlChanged(*this, what);
}

void Control::SetBounds(const Rect& bounds) {
    if (bounds == bounds_) return;
    bounds_ = bounds;
    if (Owner()) KeepAnchorDistances(Owner()->ClientSize());
    Changed(ControlChange::Bounds);
}

void Control::SetAnchors(Anchors anchors) {
    anchors_ = anchors;
    if (Owner()) KeepAnchorDistances(Owner()->ClientSize());
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed(ControlChange::Enabled);
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed(ControlChange::Visible);
}

void Control::SetCaption(const std::string& caption, TextOrigin origin) {
    if (caption != caption_ || origin != captionOrigin_) RewriteCaption(caption, origin);
}

void Control::RewriteCaption(const std::string& caption, TextOrigin origin) {
    caption_ = caption;
    captionOrigin_ = origin;
    Changed(ControlChange::Text);
}

void Control::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    Changed(ControlChange::Hint);
}

const Font& Control::GetFont() const {
    if (ownFont_ || !Owner()) {
        static const Font kDefault;
        return ownFont_ ? *ownFont_ : kDefault;
    }
    return Owner()->GetFont();
}

Color Control::GetColor() const {
    if (ownColor_) return *ownColor_;
    return Owner() ? Owner()->GetColor() : kWhite;
}

Color Control::ShownBackground() const {
    return FollowsSystemScheme() ? kWindowBackground : GetColor();
}

Color Control::ShownText() const {
    if (FollowsSystemScheme()) return kWindowText;
    Color text = GetFont().color;
    bool replaced = Owner() && Owner()->Scheme() == ColorScheme::ReadableText && IsSystemColor(text);
    return replaced ? ReadableTextOn(ResolveColor(GetColor())) : text;
}

void Control::ApplyProperties(const Properties& p) {
    if (p.left || p.top || p.width || p.height)
        bounds_ = {p.left.value_or(bounds_.left), p.top.value_or(bounds_.top),
                   p.width.value_or(bounds_.width), p.height.value_or(bounds_.height)};
    if (p.anchors) anchors_ = *p.anchors;
    if (p.align) align_ = *p.align;
    if (p.enabled) enabled_ = *p.enabled;
    if (p.visible) visible_ = *p.visible;
    if (p.caption) caption_ = *p.caption;
    if (p.hint) hint_ = *p.hint;
    if (p.accessibleName) accessibleName_ = *p.accessibleName;
    if (p.showHint) showHint_ = *p.showHint;
    if (p.cursor) cursor_ = *p.cursor;
    if (p.tabOrder) tabOrder_ = *p.tabOrder;
    if (p.tabStop) tabStop_ = *p.tabStop;
    if (p.font) ownFont_ = *p.font;
    if (p.color) ownColor_ = *p.color;
}

void Control::KeepAnchorDistances(Size client) {
    rightDistance_ = client.width - bounds_.Right();
    bottomDistance_ = client.height - bounds_.Bottom();
}

void Control::FollowAnchors(Size client) {
    if (align_ != Align::None) return;
    Rect r = bounds_;
    if (anchors_ & kAnchorRight) {
        if (anchors_ & kAnchorLeft)
            r.width = client.width - rightDistance_ - r.left;
        else
            r.left = client.width - rightDistance_ - r.width;
    }
    if (anchors_ & kAnchorBottom) {
        if (anchors_ & kAnchorTop)
            r.height = client.height - bottomDistance_ - r.top;
        else
            r.top = client.height - bottomDistance_ - r.height;
    }
    if (r == bounds_) return;
    bounds_ = r;
    Changed(ControlChange::Bounds);
}

void Control::AlignTo(Rect& free) {
    Rect r = bounds_;
    switch (align_) {
        case Align::None:
            return;
        case Align::Top:
            r = {free.left, free.top, free.width, r.height};
            free.top += r.height, free.height -= r.height;
            break;
        case Align::Bottom:
            r = {free.left, free.Bottom() - r.height, free.width, r.height};
            free.height -= r.height;
            break;
        case Align::Left:
            r = {free.left, free.top, r.width, free.height};
            free.left += r.width, free.width -= r.width;
            break;
        case Align::Right:
            r = {free.Right() - r.width, free.top, r.width, free.height};
            free.width -= r.width;
            break;
    }
    if (r == bounds_) return;
    bounds_ = r;
    Changed(ControlChange::Bounds);
}

void Control::ScaleBounds(int m, int d) {
    bounds_ = {MulDiv(bounds_.left, m, d), MulDiv(bounds_.top, m, d), MulDiv(bounds_.width, m, d),
               MulDiv(bounds_.height, m, d)};
    Changed(ControlChange::Bounds);
}

void Control::ScaleFont(int m, int d) {
    if (!ownFont_) return;
    ownFont_->height = MulDiv(ownFont_->height, m, d);
    Changed(ControlChange::Look);
}

}  // namespace platform
