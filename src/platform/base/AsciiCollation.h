// A shortcut for comparing plain ASCII texts: the characters a collator gives
// one simple weight each are learnt from the collator itself, so texts made
// only of them compare exactly as the collator would compare them, without it.
#pragma once

#include <unicode/ucol.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace platform {

// A learnt table in a form that can be compiled into a program, so a start
// that only compares plain ASCII texts needs no collator at all.
struct AsciiCollationTable {
  bool ignoreCase = false;
  std::array<std::uint8_t, 128> primary{};
  std::array<std::uint8_t, 128> tertiary{};
};

class AsciiCollation {
 public:
  // Learns the weights of `collator` (left as it was found). `usable()` stays
  // false when the collator gives even the letter "a" no simple weight.
  void Learn(UCollator* collator, bool ignoreCase);
  bool usable() const { return usable_; }

  // The learnt weights of a usable table, and a table taken back from them.
  AsciiCollationTable Table() const { return {ignoreCase_, primary_, tertiary_}; }
  void Restore(const AsciiCollationTable& table) {
    usable_ = true;
    ignoreCase_ = table.ignoreCase;
    primary_ = table.primary;
    tertiary_ = table.tertiary;
  }

  // True when every character of the text has a simple weight.
  template <typename Char>
  bool Covers(const Char* s, std::size_t n) const {
    for (std::size_t i = 0; i < n; ++i) {
      auto ch = static_cast<std::make_unsigned_t<Char>>(s[i]);
      if (ch >= 128 || primary_[ch] == 0) return false;
    }
    return true;
  }

  // The collator's order of two covered texts (negative, 0, positive): the
  // letters' primary weights first, then, unless case is ignored, the first
  // difference in case; both from the left.
  template <typename Char>
  int Compare(const Char* a, std::size_t na, const Char* b, std::size_t nb) const {
    std::size_t n = std::min(na, nb);
    int tertiary = 0;
    for (std::size_t i = 0; i < n; ++i) {
      auto x = static_cast<std::make_unsigned_t<Char>>(a[i]);
      auto y = static_cast<std::make_unsigned_t<Char>>(b[i]);
      if (x == y) continue;
      if (primary_[x] != primary_[y]) return int(primary_[x]) - int(primary_[y]);
      if (tertiary == 0) tertiary = int(tertiary_[x]) - int(tertiary_[y]);
    }
    if (na != nb) return na < nb ? -1 : 1;
    return ignoreCase_ ? 0 : tertiary;
  }

 private:
  bool usable_ = false;
  bool ignoreCase_ = false;
  std::array<std::uint8_t, 128> primary_{};   // rank of the primary weight; 0: not covered
  std::array<std::uint8_t, 128> tertiary_{};  // the case weight byte
};

}  // namespace platform
