#pragma once
// Window descriptions: declarative property values for a window and its components. A derived
// description names its base and lists only its differences: changed properties of inherited
// components (by name) and components of its own, appended after the inherited ones.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace platform {

using ImageSource = std::vector<Bitmap> (*)();

// A text of a description: a literal, which lives as long as the program, or none. Cheaper to
// hold, copy and merge than an optional string, of which a description has many.
class DescribedText {
  public:
    constexpr DescribedText() = default;
    constexpr DescribedText(const char* text) : text_(text) {}  // literals convert
    explicit operator bool() const { return text_ != nullptr; }
    std::string operator*() const { return text_; }
    std::string value_or(const std::string& none) const { return text_ ? std::string(text_) : none; }

  private:
    const char* text_ = nullptr;
};

struct Properties {
    std::optional<int> left, top, width, height;  // a window's width and height are its client size
    std::optional<Anchors> anchors;
    std::optional<Align> align;
    DescribedText caption;
    std::optional<Font> font;
    std::optional<Color> color;
    std::optional<int> tabOrder;
    std::optional<bool> tabStop, visible, enabled, readOnly, autoSize, checked, showHint, flat, bevel;
    std::optional<bool> verticalScrollBar;
    std::optional<std::vector<std::string>> lines;
    std::optional<Cursor> cursor;
    DescribedText hint;
    // What assistive technology calls a control that has no caption or hint of its own.
    DescribedText accessibleName;
    // References to other components of the same window, resolved after all are created.
    DescribedText images, popupMenu, parentMenu;
    std::optional<int> imageIndex, hotImageIndex, shortCut, imageCount;
    std::optional<ImageSource> imageSource;
    // Event handlers, bound by name.
    DescribedText onClick, onCreate, onShow;
    // Window only: the density the description was laid out at, and its font's text height there.
    std::optional<int> pixelsPerInch, textHeight;

    // Takes every property that `diff` sets.
    void MergeFrom(const Properties& diff);
};

class Component;
class ComponentOwner;
using ComponentFactory = std::unique_ptr<Component> (*)(ComponentOwner* owner, std::string name);

// The factory of component class T, for descriptions.
template <typename T>
std::unique_ptr<Component> ClassOf(ComponentOwner* owner, std::string name) {
    return std::make_unique<T>(owner, std::move(name));
}

struct ComponentDescription {
    ComponentFactory create = nullptr;  // null in a derived description that changes an inherited one
    std::string_view name;
    Properties properties;
};

struct FormDescription {
    std::string_view name;
    const FormDescription* base = nullptr;
    Properties window;
    std::vector<ComponentDescription> components;
};

// The complete description: the base chain merged, components in creation order.
struct ResolvedDescription {
    Properties window;
    std::vector<ComponentDescription> components;
};
ResolvedDescription Resolve(const FormDescription& description);

}  // namespace platform
