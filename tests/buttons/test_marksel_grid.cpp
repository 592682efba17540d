// TMarkGrid: cell placement, extra rows, the nearest symbol to a point and keyboard steps.
#include <krogui/buttons/markgrid.h>

#include <gtest/gtest.h>

using namespace kro;

namespace {

TMarkVisibility Visible(std::initializer_list<int> Hidden = {})
{
    TMarkVisibility v;
    v.fill(true);
    for (int m : Hidden)
        v[m] = false;
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

TEST(MarkGrid, EveryVisibleSymbolGetsACellInside)
{
    TMarkGrid g;
    g.Compute(236, 178, 8, 6, Visible());
    // 52 symbols need 7 rows of 8: the cells get lower instead of four symbols falling outside.
    EXPECT_EQ(g.Rows(), 7);
    EXPECT_EQ(g.DistHorz(), 29);
    EXPECT_EQ(g.DistVert(), 24);
    EXPECT_EQ(g.Coord(0), QPoint(14, 12));
    EXPECT_EQ(g.Coord(9), QPoint(14 + 29, 12 + 24));
    EXPECT_EQ(g.Coord(51), QPoint(14 + 3 * 29, 12 + 6 * 24));
    EXPECT_LT(g.Coord(51).y() + 2 + g.MarginVert(), 178);
    // A grid with room keeps its rows.
    g.Compute(236, 178, 8, 10, Visible());
    EXPECT_EQ(g.Rows(), 10);
    g.Compute(236, 178, 8, 6, Only({0, 5}));
    EXPECT_EQ(g.DistVert(), 29);

    // Hidden symbols leave no gap; symbol 0 always takes part.
    g.Compute(236, 178, 8, 6, Visible({1, 2}));
    EXPECT_FALSE(g.IsPlaced(1));
    EXPECT_EQ(g.CellOf(3), 1);
    EXPECT_EQ(g.Coord(3), QPoint(14 + 29, 12));
    EXPECT_EQ(g.MarkAtCell(50), -1);
    g.Compute(100, 100, 4, 4, TMarkVisibility{});
    EXPECT_EQ(g.PlacedCount(), 1);
    EXPECT_TRUE(g.IsPlaced(0));
}

TEST(MarkGrid, NearestSymbolAtCentresBordersAndOutside)
{
    TMarkGrid g;
    g.Compute(244, 184, 8, 6, Only({0, 1, 2, 3, 8, 9, 10}));
    ASSERT_EQ(g.DistHorz(), 30);
    for (int m : {0, 1, 2, 3, 8, 9, 10})
        EXPECT_EQ(g.NearestMark(g.Coord(m).x(), g.Coord(m).y()), m);
    // Exactly between two grid points the lower number wins; one pixel off, the nearer one.
    EXPECT_EQ(g.NearestMark(30, 15), 0);
    EXPECT_EQ(g.NearestMark(31, 15), 1);
    EXPECT_EQ(g.NearestMark(120, 15), 3); // between 3 (x 105) and 8 (x 135)
    EXPECT_EQ(g.NearestMark(121, 15), 8);
    // Outside the cells: still the nearest grid point; beyond 1e5 pixels, symbol 0.
    EXPECT_EQ(g.NearestMark(136, 170), 8);
    EXPECT_EQ(g.NearestMark(-50, -50), 0);
    EXPECT_EQ(g.NearestMark(600, 10), 10);
    EXPECT_EQ(g.NearestMark(200000, 15), 0);

    // Degenerate sizes and counts still place and pick every symbol.
    for (QSize s : {QSize(0, 0), QSize(1, 1), QSize(3, 500)}) {
        g.Compute(s.width(), s.height(), 51, 51, Visible());
        EXPECT_GE(g.DistHorz(), 0);
        EXPECT_EQ(g.PlacedCount(), 52);
        EXPECT_TRUE(g.IsPlaced(g.NearestMark(s.width() / 2, s.height() / 2)));
    }
    g.Compute(0, 0, 0, -3, Visible());
    EXPECT_EQ(g.Columns(), 1);
    EXPECT_EQ(g.Rows(), 52);
}

TEST(MarkGrid, KeyboardStepsStayInsideThePlacedSymbols)
{
    TMarkGrid g;
    g.Compute(236, 178, 8, 6, Visible({9}));
    EXPECT_EQ(g.Step(0, TMarkGrid::stPrev), 0);
    EXPECT_EQ(g.Step(0, TMarkGrid::stUp), 0);
    EXPECT_EQ(g.Step(7, TMarkGrid::stNext), 8);  // on to the next row
    EXPECT_EQ(g.Step(8, TMarkGrid::stNext), 10); // hidden symbols are skipped
    EXPECT_EQ(g.Step(2, TMarkGrid::stDown), 11);
    EXPECT_EQ(g.Step(43, TMarkGrid::stDown), 51);
    EXPECT_EQ(g.Step(44, TMarkGrid::stDown), 44); // nothing below in the short last row
    EXPECT_EQ(g.Step(20, TMarkGrid::stFirst), 0);
    EXPECT_EQ(g.Step(20, TMarkGrid::stLast), 51);
    EXPECT_EQ(g.Step(9, TMarkGrid::stNext), 0); // from a symbol without a cell: the first one
}
