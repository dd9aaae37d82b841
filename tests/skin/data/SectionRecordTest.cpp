// A section's font colour and gradient texts and its run-time record.
#include <gtest/gtest.h>

#include "skin/data/SkinGeneral.h"

using namespace skin;

TEST(FontColorText, FiveNumbersGiveColourAndContours) {
  const auto plain = ParseFontColors("1258566 -1 -1 -1 -1");
  EXPECT_EQ(plain.FontColor, 0x133446);
  EXPECT_EQ(plain.Contours, (std::array<std::int32_t, 4>{-1, -1, -1, -1}));

  const auto contoured = ParseFontColors("0 -1 -1 16777215 16777215");
  EXPECT_EQ(contoured.FontColor, 0);
  EXPECT_EQ(contoured.Contours[TCLEFT], -1);
  EXPECT_EQ(contoured.Contours[TCTOP], -1);
  EXPECT_EQ(contoured.Contours[TCRIGHT], 0xFFFFFF);
  EXPECT_EQ(contoured.Contours[TCBOTTOM], 0xFFFFFF);
}

TEST(FontColorText, AnythingButFiveNumbersGivesThePlainDefault) {
  const TSkinFontColors none;
  for (const char* text : {"", " ", "0 -1", "255", "1 2 3 4 5 6", "1 2 x 4 5", "1 2 3 4 5x",
                           "1;2;3;4;5", "99999999999 1 2 3 4", "1 2 3 4 -99999999999"})
    EXPECT_EQ(ParseFontColors(text), none) << '"' << text << '"';
  // Exactly five words between single blanks: a doubled, leading or
  // trailing blank makes an empty word more.
  for (const char* text : {" 5 1 2 3 4", "5  1 2 3 4", "5 1 2 3 4 ", "5 1 2 3  4"})
    EXPECT_EQ(ParseFontColors(text), none) << '"' << text << '"';
}

TEST(GradientText, GroupsOfFiveWordsMakeBands) {
  const auto bands = ParseGradientData(
      "5872819;8306902;25;1;0;8306902;13890042;25;1;0;13890042;10278635;24;1;0;"
      "10278635;5807808;25;1;0;5807808;5807808;0;1;0");
  ASSERT_EQ(bands.size(), 5u);
  EXPECT_EQ(bands[0], (TSkinGradRecord{5872819, 8306902, 25, 1, 0}));
  EXPECT_EQ(bands[4], (TSkinGradRecord{5807808, 5807808, 0, 1, 0}));
  // The fifth word is not read.
  EXPECT_EQ(ParseGradientData("1;2;3;0;77")[0].Reserved, 0);
}

TEST(GradientText, IncompleteGroupsEmptyTextAndJunk) {
  const auto seven = ParseGradientData("1;2;3;0;0;9;9");
  ASSERT_EQ(seven.size(), 1u);
  EXPECT_EQ(seven[0].Color2, 2);
  EXPECT_TRUE(ParseGradientData(" ").empty());
  EXPECT_TRUE(ParseGradientData("").empty());
  EXPECT_TRUE(ParseGradientData(";;;").empty());        // four empty words
  EXPECT_TRUE(ParseGradientData("1 2 3 0 0").empty());  // only ";" separates
  // An empty word is a word: the groups fall where every reader puts them.
  const auto gap = ParseGradientData("1;;3;1;0;4;5;6;1;0");
  ASSERT_EQ(gap.size(), 2u);
  EXPECT_EQ(gap[0], (TSkinGradRecord{1, 0, 3, 1, 0}));
  EXPECT_EQ(gap[1], (TSkinGradRecord{4, 5, 6, 1, 0}));
  const auto shifted = ParseGradientData("1;2;;3;1;0;4;5;6;1;0");  // eleven words
  ASSERT_EQ(shifted.size(), 2u);
  EXPECT_EQ(shifted[1].Color1, 0);

  // A bad word counts as 0 and leaves the following bands in place.
  const auto junk = ParseGradientData("red;2;3;0;0;4;5;6;1;0");
  ASSERT_EQ(junk.size(), 2u);
  EXPECT_EQ(junk[0].Color1, 0);
  EXPECT_EQ(junk[1], (TSkinGradRecord{4, 5, 6, 1, 0}));
  EXPECT_EQ(ParseGradientData("1;2;99999999999;0;0")[0].Percent, 0);
}

TEST(GradientText, PercentIsHeldInEightBits) {
  EXPECT_EQ(ParseGradientData("1;2;300;0;0")[0].Percent, 44);
  EXPECT_EQ(ParseGradientData("1;2;-1;0;0")[0].Percent, 255);
}

TEST(SectionRecord, StoredSectionIsCopiedWithNamesUpperCasedAndTextsParsed) {
  TSkinGeneralValues g;
  g.SectionName = "Button";
  g.ParentClass = "Panel";
  g.Color = 0xCDCDCD;
  g.Bevel = cbLoweredHard;
  g.HotBevel = static_cast<TSkinControlBevel>(7);
  g.ShadowDontUse = true;
  g.ShadowBlur = 4;
  g.ShowFocus = true;
  g.FontColor = "1258566 -1 -1 -1 -1";
  g.HotFontColor = "0 -1 -1 16777215 16777215";
  g.GradientData = "16777215;11462640;20;0;0";
  g.HotGradientData = "1;2;3;1;0;4;5;6;1;0";
  g.BorderColor2 = 0x123456;
  const auto d = MakeGeneralData(g);
  EXPECT_EQ(d.SectionName, "BUTTON");
  EXPECT_EQ(d.ParentClass, "PANEL");
  EXPECT_EQ(d.Color, 0xCDCDCD);
  EXPECT_EQ(d.Bevel, cbLoweredHard);
  EXPECT_EQ(d.HotBevel, 7);
  EXPECT_EQ(d.ShadowBlur, 4);
  EXPECT_TRUE(d.ShowFocus);
  EXPECT_EQ(d.Font.FontColor, 1258566);
  EXPECT_EQ(d.HotFont.Contours[TCRIGHT], 0xFFFFFF);
  EXPECT_EQ(d.GradientData, g.GradientData);
  ASSERT_EQ(d.Gradient.size(), 1u);
  EXPECT_EQ(d.Gradient[0].Color2, 11462640);
  EXPECT_EQ(d.HotGradient.size(), 2u);
  EXPECT_EQ(d.BorderColor2, 0x123456);
}

TEST(SectionRecord, UnsetStoredFieldsGiveTheSkinDefaults) {
  const auto d = MakeGeneralData(TSkinGeneralValues{});
  EXPECT_EQ(d.SectionName, "");
  EXPECT_EQ(d.Color, 0xFFFFFF);
  EXPECT_EQ(d.HotColor, 0xFFFFFF);
  EXPECT_EQ(d.ShadowBlur, 6);
  EXPECT_EQ(d.ShadowOffset, 3);
  EXPECT_EQ(d.ShadowTransparency, 50);
  EXPECT_EQ(d.FadingIterations, 5);
  EXPECT_EQ(d.Font, TSkinFontColors{});
  EXPECT_TRUE(d.Gradient.empty());
  EXPECT_TRUE(d.HotGradient.empty());
  EXPECT_FALSE(d.ReservedBoolean);
}
