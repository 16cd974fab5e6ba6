#include "calendar.h"

#include <climits>
#include <ctime>

static const int monthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

static bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year)
{
    if (month == 2 && isLeapYear(year))
        return 29;
    return monthLengths[month - 1];
}

int dayOfYear(int day, int month, int year)
{
    for (int m = 1; m < month; ++m)
        day += daysInMonth(m, year);
    return day;
}

// A day count beyond the 32-bit range stays at its nearest end.
static int clampToInt(long long days)
{
    if (days > INT_MAX)
        return INT_MAX;
    if (days < INT_MIN)
        return INT_MIN;
    return static_cast<int>(days);
}

// 365 for every year up to and including this one, plus the leap days of the
// years before it; the extra 365 is absorbed by the DayNumber offset. Counted
// in 64 bits: 365 * year leaves the 32-bit range from year 5,883,517 on.
static long long wideDayCount(int day, int month, int year)
{
    long long previous = year - 1LL;
    return dayOfYear(day, month, year) + 365LL * year + previous / 4 - previous / 100 + previous / 400;
}

int dayCount(int day, int month, int year)
{
    return clampToInt(wideDayCount(day, month, year));
}

int dayNumberOf(int day, int month, int year)
{
    return clampToInt(wideDayCount(day, month, year) - 693500);
}

int dayNumberAt(std::time_t moment)
{
    const std::tm* local = std::localtime(&moment);
    // The runtime gives no local date for a clock outside its range; the day
    // is then counted from the epoch rather than read through a null pointer.
    if (!local)
        return clampToInt(dayNumberOf(1, 1, 1970) + static_cast<long long>(moment / 86400));
    return dayNumberOf(local->tm_mday, local->tm_mon + 1, local->tm_year + 1900);
}

int todayDayNumber()
{
    return dayNumberAt(std::time(nullptr));
}
