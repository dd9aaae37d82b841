#include "memtable/MemTableStreamFormat.h"

#include <cmath>
#include <cstring>

#include "memtable/DateTimeField.h"
#include "memtable/MemTableStore.h"
#include "memtable/TimeStampField.h"

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

bool ImageValueInRange(TFieldType type, std::string_view v) {
  // Day numbers of 0001-01-01 and 9999-12-31.
  constexpr std::int64_t kFirstDay = 1, kLastDay = 3652059;
  switch (type) {
    case ftDate: {
      std::int32_t day;
      std::memcpy(&day, v.data(), 4);
      return day >= kFirstDay && day <= kLastDay;
    }
    case ftTime: {
      std::int32_t ms;
      std::memcpy(&ms, v.data(), 4);
      return ms >= 0 && ms < kMSecsPerDay;
    }
    case ftDateTime: {
      double ms;
      std::memcpy(&ms, v.data(), 8);
      return ms >= double(kFirstDay * kMSecsPerDay) && ms < double((kLastDay + 1) * kMSecsPerDay) &&
             ms == std::floor(ms);
    }
    case ftTimeStamp: {
      TDateTime probe;
      return TimeStampToDateTime(v.data(), probe);
    }
    default:
      return true;
  }
}

}  // namespace memtable
