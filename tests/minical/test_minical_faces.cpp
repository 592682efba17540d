// The calendar's Qt face: properties through the meta-object, the date's change signals, OnChange
// as a signal, QColor overloads, and the calendar in a layout.
#include <krogui/minical/minical.h>

#include "gridfacecheck.h"
#include "testutil.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

TEST(MiniCalFaces, EveryStoredPropertyRoundTripsThroughTheMetaObject)
{
    TMiniCal cal;
    cal.SetDate(QDate(2024, 5, 10));
    // The grid's counts and fixed cells are the calendar's own layout.
    const int n = ExpectPropertiesRoundTrip(
        &cal, {{QStringLiteral("Language"), int(lgGerman)}},
        {QStringLiteral("ColCount"), QStringLiteral("RowCount"), QStringLiteral("FixedCols"),
         QStringLiteral("FixedRows"), QStringLiteral("DefaultColWidth"), QStringLiteral("DefaultRowHeight")});
    EXPECT_GE(n, 20);
    // The date is the user property; its parts and the date are not stored with a form.
    const QMetaObject *m = cal.metaObject();
    EXPECT_EQ(QString::fromLatin1(m->userProperty().name()), QStringLiteral("Date"));
    for (const char *name : {"Date", "Day", "Month", "Year"}) {
        const QMetaProperty p = m->property(m->indexOfProperty(name));
        EXPECT_FALSE(p.isStored()) << name;
        EXPECT_TRUE(p.hasNotifySignal()) << name;
    }
    EXPECT_TRUE(cal.setProperty("Date", QDate(2031, 12, 24)));
    EXPECT_EQ(cal.property("Date").toDate(), QDate(2031, 12, 24));
    EXPECT_TRUE(cal.setProperty("FirstDayOfWeek", QStringLiteral("dwSun")));
    EXPECT_EQ(cal.FirstDayOfWeek(), dwSun);
}

TEST(MiniCalFaces, DateSignalsFireOnEveryChangeAndOnlyThen)
{
    TMiniCal cal;
    cal.show();
    cal.SetDate(QDate(2024, 1, 31));
    QSignalSpy date(&cal, &TMiniCal::DateChanged), day(&cal, &TMiniCal::DayChanged),
        month(&cal, &TMiniCal::MonthChanged), year(&cal, &TMiniCal::YearChanged);
    cal.SetMonth(2); // 31 January -> 29 February: day and month change
    ASSERT_EQ(date.size(), 1);
    EXPECT_EQ(date.at(0).at(0).toDate(), QDate(2024, 2, 29));
    EXPECT_EQ(day.size(), 1);
    EXPECT_EQ(day.at(0).at(0).toInt(), 29);
    EXPECT_EQ(month.size(), 1);
    EXPECT_EQ(year.size(), 0);
    cal.SetDate(QDate(2024, 2, 29)); // the date it holds
    cal.SetDay(29);
    cal.setProperty("Date", QDate(2024, 2, 29));
    EXPECT_EQ(date.size(), 1);
    cal.NextYear();
    EXPECT_EQ(date.size(), 2);
    EXPECT_EQ(year.size(), 1);
    EXPECT_EQ(year.at(0).at(0).toInt(), 2025);

    // A click on a day and a key change it too; a click on the selected day does not.
    const auto cellOf = [&](const QDate &D) {
        for (int r = 2; r <= 7; ++r)
            for (int c = 1; c <= 7; ++c)
                if (cal.DateAtCell(c, r) == D) {
                    const TRect rc = cal.CellRect(c, r);
                    return QPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
                }
        return QPoint();
    };
    QTest::mouseClick(cal.viewport(), Qt::LeftButton, {}, cellOf(QDate(2025, 2, 10)));
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 10));
    EXPECT_EQ(date.size(), 3);
    QTest::mouseClick(cal.viewport(), Qt::LeftButton, {}, cellOf(QDate(2025, 2, 10)));
    EXPECT_EQ(date.size(), 3);
    QTest::keyClick(&cal, Qt::Key_Right);
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 11));
    EXPECT_EQ(date.size(), 4);
    // The calendar's own keys reach the key signal too, and a slot can swallow them.
    QObject::connect(&cal, &TMiniCal::onKeyDown, [](QObject *, quint16 &Key, TShiftState) { Key = 0; });
    QTest::keyClick(&cal, Qt::Key_Right);
    EXPECT_EQ(cal.Date(), QDate(2025, 2, 11));
    EXPECT_EQ(date.size(), 4);
}

