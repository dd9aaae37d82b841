// Drawing one bitmap into another: same-size copies and blends, custom
// combining, nearest-neighbour stretching and the resampling filters.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/Blend.h"
#include "graphics/PixelBitmap.h"

using namespace graphics;

namespace {

// A source whose pixel at (x, y) is 0xFF00xxyy, so samples name their origin.
void Numbered(TPixelBitmap& b, int w, int h) {
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) *b.PixelPointer(x, y) = 0xFF000000u | (x << 8) | y;
}

int SourceX(TPixelColor c) {
  return (c >> 8) & 0xFF;
}
int SourceY(TPixelColor c) {
  return c & 0xFF;
}

}  // namespace

TEST(Transfer, SameSizeCopyIsClippedToTheDestinationAndItsClipRect) {
  TPixelBitmap src, dst;
  Numbered(src, 4, 3);
  dst.SetSize(6, 5);
  dst.Clear(0xFF111111);
  int changes = 0;
  dst.OnChange = [&](component::TObject*) { ++changes; };
  dst.SetClipRect(RECT{0, 0, 5, 5});
  src.DrawToBitmap(dst, RECT{3, -1, 7, 2});  // sticks out right and top
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dst.Pixel(3, 0), 0xFF000001u);  // source (0, 1)
  EXPECT_EQ(dst.Pixel(4, 1), 0xFF000102u);  // source (1, 2)
  EXPECT_EQ(dst.Pixel(5, 0), 0xFF111111u);  // outside the clip rect
  EXPECT_EQ(dst.Pixel(2, 0), 0xFF111111u);
  EXPECT_EQ(dst.Pixel(3, 2), 0xFF111111u);
  src.DrawToBitmap(dst, RECT{100, 100, 104, 103});  // wholly outside: nothing
  TPixelBitmap empty;
  empty.DrawToBitmap(dst, RECT{0, 0, 4, 3});
  src.DrawToBitmap(empty, RECT{0, 0, 4, 3});
}

TEST(Transfer, BlendModeUsesAlphaAndMasterAlpha) {
  TPixelBitmap src, dst;
  src.SetSize(2, 1);
  src.Clear(0x80FFFFFF);
  *src.PixelPointer(1, 0) = 0x00FFFFFF;
  src.SetDrawMode(dmBlend);
  dst.SetSize(2, 1);
  dst.Clear(0xFF000000);
  src.DrawToBitmap(dst, RECT{0, 0, 2, 1});
  EXPECT_EQ(dst.Pixel(0, 0), BlendPixel(0x80FFFFFF, 0xFF000000));
  EXPECT_EQ(dst.Pixel(1, 0), 0xFF000000u);

  dst.Clear(0xFF000000);
  src.SetMasterAlpha(127);  // (127 + 1) * 128 >> 8 = 64
  src.DrawToBitmap(dst, RECT{0, 0, 2, 1});
  EXPECT_EQ(dst.Pixel(0, 0), BlendPixel(0x40FFFFFF, 0xFF000000));

  dst.Clear(0xFF000000);
  src.SetMasterAlpha(0);  // suppressed
  src.DrawToBitmap(dst, RECT{0, 0, 2, 1});
  EXPECT_EQ(dst.Pixel(0, 0), 0xFF000000u);
}

TEST(Transfer, CustomModeHandsEveryPixelToTheHandler) {
  TPixelBitmap src, dst;
  Numbered(src, 3, 2);
  dst.SetSize(3, 2);
  dst.Clear(0xFF000000);
  src.SetDrawMode(dmCustom);
  src.SetMasterAlpha(200);
  // Without a handler it copies.
  src.DrawToBitmap(dst, RECT{0, 0, 3, 2});
  EXPECT_EQ(dst.Pixel(2, 1), 0xFF000201u);
  int calls = 0;
  src.OnPixelCombine = [&](TPixelColor f, TPixelColor& b, unsigned m) {
    ++calls;
    EXPECT_EQ(m, 200u);
    b = f ^ 0x00FFFFFF;
  };
  src.DrawToBitmap(dst, RECT{0, 0, 3, 2});
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(dst.Pixel(2, 1), 0xFFFFFDFEu);
  // Scaled transfers go through the handler too.
  calls = 0;
  src.DrawToBitmap(dst, RECT{0, 0, 2, 2});
  EXPECT_EQ(calls, 4);
}

TEST(Transfer, NearestStretchSamplesTheFullSource) {
  TPixelBitmap src, dst;
  Numbered(src, 3, 2);
  dst.SetSize(7, 4);
  src.DrawToBitmap(dst, RECT{0, 0, 7, 4});
  // Columns trunc(x * 3/7): 0 0 0 1 1 2 2; rows trunc(y * 2/4): 0 0 1 1.
  const int cols[] = {0, 0, 0, 1, 1, 2, 2};
  const int rows[] = {0, 0, 1, 1};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(SourceX(dst.Pixel(x, y)), cols[x]) << x << "," << y;
      EXPECT_EQ(SourceY(dst.Pixel(x, y)), rows[y]) << x << "," << y;
    }
}

