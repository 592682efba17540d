// Ellipse, Arc and Pie compared pixel for pixel with reference pictures: every size up to a few
// dozen pixels, rays in all directions, large meter-sized figures reaching past the picture, every
// pen mode, brush styles, clipping and random figures. The pictures pin the exact pixel sets, so
// any faster way of drawing these figures must keep every pixel.
#include "testutil.h"

#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>

#include <gtest/gtest.h>

#include <QtMath>

#include <cstdint>
#include <random>

using namespace kro;
using namespace kro::test;

namespace {

QString RefPath(const char *Name)
{
    return QStringLiteral(KROGUI_SOURCE_DIR "/tests/graphics/reference/") + QLatin1String(Name) +
           QStringLiteral(".png");
}

// A sheet with a background of thin stripes, so that raster modes and pixels drawn twice show.
struct Sheet
{
    Sheet(int W, int H) : bmp(W, H)
    {
        TCanvas *c = bmp.Canvas();
        c->Brush()->SetStyle(bsSolid);
        for (int x = 0; x < W; x += 3) {
            c->Brush()->SetColor(x % 2 ? RGB(0xF0, 0xF0, 0xE0) : RGB(0xD0, 0xE0, 0xF0));
            c->FillRect(x, 0, x + 3, H);
        }
    }
    TCanvas *c() { return bmp.Canvas(); }
    void Style(TColor Pen, TPenStyle PS, TColor Brush, TBrushStyle BS, TPenMode Mode = pmCopy, int Width = 1)
    {
        c()->Pen()->SetColor(Pen);
        c()->Pen()->SetStyle(PS);
        c()->Pen()->SetMode(Mode);
        c()->Pen()->SetWidth(Width);
        c()->Brush()->SetColor(Brush);
        c()->Brush()->SetStyle(BS);
    }
    // Kind 0 Ellipse, 1 Arc, 2 Pie.
    void Figure(int Kind, int L, int T, int R, int B, int X3, int Y3, int X4, int Y4)
    {
        switch (Kind) {
        case 0:
            c()->Ellipse(L, T, R, B);
            break;
        case 1:
            c()->Arc(L, T, R, B, X3, Y3, X4, Y4);
            break;
        default:
            c()->Pie(L, T, R, B, X3, Y3, X4, Y4);
            break;
        }
    }
    const QImage &img()
    {
        c()->Flush();
        return bmp.Image();
    }
    TBitmap bmp;
};

// The point at Deg degrees (counter-clockwise from the right) and distance D from the centre of
// the box (L, T, R, B), rounded as a caller would.
QPoint RayPoint(int L, int T, int R, int B, double Deg, double D)
{
    const double cx = (L + R - 1) / 2.0, cy = (T + B - 1) / 2.0, a = qDegreesToRadians(Deg);
    return QPoint(int(std::lround(cx + D * std::cos(a))), int(std::lround(cy - D * std::sin(a))));
}

} // namespace

TEST(CanvasFigures, EllipsesOfEverySmallSize)
{
    // Three blocks: pen and brush, pen only, brush only; sizes 1..24 by 1..24.
    Sheet s(3 * 24 * 27, 24 * 27);
    for (int block = 0; block < 3; ++block) {
        if (block == 0) s.Style(clBlack, psSolid, clRed, bsSolid);
        if (block == 1) s.Style(clNavy, psSolid, clRed, bsClear);
        if (block == 2) s.Style(clBlack, psClear, clGreen, bsSolid);
        for (int h = 1; h <= 24; ++h)
            for (int w = 1; w <= 24; ++w) {
                const int L = block * 24 * 27 + (w - 1) * 27 + 1, T = (h - 1) * 27 + 1;
                s.Figure(0, L, T, L + w, T + h, 0, 0, 0, 0);
            }
    }
    EXPECT_TRUE(MatchesReference(s.img(), RefPath("ellipse_sizes")));
    // Corners given the other way round mean the same box.
    Sheet a(40, 30), b(40, 30);
    a.Style(clBlack, psSolid, clRed, bsSolid);
    b.Style(clBlack, psSolid, clRed, bsSolid);
    a.c()->Ellipse(3, 4, 33, 25);
    b.c()->Ellipse(33, 25, 3, 4);
    EXPECT_EQ(a.img(), b.img());
}

