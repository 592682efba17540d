// TNumIO2: the look properties and the painting.
#include <krogui/core/kromath.h>
#include <krogui/core/property.h>
#include <krogui/graphics/colors.h>
#include <krogui/numio/numio2.h>
#include <krogui/numio/numio2_p.h>

#include <QFontMetrics>

namespace kro {

// ---- layout and look -----------------------------------------------------------------------------

void TNumIO2::SetLeftSpace(int Value)
{
    if (Value < 0 || Value == d->FLeftSpace) return;
    d->FLeftSpace = std::min(Value, Width());
    Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetTextBoxWidth(int Value)
{
    if (Store(d->FTextBoxWidth, std::max(0, Value))) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetLeftText(const QString &Value)
{
    if (Store(d->FLeftText, Value)) Repaint();
}

void TNumIO2::SetRightText(const QString &Value)
{
    if (Store(d->FRightText, Value)) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetLeftTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FLeftTextAlign, Value)) Repaint();
}

void TNumIO2::SetRightTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FRightTextAlign, Value)) Repaint();
}

void TNumIO2::SetAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FAlignment, Value)) Repaint();
}

void TNumIO2::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FFrameStyle, Value)) Repaint();
}

void TNumIO2::SetColorBoxBG(TColor Value)
{
    if (Store(d->FColorBoxBG, Value)) Repaint();
}

void TNumIO2::SetColorBoxText(TColor Value)
{
    if (Store(d->FColorBoxText, Value)) Repaint();
}

void TNumIO2::SetColorOutBG(TColor Value)
{
    if (Store(d->FColorOutBG, Value)) Repaint();
}

void TNumIO2::SetColorOutText(TColor Value)
{
    if (Store(d->FColorOutText, Value)) Repaint();
}

void TNumIO2::SetColorWarnBG(TColor Value)
{
    d->FColorWarnBG = Value;
    Repaint();
}

void TNumIO2::SetColorWarnText(TColor Value)
{
    d->FColorWarnText = Value;
    Repaint();
}

void TNumIO2::UpdateLineColors()
{
    FrameLineColors(d->FColorScheme, d->FColGrayLine, d->FColWhiteLine);
}

void TNumIO2::SetColorScheme(TColorScheme Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FColorScheme, Value)) return;
    UpdateLineColors();
    Repaint();
}

void TNumIO2::SetEnabled(bool Value)
{
    if (Value == Enabled()) return;
    TCustomControl::SetEnabled(Value);
    Repaint();
}

void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // With AutoSize the font decides the height (a form being loaded sets the font later).
    if (d->FAutoSize && !IsLoading()) AHeight = AutoHeight();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, std::max(18, AHeight));
}

int TNumIO2::AutoHeight()
{
    TCanvas *c = Canvas();
    c->SetFont(*Font());
    return std::max(18, c->TextHeight(QStringLiteral("E0")) + 6);
}

QSize TNumIO2::minimumSizeHint() const
{
    // The box whole with the buttons beside it and the gauge under it; the text row as high as
    // AutoSize makes it (never below the field's least height of 18).
    const TNumIO2Layout layout = Layout();
    int w = d->FLeftSpace + d->FTextBoxWidth + layout.ButtonBlock() + 1;
    if (d->FGaugeVisible) w = std::max(w, d->FGaugeLeftMargin + d->FGaugeWidth + 1);
    const int row = std::max(18, QFontMetrics(Font()->ToQFont()).height() + 6);
    return QSize(w, row + layout.GaugeStrip());
}

QSize TNumIO2::sizeHint() const
{
    const QSize least = minimumSizeHint();
    int w = least.width();
    if (!d->FRightText.isEmpty())
        w += QFontMetrics(Font()->ToQFont()).horizontalAdvance(d->FRightText) + 13; // 7 before, 6 after
    return TCustomControl::sizeHint().expandedTo(QSize(w, least.height()));
}

void TNumIO2::Resize()
{
    if (d->FButHeight > Height()) d->FButHeight = std::max(1, Height());
}

