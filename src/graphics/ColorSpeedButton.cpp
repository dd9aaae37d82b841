#include "graphics/ColorSpeedButton.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "platform/window/Window.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Messages.h"
#include "toolkit/WinControl.h"

namespace graphics {

using namespace component;
namespace p = platform;
namespace tk = toolkit;

const TEnumInfo& EnumInfo(TButtonStyle) {
  static const TEnumInfo info("TButtonStyle", {"bsAutoDetect", "bsWin31", "bsNew"});
  return info;
}
const TEnumInfo& EnumInfo(TTrackFontOption) {
  static const TEnumInfo info(
      "TTrackFontOption",
      {"hoFollowFont", "hoPreserveCharSet", "hoPreserveColor", "hoPreserveHeight", "hoPreserveName",
       "hoPreservePitch", "hoPreserveStyle"});
  return info;
}
const TEnumInfo& EnumInfo(TDropDownMenuPos) {
  static const TEnumInfo info("TDropDownMenuPos", {"dmpBottom", "dmpRight"});
  return info;
}

const TClassInfo& TGraphicControlEx::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGraphicControlEx, tk::TGraphicControl>("TGraphicControlEx").Build();
  return info;
}

const TClassInfo& TExtGraphicControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TExtGraphicControl, TGraphicControlEx>("TExtGraphicControl").Build();
  return info;
}

const TClassInfo& TColorSpeedButtonHotTrackOptions::StaticClassInfo() {
  using T = TColorSpeedButtonHotTrackOptions;
  static const TClassInfo info =
      TClassBuilder<T, TPersistent>("TColorSpeedButtonHotTrackOptions")
          .Property("Enabled", &T::Enabled, &T::SetEnabled)
          .Property("Color", &T::Color, &T::SetColor, tk::ColorIdents())
          .Property("FrameColor", &T::FrameColor, &T::SetFrameColor, tk::ColorIdents())
          .Build();
  return info;
}

