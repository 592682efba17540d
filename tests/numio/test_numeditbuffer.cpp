// The edit buffer and the layout of the self-drawn number field, without a widget.
#include <krogui/core/keys.h>
#include <krogui/numio/numeditbuffer.h>
#include <krogui/numio/numio2layout.h>

#include <gtest/gtest.h>

using namespace kro;

namespace {
TNumEditBuffer Buf(const QString &Text, int Caret, int SelB = -1, int SelE = -1)
{
    TNumEditBuffer b;
    b.FInBuffer = Text;
    b.FCaretPos = Caret;
    b.FSelBegin = SelB < 0 ? Caret : SelB;
    b.FSelEnd = SelE < 0 ? Caret : SelE;
    return b;
}
} // namespace

TEST(NumEditBuffer, TypingReplacesTheSelectionAndRespectsTheLimit)
{
    TNumEditBuffer b = Buf("12345", 1, 1, 3);
    EXPECT_TRUE(b.Type(u'9', 10));
    EXPECT_EQ(b.FInBuffer, "1945");
    EXPECT_EQ(b.FCaretPos, 2);
    EXPECT_FALSE(b.HasSelection());

    // At the limit a key is refused, but it may still replace a selection.
    b = Buf("1234", 4);
    EXPECT_FALSE(b.Type(u'5', 4));
    EXPECT_EQ(b.FInBuffer, "1234");
    b = Buf("1234", 0, 0, 1);
    EXPECT_TRUE(b.Type(u'5', 4));
    EXPECT_EQ(b.FInBuffer, "5234");

    // A caret left beyond the end (text shortened from outside) inserts at the end.
    b = Buf("12", 7);
    b.FSelBegin = b.FSelEnd = 2;
    EXPECT_TRUE(b.Type(u'3', 10));
    EXPECT_EQ(b.FInBuffer, "123");
    EXPECT_EQ(b.FCaretPos, 3);
}

TEST(NumEditBuffer, DeletingKeysAndTheFormattedZero)
{
    TNumEditBuffer b = Buf("1.5", 3);
    EXPECT_TRUE(b.Backspace("0.00"));
    EXPECT_EQ(b.FInBuffer, "1.");
    EXPECT_EQ(b.FCaretPos, 2);
    b.CaretHome();
    EXPECT_FALSE(b.Backspace("0.00")); // nothing before the caret
    EXPECT_TRUE(b.DeleteForward("0.00"));
    EXPECT_EQ(b.FInBuffer, ".");
    b.CaretEnd();
    EXPECT_FALSE(b.DeleteForward("0.00"));

    // Removing the whole text by its selection leaves the format's zero, caret in front.
    b = Buf("42", 2, 0, 2);
    EXPECT_TRUE(b.Backspace("0.00"));
    EXPECT_EQ(b.FInBuffer, "0.00");
    EXPECT_EQ(b.FCaretPos, 0);
    // Typing over it does not.
    b = Buf("42", 2, 0, 2);
    EXPECT_TRUE(b.Type(u'7', 10));
    EXPECT_EQ(b.FInBuffer, "7");
}

TEST(NumEditBuffer, PasteSelectionAndFixPointOverwrite)
{
    TNumEditBuffer b = Buf("100", 1, 1, 2);
    EXPECT_EQ(b.SelectedText(), "0");
    EXPECT_TRUE(b.Paste("55", 10));
    EXPECT_EQ(b.FInBuffer, "1550");
    EXPECT_EQ(b.FCaretPos, 3);
    EXPECT_FALSE(b.Paste("123456789", 10)); // would be 13 long
    EXPECT_EQ(b.FInBuffer, "1550");

    // Selection setters clamp and drag the other end along.
    b.SetSelEnd(99);
    EXPECT_EQ(b.FSelEnd, 4);
    b.SetSelBegin(-3);
    EXPECT_EQ(b.FSelBegin, 0);
    EXPECT_EQ(b.FCaretPos, 0);
    b.SetSelEnd(2);
    b.SetSelBegin(3);
    EXPECT_EQ(b.FSelEnd, 3);

    // "12.34" with two decimals: a caret in the decimals selects the next digit.
    b = Buf("12.34", 3);
    b.SelectFixPointOverwrite(2);
    EXPECT_EQ(b.FSelBegin, 3);
    EXPECT_EQ(b.FSelEnd, 4);
    b.PlaceCaret(5);
    b.SelectFixPointOverwrite(2);
    EXPECT_EQ(b.FSelBegin, 5);
    EXPECT_EQ(b.FSelEnd, 5);
    b.PlaceCaret(1);
    b.FSelEnd = 2;
    b.SelectFixPointOverwrite(2);
    EXPECT_FALSE(b.HasSelection());
}

