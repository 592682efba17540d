#pragma once
// TGridLayout: where the cells of a grid lie, without the widget.
//
// The layout holds what decides the geometry (the sizes along both axes, the fixed counts, the
// line width and options, the first scrollable cell shown and the client size) and answers every
// geometric question the grid asks: where a cell starts, which cell lies under a point, how far
// the view may scroll, which border a point lies on for sizing. Coordinates are client pixels;
// a cell's rectangle leaves out the grid line at its right and bottom.

#include <krogui/core/types.h>
#include <krogui/grid/gridextents.h>
#include <krogui/grid/gridtypes.h>
#include <krogui/kroguiexport.h>

namespace kro {

/// The geometry of one axis for the current scroll position and client size.
struct TGridAxisInfo
{
    bool Horz = true;         ///< columns (true) or rows
    int LineWidth = 0;        ///< effective line width
    qint64 FixedBoundary = 0; ///< end of the fixed cells (lines included)
    int First = 0;            ///< first scrollable cell shown (LeftCol / TopRow)
    int FixedCount = 0;
    int Count = 0;
    int Extent = 0;          ///< client width / height
    int LastFullVisible = 0; ///< last scrollable cell fully shown (at least First)
    int GridBoundary = 0;    ///< end of the last visible cell and line, at most Extent
    int FullVisBoundary = 0; ///< end of the last fully visible cell and its line
};

/// Which border a point lies on, for sizing a column or row by dragging.
struct TGridSizingHit
{
    TGridState State = gsNormal; ///< gsColSizing, gsRowSizing or gsNormal (no border)
    int Index = 0;               ///< the cell before the border
    int Pos = 0;                 ///< the point's coordinate along the axis
    int Ofs = 0;                 ///< end of the cell minus Pos
};

class KROGUI_EXPORT TGridLayout
{
public:
    TGridExtents Cols{5, 64};
    TGridExtents Rows{5, 24};
    int FixedCols = 1;
    int FixedRows = 1;
    int GridLineWidth = 1;
    TGridOptions Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TGridCoord TopLeft{1, 1};
    int ClientWidth = 0;
    int ClientHeight = 0;

    const TGridExtents &Axis(bool Horz) const { return Horz ? Cols : Rows; }
    /// The line width that takes room after each cell of an axis: GridLineWidth while one of the
    /// axis's line options is set, else 0.
    int EffectiveLineWidth(bool Horz) const;
    TGridAxisInfo AxisInfo(bool Horz) const;
    /// Client position of the start of cell I; false when it is not shown.
    bool CellStart(const TGridAxisInfo &A, int I, qint64 &Start) const;
    /// The cell under position Pos of an axis; -1 outside every visible cell. The line after a
    /// cell belongs to the cell.
    int CoordFromPos(const TGridAxisInfo &A, int Pos) const;
    TGridCoord MouseCoord(int X, int Y) const;
    /// The client rectangle of a visible cell (without its lines), cut at the client edge; empty
    /// for a cell outside the grid or scrolled out of view.
    TRect CellRect(int ACol, int ARow) const;
    /// The visible part of a block of cells, lines included; empty when none of it shows.
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
    /// Scrollable cells fully visible from the first one shown on; at least 1.
    int VisibleCount(bool Horz) const;
    /// The smallest first cell that still shows the last cell completely.
    int MaxTopLeft(bool Horz) const;
    /// The smallest first cell that shows Cell completely (Cell itself when it is too large).
    int TopLeftFor(bool Horz, int Cell) const;
    /// A top-left cell clamped to the fixed counts and the scroll limits.
    TGridCoord ClampedTopLeft(TGridCoord TL) const;
    /// The top-left cell that brings a cell fully into view with the least scrolling (fixed or
    /// outside coordinates leave their axis alone).
    TGridCoord TopLeftShowing(int ACol, int ARow) const;
    /// The border under (X, Y) that a drag would size: a row border while the point is over the
    /// fixed columns (goRowSizing), a column border over the fixed rows (goColSizing). A border is
    /// the line after a cell and two pixels either side.
    TGridSizingHit SizingHit(int X, int Y) const;

private:
    bool NearBorder(const TGridAxisInfo &A, int P, int &Idx, int &Ofs) const;
    bool Span(const TGridAxisInfo &A, int Lo, int Hi, int &From, int &To) const;
};

} // namespace kro
