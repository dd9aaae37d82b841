#include "Frame.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace skinart {

TRgb Mix(TRgb a, TRgb b, double t) {
  return TRgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

TRgb Shade(TRgb c, double k) {
  return k < 0 ? Mix(c, TRgb{0, 0, 0}, -k) : Mix(c, TRgb{255, 255, 255}, k);
}

TRgb Ramp(const TStops& stops, double t) {
  if (stops.empty()) return TRgb{};
  auto s = stops.begin();
  if (t <= s->first) return s->second;
  for (; s + 1 != stops.end(); ++s) {
    const auto& next = *(s + 1);
    if (t <= next.first)
      return Mix(s->second, next.second, (t - s->first) / std::max(1e-9, next.first - s->first));
  }
  return s->second;
}

TFrame::TFrame(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(std::size_t(width_) * height_) {}

void TFrame::Cut(int x, int y) {
  if (Inside(x, y)) pixels_[std::size_t(y) * width_ + x] = TPaint{};
}

void TFrame::Set(int x, int y, TRgb c, double alpha) {
  if (Inside(x, y)) pixels_[std::size_t(y) * width_ + x] = TPaint{c, alpha, false};
}

void TFrame::Over(int x, int y, TRgb c, double alpha) {
  if (!Inside(x, y) || alpha <= 0) return;
  TPaint& p = pixels_[std::size_t(y) * width_ + x];
  const double below = p.cut ? 0 : p.alpha;
  const double out = alpha + below * (1 - alpha);
  const TRgb under = p.cut ? c : p.color;
  // Straight (not premultiplied) colours: weight each by what it adds.
  p.color = out > 0 ? Mix(under, c, alpha / out) : c;
  p.alpha = out;
  p.cut = false;
}

void TFrame::Fill(int x, int y, int w, int h, TRgb c, double alpha) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c, alpha);
}

TFrame TFrame::FlippedX() const {
  TFrame r(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) r.pixels_[std::size_t(y) * width_ + x] = At(width_ - 1 - x, y);
  return r;
}

TFrame TFrame::FlippedY() const {
  TFrame r(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      r.pixels_[std::size_t(y) * width_ + x] = At(x, height_ - 1 - y);
  return r;
}

TFrame TFrame::Transposed() const {
  TFrame r(height_, width_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) r.pixels_[std::size_t(x) * height_ + y] = At(x, y);
  return r;
}

TFill Solid(TRgb c, double alpha) {
  return [=](int, int) { return TPaint{c, alpha, false}; };
}

TFill Clear() {
  return [](int, int) { return TPaint{TRgb{}, 0, false}; };
}

TFill Vertical(std::function<TRgb(double)> ramp, int height) {
  return [=](int, int y) {
    return TPaint{ramp(height > 1 ? double(y) / (height - 1) : 0), 1, false};
  };
}

TFill Horizontal(std::function<TRgb(double)> ramp, int width) {
  return [=](int x, int) {
    return TPaint{ramp(width > 1 ? double(x) / (width - 1) : 0), 1, false};
  };
}

TFill Vertical(TStops stops, int height) {
  return Vertical([stops = std::move(stops)](double t) { return Ramp(stops, t); }, height);
}

TFill Horizontal(TStops stops, int width) {
  return Horizontal([stops = std::move(stops)](double t) { return Ramp(stops, t); }, width);
}

namespace {

bool Outside(const TBox& b, int x, int y) {
  const int n = int(b.profile.size());
  const int right = b.width - 1 - x, bottom = b.height - 1 - y;
  auto corner = [&](bool closedA, bool closedB, int col, int row) {
    return closedA && closedB && row < n && col < b.profile[row];
  };
  return corner(!b.openLeft, !b.openTop, x, y) || corner(!b.openRight, !b.openTop, right, y) ||
         corner(!b.openLeft, !b.openBottom, x, bottom) ||
         corner(!b.openRight, !b.openBottom, right, bottom);
}

}  // namespace

std::vector<int> BoxLayers(const TBox& b) {
  const int w = b.width, h = b.height;
  std::vector<int> layer(std::size_t(std::max(0, w * h)), -1);
  std::deque<std::pair<int, int>> queue;
  auto at = [&](int x, int y) -> int& { return layer[std::size_t(y) * w + x]; };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (Outside(b, x, y)) at(x, y) = 0;
  // The outline: inside pixels that touch the outside or a closed side.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (at(x, y) == 0) continue;
      const bool edge = (x == 0 && !b.openLeft) || (y == 0 && !b.openTop) ||
                        (x == w - 1 && !b.openRight) || (y == h - 1 && !b.openBottom);
      const bool touches = (x > 0 && at(x - 1, y) == 0) || (y > 0 && at(x, y - 1) == 0) ||
                           (x < w - 1 && at(x + 1, y) == 0) || (y < h - 1 && at(x, y + 1) == 0);
      if (edge || touches) {
        at(x, y) = 1;
        queue.emplace_back(x, y);
      }
    }
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop_front();
    const int next = at(x, y) + 1;
    const int dx[] = {-1, 1, 0, 0}, dy[] = {0, 0, -1, 1};
    for (int k = 0; k < 4; ++k) {
      const int nx = x + dx[k], ny = y + dy[k];
      if (nx < 0 || ny < 0 || nx >= w || ny >= h || at(nx, ny) != -1) continue;
      at(nx, ny) = next;
      queue.emplace_back(nx, ny);
    }
  }
  // A box open on all sides has no outline at all: its pixels are interior.
  for (int& v : layer)
    if (v < 0) v = 1 << 20;
  return layer;
}

void PaintBox(TFrame& f, const TBox& box, int dx, int dy, const std::vector<TRing>& rings,
              const TFill& fill) {
  const std::vector<int> layer = BoxLayers(box);
  for (int y = 0; y < box.height; ++y)
    for (int x = 0; x < box.width; ++x) {
      const int l = layer[std::size_t(y) * box.width + x];
      if (l == 0) {
        f.Cut(dx + x, dy + y);
        continue;
      }
      const TPaint base = fill(x, y);
      f.Set(dx + x, dy + y, base.color, base.alpha);
      if (l > int(rings.size())) continue;
      const TRing& ring = rings[l - 1];
      // Top and left sides are lit; a pixel belongs to the side it is nearest.
      const bool lit = std::min(x, y) <= std::min(box.width - 1 - x, box.height - 1 - y);
      f.Over(dx + x, dy + y, lit ? ring.light : ring.dark, lit ? ring.lightAlpha : ring.darkAlpha);
    }
}

std::vector<int> CircleProfile(int diameter) {
  std::vector<int> profile;
  const double r = diameter / 2.0;
  for (int y = 0; y < diameter / 2; ++y) {
    const double dy = y + 0.5 - r;
    const double half = std::sqrt(std::max(0.0, r * r - dy * dy));
    const int cut = int(std::ceil(r - half - 0.5));
    if (cut <= 0) break;
    profile.push_back(cut);
  }
  return profile;
}

void Stamp(TFrame& f, int x, int y, const TPattern& rows, TRgb c, double alpha) {
  int j = 0;
  for (const char* row : rows) {
    for (int i = 0; row[i]; ++i) {
      if (row[i] == 'X') f.Over(x + i, y + j, c, alpha);
      if (row[i] == '+') f.Over(x + i, y + j, c, alpha * 0.5);
    }
    ++j;
  }
}

}  // namespace skinart
