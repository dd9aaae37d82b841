// Messages of the toolkit itself, above the window system's own numbers and
// below the skin's, and the record a message travels in between controls.
#pragma once

#include "platform/window/Messages.h"

namespace toolkit {

using platform::LPARAM;
using platform::LRESULT;
using platform::UINT;
using platform::WPARAM;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_MOUSEENTER = CM_BASE + 2;  // LParam: the control, for its parent
constexpr UINT CM_MOUSELEAVE = CM_BASE + 3;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 4;
constexpr UINT CM_COLORCHANGED = CM_BASE + 5;
constexpr UINT CM_FONTCHANGED = CM_BASE + 6;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 9;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 10;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 11;
constexpr UINT CM_DIALOGKEY = CM_BASE + 12;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 13;  // LParam: the control now focused
constexpr UINT CM_RELEASE = CM_BASE + 14;       // a form frees itself
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 15;
// A speed button of a group went down: WParam the group, LParam the button;
// the others of its group come up. The colour speed buttons have their own.
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 40;
constexpr UINT CM_COLORBUTTONPRESSED = CM_BASE + 41;

// Notifications that a parent reflects back to the standard control that
// sent them (WM_COMMAND becomes CN_COMMAND on the control).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + platform::WM_COMMAND;
constexpr UINT CN_DRAWITEM = CN_BASE + platform::WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + platform::WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + platform::WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + platform::WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + platform::WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + platform::WM_CTLCOLORBTN;

}  // namespace toolkit
