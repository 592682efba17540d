#pragma once
// TMarkGrid: where the marker selector places its symbols, which symbol lies nearest to a point and
// how the keyboard moves between them. A value class without widgets.

#include <krogui/graphics/drawing.h>

#include <QPoint>

#include <array>

namespace kro {

/// Which of the marker symbols take part in a selector (symbol 0 always does).
using TMarkVisibility = std::array<bool, NumMarkers>;

class KROGUI_EXPORT TMarkGrid
{
public:
    /// Lays the visible symbols out, in ascending order and row by row, in NrCols columns of a
    /// Width x Height area (two pixels of frame on every side). The grid gets as many rows as it
    /// needs beyond NrRows so that every visible symbol has a cell inside the area. Column and row
    /// counts below 1 count as 1; cells are never narrower or lower than 0 pixels.
    void Compute(int Width, int Height, int NrCols, int NrRows, const TMarkVisibility &Vis);

    /// Cell width and height.
    int DistHorz() const { return FMarkDistHorz; }
    int DistVert() const { return FMarkDistVert; }
    /// Half a cell: the grid point of the first cell.
    int MarginHorz() const { return FMarkMarginHorz; }
    int MarginVert() const { return FMarkMarginVert; }
    int Columns() const { return FCols; }
    /// The rows actually used (at least the rows asked for).
    int Rows() const { return FRows; }

    /// Number of symbols that got a cell.
    int PlacedCount() const { return FPlaced; }
    /// True when symbol Mark got a cell (false for hidden symbols and numbers outside 0..51).
    bool IsPlaced(int Mark) const { return CellOf(Mark) >= 0; }
    /// The cell (0-based, row by row) of symbol Mark; -1 when it has none.
    int CellOf(int Mark) const { return Mark >= 0 && Mark < NumMarkers ? FCellOf[Mark] : -1; }
    /// The symbol in cell N; -1 for an empty cell.
    int MarkAtCell(int N) const { return N >= 0 && N < FPlaced ? FMarkAt[N] : -1; }
    /// The grid point of symbol Mark (its cell centre less the frame's offset); (0, 0) without a cell.
    QPoint Coord(int Mark) const { return IsPlaced(Mark) ? FMarkCoords[Mark] : QPoint(); }

    /// The placed symbol whose grid point is nearest to (X, Y) (squared distance); ties go to the
    /// lower symbol number, and symbol 0 wins when no symbol is closer than 1e10.
    int NearestMark(int X, int Y) const;

    /// Keyboard moves from symbol Mark: one cell back or on, one row up or down, to the first or
    /// the last cell. A move that would leave the placed symbols stays put; an unplaced Mark moves
    /// to the first symbol.
    enum TStep { stPrev, stNext, stUp, stDown, stFirst, stLast };
    int Step(int Mark, TStep Step) const;

private:
    int FMarkDistHorz = 0, FMarkDistVert = 0;
    int FMarkMarginHorz = 0, FMarkMarginVert = 0;
    int FCols = 1, FRows = 1;
    int FPlaced = 0;
    std::array<QPoint, NumMarkers> FMarkCoords{};
    std::array<int, NumMarkers> FCellOf{};
    std::array<int, NumMarkers> FMarkAt{};
};

} // namespace kro
