// TMeter state: setters and their cross-checks, range events, loading, needle layouts, images,
// conversions and the mouse.
#include "testutil.h"

#include <krogui/gauges/meter.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

using namespace kro;

namespace {

// Records the range events and the paints of a meter, in order.
struct Recorder
{
    QStringList Log;
    explicit Recorder(TMeter &M)
    {
        M.SetOnOverFlow([this](QObject *) { Log << "over"; });
        M.SetOnNormalRange([this](QObject *) { Log << "normal"; });
        M.SetOnUnderFlow([this](QObject *) { Log << "under"; });
        M.SetOnMeterRendered([this](QObject *, TCanvas *) { Log << "paint"; });
    }
    QStringList Take() { return std::exchange(Log, {}); }
};

} // namespace

TEST(Meter, ConstructorValues)
{
    // The geometry follows the default rims 8/10/10 from the start.
    TMeter m;
    EXPECT_EQ(m.sizeHint(), QSize(297, 209));
    EXPECT_EQ(m.MeterRadius(), 175);
    EXPECT_EQ(QPoint(m.MeterCenterX(), m.MeterCenterY()), QPoint(148, 191));
    EXPECT_TRUE(m.NeedleLayout()->Visible());
    EXPECT_FALSE(m.NeedleLayoutSec()->Visible());
    EXPECT_EQ(*m.FontCaption(), *m.Font());
}

TEST(Meter, ValueFiresARangeEventOnEveryChangeBeforeTheRepaint)
{
    TMeter m;
    m.SetThresholdLow(0.2);
    m.SetThresholdHigh(0.8);
    Recorder r(m);
    m.SetValue(0.9);
    EXPECT_EQ(r.Take(), QStringList({"over", "paint"}));
    EXPECT_TRUE(m.IsOverFlow());
    m.SetValue(0.9); // unchanged: nothing at all
    m.SetValue(5);   // clamped to 1, still overflow: fires again
    EXPECT_EQ(r.Take(), QStringList({"over", "paint"}));
    EXPECT_EQ(m.Value(), 1);
    m.SetValue(0.8); // at the high threshold counts as overflow
    m.SetValue(0.5);
    m.SetValue(0.2); // at the low threshold counts as underflow
    EXPECT_EQ(r.Take(), QStringList({"over", "paint", "normal", "paint", "under", "paint"}));
    EXPECT_TRUE(m.IsUnderFlow());
    EXPECT_FALSE(m.IsOverFlow());

    // An invisible main needle fires no value events; threshold changes still do.
    m.NeedleLayout()->SetVisible(false);
    r.Take();
    m.SetValue(0.95);
    EXPECT_EQ(r.Take(), QStringList({"paint"}));
    EXPECT_FALSE(m.IsOverFlow());
    m.SetThresholdHigh(0.9);
    EXPECT_EQ(r.Take(), QStringList({"over", "paint"}));
    m.SetThresholdLow(0.97); // pushes the high threshold up to 0.97 too
    EXPECT_EQ(r.Take(), QStringList({"under", "paint"}));
    EXPECT_EQ(m.ThresholdHigh(), 0.97);

    // The second needle: events and repaint only while it is visible.
    m.SetValueSec(0.5);
    EXPECT_TRUE(r.Take().isEmpty());
    m.NeedleLayoutSec()->SetVisible(true);
    r.Take();
    m.SetValueSec(0.1);
    EXPECT_EQ(r.Take(), QStringList({"under", "paint"}));
}

