// The list box ("LISTBOX"): single selection among items with text and
// item data, fixed-height rows (owner-drawn on request), keyboard and mouse
// selection, type-ahead, a top index and its scroll state. The drop-down
// list of the combo box is one too (LBS_COMBOBOX). Its messages are
// answered in ListBoxMessages.cpp.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/base/Codepage.h"
#include "platform/base/LocaleServices.h"
#include "platform/controls/ListBoxState.h"
#include "platform/window/ScrollState.h"

namespace platform::controls::listbox {

namespace {

constexpr const char* kComboProp = "ComboBox";

// Letter by letter in upper case: the order when the locale's comparison
// cannot answer.
bool LessByLetters(const std::string& a, const std::string& b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = UpperChar(static_cast<unsigned char>(a[i]));
    unsigned char y = UpperChar(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

// The user's locale orders the items, ignoring case, so accented letters
// stand beside their base letters rather than after "Z". A new item goes
// after the ones that compare equal to it.
int SortedPosition(const ListState& s, const std::string& text) {
  const std::u16string wide = Cp1252ToUtf16(text);
  auto less = [&](const std::string& other) {
    const std::u16string o = Cp1252ToUtf16(other);
    int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wide.data(), int(wide.size()),
                           o.data(), int(o.size()));
    return r == 0 ? LessByLetters(text, other) : r == CSTR_LESS_THAN;
  };
  int i = 0;
  while (i < Count(s) && !less(s.items[std::size_t(i)].text)) ++i;
  return i;
}

// A prefix search also finds "abc" in "[abc]" and "[-abc-]": the brackets
// that mark folder and drive entries do not count.
bool StartsWithPrefix(std::string_view item, std::string_view text) {
  if (StartsWithNoCase(item, text)) return true;
  if (item.empty() || item[0] != '[') return false;
  item.remove_prefix(1);
  if (StartsWithNoCase(item, text)) return true;
  return !item.empty() && item[0] == '-' && StartsWithNoCase(item.substr(1), text);
}

}  // namespace

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
  const int rows = top - s.top;
  s.top = top;
  // A short move keeps the rows still on view and paints only those
  // scrolled in.
  if (s.redraw && std::abs(rows) < Rows(h, s))
    ScrollWindow(h, 0, -rows * s.itemHeight, nullptr, nullptr);
  else
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
    bool found = exact ? EqualsNoCase(t, text) : StartsWithPrefix(t, text);
    if (found) return (from + k) % n;
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
    // A list without selection keeps a current item but never shows it.
    bool selected = i == s.sel && !(Style(h) & LBS_NOSEL);
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

}  // namespace platform::controls::listbox
