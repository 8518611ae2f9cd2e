#pragma once
// How the page's accessible object numbers its children, in one place for the object that answers
// clients and for the events that tell them of changes: the windows of the controls first, 1 to n,
// as the system's standard object numbers them; the windowless parts follow in creation order.
#include <windows.h>

#include <cstddef>

namespace platform {

inline LONG PartChildId(LONG windowedChildren, std::size_t partIndex) {
    return windowedChildren + static_cast<LONG>(partIndex) + 1;
}

inline LONG AccessibleChildCount(LONG windowedChildren, std::size_t parts) {
    return windowedChildren + static_cast<LONG>(parts);
}

// The part an id names, as an index: negative for the window itself or a windowed child, and at
// least `parts` past the last part. Any client may send any id: computed wide, so none overflows.
inline long long PartIndexOfChildId(LONG windowedChildren, LONG id) {
    return static_cast<long long>(id) - windowedChildren - 1;
}

}  // namespace platform
