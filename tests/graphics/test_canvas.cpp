// Pixel rules of TCanvas and TBitmap, pinned on small images.
#include "testutil.h"

#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>
#include <krogui/core/error.h>

#include <QBuffer>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

// A white bitmap with a black pen and no brush.
struct Surface
{
    explicit Surface(int W = 16, int H = 16, TColor Fill = clWhite) : bmp(W, H)
    {
        bmp.Canvas()->Brush()->SetColor(Fill);
        bmp.Canvas()->FillRect(0, 0, W, H);
        bmp.Canvas()->Brush()->SetStyle(bsClear);
        bmp.Canvas()->Pen()->SetColor(clBlack);
    }
    TCanvas *c() { return bmp.Canvas(); }
    const QImage &img() { return bmp.Image(); }
    TBitmap bmp;
};

void ExpectBox(const Box &B, int L, int T, int R, int Bt, const QString &Pic)
{
    EXPECT_EQ(B.L, L) << qPrintable(Pic);
    EXPECT_EQ(B.T, T) << qPrintable(Pic);
    EXPECT_EQ(B.R, R) << qPrintable(Pic);
    EXPECT_EQ(B.B, Bt) << qPrintable(Pic);
}

} // namespace

TEST(Canvas, LineIncludesStartExcludesEndAndMovesThePen)
{
    Surface s;
    s.c()->MoveTo(2, 3);
    s.c()->LineTo(8, 3);
    ExpectBox(BoundsOf(s.img(), clBlack), 2, 3, 7, 3, Picture(s.img(), clBlack));
    EXPECT_EQ(s.c()->PenPos(), QPoint(8, 3));

    Surface d;
    d.c()->MoveTo(2, 2);
    d.c()->LineTo(6, 6); // diagonal: (2,2)..(5,5)
    EXPECT_EQ(CountColor(d.img(), clBlack, 0, 0, 16, 16), 4) << qPrintable(Picture(d.img(), clBlack));
    EXPECT_EQ(d.c()->Pixels(5, 5), clBlack);
    EXPECT_EQ(d.c()->Pixels(6, 6), clWhite);

    Surface u; // right to left and bottom to top: the end is excluded too
    u.c()->MoveTo(9, 9);
    u.c()->LineTo(9, 4);
    ExpectBox(BoundsOf(u.img(), clBlack), 9, 5, 9, 9, Picture(u.img(), clBlack));

    Surface z; // a zero-length line draws nothing
    z.c()->MoveTo(4, 4);
    z.c()->LineTo(4, 4);
    EXPECT_EQ(CountColor(z.img(), clBlack, 0, 0, 16, 16), 0);
}

TEST(Canvas, RectangleAndFillRectCoverRightAndBottomExclusive)
{
    Surface s;
    s.c()->Brush()->SetColor(clRed);
    s.c()->Rectangle(2, 2, 7, 6);
    ExpectBox(BoundsOf(s.img(), clBlack), 2, 2, 6, 5, Picture(s.img(), clBlack));
    EXPECT_EQ(CountColor(s.img(), clBlack, 0, 0, 16, 16), 14);
    EXPECT_EQ(CountColor(s.img(), clRed, 0, 0, 16, 16), 6); // interior 3 x 2

    Surface f;
    f.c()->Brush()->SetColor(clBlue);
    f.c()->FillRect(1, 1, 4, 3);
    ExpectBox(BoundsOf(f.img(), clBlue), 1, 1, 3, 2, Picture(f.img(), clBlue));
    EXPECT_EQ(CountColor(f.img(), clBlack, 0, 0, 16, 16), 0); // no outline

    Surface e; // swapped corners mean the same rectangle; empty ones draw nothing
    e.c()->Rectangle(7, 6, 2, 2);
    ExpectBox(BoundsOf(e.img(), clBlack), 2, 2, 6, 5, Picture(e.img(), clBlack));
    Surface n;
    n.c()->Rectangle(3, 3, 3, 9);
    n.c()->Brush()->SetColor(clRed);
    n.c()->FillRect(5, 5, 5, 9);
    EXPECT_EQ(CountColor(n.img(), clWhite, 0, 0, 16, 16), 256);
}

