#include "DateTime.h"

#include <sys/time.h>

#include <cmath>
#include <ctime>

namespace platform {

namespace {

constexpr int kDaysToMonth[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                     {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};
constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kDateDelta = 693594;  // days from 0001-01-01 (day 1) to 1899-12-30

const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

// Days since 0001-01-01 (that day being 1) and milliseconds into the day.
struct TimeStamp {
  std::int64_t date;
  std::int64_t time;
};

TimeStamp ToTimeStamp(TDateTime value) {
  double whole = std::trunc(value);
  std::int64_t time = std::llround(std::fabs(value - whole) * double(kMsPerDay));
  std::int64_t date = kDateDelta + static_cast<std::int64_t>(whole);
  if (time >= kMsPerDay) time = kMsPerDay - 1;  // rounding must not spill into the next day
  return {date, time};
}

std::string Pad(int value, int width) {
  std::string s = std::to_string(value);
  if (int(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  const int* table = kDaysToMonth[IsLeapYear(year)];
  if (day < 1 || day > table[month] - table[month - 1]) return false;
  std::int64_t y = year - 1;
  std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400 + table[month - 1] + day;
  out = double(days - kDateDelta);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    return false;
  out = double(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / double(kMsPerDay);
  return true;
}

DateParts DecodeDate(TDateTime value) {
  std::int64_t t = ToTimeStamp(value).date;
  DateParts p;
  if (t <= 0 || t > 3652059) return p;  // outside 0001-01-01..9999-12-31
  --t;
  std::int64_t y = 1;
  constexpr std::int64_t d400 = 146097, d100 = 36524, d4 = 1461;
  y += (t / d400) * 400;
  t %= d400;
  std::int64_t i = t / d100, d = t % d100;
  if (i == 4) --i, d += d100;
  y += i * 100;
  i = d / d4;
  d %= d4;
  y += i * 4;
  i = d / 365;
  d %= 365;
  if (i == 4) --i, d += 365;
  y += i;
  const int* table = kDaysToMonth[IsLeapYear(int(y))];
  int m = 1;
  while (d >= table[m]) ++m;
  p.year = int(y);
  p.month = m;
  p.day = int(d - table[m - 1] + 1);
  return p;
}

TimeParts DecodeTime(TDateTime value) {
  std::int64_t ms = ToTimeStamp(value).time;
  TimeParts p;
  p.hour = int(ms / 3600000);
  p.minute = int(ms / 60000 % 60);
  p.second = int(ms / 1000 % 60);
  p.millisecond = int(ms % 1000);
  return p;
}

TDateTime Now() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::tm local{};
  time_t seconds = tv.tv_sec;
  localtime_r(&seconds, &local);
  TDateTime date = 0, time = 0;
  TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
  TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), int(tv.tv_usec / 1000),
                time);
  return date + time;
}

std::string FormatDateTime(const std::string& pattern, TDateTime value,
                           const RegionalFormats& formats) {
  DateParts d = DecodeDate(value);
  TimeParts t = DecodeTime(value);
  std::int64_t dayNumber = ToTimeStamp(value).date;
  int weekday = int(((dayNumber % 7) + 7) % 7);  // day 1 (0001-01-01) was a Monday
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    char c = pattern[i];
    size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    switch (c) {
      case '\'': {
        size_t end = pattern.find('\'', i + 1);
        if (end == std::string::npos) end = pattern.size();
        out.append(pattern, i + 1, end - i - 1);
        i = end + 1;
        continue;
      }
      case 'd':
        if (run >= 4)
          out += kLongDays[weekday];
        else if (run == 3)
          out += kShortDays[weekday];
        else
          out += Pad(d.day, int(run));
        break;
      case 'M':
        if (run >= 4)
          out += kLongMonths[d.month - 1];
        else if (run == 3)
          out += kShortMonths[d.month - 1];
        else
          out += Pad(d.month, int(run));
        break;
      case 'y':
        if (run <= 2)
          out += Pad(d.year % 100, int(run));
        else
          out += Pad(d.year, 4);
        break;
      case 'h': {
        int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        out += Pad(h12, run >= 2 ? 2 : 1);
        break;
      }
      case 'H':
        out += Pad(t.hour, run >= 2 ? 2 : 1);
        break;
      case 'm':
        out += Pad(t.minute, run >= 2 ? 2 : 1);
        break;
      case 's':
        out += Pad(t.second, run >= 2 ? 2 : 1);
        break;
      case 'z':
        out += Pad(t.millisecond, run >= 2 ? 3 : 1);
        break;
      case 't': {
        const std::string& marker = t.hour < 12 ? formats.timeAMString : formats.timePMString;
        out += run >= 2 ? marker : marker.substr(0, 1);
        break;
      }
      default:
        out.append(run, c);
    }
    i += run;
  }
  return out;
}

}  // namespace platform
