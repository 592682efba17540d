// The Qt face of the meter and the progress bar: properties through the meta-object (what a form
// stores), the change and event signals, and the two controls in an ordinary layout.
#include "facecheck.h"
#include "testutil.h"

#include <krogui/gauges/meter.h>
#include <krogui/gauges/progbar.h>
#include <krogui/graphics/canvas.h>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace kro;
using namespace kro::test;

namespace {

// Pixels of Img in [L, R) x [T, B) close to C (anti-aliased text is not exactly its colour).
int CountNear(const QImage &Img, TColor C, int L, int T, int R, int B)
{
    const QColor want = ToQColor(C);
    int n = 0;
    for (int y = std::max(T, 0); y < std::min(B, Img.height()); ++y)
        for (int x = std::max(L, 0); x < std::min(R, Img.width()); ++x) {
            const QColor c = Img.pixelColor(x, y);
            if (std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) +
                    std::abs(c.blue() - want.blue()) <
                90)
                ++n;
        }
    return n;
}

QString WritePicture(const QTemporaryDir &Dir, const QString &Name)
{
    QImage img(16, 12, QImage::Format_RGB32);
    img.fill(QColor(200, 100, 50));
    const QString path = Dir.filePath(Name);
    img.save(path);
    return path;
}

} // namespace

TEST(GaugeFaces, MeterPropertiesRoundTrip)
{
    QTemporaryDir dir;
    TMeter m;
    // A range above zero lets the logarithmic scale be switched on; the rest keeps the order in
    // which a form writes the properties.
    m.SetMeterMinValue(0.5);
    ExpectPropertiesRoundTrip(&m, {{"ThresholdHigh", 0.9},
                                   {"BackGroundImg", WritePicture(dir, "bg.png")},
                                   {"AnchorImage", WritePicture(dir, "anchor.png")},
                                   {"NeedleLayoutPercentNeedleLength", 60},
                                   {"NeedleLayoutSecPercentNeedleLength", 60}});
    // The flattened settings are the needle layouts' own.
    EXPECT_EQ(m.NeedleLayout()->HeadSize(), m.property("NeedleLayoutHeadSize").toInt());
    EXPECT_EQ(m.NeedleLayoutSec()->ColorBody(),
              FromStoredColor(m.property("NeedleLayoutSecColorBody").value<QColor>()));
    EXPECT_EQ(m.NeedleLayoutSec()->Visible(), m.property("NeedleLayoutSecVisible").toBool());
    // Their clamps stay: a head angle beyond 180 degrees is cut there.
    m.setProperty("NeedleLayoutHeadAngle", 500);
    EXPECT_EQ(m.NeedleLayout()->HeadAngle(), 180);

    TNeedleLayout layout;
    ExpectPropertiesRoundTrip(&layout, {{"PercentNeedleLength", 50}});
}

TEST(GaugeFaces, ProgBarPropertiesRoundTrip)
{
    QTemporaryDir dir;
    TProgBar b;
    ExpectPropertiesRoundTrip(&b, {{"BackGroundImg", WritePicture(dir, "bar.png")}});
    EXPECT_FALSE(b.property("Value").isNull());
    EXPECT_EQ(b.metaObject()->userProperty().name(), QByteArray("Value"));
}

TEST(GaugeFaces, ColourFacesKeepSpecialColours)
{
    TMeter m;
    m.SetColorCover(clBtnFace);
    const QColor stored = m.property("ColorCover").value<QColor>();
    EXPECT_EQ(stored.alpha(), 1); // a system colour stays one
    m.SetColorCover(clRed);
    m.setProperty("ColorCover", stored);
    EXPECT_EQ(m.ColorCover(), clBtnFace);
    m.SetColorBakG(Qt::blue);
    EXPECT_EQ(m.ColorBakG(), clBlue);
    m.SetNeedleLayoutShadowColor(QColor(0, 0, 0, 0)); // transparent: clNone
    EXPECT_EQ(m.NeedleLayout()->ShadowColor(), clNone);
    m.SetFontCaptionColor(QColor(255, 0, 0));
    EXPECT_EQ(m.FontCaption()->Color(), clRed);

    TProgBar b;
    b.SetBarColorElem(7, QColor(0, 255, 0));
    EXPECT_EQ(b.GetBarColorElem(7), clLime);
    EXPECT_EQ(b.GetBarColorElemQColor(7), QColor(0, 255, 0));
    b.SetBarColorElem(5000, QColor(0, 255, 0)); // outside the table: ignored, no crash
    EXPECT_EQ(b.GetBarColorElem(5000), clBlack);
    b.SetColorMin(Qt::red);
    EXPECT_EQ(b.ColorMin(), clRed);
    EXPECT_EQ(b.GetBarColorElem(0), clRed);
}

