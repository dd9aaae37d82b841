// Transfers between bitmaps: same-size block copies and blends, nearest
// neighbour stretching, and resampling with the other filters.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "graphics/Blend.h"
#include "graphics/PixelBitmap.h"

namespace graphics {

namespace {

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r;
}
bool IsEmpty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// Puts `count` source pixels on the destination by the draw mode.
struct RowWriter {
  TDrawMode mode;
  unsigned master;
  const TPixelCombineEvent* combine;

  void operator()(const TPixelColor* src, TPixelColor* dst, int count) const {
    switch (mode) {
      case dmOpaque:
        std::memcpy(dst, src, std::size_t(count) * 4);
        break;
      case dmBlend:
        if (master >= 255)
          BlendRow(src, dst, count);
        else
          BlendRowMaster(src, dst, count, master);
        break;
      case dmCustom:
        for (int i = 0; i < count; ++i) (*combine)(src[i], dst[i], master);
        break;
    }
  }
};

void CopyBlock(TPixelBitmap& dest, const RECT& dstRect, const RECT& clip, const TPixelBitmap& src,
               const RECT& srcRect, const RowWriter& write) {
  const int dx = clip.left - dstRect.left, dy = clip.top - dstRect.top;
  for (int y = clip.top; y < clip.bottom; ++y) {
    const TPixelColor* s = src.PixelPointer(srcRect.left + dx, srcRect.top + dy + (y - clip.top));
    write(s, dest.PixelPointer(clip.left, y), clip.right - clip.left);
  }
}

void StretchNearest(TPixelBitmap& dest, const RECT& dstRect, const RECT& clip,
                    const TPixelBitmap& src, const RECT& srcRect, const RowWriter& write) {
  const int dw = dstRect.right - dstRect.left, dh = dstRect.bottom - dstRect.top;
  const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
  // Full edge sampling: the scale spans the whole source, so the last
  // destination pixel samples the source's last column too.
  auto sourceIndex = [](int d, int dSize, int sLeft, int sRight) {
    if (dSize == 1) return (sLeft + sRight - 1) / 2;
    const float scale = float(sRight - sLeft) / float(dSize);
    int i = int(float(d) * scale + float(sLeft));
    return std::clamp(i, sLeft, sRight - 1);
  };
  const int cw = clip.right - clip.left;
  std::vector<int> columns(cw);
  for (int x = 0; x < cw; ++x)
    columns[x] = sourceIndex(clip.left + x - dstRect.left, dw, srcRect.left, srcRect.right);
  (void)sw, (void)sh;
  std::vector<TPixelColor> row(cw);
  int previous = -1;
  for (int y = clip.top; y < clip.bottom; ++y) {
    const int sy = sourceIndex(y - dstRect.top, dh, srcRect.top, srcRect.bottom);
    TPixelColor* out = dest.PixelPointer(clip.left, y);
    if (sy == previous && write.mode == dmOpaque) {
      std::memcpy(out, dest.PixelPointer(clip.left, y - 1), std::size_t(cw) * 4);
      continue;
    }
    if (sy != previous) {
      const TPixelColor* in = src.RowPointer(sy);
      for (int x = 0; x < cw; ++x) row[x] = in[columns[x]];
      previous = sy;
    }
    write(row.data(), out, cw);
  }
}

// --- resampling -------------------------------------------------------------------------

double Kernel(TStretchFilter f, double x) {
  x = std::fabs(x);
  switch (f) {
    case sfDraft:
      return x <= 0.5 ? 1.0 : 0.0;
    case sfLinear:
      return x < 1 ? 1 - x : 0;
    case sfCosine:
      return x < 1 ? (std::cos(x * std::numbers::pi) + 1) / 2 : 0;
    case sfSpline:  // cubic B-spline
      if (x < 1) return (3 * x * x * x - 6 * x * x + 4) / 6;
      if (x < 2) return (2 - x) * (2 - x) * (2 - x) / 6;
      return 0;
    case sfLanczos: {  // three lobes
      if (x < 1e-9) return 1;
      if (x >= 3) return 0;
      const double px = std::numbers::pi * x;
      return 3 * std::sin(px) * std::sin(px / 3) / (px * px);
    }
    case sfMitchell: {  // B = C = 1/3
      const double b = 1.0 / 3, c = 1.0 / 3;
      if (x < 1)
        return ((12 - 9 * b - 6 * c) * x * x * x + (-18 + 12 * b + 6 * c) * x * x + (6 - 2 * b)) /
               6;
      if (x < 2)
        return ((-b - 6 * c) * x * x * x + (6 * b + 30 * c) * x * x + (-12 * b - 48 * c) * x +
                (8 * b + 24 * c)) /
               6;
      return 0;
    }
    default:
      return x < 0.5 ? 1 : 0;
  }
}

double Support(TStretchFilter f) {
  switch (f) {
    case sfDraft:
      return 0.5;
    case sfLinear:
    case sfCosine:
      return 1;
    case sfSpline:
    case sfMitchell:
      return 2;
    case sfLanczos:
      return 3;
    default:
      return 0.5;
  }
}

struct Tap {
  int index;  // source coordinate; may lie outside the bitmap
  double weight;
};

// The taps of every destination position along one axis.
std::vector<std::vector<Tap>> Taps(TStretchFilter f, int dFirst, int dCount, int dSize, int sLeft,
                                   int sSize) {
  const double scale = double(sSize) / double(dSize);
  const double widen = std::max(scale, 1.0);  // shrinking widens the kernel
  const double support = Support(f) * widen;
  std::vector<std::vector<Tap>> all(dCount);
  for (int i = 0; i < dCount; ++i) {
    const double center = (dFirst + i + 0.5) * scale + sLeft - 0.5;
    const int lo = int(std::floor(center - support)), hi = int(std::ceil(center + support));
    double sum = 0;
    for (int s = lo; s <= hi; ++s) {
      const double w = Kernel(f, (s - center) / widen);
      if (w == 0) continue;
      all[i].push_back({s, w});
      sum += w;
    }
    if (all[i].empty()) all[i].push_back({int(std::lround(center)), sum = 1});
    for (Tap& t : all[i]) t.weight /= sum;
  }
  return all;
}

void Resample(TPixelBitmap& dest, const RECT& dstRect, const RECT& clip, const TPixelBitmap& src,
              const RECT& srcRect, TStretchFilter filter, const RowWriter& write) {
  const int cw = clip.right - clip.left;
  const auto xs = Taps(filter, clip.left - dstRect.left, cw, dstRect.right - dstRect.left,
                       srcRect.left, srcRect.right - srcRect.left);
  const auto ys = Taps(filter, clip.top - dstRect.top, clip.bottom - clip.top,
                       dstRect.bottom - dstRect.top, srcRect.top, srcRect.bottom - srcRect.top);
  const TPixelColor outer = src.OuterColor();
  auto sample = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= src.Width() || y >= src.Height()) return outer;
    return src.Pixel(x, y);
  };
  std::vector<TPixelColor> row(cw);
  for (int y = clip.top; y < clip.bottom; ++y) {
    const auto& ty = ys[y - clip.top];
    for (int x = 0; x < cw; ++x) {
      double acc[4] = {0, 0, 0, 0};
      for (const Tap& a : ty)
        for (const Tap& b : xs[x]) {
          const TPixelColor c = sample(b.index, a.index);
          const double w = a.weight * b.weight;
          for (int k = 0; k < 4; ++k) acc[k] += w * double((c >> (8 * k)) & 0xFF);
        }
      TPixelColor out = 0;
      for (int k = 0; k < 4; ++k)
        out |= TPixelColor(std::clamp(int(std::lround(acc[k])), 0, 255)) << (8 * k);
      row[x] = out;
    }
    write(row.data(), dest.PixelPointer(clip.left, y), cw);
  }
}

