#include "skin/frame/SkinSystemMenu.h"

#include "component/ClassBuilder.h"
#include "platform/window/Messages.h"
#include "skin/frame/TitleBarWords.h"

namespace skin {

namespace p = platform;
using toolkit::TMenuItem;

const component::TClassInfo& TSkinSystemMenu::StaticClassInfo() {
  static const component::TClassInfo info =
      component::TClassBuilder<TSkinSystemMenu, toolkit::TPopupMenu>("TSkinSystemMenu").Build();
  return info;
}

TSkinSystemMenu::TSkinSystemMenu(component::TComponent* owner) : TPopupMenu(owner) {
  auto add = [this](std::uint16_t caption, p::WPARAM command) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption ? TitleBarWord(caption) : "-");
    if (command)
      item->OnClick = [this, command](auto*) {
        if (OnCommand) OnCommand(command);
      };
    Items()->Add(item);
    return item;
  };
  ItemRestore = add(sItemRestore, p::SC_RESTORE);
  ItemMove = add(sItemMove, p::SC_MOVE);
  ItemSize = add(sItemSize, p::SC_SIZE);
  ItemMinimize = add(sItemMinimize, p::SC_MINIMIZE);
  ItemMaximize = add(sItemMaximize, p::SC_MAXIMIZE);
  add(0, 0);
  ItemClose = add(sItemClose, p::SC_CLOSE);
}

void TSkinSystemMenu::UpdateItems(const TSystemMenuState& s) {
  using namespace toolkit;
  const bool maxIcon = s.Icons.Contains(biMaximize), minIcon = s.Icons.Contains(biMinimize);
  ItemRestore->SetEnabled(s.WindowState != wsNormal && maxIcon);
  ItemMinimize->SetEnabled(s.WindowState != wsMinimized && minIcon);
  ItemMaximize->SetEnabled(s.WindowState != wsMaximized && maxIcon);
  ItemSize->SetEnabled(s.Style != bsSingle);
  const bool sys = s.Icons.Contains(biSystemMenu);
  ItemMinimize->SetVisible(sys && (s.Style == bsSingle || s.Style == bsSizeable));
  ItemMaximize->SetVisible(sys && s.Style == bsSizeable);
}

}  // namespace skin
