// Window scroll bars: range, page and position kept per window, classic
// painting in the frame, and the click-and-hold tracking that sends
// WM_VSCROLL / WM_HSCROLL.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/window/ScrollState.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

constexpr std::uintptr_t kRepeatTimer = 0xFFF5;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;

bool Valid(WindowRec* w, int bar) {
  return w && (bar == SB_HORZ || bar == SB_VERT);
}

DWORD StyleBit(int bar) {
  return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

// The largest position at which the page still fits in the range.
int MaxPos(const WindowRec::Scroll& s) {
  int page = s.page ? int(s.page) - 1 : 0;
  return std::max(s.min, s.max - page);
}

bool Needed(const WindowRec::Scroll& s) {
  return s.page ? (std::int64_t(s.max) - s.min + 1 > std::int64_t(s.page)) : s.max > s.min;
}

// Parts of a bar, in window coordinates, laid out along its length.
struct Layout {
  RECT bar{}, arrowLess{}, arrowMore{}, thumb{};
  int trackStart = 0, trackLength = 0, thumbLength = 0;
  bool vertical = true;
};

bool LayoutBar(const WindowRec& w, int bar, Layout* out) {
  if (!(w.style & StyleBit(bar))) return false;
  int x = w.client.left - w.window.left, y = w.client.top - w.window.top;
  RECT c{x, y, x + w.client.Width(), y + w.client.Height()};
  Layout l;
  l.vertical = bar == SB_VERT;
  if (l.vertical)
    l.bar = RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
  else
    l.bar = RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  int length = l.vertical ? l.bar.Height() : l.bar.Width();
  int arrow = std::min(GetSystemMetrics(l.vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
  if (l.vertical) {
    l.arrowLess = RECT{l.bar.left, l.bar.top, l.bar.right, l.bar.top + arrow};
    l.arrowMore = RECT{l.bar.left, l.bar.bottom - arrow, l.bar.right, l.bar.bottom};
  } else {
    l.arrowLess = RECT{l.bar.left, l.bar.top, l.bar.left + arrow, l.bar.bottom};
    l.arrowMore = RECT{l.bar.right - arrow, l.bar.top, l.bar.right, l.bar.bottom};
  }
  l.trackStart = (l.vertical ? l.bar.top : l.bar.left) + arrow;
  l.trackLength = std::max(0, length - 2 * arrow);
  const WindowRec::Scroll& s = w.scroll[bar];
  std::int64_t range = std::int64_t(s.max) - s.min + 1;
  if (Needed(s) && l.trackLength >= 8) {
    l.thumbLength =
        s.page ? int(std::max<std::int64_t>(8, l.trackLength * std::int64_t(s.page) / range))
               : std::min(GetSystemMetrics(SM_CXHTHUMB), l.trackLength);
    l.thumbLength = std::min(l.thumbLength, l.trackLength);
    int span = MaxPos(s) - s.min;
    int offset =
        span > 0 ? int(std::int64_t(l.trackLength - l.thumbLength) * (s.pos - s.min) / span) : 0;
    int start = l.trackStart + offset;
    l.thumb = l.vertical ? RECT{l.bar.left, start, l.bar.right, start + l.thumbLength}
                         : RECT{start, l.bar.top, start + l.thumbLength, l.bar.bottom};
  }
  *out = l;
  return true;
}

// Only the bars are painted again, so that a scrolled client keeps what it
// moved and the rest of the frame stays as it is.
void Redraw(WindowRec& w) {
  Region bars;
  for (int bar : {SB_VERT, SB_HORZ}) {
    Layout l;
    if (LayoutBar(w, bar, &l)) bars |= Region(l.bar);
  }
  if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL)) {
    int x = w.client.right - w.window.left, y = w.client.bottom - w.window.top;
    bars |= Region(x, y, x + GetSystemMetrics(SM_CXVSCROLL), y + GetSystemMetrics(SM_CYHSCROLL));
  }
  if (!bars.IsEmpty()) InvalidateWindowArea(w, bars, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void Arrow(HDC dc, const RECT& r, bool vertical, bool less) {
  FillRect(dc, &r, HBRUSH{COLOR_BTNFACE + 1});
  RECT e = r;
  DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  POINT p[3];
  if (vertical) {
    int d = less ? -1 : 1;
    p[0] = POINT{cx - 3, cy - 2 * d + (less ? 0 : 1) - 1};
    p[1] = POINT{cx + 3, cy - 2 * d + (less ? 0 : 1) - 1};
    p[2] = POINT{cx, cy + d * 1 + (less ? 0 : 1) - 1};
  } else {
    int d = less ? -1 : 1;
    p[0] = POINT{cx - 2 * d - 1, cy - 3};
    p[1] = POINT{cx - 2 * d - 1, cy + 3};
    p[2] = POINT{cx + d - 1, cy};
  }
  HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Polygon(dc, p, 3);
  SelectObject(dc, pen);
  SelectObject(dc, brush);
}

// Stores what the mask names: the range, the page cut to the range's size,
// the position as given.
void Store(WindowRec::Scroll& s, const SCROLLINFO& info) {
  if (info.fMask & SIF_RANGE) {
    s.min = info.nMin;
    s.max = std::max(info.nMin, info.nMax);
  }
  if (info.fMask & SIF_PAGE) s.page = info.nPage;
  std::int64_t range = std::int64_t(s.max) - s.min + 1;
  if (std::int64_t(s.page) > range) s.page = UINT(range);
  if (info.fMask & SIF_POS) s.pos = info.nPos;
}

}  // namespace

BOOL StoreScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info) {
  WindowRec* w = WS().Get(hwnd);
  if (!Valid(w, bar) || !info || info->cbSize != sizeof(SCROLLINFO)) return FALSE;
  Store(w->scroll[bar], *info);
  return TRUE;
}

int SetScrollInfo(HWND h, int bar, const SCROLLINFO* info, BOOL redraw) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!Valid(w, bar) || !info || info->cbSize != sizeof(SCROLLINFO)) return 0;
  WindowRec::Scroll& s = w->scroll[bar];
  Store(s, *info);
  s.pos = std::clamp(s.pos, s.min, MaxPos(s));
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    bool shown = w->style & StyleBit(bar);
    bool want = Needed(s) || (info->fMask & SIF_DISABLENOSCROLL);
    if (shown != want) {
      ShowScrollBar(h, bar, want);
      w = ws.Get(h);
      if (!w) return 0;
    }
  }
  if (redraw) Redraw(*w);
  return w->scroll[bar].pos;
}

