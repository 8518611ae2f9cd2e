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

// Every property of a description, once, in declaration order: its type and its name. The fields
// and their merge are both made from this list, so a new property is one line here.
// A window's width and height are its client size. Images, popupMenu and parentMenu name other
// components of the same window, resolved after all are created; onClick, onCreate and onShow name
// event handlers. accessibleName is what assistive technology calls a control that has no caption
// or hint of its own. lines is a text box's text, each line ended by CR LF. pixelsPerInch and textHeight
// (window only) are the density the description was laid out at, and its font's text height there.
#define NAMTAIL_PROPERTIES(X)                  \
    X(std::optional<int>, left)                \
    X(std::optional<int>, top)                 \
    X(std::optional<int>, width)               \
    X(std::optional<int>, height)              \
    X(std::optional<Anchors>, anchors)         \
    X(std::optional<Align>, align)             \
    X(DescribedText, caption)                  \
    X(std::optional<Font>, font)               \
    X(std::optional<Color>, color)             \
    X(std::optional<int>, tabOrder)            \
    X(std::optional<bool>, tabStop)            \
    X(std::optional<bool>, visible)            \
    X(std::optional<bool>, enabled)            \
    X(std::optional<bool>, readOnly)           \
    X(std::optional<bool>, autoSize)           \
    X(std::optional<bool>, checked)            \
    X(std::optional<bool>, showHint)           \
    X(std::optional<bool>, flat)               \
    X(std::optional<bool>, bevel)              \
    X(std::optional<bool>, verticalScrollBar)  \
    X(DescribedText, lines)                    \
    X(std::optional<Cursor>, cursor)           \
    X(DescribedText, hint)                     \
    X(DescribedText, accessibleName)           \
    X(DescribedText, images)                   \
    X(DescribedText, popupMenu)                \
    X(DescribedText, parentMenu)               \
    X(std::optional<int>, imageIndex)          \
    X(std::optional<int>, hotImageIndex)       \
    X(std::optional<int>, shortCut)            \
    X(std::optional<int>, imageCount)          \
    X(std::optional<ImageSource>, imageSource) \
    X(DescribedText, onClick)                  \
    X(DescribedText, onCreate)                 \
    X(DescribedText, onShow)                   \
    X(std::optional<int>, pixelsPerInch)       \
    X(std::optional<int>, textHeight)

struct Properties {
#define NAMTAIL_PROPERTY_FIELD(type, name) type name;
    NAMTAIL_PROPERTIES(NAMTAIL_PROPERTY_FIELD)
#undef NAMTAIL_PROPERTY_FIELD

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

// The complete description: the base chain merged, components in creation order.
struct ResolvedDescription {
    Properties window;
    std::vector<ComponentDescription> components;
};

struct FormDescription {
    std::string_view name;
    const FormDescription* base = nullptr;
    Properties window;
    std::vector<ComponentDescription> components;
    // Its resolution, which depends on nothing but the description: made with the first window of it
    // and kept as long as the description (for the library's, until unload).
    mutable std::unique_ptr<const ResolvedDescription> resolved = nullptr;
};
const ResolvedDescription& Resolve(const FormDescription& description);

}  // namespace platform
