// Selecting cells with the mouse, the keyboard and the wheel, in each selection option.
#include "gridtest.h"

#include <gtest/gtest.h>

#include <QScrollBar>

using namespace kro;
using namespace kro::test;

namespace {
struct SelectionGrid : ::testing::Test
{
    TDrawGrid g;
    void SetUp() override
    {
        g.SetColCount(10);
        g.SetRowCount(50);
        ShowGrid(g, 400, 200);
    }
    QPoint At(int C, int R) { return Centre(g.CellRect(C, R)); }
};
} // namespace

TEST_F(SelectionGrid, MouseSelectsACellOrARange)
{
    int clicks = 0;
    g.SetOnClick([&](QObject *) { ++clicks; });
    Click(g, At(3, 2).x(), At(3, 2).y());
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Selection(), GridRect(3, 2, 3, 2));
    EXPECT_EQ(clicks, 1);
    // Shift+click extends from the current cell, which stays where it is.
    Click(g, At(1, 4).x(), At(1, 4).y(), Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), GridRect(1, 2, 3, 4));
    EXPECT_EQ(g.Col(), 3);
    // Dragging selects the block between press and release.
    Drag(g, At(2, 1).x(), At(2, 1).y(), At(4, 3).x(), At(4, 3).y());
    EXPECT_EQ(g.Selection(), GridRect(2, 1, 4, 3));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 1);
    // A click on a fixed cell selects nothing.
    Click(g, 10, 10);
    EXPECT_EQ(g.Selection(), GridRect(2, 1, 4, 3));

    // Without goRangeSelect dragging only moves the current cell.
    g.SetOptions(g.Options() & ~TGridOptions(goRangeSelect));
    Drag(g, At(2, 1).x(), At(2, 1).y(), At(4, 3).x(), At(4, 3).y());
    EXPECT_EQ(g.Selection(), GridRect(4, 3, 4, 3));
    Click(g, At(1, 1).x(), At(1, 1).y(), Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), GridRect(1, 1, 1, 1));

    // goRowSelect: whole rows, a range of rows with goRangeSelect.
    g.SetOptions(g.Options() | goRowSelect | goRangeSelect);
    Click(g, At(4, 2).x(), At(4, 2).y());
    EXPECT_EQ(g.Selection(), GridRect(1, 2, 9, 2));
    EXPECT_EQ(g.Col(), 1);
    Click(g, At(2, 5).x(), At(2, 5).y(), Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), GridRect(1, 2, 9, 5));
}

TEST_F(SelectionGrid, DraggingBelowTheCellsScrollsWithTheTimer)
{
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, At(2, 2));
    ASSERT_TRUE(g.ScrollTimer()->IsActive());
    QTest::mouseMove(g.viewport(), QPoint(At(2, 2).x(), 210)); // below the client area
    const int top = g.TopRow();
    g.ScrollTimer()->Tick();
    g.ScrollTimer()->Tick();
    EXPECT_EQ(g.TopRow(), top + 2);
    EXPECT_EQ(g.Selection().Bottom, g.TopRow() + g.VisibleRowCount() - 1);
    EXPECT_EQ(g.Selection().Top, 2);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(At(2, 2).x(), 210));
    EXPECT_FALSE(g.ScrollTimer()->IsActive());
}

