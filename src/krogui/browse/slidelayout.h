#pragma once
// TSlideLayout: where the slides of a thumbnail wall go, and which slide lies under a point.
// A value class without widgets; TThumbnails paints and hit-tests through it.

#include <krogui/core/types.h>

#include <QPoint>

namespace kro {

/// The free border, in pixels, around the slide area of a thumbnail wall.
constexpr int kSlideBorder = 10;

/// The layout of a wall of square slides numbered Min..Max, laid out in rows of NumSlidesHoriz
/// from left to right. FirstThumbIdx is the scroll position: its integer part is the slide in the
/// top-left position (the first of a row), its fractional part the fraction of a row by which the
/// wall is scrolled up.
///
/// Slide geometry: the pitch P = SlideSize + SlideDistance + 2 * SlideMargin. The slide in row j and
/// column i (both from 1) spans X = (i-1) * P + 10 .. X + Extent and
/// Y = (j-1) * P + SlideDistance - round(frac(FirstThumbIdx) * P) + 10 .. Y + Extent (corners
/// inclusive). Its number is int(FirstThumbIdx) + (j-1) * NumSlidesHoriz + i - 1.
struct KROGUI_EXPORT TSlideLayout
{
    int Width = 260;
    int Height = 400;
    int SlideSize = 120;
    int SlideDistance = 2;
    int SlideMargin = 7;
    int NumSlidesHoriz = 2;
    double FirstThumbIdx = 1.0;
    int Min = 1;
    int Max = 100;

    /// Distance from one slide to the next, at least 1.
    int Pitch() const;
    /// Width (and height) of a slide less one: its last pixel is at X + Extent().
    int Extent() const { return SlideSize + 2 * SlideMargin; }
    /// Slides per row that fit the width: (Width - 20 + SlideDistance) div P, at least 1.
    int SlidesPerRow() const;
    /// Rows a paint covers: Height div P + 1.
    int RowsPainted() const;
    /// The slide in the top-left position (the integer part of FirstThumbIdx).
    qint64 TopLeftSlide() const;
    /// Pixels by which the top row is scrolled up: round(frac(FirstThumbIdx) * P).
    int ScrollOffset() const;
    /// Top-left corner of the slide in row Row and column Col (both from 1).
    QPoint SlideCorner(int Row, int Col) const;
    /// Number of the slide in row Row and column Col (it may lie outside Min..Max).
    qint64 SlideAt(int Row, int Col) const;
    /// True when a slide of Min..Max covers (X, Y); Slide is then its number. Points in the gaps
    /// between slides, outside the row's columns and within the free border hit nothing.
    bool HitTest(int X, int Y, int &Slide) const;
    /// Top-left corner of slide Slide relative to the current scroll position (slides above the
    /// top row get negative rows, so their Y lies above the wall).
    QPoint SlidePos(int Slide) const;
};

/// The scroll position written as FirstThumbIdx = Value: Value is clamped to Min..Max (Min wins
/// when Min > Max); the slide int(Value) then decides the row, whose first slide r is a whole
/// number, and the result is r + (Value - r) / PerRow. So one slide further moves the wall by
/// 1/PerRow of a row, and every row start is a whole number. Rows start at 1, 1 + PerRow, ...
/// (and below 1 likewise). NaN counts as Min.
KROGUI_EXPORT double NormalizeFirstThumbIdx(double Value, int Min, int Max, int PerRow);

/// The rectangle (right and bottom exclusive) into which an image of W x H pixels is scaled in the
/// slide with top-left corner (X, Y): the image keeps its aspect ratio, fills a square of
/// SlideSize inside the margin, and is centred across its shorter side.
KROGUI_EXPORT TRect SlideImageRect(int X, int Y, int SlideSize, int Margin, int W, int H);

/// The outline (corners inclusive) of the mouse highlight of a slide with top-left corner (X, Y)
/// in a wall of height WallHeight.
KROGUI_EXPORT TRect SlideHighlightRect(int X, int Y, int SlideSize, int Margin, int WallHeight);

} // namespace kro
