// Cell texts, the copy text and the clipboard scanner, without a widget.
#include <krogui/data/datatable.h>
#include <krogui/ntabed/ntabtext.h>
#include <krogui/numio/numtext.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace kro;

namespace {

struct Found
{
    std::map<std::pair<int, int>, double> Cells;
    TClipScanResult Res;
};

Found Scan(const QString &Text)
{
    Found f;
    f.Res = ScanClipText(Text, [&f](int N, int M, double V) { f.Cells[{N, M}] = V; });
    return f;
}

double At(const Found &F, int N, int M)
{
    const auto it = F.Cells.find({N, M});
    return it == F.Cells.end() ? -12345.0 : it->second;
}

} // namespace

TEST(NTabText, FixedNotationWhileNineDigitsShowSomething)
{
    EXPECT_EQ(FormatCellNumber(1, 3, 123.456), "123.456");
    EXPECT_EQ(FormatCellNumber(1, 2, 123.456), "123.46");
    EXPECT_EQ(FormatCellNumber(1, 3, 0.0), "0.000");
    EXPECT_EQ(FormatCellNumber(1, 0, 999999999.0), "999999999");
    EXPECT_EQ(FormatCellNumber(1, 8, -0.5), "-0.50000000");
    EXPECT_EQ(FormatCellNumber(8, 1, 2.5), "     2.5");
    // Below the smallest shown value or above the largest: exponent notation, Width digits.
    EXPECT_EQ(FormatCellNumber(1, 3, 0.0004), FormatReal(7, -2, 0.0004));
    EXPECT_EQ(FormatCellNumber(1, 3, 100000.5), FormatReal(7, -2, 100000.5));
    EXPECT_EQ(FormatCellNumber(1, 0, 1e9), FormatReal(7, -2, 1e9));
    EXPECT_EQ(FormatCellNumber(4, 8, 1.5), FormatReal(10, -2, 1.5));
    EXPECT_TRUE(FormatCellNumber(1, 3, 100000.5).contains(QLatin1Char('E')));
}

TEST(NTabText, FixedRangeBoundsForEachPlaces)
{
    const double upper[9] = {999999999.0, 9999999.9, 999999.99, 99999.999, 9999.9999,
                             999.99999,   99.999999, 9.9999999, 0.99999999};
    for (int d = 0; d <= 8; ++d) {
        const double lower = std::pow(10.0, -d);
        SCOPED_TRACE(d);
        for (double v : {upper[d], -upper[d], lower, -lower, 0.0})
            EXPECT_EQ(FormatCellNumber(1, d, v), FormatReal(1, d, v)) << v;
        for (double v : {upper[d] * 1.0000001, lower * 0.9999, -lower * 0.5})
            EXPECT_EQ(FormatCellNumber(2, d, v), FormatReal(8, -2, v)) << v;
    }
}

TEST(NTabText, ExponentPlacesAlwaysShowExponent)
{
    for (int d : {-1, 9, 10}) {
        EXPECT_EQ(FormatCellNumber(3, d, 12.5), FormatReal(9, -2, 12.5)) << d;
        EXPECT_TRUE(FormatCellNumber(3, d, 0.0).contains(QLatin1Char('E'))) << d;
    }
    // A three-digit exponent does not fit: asterisks fill the field.
    EXPECT_EQ(FormatCellNumber(1, -1, 1e150), QString(7, QLatin1Char('*')));
}

TEST(NTabText, DataCellTextFollowsStateAndScale)
{
    TDataTable t;
    t.Resize(2, 3);
    t.SetElem(1, 1, 2.5);
    t.SetCellState(1, 1, ntsEmpty | ntsInvalid | ntsMarkA);
    EXPECT_EQ(DataCellText(t, 1, 1, 1, 3), ""); // empty wins over invalid
    t.SetCellState(1, 1, ntsInvalid | 0x10);
    EXPECT_EQ(DataCellText(t, 1, 1, 1, 3), "-nan-");
    t.SetCellState(1, 1, ntsMarkA | ntsMarkB | 0x04);
    EXPECT_EQ(DataCellText(t, 1, 1, 1, 3), "2.500");
    EXPECT_EQ(DataCellText(t, 3, 1, 1, 3), "");
    EXPECT_EQ(DataCellText(t, 0, 1, 1, 3), "");

    t.SetMScaleType(2, mstNominal);
    t.SetNominalID(2, 3, QStringLiteral("three"));
    t.SetElem(2, 1, 2.6);
    t.SetElem(2, 2, 51);
    t.SetElem(2, 3, 2.5); // halves go to the even code: 2, which has no identifier
    EXPECT_EQ(DataCellText(t, 2, 1, 1, 3), "three");
    EXPECT_EQ(DataCellText(t, 2, 2, 1, 3), "nominal:51");
    EXPECT_EQ(DataCellText(t, 2, 3, 1, 3), "nominal:2");
    t.SetMScaleType(2, mstOrdinal);
    EXPECT_EQ(DataCellText(t, 2, 2, 1, 3), "ordinal:51");
}

