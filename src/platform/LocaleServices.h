// Locale services: locale identifiers and locale-aware text comparison.
//
// Locale identifiers are the classic 32-bit numbers: the low 16 bits are the
// language (primary language in bits 0-9, sub-language in bits 10-15), bits
// 16-19 the sort order. Comparison follows the classic contract: 1, 2, 3 for
// less, equal, greater and 0 for failure (an unknown locale or bad arguments).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

using LCID = std::uint32_t;
using LANGID = std::uint16_t;

inline constexpr LCID LOCALE_INVARIANT = 0x007F;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

inline constexpr std::uint32_t NORM_IGNORECASE = 0x00000001;

inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

constexpr LANGID MAKELANGID(unsigned primary, unsigned sub) {
  return static_cast<LANGID>((sub << 10) | primary);
}
constexpr LCID MAKELCID(LANGID lang, unsigned sort) {
  return (LCID(sort) << 16) | lang;
}

// Compares two Windows-1252 texts. A negative length means "up to the first NUL".
int CompareStringA(LCID locale, std::uint32_t flags, const char* s1, int len1, const char* s2,
                   int len2);
// Compares two UTF-16 texts. A negative length means "up to the first NUL".
int CompareStringW(LCID locale, std::uint32_t flags, const char16_t* s1, int len1,
                   const char16_t* s2, int len2);

// True when the identifier names a locale this system knows (after resolving
// the user- and system-default identifiers).
bool IsValidLocale(LCID locale);

// The user's default locale, taken from LC_ALL, LC_COLLATE or LANG (en-US when
// unset, "C" or "POSIX").
LCID GetUserDefaultLCID();

// The ICU locale name ("de_DE") for an identifier; empty when unknown.
std::string LocaleNameFromLCID(LCID locale);

// Forgets cached environment-derived settings so the next call re-reads them
// (used when the system announces a change of regional settings).
void ResetLocaleCache();

}  // namespace platform
