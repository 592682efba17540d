#include <krogui/core/property.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <algorithm>
#include <cmath>

namespace kro {

struct TSevenSegPrivate
{
    QString FCaption = QStringLiteral("8.8.8.8.");
    int FHintWidth = 0; // the width the size hint was last announced for
    int FNumDigits = 4;
    TColor FColorTxt = clRed;
    TColor FColorBakG = 0x333333;
    int FMargin = 8;
    int FInterDigDist = 2;
    TFrameStyle FFrameStyle = fsLowered;
    TColorScheme FColorScheme = csBWG;
    TColor FColBlackLine = clBlack;
    TColor FColGrayLine = 0x808080;
    TColor FColWhiteLine = 0xFFFFFF;
    int FWidth = -1, FHeight = -1; // the size the cache was built for
    bool FCacheValid = false;
};

const QString SevenSegCharList = QStringLiteral("0123456789-+:\u00B0ABCDEF.");

namespace {

constexpr int kDigitWidth = 312, kDigitHeight = 432;
constexpr int kNumChars = 21;

struct SegmentPlace
{
    bool Vertical;
    int X, Y;
};

// Segments 1..7: top, upper left, upper right, middle, lower left, lower right, bottom.
constexpr SegmentPlace kSegments[7] = {{false, 94, 0}, {true, 37, 23},   {true, 244, 23}, {false, 57, 197},
                                       {true, 0, 220}, {true, 207, 220}, {false, 20, 394}};

/// Lit segments of a character as bits (bit 0 = segment 1); -1 for none.
int SegmentsOf(QChar Ch)
{
    switch (Ch.toUpper().unicode()) {
    case '0':
        return 0b1110111;
    case '1':
        return 0b0100100;
    case '2':
        return 0b1011101;
    case '3':
        return 0b1101101;
    case '4':
        return 0b0101110;
    case '5':
        return 0b1101011;
    case '6':
        return 0b1111011;
    case '7':
        return 0b0100101;
    case '8':
        return 0b1111111;
    case '9':
        return 0b1101111;
    case '-':
        return 0b0001000;
    case 'A':
        return 0b0111111;
    case 'B':
        return 0b1111010;
    case 'C':
        return 0b1010011;
    case 'D':
        return 0b1111100;
    case 'E':
        return 0b1011011;
    case 'F':
        return 0b0011011;
    default:
        return -1;
    }
}

bool IsSeparator(QChar C)
{
    return C == QLatin1Char('.') || C == QLatin1Char(',');
}

} // namespace

TSevenSeg::TSevenSeg(QWidget *Parent)
    : TGraphicControl(Parent), DigImg(kDigitWidth, kDigitHeight), d(std::make_unique<TSevenSegPrivate>())
{
    SegVert.LoadFromResourceName(QStringLiteral("SEGVERT"));
    SegHorz.LoadFromResourceName(QStringLiteral("SEGHORZ"));
    SegDot.LoadFromResourceName(QStringLiteral("SEGDOT"));
    SegPlus.LoadFromResourceName(QStringLiteral("SEGPLUS"));
    SegColon.LoadFromResourceName(QStringLiteral("SEGCOLON"));
    SegDeg.LoadFromResourceName(QStringLiteral("SEGDEG"));
    for (TBitmap *b : {&SegVert, &SegHorz, &SegDot, &SegPlus, &SegColon, &SegDeg})
        b->SetPixelFormat(pf32bit);
    SetDesignSize(216, 76);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(d->FCaption);
}

namespace {
// Height over width of a digit cell at the constructor size (60 over 48).
constexpr double kCellShape = 1.25;
constexpr int kLeastCellWidth = 8;
} // namespace

int TSevenSeg::heightForWidth(int Width) const
{
    const int cell = std::max(1, (Width - 2 * d->FMargin) / d->FNumDigits - d->FInterDigDist);
    return 2 * d->FMargin + int(std::lround(cell * kCellShape));
}

QSize TSevenSeg::sizeHint() const
{
    // A layout may give the display less height than its width calls for (the vertical policy
    // Maximum), never more: the digits are not stretched beyond their shape. Below the
    // constructor width the constructor height stays the hint, so that the hint does not shrink
    // with the display.
    const int w = TGraphicControl::sizeHint().width();
    return QSize(w, heightForWidth(std::max(w, Width())));
}

QSize TSevenSeg::minimumSizeHint() const
{
    const int w = 2 * d->FMargin + d->FNumDigits * (kLeastCellWidth + d->FInterDigDist);
    return QSize(w, heightForWidth(w));
}

TSevenSeg::~TSevenSeg() = default;

// ---- properties ---------------------------------------------------------------------

void TSevenSeg::CacheChanged()
{
    d->FCacheValid = false;
    Repaint();
}

void TSevenSeg::SetCaption(const QString &Value)
{
    if (!Store(d->FCaption, Value)) return;
    setAccessibleName(Value);
    Repaint();
    Q_EMIT CaptionChanged(Value);
}

void TSevenSeg::SetNumDigits(int Value)
{
    if (Value < 1 || Value > 32 || Value == d->FNumDigits) return;
    d->FNumDigits = Value;
    CacheChanged();
    updateGeometry(); // the size hints follow
}

void TSevenSeg::SetColorText(TColor Value)
{
    if (!Store(d->FColorTxt, Value)) return;
    CacheChanged();
}

void TSevenSeg::SetColorBackGnd(TColor Value)
{
    if (!Store(d->FColorBakG, Value)) return;
    CacheChanged();
}

void TSevenSeg::SetMargin(int Value)
{
    Value = std::max(0, std::min(Value, Height() / 2 - 1));
    if (!Store(d->FMargin, Value)) return;
    CacheChanged();
    updateGeometry(); // the size hints follow
}

void TSevenSeg::SetInterDigDist(int Value)
{
    Value = std::clamp(Value, 0, 255);
    if (!Store(d->FInterDigDist, Value)) return;
    CacheChanged();
    updateGeometry(); // the size hints follow
}

void TSevenSeg::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FFrameStyle, Value)) return;
    Invalidate();
}

