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

// Comparison flags.
inline constexpr std::uint32_t NORM_IGNORECASE = 0x00000001;
inline constexpr std::uint32_t NORM_IGNORENONSPACE = 0x00000002;
inline constexpr std::uint32_t NORM_IGNORESYMBOLS = 0x00000004;
inline constexpr std::uint32_t SORT_DIGITSASNUMBERS = 0x00000008;
inline constexpr std::uint32_t LINGUISTIC_IGNORECASE = 0x00000010;
inline constexpr std::uint32_t LINGUISTIC_IGNOREDIACRITIC = 0x00000020;
inline constexpr std::uint32_t SORT_STRINGSORT = 0x00001000;
inline constexpr std::uint32_t NORM_IGNOREKANATYPE = 0x00010000;
inline constexpr std::uint32_t NORM_IGNOREWIDTH = 0x00020000;
inline constexpr std::uint32_t NORM_LINGUISTIC_CASING = 0x08000000;

inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

constexpr LANGID MAKELANGID(unsigned primary, unsigned sub) {
  return static_cast<LANGID>((sub << 10) | primary);
}
constexpr LCID MAKELCID(LANGID lang, unsigned sort) {
  return (LCID(sort) << 16) | lang;
}

// Comparison uses word sort unless SORT_STRINGSORT is given: hyphen and
// apostrophe weigh nothing and only break ties, so "co-op" sorts right after
// "coop". Characters without a weight (unassigned code points, U+FFFD,
// unpaired surrogates) are skipped. On failure the result is 0 and the
// last-error value (LastError.h) says why: ERROR_INVALID_PARAMETER for an
// unknown locale, a null text or a length below -1, ERROR_INVALID_FLAGS for
// flags outside the list above.

// Compares two 8-bit texts read in the locale's ANSI code page (AnsiCodePage.h).
// A text ends at its first NUL; a length of -1 sets no other limit, a larger
// length than the text is cut at the NUL.
int CompareStringA(LCID locale, std::uint32_t flags, const char* s1, int len1, const char* s2,
                   int len2);
// Compares two UTF-16 texts; lengths as for CompareStringA.
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
