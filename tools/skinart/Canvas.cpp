#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/gdi/Gdi.h"

namespace skinart {

TCanvas::TCanvas(int width, int height, std::uint32_t fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, fill) {}

void TCanvas::Put(int x, int y, std::uint32_t rgb) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[std::size_t(y) * width_ + x] = rgb;
}

std::uint32_t ToRgb(TRgb c) {
  auto byte = [](double v) { return std::uint32_t(std::clamp(std::lround(v), 0L, 255L)); };
  const std::uint32_t rgb = byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
  // Fuchsia means transparent: a drawn colour never lands on it.
  return rgb == kFuchsia ? 0xFE00FF : rgb;
}

void PutFrame(TCanvas& canvas, const TFrame& frame, int left, int top, int maskType, TRgb matte) {
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x) {
      const TPaint& p = frame.At(x, y);
      if (maskType == 0) {
        // No alpha in a plain piece: faint pixels vanish, the rest is mixed
        // with the colour the piece is usually seen on.
        const bool clear = p.cut || p.alpha < 0.35;
        canvas.Put(left + x, top + y, clear ? kFuchsia : ToRgb(Mix(matte, p.color, p.alpha)));
        continue;
      }
      int mask = 255;
      std::uint32_t picture = kFuchsia;
      if (!p.cut) {
        mask = int(std::lround((1 - p.alpha) * 255 / kMaskStep)) * kMaskStep;
        picture = ToRgb(p.alpha > 0 ? p.color : matte);
      }
      const std::uint32_t grey = std::uint32_t(mask) * 0x010101;
      canvas.Put(left + x, top + y, picture);
      canvas.Put(left + x, top + frame.Height() + y, grey);
    }
}

namespace {

constexpr int kFixedColours = 256 / kMaskStep + 1 + 1;  // the greys 0, 17 .. 255 and fuchsia

int Channel(std::uint32_t rgb, int c) {
  return int(rgb >> (16 - 8 * c) & 0xFF);
}

struct TColourBox {
  std::vector<std::pair<std::uint32_t, std::size_t>> colours;  // colour, pixel count
  std::size_t count = 0;
  int widest = 0;  // channel with the largest range
  int range = 0;

  void Measure() {
    count = 0;
    range = -1;
    for (auto& [rgb, n] : colours) count += n;
    for (int c = 0; c < 3; ++c) {
      int lo = 255, hi = 0;
      for (auto& [rgb, n] : colours) {
        lo = std::min(lo, Channel(rgb, c));
        hi = std::max(hi, Channel(rgb, c));
      }
      if (hi - lo > range) {
        range = hi - lo;
        widest = c;
      }
    }
  }
  double Score() const { return colours.size() < 2 ? -1 : range * std::sqrt(double(count)); }
  std::uint32_t Mean() const {
    double sum[3] = {0, 0, 0};
    for (auto& [rgb, n] : colours)
      for (int c = 0; c < 3; ++c) sum[c] += double(Channel(rgb, c)) * n;
    return ToRgb(TRgb{sum[0] / count, sum[1] / count, sum[2] / count});
  }
};

// Median cut: split the box that spans the most colour (weighted by how many
// pixels use it) at its weighted median until the palette is full.
std::vector<std::uint32_t> MedianCut(const std::map<std::uint32_t, std::size_t>& histogram,
                                     std::size_t size) {
  std::vector<std::uint32_t> result;
  if (histogram.size() <= size) {
    for (auto& [rgb, n] : histogram) result.push_back(rgb);
    return result;
  }
  std::vector<TColourBox> boxes(1);
  boxes[0].colours.assign(histogram.begin(), histogram.end());
  boxes[0].Measure();
  while (boxes.size() < size) {
    auto best = std::max_element(boxes.begin(), boxes.end(),
                                 [](auto& a, auto& b) { return a.Score() < b.Score(); });
    if (best->Score() < 0) break;
    TColourBox& box = *best;
    const int c = box.widest;
    std::stable_sort(box.colours.begin(), box.colours.end(),
                     [c](auto& a, auto& b) { return Channel(a.first, c) < Channel(b.first, c); });
    std::size_t seen = 0, cut = 1;
    for (std::size_t i = 0; i + 1 < box.colours.size(); ++i) {
      seen += box.colours[i].second;
      cut = i + 1;
      if (seen * 2 >= box.count) break;
    }
    TColourBox upper;
    upper.colours.assign(box.colours.begin() + std::ptrdiff_t(cut), box.colours.end());
    box.colours.resize(cut);
    box.Measure();
    upper.Measure();
    boxes.push_back(std::move(upper));
  }
  for (auto& box : boxes) result.push_back(box.Mean());
  return result;
}

int Distance(std::uint32_t a, std::uint32_t b) {
  const int dr = Channel(a, 0) - Channel(b, 0), dg = Channel(a, 1) - Channel(b, 1),
            db = Channel(a, 2) - Channel(b, 2);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

TIndexedPicture Quantize(const TCanvas& canvas) {
  TIndexedPicture out;
  out.width = canvas.Width();
  out.height = canvas.Height();
  for (int v = 0; v <= 255; v += kMaskStep) out.palette.push_back(std::uint32_t(v) * 0x010101);
  out.palette.push_back(kFuchsia);
  const std::size_t fuchsia = out.palette.size() - 1;

  std::map<std::uint32_t, std::size_t> histogram;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const std::uint32_t rgb = canvas.At(x, y);
      if (std::find(out.palette.begin(), out.palette.end(), rgb) == out.palette.end())
        ++histogram[rgb];
    }
  for (std::uint32_t rgb : MedianCut(histogram, 256 - kFixedColours)) out.palette.push_back(rgb);

  std::map<std::uint32_t, std::uint8_t> nearest;
  out.indexes.reserve(std::size_t(out.width) * out.height);
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const std::uint32_t rgb = canvas.At(x, y);
      auto found = nearest.find(rgb);
      if (found == nearest.end()) {
        std::size_t best = 0;
        for (std::size_t i = 0; i < out.palette.size(); ++i) {
          if (i == fuchsia && rgb != kFuchsia) continue;
          if (Distance(out.palette[i], rgb) < Distance(out.palette[best], rgb)) best = i;
        }
        if (rgb == kFuchsia) best = fuchsia;
        found = nearest.emplace(rgb, std::uint8_t(best)).first;
      }
      out.indexes.push_back(found->second);
    }
  return out;
}