void TSevenSeg::SetColorScheme(TColorScheme Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FColorScheme, Value)) return;
    FrameLineColors(Value, d->FColGrayLine, d->FColWhiteLine);
    Invalidate();
}

// ---- digit images -------------------------------------------------------------------

void TSevenSeg::ColorizeSegments(TColor Color)
{
    Color = ColorToRGB(Color); // a system colour may be white as well
    if (Color == clWhite) Color = 0xFEFEFE;
    for (TBitmap *b : {&SegVert, &SegHorz, &SegDot, &SegPlus, &SegColon, &SegDeg}) {
        TCanvas *c = b->Canvas();
        const int x = b->Width() / 2, y = b->Height() / 2;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color);
        c->FloodFill(x, y, c->Pixels(x, y), fsSurface);
    }
}

void TSevenSeg::CreateDigit(QChar Ch, bool WithDot)
{
    TCanvas *c = DigImg.Canvas();
    c->SetCopyMode(SRCCOPY);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect(0, 0, kDigitWidth, kDigitHeight);
    // AND keeps the white of the master where a segment picture is white.
    c->SetCopyMode(SRCAND);
    c->Brush()->SetColor(d->FColorBakG);
    const int segs = SegmentsOf(Ch);
    if (segs >= 0) {
        for (int s = 0; s < 7; ++s)
            if (segs & (1 << s))
                c->Draw(kSegments[s].X, kSegments[s].Y, kSegments[s].Vertical ? SegVert : SegHorz);
    } else if (Ch == QLatin1Char('+')) {
        c->Draw(57, 120, SegPlus);
    } else if (Ch == QLatin1Char(':')) {
        c->Draw(122, 121, SegColon);
    } else if (Ch == QChar(0x00B0)) {
        c->Draw(150, 0, SegDeg);
    } else if (IsSeparator(Ch)) {
        WithDot = true;
    }
    if (WithDot) c->Draw(269, 394, SegDot);
    c->SetCopyMode(SRCCOPY);
    c->FloodFill(1, 1, c->Pixels(1, 1), fsSurface);
}

int TSevenSeg::CellWidth() const
{
    return (Width() - 2 * d->FMargin) / d->FNumDigits - d->FInterDigDist;
}

void TSevenSeg::CreateImageCache()
{
    d->FWidth = Width();
    d->FHeight = Height();
    d->FCacheValid = true;
    const int cw = CellWidth();
    const int ch = Height() - 2 * d->FMargin;
    if (cw <= 0 || ch <= 0) {
        ImgCache.SetSize(0, 0); // no room for digits
        return;
    }
    // The digits are shrunk to the surface's device pixels: crisp on a dense screen.
    ImgCache.SetScale(Canvas()->Scale());
    ImgCache.SetSize(kNumChars * cw, ch);
    TCanvas *c = ImgCache.Canvas();
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetColor(d->FColorBakG);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(d->FColorBakG);
    c->Rectangle(0, 0, kNumChars * cw, ch);
    ColorizeSegments(d->FColorTxt);
    c->SetStretchMode(smHalftone);
    for (int i = 0; i < kNumChars; ++i) {
        CreateDigit(SevenSegCharList[i], false);
        c->StretchDraw(Rect(i * cw, 0, (i + 1) * cw, ch), DigImg);
    }
    c->Flush();
}

