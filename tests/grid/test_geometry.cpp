// Cell rectangles, hit testing, scrolling limits and bad input of the grid.
#include "gridtest.h"

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {
constexpr TGridOptions kNoLines = goRangeSelect;
}

TEST(GridGeometry, CellRectAndMouseCoordWithAndWithoutLines)
{
    TDrawGrid g;
    ShowGrid(g); // 5 x 5 cells of 64 x 24, one fixed row and column, 1-pixel lines
    ASSERT_EQ(g.ClientWidth(), 320);
    ASSERT_EQ(g.ClientHeight(), 120);
    EXPECT_EQ(g.CellRect(0, 0), Rect(0, 0, 64, 24));
    EXPECT_EQ(g.CellRect(1, 1), Rect(65, 25, 129, 49));
    EXPECT_EQ(g.CellRect(4, 4), Rect(260, 100, 320, 120)); // cut at the client edge
    EXPECT_EQ(g.CellRect(5, 1), TRect{});
    EXPECT_EQ(g.CellRect(-1, 1), TRect{});
    // The line after a cell belongs to the cell.
    EXPECT_EQ(g.MouseCoord(64, 24), (TGridCoord{0, 0}));
    EXPECT_EQ(g.MouseCoord(65, 25), (TGridCoord{1, 1}));
    EXPECT_EQ(g.MouseCoord(319, 119), (TGridCoord{4, 4}));
    EXPECT_EQ(g.MouseCoord(-1, 320), (TGridCoord{-1, -1}));
    EXPECT_EQ(g.GridWidth(), 320);
    EXPECT_EQ(g.GridHeight(), 120);
    EXPECT_EQ(g.VisibleColCount(), 3); // columns 1..3 end at 259; column 4 is cut
    EXPECT_EQ(g.VisibleRowCount(), 3);

    // Without any line option no room is left between cells.
    g.SetOptions(kNoLines);
    EXPECT_EQ(g.CellRect(1, 1), Rect(64, 24, 128, 48));
    EXPECT_EQ(g.MouseCoord(64, 47), (TGridCoord{1, 1}));
    EXPECT_EQ(g.MouseCoord(63, 23), (TGridCoord{0, 0}));
    // Fixed lines alone still take their room, also between scrollable cells.
    g.SetOptions(goFixedVertLine);
    EXPECT_EQ(g.CellRect(2, 1), Rect(130, 24, 194, 48));
    g.SetGridLineWidth(3);
    EXPECT_EQ(g.CellRect(2, 1), Rect(134, 24, 198, 48));

    // A grid smaller than the client area: the area beyond is no cell.
    g.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    g.SetGridLineWidth(1);
    g.SetColCount(3);
    g.SetRowCount(2);
    EXPECT_EQ(g.GridWidth(), 195);
    EXPECT_EQ(g.GridHeight(), 50);
    EXPECT_EQ(g.MouseCoord(196, 10).X, -1);
    EXPECT_EQ(g.MouseCoord(10, 51).Y, -1);
}

TEST(GridGeometry, ScrollingKeepsFixedCellsAndMovesByWholeCells)
{
    TDrawGrid g;
    g.SetRowCount(100);
    g.SetColCount(30);
    g.SetFixedCols(2);
    ShowGrid(g);
    g.SetTopRow(10);
    g.SetLeftCol(5);
    EXPECT_EQ(g.CellRect(0, 10), Rect(0, 25, 64, 49));  // fixed column, first shown row
    EXPECT_EQ(g.CellRect(5, 0), Rect(130, 0, 194, 24)); // first shown column after two fixed
    EXPECT_EQ(g.CellRect(5, 11), Rect(130, 50, 194, 74));
    EXPECT_EQ(g.CellRect(3, 11), TRect{}); // scrolled out to the left
    EXPECT_EQ(g.CellRect(5, 9), TRect{});  // scrolled out above
    EXPECT_EQ(g.MouseCoord(10, 30), (TGridCoord{0, 10}));
    EXPECT_EQ(g.MouseCoord(140, 60), (TGridCoord{5, 11}));
    EXPECT_EQ(g.MouseCoord(70, 5), (TGridCoord{1, 0}));

    // Own sizes shift what follows; the positions stay exact after scrolling.
    g.SetRowHeights(11, 40);
    g.SetColWidths(5, 10);
    EXPECT_EQ(g.CellRect(6, 12), Rect(141, 91, 205, 115));
    EXPECT_EQ(g.MouseCoord(141, 91), (TGridCoord{6, 12}));
    EXPECT_EQ(g.MouseCoord(140, 90), (TGridCoord{5, 11}));
}

