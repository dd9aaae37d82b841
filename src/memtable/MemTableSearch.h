// Key search over a memory table: the comparison of field values and of
// records by a list of key fields (which the indexes sort by as well), and
// the search for the first record whose key fields hold given values, which
// locate and lookup run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "memtable/DBTypes.h"
#include "memtable/MemIndex.h"
#include "memtable/MemTableStore.h"
#include "memtable/Variant.h"

namespace memtable {

class TCustomMemTable;

class TMemTableSearch {
 public:
  explicit TMemTableSearch(TCustomMemTable& table) : table_(table) {}
  TMemTableSearch(const TMemTableSearch&) = delete;
  TMemTableSearch& operator=(const TMemTableSearch&) = delete;

  // Comparison; see TCustomMemTable, which offers them.
  int CompareFields(const void* a, const void* b, int lenA, int lenB, const TMemKeyField& f,
                    TIndexFieldOptions options, bool& fullCompare);
  int CompareRecords(const TMemRecord* a, const TMemRecord* b, const TMemFieldList& list, int count,
                     int mode, bool partial, bool skipNullA);
  TMemFieldList BuildFieldList(const std::string& names);

  // Finds the first record, in the table's current order, whose fields named
  // in keyFields hold keyValues (one value, or an array of one per field);
  // its position there goes to position. Records the filter hides are not
  // found.
  bool Find(const std::string& keyFields, const TVariant& keyValues, TLocateOptions options,
            int& position);

  // The key record searches write their values into, made when the table
  // opens (with its record layout) and freed when it closes.
  void MakeKeyRecord();
  void FreeKeyRecord();
  // Drops the field list kept from the last search.
  void ForgetKeyFields();

 private:
  class TKey;

  void PrepareFieldList(const std::string& keyFields, const TVariant& keyValues,
                        TLocateOptions options, TMemFieldList& list);
  // Both answer false when a value cannot be held by its field.
  bool WriteKeyValues(TMemRecord* key, const TMemFieldList& list, const TVariant& keyValues);
  bool WriteKeyValue(TMemRecord* key, const TMemKeyField& f, const TVariant& value);
  bool ReadNative(const TMemRecord* rec, const TMemKeyField& f, const void*& ptr, int& len,
                  std::string& scratch) const;
  bool FindKey(TMemRecord* key, TMemFieldList& list, int& resultPos);
  // Position of the first match of a single whole-number key in the order
  // given, -1 when none, kNoFastScan when the key needs the general compare.
  static constexpr int kNoFastScan = -2;
  int ScanWholeNumberKey(const TMemRecord* key, const TMemFieldList& list,
                         const std::vector<TMemRecord*>& refs) const;
  template <typename T>
  int ScanFor(T v, int offset, const std::vector<TMemRecord*>& refs) const;

  TCustomMemTable& table_;
  TMemRecord* keyRecord_ = nullptr;
  bool keyRecordInUse_ = false;
  std::string lastKeyNames_;
  TMemFieldList lastKeyList_;
  TMemFieldList keyListScratch_;
};

}  // namespace memtable
