// The column format language: how formats are taken apart and what default a cell gets.

#include <krogui/replist/colformat.h>

#include "qstringprint.h"

#include <gtest/gtest.h>

using namespace kro;

TEST(ColFormat, IntegerAtSkipsBlanksTakesOneSignAndClamps)
{
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("rix3"), 4), 3);
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("rix  -12x"), 4), -12);
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("rix+7"), 4), 7);
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("rix"), 4), 0);    // nothing there
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("rix--5"), 4), 0); // one sign only
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("rixabc"), 4), 0); // no digits
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("99999999999999999999"), 1), INT_MAX);
    EXPECT_EQ(ColFmtIntegerAt(QStringLiteral("-99999999999999999999"), 1), INT_MIN);
}

TEST(ColFormat, CellDefaultsOfEveryKind)
{
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[i][80]rix3"), 7), QStringLiteral("007"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[h][]rix4"), 7), QStringLiteral("0007"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[h][]rix4"), 0x12345),
              QStringLiteral("2345"));                                                   // high digits go
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[h][]rix0"), 255), QStringLiteral("F")); // n at least 1
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[h][]rix12"), 255), QStringLiteral("000000FF")); // at most 8
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[i][]rix2"), 1234), QStringLiteral("34"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[i][]rix0"), 5), QStringLiteral("5"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[i][]rix3"), -7), QStringLiteral("-007"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[f][50]RIX2"), 3), QStringLiteral("3.00")); // case ignored
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[e][50]rix0"), 12), QStringLiteral("12"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[f][50]1.5"), 12), QStringLiteral("1.5")); // literal
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[l:5][100]red|green|blue"), 1), QStringLiteral("red"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[c][100]single"), 1), QStringLiteral("single"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[d yyyy-MM-dd][90]2024-02-29"), 1),
              QStringLiteral("2024-02-29"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[s][120]hello"), 1), QStringLiteral("hello"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[s]hello"), 1), QStringLiteral("hello")); // no width group

    const QString pwd = ColFmtCellDefault(QStringLiteral("[s][120]$pwd$8"), 1);
    EXPECT_EQ(pwd.size(), 8);
    EXPECT_NE(pwd, QStringLiteral("$pwd$8"));
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[s][120]$PWD$999999"), 1).size(), 255); // a cell's worth

    // No default: read-only head, no brackets, empty default part, unknown letter, empty format.
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[#i][80]rix3"), 7), QString());
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("plain text"), 7), QString());
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[i][80]"), 7), QString());
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("[x][80]abc"), 7), QString());
    EXPECT_EQ(ColFmtCellDefault(QString(), 7), QString());
    EXPECT_EQ(ColFmtCellDefault(QStringLiteral("]"), 7), QString());
}

TEST(ColFormat, ParseAsTheRowEditorReadsIt)
{
    TColFormat f = ParseColFormat(QStringLiteral("[#l:3][150]a|b|c"));
    EXPECT_TRUE(f.HasKind);
    EXPECT_TRUE(f.ReadOnly);
    EXPECT_EQ(f.Kind, QLatin1Char('l'));
    EXPECT_EQ(f.DropDownCount, 3);
    EXPECT_EQ(f.Width, 150);
    EXPECT_EQ(f.DefaultPart, QStringLiteral("a|b|c"));

    f = ParseColFormat(QStringLiteral("[ddd, dd.MM.yyyy][0]Mon, 01.01.2024"));
    EXPECT_EQ(f.Kind, QLatin1Char('d'));
    EXPECT_EQ(f.KindText, QStringLiteral("dd, dd.MM.yyyy"));
    EXPECT_EQ(f.Width, ColFmtDefaultWidth); // below 1
    EXPECT_EQ(f.DefaultPart, QStringLiteral("Mon, 01.01.2024"));

    // Found by the colformat fuzz target: a negative count came through as it stood.
    f = ParseColFormat(QStringLiteral("[l:-2]b"));
    EXPECT_EQ(f.Kind, QLatin1Char('l'));
    EXPECT_EQ(f.DropDownCount, 0);

    f = ParseColFormat(QStringLiteral("just a default"));
    EXPECT_FALSE(f.HasKind);
    EXPECT_EQ(f.Kind, QLatin1Char('s'));
    EXPECT_EQ(f.Width, ColFmtDefaultWidth);
    EXPECT_EQ(f.DefaultPart, QStringLiteral("just a default"));

    f = ParseColFormat(QStringLiteral("]x[s]")); // "[" after "]": no kind group
    EXPECT_FALSE(f.HasKind);

    f = ParseColFormat(QString());
    EXPECT_EQ(f.Kind, QLatin1Char('s'));
    EXPECT_TRUE(f.DefaultPart.isEmpty());
}
