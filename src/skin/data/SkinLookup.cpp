#include "skin/data/SkinLookup.h"

namespace skin {

int FindSection(const TSkinGeneralDataArray& sections, std::string_view name) {
  for (std::size_t i = 0; i < sections.size(); ++i)
    if (SameText(sections[i].SectionName, name)) return int(i);
  return -1;
}

}  // namespace skin
