// Indexes of a memory table: the row order and sorted orders over the records
// of its store.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "memtable/DBTypes.h"
#include "memtable/MemTableStore.h"

namespace memtable {

class TCustomMemTable;
class TField;

// One field of a key or index field list.
struct TMemKeyField {
  TField* field = nullptr;
  int fieldNo = 0;
  int offset = 0;
  TFieldType type = ftUnknown;
  int size = 0;
  TIndexFieldOptions options = 0;
  bool varLength = false;
  bool compressed = false;
};
using TMemFieldList = std::vector<TMemKeyField>;

inline constexpr const char* kRowOrderIndexName = "__MT__ROWORDER";
inline constexpr const char* kAutoIndexPrefix = "__MT__AUTO_";

class TMemIndex {
 public:
  TMemIndex(TCustomMemTable* table, std::string name, std::string fieldNames,
            TMemTableCompareOptions options, bool rowOrder);

  const std::string& Name() const { return name_; }
  const std::string& FieldNames() const { return fieldNames_; }
  TCustomMemTable* Table() const { return table_; }
  TMemTableCompareOptions Options() const { return options_; }
  bool IsRowOrder() const { return rowOrder_; }
  bool Internal() const { return internal_; }
  void SetInternal(bool v) { internal_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool UpToDate() const { return upToDate_; }
  void SetUpToDate(bool v) { upToDate_ = v; }
  TUpdateStatusSet UpdateStatuses() const { return updateStatuses_; }
  // Optional filter of this index; the table's OnFilterIndex serves otherwise.
  std::function<void(TCustomMemTable*, TMemIndex*, bool& accept)> OnFilter;
  // Parsed field list (filled when the table opens).
  TMemFieldList& FieldList() { return fieldList_; }
  const std::vector<TMemRecord*>& References() const { return refs_; }
  int Count() const { return static_cast<int>(refs_.size()); }

  // Parses FieldNames against the table's fields and applies the options.
  void BindFields();
  void Clear() {
    refs_.clear();
    keys_.clear();
    slotKeys_.clear();
  }
  void Rebuild();
  // Whether the record belongs in this index (status and filter).
  bool Shows(TMemRecord* rec);
  // Position of a stored record, -1 when absent.
  int FindRecord(const TMemRecord* rec);
  // First position whose key is not below the key record's (over `count`
  // fields, 0 for all); `exact` tells whether that record compares equal.
  int LowerBound(const TMemRecord* key, const TMemFieldList& list, int count, bool& exact);
  bool HasEqualKey(const TMemRecord* rec, const TMemRecord* except);
  // Maintenance; the returned value is the position touched (-1 when none).
  int InsertRecord(TMemRecord* rec, int rowOrderPos);
  int RemoveRecord(const TMemRecord* rec);
  int CompareRecords(const TMemRecord* a, const TMemRecord* b) const;

 private:
  friend class TCustomMemTable;
  TCustomMemTable* table_;
  std::string name_;
  std::string fieldNames_;
  TMemTableCompareOptions options_;
  bool rowOrder_;
  bool internal_ = false;
  bool enabled_ = true;
  bool upToDate_ = false;
  TUpdateStatusSet updateStatuses_ =
      StatusBit(usUnmodified) | StatusBit(usModified) | StatusBit(usInserted);
  TMemFieldList fieldList_;
  std::vector<TMemRecord*> refs_;
  // For a first key field of a 32-bit or narrower whole-number type, its
  // value kept beside each reference in sort order, so a search does not have
  // to visit the records themselves.
  bool keyCache_ = false;
  std::vector<std::int64_t> keys_;
  std::int64_t Ordinal(const TMemRecord* rec) const;
  // The row order keeps each reference's slot number beside it, so finding a
  // record's position does not visit the records.
  std::vector<std::int32_t> slotKeys_;
  void RebuildKeys();
};

// A table's indexes by name (names compare ignoring letter case).
class TMemIndexes {
 public:
  TMemIndex* Add(std::unique_ptr<TMemIndex> index);
  TMemIndex* Find(const std::string& name) const;
  void Remove(TMemIndex* index);
  // Drops every index but the row order.
  void ClearSorted();
  int Count() const { return static_cast<int>(items_.size()); }
  TMemIndex* operator[](int i) const { return items_.at(i).get(); }
  TMemIndex* RowOrder() const { return rowOrder_; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<TMemIndex>> items_;
  TMemIndex* rowOrder_ = nullptr;
};

// Parses "A;B:CD;C" into names and option bytes.
struct TParsedKeyName {
  std::string name;
  TIndexFieldOptions options = 0;
};
std::vector<TParsedKeyName> ParseFieldNames(const std::string& text);

}  // namespace memtable
