#include <krogui/core/keptsurface.h>

#include <QPainter>

namespace kro {

bool TKeptSurface::NeedsCompose(int W, int H) const
{
    return FStale || FBitmap.Width() != std::max(1, W) || FBitmap.Height() != std::max(1, H);
}

bool TKeptSurface::Compose(int W, int H, const std::function<void()> &Paint)
{
    if (FComposing) return false;
    struct Guard
    {
        bool &Flag;
        ~Guard() { Flag = false; }
    } guard{FComposing};
    FComposing = true;
    FBitmap.SetSize(std::max(1, W), std::max(1, H));
    FStale = false;
    FShown = QImage();
    Paint();
    FBitmap.Canvas()->Flush();
    return true;
}

void TKeptSurface::SetOutputMask(const QImage &Mask)
{
    FOutputMask = Mask;
    FShown = QImage();
}

void TKeptSurface::PaintTo(QPainter &Painter)
{
    const QImage &surface = FBitmap.Image();
    if (FOutputMask.isNull()) {
        Painter.drawImage(0, 0, surface);
        return;
    }
    if (FShown.isNull() || FShown.size() != surface.size()) {
        FShown = surface.convertToFormat(QImage::Format_ARGB32);
        const QImage mask = FOutputMask.convertToFormat(QImage::Format_Mono);
        for (int y = 0; y < FShown.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(FShown.scanLine(y));
            for (int x = 0; x < FShown.width(); ++x)
                if (x >= mask.width() || y >= mask.height() || mask.pixelIndex(x, y) == 0) line[x] = 0;
        }
    }
    Painter.drawImage(0, 0, FShown);
}

} // namespace kro
