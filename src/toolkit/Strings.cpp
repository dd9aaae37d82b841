#include "toolkit/Strings.h"

#include "component/ClassBuilder.h"
#include "component/Exception.h"

namespace toolkit {

using namespace component;

const TClassInfo& TStrings::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStrings, TPersistent>("TStrings")
                                     .Custom("Strings", TPropertyKind::Strings,
                                             [](TStrings& s, const TPropertyValue& v) {
                                               s.SetStringValues(std::get<TStringValues>(v));
                                             })
                                     .Getter([](const TStrings& s) {
                                       TStringValues values;
                                       for (int i = 0; i < s.Count(); ++i)
                                         values.push_back(s.Strings(i));
                                       return TPropertyValue(std::move(values));
                                     })
                                     .Build();
  return info;
}

void TStrings::CheckIndex(int index, bool allowEnd) const {
  if (index < 0 || index > Count() || (index == Count() && !allowEnd))
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStrings::Strings(int index) const {
  CheckIndex(index);
  return items_[index].first;
}

TObject* TStrings::Objects(int index) const {
  CheckIndex(index);
  return items_[index].second;
}

void TStrings::SetStrings(int index, std::string_view s) {
  CheckIndex(index);
  items_[index].first = std::string(s);
  Notify(Change::Replaced, index);
}

void TStrings::SetObjects(int index, TObject* object) {
  CheckIndex(index);
  items_[index].second = object;
}

int TStrings::AddObject(std::string_view s, TObject* object) {
  Insert(Count(), s, object);
  return Count() - 1;
}

void TStrings::Insert(int index, std::string_view s, TObject* object) {
  CheckIndex(index, true);
  items_.insert(items_.begin() + index, {std::string(s), object});
  Notify(Change::Inserted, index);
}

void TStrings::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Notify(Change::Deleted, index);
}

void TStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Notify(Change::Cleared, -1);
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(items_[i].first, s)) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].second == object) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (const auto& item : items_) text += item.first + "\r\n";
  return text;
}

void TStrings::SetStringValues(const std::vector<std::string>& values) {
  Clear();
  for (const std::string& v : values) Add(v);
}

void TStrings::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TStrings*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  Clear();
  for (const auto& item : other->items_) AddObject(item.first, item.second);
}

}  // namespace toolkit
