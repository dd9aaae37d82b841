// Basic types shared by every part of the window system: geometry, colours and
// the opaque handles through which callers reach windows and drawing objects.
//
// Handles are small numbers checked against a table, never pointers: a stale
// or made-up handle is refused with a failure result instead of crashing.
#pragma once

#include <cstdint>

namespace platform {

using BOOL = int;
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR; top bit set names a system colour

struct POINT {
  int x = 0, y = 0;
  friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
  int cx = 0, cy = 0;
  friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
  return COLORREF((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned GetRValue(COLORREF c) {
  return c & 0xFF;
}
constexpr unsigned GetGValue(COLORREF c) {
  return (c >> 8) & 0xFF;
}
constexpr unsigned GetBValue(COLORREF c) {
  return (c >> 16) & 0xFF;
}

// Each handle kind is its own type so they cannot be mixed up; 0 is "none".
#define SPRINTARA_HANDLE(Name)                                  \
  struct Name {                                                 \
    std::uint32_t value = 0;                                    \
    explicit operator bool() const { return value != 0; }       \
    friend bool operator==(const Name&, const Name&) = default; \
  }
SPRINTARA_HANDLE(HWND);
SPRINTARA_HANDLE(HDC);
SPRINTARA_HANDLE(HRGN);
SPRINTARA_HANDLE(HBITMAP);
SPRINTARA_HANDLE(HFONT);
SPRINTARA_HANDLE(HPEN);
SPRINTARA_HANDLE(HBRUSH);
SPRINTARA_HANDLE(HMENU);
#undef SPRINTARA_HANDLE

// Any drawing object (bitmap, brush, pen, font, region): what SelectObject,
// DeleteObject, GetObject and GetStockObject deal in. Every drawing handle
// converts to it; converting back is explicit, as with a classic cast.
struct HGDIOBJ {
  std::uint32_t value = 0;
  constexpr HGDIOBJ() = default;
  constexpr explicit HGDIOBJ(std::uint32_t v) : value(v) {}
  constexpr HGDIOBJ(HBITMAP h) : value(h.value) {}
  constexpr HGDIOBJ(HFONT h) : value(h.value) {}
  constexpr HGDIOBJ(HPEN h) : value(h.value) {}
  constexpr HGDIOBJ(HBRUSH h) : value(h.value) {}
  constexpr HGDIOBJ(HRGN h) : value(h.value) {}
  explicit operator bool() const { return value != 0; }
  explicit operator HBITMAP() const { return HBITMAP{value}; }
  explicit operator HFONT() const { return HFONT{value}; }
  explicit operator HPEN() const { return HPEN{value}; }
  explicit operator HBRUSH() const { return HBRUSH{value}; }
  explicit operator HRGN() const { return HRGN{value}; }
  friend bool operator==(const HGDIOBJ&, const HGDIOBJ&) = default;
};

}  // namespace platform
