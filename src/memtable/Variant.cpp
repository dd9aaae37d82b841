#include "memtable/Variant.h"

#include <cmath>
#include <cstdlib>

#include "memtable/DatabaseError.h"

namespace memtable {

namespace {
std::string Narrow(const std::u16string& s) {
  std::string out;
  out.reserve(s.size());
  for (char16_t c : s) out.push_back(c < 256 ? static_cast<char>(c) : '?');
  return out;
}
}  // namespace

std::int64_t TVariant::AsInt64() const {
  if (auto* i = std::get_if<std::int64_t>(&value_)) return *i;
  if (auto* d = std::get_if<double>(&value_)) return static_cast<std::int64_t>(std::llround(*d));
  if (auto* b = std::get_if<bool>(&value_)) return *b ? -1 : 0;
  if (IsNull()) return 0;
  std::string s = AsString();
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0') throw EDatabaseError("Could not convert variant to integer");
  return v;
}

double TVariant::AsDouble() const {
  if (auto* d = std::get_if<double>(&value_)) return *d;
  if (auto* i = std::get_if<std::int64_t>(&value_)) return static_cast<double>(*i);
  if (auto* b = std::get_if<bool>(&value_)) return *b ? -1.0 : 0.0;
  if (IsNull()) return 0.0;
  std::string s = AsString();
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0') throw EDatabaseError("Could not convert variant to double");
  return v;
}

bool TVariant::AsBool() const {
  if (auto* b = std::get_if<bool>(&value_)) return *b;
  if (IsNumeric()) return AsDouble() != 0.0;
  std::string s = AsString();
  return s == "True" || s == "true" || s == "TRUE";
}

std::string TVariant::AsString() const {
  switch (value_.index()) {
    case 0:
    case 1:
      return {};
    case 2:
      return std::get<bool>(value_) ? "True" : "False";
    case 3:
      return std::to_string(std::get<std::int64_t>(value_));
    case 4:
      return FormatG(std::get<double>(value_));
    case 5:
      return std::get<std::string>(value_);
    case 6:
      return Narrow(std::get<std::u16string>(value_));
    default:
      throw EDatabaseError("Could not convert variant array to string");
  }
}

std::u16string TVariant::AsWideString() const {
  if (auto* w = std::get_if<std::u16string>(&value_)) return *w;
  std::string s = AsString();
  std::u16string out;
  out.reserve(s.size());
  for (unsigned char c : s) out.push_back(c);
  return out;
}

int TVariant::DimCount() const {
  if (!IsArray()) return 0;
  int inner = 0;
  for (const TVariant& v : AsArray()) inner = std::max(inner, v.DimCount());
  return 1 + inner;
}

bool operator==(const TVariant& a, const TVariant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
  return a.value_ == b.value_;
}

}  // namespace memtable
