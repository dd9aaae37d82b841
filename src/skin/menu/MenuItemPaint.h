// The pictures of skinned menu items: bar items over the window frame,
// drop-down items over their list's background, the separator, the checked
// box and its mark. Each works on plain inputs (texts, flags, pictures), so
// nothing here needs a window.
#pragma once

#include <array>
#include <string_view>

#include "graphics/PixelBitmap.h"
#include "skin/data/SkinTables.h"
#include "skin/menu/MenuItemMetrics.h"
#include "skin/paint/PictureSurface.h"

namespace skin {

// How one item is to be drawn.
struct TMenuItemLook {
  std::string_view Caption;   // "&" marks the mnemonic
  std::string_view ShortCut;  // "Ctrl+D", or empty
  bool Hot = false;           // selected or hot-lit
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;  // bold
};

// The grey and white one-pixel frame of a separator over `item` less the
// margin at the left and right, drawn straight onto the canvas.
void DrawMenuSeparator(toolkit::TCanvas& canvas, const RECT& item, int margin = kMenuMargin);

// The glyph box of a drop-down item of that height.
RECT MenuGlyphBox(int itemHeight, TMenuGlyphSize glyph, int margin = kMenuMargin);

// The check mark's outline inside the glyph box.
std::array<POINT, 6> CheckMarkPoints(const RECT& box);

// A checked item's box: the box (one column and row more) mixed half and
// half with white, framed like a separator, and with `mark` the check mark
// (black, or engraved when disabled).
void DrawCheckedBox(graphics::TPixelBitmap& picture, const RECT& box, bool mark, bool enabled);

// A bar item into `picture` (of the item's size): MENUITEM over the frame's
// picture behind the item, then the caption in MENULINE's colours and the
// shortcut 8 pixels inside the right edge.
void PaintBarItem(const TSkinTables& tables, graphics::TPixelBitmap& picture,
                  const TParentBackground& frame, const TMenuItemLook& look,
                  int margin = kMenuMargin);

// A list's background: MAINMENU in the normal state over the whole picture.
void PaintMenuListBackground(const TSkinTables& tables, graphics::TPixelBitmap& picture);

// A drop-down item (not a separator or heading) into `picture` (of the
// item's size): MENUITEM over the list's background behind the item, the
// checked box, the item's own picture (may be empty; pixels of alpha 0 or
// fuchsia are left out), the caption in MENUITEM's colours and the shortcut.
void PaintDropDownItem(const TSkinTables& tables, graphics::TPixelBitmap& picture,
                       const TParentBackground& list, const TMenuItemLook& look,
                       TMenuGlyphSize glyph = {}, const Surface& bitmap = {},
                       int margin = kMenuMargin);

}  // namespace skin
