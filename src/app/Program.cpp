#include "app/Program.h"

#include <exception>

#include "app/Competitors.h"
#include "app/Main.h"
#include "graphics/Registration.h"
#include "records/Registration.h"
#include "skin/Registration.h"
#include "toolkit/Application.h"
#include "toolkit/Registration.h"

namespace app {

void RegisterClasses() {
  toolkit::RegisterToolkitClasses();
  graphics::RegisterGraphicsClasses();
  skin::RegisterSkinClasses();
  records::RegisterRecordClasses();
  component::RegisterClasses<TMain, TCompetitors>();
}

bool CreateWindows() {
  toolkit::TApplication& application = *toolkit::Application;
  const char* where = "while creating the window Main (TMain)";
  try {
    application.CreateForm(Main);
    where = "while creating the window Competitors (TCompetitors)";
    application.CreateForm(Competitors);
  } catch (const std::exception& e) {
    application.ShowStartupError(e, where);
    return false;
  }
  return true;
}

int RunProgram() {
  RegisterClasses();
  toolkit::TApplication application;
  application.Initialize();
  if (!CreateWindows()) return 1;
  application.Run();
  return 0;
}

}  // namespace app
