// Skinned text: contours on the sides a section asks for, the engraved
// disabled look, plain text without a section, and placement in the box.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "PaintFixture.h"
#include "graphics/PixelBitmap.h"
#include "skin/paint/SkinTextDrawing.h"

using namespace skintest;
namespace p = platform;

namespace {

constexpr std::uint32_t kBack = 0x203040;
constexpr unsigned kFlags = p::DT_CENTER | p::DT_VCENTER | p::DT_SINGLELINE | p::DT_NOPREFIX;

// Whether every colour lies between the background and `ink`: text edges
// are smoothed, so the pixels of one colour of text are shades of it.
bool AllOf(const std::set<std::uint32_t>& colours, std::uint32_t ink) {
  auto ch = [](std::uint32_t c, int i) { return int(c >> (8 * i) & 0xFF); };
  int axis = 0;
  for (int i = 1; i < 3; ++i)
    if (std::abs(ch(ink, i) - ch(kBack, i)) > std::abs(ch(ink, axis) - ch(kBack, axis))) axis = i;
  for (std::uint32_t c : colours) {
    const double t =
        double(ch(c, axis) - ch(kBack, axis)) / double(ch(ink, axis) - ch(kBack, axis));
    if (t <= 0 || t > 1.01) return false;
    for (int i = 0; i < 3; ++i)
      if (std::abs(ch(c, i) - (ch(kBack, i) + t * (ch(ink, i) - ch(kBack, i)))) > 3) return false;
  }
  return !colours.empty();
}

struct Ink {
  RECT box{INT32_MAX, INT32_MAX, -1, -1};  // inclusive bounds of the changed pixels
  std::set<std::uint32_t> colours;
};

class SkinText : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.SetSize(120, 40);
    canvas = bitmap.Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetHeight(-18);
    section = AddSection(tables, "BUTTON");
  }
  Ink Draw(const char* font, bool enabled = true, bool hot = false, int index = 0,
           unsigned flags = kFlags, RECT r = RECT{10, 5, 110, 35}) {
    tables.Sections[section].Font = ParseFontColors(font);
    tables.Sections[section].HotFont = ParseFontColors("16711680 -1 -1 -1 -1");
    bitmap.Clear(0xFF000000u | kBack);
    DrawSkinText(tables, *canvas, "Hello", enabled, hot, index, flags, r);
    Ink ink;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) {
        const std::uint32_t c = bitmap.Pixel(x, y) & 0xFFFFFF;
        if (c == kBack) continue;
        ink.colours.insert(c);
        ink.box = RECT{std::min(ink.box.left, x), std::min(ink.box.top, y),
                       std::max(ink.box.right, x), std::max(ink.box.bottom, y)};
      }
    return ink;
  }
  // The colours of the changed pixels on one column or row of the ink.
  std::set<std::uint32_t> Column(int x) {
    std::set<std::uint32_t> s;
    for (int y = 0; y < bitmap.Height(); ++y)
      if ((bitmap.Pixel(x, y) & 0xFFFFFF) != kBack) s.insert(bitmap.Pixel(x, y) & 0xFFFFFF);
    return s;
  }
  std::set<std::uint32_t> Row(int y) {
    std::set<std::uint32_t> s;
    for (int x = 0; x < bitmap.Width(); ++x)
      if ((bitmap.Pixel(x, y) & 0xFFFFFF) != kBack) s.insert(bitmap.Pixel(x, y) & 0xFFFFFF);
    return s;
  }

  graphics::TPixelBitmap bitmap;
  toolkit::TCanvas* canvas = nullptr;
  TSkinTables tables;
  int section = -1;
};

}  // namespace