TEST(Transfer, NearestStretchToOnePixelTakesTheMiddle) {
  TPixelBitmap src, dst;
  Numbered(src, 4, 5);
  dst.SetSize(1, 1);
  src.DrawToBitmap(dst, RECT{0, 0, 1, 1});
  EXPECT_EQ(SourceX(dst.Pixel(0, 0)), (0 + 4 - 1) / 2);
  EXPECT_EQ(SourceY(dst.Pixel(0, 0)), (0 + 5 - 1) / 2);
}

TEST(Transfer, NearestStretchClipsAgainstTheDestination) {
  TPixelBitmap src, dst;
  Numbered(src, 10, 10);
  dst.SetSize(5, 5);
  dst.Clear(0);
  src.DrawToBitmap(dst, RECT{-10, -10, 10, 10});  // shrunk 2:1, only a quarter inside
  EXPECT_EQ(SourceX(dst.Pixel(0, 0)), 5);
  EXPECT_EQ(SourceY(dst.Pixel(4, 4)), 7);
  src.SetDrawMode(dmBlend);
  src.DrawToBitmap(dst, RECT{2, 2, 300, 300});
  EXPECT_EQ(SourceX(dst.Pixel(4, 4)), 0);
}

TEST(Transfer, ResamplingFiltersFillTheDestinationRectangle) {
  for (TStretchFilter f : {sfDraft, sfLinear, sfCosine, sfSpline, sfLanczos, sfMitchell}) {
    for (RECT r : {RECT{1, 1, 19, 15}, RECT{2, 2, 5, 4}, RECT{0, 0, 1, 1}}) {
      TPixelBitmap src, dst;
      src.SetSize(6, 5);
      src.Clear(0xFF4080C0);
      src.SetOuterColor(0xFF4080C0);  // a uniform picture stays uniform
      src.SetStretchFilter(f);
      dst.SetSize(20, 16);
      dst.Clear(0);
      src.DrawToBitmap(dst, r);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
          const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
          const TPixelColor c = dst.Pixel(x, y);
          if (!inside) {
            ASSERT_EQ(c, 0u) << int(f) << " at " << x << "," << y;
          } else {
            ASSERT_NEAR(RedOf(c), 0x40, 1) << int(f) << " at " << x << "," << y;
            ASSERT_NEAR(BlueOf(c), 0xC0, 1) << int(f) << " at " << x << "," << y;
          }
        }
    }
  }
}

TEST(Transfer, LinearEnlargingInterpolatesBetweenPixels) {
  TPixelBitmap src, dst;
  src.SetSize(2, 2);
  src.Clear(0xFF000000);
  *src.PixelPointer(1, 0) = 0xFFFF0000;
  *src.PixelPointer(1, 1) = 0xFFFF0000;
  src.SetStretchFilter(sfLinear);
  dst.SetSize(8, 2);
  src.DrawToBitmap(dst, RECT{0, 0, 8, 2});
  EXPECT_EQ(RedOf(dst.Pixel(0, 0)), 0);
  EXPECT_EQ(RedOf(dst.Pixel(7, 0)), 255);
  for (int x = 1; x < 8; ++x) EXPECT_GE(RedOf(dst.Pixel(x, 0)), RedOf(dst.Pixel(x - 1, 0)));
  EXPECT_GT(RedOf(dst.Pixel(4, 0)), 0);
  EXPECT_LT(RedOf(dst.Pixel(3, 0)), 255);
}

TEST(Transfer, ASourceRectangleOutsideTheSourceDrawsNothing) {
  TPixelBitmap src, dst;
  Numbered(src, 4, 4);
  dst.SetSize(4, 4);
  dst.Clear(0x12345678);
  TransferRect(dst, RECT{0, 0, 4, 4}, dst.ClipRect(), src, RECT{2, 2, 9, 9}, sfNearest, dmOpaque,
               nullptr);
  TransferRect(dst, RECT{0, 0, 4, 4}, dst.ClipRect(), src, RECT{2, 2, 2, 4}, sfNearest, dmOpaque,
               nullptr);
  EXPECT_EQ(dst.Pixel(0, 0), 0x12345678u);
  TransferRect(dst, RECT{0, 0, 2, 2}, dst.ClipRect(), src, RECT{2, 2, 4, 4}, sfNearest, dmOpaque,
               nullptr);
  EXPECT_EQ(dst.Pixel(1, 1), 0xFF000303u);
}
