// Gradient bands: where each band ends, the colours along them, both
// directions, and rectangles that do not cover the picture.
#include <gtest/gtest.h>

#include "PaintFixture.h"
#include "skin/paint/GradientPaint.h"

using namespace skintest;

namespace {
constexpr const char* kFormBands =
    "5872819;8306902;25;1;0;8306902;13890042;25;1;0;13890042;10278635;24;1;0;10278635;5807808;"
    "25;1;0;5807808;5807808;0;1;0";
constexpr std::uint32_t kUnpainted = 0xFF123456u;
}  // namespace

TEST(Gradient, FormBandsAcross799PixelsEndAtTruncatedPercentages) {
  // Each band in a colour of its own shows exactly where it starts and ends.
  const TSkinGradArray marked = ParseGradientData(
      "0;0;25;1;0;16777215;16777215;25;1;0;0;0;24;1;0;16777215;16777215;25;1;0;255;255;0;1;0");
  SurfaceBuffer b(799, 3, kUnpainted);
  PaintGradient(b.View(), RECT{0, 0, 799, 3}, marked);
  const std::uint32_t black = 0xFF000000u, white = 0xFFFFFFFFu, red = 0xFFFF0000u;
  const std::pair<int, std::uint32_t> expected[] = {
      {0, black},   {198, black}, {199, white}, {397, white}, {398, black},
      {588, black}, {589, white}, {787, white}, {788, red},   {798, red}};
  for (int y = 0; y < 3; ++y)
    for (auto [x, pixel] : expected) EXPECT_EQ(b.At(x, y), pixel) << x << "," << y;

  // FORM's own colours, rounded from the per-column steps of each band.
  SurfaceBuffer form(799, 448, kUnpainted);
  PaintGradient(form.View(), RECT{0, 0, 799, 448}, ParseGradientData(kFormBands));
  const std::pair<int, std::uint32_t> colours[] = {
      {0, 0xFFB39C59u},   {100, 0xFFC5AE6Cu}, {199, 0xFFD6C07Eu}, {300, 0xFFE8D9A9u},
      {398, 0xFFFAF1D3u}, {500, 0xFFF2E3B6u}, {589, 0xFFEBD69Cu}, {700, 0xFFD3B776u},
      {788, 0xFFC09E58u}, {798, 0xFFC09E58u}};
  for (int y : {0, 223, 447})
    for (auto [x, pixel] : colours) EXPECT_EQ(form.At(x, y), pixel) << x << "," << y;
}

TEST(Gradient, TopToBottomBandsAndTheirLimits) {
  // 30 % of 100 rows, then the rest: rows 0..30 and 30..99, red stepping 3
  // a row, then green.
  SurfaceBuffer b(4, 100, kUnpainted);
  PaintGradient(b.View(), RECT{0, 0, 4, 100}, ParseGradientData("0;90;30;0;0;0;17664;0;0;0"));
  EXPECT_EQ(b.At(0, 0), 0xFF000000u);
  EXPECT_EQ(b.At(3, 10), 0xFF1E0000u);  // 3 per row
  EXPECT_EQ(b.At(2, 29), 0xFF570000u);
  EXPECT_EQ(b.At(1, 30), 0xFF000000u);  // the second band starts on the first one's last row
  EXPECT_EQ(b.At(0, 64), 0xFF002200u);  // 69 rows to 0x45: one step a row
  EXPECT_EQ(b.At(0, 99), 0xFF004500u);

  // Inside a smaller rectangle: the last band ends on the rectangle's last
  // row, and nothing around the rectangle changes.
  SurfaceBuffer s(10, 100, kUnpainted);
  PaintGradient(s.View(), RECT{2, 10, 8, 60}, ParseGradientData("0;15;30;0;0;0;34;0;0;0"));
  EXPECT_EQ(s.At(2, 10), 0xFF000000u);
  EXPECT_EQ(s.At(7, 24), 0xFF0E0000u);  // band 1 runs over rows 10..25 (30 % of 50)
  EXPECT_EQ(s.At(7, 25), 0xFF000000u);
  EXPECT_EQ(s.At(5, 59), 0xFF220000u);  // band 2: rows 25..59, one step a row
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 10; ++x)
      if (x < 2 || x >= 8 || y < 10 || y >= 60) {
        ASSERT_EQ(s.At(x, y), kUnpainted) << x << "," << y;
      }

  // A band reaching past the picture is cut at the rectangle's bottom and
  // the bands after it are not painted.
  SurfaceBuffer c(2, 100, kUnpainted);
  PaintGradient(c.View(), RECT{0, 10, 2, 60}, ParseGradientData("0;49;255;0;0;255;255;50;0;0"));
  EXPECT_EQ(c.At(0, 10), 0xFF000000u);
  EXPECT_EQ(c.At(1, 59), 0xFF310000u);
  EXPECT_EQ(c.At(0, 60), kUnpainted);
}

