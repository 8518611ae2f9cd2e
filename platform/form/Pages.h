#pragma once
// The module's one current page window, owned here beside the door: made, placed and shown in one
// update, let go from anywhere, destroyed when the outermost entry closes. A host's exports only say
// what a page is and where it goes.
#include <memory>
#include <type_traits>

#include "platform/form/Form.h"

namespace platform {

// The current page, or null.
Form* CurrentPage();

// Lets go of the current page: hidden at once, destroyed when the outermost entry returns.
void RetireCurrentPage();

// Lets go of the current page at the host's word. With no other entry under this one, its window is
// destroyed at once: false, the page whole and still current, when the system refuses. Otherwise as
// RetireCurrentPage, and false to a call `carried` from another thread while a window let go still
// exists.
bool FreeCurrentPage(bool carried);

// A call on a page that lives at least as long as the call: a lambda passed down the stack, with
// no code of its own for each kind of call, which keeps the library small.
class PageAction {
  public:
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, PageAction>>>
    PageAction(F&& action)  // NOLINT: converts from any callable taking the page
        : object_(const_cast<void*>(static_cast<const void*>(&action))),
          call_([](void* object, Form& page) { (*static_cast<std::remove_reference_t<F>*>(object))(page); }) {
    }
    void operator()(Form& page) const { call_(object_, page); }

  private:
    void* object_;
    void (*call_)(void*, Form&);
};

// Makes `make()` the current page, the previous one let go first. `place` sets it up before its
// window exists; the page is then shown, and `shown` runs while it is still the current one, all
// within one update that ends on every path, so that the window is made and shown once. A page whose
// creation was overtaken (a host creating or freeing from inside its creation handler), or whose
// window the system refused, goes. Other errors leave the page, shown, and reach the caller.
void OpenPage(std::unique_ptr<Form> (*make)(), PageAction place, PageAction shown);

template <typename T, typename Place, typename Shown>
void OpenPage(Place&& place, Shown&& shown) {
    OpenPage([] { return std::unique_ptr<Form>(Form::Create<T>()); },
             [&](Form& page) { place(static_cast<T&>(page)); },
             [&](Form& page) { shown(static_cast<T&>(page)); });
}

}  // namespace platform
