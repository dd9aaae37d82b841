#include "memtable/DateTimeField.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <vector>

#include "memtable/DatabaseError.h"
#include "platform/base/AsciiCase.h"
#include "platform/base/DateTime.h"
#include "platform/base/RegionalFormats.h"

namespace memtable {

bool DateTimeInRange(TDateTime value) {
  // Negative values count the time back from the date, so the first day's
  // times lie between -693593 and -693594.
  if (!std::isfinite(value) || value <= -693594.0 || value >= 2958466.0) return false;
  std::int64_t m = std::llround(value * static_cast<double>(kMSecsPerDay));
  std::int64_t days = (m < 0 ? -m : m) / kMSecsPerDay;
  return m < 0 ? days <= 693593 : days <= 2958465;
}

void EncodeDateTimeNative(TFieldType type, TDateTime value, void* native) {
  std::int64_t m = std::llround(value * static_cast<double>(kMSecsPerDay));
  std::int64_t absM = m < 0 ? -m : m;
  std::int32_t day = static_cast<std::int32_t>(m >= 0 ? kDateDelta + m / kMSecsPerDay
                                                      : kDateDelta - absM / kMSecsPerDay);
  std::int32_t time = static_cast<std::int32_t>(absM % kMSecsPerDay);
  std::memset(native, 0, 8);
  switch (type) {
    case ftDate:
      std::memcpy(native, &day, 4);
      break;
    case ftTime:
      std::memcpy(native, &time, 4);
      break;
    default: {
      double ms = static_cast<double>(day) * static_cast<double>(kMSecsPerDay) + time;
      std::memcpy(native, &ms, 8);
      break;
    }
  }
}

TDateTime DecodeDateTimeNative(TFieldType type, const void* native) {
  switch (type) {
    case ftDate: {
      std::int32_t day;
      std::memcpy(&day, native, 4);
      return static_cast<double>(day - kDateDelta);
    }
    case ftTime: {
      std::int32_t ms;
      std::memcpy(&ms, native, 4);
      return static_cast<double>(ms) / static_cast<double>(kMSecsPerDay);
    }
    default: {
      double ms;
      std::memcpy(&ms, native, 8);
      double days = std::trunc(ms / static_cast<double>(kMSecsPerDay));
      double time = std::fmod(ms, static_cast<double>(kMSecsPerDay)) / kMSecsPerDay;
      double result = days - kDateDelta;
      return result < 0 ? result - time : result + time;
    }
  }
}

std::string DateTimeToText(TFieldType type, TDateTime value) {
  const platform::RegionalFormats& f = platform::UserRegionalFormats();
  switch (type) {
    case ftDate:
      return platform::FormatDateTime(f.shortDateFormat, value, f);
    case ftTime:
      return platform::FormatDateTime(f.longTimeFormat, value, f);
    default: {
      std::string s = platform::FormatDateTime(f.shortDateFormat, value, f);
      double frac = std::fabs(value - std::trunc(value));
      if (frac > 0) s += " " + platform::FormatDateTime(f.longTimeFormat, value, f);
      return s;
    }
  }
}

namespace {

[[noreturn]] void BadDateTime(const std::string& text) {
  throw EDatabaseError(Format(SInvalidDateTimeValue, text.c_str()));
}

std::vector<int> Numbers(const std::string& s, std::size_t& pos, char sep, int maxCount) {
  std::vector<int> out;
  while (pos < s.size() && static_cast<int>(out.size()) < maxCount) {
    while (pos < s.size() && s[pos] == ' ') ++pos;
    if (pos >= s.size() || !std::isdigit(static_cast<unsigned char>(s[pos]))) break;
    int v = 0, digits = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
      v = v * 10 + (s[pos] - '0');
      ++pos;
      if (++digits > 5) return {};
    }
    out.push_back(v);
    if (pos < s.size() && s[pos] == sep)
      ++pos;
    else
      break;
  }
  return out;
}

// Order of day, month and year in the short date pattern.
void DateOrder(const std::string& pattern, int& d, int& m, int& y) {
  std::size_t pd = pattern.find_first_of("dD");
  std::size_t pm = pattern.find('M');
  std::size_t py = pattern.find_first_of("yY");
  if (pd == std::string::npos || pm == std::string::npos || py == std::string::npos) {
    d = 0;
    m = 1;
    y = 2;
    return;
  }
  d = (pd > pm) + (pd > py);
  m = (pm > pd) + (pm > py);
  y = (py > pd) + (py > pm);
}

}  // namespace

