#include "skin/controls/SkinLabel.h"

#include "component/ClassBuilder.h"
#include "skin/controls/SkinBoundLabel.h"

namespace skin {

using namespace component;

const TClassInfo& TSkinLabel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinLabel, toolkit::TLabel>("TSkinLabel").Build();
  return info;
}

TSkinLabel::TSkinLabel(TComponent* owner) : toolkit::TLabel(owner) {
  SetTransparent(true);
}

const TClassInfo& TSkinEditLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinEditLabel, TSkinLabel>("TSkinEditLabel").Build();
  return info;
}

TSkinEditLabel::TSkinEditLabel(TComponent* owner) : TSkinLabel(owner) {}

TSkinEditLabel::~TSkinEditLabel() {
  if (bound_) bound_->LabelDestroyed();
}

}  // namespace skin
