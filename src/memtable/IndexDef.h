// Index definitions: the sorted indexes a memory table builds when it opens.
#pragma once

#include <deque>
#include <string>

#include "memtable/DBTypes.h"

namespace memtable {

struct TIndexDef {
  std::string Name;
  // Field names separated by ";", each optionally followed by ":" and option
  // letters (C case-insensitive, D descending, N ignore null, P partial, L
  // ignore locale).
  std::string Fields;
  TIndexOptions Options = 0;
  // Extra options with no index-definition equivalent (partial, ignore null,
  // ignore locale) applied to every field of the index.
  TMemTableCompareOptions CompareOptions = 0;
};

class TIndexDefs {
 public:
  TIndexDef& Add(const std::string& name, const std::string& fields, TIndexOptions options = 0) {
    items_.push_back(TIndexDef{name, fields, options, 0});
    return items_.back();
  }
  void Clear() { items_.clear(); }
  void Delete(int index) { items_.erase(items_.begin() + index); }
  int Count() const { return static_cast<int>(items_.size()); }
  TIndexDef& operator[](int i) { return items_.at(i); }
  const TIndexDef& operator[](int i) const { return items_.at(i); }

 private:
  std::deque<TIndexDef> items_;
};

// The compare options an index definition asks for.
inline TMemTableCompareOptions CompareOptionsOf(const TIndexDef& def) {
  TMemTableCompareOptions o = def.CompareOptions;
  if (def.Options & ixDescending) o |= mtcoDescending;
  if (def.Options & ixCaseInsensitive) o |= mtcoCaseInsensitive;
  if (def.Options & (ixUnique | ixPrimary)) o |= mtcoUnique;
  if (def.Options & ixNonMaintained) o |= mtcoNonMaintained;
  return o;
}

}  // namespace memtable
