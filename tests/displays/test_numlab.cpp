// TNumLab: the number texts of every display type, the overflow rule, the layout of texts and box,
// disabled and transparent painting, mouse areas and Assign.
#include <krogui/displays/numlab.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <cmath>
#include <limits>
#include <ostream>


using namespace kro;
using kro::test::BoundsOf;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

QString Text(double V, TDisplay T, int P, bool Comma = false, bool Plus = false)
{
    TNumLabFormat f;
    f.DisplayType = T;
    f.Precision = P;
    f.Comma = Comma;
    f.PlusSign = Plus;
    return NumLabText(V, f);
}

QString Deg(const char *Utf8)
{
    return QString::fromUtf8(Utf8);
}

} // namespace

// ---- number texts --------------------------------------------------------------------

TEST(NumLabText, FixedPointIntegerAndSigns)
{
    EXPECT_EQ(Text(3.14159, dtFixP, 2), "3.14");
    EXPECT_EQ(Text(3.14159, dtFixP, 2, true), "3,14");
    EXPECT_EQ(Text(3.14159, dtFixP, 2, false, true), "+3.14");
    EXPECT_EQ(Text(-3.14159, dtFixP, 2, false, true), "-3.14");
    EXPECT_EQ(Text(-0.001, dtFixP, 2), "0.00");                // no negative zero
    EXPECT_EQ(Text(1.0 / 3, dtFixP, 20), "0.333333333333333"); // precision above 15 counts as 15

    EXPECT_EQ(Text(2.5, dtInt, 0), "2"); // halves to even
    EXPECT_EQ(Text(3.5, dtInt, 0), "4");
    EXPECT_EQ(Text(-2.5, dtInt, 0), "-2");
    EXPECT_EQ(Text(-0.4, dtInt, 0), "0");
    EXPECT_EQ(Text(1e20, dtInt, 0), "100000000000000000000"); // beyond 64 bits, not clamped
}

TEST(NumLabText, GeneralAndExponent)
{
    EXPECT_EQ(Text(3.14159, dtFloat, 3), "3.14");
    EXPECT_EQ(Text(1.5e20, dtFloat, 3), "1.5E+020");
    EXPECT_EQ(Text(0.0001, dtFloat, 2), "0.0001"); // a tie in length keeps fixed notation
    EXPECT_EQ(Text(100, dtFloat, 5), "100");
    EXPECT_EQ(Text(-2.5e-10, dtFloat, 4), "-2.5E-010");
    EXPECT_EQ(Text(0, dtFloat, 3), "0");
    EXPECT_EQ(Text(3.7, dtFloat, 0), "4"); // precision 0 writes one digit

    EXPECT_EQ(Text(3.14159, dtExp, 3), "3.14E+000");
    EXPECT_EQ(Text(-0.000123456, dtExp, 4), "-1.235E-004");
    EXPECT_EQ(Text(0, dtExp, 2), "0.0E+000");
    EXPECT_EQ(Text(1e-300, dtExp, 2), "1.0E-300");
    EXPECT_EQ(Text(9.96, dtExp, 2), "1.0E+001"); // rounding moves the exponent
    EXPECT_EQ(Text(3.14159, dtExp, 0), "3E+000");
    EXPECT_EQ(Text(3.14159, dtExp, 3, true, true), "+3,14E+000");
}

TEST(NumLabText, HexZeroIntBinaryOctal)
{
    EXPECT_EQ(Text(255, dtHex, 0), "FF");
    EXPECT_EQ(Text(255, dtHex, 4), "00FF");
    EXPECT_EQ(Text(2.5, dtHex, 1), "2");
    EXPECT_EQ(Text(-255, dtHex, 2), "-FF");
    EXPECT_EQ(Text(18446744073709551616.0, dtHex, 0), "10000000000000000"); // 2^64, exact
    EXPECT_EQ(Text(255, dtHex, 0, true, true), "FF"); // no plus sign, no separator rewriting

    EXPECT_EQ(Text(7, dtZeroInt, 3), "007");
    EXPECT_EQ(Text(-7, dtZeroInt, 3), "-007");
    EXPECT_EQ(Text(7, dtZeroInt, 3, false, true), "+007");

    EXPECT_EQ(Text(5, dtBin, 0), "101");
    EXPECT_EQ(Text(-6, dtBin, 0), "-110");
    EXPECT_EQ(Text(8, dtOct, 0), "10");
    EXPECT_EQ(Text(511, dtOct, 0), "777");
    EXPECT_EQ(Text(9, dtOct, 0, false, true), "+11");
}

