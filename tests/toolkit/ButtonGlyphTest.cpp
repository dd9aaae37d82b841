// Button glyphs: the picture class and its stored data, the placement of
// glyph and caption, the images of each state, and glyphs drawn on speed
// buttons pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "ToolkitFixture.h"
#include "component/Exception.h"
#include "component/Reader.h"
#include "platform/gdi/Bmp.h"
#include "toolkit/Bitmap.h"
#include "toolkit/ButtonGlyph.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/SpeedButton.h"

using namespace toolkit;
namespace p = platform;

namespace {

constexpr std::uint32_t K = 0xFFFF00FFu;  // the transparent colour, bottom-left
constexpr std::uint32_t R = 0xFFFF0000u;
constexpr std::uint32_t B = 0xFF0000FFu;
constexpr std::uint32_t W = 0xFFFFFFFFu;

// A 6 x 5 glyph: red and blue ink with a white highlight on the key colour.
p::SurfaceBuffer Picture() {
  const std::uint32_t rows[5][6] = {{K, K, K, K, K, K},
                                    {K, R, R, B, K, K},
                                    {K, R, W, B, K, K},
                                    {K, K, K, K, K, K},
                                    {K, K, K, K, K, K}};
  p::SurfaceBuffer s(6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) s.At(x, y) = rows[y][x];
  return s;
}

std::vector<std::uint8_t> PictureBmp() {
  return p::WriteBmp(Picture().View());
}

std::uint32_t Rgb(TColor c) {
  return p::ColorToPixel(p::ResolveColor(ColorToRGB(c))) & 0xFFFFFF;
}

}  // namespace

TEST(Bitmap, LoadsStoresAndRefusesBadData) {
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  EXPECT_TRUE(b.Empty());
  EXPECT_TRUE(b.Data().empty());
  const auto file = PictureBmp();
  b.LoadFromMemory(file);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 5);
  EXPECT_EQ(b.Pixel(1, 1), R);
  EXPECT_EQ(b.Pixel(6, 0), 0u);  // outside
  EXPECT_EQ(b.TransparentColor(), TColor(0xFF00FF));
  EXPECT_FALSE(b.HasAlpha());
  EXPECT_EQ(b.Data(), file);  // the bytes loaded, unchanged

  // Bad data fails with a reason and leaves the picture as it was.
  std::vector<std::uint8_t> cut(file.begin(), file.end() - 1);
  try {
    b.LoadFromMemory(cut);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid: the pixel data is truncated");
  }
  EXPECT_THROW(b.LoadFromMemory(std::vector<std::uint8_t>{'G', 'I', 'F', '8'}), EInvalidGraphic);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Width(), 6);

  // A changed picture stores its pixels, which read back the same.
  b.SetPixel(0, 0, 0x8000FF00u);
  EXPECT_TRUE(b.HasAlpha());
  TBitmap copy;
  copy.LoadFromMemory(b.Data());
  EXPECT_EQ(copy.Pixel(0, 0), 0x8000FF00u);
  EXPECT_EQ(copy.Pixel(2, 2), W);

  TBitmap assigned;
  assigned.Assign(b);
  EXPECT_EQ(assigned.Pixel(0, 0), 0x8000FF00u);
  TFont font;
  EXPECT_THROW(assigned.Assign(font), component::EConvertError);

  b.LoadFromMemory({});  // no bytes: empty
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, LoadsFromFiles) {
  const std::string path = ::testing::TempDir() + "/glyph_test.bmp";
  const auto file = PictureBmp();
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  }
  TBitmap b;
  b.LoadFromFile(path);
  std::remove(path.c_str());
  EXPECT_EQ(b.Pixel(3, 2), B);
  try {
    b.LoadFromFile(path);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\"");
  }
}

