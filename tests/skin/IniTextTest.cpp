// The ini text as the skin readers see it: order, repeats, and text that
// must be refused instead of read in part.
#include <gtest/gtest.h>

#include <string>

#include "skin/IniText.h"

using namespace skin;

TEST(IniText, SectionsAndKeysInFileOrder) {
  const auto ini = ParseIniText(
      "; a skin\n"
      "stray=1\n"
      "[Form]\r\n"
      "  Color = 5 \r\n"
      "\tFontColor=0 -1 -1 -1 -1 ; inline note\n"
      "[EMPTY]\n"
      "[ spaced ]\n"
      "GradientData=1;2;3;0;0\n"
      "[form]\n"
      "COLOR=9\n"
      "Bevel=2\n");
  ASSERT_TRUE(ini.Ok()) << ini.Error;
  ASSERT_EQ(ini.Sections.size(), 3u);
  EXPECT_EQ(ini.Sections[0].Name, "Form");
  EXPECT_EQ(ini.Sections[1].Name, "EMPTY");  // a section without keys is still there
  EXPECT_TRUE(ini.Sections[1].Values.empty());
  EXPECT_EQ(ini.Sections[2].Name, "spaced");
  const auto* form = ini.Find("FORM");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(*form->Find("color"), "5");  // the first value of a repeated key
  EXPECT_EQ(*form->Find("FONTCOLOR"), "0 -1 -1 -1 -1");
  EXPECT_EQ(*form->Find("BEVEL"), "2");  // a repeated section adds to the first
  EXPECT_EQ(*ini.Sections[2].Find("GRADIENTDATA"), "1;2;3;0;0");
  EXPECT_EQ(form->Find("STRAY"), nullptr);
  EXPECT_EQ(ini.Find("MISSING"), nullptr);
}

TEST(IniText, EmptyTextHasNoSections) {
  EXPECT_TRUE(ParseIniText("").Ok());
  EXPECT_TRUE(ParseIniText("").Sections.empty());
  EXPECT_TRUE(ParseIniText("\n\n;only a comment").Sections.empty());
}

TEST(IniText, MalformedTextIsRefusedWithItsLine) {
  struct Case {
    std::string text;
    int line;
  };
  const std::string longLine = "[A]\nGRADIENTDATA=" + std::string(400, '7') + "\nB=1\n";
  const Case cases[] = {
      {"[A]\nCOLOR=1\nno key here\n", 3},
      {"[A]\n[B\nCOLOR=1\n", 2},  // truncated header
      {longLine, 2},
      {std::string("[A]\nCOLOR=1\0junk\n", 17), 2},
  };
  for (const auto& c : cases) {
    const auto ini = ParseIniText(c.text);
    EXPECT_FALSE(ini.Ok());
    EXPECT_EQ(ini.ErrorLine, c.line) << ini.Error;
    EXPECT_TRUE(ini.Sections.empty());
  }
}

TEST(IniText, LinesUpToTheLimitAreReadWhole) {
  const std::string value(180, '1');
  const auto ini = ParseIniText("[A]\nK=" + value + "\n");
  ASSERT_TRUE(ini.Ok()) << ini.Error;
  EXPECT_EQ(*ini.Sections[0].Find("K"), value);
}
