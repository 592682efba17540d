#include <krogui/core/error.h>
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kro {

namespace {
constexpr int kDotsPerMeter96 = 3780; // 96 pixels per inch
}

QImage NewSurfaceImage(int Width, int Height, TColor Fill)
{
    QImage img(std::max(0, Width), std::max(0, Height), QImage::Format_RGB32);
    img.setDotsPerMeterX(kDotsPerMeter96);
    img.setDotsPerMeterY(kDotsPerMeter96);
    if (!img.isNull()) img.fill(ToQColor(Fill));
    return img;
}

int ScaleOfRatio(qreal Ratio)
{
    return std::clamp(int(std::lround(Ratio)), 1, 4);
}

QImage LogicalImage(const QImage &Img)
{
    const int s = ScaleOfRatio(Img.devicePixelRatio());
    if (s == 1 || Img.isNull()) return Img;
    const QImage src = Img.convertToFormat(QImage::Format_RGB32);
    QImage out(src.width() / s, src.height() / s, QImage::Format_RGB32);
    out.setDotsPerMeterX(kDotsPerMeter96);
    out.setDotsPerMeterY(kDotsPerMeter96);
    for (int y = 0; y < out.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(y * s));
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = in[x * s];
    }
    return out;
}

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>(&FImage)) {}

TBitmap::TBitmap(int Width, int Height) : TBitmap()
{
    SetSize(Width, Height);
}

TBitmap::TBitmap(int Width, int Height, int Scale) : TBitmap()
{
    FScale = std::clamp(Scale, 1, 4);
    SetSize(Width, Height);
}

TBitmap::~TBitmap()
{
    FCanvas.reset();
}

TBitmap::TBitmap(const TBitmap &Other) : TBitmap()
{
    Assign(Other);
}

TBitmap &TBitmap::operator=(const TBitmap &Other)
{
    if (this != &Other) Assign(Other);
    return *this;
}

void TBitmap::Reset(QImage Img)
{
    FCanvas->Flush();
    if (!Img.isNull() && Img.format() != QImage::Format_RGB32)
        Img = Img.convertToFormat(QImage::Format_RGB32);
    Img.setDotsPerMeterX(kDotsPerMeter96);
    Img.setDotsPerMeterY(kDotsPerMeter96);
    if (!Img.isNull()) FScale = ScaleOfRatio(Img.devicePixelRatio());
    Img.setDevicePixelRatio(FScale);
    FImage = std::move(Img);
    FImage.detach(); // the canvas draws into this image only
    FWidth = FImage.width() / FScale;
    FHeight = FImage.height() / FScale;
}

void TBitmap::SetSize(int Width, int Height)
{
    Width = std::max(0, Width);
    Height = std::max(0, Height);
    if (Width == this->Width() && Height == this->Height() && !FImage.isNull()) return;
    FCanvas->Flush();
    QImage img = NewSurfaceImage(Width * FScale, Height * FScale, clWhite);
    img.setDevicePixelRatio(FScale);
    if (!FImage.isNull() && !img.isNull()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, FImage);
    }
    Reset(std::move(img));
    FWidth = Width;
    FHeight = Height;
}

void TBitmap::SetScale(int Value)
{
    Value = std::clamp(Value, 1, 4);
    if (Value == FScale) return;
    FCanvas->Flush();
    const int w = FWidth, h = FHeight;
    QImage img = NewSurfaceImage(w * Value, h * Value, clWhite);
    img.setDevicePixelRatio(Value);
    if (!FImage.isNull() && !img.isNull()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRect(0, 0, w, h), FImage, FImage.rect());
    }
    FScale = Value;
    Reset(std::move(img));
    FWidth = w;
    FHeight = h;
}

uchar *TBitmap::ScanLine(int Row)
{
    FCanvas->Flush();
    if (Row < 0 || Row >= FImage.height()) return nullptr;
    return FImage.scanLine(Row);
}

TColor TBitmap::TransparentColorValue() const
{
    if (FTransparentColor != clDefault) return FTransparentColor;
    const QImage &img = Image();
    if (img.isNull() || img.height() == 0 || img.width() == 0) return clWhite;
    const QRgb p = img.pixel(0, img.height() - 1);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

void TBitmap::Assign(const TBitmap &Source)
{
    if (&Source == this) return;
    Reset(Source.Image().copy());
    FPixelFormat = Source.FPixelFormat;
    FTransparent = Source.FTransparent;
    FTransparentColor = Source.FTransparentColor;
}

void TBitmap::Assign(const QImage &Source)
{
    Reset(Source.copy());
}

const QImage &TBitmap::Image() const
{
    FCanvas->Flush();
    return FImage;
}

void TBitmap::LoadFromFile(const QString &FileName)
{
    if (FileName.isEmpty() || !QFileInfo(FileName).isFile())
        throw EKROError(QStringLiteral("Image file \"%1\" not found").arg(FileName));
    QImageReader reader(FileName);
    reader.setDecideFormatFromContent(true);
    // Refuse absurd pictures before their pixels are allocated.
    const QSize sz = reader.size();
    if (sz.isValid() && qint64(sz.width()) * sz.height() > 256ll * 1024 * 1024)
        throw EKROError(QStringLiteral("Image file \"%1\" is too large").arg(FileName));
    QImage img = reader.read();
    if (img.isNull())
        throw EKROError(
            QStringLiteral("Image file \"%1\" cannot be read: %2").arg(FileName, reader.errorString()));
    img.setDevicePixelRatio(1); // a file's pixels are logical ones, whatever its name (@2x) says
    Reset(std::move(img));
}

static QString ResourcePath(const QString &Name)
{
    return QStringLiteral(":/krogui/%1.png").arg(Name.toUpper());
}

bool TBitmap::HasResource(const QString &Name)
{
    return QFileInfo::exists(ResourcePath(Name));
}

void TBitmap::LoadFromResourceName(const QString &Name)
{
    QImage img(ResourcePath(Name));
    if (img.isNull()) throw EKROError(QStringLiteral("Bitmap resource \"%1\" not found").arg(Name));
    img.setDevicePixelRatio(1);
    Reset(std::move(img));
}

bool TBitmap::SaveToFile(const QString &FileName) const
{
    return Image().save(FileName);
}

QImage TBitmap::MaskOf(TColor C) const
{
    const QImage &img = Image();
    QImage mask(img.size(), QImage::Format_Mono);
    mask.setDevicePixelRatio(img.devicePixelRatio());
    mask.setColor(0, qRgb(0, 0, 0));
    mask.setColor(1, qRgb(255, 255, 255));
    mask.fill(0);
    const TColor rgb = ColorToRGB(C);
    const QRgb key = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)) & 0x00FFFFFFu;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == key) mask.setPixel(x, y, 1);
    }
    return mask;
}

} // namespace kro
