// Border pieces cut into nine cells, glyph frames, the masked copy and the
// window region of buttons; damaged pieces and odd targets must neither
// crash nor read outside a picture.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "PaintFixture.h"
#include "platform/gdi/Region.h"
#include "skin/paint/BorderMask.h"
#include "skin/paint/GlyphMask.h"
#include "skin/paint/PictureCopy.h"

using namespace skintest;

namespace {

constexpr std::uint32_t kUnpainted = 0xFF123456u;
constexpr std::uint32_t kParent = 0xFFABCDEFu;

// Every pixel of the target against the source pixel the geometry maps it to.
void ExpectMapped(const SurfaceBuffer& b, const std::function<int(int)>& sx,
                  const std::function<int(int)>& sy) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      ASSERT_EQ(b.At(x, y), Where(sx(x), sy(y))) << "target " << x << "," << y;
}

// A masked piece of `frames` frames of 18 x 18 at the master's top-left
// corner: the picture above, a mask of 0 (show the picture) below.
TSkinTables MaskedPieceTables(int frames) {
  TSkinTables t;
  MakeMaster(t, 18 * frames + 10, 40);
  Paint(t.Master, RECT{0, 18, 18 * frames, 36}, 0xFF000000u);
  AddSection(t, "BUTTON");
  AddPiece(t, "BUTTON", "BORDERSMASK", RECT{0, 0, 18 * frames, 36}, frames, 1);
  return t;
}

}  // namespace

TEST(BorderMask, NarrowerThanTwoCellsTheCornersMeet) {
  TSkinTables t;
  MakeMaster(t, 36, 36);
  AddPiece(t, "EDIT", "BORDERSMASK", RECT{0, 0, 36, 36}, 1, 0);  // cells of 12
  // 15 wide: a left corner of 7 and a right one of 8 from the piece's right
  // side, no top or bottom edge cell between them.
  SurfaceBuffer odd(15, 30, kUnpainted);
  DrawBorderMask(t, odd.View(), RECT{0, 0, 15, 30}, true, 0, 0, {});
  ExpectMapped(
      odd, [](int x) { return x < 7 ? x : x + 21; }, [](int y) { return y < 18 ? y : y + 6; });
  SurfaceBuffer even(14, 30, kUnpainted);
  DrawBorderMask(t, even.View(), RECT{0, 0, 14, 30}, true, 0, 0, {});
  ExpectMapped(
      even, [](int x) { return x < 7 ? x : x + 22; }, [](int y) { return y < 18 ? y : y + 6; });

  // A masked piece: both directions narrow, the right and bottom corners a
  // pixel larger.
  TSkinTables m = MaskedPieceTables(1);  // cells of 6
  SurfaceBuffer small(11, 9, kUnpainted);
  DrawBorderMask(m, small.View(), RECT{0, 0, 11, 9}, true, 0, 0, {});
  ExpectMapped(
      small, [](int x) { return x < 5 ? x : x + 7; }, [](int y) { return y < 4 ? y : y + 9; });
}

