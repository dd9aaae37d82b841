// TStrings: a list of strings, each with an optional object, published as
// the Items of list and combo boxes ("Items.Strings = ('4:3' '16:9')" in a
// stored description). The list owns nothing: objects stay the caller's.
// A control that shows the list follows every change through OnChange.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Persistent.h"

namespace toolkit {

using component::TObject;

class TStrings : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  enum class Change { Inserted, Deleted, Replaced, Cleared };

  int Count() const { return static_cast<int>(items_.size()); }
  // EListError outside 0..Count()-1.
  const std::string& Strings(int index) const;
  TObject* Objects(int index) const;
  void SetStrings(int index, std::string_view s);
  void SetObjects(int index, TObject* object);
  int Add(std::string_view s) { return AddObject(s, nullptr); }
  int AddObject(std::string_view s, TObject* object);
  void Insert(int index, std::string_view s, TObject* object = nullptr);
  void Delete(int index);
  void Clear();
  // The first string equal to s ignoring ASCII case; -1 when none.
  int IndexOf(std::string_view s) const;
  int IndexOfObject(const TObject* object) const;
  // The strings joined, each followed by a line break.
  std::string Text() const;
  // Replaces every string (objects are dropped).
  void SetStringValues(const std::vector<std::string>& values);
  void Assign(const component::TPersistent& source) override;

  // Called after each change with the kind and the index it concerns.
  std::function<void(Change change, int index)> OnChange;

 private:
  void CheckIndex(int index, bool allowEnd = false) const;
  void Notify(Change change, int index) {
    if (OnChange) OnChange(change, index);
  }
  std::vector<std::pair<std::string, TObject*>> items_;
};

}  // namespace toolkit
