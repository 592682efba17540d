// Date/time text of the date columns: reading with a column format, writing back, day counts
// and the display format of the date/time editor.

#include <krogui/replist/datetext.h>

#include "qstringprint.h"

#include <QDateTimeEdit>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>

using namespace kro;

namespace {

const TDateTextOptions kIn2026{50, 2026};

QDateTime Utc(int Y, int Mo, int D, int H = 0, int Mi = 0, int S = 0)
{
    return QDateTime(QDate(Y, Mo, D), QTime(H, Mi, S), QTimeZone::utc());
}

// The date/time a text reads as (invalid on an error).
QDateTime Read(const char *Text, const char *Format, const TDateTextOptions &Opt = kIn2026)
{
    double v = -1;
    const int err = ParseDateText(QString::fromUtf8(Text), QString::fromUtf8(Format), 1, v, Opt);
    if (err != dteOK) {
        EXPECT_EQ(v, 0.0) << "an error must give 0";
        return QDateTime();
    }
    return DayCountToDateTime(v);
}

int Error(const char *Text, const char *Format)
{
    double v = -1;
    return ParseDateText(QString::fromUtf8(Text), QString::fromUtf8(Format), 1, v, kIn2026);
}

} // namespace

TEST(DateText, ReadsTheUsualFormats)
{
    EXPECT_EQ(Read("05.11.2023 14:30", "dd.MM.yyyy HH:mm"), Utc(2023, 11, 5, 14, 30));
    EXPECT_EQ(Read("march 3, 2001", "MMMM d, yyyy"), Utc(2001, 3, 3));
    EXPECT_EQ(Read("12:15 am", "hh:mm tt"), Utc(1899, 12, 30, 0, 15)); // a time alone: day 0
    EXPECT_EQ(Read("2024-02-29T23:59:58", "yyyy-MM-dd'T'HH:mm:ss"), Utc(2024, 2, 29, 23, 59, 58));
    EXPECT_EQ(Read("Thursday, 07 Mar 2024", "dddd, dd MMM yyyy"), Utc(2024, 3, 7));
    EXPECT_EQ(Read("Thu 7/3/2024", "ddd d/M/yyyy"), Utc(2024, 3, 7)); // weekday names are not checked
}

TEST(DateText, NumbersFixedAndFree)
{
    // Two-character elements take exactly two characters; single letters take a whole integer.
    EXPECT_EQ(Read("0705", "ddMM"), Read("07.05.", "d.M."));
    EXPECT_EQ(Read("7.123.2020", "d.M.yyyy"), QDateTime()); // month 123
    EXPECT_EQ(Error("7.123.2020", "d.M.yyyy"), dteInvalid);
    EXPECT_EQ(Read(" 7. 5.2020", "dd.MM.yyyy"), Utc(2020, 5, 7)); // a blank before the digits is fine
    EXPECT_EQ(Read("1:2:3", "H:m:s"), Utc(1899, 12, 30, 1, 2, 3));
    EXPECT_EQ(Error("x1.05.2020", "dd.MM.yyyy"), dteBadValue);
    EXPECT_EQ(Error("1.5.20a0", "d.M.yyyy"), dteBadValue);
    EXPECT_EQ(Error(".5.2020", "d.M.yyyy"), dteBadValue); // no digits
}

TEST(DateText, TwoDigitYearsFollowTheWindow)
{
    // 2026 with a window of 50: years from 1976 on.
    EXPECT_EQ(Read("01.01.23", "dd.MM.yy").date().year(), 2023);
    EXPECT_EQ(Read("01.01.75", "dd.MM.yy").date().year(), 2075);
    EXPECT_EQ(Read("01.01.76", "dd.MM.yy").date().year(), 1976);
    EXPECT_EQ(Read("01.01.99", "dd.MM.yy").date().year(), 1999);
    // Window 0: always the current century.
    EXPECT_EQ(Read("01.01.99", "dd.MM.yy", {0, 2026}).date().year(), 2099);
    EXPECT_EQ(Read("01.01.05", "dd.MM.yy", {0, 2026}).date().year(), 2005);
}

