// Menu handles and their items: creating, changing, querying, destroying.
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/menu/MenuInternal.h"

namespace platform {

namespace menus {

namespace {

// Menus live apart from the window system: a program may build them before
// any window exists. Handles carry a generation so stale ones are refused.
struct Slot {
  std::unique_ptr<MenuObject> menu;
  std::uint16_t generation = 0;
};

std::vector<Slot>& Slots() {
  static std::vector<Slot> slots(1);  // index 0 is never a menu
  return slots;
}

HMENU NewMenu(bool popup) {
  auto& slots = Slots();
  std::size_t index = 1;
  while (index < slots.size() && slots[index].menu) ++index;
  if (index >= 0xFFFF) return HMENU{};
  if (index == slots.size()) slots.emplace_back();
  Slot& s = slots[index];
  s.generation = std::uint16_t(s.generation % 0x7FFF + 1);
  s.menu = std::make_unique<MenuObject>();
  s.menu->popup = popup;
  return HMENU{(std::uint32_t(s.generation) << 16) | std::uint32_t(index)};
}

bool CanHold(HMENU menu, HMENU sub, int depth = 0) {
  // A menu may not hold itself, directly or through its submenus.
  if (sub == menu) return false;
  MenuObject* m = Lookup(sub);
  if (!m || depth > 64) return depth <= 64;
  for (const MenuItem& it : m->items)
    if (it.sub && !CanHold(menu, it.sub, depth + 1)) return false;
  return true;
}

bool Fill(MenuItem& item, HMENU menu, UINT flags, std::uintptr_t idOrSub, const char* text) {
  if (flags & MF_POPUP) {
    HMENU sub{std::uint32_t(idOrSub)};
    if (!Lookup(sub) || !CanHold(menu, sub)) return false;
    item.sub = sub;
    item.id = UINT(-1);
  } else {
    item.sub = HMENU{};
    item.id = UINT(idOrSub);
  }
  item.type =
      flags & (MF_SEPARATOR | MF_OWNERDRAW | MF_RIGHTJUSTIFY | MF_MENUBREAK | MF_MENUBARBREAK);
  item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_HILITE);
  if (item.OwnerDraw())
    item.data = std::uintptr_t(text);
  else if (!item.Separator())
    item.text = text ? text : "";
  return true;
}

void Changed(HMENU menu) {
  MenuObject* m = Lookup(menu);
  if (m && !m->popup && IsWindow(m->window) && GetMenu(m->window) == menu) DrawMenuBar(m->window);
}

int PositionOf(HMENU menu, UINT item, UINT flags) {
  MenuObject* m = Lookup(menu);
  if (!m) return -1;
  if (flags & MF_BYPOSITION) return item < m->items.size() ? int(item) : -1;
  for (std::size_t i = 0; i < m->items.size(); ++i)
    if (!m->items[i].sub && m->items[i].id == item) return int(i);
  return -1;
}

}  // namespace

MenuObject* Lookup(HMENU menu) {
  auto& slots = Slots();
  std::uint32_t index = menu.value & 0xFFFF, gen = menu.value >> 16;
  if (index == 0 || index >= slots.size() || !slots[index].menu) return nullptr;
  if (slots[index].generation != gen) return nullptr;
  return slots[index].menu.get();
}

MenuItem* FindItem(HMENU menu, UINT item, UINT flags, HMENU* holder) {
  MenuObject* m = Lookup(menu);
  if (!m) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return nullptr;
    if (holder) *holder = menu;
    return &m->items[item];
  }
  for (MenuItem& it : m->items) {
    if (!it.sub && it.id == item) {
      if (holder) *holder = menu;
      return &it;
    }
  }
  for (MenuItem& it : m->items)
    if (it.sub)
      if (MenuItem* found = FindItem(it.sub, item, flags, holder)) return found;
  return nullptr;
}

std::string LabelOf(const MenuItem& item) {
  return item.text.substr(0, item.text.find('\t'));
}

