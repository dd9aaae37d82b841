// TSkinBoxControl: the part the skinned edit and combo box share. A box
// keeps its bound label beside it, paints its text into its cache with the
// control's font, and repaints itself (from a fresh cache) when the focus,
// the mouse or one of its own properties changes.
#pragma once

#include <memory>

#include "platform/window/Messages.h"
#include "skin/controls/SkinBoundLabel.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/link/SkinnedControl.h"
#include "toolkit/Canvas.h"
#include "toolkit/Messages.h"

namespace skin {

template <class Base>
class TSkinBoxControl : public TSkinnedControl<Base> {
 public:
  TSkinBoxControl(component::TComponent* owner, int controlKind)
      : TSkinnedControl<Base>(owner, controlKind),
        boundLabel_(std::make_unique<TSkinBoundLabel>(this)) {
    this->skinData_->CacheBitmap().Canvas()->Font()->Assign(*this->Font());
  }

  TSkinBoundLabel* BoundLabel() const { return boundLabel_.get(); }

  void Loaded() override {
    Base::Loaded();
    this->skinData_->CacheBitmap().Canvas()->Font()->Assign(*this->Font());
    this->skinData_->Loaded();
    boundLabel_->ControlChanged();
  }

  void SetParent(toolkit::TWinControl* parent) override {
    Base::SetParent(parent);
    boundLabel_->ControlChanged();
  }

  // Paints the cache now.
  virtual void PaintCache() = 0;

 protected:
  void BoundsChanged() override {
    Base::BoundsChanged();
    boundLabel_->ControlChanged();
  }

  // The skin's own messages, handled or not; true when taken.
  virtual bool HandleSkinMessage(toolkit::TMessage& m) = 0;

  // What a box does with a message before it looks at it itself: the
  // skin's messages, and every message while it has no section, go their
  // own way. True when the message is done with.
  bool HandledBeforeSkin(toolkit::TMessage& m) {
    if (IsSkinMessage(m.Msg)) {
      if (!HandleSkinMessage(m)) Base::WndProc(m);
      return true;
    }
    if (m.Msg == toolkit::CM_VISIBLECHANGED || m.Msg == toolkit::CM_ENABLEDCHANGED)
      boundLabel_->ControlChanged();
    if (this->skinData_->Skinned()) return false;
    Base::WndProc(m);
    return true;
  }

  // Before a paint: the cache made fresh unless painting is held back (and
  // then nothing may be painted at all). True when held back.
  bool PrepareCacheForPaint() {
    TSkinCommonData& d = *this->skinData_;
    const bool held = PaintHeldBack(d);
    if (held) return true;
    if (SendToParent(*this, SKM_GETOUTSIDE, 0, 0)) d.CacheStale = 1;
    d.OutsideParent = OutsideParentClient(*this);
    if (d.CacheStale) PaintCache();
    return false;
  }

  // The mouse came or went: the box shows it.
  void ShowHover(bool above) {
    this->skinData_->SetMouseAbove(above);
    this->skinData_->MarkStale();
    this->Redraw();
  }

  // The focus came or went: the box shows it, and the mouse counts afresh.
  void ShowFocus(bool hasFocus) {
    this->skinData_->SetHasFocus(hasFocus);
    this->skinData_->MouseAbove = 0;
    this->Redraw();
  }

  // A property the picture shows changed: the control's own handling, then
  // a fresh picture.
  void RepaintAround(toolkit::TMessage& m) {
    this->skinData_->MarkStale();
    Base::WndProc(m);
    this->Redraw();
  }

  std::unique_ptr<TSkinBoundLabel> boundLabel_;
};

}  // namespace skin