TEST(BorderMask, EditCornersAreKeyedAndTheCentreTiled) {
  TSkinTables t;
  MakeMaster(t, 36, 36);
  AddPiece(t, "EDIT", "BORDERSMASK", RECT{0, 0, 36, 36}, 1, 0);
  t.Master.At(0, 0) = kFuchsiaPixel;    // a transparent corner pixel
  t.Master.At(35, 35) = kFuchsiaPixel;  // and one of the bottom-right corner
  t.Master.At(18, 18) = kFuchsiaPixel;  // centre and edge cells copy fuchsia as it is
  t.Master.At(0, 18) = kFuchsiaPixel;
  SurfaceBuffer parent(60, 60, kParent);
  SurfaceBuffer b(50, 40, kUnpainted);
  DrawBorderMask(t, b.View(), RECT{0, 0, 50, 40}, true, 0, 0,
                 TParentBackground{parent.View(), 5, 5, true});
  auto sx = [](int x) { return x < 12 ? x : x < 38 ? 12 + (x - 12) % 12 : x - 14; };
  auto sy = [](int y) { return y < 12 ? y : y < 28 ? 12 + (y - 12) % 12 : y - 4; };
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) {
      const bool fuchsiaSource = (sx(x) == 18 && sy(y) == 18) || (sx(x) == 0 && sy(y) == 18);
      std::uint32_t want = fuchsiaSource ? kFuchsiaPixel : Where(sx(x), sy(y));
      if ((x == 0 && y == 0) || (x == 49 && y == 39)) want = kParent;
      ASSERT_EQ(b.At(x, y), want) << x << "," << y;
    }

  // No parent background: transparent corner pixels keep the target's.
  // Without the filling flag the centre is left alone; so it is when the
  // piece has a BorderWidth, which also caps the corners.
  Paint(b, RECT{0, 0, 50, 40}, kUnpainted);
  DrawBorderMask(t, b.View(), RECT{0, 0, 50, 40}, false, 0, 0, {});
  EXPECT_EQ(b.At(0, 0), kUnpainted);
  EXPECT_EQ(b.At(1, 0), Where(1, 0));
  EXPECT_EQ(b.At(20, 20), kUnpainted);
  t.Masks[0].BorderWidth = 3;
  Paint(b, RECT{0, 0, 50, 40}, kUnpainted);
  DrawBorderMask(t, b.View(), RECT{0, 0, 50, 40}, true, 0, 0, {});
  EXPECT_EQ(b.At(20, 20), kUnpainted);
  EXPECT_EQ(b.At(2, 2), Where(2, 2));
  EXPECT_EQ(b.At(49, 39), kUnpainted);     // transparent, no parent background
  EXPECT_EQ(b.At(47, 37), Where(33, 33));  // a 3 x 3 corner from the piece's corner
  EXPECT_EQ(b.At(1, 36), Where(1, 21));    // the side's last piece runs on from the same row
  EXPECT_EQ(b.At(46, 1), Where(31, 1));
  EXPECT_EQ(b.At(3, 3), kUnpainted);
}

TEST(BorderMask, ButtonFramesAndTheirLimits) {
  TSkinTables t = MaskedPieceTables(3);  // 54 x 36, cells of 6
  SurfaceBuffer b(75, 25, kUnpainted);
  DrawBorderMask(t, b.View(), RECT{0, 0, 75, 25}, true, 2, 0, {});
  // Frame 2 starts 36 pixels right of frame 0.
  ExpectMapped(
      b, [](int x) { return 36 + (x < 6    ? x
                                  : x < 69 ? 6 + (x - 6) % 6
                                           : x - 57); },
      [](int y) { return y < 6    ? y
                         : y < 19 ? 6 + (y - 6) % 6
                                  : y - 7; });
  // States beyond the frames use the last one, negative ones the first.
  SurfaceBuffer c(75, 25, kUnpainted);
  DrawBorderMask(t, c.View(), RECT{0, 0, 75, 25}, true, 99, 0, {});
  EXPECT_EQ(c.At(0, 0), Where(36, 0));
  DrawBorderMask(t, c.View(), RECT{0, 0, 75, 25}, true, -3, 0, {});
  EXPECT_EQ(c.At(0, 0), Where(0, 0));
  // A piece with one frame draws it for every state.
  TSkinTables one = MaskedPieceTables(1);
  DrawBorderMask(one, c.View(), RECT{0, 0, 75, 25}, true, 2, 0, {});
  EXPECT_EQ(c.At(0, 0), Where(0, 0));
  EXPECT_EQ(c.At(74, 24), Where(17, 17));
}

TEST(BorderMask, OwnPicturesHoldThreeFramesOverTheirMask) {
  TSkinTables t;
  AddSection(t, "BUTTON");
  auto own = std::make_shared<SurfaceBuffer>(27, 12);  // cells of 3 x 2
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 27; ++x) own->At(x, y) = y < 6 ? Where(x, y) : 0xFF000000u;
  const int piece = AddPiece(t, "BUTTON", "BORDERSMASK", RECT{}, 0, 0);
  t.Masks[piece].Bitmap = own;
  SurfaceBuffer b(20, 10, kUnpainted);
  DrawBorderMask(t, b.View(), RECT{0, 0, 20, 10}, true, 1, piece, {});
  EXPECT_EQ(b.At(0, 0), Where(9, 0));
  EXPECT_EQ(b.At(19, 9), Where(17, 5));
  EXPECT_EQ(b.At(4, 3), Where(13, 3));  // the centre cell of frame 1
}