std::string ShortcutOf(const MenuItem& item) {
  auto tab = item.text.find('\t');
  return tab == std::string::npos ? std::string() : item.text.substr(tab + 1);
}

}  // namespace menus

using namespace menus;

HMENU CreateMenu() {
  return NewMenu(false);
}

HMENU CreatePopupMenu() {
  return NewMenu(true);
}

int MenuCount() {
  int live = 0;
  for (const Slot& s : Slots()) live += s.menu != nullptr;
  return live;
}

BOOL DestroyMenu(HMENU menu) {
  MenuObject* m = Lookup(menu);
  if (!m) return FALSE;
  std::vector<HMENU> subs;
  for (const MenuItem& it : m->items)
    if (it.sub) subs.push_back(it.sub);
  HWND owner = m->window;
  Slots()[menu.value & 0xFFFF].menu.reset();
  if (IsWindow(owner) && GetMenu(owner) == menu) SetMenu(owner, HMENU{});
  for (HMENU s : subs) DestroyMenu(s);
  return TRUE;
}

BOOL IsMenu(HMENU menu) {
  return Lookup(menu) != nullptr;
}

BOOL AppendMenu(HMENU menu, UINT flags, std::uintptr_t idOrSub, const char* text) {
  return InsertMenu(menu, UINT(-1), flags | MF_BYPOSITION, idOrSub, text);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrSub, const char* text) {
  MenuObject* m = Lookup(menu);
  if (!m) return FALSE;
  std::size_t at = m->items.size();
  if (flags & MF_BYPOSITION) {
    if (position < m->items.size()) at = position;
  } else {
    int p = PositionOf(menu, position, flags);
    if (p >= 0) at = std::size_t(p);
  }
  MenuItem item;
  if (!Fill(item, menu, flags, idOrSub, text)) return FALSE;
  m->items.insert(m->items.begin() + std::ptrdiff_t(at), item);
  Changed(menu);
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrSub, const char* text) {
  HMENU holder;
  MenuItem* it = FindItem(menu, position, flags, &holder);
  if (!it) return FALSE;
  MenuItem copy = *it;
  if (!Fill(copy, holder, flags, idOrSub, text)) return FALSE;
  *FindItem(menu, position, flags) = copy;
  Changed(holder);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  MenuObject* m = Lookup(menu);
  int p = PositionOf(menu, position, flags);
  if (!m || p < 0) return FALSE;
  m->items.erase(m->items.begin() + p);
  Changed(menu);
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  MenuObject* m = Lookup(menu);
  int p = PositionOf(menu, position, flags);
  if (!m || p < 0) return FALSE;
  HMENU sub = m->items[std::size_t(p)].sub;
  RemoveMenu(menu, UINT(p), MF_BYPOSITION);
  if (sub) DestroyMenu(sub);
  return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
  if (!info || !Lookup(menu)) return FALSE;
  UINT flags = (byPosition ? MF_BYPOSITION : 0);
  MenuObject* m = Lookup(menu);
  std::size_t countBefore = m->items.size();
  if (!InsertMenu(menu, item, flags | MF_STRING, 0, "")) return FALSE;
  int p = byPosition ? int(std::min<std::size_t>(item, countBefore)) : -1;
  if (p < 0) {
    // Inserted before the command `item`, or at the end when it is absent.
    int q = PositionOf(menu, item, 0);
    p = q >= 1 ? q - 1 : int(countBefore);
    if (q < 0) p = int(countBefore);
  }
  if (!SetMenuItemInfo(menu, UINT(p), TRUE, info)) {
    RemoveMenu(menu, UINT(p), MF_BYPOSITION);
    return FALSE;
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
  HMENU holder;
  MenuItem* it = FindItem(menu, item, byPosition ? MF_BYPOSITION : 0, &holder);
  if (!it || !info) return FALSE;
  if (info->fMask & MIIM_SUBMENU) {
    if (info->hSubMenu && (!Lookup(info->hSubMenu) || !CanHold(holder, info->hSubMenu)))
      return FALSE;
    it->sub = info->hSubMenu;
  }
  if (info->fMask & (MIIM_FTYPE | MIIM_TYPE))
    it->type = info->fType &
               (MF_SEPARATOR | MF_OWNERDRAW | MF_RIGHTJUSTIFY | MF_MENUBREAK | MF_MENUBARBREAK);
  if (info->fMask & (MIIM_STRING | MIIM_TYPE))
    if (!(info->fMask & MIIM_TYPE) || !(it->type & (MF_SEPARATOR | MF_OWNERDRAW)))
      it->text = info->dwTypeData ? info->dwTypeData : "";
  if (info->fMask & MIIM_STATE)
    it->state = info->fState & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_HILITE);
  if (info->fMask & MIIM_ID) it->id = info->wID;
  if (info->fMask & MIIM_DATA) it->data = info->dwItemData;
  Changed(holder);
  return TRUE;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
  MenuItem* it = FindItem(menu, item, byPosition ? MF_BYPOSITION : 0);
  if (!it || !info) return FALSE;
  if (info->fMask & (MIIM_FTYPE | MIIM_TYPE)) info->fType = it->type;
  if (info->fMask & MIIM_STATE) info->fState = it->state;
  if (info->fMask & MIIM_ID) info->wID = it->id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = it->sub;
  if (info->fMask & MIIM_DATA) info->dwItemData = it->data;
  if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
    if (info->dwTypeData && info->cch > 0) {
      std::size_t n = std::min<std::size_t>(info->cch - 1, it->text.size());
      std::memcpy(info->dwTypeData, it->text.data(), n);
      info->dwTypeData[n] = 0;
    }
    info->cch = UINT(it->text.size());
  }
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  MenuObject* m = Lookup(menu);
  return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  MenuObject* m = Lookup(menu);
  if (!m || position < 0 || std::size_t(position) >= m->items.size()) return UINT(-1);
  const MenuItem& it = m->items[std::size_t(position)];
  return it.sub ? UINT(-1) : it.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  MenuObject* m = Lookup(menu);
  if (!m || position < 0 || std::size_t(position) >= m->items.size()) return HMENU{};
  return m->items[std::size_t(position)].sub;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  MenuItem* it = FindItem(menu, item, flags);
  if (!it) return UINT(-1);
  UINT r = it->state | it->type;
  if (it->sub) r |= MF_POPUP | (UINT(std::max(0, GetMenuItemCount(it->sub))) << 8);
  return r;
}

