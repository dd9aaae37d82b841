#include "platform/WindowSystemStart.h"

#include "platform/controls/Controls.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/MessageBox.h"
#include "platform/menu/Menu.h"

namespace platform {

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
