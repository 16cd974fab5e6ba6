#include "calendar.h"

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

int todayDayNumber()
{
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return dayNumberOf(local->tm_mday, local->tm_mon + 1, local->tm_year + 1900);
}
