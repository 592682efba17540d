#include <krogui/core/property.h>
#include <krogui/displays/numlab.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace kro {

struct TNumLabPrivate
{
    double FLabValue = 0;
    TDisplay FDisplayType = dtFixP;
    int FDecP = 2;
    bool FComma = false;
    bool FPlusSign = false;
    bool FEmpty = false;
    int FLeftSpace = 35;
    int FLabWidth = 80;
    QString FLeftText, FRightText;
    TAlignment FLTAlignment = taRightJustify;
    TAlignment FRTAlignment = taLeftJustify;
    TAlignment FAlignment = taCenter;
    TFrameStyle FFrameStyle = fsLowered;
    QString FOverFlowIndi = QStringLiteral("*********");
    QString FStateText = QStringLiteral("undefined");
    TColor FColorLabBakG = clBtnFace;
    TColor FColorLabText = clBlack;
    TColor FColorOutBakG = clBtnFace;
    TColor FColorOutText = clBlack;
    TColorScheme FColorScheme = csBWG;
    bool FTransParent = false;
    int FMouseAreaCode = 0;
    TColor FColBlackLine = clBlack;
    TColor FColGrayLine = 0x808080;
    TColor FColWhiteLine = 0xFFFFFF;
    QString FShownText;
    bool FMasked = false;
    TBeforeDisplayEvent FOnBeforeDisplay;
};

namespace {
// Measured for vertical centring: tall capitals, descenders and brackets of the usual fonts.
const QString kSampleText = QStringLiteral("(8g]}\u00DC\u00C4\u00A7");
} // namespace

TNumLab::TNumLab(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TNumLabPrivate>())
{
    SetDesignSize(160, 28);
    // A label keeps its height in a layout; extra width goes to the area right of the box.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    UpdateAccessibleName(NumLabText(
        d->FLabValue, {d->FDisplayType, d->FDecP, d->FComma, d->FPlusSign, FDtFormat, d->FStateText}));
}

TNumLab::~TNumLab() = default;

QSize TNumLab::minimumSizeHint() const
{
    const QFontMetrics fm(Font()->ToQFont());
    return QSize(d->FLeftSpace + d->FLabWidth + 2, fm.height() + 6);
}

QSize TNumLab::sizeHint() const
{
    QSize s = minimumSizeHint();
    if (!d->FRightText.isEmpty())
        s.rwidth() +=
            QFontMetrics(Font()->ToQFont()).horizontalAdvance(d->FRightText) + 11; // 7 before, 4 after
    return TGraphicControl::sizeHint().expandedTo(s);
}

void TNumLab::Changed()
{
    Repaint();
}

void TNumLab::UpdateAccessibleName(const QString &Number)
{
    const QString name = QStringList{d->FLeftText, Number, d->FRightText}.join(QLatin1Char(' ')).simplified();
    if (accessibleName() != name) setAccessibleName(name);
}

void TNumLab::SetLabValue(double Value)
{
    // NaN never equals itself: storing NaN over NaN still counts as unchanged.
    if (Value == d->FLabValue || (std::isnan(Value) && std::isnan(d->FLabValue))) return;
    d->FLabValue = Value;
    Changed();
    Q_EMIT ValueChanged(Value);
}

void TNumLab::SetDisplayType(TDisplay Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FDisplayType, Value)) return;
    Changed();
}

void TNumLab::SetPrecision(int Value)
{
    if (Value < 0) return;
    Value = std::min(Value, 15);
    if (!Store(d->FDecP, Value)) return;
    Changed();
}

void TNumLab::SetComma(bool Value)
{
    if (!Store(d->FComma, Value)) return;
    Changed();
}

void TNumLab::SetForcePlusSign(bool Value)
{
    if (!Store(d->FPlusSign, Value)) return;
    Changed();
}

void TNumLab::SetEmpty(bool Value)
{
    if (!Store(d->FEmpty, Value)) return;
    Changed();
}

