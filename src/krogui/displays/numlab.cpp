#include <krogui/core/property.h>
#include <krogui/displays/numlab.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <algorithm>
#include <cmath>

namespace kro {

namespace {
// Measured for vertical centring: tall capitals, descenders and brackets of the usual fonts.
const QString kSampleText = QStringLiteral("(8g]}\u00DC\u00C4\u00A7");
} // namespace

TNumLab::TNumLab(QWidget *Parent) : TGraphicControl(Parent)
{
    SetDesignSize(160, 28);
    UpdateAccessibleName(
        NumLabText(FLabValue, {FDisplayType, FDecP, FComma, FPlusSign, FDtFormat, FStateText}));
}

TNumLab::~TNumLab() = default;

void TNumLab::Changed()
{
    Repaint();
}

void TNumLab::UpdateAccessibleName(const QString &Number)
{
    const QString name = QStringList{FLeftText, Number, FRightText}.join(QLatin1Char(' ')).simplified();
    if (accessibleName() != name) setAccessibleName(name);
}

void TNumLab::SetLabValue(double Value)
{
    // NaN never equals itself: storing NaN over NaN still counts as unchanged.
    if (Value == FLabValue || (std::isnan(Value) && std::isnan(FLabValue))) return;
    FLabValue = Value;
    Changed();
}

void TNumLab::SetDisplayType(TDisplay Value)
{
    if (!Store(FDisplayType, Value)) return;
    Changed();
}

void TNumLab::SetPrecision(int Value)
{
    if (Value < 0) return;
    Value = std::min(Value, 15);
    if (!Store(FDecP, Value)) return;
    Changed();
}

void TNumLab::SetComma(bool Value)
{
    if (!Store(FComma, Value)) return;
    Changed();
}

void TNumLab::SetForcePlusSign(bool Value)
{
    if (!Store(FPlusSign, Value)) return;
    Changed();
}

void TNumLab::SetEmpty(bool Value)
{
    if (!Store(FEmpty, Value)) return;
    Changed();
}

void TNumLab::SetLeftSpace(int Value)
{
    if (Value < 0 || Value == FLeftSpace) return;
    Value = std::min(Value, Width());
    if (!Store(FLeftSpace, Value)) return;
    Changed();
}

void TNumLab::SetLabelWidth(int Value)
{
    Value = std::max(0, Value);
    if (!Store(FLabWidth, Value)) return;
    Changed();
}

void TNumLab::SetLeftText(const QString &Value)
{
    if (!Store(FLeftText, Value)) return;
    Changed();
}

void TNumLab::SetRightText(const QString &Value)
{
    if (!Store(FRightText, Value)) return;
    Changed();
}

void TNumLab::SetLeftTextAlignment(TAlignment Value)
{
    if (!Store(FLTAlignment, Value)) return;
    Changed();
}

void TNumLab::SetRightTextAlignment(TAlignment Value)
{
    if (!Store(FRTAlignment, Value)) return;
    Changed();
}

void TNumLab::SetAlignment(TAlignment Value)
{
    if (!Store(FAlignment, Value)) return;
    Changed();
}

void TNumLab::SetFrameStyle(TFrameStyle Value)
{
    if (!Store(FFrameStyle, Value)) return;
    Changed();
}

void TNumLab::SetOverflowIndicator(const QString &Value)
{
    if (!Store(FOverFlowIndi, Value)) return;
    Changed();
}

void TNumLab::SetDTFormat(const QString &Value)
{
    if (!Store(FDtFormat, Value)) return;
    Changed();
}

void TNumLab::SetStateText(const QString &Value)
{
    if (!Store(FStateText, Value)) return;
    Changed();
}

void TNumLab::SetColorLabBakG(TColor Value)
{
    if (!Store(FColorLabBakG, Value)) return;
    Changed();
}

void TNumLab::SetColorLabText(TColor Value)
{
    if (!Store(FColorLabText, Value)) return;
    Changed();
}

void TNumLab::SetColorOutBakG(TColor Value)
{
    if (!Store(FColorOutBakG, Value)) return;
    Changed();
}

void TNumLab::SetColorOutText(TColor Value)
{
    if (!Store(FColorOutText, Value)) return;
    Changed();
}

void TNumLab::SetColorScheme(TColorScheme Value)
{
    if (!Store(FColorScheme, Value)) return;
    FrameLineColors(Value, FColGrayLine, FColWhiteLine);
    Changed();
}

void TNumLab::SetTransparent(bool Value)
{
    if (!Store(FTransParent, Value)) return;
    if (Value)
        Invalidate(); // the parent repaints under the control first
    else
        Changed();
}

void TNumLab::SetEnabled(bool Value)
{
    if (Value == Enabled()) return;
    TGraphicControl::SetEnabled(Value);
    Repaint();
}

void TNumLab::MouseMove(TShiftState Shift, int X, int Y)
{
    FMouseAreaCode = 0;
    if (X > FLeftSpace) FMouseAreaCode = 1;
    if (X > FLeftSpace + FLabWidth) FMouseAreaCode = 2;
    TGraphicControl::MouseMove(Shift, X, Y);
}

bool TNumLab::AssignTo(TComponentBase *Dest) const
{
    auto *d = dynamic_cast<TNumLab *>(Dest);
    if (!d) return TGraphicControl::AssignTo(Dest);
    if (d == this) return true;
    d->FLeftSpace = FLeftSpace;
    d->FEmpty = FEmpty;
    d->FLabWidth = FLabWidth;
    d->FDecP = FDecP;
    d->FLeftText = FLeftText;
    d->FRightText = FRightText;
    d->FFrameStyle = FFrameStyle;
    d->FLTAlignment = FLTAlignment;
    d->FRTAlignment = FRTAlignment;
    d->FAlignment = FAlignment;
    d->FOverFlowIndi = FOverFlowIndi;
    d->FLabValue = FLabValue;
    d->FStateText = FStateText;
    d->FTransParent = FTransParent;
    d->FColorLabBakG = FColorLabBakG;
    d->FColorLabText = FColorLabText;
    d->FColorOutBakG = FColorOutBakG;
    d->FColorOutText = FColorOutText;
    d->FColBlackLine = FColBlackLine;
    d->FColGrayLine = FColGrayLine;
    d->FColWhiteLine = FColWhiteLine;
    d->FColorScheme = FColorScheme;
    d->FDisplayType = FDisplayType;
    d->Changed();
    return true;
}

void TNumLab::DrawSideText(const QString &Text, int X, int XDisabled, int Y)
{
    TCanvas *c = Canvas();
    if (Enabled()) {
        c->Font()->SetColor(FColorOutText);
        c->TextOut(X, Y, Text);
        return;
    }
    // Engraved: a white copy one pixel right and down, the gray text in place.
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clWhite);
    c->TextOut(XDisabled, Y + 1, Text);
    c->Font()->SetColor(clGray);
    c->TextOut(X, Y, Text);
}

