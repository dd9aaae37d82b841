#include "records/ProgramStrings.h"

#include "toolkit/ResStrings.h"

namespace records {

std::string LoadResString(std::uint16_t id) {
  switch (id) {
    case rsMaleDog:
      return "Male Dog";
    case rsBitch:
      return "Bitch";
    case rsDeleteRecord:
      return "Delete selected record?";
    case rsConfirm:
      return "Confirm";
    default:
      return toolkit::LoadResString(id);
  }
}

}  // namespace records
