// The number text engine: scanner state tables, validators, integer and radix scanning, formatting.
#include <krogui/numio/numtext.h>

#include <gtest/gtest.h>

#include <QLocale>

#include <climits>
#include <cmath>

using namespace kro;

namespace {

struct ScanCase
{
    const char *Text;
    bool Accept;  // IsRealText in point mode (no exponent cut involved)
    int Pos;      // stop position of ScanReal
    double Value; // ScanReal result
};

void CheckScan(const ScanCase &c, bool AllowExp)
{
    const QString t = QString::fromLatin1(c.Text);
    int pos = 1;
    const double v = ScanReal(t, AllowExp, sepPoint, pos);
    EXPECT_EQ(pos, c.Pos) << '"' << c.Text << '"';
    EXPECT_DOUBLE_EQ(v, c.Value) << '"' << c.Text << '"';
    EXPECT_EQ(IsRealText(t, AllowExp, dsPoint), c.Accept) << '"' << c.Text << '"';
}

} // namespace

// Every transition of the real scanner: a prefix reaches the state, one character of each class
// follows (separator ".", blank, sign "-", digit, "E", other "x", end of text). A transition into
// a working state is observed through the end of the text that follows it.
TEST(ScanReal, StateTableWithExponent)
{
    const ScanCase cases[] = {
        // S1
        {".", true, 2, 0.0},
        {" ", false, 2, 0.0},
        {"-", false, 2, 0.0},
        {"7", true, 2, 7.0},
        {"E", false, 1, 0.0},
        {"x", false, 1, 0.0},
        // S2
        {"-.", true, 3, 0.0},
        {"- ", false, 2, 0.0},
        {"--", false, 2, 0.0},
        {"-7", true, 3, -7.0},
        {"-E", false, 2, 0.0},
        {"-x", false, 2, 0.0},
        // S3
        {"12.", true, 4, 12.0},
        {"12 ", true, 3, 12.0},
        {"12-", true, 3, 12.0},
        {"127", true, 4, 127.0},
        {"12E", true, 4, 12.0},
        {"12x", true, 3, 12.0},
        {"12", true, 3, 12.0},
        // S4
        {"1..", false, 3, 0.0},
        {"1. ", true, 3, 1.0},
        {"1.-", true, 3, 1.0},
        {"1.7", true, 4, 1.7},
        {"1.E", true, 4, 1.0},
        {"1.x", true, 3, 1.0},
        {"1.", true, 3, 1.0},
        // S5
        {"1.5.", false, 4, 0.0},
        {"1.5 ", true, 4, 1.5},
        {"1.5-", true, 4, 1.5},
        {"1.57", true, 5, 1.57},
        {"1.5E", true, 5, 1.5},
        {"1.5x", true, 4, 1.5},
        {"1.5", true, 4, 1.5},
        // S6
        {"2E.", false, 3, 0.0},
        {"2E ", false, 3, 0.0},
        {"2E-", true, 4, 2.0},
        {"2E3", true, 4, 2000.0},
        {"2EE", false, 3, 0.0},
        {"2Ex", true, 3, 2.0},
        // S7
        {"2E-.", false, 4, 0.0},
        {"2E- ", false, 4, 0.0},
        {"2E--", false, 4, 0.0},
        {"2E-3", true, 5, 0.002},
        {"2E-E", false, 4, 0.0},
        {"2E-x", true, 4, 2.0},
        // S8
        {"2E3.", true, 4, 2000.0},
        {"2E3 ", true, 4, 2000.0},
        {"2E3-", true, 4, 2000.0},
        {"2E34", true, 5, 2e34},
        {"2E3E", true, 4, 2000.0},
        {"2E3x", true, 4, 2000.0},
        // the empty text: the end rejects at once (IsRealText refuses empty anyway)
        {"", false, 1, 0.0},
    };
    for (const auto &c : cases)
        CheckScan(c, true);
}

TEST(ScanReal, StateTableWithoutExponent)
{
    // Only the "E" column differs: S3, S4 and S5 accept on it.
    const ScanCase cases[] = {
        {"12E", true, 3, 12.0},  {"1.E", true, 3, 1.0}, {"1.5E", true, 4, 1.5},
        {"1.5e5", true, 4, 1.5}, {"E", false, 1, 0.0},  {"-E", false, 2, 0.0},
    };
    for (const auto &c : cases)
        CheckScan(c, false);
}

