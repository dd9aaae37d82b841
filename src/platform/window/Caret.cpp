// The caret: an inverted block that blinks on a timer of the message loop.
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

constexpr std::uintptr_t kCaretTimer = 0xCA7E7;

// Inverting twice restores the pixels, so drawing and erasing are the same.
void Invert(POINT pos) {
  auto& ws = WS();
  auto& c = ws.caret;
  if (!ws.Get(c.hwnd)) return;
  HDC dc = GetDC(c.hwnd);
  RECT r{pos.x, pos.y, pos.x + c.width, pos.y + c.height};
  InvertRect(dc, &r);
  ReleaseDC(c.hwnd, dc);
}

// True when the pending repaint of the caret's window redraws every pixel
// of the block at `pos`: inverting them before it would be wasted work.
bool RepaintCovers(POINT pos) {
  auto& ws = WS();
  auto& c = ws.caret;
  const WindowRec* w = ws.Get(c.hwnd);
  if (!w || w->update.IsEmpty() || !ws.ReallyVisible(*w)) return false;
  const int cx = w->client.left - w->window.left, cy = w->client.top - w->window.top;
  RECT block{pos.x + cx, pos.y + cy, pos.x + cx + c.width, pos.y + cy + c.height};
  const RECT client{cx, cy, cx + w->client.Width(), cy + w->client.Height()};
  if (!IntersectRect(&block, block, client)) return false;
  return (Region(block) - w->update).IsEmpty();
}

// Undoes a block left for a repaint that no longer covers it. `painting`:
// the repaint is starting now, so a covered block is its business.
void SettleOwed(bool painting) {
  auto& c = WS().caret;
  if (!c.owed) return;
  if (RepaintCovers(c.owedAt)) {
    if (painting) c.owed = false;
    return;
  }
  c.owed = false;
  Invert(c.owedAt);
}

void Flip() {
  auto& c = WS().caret;
  SettleOwed(false);
  if (!WS().Get(c.hwnd)) return;
  Invert(c.pos);
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
  SettleOwed(false);
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
  SettleOwed(false);
  bool was = c.drawn;
  // Typing moves the caret inside the area it has just made invalid: the
  // repaint redraws both blocks, and showing the caret after it draws the
  // new one, so neither needs inverting now.
  if (c.drawn && !c.owed && RepaintCovers(c.pos)) {
    c.owed = true;
    c.owedAt = c.pos;
    c.drawn = false;
  }
  Erase();
  c.pos = POINT{x, y};
  if (was || c.hidden == 0) {
    if (!RepaintCovers(c.pos)) Flip();
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
  ws.caret.drawn = ws.caret.owed = false;  // its pixels went with the window
  DestroyCaret();
}

void HideCaretForPaint(HWND h) {
  if (WS().caret.hwnd != h) return;
  SettleOwed(true);
  HideCaret(h);
}

void ShowCaretAfterPaint(HWND h) {
  if (WS().caret.hwnd == h) ShowCaret(h);
}

}  // namespace platform
