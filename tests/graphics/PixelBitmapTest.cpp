// The bitmap: sizes and their failures, fills, blended lines, bevels, text,
// copying from other pictures, update counting and the stored Data block.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "component/Exception.h"
#include "graphics/Blend.h"
#include "graphics/Graphic.h"
#include "graphics/PixelBitmap.h"

using namespace graphics;
namespace p = platform;

namespace {

// Counts notifications, in order.
struct Log {
  std::string events;
  void Attach(TPixelBitmap& b) {
    b.OnChange = [this](component::TObject*) { events += "C"; };
    b.OnResize = [this](component::TObject*) { events += "R"; };
    b.OnHandleChanged = [this](component::TObject*) { events += "H"; };
  }
};

std::vector<std::uint8_t> Block(std::int32_t w, std::int32_t h, std::size_t pixels) {
  std::vector<std::uint8_t> b(8 + pixels * 4);
  std::memcpy(b.data(), &w, 4);
  std::memcpy(b.data() + 4, &h, 4);
  for (std::size_t i = 0; i < pixels * 4; ++i) b[8 + i] = std::uint8_t(i * 7 + 1);
  return b;
}

}  // namespace

TEST(PixelBitmap, SizeChangesNotifyChangeBeforeResize) {
  TPixelBitmap b;
  Log log;
  log.Attach(b);
  EXPECT_TRUE(b.Empty());
  EXPECT_TRUE(b.SetSize(4, 3));
  EXPECT_EQ(log.events, "HCR");
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(b.ClipRect(), (RECT{0, 0, 4, 3}));
  EXPECT_EQ(b.RowPointer(1), b.Bits() + 4);  // no gap between rows
  EXPECT_EQ(b.PixelPointer(2, 1), b.Bits() + 6);
  log.events.clear();
  EXPECT_FALSE(b.SetSize(4, 3));
  EXPECT_EQ(log.events, "");
  b.Delete();
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
}

TEST(PixelBitmap, NegativeSizesCountAsZero) {
  TPixelBitmap b;
  Log log;
  log.Attach(b);
  EXPECT_TRUE(b.SetSize(-5, 10));
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 10);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Bits(), nullptr);
  EXPECT_EQ(b.RowPointer(0), nullptr);
  log.events.clear();
  b.Clear(0xFFFFFFFF);
  b.FillRect(0, 0, 5, 5, 0xFFFFFFFF);  // safe without a store
  b.HorzLineBlend(0, 0, 4, 0xFFFFFFFF);
  b.DrawBevel(0, 0, 5, 5, 100);
  b.TextOut(RECT{0, 0, 5, 5}, 0, "x");
  EXPECT_EQ(log.events, "C");  // only FillRect's notification
}

TEST(PixelBitmap, AStoreThatCannotBeMadeIsReportedAndLeavesTheBitmapEmpty) {
  TPixelBitmap b;
  b.SetSize(8, 8);
  Log log;
  log.Attach(b);
  try {
    b.SetSize(100000, 100000);
    FAIL() << "no error";
  } catch (const EBitmapError& e) {
    EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
  }
  EXPECT_EQ(log.events, "H");  // the handle changed; no change or resize
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.ClipRect(), (RECT{0, 0, 0, 0}));
  b.FillRectClipped(0, 0, 8, 8, 0xFF000000);  // nothing to draw on, nothing to break
  EXPECT_TRUE(b.SetSize(2, 2));
}

