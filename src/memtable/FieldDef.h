// Field definitions: the column layout a table is opened with.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "memtable/DBTypes.h"

namespace memtable {

class TFieldDefs;

class TFieldDef {
 public:
  TFieldDef(TFieldDefs* collection, std::string name, TFieldType type, int size, bool required);

  const std::string& Name() const { return name_; }
  void SetName(std::string v) { name_ = std::move(v); }
  // Shown in messages: the name, or a placeholder for an unnamed definition.
  std::string DisplayName() const { return name_.empty() ? "TFieldDef" : name_; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType v) { dataType_ = v; }
  int Size() const { return size_; }
  void SetSize(int v) { size_ = v; }
  int Precision() const { return precision_; }
  void SetPrecision(int v) { precision_ = v; }
  TFieldAttributes Attributes() const { return attributes_; }
  void SetAttributes(TFieldAttributes v) { attributes_ = v; }
  bool Required() const { return (attributes_ & faRequired) != 0; }
  void SetRequired(bool v) {
    attributes_ = v ? (attributes_ | faRequired) : (attributes_ & ~faRequired);
  }
  bool InternalCalcField() const { return internalCalc_; }
  void SetInternalCalcField(bool v) { internalCalc_ = v; }
  // 1-based position in the collection.
  int FieldNo() const;

  // Child definitions of structured types.
  TFieldDefs& ChildDefs();
  bool HasChildDefs() const;

 private:
  TFieldDefs* collection_;
  std::string name_;
  TFieldType dataType_;
  int size_;
  int precision_ = 0;
  TFieldAttributes attributes_ = 0;
  bool internalCalc_ = false;
  std::unique_ptr<TFieldDefs> children_;
};

class TFieldDefs {
 public:
  TFieldDefs() = default;
  TFieldDefs(const TFieldDefs& other) { Assign(other); }
  TFieldDefs& operator=(const TFieldDefs& other) {
    if (this != &other) Assign(other);
    return *this;
  }

  TFieldDef& Add(const std::string& name, TFieldType type, int size = 0, bool required = false);
  TFieldDef& AddFieldDef();
  void Clear() { items_.clear(); }
  void Delete(int index) { items_.erase(items_.begin() + index); }
  int Count() const { return static_cast<int>(items_.size()); }
  TFieldDef& operator[](int index) { return *items_.at(index); }
  const TFieldDef& operator[](int index) const { return *items_.at(index); }
  TFieldDef* Find(const std::string& name);
  int IndexOf(const TFieldDef* def) const;
  void Assign(const TFieldDefs& other);

 private:
  std::vector<std::unique_ptr<TFieldDef>> items_;
};

}  // namespace memtable

namespace memtable {

// One definition in record order, where the children of a structured type
// follow it (an array's children once per element). Children are named after
// their parent: "Parent.Child", "Parent[i]" for an array of one child and
// "Parent[i].Child" otherwise.
struct TFlatFieldDef {
  const TFieldDef* def;
  std::string name;
  int fieldNo;
};
std::vector<TFlatFieldDef> FlattenFieldDefs(const TFieldDefs& defs);

}  // namespace memtable