TEST(Meter, RangeSettersCrossCheck)
{
    TMeter m;
    m.SetMeterMaxValue(100);
    m.SetValue(50);
    m.SetValueSec(10);
    m.SetThresholdHigh(80);
    m.SetMeterMinValue(150); // above the maximum: max follows, everything is lifted
    EXPECT_EQ(m.MeterMaxValue(), 151);
    EXPECT_EQ(m.Value(), 150);
    EXPECT_EQ(m.ValueSec(), 150);
    EXPECT_EQ(m.ThresholdLow(), 150);
    EXPECT_EQ(m.ThresholdHigh(), 150);
    m.SetMeterMaxValue(20); // below the minimum: min follows, everything is lowered
    EXPECT_EQ(m.MeterMinValue(), 19);
    EXPECT_EQ(m.Value(), 20);

    TMeter lg;
    lg.SetLogarithmic(true); // minimum 0: refused
    EXPECT_FALSE(lg.Logarithmic());
    lg.SetMeterMinValue(10);
    lg.SetMeterMaxValue(1000);
    lg.SetLogarithmic(true);
    ASSERT_TRUE(lg.Logarithmic());
    lg.SetMeterMaxValue(5);
    EXPECT_EQ(lg.MeterMinValue(), 4);
    lg.SetMeterMinValue(1);
    lg.SetMeterMaxValue(0.5);
    EXPECT_DOUBLE_EQ(lg.MeterMinValue(), 0.05);
    lg.SetMeterMinValue(0); // not above 1e-100 on a logarithmic scale: ignored
    lg.SetThresholdLow(-3);
    EXPECT_DOUBLE_EQ(lg.MeterMinValue(), 0.05);
    EXPECT_DOUBLE_EQ(lg.ThresholdLow(), 0.5); // lowered with the maximum, then refused

    m.SetMeterNrTicks(50);
    m.SetMeterDecPlaces(-3);
    m.SetScaleBkWidth(150);
    m.NeedleLayout()->SetHeadAngle(200);
    m.NeedleLayout()->SetPercentNeedleLength(-5);
    EXPECT_EQ(m.MeterNrTicks(), 21);
    EXPECT_EQ(m.MeterDecPlaces(), 0);
    EXPECT_EQ(m.ScaleBkWidth(), 100);
    EXPECT_EQ(m.NeedleLayout()->HeadAngle(), 180);
    EXPECT_EQ(m.NeedleLayout()->PercentNeedleLength(), 0);
}

TEST(Meter, NonFiniteAndHugeInputIsRefusedOrClamped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(),
                 inf = std::numeric_limits<double>::infinity();
    TMeter m;
    Recorder r(m);
    m.SetValue(nan);
    m.SetMeterMinValue(-inf);
    m.SetMeterMaxValue(nan);
    m.SetThresholdLow(nan);
    m.SetScaleBkWidth(nan);
    EXPECT_TRUE(r.Take().isEmpty());
    EXPECT_EQ(m.MeterMinValue(), 0);
    EXPECT_EQ(m.MeterMaxValue(), 1);
    m.SetValue(inf);
    EXPECT_EQ(m.Value(), 1);
    m.SetMeterMinValue(-1e308);
    m.SetMeterMaxValue(1e308); // the span would overflow to infinity: refused
    EXPECT_EQ(m.MeterMinValue(), -1e308);
    EXPECT_EQ(m.MeterMaxValue(), 1);
    m.Repaint();
    m.SetMeterMinValue(1e300); // min + 1 would equal min: the maximum still ends above it
    EXPECT_GT(m.MeterMaxValue(), m.MeterMinValue());
    m.NeedleLayout()->SetHeadSize(std::numeric_limits<int>::max());
    m.NeedleLayout()->SetThickness(std::numeric_limits<int>::min());
    m.SetAnchorSize(std::numeric_limits<int>::min());
    m.SetRimTop(std::numeric_limits<int>::max());
    EXPECT_EQ(m.RimTop(), 32767);
    EXPECT_EQ(m.AnchorSize(), 0);
}

TEST(Meter, LoadingStoresAndLoadedClampsTheValue)
{
    TMeter m;
    Recorder r(m);
    m.BeginLoading();
    m.SetValue(50); // before the range that admits it
    m.SetMeterMaxValue(-3);
    m.SetMeterMinValue(2); // a range with max below min can only come from a stored form
    m.SetValueSec(-7);
    m.SetRimBottom(30);
    m.SetBackGroundImg(QStringLiteral("/no/such/file.png"));
    EXPECT_TRUE(r.Take().isEmpty());
    EXPECT_EQ(m.Value(), 50);
    m.EndLoading();
    EXPECT_EQ(r.Take(), QStringList({"paint"})); // no scale is drawn, nothing divides by zero
    EXPECT_EQ(m.Value(), 2);
    EXPECT_EQ(m.ValueSec(), -7);
    EXPECT_TRUE(m.BackGroundImg().isEmpty());
    EXPECT_EQ(m.MeterCenterY(), 209 - 30 - 8);
    EXPECT_TRUE(std::isfinite(m.CalcNeedleAngle(1)));
}

