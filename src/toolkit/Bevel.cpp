#include "toolkit/Bevel.h"

#include "component/ClassBuilder.h"

namespace toolkit {

using namespace component;

const TEnumInfo& EnumInfo(TBevelShape) {
  static const TEnumInfo info("TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine",
                                              "bsLeftLine", "bsRightLine", "bsSpacer"});
  return info;
}

const TEnumInfo& EnumInfo(TBevelStyle) {
  static const TEnumInfo info("TBevelStyle", {"bsLowered", "bsRaised"});
  return info;
}

const TClassInfo& TBevel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBevel, TGraphicControl>("TBevel")
                                     .Property("Shape", &TBevel::Shape, &TBevel::SetShape)
                                     .Property("Style", &TBevel::Style, &TBevel::SetStyle)
                                     .Build();
  return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  SetBoundsSilently(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v) {
  if (shape_ == v) return;
  shape_ = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (style_ == v) return;
  style_ = v;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  switch (shape_) {
    case bsBox:
      line(first, 0, h - 1, 0, 0);
      line(first, 0, 0, w - 1, 0);
      line(second, w - 1, 0, w - 1, h - 1);
      line(second, w - 1, h - 1, -1, h - 1);
      break;
    case bsFrame:
      line(first, 0, h - 2, 0, 0);
      line(first, 0, 0, w - 1, 0);
      line(first, w - 2, 1, w - 2, h - 2);
      line(first, w - 2, h - 2, 0, h - 2);
      line(second, 1, h - 3, 1, 1);
      line(second, 1, 1, w - 2, 1);
      line(second, w - 1, 0, w - 1, h - 1);
      line(second, w - 1, h - 1, -1, h - 1);
      break;
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer:
      break;
  }
}

}  // namespace toolkit
