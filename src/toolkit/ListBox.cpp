#include "toolkit/ListBox.h"

#include "component/ClassBuilder.h"
#include "platform/controls/Controls.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TListBoxStyle) {
  static const TEnumInfo info("TListBoxStyle",
                              {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"});
  return info;
}

const TClassInfo& TCustomListBox::StaticClassInfo() {
  using T = TCustomListBox;
  static const TClassInfo info =
      TClassBuilder<TCustomListBox, TWinControl>("TCustomListBox")
          .Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, BorderStyleInfo())
          .Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight)
          .Property("Items", &T::Items)
          .Property("Sorted", &T::Sorted, &T::SetSorted)
          .Property("Style", &T::Style, &T::SetStyle)
          .Event("OnDrawItem", &T::OnDrawItem)
          .Build();
  return info;
}

const TClassInfo& TListBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TListBox, TCustomListBox>("TListBox").Build();
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  SetBoundsSilently(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
  SetClickEvents(false);  // the list's selection notification clicks
  items_.OnChange = [this](TStrings::Change c, int i) { ItemsChanged(c, i); };
}

TCustomListBox::~TCustomListBox() {
  items_.OnChange = nullptr;
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.subclassClass = p::WC_LISTBOX;
  params.style |= p::LBS_NOTIFY | p::LBS_HASSTRINGS | p::LBS_NOINTEGRALHEIGHT | p::WS_VSCROLL;
  if (style_ != lbStandard) params.style |= p::LBS_OWNERDRAWFIXED;
  if (sorted_) params.style |= p::LBS_SORT;
  if (borderStyle_ == bsSingle) params.exStyle |= p::WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  p::HWND h = Handle();
  p::SendMessage(h, p::LB_SETITEMHEIGHT, 0, itemHeight_);
  for (int i = 0; i < items_.Count(); ++i)
    p::SendMessage(h, p::LB_ADDSTRING, 0, LPARAM(items_.Strings(i).c_str()));
  if (itemIndex_ >= 0) p::SendMessage(h, p::LB_SETCURSEL, WPARAM(itemIndex_), 0);
}

void TCustomListBox::ItemsChanged(TStrings::Change change, int index) {
  if (change != TStrings::Change::Inserted && itemIndex_ >= items_.Count()) itemIndex_ = -1;
  if (!HandleAllocated()) return;
  p::HWND h = Handle();
  switch (change) {
    case TStrings::Change::Inserted:
      p::SendMessage(h, p::LB_INSERTSTRING, WPARAM(index), LPARAM(items_.Strings(index).c_str()));
      break;
    case TStrings::Change::Deleted:
      p::SendMessage(h, p::LB_DELETESTRING, WPARAM(index), 0);
      break;
    case TStrings::Change::Replaced: {
      int selected = ItemIndex();
      p::SendMessage(h, p::LB_DELETESTRING, WPARAM(index), 0);
      p::SendMessage(h, p::LB_INSERTSTRING, WPARAM(index), LPARAM(items_.Strings(index).c_str()));
      if (selected == index) p::SendMessage(h, p::LB_SETCURSEL, WPARAM(index), 0);
      break;
    }
    case TStrings::Change::Cleared:
      p::SendMessage(h, p::LB_RESETCONTENT, 0, 0);
      break;
  }
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return int(p::SendMessage(const_cast<TCustomListBox*>(this)->Handle(), p::LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int v) {
  if (v < -1 || v >= items_.Count()) v = -1;
  if (ItemIndex() == v) return;
  itemIndex_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::LB_SETCURSEL, WPARAM(v), 0);
}

void TCustomListBox::SetItemHeight(int v) {
  if (v <= 0 || v == itemHeight_) return;
  itemHeight_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::LB_SETITEMHEIGHT, 0, v);
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
  if (style_ == v) return;
  style_ = v;
  itemIndex_ = ItemIndex();
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool v) {
  if (sorted_ == v) return;
  sorted_ = v;
  itemIndex_ = ItemIndex();
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  itemIndex_ = ItemIndex();
  RecreateWnd();
}

int TCustomListBox::ItemAtPos(POINT pt) const {
  if (!HandleAllocated()) return -1;
  LRESULT r = p::SendMessage(const_cast<TCustomListBox*>(this)->Handle(), p::LB_ITEMFROMPOINT, 0,
                             p::MAKELPARAM(pt.x, pt.y));
  if (p::HIWORD(std::uintptr_t(r))) return -1;
  return int(p::LOWORD(std::uintptr_t(r)));
}

RECT TCustomListBox::ItemRect(int index) const {
  RECT r;
  if (HandleAllocated())
    p::SendMessage(const_cast<TCustomListBox*>(this)->Handle(), p::LB_GETITEMRECT, WPARAM(index),
                   LPARAM(&r));
  return r;
}

void TCustomListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  canvas_.FillRect(rect);
  if (index >= 0 && index < items_.Count())
    canvas_.TextOut(rect.left + 2, rect.top, items_.Strings(index));
}

void TCustomListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (p::HIWORD(m.WParam) == p::LBN_SELCHANGE) Click();
      if (p::HIWORD(m.WParam) == p::LBN_DBLCLK) DblClick();
      return;
    case CN_CTLCOLORLISTBOX:
      m.Result = ControlColor(p::HDC{std::uint32_t(m.WParam)});
      return;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<p::MEASUREITEMSTRUCT*>(m.LParam);
      mis->itemHeight = p::UINT(itemHeight_);
      m.Result = 1;
      return;
    }
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<p::DRAWITEMSTRUCT*>(m.LParam);
      TOwnerDrawState state = OwnerDrawState(dis->itemState);
      struct Detach {
        TCanvas& c;
        ~Detach() { c.SetHandle({}); }
      } detach{canvas_};
      canvas_.SetHandle(dis->hDC);
      canvas_.Font()->Assign(*Font());
      canvas_.Brush()->SetColor(Color());
      if (state.Contains(odSelected)) {
        canvas_.Brush()->SetColor(clHighlight);
        canvas_.Font()->SetColor(clHighlightText);
      }
      int index = int(dis->itemID);
      if (index >= 0) DrawItem(index, dis->rcItem, state);
      if (state.Contains(odFocused)) canvas_.DrawFocusRect(dis->rcItem);
      m.Result = 1;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace toolkit
