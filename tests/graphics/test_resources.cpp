// The committed stock bitmaps are exactly what the generator's painters produce now.
#include <krogui/graphics/bitmap.h>

#include "registry.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kro;

namespace {

QString ResourceDir()
{
    return QStringLiteral(KROGUI_SOURCE_DIR "/src/krogui/resources");
}

// The first differing pixel, or an empty text when both pictures are equal.
QString Difference(const QImage &A, const QImage &B)
{
    if (A.size() != B.size())
        return QStringLiteral("size %1x%2 against %3x%4")
            .arg(A.width())
            .arg(A.height())
            .arg(B.width())
            .arg(B.height());
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            if ((A.pixel(x, y) & 0xFFFFFFu) != (B.pixel(x, y) & 0xFFFFFFu))
                return QStringLiteral("pixel %1,%2: %3 against %4")
                    .arg(x)
                    .arg(y)
                    .arg(A.pixel(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
                    .arg(B.pixel(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
    return QString();
}

} // namespace

TEST(Resources, CommittedPicturesMatchTheirPainters)
{
    const auto &all = resgen::All();
    ASSERT_TRUE(all.count(QStringLiteral("CHECKEDBOX")) && all.count(QStringLiteral("EMPTYBOX")));
    for (const auto &[name, paint] : all) {
        const QImage painted = paint().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(painted.isNull()) << qPrintable(name);
        EXPECT_EQ(paint().convertToFormat(QImage::Format_RGB32), painted)
            << qPrintable(name) << " is not deterministic";
        const QImage committed(QDir(ResourceDir()).filePath(name + QStringLiteral(".png")));
        ASSERT_FALSE(committed.isNull()) << qPrintable(name) << ".png is missing: run krogui-resgen";
        const QString diff = Difference(committed.convertToFormat(QImage::Format_RGB32), painted);
        EXPECT_TRUE(diff.isEmpty()) << qPrintable(name) << ".png is stale (" << qPrintable(diff)
                                    << "): run krogui-resgen and commit";
        // The embedded copy is the same picture.
        TBitmap b;
        ASSERT_NO_THROW(b.LoadFromResourceName(name)) << qPrintable(name) << " is not embedded: re-run cmake";
        EXPECT_TRUE(Difference(b.Image(), painted).isEmpty()) << qPrintable(name);
    }
    // No picture without a painter.
    const QStringList files = QDir(ResourceDir()).entryList({QStringLiteral("*.png")}, QDir::Files);
    for (const QString &f : files)
        EXPECT_TRUE(all.count(f.chopped(4))) << qPrintable(f) << " has no painter";
}

TEST(Resources, CheckBoxPictures)
{
    TBitmap checked, empty;
    checked.LoadFromResourceName(QStringLiteral("CHECKEDBOX"));
    empty.LoadFromResourceName(QStringLiteral("EMPTYBOX"));
    ASSERT_EQ(checked.Width(), empty.Width());
    ASSERT_EQ(checked.Height(), empty.Height());
    // Same box, the tick only in the checked one, in the middle.
    int differ = 0;
    for (int y = 0; y < checked.Height(); ++y)
        for (int x = 0; x < checked.Width(); ++x)
            if (checked.Canvas()->Pixels(x, y) != empty.Canvas()->Pixels(x, y)) {
                ++differ;
                EXPECT_TRUE(x > 1 && y > 1 && x < checked.Width() - 2 && y < checked.Height() - 2)
                    << x << "," << y;
            }
    EXPECT_GT(differ, 10);
    EXPECT_EQ(empty.Canvas()->Pixels(6, 6), clWhite);
}
