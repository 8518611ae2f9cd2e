#pragma once
// The module's one current page window, owned here beside the door: made, placed and shown in one
// update, let go from anywhere, destroyed when the outermost entry closes. A host's exports only say
// what a page is and where it goes.
#include <functional>
#include <memory>

#include "platform/form/Form.h"

namespace platform {

// The current page, or null.
Form* CurrentPage();

// Lets go of the current page: hidden at once, destroyed when the outermost entry returns.
void RetireCurrentPage();

// Makes `make()` the current page, the previous one let go first. `place` sets it up before its
// window exists; the page is then shown, and `shown` runs while it is still the current one, all
// within one update that ends on every path, so that the window is made and shown once. A page whose
// creation was overtaken (a host creating or freeing from inside its creation handler), or whose
// window the system refused, goes. Other errors leave the page, shown, and reach the caller.
void OpenPage(const std::function<std::unique_ptr<Form>()>& make, const std::function<void(Form&)>& place,
              const std::function<void(Form&)>& shown);

template <typename T>
void OpenPage(const std::function<void(T&)>& place, const std::function<void(T&)>& shown) {
    OpenPage([] { return std::unique_ptr<Form>(Form::Create<T>()); },
             [&](Form& page) { place(static_cast<T&>(page)); },
             [&](Form& page) { shown(static_cast<T&>(page)); });
}

}  // namespace platform
