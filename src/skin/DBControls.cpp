#include "skin/DBControls.h"

#include "component/ClassBuilder.h"

namespace skin {

using component::TClassBuilder;
using component::TClassInfo;
namespace p = platform;

bool FocusStaysInWindow(p::HWND self, p::HWND next) {
  if (!next) return false;
  return p::GetAncestor(self, p::GA_ROOT) == p::GetAncestor(next, p::GA_ROOT);
}

int IndexOfIgnoringCase(toolkit::TStrings& items, std::string_view text) {
  if (text.empty()) return -1;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
  for (int i = 0; i < items.Count(); ++i) {
    const std::string& s = items.Strings(i);
    if (s.size() != text.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < s.size() && same; ++k) same = upper(s[k]) == upper(text[k]);
    if (same) return i;
  }
  return -1;
}

const TClassInfo& TDBEdit::StaticClassInfo() {
  using T = TDBEdit;
  static const TClassInfo info = TClassBuilder<T, toolkit::TEdit>("TDBEdit")
                                     .Property("DataField", &T::DataField, &T::SetDataField)
                                     .Property("DataSource", &T::DataSource, &T::SetDataSource)
                                     .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
                                     .Build();
  return info;
}

const TClassInfo& TDBComboBox::StaticClassInfo() {
  using T = TDBComboBox;
  static const TClassInfo info = TClassBuilder<T, toolkit::TComboBox>("TDBComboBox")
                                     .Property("DataField", &T::DataField, &T::SetDataField)
                                     .Property("DataSource", &T::DataSource, &T::SetDataSource)
                                     .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
                                     .Build();
  return info;
}

}  // namespace skin
