#include "skin/frame/FramePaint.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/window/SystemMetrics.h"
#include "skin/data/SkinLookup.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/paint/GlyphMask.h"
#include "skin/paint/SectionBackground.h"
#include "skin/paint/SectionPaint.h"
#include "skin/paint/SkinTextDrawing.h"

namespace skin {

namespace p = platform;

namespace {

// Each bar item through the skin's bar-item routine, over the frame as it
// is so far, copied back into the frame.
void PaintBarItems(const TSkinTables& tables, const Surface& frame,
                   const std::vector<TFrameBarItem>& items) {
  graphics::TPixelBitmap picture;
  for (const TFrameBarItem& item : items) {
    const RECT& r = item.R;
    if (r.left < 0 || r.top < 0 || r.right > frame.width || r.bottom > frame.height ||
        r.right <= r.left || r.bottom <= r.top)
      continue;
    picture.SetSize(r.right - r.left, r.bottom - r.top);
    const TMenuItemLook look{item.Caption, {}, item.Hot, item.Enabled, false, false};
    PaintBarItem(tables, picture, TParentBackground{frame, r.left, r.top, true}, look);
    const Surface from = SurfaceOf(picture);
    for (int y = 0; y < from.height; ++y)
      for (int x = 0; x < from.width; ++x)
        frame.At(r.left + x, r.top + y) = 0xFF000000u | from.At(x, y);
  }
}

int Piece(const TSkinTables& tables, int section, std::string_view name, std::string_view role) {
  return FindMask(tables.Sections, section, name, role, tables.Masks);
}

// The window icon stretched into r, fuchsia left out; an icon with alpha
// is blended over the title instead.
void DrawIcon(const Surface& icon, bool hasAlpha, const Surface& target, const RECT& r) {
  if (icon.IsEmpty()) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  for (int y = std::max(0, -r.top); y < h && r.top + y < target.height; ++y)
    for (int x = std::max(0, -r.left); x < w && r.left + x < target.width; ++x) {
      const std::uint32_t px = icon.At(x * icon.width / w, y * icon.height / h);
      std::uint32_t& out = target.At(r.left + x, r.top + y);
      if (hasAlpha) {
        const std::uint32_t a = px >> 24;
        std::uint32_t mixed = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
          const std::uint32_t fg = (px >> shift) & 0xFF, bg = (out >> shift) & 0xFF;
          mixed |= ((fg * a + bg * (255 - a) + 127) / 255) << shift;
        }
        out = mixed;
        continue;
      }
      if ((px & 0xFFFFFFu) == (kFuchsiaPixel & 0xFFFFFFu)) continue;
      out = px | 0xFF000000u;
    }
}

void SaveStrip(const Surface& s, const RECT& r, std::vector<std::uint32_t>& strip) {
  strip.clear();
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) strip.push_back(s.At(x, y));
}

bool Opaque(const TFramePaintInput& in, TFrameIcon icon) {
  if (!in.Active) return false;
  switch (icon) {
    case fiMaximize:
      return in.Layout.Icons.Contains(toolkit::biMaximize);
    case fiMinimize:
      return in.Layout.Icons.Contains(toolkit::biMinimize);
    default:
      return true;
  }
}

int IconPiece(const TFramePieces& pieces, const TFramePaintInput& in, TFrameIcon icon) {
  switch (icon) {
    case fiClose:
      return pieces.Close;
    case fiMaximize:
      return in.Layout.Maximized ? pieces.Normal : pieces.Maximize;
    case fiMinimize:
      return pieces.Minimize;
    case fiHelp:
      return pieces.Help;
  }
  return -1;
}

void DrawIconOnly(const TSkinTables& tables, const TFramePieces& pieces, const TFramePaintInput& in,
                  const TFrameLayout& l, TFrameIcon icon, const Surface& s) {
  const std::size_t i = std::size_t(icon);
  if (!l.Visible[i]) return;
  DrawGlyphMask(tables, s, POINT{l.Icon[i].left, l.Icon[i].top}, in.IconStates[i],
                IconPiece(pieces, in, icon), Opaque(in, icon));
}

}  // namespace

bool FramePaintable(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxFrameSide && height <= kMaxFrameSide &&
         std::int64_t(width) * height <= kMaxFramePixels;
}

