// What the grid paints: lines, fixed and selected cells, only the visible cells, and sizing.
#include "gridtest.h"
#include "testutil.h"

#include <krogui/graphics/colors.h>

#include <gtest/gtest.h>

#include <set>

using namespace kro;
using namespace kro::test;

TEST(GridPainting, LinesFixedCellsAndSelection)
{
    TDrawGrid g;
    g.SetCtl3D(false);
    g.SetColor(clWhite);
    g.SetFixedColor(clYellow);
    g.SetOptions(g.Options() | goDrawFocusSelected);
    ShowGrid(g);
    const QImage img = g.Surface();
    // Fixed lines black, the others silver, a line after every cell.
    EXPECT_EQ(PixelAt(img, 64, 5), clBlack);
    EXPECT_EQ(PixelAt(img, 5, 24), clBlack);
    EXPECT_EQ(PixelAt(img, 129, 40), clSilver);
    EXPECT_EQ(PixelAt(img, 100, 49), clSilver);
    EXPECT_EQ(PixelAt(img, 10, 10), clYellow);
    // Cells outside the selection have the grid colour, selected ones the highlight.
    EXPECT_EQ(PixelAt(img, 150, 60), clWhite);
    g.SetSelection(GridRect(1, 1, 2, 2));
    const QImage sel = g.Surface();
    EXPECT_EQ(PixelAt(sel, 150, 60), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(sel, 80, 30), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(sel, 200, 30), clWhite);
    // With the lines off their room keeps the colour of the cells around it.
    g.SetOptions(goFixedVertLine | goFixedHorzLine);
    const QImage noLines = g.Surface();
    EXPECT_EQ(PixelAt(noLines, 129, 90), clWhite);
    EXPECT_EQ(PixelAt(noLines, 64, 5), clBlack);
    // Ctl3D bevels the fixed cells: light at the top-left, shadow at the bottom-right.
    g.SetCtl3D(true);
    const QImage bevel = g.Surface();
    EXPECT_EQ(PixelAt(bevel, 10, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(bevel, 10, 23), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(bevel, 10, 10), clYellow);
}

TEST(GridPainting, OnlyVisibleCellsAreDrawnWhateverTheRowCount)
{
    TDrawGrid g;
    std::set<std::pair<int, int>> drawn;
    int calls = 0;
    g.SetOnDrawCell([&](QObject *Sender, int C, int R, TRect Rc, TGridDrawState St) {
        ++calls;
        drawn.insert({C, R});
        auto *grid = static_cast<TDrawGrid *>(Sender);
        EXPECT_EQ(Rc.Width(), grid->ColWidths(C));
        EXPECT_EQ(bool(St & gdFixed), C < grid->FixedCols() || R < grid->FixedRows());
        grid->Canvas()->Brush()->SetColor(clRed);
        grid->Canvas()->FillRect(Rc.Left, Rc.Top, Rc.Left + 2, Rc.Top + 2);
    });
    g.SetColCount(20);
    g.SetRowCount(1'000'000);
    ShowGrid(g); // 320 x 120: 5 columns (4 whole, one cut) by 5 rows
    calls = 0;
    drawn.clear();
    g.SetTopRow(500'000);
    (void)g.Surface();
    EXPECT_EQ(calls, 25);
    EXPECT_TRUE(drawn.count({0, 0}));
    EXPECT_TRUE(drawn.count({4, 500'003}));
    EXPECT_FALSE(drawn.count({1, 1}));
    // Invalidating one cell draws that cell again and no other.
    calls = 0;
    drawn.clear();
    g.InvalidateCell(2, 500'001);
    const QImage img = g.Surface();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(drawn.count({2, 500'001}));
    const TRect r = g.CellRect(2, 500'001);
    EXPECT_EQ(PixelAt(img, r.Left, r.Top), clRed);
    // A cell out of view is not drawn at all.
    calls = 0;
    g.InvalidateCell(2, 10);
    (void)g.Surface();
    EXPECT_EQ(calls, 0);
}

TEST(GridPainting, DraggingAFixedBorderSizesTheColumnOrRow)
{
    int widthChanges = 0;
    struct Probe : TDrawGrid
    {
        int *Count;
        void ColWidthsChanged() override
        {
            ++*Count;
            TDrawGrid::ColWidthsChanged();
        }
    };
    Probe p;
    p.Count = &widthChanges;
    p.SetOptions(p.Options() | goColSizing | goRowSizing);
    ShowGrid(p);
    // The border after column 1 lies at x = 129 (its line); drag it 30 pixels right.
    Drag(p, 129, 10, 159, 10);
    EXPECT_EQ(p.ColWidths(1), 94);
    EXPECT_EQ(widthChanges, 1);
    EXPECT_EQ(p.CellRect(2, 1).Left, 65 + 95);
    // Dragging left past the start of the column leaves it one pixel wide.
    Drag(p, 159, 10, 20, 10);
    EXPECT_EQ(p.ColWidths(1), 1);
    // The border of a fixed row in the fixed column sizes the row.
    Drag(p, 10, 24, 10, 40);
    EXPECT_EQ(p.RowHeights(0), 40);
    // Without the option the border does not move.
    p.SetOptions(p.Options() & ~TGridOptions(goColSizing));
    Drag(p, 66, 10, 90, 10);
    EXPECT_EQ(p.ColWidths(1), 1);
}

TEST(GridPainting, MovingAColumnByItsHeader)
{
    TDrawGrid g;
    g.SetOptions(g.Options() | goColMoving);
    std::vector<std::pair<int, int>> moves;
    g.SetOnColumnMoved([&](QObject *, int From, int To) { moves.push_back({From, To}); });
    ShowGrid(g, 400, 120);
    g.SetColWidths(1, 40);
    g.SetCol(1);
    const QPoint from = Centre(g.CellRect(1, 0)), to = Centre(g.CellRect(3, 0));
    Drag(g, from.x(), from.y(), to.x(), to.y());
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(1, 3));
    EXPECT_EQ(g.ColWidths(3), 40); // the width went with the column
    EXPECT_EQ(g.ColWidths(1), 64);
    EXPECT_EQ(g.Col(), 3); // and so did the current cell
}

TEST(GridPainting, RowsMovedOrDeletedKeepTheirHeightsAndTheCurrentRow)
{
    TDrawGrid g;
    g.SetRowCount(8);
    g.SetOptions(g.Options() | goRowMoving);
    std::vector<std::pair<int, int>> moves;
    g.SetOnRowMoved([&](QObject *, int From, int To) { moves.push_back({From, To}); });
    ShowGrid(g, 320, 300);
    g.SetRowHeights(2, 40);
    g.SetRowHeights(5, 10);
    g.SetRow(5);
    // Dragging the fixed cell of row 5 onto row 2.
    const QPoint from = Centre(g.CellRect(0, 5)), to = Centre(g.CellRect(0, 2));
    Drag(g, from.x(), from.y(), to.x(), to.y());
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(5, 2));
    EXPECT_EQ(g.RowHeights(2), 10);
    EXPECT_EQ(g.RowHeights(3), 40);
    EXPECT_EQ(g.Row(), 2);
    // Deleting a row above the current one moves the current row up with its content.
    g.SetRow(6);
    g.DeleteRow(3);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.RowHeights(3), 24);
    EXPECT_EQ(g.RowHeights(2), 10);
    // Deleting the last rows never removes the grid's last one.
    for (int i = 0; i < 10; ++i)
        g.DeleteRow(0);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.FixedRows(), 0);
}
