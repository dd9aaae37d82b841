// TFont: a font description (name, height, style, colour) with its platform
// font made when first drawn with. Height follows the classic convention:
// negative is the character height in pixels, positive the cell height; Size
// is in points at 96 pixels per inch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "component/Set.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/GraphicsObject.h"
#include "toolkit/Types.h"

namespace toolkit {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
const component::TEnumInfo& EnumInfo(TFontStyle);
using TFontStyles = component::TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
const component::TEnumInfo& EnumInfo(TFontPitch);

class TFont : public TGraphicsObject {
 public:
  COMPONENT_CLASS_INFO()

  TFont();
  ~TFont() override;

  const std::string& Name() const { return name_; }
  void SetName(std::string_view v);
  int Height() const { return height_; }
  void SetHeight(int v);
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  std::uint8_t Charset() const { return charset_; }
  void SetCharset(std::uint8_t v);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch v);

  // The platform font; made on first use, remade after a change.
  platform::HFONT Handle();

  // Copies another font (or nothing, for another kind of object: fails).
  void Assign(const component::TPersistent& source) override;
  bool SameAs(const TFont& other) const;

 private:
  void Release();
  void Set(auto& field, auto value) {
    if (field == value) return;
    field = value;
    Release();
    Changed();
  }

  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  std::uint8_t charset_ = platform::DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  platform::HFONT handle_;
};

}  // namespace toolkit
