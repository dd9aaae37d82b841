// The LCD label: property clamping and repainting, the painted picture
// (background, text, glow, contrast and bevel), auto-size, the layout flags
// and the shadow's filter.
#include <gtest/gtest.h>

#include "GraphicsFixture.h"
#include "graphics/Blend.h"
#include "graphics/LcdLabel.h"

using namespace graphics;
namespace p = platform;

namespace {
constexpr std::uint32_t kNavy = 0x000080, kLime = 0x00FF00;
}

class LcdLabel : public GraphicsTest {
 protected:
  // A console-style label: navy, lime text, no glow.
  TLcdLabel* Make(int left, int top, int w, int h, const char* caption) {
    auto* l = new TLcdLabel(form);
    l->SetParent(form);
    l->SetBounds(left, top, w, h);
    l->SetColor(toolkit::clNavy);
    l->SetTextColor(toolkit::clLime);
    l->SetShadowOn(false);
    l->SetCaption(caption);
    l->Font()->SetHeight(-21);
    return l;
  }
  void ShowAll() {
    form->Show();
    Flush();
  }
  int Count(TLcdLabel* l, std::uint32_t colour) {
    int n = 0;
    for (int y = 0; y < l->Height(); ++y)
      for (int x = 0; x < l->Width(); ++x) n += At(l, x, y) == colour;
    return n;
  }
  // Bounds of the pixels that are not the background.
  RECT Ink(TLcdLabel* l, std::uint32_t background) {
    RECT r{l->Width(), l->Height(), -1, -1};
    for (int y = 0; y < l->Height(); ++y)
      for (int x = 0; x < l->Width(); ++x)
        if (At(l, x, y) != background) {
          r.left = std::min<int>(r.left, x), r.top = std::min<int>(r.top, y);
          r.right = std::max<int>(r.right, x), r.bottom = std::max<int>(r.bottom, y);
        }
    return r;
  }
};

TEST_F(LcdLabel, DefaultsAtCreation) {
  TLcdLabel l(nullptr);
  EXPECT_EQ(l.Width(), 100);
  EXPECT_EQ(l.Height(), 14);
  EXPECT_EQ(l.Color(), toolkit::clBtnFace);
  EXPECT_EQ(l.TextColor(), toolkit::clWindowText);
  EXPECT_EQ(l.Caption(), "LcdLabel");
  EXPECT_TRUE(l.ShadowOn());
  EXPECT_EQ(l.ShadowColor(), toolkit::clWhite);
  EXPECT_EQ(l.ShadowCount(), 1);
  EXPECT_EQ(l.TextAutoSizeSpacing(), 5);
  EXPECT_TRUE(l.TextSingleLine());
  EXPECT_EQ(l.Font()->Name(), "Arial");
  EXPECT_EQ(l.Font()->Size(), 8);
  EXPECT_TRUE(l.Font()->Style().Contains(toolkit::fsBold));
  EXPECT_TRUE(l.Opaque());
}

TEST_F(LcdLabel, OutOfRangeValuesAreClamped) {
  TLcdLabel l(nullptr);
  l.SetShadowCount(0);
  EXPECT_EQ(l.ShadowCount(), 1);
  l.SetShadowCount(9);
  EXPECT_EQ(l.ShadowCount(), 5);
  l.SetContrast(150);
  EXPECT_EQ(l.Contrast(), 100);
  l.SetContrast(-150);
  EXPECT_EQ(l.Contrast(), -100);
  l.SetTextAutoSizeSpacing(-3);
  EXPECT_EQ(l.TextAutoSizeSpacing(), 0);
}

TEST_F(LcdLabel, LayoutFlags) {
  TLcdLabel l(nullptr);
  l.SetTextHAlign(thaCenter);
  l.SetTextVAlign(tvaCenter);
  EXPECT_EQ(l.DrawTextFlags(), 0x825u);
  l.SetTextHAlign(thaLeft);
  EXPECT_EQ(l.DrawTextFlags(), 0x824u);
  l.SetTextHAlign(thaRight);
  l.SetTextVAlign(tvaBottom);
  l.SetTextEllipsis(telPath);
  l.SetTextPrefix(true);
  l.SetTextSingleLine(false);
  EXPECT_EQ(l.DrawTextFlags(), 0x4000u | 8 | 2);
  l.SetTextEllipsis(telEnd);
  EXPECT_EQ(l.DrawTextFlags() & 0xC000, 0x8000u);
}

