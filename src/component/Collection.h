// Collections: an ordered list of items of one class, owned by the
// collection and usually published as a property of a component
// (InternalSkins = <item ... end> in a stored description).
#pragma once

#include <string>
#include <vector>

#include "component/Persistent.h"

namespace component {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  // Joins `collection` at its end when one is given.
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to the end of another collection (or out of any).
  void SetCollection(TCollection* collection);
  int Index() const;
  void SetIndex(int index);
  // Unique within the collection and never reused there.
  int ID() const { return id_; }
  virtual std::string DisplayName() const { return ClassName(); }

  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;

 protected:
  // Tells the collection this item (or, with allItems, the whole list) changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

enum TCollectionNotification { cnAdded, cnDeleting };

class TCollection : public TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  // Items are created as `itemClass`, which must describe a TCollectionItem
  // descendant constructible from the collection.
  explicit TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;

  const TClassInfo& ItemClass() const { return *itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // EListError when the index is outside 0..Count()-1.
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;

  // Update() calls are held back while updates are open; the last EndUpdate
  // sends one for the whole collection. An EndUpdate without BeginUpdate
  // fails with EInvalidOperation.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  TPersistent* GetOwner() const override { return owner_; }
  // The owner's path and the name of the property that publishes this
  // collection: "SkinManager.InternalSkins".
  std::string GetNamePath() const override;

 protected:
  // A change to `item`, or to the whole collection when it is null.
  virtual void Update(TCollectionItem* item) { (void)item; }
  virtual void Notify(TCollectionItem* item, TCollectionNotification action) {
    (void)item, (void)action;
  }

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void Changed(TCollectionItem* item);

  const TClassInfo* itemClass_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};

// A collection of items of class Item with typed access.
template <class Item>
class TOwnedCollection : public TCollection {
 public:
  explicit TOwnedCollection(TPersistent* owner) : TCollection(Item::StaticClassInfo(), owner) {}
  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
  Item* Insert(int index) { return static_cast<Item*>(TCollection::Insert(index)); }
  Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }
};

}  // namespace component