TEST(PixelBitmap, FillsStayInsideTheBitmapAndTheClipRect) {
  TPixelBitmap b;
  b.SetSize(6, 4);
  b.Clear(0xFF000000);
  b.FillRect(-3, -3, 2, 2, 0xFF0000FF);  // partly outside: cut at the edges
  EXPECT_EQ(b.Pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(b.Pixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(b.Pixel(2, 2), 0xFF000000u);
  b.FillRect(100, 100, 200, 200, 0xFFFFFFFF);  // wholly outside
  b.SetClipRect(RECT{2, 1, 5, 3});
  b.FillRectClipped(0, 0, 6, 4, 0xFF00FF00);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(b.Pixel(x, y) == 0xFF00FF00u, inside) << x << "," << y;
    }
  b.SetClipRect(RECT{-10, -10, 100, 100});
  EXPECT_EQ(b.ClipRect(), (RECT{0, 0, 6, 4}));
  b.SetSize(3, 3);
  EXPECT_EQ(b.ClipRect(), (RECT{0, 0, 3, 3}));
}

TEST(PixelBitmap, BlendedLinesAreClippedAndDoNotNotify) {
  TPixelBitmap b;
  b.SetSize(5, 5);
  b.Clear(0xFF000000);
  Log log;
  log.Attach(b);
  b.SetClipRect(RECT{1, 1, 4, 4});
  b.HorzLineBlendClipped(10, 2, -10, 0xFFFFFFFF);  // ends in any order
  b.VertLineBlendClipped(0, 0, 4, 0xFFFFFFFF);     // column outside the clip
  b.HorzLineBlendClipped(0, 4, 4, 0xFFFFFFFF);     // row outside the clip
  b.VertLineBlendClipped(3, 4, -4, 0x80FFFFFF);
  EXPECT_EQ(log.events, "");
  EXPECT_EQ(b.Pixel(0, 2), 0xFF000000u);
  EXPECT_EQ(b.Pixel(1, 2), 0xFFFFFFFFu);
  EXPECT_EQ(b.Pixel(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(b.Pixel(4, 2), 0xFF000000u);
  EXPECT_EQ(b.Pixel(3, 1), BlendPixel(0x80FFFFFF, 0xFF000000));
  EXPECT_EQ(b.Pixel(3, 3), BlendPixel(0x80FFFFFF, 0xFF000000));
  EXPECT_EQ(b.Pixel(3, 0), 0xFF000000u);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF000000u);
  // Unclipped lines still stay inside the bitmap.
  b.HorzLineBlend(-100, 0, 100, 0xFF0000FF);
  b.VertLineBlend(4, -100, 100, 0xFF0000FF);
  b.HorzLineBlend(0, 99, 3, 0xFF0000FF);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(b.Pixel(4, 4), 0xFF0000FFu);
  // Merge mode combines by both alphas.
  b.SetCombineMode(cmMerge);
  b.Clear(0x00000000);
  b.HorzLineBlend(0, 0, 0, 0x80FF0000);
  EXPECT_EQ(b.Pixel(0, 0), 0x80FF0000u);
}

TEST(PixelBitmap, BevelCornersAndLevels) {
  TPixelBitmap b;
  b.SetSize(10, 10);
  b.Clear(0xFF808080);
  Log log;
  log.Attach(b);
  b.DrawBevel(0, 0, 10, 10, 0);
  EXPECT_EQ(log.events, "C");  // contrast 0: only the notification
  EXPECT_EQ(b.Pixel(0, 0), 0xFF808080u);
  b.DrawBevel(0, 0, 10, 10, 100);
  EXPECT_EQ(b.Pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.Pixel(9, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.Pixel(0, 9), 0xFF000000u);
  EXPECT_EQ(b.Pixel(9, 9), 0xFF000000u);
  EXPECT_EQ(b.Pixel(0, 5), 0xFFFFFFFFu);
  EXPECT_EQ(b.Pixel(9, 5), 0xFF000000u);
  EXPECT_EQ(b.Pixel(5, 5), 0xFF808080u);

  // Sunken at 20: black with alpha 51 top-left, white with alpha 102
  // bottom-right.
  b.Clear(0xFF808080);
  b.DrawBevel(RECT{0, 0, 10, 10}, -20);
  EXPECT_EQ(b.Pixel(3, 0), BlendPixel(0x33000000, 0xFF808080));
  EXPECT_EQ(b.Pixel(0, 3), BlendPixel(0x33000000, 0xFF808080));
  EXPECT_EQ(b.Pixel(3, 9), BlendPixel(0x66FFFFFF, 0xFF808080));
  EXPECT_EQ(b.Pixel(9, 3), BlendPixel(0x66FFFFFF, 0xFF808080));

  // A rectangle off the clip, or empty, draws and notifies nothing.
  log.events.clear();
  b.SetClipRect(RECT{0, 0, 5, 5});
  b.DrawBevel(5, 5, 10, 10, 100);
  b.DrawBevel(3, 3, 3, 8, 100);
  EXPECT_EQ(log.events, "");
  b.DrawBevel(0, 0, 10, 10, 1 << 30);  // far outside -100..100: clamped alpha
  EXPECT_EQ(b.Pixel(0, 0), 0xFFFFFFFFu);
}

TEST(PixelBitmap, ResetAlphaKeepsColours) {
  TPixelBitmap b;
  b.SetSize(2, 1);
  b.Clear(0x12345678);
  b.ResetAlpha();
  EXPECT_EQ(b.Pixel(1, 0), 0xFF345678u);
  b.ResetAlpha(400);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF345678u);
  b.ResetAlpha(0);
  EXPECT_EQ(b.Pixel(0, 0), 0x00345678u);
}

TEST(PixelBitmap, UpdatesHoldBackNotificationAndMustPair) {
  TPixelBitmap b;
  Log log;
  log.Attach(b);
  b.BeginUpdate();
  b.BeginUpdate();
  b.SetSize(2, 2);
  b.Clear(0);
  b.EndUpdate();
  b.Changed();
  b.EndUpdate();  // does not notify by itself
  EXPECT_EQ(log.events, "HR");
  b.Changed();
  EXPECT_EQ(log.events, "HRC");
  try {
    b.EndUpdate();
    FAIL() << "no error";
  } catch (const component::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Unpaired TLockedPersistent.EndUpdate");
  }
  EXPECT_EQ(b.UpdateCount(), 0);
  b.Changed();
  EXPECT_EQ(log.events, "HRCC");
}

TEST(PixelBitmap, LocksAreReentrantAndCounted) {
  TPixelBitmap b;
  b.Lock();
  b.Lock();
  EXPECT_EQ(b.LockCount(), 2);
  {
    TLockGuard g(b);
    EXPECT_EQ(b.LockCount(), 3);
  }
  b.Unlock();
  b.Unlock();
  EXPECT_EQ(b.LockCount(), 0);
}

TEST(PixelBitmap, TextIsDrawnInsideItsRectangleInTheFontColour) {
  TPixelBitmap b;
  b.SetSize(60, 30);
  b.Clear(0xFF000080);
  b.Font()->SetName("Arial");
  b.Font()->SetHeight(-20);
  b.Font()->SetStyle(toolkit::TFontStyles{toolkit::fsBold});
  b.Font()->SetColor(0x0000FF00);
  const RECT r{10, 5, 50, 25};
  b.TextOut(r, p::DT_CENTER | p::DT_VCENTER | p::DT_SINGLELINE | p::DT_NOPREFIX, "00");
  int lime = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      const TPixelColor c = b.Pixel(x, y);
      const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      if (!inside) {
        ASSERT_EQ(c, 0xFF000080u) << x << "," << y;
      }
      if ((c & 0xFFFFFF) == 0x00FF00) ++lime;
    }
  EXPECT_GT(lime, 20);
  // A new colour is picked up after the font changed.
  b.Clear(0xFF000080);
  b.Font()->SetColor(0x000000FF);
  b.TextOut(r, p::DT_CENTER | p::DT_VCENTER | p::DT_SINGLELINE, "00");
  bool red = false;
  for (int i = 0; i < 60 * 30 && !red; ++i) red = (b.Bits()[i] & 0xFFFFFF) == 0xFF0000;
  EXPECT_TRUE(red);
}

TEST(PixelBitmap, TextMeasuresTheSameWithAndWithoutAStore) {
  TPixelBitmap sized, empty;
  for (TPixelBitmap* b : {&sized, &empty}) {
    b->Font()->SetName("Arial");
    b->Font()->SetHeight(-21);
  }
  sized.SetSize(10, 10);
  const SIZE a = sized.TextExtent("12:34:56"), e = empty.TextExtent("12:34:56");
  EXPECT_GT(a.cx, 40);
  EXPECT_EQ(a.cx, e.cx);
  EXPECT_EQ(a.cy, e.cy);
}

TEST(PixelBitmap, AssignsFromAnotherBitmap) {
  TPixelBitmap a, b;
  a.SetSize(3, 2);
  a.Clear(0x11223344);
  *a.PixelPointer(2, 1) = 0xFFFFFFFF;
  a.SetDrawMode(dmBlend);
  a.SetMasterAlpha(99);
  a.SetOuterColor(0x01020304);
  a.SetStretchFilter(sfLanczos);
  a.SetCombineMode(cmMerge);
  Log log;
  log.Attach(b);
  b.Assign(a);
  EXPECT_EQ(log.events, "HRC");  // one change, at the end
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Pixel(2, 1), 0xFFFFFFFFu);
  EXPECT_EQ(b.Pixel(0, 0), 0x11223344u);
  EXPECT_EQ(b.DrawMode(), dmBlend);
  EXPECT_EQ(b.MasterAlpha(), 99u);
  EXPECT_EQ(b.OuterColor(), 0x01020304u);
  EXPECT_EQ(b.StretchFilter(), sfLanczos);
  EXPECT_EQ(b.CombineMode(), cmBlend);  // stays
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  b.Assign(b);  // itself: nothing changes
  EXPECT_THROW(b.Assign(toolkit::TFont()), component::EConvertError);
  EXPECT_EQ(b.UpdateCount(), 0);
}

