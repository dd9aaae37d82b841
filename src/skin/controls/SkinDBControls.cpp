#include "skin/controls/SkinDBControls.h"

namespace skin {

using component::TClassInfo;

const TClassInfo& TSkinDBEdit::StaticClassInfo() {
  static const TClassInfo info =
      dataaware::DataAwareClassInfo<TSkinDBEdit, TSkinEdit>("TSkinDBEdit");
  return info;
}

const TClassInfo& TSkinDBComboBox::StaticClassInfo() {
  static const TClassInfo info =
      dataaware::DataAwareClassInfo<TSkinDBComboBox, TSkinComboBox>("TSkinDBComboBox");
  return info;
}

}  // namespace skin