TEST(GaugeFaces, MeterValueSignalsOnEveryChangeOnly)
{
    TMeter m;
    QSignalSpy value(&m, &TMeter::ValueChanged), second(&m, &TMeter::ValueSecChanged);
    m.SetValue(0.5);
    m.SetValue(0.5); // unchanged
    m.SetValue(7);   // clamped to the maximum
    m.SetValue(9);   // clamped to what it holds: no change
    ASSERT_EQ(value.count(), 2);
    EXPECT_EQ(value.at(0).at(0).toDouble(), 0.5);
    EXPECT_EQ(value.at(1).at(0).toDouble(), 1.0);
    // A narrower range pulls both needles along, and says so.
    m.SetValueSec(0.9);
    m.SetMeterMaxValue(0.6);
    ASSERT_EQ(value.count(), 3);
    EXPECT_EQ(value.at(2).at(0).toDouble(), 0.6);
    ASSERT_EQ(second.count(), 2);
    EXPECT_EQ(second.at(1).at(0).toDouble(), 0.6);
    m.SetMeterMinValue(0.1); // the values stay: nothing to report
    EXPECT_EQ(value.count(), 3);
    m.setProperty("Value", 0.2); // through the meta-object as a form does
    EXPECT_EQ(value.count(), 4);

    // Loaded from a form: stored values are taken as they come and clamped once loading ends.
    TMeter f;
    QSignalSpy loaded(&f, &TMeter::ValueChanged), loadedSec(&f, &TMeter::ValueSecChanged);
    f.BeginLoading();
    f.setProperty("Value", 30.0);
    f.setProperty("ValueSec", 4.0);
    f.setProperty("MeterMaxValue", 10.0);
    f.EndLoading();
    EXPECT_EQ(f.Value(), 10);
    ASSERT_EQ(loaded.count(), 2);
    EXPECT_EQ(loaded.at(1).at(0).toDouble(), 10.0);
    EXPECT_EQ(loadedSec.count(), 1);
}

TEST(GaugeFaces, MeterRangeSignalsRunAfterTheHandlerInConnectionOrder)
{
    TMeter m;
    m.SetThresholdLow(0.2);
    m.SetThresholdHigh(0.8);
    QStringList log;
    m.SetOnOverFlow([&](QObject *) { log << "handler"; });
    QObject::connect(&m, &TMeter::onOverFlow, [&](QObject *S) { log << (S == &m ? "first" : "?"); });
    QObject::connect(&m, &TMeter::onOverFlow, [&](QObject *) { log << "second"; });
    m.SetValue(0.9);
    EXPECT_EQ(log, QStringList({"handler", "first", "second"}));

    // Without a handler the signals still fire, each where its event does.
    m.SetOnOverFlow(nullptr);
    QSignalSpy over(&m, &TMeter::onOverFlow), normal(&m, &TMeter::onNormalRange),
        under(&m, &TMeter::onUnderFlow);
    m.SetValue(0.5);
    m.SetValue(0.1);
    m.SetValue(0.95);
    EXPECT_EQ(normal.count(), 1);
    EXPECT_EQ(under.count(), 1);
    EXPECT_EQ(over.count(), 1);
}