TEST(DateText, TwelveHourClock)
{
    EXPECT_EQ(Read("12:15 PM", "hh:mm tt").time(), QTime(12, 15));
    EXPECT_EQ(Read("01:15 pm", "hh:mm tt").time(), QTime(13, 15));
    EXPECT_EQ(Read("11:00 xx", "hh:mm tt").time(), QTime(23, 0)); // anything but "am" is after noon
    EXPECT_EQ(Read("3:05a", "h:mmt").time(), QTime(3, 5));
    EXPECT_EQ(Read("3:05P", "h:mmt").time(), QTime(15, 5));
    EXPECT_EQ(Read("12:30", "hh:mm").time(), QTime(0, 30)); // no half-day: before noon
    EXPECT_EQ(Read("12:30", "HH:mm").time(), QTime(12, 30));
    EXPECT_EQ(Error("13:00 pm", "hh:mm tt"), dteInvalid); // 25 o'clock
}

TEST(DateText, NamesCompareWithoutCase)
{
    EXPECT_EQ(Read("SEPTEMBER 2020", "MMMM yyyy"), Utc(2020, 9, 1));
    EXPECT_EQ(Read("sep2020", "MMMyyyy"), Utc(2020, 9, 1));
    EXPECT_EQ(Read("May 1 2020", "MMMM d yyyy"), Utc(2020, 5, 1));
    EXPECT_EQ(Error("Sept 2020", "MMM yyyy"), dteLiteral); // "Sep" read, then "t" is not the blank
    EXPECT_EQ(Error("Mai 2020", "MMMM yyyy"), dteBadValue);
    EXPECT_EQ(Error("Frday 1.1.2020", "dddd d.M.yyyy"), dteBadValue);
    EXPECT_EQ(Error("Ma", "MMM"), dteBadValue); // too short for a name
}

TEST(DateText, LiteralsAndQuotes)
{
    EXPECT_EQ(Read("o'clock 5", "'o''clock' H"), Utc(1899, 12, 30, 5));
    EXPECT_EQ(Read("'5", "''H"), Utc(1899, 12, 30, 5));
    EXPECT_EQ(Read("at 05h", "'at' HH'h'"), Utc(1899, 12, 30, 5));
    EXPECT_EQ(Read("Of 2020/01/02", "Of yyyy/MM/dd").date(), QDate(2020, 1, 2)); // "Of " is literal
    EXPECT_EQ(Error("05-11-2023", "dd.MM.yyyy"), dteLiteral);
    EXPECT_EQ(Error("05.11", "dd.MM.yyyy"), dteLiteral);
    EXPECT_EQ(Error("", "'x'"), dteLiteral);
    EXPECT_EQ(Read("anything", ""), Utc(1899, 12, 30)); // an empty format reads nothing: 0
}

TEST(DateText, RunsThatAreNoElementAndImpossibleValues)
{
    for (const char *f : {"yyy", "y", "yyyyy", "sss", "HHH", "mmm", "ttt", "ddddd", "MMMMM"})
        EXPECT_EQ(Error("2020", f), dteBadToken) << f;
    EXPECT_EQ(Error("20.02.2020", "dd.MM.yyy"), dteBadToken);
    EXPECT_EQ(Error("xx 2020", "dd yyy"), dteBadValue); // parsing stops at the first error
    EXPECT_EQ(Error("31.02.2020", "dd.MM.yyyy"), dteInvalid);
    EXPECT_EQ(Error("00.02.2020", "dd.MM.yyyy"), dteInvalid);
    EXPECT_EQ(Error("01.13.2020", "dd.MM.yyyy"), dteInvalid);
    EXPECT_EQ(Error("01.01.0000", "dd.MM.yyyy"), dteInvalid);
    EXPECT_EQ(Error("24:00", "HH:mm"), dteInvalid);
    EXPECT_EQ(Error("10:60", "HH:mm"), dteInvalid);
    EXPECT_EQ(Error("-1:00", "H:mm"), dteInvalid);
    EXPECT_EQ(Error("99999999999999:00", "H:mm"), dteInvalid);
}