int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags) {
  MenuItem* it = FindItem(menu, item, flags);
  if (!it) return 0;
  if (!buffer || size <= 0) return int(it->text.size());
  std::size_t n = std::min<std::size_t>(std::size_t(size - 1), it->text.size());
  std::memcpy(buffer, it->text.data(), n);
  buffer[n] = 0;
  return int(n);
}

int EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  HMENU holder;
  MenuItem* it = FindItem(menu, item, enable, &holder);
  if (!it) return -1;
  int old = int(it->state & (MF_GRAYED | MF_DISABLED));
  it->state = (it->state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  Changed(holder);
  return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
  MenuItem* it = FindItem(menu, item, check);
  if (!it) return DWORD(-1);
  DWORD old = it->state & MF_CHECKED;
  it->state = (it->state & ~MF_CHECKED) | (check & MF_CHECKED);
  return old;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  MenuObject* m = Lookup(menu);
  if (!m) return FALSE;
  int p = item == UINT(-1) ? -1 : PositionOf(menu, item, byPosition ? MF_BYPOSITION : 0);
  if (item != UINT(-1) && p < 0) return FALSE;
  for (std::size_t i = 0; i < m->items.size(); ++i)
    m->items[i].state = (m->items[i].state & ~MF_DEFAULT) | (int(i) == p ? MF_DEFAULT : 0);
  return TRUE;
}

}  // namespace platform
