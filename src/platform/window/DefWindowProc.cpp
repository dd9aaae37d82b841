// What a window does with a message it does not handle itself.
#include <algorithm>
#include <cstring>

#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

unsigned CursorForHit(LRESULT hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT:
      return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
      return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return IDC_SIZENESW;
  }
  return IDC_ARROW;
}

LRESULT SysCommand(HWND h, WindowRec& w, WPARAM wp, LPARAM lp) {
  auto& ws = WS();
  switch (wp & 0xFFF0) {
    case SC_CLOSE:
      if (!(w.cls->wc.style & CS_NOCLOSE)) SendMessage(h, WM_CLOSE, 0, 0);
      return 0;
    case SC_MINIMIZE:
      ShowWindow(h, SW_MINIMIZE);
      return 0;
    case SC_MAXIMIZE:
      ShowWindow(h, SW_MAXIMIZE);
      return 0;
    case SC_RESTORE:
      ShowWindow(h, SW_RESTORE);
      return 0;
    case SC_MOVE:
    case SC_SIZE: {
      POINT start{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (!lp) start = ws.cursorPos;
      RunMoveSizeLoop(h, wp, start);
      return 0;
    }
    case SC_KEYMENU:
    case SC_MOUSEMENU: {
      // The system menu is the window's own business (a frame that draws
      // one); the platform's windows have none.
      if ((wp & 0xFFF0) == SC_KEYMENU && lp == ' ') return 0;
      WindowRec* root = ws.Root(&w);
      if (ws.menuHandler && root && root->menu)
        ws.menuHandler->Track(
            root->hwnd, root->menu,
            (wp & 0xFFF0) == SC_MOUSEMENU ? POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)} : POINT{},
            (wp & 0xFFF0) == SC_KEYMENU ? unsigned(lp) : 0);
      return 0;
    }
  }
  return 0;
}

