// What the data-aware editor templates share whatever control they sit on.
#include "component/ClassInfo.h"
#include "dataaware/DataAwareComboBox.h"
#include "dataaware/DataAwareEdit.h"

namespace dataaware {

namespace p = platform;

bool FocusStaysInWindow(p::HWND self, p::HWND next) {
  if (!next) return false;
  return p::GetAncestor(self, p::GA_ROOT) == p::GetAncestor(next, p::GA_ROOT);
}

bool EditorKeyPress(memtable::TFieldDataLink& link, char& key) {
  const auto c = static_cast<unsigned char>(key);
  if (c >= 32 && link.Field() && !memtable::IsValidChar(*link.Field(), key)) {
    p::MessageBeep(0);
    key = 0;
    return false;
  }
  if (c == 8 || c == 0x16 || c == 0x18 || c >= 32) {
    link.Edit();
  } else if (c == 27) {
    link.Reset();
    key = 0;
    return true;
  }
  return false;
}

int IndexOfIgnoringCase(toolkit::TStrings& items, std::string_view text) {
  if (text.empty()) return -1;
  for (int i = 0; i < items.Count(); ++i)
    if (component::SameText(items.Strings(i), text)) return i;
  return -1;
}

}  // namespace dataaware
