#include "platform/gdi/Painter.h"

#include <algorithm>

namespace platform {

std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst) {
  if (rop2 == R2_COPYPEN) return pen | 0xFF000000u;
  unsigned t = unsigned(rop2 - 1) & 15u;
  std::uint32_t p = pen, d = dst, r = 0;
  if (t & 1) r |= ~p & ~d;
  if (t & 2) r |= ~p & d;
  if (t & 4) r |= p & ~d;
  if (t & 8) r |= p & d;
  bool usesDst = ((t & 1) != ((t >> 1) & 1)) || (((t >> 2) & 1) != ((t >> 3) & 1));
  return (r & 0x00FFFFFFu) | (usesDst ? (dst & 0xFF000000u) : 0xFF000000u);
}

Painter::Painter(DcObject& dc) : dc_(dc), surface_(SurfaceOf(dc)), clip_(ClipOf(dc)) {
  const DcState& s = dc.state;
  dx_ = (long long)dc.origin.x - s.windowOrg.x + s.viewportOrg.x;
  dy_ = (long long)dc.origin.y - s.windowOrg.y + s.viewportOrg.y;
}

int Painter::X(long long x) const {
  return int(std::clamp(x + dx_, -(long long)Region::kLimit, (long long)Region::kLimit));
}

int Painter::Y(long long y) const {
  return int(std::clamp(y + dy_, -(long long)Region::kLimit, (long long)Region::kLimit));
}

RECT Painter::ToSurface(const RECT& r) const {
  return RECT{X(r.left), Y(r.top), X(r.right), Y(r.bottom)};
}

POINT Painter::DeviceToSurface(POINT p) const {
  return POINT{p.x + dc_.origin.x, p.y + dc_.origin.y};
}

void Painter::Fill(const RECT& r, std::uint32_t pixel) {
  ForEachClipped(r, [&](const RECT& i) {
    for (int y = i.top; y < i.bottom; ++y)
      std::fill(surface_.Row(y) + i.left, surface_.Row(y) + i.right, pixel);
  });
}

void Painter::FillRop2(const RECT& r, std::uint32_t pixel, int rop2) {
  if (rop2 == R2_COPYPEN) return Fill(r, pixel | 0xFF000000u);
  if (rop2 == R2_NOP) return;
  ForEachClipped(r, [&](const RECT& i) {
    for (int y = i.top; y < i.bottom; ++y) {
      std::uint32_t* row = surface_.Row(y);
      for (int x = i.left; x < i.right; ++x) row[x] = ApplyRop2(rop2, pixel, row[x]);
    }
  });
}

void Painter::FillBrush(const RECT& r, BrushObject& brush, int rop2) {
  if (auto px = BrushPixel(dc_, brush)) return FillRop2(r, *px, rop2);
  if (brush.logBrush.lbStyle != BS_PATTERN || brush.pattern.Width() == 0) return;
  const SurfaceBuffer& pat = brush.pattern;
  POINT org = DeviceToSurface(dc_.state.brushOrg);
  int w = pat.Width(), h = pat.Height();
  ForEachClipped(r, [&](const RECT& i) {
    for (int y = i.top; y < i.bottom; ++y) {
      std::uint32_t* row = surface_.Row(y);
      int py = int((((long long)y - org.y) % h + h) % h);
      for (int x = i.left; x < i.right; ++x) {
        int px = int((((long long)x - org.x) % w + w) % w);
        row[x] = ApplyRop2(rop2, pat.At(px, py) & 0x00FFFFFFu, row[x]);
      }
    }
  });
}

void Painter::Invert(const RECT& r) {
  ForEachClipped(r, [&](const RECT& i) {
    for (int y = i.top; y < i.bottom; ++y) {
      std::uint32_t* row = surface_.Row(y);
      for (int x = i.left; x < i.right; ++x) row[x] ^= 0x00FFFFFFu;
    }
  });
}

void Painter::Plot(int x, int y, std::uint32_t pixel, int rop2) {
  if (!clip_.Contains(x, y)) return;
  std::uint32_t& p = surface_.At(x, y);
  p = ApplyRop2(rop2, pixel, p);
  MarkDirty(dc_, RECT{x, y, x + 1, y + 1});
}

}  // namespace platform
