#include "skin/frame/TitleBarWords.h"

namespace skin {

std::string TitleBarWord(std::uint16_t id) {
  switch (id) {
    case sHintHelp:
      return "Help";
    case sHintRestore:
      return "Restore";
    case sHintMinimize:
      return "Minimize";
    case sHintMaximize:
      return "Maximize";
    case sHintClose:
      return "Close";
    case sItemClose:
      return "Close";
    case sItemMaximize:
      return "Maximize";
    case sItemMinimize:
      return "Minimize";
    case sItemSize:
      return "Size";
    case sItemMove:
      return "Move";
    case sItemRestore:
      return "Restore";
    default:
      return {};
  }
}

}  // namespace skin
