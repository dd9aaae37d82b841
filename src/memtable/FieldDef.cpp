#include "memtable/FieldDef.h"

#include <strings.h>

namespace memtable {

TFieldDef::TFieldDef(TFieldDefs* collection, std::string name, TFieldType type, int size,
                     bool required)
    : collection_(collection), name_(std::move(name)), dataType_(type), size_(size) {
  SetRequired(required);
}

int TFieldDef::FieldNo() const {
  return collection_ ? collection_->IndexOf(this) + 1 : 0;
}

TFieldDefs& TFieldDef::ChildDefs() {
  if (!children_) children_ = std::make_unique<TFieldDefs>();
  return *children_;
}

bool TFieldDef::HasChildDefs() const {
  return children_ && children_->Count() > 0;
}

TFieldDef& TFieldDefs::Add(const std::string& name, TFieldType type, int size, bool required) {
  items_.push_back(std::make_unique<TFieldDef>(this, name, type, size, required));
  return *items_.back();
}

TFieldDef& TFieldDefs::AddFieldDef() {
  return Add({}, ftUnknown, 0, false);
}

TFieldDef* TFieldDefs::Find(const std::string& name) {
  for (auto& d : items_)
    if (strcasecmp(d->Name().c_str(), name.c_str()) == 0) return d.get();
  return nullptr;
}

int TFieldDefs::IndexOf(const TFieldDef* def) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == def) return static_cast<int>(i);
  return -1;
}

void TFieldDefs::Assign(const TFieldDefs& other) {
  items_.clear();
  for (const auto& d : other.items_) {
    TFieldDef& n = Add(d->Name(), d->DataType(), d->Size(), false);
    n.SetPrecision(d->Precision());
    n.SetAttributes(d->Attributes());
    n.SetInternalCalcField(d->InternalCalcField());
    if (d->HasChildDefs()) n.ChildDefs().Assign(const_cast<TFieldDef&>(*d).ChildDefs());
  }
}

}  // namespace memtable
