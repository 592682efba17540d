// TGradFill: band edges and colours of the four gradient types, flipping, grid, frame, OnPaint.
#include <krogui/displays/gradfill.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kro;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

// The rows (or columns) where the colour changes along the gradient, and the colour of each run.
struct Runs
{
    std::vector<int> Starts;
    std::vector<TColor> Colors;
};

Runs RunsOf(TGradFill &G, bool AlongY)
{
    const QImage img = G.Surface();
    Runs r;
    const int n = AlongY ? img.height() : img.width();
    for (int i = 0; i < n; ++i) {
        const TColor c = AlongY ? PixelAt(img, img.width() / 2, i) : PixelAt(img, i, img.height() / 2);
        if (r.Colors.empty() || r.Colors.back() != c) {
            r.Starts.push_back(i);
            r.Colors.push_back(c);
        }
    }
    return r;
}

} // namespace

TEST(GradFill, DefaultSixteenBands)
{
    TGradFill g;
    EXPECT_EQ(g.Width(), 121);
    EXPECT_EQ(g.Height(), 121);
    EXPECT_EQ(g.NrColors(), 16);
    const Runs r = RunsOf(g, true);
    // Band tops k * 121 / 16, rounded half away from zero (60.5 -> 61).
    EXPECT_EQ(r.Starts, (std::vector<int>{0, 8, 15, 23, 30, 38, 45, 53, 61, 68, 76, 83, 91, 98, 106, 113}));
    ASSERT_EQ(r.Colors.size(), 16u);
    EXPECT_EQ(r.Colors[0], clMaroon);
    EXPECT_EQ(r.Colors[1], RGB(128 + 8, 16, 0));
    EXPECT_EQ(r.Colors[15], RGB(128 + 119, 239, 0)); // 15/16 of the way, not yellow itself
    // Bands run across the whole width.
    const QImage img = g.Surface();
    EXPECT_EQ(CountColor(img, clMaroon, 0, 0, 121, 121), 121 * 8);
}

TEST(GradFill, FiveBandsEachType)
{
    TGradFill g;
    g.SetNrColors(5);
    const std::vector<int> edges{0, 24, 48, 73, 97};
    const std::vector<TColor> ramp{clMaroon, RGB(153, 51, 0), RGB(179, 102, 0), RGB(204, 153, 0),
                                   RGB(230, 204, 0)};
    Runs r = RunsOf(g, true);
    EXPECT_EQ(r.Starts, edges);
    EXPECT_EQ(r.Colors, ramp);

    g.SetFillType(gtVert);
    r = RunsOf(g, false);
    EXPECT_EQ(r.Starts, edges);
    EXPECT_EQ(r.Colors, ramp);
    EXPECT_EQ(RunsOf(g, true).Colors.size(), 1u);

    // Mirrored: bands 0 and 4, 1 and 3 equal; band 2 is the last colour itself.
    g.SetFillType(gtMidBandVert);
    r = RunsOf(g, false);
    EXPECT_EQ(r.Starts, edges);
    EXPECT_EQ(r.Colors,
              (std::vector<TColor>{clMaroon, RGB(192, 128, 0), clYellow, RGB(192, 128, 0), clMaroon}));

    g.SetFillType(gtMidBandHoriz);
    r = RunsOf(g, true);
    EXPECT_EQ(r.Starts, edges);
    EXPECT_EQ(r.Colors[2], clYellow);
    EXPECT_EQ(r.Colors[0], r.Colors[4]);

    // A falling gradient rounds the negative steps away from zero too.
    g.SetFillType(gtHoriz);
    g.SetColorFirst(clYellow);
    g.SetColorLast(clMaroon);
    r = RunsOf(g, true);
    EXPECT_EQ(r.Colors[1], RGB(230, 204, 0));
    EXPECT_EQ(r.Colors[4], RGB(153, 51, 0));
}

TEST(GradFill, SixteenMirroredBands)
{
    TGradFill g;
    g.SetFillType(gtMidBandHoriz);
    const Runs r = RunsOf(g, true);
    ASSERT_EQ(r.Colors.size(), 16u); // no two neighbouring bands are equal
    // With an even count the bands after the middle one step down from 6/8: band 9 equals band 6
    // and band 15 equals band 0.
    const QImage img = g.Surface();
    auto band = [&](int k) { return PixelAt(img, 60, (k * 121 + 8) / 16); };
    EXPECT_EQ(band(8), clYellow);
    EXPECT_EQ(band(9), band(6));
    EXPECT_EQ(band(15), band(0));
    EXPECT_EQ(band(0), clMaroon);
    EXPECT_EQ(band(7), RGB(128 + 111, 223, 0));
}

