#include "CollationTailoring.h"

namespace platform {

namespace {

// ASCII punctuation and symbols in the platform's order, from the first after
// the white space to the last before the digits.
constexpr char16_t kSymbolOrder[] = u" !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

void AppendQuoted(std::u16string& rules, char16_t c) {
  if (c == u'\'') {
    rules += u"''";
    return;
  }
  rules += u'\'';
  rules += c;
  rules += u'\'';
}

bool KeepsLigaturesAsLetters(unsigned primaryLanguage) {
  // Danish, Norwegian, Icelandic, Faroese, Swedish and Finnish sort these as
  // letters of their own.
  switch (primaryLanguage) {
    case 0x06:
    case 0x14:
    case 0x0F:
    case 0x38:
    case 0x1D:
    case 0x0B:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::u16string PlatformTailoring(unsigned primaryLanguage, bool wordSort) {
  std::u16string rules;
  // Control characters (except the white space ones) are weighed, each apart,
  // before every white space character.
  rules += u" &[before 1]'\t'";
  for (char16_t c = 0x01; c <= 0x9F; ++c) {
    bool control = c < 0x09 || (c >= 0x0E && c < 0x20) || c >= 0x7F;
    if (!control || c == 0x85) continue;
    rules += u" < ";
    AppendQuoted(rules, c);
  }
  rules += u" &'\r'";
  if (!wordSort) {
    // In string sort hyphen and apostrophe are the first symbols.
    rules += u" < '' < '-'";
  }
  for (const char16_t* p = kSymbolOrder; *p; ++p) {
    rules += u" < ";
    AppendQuoted(rules, *p);
  }
  if (wordSort) rules += u" &[last tertiary ignorable] = '' = '-' = '\uFF07' = '\uFF0D'";
  // The breve weighs after the diaeresis, so u with diaeresis comes before
  // u with breve.
  rules += u" &\u0308 << \u0306";
  if (!KeepsLigaturesAsLetters(primaryLanguage))
    rules += u" &ae = \u00E6 &AE = \u00C6 &oe = \u0153 &OE = \u0152";
  return rules;
}

}  // namespace platform
