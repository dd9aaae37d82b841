#include "component/ClassInfo.h"

#include <map>
#include <stdexcept>

#include "component/Component.h"
#include "component/Exception.h"

namespace component {

const char* PropertyKindText(TPropertyKind kind) {
  switch (kind) {
    case TPropertyKind::Integer:
      return "an integer";
    case TPropertyKind::Float:
      return "a number";
    case TPropertyKind::String:
      return "a string";
    case TPropertyKind::Boolean:
      return "True or False";
    case TPropertyKind::Enumeration:
      return "an identifier";
    case TPropertyKind::Set:
      return "a set";
    case TPropertyKind::Binary:
      return "a binary block";
    case TPropertyKind::Strings:
      return "a list of strings";
    case TPropertyKind::Collection:
      return "a collection";
    case TPropertyKind::Object:
      return "an object";
    case TPropertyKind::Component:
      return "a component reference";
    case TPropertyKind::Event:
      return "a method name";
  }
  return "a value";
}

TEnumInfo::TEnumInfo(std::string typeName, std::vector<std::string> names)
    : typeName_(std::move(typeName)), names_(std::move(names)) {}

int TEnumInfo::Find(std::string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (SameText(names_[i], name)) return static_cast<int>(i);
  return -1;
}

TIdentMap::TIdentMap(std::initializer_list<std::pair<std::string_view, std::int64_t>> entries) {
  for (const auto& [name, value] : entries) entries_.emplace_back(std::string(name), value);
}

std::optional<std::int64_t> TIdentMap::Find(std::string_view name) const {
  for (const auto& [n, v] : entries_)
    if (SameText(n, name)) return v;
  return std::nullopt;
}

const std::string* TIdentMap::NameOf(std::int64_t value) const {
  for (const auto& [n, v] : entries_)
    if (v == value) return &n;
  return nullptr;
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent)
    : name_(std::move(name)), parent_(parent) {}

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &ancestor) return true;
  return false;
}

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const {
  const std::string key = LowerCase(name);
  for (const TClassInfo* c = this; c; c = c->parent_) {
    auto it = c->propertyIndex_.find(key);
    if (it != c->propertyIndex_.end()) return &c->properties_[it->second];
  }
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  const std::string key = LowerCase(name);
  for (const TClassInfo* c = this; c; c = c->parent_) {
    auto it = c->methodIndex_.find(key);
    if (it != c->methodIndex_.end()) return &c->methods_[it->second];
  }
  return nullptr;
}

void TClassInfo::AddProperty(TPropertyInfo info) {
  // A later registration of the same name replaces the earlier one, so a
  // class can re-publish a base property with a narrower setter.
  const std::string key = LowerCase(info.name);
  auto it = propertyIndex_.find(key);
  if (it != propertyIndex_.end()) {
    properties_[it->second] = std::move(info);
    lastProperty_ = it->second;
    return;
  }
  lastProperty_ = properties_.size();
  propertyIndex_.emplace(key, properties_.size());
  properties_.push_back(std::move(info));
}

TPropertyInfo& TClassInfo::LastProperty() {
  if (properties_.empty()) throw std::logic_error(name_ + " has no property to modify");
  return properties_[lastProperty_];
}

void TClassInfo::AddMethod(TMethodInfo info) {
  const std::string key = LowerCase(info.Name());
  auto it = methodIndex_.find(key);
  if (it != methodIndex_.end()) {
    methods_[it->second] = std::move(info);
    return;
  }
  methodIndex_.emplace(key, methods_.size());
  methods_.push_back(std::move(info));
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
  if (!componentFactory_) throw EComponentError("Cannot create an instance of " + name_);
  return componentFactory_(owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* collection) const {
  if (!itemFactory_) throw EComponentError("Cannot create an item of class " + name_);
  return itemFactory_(collection);
}

namespace {

std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> registry;
  return registry;
}

}  // namespace

void RegisterClass(const TClassInfo& info) {
  auto [it, inserted] = Registry().emplace(LowerCase(info.Name()), &info);
  if (!inserted && it->second != &info)
    throw EComponentError("Class " + info.Name() + " is already registered");
}

void UnregisterClass(const TClassInfo& info) {
  auto it = Registry().find(LowerCase(info.Name()));
  if (it != Registry().end() && it->second == &info) Registry().erase(it);
}

const TClassInfo* FindClass(std::string_view name) {
  auto it = Registry().find(LowerCase(name));
  return it == Registry().end() ? nullptr : it->second;
}

}  // namespace component
