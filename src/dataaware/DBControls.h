// The plain data-aware editors: an edit box and a drop-down list bound to a
// field of a data source.
#pragma once

#include "dataaware/DataAwareComboBox.h"
#include "dataaware/DataAwareEdit.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"

namespace dataaware {

class TDBEdit : public TDataAwareEdit<toolkit::TEdit> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TDBEdit(component::TComponent* owner) : TDataAwareEdit(owner) {}
};

class TDBComboBox : public TDataAwareComboBox<toolkit::TComboBox> {
 public:
  COMPONENT_CLASS_INFO()
  explicit TDBComboBox(component::TComponent* owner) : TDataAwareComboBox(owner) {}
  // The plain box has no read-only state of its own: the link's is enough.
  void SetReadOnly(bool v) { DataLink()->SetReadOnly(v); }
};

}  // namespace dataaware
