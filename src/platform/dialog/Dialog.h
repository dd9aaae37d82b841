// Dialog keyboard navigation for any window that holds controls: Tab and
// Shift+Tab through the tab stops, arrow keys within a group, Alt+letter
// (or the plain letter, where the focused control takes no characters) to
// the control whose caption marks that letter with "&", Enter to the
// default button and Escape to the cancel button. Each control says which
// keys it keeps for itself through WM_GETDLGCODE.
//
// Tab order is the order in which a window's children were created (the
// window system puts each new child on top, so the order runs from the
// bottom of the z-order up); SetWindowPos can move a child within it.
// Children that hold controls of their own are searched in place: those
// with WS_EX_CONTROLPARENT, and those that are no tab stop themselves but
// have children. Hidden and disabled controls are passed over; a control
// that lies outside its parent's visible area is a tab stop like any other.
//
// When a window is activated the focus returns to the control that had it
// last, or goes to the first tab stop (the window system's default
// activation does this for every window).
#pragma once

#include "platform/controls/Controls.h"
#include "platform/window/Window.h"

namespace platform {

// Command identifiers of the standard buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;

// Asked of the dialog window: the default button's identifier in the low
// word and DC_HASDEFID in the high word. A window that does not answer has
// as default the button with the BS_DEFPUSHBUTTON style.
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr LRESULT DC_HASDEFID = 0x534B;

// Handles the message if it is a navigation key for `dialog` (a window and
// its descendants); otherwise translates and dispatches it. Returns FALSE
// only for messages that are not meant for the dialog, which the caller
// then handles as usual:
//   while (GetMessage(&msg, {}, 0, 0) > 0)
//     if (!IsDialogMessage(dialog, &msg)) { TranslateMessage(&msg); DispatchMessage(&msg); }
BOOL IsDialogMessage(HWND dialog, MSG* msg);

// The next (or previous) tab stop after `control` (null: from the start or
// the end), wrapping around; null when the dialog has none.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) control of the group `control` is in: the run of
// siblings from one with WS_GROUP up to the next one with WS_GROUP.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// The descendant with that identifier (nested containers included).
HWND FindDlgItem(HWND dialog, int id);
// Moves the focus to a control as Tab does: an edit gets its whole text
// selected.
void SetDlgFocus(HWND control);
// Whether a key reaches a control that handles it itself.
LRESULT GetDlgCode(HWND control, const MSG* msg);

namespace dialogs {
// Lets the window core find a dialog's first tab stop. Called for every new
// window system.
void InstallNavigation();
}  // namespace dialogs

}  // namespace platform