TEST(GradFill, OneBandAndClamps)
{
    TGradFill g;
    g.SetNrColors(0);
    EXPECT_EQ(g.NrColors(), 1);
    for (TGradType t : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert}) {
        g.SetFillType(t);
        EXPECT_EQ(CountColor(g.Surface(), clMaroon, 0, 0, 121, 121), 121 * 121) << int(t);
    }
    g.SetNrColors(300);
    EXPECT_EQ(g.NrColors(), 255);
    g.SetColorFirst(clBtnFace); // system colours are resolved
    g.SetNrColors(1);
    EXPECT_EQ(PixelAt(g.Surface(), 5, 5), ColorToRGB(clBtnFace));
}

TEST(GradFill, FlippedColours)
{
    TGradFill g;
    g.SetColorFlipped(true);
    EXPECT_EQ(g.ColorFirst(), clYellow);
    EXPECT_EQ(g.ColorLast(), clMaroon);
    EXPECT_EQ(PixelAt(g.Surface(), 5, 0), clYellow);
    g.SetColorFlipped(true); // again: still flipped
    EXPECT_EQ(g.ColorFirst(), clYellow);
    g.SetColorFlipped(false);
    EXPECT_EQ(g.ColorFirst(), clMaroon);
    EXPECT_EQ(g.ColorLast(), clYellow);

    g.SetColorFlipped(true);
    g.SetColorFirst(clBlue); // stored as the unflipped last colour
    EXPECT_EQ(g.ColorFirst(), clBlue);
    g.SetColorFlipped(false);
    EXPECT_EQ(g.ColorFirst(), clMaroon);
    EXPECT_EQ(g.ColorLast(), clBlue);
    g.SetColorFlipped(true);
    g.SetColorLast(clGreen); // stored as the unflipped first colour
    g.SetColorFlipped(false);
    EXPECT_EQ(g.ColorFirst(), clGreen);
    EXPECT_EQ(g.ColorLast(), clBlue);
}

TEST(GradFill, GridFrameAndOnPaint)
{
    TGradFill g;
    g.SetNrColors(5);
    EXPECT_EQ(CountColor(g.Surface(), clNavy, 0, 0, 121, 121), 0);
    g.SetGridMode(gmHoriz);
    QImage img = g.Surface();
    EXPECT_EQ(CountColor(img, clNavy, 0, 24, 121, 25), 121);
    EXPECT_EQ(CountColor(img, clNavy, 0, 97, 121, 98), 121);
    EXPECT_EQ(CountColor(img, clNavy, 0, 0, 121, 121), 4 * 121);
    g.SetGridMode(gmVert);
    img = g.Surface();
    EXPECT_EQ(CountColor(img, clNavy, 73, 0, 74, 121), 121);
    EXPECT_EQ(CountColor(img, clNavy, 0, 0, 121, 121), 4 * 121);
    g.SetGridMode(gmBoth);
    g.SetGridColor(clRed);
    EXPECT_EQ(CountColor(g.Surface(), clRed, 0, 0, 121, 121), 8 * 121 - 16);
    g.SetNrColors(1);
    EXPECT_EQ(CountColor(g.Surface(), clRed, 0, 0, 121, 121), 0);

    g.SetFrameStyle(fsSimple);
    img = g.Surface();
    EXPECT_EQ(PixelAt(img, 0, 0), clBlack);
    EXPECT_EQ(PixelAt(img, 120, 120), clBlack);
    EXPECT_EQ(PixelAt(img, 1, 1), clMaroon);

    int calls = 0;
    g.SetOnPaint([&](QObject *s) {
        ++calls;
        auto *self = static_cast<TGradFill *>(s);
        self->Canvas()->Brush()->SetColor(clLime);
        self->Canvas()->FillRect(10, 10, 20, 20);
    });
    g.Repaint();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(CountColor(g.Surface(), clLime, 0, 0, 121, 121), 100);
}

TEST(GradFill, FillTypeRefusesUnknownValues)
{
    TGradFill g;
    g.SetFillType(gtVert);
    try {
        g.SeTGradType(TGradType(7));
        FAIL() << "no exception";
    } catch (const EKROError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TGradFill.FillType"));
    }
    EXPECT_EQ(g.FillType(), gtVert);
    // The property's writer (a stored form, setProperty) cannot raise: it ignores the value.
    EXPECT_NO_THROW(g.SetFillType(TGradType(7)));
    EXPECT_NO_THROW(g.setProperty("FillType", 9));
    EXPECT_EQ(g.FillType(), gtVert);
    EXPECT_TRUE(g.setProperty("FillType", QVariant::fromValue(gtMidBandHoriz)));
    EXPECT_EQ(g.FillType(), gtMidBandHoriz);
}
