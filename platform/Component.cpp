#include "platform/Component.h"

#include <algorithm>

namespace platform {
namespace {

void Erase(std::vector<Component*>& list, Component* c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
}

}  // namespace

Component::~Component() {
    auto notifies = std::move(notifies_);
    for (Component* other : notifies) {
        Erase(other->notifies_, this);
        other->Notification(this, Operation::Remove);
    }
}

void Component::FreeNotification(Component* subscriber) {
    if (!subscriber || subscriber == this) return;
    if (std::find(notifies_.begin(), notifies_.end(), subscriber) == notifies_.end())
        notifies_.push_back(subscriber);
    if (std::find(subscriber->notifies_.begin(), subscriber->notifies_.end(), this) ==
        subscriber->notifies_.end())
        subscriber->notifies_.push_back(this);
}

void Component::RemoveFreeNotification(Component* subscriber) {
    if (!subscriber) return;
    Erase(notifies_, subscriber);
    Erase(subscriber->notifies_, this);
}

}  // namespace platform
