// The progress bar's arithmetic: colour table, mappings, fraction, filled rectangle, grid lines and
// the value text.
#include <krogui/core/kromath.h>
#include <krogui/gauges/progbarcalc.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

using namespace kro;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST(ProgBarCalc, BlendTruncatesEachChannelAndClampsT)
{
    // Red 0 -> 255 at 0.5 is 127.5, truncated; blue 255 -> 0 gives 127.5 as well.
    EXPECT_EQ(BlendColor(0xFF0000, 0x0000FF, 0.5), RGB(127, 0, 127));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(40, 80, 120), 0.0), RGB(10, 20, 30));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(40, 80, 120), 1.0), RGB(40, 80, 120));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(40, 80, 120), 7.0), RGB(40, 80, 120));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(40, 80, 120), -3.0), RGB(10, 20, 30));
    EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(40, 80, 120), kNaN), RGB(10, 20, 30));
    // The high byte never leaks into the result.
    EXPECT_EQ(BlendColor(0xFF000010, 0xFF000010, 0.5), 0x000010u);
}

TEST(ProgBarCalc, TableRefillKeepsEndsAndSpreadsStops)
{
    TBarColorArray t{};
    t[0] = 0x123456;
    t[1023] = 0x654321;
    RefillColorTable(t, 0xFF0000, 0x0000FF);
    EXPECT_EQ(t[0], 0x123456u);
    EXPECT_EQ(t[1023], 0x654321u);
    EXPECT_EQ(t[1], BlendColor(0xFF0000, 0x0000FF, 1.0 / 1023));
    EXPECT_EQ(t[1022], BlendColor(0xFF0000, 0x0000FF, 1022.0 / 1023));

    EXPECT_FALSE(SpreadColorStops(t, {}));
    EXPECT_EQ(t[0], 0x123456u) << "an empty list changes nothing";

    ASSERT_TRUE(SpreadColorStops(t, {clLime}));
    EXPECT_EQ(t[0], clLime);
    EXPECT_EQ(t[1023], clLime);

    ASSERT_TRUE(SpreadColorStops(t, {clBlack, clWhite, clBlack}));
    EXPECT_EQ(t[0], clBlack);
    EXPECT_EQ(t[1023], clBlack);
    // The middle stop sits between entries 511 and 512.
    EXPECT_GE(GetRValue(t[511]), 254);
    EXPECT_GE(GetRValue(t[512]), 254);
    EXPECT_LT(GetRValue(t[256]), 200);
}

TEST(ProgBarCalc, MappingIndicesAtTheirBoundaries)
{
    // Cover: the index follows the position in the whole bar, whatever the filled length.
    EXPECT_EQ(ColorTableIndex(cgmCover, 0, 292, 29), 0);
    EXPECT_EQ(ColorTableIndex(cgmCover, 28, 292, 29), ColorTableIndex(cgmCover, 28, 292, 292));
    EXPECT_EQ(ColorTableIndex(cgmCover, 291, 292, 292), Round(1023.0 * 291 / 292));
    // Stretch: the first line is entry 0, and the whole table spreads over the filled part.
    EXPECT_EQ(ColorTableIndex(cgmStretch, 0, 292, 29), 0);
    EXPECT_EQ(ColorTableIndex(cgmStretch, 28, 292, 29), Round(1023.0 * 28 / 29));
    EXPECT_EQ(ColorTableIndex(cgmStretch, 29, 292, 29), 1023) << "clamped";
    // Move: the moving end always shows entry 1023.
    for (int n : {1, 2, 29, 146, 292})
        EXPECT_EQ(ColorTableIndex(cgmMove, n - 1, 292, n), 1023) << n;
    EXPECT_EQ(ColorTableIndex(cgmMove, 0, 292, 292), 1023 - Round(1023.0 * 291 / 292));
    EXPECT_EQ(ColorTableIndex(cgmMove, 0, 292, 29), 1023 - Round(1023.0 * 28 / 292));
    // Degenerate lengths never divide by zero.
    for (auto m : {cgmCover, cgmStretch, cgmMove}) {
        EXPECT_EQ(ColorTableIndex(m, 0, 0, 0), 0);
        EXPECT_EQ(ColorTableIndex(m, 5, 10, 0), 0);
        EXPECT_EQ(ColorTableIndex(m, 5, -3, 4), 0);
    }
    EXPECT_EQ(ColorTableIndex(TColorMapping(9), 3, 10, 10), ColorTableIndex(cgmStretch, 3, 10, 10));
}

TEST(ProgBarCalc, FractionHandlesEmptyReversedAndHugeRanges)
{
    EXPECT_DOUBLE_EQ(ProgBarFraction(10, 0, 100), 0.1);
    EXPECT_DOUBLE_EQ(ProgBarFraction(150, 0, 100), 1.0);
    EXPECT_DOUBLE_EQ(ProgBarFraction(-5, 0, 100), 0.0);
    EXPECT_DOUBLE_EQ(ProgBarFraction(50, 50, 50), 0.0) << "Min = Max";
    EXPECT_DOUBLE_EQ(ProgBarFraction(kNaN, 0, 100), 0.0);
    EXPECT_DOUBLE_EQ(ProgBarFraction(kInf, 0, 100), 1.0);
    EXPECT_DOUBLE_EQ(ProgBarFraction(-kInf, 0, 100), 0.0);
    EXPECT_DOUBLE_EQ(ProgBarFraction(10, 100, 0), 0.9) << "reversed range";
    EXPECT_DOUBLE_EQ(ProgBarFraction(0, -DBL_MAX, DBL_MAX), 0.5) << "width beyond the double range";
    EXPECT_DOUBLE_EQ(ProgBarFraction(DBL_MAX, -DBL_MAX, DBL_MAX), 1.0);
    EXPECT_DOUBLE_EQ(ProgBarFraction(5, kNaN, 100), 0.0);
}

