// The drop-down list combo box ("COMBOBOX"): a closed box showing the
// selected entry with a drop-down button, and a popup list box of the
// entries. The entries live in that list box; the combo box keeps the
// selection the user committed. Its messages are answered in
// ComboBoxMessages.cpp.
#include <algorithm>
#include <string>

#include "platform/controls/ComboBoxState.h"

namespace platform::controls::combobox {

namespace {

RECT ButtonRect(HWND h) {
  RECT rc;
  GetClientRect(h, &rc);
  InflateRect(&rc, -2, -2);
  rc.left = std::max(rc.left, rc.right - GetSystemMetrics(SM_CXVSCROLL));
  return rc;
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

}  // namespace

ComboState* S(HWND h) {
  return StateOf<ComboState>(h);
}

LRESULT L(ComboState& s, UINT msg, WPARAM wp, LPARAM lp) {
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
  s.selAtDrop = s.sel;
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
  // Cancelled after the arrow keys moved through the entries: the
  // selection from before the list opened comes back.
  bool restore = !accept && s.sel != s.selAtDrop;
  L(s, LB_SETCURSEL, WPARAM(std::intptr_t(s.sel)));
  Notify(h, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (!S(h)) return;
  Notify(h, CBN_CLOSEUP);
  if (change && S(h)) Commit(h, s, hover);
  if (restore && S(h)) {
    if (s.selAtDrop >= 0) {
      Commit(h, s, s.selAtDrop);
    } else {
      s.sel = -1;
      L(s, LB_SETCURSEL, WPARAM(-1));
      Redraw(h);
      Notify(h, CBN_SELCHANGE);
    }
  }
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

}  // namespace platform::controls::combobox
