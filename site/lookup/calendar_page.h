#pragma once

// The perpetual-calendar page: one Gregorian month in a grid of Sunday-first
// weeks, each day with its lunar day (the month's name on its first day),
// its solar term and its holidays, and links to the neighbouring months and
// years.

#include <string>

#include "widget/calendar/gregorian.h"
#include "widget/calendar/holiday_table.h"

// The months the lunar tables describe from their first to their last day.
inline constexpr int kFirstCalendarYear = 1901;
inline constexpr int kLastCalendarYear = 2050;

// The page's own address; the month shown is added as "&y=2026&m=2".
inline constexpr char kCalendarPagePath[] = "/software/lookup.asp?id=wannianli";

// The whole document for `year`-`month` (kFirstCalendarYear..kLastCalendarYear,
// 1-12), marking `today` when it lies in that month.
std::string CalendarMonthDocument(int year, int month, GregorianDate today, const HolidayTable& holidays);

// The address of a month's page, escaped for an HTML attribute.
std::string CalendarMonthLink(int year, int month);
