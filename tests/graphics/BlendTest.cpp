// Colour functions and both blend forms, scalar and vector.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "graphics/Blend.h"
#include "platform/base/ProcessorFeatures.h"
#include "platform/gdi/Gdi.h"

using namespace graphics;
namespace p = platform;

TEST(PixelColor, FromPlatformColours) {
  EXPECT_EQ(ColorToPixelColor(0x00800000), 0xFF000080u);  // navy
  EXPECT_EQ(ColorToPixelColor(0x0000FF00), 0xFF00FF00u);  // lime
  EXPECT_EQ(ColorToPixelColor(0x12345678), 0xFF785634u);  // top byte dropped
  const p::COLORREF highlight = p::GetSysColor(p::COLOR_HIGHLIGHT);
  EXPECT_EQ(ColorToPixelColor(toolkit::clHighlight), p::ColorToPixel(highlight, 255));
}

TEST(PixelColor, ChannelsAlphaAndLighten) {
  const TPixelColor c = MakePixelColor(1, 2, 3, 4);
  EXPECT_EQ(c, 0x04010203u);
  EXPECT_EQ(RedOf(c), 1);
  EXPECT_EQ(GreenOf(c), 2);
  EXPECT_EQ(BlueOf(c), 3);
  EXPECT_EQ(SetAlpha(c, 300), 0xFF010203u);
  EXPECT_EQ(SetAlpha(c, -4), 0x00010203u);
  EXPECT_EQ(Lighten(MakePixelColor(0, 0, 128, 7), 50), MakePixelColor(50, 50, 178, 7));
  EXPECT_EQ(Lighten(MakePixelColor(10, 250, 128), -20), MakePixelColor(0, 230, 108));
  EXPECT_EQ(Lighten(MakePixelColor(10, 250, 128), 20), MakePixelColor(30, 255, 148));
}

TEST(Blend, TransparentKeepsOpaqueReplaces) {
  for (TBlendForm form : {TBlendForm::Plain, TBlendForm::Mmx}) {
    EXPECT_EQ(BlendPixelIn(form, 0x00FFFFFF, 0xFF123456), 0xFF123456u);
    EXPECT_EQ(BlendPixelIn(form, 0xFFABCDEF, 0x80123456), 0xFFABCDEFu);
  }
}

TEST(Blend, HalfWhiteOverBlackInBothForms) {
  // Colour 128 in both; alpha 191 in the plain form, 192 in the MMX form.
  EXPECT_EQ(BlendPixelIn(TBlendForm::Plain, 0x80FFFFFF, 0xFF000000), 0xBF808080u);
  EXPECT_EQ(BlendPixelIn(TBlendForm::Mmx, 0x80FFFFFF, 0xFF000000), 0xC0808080u);
}

TEST(Blend, FormulasChannelByChannel) {
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    const TPixelColor f = rng(), b = rng();
    const unsigned a = f >> 24;
    if (a == 0 || a == 255) continue;
    TPixelColor plain = 0, mmx = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const int fc = (f >> shift) & 0xFF, bc = (b >> shift) & 0xFF;
      plain |= TPixelColor((fc * int(a) + 128) / 256 + (bc * (255 - int(a)) + 128) / 256) << shift;
      mmx |= TPixelColor((bc * 256 + (fc - bc) * int(a) + 128) >> 8) << shift;
    }
    ASSERT_EQ(BlendPixelIn(TBlendForm::Plain, f, b), plain) << std::hex << f << " " << b;
    ASSERT_EQ(BlendPixelIn(TBlendForm::Mmx, f, b), mmx) << std::hex << f << " " << b;
  }
}

TEST(Blend, ChosenFormFollowsTheProcessor) {
  const bool mmx = p::IsProcessorFeaturePresent(p::PF_MMX_INSTRUCTIONS_AVAILABLE);
  EXPECT_EQ(BlendForm(), mmx ? TBlendForm::Mmx : TBlendForm::Plain);
  EXPECT_EQ(BlendPixel(0x80FFFFFF, 0xFF000000), mmx ? 0xC0808080u : 0xBF808080u);
  EXPECT_EQ(AlphaLanes(128), 0x0080008000800080ull);
}

TEST(Blend, VectorRowsMatchTheScalarFormulas) {
  std::mt19937 rng(11);
  for (TBlendForm form : {TBlendForm::Plain, TBlendForm::Mmx}) {
    // Lengths around the 4- and 8-pixel steps; runs of alpha 0 and 255.
    for (int n : {0, 1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 100, 1021}) {
      std::vector<TPixelColor> src(n), a(n), b(n);
      for (int i = 0; i < n; ++i) {
        src[i] = rng();
        if (i % 13 < 4) src[i] &= 0x00FFFFFF;
        if (i % 17 > 12) src[i] |= 0xFF000000;
        a[i] = b[i] = rng();
      }
      BlendRowIn(form, src.data(), a.data(), n);
      BlendRowScalarIn(form, src.data(), b.data(), n);
      ASSERT_EQ(a, b) << "form " << int(form) << " length " << n;
    }
  }
}

TEST(Blend, RowsSkipTransparentSources) {
  std::vector<TPixelColor> src{0x00FFFFFF, 0x80FFFFFF, 0xFF00FF00};
  std::vector<TPixelColor> dst{0x11223344, 0xFF000000, 0x55667788};
  BlendRow(src.data(), dst.data(), 3);
  EXPECT_EQ(dst[0], 0x11223344u);
  EXPECT_EQ(dst[1], BlendPixel(0x80FFFFFF, 0xFF000000));
  EXPECT_EQ(dst[2], 0xFF00FF00u);
}

TEST(Blend, MasterAlphaScalesTheSource) {
  // e = ((master + 1) * a) >> 8; nothing when (master + 1) * a < 256.
  std::vector<TPixelColor> src{0xFFFFFFFF, 0x01FFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  std::vector<TPixelColor> dst(4, 0xFF000000);
  BlendRowMaster(src.data(), dst.data(), 2, 127);
  EXPECT_EQ(dst[0], BlendPixel(0x7FFFFFFF, 0xFF000000));
  EXPECT_EQ(dst[1], 0xFF000000u);
  BlendRowMaster(src.data() + 2, dst.data() + 2, 1, 0);
  EXPECT_EQ(dst[2], 0xFF000000u);  // 1 * 255 < 256
  BlendRowMaster(src.data() + 3, dst.data() + 3, 1, 255);
  EXPECT_EQ(dst[3], 0xFFFFFFFFu);
}

TEST(Blend, MergeWeighsBothAlphas) {
  TPixelColor px = 0x80000000;  // half-transparent black
  MergePixelInPlace(0x80FFFFFF, px);
  // Alpha 128 + 128 - 128*128/255 = 192 (±1), colour leaning to white.
  EXPECT_NEAR(int(px >> 24), 192, 1);
  EXPECT_GT(RedOf(px), 128);
  EXPECT_EQ(RedOf(px), GreenOf(px));
  px = 0x00123456;  // transparent background: the foreground
  MergePixelInPlace(0x40ABCDEF, px);
  EXPECT_EQ(px, 0x40ABCDEFu);
  px = 0xFF123456;  // opaque background stays opaque
  MergePixelInPlace(0x40FFFFFF, px);
  EXPECT_EQ(px >> 24, 255u);
}
