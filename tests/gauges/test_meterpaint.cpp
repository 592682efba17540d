// TMeter painting: pixels at the coordinates the drawing steps define, on the default meter
// (297 x 209: radius 175, centre (148, 191), rims 8/10/10).
#include <krogui/graphics/colors.h>
#include <krogui/gauges/meter.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTemporaryDir>

#include <cmath>

using namespace kro;
using kro::test::PixelAt;

namespace {

constexpr TColor kGray = 0x808080, kWhite = 0xFFFFFF, kNavy = 0x800000;

TColor Cover()
{
    return ColorToRGB(clBtnFace);
}

QImage Shot(TMeter &M)
{
    M.Repaint();
    return M.Surface().copy();
}

int NonWhite(const QImage &Img, const QRect &R)
{
    int n = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
        for (int x = R.left(); x <= R.right(); ++x)
            n += PixelAt(Img, x, y) != kWhite;
    return n;
}

struct Px
{
    int X, Y;
    TColor C;
};

void ExpectPixels(const QImage &Img, std::initializer_list<Px> Pixels)
{
    for (const Px &p : Pixels)
        EXPECT_EQ(PixelAt(Img, p.X, p.Y), p.C) << "at (" << p.X << ", " << p.Y << ")";
}

} // namespace

TEST(MeterPaint, SixFramesAndTheColorScheme)
{
    TMeter m;
    const int W = 296, H = 208; // last column and row
    const TColor g = kGray, w = kWhite, c = Cover();
    m.SetFrameStyle(fsNone);
    ExpectPixels(Shot(m), {{0, 0, c}, {W, H, c}});
    m.SetFrameStyle(fsLowered);
    ExpectPixels(Shot(m), {{0, 0, g}, {W, 0, w}, {0, H, g}, {W, H, w}, {5, H, w}, {0, 5, g}});
    m.SetFrameStyle(fsRaised);
    ExpectPixels(Shot(m), {{0, 0, w}, {W, 0, g}, {0, H, w}, {W, H, g}, {5, H, g}, {0, 5, w}});
    m.SetFrameStyle(fsEmbossed);
    ExpectPixels(Shot(m),
                 {{0, 0, w}, {1, 1, g}, {W - 1, 5, w}, {W, 5, g}, {5, H - 1, w}, {5, H, g}, {W, 0, c}});
    m.SetFrameStyle(fsEngraved);
    ExpectPixels(Shot(m),
                 {{0, 0, g}, {1, 1, w}, {W - 1, 5, g}, {W, 5, w}, {5, H - 1, g}, {5, H, w}, {0, H, c}});
    m.SetFrameStyle(fsSimple);
    m.SetColorBakG(clYellow);
    ExpectPixels(Shot(m),
                 {{0, 0, clYellow}, {W, 0, clYellow}, {0, H, clYellow}, {W, H, clYellow}, {50, H, clYellow}});
    // The system scheme changes the frame lines only, not the rim bevel or the lamps.
    m.SetFrameStyle(fsRaised);
    m.SetColorScheme(csSystem);
    ExpectPixels(
        Shot(m),
        {{0, 5, ColorToRGB(clBtnHighlight)}, {W, 5, ColorToRGB(clBtnShadow)}, {9, 100, g}, {19, 21, g}});
}

TEST(MeterPaint, RimsBevelAndLimitLamps)
{
    TMeter m;
    QImage img = Shot(m);
    // Left rim x 0..8, bevel column 9 gray; right rim from 287 with its white bevel column.
    ExpectPixels(img, {{8, 100, Cover()}, {9, 100, kGray}, {287, 100, kWhite}, {290, 100, Cover()}});
    ExpectPixels(img, {{100, 7, Cover()}, {100, 8, kGray}, {50, 199, kWhite}, {50, 205, Cover()}});
    // The high lamp at x0 = 297 - 10 - 18, y0 = 8 + 8: outline, bevel lines, passive colour.
    const int x0 = 269, y0 = 16;
    ExpectPixels(img, {{x0, y0 + 5, 0},
                       {x0 + 5, y0, 0},
                       {x0 + 9, y0 + 5, kWhite},
                       {x0 + 8, y0 + 5, clSilver},
                       {x0 + 1, y0 + 5, kGray},
                       {x0 + 5, y0 + 9, kWhite},
                       {x0 + 5, y0 + 1, kGray},
                       {x0 + 5, y0 + 5, kGray},
                       {23, y0 + 5, kGray}});
    m.SetValue(1);
    ExpectPixels(Shot(m), {{x0 + 5, y0 + 5, clRed}, {23, y0 + 5, kGray}});
    m.SetValue(0);
    m.SetLimWatchHighOn(false);
    ExpectPixels(Shot(m), {{x0 + 5, y0 + 5, kWhite}, {23, y0 + 5, clRed}});
}

