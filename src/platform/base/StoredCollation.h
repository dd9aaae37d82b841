// Comparison tables learnt when the program is built. Learning the ASCII
// shortcut (AsciiCollation.h) means building the locale's tailored collator,
// which costs far more than the rest of a start; with the table compiled in,
// a comparer for that locale and those flags opens its collator only when a
// text outside the table first needs it. The build tool makes the tables
// with LearnAsciiCollation, so they are the run-time learning's own result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "AsciiCollation.h"
#include "LocaleServices.h"

namespace platform {

struct StoredAsciiCollation {
  LCID locale;  // resolved: no default or neutral identifier
  std::uint32_t flags;
  AsciiCollationTable table;
};

// Keeps the tables findable while it exists (a static object of the
// generated source).
class StoredAsciiCollations {
 public:
  StoredAsciiCollations(const StoredAsciiCollation* tables, std::size_t count);
  ~StoredAsciiCollations();
  StoredAsciiCollations(const StoredAsciiCollations&) = delete;
  StoredAsciiCollations& operator=(const StoredAsciiCollations&) = delete;

 private:
  const StoredAsciiCollation* tables_;
  std::size_t count_;
};

// The stored table for a resolved locale and flags; null when none is.
const AsciiCollationTable* FindStoredAsciiCollation(LCID resolved, std::uint32_t flags);

// Learns the table now, opening the collator: nullopt when the locale is
// unknown or its collator gives no usable table.
std::optional<AsciiCollationTable> LearnAsciiCollation(LCID locale, std::uint32_t flags);

}  // namespace platform
