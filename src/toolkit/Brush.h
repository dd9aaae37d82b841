// TBrush: the fill of a canvas, a colour or nothing (bsClear).
#pragma once

#include "platform/gdi/Gdi.h"
#include "toolkit/GraphicsObject.h"
#include "toolkit/Types.h"

namespace toolkit {

enum TBrushStyle { bsSolid, bsClear };
const component::TEnumInfo& EnumInfo(TBrushStyle);

class TBrush : public TGraphicsObject {
 public:
  COMPONENT_CLASS_INFO()

  TBrush() = default;
  ~TBrush() override { Release(); }

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle v);

  platform::HBRUSH Handle();
  void Assign(const component::TPersistent& source) override;

 private:
  void Release();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  platform::HBRUSH handle_;
};

}  // namespace toolkit