TEST(Bitmap, MaskComesFromTheKeyColourOrFromRealAlpha) {
  TBitmap b;
  b.LoadFromMemory(PictureBmp());
  p::SurfaceBuffer m = b.MaskedPixels();
  EXPECT_EQ(m.At(0, 0) >> 24, 0u);
  EXPECT_EQ(m.At(1, 1), R);
  EXPECT_EQ(m.At(2, 2), W);

  // With real alpha the key colour means nothing; half coverage decides.
  b.SetPixel(1, 1, 0x7FFF0000u);
  b.SetPixel(2, 1, 0x80FF0000u);
  m = b.MaskedPixels();
  EXPECT_EQ(m.At(0, 0), K);
  EXPECT_EQ(m.At(1, 1) >> 24, 0u);
  EXPECT_EQ(m.At(2, 1), R);
}

TEST(ButtonLayout, EachLayoutWithMarginAndSpacing) {
  const SIZE client{40, 30}, glyph{10, 8}, caption{12, 6}, none{0, 0};
  struct Case {
    TButtonLayout layout;
    int margin, spacing;
    SIZE glyph, caption;
    POINT glyphAt, captionAt;
  };
  const Case cases[] = {
      // Centred block: margin (40 - 26 + 1) div 2 = 7, across centred.
      {blGlyphLeft, -1, 4, glyph, caption, {7, 11}, {21, 12}},
      {blGlyphRight, -1, 4, glyph, caption, {23, 11}, {7, 12}},
      // Vertically: margin (30 - 18 + 1) div 2 = 6.
      {blGlyphTop, -1, 4, glyph, caption, {15, 6}, {14, 18}},
      {blGlyphBottom, -1, 4, glyph, caption, {15, 16}, {14, 6}},
      // Fixed margin and spacing.
      {blGlyphLeft, 2, 3, glyph, caption, {2, 11}, {15, 12}},
      {blGlyphRight, 2, 3, glyph, caption, {28, 11}, {13, 12}},
      {blGlyphBottom, 0, 0, glyph, caption, {15, 22}, {14, 16}},
      // Spread evenly: (40 - 22) div 3 = 6 before, between and after.
      {blGlyphLeft, -1, -1, glyph, caption, {6, 11}, {22, 12}},
      {blGlyphTop, -1, -1, glyph, caption, {15, 5}, {14, 18}},
      // Fixed margin, spacing splits what is left: (40 - 12 - 12) div 2 = 8.
      {blGlyphLeft, 2, -1, glyph, caption, {2, 11}, {20, 12}},
      // Spacing counts only when both are there.
      {blGlyphLeft, -1, 4, glyph, none, {15, 11}, {25, 15}},
      {blGlyphTop, -1, 4, glyph, none, {15, 11}, {20, 19}},
      {blGlyphLeft, -1, 4, none, caption, {14, 15}, {14, 12}},
      // Larger than the face: placed off the edge, never wrapped around.
      {blGlyphLeft, -1, 4, SIZE{50, 40}, caption, {-12, -4}, {42, 12}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "layout " << c.layout << " margin " << c.margin
                                    << " spacing " << c.spacing << " glyph " << c.glyph.cx);
    const TGlyphPlacement at =
        CalcButtonLayout(client, c.glyph, c.caption, c.layout, c.margin, c.spacing);
    EXPECT_EQ(at.glyph.x, c.glyphAt.x);
    EXPECT_EQ(at.glyph.y, c.glyphAt.y);
    EXPECT_EQ(at.caption.x, c.captionAt.x);
    EXPECT_EQ(at.caption.y, c.captionAt.y);
  }
}

