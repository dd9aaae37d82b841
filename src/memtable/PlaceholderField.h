// Field objects of types a memory table cannot store (variant, interface,
// reference, nested dataset): they exist so that the table can name the type
// it refuses when it lays out its records.
#pragma once

#include "memtable/Field.h"

namespace memtable {

class TPlaceholderField : public TField {
 public:
  TPlaceholderField(TFieldType type, int size) : TField(type, size) {}
  int DataSize() const override { return 0; }
};

}  // namespace memtable
