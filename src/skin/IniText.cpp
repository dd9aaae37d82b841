#include "skin/IniText.h"

#include <ini.h>

#include <algorithm>
#include <cstring>

#include "skin/SkinText.h"

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

// Feeds the library one line at a time, so that this side knows the line
// being read: it notes each section header itself (the library says nothing
// of a section without keys) and catches what the library would silently
// cut or split.
struct LineFeed {
  std::string_view text;
  std::size_t pos = 0;
  int line = 0;
  int tooLongLine = 0;
  int nulLine = 0;
  int current = -1;  // index of the section being read, -1 before the first
  TIniText* out = nullptr;

  void NoteHeader(std::string_view stripped) {
    if (stripped.empty() || stripped.front() != '[') return;
    const auto close = stripped.find(']');
    if (close == std::string_view::npos) return;  // the library reports it
    const auto name = TrimBlanks(stripped.substr(1, close - 1));
    for (std::size_t i = 0; i < out->Sections.size(); ++i)
      if (SameText(out->Sections[i].Name, name)) {
        current = int(i);
        return;
      }
    out->Sections.push_back({std::string(name), {}});
    current = int(out->Sections.size()) - 1;
  }
};

char* ReadLine(char* buffer, int size, void* stream) {
  auto& feed = *static_cast<LineFeed*>(stream);
  if (feed.pos >= feed.text.size() || size < 2) return nullptr;
  ++feed.line;
  const auto end = feed.text.find('\n', feed.pos);
  const std::size_t stop = end == std::string_view::npos ? feed.text.size() : end;
  auto line = feed.text.substr(feed.pos, stop - feed.pos);
  feed.pos = stop + 1;
  if (line.find('\0') != std::string_view::npos && feed.nulLine == 0) feed.nulLine = feed.line;
  line.remove_prefix(std::min(line.size(), line.find_first_not_of(" \t")));
  const auto room = std::size_t(size - 1);
  if (line.size() > room) {
    // The library would read the rest as a line of its own.
    if (feed.tooLongLine == 0) feed.tooLongLine = feed.line;
    line = {};
  }
  if (!line.empty()) std::memcpy(buffer, line.data(), line.size());
  buffer[line.size()] = '\0';
  feed.NoteHeader(TrimBlanks(line));
  return buffer;
}

int TakeValue(void* user, const char* /*section*/, const char* name, const char* value) {
  auto& feed = *static_cast<LineFeed*>(user);
  if (feed.current < 0 || name == nullptr) return 1;
  auto& section = feed.out->Sections[std::size_t(feed.current)];
  if (section.Find(name) == nullptr) section.Values.emplace_back(name, value ? value : "");
  return 1;
}

}  // namespace

TIniText ParseIniText(std::string_view text) {
  TIniText ini;
  LineFeed feed;
  feed.text = text;
  feed.out = &ini;
  const int failedLine = ini_parse_stream(ReadLine, &feed, TakeValue, &feed);
  if (feed.nulLine > 0) {
    ini.ErrorLine = feed.nulLine;
    ini.Error = "line " + std::to_string(feed.nulLine) + " holds a NUL byte";
  } else if (feed.tooLongLine > 0) {
    ini.ErrorLine = feed.tooLongLine;
    ini.Error = "line " + std::to_string(feed.tooLongLine) + " is too long";
  } else if (failedLine != 0) {
    ini.ErrorLine = failedLine;
    ini.Error = "line " + std::to_string(failedLine) + " is neither a section, a key nor a comment";
  }
  if (!ini.Ok()) ini.Sections.clear();
  return ini;
}

}  // namespace skin
