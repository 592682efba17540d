#pragma once
// The graphics objects of a canvas: pen, brush and font. Each tells its owner when it changes.

#include <krogui/core/types.h>

#include <QFont>

#include <functional>

namespace kro {

enum TPenStyle : int { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode : int { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor, pmNotXor };
enum TBrushStyle : int {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TFillStyle : int { fsSurface, fsBorder };
/// Font styles (a set of flags).
enum TFontStyleFlag : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
/// Rendering quality of a font: the platform's default, hard-edged, or smoothed glyphs.
enum TFontQuality : int { fqDefault, fqNonAntialiased, fqAntialiased };

/// A graphics object that tells its owner when it changes.
class KROGUI_EXPORT TGraphicsObject
{
public:
    /// Called after every change (the owning control repaints, for example).
    void SetOnChange(std::function<void()> Handler) { FOnChange = std::move(Handler); }

protected:
    void Changed()
    {
        if (FOnChange) FOnChange();
    }

private:
    std::function<void()> FOnChange;
};

class KROGUI_EXPORT TPen : public TGraphicsObject
{
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    /// Line width in pixels, at least 1.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);
    void Assign(const TPen &Source);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class KROGUI_EXPORT TBrush : public TGraphicsObject
{
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    void Assign(const TBrush &Source);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

/// A font: family name, size in points (at 96 pixels per inch), colour, style flags and an
/// orientation (escapement) in tenths of a degree, counter-clockwise.
class KROGUI_EXPORT TFont : public TGraphicsObject
{
public:
    TFont();
    QString Name() const { return FName; }
    void SetName(const QString &Value);
    /// Size in points; 0 keeps the previous size.
    int Size() const { return FSize; }
    void SetSize(int Value);
    /// Height in pixels as the framework has it: negative = character height (no internal leading).
    int Height() const;
    void SetHeight(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    /// Escapement in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);
    /// Glyph smoothing (fqDefault: the platform's choice).
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality Value);
    void Assign(const TFont &Source);
    /// Takes family, size and style from a QFont (size in points or pixels).
    void AssignQFont(const QFont &Font);
    /// The font as a QFont with a pixel size (96 pixels per inch), without the rotation.
    QFont ToQFont() const;
    bool operator==(const TFont &Other) const;

private:
    QString FName;
    int FSize = 8;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    int FOrientation = 0;
    TFontQuality FQuality = fqDefault;
};

/// The default font family of the controls (DejaVu Sans where installed).
KROGUI_EXPORT QString DefaultFontName();

/// A drawing surface. Either owns a painter on an image (pixels can be read and flood-filled) or
/// draws through a painter that the caller owns (a widget in its paint event).

} // namespace kro
