#pragma once
// Cell texts of the table editor and its clipboard exchange, apart from any widget: the number
// format of a cell, the text of a data cell, the text "Copy" puts on the clipboard, and the scanner
// that finds a matrix of numbers in any clipboard text.

#include <krogui/kroguiexport.h>

#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

namespace kro {

class TDataTable;

/// Bits of the cell state byte that the editor gives a meaning.
inline constexpr quint8 ntsInvalid = 0x01;
inline constexpr quint8 ntsEmpty = 0x02;
inline constexpr quint8 ntsMarkA = 0x40;
inline constexpr quint8 ntsMarkB = 0x80;

/// Number text of a cell: fixed notation with Decimals places (0..8) while the value has at most
/// nine digits in it and does not show as zeros only; otherwise, and for Decimals -1, 9 and 10,
/// exponent notation with Width significant digits and a two-digit exponent.
KROGUI_EXPORT QString FormatCellNumber(int Width, int Decimals, double Value);

/// What a data cell shows: "" for an empty cell, "-nan-" for an invalid one, the identifier (or
/// "scale:code") of a coded column, else the number text. Cells outside the table show "".
KROGUI_EXPORT QString DataCellText(const TDataTable &Table, int Col, int Row, int NumWidth, int Decimals);

/// The code of a value in a coded column: the value rounded, halves to even.
KROGUI_EXPORT int NominalCode(double Value);

/// The clipboard text of the data block Left..Right x Top..Bottom (data coordinates, clipped to
/// the table): one line per row ending in CR LF, a blank before the first cell of a line and a
/// tab before every further one; "####" for a cell that is not a number; with FullPrec the
/// 22-character exponent form, else the column's places (DecP[col-1]; -1 gives exponent
/// notation with NumWidth significant digits).
KROGUI_EXPORT QString CopyBlockText(const TDataTable &Table, int Left, int Top, int Right, int Bottom,
                                    bool FullPrec, const std::vector<qint8> &DecP, int NumWidth);

/// What the scanner found in a clipboard text.
struct TClipScanResult
{
    bool Any = false; ///< at least one number was found
    int Cols = 0;     ///< the most numbers on one line
    int Rows = 0;     ///< lines from the first number's line to the last number's line
};

/// Finds the numbers of a clipboard text: anything that is not part of a number separates them,
/// a line feed (alone or after a carriage return) or a lone carriage return starts a new row, line feeds
/// before the first number and after the last one do not count. Numbers start with a digit, "+", "-" or ".";
/// both
/// "." and "," are decimal separators and exponents are read; a sign or point that starts no
/// number counts as 0. Store(n, m, value) is called for the n-th number (from 0) of the m-th line
/// (from 0, counted from the first number's line). Linear in the length of the text.
KROGUI_EXPORT TClipScanResult ScanClipText(QStringView Text,
                                           const std::function<void(int N, int M, double Value)> &Store);

} // namespace kro