TEST(ButtonGlyphImages, MissingImagesComeFromTheUpImage) {
  TButtonGlyph g;
  int changes = 0;
  g.OnChange = [&] { ++changes; };
  EXPECT_TRUE(g.Empty());
  g.Glyph()->LoadFromMemory(PictureBmp());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(g.ImageSize(), (SIZE{6, 5}));
  const std::uint32_t hi = Rgb(clBtnHighlight) | 0xFF000000u;
  const std::uint32_t sh = Rgb(clBtnShadow) | 0xFF000000u;
  EXPECT_EQ(g.Image(bsDown).At(1, 1), R);
  EXPECT_EQ(g.Image(bsExclusive).At(3, 2), B);
  EXPECT_EQ(g.Image(bsUp).At(0, 0) >> 24, 0u);

  // Disabled: ink in shadow, the highlight copy 1 right and down shows where
  // no ink covers it; white is no ink.
  const p::SurfaceBuffer& d = g.Image(bsDisabled);
  for (auto [x, y] : {std::pair{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}})
    EXPECT_EQ(d.At(x, y), sh) << x << "," << y;
  for (auto [x, y] : {std::pair{2, 2}, {4, 2}, {2, 3}, {4, 3}})
    EXPECT_EQ(d.At(x, y), hi) << x << "," << y;
  for (auto [x, y] : {std::pair{0, 0}, {4, 1}, {3, 3}, {5, 4}})
    EXPECT_EQ(d.At(x, y) >> 24, 0u) << x << "," << y;

  // Two images: the second is the disabled one, taken as it is.
  g.SetNumGlyphs(2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(g.ImageSize(), (SIZE{3, 5}));
  EXPECT_EQ(g.Image(bsDisabled).At(0, 1), B);
  EXPECT_EQ(g.Image(bsDown).At(1, 1), R);  // down: still the up image
  g.SetNumGlyphs(9);
  EXPECT_EQ(g.NumGlyphs(), 4);
  EXPECT_EQ(g.ImageSize(), (SIZE{1, 5}));
  g.SetNumGlyphs(0);
  EXPECT_EQ(g.NumGlyphs(), 1);

  // Grey keeps transparency and turns colours to equal channels.
  const p::SurfaceBuffer gray = GrayImage(ReadView(g.Image(bsUp)));
  EXPECT_EQ(gray.At(0, 0) >> 24, 0u);
  const std::uint32_t red = gray.At(1, 1);
  EXPECT_EQ(red >> 24, 0xFFu);
  EXPECT_EQ(red & 0xFF, (red >> 8) & 0xFF);
  EXPECT_EQ(red & 0xFF, (red >> 16) & 0xFF);
  EXPECT_EQ(red & 0xFF, 77u);  // red's weight
}

class GlyphButtons : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = new TForm(app.get());
    form->SetBounds(100, 100, 300, 200);
    form->SetColor(0x7DB7D2);
    button = new TSpeedButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 40, 30);
    button->SetFlat(true);
    button->SetTransparent(false);
    button->SetColor(clYellow);
    button->Glyph()->LoadFromMemory(PictureBmp());
    form->Show();
    Flush();
  }
  std::uint32_t At(int x, int y) {
    const POINT s = button->ClientToScreen(POINT{x, y});
    return screen->ScreenPixel(s.x, s.y) & 0xFFFFFF;
  }
  // The top-left of the red ink found on the button, less its place in the glyph.
  POINT GlyphOrigin() {
    for (int y = 0; y < button->Height(); ++y)
      for (int x = 0; x < button->Width(); ++x)
        if (At(x, y) == 0xFF0000) return POINT{x - 1, y - 1};
    return POINT{-100, -100};
  }
  SIZE TextSize(const std::string& text) {
    TCanvas c;
    p::HDC dc = p::CreateCompatibleDC(p::HDC{});
    c.SetHandle(dc);
    c.Font()->Assign(*button->Font());
    const SIZE s = c.TextExtent(text);
    c.SetHandle(p::HDC{});
    p::DeleteDC(dc);
    return s;
  }

  TForm* form = nullptr;
  TSpeedButton* button = nullptr;
};

