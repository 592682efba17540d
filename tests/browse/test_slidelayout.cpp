// The slide layout of the thumbnail wall: slides per row, positions, partial rows, fractional
// scrolling, hit testing and the fitting of pictures into a slide.
#include <krogui/browse/slidelayout.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kro;

namespace {

TSlideLayout Wall(int W, int H, double First = 1.0, int PerRow = 2)
{
    TSlideLayout l;
    l.Width = W;
    l.Height = H;
    l.FirstThumbIdx = First;
    l.NumSlidesHoriz = PerRow;
    return l;
}

} // namespace

TEST(SlideLayout, SlidesPerRowAndRows)
{
    // Pitch 120 + 2 + 2 * 7 = 136.
    EXPECT_EQ(Wall(260, 400).Pitch(), 136);
    EXPECT_EQ(Wall(260, 400).SlidesPerRow(), 1); // (260 - 20 + 2) div 136
    EXPECT_EQ(Wall(300, 400).SlidesPerRow(), 2);
    EXPECT_EQ(Wall(20 + 3 * 136 - 2, 400).SlidesPerRow(), 3); // exactly three fit
    EXPECT_EQ(Wall(20 + 3 * 136 - 3, 400).SlidesPerRow(), 2);
    EXPECT_EQ(Wall(5, 400).SlidesPerRow(), 1); // never fewer than one
    EXPECT_EQ(Wall(300, 400).RowsPainted(), 3);
    EXPECT_EQ(Wall(300, 408).RowsPainted(), 4); // 408 div 136 + 1: a partial row more

    TSlideLayout zero = Wall(300, 400);
    zero.SlideSize = 0;
    zero.SlideDistance = 0;
    zero.SlideMargin = 0;
    EXPECT_EQ(zero.Pitch(), 1); // no division by zero
}

TEST(SlideLayout, PositionsAndNumbers)
{
    TSlideLayout l = Wall(300, 400, 1.0, 2);
    EXPECT_EQ(l.SlideCorner(1, 1), QPoint(10, 12));
    EXPECT_EQ(l.SlideCorner(1, 2), QPoint(146, 12));
    EXPECT_EQ(l.SlideCorner(3, 2), QPoint(146, 284));
    EXPECT_EQ(l.SlideAt(1, 1), 1);
    EXPECT_EQ(l.SlideAt(1, 2), 2);
    EXPECT_EQ(l.SlideAt(3, 1), 5);

    // Scrolled half a row: slide 3 at the top, the wall moved up by round(0.5 * 136) = 68.
    l.FirstThumbIdx = 3.5;
    EXPECT_EQ(l.TopLeftSlide(), 3);
    EXPECT_EQ(l.ScrollOffset(), 68);
    EXPECT_EQ(l.SlideCorner(1, 1), QPoint(10, 12 - 68));
    EXPECT_EQ(l.SlideAt(2, 2), 6);
    EXPECT_EQ(l.SlidePos(6), QPoint(146, 12 - 68 + 136));
    EXPECT_EQ(l.SlidePos(1), QPoint(10, 12 - 68 - 136)); // above the top row: one row up
    EXPECT_EQ(l.SlidePos(2), QPoint(146, 12 - 68 - 136));

    // Rounding of the offset: halves to even (a pitch of 128 makes the fractions exact).
    l.SlideSize = 112;
    l.FirstThumbIdx = 1.0 + 0.5 / 128; // 0.5 pixels
    EXPECT_EQ(l.ScrollOffset(), 0);
    l.FirstThumbIdx = 1.0 + 1.5 / 128;
    EXPECT_EQ(l.ScrollOffset(), 2);
}

TEST(SlideLayout, ScrollPositionIsNormalisedToRowStarts)
{
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(4, 1, 100, 2), 3.5);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(3, 1, 100, 2), 3.0);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(7, 1, 100, 3), 7.0);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(9, 1, 100, 3), 7.0 + 2.0 / 3);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(4.5, 1, 100, 2), 3.75);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(5, 1, 100, 1), 5.0);
    // Clamped to the range; Min wins when the range is empty.
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(-50, 1, 100, 2), 1.0);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(500, 1, 100, 2), 99.5);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(50, 10, 5, 2), 9.5);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(std::nan(""), 1, 100, 2), 1.0);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(std::numeric_limits<double>::infinity(), 1, 100, 2), 99.5);
    // Below 1 the rows continue the same pattern: ..., -3, -1, 1, 3, ...
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(-2, -10, 100, 2), -3.0 + 0.5);
    EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(0, -10, 100, 2), -1.0 + 0.5);
    // Row starts stay where they are.
    for (int r : {1, 3, 57, 99})
        EXPECT_DOUBLE_EQ(NormalizeFirstThumbIdx(r, 1, 100, 2), r) << r;
}

