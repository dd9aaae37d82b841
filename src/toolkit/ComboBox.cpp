#include "toolkit/ComboBox.h"

#include "component/ClassBuilder.h"
#include "platform/controls/Controls.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TComboBoxStyle) {
  static const TEnumInfo info("TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList",
                                                 "csOwnerDrawFixed", "csOwnerDrawVariable"});
  return info;
}

const TClassInfo& TCustomComboBox::StaticClassInfo() {
  using T = TCustomComboBox;
  static const TClassInfo info =
      TClassBuilder<TCustomComboBox, TWinControl>("TCustomComboBox")
          .Property("DropDownCount", &T::DropDownCount, &T::SetDropDownCount)
          .Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight)
          .Property("Items", &T::Items)
          .Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex)
          .Property("Sorted", &T::Sorted, &T::SetSorted)
          .Property("Style", &T::Style, &T::SetStyle)
          .Property("Text", &T::Text, &T::SetText)
          .Event("OnChange", &T::OnChange)
          .Event("OnSelect", &T::OnSelect)
          .Event("OnDropDown", &T::OnDropDown)
          .Event("OnCloseUp", &T::OnCloseUp)
          .Build();
  return info;
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComboBox, TCustomComboBox>("TComboBox").Build();
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
  SetBoundsSilently(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
  SetClickEvents(false);  // picking an entry clicks
  items_.OnChange = [this](TStrings::Change c, int i) { ItemsChanged(c, i); };
}

TCustomComboBox::~TCustomComboBox() {
  items_.OnChange = nullptr;
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.subclassClass = p::WC_COMBOBOX;
  switch (style_) {
    case csSimple:
      params.style |= p::CBS_SIMPLE;
      break;
    case csDropDown:
      params.style |= p::CBS_DROPDOWN;
      break;
    default:
      params.style |= p::CBS_DROPDOWNLIST;
      break;
  }
  params.style |= p::CBS_HASSTRINGS;
  if (sorted_) params.style |= p::CBS_SORT;
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  p::HWND h = Handle();
  FitFieldToHeight(Height());
  p::SendMessage(h, p::CB_SETITEMHEIGHT, 0, itemHeight_);
  p::SendMessage(h, p::CB_SETMINVISIBLE, WPARAM(dropDownCount_), 0);
  for (int i = 0; i < items_.Count(); ++i)
    p::SendMessage(h, p::CB_ADDSTRING, 0, LPARAM(items_.Strings(i).c_str()));
  if (itemIndex_ >= 0) p::SendMessage(h, p::CB_SETCURSEL, WPARAM(itemIndex_), 0);
}

void TCustomComboBox::FitFieldToHeight(int height) {
  constexpr int kFrame = 6;
  if (height > kFrame)
    p::SendMessage(Handle(), p::CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(height - kFrame));
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  // The window would keep its closed height: a new height goes to the field,
  // which resizes the box, and the rest of the bounds follow as usual.
  if (HandleAllocated() && height != Height()) {
    FitFieldToHeight(height);
    if (left == Left() && top == Top() && width == Width() && height == Height()) {
      BoundsChanged();
      return;
    }
  }
  TWinControl::SetBounds(left, top, width, height);
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  // A stored Text picks the entry that reads so, once the items are there.
  if (!pendingText_.empty()) {
    SetItemIndex(items_.IndexOf(pendingText_));
    pendingText_.clear();
  }
}

void TCustomComboBox::ItemsChanged(TStrings::Change change, int index) {
  if (change != TStrings::Change::Inserted && itemIndex_ >= items_.Count()) itemIndex_ = -1;
  if (!HandleAllocated()) return;
  p::HWND h = Handle();
  switch (change) {
    case TStrings::Change::Inserted:
      p::SendMessage(h, p::CB_INSERTSTRING, WPARAM(index), LPARAM(items_.Strings(index).c_str()));
      break;
    case TStrings::Change::Deleted:
      p::SendMessage(h, p::CB_DELETESTRING, WPARAM(index), 0);
      break;
    case TStrings::Change::Replaced: {
      int selected = ItemIndex();
      p::SendMessage(h, p::CB_DELETESTRING, WPARAM(index), 0);
      p::SendMessage(h, p::CB_INSERTSTRING, WPARAM(index), LPARAM(items_.Strings(index).c_str()));
      if (selected == index) p::SendMessage(h, p::CB_SETCURSEL, WPARAM(index), 0);
      break;
    }
    case TStrings::Change::Cleared:
      p::SendMessage(h, p::CB_RESETCONTENT, 0, 0);
      break;
  }
}

int TCustomComboBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return int(p::SendMessage(const_cast<TCustomComboBox*>(this)->Handle(), p::CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int v) {
  if (ComponentState().Contains(csLoading)) {
    itemIndex_ = v;  // the items may not be read yet
    return;
  }
  if (v < -1 || v >= items_.Count()) v = -1;
  if (ItemIndex() == v) return;
  itemIndex_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::CB_SETCURSEL, WPARAM(v), 0);
}

std::string TCustomComboBox::Text() const {
  int i = ItemIndex();
  if (i >= 0 && i < items_.Count()) return items_.Strings(i);
  return {};
}

void TCustomComboBox::SetText(std::string_view v) {
  if (ComponentState().Contains(csLoading)) {
    pendingText_ = std::string(v);
    return;
  }
  SetItemIndex(items_.IndexOf(v));
}

void TCustomComboBox::SetItemHeight(int v) {
  if (v <= 0 || v == itemHeight_) return;
  itemHeight_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::CB_SETITEMHEIGHT, 0, v);
}

void TCustomComboBox::SetDropDownCount(int v) {
  if (v <= 0) return;
  dropDownCount_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::CB_SETMINVISIBLE, WPARAM(v), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (style_ == v) return;
  style_ = v;
  itemIndex_ = ItemIndex();
  RecreateWnd();
}

void TCustomComboBox::SetSorted(bool v) {
  if (sorted_ == v) return;
  sorted_ = v;
  itemIndex_ = ItemIndex();
  RecreateWnd();
}

bool TCustomComboBox::DroppedDown() const {
  return HandleAllocated() && p::SendMessage(const_cast<TCustomComboBox*>(this)->Handle(),
                                             p::CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool v) {
  p::SendMessage(Handle(), p::CB_SHOWDROPDOWN, v, 0);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      switch (p::HIWORD(m.WParam)) {
        case p::CBN_SELCHANGE:
          itemIndex_ = ItemIndex();
          if (OnSelect) OnSelect(this);
          Click();
          Change();
          break;
        case p::CBN_DROPDOWN:
          if (OnDropDown) OnDropDown(this);
          break;
        case p::CBN_CLOSEUP:
          if (OnCloseUp) OnCloseUp(this);
          break;
        default:
          break;
      }
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
      m.Result = ControlColor(p::HDC{std::uint32_t(m.WParam)});
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace toolkit
