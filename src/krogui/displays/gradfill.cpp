#include <krogui/displays/gradfill.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>
#include <krogui/core/kromath.h>

#include <algorithm>

namespace kro {

TGradFill::TGradFill(QWidget *Parent) : TGraphicControl(Parent)
{
    SetDesignSize(121, 121);
}

TGradFill::~TGradFill() = default;

void TGradFill::SeTGradType(TGradType Value)
{
    if (FGradType == Value) return;
    if (Value < gtHoriz || Value > gtMidBandVert) throw EKROError(QStringLiteral("TGradFill.FillType"));
    FGradType = Value;
    Invalidate();
}

void TGradFill::SetNrColors(int Value)
{
    FNrColors = std::clamp(Value, 1, 255);
    Invalidate();
}

void TGradFill::SetColorFirst(TColor Value)
{
    FColorFirst = Value;
    if (FColorsFlipped)
        FColLastOrg = Value;
    else
        FColFirstOrg = Value;
    Invalidate();
}

void TGradFill::SetColorLast(TColor Value)
{
    FColorLast = Value;
    if (FColorsFlipped)
        FColFirstOrg = Value;
    else
        FColLastOrg = Value;
    Invalidate();
}

void TGradFill::SetColorFlipped(bool Value)
{
    FColorsFlipped = Value;
    FColorFirst = Value ? FColLastOrg : FColFirstOrg;
    FColorLast = Value ? FColFirstOrg : FColLastOrg;
    Invalidate();
}

void TGradFill::SetFrameStyle(TFrameStyle Value)
{
    FFrameStyle = Value;
    Invalidate();
}

void TGradFill::SetGridMode(TGridMode Value)
{
    FGridMode = Value;
    Invalidate();
}

void TGradFill::SetGridColor(TColor Value)
{
    FGridColor = Value;
    Invalidate();
}

void TGradFill::DrawGradient(TBitmap &Bitmap)
{
    TCanvas *c = Bitmap.Canvas();
    const int W = Bitmap.Width(), H = Bitmap.Height();
    const int N = FNrColors;
    const TColor first = ColorToRGB(FColorFirst), last = ColorToRGB(FColorLast);
    const int r0 = GetRValue(first), g0 = GetGValue(first), b0 = GetBValue(first);
    const int dR = GetRValue(last) - r0, dG = GetGValue(last) - g0, dB = GetBValue(last) - b0;
    const bool horizBands = FGradType == gtHoriz || FGradType == gtMidBandHoriz;
    const bool midBand = FGradType == gtMidBandHoriz || FGradType == gtMidBandVert;
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

    if (FGridMode != gmNone && N > 1) {
        c->Brush()->SetColor(FGridColor);
        for (int k = 1; k < N; ++k) {
            if (FGridMode == gmHoriz || FGridMode == gmBoth) {
                const int y = MulDiv(k, H, N);
                c->FillRect(0, y, W, y + 1);
            }
            if (FGridMode == gmVert || FGridMode == gmBoth) {
                const int x = MulDiv(k, W, N);
                c->FillRect(x, 0, x + 1, H);
            }
        }
    }

    DrawFrame(c, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
}

void TGradFill::Paint()
{
    TBitmap bmp(std::max(1, Width()), std::max(1, Height()));
    DrawGradient(bmp);
    TCanvas *c = Canvas();
    c->SetCopyMode(SRCCOPY);
    c->Draw(0, 0, bmp);
    if (FOnPaint) FOnPaint(this);
}

} // namespace kro
