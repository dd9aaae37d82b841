#include "dataaware/DBControls.h"

#include "component/ClassBuilder.h"

namespace dataaware {

using component::TClassBuilder;
using component::TClassInfo;

const TClassInfo& TDBEdit::StaticClassInfo() {
  using T = TDBEdit;
  static const TClassInfo info = TClassBuilder<T, toolkit::TEdit>("TDBEdit")
                                     .Property("DataField", &T::DataField, &T::SetDataField)
                                     .Property("DataSource", &T::DataSource, &T::SetDataSource)
                                     .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
                                     .Build();
  return info;
}

const TClassInfo& TDBComboBox::StaticClassInfo() {
  using T = TDBComboBox;
  static const TClassInfo info = TClassBuilder<T, toolkit::TComboBox>("TDBComboBox")
                                     .Property("DataField", &T::DataField, &T::SetDataField)
                                     .Property("DataSource", &T::DataSource, &T::SetDataSource)
                                     .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
                                     .Build();
  return info;
}

}  // namespace dataaware
