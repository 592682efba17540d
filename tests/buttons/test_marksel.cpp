// TMarkSel: property rules, picking with mouse and keyboard, events, highlight and cell pixels.
#include <krogui/buttons/marksel.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace kro;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

void SendMouse(QWidget *W, QEvent::Type Type, QPoint P, Qt::MouseButton Button, Qt::MouseButtons Buttons)
{
    QMouseEvent ev(Type, QPointF(P), W->mapToGlobal(QPointF(P)), Button, Buttons, Qt::NoModifier);
    QApplication::sendEvent(W, &ev);
}

void Move(QWidget *W, QPoint P)
{
    SendMouse(W, QEvent::MouseMove, P, Qt::NoButton, Qt::NoButton);
}

void Click(QWidget *W, QPoint P)
{
    SendMouse(W, QEvent::MouseButtonPress, P, Qt::LeftButton, Qt::LeftButton);
    SendMouse(W, QEvent::MouseButtonRelease, P, Qt::LeftButton, Qt::NoButton);
}

void DoubleClick(QWidget *W, QPoint P)
{
    Click(W, P);
    SendMouse(W, QEvent::MouseButtonDblClick, P, Qt::LeftButton, Qt::LeftButton);
    SendMouse(W, QEvent::MouseButtonRelease, P, Qt::LeftButton, Qt::NoButton);
}

// The pixels of the cell of symbol Mark (the rectangle a selection fills).
struct Cell
{
    int L, T, R, B;
};

Cell CellOf(TMarkSel &S, int Mark)
{
    const TMarkGrid &g = S.Grid();
    const QPoint p = g.Coord(Mark);
    const int dh = g.DistHorz() / 2, dv = g.DistVert() / 2;
    return {p.x() + 3 - dh, p.y() + 3 - dv, p.x() + 3 + dh, p.y() + 3 + dv};
}

int Count(TMarkSel &S, int Mark, TColor C)
{
    const Cell c = CellOf(S, Mark);
    return CountColor(S.Surface(), C, c.L, c.T, c.R, c.B);
}

QPoint Centre(TMarkSel &S, int Mark)
{
    return S.Grid().Coord(Mark);
}

} // namespace

TEST(MarkSel, SetterRulesAndVisibility)
{
    TMarkSel s;
    EXPECT_EQ(s.sizeHint(), QSize(236, 178));
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Marker symbol: none"));
    for (int bad : {0, 52, -1}) {
        s.SetNrOfColumns(bad);
        s.SetNrOfRows(bad);
    }
    EXPECT_EQ(s.NrOfColumns(), 8);
    EXPECT_EQ(s.NrOfRows(), 6);
    s.SetNrOfColumns(51);
    EXPECT_EQ(s.NrOfColumns(), 51);

    s.SetSelected(5);
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Marker symbol: 5, ") + MarkerName(5));
    s.SetSelected(52);
    s.SetSelected(-2);
    EXPECT_EQ(s.Selected(), 5);
    s.SetSelected(0);
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Marker symbol: 0, shown as a cross"));
    s.SetSelected(-1);
    EXPECT_EQ(s.Selected(), -1);

    // Symbol 0 always shows; indices outside 0..51 read it.
    s.SetVis(0, false);
    s.HideAllMarks();
    EXPECT_TRUE(s.GetVis(0));
    EXPECT_FALSE(s.GetVis(51));
    EXPECT_TRUE(s.GetVis(99));
    EXPECT_TRUE(s.GetVis(-7));
    s.SetVis(52, true);
    s.SetVis(51, true);
    EXPECT_TRUE(s.GetVis(51));
    s.ShowAllMarks();
    EXPECT_TRUE(s.GetVis(30));
}

