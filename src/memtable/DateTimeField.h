// Date, time and combined date-time fields. A date stores its day number
// counted from 0001-01-01 (day 1), a time its milliseconds since midnight, and a
// date-time both as one 64-bit float of milliseconds.
#pragma once

#include <cstdint>

#include "memtable/DateTimeValueField.h"

namespace memtable {

class TDateTimeField : public TDateTimeValueField {
 public:
  TDateTimeField() : TDateTimeField(ftDateTime) {}
  int DataSize() const override { return 8; }

  TDateTime AsDateTime() override;
  void SetAsDateTime(TDateTime v) override;
  std::string AsString() override;
  void SetAsString(const std::string& v) override;
  TVariant AsVariant() override;

 protected:
  explicit TDateTimeField(TFieldType type) : TDateTimeValueField(type) {}
  std::string GetText(bool displayText) override;
  void SetVariantValue(const TVariant& v) override;
};

class TDateField : public TDateTimeField {
 public:
  TDateField() : TDateTimeField(ftDate) {}
};

class TTimeField : public TDateTimeField {
 public:
  TTimeField() : TDateTimeField(ftTime) {}
};

// Day number of 1899-12-30.
inline constexpr std::int32_t kDateDelta = 693594;
inline constexpr std::int64_t kMSecsPerDay = 86400000;

// True when a value lies between 0001-01-01 and 9999-12-31 23:59:59.999, the
// dates the native forms and the texts can hold.
bool DateTimeInRange(TDateTime value);

// Converts a date-time value to the native form of a date, time or date-time
// field (8 bytes of room).
void EncodeDateTimeNative(TFieldType type, TDateTime value, void* native);
TDateTime DecodeDateTimeNative(TFieldType type, const void* native);
// Text in the user's short date and/or long time format.
std::string DateTimeToText(TFieldType type, TDateTime value);
// Reads date and/or time text in the user's formats (also ISO yyyy-mm-dd);
// fails with "'%s' is not a valid date and time".
TDateTime StrToDateTimeValue(const std::string& text);

}  // namespace memtable
