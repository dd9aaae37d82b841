// Frames painted with the stored skin: the console's and the dialog's, in
// both activation states, maximized, and with sizes and captions that do
// not fit.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include "FrameFixture.h"
#include "platform/gdi/Gdi.h"
#include "skin/frame/FramePaint.h"
#include "skin/paint/GlyphMask.h"

namespace {

using namespace skin;

// Caption colours of the stored skin as pixels.
const std::uint32_t kActiveText = PixelOf(0xEAFFFF) & 0xFFFFFF;
const std::uint32_t kInactiveText = PixelOf(0x01657E) & 0xFFFFFF;

class FramePaintTest : public GoldenSkinTest {
 protected:
  TFramePaintInput Console(bool active = true) {
    TFramePaintInput in;
    in.Layout.Width = 799;
    in.Layout.Height = 448;
    in.Layout.MenuHeight = 18;
    in.MenuCaptions = {"File", "Help"};
    in.Active = active;
    in.Caption = "Sprintara";
    in.CaptionAlignment = toolkit::taCenter;
    return in;
  }
  TFramePaintInput Dialog(bool active = true) {
    TFramePaintInput in;
    in.Layout.Width = 400;
    in.Layout.Height = 300;
    in.Layout.Style = toolkit::bsDialog;
    in.Layout.Icons = {};
    in.Layout.ShowAppIcon = false;
    in.Active = active;
    in.Caption = "Competitors";
    in.CaptionAlignment = toolkit::taCenter;
    return in;
  }
  void Paint(const TFramePaintInput& in, const TSkinTables& t = ActiveSkin()) {
    PaintFrame(t, FindFramePieces(t, "FORM"), in, cache, strip);
    if (std::getenv("FRAME_DUMP") && !cache.Empty())
      platform::WritePng(std::string(std::getenv("FRAME_DUMP")) + std::to_string(dumps++) + ".png",
                         SurfaceOf(cache));
  }
  // Columns in the title holding the colour.
  std::pair<int, int> Columns(std::uint32_t color, int top, int bottom) {
    int lo = cache.Width(), hi = -1;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < cache.Width(); ++x)
        if (Rgb(cache, x, y) == color) {
          lo = std::min(lo, x);
          hi = std::max(hi, x);
        }
    return {lo, hi};
  }
  graphics::TPixelBitmap cache;
  int dumps = 0;
  std::vector<std::uint32_t> strip;
};

TEST_F(FramePaintTest, ActiveTitleIsTheHotGradientWithItsCaptionColour) {
  Paint(Console());
  ASSERT_EQ(cache.Width(), 799);
  ASSERT_EQ(cache.Height(), 448);
  // The title's gradient runs from 0x0C84A7 at the top to 0x006680 at the
  // bottom, inside the title's border piece.
  for (int y = 6; y < 20; ++y)
    EXPECT_GE(Rgb(cache, 400, y) >> 16 & 0xFF, Rgb(cache, 400, y + 1) >> 16 & 0xFF) << y;
  EXPECT_NEAR(int(Rgb(cache, 400, 9) >> 8 & 0xFF), 0x7A, 10);
  EXPECT_NEAR(int(Rgb(cache, 400, 20) >> 8 & 0xFF), 0x6A, 10);
  const auto text = Columns(kActiveText, 4, 23);
  ASSERT_LE(text.first, text.second) << "no caption in the active colour";
  EXPECT_EQ(Columns(kInactiveText, 4, 23).second, -1);
  // No fuchsia anywhere.
  EXPECT_EQ(Columns(0xFF00FF, 0, 448).second, -1);
}

