// The kept surface at a device pixel ratio: composed at the scale, read back logically, shown
// through a mask of either scale.
#include "testutil.h"

#include <krogui/core/keptsurface.h>
#include <krogui/graphics/colors.h>

#include <QPainter>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

// A red square at (2, 1) on blue, with a one-device-pixel yellow dot at the top-left.
void PaintSample(TCanvas *C)
{
    C->Brush()->SetColor(clBlue);
    C->FillRect(0, 0, 8, 6);
    C->Brush()->SetColor(clRed);
    C->FillRect(2, 1, 5, 4);
    C->Handle()->fillRect(QRectF(0, 0, 1.0 / C->Scale(), 1.0 / C->Scale()), Qt::yellow);
}

} // namespace

TEST(KeptSurface, ComposesAtItsScaleAndReadsBackLogically)
{
    TKeptSurface s;
    int paints = 0;
    s.SetScale(2);
    ASSERT_TRUE(s.Compose(8, 6, [&] {
        ++paints;
        PaintSample(s.Canvas());
    }));
    EXPECT_EQ(s.DeviceImage().size(), QSize(16, 12));
    EXPECT_EQ(s.DeviceImage().devicePixelRatio(), 2.0);
    const QImage logical = s.Image();
    ASSERT_EQ(logical.size(), QSize(8, 6));
    EXPECT_EQ(PixelAt(logical, 3, 2), clRed);
    EXPECT_EQ(PixelAt(logical, 5, 2), clBlue);
    EXPECT_EQ(PixelAt(logical, 0, 0), clYellow);
    EXPECT_EQ(PixelAt(s.DeviceImage(), 1, 0), clBlue); // the dot is one device pixel only
    EXPECT_FALSE(s.NeedsCompose(8, 6));

    // Drawing after the compose shows in the logical picture too.
    s.Canvas()->SetPixel(7, 5, clLime);
    EXPECT_EQ(PixelAt(s.Image(), 7, 5), clLime);

    // A change of scale makes the picture stale; composed again it has the new density.
    s.SetScale(2);
    EXPECT_FALSE(s.NeedsCompose(8, 6));
    s.SetScale(1);
    EXPECT_TRUE(s.NeedsCompose(8, 6));
    s.Compose(8, 6, [&] {
        ++paints;
        PaintSample(s.Canvas());
    });
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(s.DeviceImage().size(), QSize(8, 6));
    EXPECT_EQ(&s.Image(), &s.DeviceImage()); // at scale 1 the picture itself
}

TEST(KeptSurface, MaskOfEitherScaleCoversTheSameLogicalPixels)
{
    for (const bool deviceMask : {false, true}) {
        TKeptSurface s;
        s.SetScale(2);
        s.Compose(8, 6, [&] { PaintSample(s.Canvas()); });
        // Shown: the left half only.
        const int m = deviceMask ? 2 : 1;
        QImage mask(8 * m, 6 * m, QImage::Format_Mono);
        mask.fill(0);
        for (int y = 0; y < 6 * m; ++y)
            for (int x = 0; x < 4 * m; ++x)
                mask.setPixel(x, y, 1);
        s.SetOutputMask(mask);

        QImage screen(16, 12, QImage::Format_ARGB32);
        screen.setDevicePixelRatio(2);
        screen.fill(Qt::white);
        {
            QPainter p(&screen);
            s.PaintTo(p);
        }
        EXPECT_EQ(PixelAt(screen, 7, 4), clRed) << "device mask " << deviceMask;   // logical (3, 2)
        EXPECT_EQ(PixelAt(screen, 8, 4), clWhite) << "device mask " << deviceMask; // logical (4, 2)
        EXPECT_EQ(PixelAt(screen, 15, 11), clWhite) << "device mask " << deviceMask;
        EXPECT_EQ(PixelAt(screen, 1, 1), clBlue) << "device mask " << deviceMask;
    }
}
