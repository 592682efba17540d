// A canvas on a bitmap of scale 2 follows the same pixel rules as one of scale 1: the same drawing
// gives the same picture, each logical pixel a 2 x 2 block, while text is drawn at full density.
#include "testutil.h"

#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace kro;
using namespace kro::test;

namespace {

using Drawing = std::function<void(TCanvas *)>;

// The same drawing on a white bitmap of scale 1 and one of scale 2, both W x H logical pixels.
struct Twin
{
    Twin(int W, int H, const Drawing &Draw) : one(W, H), two(W, H, 2)
    {
        for (TBitmap *b : {&one, &two}) {
            TCanvas *c = b->Canvas();
            c->Brush()->SetColor(clWhite);
            c->FillRect(0, 0, W, H);
            c->Pen()->SetColor(clBlack);
            Draw(c);
        }
    }
    TBitmap one, two;
};

// Where the scale-2 picture differs from the scale-1 picture enlarged: Whole compares every device
// pixel of each block, otherwise only its top-left one. Empty when they agree.
QString Mismatch(Twin &T, bool Whole)
{
    const QImage &a = T.one.Image(), &b = T.two.Image();
    if (b.size() != a.size() * 2)
        return QStringLiteral("scale-2 image is %1x%2").arg(b.width()).arg(b.height());
    QString out;
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            if (!Whole && (x % 2 || y % 2)) continue;
            if (PixelAt(b, x, y) == PixelAt(a, x / 2, y / 2)) continue;
            if (++n <= 6)
                out += QStringLiteral("device (%1,%2) is %3, logical (%4,%5) is %6\n")
                           .arg(x)
                           .arg(y)
                           .arg(PixelAt(b, x, y), 6, 16, QLatin1Char('0'))
                           .arg(x / 2)
                           .arg(y / 2)
                           .arg(PixelAt(a, x / 2, y / 2), 6, 16, QLatin1Char('0'));
        }
    if (n) out += QStringLiteral("%1 pixels differ\n").arg(n) + Picture(a, clBlack);
    return out;
}

void ExpectBlocks(int W, int H, const Drawing &Draw, const char *What)
{
    Twin t(W, H, Draw);
    EXPECT_TRUE(Mismatch(t, true).isEmpty()) << What << "\n" << qPrintable(Mismatch(t, true));
}

// Blocks of a 2x image that are not one colour: zero for a picture that was only enlarged.
int MixedBlocks(const QImage &Img)
{
    int n = 0;
    for (int y = 0; y + 1 < Img.height(); y += 2)
        for (int x = 0; x + 1 < Img.width(); x += 2) {
            const TColor c = PixelAt(Img, x, y);
            n +=
                PixelAt(Img, x + 1, y) != c || PixelAt(Img, x, y + 1) != c || PixelAt(Img, x + 1, y + 1) != c;
        }
    return n;
}

// A little pattern of colours for the raster operations to work on.
void Pattern(TCanvas *C)
{
    C->Brush()->SetColor(0x3060C0);
    C->FillRect(2, 2, 14, 9);
    C->Brush()->SetColor(clYellow);
    C->FillRect(8, 5, 20, 18);
}

} // namespace

