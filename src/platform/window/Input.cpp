// Keyboard and mouse: raw input to messages, key state, hit testing, mouse
// activation, double clicks, leave tracking, cursors.
#include <algorithm>
#include <cstdlib>

#include "platform/window/Input.h"
#include "platform/window/UsLayout.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

constexpr UINT kDoubleClickMs = 500;

int PlainKey(int vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
  }
  return vk;
}

void Queue(RawInput r) {
  auto& ws = WS();
  r.time = ws.Now();
  ws.input.push_back(r);
}

bool Down(const std::uint8_t* state, int vk) {
  return state[vk & 0xFF] & 0x80;
}

WPARAM MouseKeys() {
  auto& ws = WS();
  WPARAM mk = 0;
  if (Down(ws.keyState, VK_LBUTTON)) mk |= MK_LBUTTON;
  if (Down(ws.keyState, VK_RBUTTON)) mk |= MK_RBUTTON;
  if (Down(ws.keyState, VK_MBUTTON)) mk |= MK_MBUTTON;
  if (Down(ws.keyState, VK_SHIFT)) mk |= MK_SHIFT;
  if (Down(ws.keyState, VK_CONTROL)) mk |= MK_CONTROL;
  return mk;
}

}  // namespace

bool Covers(const WindowSystem& ws, const WindowRec& w, POINT screen);
WindowRec* Descend(WindowSystem& ws, WindowRec* w, POINT screen,
                   const std::vector<HWND>& skip = {});

bool Covers(const WindowSystem& ws, const WindowRec& w, POINT screen) {
  RECT r = ws.ScreenWindowRect(w);
  if (!PtInRect(r, screen)) return false;
  return !w.shape || w.shape->Contains(screen.x - r.left, screen.y - r.top);
}

// The deepest enabled, visible child under the point, passing over the
// windows in `skip`.
WindowRec* Descend(WindowSystem& ws, WindowRec* w, POINT screen, const std::vector<HWND>& skip) {
  if (!PtInRect(ws.ScreenClientRect(*w), screen)) return w;
  for (HWND c : w->children) {
    WindowRec* child = ws.Get(c);
    if (!child || !(child->style & WS_VISIBLE) || (child->style & WS_DISABLED)) continue;
    if (std::find(skip.begin(), skip.end(), c) != skip.end()) continue;
    if (Covers(ws, *child, screen)) return Descend(ws, child, screen, skip);
  }
  return w;
}

