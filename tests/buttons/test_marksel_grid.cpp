// TMarkGrid: cell placement, extra rows, the nearest symbol to a point and keyboard steps.
#include <krogui/buttons/markgrid.h>

#include <gtest/gtest.h>

using namespace kro;

namespace {

TMarkVisibility AllVisible()
{
    TMarkVisibility v;
    v.fill(true);
    return v;
}

TMarkVisibility Only(std::initializer_list<int> Marks)
{
    TMarkVisibility v{};
    for (int m : Marks)
        v[m] = true;
    return v;
}

} // namespace

TEST(MarkGrid, DefaultGridGrowsARowSoEverySymbolHasACell)
{
    TMarkGrid g;
    g.Compute(236, 178, 8, 6, AllVisible());
    // 52 symbols need 7 rows of 8: the cells get lower instead of dropping four symbols.
    EXPECT_EQ(g.Rows(), 7);
    EXPECT_EQ(g.PlacedCount(), 52);
    EXPECT_EQ(g.DistHorz(), 29);
    EXPECT_EQ(g.DistVert(), 24);
    EXPECT_EQ(g.MarginHorz(), 14);
    EXPECT_EQ(g.MarginVert(), 12);
    EXPECT_EQ(g.Coord(0), QPoint(14, 12));
    EXPECT_EQ(g.Coord(9), QPoint(14 + 29, 12 + 24));
    EXPECT_EQ(g.Coord(51), QPoint(14 + 3 * 29, 12 + 6 * 24));
    for (int m = 0; m < NumMarkers; ++m) {
        const QPoint p = g.Coord(m);
        EXPECT_LT(p.y() + 2 + g.MarginVert(), 178) << "symbol " << m << " lies below the control";
    }

    // A grid that has room keeps the rows asked for.
    g.Compute(236, 178, 8, 10, AllVisible());
    EXPECT_EQ(g.Rows(), 10);
    EXPECT_EQ(g.DistVert(), 17);
    g.Compute(236, 178, 8, 6, Only({0, 5}));
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(g.DistVert(), 29);
}

TEST(MarkGrid, HiddenSymbolsLeaveNoGap)
{
    TMarkGrid g;
    TMarkVisibility v = AllVisible();
    v[1] = v[2] = false;
    g.Compute(236, 178, 8, 6, v);
    EXPECT_FALSE(g.IsPlaced(1));
    EXPECT_FALSE(g.IsPlaced(2));
    EXPECT_EQ(g.CellOf(3), 1);
    EXPECT_EQ(g.MarkAtCell(1), 3);
    EXPECT_EQ(g.Coord(3), QPoint(14 + 29, 12)); // 50 symbols still need 7 rows
    EXPECT_EQ(g.PlacedCount(), 50);
    EXPECT_EQ(g.MarkAtCell(50), -1);
    EXPECT_EQ(g.CellOf(-1), -1);
    EXPECT_EQ(g.CellOf(52), -1);

    // Symbol 0 takes part even when the flags say otherwise.
    g.Compute(100, 100, 4, 4, TMarkVisibility{});
    EXPECT_EQ(g.PlacedCount(), 1);
    EXPECT_TRUE(g.IsPlaced(0));
}

TEST(MarkGrid, NearestSymbolAtCentresBordersAndOutside)
{
    TMarkGrid g;
    g.Compute(244, 184, 8, 6, Only({0, 1, 2, 3, 8, 9, 10}));
    ASSERT_EQ(g.DistHorz(), 30);
    ASSERT_EQ(g.DistVert(), 30);
    // Cells in order: 0 1 2 3 8 9 10 in the first row (7 symbols, 8 columns).
    for (int m : {0, 1, 2, 3, 8, 9, 10})
        EXPECT_EQ(g.NearestMark(g.Coord(m).x(), g.Coord(m).y()), m);
    // Exactly between two grid points the lower number wins, one pixel off the nearer one does.
    EXPECT_EQ(g.NearestMark(30, 15), 0);
    EXPECT_EQ(g.NearestMark(31, 15), 1);
    EXPECT_EQ(g.NearestMark(120, 15), 3); // between 3 (x 105) and 8 (x 135)
    EXPECT_EQ(g.NearestMark(121, 15), 8);
    // Below the row and outside the control: still the nearest grid point.
    EXPECT_EQ(g.NearestMark(136, 170), 8);
    EXPECT_EQ(g.NearestMark(-50, -50), 0);
    EXPECT_EQ(g.NearestMark(600, 10), 10);
    // Further than 1e5 pixels no symbol counts as near: symbol 0.
    EXPECT_EQ(g.NearestMark(200000, 15), 0);

    // Four points around one spot at equal distance: the lowest number.
    g.Compute(64, 64, 2, 2, Only({0, 7, 20, 40}));
    const QPoint a = g.Coord(0), b = g.Coord(40);
    EXPECT_EQ(g.NearestMark((a.x() + b.x()) / 2, (a.y() + b.y()) / 2), 0);
    EXPECT_EQ(g.NearestMark(b.x(), b.y()), 40);
}

TEST(MarkGrid, DegenerateSizesDoNotBreakThePicking)
{
    TMarkGrid g;
    for (QSize s : {QSize(0, 0), QSize(1, 1), QSize(3, 500), QSize(5, 5)}) {
        g.Compute(s.width(), s.height(), 51, 51, AllVisible());
        EXPECT_GE(g.DistHorz(), 0);
        EXPECT_GE(g.DistVert(), 0);
        EXPECT_EQ(g.PlacedCount(), 52);
        const int m = g.NearestMark(s.width() / 2, s.height() / 2);
        EXPECT_TRUE(g.IsPlaced(m));
    }
    g.Compute(0, 0, 0, -3, AllVisible()); // counts below 1 count as 1
    EXPECT_EQ(g.Columns(), 1);
    EXPECT_EQ(g.Rows(), 52);
    EXPECT_EQ(g.NearestMark(0, 0), 0);
}

TEST(MarkGrid, KeyboardStepsStayInsideThePlacedSymbols)
{
    TMarkGrid g;
    g.Compute(236, 178, 8, 6, AllVisible());
    EXPECT_EQ(g.Step(0, TMarkGrid::stPrev), 0);
    EXPECT_EQ(g.Step(0, TMarkGrid::stUp), 0);
    EXPECT_EQ(g.Step(0, TMarkGrid::stNext), 1);
    EXPECT_EQ(g.Step(7, TMarkGrid::stNext), 8); // on to the next row
    EXPECT_EQ(g.Step(3, TMarkGrid::stDown), 11);
    EXPECT_EQ(g.Step(43, TMarkGrid::stDown), 51);
    EXPECT_EQ(g.Step(44, TMarkGrid::stDown), 44); // no cell below in the short last row
    EXPECT_EQ(g.Step(51, TMarkGrid::stNext), 51);
    EXPECT_EQ(g.Step(20, TMarkGrid::stFirst), 0);
    EXPECT_EQ(g.Step(20, TMarkGrid::stLast), 51);

    TMarkVisibility v = AllVisible();
    v[9] = false;
    g.Compute(236, 178, 8, 6, v);
    EXPECT_EQ(g.Step(8, TMarkGrid::stNext), 10); // hidden symbols are skipped
    EXPECT_EQ(g.Step(2, TMarkGrid::stDown), 11);
    EXPECT_EQ(g.Step(9, TMarkGrid::stNext), 0); // from a symbol without a cell: the first one
    EXPECT_EQ(g.Step(-4, TMarkGrid::stLast), 0);
}
