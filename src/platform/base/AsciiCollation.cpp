#include "AsciiCollation.h"

#include <unicode/uset.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "CollationTailoring.h"

namespace platform {

namespace {

// Characters taking part in a contraction or prefix rule depend on their
// neighbours, so they get no simple weight. A rule that needs a character
// outside ASCII never applies to the texts the shortcut takes ("l" followed
// by a middle dot leaves plain "l" alone). False when the set is unknown.
bool MarkContractions(UCollator* collator, std::array<bool, 128>& marked) {
  UErrorCode status = U_ZERO_ERROR;
  USet* contractions = uset_openEmpty();
  ucol_getContractionsAndExpansions(collator, contractions, nullptr, true, &status);
  int32_t items = uset_getItemCount(contractions);
  for (int32_t i = 0; i < items && U_SUCCESS(status); ++i) {
    UChar32 first = 0, last = 0;
    UChar text[32];
    int32_t len = uset_getItem(contractions, i, &first, &last, text, 32, &status);
    if (len == 0) {
      for (UChar32 ch = first; ch <= last && ch < 128; ++ch) marked[ch] = true;
    } else if (len > 32) {
      return false;  // longer than the buffer: the text is unknown
    } else if (std::all_of(text, text + len, [](UChar c) { return c < 128; })) {
      for (int32_t k = 0; k < len; ++k) marked[text[k]] = true;
    }
  }
  uset_close(contractions);
  return U_SUCCESS(status);
}

// The levels of a one-character sort key: primary bytes, 01, secondary, 01,
// tertiary; nothing for a character without exactly one weight of each.
struct Key {
  std::string primary, secondary, tertiary;
};

std::optional<Key> OneCharacterKey(UCollator* collator, UChar ch) {
  uint8_t buffer[64];
  int32_t n = ucol_getSortKey(collator, &ch, 1, buffer, sizeof buffer);
  if (n <= 0 || n > int32_t(sizeof buffer)) return std::nullopt;
  std::string bytes(reinterpret_cast<char*>(buffer), n - 1);  // without the final 00
  size_t s1 = bytes.find('\x01');
  size_t s2 = s1 == std::string::npos ? s1 : bytes.find('\x01', s1 + 1);
  if (s1 == 0 || s2 == std::string::npos) return std::nullopt;  // no primary weight
  Key key{bytes.substr(0, s1), bytes.substr(s1 + 1, s2 - s1 - 1), bytes.substr(s2 + 1)};
  if (key.tertiary.size() != 1) return std::nullopt;  // an expansion
  return key;
}

}  // namespace

void AsciiCollation::Learn(UCollator* collator, bool ignoreCase) {
  usable_ = false;
  ignoreCase_ = ignoreCase;
  primary_.fill(0);
  tertiary_.fill(0);
  std::array<bool, 128> excluded{};
  if (!MarkContractions(collator, excluded)) return;

  std::array<std::optional<Key>, 128> keys;
  UCollationStrength strength = ucol_getStrength(collator);
  ucol_setStrength(collator, UCOL_TERTIARY);
  for (int ch = 0x20; ch < 0x7F; ++ch)
    if (!excluded[ch] && !SpecialCharacterWeight(char16_t(ch)))
      keys[ch] = OneCharacterKey(collator, static_cast<UChar>(ch));
  ucol_setStrength(collator, strength);
  if (!keys['a']) return;

  // Only characters without an accent weight: their second level never decides.
  std::string commonSecondary = keys['a']->secondary;
  std::vector<std::string> primaries;
  for (auto& key : keys) {
    if (key && key->secondary != commonSecondary) key.reset();
    if (key) primaries.push_back(key->primary);
  }
  std::sort(primaries.begin(), primaries.end());
  primaries.erase(std::unique(primaries.begin(), primaries.end()), primaries.end());
  for (int ch = 0; ch < 128; ++ch) {
    if (!keys[ch]) continue;
    auto rank = std::lower_bound(primaries.begin(), primaries.end(), keys[ch]->primary);
    primary_[ch] = static_cast<std::uint8_t>(1 + (rank - primaries.begin()));
    tertiary_[ch] = static_cast<std::uint8_t>(keys[ch]->tertiary[0]);
  }
  usable_ = true;
}

}  // namespace platform