TEST(Gradient, LeftToRightAndGroupsOfFiveWords) {
  // Seven numbers make one band; the two extra words are ignored. Red to
  // green over 52 columns steps 5 a column.
  SurfaceBuffer b(52, 2, kUnpainted);
  PaintGradient(b.View(), RECT{0, 0, 52, 2}, ParseGradientData("255;65280;100;1;0;7;8"));
  EXPECT_EQ(b.At(0, 1), 0xFFFF0000u);
  EXPECT_EQ(b.At(10, 0), 0xFFCD3200u);
  EXPECT_EQ(b.At(51, 1), 0xFF00FF00u);

  // The last band is laid out to the picture's right edge; columns right of
  // the rectangle are left alone.
  SurfaceBuffer s(20, 3, kUnpainted);
  PaintGradient(s.View(), RECT{0, 1, 10, 2}, ParseGradientData("0;19;0;1;0"));
  for (int x = 0; x < 10; ++x) EXPECT_EQ(s.At(x, 1), 0xFF000000u | std::uint32_t(x) << 16);
  for (int x = 10; x < 20; ++x) EXPECT_EQ(s.At(x, 1), kUnpainted);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(s.At(x, 0), kUnpainted);

  // Every painted row repeats the first, whether the rows are painted as one
  // block (whole width, wide or narrow) or one by one (part of the width, a
  // view into a wider picture); rows above and below stay as they were.
  SurfaceBuffer wide(300, 12, kUnpainted), narrow(9, 12, kUnpainted), outer(320, 12, kUnpainted);
  const Surface inner{outer.View().Row(0) + 10, 300, 12, outer.View().stride};
  const TSkinGradArray bands = ParseGradientData("255;65280;40;1;0;65280;16711680;60;1;0");
  for (const Surface& p : {wide.View(), narrow.View(), inner}) {
    for (const RECT& r : {RECT{0, 2, p.width, 11}, RECT{3, 2, p.width - 1, 11}}) {
      PaintGradient(p, r, bands);
      for (int y = 0; y < 12; ++y)
        for (int x = r.left; x < r.right; ++x)
          ASSERT_EQ(p.At(x, y), y < 2 || y >= 11 ? kUnpainted : p.At(x, 2)) << x << "," << y;
    }
  }
  EXPECT_EQ(wide.At(0, 5), 0xFFFF0000u);
  EXPECT_EQ(outer.At(9, 5), kUnpainted);
}

TEST(Gradient, HalvesRoundToEven) {
  // 0 to 3 over 6 columns: 0, .5, 1, 1.5, 2, 2.5, 3.
  SurfaceBuffer b(7, 1, kUnpainted);
  PaintGradient(b.View(), RECT{0, 0, 7, 1}, ParseGradientData("0;3;0;1;0"));
  const unsigned reds[] = {0, 0, 1, 2, 2, 2, 3};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(b.At(x, 0) >> 16 & 0xFF, reds[x]) << x;
}

TEST(Gradient, NothingForOtherModesEmptyArraysOrPictures) {
  SurfaceBuffer b(8, 8, kUnpainted);
  PaintGradient(b.View(), RECT{0, 0, 8, 8}, ParseGradientData("0;255;50;2;0"));
  PaintGradient(b.View(), RECT{0, 0, 8, 8}, ParseGradientData(" "));
  PaintGradient(b.View(), RECT{8, 8, 100, 100}, ParseGradientData("0;255;50;1;0"));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(b.At(x, y), kUnpainted);
  SurfaceBuffer empty;
  PaintGradient(empty.View(), RECT{0, 0, 10, 10}, ParseGradientData("0;255;50;1;0"));
  // Huge rectangles are cut to the picture. Across one column the first
  // colour is painted; down one row every band is empty, so nothing is.
  SurfaceBuffer one(1, 1, kUnpainted);
  PaintGradient(one.View(), RECT{-2000000000, -2000000000, 2000000000, 2000000000},
                ParseGradientData("255;0;255;1;0;65280;0;255;1;0"));
  EXPECT_EQ(one.At(0, 0), 0xFFFF0000u);
  PaintGradient(one.View(), RECT{-2000000000, -2000000000, 2000000000, 2000000000},
                ParseGradientData("16711680;0;255;0;0;65280;0;255;0;0"));
  EXPECT_EQ(one.At(0, 0), 0xFFFF0000u);
}