TFramePieces FindFramePieces(const TSkinTables& tables, std::string_view sectionName) {
  TFramePieces f;
  f.SectionName = std::string(sectionName);
  f.Section = FindSection(tables.Sections, sectionName);
  if (f.Section < 0) return f;
  f.Title = FindSection(tables.Sections, "FORMTITLE");
  f.MenuLine = FindSection(tables.Sections, "MENULINE");
  f.Close = Piece(tables, f.Section, sectionName, "BICONCLOSE");
  f.Maximize = Piece(tables, f.Section, sectionName, "BICONMAX");
  f.Normal = Piece(tables, f.Section, sectionName, "BICONNORM");
  f.Minimize = Piece(tables, f.Section, sectionName, "BICONMIN");
  f.Help = Piece(tables, f.Section, sectionName, "BICONHELP");
  f.Grip = Piece(tables, f.Section, sectionName, "GRIPIMAGE");
  f.TitleButton = Piece(tables, f.Section, sectionName, "TITLEBUTTON");
  return f;
}

TFrameLayout FrameLayoutFor(const TSkinTables& tables, const TFramePieces& pieces,
                            const TFrameLayoutInput& in) {
  return LayoutFrame(in, BorderIconSize(tables, pieces.Close));
}

std::vector<TFrameBarItem> LayoutBarItems(toolkit::TCanvas& canvas,
                                          const std::vector<std::string>& captions, int width,
                                          int borderWidth, int windowBorder, int top) {
  constexpr int kMargin = 4;
  const int h = p::GetSystemMetrics(p::SM_CYMENU) - 1;
  const int limit = width - 2 * borderWidth - 2 * windowBorder - 6;
  std::vector<TFrameBarItem> items;
  int x = borderWidth, y = top;
  for (const std::string& caption : captions) {
    int w = canvas.TextWidth(caption) + kMargin + 5;
    if (caption.find('&') != std::string::npos) w -= canvas.TextWidth("&");
    if (x > borderWidth && x + w > limit) {
      x = borderWidth;
      y += h;
    }
    items.push_back(TFrameBarItem{caption, RECT{x, y, x + w, y + h}});
    x += w;
  }
  return items;
}

int BarLines(const std::vector<TFrameBarItem>& items, int top) {
  if (items.empty()) return 0;
  const int h = p::GetSystemMetrics(p::SM_CYMENU) - 1;
  return h > 0 ? (items.back().R.top - top) / h + 1 : 1;
}

std::string FitCaption(toolkit::TCanvas& canvas, std::string_view text, int width) {
  if (canvas.TextWidth(text) <= width) return std::string(text);
  // The longest prefix that still fits with the ellipsis: found by halving,
  // since captions may be very long.
  std::size_t lo = 0, hi = text.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    if (canvas.TextWidth(std::string(text.substr(0, mid)) + "...") <= width)
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo == 0 && canvas.TextWidth("...") > width ? std::string()
                                                    : std::string(text.substr(0, lo)) + "...";
}

