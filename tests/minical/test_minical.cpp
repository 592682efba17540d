// TMiniCal: defaults, the month on the grid, painting, setters and their refusals, navigation by
// methods, mouse, keys and wheel, holidays and languages, sizing and accessibility.
#include <krogui/minical/holidays.h>
#include <krogui/minical/minical.h>

#include "testutil.h"

#include <krogui/graphics/colors.h>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

using namespace kro;
using namespace kro::test;

namespace {

struct MiniCal : ::testing::Test
{
    TMiniCal cal;
    int changes = 0;
    void SetUp() override
    {
        cal.show();
        QApplication::setActiveWindow(&cal);
        cal.setFocus();
        QCoreApplication::processEvents();
        cal.SetOnChange([this](QObject *Sender) {
            EXPECT_EQ(Sender, &cal);
            ++changes;
        });
    }
    QPoint At(int C, int R) const
    {
        const TRect r = cal.CellRect(C, R);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ClickCell(int C, int R) { QTest::mouseClick(cal.viewport(), Qt::LeftButton, {}, At(C, R)); }
    void Key(Qt::Key K, Qt::KeyboardModifiers M = {}) { QTest::keyClick(&cal, K, M); }
    // A pixel of a cell's background: its top-left corner, clear of any text.
    TColor CellBg(int C, int R)
    {
        const TRect r = cal.CellRect(C, R);
        return PixelAt(cal.Surface(), r.Left + 1, r.Top + 1);
    }
    // Pixels of a cell whose colour leans clearly to one primary (0 red, 1 green, 2 blue): text is
    // smoothed, so its pixels mix the text colour with the background.
    int CountHue(int C, int R, int Primary)
    {
        const TRect r = cal.CellRect(C, R);
        const QImage &img = cal.Surface();
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const TColor p = PixelAt(img, x, y);
                const int v[3] = {GetRValue(p), GetGValue(p), GetBValue(p)};
                n += v[Primary] > v[(Primary + 1) % 3] + 60 && v[Primary] > v[(Primary + 2) % 3] + 60;
            }
        return n;
    }
    int CountIn(int C, int R, TColor Color)
    {
        const TRect r = cal.CellRect(C, R);
        return CountColor(cal.Surface(), Color, r.Left, r.Top, r.Right, r.Bottom);
    }
};

} // namespace

TEST_F(MiniCal, Defaults)
{
    TMiniCal fresh;
    EXPECT_EQ(fresh.Date(), QDate::currentDate());
    EXPECT_EQ(fresh.sizeHint(), QSize(300, 180));
    EXPECT_EQ(fresh.ColCount(), 8);
    EXPECT_EQ(fresh.RowCount(), 8);
    EXPECT_EQ(fresh.FixedCols(), 1);
    EXPECT_EQ(fresh.FixedRows(), 2);
    EXPECT_FALSE(fresh.DefaultDrawing());
    EXPECT_FALSE(fresh.Options() & goRangeSelect);
    EXPECT_TRUE(fresh.Options() & goDrawFocusSelected);
    EXPECT_EQ(fresh.Language(), lgEnglish);
    EXPECT_EQ(fresh.FirstDayOfWeek(), dwMon);
    EXPECT_TRUE(fresh.AutoSwitch() && fresh.MarkToday() && fresh.IndicateHolidays() &&
                fresh.ShowHolidayHint() && fresh.ShowMonthShort() && fresh.ShowMovableHolidays());
    EXPECT_TRUE(fresh.ShowHint());
    EXPECT_EQ(fresh.GetNumHolidays(), 8);
    EXPECT_FALSE(fresh.accessibleName().isEmpty());
}

