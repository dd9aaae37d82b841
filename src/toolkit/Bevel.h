// TBevel: a lowered or raised box, frame or line, painted by its parent.
#pragma once

#include "toolkit/GraphicControl.h"

namespace toolkit {

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
const component::TEnumInfo& EnumInfo(TBevelShape);
enum TBevelStyle { bsLowered, bsRaised };
const component::TEnumInfo& EnumInfo(TBevelStyle);

class TBevel : public TGraphicControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TBevel(component::TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape v);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle v);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

}  // namespace toolkit