TEST(CanvasFigures, ArcsAndPiesInAllDirections)
{
    // Boxes of even and odd sizes; start rays every 15 degrees; sweeps of 15, 90, 180, 285 degrees
    // and equal points (the whole figure). Ray points far out, on the ellipse and at the centre.
    const QSize boxes[] = {{21, 21}, {20, 20}, {25, 14}, {13, 22}};
    const double sweeps[] = {15, 90, 180, 285, 0};
    const int cell = 28;
    for (int kind = 1; kind <= 2; ++kind) {
        Sheet s(24 * cell, int(std::size(boxes) * std::size(sweeps) * 3) * cell);
        int row = 0;
        for (const QSize &box : boxes)
            for (double sweep : sweeps)
                for (int dist = 0; dist < 3; ++dist, ++row) {
                    s.Style(kind == 1 ? clBlue : clBlack, psSolid, clYellow, bsSolid);
                    for (int i = 0; i < 24; ++i) {
                        const int L = i * cell + 2, T = row * cell + 2, R = L + box.width(),
                                  B = T + box.height();
                        const double d = dist == 0 ? 100.0 : dist == 1 ? box.width() / 2.0 : 0.0;
                        const QPoint p = RayPoint(L, T, R, B, i * 15.0, d);
                        const QPoint q = RayPoint(L, T, R, B, i * 15.0 + sweep, d);
                        s.Figure(kind, L, T, R, B, p.x(), p.y(), q.x(), q.y());
                    }
                }
        EXPECT_TRUE(MatchesReference(s.img(), RefPath(kind == 1 ? "arc_directions" : "pie_directions")));
    }
}

TEST(CanvasFigures, LargeFiguresReachingPastThePicture)
{
    // The sizes a meter band, its inner disc and its scale arc have, cut by the picture's edges.
    Sheet s(420, 260);
    const int cx = 200, cy = 230;
    for (int k = 0; k < 6; ++k) {
        const TColor colors[] = {clLime, RGB(0xFF, 0x80, 0), clRed, clAqua, clFuchsia, clOlive};
        s.Style(colors[k], psSolid, colors[k], bsSolid);
        const double a0 = 170 - k * 28, a1 = a0 - 28 - k;
        const QPoint p = RayPoint(cx - 179, cy - 179, cx + 180, cy + 179, a0, 175);
        const QPoint q = RayPoint(cx - 179, cy - 179, cx + 180, cy + 179, a1, 175);
        s.Figure(2, cx - 179, cy - 179, cx + 180, cy + 179, q.x(), q.y(), p.x(), p.y());
    }
    s.Style(clWhite, psSolid, clWhite, bsSolid);
    s.Figure(0, cx - 157, cy - 157, cx + 158, cy + 157, 0, 0, 0, 0);
    s.Style(clNavy, psSolid, clWhite, bsClear);
    const QPoint p1 = RayPoint(cx - 175, cy - 175, cx + 176, cy + 175, 10, 175);
    const QPoint p0 = RayPoint(cx - 175, cy - 175, cx + 176, cy + 175, 170, 175);
    s.Figure(1, cx - 175, cy - 175, cx + 176, cy + 175, p1.x(), p1.y(), p0.x(), p0.y());
    // A full circle through the left and top edges, and a three-quarter pie without a pen.
    s.Style(clBlack, psSolid, clGray, bsClear);
    s.Figure(1, -100, -120, 150, 140, 3, 3, 3, 3);
    s.Style(clBlack, psClear, RGB(0x40, 0x80, 0xC0), bsSolid);
    s.Figure(2, 300, -40, 520, 120, 300, 40, 410, 120);
    EXPECT_TRUE(MatchesReference(s.img(), RefPath("large_figures")));
}

TEST(CanvasFigures, PenModesBrushStylesWidePensAndClipping)
{
    // Rows: the eight pen modes, then a hatched brush, a wide pen, a dashed pen and a clip
    // rectangle; columns: ellipse, arc and pie, each with a solid and a clear brush.
    const TPenMode modes[] = {pmCopy, pmNot, pmXor, pmNotXor, pmBlack, pmWhite, pmNop, pmNotCopy};
    const int cell = 36, rows = int(std::size(modes)) + 4;
    Sheet s(6 * cell, rows * cell);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < 6; ++col) {
            const int kind = col / 2, L = col * cell + 3, T = row * cell + 3, R = L + 29, B = T + 27;
            const TBrushStyle bs = col % 2 ? bsClear : row == 8 ? bsDiagCross : bsSolid;
            const TPenMode mode = row < 8 ? modes[row] : pmCopy;
            s.Style(RGB(0x20, 0x60, 0xA0), row == 10 ? psDash : psSolid, RGB(0xC0, 0x30, 0x50), bs, mode,
                    row == 9 ? 3 : 1);
            if (row == 11) s.c()->SetClipRect(Rect(L + 5, T + 4, R - 9, B - 6));
            s.Figure(kind, L, T, R, B, R, T + 20, L + 10, T);
            if (row == 11) s.c()->SetClipRect(TRect{});
        }
    EXPECT_TRUE(MatchesReference(s.img(), RefPath("figure_modes")));
}

