#include <krogui/core/kromath.h>
#include <krogui/displays/gradfill.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <algorithm>

namespace kro {

struct TGradFillPrivate
{
    TGradType FGradType = gtHoriz;
    int FNrColors = 16;
    TColor FColorFirst = clMaroon;
    TColor FColorLast = clYellow;
    bool FColorsFlipped = false;
    TColor FColFirstOrg = clMaroon;
    TColor FColLastOrg = clYellow;
    TFrameStyle FFrameStyle = fsNone;
    TGridMode FGridMode = gmNone;
    TColor FGridColor = clNavy;
    TNotifyEvent FOnPaint;
};

TGradFill::TGradFill(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TGradFillPrivate>())
{
    SetDesignSize(121, 121);
}

QSize TGradFill::minimumSizeHint() const
{
    return QSize(16, 16);
}

TGradFill::~TGradFill() = default;

void TGradFill::SeTGradType(TGradType Value)
{
    if (d->FGradType == Value) return;
    if (Value < gtHoriz || Value > gtMidBandVert) throw EKROError(QStringLiteral("TGradFill.FillType"));
    d->FGradType = Value;
    Invalidate();
}

void TGradFill::SetFillType(TGradType Value)
{
    if (Value >= gtHoriz && Value <= gtMidBandVert) SeTGradType(Value);
}

void TGradFill::SetNrColors(int Value)
{
    d->FNrColors = std::clamp(Value, 1, 255);
    Invalidate();
}

void TGradFill::SetColorFirst(TColor Value)
{
    d->FColorFirst = Value;
    if (d->FColorsFlipped)
        d->FColLastOrg = Value;
    else
        d->FColFirstOrg = Value;
    Invalidate();
}

void TGradFill::SetColorLast(TColor Value)
{
    d->FColorLast = Value;
    if (d->FColorsFlipped)
        d->FColFirstOrg = Value;
    else
        d->FColLastOrg = Value;
    Invalidate();
}

void TGradFill::SetColorFlipped(bool Value)
{
    d->FColorsFlipped = Value;
    d->FColorFirst = Value ? d->FColLastOrg : d->FColFirstOrg;
    d->FColorLast = Value ? d->FColFirstOrg : d->FColLastOrg;
    Invalidate();
}

void TGradFill::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    d->FFrameStyle = Value;
    Invalidate();
}

void TGradFill::SetGridMode(TGridMode Value)
{
    if (!IsDeclaredValue(Value)) return;
    d->FGridMode = Value;
    Invalidate();
}

void TGradFill::SetGridColor(TColor Value)
{
    d->FGridColor = Value;
    Invalidate();
}

void TGradFill::DrawGradient(TBitmap &Bitmap)
{
    TCanvas *c = Bitmap.Canvas();
    const int W = Bitmap.Width(), H = Bitmap.Height();
    const int N = d->FNrColors;
    const TColor first = ColorToRGB(d->FColorFirst), last = ColorToRGB(d->FColorLast);
    const int r0 = GetRValue(first), g0 = GetGValue(first), b0 = GetBValue(first);
    const int dR = GetRValue(last) - r0, dG = GetGValue(last) - g0, dB = GetBValue(last) - b0;
    const bool horizBands = d->FGradType == gtHoriz || d->FGradType == gtMidBandHoriz;
    const bool midBand = d->FGradType == gtMidBandHoriz || d->FGradType == gtMidBandVert;
    const int h = N / 2;

    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Brush()->SetStyle(bsSolid);
    TRect band = Rect(0, 0, W, H);
    for (int k = 0; k < N; ++k) {
        if (horizBands) {
            band.Top = MulDiv(k, H, N);
            band.Bottom = MulDiv(k + 1, H, N);
        } else {
            band.Left = MulDiv(k, W, N);
            band.Right = MulDiv(k + 1, W, N);
        }
        // How far along the way to the last colour this band is, as numerator over denominator.
        int num = 0, den = 1;
        if (N >= 2) {
            if (!midBand) {
                num = k;
                den = N;
            } else {
                num = k > h ? N - k - 1 : k;
                den = h;
            }
        }
        const int r = (r0 + MulDiv(num, dR, den)) & 0xFF;
        const int g = (g0 + MulDiv(num, dG, den)) & 0xFF;
        const int b = (b0 + MulDiv(num, dB, den)) & 0xFF;
        c->Brush()->SetColor(RGB(r, g, b));
        c->FillRect(band);
    }

    if (d->FGridMode != gmNone && N > 1) {
        c->Brush()->SetColor(d->FGridColor);
        for (int k = 1; k < N; ++k) {
            if (d->FGridMode == gmHoriz || d->FGridMode == gmBoth) {
                const int y = MulDiv(k, H, N);
                c->FillRect(0, y, W, y + 1);
            }
            if (d->FGridMode == gmVert || d->FGridMode == gmBoth) {
                const int x = MulDiv(k, W, N);
                c->FillRect(x, 0, x + 1, H);
            }
        }
    }

    DrawFrame(c, d->FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
}

void TGradFill::Paint()
{
    TCanvas *c = Canvas();
    TBitmap bmp(std::max(1, Width()), std::max(1, Height()), c->Scale());
    DrawGradient(bmp);
    c->SetCopyMode(SRCCOPY);
    c->Draw(0, 0, bmp);
    if (d->FOnPaint) d->FOnPaint(this);
    Q_EMIT onPaint(this);
}

// ---- readers ----

TGradType TGradFill::FillType() const
{
    return d->FGradType;
}
int TGradFill::NrColors() const
{
    return d->FNrColors;
}
TColor TGradFill::ColorFirst() const
{
    return d->FColorFirst;
}
TColor TGradFill::ColorLast() const
{
    return d->FColorLast;
}
bool TGradFill::ColorFlipped() const
{
    return d->FColorsFlipped;
}
TFrameStyle TGradFill::FrameStyle() const
{
    return d->FFrameStyle;
}
TGridMode TGradFill::GridMode() const
{
    return d->FGridMode;
}
TColor TGradFill::GridColor() const
{
    return d->FGridColor;
}
void TGradFill::SetOnPaint(TNotifyEvent Handler)
{
    d->FOnPaint = std::move(Handler);
}
const TNotifyEvent &TGradFill::OnPaint() const
{
    return d->FOnPaint;
}

} // namespace kro