TEST(MarkSel, ClickPicksTheNearestSymbolAndReportsIt)
{
    TMarkSel s;
    QStringList order;
    int gotX = -1, gotY = -1, gotMark = -1;
    s.SetOnClick([&](QObject *) { order << "click"; });
    s.SetOnMouseUp([&](QObject *, TMouseButton, TShiftState, int, int) { order << "up"; });
    s.SetOnMarkClick([&](QObject *Sender, int X, int Y, int Mark) {
        EXPECT_EQ(Sender, &s);
        order << "mark";
        gotX = X;
        gotY = Y;
        gotMark = Mark;
    });
    const QPoint p = Centre(s, 9) + QPoint(5, -4);
    Click(&s, p);
    EXPECT_EQ(order, QStringList({"click", "up", "mark"}));
    EXPECT_EQ(s.Selected(), 9);
    EXPECT_EQ(gotMark, 9);
    EXPECT_EQ(gotX, p.x());
    EXPECT_EQ(gotY, p.y());
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Marker symbol: 9, ") + MarkerName(9));

    // The last symbols of the default grid are inside the control and can be picked.
    Click(&s, QPoint(Centre(s, 51).x() + 10, s.Height() - 3)); // near the bottom edge
    EXPECT_EQ(s.Selected(), 51);
    Click(&s, QPoint(s.Width() - 3, s.Height() - 3)); // the short last row leaves 47 nearest there
    EXPECT_EQ(s.Selected(), 47);

    // A right click and a release dragged off the control pick nothing.
    order.clear();
    SendMouse(&s, QEvent::MouseButtonPress, Centre(s, 2), Qt::RightButton, Qt::RightButton);
    SendMouse(&s, QEvent::MouseButtonRelease, Centre(s, 2), Qt::RightButton, Qt::NoButton);
    SendMouse(&s, QEvent::MouseButtonPress, Centre(s, 2), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&s, QEvent::MouseButtonRelease, QPoint(400, 50), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(s.Selected(), 47);
    EXPECT_FALSE(order.contains("mark"));

    // Hidden symbols give their cells to the following ones.
    s.SetVis(1, false);
    s.SetVis(2, false);
    Click(&s, Centre(s, 3));
    EXPECT_EQ(s.Selected(), 3);
    EXPECT_EQ(s.MarkAt(14 + 29, 12), 3);

    // A double click reports a double click, and a click for each release of the pair.
    int clicks = 0, dbl = -1;
    s.SetOnMarkClick([&](QObject *, int, int, int) { ++clicks; });
    s.SetOnMarkDblClick([&](QObject *, int X, int Y, int Mark) {
        dbl = Mark;
        EXPECT_EQ(QPoint(X, Y), Centre(s, 20));
    });
    DoubleClick(&s, Centre(s, 20));
    EXPECT_EQ(dbl, 20);
    EXPECT_EQ(s.Selected(), 20);
    EXPECT_EQ(clicks, 2);
}

TEST(MarkSel, CellsShowSelectionFilledSymbolsAndTheCross)
{
    TMarkSel s;
    s.SetFrameStyle(fsNone);
    const TColor face = ColorToRGB(clBtnFace);
    // Open and filled symbols differ: only the filled one has the symbol colour in its middle.
    const QPoint open = Centre(s, 4) + QPoint(2, 2), filled = Centre(s, 5) + QPoint(2, 2);
    EXPECT_EQ(PixelAt(s.Surface(), open.x(), open.y()), face);
    EXPECT_EQ(PixelAt(s.Surface(), filled.x(), filled.y()), clBlack);
    EXPECT_EQ(Count(s, 4, clWhite), 0);

    s.SetSelected(5);
    const Cell c = CellOf(s, 5);
    EXPECT_EQ(PixelAt(s.Surface(), c.L, c.T), TColor(0x800000)); // selection outline
    EXPECT_EQ(PixelAt(s.Surface(), c.L + 2, c.T + 2), clWhite);  // selection background
    EXPECT_EQ(PixelAt(s.Surface(), filled.x(), filled.y()), TColor(0x800000));
    EXPECT_EQ(Count(s, 5, clBlack), 0);

    // Symbol 0: a cross over the first cell, or its own marker.
    const TMarkGrid &g = s.Grid();
    EXPECT_EQ(PixelAt(s.Surface(), 4, 4), clBlack);
    EXPECT_EQ(PixelAt(s.Surface(), g.DistHorz(), g.DistVert()), clBlack);
    EXPECT_EQ(PixelAt(s.Surface(), 4, g.DistVert()), clBlack);
    s.SetShowZeroAsCross(false);
    EXPECT_EQ(PixelAt(s.Surface(), 4, 4), face);
    EXPECT_EQ(PixelAt(s.Surface(), Centre(s, 0).x() + 2, Centre(s, 0).y() + 2), clBlack);

    // Disabled: grays only.
    s.SetEnabled(false);
    const QImage img = s.Surface();
    EXPECT_EQ(PixelAt(img, open.x(), open.y()), clSilver);
    EXPECT_EQ(PixelAt(img, c.L + 2, c.T + 2), RGB(0xDE, 0xDE, 0xDE));
    EXPECT_EQ(CountColor(img, clBlack, 0, 0, s.Width(), s.Height()), 0);
    EXPECT_EQ(CountColor(img, face, 0, 0, s.Width(), s.Height()), 0);

    // The frame line takes the symbol colour.
    s.SetEnabled(true);
    s.SetFrameStyle(fsSimple);
    s.SetColorMarks(clGreen);
    EXPECT_EQ(PixelAt(s.Surface(), s.Width() / 2, 0), clGreen);
    EXPECT_EQ(PixelAt(s.Surface(), s.Width() - 1, s.Height() / 2), clGreen);
}

TEST(MarkSel, HighlightFollowsTheMouseAndRestoresCells)
{
    TMarkSel s;
    const TColor red = 0x0000FF;
    s.SetSelected(10);
    s.Surface();
    const QImage before = s.Surface().copy();

    Move(&s, Centre(s, 9));
    EXPECT_TRUE(s.HiLiteShown());
    EXPECT_EQ(s.HiLited(), 9);
    EXPECT_GT(Count(s, 9, red), 0);
    EXPECT_GT(Count(s, 9, clWhite), 0); // the symbol in the highlight colour
    EXPECT_EQ(CountColor(s.Surface(), red, 0, 0, s.Width(), s.Height()), Count(s, 9, red));

    // On to the selected symbol and off again: both cells look as before.
    Move(&s, Centre(s, 10) + QPoint(3, 3));
    EXPECT_EQ(Count(s, 9, red), 0);
    EXPECT_GT(Count(s, 10, red), 0);
    Move(&s, Centre(s, 9));
    EXPECT_EQ(Count(s, 10, red), 0);

    // A repaint keeps the highlight; leaving the control takes it away.
    s.SetColorSelFG(clGreen);
    EXPECT_GT(Count(s, 9, red), 0);
    EXPECT_GT(Count(s, 10, clGreen), 0);
    s.SetColorSelFG(0x800000);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&s, &leave);
    EXPECT_FALSE(s.HiLiteShown());
    EXPECT_EQ(s.Surface(), before);

    // A click highlights what it picked.
    Click(&s, Centre(s, 30));
    EXPECT_TRUE(s.HiLiteShown());
    EXPECT_EQ(s.HiLited(), 30);
    EXPECT_GT(Count(s, 30, red), 0);
    EXPECT_GT(Count(s, 30, clWhite), 0);
}

