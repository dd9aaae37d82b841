#include "toolkit/Control.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "platform/window/Window.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/WinControl.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TAlign) {
  static const TEnumInfo info(
      "TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
  return info;
}

const TClassInfo& TControl::StaticClassInfo() {
  using T = TControl;
  static const TClassInfo info =
      TClassBuilder<TControl, TComponent>("TControl")
          .Property("Left", &T::Left, &T::SetLeft)
          .Property("Top", &T::Top, &T::SetTop)
          .Property("Width", &T::Width, &T::SetWidth)
          .Property("Height", &T::Height, &T::SetHeight)
          .Property("ClientWidth", &T::ClientWidth, &T::SetClientWidth)
          .Stored([](const T&) { return false; })  // Width says it
          .Property("ClientHeight", &T::ClientHeight, &T::SetClientHeight)
          .Stored([](const T&) { return false; })
          .Property("Align", &T::Align, &T::SetAlign)
          .Property("Visible", &T::Visible, &T::SetVisible)
          .Property("Enabled", &T::Enabled, &T::SetEnabled)
          .Property("Caption", &T::Caption, &T::SetCaption)
          .Property("Color", &T::Color, &T::SetColor, ColorIdents())
          .Stored([](const T& c) { return !c.ParentColor(); })
          .Property("ParentColor", &T::ParentColor, &T::SetParentColor)
          .Property("Font", &T::Font)
          .Stored([](const T& c) { return !c.ParentFont(); })
          .Property("ParentFont", &T::ParentFont, &T::SetParentFont)
          .Property("Hint", &T::Hint, &T::SetHint)
          .Property("ShowHint", &T::ShowHint, &T::SetShowHint)
          .Stored([](const T& c) { return !c.ParentShowHint(); })
          .Property("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint)
          .Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
          .Event("OnClick", &T::OnClick)
          .Event("OnDblClick", &T::OnDblClick)
          .Event("OnMouseEnter", &T::OnMouseEnter)
          .Event("OnMouseLeave", &T::OnMouseLeave)
          .Event("OnMouseDown", &T::OnMouseDown)
          .Event("OnMouseUp", &T::OnMouseUp)
          .Event("OnMouseMove", &T::OnMouseMove)
          .Build();
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->OnChange = [this](TGraphicsObject*) { FontChanged(); };
}

TControl* TControl::mouseControl_ = nullptr;

TControl::~TControl() {
  Destroying();
  if (mouseControl_ == this) mouseControl_ = nullptr;
  if (parent_) parent_->RemoveControl(this);
  parent_ = nullptr;
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TComponent* TControl::GetParentComponent() const {
  return parent_;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  ParentChanged();
  if (parentFont_) ApplyParentFont();
  if (parentColor_) ApplyParentColor();
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == parent_) {
    // The parent is going away before us: forget it without calling back.
    parent_ = nullptr;
  }
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  if (popupMenu_ == v) return;
  popupMenu_ = v;
  // The link stays when the reference changes: the menu shares it to hear
  // of this control's end as its PopupComponent.
  if (v) v->FreeNotification(this);
}

bool TControl::DoContextPopup(POINT screen) {
  if (!popupMenu_ || !popupMenu_->AutoPopup()) return false;
  if (screen.x == -1 && screen.y == -1) screen = ClientToScreen(POINT{0, 0});
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(screen.x, screen.y);
  return true;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();  // the old place
  left_ = left, top_ = top, width_ = width, height_ = height;
  BoundsChanged();
  Invalidate();
}

void TControl::SetClientWidth(int v) {
  SetWidth(width_ - ClientWidth() + v);
}

void TControl::SetClientHeight(int v) {
  SetHeight(height_ - ClientHeight() + v);
}

POINT TControl::ClientOrigin() const {
  if (!parent_) return POINT{left_, top_};
  POINT o = parent_->ClientOrigin();
  return POINT{o.x + left_, o.y + top_};
}

POINT TControl::ClientToScreen(POINT pt) const {
  POINT o = ClientOrigin();
  return POINT{pt.x + o.x, pt.y + o.y};
}

POINT TControl::ScreenToClient(POINT pt) const {
  POINT o = ClientOrigin();
  return POINT{pt.x - o.x, pt.y - o.y};
}

void TControl::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  if (parent_) parent_->Invalidate();
  Perform(CM_VISIBLECHANGED, v);
}

bool TControl::Showing() const {
  return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Changed(CM_ENABLEDCHANGED);
}