namespace {

HWND HitWindow(POINT pt, LRESULT* hit) {
  auto& ws = WS();
  // A window answering HTTRANSPARENT passes the point on to whatever lies
  // beneath it: siblings below it, else its parent.
  std::vector<HWND> skip;
  for (HWND t : ws.TopLevels()) {
    WindowRec* top = ws.Get(t);
    if (!top || !(top->style & WS_VISIBLE) || !Covers(ws, *top, pt)) continue;
    for (int guard = 0; guard < 10000; ++guard) {
      WindowRec* w = Descend(ws, top, pt, skip);
      HWND h = w->hwnd;
      LRESULT code = Send(w, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
      if (!ws.Get(h) || !ws.Get(t)) break;
      if (code != HTTRANSPARENT) {
        *hit = code;
        return h;
      }
      if (h == t) break;
      skip.push_back(h);
    }
  }
  *hit = HTNOWHERE;
  return HWND{};
}

void CheckLeave(HWND target, LRESULT hit) {
  auto& ws = WS();
  WindowRec* old = ws.Get(ws.mouseWindow);
  if (old && old->track) {
    bool client = !(old->track & TME_NONCLIENT);
    bool stillIn = old->hwnd == target && (client ? hit == HTCLIENT : hit != HTCLIENT);
    if (!stillIn) {
      old->track = 0;
      PostMessage(old->hwnd, client ? WM_MOUSELEAVE : WM_NCMOUSELEAVE, 0, 0);
    }
  }
  ws.mouseWindow = target;
  ws.mouseHit = hit;
}

void SetKey(std::uint8_t* state, int vk, bool down) {
  std::uint8_t& s = state[vk & 0xFF];
  if (down && !(s & 0x80)) s ^= 0x01;
  s = down ? (s | 0x80) : (s & ~0x80);
}

// The wheel turns for the focused window, else the active one, unless its
// top-level window is disabled.
bool CookWheel(const RawInput& raw, MSG* msg) {
  auto& ws = WS();
  HWND target = ws.focus ? ws.focus : ws.active;
  WindowRec* w = ws.Get(target);
  if (!w || (ws.Root(w)->style & WS_DISABLED)) return false;
  msg->hwnd = target;
  msg->message = WM_MOUSEWHEEL;
  msg->wParam = MAKEWPARAM(unsigned(MouseKeys()), unsigned(raw.vk));
  msg->lParam = MAKELPARAM(raw.pt.x, raw.pt.y);
  return true;
}

// A click on a window behind a modal one beeps and brings the modal window
// forward instead.
void RedirectToModal(const WindowRec& root) {
  MessageBeep(0);
  HWND popup = GetWindow(root.hwnd, GW_ENABLEDPOPUP);
  if (popup) SetActive(popup, true, true);
}

UINT MouseMessage(const RawInput& raw, bool client) {
  static const UINT kButtonDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  if (raw.kind == RawKind::MouseMove) return client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
  UINT message = kButtonDown[std::clamp(raw.button, 0, 2)] + (raw.down ? 0 : 1);
  if (!client) message -= WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;
  return message;
}

// A press close enough in time and place to the last one on the same window
// becomes a double click, for windows that want them (the frame always does).
UINT CountClick(const WindowRec& w, UINT message, const RawInput& raw, bool client) {
  auto& lc = WS().lastClick;
  int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  bool wantsDouble = !client || (w.cls->wc.style & CS_DBLCLKS);
  if (wantsDouble && lc.hwnd == w.hwnd && lc.message == message &&
      raw.time - lc.time <= kDoubleClickMs && std::abs(raw.pt.x - lc.pt.x) <= cx &&
      std::abs(raw.pt.y - lc.pt.y) <= cy) {
    lc = {};
    return message + 2;  // ...DOWN + 2 is ...DBLCLK
  }
  lc = {w.hwnd, message, raw.time, raw.pt};
  return message;
}

// A press on an inactive top-level window asks whether to activate it, then
// the window sets its cursor. True when the press is to be eaten.
bool ActivateAndSetCursor(WindowRec* w, WindowRec* root, LRESULT hit, UINT message, bool pressed) {
  auto& ws = WS();
  HWND target = w->hwnd;
  bool eat = false;
  if (pressed && root->hwnd != ws.active && !(root->exStyle & WS_EX_NOACTIVATE)) {
    LRESULT ma =
        Send(w, WM_MOUSEACTIVATE, WPARAM(root->hwnd.value), MAKELPARAM(int(hit), int(message)));
    if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) && ws.Get(root->hwnd))
      SetActive(root->hwnd, true, true);
    eat = ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT;
  }
  if (ws.Get(target))
    Send(ws.Get(target), WM_SETCURSOR, WPARAM(target.value), MAKELPARAM(int(hit), int(message)));
  return eat;
}

// Client messages carry client coordinates and the mouse keys, frame
// messages screen coordinates and the hit-test code.
void FillMouseMessage(MSG* msg, const WindowRec& w, UINT message, LRESULT hit, POINT pt) {
  msg->hwnd = w.hwnd;
  msg->message = message;
  if (hit == HTCLIENT) {
    POINT o = WS().ClientOrigin(w);
    msg->wParam = MouseKeys();
    msg->lParam = MAKELPARAM(pt.x - o.x, pt.y - o.y);
  } else {
    msg->wParam = WPARAM(hit);
    msg->lParam = MAKELPARAM(pt.x, pt.y);
  }
}

