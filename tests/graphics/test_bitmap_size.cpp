// A bitmap keeps each side as set, also while the other side is 0.
#include <krogui/graphics/bitmap.h>

#include <gtest/gtest.h>

using namespace kro;

TEST(Bitmap, ZeroSideKeepsTheOtherSide)
{
    TBitmap bmp(4, 3);
    bmp.SetHeight(0);
    EXPECT_EQ(bmp.Width(), 4);
    EXPECT_EQ(bmp.Height(), 0);
    EXPECT_TRUE(bmp.Empty());
    bmp.SetHeight(3);
    EXPECT_EQ(bmp.Width(), 4);
    EXPECT_EQ(bmp.Height(), 3);
    EXPECT_EQ(bmp.Image().size(), QSize(4, 3));

    bmp.SetWidth(0);
    bmp.SetHeight(7);
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_EQ(bmp.Height(), 7);
    bmp.SetWidth(5);
    EXPECT_EQ(bmp.Image().size(), QSize(5, 7));
    EXPECT_EQ(bmp.Canvas()->Pixels(4, 6), clWhite);

    // Assigning a picture takes its size; negative sides still count as 0.
    bmp.SetSize(-2, 9);
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_EQ(bmp.Height(), 9);
    bmp.Assign(QImage(2, 6, QImage::Format_RGB32));
    EXPECT_EQ(bmp.Width(), 2);
    EXPECT_EQ(bmp.Height(), 6);
}
