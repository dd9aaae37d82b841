#include "skin/SkinDBControls.h"

#include "component/ClassBuilder.h"

namespace skin {

using component::TClassBuilder;
using component::TClassInfo;

const TClassInfo& TSkinDBEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinDBEdit, TSkinEdit>("TSkinDBEdit").Build();
  return info;
}

const TClassInfo& TSkinDBComboBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinDBComboBox, TSkinComboBox>("TSkinDBComboBox").Build();
  return info;
}

}  // namespace skin
