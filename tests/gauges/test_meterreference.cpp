// Whole meter pictures compared pixel for pixel with reference pictures: every layout, linear and
// logarithmic scales, band, both needles with shadows, every frame style, the anchor variants and
// background images. Each picture is checked twice: drawn from scratch and drawn again on the kept
// dial picture.
//
// The labels and the caption are text, so the pictures hold for the DejaVu Sans font the tests
// use elsewhere too; with another default font the comparison is skipped.
#include "testutil.h"

#include <krogui/graphics/canvas.h>
#include <krogui/graphics/colors.h>
#include <krogui/gauges/meter.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <functional>

using namespace kro;
using kro::test::MatchesReference;

namespace {

QString RefPath(const QString &Name)
{
    return QStringLiteral(KROGUI_SOURCE_DIR "/tests/gauges/reference/") + Name + QStringLiteral(".png");
}

struct Case
{
    const char *Name;
    std::function<void(TMeter &)> Setup;
};

// The benchmark's meter: band, caption, both needles, a thick main needle with a shadow.
void Busy(TMeter &M)
{
    M.SetCaption(QStringLiteral("Volts"));
    M.SetScaleBkWidth(10);
    M.SetScaleBkVisible(true);
    M.SetThresholdHigh(0.8);
    M.SetThresholdLow(0.2);
    M.NeedleLayout()->SetShadowDx(3);
    M.NeedleLayout()->SetShadowDy(3);
    M.NeedleLayout()->SetThickness(4);
    M.NeedleLayoutSec()->SetVisible(true);
    M.SetValueSec(0.3);
    M.SetValue(0.6);
}

void Logarithmic(TMeter &M)
{
    M.SetMeterMaxValue(1000);
    M.SetMeterMinValue(1);
    M.SetLogarithmic(true);
    M.SetThresholdLow(3);
    M.SetThresholdHigh(400);
    M.SetValueSec(20);
    M.SetValue(150);
}

::testing::AssertionResult SamePicture(const QImage &A, const QImage &B)
{
    if (A.size() != B.size()) return ::testing::AssertionFailure() << "the sizes differ";
    int differing = 0;
    std::string first;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            if (test::PixelAt(A, x, y) != test::PixelAt(B, x, y) && ++differing <= 8)
                first += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, first" << first;
}

// Draws the meter from scratch, then again on the kept dial picture, and compares both with the
// reference.
void Check(const Case &C)
{
    SCOPED_TRACE(C.Name);
    TMeter m;
    C.Setup(m);
    m.Repaint();
    const QImage fresh = m.Surface().copy();
    EXPECT_TRUE(MatchesReference(fresh, RefPath(QLatin1String(C.Name))));
    // A needle colour there and back repaints twice on the kept dial (the range flags stay).
    TNeedleLayout *n = m.NeedleLayout();
    const TColor body = n->ColorBody();
    n->SetColorBody(body ^ 0xFFFFFFu);
    n->SetColorBody(body);
    m.Repaint();
    EXPECT_TRUE(SamePicture(m.Surface(), fresh)) << "the kept dial gives another picture";
}

bool FontAsReferenced()
{
    return DefaultFontName() == QStringLiteral("DejaVu Sans");
}

} // namespace

TEST(MeterReference, LayoutsScalesAndFrames)
{
    if (!FontAsReferenced()) GTEST_SKIP() << "the reference pictures were drawn with DejaVu Sans";
    const TMeterLayout layouts[] = {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360};
    const TFrameStyle frames[] = {fsRaised, fsNone, fsSimple, fsLowered, fsEmbossed, fsEngraved};
    for (int i = 0; i < 6; ++i)
        for (bool log : {false, true}) {
            const QString name = QStringLiteral("meter_layout%1_%2").arg(i).arg(log ? "log" : "lin");
            const QByteArray n = name.toLatin1();
            Check({n.constData(), [&](TMeter &m) {
                       m.SetMeterLayout(layouts[i]);
                       m.SetFrameStyle(frames[(i + (log ? 3 : 0)) % 6]);
                       Busy(m);
                       if (log) Logarithmic(m);
                       if (i % 2) m.SetMeterShortTicks(false);
                   }});
        }
}

