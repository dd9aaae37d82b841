// Time-stamp fields: a date and time kept as its parts, 16 bytes: year
// (16-bit signed), month, day, hour, minute, second (16-bit unsigned each)
// and the milliseconds (32-bit).
#pragma once

#include <cstdint>

#include "memtable/DateTimeValueField.h"

namespace memtable {

inline constexpr int kTimeStampSize = 16;

struct TTimeStampParts {
  std::int16_t year;
  std::uint16_t month, day, hour, minute, second;
  std::uint32_t fractions;
};
static_assert(sizeof(TTimeStampParts) == kTimeStampSize);

// A date-time value as time-stamp parts; false outside the years 1 to 9999.
bool DateTimeToTimeStamp(TDateTime value, void* native);
// False when the parts name no valid date and time.
bool TimeStampToDateTime(const void* native, TDateTime& out);

class TSQLTimeStampField : public TDateTimeValueField {
 public:
  TSQLTimeStampField() : TDateTimeValueField(ftTimeStamp) {}
  int DataSize() const override { return kTimeStampSize; }

  TDateTime AsDateTime() override;
  void SetAsDateTime(TDateTime v) override;
  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  TVariant AsVariant() override;

 protected:
  std::string GetText(bool displayText) override;
  void SetVariantValue(const TVariant& v) override;

 private:
  bool Read(TDateTime& out);
};

}  // namespace memtable
