#include "skin/Registration.h"

#include "component/ClassInfo.h"
#include "skin/SkinLabel.h"
#include "skin/SkinListBox.h"
#include "skin/SkinManager.h"
#include "skin/SkinProvider.h"

namespace skin {

void RegisterSkinClasses() {
  component::RegisterClasses<TSkinManager, TSkinProvider, TSkinSystemMenu>();
  component::RegisterClasses<TSkinLabel, TSkinEditLabel>();
  component::RegisterClasses<TSkinBaseListBox, TSkinListBox, TSkinScrollBar>();
}

}  // namespace skin
