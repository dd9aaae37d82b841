// Recorded answers of the platform's text comparison, many pairs per locale.
#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "platform/base/LastError.h"
#include "platform/base/LocaleServices.h"
#include "platform/base/StoredCollation.h"

namespace {

using namespace platform;

constexpr int LT = CSTR_LESS_THAN;
constexpr int EQ = CSTR_EQUAL;
constexpr int GT = CSTR_GREATER_THAN;

constexpr LCID kEnglish = 1033, kGerman = 1031, kFrench = 1036, kPolish = 1045, kCzech = 1029,
               kRussian = 1049, kGreek = 1032, kTurkish = 1055, kDanish = 1030;

struct Case {
  LCID locale;
  std::uint32_t flags;
  const char* a;
  const char* b;
  int expected;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << std::hex << c.locale << "/" << c.flags << " \"" << c.a << "\" vs \"" << c.b << "\"";
}

class CompareStringA_Recorded : public testing::TestWithParam<Case> {};

TEST_P(CompareStringA_Recorded, GivesThePlatformsAnswerBothWays) {
  const Case& c = GetParam();
  EXPECT_EQ(CompareStringA(c.locale, c.flags, c.a, -1, c.b, -1), c.expected);
  EXPECT_EQ(CompareStringA(c.locale, c.flags, c.b, -1, c.a, -1), 4 - c.expected);
}

// Word sort: hyphen and apostrophe weigh nothing and only break ties.
INSTANTIATE_TEST_SUITE_P(
    WordSort, CompareStringA_Recorded,
    testing::Values(Case{kEnglish, 0, "coop", "co-op", LT}, Case{kEnglish, 0, "co-op", "cop", LT},
                    Case{kEnglish, 0, "co-op", "coo", GT},
                    Case{kEnglish, 0, "Oakley", "O'Neil", LT},
                    Case{kEnglish, 0, "Dalton", "D'Arcy", LT},
                    Case{kEnglish, 0, "Jeanette", "Jean-Luc", LT},
                    Case{kEnglish, 0, "/m", "-o", LT}, Case{kGerman, 0, "coop", "co-op", LT},
                    Case{kGerman, NORM_IGNORECASE, "COOP", "co-op", LT},
                    Case{kEnglish, 0, "co-op", "Coop", LT},  // case outweighs the hyphen
                    Case{kEnglish, 0, "co'op", "co-op", LT}, Case{kEnglish, 0, "a-bc", "ab-c", LT},
                    Case{kEnglish, SORT_STRINGSORT, "co-op", "coop", LT},
                    Case{kEnglish, SORT_STRINGSORT, "-o", "/m", LT},
                    Case{kEnglish, SORT_STRINGSORT, "O'Neil", "Oakley", LT},
                    Case{kEnglish, NORM_IGNORESYMBOLS, "co-op", "coop", EQ}));

// Punctuation and symbols in the platform's order; control characters weigh.
INSTANTIATE_TEST_SUITE_P(
    Symbols, CompareStringA_Recorded,
    testing::Values(Case{kEnglish, SORT_STRINGSORT, "'", "-", LT},
                    Case{kEnglish, SORT_STRINGSORT, "-", "!", LT}, Case{kEnglish, 0, "!", "\"", LT},
                    Case{kEnglish, 0, "\"", ".", LT}, Case{kEnglish, 0, ".", ":", LT},
                    Case{kEnglish, 0, ":", "\\", LT}, Case{kEnglish, 0, "\\", "_", LT},
                    Case{kEnglish, 0, "_", "`", LT}, Case{kEnglish, 0, "`", "{", LT},
                    Case{kEnglish, 0, "{", "}", LT}, Case{kEnglish, 0, "}", "+", LT},
                    Case{kEnglish, 0, "+", "0", LT}, Case{kEnglish, 0, ".", "_", LT},
                    Case{kEnglish, NORM_IGNORECASE, ".", "_", LT},
                    Case{kGerman, NORM_IGNORECASE, "a.b", "a_b", LT},
                    Case{kEnglish, 0, " ", "!", LT}, Case{kEnglish, 0, "$", "0", LT},
                    Case{kEnglish, 0, "\x01", "\x02", LT}, Case{kEnglish, 0, "\x1F", "\t", LT},
                    Case{kEnglish, 0, "a\x01", "a", GT},
                    Case{kEnglish, 0, "a\x81", "a", GT},  // undefined in Windows-1252
                    Case{kEnglish, NORM_IGNORESYMBOLS, "a.b c", "abc", EQ},
                    Case{kEnglish, NORM_IGNORESYMBOLS, "$5", "5", EQ}));

// Letters, case, accents and ligatures.
INSTANTIATE_TEST_SUITE_P(
    Letters, CompareStringA_Recorded,
    testing::Values(
        Case{kEnglish, 0, "apple", "Banana", LT}, Case{kEnglish, 0, "abc", "ABC", LT},
        Case{kEnglish, 0, "Muller", "M\xFCller", LT}, Case{kGerman, 0, "M\xFCller", "Mueller", GT},
        Case{kGerman, 0, "M\xFCller", "Munz", LT}, Case{kEnglish, 0, "ae", "\xE6", EQ},
        Case{kEnglish, 0, "AE", "\xC6", EQ}, Case{kEnglish, 0, "\xE6", "af", LT},
        Case{kEnglish, 0, "oe", "\x9C", EQ},
        Case{kEnglish, NORM_IGNORECASE, "\xC6sop", "aesop", EQ},
        Case{kDanish, 0, "\xE6", "z", GT},  // a letter of its own there
        Case{kGerman, 0, "cote", "c\xF4te", LT}, Case{kGerman, 0, "c\xF4te", "cot\xE9", GT},
        Case{kFrench, 0, "c\xF4te", "cot\xE9", LT},  // last accent first
        Case{kFrench, 0, "cot\xE9", "c\xF4t\xE9", LT},
        Case{kEnglish, NORM_IGNORENONSPACE, "r\xE9sum\xE9", "resume", EQ},
        Case{kEnglish, NORM_IGNORENONSPACE, "Resume", "resume", GT},
        Case{kEnglish, LINGUISTIC_IGNOREDIACRITIC, "na\xEFve", "naive", EQ},
        Case{kEnglish, LINGUISTIC_IGNORECASE, "NAIVE", "naive", EQ},
        Case{kEnglish, NORM_IGNORECASE | NORM_IGNORENONSPACE, "R\xC9SUM\xC9", "resume", EQ},
        Case{kEnglish, SORT_DIGITSASNUMBERS, "a9", "a10", LT}, Case{kEnglish, 0, "a9", "a10", GT}));

// 8-bit text is read in the locale's code page.
INSTANTIATE_TEST_SUITE_P(
    CodePages, CompareStringA_Recorded,
    testing::Values(
        Case{kPolish, 0, "a", "\xB9", LT},  // a, a with ogonek
        Case{kPolish, 0, "\xB9", "b", LT}, Case{kPolish, NORM_IGNORECASE, "\xB9", "\xA5", EQ},
        Case{kPolish, 0,
             "\xB3\xF3"
             "d\xBF",
             "lodz", GT},                                                       // l with stroke
        Case{kCzech, 0, "\x9A", "t", LT},                                       // s with caron
        Case{kCzech, 0, "h", "ch", LT}, Case{kRussian, 0, "\xE0", "\xE1", LT},  // Cyrillic a, be
        Case{kRussian, 0, "z", "\xE0", LT},  // Latin before Cyrillic
        Case{kRussian, NORM_IGNORECASE, "\xE0", "\xC0", EQ},
        Case{kGreek, 0, "\xE1", "\xE2", LT},  // alpha, beta
        Case{kGreek, NORM_IGNORECASE, "\xC1", "\xE1", EQ}, Case{kPolish, 0, "\xB9", "2", GT},
        Case{kEnglish, 0, "\xB9", "2", LT}));  // superscript one in 1252

// Turkish in code page 1254 (\xDD capital dotted I, \xFD dotless i): i and I
// are one letter differing by case, the dotless i comes after both and the
// dotted capital is not folded onto i.
INSTANTIATE_TEST_SUITE_P(
    Turkish, CompareStringA_Recorded,
    testing::Values(Case{kTurkish, NORM_IGNORECASE, "i", "I", EQ}, Case{kTurkish, 0, "i", "I", LT},
                    Case{kTurkish, NORM_IGNORECASE, "I", "\xFD", LT},
                    Case{kTurkish, NORM_IGNORECASE, "i", "\xFD", LT},
                    Case{kTurkish, 0, "I", "\xFD", LT},
                    Case{kTurkish, NORM_IGNORECASE, "i", "\xDD", LT},
                    Case{kTurkish, 0, "i", "\xDD", LT},
                    Case{kTurkish, 0,
                         "\xFD"
                         "z",
                         "ia", GT},
                    Case{kTurkish, NORM_IGNORECASE, "KIRMIZI", "kirmizi", EQ},
                    Case{kTurkish, NORM_IGNORECASE, "KIRMIZI", "k\xFDrm\xFDz\xFD", LT},
                    Case{kTurkish, NORM_IGNORECASE, "Izmir", "izmir", EQ},
                    Case{kEnglish, NORM_IGNORECASE, "i", "I", EQ}));

struct WideCase {
  LCID locale;
  std::uint32_t flags;
  const char16_t* a;
  const char16_t* b;
  int expected;
};

void PrintTo(const WideCase& c, std::ostream* os) {
  *os << std::hex << c.locale << "/" << c.flags << " ";
  for (const char16_t* t : {c.a, c.b}) {
    *os << "[";
    for (const char16_t* p = t; *p; ++p) *os << " " << unsigned(*p);
    *os << " ]";
  }
}

class CompareStringW_Recorded : public testing::TestWithParam<WideCase> {};

TEST_P(CompareStringW_Recorded, GivesThePlatformsAnswerBothWays) {
  const WideCase& c = GetParam();
  EXPECT_EQ(CompareStringW(c.locale, c.flags, c.a, -1, c.b, -1), c.expected);
  EXPECT_EQ(CompareStringW(c.locale, c.flags, c.b, -1, c.a, -1), 4 - c.expected);
}

constexpr LCID kJapanese = 1041;

// Kana of one sound: katakana before hiragana, half-width katakana before
// full-width; the spacing voiced sound marks weigh as the combining ones.
INSTANTIATE_TEST_SUITE_P(
    Kana, CompareStringW_Recorded,
    testing::Values(
        WideCase{kJapanese, 0, u"\u30AB", u"\u304B", LT},  // ka: katakana, hiragana
        WideCase{kJapanese, 0, u"\uFF76", u"\u30AB", LT},  // half-width, full-width
        WideCase{kJapanese, 0, u"\uFF76", u"\u304B", LT},
        WideCase{kEnglish, 0, u"\u30AB", u"\u304B", LT},
        WideCase{kJapanese, NORM_IGNORECASE, u"\u30AB", u"\u304B", LT},
        WideCase{kJapanese, 0, u"\u304B", u"\u30AD", LT},  // ka before ki, whatever the kind
        WideCase{kJapanese, 0, u"\u304B\u30AD", u"\u30AB\u304D", GT},  // the first differing
        WideCase{kJapanese, NORM_IGNOREKANATYPE, u"\u30AB", u"\u304B", EQ},
        WideCase{kJapanese, NORM_IGNOREKANATYPE, u"\uFF76", u"\u304B", LT},
        WideCase{kJapanese, NORM_IGNOREWIDTH, u"\uFF76", u"\u30AB", EQ},
        WideCase{kJapanese, NORM_IGNOREWIDTH, u"\uFF76", u"\u304B", LT},
        WideCase{kJapanese, NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH, u"\uFF76", u"\u304B", EQ},
        WideCase{kJapanese, 0, u"\uFF76\uFF9E", u"\u30AC", LT},  // ga, half and full width
        WideCase{kJapanese, NORM_IGNOREWIDTH, u"\uFF76\uFF9E", u"\u30AC", EQ},
        WideCase{kJapanese, 0, u"\u3099", u"\u309B", EQ},  // voiced sound mark
        WideCase{kJapanese, 0, u"\u309A", u"\u309C", EQ},  // semi-voiced
        WideCase{kJapanese, 0, u"\u304B\u309B", u"\u304B\u3099", EQ},
        WideCase{kJapanese, 0, u"\u30CF\u309C", u"\u30CF\u309A", EQ},
        WideCase{kJapanese, 0, u"\u304B\u3099", u"\u304C", EQ}));

// Lone surrogates weigh, after the ideographs; accents where the platform's
// order differs from the common one.
INSTANTIATE_TEST_SUITE_P(
    OtherRanks, CompareStringW_Recorded,
    testing::Values(WideCase{kEnglish, 0, u"\u9FA5", u"\xD800", LT},
                    WideCase{kEnglish, 0, u"\u4E00", u"\xDFFF", LT},
                    WideCase{kEnglish, 0, u"\U00020000", u"\xDC00", LT},  // extension B
                    WideCase{kJapanese, 0, u"\u4E00", u"\xD800", LT},
                    WideCase{kEnglish, 0, u"a", u"a\xDC00", LT},
                    WideCase{kEnglish, 0, u"ab",
                             u"a\xD800"
                             u"b",
                             LT},
                    WideCase{kEnglish, NORM_IGNORECASE, u"\xD800", u"\xD800", EQ},
                    WideCase{kEnglish, 0, u"u", u"\u00FC", LT},
                    WideCase{kEnglish, 0, u"\u00FC", u"\u016D", LT},  // diaeresis, breve
                    WideCase{kGerman, 0, u"\u00FC", u"\u016D", LT},
                    WideCase{kFrench, 0, u"\u00FC", u"\u016D", LT},
                    WideCase{kEnglish, NORM_IGNORECASE, u"\u00DC", u"\u016D", LT},
                    WideCase{kEnglish, 0, u"\u00FCa", u"\u016Da", LT},
                    WideCase{kEnglish, NORM_IGNORENONSPACE, u"\u00FC", u"\u016D", EQ},
                    WideCase{kEnglish, 0, u"\u016D", u"v", LT}));

TEST(CompareStringW_Recorded, SkipsCharactersWithoutWeight) {
  EXPECT_EQ(CompareStringW(kEnglish, 0, u"ab", -1, u"a\u0378b", -1), EQ);  // unassigned
  EXPECT_EQ(CompareStringW(kEnglish, 0, u"ab", -1, u"a\uFFFDb", -1), EQ);
  EXPECT_EQ(CompareStringW(kEnglish, 0, u"a\u0378", -1, u"b", -1), LT);
  // A proper pair still weighs.
  EXPECT_EQ(CompareStringW(kEnglish, 0, u"a", -1, u"a\U0001F600", -1), LT);
}

TEST(CompareStringW_Recorded, WidthFlag) {
  EXPECT_EQ(CompareStringW(kEnglish, 0, u"\uFF21", -1, u"A", -1), GT);
  EXPECT_EQ(CompareStringW(kEnglish, NORM_IGNOREWIDTH, u"\uFF21\uFF42", -1, u"Ab", -1), EQ);
}

TEST(CompareStringA_Recorded, DoubleByteCodePages) {
  // Shift-JIS hiragana a and i.
  EXPECT_EQ(CompareStringA(1041, 0, "\x82\xA0", -1, "\x82\xA2", -1), LT);
  // A lead byte without its trail byte weighs nothing.
  EXPECT_EQ(CompareStringA(1041, 0, "a\x82", -1, "a", -1), EQ);
}

TEST(CompareString_BadInput, FailsWithTheReasonInTheLastError) {
  SetLastError(0);
  EXPECT_EQ(CompareStringA(kEnglish, 0, "a", -2, "b", -1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(CompareStringW(kEnglish, 0, u"a", 1, nullptr, 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(CompareStringA(0x9999, 0, "a", 1, "b", 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(CompareStringW(kEnglish, 0x40, u"a", 1, u"b", 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

TEST(CompareString_BadInput, StopsAtTheNulWhateverTheLength) {
  const char bytes[] = {'a', 'b', 0, 'z', 'z'};
  EXPECT_EQ(CompareStringA(kEnglish, 0, bytes, -1, "ab", 2), EQ);
  EXPECT_EQ(CompareStringA(kEnglish, 0, bytes, 5, "ab", 2), EQ);
  const char16_t wide[] = {u'a', u'b', 0, u'z'};
  EXPECT_EQ(CompareStringW(kGerman, 0, wide, -1, u"ab", 2), EQ);
  EXPECT_EQ(CompareStringW(kGerman, 0, wide, 4, u"ab", 2), EQ);
  EXPECT_EQ(CompareStringA(kEnglish, 0, "a\0b", 3, "ab", 2), LT);
  EXPECT_EQ(CompareStringA(kEnglish, 0, "A", 100, "B", 100), LT);
}

// Texts placed so that their NUL is the last readable byte: a comparison
// that read on past it would fault.
TEST(CompareString_BadInput, NeverReadsPastTheNul) {
  const long page = sysconf(_SC_PAGESIZE);
  void* map =
      mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(map, MAP_FAILED);
  auto* base = static_cast<char*>(map);
  ASSERT_EQ(mprotect(base + page, size_t(page), PROT_NONE), 0);
  auto narrow = [&](const char* text) {
    size_t n = std::strlen(text) + 1;
    return static_cast<const char*>(std::memcpy(base + page - n, text, n));
  };
  auto wide = [&](const char16_t* text) {
    size_t n = (std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t);
    return static_cast<const char16_t*>(std::memcpy(base + page - n, text, n));
  };
  struct {
    LCID locale;
    std::uint32_t flags;
    const char* text;  // the guarded one, compared with "b"
    const char16_t* wide;
    int expected;
  } cases[] = {{kEnglish, 0, "A", u"A", LT},
               {kEnglish, NORM_IGNORECASE, "B", u"B", EQ},
               {kGerman, 0, "\xFC", u"\u00FC", GT},
               {kTurkish, 0, "c", u"c", GT},
               {1041, 0, "a", u"a", LT},
               {kEnglish, NORM_IGNORESYMBOLS, "", u"", LT}};
  for (const auto& c : cases) {
    EXPECT_EQ(CompareStringA(c.locale, c.flags, narrow(c.text), 100, "b", 100), c.expected)
        << c.text;
    EXPECT_EQ(CompareStringA(c.locale, c.flags, "b", 100, narrow(c.text), 100), 4 - c.expected);
    EXPECT_EQ(CompareStringW(c.locale, c.flags, wide(c.wide), 100, u"b", 100), c.expected)
        << c.text;
  }
  // A text longer than the shortcut's ASCII range, in the guarded place.
  EXPECT_EQ(CompareStringW(kGerman, 0, wide(u"\u4E00\u0436"), 1000, u"\u4E00", -1), GT);
  munmap(map, size_t(2 * page));
}

TEST(CompareString_AsciiTexts, ShortcutAgreesWithTheFullComparison) {
  // Plain ASCII texts take a shortcut; an unassigned character (which weighs
  // nothing) forces the full comparison of the same texts.
  // "l" and "4" start rules that need a character outside ASCII; "ch",
  // "cs" and "aa" are contractions of some of these locales.
  const char kChars[] = "aAbBzZ09 .,!hHcCiIyYlL4s";
  constexpr unsigned kCount = sizeof kChars - 1;
  std::mt19937 random(3);
  for (LCID locale :
       {kEnglish, kGerman, kCzech, kTurkish, kDanish, 0x040Au, 1061u, 0x0403u, 0x040Eu}) {
    for (std::uint32_t flags : {0u, NORM_IGNORECASE}) {
      for (int round = 0; round < 400; ++round) {
        std::u16string a, b;
        for (int k = random() % 5; k >= 0; --k) a += char16_t(kChars[random() % kCount]);
        for (int k = random() % 5; k >= 0; --k) b += char16_t(kChars[random() % kCount]);
        std::u16string slowA = a + u"\u0378", slowB = b + u"\u0378";
        std::string narrowA(a.begin(), a.end()), narrowB(b.begin(), b.end());
        int full = CompareStringW(locale, flags, slowA.data(), -1, slowB.data(), -1);
        ASSERT_EQ(CompareStringW(locale, flags, a.data(), -1, b.data(), -1), full)
            << std::hex << locale << " " << narrowA << " | " << narrowB;
        ASSERT_EQ(CompareStringA(locale, flags, narrowA.data(), -1, narrowB.data(), -1), full);
      }
    }
  }
}

// The tables compiled into the programs are what learning gives now (this
// test program links them, so the comparisons above ran on them for English
// and German, opening the collator only for the texts outside ASCII).
TEST(CompareString_AsciiTexts, StoredTablesAreTheLearntOnes) {
  for (LCID locale : {0x0409u, 0x0809u, 0x0407u, 0x040Cu, 0x0C0Au, 0x0410u, 0x0413u, 0x0416u}) {
    for (std::uint32_t flags : {0u, NORM_IGNORECASE}) {
      const AsciiCollationTable* stored = FindStoredAsciiCollation(locale, flags);
      std::optional<AsciiCollationTable> learnt = LearnAsciiCollation(locale, flags);
      ASSERT_TRUE(stored && learnt) << std::hex << locale << "/" << flags;
      EXPECT_EQ(stored->ignoreCase, learnt->ignoreCase);
      EXPECT_EQ(stored->primary, learnt->primary) << std::hex << locale << "/" << flags;
      EXPECT_EQ(stored->tertiary, learnt->tertiary) << std::hex << locale << "/" << flags;
    }
  }
  EXPECT_EQ(FindStoredAsciiCollation(0x0409, NORM_IGNORENONSPACE), nullptr);
}

}  // namespace
