#pragma once
// Helpers of the report list view tests: a view with its protected input reachable, real mouse
// events on its viewport, cell geometry in data coordinates.

#include <krogui/graphics/colors.h>
#include <krogui/data/stringarray.h>
#include <krogui/replist/reportlistview.h>

#include "testutil.h"

#include <QPoint>

#include <QTest>
#include <cstdlib>

namespace kro::test {

class TTestView : public TReportListView
{
public:
    using TReportListView::DoMouseWheelDown;
    using TReportListView::DoMouseWheelUp;
    using TReportListView::KeyDown;
    using TReportListView::KeyPress;
    using TReportListView::MouseDown;
    using TReportListView::MouseUp;

    /// A shown 420 x 220 view without border; Rows x Cols cells "r<row>c<col>".
    explicit TTestView(int Cols = 4, int Rows = 6, bool Fill = true)
    {
        SetBorderStyle(bsNone);
        resize(420, 220);
        SetNrCols(Cols);
        SetNrRows(Rows);
        if (Fill)
            for (int r = 1; r <= Rows; ++r)
                for (int c = 1; c <= Cols; ++c)
                    SetElem(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        show();
    }

    /// Rectangle of data cell (Col, Row) on the client area.
    TRect DataCell(int Col, int Row) const { return CellRect(Col - 1, Row + CountHeadRows() - 1); }
    /// Rectangle of the column header of data column Col.
    TRect HeaderCell(int Col) const { return CellRect(Col - 1, CommonHeaderVisible() ? 1 : 0); }

    /// A real click (press and release) at client point (X, Y).
    void ClickAt(int X, int Y, Qt::KeyboardModifiers Mods = Qt::NoModifier,
                 Qt::MouseButton B = Qt::LeftButton)
    {
        QTest::mouseClick(viewport(), B, Mods, QPoint(X, Y));
    }
    /// Clicks Dx pixels right of the left edge of a data cell, in its vertical middle.
    void ClickCell(int Col, int Row, int Dx = 30, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        const TRect r = DataCell(Col, Row);
        ClickAt(r.Left + Dx, (r.Top + r.Bottom) / 2, Mods);
    }
    QImage Picture() { return Surface().copy(); }
    /// The colour at the first pixel of a data cell that lies well away from its text.
    TColor CellBackground(int Col, int Row)
    {
        const TRect r = DataCell(Col, Row);
        return PixelAt(Surface(), r.Right - 2, r.Top + 1);
    }
    /// Data rows in presented order, read from column Col.
    QStringList ColumnTexts(int Col) const
    {
        QStringList out;
        for (int r = 1; r <= NrOfRows(); ++r)
            out << GetElem(Col, r);
        return out;
    }
    QList<int> SelectedRows() const
    {
        QList<int> out;
        for (int r = 1; r <= NrOfRows(); ++r)
            if (GetRowSelect(r)) out << r;
        return out;
    }
};

/// Pixels within Tol (per channel) of colour C: antialiased text rarely hits its colour exactly.
inline bool Near(TColor A, TColor B, int Tol)
{
    return std::abs(GetRValue(A) - GetRValue(B)) <= Tol && std::abs(GetGValue(A) - GetGValue(B)) <= Tol &&
           std::abs(GetBValue(A) - GetBValue(B)) <= Tol;
}
inline Box BoundsNear(const QImage &Img, TColor C, int Tol = 100, int L = 0, int T = 0, int R = 1 << 20,
                      int B = 1 << 20)
{
    Box b;
    for (int y = std::max(T, 0); y < std::min(B, Img.height()); ++y)
        for (int x = std::max(L, 0); x < std::min(R, Img.width()); ++x)
            if (Near(PixelAt(Img, x, y), C, Tol)) {
                b.L = b.L < 0 ? x : std::min(b.L, x);
                b.T = b.T < 0 ? y : b.T;
                b.R = std::max(b.R, x);
                b.B = y;
            }
    return b;
}

/// A colour as it lands on the surface (system colours resolved).
inline TColor Rgb(TColor C)
{
    return ColorToRGB(C);
}

} // namespace kro::test
