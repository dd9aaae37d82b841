// The disabled look over a finished picture, and the focus dots.
#include <gtest/gtest.h>

#include <string>

#include "PaintFixture.h"
#include "skin/paint/DisabledLook.h"
#include "skin/paint/FocusDots.h"

using namespace skintest;

TEST(DisabledLook, GreyThenHalfWithWhatIsBehind) {
  SurfaceBuffer b(4, 3, 0xFF0A141Fu);  // red 10, green 20, blue 31: grey 61 div 3 = 20
  PaintDisabled(b.View(), {dkGrayed}, 0, POINT{}, {});
  EXPECT_EQ(b.At(3, 2), 0xFF141414u);

  // Half and half with the parent's pixel behind: (x + 1 + 2, y + 1 + 1).
  SurfaceBuffer parent(10, 10, 0xFF000000u);
  parent.At(3, 2) = 0xFF643300u;  // 100, 51, 0 -> 60, 35.5 to 36, 10
  parent.At(6, 4) = 0xFF643300u;
  PaintDisabled(b.View(), {dkBlended}, 0x0000FF, POINT{1, 1},
                TParentBackground{parent.View(), 2, 1, true});
  EXPECT_EQ(b.At(0, 0), 0xFF3C240Au);
  EXPECT_EQ(b.At(3, 2), 0xFF3C240Au);
  EXPECT_EQ(b.At(1, 0), 0xFF0A0A0Au);

  // No parent background: the parent's colour instead, also for pixels the
  // background does not have.
  SurfaceBuffer c(2, 2, 0xFF0A141Fu);
  PaintDisabled(c.View(), {dkGrayed, dkBlended}, 0x0000FF, POINT{}, {});
  EXPECT_EQ(c.At(1, 1), 0xFF8A0A0Au);  // 137.5 rounds to 138
  SurfaceBuffer d(2, 2, 0xFF141414u);
  PaintDisabled(d.View(), {dkBlended}, 0x0000FF, POINT{},
                TParentBackground{parent.View(), 9, 9, true});
  EXPECT_EQ(d.At(0, 0), 0xFF0A0A0Au);
  EXPECT_EQ(d.At(1, 1), 0xFF8A0A0Au);

  SurfaceBuffer empty;
  PaintDisabled(empty.View(), {dkGrayed, dkBlended}, 0, POINT{}, {});
}

TEST(FocusDots, EveryThirdPixelWithItsLightDot) {
  SurfaceBuffer b(16, 12, 0xFF808080u);
  DrawFocusDots(b.View(), RECT{2, 2, 12, 9});
  const char* expected[] = {
      "................", ".W..W..W..WW....", "..B..B..B..BB...", "................",
      ".W.........W....", "..B.........B...", "................", ".W.........W....",
      ".WB.W..W..W.B...", "..B..B..B..B....", "................", "................",
  };
  for (int y = 0; y < 12; ++y) {
    std::string row;
    for (int x = 0; x < 16; ++x)
      row += b.At(x, y) == 0xFF000000u ? 'B' : b.At(x, y) == 0xFFFFFFFFu ? 'W' : '.';
    EXPECT_EQ(row, expected[y]) << "row " << y;
  }
  // Dots beyond the picture are skipped, however far the frame reaches.
  DrawFocusDots(b.View(), RECT{-2000000000, -5, 2000000000, 2000000000});
  DrawFocusDots(b.View(), RECT{0, 0, 0, 0});
  SurfaceBuffer empty;
  DrawFocusDots(empty.View(), RECT{0, 0, 10, 10});
}
