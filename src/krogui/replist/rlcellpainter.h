#pragma once
// The report list's cell painter: draws one data cell, one column header or the common header on
// a canvas from plain values, with no view behind it. The view gathers the values from its data
// and settings, lets the application change the look, and calls these.
//
// Rectangles are cell rectangles as the grid gives them: Right and Bottom exclusive, the grid
// lines outside.

#include <krogui/graphics/canvas.h>
#include <krogui/kroguiexport.h>
#include <krogui/replist/rldata.h>

#include <QString>

namespace kro {

/// The view's settings that decide how data cells look.
struct TRLCellSettings
{
    TColor FColorNormal = 0x002000;
    TColor FRColorNormal = 0xFFFFFF, FRColorShaded = 0xF0EFE8;
    int FRowColPattern = 1;
    TColor FDisabledTextColor = 0xC0C0C0, FDisabledBkgdColor = 0xF0F0F0;
    TColor FSelRowColor = 0x94BAED, FSelRowTextColor = 0x800000;
    TColor FSelColColor = clBlack, FSelColTextColor = clBlack;
    TColor FSelBothColor = clBlack, FSelBothTextColor = clBlack;
    TColor FHiLgtColor = 0xCC9966, FHiLgtTextColor = 0xFFFFFF;
    bool FHiLgtBold = false;
    int FHiLgtRow = 0, FHiLgtColumn = 0;
    bool FEnabled = true;
    bool FShowEmptyCBx = true;
    bool FROCheckMarks = false;
};

/// One data cell as the data holds it.
struct TRLDataCell
{
    int Col = 1, Row = 1;     ///< data coordinates
    bool Shown = true;        ///< false: the empty room below the last shown row
    bool FixedCol = false;    ///< the cell lies in a fixed grid column
    TCheckMode Mode = cmNone; ///< check mode of the column
    bool Pwd = false;         ///< a password column
    quint8 Attrib = 0;        ///< row attribute (rlRowSelected, rlRowDisabled)
    bool ColSelected = false; ///< the column is selected
    TAlignment Align = taLeftJustify;
    QString Text; ///< the stored text, check flag included
};

/// How a data cell is drawn; the application may change all of it before drawing.
struct TRLCellLook
{
    TColor Pen = clBlack, Brush = clWhite, Font = clBlack;
    TFontStyles Style = 0;
    QString Text; ///< shown text: the stored one, or the password mask
};

/// One column header.
struct TRLHeaderCell
{
    QString Name; ///< header lines separated by line feeds
    TAlignment Align = taLeftJustify;
    int ColWidth = 0;      ///< the column's width
    bool Sorted = false;   ///< the list is sorted by this column: an arrow follows the first line
    bool Ascending = true; ///< direction of the arrow
    TColor Color = clBtnFace, TextColor = clBlack;
};

/// The colours, style and text of a data cell from the settings (steps before the application's
/// say). BaseStyle is the view font's style.
KROGUI_EXPORT TRLCellLook RLCellLook(const TRLCellSettings &S, const TRLDataCell &Cell,
                                     TFontStyles BaseStyle);

/// Paints a data cell into Rect with Look. Work is the area the background covers (Rect, or one
/// pixel more where no grid line follows); ColWidth is the column's width; Italic says that the
/// font leans (its text needs 2 pixels more).
KROGUI_EXPORT void RLPaintDataCell(TCanvas *C, const TRect &Rect, const TRect &Work, const TRLCellSettings &S,
                                   const TRLDataCell &Cell, const TRLCellLook &Look, int ColWidth,
                                   bool Italic);

/// Paints a column header into Rect (the font already set). Xr is the right edge of the visible
/// table: only the column that reaches it shows the bevel's right edge.
KROGUI_EXPORT void RLPaintColumnHeader(TCanvas *C, const TRect &Rect, int Xr, const TRLHeaderCell &Head,
                                       bool Italic);

/// Paints the common header across 0..Xr of the rows Rect.Top..Rect.Bottom.
KROGUI_EXPORT void RLPaintCommonHeader(TCanvas *C, const TRect &Rect, int Xr, const QString &Text,
                                       TAlignment Align, TColor Color, TColor TextColor);

/// What a password column shows instead of its texts.
KROGUI_EXPORT QString RLPasswordText();

/// The raised edge of fixed cells: white left and top, grey bottom and right (R, B exclusive).
KROGUI_EXPORT void RLDrawBevel(TCanvas *C, int L, int T, int R, int B);

/// A cell text TextWidth pixels wide where Room pixels are left: unchanged when it fits (or is
/// empty); else G = Round(length x Room / TextWidth - 4), at least 1, and the result is its first
/// G characters + "..." or, right aligned, its first character + "..." + its last G characters.
KROGUI_EXPORT QString RLCutCellText(const QString &Text, int TextWidth, int Room, bool RightAligned);
/// A header line LineWidth pixels wide in Room pixels: unchanged when it fits, else its first
/// max(1, Round(length x Room / LineWidth - 3)) characters + "...".
KROGUI_EXPORT QString RLCutHeaderLine(const QString &Line, int LineWidth, int Room);

} // namespace kro