void TControl::SetText(std::string_view v) {
  if (text_ == v) return;
  text_ = std::string(v);
  Changed(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor v) {
  if (color_ == v && !parentColor_) return;
  color_ = v;
  parentColor_ = false;
  Changed(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  if (parentColor_ == v) return;
  parentColor_ = v;
  if (v) ApplyParentColor();
}

void TControl::ApplyParentColor() {
  if (!parent_ || !parentColor_) return;
  if (color_ != parent_->Color()) {
    color_ = parent_->Color();
    Changed(CM_COLORCHANGED);
  }
}

void TControl::SetParentFont(bool v) {
  if (parentFont_ == v) return;
  parentFont_ = v;
  if (v) ApplyParentFont();
}

void TControl::ApplyParentFont() {
  if (!parent_ || !parentFont_) return;
  updatingFont_ = true;
  font_->Assign(*parent_->Font());
  updatingFont_ = false;
  Changed(CM_FONTCHANGED);
}

void TControl::FontChanged() {
  // A font set by hand (or by a stored description) is the control's own.
  if (!updatingFont_) parentFont_ = false;
  Changed(CM_FONTCHANGED);
}

void TControl::Changed(UINT cm) {
  Perform(cm);
  Invalidate();
}

void TControl::Invalidate() {
  if (!parent_ || !visible_ || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  p::InvalidateRect(parent_->Handle(), &r, !opaque_);
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

namespace {

TShiftState MouseShift(WPARAM keys) {
  TShiftState s;
  if (keys & p::MK_SHIFT) s.Include(ssShift);
  if (keys & p::MK_CONTROL) s.Include(ssCtrl);
  if (keys & p::MK_LBUTTON) s.Include(ssLeft);
  if (keys & p::MK_RBUTTON) s.Include(ssRight);
  if (keys & p::MK_MBUTTON) s.Include(ssMiddle);
  if (p::GetKeyState(p::VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

}  // namespace

void TControl::WndProc(TMessage& m) {
  const int x = p::GET_X_LPARAM(m.LParam), y = p::GET_Y_LPARAM(m.LParam);
  switch (m.Msg) {
    case p::WM_LBUTTONDOWN:
    case p::WM_LBUTTONDBLCLK:
      if (m.Msg == p::WM_LBUTTONDBLCLK) DblClick();
      clicked_ = true;
      MouseDown(mbLeft, MouseShift(m.WParam), x, y);
      break;
    case p::WM_RBUTTONDOWN:
      MouseDown(mbRight, MouseShift(m.WParam), x, y);
      break;
    case p::WM_MBUTTONDOWN:
      MouseDown(mbMiddle, MouseShift(m.WParam), x, y);
      break;
    case p::WM_LBUTTONUP: {
      bool click = clickEvents_ && clicked_ && x >= 0 && y >= 0 && x < width_ && y < height_;
      clicked_ = false;
      MouseUp(mbLeft, MouseShift(m.WParam), x, y);
      if (click) Click();
      break;
    }
    case p::WM_RBUTTONUP:
      MouseUp(mbRight, MouseShift(m.WParam), x, y);
      // A windowed control hears of the context menu from its window
      // procedure; one without a window asks here, where it was released.
      if (!dynamic_cast<TWinControl*>(this)) {
        const POINT at = ClientToScreen(POINT{x, y});
        Perform(p::WM_CONTEXTMENU, 0, p::MAKELPARAM(at.x, at.y));
        return;
      }
      break;
    case p::WM_KEYDOWN:
    case p::WM_SYSKEYDOWN:
      // Keys the form's menu left alone may be shortcuts of the popup menus
      // of this control and its parents.
      for (TControl* c = this; c; c = c->parent_)
        if (c->popupMenu_ &&
            c->popupMenu_->IsShortCut(ShortCut(int(m.WParam), KeyboardShiftState())))
          return;
      break;
    case p::WM_CONTEXTMENU: {
      const POINT at{p::GET_X_LPARAM(m.LParam), p::GET_Y_LPARAM(m.LParam)};
      if (DoContextPopup(at)) {
        m.Result = 1;
        return;
      }
      // Unanswered, the request goes to the parent, as a window's does.
      if (!dynamic_cast<TWinControl*>(this)) {
        if (parent_) m.Result = parent_->Perform(m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    }
    case p::WM_MBUTTONUP:
      MouseUp(mbMiddle, MouseShift(m.WParam), x, y);
      break;
    case p::WM_MOUSEMOVE:
      MouseMove(MouseShift(m.WParam), x, y);
      break;
    case CM_MOUSEENTER:
      if (!mouseInControl_) {
        mouseInControl_ = true;
        MouseEnter();
      }
      return;
    case CM_MOUSELEAVE:
      if (mouseInControl_) {
        mouseInControl_ = false;
        MouseLeave();
      }
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_) ApplyParentFont();
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_) ApplyParentColor();
      return;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

}  // namespace toolkit