TEST(NumLabText, Degrees)
{
    EXPECT_EQ(Text(12.5, dtDeg, 1), Deg("12.5°"));
    EXPECT_EQ(Text(12.5, dtDeg, 1, true, true), Deg("+12,5°"));
    EXPECT_EQ(Text(12.5, dtDegMin, 2), Deg("12°30.00'"));
    EXPECT_EQ(Text(12.99999, dtDegMin, 2), Deg("13°00.00'")); // minutes that round to 60 carry
    EXPECT_EQ(Text(-0.25, dtDegMin, 0), Deg("-0°15'"));
    EXPECT_EQ(Text(12.504, dtDegMinSec, 2), Deg("12°30'14.40\""));
    EXPECT_EQ(Text(0.9999999, dtDegMinSec, 1), Deg("1°00'00.0\""));
    EXPECT_EQ(Text(-0.0000001, dtDegMinSec, 0), Deg("0°00'00\"")); // all zero: no sign
    EXPECT_EQ(Text(47.37174, dtDegMinSec, 1, true), Deg("47°22'18,3\""));
}

TEST(NumLabText, Engineering)
{
    EXPECT_EQ(Text(12345, dtEEng, 2), "12.35E+003");
    EXPECT_EQ(Text(0.0000472, dtEEng, 2), "47.20E-006");
    EXPECT_EQ(Text(999.9999, dtEEng, 2), "1.00E+003");
    EXPECT_EQ(Text(-1500, dtEEng, 1), "-1.5E+003");
    EXPECT_EQ(Text(0, dtEEng, 2), "0.00E+000");
    EXPECT_EQ(Text(0.001, dtEEng, 0), "1E-003");
    EXPECT_EQ(Text(5e-324, dtEEng, 1), "4.9E-324"); // the smallest double keeps its exponent

    EXPECT_EQ(Text(12345, dtEEngNoDP, 2), "12E+003");
    EXPECT_EQ(Text(1.2346, dtEEngNoDP, 4), "1235E-003");
    EXPECT_EQ(Text(999.96, dtEEngNoDP, 3), "1000E+000"); // the carry keeps the exponent
    EXPECT_EQ(Text(0.5, dtEEngNoDP, 1), "500E-003");
    EXPECT_EQ(Text(-98765, dtEEngNoDP, 3, false, true), "-98765E+000");
    EXPECT_EQ(Text(0, dtEEngNoDP, 2), "0E+000");
}

TEST(NumLabText, StateAndNonFinite)
{
    TNumLabFormat f;
    f.DisplayType = dtState;
    f.StateText = QStringLiteral("a.b,c");
    f.Comma = true;
    f.PlusSign = true;
    EXPECT_EQ(NumLabText(5, f), "a.b,c");
    EXPECT_EQ(NumLabText(std::nan(""), f), "a.b,c");

    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Text(std::nan(""), dtFixP, 2), "NAN");
    EXPECT_EQ(Text(inf, dtHex, 2), "INF");
    EXPECT_EQ(Text(inf, dtExp, 2, false, true), "+INF");
    EXPECT_EQ(Text(-inf, dtEEng, 2), "-INF");
}

