// The 8-bit ("ANSI") code page a locale uses, and reading bytes in it. The
// locale-aware comparison of 8-bit text reads its bytes this way, so a Polish
// table reads 0xB9 as "a with ogonek" and a Russian one as a Cyrillic letter.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace platform {

// 1252 for Western languages, 1250 for Central European ones, 1251 Cyrillic,
// 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257 Baltic,
// 1258 Vietnamese, 874 Thai and 932/936/949/950 for East Asian languages.
// Takes a concrete (already resolved) locale identifier.
unsigned AnsiCodePageForLocale(std::uint32_t lcid);

using AnsiByteTable = std::array<char16_t, 256>;

// The UTF-16 character of each byte of a single-byte code page (built once,
// never freed); null for the double-byte code pages.
const AnsiByteTable* SingleByteTable(unsigned codePage);

// Appends the UTF-16 form of `len` bytes read in `codePage` to `out`.
// A byte the code page leaves undefined becomes its C1 control when it lies in
// 0x80..0x9F (like Windows-1252's holes) and U+FFFD otherwise, as do broken
// double-byte sequences; an unknown code page reads as Windows-1252.
void AppendAnsiText(unsigned codePage, const char* text, std::size_t len, std::u16string& out);

}  // namespace platform