TEST(ScanReal, SeparatorModesBlanksAndStartPosition)
{
    int pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"1,5", false, sepComma, pos), 1.5);
    EXPECT_EQ(pos, 4);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"1.5", false, sepComma, pos), 1.0); // "." is "other" in comma mode
    EXPECT_EQ(pos, 2);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"1,5", false, sepPoint, pos), 1.0);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"-1,25e1", true, sepEither, pos), -12.5);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"1.5,2", true, sepEither, pos), 0.0); // a second separator rejects
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"   +5e", true, sepPoint, pos), 5.0);
    EXPECT_EQ(pos, 7);
    pos = 4; // scanning from the middle of a text, as the table editor does
    EXPECT_DOUBLE_EQ(ScanReal(u"ab 42;7", true, sepPoint, pos), 42.0);
    EXPECT_EQ(pos, 6);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"5e", true, sepPoint, pos), 5.0);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"1e2", true, sepPoint, pos), 100.0);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"\u0661\u0662", true, sepPoint, pos), 0.0); // non-ASCII digits are "other"
    EXPECT_EQ(pos, 1);
}

TEST(ScanReal, ExponentCutAndClamping)
{
    int pos = 1;
    EXPECT_EQ(ScanReal(u"1e99999", true, sepPoint, pos), uc_MaxDouble);
    EXPECT_EQ(pos, 8);
    pos = 1;
    EXPECT_EQ(ScanReal(u"-1e99999", true, sepPoint, pos), -uc_MaxDouble);
    pos = 1;
    EXPECT_EQ(ScanReal(u"1e-99999", true, sepPoint, pos), 0.0);
    pos = 1;
    EXPECT_EQ(ScanReal(u"1e4200", true, sepPoint, pos), uc_MaxDouble);
    pos = 1;
    EXPECT_EQ(ScanReal(u"999e306", true, sepPoint, pos), uc_MaxDouble);
    pos = 1;
    EXPECT_EQ(ScanReal(u"-0.0001e-400", true, sepPoint, pos), 0.0);
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(u"1e0000000000000000002", true, sepPoint, pos), 100.0); // leading zeros
    // The validator rejects what the scanner cuts.
    EXPECT_TRUE(IsRealText(u"1e4200", true, dsPoint));
    EXPECT_FALSE(IsRealText(u"1e4201", true, dsPoint));
    EXPECT_FALSE(IsRealText(u"1e-00004201", true, dsPoint));
    // Long number texts (beyond the scanner's inline buffer).
    const QString big = QStringLiteral("1") + QString(199, u'0');
    pos = 1;
    EXPECT_DOUBLE_EQ(ScanReal(big, true, sepPoint, pos), 1e199);
    const QString tiny = QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1");
    pos = 1;
    EXPECT_EQ(ScanReal(tiny, true, sepPoint, pos), 0.0);
    EXPECT_EQ(pos, tiny.size() + 1);
    const QString huge(5000, u'9');
    pos = 1;
    EXPECT_EQ(ScanReal(huge, true, sepPoint, pos), uc_MaxDouble);
}

TEST(IsRealText, SystemSeparatorChoice)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(IsRealText(u"1,5", false, dsSystem));
    EXPECT_EQ(EditSeparatorMode(dsSystem), sepComma);
    EXPECT_EQ(CheckSeparatorMode(dsSystem), sepComma);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(EditSeparatorMode(dsSystem), sepPoint);
    EXPECT_EQ(CheckSeparatorMode(dsSystem), sepPoint);
    EXPECT_TRUE(IsRealText(u"1.5", false, dsSystem));
    QLocale::setDefault(saved);
    EXPECT_EQ(EditSeparatorMode(TDecPSep(7)), sepEither); // higher ordinals act as "both"
    EXPECT_TRUE(IsRealText(u"12x", true, dsPoint));       // accepted at "x"; the rest is not examined
    EXPECT_FALSE(IsRealText(u"", true, dsBoth));
}

