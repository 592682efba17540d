// The widget-free scale math of the meter: layout, ticks, labels, angles and pixel mapping.
#include <krogui/core/types.h>
#include <krogui/gauges/meterscale.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kro;

namespace {

QStringList Labels(double Min, double Max, bool Log, int NrTicks, int Dec)
{
    QStringList out;
    for (const TMeterMajorTick &t : MeterMajorTicks(Min, Max, Log, CalcMeterTickStep(Min, Max, NrTicks)))
        if (t.Labelled) out << MeterLabelText(t.Value, Dec);
    return out;
}

} // namespace

TEST(MeterScale, GeometryOfEveryLayoutAtTwoSizes)
{
    struct Case
    {
        TMeterLayout L;
        int W, H, A;
        double R;
        int CY;
    };
    const Case cases[] = {
        {mlCirc90, 297, 209, 90, 175, 191},
        {mlCirc120, 297, 209, 120, 130.5 * 1.1547, 191},
        {mlCirc180, 297, 209, 180, 130, 183},
        {mlCirc270, 297, 209, 270, 175 / (1 + std::sqrt(0.5)), 119},
        {mlCirc300, 297, 209, 300, 175 / 1.866, 110},
        {mlCirc360, 297, 209, 360, 87.5, 104},
        {mlCirc90, 400, 150, 90, 116, 132},
        {mlCirc120, 400, 150, 120, 116, 132},
        {mlCirc180, 400, 150, 180, 108, 124},
        {mlCirc300, 400, 150, 300, 116 / 1.866, 78},
        {mlCirc360, 400, 150, 360, 58, 74},
    };
    for (const Case &c : cases) {
        const TMeterGeometry g = CalcMeterGeometry(c.L, c.W, c.H, 8, 10, 10);
        SCOPED_TRACE(testing::Message() << "layout " << c.L << " size " << c.W << "x" << c.H);
        EXPECT_EQ(g.MeterAngle, c.A);
        EXPECT_NEAR(g.MeterRadius, c.R, 1e-9);
        EXPECT_EQ(g.MeterCenterX, c.W / 2);
        EXPECT_EQ(g.MeterCenterY, c.CY);
    }
}

TEST(MeterScale, WideLayoutsKeepTheBandInsideTheRims)
{
    // The band reaches 4 pixels beyond the radius; its lowest point depends on the sweep.
    for (TMeterLayout l : {mlCirc180, mlCirc270, mlCirc300, mlCirc360})
        for (int w : {60, 150, 297, 640})
            for (int h : {60, 209, 480}) {
                const TMeterGeometry g = CalcMeterGeometry(l, w, h, 8, 10, 12);
                if (g.MeterRadius <= 0) continue;
                SCOPED_TRACE(testing::Message() << "layout " << l << " size " << w << "x" << h);
                const double ro = g.MeterRadius + 4;
                const double below =
                    l == mlCirc180 ? 8 : ro * std::sin((g.MeterAngle - 180) / 2.0 * uc_Pi / 180);
                EXPECT_GE(g.MeterCenterX - ro, 10 - 1);
                EXPECT_LE(g.MeterCenterX + ro, w - 10);
                EXPECT_GE(g.MeterCenterY - ro, 8);
                EXPECT_LE(g.MeterCenterY + below, h - 12);
            }
}

TEST(MeterScale, TickStepRule)
{
    TMeterTickStep s = CalcMeterTickStep(0, 1, 3);
    EXPECT_DOUBLE_EQ(s.Step, 0.2);
    EXPECT_EQ(s.Subdivisions, 4);
    EXPECT_NEAR(s.First, 0, 1e-12);
    s = CalcMeterTickStep(0, 100, 3);
    EXPECT_DOUBLE_EQ(s.Step, 20);
    EXPECT_EQ(s.Subdivisions, 4);
    s = CalcMeterTickStep(-50, 50, 3);
    EXPECT_DOUBLE_EQ(s.First, -40);
    EXPECT_EQ(CalcMeterTickStep(3, 3, 3).Step, 0);
    // Over many ranges: at least NrTicks intervals, the step at most 2.5 times too small, and the
    // first major value the first multiple not below the minimum by more than a thousandth step.
    for (double lo : {-1234.5, -1.0, 0.0, 0.003, 7.0, 1e6})
        for (double span : {1e-3, 0.07, 1.0, 3.0, 42.0, 999.0, 5e7})
            for (int n : {2, 3, 7, 21}) {
                const TMeterTickStep t = CalcMeterTickStep(lo, lo + span, n);
                SCOPED_TRACE(testing::Message() << lo << " + " << span << " / " << n);
                const double q = span / n;
                EXPECT_LE(t.Step, q * (1 + 1e-9));
                EXPECT_GE(t.Step * 2.5, q * (1 - 1e-9));
                EXPECT_GE(t.First, lo - 0.0011 * t.Step);
                EXPECT_LT(t.First, lo + t.Step);
                EXPECT_NEAR(t.First / t.Step, std::round(t.First / t.Step), 1e-6);
            }
}

