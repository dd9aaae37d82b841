#include "component/Collection.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "component/Exception.h"

namespace component {

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCollectionItem, TPersistent>("TCollectionItem").Build();
  return info;
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCollection, TPersistent>("TCollection").Build();
  return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) {
  SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (!collection_) return;
  auto& items = collection_->items_;
  int current = Index();
  index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
  if (index == current) return;
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_) collection_->Changed(allItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const {
  return collection_;
}

std::string TCollectionItem::GetNamePath() const {
  if (!collection_) return ClassName();
  return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

TCollection::TCollection(const TClassInfo& itemClass, TPersistent* owner)
    : itemClass_(&itemClass), owner_(owner) {}

TCollection::~TCollection() {
  // Items go without notifications: the derived part is already gone.
  ++updateCount_;
  while (!items_.empty()) {
    TCollectionItem* last = items_.back();
    items_.pop_back();
    last->collection_ = nullptr;
    delete last;
  }
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[index];
}

TCollectionItem* TCollection::Add() {
  return itemClass_->CreateItem(this);
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) {
  delete Items(index);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (updateCount_ == 0) throw EInvalidOperation("Unpaired EndUpdate call");
  if (--updateCount_ == 0) Changed(nullptr);
}

std::string TCollection::GetNamePath() const {
  if (!owner_) return ClassName();
  std::string ownerPath = owner_->GetNamePath();
  // The property that publishes this collection names it.
  for (const TClassInfo* c = &owner_->ClassInfo(); c; c = c->Parent()) {
    for (const TPropertyInfo& p : c->OwnProperties()) {
      if (p.kind == TPropertyKind::Collection && p.object(*owner_) == this)
        return ownerPath.empty() ? p.name : ownerPath + "." + p.name;
    }
  }
  return ownerPath.empty() ? ClassName() : ownerPath + "." + ClassName();
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Notify(item, cnAdded);
  Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* item) {
  Notify(item, cnDeleting);
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ == 0) Update(item);
}

}  // namespace component
