// TComponent: a named object that can own other components. An owner keeps
// its components in insertion order (for a window: the order of its stored
// description), finds them by name ignoring case, tells them when one of them
// goes away, and destroys them, last first, when it is destroyed itself.
//
// References between components are kept safe by notification: a component
// that holds a pointer to another either shares its owner (the owner tells
// every component it owns when one is removed) or asks for a free
// notification; both arrive as Notification(component, opRemove).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "component/Persistent.h"
#include "component/Set.h"

namespace component {

enum TComponentStateFlag {
  csLoading,     // created by the reader; cleared just before Loaded()
  csReading,     // its properties are being read
  csDestroying,  // its destruction has begun
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }

  const std::string& Name() const { return name_; }
  // Fails with EComponentError when the name is not an identifier (letters,
  // digits and underscores, not starting with a digit) or when another
  // component of the same owner has it, ignoring case. Empty is allowed.
  void SetName(std::string_view name);

  std::int64_t Tag() const { return tag_; }
  void SetTag(std::int64_t v) { tag_ = v; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // EListError when the index is outside 0..ComponentCount()-1.
  TComponent* Components(int index) const;
  // Position in the owner's list; -1 without owner.
  int ComponentIndex() const;
  void SetComponentIndex(int index);
  // The owned component with that name, ignoring case; null when none (also
  // for an empty name).
  TComponent* FindComponent(std::string_view name) const;

  // Takes over `component` from its current owner, keeping its name unique.
  void InsertComponent(TComponent* component);
  // Gives up `component` without destroying it; everything this owns hears
  // of it as opRemove.
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, last first.
  void DestroyComponents();

  // Marks the start of destruction; derived destructors may call it first.
  void Destroying();
  TComponentState ComponentState() const { return state_; }

  // `component` will hear Notification(this, opRemove) when this one is
  // destroyed. Both sides forget the link when either goes away.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called once the stored description that created or configured this
  // component has been read completely and every reference in it resolved.
  virtual void Loaded() {}

  // Hooks for visual components: the reader passes the component whose
  // description encloses this one (the visual parent) and the position among
  // the enclosing object's nested objects. The base ignores both.
  virtual void SetParentComponent(TComponent* parent) { (void)parent; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  virtual void SetChildOrder(TComponent* child, int order) { (void)child, (void)order; }

  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override { return name_; }

 protected:
  // `component` was inserted into or removed from an owner this component
  // belongs to (or owns), or is being destroyed after a FreeNotification.
  // Overrides drop their references to a removed component.
  virtual void Notification(TComponent* component, TOperation operation) {
    (void)component, (void)operation;
  }
  // Called on the owner before `component` takes `newName`; the base rejects
  // a name that another owned component has.
  virtual void ValidateRename(TComponent* component, std::string_view newName) const;

 private:
  friend class TReader;

  // Notification to this component and, depth first, to all it owns.
  void NotifyTree(TComponent* component, TOperation operation);
  void Detach(TComponent* component);

  TComponent* owner_ = nullptr;
  std::string name_;
  std::int64_t tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// True when `name` may name a component.
bool IsValidIdent(std::string_view name);

}  // namespace component
