// The skinned push button on a skinned form of the headless screen: its
// looks in each state against the stored skin, the mouse and keyboard,
// the default button, fading, and what it survives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "ControlFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "skin/SkinManager.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"

namespace {

namespace p = platform;
using namespace skin;

class SkinButtonTest : public SkinControlTest {
 protected:
  TSkinButton* MakeButton(int x, int y, const std::string& caption = "OK") {
    auto* b = new TSkinButton(form);
    b->SetParent(form);
    b->SetBounds(x, y, 75, 25);
    b->SetCaption(caption);
    b->SkinData()->SetSkinSection("BUTTON");
    b->OnClick = [this](component::TObject*) { ++clicks; };
    Flush();
    return b;
  }
  // Runs the fade timers until no fade is left.
  void FinishFades() {
    for (int i = 0; i < 40; ++i) {
      screen->AdvanceClock(20);
      Flush();
    }
  }
  // The screen pixels of a control's client area.
  std::uint32_t Shown(TSkinButton* b, int x, int y) { return ClientPixel(b, x, y); }
  static std::uint32_t Cached(TSkinButton* b, int x, int y) {
    return Rgb(b->SkinData()->CacheBitmap(), x, y);
  }
  // Positions of pure black pixels inside the button's inner area (the
  // caption's hot colour there).
  static std::set<std::pair<int, int>> BlackPixels(TSkinButton* b, int from = 4, int to = -4) {
    std::set<std::pair<int, int>> out;
    const auto& cache = b->SkinData()->CacheBitmap();
    if (to <= 0) to += cache.Width();
    for (int y = 4; y < cache.Height() - 4; ++y)
      for (int x = from; x < to; ++x)
        if (Rgb(cache, x, y) == 0) out.insert({x, y});
    return out;
  }
  void Hover(TSkinButton* b, int x, int y) {
    screen->MouseMove(ScreenPoint(b, x, y));
    screen->Pump();
  }
  void RemoveSkin() {
    GlobalSkin().Manager->SetActive(false);
    Flush();
  }
  void RestoreSkin() {
    GlobalSkin().Manager->SetActive(true);
    Flush();
  }
  int clicks = 0;
};

// --- looks

TEST_F(SkinButtonTest, FocusAloneMakesItHotAsTheMouseDoes) {
  TSkinButton* normal = MakeButton(20, 20, "");
  TSkinButton* focused = MakeButton(120, 20, "");
  TSkinButton* hovered = MakeButton(220, 20, "");
  focused->SetFocus();
  Hover(hovered, 30, 12);
  FinishFades();
  Dump("button-states.png");
  ASSERT_TRUE(normal->Skinned());
  EXPECT_EQ(normal->CurrentState(), 0);
  EXPECT_EQ(focused->CurrentState(), 1);
  EXPECT_EQ(focused->SkinData()->MouseAbove, 0);
  EXPECT_EQ(Shown(normal, 37, 12), Cached(normal, 37, 12));
  EXPECT_EQ(Shown(focused, 37, 12), Cached(focused, 37, 12));
  // BUTTON's hot gradient passes through white where the normal one does not.
  EXPECT_NE(Shown(normal, 37, 12), Shown(focused, 37, 12));
  for (int y : {3, 8, 12, 20}) EXPECT_EQ(Shown(hovered, 37, y), Shown(focused, 37, y)) << y;
}

TEST_F(SkinButtonTest, PressedShowsTheThirdFrameAndMovesTheCaption) {
  TSkinButton* down = MakeButton(20, 20, "Go");
  TSkinButton* pressed = MakeButton(120, 20, "Go");
  down->SetDown(true);
  Flush();
  screen->MouseDown(ScreenPoint(pressed, 37, 12));
  Flush();
  Dump("button-pressed.png");
  ASSERT_TRUE(pressed->Pressed());
  EXPECT_EQ(pressed->CurrentState(), 2);
  EXPECT_EQ(down->CurrentState(), 2);

  // The top-left corner of BUTTON's border piece, frame 2 of its three.
  const TSkinTables& t = ActiveSkin();
  const int mask = pressed->SkinData()->BorderMaskIndex;
  ASSERT_TRUE(t.ValidMask(mask));
  const TSkinMaskData& piece = t.Masks[std::size_t(mask)];
  ASSERT_EQ(piece.ImageCount, 3);
  const int frameWidth = piece.R.Width() / piece.ImageCount;
  const int cell = frameWidth / 3;
  ASSERT_EQ(piece.MaskType, 1);
  const int maskOffset = piece.R.Height() / 2;
  int checked = 0, unlikeFirst = 0;
  for (int y = 0; y < cell; ++y)
    for (int x = 0; x < cell; ++x) {
      const int sx = piece.R.left + 2 * frameWidth + x, sy = piece.R.top + y;
      const std::uint32_t src = t.Master.At(sx, sy) & 0xFFFFFFu;
      // Only where the piece is drawn as it is: not see-through, mask black.
      if (src == (kFuchsiaPixel & 0xFFFFFFu) || (t.Master.At(sx, sy + maskOffset) & 0xFFFFFFu))
        continue;
      EXPECT_EQ(Cached(pressed, x, y), src) << x << "," << y;
      EXPECT_EQ(Shown(pressed, x, y), src) << x << "," << y;
      if ((t.Master.At(sx - 2 * frameWidth, sy) & 0xFFFFFFu) != src) ++unlikeFirst;
      ++checked;
    }
  EXPECT_GT(checked, 0);
  EXPECT_GT(unlikeFirst, 0) << "frames 0 and 2 alike: the check proves nothing";

  // The same hot caption, one pixel down and right of the Down button's
  // (the focus dots of the pressed one kept out of the way).
  pressed->SetFocusMargin(20);
  Flush();
  const auto still = BlackPixels(down, 20, 56), moved = BlackPixels(pressed, 20, 56);
  ASSERT_FALSE(still.empty());
  std::set<std::pair<int, int>> shifted;
  for (auto [x, y] : still) shifted.insert({x + 1, y + 1});
  EXPECT_EQ(moved, shifted);
  screen->MouseUp(ScreenPoint(pressed, 37, 12));
  Flush();
}

TEST_F(SkinButtonTest, DisabledIsHalfAndHalfWithTheGradientBehind) {
  TSkinButton* b = MakeButton(40, 150, "");
  ASSERT_TRUE(b->Skinned());
  b->PaintCache();
  const graphics::TPixelBitmap& cache = b->SkinData()->CacheBitmap();
  std::vector<std::uint32_t> enabled;
  for (int x = 0; x < 75; ++x) enabled.push_back(*cache.PixelPointer(x, 12));
  const TParentBackground bg = b->SkinData()->ParentBackground();
  ASSERT_TRUE(bg.Valid);
  b->SetEnabled(false);
  Flush();
  Dump("button-disabled.png");
  for (int x = 3; x < 72; ++x) {
    const std::uint32_t behind = bg.Bitmap.At(x + bg.X, 12 + bg.Y);
    const std::uint32_t want = MixHalf(behind, enabled[std::size_t(x)]) & 0xFFFFFFu;
    EXPECT_EQ(Shown(b, x, 12), want) << x;
  }
  // The gradient behind is the form's: the window below the button shows it.
  EXPECT_EQ(FormPixel(39, 162), bg.Bitmap.At(bg.X - 1, 12 + bg.Y) & 0xFFFFFFu);
}

TEST_F(SkinButtonTest, FocusDotsAroundTheCaptionOnlyWhenFocused) {
  TSkinButton* b = MakeButton(20, 20, "Start");
  const auto before = BlackPixels(b);
  b->SetFocus();
  Flush();
  // Focus turns the caption hot (black) and adds black dots around it.
  const auto after = BlackPixels(b);
  EXPECT_GT(after.size(), before.size());
  int minX = 999, maxX = -1;
  for (auto [x, y] : after) minX = std::min(minX, x), maxX = std::max(maxX, x);
  // Dots lie FocusMargin (1) outside the caption: wider than the text alone.
  b->SetFocusMargin(4);
  Flush();
  int minX4 = 999, maxX4 = -1;
  for (auto [x, y] : BlackPixels(b)) minX4 = std::min(minX4, x), maxX4 = std::max(maxX4, x);
  EXPECT_LE(minX4, minX - 2);
  EXPECT_GE(maxX4, maxX + 2);
}

// --- mouse and keyboard

TEST_F(SkinButtonTest, ClicksOnlyWhenReleasedInside) {
  TSkinButton* b = MakeButton(20, 20);
  screen->Click(ScreenPoint(b, 30, 12));
  Flush();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b->Pressed());