TEST(MeterScale, DefaultScaleHasSixLabelsAndThreeMinorTicksBetween)
{
    EXPECT_EQ(Labels(0, 1, false, 3, 1), QStringList({"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    const std::vector<double> minor = MeterMinorTicks(0, 1, CalcMeterTickStep(0, 1, 3));
    ASSERT_EQ(minor.size(), 15u);
    for (size_t i = 0; i < minor.size(); ++i)
        EXPECT_NEAR(minor[i], 0.2 * (i / 3) + 0.05 * (i % 3 + 1), 1e-9);
    EXPECT_EQ(Labels(0, 100, false, 3, 0), QStringList({"0", "20", "40", "60", "80", "100"}));
}

TEST(MeterScale, NegativeRangesReadWithoutMinusZero)
{
    EXPECT_EQ(Labels(-1, 0, false, 3, 1), QStringList({"-1.0", "-0.8", "-0.6", "-0.4", "-0.2", "0.0"}));
    EXPECT_EQ(Labels(-50, 50, false, 3, 0), QStringList({"-40", "-20", "0", "20", "40"}));
    const std::vector<double> minor = MeterMinorTicks(-50, 50, CalcMeterTickStep(-50, 50, 3));
    EXPECT_DOUBLE_EQ(minor.front(), -50);
    EXPECT_DOUBLE_EQ(minor.back(), 50);
    EXPECT_EQ(MeterLabelText(-0.04, 1), "0.0");
    EXPECT_EQ(MeterLabelText(-0.06, 1), "-0.1");
    EXPECT_EQ(MeterLabelText(12345.678, 2), "12345.68");
}

TEST(MeterScale, LogarithmicTicks)
{
    // A decade scale: majors at every multiple of 1, 10 and 100, labels at 1, 2 and 5.
    const std::vector<TMeterMajorTick> majors = MeterMajorTicks(1, 1000, true, CalcMeterTickStep(1, 1000, 3));
    ASSERT_EQ(majors.size(), 28u);
    EXPECT_DOUBLE_EQ(majors[10].Value, 20);
    EXPECT_DOUBLE_EQ(majors.back().Value, 1000);
    EXPECT_EQ(Labels(1, 1000, true, 3, 0),
              QStringList({"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}));
    // Less than a decade: the linear step rule, placed on logarithmic angles.
    EXPECT_EQ(Labels(1, 5, true, 3, 0), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_DOUBLE_EQ(MeterDrawAngle(10, 1, 100, true, 90), 90);
    EXPECT_DOUBLE_EQ(MeterDrawAngle(10, 1, 100, false, 90), 135 - 90 * 9 / 99.0);
    // A non-positive minimum falls back to the linear form instead of taking ln 0.
    EXPECT_DOUBLE_EQ(MeterDrawAngle(0.5, 0, 1, true, 90), 90);
}

TEST(MeterScale, DegenerateAndHostileRangesStayBounded)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(),
                 inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(MeterMajorTicks(5, 3, false, CalcMeterTickStep(5, 3, 3)).empty());
    EXPECT_TRUE(MeterMajorTicks(-1e308, 1e308, false, CalcMeterTickStep(-1e308, 1e308, 3)).empty());
    EXPECT_TRUE(MeterMinorTicks(nan, 1, CalcMeterTickStep(nan, 1, 3)).empty());
    EXPECT_EQ(CalcMeterTickStep(0, inf, 3).Step, 0);
    EXPECT_EQ(MeterScaleFraction(nan, 0, 1, false), 0);
    EXPECT_EQ(MeterScaleFraction(0.5, 1, 1, false), 0);
    // A range too narrow for double precision must not spin.
    const TMeterTickStep s = CalcMeterTickStep(1e17, 1e17 + 64, 21);
    EXPECT_LE(MeterMinorTicks(1e17, 1e17 + 64, s).size(), 10001u);
    EXPECT_LE(MeterMajorTicks(1e17, 1e17 + 64, false, s).size(), 10001u);
    EXPECT_LE(MeterMajorTicks(1e-100, 1e300, true, CalcMeterTickStep(1e-100, 1e300, 3)).size(), 9u * 401);
}

TEST(MeterScale, AnglesAndPixelMapping)
{
    EXPECT_DOUBLE_EQ(MeterNeedleAngle(-5, 0, 1, false, 90), 135);
    EXPECT_DOUBLE_EQ(MeterNeedleAngle(0.5, 0, 1, false, 90), 180);
    EXPECT_DOUBLE_EQ(MeterNeedleAngle(7, 0, 1, false, 300), 330);
    EXPECT_EQ(MeterPointOnRay(100, 100, 50, 90), QPoint(100, 50));
    EXPECT_EQ(MeterPointOnRay(100, 100, 50, 180), QPoint(50, 100));
    for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360}) {
        const TMeterGeometry g = CalcMeterGeometry(l, 297, 209, 8, 10, 10);
        double v = -1;
        // Straight below the centre lies outside every scale but the full circle.
        EXPECT_EQ(MeterPixelToValue(g.MeterCenterX, g.MeterCenterY + 20, g, 0, 1, false, v), l == mlCirc360);
        // The centre itself and straight above map to the middle.
        EXPECT_TRUE(MeterPixelToValue(g.MeterCenterX, g.MeterCenterY, g, 0, 1, false, v));
        EXPECT_DOUBLE_EQ(v, 0.5);
        EXPECT_TRUE(MeterPixelToValue(g.MeterCenterX, 5, g, 1, 100, true, v));
        EXPECT_NEAR(v, 10, 1e-9);
    }
    const TMeterGeometry g = CalcMeterGeometry(mlCirc180, 297, 209, 8, 10, 10);
    double v = -1;
    EXPECT_TRUE(MeterPixelToValue(0, g.MeterCenterY, g, 2, 4, false, v));
    EXPECT_DOUBLE_EQ(v, 2);
    EXPECT_FALSE(MeterPixelToValue(0, g.MeterCenterY + 1, g, 2, 4, false, v));
    EXPECT_EQ(v, 0);
}

TEST(MeterScale, NarrowLayoutsKeepTheBandInsideTheRimsWhenTall)
{
    // Quarter and third circles: the ends lie above the centre, R sin(A/2) beside it.
    for (TMeterLayout l : {mlCirc90, mlCirc120})
        for (int w : {60, 150, 297, 300, 640})
            for (int h : {60, 209, 300, 400, 900}) {
                const TMeterGeometry g = CalcMeterGeometry(l, w, h, 8, 10, 12);
                if (g.MeterRadius <= 0) continue;
                SCOPED_TRACE(testing::Message() << "layout " << l << " size " << w << "x" << h);
                const double half = g.MeterAngle / 2.0 * uc_Pi / 180;
                const double ro = g.MeterRadius + 4;
                EXPECT_GE(g.MeterCenterX - ro * std::sin(half), 10 - 1);
                EXPECT_LE(g.MeterCenterX + ro * std::sin(half), w - 10);
                EXPECT_GE(g.MeterCenterY - ro, 8);
            }
    // Where the height already limited the radius nothing moves.
    EXPECT_NEAR(CalcMeterGeometry(mlCirc90, 297, 209, 8, 10, 10).MeterRadius, 175, 1e-9);
    EXPECT_NEAR(CalcMeterGeometry(mlCirc90, 300, 300, 8, 10, 10).MeterRadius, 132 * std::sqrt(2.0), 1e-9);
}
