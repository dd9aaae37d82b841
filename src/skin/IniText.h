// The sections and keys of an ini-format text, read by the ini library and
// kept in file order, for the skin readers to look up by name.
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
  std::string Error;                  // empty when the whole text was read
  int ErrorLine = 0;                  // 1-based line of Error

  // The section of that name, ignoring letter case; nullptr when absent.
  const TIniSection* Find(std::string_view name) const;
  bool Ok() const { return Error.empty(); }
};

// Reads the text line by line. Blanks in front of a line are not
// significant (no line continues the one above). A section named twice is
// one section, and a key given twice keeps its first value. Keys ahead of
// the first section belong to none and are dropped. A line that is neither
// a section, a key nor a comment, a line longer than the ini library reads
// whole (199 characters, not counting blanks in front) and a NUL byte are
// errors: the text is then reported as not readable, never read in part.
TIniText ParseIniText(std::string_view text);

}  // namespace skin
