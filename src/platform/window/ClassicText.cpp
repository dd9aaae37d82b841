#include "platform/window/ClassicText.h"

#include <algorithm>

namespace platform {

int LineHeight(HDC dc) {
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  return std::max(1, int(tm.tmHeight));
}

void DrawDisabledText(HDC dc, std::string_view text, RECT r, UINT format) {
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT shifted = r;
  OffsetRect(&shifted, 1, 1);
  DrawText(dc, text, &shifted, format);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawText(dc, text, &r, format);
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
}

}  // namespace platform
