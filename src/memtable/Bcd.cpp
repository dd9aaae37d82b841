#include "memtable/Bcd.h"

#include <charconv>
#include <cstring>

namespace memtable {

namespace {

void StripLeadingZeros(TDecimal& d) {
  std::size_t whole = d.digits.size() - d.scale;
  std::size_t n = 0;
  while (n + 1 < whole && d.digits[n] == '0') ++n;
  d.digits.erase(0, n);
}

bool IsZero(const TDecimal& d) {
  return d.digits.find_first_not_of('0') == std::string::npos;
}

}  // namespace

bool ParseDecimal(const std::string& text, TDecimal& out) {
  out = TDecimal{};
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) out.negative = text[i++] == '-';
  bool point = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      out.digits.push_back(c);
      if (point) ++out.scale;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (out.digits.empty()) return false;
  if (out.digits.size() == static_cast<std::size_t>(out.scale)) out.digits.insert(0, "0");
  StripLeadingZeros(out);
  if (IsZero(out)) out.negative = false;
  return true;
}

TDecimal RescaleDecimal(const TDecimal& d, int scale) {
  TDecimal r = d;
  if (scale >= r.scale) {
    r.digits.append(scale - r.scale, '0');
    r.scale = scale;
    return r;
  }
  int drop = r.scale - scale;
  bool up = r.digits[r.digits.size() - drop] >= '5';
  r.digits.resize(r.digits.size() - drop);
  r.scale = scale;
  if (up) {
    int k = static_cast<int>(r.digits.size()) - 1;
    while (k >= 0 && r.digits[k] == '9') r.digits[k--] = '0';
    if (k >= 0)
      ++r.digits[k];
    else
      r.digits.insert(0, "1");
  }
  StripLeadingZeros(r);
  if (IsZero(r)) r.negative = false;
  return r;
}

std::string DecimalToText(const TDecimal& d) {
  TDecimal r = d;
  StripLeadingZeros(r);
  std::string whole = r.digits.substr(0, r.digits.size() - r.scale);
  std::string frac = r.digits.substr(r.digits.size() - r.scale);
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  if (IsZero(r)) return "0";
  std::string s = r.negative ? "-" : "";
  s += whole;
  if (!frac.empty()) s += "." + frac;
  return s;
}

bool DecimalToBcd(const TDecimal& d, int precision, int scale, void* native) {
  if (precision < 1 || precision > kBcdMaxDigits || scale < 0 || scale > precision) return false;
  TDecimal r = RescaleDecimal(d, scale);
  StripLeadingZeros(r);
  std::string digits = r.digits;
  // A zero whole part needs no digit of its own.
  if (digits.size() == static_cast<std::size_t>(scale) + 1 && digits[0] == '0') digits.erase(0, 1);
  if (digits.size() > static_cast<std::size_t>(precision)) return false;
  std::string padded = std::string(precision - digits.size(), '0') + digits;
  auto* p = static_cast<std::uint8_t*>(native);
  std::memset(p, 0, kBcdSize);
  p[0] = static_cast<std::uint8_t>(precision);
  p[1] = static_cast<std::uint8_t>((r.negative ? 0x80 : 0) | scale);
  for (int k = 0; k < precision; ++k) {
    std::uint8_t v = static_cast<std::uint8_t>(padded[k] - '0');
    p[2 + k / 2] |= k % 2 == 0 ? static_cast<std::uint8_t>(v << 4) : v;
  }
  return true;
}

bool BcdToDecimal(const void* native, TDecimal& out) {
  const auto* p = static_cast<const std::uint8_t*>(native);
  int precision = p[0];
  int scale = p[1] & 0x3F;
  if (precision < 1 || precision > kBcdMaxDigits || scale > precision) return false;
  out = TDecimal{};
  out.negative = (p[1] & 0x80) != 0;
  out.scale = scale;
  for (int k = 0; k < precision; ++k) {
    int v = k % 2 == 0 ? p[2 + k / 2] >> 4 : p[2 + k / 2] & 0x0F;
    if (v > 9) return false;
    out.digits.push_back(static_cast<char>('0' + v));
  }
  if (out.digits.size() == static_cast<std::size_t>(scale)) out.digits.insert(0, "0");
  StripLeadingZeros(out);
  if (IsZero(out)) out.negative = false;
  return true;
}

bool DecimalToInt64(const TDecimal& d, std::int64_t& out) {
  TDecimal r = RescaleDecimal(d, 0);
  std::string text = (r.negative ? "-" : "") + r.digits;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

bool BcdToCurrency(const void* native, std::int64_t& out) {
  TDecimal d;
  return BcdToDecimal(native, d) && DecimalToCurrency(d, out);
}

bool DecimalToCurrency(const TDecimal& d, std::int64_t& out) {
  TDecimal r = RescaleDecimal(d, 4);
  r.scale = 0;
  return DecimalToInt64(r, out);
}

void CurrencyToBcd(std::int64_t value, void* native) {
  TDecimal d;
  d.negative = value < 0;
  // The magnitude of the smallest value does not fit a signed 64-bit number.
  std::uint64_t mag = d.negative ? 0 - static_cast<std::uint64_t>(value) : value;
  d.digits = std::to_string(mag);
  if (d.digits.size() < 5) d.digits.insert(0, 5 - d.digits.size(), '0');
  d.scale = 4;
  DecimalToBcd(d, 20, 4, native);
}

}  // namespace memtable