TEST(NumLabText, DateAndTime)
{
    EXPECT_EQ(FormatDayCount(QStringLiteral("mmm-dd, yyyy"), 0), "Dec-30, 1899");
    EXPECT_EQ(FormatDayCount(QStringLiteral("ddd dd mmm yyyy hh:nn"), 45678.75), "Tue 21 Jan 2025 18:00");
    EXPECT_EQ(FormatDayCount(QStringLiteral("dddd, mmmm d"), 45678.75), "Tuesday, January 21");
    EXPECT_EQ(FormatDayCount(QStringLiteral("d/m/yy h:n:s"), 1.5), "31/12/99 12:0:0");
    EXPECT_EQ(FormatDayCount(QStringLiteral("hh:mm:ss"), 0.5 + 1.0 / 1440 * 5 + 7.0 / 86400), "12:05:07");
    EXPECT_EQ(FormatDayCount(QStringLiteral("h am/pm"), 0.75), "6 pm");
    EXPECT_EQ(FormatDayCount(QStringLiteral("hh AM/PM"), 0.0), "12 AM");
    EXPECT_EQ(FormatDayCount(QStringLiteral("'day' d \"of\" m"), 0), "day 30 of 12");
    EXPECT_EQ(FormatDayCount(QStringLiteral("yyyy-mm-dd hh:nn"), -1.25),
              "1899-12-29 06:00"); // time is |fraction|
    EXPECT_EQ(FormatDayCount(QStringLiteral("yyyy-mm-dd hh:nn:ss"), 0.99999999999), "1899-12-31 00:00:00");
    EXPECT_EQ(FormatDayCount(QStringLiteral("dd.mm.yyyy"), -693593), "01.01.0001");
    EXPECT_EQ(FormatDayCount(QStringLiteral("dd.mm.yyyy"), 2958465), "31.12.9999");
    EXPECT_EQ(FormatDayCount(QStringLiteral("dd.mm.yyyy"), 2958466), "");
    EXPECT_EQ(FormatDayCount(QStringLiteral("dd.mm.yyyy"), 1e300), "");

    TNumLabFormat f;
    f.DisplayType = dtDateTime;
    f.DTFormat = QStringLiteral("dd.mm.yyyy");
    f.Comma = true;
    f.PlusSign = true;
    EXPECT_EQ(NumLabText(2, f), "01.01.1900"); // the separator and sign rewriting is skipped
}

// ---- the control ---------------------------------------------------------------------

namespace {

/// Text is antialiased: find it by hue, not by exact colour.
bool Reddish(QRgb P)
{
    return qRed(P) > qGreen(P) + 60;
}
bool Bluish(QRgb P)
{
    return qBlue(P) > qRed(P) + 60;
}
bool Dark(QRgb P)
{
    return qRed(P) < 110 && qGreen(P) < 110 && qBlue(P) < 110;
}

/// Bounding box (inclusive) of the pixels of Area that satisfy Pred; all -1 when none.
template <class Pred> kro::test::Box InkBox(const QImage &Img, const QRect &Area, Pred P)
{
    kro::test::Box b;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            if (P(Img.pixel(x, y))) {
                b.L = b.L < 0 ? x : std::min(b.L, x);
                b.R = std::max(b.R, x);
                b.T = b.T < 0 ? y : std::min(b.T, y);
                b.B = std::max(b.B, y);
            }
    return b;
}
template <class Pred> int InkCount(const QImage &Img, const QRect &Area, Pred P)
{
    int n = 0;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            n += P(Img.pixel(x, y)) ? 1 : 0;
    return n;
}

/// A label with colours that can be told apart in the picture.
struct Lab
{
    TNumLab L;
    Lab()
    {
        L.SetColorOutBakG(RGB(200, 200, 200));
        L.SetColorLabBakG(clWhite);
        L.SetColorLabText(clBlue);
        L.SetColorOutText(clRed);
    }
    const QImage &Img() { return L.Surface(); }
};

} // namespace

TEST(NumLab, PropertyClamps)
{
    TNumLab l;
    EXPECT_EQ(l.sizeHint(), QSize(160, 28));
    l.SetPrecision(-1);
    EXPECT_EQ(l.Precision(), 2);
    ASSERT_TRUE(l.setProperty("Precision", 20)); // as a stored form sets it
    EXPECT_EQ(l.Precision(), 15);
    ASSERT_TRUE(l.setProperty("DisplayType", QStringLiteral("dtHex")));
    EXPECT_EQ(l.DisplayType(), dtHex);
    l.SetLeftSpace(500);
    EXPECT_EQ(l.LeftSpace(), 160);
    l.SetLeftSpace(-3);
    EXPECT_EQ(l.LeftSpace(), 160);
    l.SetLabelWidth(-5);
    EXPECT_EQ(l.LabelWidth(), 0);
    l.Surface(); // a box of no width paints without trouble
}

