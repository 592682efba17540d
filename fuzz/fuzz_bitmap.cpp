// Loading a picture into TBitmap from a file of any content (BMP, PNG and JPEG names). A refused
// load raises EKROError and leaves the bitmap as it was.
#include "fuzzcommon.h"

#include <krogui/core/error.h>
#include <krogui/graphics/bitmap.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdlib>

using namespace kro;
using krofuzz::Check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(true);
    // KROGUI_FUZZ_SEED=<dir>: write a small picture in each format as the library saves it.
    if (const char *dir = std::getenv("KROGUI_FUZZ_SEED")) {
        QImage img(4, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                img.setPixel(x, y, qRgb(60 * x, 80 * y, 200));
        TBitmap bmp;
        bmp.Assign(img);
        for (const char *ext : {"bmp", "png", "jpg"})
            bmp.SaveToFile(QStringLiteral("%1/saved.%2").arg(QString::fromLocal8Bit(dir), QLatin1String(ext)));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    static const char *const exts[] = {"bmp", "png", "jpg", "img"};
    const char *ext = exts[in.Byte() % 4];
    const QString name = QDir::temp().filePath(
        QStringLiteral("krogui_fuzz_pic_%1.%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(ext)));
    {
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(in.RestBytes());
    }
    TBitmap bmp;
    bmp.SetSize(3, 2);
    bmp.Assign(QImage(3, 2, QImage::Format_RGB32));
    const QImage before = bmp.Image();
    try {
        bmp.LoadFromFile(name);
    } catch (const EKROError &) {
        Check(bmp.Width() == 3 && bmp.Height() == 2 && bmp.Image() == before, "a refused load changed the bitmap");
        return 0;
    }
    Check(bmp.Width() == bmp.Image().width() && bmp.Height() == bmp.Image().height(), "size and picture disagree");
    // A few bytes may declare a picture of many million pixels that Qt accepts (its allocation
    // limit is 256 MB); the mask is linear work on it, so only modest pictures get one.
    if (!bmp.Empty() && qint64(bmp.Width()) * bmp.Height() <= 1000000) (void)bmp.MaskOf(TColor(0));
    return 0;
}