void TNumLab::SetLeftSpace(int Value)
{
    if (Value < 0 || Value == d->FLeftSpace) return;
    Value = std::min(Value, Width());
    if (!Store(d->FLeftSpace, Value)) return;
    Changed();
    updateGeometry(); // the size hints follow
}

void TNumLab::SetLabelWidth(int Value)
{
    Value = std::max(0, Value);
    if (!Store(d->FLabWidth, Value)) return;
    Changed();
    updateGeometry(); // the size hints follow
}

void TNumLab::SetLeftText(const QString &Value)
{
    if (!Store(d->FLeftText, Value)) return;
    Changed();
}

void TNumLab::SetRightText(const QString &Value)
{
    if (!Store(d->FRightText, Value)) return;
    Changed();
    updateGeometry(); // the size hints follow
}

void TNumLab::SetLeftTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FLTAlignment, Value)) return;
    Changed();
}

void TNumLab::SetRightTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FRTAlignment, Value)) return;
    Changed();
}

void TNumLab::SetAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FAlignment, Value)) return;
    Changed();
}

void TNumLab::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FFrameStyle, Value)) return;
    Changed();
}

void TNumLab::SetOverflowIndicator(const QString &Value)
{
    if (!Store(d->FOverFlowIndi, Value)) return;
    Changed();
}

void TNumLab::SetDTFormat(const QString &Value)
{
    if (!Store(FDtFormat, Value)) return;
    Changed();
}

void TNumLab::SetStateText(const QString &Value)
{
    if (!Store(d->FStateText, Value)) return;
    Changed();
}

void TNumLab::SetColorLabBakG(TColor Value)
{
    if (!Store(d->FColorLabBakG, Value)) return;
    Changed();
}

void TNumLab::SetColorLabText(TColor Value)
{
    if (!Store(d->FColorLabText, Value)) return;
    Changed();
}

void TNumLab::SetColorOutBakG(TColor Value)
{
    if (!Store(d->FColorOutBakG, Value)) return;
    Changed();
}

void TNumLab::SetColorOutText(TColor Value)
{
    if (!Store(d->FColorOutText, Value)) return;
    Changed();
}

void TNumLab::SetColorScheme(TColorScheme Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FColorScheme, Value)) return;
    FrameLineColors(Value, d->FColGrayLine, d->FColWhiteLine);
    Changed();
}

void TNumLab::SetTransparent(bool Value)
{
    if (!Store(d->FTransParent, Value)) return;
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
    d->FMouseAreaCode = 0;
    if (X > d->FLeftSpace) d->FMouseAreaCode = 1;
    if (X > d->FLeftSpace + d->FLabWidth) d->FMouseAreaCode = 2;
    TGraphicControl::MouseMove(Shift, X, Y);
}

bool TNumLab::AssignTo(TComponentBase *Dest) const
{
    auto *dst = dynamic_cast<TNumLab *>(Dest);
    if (!dst) return TGraphicControl::AssignTo(Dest);
    if (dst == this) return true;
    dst->d->FLeftSpace = d->FLeftSpace;
    dst->d->FEmpty = d->FEmpty;
    dst->d->FLabWidth = d->FLabWidth;
    dst->d->FDecP = d->FDecP;
    dst->d->FLeftText = d->FLeftText;
    dst->d->FRightText = d->FRightText;
    dst->d->FFrameStyle = d->FFrameStyle;
    dst->d->FLTAlignment = d->FLTAlignment;
    dst->d->FRTAlignment = d->FRTAlignment;
    dst->d->FAlignment = d->FAlignment;
    dst->d->FOverFlowIndi = d->FOverFlowIndi;
    const bool valueChanged =
        !(dst->d->FLabValue == d->FLabValue) && !(std::isnan(dst->d->FLabValue) && std::isnan(d->FLabValue));
    dst->d->FLabValue = d->FLabValue;
    dst->d->FStateText = d->FStateText;
    dst->d->FTransParent = d->FTransParent;
    dst->d->FColorLabBakG = d->FColorLabBakG;
    dst->d->FColorLabText = d->FColorLabText;
    dst->d->FColorOutBakG = d->FColorOutBakG;
    dst->d->FColorOutText = d->FColorOutText;
    dst->d->FColBlackLine = d->FColBlackLine;
    dst->d->FColGrayLine = d->FColGrayLine;
    dst->d->FColWhiteLine = d->FColWhiteLine;
    dst->d->FColorScheme = d->FColorScheme;
    dst->d->FDisplayType = d->FDisplayType;
    dst->Changed();
    if (valueChanged) Q_EMIT dst->ValueChanged(dst->d->FLabValue);
    return true;
}