TEST(NumLab, ShowsValueAndCallsOnBeforeDisplay)
{
    TNumLab l;
    l.SetValue(3.14159);
    EXPECT_EQ(l.DisplayedText(), "3.14");
    int calls = 0;
    QObject *sender = nullptr;
    l.SetOnBeforeDisplay([&](QObject *S, QString &T) {
        ++calls;
        sender = S;
        EXPECT_EQ(T, "3.1416");
        T = QStringLiteral("pi");
    });
    l.SetPrecision(4);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sender, &l);
    EXPECT_EQ(l.DisplayedText(), "pi");
    EXPECT_EQ(l.accessibleName(), "pi");

    l.SetEmpty(true); // no number, no event
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(l.DisplayedText(), "");
}

TEST(NumLab, OverflowIndicator)
{
    TNumLab l;
    l.SetLabelWidth(40);
    l.SetValue(123456789.0);
    EXPECT_EQ(l.DisplayedText(), "*********");
    l.SetOverflowIndicator(QStringLiteral("##"));
    EXPECT_EQ(l.DisplayedText(), "##");

    // Also when the long text came from the application.
    l.SetValue(1);
    EXPECT_EQ(l.DisplayedText(), "1.00");
    l.SetOnBeforeDisplay([](QObject *, QString &T) { T = QStringLiteral("a much longer text than fits"); });
    l.Repaint();
    EXPECT_EQ(l.DisplayedText(), "##");

    // The state text is never replaced.
    l.SetOnBeforeDisplay(nullptr);
    l.SetStateText(QStringLiteral("a state text far wider than the box"));
    l.SetDisplayType(dtState);
    EXPECT_EQ(l.DisplayedText(), "a state text far wider than the box");

    // A day count outside the calendar has no date to show.
    l.SetDisplayType(dtDateTime);
    l.SetValue(1e12);
    EXPECT_EQ(l.DisplayedText(), "##");
}

TEST(NumLab, NumberPlacementInTheBox)
{
    Lab t;
    TNumLab &l = t.L;
    l.SetValue(42);
    const int LS = l.LeftSpace(), LW = l.LabelWidth(), H = l.Height();
    const QRect all(0, 0, l.Width(), H);

    l.SetAlignment(taLeftJustify);
    auto b = InkBox(t.Img(), all, Bluish);
    ASSERT_GE(b.L, 0) << "no number drawn";
    EXPECT_GE(b.L, LS + 4);
    EXPECT_LE(b.L, LS + 6);

    l.SetAlignment(taRightJustify);
    b = InkBox(t.Img(), all, Bluish);
    EXPECT_LE(b.R, LS + LW - 3);
    EXPECT_GE(b.R, LS + LW - 6);

    l.SetAlignment(taCenter);
    b = InkBox(t.Img(), all, Bluish);
    EXPECT_NEAR((b.L + b.R) / 2.0, LS + 2 + LW / 2.0, 3.0);
    EXPECT_NEAR((b.T + b.B) / 2.0, H / 2.0, 3.0);

    // An overflowing number: the indicator is placed by its own width and stays in the box.
    l.SetLabelWidth(70);
    l.SetValue(1e12);
    ASSERT_EQ(l.DisplayedText(), "*********");
    for (TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
        l.SetAlignment(a);
        b = InkBox(t.Img(), all, Bluish);
        ASSERT_GE(b.L, 0) << "indicator not visible, alignment " << a;
        EXPECT_GE(b.L, LS + 3);
        EXPECT_LE(b.R, LS + 70 - 2);
        // The indicator is fully inside: about as wide as its text.
        EXPECT_GE(b.R - b.L + 1, l.Canvas()->TextWidth(QStringLiteral("*********")) - 4);
    }
}

