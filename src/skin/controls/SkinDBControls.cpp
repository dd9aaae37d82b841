#include "skin/controls/SkinDBControls.h"

#include "component/ClassBuilder.h"

namespace skin {

using component::TClassBuilder;
using component::TClassInfo;

const TClassInfo& TSkinDBEdit::StaticClassInfo() {
  using T = TSkinDBEdit;
  static const TClassInfo info = TClassBuilder<T, TSkinEdit>("TSkinDBEdit")
                                     .Property("DataField", &T::DataField, &T::SetDataField)
                                     .Property("DataSource", &T::DataSource, &T::SetDataSource)
                                     .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
                                     .Build();
  return info;
}

const TClassInfo& TSkinDBComboBox::StaticClassInfo() {
  using T = TSkinDBComboBox;
  static const TClassInfo info = TClassBuilder<T, TSkinComboBox>("TSkinDBComboBox")
                                     .Property("DataField", &T::DataField, &T::SetDataField)
                                     .Property("DataSource", &T::DataSource, &T::SetDataSource)
                                     .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
                                     .Build();
  return info;
}

}  // namespace skin
