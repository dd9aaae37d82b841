#include "app/Program.h"

#include <exception>

#include "app/AppIcon.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "graphics/Registration.h"
#include "platform/window/TerminateWatch.h"
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
  InstallApplicationIcon();
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
  // A request to end from outside (SIGTERM) closes the console as its
  // operator would, even when it comes during start-up.
  platform::TerminateWatch terminate;
  RegisterClasses();
  toolkit::TApplication application;
  application.Initialize();
  if (!CreateWindows()) return 1;
  terminate.SetTarget(Main->Handle());
  application.Run();
  return 0;
}

}  // namespace app