BOOL GetScrollInfo(HWND h, int bar, SCROLLINFO* info) {
  WindowRec* w = WS().Get(h);
  if (!Valid(w, bar) || !info || info->cbSize != sizeof(SCROLLINFO)) return FALSE;
  const WindowRec::Scroll& s = w->scroll[bar];
  if (info->fMask & SIF_RANGE) info->nMin = s.min, info->nMax = s.max;
  if (info->fMask & SIF_PAGE) info->nPage = s.page;
  if (info->fMask & SIF_POS) info->nPos = s.pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.trackPos;
  return TRUE;
}

int SetScrollPos(HWND h, int bar, int pos, BOOL redraw) {
  WindowRec* w = WS().Get(h);
  if (!Valid(w, bar)) return 0;
  int old = w->scroll[bar].pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(h, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND h, int bar) {
  WindowRec* w = WS().Get(h);
  return Valid(w, bar) ? w->scroll[bar].pos : 0;
}

BOOL SetScrollRange(HWND h, int bar, int min, int max, BOOL redraw) {
  if (!Valid(WS().Get(h), bar)) return FALSE;
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = min;
  si.nMax = max;
  SetScrollInfo(h, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND h, int bar, int* min, int* max) {
  WindowRec* w = WS().Get(h);
  if (!Valid(w, bar) || !min || !max) return FALSE;
  *min = w->scroll[bar].min;
  *max = w->scroll[bar].max;
  return TRUE;
}

BOOL ShowScrollBar(HWND h, int bar, BOOL show) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || h == ws.desktop || (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH)) return FALSE;
  DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : StyleBit(bar);
  DWORD style = show ? (w->style | bits) : (w->style & ~bits);
  if (style == w->style) return TRUE;
  w->style = style;
  SetWindowPos(h, HWND{}, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

void PaintScrollBars(WindowRec& w, HDC dc) {
  for (int bar : {SB_VERT, SB_HORZ}) {
    Layout l;
    if (!LayoutBar(w, bar, &l)) continue;
    FillRect(dc, &l.bar, HBRUSH{COLOR_SCROLLBAR + 1});
    Arrow(dc, l.arrowLess, l.vertical, true);
    Arrow(dc, l.arrowMore, l.vertical, false);
    if (!l.thumb.IsEmpty()) {
      FillRect(dc, &l.thumb, HBRUSH{COLOR_BTNFACE + 1});
      RECT e = l.thumb;
      DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
    }
  }
  if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL)) {
    int x = w.client.right - w.window.left, y = w.client.bottom - w.window.top;
    RECT corner{x, y, x + GetSystemMetrics(SM_CXVSCROLL), y + GetSystemMetrics(SM_CYHSCROLL)};
    FillRect(dc, &corner, HBRUSH{COLOR_BTNFACE + 1});
  }
}