  screen->MouseDown(ScreenPoint(b, 30, 12));
  Flush();
  EXPECT_TRUE(b->Pressed());
  EXPECT_FALSE(app->ShowHint());  // no hint over a button held down
  screen->MouseMove(ScreenPoint(b, 200, 12));
  screen->MouseUp(ScreenPoint(b, 200, 12));
  Flush();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(p::GetCapture(), p::HWND{});
  EXPECT_TRUE(app->ShowHint());
  // Hints stay off when they were off, and come back when the press ends
  // another way.
  app->SetShowHint(false);
  screen->Click(ScreenPoint(b, 30, 12));
  Flush();
  EXPECT_FALSE(app->ShowHint());
  app->SetShowHint(true);
  screen->MouseDown(ScreenPoint(b, 30, 12));
  Flush();
  p::ReleaseCapture();
  EXPECT_FALSE(b->Pressed());
  EXPECT_TRUE(app->ShowHint());
  screen->MouseUp(ScreenPoint(b, 30, 12));
  Flush();
  EXPECT_EQ(clicks, 2);  // that press ended without a click

  b->SetEnabled(false);
  Flush();
  screen->Click(ScreenPoint(b, 30, 12));
  Flush();
  EXPECT_EQ(clicks, 2);
}

TEST_F(SkinButtonTest, SpaceBarPressesAndClicks) {
  TSkinButton* b = MakeButton(20, 20);
  b->SetFocus();
  Flush();
  screen->KeyDown(p::VK_SPACE);
  Flush();
  EXPECT_TRUE(b->Pressed());
  EXPECT_EQ(b->CurrentState(), 2);
  EXPECT_EQ(clicks, 0);
  screen->KeyUp(p::VK_SPACE);
  Flush();
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, DefaultButtonIsHotUnlessAnotherButtonHasTheFocus) {
  TSkinButton* ok = MakeButton(20, 20, "OK");
  TSkinButton* other = MakeButton(120, 20, "Other");
  ok->SetDefault(true);
  auto* edit = new toolkit::TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(20, 80, 100, 21);
  edit->SetFocus();
  Flush();
  EXPECT_EQ(ok->CurrentState(), 1);
  const std::uint32_t hot = Shown(ok, 8, 12);
  EXPECT_EQ(hot, Cached(ok, 8, 12));

  other->SetFocus();
  Flush();
  Dump("button-default.png");
  EXPECT_EQ(ok->CurrentState(), 0);
  EXPECT_NE(Shown(ok, 8, 12), hot);

  edit->SetFocus();
  Flush();
  EXPECT_EQ(ok->CurrentState(), 1);
  EXPECT_EQ(Shown(ok, 8, 12), hot);

  // Enter clicks the default button, Escape the cancel button.
  int cancels = 0;
  other->SetCancel(true);
  other->OnClick = [&](component::TObject*) { ++cancels; };
  screen->KeyPress(p::VK_RETURN);
  Flush();
  EXPECT_EQ(clicks, 1);
  screen->KeyPress(p::VK_ESCAPE);
  Flush();
  EXPECT_EQ(cancels, 1);
}

