// How the list box answers its messages: focus, keys and type-ahead, the
// mouse, scrolling, and the LB_ messages.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/ControlProc.h"
#include "platform/controls/ListBoxState.h"

namespace platform {

namespace controls::listbox {

namespace {

// ---------------------------------------------------------------- keys

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

// A click cut short by the focus going elsewhere still ends: the mouse is
// let go and the selection it made is reported.
void EndClickOnFocusLoss(HWND h, ListState& s) {
  if (!s.tracking) return;
  s.tracking = false;
  if (GetCapture() == h) ReleaseCapture();
  if (S(h) && s.sel >= 0 && (Style(h) & LBS_NOTIFY)) Notify(h, LBN_SELCHANGE);
}

LRESULT OnFocus(HWND h, ListState& s, bool gained) {
  if (!gained) {
    EndClickOnFocusLoss(h, s);
    if (!S(h)) return 0;
  }
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
  ListState* s = S(h);
  if (!s) return 0;
  // The press holds the mouse from its start, so that a box raised on the
  // way (by the control that loses the focus, or by whoever hears of the
  // selection) takes the capture and so ends the press: the list then
  // neither selects under the mouse nor keeps following it afterwards.
  SetCapture(h);
  if (!(Style(h) & LBS_COMBOBOX) && GetFocus() != h) SetFocus(h);
  if (!(s = S(h))) return 0;
  if (GetCapture() != h) return 0;
  s->tracking = true;
  int row = RowAt(h, *s, GET_Y_LPARAM(lp));
  if (row >= 0 && row < Count(*s)) {
    Select(h, *s, row, true);
    if (doubleClick && (s = S(h)) && s->tracking && (Style(h) & LBS_NOTIFY)) Notify(h, LBN_DBLCLK);
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

// Another window takes the input (a box opens): the press ends here.
LRESULT OnCancelMode(HWND h, ListState& s) {
  const bool tracking = s.tracking;
  s.tracking = false;
  if (tracking && GetCapture() == h) ReleaseCapture();
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
  if (Style(h) & LBS_NOSEL) return LB_ERR;
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
  // An item scrolled out of sight below the list answers 0.
  RECT rc;
  GetClientRect(h, &rc);
  return r->top >= rc.bottom ? 0 : 1;
}

LRESULT OnGetItemData(const ListState& s, WPARAM wp) {
  if (!Valid(s, wp)) return LB_ERR;
  return LRESULT(s.items[wp].data);
}

LRESULT OnSetItemData(ListState& s, WPARAM wp, LPARAM lp) {
  if (!Valid(s, wp)) return LB_ERR;
  s.items[wp].data = ULONG_PTR(lp);
  return TRUE;
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
  // Above the list: the top visible item; below it: the last one shown,
  // even in part.
  const int shown = (rc.Height() + s.itemHeight - 1) / std::max(1, s.itemHeight);
  if (y < 0) row = s.top;
  if (y >= rc.bottom) row = std::min(row, s.top + std::max(1, shown) - 1);
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
    case WM_CANCELMODE:
      return OnCancelMode(h, s);
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

}  // namespace controls::listbox

LRESULT ListBoxWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return controls::ControlProc<controls::listbox::ListBoxControl>(h, msg, wp, lp);
}

}  // namespace platform
