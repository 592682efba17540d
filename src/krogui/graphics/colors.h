#pragma once
// Colour helpers: system colours, names, the predefined colour table.

#include <krogui/core/types.h>

#include <QColor>

#include <array>

namespace kro {

/// The RGB value of a colour: system colours (0xFF0000nn) are resolved through the application
/// palette; clNone and clDefault give black and the window colour; RGB colours are returned as
/// they are (high byte cleared).
KROGUI_EXPORT TColor ColorToRGB(TColor Color);
/// The colour as a QColor (system colours resolved, opaque).
KROGUI_EXPORT QColor ToQColor(TColor Color);
/// A QColor as a TColor (alpha dropped).
KROGUI_EXPORT TColor FromQColor(const QColor &Color);

/// The name of a named colour ("clRed", "clBtnFace"), otherwise "$00BBGGRR" in hexadecimal.
KROGUI_EXPORT QString ColorToString(TColor Color);
/// The inverse of ColorToString; also accepts decimal numbers. Ok is false for an unknown text
/// (the result is then clBlack).
KROGUI_EXPORT TColor StringToColor(const QString &Text, bool *Ok = nullptr);

/// Number of entries of PredefinedColors.
constexpr int NumPredefinedColors = 47;
/// The predefined colour table (0-based here): entries 0..15 the basic VGA palette, 0..19 the
/// extended palette (adds money green, sky blue, cream, medium gray), 20..46 the 27 system colours;
/// all 47 together are the standard palette.
KROGUI_EXPORT const std::array<TColor, NumPredefinedColors> &PredefinedColors();

/// The colour half-way between C1 and C2 (system colours resolved first).
KROGUI_EXPORT TColor MeanColor(TColor C1, TColor C2);

/// The frame line colours of a colour scheme: csBWG gives gray 0x808080 and white 0xFFFFFF, every
/// other scheme the system button shadow and highlight.
KROGUI_EXPORT void FrameLineColors(TColorScheme Scheme, TColor &GrayLine, TColor &WhiteLine);

} // namespace kro
