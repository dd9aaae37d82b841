// The combo box's state and the operations its message handlers share.
// Internal to the controls.
#pragma once

#include <string>

#include "platform/controls/ControlSupport.h"

namespace platform::controls::combobox {

struct ComboState {
  HWND list;
  int sel = -1;
  int selAtDrop = -1;  // the selection when the list opened: Escape gives it back
  bool dropped = false;
  bool focused = false;
  bool scrolling = false;  // the list's scroll bar holds the mouse for a while
  bool pressed = false;    // the button that dropped the list is still down
  int dropCount = 16;
  int droppedWidth = 0;
  int fieldHeight = 13;  // the closed box is 6 higher
  // The height of the last rectangle taller than the closed box the combo
  // box was moved to (0: none since creation); CB_GETDROPPEDCONTROLRECT
  // answers it.
  int droppedExtent = 0;
  bool fitting = false;  // the box is being brought to its closed height
  HFONT font;
  std::string typed;
  DWORD typedAt = 0;
};

ComboState* S(HWND h);
// A message to the drop-down list, which holds the entries.
LRESULT L(ComboState& s, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
int Count(ComboState& s);
std::string TextOf(ComboState& s, int i);
void Redraw(HWND h);
// A selection made by the user: committed and announced.
void Commit(HWND h, ComboState& s, int i);

// The list: where it drops to (screen), opening it, and closing it with or
// without taking the entry under the mouse.
RECT DropRect(HWND h, ComboState& s);
void Drop(HWND h, ComboState& s);
void CloseUp(HWND h, ComboState& s, bool accept);

void TypeAhead(HWND h, ComboState& s, unsigned char ch);
void KeyDown(HWND h, ComboState& s, WPARAM vk, bool alt);
// The captured mouse while the list is open (WM_MOUSEMOVE, button messages).
void MouseWhileDropped(HWND h, ComboState& s, UINT msg, LPARAM lp);
void PaintCombo(HWND h, ComboState& s, HDC dc, const PAINTSTRUCT& ps);

}  // namespace platform::controls::combobox