TEST_F(FramePaintTest, InactiveWindowHasHalfTransparentIconsAndItsCaptionColour) {
  Paint(Console(false));
  const auto text = Columns(kInactiveText, 4, 23);
  EXPECT_LE(text.first, text.second) << "no caption in the inactive colour";
  EXPECT_EQ(Columns(kActiveText, 4, 23).second, -1);

  // Every pixel of the close icon is half the icon and half what is behind.
  const TSkinTables& t = ActiveSkin();
  const TFramePieces pieces = FindFramePieces(t, "FORM");
  const TFrameLayout l = FrameLayoutFor(t, pieces, Console(false).Layout);
  platform::SurfaceBuffer behind(l.Strip.right - l.Strip.left, l.Strip.bottom - l.Strip.top);
  std::size_t i = 0;
  for (int y = 0; y < behind.Height(); ++y)
    for (int x = 0; x < behind.Width(); ++x) behind.View().At(x, y) = strip[i++];
  platform::SurfaceBuffer opaque = behind;
  const RECT& icon = l.Icon[fiClose];
  DrawGlyphMask(t, opaque.View(), POINT{icon.left - l.Strip.left, icon.top}, 0, pieces.Close, true);
  int mixed = 0;
  for (int y = icon.top; y < icon.bottom; ++y)
    for (int x = icon.left; x < icon.right; ++x) {
      const std::uint32_t b = behind.View().At(x - l.Strip.left, y) & 0xFFFFFF;
      const std::uint32_t o = opaque.View().At(x - l.Strip.left, y) & 0xFFFFFF;
      const std::uint32_t got = Rgb(cache, x, y);
      for (int shift : {0, 8, 16}) {
        const int want = (int(b >> shift & 0xFF) + int(o >> shift & 0xFF)) / 2;
        ASSERT_NEAR(int(got >> shift & 0xFF), want, 1) << x << "," << y;
      }
      mixed += b != o;
    }
  EXPECT_GT(mixed, 20);

  // The active window draws the same icon opaque.
  Paint(Console(true));
  TFramePaintInput active = Console(true);
  const TFrameLayout la = FrameLayoutFor(t, pieces, active.Layout);
  EXPECT_EQ(la.Icon[fiClose], icon);
}

TEST_F(FramePaintTest, MaximizedWindowShowsTheRestorePicture) {
  // The stored skin draws maximize and restore alike; a copy whose restore
  // picture is the help picture tells them apart.
  TSkinTables t = ActiveSkin();
  const TFramePieces pieces = FindFramePieces(t, "FORM");
  t.Masks[std::size_t(pieces.Normal)].R = t.Masks[std::size_t(pieces.Help)].R;
  TFramePaintInput in = Console();
  Paint(in, t);
  const TFrameLayout l = FrameLayoutFor(t, pieces, in.Layout);
  graphics::TPixelBitmap normal;
  normal.SetSize(799, 448);
  std::copy_n(cache.Bits(), 799 * 448, normal.Bits());
  in.Layout.Maximized = true;
  Paint(in, t);
  auto differs = [&](const RECT& r) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Rgb(cache, x, y) != Rgb(normal, x, y)) return true;
    return false;
  };
  EXPECT_TRUE(differs(l.Icon[fiMaximize]));
  EXPECT_FALSE(differs(l.Icon[fiClose]));
  EXPECT_FALSE(differs(l.Icon[fiMinimize]));
}

TEST_F(FramePaintTest, DialogCentresItsCaptionWithoutIcons) {
  Paint(Dialog());
  const TFrameLayout l =
      FrameLayoutFor(ActiveSkin(), FindFramePieces(ActiveSkin(), "FORM"), Dialog().Layout);
  const auto text = Columns(kActiveText, 3, 22);
  ASSERT_LE(text.first, text.second);
  const int middle = (l.Text.left + l.Text.right) / 2;
  EXPECT_NEAR((text.first + text.second) / 2, middle, 3);
  EXPECT_TRUE(strip.empty());
  // The title right of the caption is plain gradient: no icon drawn there.
  for (int x = 340; x < 397; ++x) EXPECT_EQ(Rgb(cache, x, 12), Rgb(cache, 330, 12)) << x;
}

TEST_F(FramePaintTest, IconRedrawnFromTheSavedStripInItsState) {
  const TSkinTables& t = ActiveSkin();
  const TFramePieces pieces = FindFramePieces(t, "FORM");
  TFramePaintInput in = Console();
  Paint(in);
  const TFrameLayout l = FrameLayoutFor(t, pieces, in.Layout);
  graphics::TPixelBitmap before;
  before.SetSize(799, 448);
  std::copy_n(cache.Bits(), 799 * 448, before.Bits());
  in.IconStates[fiClose] = 1;
  PaintFrameIcon(t, pieces, in, l, fiClose, cache, strip);
  bool changed = false;
  for (int y = l.Icon[fiClose].top; y < l.Icon[fiClose].bottom; ++y)
    for (int x = l.Icon[fiClose].left; x < l.Icon[fiClose].right; ++x)
      changed |= Rgb(cache, x, y) != Rgb(before, x, y);
  EXPECT_TRUE(changed);
  in.IconStates[fiClose] = 0;
  PaintFrameIcon(t, pieces, in, l, fiClose, cache, strip);
  for (int y = 0; y < 30; ++y)
    for (int x = 700; x < 799; ++x) ASSERT_EQ(Rgb(cache, x, y), Rgb(before, x, y));
}

