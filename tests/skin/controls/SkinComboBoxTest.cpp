// The skinned combo box on a skinned form: its arrow's place and frames,
// the open list, the read-only box, text alignment, a skin removed and
// restored while it is hot and focused, and extreme sizes and texts.
#include <gtest/gtest.h>

#include <string>

#include "FieldFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Messages.h"
#include "platform/window/VirtualKeys.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/data/SkinData.h"
#include "skin/paint/GlyphMask.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/ComboBox.h"

namespace {

namespace p = platform;
using skin::TSkinComboBox;

class SkinComboBoxTest : public SkinFieldTest {
 protected:
  TSkinComboBox* MakeCombo(int x, int y, int w = 150, int h = 21) {
    auto* combo = new TSkinComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(x, y, w, h);
    for (const char* s : {"Alpha", "Bravo", "Charlie", "Delta"}) combo->Items()->Add(s);
    combo->SetItemIndex(0);
    return combo;
  }
  int GlyphIndex(TSkinComboBox* combo) {
    return skin::FindMask(combo->SkinData()->SkinIndex, "COMBOBOX", "GLYPHMASK");
  }
  // Whether the window shows frame `state` of the arrow at its button.
  bool ShowsArrowFrame(TSkinComboBox* combo, int state) {
    const p::RECT b = combo->ButtonRect();
    // The frame drawn on two plain fills: where both agree, the glyph shows.
    p::SurfaceBuffer one(b.Width(), b.Height(), 0xFF010203u),
        two(b.Width(), b.Height(), 0xFFFEFDFCu);
    skin::DrawGlyphMask(skin::ActiveSkin(), one.View(), p::POINT{0, 0}, state, GlyphIndex(combo),
                        true);
    skin::DrawGlyphMask(skin::ActiveSkin(), two.View(), p::POINT{0, 0}, state, GlyphIndex(combo),
                        true);
    int glyphPixels = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        const std::uint32_t a = one.View().At(x, y), c = two.View().At(x, y);
        if (a != c) continue;
        ++glyphPixels;
        if (WindowPixel(combo, b.left + x, b.top + y) != (a & 0xFFFFFFu)) return false;
      }
    return glyphPixels > 20;
  }
  struct Columns {
    int first, last;
  };
  // The columns of the cache where the text's colour shows.
  Columns TextColumns(TSkinComboBox* combo) {
    const auto& section = skin::ActiveSkin().Sections[std::size_t(combo->SkinData()->SkinIndex)];
    const std::uint32_t font = skin::PixelOf(section.Font.FontColor) & 0xFFFFFFu;
    const graphics::TPixelBitmap& cache = combo->SkinData()->CacheBitmap();
    int first = -1, last = -1;
    for (int x = 3; x < combo->ButtonRect().left; ++x)
      for (int y = 3; y < combo->Height() - 3; ++y)
        if (Rgb(cache, x, y) == font) {
          if (first < 0) first = x;
          last = x;
        }
    return {first, last};
  }
};

TEST_F(SkinComboBoxTest, ArrowSitsInsideTheRightEdgeAndShowsItsThreeFrames) {
  TSkinComboBox* combo = MakeCombo(20, 20);
  auto* other = MakeCombo(20, 80);
  Flush();
  Dump("combo-closed.png");
  ASSERT_TRUE(combo->SkinData()->Skinned());
  EXPECT_EQ(combo->SkinData()->SkinSection(), "COMBOBOX");
  // 19 x 17 from the stored skin's 57 x 34 piece of three frames.
  EXPECT_EQ(combo->ButtonRect(), (p::RECT{129, 2, 148, 19}));
  EXPECT_EQ(combo->GlyphState(), 0);
  EXPECT_TRUE(ShowsArrowFrame(combo, 0));
  EXPECT_EQ(DifferencesFromCache(combo, *combo->SkinData(), Whole(combo)), 0);

  screen->MouseMove(ScreenPoint(combo, 40, 8));
  Flush();
  EXPECT_EQ(combo->SkinData()->MouseAbove, 1);
  EXPECT_EQ(combo->GlyphState(), 1);
  EXPECT_TRUE(ShowsArrowFrame(combo, 1));

  screen->Click(ScreenPoint(combo, 138, 10));
  Flush();
  Dump("combo-open.png");
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(combo->ListDropped());
  EXPECT_EQ(combo->GlyphState(), 2);
  EXPECT_TRUE(ShowsArrowFrame(combo, 2));

  screen->KeyPress(p::VK_DOWN);
  screen->KeyPress(p::VK_RETURN);
  Flush();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->ListDropped());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_NE(combo->GlyphState(), 2);

  // Losing the focus closes an open list.
  combo->SetDroppedDown(true);
  Flush();
  EXPECT_EQ(combo->GlyphState(), 2);
  other->SetFocus();
  Flush();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->ListDropped());
  screen->MouseMove(ScreenPoint(form, 300, 250));
  Flush();
  EXPECT_EQ(combo->GlyphState(), 0);
  EXPECT_TRUE(ShowsArrowFrame(combo, 0));
}

