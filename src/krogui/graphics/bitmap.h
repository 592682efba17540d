#pragma once
// TBitmap: an off-screen RGB image with its own canvas.
//
// A bitmap has a scale S (1 unless set): Width and Height stay in logical pixels while the image
// holds S times as many device pixels each way (its devicePixelRatio is S), so that what its
// canvas draws comes out crisp on a screen of that ratio. See canvas.h for the pixel rules.

#include <krogui/graphics/canvas.h>

#include <QImage>

#include <memory>

namespace kro {

enum TPixelFormat : int { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class KROGUI_EXPORT TBitmap
{
public:
    TBitmap();
    TBitmap(int Width, int Height);
    /// A bitmap of that logical size at the given scale.
    TBitmap(int Width, int Height, int Scale);
    ~TBitmap();
    TBitmap(const TBitmap &Other);
    TBitmap &operator=(const TBitmap &Other);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    /// Changes the size; the old picture stays in the top-left corner, new pixels are white.
    /// Negative sizes count as 0. Each side keeps the value set, also while the other is 0 (the
    /// bitmap is then empty): SetHeight(0) and SetHeight(3) give back the width it had.
    void SetSize(int Width, int Height);
    void SetWidth(int Value) { SetSize(Value, Height()); }
    void SetHeight(int Value) { SetSize(Width(), Value); }
    /// Device pixels per logical pixel (1 to 4).
    int Scale() const { return FScale; }
    /// Changes the scale; the picture is kept, enlarged or reduced to the new pixels.
    void SetScale(int Value);
    bool Empty() const { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }

    /// The canvas that draws on this bitmap (pixel-exact, see canvas.h).
    TCanvas *Canvas() { return FCanvas.get(); }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    /// Kept for the callers that set it; the pixels are always 32-bit RGB.
    void SetPixelFormat(TPixelFormat Value) { FPixelFormat = Value; }
    /// Raw pixels of one row of the image (0x00RRGGBB words, alpha byte 0xFF); nullptr outside
    /// the image. Rows and columns are device pixels: Scale() of them per logical pixel.
    uchar *ScanLine(int Row);

    /// When set, Draw and StretchDraw leave out the pixels of TransparentColor.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    /// clDefault means the colour of the bottom-left pixel.
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value) { FTransparentColor = Value; }
    /// The transparent colour actually used (clDefault resolved).
    TColor TransparentColorValue() const;

    /// Copies the picture of Source (not its canvas state).
    void Assign(const TBitmap &Source);
    /// Takes a QImage (converted to RGB32); its device pixel ratio becomes the scale.
    void Assign(const QImage &Source);
    /// The picture (pending drawing flushed), in device pixels with the ratio Scale().
    const QImage &Image() const;

    /// Loads a BMP, PNG or JPEG file; raises EKROError for a missing or unreadable file and leaves
    /// the bitmap unchanged then.
    void LoadFromFile(const QString &FileName);
    /// Loads one of the package's named pictures (CHECKEDBOX, SEGVERT, ...); raises EKROError
    /// for an unknown name.
    void LoadFromResourceName(const QString &Name);
    /// True when the package has a picture of that name.
    static bool HasResource(const QString &Name);
    bool SaveToFile(const QString &FileName) const;

    /// A one-bit mask: 1 where the pixel has colour C, 0 elsewhere (device pixels).
    QImage MaskOf(TColor C) const;

private:
    void Reset(QImage Img);
    QImage FImage;
    int FWidth = 0, FHeight = 0; // as set; the image is null while either is 0
    int FScale = 1;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
};

/// The picture of a scaled image at one pixel per logical pixel: the top-left device pixel of every
/// block (the image itself when its ratio is 1).
KROGUI_EXPORT QImage LogicalImage(const QImage &Img);
/// Device pixels per logical pixel for a device pixel ratio: the ratio rounded, 1 to 4.
KROGUI_EXPORT int ScaleOfRatio(qreal Ratio);

/// A new RGB32 image of the given size at 96 pixels per inch, filled with Fill.
KROGUI_EXPORT QImage NewSurfaceImage(int Width, int Height, TColor Fill = clWhite);

} // namespace kro
