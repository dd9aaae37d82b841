#include "memtable/MemTableStreamFormat.h"

#include "memtable/MemTableStore.h"

namespace memtable {

int ImageFixedWidth(TFieldType type, int size) {
  switch (type) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftVarBytes:
      return -1;
    case ftBytes:
      return size;
    default:
      if (IsBlobType(type)) return -1;
      return NativeFieldWidth(type, size);
  }
}

std::int64_t ImageMaxLength(const TImageColumn& column) {
  switch (column.type) {
    case ftString:
    case ftFixedChar:
    case ftVarBytes:
      return column.size;
    case ftWideString:
      return std::int64_t{column.size} * 2;
    default:
      if (IsBlobType(column.type)) return -1;
      return ImageFixedWidth(column.type, column.size);
  }
}

bool ImageKindSupported(TFieldType type) {
  switch (type) {
    case ftADT:
    case ftArray:
      return false;
    default:
      return IsSupportedFieldType(type) && (IsBlobType(type) || NativeFieldWidth(type, 1) > 0);
  }
}

}  // namespace memtable