TEST(MarkSel, KeyboardMovesTheHighlightAndSelects)
{
    TMarkSel s;
    int picked = -1;
    QPoint at;
    s.SetOnMarkClick([&](QObject *, int X, int Y, int Mark) {
        picked = Mark;
        at = QPoint(X, Y);
    });
    EXPECT_EQ(s.focusPolicy(), Qt::StrongFocus);
    s.SetSelected(12);
    QTest::keyClick(&s, Qt::Key_Right); // the first key shows where the keyboard is
    EXPECT_TRUE(s.HiLiteShown());
    EXPECT_EQ(s.HiLited(), 12);
    QTest::keyClick(&s, Qt::Key_Right);
    QTest::keyClick(&s, Qt::Key_Down);
    EXPECT_EQ(s.HiLited(), 21);
    EXPECT_GT(Count(s, 21, 0x0000FF), 0);
    EXPECT_EQ(s.Selected(), 12);
    QTest::keyClick(&s, Qt::Key_Return);
    EXPECT_EQ(s.Selected(), 21);
    EXPECT_EQ(picked, 21);
    EXPECT_EQ(at, Centre(s, 21));
    QTest::keyClick(&s, Qt::Key_End);
    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_EQ(s.Selected(), 51);
    QTest::keyClick(&s, Qt::Key_Home);
    QTest::keyClick(&s, Qt::Key_Up);
    QTest::keyClick(&s, Qt::Key_Left);
    EXPECT_EQ(s.HiLited(), 0);

    // A handler that takes the key leaves the selector alone.
    s.SetOnKeyDown([](QObject *, quint16 &Key, TShiftState) { Key = 0; });
    QTest::keyClick(&s, Qt::Key_Right);
    EXPECT_EQ(s.HiLited(), 0);
}

TEST(MarkSel, OddSizesAndGridsNeverBreak)
{
    TMarkSel s;
    int paints = 0;
    s.SetOnPaint([&](QObject *) { ++paints; });
    for (QSize size : {QSize(0, 0), QSize(1, 1), QSize(4, 4), QSize(7, 300), QSize(900, 3)}) {
        s.SetBounds(0, 0, size.width(), size.height());
        for (int cols : {1, 7, 51}) {
            s.SetNrOfColumns(cols);
            s.SetSelected(cols);
            EXPECT_FALSE(s.Surface().isNull());
            Move(&s, QPoint(size.width() / 2, size.height() / 2));
            Click(&s, QPoint(0, 0));
            EXPECT_TRUE(s.Grid().IsPlaced(s.Selected()));
        }
    }
    EXPECT_GT(paints, 0);
    // Back at a sensible size everything is placed inside again.
    s.SetBounds(0, 0, 236, 178);
    s.SetNrOfColumns(13);
    s.SetNrOfRows(4);
    for (int m = 0; m < NumMarkers; ++m)
        EXPECT_GT(Count(s, m, clBlack) + Count(s, m, TColor(0x800000)), 0) << "symbol " << m;
}
