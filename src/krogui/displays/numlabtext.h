#pragma once
// The number texts of TNumLab, apart from the widget so that they can be tested and reused alone.

#include <krogui/core/types.h> // first: its enumerations must see kro::staticMetaObject alone

#include <QObject>
#include <QString>

namespace kro {
namespace NumLabEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)

/// How TNumLab writes its number (see NumLabText for each form).
enum TDisplay : int {
    dtFloat,
    dtFixP,
    dtExp,
    dtHex,
    dtZeroInt,
    dtInt,
    dtDateTime,
    dtState,
    dtBin,
    dtOct,
    dtDeg,
    dtDegMin,
    dtDegMinSec,
    dtEEng,
    dtEEngNoDP
};
Q_ENUM_NS(TDisplay)

} // namespace NumLabEnums
using namespace NumLabEnums;

/// The settings that shape a number text.
struct TNumLabFormat
{
    TDisplay DisplayType = dtFixP;
    /// 0..15 (see NumLabText for its meaning per display type).
    int Precision = 2;
    /// true: every "." becomes ","; false: every "," becomes ".".
    bool Comma = false;
    /// A "+" in front of values above 0.
    bool PlusSign = false;
    /// The date-time format of dtDateTime.
    QString DTFormat = QStringLiteral("mmm-dd, yyyy");
    /// The text of dtState.
    QString StateText = QStringLiteral("undefined");
};

/// The text of Value as TNumLab shows it (before OnBeforeDisplay and the overflow check).
/// P is the precision (negative counts as 0, above 15 as 15); "rounded" means to the nearest
/// integer, halves to even. Texts per display type (Value 3.14159, P 2 unless said otherwise):
/// - dtFloat: P significant digits (at least 1), trailing zeros removed, in fixed or scientific
///   notation, whichever is shorter (fixed on a tie): "3.1", 1.5e20 "1.5E+020".
/// - dtFixP: fixed notation with P decimals: "3.14".
/// - dtExp: P digits in all (at least 1): one digit, the point, the rest, "E", a sign and at
///   least three exponent digits: "3.1E+000".
/// - dtHex: the rounded value in upper-case hexadecimal, zero-padded to P digits: 255 "FF".
/// - dtZeroInt: the rounded value zero-padded to P digits: 7 "07".
/// - dtInt: the rounded value: 2.5 "2", 3.5 "4".
/// - dtDateTime: Value as days since 30 December 1899 (the fraction is the time of day) written
///   with DTFormat, see FormatDayCount.
/// - dtState: StateText, unchanged.
/// - dtBin, dtOct: the rounded value in binary and octal: 5 "101", 8 "10".
/// - dtDeg: degrees with P decimals and a degree sign: "3.14°".
/// - dtDegMin: whole degrees, then minutes (two digits before the point) with P decimals:
///   12.5 "12°30.00'".
/// - dtDegMinSec: whole degrees, whole minutes, seconds with P decimals: 12.504 "12°30'14.40\"".
/// - dtEEng: engineering notation: mantissa 1 <= |m| < 1000 with P decimals, the exponent a
///   multiple of three, written as in dtExp: 12345 "12.35E+003".
/// - dtEEngNoDP: engineering notation with a whole-number mantissa of at least P significant
///   digits (at least 1) and no decimal point: 12345 "12E+003", 1.2346 with P 4 "1235E-003".
/// Negative values get a "-" in front of the digits in every form (also hexadecimal, binary and
/// octal). A value that is not a number gives "NAN", infinities "INF" and "-INF" (except for
/// dtState). Then, except for dtHex, dtDateTime, dtState and dtBin, the separator is rewritten as
/// Comma says and, with PlusSign, a "+" is put in front of values above 0.
KROGUI_EXPORT QString NumLabText(double Value, const TNumLabFormat &Format);

/// Value in scientific notation with Digits significant digits (at least 1): "3.14E+000".
KROGUI_EXPORT QString FormatExp(double Value, int Digits);
/// Value with Digits significant digits (at least 1), the shorter of fixed and scientific notation,
/// trailing zeros removed.
KROGUI_EXPORT QString FormatGeneral(double Value, int Digits);

/// Writes a day count (days since 30 December 1899; the fraction is the time of day, for negative
/// counts too) with Format. Tokens (case does not matter): d, dd (day), ddd, dddd (short and long
/// English weekday name), m, mm (month; minutes when it directly follows an hour token), mmm,
/// mmmm (short and long English month name), yy, yyyy (year), h, hh (hour), n, nn (minute),
/// s, ss (second), am/pm (a 12-hour clock and "am" or "pm" in the case written). Text in single
/// or double quotes is copied without the quotes; every other character is copied as it is.
/// Returns an empty string when the count lies outside the years 1 to 9999 or is not finite.
KROGUI_EXPORT QString FormatDayCount(const QString &Format, double DayCount);
/// True when FormatDayCount can write the day count (finite, within the years 1 to 9999).
KROGUI_EXPORT bool IsValidDayCount(double DayCount);

} // namespace kro
