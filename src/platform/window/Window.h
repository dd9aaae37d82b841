// The window system: classes and window procedures, the window tree,
// messages and the message loop, input, focus and capture, timers, painting
// and the non-client protocol, with the classic names and behaviour.
//
// Handles are checked on every call: a null, stale or made-up handle is
// refused with the classic failure result (0, FALSE or a null handle).
// Strings are 8-bit Windows-1252. Everything runs on one thread, except
// PostMessage and PostQuitMessage, which any thread may call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/Types.h"
#include "platform/gdi/Surface.h"
#include "platform/window/Messages.h"
#include "platform/window/Styles.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowTypes.h"

namespace platform {

// ---------------------------------------------------------------- classes

// Returns the class atom, 0 when the name is missing or already registered.
std::uint16_t RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(const char* className);
BOOL GetClassInfo(const char* className, WNDCLASS* out);
int GetClassName(HWND hwnd, char* buffer, int size);
LONG_PTR GetClassLongPtr(HWND hwnd, int index);
LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);

// ---------------------------------------------------------------- windows

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                    void* param = nullptr);
inline HWND CreateWindow(const char* className, const char* windowName, DWORD style, int x, int y,
                         int width, int height, HWND parent, HMENU menuOrId,
                         void* param = nullptr) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId,
                        param);
}
// Owned windows go first, then WM_DESTROY to the window and its children,
// then WM_NCDESTROY from the deepest child up.
BOOL DestroyWindow(HWND hwnd);

BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);  // itself and all its ancestors
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);  // a child's parent, a popup's owner
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT kind);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd);  // null hwnd: the topmost top-level window
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
HWND WindowFromPoint(POINT screen);
HWND ChildWindowFromPoint(HWND parent, POINT client);
// Calls fn for every descendant (depth first, z-order) until it returns false.
BOOL EnumChildWindows(HWND parent, const std::function<bool(HWND)>& fn);
BOOL EnumWindows(const std::function<bool(HWND)>& fn);  // top-level windows

LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLong(HWND hwnd, int index) {
  return GetWindowLongPtr(hwnd, index);
}
inline LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
  return SetWindowLongPtr(hwnd, index, value);
}
BOOL SetProp(HWND hwnd, const char* name, LONG_PTR value);
LONG_PTR GetProp(HWND hwnd, const char* name);
LONG_PTR RemoveProp(HWND hwnd, const char* name);

BOOL SetWindowText(HWND hwnd, const char* text);
int GetWindowText(HWND hwnd, char* buffer, int size);
int GetWindowTextLength(HWND hwnd);
std::string GetWindowTextString(HWND hwnd);

BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
BOOL DrawMenuBar(HWND hwnd);

// Geometry: window rectangles in screen coordinates, client rectangles at (0, 0).
BOOL GetWindowRect(HWND hwnd, RECT* out);
BOOL GetClientRect(HWND hwnd, RECT* out);
BOOL ClientToScreen(HWND hwnd, POINT* p);
BOOL ScreenToClient(HWND hwnd, POINT* p);
// Client coordinates of `from` to client coordinates of `to` (null: the
// screen). Returns the x offset in the low word and the y offset in the high
// word; 0 with no offset or on failure.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command);  // whether it was visible before
// The position the window returns to from minimised or maximised, in
// parent client coordinates.
BOOL GetNormalRect(HWND hwnd, RECT* out);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL EnableWindow(HWND hwnd, BOOL enable);  // whether it was disabled before

// Window regions shape a window: the system takes over the region handle.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN out);  // copies into out; the region kind

// ---------------------------------------------------------------- activation, focus, capture

HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
// A capture for following a move or size outline: while the window holds
// it, the keys come to it too (arrows, Enter, Escape), wherever the focus is.
HWND SetMoveSizeCapture(HWND hwnd);

// ---------------------------------------------------------------- procedures and messages

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// FALSE for WM_QUIT, -1 on a bad window filter, TRUE otherwise. Sleeps while
// there is nothing to do.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
DWORD GetMessageTime();
DWORD GetMessagePos();  // screen x in the low word, y in the high word
DWORD GetTickCount();
// Windows and timers alive now; a leak shows as a count that grows.
int WindowCount();
int TimerCount();

// ---------------------------------------------------------------- timers

// Returns the timer's identifier (a new one when hwnd is null), 0 on failure.
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, std::uintptr_t id);