bool CookMouse(const RawInput& raw, MSG* msg, bool commit) {
  auto& ws = WS();
  static const int kButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  POINT pt = raw.pt;
  if (commit) {
    ws.cursorPos = pt;
    if (raw.kind == RawKind::MouseButton)
      SetKey(ws.keyState, kButtonVk[std::clamp(raw.button, 0, 2)], raw.down);
  }
  *msg = MSG{};
  msg->time = DWORD(raw.time);
  msg->pt = pt;
  if (raw.kind == RawKind::MouseWheel) return CookWheel(raw, msg);

  // The captured window gets every mouse message as client input.
  bool captured = bool(ws.capture);
  LRESULT hit = HTCLIENT;
  HWND target = captured ? ws.capture : HitWindow(pt, &hit);
  WindowRec* w = ws.Get(target);
  if (!w) {
    if (commit) CheckLeave(HWND{}, HTNOWHERE);
    return false;
  }
  WindowRec* root = ws.Root(w);
  bool pressed = raw.kind == RawKind::MouseButton && raw.down;
  if (!captured && ((root->style & WS_DISABLED) || (w->style & WS_DISABLED) || hit == HTERROR)) {
    if (commit && pressed) RedirectToModal(*root);
    if (commit) CheckLeave(HWND{}, HTNOWHERE);
    return false;
  }
  UINT message = MouseMessage(raw, hit == HTCLIENT);
  if (commit) {
    if (pressed) message = CountClick(*w, message, raw, hit == HTCLIENT);
    CheckLeave(target, hit);
    bool eat = !captured && ActivateAndSetCursor(w, root, hit, message, pressed);
    if (eat || !ws.Get(target)) return false;
    w = ws.Get(target);
  }
  FillMouseMessage(msg, *w, message, hit, pt);
  return true;
}

bool CookKey(const RawInput& raw, MSG* msg, bool commit) {
  auto& ws = WS();
  int vk = PlainKey(raw.vk) & 0xFF;
  if (raw.held) {
    // A key already held when the window got the focus: an Alt pressed
    // elsewhere (whose F4 the window manager took) must not open the menu
    // when it is let go here.
    if (commit) {
      SetKey(ws.keyState, vk, true);
      ws.altAlone = false;
    }
    return false;
  }
  bool wasDown = Down(ws.keyState, vk);
  if (commit && raw.kind == RawKind::Key) {
    SetKey(ws.keyState, vk, raw.down);
    if (raw.down) ws.altAlone = vk == VK_MENU;
  }
  bool alt = vk == VK_MENU ? raw.down || wasDown : Down(ws.keyState, VK_MENU);
  bool ctrl = Down(ws.keyState, VK_CONTROL);
  bool sys = (alt && !ctrl) || vk == VK_F10 || vk == VK_MENU;
  HWND target = ws.captureTakesKeys && ws.Get(ws.capture) ? ws.capture : ws.focus;
  if (!target) {
    target = ws.active;
    sys = true;
  }
  WindowRec* w = ws.Get(target);
  if (!w || (ws.Root(w)->style & WS_DISABLED)) return false;
  *msg = MSG{};
  msg->hwnd = target;
  msg->time = DWORD(raw.time);
  msg->pt = ws.cursorPos;
  msg->wParam = WPARAM(vk);
  if (raw.kind == RawKind::Char) {
    msg->message = (alt && !ctrl) ? WM_SYSCHAR : WM_CHAR;
    msg->wParam = raw.ch & 0xFF;
    msg->lParam = 1;
    return true;
  }
  msg->message = raw.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM lp = 1;
  if (alt && !ctrl) lp |= LPARAM(1) << 29;
  if (wasDown) lp |= LPARAM(1) << 30;
  if (raw.textApart) lp |= kKeyTextApart;
  if (!raw.down) lp |= LPARAM(1) << 31;
  msg->lParam = LPARAM(std::uint32_t(lp));
  return true;
}

}  // namespace