TEST(NumLab, BoxFrameAndBackground)
{
    Lab t;
    TNumLab &l = t.L;
    const int LS = l.LeftSpace(), LW = l.LabelWidth(), H = l.Height();
    l.SetEmpty(true);
    const QImage &img = t.Img();
    EXPECT_EQ(PixelAt(img, 0, 0), RGB(200, 200, 200));
    EXPECT_EQ(PixelAt(img, LS + 1, 0), TColor(0x808080)); // lowered: gray top and left
    EXPECT_EQ(PixelAt(img, LS + 1, H - 3), TColor(0x808080));
    EXPECT_EQ(PixelAt(img, LS + LW, H - 2), clWhite); // white bottom and right
    EXPECT_EQ(PixelAt(img, LS + LW + 1, H - 2), RGB(200, 200, 200));
    EXPECT_EQ(PixelAt(img, LS + LW / 2, H / 2), clWhite); // box colour, also when empty
    EXPECT_EQ(PixelAt(img, LS + LW / 2, H - 1), RGB(200, 200, 200));

    l.SetColorScheme(csSystem);
    EXPECT_EQ(PixelAt(t.Img(), LS + 1, 0), ColorToRGB(clBtnShadow));
    l.SetFrameStyle(fsNone);
    EXPECT_EQ(PixelAt(t.Img(), LS + 1, 0), clWhite);
}

TEST(NumLab, SideTextsAndDisabledLook)
{
    Lab t;
    TNumLab &l = t.L;
    l.SetLeftText(QStringLiteral("Temp"));
    l.SetRightText(QStringLiteral("K"));
    const int LS = l.LeftSpace(), LW = l.LabelWidth(), W = l.Width(), H = l.Height();
    const QRect leftArea(0, 0, LS + 1, H), rightArea(LS + LW + 1, 0, W - LS - LW - 1, H);
    const int lw = l.Canvas()->TextWidth(l.LeftText()), rw = l.Canvas()->TextWidth(l.RightText());

    auto left = [&] { return InkBox(t.Img(), leftArea, Reddish); };
    auto right = [&] { return InkBox(t.Img(), rightArea, Reddish); };
    EXPECT_NEAR(left().L, LS - lw - 5, 2);  // right-justified
    EXPECT_NEAR(right().L, LS + LW + 7, 2); // left-justified
    l.SetLeftTextAlignment(taLeftJustify);
    EXPECT_NEAR(left().L, 7, 2);
    l.SetLeftTextAlignment(taCenter);
    EXPECT_NEAR(left().L, (LS - lw) / 2, 2);
    l.SetRightTextAlignment(taRightJustify);
    EXPECT_NEAR(right().L, W - rw - 6, 2);
    l.SetRightTextAlignment(taCenter);
    EXPECT_NEAR(right().L, (W - LS - LW - rw) / 2 + LS + LW + 1, 2);

    // Disabled: engraved side texts (lighter and darker than the background), no text colour,
    // the number in the button shadow colour.
    l.SetValue(8);
    l.SetEnabled(false);
    const QImage img = t.Img();
    auto lighter = [](QRgb P) { return qRed(P) > 215 && qGreen(P) > 215 && qBlue(P) > 215; };
    auto darker = [](QRgb P) { return qRed(P) < 185 && qGreen(P) < 185 && qBlue(P) < 185; };
    EXPECT_EQ(InkCount(img, QRect(0, 0, W, H), Reddish), 0);
    EXPECT_EQ(InkCount(img, QRect(0, 0, W, H), Bluish), 0);
    const auto white = InkBox(img, leftArea, lighter), gray = InkBox(img, leftArea, darker);
    ASSERT_GE(white.L, 0);
    ASSERT_GE(gray.L, 0);
    EXPECT_EQ(white.L, gray.L + 1); // the white copy lies one pixel right and down
    EXPECT_EQ(white.T, gray.T + 1);
    // Antialiased on the white box, the number's darkest pixels are the shadow colour itself.
    const QRect box(LS + 3, 2, LW - 4, H - 4);
    int darkest = 255;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            darkest = std::min(darkest, qRed(img.pixel(x, y)));
    EXPECT_LT(darkest, 255);
    EXPECT_GE(darkest, GetRValue(ColorToRGB(clBtnShadow)) - 1);
    l.SetEnabled(true);
    EXPECT_GT(InkCount(t.Img(), QRect(0, 0, W, H), Reddish), 0);
}

