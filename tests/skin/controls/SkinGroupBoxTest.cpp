// The skinned group box on a skinned form: its border and caption from the
// stored skin, the window's gradient through it, and the picture it gives
// the controls inside it.
#include <gtest/gtest.h>

#include <string>

#include "ControlFixture.h"
#include "skin/SkinManager.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinLabel.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/GroupBox.h"

namespace {

namespace p = platform;
using namespace skin;

class SkinGroupBoxTest : public SkinControlTest {
 protected:
  TSkinGroupBox* MakeBox(int x, int y, int w, int h, const std::string& caption) {
    auto* b = new TSkinGroupBox(form);
    b->SetParent(form);
    b->SetBounds(x, y, w, h);
    b->SetCaption(caption);
    b->SkinData()->SetSkinSection("GROUPBOX");
    Flush();
    return b;
  }
  static std::uint32_t Cached(TSkinGroupBox* b, int x, int y) {
    return Rgb(b->SkinData()->CacheBitmap(), x, y);
  }
  // How many pixels of r in the box's cache have the section's font colour.
  static int CaptionPixels(TSkinGroupBox* b, const RECT& r) {
    const TSkinGeneralData& s = ActiveSkin().Sections[std::size_t(b->SkinData()->SkinIndex)];
    const std::uint32_t ink = PixelOf(s.Font.FontColor) & 0xFFFFFFu;
    int n = 0;
    for (int y = std::max(0, r.top); y < r.bottom; ++y)
      for (int x = std::max(0, r.left); x < r.right; ++x)
        if (Cached(b, x, y) == ink) ++n;
    return n;
  }
};

TEST_F(SkinGroupBoxTest, WithoutCaptionTheBorderStartsAtTheVeryTop) {
  TSkinGroupBox* bare = MakeBox(60, 20, 200, 80, "");
  TSkinGroupBox* titled = MakeBox(60, 120, 200, 80, "Title");
  const RECT caption = titled->CaptionRect();
  const int middle = caption.top + caption.Height() / 2;
  ASSERT_GT(middle, 2);
  // Far from the caption, the top edge of the frame: at row 0 of the bare
  // box, at the caption's middle in the titled one (same column, and the
  // gradient behind depends on the column only).
  for (int x : {150, 190}) {
    EXPECT_EQ(Cached(bare, x, 0), Cached(titled, x, middle)) << x;
    EXPECT_NE(Cached(bare, x, 0), Cached(bare, x, 40)) << x;
    // Above the frame of the titled box: only the gradient.
    EXPECT_EQ(Cached(titled, x, 0), Cached(titled, x, 40)) << x;
  }
}

TEST_F(SkinGroupBoxTest, CaptionLayouts) {
  TSkinGroupBox* box = MakeBox(20, 20, 240, 100, "Results");
  const RECT left = box->CaptionRect();
  EXPECT_EQ(left.left, 6);
  const int textWidth = left.Width() - 8;
  ASSERT_GT(textWidth, 10);
  EXPECT_EQ(left.top, 0);
  EXPECT_GT(CaptionPixels(box, left), 0);
  // The frame line does not run through the caption.
  EXPECT_EQ(Cached(box, left.left + 1, left.top + left.Height() / 2),
            Cached(box, left.left + 1, 50));

  box->SetCaptionLayout(clTopCenter);
  Flush();
  const RECT center = box->CaptionRect();
  EXPECT_EQ(center.left, (240 - textWidth - 10) / 2);
  EXPECT_GT(CaptionPixels(box, center), 0);
  EXPECT_EQ(CaptionPixels(box, left), 0);

  box->SetCaptionLayout(clTopRight);
  box->SetCaptionYOffset(3);
  Flush();
  const RECT right = box->CaptionRect();
  EXPECT_EQ(right.left, 240 - textWidth - 14);
  EXPECT_EQ(right.top, 3);
  EXPECT_GT(CaptionPixels(box, right), 0);

  // Narrower than its caption: the rectangle stays inside the box.
  box->SetBounds(20, 20, 30, 100);
  Flush();
  const RECT squeezed = box->CaptionRect();
  EXPECT_EQ(squeezed.left, 0);
  EXPECT_LE(squeezed.right, 30);
}

TEST_F(SkinGroupBoxTest, ChildrenSeeTheGradientThroughTheBox) {
  TSkinGroupBox* box = MakeBox(40, 40, 240, 160, "Box");
  auto* b = new TSkinButton(form);
  b->SetParent(box);
  b->SetBounds(30, 40, 75, 25);
  b->SkinData()->SetSkinSection("BUTTON");
  Flush();
  ASSERT_TRUE(box->Skinned());
  // The gradient runs across the window: inside the box each column has the
  // colour it has below the box.
  for (int x : {20, 100, 180}) EXPECT_EQ(ClientPixel(box, x, 120), FormPixel(40 + x, 250)) << x;
  const TParentBackground bg = b->SkinData()->ParentBackground();
  ASSERT_TRUE(bg.Valid);
  EXPECT_EQ(bg.Bitmap.width, 240);
  // What the button blends over is the box's picture, which is the window's
  // gradient there.
  EXPECT_EQ(bg.Bitmap.At(bg.X + 10, bg.Y + 10) & 0xFFFFFFu, Cached(box, 40, 50));
  EXPECT_EQ(Cached(box, 40, 50), FormPixel(80, 250));

  b->PaintCache();
  std::vector<std::uint32_t> enabled;
  for (int x = 0; x < 75; ++x) enabled.push_back(*b->SkinData()->CacheBitmap().PixelPointer(x, 12));
  b->SetEnabled(false);
  Flush();
  Dump("groupbox-child.png");
  for (int x = 3; x < 72; x += 7)
    EXPECT_EQ(ClientPixel(b, x, 12),
              MixHalf(Cached(box, 30 + x, 52) | kOpaque, enabled[std::size_t(x)]) & 0xFFFFFFu)
        << x;

  // Moved, the box tells its children, who paint over its new picture.
  box->SetBounds(60, 60, 240, 160);
  Flush();
  EXPECT_EQ(ClientPixel(b, 37, 12), Rgb(b->SkinData()->CacheBitmap(), 37, 12));
  EXPECT_EQ(Rgb(b->SkinData()->CacheBitmap(), 37, 12),
            MixHalf(Cached(box, 67, 52) | kOpaque, enabled[37]) & 0xFFFFFFu);
}

TEST_F(SkinGroupBoxTest, PreparingWhileItsPictureIsStale) {
  TSkinGroupBox* box = MakeBox(40, 40, 200, 100, "Box");
  EXPECT_EQ(box->Perform(SKM_PREPARING, 0, 0), 0);
  box->Perform(SKM_SETBGCHANGED, 0, 1);
  EXPECT_EQ(box->Perform(SKM_PREPARING, 0, 0), 1);
  box->Invalidate();
  Flush();
  EXPECT_EQ(box->Perform(SKM_PREPARING, 0, 0), 0);
  box->Perform(SKM_SETUPDATING, 0, 1);
  EXPECT_EQ(box->Perform(SKM_PREPARING, 0, 0), 1);
  box->Perform(SKM_SETUPDATING, 0, 0);
  // A text change repaints it.
  box->SetCaption("Another");
  EXPECT_EQ(box->SkinData()->CacheStale, 1);
  Flush();
  EXPECT_GT(CaptionPixels(box, box->CaptionRect()), 0);
}

TEST_F(SkinGroupBoxTest, SkinRemovedAndRestored) {
  auto* plain = new toolkit::TGroupBox(form);
  plain->SetParent(form);
  plain->SetBounds(20, 170, 150, 100);
  plain->SetCaption("Box");
  TSkinGroupBox* box = MakeBox(200, 170, 150, 100, "Box");
  auto* label = new TSkinLabel(form);
  label->SetParent(box);
  label->SetBounds(20, 40, 60, 15);
  label->SetCaption("inside");
  const std::uint32_t skinned = ClientPixel(box, 75, 50);

  GlobalSkin().Manager->SetActive(false);
  Flush();
  EXPECT_FALSE(box->Skinned());
  for (int x : {0, 30, 75, 149}) EXPECT_EQ(ClientPixel(box, x, 50), ClientPixel(plain, x, 50)) << x;
  // Unskinned, it does not hold the controls inside it back.
  EXPECT_EQ(box->Perform(SKM_PREPARING, 0, 0), 0);

  GlobalSkin().Manager->SetActive(true);
  Flush();
  EXPECT_TRUE(box->Skinned());
  EXPECT_EQ(ClientPixel(box, 75, 50), skinned);
  box->SetBounds(200, 170, 0, 0);
  Flush();
  box->SetBounds(200, 170, 5000, 3000);
  Flush();
  box->SetCaption(std::string(4000, 'M'));
  Flush();
  EXPECT_LE(box->CaptionRect().right, 5000);
}

}  // namespace
