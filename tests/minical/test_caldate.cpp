// Calendar arithmetic: leap years, weekdays, ISO weeks, Easter, the month grid, date stepping.
#include <krogui/minical/caldate.h>

#include <gtest/gtest.h>

#include <QDate>

using namespace kro;

TEST(CalDate, LeapYearsMonthLengthsAndWeekdaysAgreeWithQDate)
{
    for (int y = MinCalYear; y <= MaxCalYear; ++y) {
        ASSERT_EQ(IsLeapYear(y), QDate::isLeapYear(y)) << y;
        ASSERT_EQ(DaysPerMonth(y, 2), QDate(y, 2, 1).daysInMonth()) << y;
    }
    EXPECT_EQ(DaysPerMonth(2024, 0), 0);
    EXPECT_EQ(DaysPerMonth(2024, 13), 0);
    EXPECT_FALSE(IsValidCalDate(2023, 2, 29));
    EXPECT_FALSE(IsValidCalDate(0, 1, 1));
    EXPECT_FALSE(IsValidCalDate(10000, 1, 1));
    EXPECT_EQ(DayOfTheWeek(2023, 2, 29), 0);
    EXPECT_EQ(WeekOfTheYear(2023, 2, 29), 0);

    // Every day from 1890 to 2110, and every first of a month over the whole range.
    for (QDate dt(1890, 1, 1); dt <= QDate(2110, 12, 31); dt = dt.addDays(1)) {
        ASSERT_EQ(DayOfTheWeek(dt.year(), dt.month(), dt.day()), dt.dayOfWeek()) << qPrintable(dt.toString());
        ASSERT_EQ(WeekOfTheYear(dt), dt.weekNumber()) << qPrintable(dt.toString());
    }
    for (int y = MinCalYear; y <= MaxCalYear; y += 7)
        for (int m = 1; m <= 12; ++m)
            ASSERT_EQ(DayOfTheWeek(y, m, 1), QDate(y, m, 1).dayOfWeek()) << y << "-" << m;
}

TEST(CalDate, IsoWeeksAtYearBoundaries)
{
    // 2015 starts on a Thursday: 53 weeks, and 1 January is in week 1.
    EXPECT_EQ(WeekOfTheYear(2015, 1, 1), 1);
    EXPECT_EQ(WeekOfTheYear(2015, 12, 31), 53);
    EXPECT_EQ(WeekOfTheYear(2016, 1, 3), 53); // Sunday after: still the old year's last week
    EXPECT_EQ(WeekOfTheYear(2016, 1, 4), 1);
    // 2020 is a leap year starting on Wednesday: 53 weeks.
    EXPECT_EQ(WeekOfTheYear(2020, 12, 31), 53);
    EXPECT_EQ(WeekOfTheYear(2021, 1, 1), 53);
    // Late December in week 1 of the next year.
    EXPECT_EQ(WeekOfTheYear(2008, 12, 29), 1);
    EXPECT_EQ(WeekOfTheYear(2024, 12, 30), 1);
    // A leap year starting on Thursday (2004) has 53 weeks, one on Wednesday that is not (2014) 52.
    EXPECT_EQ(WeekOfTheYear(2004, 12, 31), 53);
    EXPECT_EQ(WeekOfTheYear(2014, 12, 28), 52);
    EXPECT_EQ(WeekOfTheYear(2014, 12, 29), 1);
}

TEST(CalDate, EasterSundayOfKnownYears)
{
    struct K
    {
        int Year, Day, Month;
    };
    const K known[] = {{1583, 10, 4}, {1818, 22, 3}, {1900, 15, 4}, {1913, 23, 3}, {1943, 25, 4},
                       {1954, 18, 4}, {1961, 2, 4},  {1981, 19, 4}, {2000, 23, 4}, {2008, 23, 3},
                       {2011, 24, 4}, {2019, 21, 4}, {2024, 31, 3}, {2025, 20, 4}, {2038, 25, 4},
                       {2049, 18, 4}, {2076, 19, 4}, {2095, 24, 4}, {2100, 28, 3}, {2285, 22, 3}};
    for (const K &k : known) {
        int d = 0, m = 0;
        CalcEasterSunday(k.Year, d, m);
        EXPECT_EQ(d, k.Day) << k.Year;
        EXPECT_EQ(m, k.Month) << k.Year;
    }
    // Every Easter of the Gregorian calendar is a Sunday from 22 March to 25 April.
    for (int y = 1583; y <= MaxCalYear; ++y) {
        int d = 0, m = 0;
        CalcEasterSunday(y, d, m);
        ASSERT_TRUE((m == 3 && d >= 22 && d <= 31) || (m == 4 && d >= 1 && d <= 25)) << y;
        ASSERT_EQ(DayOfTheWeek(y, m, d), 7) << y;
    }
}

