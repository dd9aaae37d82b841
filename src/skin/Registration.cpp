#include "skin/Registration.h"

#include "component/ClassInfo.h"
#include "skin/SkinManager.h"

namespace skin {

void RegisterSkinClasses() {
  component::RegisterClasses<TSkinManager>();
}

}  // namespace skin