TEST(Canvas, EllipseStaysInsideItsBox)
{
    for (const auto &[w, h] : {std::pair{10, 6}, std::pair{7, 7}, std::pair{12, 9}}) {
        Surface s;
        s.c()->Brush()->SetColor(clRed);
        s.c()->Ellipse(2, 3, 2 + w, 3 + h);
        const QString pic = Picture(s.img(), clWhite);
        ExpectBox(BoundsOf(s.img(), clBlack), 2, 3, 2 + w - 1, 3 + h - 1, pic);
        // The brush fills the inside only.
        EXPECT_EQ(s.c()->Pixels(2 + w / 2, 3 + h / 2), clRed) << qPrintable(pic);
        EXPECT_EQ(s.c()->Pixels(2, 3), clWhite) << qPrintable(pic);
    }
}

TEST(Canvas, ArcAndPieRunCounterClockwise)
{
    // From the ray to the right (20, 10) to the ray upwards (10, 0): the upper-right quarter.
    Surface a(21, 21);
    a.c()->Arc(0, 0, 21, 21, 20, 10, 10, 0);
    const QString pic = Picture(a.img(), clBlack);
    EXPECT_GT(CountColor(a.img(), clBlack, 11, 0, 21, 10), 5) << qPrintable(pic);
    EXPECT_EQ(CountColor(a.img(), clBlack, 0, 0, 9, 21), 0) << qPrintable(pic);
    EXPECT_EQ(CountColor(a.img(), clBlack, 0, 12, 21, 21), 0) << qPrintable(pic);

    // The other way round: three quarters, everything but the upper-right quarter.
    Surface b(21, 21);
    b.c()->Arc(0, 0, 21, 21, 10, 0, 20, 10);
    const QString pic2 = Picture(b.img(), clBlack);
    EXPECT_EQ(CountColor(b.img(), clBlack, 12, 0, 21, 9), 0) << qPrintable(pic2);
    EXPECT_GT(CountColor(b.img(), clBlack, 0, 0, 9, 9), 3) << qPrintable(pic2);
    EXPECT_GT(CountColor(b.img(), clBlack, 0, 12, 9, 21), 3) << qPrintable(pic2);
    EXPECT_GT(CountColor(b.img(), clBlack, 12, 12, 21, 21), 3) << qPrintable(pic2);

    // Pie: the slice is filled with the brush and bounded by the two radii.
    Surface p(21, 21);
    p.c()->Brush()->SetColor(clRed);
    p.c()->Pie(0, 0, 21, 21, 20, 10, 10, 0);
    const QString pic3 = Picture(p.img(), clWhite);
    EXPECT_EQ(p.c()->Pixels(14, 6), clRed) << qPrintable(pic3);
    EXPECT_EQ(CountColor(p.img(), clRed, 0, 0, 9, 21), 0) << qPrintable(pic3);
    EXPECT_EQ(CountColor(p.img(), clRed, 0, 12, 21, 21), 0) << qPrintable(pic3);
    EXPECT_EQ(p.c()->Pixels(15, 10), clBlack) << qPrintable(pic3); // the horizontal radius
    EXPECT_EQ(p.c()->Pixels(10, 4), clBlack) << qPrintable(pic3);  // the vertical radius
}

TEST(Canvas, PolygonFillsAlternateAndOutlinesWithThePen)
{
    Surface s;
    s.c()->Brush()->SetColor(clRed);
    s.c()->Polygon(QPolygon({QPoint(1, 1), QPoint(10, 1), QPoint(10, 8), QPoint(1, 8)}));
    ExpectBox(BoundsOf(s.img(), clBlack), 1, 1, 10, 8, Picture(s.img(), clBlack));
    EXPECT_EQ(CountColor(s.img(), clRed, 0, 0, 16, 16), 8 * 6) << qPrintable(Picture(s.img(), clRed));

    // A pentagram: the alternate rule leaves the centre pentagon empty, the points are filled.
    Surface star(41, 41);
    star.c()->Pen()->SetStyle(psClear);
    star.c()->Brush()->SetColor(clRed);
    star.c()->Polygon(
        QPolygon({QPoint(20, 0), QPoint(32, 38), QPoint(1, 14), QPoint(39, 14), QPoint(8, 38)}));
    const QString pic = Picture(star.img(), clRed);
    EXPECT_EQ(star.c()->Pixels(20, 22), clWhite) << qPrintable(pic);
    EXPECT_EQ(star.c()->Pixels(20, 6), clRed) << qPrintable(pic);
    EXPECT_EQ(star.c()->Pixels(6, 16), clRed) << qPrintable(pic);
}

