// The base of fonts, brushes and pens: a published object that owns a
// drawing handle made on demand and tells its owner when it changes.
#pragma once

#include <functional>

#include "component/Persistent.h"

namespace toolkit {

class TGraphicsObject : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  // Called after every change; the owner repaints or re-selects.
  std::function<void(TGraphicsObject*)> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

}  // namespace toolkit