TEST(NumLab, TransparentShowsTheParentOutsideTheBox)
{
    QWidget parent;
    parent.resize(200, 40);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    auto *l = new TNumLab(&parent);
    l->SetBounds(0, 0, 160, 28);
    l->SetColorLabBakG(clYellow);
    l->SetColorLabText(clBlack);
    l->SetLeftText(QStringLiteral("Level"));
    l->SetTransparent(true);
    l->SetValue(5);
    const int LS = l->LeftSpace(), LW = l->LabelWidth();

    const QImage shot = parent.grab().toImage();
    const TColor green = RGB(0, 128, 0);
    EXPECT_EQ(PixelAt(shot, 2, 2), green);                   // white background: the parent shows
    EXPECT_EQ(PixelAt(shot, LS + 1 + 3, 24), clYellow);      // inside the box: the box colour
    EXPECT_GT(InkCount(shot, QRect(0, 0, LS, 28), Dark), 0); // the left text is drawn
    EXPECT_EQ(PixelAt(shot, LS + LW + 10, 20), green);
    EXPECT_GT(InkCount(shot, QRect(LS + 3, 2, LW - 4, 23), Dark), 0); // the number

    l->SetTransparent(false);
    EXPECT_EQ(PixelAt(parent.grab().toImage(), 2, 2), ColorToRGB(clBtnFace));
}

TEST(NumLab, MouseAreaCode)
{
    TNumLab l;
    int moves = 0;
    l.SetOnMouseMove([&](QObject *, TShiftState, int, int) { ++moves; });
    auto move = [&](int X) {
        test::MoveMouse(&l, QPoint(X, 5));
        return l.MouseAreaCode();
    };
    const int LS = l.LeftSpace(), LW = l.LabelWidth();
    EXPECT_EQ(move(0), 0);
    EXPECT_EQ(move(LS), 0);
    EXPECT_EQ(move(LS + 1), 1);
    EXPECT_EQ(move(LS + LW), 1);
    EXPECT_EQ(move(LS + LW + 1), 2);
    EXPECT_EQ(moves, 5);
}

TEST(NumLab, Assign)
{
    TNumLab a, b;
    a.SetLeftSpace(50);
    a.SetLabelWidth(100);
    a.SetPrecision(4);
    a.SetLeftText(QStringLiteral("L"));
    a.SetRightText(QStringLiteral("R"));
    a.SetFrameStyle(fsRaised);
    a.SetAlignment(taLeftJustify);
    a.SetOverflowIndicator(QStringLiteral("!"));
    a.SetValue(2.5);
    a.SetStateText(QStringLiteral("s"));
    a.SetColorLabText(clRed);
    a.SetColorScheme(csSystem);
    a.SetDisplayType(dtExp);
    a.SetComma(true); // not part of the copy
    b.Assign(&a);
    EXPECT_EQ(b.LeftSpace(), 50);
    EXPECT_EQ(b.LabelWidth(), 100);
    EXPECT_EQ(b.Precision(), 4);
    EXPECT_EQ(b.LeftText(), "L");
    EXPECT_EQ(b.RightText(), "R");
    EXPECT_EQ(b.FrameStyle(), fsRaised);
    EXPECT_EQ(b.Alignment(), taLeftJustify);
    EXPECT_EQ(b.OverflowIndicator(), "!");
    EXPECT_EQ(b.StateText(), "s");
    EXPECT_EQ(b.ColorLabText(), clRed);
    EXPECT_EQ(b.ColorScheme(), csSystem);
    EXPECT_EQ(b.DisplayType(), dtExp);
    EXPECT_FALSE(b.Comma());
    EXPECT_EQ(b.DisplayedText(), "2.500E+000"); // painted with the new settings

    TSevenSeg other;
    EXPECT_THROW(b.Assign(&other), EKROError);
    EXPECT_EQ(b.LeftSpace(), 50);
}
