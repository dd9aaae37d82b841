#include "skin/Registration.h"

#include "component/ClassInfo.h"
#include "skin/SkinManager.h"
#include "skin/SkinProvider.h"

namespace skin {

void RegisterSkinClasses() {
  component::RegisterClasses<TSkinManager, TSkinProvider, TSkinSystemMenu>();
}

}  // namespace skin
