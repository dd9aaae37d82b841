#include "memtable/TimeStampField.h"

#include <cmath>
#include <cstring>

#include "memtable/DatabaseError.h"
#include "memtable/DateTimeField.h"
#include "memtable/FieldMessages.h"
#include "platform/base/DateTime.h"

namespace memtable {

namespace {

// Days from 1970-01-01 to a civil date, and back (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

// 1899-12-30, the date-time origin, counted from 1970-01-01.
constexpr std::int64_t kOriginDays = -25569;

}  // namespace

bool DateTimeToTimeStamp(TDateTime value, void* native) {
  if (!std::isfinite(value) || std::fabs(value) > 1e7) return false;
  // The same day and time split as date and time fields make.
  std::uint8_t day[8], time[8];
  EncodeDateTimeNative(ftDate, value, day);
  EncodeDateTimeNative(ftTime, value, time);
  std::int32_t dayNo, ms;
  std::memcpy(&dayNo, day, 4);
  std::memcpy(&ms, time, 4);
  std::int64_t y;
  unsigned m, d;
  CivilFromDays(static_cast<std::int64_t>(dayNo) - kDateDelta + kOriginDays, y, m, d);
  if (y < 1 || y > 9999) return false;
  TTimeStampParts p{static_cast<std::int16_t>(y),
                    static_cast<std::uint16_t>(m),
                    static_cast<std::uint16_t>(d),
                    static_cast<std::uint16_t>(ms / 3600000),
                    static_cast<std::uint16_t>(ms / 60000 % 60),
                    static_cast<std::uint16_t>(ms / 1000 % 60),
                    static_cast<std::uint32_t>(ms % 1000)};
  std::memcpy(native, &p, sizeof p);
  return true;
}

bool TimeStampToDateTime(const void* native, TDateTime& out) {
  TTimeStampParts p;
  std::memcpy(&p, native, sizeof p);
  TDateTime date, time;
  if (!platform::TryEncodeDate(p.year, p.month, p.day, date) ||
      !platform::TryEncodeTime(p.hour, p.minute, p.second, static_cast<int>(p.fractions), time))
    return false;
  std::int64_t days = DaysFromCivil(p.year, p.month, p.day) - kOriginDays;
  // Before the origin the time of day still counts forward from midnight.
  out = days < 0 ? static_cast<double>(days) - time : static_cast<double>(days) + time;
  return true;
}

bool TSQLTimeStampField::Read(TDateTime& out) {
  std::uint8_t buf[kTimeStampSize];
  if (!GetData(buf)) return false;
  if (!TimeStampToDateTime(buf, out))
    throw EDatabaseError(Format(SInvalidTimeStamp, DisplayName().c_str()));
  return true;
}

TDateTime TSQLTimeStampField::AsDateTime() {
  TDateTime v = 0;
  Read(v);
  return v;
}

void TSQLTimeStampField::SetAsDateTime(TDateTime v) {
  std::uint8_t buf[kTimeStampSize];
  if (!DateTimeToTimeStamp(v, buf))
    throw EDatabaseError(Format(STimeStampRange, FormatG(v).c_str(), DisplayName().c_str()));
  SetData(buf);
}

std::string TSQLTimeStampField::AsString() {
  TDateTime v;
  if (!Read(v)) return {};
  return DateTimeToText(ftDateTime, v);
}

void TSQLTimeStampField::SetAsString(const std::string& v) {
  if (v.empty()) {
    Clear();
    return;
  }
  SetAsDateTime(StrToDateTimeValue(v));
}

TVariant TSQLTimeStampField::AsVariant() {
  TDateTime v;
  if (!Read(v)) return TVariant::MakeNull();
  return v;
}

void TSQLTimeStampField::SetVariantValue(const TVariant& v) {
  if (v.IsNumeric())
    SetAsDateTime(v.AsDouble());
  else
    SetAsString(v.AsString());
}

std::string TSQLTimeStampField::GetText(bool displayText) {
  TDateTime v;
  if (!Read(v)) return {};
  if (displayText && !displayFormat_.empty()) return platform::FormatDateTime(displayFormat_, v);
  return DateTimeToText(ftDateTime, v);
}

}  // namespace memtable