TEST(MeterPaint, NeedlePolygonTipBodyAndShadow)
{
    TMeter m;
    m.SetAnchorCovered(false);
    m.SetValue(0.5); // straight up: tip at (148, 191 - 171)
    QImage img = Shot(m);
    // Tip, the two head corners (20 px back at +-15 degrees), the line body and the minor tick above.
    ExpectPixels(img, {{148, 20, 0},
                       {148, 19, kNavy},
                       {153, 39, 0},
                       {143, 39, 0},
                       {148, 30, clSilver},
                       {148, 100, 0},
                       {147, 100, kWhite},
                       {148, 191, 0}});

    m.NeedleLayout()->SetThickness(10);
    m.NeedleLayout()->SetColorBody(clYellow);
    m.NeedleLayout()->SetShadowColor(clPurple);
    m.NeedleLayout()->SetShadowDx(3);
    m.NeedleLayout()->SetShadowDy(3);
    img = Shot(m);
    // Body from (143, 40)-(153, 40) down to the base corners (143, 191) and (153, 191); the shadow
    // 3 pixels up and to the left.
    ExpectPixels(img, {{143, 150, 0},
                       {153, 150, 0},
                       {148, 150, clYellow},
                       {154, 150, kWhite},
                       {148, 191, 0},
                       {148, 192, kWhite},
                       {140, 150, clPurple},
                       {142, 150, clPurple},
                       {145, 17, clPurple}});
}

TEST(MeterPaint, RangeBandSectors)
{
    TMeter m;
    m.SetScaleBkVisible(true);
    m.SetScaleBkWidth(10); // band between radius 158 and 179
    m.SetThresholdHigh(0.75);
    m.SetThresholdLow(0.25);
    // Radius 162 at 125, 90 and 55 degrees; inside the inner disc; beyond the band.
    const Px low{55, 58, 0x00FF00}, norm{148, 29, 0x0080FF}, high{241, 58, clRed};
    ExpectPixels(Shot(m), {low, norm, high, {148, 41, kWhite}, {148, 10, kWhite}});
    m.SetThresholdLow(0);
    m.SetThresholdHigh(1);
    ExpectPixels(Shot(m), {{55, 58, 0x0080FF}, norm, {241, 58, 0x0080FF}});
    // A sliver narrower than a pixel is no full disc: outside the scale the ring stays empty.
    m.SetThresholdLow(0.5);
    m.SetThresholdHigh(0.5001);
    ExpectPixels(Shot(m), {{55, 58, 0x00FF00}, {241, 58, clRed}, {24, 87, kWhite}});
}

TEST(MeterPaint, AnchorVariants)
{
    TMeter m;
    m.SetValue(0.5);
    // Half disc on a stand down to the bottom rim: gray right edge, white left edge.
    ExpectPixels(Shot(m), {{160, 185, Cover()},
                           {148, 170, Cover()},
                           {148, 195, Cover()},
                           {171, 195, kGray},
                           {124, 195, kWhite}});
    m.SetAnchorCovered(false);
    ExpectPixels(Shot(m), {{160, 185, kWhite}, {148, 195, kWhite}});

    // Full disc for the wide layouts (centre (148, 119)), lit from the upper left.
    TMeter f;
    f.SetColorBakG(clYellow); // white and gray come from the disc's outline only
    f.SetMeterLayout(mlCirc270);
    f.SetValue(0.5);
    QImage img = Shot(f);
    ExpectPixels(img, {{148, 119, Cover()}, {160, 125, Cover()}});
    using kro::test::CountColor;
    EXPECT_GT(CountColor(img, kWhite, 120, 91, 146, 117), 10);
    EXPECT_EQ(CountColor(img, kGray, 120, 91, 146, 117), 0);
    EXPECT_GT(CountColor(img, kGray, 150, 121, 176, 147), 10);
    EXPECT_EQ(CountColor(img, kWhite, 150, 121, 176, 147), 0);

    // An image: black pixels transparent, drawn only when the anchor is covered.
    QTemporaryDir dir;
    QImage pic(20, 20, QImage::Format_RGB32);
    pic.fill(Qt::black);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x)
            pic.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(pic.save(dir.filePath("anchor.png")));
    m.SetAnchorImage(dir.filePath("anchor.png"));
    ExpectPixels(Shot(m), {{148, 191, 0}, {139, 182, kWhite}});
    m.SetAnchorCovered(true);
    ExpectPixels(Shot(m), {{148, 191, clRed}, {143, 186, clRed}, {139, 182, kWhite}, {160, 185, kWhite}});
}

