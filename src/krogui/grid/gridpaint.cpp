// The grid's painting: the kept surface, lines, cells and the drag feedback.
#include <krogui/graphics/colors.h>
#include <krogui/grid/customgrid.h>
#include <krogui/grid/customgrid_p.h>
#include <krogui/grid/inplaceedit.h>

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kro {

using gridimpl::ScopeExit;

namespace {

TRect Unite(const TRect &A, const TRect &B)
{
    if (A.IsEmpty()) return B;
    if (B.IsEmpty()) return A;
    return Rect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                std::max(A.Bottom, B.Bottom));
}

bool Intersects(const TRect &A, const TRect &B)
{
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

} // namespace

// ==== painting ======================================================================================

TCanvas *TCustomGrid::Canvas()
{
    if (!d->FComposing) viewport()->update(); // direct drawing shows with the next update of the screen
    return d->FSurface.Canvas();
}

void TCustomGrid::InvalidateGrid()
{
    d->FStale = true;
    viewport()->update();
}

void TCustomGrid::InvalidateRect(const TRect &R)
{
    const TRect clip = Rect(0, 0, viewport()->width(), viewport()->height());
    const TRect r = Rect(std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, clip.Right),
                         std::min(R.Bottom, clip.Bottom));
    if (r.IsEmpty()) return;
    d->FDirty = Unite(d->FDirty, r);
    viewport()->update(QRect(r.Left, r.Top, r.Width(), r.Height()));
}

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRect(BoxRect(ACol, ARow, ACol, ARow));
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateRect(BoxRect(ACol, 0, ACol, RowCount() - 1));
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateRect(BoxRect(0, ARow, ColCount() - 1, ARow));
}

void TCustomGrid::Repaint()
{
    Compose(Rect(0, 0, viewport()->width(), viewport()->height()));
    viewport()->update();
}

int TCustomGrid::SurfaceScale() const
{
    const double r = viewport()->devicePixelRatioF();
    return std::clamp(int(std::ceil(r - 1e-6)), 1, 4);
}

const QImage &TCustomGrid::DeviceSurface()
{
    const int w = std::max(1, viewport()->width()), h = std::max(1, viewport()->height());
    if (d->FStale || d->FSurface.Width() != w || d->FSurface.Height() != h ||
        d->FSurface.Scale() != SurfaceScale())
        Compose(Rect(0, 0, w, h));
    else if (!d->FDirty.IsEmpty())
        Compose(d->FDirty);
    return d->FSurface.Image();
}

const QImage &TCustomGrid::Surface()
{
    const QImage &device = DeviceSurface();
    if (d->FSurface.Scale() == 1) return device;
    if (d->FLogical.isNull() || d->FLogicalKey != device.cacheKey()) {
        d->FLogical = LogicalImage(device);
        d->FLogicalKey = device.cacheKey();
    }
    return d->FLogical;
}

void TCustomGrid::Compose(const TRect &Area)
{
    if (d->FComposing)
        return; // a drawing handler asked for a repaint while we paint: the result is current anyway
    d->FComposing = true;
    ScopeExit done{[this] { d->FComposing = false; }};
    const int w = std::max(1, viewport()->width()), h = std::max(1, viewport()->height());
    const TRect full = Rect(0, 0, w, h);
    TRect area = Area;
    if (d->FStale || d->FSurface.Width() != w || d->FSurface.Height() != h ||
        d->FSurface.Scale() != SurfaceScale()) {
        d->FSurface.SetScale(SurfaceScale());
        d->FSurface.SetSize(w, h);
        area = full;
    }
    d->FStale = false;
    d->FDirty = TRect{};
    d->FPaintRect = area;
    TCanvas *c = d->FSurface.Canvas();
    c->SetClipRect(area == full ? TRect{} : area);
    SafeInvoke([this] { Paint(); });
    c->SetClipRect(TRect{});
    // Text measured outside painting uses the control's font, whatever the cells left behind.
    c->Font()->Assign(*Font());
    c->Flush();
    d->FPaintRect = full;
}

void TCustomGrid::DrawLines(const TGridAxisInfo &H, const TGridAxisInfo &V, int ColFrom, int RowFrom,
                            int XStart, int YStart, int XEnd, int YEnd, bool DoHorz, bool DoVert,
                            TColor LineColor, TColor OffColor)
{
    // The region is filled first: where a line is switched off its room keeps the region's colour.
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(OffColor);
    c->FillRect(XStart, YStart, XEnd, YEnd);
    c->Brush()->SetColor(LineColor);
    if (DoVert && H.LineWidth > 0) {
        const int stop = ColFrom < H.FixedCount ? H.FixedCount : H.Count;
        qint64 x = XStart;
        for (int i = ColFrom; i < stop && x < XEnd; ++i) {
            x += d->FLayout.Cols.Size(i);
            c->FillRect(int(std::min<qint64>(x, XEnd)), YStart, int(std::min<qint64>(x + H.LineWidth, XEnd)),
                        YEnd);
            x += H.LineWidth;
        }
    }
    if (DoHorz && V.LineWidth > 0) {
        const int stop = RowFrom < V.FixedCount ? V.FixedCount : V.Count;
        qint64 y = YStart;
        for (int i = RowFrom; i < stop && y < YEnd; ++i) {
            y += d->FLayout.Rows.Size(i);
            c->FillRect(XStart, int(std::min<qint64>(y, YEnd)), XEnd,
                        int(std::min<qint64>(y + V.LineWidth, YEnd)));
            y += V.LineWidth;
        }
    }
}

