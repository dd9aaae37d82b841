// The drop-down list combo box ("COMBOBOX"): a closed box showing the
// selected entry with a drop-down button, and a popup list box of the
// entries. The entries live in that list box; the combo box keeps the
// selection the user committed.
#include <algorithm>
#include <string>

#include "platform/controls/ControlProc.h"

namespace platform {

LRESULT ListBoxWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

namespace {

using namespace controls;

struct ComboState {
  HWND list;
  int sel = -1;
  bool dropped = false;
  bool focused = false;
  bool scrolling = false;  // the list's scroll bar holds the mouse for a while
  bool pressed = false;    // the button that dropped the list is still down
  int dropCount = 16;
  int droppedWidth = 0;
  int fieldHeight = 0;
  HFONT font;
  std::string typed;
  DWORD typedAt = 0;
};

ComboState* S(HWND h) {
  return StateOf<ComboState>(h);
}

LRESULT L(ComboState& s, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  return SendMessage(s.list, msg, wp, lp);
}

int Count(ComboState& s) {
  return int(L(s, LB_GETCOUNT));
}

std::string TextOf(ComboState& s, int i) {
  LRESULT n = L(s, LB_GETTEXTLEN, WPARAM(i));
  if (n < 0) return {};
  std::string t(std::size_t(n) + 1, '\0');
  L(s, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(t.data()));
  t.resize(std::size_t(n));
  return t;
}

RECT ButtonRect(HWND h) {
  RECT rc;
  GetClientRect(h, &rc);
  InflateRect(&rc, -2, -2);
  rc.left = std::max(rc.left, rc.right - GetSystemMetrics(SM_CXVSCROLL));
  return rc;
}

void Redraw(HWND h) {
  InvalidateRect(h, nullptr, FALSE);
}

// A selection made by the user: committed and announced.
void Commit(HWND h, ComboState& s, int i) {
  if (i < 0 || i >= Count(s) || i == s.sel) return;
  s.sel = i;
  L(s, LB_SETCURSEL, WPARAM(i));
  Redraw(h);
  Notify(h, CBN_SELCHANGE);
}

RECT DropRect(HWND h, ComboState& s) {
  RECT wr;
  GetWindowRect(h, &wr);
  int rows = std::clamp(Count(s), 1, std::max(1, s.dropCount));
  int height = rows * int(L(s, LB_GETITEMHEIGHT, 0)) + 2;
  int width = std::max(int(wr.Width()), s.droppedWidth);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  int y = wr.bottom;
  if (y + height > work.bottom && wr.top - height >= work.top) y = wr.top - height;
  return RECT{wr.left, y, wr.left + width, y + height};
}

void Drop(HWND h, ComboState& s) {
  if (s.dropped || !IsWindowEnabled(h)) return;
  Notify(h, CBN_DROPDOWN);
  if (!(S(h))) return;
  RECT r = DropRect(h, s);
  DWORD style = DWORD(GetWindowLongPtr(s.list, GWL_STYLE));
  bool scroll = Count(s) > s.dropCount;
  SetWindowLongPtr(s.list, GWL_STYLE, scroll ? (style | WS_VSCROLL) : (style & ~WS_VSCROLL));
  SetWindowPos(s.list, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  if (s.sel >= 0)
    L(s, LB_SETCURSEL, WPARAM(s.sel));
  else
    L(s, LB_SETCURSEL, WPARAM(-1));
  s.dropped = true;
  Redraw(h);
  SetCapture(h);
}

void CloseUp(HWND h, ComboState& s, bool accept) {
  if (!s.dropped) return;
  s.dropped = false;
  s.pressed = false;
  ShowWindow(s.list, SW_HIDE);
  if (GetCapture() == h) ReleaseCapture();
  Redraw(h);
  int hover = int(L(s, LB_GETCURSEL));
  bool change = accept && hover >= 0 && hover != s.sel;
  L(s, LB_SETCURSEL, WPARAM(std::intptr_t(s.sel)));
  Notify(h, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (!S(h)) return;
  Notify(h, CBN_CLOSEUP);
  if (change && S(h)) Commit(h, s, hover);
}

void TypeAhead(HWND h, ComboState& s, unsigned char ch) {
  if (ch < 32) return;
  DWORD now = GetMessageTime();
  if (now - s.typedAt >= kTypeAheadPauseMs) s.typed.clear();
  s.typedAt = now;
  s.typed += char(ch);
  int i = int(L(s, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(s.typed.c_str())));
  if (i >= 0) Commit(h, s, i);
}

void KeyDown(HWND h, ComboState& s, WPARAM vk, bool alt) {
  int n = Count(s);
  int page = std::max(1, s.dropCount - 1);
  int to = -1;
  switch (int(vk)) {
    case VK_F4:
      if (!alt) s.dropped ? CloseUp(h, s, true) : Drop(h, s);
      return;
    case VK_UP:
    case VK_DOWN:
      if (alt) return s.dropped ? CloseUp(h, s, true) : Drop(h, s);
      to = s.sel < 0 ? 0 : s.sel + (vk == WPARAM(VK_DOWN) ? 1 : -1);
      break;
    case VK_LEFT:
      to = s.sel < 0 ? 0 : s.sel - 1;
      break;
    case VK_RIGHT:
      to = s.sel < 0 ? 0 : s.sel + 1;
      break;
    case VK_PRIOR:
      to = s.sel - page;
      break;
    case VK_NEXT:
      to = s.sel < 0 ? page - 1 : s.sel + page;
      break;
    case VK_HOME:
      to = 0;
      break;
    case VK_END:
      to = n - 1;
      break;
    case VK_RETURN:
      CloseUp(h, s, true);
      return;
    case VK_ESCAPE:
      CloseUp(h, s, false);
      return;
    default:
      return;
  }
  if (n == 0) return;
  Commit(h, s, std::clamp(to, 0, n - 1));
}

void DrawArrow(HDC dc, RECT b, bool enabled) {
  int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
  auto tri = [&](int dx, int dy, COLORREF color) {
    HBRUSH br = CreateSolidBrush(color);
    for (int i = 0; i < 4; ++i) {
      RECT r{cx - 3 + i + dx, cy - 1 + i + dy, cx + 4 - i + dx, cy + i + dy};
      FillRect(dc, &r, br);
    }
    DeleteObject(br);
  };
  if (!enabled) {
    tri(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    tri(0, 0, GetSysColor(COLOR_GRAYTEXT));
  } else {
    tri(0, 0, GetSysColor(COLOR_BTNTEXT));
  }
}

void PaintCombo(HWND h, ComboState& s, HDC dc, const PAINTSTRUCT&) {
  bool enabled = IsWindowEnabled(h);
  HBRUSH bg = ControlColors(h, dc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
  if (!S(h)) return;
  RECT rc;
  GetClientRect(h, &rc);
  RECT inner = rc;
  DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &inner, bg);
  RECT button = ButtonRect(h);
  RECT face = button;
  DrawFrameControl(dc, &face, DFC_BUTTON,
                   DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (s.dropped ? DFCS_PUSHED | DFCS_FLAT : 0));
  if (s.dropped) OffsetRect(&face, 1, 1);
  DrawArrow(dc, face, enabled);
  RECT field{inner.left, inner.top, button.left, inner.bottom};
  HFONT old = SelectObject(dc, UsableFont(s.font));
  RECT text = field;
  InflateRect(&text, -1, -1);
  COLORREF color = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  if (s.focused) {
    FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
    color = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  RECT t = text;
  t.left += 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  if (s.sel >= 0) DrawText(dc, TextOf(s, s.sel), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (s.focused) DrawFocusRect(dc, &text);
  SelectObject(dc, old);
}

// Where a captured mouse message points in the list's client area.
POINT InList(HWND h, ComboState& s, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ClientToScreen(h, &p);
  ScreenToClient(s.list, &p);
  return p;
}

bool OnListItem(ComboState& s, POINT p, int* row) {
  LRESULT r = L(s, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
  *row = int(LOWORD(std::uintptr_t(r)));
  return HIWORD(std::uintptr_t(r)) == 0 && Count(s) > 0;
}

void MouseWhileDropped(HWND h, ComboState& s, UINT msg, LPARAM lp) {
  POINT p = InList(h, s, lp);
  int row;
  bool onItem = OnListItem(s, p, &row);
  POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ClientToScreen(h, &screen);
  RECT lw, cw;
  GetWindowRect(s.list, &lw);
  GetWindowRect(h, &cw);
  switch (msg) {
    case WM_MOUSEMOVE:
      if (onItem) L(s, LB_SETCURSEL, WPARAM(row));
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (onItem) {
        L(s, LB_SETCURSEL, WPARAM(row));
      } else if (PtInRect(lw, screen)) {
        // The list's scroll bar: let it track, then take the mouse back.
        s.scrolling = true;
        SendMessage(s.list, WM_NCLBUTTONDOWN, WPARAM(HTVSCROLL), MAKELPARAM(screen.x, screen.y));
        if (S(h)) {
          s.scrolling = false;
          if (s.dropped) SetCapture(h);
        }
      } else {
        CloseUp(h, s, false);
      }
      return;
    case WM_LBUTTONUP:
      if (onItem) {
        L(s, LB_SETCURSEL, WPARAM(row));
        CloseUp(h, s, true);
      } else if (s.pressed && !PtInRect(cw, screen)) {
        s.pressed = false;
      } else {
        s.pressed = false;
      }
      return;
  }
}

// ---------------------------------------------------------------- window messages

void DestroyList(HWND, ComboState& s) {
  if (IsWindow(s.list)) DestroyWindow(s.list);
}

// The list takes the combo box's font for its rows.
void PassFontToList(HWND, ComboState& s) {
  L(s, WM_SETFONT, WPARAM(s.font.value), 0);
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
  return TRUE;
}

// Index -1 is the closed box's field, any other the list's rows.
LRESULT OnSetItemHeight(ComboState& s, WPARAM wp, LPARAM lp) {
  if (lp < 1 || lp > 255) return CB_ERR;
  if (std::intptr_t(wp) == -1) {
    s.fieldHeight = int(lp);
    return CB_OKAY;
  }
  return L(s, LB_SETITEMHEIGHT, 0, lp);
}

LRESULT OnGetItemHeight(HWND h, ComboState& s, WPARAM wp) {
  if (std::intptr_t(wp) == -1) {
    RECT rc;
    GetClientRect(h, &rc);
    return s.fieldHeight ? s.fieldHeight : rc.Height() - 6;
  }
  return L(s, LB_GETITEMHEIGHT);
}

LRESULT OnSetMinVisible(ComboState& s, WPARAM wp) {
  if (std::intptr_t(wp) < 1) return FALSE;
  s.dropCount = int(std::min<WPARAM>(wp, 1000));
  return TRUE;
}

LRESULT OnSetDroppedWidth(ComboState& s, WPARAM wp) {
  s.droppedWidth = int(std::min<WPARAM>(wp, 32767));
  return s.droppedWidth;
}

LRESULT OnGetDroppedWidth(HWND h, ComboState& s) {
  RECT wr;
  GetWindowRect(h, &wr);
  return std::max(s.droppedWidth, int(wr.Width()));
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
      return OnSetItemHeight(s, wp, lp);
    case CB_GETITEMHEIGHT:
      return OnGetItemHeight(h, s, wp);
    case CB_SETMINVISIBLE:
      return OnSetMinVisible(s, wp);
    case CB_GETMINVISIBLE:
      return s.dropCount;
    case CB_SETDROPPEDWIDTH:
      return OnSetDroppedWidth(s, wp);
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

LRESULT ComboBoxWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return ControlProc<ComboBoxControl>(h, msg, wp, lp);
}

}  // namespace platform
