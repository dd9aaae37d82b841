// TControl: the base of everything visible. A control has a parent (the
// windowed control it sits in), a position and size in its parent's client
// area, visibility, an enabled state, a colour and a font (each optionally
// taken from the parent), a caption, and mouse handling with click and
// enter/leave notifications. Messages reach a control through WindowProc,
// which a subclass may replace and chain; non-windowed controls get theirs
// from their parent.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "component/Component.h"
#include "platform/base/Types.h"
#include "toolkit/Font.h"
#include "toolkit/Messages.h"
#include "toolkit/Types.h"

namespace toolkit {

using platform::POINT;
using platform::RECT;

class TWinControl;
class TCustomForm;
class TPopupMenu;

using TWndMethod = std::function<void(TMessage&)>;

class TControl : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  explicit TControl(component::TComponent* owner);
  ~TControl() override;

  // --- parent and geometry
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  // Client coordinates of this control to the screen and back.
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v) { align_ = v; }

  // --- state
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and every parent up to a visible window.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  const std::string& Caption() const { return text_; }
  void SetCaption(std::string_view v) { SetText(v); }
  virtual std::string Text() const { return text_; }
  virtual void SetText(std::string_view v);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view v) { hint_ = std::string(v); }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v) { parentShowHint_ = v; }
  bool MouseInControl() const { return mouseInControl_; }
  // The menu a right click or the context-menu key opens over the control
  // (when the menu's AutoPopup is on); null keeps the control's own
  // behaviour. Cleared when the menu is freed.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* v);

  // --- appearance
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* Font() const { return font_.get(); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);

  // --- painting
  virtual void Invalidate();
  virtual void Update();
  void Repaint() {
    Invalidate();
    Update();
  }
  // Opaque controls paint all their area, so the parent need not erase it.
  bool Opaque() const { return opaque_; }

  // --- messages
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void Click();
  // The form passes Alt+letter to its controls until one takes it; a
  // control whose caption has that accelerator acts as if clicked.
  virtual bool DialogChar(char key) {
    (void)key;
    return false;
  }

  // The form this control sits on; null when it is on none.
  TCustomForm* ParentForm() const;

  TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Stored descriptions give the visual parent this way.
  void SetParentComponent(component::TComponent* parent) override;
  component::TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

 protected:
  virtual void WndProc(TMessage& message);
  // What a message that nothing handled comes to.
  virtual void DefaultHandler(TMessage& message) { (void)message; }
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void DblClick();
  // Opens PopupMenu for a WM_CONTEXTMENU at a screen point ((-1, -1) from
  // the keyboard: at the control's top-left corner); false when the control
  // has no menu that opens by itself.
  virtual bool DoContextPopup(POINT screen);
  // A colour, font, text or enabled change that the control shows.
  virtual void Changed(UINT cm);
  virtual void ParentChanged() {}
  void Notification(component::TComponent* component, component::TOperation operation) override;
  // The bounds changed (stored values already updated).
  virtual void BoundsChanged() {}
  void SetBoundsSilently(int left, int top, int width, int height) {
    left_ = left, top_ = top, width_ = width, height_ = height;
  }
  void SetOpaque(bool v) { opaque_ = v; }
  // Whether a left press and release inside fire Click (controls with a
  // click logic of their own turn it off).
  void SetClickEvents(bool v) { clickEvents_ = v; }
  void FontChanged();
  void ApplyParentFont();
  void ApplyParentColor();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool mouseInControl_ = false;
  bool clicked_ = false;  // a left button press that a release inside completes
  std::string text_;

 private:
  friend class TWinControl;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool updatingFont_ = false;
  bool opaque_ = false;
  bool clickEvents_ = true;
  // The control the mouse is over, over all windows: one leaves before the
  // next one is entered.
  static TControl* mouseControl_;
  TAlign align_ = alNone;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TPopupMenu* popupMenu_ = nullptr;
};

}  // namespace toolkit
