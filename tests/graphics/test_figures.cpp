// The angles the rasteriser of arcs and pies takes from the rays of their two points.
#include <krogui/graphics/figures_p.h>

#include <gtest/gtest.h>

using namespace kro;

TEST(FigureAngles, RaysGiveStartAndCounterClockwiseSweep)
{
    double start = 0, span = 0;
    // Centre (10, 10): the ray to the right is 0 degrees, up (smaller y) is 90.
    ArcAngles(10, 10, 20, 10, 10, 0, start, span);
    EXPECT_DOUBLE_EQ(start, 0.0);
    EXPECT_DOUBLE_EQ(span, 90.0);
    // The other way round runs the long way, still counter-clockwise.
    ArcAngles(10, 10, 10, 0, 20, 10, start, span);
    EXPECT_DOUBLE_EQ(start, 90.0);
    EXPECT_DOUBLE_EQ(span, 270.0);
    // Two points on one ray (not the same point) make no sweep of zero: a full turn.
    ArcAngles(10, 10, 20, 10, 30, 10, start, span);
    EXPECT_DOUBLE_EQ(span, 360.0);
    // Equal points: the whole ellipse.
    ArcAngles(10, 10, 3, 4, 3, 4, start, span);
    EXPECT_DOUBLE_EQ(span, 360.0);
    // A point on the centre has no direction; the result is still a finite sweep.
    ArcAngles(10, 10, 10, 10, 0, 10, start, span);
    EXPECT_TRUE(std::isfinite(start));
    EXPECT_GT(span, 0.0);
    EXPECT_LE(span, 360.0);
}
