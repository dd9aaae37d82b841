// The caret: an inverted block that blinks on a timer of the message loop.
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

constexpr std::uintptr_t kCaretTimer = 0xCA7E7;

// Inverting twice restores the pixels, so drawing and erasing are the same.
void Flip() {
  auto& ws = WS();
  auto& c = ws.caret;
  if (!ws.Get(c.hwnd)) return;
  HDC dc = GetDC(c.hwnd);
  RECT r{c.pos.x, c.pos.y, c.pos.x + c.width, c.pos.y + c.height};
  InvertRect(dc, &r);
  ReleaseDC(c.hwnd, dc);
  c.drawn = !c.drawn;
}

void Erase() {
  if (WS().caret.drawn) Flip();
}

void Blink(HWND, UINT, std::uintptr_t, DWORD) {
  auto& c = WS().caret;
  if (c.hwnd && c.hidden == 0) Flip();
}

void RestartBlink() {
  auto& ws = WS();
  if (ws.caret.timer) KillTimer(HWND{}, ws.caret.timer);
  ws.caret.timer = SetTimer(HWND{}, kCaretTimer, ws.caretBlinkMs, &Blink);
}

}  // namespace

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
  auto& ws = WS();
  if (!ws.Get(hwnd) || hwnd == ws.desktop || width < 0 || height < 0) return FALSE;
  DestroyCaret();
  auto& c = ws.caret;
  c.hwnd = hwnd;
  c.width = width ? width : GetSystemMetrics(SM_CXBORDER);
  c.height = height ? height : GetSystemMetrics(SM_CYBORDER);
  c.pos = POINT{};
  c.hidden = 1;
  c.drawn = false;
  return TRUE;
}

BOOL DestroyCaret() {
  auto& ws = WS();
  auto& c = ws.caret;
  if (!c.hwnd) return FALSE;
  Erase();
  if (c.timer) KillTimer(HWND{}, c.timer);
  c = WindowSystem::Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  auto& c = WS().caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd) || c.hidden == 0) return FALSE;
  if (--c.hidden == 0) {
    Flip();  // shown at once, then blinking
    RestartBlink();
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  auto& c = WS().caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd)) return FALSE;
  Erase();
  ++c.hidden;
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  auto& c = WS().caret;
  if (!c.hwnd) return FALSE;
  if (c.pos.x == x && c.pos.y == y) return TRUE;
  bool was = c.drawn;
  Erase();
  c.pos = POINT{x, y};
  if (was || c.hidden == 0) {
    Flip();
    RestartBlink();
  }
  return TRUE;
}

BOOL GetCaretPos(POINT* out) {
  auto& c = WS().caret;
  if (!out || !c.hwnd) return FALSE;
  *out = c.pos;
  return TRUE;
}

BOOL SetCaretBlinkTime(UINT ms) {
  if (ms == 0) return FALSE;
  WS().caretBlinkMs = ms;
  if (WS().caret.timer) RestartBlink();
  return TRUE;
}

UINT GetCaretBlinkTime() {
  return WS().caretBlinkMs;
}

void CaretWindowGone(HWND h) {
  auto& ws = WS();
  if (ws.caret.hwnd != h) return;
  ws.caret.drawn = false;  // its pixels went with the window
  DestroyCaret();
}

void HideCaretForPaint(HWND h) {
  if (WS().caret.hwnd == h) HideCaret(h);
}

void ShowCaretAfterPaint(HWND h) {
  if (WS().caret.hwnd == h) ShowCaret(h);
}

}  // namespace platform
