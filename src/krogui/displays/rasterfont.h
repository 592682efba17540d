#pragma once
// Character matrices of the dot-matrix label: the built-in 7 x 12 Latin-1 dot font and the
// sampling of any other font into dots.

#include <krogui/graphics/canvas.h>
#include <krogui/kroguiexport.h>

#include <QtGlobal>

namespace kro {

/// The dots of every character code 0..255: a plain value type that applications may build
/// themselves and hand to TRasterLab::SetCharMatrix.
struct TRDCharMatrix
{
    /// Widest character, in dot columns.
    qint32 FontWidth = 0;
    /// Number of dot rows used (at most 32).
    qint32 FontHeight = 0;
    /// First dot column of each character.
    quint8 LeftMostBit[256] = {};
    /// Last dot column of each character.
    quint8 RightMostBit[256] = {};
    /// Row patterns per character: bit j of BitData[ch][r] set means the dot in column j, row r
    /// is on.
    quint32 BitData[256][32] = {};

    bool operator==(const TRDCharMatrix &) const = default;
};
static_assert(sizeof(TRDCharMatrix) == 33288, "TRDCharMatrix is a fixed-layout record");

/// Number of dot columns of the built-in font.
constexpr int RasterFontCols = 7;
/// Number of dot rows of the built-in font: row 0 for capital accents, rows 1..9 for capitals
/// and digits, rows 10 and 11 for descenders.
constexpr int RasterFontRows = 12;

/// The built-in 7 x 12 dot font for the codes 32..255 (Latin-1); codes 0..31 have no dots and
/// LeftMostBit = RightMostBit = 0. Codes 127..160 (delete, the C1 controls and the no-break
/// space) are blank.
KROGUI_EXPORT TRDCharMatrix DefaultCharMatrix();

/// Samples the characters 32..255 of Font into dots: each character is drawn at the top-left
/// corner of a white 65 x 65 picture (hard-edged, in black, unrotated); every non-white pixel of
/// the top-left 32 x 32 pixels is a dot. An empty glyph gets LeftMostBit 31 and RightMostBit 0;
/// the space is given half the widest character.
KROGUI_EXPORT TRDCharMatrix SampleCharMatrix(const TFont &Font);

/// The matrix for Font: the built-in dot font when the lower-cased font name is "default",
/// otherwise the sampled font.
KROGUI_EXPORT TRDCharMatrix CreateBitFont(const TFont &Font);

} // namespace kro
