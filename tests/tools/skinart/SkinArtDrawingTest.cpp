// The skin-art generator's drawing parts: box shapes, frames put into the
// bitmap, the palette reduction and the hex blocks.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "Frame.h"
#include "Splice.h"

using namespace skinart;

TEST(SkinArtShapes, RoundCornersAndOpenSides) {
  EXPECT_EQ(CircleProfile(13), (std::vector<int>{4, 2, 1, 1}));
  EXPECT_EQ(CircleProfile(8), (std::vector<int>{2, 1}));
  EXPECT_TRUE(CircleProfile(1).empty());

  // A tab: round on top, open at its base, so the base has no outline and
  // its corners stay square.
  TBox tab{6, 4, {1}};
  tab.openBottom = true;
  const std::vector<int> layers = BoxLayers(tab);
  auto at = [&](int x, int y) { return layers[std::size_t(y) * 6 + x]; };
  EXPECT_EQ(at(0, 0), 0);  // cut corner
  EXPECT_EQ(at(5, 0), 0);
  EXPECT_EQ(at(1, 0), 1);  // outline along the top
  EXPECT_EQ(at(0, 3), 1);  // and down the sides to the base
  EXPECT_EQ(at(2, 3), 3);  // the base continues the inside
  EXPECT_EQ(at(2, 1), 2);
}

TEST(SkinArtShapes, FramesTurnAndMirror) {
  TFrame f(3, 2);
  f.Set(2, 0, TRgb{10, 20, 30});
  EXPECT_FALSE(f.Transposed().At(0, 2).cut);
  EXPECT_EQ(f.Transposed().Width(), 2);
  EXPECT_FALSE(f.FlippedX().At(0, 0).cut);
  EXPECT_FALSE(f.FlippedY().At(2, 1).cut);
  // Half cover over nothing stays half covered, in its own colour.
  f.Over(0, 1, TRgb{100, 0, 0}, 0.5);
  EXPECT_DOUBLE_EQ(f.At(0, 1).alpha, 0.5);
  EXPECT_DOUBLE_EQ(f.At(0, 1).color.r, 100);
}

TEST(SkinArtPut, MaskedAndPlainFrames) {
  TFrame f(3, 1);
  f.Set(0, 0, TRgb{200, 150, 50});       // opaque
  f.Set(1, 0, TRgb{200, 150, 50}, 0.5);  // half: a grey mask step
  // (2, 0) stays cut.
  TCanvas c(3, 2, 0x123456);
  PutFrame(c, f, 0, 0, 1, TRgb{250, 240, 210});
  EXPECT_EQ(c.At(0, 0), 0xC89632u);
  EXPECT_EQ(c.At(0, 1), 0u);
  EXPECT_EQ(c.At(1, 1) & 0xFF, 136u);  // 127.5 to the nearest multiple of 17
  EXPECT_EQ(c.At(1, 1), 136u * 0x010101);
  EXPECT_EQ(c.At(2, 0), kFuchsia);
  EXPECT_EQ(c.At(2, 1), 0xFFFFFFu);

  // Without a mask, faint pixels vanish and half-covered ones take the matte.
  TFrame g(2, 1);
  g.Set(0, 0, TRgb{0, 0, 0}, 0.2);
  g.Set(1, 0, TRgb{0, 0, 0}, 0.5);
  TCanvas d(2, 1, 0);
  PutFrame(d, g, 0, 0, 0, TRgb{200, 200, 200});
  EXPECT_EQ(d.At(0, 0), kFuchsia);
  EXPECT_EQ(d.At(1, 0), 0x646464u);
  // A drawn colour that happens to be fuchsia is nudged off it.
  EXPECT_NE(ToRgb(TRgb{255, 0, 255}), kFuchsia);
}

TEST(SkinArtPalette, ManyColoursKeepFuchsiaAndGreysExact) {
  TCanvas c(64, 20, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) c.Put(x, y, std::uint32_t(x * 4) << 16 | (y * 16) << 8 | 40);
  for (int x = 0; x < 64; ++x) {
    c.Put(x, 16, kFuchsia);
    c.Put(x, 17, std::uint32_t(x % 16 * 17) * 0x010101);
    c.Put(x, 18, 0xFE00FF);  // nearly fuchsia, yet a colour
  }
  const TIndexedPicture p = Quantize(c);
  ASSERT_LE(p.palette.size(), 256u);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 64; ++x) {
      const std::uint32_t was = c.At(x, y), now = p.palette[p.indexes[std::size_t(y) * 64 + x]];
      if (y == 16 || y == 17) {
        ASSERT_EQ(now, was) << x << "," << y;
      } else {
        ASSERT_NE(now, kFuchsia) << x << "," << y;
        for (int shift : {0, 8, 16})
          ASSERT_LE(std::abs(int(now >> shift & 0xFF) - int(was >> shift & 0xFF)), 12)
              << x << "," << y;
      }
    }
  const std::vector<std::uint8_t> bmp = EncodeBmp8(p);
  EXPECT_EQ(bmp.size(), 14u + 40 + 1024 + 64 * 20);
}

TEST(SkinArtSplice, HexBlocksRunSixtyFourBytesALine) {
  std::vector<std::uint8_t> bytes(65, 0xAB);
  bytes[0] = 0x0F;
  const std::string block = HexBlock("Image.Data", bytes, "  ");
  EXPECT_EQ(block.substr(0, 23), "  Image.Data = {\n    0F");
  EXPECT_EQ(block.substr(block.size() - 8), "\n    AB}");
  EXPECT_EQ(HexBlock("X", {}, ""), "X = {}");
}
