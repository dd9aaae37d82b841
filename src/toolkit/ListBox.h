// TListBox: the platform's list box ("LISTBOX"): items with objects,
// the selected row, owner-drawn rows painted through OnDrawItem on the
// control's canvas, and OnClick when the user selects a row.
#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/OwnerDrawState.h"
#include "toolkit/Strings.h"
#include "toolkit/WinControl.h"

namespace toolkit {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
const component::TEnumInfo& EnumInfo(TListBoxStyle);

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, RECT Rect, TOwnerDrawState State)>;

class TCustomListBox : public TWinControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomListBox(component::TComponent* owner);
  ~TCustomListBox() override;

  TStrings* Items() { return &items_; }
  int Count() const { return items_.Count(); }
  // The selected row, -1 when none. Setting it selects without any click
  // notification; setting the row already selected does nothing.
  int ItemIndex() const;
  void SetItemIndex(int v);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle v);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  TCanvas* Canvas() { return &canvas_; }
  void Clear() { items_.Clear(); }
  // The row under a client point; -1 when none.
  int ItemAtPos(POINT p) const;
  RECT ItemRect(int index) const;

  TDrawItemEvent OnDrawItem;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  // Paints one owner-drawn row; the canvas is prepared (font, colours).
  virtual void DrawItem(int index, RECT rect, TOwnerDrawState state);

 private:
  void ItemsChanged(TStrings::Change change, int index);

  TStrings items_;
  TCanvas canvas_;
  int itemIndex_ = -1;  // while there is no window
  int itemHeight_ = 16;
  TListBoxStyle style_ = lbStandard;
  bool sorted_ = false;
  TBorderStyle borderStyle_ = bsSingle;
};

class TListBox : public TCustomListBox {
 public:
  COMPONENT_CLASS_INFO()
  explicit TListBox(component::TComponent* owner) : TCustomListBox(owner) {}
};

}  // namespace toolkit
