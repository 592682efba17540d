// TNumIO2: key handling by key code, on-line check, caret timer, clipboard, buttons, gauge, paint.
#include "numio_testutil.h"

#include <krogui/core/kromath.h>
#include <krogui/graphics/colors.h>
#include <krogui/numio/numio2.h>

#include <testutil.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>

using namespace kro;
using kro::test::PixelAt;

namespace {

class NumIO2Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Window.resize(400, 120);
        N = new TNumIO2(&Window);
        N->SetBounds(0, 0, 160, 28);
        Other = new QWidget(&Window);
        Other->setFocusPolicy(Qt::StrongFocus);
        Other->setGeometry(0, 80, 50, 20);
        Window.show();
        N->SetOnChange([this](QObject *Sender) {
            EXPECT_EQ(Sender, N);
            ++Changes;
        });
    }
    void Focus()
    {
        QApplication::setActiveWindow(&Window);
        N->setFocus();
        ASSERT_TRUE(N->hasFocus());
    }
    void Type(const QString &Keys) { QTest::keyClicks(N, Keys); }
    void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(N, K, M); }
    void Press(int X, int Y) { QTest::mousePress(N, Qt::LeftButton, Qt::NoModifier, QPoint(X, Y)); }
    void Release(int X, int Y) { QTest::mouseRelease(N, Qt::LeftButton, Qt::NoModifier, QPoint(X, Y)); }
    void DragTo(int X, int Y) { test::MoveMouse(N, QPoint(X, Y), Qt::LeftButton); }
    QImage Picture()
    {
        N->Repaint();
        return N->Surface();
    }
    QWidget Window;
    TNumIO2 *N = nullptr;
    QWidget *Other = nullptr;
    int Changes = 0;
};

} // namespace

TEST_F(NumIO2Test, Defaults)
{
    EXPECT_EQ(N->InputFormat(), itFloat);
    EXPECT_EQ(N->Text(), "");
    EXPECT_EQ(N->Width(), 160);
    EXPECT_EQ(N->sizeHint(), QSize(160, 28));
    EXPECT_EQ(N->RangeLow(), 0);
    EXPECT_EQ(N->RangeHigh(), 1000);
    EXPECT_EQ(N->DecPlaceSep(), dsBoth);
    EXPECT_EQ(N->ButHeight(), 28);
    EXPECT_EQ(N->ColorWarnBG(), 0x6088FFF0u);
    EXPECT_EQ(N->FrameStyle(), fsLowered);
    EXPECT_EQ(N->Alignment(), taCenter);
}

