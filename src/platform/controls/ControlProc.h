// The part of a standard control's window procedure that every control
// shares: its state behind the window, made on WM_NCCREATE and freed on
// WM_NCDESTROY, and the messages they all answer alike (WM_SETFONT,
// WM_GETFONT, WM_ERASEBKGND, WM_PAINT). Everything else goes to the
// control's own table of messages. Internal to the controls.
//
// A control describes itself to ControlProc with a class naming:
//   State                           its state, with an HFONT `font`
//   Paint(h, state, dc, ps)         between BeginPaint and EndPaint
//   Message(h, state, msg, wp, lp)  every other message
// and, where it needs them:
//   Created(h, state)      on WM_NCCREATE, before DefWindowProc
//   Destroying(h, state)   on WM_NCDESTROY, while the state is still there
//   FontChanged(h, state)  after WM_SETFONT stored the font
//   Invalidate(h, state)   what WM_SETFONT repaints when asked (else all)
#pragma once

#include <cstdint>

#include "platform/controls/ControlSupport.h"

namespace platform::controls {

namespace proc {

template <class Control>
LRESULT Create(HWND h, WPARAM wp, LPARAM lp) {
  auto* s = new typename Control::State;
  SetState(h, s);
  if constexpr (requires { Control::Created; }) Control::Created(h, *s);
  return DefWindowProc(h, WM_NCCREATE, wp, lp);
}

template <class Control>
LRESULT Destroy(HWND h, typename Control::State* s, WPARAM wp, LPARAM lp) {
  if constexpr (requires { Control::Destroying; }) Control::Destroying(h, *s);
  SetState<typename Control::State>(h, nullptr);
  delete s;
  return DefWindowProc(h, WM_NCDESTROY, wp, lp);
}

template <class Control>
LRESULT SetFont(HWND h, typename Control::State& s, WPARAM wp, LPARAM lp) {
  s.font = HFONT{std::uint32_t(wp)};
  if constexpr (requires { Control::FontChanged; }) Control::FontChanged(h, s);
  if (!lp) return 0;
  if constexpr (requires { Control::Invalidate; })
    Control::Invalidate(h, s);
  else
    InvalidateRect(h, nullptr, FALSE);
  return 0;
}

template <class Control>
LRESULT Paint(HWND h, typename Control::State& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  Control::Paint(h, s, dc, ps);
  EndPaint(h, &ps);
  return 0;
}

}  // namespace proc

template <class Control>
LRESULT ControlProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* s = StateOf<typename Control::State>(h);
  if (!s) {
    if (msg == WM_NCCREATE) return proc::Create<Control>(h, wp, lp);
    return DefWindowProc(h, msg, wp, lp);
  }
  switch (msg) {
    case WM_NCDESTROY:
      return proc::Destroy<Control>(h, s, wp, lp);
    case WM_PAINT:
      return proc::Paint<Control>(h, *s);
    case WM_ERASEBKGND:
      return 1;  // no erasing: each control paints what it needs
    case WM_SETFONT:
      return proc::SetFont<Control>(h, *s, wp, lp);
    case WM_GETFONT:
      return LRESULT(s->font.value);
  }
  return Control::Message(h, *s, msg, wp, lp);
}

}  // namespace platform::controls
