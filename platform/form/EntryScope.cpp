#include "platform/form/EntryScope.h"

#include <utility>
#include <vector>

namespace platform {
namespace {

// One user-interface thread runs the module, so plain counters do. The list exists only while it
// holds something: a static object would be destroyed at unload in no set order with the windows.
int depth = 0;
std::vector<std::unique_ptr<Component>>* retired = nullptr;

// Destroying a window sends it messages, which open scopes of their own and may retire more: the
// depth stays above zero meanwhile, and the loop takes whatever was added.
void DestroyRetired() {
    ++depth;
    while (retired) {
        std::unique_ptr<std::vector<std::unique_ptr<Component>>> batch(std::exchange(retired, nullptr));
        while (!batch->empty()) batch->pop_back();
    }
    --depth;
}

}  // namespace

EntryScope::EntryScope() noexcept {
    ++depth;
}

EntryScope::~EntryScope() {
    if (--depth == 0 && retired) DestroyRetired();
}

bool EntryScope::Inside() {
    return depth > 0;
}

void Retire(std::unique_ptr<Component> component) {
    if (!component) return;
    if (!retired) retired = new std::vector<std::unique_ptr<Component>>;
    retired->push_back(std::move(component));
    if (depth == 0) DestroyRetired();
}

}  // namespace platform
