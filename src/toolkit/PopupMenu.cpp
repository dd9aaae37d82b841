#include "toolkit/PopupMenu.h"

#include "component/ClassBuilder.h"
#include "platform/menu/Menu.h"
#include "toolkit/Application.h"
#include "toolkit/Control.h"
#include "toolkit/WinControl.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TPopupAlignment) {
  static const TEnumInfo info("TPopupAlignment", {"paLeft", "paRight", "paCenter"});
  return info;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
  using T = TPopupMenu;
  static const TClassInfo info = TClassBuilder<T, TMenu>("TPopupMenu")
                                     .Property("Alignment", &T::Alignment, &T::SetAlignment)
                                     .Property("AutoPopup", &T::AutoPopup, &T::SetAutoPopup)
                                     .Event("OnPopup", &T::OnPopup)
                                     .Build();
  return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() {
  Destroying();
  *alive_ = false;
  // Freed while it is open (by a handler of a message dispatched meanwhile):
  // the menu closes rather than go on with items that are going away.
  if (tracking_) p::EndMenu();
}

void TPopupMenu::SetPopupComponent(TComponent* v) {
  if (popupComponent_ == v) return;
  popupComponent_ = v;
  // The link is never removed again: it is shared with any other reference
  // between the two (a control naming this menu as its PopupMenu), and a
  // stale one costs no more than a notification that is ignored.
  if (v) v->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

// The window that owns the menu while it is open: the popup component's (or
// the nearest parent's with one), else the main form's, else the active one.
p::HWND TPopupMenu::OwnerWindow() const {
  for (auto* c = dynamic_cast<TControl*>(popupComponent_); c; c = c->Parent()) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && w->HandleAllocated()) return w->Handle();
  }
  if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
    return Application->MainForm()->Handle();
  return p::GetActiveWindow();
}

void TPopupMenu::Popup(int x, int y) {
  if (tracking_ || p::GetTrackedMenu()) return;
  popupPoint_ = p::POINT{x, y};
  std::shared_ptr<bool> alive = alive_;
  if (OnPopup) OnPopup(this);
  if (!*alive) return;
  const p::HWND owner = OwnerWindow();
  if (!owner) return;
  p::UINT flags = p::TPM_RIGHTBUTTON | p::TPM_RETURNCMD;
  if (alignment_ == paRight)
    flags |= p::TPM_RIGHTALIGN;
  else if (alignment_ == paCenter)
    flags |= p::TPM_CENTERALIGN;
  // A menu of its own for this opening: a change of the items while it is
  // open rebuilds Handle(), which must not pull the open one away.
  const p::HMENU menu = Build(Items(), false);
  tracking_ = true;
  const int command = p::TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
  p::DestroyMenu(menu);
  if (!*alive) return;
  tracking_ = false;
  if (command > 0) DispatchCommand(std::uint16_t(command));
}

}  // namespace toolkit
