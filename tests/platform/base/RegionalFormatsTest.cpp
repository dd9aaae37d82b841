#include "platform/base/RegionalFormats.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using platform::RegionalFormatsFor;

TEST(RegionalFormats, UnitedStatesUsesTwelveHourClockWithoutLeadingZero) {
  auto f = RegionalFormatsFor("en_US.UTF-8");
  EXPECT_EQ(f.shortDateFormat, "M/d/yyyy");
  EXPECT_EQ(f.longTimeFormat, "h:mm:ss tt");
  EXPECT_EQ(f.dateSeparator, '/');
  EXPECT_EQ(f.timeSeparator, ':');
  EXPECT_EQ(f.timeAMString, "AM");
  EXPECT_EQ(f.timePMString, "PM");
  EXPECT_FALSE(f.hourLeadingZero);
  EXPECT_FALSE(f.twentyFourHour);
  EXPECT_FALSE(f.markerFirst);
}

TEST(RegionalFormats, GermanyUsesDotsAndTwentyFourHours) {
  auto f = RegionalFormatsFor("de-DE");
  EXPECT_EQ(f.shortDateFormat, "dd.MM.yyyy");
  EXPECT_EQ(f.longTimeFormat, "HH:mm:ss");
  EXPECT_EQ(f.dateSeparator, '.');
  EXPECT_TRUE(f.hourLeadingZero);
  EXPECT_TRUE(f.twentyFourHour);
}

TEST(RegionalFormats, OtherRegionsAndFallbacks) {
  EXPECT_EQ(RegionalFormatsFor("en_GB").shortDateFormat, "dd/MM/yyyy");
  EXPECT_EQ(RegionalFormatsFor("fr_FR").longTimeFormat, "HH:mm:ss");
  EXPECT_EQ(RegionalFormatsFor("ru_RU").dateSeparator, '.');
  EXPECT_FALSE(RegionalFormatsFor("es_ES").hourLeadingZero);
  EXPECT_EQ(RegionalFormatsFor("C").shortDateFormat, "M/d/yyyy");
  EXPECT_EQ(RegionalFormatsFor("").shortDateFormat, "M/d/yyyy");
  // A region we keep no table for still gets a complete, four-digit-year set.
  auto other = RegionalFormatsFor("hu_HU");
  EXPECT_NE(other.shortDateFormat.find("yyyy"), std::string::npos);
  EXPECT_NE(other.longTimeFormat.find("mm"), std::string::npos);
  auto unknown = RegionalFormatsFor("zz_ZZ");
  EXPECT_FALSE(unknown.shortDateFormat.empty());
  EXPECT_FALSE(unknown.longTimeFormat.empty());
}

TEST(RegionalFormats, UserFormatsFollowTheEnvironmentAfterReload) {
  const char* saved = std::getenv("LC_ALL");
  std::string keep = saved ? saved : "";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  platform::ReloadUserRegionalFormats();
  EXPECT_EQ(platform::UserRegionalFormats().shortDateFormat, "dd.MM.yyyy");
  setenv("LC_ALL", "en_US.UTF-8", 1);
  EXPECT_EQ(platform::UserRegionalFormats().shortDateFormat, "dd.MM.yyyy");  // cached
  platform::ReloadUserRegionalFormats();
  EXPECT_EQ(platform::UserRegionalFormats().shortDateFormat, "M/d/yyyy");
  if (saved)
    setenv("LC_ALL", keep.c_str(), 1);
  else
    unsetenv("LC_ALL");
  platform::ReloadUserRegionalFormats();
}

}  // namespace
