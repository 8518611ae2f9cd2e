#pragma once
// A call of an action that lives at least as long as the call: a lambda passed down the stack.
// Unlike std::function it copies nothing and needs no code of its own for each kind of action,
// which keeps the library small.
#include <type_traits>
#include <utility>

namespace platform {

class ActionRef {
  public:
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, ActionRef>>>
    ActionRef(F&& action)  // NOLINT: converts from any callable, as std::function does
        : object_(const_cast<void*>(static_cast<const void*>(&action))),
          call_([](void* object) { (*static_cast<std::remove_reference_t<F>*>(object))(); }) {}
    void operator()() const { call_(object_); }

  private:
    void* object_;
    void (*call_)(void*);
};

}  // namespace platform