TEST_F(MiniCal, MonthStartingOnTheFirstWeekdayShowsThePreviousWeekFirst)
{
    cal.SetDate(QDate(2025, 9, 10)); // September 2025 starts on a Monday
    EXPECT_EQ(cal.DateAtCell(1, 2), QDate(2025, 8, 25));
    EXPECT_EQ(cal.DateAtCell(7, 2), QDate(2025, 8, 31));
    EXPECT_EQ(cal.DateAtCell(1, 3), QDate(2025, 9, 1));
    EXPECT_EQ(cal.DateAtCell(7, 7), QDate(2025, 10, 5));
    // The grid's current cell follows the selected day (the 10th: Wednesday of the second week).
    EXPECT_EQ(cal.Col(), 3);
    EXPECT_EQ(cal.Row(), 4);
    // Row 2 is painted in the inactive colour only.
    cal.SetColorInactiveMonth(clRed);
    cal.SetColorActiveMonth(clBlue);
    for (int c = 1; c <= 7; ++c) {
        EXPECT_GT(CountHue(c, 2, 0), 0) << c;
        EXPECT_EQ(CountHue(c, 2, 2), 0) << c;
    }
    EXPECT_GT(CountHue(1, 3, 2), 0);
    EXPECT_EQ(CountHue(1, 3, 0), 0);
    // Starting the week on Sunday moves day 1 to row 2, column 2.
    cal.SetFirstDayOfWeek(dwSun);
    EXPECT_EQ(cal.DateAtCell(2, 2), QDate(2025, 9, 1));
    EXPECT_EQ(cal.DateAtCell(1, 2), QDate(2025, 8, 31));
    EXPECT_EQ(changes, 2); // the date and the first day count, the colours do not
}

TEST_F(MiniCal, CellColoursForSelectionHolidaysAndWeekdays)
{
    cal.SetMarkToday(false);
    cal.SetDate(QDate(2024, 12, 10)); // December 2024 starts on a Sunday: day 1 at (7, 2)
    int c = 0, r = 0;
    auto cellOf = [&](int Day) {
        c = (Day + 5) % 7 + 1;
        r = 2 + (Day + 5) / 7;
    };
    cellOf(10);
    EXPECT_EQ(CellBg(c, r), cal.ColorSelectedBg());
    cellOf(25); // Christmas: a holiday
    EXPECT_EQ(CellBg(c, r), cal.ColorHolidayBg());
    EXPECT_GT(CountHue(c, r, 0), 0); // the holiday text is red
    cellOf(14);                      // a Saturday
    EXPECT_EQ(CellBg(c, r), cal.GetDayColors(dwSat));
    cal.SetDate(QDate(2024, 12, 25));
    cellOf(25);
    EXPECT_EQ(CellBg(c, r), MeanColor(cal.ColorSelectedBg(), cal.ColorHolidayBg()));
    EXPECT_EQ(cal.Hint(), QStringLiteral("Christmas Day"));
    // Without holiday indication Christmas is a plain Wednesday, and the hint is empty.
    cal.SetIndicateHolidays(false);
    EXPECT_EQ(CellBg(c, r), cal.ColorSelectedBg());
    EXPECT_TRUE(cal.Hint().isEmpty());
    cal.SetDate(QDate(2024, 12, 10));
    EXPECT_EQ(CellBg(c, r), cal.GetDayColors(dwWed));
    // Weekday row and week-number column.
    EXPECT_EQ(CellBg(3, 1), cal.ColorDayIdBg());
    cal.SetColorWeekNoBg(clLime);
    EXPECT_EQ(CellBg(0, 4), clLime);
    cal.SetDayColors(dwWed, clAqua);
    EXPECT_EQ(CellBg(c, r), clAqua);
}

TEST_F(MiniCal, TodayIsCircledInItsMonthOnly)
{
    cal.SetColorToday(clRed);
    cal.SetDate(QDate::currentDate());
    const QDate first(cal.Year(), cal.Month(), 1);
    int c = 0, r = 0;
    for (int cc = 1; cc <= 7; ++cc)
        for (int rr = 2; rr <= 7; ++rr)
            if (cal.DateAtCell(cc, rr) == QDate::currentDate()) c = cc, r = rr;
    ASSERT_GT(c, 0);
    EXPECT_GT(CountIn(c, r, clRed), 4);
    cal.SetMarkToday(false);
    EXPECT_EQ(CountIn(c, r, clRed), 0);
    cal.SetMarkToday(true);
    cal.NextMonth();
    int seen = 0;
    for (int cc = 1; cc <= 7; ++cc)
        for (int rr = 2; rr <= 7; ++rr)
            seen += CountIn(cc, rr, clRed);
    EXPECT_EQ(seen, 0); // the greyed copy of today in the next month's view is not circled
}