TDateTime StrToDateTimeValue(const std::string& text) {
  const platform::RegionalFormats& f = platform::UserRegionalFormats();
  std::string s = text;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  std::size_t pos = 0;
  while (pos < s.size() && s[pos] == ' ') ++pos;
  double date = 0;
  bool haveDate = false;
  // Try a date first: ISO form, then the regional order.
  std::size_t save = pos;
  std::vector<int> parts = Numbers(s, pos, '-', 3);
  int year = 0, month = 0, day = 0;
  if (parts.size() == 3 && parts[0] > 31) {
    year = parts[0];
    month = parts[1];
    day = parts[2];
    haveDate = true;
  } else {
    pos = save;
    parts = Numbers(s, pos, f.dateSeparator, 3);
    if (parts.size() >= 2 && (pos >= s.size() || s[pos] == ' ') &&
        !(parts.size() == 2 && pos < s.size() && s[pos] == f.timeSeparator)) {
      int di, mi, yi;
      DateOrder(f.shortDateFormat, di, mi, yi);
      if (parts.size() == 2) {
        // Without a year the current one is meant.
        platform::DateParts now = platform::DecodeDate(platform::Now());
        int order[3] = {di, mi, yi};
        std::vector<int> full(3);
        int k = 0;
        for (int i = 0; i < 3; ++i) full[i] = order[i] == yi ? now.year : 0;
        for (int i = 0; i < 3; ++i)
          if (i != yi) full[i] = parts[k++];
        parts = full;
      }
      day = parts[di];
      month = parts[mi];
      year = parts[yi];
      if (year < 100 && year >= 0) year += year < 50 ? 2000 : 1900;
      haveDate = true;
    } else {
      pos = save;
    }
  }
  if (haveDate && !platform::TryEncodeDate(year, month, day, date)) BadDateTime(text);
  while (pos < s.size() && s[pos] == ' ') ++pos;
  double time = 0;
  if (pos < s.size()) {
    std::vector<int> t = Numbers(s, pos, f.timeSeparator, 3);
    if (t.empty()) BadDateTime(text);
    if (pos < s.size() && s[pos] == '.') {
      ++pos;
      std::vector<int> ms = Numbers(s, pos, ' ', 1);
      t.resize(3, 0);
      t.push_back(ms.empty() ? 0 : ms[0]);
    }
    t.resize(4, 0);
    while (pos < s.size() && s[pos] == ' ') ++pos;
    const std::string marker = platform::UpperCase(s.substr(pos));
    if (!marker.empty()) {
      const std::string am = platform::UpperCase(f.timeAMString.empty() ? "AM" : f.timeAMString);
      const std::string pm = platform::UpperCase(f.timePMString.empty() ? "PM" : f.timePMString);
      if (marker == pm || marker == "PM") {
        if (t[0] > 12) BadDateTime(text);
        if (t[0] < 12) t[0] += 12;
      } else if (marker == am || marker == "AM") {
        if (t[0] > 12) BadDateTime(text);
        if (t[0] == 12) t[0] = 0;
      } else {
        BadDateTime(text);
      }
    }
    if (!platform::TryEncodeTime(t[0], t[1], t[2], t[3], time)) BadDateTime(text);
  } else if (!haveDate) {
    BadDateTime(text);
  }
  return date < 0 ? date - time : date + time;
}

TDateTime TDateTimeField::AsDateTime() {
  std::uint8_t buf[8];
  if (!GetData(buf)) return 0;
  return DecodeDateTimeNative(DataType(), buf);
}

void TDateTimeField::SetAsDateTime(TDateTime v) {
  if (!DateTimeInRange(v)) {
    // A time field's range is still given in whole dates.
    TFieldType shown = DataType() == ftDate ? ftDate : ftDateTime;
    throw EDatabaseError(Format(SFieldRangeError, FormatG(v).c_str(), DisplayName().c_str(),
                                DateTimeToText(shown, -693593.0).c_str(),
                                DateTimeToText(shown, 2958465.99999999).c_str()));
  }
  std::uint8_t buf[8];
  EncodeDateTimeNative(DataType(), v, buf);
  SetData(buf);
}

std::string TDateTimeField::AsString() {
  std::uint8_t buf[8];
  if (!GetData(buf)) return {};
  return DateTimeToText(DataType(), DecodeDateTimeNative(DataType(), buf));
}

void TDateTimeField::SetAsString(const std::string& v) {
  if (v.empty()) {
    Clear();
    return;
  }
  SetAsDateTime(StrToDateTimeValue(v));
}

TVariant TDateTimeField::AsVariant() {
  std::uint8_t buf[8];
  if (!GetData(buf)) return TVariant::MakeNull();
  return DecodeDateTimeNative(DataType(), buf);
}

void TDateTimeField::SetVariantValue(const TVariant& v) {
  if (v.IsNumeric())
    SetAsDateTime(v.AsDouble());
  else
    SetAsString(v.AsString());
}

std::string TDateTimeField::GetText(bool displayText) {
  std::uint8_t buf[8];
  if (!GetData(buf)) return {};
  TDateTime v = DecodeDateTimeNative(DataType(), buf);
  if (displayText && !displayFormat_.empty()) return platform::FormatDateTime(displayFormat_, v);
  return DateTimeToText(DataType(), v);
}

}  // namespace memtable
