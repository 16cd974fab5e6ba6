// Day counting in the proleptic Gregorian calendar. DayNumber is the count
// the changer stores as "Last Change": consecutive dates have consecutive
// numbers and 1 January 1900 is 461.
#ifndef VISTRELL_CALENDAR_H
#define VISTRELL_CALENDAR_H

#include <ctime>

int daysInMonth(int month, int year);
int dayOfYear(int day, int month, int year);
int dayCount(int day, int month, int year);

// dayCount minus the offset that makes 1 January 1900 day 461.
int dayNumberOf(int day, int month, int year);

// The DayNumber of the local date at a moment, and of today.
int dayNumberAt(std::time_t moment);
int todayDayNumber();

#endif
