#include "calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>

TEST(Calendar, CheckValues)
{
    EXPECT_EQ(dayNumberOf(1, 1, 1900), 461);
    EXPECT_EQ(dayNumberOf(1, 7, 1998), 36436);
    EXPECT_EQ(dayNumberOf(28, 2, 2000), 37043);
    EXPECT_EQ(dayNumberOf(29, 2, 2000), 37044);
    EXPECT_EQ(dayNumberOf(1, 3, 2000), 37045);
    EXPECT_EQ(dayNumberOf(31, 12, 2000), 37350);
    EXPECT_EQ(dayNumberOf(1, 1, 2001), 37351);
    EXPECT_EQ(dayNumberOf(6, 12, 2026), 46821);
    EXPECT_EQ(dayOfYear(1, 3, 2000), 61);
}

TEST(Calendar, MonthLengthsAndLeapYears)
{
    // Centuries are leap years only when divisible by 400.
    const struct {
        int month;
        int year;
        int days;
    } months[] = {{2, 1900, 28}, {2, 2000, 29}, {2, 2024, 29}, {2, 2100, 28}, {4, 2023, 30}, {12, 2023, 31}};
    for (const auto& m : months)
        EXPECT_EQ(daysInMonth(m.month, m.year), m.days) << m.month << "/" << m.year;
}

// Every day from 1600 to 2400 against the C library's UTC calendar: the
// DayNumber is the days since the epoch shifted by a fixed offset, so
// consecutive dates always have consecutive numbers.
TEST(Calendar, AgreesWithTheCLibraryCalendarFrom1600To2400)
{
    std::tm first = {};
    first.tm_year = 1600 - 1900;
    first.tm_mday = 1;
    std::tm last = {};
    last.tm_year = 2400 - 1900;
    last.tm_mon = 11;
    last.tm_mday = 31;
    const long long day = 86400;
    const long long from = timegm(&first) / day;
    const long long to = timegm(&last) / day;
    ASSERT_EQ(to - from + 1, 292560) << "801 Gregorian years from 1600 hold 292,560 days";

    const int offset = dayNumberOf(1, 1, 1970);
    int previous = dayNumberOf(1, 1, 1600) - 1;
    for (long long days = from; days <= to; ++days) {
        std::time_t moment = static_cast<std::time_t>(days * day);
        std::tm date;
        ASSERT_NE(gmtime_r(&moment, &date), nullptr);
        int d = date.tm_mday;
        int m = date.tm_mon + 1;
        int y = date.tm_year + 1900;
        int number = dayNumberOf(d, m, y);
        ASSERT_EQ(number, offset + days) << y << "-" << m << "-" << d;
        ASSERT_EQ(number, previous + 1);
        ASSERT_LE(d, daysInMonth(m, y));
        previous = number;
    }
    EXPECT_EQ(previous, dayNumberOf(31, 12, 2400));
}

TEST(Calendar, TodayIsTheLocalDate)
{
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    int expected = dayNumberOf(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    int today = todayDayNumber();
    // Allow for a midnight between the two reads.
    EXPECT_TRUE(today == expected || today == expected + 1);
}

TEST(Calendar, AClockBeyondTheRuntimesRangeStillGivesADay)
{
    // Far beyond any date the runtime can express: there is no local date,
    // and the day count lies far after (or before) today instead of failing.
    const std::time_t farAhead = static_cast<std::time_t>(1) << 62;
    ASSERT_EQ(std::localtime(&farAhead), nullptr);
    EXPECT_GT(dayNumberAt(farAhead), todayDayNumber() + 1000000);
    EXPECT_LT(dayNumberAt(-farAhead), dayNumberOf(1, 1, 1600));
}

TEST(Calendar, AFarFutureLocalDateStaysAtTheEndOfTheRange)
{
    // Year ten million has a local date here, but its day count lies beyond
    // 32 bits: it must neither overflow nor wrap to a day in the past.
    const std::time_t tenMillionYears = static_cast<std::time_t>(10000000LL * 31556952LL);
    ASSERT_NE(std::localtime(&tenMillionYears), nullptr);
    EXPECT_EQ(dayNumberAt(tenMillionYears), INT_MAX);
    EXPECT_EQ(dayNumberOf(1, 1, 10000000), INT_MAX);
}