TEST_F(NumIO2Test, TypingInEachFormat)
{
    Focus();
    // itFloat: form is checked, not range.
    Type("12.5");
    EXPECT_EQ(N->Text(), "12.5");
    EXPECT_EQ(Changes, 4);
    Type(".");
    Type("x");
    Key(Qt::Key_E);
    EXPECT_EQ(N->Text(), "12.5");
    EXPECT_EQ(Changes, 4);
    N->SetText("");
    Type("1500");
    EXPECT_EQ(N->Text(), "1500");
    EXPECT_TRUE(N->OutOfRange());

    N->SetInputFormat(itInt);
    N->SetText("");
    Type("-");
    EXPECT_EQ(N->Text(), "-"); // incomplete input passes the on-line check
    Type("1.5");
    EXPECT_EQ(N->Text(), "-15");
    EXPECT_EQ(N->Value(), -15);

    N->SetInputFormat(itHex);
    N->SetText("");
    Type("fA9");
    Key(Qt::Key_G);
    EXPECT_EQ(N->Text(), "FA9");
    EXPECT_EQ(N->Value(), 0xFA9);
    QTest::keyClick(N, Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(N->Text(), "FA92");

    N->SetInputFormat(itOct);
    N->SetText("");
    Type("178");
    EXPECT_EQ(N->Text(), "17");
    N->SetInputFormat(itBin);
    N->SetText("");
    Type("1021");
    EXPECT_EQ(N->Text(), "101");
    EXPECT_EQ(N->Value(), 5);

    N->SetInputFormat(itExp);
    N->SetText("");
    Type("1.5E-3");
    EXPECT_EQ(N->Text(), "1.5E-3");
    EXPECT_DOUBLE_EQ(N->Value(), 0.0015);
    Type("."); // junk behind the number is refused
    EXPECT_EQ(N->Text(), "1.5E-3");
}

TEST_F(NumIO2Test, DynamicPrefixesWithShift)
{
    Focus();
    N->SetInputFormat(itDynamic);
    N->SetText("");
    QTest::keyClick(N, Qt::Key_4, Qt::ShiftModifier); // a lone "$" is invalid
    EXPECT_EQ(N->Text(), "");
    Type("12");
    Key(Qt::Key_Home);
    QTest::keyClick(N, Qt::Key_Dollar);
    EXPECT_EQ(N->Text(), "$12");
    EXPECT_EQ(N->Value(), 18);
    N->SetText("101");
    Key(Qt::Key_Home);
    QTest::keyClick(N, Qt::Key_5, Qt::ShiftModifier);
    EXPECT_EQ(N->Text(), "%101");
    EXPECT_EQ(N->Value(), 5);
    N->SetText("17");
    Key(Qt::Key_Home);
    QTest::keyClick(N, Qt::Key_6, Qt::ShiftModifier);
    EXPECT_EQ(N->Text(), "&17");
    EXPECT_EQ(N->Value(), 15);
    N->SetText("1.5");
    EXPECT_EQ(N->Value(), 1.5);
    N->SetText("1.5e3"); // no exponent in the dynamic check
    EXPECT_EQ(N->Text(), "1.5");
    N->SetValue(2.5);
    EXPECT_EQ(N->Text(), "2");
    N->SetText("$1F");
    EXPECT_EQ(N->Value(), 31);
}

TEST_F(NumIO2Test, SelectionReplaceAndRefusal)
{
    Focus();
    N->SetInputFormat(itInt);
    N->SetText("1234");
    N->SetSelBegin(1);
    N->SetSelEnd(3);
    EXPECT_EQ(N->CaretPos(), 3);
    Type("."); // refused: buffer, caret and selection come back
    EXPECT_EQ(N->Text(), "1234");
    EXPECT_EQ(N->SelBegin(), 1);
    EXPECT_EQ(N->SelEnd(), 3);
    Type("9");
    EXPECT_EQ(N->Text(), "194");
    EXPECT_EQ(N->CaretPos(), 2);
    EXPECT_EQ(N->SelBegin(), N->SelEnd());
    // SetSelBegin/SetSelEnd clamp and drag the other end along.
    N->SetSelEnd(99);
    EXPECT_EQ(N->SelEnd(), 3);
    N->SetSelBegin(-4);
    EXPECT_EQ(N->SelBegin(), 0);
    EXPECT_EQ(N->CaretPos(), 0);
    N->SetSelBegin(3);
    EXPECT_EQ(N->SelEnd(), 3);
}

TEST_F(NumIO2Test, CaretKeysBackspaceAndDelete)
{
    Focus();
    N->SetText("12.5");
    Key(Qt::Key_End);
    EXPECT_EQ(N->CaretPos(), 4);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(N->CaretPos(), 4);
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(N->CaretPos(), 2);
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    EXPECT_EQ(N->CaretPos(), 0);
    Key(Qt::Key_Backspace); // nothing before the caret
    EXPECT_EQ(N->Text(), "12.5");
    EXPECT_EQ(Changes, 0);
    Key(Qt::Key_Delete);
    EXPECT_EQ(N->Text(), "2.5");
    EXPECT_EQ(Changes, 1);
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(N->Text(), "2.");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(N->Text(), ""); // typed away: the empty buffer stays
    N->SetText("7.25");
    N->SetSelBegin(0);
    N->SetSelEnd(4);
    Key(Qt::Key_Delete); // a deleted selection that empties the buffer leaves the formatted zero
    EXPECT_EQ(N->Text(), "0.00");
    EXPECT_EQ(N->CaretPos(), 0);
}

TEST_F(NumIO2Test, ClipboardCutCopyPaste)
{
    Focus();
    QClipboard *cb = QApplication::clipboard();
    N->SetText("123.45");
    N->SetSelBegin(1);
    N->SetSelEnd(3);
    cb->setText("x");
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(cb->text(), "23");
    EXPECT_EQ(Changes, 0);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(N->Text(), "1.45");
    EXPECT_EQ(Changes, 1);
    Key(Qt::Key_End);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(N->Text(), "1.4523");
    EXPECT_EQ(N->CaretPos(), 6);
    EXPECT_EQ(Changes, 2);
    // A paste whose result is invalid is refused as a whole.
    const QString junk[] = {QStringLiteral("1.2"), QStringLiteral("\u0663"),     QStringLiteral("4\nx"),
                            QString(100000, u'9'), QStringLiteral("\U0001F600"), QStringLiteral("-")};
    for (const QString &j : junk) {
        cb->setText(j);
        Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(N->Text(), "1.4523") << j.left(10).toStdString();
    }
    EXPECT_EQ(Changes, 2);
    // A paste replaces the selection.
    cb->setText("9");
    N->SetSelBegin(0);
    N->SetSelEnd(1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(N->Text(), "9.4523");
    // Read-only: copying works, editing does not.
    N->SetReadOnly(true);
    N->SetSelBegin(0);
    N->SetSelEnd(2);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(cb->text(), "9.");
    Key(Qt::Key_X, Qt::ControlModifier);
    Type("5");
    EXPECT_EQ(N->Text(), "9.4523");
}

TEST_F(NumIO2Test, FixedPointOverwritesDecimals)
{
    Focus();
    N->SetInputFormat(itFixPoint);
    N->SetValue(12.5);
    EXPECT_EQ(N->Text(), "12.50");
    Key(Qt::Key_Home);
    EXPECT_EQ(N->SelBegin(), N->SelEnd());
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right); // into the decimals: the next decimal is selected
    EXPECT_EQ(N->CaretPos(), 3);
    EXPECT_EQ(N->SelBegin(), 3);
    EXPECT_EQ(N->SelEnd(), 4);
    Type("7");
    EXPECT_EQ(N->Text(), "12.70");
    EXPECT_EQ(N->SelBegin(), 4);
    EXPECT_EQ(N->SelEnd(), 5);
    Type("3");
    EXPECT_EQ(N->Text(), "12.73");
    Type("9"); // a third decimal
    EXPECT_EQ(N->Text(), "12.73");
    Key(Qt::Key_Home);
    Type("4"); // the integer part grows
    EXPECT_EQ(N->Text(), "412.73");
    N->SetText("5"); // refused: not two decimals
    EXPECT_EQ(N->Text(), "412.73");
    N->SetDecSep(dsComma);
    EXPECT_EQ(N->Text(), "412,73");
    N->SetValue(1.5);
    EXPECT_EQ(N->Text(), "1,50");
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace); // in the decimals: the digit becomes 0 and the caret steps back
    EXPECT_EQ(N->Text(), "1,50");
    EXPECT_EQ(N->CaretPos(), 3);
    Type("1");
    EXPECT_EQ(N->Text(), "1,51");
}