bool CookInput(const RawInput& raw, MSG* msg, bool commit) {
  switch (raw.kind) {
    case RawKind::MouseMove:
    case RawKind::MouseButton:
    case RawKind::MouseWheel:
      return CookMouse(raw, msg, commit);
    case RawKind::Key:
    case RawKind::Char:
      return CookKey(raw, msg, commit);
    case RawKind::DisplayFocus:
      if (commit) ActivateFromDisplay(raw.hwnd);
      return false;
  }
  return false;
}

unsigned CharForKey(int vk) {
  auto& ws = WS();
  bool shift = Down(ws.keyState, VK_SHIFT);
  bool ctrl = Down(ws.keyState, VK_CONTROL);
  bool alt = Down(ws.keyState, VK_MENU);
  bool caps = ws.keyState[VK_CAPITAL] & 1;
  if (ctrl && alt) return 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return unsigned(vk - 'A' + 1);
    return (shift != caps) ? unsigned(vk) : unsigned(vk - 'A' + 'a');
  }
  if (vk >= '0' && vk <= '9') return ctrl ? 0 : UsPunctuationChar(vk, shift);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return ctrl ? 0 : unsigned('0' + vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE:
      return ' ';
    case VK_RETURN:
      return ctrl ? '\n' : '\r';
    case VK_BACK:
      return ctrl ? 0x7F : 0x08;
    case VK_TAB:
      return ctrl ? 0 : '\t';
    case VK_ESCAPE:
      return 0x1B;
    case VK_MULTIPLY:
      return '*';
    case VK_ADD:
      return '+';
    case VK_SUBTRACT:
      return '-';
    case VK_DECIMAL:
      return '.';
    case VK_DIVIDE:
      return '/';
  }
  if (ctrl) {
    if (vk == VK_OEM_4) return 0x1B;
    if (vk == VK_OEM_5) return 0x1C;
    if (vk == VK_OEM_6) return 0x1D;
    return 0;
  }
  return UsPunctuationChar(vk, shift);
}

// ---------------------------------------------------------------- queueing

void QueueMouseMove(POINT screen) {
  auto& ws = WS();
  // Moves not yet read are merged: only the latest position matters.
  if (!ws.input.empty() && ws.input.back().kind == RawKind::MouseMove) {
    ws.input.back().pt = screen;
    ws.input.back().time = ws.Now();
  } else {
    Queue(RawInput{RawKind::MouseMove, screen});
  }
  ws.cursorPos = screen;
}

void QueueMouseButton(int button, bool down, POINT screen) {
  auto& ws = WS();
  RawInput r{RawKind::MouseButton, screen};
  r.button = std::clamp(button, 0, 2);
  r.down = down;
  static const int kVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  SetKey(ws.asyncState, kVk[r.button], down);
  ws.cursorPos = screen;
  Queue(r);
}

void QueueMouseWheel(int delta, POINT screen) {
  RawInput r{RawKind::MouseWheel, screen};
  r.vk = delta;
  Queue(r);
}

namespace {

void QueueKeyInput(int vk, bool down, bool textApart, bool held) {
  auto& ws = WS();
  if (vk <= 0 || vk > 0xFE) return;
  RawInput r{RawKind::Key, ws.cursorPos};
  r.vk = PlainKey(vk);
  r.down = down;
  r.textApart = textApart;
  r.held = held;
  SetKey(ws.asyncState, r.vk, down);
  Queue(r);
}

}  // namespace

void QueueKey(int vk, bool down, bool textApart) {
  QueueKeyInput(vk, down, textApart, false);
}

void QueueKeyHeld(int vk) {
  QueueKeyInput(vk, true, false, true);
}

void QueueChar(unsigned ch) {
  auto& ws = WS();
  if (ch == 0 || ch > 0xFF) return;
  RawInput r{RawKind::Char, ws.cursorPos};
  r.ch = ch;
  Queue(r);
}

void QueueDisplayFocus(HWND topLevel) {
  RawInput r{RawKind::DisplayFocus, WS().cursorPos};
  r.hwnd = topLevel;
  Queue(r);
}

// ---------------------------------------------------------------- state

