// Glyphs on coloured speed buttons: the shared cache's lifecycle, the images
// of each state (own, embossed, grey), the hot-track glyph, placement with
// Layout, Margin, Spacing and Alignment, and glyphs from a description.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "GraphicsFixture.h"
#include "component/Reader.h"
#include "graphics/ButtonGlyphCache.h"
#include "graphics/ColorButtonGlyph.h"
#include "graphics/ColorSpeedButton.h"
#include "platform/gdi/Bmp.h"

using namespace graphics;
namespace p = platform;
namespace tk = toolkit;

namespace {

constexpr std::uint32_t kKey = 0xFFFF00FFu;

// `count` images of 4 x 4 side by side, each a 2 x 2 square of its colour
// in the middle of the key colour.
std::vector<std::uint8_t> Squares(std::vector<std::uint32_t> colours) {
  p::SurfaceBuffer s(4 * int(colours.size()), 4, kKey);
  for (std::size_t i = 0; i < colours.size(); ++i)
    for (int y = 1; y < 3; ++y)
      for (int x = 1; x < 3; ++x) s.At(4 * int(i) + x, y) = colours[i];
  return p::WriteBmp(s.View());
}

std::uint32_t Rgb(tk::TColor c) {
  return p::ColorToPixel(p::ResolveColor(tk::ColorToRGB(c))) & 0xFFFFFF;
}

}  // namespace

TEST(ButtonGlyphCache, LivesFromTheFirstGlyphObjectToTheLast) {
  ASSERT_EQ(TButtonGlyphCache::Instance(), nullptr);
  {
    TColorButtonGlyph a;
    TButtonGlyphCache* cache = TButtonGlyphCache::Instance();
    ASSERT_NE(cache, nullptr);
    {
      TColorButtonGlyph b;
      EXPECT_EQ(TButtonGlyphCache::Instance(), cache);
    }
    EXPECT_EQ(TButtonGlyphCache::Instance(), cache);  // a still uses it
    EXPECT_TRUE(cache->Empty());
  }
  EXPECT_EQ(TButtonGlyphCache::Instance(), nullptr);
}

TEST(GlyphList, ReusesFreedSlotsAndKeepsMasks) {
  TGlyphList list(2, 1);
  p::SurfaceBuffer image(2, 1);
  image.At(0, 0) = 0xFF112233u;
  image.At(1, 0) = 0x00445566u;
  const int first = list.Add(image.View());
  const int second = list.Add(image.View());
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Image(first)[0], 0xFF112233u);
  EXPECT_EQ(list.Mask(first)[0], 255);
  EXPECT_EQ(list.Mask(first)[1], 0);
  list.Delete(first);
  list.Delete(first);  // twice: no effect
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Image(first), nullptr);
  EXPECT_EQ(list.Add(image.View()), first);
  EXPECT_NE(list.Image(second), nullptr);
  EXPECT_EQ(list.Image(-1), nullptr);
  EXPECT_EQ(list.Image(7), nullptr);
}

class ColorGlyphTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    button = Make(20, 20);
    form->Show();
    Flush();
  }
  TColorSpeedButton* Make(int x, int y) {
    auto* b = new TColorSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(x, y, 73, 29);
    b->SetColor(tk::clLime);
    b->Font()->SetName("Arial");
    b->Font()->SetHeight(-16);
    return b;
  }
  // The colour in the middle square of a 4 x 4 glyph drawn at the button's
  // last glyph origin.
  std::uint32_t Square(TColorSpeedButton* b) {
    const p::POINT g = b->GlyphOrigin();
    return At(b, g.x + 1, g.y + 1);
  }

  p::SIZE TextSize(const std::string& text) {
    tk::TCanvas c;
    p::HDC dc = p::CreateCompatibleDC(p::HDC{});
    c.SetHandle(dc);
    c.Font()->Assign(*button->Font());
    const p::SIZE s = c.TextExtent(text);
    c.SetHandle(p::HDC{});
    p::DeleteDC(dc);
    return s;
  }

  TColorSpeedButton* button = nullptr;
};