TEST_F(NumIO2Test, SpinButtonsAndPivots)
{
    N->SetButVisible(true);
    const int bx = N->LeftSpace() + N->TextBoxWidth() + N->ButSpace();
    const int x = bx + N->ButWidth() / 2, up = 5, down = N->ButHeight() - 6;
    N->SetValue(999.5);
    QTest::mouseClick(N, Qt::LeftButton, Qt::NoModifier, QPoint(x, up));
    EXPECT_EQ(N->Value(), 1000); // clamped to RangeHigh
    EXPECT_EQ(Changes, 1);
    QTest::mouseClick(N, Qt::LeftButton, Qt::NoModifier, QPoint(x, down));
    EXPECT_EQ(N->Value(), 999);
    EXPECT_EQ(Changes, 2);
    N->SetValue(0.5);
    QTest::mouseClick(N, Qt::LeftButton, Qt::NoModifier, QPoint(x, down));
    EXPECT_EQ(N->Value(), 0);
    QTest::mouseClick(N, Qt::LeftButton, Qt::NoModifier, QPoint(bx, up)); // on the edge: outside
    EXPECT_EQ(N->Value(), 0);

    N->ButtonPivots = {0, 10, 20};
    const struct
    {
        double From;
        int Y;
        double To;
    } steps[] = {{10, up, 20}, {10, down, 0}, {12, down, 10}, {12, up, 20},
                 {20, up, 20}, {0, down, 0},  {-5, up, 0}};
    for (const auto &s : steps) {
        N->SetValue(s.From);
        QTest::mouseClick(N, Qt::LeftButton, Qt::NoModifier, QPoint(x, s.Y));
        EXPECT_EQ(N->Value(), s.To) << s.From << (s.Y == up ? " up" : " down");
    }
    N->SetReadOnly(true);
    N->SetValue(10);
    QTest::mouseClick(N, Qt::LeftButton, Qt::NoModifier, QPoint(x, up));
    EXPECT_EQ(N->Value(), 10);
}