TEST(ProgBarCalc, FilledRectAndLinesPerDirection)
{
    const TRect area = Rect(4, 4, 296, 24); // 292 x 20
    EXPECT_EQ(ProgBarFilledRect(dirRight, area, 0.1), Rect(4, 4, 33, 24));
    EXPECT_EQ(ProgBarFilledRect(dirLeft, area, 0.1), Rect(267, 4, 296, 24));
    EXPECT_EQ(ProgBarFilledRect(dirUp, area, 0.25), Rect(4, 19, 296, 24));
    EXPECT_EQ(ProgBarFilledRect(dirDown, area, 0.25), Rect(4, 4, 296, 9));
    EXPECT_EQ(ProgBarFilledRect(dirRight, area, 1.0), area);
    EXPECT_TRUE(ProgBarFilledRect(dirUp, area, 0.0).IsEmpty());
    EXPECT_TRUE(ProgBarFilledRect(dirRight, area, kNaN).IsEmpty());
    EXPECT_EQ(ProgBarFilledRect(dirRight, area, 5.0), area) << "never past the area";
    EXPECT_TRUE(ProgBarFilledRect(dirRight, Rect(4, 4, -4, 24), 0.5).IsEmpty()) << "inverted area";

    // Line 0 is where the bar starts, line n-1 its moving end.
    const TRect up = ProgBarFilledRect(dirUp, area, 0.25);
    EXPECT_EQ(ProgBarLinePos(dirUp, up, 0), 23);
    EXPECT_EQ(ProgBarLinePos(dirUp, up, 4), 19);
    const TRect left = ProgBarFilledRect(dirLeft, area, 0.1);
    EXPECT_EQ(ProgBarLinePos(dirLeft, left, 0), 295);
    EXPECT_EQ(ProgBarLinePos(dirLeft, left, 28), 267);
    EXPECT_EQ(ProgBarLinePos(dirRight, Rect(4, 4, 33, 24), 28), 32);
    EXPECT_EQ(ProgBarLinePos(dirDown, Rect(4, 4, 296, 9), 4), 8);
}

TEST(ProgBarCalc, GridLinesRunFromTheStartToTheMovingEnd)
{
    const TRect area = Rect(4, 4, 296, 24);
    const auto right = ProgBarGridLines(dirRight, area, Rect(4, 4, 34, 24), 10);
    EXPECT_EQ(right, (std::vector<int>{4, 14, 24, 34})) << "the edge after the bar is included";
    const auto up = ProgBarGridLines(dirUp, area, Rect(4, 14, 296, 24), 5);
    EXPECT_EQ(up, (std::vector<int>{23, 18})) << "down to the last filled line only";
    const auto left = ProgBarGridLines(dirLeft, area, Rect(276, 4, 296, 24), 10);
    EXPECT_EQ(left, (std::vector<int>{295, 285}));
    const auto down = ProgBarGridLines(dirDown, area, Rect(4, 4, 296, 14), 5);
    EXPECT_EQ(down, (std::vector<int>{4, 9, 14}));
    // A full bar keeps its lines inside the area.
    const auto full = ProgBarGridLines(dirRight, Rect(0, 0, 20, 5), Rect(0, 0, 20, 5), 10);
    EXPECT_EQ(full, (std::vector<int>{0, 10}));
    EXPECT_TRUE(ProgBarGridLines(dirRight, area, area, 1).empty());
    EXPECT_TRUE(ProgBarGridLines(dirRight, area, area, -7).empty());
    EXPECT_EQ(ProgBarGridLines(dirRight, area, area, INT_MAX).size(), 1u) << "no wrap-around";
}

TEST(ProgBarCalc, ValueTextForms)
{
    EXPECT_EQ(ProgBarValueText(10, 0), QStringLiteral("10"));
    EXPECT_EQ(ProgBarValueText(2.75, 0), QStringLiteral("3"));
    EXPECT_EQ(ProgBarValueText(3.14159, 3), QStringLiteral("3.142"));
    EXPECT_EQ(ProgBarValueText(-1234.5, 1), QStringLiteral("-1234.5"));
    EXPECT_EQ(ProgBarValueText(-0.0001, 2), QStringLiteral("0.00")) << "no negative zero";
    EXPECT_EQ(ProgBarValueText(1, 99), QStringLiteral("1.0000000000")) << "clamped to 10";
    EXPECT_EQ(ProgBarValueText(15, -2), QStringLiteral("1.5E+0001"));
    EXPECT_EQ(ProgBarValueText(-0.015, -2), QStringLiteral("-1.5E-0002"));
    EXPECT_EQ(ProgBarValueText(15, -1), QStringLiteral("1.5E+01"));
    EXPECT_EQ(ProgBarValueText(0, -1), QStringLiteral("0.0E+00"));
    EXPECT_EQ(ProgBarValueText(1.5e123, -1), QStringLiteral("*********")) << "three exponent digits";
    EXPECT_EQ(ProgBarValueText(-1.5e-200, -1), QStringLiteral("**********"));
    EXPECT_EQ(ProgBarValueText(1.5e123, -2), QStringLiteral("1.5E+0123"));
    EXPECT_EQ(ProgBarValueText(15, -7), ProgBarValueText(15, -2)) << "clamped to -2";
    EXPECT_EQ(ProgBarValueText(kNaN, 0), QStringLiteral("NAN"));
    EXPECT_EQ(ProgBarValueText(kInf, -1), QStringLiteral("INF"));
    EXPECT_EQ(ProgBarValueText(-kInf, 2), QStringLiteral("-INF"));
    EXPECT_EQ(ProgBarValueText(DBL_MAX, 10).size(), 309 + 11);
}
