#pragma once
// The number text engine: scanning, validating and formatting the text of the numeric fields.
//
// Stateless routines without widget dependencies (the table editor uses them too). Text positions
// count from 1. Integer and radix scanning accumulate in 32 bits and wrap silently; real scanning
// clamps to plus or minus uc_MaxDouble. Nothing here raises on malformed text.

#include <krogui/core/types.h>

#include <QObject>
#include <QString>
#include <QStringView>

namespace kro {
namespace NumIOEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// Input format of the numeric fields.
enum TInFormat : int {
    itExp,      ///< real number, exponent allowed
    itFloat,    ///< real number without exponent
    itFixPoint, ///< real number with a fixed number of decimal places
    itInt,      ///< decimal integer
    itHex,      ///< hexadecimal digits
    itOct,      ///< octal digits
    itBin,      ///< binary digits
    itDynamic   ///< "$" hexadecimal, "%" binary, "&" octal, otherwise a real number
};
Q_ENUM_NS(TInFormat)
} // namespace NumIOEnums
using namespace NumIOEnums;

/// Which characters count as the decimal separator while scanning.
enum TSeparatorMode : int {
    sepPoint, ///< "." only
    sepComma, ///< "," only
    sepEither ///< "." and "," both
};

/// The decimal separator of the system (the default locale), "." when it has none.
KROGUI_EXPORT QChar SystemDecimalSeparator();
/// Separator mode of a TDecPSep choice as the edit field reads it: system choice gives comma mode
/// when the system separator is ",", else point mode; 3 and above give either mode.
KROGUI_EXPORT TSeparatorMode EditSeparatorMode(TDecPSep Choice);
/// Separator mode of a TDecPSep choice as the validators read it: system choice gives point mode
/// when the system separator is ".", else comma mode; 3 and above give either mode.
KROGUI_EXPORT TSeparatorMode CheckSeparatorMode(TDecPSep Choice);
/// The character a formatter writes as decimal separator in a mode ("," in comma mode, else ".").
KROGUI_EXPORT QChar SeparatorChar(TSeparatorMode Mode);

/// 1-based position of the first decimal separator of the mode at or after From; 0 when none.
KROGUI_EXPORT int SeparatorPos(QStringView Text, int From, TSeparatorMode Mode);

/// Scans a real number from position Pos (1-based; values below 1 count as 1). On return Pos names
/// the character that ended the scan (Length+1 for the end of the text). A rejected scan gives 0;
/// the result is clamped to plus or minus uc_MaxDouble. Exponent digits beyond 4200 are cut.
KROGUI_EXPORT double ScanReal(QStringView Text, bool AllowExp, TSeparatorMode Mode, int &Pos);
/// True when Text scans as a real number (the characters after the one that ends the scan are not
/// examined); an exponent above 4200 is invalid, an empty text too.
KROGUI_EXPORT bool IsRealText(QStringView Text, bool AllowExp, TDecPSep Choice);
/// IsRealText that also examines the rest: true only when the number ends with the text.
KROGUI_EXPORT bool IsWholeRealText(QStringView Text, bool AllowExp, TDecPSep Choice);
/// True when Text is an optionally signed fixed-point number or an incomplete one ("+", "-", ".",
/// "-."); no blanks, no exponent, at most one separator. Empty is invalid.
KROGUI_EXPORT bool IsFixedText(QStringView Text, TDecPSep Choice);
/// The same check with an explicit separator mode.
KROGUI_EXPORT bool IsFixedText(QStringView Text, TSeparatorMode Mode);

/// Scans a decimal integer (leading blanks, one sign, digits) from Pos; Pos names the character
/// that stopped it. Accumulates in 32 bits and wraps. An empty text gives 0, Pos unchanged.
KROGUI_EXPORT qint32 ScanInt(QStringView Text, int &Pos);
/// True for a digit, or a sign or digit followed by digits only. "-" alone is invalid.
KROGUI_EXPORT bool IsIntText(QStringView Text);

/// Scans hexadecimal digits (either case; a "$" at position 1 is skipped) from Pos. The 32-bit
/// value is read as signed, so "FFFFFFFF" gives -1.
KROGUI_EXPORT qint32 ScanHex(QStringView Text, int &Pos);
/// Scans octal digits from Pos (32-bit, wrapping, read as signed).
KROGUI_EXPORT qint32 ScanOct(QStringView Text, int &Pos);
/// Scans binary digits from Pos (32-bit, wrapping, read as signed).
KROGUI_EXPORT qint32 ScanBin(QStringView Text, int &Pos);
/// True when Text is not empty and holds hexadecimal (octal, binary) digits only.
KROGUI_EXPORT bool IsHexText(QStringView Text);
KROGUI_EXPORT bool IsOctText(QStringView Text);
KROGUI_EXPORT bool IsBinText(QStringView Text);

/// Formats a real number.
/// - Decimals >= 0: fixed notation with exactly Decimals digits after "." (none and no point for
///   0), left-padded with blanks to Width.
/// - Decimals = -2: exponent notation of exactly Width characters: sign position (blank or "-"),
///   Width-6 significant digits, "E", sign and a two-digit exponent (" 1.23457E+00" for Width 12);
///   Width asterisks when the exponent needs three digits.
/// - any other negative Decimals: exponent notation in a field of Width characters with a
///   four-digit exponent (Width 22: " 1.2345678901235E+0003"); a narrower Width gives the shortest
///   form, one digit and the point.
/// A negative zero is written as zero; NaN gives "NAN" and infinities "INF" or "-INF".
/// Width is clamped to 0..kFormatRealMaxWidth and Decimals to at most kFormatRealMaxDecimals
/// (enough for every digit of the smallest double), so any arguments give a bounded text.
KROGUI_EXPORT QString FormatReal(int Width, int Decimals, double Value);
inline constexpr int kFormatRealMaxWidth = 512;
inline constexpr int kFormatRealMaxDecimals = 400;

/// Exactly Count hexadecimal digits (Count clamped to 1..8) of Value taken unsigned, upper case.
KROGUI_EXPORT QString HexDigits(qint32 Value, int Count);
/// Exactly Count octal digits (Count clamped to 1..11) of Value taken unsigned.
KROGUI_EXPORT QString OctDigits(qint32 Value, int Count);
/// Exactly Count binary digits (Count clamped to 1..32) of Value taken unsigned.
KROGUI_EXPORT QString BinDigits(qint32 Value, int Count);

/// The low 32 bits of Value rounded to the nearest integer (halves to even); what the radix
/// formats show of a real value.
KROGUI_EXPORT qint32 RoundToInt32Bits(double Value);

} // namespace kro
