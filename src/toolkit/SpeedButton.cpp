#include "toolkit/SpeedButton.h"

#include "component/ClassBuilder.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/ButtonGlyph.h"
#include "toolkit/WinControl.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TButtonLayout) {
  static const TEnumInfo info("TButtonLayout",
                              {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  return info;
}

const TClassInfo& TSpeedButton::StaticClassInfo() {
  using T = TSpeedButton;
  static const TClassInfo info = TClassBuilder<TSpeedButton, TGraphicControl>("TSpeedButton")
                                     .Property("AllowAllUp", &T::AllowAllUp, &T::SetAllowAllUp)
                                     .Property("GroupIndex", &T::GroupIndex, &T::SetGroupIndex)
                                     .Property("Down", &T::Down, &T::SetDown)
                                     .Property("Flat", &T::Flat, &T::SetFlat)
                                     .Property("Glyph", &T::Glyph)
                                     .Property("Layout", &T::Layout, &T::SetLayout)
                                     .Property("Margin", &T::Margin, &T::SetMargin)
                                     .Property("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs)
                                     .Property("Spacing", &T::Spacing, &T::SetSpacing)
                                     .Property("Transparent", &T::Transparent, &T::SetTransparent)
                                     .Build();
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TButtonGlyph>()) {
  SetBoundsSilently(0, 0, 22, 23);
  SetColor(clBtnFace);
  SetClickEvents(false);  // clicks on release inside, by its own rule
  glyph_->OnChange = [this] { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

TBitmap* TSpeedButton::Glyph() const {
  return glyph_->Glyph();
}

int TSpeedButton::NumGlyphs() const {
  return glyph_->NumGlyphs();
}

void TSpeedButton::SetNumGlyphs(int v) {
  glyph_->SetNumGlyphs(v);
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  if (v) {
    if (state_ == bsUp) Invalidate();
    state_ = bsExclusive;
    UpdateExclusive();
  } else {
    state_ = bsUp;
    Repaint();
  }
}

void TSpeedButton::SetFlat(bool v) {
  if (flat_ == v) return;
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  SetOpaque(!v);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (layout_ == v) return;
  layout_ = v;
  Invalidate();
}

void TSpeedButton::SetMargin(int v) {
  if (margin_ == v || v < -1) return;
  margin_ = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  if (spacing_ == v) return;
  spacing_ = v;
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  // The other buttons of the group on the same parent go up.
  if (groupIndex_ == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, WPARAM(groupIndex_), LPARAM(this), 0};
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (Parent()->Controls(i) != this) Parent()->Controls(i)->WindowProc(m);
}

void TSpeedButton::WndProc(TMessage& m) {
  if (m.Msg == CM_BUTTONPRESSED) {
    auto* sender = reinterpret_cast<TSpeedButton*>(m.LParam);
    if (int(m.WParam) == groupIndex_ && sender != this && sender->down_ && down_) {
      down_ = false;
      state_ = bsUp;
      Invalidate();
    }
    return;
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Changed(UINT cm) {
  if (cm == CM_ENABLEDCHANGED) {
    if (!Enabled()) {
      state_ = bsDisabled;
      dragging_ = false;
    } else if (state_ == bsDisabled) {
      state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
  }
  TGraphicControl::Changed(cm);
}

void TSpeedButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  if (flat_ && Enabled() && !dragging_) Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  TButtonState next = Inside(x, y) ? (down_ ? bsExclusive : bsDown) : (down_ ? bsExclusive : bsUp);
  if (next != state_) {
    state_ = next;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!dragging_ || button != mbLeft) return;
  dragging_ = false;
  const bool inside = Inside(x, y);
  if (groupIndex_ == 0) {
    state_ = bsUp;
    if (inside) Invalidate();
  } else if (inside) {
    SetDown(!down_);
    if (down_) Repaint();
  } else {
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
  }
  if (inside) Click();
}

void TSpeedButton::Click() {
  TGraphicControl::Click();
}

void TSpeedButton::Paint() {
  if (!Enabled()) {
    state_ = bsDisabled;
    dragging_ = false;
  } else if (state_ == bsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
  }
  TCanvas* c = Canvas();
  p::HDC dc = c->Handle();
  RECT r = ClientRect();
  const bool pressed = state_ == bsDown || state_ == bsExclusive;
  const bool hot = MouseInControl() && Enabled();
  if (flat_) {
    const bool edge = pressed || hot;
    if (edge) p::DrawEdge(dc, &r, pressed ? p::BDR_SUNKENOUTER : p::BDR_RAISEDINNER, p::BF_RECT);
    // Without the edge the face takes the whole button, or an edge drawn
    // before would stay on an opaque button.
    if (!transparent_) {
      c->Brush()->SetColor(Color());
      c->FillRect(edge ? RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1} : r);
    }
    r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  } else {
    p::DrawFrameControl(dc, &r, p::DFC_BUTTON,
                        p::DFCS_BUTTONPUSH | p::DFCS_ADJUSTRECT | (pressed ? p::DFCS_PUSHED : 0));
  }
  if (state_ == bsExclusive && (!flat_ || !hot)) c->FillChecker(r, clBtnFace, clBtnHighlight);
  const int offset = pressed ? 1 : 0;
  if (!glyph_->Empty()) {
    const SIZE image = glyph_->ImageSize();
    const p::SIZE extent = text_.empty() ? p::SIZE{0, 0} : c->TextExtent(text_);
    const TGlyphPlacement at =
        CalcButtonLayout(SIZE{r.Width(), r.Height()}, image, extent, layout_, margin_, spacing_);
    glyph_->DrawGlyph(dc, r.left + at.glyph.x + offset, r.top + at.glyph.y + offset, state_);
    if (text_.empty()) return;
    const int x = r.left + at.caption.x + offset, y = r.top + at.caption.y + offset;
    DrawCaption(c, RECT{x, y, x + extent.cx, y + extent.cy});
    return;
  }
  if (text_.empty()) return;
  p::SIZE extent = c->TextExtent(text_);
  int x = r.left + (r.Width() - extent.cx + 1) / 2 + offset;
  int y = r.top + (r.Height() - extent.cy + 1) / 2 + offset;
  DrawCaption(c, RECT{x, y, x + extent.cx, y + extent.cy});
}

void TSpeedButton::DrawCaption(TCanvas* c, const RECT& tr) {
  c->Brush()->SetStyle(bsClear);
  if (state_ == bsDisabled) {
    RECT shadow{tr.left + 1, tr.top + 1, tr.right + 1, tr.bottom + 1};
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(text_, shadow, p::DT_CENTER | p::DT_VCENTER | p::DT_SINGLELINE);
    c->Font()->SetColor(clBtnShadow);
  }
  RECT r = tr;
  c->DrawText(text_, r, p::DT_CENTER | p::DT_VCENTER | p::DT_SINGLELINE);
}

}  // namespace toolkit
