// The list box's state and the operations its message handlers share.
// Internal to the controls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/ControlSupport.h"

namespace platform::controls::listbox {

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

ListState* S(HWND h);
DWORD Style(HWND h);
bool OwnerDraw(HWND h);
bool HasStrings(HWND h);
int Count(const ListState& s);
bool Valid(const ListState& s, WPARAM i);

// Rows: how many fit, the highest top index, an item's rectangle and the
// row under a client y.
int Rows(HWND h, const ListState& s);
int MaxTop(HWND h, const ListState& s);
RECT ItemRect(HWND h, const ListState& s, int i);
int RowAt(HWND h, const ListState& s, int y);
// The row height from the font, or from the owner of owner-drawn rows.
void MeasureFixed(HWND h, ListState& s);

void InvalidateItem(HWND h, const ListState& s, int i);
void InvalidateAll(HWND h, const ListState& s);
void UpdateScroll(HWND h, ListState& s);
void SetTop(HWND h, ListState& s, int top);
void EnsureVisible(HWND h, ListState& s, int i);
// `user`: made by the user, so announced with LBN_SELCHANGE.
void Select(HWND h, ListState& s, int i, bool user);
void PaintList(HWND h, ListState& s, HDC dc, const PAINTSTRUCT& ps);

// Items: inserting (at -1: sorted or at the end), finding by text, and the
// owner's notice of one going.
LRESULT Insert(HWND h, ListState& s, int at, LPARAM lp);
int Find(const ListState& s, WPARAM start, std::string_view text, bool exact);
void DeleteItemNotice(HWND h, const Item& it, int index);

}  // namespace platform::controls::listbox
