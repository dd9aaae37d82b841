// Pixels, lines, shapes, rectangle fills, 3-D edges and focus rectangles.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Painter.h"

namespace platform {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

template <class T, class F>
T WithPainter(HDC hdc, T failure, F&& f) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return failure;
  Painter p(*dc);
  return f(p);
}

RECT Ordered(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

// A pen ready to draw: colour, width and on/off dash pattern.
struct PenInk {
  bool null = false;
  std::uint32_t pixel = 0;
  int width = 1;
  std::vector<int> dashes;  // alternating on/off lengths; empty = solid
  int dashPos = 0;          // carried along a polyline
};

PenInk InkOf(DcObject& dc) {
  PenInk ink;
  PenObject* pen = CurrentPen(dc);
  const LOGPEN& lp = pen->logPen;
  ink.null = lp.lopnStyle == PS_NULL;
  ink.pixel = ColorToPixel(pen->dcPen ? dc.state.dcPenColor : lp.lopnColor);
  ink.width = std::max(1, int(lp.lopnWidth.x));
  if (ink.width == 1) {
    switch (lp.lopnStyle) {
      case PS_DASH:
        ink.dashes = {18, 6};
        break;
      case PS_DOT:
        ink.dashes = {3, 3};
        break;
      case PS_DASHDOT:
        ink.dashes = {9, 6, 3, 6};
        break;
      case PS_DASHDOTDOT:
        ink.dashes = {9, 3, 3, 3, 3, 3};
        break;
      default:
        break;
    }
  }
  return ink;
}

// Which part of the dash pattern a step falls in: true for a dash.
bool DashOn(const PenInk& ink, long long step) {
  if (ink.dashes.empty()) return true;
  int total = 0;
  for (int d : ink.dashes) total += d;
  long long pos = (step % total + total) % total;
  for (std::size_t i = 0; i < ink.dashes.size(); ++i) {
    if (pos < ink.dashes[i]) return i % 2 == 0;
    pos -= ink.dashes[i];
  }
  return true;
}

void PenDot(Painter& p, PenInk& ink, int x, int y, long long step) {
  DcObject& dc = p.dc();
  std::uint32_t px = ink.pixel;
  if (!DashOn(ink, step)) {
    if (dc.state.bkMode != OPAQUE) return;
    px = ColorToPixel(dc.state.bkColor);
  }
  if (ink.width == 1) {
    p.Plot(x, y, px, dc.state.rop2);
  } else {
    int h = ink.width / 2;
    p.FillRop2(RECT{x - h, y - h, x - h + ink.width, y - h + ink.width}, px, dc.state.rop2);
  }
}

// The pixels from a towards b, b itself left out. Only the steps that can
// land inside the clip are visited, so far-away end points cost nothing.
void PenLine(Painter& p, PenInk& ink, POINT a, POINT b) {
  if (ink.null) return;
  long long dx = (long long)b.x - a.x, dy = (long long)b.y - a.y;
  long long adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  long long n = std::max(adx, ady);
  if (n == 0) return;
  int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const RECT& cb = p.clip().Bounds();
  int pad = ink.width;
  bool xMajor = adx >= ady;
  long long from = 0, to = n - 1;
  // Limit the steps by the major axis against the clip bounds.
  long long lo = (xMajor ? cb.left : cb.top) - pad, hi = (xMajor ? cb.right : cb.bottom) + pad;
  long long start = xMajor ? a.x : a.y;
  int s = xMajor ? sx : sy;
  long long i0 = s > 0 ? lo - start : start - hi;
  long long i1 = s > 0 ? hi - start : start - lo;
  from = std::max(from, i0);
  to = std::min(to, i1);
  long long major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  for (long long i = from; i <= to; ++i) {
    long long m = (2 * i * minor + major) / (2 * major);
    long long x = xMajor ? a.x + sx * i : a.x + sx * m;
    long long y = xMajor ? a.y + sy * m : a.y + sy * i;
    if (x < cb.left - pad || x >= cb.right + pad || y < cb.top - pad || y >= cb.bottom + pad)
      continue;
    PenDot(p, ink, int(x), int(y), ink.dashPos + i);
  }
  ink.dashPos += int(n % 1000000);
}

// Fills a polygon (surface coordinates) with the brush: pixel centres inside
// the outline by the context's fill mode.
void FillPolygon(Painter& p, const std::vector<POINT>& pts) {
  DcObject& dc = p.dc();
  BrushObject* brush = CurrentBrush(dc);
  if (pts.size() < 3 || (brush->logBrush.lbStyle == BS_NULL && !brush->dcBrush)) return;
  long long minY = pts[0].y, maxY = pts[0].y;
  for (const POINT& q : pts) {
    minY = std::min<long long>(minY, q.y);
    maxY = std::max<long long>(maxY, q.y);
  }
  const RECT& cb = p.clip().Bounds();
  minY = std::max<long long>(minY, cb.top);
  maxY = std::min<long long>(maxY, cb.bottom);
  struct Cross {
    double x;
    int dir;
  };
  std::vector<Cross> xs;
  for (long long y = minY; y < maxY; ++y) {
    double yc = double(y) + 0.5;
    xs.clear();
    for (std::size_t i = 0; i < pts.size(); ++i) {
      const POINT& a = pts[i];
      const POINT& b = pts[(i + 1) % pts.size()];
      if (a.y == b.y) continue;
      bool down = b.y > a.y;
      double y0 = down ? a.y : b.y, y1 = down ? b.y : a.y;
      if (yc < y0 || yc >= y1) continue;
      double t = (yc - a.y) / double(b.y - a.y);
      xs.push_back({a.x + t * (b.x - a.x), down ? 1 : -1});
    }
    std::sort(xs.begin(), xs.end(), [](const Cross& l, const Cross& r) { return l.x < r.x; });
    int winding = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
      winding += xs[i].dir;
      bool inside = dc.state.polyFillMode == WINDING ? winding != 0 : (i % 2 == 0);
      if (!inside) continue;
      long long x0 = (long long)std::ceil(xs[i].x - 0.5),
                x1 = (long long)std::ceil(xs[i + 1].x - 0.5);
      x0 = std::max<long long>(x0, cb.left);
      x1 = std::min<long long>(x1, cb.right);
      if (x0 < x1) p.FillBrush(RECT{int(x0), int(y), int(x1), int(y + 1)}, *brush, dc.state.rop2);
    }
  }
}

