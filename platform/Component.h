#pragma once
// Components: named parts of a window, owned by it in creation order. A component can ask another
// to tell it when that one is destroyed, so that no reference outlives what it refers to.
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Description.h"

namespace platform {

class Component;
class Control;
enum class ControlChange;
enum class Operation { Insert, Remove };
using EventHandler = std::function<void(Component* sender)>;

// The identity of a component class, so that a window can hand out its components by class without
// the compiler's run-time type information (which would weigh on the library). Every class that
// `Form::Find` is asked for declares its own with NAMTAIL_COMPONENT_CLASS.
struct ComponentClass {
    const ComponentClass* base;
};

// ClassTagOwner names, in unevaluated code only, the class that declared the tag last.
#define NAMTAIL_COMPONENT_CLASS(Base)                                  \
    static constexpr ::platform::ComponentClass kClass{&Base::kClass}; \
    const ::platform::ComponentClass& Class() const override {         \
        return kClass;                                                 \
    }                                                                  \
    auto ClassTagOwner() const->decltype(this);

// True when T declares its own class tag; a class without one would be taken for its base.
template <typename T>
inline constexpr bool kHasOwnComponentClass = std::is_same_v<
    std::remove_cv_t<std::remove_pointer_t<decltype(std::declval<const T&>().ClassTagOwner())>>, T>;

// What a component may ask of the window that owns it, without knowing the window's class: the
// window toolkit's layers stay one above the other.
class ComponentOwner {
  public:
    // The component of that name and class; an error when there is none.
    virtual Component& FindOfClass(const std::string& name, const ComponentClass& componentClass) const = 0;
    // The handler a description names; an error when the window publishes none of that name.
    virtual EventHandler BindHandler(const std::string& name) = 0;
    // A control's state changed: the owner mirrors it on screen.
    virtual void ControlChanged(Control& control, ControlChange what) = 0;
    virtual Size ClientSize() const = 0;
    virtual const Font& GetFont() const = 0;
    virtual Color GetColor() const = 0;
    // Where backgrounds and texts come from: the descriptions, or the system's scheme.
    virtual ColorScheme Scheme() const = 0;

    template <typename T>
    T& Find(const std::string& name) const {
        static_assert(kHasOwnComponentClass<T>, "declare the class tag with NAMTAIL_COMPONENT_CLASS");
        return static_cast<T&>(FindOfClass(name, T::kClass));
    }

  protected:
    ~ComponentOwner() = default;
};

class Component {
  public:
    static constexpr ComponentClass kClass{nullptr};
    virtual const ComponentClass& Class() const { return kClass; }
    auto ClassTagOwner() const -> decltype(this);
    bool InheritsFrom(const ComponentClass& tag) const {
        for (const ComponentClass* c = &Class(); c; c = c->base)
            if (c == &tag) return true;
        return false;
    }

    Component(ComponentOwner* owner, std::string name) : owner_(owner), name_(std::move(name)) {}
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    ComponentOwner* Owner() const { return owner_; }
    virtual bool IsControl() const { return false; }

    // Asks this component to call subscriber->Notification(this, Remove) when it is destroyed.
    void FreeNotification(Component* subscriber);
    void RemoveFreeNotification(Component* subscriber);
    virtual void Notification(Component* /*component*/, Operation /*operation*/) {}

    // Loading from a description: own values first, then references and events once all exist.
    virtual void ApplyProperties(const Properties& /*properties*/) {}
    virtual void ResolveReferences(const Properties& /*properties*/, ComponentOwner& /*owner*/) {}
    virtual void BindEvents(const Properties& /*properties*/, ComponentOwner& /*owner*/) {}

  private:
    ComponentOwner* owner_;
    std::string name_;
    std::vector<Component*> notifies_;  // both directions: whom to tell, and who will tell us
};

}  // namespace platform
