// Section backgrounds: the parent's background through transparency, the
// colour, gradient and pattern mix of the fill, and whole sections with
// their border on top.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "PaintFixture.h"
#include "platform/gdi/Gdi.h"
#include "skin/paint/GradientPaint.h"
#include "skin/paint/SectionBackground.h"
#include "skin/paint/SectionPaint.h"

using namespace skintest;

namespace {

constexpr std::uint32_t kUnpainted = 0xFF123456u;

// A parent picture whose pixel (x, y) names (x, y).
struct Parent {
  SurfaceBuffer picture{40, 40};
  Parent() {
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) picture.At(x, y) = Where(x, y);
  }
  TParentBackground At(int x, int y, bool valid = true) {
    return TParentBackground{picture.View(), x, y, valid};
  }
};

bool All(const SurfaceBuffer& b, std::uint32_t pixel) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.At(x, y) != pixel) return false;
  return true;
}

}  // namespace

TEST(SectionBackground, FullTransparencyShowsTheParentOnlyWhenThereIsOne) {
  TSkinTables t;
  const int box = AddSection(t, "GROUPBOX");
  t.Sections[box].Transparency = 100;
  t.Sections[box].Color = 0x00FF00;
  Parent parent;
  SurfaceBuffer b(10, 10, kUnpainted);
  // The picture sits at (1, 2) in a control whose offsets are (3, 4).
  PaintSectionBackground(t, box, "GROUPBOX", parent.At(3, 4), b.View(), POINT{1, 2},
                         RECT{0, 0, 10, 10}, 0);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(b.At(x, y), Where(x + 4, y + 6)) << x << "," << y;

  // No valid parent background: the section's own colour.
  PaintSectionBackground(t, box, "GROUPBOX", parent.At(3, 4, false), b.View(), POINT{},
                         RECT{0, 0, 10, 10}, 0);
  EXPECT_TRUE(All(b, 0xFF00FF00u));

  // Where the parent's picture ends its pixels are not made up.
  Paint(b, RECT{0, 0, 10, 10}, kUnpainted);
  PaintSectionBackground(t, box, "GROUPBOX", parent.At(35, 35), b.View(), POINT{},
                         RECT{0, 0, 10, 10}, 0);
  EXPECT_EQ(b.At(4, 4), Where(39, 39));
  EXPECT_EQ(b.At(5, 4), kUnpainted);
  EXPECT_EQ(b.At(4, 5), kUnpainted);

  // Drawing into the parent's own picture leaves it as it is.
  const SurfaceBuffer before = parent.picture;
  PaintSectionBackground(t, box, "GROUPBOX", parent.At(0, 0), parent.picture.View(), POINT{},
                         RECT{0, 0, 40, 40}, 0);
  EXPECT_EQ(std::vector<std::uint32_t>(parent.picture.Pixels(), parent.picture.Pixels() + 1600),
            std::vector<std::uint32_t>(before.Pixels(), before.Pixels() + 1600));
}

TEST(SectionBackground, PartialTransparencyBlendsTheFillOverTheParent) {
  TSkinTables t;
  const int s = AddSection(t, "PANEL");
  t.Sections[s].Transparency = 50;  // e = 127
  t.Sections[s].Color = 0xFF6400;   // red 0, green 100, blue 255
  t.Sections[s].HotTransparency = 0;
  t.Sections[s].HotColor = 0x0000FF;
  SurfaceBuffer parent(20, 20, 0xFFC86400u);  // red 200, green 100, blue 0
  const TParentBackground bg{parent.View(), 0, 0, true};
  SurfaceBuffer b(6, 6, kUnpainted);
  PaintSectionBackground(t, s, "PANEL", bg, b.View(), POINT{}, RECT{1, 1, 5, 5}, 0);
  EXPECT_EQ(b.At(1, 1), 0xFF636480u);  // 200 * 127 / 256, 100, 255 * 129 / 256
  EXPECT_EQ(b.At(4, 4), 0xFF636480u);
  EXPECT_EQ(b.At(0, 0), kUnpainted);
  EXPECT_EQ(b.At(5, 5), kUnpainted);
  // Any state but 0 paints with the hot values.
  PaintSectionBackground(t, s, "PANEL", bg, b.View(), POINT{}, RECT{1, 1, 5, 5}, 2);
  EXPECT_EQ(b.At(2, 2), 0xFFFF0000u);
  // Out-of-range percentages count as their nearest bound.
  t.Sections[s].Transparency = 1000;
  PaintSectionBackground(t, s, "PANEL", bg, b.View(), POINT{}, RECT{1, 1, 5, 5}, 0);
  EXPECT_EQ(b.At(2, 2), 0xFFC86400u);
  t.Sections[s].Transparency = INT_MIN;
  PaintSectionBackground(t, s, "PANEL", bg, b.View(), POINT{}, RECT{1, 1, 5, 5}, 0);
  EXPECT_EQ(b.At(2, 2), 0xFF0064FFu);
}

