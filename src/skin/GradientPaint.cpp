#include "skin/GradientPaint.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "skin/PaintPixels.h"
#include "skin/PictureCopy.h"

namespace skin {

namespace {

// A band's colour walking from Color1 towards Color2 one line at a time.
class TBandColor {
 public:
  TBandColor(std::int32_t from, std::int32_t to, Coord length) {
    for (int i = 0; i < 3; ++i) {
      const int shift = 8 * i;  // colour values hold red in the low byte
      value_[i] = double(from >> shift & 0xFF);
      step_[i] = (double(to >> shift & 0xFF) - value_[i]) / double(length);
    }
  }
  std::uint32_t Pixel() const {
    auto byte = [](double v) { return std::uint32_t(std::clamp(std::nearbyint(v), 0.0, 255.0)); };
    return kOpaque | byte(value_[0]) << 16 | byte(value_[1]) << 8 | byte(value_[2]);
  }
  void Next() {
    for (int i = 0; i < 3; ++i) value_[i] += step_[i];
  }

 private:
  double value_[3];
  double step_[3];
};

Coord BandLength(const TSkinGradRecord& band, Coord extent) {
  return Coord(band.Percent & 0xFF) * extent / 100;
}

void TopToBottom(const Surface& p, const RECT& r, const TSkinGradArray& bands) {
  const Coord height = Coord(r.bottom) - r.top, last = Coord(p.height) - 1;
  Coord y = r.top;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const Coord s = y;
    const bool isLast = i + 1 == bands.size();
    y = isLast ? last : s + BandLength(bands[i], height);
    if (y - s <= 0) continue;
    if (isLast || y > last) y = std::min<Coord>(Coord(r.bottom) - 1, last);
    if (y - s <= 0) break;
    TBandColor color(bands[i].Color1, bands[i].Color2, y - s);
    for (Coord row = s; row <= y && row < r.bottom; ++row, color.Next()) {
      std::uint32_t* line = p.Row(int(row));
      std::fill(line + r.left, line + r.right, color.Pixel());
    }
  }
}

void LeftToRight(const Surface& p, const RECT& r, const TSkinGradArray& bands) {
  // Every row is the same: work out one and copy it.
  const Coord width = Coord(r.right) - r.left;
  std::uint32_t* first = p.Row(r.top) + r.left;
  Coord x = r.left;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const Coord s = x;
    x = i + 1 == bands.size() ? Coord(p.width) - 1 : s + BandLength(bands[i], width);
    if (x - s <= 0) continue;
    TBandColor color(bands[i].Color1, bands[i].Color2, x - s);
    for (Coord col = s; col <= x && col < r.right; ++col, color.Next())
      first[col - r.left] = color.Pixel();
  }
  const std::size_t bytes = std::size_t(width) * sizeof(std::uint32_t);
  for (int row = r.top + 1; row < r.bottom; ++row) std::memcpy(p.Row(row) + r.left, first, bytes);
}

}  // namespace

void PaintGradient(const Surface& picture, const RECT& r, const TSkinGradArray& gradient) {
  const RECT c = ClipToPicture(r, picture);
  if (c.IsEmpty() || gradient.empty()) return;
  if (gradient.front().Mode == 0) {
    TopToBottom(picture, c, gradient);
  } else if (gradient.front().Mode == 1) {
    LeftToRight(picture, c, gradient);
  }
}

}  // namespace skin
