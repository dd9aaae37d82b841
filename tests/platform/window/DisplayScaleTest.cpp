// The whole-number enlargement of the desktop: the variable wins when it is
// a whole number 1 to 4, anything else is ignored with one line of
// explanation, and otherwise the display's density decides.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/backends/desktop/DisplayScale.h"

namespace platform::test {
namespace {

// What ChooseDisplayScale printed, with its answer.
struct Choice {
  int scale;
  std::string printed;
};

Choice Choose(const char* requested, float dpi) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* err = open_memstream(&text, &size);
  Choice c{ChooseDisplayScale(requested, dpi, err), {}};
  std::fclose(err);
  c.printed.assign(text, size);
  std::free(text);
  return c;
}

TEST(DisplayScale, AWholeFactorFromOneToFourIsTakenAsGivenWhateverTheDisplay) {
  for (const char* v : {"1", "2", "3", "4"}) {
    Choice c = Choose(v, 96);
    EXPECT_EQ(c.scale, v[0] - '0') << v;
    EXPECT_EQ(c.printed, "") << v;
  }
  EXPECT_EQ(Choose("1", 288).scale, 1);  // the user may refuse the enlargement
}

TEST(DisplayScale, AnyOtherValueIsIgnoredWithOneClearLine) {
  for (const char* v : {"0", "5", "1.5", "2x", "-2", " 2", "two", "22"}) {
    Choice c = Choose(v, 192);
    EXPECT_EQ(c.scale, 2) << v << ": the display decides instead";
    EXPECT_NE(c.printed.find(std::string("SPRINTARA_SCALE=") + v + " ignored"), std::string::npos)
        << c.printed;
    EXPECT_EQ(c.printed.find('\n'), c.printed.size() - 1) << "exactly one line: " << c.printed;
  }
  // Unset and empty say nothing.
  EXPECT_EQ(Choose(nullptr, 96).printed, "");
  EXPECT_EQ(Choose("", 96).printed, "");
}

TEST(DisplayScale, TheDisplayDensityGivesTheNearestLowerStep) {
  EXPECT_EQ(Choose(nullptr, 0).scale, 1);  // unknown
  EXPECT_EQ(Choose(nullptr, -5).scale, 1);
  EXPECT_EQ(Choose(nullptr, 96).scale, 1);
  EXPECT_EQ(Choose(nullptr, 120).scale, 1);  // 125 %: no blur for a quarter
  EXPECT_EQ(Choose(nullptr, 144).scale, 1);
  EXPECT_EQ(Choose(nullptr, 168).scale, 2);  // within a quarter of double
  EXPECT_EQ(Choose(nullptr, 192).scale, 2);
  EXPECT_EQ(Choose(nullptr, 288).scale, 3);
  EXPECT_EQ(Choose(nullptr, 1000).scale, 4);  // never beyond four
}

}  // namespace
}  // namespace platform::test
