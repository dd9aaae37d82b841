// The default non-client behaviour: hit testing, the classic frame, the
// caption buttons and the move/size loop. A skin replaces any of it by
// answering the messages itself.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

RECT ClientInWindow(const WindowRec& w) {
  int x = w.client.left - w.window.left, y = w.client.top - w.window.top;
  return RECT{x, y, x + w.client.Width(), y + w.client.Height()};
}

HFONT CaptionFont() {
  static HFONT font;
  if (!GetObjectType(font)) {
    font = CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, 0,
                      "MS Sans Serif");
  }
  return font;
}

void DrawGlyphLine(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void PaintButton(HDC dc, RECT r, LRESULT kind, bool pressed, bool zoomed) {
  FillRect(dc, &r, HBRUSH{COLOR_BTNFACE + 1});
  RECT e = r;
  DrawEdge(dc, &e, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
  int off = pressed ? 1 : 0;
  int cx = (r.left + r.right) / 2 + off, cy = (r.top + r.bottom) / 2 + off;
  switch (kind) {
    case HTCLOSE:
      for (int d = 0; d < 2; ++d) {
        DrawGlyphLine(dc, cx - 4 + d, cy - 3, cx + 3 + d, cy + 4);
        DrawGlyphLine(dc, cx + 2 + d, cy - 3, cx - 5 + d, cy + 4);
      }
      break;
    case HTMAXBUTTON:
      if (zoomed) {
        Rectangle(dc, cx - 2, cy - 4, cx + 4, cy + 1);
        Rectangle(dc, cx - 4, cy - 1, cx + 2, cy + 4);
      } else {
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, cx - 4, cy - 4, cx + 5, cy + 4);
        DrawGlyphLine(dc, cx - 4, cy - 3, cx + 5, cy - 3);
      }
      break;
    case HTMINBUTTON:
      DrawGlyphLine(dc, cx - 4, cy + 2, cx + 2, cy + 2);
      DrawGlyphLine(dc, cx - 4, cy + 3, cx + 2, cy + 3);
      break;
  }
  SelectObject(dc, old);
}

}  // namespace

int MenuBarHeight(WindowRec& w, int windowWidth) {
  auto& ws = WS();
  if ((w.style & WS_CHILD) || !w.menu) return 0;
  if (ws.menuHandler) return std::max(0, ws.menuHandler->BarHeight(w.hwnd, w.menu, windowWidth));
  return GetSystemMetrics(SM_CYMENU);
}

