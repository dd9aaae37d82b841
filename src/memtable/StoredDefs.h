// Field and index definitions as collections of the component layer, so a
// stored window description can give a table its columns and indexes:
//
//   FieldDefs = <
//     item
//       Name = 'ID'
//       DataType = ftAutoInc
//       Required = True
//     end>
//
// Each collection writes straight through to the table's own definitions:
// emptying it empties them, adding an item appends a definition, and the
// item's properties set that definition's.
#pragma once

#include <string>
#include <string_view>

#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "memtable/DBTypes.h"
#include "memtable/IndexDef.h"

namespace memtable {

class TDataSet;
class TCustomMemTable;
class TFieldDef;

const component::TEnumInfo& EnumInfo(TFieldType);

class TStoredFieldDef : public component::TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TStoredFieldDef(component::TCollection* collection);

  std::string Name() const;
  void SetName(std::string_view v);
  TFieldType DataType() const;
  void SetDataType(TFieldType v);
  int Size() const;
  void SetSize(int v);
  bool Required() const;
  void SetRequired(bool v);

 private:
  TFieldDef& Def() const;
};

class TStoredFieldDefs : public component::TOwnedCollection<TStoredFieldDef> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TStoredFieldDefs(TDataSet* dataSet);
  TDataSet& DataSet() const { return *dataSet_; }

 protected:
  void Notify(component::TCollectionItem* item, component::TCollectionNotification action) override;

 private:
  TDataSet* dataSet_;
};

// Index options as a stored set: [ixPrimary, ixUnique, ...].
enum TIndexOptionOrdinal {
  ixoPrimary,
  ixoUnique,
  ixoDescending,
  ixoCaseInsensitive,
  ixoExpression,
  ixoNonMaintained
};

class TStoredIndexDef : public component::TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TStoredIndexDef(component::TCollection* collection);

  std::string Name() const { return Def().Name; }
  void SetName(std::string_view v) { Def().Name = std::string(v); }
  std::string Fields() const { return Def().Fields; }
  void SetFields(std::string_view v) { Def().Fields = std::string(v); }
  TIndexOptions Options() const { return Def().Options; }
  void SetOptions(TIndexOptions v) { Def().Options = v; }

 private:
  TIndexDef& Def() const;
};

class TStoredIndexDefs : public component::TOwnedCollection<TStoredIndexDef> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TStoredIndexDefs(TCustomMemTable* table);
  TCustomMemTable& Table() const { return *table_; }

 protected:
  void Notify(component::TCollectionItem* item, component::TCollectionNotification action) override;

 private:
  TCustomMemTable* table_;
};

}  // namespace memtable
