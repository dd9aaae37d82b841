#include "LocaleServices.h"

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "AnsiCodePage.h"
#include "AsciiCollation.h"
#include "CollationTailoring.h"
#include "LastError.h"
#include "StoredCollation.h"

namespace platform {

namespace {

struct CollatorDeleter {
  void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorDeleter>;

// Everything one (locale, flags) pair compares with.
struct Comparer {
  // Opened at creation, or, when the ASCII table was compiled in, by the
  // first text the table does not cover (CollatorOf).
  CollatorPtr collator;
  std::once_flag opening;
  std::string icuName;
  LCID resolved = 0;
  std::uint32_t flags = 0;
  unsigned codePage = 1252;
  const AnsiByteTable* bytes = nullptr;  // null for double-byte code pages
  bool wordSort = true;
  AsciiCollation ascii;  // the shortcut for plain ASCII texts
};

std::mutex g_mutex;
std::optional<LCID> g_userDefault;
// Key: resolved LCID in the low 32 bits, flags above. A null entry remembers
// an identifier ICU does not know, so repeated failures stay cheap.
// Entries are never removed: a resolved identifier always means the same
// locale, and threads keep pointers to them.
std::unordered_map<std::uint64_t, std::unique_ptr<Comparer>> g_comparers;
// Bumped when the user default may have changed, so per-thread caches of
// "identifier as given -> comparer" start over.
std::atomic<unsigned> g_generation{0};

std::string PosixLocaleFromEnvironment(std::initializer_list<const char*> vars) {
  for (const char* var : vars) {
    const char* value = std::getenv(var);
    if (value && *value) return value;
  }
  return {};
}

// "de_DE.UTF-8@euro" -> "de_DE"; "C"/"POSIX"/empty -> "".
std::string StripPosixLocale(std::string name) {
  auto cut = name.find_first_of(".@");
  if (cut != std::string::npos) name.resize(cut);
  if (name == "C" || name == "POSIX") return {};
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

LCID UserDefaultLocked() {
  if (!g_userDefault) {
    LCID id = 0x0409;
    std::string name =
        StripPosixLocale(PosixLocaleFromEnvironment({"LC_ALL", "LC_COLLATE", "LANG"}));
    if (!name.empty()) {
      uint32_t found = uloc_getLCID(name.c_str());
      if (found != 0) id = found;
    }
    g_userDefault = id;
  }
  return *g_userDefault;
}

// Maps the default and neutral identifiers to a concrete locale; 0 for a
// malformed identifier.
LCID ResolveLocked(LCID locale) {
  if (locale >> 20) return 0;  // reserved bits set
  LANGID lang = locale & 0xFFFF;
  unsigned sort = (locale >> 16) & 0xF;
  if (lang == 0 || lang == LOCALE_USER_DEFAULT || lang == LOCALE_SYSTEM_DEFAULT) {
    if (sort != 0) return 0;
    return UserDefaultLocked();
  }
  return locale;
}

std::string IcuNameForResolved(LCID resolved) {
  if (resolved == LOCALE_INVARIANT) return "root";
  char buffer[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = uloc_getLocaleForLCID(resolved, buffer, sizeof buffer, &status);
  if (U_FAILURE(status) || length <= 0) return {};
  return std::string(buffer, length);
}

constexpr std::uint32_t kKnownFlags =
    NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS | SORT_DIGITSASNUMBERS |
    LINGUISTIC_IGNORECASE | LINGUISTIC_IGNOREDIACRITIC | SORT_STRINGSORT | NORM_IGNOREKANATYPE |
    NORM_IGNOREWIDTH | NORM_LINGUISTIC_CASING;

// The rules a locale's comparison starts from. Turkish keeps the common
// order: i and I are one letter, the dotless i a letter after it and the
// dotted capital I an accented I, rather than the case pairs of Turkish
// spelling.
std::string CollationBaseName(const std::string& name, LCID resolved) {
  return (resolved & 0x3FF) == 0x1F ? std::string("root") : name;
}

CollatorPtr OpenTailoredCollator(const std::string& name, LCID resolved, bool wordSort) {
  UErrorCode status = U_ZERO_ERROR;
  CollatorPtr base(ucol_open(CollationBaseName(name, resolved).c_str(), &status));
  if (U_FAILURE(status) || !base) return nullptr;
  int32_t length = 0;
  const UChar* own = ucol_getRules(base.get(), &length);
  std::u16string rules(reinterpret_cast<const char16_t*>(own), length);
  rules += PlatformTailoring(resolved & 0x3FF, wordSort);
  UParseError error;
  status = U_ZERO_ERROR;
  CollatorPtr tailored(ucol_openRules(reinterpret_cast<const UChar*>(rules.data()),
                                      static_cast<int32_t>(rules.size()), UCOL_ON,
                                      UCOL_DEFAULT_STRENGTH, &error, &status));
  // Should a locale's own rules clash with the tailoring, its plain order
  // is still a sound order.
  if (U_FAILURE(status) || !tailored) return base;
  return tailored;
}

void ApplyFlags(UCollator* collator, LCID resolved, std::uint32_t flags) {
  UErrorCode status = U_ZERO_ERROR;
  bool ignoreCase = flags & (NORM_IGNORECASE | LINGUISTIC_IGNORECASE);
  bool ignoreAccents = flags & (NORM_IGNORENONSPACE | LINGUISTIC_IGNOREDIACRITIC);
  // Accents are the second level and case the third.
  UCollationStrength strength = ignoreAccents ? UCOL_PRIMARY
                                : ignoreCase  ? UCOL_SECONDARY
                                              : UCOL_TERTIARY;
  ucol_setStrength(collator, strength);
  if (ignoreAccents && !ignoreCase) ucol_setAttribute(collator, UCOL_CASE_LEVEL, UCOL_ON, &status);
  ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
  // Scripts keep their common order (Latin, Greek, Cyrillic, ...) whatever
  // the locale; none moves its own script first.
  ucol_setReorderCodes(collator, nullptr, 0, &status);
  if ((resolved & 0x3FF) == 0x0C)  // French weighs the last accent first
    ucol_setAttribute(collator, UCOL_FRENCH_COLLATION, UCOL_ON, &status);
  if (flags & SORT_DIGITSASNUMBERS)
    ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
  if (flags & NORM_IGNORESYMBOLS) {
    ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, &status);
    ucol_setMaxVariable(collator, UCOL_REORDER_CODE_CURRENCY, &status);
  }
}

CollatorPtr OpenCollator(const std::string& name, LCID resolved, std::uint32_t flags) {
  CollatorPtr collator =
      name.empty() ? nullptr : OpenTailoredCollator(name, resolved, !(flags & SORT_STRINGSORT));
  if (collator) ApplyFlags(collator.get(), resolved, flags);
  return collator;
}

std::unique_ptr<Comparer> NewComparer(std::string name, LCID resolved, std::uint32_t flags) {
  auto comparer = std::make_unique<Comparer>();
  comparer->icuName = std::move(name);
  comparer->resolved = resolved;
  comparer->flags = flags;
  comparer->codePage = AnsiCodePageForLocale(resolved);
  comparer->bytes = SingleByteTable(comparer->codePage);
  comparer->wordSort = !(flags & SORT_STRINGSORT) && !(flags & NORM_IGNORESYMBOLS);
  return comparer;
}

// The shortcut knows primary weights and case only.
bool AsciiShortcutFits(std::uint32_t flags) {
  constexpr std::uint32_t kAsciiFlags =
      NORM_IGNORECASE | LINGUISTIC_IGNORECASE | SORT_STRINGSORT | NORM_LINGUISTIC_CASING;
  return !(flags & ~kAsciiFlags);
}

void LearnAscii(Comparer& c) {
  if (AsciiShortcutFits(c.flags))
    c.ascii.Learn(c.collator.get(), c.flags & (NORM_IGNORECASE | LINGUISTIC_IGNORECASE));
}

// The comparer's collator, opened now if it was left for later; null when
// it cannot be opened.
UCollator* CollatorOf(Comparer& c) {
  std::call_once(c.opening, [&] {
    if (!c.collator) c.collator = OpenCollator(c.icuName, c.resolved, c.flags);
  });
  return c.collator.get();
}

Comparer* ComparerLocked(LCID locale, std::uint32_t flags) {
  LCID resolved = ResolveLocked(locale);
  if (resolved == 0) return nullptr;
  std::uint64_t key = (std::uint64_t(flags) << 32) | resolved;
  auto it = g_comparers.find(key);
  if (it != g_comparers.end()) return it->second.get();

  std::unique_ptr<Comparer> comparer;
  std::string name = IcuNameForResolved(resolved);
  const AsciiCollationTable* stored = name.empty() || !AsciiShortcutFits(flags)
                                          ? nullptr
                                          : FindStoredAsciiCollation(resolved, flags);
  if (stored) {
    // Known at build time to open; the collator waits for a text that needs it.
    comparer = NewComparer(std::move(name), resolved, flags);
    comparer->ascii.Restore(*stored);
  } else if (CollatorPtr collator = OpenCollator(name, resolved, flags)) {
    comparer = NewComparer(std::move(name), resolved, flags);
    comparer->collator = std::move(collator);
    LearnAscii(*comparer);
  }
  Comparer* raw = comparer.get();
  g_comparers.emplace(key, std::move(comparer));
  return raw;
}

// The comparer for (locale, flags), remembered per thread so the common case
// of one table comparing many texts takes no lock.
Comparer* FindComparer(LCID locale, std::uint32_t flags) {
  struct Last {
    LCID locale = 0;
    std::uint32_t flags = 0;
    unsigned generation = ~0u;
    Comparer* comparer = nullptr;
  };
  thread_local Last last;
  unsigned generation = g_generation.load(std::memory_order_acquire);
  if (last.generation == generation && last.locale == locale && last.flags == flags)
    return last.comparer;
  Comparer* comparer;
  {
    std::lock_guard lock(g_mutex);
    comparer = ComparerLocked(locale, flags);
  }
  last = {locale, flags, generation, comparer};
  return comparer;
}

int ToResult(int order) {
  return order < 0 ? CSTR_LESS_THAN : order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

bool IsUnweighted(UChar32 cp) {
  return cp == 0xFFFD || u_charType(cp) == U_UNASSIGNED;
}

// Unpaired surrogates weigh, each apart, after every ideograph: they stand
// in for unassigned code points of plane 14, which the collator weighs last.
constexpr UChar32 kLoneSurrogateStandIn = 0xE0800;

// Half-width katakana, with the half-width voiced sound marks.
bool IsHalfWidthKana(UChar32 cp) {
  return cp >= 0xFF66 && cp <= 0xFF9F;
}

// The spacing voiced sound marks weigh as their combining forms.
UChar32 CombiningSoundMark(UChar32 cp) {
  return cp == 0x309B ? 0x3099 : cp == 0x309C ? 0x309A : cp;
}

// Katakana weighs as the hiragana of the same sound; what tells them apart
// (and half from full width) is weighed after everything else.
UChar32 HiraganaOf(UChar32 cp) {
  return cp >= 0x30A1 && cp <= 0x30F6 ? cp - 0x60 : cp;
}

void AppendCodePoint(std::u16string& out, UChar32 cp) {
  if (cp >= 0x10000) {
    out += char16_t(U16_LEAD(cp));
    out += char16_t(U16_TRAIL(cp));
  } else {
    out += char16_t(cp);
  }
}

// Copies the text for the collator: what has no weight left out, lone
// surrogates given their place, kana folded to hiragana of full width and
// other widths folded as the flags ask. Returns false (and copies nothing)
// when the text needs none of it.
bool Prepare(const Comparer& c, const char16_t* s, size_t n, std::u16string& out) {
  bool foldWidth = c.flags & NORM_IGNOREWIDTH;
  size_t i = 0;
  // Everything below the Greek block is assigned and needs no folding.
  while (i < n && s[i] < 0x0370) ++i;
  if (i == n) return false;
  out.assign(s, i);
  const UNormalizer2* compat = nullptr;
  while (i < n) {
    UChar32 cp;
    U16_NEXT(s, i, n, cp);
    if (U_IS_SURROGATE(cp)) {
      AppendCodePoint(out, kLoneSurrogateStandIn + (cp - 0xD800));
      continue;
    }
    if (IsUnweighted(cp)) continue;
    if (foldWidth && cp >= 0xFF01 && cp <= 0xFF5E) {
      cp -= 0xFEE0;
    } else if (foldWidth && cp == 0x3000) {
      cp = 0x20;
    } else if (IsHalfWidthKana(cp) || (foldWidth && cp >= 0xFF61 && cp <= 0xFFEE)) {
      UErrorCode status = U_ZERO_ERROR;
      if (!compat) compat = unorm2_getNFKCInstance(&status);
      UChar mapped[8];
      int32_t len = compat ? unorm2_getDecomposition(compat, cp, mapped, 8, &status) : -1;
      if (U_SUCCESS(status) && len > 0 && len <= 8) {
        for (int32_t k = 0; k < len; ++k) AppendCodePoint(out, HiraganaOf(mapped[k]));
        continue;
      }
    }
    AppendCodePoint(out, HiraganaOf(CombiningSoundMark(cp)));
  }
  return true;
}

// Word sort's tie-break between texts otherwise equal: the hyphens and
// apostrophes, by position and kind; a text without any comes first.
int CompareSpecials(const char16_t* a, size_t na, const char16_t* b, size_t nb) {
  size_t i = 0, j = 0;
  for (;;) {
    while (i < na && !SpecialCharacterWeight(a[i])) ++i;
    while (j < nb && !SpecialCharacterWeight(b[j])) ++j;
    if (i == na || j == nb) return ToResult((i < na) - (j < nb));
    if (i != j) return ToResult(i < j ? -1 : 1);
    int d = SpecialCharacterWeight(a[i]) - SpecialCharacterWeight(b[j]);
    if (d) return ToResult(d);
    ++i;
    ++j;
  }
}

// The form of a kana letter as the tie-break weighs it: half-width katakana
// (0), full-width katakana (1), hiragana (2); -1 for anything else. The
// flags that ignore kana type or width merge the forms they name.
int KanaForm(char16_t c, std::uint32_t flags) {
  int form;
  if (c >= 0xFF66 && c <= 0xFF9D)
    form = 0;
  else if (c >= 0x30A1 && c <= 0x30FA)
    form = 1;
  else if (c >= 0x3041 && c <= 0x3096)
    form = 2;
  else
    return -1;
  if (flags & NORM_IGNOREKANATYPE) form = std::min(form, 1);
  if ((flags & NORM_IGNOREWIDTH) && form == 0) form = 1;
  return form;
}

// Texts otherwise equal are told apart by the form of their kana letters,
// at the first letter where the forms differ: katakana before hiragana,
// half width before full width.
int CompareKanaForms(const char16_t* a, size_t na, const char16_t* b, size_t nb,
                     std::uint32_t flags) {
  size_t i = 0, j = 0;
  for (;;) {
    while (i < na && KanaForm(a[i], flags) < 0) ++i;
    while (j < nb && KanaForm(b[j], flags) < 0) ++j;
    if (i == na || j == nb) return CSTR_EQUAL;
    if (int d = KanaForm(a[i], flags) - KanaForm(b[j], flags)) return ToResult(d);
    ++i;
    ++j;
  }
}

int CompareWide(Comparer& c, const char16_t* a, size_t na, const char16_t* b, size_t nb) {
  UCollator* collator = CollatorOf(c);
  if (!collator) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  thread_local std::u16string bufferA, bufferB;
  const char16_t *givenA = a, *givenB = b;
  const size_t givenNA = na, givenNB = nb;
  if (Prepare(c, a, na, bufferA)) {
    a = bufferA.data();
    na = bufferA.size();
  }
  if (Prepare(c, b, nb, bufferB)) {
    b = bufferB.data();
    nb = bufferB.size();
  }
  UCollationResult r =
      ucol_strcoll(collator, reinterpret_cast<const UChar*>(a), static_cast<int32_t>(na),
                   reinterpret_cast<const UChar*>(b), static_cast<int32_t>(nb));
  if (r != UCOL_EQUAL) return r == UCOL_LESS ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
  int kana = CompareKanaForms(givenA, givenNA, givenB, givenNB, c.flags);
  if (kana != CSTR_EQUAL) return kana;
  return c.wordSort ? CompareSpecials(a, na, b, nb) : CSTR_EQUAL;
}

// Checks the arguments every comparison shares; the comparer, or null with
// the last-error value set.
Comparer* CheckedComparer(LCID locale, std::uint32_t flags, const void* s1, int len1,
                          const void* s2, int len2) {
  if (!s1 || !s2 || len1 < -1 || len2 < -1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (flags & ~kKnownFlags) {
    SetLastError(ERROR_INVALID_FLAGS);
    return nullptr;
  }
  Comparer* c = FindComparer(locale, flags);
  if (!c) SetLastError(ERROR_INVALID_PARAMETER);
  return c;
}

void Widen(const Comparer& c, const char* s, size_t n, std::u16string& out) {
  out.clear();
  if (c.bytes) {
    out.resize(n);
    for (size_t i = 0; i < n; ++i) out[i] = (*c.bytes)[static_cast<unsigned char>(s[i])];
  } else {
    AppendAnsiText(c.codePage, s, n, out);
  }
}

// The text ends at its first NUL whatever the length says: a count larger
// than the text must never lead the comparison into the memory after it.
template <typename Char>
size_t TextLength(const Char* s, int len) {
  size_t n = 0;
  if (len < 0) {
    while (s[n]) ++n;
  } else {
    while (n < size_t(len) && s[n]) ++n;
  }
  return n;
}

}  // namespace

int CompareStringA(LCID locale, std::uint32_t flags, const char* s1, int len1, const char* s2,
                   int len2) {
  Comparer* c = CheckedComparer(locale, flags, s1, len1, s2, len2);
  if (!c) return 0;
  size_t n1 = TextLength(s1, len1);
  size_t n2 = TextLength(s2, len2);
  // ASCII bytes read the same in every single-byte code page.
  if (c->ascii.usable() && c->bytes && c->ascii.Covers(s1, n1) && c->ascii.Covers(s2, n2))
    return ToResult(c->ascii.Compare(s1, n1, s2, n2));
  thread_local std::u16string wideA, wideB;
  Widen(*c, s1, n1, wideA);
  Widen(*c, s2, n2, wideB);
  return CompareWide(*c, wideA.data(), wideA.size(), wideB.data(), wideB.size());
}

int CompareStringW(LCID locale, std::uint32_t flags, const char16_t* s1, int len1,
                   const char16_t* s2, int len2) {
  Comparer* c = CheckedComparer(locale, flags, s1, len1, s2, len2);
  if (!c) return 0;
  size_t n1 = TextLength(s1, len1);
  size_t n2 = TextLength(s2, len2);
  if (c->ascii.usable() && c->ascii.Covers(s1, n1) && c->ascii.Covers(s2, n2))
    return ToResult(c->ascii.Compare(s1, n1, s2, n2));
  return CompareWide(*c, s1, n1, s2, n2);
}

std::optional<AsciiCollationTable> LearnAsciiCollation(LCID locale, std::uint32_t flags) {
  std::string name;
  LCID resolved;
  {
    std::lock_guard lock(g_mutex);
    resolved = ResolveLocked(locale);
    if (resolved == 0) return std::nullopt;
    name = IcuNameForResolved(resolved);
  }
  if (!AsciiShortcutFits(flags)) return std::nullopt;
  auto comparer = NewComparer(name, resolved, flags);
  comparer->collator = OpenCollator(name, resolved, flags);
  if (!comparer->collator) return std::nullopt;
  LearnAscii(*comparer);
  if (!comparer->ascii.usable()) return std::nullopt;
  return comparer->ascii.Table();
}

bool IsValidLocale(LCID locale) {
  std::lock_guard lock(g_mutex);
  return ComparerLocked(locale, 0) != nullptr;
}

LCID GetUserDefaultLCID() {
  std::lock_guard lock(g_mutex);
  return UserDefaultLocked();
}

std::string LocaleNameFromLCID(LCID locale) {
  std::lock_guard lock(g_mutex);
  LCID resolved = ResolveLocked(locale);
  return resolved ? IcuNameForResolved(resolved) : std::string();
}

void ResetLocaleCache() {
  std::lock_guard lock(g_mutex);
  g_userDefault.reset();
  g_generation.fetch_add(1, std::memory_order_release);
}

}  // namespace platform