TEST_F(MiniCal, DatePartSettersRefuseWhatMakesNoDate)
{
    cal.SetDate(QDate(2024, 1, 31));
    changes = 0;
    cal.SetDay(0);
    cal.SetDay(32);
    cal.SetMonth(0);
    cal.SetMonth(13);
    cal.SetYear(0);
    cal.SetYear(-5);
    cal.SetYear(10000);
    cal.SetDate(QDate());
    EXPECT_EQ(cal.Date(), QDate(2024, 1, 31));
    EXPECT_EQ(changes, 0);
    // A month without the day takes its last day; so does a year without 29 February.
    cal.SetMonth(2);
    EXPECT_EQ(cal.Date(), QDate(2024, 2, 29));
    cal.SetYear(2025);
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 28));
    cal.SetDay(29);
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 28));
    cal.SetDay(3);
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 3));
    EXPECT_EQ(changes, 3);
    cal.SetDay(3); // unchanged: no event
    EXPECT_EQ(changes, 3);
    // The extreme years are still shown without trouble.
    cal.SetYear(9999);
    cal.SetMonth(12);
    cal.NextMonth();
    cal.NextYear();
    EXPECT_EQ(cal.Date(), QDate(9999, 12, 3));
    EXPECT_FALSE(cal.DateAtCell(7, 7).isValid());
    cal.SetYear(1);
    cal.SetMonth(1);
    cal.PrevMonth();
    EXPECT_EQ(cal.Date(), QDate(1, 1, 3));
    cal.Surface();
    cal.SetFirstDayOfWeek(TDayOfWeek(9));
    cal.SetLanguage(TLanguage(7));
    EXPECT_EQ(cal.FirstDayOfWeek(), dwMon);
    EXPECT_EQ(cal.Language(), lgEnglish);
}

TEST_F(MiniCal, NavigationMethods)
{
    cal.SetDate(QDate(2023, 1, 31));
    cal.NextMonth();
    EXPECT_EQ(cal.Date(), QDate(2023, 2, 28));
    cal.PrevMonth();
    EXPECT_EQ(cal.Date(), QDate(2023, 1, 28));
    cal.PrevMonth();
    EXPECT_EQ(cal.Date(), QDate(2022, 12, 28));
    cal.LastDayOfMonth();
    EXPECT_EQ(cal.Date(), QDate(2022, 12, 31));
    cal.SetDate(QDate(2024, 2, 29));
    cal.NextYear();
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 28));
    cal.PrevYear();
    EXPECT_EQ(cal.Date(), QDate(2024, 2, 28));
    EXPECT_EQ(changes, 8);
}