TEST(MaskedCopy, MaskValuesFromPictureToKeepingTheTarget) {
  SurfaceBuffer src(2, 2);
  src.At(0, 0) = 0xFF6432C8u;  // picture: red 100, green 50, blue 200
  src.At(0, 1) = 0xFF00FF80u;  // mask: red 0, green 255, blue 128
  src.At(1, 0) = kFuchsiaPixel;
  src.At(1, 1) = 0xFF000000u;
  SurfaceBuffer parent(4, 4, kParent);
  const TParentBackground bg{parent.View(), 0, 0, true};
  SurfaceBuffer b(3, 1, 0xFFC8960Au);  // red 200, green 150, blue 10
  std::vector<RECT> cuts;
  CopyMasked(b.View(), 0, 0, src.View(), 0, 0, 2, 1, 1, &bg, &cuts);
  // Red: mask 0 gives the picture; green: mask 255 keeps (150 * 255 + 50)
  // div 256 = 149; blue: an even mix, (10 + 200) div 2.
  EXPECT_EQ(b.At(0, 0), 0xFF649569u);
  EXPECT_EQ(b.At(1, 0), kParent);
  EXPECT_EQ(b.At(2, 0), 0xFFC8960Au);
  ASSERT_EQ(cuts.size(), 1u);
  EXPECT_EQ(cuts[0], (RECT{1, 0, 2, 1}));
  // Without a parent background a transparent pixel keeps what was there.
  CopyMasked(b.View(), 0, 0, src.View(), 1, 0, 1, 1, 1, nullptr);
  EXPECT_EQ(b.At(0, 0), 0xFF649569u);
  // A mask row outside the picture stops the copy there.
  CopyMasked(b.View(), 0, 0, src.View(), 0, 1, 2, 1, 1, nullptr);
  EXPECT_EQ(b.At(0, 0), 0xFF649569u);
}

TEST(BorderRegion, TransparentCornersAreCutOutOfButtons) {
  TSkinTables t = MaskedPieceTables(1);
  for (POINT p : {POINT{0, 0}, POINT{17, 0}, POINT{0, 17}, POINT{17, 17}, POINT{1, 0}})
    t.Master.At(p.x, p.y) = kFuchsiaPixel;
  SurfaceBuffer b(75, 25, kUnpainted);
  const platform::Region region = DrawBorderRegion(t, b.View(), RECT{0, 0, 75, 25}, true, 0, 0, {});
  const RECT cut[] = {{0, 0, 2, 1}, {74, 0, 75, 1}, {0, 24, 1, 25}, {74, 24, 75, 25}};
  EXPECT_EQ(region, platform::Region(0, 0, 75, 25) - platform::Region::FromRects(cut));
  EXPECT_FALSE(region.Contains(1, 0));
  EXPECT_TRUE(region.Contains(2, 0));
  EXPECT_EQ(b.At(2, 0), Where(2, 0));

  // A plain picture is copied whole and the region stays the control.
  TSkinTables plain;
  MakeMaster(plain, 36, 36);
  plain.Master.At(0, 0) = kFuchsiaPixel;
  AddPiece(plain, "BUTTON", "BORDERSMASK", RECT{0, 0, 36, 36}, 1, 0);
  const platform::Region whole =
      DrawBorderRegion(plain, b.View(), RECT{0, 0, 75, 25}, true, 0, 0, {});
  EXPECT_EQ(whole, platform::Region(0, 0, 75, 25));
  EXPECT_EQ(b.At(0, 0), kFuchsiaPixel);
}

