// The font colour text of a skin section: the text colour and the four
// contour colours drawn one pixel to the left, top, right and bottom of it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace skin {

enum TSkinContourSide { TCLEFT = 0, TCTOP = 1, TCRIGHT = 2, TCBOTTOM = 3 };

struct TSkinFontColors {
  std::int32_t FontColor = 0;
  std::array<std::int32_t, 4> Contours{-1, -1, -1, -1};  // -1: no contour on that side
  friend bool operator==(const TSkinFontColors&, const TSkinFontColors&) = default;
};

// Five numbers between blanks. Any other text, including one with a word
// that is no number, gives the plain default: colour 0 and no contours, so a
// broken text is never read in part.
TSkinFontColors ParseFontColors(std::string_view text);

}  // namespace skin
