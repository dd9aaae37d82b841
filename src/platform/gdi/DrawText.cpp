// DrawText: formatted text in a rectangle.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextRenderer.h"

namespace platform {

namespace {

class FontMeasure : public TextMeasure {
 public:
  explicit FontMeasure(FontInstance& f) : font_(f) {}
  int Advance(unsigned char c) override { return font_.Advance(c); }
  int AveCharWidth() override { return font_.Metrics().tmAveCharWidth; }

 private:
  FontInstance& font_;
};

}  // namespace

int DrawText(HDC hdc, std::string_view text, RECT* r, UINT format) {
  if (!r) return 0;
  std::lock_guard lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return 0;
  FontInstance& font = FontOf(*CurrentFont(*dc));
  FontMeasure measure(font);
  const TEXTMETRIC& tm = font.Metrics();
  UINT flags = format;
  if (flags & DT_TABSTOP) flags &= ~UINT(0xFF00);  // the tab size lives there
  // Rectangles may span the whole coordinate range; measure them in 64 bits.
  int width = int(std::clamp((long long)r->right - r->left, -(long long)Region::kLimit,
                             (long long)Region::kLimit));
  TextLayoutResult layout = LayoutText(text, format, width, measure);
  int lineHeight = tm.tmHeight + ((flags & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  int total = lineHeight * int(layout.lines.size());

  if (flags & DT_CALCRECT) {
    r->right = int(std::min<long long>((long long)r->left + layout.maxWidth, INT_MAX));
    r->bottom = int(std::min<long long>((long long)r->top + total, INT_MAX));
    return total;
  }

  bool single = flags & DT_SINGLELINE;
  long long top = r->top;
  if (single && (flags & DT_VCENTER))
    top = r->top + ((long long)r->bottom - r->top - total) / 2;
  else if (single && (flags & DT_BOTTOM))
    top = (long long)r->bottom - total;

  Painter p(*dc);
  RECT limit = p.ToSurface(*r);
  const RECT* lim = (flags & DT_NOCLIP) ? nullptr : &limit;
  bool expandTabs = flags & DT_EXPANDTABS;
  int tabChars = (format & DT_TABSTOP) ? int((format >> 8) & 0xFF) : 8;
  int tabWidth = tabChars * tm.tmAveCharWidth;
  bool opaque = dc->state.bkMode == OPAQUE;
  bool prefixOnly = flags & DT_PREFIXONLY;

  long long y = top;
  for (const LayoutLine& line : layout.lines) {
    long long x = r->left;
    if (flags & DT_CENTER)
      x = r->left + ((long long)width - line.width) / 2;
    else if (flags & DT_RIGHT)
      x = (long long)r->right - line.width;
    int sx = p.X(x), sy = p.Y(y);
    int baseline = sy + tm.tmAscent;
    if (!prefixOnly) {
      if (!expandTabs || line.text.find('\t') == std::string::npos) {
        TextRun run;
        run.text = line.text;
        run.x = sx;
        run.top = sy;
        run.limit = lim;
        run.opaque = opaque;
        RenderText(p, font, run);
      } else {
        // Draw between tabs; each tab moves to the next stop from the line start.
        std::size_t start = 0;
        int pen = 0;
        for (std::size_t i = 0; i <= line.text.size(); ++i) {
          if (i < line.text.size() && line.text[i] != '\t') continue;
          TextRun run;
          run.text = std::string_view(line.text).substr(start, i - start);
          run.x = sx + pen;
          run.top = sy;
          run.limit = lim;
          run.opaque = opaque;
          pen += RenderText(p, font, run);
          if (i < line.text.size() && tabWidth > 0) pen = (pen / tabWidth + 1) * tabWidth;
          start = i + 1;
        }
      }
    }
    for (std::size_t m : line.marks) {
      int x0 =
          sx + LineWidth(std::string_view(line.text).substr(0, m), expandTabs, tabWidth, measure);
      int x1 = x0 + font.Advance(static_cast<unsigned char>(line.text[m]));
      RenderUnderline(p, font, x0, x1, baseline, lim);
    }
    y += lineHeight;
  }
  if (single && (flags & (DT_VCENTER | DT_BOTTOM)))
    return int(std::clamp(top - r->top + total, (long long)INT_MIN, (long long)INT_MAX));
  return total;
}

int DrawText(HDC hdc, const char* text, int count, RECT* r, UINT format) {
  if (!text && count != 0) return 0;
  std::size_t n = count < 0 ? std::strlen(text) : std::size_t(count);
  return DrawText(hdc, std::string_view(text ? text : "", n), r, format);
}

}  // namespace platform
