// Frames, markers and outlines.
#include "testutil.h"

#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/drawing.h>

#include <QSet>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

// A picture of an image with one letter per known colour.
QString Letters(const QImage &Img)
{
    QString s;
    for (int y = 0; y < Img.height(); ++y) {
        for (int x = 0; x < Img.width(); ++x) {
            switch (PixelAt(Img, x, y)) {
            case clWhite:
                s += QLatin1Char('W');
                break;
            case clSilver:
                s += QLatin1Char('S');
                break;
            case clGray:
                s += QLatin1Char('G');
                break;
            case clBlack:
                s += QLatin1Char('K');
                break;
            case clRed:
                s += QLatin1Char('R');
                break;
            case clTeal:
                s += QLatin1Char('.');
                break;
            default:
                s += QLatin1Char('?');
                break;
            }
        }
        s += QLatin1Char('\n');
    }
    return s;
}

QImage Framed(TFrameStyle Style, int W, int H, int L, int T, int R, int B, bool Mask = false)
{
    TBitmap bmp(W, H);
    bmp.Canvas()->Brush()->SetColor(Mask ? clWhite : clTeal);
    bmp.Canvas()->FillRect(0, 0, W, H);
    if (Mask)
        DrawFrame(bmp.Canvas(), Style, L, T, R, B, 0, 0, 0, 0, 0);
    else
        DrawFrame(bmp.Canvas(), Style, L, T, R, B, clWhite, clSilver, clGray, clBlack, clRed);
    return bmp.Image();
}

} // namespace

TEST(DrawFrame, EachStyleDrawsItsLines)
{
    // Corners inclusive: (1,1)..(6,5) on an 8 x 7 image.
    EXPECT_EQ(Letters(Framed(fsNone, 8, 7, 1, 1, 6, 5)), QStringLiteral("........\n"
                                                                        "........\n"
                                                                        "........\n"
                                                                        "........\n"
                                                                        "........\n"
                                                                        "........\n"
                                                                        "........\n"));
    EXPECT_EQ(Letters(Framed(fsSimple, 8, 7, 1, 1, 6, 5)), QStringLiteral("........\n"
                                                                          ".RRRRRR.\n"
                                                                          ".R....R.\n"
                                                                          ".R....R.\n"
                                                                          ".R....R.\n"
                                                                          ".RRRRRR.\n"
                                                                          "........\n"));
    EXPECT_EQ(Letters(Framed(fsLowered, 8, 7, 1, 1, 6, 5)), QStringLiteral("........\n"
                                                                           ".GGGGGG.\n"
                                                                           ".G....W.\n"
                                                                           ".G....W.\n"
                                                                           ".G....W.\n"
                                                                           ".WWWWWW.\n"
                                                                           "........\n"));
    EXPECT_EQ(Letters(Framed(fsRaised, 8, 7, 1, 1, 6, 5)), QStringLiteral("........\n"
                                                                          ".WWWWWW.\n"
                                                                          ".W....G.\n"
                                                                          ".W....G.\n"
                                                                          ".W....G.\n"
                                                                          ".GGGGGG.\n"
                                                                          "........\n"));
    EXPECT_EQ(Letters(Framed(fsEmbossed, 8, 7, 1, 1, 6, 5)), QStringLiteral("........\n"
                                                                            ".WWWWWW.\n"
                                                                            ".WSSSSK.\n"
                                                                            ".WS..GK.\n"
                                                                            ".WGGGGK.\n"
                                                                            ".KKKKKK.\n"
                                                                            "........\n"));
    EXPECT_EQ(Letters(Framed(fsEngraved, 8, 7, 1, 1, 6, 5)), QStringLiteral("........\n"
                                                                            ".GGGGGG.\n"
                                                                            ".GKKKKW.\n"
                                                                            ".GK..SW.\n"
                                                                            ".GSSSSW.\n"
                                                                            ".WWWWWW.\n"
                                                                            "........\n"));
}

TEST(DrawFrame, FiveZeroColoursMarkTheFramePixelsOnAMask)
{
    for (int s = fsNone; s <= fsEngraved; ++s) {
        const QImage colour = Framed(TFrameStyle(s), 12, 10, 1, 2, 10, 8);
        const QImage mask = Framed(TFrameStyle(s), 12, 10, 1, 2, 10, 8, true);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool framed = PixelAt(colour, x, y) != clTeal;
                const TColor m = PixelAt(mask, x, y);
                EXPECT_EQ(m, framed ? clBlack : clWhite) << "style " << s << " at " << x << "," << y;
            }
    }
}

TEST(DrawFrame, TinyAndDegenerateRectanglesStayInside)
{
    for (int s = fsSimple; s <= fsEngraved; ++s) {
        // One pixel high, one pixel wide, a single pixel: nothing outside the rectangle.
        const struct
        {
            int L, T, R, B;
        } rects[] = {{2, 3, 7, 3}, {3, 1, 3, 6}, {4, 4, 4, 4}, {2, 2, 3, 3}, {2, 2, 4, 4}};
        for (const auto &r : rects) {
            const QImage img = Framed(TFrameStyle(s), 10, 10, r.L, r.T, r.R, r.B);
            int inside = 0;
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x) {
                    const bool in = x >= r.L && x <= r.R && y >= r.T && y <= r.B;
                    if (PixelAt(img, x, y) != clTeal) {
                        EXPECT_TRUE(in) << "style " << s << " rect " << r.L << "," << r.T << "," << r.R << ","
                                        << r.B << "\n"
                                        << qPrintable(Letters(img));
                        ++inside;
                    }
                }
            EXPECT_GT(inside, 0);
        }
        // Right < Left or Bottom < Top: nothing at all.
        EXPECT_EQ(CountColor(Framed(TFrameStyle(s), 10, 10, 5, 2, 4, 8), clTeal, 0, 0, 10, 10), 100);
        EXPECT_EQ(CountColor(Framed(TFrameStyle(s), 10, 10, 2, 5, 8, 4), clTeal, 0, 0, 10, 10), 100);
    }
}

