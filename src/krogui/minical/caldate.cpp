#include <krogui/minical/caldate.h>

namespace kro {

namespace {

// Days from 1 January 1970 to the date (negative before), proleptic Gregorian.
qint64 DaysFromCivil(int Y, int M, int D)
{
    const qint64 y = qint64(Y) - (M <= 2 ? 1 : 0);
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 mp = (M + 9) % 12; // March = 0
    const qint64 doy = (153 * mp + 2) / 5 + D - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int DayOfYear(int Y, int M, int D)
{
    int n = D;
    for (int m = 1; m < M; ++m)
        n += DaysPerMonth(Y, m);
    return n;
}

int WeeksInYear(int Y)
{
    const int jan1 = DayOfTheWeek(Y, 1, 1);
    return (jan1 == 4 || (jan1 == 3 && IsLeapYear(Y))) ? 53 : 52;
}

// Days of a date in the counting of the movable feasts: March 1 is 1, April 1 is 32, and so on.
int MarchCount(int Month, int Day)
{
    static const int start[] = {0, 31, 61, 92}; // March, April, May, June
    return (Month >= 3 && Month <= 6) ? start[Month - 3] + Day : -1000;
}

constexpr int kMovableOffsets[NumMovableHolidays] = {0, 1, 39, 49, 50, 60};

} // namespace

bool IsLeapYear(int Year)
{
    return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
}

int DaysPerMonth(int Year, int Month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return (Month == 2 && IsLeapYear(Year)) ? 29 : days[Month - 1];
}

bool IsValidCalDate(int Year, int Month, int Day)
{
    return Year >= MinCalYear && Year <= MaxCalYear && Day >= 1 && Day <= DaysPerMonth(Year, Month);
}

int DayOfTheWeek(int Year, int Month, int Day)
{
    if (!IsValidCalDate(Year, Month, Day)) return 0;
    const qint64 days = DaysFromCivil(Year, Month, Day);
    // 1 January 1970 was a Thursday (4).
    qint64 w = (days + 3) % 7;
    if (w < 0) w += 7;
    return int(w) + 1;
}

int WeekOfTheYear(int Year, int Month, int Day)
{
    if (!IsValidCalDate(Year, Month, Day)) return 0;
    const int week = (DayOfYear(Year, Month, Day) - DayOfTheWeek(Year, Month, Day) + 10) / 7;
    if (week < 1) return WeeksInYear(Year - 1);
    if (week > WeeksInYear(Year)) return 1;
    return week;
}

int WeekOfTheYear(const QDate &Date)
{
    return Date.isValid() ? WeekOfTheYear(Date.year(), Date.month(), Date.day()) : 0;
}

void CalcEasterSunday(int Year, int &Day, int &Month)
{
    // Gauss's rule; every operand stays positive for the years of the calendar.
    const int k = Year / 100;
    const int b = (3 * k + 3) / 4;
    const int a = Year % 19;
    const int d = (19 * a + b - (8 * k + 13) / 25 + 15) % 30;
    const int g = 21 + d - (a / 11 + d) / 29;                          // Easter full moon, a day of March
    const int s = g + 7 - (g + (Year + Year / 4 - b + 2) % 7 - 7) % 7; // Easter Sunday, a day of March
    if (s >= 32) {
        Month = 4;
        Day = s - 31;
    } else {
        Month = 3;
        Day = s;
    }
}

int MovableHolidayOffset(int Index)
{
    return (Index >= 0 && Index < NumMovableHolidays) ? kMovableOffsets[Index] : 0;
}

int MovableHolidayIndex(int Year, int Month, int Day)
{
    if (Month < 3 || Month > 6 || !IsValidCalDate(Year, Month, Day)) return -1;
    int ed = 0, em = 0;
    CalcEasterSunday(Year, ed, em);
    const int diff = MarchCount(Month, Day) - MarchCount(em, ed);
    for (int i = 0; i < NumMovableHolidays; ++i)
        if (diff == kMovableOffsets[i]) return i;
    return -1;
}

int MonthOffset(int Year, int Month, TDayOfWeek FirstDay)
{
    const int first = DayOfTheWeek(Year, Month, 1) - 1; // 0 = Monday
    int lead = (first - int(FirstDay) + 7) % 7;         // days of the week before day 1
    if (lead == 0) lead = 7; // a month that opens the week starts in the second week row
    return 1 - lead;
}

bool CellOfDay(int Day, int MonOfs, int &Col, int &Row)
{
    // Day = Col + MonOfs + 7 Row - 15, Col in 1..7.
    const int n = Day - MonOfs + 15 - 1; // = (Col - 1) + 7 Row
    if (n < 7 * CalFirstWeekRow || n > 7 * CalLastWeekRow + 6) return false;
    Row = n / 7;
    Col = n % 7 + 1;
    return true;
}

QDate StepMonth(const QDate &Date, int Step)
{
    if (!Date.isValid()) return Date;
    const qint64 index = qint64(Date.year()) * 12 + (Date.month() - 1) + Step;
    const qint64 year = index / 12;
    if (index < 0 || year < MinCalYear || year > MaxCalYear) return Date;
    return ClampedDate(int(year), int(index % 12) + 1, Date.day());
}

QDate StepYear(const QDate &Date, int Step)
{
    if (!Date.isValid()) return Date;
    const qint64 year = qint64(Date.year()) + Step;
    if (year < MinCalYear || year > MaxCalYear) return Date;
    return ClampedDate(int(year), Date.month(), Date.day());
}

QDate ClampedDate(int Year, int Month, int Day)
{
    if (Year < MinCalYear || Year > MaxCalYear || Month < 1 || Month > 12) return QDate();
    const int last = DaysPerMonth(Year, Month);
    return QDate(Year, Month, Day < 1 ? 1 : (Day > last ? last : Day));
}

} // namespace kro