TEST_F(ColorGlyphTest, CacheStaysEmptyWithoutGlyphsAndSharesListsBySize) {
  TButtonGlyphCache* cache = TButtonGlyphCache::Instance();
  ASSERT_NE(cache, nullptr);
  EXPECT_TRUE(cache->Empty());  // a button with no glyph puts nothing there

  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u}));
  auto* other = Make(120, 20);
  other->Glyph()->LoadFromMemory(Squares({0xFF0000FFu}));
  Flush();
  ASSERT_EQ(cache->ListCount(), 1);  // same size, one list
  TGlyphList* list = button->GlyphObject()->List();
  EXPECT_EQ(other->GlyphObject()->List(), list);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Width(), 4);

  // Another size has a list of its own; changing a glyph gives its image back.
  auto* wide = Make(220, 20);
  wide->Glyph()->SetSize(5, 3, 0xFF00FF00u);
  Flush();
  EXPECT_EQ(cache->ListCount(), 2);
  wide->Glyph()->Clear();
  Flush();
  EXPECT_EQ(cache->ListCount(), 1);
  other->Glyph()->Clear();
  EXPECT_EQ(list->Count(), 1);
  delete button;
  EXPECT_TRUE(cache->Empty());  // its last image gone, the list is freed
  EXPECT_EQ(TButtonGlyphCache::Instance(), cache);
  app.reset();  // the form and the remaining buttons
  EXPECT_EQ(TButtonGlyphCache::Instance(), nullptr);
}

TEST_F(ColorGlyphTest, GlyphAloneIsDrawnExactlyInTheMiddleOfTheFace) {
  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u}));
  Flush();
  // Inner face (3, 3, 70, 26): across 67 div 2 - 4 div 2 = 31, down (23 - 4 + 1) div 2 = 10.
  EXPECT_EQ(button->GlyphOrigin(), (p::POINT{34, 13}));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const bool ink = x >= 1 && x < 3 && y >= 1 && y < 3;
      EXPECT_EQ(At(button, 34 + x, 13 + y), ink ? 0xFF0000u : 0x00FF00u) << x << "," << y;
    }
  // Pressed: one pixel right and down with the caption's offset.
  screen->MouseDown(button->ClientToScreen(p::POINT{10, 10}));
  Flush();
  EXPECT_EQ(button->GlyphOrigin(), (p::POINT{35, 14}));
  EXPECT_EQ(At(button, 36, 15), 0xFF0000u);
  screen->MouseUp(button->ClientToScreen(p::POINT{10, 10}));
  Flush();
}

TEST_F(ColorGlyphTest, LayoutMarginSpacingAndAlignment) {
  button->SetCaption("START");
  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u}));
  Flush();
  // Default: glyph above the caption, one pixel apart, the block centred.
  const p::SIZE text = TextSize("START");
  const p::POINT g = button->GlyphOrigin(), c = button->CaptionOrigin();
  EXPECT_EQ(g.x, 3 + 67 / 2 - 2);
  EXPECT_EQ(g.y, 3 + (23 - (4 + 1 + text.cy) + 1) / 2);
  EXPECT_EQ(c.y, g.y + 4 + 1);
  EXPECT_EQ(c.x, 3 + 67 / 2 - text.cx / 2);  // as the caption alone is placed
  EXPECT_EQ(Square(button), 0xFF0000u);

  button->SetLayout(tk::blGlyphBottom);
  Flush();
  // The same margin, from the bottom.
  EXPECT_EQ(button->GlyphOrigin().y, 26 - (g.y - 3) - 4);
  EXPECT_EQ(button->CaptionOrigin().y, button->GlyphOrigin().y - 1 - text.cy);

  // Beside the caption: the block centred, then pushed by Alignment.
  const int width = text.cx;
  button->SetLayout(tk::blGlyphLeft);
  Flush();
  EXPECT_EQ(button->GlyphOrigin().x, 3 + (67 - (4 + 1 + width) + 1) / 2);
  EXPECT_EQ(button->CaptionOrigin().x, button->GlyphOrigin().x + 5);
  button->SetAlignment(tk::taLeftJustify);
  Flush();
  EXPECT_EQ(button->GlyphOrigin().x, 3);
  EXPECT_EQ(button->CaptionOrigin().x, 3 + 4 + 1);
  button->SetLayout(tk::blGlyphRight);
  button->SetAlignment(tk::taRightJustify);
  Flush();
  EXPECT_EQ(button->GlyphOrigin().x, 70 - 4);
  EXPECT_EQ(button->CaptionOrigin().x, 70 - 4 - 1 - width);

  // A fixed margin and spacing, from the glyph's side.
  button->SetMargin(2);
  button->SetSpacing(6);
  Flush();
  EXPECT_EQ(button->GlyphOrigin().x, 70 - 2 - 4);
  EXPECT_EQ(button->CaptionOrigin().x, 70 - 2 - 4 - 6 - width);
  EXPECT_EQ(Square(button), 0xFF0000u);

  // Vertically Alignment moves only the caption.
  button->SetLayout(tk::blGlyphTop);
  button->SetMargin(-1);
  button->SetAlignment(tk::taLeftJustify);
  Flush();
  EXPECT_EQ(button->CaptionOrigin().x, 3);
  EXPECT_EQ(button->GlyphOrigin().x, 3 + 67 / 2 - 2);
  if (const char* dir = std::getenv("SPRINTARA_SHOT_DIR"))
    screen->CaptureWindow(form->Handle(), std::string(dir) + "/color-glyph.png");
}