TEST_F(MiniCal, MouseNavigation)
{
    cal.SetDate(QDate(2025, 3, 15));
    ClickCell(6, 0); // ">"
    EXPECT_EQ(cal.Date(), QDate(2025, 4, 15));
    ClickCell(7, 0); // ">>"
    EXPECT_EQ(cal.Date(), QDate(2026, 4, 15));
    ClickCell(2, 0); // "<"
    ClickCell(1, 0); // "<<"
    EXPECT_EQ(cal.Date(), QDate(2025, 3, 15));
    ClickCell(4, 0); // the title does nothing
    EXPECT_EQ(cal.Date(), QDate(2025, 3, 15));
    const int before = changes;
    ClickCell(0, 1); // "#": today
    EXPECT_EQ(cal.Date(), QDate::currentDate());
    EXPECT_EQ(changes, before + 1);

    // A day of the month; then greyed days switch months with AutoSwitch.
    cal.SetDate(QDate(2025, 3, 15)); // March 2025 starts on Saturday: day 1 at (6, 2)
    ClickCell(3, 4);
    EXPECT_EQ(cal.Date(), QDate(2025, 3, 12));
    EXPECT_EQ(cal.Col(), 3);
    ClickCell(2, 7); // 1 April
    EXPECT_EQ(cal.Date(), QDate(2025, 4, 1));
    ClickCell(1, 2); // April starts on Tuesday: (1, 2) is 31 March
    EXPECT_EQ(cal.Date(), QDate(2025, 3, 31));
    cal.SetAutoSwitch(false);
    changes = 0;
    ClickCell(2, 7);
    EXPECT_EQ(cal.Date(), QDate(2025, 3, 31));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(cal.Col(), 1); // the current cell stays on the selected day
    EXPECT_EQ(cal.Row(), 7);
    // Across the year: 31 December from January's first row.
    cal.SetAutoSwitch(true);
    cal.SetDate(QDate(2025, 1, 10)); // January 2025 starts on Wednesday
    ClickCell(2, 2);
    EXPECT_EQ(cal.Date(), QDate(2024, 12, 31));
    // Dragging over the days does not move the current cell away from the date.
    QTest::mousePress(cal.viewport(), Qt::LeftButton, {}, At(3, 3));
    QTest::mouseMove(cal.viewport(), At(6, 5));
    QTest::mouseRelease(cal.viewport(), Qt::LeftButton, {}, At(6, 5));
    EXPECT_EQ(cal.Date(), cal.DateAtCell(3, 3));
    EXPECT_EQ(cal.Col(), 3);
    EXPECT_EQ(cal.Row(), 3);
}

