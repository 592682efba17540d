#pragma once
// Integer arithmetic with the framework's rounding rules.

#include <krogui/kroguiexport.h>

#include <QtGlobal>

#include <cmath>
#include <limits>

namespace kro {

/// Rounds to the nearest integer, halves to the even neighbour. NaN gives 0; values beyond the
/// 64-bit range are clamped.
inline qint64 Round64(double Value)
{
    if (std::isnan(Value))
        return 0;
    if (Value >= 9.2233720368547758e18)
        return std::numeric_limits<qint64>::max();
    if (Value <= -9.2233720368547758e18)
        return std::numeric_limits<qint64>::min();
    return qint64(std::nearbyint(Value)); // the default rounding mode is to-nearest-even
}

/// Round to an int (halves to even), clamped to the int range; NaN gives 0.
inline int Round(double Value)
{
    const qint64 r = Round64(Value);
    if (r > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (r < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(r);
}

/// Truncation towards zero, clamped to the int range; NaN gives 0.
inline int Trunc(double Value)
{
    if (std::isnan(Value))
        return 0;
    if (Value >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (Value <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return int(Value);
}

/// The largest integer not greater than Value (clamped to the int range; NaN gives 0).
inline int IntNeg(double Value) { return Trunc(std::floor(Value)); }

/// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0
/// (the platform's MulDiv).
inline int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 num = qint64(a) * qint64(b);
    qint64 q = num / c;
    const qint64 r = num % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -qint64(c) : qint64(c)))
        q += ((num < 0) != (c < 0)) ? -1 : 1;
    if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min())
        return -1;
    return int(q);
}

} // namespace kro
