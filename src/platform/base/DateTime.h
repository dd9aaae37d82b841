// Date-time values: a double whose whole part counts days from 1899-12-30 and
// whose fraction is the time of day.
#pragma once

#include <cstdint>
#include <string>

#include "RegionalFormats.h"

namespace platform {

using TDateTime = double;

struct DateParts {
  int year = 1899, month = 12, day = 30;
};
struct TimeParts {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Fail (return false) on out-of-range parts; years 1..9999.
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out);
DateParts DecodeDate(TDateTime value);
TimeParts DecodeTime(TDateTime value);
bool IsLeapYear(int year);

// The local date and time now.
TDateTime Now();

// Formats with the desktop's picture letters: d dd ddd dddd (day), M MM MMM MMMM
// (month), y yy yyyy, h hh (12-hour) H HH (24-hour), m mm, s ss, zzz
// (milliseconds), t tt (AM/PM marker); text in single quotes and every other
// character is copied as it is.
std::string FormatDateTime(const std::string& pattern, TDateTime value,
                           const RegionalFormats& formats);
inline std::string FormatDateTime(const std::string& pattern, TDateTime value) {
  return FormatDateTime(pattern, value, UserRegionalFormats());
}

}  // namespace platform