// Enlarging in both directions: plain bilinear interpolation between the
// source pixels, edges held.
void EnlargeLinear(TPixelBitmap& dest, const RECT& dstRect, const RECT& clip,
                   const TPixelBitmap& src, const RECT& srcRect, const RowWriter& write) {
  const int cw = clip.right - clip.left;
  const double sx = double(srcRect.right - srcRect.left) / (dstRect.right - dstRect.left);
  const double sy = double(srcRect.bottom - srcRect.top) / (dstRect.bottom - dstRect.top);
  auto axis = [](double u, int lo, int hi, int& i0, int& i1, double& f) {
    u = std::clamp(u, double(lo), double(hi - 1));
    i0 = int(std::floor(u));
    i1 = std::min(i0 + 1, hi - 1);
    f = u - i0;
  };
  std::vector<TPixelColor> row(cw);
  for (int y = clip.top; y < clip.bottom; ++y) {
    int y0, y1;
    double fy;
    axis((y - dstRect.top + 0.5) * sy + srcRect.top - 0.5, srcRect.top, srcRect.bottom, y0, y1, fy);
    for (int x = 0; x < cw; ++x) {
      int x0, x1;
      double fx;
      axis((clip.left + x - dstRect.left + 0.5) * sx + srcRect.left - 0.5, srcRect.left,
           srcRect.right, x0, x1, fx);
      const TPixelColor p00 = src.Pixel(x0, y0), p10 = src.Pixel(x1, y0);
      const TPixelColor p01 = src.Pixel(x0, y1), p11 = src.Pixel(x1, y1);
      TPixelColor out = 0;
      for (int k = 0; k < 32; k += 8) {
        auto ch = [k](TPixelColor c) { return double((c >> k) & 0xFF); };
        const double top = ch(p00) + (ch(p10) - ch(p00)) * fx;
        const double bottom = ch(p01) + (ch(p11) - ch(p01)) * fx;
        out |= TPixelColor(std::clamp(int(std::lround(top + (bottom - top) * fy)), 0, 255)) << k;
      }
      row[x] = out;
    }
    write(row.data(), dest.PixelPointer(clip.left, y), cw);
  }
}

}  // namespace

