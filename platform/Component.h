#pragma once
// Components: named parts of a window, owned by it in creation order. A component can ask another
// to tell it when that one is destroyed, so that no reference outlives what it refers to.
#include <string>
#include <vector>

#include "platform/Description.h"

namespace platform {

class Form;
enum class Operation { Insert, Remove };

// Toolkit messages delivered to controls.
constexpr unsigned kCmMouseEnter = 0xB013;
constexpr unsigned kCmMouseLeave = 0xB014;

class Component {
  public:
    Component(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {}
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    Form* Owner() const { return owner_; }
    virtual bool IsControl() const { return false; }

    // Asks this component to call subscriber->Notification(this, Remove) when it is destroyed.
    void FreeNotification(Component* subscriber);
    void RemoveFreeNotification(Component* subscriber);
    virtual void Notification(Component* /*component*/, Operation /*operation*/) {}

    // Loading from a description: own values first, then references and events once all exist.
    virtual void ApplyProperties(const Properties& /*properties*/) {}
    virtual void ResolveReferences(const Properties& /*properties*/, Form& /*form*/) {}
    virtual void BindEvents(const Properties& /*properties*/, Form& /*form*/) {}

  private:
    Form* owner_;
    std::string name_;
    std::vector<Component*> notifies_;  // both directions: whom to tell, and who will tell us
};

}  // namespace platform
