#include "graphics/Blend.h"

#include <array>

#include "graphics/BlendSimd.h"
#include "platform/base/ProcessorFeatures.h"

namespace graphics {

namespace {

constexpr std::uint64_t kLaneMask = 0x00FF00FF00FF00FFull;

// The pixel's four bytes spread into four 16-bit lanes, and back.
inline std::uint64_t Spread(TPixelColor c) {
  std::uint64_t x = c;
  x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
  return (x | (x << 8)) & kLaneMask;
}
inline TPixelColor Gather(std::uint64_t x) {
  x &= kLaneMask;
  x = (x | (x >> 8)) & 0x0000FFFF0000FFFFull;
  return TPixelColor(x | (x >> 16));
}

const std::array<std::uint64_t, 256>& AlphaTable() {
  static const std::array<std::uint64_t, 256> table = [] {
    std::array<std::uint64_t, 256> t{};
    for (int a = 0; a < 256; ++a) t[a] = std::uint64_t(a) * 0x0001000100010001ull;
    return t;
  }();
  return table;
}

// Every lane stays below 65536: each lane's sum is at most 255 * 256 + 128.
inline TPixelColor MixMmx(TPixelColor f, TPixelColor b, unsigned a) {
  const std::uint64_t n = Spread(b) * (256 - a) + Spread(f) * a + AlphaTable()[128];
  return Gather(n >> 8);
}

inline TPixelColor MixPlain(TPixelColor f, TPixelColor b, unsigned a) {
  const std::uint64_t bias = AlphaTable()[128];
  const std::uint64_t fg = ((Spread(f) * a + bias) >> 8) & kLaneMask;
  const std::uint64_t bg = ((Spread(b) * (255 - a) + bias) >> 8) & kLaneMask;
  return Gather(fg + bg);  // each lane sum is at most 255
}

inline TPixelColor Blend(TBlendForm form, TPixelColor f, TPixelColor b) {
  const unsigned a = f >> 24;
  if (a == 0) return b;
  if (a == 255) return f;
  return form == TBlendForm::Mmx ? MixMmx(f, b, a) : MixPlain(f, b, a);
}

struct Choice {
  TBlendForm form;
  simd::RowBlender row;  // null: scalar
};

Choice Choose() {
  namespace p = platform;
  Choice c;
  c.form = p::IsProcessorFeaturePresent(p::PF_MMX_INSTRUCTIONS_AVAILABLE) ? TBlendForm::Mmx
                                                                          : TBlendForm::Plain;
  c.row = simd::BestRowBlender(c.form);
  return c;
}

const Choice& Chosen() {
  static const Choice choice = Choose();
  return choice;
}

// Chosen while the module starts, so the first paint does not pay for it.
[[maybe_unused]] const bool kChosenAtStart = (Chosen(), AlphaTable(), true);

}  // namespace

std::uint64_t AlphaLanes(int a) {
  return AlphaTable()[a & 0xFF];
}

TBlendForm BlendForm() {
  return Chosen().form;
}

TPixelColor BlendPixelIn(TBlendForm form, TPixelColor foreground, TPixelColor background) {
  return Blend(form, foreground, background);
}

TPixelColor BlendPixel(TPixelColor foreground, TPixelColor background) {
  return Blend(Chosen().form, foreground, background);
}

void BlendPixelInPlace(TPixelColor foreground, TPixelColor& pixel) {
  pixel = Blend(Chosen().form, foreground, pixel);
}

void MergePixelInPlace(TPixelColor f, TPixelColor& pixel) {
  const unsigned fa = f >> 24;
  if (fa == 0) return;
  const TPixelColor b = pixel;
  const unsigned ba = b >> 24;
  if (fa == 255 || ba == 0) {
    pixel = f;
    return;
  }
  // Background weight: its alpha times what the foreground lets through.
  const unsigned bw = ba * (255 - fa) / 255;
  const unsigned ra = fa + bw;  // = Fa + Ba - Fa*Ba/255, rounded
  auto mix = [&](int shift) {
    const unsigned fc = (f >> shift) & 0xFF, bc = (b >> shift) & 0xFF;
    return (fc * fa + bc * bw + ra / 2) / ra;
  };
  pixel = (TPixelColor(ra) << 24) | (mix(16) << 16) | (mix(8) << 8) | mix(0);
}

void BlendRowScalarIn(TBlendForm form, const TPixelColor* source, TPixelColor* destination,
                      int count) {
  for (int i = 0; i < count; ++i) {
    const TPixelColor f = source[i];
    if ((f >> 24) == 0) continue;
    destination[i] = Blend(form, f, destination[i]);
  }
}

void BlendRowIn(TBlendForm form, const TPixelColor* source, TPixelColor* destination, int count) {
  if (count <= 0) return;
  if (simd::RowBlender row = simd::BestRowBlender(form)) {
    row(source, destination, count);
    return;
  }
  BlendRowScalarIn(form, source, destination, count);
}

void BlendRow(const TPixelColor* source, TPixelColor* destination, int count) {
  if (count <= 0) return;
  const Choice& c = Chosen();
  if (c.row)
    c.row(source, destination, count);
  else
    BlendRowScalarIn(c.form, source, destination, count);
}

void BlendRowMaster(const TPixelColor* source, TPixelColor* destination, int count,
                    unsigned masterAlpha) {
  const unsigned m = (masterAlpha > 255 ? 255 : masterAlpha) + 1;
  const TBlendForm form = Chosen().form;
  for (int i = 0; i < count; ++i) {
    const TPixelColor f = source[i];
    const unsigned scaled = m * (f >> 24);
    if (scaled < 256) continue;
    destination[i] =
        Blend(form, (f & 0x00FFFFFF) | (TPixelColor(scaled >> 8) << 24), destination[i]);
  }
}

}  // namespace graphics
