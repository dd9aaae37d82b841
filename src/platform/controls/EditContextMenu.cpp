#include "platform/controls/EditContextMenu.h"

#include "platform/controls/EditMenuCaption.h"
#include "platform/window/MenuApi.h"

namespace platform::controls {

namespace {

void SendCommand(HWND edit, UINT command) {
  switch (command) {
    case IDM_EDIT_UNDO:
      SendMessage(edit, WM_UNDO, 0, 0);
      break;
    case IDM_EDIT_CUT:
      SendMessage(edit, WM_CUT, 0, 0);
      break;
    case IDM_EDIT_COPY:
      SendMessage(edit, WM_COPY, 0, 0);
      break;
    case IDM_EDIT_PASTE:
      SendMessage(edit, WM_PASTE, 0, 0);
      break;
    case IDM_EDIT_DELETE:
      SendMessage(edit, WM_CLEAR, 0, 0);
      break;
    case IDM_EDIT_SELECTALL:
      SendMessage(edit, EM_SETSEL, 0, -1);
      break;
  }
}

}  // namespace

void RunEditContextMenu(HWND edit, POINT screen, const EditCommands& enabled) {
  HMENU menu = CreatePopupMenu();
  // The captions come in the user interface language.
  auto add = [menu](bool on, UINT id) {
    AppendMenu(menu, MF_STRING | (on ? MF_ENABLED : MF_GRAYED), id, EditMenuCaption(id).c_str());
  };
  add(enabled.undo, IDM_EDIT_UNDO);
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  add(enabled.cut, IDM_EDIT_CUT);
  add(enabled.copy, IDM_EDIT_COPY);
  add(enabled.paste, IDM_EDIT_PASTE);
  add(enabled.clear, IDM_EDIT_DELETE);
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  add(enabled.selectAll, IDM_EDIT_SELECTALL);
  UINT command = UINT(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                     screen.x, screen.y, 0, edit, nullptr));
  DestroyMenu(menu);
  if (IsWindow(edit)) SendCommand(edit, command);
}

}  // namespace platform::controls
