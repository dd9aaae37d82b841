#include "memtable/BcdField.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "memtable/DatabaseError.h"
#include "memtable/FieldMessages.h"

namespace memtable {

namespace {
constexpr int kDefaultPrecision = 18;
}

TBCDField::TBCDField(TFieldType type, int size, int precision)
    : TField(type, size < 0 ? 0 : size),
      precision_(precision != 0 ? precision : std::max(kDefaultPrecision, Size())) {}

void TBCDField::SetPrecision(int v) {
  if (v < 1 || v > kBcdMaxDigits || Size() > v)
    throw EDatabaseError(
        Format(SInvalidBcdPrecision, v, Size(), DisplayName().c_str(), kBcdMaxDigits));
  precision_ = v;
}

bool TBCDField::ReadDecimal(TDecimal& out) {
  std::uint8_t buf[kBcdSize];
  if (!GetData(buf)) return false;
  if (!BcdToDecimal(buf, out)) throw EDatabaseError(Format(SInvalidBcdData, DisplayName().c_str()));
  return true;
}

void TBCDField::WriteDecimal(const TDecimal& d, const std::string& shown) {
  std::uint8_t buf[kBcdSize];
  if (!DecimalToBcd(d, precision_, Size(), buf))
    throw EDatabaseError(
        Format(SBcdOverflow, shown.c_str(), DisplayName().c_str(), precision_, Size()));
  SetData(buf);
}

std::int64_t TBCDField::AsCurrency() {
  std::uint8_t buf[kBcdSize];
  if (!GetData(buf)) return 0;
  std::int64_t c;
  if (!BcdToCurrency(buf, c))
    throw EDatabaseError(Format(SFieldRangeError, AsString().c_str(), DisplayName().c_str(),
                                "-922337203685477.5808", "922337203685477.5807"));
  return c;
}

void TBCDField::SetAsCurrency(std::int64_t v) {
  std::uint8_t buf[kBcdSize];
  CurrencyToBcd(v, buf);
  TDecimal d;
  BcdToDecimal(buf, d);
  WriteDecimal(d, DecimalToText(d));
}

std::string TBCDField::AsString() {
  TDecimal d;
  if (!ReadDecimal(d)) return {};
  return DecimalToText(d);
}

void TBCDField::SetAsString(const std::string& v) {
  if (v.empty()) {
    Clear();
    return;
  }
  TDecimal d;
  if (!ParseDecimal(v, d))
    throw EDatabaseError(Format(SInvalidBcdValue, v.c_str(), DisplayName().c_str()));
  WriteDecimal(d, v);
}

std::int64_t TBCDField::AsLargeInt() {
  TDecimal d;
  if (!ReadDecimal(d)) return 0;
  std::int64_t v;
  if (!DecimalToInt64(d, v))
    throw EDatabaseError(Format(SFieldRangeError, DecimalToText(d).c_str(), DisplayName().c_str(),
                                "-9223372036854775808", "9223372036854775807"));
  return v;
}

std::int32_t TBCDField::AsInteger() {
  std::int64_t v = AsLargeInt();
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    throw EDatabaseError(Format(SFieldRangeError, std::to_string(v).c_str(), DisplayName().c_str(),
                                "-2147483648", "2147483647"));
  return static_cast<std::int32_t>(v);
}

void TBCDField::SetAsLargeInt(std::int64_t v) {
  std::string text = std::to_string(v);
  TDecimal d;
  ParseDecimal(text, d);
  WriteDecimal(d, text);
}

double TBCDField::AsFloat() {
  TDecimal d;
  if (!ReadDecimal(d)) return 0;
  return std::strtod(DecimalToText(d).c_str(), nullptr);
}

void TBCDField::SetAsFloat(double v) {
  std::string shown = FormatG(v);
  if (!std::isfinite(v))
    throw EDatabaseError(Format(SInvalidBcdValue, shown.c_str(), DisplayName().c_str()));
  // Digits beyond the field's places are rounded away by the decimal rules,
  // so two more than it keeps are enough to round correctly.
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", Size() + 2, v);
  TDecimal d;
  ParseDecimal(buf, d);
  WriteDecimal(d, shown);
}

TVariant TBCDField::AsVariant() {
  TDecimal d;
  if (!ReadDecimal(d)) return TVariant::MakeNull();
  return std::strtod(DecimalToText(d).c_str(), nullptr);
}

void TBCDField::SetVariantValue(const TVariant& v) {
  if (v.IsInteger())
    SetAsLargeInt(v.AsInt64());
  else if (v.IsFloat())
    SetAsFloat(v.AsDouble());
  else
    SetAsString(v.AsString());
}

}  // namespace memtable
