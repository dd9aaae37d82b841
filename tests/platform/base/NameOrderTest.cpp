// Sorting owner and dog names the way the platform's comparison orders them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/base/LocaleServices.h"

namespace {

using namespace platform;

// Windows-1252 text. Each surname differs from its neighbours in its letters
// (not only in accents, case or punctuation), so "surname, first name" sorts
// by surname first: hyphen and apostrophe weigh nothing, accents and case
// come after the letters, "Mc" is not "Mac", and ß weighs as "ss".
const char* const kSurnames[] = {"Abbott",
                                 "\xC1vila",
                                 "B\xE4"
                                 "cker",
                                 "Baker",
                                 "Dalton",
                                 "D'Arcy",
                                 "Dubois",
                                 "Ekstr\xF6m",
                                 "Fischer",
                                 "Garc\xED"
                                 "a",
                                 "Le Blanc",
                                 "Leblanc",
                                 "MacDonald",
                                 "Mack",
                                 "MacLeod",
                                 "McAllister",
                                 "McBride",
                                 "Meyer-Lansky",
                                 "Meyers",
                                 "M\xFCller",
                                 "Nu\xF1"
                                 "ez",
                                 "Oakley",
                                 "O'Brien",
                                 "\xD6hman",
                                 "O'Neil",
                                 "Sch\xE4"
                                 "fer",
                                 "Schmidt",
                                 "Schr\xF6"
                                 "der",
                                 "Schulz",
                                 "Smith",
                                 "St. John",
                                 "Stein",
                                 "Vogel",
                                 "Wei\xDF",
                                 "Weissmann",
                                 "Z\xF6llner"};

const char* const kFirstNames[] = {"Anna",     "Anne-Marie", "Bj\xF6rn", "Chlo\xE9",
                                   "Jeanette", "Jean-Luc",   "Jos\xE9",  "Zo\xEB"};

std::vector<std::string> ExpectedOrder() {
  std::vector<std::string> names;
  for (const char* surname : kSurnames)
    for (const char* first : kFirstNames) names.push_back(std::string(surname) + ", " + first);
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names, LCID locale, std::uint32_t flags) {
  std::mt19937 random(7);
  std::shuffle(names.begin(), names.end(), random);
  std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return CompareStringA(locale, flags, a.data(), int(a.size()), b.data(), int(b.size())) ==
           CSTR_LESS_THAN;
  });
  return names;
}

TEST(NameOrder, OwnersSortByTheLettersInEnglishAndGerman) {
  const std::vector<std::string> expected = ExpectedOrder();
  ASSERT_EQ(expected.size(), 288u);
  for (LCID locale : {1033u, 1031u, 2057u})
    for (std::uint32_t flags : {0u, NORM_IGNORECASE}) {
      SCOPED_TRACE(testing::Message() << "locale " << locale << " flags " << flags);
      EXPECT_EQ(Sorted(expected, locale, flags), expected);
    }
}

TEST(NameOrder, NamesEqualInTheirLettersSortByAccentThenCaseThenPunctuation) {
  // Dog names: the plain form first, then accents, then capitals, and a
  // hyphen or apostrophe only decides between otherwise equal names.
  const std::vector<std::string> expected = {
      "bella", "Bella",  "Bel-la",    "B\xE9lla", "lucky", "Lucky", "Luc'ky", "Luck-y",
      "LUCKY", "muller", "M\xFCller", "rex",      "Rex",   "REX",   "rexi",   "R\xE9xi"};
  for (LCID locale : {1033u, 1031u}) {
    SCOPED_TRACE(testing::Message() << "locale " << locale);
    EXPECT_EQ(Sorted(expected, locale, 0), expected);
  }
}

TEST(NameOrder, GermanPhonebookSortsUmlautsAsTwoLetters) {
  // There "M\xFCller" weighs as "Mueller", before "Muf"; in the default order
  // it weighs as "Muller", after it.
  const std::vector<std::string> phonebook = {"Mueller", "M\xFCller", "Muf", "Muller"};
  EXPECT_EQ(Sorted(phonebook, 0x10407, 0), phonebook);
  const std::vector<std::string> standard = {"Mueller", "Muf", "Muller", "M\xFCller"};
  EXPECT_EQ(Sorted(standard, 1031, 0), standard);
}

}  // namespace
