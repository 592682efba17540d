#pragma once
// Private state of TCustomGrid, shared by the grid's source files. Not installed.

#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/canvas.h>
#include <krogui/grid/customgrid.h>
#include <krogui/grid/gridlayout.h>

#include <QPoint>
#include <QSize>
#include <QString>

#include <algorithm>

namespace kro {

class TControlTimer;
class TInplaceEdit;

namespace gridimpl {

inline int Clamp(int V, int Lo, int Hi)
{
    return V < Lo ? Lo : (V > Hi ? Hi : V);
}

// Runs a function when the scope ends, also when an exception passes.
template <class F> struct ScopeExit
{
    F Fn;
    ~ScopeExit() { Fn(); }
};
template <class F> ScopeExit(F) -> ScopeExit<F>;

} // namespace gridimpl

struct TCustomGridPrivate
{
    // Geometry: sizes, fixed counts, lines, options, top-left cell (the client size is set on use).
    mutable TGridLayout FLayout;

    TColor FFixedColor = clBtnFace;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    bool FDefaultDrawing = true;
    bool FCtl3D = true;
    QMenu *FPopupMenu = nullptr;
    QSize FDesignSize{320, 120};

    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};

    // Editor state: FInplaceCol/Row is the cell whose text the editor holds (-1 = none).
    TInplaceEdit *FInplaceEdit = nullptr;
    bool FEditorMode = false;
    int FInplaceCol = -1;
    int FInplaceRow = -1;
    QString FEditOriginal;
    bool FInEditorUpdate = false;
    bool FFocusInside = false;

    // Mouse drag state.
    TGridState FGridState = gsNormal;
    int FSizingIndex = 0;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = 0;
    int FMovePos = 0;
    QPoint FLastMouse;
    TControlTimer *FScrollTimer = nullptr;
    bool FInRelease = false; // a mouse release is being routed: its click is not the grid's

    // Painting.
    TBitmap FSurface;
    QImage FLogical; // the reduced picture of a scaled surface
    qint64 FLogicalKey = 0;
    bool FStale = true;
    TRect FDirty; // union of invalidated rectangles since the last paint
    TRect FPaintRect;
    bool FComposing = false;
    bool FUpdatingScrollBars = false;
};

} // namespace kro