void TCustomGrid::DrawCells(const TGridAxisInfo &H, const TGridAxisInfo &V, int ColFrom, int RowFrom,
                            int XStart, int YStart, int XEnd, int YEnd, bool Fixed, const TGridRect &Sel,
                            bool HasFocus)
{
    TCanvas *c = Canvas();
    const bool editorShown = d->FInplaceEdit && d->FInplaceCol >= 0 && d->FInplaceEdit->isVisible();
    const int rowStop = RowFrom < V.FixedCount ? V.FixedCount : V.Count;
    const int colStop = ColFrom < H.FixedCount ? H.FixedCount : H.Count;
    qint64 y = YStart;
    for (int r = RowFrom; r < rowStop && y < YEnd; ++r) {
        const int rh = d->FLayout.Rows.Size(r);
        if (y + rh + V.LineWidth <= d->FPaintRect.Top || y >= d->FPaintRect.Bottom) {
            y += rh + V.LineWidth;
            continue;
        }
        qint64 x = XStart;
        for (int col = ColFrom; col < colStop && x < XEnd; ++col) {
            const int cw = d->FLayout.Cols.Size(col);
            const TRect where = Rect(int(x), int(y), int(x + cw), int(y + rh));
            x += cw + H.LineWidth;
            if (cw <= 0 || rh <= 0 || where.Right <= d->FPaintRect.Left || where.Left >= d->FPaintRect.Right)
                continue;
            if (editorShown && col == d->FInplaceCol && r == d->FInplaceRow) continue; // the editor covers it
            TGridDrawState state = Fixed ? TGridDrawState(gdFixed) : 0;
            const bool current = col == d->FCurrent.X && r == d->FCurrent.Y;
            if (!Fixed && Sel.Contains(col, r)) state |= gdSelected;
            if (current && HasFocus) state |= gdFocused;
            if (d->FDefaultDrawing) {
                c->Font()->Assign(*Font());
                c->Brush()->SetStyle(bsSolid);
                if ((state & gdSelected) &&
                    (!(state & gdFocused) || (d->FLayout.Options & (goDrawFocusSelected | goRowSelect)))) {
                    c->Brush()->SetColor(clHighlight);
                    c->Font()->SetColor(clHighlightText);
                } else {
                    c->Brush()->SetColor(Fixed ? d->FFixedColor : Color());
                }
                c->FillRect(where);
            }
            DrawCell(col, r, where, state);
            if (d->FDefaultDrawing && Fixed && d->FCtl3D) DrawFixedBevel(where);
            if (d->FDefaultDrawing && (state & gdFocused) && !IsDesigning() &&
                (d->FLayout.Options & (goEditing | goAlwaysShowEditor)) != (goEditing | goAlwaysShowEditor) &&
                !(d->FLayout.Options & goRowSelect))
                DrawFocusRect(where);
        }
        y += rh + V.LineWidth;
    }
}

void TCustomGrid::DrawFixedBevel(const TRect &Where)
{
    // A raised inner edge on the sides that have fixed lines.
    const TGridOptions o = d->FLayout.Options;
    if (!(o & (goFixedVertLine | goFixedHorzLine))) return;
    TCanvas *c = Canvas();
    TPen *pen = c->Pen();
    pen->SetMode(pmCopy);
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    if (o & goFixedVertLine) {
        pen->SetColor(clBtnHighlight);
        c->MoveTo(Where.Left, Where.Top);
        c->LineTo(Where.Left, Where.Bottom);
        pen->SetColor(clBtnShadow);
        c->MoveTo(Where.Right - 1, Where.Top);
        c->LineTo(Where.Right - 1, Where.Bottom);
    }
    if (o & goFixedHorzLine) {
        pen->SetColor(clBtnHighlight);
        c->MoveTo(Where.Left, Where.Top);
        c->LineTo(Where.Right - ((o & goFixedVertLine) ? 1 : 0), Where.Top);
        pen->SetColor(clBtnShadow);
        c->MoveTo(Where.Left, Where.Bottom - 1);
        c->LineTo(Where.Right, Where.Bottom - 1);
    }
}

void TCustomGrid::DrawFocusRect(const TRect &R)
{
    if (R.Width() < 2 || R.Height() < 2) return;
    TCanvas *c = Canvas();
    TPen *pen = c->Pen();
    pen->SetMode(pmNot);
    pen->SetStyle(psDot);
    pen->SetWidth(1);
    c->MoveTo(R.Left, R.Top);
    c->LineTo(R.Right - 1, R.Top);
    c->LineTo(R.Right - 1, R.Bottom - 1);
    c->LineTo(R.Left, R.Bottom - 1);
    c->LineTo(R.Left, R.Top);
    pen->SetMode(pmCopy);
    pen->SetStyle(psSolid);
}