// --- fading

TEST_F(SkinButtonTest, FadesInOnEnterAndOutOnLeave) {
  TSkinButton* b = MakeButton(20, 20, "");
  int entered = 0, left = 0;
  b->OnMouseEnter = [&](component::TObject*) { ++entered; };
  b->OnMouseLeave = [&](component::TObject*) { ++left; };
  const std::uint32_t normal = Shown(b, 37, 12);
  Hover(b, 30, 12);
  EXPECT_EQ(entered, 1);
  EXPECT_TRUE(b->Fading());
  // Halfway, the window shows neither picture.
  screen->AdvanceClock(5);
  screen->Pump();
  screen->AdvanceClock(5);
  screen->Pump();
  const std::uint32_t mid = Shown(b, 37, 12);
  FinishFades();
  EXPECT_FALSE(b->Fading());
  const std::uint32_t hot = Shown(b, 37, 12);
  EXPECT_EQ(hot, Cached(b, 37, 12));
  EXPECT_NE(hot, normal);
  EXPECT_NE(mid, normal);
  EXPECT_NE(mid, hot);

  Hover(b, 200, 200);
  EXPECT_EQ(left, 1);
  EXPECT_TRUE(b->Fading());
  FinishFades();
  EXPECT_FALSE(b->Fading());
  // The fade out's end gives the timer up (after its tick returned).
  EXPECT_EQ(b->FadeTimer(), nullptr);
  EXPECT_EQ(Shown(b, 37, 12), normal);
}

