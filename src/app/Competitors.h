// The competitors dialog (unit Unit_Competitors): created hidden at start-up
// and shown modally from the console's menu.
#pragma once

#include "toolkit/Form.h"

namespace app {

class TCompetitors : public toolkit::TForm {
 public:
  COMPONENT_CLASS_INFO()
  explicit TCompetitors(component::TComponent* owner);
  ~TCompetitors() override;
};

// Set before the window's construction begins.
extern TCompetitors* Competitors;

}  // namespace app
