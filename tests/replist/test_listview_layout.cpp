// The report list view's shape: defaults, header rows, coordinates, the empty list and the
// inter-row indicator.
#include "listview_util.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace kro;
using namespace kro::test;

TEST(ListViewLayout, NewViewAndHeaderHeights)
{
    TReportListView v;
    v.resize(400, 200);
    EXPECT_EQ(v.NrOfColumns(), 5);
    EXPECT_EQ(v.GetColName(1), QStringLiteral("C-1"));
    EXPECT_EQ(v.GetColName(5), QStringLiteral("C-5"));
    EXPECT_EQ(v.NrOfRows(), 4);
    EXPECT_EQ(v.RowCount(), 5);
    EXPECT_EQ(v.FixedRows(), 1);
    EXPECT_EQ(v.FixedCols(), 0);
    EXPECT_EQ(v.Options(),
              unsigned(goFixedVertLine | goFixedHorzLine | goColSizing | goRowSelect | goThumbTracking));
    EXPECT_EQ(v.CommonHeader(), QStringLiteral("KRO Report Listview"));
    EXPECT_EQ(v.LastSortColumn(), -1);
    EXPECT_EQ(v.TopRow(), 1);
    EXPECT_EQ(v.LeftCol(), 1);
    // The first row is shaded, the second not.
    const QImage &img = v.Surface();
    const TRect r1 = v.CellRect(0, 1), r2 = v.CellRect(0, 2);
    EXPECT_EQ(PixelAt(img, r1.Right - 3, r1.Top + 1), 0xF0EFE8u);
    EXPECT_EQ(PixelAt(img, r2.Right - 3, r2.Top + 1), 0xFFFFFFu);
    // The header heights take effect with the first change of rows or header settings.
    EXPECT_EQ(v.RowHeights(0), 24);
    v.SetNrRows(4);
    EXPECT_EQ(v.RowHeights(0), 20);
    v.SetCommonHeaderHeight(200);
    EXPECT_EQ(v.CommonHeaderHeight(), 127);
    v.SetCommonHeaderHeight(3);
    EXPECT_EQ(v.CommonHeaderHeight(), 8);
    v.SetColumnHeadersHeight(1000);
    EXPECT_EQ(v.ColumnHeadersHeight(), 127);
    EXPECT_EQ(v.RowHeights(0), 127);
}

TEST(ListViewLayout, CoordinatesWithZeroOneAndTwoHeaderRows)
{
    for (int h = 0; h <= 2; ++h) {
        SCOPED_TRACE(h);
        TTestView v(3, 40);
        v.SetCommonHeaderVisible(h == 2);
        v.SetColumnHeadersVisible(h >= 1);
        EXPECT_EQ(v.CountHeadRows(), h);
        EXPECT_EQ(v.FixedRows(), h);
        EXPECT_EQ(v.RowCount(), 40 + h);
        const TRect c = v.DataCell(2, 3);
        EXPECT_EQ(v.MouseCell(c.Left + 5, c.Top + 5), QPoint(2, 3));
        EXPECT_EQ(v.MouseCell(c.Right - 1, c.Bottom), QPoint(2, 3)); // the line after a cell is the cell's
        EXPECT_EQ(v.MouseCell(v.GridWidth() + 5, c.Top + 5), QPoint(0, 3));
        if (h >= 1) {
            EXPECT_EQ(v.MouseCell(5, v.HeaderCell(1).Top + 3), QPoint(1, -1));
        }
        if (h == 2) {
            EXPECT_EQ(v.MouseCell(5, 3), QPoint(1, -2));
        }
        // Data row R sits in grid row R + H - 1, TopRow follows.
        v.SetTopRow(5);
        EXPECT_EQ(v.TopRow(), 5);
        EXPECT_EQ(v.TCustomGrid::TopRow(), 5 + h - 1);
        EXPECT_EQ(v.MouseCell(5, v.DataCell(1, 5).Top + 2), QPoint(1, 5));
        v.SetTopRow(-10);
        EXPECT_EQ(v.TopRow(), 1);
        v.SetTopRow(1000);
        EXPECT_GT(v.TopRow(), 5); // clamped so that the last row still shows at the bottom
        ASSERT_FALSE(v.DataCell(1, 40).IsEmpty());
        EXPECT_EQ(v.MouseCell(5, v.DataCell(1, 40).Top + 2).y(), 40);
    }
}

