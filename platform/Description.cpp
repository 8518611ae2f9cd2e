#include "platform/Description.h"

#include <algorithm>
#include <utility>

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
#define NAMTAIL_TAKE_PROPERTY(type, name) Take(name, d.name);
    NAMTAIL_PROPERTIES(NAMTAIL_TAKE_PROPERTY)
#undef NAMTAIL_TAKE_PROPERTY
}

const ResolvedDescription& Resolve(const FormDescription& description) {
    if (description.resolved) return *description.resolved;
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
    description.resolved = std::make_unique<const ResolvedDescription>(std::move(resolved));
    return *description.resolved;
}

}  // namespace platform
