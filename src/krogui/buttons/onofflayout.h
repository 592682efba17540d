#pragma once
// The geometry of the two-state button, apart from the widget: where its glyph sits, where the
// four captions go, which points the mouse may use, and how a glyph sheet is cut.

#include <krogui/core/types.h>

#include <QImage>
#include <QPoint>

#include <array>

namespace kro {

/// The glyph's position and size inside a button of W x H and the caption height.
struct TOnOffGeometry
{
    int Width = 0, Height = 0;       // the button
    int LeftSpace = 0, TopSpace = 0; // the glyph's offset
    int GlyphWidth = 0, GlyphHeight = 0;
    int TextHeight = 0; // height of a caption line
};

enum TOnOffCaptionSide : int { ocsLeft, ocsRight, ocsTop, ocsBottom };

/// Top-left corner of a caption of width TextWidth on Side with the given alignment.
KROGUI_EXPORT QPoint OnOffCaptionPos(const TOnOffGeometry &G, TOnOffCaptionSide Side, TAlignment Align,
                                     int TextWidth);

/// Offsets that centre the glyph: (Width - GlyphWidth) div 2, (Height - GlyphHeight) div 2.
KROGUI_EXPORT QPoint OnOffCentred(int Width, int Height, int GlyphWidth, int GlyphHeight);

/// True when (X, Y) lies strictly inside the glyph's box (its outermost row and column at
/// LeftSpace and TopSpace do not count).
KROGUI_EXPORT bool OnOffInGlyph(const TOnOffGeometry &G, int X, int Y);

/// The rectangle the glyph of GW x GH is copied into, one pixel right and down of the offsets,
/// clipped to the button (it may be empty).
KROGUI_EXPORT TRect OnOffGlyphRect(const TOnOffGeometry &G, int GW, int GH);

/// Index of a glyph in a set of four: OnOff * 2 + Enabled (0 off disabled, 1 off enabled,
/// 2 on disabled, 3 on enabled).
constexpr int OnOffGlyphIndex(bool OnOff, bool Enabled)
{
    return (OnOff ? 2 : 0) + (Enabled ? 1 : 0);
}

/// Cuts a sheet of 2w x 2h into its four glyphs of w x h, in the order of OnOffGlyphIndex: the top
/// row holds on and off enabled, the bottom row on and off disabled. A sheet narrower or lower
/// than 2 x 2 gives four null images.
KROGUI_EXPORT std::array<QImage, 4> ExtractGlyphs(const QImage &Sheet);

} // namespace kro