void TNumLab::DrawSideText(const QString &Text, int X, int XDisabled, int Y)
{
    TCanvas *c = Canvas();
    if (Enabled()) {
        c->Font()->SetColor(d->FColorOutText);
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
    const TColor outBack = d->FTransParent ? clWhite : d->FColorOutBakG;
    c->Pen()->SetColor(outBack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(outBack);
    c->Rectangle(0, 0, W, H);

    // Side texts.
    const int y = (H - h) / 2;
    const int LS = d->FLeftSpace, LW = d->FLabWidth;
    int w = c->TextWidth(d->FLeftText);
    switch (d->FLTAlignment) {
    case taLeftJustify:
        DrawSideText(d->FLeftText, 7, 8, y);
        break;
    case taRightJustify:
        DrawSideText(d->FLeftText, LS - w - 5, LS - w - 4, y);
        break;
    case taCenter:
        DrawSideText(d->FLeftText, (LS - w) / 2, (LS - w) / 2 + 1, y);
        break;
    }
    w = c->TextWidth(d->FRightText);
    switch (d->FRTAlignment) {
    case taLeftJustify:
        DrawSideText(d->FRightText, LS + LW + 7, LS + LW + 8, y);
        break;
    case taRightJustify:
        DrawSideText(d->FRightText, W - w - 6, W - w - 7, y);
        break;
    case taCenter: {
        const int x = (W - LS - LW - w) / 2 + LS + LW + 1;
        DrawSideText(d->FRightText, x, x + 1, y);
        break;
    }
    }

    // The box.
    c->Pen()->SetColor(d->FFrameStyle == fsNone       ? d->FColorLabBakG
                       : d->FFrameStyle == fsEmbossed ? d->FColWhiteLine
                                                      : d->FColGrayLine);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(d->FColorLabBakG);
    c->Rectangle(LS + 1, 0, LS + LW + 1, H - 1);
    DrawFrame(c, d->FFrameStyle, LS + 1, 0, LS + LW, H - 2, d->FColWhiteLine, clSilver, d->FColGrayLine,
              d->FColBlackLine, d->FColBlackLine);

    // The number.
    d->FShownText.clear();
    if (!d->FEmpty) {
        QString t = NumLabText(
            d->FLabValue, {d->FDisplayType, d->FDecP, d->FComma, d->FPlusSign, FDtFormat, d->FStateText});
        if (d->FDisplayType == dtDateTime && !IsValidDayCount(d->FLabValue))
            t = d->FOverFlowIndi; // no calendar date to write
        if (d->FOnBeforeDisplay) d->FOnBeforeDisplay(this, t);
        Q_EMIT onBeforeDisplay(this, t);
        if (LW - 6 < c->TextWidth(t) && d->FDisplayType != dtState) t = d->FOverFlowIndi;
        // Placed by the width of the text actually drawn, so that the indicator stays in the box.
        w = c->TextWidth(t);
        c->Font()->SetColor(Enabled() ? d->FColorLabText : clBtnShadow);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(d->FColorLabBakG);
        const TRect clip = Rect(LS + 3, 2, LS + LW - 1, B + 1);
        int x = LS + 4;
        if (d->FAlignment == taRightJustify)
            x = LS + LW - 2 - w;
        else if (d->FAlignment == taCenter)
            x = LS + 2 + (LW - w) / 2;
        if (!clip.IsEmpty()) c->TextRect(clip, x, y, t);
        d->FShownText = t;
    }
    UpdateAccessibleName(d->FShownText);

    // Transparent output: the parent's pixels are ANDed with the picture. Inside the box they
    // first become white (or the box colour for black numbers); elsewhere white leaves the parent
    // as it is, so only the non-white pixels are shown.
    if (!d->FTransParent) {
        if (d->FMasked) ClearOutputMask();
        d->FMasked = false;
        return;
    }
    QImage *img = c->Image();
    const int s = c->Scale(); // the picture has s x s device pixels per logical one
    const TColor textRgb = ColorToRGB(d->FColorLabText);
    const TColor fillRgb = textRgb != clBlack ? clWhite : ColorToRGB(d->FColorLabBakG);
    const QRgb fill = qRgb(GetRValue(fillRgb), GetGValue(fillRgb), GetBValue(fillRgb));
    const QRect box(LS + 2, 2, LW - 2, H - 4);
    QImage mask(img->size(), QImage::Format_Mono);
    mask.setColor(0, qRgb(0, 0, 0));
    mask.setColor(1, qRgb(255, 255, 255));
    mask.fill(0);
    for (int yy = 0; yy < img->height(); ++yy) {
        auto *line = reinterpret_cast<QRgb *>(img->scanLine(yy));
        for (int xx = 0; xx < img->width(); ++xx) {
            if (box.contains(xx / s, yy / s)) {
                line[xx] = (line[xx] & fill) | 0xFF000000u;
                mask.setPixel(xx, yy, 1);
            } else if ((line[xx] & 0x00FFFFFFu) != 0x00FFFFFFu) {
                mask.setPixel(xx, yy, 1);
            }
        }
    }
    SetOutputMask(mask);
    d->FMasked = true;
}

// ---- readers ----

double TNumLab::Value() const
{
    return d->FLabValue;
}
TDisplay TNumLab::DisplayType() const
{
    return d->FDisplayType;
}
int TNumLab::Precision() const
{
    return d->FDecP;
}
bool TNumLab::Comma() const
{
    return d->FComma;
}
bool TNumLab::ForcePlusSign() const
{
    return d->FPlusSign;
}
bool TNumLab::Empty() const
{
    return d->FEmpty;
}
int TNumLab::LeftSpace() const
{
    return d->FLeftSpace;
}
int TNumLab::LabelWidth() const
{
    return d->FLabWidth;
}
QString TNumLab::LeftText() const
{
    return d->FLeftText;
}
QString TNumLab::RightText() const
{
    return d->FRightText;
}
TAlignment TNumLab::LeftTextAlignment() const
{
    return d->FLTAlignment;
}
TAlignment TNumLab::RightTextAlignment() const
{
    return d->FRTAlignment;
}
TAlignment TNumLab::Alignment() const
{
    return d->FAlignment;
}
TFrameStyle TNumLab::FrameStyle() const
{
    return d->FFrameStyle;
}
QString TNumLab::OverflowIndicator() const
{
    return d->FOverFlowIndi;
}
QString TNumLab::StateText() const
{
    return d->FStateText;
}
TColor TNumLab::ColorLabBakG() const
{
    return d->FColorLabBakG;
}
TColor TNumLab::ColorLabText() const
{
    return d->FColorLabText;
}
TColor TNumLab::ColorOutBakG() const
{
    return d->FColorOutBakG;
}
TColor TNumLab::ColorOutText() const
{
    return d->FColorOutText;
}
TColorScheme TNumLab::ColorScheme() const
{
    return d->FColorScheme;
}
bool TNumLab::Transparent() const
{
    return d->FTransParent;
}
int TNumLab::MouseAreaCode() const
{
    return d->FMouseAreaCode;
}
QString TNumLab::DisplayedText() const
{
    return d->FShownText;
}
void TNumLab::SetOnBeforeDisplay(TBeforeDisplayEvent Handler)
{
    d->FOnBeforeDisplay = std::move(Handler);
}
const TBeforeDisplayEvent &TNumLab::OnBeforeDisplay() const
{
    return d->FOnBeforeDisplay;
}

void TNumLab::FontChanged()
{
    TGraphicControl::FontChanged();
    updateGeometry();
}

} // namespace kro