void PaintFrame(const TSkinTables& tables, const TFramePieces& pieces, const TFramePaintInput& in,
                graphics::TPixelBitmap& cache, std::vector<std::uint32_t>& strip) {
  strip.clear();
  const TFrameLayout l = FrameLayoutFor(tables, pieces, in.Layout);
  if (!FramePaintable(l.Width, l.Height) || !pieces.Valid()) {
    cache.SetSize(0, 0);
    return;
  }
  cache.SetSize(l.Width, l.Height);
  const Surface s = SurfaceOf(cache);
  const RECT all{0, 0, l.Width, l.Height};
  const int state = in.Active ? 1 : 0;
  const bool borderless = in.Layout.Style == toolkit::bsNone;

  // 1. background and frame
  if (borderless)
    PaintSectionBackground(tables, pieces.Section, pieces.SectionName, TParentBackground{}, s,
                           POINT{0, 0}, all, state);
  else
    PaintSection(tables, pieces.Section, pieces.SectionName, TParentBackground{}, s, POINT{0, 0},
                 all, state, false);

  // 2. grip
  if (in.Grip == gmRightBottom && tables.ValidMask(pieces.Grip)) {
    const p::SIZE g = BorderIconSize(tables, pieces.Grip);
    DrawGlyphMask(tables, s,
                  POINT{l.Width - l.M.BorderWidth - g.cx, l.Height - l.M.BorderHeight - g.cy}, 0,
                  pieces.Grip, true);
  }
  if (borderless) return;

  // 3. title, over what is already there
  const TParentBackground self{s, 0, 0, true};
  if (l.Title.bottom <= l.Height)
    PaintSection(tables, pieces.Title, "FORMTITLE", self, s, POINT{0, 0}, l.Title, state, true);

  // 4. window icon
  if (l.HasAppIcon) DrawIcon(in.Icon, in.IconHasAlpha, s, l.AppIcon);

  // 5. menu bar
  toolkit::TCanvas& canvas = *cache.Canvas();
  canvas.Brush()->SetStyle(toolkit::bsClear);
  canvas.Font()->SetName(in.FontName);
  canvas.Font()->SetHeight(in.FontHeight);
  if (!l.MenuBar.IsEmpty() && l.MenuBar.bottom <= l.Height) {
    PaintSection(tables, pieces.MenuLine, "MENULINE", self, s, POINT{0, 0}, l.MenuBar, state, true);
    canvas.Font()->SetStyle({});
    auto items = LayoutBarItems(canvas, in.MenuCaptions, l.Width, l.M.BorderWidth, in.WindowBorder,
                                l.MenuBar.top);
    for (std::size_t i = 0; i < items.size(); ++i) {
      items[i].Enabled = i >= in.MenuEnabled.size() || in.MenuEnabled[i];
      items[i].Hot = int(i) == in.HotMenuItem;
    }
    PaintBarItems(tables, s, items);
  }

  // 6. border icons over the saved strip
  SaveStrip(s, l.Strip, strip);
  for (int i = 0; i < kFrameIconCount; ++i) DrawIconOnly(tables, pieces, in, l, TFrameIcon(i), s);
  for (std::size_t i = 0; i < l.TitleButton.size() && i < in.TitleButtons.size(); ++i) {
    const RECT& at = l.TitleButton[i];
    const TFrameTitleButton& b = in.TitleButtons[i];
    DrawGlyphMask(tables, s, POINT{at.left, at.top}, b.Enabled ? b.State : 0, pieces.TitleButton,
                  in.Active && b.Enabled);
    if (b.Glyph.IsEmpty()) continue;
    const int gx = at.left + (at.right - at.left - b.Glyph.width) / 2;
    const int gy = at.top + (at.bottom - at.top - b.Glyph.height) / 2;
    DrawIcon(b.Glyph, false, s, RECT{gx, gy, gx + b.Glyph.width, gy + b.Glyph.height});
  }

  // 7. caption
  canvas.Font()->SetStyle({toolkit::fsBold});
  const int room = l.Text.right - l.Text.left - 2;
  if (room > 0 && !in.Caption.empty()) {
    unsigned flags = p::DT_SINGLELINE | p::DT_VCENTER | p::DT_NOPREFIX;
    if (in.CaptionAlignment == toolkit::taCenter) flags |= p::DT_CENTER;
    if (in.CaptionAlignment == toolkit::taRightJustify) flags |= p::DT_RIGHT;
    DrawSkinText(tables, canvas, FitCaption(canvas, in.Caption, room), in.Enabled, in.Active,
                 pieces.Title, flags, l.Text);
  }
}

void PaintFrameIcon(const TSkinTables& tables, const TFramePieces& pieces,
                    const TFramePaintInput& in, const TFrameLayout& l, TFrameIcon icon,
                    graphics::TPixelBitmap& cache, const std::vector<std::uint32_t>& strip) {
  const Surface s = SurfaceOf(cache);
  const RECT& r = l.Strip;
  if (s.IsEmpty() || r.right > s.width || r.bottom > s.height ||
      strip.size() != std::size_t(r.right - r.left) * std::size_t(r.bottom - r.top))
    return;
  const RECT& at = l.Icon[std::size_t(icon)];
  std::size_t i = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x, ++i)
      if (x >= at.left && x < at.right && y >= at.top && y < at.bottom) s.At(x, y) = strip[i];
  DrawIconOnly(tables, pieces, in, l, icon, s);
}

}  // namespace skin
