// Packed decimal values as a record keeps them: 34 bytes, the digit count,
// then the sign bit (0x80) with the number of decimal places, then up to 64
// digits, two to a byte, most significant first.
#pragma once

#include <cstdint>
#include <string>

namespace memtable {

inline constexpr int kBcdSize = 34;
inline constexpr int kBcdMaxDigits = 64;

// A decimal number as digits and a scale: value = digits / 10^scale.
struct TDecimal {
  bool negative = false;
  std::string digits;  // at least one digit, no sign
  int scale = 0;
};

// Reads "[+-]digits[.digits]"; false on anything else.
bool ParseDecimal(const std::string& text, TDecimal& out);
// Rounds (half away from zero) or pads to `scale` decimal places.
TDecimal RescaleDecimal(const TDecimal& d, int scale);
// The shortest text: no leading zeros, no trailing zeros after the point.
std::string DecimalToText(const TDecimal& d);

// Packs into `precision` digits with `scale` places; false when the value's
// whole part needs more than precision - scale digits.
bool DecimalToBcd(const TDecimal& d, int precision, int scale, void* native);
// Unpacks; false when the digit count or scale is impossible or a nibble is
// not a digit.
bool BcdToDecimal(const void* native, TDecimal& out);

// The 64-bit currency form (ten-thousandths); false when out of its range.
bool BcdToCurrency(const void* native, std::int64_t& out);
bool DecimalToCurrency(const TDecimal& d, std::int64_t& out);
void CurrencyToBcd(std::int64_t value, void* native);
// Whole part, rounded; false when out of the 64-bit range.
bool DecimalToInt64(const TDecimal& d, std::int64_t& out);

}  // namespace memtable
