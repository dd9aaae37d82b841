#include "skin/data/IniText.h"

#include <unordered_map>
#include <unordered_set>

#include "skin/data/SkinText.h"

namespace skin {

const std::string* TIniSection::Find(std::string_view key) const {
  for (const auto& [name, value] : Values)
    if (SameText(name, key)) return &value;
  return nullptr;
}

const TIniSection* TIniText::Find(std::string_view name) const {
  for (const auto& section : Sections)
    if (SameText(section.Name, name)) return &section;
  return nullptr;
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// The value after its separator: ";" following a blank starts a remark.
std::string_view ValueText(std::string_view text) {
  text = TrimBlanks(text);
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i] == ';' && IsBlank(text[i - 1])) return TrimBlanks(text.substr(0, i));
  return text;
}

}  // namespace

TIniText ParseIniText(std::string_view text) {
  TIniText ini;
  // Upper-cased name to section: a file of many sections is read in one pass.
  std::unordered_map<std::string, std::size_t> byName;
  std::vector<std::unordered_set<std::string>> keysOf;  // upper-cased, per section
  constexpr std::size_t kNone = std::size_t(-1);
  std::size_t current = kNone;  // an index: the vector grows
  // A damaged file may have a problem on every line: the first few are
  // named, the rest counted.
  constexpr std::size_t kNamedProblems = 20;
  std::size_t unnamed = 0;
  const auto problem = [&](int line, std::string_view why) {
    if (ini.Problems.size() < kNamedProblems)
      ini.Problems.push_back("line " + std::to_string(line) + ": " + std::string(why));
    else
      ++unnamed;
  };
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a UTF-8 mark
  int line = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    ++line;
    const auto end = text.find('\n', pos);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    const std::string_view raw = text.substr(pos, stop - pos);
    pos = stop + 1;
    if (raw.find('\0') != std::string_view::npos) {
      problem(line, "holds a NUL byte");
      continue;
    }
    const std::string_view stripped = TrimBlanks(raw);
    if (stripped.empty() || stripped.front() == ';' || stripped.front() == '#') continue;
    if (stripped.front() == '[') {
      const auto close = stripped.find(']');
      if (close == std::string_view::npos) {
        problem(line, "a section header without ']'");
        current = kNone;
        continue;
      }
      const std::string_view name = TrimBlanks(stripped.substr(1, close - 1));
      const auto [it, added] = byName.try_emplace(UpperCase(name), ini.Sections.size());
      if (added) {
        ini.Sections.push_back({std::string(name), {}});
        keysOf.emplace_back();
      }
      current = it->second;
      continue;
    }
    const auto separator = stripped.find_first_of("=:");
    if (separator == std::string_view::npos) {
      problem(line, "neither a section, a key nor a comment");
      continue;
    }
    if (current == kNone) continue;
    const std::string_view key = TrimBlanks(stripped.substr(0, separator));
    if (keysOf[current].insert(UpperCase(key)).second)
      ini.Sections[current].Values.emplace_back(
          std::string(key), std::string(ValueText(stripped.substr(separator + 1))));
  }
  if (unnamed > 0)
    ini.Problems.push_back("and " + std::to_string(unnamed) + " more lines that could not be read");
  return ini;
}

}  // namespace skin