TEST(IsFixedText, StateTableRowByRow)
{
    struct C
    {
        const char *Text;
        bool Valid;
    };
    // Prefixes reach F0 "", F1 "-", F3 "1", F2 ".", F4 ".5"; then sign, separator, the other
    // separator character, digit, other.
    const C cases[] = {
        {"-", true},    {".", true},      {",", false},   {"1", true},   {"x", false},   // F0
        {"--", false},  {"-.", true},     {"-,", false},  {"-1", true},  {"-x", false},  // F1
        {"1-", false},  {"1.", true},     {"1,", false},  {"11", true},  {"1x", false},  // F3
        {".-", false},  {"..", false},    {".,", false},  {".5", true},  {".x", false},  // F2
        {".5-", false}, {".5.", false},   {".5,", false}, {".55", true}, {".5x", false}, // F4
        {"", false},    {"1.2.3", false}, {" 1", false},  {"+", true},   {"1e5", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsFixedText(QString::fromLatin1(c.Text), dsPoint), c.Valid) << '"' << c.Text << '"';
    EXPECT_TRUE(IsFixedText(u"-1,25", dsComma));
    EXPECT_FALSE(IsFixedText(u"-1.25", dsComma));
    EXPECT_TRUE(IsFixedText(u"1,5", dsBoth));
    EXPECT_FALSE(IsFixedText(u"1,5.2", dsBoth));
}

TEST(ScanInt, BlanksSignsAndWrapping)
{
    int pos = 1;
    EXPECT_EQ(ScanInt(u"", pos), 0);
    EXPECT_EQ(pos, 1);
    pos = 1;
    EXPECT_EQ(ScanInt(u"  -12x", pos), -12);
    EXPECT_EQ(pos, 6);
    pos = 1;
    EXPECT_EQ(ScanInt(u"+5", pos), 5);
    EXPECT_EQ(pos, 3);
    pos = 1;
    EXPECT_EQ(ScanInt(u"-", pos), 0);
    EXPECT_EQ(pos, 2);
    pos = 1;
    EXPECT_EQ(ScanInt(u" ", pos), 0); // a blank in the last position is not skipped
    EXPECT_EQ(pos, 1);
    pos = 1;
    EXPECT_EQ(ScanInt(u"99999999999", pos), 1215752191); // 99999999999 mod 2^32
    EXPECT_EQ(pos, 12);
    pos = 1;
    EXPECT_EQ(ScanInt(u"4294967295", pos), -1);
    pos = 1;
    EXPECT_EQ(ScanInt(u"-2147483648", pos), std::numeric_limits<qint32>::min());
}

TEST(IsIntText, Forms)
{
    EXPECT_FALSE(IsIntText(u""));
    EXPECT_TRUE(IsIntText(u"5"));
    EXPECT_FALSE(IsIntText(u"-"));
    EXPECT_FALSE(IsIntText(u"+"));
    EXPECT_TRUE(IsIntText(u"-5"));
    EXPECT_TRUE(IsIntText(u"+12"));
    EXPECT_FALSE(IsIntText(u"5-"));
    EXPECT_FALSE(IsIntText(u"1.5"));
    EXPECT_FALSE(IsIntText(u" 5"));
}

TEST(RadixScanning, DigitsPrefixBlanksAndWrapping)
{
    int pos = 1;
    EXPECT_EQ(ScanHex(u"$ff", pos), 255);
    EXPECT_EQ(pos, 4);
    pos = 1;
    EXPECT_EQ(ScanHex(u"FFFFFFFF", pos), -1);
    pos = 1;
    EXPECT_EQ(ScanHex(u"123456789", pos), 0x23456789); // the top digit wraps out
    pos = 1;
    EXPECT_EQ(ScanHex(u" 1aG", pos), 26);
    EXPECT_EQ(pos, 4);
    pos = 1;
    EXPECT_EQ(ScanHex(u"1$", pos), 1); // "$" only at position 1
    EXPECT_EQ(pos, 2);
    pos = 1;
    EXPECT_EQ(ScanOct(u"777", pos), 511);
    pos = 1;
    EXPECT_EQ(ScanOct(u"8", pos), 0);
    EXPECT_EQ(pos, 1);
    pos = 1;
    EXPECT_EQ(ScanOct(u"37777777777", pos), -1);
    pos = 1;
    EXPECT_EQ(ScanBin(u"101", pos), 5);
    pos = 1;
    EXPECT_EQ(ScanBin(QString(33, u'1'), pos), -1);
    pos = 1;
    EXPECT_EQ(ScanBin(u"12", pos), 1);
    EXPECT_EQ(pos, 2);

    EXPECT_TRUE(IsHexText(u"aF09"));
    EXPECT_FALSE(IsHexText(u""));
    EXPECT_FALSE(IsHexText(u"$1"));
    EXPECT_FALSE(IsHexText(u"G"));
    EXPECT_TRUE(IsOctText(u"0717"));
    EXPECT_FALSE(IsOctText(u"8"));
    EXPECT_TRUE(IsBinText(u"0110"));
    EXPECT_FALSE(IsBinText(u"102"));
}

TEST(FormatReal, FixedNotation)
{
    EXPECT_EQ(FormatReal(1, 2, 3.14159), "3.14");
    EXPECT_EQ(FormatReal(1, 8, 3.14159), "3.14159000");
    EXPECT_EQ(FormatReal(1, 0, 3.7), "4");
    EXPECT_EQ(FormatReal(8, 2, -3.14159), "   -3.14");
    EXPECT_EQ(FormatReal(2, 3, 12.5), "12.500"); // wider than Width: no padding, no cut
    EXPECT_EQ(FormatReal(1, 2, -0.001), "0.00"); // no negative zero
    EXPECT_EQ(FormatReal(1, 1, -0.0), "0.0");
    EXPECT_EQ(FormatReal(5, 0, std::nan("")), "  NAN");
    EXPECT_EQ(FormatReal(1, 2, -HUGE_VAL), "-INF");
}

TEST(FormatReal, ExponentNotation)
{
    EXPECT_EQ(FormatReal(12, -2, 0.0), " 0.00000E+00");
    EXPECT_EQ(FormatReal(12, -2, 3.14159), " 3.14159E+00");
    EXPECT_EQ(FormatReal(12, -2, -1234.5678), "-1.23457E+03");
    EXPECT_EQ(FormatReal(12, -2, 9.9999996), " 1.00000E+01"); // rounding carries into the exponent
    EXPECT_EQ(FormatReal(12, -2, 2.5e-7), " 2.50000E-07");
    EXPECT_EQ(FormatReal(12, -2, 1e200), "************");
    EXPECT_EQ(FormatReal(12, -2, -1e-100), "************");
    EXPECT_EQ(FormatReal(8, -2, 1.5), " 1.5E+00"); // Width-6 significant digits
    EXPECT_EQ(FormatReal(7, -2, 1.5), " 2.E+00");
    EXPECT_EQ(FormatReal(22, -1, 1234.5678901234567), " 1.2345678901235E+0003");
    EXPECT_EQ(FormatReal(22, -1, -1e-300), "-1.0000000000000E-0300");
    EXPECT_EQ(FormatReal(1, -1, 1234.0), " 1.E+0003"); // the shortest form
    EXPECT_EQ(FormatReal(14, -1, 1e200), " 1.00000E+0200");
    for (double v : {0.0, 1.0, -2.5, 1e-5, 123456.0, -9.87654321e99}) {
        const QString s = FormatReal(12, -2, v);
        EXPECT_EQ(s.size(), 12) << v;
        int pos = 1;
        EXPECT_NEAR(ScanReal(s, true, sepPoint, pos), v, std::fabs(v) * 1e-5) << s.toStdString();
        EXPECT_EQ(pos, 13);
    }
}

TEST(FormatReal, ExtremeWidthsAndDecimalsAreClamped)
{
    // Each of these overflowed an int or asked Qt for billions of digits.
    const QString wide = FormatReal(INT_MAX, -2, 1.5);
    EXPECT_EQ(wide.size(), kFormatRealMaxWidth);
    EXPECT_TRUE(wide.startsWith(QLatin1String(" 1.5000")));
    EXPECT_TRUE(wide.endsWith(QLatin1String("E+00")));
    EXPECT_EQ(FormatReal(INT_MIN, -1, 1.5), FormatReal(0, -1, 1.5));
    EXPECT_EQ(FormatReal(INT_MIN, 2, 1.5), "1.50");
    const QString manyDecimals = FormatReal(1, INT_MAX, 1.5);
    EXPECT_EQ(manyDecimals.size(), 2 + kFormatRealMaxDecimals);
    EXPECT_TRUE(manyDecimals.startsWith(QLatin1String("1.5000")));
    EXPECT_EQ(FormatReal(1, INT_MAX - 1, 4.9e-324).size(), 2 + kFormatRealMaxDecimals);
    EXPECT_EQ(FormatReal(INT_MAX, 0, 7.0).size(), kFormatRealMaxWidth); // padded, bounded
    EXPECT_EQ(FormatReal(INT_MAX, -2, HUGE_VAL).size(), kFormatRealMaxWidth);
    EXPECT_EQ(FormatReal(INT_MIN, INT_MIN, 1.0), FormatReal(0, INT_MIN, 1.0));
}

TEST(RadixDigits, CountsAndTwosComplement)
{
    EXPECT_EQ(HexDigits(255, 8), "000000FF");
    EXPECT_EQ(HexDigits(-1, 8), "FFFFFFFF");
    EXPECT_EQ(HexDigits(0x1234, 2), "34");
    EXPECT_EQ(HexDigits(1, 20), "00000001");
    EXPECT_EQ(OctDigits(-1, 11), "37777777777");
    EXPECT_EQ(OctDigits(8, 3), "010");
    EXPECT_EQ(OctDigits(-8, 8), "77777770");
    EXPECT_EQ(BinDigits(-1, 32), QString(32, u'1'));
    EXPECT_EQ(BinDigits(5, 0), "1");
    EXPECT_EQ(BinDigits(-2, 40), QString(31, u'1') + u'0');
    EXPECT_EQ(RoundToInt32Bits(2.5), 2);
    EXPECT_EQ(RoundToInt32Bits(4294967295.0), -1);
    EXPECT_EQ(RoundToInt32Bits(std::nan("")), 0);
}
