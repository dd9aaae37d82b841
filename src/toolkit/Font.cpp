#include "toolkit/Font.h"

#include <cstring>

#include "component/ClassBuilder.h"
#include "component/Exception.h"

namespace toolkit {

using namespace component;

const TEnumInfo& EnumInfo(TFontStyle) {
  static const TEnumInfo info("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return info;
}

const TEnumInfo& EnumInfo(TFontPitch) {
  static const TEnumInfo info("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
  return info;
}

namespace {
const TIdentMap& CharsetIdents() {
  static const TIdentMap map{
      {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2}, {"OEM_CHARSET", 255}};
  return map;
}
}  // namespace

const TClassInfo& TGraphicsObject::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGraphicsObject, TPersistent>("TGraphicsObject").Build();
  return info;
}

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFont, TGraphicsObject>("TFont")
          .Property("Charset", &TFont::Charset, &TFont::SetCharset, CharsetIdents())
          .Property("Color", &TFont::Color, &TFont::SetColor, ColorIdents())
          .Property("Height", &TFont::Height, &TFont::SetHeight)
          .Property("Size", &TFont::Size, &TFont::SetSize)
          .Stored([](const TFont&) { return false; })  // Height says it exactly
          .Property("Name", &TFont::Name, &TFont::SetName)
          .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
          .Property("Style", &TFont::Style, &TFont::SetStyle)
          .Build();
  return info;
}

TFont::TFont() = default;

TFont::~TFont() {
  Release();
}

void TFont::Release() {
  if (handle_) platform::DeleteObject(handle_);
  handle_ = {};
}

void TFont::SetName(std::string_view v) {
  Set(name_, std::string(v));
}
void TFont::SetHeight(int v) {
  Set(height_, v);
}
int TFont::Size() const {
  // Points at 96 pixels per inch, rounded as the classic conversion does.
  return -(height_ * 72 + (height_ < 0 ? -48 : 48)) / 96;
}
void TFont::SetSize(int points) {
  SetHeight(-(points * 96 + 36) / 72);
}
void TFont::SetStyle(TFontStyles v) {
  Set(style_, v);
}
void TFont::SetColor(TColor v) {
  // The colour is not part of the platform font.
  if (color_ == v) return;
  color_ = v;
  Changed();
}
void TFont::SetCharset(std::uint8_t v) {
  Set(charset_, v);
}
void TFont::SetPitch(TFontPitch v) {
  Set(pitch_, v);
}

platform::HFONT TFont::Handle() {
  if (!handle_) {
    platform::LOGFONT lf;
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? platform::FW_BOLD : platform::FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfPitchAndFamily = pitch_ == fpFixed      ? platform::FIXED_PITCH
                          : pitch_ == fpVariable ? platform::VARIABLE_PITCH
                                                 : platform::DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, name_.c_str(), platform::LF_FACESIZE - 1);
    handle_ = platform::CreateFontIndirect(&lf);
  }
  return handle_;
}

void TFont::Assign(const TPersistent& source) {
  auto* f = dynamic_cast<const TFont*>(&source);
  if (!f) return TGraphicsObject::Assign(source);
  if (SameAs(*f)) return;
  name_ = f->name_;
  height_ = f->height_;
  style_ = f->style_;
  color_ = f->color_;
  charset_ = f->charset_;
  pitch_ = f->pitch_;
  Release();
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
         charset_ == o.charset_ && pitch_ == o.pitch_;
}

}  // namespace toolkit
