#include "component/Resource.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Exception.h"

namespace component {

namespace {

std::vector<std::pair<const TResourceEntry*, std::size_t>>& Tables() {
  static std::vector<std::pair<const TResourceEntry*, std::size_t>> tables;
  return tables;
}

}  // namespace

TResourceTable::TResourceTable(const TResourceEntry* entries, std::size_t count)
    : entries_(entries), count_(count) {
  Tables().emplace_back(entries, count);
}

TResourceTable::~TResourceTable() {
  auto& tables = Tables();
  tables.erase(std::remove(tables.begin(), tables.end(), std::make_pair(entries_, count_)),
               tables.end());
}

std::optional<std::string_view> FindResource(std::string_view name) {
  for (const auto& [entries, count] : Tables())
    for (std::size_t i = 0; i < count; ++i)
      if (SameText(entries[i].name, name))
        return std::string_view(entries[i].data, entries[i].size);
  return std::nullopt;
}

std::string_view LoadResource(std::string_view name) {
  if (auto r = FindResource(name)) return *r;
  throw EResNotFound("Resource " + std::string(name) + " not found");
}

}  // namespace component