TEST(Canvas, CopyModesCombineSourceAndDestination)
{
    const TColor dst = RGB(0xF0, 0xF0, 0x00), src = RGB(0x3C, 0x0F, 0xFF);
    TBitmap source(4, 4);
    source.Canvas()->Brush()->SetColor(src);
    source.Canvas()->FillRect(0, 0, 4, 4);
    struct Case
    {
        TCopyMode Mode;
        TColor Expected;
    };
    const Case cases[] = {{SRCCOPY, src},
                          {SRCAND, src & dst},
                          {SRCPAINT, src | dst},
                          {NOTSRCCOPY, ~src & 0xFFFFFFu},
                          {SRCINVERT, src ^ dst}};
    for (const Case &k : cases) {
        Surface s(8, 8, dst);
        s.c()->SetCopyMode(k.Mode);
        s.c()->Draw(2, 2, source);
        EXPECT_EQ(s.c()->Pixels(3, 3), k.Expected) << std::hex << k.Mode;
        EXPECT_EQ(s.c()->Pixels(1, 1), dst) << std::hex << k.Mode; // outside untouched
        EXPECT_EQ(CountColor(s.img(), k.Expected, 0, 0, 8, 8), 16) << std::hex << k.Mode;
        // The result stays an opaque picture whatever the raster operation did to the alpha byte.
        EXPECT_EQ(qAlpha(s.img().pixel(3, 3)), 255) << std::hex << k.Mode;
        EXPECT_EQ(qAlpha(s.img().pixel(0, 0)), 255) << std::hex << k.Mode;
    }
}

TEST(Canvas, PenModeNotInvertsWhatIsUnderThePen)
{
    const TColor back = RGB(0x12, 0x34, 0x56), inverse = RGB(0xED, 0xCB, 0xA9);
    Surface s(10, 10, back);
    s.c()->Pen()->SetColor(clRed); // ignored by the not mode
    s.c()->Pen()->SetMode(pmNot);
    s.c()->MoveTo(1, 2);
    s.c()->LineTo(8, 2);
    EXPECT_EQ(s.c()->Pixels(1, 2), inverse);
    EXPECT_EQ(CountColor(s.img(), inverse, 0, 0, 10, 10), 7);
    EXPECT_EQ(qAlpha(s.img().pixel(1, 2)), 255);
    s.c()->MoveTo(1, 2);
    s.c()->LineTo(8, 2); // twice restores
    EXPECT_EQ(CountColor(s.img(), back, 0, 0, 10, 10), 100);

    // An inverted frame: Rectangle in the not mode with a clear brush inverts the outline only;
    // a solid brush is inverted too, as the raster operation applies to the whole figure.
    Surface f(10, 10, back);
    f.c()->Pen()->SetMode(pmNot);
    f.c()->Rectangle(1, 1, 6, 5);
    EXPECT_EQ(CountColor(f.img(), inverse, 0, 0, 10, 10), 14);
    EXPECT_EQ(f.c()->Pixels(3, 3), back);
    Surface g(10, 10, back);
    g.c()->Pen()->SetMode(pmNot);
    g.c()->Brush()->SetColor(clLime);
    g.c()->Rectangle(1, 1, 6, 5);
    EXPECT_EQ(CountColor(g.img(), inverse, 0, 0, 10, 10), 20);
    // A polygon in the not mode, drawn twice, leaves the picture as it was.
    Surface q(12, 12, back);
    q.c()->Pen()->SetMode(pmNot);
    q.c()->Brush()->SetColor(clLime);
    const QPolygon tri({QPoint(1, 1), QPoint(10, 2), QPoint(4, 10)});
    q.c()->Polygon(tri);
    EXPECT_EQ(q.c()->Pixels(5, 4), inverse); // inside
    EXPECT_EQ(q.c()->Pixels(1, 1), inverse); // a corner
    q.c()->Polygon(tri);
    EXPECT_EQ(CountColor(q.img(), back, 0, 0, 12, 12), 144) << qPrintable(Picture(q.img(), back));
    g.c()->Pen()->SetMode(pmCopy);
    g.c()->MoveTo(0, 9);
    g.c()->LineTo(9, 9);
    EXPECT_EQ(g.c()->Pixels(4, 9), clBlack); // back to copy
}

