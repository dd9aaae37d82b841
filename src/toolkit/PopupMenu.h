// TPopupMenu: a menu that opens at a point, most often where a control was
// right-clicked (TControl::PopupMenu). Its items are held and stored like
// those of the menu bar; the chosen one, in a submenu or not, is clicked
// once the menu has closed.
#pragma once

#include <memory>

#include "toolkit/Menus.h"

namespace toolkit {

// Where the menu lies relative to the point it opens at.
enum TPopupAlignment { paLeft, paRight, paCenter };
const component::TEnumInfo& EnumInfo(TPopupAlignment);

class TPopupMenu : public TMenu {
 public:
  COMPONENT_CLASS_INFO()

  explicit TPopupMenu(component::TComponent* owner);
  ~TPopupMenu() override;

  // Whether a right click (or the context-menu key) on a control that names
  // this menu opens it.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  // paLeft: the menu's left edge at the point; paRight: its right edge;
  // paCenter: centred on it.
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment v) { alignment_ = v; }

  // The control the menu was last opened for; null once that one is freed.
  component::TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(component::TComponent* v);
  // The screen point the menu was last opened at.
  platform::POINT PopupPoint() const { return popupPoint_; }

  // Fires OnPopup, shows the menu at a screen point and runs it until the
  // user chooses or cancels; then clicks the chosen item. Nothing happens
  // while another menu is open.
  virtual void Popup(int x, int y);
  // Fired before the menu shows, so items can be changed for this opening.
  TNotifyEvent OnPopup;

 protected:
  void Notification(component::TComponent* component, component::TOperation operation) override;

 private:
  platform::HWND OwnerWindow() const;

  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
  component::TComponent* popupComponent_ = nullptr;
  platform::POINT popupPoint_{};
  bool tracking_ = false;
  // Cleared when the menu is freed: a click handler may free it, or a
  // message dispatched while it is open.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace toolkit
