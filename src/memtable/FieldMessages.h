// Message texts of the decimal, byte, GUID, time-stamp and blob fields.
#pragma once

namespace memtable {

inline constexpr const char* SInvalidBcdValue = "'%s' is not a valid BCD value for field '%s'";
inline constexpr const char* SBcdOverflow = "'%s' does not fit field '%s' (precision %d, scale %d)";
inline constexpr const char* SInvalidBcdPrecision =
    "Invalid precision %d with scale %d for field '%s' (precision 1 to %d)";
inline constexpr const char* SInvalidBcdData = "Field '%s' holds no valid BCD value";
inline constexpr const char* SInvalidGuidValue = "'%s' is not a valid GUID value for field '%s'";
inline constexpr const char* SBytesTooLong =
    "A value of %zu bytes is too long for field '%s' (at most %d)";
inline constexpr const char* SInvalidTimeStamp = "Field '%s' holds no valid time stamp";
inline constexpr const char* STimeStampRange = "%s is outside the time stamp range of field '%s'";

}  // namespace memtable
