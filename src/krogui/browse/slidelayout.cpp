#include <krogui/browse/slidelayout.h>
#include <krogui/core/kromath.h>

#include <algorithm>
#include <cmath>

namespace kro {

namespace {

// Floor division and remainder (the slide arithmetic also holds for numbers below zero).
qint64 FloorDiv(qint64 A, qint64 B)
{
    qint64 q = A / B;
    if ((A % B != 0) && ((A < 0) != (B < 0))) --q;
    return q;
}

qint64 FloorMod(qint64 A, qint64 B)
{
    return A - FloorDiv(A, B) * B;
}

} // namespace

int TSlideLayout::Pitch() const
{
    return std::max(1, SlideSize + SlideDistance + 2 * SlideMargin);
}

int TSlideLayout::SlidesPerRow() const
{
    return std::max(1, (Width - 2 * kSlideBorder + SlideDistance) / Pitch());
}

int TSlideLayout::RowsPainted() const
{
    return std::max(0, Height) / Pitch() + 1;
}

qint64 TSlideLayout::TopLeftSlide() const
{
    if (!std::isfinite(FirstThumbIdx)) return Min;
    return qint64(std::floor(FirstThumbIdx));
}

int TSlideLayout::ScrollOffset() const
{
    if (!std::isfinite(FirstThumbIdx)) return 0;
    return Round((FirstThumbIdx - std::floor(FirstThumbIdx)) * Pitch());
}

QPoint TSlideLayout::SlideCorner(int Row, int Col) const
{
    const int p = Pitch();
    return QPoint((Col - 1) * p + kSlideBorder,
                  (Row - 1) * p + SlideDistance - ScrollOffset() + kSlideBorder);
}

qint64 TSlideLayout::SlideAt(int Row, int Col) const
{
    return TopLeftSlide() + qint64(Row - 1) * std::max(1, NumSlidesHoriz) + Col - 1;
}

bool TSlideLayout::HitTest(int X, int Y, int &Slide) const
{
    Slide = 0;
    const int p = Pitch();
    const int ext = Extent();
    if (X < kSlideBorder || X > Width - kSlideBorder || Y < kSlideBorder || Y > Height - kSlideBorder)
        return false;
    const int c = (X - kSlideBorder) / p + 1;
    const int left = (c - 1) * p + kSlideBorder;
    if (X < left || X > left + ext || c > std::max(1, NumSlidesHoriz)) return false;
    const int o = ScrollOffset();
    const qint64 r = (qint64(Y) + o - SlideDistance - kSlideBorder) / p;
    const qint64 top = r * p + SlideDistance - o + kSlideBorder;
    if (Y < top || Y > top + ext) return false;
    const qint64 k = SlideAt(int(r + 1), c);
    if (k < Min || k > Max) return false;
    Slide = int(k);
    return true;
}

QPoint TSlideLayout::SlidePos(int Slide) const
{
    const int p = Pitch();
    const int n = std::max(1, NumSlidesHoriz);
    const qint64 rel = qint64(Slide) - TopLeftSlide();
    const qint64 x = qint64(p) * FloorMod(rel, n) + kSlideBorder;
    const qint64 y = qint64(p) * FloorDiv(rel, n) + SlideDistance - ScrollOffset() + kSlideBorder;
    auto clampInt = [](qint64 v) { return int(std::clamp<qint64>(v, -(1ll << 30), 1ll << 30)); };
    return QPoint(clampInt(x), clampInt(y));
}

double NormalizeFirstThumbIdx(double Value, int Min, int Max, int PerRow)
{
    const int n = std::max(1, PerRow);
    if (std::isnan(Value)) Value = Min;
    Value = std::min(Value, double(Max));
    Value = std::max(Value, double(Min));
    const qint64 slide = qint64(std::floor(Value));
    const double r = double(FloorDiv(slide - 1, n) * n + 1);
    return r + (Value - r) / n;
}

TRect SlideImageRect(int X, int Y, int SlideSize, int Margin, int W, int H)
{
    const int x2 = X + SlideSize + 2 * Margin;
    const int y2 = Y + SlideSize + 2 * Margin;
    if (W <= 0 || H <= 0) return TRect{};
    if (H > W) {
        const int s = Round(double(W) * SlideSize / H);
        const int left = X + Margin + (SlideSize - s) / 2;
        return Rect(left, Y + Margin, left + s, y2 - Margin);
    }
    const int s = Round(double(H) * SlideSize / W);
    const int top = Y + Margin + (SlideSize - s) / 2;
    return Rect(X + Margin, top, x2 - Margin, top + s);
}

TRect SlideHighlightRect(int X, int Y, int SlideSize, int Margin, int WallHeight)
{
    const int right = X + 2 * Margin + SlideSize - 2;
    const int bottom = std::min(Y + 2 * Margin + SlideSize - 2, WallHeight - 3);
    return Rect(X + 2, std::max(Y + 2, 2), right, bottom);
}

} // namespace kro
