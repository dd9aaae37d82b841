// The menu calls, with the classic names and values: a window's menu bar
// with its drop-down menus, and popup menus at a point. They belong to the
// window system's interface; the menu layer (platform/menu) implements them.
//
// A menu is a list of items: strings (with "&" marking the mnemonic letter
// and "\t" before a right-aligned shortcut text), separators, submenus and
// owner-drawn items, each disabled, greyed, checked or default as flagged.
// While a menu is tracked the owner window receives WM_ENTERMENULOOP,
// WM_INITMENU, WM_INITMENUPOPUP before each drop-down opens, WM_MENUSELECT
// as the highlight moves, WM_MEASUREITEM / WM_DRAWITEM for owner-drawn
// items (CtlType ODT_MENU), WM_EXITMENULOOP, and finally WM_COMMAND
// (wParam: the item's identifier) for the chosen command.
//
// The menu bar is laid out and painted in the window's non-client area by
// the window system; a window that paints its own frame (WM_NCPAINT) takes
// the bar over too, and its owner-drawn bar items are still drawn through
// WM_DRAWITEM while the user moves through them.
//
// Handles are checked: a destroyed or made-up HMENU is refused with the
// classic failure result.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"
#include "platform/window/OwnerDraw.h"
#include "platform/window/Window.h"

namespace platform {

// Item flags (AppendMenu, InsertMenu, ModifyMenu, GetMenuState).
constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BITMAP = 0x0004;  // not supported
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;  // the id is the submenu's handle value
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;

constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

// MENUITEMINFO masks.
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_TYPE = 0x0010;  // fType and the string together
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_FTYPE = 0x0100;

struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = 0;   // MFT_
  UINT fState = 0;  // MFS_
  UINT wID = 0;
  HMENU hSubMenu;
  ULONG_PTR dwItemData = 0;
  // In: the text to set. Out: the text is copied here (cch bytes at most,
  // NUL included) and cch receives its length.
  char* dwTypeData = nullptr;
  UINT cch = 0;
};

HMENU CreateMenu();       // for a menu bar
HMENU CreatePopupMenu();  // for a drop-down or popup menu
// Destroys the menu and its submenus; the window holding it as its bar
// loses it.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// Menus alive now; a leak shows as a count that grows.
int MenuCount();

// `idOrSubmenu` is the command identifier, or with MF_POPUP the value of
// the submenu's handle (HMENU::value).
BOOL AppendMenu(HMENU menu, UINT flags, std::uintptr_t idOrSubmenu, const char* text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrSubmenu,
                const char* text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrSubmenu,
                const char* text);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);  // keeps a submenu alive
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);  // destroys a submenu
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);

int GetMenuItemCount(HMENU menu);              // -1 for a bad handle
UINT GetMenuItemID(HMENU menu, int position);  // -1 (as UINT) for submenus and bad positions
HMENU GetSubMenu(HMENU menu, int position);
// The item's MF_ flags; for a submenu the item count in the high byte.
// -1 (as UINT) when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags);
// The previous state (MF_ENABLED / MF_GRAYED / MF_DISABLED), -1 without the item.
int EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);  // the previous state, -1 without it
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
// The item's rectangle on the screen: bar items of a window's menu, and
// items of a drop-down while it is open.
BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT position, RECT* out);
int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screen);

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Shows the menu at the screen point and runs it until the user chooses or
// cancels. With TPM_RETURNCMD returns the chosen identifier (0 for none);
// otherwise posts WM_COMMAND to the owner and returns TRUE if a command
// was chosen. A disabled owner, or a menu already being tracked, refuse.
int TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                   const RECT* ignored);
// Closes whatever menu is being tracked, as Escape would; no command is sent.
BOOL EndMenu();
// The menu whose items are being tracked now (the innermost open one), or
// null when no menu is open.
HMENU GetTrackedMenu();

// WM_MENUCHAR answers: high word.
constexpr LRESULT MNC_IGNORE = 0;
constexpr LRESULT MNC_CLOSE = 1;
constexpr LRESULT MNC_EXECUTE = 2;
constexpr LRESULT MNC_SELECT = 3;
constexpr UINT WM_UNINITMENUPOPUP = 0x0125;

}  // namespace platform
