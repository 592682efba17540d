// Numbers, strings, streams, files and the shared error helpers.
#include <krogui/core/error.h>
#include <krogui/core/kromath.h>
#include <krogui/core/strutil.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace kro;

namespace {
KRO_DECLARE_ERROR(EKROTestError, EKROError)
}

TEST(Math, RoundHalvesToEvenAndClamps)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.5000001), 3);
    EXPECT_EQ(Round(-2.4999999), -2);
    EXPECT_EQ(Round(1e20), INT_MAX);
    EXPECT_EQ(Round(-1e20), INT_MIN);
    EXPECT_EQ(Round(std::nan("")), 0);
    EXPECT_EQ(Round(HUGE_VAL), INT_MAX);
    EXPECT_EQ(Round64(4503599627370497.0), 4503599627370497LL);
    EXPECT_EQ(Round64(1e300), LLONG_MAX);
    EXPECT_EQ(Round64(-1e300), LLONG_MIN);
}

TEST(Math, TruncIntNegAndMulDiv)
{
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Trunc(2.7), 2);
    EXPECT_EQ(Trunc(1e12), INT_MAX);
    EXPECT_EQ(IntNeg(-0.5), -1);
    EXPECT_EQ(IntNeg(-2.0), -2);
    EXPECT_EQ(IntNeg(2.999), 2);
    EXPECT_EQ(IntNeg(-1e-12), -1);
    EXPECT_EQ(IntNeg(-1e12), INT_MIN);
    EXPECT_EQ(IntNeg(std::nan("")), 0);

    EXPECT_EQ(MulDiv(10, 3, 4), 8); // 7.5 rounds away from zero
    EXPECT_EQ(MulDiv(-10, 3, 4), -8);
    EXPECT_EQ(MulDiv(10, -3, -4), 8);
    EXPECT_EQ(MulDiv(7, 3, 5), 4); // 4.2
    EXPECT_EQ(MulDiv(7, 3, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX); // 64-bit intermediate
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);                  // does not fit
    EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
}

TEST(Strings, TokenizeCountsTheEmptyTail)
{
    TOpenStringArray t;
    EXPECT_EQ(Tokenize(QStringLiteral("a;b;"), QLatin1Char(';'), t), 3);
    EXPECT_EQ(t, QStringList({QStringLiteral("a"), QStringLiteral("b"), QString()}));
    EXPECT_EQ(Tokenize(QStringLiteral(";;"), QLatin1Char(';'), t), 3);
    EXPECT_EQ(Tokenize(QStringLiteral("abc"), QLatin1Char(';'), t), 1);
    EXPECT_EQ(t.first(), QStringLiteral("abc"));
    EXPECT_EQ(Tokenize(QString(), QLatin1Char(';'), t), 1);
    EXPECT_EQ(Tokenize(QStringLiteral("/usr/lib/"), QLatin1Char('/'), t), 4);
    EXPECT_EQ(t[1], QStringLiteral("usr"));
}

TEST(Strings, NumberedPos)
{
    const QString text = QStringLiteral("xabyABzab");
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 1, 1, false), 2);
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 1, 2, false), 8);
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 1, 2, true), 5);  // ignoring case
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 3, 1, false), 8); // counted from Start
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 2, 1, false), 2); // Start itself counts
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 1, 3, false), 0);
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 20, 1, false), 0);
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 0, 1, false), 2);
    EXPECT_EQ(NumberedPos(QStringLiteral("ab"), text, 1, 0, false), 0);
    EXPECT_EQ(NumberedPos(QString(), text, 1, 1, false), 0);
    EXPECT_EQ(NumberedPos(QStringLiteral("\""), QStringLiteral("a=\"1\" b"), 1, 2, false), 5);
}

