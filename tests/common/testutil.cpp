#include "testutil.h"

namespace kro::test {

TColor PixelAt(const QImage &Img, int X, int Y)
{
    const QRgb p = Img.pixel(X, Y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

int CountColor(const QImage &Img, TColor C, int L, int T, int R, int B)
{
    int n = 0;
    for (int y = std::max(T, 0); y < std::min(B, Img.height()); ++y)
        for (int x = std::max(L, 0); x < std::min(R, Img.width()); ++x)
            if (PixelAt(Img, x, y) == C)
                ++n;
    return n;
}

Box BoundsOf(const QImage &Img, TColor C)
{
    Box b;
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x)
            if (PixelAt(Img, x, y) == C) {
                if (b.L < 0 || x < b.L) b.L = x;
                if (b.T < 0) b.T = y;
                if (x > b.R) b.R = x;
                b.B = y;
            }
    return b;
}

QString Picture(const QImage &Img, TColor C)
{
    QString s;
    for (int y = 0; y < Img.height(); ++y) {
        for (int x = 0; x < Img.width(); ++x)
            s += PixelAt(Img, x, y) == C ? QLatin1Char('#') : QLatin1Char('.');
        s += QLatin1Char('\n');
    }
    return s;
}

} // namespace kro::test