TEST(NumEditBuffer, KeysAndTheCharactersTheyType)
{
    EXPECT_EQ(TNumEditBuffer::CharOfKey('7', false), u'7');
    EXPECT_EQ(TNumEditBuffer::CharOfKey('4', true), u'$');
    EXPECT_EQ(TNumEditBuffer::CharOfKey('5', true), u'%');
    EXPECT_EQ(TNumEditBuffer::CharOfKey('6', true), u'&');
    EXPECT_EQ(TNumEditBuffer::CharOfKey('7', true), u'7');
    EXPECT_EQ(TNumEditBuffer::CharOfKey('F', false), u'F');
    EXPECT_TRUE(TNumEditBuffer::CharOfKey('G', false).isNull());
    EXPECT_EQ(TNumEditBuffer::CharOfKey(VK_NUMPAD0 + 9, false), u'9');
    EXPECT_EQ(TNumEditBuffer::CharOfKey(VK_SUBTRACT, false), u'-');
    EXPECT_EQ(TNumEditBuffer::CharOfKey(VK_OEM_PLUS, false), u'+');
    EXPECT_EQ(TNumEditBuffer::CharOfKey(VK_DECIMAL, false), u',');
    EXPECT_EQ(TNumEditBuffer::CharOfKey(VK_OEM_PERIOD, false), u'.');
    EXPECT_TRUE(TNumEditBuffer::CharOfKey(VK_LEFT, false).isNull());
}

TEST(NumIO2Layout, PartsAndHitTestingAgree)
{
    TNumIO2Metrics m;
    m.Width = 200;
    m.Height = 40;
    m.ButVisible = true;
    m.GaugeVisible = true; // strip 8 + 3 + 1 = 12
    TNumIO2Layout l(m);
    EXPECT_EQ(l.GaugeStrip(), 12);
    EXPECT_EQ(l.TextBottom(), 28);
    EXPECT_TRUE(l.InTextRow(27));
    EXPECT_FALSE(l.InTextRow(28));
    EXPECT_FALSE(l.InTextRow(0));

    // Buttons start ButSpace behind the box; their edges are not inside.
    EXPECT_EQ(l.ButtonLeft(), 35 + 80 + 3);
    EXPECT_EQ(l.ButtonBlock(), 21);
    EXPECT_FALSE(l.InButtons(118, 5));
    EXPECT_TRUE(l.InButtons(119, 5));
    EXPECT_FALSE(l.InButtons(136, 5));
    EXPECT_FALSE(l.InButtons(120, 28));
    EXPECT_TRUE(l.InLowerButton(15));
    EXPECT_FALSE(l.InLowerButton(14));

    const TRect g = l.GaugeRect();
    EXPECT_EQ(g, Rect(35, 31, 117, 39));
    EXPECT_TRUE(l.InGauge(35, 30));
    EXPECT_FALSE(l.InGauge(34, 30));
    EXPECT_TRUE(l.InGauge(34, 30, 1));
    EXPECT_FALSE(l.InGauge(50, 28)); // the text row's last line is not the gauge
    EXPECT_DOUBLE_EQ(l.GaugeValueAt(35 + 41, 0, 100), 50.0);

    // A gauge of no width gives its low end rather than dividing by zero.
    m.GaugeWidth = 0;
    EXPECT_DOUBLE_EQ(TNumIO2Layout(m).GaugeValueAt(60, 3, 9), 3.0);

    m.ButVisible = m.GaugeVisible = false;
    EXPECT_EQ(TNumIO2Layout(m).ButtonBlock(), 0);
    EXPECT_FALSE(TNumIO2Layout(m).InButtons(120, 5));
    EXPECT_FALSE(TNumIO2Layout(m).InGauge(50, 39));
}

TEST(NumIO2Layout, TextPositionsRoundTripForEveryAlignment)
{
    TNumIO2Metrics m;
    m.Width = 160;
    m.Height = 28;
    // A text of 5 characters 10 pixels each.
    for (TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
        m.Alignment = a;
        TNumIO2Layout l(m);
        for (int n = 0; n <= 5; ++n) {
            const int x = l.CharPosToX(10 * n, 50);
            EXPECT_EQ(l.XToCharPos(x, 50, 5), n) << "alignment " << a << " position " << n;
        }
        EXPECT_EQ(l.XToCharPos(-100, 50, 5), 0);
        EXPECT_EQ(l.XToCharPos(1000, 50, 5), 5);
        EXPECT_EQ(l.XToCharPos(60, 0, 0), 0);
    }
    m.Alignment = taLeftJustify;
    EXPECT_EQ(TNumIO2Layout(m).TextLeft(50), 39);
    m.Alignment = taRightJustify;
    EXPECT_EQ(TNumIO2Layout(m).TextLeft(50), 35 + 80 - 50 - 2);
    m.Alignment = taCenter;
    EXPECT_EQ(TNumIO2Layout(m).TextLeft(50), 35 + 15 + 2);
    EXPECT_EQ(TNumIO2Layout(m).AreaCode(35), 0);
    EXPECT_EQ(TNumIO2Layout(m).AreaCode(36), 1);
    EXPECT_EQ(TNumIO2Layout(m).AreaCode(116), 2);
}
