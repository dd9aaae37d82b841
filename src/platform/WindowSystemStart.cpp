#include "platform/WindowSystemStart.h"

#include "platform/controls/Controls.h"

namespace platform {

namespace menus {
void InstallMenus();
}  // namespace menus

namespace dialogs {
void InstallNavigation();
void InstallMessageBoxes();
}  // namespace dialogs

void InstallStandardParts() {
  RegisterStandardControls();
  menus::InstallMenus();
  dialogs::InstallNavigation();
  dialogs::InstallMessageBoxes();
}

void StartWindowSystem(std::unique_ptr<Backend> backend) {
  InstallBackend(std::move(backend));
  InstallStandardParts();
}

}  // namespace platform