TEST(PixelBitmap, AssignsFromAPlatformBitmap) {
  p::BITMAPINFO bi;
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = 2;  // bottom-up: rows are read top row first all the same
  void* bits = nullptr;
  p::HBITMAP h = p::CreateDIBSection(p::HDC{}, &bi, p::DIB_RGB_COLORS, &bits);
  ASSERT_TRUE(h);
  p::Surface s = p::GetBitmapSurface(h);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) s.At(x, y) = 0x00102030 + x + 16 * y;
  s.At(1, 1) = 0x00FF00FF;

  TPixelBitmap b;
  TPlatformBitmap source(h, 24);
  b.Assign(source);
  ASSERT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Pixel(2, 0), 0xFF102032u);  // 24-bit: made opaque
  EXPECT_EQ(b.Pixel(0, 1), 0xFF102040u);
  source.SetTransparent(true, 0x00FF00FF);  // magenta
  b.Assign(source);
  EXPECT_EQ(b.Pixel(1, 1), 0x00FF00FFu);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF102030u);
  p::DeleteObject(h);
}

namespace {
// Draws a filled square in the middle and leaves the rest alone, as an icon
// does.
class TSquare : public TGraphic {
 public:
  int Width() const override { return 6; }
  int Height() const override { return 6; }
  bool LeavesGaps() const override { return true; }
  void Draw(p::HDC dc, const RECT&) const override {
    RECT r{2, 2, 4, 4};
    p::HBRUSH brush = p::CreateSolidBrush(0x00008000);
    p::FillRect(dc, &r, brush);
    p::DeleteObject(brush);
  }
};
}  // namespace

