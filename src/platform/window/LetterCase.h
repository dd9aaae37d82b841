// Letters of the window system's 8-bit Windows-1252 text: upper and lower
// case, comparisons that ignore case, and the mnemonic letter of a caption.
// Controls, dialogs and menus all match typed letters this way.
#pragma once

#include <string_view>

namespace platform {

unsigned char UpperChar(unsigned char c);
unsigned char LowerChar(unsigned char c);
// Case-insensitive prefix and whole comparisons.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EqualsNoCase(std::string_view a, std::string_view b);

// The letter after a single "&" in a caption, upper-cased; 0 without one.
unsigned char MnemonicOf(std::string_view caption);

}  // namespace platform