TEST(NTabText, CopyTextByteForByte)
{
    TDataTable t;
    t.Resize(3, 2);
    t.SetElem(1, 1, 1);
    t.SetElem(2, 1, 2);
    t.SetElem(1, 2, 3);
    t.SetElem(2, 2, 4);
    const std::vector<qint8> zero{0, 0, 0};
    EXPECT_EQ(CopyBlockText(t, 1, 1, 2, 2, false, zero, 1), QStringLiteral(" 1\t2\r\n 3\t4\r\n"));
    EXPECT_EQ(CopyBlockText(t, 1, 1, 1, 1, true, zero, 1), QStringLiteral("  1.0000000000000E+0000\r\n"));

    t.SetElem(3, 1, 1234.5678901234);
    t.SetCellState(2, 2, ntsEmpty);
    t.SetCellState(1, 2, ntsInvalid | ntsMarkA);
    const std::vector<qint8> places{2, 0, -1};
    EXPECT_EQ(CopyBlockText(t, 1, 1, 3, 2, false, places, 3),
              QStringLiteral(" 1.00\t2\t") + FormatReal(11, -1, 1234.5678901234) +
                  QStringLiteral("\r\n ####\t####\t") + FormatReal(11, -1, 0.0) + QStringLiteral("\r\n"));
    EXPECT_EQ(FormatReal(11, -1, 1234.5678901234), QStringLiteral(" 1.23E+0003"));
    // The block is clipped to the table.
    EXPECT_EQ(CopyBlockText(t, 3, 2, 9, 9, false, places, 1),
              QStringLiteral(" ") + FormatReal(9, -1, 0.0) + "\r\n");
    EXPECT_EQ(CopyBlockText(t, 5, 5, 9, 9, false, places, 1), "");
}

TEST(NTabText, ScannerReadsRowsAndColumns)
{
    Found f = Scan(QStringLiteral(" 1\t2\t3\r\n 4\t5\t6\r\n"));
    EXPECT_TRUE(f.Res.Any);
    EXPECT_EQ(f.Res.Cols, 3);
    EXPECT_EQ(f.Res.Rows, 2); // the final line break opens no further row
    EXPECT_EQ(f.Cells.size(), 6u);
    EXPECT_EQ(At(f, 2, 1), 6);

    // Comma or point as separator; LF-only and CR-only line ends; line feeds before the first
    // number do not count; a ragged last line without a line break still counts its numbers.
    f = Scan(QStringLiteral("\n\nx 1,5 2.5\n3\r4 5 6 7"));
    EXPECT_EQ(At(f, 0, 0), 1.5);
    EXPECT_EQ(At(f, 1, 0), 2.5);
    EXPECT_EQ(At(f, 0, 1), 3);
    EXPECT_EQ(At(f, 3, 2), 7);
    EXPECT_EQ(f.Res.Cols, 4);
    EXPECT_EQ(f.Res.Rows, 3);

    // A number followed directly by a line feed still ends its line.
    f = Scan(QStringLiteral("1\n2\n"));
    EXPECT_EQ(f.Res.Rows, 2);
    EXPECT_EQ(f.Res.Cols, 1);

    // Blank lines between numbers keep their place.
    f = Scan(QStringLiteral("1\n\n2"));
    EXPECT_EQ(f.Res.Rows, 3);
    EXPECT_EQ(At(f, 0, 2), 2);
}

TEST(NTabText, ScannerSurvivesJunk)
{
    Found f = Scan(QStringLiteral("no numbers at all"));
    EXPECT_FALSE(f.Res.Any);
    EXPECT_EQ(f.Res.Rows, 0);
    f = Scan(QString());
    EXPECT_FALSE(f.Res.Any);

    // A lone sign reads as 0; exponents are read; the character that ends a number never starts
    // the next one.
    f = Scan(QStringLiteral("- 1e3 1-2 1.5.3"));
    EXPECT_EQ(At(f, 0, 0), 0);
    EXPECT_EQ(At(f, 1, 0), 1000);
    EXPECT_EQ(At(f, 2, 0), 1);
    EXPECT_EQ(At(f, 3, 0), 2);
    EXPECT_EQ(At(f, 4, 0), 0); // a second separator: no number, read as 0
    EXPECT_EQ(At(f, 5, 0), 3);

    // A megabyte line of alternating digits and signs, and one huge number: linear, no crash.
    QString big;
    for (int i = 0; i < 500000; ++i)
        big += QStringLiteral("1-");
    f = Scan(big);
    EXPECT_EQ(f.Res.Rows, 1);
    EXPECT_EQ(f.Res.Cols, 500000);
    f = Scan(QString(1 << 20, QLatin1Char('9')));
    EXPECT_EQ(f.Res.Cols, 1);
    EXPECT_GT(At(f, 0, 0), 1e300);
    EXPECT_TRUE(std::isfinite(At(f, 0, 0)));
}
