// Skinned menu items without windows: their sizes, the separator's and the
// checked box's pixels, the check mark's outline, bar and drop-down items
// over what lies behind them, and the list pictures kept per list.
#include <gtest/gtest.h>

#include <cmath>

#include "PaintFixture.h"
#include "graphics/PixelBitmap.h"
#include "platform/window/SystemMetrics.h"
#include "skin/data/SkinText.h"
#include "skin/menu/MenuItemMetrics.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/menu/MenuListBackgrounds.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/MenuOwnerDraw.h"

using namespace skintest;
namespace p = platform;

namespace {

constexpr std::uint32_t kBack = 0xFF203040u;
constexpr std::uint32_t kGrey = 0xFF808080u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

class MenuItems : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.SetSize(200, 40);
    canvas = bitmap.Canvas();
    toolkit::UseMenuFont(*canvas->Font());
  }
  std::uint32_t At(graphics::TPixelBitmap& b, int x, int y) {
    return SurfaceOf(b).At(x, y) | 0xFF000000u;
  }
  // The picture's pixels that differ from the positional picture behind it
  // (placed at dx, dy); `leftmost` gets the first such column.
  int InkedOver(graphics::TPixelBitmap& b, int dx, int dy, int* leftmost) {
    int n = 0;
    *leftmost = b.Width();
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        if (At(b, x, y) != Where(x + dx, y + dy)) ++n, *leftmost = std::min(*leftmost, x);
    return n;
  }

  graphics::TPixelBitmap bitmap;
  toolkit::TCanvas* canvas = nullptr;
};

TEST_F(MenuItems, KindsAndSizes) {
  EXPECT_EQ(MenuItemKind("-"), TMenuItemKind::Separator);
  EXPECT_EQ(MenuItemKind("-Lanes-"), TMenuItemKind::Heading);
  EXPECT_EQ(MenuItemKind("--"), TMenuItemKind::Heading);
  EXPECT_EQ(MenuItemKind("-Lanes"), TMenuItemKind::Item);
  EXPECT_EQ(MenuItemKind("&Database"), TMenuItemKind::Item);

  const int w = canvas->TextHeight("W");
  const int h = int(std::nearbyint(w * 1.25));  // halves to even, as the default rounding does
  EXPECT_EQ(MenuLineHeight(*canvas), h);
  for (int height : {-10, -12, -14, -18}) {  // some give a half to round
    canvas->Font()->SetHeight(height);
    EXPECT_EQ(MenuLineHeight(*canvas), int(std::nearbyint(canvas->TextHeight("W") * 1.25)));
  }
  toolkit::UseMenuFont(*canvas->Font());

  // Bar: the "&" is not counted, the row is one pixel lower than the
  // platform's, and a wider proposal stays.
  const int row = p::GetSystemMetrics(p::SM_CYMENU) - 1;
  const int database = canvas->TextWidth("&Database") - canvas->TextWidth("&") + 4 + 5;
  EXPECT_EQ(MeasureBarItem(*canvas, "&Database", "", p::SIZE{10, 40}), (p::SIZE{database, row}));
  EXPECT_EQ(MeasureBarItem(*canvas, "&Database", "", p::SIZE{300, 5}), (p::SIZE{300, row}));
  EXPECT_EQ(MeasureBarItem(*canvas, "Open", "Ctrl+O", p::SIZE{}).cx,
            canvas->TextWidth("OpenCtrl+O") + 9);

  // Drop-down: two glyph widths and three margins around the text.
  EXPECT_EQ(MeasureDropDownItem(*canvas, "-", "Ctrl+O"), (p::SIZE{44, 2}));
  EXPECT_EQ(MeasureDropDownItem(*canvas, "-Lanes-", ""),
            (p::SIZE{44 + canvas->TextWidth("--Lanes--"), h + 8}));
  EXPECT_EQ(MeasureDropDownItem(*canvas, "Competitors", ""),
            (p::SIZE{44 + canvas->TextWidth("Competitors"), std::max(h, 16) + 8}));
  EXPECT_EQ(MeasureDropDownItem(*canvas, "Competitors", "", TMenuGlyphSize{20, 30}),
            (p::SIZE{52 + canvas->TextWidth("Competitors"), 38}));
  EXPECT_GT(MeasureDropDownItem(*canvas, "Open", "Ctrl+O").cx,
            MeasureDropDownItem(*canvas, "Open", "").cx);
}

