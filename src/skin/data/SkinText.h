// Small text helpers shared by the skin parsers: upper-casing and
// case-blind comparison of section and key names, and the one number
// syntax every skin text uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/AsciiCase.h"

namespace skin {

// Names in skins are plain ASCII; other bytes are left as they are.
using platform::SameText;
using platform::UpperCase;
std::string_view TrimBlanks(std::string_view text);

// A 32-bit skin number: optional sign and decimal digits, or "$" / "0x"
// followed by up to eight hex digits. Decimal values up to 4294967295 are
// accepted and wrap into the signed range, so a colour with its top bit set
// (a system colour) reads back as the same 32 bits. Surrounding blanks are
// allowed; anything else, or a value beyond 32 bits, gives nothing.
std::optional<std::int32_t> ParseSkinInteger(std::string_view text);

// A decimal fraction with "." as separator; nothing for any other text.
std::optional<double> ParseSkinFloat(std::string_view text);

// The non-empty words of a text between any of the given delimiters.
std::vector<std::string_view> SplitWords(std::string_view text, std::string_view delimiters);
// Every word between single delimiters, empty ones included: "a;;b" is
// three words. An empty text has none.
std::vector<std::string_view> SplitExactly(std::string_view text, char delimiter);

}  // namespace skin