void TCustomGrid::Paint()
{
    TCanvas *c = Canvas();
    const TGridAxisInfo h = Layout().AxisInfo(true), v = Layout().AxisInfo(false);
    c->Font()->Assign(*Font());
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    // 1. The area beyond the last cell.
    c->FillRect(h.GridBoundary, 0, h.Extent, v.Extent);
    c->FillRect(0, v.GridBoundary, h.GridBoundary, v.Extent);

    // 2. Lines and cells of the four regions: fixed corner, fixed rows, fixed columns, the rest.
    const int fx = int(std::min<qint64>(h.FixedBoundary, h.GridBoundary));
    const int fy = int(std::min<qint64>(v.FixedBoundary, v.GridBoundary));
    const bool fixedHorz = d->FLayout.Options & goFixedHorzLine,
               fixedVert = d->FLayout.Options & goFixedVertLine;
    TColor lineColor = clSilver;
    if (ColorToRGB(Color()) == clSilver) lineColor = clGray;
    struct Region
    {
        int Col, Row, X0, Y0, X1, Y1;
        bool Fixed, Horz, Vert;
        TColor Line, Off;
    };
    const Region regions[] = {
        {0, 0, 0, 0, fx, fy, true, fixedHorz, fixedVert, clBlack, d->FFixedColor},
        {h.First, 0, fx, 0, h.GridBoundary, fy, true, fixedHorz, fixedVert, clBlack, d->FFixedColor},
        {0, v.First, 0, fy, fx, v.GridBoundary, true, fixedHorz, fixedVert, clBlack, d->FFixedColor},
        {h.First, v.First, fx, fy, h.GridBoundary, v.GridBoundary, false,
         bool(d->FLayout.Options & goHorzLine), bool(d->FLayout.Options & goVertLine), lineColor, Color()},
    };
    const TGridRect sel = Selection();
    const bool focused = hasFocus() || EditorHasFocus();
    for (const Region &g : regions) {
        if (g.X1 <= g.X0 || g.Y1 <= g.Y0) continue;
        if (!Intersects(Rect(g.X0, g.Y0, g.X1, g.Y1), d->FPaintRect)) continue;
        DrawLines(h, v, g.Col, g.Row, g.X0, g.Y0, g.X1, g.Y1, g.Horz, g.Vert, g.Line, g.Off);
        DrawCells(h, v, g.Col, g.Row, g.X0, g.Y0, g.X1, g.Y1, g.Fixed, sel, focused);
    }

    // 3. The focus rectangle of a selected row.
    if (d->FDefaultDrawing && focused && (d->FLayout.Options & goRowSelect) && !IsDesigning()) {
        const TRect r = BoxRect(d->FLayout.FixedCols, d->FCurrent.Y, ColCount() - 1, d->FCurrent.Y);
        if (!r.IsEmpty()) DrawFocusRect(Rect(r.Left, r.Top, r.Right - h.LineWidth, r.Bottom - v.LineWidth));
    }
}

void TCustomGrid::DrawCell(int, int, const TRect &, TGridDrawState) {}

void TCustomGrid::paintEvent(QPaintEvent *Event)
{
    const QImage &surface = DeviceSurface();
    QPainter p(viewport());
    const QRect r = Event->rect();
    const int s = d->FSurface.Scale();
    if (viewport()->devicePixelRatioF() != s) p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (s == 1)
        p.drawImage(r.topLeft(), surface, r);
    else
        p.drawImage(r, surface, QRect(r.topLeft() * s, r.size() * s));
    // Drag feedback drawn over the picture: the sizing line and the drop position of a move.
    if (d->FGridState == gsColSizing || d->FGridState == gsRowSizing) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        if (d->FGridState == gsColSizing)
            p.fillRect(QRect(d->FSizingPos, 0, 1, GridHeight()), Qt::white);
        else
            p.fillRect(QRect(0, d->FSizingPos, GridWidth(), 1), Qt::white);
    } else if ((d->FGridState == gsColMoving || d->FGridState == gsRowMoving) &&
               d->FMovePos != d->FMoveIndex) {
        const bool horz = d->FGridState == gsColMoving;
        const TRect cell =
            horz ? BoxRect(d->FMovePos, 0, d->FMovePos, 0) : BoxRect(0, d->FMovePos, 0, d->FMovePos);
        if (!cell.IsEmpty()) {
            const int at = horz ? (d->FMovePos > d->FMoveIndex ? cell.Right - 1 : cell.Left)
                                : (d->FMovePos > d->FMoveIndex ? cell.Bottom - 1 : cell.Top);
            p.setCompositionMode(QPainter::RasterOp_NotDestination);
            if (horz)
                p.fillRect(QRect(at - 1, 0, 3, GridHeight()), Qt::white);
            else
                p.fillRect(QRect(0, at - 1, GridWidth(), 3), Qt::white);
        }
    }
}

} // namespace kro