TEST(Canvas, FloodFillStopsAtTheBorder)
{
    // A black frame with a white inside on a white image.
    auto framed = [] {
        auto s = std::make_unique<Surface>(12, 12);
        s->c()->Rectangle(2, 2, 9, 9);
        s->c()->Brush()->SetColor(clRed);
        return s;
    };
    auto s = framed();
    s->c()->FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(CountColor(s->img(), clRed, 0, 0, 12, 12), 25) << qPrintable(Picture(s->img(), clRed));
    EXPECT_EQ(CountColor(s->img(), clBlack, 0, 0, 12, 12), 24);
    EXPECT_EQ(s->c()->Pixels(0, 0), clWhite);

    auto t = framed();
    t->c()->FloodFill(5, 5, clWhite, fsSurface);
    EXPECT_EQ(CountColor(t->img(), clRed, 0, 0, 12, 12), 25) << qPrintable(Picture(t->img(), clRed));
    auto o = framed(); // outside: everything around the frame
    o->c()->FloodFill(0, 0, clWhite, fsSurface);
    EXPECT_EQ(CountColor(o->img(), clRed, 0, 0, 12, 12), 144 - 49);

    // The border mode fills everything that is not the border colour, even pixels that already
    // have the brush colour, and even when it starts on one.
    auto m = framed();
    m->c()->SetPixel(5, 5, clRed);
    m->c()->SetPixel(4, 4, clBlue);
    m->c()->FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(CountColor(m->img(), clRed, 0, 0, 12, 12), 25) << qPrintable(Picture(m->img(), clRed));

    // A gap in the border lets the fill out.
    auto g = framed();
    g->c()->SetPixel(8, 5, clWhite);
    g->c()->FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(g->c()->Pixels(0, 0), clRed);

    // Outside the image, or with a clear brush: nothing.
    auto n = framed();
    n->c()->FloodFill(20, 5, clBlack, fsBorder);
    n->c()->Brush()->SetStyle(bsClear);
    n->c()->FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(CountColor(n->img(), clRed, 0, 0, 12, 12), 0);
}

TEST(Canvas, TextOutFillsItsBoxAndRotatesAroundTheTopLeftCorner)
{
    const QString text = QStringLiteral("Hg");
    struct Case
    {
        int Angle;      // tenths of a degree
        int L, T, R, B; // expected box in terms of w and h, see below
    };
    Surface probe;
    probe.c()->Font()->SetSize(10);
    const int w = probe.c()->TextWidth(text), h = probe.c()->TextHeight(text);
    ASSERT_GT(w, 4);
    ASSERT_GT(h, 4);
    EXPECT_EQ(w, QFontMetrics(probe.c()->Font()->ToQFont()).horizontalAdvance(text));
    const int X = 30, Y = 30;
    const Case cases[] = {{0, X, Y, X + w - 1, Y + h - 1},
                          {900, X, Y - w, X + h - 1, Y - 1},
                          {1800, X - w, Y - h, X - 1, Y - 1},
                          {2700, X - h, Y, X - 1, Y + w - 1}};
    for (const Case &k : cases) {
        Surface s(60, 60);
        s.c()->Font()->SetSize(10);
        s.c()->Font()->SetColor(clBlue);
        s.c()->Font()->SetOrientation(k.Angle);
        s.c()->Brush()->SetColor(clRed);
        s.c()->TextOut(X, Y, text);
        QImage img = s.img();
        // The box is the union of brush and glyph pixels; allow one pixel of rounding at rotated edges.
        Box red = BoundsOf(img, clRed);
        const int tol = k.Angle % 1800 ? 1 : 0;
        const QString pic = Picture(img, clWhite);
        EXPECT_NEAR(red.L, k.L, tol) << k.Angle << qPrintable(pic);
        EXPECT_NEAR(red.T, k.T, tol) << k.Angle << qPrintable(pic);
        EXPECT_NEAR(red.R, k.R, tol) << k.Angle << qPrintable(pic);
        EXPECT_NEAR(red.B, k.B, tol) << k.Angle << qPrintable(pic);
        // Glyph pixels stay inside the box.
        int outside = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                if (PixelAt(img, x, y) != clWhite &&
                    (x < k.L - 1 || x > k.R + 1 || y < k.T - 1 || y > k.B + 1))
                    ++outside;
        EXPECT_EQ(outside, 0) << k.Angle << qPrintable(pic);
    }

    // A clear brush leaves the background; the text is drawn in the font colour.
    Surface c(60, 30);
    c.c()->Font()->SetColor(clBlue);
    c.c()->TextOut(2, 2, text);
    EXPECT_EQ(CountColor(c.img(), clRed, 0, 0, 60, 30), 0);
    const int ink = 60 * 30 - CountColor(c.img(), clWhite, 0, 0, 60, 30);
    EXPECT_GT(ink, 0);
    EXPECT_LT(ink, w * h);
}

