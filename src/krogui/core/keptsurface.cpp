#include <krogui/core/keptsurface.h>

#include <QPainter>

#include <algorithm>

namespace kro {

bool TKeptSurface::NeedsCompose(int W, int H) const
{
    return FStale || FBitmap.Scale() != FScale || FBitmap.Width() != std::max(1, W) ||
           FBitmap.Height() != std::max(1, H);
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
    FBitmap.SetScale(FScale);
    FBitmap.SetSize(std::max(1, W), std::max(1, H));
    FStale = false;
    FShown = QImage();
    Paint();
    FBitmap.Canvas()->Flush();
    return true;
}

void TKeptSurface::SetScale(int S)
{
    S = std::clamp(S, 1, 4);
    if (S == FScale) return;
    FScale = S;
    FStale = true;
}

const QImage &TKeptSurface::Image()
{
    const QImage &device = FBitmap.Image();
    if (FBitmap.Scale() == 1) return device;
    if (FLogical.isNull() || FLogicalKey != device.cacheKey()) {
        FLogical = LogicalImage(device);
        FLogicalKey = device.cacheKey();
    }
    return FLogical;
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
        // A mask made at another scale than the picture is brought to its pixels.
        QImage mask = FOutputMask.convertToFormat(QImage::Format_Mono);
        if (mask.size() != surface.size())
            mask = mask.scaled(surface.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                       .convertToFormat(QImage::Format_Mono);
        for (int y = 0; y < FShown.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(FShown.scanLine(y));
            for (int x = 0; x < FShown.width(); ++x)
                if (x >= mask.width() || y >= mask.height() || mask.pixelIndex(x, y) == 0) line[x] = 0;
        }
    }
    Painter.drawImage(0, 0, FShown);
}

} // namespace kro