TEST(GlyphMask, FramesMasksAndHalfMixing) {
  TSkinTables t;
  MakeMaster(t, 30, 10);
  Paint(t.Master, RECT{10, 3, 19, 6}, 0xFF000000u);
  AddPiece(t, "COMBOBOX", "GLYPHMASK", RECT{10, 0, 19, 6}, 3, 1);  // frames of 3 x 3
  SurfaceBuffer b(6, 6, kUnpainted);
  DrawGlyphMask(t, b.View(), POINT{2, 2}, 1, 0, false);
  EXPECT_EQ(b.At(2, 2), Where(13, 0));
  EXPECT_EQ(b.At(4, 4), Where(15, 2));
  EXPECT_EQ(b.At(5, 5), kUnpainted);
  // Parts at negative coordinates are skipped.
  Paint(b, RECT{0, 0, 6, 6}, kUnpainted);
  DrawGlyphMask(t, b.View(), POINT{-1, -2}, 7, 0, false);
  EXPECT_EQ(b.At(0, 0), Where(17, 2));
  EXPECT_EQ(b.At(1, 0), Where(18, 2));
  EXPECT_EQ(b.At(0, 1), kUnpainted);

  // A plain piece: half and half with the target, halves to even; keyed
  // when drawn opaque.
  TSkinTables plain;
  plain.Master.Resize(2, 1);
  plain.Master.At(0, 0) = 0xFFC8CBC9u;  // 200, 203, 201
  plain.Master.At(1, 0) = kFuchsiaPixel;
  AddPiece(plain, "X", "GLYPHMASK", RECT{0, 0, 2, 1}, 1, 0);
  SurfaceBuffer c(2, 1, 0xFF656464u);  // 101, 100, 100
  DrawGlyphMask(plain, c.View(), POINT{}, 0, 0, false);
  EXPECT_EQ(c.At(0, 0), 0xFF969896u);  // 150.5 -> 150, 151.5 -> 152, 150.5 -> 150
  EXPECT_EQ(c.At(1, 0), 0xFF656464u);
  DrawGlyphMask(plain, c.View(), POINT{}, 0, 0, true);
  EXPECT_EQ(c.At(0, 0), 0xFFC8CBC9u);
  EXPECT_EQ(c.At(1, 0), 0xFF656464u);
}

TEST(BorderMask, DamagedPiecesAndOddTargetsAreSafe) {
  TSkinTables t;
  MakeMaster(t, 20, 20);
  AddSection(t, "X");
  const RECT rects[] = {{10, 10, 46, 46},
                        {-30, -30, 6, 6},
                        {25, 25, 61, 61},
                        {0, 0, 0, 0},
                        {20, 0, 0, 20},
                        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                        {INT_MAX - 40, 0, INT_MAX, 40},
                        {0, 0, 2, 2}};
  const int frames[] = {1, 3, 0, -2, SHRT_MAX};
  const int maskTypes[] = {0, 1, 2, -1, SHRT_MAX};
  const RECT targets[] = {{0, 0, 30, 30},
                          {0, 0, 1, 30},
                          {0, 0, 30, 1},
                          {-50, -50, 80, 80},
                          {29, 29, 200, 200},
                          {5, 5, 2, 2},
                          {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
  SurfaceBuffer pictures[] = {SurfaceBuffer(30, 30), SurfaceBuffer(1, 1), SurfaceBuffer()};
  for (const RECT& r : rects)
    for (int n : frames)
      for (int m : maskTypes) {
        t.Masks.clear();
        AddPiece(t, "X", "BORDERSMASK", r, n, m, m == 1 ? -4 : 1000);
        for (SurfaceBuffer& p : pictures)
          for (const RECT& d : targets) {
            DrawBorderMask(t, p.View(), d, true, n, 0, {});
            DrawBorderRegion(t, p.View(), d, true, INT_MAX, 0, {});
            DrawGlyphMask(t, p.View(), POINT{d.left, d.top}, INT_MIN, 0, false);
          }
      }
  // A one-pixel-wide or -high rectangle gets nothing, nor do bad indexes
  // or a skin without a master bitmap.
  t.Masks.clear();
  AddPiece(t, "X", "BORDERSMASK", RECT{0, 0, 18, 18}, 1, 0);
  SurfaceBuffer b(30, 30, kUnpainted);
  DrawBorderMask(t, b.View(), RECT{0, 0, 1, 30}, true, 0, 0, {});
  DrawBorderMask(t, b.View(), RECT{0, 0, 30, 1}, true, 0, 0, {});
  DrawBorderMask(t, b.View(), RECT{0, 0, 30, 30}, true, 0, 1, {});
  DrawBorderMask(t, b.View(), RECT{0, 0, 30, 30}, true, 0, -1, {});
  DrawGlyphMask(t, b.View(), POINT{}, 0, 5, true);
  t.Master.Resize(0, 0);
  DrawBorderMask(t, b.View(), RECT{0, 0, 30, 30}, true, 0, 0, {});
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(b.At(x, y), kUnpainted);
}