TEST_F(MenuItems, SeparatorIsAGreyAndWhiteFrameInsideTheMargins) {
  bitmap.SetSize(60, 2);
  bitmap.Clear(graphics::TPixelColor(kBack));
  DrawMenuSeparator(*bitmap.Canvas(), RECT{0, 0, 60, 2}, 4);
  for (int x = 0; x < 60; ++x) {
    const bool inside = x >= 4 && x < 56;
    EXPECT_EQ(At(bitmap, x, 0), !inside ? kBack : x < 55 ? kGrey : kWhite) << x;
    EXPECT_EQ(At(bitmap, x, 1), inside ? kWhite : kBack) << x;
  }
}

TEST_F(MenuItems, CheckedBoxIsHalfWhiteWithTheMark) {
  const RECT box = MenuGlyphBox(20, TMenuGlyphSize{});
  EXPECT_EQ(box, (RECT{4, 2, 20, 18}));
  // Shrunk by 16 div 8 = 2 and one more at the left and top: L 7, T 5,
  // R 18, B 16, b = 11.
  const std::array<POINT, 6> expected{POINT{7, 11}, POINT{10, 14}, POINT{16, 8},
                                      POINT{16, 6}, POINT{10, 12}, POINT{9, 11}};
  EXPECT_EQ(CheckMarkPoints(box), expected);

  bitmap.SetSize(40, 20);
  for (bool enabled : {true, false}) {
    bitmap.Clear(graphics::TPixelColor(kBack));
    DrawCheckedBox(bitmap, box, true, enabled);
    // 0x20, 0x30, 0x40 half and half with 0xFF: 143.5, 151.5, 159.5 to even.
    const std::uint32_t mixed = 0xFF9098a0u;
    EXPECT_EQ(At(bitmap, 5, 3), mixed);
    EXPECT_EQ(At(bitmap, 20, 18), mixed);  // the column and row past the box
    EXPECT_EQ(At(bitmap, 21, 18), kBack);
    EXPECT_EQ(At(bitmap, 20, 19), kBack);
    EXPECT_EQ(At(bitmap, 4, 2), kGrey);
    EXPECT_EQ(At(bitmap, 19, 17), kWhite);
    const std::uint32_t ink =
        enabled ? 0xFF000000u : (SolidPixel(toolkit::clBtnShadow) | 0xFF000000u);
    for (const POINT& corner : expected)
      EXPECT_EQ(At(bitmap, corner.x, corner.y), ink) << enabled << " " << corner.x;
    if (!enabled) {
      EXPECT_EQ(At(bitmap, 17, 9), SolidPixel(toolkit::cl3DLight) | 0xFF000000u);
    }
  }
  // Without the mark (the item has a picture) only the blend and frame.
  bitmap.Clear(graphics::TPixelColor(kBack));
  DrawCheckedBox(bitmap, box, false, true);
  EXPECT_EQ(At(bitmap, 10, 14), 0xFF9098a0u);
}

class MenuItemPictures : public MenuItems {
 protected:
  void SetUp() override {
    MenuItems::SetUp();
    const int item = AddSection(tables, "MENUITEM");
    tables.Sections[item].Transparency = 100;
    tables.Sections[item].HotColor = 0x9A760A;
    tables.Sections[item].HotTransparency = 0;
    tables.Sections[item].HotFont = ParseFontColors("16777215 -1 -1 -1 -1");
    const int line = AddSection(tables, "MENULINE");
    tables.Sections[line].Transparency = 100;
    const int list = AddSection(tables, "MAINMENU");
    tables.Sections[list].Color = 0x332211;
    behind.Resize(300, 200);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) behind.At(x, y) = Where(x, y);
  }
  TSkinTables tables;
  SurfaceBuffer behind;
  graphics::TPixelBitmap item;
};

TEST_F(MenuItemPictures, BarItemLiesOnTheFrameAtItsPlace) {
  item.SetSize(70, 18);
  const TParentBackground frame{behind.View(), 40, 22, true};
  PaintBarItem(tables, item, frame, TMenuItemLook{"&Database", "", false, true, false});
  EXPECT_EQ(At(item, 0, 0), Where(40, 22));
  EXPECT_EQ(At(item, 69, 17), Where(109, 39));
  int left = 0;
  EXPECT_GT(InkedOver(item, 40, 22, &left), 0);
  EXPECT_GE(left, 4);  // inside the margin

  PaintBarItem(tables, item, frame, TMenuItemLook{"&Database", "", true, true, false});
  EXPECT_EQ(At(item, 0, 0), 0xFF0A769Au);
  EXPECT_EQ(At(item, 69, 17), 0xFF0A769Au);
}