TEST(CanvasScaled, BitmapKeepsLogicalSizeAndPictureAcrossScales)
{
    TBitmap b(7, 5);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(1, 1, 3, 2);
    b.SetScale(2);
    EXPECT_EQ(b.Scale(), 2);
    EXPECT_EQ(b.Width(), 7);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_EQ(b.Image().size(), QSize(14, 10));
    EXPECT_EQ(b.Image().devicePixelRatio(), 2.0);
    EXPECT_EQ(b.Canvas()->Scale(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clRed);
    EXPECT_EQ(PixelAt(b.Image(), 5, 3), clRed); // the whole block
    EXPECT_EQ(b.Canvas()->Pixels(3, 1), clWhite);
    EXPECT_EQ(LogicalImage(b.Image()).size(), QSize(7, 5));
    EXPECT_EQ(PixelAt(LogicalImage(b.Image()), 1, 1), clRed);

    b.SetSize(9, 6); // a resize keeps the scale and the picture
    EXPECT_EQ(b.Image().size(), QSize(18, 12));
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    b.SetSize(0, 6); // empty for a while: the scale stays
    b.SetSize(3, 3);
    EXPECT_EQ(b.Scale(), 2);
    EXPECT_EQ(b.Image().size(), QSize(6, 6));
    b.Canvas()->SetPixel(1, 1, clRed);

    TBitmap copy(b); // a copy has the scale of its source
    EXPECT_EQ(copy.Scale(), 2);
    EXPECT_EQ(copy.Width(), 3);
    b.SetScale(1);
    EXPECT_EQ(b.Image().size(), QSize(3, 3));
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    b.SetScale(99); // clamped
    EXPECT_EQ(b.Scale(), 4);
}

TEST(CanvasScaled, LinesKeepStartAndEndRulesAsBlocks)
{
    ExpectBlocks(
        24, 20,
        [](TCanvas *c) {
            c->MoveTo(1, 1);
            c->LineTo(20, 1);  // horizontal
            c->LineTo(20, 15); // vertical
            c->LineTo(3, 10);  // shallow, right to left
            c->LineTo(7, 19);  // steep
            c->MoveTo(22, 19);
            c->LineTo(10, 3);
        },
        "solid lines");
    ExpectBlocks(
        40, 10,
        [](TCanvas *c) {
            c->Pen()->SetStyle(psDash);
            c->MoveTo(0, 2);
            c->LineTo(39, 2);
            c->Pen()->SetStyle(psDot);
            c->MoveTo(0, 6);
            c->LineTo(39, 8);
        },
        "patterned lines");
    ExpectBlocks(
        20, 20,
        [](TCanvas *c) {
            c->Polyline(QPolygon({QPoint(2, 2), QPoint(15, 4), QPoint(9, 17)})); // last pixel included
            c->LinePath(clRed, {QPoint(18, 1), QPoint(18, 18), QPoint(1, 18)});
        },
        "polyline and path");
    // The pen position is logical.
    Twin t(10, 10, [](TCanvas *c) {
        c->MoveTo(1, 2);
        c->LineTo(7, 5);
    });
    EXPECT_EQ(t.two.Canvas()->PenPos(), QPoint(7, 5));
    EXPECT_EQ(t.two.Canvas()->Pixels(7, 5), clWhite);
}

TEST(CanvasScaled, RectanglesFillsAndFramesAsBlocks)
{
    ExpectBlocks(
        30, 24,
        [](TCanvas *c) {
            c->Brush()->SetColor(clLime);
            c->Rectangle(2, 2, 12, 9);
            c->Pen()->SetWidth(3);
            c->Rectangle(15, 3, 27, 12);
            c->Pen()->SetStyle(psInsideFrame);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(3, 13, 14, 22);
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clNavy);
            c->FillRect(Rect(16, 15, 25, 20));
            c->Brush()->SetColor(clRed);
            c->FrameRect(Rect(17, 16, 29, 23));
            c->Rectangle(9, 9, 5, 5); // reversed corners
        },
        "rectangles");
}

TEST(CanvasScaled, EllipsesArcsAndPiesAsBlocks)
{
    ExpectBlocks(
        48, 40,
        [](TCanvas *c) {
            c->Brush()->SetColor(clAqua);
            c->Ellipse(1, 1, 20, 14);
            c->Ellipse(22, 2, 27, 5); // tiny
            c->Arc(2, 16, 24, 38, 24, 16, 2, 38);
            c->Brush()->SetColor(clFuchsia);
            c->Pie(26, 10, 47, 39, 47, 10, 26, 24);
            c->Brush()->SetStyle(bsClear);
            c->Ellipse(30, 1, 46, 9);
        },
        "figures");
}

