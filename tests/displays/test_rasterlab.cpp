// TRasterLab: the dot font, dot geometry, block modes, frames, sizing and scrolling.
#include <krogui/displays/rasterlab.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <set>
#include <vector>

using namespace kro;
using kro::test::BoundsOf;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

constexpr TColor kOff = 0x404040;

int DotsOf(const TRDCharMatrix &M, int Code)
{
    int n = 0;
    for (int r = 0; r < 32; ++r)
        n += std::popcount(M.BitData[Code][r]);
    return n;
}

// A label without frame so that pixel positions are those of the dots alone.
struct Plain : TRasterLab
{
    Plain()
    {
        SetFrameStyle(fsNone);
        SetBounds(0, 0, 120, 60);
    }
};

} // namespace

TEST(RasterFont, BuiltInGlyphsKeepTheirRows)
{
    struct Row
    {
        int Code, Left, Right;
        std::vector<int> Rows;
    };
    const std::vector<Row> expected = {
        {32, 0, 6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {33, 3, 3, {0x00, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x00, 0x08, 0x00, 0x00}},
        {46, 3, 3, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00}},
        {48, 1, 5, {0x00, 0x1C, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x1C, 0x00, 0x00}},
        {49, 1, 5, {0x00, 0x08, 0x0E, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x3E, 0x00, 0x00}},
        {56, 1, 5, {0x00, 0x1C, 0x22, 0x22, 0x22, 0x1C, 0x22, 0x22, 0x22, 0x1C, 0x00, 0x00}},
        {65, 0, 6, {0x00, 0x08, 0x08, 0x14, 0x14, 0x22, 0x3E, 0x22, 0x22, 0x77, 0x00, 0x00}},
        {66, 0, 6, {0x00, 0x3F, 0x42, 0x42, 0x42, 0x3E, 0x42, 0x42, 0x42, 0x3F, 0x00, 0x00}},
        {97, 0, 6, {0x00, 0x00, 0x00, 0x00, 0x1E, 0x20, 0x3E, 0x21, 0x21, 0x5E, 0x00, 0x00}},
        {103, 0, 6, {0x00, 0x00, 0x00, 0x00, 0x7E, 0x21, 0x21, 0x21, 0x3E, 0x20, 0x20, 0x1E}},
        {176, 0, 6, {0x00, 0x08, 0x14, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {196, 0, 6, {0x22, 0x08, 0x08, 0x14, 0x14, 0x22, 0x3E, 0x22, 0x22, 0x77, 0x00, 0x00}},
    };
    const TRDCharMatrix m = DefaultCharMatrix();
    EXPECT_EQ(m.FontWidth, 7);
    EXPECT_EQ(m.FontHeight, 12);
    for (const Row &e : expected) {
        SCOPED_TRACE(e.Code);
        EXPECT_EQ(m.LeftMostBit[e.Code], e.Left);
        EXPECT_EQ(m.RightMostBit[e.Code], e.Right);
        for (int r = 0; r < 12; ++r)
            EXPECT_EQ(int(m.BitData[e.Code][r]), e.Rows[r]) << "row " << r;
        for (int r = 12; r < 32; ++r)
            EXPECT_EQ(m.BitData[e.Code][r], 0u);
    }
    for (int code = 0; code < 32; ++code) {
        EXPECT_EQ(m.LeftMostBit[code], 0);
        EXPECT_EQ(m.RightMostBit[code], 0);
        EXPECT_EQ(DotsOf(m, code), 0);
    }
}

TEST(RasterFont, EveryLatin1SignIsDrawnAndDistinct)
{
    const TRDCharMatrix m = DefaultCharMatrix();
    std::set<std::vector<quint32>> seen;
    for (int code = 33; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const bool blank = code >= 127 && code <= 160;
        EXPECT_EQ(DotsOf(m, code) == 0, blank);
        // No dot may lie outside the columns that PaintChar draws, nor outside 7 x 12.
        const quint32 allowed = ((1u << (m.RightMostBit[code] + 1)) - 1) & ~((1u << m.LeftMostBit[code]) - 1);
        for (int r = 0; r < 32; ++r) {
            EXPECT_EQ(m.BitData[code][r] & ~allowed, 0u) << "row " << r;
            if (r >= 12) {
                EXPECT_EQ(m.BitData[code][r], 0u);
            }
        }
        if (!blank && code != 173) { // the soft hyphen looks like the hyphen
            EXPECT_TRUE(seen.insert(std::vector<quint32>(m.BitData[code], m.BitData[code] + 12)).second)
                << "looks like another character";
        }
    }
}

TEST(RasterFont, OtherFontsAreSampledAndDefaultRestoresTheGenerator)
{
    TRasterLab lab;
    lab.Font()->SetColor(clWhite); // the sampling must not depend on the font colour
    lab.Font()->SetName(QStringLiteral("DejaVu Sans"));
    lab.Font()->SetSize(10);
    const TRDCharMatrix &m = lab.CharMatrix();
    EXPECT_NE(m, DefaultCharMatrix());
    EXPECT_GT(m.FontHeight, 8);
    EXPECT_LE(m.FontHeight, 32);
    EXPECT_GT(DotsOf(m, 'W'), DotsOf(m, '.'));
    EXPECT_GT(m.RightMostBit[int('W')] - m.LeftMostBit[int('W')],
              m.RightMostBit[int('i')] - m.LeftMostBit[int('i')]);
    EXPECT_EQ(m.LeftMostBit[int(' ')], 0);
    EXPECT_EQ(m.RightMostBit[int(' ')], m.FontWidth / 2);
    for (int code = 0; code < 32; ++code)
        EXPECT_EQ(DotsOf(m, code) + m.LeftMostBit[code] + m.RightMostBit[code], 0);
    int widest = 0;
    for (int code = 32; code < 256; ++code)
        widest = std::max(widest, m.RightMostBit[code] - m.LeftMostBit[code] + 1);
    EXPECT_EQ(m.FontWidth, widest);

    lab.Font()->SetName(QStringLiteral("DEFAULT"));
    EXPECT_EQ(lab.CharMatrix(), DefaultCharMatrix());
}

TEST(RasterLab, DefaultsAndClamps)
{
    TRasterLab lab;
    EXPECT_EQ(lab.Width(), 400);
    EXPECT_EQ(lab.Height(), 68);
    EXPECT_EQ(lab.sizeHint(), QSize(400, 68));
    EXPECT_EQ(lab.Text(), QStringLiteral("Text"));
    EXPECT_EQ(lab.CharBlockMode(), rdbmOn);
    EXPECT_EQ(lab.FrameStyle(), fsLowered);
    EXPECT_EQ(lab.ColorDotOn(), clLime);
    EXPECT_EQ(lab.ColorDotOff(), kOff);
    EXPECT_EQ(lab.Font()->Name(), QStringLiteral("default"));

    lab.SetDotSize(40);
    EXPECT_EQ(lab.DotSize(), 32);
    lab.SetDotSize(0);
    EXPECT_EQ(lab.DotSize(), 1);
    lab.SetDotSize(-7);
    EXPECT_EQ(lab.DotSize(), 1);
    lab.SetDotSpacing(5);
    EXPECT_EQ(lab.DotSpacing(), 3);
    lab.SetDotSpacing(-1);
    EXPECT_EQ(lab.DotSpacing(), 0);
    lab.SetScrollInterval(5);
    EXPECT_EQ(lab.ScrollInterval(), 10);
    lab.SetScrollIncrement(-3);
    EXPECT_EQ(lab.ScrollIncrement(), 3);
    lab.SetScrollIncrement(0);
    EXPECT_EQ(lab.ScrollIncrement(), 1);
    lab.SetScrollIncrement(std::numeric_limits<int>::min());
    EXPECT_EQ(lab.ScrollIncrement(), std::numeric_limits<int>::max());
}

TEST(RasterLab, BitLengths)
{
    TRasterLab lab; // pitch 4
    EXPECT_EQ(lab.CalcTextBitLength(QStringLiteral("Text")), 4 * 8 * 4);
    EXPECT_EQ(lab.CalcTextBitLength(QStringLiteral("1!.")), (6 + 2 + 2) * 4);
    EXPECT_EQ(lab.CalcTextBitLength(QString()), 0);
    // Characters without an entry count like an empty control code; one per code point.
    EXPECT_EQ(lab.CalcTextBitLength(QString::fromUtf8("\u20AC\U0001F600")), 2 * 2 * 4);
    lab.SetProportional(false);
    EXPECT_EQ(lab.CalcTextBitLength(QStringLiteral("1!.")), 3 * 8 * 4);
    lab.SetDotSize(5);
    lab.SetDotSpacing(2);
    EXPECT_EQ(lab.CalcTextBitLength(QStringLiteral("ab")), 2 * 8 * 7);
    lab.Repaint();
    EXPECT_EQ(lab.TextBitLength(), lab.CalcTextBitLength(lab.Text()) + 1);
}

TEST(RasterLab, DotsAndBlockModes)
{
    Plain lab;
    lab.SetText(QStringLiteral("T"));
    const int tDots = DotsOf(DefaultCharMatrix(), 'T');
    QImage img = lab.Surface();
    EXPECT_EQ(CountColor(img, clLime, 0, 0, 120, 60), tDots * 9);
    // Top bar of the T in row 1: dots at x = 1 + 4c, y = 1 + 4.
    EXPECT_EQ(PixelAt(img, 1, 5), clLime);
    EXPECT_EQ(PixelAt(img, 3, 7), clLime);
    EXPECT_EQ(PixelAt(img, 4, 5), clBlack); // raster gap between two dots
    EXPECT_EQ(PixelAt(img, 1, 1), kOff);    // an off-dot in the empty row 0
    // rdbmOn: a background stripe one pitch wide after the character (x 29..32).
    EXPECT_EQ(CountColor(img, kOff, 29, 0, 33, 60), 0);
    EXPECT_EQ(PixelAt(img, 37, 1), kOff);

    lab.SetCharBlockMode(rdbmRaster);
    img = lab.Surface();
    EXPECT_EQ(PixelAt(img, 29, 1), kOff);
    EXPECT_EQ(PixelAt(img, 32, 1), clBlack);

    lab.SetCharBlockMode(rdbmOff);
    img = lab.Surface();
    EXPECT_EQ(CountColor(img, kOff, 0, 0, 120, 60), 0);
    EXPECT_EQ(CountColor(img, clLime, 0, 0, 120, 60), tDots * 9);

    lab.SetDotSize(1);
    lab.SetDotSpacing(0);
    img = lab.Surface();
    EXPECT_EQ(CountColor(img, clLime, 0, 0, 120, 60), tDots);
    EXPECT_EQ(PixelAt(img, 1, 2), clLime);
    EXPECT_EQ(PixelAt(img, 7, 2), clLime);
    EXPECT_EQ(PixelAt(img, 8, 2), clBlack);

    // Dots of a wide pitch never overlap.
    lab.SetDotSize(4);
    lab.SetDotSpacing(0);
    EXPECT_EQ(CountColor(lab.Surface(), clLime, 0, 0, 120, 60), tDots * 16);
}

TEST(RasterLab, FixedWidthPlacesGlyphsInTheirColumns)
{
    Plain lab;
    lab.SetCharBlockMode(rdbmOff);
    lab.SetText(QStringLiteral("!!"));
    // Proportional: the '!' column sits at the origin, the second one pitch 2 later.
    kro::test::Box b = BoundsOf(lab.Surface(), clLime);
    EXPECT_EQ(b.L, 1);
    EXPECT_EQ(b.R, 1 + 2 * 4 + 2);
    lab.SetProportional(false);
    b = BoundsOf(lab.Surface(), clLime);
    EXPECT_EQ(b.L, 1 + 3 * 4);
    EXPECT_EQ(b.R, 1 + 8 * 4 + 3 * 4 + 2);
}

TEST(RasterLab, UnknownAndEmptyCharactersNeverRunBackwards)
{
    Plain lab;
    lab.SetText(QString::fromUtf8("\u20AC"));
    EXPECT_EQ(CountColor(lab.Surface(), clLime, 0, 0, 120, 60), 0);

    // A sampled font marks an empty glyph with first column 31 and last column 0.
    TRDCharMatrix m = DefaultCharMatrix();
    m.LeftMostBit[int('x')] = 31;
    m.RightMostBit[int('x')] = 0;
    std::fill(std::begin(m.BitData[int('x')]), std::end(m.BitData[int('x')]), 0u);
    lab.SetCharMatrix(m);
    lab.SetCharBlockMode(rdbmOff);
    lab.SetText(QStringLiteral("!x!"));
    EXPECT_EQ(lab.CalcTextBitLength(lab.Text()), (2 + 1 + 2) * 4);
    const kro::test::Box b = BoundsOf(lab.Surface(), clLime);
    EXPECT_EQ(b.R, 1 + 3 * 4 + 2);

    // An application's matrix with impossible sizes is drawn within bounds.
    m.FontHeight = 1000;
    m.FontWidth = -5;
    m.LeftMostBit[int('!')] = 200;
    m.RightMostBit[int('!')] = 250;
    lab.SetCharMatrix(m);
    lab.SetProportional(false);
    EXPECT_EQ(lab.CalcTextBitLength(lab.Text()), 3 * 4);
    lab.SetProportional(true);
    EXPECT_EQ(lab.CalcTextBitLength(QStringLiteral("!")), 52 * 4);
    EXPECT_EQ(CountColor(lab.Surface(), clLime, 0, 0, 120, 60), 0);
}

TEST(RasterLab, Frames)
{
    TRasterLab lab;
    lab.SetBounds(0, 0, 40, 20);
    lab.SetText(QString());
    const int W = 40, H = 20;
    struct P
    {
        int X, Y;
        TColor C;
    };
    auto check = [&](TFrameStyle S, std::vector<P> Pts) {
        lab.SetFrameStyle(S);
        const QImage img = lab.Surface();
        for (const P &p : Pts)
            EXPECT_EQ(PixelAt(img, p.X, p.Y), p.C) << "style " << int(S) << " at " << p.X << "," << p.Y;
    };
    check(fsSimple,
          {{0, 0, clGray}, {W - 1, H - 1, clGray}, {0, H - 1, clGray}, {W - 1, 0, clGray}, {1, 1, kOff}});
    check(fsLowered, {{1, 1, clBlack},
                      {1, H - 3, clBlack},
                      {W - 3, 1, clBlack},
                      {W - 2, 1, clGray},
                      {1, H - 2, clGray},
                      {0, 0, clGray},
                      {W - 2, H - 2, clGray},
                      {2, H - 1, clWhite},
                      {W - 1, H - 1, clWhite},
                      {W - 1, 1, clWhite},
                      {2, 2, kOff}});
    check(fsRaised,
          {{1, 1, clWhite}, {W - 3, 1, clWhite}, {0, H - 1, clBlack}, {W - 1, 1, clBlack}, {0, 0, clGray}});
    check(fsEmbossed, {{1, 1, clGray}, {W - 1, H - 1, clGray}, {0, 0, clWhite}, {W - 2, H - 2, clWhite}});
    check(fsEngraved, {{1, 1, clWhite}, {W - 1, H - 1, clWhite}, {0, 0, clGray}, {W - 2, H - 2, clGray}});
    lab.SetColorScheme(csSystem);
    check(fsSimple, {{0, 0, ColorToRGB(clBtnShadow)}});
    check(fsEmbossed, {{0, 0, ColorToRGB(clBtnHighlight)}});
}

TEST(RasterLab, AutoHeightAndAutoCenter)
{
    TRasterLab lab;
    lab.SetAutoHeight(true);
    EXPECT_EQ(lab.Height(), 1 + 4 * 12);
    lab.SetDotSize(2);
    EXPECT_EQ(lab.Height(), 1 + 3 * 12);
    lab.SetFrameStyle(fsEngraved);
    lab.SetDotSpacing(0);
    EXPECT_EQ(lab.Height(), 2 + 2 * 12);
    TRDCharMatrix m = DefaultCharMatrix();
    m.FontHeight = 7;
    lab.SetCharMatrix(m);
    EXPECT_EQ(lab.Height(), 2 + 2 * 7);
    lab.SetFrameStyle(fsNone);
    lab.Font()->SetName(QStringLiteral("default")); // unchanged: no rebuild
    lab.SetDotSize(3);
    EXPECT_EQ(lab.Height(), 3 * 7);

    TRasterLab c;
    c.SetAutoCenter(true);
    EXPECT_EQ(c.PosX(), (400 - 128) / 2 + 2);
    c.SetText(QStringLiteral("Hi"));
    EXPECT_EQ(c.PosX(), (400 - 64) / 2 + 2);
    c.SetDotSize(5); // pitch 6
    EXPECT_EQ(c.PosX(), (400 - 96) / 2 + 2);
    c.SetWidth(300);
    EXPECT_EQ(c.PosX(), (300 - 96) / 2 + 2);
    // Longer than the control: div truncates towards zero.
    c.SetText(QStringLiteral("TextTextTextTextTextTextTextText"));
    c.SetWidth(301);
    EXPECT_EQ(c.PosX(), -(32 * 48 - 301) / 2 + 2);
    c.SetAutoCenter(false);
    EXPECT_EQ(c.PosX(), 1);
}

TEST(RasterLab, ScrollsRightAndRestarts)
{
    TRasterLab lab;
    std::vector<QString> events;
    lab.SetOnScrollTimer([&](QObject *s) {
        EXPECT_EQ(s, &lab);
        events.push_back(QStringLiteral("tick %1").arg(lab.ScrollPosX()));
    });
    lab.SetOnScrollLoopRestart([&](QObject *) { events.push_back(QStringLiteral("restart")); });
    lab.SetScrollIncrement(50);
    lab.SetScrollMode(rdsmRight);
    EXPECT_TRUE(lab.ScrollTimer()->IsActive());
    EXPECT_EQ(lab.ScrollTimer()->Interval(), 100);

    const kro::test::Box before = BoundsOf(lab.Surface(), clLime);
    lab.ScrollTimer()->Tick();
    const kro::test::Box after = BoundsOf(lab.Surface(), clLime);
    EXPECT_EQ(after.R, before.R + 50);
    for (int i = 0; i < 7; ++i)
        lab.ScrollTimer()->Tick();
    EXPECT_EQ(lab.ScrollPosX(), 400); // not yet beyond the width
    lab.ScrollTimer()->Tick();
    const int len = lab.CalcTextBitLength(lab.Text()) + 1;
    EXPECT_EQ(lab.ScrollPosX(), -len);
    ASSERT_EQ(events.size(), 10u);
    EXPECT_EQ(events[8], QStringLiteral("restart"));
    EXPECT_EQ(events[9], QStringLiteral("tick %1").arg(-len));
    // Re-entering at the left edge: the text ends just left of the picture.
    EXPECT_EQ(CountColor(lab.Surface(), clLime, 0, 0, 400, 68), 0);
    lab.ScrollTimer()->Tick();
    EXPECT_GT(CountColor(lab.Surface(), clLime, 0, 0, 400, 68), 0);

    lab.SetScrollInterval(250);
    EXPECT_EQ(lab.ScrollTimer()->Interval(), 250);
    lab.SetScrollMode(rdsmOff);
    EXPECT_FALSE(lab.ScrollTimer()->IsActive());
    EXPECT_EQ(lab.ScrollPosX(), 0);
    EXPECT_EQ(BoundsOf(lab.Surface(), clLime).R, before.R);
}

TEST(RasterLab, WithoutLoopTheTextLeavesForGood)
{
    TRasterLab lab;
    int restarts = 0;
    lab.SetOnScrollLoopRestart([&](QObject *) { ++restarts; });
    lab.SetScrollLoop(false);
    lab.SetScrollIncrement(100);
    lab.SetScrollMode(rdsmRight);
    for (int i = 0; i < 8; ++i)
        lab.ScrollTimer()->Tick();
    EXPECT_EQ(lab.ScrollPosX(), 800);
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(CountColor(lab.Surface(), clLime, 0, 0, 400, 68), 0);
}

TEST(RasterLab, ScrollsLeftDownAndUp)
{
    TRasterLab lab; // PosX = PosY = 1, text length 129, text height 48
    int restarts = 0;
    lab.SetOnScrollLoopRestart([&](QObject *) { ++restarts; });
    lab.SetScrollIncrement(50);
    lab.SetScrollMode(rdsmLeft);
    lab.ScrollTimer()->Tick();
    lab.ScrollTimer()->Tick();
    EXPECT_EQ(lab.ScrollPosX(), -100);
    EXPECT_EQ(restarts, 0);
    lab.ScrollTimer()->Tick(); // right end past the left edge: back at the right edge
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(lab.ScrollPosX(), 399);
    EXPECT_EQ(CountColor(lab.Surface(), clLime, 0, 0, 400, 68), 0);
    lab.ScrollTimer()->Tick();
    EXPECT_EQ(BoundsOf(lab.Surface(), clLime).L, 350);

    lab.SetScrollMode(rdsmDown);
    EXPECT_EQ(lab.ScrollPosX(), 349); // switching direction keeps the offsets
    lab.SetScrollMode(rdsmOff);
    lab.SetScrollIncrement(20);
    lab.SetScrollMode(rdsmDown);
    for (int i = 0; i < 3; ++i)
        lab.ScrollTimer()->Tick();
    EXPECT_EQ(lab.ScrollPosY(), 60);
    lab.ScrollTimer()->Tick();
    EXPECT_EQ(lab.ScrollPosY(), -48);
    EXPECT_EQ(restarts, 2);

    lab.SetScrollMode(rdsmOff);
    lab.SetScrollMode(rdsmUp);
    lab.ScrollTimer()->Tick();
    lab.ScrollTimer()->Tick();
    EXPECT_EQ(lab.ScrollPosY(), -40);
    lab.ScrollTimer()->Tick();
    EXPECT_EQ(lab.ScrollPosY(), 67);
    EXPECT_EQ(restarts, 3);
}

TEST(RasterLab, RasterFollowsTheScrolledText)
{
    Plain lab;
    lab.SetCharBlockMode(rdbmRaster);
    lab.SetScrollMode(rdsmLeft);
    for (int step = 0; step < 4; ++step) {
        lab.ScrollTimer()->Tick();
        const int x0 = lab.PosX() + lab.ScrollPosX(); // text origin, possibly negative
        const QImage img = lab.Surface();
        const int gap = ((x0 + 3) % 4 + 4) % 4; // the column after each dot's last pixel
        SCOPED_TRACE(x0);
        for (int x = gap; x < 120; x += 4)
            EXPECT_EQ(CountColor(img, clBlack, x, 0, x + 1, 60), 60) << "gap column " << x;
        EXPECT_GT(CountColor(img, kOff, gap + 1, 0, gap + 2, 60), 0);
    }
}

TEST(RasterLab, DesignModeDoesNotScroll)
{
    TRasterLab lab;
    lab.SetDesigning(true);
    lab.SetScrollMode(rdsmRight);
    EXPECT_FALSE(lab.ScrollTimer()->IsActive());
}

TEST(RasterLab, AssignCopiesLookAndText)
{
    TRasterLab a, b;
    a.SetText(QStringLiteral("abc"));
    a.SetFrameStyle(fsRaised);
    a.SetColorLabBakG(clNavy);
    a.SetColorDotOn(clRed);
    a.SetColorScheme(csSystem);
    a.SetDotSize(7);
    a.SetColorDotOff(clGreen);
    b.SetAutoCenter(true);
    b.Assign(&a);
    EXPECT_EQ(b.PosX(), (400 - 3 * 32) / 2 + 2); // re-centred on the new text
    EXPECT_EQ(b.Text(), QStringLiteral("abc"));
    EXPECT_EQ(b.FrameStyle(), fsRaised);
    EXPECT_EQ(b.ColorLabBakG(), clNavy);
    EXPECT_EQ(b.ColorDotOn(), clRed);
    EXPECT_EQ(b.ColorScheme(), csSystem);
    EXPECT_EQ(b.DotSize(), 3);
    EXPECT_EQ(b.ColorDotOff(), kOff);
    EXPECT_EQ(PixelAt(b.Surface(), 0, 0), ColorToRGB(clBtnShadow));
}
