// How the combo box answers its messages: focus, keys, the mouse on the
// closed box and on the open list, its text, and the CB_ messages.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/controls/ComboBoxState.h"
#include "platform/controls/ControlProc.h"

namespace platform {

namespace controls::combobox {

namespace {

// ---------------------------------------------------------------- window messages

void DestroyList(HWND, ComboState& s) {
  if (IsWindow(s.list)) DestroyWindow(s.list);
}

// The list takes the combo box's font for its rows.
void PassFontToList(HWND, ComboState& s) {
  L(s, WM_SETFONT, WPARAM(s.font.value), 0);
}

// The height a drop-down combo box is given is the extent of its dropped
// list; the box itself stays as high as its field's item height allows.
int ClosedHeight(const ComboState& s) {
  return s.fieldHeight + 6;
}

bool DropsDown(HWND h) {
  return (GetWindowLongPtr(h, GWL_STYLE) & CBS_DROPDOWNLIST) != CBS_SIMPLE;
}

bool IsDropDownList(HWND h) {
  return (GetWindowLongPtr(h, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
}

void FitClosedHeight(HWND h, ComboState& s) {
  RECT wr;
  GetWindowRect(h, &wr);
  // WM_WINDOWPOSCHANGING replaces the height with the closed one.
  s.fitting = true;
  SetWindowPos(h, HWND{}, 0, 0, wr.Width(), wr.Height(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (ComboState* still = S(h)) still->fitting = false;
}

// A new height for a drop-down list goes to its selection field; a combo
// box with an edit keeps its closed height. Either remembers a rectangle
// taller than its closed box as the extent of its dropped list.
LRESULT OnWindowPosChanging(HWND h, ComboState& s, LPARAM lp) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
  if (pos && !(pos->flags & SWP_NOSIZE) && DropsDown(h)) {
    if (!s.fitting) {
      if (pos->cy > ClosedHeight(s)) s.droppedExtent = pos->cy;
      if (IsDropDownList(h)) s.fieldHeight = std::clamp(pos->cy - 6, 1, 255);
    }
    pos->cy = ClosedHeight(s);
  }
  return DefWindowProc(h, WM_WINDOWPOSCHANGING, 0, lp);
}

// The drop-down list is a popup of the top-level window, so that it can
// reach past the dialog's edges.
LRESULT OnCreate(HWND h, ComboState& s) {
  HWND root = GetAncestor(h, GA_ROOT);
  DWORD style = WS_POPUP | WS_BORDER | LBS_COMBOBOX | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (GetWindowLongPtr(h, GWL_STYLE) & CBS_SORT) style |= LBS_SORT;
  s.list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WC_COMBOLBOX, "",
                          style, 0, 0, 10, 10, root, HMENU{});
  if (!s.list) return -1;
  SetProp(s.list, "ComboBox", LONG_PTR(h.value));
  L(s, LB_SETITEMHEIGHT, 0, 13);
  s.fieldHeight = 13;
  FitClosedHeight(h, s);
  return 0;
}

LRESULT OnSetFocus(HWND h, ComboState& s) {
  s.focused = true;
  Redraw(h);
  Notify(h, CBN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND h, ComboState& s) {
  s.focused = false;
  CloseUp(h, s, false);
  if (!S(h)) return 0;
  Redraw(h);
  Notify(h, CBN_KILLFOCUS);
  return 0;
}

LRESULT OnEnable(HWND h, ComboState& s, WPARAM wp) {
  if (!wp) CloseUp(h, s, false);
  Redraw(h);
  return 0;
}

LRESULT OnKeyDown(HWND h, ComboState& s, WPARAM wp) {
  KeyDown(h, s, wp, false);
  return 0;
}

// Alt+Up and Alt+Down open and close the list.
LRESULT OnSysKeyDown(HWND h, ComboState& s, WPARAM wp, LPARAM lp) {
  if (wp == WPARAM(VK_UP) || wp == WPARAM(VK_DOWN)) {
    KeyDown(h, s, wp, true);
    return 0;
  }
  return DefWindowProc(h, WM_SYSKEYDOWN, wp, lp);
}

LRESULT OnChar(HWND h, ComboState& s, WPARAM wp) {
  TypeAhead(h, s, static_cast<unsigned char>(wp));
  return 0;
}

LRESULT OnButtonDown(HWND h, ComboState* s, UINT msg, LPARAM lp) {
  if (s->dropped) {
    MouseWhileDropped(h, *s, msg, lp);
    return 0;
  }
  if (GetFocus() != h) SetFocus(h);
  if (!(s = S(h)) || GetFocus() != h) return 0;
  Drop(h, *s);
  s->pressed = true;
  return 0;
}

LRESULT OnMouse(HWND h, ComboState& s, UINT msg, LPARAM lp) {
  if (s.dropped) MouseWhileDropped(h, s, msg, lp);
  return 0;
}

// The open list scrolls; the closed box steps through the entries.
LRESULT OnMouseWheel(HWND h, ComboState& s, WPARAM wp, LPARAM lp) {
  if (s.dropped) return L(s, WM_MOUSEWHEEL, wp, lp);
  KeyDown(h, s, GET_WHEEL_DELTA_WPARAM(wp) > 0 ? VK_UP : VK_DOWN, false);
  return 0;
}

LRESULT OnCaptureChanged(HWND h, ComboState& s, LPARAM lp) {
  if (s.dropped && !s.scrolling && HWND{std::uint32_t(lp)} != h) CloseUp(h, s, false);
  return 0;
}

LRESULT OnGetText(ComboState& s, WPARAM wp, LPARAM lp) {
  return CopyOut(s.sel >= 0 ? TextOf(s, s.sel) : std::string(), reinterpret_cast<char*>(lp),
                 std::size_t(wp));
}

LRESULT OnGetTextLength(ComboState& s) {
  return s.sel >= 0 ? L(s, LB_GETTEXTLEN, WPARAM(s.sel)) : 0;
}

// Only the text of an entry can be set: it selects that entry.
LRESULT OnSetText(HWND h, ComboState& s, LPARAM lp) {
  int i = int(L(s, LB_FINDSTRINGEXACT, WPARAM(-1), lp));
  if (i < 0) return CB_ERR;
  s.sel = i;
  Redraw(h);
  return TRUE;
}

// ---------------------------------------------------------------- combo box messages

LRESULT OnAddString(ComboState& s, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT i = msg == CB_ADDSTRING ? L(s, LB_ADDSTRING, 0, lp) : L(s, LB_INSERTSTRING, wp, lp);
  if (i >= 0 && s.sel >= i) ++s.sel;
  return i;
}

LRESULT OnDeleteString(HWND h, ComboState& s, WPARAM wp) {
  LRESULT r = L(s, LB_DELETESTRING, wp, 0);
  if (r >= 0) {
    int i = int(wp);
    if (s.sel == i)
      s.sel = -1;
    else if (s.sel > i)
      --s.sel;
    Redraw(h);
  }
  return r;
}

LRESULT OnResetContent(HWND h, ComboState& s) {
  L(s, LB_RESETCONTENT);
  s.sel = -1;
  Redraw(h);
  return CB_OKAY;
}

LRESULT OnSelectString(HWND h, ComboState& s, WPARAM wp, LPARAM lp) {
  int i = int(L(s, LB_FINDSTRING, wp, lp));
  if (i >= 0) SendMessage(h, CB_SETCURSEL, WPARAM(i), 0);
  return i;
}

LRESULT OnSetCurSel(HWND h, ComboState& s, WPARAM wp) {
  std::intptr_t i = std::intptr_t(wp);
  if (i != -1 && (i < 0 || i >= Count(s))) return CB_ERR;
  s.sel = int(i);
  L(s, LB_SETCURSEL, wp);
  Redraw(h);
  return i == -1 ? CB_ERR : LRESULT(i);
}

LRESULT OnShowDropDown(HWND h, ComboState& s, WPARAM wp) {
  if (wp)
    Drop(h, s);
  else
    CloseUp(h, s, false);
  return TRUE;
}

LRESULT OnGetDroppedControlRect(HWND h, ComboState& s, LPARAM lp) {
  auto* r = reinterpret_cast<RECT*>(lp);
  if (!r) return CB_ERR;
  *r = DropRect(h, s);
  if (s.droppedExtent > 0) {
    RECT wr;
    GetWindowRect(h, &wr);
    *r = RECT{wr.left, wr.top, r->right, wr.top + s.droppedExtent};
  }
  return TRUE;
}

// Index -1 is the closed box's field, which sizes the box; any other the
// list's rows.
LRESULT OnSetItemHeight(HWND h, ComboState& s, WPARAM wp, LPARAM lp) {
  if (lp < 1 || lp > 255) return CB_ERR;
  if (std::intptr_t(wp) == -1) {
    s.fieldHeight = int(lp);
    if (DropsDown(h)) FitClosedHeight(h, s);
    return CB_OKAY;
  }
  return L(s, LB_SETITEMHEIGHT, 0, lp);
}

LRESULT OnGetItemHeight(ComboState& s, WPARAM wp) {
  if (std::intptr_t(wp) == -1) return s.fieldHeight;
  return L(s, LB_GETITEMHEIGHT);
}

LRESULT OnSetMinVisible(ComboState& s, WPARAM wp) {
  if (std::intptr_t(wp) < 1) return FALSE;
  s.dropCount = int(std::min<WPARAM>(wp, 1000));
  return TRUE;
}

LRESULT OnGetDroppedWidth(HWND h, ComboState& s) {
  RECT wr;
  GetWindowRect(h, &wr);
  return std::max(s.droppedWidth, int(wr.Width()));
}

// No width (or a negative one) is ignored; the list is never narrower than
// the box. The answer is the width the list will have.
LRESULT OnSetDroppedWidth(HWND h, ComboState& s, WPARAM wp) {
  if (std::intptr_t(wp) <= 0) return OnGetDroppedWidth(h, s);
  RECT wr;
  GetWindowRect(h, &wr);
  s.droppedWidth = std::max(int(wr.Width()), int(std::min<WPARAM>(wp, 32767)));
  return s.droppedWidth;
}

// Colour questions from the box's parts go on to its parent, whose brush
// is the answer.
LRESULT OnCtlColor(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (HWND parent = GetParent(h)) return SendMessage(parent, msg, wp, lp);
  return DefWindowProc(h, msg, wp, lp);
}

LRESULT ComboMessage(HWND h, ComboState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
      return OnAddString(s, msg, wp, lp);
    case CB_DELETESTRING:
      return OnDeleteString(h, s, wp);
    case CB_RESETCONTENT:
      return OnResetContent(h, s);
    case CB_GETCOUNT:
      return Count(s);
    case CB_GETLBTEXT:
      return L(s, LB_GETTEXT, wp, lp);
    case CB_GETLBTEXTLEN:
      return L(s, LB_GETTEXTLEN, wp, lp);
    case CB_FINDSTRING:
      return L(s, LB_FINDSTRING, wp, lp);
    case CB_FINDSTRINGEXACT:
      return L(s, LB_FINDSTRINGEXACT, wp, lp);
    case CB_SELECTSTRING:
      return OnSelectString(h, s, wp, lp);
    case CB_SETCURSEL:
      return OnSetCurSel(h, s, wp);
    case CB_GETCURSEL:
      return s.sel;
    case CB_GETITEMDATA:
      return L(s, LB_GETITEMDATA, wp);
    case CB_SETITEMDATA:
      return L(s, LB_SETITEMDATA, wp, lp);
    case CB_SHOWDROPDOWN:
      return OnShowDropDown(h, s, wp);
    case CB_GETDROPPEDSTATE:
      return s.dropped;
    case CB_GETDROPPEDCONTROLRECT:
      return OnGetDroppedControlRect(h, s, lp);
    case CB_SETITEMHEIGHT:
      return OnSetItemHeight(h, s, wp, lp);
    case CB_GETITEMHEIGHT:
      return OnGetItemHeight(s, wp);
    case CB_SETMINVISIBLE:
      return OnSetMinVisible(s, wp);
    case CB_GETMINVISIBLE:
      return s.dropCount;
    case CB_SETDROPPEDWIDTH:
      return OnSetDroppedWidth(h, s, wp);
    case CB_GETDROPPEDWIDTH:
      return OnGetDroppedWidth(h, s);
    case CB_GETTOPINDEX:
      return L(s, LB_GETTOPINDEX);
    case CB_SETTOPINDEX:
      return L(s, LB_SETTOPINDEX, wp);
  }
  return DefWindowProc(h, msg, wp, lp);
}

LRESULT WindowMessage(HWND h, ComboState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate(h, s);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (s.dropped ? DLGC_WANTMESSAGE : 0);
    case WM_SETFOCUS:
      return OnSetFocus(h, s);
    case WM_KILLFOCUS:
      return OnKillFocus(h, s);
    case WM_ENABLE:
      return OnEnable(h, s, wp);
    case WM_KEYDOWN:
      return OnKeyDown(h, s, wp);
    case WM_SYSKEYDOWN:
      return OnSysKeyDown(h, s, wp, lp);
    case WM_CHAR:
      return OnChar(h, s, wp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnButtonDown(h, &s, msg, lp);
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      return OnMouse(h, s, msg, lp);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(h, s, wp, lp);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(h, s, lp);
    case WM_GETTEXT:
      return OnGetText(s, wp, lp);
    case WM_GETTEXTLENGTH:
      return OnGetTextLength(s);
    case WM_SETTEXT:
      return OnSetText(h, s, lp);
    case WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(h, s, lp);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return OnCtlColor(h, msg, wp, lp);
  }
  return ComboMessage(h, s, msg, wp, lp);
}

struct ComboBoxControl {
  using State = ComboState;
  static constexpr auto Destroying = DestroyList;
  static constexpr auto FontChanged = PassFontToList;
  static constexpr auto Paint = PaintCombo;
  static constexpr auto Message = WindowMessage;
};

}  // namespace

}  // namespace controls::combobox

LRESULT ComboBoxWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return controls::ControlProc<controls::combobox::ComboBoxControl>(h, msg, wp, lp);
}

}  // namespace platform