TEST(CanvasScaled, PolygonsMatchAtEveryLogicalPixel)
{
    const Drawing draw = [](TCanvas *c) {
        c->Brush()->SetColor(clRed);
        c->Polygon(QPolygon({QPoint(2, 2), QPoint(25, 6), QPoint(14, 22), QPoint(4, 15)}));
        c->Brush()->SetStyle(bsClear);
        c->Polygon(QPolygon({QPoint(20, 14), QPoint(29, 20), QPoint(18, 23)}));
    };
    Twin t(32, 26, draw);
    // The fill follows the slanted edges more finely inside a block; every block's own point
    // and the outline keep the logical rule.
    EXPECT_TRUE(Mismatch(t, false).isEmpty()) << qPrintable(Mismatch(t, false));
    EXPECT_EQ(CountColor(LogicalImage(t.two.Image()), clBlack, 0, 0, 32, 26),
              CountColor(t.one.Image(), clBlack, 0, 0, 32, 26));
    ExpectBlocks(
        32, 26,
        [](TCanvas *c) {
            Pattern(c);
            c->Pen()->SetMode(pmXor);
            c->Pen()->SetColor(clWhite);
            c->Brush()->SetColor(clBlue);
            c->Polygon(QPolygon({QPoint(1, 1), QPoint(30, 4), QPoint(12, 24)}));
        },
        "xor polygon");
}

TEST(CanvasScaled, PenModesAndClipAsBlocks)
{
    ExpectBlocks(
        24, 20,
        [](TCanvas *c) {
            Pattern(c);
            c->Pen()->SetMode(pmXor);
            c->Pen()->SetColor(0x00FF00);
            c->Brush()->SetColor(0x0000FF);
            c->Rectangle(4, 4, 18, 12);
            c->MoveTo(0, 15);
            c->LineTo(23, 3);
            c->Pen()->SetMode(pmNot);
            c->MoveTo(1, 19);
            c->LineTo(22, 0);
            c->Ellipse(3, 8, 15, 19);
        },
        "xor and not");
    ExpectBlocks(
        24, 20,
        [](TCanvas *c) {
            c->SetClipRect(Rect(5, 4, 15, 13));
            c->Brush()->SetColor(clRed);
            c->Rectangle(0, 0, 24, 20);
            c->MoveTo(0, 8);
            c->LineTo(24, 8);
            c->SetClipRect(TRect{});
            c->MoveTo(0, 17);
            c->LineTo(24, 17);
        },
        "clip");
}

TEST(CanvasScaled, FloodFillWorksOnLogicalPixels)
{
    for (const TFillStyle style : {fsSurface, fsBorder}) {
        ExpectBlocks(
            30, 24,
            [style](TCanvas *c) {
                c->Brush()->SetStyle(bsClear);
                c->Rectangle(2, 2, 27, 21);
                c->Ellipse(6, 5, 20, 18); // a ring with a gap between the figures
                c->MoveTo(2, 12);
                c->LineTo(27, 12);
                c->Brush()->SetStyle(bsSolid);
                c->Brush()->SetColor(clRed);
                if (style == fsSurface)
                    c->FloodFill(4, 4, clWhite, fsSurface);
                else
                    c->FloodFill(13, 8, clBlack, fsBorder);
            },
            style == fsSurface ? "fsSurface" : "fsBorder");
    }
    // Outside the picture and on a point that is not of the surface: nothing.
    Twin t(8, 8, [](TCanvas *c) {
        c->Brush()->SetColor(clRed);
        c->FloodFill(8, 3, clWhite, fsSurface);
        c->FloodFill(-1, 3, clWhite, fsSurface);
        c->FloodFill(3, 3, clBlack, fsSurface);
    });
    EXPECT_EQ(CountColor(t.two.Image(), clRed, 0, 0, 16, 16), 0);
}

TEST(CanvasScaled, PixelsReadAndWriteBlocks)
{
    TBitmap b(6, 4, 2);
    TCanvas *c = b.Canvas();
    c->SetPixel(5, 3, clBlue); // the last logical pixel
    c->SetPixel(6, 3, clRed);  // outside: nothing (the device image is wider)
    c->SetPixel(-1, 0, clRed);
    EXPECT_EQ(c->Pixels(5, 3), clBlue);
    EXPECT_EQ(CountColor(b.Image(), clBlue, 0, 0, 12, 8), 4);
    EXPECT_EQ(CountColor(b.Image(), clBlue, 10, 6, 12, 8), 4);
    EXPECT_EQ(CountColor(b.Image(), clRed, 0, 0, 12, 8), 0);
    EXPECT_EQ(c->Pixels(6, 0), clBlack); // outside the logical picture
    EXPECT_EQ(c->Pixels(0, 4), clBlack);
    EXPECT_EQ(c->Pixels(0, 0), clWhite);
}

