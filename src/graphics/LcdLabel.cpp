#include "graphics/LcdLabel.h"

#include <algorithm>

#include "component/ClassBuilder.h"

namespace graphics {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(lcdTextHAlign) {
  static const TEnumInfo info("lcdTextHAlign", {"thaLeft", "thaCenter", "thaRight"});
  return info;
}
const TEnumInfo& EnumInfo(lcdTextVAlign) {
  static const TEnumInfo info("lcdTextVAlign", {"tvaTop", "tvaCenter", "tvaBottom"});
  return info;
}
const TEnumInfo& EnumInfo(lcdTextEllipsis) {
  static const TEnumInfo info("lcdTextEllipsis", {"telNone", "telEnd", "telPath"});
  return info;
}

const std::int32_t ShadowBlurKernel[9] = {3, 3, 3, 3, 8, 3, 3, 3, 3};

void Convolve3x3(TPixelBitmap& b, const std::int32_t w[9], std::uint16_t divisor) {
  const int width = b.Width(), height = b.Height();
  if (b.Empty() || width < 3 || height < 3 || divisor == 0) return;
  TPixelBitmap s;
  s.Assign(b);
  for (int y = 1; y < height - 1; ++y) {
    TPixelColor* out = b.RowPointer(y);
    for (int x = 1; x < width - 1; ++x) {
      // 64-bit sums: arbitrary weights must not overflow.
      std::int64_t sum[3] = {0, 0, 0};
      for (int j = 0; j < 3; ++j) {
        const TPixelColor* in = s.RowPointer(y - 1 + j) + x - 1;
        for (int i = 0; i < 3; ++i) {
          const std::int64_t k = w[3 * j + i];
          sum[0] += k * RedOf(in[i]);
          sum[1] += k * GreenOf(in[i]);
          sum[2] += k * BlueOf(in[i]);
        }
      }
      auto value = [divisor](std::int64_t v) {
        return int(std::clamp<std::int64_t>(v / divisor, 0, 255));
      };
      out[x] = MakePixelColor(value(sum[0]), value(sum[1]), value(sum[2]), 255);
    }
  }
}

const TClassInfo& TLcdLabel::StaticClassInfo() {
  using T = TLcdLabel;
  static const TClassInfo info =
      TClassBuilder<TLcdLabel, toolkit::TGraphicControl>("TLcdLabel")
          .Property("Color", &T::Color, &T::SetColor, toolkit::ColorIdents())
          .NoDefault()
          .Property("TextColor", &T::TextColor, &T::SetTextColor, toolkit::ColorIdents())
          .NoDefault()
          .Property("TextAutoSize", &T::TextAutoSize, &T::SetTextAutoSize)
          .NoDefault()
          .Property("TextAutoSizeSpacing", &T::TextAutoSizeSpacing, &T::SetTextAutoSizeSpacing)
          .NoDefault()
          .Property("TextHAlign", &T::TextHAlign, &T::SetTextHAlign)
          .NoDefault()
          .Property("TextVAlign", &T::TextVAlign, &T::SetTextVAlign)
          .NoDefault()
          .Property("TextEllipsis", &T::TextEllipsis, &T::SetTextEllipsis)
          .NoDefault()
          .Property("TextPrefix", &T::TextPrefix, &T::SetTextPrefix)
          .NoDefault()
          .Property("TextSingleLine", &T::TextSingleLine, &T::SetTextSingleLine)
          .NoDefault()
          // Even an empty caption: left out, it would read back as "LcdLabel".
          .Property("Caption", &T::Caption, &T::SetCaption)
          .NoDefault()
          .Property("Contrast", &T::Contrast, &T::SetContrast)
          .NoDefault()
          .Property("ShadowOn", &T::ShadowOn, &T::SetShadowOn)
          .NoDefault()
          .Property("ShadowColor", &T::ShadowColor, &T::SetShadowColor, toolkit::ColorIdents())
          .NoDefault()
          .Property("ShadowCount", &T::ShadowCount, &T::SetShadowCount)
          .NoDefault()
          .Build();
  return info;
}

TLcdLabel::TLcdLabel(TComponent* owner) : toolkit::TGraphicControl(owner) {
  SetBoundsSilently(0, 0, 100, 14);
  SetOpaque(true);
  toolkit::TControl::SetColor(toolkit::clBtnFace);
  toolkit::TControl::SetText("LcdLabel");
  toolkit::TFont* f = Font();
  f->SetName("Arial");
  f->SetSize(8);
  f->SetStyle(toolkit::TFontStyles{toolkit::fsBold});
}

void TLcdLabel::SetColor(toolkit::TColor v) {
  toolkit::TControl::SetColor(v);
  Invalidate();
}

void TLcdLabel::SetText(std::string_view v) {
  toolkit::TGraphicControl::SetText(v);
  Invalidate();
}

void TLcdLabel::SetTextColor(toolkit::TColor v) {
  textColor_ = v;
  Invalidate();
}
void TLcdLabel::SetTextAutoSize(bool v) {
  textAutoSize_ = v;
  Invalidate();
}
void TLcdLabel::SetTextAutoSizeSpacing(std::int32_t v) {
  textAutoSizeSpacing_ = std::max(v, 0);
  Invalidate();
}
void TLcdLabel::SetTextHAlign(lcdTextHAlign v) {
  textHAlign_ = v;
  Invalidate();
}
void TLcdLabel::SetTextVAlign(lcdTextVAlign v) {
  textVAlign_ = v;
  Invalidate();
}
void TLcdLabel::SetTextEllipsis(lcdTextEllipsis v) {
  textEllipsis_ = v;
  Invalidate();
}
void TLcdLabel::SetTextPrefix(bool v) {
  textPrefix_ = v;
  Invalidate();
}
void TLcdLabel::SetTextSingleLine(bool v) {
  textSingleLine_ = v;
  Invalidate();
}
void TLcdLabel::SetContrast(std::int32_t v) {
  contrast_ = std::clamp(v, -100, 100);
  Invalidate();
}
void TLcdLabel::SetShadowOn(bool v) {
  shadowOn_ = v;
  Invalidate();
}
void TLcdLabel::SetShadowColor(toolkit::TColor v) {
  shadowColor_ = v;
  Invalidate();
}
void TLcdLabel::SetShadowCount(std::int32_t v) {
  shadowCount_ = std::clamp(v, 1, 5);
  Invalidate();
}

unsigned TLcdLabel::DrawTextFlags() const {
  static const unsigned h[] = {p::DT_LEFT, p::DT_CENTER, p::DT_RIGHT};
  static const unsigned v[] = {p::DT_TOP, p::DT_VCENTER, p::DT_BOTTOM};
  static const unsigned e[] = {0, p::DT_END_ELLIPSIS, p::DT_PATH_ELLIPSIS};
  unsigned flags = h[textHAlign_] | v[textVAlign_] | e[textEllipsis_];
  if (!textPrefix_) flags |= p::DT_NOPREFIX;
  if (textSingleLine_) flags |= p::DT_SINGLELINE;
  return flags;
}

void TLcdLabel::Paint() {
  TPixelBitmap b;
  b.Font()->Assign(*Font());
  if (textAutoSize_) {
    // The new size also causes one more paint, after which it is stable.
    const SIZE extent = b.TextExtent(Caption());
    SetBounds(left_, top_, extent.cx + textAutoSizeSpacing_, extent.cy + textAutoSizeSpacing_);
  }
  b.SetSize(width_, height_);
  const unsigned flags = DrawTextFlags();
  TPixelColor background = ColorToPixelColor(Color());
  if (contrast_ != 0) background = Lighten(background, contrast_);
  b.Clear(background);
  const RECT inner{1, 1, width_ - 1, height_ - 1};
  if (shadowOn_) {
    b.Font()->SetColor(shadowColor_);
    b.TextOut(inner, flags, Caption());
    for (int i = 0; i < shadowCount_; ++i) Convolve3x3(b, ShadowBlurKernel, ShadowBlurDivisor);
  }
  b.DrawBevel(0, 0, width_, height_, contrast_);
  b.Font()->SetColor(textColor_);
  b.TextOut(inner, flags, Caption());
  b.DrawToDevice(Canvas()->Handle(), 0, 0);
}

}  // namespace graphics