TEST_F(SkinComboBoxTest, FocusedDropDownListKeepsThePlatformFieldInsideTheSkin) {
  TSkinComboBox* combo = MakeCombo(20, 20);
  combo->SetStyle(toolkit::csDropDownList);
  TSkinComboBox* dropDown = MakeCombo(20, 60);
  Flush();
  combo->SetFocus();
  Flush();
  Dump("combo-focused-list.png");
  const skin::TSkinCommonData& d = *combo->SkinData();
  const p::RECT b = combo->ButtonRect();
  EXPECT_EQ(DifferencesFromCache(combo, d, p::RECT{0, 0, 150, 2}), 0);
  EXPECT_EQ(DifferencesFromCache(combo, d, p::RECT{0, 19, 150, 21}), 0);
  EXPECT_EQ(DifferencesFromCache(combo, d, b), 0);
  const std::uint32_t highlight =
      skin::SolidPixel(std::int32_t(toolkit::ColorToRGB(toolkit::clHighlight))) & 0xFFFFFFu;
  EXPECT_EQ(WindowPixel(combo, 80, 10), highlight);

  // The drop-down style shows its whole picture even focused.
  dropDown->SetFocus();
  Flush();
  EXPECT_EQ(DifferencesFromCache(dropDown, *dropDown->SkinData(), Whole(dropDown)), 0);
  EXPECT_EQ(DifferencesFromCache(combo, d, Whole(combo)), 0);
}

TEST_F(SkinComboBoxTest, ReadOnlySwallowsSelectionKeysClicksAndCommands) {
  TSkinComboBox* combo = MakeCombo(20, 20);
  combo->SetReadOnly(true);
  int changes = 0, keys = 0;
  combo->OnChange = [&](component::TObject*) { ++changes; };
  combo->OnKeyDown = [&](component::TObject*, std::uint16_t&, toolkit::TShiftState) { ++keys; };
  Flush();
  combo->SetFocus();
  for (int vk : {p::VK_DOWN, p::VK_END, p::VK_NEXT, p::VK_RIGHT, p::VK_F4}) screen->KeyPress(vk);
  screen->TypeText("c");
  screen->Click(ScreenPoint(combo, 138, 10));
  Flush();
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(keys, 6) << "the program no longer sees the keys";
  EXPECT_TRUE(combo->Focused());
  combo->SetDroppedDown(true);
  EXPECT_FALSE(combo->DroppedDown());
  combo->Perform(toolkit::CN_COMMAND, p::MAKEWPARAM(0, p::CBN_SELCHANGE), 0);
  EXPECT_EQ(changes, 0);

  // Writable again, the same keys pick entries.
  combo->SetReadOnly(false);
  screen->KeyPress(p::VK_DOWN);
  Flush();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(SkinComboBoxTest, TextFollowsTheAlignmentAndStopsBeforeTheArrow) {
  TSkinComboBox* combo = MakeCombo(20, 20);
  Flush();
  const auto left = TextColumns(combo);
  combo->SetAlignment(toolkit::taRightJustify);
  Flush();
  const auto right = TextColumns(combo);
  combo->SetAlignment(toolkit::taCenter);
  Flush();
  const auto centre = TextColumns(combo);
  ASSERT_GE(left.first, 0);
  EXPECT_LE(left.first, 6);
  EXPECT_GE(right.last, combo->ButtonRect().left - 6);
  EXPECT_GT(centre.first, left.first + 10);
  EXPECT_LT(centre.last, right.last - 10);
  EXPECT_EQ(DifferencesFromCache(combo, *combo->SkinData(), Whole(combo)), 0);

  // An over-long entry never runs under the arrow.
  combo->Items()->Add(std::string(5000, 'W'));
  combo->SetItemIndex(4);
  Flush();
  EXPECT_TRUE(ShowsArrowFrame(combo, 0));
}

TEST_F(SkinComboBoxTest, SkinRemovedAndRestoredWhileHotAndFocused) {
  TSkinComboBox* combo = MakeCombo(20, 20);
  auto* plain = new toolkit::TComboBox(form);
  plain->SetParent(form);
  plain->SetBounds(20, 80, 150, 21);
  for (const char* s : {"Alpha", "Bravo"}) plain->Items()->Add(s);
  plain->SetItemIndex(0);
  Flush();
  combo->SetFocus();
  screen->MouseMove(ScreenPoint(combo, 40, 8));
  Flush();
  EXPECT_EQ(combo->GlyphState(), 1);

  Manager()->SetActive(false);
  Flush();
  Dump("combo-removed.png");
  EXPECT_FALSE(combo->SkinData()->Skinned());
  EXPECT_EQ(combo->ButtonRect(), (p::RECT{132, 2, 148, 18}));
  // The platform's own button and field, as the plain combo box shows them.
  EXPECT_EQ(WindowPixel(combo, 140, 10), WindowPixel(plain, 140, 10));
  EXPECT_EQ(WindowPixel(combo, 0, 0), WindowPixel(plain, 0, 0));
  screen->KeyPress(p::VK_DOWN);
  Flush();
  EXPECT_EQ(combo->ItemIndex(), 1);

  Manager()->SetActive(true);
  Flush();
  Dump("combo-restored.png");
  ASSERT_TRUE(combo->SkinData()->Skinned());
  EXPECT_EQ(combo->GlyphState(), 1);
  EXPECT_EQ(DifferencesFromCache(combo, *combo->SkinData(), Whole(combo)), 0);
  EXPECT_TRUE(ShowsArrowFrame(combo, 1));
}

TEST_F(SkinComboBoxTest, ZeroAndHugeSizesAndADisabledBox) {
  TSkinComboBox* combo = MakeCombo(20, 20);
  Flush();
  for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {10, 5}, {3000, 2000}, {150, 21}}) {
    combo->SetBounds(20, 20, w, h);
    combo->SetFocus();
    combo->SetDroppedDown(true);
    Flush();
    form->SetFocus();
    Flush();
    if (w > 0) {
      EXPECT_EQ(combo->SkinData()->CacheBitmap().Width(), w);
    }
  }
  combo->SetEnabled(false);
  Flush();
  Dump("combo-disabled.png");
  EXPECT_EQ(DifferencesFromCache(combo, *combo->SkinData(), Whole(combo)), 0);
  EXPECT_FALSE(ShowsArrowFrame(combo, 0)) << "the arrow is not blended with the form";
}

}  // namespace