TEST_F(GlyphButtons, GlyphIsDrawnPixelForPixelWithItsKeyColourLeftOut) {
  // Inner face 38 x 28 from (1, 1): the 6 x 5 glyph alone sits at
  // 1 + (38 - 6 + 1) div 2 = 17 across and 1 + (28 - 5 + 1) div 2 = 13 down.
  const std::uint32_t yellow = 0xFFFF00;
  const std::uint32_t expected[5][6] = {{yellow, yellow, yellow, yellow, yellow, yellow},
                                        {yellow, 0xFF0000, 0xFF0000, 0x0000FF, yellow, yellow},
                                        {yellow, 0xFF0000, 0xFFFFFF, 0x0000FF, yellow, yellow},
                                        {yellow, yellow, yellow, yellow, yellow, yellow},
                                        {yellow, yellow, yellow, yellow, yellow, yellow}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(17 + x, 13 + y), expected[y][x]) << x << "," << y;

  // Pressed: the sunken edge and the glyph one pixel right and down.
  screen->MouseDown(button->ClientToScreen(POINT{5, 5}));
  Flush();
  EXPECT_EQ(GlyphOrigin(), (POINT{18, 14}));
  screen->MouseUp(button->ClientToScreen(POINT{5, 5}));
  Flush();
  EXPECT_EQ(GlyphOrigin(), (POINT{17, 13}));

  // Disabled: the embossed picture in the system greys, no colour left.
  button->SetEnabled(false);
  Flush();
  const std::uint32_t hi = Rgb(clBtnHighlight), sh = Rgb(clBtnShadow);
  EXPECT_EQ(At(18, 14), sh);
  EXPECT_EQ(At(20, 15), sh);
  EXPECT_EQ(At(19, 15), hi);
  EXPECT_EQ(At(21, 16), hi);
  EXPECT_EQ(At(17, 13), yellow);
  EXPECT_EQ(GlyphOrigin().x, -100);

  // Transparent: the key colour shows the form behind the button.
  button->SetEnabled(true);
  button->SetTransparent(true);
  Flush();
  EXPECT_EQ(At(17, 13), Rgb(TColor(0x7DB7D2)));
  EXPECT_EQ(At(18, 14), 0xFF0000u);
  EXPECT_EQ(At(19, 15), 0xFFFFFFu);
}

TEST_F(GlyphButtons, GlyphAndCaptionFollowTheLayout) {
  button->SetCaption("Go");
  button->Font()->SetColor(clBlack);
  const SIZE text = TextSize("Go");
  const SIZE inner{38, 28}, glyph{6, 5};
  for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
    SCOPED_TRACE(layout);
    button->SetLayout(layout);
    Flush();
    const TGlyphPlacement at = CalcButtonLayout(inner, glyph, text, layout, -1, 4);
    EXPECT_EQ(GlyphOrigin(), (POINT{1 + at.glyph.x, 1 + at.glyph.y}));
    // Caption ink only where the layout puts the caption.
    int inside = 0, outside = 0;
    for (int y = 1; y < 29; ++y)
      for (int x = 1; x < 39; ++x) {
        const std::uint32_t c = At(x, y);
        // Dark: text ink; the glyph and the face have a full channel each.
        if ((c >> 16) >= 0x80 || ((c >> 8) & 0xFF) >= 0x80 || (c & 0xFF) >= 0x80) continue;
        const bool in = x >= 1 + at.caption.x && x < 1 + at.caption.x + text.cx &&
                        y >= 1 + at.caption.y && y < 1 + at.caption.y + text.cy;
        (in ? inside : outside)++;
      }
    EXPECT_GT(inside, 5);
    EXPECT_EQ(outside, 0);
    if (const char* dir = std::getenv("SPRINTARA_SHOT_DIR"))
      screen->CaptureWindow(form->Handle(),
                            std::string(dir) + "/glyph-layout-" + std::to_string(layout) + ".png");
  }
  // Fixed margin from the glyph's side.
  button->SetLayout(blGlyphRight);
  button->SetMargin(3);
  Flush();
  EXPECT_EQ(GlyphOrigin().x, 1 + 38 - 3 - 6);
}