TEST_F(ColorGlyphTest, CaptionBesideAGlyphStaysInsideTheFace) {
  button->SetLayout(tk::blGlyphLeft);
  button->SetCaption("A caption far wider than this button could ever show");
  button->Font()->SetColor(tk::clBlack);
  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u}));
  Flush();
  for (int x = 1; x < 72; ++x) {
    EXPECT_NE(At(button, x, 1), 0u) << x;
    EXPECT_NE(At(button, x, 27), 0u) << x;
  }
  for (int y = 2; y < 27; ++y) {
    EXPECT_NE(At(button, 1, y), 0u) << y;
    EXPECT_NE(At(button, 71, y), 0u) << y;
  }
  EXPECT_EQ(Square(button), 0xFF0000u);  // the glyph keeps its place
  // A glyph larger than the face is cut at the inner rectangle.
  button->SetCaption("");
  button->Glyph()->SetSize(100, 50, 0xFF0000FFu);
  button->Glyph()->SetPixel(0, 49, 0xFFFF00FFu);  // key colour, bottom-left
  Flush();
  EXPECT_EQ(At(button, 2, 2), 0x00FF00u);
  EXPECT_EQ(At(button, 3, 3), 0x0000FFu);
  EXPECT_EQ(At(button, 71, 5), 0x00BF00u);
}

TEST_F(ColorGlyphTest, InactiveFlatButtonsShowAGreyGlyph) {
  button->SetFlat(true);
  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u}));
  Flush();
  EXPECT_EQ(Square(button), 0x4D4D4Du);  // grey scale of red
  screen->MouseMove(button->ClientToScreen(p::POINT{10, 10}));
  Flush();
  EXPECT_EQ(Square(button), 0xFF0000u);  // under the mouse: its colours
  screen->MouseMove(button->ClientToScreen(p::POINT{300, 300}));
  Flush();
  EXPECT_EQ(Square(button), 0x4D4D4Du);

  // The older look: embossed, as when disabled.
  button->SetGrayNewStyle(false);
  Flush();
  const p::POINT g = button->GlyphOrigin();
  EXPECT_EQ(At(button, g.x + 1, g.y + 1), Rgb(tk::clBtnShadow));
  EXPECT_EQ(At(button, g.x + 3, g.y + 3), Rgb(tk::clBtnHighlight));
  EXPECT_EQ(At(button, g.x + 3, g.y + 2), Rgb(tk::clBtnHighlight));

  button->SetGrayedInactive(false);
  Flush();
  EXPECT_EQ(Square(button), 0xFF0000u);

  // A fifth image is the inactive picture itself.
  button->SetGrayedInactive(true);
  button->SetNumGlyphs(5);
  button->Glyph()->LoadFromMemory(
      Squares({0xFFFF0000u, 0xFF808080u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu}));
  Flush();
  EXPECT_EQ(Square(button), 0x00FFFFu);
}

