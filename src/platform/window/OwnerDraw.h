// What WM_MEASUREITEM, WM_DRAWITEM and WM_DELETEITEM carry for owner-drawn
// list box items, buttons and menu items.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"

namespace platform {

using ULONG_PTR = std::uintptr_t;

constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_STATIC = 5;

// What changed (itemAction).
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;

// How the item is (itemState).
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_DEFAULT = 0x0020;
constexpr UINT ODS_HOTLIGHT = 0x0040;
constexpr UINT ODS_INACTIVE = 0x0080;
constexpr UINT ODS_NOACCEL = 0x0100;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;   // menus: a proposal the owner may widen
  UINT itemHeight = 0;  // a proposal the owner may change
  ULONG_PTR itemData = 0;
};

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;  // -1 (as UINT) for an empty list box that only draws its focus
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem;    // the control, or for menus the window the menu belongs to
  HMENU hmenuItem;  // menus: the menu holding the item
  HDC hDC;
  RECT rcItem;
  ULONG_PTR itemData = 0;
};

struct DELETEITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  HWND hwndItem;
  ULONG_PTR itemData = 0;
};

}  // namespace platform