std::uint32_t SysPixel(int index) {
  return ColorToPixel(GetSysColor(index));
}

}  // namespace

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  return WithPainter(hdc, CLR_INVALID, [&](Painter& p) {
    int sx = p.X(x), sy = p.Y(y);
    if (!p.clip().Contains(sx, sy)) return CLR_INVALID;
    p.surface().At(sx, sy) = ColorToPixel(color);
    MarkDirty(p.dc(), RECT{sx, sy, sx + 1, sy + 1});
    return ResolveColor(color);
  });
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  return WithPainter(hdc, CLR_INVALID, [&](Painter& p) {
    int sx = p.X(x), sy = p.Y(y);
    if (!p.clip().Contains(sx, sy)) return CLR_INVALID;
    return PixelToColor(p.surface().At(sx, sy));
  });
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.position;
  dc->state.position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    PenInk ink = InkOf(p.dc());
    POINT& pos = p.dc().state.position;
    PenLine(p, ink, POINT{p.X(pos.x), p.Y(pos.y)}, POINT{p.X(x), p.Y(y)});
    pos = POINT{x, y};
    return TRUE;
  });
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  if (!points || count < 2) return FALSE;
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    PenInk ink = InkOf(p.dc());
    for (int i = 0; i + 1 < count; ++i)
      PenLine(p, ink, POINT{p.X(points[i].x), p.Y(points[i].y)},
              POINT{p.X(points[i + 1].x), p.Y(points[i + 1].y)});
    return TRUE;
  });
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
  if (!points || count < 2) return FALSE;
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    std::vector<POINT> pts(count);
    for (int i = 0; i < count; ++i) pts[i] = POINT{p.X(points[i].x), p.Y(points[i].y)};
    FillPolygon(p, pts);
    PenInk ink = InkOf(p.dc());
    for (int i = 0; i < count; ++i) PenLine(p, ink, pts[i], pts[(i + 1) % count]);
    return TRUE;
  });
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    RECT r = Ordered(p.ToSurface(RECT{left, top, right, bottom}));
    DcObject& dc = p.dc();
    PenInk ink = InkOf(dc);
    BrushObject* brush = CurrentBrush(dc);
    if (ink.null) {
      // Without an outline the right and bottom edges are left out.
      p.FillBrush(RECT{r.left, r.top, r.right - 1, r.bottom - 1}, *brush, dc.state.rop2);
      return TRUE;
    }
    int w = std::min({ink.width, (r.right - r.left + 1) / 2, (r.bottom - r.top + 1) / 2});
    if (w <= 0) return TRUE;
    p.FillBrush(RECT{r.left + w, r.top + w, r.right - w, r.bottom - w}, *brush, dc.state.rop2);
    if (ink.dashes.empty()) {
      int rop = dc.state.rop2;
      p.FillRop2(RECT{r.left, r.top, r.right, r.top + w}, ink.pixel, rop);
      p.FillRop2(RECT{r.left, r.bottom - w, r.right, r.bottom}, ink.pixel, rop);
      p.FillRop2(RECT{r.left, r.top + w, r.left + w, r.bottom - w}, ink.pixel, rop);
      p.FillRop2(RECT{r.right - w, r.top + w, r.right, r.bottom - w}, ink.pixel, rop);
    } else {
      POINT c[4] = {{r.left, r.top},
                    {r.right - 1, r.top},
                    {r.right - 1, r.bottom - 1},
                    {r.left, r.bottom - 1}};
      for (int i = 0; i < 4; ++i) PenLine(p, ink, c[i], c[(i + 1) % 4]);
    }
    return TRUE;
  });
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    RECT r = Ordered(p.ToSurface(RECT{left, top, right, bottom}));
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    DcObject& dc = p.dc();
    PenInk ink = InkOf(dc);
    BrushObject* brush = CurrentBrush(dc);
    double cx = (r.left + r.right - 1) / 2.0, cy = (r.top + r.bottom - 1) / 2.0;
    double rx = (r.right - r.left - 1) / 2.0, ry = (r.bottom - r.top - 1) / 2.0;
    const RECT& cb = p.clip().Bounds();
    int y0 = std::max(r.top, cb.top), y1 = std::min(r.bottom, cb.bottom);
    auto span = [&](int y, int& xl, int& xr) {
      if (y < r.top || y >= r.bottom) return false;
      double d = ry > 0 ? (y - cy) / ry : 0;
      if (d * d > 1.0 + 1e-9) return false;
      double half = rx * std::sqrt(std::max(0.0, 1.0 - d * d));
      xl = int(std::ceil(cx - half - 1e-9));
      xr = int(std::floor(cx + half + 1e-9)) + 1;
      return xl < xr;
    };
    for (int y = y0; y < y1; ++y) {
      int xl, xr;
      if (!span(y, xl, xr)) continue;
      if (ink.null) {
        p.FillBrush(RECT{xl, y, xr, y + 1}, *brush, dc.state.rop2);
        continue;
      }
      // Outline: the ends of the span and whatever the rows above and below lack.
      int al = xl, ar = xl, bl = xl, br = xl;
      bool above = span(y - 1, al, ar), below = span(y + 1, bl, br);
      int il = std::max(above ? al : xr, below ? bl : xr),
          ir = std::min(above ? ar : xl, below ? br : xl);
      il = std::max(il, xl + 1);
      ir = std::min(ir, xr - 1);
      if (il < ir) {
        p.FillBrush(RECT{il, y, ir, y + 1}, *brush, dc.state.rop2);
        p.FillRop2(RECT{xl, y, il, y + 1}, ink.pixel, dc.state.rop2);
        p.FillRop2(RECT{ir, y, xr, y + 1}, ink.pixel, dc.state.rop2);
      } else {
        p.FillRop2(RECT{xl, y, xr, y + 1}, ink.pixel, dc.state.rop2);
      }
    }
    return TRUE;
  });
}

