#include "StoredCollation.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace platform {

namespace {

std::mutex g_tablesMutex;

std::vector<std::pair<const StoredAsciiCollation*, std::size_t>>& Tables() {
  static std::vector<std::pair<const StoredAsciiCollation*, std::size_t>> tables;
  return tables;
}

}  // namespace

StoredAsciiCollations::StoredAsciiCollations(const StoredAsciiCollation* tables, std::size_t count)
    : tables_(tables), count_(count) {
  std::lock_guard lock(g_tablesMutex);
  Tables().emplace_back(tables, count);
}

StoredAsciiCollations::~StoredAsciiCollations() {
  std::lock_guard lock(g_tablesMutex);
  auto& tables = Tables();
  tables.erase(std::remove(tables.begin(), tables.end(), std::make_pair(tables_, count_)),
               tables.end());
}

const AsciiCollationTable* FindStoredAsciiCollation(LCID resolved, std::uint32_t flags) {
  std::lock_guard lock(g_tablesMutex);
  for (const auto& [tables, count] : Tables())
    for (std::size_t i = 0; i < count; ++i)
      if (tables[i].locale == resolved && tables[i].flags == flags) return &tables[i].table;
  return nullptr;
}

}  // namespace platform
