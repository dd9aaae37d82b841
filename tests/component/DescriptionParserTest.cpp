// The text format of stored descriptions, parsed without applying it.
#include "component/Description.h"

#include <gtest/gtest.h>

#include "component/CompiledDescription.h"
#include "component/Exception.h"

using namespace component;

namespace {

const TDescriptionValue& Value(const TDescriptionObject& o, std::size_t i) {
  return o.properties.at(i).value;
}

TEST(DescriptionParserTest, ReadsObjectsPropertiesAndNestedObjectsWithTheirLines) {
  TDescriptionObject root = ParseDescription(
      "object Main: TMain\n"
      "  Left = 243\n"
      "  Font.Name = 'Arial'\n"
      "  object Panel1: TPanel\n"
      "    object TBevel\n"
      "    END\n"
      "  end\n"
      "  OBJECT Table_Competitors: TMemTable\n"
      "  end\n"
      "end\n",
      "Main.sdesc");
  EXPECT_EQ(root.name, "Main");
  EXPECT_EQ(root.className, "TMain");
  ASSERT_EQ(root.properties.size(), 2u);
  EXPECT_EQ(root.properties[1].path, "Font.Name");
  EXPECT_EQ(root.properties[1].line, 3);
  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(root.children[0].line, 4);
  ASSERT_EQ(root.children[0].children.size(), 1u);
  EXPECT_EQ(root.children[0].children[0].name, "");
  EXPECT_EQ(root.children[0].children[0].className, "TBevel");
  EXPECT_EQ(root.children[1].name, "Table_Competitors");
}

// Every kind of value, in the text and in the compiled form made from it.
TEST(DescriptionParserTest, ReadsEveryKindOfValue) {
  TDescriptionObject parsed = ParseDescription(
      "object A: TA\n"
      "  I = -17\n"
      "  H = $FF00000D\n"
      "  F = 2.5E-3\n"
      "  S = 'It''s'#13#10'two' + // comment\n"
      "      ' lines' + #$41#8364\n"
      "  Id = Main.DS_Competitors\n"
      "  St = [fsBold, fsItalic]\n"
      "  E = []\n"
      "  B = {0A ff\n"
      "       10}\n"
      "  L = ('4:3' '16:9' 7)\n"
      "  C = <\n"
      "    item\n"
      "      Name = 'x'\n"
      "      Sub = <item end>\n"
      "    end\n"
      "    item\n"
      "    end>\n"
      "  Empty = ''\n"
      "end",
      "t");
  const std::string compiled = CompileDescription(parsed);
  ASSERT_TRUE(IsCompiledDescription(compiled));
  for (const TDescriptionObject& o : {parsed, LoadCompiledDescription(compiled, "t")}) {
    EXPECT_EQ(Value(o, 0).type, TDescriptionValueType::Integer);
    EXPECT_EQ(Value(o, 0).integer, -17);
    EXPECT_TRUE(Value(o, 1).hex);
    EXPECT_EQ(Value(o, 1).raw, 0xFF00000Du);
    EXPECT_EQ(Value(o, 2).type, TDescriptionValueType::Float);
    EXPECT_DOUBLE_EQ(Value(o, 2).real, 2.5e-3);
    EXPECT_EQ(Value(o, 3).text, "It's\r\ntwo linesA\x80");
    EXPECT_EQ(Value(o, 4).type, TDescriptionValueType::Identifier);
    EXPECT_EQ(Value(o, 4).text, "Main.DS_Competitors");
    EXPECT_EQ(Value(o, 5).identifiers, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(Value(o, 6).identifiers.empty());
    EXPECT_EQ(Value(o, 7).bytes, (std::vector<std::uint8_t>{0x0A, 0xFF, 0x10}));
    ASSERT_EQ(Value(o, 8).list.size(), 3u);
    EXPECT_EQ(Value(o, 8).list[1].text, "16:9");
    EXPECT_EQ(Value(o, 8).list[2].integer, 7);
    const TDescriptionValue& c = Value(o, 9);
    ASSERT_EQ(c.items.size(), 2u);
    EXPECT_EQ(c.items[0].line, 14);
    EXPECT_EQ(c.items[0].properties[1].value.items.size(), 1u);
    EXPECT_TRUE(c.items[1].properties.empty());
    EXPECT_EQ(o.properties[10].line, 20);  // lines counted through blocks and items
    EXPECT_EQ(Value(o, 10).type, TDescriptionValueType::String);
    EXPECT_EQ(Value(o, 10).text, "");
  }
}

TEST(DescriptionParserTest, CompiledFormIsRecognisedAndRefusedWhenDamaged) {
  TDescriptionObject parsed = ParseDescription(
      "object A: TA\n  B = {0A0B}\n  L = (1 'x' [a])\n  C = <item N = 2.5 end>\n"
      "  object D: TD\n  end\nend",
      "t");
  const std::string compiled = CompileDescription(parsed);
  EXPECT_FALSE(IsCompiledDescription("object A: TA\nend"));
  EXPECT_EQ(CompileDescription(LoadCompiledDescription(compiled, "t")), compiled);
  // Cut anywhere: refused with the file named, never read past the end.
  for (std::size_t n = 0; n < compiled.size(); ++n)
    EXPECT_THROW(LoadCompiledDescription(compiled.substr(0, n), "t"), EParserError) << n;
  EXPECT_THROW(LoadCompiledDescription(compiled + '\0', "t"), EParserError);
  // Any byte changed: either a tree or the same refusal.
  for (std::size_t i = 5; i < compiled.size(); ++i) {
    std::string damaged = compiled;
    damaged[i] = static_cast<char>(damaged[i] ^ 0xC1);
    try {
      LoadCompiledDescription(damaged, "t");
    } catch (const EParserError& e) {
      EXPECT_EQ(e.FileName(), "t");
    }
  }
}

TEST(DescriptionParserTest, KeywordsMayAlsoNameProperties) {
  TDescriptionObject o = ParseDescription("object A: TA\n End = 1\n Object = 2\nend", "t");
  ASSERT_EQ(o.properties.size(), 2u);
  EXPECT_EQ(o.properties[0].path, "End");
}

struct BadText {
  const char* text;
  const char* message;
};

class DescriptionParserErrorTest : public ::testing::TestWithParam<BadText> {};

TEST_P(DescriptionParserErrorTest, NamesFileLineAndProblem) {
  try {
    ParseDescription(GetParam().text, "Main.sdesc");
    FAIL() << "parsed: " << GetParam().text;
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Message(), GetParam().message);
    EXPECT_EQ(e.FileName(), "Main.sdesc");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, DescriptionParserErrorTest,
    ::testing::Values(
        BadText{"", "Main.sdesc(1): 'object' expected, found end of file"},
        BadText{"object A: TA\n  Left = 1\n",
                "Main.sdesc(3): 'end' of A expected, found end of file"},
        BadText{"object A: TA\n  Left 1\nend",
                "Main.sdesc(2): property, 'object' or 'end' expected in A, found 'Left'"},
        BadText{"object A: TA\n  Caption = 'open\nend", "Main.sdesc(2): unterminated string"},
        BadText{"object A: TA\n  X = 'a' +\nend",
                "Main.sdesc(3): string expected after '+', found 'end'"},
        BadText{"object A: TA\n  X = 99999999999999999999\nend",
                "Main.sdesc(2): number out of range"},
        BadText{"object A: TA\n  X = $\nend",
                "Main.sdesc(2): hexadecimal digits expected after '$'"},
        BadText{"object A: TA\n  X = 12ab\nend", "Main.sdesc(2): invalid number '12a'"},
        BadText{"object A: TA\n  X = {0A 1}\nend",
                "Main.sdesc(2): odd number of hex digits in binary block"},
        BadText{"object A: TA\n  X = {0A\n  zz}\nend",
                "Main.sdesc(3): invalid character in binary block"},
        BadText{"object A: TA\n  X = {0A\n", "Main.sdesc(2): unterminated binary block"},
        BadText{"object A: TA\n  X = [a b]\nend",
                "Main.sdesc(2): ',' or ']' expected in set, found 'b'"},
        BadText{"object A: TA\n  X = ('a'\nend",
                "Main.sdesc(2): ')' expected to close the list of 'X'"},
        BadText{"object A: TA\n  X = <thing>\nend",
                "Main.sdesc(2): 'item' or '>' expected in collection, found 'thing'"},
        BadText{"object A: TA\n  X = #9999\nend",
                "Main.sdesc(2): character #9999 has no Windows-1252 equivalent"},
        BadText{"object A: TA\n  X = =\nend", "Main.sdesc(2): value expected for 'X', found '='"},
        BadText{"object A: TA\n  X = 1 ; \nend", "Main.sdesc(2): unexpected character ';'"},
        BadText{
            "object A: TA\n  object B: TB\n  end\n  Left = 1\nend",
            "Main.sdesc(4): property 'Left' of A follows a nested object; properties come first"},
        BadText{"object A.B: TA\nend", "Main.sdesc(1): invalid object name or class 'A.B'"},
        BadText{"object A: TA\nend\nobject B: TB\nend",
                "Main.sdesc(3): end of file expected after the outermost 'end', found 'object'"}));

TEST(DescriptionParserTest, RefusesNestingDeepEnoughToExhaustTheStack) {
  std::string deep = "object A: TA\n X = ";
  for (int i = 0; i < 100000; ++i) deep += "(";
  try {
    ParseDescription(deep, "deep.sdesc");
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Detail(), "values nested too deeply");
  }
  std::string objects;
  for (int i = 0; i < 100000; ++i) objects += "object A: TA\n";
  EXPECT_THROW(ParseDescription(objects, "deep.sdesc"), EParserError);
}

}  // namespace