TEST(SectionFill, ColourGradientAndTheirShares) {
  SurfaceBuffer b(4, 4, kUnpainted);
  const TSkinGradArray flat = ParseGradientData("327939;327939;0;1;0");  // red 3, green 1, blue 5
  TSkinFillValues v;
  v.Color = 0;
  v.Gradient = &flat;
  v.GradientPercent = 50;  // half gradient, half colour: 1.5, 0.5, 2.5 round to even
  FillSection(b.View(), RECT{0, 0, 4, 4}, v, {});
  EXPECT_TRUE(All(b, 0xFF020002u));
  v.GradientPercent = 100;
  FillSection(b.View(), RECT{0, 0, 4, 4}, v, {});
  EXPECT_TRUE(All(b, 0xFF030105u));
  // No gradient: the colour, also as a system colour.
  const TSkinGradArray none;
  v.Gradient = &none;
  v.Color = INT_MIN | 15;  // the button face
  FillSection(b.View(), RECT{0, 0, 4, 4}, v, {});
  EXPECT_TRUE(All(b, platform::ColorToPixel(platform::GetSysColor(15))));
  v.GradientPercent = 0;
  v.Color = 0x0000FF;
  FillSection(b.View(), RECT{0, 0, 4, 4}, v, {});
  EXPECT_TRUE(All(b, 0xFFFF0000u));
}

TEST(SectionFill, PatternsTileAndMixWithTheGradient) {
  TSkinTables t;
  MakeMaster(t, 8, 8);
  const int edit = AddSection(t, "EDIT");
  const int combo = AddSection(t, "COMBOBOX", "EDIT");
  AddPiece(t, "EDIT", "PATTERN", RECT{2, 3, 5, 5}, 1, 0);
  t.Sections[combo].ImagePercent = 100;
  t.Sections[combo].HotImagePercent = 100;
  t.Sections[combo].HotColor = 0x00FF00;
  SurfaceBuffer b(10, 7, kUnpainted);
  // COMBOBOX has no pattern of its own and tiles EDIT's 3 x 2 cell.
  PaintSectionBackground(t, combo, "COMBOBOX", {}, b.View(), POINT{}, RECT{1, 1, 9, 6}, 0);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 1 && x < 9 && y >= 1 && y < 6;
      ASSERT_EQ(b.At(x, y), inside ? Where(2 + (x - 1) % 3, 3 + (y - 1) % 2) : kUnpainted)
          << x << "," << y;
    }
  // No HOTPATTERN anywhere: the hot colour instead.
  PaintSectionBackground(t, combo, "COMBOBOX", {}, b.View(), POINT{}, RECT{1, 1, 9, 6}, 1);
  EXPECT_EQ(b.At(1, 1), 0xFF00FF00u);
  EXPECT_EQ(b.At(8, 5), 0xFF00FF00u);

  // 40 % pattern under 60 % gradient: e = 102 for the pattern's share.
  Paint(t.Master, RECT{0, 0, 8, 8}, 0xFFC86400u);
  t.Sections[edit].ImagePercent = 40;
  t.Sections[edit].GradientPercent = 60;
  t.Sections[edit].Gradient = ParseGradientData("16737280;16737280;0;1;0");  // 0, 100, 255
  PaintSectionBackground(t, edit, "EDIT", {}, b.View(), POINT{}, RECT{0, 0, 10, 7}, 0);
  EXPECT_TRUE(All(b, 0xFF506499u));  // 200 * 102 / 256 = 79.7; 255 * 154 / 256 = 153.4
}

