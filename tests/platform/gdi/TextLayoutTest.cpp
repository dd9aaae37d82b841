#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/TextLayout.h"

namespace platform {
namespace {

// Every character 10 pixels wide except '.', 4; tab stops every 48.
class FixedMeasure : public TextMeasure {
 public:
  int Advance(unsigned char c) override { return c == '.' ? 4 : 10; }
  int AveCharWidth() override { return 6; }
};

std::vector<std::string> Texts(const TextLayoutResult& r) {
  std::vector<std::string> out;
  for (const auto& l : r.lines) out.push_back(l.text);
  return out;
}

using Lines = std::vector<std::string>;

TEST(TextLayout, PrefixesUnderlineHideOrStayLiteral) {
  FixedMeasure m;
  auto r = LayoutText("&File", DT_SINGLELINE, 500, m);
  EXPECT_EQ(r.lines[0].text, "File");
  EXPECT_EQ(r.lines[0].marks, std::vector<std::size_t>{0});
  EXPECT_EQ(r.lines[0].width, 40);
  r = LayoutText("Save && E&xit&", DT_SINGLELINE, 500, m);
  EXPECT_EQ(r.lines[0].text, "Save & Exit");  // a lone "&" at the end disappears
  EXPECT_EQ(r.lines[0].marks, std::vector<std::size_t>{8});
  r = LayoutText("A&&&B", DT_SINGLELINE, 500, m);
  EXPECT_EQ(r.lines[0].text, "A&B");
  EXPECT_EQ(r.lines[0].marks, std::vector<std::size_t>{2});
  r = LayoutText("&File && more", DT_SINGLELINE | DT_NOPREFIX, 500, m);
  EXPECT_EQ(r.lines[0].text, "&File && more");
  EXPECT_TRUE(r.lines[0].marks.empty());
  r = LayoutText("&File", DT_SINGLELINE | DT_HIDEPREFIX, 500, m);
  EXPECT_EQ(r.lines[0].text, "File");
  EXPECT_TRUE(r.lines[0].marks.empty());
}

TEST(TextLayout, LinesBreakOnlyAtLineBreaksUnlessWordBreak) {
  FixedMeasure m;
  EXPECT_EQ(Texts(LayoutText("a\r\nbb\nccc\rd\n", 0, 15, m)), (Lines{"a", "bb", "ccc", "d"}));
  EXPECT_EQ(Texts(LayoutText("a\r\nb", DT_SINGLELINE, 15, m)), (Lines{"a\r\nb"}));
  // Long lines overflow without word break...
  EXPECT_EQ(Texts(LayoutText("aa bb cc", 0, 40, m)), (Lines{"aa bb cc"}));
  // ...and wrap at blanks with it; blanks at a break belong to neither line.
  EXPECT_EQ(Texts(LayoutText("aa bb cc", DT_WORDBREAK, 50, m)), (Lines{"aa bb", "cc"}));
  EXPECT_EQ(Texts(LayoutText("aa bb cc", DT_WORDBREAK, 40, m)), (Lines{"aa", "bb", "cc"}));
  EXPECT_EQ(Texts(LayoutText("aa    bb", DT_WORDBREAK, 30, m)), (Lines{"aa", "bb"}));
  // A word wider than the rectangle stands alone.
  EXPECT_EQ(Texts(LayoutText("abcdefgh ij", DT_WORDBREAK, 30, m)), (Lines{"abcdefgh", "ij"}));
  EXPECT_EQ(Texts(LayoutText("one two\nthree", DT_WORDBREAK, 35, m)),
            (Lines{"one", "two", "three"}));
  auto r = LayoutText("aa bb cc", DT_WORDBREAK, 50, m);
  EXPECT_EQ(r.maxWidth, 50);
}

TEST(TextLayout, TabsExpandToStops) {
  FixedMeasure m;
  EXPECT_EQ(LayoutText("a\tb", DT_SINGLELINE | DT_EXPANDTABS, 500, m).lines[0].width, 58);
  EXPECT_EQ(LayoutText("a\tb", DT_SINGLELINE, 500, m).lines[0].width, 30);
  EXPECT_EQ(LayoutText("a\tb", DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8), 500, m)
                .lines[0]
                .width,
            34);
  // Past a stop, the next one.
  EXPECT_EQ(LayoutText("abcde\tb", DT_SINGLELINE | DT_EXPANDTABS, 500, m).lines[0].width, 106);
}

TEST(TextLayout, EndEllipsisCutsToFit) {
  FixedMeasure m;
  auto r = LayoutText("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 60, m);
  EXPECT_EQ(r.lines[0].text, "abcd...");
  EXPECT_EQ(r.lines[0].width, 52);
  // Text that fits is left alone; every line is handled on its own.
  EXPECT_EQ(Texts(LayoutText("abc\nabcdefghij", DT_END_ELLIPSIS, 60, m)),
            (Lines{"abc", "abcd..."}));
  // Measuring keeps the full text.
  r = LayoutText("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT, 60, m);
  EXPECT_EQ(r.lines[0].text, "abcdefghij");
  EXPECT_EQ(r.maxWidth, 100);
  // Marks survive the cut.
  r = LayoutText("&Open a long file", DT_SINGLELINE | DT_END_ELLIPSIS, 60, m);
  EXPECT_EQ(r.lines[0].text, "Open...");
  EXPECT_EQ(r.lines[0].marks, std::vector<std::size_t>{0});
  // Nothing fits: just the dots.
  EXPECT_EQ(LayoutText("abc", DT_SINGLELINE | DT_END_ELLIPSIS, 5, m).lines[0].text, "...");
}

TEST(TextLayout, PathEllipsisKeepsTheLastPart) {
  FixedMeasure m;
  const char* path = "C:\\dir\\sub\\file.txt";  // tail "\file.txt" is 84 wide
  auto r = LayoutText(path, DT_SINGLELINE | DT_PATH_ELLIPSIS, 150, m);
  EXPECT_EQ(r.lines[0].text, "C:\\di...\\file.txt");
  EXPECT_LE(r.lines[0].width, 150);
  EXPECT_EQ(LayoutText(path, DT_SINGLELINE | DT_PATH_ELLIPSIS, 500, m).lines[0].text, path);
  // No room for any of the start: the last part stays whole (and is clipped)...
  EXPECT_EQ(LayoutText(path, DT_SINGLELINE | DT_PATH_ELLIPSIS, 50, m).lines[0].text,
            "...\\file.txt");
  // ...unless an end ellipsis is asked for too.
  r = LayoutText(path, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS, 50, m);
  EXPECT_EQ(r.lines[0].text, "...\\f...");
  EXPECT_LE(r.lines[0].width, 50);
  // Without a backslash the whole text is the last part.
  EXPECT_EQ(LayoutText("abcdefghij", DT_SINGLELINE | DT_PATH_ELLIPSIS, 60, m).lines[0].text,
            "abcdefghij");
}

}  // namespace
}  // namespace platform