void TrackScrollBar(HWND h, int bar, POINT screen) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  Layout l;
  if (!w || !LayoutBar(*w, bar, &l) || !(GetKeyState(VK_LBUTTON) & 0x8000)) return;
  UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  RECT wr = ws.ScreenWindowRect(*w);
  POINT p{screen.x - wr.left, screen.y - wr.top};
  auto along = [&](POINT q) { return l.vertical ? q.y : q.x; };
  int code;
  bool thumb = false;
  if (PtInRect(l.arrowLess, p))
    code = SB_LINEUP;
  else if (PtInRect(l.arrowMore, p))
    code = SB_LINEDOWN;
  else if (l.thumb.IsEmpty())
    return;
  else if (PtInRect(l.thumb, p))
    code = SB_THUMBTRACK, thumb = true;
  else
    code = along(p) < along(POINT{l.thumb.left, l.thumb.top}) ? SB_PAGEUP : SB_PAGEDOWN;

  int grab = along(p) - (l.vertical ? l.thumb.top : l.thumb.left);
  WindowRec::Scroll start = w->scroll[bar];
  auto send = [&](unsigned c, int pos) {
    SendMessage(h, message, MAKEWPARAM(c, unsigned(pos) & 0xFFFF), 0);
  };
  if (!thumb) send(unsigned(code), 0);
  SetCapture(h);
  SetTimer(h, kRepeatTimer, kFirstRepeatMs, nullptr);
  POINT last = p;
  MSG msg;
  while (ws.capture == h && ws.Get(h)) {
    if (!GetMessage(&msg, HWND{}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_TIMER && msg.hwnd == h && msg.wParam == kRepeatTimer) {
      // Holding an arrow or the track repeats while the pointer stays there.
      SetTimer(h, kRepeatTimer, kRepeatMs, nullptr);
      w = ws.Get(h);
      Layout now;
      if (!thumb && w && LayoutBar(*w, bar, &now)) {
        bool over =
            code == int(SB_LINEUP)     ? PtInRect(now.arrowLess, last)
            : code == int(SB_LINEDOWN) ? PtInRect(now.arrowMore, last)
            : code == int(SB_PAGEUP)
                ? !now.thumb.IsEmpty() && along(last) < along(POINT{now.thumb.left, now.thumb.top})
                : !now.thumb.IsEmpty() &&
                      along(last) >= along(POINT{now.thumb.right, now.thumb.bottom});
        if (over) send(unsigned(code), 0);
      }
      continue;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      w = ws.Get(h);
      if (!w) break;
      RECT now = ws.ScreenWindowRect(*w);
      last = POINT{msg.pt.x - now.left, msg.pt.y - now.top};
      if (thumb && l.trackLength > l.thumbLength) {
        int offset =
            std::clamp(along(last) - grab - l.trackStart, 0, l.trackLength - l.thumbLength);
        int span = MaxPos(start) - start.min;
        int pos = start.min + int(std::int64_t(offset) * span / (l.trackLength - l.thumbLength));
        w->scroll[bar].trackPos = pos;
        send(msg.message == WM_LBUTTONUP ? SB_THUMBPOSITION : SB_THUMBTRACK, pos);
      }
      if (msg.message == WM_LBUTTONUP) break;
      continue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (ws.Get(h)) KillTimer(h, kRepeatTimer);
  if (ws.capture == h) ReleaseCapture();
  if (ws.Get(h)) send(SB_ENDSCROLL, 0);
}

}  // namespace platform