TEST_F(NumIO2Test, GaugeClickAndDrag)
{
    N->SetBounds(0, 0, 160, 44);
    N->SetGaugeVisible(true);
    const int gl = N->GaugeLeftMargin(), gw = N->GaugeWidth();
    const int gy = 44 - (N->GaugeHeight() + N->GaugeTopMargin() + 1) + N->GaugeTopMargin();
    QList<double> dragged;
    N->SetOnGaugeChange([&](QObject *, TShiftState Shift, double V) {
        EXPECT_TRUE(Shift & ssLeft);
        dragged << V;
    });
    Press(gl + gw / 2, gy + 2);
    EXPECT_EQ(N->Value(), 500);
    EXPECT_EQ(Changes, 0); // on mouse-up
    DragTo(gl + gw / 4, gy + 2);
    DragTo(gl + gw + 1, gy + 2); // beyond the end: clamped
    DragTo(gl + gw + 5, gy + 2); // outside the drag area: ignored
    EXPECT_EQ(dragged, (QList<double>{double(gw / 4) / gw * 1000, 1000}));
    EXPECT_EQ(N->Value(), 1000);
    Release(gl + gw + 5, gy + 2);
    EXPECT_EQ(Changes, 1);
    Press(gl, gy + 2);
    Release(gl, gy + 2);
    EXPECT_EQ(N->Value(), 0);
    EXPECT_EQ(Changes, 2);
    // With pivots the gauge snaps to the nearest one.
    N->ButtonPivots = {100, 400, 900};
    Press(gl + gw * 6 / 10, gy + 2); // 585
    Release(gl + gw * 6 / 10, gy + 2);
    EXPECT_EQ(N->Value(), 400);
}

TEST_F(NumIO2Test, SetterClamps)
{
    N->SetButWidth(100);
    EXPECT_EQ(N->ButWidth(), 50);
    N->SetButWidth(2);
    EXPECT_EQ(N->ButWidth(), 8);
    N->SetButSpace(-1);
    EXPECT_EQ(N->ButSpace(), 0);
    N->SetButSpace(70);
    EXPECT_EQ(N->ButSpace(), 50);
    N->SetButHeight(5);
    EXPECT_EQ(N->ButHeight(), 18);
    N->SetButHeight(100);
    EXPECT_EQ(N->ButHeight(), 28);
    N->SetHeight(10);
    EXPECT_EQ(N->Height(), 18);
    EXPECT_EQ(N->ButHeight(), 18); // a lower height takes the buttons along
    N->SetHeight(40);
    N->SetGaugeHeight(1);
    EXPECT_EQ(N->GaugeHeight(), 3);
    N->SetGaugeHeight(30);
    EXPECT_EQ(N->GaugeHeight(), 40 - 3 - 18);
    N->SetGaugeWidth(5);
    EXPECT_EQ(N->GaugeWidth(), 10);
    N->SetGaugeWidth(500);
    EXPECT_EQ(N->GaugeWidth(), 160 - 35);
    N->SetGaugeLeftMargin(100);
    EXPECT_EQ(N->GaugeLeftMargin(), 160 - 125);
    N->SetGaugeTopMargin(50);
    EXPECT_EQ(N->GaugeTopMargin(), 40 - 19 - 18);
    N->SetLeftSpace(-3);
    EXPECT_EQ(N->LeftSpace(), 35);
    N->SetLeftSpace(500);
    EXPECT_EQ(N->LeftSpace(), 160);
    N->SetFixPointDecPlaces(0);
    EXPECT_EQ(N->FixPointDecPlaces(), 2);
    N->SetValue(1.25);
    N->SetFixPointDecPlaces(20);
    EXPECT_EQ(N->FixPointDecPlaces(), 15);
    EXPECT_EQ(N->Text(), "1.250000000000000");
    N->SetSignificantDigits(-1);
    EXPECT_EQ(N->SignificantDigits(), 6);
    N->SetRangeLow(2000);
    EXPECT_EQ(N->RangeHigh(), 2000);
    N->SetRangeHigh(-1);
    EXPECT_EQ(N->RangeLow(), -1);
}

