#include "skin/FrameStrings.h"

namespace skin {

std::string FrameString(std::uint16_t id) {
  switch (id) {
    case kStrHintHelp:
      return "Help";
    case kStrHintRestore:
    case kStrItemRestore:
      return "Restore";
    case kStrHintMinimize:
    case kStrItemMinimize:
      return "Minimize";
    case kStrHintMaximize:
    case kStrItemMaximize:
      return "Maximize";
    case kStrHintClose:
    case kStrItemClose:
      return "Close";
    case kStrItemSize:
      return "Size";
    case kStrItemMove:
      return "Move";
    default:
      return {};
  }
}

}  // namespace skin
