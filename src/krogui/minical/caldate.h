#pragma once
// Calendar arithmetic of the month calendar, free of widgets: leap years, month lengths, weekdays,
// ISO week numbers, the date of Easter, the placement of a month on the calendar's grid, and
// stepping a date by months and years without leaving the month reached.
//
// Dates are proleptic Gregorian from 1 January 1 to 31 December 9999 (MinCalYear..MaxCalYear).

#include <krogui/core/types.h>
#include <krogui/kroguiexport.h>

#include <QDate>
#include <QObject>

namespace kro {

namespace MiniCalEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// A day of the week; the ordinal is the day's index from Monday (0) to Sunday (6).
enum TDayOfWeek : int { dwMon, dwTue, dwWed, dwThu, dwFri, dwSat, dwSun };
Q_ENUM_NS(TDayOfWeek)
} // namespace MiniCalEnums
using namespace MiniCalEnums;

constexpr int MinCalYear = 1;
constexpr int MaxCalYear = 9999;

/// Gregorian leap year rule (every fourth year, except centuries not divisible by 400).
KROGUI_EXPORT bool IsLeapYear(int Year);
/// Days of Month in Year: 28..31; 0 for a month outside 1..12.
KROGUI_EXPORT int DaysPerMonth(int Year, int Month);
/// Whether Year, Month, Day name a date of the calendar (within MinCalYear..MaxCalYear).
KROGUI_EXPORT bool IsValidCalDate(int Year, int Month, int Day);
/// Day of the week counted Monday = 1 .. Sunday = 7 (0 for an invalid date).
KROGUI_EXPORT int DayOfTheWeek(int Year, int Month, int Day);
/// ISO 8601 week number (1..53) of the date: weeks start on Monday and week 1 holds the year's
/// first Thursday, so early January can belong to the previous year's last week and late
/// December to the next year's week 1. 0 for an invalid date.
KROGUI_EXPORT int WeekOfTheYear(int Year, int Month, int Day);
KROGUI_EXPORT int WeekOfTheYear(const QDate &Date);

/// Easter Sunday of Year by Gauss's rule for the Gregorian calendar: Month is 3 or 4.
KROGUI_EXPORT void CalcEasterSunday(int Year, int &Day, int &Month);
/// The movable feasts counted in days after Easter Sunday, in the order of their names.
constexpr int NumMovableHolidays = 6;
KROGUI_EXPORT int MovableHolidayOffset(int Index);
/// Index (0..NumMovableHolidays-1) of the movable feast on the date, -1 when there is none.
KROGUI_EXPORT int MovableHolidayIndex(int Year, int Month, int Day);

// ---- the month on the grid -------------------------------------------------------------------
// Column 0 holds week numbers, columns 1..7 the days of a week from the first day of the week on;
// rows 2..7 are six weeks. Day 1 of a month sits in row 2, unless the month starts on the first
// day of the week: then it opens row 3 and row 2 shows the last week of the previous month, so
// that both neighbouring months are always visible.

constexpr int CalFirstWeekRow = 2;
constexpr int CalLastWeekRow = 7;

/// Layout offset of a month: the day number shown at (Col, Row) is Col + MonOfs + 7 Row - 15.
KROGUI_EXPORT int MonthOffset(int Year, int Month, TDayOfWeek FirstDay);
/// Day number at a day cell (Col 1..7, Row 2..7): below 1 for the previous month's days, above
/// the month's length for the next month's.
constexpr int DayAtCell(int Col, int Row, int MonOfs)
{
    return Col + MonOfs + 7 * Row - 15;
}
/// The cell that shows day Day (which may lie outside the month); false when it is not shown.
KROGUI_EXPORT bool CellOfDay(int Day, int MonOfs, int &Col, int &Row);
/// Weekday index (0 = Monday) of a day column 1..7.
constexpr int WeekdayOfColumn(int Col, TDayOfWeek FirstDay)
{
    return (Col + int(FirstDay) - 1) % 7;
}

// ---- stepping --------------------------------------------------------------------------------
/// Moves Date by Step months keeping its day, limited to the length of the month reached. A step
/// that would leave MinCalYear..MaxCalYear returns Date unchanged.
KROGUI_EXPORT QDate StepMonth(const QDate &Date, int Step);
/// Moves Date by Step years; 29 February becomes 28 February in a year that is not a leap year.
/// A step that would leave MinCalYear..MaxCalYear returns Date unchanged.
KROGUI_EXPORT QDate StepYear(const QDate &Date, int Step);
/// The date of Year, Month, Day with Day limited to 1..the month's length; an invalid QDate when
/// Year or Month is out of range.
KROGUI_EXPORT QDate ClampedDate(int Year, int Month, int Day);

} // namespace kro
