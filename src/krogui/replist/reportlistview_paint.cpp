// The report list view's painting.
#include <krogui/replist/reportlistview.h>
#include <krogui/replist/reportlistview_p.h>

#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/data/stringarray.h>
#include <krogui/graphics/colors.h>
#include <krogui/grid/inplaceedit.h>

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <new>

namespace kro {

// ==== painting ======================================================================================

void TReportListView::Paint()
{
    if (d->FSuppressPaint) return;
    TCustomDrawGrid::Paint();
    if (NrOfShownRows() == 0) DrawEmptyMessage();
    DrawInterRowIndicator();
}

void TReportListView::DrawEmptyMessage()
{
    TCanvas *c = Canvas();
    int y0 = 0;
    for (int r = 0; r < FixedRows(); ++r)
        y0 += RowHeights(r) + 1;
    const int w = ClientWidth(), h = ClientHeight();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(0, y0, w, h);
    if (d->FEmptyMsg.isEmpty()) return;
    c->Font()->Assign(*Font());
    c->Font()->SetColor(d->FColorEmptyMsg);
    const QStringList lines = d->FEmptyMsg.split(QLatin1Char('|'));
    const int lh = c->TextHeight(d->FEmptyMsg);
    const int y1 = y0 - int(lines.size()) * lh;
    for (int i = 0; i < int(lines.size()); ++i)
        c->TextOut((w - c->TextWidth(lines[i])) / 2, y1 + (h - y1 - lh) / 2 + i * lh - 2, lines[i]);
}

void TReportListView::DrawInterRowIndicator()
{
    const int p = d->FInterRowIndi;
    const int t = TopRow();
    if (p == 0 || p < t || p > NrOfShownRows() + 1) return;
    // The upper edge of data row P: one pixel above the row, on the grid line when there is one.
    const int lw = (Options() & (goFixedHorzLine | goHorzLine)) ? GridLineWidth() : 0;
    qint64 y = 0;
    for (int r = 0; r < FixedRows(); ++r)
        y += RowHeights(r) + lw;
    const int h = CountHeadRows();
    for (int g = t + h - 1; g < p + h - 1 && y <= ClientHeight(); ++g)
        y += RowHeights(g) + lw;
    if (y > ClientHeight()) return;
    TCanvas *c = Canvas();
    c->Pen()->SetColor(d->FInterRowColor);
    c->Pen()->SetWidth(d->FInterRowWidth);
    c->Pen()->SetStyle(psSolid);
    c->MoveTo(0, int(std::max<qint64>(0, y - 1)));
    c->LineTo(ClientWidth(), int(std::max<qint64>(0, y - 1)));
    c->Pen()->SetWidth(1);
}

bool TReportListView::IsColumnHeaderGridRow(int GridRow) const
{
    return d->FColHdVis && GridRow == (d->FComHdVis ? 1 : 0) && GridRow < FixedRows();
}

int TReportListView::HeaderRightEdge() const
{
    // The right edge of the last visible column (columns of width 0 are passed over).
    int xr = 0;
    for (int c = 0; c < FixedCols(); ++c) {
        const TRect r = CellRect(c, 0);
        if (!r.IsEmpty()) xr = r.Right;
    }
    for (int c = TCustomGrid::LeftCol(); c < ColCount(); ++c) {
        const TRect r = CellRect(c, 0);
        if (r.IsEmpty()) {
            if (ColWidths(c) == 0) continue;
            break;
        }
        xr = r.Right;
    }
    return xr;
}

QString TReportListView::CutText(const QString &Text, int TextWidth, int Room, bool RightAligned)
{
    return RLCutCellText(Text, TextWidth, Room, RightAligned);
}

QString TReportListView::CutHeaderLine(const QString &Line, int LineWidth, int Room)
{
    return RLCutHeaderLine(Line, LineWidth, Room);
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State)
{
    Canvas()->Font()->Assign(*Font());
    if (ARow >= FixedRows()) {
        DrawDataCell(ACol, ARow, Rect);
    } else if (State & gdFixed) {
        const int xr = HeaderRightEdge();
        const bool italic = Font()->Style() & fsItalic;
        if (d->FComHdVis && ARow == 0) {
            RLPaintCommonHeader(Canvas(), Rect, xr, CommonHeader(), d->FHeaderAlignment, d->FComHdColor,
                                d->FComHdTxtColor);
        } else if (IsColumnHeaderGridRow(ARow)) {
            TRLHeaderCell head;
            head.Name = GetColName(ACol + 1);
            head.Align = GetColAlignment(ACol + 1);
            head.ColWidth = ColWidths(ACol);
            head.Sorted = ShownSortColumn() == ACol + 1;
            head.Ascending = ShownSortOrder();
            head.Color = d->FColHdColor;
            head.TextColor = d->FColHdTxtColor;
            RLPaintColumnHeader(Canvas(), Rect, xr, head, italic);
        }
    }
    TCustomDrawGrid::DrawCell(ACol, ARow, Rect, State);
}

void TReportListView::DrawDataCell(int ACol, int ARow, const TRect &Rect)
{
    TRLDataCell cell;
    cell.Row = ARow - FixedRows() + 1;
    cell.Col = ACol + 1;
    cell.Shown = cell.Row <= NrOfShownRows();
    cell.FixedCol = ACol < FixedCols();
    cell.Mode = GetColCheckMode(cell.Col);
    cell.Pwd = GetColumnIsPwd(cell.Col);
    cell.Attrib = cell.Shown ? RowAttrib(cell.Row) : 0;
    cell.ColSelected = GetColSelect(cell.Col);
    cell.Align = GetColAlignment(cell.Col);
    if (cell.Shown) cell.Text = d->FRLData->Strings()->GetString(cell.Col, cell.Row);

    TRLCellLook look = RLCellLook(d->FCellLook, cell, Font()->Style());
    if (d->FOnBefRenderCell)
        d->FOnBefRenderCell(this, cell.Col, cell.Row, look.Pen, look.Brush, look.Font, look.Style, look.Text);
    Q_EMIT onBeforeRenderCell(this, cell.Col, cell.Row, look.Pen, look.Brush, look.Font, look.Style,
                              look.Text);

    // Without grid lines the background also covers the room a line would take.
    TRect work = Rect;
    if (!cell.FixedCol) {
        if (!(Options() & goVertLine)) work.Right += 1;
        if (!(Options() & goHorzLine)) work.Bottom += 1;
    }
    RLPaintDataCell(Canvas(), Rect, work, d->FCellLook, cell, look, ColWidths(ACol),
                    Font()->Style() & fsItalic);
}

} // namespace kro
