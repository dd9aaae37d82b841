// TSkinBevel: the standard bevel under its skinned name; the skin leaves it
// as it is.
#pragma once

#include "toolkit/Bevel.h"

namespace skin {

class TSkinBevel : public toolkit::TBevel {
 public:
  COMPONENT_CLASS_INFO()
  using toolkit::TBevel::TBevel;
};

}  // namespace skin
