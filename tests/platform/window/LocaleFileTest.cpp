// The user's locale file: what is read from it, and how the environment
// follows it as it changes (a variable it stops naming gets its value
// from before back).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "platform/backends/desktop/LocaleFile.h"

namespace platform::test {
namespace {

TEST(LocaleFile, ReadsLangAndTheLcVariablesOnly) {
  struct Case {
    const char* text;
    std::map<std::string, std::string> want;
  } cases[] = {
      {"LANG=de_DE.UTF-8\n", {{"LANG", "de_DE.UTF-8"}}},
      {"  LC_TIME=\"en_GB.UTF-8\"  \r\nLANG='fr_FR'",
       {{"LC_TIME", "en_GB.UTF-8"}, {"LANG", "fr_FR"}}},
      {"# LANG=de_DE\n\nLANGUAGE=de:en\nPATH=/bin\nLC_time=x\nLC_NUMERIC=de_DE\n",
       {{"LC_NUMERIC", "de_DE"}}},
      {"LANG=de_DE\nLANG=it_IT\n", {{"LANG", "it_IT"}}},  // the last line wins
      {"LANG\n=de_DE\nLC_ALL=\n", {{"LC_ALL", ""}}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLocaleFile(c.text), c.want) << c.text;
}

TEST(LocaleFile, TheEnvironmentFollowsTheFileAndGetsItsValuesBack) {
  setenv("LC_TIME", "en_US.UTF-8", 1);
  unsetenv("LC_PAPER");
  LocaleEnvironment environment;
  EXPECT_TRUE(environment.Apply({{"LC_TIME", "de_DE.UTF-8"}, {"LC_PAPER", "de_DE"}}));
  EXPECT_STREQ(std::getenv("LC_TIME"), "de_DE.UTF-8");
  EXPECT_STREQ(std::getenv("LC_PAPER"), "de_DE");
  EXPECT_FALSE(environment.Apply({{"LC_TIME", "de_DE.UTF-8"}, {"LC_PAPER", "de_DE"}}))
      << "nothing changed";
  EXPECT_TRUE(environment.Apply({{"LC_TIME", "fr_FR.UTF-8"}}));
  EXPECT_STREQ(std::getenv("LC_TIME"), "fr_FR.UTF-8");
  EXPECT_EQ(std::getenv("LC_PAPER"), nullptr) << "a variable named no longer is unset again";
  EXPECT_TRUE(environment.Apply({}));  // the file removed
  EXPECT_STREQ(std::getenv("LC_TIME"), "en_US.UTF-8");
  unsetenv("LC_TIME");
}

}  // namespace
}  // namespace platform::test
