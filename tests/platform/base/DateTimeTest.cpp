#include "platform/base/DateTime.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TDateTime Date(int y, int m, int d) {
  TDateTime v = 0;
  EXPECT_TRUE(TryEncodeDate(y, m, d, v));
  return v;
}
TDateTime Time(int h, int m, int s, int ms = 0) {
  TDateTime v = 0;
  EXPECT_TRUE(TryEncodeTime(h, m, s, ms, v));
  return v;
}

TEST(DateTime, DayNumbersCountFrom18991230) {
  EXPECT_EQ(Date(1899, 12, 30), 0.0);
  EXPECT_EQ(Date(1900, 1, 1), 2.0);
  EXPECT_EQ(Date(2004, 6, 19), 38157.0);
  EXPECT_EQ(Date(1, 1, 1), -693593.0);
  EXPECT_EQ(Date(9999, 12, 31), 2958465.0);
}

TEST(DateTime, DecodeInvertsEncodeAcrossLeapYearsAndCenturies) {
  for (int y : {1, 4, 100, 400, 1600, 1899, 1900, 2000, 2004, 2100, 9999})
    for (int m = 1; m <= 12; ++m)
      for (int d : {1, 28}) {
        DateParts p = DecodeDate(Date(y, m, d));
        ASSERT_EQ(p.year, y);
        ASSERT_EQ(p.month, m);
        ASSERT_EQ(p.day, d);
      }
  DateParts leap = DecodeDate(Date(2000, 2, 29));
  EXPECT_EQ(leap.day, 29);
  TDateTime dummy;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, dummy));
  EXPECT_FALSE(TryEncodeDate(2004, 13, 1, dummy));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, dummy));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, dummy));
}

TEST(DateTime, TimeOfDayIsTheFractionAndNegativeDatesUseItsMagnitude) {
  TimeParts t = DecodeTime(Date(2004, 5, 6) + Time(18, 30, 15, 250));
  EXPECT_EQ(t.hour, 18);
  EXPECT_EQ(t.minute, 30);
  EXPECT_EQ(t.second, 15);
  EXPECT_EQ(t.millisecond, 250);
  // -1.25 is 1899-12-29 06:00: the whole part is the day, |fraction| the time.
  EXPECT_EQ(DecodeDate(-1.25).day, 29);
  EXPECT_EQ(DecodeTime(-1.25).hour, 6);
}

TEST(DateTime, FormatsWithRegionalPatterns) {
  TDateTime v = Date(2004, 6, 19) + Time(14, 5, 9);
  auto us = RegionalFormatsFor("en_US");
  auto de = RegionalFormatsFor("de_DE");
  EXPECT_EQ(FormatDateTime(us.shortDateFormat, v, us), "6/19/2004");
  EXPECT_EQ(FormatDateTime(us.longTimeFormat, v, us), "2:05:09 PM");
  EXPECT_EQ(FormatDateTime(de.shortDateFormat, v, de), "19.06.2004");
  EXPECT_EQ(FormatDateTime(de.longTimeFormat, v, de), "14:05:09");
  EXPECT_EQ(FormatDateTime("h tt", Date(2004, 6, 19) + Time(0, 1, 0), us), "12 AM");
  EXPECT_EQ(FormatDateTime("dddd d MMMM yy 'at' H:mm:ss.zzz", v + Time(0, 0, 0, 7), us),
            "Saturday 19 June 04 at 14:05:09.007");
}

TEST(DateTime, NowIsATodayValue) {
  TDateTime now = Now();
  EXPECT_GT(now, Date(2020, 1, 1));
  EXPECT_LT(now, Date(2200, 1, 1));
}

}  // namespace
