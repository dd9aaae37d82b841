// Running a menu: the bar and its drop-downs, or a popup menu at a point.
// The tracker holds the mouse while it runs, reads input in a loop of its
// own (other messages are dispatched as usual) and shows each open level
// in a popup window.
#include <algorithm>

#include "platform/menu/MenuInternal.h"
#include "platform/window/LetterCase.h"
#include "platform/window/MenuBarPlace.h"

namespace platform {

namespace menus {

namespace {

constexpr const char* kPopupClass = "#32768";

struct Level {
  HMENU menu;
  HWND popup;  // null for the bar
  int sel = -1;
};

struct Tracker {
  HWND owner;
  bool bar = false;      // level 0 is the owner's menu bar
  bool barOpen = false;  // a drop-down hangs from the selected bar item
  UINT flags = 0;
  std::vector<Level> levels;
  bool done = false;
  bool chosen = false;
  UINT command = 0;
};

Tracker* g_active = nullptr;

bool Notifies(const Tracker& t) {
  return !(t.flags & TPM_NONOTIFY);
}

MenuItem* ItemAt(HMENU menu, int i) {
  MenuObject* m = Lookup(menu);
  if (!m || i < 0 || std::size_t(i) >= m->items.size()) return nullptr;
  return &m->items[std::size_t(i)];
}

int Count(HMENU menu) {
  MenuObject* m = Lookup(menu);
  return m ? int(m->items.size()) : 0;
}

bool IsBarLevel(const Tracker& t, std::size_t level) {
  return t.bar && level == 0;
}

RECT ItemScreenRect(const Tracker& t, std::size_t level, int i) {
  MenuItem* it = ItemAt(t.levels[level].menu, i);
  if (!it) return RECT{};
  RECT r = it->rect;
  if (IsBarLevel(t, level)) {
    RECT wr;
    GetWindowRect(t.owner, &wr);
    OffsetRect(&r, wr.left, wr.top);
  } else {
    POINT o{0, 0};
    ClientToScreen(t.levels[level].popup, &o);
    OffsetRect(&r, o.x, o.y);
  }
  return r;
}

void RedrawItem(Tracker& t, std::size_t level, int i) {
  if (i < 0 || level >= t.levels.size()) return;
  Level& lv = t.levels[level];
  if (IsBarLevel(t, level)) {
    HDC dc = GetWindowDC(t.owner);
    BarLook look = lv.sel != i ? BarLook::Normal : t.barOpen ? BarLook::Sunken : BarLook::Raised;
    DrawBarItem(t.owner, lv.menu, i, dc, look);
    ReleaseDC(t.owner, dc);
  } else if (MenuItem* it = ItemAt(lv.menu, i)) {
    InvalidateRect(lv.popup, &it->rect, FALSE);
  }
}

void CloseAbove(Tracker& t, int keep) {
  while (int(t.levels.size()) > keep + 1) {
    Level lv = t.levels.back();
    t.levels.pop_back();
    if (lv.popup) DestroyWindow(lv.popup);
    if (Notifies(t) && IsWindow(t.owner))
      SendMessage(t.owner, WM_UNINITMENUPOPUP, WPARAM(lv.menu.value), 0);
  }
  if (t.bar && t.levels.size() == 1 && t.barOpen) {
    t.barOpen = false;
    RedrawItem(t, 0, t.levels[0].sel);
  }
}

void Select(Tracker& t, std::size_t level, int i, bool mouse) {
  if (level >= t.levels.size()) return;
  Level& lv = t.levels[level];
  if (lv.sel == i) return;
  CloseAbove(t, int(level));
  int old = lv.sel;
  t.levels[level].sel = i;
  RedrawItem(t, level, old);
  RedrawItem(t, level, i);
  if (!Notifies(t)) return;
  MenuItem* it = ItemAt(t.levels[level].menu, i);
  if (!it) return;
  UINT flags = it->state | it->type | (it->sub ? MF_POPUP : 0) | (mouse ? MF_MOUSESELECT : 0);
  UINT lo = it->sub ? UINT(i) : it->id;
  SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(lo, flags & 0xFFFF),
              LPARAM(t.levels[level].menu.value));
}

int FirstItem(HMENU menu, int from, int step) {
  int n = Count(menu);
  for (int k = 0, i = from; k < n; ++k, i += step) {
    i = ((i % n) + n) % n;
    if (MenuItem* it = ItemAt(menu, i); it && !it->Separator()) return i;
  }
  return -1;
}

HWND ShowPopup(Tracker& t, HMENU menu, POINT at, const RECT& avoid, bool below) {
  SIZE size = LayoutPopup(t.owner, menu);
  RECT screen;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &screen, 0);
  int x = at.x, y = at.y;
  if (x + size.cx > screen.right) x = below ? screen.right - size.cx : avoid.left - size.cx + 3;
  if (y + size.cy > screen.bottom) y = below ? avoid.top - size.cy : screen.bottom - size.cy;
  x = std::max(int(screen.left), x);
  y = std::max(int(screen.top), y);
  HWND root = GetAncestor(t.owner, GA_ROOT);
  HWND p = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPopupClass, "",
                          WS_POPUP | WS_CLIPSIBLINGS, x, y, size.cx, size.cy, root, HMENU{});
  if (!p) return p;
  if (MenuObject* m = Lookup(menu)) m->window = p;
  SetWindowPos(p, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return p;
}

// Opens the submenu of the selected item of `level`.
bool OpenSub(Tracker& t, std::size_t level, bool selectFirst) {
  if (level >= t.levels.size()) return false;
  int sel = t.levels[level].sel;
  MenuItem* it = ItemAt(t.levels[level].menu, sel);
  if (!it || !it->sub || it->Disabled()) return false;
  HMENU sub = it->sub;
  CloseAbove(t, int(level));
  if (Notifies(t)) SendMessage(t.owner, WM_INITMENUPOPUP, WPARAM(sub.value), MAKELPARAM(sel, 0));
  if (t.done || !Lookup(sub) || !IsWindow(t.owner) || level >= t.levels.size()) return false;
  RECT anchor = ItemScreenRect(t, level, sel);
  bool below = IsBarLevel(t, level);
  POINT at = below ? POINT{anchor.left, anchor.bottom}
                   : POINT{anchor.right - kPopupFrame, anchor.top - kPopupFrame};
  HWND p = ShowPopup(t, sub, at, anchor, below);
  if (!p) return false;
  t.levels.push_back(Level{sub, p, -1});
  if (below) {
    t.barOpen = true;
    RedrawItem(t, 0, sel);
  }
  if (selectFirst) Select(t, t.levels.size() - 1, FirstItem(sub, 0, 1), false);
  return true;
}

void Choose(Tracker& t, const MenuItem& it) {
  if (it.sub || it.Separator()) return;
  t.done = true;
  if (it.Disabled()) return;
  t.chosen = true;
  t.command = it.id;
}

// The level and item under a screen point; level -1 when outside the menu.
std::pair<int, int> HitTest(Tracker& t, POINT pt) {
  for (int level = int(t.levels.size()) - 1; level >= 0; --level) {
    Level& lv = t.levels[std::size_t(level)];
    RECT area;
    if (IsBarLevel(t, std::size_t(level))) {
      area = BarRect(t.owner);
      RECT wr;
      GetWindowRect(t.owner, &wr);
      OffsetRect(&area, wr.left, wr.top);
    } else {
      GetWindowRect(lv.popup, &area);
    }
    if (!PtInRect(area, pt)) continue;
    for (int i = 0; i < Count(lv.menu); ++i)
      if (PtInRect(ItemScreenRect(t, std::size_t(level), i), pt)) return {level, i};
    return {level, -1};
  }
  return {-1, -1};
}

void Mouse(Tracker& t, const MSG& msg) {
  auto [level, i] = HitTest(t, msg.pt);
  bool down = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
              msg.message == WM_MBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK ||
              msg.message == WM_RBUTTONDBLCLK;
  bool up = msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP;
  bool rightAllowed = t.bar || (t.flags & TPM_RIGHTBUTTON);
  if (msg.message == WM_RBUTTONUP && !rightAllowed) up = false;
  if (level < 0) {
    if (down) t.done = true;
    if (msg.message == WM_MOUSEMOVE && !t.levels.empty()) {
      std::size_t inner = t.levels.size() - 1;
      if (!IsBarLevel(t, inner)) Select(t, inner, -1, true);
    }
    return;
  }
  std::size_t L = std::size_t(level);
  MenuItem* it = ItemAt(t.levels[L].menu, i);
  if (it && it->Separator()) i = -1, it = nullptr;
  if (IsBarLevel(t, L)) {
    if (down) {
      if (i >= 0 && i == t.levels[0].sel && t.barOpen) {
        t.done = true;
      } else if (i >= 0) {
        Select(t, 0, i, true);
        // The owner may have changed the menu while told of the selection.
        it = ItemAt(t.levels[0].menu, i);
        if (it && it->sub)
          OpenSub(t, 0, false);
        else if (it)
          t.barOpen = true;
      }
    } else if (msg.message == WM_MOUSEMOVE && i >= 0 && i != t.levels[0].sel) {
      bool open = t.barOpen;
      Select(t, 0, i, true);
      if (open) OpenSub(t, 0, false);
    } else if (up && it && !it->sub && !it->Disabled() && t.levels[0].sel == i) {
      Choose(t, *it);
    }
    return;
  }
  if (msg.message == WM_MOUSEMOVE || down) {
    Select(t, L, i, true);
    if (L >= t.levels.size()) return;
    it = ItemAt(t.levels[L].menu, i);
    if (it && it->sub) OpenSub(t, L, false);
  } else if (up && it && !it->Disabled()) {
    Choose(t, *it);
  }
}

// Opens the item's submenu, or chooses it. The item is looked up afresh:
// the owner may change its menus whenever it is told something.
void Enter(Tracker& t, std::size_t level, int i) {
  if (t.done || level >= t.levels.size()) return;
  MenuItem* it = ItemAt(t.levels[level].menu, i);
  if (!it) return;
  if (it->sub)
    OpenSub(t, level, true);
  else
    Choose(t, *it);
}

void Char(Tracker& t, unsigned char ch) {
  if (ch < 32) return;
  std::size_t L = t.levels.size() - 1;
  HMENU menu = t.levels[L].menu;
  unsigned char want = UpperChar(ch);
  std::vector<int> matches;
  for (int i = 0; i < Count(menu); ++i) {
    MenuItem* it = ItemAt(menu, i);
    if (it && !it->Separator() && MnemonicOf(LabelOf(*it)) == want) matches.push_back(i);
  }
  if (matches.empty()) {
    UINT kind = IsBarLevel(t, L) ? 0 : MF_POPUP;
    LRESULT r = Notifies(t)
                    ? SendMessage(t.owner, WM_MENUCHAR, MAKEWPARAM(ch, kind), LPARAM(menu.value))
                    : 0;
    if (t.done || L >= t.levels.size()) return;
    switch (HIWORD(std::uintptr_t(r))) {
      case MNC_CLOSE:
        t.done = true;
        return;
      case MNC_EXECUTE:
      case MNC_SELECT:
        if (ItemAt(menu, int(LOWORD(std::uintptr_t(r))))) {
          int i = int(LOWORD(std::uintptr_t(r)));
          Select(t, L, i, false);
          if (HIWORD(std::uintptr_t(r)) == MNC_EXECUTE) Enter(t, L, i);
          return;
        }
        break;
    }
    MessageBeep(0);
    return;
  }
  if (matches.size() == 1) {
    Select(t, L, matches[0], false);
    Enter(t, L, matches[0]);
    return;
  }
  auto next = std::upper_bound(matches.begin(), matches.end(), t.levels[L].sel);
  Select(t, L, next == matches.end() ? matches[0] : *next, false);
}

void Neighbour(Tracker& t, int step) {
  bool open = t.barOpen;
  Select(t, 0, FirstItem(t.levels[0].menu, t.levels[0].sel + step, step), false);
  if (open) OpenSub(t, 0, true);
}

// Returns false for keys that are not the menu's own (they may type a
// mnemonic character).
bool Key(Tracker& t, int vk) {
  std::size_t inner = t.levels.size() - 1;
  Level& lv = t.levels[inner];
  bool onBar = IsBarLevel(t, inner);
  MenuItem* it = ItemAt(lv.menu, lv.sel);
  switch (vk) {
    case VK_ESCAPE:
      if (inner > 0)
        CloseAbove(t, int(inner) - 1);
      else
        t.done = true;
      return true;
    case VK_MENU:
    case VK_F10:
      t.done = true;
      return true;
    case VK_UP:
    case VK_DOWN:
      if (onBar) {
        if (OpenSub(t, 0, vk == VK_DOWN) && vk == VK_UP) {
          HMENU sub = t.levels.back().menu;
          Select(t, t.levels.size() - 1, FirstItem(sub, Count(sub) - 1, -1), false);
        }
      } else {
        int step = vk == VK_DOWN ? 1 : -1;
        int from = lv.sel < 0 ? (step > 0 ? 0 : Count(lv.menu) - 1) : lv.sel + step;
        Select(t, inner, FirstItem(lv.menu, from, step), false);
      }
      return true;
    case VK_LEFT:
      if (inner > (t.bar ? 1u : 0u))
        CloseAbove(t, int(inner) - 1);
      else if (t.bar)
        Neighbour(t, -1);
      return true;
    case VK_RIGHT:
      if (!onBar && it && it->sub)
        OpenSub(t, inner, true);
      else if (t.bar)
        Neighbour(t, 1);
      return true;
    case VK_RETURN:
      if (it)
        Enter(t, inner, lv.sel);
      else if (!onBar)
        t.done = true;
      return true;
  }
  return false;
}

bool IsMouse(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
         (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

void Run(Tracker& t) {
  g_active = &t;
  HWND owner = t.owner;
  SetCapture(owner);
  while (!t.done) {
    if (!IsWindow(owner) || GetCapture() != owner) break;
    MSG msg;
    BOOL r = GetMessage(&msg, HWND{}, 0, 0);
    if (r == 0) {
      // The quit request belongs to the loop outside the menu.
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (r < 0) break;
    if (IsMouse(msg.message)) {
      Mouse(t, msg);
    } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      if (!Key(t, int(msg.wParam))) TranslateMessage(&msg);
    } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
      Char(t, static_cast<unsigned char>(msg.wParam));
    } else if (msg.message != WM_KEYUP && msg.message != WM_SYSKEYUP) {
      DispatchMessage(&msg);
    }
  }
  t.done = true;
  int lastBar = t.bar && !t.levels.empty() ? t.levels[0].sel : -1;
  CloseAbove(t, t.bar ? 0 : -1);
  if (t.bar && !t.levels.empty()) {
    t.levels[0].sel = -1;
    if (IsWindow(owner)) RedrawItem(t, 0, lastBar);
  }
  g_active = nullptr;
  if (IsWindow(owner) && GetCapture() == owner) ReleaseCapture();
  if (IsWindow(owner) && Notifies(t)) {
    SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(owner, WM_EXITMENULOOP, t.bar ? FALSE : TRUE, 0);
  }
}

LRESULT PopupProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT rc;
      GetClientRect(h, &rc);
      FillRect(dc, &rc, HBRUSH{COLOR_MENU + 1});
      RECT edge = rc;
      DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
      if (Tracker* t = g_active) {
        for (std::size_t L = 0; L < t->levels.size(); ++L) {
          if (t->levels[L].popup != h) continue;
          for (int i = 0; i < Count(t->levels[L].menu); ++i)
            DrawPopupItem(t->owner, t->levels[L].menu, i, dc, i == t->levels[L].sel);
        }
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTCLIENT;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void BarStart(HWND hwnd, HMENU menu, POINT screen, unsigned key) {
  if (g_active || !Lookup(menu) || !IsWindowEnabled(hwnd)) return;
  RECT bar = BarRect(hwnd);
  LayoutBar(hwnd, menu, bar);
  Tracker t;
  t.owner = hwnd;
  t.bar = true;
  t.levels.push_back(Level{menu, HWND{}, -1});
  bool keyboard = screen == POINT{};
  if (keyboard && key == 0) {
    if (Count(menu) == 0) return;
  } else if (keyboard) {
    bool found = false;
    for (int i = 0; i < Count(menu) && !found; ++i)
      found = MnemonicOf(LabelOf(*ItemAt(menu, i))) == UpperChar(key & 0xFF);
    if (!found) return (void)MessageBeep(0);
  } else {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    POINT p{screen.x - wr.left, screen.y - wr.top};
    bool onItem = false;
    for (int i = 0; i < Count(menu); ++i) onItem |= PtInRect(ItemAt(menu, i)->rect, p);
    if (!onItem) return;
  }
  SendMessage(hwnd, WM_ENTERMENULOOP, FALSE, 0);
  SendMessage(hwnd, WM_INITMENU, WPARAM(menu.value), 0);
  if (!IsWindow(hwnd) || !Lookup(menu)) return;
  g_active = &t;
  if (keyboard && key == 0) {
    Select(t, 0, FirstItem(menu, 0, 1), false);
  } else if (keyboard) {
    Char(t, static_cast<unsigned char>(key));
  } else {
    MSG fake;
    fake.message = WM_LBUTTONDOWN;
    fake.pt = screen;
    Mouse(t, fake);
  }
  if (!t.done)
    Run(t);
  else
    g_active = nullptr, SendMessage(hwnd, WM_EXITMENULOOP, FALSE, 0);
  if (t.chosen && IsWindow(hwnd)) PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(t.command, 0), 0);
}

class BarHandler : public MenuHandler {
 public:
  int BarHeight(HWND hwnd, HMENU menu, int windowWidth) override {
    RECT top;
    if (!GetMenuBarTop(hwnd, windowWidth, &top)) return 0;
    // A handle that names no menu keeps the plain strip.
    if (!Lookup(menu)) return GetSystemMetrics(SM_CYMENU);
    return LayoutBar(hwnd, menu, top);
  }
  void PaintBar(HWND hwnd, HMENU menu, HDC dc, const RECT& bar) override {
    LayoutBar(hwnd, menu, bar);
    for (int i = 0; i < Count(menu); ++i) {
      BarLook look = BarLook::Normal;
      if (g_active && g_active->bar && g_active->owner == hwnd && g_active->levels[0].sel == i)
        look = g_active->barOpen ? BarLook::Sunken : BarLook::Raised;
      DrawBarItem(hwnd, menu, i, dc, look);
    }
  }
  void Track(HWND hwnd, HMENU menu, POINT screen, unsigned key) override {
    BarStart(hwnd, menu, screen, key);
  }
};

}  // namespace

void InstallMenus() {
  static BarHandler handler;
  SetMenuHandler(&handler);
  WNDCLASS wc;
  wc.style = CS_SAVEBITS | CS_DROPSHADOW;
  wc.lpfnWndProc = PopupProc;
  wc.hCursor = LoadCursor(IDC_ARROW);
  wc.lpszClassName = kPopupClass;
  RegisterClass(&wc);
}

}  // namespace menus

