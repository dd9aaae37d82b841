// The data-aware skinned edit and combo box: TSkinEdit and TSkinComboBox in
// look, bound to a field of a data source like TDBEdit and TDBComboBox.
#pragma once

#include "dataaware/DataAwareComboBox.h"
#include "dataaware/DataAwareEdit.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"

namespace skin {

class TSkinDBEdit : public dataaware::TDataAwareEdit<TSkinEdit> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinDBEdit(component::TComponent* owner) : TDataAwareEdit(owner) {}
};

class TSkinDBComboBox : public dataaware::TDataAwareComboBox<TSkinComboBox> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinDBComboBox(component::TComponent* owner) : TDataAwareComboBox(owner) {}
};

}  // namespace skin