TEST_F(MiniCal, KeyAndWheelNavigation)
{
    cal.SetDate(QDate(2025, 1, 31));
    Key(Qt::Key_Right);
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 1));
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(cal.Date(), QDate(2025, 1, 24));
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 7));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(cal.Date(), QDate(2025, 3, 7));
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(cal.Date(), QDate(2024, 3, 7));
    Key(Qt::Key_End);
    EXPECT_EQ(cal.Date(), QDate(2024, 3, 31));
    Key(Qt::Key_Home);
    EXPECT_EQ(cal.Date(), QDate(2024, 3, 1));
    EXPECT_EQ(cal.Col(), 5); // March 2024 starts on Friday
    EXPECT_EQ(cal.Row(), 2);
    // A key handler can swallow a key.
    cal.SetOnKeyDown([](QObject *, quint16 &K, TShiftState) { K = 0; });
    Key(Qt::Key_Right);
    EXPECT_EQ(cal.Date(), QDate(2024, 3, 1));
    cal.SetOnKeyDown(nullptr);

    auto wheel = [&](int Delta) {
        QWheelEvent ev(QPointF(At(3, 3)), QPointF(cal.viewport()->mapToGlobal(At(3, 3))), QPoint(),
                       QPoint(0, Delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(cal.viewport(), &ev);
    };
    wheel(-120);
    EXPECT_EQ(cal.Date(), QDate(2024, 4, 1));
    wheel(120);
    wheel(120);
    EXPECT_EQ(cal.Date(), QDate(2024, 2, 1));
}

TEST_F(MiniCal, HolidaysOfTheApplicationAndMovableFeasts)
{
    QString caption;
    EXPECT_TRUE(cal.CheckHoliday(2025, 6, 9, caption));
    EXPECT_EQ(caption, QStringLiteral("Whit Monday"));
    cal.SetShowMovableHolidays(false);
    EXPECT_FALSE(cal.CheckHoliday(2025, 6, 9, caption));
    EXPECT_TRUE(caption.isEmpty());
    cal.SetShowMovableHolidays(true);

    EXPECT_TRUE(cal.AddHoliday(3, 10, 2024, QStringLiteral("Once")));
    EXPECT_TRUE(cal.AddRepeatHoliday(4, 10, QStringLiteral("Always")));
    EXPECT_FALSE(cal.AddHoliday(31, 4, 2024, QStringLiteral("never")));
    EXPECT_TRUE(cal.CheckHoliday(2024, 10, 3, caption));
    EXPECT_FALSE(cal.CheckHoliday(2025, 10, 3, caption));
    EXPECT_TRUE(cal.CheckHoliday(2025, 10, 4, caption));
    EXPECT_EQ(cal.GetNumHolidays(), 10);

    // A new language names the built-ins anew and keeps the application's holidays.
    cal.SetLanguage(lgGerman);
    EXPECT_EQ(cal.GetNumHolidays(), 10);
    EXPECT_TRUE(cal.CheckHoliday(2024, 10, 3, caption));
    EXPECT_EQ(caption, QStringLiteral("Once"));
    EXPECT_TRUE(cal.CheckHoliday(2030, 12, 26, caption));
    EXPECT_EQ(caption, QStringLiteral("Stephanitag"));
    EXPECT_TRUE(cal.CheckHoliday(2025, 6, 9, caption));
    EXPECT_EQ(caption, QStringLiteral("Pfingstmontag"));
    int d = 0, m = 0, y = 0;
    bool rep = false;
    ASSERT_TRUE(cal.RetrieveHoliday(10, d, m, y, rep, caption));
    EXPECT_TRUE(rep);
    EXPECT_EQ(y, RepeatHolidayYear);
    EXPECT_FALSE(cal.RetrieveHoliday(11, d, m, y, rep, caption));

    cal.ClearHolidayList();
    EXPECT_EQ(cal.GetNumHolidays(), 0);
    EXPECT_FALSE(cal.CheckHoliday(2030, 12, 26, caption));
    cal.SetDate(QDate(2025, 6, 9));
    EXPECT_EQ(cal.Hint(), QStringLiteral("Pfingstmontag")); // movable feasts are not in the list
    cal.SetShowHolidayHint(false);
    EXPECT_TRUE(cal.Hint().isEmpty());
    cal.SetDate(QDate(2025, 4, 21));
    EXPECT_TRUE(cal.Hint().isEmpty());
}

TEST_F(MiniCal, SizingFillsTheClientAreaAtAnySize)
{
    for (const QSize s : {QSize(300, 180), QSize(457, 333), QSize(90, 61), QSize(12, 9), QSize(1, 1)}) {
        cal.resize(s);
        QCoreApplication::processEvents();
        const int cw = cal.ClientWidth(), ch = cal.ClientHeight();
        int w = 0, h = 0;
        for (int i = 0; i < 8; ++i) {
            w += cal.ColWidths(i) + cal.GridLineWidth();
            h += cal.RowHeights(i) + cal.GridLineWidth();
        }
        if (cw >= 8 * 8 && ch >= 8 * 8) {
            EXPECT_EQ(w, cw) << s.width();
            EXPECT_EQ(h, ch) << s.height();
            EXPECT_LE(cal.ColWidths(0) - cal.DefaultColWidth(), 7);
        }
        cal.Surface(); // painting a tiny calendar is fine
    }
}

TEST_F(MiniCal, AccessibleDaysReadTheirDateAndHoliday)
{
    cal.SetDate(QDate(2026, 12, 25));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&cal);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Table);
    ASSERT_EQ(iface->childCount(), 42);
    QAccessibleInterface *focus = iface->focusChild();
    ASSERT_NE(focus, nullptr);
    const QString name = focus->text(QAccessible::Name);
    EXPECT_TRUE(name.contains(QStringLiteral("December 25, 2026"))) << name.toStdString();
    EXPECT_TRUE(name.contains(QStringLiteral("holiday: Christmas Day"))) << name.toStdString();
    EXPECT_TRUE(focus->state().selected);
    EXPECT_EQ(focus->role(), QAccessible::Cell);
    EXPECT_EQ(iface->indexOfChild(focus), (cal.Row() - 2) * 7 + cal.Col() - 1);
    EXPECT_EQ(cal.accessibleDescription(), name);
    // A plain day, and the same day in German.
    QAccessibleInterface *first = iface->child(0);
    EXPECT_FALSE(first->text(QAccessible::Name).contains(QStringLiteral("holiday")));
    EXPECT_FALSE(first->state().selected);
    cal.SetLanguage(lgGerman);
    EXPECT_TRUE(
        iface->focusChild()->text(QAccessible::Name).contains(QStringLiteral("Feiertag: Weihnachten")));
    const QRect r = focus->rect();
    EXPECT_EQ(iface->childAt(r.center().x(), r.center().y()), focus);
}
