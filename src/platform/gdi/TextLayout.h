// Formatted-text layout: turns a string and DT_ flags into the lines to draw
// in a rectangle of a given width. Measuring is left to the caller, so the
// layout rules can be checked without fonts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

namespace platform {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int Advance(unsigned char c) = 0;
  virtual int AveCharWidth() = 0;  // tab stops are 8 of these apart
};

struct LayoutLine {
  std::string text;                // as drawn: prefixes removed, ellipsis applied
  std::vector<std::size_t> marks;  // characters of `text` to underline ("&x")
  int width = 0;                   // with tabs expanded when asked
};

struct TextLayoutResult {
  std::vector<LayoutLine> lines;
  int maxWidth = 0;
};

// `width` is the rectangle's width; DT_CALCRECT leaves ellipses out so the
// full size is measured. DT_TABSTOP takes the tab size from bits 8..15.
TextLayoutResult LayoutText(std::string_view text, UINT format, int width, TextMeasure& measure);

// Width of a line as DrawText draws it (tabs to the next stop when expanding).
int LineWidth(std::string_view line, bool expandTabs, int tabWidth, TextMeasure& measure);

}  // namespace platform
