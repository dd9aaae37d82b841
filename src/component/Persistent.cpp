#include "component/Persistent.h"

#include "component/ClassBuilder.h"
#include "component/Exception.h"

namespace component {

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent").Build();
  return info;
}

const std::string& TPersistent::ClassName() const {
  return ClassInfo().Name();
}

bool TPersistent::InheritsFrom(const TClassInfo& ancestor) const {
  return ClassInfo().InheritsFrom(ancestor);
}

void TPersistent::Assign(const TPersistent& source) {
  throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() const {
  std::string path = ClassName();
  if (TPersistent* owner = GetOwner()) {
    std::string ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) path = ownerPath + "." + path;
  }
  return path;
}

}  // namespace component
