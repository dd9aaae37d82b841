// The number syntax of skin texts and the name helpers.
#include <gtest/gtest.h>

#include <limits>

#include "skin/data/SkinText.h"

using namespace skin;

TEST(SkinInteger, ReadsDecimalAndHexWithSurroundingBlanks) {
  EXPECT_EQ(ParseSkinInteger("1258566"), 1258566);
  EXPECT_EQ(ParseSkinInteger(" -1 "), -1);
  EXPECT_EQ(ParseSkinInteger("+7"), 7);
  EXPECT_EQ(ParseSkinInteger("$FF00FF"), 0xFF00FF);
  EXPECT_EQ(ParseSkinInteger("0x00ff00"), 0x00FF00);
  EXPECT_EQ(ParseSkinInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST(SkinInteger, ColoursWithTheTopBitKeepTheirBits) {
  EXPECT_EQ(static_cast<std::uint32_t>(*ParseSkinInteger("2147483653")), 0x80000005u);
  EXPECT_EQ(static_cast<std::uint32_t>(*ParseSkinInteger("$80000005")), 0x80000005u);
  EXPECT_EQ(ParseSkinInteger("4294967295"), -1);
}

TEST(SkinInteger, RefusesJunkAndOverflow) {
  for (const char* text :
       {"", " ", "12a", "a12", "1 2", "--1", "+-1", "-", "$", "0x", "$-1", "$123456789",
        "4294967296", "-2147483649", "99999999999999999999999", "1.5", "0x+1"})
    EXPECT_FALSE(ParseSkinInteger(text).has_value()) << '"' << text << '"';
}

TEST(SkinFloat, ReadsPointFractionsOnly) {
  EXPECT_EQ(ParseSkinFloat("4.5"), 4.5);
  EXPECT_EQ(ParseSkinFloat(" 5 "), 5.0);
  EXPECT_FALSE(ParseSkinFloat("4,5").has_value());
  EXPECT_FALSE(ParseSkinFloat("v4").has_value());
  EXPECT_FALSE(ParseSkinFloat("").has_value());
}

TEST(SkinNames, CompareAndUpperCaseIgnoringLetterCase) {
  EXPECT_TRUE(SameText("Form", "FORM"));
  EXPECT_FALSE(SameText("FORM", "FORMS"));
  EXPECT_EQ(UpperCase("scrollBtnTop_1"), "SCROLLBTNTOP_1");
  const auto words = SplitWords("  a((b c) ", " ()");
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[1], "b");
}