TEST_F(NumIO2Test, ValuesAcrossFormats)
{
    N->SetValue(3.14159);
    EXPECT_EQ(N->Text(), "3.14");
    N->SetInputFormat(itExp); // the value is carried over
    EXPECT_EQ(N->Text(), " 3.14000E+00");
    N->SetSignificantDigits(3);
    EXPECT_EQ(N->Text(), " 3.14E+00");
    N->SetValue(-1e200); // a three-digit exponent stays readable
    EXPECT_EQ(N->Value(), -1e200);
    N->SetInputFormat(itHex);
    N->SetValue(-1);
    EXPECT_EQ(N->Text(), "FFFFFFFF");
    N->SetInputFormat(itOct);
    EXPECT_EQ(N->Text(), "37777777777");
    N->SetInputFormat(itBin);
    EXPECT_EQ(N->Text(), QString(32, u'1'));
    N->SetInputFormat(itInt);
    EXPECT_EQ(N->Text(), "-1");
    N->SetText("99999999999");
    EXPECT_EQ(N->Value(), 2147483647);
    N->SetText("-99999999999");
    EXPECT_EQ(N->Value(), -2147483648.0); // the clamp keeps the sign
    N->SetInputFormat(itFloat);
    for (double v : {2147483647.0, -2147483648.0}) {
        N->SetValue(v);
        EXPECT_EQ(N->IntegerValue(), int(v));
    }
    for (double v : {2147483647.4, -2147483648.5}) {
        N->SetFixPointDecPlaces(1);
        N->SetValue(v);
        try {
            (void)N->IntegerValue();
            ADD_FAILURE() << "no overflow for " << v;
        } catch (const EKRONumIO2Error &e) {
            EXPECT_EQ(e.Message(), ComponentMessage(N->Name(), QStringLiteral("integer overflow")));
        }
    }
    N->SetValue(std::nan(""));
    EXPECT_EQ(N->Value(), -2147483648.5);
}

TEST_F(NumIO2Test, DecimalSeparatorConversion)
{
    N->SetText("1,5");
    N->SetDecSep(dsPoint); // from "both": every separator becomes the new one
    EXPECT_EQ(N->Text(), "1.5");
    N->SetDecSep(dsComma);
    EXPECT_EQ(N->Text(), "1,5");
    N->SetDecSep(dsBoth); // left as it is
    EXPECT_EQ(N->Text(), "1,5");
    EXPECT_EQ(N->Value(), 1.5); // read in either mode
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    N->SetDecSep(dsComma);
    N->SetDecSep(dsSystem); // "," to the system's ","
    EXPECT_EQ(N->Text(), "1,5");
    N->SetDecSep(dsPoint);
    EXPECT_EQ(N->Text(), "1.5");
}