void TNumLab::Paint()
{
    if (!Visible() && !IsDesigning()) {
        Invalidate(); // compose again when shown
        return;
    }
    TCanvas *c = Canvas();
    const int W = Width(), H = Height();
    c->SetClipRect(TRect{});
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);

    // Text height of the font for vertical centring.
    c->SetFont(*Font());
    const int h = c->TextHeight(kSampleText);
    const int B = H - 4;

    // Background.
    const TColor outBack = FTransParent ? clWhite : FColorOutBakG;
    c->Pen()->SetColor(outBack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(outBack);
    c->Rectangle(0, 0, W, H);

    // Side texts.
    const int y = (H - h) / 2;
    const int LS = FLeftSpace, LW = FLabWidth;
    int w = c->TextWidth(FLeftText);
    switch (FLTAlignment) {
    case taLeftJustify:
        DrawSideText(FLeftText, 7, 8, y);
        break;
    case taRightJustify:
        DrawSideText(FLeftText, LS - w - 5, LS - w - 4, y);
        break;
    case taCenter:
        DrawSideText(FLeftText, (LS - w) / 2, (LS - w) / 2 + 1, y);
        break;
    }
    w = c->TextWidth(FRightText);
    switch (FRTAlignment) {
    case taLeftJustify:
        DrawSideText(FRightText, LS + LW + 7, LS + LW + 8, y);
        break;
    case taRightJustify:
        DrawSideText(FRightText, W - w - 6, W - w - 7, y);
        break;
    case taCenter: {
        const int x = (W - LS - LW - w) / 2 + LS + LW + 1;
        DrawSideText(FRightText, x, x + 1, y);
        break;
    }
    }

    // The box.
    c->Pen()->SetColor(FFrameStyle == fsNone       ? FColorLabBakG
                       : FFrameStyle == fsEmbossed ? FColWhiteLine
                                                   : FColGrayLine);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColorLabBakG);
    c->Rectangle(LS + 1, 0, LS + LW + 1, H - 1);
    DrawFrame(c, FFrameStyle, LS + 1, 0, LS + LW, H - 2, FColWhiteLine, clSilver, FColGrayLine, FColBlackLine,
              FColBlackLine);

    // The number.
    FShownText.clear();
    if (!FEmpty) {
        QString t = NumLabText(FLabValue, {FDisplayType, FDecP, FComma, FPlusSign, FDtFormat, FStateText});
        if (FDisplayType == dtDateTime && !IsValidDayCount(FLabValue))
            t = FOverFlowIndi; // no calendar date to write
        if (FOnBeforeDisplay) FOnBeforeDisplay(this, t);
        if (LW - 6 < c->TextWidth(t) && FDisplayType != dtState) t = FOverFlowIndi;
        // Placed by the width of the text actually drawn, so that the indicator stays in the box.
        w = c->TextWidth(t);
        c->Font()->SetColor(Enabled() ? FColorLabText : clBtnShadow);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FColorLabBakG);
        const TRect clip = Rect(LS + 3, 2, LS + LW - 1, B + 1);
        int x = LS + 4;
        if (FAlignment == taRightJustify)
            x = LS + LW - 2 - w;
        else if (FAlignment == taCenter)
            x = LS + 2 + (LW - w) / 2;
        if (!clip.IsEmpty()) c->TextRect(clip, x, y, t);
        FShownText = t;
    }
    UpdateAccessibleName(FShownText);

    // Transparent output: the parent's pixels are ANDed with the picture. Inside the box they
    // first become white (or the box colour for black numbers); elsewhere white leaves the parent
    // as it is, so only the non-white pixels are shown.
    if (!FTransParent) {
        if (FMasked) ClearOutputMask();
        FMasked = false;
        return;
    }
    QImage *img = c->Image();
    const TColor textRgb = ColorToRGB(FColorLabText);
    const TColor fillRgb = textRgb != clBlack ? clWhite : ColorToRGB(FColorLabBakG);
    const QRgb fill = qRgb(GetRValue(fillRgb), GetGValue(fillRgb), GetBValue(fillRgb));
    const QRect box(LS + 2, 2, LW - 2, H - 4);
    QImage mask(img->size(), QImage::Format_Mono);
    mask.setColor(0, qRgb(0, 0, 0));
    mask.setColor(1, qRgb(255, 255, 255));
    mask.fill(0);
    for (int yy = 0; yy < img->height(); ++yy) {
        auto *line = reinterpret_cast<QRgb *>(img->scanLine(yy));
        for (int xx = 0; xx < img->width(); ++xx) {
            if (box.contains(xx, yy)) {
                line[xx] = (line[xx] & fill) | 0xFF000000u;
                mask.setPixel(xx, yy, 1);
            } else if ((line[xx] & 0x00FFFFFFu) != 0x00FFFFFFu) {
                mask.setPixel(xx, yy, 1);
            }
        }
    }
    SetOutputMask(mask);
    FMasked = true;
}

} // namespace kro