TEST(Meter, NeedleLayoutChangesRepaintAlsoWithAnApplicationHandler)
{
    TMeter m;
    Recorder r(m);
    QObject *sender = nullptr;
    m.NeedleLayout()->SetOnChange([&](QObject *S) {
        sender = S;
        r.Log << "app";
    });
    m.NeedleLayout()->SetColorBody(clRed);
    EXPECT_EQ(r.Take(), QStringList({"paint", "app"}));
    EXPECT_EQ(sender, m.NeedleLayout());
    m.NeedleLayout()->SetColorBody(clRed);
    EXPECT_TRUE(r.Take().isEmpty());

    TNeedleLayout other;
    other.SetThickness(6);
    other.SetShadowDx(3);
    other.SetVisible(false);
    m.SetNeedleLayoutSec(&other);
    EXPECT_EQ(r.Take(), QStringList({"paint"}));
    EXPECT_EQ(m.NeedleLayoutSec()->Thickness(), 6);
    EXPECT_EQ(m.NeedleLayoutSec()->ShadowDx(), 3);
    EXPECT_EQ(m.NeedleLayoutSec()->HeadSize(), 20);
}

TEST(Meter, GeometryFollowsBoundsLayoutAndRims)
{
    TMeter m;
    m.SetBounds(0, 0, 400, 150);
    EXPECT_EQ(m.MeterRadius(), 116);
    m.SetMeterLayout(mlCirc360);
    EXPECT_EQ(m.MeterAngle(), 360);
    EXPECT_EQ(m.MeterCenterY(), 74);
    m.SetRimTop(20); // (150 - 20 - 10 - 16) / 2 = 52, centre 20 + 8 + 52
    EXPECT_EQ(m.MeterRadius(), 52);
    EXPECT_EQ(m.MeterCenterY(), 80);
    m.resize(300, 300); // a layout manager's resize, no event delivered to a hidden widget yet
    EXPECT_EQ(m.MeterRadius(), 127);
}

TEST(Meter, PixelToValueRoundTrips)
{
    for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360})
        for (bool log : {false, true}) {
            TMeter m;
            m.SetMeterLayout(l);
            m.SetMeterMinValue(2);
            m.SetMeterMaxValue(200);
            m.SetLogarithmic(log);
            for (double v : {2.5, 9.0, 60.0, 199.0}) {
                int x = 0, y = 0;
                m.ConvertToPixelCoords(v, 100, x, y);
                double back = 0;
                ASSERT_TRUE(m.ConvertPixelToValue(x, y, back)) << l << " " << v;
                // Off by less than the rounding to a pixel, measured along the scale.
                const double f = log ? std::log(back / v) / std::log(100.0) : (back - v) / 198;
                EXPECT_LT(std::abs(f) * m.MeterAngle() * uc_Pi / 180 * m.MeterRadius(), 0.75)
                    << l << " " << v;
            }
            int x = 0, y = 0;
            m.ConvertToPixelCoords(1e9, 50, x, y); // clamped to the maximum
            EXPECT_EQ(QPoint(x, y), MeterPointOnRay(m.MeterCenterX(), m.MeterCenterY(), m.MeterRadius() / 2,
                                                    90 - m.MeterAngle() / 2.0));
        }
}

TEST(Meter, MouseMoveReportsTheValueAfterOnMouseMove)
{
    TMeter m;
    QStringList log;
    m.SetOnMouseMove(
        [&](QObject *, TShiftState, int X, int Y) { log << QStringLiteral("move %1,%2").arg(X).arg(Y); });
    m.SetOnMouseMoveInMeter([&](QObject *S, bool Within, TShiftState Shift, double V) {
        EXPECT_EQ(S, &m);
        log << QStringLiteral("meter %1 %2 %3").arg(Within).arg(bool(Shift & ssShift)).arg(V);
    });
    test::MoveMouse(&m, QPoint(148, 20), Qt::NoButton, Qt::ShiftModifier);
    test::MoveMouse(&m, QPoint(148, 200));
    EXPECT_EQ(log, QStringList({"move 148,20", "meter 1 1 0.5", "move 148,200", "meter 0 0 0"}));
}

TEST(Meter, ImageFilesMissingUnreadableAndGood)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.png"), bad = dir.filePath("bad.png");
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(good));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();

    TMeter m;
    m.SetBackGroundImg(good);
    EXPECT_EQ(m.BackGroundImg(), good);
    EXPECT_THROW(m.SetBackGroundImg(bad), EKROError);
    EXPECT_EQ(m.BackGroundImg(), good); // the previous picture and name stay
    m.SetBackGroundImg(dir.filePath("missing.png"));
    EXPECT_TRUE(m.BackGroundImg().isEmpty());

    m.SetAnchorImage(good);
    EXPECT_EQ(m.AnchorImage(), good);
    m.SetAnchorImage(bad); // cleared silently
    EXPECT_TRUE(m.AnchorImage().isEmpty());
}