TEST_F(GlyphButtons, GlyphComesFromAStoredDescription) {
  std::string hex;
  char byte[3];
  std::vector<std::uint8_t> file = PictureBmp();
  for (std::uint8_t b : file) {
    std::snprintf(byte, sizeof byte, "%02X", b);
    hex += byte;
  }
  auto* stored = new TForm(app.get());
  stored->SetName("Stored");
  component::ReadDescription(*stored,
                             "object Stored: TForm\n"
                             "  object Key: TSpeedButton\n"
                             "    Left = 4\n"
                             "    Top = 4\n"
                             "    Glyph.Data = {" +
                                 hex +
                                 "}\n"
                                 "    NumGlyphs = 2\n"
                                 "  end\n"
                                 "end\n",
                             "Stored.sdesc");
  auto* key = dynamic_cast<TSpeedButton*>(stored->FindComponent("Key"));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->NumGlyphs(), 2);
  EXPECT_EQ(key->Glyph()->Width(), 6);
  EXPECT_EQ(key->Glyph()->Pixel(3, 2), B);
  EXPECT_EQ(key->Glyph()->Data(), file);

  // Damaged picture data is an error of the description, with the reason.
  auto* broken = new TForm(app.get());
  broken->SetName("Broken");
  try {
    component::ReadDescription(*broken,
                               "object Broken: TForm\n"
                               "  object Key: TSpeedButton\n"
                               "    Glyph.Data = {424D0000}\n"
                               "  end\n"
                               "end\n",
                               "Broken.sdesc");
    FAIL();
  } catch (const component::EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("Bitmap image is not valid"), std::string::npos)
        << e.what();
  }
}

// Faces of flat speed buttons without a glyph: the edge, the face colour
// around it and the latched-down pattern.
TEST_F(GlyphButtons, FlatFaceIsRepaintedWholeWhenTheEdgeGoes) {
  button->Glyph()->Clear();
  Flush();
  const std::uint32_t yellow = 0xFFFF00;
  const std::uint32_t hi = Rgb(clBtnHighlight), sh = Rgb(clBtnShadow);
  // At rest a non-transparent flat button is all face, its border row too.
  EXPECT_EQ(At(0, 0), yellow);
  EXPECT_EQ(At(39, 29), yellow);
  screen->MouseMove(button->ClientToScreen(POINT{10, 10}));
  Flush();
  EXPECT_EQ(At(5, 0), hi);
  EXPECT_EQ(At(39, 5), sh);
  EXPECT_EQ(At(5, 5), yellow);
  // Leaving takes the edge away: the face colour, not what was drawn before.
  screen->MouseMove(button->ClientToScreen(POINT{200, 100}));
  Flush();
  EXPECT_EQ(At(5, 0), yellow);
  EXPECT_EQ(At(39, 5), yellow);
  EXPECT_EQ(At(5, 29), yellow);
}

TEST_F(GlyphButtons, LatchedDownFaceShowsTheCheckerUnlessHot) {
  button->Glyph()->Clear();
  button->SetGroupIndex(1);
  button->SetDown(true);
  Flush();
  ASSERT_EQ(button->State(), bsExclusive);
  const std::uint32_t face = Rgb(clBtnFace), hi = Rgb(clBtnHighlight);
  // The sunken edge, then alternate pixels of face and highlight inside it.
  EXPECT_EQ(At(5, 0), Rgb(clBtnShadow));
  ASSERT_NE(face, hi);
  for (int y = 1; y < 29; ++y)
    for (int x = 1; x < 39; ++x) {
      const std::uint32_t c = At(x, y);
      ASSERT_TRUE(c == face || c == hi) << x << "," << y;
      if (x > 1) {
        ASSERT_NE(c, At(x - 1, y)) << x << "," << y;
      }
      if (y > 1) {
        ASSERT_NE(c, At(x, y - 1)) << x << "," << y;
      }
    }
  // Under the mouse (hot) the face is plain again.
  screen->MouseMove(button->ClientToScreen(POINT{10, 10}));
  Flush();
  EXPECT_EQ(At(10, 10), 0xFFFF00u);
  EXPECT_EQ(At(11, 10), 0xFFFF00u);
}