TEST(PixelBitmap, PicturesWithGapsLeaveThemTransparent) {
  TPixelBitmap b;
  b.Assign(TSquare());
  ASSERT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Pixel(2, 2), 0xFF008000u);
  EXPECT_EQ(b.Pixel(3, 3), 0xFF008000u);
  EXPECT_EQ(b.Pixel(0, 0) >> 24, 0u);
  EXPECT_EQ(b.Pixel(5, 4) >> 24, 0u);
}

TEST(PixelBitmap, DataBlockRoundTrip) {
  TPixelBitmap a;
  a.SetSize(3, 2);
  for (int i = 0; i < 6; ++i) a.Bits()[i] = 0x01020304u * (i + 1);
  const component::TBytes data = a.Data();
  ASSERT_EQ(data.size(), 8u + 6 * 4);
  EXPECT_EQ(data[0], 3);
  EXPECT_EQ(data[4], 2);
  EXPECT_EQ(data[8], 0x04);  // little-endian pixels: blue first
  EXPECT_EQ(data[11], 0x01);
  TPixelBitmap b;
  Log log;
  log.Attach(b);
  b.SetData(data);
  EXPECT_EQ(log.events, "HCRC");
  ASSERT_EQ(b.Width(), 3);
  EXPECT_EQ(std::memcmp(a.Bits(), b.Bits(), 6 * 4), 0);
  EXPECT_TRUE(TPixelBitmap().Data().empty());  // nothing stored for an empty bitmap
}

TEST(PixelBitmap, ReadsTheLaneBoardSizedBlock) {
  const auto block = Block(527, 381, 527 * 381);
  ASSERT_EQ(block.size(), 803156u);
  TPixelBitmap b;
  b.SetData(block);
  ASSERT_EQ(b.Width(), 527);
  ASSERT_EQ(b.Height(), 381);
  std::uint32_t first;
  std::memcpy(&first, block.data() + 8, 4);
  EXPECT_EQ(b.Pixel(0, 0), first);
  std::uint32_t last;
  std::memcpy(&last, block.data() + block.size() - 4, 4);
  EXPECT_EQ(b.Pixel(526, 380), last);
}

TEST(PixelBitmap, TruncatedBlocksAreReportedAfterTheSizeIsSet) {
  TPixelBitmap b;
  Log log;
  log.Attach(b);
  auto block = Block(4, 4, 16);
  block.resize(block.size() - 5);
  EXPECT_THROW(b.SetData(block), EStreamError);
  EXPECT_EQ(b.Width(), 4);        // the size is already set
  EXPECT_EQ(log.events, "HCRC");  // and the change is still announced
  log.events.clear();
  EXPECT_THROW(b.SetData(std::vector<std::uint8_t>{1, 0, 0}), EStreamError);
  EXPECT_EQ(log.events, "C");
  // Negative sizes read as empty; no pixels follow.
  b.SetData(Block(-3, 7, 0));
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Height(), 7);
  // A header asking for more than a store may hold.
  EXPECT_THROW(b.SetData(Block(0x7FFFFFFF, 0x7FFFFFFF, 0)), EBitmapError);
  EXPECT_TRUE(b.Empty());
}

TEST(PixelBitmap, StreamsLikeTheBlock) {
  TPixelBitmap a;
  a.SetSize(2, 2);
  a.Clear(0xCAFEBABE);
  std::stringstream s;
  a.WriteData(s);
  TPixelBitmap b;
  b.ReadData(s);
  EXPECT_EQ(b.Pixel(1, 1), 0xCAFEBABEu);
}
