#pragma once
// The value types of the grid base: options, draw states, editor styles, drag states, cell
// coordinates and blocks of cells.

#include <krogui/kroguiexport.h>

#include <QFlags>
#include <QObject>

namespace kro {

namespace GridEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// Grid options (a set of flags; the bit of each option is its ordinal, so the five line and
/// range options together are 31).
enum TGridOption : unsigned {
    goFixedVertLine = 0x0001,     ///< vertical lines between fixed cells
    goFixedHorzLine = 0x0002,     ///< horizontal lines between fixed cells
    goVertLine = 0x0004,          ///< vertical lines between the other cells
    goHorzLine = 0x0008,          ///< horizontal lines between the other cells
    goRangeSelect = 0x0010,       ///< several cells can be selected at once
    goDrawFocusSelected = 0x0020, ///< the current cell is drawn in the selection colour too
    goRowSizing = 0x0040,         ///< rows are sized by dragging the borders of fixed cells
    goColSizing = 0x0080,         ///< columns likewise
    goRowMoving = 0x0100,         ///< rows are moved by dragging their fixed cell
    goColMoving = 0x0200,         ///< columns likewise
    goEditing = 0x0400,           ///< cells can be edited in place
    goTabs = 0x0800,              ///< Tab and Shift+Tab move between cells
    goRowSelect = 0x1000,         ///< whole rows are selected (no in-place editor)
    goAlwaysShowEditor = 0x2000,  ///< the editor stays open (needs goEditing)
    goThumbTracking = 0x4000      ///< the view follows the scroll thumb while it is dragged
};
Q_ENUM_NS(TGridOption)
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_FLAG_NS(TGridOptions)
/// How a cell is drawn (a set of flags).
enum TGridDrawStateFlag : unsigned { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_ENUM_NS(TGridDrawStateFlag)
/// Kind of in-place editor for a cell: a line edit, one with an ellipsis button, or with a pick list.
enum TEditStyle : int { esSimple, esEllipsis, esPickList };
Q_ENUM_NS(TEditStyle)
/// What a mouse drag is doing.
enum TGridState : int { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
Q_ENUM_NS(TGridState)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)
} // namespace GridEnums
using namespace GridEnums;

using TGridDrawState = unsigned;

/// A cell position (column X, row Y).
struct TGridCoord
{
    int X = 0, Y = 0;
    constexpr bool operator==(const TGridCoord &) const = default;
};

/// A block of cells, all four bounds inclusive.
struct TGridRect
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr TGridCoord TopLeft() const { return {Left, Top}; }
    constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
    constexpr bool Contains(int ACol, int ARow) const
    {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
    constexpr bool operator==(const TGridRect &) const = default;
};
constexpr TGridRect GridRect(int Left, int Top, int Right, int Bottom)
{
    return {Left, Top, Right, Bottom};
}

} // namespace kro