TEST_F(SkinText, ContoursOnlyOnTheSidesThatHaveAColour) {
  // Two words parse to black without contours: the text alone.
  const Ink plain = Draw("255 -1");
  ASSERT_GE(plain.box.right, plain.box.left);
  EXPECT_EQ(plain.colours.count(0xFFFFFF), 0u);
  // White to the right and below: one more column and row, white at the
  // far sides, and the text itself drawn last.
  const Ink contoured = Draw("0 -1 -1 16777215 16777215");
  EXPECT_EQ(contoured.box.left, plain.box.left);
  EXPECT_EQ(contoured.box.top, plain.box.top);
  EXPECT_EQ(contoured.box.right, plain.box.right + 1);
  EXPECT_EQ(contoured.box.bottom, plain.box.bottom + 1);
  EXPECT_TRUE(AllOf(Column(contoured.box.right), 0xFFFFFF));
  EXPECT_TRUE(AllOf(Row(contoured.box.bottom), 0xFFFFFF));
  EXPECT_EQ(contoured.colours.count(0x000000), 1u);  // the text itself, over its contours
  // Red to the left, green above; the text in blue (colour values hold red
  // in the low byte).
  const Ink other = Draw("16711680 255 65280 -1 -1");
  EXPECT_EQ(other.box.left, plain.box.left - 1);
  EXPECT_EQ(other.box.top, plain.box.top - 1);
  EXPECT_TRUE(AllOf(Column(other.box.left), 0xFF0000));
  EXPECT_TRUE(AllOf(Row(other.box.top), 0x00FF00));
  EXPECT_EQ(other.colours.count(0x0000FF), 1u);
  // Hot text takes the hot colours; the canvas font colour is put back.
  canvas->Font()->SetColor(0x00FFFF);
  const Ink hot = Draw("0 -1 -1 16777215 16777215", true, true);
  EXPECT_EQ(hot.box.right, plain.box.right);
  EXPECT_EQ(hot.colours.count(0x0000FF), 1u);
  EXPECT_EQ(canvas->Font()->Color(), 0x00FFFF);
}

TEST_F(SkinText, DisabledAndUnskinnedText) {
  const Ink plain = Draw("0 -1 -1 -1 -1");
  const Ink disabled = Draw("0 -1 -1 -1 -1", false);
  const std::uint32_t light = platform::ColorToPixel(platform::GetSysColor(p::COLOR_BTNHIGHLIGHT));
  const std::uint32_t shadow = platform::ColorToPixel(platform::GetSysColor(p::COLOR_BTNSHADOW));
  EXPECT_EQ(disabled.box.right, plain.box.right + 1);
  EXPECT_EQ(disabled.box.bottom, plain.box.bottom + 1);
  EXPECT_TRUE(AllOf(Column(disabled.box.right), light & 0xFFFFFF));
  EXPECT_TRUE(AllOf(Column(disabled.box.left), shadow & 0xFFFFFF));
  // No valid section: the canvas font as it is.
  canvas->Font()->SetColor(0x00FF00);
  const Ink unskinned = Draw("0 -1 -1 16777215 16777215", true, false, 5);
  EXPECT_EQ(unskinned.box.right, plain.box.right);
  EXPECT_EQ(unskinned.colours.count(0x00FF00), 1u);
  EXPECT_EQ(unskinned.colours.count(0xFFFFFF), 0u);
}

TEST_F(SkinText, PlacedLeftCentredOrRightAndCentredVertically) {
  const RECT r{10, 5, 110, 35};
  const Ink centred = Draw("0 -1 -1 -1 -1");
  const Ink left = Draw("0 -1 -1 -1 -1", true, false, 0, p::DT_SINGLELINE);
  const Ink right = Draw("0 -1 -1 -1 -1", true, false, 0, p::DT_RIGHT | p::DT_SINGLELINE);
  const int width = centred.box.right - centred.box.left;
  EXPECT_EQ(left.box.right - left.box.left, width);
  EXPECT_EQ(right.box.right - right.box.left, width);
  EXPECT_LE(left.box.left - r.left, 3);
  EXPECT_LE(r.right - 1 - right.box.right, 3);
  EXPECT_NEAR((centred.box.left + centred.box.right) / 2.0, (r.left + r.right - 1) / 2.0, 3);
  EXPECT_EQ(left.box.top, centred.box.top);  // vertical centring needs no flag
  EXPECT_EQ(right.box.bottom, centred.box.bottom);
}
