// Block transfers: pattern fills, copies between contexts with raster
// operations, nearest-neighbour stretching, and pixels from memory.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Painter.h"

namespace platform {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

bool UsesSource(DWORD rop) {
  unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 2) & 0x33) != (t & 0x33);
}
bool UsesPattern(DWORD rop) {
  unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 4) & 0x0F) != (t & 0x0F);
}
bool UsesDest(DWORD rop) {
  unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 1) & 0x55) != (t & 0x55);
}

// The three-operand boolean on 24-bit colours. The alpha byte follows the
// source when the result depends on it and not on the destination, is
// opaque when neither matters, and is kept otherwise.
std::uint32_t Rop3(unsigned t, std::uint32_t p, std::uint32_t s, std::uint32_t d, bool useS,
                   bool useD) {
  std::uint32_t r = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (!((t >> i) & 1)) continue;
    r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  std::uint32_t a = useD ? (d & 0xFF000000u) : useS ? (s & 0xFF000000u) : 0xFF000000u;
  return (r & 0x00FFFFFFu) | a;
}

// Pattern pixel for a surface position, from the destination's brush.
struct PatternSource {
  BrushObject* brush = nullptr;
  std::optional<std::uint32_t> solid;
  POINT org{};
  std::uint32_t At(int x, int y) const {
    if (solid) return *solid;
    if (!brush || brush->pattern.Width() == 0) return 0;
    int w = brush->pattern.Width(), h = brush->pattern.Height();
    int px = int((((long long)x - org.x) % w + w) % w);
    int py = int((((long long)y - org.y) % h + h) % h);
    return brush->pattern.At(px, py);
  }
};

PatternSource PatternOf(Painter& p) {
  PatternSource ps;
  ps.brush = CurrentBrush(p.dc());
  ps.solid = BrushPixel(p.dc(), *ps.brush);
  if (!ps.solid && ps.brush->logBrush.lbStyle != BS_PATTERN) ps.solid = 0;
  ps.org = p.DeviceToSurface(p.dc().state.brushOrg);
  return ps;
}

// Copies src (surface rectangle sr) onto the destination rectangle dr of the
// painter's surface, scaling by nearest neighbour and mirroring per flag.
void Transfer(Painter& dst, RECT dr, bool mirrorX, bool mirrorY, const Surface& src, RECT sr,
              DWORD rop) {
  int dw = dr.right - dr.left, dh = dr.bottom - dr.top;
  int sw = sr.right - sr.left, sh = sr.bottom - sr.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  unsigned t = (rop >> 16) & 0xFF;
  bool useS = UsesSource(rop), useD = UsesDest(rop), useP = UsesPattern(rop);
  PatternSource pat;
  if (useP) pat = PatternOf(dst);
  const Surface& ds = dst.surface();
  bool plainCopy = t == 0xCC && dw == sw && dh == sh && !mirrorX && !mirrorY;
  // Overlapping copies within one surface read from a snapshot.
  SurfaceBuffer snapshot;
  Surface from = src;
  RECT fr = sr;
  if (useS && src.pixels && src.pixels == ds.pixels) {
    snapshot.Resize(sw, sh);
    for (int y = 0; y < sh; ++y)
      std::memcpy(&snapshot.At(0, y), src.Row(sr.top + y) + sr.left, std::size_t(sw) * 4);
    from = snapshot.View();
    fr = RECT{0, 0, sw, sh};
  }
  auto srcCol = [&](int i) {
    long long j = ((2ll * i + 1) * sw) / (2ll * dw);
    return fr.left + int(mirrorX ? sw - 1 - j : j);
  };
  auto srcRow = [&](int i) {
    long long j = ((2ll * i + 1) * sh) / (2ll * dh);
    return fr.top + int(mirrorY ? sh - 1 - j : j);
  };
  dst.ForEachClipped(dr, [&](const RECT& c) {
    for (int y = c.top; y < c.bottom; ++y) {
      std::uint32_t* drow = ds.Row(y);
      if (plainCopy) {
        std::memcpy(drow + c.left, from.Row(fr.top + (y - dr.top)) + fr.left + (c.left - dr.left),
                    std::size_t(c.right - c.left) * 4);
        continue;
      }
      const std::uint32_t* srow = useS ? from.Row(srcRow(y - dr.top)) : nullptr;
      for (int x = c.left; x < c.right; ++x) {
        std::uint32_t s = useS ? srow[srcCol(x - dr.left)] : 0;
        std::uint32_t p = useP ? pat.At(x, y) : 0;
        drow[x] = Rop3(t, p, s, drow[x], useS, useD);
      }
    }
  });
}

// Cuts a source rectangle to its surface, moving the destination rectangle
// along (only at scale 1, where the two correspond pixel for pixel).
bool CutToSource(RECT& dr, RECT& sr, const Surface& src) {
  int l = std::max(0, -sr.left), t = std::max(0, -sr.top);
  int r = std::max(0, sr.right - src.width), b = std::max(0, sr.bottom - src.height);
  sr = RECT{sr.left + l, sr.top + t, sr.right - r, sr.bottom - b};
  dr = RECT{dr.left + l, dr.top + t, dr.right - r, dr.bottom - b};
  return !sr.IsEmpty() && !dr.IsEmpty();
}

}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  if (UsesSource(rop)) return FALSE;
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return FALSE;
  Painter p(*dc);
  RECT r = p.ToSurface(RECT{x, y, x + width, y + height});
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  Transfer(p, r, false, false, Surface{}, RECT{0, 0, 1, 1}, rop);
  return TRUE;
}

