// Program entry: reads no command line. The program chooses its display
// here: the desktop when there is one, the headless screen otherwise.
#include "app/Program.h"
#include "platform/WindowSystemStart.h"
#include "platform/backends/BackendChoice.h"

int main() {
  platform::StartWindowSystem(platform::CreateBackendFromEnvironment());
  return app::RunProgram();
}