TEST_F(NumIO2Test, CaretTimerFollowsFocus)
{
    TControlTimer *t = N->CaretTimer();
    EXPECT_TRUE(t->IsActive()); // started by the constructor
    EXPECT_EQ(t->Interval(), 500);
    t->Tick(); // no focus: stopped, caret hidden
    EXPECT_FALSE(t->IsActive());
    EXPECT_FALSE(N->CaretVisible());
    Focus();
    EXPECT_TRUE(t->IsActive());
    EXPECT_TRUE(N->CaretVisible());
    t->Tick();
    EXPECT_FALSE(N->CaretVisible());
    t->Tick();
    EXPECT_TRUE(N->CaretVisible());
    Other->setFocus();
    EXPECT_TRUE(t->IsActive()); // stops at the next tick
    t->Tick();
    EXPECT_FALSE(t->IsActive());
    EXPECT_FALSE(N->CaretVisible());
    QTest::mouseClick(N, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10)); // a click focuses
    EXPECT_TRUE(N->hasFocus());
    EXPECT_TRUE(t->IsActive());
    N->SetReadOnly(true);
    EXPECT_FALSE(t->IsActive());
    EXPECT_FALSE(N->CaretVisible());
    N->SetFocus();
    EXPECT_FALSE(t->IsActive());
    N->SetReadOnly(false);
    EXPECT_TRUE(t->IsActive());
    // Tab moves on.
    Key(Qt::Key_Tab);
    EXPECT_TRUE(Other->hasFocus());
}

TEST_F(NumIO2Test, MouseSelectionAndCharPositions)
{
    Focus();
    N->SetAlignment(taLeftJustify);
    N->SetText("123456");
    const int x2 = N->CharPosToXCoords(2), x5 = N->CharPosToXCoords(5);
    EXPECT_EQ(N->XCoordsToCharPos(x2), 2);
    EXPECT_EQ(N->XCoordsToCharPos(x5), 5);
    EXPECT_EQ(N->XCoordsToCharPos(-100), 0);
    EXPECT_EQ(N->XCoordsToCharPos(10000), 6); // never beyond the end
    Press(x2, 10);
    EXPECT_EQ(N->CaretPos(), 2);
    DragTo(x5, 10);
    EXPECT_EQ(N->SelBegin(), 2);
    EXPECT_EQ(N->SelEnd(), 5);
    Release(x5, 10);
    EXPECT_EQ(N->MouseAreaCode(), 1);
    QTest::mouseMove(N, QPoint(5, 10));
    EXPECT_EQ(N->MouseAreaCode(), 0);
    QTest::mouseMove(N, QPoint(150, 10));
    EXPECT_EQ(N->MouseAreaCode(), 2);
    for (TAlignment a : {taRightJustify, taCenter}) {
        N->SetAlignment(a);
        for (int p = 0; p <= 6; ++p)
            EXPECT_EQ(N->XCoordsToCharPos(N->CharPosToXCoords(p)), p) << int(a) << ' ' << p;
    }
    N->SetText("");
    EXPECT_EQ(N->XCoordsToCharPos(80), 0);
}

TEST_F(NumIO2Test, AssignCopiesStateButNotTheTimer)
{
    TNumIO2 src;
    src.SetInputFormat(itInt);
    src.SetText("42");
    src.SetLeftText("L");
    src.SetRangeLow(-5);
    src.SetRangeHigh(50);
    src.SetReadOnly(true);
    src.SetColorBoxBG(clYellow);
    src.SetButWidth(30);
    N->Assign(&src);
    EXPECT_EQ(N->InputFormat(), itInt);
    EXPECT_EQ(N->Text(), "42");
    EXPECT_EQ(N->LeftText(), "L");
    EXPECT_EQ(N->RangeLow(), -5);
    EXPECT_EQ(N->RangeHigh(), 50);
    EXPECT_TRUE(N->ReadOnly());
    EXPECT_EQ(N->ColorBoxBG(), clYellow);
    EXPECT_EQ(N->ButWidth(), 18); // buttons are not copied
    EXPECT_FALSE(N->CaretTimer()->IsActive());
    TComponent other;
    EXPECT_THROW(N->Assign(&other), EKROError);
}

