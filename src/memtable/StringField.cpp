#include "memtable/StringField.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "memtable/DataSet.h"
#include "memtable/DatabaseError.h"
#include "memtable/DateTimeField.h"

namespace memtable {

namespace {
// The length of a text up to its first NUL, at most n. Field texts are short,
// so eight bytes at a time inline beat a library call.
std::size_t TextLength(const char* s, std::size_t n) {
  if constexpr (std::endian::native != std::endian::little) {
    return strnlen(s, n);
  } else {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
      std::uint64_t w;
      std::memcpy(&w, s + i, 8);
      // The lowest flagged byte is the first zero one (only bytes above a
      // zero byte can be flagged falsely).
      if (std::uint64_t zero = (w - kOnes) & ~w & kHighs)
        return i + static_cast<std::size_t>(std::countr_zero(zero) / 8);
    }
    for (; i < n; ++i)
      if (s[i] == 0) return i;
    return n;
  }
}
}  // namespace

std::string TStringField::AsString() {
  return GetChars();
}

void TStringField::SetAsString(const std::string& v) {
  std::size_t n = TextLength(v.data(), std::min<std::size_t>(v.size(), Size()));
  // Straight to the dataset; without one the long way raises the error.
  if (TDataSet* ds = DataSet())
    ds->SetFieldChars(this, v.data(), n);
  else
    SetChars(v.data(), n);
}

std::int32_t TStringField::AsInteger() {
  return static_cast<std::int32_t>(AsLargeInt());
}

std::int64_t TStringField::AsLargeInt() {
  std::string s = AsString();
  if (s.empty()) return 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (*end != '\0')
    throw EDatabaseError(Format(SInvalidIntegerValue, s.c_str(), DisplayName().c_str()));
  return v;
}

double TStringField::AsFloat() {
  std::string s = AsString();
  if (s.empty()) return 0;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (*end != '\0')
    throw EDatabaseError(Format(SInvalidFloatValue, s.c_str(), DisplayName().c_str()));
  return v;
}

void TStringField::SetAsFloat(double v) {
  SetAsString(FormatG(v));
}

bool TStringField::AsBoolean() {
  std::string s = AsString();
  return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
}

TDateTime TStringField::AsDateTime() {
  std::string s = AsString();
  if (s.empty()) return 0;
  return StrToDateTimeValue(s);
}

void TStringField::SetAsDateTime(TDateTime v) {
  SetAsString(DateTimeToText(ftDateTime, v));
}

TVariant TStringField::AsVariant() {
  if (IsNull()) return TVariant::MakeNull();
  return AsString();
}

std::u16string TWideStringField::AsWideString() {
  std::vector<std::uint8_t> buf(DataSize());
  if (!GetData(buf.data())) return {};
  std::uint32_t bytes;
  std::memcpy(&bytes, buf.data(), 4);
  bytes = std::min<std::uint32_t>(bytes, Size() * 2);
  std::u16string out(bytes / 2, u'\0');
  std::memcpy(out.data(), buf.data() + 4, out.size() * 2);
  return out;
}

void TWideStringField::SetAsWideString(const std::u16string& v) {
  std::vector<std::uint8_t> buf(DataSize(), 0);
  std::size_t n = std::min<std::size_t>(v.size(), Size());
  for (std::size_t i = 0; i < n; ++i)
    if (v[i] == u'\0') {
      n = i;
      break;
    }
  std::uint32_t bytes = static_cast<std::uint32_t>(n * 2);
  std::memcpy(buf.data(), &bytes, 4);
  std::memcpy(buf.data() + 4, v.data(), bytes);
  SetData(buf.data());
}

std::string TWideStringField::AsString() {
  std::u16string w = AsWideString();
  std::string out;
  out.reserve(w.size());
  for (char16_t c : w) out.push_back(c < 256 ? static_cast<char>(c) : '?');
  return out;
}

void TWideStringField::SetAsString(const std::string& v) {
  std::u16string w;
  w.reserve(v.size());
  for (unsigned char c : v) w.push_back(c);
  SetAsWideString(w);
}

std::int32_t TWideStringField::AsInteger() {
  std::string s = AsString();
  if (s.empty()) return 0;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end != '\0')
    throw EDatabaseError(Format(SInvalidIntegerValue, s.c_str(), DisplayName().c_str()));
  return static_cast<std::int32_t>(v);
}

TVariant TWideStringField::AsVariant() {
  if (IsNull()) return TVariant::MakeNull();
  return AsWideString();
}

}  // namespace memtable
