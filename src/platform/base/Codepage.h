// Conversions between the program's 8-bit Windows-1252 text and Unicode. The
// program keeps 8-bit strings everywhere; these are used only at the edges
// (glyph lookup, the desktop clipboard and window titles, collation).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

char16_t Cp1252ToUnicode(unsigned char c);
// Unicode code point to Windows-1252; characters the code page lacks become '?'.
char UnicodeToCp1252(char32_t cp);
// The same, but nothing for a character the code page lacks.
std::optional<char> TryUnicodeToCp1252(char32_t cp);
// Code points of UTF-8 text; each malformed byte becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

std::u16string Cp1252ToUtf16(std::string_view text);
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view text);  // malformed sequences become '?'
std::string Utf16ToCp1252(std::u16string_view text);

}  // namespace platform
