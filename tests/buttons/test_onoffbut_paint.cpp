// TOnOffBut painting: the glyph of each state, key pixels, captions, frame and transparency.
#include <krogui/buttons/onoffbut.h>
#include <krogui/graphics/colors.h>

#include "../common/testutil.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace kro;
using kro::test::BoundsOf;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

constexpr TColor kKey = 0xEBBEEB;

TColor ToTColor(QRgb P)
{
    return RGB(qRed(P), qGreen(P), qBlue(P));
}

/// Checks that the glyph sits at (LeftSpace + 1, TopSpace + 1) with key pixels in Back.
::testing::AssertionResult ShowsGlyph(TOnOffBut &B, const QImage &Glyph, TColor Back)
{
    const QImage &s = B.Surface();
    const int x0 = B.LeftSpace() + 1, y0 = B.TopSpace() + 1;
    for (int y = 0; y < Glyph.height(); ++y)
        for (int x = 0; x < Glyph.width(); ++x) {
            if (x0 + x >= s.width() || y0 + y >= s.height()) continue; // cut off by the button's edge
            const TColor g = ToTColor(Glyph.pixel(x, y));
            const TColor want = g == kKey ? Back : g;
            if (PixelAt(s, x0 + x, y0 + y) != want)
                return ::testing::AssertionFailure() << "glyph pixel " << x << "," << y;
        }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(OnOffButPaint, ShowsTheGlyphOfEachStateWithKeyPixelsInTheBackground)
{
    TOnOffBut b;
    b.SetBounds(0, 0, 120, 90);
    b.SetColorBackgnd(RGB(10, 120, 30));
    for (TOnOffButStyle style : {oobsCheckbox, oobsSmileyYellow, oobsBulb}) {
        b.SetButtonStyle(style);
        for (bool enabled : {true, false})
            for (bool on : {true, false}) {
                SCOPED_TRACE(testing::Message() << style << " on " << on << " enabled " << enabled);
                b.SetEnabled(enabled);
                b.SetOnOff(on);
                EXPECT_TRUE(ShowsGlyph(b, b.Glyph(on, enabled), RGB(10, 120, 30)));
            }
    }
    // No key colour survives anywhere on the surface.
    EXPECT_EQ(CountColor(b.Surface(), kKey, 0, 0, b.Width(), b.Height()), 0);
}

TEST(OnOffButPaint, LoweredFrameAndBackground)
{
    TOnOffBut b;
    b.SetColorBackgnd(clYellow);
    const QImage &s = b.Surface();
    EXPECT_EQ(PixelAt(s, 0, 0), TColor(0x808080));
    EXPECT_EQ(PixelAt(s, 99, 49), clWhite);
    EXPECT_EQ(PixelAt(s, 3, 3), clYellow);
    b.SetFrameStyle(fsNone);
    EXPECT_EQ(PixelAt(b.Surface(), 0, 0), clYellow);
}

TEST(OnOffButPaint, CaptionsSitBesideTheGlyphAndDisabledOnesAreEngraved)
{
    TOnOffBut b;
    b.SetBounds(0, 0, 240, 100);
    b.SetButtonStyle(oobsCheckbox);
    b.SetAutoCenter(false);
    b.SetLeftSpace(100);
    b.SetTopSpace(40);
    b.SetFrameStyle(fsNone);
    b.SetColorBackgnd(clWhite);
    b.SetColorText(clRed);
    b.SetLeftText(QStringLiteral("MMM"));
    const int w = b.Canvas()->TextWidth(QStringLiteral("MMM"));
    const int th = b.Canvas()->TextHeight(QStringLiteral("(8g]}\u00dc\u00c4\u00a7"));
    ASSERT_GT(w, 0);
    // taRightJustify: ends 3 pixels left of the glyph's offset, centred on the glyph's height.
    auto box = BoundsOf(b.Surface(), clRed);
    ASSERT_GE(box.L, 0);
    EXPECT_GE(box.L, 100 - w - 3);
    EXPECT_LT(box.R, 100 - 3);
    EXPECT_GE(box.T, 40 + (16 - th) / 2);
    EXPECT_LT(box.B, 40 + (16 - th) / 2 + th);
    b.SetLeftTextAlignment(taLeftJustify);
    box = BoundsOf(b.Surface(), clRed);
    EXPECT_GE(box.L, 4);
    EXPECT_LT(box.R, 4 + w);

    b.SetLeftText(QString());
    b.SetBottomText(QStringLiteral("MMM"));
    box = BoundsOf(b.Surface(), clRed);
    EXPECT_GE(box.T, 40 + 16 + 4);
    EXPECT_LT(box.B, 40 + 16 + 4 + th);
    EXPECT_GE(box.L, 100 + (16 - w) / 2);
    b.SetBottomText(QString());
    b.SetTopText(QStringLiteral("MMM"));
    box = BoundsOf(b.Surface(), clRed);
    EXPECT_GE(box.T, 40 - th - 4);
    EXPECT_LT(box.B, 40 - 4);

    // Disabled: gray text over a white copy one pixel right and down, no ColorText.
    b.SetColorBackgnd(clBlue);
    b.SetEnabled(false);
    const QImage &s = b.Surface();
    EXPECT_EQ(CountColor(s, clRed, 0, 0, 240, 100), 0);
    const auto gray = BoundsOf(s.copy(0, 0, 240, 40), 0x808080);
    ASSERT_GE(gray.L, 0);
    // The light copy shows beside the gray one, one pixel right and down of it.
    int light = 0, lightRight = -1;
    for (int y = 0; y < 40; ++y) // above the glyph: only the top caption
        for (int x = 0; x < s.width(); ++x)
            if (qRed(s.pixel(x, y)) > 200 && qGreen(s.pixel(x, y)) > 200) {
                ++light;
                lightRight = std::max(lightRight, x);
            }
    EXPECT_GT(light, 5);
    EXPECT_GT(lightRight, gray.R);
}

TEST(OnOffButPaint, OffsetsAtTheEdgeStayOnTheSurface)
{
    TOnOffBut b;
    b.SetAutoCenter(false);
    for (int ls : {0, 80, 99, 100})
        for (int ts : {0, 40, 49, 50}) {
            b.SetLeftSpace(ls);
            b.SetTopSpace(ts);
            const QImage &s = b.Surface();
            EXPECT_EQ(s.size(), QSize(100, 50));
        }
    // A glyph cut by the right edge shows its visible part.
    b.SetFrameStyle(fsNone);
    b.SetLeftSpace(80);
    b.SetTopSpace(10);
    const QImage on = b.Glyph(true, true);
    const QImage &s = b.Surface();
    for (int x = 0; x < 19; ++x) {
        const TColor g = ToTColor(on.pixel(x, 5));
        EXPECT_EQ(PixelAt(s, 81 + x, 16), g == kKey ? ColorToRGB(clBtnFace) : g) << x;
    }
    // The button shrunk under its offsets.
    b.SetBounds(0, 0, 10, 10);
    EXPECT_EQ(b.Surface().size(), QSize(10, 10));
}

TEST(OnOffButPaint, TransparentButtonShowsTheParentThroughKeyPixelsAndBackground)
{
    QWidget parent;
    parent.resize(200, 100);
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 200));
    parent.setPalette(pal);
    auto *b = new TOnOffBut(&parent);
    b->SetBounds(20, 10, 120, 70);
    b->SetButtonStyle(oobsRadioBut); // a round glyph: its corners are key pixels
    b->SetColorBackgnd(clYellow);
    b->SetTransparent(true);
    b->SetRightText(QStringLiteral("MMMM"));
    b->SetColorText(clRed);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    const QImage shot = parent.grab().toImage();
    const int gx = 20 + b->LeftSpace() + 1, gy = 10 + b->TopSpace() + 1;
    const QImage glyph = b->Glyph(true, true);
    ASSERT_EQ(ToTColor(glyph.pixel(0, 0)), kKey);
    EXPECT_EQ(PixelAt(shot, gx, gy), RGB(0, 0, 200)) << "key pixel";
    EXPECT_EQ(PixelAt(shot, gx + 7, gy + 7), ToTColor(glyph.pixel(7, 7))) << "glyph pixel";
    EXPECT_EQ(PixelAt(shot, 20 + 5, 10 + 60), RGB(0, 0, 200)) << "background";
    EXPECT_EQ(PixelAt(shot, 20, 10), TColor(0x808080)) << "frame";
    EXPECT_GT(CountColor(shot, clRed, 20, 10, 140, 80), 0) << "caption";
    EXPECT_EQ(CountColor(shot, clYellow, 0, 0, 200, 100), 0);
    // Opaque again: the background is the button's.
    b->SetTransparent(false);
    const QImage opaque = parent.grab().toImage();
    EXPECT_EQ(PixelAt(opaque, 20 + 5, 10 + 60), clYellow);
    EXPECT_EQ(PixelAt(opaque, gx, gy), clYellow);
}
