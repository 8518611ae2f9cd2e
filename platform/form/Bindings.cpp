#include "platform/form/Bindings.h"

#include <utility>

#include "platform/Error.h"

namespace platform {

Bindings::Handler* Bindings::Published(std::string_view name) {
    for (auto& published : handlers_)
        if (name == published.name) return &published;
    return nullptr;
}

void Bindings::Publish(const char* name, EventHandler handler) {
    if (Handler* published = Published(name))
        published->handler = std::move(handler);  // a derived class's handler of the same name wins
    else
        handlers_.push_back({name, std::move(handler), false});
}

void Bindings::Refer(const char* name, const ComponentClass& componentClass, void* slot, Setter set) {
    members_.push_back({name, &componentClass, slot, set});
}

EventHandler Bindings::Bind(const std::string& name) {
    Handler* published = Published(name);
    if (!published) throw Error("Event handler not found: " + name);
    published->used = true;
    return published->handler;
}

void Bindings::ResolveMembers(const ComponentOwner& owner) const {
    for (const auto& member : members_)
        member.set(member.slot, owner.FindOfClass(member.name, *member.componentClass));
}

void Bindings::CheckAllUsed() const {
    for (const auto& published : handlers_)
        if (!published.used) throw Error(std::string("Event handler not used: ") + published.name);
}

}  // namespace platform
