// Text in the classic look, as controls and menus draw it: the height of a
// line in the selected font, and the raised grey text of disabled items.
#pragma once

#include <string_view>

#include "platform/gdi/Gdi.h"

namespace platform {

int LineHeight(HDC dc);  // at least 1

// Drawn twice: once in the highlight colour one pixel down and right, then
// in grey at the place itself.
void DrawDisabledText(HDC dc, std::string_view text, RECT r, UINT format);

}  // namespace platform
