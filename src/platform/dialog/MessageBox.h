// Message boxes: a modal window with a text, an icon and standard buttons
// that returns the button chosen. The owner is disabled while the box is
// shown (with MB_TASKMODAL every top-level window of the program is); the
// box takes Enter (the default button), Escape (Cancel, or OK when it is
// the only button), Tab, and the buttons' letters (Y and N). It is sized to
// its text and centred on its owner.
//
// A driver (a test, a tool) reads an open box with FindMessageBox and
// GetMessageBoxInfo and answers it with EndMessageBox.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog/Dialog.h"

namespace platform {

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_DEFMASK = 0x00000F00;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

// Shows the box and runs a modal loop until a button is chosen; returns its
// IDOK, IDCANCEL, IDYES, IDNO, ... A termination request (WM_QUIT) ends the
// box with 0 and is passed on to the loop outside.
int MessageBox(HWND owner, const char* text, const char* caption, UINT flags);

struct MessageBoxInfo {
  HWND hwnd;
  std::string text;
  std::string caption;
  UINT icon = 0;                     // MB_ICON... or 0
  std::vector<std::string> buttons;  // captions, left to right ("&Yes", "&No")
  std::vector<int> ids;              // their results
  int defaultId = 0;
};

// The topmost open message box, or null.
HWND FindMessageBox();
BOOL GetMessageBoxInfo(HWND box, MessageBoxInfo* out);
// Closes the box as if the button with that result had been chosen.
BOOL EndMessageBox(HWND box, int result);

namespace dialogs {
// Registers the message box window class. Called for every new window system.
void InstallMessageBoxes();
}  // namespace dialogs

}  // namespace platform
