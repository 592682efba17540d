// TNumIO driven through real key events: validation, restore, fixed-point caret, range, events.
#include "numio_testutil.h"

#include <krogui/numio/numio.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QTest>

using namespace kro;

namespace {

class NumIOTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        F.show();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        F.SetOnChange([this](QObject *Sender) {
            EXPECT_EQ(Sender, &F);
            ++Changes;
            TextsSeen << F.text();
        });
    }
    void Type(const QString &Keys) { QTest::keyClicks(&F, Keys); }
    void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(&F, K, M); }
    TNumIO F;
    int Changes = 0;
    QStringList TextsSeen;
};

} // namespace

TEST_F(NumIOTest, ConvertNumStringEdgeCases)
{
    double v = 42;
    EXPECT_FALSE(F.ConvertNumString("", v));
    EXPECT_EQ(v, 42); // unchanged
    EXPECT_TRUE(F.ConvertNumString("   ", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(F.ConvertNumString(" 12", v));
    EXPECT_EQ(v, 12);
    EXPECT_FALSE(F.ConvertNumString("1 2", v));

    F.SetInputFormat(itExp);
    for (const char *t : {"1e", "1e-", "1E+"}) {
        EXPECT_TRUE(F.ConvertNumString(QString::fromLatin1(t), v)) << t;
        EXPECT_EQ(v, 1) << t;
    }
    EXPECT_TRUE(F.ConvertNumString("1e5", v));
    EXPECT_EQ(v, 100000);
    EXPECT_FALSE(F.ConvertNumString("e5", v));
    EXPECT_FALSE(F.ConvertNumString("1e5x", v));
    for (const char *t : {"-", "+", ".", "-."}) {
        EXPECT_TRUE(F.ConvertNumString(QString::fromLatin1(t), v)) << t;
        EXPECT_EQ(v, 0) << t;
    }

    F.SetInputFormat(itFloat);
    EXPECT_FALSE(F.ConvertNumString("1e5", v));
    F.SetDecPSep(dsPoint);
    EXPECT_FALSE(F.ConvertNumString("1,5", v));
    F.SetDecPSep(dsBoth);
    EXPECT_TRUE(F.ConvertNumString("1,5", v));
    EXPECT_EQ(v, 1.5);
    F.SetDecPSep(dsComma);
    EXPECT_FALSE(F.ConvertNumString("1.5", v));

    F.SetInputFormat(itInt);
    EXPECT_TRUE(F.ConvertNumString("-17", v));
    EXPECT_EQ(v, -17);
    EXPECT_FALSE(F.ConvertNumString("1.5", v));

    F.SetInputFormat(itHex);
    EXPECT_TRUE(F.ConvertNumString("ff", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(F.ConvertNumString("FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_FALSE(F.ConvertNumString("fg", v));
    F.SetInputFormat(itOct);
    EXPECT_FALSE(F.ConvertNumString("78", v));
    F.SetInputFormat(itBin);
    EXPECT_TRUE(F.ConvertNumString("101", v));
    EXPECT_EQ(v, 5);

    F.SetInputFormat(itDynamic);
    F.SetDecPSep(dsPoint);
    const struct
    {
        const char *Text;
        bool Ok;
        double Value;
    } dyn[] = {{"$1F", true, 31}, {"%101", true, 5}, {"&17", true, 15}, {"1.5e3", true, 1500},
               {"$", true, 0},    {"%2", false, 0},  {"&8", false, 0},  {"$$1", false, 0}};
    for (const auto &d : dyn) {
        v = -99;
        EXPECT_EQ(F.ConvertNumString(QString::fromLatin1(d.Text), v), d.Ok) << d.Text;
        if (d.Ok) {
            EXPECT_EQ(v, d.Value) << d.Text;
        }
    }
}

TEST_F(NumIOTest, RunTimeRangeIsZeroToZero)
{
    EXPECT_EQ(F.RangeLow(), 0);
    EXPECT_EQ(F.RangeHigh(), 0);
    Type("1");
    EXPECT_EQ(F.text(), "");
    Type("0");
    EXPECT_EQ(F.text(), "0");
    F.setText("");
    EXPECT_EQ(F.text(), "0"); // "" does not convert: the last accepted text comes back
    F.selectAll();
    Type("-");
    EXPECT_EQ(F.text(), "-");
    EXPECT_EQ(F.Value(), 0);
}

TEST_F(NumIOTest, DesignModeRange)
{
    TNumIO d;
    d.SetDesigning(true);
    EXPECT_EQ(d.RangeLow(), -uc_MaxDouble);
    EXPECT_EQ(d.RangeHigh(), uc_MaxDouble);
    // While designed, nothing is validated.
    d.setText("abc");
    EXPECT_EQ(d.text(), "abc");

    TNumIO e; // a range set before the flag is kept
    e.SetRangeHigh(5);
    e.SetDesigning(true);
    EXPECT_EQ(e.RangeHigh(), 5);
}

TEST_F(NumIOTest, AcceptedAndRefusedTypingWithOnChange)
{
    F.SetRangeLow(-10);
    F.SetRangeHigh(10);
    Changes = 0;
    Type("5");
    EXPECT_EQ(F.text(), "5");
    EXPECT_EQ(Changes, 1);
    Type("0"); // 50 is out of range
    EXPECT_EQ(F.text(), "5");
    EXPECT_EQ(F.cursorPosition(), 1);
    EXPECT_EQ(Changes, 1);
    Type("x");
    EXPECT_EQ(F.text(), "5");
    EXPECT_EQ(Changes, 1);
    Key(Qt::Key_Home);
    Type("-");
    EXPECT_EQ(F.text(), "-5");
    EXPECT_EQ(F.Value(), -5);
    EXPECT_EQ(Changes, 2);
    // A refused edit in the middle puts the caret one left of where it was.
    Key(Qt::Key_Home);
    Key(Qt::Key_Right);
    Type("x"); // "-x5" at caret 2
    EXPECT_EQ(F.text(), "-5");
    EXPECT_EQ(F.cursorPosition(), 1);
    // Deleting everything is refused ("" does not convert).
    F.selectAll();
    Key(Qt::Key_Delete);
    EXPECT_EQ(F.text(), "-5");
    EXPECT_EQ(Changes, 2);
    // Incomplete input is accepted while typing; its value is 0.
    F.selectAll();
    Type(".");
    EXPECT_EQ(F.text(), ".");
    Type("25");
    EXPECT_EQ(F.text(), ".25");
    EXPECT_EQ(F.Value(), 0.25);
}

TEST_F(NumIOTest, TextFromTheApplicationIsValidatedToo)
{
    F.SetRangeHigh(100);
    F.setText("42");
    EXPECT_EQ(F.text(), "42");
    F.setText("4x2");
    EXPECT_EQ(F.text(), "42");
    F.SetText(QString(20000, u'9')); // out of range
    EXPECT_EQ(F.text(), "42");
}

TEST_F(NumIOTest, FixedPointCaretAndRounding)
{
    F.SetInputFormat(itFixPoint);
    F.SetRangeHigh(10000);
    Type("1");
    EXPECT_EQ(F.text(), "1.00");
    EXPECT_EQ(F.cursorPosition(), 1);
    EXPECT_EQ(TextsSeen.last(), "1.00"); // OnChange sees the final text
    Type("2");
    EXPECT_EQ(F.text(), "12.00");
    EXPECT_EQ(F.cursorPosition(), 2);
    // A point typed before the point moves the caret past it.
    Type(".");
    EXPECT_EQ(F.text(), "12.00");
    EXPECT_EQ(F.cursorPosition(), 3);
    // Typed decimals overwrite; a third decimal is cut off, as "1.234" gives "1.23".
    Type("34");
    EXPECT_EQ(F.text(), "12.34");
    EXPECT_EQ(F.cursorPosition(), 5);
    Type("9");
    EXPECT_EQ(F.text(), "12.34");
    // A point typed behind the point is refused.
    Type(".");
    EXPECT_EQ(F.text(), "12.34");
    // Deleting the point: the digits join and the caret goes before the old point.
    F.setSelection(2, 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(F.text(), "1234.00");
    EXPECT_EQ(F.cursorPosition(), 2);
    // Texts from the application.
    F.setText("1.234");
    EXPECT_EQ(F.text(), "1.23");
    F.setText("1.2.3");
    EXPECT_EQ(F.text(), "1.23");
    // A refused edit brings back the formatted text, not the one typed before formatting.
    F.setText("7");
    EXPECT_EQ(F.text(), "7.00");
    Type("x");
    EXPECT_EQ(F.text(), "7.00");
}

TEST_F(NumIOTest, FixedPointWithCommaSeparator)
{
    F.SetInputFormat(itFixPoint);
    F.SetDecPSep(dsComma);
    F.SetRangeHigh(100);
    Type("3");
    EXPECT_EQ(F.text(), "3,00");
    Key(Qt::Key_Right);
    Type("5");
    EXPECT_EQ(F.text(), "3,50");
    EXPECT_EQ(F.Value(), 3.5);
    F.SetValue(2.25);
    EXPECT_EQ(F.text(), "2,25");
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace); // "2,2" is formatted back to two places
    EXPECT_EQ(F.text(), "2,20");
}

TEST_F(NumIOTest, RangeSettersSwapAndRevalidate)
{
    F.SetRangeHigh(10);
    F.SetRangeLow(20); // not below the maximum: the bounds change places
    EXPECT_EQ(F.RangeLow(), 10);
    EXPECT_EQ(F.RangeHigh(), 20);
    F.SetRangeHigh(5); // not above the minimum
    EXPECT_EQ(F.RangeLow(), 5);
    EXPECT_EQ(F.RangeHigh(), 10);
    F.SetRangeLow(-3);
    EXPECT_EQ(F.RangeLow(), -3);
    EXPECT_EQ(F.RangeHigh(), 10);

    Type("7");
    EXPECT_EQ(F.text(), "7");
    Changes = 0;
    F.SetRangeHigh(10); // unchanged, still revalidates: the text fits and OnChange fires
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(F.text(), "7");
    F.SetRangeHigh(6); // the text no longer fits and the cleared last accepted text comes back
    EXPECT_EQ(F.text(), "");
    EXPECT_EQ(Changes, 1);
    F.SetRangeLow(std::nan("")); // refused
    EXPECT_EQ(F.RangeLow(), -3);
}

TEST_F(NumIOTest, DecimalPlacesAndValueFormats)
{
    F.SetFixPDecPl(0);
    EXPECT_EQ(F.FixPointDecPlaces(), 1);
    F.SetFixPointDecPlaces(12);
    EXPECT_EQ(F.FixPointDecPlaces(), 8);
    F.SetFixPointDecPlaces(2);

    const struct
    {
        TInFormat Format;
        const char *Text;
    } cases[] = {{itFloat, "3.14159000"}, {itFixPoint, "3.14"},        {itInt, "3"},
                 {itExp, " 3.14159E+00"}, {itDynamic, " 3.14159E+00"}, {itHex, "00000003"},
                 {itOct, "00000000003"},  {itBin, "00000000000000000000000000000011"}};
    for (const auto &c : cases) {
        F.SetInputFormat(c.Format);
        Changes = 0;
        F.SetValue(3.14159);
        EXPECT_EQ(F.text(), QString::fromLatin1(c.Text)) << int(c.Format);
        EXPECT_EQ(Changes, 0);
    }
    F.SetInputFormat(itHex);
    F.SetValue(-1);
    EXPECT_EQ(F.text(), "FFFFFFFF");
    EXPECT_EQ(F.Value(), -1);
    // Values whose exponent needs three digits stay readable and read back.
    F.SetInputFormat(itExp);
    F.SetValue(1e200);
    EXPECT_EQ(F.Value(), 1e200);
    F.SetValue(std::nan(""));
    EXPECT_EQ(F.Value(), 1e200);
    F.SetValue(-HUGE_VAL);
    EXPECT_LT(F.Value(), -1.797e308);
}

TEST_F(NumIOTest, AssignedValueIsWhatARefusedEditRestores)
{
    F.SetInputFormat(itFloat);
    F.SetRangeHigh(10);
    F.SetValue(2.5);
    F.SetValue(2.5); // the same text again: no notification, so no flag may stay behind
    Key(Qt::Key_End);
    Type("x");
    EXPECT_EQ(F.text(), "2.50000000");
    Type("9"); // 2.500000009 is in range: accepted, so the next edit was validated
    EXPECT_EQ(F.text(), "2.500000009");
    EXPECT_EQ(Changes, 1);
}

TEST_F(NumIOTest, GetLabValueAcceptsPointAndComma)
{
    F.SetRangeHigh(100);
    F.SetInputFormat(itFloat);
    F.SetDecPSep(dsComma);
    F.setText("1,5");
    EXPECT_EQ(F.Value(), 1.5);
    Type(""); // nothing
    F.setText("2,");
    EXPECT_EQ(F.text(), "2,");
    EXPECT_EQ(F.Value(), 2);
    F.SetDecPSep(dsPoint); // "2," no longer converts: cleared
    EXPECT_EQ(F.text(), "");
    EXPECT_EQ(F.Value(), 0);
}

TEST_F(NumIOTest, PastedJunkNeverStays)
{
    F.SetRangeLow(-uc_MaxDouble);
    F.SetRangeHigh(uc_MaxDouble);
    F.SetInputFormat(itExp);
    Type("12");
    const char16_t *junk[] = {u"\uFF11\uFF12", u"1\u00A02", u"\u202E12", u"1e5\nx", u"\U0001F600"};
    for (const char16_t *j : junk) {
        QApplication::clipboard()->setText(QString::fromUtf16(j));
        F.selectAll();
        F.paste();
        EXPECT_EQ(F.text(), "12");
    }
    QApplication::clipboard()->setText(QStringLiteral("1e") + QString(5000, u'9'));
    F.selectAll();
    F.paste();
    EXPECT_EQ(F.Value(), uc_MaxDouble);
    QApplication::clipboard()->setText(QString(40000, u'7'));
    F.selectAll();
    F.paste();
    double v = 0;
    EXPECT_TRUE(F.ConvertNumString(F.text(), v));
}

TEST_F(NumIOTest, AssignCopiesFormatRangeSeparatorAndBeep)
{
    TNumIO src;
    src.SetInputFormat(itInt);
    src.SetRangeLow(-5);
    src.SetRangeHigh(50);
    src.SetDecPSep(dsComma);
    src.SetBeep(true);
    src.SetFixPointDecPlaces(6);
    F.SetRangeHigh(100);
    F.setText("77");
    F.Assign(&src);
    EXPECT_EQ(F.InputFormat(), itInt);
    EXPECT_EQ(F.RangeLow(), -5);
    EXPECT_EQ(F.RangeHigh(), 50);
    EXPECT_EQ(F.DecPlaceSep(), dsComma);
    EXPECT_TRUE(F.Beep());
    EXPECT_EQ(F.FixPointDecPlaces(), 2);
    EXPECT_EQ(F.text(), ""); // 77 is out of the new range
    TComponent other;
    EXPECT_THROW(F.Assign(&other), EKROError);
}

TEST_F(NumIOTest, LoadingValidatesOnceWithTheStoredRange)
{
    TNumIO l;
    int changes = 0;
    l.SetOnChange([&](QObject *) { ++changes; });
    l.BeginLoading();
    l.setProperty("Text", "15");
    l.setProperty("RangeLow", 10.0);
    l.setProperty("RangeHigh", 20.0);
    l.setProperty("InputFormat", QVariant::fromValue(itFloat));
    EXPECT_EQ(changes, 0);
    l.EndLoading();
    EXPECT_EQ(l.text(), "15");
    EXPECT_EQ(l.Value(), 15);
    EXPECT_EQ(changes, 1);
    QTest::keyClicks(&l, "x");
    EXPECT_EQ(l.text(), "15");
}

TEST_F(NumIOTest, KeyEventsReachTheApplication)
{
    F.SetRangeHigh(1000);
    QList<quint16> downs;
    F.SetOnKeyDown([&](QObject *, quint16 &K, TShiftState) {
        downs << K;
        if (K == '9') K = 0; // swallowed
    });
    F.SetOnKeyPress([](QObject *, QChar &C) {
        if (C == u'a') C = u'1'; // typed as another character
    });
    Type("19a");
    EXPECT_EQ(F.text(), "11");
    EXPECT_EQ(downs, (QList<quint16>{'1', '9', 'A'}));
}

TEST_F(NumIOTest, MouseFontAndHintComeFromTheSharedCore)
{
    // The same mouse translation as every control: Click before MouseUp, a double click is
    // DblClick then MouseDown with ssDouble, and its release is no click.
    QStringList log;
    F.SetOnClick([&](QObject *S) { log << (S == &F ? "click" : "?"); });
    F.SetOnDblClick([&](QObject *) { log << "dbl"; });
    F.SetOnMouseDown([&](QObject *, TMouseButton, TShiftState S, int, int) {
        log << ((S & ssDouble) ? "down2" : "down");
    });
    F.SetOnMouseUp([&](QObject *, TMouseButton, TShiftState, int, int) { log << "up"; });
    F.SetOnMouseEnter([&](QObject *) { log << "enter"; });
    test::DoubleClick(&F, QPoint(5, 5));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&F, &enter);
    EXPECT_EQ(log, QStringList({"down", "click", "up", "dbl", "down2", "up", "enter"}));

    // Font: follows the parent by default; an own font is applied to the edit and ends that.
    QWidget parent;
    QFont pf(QStringLiteral("DejaVu Serif"));
    pf.setPixelSize(20);
    parent.setFont(pf);
    auto *g = new TNumIO(&parent);
    EXPECT_TRUE(g->ParentFont());
    EXPECT_EQ(g->Font()->Name(), QStringLiteral("DejaVu Serif"));
    g->Font()->SetName(QStringLiteral("DejaVu Sans Mono"));
    EXPECT_FALSE(g->ParentFont());
    EXPECT_EQ(g->font().family(), QStringLiteral("DejaVu Sans Mono"));
    pf.setBold(true);
    parent.setFont(pf); // no longer followed
    EXPECT_EQ(g->font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_FALSE(g->Font()->Style() & fsBold);
    g->SetParentFont(true);
    EXPECT_EQ(g->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(g->Font()->Style() & fsBold);

    // Colour, hint and bounds as every control has them.
    EXPECT_EQ(F.Color(), clWindow);
    F.SetColor(clYellow);
    EXPECT_EQ(F.palette().color(QPalette::Base), QColor(255, 255, 0));
    F.SetHint(QStringLiteral("enter a number"));
    F.SetShowHint(true);
    EXPECT_EQ(F.toolTip(), QStringLiteral("enter a number"));
    F.SetAutoSize(false);
    F.SetBounds(2, 3, -4, 30);
    EXPECT_EQ(F.Width(), 0);
    EXPECT_EQ(F.Height(), 30);
}

TEST_F(NumIOTest, FixedPointTypedAsAUserTypesIt)
{
    F.SetInputFormat(itFixPoint);
    F.SetRangeLow(-100);
    F.SetRangeHigh(100);
    Type("1.234");
    EXPECT_EQ(F.text(), "1.23");
    EXPECT_DOUBLE_EQ(F.Value(), 1.23);
    // Typing over a selection replaces it.
    F.SetValue(0);
    F.selectAll();
    Type("3.25");
    EXPECT_EQ(F.text(), "3.25");
    EXPECT_DOUBLE_EQ(F.Value(), 3.25);
    // A leading "-" starts a negative number.
    F.selectAll();
    Type("-5");
    EXPECT_EQ(F.text(), "-5.00");
    EXPECT_DOUBLE_EQ(F.Value(), -5.0);
    // A point typed over everything starts "0.".
    F.selectAll();
    Type(".5");
    EXPECT_EQ(F.text(), "0.50");
}

TEST_F(NumIOTest, TextAndValueAgreeInEveryIntegerFormat)
{
    F.SetRangeLow(-1e12);
    F.SetRangeHigh(1e12);
    F.SetInputFormat(itBin);
    F.SetValue(256);
    EXPECT_EQ(F.text(), "00000000000000000000000100000000");
    EXPECT_EQ(F.Value(), 256);
    F.SetInputFormat(itOct);
    F.SetValue(-1);
    EXPECT_EQ(F.text(), "37777777777");
    EXPECT_EQ(F.Value(), -1);
    F.SetInputFormat(itHex);
    F.SetValue(-2);
    EXPECT_EQ(F.Value(), -2);

    // Integers beyond 32 bits: a written value is clamped, typed text that does not fit is refused.
    F.SetInputFormat(itInt);
    F.SetValue(1e10);
    EXPECT_EQ(F.text(), "2147483647");
    EXPECT_EQ(F.Value(), 2147483647);
    F.SetValue(-1e10);
    EXPECT_EQ(F.Value(), -2147483648.0);
    F.selectAll();
    Type("99999999999");
    EXPECT_EQ(F.text(), "999999999"); // the tenth digit no longer fits
    EXPECT_EQ(F.Value(), 999999999);
    F.selectAll();
    Type("-2147483648");
    EXPECT_EQ(F.Value(), -2147483648.0);
}

TEST_F(NumIOTest, PastedNumbersLoseSurroundingBlanksAndLineBreaks)
{
    F.SetRangeHigh(1000);
    for (const char *clip : {"42 ", "42\n", "42\r\n", "\t42\t"}) {
        F.SetValue(7);
        F.selectAll();
        QApplication::clipboard()->setText(QString::fromLatin1(clip));
        F.paste();
        EXPECT_EQ(F.text(), "42") << clip;
        EXPECT_EQ(F.Value(), 42);
    }
    // Junk behind a number is no number.
    F.SetInputFormat(itExp);
    F.selectAll();
    Type("12x");
    EXPECT_EQ(F.text(), "12");
    QApplication::clipboard()->setText(QStringLiteral("1ABC"));
    F.selectAll();
    F.paste();
    EXPECT_EQ(F.text(), "12");
}
