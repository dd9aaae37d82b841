#include "toolkit/Label.h"

#include "component/ClassBuilder.h"
#include "platform/gdi/DcGuards.h"
#include "platform/gdi/Gdi.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TTextLayout) {
  static const TEnumInfo info("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
  return info;
}

const TClassInfo& TLabel::StaticClassInfo() {
  using T = TLabel;
  static const TClassInfo info =
      TClassBuilder<TLabel, TGraphicControl>("TLabel")
          .Property("Alignment", &T::Alignment, &T::SetAlignment)
          .Property("AutoSize", &T::AutoSize, &T::SetAutoSize)
          .Property("FocusControl", &T::FocusControl, &T::SetFocusControl)
          .Property("Layout", &T::Layout, &T::SetLayout)
          .Property("ShowAccelChar", &T::ShowAccelChar, &T::SetShowAccelChar)
          .Property("Transparent", &T::Transparent, &T::SetTransparent)
          .Property("WordWrap", &T::WordWrap, &T::SetWordWrap)
          .Build();
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBoundsSilently(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout v) {
  if (layout_ == v) return;
  layout_ = v;
  Invalidate();
}

void TLabel::SetAutoSize(bool v) {
  if (autoSize_ == v) return;
  autoSize_ = v;
  AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  Invalidate();
}

void TLabel::SetWordWrap(bool v) {
  if (wordWrap_ == v) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
  if (showAccelChar_ == v) return;
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* v) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = v;
  if (v) v->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::Changed(UINT cm) {
  TGraphicControl::Changed(cm);
  if (cm == CM_TEXTCHANGED || cm == CM_FONTCHANGED) AdjustBounds();
}

unsigned TLabel::TextFlags() const {
  unsigned flags = p::DT_EXPANDTABS;
  if (alignment_ == taRightJustify) flags |= p::DT_RIGHT;
  if (alignment_ == taCenter) flags |= p::DT_CENTER;
  if (wordWrap_) flags |= p::DT_WORDBREAK;
  if (!showAccelChar_) flags |= p::DT_NOPREFIX;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  // Measures on a screen context, as there may be no parent window yet.
  RECT r{0, 0, wordWrap_ ? width_ : 0, 0};
  {
    p::TWindowDC dc(p::HWND{}, p::GetDC(nullptr));
    p::TSelectedObject font(dc, Font()->Handle());
    std::string text = text_.empty() ? std::string(" ") : text_;
    p::DrawText(dc, text, &r, TextFlags() | p::DT_CALCRECT);
  }
  int left = left_;
  if (alignment_ == taRightJustify) left = left_ + width_ - r.right;
  if (alignment_ == taCenter) left = left_ + (width_ - r.right) / 2;
  SetBounds(left, top_, r.right, r.bottom);
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  if (!transparent_) {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  unsigned flags = TextFlags();
  std::string text = text_;
  if (layout_ != tlTop) {
    RECT calc = r;
    c->DrawText(text.empty() ? " " : text, calc, flags | p::DT_CALCRECT);
    int h = calc.Height();
    r.top = layout_ == tlBottom ? r.bottom - h : (r.top + r.bottom - h) / 2;
    r.bottom = r.top + h;
  }
  if (!Enabled()) {
    RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(text, shifted, flags);
    c->Font()->SetColor(clBtnShadow);
  }
  c->DrawText(text, r, flags);
}

}  // namespace toolkit