TEST(GaugeFaces, MeterPaintSignalsMayChangeThePicture)
{
    TMeter m;
    m.resize(297, 209);
    m.SetColorScale(0x123456);
    m.SetNeedleLayoutColorBody(0x0A0B0C);
    QSignalSpy rendered(&m, &TMeter::onMeterRendered);
    const QImage plain = m.grab().toImage();
    EXPECT_EQ(rendered.count(), 1);

    // A listener of the label signal sees every label and may suppress it; the dial is then not
    // reused from an earlier paint.
    int labels = 0;
    QObject::connect(&m, &TMeter::onBeforeDrawScaleLabel, [&](QObject *, TCanvas *, QString &Text, int, int) {
        ++labels;
        Text.clear();
    });
    // A listener of the needle signal may draw the needle itself.
    QObject::connect(&m, &TMeter::onBeforeDrawNeedle,
                     [](QObject *, TCanvas *, bool &Drawn) { Drawn = true; });
    const QImage bare = m.grab().toImage();
    EXPECT_GT(labels, 1);
    const TColor needle = m.NeedleLayout()->ColorBody();
    EXPECT_GT(CountColor(plain, needle, 0, 0, 297, 209), 0);
    EXPECT_EQ(CountColor(bare, needle, 0, 0, 297, 209), 0);
    EXPECT_LT(CountColor(bare, clBlack, 0, 0, 297, 209), CountColor(plain, clBlack, 0, 0, 297, 209));
    const int before = labels;
    m.grab();
    EXPECT_GT(labels, before);

    QSignalSpy moved(&m, &TMeter::onMouseMoveInMeter);
    MoveMouse(&m, QPoint(m.MeterCenterX(), 40));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_TRUE(moved.at(0).at(1).toBool());
    EXPECT_NEAR(moved.at(0).at(3).toDouble(), 0.5, 0.02);

    QSignalSpy changed(m.NeedleLayout(), &TNeedleLayout::onChange);
    m.SetNeedleLayoutThickness(5);
    m.SetNeedleLayoutThickness(5);
    EXPECT_EQ(changed.count(), 1);
}

TEST(GaugeFaces, ProgBarSignals)
{
    TProgBar b;
    QSignalSpy value(&b, &TProgBar::ValueChanged), inc(&b, &TProgBar::onAutoInc);
    b.SetAutoIncStep(40);
    b.DoTimer();
    b.DoTimer();
    b.DoTimer(); // reaches the end: 100, and switches itself off
    EXPECT_EQ(inc.count(), 3);
    EXPECT_EQ(value.count(), 3);
    EXPECT_EQ(b.Value(), 100);

    int shown = 0;
    const auto link = QObject::connect(&b, &TProgBar::onShowValue, [&](QObject *, QString &Text) {
        ++shown;
        EXPECT_EQ(Text, "100");
        Text.clear(); // nothing drawn
    });
    b.SetFont([] {
        TFont f;
        f.SetColor(0x0000FE);
        return f;
    }());
    const QImage img = b.grab().toImage();
    EXPECT_GT(shown, 0);
    EXPECT_EQ(CountNear(img, 0x0000FE, 0, 0, img.width(), img.height()), 0);
    QObject::disconnect(link);
    EXPECT_GT(CountNear(b.grab().toImage(), 0x0000FE, 0, 0, img.width(), img.height()), 5);
}

namespace {

// Where the scale colour 0x123456 lies in a meter's picture; empty when nothing is wrong with it:
// the whole scale inside the rims, at least MinWidth pixels wide.
QString ScaleInside(TMeter *M, const QImage &Img, int MinWidth)
{
    const Box b = BoundsOf(Img, 0x123456);
    if (b.L < 0) return QStringLiteral("no scale drawn");
    if (b.L <= M->RimSide() || b.R >= Img.width() - 1 - M->RimSide() || b.T <= M->RimTop() ||
        b.B >= Img.height() - 1 - M->RimBottom())
        return QStringLiteral("scale %1,%2..%3,%4 runs into the rims of %5 x %6")
            .arg(b.L)
            .arg(b.T)
            .arg(b.R)
            .arg(b.B)
            .arg(Img.width())
            .arg(Img.height());
    if (b.R - b.L < MinWidth) return QStringLiteral("scale only %1 pixels wide").arg(b.R - b.L);
    return {};
}

} // namespace

