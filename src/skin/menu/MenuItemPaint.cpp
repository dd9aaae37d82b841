#include "skin/menu/MenuItemPaint.h"

#include <algorithm>
#include <string>

#include "platform/gdi/Gdi.h"
#include "skin/data/SkinLookup.h"
#include "skin/paint/PaintPixels.h"
#include "skin/paint/SectionPaint.h"
#include "skin/paint/SkinTextDrawing.h"
#include "toolkit/MenuOwnerDraw.h"

namespace skin {

namespace p = platform;
using toolkit::TCanvas;

namespace {

constexpr toolkit::TColor kFrameGrey = 0x808080;
constexpr toolkit::TColor kFrameWhite = 0xFFFFFF;
constexpr int kShortCutInset = 8;

// Grey top and left edges, white bottom and right ones; the white corner
// pixels win.
void Frame3D(TCanvas& canvas, RECT r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const int right = r.right - 1, bottom = r.bottom - 1;
  canvas.Pen()->SetColor(kFrameGrey);
  canvas.MoveTo(r.left, bottom);
  canvas.LineTo(r.left, r.top);
  canvas.LineTo(right, r.top);
  canvas.Pen()->SetColor(kFrameWhite);
  canvas.MoveTo(right, r.top);
  canvas.LineTo(right, bottom);
  canvas.LineTo(r.left - 1, bottom);
}

void PrepareCanvas(graphics::TPixelBitmap& picture, bool bold) {
  TCanvas& canvas = *picture.Canvas();
  toolkit::UseMenuFont(*canvas.Font(), bold);
  canvas.Pen()->SetStyle(toolkit::psSolid);
  canvas.Pen()->SetWidth(1);
}

// The item's own picture at (d, d), its transparent pixels left out; grey
// when disabled.
void PutBitmap(const Surface& target, const Surface& bitmap, int itemHeight, bool enabled) {
  if (bitmap.IsEmpty()) return;
  const int d = (itemHeight - bitmap.height) / 2;
  for (int y = 0; y < bitmap.height; ++y)
    for (int x = 0; x < bitmap.width; ++x) {
      const int tx = d + x, ty = d + y;
      if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
      std::uint32_t px = bitmap.At(x, y);
      if ((px >> 24) == 0 || IsFuchsia(px)) continue;
      if (!enabled) {
        const unsigned g = (Channel(px, 0) + Channel(px, 8) + Channel(px, 16)) / 3;
        px = kOpaque | g << 16 | g << 8 | g;
      }
      target.At(tx, ty) = kOpaque | px;
    }
}

}  // namespace

void DrawMenuSeparator(TCanvas& canvas, const RECT& item, int margin) {
  canvas.Pen()->SetStyle(toolkit::psSolid);
  canvas.Pen()->SetWidth(1);
  Frame3D(canvas, RECT{item.left + margin, item.top, item.right - margin, item.bottom});
}

RECT MenuGlyphBox(int itemHeight, TMenuGlyphSize glyph, int margin) {
  const int top = (itemHeight - glyph.Height) / 2;
  return RECT{margin, top, margin + glyph.Width, top + glyph.Height};
}

std::array<POINT, 6> CheckMarkPoints(const RECT& box) {
  const int k = box.Width() / 8;
  const int L = box.left + k + 1, T = box.top + k + 1, R = box.right - k, B = box.bottom - k;
  const int b = B - T;
  return {POINT{L, B - b / 3 - 2},         POINT{L + b / 3, B - 2},
          POINT{R - 2, T + b / 3},         POINT{R - 2, T + b / 3 - b / 4},
          POINT{L + b / 3, B - b / 4 - 2}, POINT{L + b / 4, B - b / 3 - 2}};
}

void DrawCheckedBox(graphics::TPixelBitmap& picture, const RECT& box, bool mark, bool enabled) {
  const Surface s = SurfaceOf(picture);
  // The blend takes in the column and the row just past the box.
  for (int y = std::max(box.top, 0); y <= box.bottom && y < s.height; ++y)
    for (int x = std::max(box.left, 0); x <= box.right && x < s.width; ++x)
      s.At(x, y) = MixHalf(s.At(x, y), 0xFFFFFFFFu);
  TCanvas& canvas = *picture.Canvas();
  Frame3D(canvas, box);
  if (!mark) return;
  std::array<POINT, 6> points = CheckMarkPoints(box);
  auto polygon = [&](toolkit::TColor color, int shift) {
    std::array<POINT, 6> moved = points;
    for (POINT& pt : moved) pt.x += shift, pt.y += shift;
    canvas.Pen()->SetColor(color);
    canvas.Brush()->SetStyle(toolkit::bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Polygon(moved.data(), int(moved.size()));
  };
  if (enabled) {
    polygon(toolkit::clBlack, 0);
  } else {
    polygon(toolkit::TColor(p::GetSysColor(p::COLOR_3DLIGHT)), 1);
    polygon(toolkit::TColor(p::GetSysColor(p::COLOR_BTNSHADOW)), 0);
  }
}

void PaintBarItem(const TSkinTables& tables, graphics::TPixelBitmap& picture,
                  const TParentBackground& frame, const TMenuItemLook& look, int margin) {
  if (picture.Empty()) return;
  PrepareCanvas(picture, look.Default);
  const Surface s = SurfaceOf(picture);
  const RECT all = s.Bounds();
  PaintSection(tables, FindSection(tables.Sections, "MENUITEM"), "MENUITEM", frame, s, POINT{0, 0},
               all, look.Hot ? 1 : 0, true);
  TCanvas& canvas = *picture.Canvas();
  const int line = FindSection(tables.Sections, "MENULINE");
  const unsigned flags = p::DT_LEFT | p::DT_VCENTER | p::DT_EXPANDTABS;
  DrawSkinText(tables, canvas, look.Caption, look.Enabled, look.Hot, line, flags,
               RECT{all.left + margin, all.top, all.right - margin, all.bottom});
  if (!look.ShortCut.empty())
    DrawSkinText(tables, canvas, look.ShortCut, look.Enabled, look.Hot, line,
                 p::DT_RIGHT | p::DT_VCENTER | p::DT_EXPANDTABS,
                 RECT{all.left + margin, all.top, all.right - kShortCutInset, all.bottom});
}

void PaintMenuListBackground(const TSkinTables& tables, graphics::TPixelBitmap& picture) {
  const Surface s = SurfaceOf(picture);
  if (s.IsEmpty()) return;
  PaintSection(tables, FindSection(tables.Sections, "MAINMENU"), "MAINMENU", TParentBackground{}, s,
               POINT{0, 0}, s.Bounds(), 0, true);
}

void PaintDropDownItem(const TSkinTables& tables, graphics::TPixelBitmap& picture,
                       const TParentBackground& list, const TMenuItemLook& look,
                       TMenuGlyphSize glyph, const Surface& bitmap, int margin) {
  if (picture.Empty()) return;
  PrepareCanvas(picture, look.Default);
  const Surface s = SurfaceOf(picture);
  const RECT all = s.Bounds();
  PaintSection(tables, FindSection(tables.Sections, "MENUITEM"), "MENUITEM", list, s, POINT{0, 0},
               all, look.Hot ? 1 : 0, true);
  if (look.Checked)
    DrawCheckedBox(picture, MenuGlyphBox(all.Height(), glyph, margin), bitmap.IsEmpty(),
                   look.Enabled);
  PutBitmap(s, bitmap, all.Height(), look.Enabled);

  TCanvas& canvas = *picture.Canvas();
  const int section = FindSection(tables.Sections, "MENUITEM");
  const RECT textBox{glyph.Width + 2 * margin, all.top, all.right, all.bottom};
  unsigned flags = p::DT_SINGLELINE | p::DT_EXPANDTABS | p::DT_NOCLIP | p::DT_HIDEPREFIX;
  std::string caption(look.Caption);
  // A caption led by character 8 is set against the right edge.
  if (!caption.empty() && caption.front() == '\x08') {
    caption = caption.substr(1) + std::string(6, ' ');
    flags |= p::DT_RIGHT;
  } else {
    flags |= p::DT_LEFT;
  }
  DrawSkinText(tables, canvas, caption, look.Enabled, look.Hot, section, flags, textBox);
  if (!look.ShortCut.empty())
    DrawSkinText(tables, canvas, look.ShortCut, look.Enabled, look.Hot, section,
                 p::DT_SINGLELINE | p::DT_EXPANDTABS | p::DT_NOCLIP | p::DT_RIGHT,
                 RECT{textBox.Width(), all.top, all.right - kShortCutInset, all.bottom});
}

}  // namespace skin
