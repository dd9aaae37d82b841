#include "toolkit/ResStrings.h"

#include <algorithm>
#include <vector>

namespace toolkit {

namespace {

std::vector<TResStringSource>& Sources() {
  static std::vector<TResStringSource> sources;
  return sources;
}

}  // namespace

void AddResStringSource(TResStringSource source) {
  auto& sources = Sources();
  if (source && std::find(sources.begin(), sources.end(), source) == sources.end())
    sources.push_back(source);
}

std::string LoadResString(std::uint16_t id) {
  for (TResStringSource source : Sources())
    if (std::string text = source(id); !text.empty()) return text;
  return {};
}

}  // namespace toolkit