TEST(GaugeLayout, MeterShrunkAndStretchedKeepsItsScaleInside)
{
    for (TMeterLayout l : {mlCirc90, mlCirc180, mlCirc270, mlCirc360}) {
        SCOPED_TRACE(testing::Message() << "layout " << l);
        EXPECT_TRUE(FitsInLayout(
            [l](QWidget *Parent) {
                auto *m = new TMeter(Parent);
                m->SetMeterLayout(l);
                m->SetColorScale(0x123456);
                return m;
            },
            [](QWidget *C, const QImage &Img, const QString &Stage) {
                auto *m = static_cast<TMeter *>(C);
                if (Img.width() < m->minimumSizeHint().width() ||
                    Img.height() < m->minimumSizeHint().height())
                    return QStringLiteral("smaller than its minimum");
                // At the minimum a usable scale; stretched, the scale grows with the control.
                return ScaleInside(m, Img, Stage == QLatin1String("minimum") ? 50 : Img.width() / 3);
            }));
    }

    // Much taller than wide: the dial is as wide as it can be and sits in the middle.
    TMeter m;
    m.SetColorScale(0x123456);
    m.resize(300, 900);
    const QImage tall = m.grab().toImage();
    EXPECT_EQ(ScaleInside(&m, tall, 200), QString());
    const Box b = BoundsOf(tall, 0x123456);
    EXPECT_NEAR((b.T + b.B) / 2, 450, 900 / 8);

    // Every layout has a minimum at which its scale fits, and a height for a width.
    for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360}) {
        TMeter t;
        t.SetMeterLayout(l);
        t.resize(t.minimumSizeHint());
        EXPECT_GE(t.MeterRadius(), 40) << l;
        t.resize(600, t.heightForWidth(600));
        // At its height for the width, neither dimension has room to spare.
        EXPECT_NEAR(CalcMeterGeometry(l, 600, t.height() + 40, 8, 10, 10).MeterRadius, t.MeterRadius(), 1e-9)
            << l;
        EXPECT_LT(CalcMeterGeometry(l, 600, t.height() - 10, 8, 10, 10).MeterRadius, t.MeterRadius()) << l;
    }
}

TEST(GaugeLayout, ProgBarShrunkAndStretched)
{
    EXPECT_TRUE(FitsInLayout(
        [](QWidget *Parent) {
            auto *b = new TProgBar(Parent);
            b->SetValue(50);
            b->SetColorMin(0x00C000);
            b->Font()->SetColor(0x0000FE);
            return b;
        },
        [](QWidget *C, const QImage &Img, const QString &) {
            auto *b = static_cast<TProgBar *>(C);
            // The bar shows, filled half way, and the value text is there.
            const Box bar = BoundsOf(Img, 0x00C000);
            if (bar.L < 0) return QStringLiteral("no bar");
            const int inner = Img.width() - 8 - b->MarginLeft() - b->MarginRight();
            if (std::abs(bar.R - bar.L + 1 - inner / 2) > 3)
                return QStringLiteral("bar %1 wide of %2").arg(bar.R - bar.L + 1).arg(inner);
            if (CountNear(Img, 0x0000FE, 0, 0, Img.width(), Img.height()) < 5)
                return QStringLiteral("no text");
            return QString();
        }));
}

TEST(GaugeFaces, MeterIsAnAccessibleReadOnlyIndicator)
{
    TMeter m;
    m.SetCaption(QStringLiteral("Pressure"));
    m.SetMeterMaxValue(10);
    m.SetValue(4);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&m);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Indicator);
    EXPECT_TRUE(iface->text(QAccessible::Name).startsWith(QStringLiteral("Pressure")));
    QAccessibleValueInterface *v = iface->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->currentValue().toDouble(), 4);
    EXPECT_EQ(v->minimumValue().toDouble(), 0);
    EXPECT_EQ(v->maximumValue().toDouble(), 10);
    m.SetValue(7.5);
    EXPECT_EQ(v->currentValue().toDouble(), 7.5);
    v->setCurrentValue(2.0);
    EXPECT_EQ(m.Value(), 7.5) << "a meter shows, it is not set by the user";

    TProgBar b;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&b)->role(), QAccessible::ProgressBar);
}
