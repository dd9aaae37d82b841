// The menu objects behind HMENU handles and the pieces the menu files
// share: item look-up, measuring and painting. Internal to the menus.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/menu/Menu.h"

namespace platform::menus {

struct MenuItem {
  UINT type = MF_STRING;  // MF_STRING, MF_SEPARATOR, MF_OWNERDRAW, MF_RIGHTJUSTIFY, breaks
  UINT state = 0;         // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_DEFAULT, MF_HILITE
  UINT id = 0;
  HMENU sub;
  std::string text;
  ULONG_PTR data = 0;
  RECT rect{};  // bar items: window coordinates; drop-down items: the popup's client

  bool Separator() const { return type & MF_SEPARATOR; }
  bool Disabled() const { return state & (MF_GRAYED | MF_DISABLED); }
  bool OwnerDraw() const { return type & MF_OWNERDRAW; }
};

struct MenuObject {
  bool popup = false;
  std::vector<MenuItem> items;
  HWND window;  // the window whose bar this is, or whose popup shows it now
};

MenuObject* Lookup(HMENU menu);
// The item by position, or by command searching submenus too. `holder`
// receives the menu that holds it.
MenuItem* FindItem(HMENU menu, UINT item, UINT flags, HMENU* holder = nullptr);

// The text of an item without its shortcut part, and the shortcut part.
std::string LabelOf(const MenuItem& item);
std::string ShortcutOf(const MenuItem& item);

HFONT MenuFont(bool bold = false);

// Bar: lays the items out in `bar` (window coordinates), returns the height.
int LayoutBar(HWND hwnd, HMENU menu, const RECT& bar);
// The bar's rectangle in window coordinates (height 0 before layout).
RECT BarRect(HWND hwnd);
enum class BarLook { Normal, Raised, Sunken };
void DrawBarItem(HWND hwnd, HMENU menu, int index, HDC windowDC, BarLook look);

// Drop-downs: sizes every item (asking the owner for owner-drawn ones) and
// returns the popup window size.
SIZE LayoutPopup(HWND owner, HMENU menu);
void DrawPopupItem(HWND owner, HMENU menu, int index, HDC dc, bool selected);
constexpr int kPopupFrame = 3;

}  // namespace platform::menus