TEST(Canvas, TextRectClipsToItsRectangleAndFillsIt)
{
    Surface s(60, 30);
    s.c()->Brush()->SetColor(clYellow);
    s.c()->Font()->SetColor(clBlack);
    s.c()->TextRect(Rect(5, 5, 25, 20), 7, 6, QStringLiteral("WWWWWWWWWW"));
    const QImage &img = s.img();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inside = x >= 5 && x < 25 && y >= 5 && y < 20;
            if (!inside) {
                ASSERT_EQ(PixelAt(img, x, y), clWhite) << x << "," << y;
            }
        }
    EXPECT_EQ(s.c()->Pixels(5, 5), clYellow);
    EXPECT_EQ(s.c()->Pixels(24, 19), clYellow);
    EXPECT_GT(CountColor(img, clBlack, 5, 5, 25, 20), 0);
}

TEST(Canvas, DrawLeavesOutTheTransparentColour)
{
    TBitmap glyph(4, 4); // white, with a red diagonal
    for (int i = 0; i < 4; ++i)
        glyph.Canvas()->SetPixel(i, i, clRed);
    Surface s(8, 8, clBlue);
    s.c()->Draw(2, 2, glyph); // opaque
    EXPECT_EQ(CountColor(s.img(), clWhite, 0, 0, 8, 8), 12);

    glyph.SetTransparent(true); // clDefault: the bottom-left pixel (white) is transparent
    Surface t(8, 8, clBlue);
    t.c()->Draw(2, 2, glyph);
    EXPECT_EQ(CountColor(t.img(), clWhite, 0, 0, 8, 8), 0);
    EXPECT_EQ(CountColor(t.img(), clRed, 0, 0, 8, 8), 4);
    EXPECT_EQ(t.c()->Pixels(3, 2), clBlue);
    EXPECT_EQ(qAlpha(t.img().pixel(3, 2)), 255);

    // The left-out pixels do not take part in a copy mode.
    Surface a(8, 8, clBlue);
    a.c()->SetCopyMode(SRCAND);
    a.c()->Draw(2, 2, glyph);
    EXPECT_EQ(CountColor(a.img(), clBlue, 0, 0, 8, 8), 60);

    glyph.SetTransparentColor(clRed); // an explicit colour
    Surface u(8, 8, clBlue);
    u.c()->Draw(2, 2, glyph);
    EXPECT_EQ(CountColor(u.img(), clRed, 0, 0, 8, 8), 0);
    EXPECT_EQ(CountColor(u.img(), clWhite, 0, 0, 8, 8), 12);
}

TEST(Canvas, StretchDrawNearestAndSmoothed)
{
    TBitmap quad(2, 2);
    quad.Canvas()->SetPixel(0, 0, clRed);
    quad.Canvas()->SetPixel(1, 0, clLime);
    quad.Canvas()->SetPixel(0, 1, clBlue);
    quad.Canvas()->SetPixel(1, 1, clBlack);
    Surface s(8, 8, clWhite);
    ASSERT_EQ(s.c()->StretchMode(), smColorOnColor);
    s.c()->StretchDraw(Rect(0, 0, 6, 6), quad);
    EXPECT_EQ(CountColor(s.img(), clRed, 0, 0, 3, 3), 9);
    EXPECT_EQ(CountColor(s.img(), clLime, 3, 0, 6, 3), 9);
    EXPECT_EQ(CountColor(s.img(), clBlue, 0, 3, 3, 6), 9);
    EXPECT_EQ(CountColor(s.img(), clBlack, 3, 3, 6, 6), 9);
    EXPECT_EQ(CountColor(s.img(), clWhite, 0, 0, 8, 8), 64 - 36);

    // Shrinking by two keeps pure source colours in colour-on-colour mode.
    TBitmap stripes(8, 1);
    for (int x = 0; x < 8; x += 2)
        stripes.Canvas()->SetPixel(x, 0, clBlack);
    Surface n(4, 1);
    n.c()->StretchDraw(Rect(0, 0, 4, 1), stripes);
    EXPECT_EQ(CountColor(n.img(), clBlack, 0, 0, 4, 1) + CountColor(n.img(), clWhite, 0, 0, 4, 1), 4);

    // The smoothing mode blends neighbours into intermediate colours.
    TBitmap bw(2, 1);
    bw.Canvas()->SetPixel(0, 0, clBlack);
    Surface h(16, 1);
    h.c()->SetStretchMode(smHalftone);
    h.c()->StretchDraw(Rect(0, 0, 16, 1), bw);
    int grays = 0;
    for (int x = 0; x < 16; ++x) {
        const TColor p = h.c()->Pixels(x, 0);
        if (p != clBlack && p != clWhite) ++grays;
    }
    EXPECT_GT(grays, 2);
    // Copy modes apply to a stretched picture too.
    Surface a(4, 4, clRed);
    a.c()->SetCopyMode(SRCAND);
    a.c()->StretchDraw(Rect(0, 0, 4, 4), quad);
    EXPECT_EQ(a.c()->Pixels(0, 0), clRed);
    EXPECT_EQ(a.c()->Pixels(3, 0), clBlack); // lime AND red
}

