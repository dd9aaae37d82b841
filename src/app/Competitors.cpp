#include "app/Competitors.h"

#include "component/ClassBuilder.h"

namespace app {

TCompetitors* Competitors = nullptr;

const component::TClassInfo& TCompetitors::StaticClassInfo() {
  static const component::TClassInfo info =
      component::TClassBuilder<TCompetitors, toolkit::TForm>("TCompetitors").Build();
  return info;
}

TCompetitors::TCompetitors(component::TComponent* owner) : toolkit::TForm(owner) {}

TCompetitors::~TCompetitors() {
  if (Competitors == this) Competitors = nullptr;
}

}  // namespace app