TEST_F(NumIO2Test, PaintedBoxFrameAndWarningColours)
{
    N->SetText("5");
    QImage img = Picture();
    const int ls = N->LeftSpace(), bw = N->TextBoxWidth(), H = 28, S = H - 4;
    // Lowered frame: gray rectangle, black inner top-left, white bottom-right outside it.
    EXPECT_EQ(PixelAt(img, ls, 12), clGray);
    EXPECT_EQ(PixelAt(img, ls + 1, 12), clBlack);
    EXPECT_EQ(PixelAt(img, ls + 10, 1), clBlack);
    EXPECT_EQ(PixelAt(img, ls + 10, S + 3), clWhite);
    EXPECT_EQ(PixelAt(img, ls + bw + 2, 12), clWhite);
    EXPECT_EQ(PixelAt(img, ls + bw + 1, 12), clGray);
    EXPECT_EQ(PixelAt(img, ls + 5, 4), clWhite); // box background
    EXPECT_EQ(PixelAt(img, 3, 3), ColorToRGB(clBtnFace));
    N->SetText("2000");
    img = Picture();
    EXPECT_EQ(PixelAt(img, ls + 5, 4), ColorToRGB(0x6088FFF0));
    // A simple frame is one rectangle in the gray line colour down to the bottom.
    N->SetFrameStyle(fsSimple);
    img = Picture();
    EXPECT_EQ(PixelAt(img, ls, H - 1), clGray);
    EXPECT_EQ(PixelAt(img, ls + 1, 12), ColorToRGB(0x6088FFF0));
    // Disabled: silver box whatever the range.
    N->SetEnabled(false);
    img = Picture();
    EXPECT_EQ(PixelAt(img, ls + 5, 4), clSilver);
}

TEST_F(NumIO2Test, PaintedButtons)
{
    N->SetButVisible(true);
    const QImage img = Picture();
    const int bx = 35 + 80 + 3, bw = 18, hb = 14;
    EXPECT_EQ(PixelAt(img, bx, 5), clGray);               // outline
    EXPECT_EQ(PixelAt(img, bx + bw, 5), clGray);          // right edge of the rectangle
    EXPECT_EQ(PixelAt(img, bx + 1, 5), clWhite);          // raised edge, upper button
    EXPECT_EQ(PixelAt(img, bx + 1, hb + 3), clWhite);     // raised edge, lower button
    EXPECT_EQ(PixelAt(img, bx + 5, hb - 1), clGray);      // dividing line
    EXPECT_EQ(PixelAt(img, bx + 5, 2 * hb - 1), clBlack); // shadow below
    EXPECT_EQ(PixelAt(img, bx + bw + 1, 10), clBlack);    // shadow right
    EXPECT_EQ(PixelAt(img, bx + 5, 4), clSilver);         // face
    const int cx = bx + bw / 2, c = hb / 2, d = hb + c;
    // Arrows: 2, 4 and 6 pixels wide.
    EXPECT_EQ(kro::test::CountColor(img, clBlack, bx + 2, c - 1, bx + bw, c), 2);
    EXPECT_EQ(kro::test::CountColor(img, clBlack, bx + 2, c, bx + bw, c + 1), 4);
    EXPECT_EQ(kro::test::CountColor(img, clBlack, bx + 2, c + 1, bx + bw, c + 2), 6);
    EXPECT_EQ(PixelAt(img, cx - 2, c + 1), clBlack);
    EXPECT_EQ(PixelAt(img, cx + 4, c + 1), clSilver);
    EXPECT_EQ(kro::test::CountColor(img, clBlack, bx + 2, d, bx + bw, d + 1), 2);
    EXPECT_EQ(kro::test::CountColor(img, clBlack, bx + 2, d - 2, bx + bw, d - 1), 6);
}

