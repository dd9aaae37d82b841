#include "platform/window/SystemMetrics.h"

#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

RECT Screen() {
  return WindowSystem::Get().backend().ScreenRect();
}
RECT Work() {
  return WindowSystem::Get().backend().WorkArea();
}

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
      return Screen().Width();
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return Screen().Height();
    case SM_XVIRTUALSCREEN:
      return Screen().left;
    case SM_YVIRTUALSCREEN:
      return Screen().top;
    case SM_CXFULLSCREEN:
      return Work().Width();
    case SM_CYFULLSCREEN:
      return Work().Height() - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 16;
    case SM_CYCAPTION:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CYMENU:
      return 19;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
      return 1;
    case SM_SWAPBUTTON:
    case SM_MENUDROPALIGNMENT:
      return 0;
    case SM_CXMIN:
    case SM_CXMINTRACK:
      return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK:
      return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
      return 18;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
      return 75;
    case SM_CMOUSEBUTTONS:
      return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXMINSPACING:
    case SM_CXMINIMIZED:
      return 160;
    case SM_CYMINSPACING:
    case SM_CYMINIMIZED:
      return 24;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYSMCAPTION:
      return 15;
    case SM_CXSMSIZE:
      return 12;
    case SM_CYSMSIZE:
      return 14;
    case SM_CXMAXTRACK:
      return Screen().Width() + 12;
    case SM_CYMAXTRACK:
      return Screen().Height() + 12;
    case SM_CXMAXIMIZED:
      return Work().Width() + 8;
    case SM_CYMAXIMIZED:
      return Work().Height() + 8;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
      return 13;
  }
  return 0;
}

BOOL SystemParametersInfo(UINT action, UINT, void* out, UINT) {
  if (!out) return FALSE;
  switch (action) {
    case SPI_GETWORKAREA:
      *static_cast<RECT*>(out) = Work();
      return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
      *static_cast<BOOL*>(out) = TRUE;
      return TRUE;
    case SPI_GETKEYBOARDDELAY:
      *static_cast<UINT*>(out) = 1;
      return TRUE;
    case SPI_GETKEYBOARDSPEED:
      *static_cast<UINT*>(out) = 31;
      return TRUE;
    case SPI_GETMENUSHOWDELAY:
      *static_cast<UINT*>(out) = 400;
      return TRUE;
    case SPI_GETCARETWIDTH:
      *static_cast<UINT*>(out) = 1;
      return TRUE;
  }
  return FALSE;
}

// One monitor: the whole screen.
constexpr HMONITOR kPrimary{0x1001};

HMONITOR MonitorFromPoint(POINT p, DWORD flags) {
  if (PtInRect(Screen(), p) || flags != MONITOR_DEFAULTTONULL) return kPrimary;
  return HMONITOR{};
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags) {
  if (!r) return HMONITOR{};
  RECT i;
  if (IntersectRect(&i, *r, Screen()) || flags != MONITOR_DEFAULTTONULL) return kPrimary;
  return HMONITOR{};
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return flags == MONITOR_DEFAULTTONULL ? HMONITOR{} : kPrimary;
  if (IsIconic(hwnd)) GetNormalRect(hwnd, &r);
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* out) {
  if (monitor != kPrimary || !out || out->cbSize < sizeof(MONITORINFO)) return FALSE;
  out->rcMonitor = Screen();
  out->rcWork = Work();
  out->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

}  // namespace platform