int FillRect(HDC hdc, const RECT* r, HBRUSH brush) {
  if (!r) return 0;
  return WithPainter(hdc, 0, [&](Painter& p) {
    BrushObject* b = ResolveBrushArg(brush);
    if (!b) return 0;
    p.FillBrush(Ordered(p.ToSurface(*r)), *b);
    return 1;
  });
}

int FrameRect(HDC hdc, const RECT* r, HBRUSH brush) {
  if (!r) return 0;
  return WithPainter(hdc, 0, [&](Painter& p) {
    BrushObject* b = ResolveBrushArg(brush);
    if (!b) return 0;
    RECT s = p.ToSurface(*r);
    if (s.IsEmpty()) return 1;
    p.FillBrush(RECT{s.left, s.top, s.right, s.top + 1}, *b);
    p.FillBrush(RECT{s.left, s.bottom - 1, s.right, s.bottom}, *b);
    p.FillBrush(RECT{s.left, s.top + 1, s.left + 1, s.bottom - 1}, *b);
    p.FillBrush(RECT{s.right - 1, s.top + 1, s.right, s.bottom - 1}, *b);
    return 1;
  });
}

BOOL InvertRect(HDC hdc, const RECT* r) {
  if (!r) return FALSE;
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    p.Invert(Ordered(p.ToSurface(*r)));
    return TRUE;
  });
}