TEST_F(MenuItemPictures, DropDownItemOverItsListWithCaptionAndShortCut) {
  TMenuListBackgrounds pictures;
  graphics::TPixelBitmap& background = pictures.For(3, 150, 60, tables);
  EXPECT_EQ(At(background, 149, 59), 0xFF112233u);

  item.SetSize(150, 24);
  const TParentBackground behindItem{behind.View(), 0, 30, true};
  PaintDropDownItem(tables, item, behindItem, TMenuItemLook{"Competitors", "", false, true, false});
  EXPECT_EQ(At(item, 149, 0), Where(149, 30));
  int left = 0;
  EXPECT_GT(InkedOver(item, 0, 30, &left), 0);
  EXPECT_GE(left, 16 + 8 - 1);  // after the glyph column (a contour pixel may lead)

  // Led by character 8: set against the right edge.
  PaintDropDownItem(tables, item, behindItem, TMenuItemLook{"\x08Lanes", "", false, true, false});
  bool nearRight = false, nearLeft = false;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 150; ++x)
      if (At(item, x, y) != Where(x, 30 + y)) (x > 75 ? nearRight : nearLeft) = true;
  EXPECT_TRUE(nearRight);
  EXPECT_FALSE(nearLeft);

  PaintDropDownItem(tables, item, behindItem,
                    TMenuItemLook{"Competitors", "Ctrl+D", true, true, true});
  EXPECT_EQ(At(item, 149, 0), 0xFF0A769Au);
  EXPECT_EQ(At(item, 5, 5), MixHalf(0xFF0A769Au, kWhite));
}

TEST_F(MenuItemPictures, TheItemsOwnPictureSitsCentredInItsHeight) {
  SurfaceBuffer glyph(10, 10, 0xFF0000FFu);
  glyph.At(0, 0) = 0x00FF0000u;  // transparent
  glyph.At(1, 0) = 0xFFFF00FFu;  // fuchsia
  item.SetSize(150, 24);
  const TParentBackground behindItem{behind.View(), 0, 30, true};
  TMenuItemLook look{"Lanes", "", false, true, true};
  PaintDropDownItem(tables, item, behindItem, look, TMenuGlyphSize{10, 10}, glyph.View());
  // d = (24 - 10) div 2 = 7.
  EXPECT_EQ(At(item, 8, 8), 0xFF0000FFu);
  EXPECT_EQ(At(item, 16, 16), 0xFF0000FFu);
  EXPECT_NE(At(item, 7, 7), 0xFF0000FFu);
  EXPECT_NE(At(item, 8, 7), 0xFF0000FFu);
  EXPECT_NE(At(item, 17, 17), 0xFF0000FFu);
  // Disabled: the picture in grey.
  look.Enabled = false;
  PaintDropDownItem(tables, item, behindItem, look, TMenuGlyphSize{10, 10}, glyph.View());
  EXPECT_EQ(At(item, 8, 8), 0xFF555555u);
}

TEST_F(MenuItemPictures, ListPicturesAreKeptPerListUntilCleared) {
  TMenuListBackgrounds pictures;
  graphics::TPixelBitmap* first = &pictures.For(7, 100, 50, tables);
  EXPECT_EQ(&pictures.For(7, 100, 50, tables), first);
  EXPECT_EQ(pictures.Painted(), 1);
  pictures.For(9, 100, 30, tables);
  EXPECT_EQ(pictures.Painted(), 2);
  EXPECT_EQ(pictures.Count(), 2);
  // A list that grew gets a picture of its new size.
  EXPECT_EQ(pictures.For(7, 100, 70, tables).Height(), 70);
  EXPECT_EQ(pictures.Painted(), 3);
  // A new skin: painted anew in its colours.
  pictures.Clear();
  tables.Sections[2].Color = 0x445566;
  EXPECT_EQ(At(pictures.For(7, 100, 70, tables), 0, 0), 0xFF665544u);
  EXPECT_EQ(pictures.Painted(), 4);
}

}  // namespace