namespace {

void Put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
  v.push_back(std::uint8_t(x));
  v.push_back(std::uint8_t(x >> 8));
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp8(const TIndexedPicture& p) {
  const std::uint32_t stride = (std::uint32_t(p.width) + 3) & ~3u;
  const std::uint32_t offset = 14 + 40 + 256 * 4;
  const std::uint32_t imageSize = stride * std::uint32_t(p.height);
  std::vector<std::uint8_t> f;
  f.reserve(offset + imageSize);
  f.push_back('B');
  f.push_back('M');
  Put32(f, offset + imageSize);
  Put32(f, 0);
  Put32(f, offset);
  Put32(f, 40);
  Put32(f, std::uint32_t(p.width));
  Put32(f, std::uint32_t(p.height));  // positive: rows bottom-up
  Put16(f, 1);
  Put16(f, 8);
  Put32(f, 0);  // no compression
  Put32(f, imageSize);
  Put32(f, 2835);  // 72 dots per inch
  Put32(f, 2835);
  Put32(f, 256);
  Put32(f, 0);
  for (std::size_t i = 0; i < 256; ++i) {
    const std::uint32_t rgb = i < p.palette.size() ? p.palette[i] : 0;
    f.push_back(std::uint8_t(rgb));
    f.push_back(std::uint8_t(rgb >> 8));
    f.push_back(std::uint8_t(rgb >> 16));
    f.push_back(0);
  }
  for (int y = p.height - 1; y >= 0; --y) {
    const auto row = p.indexes.begin() + std::ptrdiff_t(y) * p.width;
    f.insert(f.end(), row, row + p.width);
    f.resize(f.size() + (stride - std::uint32_t(p.width)), 0);
  }
  return f;
}

std::vector<std::uint8_t> StoredBitmapData(const std::vector<std::uint8_t>& bmp) {
  std::vector<std::uint8_t> data;
  Put32(data, std::uint32_t(bmp.size()));
  data.insert(data.end(), bmp.begin(), bmp.end());
  return data;
}

bool WriteScaledPng(const TIndexedPicture& p, int scale, const std::string& path) {
  scale = std::clamp(scale, 1, 16);
  platform::SurfaceBuffer big(p.width * scale, p.height * scale);
  for (int y = 0; y < big.Height(); ++y)
    for (int x = 0; x < big.Width(); ++x)
      big.At(x, y) =
          0xFF000000u | p.palette[p.indexes[std::size_t(y / scale) * p.width + x / scale]];
  return platform::WritePng(path, big.View());
}

}  // namespace skinart