TEST_F(LcdLabel, SettingTheSameValueStillRepaints) {
  TLcdLabel* l = Make(20, 30, 90, 22, "00:00.00");
  ShowAll();
  RECT r;
  ASSERT_FALSE(p::GetUpdateRect(form->Handle(), &r, false));
  l->SetShadowCount(l->ShadowCount());
  ASSERT_TRUE(p::GetUpdateRect(form->Handle(), &r, false));
  EXPECT_EQ(r, (RECT{20, 30, 110, 52}));  // just the label
  Flush();
  l->SetCaption("00:00.00");
  EXPECT_TRUE(p::GetUpdateRect(form->Handle(), &r, false));
  Flush();
  l->SetColor(toolkit::clNavy);
  EXPECT_TRUE(p::GetUpdateRect(form->Handle(), &r, false));
}

TEST_F(LcdLabel, PaintsBackgroundAndTextOnly) {
  TLcdLabel* l = Make(10, 10, 90, 22, "00:00.00");
  ShowAll();
  EXPECT_GT(Count(l, kLime), 30);
  // The outermost ring is always background: text is laid out inside it,
  // and the 21-pixel font is cut at the rectangle.
  for (int x = 0; x < 90; ++x) {
    EXPECT_EQ(At(l, x, 0), kNavy) << x;
    EXPECT_EQ(At(l, x, 21), kNavy) << x;
  }
  for (int y = 0; y < 22; ++y) EXPECT_EQ(At(l, 0, y), kNavy) << y;
  // Every pixel lies between navy and lime (edge smoothing only).
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 90; ++x) {
      const std::uint32_t c = At(l, x, y);
      ASSERT_EQ(c >> 16, 0u) << x << "," << y;
    }
  // Left-aligned: ink starts near the left edge.
  EXPECT_LE(Ink(l, kNavy).left, 4);
}

TEST_F(LcdLabel, GlowSpreadsAroundTheLettersOnly) {
  TLcdLabel* plain = Make(10, 10, 120, 30, "8");
  TLcdLabel* glow = Make(10, 50, 120, 30, "8");
  glow->SetShadowOn(true);
  glow->SetShadowColor(toolkit::clYellow);
  glow->SetTextHAlign(thaCenter);
  plain->SetTextHAlign(thaCenter);
  ShowAll();
  // Far from the letter the background stays exact: the kernel's weights
  // add up to its divisor.
  EXPECT_EQ(At(glow, 5, 15), kNavy);
  EXPECT_EQ(At(glow, 115, 15), kNavy);
  const RECT a = Ink(plain, kNavy), b = Ink(glow, kNavy);
  EXPECT_LT(b.left, a.left);  // the glow reaches a pixel further out
  EXPECT_GT(b.right, a.right);
  glow->SetShadowCount(3);
  Flush();
  EXPECT_LT(Ink(glow, kNavy).left, b.left);
}

TEST_F(LcdLabel, ContrastLightensAndBevels) {
  TLcdLabel* l = Make(10, 10, 40, 20, "");
  l->SetContrast(50);
  ShowAll();
  const TPixelColor bg = MakePixelColor(50, 50, 178);
  EXPECT_EQ(At(l, 20, 10), bg & 0xFFFFFF);
  EXPECT_EQ(At(l, 0, 0), 0xFFFFFFu);  // white at alpha 255 (50 * 512 / 100 clamped)
  EXPECT_EQ(At(l, 0, 10), 0xFFFFFFu);
  EXPECT_EQ(At(l, 20, 19), BlendPixel(0x7F000000, bg) & 0xFFFFFF);  // black at 127
  EXPECT_EQ(At(l, 39, 10), BlendPixel(0x7F000000, bg) & 0xFFFFFF);
  l->SetContrast(-20);
  Flush();
  const TPixelColor dark = MakePixelColor(0, 0, 108);
  EXPECT_EQ(At(l, 20, 10), dark & 0xFFFFFF);
  EXPECT_EQ(At(l, 20, 0), BlendPixel(0x33000000, dark) & 0xFFFFFF);
  EXPECT_EQ(At(l, 20, 19), BlendPixel(0x66FFFFFF, dark) & 0xFFFFFF);
}

TEST_F(LcdLabel, AmpersandShowsUnlessItIsAPrefix) {
  TLcdLabel* l = Make(10, 10, 60, 26, "&");
  ShowAll();
  EXPECT_GT(Count(l, kLime), 5);
  l->SetTextPrefix(true);
  Flush();
  EXPECT_EQ(Count(l, kLime), 0);
}

