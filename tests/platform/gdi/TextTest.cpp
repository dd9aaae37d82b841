#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "GdiTestSupport.h"
#include "platform/gdi/GlyphBlend.h"

namespace platform {
namespace {

using test::Canvas;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

HFONT MakeFont(const char* face, int height, int weight = FW_NORMAL) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWeight = weight;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

class TextTest : public ::testing::Test {
 protected:
  TextTest() : c(200, 60, kWhite) {
    font = MakeFont("Arial", -21, FW_BOLD);
    SelectObject(c.dc(), font);
    SetBkMode(c.dc(), TRANSPARENT);
    SetTextColor(c.dc(), RGB(0, 0, 0));
    GetTextMetrics(c.dc(), &tm);
  }
  ~TextTest() override {
    SelectObject(c.dc(), HFONT(GetStockObject(SYSTEM_FONT)));
    DeleteObject(font);
  }
  int Width(const char* s) {
    SIZE sz;
    GetTextExtentPoint32(c.dc(), s, &sz);
    return sz.cx;
  }
  Canvas c;
  HFONT font;
  TEXTMETRIC tm;
};

TEST_F(TextTest, FacesMetricsAndExtents) {
  char face[64];
  GetTextFace(c.dc(), 64, face);
  EXPECT_STREQ(face, "Liberation Sans");  // Arial's metric twin
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_GE(tm.tmHeight, 21);
  EXPECT_LE(tm.tmHeight, 26);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  SIZE sz;
  ASSERT_TRUE(GetTextExtentPoint32(c.dc(), "Heat 12", &sz));
  EXPECT_EQ(sz.cy, tm.tmHeight);
  int widths[256];
  ASSERT_TRUE(GetCharWidth32(c.dc(), 0, 255, widths));
  int sum = 0;
  for (unsigned char ch : std::string("Heat 12")) sum += widths[ch];
  EXPECT_EQ(sz.cx, sum);
  EXPECT_EQ(Width(""), 0);
  // Bold is wider than regular; a positive height is the cell height.
  HFONT regular = MakeFont("Arial", -21);
  SelectObject(c.dc(), regular);
  EXPECT_LT(Width("Greyhound"), [&] {
    SelectObject(c.dc(), font);
    int w = Width("Greyhound");
    SelectObject(c.dc(), regular);
    return w;
  }());
  HFONT cell = MakeFont("MS Sans Serif", 20);
  SelectObject(c.dc(), cell);
  TEXTMETRIC ctm;
  GetTextMetrics(c.dc(), &ctm);
  EXPECT_NEAR(ctm.tmHeight, 20, 1);
  SelectObject(c.dc(), font);
  DeleteObject(regular);
  DeleteObject(cell);
}

TEST_F(TextTest, AlignmentInTheRectangle) {
  RECT r{10, 5, 190, 55};
  int w = Width("Heat");
  DrawText(c.dc(), "Heat", &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
  RECT ink = c.Ink(kWhite);
  EXPECT_NEAR(ink.left, 10, 2);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.bottom, 5 + tm.tmHeight);
  c.Clear(kWhite);
  DrawText(c.dc(), "Heat", &r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  ink = c.Ink(kWhite);
  EXPECT_NEAR(ink.right, 190, 2);
  EXPECT_LE(ink.bottom, 55);
  EXPECT_GE(ink.top, 55 - tm.tmHeight);
  c.Clear(kWhite);
  int ret = DrawText(c.dc(), "Heat", &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ink = c.Ink(kWhite);
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 2);
  int top = 5 + (50 - tm.tmHeight) / 2;
  EXPECT_GE(ink.top, top);
  EXPECT_LE(ink.bottom, top + tm.tmHeight);
  EXPECT_EQ(ret, top - 5 + tm.tmHeight);  // offset to the text's bottom
  EXPECT_NEAR(ink.right - ink.left, w, 3);
  // Vertical placement needs a single line: otherwise the text starts at the top.
  c.Clear(kWhite);
  EXPECT_EQ(DrawText(c.dc(), "Heat", &r, DT_BOTTOM), tm.tmHeight);
  EXPECT_LT(c.Ink(kWhite).bottom, 5 + tm.tmHeight + 1);
}

TEST_F(TextTest, MeasuringOnlyDrawsNothing) {
  RECT r{10, 10, 20, 20};
  int h = DrawText(c.dc(), "Two\nlines", &r, DT_CALCRECT);
  EXPECT_EQ(h, 2 * tm.tmHeight);
  EXPECT_EQ(r.bottom - r.top, 2 * tm.tmHeight);
  EXPECT_EQ(r.right - r.left, std::max(Width("Two"), Width("lines")));
  EXPECT_EQ(c.Count(0xFFFFFF), 200 * 60);
  RECT one{0, 0, 1000, 0};
  DrawText(c.dc(), "Start && go", &one, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(one.right, Width("Start & go"));
  RECT wrap{0, 0, Width("Start "), 0};
  EXPECT_EQ(DrawText(c.dc(), "Start race now", &wrap, DT_CALCRECT | DT_WORDBREAK), 3 * tm.tmHeight);
}

TEST_F(TextTest, ClippedToTheRectangleUnlessNoClip) {
  RECT r{50, 10, 90, 40};
  DrawText(c.dc(), "A much longer caption", &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  RECT ink = c.Ink(kWhite);
  EXPECT_GE(ink.left, 50);
  EXPECT_LE(ink.right, 90);
  EXPECT_GE(ink.right, 86);  // cut near the edge, not laid out short
  c.Clear(kWhite);
  DrawText(c.dc(), "A much longer caption", &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(c.Ink(kWhite).right, 90);
  // With an ellipsis the text ends inside, in dots.
  c.Clear(kWhite);
  RECT e{10, 10, 110, 40};
  DrawText(c.dc(), "A much longer caption", &e, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
  ink = c.Ink(kWhite);
  EXPECT_LT(ink.right, 110);
  EXPECT_GT(ink.right, 110 - Width("...") - Width("W"));
}

TEST_F(TextTest, LabelCaptionKeepsTheOuterRingAndIsCentredWhenTooTall) {
  // A label 22 pixels high with a 21-pixel font, text laid out 1 pixel inside.
  Canvas label(80, 22, 0xFF000080);
  SelectObject(label.dc(), font);
  SetBkMode(label.dc(), TRANSPARENT);
  SetTextColor(label.dc(), RGB(0, 255, 0));
  RECT r{1, 1, 79, 21};
  DrawText(label.dc(), "00:00.00", &r, 0x824);
  RECT ink = label.Ink(0xFF000080);
  EXPECT_GE(ink.left, 1);
  EXPECT_GE(ink.top, 1);
  EXPECT_LE(ink.right, 79);
  EXPECT_LE(ink.bottom, 21);
  // Glyph pixels at full coverage are exactly the text colour.
  EXPECT_GT(label.Count(0x00FF00), 20);
  int off = (20 - tm.tmHeight) / 2;  // negative: cut at top and bottom alike
  EXPECT_LE(off, 0);
}

TEST_F(TextTest, TransparentTextTouchesOnlyGlyphPixels) {
  c.Clear(0x00336699);  // alpha 0 everywhere
  SetTextColor(c.dc(), RGB(255, 255, 255));
  TextOut(c.dc(), 10, 10, "Dog");
  int untouched = 0, glyph = 0;
  for (int y = 0; y < c.h(); ++y)
    for (int x = 0; x < c.w(); ++x) {
      if (c.at(x, y) == 0x00336699u) {
        ++untouched;
      } else {
        ++glyph;
        EXPECT_GT(c.at(x, y) >> 24, 0u);  // text leaves its coverage in alpha
      }
    }
  EXPECT_GT(glyph, 30);
  EXPECT_GT(untouched, 200 * 60 - 400);
  // Opaque: the text cell takes the background colour.
  c.Clear(kWhite);
  SetBkMode(c.dc(), OPAQUE);
  SetBkColor(c.dc(), RGB(255, 0, 0));
  SetTextColor(c.dc(), RGB(0, 0, 0));
  TextOut(c.dc(), 10, 10, "Dog");
  EXPECT_EQ(c.Ink(kWhite), (RECT{10, 10, 10 + Width("Dog"), 10 + tm.tmHeight}));
  EXPECT_EQ(c.rgb(10, 10), 0xFF0000u);
  SetBkMode(c.dc(), TRANSPARENT);
}

TEST_F(TextTest, PrefixUnderlineIsDrawnHiddenOrLiteral) {
  RECT r{10, 5, 190, 55};
  auto underlineRow = [&](int left, int right) {
    // A row below the baseline, inked along the first letter.
    int y = 5 + tm.tmAscent + 1;
    int n = 0;
    for (int yy = y; yy < 5 + tm.tmHeight; ++yy)
      for (int x = left; x < right; ++x) n += c.rgb(x, yy) != 0xFFFFFFu;
    return n;
  };
  int hw = Width("H");
  DrawText(c.dc(), "&Hot", &r, DT_SINGLELINE);
  EXPECT_GE(underlineRow(10, 10 + hw), hw - 1);
  int shown = c.Ink(kWhite).right;
  c.Clear(kWhite);
  DrawText(c.dc(), "&Hot", &r, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_EQ(underlineRow(10, 10 + hw), 0);
  EXPECT_EQ(c.Ink(kWhite).right, shown);
  c.Clear(kWhite);
  DrawText(c.dc(), "&Hot", &r, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_GT(c.Ink(kWhite).right, shown + Width("&") - 3);
}

TEST_F(TextTest, ExtTextOutOpaqueClippedAndAlignment) {
  SetBkColor(c.dc(), RGB(0, 0, 255));
  RECT r{20, 20, 40, 50};
  ExtTextOut(c.dc(), 20, 20, ETO_OPAQUE | ETO_CLIPPED, &r, "Greyhound", nullptr);
  EXPECT_EQ(c.Ink(kWhite), r);
  c.Clear(kWhite);
  SetTextAlign(c.dc(), TA_CENTER | TA_BASELINE);
  TextOut(c.dc(), 100, 40, "Tm");
  RECT ink = c.Ink(kWhite);
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 2);
  EXPECT_NEAR(ink.bottom, 40, 1);  // capitals sit on the baseline
  SetTextAlign(c.dc(), TA_LEFT | TA_TOP | TA_UPDATECP);
  MoveToEx(c.dc(), 5, 5, nullptr);
  TextOut(c.dc(), 0, 0, "ab");
  POINT p;
  MoveToEx(c.dc(), 0, 0, &p);
  EXPECT_EQ(p, (POINT{5 + Width("ab"), 5}));
  SetTextAlign(c.dc(), TA_LEFT | TA_TOP);
}

TEST_F(TextTest, TabsExpandWhenAsked) {
  RECT r{0, 0, 200, 60};
  DrawText(c.dc(), "a\tb", &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
  EXPECT_EQ(r.right, 8 * tm.tmAveCharWidth + Width("b"));
  c.Clear(kWhite);
  RECT d{0, 0, 200, 60};
  DrawText(c.dc(), "\tb", &d, DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_GE(c.Ink(kWhite).left, 8 * tm.tmAveCharWidth - 1);
}

// The row blend agrees with the per-pixel formula whatever the coverage,
// the pixel's alpha and where the row starts and ends.
TEST(GlyphBlend, RowGivesThePerPixelResults) {
  std::uint32_t state = 12345;
  auto next = [&] { return state = state * 1103515245u + 12345u; };
  for (int round = 0; round < 300; ++round) {
    const int count = round % 19;
    const std::uint32_t color = next() >> 8;
    std::vector<std::uint32_t> row(std::size_t(count) + 1), expected;
    std::vector<std::uint8_t> coverage(std::size_t(count) + 1);
    for (int x = 0; x < count; ++x) {
      row[std::size_t(x)] = next();
      const std::uint32_t pick = next() >> 24;  // whole runs of 0 and 255 too
      coverage[std::size_t(x)] = std::uint8_t(pick < 64 ? 0 : pick < 128 ? 255 : next() >> 24);
    }
    if (round % 5 == 0) std::fill(coverage.begin(), coverage.end(), 255);
    expected = row;
    for (int x = 0; x < count; ++x) {
      const unsigned a = coverage[std::size_t(x)];
      if (a) expected[std::size_t(x)] = BlendCoverage(row[std::size_t(x)], color, a);
    }
    BlendCoverageRow(row.data(), coverage.data(), count, color);
    ASSERT_EQ(row, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace platform
