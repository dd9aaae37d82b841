// The data-aware skinned edit and combo box. They look and behave as
// TSkinEdit and TSkinComboBox; their own classes let window descriptions
// name them apart from the plain ones.
#pragma once

#include "skin/SkinComboBox.h"
#include "skin/SkinEdit.h"

namespace skin {

class TSkinDBEdit : public TSkinEdit {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinDBEdit(component::TComponent* owner) : TSkinEdit(owner) {}
};

class TSkinDBComboBox : public TSkinComboBox {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinDBComboBox(component::TComponent* owner) : TSkinComboBox(owner) {}
};

}  // namespace skin