TEST(SlideLayout, HitTestingFindsTheSlideUnderAPoint)
{
    TSlideLayout l = Wall(300, 400, 1.0, 2);
    int k = -1;
    EXPECT_TRUE(l.HitTest(10, 12, k));
    EXPECT_EQ(k, 1);
    EXPECT_TRUE(l.HitTest(10 + 134, 12 + 134, k)); // bottom-right corner is inclusive
    EXPECT_EQ(k, 1);
    EXPECT_FALSE(l.HitTest(10 + 135, 50, k)); // the gap between columns
    EXPECT_EQ(k, 0);
    EXPECT_TRUE(l.HitTest(146, 50, k));
    EXPECT_EQ(k, 2);
    EXPECT_FALSE(l.HitTest(50, 11, k));       // the gap above the first row
    EXPECT_FALSE(l.HitTest(50, 12 + 135, k)); // the gap between rows
    EXPECT_TRUE(l.HitTest(50, 12 + 136, k));
    EXPECT_EQ(k, 3);
    EXPECT_FALSE(l.HitTest(9, 50, k));   // the free border
    EXPECT_FALSE(l.HitTest(50, 395, k)); // the free border at the bottom
    EXPECT_FALSE(l.HitTest(285, 50, k)); // right of the last column (and within the border)
    l.Width = 500;                       // a third column's place, but only two slides per row
    EXPECT_FALSE(l.HitTest(290, 50, k));

    // Scrolled: the top row is slide 3 and starts 68 pixels above.
    l.Width = 300;
    l.FirstThumbIdx = 3.5;
    EXPECT_TRUE(l.HitTest(20, 20, k));
    EXPECT_EQ(k, 3);
    EXPECT_TRUE(l.HitTest(150, 12 - 68 + 136 + 1, k));
    EXPECT_EQ(k, 6);
    // Past Max nothing is hit.
    l.Max = 5;
    EXPECT_FALSE(l.HitTest(150, 12 - 68 + 136 + 1, k));
    // Every slide's own corner hits that slide.
    l.Max = 100;
    for (int s = 3; s <= 8; ++s) {
        const QPoint p = l.SlidePos(s);
        if (p.y() < 10) continue;
        EXPECT_TRUE(l.HitTest(p.x(), p.y(), k)) << s;
        EXPECT_EQ(k, s);
    }
}

TEST(SlideLayout, PicturesKeepTheirAspectInsideTheMargin)
{
    // A 50 x 100 portrait in a 120-pixel slide: 60 wide, centred, full height.
    EXPECT_EQ(SlideImageRect(10, 12, 120, 7, 50, 100),
              Rect(10 + 7 + 30, 12 + 7, 10 + 7 + 30 + 60, 12 + 7 + 120));
    // A 200 x 100 landscape: 60 high, centred vertically, full width.
    EXPECT_EQ(SlideImageRect(10, 12, 120, 7, 200, 100), Rect(17, 19 + 30, 137, 19 + 30 + 60));
    // Square pictures fill the square; tiny ones are enlarged.
    EXPECT_EQ(SlideImageRect(0, 0, 120, 0, 3, 3), Rect(0, 0, 120, 120));
    // One-pixel-wide strips do not vanish into a negative size.
    const TRect strip = SlideImageRect(0, 0, 120, 0, 1, 10000);
    EXPECT_GE(strip.Width(), 0);
    EXPECT_EQ(strip.Height(), 120);
    EXPECT_TRUE(SlideImageRect(0, 0, 120, 0, 0, 10).IsEmpty());

    // The highlight stays clear of the top and bottom strips.
    EXPECT_EQ(SlideHighlightRect(10, 12, 120, 7, 400), Rect(12, 14, 142, 144));
    EXPECT_EQ(SlideHighlightRect(10, -50, 120, 7, 400).Top, 2);
    EXPECT_EQ(SlideHighlightRect(10, 300, 120, 7, 400).Bottom, 397);
}
