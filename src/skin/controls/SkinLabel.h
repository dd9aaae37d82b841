// TSkinLabel: a label that lets the skinned window behind it show through
// and draws its caption in its own font; it has no section of its own.
// TSkinEditLabel is the same label as a bound label (SkinBoundLabel.h)
// creates it beside an edit, combo box or list box.
#pragma once

#include "toolkit/Label.h"

namespace skin {

class TSkinBoundLabel;

class TSkinLabel : public toolkit::TLabel {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinLabel(component::TComponent* owner);
};

class TSkinEditLabel : public TSkinLabel {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinEditLabel(component::TComponent* owner);
  ~TSkinEditLabel() override;

 private:
  friend class TSkinBoundLabel;
  // The bound label that made this one: told when this label goes first
  // (its parent may free it before the bound label's control).
  TSkinBoundLabel* bound_ = nullptr;
};

}  // namespace skin
