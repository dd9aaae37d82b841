// The data-aware skinned edit and combo box: TSkinEdit and TSkinComboBox in
// look, bound to a field of a data source like TDBEdit and TDBComboBox.
#pragma once

#include "skin/DataAwareComboBox.h"
#include "skin/DataAwareEdit.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinEdit.h"

namespace skin {

class TSkinDBEdit : public TDataAwareEdit<TSkinEdit> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinDBEdit(component::TComponent* owner) : TDataAwareEdit(owner) {}
};

class TSkinDBComboBox : public TDataAwareComboBox<TSkinComboBox> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinDBComboBox(component::TComponent* owner) : TDataAwareComboBox(owner) {}
};

}  // namespace skin
