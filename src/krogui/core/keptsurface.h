#pragma once
// The kept surface of a self-drawn control: the off-screen picture its Paint composes, whether it
// is stale, and the output mask through which the parent shows (transparent controls).

#include <krogui/graphics/bitmap.h>

#include <QImage>

#include <functional>

class QPainter;

namespace kro {

class KROGUI_EXPORT TKeptSurface
{
public:
    TKeptSurface() = default;
    TKeptSurface(const TKeptSurface &) = delete;
    TKeptSurface &operator=(const TKeptSurface &) = delete;

    /// The picture has to be composed again before it is shown or read.
    void MarkStale() { FStale = true; }
    bool IsStale() const { return FStale; }
    /// True when the picture is stale or does not have the size W x H (at least 1 x 1).
    bool NeedsCompose(int W, int H) const;
    /// Sizes the bitmap to W x H (at least 1 x 1) and runs Paint on it. A Compose asked for from
    /// inside Paint (a drawing event that repaints) does nothing: the result is current anyway.
    /// Returns false in that case.
    bool Compose(int W, int H, const std::function<void()> &Paint);
    bool IsComposing() const { return FComposing; }
    /// Device pixels per logical pixel of the picture (1 to 4); a change makes the picture stale.
    void SetScale(int S);
    int Scale() const { return FScale; }

    TCanvas *Canvas() { return FBitmap.Canvas(); }
    TBitmap &Bitmap() { return FBitmap; }
    /// The picture at one pixel per logical pixel (the top-left device pixel of every block).
    const QImage &Image();
    /// The picture in device pixels, with its device pixel ratio.
    const QImage &DeviceImage() { return FBitmap.Image(); }

    /// Only the pixels where Mask is 1 are shown; a null image makes the surface opaque.
    void SetOutputMask(const QImage &Mask);
    const QImage &OutputMask() const { return FOutputMask; }
    bool IsOpaque() const { return FOutputMask.isNull(); }
    /// Draws the picture at (0, 0), through the output mask when there is one.
    void PaintTo(QPainter &Painter);

private:
    TBitmap FBitmap;
    QImage FOutputMask;
    QImage FShown;   // the picture with the mask applied as alpha
    QImage FLogical; // the reduced picture of a scaled surface
    qint64 FLogicalKey = 0;
    int FScale = 1;
    bool FStale = true;
    bool FComposing = false;
};

} // namespace kro
