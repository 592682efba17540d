#pragma once
// The column format language of the report list: "[kind][width]default".
//
// A format tells the row editor which input field to offer for a column and what a new cell's
// default value is. Nothing here touches widgets, so the row editor, the data component and the
// tests share one reading of the language.

#include <krogui/kroguiexport.h>

#include <QString>

namespace kro {

/// Longest column format that is stored; longer formats are cut.
constexpr int RLMaxColFormatLength = 80;
/// Input field width used when a format names none (or one below 1).
constexpr int ColFmtDefaultWidth = 200;

/// A column format taken apart the way the row editor reads it.
struct KROGUI_EXPORT TColFormat
{
    /// True when the format has a kind group ("[" before the first "]").
    bool HasKind = false;
    /// The kind group was marked "#": the field is shown read-only.
    bool ReadOnly = false;
    /// The kind letter ('c', 'l', 'd', 'e', 'f', 'h', 'i', 's' or any other); 's' when the format
    /// has no kind group.
    QChar Kind = QLatin1Char('s');
    /// Everything after the kind letter up to the "]" (the date/time format of a "d" column, the
    /// ":count" of a "c" or "l" column).
    QString KindText;
    /// Drop-down item count of a "c" or "l" column (the integer after ":"; 0 when there is none
    /// or it is negative).
    int DropDownCount = 0;
    /// Input field width in pixels (ColFmtDefaultWidth when missing or below 1).
    int Width = ColFmtDefaultWidth;
    /// The default part: the item list of "c"/"l", the literal or "rix"/"$pwd$" text of the others.
    /// A format without a kind group has the whole format here.
    QString DefaultPart;
};

/// Takes a format apart as the row editor reads it: the kind text lies between the first "[" and
/// the first "]" (kind "s" when there is no "[" before a "]"), a leading "#" marks it read-only,
/// the width is the integer inside the next "[...]" and the rest is the default part.
KROGUI_EXPORT TColFormat ParseColFormat(const QString &Format);

/// The integer that starts at 1-based position Pos of Text: blanks are skipped, one optional sign
/// is accepted, then decimal digits up to the first non-digit are read. No digits give 0; values
/// beyond the int range are clamped.
KROGUI_EXPORT int ColFmtIntegerAt(const QString &Text, int Pos);

/// The default value a kind letter derives from its default part for data row Row: the first item
/// of "c"/"l", the row-number rule of "e"/"f"/"h"/"i" when the part contains "rix", a new
/// password for "s" when it contains "$pwd$", else the part itself; other letters give "".
KROGUI_EXPORT QString ColFmtKindDefault(QChar Kind, const QString &DefaultPart, int Row);

/// The default value of a cell in row Row of a column with this format, as the data component
/// reports it: empty for an empty format, a format without "]" or a read-only ("#") kind group.
KROGUI_EXPORT QString ColFmtCellDefault(const QString &Format, int Row);

} // namespace kro