TEST(Strings, SmallHelpers)
{
    EXPECT_EQ(strff(3.14159, 8, 2), QStringLiteral("    3.14"));
    EXPECT_EQ(strff(-0.001, 0, 2), QStringLiteral("0.00"));
    EXPECT_EQ(strff(-1.25, 0, 1).left(3), QStringLiteral("-1."));
    EXPECT_EQ(strff(12.0, 1, -3), QStringLiteral("12"));
    EXPECT_EQ(LeftString(QStringLiteral("abc"), 5), QStringLiteral("abc  "));
    EXPECT_EQ(LeftString(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(LeftString(QStringLiteral("abc"), -1), QString());
    EXPECT_EQ(ReplaceCharInString(QStringLiteral("a\\b\\c"), QLatin1Char('\\'), QLatin1Char('/')),
              QStringLiteral("a/b/c"));
    EXPECT_EQ(StripLeadingChars(QStringLiteral("00120"), QLatin1Char('0')), QStringLiteral("120"));
    EXPECT_EQ(StripTrailingChars(QStringLiteral("1.500"), QLatin1Char('0')), QStringLiteral("1.5"));
    EXPECT_EQ(StripTrailingChars(QStringLiteral("000"), QLatin1Char('0')), QString());
    EXPECT_EQ(RemoveControlChars(QStringLiteral("a\tb\r\nc\x7f"
                                                "d")),
              QStringLiteral("abcd"));
    EXPECT_EQ(EnsureTrailingChar(QString(), QLatin1Char('/')), QStringLiteral("/"));
    EXPECT_EQ(EnsureTrailingChar(QStringLiteral("a/"), QLatin1Char('/')), QStringLiteral("a/"));
    EXPECT_EQ(EnsureTrailingBkSlash(QStringLiteral("dir")), QStringLiteral("dir") + QDir::separator());
}

TEST(Strings, IsValidDecInt)
{
    for (const char *good : {"0", "-12", "+7", "2147483647", "-2147483648", "007"})
        EXPECT_TRUE(IsValidDecInt(QString::fromLatin1(good))) << good;
    for (const char *bad :
         {"", "-", "+", "2147483648", "-2147483649", "1.0", " 1", "1 ", "0x10", "1e3", "--1"})
        EXPECT_FALSE(IsValidDecInt(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(IsValidDecInt(QString::fromUtf8("\u0661\u0662"))); // other scripts' digits
}

TEST(Streams, ReadLnStreamKnowsAllThreeLineEnds)
{
    QByteArray data("one\ntwo\r\nthree\rfour");
    QBuffer buf(&data);
    ASSERT_TRUE(buf.open(QIODevice::ReadOnly));
    bool eos = true;
    QStringList lines;
    QList<bool> ends;
    do {
        lines << ReadLnStream(&buf, eos);
        ends << eos;
    } while (!eos && lines.size() < 10);
    EXPECT_EQ(lines, QStringList({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                                  QStringLiteral("four")}));
    EXPECT_EQ(ends, QList<bool>({false, false, false, true}));

    // A final line end does not make an extra empty line; empty lines in between are kept.
    QByteArray d2("a\r\n\r\n\nb\r");
    QBuffer b2(&d2);
    ASSERT_TRUE(b2.open(QIODevice::ReadOnly));
    lines.clear();
    do
        lines << ReadLnStream(&b2, eos);
    while (!eos && lines.size() < 10);
    EXPECT_EQ(lines, QStringList({QStringLiteral("a"), QString(), QString(), QStringLiteral("b")}));

    // An empty stream and no stream: an empty line and the end.
    QByteArray d3;
    QBuffer b3(&d3);
    ASSERT_TRUE(b3.open(QIODevice::ReadOnly));
    eos = false;
    EXPECT_EQ(ReadLnStream(&b3, eos), QString());
    EXPECT_TRUE(eos);
    eos = false;
    EXPECT_EQ(ReadLnStream(nullptr, eos), QString());
    EXPECT_TRUE(eos);

    // UTF-8, and a length limit that skips the rest of a long line.
    QByteArray d4("gr\xC3\xBC\xC3\x9F"
                  "e\nabcdefgh\nxy");
    QBuffer b4(&d4);
    ASSERT_TRUE(b4.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadLnStream(&b4, eos), QString::fromUtf8("gr\u00fc\u00dfe"));
    EXPECT_EQ(ReadLnStream(&b4, eos, 3), QStringLiteral("abc"));
    EXPECT_FALSE(eos);
    EXPECT_EQ(ReadLnStream(&b4, eos, 3), QStringLiteral("xy"));
    EXPECT_TRUE(eos);

    // The stream is left right after the line read, so a caller can go on from there.
    QByteArray d5("head\r\nbody");
    QBuffer b5(&d5);
    ASSERT_TRUE(b5.open(QIODevice::ReadOnly));
    ReadLnStream(&b5, eos);
    EXPECT_EQ(b5.pos(), 6);
}

TEST(Files, DirExistsAndParentDir)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(DirExists(dir.path()));
    QFile f(dir.filePath(QStringLiteral("file.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(DirExists(f.fileName()));
    EXPECT_FALSE(DirExists(dir.filePath(QStringLiteral("nothing"))));
    EXPECT_FALSE(DirExists(QString()));

    EXPECT_EQ(ParentDir(QStringLiteral("/a/b/c")), QStringLiteral("/a/b/"));
    EXPECT_EQ(ParentDir(QStringLiteral("/a/b/")), QStringLiteral("/a/"));
    EXPECT_EQ(ParentDir(QStringLiteral("/a")), QStringLiteral("/"));
    EXPECT_EQ(ParentDir(QStringLiteral("/")), QString());
    EXPECT_EQ(ParentDir(QString()), QString());
    EXPECT_EQ(ParentDir(QStringLiteral("name")), QString());
    EXPECT_EQ(ParentDir(QStringLiteral("a/b")), QStringLiteral("a/"));
}

TEST(Strings, InventPasswordAndNames)
{
    const QString a = InventPassword(32), b = InventPassword(32);
    EXPECT_EQ(a.size(), 32);
    EXPECT_NE(a, b);
    for (QChar c : a)
        EXPECT_TRUE(c.isLetterOrNumber() && c.unicode() < 128) << int(c.unicode());
    EXPECT_TRUE(InventPassword(0).isEmpty());
    EXPECT_TRUE(InventPassword(-5).isEmpty());

    for (TLanguage lg : {lgEnglish, lgGerman, lgFrench, lgSpanish}) {
        QSet<QString> longs, shorts, days;
        for (int m = 1; m <= 12; ++m) {
            longs.insert(MonthLong(lg, m));
            shorts.insert(MonthShort(lg, m));
        }
        for (int d = 0; d < 7; ++d)
            days.insert(WeekDayShort(lg, d));
        EXPECT_EQ(longs.size(), 12) << lg;
        EXPECT_EQ(shorts.size(), 12) << lg;
        EXPECT_EQ(days.size(), 7) << lg;
        EXPECT_FALSE(longs.contains(QString()));
    }
    EXPECT_EQ(MonthLong(lgGerman, 3), QString::fromUtf8("M\u00e4rz"));
    EXPECT_EQ(MonthLong(lgNone, 1), MonthLong(lgEnglish, 1));
    EXPECT_EQ(WeekDayShort(lgEnglish, 0), QStringLiteral("Mo"));
    EXPECT_EQ(WeekDayShort(lgGerman, 6), QStringLiteral("So"));
    EXPECT_TRUE(MonthLong(lgEnglish, 0).isEmpty());
    EXPECT_TRUE(MonthShort(lgEnglish, 13).isEmpty());
    EXPECT_TRUE(WeekDayShort(lgEnglish, 7).isEmpty());
}

TEST(Errors, ComponentMessagesAndTheExceptionReport)
{
    EXPECT_EQ(ComponentMessage(QStringLiteral("Meter1"), QStringLiteral("no timer available")),
              QStringLiteral("Component \"Meter1\": no timer available"));
    try {
        throw EKROTestError(QString::fromUtf8("gr\u00fc\u00dfe"));
    } catch (const EKROError &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("gr\u00fc\u00dfe"));
    }

    QStringList seen;
    const TExceptionHandler old = SetExceptionHandler([&](const QString &m) { seen << m; });
    EXPECT_FALSE(SafeInvoke([] { throw EKROError(QStringLiteral("boom")); }));
    EXPECT_FALSE(SafeInvoke([] { throw 42; }));
    EXPECT_TRUE(SafeInvoke([] {}));
    // A handler that throws itself is contained as well.
    SetExceptionHandler([](const QString &) { throw std::runtime_error("handler"); });
    EXPECT_FALSE(SafeInvoke([] { throw EKROError(QStringLiteral("again")); }));
    SetExceptionHandler(old);
    EXPECT_EQ(seen, QStringList({QStringLiteral("boom"), QStringLiteral("unknown exception")}));
}
