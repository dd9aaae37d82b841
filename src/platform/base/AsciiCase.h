// Case of plain ASCII letters, for names that are identifiers or keys:
// class names, property and section names, font faces, script words. Every
// other byte is left as it is, so text in any code page keeps its meaning.
// (Typed text and captions use the code page's letters; see LetterCase.h.)
#pragma once

#include <string>
#include <string_view>

namespace platform {

constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Equal texts when ASCII letters match regardless of case.
bool SameText(std::string_view a, std::string_view b);

}  // namespace platform