TEST_F(SelectionGrid, KeysMoveTheCurrentCellAndShiftExtends)
{
    Key(g, Qt::Key_Right);
    Key(g, Qt::Key_Down);
    EXPECT_EQ(g.Selection(), GridRect(2, 2, 2, 2));
    Key(g, Qt::Key_Right, Qt::ShiftModifier);
    Key(g, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), GridRect(2, 2, 3, 3));
    EXPECT_EQ(g.Col(), 3);
    Key(g, Qt::Key_Up); // a plain move drops the range
    EXPECT_EQ(g.Selection(), GridRect(3, 2, 3, 2));
    Key(g, Qt::Key_Left);
    Key(g, Qt::Key_Left);
    Key(g, Qt::Key_Left); // stops at the first scrollable column
    EXPECT_EQ(g.Col(), 1);
    Key(g, Qt::Key_End);
    EXPECT_EQ(g.Col(), 9);
    EXPECT_GT(g.LeftCol(), 1);
    Key(g, Qt::Key_Home);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.LeftCol(), 1);
    const int page = g.VisibleRowCount();
    Key(g, Qt::Key_PageDown);
    EXPECT_EQ(g.Row(), 2 + page);
    EXPECT_EQ(g.TopRow(), 1 + page);
    Key(g, Qt::Key_PageUp);
    EXPECT_EQ(g.Row(), 2);
    Key(g, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{9, 49}));
    Key(g, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 1}));
    Key(g, Qt::Key_Down, Qt::ControlModifier); // scrolls without moving the cell
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(g.Row(), 1);

    // Tab only with goTabs; it walks along the row and wraps to the next.
    Key(g, Qt::Key_Tab);
    EXPECT_EQ(g.Col(), 1);
    g.SetOptions(g.Options() | goTabs);
    g.SetCol(9);
    Key(g, Qt::Key_Tab);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 2}));
    Key(g, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{9, 1}));
    EXPECT_EQ(g.Selection(), GridRect(9, 1, 9, 1));

    // goRowSelect: left and right scroll the columns, Home and End go to the first and last row.
    g.SetOptions(g.Options() | goRowSelect);
    EXPECT_EQ(g.Selection(), GridRect(1, 1, 9, 1));
    g.SetLeftCol(1);
    Key(g, Qt::Key_Right);
    EXPECT_EQ(g.LeftCol(), 2);
    EXPECT_EQ(g.Row(), 1);
    Key(g, Qt::Key_End);
    EXPECT_EQ(g.Selection(), GridRect(1, 49, 9, 49));
    Key(g, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), GridRect(1, 48, 9, 49));
}

TEST_F(SelectionGrid, SelectCellCanRefuseAndTheWheelMovesTheRow)
{
    g.SetOnSelectCell([](QObject *, int ACol, int, bool &CanSelect) { CanSelect = ACol != 4; });
    Click(g, At(4, 3).x(), At(4, 3).y());
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 1}));
    g.SetCol(3);
    Key(g, Qt::Key_Right);
    EXPECT_EQ(g.Col(), 3);
    g.SetOnSelectCell({});

    Wheel(g, At(2, 2), -240); // two notches down
    EXPECT_EQ(g.Row(), 3);
    Wheel(g, At(2, 2), 360);
    EXPECT_EQ(g.Row(), 1); // not into the fixed row
    // A handler that handles the wheel itself stops the grid's move.
    g.SetOnMouseWheelDown([](QObject *, TShiftState, QPoint, bool &Handled) { Handled = true; });
    Wheel(g, At(2, 2), -120);
    EXPECT_EQ(g.Row(), 1);
}

TEST_F(SelectionGrid, TopLeftChangedOnEveryScroll)
{
    int events = 0;
    g.SetOnTopLeftChanged([&](QObject *) { ++events; });
    g.SetTopRow(5);
    EXPECT_EQ(events, 1);
    g.SetTopRow(5); // no change, no event
    EXPECT_EQ(events, 1);
    g.SetLeftCol(3);
    EXPECT_EQ(events, 2);
    Key(g, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(events, 3);
    g.SetRow(40); // scrolls the current cell into view
    EXPECT_EQ(events, 4);
    g.verticalScrollBar()->setValue(20);
    EXPECT_EQ(g.TopRow(), 20);
    EXPECT_EQ(events, 5);
    g.SetRowCount(10); // the view is pulled back inside the grid
    EXPECT_EQ(events, 6);
    EXPECT_LE(g.TopRow(), 9);
    g.SetFixedRows(2);
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(events, 7);
}
