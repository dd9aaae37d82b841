// Text in a section's font colours, with the one-pixel contours the section
// asks for, or the engraved look of disabled text.
#pragma once

#include <string_view>

#include "skin/data/SkinTables.h"
#include "toolkit/Canvas.h"

namespace skin {

// Draws `text` in r with the canvas font and the DT_ format flags; the
// brush is left clear. Without DT_WORDBREAK the text is measured and placed
// in r (centred with DT_CENTER, at the right with DT_RIGHT, else at the
// left; always centred vertically), with one pixel to spare on every side
// for the contours. Disabled text is drawn in the button highlight colour
// one pixel down and right, then in the button shadow colour; enabled text
// of a valid section draws each contour whose colour is not -1 one pixel to
// its side, then the text in the section's (hot: hot) font colour; with no
// valid section the text is drawn plainly. The font colour is put back.
void DrawSkinText(const TSkinTables& tables, toolkit::TCanvas& canvas, std::string_view text,
                  bool enabled, bool hot, int sectionIndex, unsigned flags, const RECT& r);

}  // namespace skin
