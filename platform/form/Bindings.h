#pragma once
// The names a window class publishes for its description: the event handlers, and the components
// its handlers use. Loading binds each name once and checks both sides, so that a misspelt name
// fails the load with an error naming it, never the first click.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Component.h"

namespace platform {

// Names are literals, as in descriptions: they live as long as the program.
class Bindings {
  public:
    // A derived class's handler of the same name replaces its base's.
    void Publish(const char* name, EventHandler handler);
    // `member` is set to the component of that name and class when the window loads.
    template <typename T>
    void Publish(const char* name, T*& member) {
        static_assert(kHasOwnComponentClass<T>, "declare the class tag with NAMTAIL_COMPONENT_CLASS");
        Refer(name, T::kClass, &member,
              [](void* slot, Component& c) { *static_cast<T**>(slot) = static_cast<T*>(&c); });
    }

    // The handler a description names, counted as used; an error when none has that name.
    EventHandler Bind(const std::string& name);
    // Fills every published component member; an error naming one that does not resolve.
    void ResolveMembers(const ComponentOwner& owner) const;
    // An error naming a published handler that no description used.
    void CheckAllUsed() const;

  private:
    using Setter = void (*)(void* slot, Component& component);

    struct Handler {
        const char* name;
        EventHandler handler;
        bool used;
    };
    struct Member {
        const char* name;
        const ComponentClass* componentClass;
        void* slot;
        Setter set;
    };
    Handler* Published(std::string_view name);
    void Refer(const char* name, const ComponentClass& componentClass, void* slot, Setter set);

    // A window publishes a handful of names: lists searched in order are all it takes.
    std::vector<Handler> handlers_;
    std::vector<Member> members_;
};

}  // namespace platform
