#include "platform/Description.h"

#include <algorithm>

namespace platform {
namespace {

template <typename T>
void Take(std::optional<T>& target, const std::optional<T>& diff) {
    if (diff) target = diff;
}

void Take(DescribedText& target, DescribedText diff) {
    if (diff) target = diff;
}

}  // namespace

void Properties::MergeFrom(const Properties& d) {
    Take(left, d.left), Take(top, d.top), Take(width, d.width), Take(height, d.height);
    Take(anchors, d.anchors), Take(align, d.align), Take(caption, d.caption), Take(font, d.font);
    Take(color, d.color), Take(tabOrder, d.tabOrder), Take(tabStop, d.tabStop), Take(visible, d.visible);
    Take(enabled, d.enabled), Take(readOnly, d.readOnly), Take(autoSize, d.autoSize);
    Take(checked, d.checked), Take(showHint, d.showHint), Take(flat, d.flat), Take(bevel, d.bevel);
    Take(verticalScrollBar, d.verticalScrollBar), Take(lines, d.lines), Take(cursor, d.cursor);
    Take(hint, d.hint), Take(accessibleName, d.accessibleName);
    Take(images, d.images), Take(popupMenu, d.popupMenu), Take(parentMenu, d.parentMenu);
    Take(imageIndex, d.imageIndex), Take(hotImageIndex, d.hotImageIndex), Take(shortCut, d.shortCut);
    Take(imageCount, d.imageCount), Take(imageSource, d.imageSource), Take(onClick, d.onClick);
    Take(onCreate, d.onCreate), Take(onShow, d.onShow), Take(pixelsPerInch, d.pixelsPerInch);
    Take(textHeight, d.textHeight);
}

ResolvedDescription Resolve(const FormDescription& description) {
    ResolvedDescription resolved;
    if (description.base) resolved = Resolve(*description.base);
    resolved.window.MergeFrom(description.window);
    for (const auto& component : description.components) {
        auto inherited =
            std::find_if(resolved.components.begin(), resolved.components.end(),
                         [&](const ComponentDescription& c) { return c.name == component.name; });
        if (inherited != resolved.components.end())
            inherited->properties.MergeFrom(component.properties);
        else
            resolved.components.push_back(component);
    }
    return resolved;
}

}  // namespace platform