TEST_F(LcdLabel, VerticalPlacement) {
  TLcdLabel* l = Make(10, 10, 80, 60, "00");
  l->SetTextVAlign(tvaTop);
  ShowAll();
  const RECT top = Ink(l, kNavy);
  l->SetTextVAlign(tvaBottom);
  Flush();
  const RECT bottom = Ink(l, kNavy);
  EXPECT_GT(bottom.top, top.top + 20);
  // Without single line, bottom alignment does not apply.
  l->SetTextSingleLine(false);
  Flush();
  EXPECT_EQ(Ink(l, kNavy).top, top.top);
}

TEST_F(LcdLabel, AutoSizeFitsTheCaptionPlusSpacing) {
  TLcdLabel* l = Make(10, 10, 5, 5, "12:34");
  l->SetTextAutoSize(true);
  ShowAll();
  TPixelBitmap measure;
  measure.Font()->Assign(*l->Font());
  const SIZE extent = measure.TextExtent("12:34");
  EXPECT_EQ(l->Width(), extent.cx + 5);
  EXPECT_EQ(l->Height(), extent.cy + 5);
  EXPECT_EQ(l->Left(), 10);
  l->SetTextAutoSizeSpacing(0);
  Flush();
  EXPECT_EQ(l->Width(), extent.cx);
}

TEST_F(LcdLabel, ZeroSizedLabelsPaintNothing) {
  TLcdLabel* l = Make(10, 10, 0, 22, "00:00.00");
  TLcdLabel* m = Make(30, 10, 40, 0, "00:00.00");
  l->SetShadowOn(true);
  m->SetShadowOn(true);
  ShowAll();
  EXPECT_EQ(At(form, 10, 10), 0xD2B77Du);
  EXPECT_TRUE(boxes.empty());
}

TEST(Convolve3x3, WeightedAverageOfTheInnerPixels) {
  TPixelBitmap b;
  b.SetSize(4, 3);
  b.Clear(0x00000000);
  *b.PixelPointer(1, 1) = 0x00FF2040;  // alpha ignored
  Convolve3x3(b, ShadowBlurKernel, ShadowBlurDivisor);
  // Centre: 8 * 255 / 32 = 63 (red); neighbour: 3 * 255 / 32 = 23.
  EXPECT_EQ(b.Pixel(1, 1), MakePixelColor(63, 8, 16));
  EXPECT_EQ(b.Pixel(2, 1), MakePixelColor(23, 3, 6));
  // The outer ring is left as it was.
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  EXPECT_EQ(b.Pixel(3, 1), 0u);
  EXPECT_EQ(b.Pixel(1, 2), 0u);
}

TEST(Convolve3x3, UniformAreasStayExact) {
  TPixelBitmap b;
  b.SetSize(5, 5);
  b.Clear(0xFF000080);
  Convolve3x3(b, ShadowBlurKernel, ShadowBlurDivisor);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(b.Bits()[i], 0xFF000080u);
}

TEST(Convolve3x3, NegativeSumsClampAndOddInputsAreLeftAlone) {
  TPixelBitmap b;
  b.SetSize(3, 3);
  b.Clear(0xFF808080);
  const std::int32_t edge[9] = {-1, -1, -1, -1, 2, -1, -1, -1, -1};
  Convolve3x3(b, edge, 1);
  EXPECT_EQ(b.Pixel(1, 1), 0xFF000000u);
  const std::int32_t huge[9] = {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX,
                                INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
  b.Clear(0xFF808080);
  Convolve3x3(b, huge, 1);
  EXPECT_EQ(b.Pixel(1, 1), 0xFFFFFFFFu);
  b.Clear(0xFF808080);
  Convolve3x3(b, ShadowBlurKernel, 0);  // no divisor: unchanged
  EXPECT_EQ(b.Pixel(1, 1), 0xFF808080u);
  TPixelBitmap small;
  small.SetSize(2, 9);
  small.Clear(0x01020304);
  Convolve3x3(small, ShadowBlurKernel, ShadowBlurDivisor);
  EXPECT_EQ(small.Pixel(1, 4), 0x01020304u);
  TPixelBitmap empty;
  Convolve3x3(empty, ShadowBlurKernel, ShadowBlurDivisor);
}