BOOL DrawFocusRect(HDC hdc, const RECT* r) {
  if (!r) return FALSE;
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    RECT s = p.ToSurface(*r);
    if (s.IsEmpty()) return TRUE;
    // Every other pixel along the frame, each inverted exactly once, so a
    // second call restores what was there.
    auto dot = [&](int x, int y) {
      if (((x - s.left) + (y - s.top)) % 2 == 0) p.Invert(RECT{x, y, x + 1, y + 1});
    };
    const RECT& cb = p.clip().Bounds();
    int xl = std::max(s.left, cb.left - 1), xr = std::min(s.right, cb.right + 1);
    int yt = std::max(s.top + 1, cb.top - 1), yb = std::min(s.bottom - 1, cb.bottom + 1);
    for (int x = xl; x < xr; ++x) {
      dot(x, s.top);
      if (s.bottom - 1 > s.top) dot(x, s.bottom - 1);
    }
    for (int y = yt; y < yb; ++y) {
      dot(s.left, y);
      if (s.right - 1 > s.left) dot(s.right - 1, y);
    }
    return TRUE;
  });
}

BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
  if (!rect) return FALSE;
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    struct Ring {
      std::uint32_t tl, br;
    };
    std::vector<Ring> rings;
    UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    if (flags & BF_MONO) {
      if (outer) rings.push_back({SysPixel(COLOR_WINDOWFRAME), SysPixel(COLOR_WINDOWFRAME)});
      if (inner) rings.push_back({SysPixel(COLOR_WINDOW), SysPixel(COLOR_WINDOW)});
    } else if (flags & BF_FLAT) {
      if (outer) rings.push_back({SysPixel(COLOR_BTNSHADOW), SysPixel(COLOR_BTNSHADOW)});
      if (inner) rings.push_back({SysPixel(COLOR_BTNFACE), SysPixel(COLOR_BTNFACE)});
    } else {
      if (outer & BDR_RAISEDOUTER)
        rings.push_back({SysPixel(COLOR_3DLIGHT), SysPixel(COLOR_3DDKSHADOW)});
      else if (outer)
        rings.push_back({SysPixel(COLOR_BTNSHADOW), SysPixel(COLOR_BTNHIGHLIGHT)});
      if (inner & BDR_RAISEDINNER)
        rings.push_back({SysPixel(COLOR_BTNHIGHLIGHT), SysPixel(COLOR_BTNSHADOW)});
      else if (inner)
        rings.push_back({SysPixel(COLOR_3DDKSHADOW), SysPixel(COLOR_3DLIGHT)});
    }
    RECT r = *rect;  // logical
    if (!(flags & BF_DIAGONAL)) {
      for (const Ring& ring : rings) {
        if (r.IsEmpty()) break;
        RECT s = p.ToSurface(r);
        int re = (flags & BF_RIGHT) ? 1 : 0, be = (flags & BF_BOTTOM) ? 1 : 0;
        if (flags & BF_TOP) p.Fill(RECT{s.left, s.top, s.right - re, s.top + 1}, ring.tl);
        if (flags & BF_LEFT) p.Fill(RECT{s.left, s.top, s.left + 1, s.bottom - be}, ring.tl);
        if (flags & BF_BOTTOM) p.Fill(RECT{s.left, s.bottom - 1, s.right, s.bottom}, ring.br);
        if (flags & BF_RIGHT) p.Fill(RECT{s.right - 1, s.top, s.right, s.bottom}, ring.br);
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_RIGHT) --r.right;
        if (flags & BF_BOTTOM) --r.bottom;
      }
      if ((flags & BF_MIDDLE) && !r.IsEmpty())
        p.Fill(p.ToSurface(r),
               SysPixel((flags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
  });
}

