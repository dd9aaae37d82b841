#include "toolkit/Brush.h"

#include "component/ClassBuilder.h"

namespace toolkit {

using namespace component;

const TEnumInfo& EnumInfo(TBrushStyle) {
  static const TEnumInfo info("TBrushStyle", {"bsSolid", "bsClear"});
  return info;
}

const TClassInfo& TBrush::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TBrush, TGraphicsObject>("TBrush")
          .Property("Color", &TBrush::Color, &TBrush::SetColor, ColorIdents())
          .Property("Style", &TBrush::Style, &TBrush::SetStyle)
          .Build();
  return info;
}

void TBrush::Release() {
  if (handle_) platform::DeleteObject(handle_);
  handle_ = {};
}

void TBrush::SetColor(TColor v) {
  if (color_ == v && style_ == bsSolid) return;
  color_ = v;
  if (style_ == bsClear) style_ = bsSolid;
  Release();
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (style_ == v) return;
  style_ = v;
  Release();
  Changed();
}

platform::HBRUSH TBrush::Handle() {
  if (!handle_) {
    platform::LOGBRUSH lb;
    lb.lbStyle = style_ == bsClear ? platform::BS_NULL : platform::BS_SOLID;
    lb.lbColor = ColorToRGB(color_);
    handle_ = platform::CreateBrushIndirect(&lb);
  }
  return handle_;
}

void TBrush::Assign(const TPersistent& source) {
  auto* b = dynamic_cast<const TBrush*>(&source);
  if (!b) return TGraphicsObject::Assign(source);
  if (color_ == b->color_ && style_ == b->style_) return;
  color_ = b->color_;
  style_ = b->style_;
  Release();
  Changed();
}

}  // namespace toolkit
