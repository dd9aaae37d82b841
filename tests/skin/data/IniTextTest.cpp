// The ini text as the skin readers see it: order, repeats, long lines, and
// damaged lines that are skipped and noted while the rest is read.
#include <gtest/gtest.h>

#include <string>

#include "skin/data/IniText.h"

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
  EXPECT_TRUE(ini.Problems.empty());
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
  EXPECT_TRUE(ParseIniText("").Problems.empty());
  EXPECT_TRUE(ParseIniText("").Sections.empty());
  EXPECT_TRUE(ParseIniText("\n\n;only a comment").Sections.empty());
}

TEST(IniText, MalformedLinesAreSkippedAndNotedAndTheRestIsRead) {
  struct Case {
    std::string text;
    int line;           // the line noted
    std::string value;  // K of section A, read past the bad line
    bool color;         // COLOR of section A read
  };
  const Case cases[] = {
      {"[A]\nCOLOR=1\nno key here\nK=2\n", 3, "2", true},
      {"[A]\nK=3\n[B\nCOLOR=1\n", 3, "3", false},  // an unclosed header: its keys go nowhere
      {"[A]\nCOLOR=1" + std::string(1, '\0') + "junk\nK=4\n", 2, "4", false},
  };
  for (const auto& c : cases) {
    const auto ini = ParseIniText(c.text);
    ASSERT_EQ(ini.Problems.size(), 1u) << c.text;
    EXPECT_EQ(ini.Problems[0].rfind("line " + std::to_string(c.line) + ":", 0), 0u)
        << ini.Problems[0];
    ASSERT_NE(ini.Find("A"), nullptr);
    ASSERT_NE(ini.Find("A")->Find("K"), nullptr);
    EXPECT_EQ(*ini.Find("A")->Find("K"), c.value);
    EXPECT_EQ(ini.Find("A")->Find("COLOR") != nullptr, c.color);
    EXPECT_EQ(ini.Find("B"), nullptr);
  }
  // A file of nothing but damage names a few lines and counts the rest.
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += "junk\n";
  const auto damaged = ParseIniText(junk + "[A]\nK=1\n");
  EXPECT_LE(damaged.Problems.size(), 21u);
  EXPECT_NE(damaged.Problems.back().find("4980 more"), std::string::npos)
      << damaged.Problems.back();
  EXPECT_EQ(*damaged.Sections.at(0).Find("K"), "1");
}

TEST(IniText, LinesOfAnyLengthAreReadWhole) {
  // An eight-band gradient is 212 characters; a hostile file much more.
  for (const std::size_t length : {180u, 212u, 100000u}) {
    const std::string value(length, '1');
    const auto ini = ParseIniText("[A]\nK=" + value + "\nB=2\n");
    EXPECT_TRUE(ini.Problems.empty());
    EXPECT_EQ(*ini.Sections[0].Find("K"), value);
    EXPECT_EQ(*ini.Sections[0].Find("B"), "2");
  }
}
