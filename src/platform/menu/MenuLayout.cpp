// Measuring and painting menu items: the bar in the window frame and the
// items of drop-down menus, in the classic look or by the owner.
#include <algorithm>

#include "platform/menu/MenuInternal.h"
#include "platform/window/ClassicText.h"
#include "platform/window/MenuBarPlace.h"

namespace platform::menus {

namespace {

constexpr int kBarPad = 6;  // text to bar-item edge
constexpr int kCheckColumn = 18;
constexpr int kArrowColumn = 16;
constexpr int kShortcutGap = 16;
constexpr int kSeparatorHeight = 8;

int TextWidth(HDC dc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  DrawText(dc, text, &r, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
  return r.Width();
}

int FontHeight(HDC dc) {
  return LineHeight(dc);
}

UINT ItemState(const MenuItem& it, bool selected) {
  UINT s = 0;
  if (selected) s |= ODS_SELECTED;
  if (it.state & MF_GRAYED) s |= ODS_GRAYED;
  if (it.Disabled()) s |= ODS_DISABLED;
  if (it.state & MF_CHECKED) s |= ODS_CHECKED;
  if (it.state & MF_DEFAULT) s |= ODS_DEFAULT;
  return s;
}

void AskOwnerToDraw(HWND owner, HMENU menu, const MenuItem& it, HDC dc, RECT rc, bool selected) {
  DRAWITEMSTRUCT dis;
  dis.CtlType = ODT_MENU;
  dis.itemID = it.id;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = ItemState(it, selected);
  dis.hwndItem = owner;
  dis.hmenuItem = menu;
  dis.hDC = dc;
  dis.rcItem = rc;
  dis.itemData = it.data;
  int saved = SaveDC(dc);
  SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  RestoreDC(dc, saved);
}

SIZE AskOwnerToMeasure(HWND owner, const MenuItem& it, SIZE proposal) {
  MEASUREITEMSTRUCT mis;
  mis.CtlType = ODT_MENU;
  mis.itemID = it.id;
  mis.itemWidth = UINT(proposal.cx);
  mis.itemHeight = UINT(proposal.cy);
  mis.itemData = it.data;
  SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  return SIZE{int(std::min<UINT>(mis.itemWidth, 4096)), int(std::min<UINT>(mis.itemHeight, 1024))};
}

void DrawCheck(HDC dc, RECT box, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HPEN old = SelectObject(dc, pen);
  int x = box.left + (box.Width() - 7) / 2, y = box.top + (box.Height() - 7) / 2;
  for (int d = 0; d < 3; ++d) {
    MoveToEx(dc, x, y + 2 + d, nullptr);
    LineTo(dc, x + 3, y + 5 + d);
    LineTo(dc, x + 8, y + d);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void DrawArrow(HDC dc, int x, int cy, COLORREF color) {
  for (int i = 0; i < 4; ++i) {
    RECT r{x + i, cy - 3 + i, x + i + 1, cy + 4 - i};
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
}

}  // namespace

HFONT MenuFont(bool bold) {
  static HFONT boldFont;
  if (!bold) return HFONT(GetStockObject(DEFAULT_GUI_FONT));
  if (!boldFont || GetObjectType(boldFont) != OBJ_FONT) {
    LOGFONT lf;
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    boldFont = CreateFontIndirect(&lf);
  }
  return boldFont;
}

RECT BarRect(HWND hwnd) {
  return GetMenuBarRect(hwnd);
}

int LayoutBar(HWND hwnd, HMENU menu, const RECT& bar) {
  MenuObject* m = Lookup(menu);
  if (!m) return 0;
  m->window = hwnd;
  int row = GetSystemMetrics(SM_CYMENU);
  HDC dc = GetDC(HWND{});
  HFONT old = SelectObject(dc, MenuFont());
  int x = bar.left, y = bar.top;
  for (MenuItem& it : m->items) {
    SIZE size{TextWidth(dc, LabelOf(it)) + 2 * kBarPad, row - 1};
    if (it.OwnerDraw()) size = AskOwnerToMeasure(hwnd, it, size);
    size.cx = std::max(size.cx, 1);
    if ((x > bar.left && x + size.cx > bar.right) || (it.type & (MF_MENUBREAK | MF_MENUBARBREAK))) {
      if (x > bar.left) {
        x = bar.left;
        y += row;
      }
    }
    it.rect = RECT{x, y, x + size.cx, y + row - 1};
    x += size.cx;
  }
  SelectObject(dc, old);
  ReleaseDC(HWND{}, dc);
  return y - bar.top + row;
}

void DrawBarItem(HWND hwnd, HMENU menu, int index, HDC dc, BarLook look) {
  MenuObject* m = Lookup(menu);
  if (!m || index < 0 || std::size_t(index) >= m->items.size()) return;
  const MenuItem& it = m->items[std::size_t(index)];
  RECT r = it.rect;
  if (it.OwnerDraw()) return AskOwnerToDraw(hwnd, menu, it, dc, r, look != BarLook::Normal);
  FillRect(dc, &r, HBRUSH{COLOR_MENU + 1});
  RECT edge = r;
  if (look == BarLook::Raised) DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  if (look == BarLook::Sunken) {
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    OffsetRect(&r, 1, 1);
  }
  HFONT old = SelectObject(dc, MenuFont());
  UINT fmt = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  if (it.Disabled()) {
    DrawDisabledText(dc, LabelOf(it), r, fmt);
  } else {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    DrawText(dc, LabelOf(it), &r, fmt);
  }
  SelectObject(dc, old);
}

SIZE LayoutPopup(HWND owner, HMENU menu) {
  MenuObject* m = Lookup(menu);
  if (!m) return SIZE{};
  HDC dc = GetDC(HWND{});
  HFONT old = SelectObject(dc, MenuFont());
  int textHeight = FontHeight(dc);
  int itemHeight = std::max(textHeight + 4, GetSystemMetrics(SM_CYMENUCHECK) + 4);
  int labels = 0, shortcuts = 0;
  std::vector<SIZE> sizes;
  for (MenuItem& it : m->items) {
    SIZE s{0, it.Separator() ? kSeparatorHeight : itemHeight};
    if (!it.Separator()) {
      SelectObject(dc, MenuFont(it.state & MF_DEFAULT));
      labels = std::max(labels, TextWidth(dc, LabelOf(it)));
      shortcuts = std::max(shortcuts, TextWidth(dc, ShortcutOf(it)));
    }
    sizes.push_back(s);
  }
  int width = kCheckColumn + labels + (shortcuts ? kShortcutGap + shortcuts : 0) + kArrowColumn;
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    MenuItem& it = m->items[i];
    if (it.OwnerDraw()) {
      sizes[i] = AskOwnerToMeasure(owner, it, SIZE{width, sizes[i].cy});
      width = std::max(width, sizes[i].cx);
    }
  }
  int y = kPopupFrame;
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    m->items[i].rect = RECT{kPopupFrame, y, kPopupFrame + width, y + std::max(1, sizes[i].cy)};
    y = m->items[i].rect.bottom;
  }
  SelectObject(dc, old);
  ReleaseDC(HWND{}, dc);
  return SIZE{width + 2 * kPopupFrame, y + kPopupFrame};
}

void DrawPopupItem(HWND owner, HMENU menu, int index, HDC dc, bool selected) {
  MenuObject* m = Lookup(menu);
  if (!m || index < 0 || std::size_t(index) >= m->items.size()) return;
  const MenuItem& it = m->items[std::size_t(index)];
  RECT r = it.rect;
  if (it.OwnerDraw()) return AskOwnerToDraw(owner, menu, it, dc, r, selected);
  FillRect(dc, &r, HBRUSH{std::uint32_t((selected ? COLOR_HIGHLIGHT : COLOR_MENU) + 1)});
  if (it.Separator()) {
    RECT line{r.left + 1, r.top + r.Height() / 2 - 1, r.right - 1, r.top + r.Height() / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  bool embossed = it.Disabled() && !selected;
  COLORREF color = it.Disabled() ? GetSysColor(COLOR_GRAYTEXT)
                   : selected    ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                 : GetSysColor(COLOR_MENUTEXT);
  if (it.state & MF_CHECKED) {
    RECT box{r.left, r.top, r.left + kCheckColumn, r.bottom};
    if (embossed) {
      RECT lit = box;
      OffsetRect(&lit, 1, 1);
      DrawCheck(dc, lit, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    DrawCheck(dc, box, color);
  }
  HFONT old = SelectObject(dc, MenuFont(it.state & MF_DEFAULT));
  RECT text{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom};
  UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  std::string label = LabelOf(it), shortcut = ShortcutOf(it);
  auto draw = [&](const std::string& t, UINT align) {
    if (t.empty()) return;
    if (embossed) {
      DrawDisabledText(dc, t, text, fmt | align);
    } else {
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, color);
      DrawText(dc, t, &text, fmt | align);
    }
  };
  draw(label, DT_LEFT);
  draw(shortcut, DT_RIGHT);
  if (it.sub) DrawArrow(dc, r.right - 10, (r.top + r.bottom) / 2, color);
  SelectObject(dc, old);
}

}  // namespace platform::menus
