// Finding a section by name and a section's image piece by role, with the
// pieces a section lacks taken from its ParentClass chain.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinGeneral.h"
#include "skin/data/SkinTables.h"
#include "skin/data/SkinText.h"

namespace skin {

// Index of the first section of that name, ignoring letter case; -1 if none.
int FindSection(const TSkinGeneralDataArray& sections, std::string_view name);

// Index of the first piece of the section with that role, else of its
// parent's, and so on up the ParentClass chain; -1 if none or the section
// index is not valid. An empty ParentClass, one naming the section itself or
// a chain that comes back to a section already searched ends the search.
// Pieces is any sequence of records with SectionName and PropertyName.
template <class Pieces>
int FindMask(const TSkinGeneralDataArray& sections, int sectionIndex, std::string_view sectionName,
             std::string_view propertyName, const Pieces& pieces) {
  std::vector<int> searched;
  std::string name(sectionName);
  while (sectionIndex >= 0 && std::size_t(sectionIndex) < sections.size()) {
    const std::string upper = UpperCase(name);
    int index = 0;
    for (const auto& piece : pieces) {
      if (piece.PropertyName == propertyName && piece.SectionName == upper) return index;
      ++index;
    }
    searched.push_back(sectionIndex);
    const std::string& parent = sections[std::size_t(sectionIndex)].ParentClass;
    if (parent.empty() || SameText(parent, name)) break;
    sectionIndex = FindSection(sections, parent);
    for (int done : searched)
      if (done == sectionIndex) return -1;
    name = parent;
  }
  return -1;
}

// FindMask over the compressed patterns; -1 while the skin is not ready.
inline int FindPattern(const TSkinTables& tables, int sectionIndex, std::string_view sectionName,
                       std::string_view propertyName) {
  if (!tables.Ready) return -1;
  return FindMask(tables.Sections, sectionIndex, sectionName, propertyName, tables.Patterns);
}

}  // namespace skin