TEST(MeterPaint, LabelsPlacedReplacedAndSuppressedByTheHandler)
{
    TMeter m;
    m.SetValue(0.5);
    const QFontMetrics fm(m.Font()->ToQFont());
    const double dX = fm.horizontalAdvance("1.0") / 2.0 + 15, dY = fm.height() / 2.0 + 15;
    QStringList texts;
    QList<QPoint> corners;
    m.SetOnBeforeDrawScaleLabel([&](QObject *S, TCanvas *C, QString &T, int X, int Y) {
        EXPECT_EQ(S, &m);
        EXPECT_EQ(C, m.Canvas());
        texts << T;
        corners << QPoint(X, Y);
    });
    const QImage plain = Shot(m);
    ASSERT_EQ(texts, QStringList({"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    QList<QRect> boxes;
    for (int i = 0; i < 6; ++i) {
        const double phi = (135 - 18 * i) * uc_Pi / 180;
        const int X = 148 + int(std::lround(std::cos(phi) * (175 - dX)));
        const int Y = 191 - int(std::lround(std::sin(phi) * (175 - dY)));
        const QPoint tl(X - fm.horizontalAdvance(texts[i]) / 2, Y - fm.height() / 2);
        EXPECT_EQ(corners[i], tl) << texts[i].toStdString();
        boxes << QRect(tl, QSize(fm.horizontalAdvance(texts[i]), fm.height()));
    }
    EXPECT_GT(NonWhite(plain, boxes[2]), 0);

    m.SetOnBeforeDrawScaleLabel([](QObject *, TCanvas *, QString &T, int, int) {
        if (T == "0.4") T.clear();
    });
    QImage img = Shot(m);
    EXPECT_EQ(NonWhite(img, boxes[2]), 0);
    EXPECT_GT(NonWhite(img, boxes[1]), 0);

    m.SetOnBeforeDrawScaleLabel([](QObject *, TCanvas *, QString &T, int, int) {
        if (T == "0.4") T = "XX";
    });
    img = Shot(m);
    const QPoint centre(boxes[2].left() + fm.horizontalAdvance("0.4") / 2, boxes[2].top() + fm.height() / 2);
    const QRect xx(centre.x() - fm.horizontalAdvance("XX") / 2, boxes[2].top(), fm.horizontalAdvance("XX"),
                   fm.height());
    EXPECT_GT(NonWhite(img, xx), 0);
    const QRect around = xx.united(boxes[2]).adjusted(-6, -6, 6, 6);
    EXPECT_EQ(NonWhite(img, around) - NonWhite(img, xx.adjusted(-1, -1, 1, 1)), 0);

    // Logarithmic decade labels reach the handler the same way.
    texts.clear();
    m.SetOnBeforeDrawScaleLabel([&](QObject *, TCanvas *, QString &T, int, int) { texts << T; });
    m.SetMeterMaxValue(1000);
    m.SetMeterMinValue(1);
    m.SetMeterDecPlaces(0);
    m.SetLogarithmic(true);
    texts.clear();
    Shot(m);
    EXPECT_EQ(texts, QStringList({"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}));
}

TEST(MeterPaint, NeedleHandlerAndRenderedEventLeaveTheChromeOnTop)
{
    TMeter m;
    m.SetValue(0.5);
    bool ownNeedle = true;
    m.SetOnBeforeDrawNeedle([&](QObject *, TCanvas *C, bool &Drawn) {
        C->Brush()->SetColor(clFuchsia);
        C->FillRect(0, 0, 297, 209);
        C->Pen()->SetWidth(5);
        Drawn = ownNeedle;
    });
    m.SetOnMeterRendered([](QObject *, TCanvas *C) {
        C->SetPixel(0, 0, clRed);
        C->SetPixel(100, 100, clRed);
    });
    // No built-in needle; rims, bevel, anchor, lamps and frame drawn over the handler's picture
    // with their own one-pixel pens; the frame comes after OnMeterRendered.
    ExpectPixels(Shot(m), {{148, 100, clFuchsia},
                           {8, 100, Cover()},
                           {9, 100, kGray},
                           {160, 185, Cover()},
                           {274, 21, kGray},
                           {269, 20, 0},
                           {0, 0, kWhite},
                           {100, 100, clRed}});
    ownNeedle = false;
    ExpectPixels(Shot(m), {{148, 100, 0}, {147, 100, clFuchsia}});

    // The second needle is drawn under the main one.
    m.SetOnBeforeDrawNeedle(nullptr);
    m.NeedleLayoutSec()->SetColorOutline(clFuchsia);
    m.NeedleLayoutSec()->SetVisible(true);
    m.SetValueSec(1); // tip at (148 + 171 cos 45, 191 - 171 sin 45)
    m.SetValueSec(0.5);
    ExpectPixels(Shot(m), {{148, 100, 0}});
    m.SetValueSec(1);
    ExpectPixels(Shot(m), {{269, 70, clFuchsia}});
}

TEST(MeterPaint, NothingDrawnWhileTheRadiusIsNotPositive)
{
    TMeter m;
    int events = 0;
    m.SetOnMeterRendered([&](QObject *, TCanvas *) { ++events; });
    m.SetOnBeforeDrawNeedle([&](QObject *, TCanvas *, bool &) { ++events; });
    m.SetBounds(0, 0, 297, 30);
    const QImage img = Shot(m);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(kro::test::CountColor(img, kWhite, 0, 0, 297, 30), 297 * 30);
    m.SetBounds(0, 0, 297, 209);
    Shot(m);
    EXPECT_EQ(events, 2);
}

TEST(MeterPaint, BackgroundImageInItsThreeFillModes)
{
    QTemporaryDir dir;
    QImage pic(60, 30, QImage::Format_RGB32);
    pic.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(pic.save(dir.filePath("wide.png")));
    QImage check(2, 2, QImage::Format_RGB32);
    check.setPixel(0, 0, qRgb(0, 0, 255));
    check.setPixel(1, 1, qRgb(0, 0, 255));
    check.setPixel(1, 0, qRgb(0, 255, 0));
    check.setPixel(0, 1, qRgb(0, 255, 0));
    ASSERT_TRUE(check.save(dir.filePath("check.png")));

    TMeter m;
    m.SetBackGroundImg(dir.filePath("wide.png"));
    ExpectPixels(Shot(m), {{40, 12, clBlue}, {70, 12, kWhite}}); // own size, the rest white
    m.SetBkgndFillMode(bfStretch);
    ExpectPixels(Shot(m), {{40, 12, clBlue}, {70, 12, clBlue}});
    m.SetBackGroundImg(dir.filePath("check.png"));
    m.SetBkgndFillMode(bfTile);
    ExpectPixels(Shot(m), {{70, 12, clBlue}, {71, 12, clLime}, {71, 13, clBlue}});
    m.SetColorBakG(clYellow);
    m.SetBackGroundImg(dir.filePath("missing.png"));
    ExpectPixels(Shot(m), {{70, 12, clYellow}});
}

TEST(MeterPaint, KeptDialPictureFollowsWhatItShows)
{
    TMeter m;
    m.SetValue(0.5);
    const QImage first = Shot(m);
    m.SetValue(0.7); // only the needle moves
    m.SetValue(0.5);
    EXPECT_EQ(Shot(m), first);
    // Label colour, band, caption and a label handler all reach the picture at once.
    m.Font()->SetColor(clRed);
    EXPECT_GT(kro::test::CountColor(Shot(m), clRed, 20, 20, 280, 190), 0);
    m.SetThresholdLow(0.25);
    m.SetScaleBkVisible(true);
    m.SetScaleBkWidth(10);
    ExpectPixels(Shot(m), {{55, 58, 0x00FF00}});
    m.SetCaption(QStringLiteral("Amps"));
    EXPECT_NE(Shot(m), first);
    int calls = 0;
    m.SetOnBeforeDrawScaleLabel([&](QObject *, TCanvas *, QString &, int, int) { ++calls; });
    Shot(m);
    Shot(m);
    EXPECT_EQ(calls, 12);
}