TEST(CanvasFigures, RandomFigures)
{
    // A fixed generator (its raw output is the same everywhere) picks 400 figures.
    std::mt19937 gen(20261207u);
    auto pick = [&](int Lo, int Hi) { return Lo + int(gen() % std::uint32_t(Hi - Lo + 1)); };
    const int cell = 64, cols = 20;
    Sheet s(cols * cell, 20 * cell);
    const TPenMode modes[] = {pmCopy, pmCopy, pmCopy, pmNot, pmXor};
    for (int i = 0; i < 400; ++i) {
        const int L0 = (i % cols) * cell, T0 = (i / cols) * cell;
        const int w = pick(1, 60), h = pick(1, 60), L = L0 + pick(0, 62 - w), T = T0 + pick(0, 62 - h);
        const TColor pen = RGB(pick(0, 255), pick(0, 255), pick(0, 255));
        const TColor brush = RGB(pick(0, 255), pick(0, 255), pick(0, 255));
        const TPenStyle ps = pick(0, 5) == 0 ? psClear : psSolid;
        const TBrushStyle bs = pick(0, 4) == 0 ? bsClear : bsSolid;
        s.Style(pen, ps, brush, bs, modes[pick(0, 4)]);
        const int kind = pick(0, 2);
        const int x3 = L + pick(-20, w + 20), y3 = T + pick(-20, h + 20);
        const int x4 = L + pick(-20, w + 20), y4 = T + pick(-20, h + 20);
        s.Figure(kind, L, T, L + w, T + h, x3, y3, x4, y4);
    }
    EXPECT_TRUE(MatchesReference(s.img(), RefPath("random_figures")));
}

TEST(CanvasFigures, LinesRectanglesAndFills)
{
    // Lines in every direction and pen style, rectangles with thin, wide and inside-frame pens and
    // every brush, fills, in copy and raster modes, with and without a clip rectangle.
    const TPenMode modes[] = {pmCopy, pmNot, pmXor, pmBlack};
    const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame};
    Sheet s(4 * 130, 2 * 130);
    for (int m = 0; m < 4; ++m)
        for (int clip = 0; clip < 2; ++clip) {
            const int X = m * 130, Y = clip * 130;
            if (clip) s.c()->SetClipRect(Rect(X + 10, Y + 12, X + 115, Y + 118));
            s.Style(RGB(0x30, 0x40, 0xB0), psSolid, clWhite, bsSolid, modes[m]);
            for (int i = 0; i < 24; ++i) {
                s.c()->Pen()->SetStyle(styles[i % 6]);
                const QPoint p = RayPoint(X + 30, Y + 30, X + 31, Y + 31, i * 15.0 + 3 * m, 25 + i % 4);
                s.c()->MoveTo(X + 30, Y + 30);
                s.c()->LineTo(p.x(), p.y());
            }
            for (int k = 0; k < 8; ++k) {
                const TBrushStyle bs = TBrushStyle(k);
                s.Style(RGB(0x90, 0x20, 0x20), styles[k % 6], RGB(0x20, 0xA0, 0x60), bs, modes[m], 1 + k % 3);
                const int L = X + 62 + (k % 2) * 32, T = Y + 4 + (k / 2) * 30;
                s.c()->Rectangle(L, T, L + 27 - k, T + 25 - k % 3);
            }
            s.Style(clBlack, psSolid, RGB(0xA0, 0x90, 0x10), bsSolid, modes[m]);
            s.c()->FillRect(X + 4, Y + 70, X + 50, Y + 90);
            s.c()->Brush()->SetStyle(bsCross);
            s.c()->FillRect(X + 4, Y + 95, X + 50, Y + 125);
            s.c()->Pen()->SetStyle(psSolid);
            s.c()->Polyline(
                QPolygon({QPoint(X + 55, Y + 125), QPoint(X + 125, Y + 95), QPoint(X + 70, Y + 124)}));
            s.c()->SetClipRect(TRect{});
        }
    EXPECT_TRUE(MatchesReference(s.img(), RefPath("lines_rectangles")));
}
