// Program entry: reads the one option, `--data DIR`, and chooses the display:
// the desktop when there is one, the headless screen otherwise.
#include <cstdio>
#include <string>

#include "app/DataFolder.h"
#include "app/Program.h"
#include "platform/WindowSystemStart.h"
#include "platform/backends/BackendChoice.h"

int main(int argc, char** argv) {
  std::string folder, error;
  if (!app::ReadDataFolderOption(argc, argv, folder, error)) {
    std::fprintf(stderr, "sprintara: %s\nusage: sprintara [--data FOLDER]\n", error.c_str());
    return 2;
  }
  app::SetDataFolder(folder);
  platform::StartWindowSystem(platform::CreateBackendFromEnvironment());
  return app::RunProgram();
}
