// Text output, text metrics and extents.
#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/gdi/GlyphBlend.h"
#include "platform/gdi/GlyphVisibility.h"
#include "platform/gdi/TextRenderer.h"

namespace platform {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

void FillLimited(Painter& p, RECT r, const RECT* limit, std::uint32_t pixel) {
  if (limit && !IntersectRect(&r, r, *limit)) return;
  p.Fill(r, pixel);
}

std::atomic<bool> glyphsVisible{true};

}  // namespace

void SetGlyphsVisible(bool visible) {
  glyphsVisible = visible;
}

bool GlyphsVisible() {
  return glyphsVisible;
}

int RenderText(Painter& p, FontInstance& font, const TextRun& run) {
  DcObject& dc = p.dc();
  const TEXTMETRIC& tm = font.Metrics();
  int width = 0;
  for (std::size_t i = 0; i < run.text.size(); ++i)
    width += run.dx ? run.dx[i] : font.Advance(static_cast<unsigned char>(run.text[i]));
  if (!p.CanDraw()) return width;
  if (run.opaque)
    FillLimited(p, RECT{run.x, run.top, run.x + width, run.top + tm.tmHeight}, run.limit,
                ColorToPixel(dc.state.bkColor));
  if (!glyphsVisible) return width;
  std::uint32_t color = ColorToPixel(dc.state.textColor);
  const Surface& s = p.surface();
  int baseline = run.top + tm.tmAscent;
  int pen = run.x;
  RECT bounds = p.clip().Bounds();
  if (run.limit && !IntersectRect(&bounds, bounds, *run.limit)) return width;
  for (std::size_t i = 0; i < run.text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(run.text[i]);
    const Glyph& g = font.GlyphOf(c);
    int gx = pen + g.left, gy = baseline - g.top;
    pen += run.dx ? run.dx[i] : g.advance;
    if (g.width == 0 || gx >= bounds.right || gy >= bounds.bottom || gx + g.width <= bounds.left ||
        gy + g.rows <= bounds.top)
      continue;
    RECT box{gx, gy, gx + g.width, gy + g.rows};
    if (run.limit) IntersectRect(&box, box, *run.limit);
    p.ForEachClipped(box, [&](const RECT& c) {
      for (int y = c.top; y < c.bottom; ++y) {
        const std::uint8_t* cov = g.coverage.data() + std::size_t(y - gy) * g.width;
        BlendCoverageRow(s.Row(y) + c.left, cov + (c.left - gx), c.right - c.left, color);
      }
    });
  }
  if (run.decorate && font.Underline())
    FillLimited(p,
                RECT{run.x, baseline + font.UnderlineTop(), run.x + width,
                     baseline + font.UnderlineTop() + font.UnderlineHeight()},
                run.limit, color | 0xFF000000u);
  if (run.decorate && font.StrikeOut())
    FillLimited(p,
                RECT{run.x, baseline + font.StrikeTop(), run.x + width,
                     baseline + font.StrikeTop() + font.StrikeHeight()},
                run.limit, color | 0xFF000000u);
  return width;
}

void RenderUnderline(Painter& p, FontInstance& font, int x0, int x1, int baseline,
                     const RECT* limit) {
  if (!glyphsVisible) return;
  int top = baseline + font.UnderlineTop();
  FillLimited(p, RECT{x0, top, x1, top + 1}, limit, ColorToPixel(p.dc().state.textColor));
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* out) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc || !out) return FALSE;
  *out = FontOf(*CurrentFont(*dc)).Metrics();
  return TRUE;
}

int GetTextFace(HDC hdc, int size, char* out) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return 0;
  const std::string& name = FontOf(*CurrentFont(*dc)).Family();
  if (!out) return int(name.size()) + 1;
  if (size <= 0) return 0;
  std::size_t n = std::min(name.size(), std::size_t(size - 1));
  std::memcpy(out, name.data(), n);
  out[n] = 0;
  return int(n);
}

BOOL GetTextExtentPoint32(HDC hdc, std::string_view text, SIZE* out) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc || !out) return FALSE;
  FontInstance& f = FontOf(*CurrentFont(*dc));
  *out = SIZE{f.Width(text), f.Metrics().tmHeight};
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* out) {
  if (count < 0 || (count > 0 && !text)) return FALSE;
  return GetTextExtentPoint32(hdc, std::string_view(text ? text : "", std::size_t(count)), out);
}

BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, int* widths) {
  if (!widths || first > last || last > 255) return FALSE;
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return FALSE;
  FontInstance& f = FontOf(*CurrentFont(*dc));
  for (UINT c = first; c <= last; ++c) widths[c - first] = f.Advance(static_cast<unsigned char>(c));
  return TRUE;
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* r, std::string_view text,
                const int* dx) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return FALSE;
  Painter p(*dc);
  FontInstance& f = FontOf(*CurrentFont(*dc));
  const TEXTMETRIC& tm = f.Metrics();
  UINT align = dc->state.textAlign;
  bool updateCp = align & TA_UPDATECP;
  if (updateCp) {
    x = dc->state.position.x;
    y = dc->state.position.y;
  }
  int width = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    width += dx ? dx[i] : f.Advance(static_cast<unsigned char>(text[i]));
  long long lx = x, ly = y;
  if ((align & TA_CENTER) == TA_CENTER)
    lx -= width / 2;
  else if ((align & TA_CENTER) == TA_RIGHT)
    lx -= width;
  if ((align & TA_BASELINE) == TA_BASELINE)
    ly -= tm.tmAscent;
  else if ((align & TA_BASELINE) == TA_BOTTOM)
    ly -= tm.tmHeight;

  RECT limit{};
  bool haveLimit = false;
  if (r && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
    limit = p.ToSurface(*r);
    if (options & ETO_OPAQUE) p.Fill(limit, ColorToPixel(dc->state.bkColor));
    haveLimit = options & ETO_CLIPPED;
  }
  TextRun run;
  run.text = text;
  run.x = p.X(lx);
  run.top = p.Y(ly);
  run.dx = dx;
  run.limit = haveLimit ? &limit : nullptr;
  run.opaque = dc->state.bkMode == OPAQUE;
  RenderText(p, f, run);
  if (updateCp) {
    if ((align & TA_CENTER) == TA_LEFT)
      dc->state.position.x = x + width;
    else if ((align & TA_CENTER) == TA_RIGHT)
      dc->state.position.x = x - width;
  }
  return TRUE;
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* r, const char* text, UINT count,
                const int* dx) {
  if (count > 0 && !text) return FALSE;
  return ExtTextOut(hdc, x, y, options, r, std::string_view(text ? text : "", count), dx);
}

BOOL TextOut(HDC hdc, int x, int y, std::string_view text) {
  return ExtTextOut(hdc, x, y, 0, nullptr, text, nullptr);
}

BOOL TextOut(HDC hdc, int x, int y, const char* text, int count) {
  if (count < 0 || (count > 0 && !text)) return FALSE;
  return TextOut(hdc, x, y, std::string_view(text ? text : "", std::size_t(count)));
}

}  // namespace platform
