#include <krogui/grid/gridlayout.h>

#include <algorithm>
#include <cstdlib>

namespace kro {

namespace {

int Clamp(int V, int Lo, int Hi)
{
    return V < Lo ? Lo : (V > Hi ? Hi : V);
}

} // namespace

int TGridLayout::EffectiveLineWidth(bool Horz) const
{
    const TGridOptions opts = Horz ? (goFixedVertLine | goVertLine) : (goFixedHorzLine | goHorzLine);
    return (Options & opts) ? GridLineWidth : 0;
}

TGridAxisInfo TGridLayout::AxisInfo(bool Horz) const
{
    const TGridExtents &ax = Axis(Horz);
    TGridAxisInfo a;
    a.Horz = Horz;
    a.LineWidth = EffectiveLineWidth(Horz);
    a.FixedCount = Horz ? FixedCols : FixedRows;
    a.Count = ax.Count();
    a.First = Horz ? TopLeft.X : TopLeft.Y;
    a.Extent = Horz ? ClientWidth : ClientHeight;
    a.FixedBoundary = ax.Offset(a.FixedCount, a.LineWidth);
    const qint64 firstOfs = ax.Offset(a.First, a.LineWidth);
    // A cell is fully visible when it ends inside the client area (its line may stick out).
    const qint64 room = qint64(a.Extent) + a.LineWidth - a.FixedBoundary;
    const int j = room < 0 ? a.First : ax.IndexAtOffset(room + firstOfs, a.LineWidth);
    a.LastFullVisible = std::max(a.First, j - 1);
    a.FullVisBoundary = j - 1 >= a.First ? int(a.FixedBoundary + ax.Offset(j, a.LineWidth) - firstOfs)
                                         : int(std::min<qint64>(a.FixedBoundary, a.Extent));
    if (j >= a.Count)
        a.GridBoundary =
            int(std::min<qint64>(a.Extent, a.FixedBoundary + ax.Offset(a.Count, a.LineWidth) - firstOfs));
    else
        a.GridBoundary = a.Extent;
    return a;
}

bool TGridLayout::CellStart(const TGridAxisInfo &A, int I, qint64 &Start) const
{
    if (I < 0 || I >= A.Count) return false;
    const TGridExtents &ax = Axis(A.Horz);
    if (I < A.FixedCount)
        Start = ax.Offset(I, A.LineWidth);
    else if (I < A.First)
        return false;
    else
        Start = A.FixedBoundary + ax.Offset(I, A.LineWidth) - ax.Offset(A.First, A.LineWidth);
    return Start < A.Extent;
}

int TGridLayout::CoordFromPos(const TGridAxisInfo &A, int Pos) const
{
    if (Pos < 0 || Pos >= A.Extent) return -1;
    const TGridExtents &ax = Axis(A.Horz);
    if (Pos < A.FixedBoundary) {
        const int j = ax.IndexAtOffset(Pos, A.LineWidth);
        return j < A.FixedCount ? j : -1;
    }
    const qint64 t = Pos - A.FixedBoundary + ax.Offset(A.First, A.LineWidth);
    const int j = ax.IndexAtOffset(t, A.LineWidth);
    return j < A.Count ? j : -1;
}

TGridCoord TGridLayout::MouseCoord(int X, int Y) const
{
    return {CoordFromPos(AxisInfo(true), X), CoordFromPos(AxisInfo(false), Y)};
}

TRect TGridLayout::CellRect(int ACol, int ARow) const
{
    const TGridAxisInfo h = AxisInfo(true), v = AxisInfo(false);
    qint64 x, y;
    if (!CellStart(h, ACol, x) || !CellStart(v, ARow, y)) return TRect{};
    return Rect(int(x), int(y), int(std::min<qint64>(x + Cols.Size(ACol), h.Extent)),
                int(std::min<qint64>(y + Rows.Size(ARow), v.Extent)));
}

bool TGridLayout::Span(const TGridAxisInfo &A, int Lo, int Hi, int &From, int &To) const
{
    // The visible part of cells Lo..Hi of one axis, their lines included.
    if (Lo > Hi) std::swap(Lo, Hi);
    Lo = std::max(Lo, 0);
    Hi = std::min(Hi, A.Count - 1);
    const int f = Lo < A.FixedCount ? Lo : std::max(Lo, A.First);
    if (f > Hi) return false;
    qint64 s;
    if (!CellStart(A, f, s)) return false;
    const TGridExtents &ax = Axis(A.Horz);
    qint64 e = Hi < A.FixedCount
                   ? ax.Offset(Hi + 1, A.LineWidth)
                   : A.FixedBoundary + ax.Offset(Hi + 1, A.LineWidth) - ax.Offset(A.First, A.LineWidth);
    if (f < A.FixedCount && Hi >= A.FixedCount) e = std::max(e, A.FixedBoundary);
    From = int(s);
    To = int(std::min<qint64>(e, A.Extent));
    return To > From;
}

TRect TGridLayout::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const
{
    int l, r, t, b;
    if (!Span(AxisInfo(true), ALeft, ARight, l, r) || !Span(AxisInfo(false), ATop, ABottom, t, b))
        return TRect{};
    return Rect(l, t, r, b);
}

int TGridLayout::VisibleCount(bool Horz) const
{
    const TGridAxisInfo a = AxisInfo(Horz);
    return a.LastFullVisible - a.First + 1;
}

int TGridLayout::MaxTopLeft(bool Horz) const
{
    const TGridAxisInfo a = AxisInfo(Horz);
    const TGridExtents &ax = Axis(Horz);
    const qint64 room = qint64(a.Extent) + a.LineWidth - a.FixedBoundary;
    const int t = ax.FirstIndexFrom(ax.Offset(a.Count, a.LineWidth) - room, a.LineWidth);
    return Clamp(t, a.FixedCount, a.Count - 1);
}

int TGridLayout::TopLeftFor(bool Horz, int Cell) const
{
    const TGridAxisInfo a = AxisInfo(Horz);
    const TGridExtents &ax = Axis(Horz);
    const qint64 room = qint64(a.Extent) + a.LineWidth - a.FixedBoundary;
    const int t = ax.FirstIndexFrom(ax.Offset(Cell + 1, a.LineWidth) - room, a.LineWidth);
    return Clamp(t, a.FixedCount, Cell);
}

TGridCoord TGridLayout::ClampedTopLeft(TGridCoord TL) const
{
    return {Clamp(TL.X, FixedCols, std::max(FixedCols, MaxTopLeft(true))),
            Clamp(TL.Y, FixedRows, std::max(FixedRows, MaxTopLeft(false)))};
}

TGridCoord TGridLayout::TopLeftShowing(int ACol, int ARow) const
{
    TGridCoord tl = TopLeft;
    if (ACol >= FixedCols && ACol < Cols.Count()) {
        if (ACol < tl.X)
            tl.X = ACol;
        else if (ACol > AxisInfo(true).LastFullVisible)
            tl.X = TopLeftFor(true, ACol);
    }
    if (ARow >= FixedRows && ARow < Rows.Count()) {
        if (ARow < tl.Y)
            tl.Y = ARow;
        else if (ARow > AxisInfo(false).LastFullVisible)
            tl.Y = TopLeftFor(false, ARow);
    }
    return tl;
}

bool TGridLayout::NearBorder(const TGridAxisInfo &A, int P, int &Idx, int &Ofs) const
{
    // The nearest border (the line after a cell and two pixels either side) around P.
    const TGridExtents &ax = Axis(A.Horz);
    int best = -1, bestDist = 1 << 30, bestEnd = 0;
    auto check = [&](int I, qint64 Start) {
        const qint64 e = Start + ax.Size(I);
        if (P >= e - 2 && P < e + A.LineWidth + 2) {
            const int d = int(std::abs(P - (e + A.LineWidth / 2)));
            if (d < bestDist) {
                best = I;
                bestDist = d;
                bestEnd = int(e);
            }
        }
    };
    qint64 s = 0;
    for (int i = 0; i < A.FixedCount && s < A.Extent; ++i) {
        check(i, s);
        s += ax.Size(i) + A.LineWidth;
    }
    s = A.FixedBoundary;
    for (int i = A.First; i < A.Count && s < A.Extent; ++i) {
        check(i, s);
        s += ax.Size(i) + A.LineWidth;
    }
    if (best < 0) return false;
    Idx = best;
    Ofs = bestEnd - P;
    return true;
}

TGridSizingHit TGridLayout::SizingHit(int X, int Y) const
{
    const TGridAxisInfo h = AxisInfo(true), v = AxisInfo(false);
    TGridSizingHit hit;
    if ((Options & goRowSizing) && X >= 0 && X < std::min<qint64>(h.FixedBoundary, h.GridBoundary) &&
        Y < v.GridBoundary + 2 && NearBorder(v, Y, hit.Index, hit.Ofs)) {
        hit.Pos = Y;
        hit.State = gsRowSizing;
    } else if ((Options & goColSizing) && Y >= 0 && Y < std::min<qint64>(v.FixedBoundary, v.GridBoundary) &&
               X < h.GridBoundary + 2 && NearBorder(h, X, hit.Index, hit.Ofs)) {
        hit.Pos = X;
        hit.State = gsColSizing;
    }
    return hit;
}

} // namespace kro