TEST(GridGeometry, TopRowAndLeftColAreClamped)
{
    TDrawGrid g;
    g.SetRowCount(100);
    g.SetColCount(20);
    ShowGrid(g);
    // Client 120 high: the fixed row takes 25, three rows of 25 fit completely below it.
    g.SetTopRow(1000);
    EXPECT_EQ(g.TopRow(), 97);
    EXPECT_EQ(g.CellRect(0, 99).Bottom, 99);
    g.SetTopRow(-5);
    EXPECT_EQ(g.TopRow(), 1);
    g.SetTopRow(0); // a fixed row is no place to scroll to
    EXPECT_EQ(g.TopRow(), 1);
    // 320 wide: the fixed column takes 65, three columns fit completely.
    g.SetLeftCol(50);
    EXPECT_EQ(g.LeftCol(), 17);
    // A taller client area lets fewer rows be the top: the view is pulled back to stay full.
    g.SetTopRow(97);
    g.resize(320, 220);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.TopRow(), 93);
    // A row taller than the view: it can still be the top row.
    g.SetRowHeights(99, 500);
    g.SetTopRow(1000);
    EXPECT_EQ(g.TopRow(), 99);
    EXPECT_EQ(g.VisibleRowCount(), 1);
}

TEST(GridGeometry, BadCountsSizesAndIndicesAreClampedOrIgnored)
{
    TDrawGrid g;
    ShowGrid(g);
    g.SetColCount(-4);
    g.SetRowCount(0);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_EQ(g.FixedRows(), 0);
    g.SetRowCount(5);
    g.SetFixedRows(9);
    EXPECT_EQ(g.FixedRows(), 4);
    g.SetFixedRows(-2);
    EXPECT_EQ(g.FixedRows(), 0);
    g.SetDefaultColWidth(-10);
    g.SetDefaultRowHeight(-1);
    EXPECT_EQ(g.DefaultColWidth(), 0);
    EXPECT_EQ(g.DefaultRowHeight(), 0);
    g.SetGridLineWidth(-3);
    EXPECT_EQ(g.GridLineWidth(), 0);
    g.SetColWidths(7, 50);
    g.SetColWidths(-1, 50);
    g.SetRowHeights(0, -20);
    EXPECT_EQ(g.RowHeights(0), 0);
    EXPECT_EQ(g.ColWidths(7), 0);
    g.SetCol(40);
    g.SetRow(-3);
    g.MoveColRow(100, 100, true, true);
    EXPECT_EQ(g.Col(), 0);
    EXPECT_EQ(g.Row(), 0);
    // A selection beyond the last cell is kept one past the end: no cell is selected.
    g.SetSelection(GridRect(50, 50, 60, 60));
    EXPECT_EQ(g.Selection(), GridRect(1, 5, 1, 5));
    // Every cell of zero size and no lines: nothing to show, nothing hangs.
    EXPECT_EQ(g.MouseCoord(10, 10), (TGridCoord{-1, -1}));
    EXPECT_EQ(g.VisibleRowCount(), 5);
    (void)g.Surface();
}

TEST(GridGeometry, TenMillionRowsAreUsable)
{
    TDrawGrid g;
    g.SetRowCount(10'000'000);
    ShowGrid(g);
    g.SetTopRow(10'000'005);
    EXPECT_EQ(g.TopRow(), 9'999'997);
    EXPECT_EQ(g.CellRect(1, 9'999'999), Rect(65, 75, 129, 99));
    EXPECT_EQ(g.MouseCoord(70, 80), (TGridCoord{1, 9'999'999}));
    Key(g, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 1);
    Key(g, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 9'999'999);
    EXPECT_EQ(g.TopRow(), 9'999'997);
    g.SetRowHeights(5'000'000, 60);
    g.SetTopRow(5'000'000);
    EXPECT_EQ(g.CellRect(0, 5'000'001).Top, 25 + 61);
    EXPECT_EQ(g.verticalScrollBar()->maximum(), 9'999'997);
}