TEST(CanvasScaled, DrawStretchDrawAndCopyRectPlaceLogicalRectangles)
{
    TBitmap src(5, 4);
    src.Canvas()->Brush()->SetColor(0x2080F0);
    src.Canvas()->FillRect(0, 0, 5, 4);
    src.Canvas()->SetPixel(1, 1, clRed);
    src.Canvas()->SetPixel(4, 3, clLime);
    for (const TCopyMode mode : {SRCCOPY, SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY}) {
        ExpectBlocks(
            24, 20,
            [&](TCanvas *c) {
                Pattern(c);
                c->SetCopyMode(mode);
                c->Draw(3, 3, src);
                c->StretchDraw(Rect(9, 7, 19, 15), src); // twice the size
                c->CopyRect(Rect(14, 1, 19, 5), *src.Canvas(), Rect(0, 0, 5, 4));
                c->CopyRect(Rect(0, 14, 6, 20), *c, Rect(8, 4, 14, 10)); // within one picture
            },
            "copy modes");
    }
    src.SetTransparent(true);
    src.SetTransparentColor(0x2080F0);
    ExpectBlocks(
        12, 10,
        [&](TCanvas *c) {
            Pattern(c);
            c->Draw(2, 2, src);
        },
        "transparent");

    // A scale-2 source lands on a scale-1 canvas in its logical size, and on a scale-2 canvas
    // pixel for pixel.
    TBitmap fine(4, 3, 2);
    fine.Canvas()->Brush()->SetColor(clNavy);
    fine.Canvas()->FillRect(0, 0, 4, 3);
    fine.Canvas()->Handle()->fillRect(QRectF(0, 0, 0.5, 0.5), Qt::yellow); // one device pixel
    Twin t(10, 8, [&](TCanvas *c) {
        c->Draw(3, 2, fine);
        c->CopyRect(Rect(0, 6, 4, 8), *fine.Canvas(), Rect(0, 1, 4, 3));
    });
    EXPECT_TRUE(Mismatch(t, false).isEmpty()) << qPrintable(Mismatch(t, false));
    EXPECT_EQ(BoundsOf(t.one.Image(), clNavy).R, 6);
    EXPECT_EQ(PixelAt(t.two.Image(), 6, 4), clYellow); // the one device pixel, not a block
    EXPECT_EQ(PixelAt(t.two.Image(), 7, 4), clNavy);
}

TEST(CanvasScaled, TextIsDrawnAtFullDensity)
{
    Twin t(90, 24, [](TCanvas *c) {
        c->Font()->SetSize(10);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(3, 3, QStringLiteral("Gauge 42%"));
    });
    // Measures stay logical.
    EXPECT_EQ(t.two.Canvas()->TextWidth(QStringLiteral("Gauge 42%")),
              t.one.Canvas()->TextWidth(QStringLiteral("Gauge 42%")));
    EXPECT_EQ(t.two.Canvas()->PenPos(), t.one.Canvas()->PenPos());
    // Drawn at twice the resolution, not enlarged: many blocks hold more than one colour, while
    // the text covers about the same place.
    const QImage &two = t.two.Image();
    EXPECT_GT(MixedBlocks(two), 40);
    auto ink = [](const QImage &Img, int S) {
        int l = Img.width(), r = -1;
        for (int y = 0; y < Img.height(); ++y)
            for (int x = 0; x < Img.width(); ++x)
                if (PixelAt(Img, x, y) != clWhite) {
                    l = std::min(l, x / S);
                    r = std::max(r, x / S);
                }
        return std::make_pair(l, r);
    };
    const auto a = ink(t.one.Image(), 1), b = ink(two, 2);
    EXPECT_NEAR(a.first, b.first, 1);
    EXPECT_NEAR(a.second, b.second, 1);
    // The text's box, filled with the brush, is exact.
    ExpectBlocks(
        60, 20,
        [](TCanvas *c) {
            c->Brush()->SetColor(clRed);
            c->Font()->SetColor(clRed);
            c->TextOut(2, 2, QStringLiteral("box"));
        },
        "text box");
}