TEST(Canvas, CopyRectCopiesScalesAndHandlesOverlap)
{
    Surface src(8, 8);
    src.c()->Brush()->SetColor(clRed);
    src.c()->FillRect(2, 2, 4, 4);
    Surface dst(8, 8, clBlue);
    dst.c()->CopyRect(Rect(0, 0, 4, 4), *src.c(), Rect(1, 1, 5, 5));
    EXPECT_EQ(CountColor(dst.img(), clRed, 0, 0, 8, 8), 4);
    EXPECT_EQ(dst.c()->Pixels(1, 1), clRed);
    EXPECT_EQ(dst.c()->Pixels(0, 0), clWhite);
    EXPECT_EQ(dst.c()->Pixels(4, 4), clBlue);

    Surface big(8, 8, clBlue); // scaled by two
    big.c()->CopyRect(Rect(0, 0, 8, 8), *src.c(), Rect(0, 0, 4, 4));
    EXPECT_EQ(CountColor(big.img(), clRed, 4, 4, 8, 8), 16);
    EXPECT_EQ(CountColor(big.img(), clRed, 0, 0, 8, 8), 16);

    // Within one canvas, overlapping: the source is read before it is overwritten.
    Surface same(8, 1);
    for (int x = 0; x < 4; ++x)
        same.c()->SetPixel(x, 0, x % 2 ? clRed : clBlack);
    same.c()->CopyRect(Rect(2, 0, 6, 1), *same.c(), Rect(0, 0, 4, 1));
    EXPECT_EQ(same.c()->Pixels(2, 0), clBlack);
    EXPECT_EQ(same.c()->Pixels(3, 0), clRed);
    EXPECT_EQ(same.c()->Pixels(4, 0), clBlack);
    EXPECT_EQ(same.c()->Pixels(5, 0), clRed);

    // With a copy mode.
    Surface inv(4, 4, clBlack);
    inv.c()->SetCopyMode(NOTSRCCOPY);
    inv.c()->CopyRect(Rect(0, 0, 4, 4), *src.c(), Rect(0, 0, 4, 4));
    EXPECT_EQ(inv.c()->Pixels(0, 0), clBlack);          // not white
    EXPECT_EQ(inv.c()->Pixels(2, 2), RGB(0, 255, 255)); // not red
}

TEST(Canvas, PixelsReadAndWrite)
{
    Surface s(4, 4);
    s.c()->SetPixel(1, 2, RGB(1, 2, 3));
    EXPECT_EQ(s.c()->Pixels(1, 2), RGB(1, 2, 3));
    s.c()->SetPixel(-1, 0, clRed); // ignored
    s.c()->SetPixel(4, 0, clRed);
    EXPECT_EQ(CountColor(s.img(), clRed, 0, 0, 4, 4), 0);
    EXPECT_EQ(s.c()->Pixels(9, 9), clBlack);
    s.c()->SetPixel(0, 0, clBtnFace); // system colours are resolved
    EXPECT_EQ(s.c()->Pixels(0, 0), ColorToRGB(clBtnFace));

    // Drawing and reading interleave without losing pending drawing.
    s.c()->MoveTo(0, 3);
    s.c()->LineTo(4, 3);
    EXPECT_EQ(s.c()->Pixels(3, 3), clBlack);
    s.c()->SetClipRect(Rect(0, 0, 2, 4));
    s.c()->Brush()->SetColor(clRed);
    s.c()->FillRect(0, 0, 4, 4);
    EXPECT_EQ(CountColor(s.img(), clRed, 0, 0, 4, 4), 8);
    s.c()->SetClipRect(TRect());
    s.c()->FillRect(0, 0, 4, 4);
    EXPECT_EQ(CountColor(s.img(), clRed, 0, 0, 4, 4), 16);
}

