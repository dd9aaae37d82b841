// The case of names: only the 52 ASCII letters fold; neighbours of the
// letter ranges and the code page's own letters keep their identity.
#include <gtest/gtest.h>

#include "platform/base/AsciiCase.h"

namespace platform {
namespace {

TEST(AsciiCase, OnlyAsciiLettersFold) {
  struct Case {
    std::string_view a, b;
    bool same;
  };
  const Case cases[] = {
      {"Form", "FORM", true},
      {"", "", true},
      {"FORM", "FORMS", false},
      {"@", "`", false},
      {"[", "{", false},
      {"Z", "z", true},
      {"\xC9", "\xE9", false},
      {"\xE9", "\xE9", true},
      {std::string_view("a\0b", 3), "A", false},
      {std::string_view("a\0b", 3), std::string_view("A\0B", 3), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameText(c.a, c.b), c.same) << '"' << c.a << "\" vs \"" << c.b << '"';
    EXPECT_EQ(SameText(c.b, c.a), c.same) << "reversed: " << c.a;
  }
  EXPECT_EQ(UpperCase("@AZ[`az{\xE9_1"), "@AZ[`AZ{\xE9_1");
  EXPECT_EQ(LowerCase("@AZ[`az{\xC9_1"), "@az[`az{\xC9_1");
  static_assert(AsciiUpper('q') == 'Q' && AsciiLower('Q') == 'q' && AsciiUpper('{') == '{');
}

}  // namespace
}  // namespace platform
