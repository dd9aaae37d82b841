#include "toolkit/Pen.h"

#include "component/ClassBuilder.h"

namespace toolkit {

using namespace component;

const TEnumInfo& EnumInfo(TPenStyle) {
  static const TEnumInfo info("TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot",
                                            "psDashDotDot", "psClear", "psInsideFrame"});
  return info;
}

const TEnumInfo& EnumInfo(TPenMode) {
  static const TEnumInfo info(
      "TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                   "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
                   "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
  return info;
}

const TClassInfo& TPen::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPen, TGraphicsObject>("TPen")
          .Property("Color", &TPen::Color, &TPen::SetColor, ColorIdents())
          .Property("Mode", &TPen::Mode, &TPen::SetMode)
          .Property("Style", &TPen::Style, &TPen::SetStyle)
          .Property("Width", &TPen::Width, &TPen::SetWidth)
          .Build();
  return info;
}

void TPen::Release() {
  if (handle_) platform::DeleteObject(handle_);
  handle_ = {};
}

void TPen::SetColor(TColor v) {
  if (color_ == v) return;
  color_ = v;
  Release();
  Changed();
}

void TPen::SetWidth(int v) {
  if (v < 1) v = 1;
  if (width_ == v) return;
  width_ = v;
  Release();
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (style_ == v) return;
  style_ = v;
  Release();
  Changed();
}

void TPen::SetMode(TPenMode v) {
  if (mode_ == v) return;
  mode_ = v;
  Changed();
}

int TPen::Rop2() const {
  static constexpr int kRops[] = {
      platform::R2_BLACK,       platform::R2_WHITE,      platform::R2_NOP,
      platform::R2_NOT,         platform::R2_COPYPEN,    platform::R2_NOTCOPYPEN,
      platform::R2_MERGEPENNOT, platform::R2_MASKPENNOT, platform::R2_MERGENOTPEN,
      platform::R2_MASKNOTPEN,  platform::R2_MERGEPEN,   platform::R2_NOTMERGEPEN,
      platform::R2_MASKPEN,     platform::R2_NOTMASKPEN, platform::R2_XORPEN,
      platform::R2_NOTXORPEN};
  return kRops[mode_];
}

platform::HPEN TPen::Handle() {
  if (!handle_) handle_ = platform::CreatePen(int(style_), width_, ColorToRGB(color_));
  return handle_;
}

void TPen::Assign(const TPersistent& source) {
  auto* p = dynamic_cast<const TPen*>(&source);
  if (!p) return TGraphicsObject::Assign(source);
  color_ = p->color_;
  width_ = p->width_;
  style_ = p->style_;
  mode_ = p->mode_;
  Release();
  Changed();
}

}  // namespace toolkit