TEST_F(FramePaintTest, SizesAndCaptionsThatDoNotFit) {
  TFramePaintInput in = Console();
  in.Layout.Width = in.Layout.Height = 0;
  Paint(in);
  EXPECT_TRUE(cache.Empty());
  in.Layout.Width = 3;
  in.Layout.Height = 3;
  Paint(in);  // smaller than the title: only the frame
  EXPECT_EQ(cache.Width(), 3);
  in.Layout.Width = 100000;
  in.Layout.Height = 100000;
  Paint(in);
  EXPECT_TRUE(cache.Empty());
  EXPECT_FALSE(FramePaintable(kMaxFrameSide + 1, 10));

  in = Console();
  in.Layout.Width = 200;
  in.Caption = std::string(5000, 'W');
  in.CaptionAlignment = toolkit::taLeftJustify;
  Paint(in);
  const TFrameLayout l =
      FrameLayoutFor(ActiveSkin(), FindFramePieces(ActiveSkin(), "FORM"), in.Layout);
  const auto text = Columns(kActiveText, 4, 23);
  ASSERT_LE(text.first, text.second);
  EXPECT_GE(text.first, l.Text.left);
  EXPECT_LT(text.second, l.Text.right);

  toolkit::TCanvas& canvas = *cache.Canvas();
  EXPECT_EQ(FitCaption(canvas, "Short", 1000), "Short");
  const std::string cut = FitCaption(canvas, std::string(300, 'x'), 60);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_LE(canvas.TextWidth(cut), 60);
  EXPECT_EQ(FitCaption(canvas, "Anything", 1), "");
}

// The bar items in their normal, hot and disabled looks: each look changes
// its own item and nothing else of the frame.
TEST_F(FramePaintTest, BarItemsLightUpWhenHotAndGreyWhenDisabled) {
  const TFramePaintInput base = Console();
  const TFrameLayout l =
      FrameLayoutFor(ActiveSkin(), FindFramePieces(ActiveSkin(), "FORM"), base.Layout);
  ASSERT_FALSE(l.MenuBar.IsEmpty());
  Paint(base);
  std::vector<std::uint32_t> normal;
  for (int y = 0; y < cache.Height(); ++y)
    for (int x = 0; x < cache.Width(); ++x) normal.push_back(Rgb(cache, x, y));
  // Columns of the bar where the frame differs from the normal one, and
  // whether it differs anywhere outside the bar.
  auto changed = [&](const TFramePaintInput& in) {
    Paint(in);
    std::pair<int, int> cols{cache.Width(), -1};
    bool outside = false;
    for (int y = 0; y < cache.Height(); ++y)
      for (int x = 0; x < cache.Width(); ++x) {
        if (Rgb(cache, x, y) == normal[std::size_t(y * cache.Width() + x)]) continue;
        if (y < l.MenuBar.top || y >= l.MenuBar.bottom) outside = true;
        cols = {std::min(cols.first, x), std::max(cols.second, x)};
      }
    EXPECT_FALSE(outside);
    return cols;
  };
  TFramePaintInput in = base;
  in.HotMenuItem = 0;
  const auto hotFile = changed(in);
  // The stored skin fills a hot item.
  const std::uint32_t fill = PixelOf(0x0A769A) & 0xFFFFFF;
  EXPECT_EQ(Rgb(cache, hotFile.first + 1, l.MenuBar.top + 2), fill);
  in.HotMenuItem = 1;
  const auto hotHelp = changed(in);
  in.HotMenuItem = -1;
  in.MenuEnabled = {true, false};
  const auto greyHelp = changed(in);
  ASSERT_LE(hotFile.first, hotFile.second) << "a hot item looks like a normal one";
  ASSERT_LE(greyHelp.first, greyHelp.second) << "a disabled item looks like an enabled one";
  EXPECT_LT(hotFile.second, hotHelp.first);
  EXPECT_GE(greyHelp.first, hotHelp.first);
  EXPECT_LE(greyHelp.second, hotHelp.second);
}

TEST_F(FramePaintTest, WithoutAFrameSectionNothingIsPainted) {
  TFramePaintInput in = Console();
  PaintFrame(ActiveSkin(), FindFramePieces(ActiveSkin(), "NOSUCHFRAME"), in, cache, strip);
  EXPECT_TRUE(cache.Empty());
}

}  // namespace
