// What every new window system starts with: the standard control classes,
// the menus, the dialog navigation and the message box class.
#include "platform/controls/Controls.h"
#include "platform/menu/MenuInternal.h"
#include "platform/window/WindowSystem.h"

namespace platform {

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

}  // namespace platform