BOOL DrawFrameControl(HDC hdc, RECT* r, UINT type, UINT state) {
  if (!r || type != DFC_BUTTON || (state & 0xFF) != DFCS_BUTTONPUSH) return FALSE;
  UINT flags = BF_RECT | BF_MIDDLE;
  if (state & DFCS_MONO)
    flags |= BF_MONO;
  else if (state & DFCS_FLAT)
    flags |= BF_FLAT;
  bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
  RECT face = *r;
  if (!DrawEdge(hdc, &face, down ? EDGE_SUNKEN : EDGE_RAISED, flags | BF_ADJUST)) return FALSE;
  if (state & DFCS_ADJUSTRECT) *r = face;
  return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    RegionObject* r = FindRegion(rgn);
    BrushObject* b = ResolveBrushArg(brush);
    if (!r || !b) return FALSE;
    for (const RECT& q : r->region.Rects()) p.FillBrush(p.ToSurface(q), *b);
    return TRUE;
  });
}

BOOL PaintRgn(HDC hdc, HRGN rgn) {
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    RegionObject* r = FindRegion(rgn);
    if (!r) return FALSE;
    BrushObject* b = CurrentBrush(p.dc());
    for (const RECT& q : r->region.Rects()) p.FillBrush(p.ToSurface(q), *b, p.dc().state.rop2);
    return TRUE;
  });
}

BOOL InvertRgn(HDC hdc, HRGN rgn) {
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    RegionObject* r = FindRegion(rgn);
    if (!r) return FALSE;
    for (const RECT& q : r->region.Rects()) p.Invert(p.ToSurface(q));
    return TRUE;
  });
}

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height) {
  return WithPainter(hdc, FALSE, [&](Painter& p) {
    RegionObject* r = FindRegion(rgn);
    BrushObject* b = ResolveBrushArg(brush);
    if (!r || !b || width < 1 || height < 1) return FALSE;
    // The frame is the region less the region shrunk by the frame's size.
    const Region& whole = r->region;
    Region inner = whole;
    for (int dx = -width; dx <= width; dx += width) {
      for (int dy = -height; dy <= height; dy += height) {
        Region moved = whole;
        moved.Offset(dx, dy);
        inner &= moved;
      }
    }
    Region frame = whole - inner;
    for (const RECT& q : frame.Rects()) p.FillBrush(p.ToSurface(q), *b);
    return TRUE;
  });
}

}  // namespace platform