void TColorSpeedButtonHotTrackOptions::Assign(const TPersistent& source) {
  if (auto* o = dynamic_cast<const TColorSpeedButtonHotTrackOptions*>(&source)) {
    enabled_ = o->enabled_;
    color_ = o->color_;
    frameColor_ = o->frameColor_;
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TCustomColorSpeedButton::StaticClassInfo() {
  using T = TCustomColorSpeedButton;
  static const TClassInfo info =
      TClassBuilder<T, TExtGraphicControl>("TCustomColorSpeedButton")
          .Property("AllowAllUp", &T::AllowAllUp, &T::SetAllowAllUp)
          .Property("GroupIndex", &T::GroupIndex, &T::SetGroupIndex)
          .Property("Down", &T::Down, &T::SetDown)
          .Property("AllowTimer", &T::AllowTimer, &T::SetAllowTimer)
          .Property("InitPause", &T::InitPause, &T::SetInitPause)
          .Property("RepeatInterval", &T::RepeatInterval, &T::SetRepeatInterval)
          .Property("Flat", &T::Flat, &T::SetFlat)
          .Property("Transparent", &T::Transparent, &T::SetTransparent)
          .Property("Style", &T::Style, &T::SetStyle)
          .Property("Layout", &T::Layout, &T::SetLayout)
          .Property("Alignment", &T::Alignment, &T::SetAlignment)
          .Property("Margin", &T::Margin, &T::SetMargin)
          .Property("Spacing", &T::Spacing, &T::SetSpacing)
          .Property("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs)
          .Property("Glyph", &T::Glyph)
          .Property("HotTrackGlyph", &T::HotTrackGlyph)
          .Property("GrayedInactive", &T::GrayedInactive, &T::SetGrayedInactive)
          .Property("GrayNewStyle", &T::GrayNewStyle, &T::SetGrayNewStyle)
          .Property("DoubleBuffered", &T::DoubleBuffered, &T::SetDoubleBuffered)
          .Property("HotTrack", &T::HotTrack, &T::SetHotTrack)
          .Property("HotTrackFont", &T::HotTrackFont)
          .Property("HotTrackFontOptions", &T::HotTrackFontOptions, &T::SetHotTrackFontOptions)
          .Property("HotTrackOptions", &T::HotTrackOptions)
          .Property("DropDownMenu", &T::DropDownMenu, &T::SetDropDownMenu)
          .Property("MarkDropDown", &T::MarkDropDown, &T::SetMarkDropDown)
          .Property("MenuPosition", &T::MenuPosition, &T::SetMenuPosition)
          .Property("ModalResult", &T::ModalResult, &T::SetModalResult)
          .Property("WordWrap", &T::WordWrap, &T::SetWordWrap)
          .Property("HintColor", &T::HintColor, &T::SetHintColor, tk::ColorIdents())
          .Build();
  return info;
}

const TClassInfo& TColorSpeedButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TColorSpeedButton, TCustomColorSpeedButton>("TColorSpeedButton").Build();
  return info;
}

TCustomColorSpeedButton::TCustomColorSpeedButton(TComponent* owner)
    : TExtGraphicControl(owner),
      hotTrackFont_(std::make_unique<tk::TFont>()),
      hotTrackFontOptions_{hoFollowFont, hoPreserveColor, hoPreserveStyle},
      hotTrackOptions_(std::make_unique<TColorSpeedButtonHotTrackOptions>()) {
  SetBoundsSilently(0, 0, 25, 25);
  SetColor(tk::clBtnFace);
  SetShowHint(true);
  SetParentShowHint(false);
  SetOpaque(true);
  SetClickEvents(false);  // clicks on release inside, by its own rule
  glyph_.OnChange = [this] { Invalidate(); };
  hotTrackGlyph_.OnChange = [this] { Invalidate(); };
}

TCustomColorSpeedButton::~TCustomColorSpeedButton() {
  // Freed under the mouse: the application keeps no hint colour of ours.
  if (mouseInside_ && tk::Application) tk::Application->SetHintColor(savedHintColor_);
}

void TCustomColorSpeedButton::SetAllowAllUp(bool v) {
  if (allowAllUp_ == v) return;
  allowAllUp_ = v;
  UpdateExclusive();
}

void TCustomColorSpeedButton::SetGroupIndex(int v) {
  if (groupIndex_ == v) return;
  groupIndex_ = v;
  UpdateExclusive();
}

void TCustomColorSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  if (v) {
    if (state_ == cbsUp) Invalidate();
    state_ = cbsExclusive;
  } else {
    state_ = cbsUp;
  }
  Invalidate();
  if (v) UpdateExclusive();
}

void TCustomColorSpeedButton::SetAllowTimer(bool v) {
  allowTimer_ = v;
  if (!v) repeatTimer_.reset();
}

void TCustomColorSpeedButton::SetFlat(bool v) {
  if (flat_ == v) return;
  flat_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  // A transparent button needs what its parent drew behind it.
  SetOpaque(!v);
  Invalidate();
}

void TCustomColorSpeedButton::SetStyle(TButtonStyle v) {
  if (style_ == v) return;
  style_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetLayout(tk::TButtonLayout v) {
  if (layout_ == v) return;
  layout_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetAlignment(tk::TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetMargin(int v) {
  if (margin_ == v || v < -1) return;
  margin_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetSpacing(int v) {
  if (spacing_ == v) return;
  spacing_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 5);
  if (glyph_.NumGlyphs() == v) return;
  glyph_.SetNumGlyphs(v);
  hotTrackGlyph_.SetNumGlyphs(v);
  Invalidate();
}

void TCustomColorSpeedButton::SetGrayedInactive(bool v) {
  if (grayedInactive_ == v) return;
  grayedInactive_ = v;
  glyph_.SetGrayedInactive(v);
  hotTrackGlyph_.SetGrayedInactive(v);
  Invalidate();
}

void TCustomColorSpeedButton::SetGrayNewStyle(bool v) {
  if (grayNewStyle_ == v) return;
  grayNewStyle_ = v;
  glyph_.SetGrayNewStyle(v);
  hotTrackGlyph_.SetGrayNewStyle(v);
  Invalidate();
}

void TCustomColorSpeedButton::SetHotTrack(bool v) {
  if (hotTrack_ == v) return;
  hotTrack_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetHotTrackFontOptions(TTrackFontOptions v) {
  if (hotTrackFontOptions_ == v) return;
  hotTrackFontOptions_ = v;
  FollowFont();
}

void TCustomColorSpeedButton::SetDropDownMenu(tk::TPopupMenu* v) {
  if (dropDownMenu_ == v) return;
  // The free-notification link stays: the menu shares it to hear of this
  // button's end while the button is its PopupComponent.
  dropDownMenu_ = v;
  if (v) v->FreeNotification(this);
  Invalidate();
}

void TCustomColorSpeedButton::SetMarkDropDown(bool v) {
  if (markDropDown_ == v) return;
  markDropDown_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::SetWordWrap(bool v) {
  if (wordWrap_ == v) return;
  wordWrap_ = v;
  Invalidate();
}

void TCustomColorSpeedButton::Notification(TComponent* component, TOperation operation) {
  TExtGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

// The hot-track font takes the button's font except what the options keep.
void TCustomColorSpeedButton::FollowFont() {
  if (!hotTrackFontOptions_.Contains(hoFollowFont)) return;
  const tk::TFont& f = *Font();
  tk::TFont& h = *hotTrackFont_;
  if (!hotTrackFontOptions_.Contains(hoPreserveCharSet)) h.SetCharset(f.Charset());
  if (!hotTrackFontOptions_.Contains(hoPreserveColor)) h.SetColor(f.Color());
  if (!hotTrackFontOptions_.Contains(hoPreserveHeight)) h.SetHeight(f.Height());
  if (!hotTrackFontOptions_.Contains(hoPreserveName)) h.SetName(f.Name());
  if (!hotTrackFontOptions_.Contains(hoPreservePitch)) h.SetPitch(f.Pitch());
  if (!hotTrackFontOptions_.Contains(hoPreserveStyle)) h.SetStyle(f.Style());
}

void TCustomColorSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent()) return;
  tk::TMessage m{tk::CM_COLORBUTTONPRESSED, tk::WPARAM(groupIndex_), tk::LPARAM(this), 0};
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (Parent()->Controls(i) != this) Parent()->Controls(i)->WindowProc(m);
}

void TCustomColorSpeedButton::WndProc(tk::TMessage& m) {
  if (m.Msg == p::WM_LBUTTONDBLCLK && pressArmed_) {
    pressArmed_ = false;
    const bool queuedBefore = std::int32_t(p::GetMessageTime() - pressTime_) < 0;
    if (queuedBefore && Enabled() && Inside(p::GET_X_LPARAM(m.LParam), p::GET_Y_LPARAM(m.LParam)))
      return;
  }
  if (m.Msg == tk::CM_COLORBUTTONPRESSED) {
    auto* sender = reinterpret_cast<TCustomColorSpeedButton*>(m.LParam);
    if (int(m.WParam) == groupIndex_ && sender != this) {
      if (sender->down_ && down_) {
        down_ = false;
        state_ = cbsUp;
        Invalidate();
      }
      allowAllUp_ = sender->allowAllUp_;
    }
    return;
  }
  TExtGraphicControl::WndProc(m);
}

void TCustomColorSpeedButton::Changed(p::UINT cm) {
  if (cm == tk::CM_ENABLEDCHANGED) AdjustState();
  if (cm == tk::CM_FONTCHANGED) FollowFont();
  TExtGraphicControl::Changed(cm);
}

void TCustomColorSpeedButton::AdjustState() {
  if (!Enabled()) {
    state_ = cbsDisabled;
    pressing_ = false;
  } else if (state_ == cbsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? cbsExclusive : cbsUp;
  }
}

// Enter and leave follow the inside flag: a disabled button is not entered,
// and the pointer leaving after a release that already counted it out (or
// one released outside) fires nothing more.
void TCustomColorSpeedButton::MouseEnter() {
  if (!Enabled() || mouseInside_) return;
  mouseInside_ = true;
  // Hints shown while the pointer is over the button take its colour.
  if (tk::Application) {
    savedHintColor_ = tk::Application->HintColor();
    tk::Application->SetHintColor(hintColor_);
  }
  TExtGraphicControl::MouseEnter();  // fires OnMouseEnter
  if (hotTrack_ || flat_) Invalidate();
}

void TCustomColorSpeedButton::MouseLeave() {
  if (!mouseInside_) return;
  // A button the program disabled while the mouse was over it is left all
  // the same, or it would keep its hot frame and the application its hint
  // colour; it only fires no OnMouseLeave.
  mouseInside_ = false;
  if (tk::Application) tk::Application->SetHintColor(savedHintColor_);
  if (Enabled()) TExtGraphicControl::MouseLeave();  // fires OnMouseLeave
  if (hotTrack_ || (flat_ && !pressing_)) Invalidate();
}

void TCustomColorSpeedButton::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x,
                                        int y) {
  TExtGraphicControl::MouseDown(button, shift, x, y);
  if (!Enabled()) return;
  if (!mouseInside_) {
    mouseInside_ = true;
    Invalidate();
  }
  if (button != tk::mbLeft) return;
  if (!down_) {
    state_ = cbsDown;
    Invalidate();
  }
  pressing_ = true;
  // A double click already queued now would press it again; WndProc drops
  // one stamped before this press was handled (input is read in order, so
  // it cannot be looked up past the release that comes first).
  pressTime_ = p::GetTickCount();
  pressArmed_ = true;
  if (allowTimer_) {
    repeatTimer_ = std::make_unique<tk::TTimer>(nullptr);
    repeatTimer_->SetInterval(initPause_);
    repeatTimer_->SetOnTimer([this](TObject*) { TimerTick(); });
    repeatTimer_->SetEnabled(true);
  }
}

void TCustomColorSpeedButton::TimerTick() {
  if (!repeatTimer_) return;
  repeatTimer_->SetInterval(repeatInterval_);
  if (state_ == cbsDown && pressing_) {
    // A click that fails ends the repeating.
    struct TStopUnlessDone {
      TCustomColorSpeedButton& button;
      bool done = false;
      ~TStopUnlessDone() {
        if (!done) button.StopTimer();
      }
    } stop{*this};
    Click();
    stop.done = true;
  }
}

void TCustomColorSpeedButton::StopTimer() {
  if (repeatTimer_) repeatTimer_->SetEnabled(false);
}

void TCustomColorSpeedButton::MouseMove(tk::TShiftState shift, int x, int y) {
  TExtGraphicControl::MouseMove(shift, x, y);
  if (!pressing_) return;
  const TColorButtonState next = down_ ? cbsExclusive : Inside(x, y) ? cbsDown : cbsUp;
  if (next != state_) {
    state_ = next;
    Invalidate();
  }
}

void TCustomColorSpeedButton::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x,
                                      int y) {
  TExtGraphicControl::MouseUp(button, shift, x, y);
  if (!pressing_ || button != tk::mbLeft) return;
  pressing_ = false;
  StopTimer();
  const bool inside = Inside(x, y);
  if (groupIndex_ == 0) {
    state_ = cbsUp;
    MouseLeave();
    Invalidate();
  } else if (inside) {
    SetDown(!down_);
    state_ = down_ ? cbsExclusive : cbsUp;
    Invalidate();
  } else {
    state_ = down_ ? cbsExclusive : cbsUp;
    Invalidate();
  }
  if (inside) Click();
  // Released under the pointer: the button counts as entered again.
  const bool over = x >= 0 && x < Width() && y >= 0 && y < Height();
  if (over && !mouseInside_) MouseEnter();
  if (!over && mouseInside_) MouseLeave();
}

void TCustomColorSpeedButton::Click() {
  if (tk::TCustomForm* form = ParentForm()) form->SetModalResult(tk::TModalResult(modalResult_));
  TExtGraphicControl::Click();
  DropDown();
}

// The menu opens against the button's bottom-left (or top-right) corner.
void TCustomColorSpeedButton::DropDown() {
  if (!dropDownMenu_ || !Parent() || !Parent()->HandleAllocated()) return;
  const tk::POINT at =
      ClientToScreen(menuPosition_ == dmpBottom ? tk::POINT{0, height_} : tk::POINT{width_, 0});
  dropDownMenu_->SetPopupComponent(this);
  dropDownMenu_->Popup(at.x, at.y);
}

}  // namespace graphics
