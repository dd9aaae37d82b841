#include "skin/controls/SkinBoundLabel.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "platform/gdi/DcGuards.h"
#include "platform/gdi/Gdi.h"
#include "skin/controls/SkinLabel.h"
#include "toolkit/WinControl.h"

namespace skin {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TSkinLabelLayout) {
  static const TEnumInfo info("TSkinLabelLayout",
                              {"sclLeft", "sclTopLeft", "sclTopCenter", "sclTopRight"});
  return info;
}

const TClassInfo& TSkinBoundLabel::StaticClassInfo() {
  using T = TSkinBoundLabel;
  static const TClassInfo info = TClassBuilder<T, TPersistent>("TSkinBoundLabel")
                                     .Property("Active", &T::Active, &T::SetActive)
                                     .Property("Caption", &T::Caption, &T::SetCaption)
                                     .Property("Layout", &T::Layout, &T::SetLayout)
                                     .Property("MaxWidth", &T::MaxWidth, &T::SetMaxWidth)
                                     .Build();
  return info;
}

TSkinBoundLabel::TSkinBoundLabel(toolkit::TWinControl* control) : control_(control) {}

TSkinBoundLabel::~TSkinBoundLabel() {
  SetActive(false);
}

TPersistent* TSkinBoundLabel::GetOwner() const {
  return control_;
}

void TSkinBoundLabel::SetActive(bool v) {
  if (v == Active()) return;
  if (!v) {
    TSkinEditLabel* label = label_;
    label_ = nullptr;
    label->bound_ = nullptr;
    delete label;
    return;
  }
  // No owner: the label lives as long as this object (or its parent), and
  // its name cannot clash with the form's components.
  auto* label = new TSkinEditLabel(nullptr);
  label->bound_ = this;
  label_ = label;
  label->SetName(control_ ? control_->Name() + "Label" : "Label");
  label->SetAlignment(toolkit::taRightJustify);
  if (control_) label->SetFocusControl(control_);
  ControlChanged();
}

void TSkinBoundLabel::SetLayout(TSkinLabelLayout v) {
  if (layout_ == v) return;
  layout_ = v;
  Place();
}

void TSkinBoundLabel::SetMaxWidth(int v) {
  v = std::max(0, v);
  if (maxWidth_ == v) return;
  maxWidth_ = v;
  Place();
}

void TSkinBoundLabel::SetCaption(std::string_view v) {
  if (caption_ == v) return;
  caption_ = std::string(v);
  Place();
}

void TSkinBoundLabel::ControlChanged() {
  if (!label_ || !control_) return;
  if (label_->Parent() != control_->Parent()) label_->SetParent(control_->Parent());
  label_->SetVisible(control_->Visible());
  label_->SetEnabled(control_->Enabled());
  Place();
}

void TSkinBoundLabel::Place() {
  if (!label_ || !control_) return;
  TSkinEditLabel& label = *label_;
  const std::string text = caption_.empty() ? control_->Name() : caption_;
  int width = 0, height = 0;
  if (maxWidth_ > 0) {
    label.SetAutoSize(false);
    label.SetWordWrap(true);
    label.SetCaption(text);
    p::RECT r{0, 0, maxWidth_, 0};
    {
      p::TWindowDC dc(p::HWND{}, p::GetDC(nullptr));
      p::TSelectedObject font(dc, label.Font()->Handle());
      p::DrawText(dc, text.empty() ? std::string(" ") : text, &r,
                  p::DT_CALCRECT | p::DT_WORDBREAK | p::DT_EXPANDTABS);
    }
    width = maxWidth_;
    height = std::max<int>(r.Height(), control_->Height());
  } else {
    label.SetWordWrap(false);
    label.SetAutoSize(true);
    label.SetCaption(text);
    width = label.Width();
    height = label.Height();
  }
  const int cl = control_->Left(), ct = control_->Top();
  const int cw = control_->Width(), ch = control_->Height();
  int left = cl, top = ct - height;
  switch (layout_) {
    case sclLeft:
      left = cl - width - kLeftGap;
      top = ct + (ch - height) / 2;
      break;
    case sclTopLeft:
      break;
    case sclTopCenter:
      left = cl + (cw - width) / 2;
      break;
    case sclTopRight:
      left = cl + cw - width;
      break;
  }
  label.SetBounds(left, top, width, height);
}

}  // namespace skin