void TSevenSeg::EnsureCache()
{
    if (!d->FCacheValid || d->FWidth != Width() || d->FHeight != Height() ||
        (!ImgCache.Empty() && ImgCache.Scale() != Canvas()->Scale()))
        CreateImageCache();
}

void TSevenSeg::ProcessResize()
{
    if (Width() == d->FWidth && Height() == d->FHeight) return;
    CreateImageCache();
    Repaint();
}

void TSevenSeg::Resize()
{
    ProcessResize();
    // The size hint's height follows the width: a layout asks again after a new width.
    if (d->FHintWidth != Width()) {
        d->FHintWidth = Width();
        updateGeometry();
    }
}

// ---- painting -----------------------------------------------------------------------

void TSevenSeg::Paint()
{
    if (!Visible() && !IsDesigning()) {
        Invalidate(); // compose again when shown
        return;
    }
    EnsureCache();
    TCanvas *c = Canvas();
    const int W = Width(), H = Height();
    c->SetClipRect(TRect{});
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(d->FColorBakG);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(d->FColorBakG);
    c->Rectangle(0, 0, W, H);

    const int cw = CellWidth();
    const int ch = ImgCache.Height();
    TCanvas *cache = ImgCache.Canvas();
    if (!ImgCache.Empty()) {
        qsizetype i = 0;
        for (int j = 1; j <= d->FNumDigits && i < d->FCaption.size(); ++j) {
            QChar ch0 = d->FCaption[i++];
            bool dot = false;
            if (IsSeparator(ch0)) {
                dot = true;
                ch0 = QLatin1Char(' ');
            } else if (i < d->FCaption.size() && IsSeparator(d->FCaption[i])) {
                dot = true;
                ++i;
            }
            const int x = (j - 1) * (cw + d->FInterDigDist) + d->FMargin;
            const qsizetype p = SevenSegCharList.indexOf(ch0.toUpper());
            if (p >= 0)
                c->CopyRect(Rect(x, d->FMargin, x + cw, H - d->FMargin), *cache,
                            Rect(int(p) * cw, 0, int(p + 1) * cw, ch));
            if (dot)
                c->CopyRect(Rect(x + cw * 5 / 6, ch * 5 / 6 + d->FMargin, x + cw, H - d->FMargin), *cache,
                            Rect(20 * cw + cw * 5 / 6, ch * 5 / 6, 21 * cw, ch));
        }
    }
    DrawFrame(c, d->FFrameStyle, 0, 0, W - 1, H - 1, d->FColWhiteLine, clSilver, d->FColGrayLine,
              d->FColBlackLine, d->FColBlackLine);
}

// ---- assignment ---------------------------------------------------------------------

bool TSevenSeg::AssignTo(TComponentBase *Dest) const
{
    auto *dst = dynamic_cast<TSevenSeg *>(Dest);
    if (!dst) return TGraphicControl::AssignTo(Dest);
    if (dst == this) return true;
    dst->d->FColorTxt = d->FColorTxt;
    dst->d->FColorBakG = d->FColorBakG;
    dst->d->FNumDigits = d->FNumDigits;
    const bool captionChanged = dst->d->FCaption != d->FCaption;
    dst->d->FCaption = d->FCaption;
    dst->d->FFrameStyle = d->FFrameStyle;
    dst->d->FColBlackLine = d->FColBlackLine;
    dst->d->FColGrayLine = d->FColGrayLine;
    dst->d->FColWhiteLine = d->FColWhiteLine;
    dst->d->FColorScheme = d->FColorScheme;
    dst->d->FMargin = d->FMargin;
    dst->d->FInterDigDist = d->FInterDigDist;
    // The destination's cache was built for its old colours and cell layout.
    dst->d->FCacheValid = false;
    dst->setAccessibleName(d->FCaption);
    dst->Invalidate();
    if (captionChanged) Q_EMIT dst->CaptionChanged(dst->d->FCaption);
    return true;
}

// ---- readers ----

QString TSevenSeg::Caption() const
{
    return d->FCaption;
}
int TSevenSeg::NumDigits() const
{
    return d->FNumDigits;
}
TColor TSevenSeg::ColorText() const
{
    return d->FColorTxt;
}
TColor TSevenSeg::ColorBackGnd() const
{
    return d->FColorBakG;
}
int TSevenSeg::Margin() const
{
    return d->FMargin;
}
int TSevenSeg::InterDigDist() const
{
    return d->FInterDigDist;
}
TFrameStyle TSevenSeg::FrameStyle() const
{
    return d->FFrameStyle;
}
TColorScheme TSevenSeg::ColorScheme() const
{
    return d->FColorScheme;
}

} // namespace kro