TEST(Bitmap, SizeScanLineAssignAndMasks)
{
    TBitmap b(3, 2);
    b.Canvas()->SetPixel(2, 1, clRed);
    b.SetSize(5, 4); // the old picture stays, new pixels are white
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(4, 3), clWhite);
    b.SetSize(-3, 2);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_TRUE(b.Empty());
    b.SetSize(4, 4);

    ASSERT_NE(b.ScanLine(3), nullptr);
    EXPECT_EQ(b.ScanLine(4), nullptr);
    EXPECT_EQ(b.ScanLine(-1), nullptr);
    reinterpret_cast<quint32 *>(b.ScanLine(1))[2] = 0xFF00FF00u; // 0xAARRGGBB words
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clLime);

    TBitmap c;
    c.Assign(b);
    c.Canvas()->SetPixel(0, 0, clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite); // a copy, not shared
    EXPECT_EQ(c.Canvas()->Pixels(2, 1), clLime);
    TBitmap d = c;
    EXPECT_EQ(d.Canvas()->Pixels(0, 0), clBlue);

    const QImage mask = c.MaskOf(clBlue);
    EXPECT_EQ(mask.pixelIndex(0, 0), 1);
    EXPECT_EQ(mask.pixelIndex(1, 0), 0);
    EXPECT_EQ(c.TransparentColorValue(), clWhite); // bottom-left
}

TEST(Bitmap, LoadFromFileReadsCommonFormatsAndRefusesBadFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 0));
    img.setPixel(1, 1, qRgb(0, 0, 255));
    for (const char *fmt : {"png", "bmp"}) {
        const QString path = dir.filePath(QStringLiteral("pic.") + QLatin1String(fmt));
        ASSERT_TRUE(img.save(path, fmt));
        TBitmap b;
        b.LoadFromFile(path);
        EXPECT_EQ(b.Width(), 3) << fmt;
        EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed) << fmt;
        EXPECT_EQ(b.Canvas()->Pixels(1, 1), clBlue) << fmt;
    }
    const QString jpg = dir.filePath(QStringLiteral("pic.jpg"));
    QImage big(16, 16, QImage::Format_RGB32);
    big.fill(qRgb(0, 0, 0));
    ASSERT_TRUE(big.save(jpg, "jpg"));
    TBitmap j;
    j.LoadFromFile(jpg);
    EXPECT_EQ(j.Width(), 16);
    EXPECT_LT(GetRValue(j.Canvas()->Pixels(8, 8)), 16);

    // Missing and unreadable files raise EKROError and leave the bitmap as it was.
    const QString junk = dir.filePath(QStringLiteral("junk.png"));
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("this is not a picture");
    }
    for (const QString &bad : {dir.filePath(QStringLiteral("missing.png")), junk, dir.path(), QString()}) {
        try {
            j.LoadFromFile(bad);
            ADD_FAILURE() << "no error for " << qPrintable(bad);
        } catch (const EKROError &e) {
            EXPECT_FALSE(e.Message().isEmpty());
        }
        EXPECT_EQ(j.Width(), 16);
    }
}

TEST(Bitmap, LoadFromResourceName)
{
    TBitmap b;
    b.LoadFromResourceName(QStringLiteral("CHECKEDBOX"));
    EXPECT_FALSE(b.Empty());
    EXPECT_TRUE(TBitmap::HasResource(QStringLiteral("EMPTYBOX")));
    EXPECT_FALSE(TBitmap::HasResource(QStringLiteral("NOSUCHPICTURE")));
    const int w = b.Width();
    EXPECT_THROW(b.LoadFromResourceName(QStringLiteral("NOSUCHPICTURE")), EKROError);
    EXPECT_EQ(b.Width(), w);
}
