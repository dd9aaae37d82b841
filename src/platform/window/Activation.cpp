// Activation of top-level windows, keyboard focus and mouse capture.
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

bool CanActivate(const WindowRec& w) {
  return (w.style & WS_VISIBLE) && !(w.style & WS_DISABLED) && !(w.style & WS_MINIMIZE) &&
         !(w.exStyle & WS_EX_NOACTIVATE);
}

void AnnounceApp(bool active, HWND except) {
  for (HWND t : WS().TopLevels())
    if (t != except) SendMessage(t, WM_ACTIVATEAPP, active, 0);
}

}  // namespace

void SetActive(HWND h, bool click, bool bringToTop) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (h && !w) return;
  if (w && !ws.IsTopLevel(*w)) {
    h = ws.Root(w.get())->hwnd;
    w = ws.Find(h);
  }
  HWND old = ws.active;
  if (old == h) {
    if (w && bringToTop)
      SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (WindowRec* o = ws.Get(old)) {
    // A window may refuse to lose activation by answering FALSE.
    if (!Send(o, WM_NCACTIVATE, FALSE, LPARAM(h.value)) && ws.Get(old) && w) return;
    if (ws.Get(old)) SendMessage(old, WM_ACTIVATE, WA_INACTIVE, LPARAM(h.value));
  }
  if (w && !ws.Find(h)) return;
  ws.active = h;
  // The focus does not stay in a window that is no longer active.
  if (ws.focus && (!h || !ws.IsDescendant(h, ws.focus))) {
    HWND f = ws.focus;
    ws.focus = HWND{};
    SendMessage(f, WM_KILLFOCUS, 0, 0);
  }
  if (!h) {
    if (ws.appActive) {
      ws.appActive = false;
      AnnounceApp(false, HWND{});
    }
    return;
  }
  if (!ws.appActive) {
    ws.appActive = true;
    AnnounceApp(true, HWND{});
  }
  if (!ws.Find(h) || ws.active != h) return;
  if (bringToTop) SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!ws.Find(h) || ws.active != h) return;
  Send(ws.Get(h), WM_NCACTIVATE, TRUE, LPARAM(old.value));
  if (!ws.Find(h) || ws.active != h) return;
  SendMessage(h, WM_ACTIVATE, click ? WA_CLICKACTIVE : WA_ACTIVE, LPARAM(old.value));
}

void ActivateNext(HWND leaving) {
  auto& ws = WS();
  WindowRec* w = ws.Get(leaving);
  // The owner first, then the topmost window that can take it.
  if (w) {
    for (WindowRec* o = ws.Get(w->owner); o; o = ws.Get(o->owner)) {
      if (CanActivate(*o)) return SetActive(o->hwnd, false, true);
    }
  }
  for (HWND t : ws.TopLevels()) {
    WindowRec* c = ws.Get(t);
    if (t == leaving || !c || !CanActivate(*c)) continue;
    if ((c->style & WS_POPUP) && (c->exStyle & WS_EX_TOOLWINDOW)) continue;
    return SetActive(t, false, false);
  }
  SetActive(HWND{}, false, false);
}

HWND SetActiveWindow(HWND h) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || h == ws.desktop) return HWND{};
  WindowRec* root = ws.Root(w);
  if (!(root->style & WS_VISIBLE) || (root->style & WS_DISABLED)) return HWND{};
  HWND old = ws.active;
  SetActive(root->hwnd, false, true);
  return old;
}

HWND GetActiveWindow() {
  return WS().active;
}
HWND GetForegroundWindow() {
  return WS().active;
}
BOOL SetForegroundWindow(HWND h) {
  if (!IsWindow(h)) return FALSE;
  SetActiveWindow(h);
  return WS().active == GetAncestor(h, GA_ROOT);
}

HWND SetFocus(HWND h) {
  auto& ws = WS();
  HWND old = ws.focus;
  if (!h) {
    if (old) {
      ws.focus = HWND{};
      SendMessage(old, WM_KILLFOCUS, 0, 0);
    }
    return old;
  }
  WindowRec* w = ws.Get(h);
  if (!w || h == ws.desktop) return HWND{};
  if (h == old) return old;
  // No focus inside a disabled or minimised window.
  for (WindowRec* a = w; a && a->hwnd != ws.desktop; a = ws.Get(a->parent))
    if ((a->style & WS_DISABLED) || (a->style & WS_MINIMIZE)) return HWND{};
  WindowRec* root = ws.Root(w);
  if (ws.active != root->hwnd) {
    SetActive(root->hwnd, false, true);
    if (!ws.Get(h) || ws.active != root->hwnd) return HWND{};
    old = ws.focus;
    if (old == h) return old;
  }
  ws.focus = h;
  root->lastFocus = h;
  if (old && ws.Get(old)) SendMessage(old, WM_KILLFOCUS, WPARAM(h.value), 0);
  if (ws.focus == h && ws.Get(h)) SendMessage(h, WM_SETFOCUS, WPARAM(old.value), 0);
  return old;
}

HWND GetFocus() {
  return WS().focus;
}

HWND SetCapture(HWND h) {
  auto& ws = WS();
  HWND old = ws.capture;
  if (!ws.Get(h) || h == ws.desktop) return HWND{};
  if (old == h) return old;
  ws.capture = h;
  ws.captureTakesKeys = false;
  if (old && ws.Get(old)) SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(h.value));
  return old;
}

BOOL ReleaseCapture() {
  auto& ws = WS();
  HWND old = ws.capture;
  if (!old) return TRUE;
  ws.capture = HWND{};
  ws.captureTakesKeys = false;
  if (ws.Get(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND SetMoveSizeCapture(HWND h) {
  auto& ws = WS();
  HWND old = SetCapture(h);
  if (ws.capture == h) ws.captureTakesKeys = true;
  return old;
}

HWND GetCapture() {
  return WS().capture;
}

}  // namespace platform

namespace platform {

void ActivateFromDisplay(HWND h) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  // Menus and drop-down lists may get the display's focus when they appear;
  // they never become the active window.
  if (!w || !ws.IsTopLevel(*w) || ws.active == h) return;
  // Word of the focus may come late, for a window hidden meanwhile (a dialog
  // just closed): it must not take activation from the window shown now.
  if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) return;
  if (!(w->style & WS_DISABLED)) {
    if (CanActivate(*w)) SetActiveWindow(h);
  } else if (HWND popup = GetWindow(h, GW_ENABLEDPOPUP)) {
    SetActiveWindow(popup);  // a window behind a modal one hands over to it
  }
}

}  // namespace platform
