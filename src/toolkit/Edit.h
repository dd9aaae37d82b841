// TEdit: the platform's single-line edit control ("EDIT") as a control:
// text, alignment, letter case, border, length limit, read-only and
// password modes, selection, and OnChange after every change of the text.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/Form.h"
#include "toolkit/WinControl.h"

namespace toolkit {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
const component::TEnumInfo& EnumInfo(TEditCharCase);

class TCustomEdit : public TWinControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomEdit(component::TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  // "" for none, else one character shown in place of each letter.
  std::string PasswordChar() const { return passwordChar_ ? std::string(1, passwordChar_) : ""; }
  void SetPasswordChar(std::string_view v);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v) { autoSize_ = v; }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  // Whether the text changed since Modified was last cleared.
  bool Modified() const;
  void SetModified(bool v);

  int SelStart() const;
  void SetSelStart(int v);
  int SelLength() const;
  void SetSelLength(int v);
  std::string SelText() const;
  void SelectAll();
  void Clear() { SetText(""); }

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  virtual void Change();
  void DoEnter() override;

 private:
  TAlignment alignment_ = taLeftJustify;
  TEditCharCase charCase_ = ecNormal;
  TBorderStyle borderStyle_ = bsSingle;
  int maxLength_ = 0;
  bool readOnly_ = false;
  char passwordChar_ = 0;
  bool autoSelect_ = true;
  bool autoSize_ = true;
  bool hideSelection_ = true;
  bool modified_ = false;
};

class TEdit : public TCustomEdit {
 public:
  COMPONENT_CLASS_INFO()
  explicit TEdit(component::TComponent* owner) : TCustomEdit(owner) {}
};

}  // namespace toolkit
