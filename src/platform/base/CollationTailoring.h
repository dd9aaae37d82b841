// The tailoring that gives text comparison the platform's order on top of a
// locale's own rules: control characters weighed and ordered by code,
// punctuation and symbols in the platform's order, the breve after the
// diaeresis among the accents, "ae"/"oe" ligatures
// weighed as their letters, and, in word sort, hyphen and apostrophe left out
// of the weights (they only break ties; see SpecialCharacterWeight).
#pragma once

#include <string>

namespace platform {

// Collation rules to append to the locale's rules. `primaryLanguage` is the
// language part of the locale identifier.
std::u16string PlatformTailoring(unsigned primaryLanguage, bool wordSort);

// The tie-break weight of a character word sort leaves out (hyphen,
// apostrophe and their full-width forms); 0 for every other character.
inline int SpecialCharacterWeight(char16_t c) {
  switch (c) {
    case u'\'':
      return 1;
    case u'-':
      return 2;
    case u'\uFF07':
      return 3;
    case u'\uFF0D':
      return 4;
    default:
      return 0;
  }
}

}  // namespace platform
