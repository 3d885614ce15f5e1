#include <gtest/gtest.h>

#include "ole_date_time.h"

TEST(DateTime, SystemTimeRoundTripKeepsTheSecondAndFillsTheDayOfWeek) {
    SYSTEMTIME in{};
    in.wYear = 2007;
    in.wMonth = 8;
    in.wDay = 26;
    in.wHour = 7;
    in.wMinute = 30;
    in.wSecond = 45;
    in.wMilliseconds = 999;
    const COleDateTime value(in);
    ASSERT_EQ(value.GetStatus(), COleDateTime::valid);
    SYSTEMTIME out{};
    ASSERT_TRUE(value.GetAsSystemTime(out));
    EXPECT_EQ(out.wYear, 2007);
    EXPECT_EQ(out.wMonth, 8);
    EXPECT_EQ(out.wDay, 26);
    EXPECT_EQ(out.wHour, 7);
    EXPECT_EQ(out.wMinute, 30);
    EXPECT_EQ(out.wSecond, 45);
    EXPECT_EQ(out.wDayOfWeek, 0);  // a Sunday
    EXPECT_EQ(out.wMilliseconds, 0);
}

TEST(DateTime, FieldsThatNameNoRealMomentGiveAnInvalidValue) {
    SYSTEMTIME bad{};
    bad.wYear = 2007;
    bad.wMonth = 13;
    bad.wDay = 1;
    const COleDateTime value(bad);
    EXPECT_EQ(value.GetStatus(), COleDateTime::invalid);
    SYSTEMTIME out{};
    out.wYear = 1;
    EXPECT_FALSE(value.GetAsSystemTime(out));
    EXPECT_EQ(out.wYear, 1);
}

TEST(DateTime, NowComesFromTheReplaceableClock) {
    SetPlatformClock([] { return QDateTime(QDate(2026, 12, 7), QTime(5, 20, 1, 500)); });
    SYSTEMTIME now{};
    ASSERT_TRUE(COleDateTime::GetCurrentTime().GetAsSystemTime(now));
    SetPlatformClock(nullptr);
    EXPECT_EQ(now.wYear, 2026);
    EXPECT_EQ(now.wSecond, 1);
    EXPECT_EQ(now.wMilliseconds, 0);
}
