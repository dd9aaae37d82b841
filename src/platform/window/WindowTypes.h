// Structures passed with window messages and to the window functions.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"

namespace platform {

using LONG_PTR = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, std::uintptr_t, DWORD);

// Cursors, icons and monitors are also handles, checked like the others.
#define SPRINTARA_WINDOW_HANDLE(Name)                           \
  struct Name {                                                 \
    std::uint32_t value = 0;                                    \
    explicit operator bool() const { return value != 0; }       \
    friend bool operator==(const Name&, const Name&) = default; \
  }
SPRINTARA_WINDOW_HANDLE(HCURSOR);
SPRINTARA_WINDOW_HANDLE(HICON);
SPRINTARA_WINDOW_HANDLE(HMONITOR);
#undef SPRINTARA_WINDOW_HANDLE

struct MSG {
  HWND hwnd;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;  // a brush, or a system colour index + 1
  const char* lpszMenuName = nullptr;
  const char* lpszClassName = nullptr;
};

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HMENU hMenu;  // a child's identifier travels here too, as classically
  HWND hwndParent;
  int cy = 0, cx = 0, y = 0, x = 0;
  DWORD style = 0;
  const char* lpszName = nullptr;
  const char* lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x = 0, y = 0, cx = 0, cy = 0;
  UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];  // in: new window rect, old window rect, old client rect
  WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase = 0;  // the background still needs erasing
  RECT rcPaint;
  BOOL fRestore = 0;
  BOOL fIncUpdate = 0;
};

struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack;
  DWORD dwHoverTime = 0;
};

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};
constexpr DWORD MONITORINFOF_PRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;

}  // namespace platform