bool LayoutCaption(const WindowRec& w, CaptionLayout* out) {
  if ((w.style & WS_CAPTION) != WS_CAPTION || (w.style & WS_MINIMIZE)) return false;
  int b = FrameThickness(w.style, w.exStyle);
  bool tool = w.exStyle & WS_EX_TOOLWINDOW;
  int ch = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
  CaptionLayout l;
  l.caption = RECT{b, b, w.window.Width() - b, b + ch};
  int bw = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
  int bh = ch - 4;
  int top = l.caption.top + 2;
  int right = l.caption.right - 2;
  if (w.style & WS_SYSMENU) {
    l.close = RECT{right - bw, top, right, top + bh};
    right -= bw + 2;
    if (!tool && (w.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
      l.maximize = RECT{right - bw, top, right, top + bh};
      l.minimize = RECT{right - 2 * bw, top, right - bw, top + bh};
    }
    if (!tool) {
      int icon = GetSystemMetrics(SM_CXSMICON);
      l.icon = RECT{l.caption.left + 1, l.caption.top, l.caption.left + 2 + icon, l.caption.bottom};
    }
  }
  *out = l;
  return true;
}

LRESULT DefaultHitTest(WindowRec& w, POINT screen) {
  auto& ws = WS();
  RECT wr = ws.ScreenWindowRect(w);
  if (!PtInRect(wr, screen)) return HTNOWHERE;
  if (w.style & WS_MINIMIZE) return HTCAPTION;
  if (PtInRect(ws.ScreenClientRect(w), screen)) return HTCLIENT;
  POINT p{screen.x - wr.left, screen.y - wr.top};
  int W = wr.Width(), H = wr.Height();
  int b = FrameThickness(w.style, w.exStyle);
  if ((w.style & WS_THICKFRAME) && !(w.style & WS_MAXIMIZE)) {
    int corner = GetSystemMetrics(SM_CXSIZE) + b;
    bool left = p.x < b, right = p.x >= W - b, top = p.y < b, bottom = p.y >= H - b;
    if (left || right) {
      if (p.y < corner) return left ? HTTOPLEFT : HTTOPRIGHT;
      if (p.y >= H - corner) return left ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
      return left ? HTLEFT : HTRIGHT;
    }
    if (top || bottom) {
      if (p.x < corner) return top ? HTTOPLEFT : HTBOTTOMLEFT;
      if (p.x >= W - corner) return top ? HTTOPRIGHT : HTBOTTOMRIGHT;
      return top ? HTTOP : HTBOTTOM;
    }
  } else if (p.x < b || p.x >= W - b || p.y < b || p.y >= H - b) {
    return HTBORDER;
  }
  int below = b;
  CaptionLayout cap;
  if (LayoutCaption(w, &cap)) {
    below = cap.caption.bottom + 1;
    if (p.y < below) {
      if (PtInRect(cap.close, p)) return HTCLOSE;
      if (PtInRect(cap.maximize, p)) return HTMAXBUTTON;
      if (PtInRect(cap.minimize, p)) return HTMINBUTTON;
      if (PtInRect(cap.icon, p)) return HTSYSMENU;
      return HTCAPTION;
    }
  }
  int menu = MenuBarHeight(w, W);
  if (menu && p.y >= below && p.y < below + menu) return HTMENU;
  RECT c = ClientInWindow(w);
  if ((w.style & WS_VSCROLL) && p.x >= c.right && p.x < c.right + GetSystemMetrics(SM_CXVSCROLL) &&
      p.y >= c.top && p.y < c.bottom)
    return HTVSCROLL;
  if ((w.style & WS_HSCROLL) && p.y >= c.bottom &&
      p.y < c.bottom + GetSystemMetrics(SM_CYHSCROLL) && p.x >= c.left && p.x < c.right)
    return HTHSCROLL;
  return HTBORDER;
}

void PaintClassicFrame(HWND h, HRGN clip) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w) return;
  RECT c = ClientInWindow(*w);
  int W = w->window.Width(), H = w->window.Height();
  if (c == RECT{0, 0, W, H}) return;  // no frame at all
  HDC dc = GetDCEx(h, clip, DCX_WINDOW | (GetRegion(clip) ? DCX_INTERSECTRGN : 0));
  if (!dc) return;
  ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
  RECT r{0, 0, W, H};
  FillRect(dc, &r, HBRUSH{COLOR_BTNFACE + 1});
  int b = FrameThickness(w->style, w->exStyle);
  if (b >= 2) {
    RECT e = r;
    DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
  } else if (b == 1) {
    FrameRect(dc, &r, HBRUSH{COLOR_WINDOWFRAME + 1});
  }
  bool active = w->ncActive;
  CaptionLayout cap;
  int below = b;
  if (LayoutCaption(*w, &cap)) {
    below = cap.caption.bottom + 1;
    FillRect(dc, &cap.caption,
             HBRUSH{std::uint32_t((active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION) + 1)});
    RECT text = cap.caption;
    text.left += cap.icon.IsEmpty() ? 3 : cap.icon.right + 2;
    int buttons = !cap.minimize.IsEmpty() ? cap.minimize.left
                  : !cap.close.IsEmpty()  ? cap.close.left
                                          : text.right;
    text.right = buttons - 2;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    HGDIOBJ oldFont = SelectObject(dc, HGDIOBJ(CaptionFont()));
    DrawText(dc, w->text, &text,
             DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    bool zoomed = w->style & WS_MAXIMIZE;
    if (!cap.close.IsEmpty())
      PaintButton(dc, cap.close, HTCLOSE, w->pressedButton == HTCLOSE, zoomed);
    if (!cap.maximize.IsEmpty())
      PaintButton(dc, cap.maximize, HTMAXBUTTON, w->pressedButton == HTMAXBUTTON, zoomed);
    if (!cap.minimize.IsEmpty())
      PaintButton(dc, cap.minimize, HTMINBUTTON, w->pressedButton == HTMINBUTTON, zoomed);
  }
  int menu = MenuBarHeight(*w, W);
  if (menu) {
    RECT bar{b, below, W - b, below + menu};
    FillRect(dc, &bar, HBRUSH{COLOR_MENU + 1});
    if (ws.menuHandler) ws.menuHandler->PaintBar(h, w->menu, dc, bar);
    w = ws.Get(h);
    if (!w) return (void)ReleaseDC(h, dc);
  }
  if (w->exStyle & WS_EX_CLIENTEDGE) {
    int e = GetSystemMetrics(SM_CXEDGE);
    RECT edge{c.left - e, c.top - e, c.right + e, c.bottom + e};
    if (w->style & WS_VSCROLL) edge.right += GetSystemMetrics(SM_CXVSCROLL);
    if (w->style & WS_HSCROLL) edge.bottom += GetSystemMetrics(SM_CYHSCROLL);
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
  PaintScrollBars(*w, dc);
  ReleaseDC(h, dc);
}

void TrackCaptionButton(HWND h, LRESULT hit) {
  auto& ws = WS();
  if (!(GetKeyState(VK_LBUTTON) & 0x8000) || !ws.Get(h)) return;
  auto press = [&](bool down) {
    WindowRec* w = ws.Get(h);
    if (!w) return;
    LRESULT want = down ? hit : 0;
    if (w->pressedButton == want) return;
    w->pressedButton = want;
    RedrawWindow(h, nullptr, HRGN{}, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
  };
  SetCapture(h);
  press(true);
  bool released = false;
  POINT at{};
  MSG msg;
  while (ws.capture == h && ws.Get(h)) {
    if (!GetMessage(&msg, HWND{}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      WindowRec* w = ws.Get(h);
      bool over = w && DefaultHitTest(*w, msg.pt) == hit;
      if (w && SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y)) != hit) over = false;
      if (msg.message == WM_LBUTTONUP) {
        released = over;
        at = msg.pt;
        break;
      }
      press(over);
      continue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  press(false);
  if (ws.capture == h) ReleaseCapture();
  if (!released || !ws.Get(h)) return;
  WPARAM cmd = hit == HTCLOSE       ? SC_CLOSE
               : hit == HTMINBUTTON ? SC_MINIMIZE
               : IsZoomed(h)        ? SC_RESTORE
                                    : SC_MAXIMIZE;
  SendMessage(h, WM_SYSCOMMAND, cmd, MAKELPARAM(at.x, at.y));
}

void RunMoveSizeLoop(HWND h, WPARAM cmd, POINT start) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w) return;
  bool move = (cmd & 0xFFF0) == SC_MOVE;
  WPARAM edge = cmd & 0x0F;
  // Only a drag with the button still down is followed.
  if (!(GetKeyState(VK_LBUTTON) & 0x8000)) return;
  if (move && (w->style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
  if (!move && (!(w->style & WS_THICKFRAME) || edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT ||
                (w->style & WS_MAXIMIZE)))
    return;
  RECT orig = w->window;
  POINT base{0, 0};
  if (!ws.IsTopLevel(*w))
    if (WindowRec* p = ws.Get(w->parent)) base = ws.ClientOrigin(*p);
  MINMAXINFO mmi = GetMinMax(h);
  bool leftEdge = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
  bool rightEdge = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
  bool topEdge = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
  bool bottomEdge = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;

  SendMessage(h, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(h);
  bool cancel = false;
  MSG msg;
  while (ws.capture == h && ws.Get(h)) {
    if (!GetMessage(&msg, HWND{}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      int dx = msg.pt.x - start.x, dy = msg.pt.y - start.y;
      RECT r = orig;
      OffsetRect(&r, base.x, base.y);  // screen coordinates for the hooks
      if (move) {
        OffsetRect(&r, dx, dy);
        SendMessage(h, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
      } else {
        if (leftEdge)
          r.left = std::clamp(r.left + dx, r.right - mmi.ptMaxTrackSize.x,
                              r.right - mmi.ptMinTrackSize.x);
        if (rightEdge)
          r.right = std::clamp(r.right + dx, r.left + mmi.ptMinTrackSize.x,
                               r.left + mmi.ptMaxTrackSize.x);
        if (topEdge)
          r.top = std::clamp(r.top + dy, r.bottom - mmi.ptMaxTrackSize.y,
                             r.bottom - mmi.ptMinTrackSize.y);
        if (bottomEdge)
          r.bottom =
              std::clamp(r.bottom + dy, r.top + mmi.ptMinTrackSize.y, r.top + mmi.ptMaxTrackSize.y);
        SendMessage(h, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
      }
      if (!ws.Get(h)) break;
      SetWindowPos(h, HWND{}, r.left - base.x, r.top - base.y, r.Width(), r.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : 0));
      if (msg.message == WM_LBUTTONUP) break;
      continue;
    }
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
      cancel = msg.wParam == VK_ESCAPE;
      break;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (cancel && ws.Get(h))
    SetWindowPos(h, HWND{}, orig.left, orig.top, orig.Width(), orig.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (ws.capture == h) ReleaseCapture();
  if (ws.Get(h)) SendMessage(h, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace platform