TEST(DateText, MissingDayMonthOrYearAreFilledIn)
{
    EXPECT_EQ(Read("11/2023", "MM/yyyy"), Utc(2023, 11, 1));
    EXPECT_EQ(Read("2023", "yyyy"), Utc(2023, 1, 1));
    EXPECT_EQ(Read("24.12.", "dd.MM."), Utc(2026, 12, 24)); // the current year
    EXPECT_EQ(Read("24.12. 18:00", "dd.MM. HH:mm"), Utc(2026, 12, 24, 18));
}

TEST(DateText, DayCountsBeforeAndAfterDayZero)
{
    EXPECT_EQ(DateTimeToDayCount(Utc(1899, 12, 30, 12)), 0.5);
    EXPECT_EQ(DateTimeToDayCount(Utc(1899, 12, 29, 6)), -1.25); // the fraction still counts forward
    EXPECT_EQ(DayCountToDateTime(-1.25), Utc(1899, 12, 29, 6));
    EXPECT_EQ(DayCountToDateTime(45235.6041666667), Utc(2023, 11, 5, 14, 30));
    EXPECT_EQ(DayCountToDateTime(0.99999999999), Utc(1899, 12, 31)); // rounding reaches the next day
    double v = 0;
    ASSERT_EQ(ParseDateText(QStringLiteral("02.01.1850 18:00"), QStringLiteral("dd.MM.yyyy HH:mm"), 1, v),
              dteOK);
    EXPECT_EQ(DayCountToDateTime(v), Utc(1850, 1, 2, 18));
    EXPECT_FALSE(DayCountToDateTime(NAN).isValid());
    EXPECT_FALSE(DayCountToDateTime(1e12).isValid());
    EXPECT_EQ(DateTimeToDayCount(QDateTime()), 0.0);
}

TEST(DateText, WrittenTextReadsBack)
{
    const QDateTime when = Utc(2024, 3, 7, 15, 4, 9);
    EXPECT_EQ(FormatDateText(QStringLiteral("dddd, d MMMM yyyy h:mm:ss tt"), when),
              QStringLiteral("Thursday, 7 March 2024 3:04:09 PM"));
    EXPECT_EQ(FormatDateText(QStringLiteral("ddd dd.MM.yy HH'h'mm t"), when),
              QStringLiteral("Thu 07.03.24 15h04 P"));
    EXPECT_EQ(FormatDateText(QStringLiteral("hh 'o''clock'"), Utc(2024, 3, 7, 0, 0)),
              QStringLiteral("12 o'clock"));
    EXPECT_EQ(FormatDateText(QStringLiteral("yyy"), when), QStringLiteral("yyy")); // no element: as it stands
    for (const char *f : {"dd.MM.yyyy HH:mm:ss", "MMMM d, yyyy h:mm tt", "yyyyMMddHHmmss", "d-MMM-yy H:m:s",
                          "ddd, dd MMM yyyy hh:mm:ss t"}) {
        for (const QDateTime &t : {when, Utc(2001, 12, 31, 0, 0, 0), Utc(1999, 1, 1, 12, 30, 59)}) {
            double v = 0;
            const QString text = FormatDateText(QString::fromLatin1(f), t);
            ASSERT_EQ(ParseDateText(text, QString::fromLatin1(f), 1, v), dteOK)
                << f << " " << text.toStdString();
            EXPECT_EQ(FormatDateText(QString::fromLatin1(f), DayCountToDateTime(v)), text) << f;
        }
    }
}

TEST(DateText, TheEditorShowsWhatIsWritten)
{
    QDateTimeEdit edit;
    edit.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    edit.setTimeSpec(Qt::UTC);
    const QDateTime when = Utc(2024, 3, 7, 15, 4, 9);
    for (const char *f : {"dd.MM.yyyy HH:mm", "MMMM d, yyyy hh:mm tt", "'Day' d 'of' MMM yyyy",
                          "yyyy-MM-dd'T'HH:mm:ss", "H:mm ss 'z'"}) {
        const QString format = QString::fromLatin1(f);
        edit.setDisplayFormat(DateTextDisplayFormat(format));
        edit.setDateTime(when);
        EXPECT_EQ(edit.text(), FormatDateText(format, when)) << f;
    }
}