short GetKeyState(int vk) {
  std::uint8_t s = WS().keyState[vk & 0xFF];
  return short(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

short GetAsyncKeyState(int vk) {
  std::uint8_t s = WS().asyncState[vk & 0xFF];
  return short((s & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(std::uint8_t state[256]) {
  if (!state) return FALSE;
  std::copy(WS().keyState, WS().keyState + 256, state);
  return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  auto& ws = WS();
  if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
  if (tme->dwFlags & TME_QUERY) {
    WindowRec* w = ws.Get(ws.mouseWindow);
    tme->dwFlags = w ? w->track : 0;
    tme->hwndTrack = w && w->track ? w->hwnd : HWND{};
    return TRUE;
  }
  WindowRec* w = ws.Get(tme->hwndTrack);
  if (!w) return FALSE;
  if (tme->dwFlags & TME_CANCEL) {
    w->track &= ~(tme->dwFlags & (TME_LEAVE | TME_HOVER));
    if (!(w->track & (TME_LEAVE | TME_HOVER))) w->track = 0;
    return TRUE;
  }
  bool nonClient = tme->dwFlags & TME_NONCLIENT;
  bool inside =
      ws.mouseWindow == w->hwnd && (nonClient ? ws.mouseHit != HTCLIENT : ws.mouseHit == HTCLIENT);
  if (!inside) {
    // Asking to track a place the mouse is not in reports the leave at once.
    if (tme->dwFlags & TME_LEAVE)
      PostMessage(w->hwnd, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  w->track = tme->dwFlags & (TME_LEAVE | TME_HOVER | TME_NONCLIENT);
  return TRUE;
}

BOOL GetCursorPos(POINT* out) {
  if (!out) return FALSE;
  *out = WS().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  auto& ws = WS();
  POINT p{x, y};
  ws.backend().MoveCursor(p);
  QueueMouseMove(p);
  return TRUE;
}

HCURSOR LoadCursor(unsigned id) {
  switch (id) {
    case IDC_ARROW:
    case IDC_IBEAM:
    case IDC_WAIT:
    case IDC_CROSS:
    case IDC_UPARROW:
    case IDC_SIZENWSE:
    case IDC_SIZENESW:
    case IDC_SIZEWE:
    case IDC_SIZENS:
    case IDC_SIZEALL:
    case IDC_NO:
    case IDC_HAND:
      return HCURSOR{id};
  }
  return HCURSOR{};
}

HCURSOR SetCursor(HCURSOR cursor) {
  auto& ws = WS();
  HCURSOR old = ws.cursor;
  if (cursor != old) {
    ws.cursor = cursor;
    ws.backend().SetCursorShape(cursor.value);
  }
  return old;
}

HCURSOR GetCursor() {
  return WS().cursor;
}
UINT GetDoubleClickTime() {
  return kDoubleClickMs;
}

BOOL MessageBeep(UINT) {
  WS().backend().Beep();
  return TRUE;
}

}  // namespace platform

namespace platform {

HWND WindowFromPoint(POINT screen) {
  auto& ws = WindowSystem::Get();
  for (HWND t : ws.TopLevels()) {
    WindowRec* top = ws.Get(t);
    if (!top || !(top->style & WS_VISIBLE) || !Covers(ws, *top, screen)) continue;
    return Descend(ws, top, screen)->hwnd;
  }
  return HWND{};
}

HWND ChildWindowFromPoint(HWND parent, POINT client) {
  auto& ws = WindowSystem::Get();
  WindowRec* p = ws.Get(parent);
  if (!p) return HWND{};
  if (client.x < 0 || client.y < 0 || client.x >= p->client.Width() ||
      client.y >= p->client.Height())
    return HWND{};
  for (HWND c : p->children) {
    WindowRec* w = ws.Get(c);
    if (!w) continue;
    RECT r = w->window;
    if (PtInRect(r, client) &&
        (!w->shape || w->shape->Contains(client.x - r.left, client.y - r.top)))
      return c;
  }
  return parent;
}

}  // namespace platform
