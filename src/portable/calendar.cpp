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

int dayCount(int day, int month, int year)
{
    // 365 for every year up to and including this one, plus the leap days of
    // the years before it; the extra 365 is absorbed by the DayNumber offset.
    int previous = year - 1;
    return dayOfYear(day, month, year) + 365 * year + previous / 4 - previous / 100 + previous / 400;
}

int dayNumberOf(int day, int month, int year)
{
    return dayCount(day, month, year) - 693500;
}

int dayNumberAt(std::time_t moment)
{
    const std::tm* local = std::localtime(&moment);
    // The runtime gives no local date for a clock outside its range; the day
    // is then counted from the epoch rather than read through a null pointer.
    if (!local) {
        const long long epoch = dayNumberOf(1, 1, 1970);
        long long day = epoch + static_cast<long long>(moment / 86400);
        if (day > INT_MAX)
            return INT_MAX;
        if (day < INT_MIN)
            return INT_MIN;
        return static_cast<int>(day);
    }
    return dayNumberOf(local->tm_mday, local->tm_mon + 1, local->tm_year + 1900);
}

int todayDayNumber()
{
    return dayNumberAt(std::time(nullptr));
}
