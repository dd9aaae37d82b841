#include "platform/base/LocaleServices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/base/Codepage.h"

namespace {

using namespace platform;

int A(LCID lcid, std::uint32_t flags, const std::string& a, const std::string& b) {
  return CompareStringA(lcid, flags, a.data(), int(a.size()), b.data(), int(b.size()));
}

TEST(CompareString, ReportsLessEqualGreaterAsOneTwoThree) {
  EXPECT_EQ(A(1031, 0, "Apfel", "Birne"), CSTR_LESS_THAN);
  EXPECT_EQ(A(1031, 0, "Birne", "Birne"), CSTR_EQUAL);
  EXPECT_EQ(A(1031, 0, "Birne", "Apfel"), CSTR_GREATER_THAN);
  EXPECT_EQ(A(1033, 0, "", "a"), CSTR_LESS_THAN);
}

TEST(CompareString, IgnoreCaseFlagMakesCaseVariantsEqual) {
  EXPECT_NE(A(1033, 0, "dog_nick", "Dog_Nick"), CSTR_EQUAL);
  EXPECT_EQ(A(1033, NORM_IGNORECASE, "dog_nick", "Dog_Nick"), CSTR_EQUAL);
  EXPECT_EQ(A(LOCALE_USER_DEFAULT, NORM_IGNORECASE, "OWNER_LASTNAME", "Owner_LastName"),
            CSTR_EQUAL);
}

TEST(CompareString, UsesLinguisticOrderNotByteOrder) {
  // Byte order would put every capital before every small letter.
  EXPECT_EQ(A(1033, 0, "apple", "Banana"), CSTR_LESS_THAN);
  // Windows-1252 umlauts sort next to their base letter in German.
  EXPECT_EQ(A(1031, 0,
              "M\xFC"
              "ller",
              "Mz"),
            CSTR_LESS_THAN);
}

TEST(CompareString, GermanPhonebookSortOrderIsItsOwnLocale) {
  EXPECT_TRUE(IsValidLocale(0x10407));
  // In phonebook order "ü" sorts as "ue", so it comes after "ua"; in the
  // default order it sorts as "u", before "ua".
  EXPECT_EQ(A(0x10407, 0, "\xFC", "ua"), CSTR_GREATER_THAN);
  EXPECT_EQ(A(0x0407, 0, "\xFC", "ua"), CSTR_LESS_THAN);
}

TEST(CompareString, NegativeLengthMeansNulTerminatedAndLengthsCut) {
  EXPECT_EQ(CompareStringA(1033, 0, "abc", -1, "abd", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringA(1033, 0, "abc", 2, "abd", 2), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(1033, 0, u"abc", -1, u"ABC", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(1033, NORM_IGNORECASE, u"abc", -1, u"ABC", 3), CSTR_EQUAL);
}

TEST(CompareString, FailsWithZeroForUnknownLocalesFlagsAndNullTexts) {
  EXPECT_EQ(A(0x9999, 0, "a", "b"), 0);
  EXPECT_EQ(A(0x00F00409, 0, "a", "b"), 0);  // reserved bits
  EXPECT_EQ(A(MAKELCID(LOCALE_USER_DEFAULT, 1), 0, "a", "b"), 0);
  EXPECT_EQ(A(1033, 0x80000000u, "a", "b"), 0);
  EXPECT_EQ(CompareStringA(1033, 0, nullptr, 0, "a", 1), 0);
  EXPECT_FALSE(IsValidLocale(0x9999));
  EXPECT_TRUE(IsValidLocale(1031));
  EXPECT_TRUE(IsValidLocale(LOCALE_USER_DEFAULT));
  EXPECT_TRUE(IsValidLocale(LOCALE_INVARIANT));
}

TEST(CompareString, LocaleIdentifiersMapToLocaleNames) {
  EXPECT_EQ(LocaleNameFromLCID(1031), "de_DE");
  EXPECT_EQ(LocaleNameFromLCID(1033), "en_US");
  EXPECT_EQ(MAKELCID(MAKELANGID(7, 1), 0), 1031u);
}

TEST(UserDefaultLocale, ComesFromTheEnvironmentWithEnUsFallback) {
  const char* saved = std::getenv("LC_ALL");
  std::string keep = saved ? saved : "";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  ResetLocaleCache();
  EXPECT_EQ(GetUserDefaultLCID(), 1031u);
  setenv("LC_ALL", "C", 1);
  ResetLocaleCache();
  EXPECT_EQ(GetUserDefaultLCID(), 1033u);
  setenv("LC_ALL", "xx_YY", 1);
  ResetLocaleCache();
  EXPECT_EQ(GetUserDefaultLCID(), 1033u);
  if (saved)
    setenv("LC_ALL", keep.c_str(), 1);
  else
    unsetenv("LC_ALL");
  ResetLocaleCache();
}

TEST(Codepage, RoundTripsWindows1252ThroughUtf8AndUtf16) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += char(c);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");     // not in the code page
  EXPECT_EQ(Utf8ToCp1252("a\xFF"
                         "b\xC3"),
            "a?b?");  // malformed input
}

}  // namespace
