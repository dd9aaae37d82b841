#include "app/Program.h"

#include <exception>

#include "app/AppIcon.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "app/DataFolder.h"
#include "graphics/Registration.h"
#include "platform/window/TerminateWatch.h"
#include "records/RaceData.h"
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

bool CreateWindows(platform::TerminateWatch* terminate) {
  toolkit::TApplication& application = *toolkit::Application;
  InstallApplicationIcon();
  const char* where = "while creating the window Main (TMain)";
  try {
    application.CreateForm(Main);
    where = "while creating the window Competitors (TCompetitors)";
    application.CreateForm(Competitors);
    // After the dialog has attached its own handlers, so the saves come first.
    if (!DataFolder().empty()) {
      KeepTableSaved(*Main->Table_Competitors, records::CompetitorsFile(DataFolder()));
      KeepTableSaved(*Main->Table_Results, records::ResultsFile(DataFolder()));
    }
  } catch (const std::exception& e) {
    if (terminate) terminate->QuitWithoutTarget();
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
  if (!CreateWindows(&terminate)) return 1;
  terminate.SetTarget(Main->Handle());
  application.Run();
  return 0;
}

}  // namespace app
