// The list box ("LISTBOX"): single selection among items with text and
// item data, fixed-height rows (owner-drawn on request), keyboard and mouse
// selection, type-ahead, a top index and its scroll state. The drop-down
// list of the combo box is one too (LBS_COMBOBOX).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/ControlProc.h"
#include "platform/window/ScrollState.h"

namespace platform {

namespace {

using namespace controls;

constexpr const char* kComboProp = "ComboBox";

struct Item {
  std::string text;
  ULONG_PTR data = 0;
};

struct ListState {
  std::vector<Item> items;
  int sel = -1;
  int caret = 0;  // the item with the focus rectangle
  int top = 0;
  int itemHeight = 13;
  bool heightSet = false;
  HFONT font;
  bool focused = false;
  bool tracking = false;
  bool redraw = true;
  bool scrollBar = false;  // created with WS_VSCROLL: the bar comes and goes with the need
  std::string typed;
  DWORD typedAt = 0;
};

ListState* S(HWND h) {
  return StateOf<ListState>(h);
}

DWORD Style(HWND h) {
  return DWORD(GetWindowLongPtr(h, GWL_STYLE));
}

bool OwnerDraw(HWND h) {
  return Style(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
}

bool HasStrings(HWND h) {
  return !OwnerDraw(h) || (Style(h) & LBS_HASSTRINGS);
}

int Count(const ListState& s) {
  return int(s.items.size());
}

bool Valid(const ListState& s, WPARAM i) {
  return std::intptr_t(i) >= 0 && std::intptr_t(i) < std::intptr_t(s.items.size());
}

int Rows(HWND h, const ListState& s) {
  RECT rc;
  GetClientRect(h, &rc);
  return std::max(1, rc.Height() / std::max(1, s.itemHeight));
}

int MaxTop(HWND h, const ListState& s) {
  return std::max(0, Count(s) - Rows(h, s));
}

RECT ItemRect(HWND h, const ListState& s, int i) {
  RECT rc;
  GetClientRect(h, &rc);
  int y = (i - s.top) * s.itemHeight;
  return RECT{0, y, rc.right, y + s.itemHeight};
}

void InvalidateItem(HWND h, const ListState& s, int i) {
  if (i < 0 || !s.redraw) return;
  RECT r = ItemRect(h, s, std::max(i, 0));
  InvalidateRect(h, &r, FALSE);
}

void InvalidateAll(HWND h, const ListState& s) {
  if (s.redraw) InvalidateRect(h, nullptr, FALSE);
}

// The scroll state is kept whether or not a bar is shown, so a control
// painting its own scroll bar can read it with GetScrollInfo. Without
// WS_VSCROLL at creation the bar is never shown or hidden by the list.
void UpdateScroll(HWND h, ListState& s) {
  if (!s.redraw) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, Count(s) - 1);
  si.nPage = UINT(Rows(h, s));
  si.nPos = s.top;
  if (!s.scrollBar) {
    StoreScrollInfo(h, SB_VERT, &si);
    return;
  }
  if (Style(h) & LBS_DISABLENOSCROLL) si.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(h, SB_VERT, &si, TRUE);
}

void SetTop(HWND h, ListState& s, int top) {
  top = std::clamp(top, 0, MaxTop(h, s));
  if (top == s.top) return;
  s.top = top;
  InvalidateAll(h, s);
  UpdateScroll(h, s);
}

void EnsureVisible(HWND h, ListState& s, int i) {
  if (i < 0) return;
  int rows = Rows(h, s);
  if (i < s.top)
    SetTop(h, s, i);
  else if (i >= s.top + rows)
    SetTop(h, s, i - rows + 1);
}

void Select(HWND h, ListState& s, int i, bool user) {
  if (i >= Count(s)) return;
  int old = s.sel, oldCaret = s.caret;
  s.sel = i;
  if (i >= 0) s.caret = i;
  InvalidateItem(h, s, old);
  InvalidateItem(h, s, oldCaret);
  InvalidateItem(h, s, i);
  EnsureVisible(h, s, i);
  if (user && old != i && (Style(h) & LBS_NOTIFY)) Notify(h, LBN_SELCHANGE);
}

void DeleteItemNotice(HWND h, const Item& it, int index) {
  if (!OwnerDraw(h)) return;
  DELETEITEMSTRUCT d;
  d.CtlType = ODT_LISTBOX;
  d.CtlID = UINT(GetDlgCtrlID(h));
  d.itemID = UINT(index);
  d.hwndItem = h;
  d.itemData = it.data;
  if (HWND p = GetParent(h)) SendMessage(p, WM_DELETEITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
}

int SortedPosition(const ListState& s, const std::string& text) {
  auto less = [](const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
      unsigned char x = UpperChar(static_cast<unsigned char>(a[i]));
      unsigned char y = UpperChar(static_cast<unsigned char>(b[i]));
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  };
  int i = 0;
  while (i < Count(s) && !less(text, s.items[std::size_t(i)].text)) ++i;
  return i;
}

LRESULT Insert(HWND h, ListState& s, int at, LPARAM lp) {
  Item it;
  if (HasStrings(h))
    it.text = std::string(TextParam(lp));
  else
    it.data = ULONG_PTR(lp);
  if (at < 0) at = (HasStrings(h) && (Style(h) & LBS_SORT)) ? SortedPosition(s, it.text) : Count(s);
  s.items.insert(s.items.begin() + at, std::move(it));
  if (s.sel >= at) ++s.sel;
  if (s.caret >= at && Count(s) > 1) ++s.caret;
  InvalidateAll(h, s);
  UpdateScroll(h, s);
  return at;
}

int Find(const ListState& s, WPARAM start, std::string_view text, bool exact) {
  int n = Count(s);
  if (n == 0) return -1;
  int from = Valid(s, start) ? int(start) + 1 : 0;
  for (int k = 0; k < n; ++k) {
    const std::string& t = s.items[std::size_t((from + k) % n)].text;
    if (exact ? EqualsNoCase(t, text) : StartsWithNoCase(t, text)) return (from + k) % n;
  }
  return -1;
}

void PaintList(HWND h, ListState& s, HDC dc, const PAINTSTRUCT& ps) {
  // A combo box's list asks the combo box's parent, like the combo box.
  HWND combo{std::uint32_t(GetProp(h, kComboProp))};
  HBRUSH bg = ControlColors(h, dc, WM_CTLCOLORLISTBOX, IsWindow(combo) ? GetParent(combo) : HWND{});
  if (!S(h)) return;
  HFONT old = SelectObject(dc, UsableFont(s.font));
  RECT rc;
  GetClientRect(h, &rc);
  bool enabled = IsWindowEnabled(h);
  COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
  int last = std::min(Count(s), s.top + rc.Height() / std::max(1, s.itemHeight) + 1);
  for (int i = s.top; i < last; ++i) {
    RECT r = ItemRect(h, s, i);
    RECT clipped;
    if (!IntersectRect(&clipped, r, ps.rcPaint)) continue;
    bool selected = i == s.sel;
    const Item& it = s.items[std::size_t(i)];
    if (OwnerDraw(h)) {
      DRAWITEMSTRUCT d;
      d.CtlType = ODT_LISTBOX;
      d.CtlID = UINT(GetDlgCtrlID(h));
      d.itemID = UINT(i);
      d.itemAction = ODA_DRAWENTIRE;
      d.itemState = (selected ? ODS_SELECTED : 0) | (s.focused && i == s.caret ? ODS_FOCUS : 0) |
                    (enabled ? 0 : ODS_DISABLED);
      d.hwndItem = h;
      d.hDC = dc;
      d.rcItem = r;
      d.itemData = it.data;
      SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
      SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : back);
      int saved = SaveDC(dc);
      if (HWND p = GetParent(h)) SendMessage(p, WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
      RestoreDC(dc, saved);
      if (!S(h)) return;
      continue;
    }
    FillRect(dc, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : bg);
    RECT tr = r;
    tr.left += 2;
    UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
               ((Style(h) & LBS_USETABSTOPS) ? DT_EXPANDTABS : 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, !enabled   ? GetSysColor(COLOR_GRAYTEXT)
                     : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                : text);
    DrawText(dc, it.text, &tr, fmt);
    if (s.focused && i == s.caret) DrawFocusRect(dc, &r);
  }
  RECT below = rc;
  below.top = std::max(0, (last - s.top) * s.itemHeight);
  if (!below.IsEmpty()) FillRect(dc, &below, bg);
  if (s.focused && Count(s) == 0 && !OwnerDraw(h)) {
    RECT r = ItemRect(h, s, 0);
    DrawFocusRect(dc, &r);
  }
  SelectObject(dc, old);
}

LRESULT OnKeyDown(HWND h, ListState& s, WPARAM vk) {
  int n = Count(s);
  if (n == 0) return 0;
  int page = std::max(1, Rows(h, s) - 1);
  int from = s.sel >= 0 ? s.sel : s.caret;
  int to;
  switch (int(vk)) {
    case VK_UP:
    case VK_LEFT:
      to = s.sel < 0 ? 0 : from - 1;
      break;
    case VK_DOWN:
    case VK_RIGHT:
      to = s.sel < 0 ? 0 : from + 1;
      break;
    case VK_PRIOR:
      to = from - page;
      break;
    case VK_NEXT:
      to = from + page;
      break;
    case VK_HOME:
      to = 0;
      break;
    case VK_END:
      to = n - 1;
      break;
    default:
      return 0;
  }
  if (Style(h) & LBS_NOSEL) return 0;
  Select(h, s, std::clamp(to, 0, n - 1), true);
  return 0;
}

LRESULT OnChar(HWND h, ListState& s, WPARAM wp) {
  auto ch = static_cast<unsigned char>(wp);
  if (ch < 32 || !HasStrings(h) || (Style(h) & LBS_NOSEL)) return 0;
  DWORD now = GetMessageTime();
  if (now - s.typedAt >= kTypeAheadPauseMs) s.typed.clear();
  s.typedAt = now;
  s.typed += char(ch);
  // A single letter moves on to the next match; a longer prefix may stay.
  int start = s.typed.size() == 1 ? s.caret : s.caret - 1;
  int i = Find(s, WPARAM(std::intptr_t(start)), s.typed, false);
  if (i >= 0) Select(h, s, i, true);
  return 0;
}

int RowAt(HWND h, const ListState& s, int y) {
  if (y < 0) return s.top - 1;
  (void)h;
  return s.top + y / std::max(1, s.itemHeight);
}

void MeasureFixed(HWND h, ListState& s) {
  HDC dc = GetDC(h);
  HFONT old = SelectObject(dc, UsableFont(s.font));
  int height = LineHeight(dc);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  if (OwnerDraw(h)) {
    MEASUREITEMSTRUCT m;
    m.CtlType = ODT_LISTBOX;
    m.CtlID = UINT(GetDlgCtrlID(h));
    m.itemHeight = UINT(height);
    if (HWND p = GetParent(h))
      SendMessage(p, WM_MEASUREITEM, m.CtlID, reinterpret_cast<LPARAM>(&m));
    height = int(m.itemHeight);
  }
  s.itemHeight = std::clamp(height, 1, 255);
}

// ---------------------------------------------------------------- window messages

void InitFromStyle(HWND h, ListState& s) {
  s.redraw = !(Style(h) & LBS_NOREDRAW);
  s.scrollBar = Style(h) & WS_VSCROLL;
}

// The owner hears of every item that goes with the list.
void AnnounceDeletedItems(HWND h, ListState& s) {
  for (std::size_t i = 0; i < s.items.size(); ++i) DeleteItemNotice(h, s.items[i], int(i));
}

void RemeasureForFont(HWND h, ListState& s) {
  if (!s.heightSet && !OwnerDraw(h)) MeasureFixed(h, s);
  UpdateScroll(h, s);
}

LRESULT OnCreate(HWND h, ListState& s) {
  MeasureFixed(h, s);
  if (ListState* now = S(h)) UpdateScroll(h, *now);
  return 0;
}

LRESULT OnSize(HWND h, ListState& s) {
  s.top = std::clamp(s.top, 0, MaxTop(h, s));
  UpdateScroll(h, s);
  InvalidateAll(h, s);
  return 0;
}

LRESULT OnSetRedraw(HWND h, ListState& s, WPARAM wp, LPARAM lp) {
  s.redraw = wp != 0;
  DefWindowProc(h, WM_SETREDRAW, wp, lp);
  if (s.redraw) {
    UpdateScroll(h, s);
    InvalidateAll(h, s);
  }
  return 0;
}

LRESULT OnFocus(HWND h, ListState& s, bool gained) {
  s.focused = gained;
  InvalidateItem(h, s, Count(s) ? s.caret : 0);
  if (Style(h) & LBS_NOTIFY) Notify(h, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
  return 0;
}

LRESULT OnEnable(HWND h, ListState& s) {
  InvalidateAll(h, s);
  return 0;
}

LRESULT OnButtonDown(HWND h, bool doubleClick, LPARAM lp) {
  if (!(Style(h) & LBS_COMBOBOX) && GetFocus() != h) SetFocus(h);
  ListState* s = S(h);
  if (!s) return 0;
  int row = RowAt(h, *s, GET_Y_LPARAM(lp));
  if (row >= 0 && row < Count(*s) && !(Style(h) & LBS_NOSEL)) {
    Select(h, *s, row, true);
    if (doubleClick && (s = S(h)) && (Style(h) & LBS_NOTIFY)) Notify(h, LBN_DBLCLK);
  }
  if ((s = S(h))) {
    s->tracking = true;
    SetCapture(h);
  }
  return 0;
}

LRESULT OnMouseMove(HWND h, ListState& s, LPARAM lp) {
  if (s.tracking && Count(s)) {
    int row = RowAt(h, s, GET_Y_LPARAM(lp));
    Select(h, s, std::clamp(row, 0, Count(s) - 1), true);
  }
  return 0;
}

LRESULT OnButtonUp(ListState& s) {
  if (s.tracking) ReleaseCapture();
  return 0;
}

LRESULT OnCaptureChanged(ListState& s) {
  s.tracking = false;
  return 0;
}

LRESULT OnMouseWheel(HWND h, ListState& s, WPARAM wp) {
  SetTop(h, s, s.top - 3 * GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA);
  return 0;
}

LRESULT OnVScroll(HWND h, ListState& s, WPARAM wp) {
  int page = std::max(1, Rows(h, s) - 1);
  switch (LOWORD(wp)) {
    case SB_LINEUP:
      SetTop(h, s, s.top - 1);
      break;
    case SB_LINEDOWN:
      SetTop(h, s, s.top + 1);
      break;
    case SB_PAGEUP:
      SetTop(h, s, s.top - page);
      break;
    case SB_PAGEDOWN:
      SetTop(h, s, s.top + page);
      break;
    case SB_TOP:
      SetTop(h, s, 0);
      break;
    case SB_BOTTOM:
      SetTop(h, s, MaxTop(h, s));
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      SetTop(h, s, int(std::int16_t(HIWORD(wp))));
      break;
  }
  return 0;
}

// ---------------------------------------------------------------- list box messages

LRESULT OnInsertString(HWND h, ListState& s, WPARAM wp, LPARAM lp) {
  std::intptr_t at = std::intptr_t(wp);
  if (at == -1) at = Count(s);
  if (at < 0 || at > Count(s)) return LB_ERR;
  return Insert(h, s, int(at), lp);
}

LRESULT OnDeleteString(HWND h, ListState& s, WPARAM wp) {
  if (!Valid(s, wp)) return LB_ERR;
  int i = int(wp);
  Item gone = s.items[std::size_t(i)];
  s.items.erase(s.items.begin() + i);
  if (s.sel == i)
    s.sel = -1;
  else if (s.sel > i)
    --s.sel;
  if (s.caret > i) --s.caret;
  s.caret = std::clamp(s.caret, 0, std::max(0, Count(s) - 1));
  s.top = std::clamp(s.top, 0, MaxTop(h, s));
  InvalidateAll(h, s);
  UpdateScroll(h, s);
  DeleteItemNotice(h, gone, i);
  return S(h) ? Count(*S(h)) : 0;
}

LRESULT OnResetContent(HWND h, ListState& s) {
  std::vector<Item> gone;
  gone.swap(s.items);
  s.sel = -1;
  s.caret = s.top = 0;
  InvalidateAll(h, s);
  UpdateScroll(h, s);
  for (std::size_t i = 0; i < gone.size(); ++i) DeleteItemNotice(h, gone[i], int(i));
  return LB_OKAY;
}

LRESULT OnSetCurSel(HWND h, ListState& s, WPARAM wp) {
  if (std::intptr_t(wp) == -1) {
    Select(h, s, -1, false);
    return LB_ERR;
  }
  if (!Valid(s, wp)) return LB_ERR;
  Select(h, s, int(wp), false);
  return LRESULT(wp);
}

LRESULT OnGetSel(const ListState& s, WPARAM wp) {
  if (!Valid(s, wp)) return LB_ERR;
  return int(wp) == s.sel ? 1 : 0;
}

LRESULT OnGetText(HWND h, const ListState& s, WPARAM wp, LPARAM lp) {
  auto* buf = reinterpret_cast<char*>(lp);
  if (!Valid(s, wp) || !buf) return LB_ERR;
  const Item& it = s.items[wp];
  if (!HasStrings(h)) {
    std::memcpy(buf, &it.data, sizeof it.data);
    return sizeof it.data;
  }
  return CopyOut(it.text, buf, it.text.size() + 1);
}

LRESULT OnGetTextLen(HWND h, const ListState& s, WPARAM wp) {
  if (!Valid(s, wp)) return LB_ERR;
  return HasStrings(h) ? LRESULT(s.items[wp].text.size()) : LRESULT(sizeof(ULONG_PTR));
}

LRESULT OnSelectString(HWND h, ListState& s, WPARAM wp, LPARAM lp) {
  int i = Find(s, wp, TextParam(lp), false);
  if (i >= 0) Select(h, s, i, false);
  return i;
}

// Index 0 of an empty list is still a place to be.
bool ValidOrFirst(const ListState& s, WPARAM wp) {
  return Valid(s, wp) || (wp == 0 && Count(s) == 0);
}

LRESULT OnSetTopIndex(HWND h, ListState& s, WPARAM wp) {
  if (!ValidOrFirst(s, wp)) return LB_ERR;
  SetTop(h, s, int(wp));
  return LB_OKAY;
}

LRESULT OnGetItemRect(HWND h, const ListState& s, WPARAM wp, LPARAM lp) {
  auto* r = reinterpret_cast<RECT*>(lp);
  if (!r || !ValidOrFirst(s, wp)) return LB_ERR;
  *r = ItemRect(h, s, int(wp));
  return 1;
}

LRESULT OnGetItemData(const ListState& s, WPARAM wp) {
  if (!Valid(s, wp)) return LB_ERR;
  return LRESULT(s.items[wp].data);
}

LRESULT OnSetItemData(ListState& s, WPARAM wp, LPARAM lp) {
  if (!Valid(s, wp)) return LB_ERR;
  s.items[wp].data = ULONG_PTR(lp);
  return LB_OKAY;
}

LRESULT OnSetCaretIndex(HWND h, ListState& s, WPARAM wp) {
  if (!Valid(s, wp)) return LB_ERR;
  InvalidateItem(h, s, s.caret);
  s.caret = int(wp);
  InvalidateItem(h, s, s.caret);
  EnsureVisible(h, s, s.caret);
  return LB_OKAY;
}

LRESULT OnSetItemHeight(HWND h, ListState& s, LPARAM lp) {
  if (lp < 1 || lp > 255) return LB_ERR;
  s.itemHeight = int(lp);
  s.heightSet = true;
  s.top = std::clamp(s.top, 0, MaxTop(h, s));
  UpdateScroll(h, s);
  InvalidateAll(h, s);
  return LB_OKAY;
}

LRESULT OnItemFromPoint(HWND h, const ListState& s, LPARAM lp) {
  RECT rc;
  GetClientRect(h, &rc);
  int y = GET_Y_LPARAM(lp), x = GET_X_LPARAM(lp);
  bool outside = x < 0 || x >= rc.right || y < 0 || y >= rc.bottom;
  int row = RowAt(h, s, y);
  if (row >= Count(s)) row = Count(s) - 1, outside = true;
  if (row < 0) row = 0, outside = true;
  return MAKELPARAM(row, outside ? 1 : 0);
}

LRESULT OnInitStorage(ListState& s, WPARAM wp) {
  if (std::intptr_t(wp) > 0 && wp < (WPARAM(1) << 24)) s.items.reserve(s.items.size() + wp);
  return LRESULT(s.items.capacity());
}

LRESULT ListMessage(HWND h, ListState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case LB_ADDSTRING:
      return Insert(h, s, -1, lp);
    case LB_INSERTSTRING:
      return OnInsertString(h, s, wp, lp);
    case LB_DELETESTRING:
      return OnDeleteString(h, s, wp);
    case LB_RESETCONTENT:
      return OnResetContent(h, s);
    case LB_SETCURSEL:
      return OnSetCurSel(h, s, wp);
    case LB_GETCURSEL:
      return s.sel;
    case LB_SETSEL:
    case LB_GETSELCOUNT:
      return LB_ERR;  // single selection only
    case LB_GETSEL:
      return OnGetSel(s, wp);
    case LB_GETTEXT:
      return OnGetText(h, s, wp, lp);
    case LB_GETTEXTLEN:
      return OnGetTextLen(h, s, wp);
    case LB_GETCOUNT:
      return Count(s);
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return Find(s, wp, TextParam(lp), msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING:
      return OnSelectString(h, s, wp, lp);
    case LB_GETTOPINDEX:
      return s.top;
    case LB_SETTOPINDEX:
      return OnSetTopIndex(h, s, wp);
    case LB_GETITEMRECT:
      return OnGetItemRect(h, s, wp, lp);
    case LB_GETITEMDATA:
      return OnGetItemData(s, wp);
    case LB_SETITEMDATA:
      return OnSetItemData(s, wp, lp);
    case LB_SETCARETINDEX:
      return OnSetCaretIndex(h, s, wp);
    case LB_GETCARETINDEX:
      return Count(s) ? s.caret : 0;
    case LB_SETITEMHEIGHT:
      return OnSetItemHeight(h, s, lp);
    case LB_GETITEMHEIGHT:
      return s.itemHeight;
    case LB_ITEMFROMPOINT:
      return OnItemFromPoint(h, s, lp);
    case LB_INITSTORAGE:
      return OnInitStorage(s, wp);
  }
  return DefWindowProc(h, msg, wp, lp);
}

LRESULT WindowMessage(HWND h, ListState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate(h, s);
    case WM_SIZE:
      return OnSize(h, s);
    case WM_SETREDRAW:
      return OnSetRedraw(h, s, wp, lp);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      return OnFocus(h, s, true);
    case WM_KILLFOCUS:
      return OnFocus(h, s, false);
    case WM_ENABLE:
      return OnEnable(h, s);
    case WM_KEYDOWN:
      return OnKeyDown(h, s, wp);
    case WM_CHAR:
      return OnChar(h, s, wp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnButtonDown(h, msg == WM_LBUTTONDBLCLK, lp);
    case WM_MOUSEMOVE:
      return OnMouseMove(h, s, lp);
    case WM_LBUTTONUP:
      return OnButtonUp(s);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(s);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(h, s, wp);
    case WM_VSCROLL:
      return OnVScroll(h, s, wp);
  }
  return ListMessage(h, s, msg, wp, lp);
}

struct ListBoxControl {
  using State = ListState;
  static constexpr auto Created = InitFromStyle;
  static constexpr auto Destroying = AnnounceDeletedItems;
  static constexpr auto FontChanged = RemeasureForFont;
  static constexpr auto Invalidate = InvalidateAll;
  static constexpr auto Paint = PaintList;
  static constexpr auto Message = WindowMessage;
};

}  // namespace

LRESULT ListBoxWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return ControlProc<ListBoxControl>(h, msg, wp, lp);
}

}  // namespace platform
