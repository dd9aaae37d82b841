#include "memtable/IntegerField.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "memtable/DatabaseError.h"

namespace memtable {

namespace {
bool ParseInt64(const std::string& text, std::int64_t& out) {
  std::size_t a = text.find_first_not_of(' ');
  std::size_t b = text.find_last_not_of(' ');
  if (a == std::string::npos) return false;
  std::string s = text.substr(a, b - a + 1);
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (end == s.c_str() || *end != '\0' || errno == ERANGE) return false;
  out = v;
  return true;
}

// The value of text written to a whole-number field: none for empty text
// (the field becomes null), else the number, or the field's conversion error.
std::optional<std::int64_t> WholeNumberText(const std::string& text, const TField& field) {
  if (text.empty()) return std::nullopt;
  std::int64_t x;
  if (!ParseInt64(text, x))
    throw EDatabaseError(Format(SInvalidIntegerValue, text.c_str(), field.DisplayName().c_str()));
  return x;
}
}  // namespace

std::string FormatNumber(const std::string& pattern, double value) {
  // Split the pattern into the digit part and its surroundings.
  std::size_t first = pattern.find_first_of("0#");
  if (first == std::string::npos) return pattern;
  std::size_t last = pattern.find_last_of("0#");
  std::string prefix = pattern.substr(0, first);
  std::string suffix = pattern.substr(last + 1);
  std::string digits = pattern.substr(first, last - first + 1);
  bool thousands = digits.find(',') != std::string::npos;
  std::size_t dot = digits.find('.');
  std::string intPart = dot == std::string::npos ? digits : digits.substr(0, dot);
  std::string fracPart = dot == std::string::npos ? "" : digits.substr(dot + 1);
  int minInt = 0;
  for (char c : intPart)
    if (c == '0') ++minInt;
  int maxFrac = 0, minFrac = 0;
  for (char c : fracPart) {
    if (c == '0') ++minFrac;
    if (c == '0' || c == '#') ++maxFrac;
  }
  bool negative = value < 0;
  std::string num = Format("%.*f", maxFrac, std::fabs(value));
  std::string ip = num.substr(0, num.find('.'));
  std::string fp = num.find('.') == std::string::npos ? "" : num.substr(num.find('.') + 1);
  while (static_cast<int>(fp.size()) > minFrac && !fp.empty() && fp.back() == '0') fp.pop_back();
  if (ip == "0" && minInt == 0) ip.clear();
  while (static_cast<int>(ip.size()) < minInt) ip.insert(ip.begin(), '0');
  if (thousands)
    for (int i = static_cast<int>(ip.size()) - 3; i > 0; i -= 3)
      ip.insert(static_cast<std::size_t>(i), 1, ',');
  std::string out = prefix;
  if (negative) out.push_back('-');
  out.append(ip);
  if (!fp.empty()) {
    out.push_back('.');
    out.append(fp);
  }
  out.append(suffix);
  return out;
}

// --- TIntegerField ----------------------------------------------------------

std::int64_t TIntegerField::ReadValue() {
  std::int32_t v = 0;
  if (!GetData(&v)) return 0;
  return v;
}

void TIntegerField::WriteValue(std::int64_t v) {
  std::int32_t x = static_cast<std::int32_t>(v);
  SetData(&x);
}

void TIntegerField::WriteChecked(std::int64_t v) {
  std::int64_t lo = TypeMin(), hi = TypeMax();
  if (minValue_ != 0 || maxValue_ != 0) {
    lo = minValue_;
    hi = maxValue_;
  }
  if (v < lo || v > hi)
    throw EDatabaseError(Format(SFieldRangeError, FormatG(static_cast<double>(v)).c_str(),
                                DisplayName().c_str(), FormatG(static_cast<double>(lo)).c_str(),
                                FormatG(static_cast<double>(hi)).c_str()));
  WriteValue(v);
}

std::string TIntegerField::AsString() {
  std::int64_t v;
  if (DataSize() == 4) {
    std::int32_t x;
    if (!GetData(&x)) return {};
    v = x;
  } else {
    if (IsNull()) return {};
    v = ReadValue();
  }
  return std::to_string(v);
}

void TIntegerField::SetAsString(const std::string& v) {
  if (auto x = WholeNumberText(v, *this))
    WriteChecked(*x);
  else
    Clear();
}

void TIntegerField::SetAsFloat(double v) {
  WriteChecked(std::llround(v));
}

TVariant TIntegerField::AsVariant() {
  if (IsNull()) return TVariant::MakeNull();
  return ReadValue();
}

void TIntegerField::SetVariantValue(const TVariant& v) {
  if (v.IsString())
    SetAsString(v.AsString());
  else
    WriteChecked(v.AsInt64());
}

std::string TIntegerField::GetText(bool displayText) {
  if (IsNull()) return {};
  const std::string& pattern = displayText || EditFormat().empty() ? DisplayFormat() : EditFormat();
  if (pattern.empty()) return std::to_string(ReadValue());
  return FormatNumber(pattern, static_cast<double>(ReadValue()));
}

std::int64_t TSmallintField::ReadValue() {
  std::int16_t v = 0;
  if (!GetData(&v)) return 0;
  return v;
}

void TSmallintField::WriteValue(std::int64_t v) {
  std::int16_t x = static_cast<std::int16_t>(v);
  SetData(&x);
}

std::int64_t TWordField::ReadValue() {
  std::uint16_t v = 0;
  if (!GetData(&v)) return 0;
  return v;
}

void TWordField::WriteValue(std::int64_t v) {
  std::uint16_t x = static_cast<std::uint16_t>(v);
  SetData(&x);
}

// --- TLargeintField ---------------------------------------------------------

std::int64_t TLargeintField::AsLargeInt() {
  std::int64_t v = 0;
  if (!GetData(&v)) return 0;
  return v;
}

void TLargeintField::SetAsLargeInt(std::int64_t v) {
  if ((minValue_ != 0 || maxValue_ != 0) && (v < minValue_ || v > maxValue_))
    throw EDatabaseError(Format(SFieldRangeError, FormatG(static_cast<double>(v)).c_str(),
                                DisplayName().c_str(),
                                FormatG(static_cast<double>(minValue_)).c_str(),
                                FormatG(static_cast<double>(maxValue_)).c_str()));
  SetData(&v);
}

std::string TLargeintField::AsString() {
  std::int64_t v;
  if (!GetData(&v)) return {};
  return std::to_string(v);
}

void TLargeintField::SetAsString(const std::string& v) {
  if (auto x = WholeNumberText(v, *this))
    SetAsLargeInt(*x);
  else
    Clear();
}

void TLargeintField::SetAsFloat(double v) {
  SetAsLargeInt(std::llround(v));
}

TVariant TLargeintField::AsVariant() {
  std::int64_t v;
  if (!GetData(&v)) return TVariant::MakeNull();
  return v;
}

void TLargeintField::SetVariantValue(const TVariant& v) {
  if (v.IsString())
    SetAsString(v.AsString());
  else
    SetAsLargeInt(v.AsInt64());
}

std::string TLargeintField::GetText(bool displayText) {
  std::int64_t v;
  if (!GetData(&v)) return {};
  const std::string& pattern = displayText || EditFormat().empty() ? DisplayFormat() : EditFormat();
  if (pattern.empty()) return std::to_string(v);
  return FormatNumber(pattern, static_cast<double>(v));
}

}  // namespace memtable
