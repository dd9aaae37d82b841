// TComboBox: the platform's drop-down list ("COMBOBOX"): items with objects,
// the selected entry, and OnChange / OnClick when the user picks one.
#pragma once

#include "toolkit/Strings.h"
#include "toolkit/WinControl.h"

namespace toolkit {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const component::TEnumInfo& EnumInfo(TComboBoxStyle);

class TCustomComboBox : public TWinControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomComboBox(component::TComponent* owner);
  ~TCustomComboBox() override;

  TStrings* Items() { return &items_; }
  // The selected entry, -1 when none; setting it notifies nobody.
  int ItemIndex() const;
  void SetItemIndex(int v);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  bool DroppedDown() const;
  void SetDroppedDown(bool v);
  // The selected entry's text ("" when none).
  std::string Text() const override;
  void SetText(std::string_view v) override;
  void Clear() { items_.Clear(); }
  void Loaded() override;
  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange, OnSelect, OnDropDown, OnCloseUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  virtual void Change();

 private:
  void ItemsChanged(TStrings::Change change, int index);
  // The platform's box is as high as its field's item height + 6; the
  // field follows the control's height so the box keeps it.
  void FitFieldToHeight(int height);

  TStrings items_;
  int itemIndex_ = -1;
  int itemHeight_ = 13;
  int dropDownCount_ = 8;
  TComboBoxStyle style_ = csDropDown;
  bool sorted_ = false;
  std::string pendingText_;
};

class TComboBox : public TCustomComboBox {
 public:
  COMPONENT_CLASS_INFO()
  explicit TComboBox(component::TComponent* owner) : TCustomComboBox(owner) {}
};

}  // namespace toolkit