TEST_F(NumIO2Test, PaintedGaugeBarLength)
{
    N->SetBounds(0, 0, 160, 44);
    N->SetGaugeVisible(true);
    const int gl = 35, gw = 82, gh = 8;
    const int gy = 44 - 12 + 3;
    const int row = gy + gh / 2;
    for (double v : {0.0, 250.0, 500.0, 1000.0, 1500.0}) {
        N->SetValue(v);
        const QImage img = Picture();
        const int len = Round(gw * std::clamp(v / 1000.0, 0.0, 1.0));
        // Inside the lowered outline (x = gl is the frame, gl+1 the dark edge).
        for (int x = gl + 2; x < gl + gw - 1; ++x)
            EXPECT_EQ(PixelAt(img, x, row), x < gl + len ? clNavy : clSilver) << v << " x=" << x;
    }
    const QImage img = Picture();
    EXPECT_EQ(PixelAt(img, gl, row), clGray);
    EXPECT_EQ(PixelAt(img, gl + 1, row), clBlack);
    EXPECT_EQ(PixelAt(img, gl + gw, row), clWhite);
    EXPECT_EQ(PixelAt(img, gl + 10, gy + gh), clWhite);
}

TEST_F(NumIO2Test, PaintedCaretAndSelection)
{
    Focus();
    N->SetRangeHigh(10000);
    N->SetText("1234");
    N->SetSelBegin(1); // caret at 1, no selection
    const QFontMetrics fm(N->Font()->ToQFont());
    const int tw = fm.horizontalAdvance(QStringLiteral("1234"));
    auto caretX = [&](int P) {
        return 35 + fm.horizontalAdvance(QStringLiteral("1234").left(P)) + (80 - tw) / 2 + 1;
    };
    QImage img = Picture();
    EXPECT_EQ(PixelAt(img, caretX(1), 3), clBlack);
    EXPECT_EQ(PixelAt(img, caretX(1), 24), clBlack);
    EXPECT_EQ(PixelAt(img, caretX(1), 25), clWhite); // the end point is not drawn
    EXPECT_EQ(PixelAt(img, caretX(3), 3), clWhite);
    N->CaretTimer()->Tick(); // blink: hidden
    img = Picture();
    EXPECT_EQ(PixelAt(img, caretX(1), 3), clWhite);

    N->SetSelEnd(3);
    img = Picture();
    const int x1 = N->CharPosToXCoords(1), x2 = N->CharPosToXCoords(3);
    EXPECT_EQ(PixelAt(img, x1, 4), clBlack); // the white box inverted
    EXPECT_EQ(PixelAt(img, x2 - 1, 4), clBlack);
    EXPECT_EQ(PixelAt(img, x2, 4), clWhite);
    EXPECT_EQ(PixelAt(img, x1 - 1, 4), clWhite);
    Other->setFocus(); // hidden without the focus
    img = Picture();
    EXPECT_EQ(PixelAt(img, x1, 4), clWhite);
    N->SetHideSelection(false);
    img = Picture();
    EXPECT_EQ(PixelAt(img, x1, 4), clBlack);
}

TEST_F(NumIO2Test, AutoSizeFollowsTheFont)
{
    N->SetAutoSize(true);
    N->Font()->SetSize(20);
    (void)Picture();
    (void)N->Surface();
    EXPECT_EQ(N->Height(), QFontMetrics(N->Font()->ToQFont()).height() + 6);
    EXPECT_EQ(N->Surface().height(), N->Height());
    // A height set while AutoSize is on gives way to the font's at once.
    const int Auto = N->Height();
    N->SetHeight(Auto + 7);
    EXPECT_EQ(N->Height(), Auto);
    // A font too small for the field's least height keeps 18 and is drawn (no endless resizing).
    N->Font()->SetSize(4);
    N->SetValue(7);
    const QImage Small = Picture();
    EXPECT_EQ(N->Height(), 18);
    EXPECT_EQ(Small.height(), 18);
    EXPECT_NE(PixelAt(Small, N->Width() / 4, 9), PixelAt(Small, N->Width() / 4, 1)) << "the box was drawn";
}

TEST_F(NumIO2Test, LoadingChecksTheTextAgainstTheStoredFormat)
{
    TNumIO2 l;
    l.BeginLoading();
    l.setProperty("Text", "FF");
    l.setProperty("InputFormat", QVariant::fromValue(itHex));
    l.EndLoading();
    EXPECT_EQ(l.Text(), "FF");
    EXPECT_EQ(l.Value(), 255);
    l.BeginLoading();
    l.setProperty("Text", "XYZ");
    l.EndLoading();
    EXPECT_EQ(l.Text(), "FF"); // refused as ever
}