LRESULT NcButtonDown(HWND h, WindowRec& w, WPARAM hit, LPARAM lp) {
  switch (LRESULT(hit)) {
    case HTCAPTION:
      SendMessage(h, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lp);
      return 0;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
      if (w.style & WS_THICKFRAME)
        SendMessage(h, WM_SYSCOMMAND, SC_SIZE + WPARAM(hit - HTLEFT + WMSZ_LEFT), lp);
      return 0;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
      TrackCaptionButton(h, LRESULT(hit));
      return 0;
    case HTMENU:
      SendMessage(h, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lp);
      return 0;
    case HTVSCROLL:
    case HTHSCROLL:
      TrackScrollBar(h, LRESULT(hit) == HTVSCROLL ? SB_VERT : SB_HORZ,
                     POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
  }
  return 0;
}

// The control that had the focus last, while it can still take it; else the
// first tab stop; else the window itself.
HWND FocusOnActivation(HWND h, WindowRec& w) {
  auto& ws = WS();
  HWND last = w.lastFocus;
  if (last == h) return h;
  if (ws.Get(last) && ws.IsDescendant(h, last) && IsWindowVisible(last)) {
    bool enabled = true;
    for (WindowRec* a = ws.Get(last); a && a->hwnd != h; a = ws.Get(a->parent))
      enabled = enabled && !(a->style & WS_DISABLED);
    if (enabled) return last;
  }
  if (ws.firstTabStop)
    if (HWND first = ws.firstTabStop(h); ws.Get(first)) return first;
  return h;
}

bool IsChildWindow(const WindowRec& w) {
  return w.style & WS_CHILD;
}

void RedrawCaption(HWND h, const WindowRec& w) {
  if ((w.style & WS_CAPTION) == WS_CAPTION)
    RedrawWindow(h, nullptr, HRGN{}, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// ---------------------------------------------------------------- the frame

LRESULT OnNcCreate(WindowRec& w, LPARAM lp) {
  auto* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
  if (cs && cs->lpszName) w.text = cs->lpszName;
  return TRUE;
}

// The client area is what the frame, caption and menu bar leave.
LRESULT OnNcCalcSize(WindowRec& w, WPARAM wp, LPARAM lp) {
  RECT* r = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
  if (!lp) return 0;
  if (w.style & WS_MINIMIZE) {
    r->right = r->left, r->bottom = r->top;
    return 0;
  }
  int width = r->Width();
  RECT in = FrameInsets(w.style, w.exStyle, false);
  r->left += in.left, r->top += in.top, r->right -= in.right, r->bottom -= in.bottom;
  r->top += MenuBarHeight(w, width);
  r->right = std::max(r->right, r->left);
  r->bottom = std::max(r->bottom, r->top);
  return 0;
}

LRESULT OnNcPaint(HWND h, WPARAM wp) {
  PaintClassicFrame(h, HRGN{std::uint32_t(wp)});
  return 0;
}

LRESULT OnNcActivate(HWND h, WindowRec& w, WPARAM wp) {
  w.ncActive = wp != 0;
  RedrawCaption(h, w);
  return TRUE;
}

LRESULT OnNcDoubleClick(HWND h, WindowRec& w, WPARAM wp, LPARAM lp) {
  if (LRESULT(wp) == HTCAPTION && (w.style & WS_MAXIMIZEBOX))
    SendMessage(h, WM_SYSCOMMAND, IsZoomed(h) ? SC_RESTORE : SC_MAXIMIZE, lp);
  else if (LRESULT(wp) == HTSYSMENU)
    SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, lp);
  return 0;
}

// ---------------------------------------------------------------- activation and the mouse

LRESULT OnActivate(HWND h, WindowRec& w, WPARAM wp) {
  auto& ws = WS();
  if (LOWORD(wp) != WA_INACTIVE && !(w.style & WS_MINIMIZE) &&
      (!ws.focus || !ws.IsDescendant(h, ws.focus)))
    SetFocus(FocusOnActivation(h, w));
  return 0;
}

// A child asks its parent first.
LRESULT OnMouseActivate(WindowRec& w, WPARAM wp, LPARAM lp) {
  if (IsChildWindow(w)) {
    LRESULT r = SendMessage(w.parent, WM_MOUSEACTIVATE, wp, lp);
    if (r) return r;
  }
  return MA_ACTIVATE;
}

LRESULT OnSetCursor(WindowRec& w, WPARAM wp, LPARAM lp) {
  if (IsChildWindow(w) && SendMessage(w.parent, WM_SETCURSOR, wp, lp)) return TRUE;
  LRESULT hit = LRESULT(std::int16_t(LOWORD(lp)));
  if (hit == HTERROR) {
    UINT mouse = HIWORD(lp);
    if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN) MessageBeep(0);
    return FALSE;
  }
  if (hit == HTCLIENT) {
    HCURSOR c = w.cls->wc.hCursor;
    if (!c) return FALSE;
    SetCursor(c);
    return TRUE;
  }
  SetCursor(HCURSOR{CursorForHit(hit)});
  return TRUE;
}

// The context menu is asked for where the button was released.
LRESULT OnRightButtonUp(HWND h, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ClientToScreen(h, &p);
  SendMessage(h, WM_CONTEXTMENU, WPARAM(h.value), MAKELPARAM(p.x, p.y));
  return 0;
}

LRESULT PassToParent(WindowRec& w, UINT msg, WPARAM wp, LPARAM lp) {
  if (IsChildWindow(w)) return SendMessage(w.parent, msg, wp, lp);
  return 0;
}

LRESULT OnCancelMode(HWND h) {
  if (WS().capture == h) ReleaseCapture();
  return 0;
}

// ---------------------------------------------------------------- painting and text

LRESULT OnEraseBackground(HWND h, WindowRec& w, WPARAM wp) {
  HBRUSH brush = w.cls->wc.hbrBackground;
  if (!brush) return 0;
  RECT rc;
  GetClientRect(h, &rc);
  FillRect(HDC{std::uint32_t(wp)}, &rc, brush);
  return 1;
}

LRESULT OnPaint(HWND h) {
  PAINTSTRUCT ps;
  BeginPaint(h, &ps);
  EndPaint(h, &ps);
  return 0;
}

LRESULT OnSetRedraw(WindowRec& w, WPARAM wp) {
  w.redrawOff = !wp;
  return 0;
}

LRESULT OnSetText(HWND h, WindowRec& w, LPARAM lp) {
  w.text = lp ? reinterpret_cast<const char*>(lp) : "";
  RedrawCaption(h, w);
  return TRUE;
}

LRESULT OnGetText(const WindowRec& w, WPARAM wp, LPARAM lp) {
  char* buf = reinterpret_cast<char*>(lp);
  if (!buf || wp == 0) return 0;
  std::size_t n = std::min<std::size_t>(wp - 1, w.text.size());
  std::memcpy(buf, w.text.data(), n);
  buf[n] = 0;
  return LRESULT(n);
}

LRESULT OnSetIcon(WindowRec& w, WPARAM wp, LPARAM lp) {
  HICON old = wp ? w.iconBig : w.iconSmall;
  (wp ? w.iconBig : w.iconSmall) = HICON{std::uint32_t(lp)};
  return LRESULT(old.value);
}

// Fields (edits, lists) on the window colour, everything else on the face.
LRESULT DefaultControlColors(UINT msg, WPARAM wp) {
  HDC dc{std::uint32_t(wp)};
  bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
  return LRESULT(GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE).value);
}

// ---------------------------------------------------------------- size and position

LRESULT OnClose(HWND h) {
  DestroyWindow(h);
  return 0;
}

// Top-level windows stay within their minimum and maximum tracking sizes.
LRESULT OnWindowPosChanging(HWND h, WindowRec& w, LPARAM lp) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
  if (!pos || (pos->flags & SWP_NOSIZE) || IsChildWindow(w)) return 0;
  if (w.style & (WS_MINIMIZE | WS_MAXIMIZE)) return 0;
  if ((w.style & WS_THICKFRAME) || !(w.style & WS_POPUP)) {
    MINMAXINFO mmi = GetMinMax(h);
    pos->cx = std::clamp(pos->cx, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x);
    pos->cy = std::clamp(pos->cy, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y);
  }
  return 0;
}