TEST(SectionFill, CompressedPatternsOnceTheSkinIsReady) {
  TSkinTables t;
  const int s = AddSection(t, "PANEL");
  t.Sections[s].ImagePercent = 100;
  t.Sections[s].Color = 0x0000FF;
  auto picture = std::make_shared<SurfaceBuffer>(2, 2);
  picture->At(0, 0) = 0xFF000001u;
  picture->At(1, 0) = 0xFF000002u;
  picture->At(0, 1) = 0xFF000003u;
  picture->At(1, 1) = 0xFF000004u;
  TSkinPatternData pattern;
  pattern.Picture = picture;
  pattern.SectionName = "PANEL";
  pattern.PropertyName = "PATTERN";
  t.Patterns.push_back(pattern);
  SurfaceBuffer b(5, 3, kUnpainted);
  PaintSectionBackground(t, s, "PANEL", {}, b.View(), POINT{}, RECT{0, 0, 5, 3}, 0);
  EXPECT_TRUE(All(b, 0xFFFF0000u));
  t.Ready = true;
  PaintSectionBackground(t, s, "PANEL", {}, b.View(), POINT{}, RECT{0, 0, 5, 3}, 0);
  EXPECT_EQ(b.At(0, 0), 0xFF000001u);
  EXPECT_EQ(b.At(3, 0), 0xFF000002u);
  EXPECT_EQ(b.At(4, 2), 0xFF000001u);  // the grid's last cells are cut at the rectangle
  EXPECT_EQ(b.At(1, 1), 0xFF000004u);
}

TEST(PaintSection, GroupBoxOverFormShowsTheGradientWithTheBorderOnTop) {
  TSkinTables t;
  MakeMaster(t, 40, 40);
  const int box = AddSection(t, "GROUPBOX");
  t.Sections[box].Transparency = 100;
  AddPiece(t, "GROUPBOX", "BORDERSMASK", RECT{0, 0, 9, 18}, 1, 1);  // cells 3 x 3
  Paint(t.Master, RECT{0, 0, 9, 18}, kFuchsiaPixel);  // transparent but for one pixel a cell
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) t.Master.At(3 * x + 1, 3 * y + 1) = 0xFF0000FFu;
  Paint(t.Master, RECT{0, 9, 9, 18}, 0xFF000000u);  // mask 0: the picture as it is
  SurfaceBuffer form(100, 50);
  PaintGradient(form.View(), RECT{0, 0, 100, 50}, ParseGradientData("0;16777215;100;1;0"));
  SurfaceBuffer b(30, 20, kUnpainted);
  PaintSection(t, box, "GROUPBOX", TParentBackground{form.View(), 10, 10, true}, b.View(), POINT{},
               RECT{0, 0, 30, 20}, 0, false);
  int blue = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      if (b.At(x, y) == 0xFF0000FFu) {
        ++blue;
        continue;
      }
      ASSERT_EQ(b.At(x, y), form.At(x + 10, y + 10)) << x << "," << y;
    }
  EXPECT_EQ(b.At(1, 1), 0xFF0000FFu);    // the top-left corner's dot
  EXPECT_EQ(b.At(28, 18), 0xFF0000FFu);  // the bottom-right corner's dot
  EXPECT_GT(blue, 4);

  // Rectangles not wholly inside the picture and unknown sections paint nothing.
  Paint(b, RECT{0, 0, 30, 20}, kUnpainted);
  for (RECT r : {RECT{-1, 0, 30, 20}, RECT{0, 0, 31, 20}, RECT{0, 0, 30, 21}, RECT{0, -1, 5, 5}})
    PaintSection(t, box, "GROUPBOX", {}, b.View(), POINT{}, r, 0, true);
  PaintSection(t, 7, "GROUPBOX", {}, b.View(), POINT{}, RECT{0, 0, 30, 20}, 0, true);
  PaintSection(t, -1, "GROUPBOX", {}, b.View(), POINT{}, RECT{0, 0, 30, 20}, 0, true);
  EXPECT_TRUE(All(b, kUnpainted));
}
