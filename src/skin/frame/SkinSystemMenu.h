// The system menu of a skinned window: restore, move, size, minimize,
// maximize and close, enabled and shown as the window's state and border
// allow.
#pragma once

#include <functional>

#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

namespace skin {

// What decides the items' states.
struct TSystemMenuState {
  toolkit::TFormBorderStyle Style = toolkit::bsSizeable;
  toolkit::TBorderIcons Icons{toolkit::biSystemMenu, toolkit::biMinimize, toolkit::biMaximize};
  toolkit::TWindowState WindowState = toolkit::wsNormal;
};

class TSkinSystemMenu : public toolkit::TPopupMenu {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinSystemMenu(component::TComponent* owner);

  toolkit::TMenuItem* ItemRestore = nullptr;
  toolkit::TMenuItem* ItemMove = nullptr;
  toolkit::TMenuItem* ItemSize = nullptr;
  toolkit::TMenuItem* ItemMinimize = nullptr;
  toolkit::TMenuItem* ItemMaximize = nullptr;
  toolkit::TMenuItem* ItemClose = nullptr;

  // Enables and shows the items for the window as it is now.
  void UpdateItems(const TSystemMenuState& state);

  // The system command each item gives (SC_RESTORE, ...); set before Popup.
  std::function<void(platform::WPARAM command)> OnCommand;
};

}  // namespace skin
