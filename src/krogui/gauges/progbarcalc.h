#pragma once
// The numbers behind the progress bar, apart from any widget: the 1024-entry colour table and its
// three mappings onto the bar, the fraction of the bar a value fills, the filled rectangle for
// each direction, the positions of the grid lines and the value text.

#include <krogui/core/types.h>

#include <QObject>
#include <QString>

#include <array>
#include <vector>

namespace kro {
namespace ProgBarEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// How the colour table is laid onto the filled part of the bar:
/// - cgmCover: the colour belongs to the position in the whole bar; the bar uncovers it;
/// - cgmStretch: the whole table is stretched over the filled part;
/// - cgmMove: the table is anchored at the moving end, which always shows the last entry.
enum TColorMapping : int { cgmCover, cgmStretch, cgmMove };
Q_ENUM_NS(TColorMapping)
} // namespace ProgBarEnums
using namespace ProgBarEnums;

/// Number of entries of a progress bar's colour table.
constexpr int ProgBarColorCount = 1024;
/// The colour table: entry 0 is the colour at the start of the bar, entry 1023 the one at its end.
using TBarColorArray = std::array<TColor, ProgBarColorCount>;

/// Mixes two RGB colours channel by channel: Trunc(a1 + (a2 - a1) * T) for red, green and blue,
/// with T clamped to 0..1 (NaN counts as 0). The high byte of the result is 0.
KROGUI_EXPORT TColor BlendColor(TColor C1, TColor C2, double T);

/// Refills entries 1..1022 with BlendColor(First, Last, i / 1023); entries 0 and 1023 stay.
KROGUI_EXPORT void RefillColorTable(TBarColorArray &Table, TColor First, TColor Last);

/// Spreads Stops evenly over the whole table and blends between neighbouring stops: one stop
/// fills the table with that colour, two stops give the plain gradient. An empty list leaves the
/// table as it is and returns false.
KROGUI_EXPORT bool SpreadColorStops(TBarColorArray &Table, const std::vector<TColor> &Stops);

/// The table entry of the I-th line (0-based, counted from where the bar starts) of a bar whose
/// full length is FullLen and whose filled length is Filled, clamped to 0..1023. Lengths of 0 or
/// less give entry 0.
KROGUI_EXPORT int ColorTableIndex(TColorMapping Mode, int I, int FullLen, int Filled);

/// The part of the bar Value fills: (Value - Min) / (Max - Min), clamped to 0..1. A reversed
/// range (Min > Max) fills from the other end of the scale; Min = Max, NaN or a range that cannot
/// be measured give 0. Works for ranges whose width exceeds the double range.
KROGUI_EXPORT double ProgBarFraction(double Value, double Min, double Max);

/// True for the directions that fill along the vertical axis (dirUp and dirDown).
constexpr bool IsVerticalDirection(TDirection Dir)
{
    return Dir == dirUp || Dir == dirDown;
}

/// The full length of the bar in Area along Dir (its width or height, at least 0).
KROGUI_EXPORT int ProgBarFullLength(TDirection Dir, const TRect &Area);

/// The filled rectangle of the bar area for a fraction F (0..1): Round(length * F) pixels, starting
/// at the left edge (dirRight), the right edge (dirLeft), the bottom (dirUp) or the top (dirDown).
/// The result lies inside Area; it is empty when nothing is filled.
KROGUI_EXPORT TRect ProgBarFilledRect(TDirection Dir, const TRect &Area, double F);

/// The coordinate (x for horizontal directions, y for vertical ones) of the I-th line of the
/// filled rectangle Filled, counted from where the bar starts.
KROGUI_EXPORT int ProgBarLinePos(TDirection Dir, const TRect &Filled, int I);

/// Positions of the grid lines (x for horizontal directions, y for vertical ones): from the first
/// pixel at the start of Area in steps of Dist, as far as the moving end of the filled rectangle
/// (that end's edge included for dirRight and dirDown, its last filled pixel for dirUp and
/// dirLeft), never outside Area. None when Dist < 2.
KROGUI_EXPORT std::vector<int> ProgBarGridLines(TDirection Dir, const TRect &Area, const TRect &Filled,
                                                int Dist);

/// The value text: fixed point with Decimals places for 0..10 (point as separator, no padding);
/// exponential form with one decimal and a four-digit exponent for -2 ("1.5E+0001"); the same with
/// a two-digit exponent for -1 ("1.5E+01"), every character an asterisk when the exponent needs
/// three or more digits. Decimals outside -2..10 are clamped. NaN gives "NAN", infinities "INF"
/// and "-INF"; a negative zero is written as zero.
KROGUI_EXPORT QString ProgBarValueText(double Value, int Decimals);

} // namespace kro