void TransferRect(TPixelBitmap& dest, RECT dstRect, RECT dstClip, const TPixelBitmap& src,
                  const RECT& srcRect, TStretchFilter filter, TDrawMode mode,
                  const TPixelCombineEvent& combine) {
  if (IsEmpty(srcRect) || dest.Empty() || src.Empty()) return;
  // The source rectangle must lie inside the source; a caller's slip costs a
  // picture, not memory.
  if (srcRect.left < 0 || srcRect.top < 0 || srcRect.right > src.Width() ||
      srcRect.bottom > src.Height())
    return;
  dstClip = Intersect(Intersect(dstClip, RECT{0, 0, dest.Width(), dest.Height()}), dstRect);
  if (IsEmpty(dstClip)) return;
  if (mode == dmCustom && !combine) mode = dmOpaque;
  if (mode == dmBlend && src.MasterAlpha() == 0) return;
  const RowWriter write{mode, src.MasterAlpha(), &combine};
  const int dw = dstRect.right - dstRect.left, dh = dstRect.bottom - dstRect.top;
  const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
  if (dw == sw && dh == sh)
    CopyBlock(dest, dstRect, dstClip, src, srcRect, write);
  else if (filter == sfNearest)
    StretchNearest(dest, dstRect, dstClip, src, srcRect, write);
  else if (filter == sfLinear && sw > 1 && sh > 1 && dw >= sw && dh >= sh)
    EnlargeLinear(dest, dstRect, dstClip, src, srcRect, write);
  else
    Resample(dest, dstRect, dstClip, src, srcRect, filter, write);
}

}  // namespace graphics
