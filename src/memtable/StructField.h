// Structured fields: an ADT or array groups the fields of its children,
// which follow it in the record; the field itself holds no value.
#pragma once

#include "memtable/Field.h"

namespace memtable {

class TObjectField : public TField {
 public:
  TObjectField(TFieldType type, int size) : TField(type, size < 0 ? 0 : size) {}
  int DataSize() const override { return 0; }
  TVariant AsVariant() override { return TVariant::MakeNull(); }

 protected:
  std::string GetText(bool) override { return DataType() == ftADT ? "(ADT)" : "(Array)"; }
};

class TADTField : public TObjectField {
 public:
  TADTField() : TObjectField(ftADT, 0) {}
};

// Size is the number of times the children repeat.
class TArrayField : public TObjectField {
 public:
  explicit TArrayField(int size = 10) : TObjectField(ftArray, size) {}
};

}  // namespace memtable
