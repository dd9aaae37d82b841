// The sections and keys of an ini-format text, kept in file order, for the
// skin readers to look up by name.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

struct TIniSection {
  std::string Name;                                         // as written, blanks trimmed
  std::vector<std::pair<std::string, std::string>> Values;  // key, value; in file order

  // The value of a key, ignoring letter case; nullptr when absent.
  const std::string* Find(std::string_view key) const;
};

struct TIniText {
  std::vector<TIniSection> Sections;  // in file order, each name once
  // Lines that could not be read, as "line N: why"; each was skipped and
  // the rest of the text read.
  std::vector<std::string> Problems;

  // The section of that name, ignoring letter case; nullptr when absent.
  const TIniSection* Find(std::string_view name) const;
};

// Reads the text line by line, lines of any length. Blanks around a line
// are not significant (no line continues the one above); ";" and "#" start
// a comment line, and ";" after a blank ends a value. A section named twice
// is one section, and a key given twice keeps its first value. Keys ahead
// of the first section belong to none and are dropped. A line that is
// neither a section, a key nor a comment, or that holds a NUL byte, is
// skipped and noted, as are the keys under a section header that does not
// close (they belong to no section that could be named).
TIniText ParseIniText(std::string_view text);

}  // namespace skin