// ---------------------------------------------------------------- input

// Bit 0x8000: down; bit 1: toggled. GetKeyState answers as of the message
// being processed, GetAsyncKeyState as of the latest input.
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);
BOOL GetKeyboardState(std::uint8_t state[256]);
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);
BOOL GetCursorPos(POINT* out);
BOOL SetCursorPos(int x, int y);
HCURSOR LoadCursor(unsigned id);  // the predefined IDC_ cursors
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
UINT GetDoubleClickTime();
BOOL MessageBeep(UINT type);

// ---------------------------------------------------------------- painting

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL ValidateRgn(HWND hwnd, HRGN region);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
BOOL GetUpdateRect(HWND hwnd, RECT* out, BOOL erase);
// Moves the pixels of the client area, or of `scroll` (client coordinates)
// cut to `clip`, by dx and dy. Whatever the move uncovers, or could not take
// from a visible pixel, is invalidated; the pending update region inside
// the area moves with the pixels. Child windows stay where they are.
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);
int GetUpdateRgn(HWND hwnd, HRGN out, BOOL erase);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);  // null: the screen
inline HDC GetDC(std::nullptr_t) {
  return GetDC(HWND{});
}
HDC GetWindowDC(HWND hwnd);
// Regions for DCX_INTERSECTRGN / DCX_EXCLUDERGN are in screen coordinates.
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);
// The pixels of a top-level window's retained picture (window-sized).
Surface GetWindowSurface(HWND hwnd);

// ---------------------------------------------------------------- window scroll bars

// The scroll bars of windows with WS_VSCROLL / WS_HSCROLL, drawn in the
// frame; clicks on them send WM_VSCROLL / WM_HSCROLL to the window itself.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_BOTH = 3;
constexpr UINT SIF_RANGE = 0x01;
constexpr UINT SIF_PAGE = 0x02;
constexpr UINT SIF_POS = 0x04;
constexpr UINT SIF_DISABLENOSCROLL = 0x08;
constexpr UINT SIF_TRACKPOS = 0x10;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// Stores what the mask names, keeps page and position inside the range, and
// shows or hides the bar as the range needs it (unless SIF_DISABLENOSCROLL).
// Returns the new position, 0 on failure.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);  // the old position
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);

// ---------------------------------------------------------------- caret

// One caret per program, in the client area of its window; created hidden.
// Width or height 0 means the system's thin border size. The bitmap is not
// used: the caret is always a solid inverted block.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);  // null: the caret's own window
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* out);
BOOL SetCaretBlinkTime(UINT ms);
UINT GetCaretBlinkTime();

// ---------------------------------------------------------------- desktop services

BOOL SetClipboardText(const std::string& text);
std::string GetClipboardText();
// How the program was asked to show its main window at start (SW_ value):
// SPRINTARA_SHOW_COMMAND when it holds one (3 maximised, 7 minimised
// without activation, ...), otherwise SW_SHOWDEFAULT.
int GetStartupShowCommand();
// The caption of the application's task-bar entry.
void SetApplicationTitle(const std::string& title);
// Re-reads the user's locale and regional formats, then sends
// WM_SETTINGCHANGE (lParam: "intl") to every top-level window. The desktop
// backend calls it when the desktop reports changed locale preferences.
void AnnounceRegionalSettingsChange();

// ---------------------------------------------------------------- menus

// The menu layer measures, paints and runs the menu bar through this; until
// one is installed a window's menu bar is an empty strip.
class MenuHandler {
 public:
  virtual ~MenuHandler() = default;
  // Height of the bar for a window of the given width (one or more lines).
  virtual int BarHeight(HWND hwnd, HMENU menu, int windowWidth) = 0;
  // Paints the bar into `bar` (window coordinates of a window context).
  virtual void PaintBar(HWND hwnd, HMENU menu, HDC windowDC, const RECT& bar) = 0;
  // A click in the bar (screen point) or Alt/F10 (key 0) or Alt+letter.
  virtual void Track(HWND hwnd, HMENU menu, POINT screen, unsigned key) = 0;
};
void SetMenuHandler(MenuHandler* handler);

// The dialog layer's tab order: the first control the Tab key reaches in a
// window, where activation puts the focus when none was remembered.
void SetFirstTabStopFinder(HWND (*finder)(HWND window));

}  // namespace platform
