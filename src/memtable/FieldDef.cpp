#include "memtable/FieldDef.h"

#include <strings.h>

#include <algorithm>

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

namespace memtable {

namespace {
constexpr std::size_t kMaxFlatFieldDefs = 256;

void FlattenInto(const TFieldDefs& defs, const std::string& prefix,
                 std::vector<TFlatFieldDef>& out) {
  for (int i = 0; i < defs.Count(); ++i) {
    // Beyond the most a record layout takes the table is refused anyway;
    // a huge array must not be expanded first.
    if (out.size() > kMaxFlatFieldDefs) return;
    const TFieldDef& d = defs[i];
    std::string name = prefix + d.Name();
    out.push_back({&d, name, static_cast<int>(out.size()) + 1});
    if (!d.HasChildDefs()) continue;
    TFieldDefs& children = const_cast<TFieldDef&>(d).ChildDefs();
    if (d.DataType() != ftArray) {
      FlattenInto(children, name + ".", out);
      continue;
    }
    for (int r = 0; r < std::max(1, d.Size()) && out.size() <= kMaxFlatFieldDefs; ++r) {
      std::string element = name + "[" + std::to_string(r) + "]";
      if (children.Count() == 1) {
        const TFieldDef& c = children[0];
        out.push_back({&c, element, static_cast<int>(out.size()) + 1});
        if (c.HasChildDefs())
          FlattenInto(const_cast<TFieldDef&>(c).ChildDefs(), element + ".", out);
      } else {
        FlattenInto(children, element + ".", out);
      }
    }
  }
}
}  // namespace

std::vector<TFlatFieldDef> FlattenFieldDefs(const TFieldDefs& defs) {
  std::vector<TFlatFieldDef> out;
  FlattenInto(defs, {}, out);
  return out;
}

}  // namespace memtable