TEST_F(ColorGlyphTest, EachStateTakesItsOwnImageOrTheUpImage) {
  button->SetNumGlyphs(4);
  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u, 0xFF808080u, 0xFF0000FFu, 0xFFFFFF00u}));
  Flush();
  EXPECT_EQ(Square(button), 0xFF0000u);
  screen->MouseDown(button->ClientToScreen(p::POINT{10, 10}));
  Flush();
  EXPECT_EQ(Square(button), 0x0000FFu);
  screen->MouseUp(button->ClientToScreen(p::POINT{10, 10}));
  Flush();
  button->SetGroupIndex(1);
  button->SetDown(true);
  Flush();
  EXPECT_EQ(Square(button), 0xFFFF00u);
  button->SetEnabled(false);
  Flush();
  EXPECT_EQ(Square(button), 0x808080u);

  // One image: down shows it too, disabled is embossed.
  button->SetEnabled(true);
  button->SetAllowAllUp(true);
  button->SetDown(false);
  button->SetNumGlyphs(1);
  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u}));
  screen->MouseDown(button->ClientToScreen(p::POINT{10, 10}));
  Flush();
  EXPECT_EQ(Square(button), 0xFF0000u);
  screen->MouseUp(button->ClientToScreen(p::POINT{300, 300}));
  button->SetEnabled(false);
  Flush();
  EXPECT_EQ(Square(button), Rgb(tk::clBtnShadow));
  // Down and up share one picture in the list.
  EXPECT_EQ(button->GlyphObject()->ImageIndex(cbsDown), button->GlyphObject()->ImageIndex(cbsUp));
}

TEST_F(ColorGlyphTest, HotTrackGlyphReplacesTheGlyphWhileHot) {
  button->SetHotTrack(true);
  button->Glyph()->LoadFromMemory(Squares({0xFFFF0000u}));
  Flush();
  screen->MouseMove(button->ClientToScreen(p::POINT{10, 10}));
  Flush();
  EXPECT_EQ(Square(button), 0xFF0000u);  // no hot picture: the glyph stays
  button->HotTrackGlyph()->LoadFromMemory(Squares({0xFF0000FFu}));
  Flush();
  EXPECT_EQ(Square(button), 0x0000FFu);
  screen->MouseMove(button->ClientToScreen(p::POINT{300, 300}));
  Flush();
  EXPECT_EQ(Square(button), 0xFF0000u);
}

TEST_F(ColorGlyphTest, GlyphsComeFromAStoredDescription) {
  auto hex = [](const std::vector<std::uint8_t>& bytes) {
    std::string s;
    char b[3];
    for (std::uint8_t v : bytes) {
      std::snprintf(b, sizeof b, "%02X", v);
      s += b;
    }
    return s;
  };
  auto* stored = new tk::TForm(app.get());
  stored->SetName("Stored");
  component::ReadDescription(*stored,
                             "object Stored: TForm\n"
                             "  object btnGo: TColorSpeedButton\n"
                             "    Width = 73\n"
                             "    Height = 29\n"
                             "    Glyph.Data = {" +
                                 hex(Squares({0xFFFF0000u, 0xFF808080u})) +
                                 "}\n"
                                 "    HotTrackGlyph.Data = {" +
                                 hex(Squares({0xFF0000FFu, 0xFF808080u})) +
                                 "}\n"
                                 "    NumGlyphs = 2\n"
                                 "  end\n"
                                 "end\n",
                             "Stored.sdesc");
  auto* go = dynamic_cast<TColorSpeedButton*>(stored->FindComponent("btnGo"));
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(go->NumGlyphs(), 2);
  EXPECT_EQ(go->GlyphObject()->ImageSize(), (p::SIZE{4, 4}));
  EXPECT_EQ(go->HotTrackGlyphObject()->NumGlyphs(), 2);
  EXPECT_EQ(go->HotTrackGlyph()->Pixel(1, 1), 0xFF0000FFu);
}
