// Polygon outlines follow the LineTo rule; lines with far-away ends stay cheap and exact on screen.
#include <krogui/graphics/bitmap.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kro;
using kro::test::PixelAt;

TEST(CanvasPolygon, ThinOutlineHitsEveryVertexAndTheFillStaysInside)
{
    TBitmap b(40, 40);
    TCanvas *c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    const QPolygon head({QPoint(25, 30), QPoint(20, 5), QPoint(15, 30), QPoint(20, 31)});
    c->Polygon(head);
    const QImage &img = b.Image();
    for (const QPoint &p : head)
        EXPECT_EQ(PixelAt(img, p.x(), p.y()), clBlack) << p.x() << "," << p.y();
    EXPECT_EQ(PixelAt(img, 20, 20), clRed);
    // Mirror-symmetric figure, mirror-symmetric pixels; no fill outside the outline on any row.
    for (int y = 0; y < 40; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < 40; ++x) {
            if (x > 0) {
                EXPECT_EQ(PixelAt(img, x, y), PixelAt(img, 40 - x, y)) << x << "," << y;
            }
            if (PixelAt(img, x, y) != clWhite) {
                last = x;
                if (first < 0) first = x;
            }
        }
        if (first >= 0) {
            EXPECT_EQ(PixelAt(img, first, y), clBlack) << "row " << y;
            EXPECT_EQ(PixelAt(img, last, y), clBlack) << "row " << y;
        }
    }
}

TEST(CanvasPolygon, FarAwayLineEndsDoNotHang)
{
    TBitmap b(50, 20);
    TCanvas *c = b.Canvas();
    const int big = std::numeric_limits<int>::max();
    c->MoveTo(-big, 10);
    c->LineTo(big, 10);
    c->Polygon(QPolygon({QPoint(10, 5), QPoint(big, big), QPoint(-big, big)}));
    EXPECT_EQ(PixelAt(b.Image(), 0, 10), clBlack);
    EXPECT_EQ(PixelAt(b.Image(), 49, 10), clBlack);
    EXPECT_EQ(PixelAt(b.Image(), 10, 5), clBlack);
}