TEST(MiniCalFaces, OnChangeSlotsRunInConnectionOrderAfterTheHandler)
{
    TMiniCal cal;
    cal.SetDate(QDate(2024, 3, 3));
    QStringList order;
    cal.SetOnChange([&](QObject *) { order << QStringLiteral("handler"); });
    QObject::connect(&cal, &TMiniCal::onChange, [&](QObject *Sender) {
        EXPECT_EQ(Sender, &cal);
        order << QStringLiteral("first");
    });
    QObject::connect(&cal, &TMiniCal::onChange, [&](QObject *) { order << QStringLiteral("second"); });
    QObject::connect(&cal, &TMiniCal::DateChanged, [&](const QDate &) { order << QStringLiteral("date"); });
    cal.SetDay(4);
    EXPECT_EQ(order, (QStringList{QStringLiteral("handler"), QStringLiteral("first"),
                                  QStringLiteral("second"), QStringLiteral("date")}));
    // OnChange also fires for the first weekday and the day colours, the date signal does not.
    order.clear();
    cal.SetOnChange(nullptr);
    cal.SetFirstDayOfWeek(dwSun);
    cal.SetDayColors(dwSat, QColor(Qt::yellow));
    EXPECT_EQ(order, (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("first"),
                                  QStringLiteral("second")}));
}

TEST(MiniCalFaces, QColorOverloadsIncludingTheDayColours)
{
    TMiniCal cal;
    cal.SetColorToday(QColor(0x01, 0x02, 0x03));
    EXPECT_EQ(cal.ColorToday(), TColor(0x030201));
    cal.SetColorSelectedBg(Qt::darkGreen);
    EXPECT_EQ(cal.ColorSelectedBgQColor(), QColor(Qt::darkGreen));
    cal.SetDayColors(dwSun, Qt::red); // a Qt colour name, not the number 7
    EXPECT_EQ(cal.GetDayColors(dwSun), TColor(0x0000FF));
    cal.SetDayColors(dwMon, ToStoredColor(clBtnFace));
    EXPECT_EQ(cal.GetDayColors(dwMon), TColor(clBtnFace));
    cal.SetDayColors(dwTue, 0x00FF00);
    EXPECT_EQ(cal.GetDayColorsQColor(dwTue), QColor(Qt::green));
    cal.SetDayColors(TDayOfWeek(9), QColor(Qt::blue)); // refused as the classic setter refuses
    EXPECT_EQ(cal.GetDayColors(dwWed), TColor(0xF8F8F8));
}

TEST(MiniCalFaces, InALayoutAtItsMinimumAndStretched)
{
    const auto make = [](QWidget *Parent) {
        auto *cal = new TMiniCal(Parent);
        cal->SetDate(QDate(2024, 7, 18));
        return cal;
    };
    EXPECT_TRUE(FitsInLayout(make, [](QWidget *W, const QImage &, const QString &Stage) {
        SCOPED_TRACE(Stage.toStdString());
        auto *c = static_cast<TMiniCal *>(W);
        // All 8 x 8 cells show whole and fill the client area.
        const TRect last = c->CellRect(7, 7);
        EXPECT_EQ(last.Width(), c->ColWidths(7));
        EXPECT_EQ(last.Height(), c->RowHeights(7));
        EXPECT_GE(last.Right + c->GridLineWidth(), c->ClientWidth() - 1);
        EXPECT_GE(last.Bottom + c->GridLineWidth(), c->ClientHeight() - 1);
        EXPECT_GE(c->RowHeights(2), QFontMetrics(c->Font()->ToQFont()).height());
        return QString();
    }));
}