TEST(ListViewLayout, ColumnsAndFixedFirstColumn)
{
    TTestView v(6, 5);
    v.SetColWidths(6, 90);
    v.SetNrCols(8); // the new last column takes the old last width
    EXPECT_EQ(v.GetColWidths(8), 90);
    EXPECT_EQ(v.GetColWidths(0), 0);
    v.SetColAlignment(8, taCenter);
    EXPECT_EQ(v.GetColAlignment(8), taCenter);
    EXPECT_EQ(v.GetColAlignment(9), taLeftJustify);
    v.SetLeftCol(0);
    EXPECT_EQ(v.LeftCol(), 1);
    v.SetFixedFirstColumn(true);
    EXPECT_EQ(v.FixedCols(), 1);
    v.SetLeftCol(1); // a fixed column cannot scroll
    EXPECT_EQ(v.LeftCol(), 2);
    v.SetLeftCol(100);
    EXPECT_LE(v.LeftCol(), 8);
    // Both headers visible and a single row: the column header row has its own height.
    v.SetNrRows(1);
    v.SetCommonHeaderVisible(true);
    v.SetColumnHeadersHeight(30);
    EXPECT_EQ(v.RowHeights(1), 30);
    v.SetCommonHeaderVisible(false); // row 1 is a data row again
    EXPECT_EQ(v.RowHeights(1), v.DefaultRowHeight());
}

TEST(ListViewLayout, EmptyListShowsItsMessage)
{
    TTestView v(3, 0);
    v.SetColorEmptyMsg(clRed);
    v.SetEmptyMessage(QStringLiteral("First line|Second"));
    EXPECT_EQ(v.RowCount(), 2); // one blank row under the header
    const QImage img = v.Picture();
    const int y0 = v.RowHeights(0) + 1;
    EXPECT_EQ(PixelAt(img, 3, y0 + 3), Rgb(clWindow)); // the blank row is not drawn as a row
    const int lh = QFontMetrics(v.Font()->ToQFont()).height();
    const int y1 = y0 - 2 * lh;
    const int top = y1 + (img.height() - y1 - lh) / 2 - 2;
    const Box b = BoundsNear(img, clRed);
    ASSERT_GE(b.L, 0);
    EXPECT_GE(b.T, top);
    EXPECT_LT(b.B, top + 2 * lh);
    EXPECT_GE(BoundsNear(img, clRed, 100, 0, top, img.width(), top + lh).L, 0);
    EXPECT_GE(BoundsNear(img, clRed, 100, 0, top + lh, img.width(), top + 2 * lh).L, 0);
    EXPECT_NEAR((b.L + b.R) / 2.0, img.width() / 2.0, 3.0);
}

TEST(ListViewLayout, InterRowIndicatorSitsOnTheUpperEdgeOfItsRow)
{
    for (int h = 0; h <= 2; ++h) {
        SCOPED_TRACE(h);
        TTestView v(3, 30);
        v.SetCommonHeaderVisible(h == 2);
        v.SetColumnHeadersVisible(h >= 1);
        v.SetInterRowIndicatorColor(clRed);
        v.SetInterRowIndicatorWidth(1);
        EXPECT_EQ(CountColor(v.Picture(), clRed, 0, 0, 420, 220), 0);
        v.SetInterRowIndicatorPos(3);
        Box b = BoundsOf(v.Picture(), clRed);
        EXPECT_EQ(b.T, v.DataCell(1, 3).Top - 1);
        EXPECT_EQ(b.B, b.T);
        EXPECT_EQ(b.L, 0);
        v.SetInterRowIndicatorPos(1); // above the first row, under the headers (or at the top)
        b = BoundsOf(v.Picture(), clRed);
        EXPECT_EQ(b.T, std::max(0, v.DataCell(1, 1).Top - 1));
        v.SetTopRow(5); // scrolled past: not drawn
        EXPECT_EQ(CountColor(v.Picture(), clRed, 0, 0, 420, 220), 0);
        v.SetInterRowIndicatorPos(32); // beyond the end of the list
        EXPECT_EQ(CountColor(v.Picture(), clRed, 0, 0, 420, 220), 0);
    }
}
