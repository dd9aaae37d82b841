// sprintara-appicon: draws the application icon, a stopwatch running over a
// race lane in the golden skin's colours, at every size the desktop asks
// for, and writes one PNG per size:
//
//   sprintara-appicon OUTDIR        writes OUTDIR/sprintara-<size>.png
//
// The picture is described as shapes in a unit square and sampled many
// times per pixel, so each size is drawn for itself rather than scaled from
// another; the smallest sizes leave out the finer marks.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/gdi/Gdi.h"

namespace {

namespace p = platform;

struct Rgb {
  double r, g, b;
};

// The skin's title gradient, its gold and its light caption colour.
constexpr Rgb kTealTop{12, 132, 167}, kTealBottom{0, 102, 128};
constexpr Rgb kGold{184, 158, 80}, kLightGold{226, 202, 138};
constexpr Rgb kFace{234, 255, 255}, kInk{0, 72, 85}, kLane{0, 80, 100}, kLine{234, 255, 255};
constexpr double kPi = 3.14159265358979;

double RoundedBoxDistance(double x, double y, double cx, double cy, double hw, double hh,
                          double r) {
  const double qx = std::abs(x - cx) - hw + r, qy = std::abs(y - cy) - hh + r;
  return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

// Distance from (x, y) to the segment a-b.
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(x - ax - t * dx, y - ay - t * dy);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The colour at one point of the unit square; false where the icon is clear.
bool Sample(double x, double y, int size, Rgb* out) {
  const bool fine = size >= 32;
  if (RoundedBoxDistance(x, y, 0.5, 0.5, 0.47, 0.47, 0.16) > 0) return false;
  // Gold rim, then the title gradient.
  Rgb c = RoundedBoxDistance(x, y, 0.5, 0.5, 0.47, 0.47, 0.16) > -0.035
              ? kGold
              : Mix(kTealTop, kTealBottom, std::clamp((y - 0.05) / 0.9, 0.0, 1.0));
  // The lane: a darker strip along the bottom with its white lines running
  // into the distance on the right.
  if (y > 0.74 && RoundedBoxDistance(x, y, 0.5, 0.5, 0.47, 0.47, 0.16) <= -0.035) {
    c = kLane;
    const double lineWidth = fine ? 0.022 : 0.04;
    if (std::abs(y - 0.80) < lineWidth) c = kLine;
    if (fine && std::abs(y - (0.80 + 0.16 * (1 - x))) < lineWidth * 0.8 && x > 0.35) c = kLine;
  }
  // Speed streaks behind the watch.
  const std::array<double, 3> streaks{0.40, 0.50, 0.60};
  for (std::size_t i = 0; i < streaks.size(); ++i) {
    const double left = 0.08 + 0.05 * double(i % 2);
    if (SegmentDistance(x, y, left, streaks[i], 0.30, streaks[i]) < (fine ? 0.025 : 0.04))
      c = kLightGold;
  }
  // The watch: crown and button, gold ring, face, hand.
  const double cx = 0.57, cy = 0.50, radius = 0.28;
  if (RoundedBoxDistance(x, y, cx, cy - radius - 0.05, 0.05, 0.04, 0.015) < 0) c = kGold;
  if (SegmentDistance(x, y, cx, cy - radius, cx, cy - radius - 0.05) < 0.03) c = kGold;
  const double bx = cx + std::sin(kPi / 4) * (radius + 0.04),
               by = cy - std::cos(kPi / 4) * (radius + 0.04);
  if (SegmentDistance(x, y, bx - 0.025, by - 0.025, bx + 0.025, by + 0.025) < 0.035) c = kGold;
  const double d = std::hypot(x - cx, y - cy);
  if (d < radius)
    c = d > radius - (fine ? 0.06 : 0.08) ? Mix(kLightGold, kGold, (y - cy + radius) / (2 * radius))
                                          : kFace;
  if (fine && d < radius - 0.08 && d > radius - 0.12) {
    // Quarter marks.
    const double angle = std::atan2(y - cy, x - cx);
    const double nearest = std::round(angle / (kPi / 2)) * (kPi / 2);
    if (std::abs(angle - nearest) * d < 0.012) c = kInk;
  }
  const double hand = kPi / 3;  // ten seconds past
  if (SegmentDistance(x, y, cx, cy, cx + std::sin(hand) * (radius - 0.09),
                      cy - std::cos(hand) * (radius - 0.09)) < (fine ? 0.022 : 0.035))
    c = kInk;
  if (d < (fine ? 0.035 : 0.05)) c = kInk;
  *out = c;
  return true;
}

p::SurfaceBuffer Draw(int size) {
  p::SurfaceBuffer picture(size, size, 0);
  const int n = 8;  // samples per pixel side
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0;
      int covered = 0;
      for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
          Rgb c;
          if (!Sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size, size, &c))
            continue;
          r += c.r, g += c.g, b += c.b;
          ++covered;
        }
      if (!covered) continue;
      const auto channel = [covered](double v) {
        return std::uint32_t(std::clamp(std::lround(v / covered), 0L, 255L));
      };
      const std::uint32_t alpha = std::uint32_t(std::lround(255.0 * covered / (n * n)));
      picture.At(px, py) = alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
    }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sprintara-appicon OUTDIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    p::SurfaceBuffer picture = Draw(size);
    const std::string path = (dir / ("sprintara-" + std::to_string(size) + ".png")).string();
    if (!p::WritePng(path, picture.View(), nullptr, true)) {
      std::fprintf(stderr, "sprintara-appicon: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