TEST(MeterReference, DefaultsColoursAndSizes)
{
    if (!FontAsReferenced()) GTEST_SKIP() << "the reference pictures were drawn with DejaVu Sans";
    const Case cases[] = {
        {"meter_default", [](TMeter &) {}},
        {"meter_colours",
         [](TMeter &m) {
             Busy(m);
             m.SetColorBakG(clYellow);
             m.SetColorCover(RGB(0x30, 0x50, 0x70));
             m.SetColorScale(clPurple);
             m.SetColorSclBkLow(clAqua);
             m.SetColorSclBkNorm(clSilver);
             m.SetColorSclBkHigh(clMaroon);
             m.SetColorScheme(csSystem);
             m.SetFrameStyle(fsEngraved);
             m.Font()->SetColor(clTeal);
             m.Font()->SetSize(10);
             TFont f;
             f.SetSize(14);
             f.SetStyle(fsBold | fsItalic);
             f.SetColor(clRed);
             m.SetFontCaption(f);
             m.SetLimWatchActColor(clLime);
             m.SetValue(0.95);
         }},
        {"meter_band_edges",
         [](TMeter &m) {
             m.SetMeterLayout(mlCirc360);
             m.SetScaleBkVisible(true);
             m.SetScaleBkWidth(35);
             m.SetThresholdLow(0);
             m.SetThresholdHigh(0.5);
             m.SetAnchorSize(12);
             m.SetValue(0.05);
         }},
        {"meter_needles",
         [](TMeter &m) {
             m.SetAnchorCovered(false);
             m.SetMeterLayout(mlCirc180);
             TNeedleLayout *n = m.NeedleLayout();
             n->SetHeadAngle(70);
             n->SetHeadSize(30);
             n->SetHeadMidLeng(12);
             n->SetThickness(9);
             n->SetPercentNeedleLength(80);
             n->SetColorBody(clRed);
             n->SetColorOutline(clBlue);
             n->SetShadowDx(-4);
             n->SetShadowDy(2);
             TNeedleLayout *s = m.NeedleLayoutSec();
             s->SetVisible(true);
             s->SetShadowDx(2);
             s->SetShadowDy(2);
             s->SetColorBody(clLime);
             m.SetValueSec(0.85);
             m.SetValue(0.15);
             m.SetMeterScaleLine(false);
             m.SetCaption(QStringLiteral("rpm x 1000"));
         }},
        {"meter_small",
         [](TMeter &m) {
             m.SetBounds(0, 0, 150, 110);
             m.SetRimTop(4);
             m.SetRimSide(5);
             m.SetRimBottom(6);
             m.SetAnchorSize(8);
             Busy(m);
         }},
        {"meter_large",
         [](TMeter &m) {
             m.SetBounds(0, 0, 420, 330);
             m.SetMeterLayout(mlCirc300);
             m.SetMeterMinValue(-50);
             m.SetMeterMaxValue(150);
             m.SetMeterDecPlaces(1);
             m.SetMeterNrTicks(8);
             Busy(m);
             m.SetValue(120);
             m.SetValueSec(-20);
         }},
        {"meter_no_scale",
         [](TMeter &m) {
             Busy(m);
             m.SetScaleVisible(false);
             m.SetLimWatchHighOn(false);
             m.SetLimWatchLowOn(false);
         }},
    };
    for (const Case &c : cases)
        Check(c);
}

TEST(MeterReference, BackgroundAndAnchorImages)
{
    if (!FontAsReferenced()) GTEST_SKIP() << "the reference pictures were drawn with DejaVu Sans";
    QTemporaryDir dir;
    QImage bg(23, 17, QImage::Format_RGB32);
    for (int y = 0; y < bg.height(); ++y)
        for (int x = 0; x < bg.width(); ++x)
            bg.setPixel(x, y, qRgb(150 + 4 * x, 200 - 5 * y, (x * y) % 256));
    ASSERT_TRUE(bg.save(dir.filePath("bg.png")));
    QImage anchor(31, 25, QImage::Format_RGB32);
    anchor.fill(Qt::black);
    for (int y = 3; y < 22; ++y)
        for (int x = 4 + y % 3; x < 27; ++x)
            anchor.setPixel(x, y, qRgb(40 + x * 5, 90, 200 - y * 4));
    ASSERT_TRUE(anchor.save(dir.filePath("anchor.png")));
    const QString bgFile = dir.filePath("bg.png"), anchorFile = dir.filePath("anchor.png");
    for (int mode = 0; mode < 3; ++mode) {
        const QByteArray name = QStringLiteral("meter_background%1").arg(mode).toLatin1();
        Check({name.constData(), [&](TMeter &m) {
                   Busy(m);
                   m.SetBackGroundImg(bgFile);
                   m.SetBkgndFillMode(TBkgFill(mode));
                   if (mode == 1) m.SetMeterLayout(mlCirc270);
                   if (mode != 0) m.SetAnchorImage(anchorFile);
               }});
    }
}
