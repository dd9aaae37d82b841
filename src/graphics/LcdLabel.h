// TLcdLabel: a non-windowed label painted LCD-style: a solid background, the
// caption in TextColor, an optional soft glow (shadow) around the letters
// and an optional raised or sunken bevel with a lighter or darker ground.
// Every paint renders into a temporary TPixelBitmap copied to the label's
// area in one piece, so the label never shows its parent through it.
#pragma once

#include <cstdint>
#include <string_view>

#include "graphics/PixelBitmap.h"
#include "toolkit/GraphicControl.h"

namespace graphics {

// The label's layout types (its drawing unit, lcddraw).
enum lcdTextHAlign { thaLeft, thaCenter, thaRight };
enum lcdTextVAlign { tvaTop, tvaCenter, tvaBottom };
enum lcdTextEllipsis { telNone, telEnd, telPath };
const component::TEnumInfo& EnumInfo(lcdTextHAlign);
const component::TEnumInfo& EnumInfo(lcdTextVAlign);
const component::TEnumInfo& EnumInfo(lcdTextEllipsis);

// The glow's blur: 3 3 3 / 3 8 3 / 3 3 3, divided by 32.
extern const std::int32_t ShadowBlurKernel[9];
constexpr std::uint16_t ShadowBlurDivisor = 32;

// One 3 x 3 filter pass over red, green and blue of the inner pixels (the
// outermost ring stays), reading a snapshot; filtered pixels become opaque.
// Bitmaps narrower or lower than 3 pixels, and a divisor of 0, leave the
// bitmap unchanged.
void Convolve3x3(TPixelBitmap& bitmap, const std::int32_t kernel[9], std::uint16_t divisor);

class TLcdLabel : public toolkit::TGraphicControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TLcdLabel(component::TComponent* owner);

  // Every setter stores (clamping where noted) and repaints, also when the
  // value is the one already set.
  void SetColor(toolkit::TColor v);
  toolkit::TColor TextColor() const { return textColor_; }
  void SetTextColor(toolkit::TColor v);
  bool TextAutoSize() const { return textAutoSize_; }
  void SetTextAutoSize(bool v);
  std::int32_t TextAutoSizeSpacing() const { return textAutoSizeSpacing_; }
  void SetTextAutoSizeSpacing(std::int32_t v);  // below 0 is stored as 0
  lcdTextHAlign TextHAlign() const { return textHAlign_; }
  void SetTextHAlign(lcdTextHAlign v);
  lcdTextVAlign TextVAlign() const { return textVAlign_; }
  void SetTextVAlign(lcdTextVAlign v);
  lcdTextEllipsis TextEllipsis() const { return textEllipsis_; }
  void SetTextEllipsis(lcdTextEllipsis v);
  bool TextPrefix() const { return textPrefix_; }
  void SetTextPrefix(bool v);
  bool TextSingleLine() const { return textSingleLine_; }
  void SetTextSingleLine(bool v);
  std::int32_t Contrast() const { return contrast_; }
  void SetContrast(std::int32_t v);  // clamped to -100..100
  bool ShadowOn() const { return shadowOn_; }
  void SetShadowOn(bool v);
  toolkit::TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(toolkit::TColor v);
  std::int32_t ShadowCount() const { return shadowCount_; }
  void SetShadowCount(std::int32_t v);  // clamped to 1..5
  void SetText(std::string_view v) override;

  // The DT_ flags the caption is drawn with.
  unsigned DrawTextFlags() const;

 protected:
  void Paint() override;

 private:
  toolkit::TColor textColor_ = toolkit::clWindowText;
  bool textAutoSize_ = false;
  std::int32_t textAutoSizeSpacing_ = 5;
  lcdTextHAlign textHAlign_ = thaLeft;
  lcdTextVAlign textVAlign_ = tvaCenter;
  lcdTextEllipsis textEllipsis_ = telNone;
  bool textPrefix_ = false;
  bool textSingleLine_ = true;
  std::int32_t contrast_ = 0;
  bool shadowOn_ = true;
  toolkit::TColor shadowColor_ = toolkit::clWhite;
  std::int32_t shadowCount_ = 1;
};

}  // namespace graphics