BOOL BitBlt(HDC hdst, int x, int y, int width, int height, HDC hsrc, int srcX, int srcY,
            DWORD rop) {
  if (!UsesSource(rop)) return PatBlt(hdst, x, y, width, height, rop);
  Lock lock(GdiMutex());
  DcObject* dst = FindDC(hdst);
  DcObject* src = FindDC(hsrc);
  if (!dst || !src) return FALSE;
  if (width <= 0 || height <= 0) return TRUE;
  Painter pd(*dst);
  Painter ps(*src);
  Surface ss = SurfaceOf(*src);
  if (ss.IsEmpty()) return FALSE;
  RECT dr{pd.X(x), pd.Y(y), 0, 0};
  dr.right = dr.left + std::min(width, Region::kLimit);
  dr.bottom = dr.top + std::min(height, Region::kLimit);
  RECT sr{ps.X(srcX), ps.Y(srcY), 0, 0};
  sr.right = sr.left + dr.right - dr.left;
  sr.bottom = sr.top + dr.bottom - dr.top;
  if (CutToSource(dr, sr, ss)) Transfer(pd, dr, false, false, ss, sr, rop);
  return TRUE;
}

BOOL StretchBlt(HDC hdst, int x, int y, int width, int height, HDC hsrc, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop) {
  if (!UsesSource(rop)) return PatBlt(hdst, x, y, width, height, rop);
  Lock lock(GdiMutex());
  DcObject* dst = FindDC(hdst);
  DcObject* src = FindDC(hsrc);
  if (!dst || !src) return FALSE;
  Painter pd(*dst);
  Painter ps(*src);
  Surface ss = SurfaceOf(*src);
  if (ss.IsEmpty()) return FALSE;
  bool mx = (width < 0) != (srcWidth < 0), my = (height < 0) != (srcHeight < 0);
  RECT dr{pd.X(x), pd.Y(y), pd.X((long long)x + width), pd.Y((long long)y + height)};
  RECT sr{ps.X(srcX), ps.Y(srcY), ps.X((long long)srcX + srcWidth),
          ps.Y((long long)srcY + srcHeight)};
  if (dr.left > dr.right) std::swap(dr.left, dr.right);
  if (dr.top > dr.bottom) std::swap(dr.top, dr.bottom);
  if (sr.left > sr.right) std::swap(sr.left, sr.right);
  if (sr.top > sr.bottom) std::swap(sr.top, sr.bottom);
  if (dr.Width() == sr.Width() && dr.Height() == sr.Height() && !mx && !my) {
    if (CutToSource(dr, sr, ss)) Transfer(pd, dr, false, false, ss, sr, rop);
    return TRUE;
  }
  // Scaled: a source reaching past its surface is refused rather than guessed at.
  if (sr.left < 0 || sr.top < 0 || sr.right > ss.width || sr.bottom > ss.height) return FALSE;
  Transfer(pd, dr, mx, my, ss, sr, rop);
  return TRUE;
}

int StretchDIBits(HDC hdc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT, DWORD rop) {
  if (!bits || !info) return 0;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if ((h.biBitCount != 24 && h.biBitCount != 32) || h.biCompression != BI_RGB || h.biWidth <= 0 ||
      h.biHeight == 0 || h.biHeight == INT32_MIN)
    return 0;
  int bw = h.biWidth, bh = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  bool bottomUp = h.biHeight > 0;
  // Source coordinates count from the picture's top-left corner.
  RECT sr{srcX, srcY, srcX + srcWidth, srcY + srcHeight};
  if (sr.left > sr.right) std::swap(sr.left, sr.right);
  if (sr.top > sr.bottom) std::swap(sr.top, sr.bottom);
  if (sr.left < 0 || sr.top < 0 || sr.right > bw || sr.bottom > bh) return 0;
  if (sr.IsEmpty()) return 0;
  std::size_t rowBytes = (std::size_t(bw) * (h.biBitCount / 8) + 3) & ~std::size_t(3);
  SurfaceBuffer part(sr.Width(), sr.Height());
  const auto* base = static_cast<const std::uint8_t*>(bits);
  for (int row = sr.top; row < sr.bottom; ++row) {
    const std::uint8_t* line = base + rowBytes * std::size_t(bottomUp ? bh - 1 - row : row);
    for (int col = sr.left; col < sr.right; ++col) {
      std::uint32_t px;
      if (h.biBitCount == 32) {
        std::memcpy(&px, line + std::size_t(col) * 4, 4);
      } else {
        const std::uint8_t* q = line + std::size_t(col) * 3;
        px = 0xFF000000u | (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
      }
      part.At(col - sr.left, row - sr.top) = px;
    }
  }
  Lock lock(GdiMutex());
  DcObject* dc = FindDC(hdc);
  if (!dc) return 0;
  Painter p(*dc);
  bool mx = (width < 0) != (srcWidth < 0), my = (height < 0) != (srcHeight < 0);
  RECT dr{p.X(x), p.Y(y), p.X((long long)x + width), p.Y((long long)y + height)};
  if (dr.left > dr.right) std::swap(dr.left, dr.right);
  if (dr.top > dr.bottom) std::swap(dr.top, dr.bottom);
  Transfer(p, dr, mx, my, part.View(), RECT{0, 0, part.Width(), part.Height()}, rop);
  return sr.Height();
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int srcX, int srcY,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
  // Only whole pictures are handed over here; bands of scan lines are not.
  if (!info || startScan != 0 ||
      scanLines <
          UINT(info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight))
    return 0;
  if (width > DWORD(Region::kLimit) || height > DWORD(Region::kLimit)) return 0;
  return StretchDIBits(dc, x, y, int(width), int(height), srcX, srcY, int(width), int(height), bits,
                       info, usage, SRCCOPY);
}

}  // namespace platform