void TNumIO2::SetButVisible(bool Value)
{
    if (Store(d->FButVisible, Value)) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetButWidth(int Value)
{
    if (Store(d->FButWidth, std::clamp(Value, 8, 50))) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetButHeight(int Value)
{
    if (Store(d->FButHeight, std::max(18, std::min(Value, Height())))) Repaint();
}

void TNumIO2::SetButSpace(int Value)
{
    if (Store(d->FButSpace, std::clamp(Value, 0, 50))) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetButColor(TColor Value)
{
    if (Store(d->FButColor, Value)) Repaint();
}

void TNumIO2::SetButIncrem(double Value)
{
    if (!std::isnan(Value)) d->FButIncrem = Value;
}

void TNumIO2::SetBut3D(bool Value)
{
    if (Store(d->FBut3D, Value)) Repaint();
}

void TNumIO2::SetGaugeVisible(bool Value)
{
    if (Store(d->FGaugeVisible, Value)) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetGaugeHeight(int Value)
{
    // An unchanged value stays, and a stored form's value is taken as saved: the limits depend
    // on a size that may not be in yet (and the defaults lie beyond them at the default height).
    if (Value == d->FGaugeHeight) return;
    if (!IsLoading()) Value = std::min(Value, Height() - d->FGaugeTopMargin - 18);
    if (Store(d->FGaugeHeight, std::max(3, Value))) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetGaugeWidth(int Value)
{
    if (Value == d->FGaugeWidth) return; // see SetGaugeHeight
    if (!IsLoading()) Value = std::min(Value, Width() - d->FGaugeLeftMargin);
    if (Store(d->FGaugeWidth, std::max(10, Value))) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetGaugeLeftMargin(int Value)
{
    if (Value == d->FGaugeLeftMargin) return; // see SetGaugeHeight
    if (!IsLoading()) Value = std::min(Value, Width() - d->FGaugeWidth);
    if (Store(d->FGaugeLeftMargin, std::max(0, Value))) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetGaugeTopMargin(int Value)
{
    if (Value == d->FGaugeTopMargin) return; // see SetGaugeHeight
    if (!IsLoading()) Value = std::min(Value, Height() - d->FGaugeHeight - 18);
    if (Store(d->FGaugeTopMargin, std::max(0, Value))) Repaint();
    updateGeometry(); // the size hints follow
}

void TNumIO2::SetGaugeColor(TColor Value)
{
    if (Store(d->FGaugeColor, Value)) Repaint();
}

void TNumIO2::SetGaugeColorBg(TColor Value)
{
    if (Store(d->FGaugeColorBg, Value)) Repaint();
}

void TNumIO2::SetGaugeColorFrame(TColor Value)
{
    if (Store(d->FGaugeColorFrame, Value)) Repaint();
}

void TNumIO2::SetGaugeFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FGaugeFrameStyle, Value)) Repaint();
}

// ---- painting --------------------------------------------------------------------------------------

namespace {
// Two-colour edges of the lowered, raised, embossed and engraved styles: the top-left colour and
// the bottom-right one.
void EdgeColors(const TNumIO2Private &P, TFrameStyle Style, TColor &TopLeft, TColor &BottomRight)
{
    switch (Style) {
    case fsLowered:
        TopLeft = P.FColBlackLine, BottomRight = P.FColWhiteLine;
        break;
    case fsRaised:
        TopLeft = P.FColWhiteLine, BottomRight = P.FColBlackLine;
        break;
    case fsEmbossed:
        TopLeft = P.FColGrayLine, BottomRight = P.FColGrayLine;
        break;
    default:
        TopLeft = P.FColWhiteLine, BottomRight = P.FColWhiteLine;
        break;
    }
}
} // namespace

void TNumIO2::Paint()
{
    if (d->FSuppressPaint || (!Visible() && !IsDesigning())) return;
    TCanvas *c = Canvas();
    c->SetFont(*Font());

    // 1. Height and background.
    if (d->FAutoSize) {
        // (Never below the field's least height, which SetBounds keeps: a smaller one would be
        // asked for again on every paint, and nothing would ever be drawn.)
        const int h = AutoHeight();
        if (h != Height()) {
            SetHeight(h);
            Invalidate(); // composed again at the new size
            return;
        }
    }
    PaintState ps{c, Layout(), Width(), Height(), 0, 0, 0, Enabled(), OutOfRange()};
    ps.G = ps.Layout.GaugeStrip();
    ps.S = ps.H - ps.G - 4;
    ps.Ty = (ps.H - ps.G - c->TextHeight(QStringLiteral("(8g]}\u00DC\u00C4\u00A7"))) / 2;
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(d->FColorOutBG);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(d->FColorOutBG);
    c->Rectangle(0, 0, ps.W, ps.H);

    PaintSideTexts(ps); // 2. and 4.
    PaintButtons(ps);   // 3.
    PaintGauge(ps);     // 5.
    PaintTextBox(ps);   // 6. to 9.

    const QString name = QStringList{d->FLeftText, d->FInBuffer, d->FRightText}.join(u' ').simplified();
    if (accessibleName() != name && !name.isEmpty()) setAccessibleName(name);
}

void TNumIO2::PaintSideTexts(const PaintState &P)
{
    TCanvas *c = P.c;
    // A side text: enabled on the outside colour, disabled engraved (white one pixel lower
    // right, then gray) on a clear brush.
    auto sideText = [&](int X, const QString &Text) {
        if (P.Enabled) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(d->FColorOutBG);
            c->Font()->SetColor(d->FColorOutText);
            c->TextOut(X, P.Ty, Text);
        } else {
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(clWhite);
            c->TextOut(X + 1, P.Ty + 1, Text);
            c->Font()->SetColor(clGray);
            c->TextOut(X, P.Ty, Text);
        }
    };
    const int ls = d->FLeftSpace, bw = d->FTextBoxWidth, B = P.Layout.ButtonBlock();
    if (!d->FLeftText.isEmpty()) {
        const int w = c->TextWidth(d->FLeftText);
        const int x = d->FLeftTextAlign == taLeftJustify    ? 7
                      : d->FLeftTextAlign == taRightJustify ? ls - w - 5
                                                            : (ls - w) / 2;
        sideText(x, d->FLeftText);
    }
    if (!d->FRightText.isEmpty()) {
        const int w = c->TextWidth(d->FRightText);
        const int x = d->FRightTextAlign == taLeftJustify    ? ls + B + bw + 7
                      : d->FRightTextAlign == taRightJustify ? P.W - w - 6
                                                             : (P.W - ls - B - bw - w) / 2 + ls + B + bw + 1;
        sideText(x, d->FRightText);
    }
}

void TNumIO2::PaintButtons(const PaintState &P)
{
    if (!d->FButVisible) return;
    TCanvas *c = P.c;
    const int bx = P.Layout.ButtonLeft(), bw = d->FButWidth;
    const int hb = d->FButHeight / 2;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(d->FButColor);
    c->Pen()->SetColor(clGray);
    c->Rectangle(bx, 0, bx + bw + 1, 2 * hb - 1);
    c->LinePath(clGray, {{bx, hb - 1}, {bx + bw, hb - 1}});
    if (d->FBut3D) {
        c->LinePath(clWhite, {{bx + 1, 2 * hb - 3}, {bx + 1, hb}, {bx + bw, hb}});
        c->LinePath(clWhite, {{bx + 1, hb - 2}, {bx + 1, 1}, {bx + bw, 1}});
        c->LinePath(clBlack, {{bx + 1, 2 * hb - 1}, {bx + bw + 1, 2 * hb - 1}, {bx + bw + 1, 1}});
    }
    const TColor arrow = P.Enabled ? clBlack : clGray;
    const int cx = bx + bw / 2, cy = hb / 2, dy = hb + cy;
    c->LinePath(arrow, {{cx, cy - 1}, {cx + 2, cy - 1}});
    c->LinePath(arrow, {{cx - 1, cy}, {cx + 3, cy}});
    c->LinePath(arrow, {{cx - 2, cy + 1}, {cx + 4, cy + 1}});
    c->LinePath(arrow, {{cx, dy}, {cx + 2, dy}});
    c->LinePath(arrow, {{cx - 1, dy - 1}, {cx + 3, dy - 1}});
    c->LinePath(arrow, {{cx - 2, dy - 2}, {cx + 4, dy - 2}});
}

void TNumIO2::PaintGauge(const PaintState &P)
{
    if (!d->FGaugeVisible) return;
    TCanvas *c = P.c;
    const TRect g = P.Layout.GaugeRect();
    const int gl = g.Left, gy = g.Top, gw = g.Width(), gh = g.Height();
    c->Pen()->SetColor(d->FGaugeFrameStyle != fsNone ? d->FGaugeColorFrame : d->FGaugeColorBg);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(d->FGaugeColorBg);
    c->Rectangle(gl, gy, gl + gw, gy + gh);
    const TColor bar = P.Enabled ? d->FGaugeColor : clGray;
    c->Pen()->SetColor(bar);
    c->Brush()->SetColor(bar);
    double r = 1.0;
    if (d->FMaximum != d->FMinimum) r = (GetNioValue() - d->FMinimum) / (d->FMaximum - d->FMinimum);
    r = std::clamp(r, 0.0, 1.0);
    c->Rectangle(gl, gy, gl + Round(gw * r), gy + gh);
    if (d->FGaugeFrameStyle == fsNone) return;
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(d->FGaugeFrameStyle == fsSimple     ? d->FGaugeColorFrame
                       : d->FGaugeFrameStyle == fsEmbossed ? d->FColWhiteLine
                                                           : d->FColGrayLine);
    c->Rectangle(gl, gy, gl + gw, gy + gh);
    if (d->FGaugeFrameStyle != fsSimple) {
        TColor tl, br;
        EdgeColors(*d, d->FGaugeFrameStyle, tl, br);
        c->LinePath(tl, {{gl + 1, gy + gh - 2}, {gl + 1, gy + 1}, {gl + gw - 1, gy + 1}});
        c->LinePath(br, {{gl + 1, gy + gh}, {gl + gw, gy + gh}, {gl + gw, gy}});
    }
}

void TNumIO2::PaintTextBox(const PaintState &P)
{
    TCanvas *c = P.c;
    const int H = P.H, G = P.G, S = P.S;
    // 6. The box.
    const TColor boxBrush = !P.Enabled ? clSilver : P.Out ? d->FColorWarnBG : d->FColorBoxBG;
    TColor boxPen = d->FFrameStyle == fsNone       ? (P.Enabled ? d->FColorBoxBG : clSilver)
                    : d->FFrameStyle == fsEmbossed ? d->FColWhiteLine
                                                   : d->FColGrayLine;
    if (d->FFrameStyle == fsNone && P.Enabled && P.Out) boxPen = d->FColorWarnBG;
    c->Pen()->SetColor(boxPen);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(boxBrush);
    const int ls = d->FLeftSpace, bw = d->FTextBoxWidth;
    if (d->FFrameStyle == fsNone || d->FFrameStyle == fsSimple) {
        c->Rectangle(ls, 0, ls + bw + 2, H - G);
    } else {
        c->Rectangle(ls, 0, ls + bw + 2, H - G - 1);
        TColor tl, br;
        EdgeColors(*d, d->FFrameStyle, tl, br);
        c->LinePath(tl, {{ls + 1, S + 1}, {ls + 1, 1}, {ls + bw + 1, 1}});
        c->LinePath(br, {{ls + 1, S + 3}, {ls + bw + 2, S + 3}, {ls + bw + 2, 0}});
    }

    // 7. The text.
    const int tw = c->TextWidth(d->FInBuffer);
    c->Font()->SetColor(!P.Enabled ? clGray : P.Out ? d->FColorWarnText : d->FColorBoxText);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(boxBrush);
    c->TextRect(Rect(ls + 3, 2, ls + bw - 1, S + 1), P.Layout.TextLeft(tw), P.Ty, d->FInBuffer);

    // 8. The caret, one pixel before the boundary it stands on.
    const int k = P.Layout.CharPosToX(c->TextWidth(d->FInBuffer.left(d->FCaretPos)), tw) - 1 - ls;
    if (k > 0 && k < bw && d->FCaretVisib) c->LinePath(clBlack, {{ls + k, 3}, {ls + k, H - G - 3}});

    // 9. The selection, inverted.
    if (d->HasSelection() && (hasFocus() || !d->FHideSel)) {
        const int x1 = std::clamp(CharPosToXCoords(d->FSelBegin), ls, ls + bw);
        const int x2 = std::clamp(CharPosToXCoords(d->FSelEnd), ls, ls + bw);
        const TRect r = Rect(x1, 3, x2, H - G - 3);
        if (!r.IsEmpty()) {
            c->SetCopyMode(NOTSRCCOPY);
            c->CopyRect(r, *c, r);
            c->SetCopyMode(SRCCOPY);
        }
    }
}

void TNumIO2::FontChanged()
{
    TCustomControl::FontChanged();
    updateGeometry();
}

} // namespace kro
