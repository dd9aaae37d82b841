// The single-line edit's context menu: the commands it offers and the popup
// that runs them. Internal to the controls.
#pragma once

#include "platform/controls/Controls.h"

namespace platform::controls {

// Which of the edit's commands are enabled; the others show greyed.
struct EditCommands {
  bool undo = false;
  bool cut = false;
  bool copy = false;
  bool paste = false;
  bool clear = false;
  bool selectAll = false;
};

// Shows the menu at the screen point with the edit as its owner, then sends
// the edit the message of the chosen command (WM_UNDO, WM_CUT, WM_COPY,
// WM_PASTE, WM_CLEAR or EM_SETSEL for all the text).
void RunEditContextMenu(HWND edit, POINT screen, const EditCommands& enabled);

}  // namespace platform::controls