TEST(DrawFrame, LeavesThePenAsItWas)
{
    TBitmap bmp(10, 10);
    TPen *pen = bmp.Canvas()->Pen();
    pen->SetColor(clRed);
    pen->SetWidth(3);
    pen->SetStyle(psDot);
    pen->SetMode(pmNot);
    DrawFrame(bmp.Canvas(), fsEmbossed, 0, 0, 9, 9, clWhite, clSilver, clGray, clBlack, clBlack);
    EXPECT_EQ(pen->Color(), clRed);
    EXPECT_EQ(pen->Width(), 3);
    EXPECT_EQ(pen->Style(), psDot);
    EXPECT_EQ(pen->Mode(), pmNot);
    // The frame itself is drawn in plain copy mode.
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(bmp.Canvas()->Pixels(9, 9), clBlack);
}

TEST(Drawing, DrawRectangleOutlinesInclusive)
{
    TBitmap bmp(8, 8);
    DrawRectangle(bmp.Canvas(), 1, 1, 5, 4);
    const Box b = BoundsOf(bmp.Image(), clBlack);
    EXPECT_EQ(b.L, 1);
    EXPECT_EQ(b.T, 1);
    EXPECT_EQ(b.R, 5);
    EXPECT_EQ(b.B, 4);
    EXPECT_EQ(CountColor(bmp.Image(), clBlack, 0, 0, 8, 8), 14) << qPrintable(Picture(bmp.Image(), clBlack));
}

TEST(Markers, FiftyTwoDistinctCentredSymbols)
{
    constexpr int S = 21, C = 10;
    QSet<QString> pictures;
    QSet<QString> names;
    for (int m = 0; m < NumMarkers; ++m) {
        TBitmap bmp(S, S);
        bmp.Canvas()->Pen()->SetColor(clBlack);
        bmp.Canvas()->Brush()->SetColor(clRed);
        DrawMarkOnCanvas(bmp.Canvas(), m, C, C);
        const QImage &img = bmp.Image();
        QString pic;
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x)
                pic += QChar(ushort('0' + (PixelAt(img, x, y) == clBlack ? 1
                                           : PixelAt(img, x, y) == clRed ? 2
                                                                         : 0)));
        EXPECT_FALSE(pictures.contains(pic)) << "marker " << m << " looks like another one\n"
                                             << qPrintable(Picture(img, clWhite));
        pictures.insert(pic);
        // Centred: the drawing reaches as far left as right and as far up as down (one pixel of
        // play for shapes with an even extent), and stays small.
        QImage ink = img;
        Box b{S, S, -1, -1};
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x)
                if (PixelAt(img, x, y) != clWhite) {
                    b.L = std::min(b.L, x);
                    b.T = std::min(b.T, y);
                    b.R = std::max(b.R, x);
                    b.B = std::max(b.B, y);
                }
        ASSERT_GE(b.R, 0) << "marker " << m << " draws nothing";
        EXPECT_LE(std::abs((C - b.L) - (b.R - C)), 1) << "marker " << m << "\n"
                                                      << qPrintable(Picture(img, clWhite));
        EXPECT_LE(std::abs((C - b.T) - (b.B - C)), 1) << "marker " << m << "\n"
                                                      << qPrintable(Picture(img, clWhite));
        EXPECT_LE(b.R - b.L, 14) << "marker " << m;
        const QString name = MarkerName(m);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(names.contains(name)) << qPrintable(name);
        names.insert(name);
    }
    EXPECT_EQ(pictures.size(), 52);
    // Out of range: nothing drawn, no name.
    TBitmap bmp(S, S);
    DrawMarkOnCanvas(bmp.Canvas(), -1, C, C);
    DrawMarkOnCanvas(bmp.Canvas(), NumMarkers, C, C);
    EXPECT_EQ(CountColor(bmp.Image(), clWhite, 0, 0, S, S), S * S);
    EXPECT_TRUE(MarkerName(NumMarkers).isEmpty());
}

TEST(Markers, OpenSymbolsLeaveTheirInsideFilledOnesUseTheBrush)
{
    for (int m = 4; m < 46; m += 2) {
        TBitmap open(21, 21), filled(21, 21);
        for (TBitmap *b : {&open, &filled}) {
            b->Canvas()->Pen()->SetColor(clBlack);
            b->Canvas()->Brush()->SetColor(clRed);
        }
        DrawMarkOnCanvas(open.Canvas(), m, 10, 10);
        DrawMarkOnCanvas(filled.Canvas(), m + 1, 10, 10);
        EXPECT_EQ(CountColor(open.Image(), clRed, 0, 0, 21, 21), 0) << MarkerName(m).toStdString();
        EXPECT_EQ(open.Canvas()->Brush()->Style(), bsSolid); // the brush is given back as it was
        // Filled: the same outline with the brush inside (small symbols may be all outline).
        if (m >= 18 && m < 32) continue;
        EXPECT_GT(CountColor(filled.Image(), clRed, 0, 0, 21, 21), 0) << MarkerName(m + 1).toStdString();
    }
}