LRESULT OnWindowPosChanged(HWND h, WindowRec* w, LPARAM lp) {
  auto& ws = WS();
  auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
  if (!pos) return 0;
  if (!(pos->flags & kNoClientMove))
    SendMessage(h, WM_MOVE, 0, MAKELPARAM(w->client.left, w->client.top));
  w = ws.Get(h);
  if (w && !(pos->flags & kNoClientSize)) {
    WPARAM kind = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                  : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                             : SIZE_RESTORED;
    SendMessage(h, WM_SIZE, kind, MAKELPARAM(w->client.Width(), w->client.Height()));
  }
  return 0;
}

// ---------------------------------------------------------------- keys

LRESULT OnKeyUp(HWND h, WPARAM wp) {
  if (wp == WPARAM(VK_APPS)) SendMessage(h, WM_CONTEXTMENU, WPARAM(h.value), -1);
  return 0;
}

// Shift+F10 asks for the context menu, Alt+F4 closes, F10 opens the menu bar.
LRESULT OnSysKeyDown(HWND h, WindowRec& w, WPARAM wp, LPARAM lp) {
  auto& ws = WS();
  if (wp == WPARAM(VK_F10) && GetKeyState(VK_SHIFT) < 0) {
    SendMessage(h, WM_CONTEXTMENU, WPARAM(h.value), -1);
    return 0;
  }
  if (wp == WPARAM(VK_F4) && (lp & (LPARAM(1) << 29)))
    SendMessage(ws.Root(&w)->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  else if (wp == WPARAM(VK_F10))
    SendMessage(ws.Root(&w)->hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
  return 0;
}

// Alt pressed and released alone opens the menu bar.
LRESULT OnSysKeyUp(WindowRec& w, WPARAM wp) {
  auto& ws = WS();
  if (wp == WPARAM(VK_MENU) && ws.altAlone) {
    ws.altAlone = false;
    SendMessage(ws.Root(&w)->hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
  }
  return 0;
}

// Alt+letter looks for the letter in the menu bar; Alt+Space asks the
// top-level window for its system menu.
LRESULT OnSysChar(WindowRec& w, WPARAM wp, LPARAM lp) {
  if (lp & (LPARAM(1) << 29))
    SendMessage(WS().Root(&w)->hwnd, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wp));
  return 0;
}

}  // namespace

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  WindowRec* w = WS().Get(h);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return OnNcCreate(*w, lp);
    case WM_NCCALCSIZE:
      return OnNcCalcSize(*w, wp, lp);
    case WM_NCHITTEST:
      return DefaultHitTest(*w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCPAINT:
      return OnNcPaint(h, wp);
    case WM_NCACTIVATE:
      return OnNcActivate(h, *w, wp);
    case WM_NCLBUTTONDOWN:
      return NcButtonDown(h, *w, wp, lp);
    case WM_NCLBUTTONDBLCLK:
      return OnNcDoubleClick(h, *w, wp, lp);
    case WM_ACTIVATE:
      return OnActivate(h, *w, wp);
    case WM_MOUSEACTIVATE:
      return OnMouseActivate(*w, wp, lp);
    case WM_SETCURSOR:
      return OnSetCursor(*w, wp, lp);
    case WM_RBUTTONUP:
      return OnRightButtonUp(h, lp);
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
      return PassToParent(*w, msg, wp, lp);
    case WM_CANCELMODE:
      return OnCancelMode(h);
    case WM_ERASEBKGND:
      return OnEraseBackground(h, *w, wp);
    case WM_PAINT:
      return OnPaint(h);
    case WM_SETREDRAW:
      return OnSetRedraw(*w, wp);
    case WM_SETTEXT:
      return OnSetText(h, *w, lp);
    case WM_GETTEXT:
      return OnGetText(*w, wp, lp);
    case WM_GETTEXTLENGTH:
      return LRESULT(w->text.size());
    case WM_SETICON:
      return OnSetIcon(*w, wp, lp);
    case WM_GETICON:
      return LRESULT((wp ? w->iconBig : w->iconSmall).value);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return DefaultControlColors(msg, wp);
    case WM_CLOSE:
      return OnClose(h);
    case WM_SYSCOMMAND:
      return SysCommand(h, *w, wp, lp);
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(h, *w, lp);
    case WM_WINDOWPOSCHANGED:
      return OnWindowPosChanged(h, w, lp);
    case WM_KEYUP:
      return OnKeyUp(h, wp);
    case WM_SYSKEYDOWN:
      return OnSysKeyDown(h, *w, wp, lp);
    case WM_SYSKEYUP:
      return OnSysKeyUp(*w, wp);
    case WM_SYSCHAR:
      return OnSysChar(*w, wp, lp);
  }
  return 0;
}

}  // namespace platform