using namespace menus;

int TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (g_active || !Lookup(menu) || !IsWindow(owner) ||
      !IsWindowEnabled(GetAncestor(owner, GA_ROOT)))
    return 0;
  Tracker t;
  t.owner = owner;
  t.flags = flags;
  if (Notifies(t)) {
    SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(owner, WM_INITMENUPOPUP, WPARAM(menu.value), MAKELPARAM(0, 0));
    if (!IsWindow(owner) || !Lookup(menu)) return 0;
  }
  SIZE size = LayoutPopup(owner, menu);
  if (flags & TPM_RIGHTALIGN)
    x -= size.cx;
  else if (flags & TPM_CENTERALIGN)
    x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN)
    y -= size.cy;
  else if (flags & TPM_VCENTERALIGN)
    y -= size.cy / 2;
  g_active = &t;
  HWND p = ShowPopup(t, menu, POINT{x, y}, RECT{x, y, x, y}, false);
  if (!p) {
    g_active = nullptr;
    return 0;
  }
  t.levels.push_back(Level{menu, p, -1});
  Run(t);
  if (!t.chosen) return 0;
  if (flags & TPM_RETURNCMD) return int(t.command);
  if (IsWindow(owner)) PostMessage(owner, WM_COMMAND, MAKEWPARAM(t.command, 0), 0);
  return TRUE;
}

BOOL EndMenu() {
  if (!g_active) return FALSE;
  g_active->done = true;
  // Wakes the tracker's loop, which may be waiting for input.
  if (IsWindow(g_active->owner)) PostMessage(g_active->owner, WM_NULL, 0, 0);
  return TRUE;
}

HMENU GetTrackedMenu() {
  if (!g_active || g_active->levels.empty()) return HMENU{};
  return g_active->levels.back().menu;
}

BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT position, RECT* out) {
  MenuItem* it = FindItem(menu, position, MF_BYPOSITION);
  if (!it || !out) return FALSE;
  if (IsWindow(hwnd) && GetMenu(hwnd) == menu) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    *out = it->rect;
    OffsetRect(out, wr.left, wr.top);
    return TRUE;
  }
  if (g_active)
    for (std::size_t L = 0; L < g_active->levels.size(); ++L)
      if (g_active->levels[L].menu == menu && !IsBarLevel(*g_active, L)) {
        *out = ItemScreenRect(*g_active, L, int(position));
        return TRUE;
      }
  return FALSE;
}

int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screen) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    RECT r;
    if (GetMenuItemRect(hwnd, menu, UINT(i), &r) && PtInRect(r, screen)) return i;
  }
  return -1;
}

}  // namespace platform
