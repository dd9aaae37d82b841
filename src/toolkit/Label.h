// TLabel: a caption painted by its parent, optionally sized to its text.
#pragma once

#include "toolkit/GraphicControl.h"

namespace toolkit {

enum TTextLayout { tlTop, tlCenter, tlBottom };
const component::TEnumInfo& EnumInfo(TTextLayout);

class TLabel : public TGraphicControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TLabel(component::TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v);

  void Loaded() override;

 protected:
  void Paint() override;
  void Changed(UINT cm) override;
  void Notification(component::TComponent* component, component::TOperation operation) override;
  unsigned TextFlags() const;
  void AdjustBounds();

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

}  // namespace toolkit
