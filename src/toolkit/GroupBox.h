// TGroupBox: a captioned, etched frame around other controls.
#pragma once

#include "toolkit/GraphicControl.h"

namespace toolkit {

class TGroupBox : public TCustomControl {
 public:
  COMPONENT_CLASS_INFO()
  explicit TGroupBox(component::TComponent* owner);

 protected:
  void Paint() override;
};

}  // namespace toolkit
