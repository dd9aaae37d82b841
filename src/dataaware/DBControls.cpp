#include "dataaware/DBControls.h"

namespace dataaware {

using component::TClassInfo;

const TClassInfo& TDBEdit::StaticClassInfo() {
  static const TClassInfo info = DataAwareClassInfo<TDBEdit, toolkit::TEdit>("TDBEdit");
  return info;
}

const TClassInfo& TDBComboBox::StaticClassInfo() {
  static const TClassInfo info = DataAwareClassInfo<TDBComboBox, toolkit::TComboBox>("TDBComboBox");
  return info;
}

}  // namespace dataaware
