#pragma once
// TCanvas: drawing with the classic GDI pixel rules on top of QPainter.
//
// Rules (what the coordinates mean):
// - MoveTo/LineTo: a line includes its start pixel and excludes its end pixel; the pen moves.
// - Rectangle(L, T, R, B) outlines with the pen and fills with the brush x in [L, R-1],
//   y in [T, B-1]; FillRect fills the same area with the brush only. Ellipse, Arc and Pie use the
//   same bounding box; Arc and Pie run counter-clockwise from the ray through their first point to
//   the ray through their second point (equal rays give the whole ellipse).
// - Polygon fills with the brush (alternate rule) and outlines with the pen.
// - TextOut fills the text's box with the brush unless the brush style is bsClear; TextRect clips
//   to its rectangle and fills it. A font with an Orientation (tenths of a degree) is drawn rotated
//   counter-clockwise around the text's top-left corner.
// - Geometry is never antialiased. Pen modes pmCopy, pmNot, pmXor, pmNotXor, pmBlack, pmWhite,
//   pmNop; copy modes SRCCOPY, SRCAND, SRCPAINT, NOTSRCCOPY, SRCINVERT for Draw, StretchDraw and
//   CopyRect.
// - Scale: a canvas on an image whose devicePixelRatio is S (an integer, 1 to 4) keeps these
//   logical coordinates; logical pixel (x, y) is the S x S block of device pixels from (xS, yS).
//   The rules above hold block for block, while text, images and wide or antialiased painter
//   drawing go to the device pixels (crisp). Pixels reads the top-left pixel of a block, SetPixel
//   and FloodFill work on whole blocks.

#include <krogui/core/types.h>
#include <krogui/graphics/graphicsobjects.h>

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QPolygon>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QPainter;
class QPen;

namespace kro {

class TBitmap;

/// Raster operations of Draw, StretchDraw and CopyRect (the GDI codes).
using TCopyMode = quint32;
constexpr TCopyMode SRCCOPY = 0x00CC0020;
constexpr TCopyMode SRCPAINT = 0x00EE0086;
constexpr TCopyMode SRCAND = 0x008800C6;
constexpr TCopyMode SRCINVERT = 0x00660046;
constexpr TCopyMode NOTSRCCOPY = 0x00330008;
constexpr TCopyMode BLACKNESS = 0x00000042;
constexpr TCopyMode WHITENESS = 0x00FF0062;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;

/// Stretch modes of StretchDraw: colour-on-colour (nearest pixel) and halftone (smoothing).
enum TStretchMode : int { smColorOnColor = 3, smHalftone = 4 };

class KROGUI_EXPORT TCanvas
{
public:
    /// Draws into Target; the canvas must not outlive it.
    explicit TCanvas(QImage *Target);
    /// Draws through Painter (not owned). Pixels reads give clBlack and FloodFill does nothing.
    explicit TCanvas(QPainter *Painter);
    ~TCanvas();
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    TPen *Pen() { return &FPen; }
    TBrush *Brush() { return &FBrush; }
    TFont *Font() { return &FFont; }
    void SetFont(const TFont &Value) { FFont.Assign(Value); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    TStretchMode StretchMode() const { return FStretchMode; }
    void SetStretchMode(TStretchMode Value) { FStretchMode = Value; }
    QPoint PenPos() const { return FPenPos; }
    /// Device pixels per logical pixel along each side (1 unless the target image has a ratio).
    int Scale() const;
    void SetPenPos(const QPoint &P) { FPenPos = P; }

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(const QPolygon &Points);
    /// MoveTo the first point, then LineTo each following one: every segment leaves out its end
    /// pixel and the pen ends on the last point (unlike Polyline). With a colour, the pen takes it
    /// first.
    void LinePath(std::initializer_list<QPoint> Points);
    void LinePath(TColor PenColor, std::initializer_list<QPoint> Points);
    void Rectangle(int Left, int Top, int Right, int Bottom);
    void Rectangle(const TRect &R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(int Left, int Top, int Right, int Bottom);
    void FillRect(const TRect &R) { FillRect(R.Left, R.Top, R.Right, R.Bottom); }
    /// Outlines the rectangle with the brush colour, one pixel wide.
    void FrameRect(const TRect &R);
    void Ellipse(int Left, int Top, int Right, int Bottom);
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Polygon(const QPolygon &Points);
    void TextOut(int X, int Y, const QString &Text);
    void TextRect(const TRect &R, int X, int Y, const QString &Text);
    int TextWidth(const QString &Text);
    int TextHeight(const QString &Text);
    /// Draws Graphic with its top-left corner at (X, Y) using CopyMode; a bitmap with
    /// Transparent set leaves its transparent colour out.
    void Draw(int X, int Y, const TBitmap &Graphic);
    /// Draws Graphic scaled into R using CopyMode and StretchMode.
    void StretchDraw(const TRect &R, const TBitmap &Graphic);
    /// Copies Source (a rectangle of Canvas) into Dest (of this canvas), scaling when the sizes
    /// differ, using CopyMode.
    void CopyRect(const TRect &Dest, TCanvas &Canvas, const TRect &Source);
    /// fsSurface fills the area of Color around (X, Y); fsBorder fills up to a border of Color.
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);
    /// The colour of a pixel (clBlack outside the image or on a painter canvas).
    TColor Pixels(int X, int Y);
    void SetPixel(int X, int Y, TColor Color);

    /// The painter, begun (drawing through it bypasses the GDI rules).
    QPainter *Handle();
    /// Finishes pending drawing so that the target image can be read or copied.
    void Flush();
    /// The target image (nullptr for a painter canvas); flushed.
    QImage *Image();
    /// Clip rectangle for all drawing; an empty rectangle removes the clip.
    void SetClipRect(const TRect &R);

private:
    void Begin();
    void End();
    void ApplyPenMode();
    void ApplyCopyMode();
    void PlotLine(int X0, int Y0, int X1, int Y1);
    void DrawImage(const TRect &Dest, const QImage &Src, const QRect &SrcRect, const TBitmap *Graphic);
    void FixAlpha();
    QRectF EllipseBox(int L, int T, int R, int B) const;
    QPen ScaledPen() const;
    void FloodFillScaled(int X, int Y, QRgb Key, QRgb Fill, TFillStyle FillStyle, int S);
    /// Ellipse (Kind 0), Arc (1) or Pie (2) with a thin solid pen, pixel-exact; the rays are
    /// given by two points.
    void DrawEllipticFigure(int Kind, int L, int T, int R, int B, int X3, int Y3, int X4, int Y4);
    const QFontMetrics &FontMetrics();
    int Advance(const QString &Text);
    bool PenModeCopies() const;
    bool DirectTarget() const;
    void FillDirect(const QRect *Rects, int N, const QColor &Color);
    struct TFigureCache;

    QImage *FImage = nullptr;
    QPainter *FPainter = nullptr;
    bool FOwnsPainter = false;
    bool FAlphaDirty = false;
    TRect FClip;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TFont FQFontOf; // the font FQFont and FQFontMetrics were made from
    QFont FQFont;
    std::unique_ptr<QFontMetrics> FQFontMetrics;
    bool FQFontValid = false;
    QHash<QString, int> FWidths; // text widths in the current font
    TCopyMode FCopyMode = SRCCOPY;
    TStretchMode FStretchMode = smColorOnColor;
    QPoint FPenPos;
    std::unique_ptr<TFigureCache> FFigures; // pixels of the last ellipses, arcs and pies drawn
    std::vector<QRect> FRuns;               // the runs of the line being drawn
};

} // namespace kro