TEST(CalDate, MovableFeastsFollowEaster)
{
    // Easter 2025 is 20 April; 2024 is 31 March (the feasts then cross a month end).
    EXPECT_EQ(MovableHolidayIndex(2025, 4, 20), 0);
    EXPECT_EQ(MovableHolidayIndex(2025, 4, 21), 1);
    EXPECT_EQ(MovableHolidayIndex(2025, 5, 29), 2);
    EXPECT_EQ(MovableHolidayIndex(2025, 6, 8), 3);
    EXPECT_EQ(MovableHolidayIndex(2025, 6, 9), 4);
    EXPECT_EQ(MovableHolidayIndex(2025, 6, 19), 5);
    EXPECT_EQ(MovableHolidayIndex(2025, 6, 10), -1);
    EXPECT_EQ(MovableHolidayIndex(2024, 3, 31), 0);
    EXPECT_EQ(MovableHolidayIndex(2024, 4, 1), 1);
    EXPECT_EQ(MovableHolidayIndex(2024, 5, 9), 2);
    EXPECT_EQ(MovableHolidayIndex(2024, 5, 30), 5);
    EXPECT_EQ(MovableHolidayIndex(2024, 7, 1), -1);
    EXPECT_EQ(MovableHolidayIndex(2024, 2, 30), -1);
    // The offsets agree with day arithmetic in every year.
    for (int y = 1600; y <= 2400; ++y) {
        int d = 0, m = 0;
        CalcEasterSunday(y, d, m);
        const QDate e(y, m, d);
        for (int i = 0; i < NumMovableHolidays; ++i) {
            const QDate f = e.addDays(MovableHolidayOffset(i));
            ASSERT_EQ(MovableHolidayIndex(y, f.month(), f.day()), i) << y << " " << i;
        }
    }
}

TEST(CalDate, DayOnePlacementForEveryFirstDayOfTheWeek)
{
    // September 2025 starts on a Monday, June 2025 on a Sunday.
    int c = 0, r = 0;
    int ofs = MonthOffset(2025, 9, dwMon);
    ASSERT_TRUE(CellOfDay(1, ofs, c, r));
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 3); // row 2 shows the last week of August
    EXPECT_EQ(DayAtCell(1, 2, ofs), -6);
    ofs = MonthOffset(2025, 9, dwSun);
    ASSERT_TRUE(CellOfDay(1, ofs, c, r));
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 2);
    ofs = MonthOffset(2025, 6, dwMon);
    ASSERT_TRUE(CellOfDay(1, ofs, c, r));
    EXPECT_EQ(c, 7);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(WeekdayOfColumn(1, dwSun), 6);
    EXPECT_EQ(WeekdayOfColumn(7, dwSun), 5);

    for (int first = dwMon; first <= dwSun; ++first) {
        const auto fd = TDayOfWeek(first);
        for (int y = 2023; y <= 2026; ++y)
            for (int m = 1; m <= 12; ++m) {
                const int o = MonthOffset(y, m, fd);
                ASSERT_TRUE(CellOfDay(1, o, c, r));
                EXPECT_EQ(WeekdayOfColumn(c, fd) + 1, DayOfTheWeek(y, m, 1));
                EXPECT_EQ(r, c == 1 ? 3 : 2) << y << "-" << m << " first " << first;
                EXPECT_EQ(DayAtCell(c, r, o), 1);
                // The month always fits, with at least one day of each neighbour showing.
                ASSERT_TRUE(CellOfDay(DaysPerMonth(y, m), o, c, r));
                EXPECT_GE(DayAtCell(1, 2, o), -6);
                EXPECT_LE(DayAtCell(1, 2, o), 0);
                EXPECT_GT(DayAtCell(7, 7, o), DaysPerMonth(y, m));
            }
    }
    EXPECT_FALSE(CellOfDay(100, 0, c, r));
    EXPECT_FALSE(CellOfDay(-20, 0, c, r));
}

TEST(CalDate, SteppingKeepsTheDayInsideTheMonthReached)
{
    EXPECT_EQ(StepMonth(QDate(2023, 1, 31), 1), QDate(2023, 2, 28));
    EXPECT_EQ(StepMonth(QDate(2024, 1, 31), 1), QDate(2024, 2, 29));
    EXPECT_EQ(StepMonth(QDate(2024, 3, 31), -1), QDate(2024, 2, 29));
    EXPECT_EQ(StepMonth(QDate(2024, 12, 15), 1), QDate(2025, 1, 15));
    EXPECT_EQ(StepMonth(QDate(2025, 1, 15), -1), QDate(2024, 12, 15));
    EXPECT_EQ(StepMonth(QDate(2025, 5, 31), -14), QDate(2024, 3, 31));
    EXPECT_EQ(StepYear(QDate(2024, 2, 29), 1), QDate(2025, 2, 28));
    EXPECT_EQ(StepYear(QDate(2024, 2, 29), -4), QDate(2020, 2, 29));
    // The calendar's ends are not crossed.
    EXPECT_EQ(StepMonth(QDate(9999, 12, 5), 1), QDate(9999, 12, 5));
    EXPECT_EQ(StepMonth(QDate(1, 1, 5), -1), QDate(1, 1, 5));
    EXPECT_EQ(StepYear(QDate(9999, 3, 1), 1), QDate(9999, 3, 1));
    EXPECT_EQ(StepMonth(QDate(2024, 1, 1), 2'000'000'000), QDate(2024, 1, 1));
    EXPECT_FALSE(StepMonth(QDate(), 1).isValid());
    EXPECT_EQ(ClampedDate(2023, 2, 31), QDate(2023, 2, 28));
    EXPECT_EQ(ClampedDate(2023, 2, -3), QDate(2023, 2, 1));
    EXPECT_FALSE(ClampedDate(2023, 13, 1).isValid());
    EXPECT_FALSE(ClampedDate(0, 1, 1).isValid());
}
