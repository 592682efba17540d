// The grid layout on its own: axis geometry, hit testing, scroll limits and sizing borders.
#include <krogui/grid/gridlayout.h>

#include <gtest/gtest.h>

using namespace kro;

namespace {

// 5 x 5 cells of 64 x 24, one fixed row and column, 1-pixel lines, 320 x 120 client.
TGridLayout Layout()
{
    TGridLayout l;
    l.ClientWidth = 320;
    l.ClientHeight = 120;
    return l;
}

} // namespace

TEST(GridLayout, AxisBoundariesFollowScrollingAndSizes)
{
    TGridLayout l = Layout();
    TGridAxisInfo h = l.AxisInfo(true);
    EXPECT_EQ(h.LineWidth, 1);
    EXPECT_EQ(h.FixedBoundary, 65);
    EXPECT_EQ(h.LastFullVisible, 3); // column 4 ends at 324 > 320
    EXPECT_EQ(h.FullVisBoundary, 260);
    EXPECT_EQ(h.GridBoundary, 320); // the last cell is cut
    // Scrolled to the end the last column shows whole and the grid ends before the client edge.
    l.TopLeft.X = 2;
    h = l.AxisInfo(true);
    EXPECT_EQ(h.LastFullVisible, 4);
    EXPECT_EQ(h.GridBoundary, 65 + 3 * 65);
    // Line options switch the room of the lines off per axis; fixed lines alone keep it.
    l.Options = goFixedHorzLine;
    EXPECT_EQ(l.EffectiveLineWidth(true), 0);
    EXPECT_EQ(l.EffectiveLineWidth(false), 1);
    // A client smaller than the fixed cells: no scrollable cell shows fully, still at least one counts.
    l = Layout();
    l.ClientWidth = 30;
    EXPECT_EQ(l.VisibleCount(true), 1);
    EXPECT_EQ(l.AxisInfo(true).FullVisBoundary, 30);
}

TEST(GridLayout, HitTestingAndRectangles)
{
    TGridLayout l = Layout();
    l.Cols.SetSize(2, 10);
    l.Cols.SetSize(3, 0); // a hidden column takes only its line
    EXPECT_EQ(l.CellRect(2, 1), Rect(130, 25, 140, 49));
    EXPECT_EQ(l.CellRect(3, 1), Rect(141, 25, 141, 49));
    EXPECT_EQ(l.MouseCoord(140, 30), (TGridCoord{2, 1})); // the line belongs to the cell before
    EXPECT_EQ(l.MouseCoord(141, 30), (TGridCoord{3, 1})); // a hidden column keeps its line
    EXPECT_EQ(l.MouseCoord(142, 30), (TGridCoord{4, 1}));
    // Scrolled: the columns before LeftCol show nowhere and the fixed column stays.
    l.TopLeft = {3, 2};
    EXPECT_EQ(l.CellRect(1, 2), TRect{});
    EXPECT_EQ(l.CellRect(0, 2), Rect(0, 25, 64, 49));
    EXPECT_EQ(l.MouseCoord(66, 26), (TGridCoord{4, 2}));
    EXPECT_EQ(l.MouseCoord(320, 0).X, -1);
    // A block across fixed and scrolled-out cells covers the fixed ones up to the scrolled part.
    EXPECT_EQ(l.BoxRect(0, 0, 2, 0), Rect(0, 0, 65, 25));
    EXPECT_EQ(l.BoxRect(4, 4, 1, 2), Rect(65, 25, 131, 100)); // reversed bounds are put in order
    EXPECT_EQ(l.BoxRect(7, 7, 9, 9), TRect{});
}

TEST(GridLayout, ScrollLimits)
{
    TGridLayout l = Layout();
    EXPECT_EQ(l.MaxTopLeft(true), 2);
    EXPECT_EQ(l.MaxTopLeft(false), 2);
    EXPECT_EQ(l.ClampedTopLeft({-5, 99}), (TGridCoord{1, 2}));
    // Ten million rows cost nothing more and end exactly at the last row.
    l.Rows.SetCount(10000000);
    l.Rows.SetSize(9999999, 50);
    EXPECT_EQ(l.MaxTopLeft(false), 9999998); // 95 pixels of room: the last two rows (25 + 51)
    EXPECT_EQ(l.TopLeftShowing(1, 9999999), (TGridCoord{1, 9999998}));
    EXPECT_EQ(l.TopLeftShowing(1, 0), (TGridCoord{1, 1})); // fixed rows leave the view alone
    // A cell larger than the view is shown from its start.
    l.Cols.SetSize(3, 1000);
    EXPECT_EQ(l.TopLeftShowing(3, 1).X, 3);
    l.TopLeft = {4, 5};
    EXPECT_EQ(l.TopLeftShowing(2, 3), (TGridCoord{2, 3}));
    // Fewer cells than room: the only top-left is the first scrollable cell.
    TGridLayout s = Layout();
    s.Cols.SetCount(2);
    EXPECT_EQ(s.MaxTopLeft(true), 1);
    EXPECT_EQ(s.ClampedTopLeft({7, 1}).X, 1);
}

TEST(GridLayout, SizingBordersOnlyOverFixedCells)
{
    TGridLayout l = Layout();
    EXPECT_EQ(l.SizingHit(64, 10).State, gsNormal); // no sizing option
    l.Options |= goColSizing | goRowSizing;
    // The border after column 1 (ends at 129) within two pixels, over the fixed row only.
    TGridSizingHit hit = l.SizingHit(128, 10);
    EXPECT_EQ(hit.State, gsColSizing);
    EXPECT_EQ(hit.Index, 1);
    EXPECT_EQ(hit.Pos, 128);
    EXPECT_EQ(hit.Ofs, 1);
    EXPECT_EQ(l.SizingHit(131, 10).Index, 1);
    EXPECT_EQ(l.SizingHit(133, 10).State, gsNormal);
    EXPECT_EQ(l.SizingHit(128, 30).State, gsNormal); // not over the fixed row
    // Row borders over the fixed column; the nearest border wins between two.
    hit = l.SizingHit(10, 49);
    EXPECT_EQ(hit.State, gsRowSizing);
    EXPECT_EQ(hit.Index, 1);
    l.Rows.SetSize(2, 2); // borders after rows 1 (49) and 2 (52) overlap
    EXPECT_EQ(l.SizingHit(10, 51).Index, 2);
    EXPECT_EQ(l.SizingHit(10, 48).Index, 1);
}
