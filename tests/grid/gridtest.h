#pragma once
// Helpers of the grid tests: a shown grid without border and scroll bars (client = widget size),
// focus, and synthetic mouse and key input.

#include <krogui/grid/customgrid.h>
#include <krogui/grid/inplaceedit.h>
#include <krogui/core/keys.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace kro::test {

/// Shows Grid at the given client size with no border and no scroll bars, active and focused.
inline void ShowGrid(TCustomGrid &Grid, int W = 320, int H = 120)
{
    Grid.SetBorderStyle(bsNone);
    Grid.SetScrollBars(ssNone);
    Grid.resize(W, H);
    Grid.show();
    QApplication::setActiveWindow(&Grid);
    Grid.setFocus();
    QCoreApplication::processEvents();
}

inline void Click(TCustomGrid &Grid, int X, int Y, Qt::KeyboardModifiers Mods = Qt::NoModifier,
                  Qt::MouseButton Button = Qt::LeftButton)
{
    QTest::mouseClick(Grid.viewport(), Button, Mods, QPoint(X, Y));
}

/// Presses the left button at (X0, Y0), moves through (X1, Y1) and releases there.
inline void Drag(TCustomGrid &Grid, int X0, int Y0, int X1, int Y1)
{
    QTest::mousePress(Grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(X0, Y0));
    QTest::mouseMove(Grid.viewport(), QPoint((X0 + X1) / 2, (Y0 + Y1) / 2));
    QTest::mouseMove(Grid.viewport(), QPoint(X1, Y1));
    QTest::mouseRelease(Grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(X1, Y1));
}

/// A key to the grid, or to its editor while that is shown (where the keyboard focus would be).
inline void Key(TCustomGrid &Grid, Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier)
{
    QWidget *target = &Grid;
    if (Grid.InplaceEditor() && Grid.InplaceEditor()->isVisible()) target = Grid.InplaceEditor();
    QTest::keyClick(target, K, Mods);
}

inline void Type(TCustomGrid &Grid, const QString &Text)
{
    for (QChar c : Text) {
        QWidget *target = &Grid;
        if (Grid.InplaceEditor() && Grid.InplaceEditor()->isVisible()) target = Grid.InplaceEditor();
        QTest::keyClicks(target, QString(c));
    }
}

/// Turns the wheel by Delta (120 per notch; negative is towards the user) over Pos.
inline void Wheel(TCustomGrid &Grid, QPoint Pos, int Delta)
{
    QWheelEvent ev(QPointF(Pos), QPointF(Grid.viewport()->mapToGlobal(Pos)), QPoint(), QPoint(0, Delta),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Grid.viewport(), &ev);
}

inline QPoint Centre(const TRect &R)
{
    return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

} // namespace kro::test
