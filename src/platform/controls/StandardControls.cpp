// Registration of the standard control classes.
#include "platform/controls/ControlSupport.h"

namespace platform {

LRESULT EditWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ButtonWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StaticWindowProc(HWND, UINT, WPARAM, LPARAM);

BOOL RegisterStandardControls() {
  struct Entry {
    const char* name;
    WNDPROC proc;
    UINT style;
    unsigned cursor;
  };
  const Entry entries[] = {
      {WC_EDIT, EditWindowProc, CS_DBLCLKS, IDC_IBEAM},
      {WC_LISTBOX, ListBoxWindowProc, CS_DBLCLKS, IDC_ARROW},
      {WC_COMBOLBOX, ListBoxWindowProc, CS_DBLCLKS | CS_SAVEBITS | CS_DROPSHADOW, IDC_ARROW},
      {WC_COMBOBOX, ComboBoxWindowProc, CS_DBLCLKS, IDC_ARROW},
      {WC_BUTTON, ButtonWindowProc, CS_DBLCLKS, IDC_ARROW},
      {WC_STATIC, StaticWindowProc, 0, IDC_ARROW},
  };
  BOOL ok = TRUE;
  for (const Entry& e : entries) {
    WNDCLASS wc;
    wc.style = e.style | CS_GLOBALCLASS;
    wc.lpfnWndProc = e.proc;
    wc.cbWndExtra = controls::kStateBytes;
    wc.hCursor = LoadCursor(e.cursor);
    wc.lpszClassName = e.name;
    if (!RegisterClass(&wc)) ok = FALSE;
  }
  return ok;
}

}  // namespace platform
