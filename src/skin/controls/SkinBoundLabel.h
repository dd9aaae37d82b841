// TSkinBoundLabel: the caption label an edit, combo box or list box may keep
// beside itself. The control owns one as a published sub-object ("BoundLabel")
// and tells it whenever it moves, is resized, shown, hidden, enabled,
// disabled, re-parented or restored:
//
//   TSkinEdit::TSkinEdit(TComponent* owner)
//       : ..., boundLabel_(std::make_unique<TSkinBoundLabel>(this)) {}
//   .Property("BoundLabel", &T::BoundLabel)             // in the class builder
//   void BoundsChanged() override { ...; boundLabel_->ControlChanged(); }
//   (likewise from Changed(CM_VISIBLECHANGED / CM_ENABLEDCHANGED), SetParent
//   and Loaded)
//
// While Active it keeps a TSkinEditLabel named after the control plus
// "Label", right-justified, with the control as its focus control, on the
// control's parent, placed by Layout. The label is the bound label's own: it
// is freed when the bound label is deactivated or destroyed, and the bound
// label forgets it when its parent frees it first.
#pragma once

#include <string>
#include <string_view>

#include "component/ClassInfo.h"
#include "component/Persistent.h"

namespace toolkit {
class TWinControl;
}

namespace skin {

class TSkinEditLabel;

// sclLeft: left of the control, centred on it vertically; the others: above
// it, at its left edge, centred or at its right edge.
enum TSkinLabelLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };
const component::TEnumInfo& EnumInfo(TSkinLabelLayout);

class TSkinBoundLabel : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  // Gap between a left label and its control.
  static constexpr int kLeftGap = 4;

  explicit TSkinBoundLabel(toolkit::TWinControl* control);
  ~TSkinBoundLabel() override;

  // --- published
  bool Active() const { return label_ != nullptr; }
  void SetActive(bool v);
  TSkinLabelLayout Layout() const { return layout_; }
  void SetLayout(TSkinLabelLayout v);
  // > 0: the label wraps its words at this width.
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int v);
  // Empty: the label shows the control's name.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view v);

  // The control moved, was resized, shown, hidden, enabled, disabled,
  // re-parented or restored: the label follows it.
  void ControlChanged();

  // The label while active, else null.
  TSkinEditLabel* Label() const { return label_; }
  toolkit::TWinControl* Control() const { return control_; }
  component::TPersistent* GetOwner() const override;

 private:
  friend class TSkinEditLabel;
  void LabelDestroyed() { label_ = nullptr; }
  void Place();

  toolkit::TWinControl* control_;
  TSkinEditLabel* label_ = nullptr;
  TSkinLabelLayout layout_ = sclLeft;
  int maxWidth_ = 0;
  std::string caption_;
};

}  // namespace skin