TEST_F(SkinButtonTest, PressStopsTheFadeAndDestroyingMidFadeIsSafe) {
  TSkinButton* b = MakeButton(20, 20);
  Hover(b, 30, 12);
  ASSERT_TRUE(b->Fading());
  screen->MouseDown(ScreenPoint(b, 30, 12));
  Flush();
  EXPECT_FALSE(b->Fading());
  EXPECT_EQ(b->CurrentState(), 2);
  screen->MouseUp(ScreenPoint(b, 30, 12));
  Flush();

  Hover(b, 200, 200);
  Hover(b, 30, 12);
  ASSERT_TRUE(b->Fading());
  delete b;
  FinishFades();
  SUCCEED();
}

// --- what it survives

TEST_F(SkinButtonTest, WithoutASectionItIsThePlainButton) {
  auto* plain = new toolkit::TButton(form);
  plain->SetParent(form);
  plain->SetBounds(20, 60, 75, 25);
  plain->SetCaption("OK");
  TSkinButton* b = MakeButton(120, 60, "OK");
  b->SkinData()->SetSkinSection("NO_SUCH_SECTION");
  Flush();
  EXPECT_FALSE(b->Skinned());
  for (auto [x, y] :
       {std::pair{0, 0}, std::pair{1, 1}, std::pair{37, 3}, std::pair{10, 12}, std::pair{73, 23}})
    EXPECT_EQ(Shown(b, x, y), ClientPixel(plain, x, y)) << x << "," << y;
  screen->Click(ScreenPoint(b, 30, 12));
  Flush();
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, SkinRemovedAndRestoredWhileHotFocusedOrFading) {
  auto* plain = new toolkit::TButton(form);
  plain->SetParent(form);
  plain->SetBounds(20, 200, 75, 25);
  plain->SetCaption("OK");
  TSkinButton* focused = MakeButton(20, 20, "OK");
  TSkinButton* fading = MakeButton(120, 20, "OK");
  TSkinButton* pressed = MakeButton(220, 20, "OK");
  focused->SetFocus();
  Hover(fading, 30, 12);
  ASSERT_TRUE(fading->Fading());
  const std::uint32_t hot = Shown(focused, 37, 12);

  RemoveSkin();
  Dump("button-unskinned.png");
  for (TSkinButton* b : {focused, fading, pressed}) {
    EXPECT_FALSE(b->Skinned());
    EXPECT_FALSE(b->Fading());
    // No shape left from the border piece: the corner is the plain button's.
    EXPECT_EQ(Shown(b, 0, 0), ClientPixel(plain, 0, 0));
    EXPECT_EQ(Shown(b, 10, 12), ClientPixel(plain, 10, 12));
  }
  screen->MouseDown(ScreenPoint(pressed, 30, 12));
  Flush();

  RestoreSkin();
  screen->MouseUp(ScreenPoint(pressed, 30, 12));
  FinishFades();
  Dump("button-restored.png");
  for (TSkinButton* b : {focused, fading, pressed}) {
    EXPECT_TRUE(b->Skinned());
    EXPECT_EQ(Shown(b, 37, 12), Cached(b, 37, 12));
  }
  EXPECT_EQ(Shown(focused, 37, 12), hot);
}

TEST_F(SkinButtonTest, ZeroAndHugeSizesAndOddCaptions) {
  TSkinButton* b = MakeButton(20, 20);
  b->SetBounds(20, 20, 0, 0);
  Flush();
  b->SetBounds(20, 20, 1, 1);
  Flush();
  b->SetBounds(-50, -50, 3000, 2000);
  b->SetFocus();
  Flush();
  EXPECT_EQ(b->SkinData()->CacheBitmap().Width(), 3000);
  EXPECT_EQ(b->SkinData()->OutsideParent, 1);
  b->SetBounds(20, 20, 75, 25);
  b->SetCaption(std::string(5000, 'W') + " " + std::string(3000, 'x'));
  Flush();
  EXPECT_EQ(Shown(b, 37, 2), Cached(b, 37, 2));
  b->SetCaption("");
  Flush();
  EXPECT_EQ(b->SkinData()->OutsideParent, 0);
  EXPECT_EQ(Shown(b, 37, 12), Cached(b, 37, 12));
}

}  // namespace
