// TMeter's painting: background, range band, scale, caption, needles, rims, anchor, lamps, frame,
// with the dial kept as a picture between paints.
#include <krogui/core/kromath.h>
#include <krogui/gauges/meter.h>
#include <krogui/gauges/meter_p.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <QMetaMethod>
#include <QPainter>

#include <cmath>

namespace kro {

namespace {
constexpr double kDeg = uc_Pi / 180.0;
} // namespace

// ---- painting ---------------------------------------------------------------------------------------

namespace {

// Pen width, style and mode as the drawing steps expect them, whatever a handler left behind.
void PlainPen(TCanvas *C, TColor Color)
{
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetMode(pmCopy);
}

void SolidBrush(TCanvas *C, TColor Color)
{
    C->Brush()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
}

} // namespace

void TMeter::MakeDialKey(TDialKey &k) const
{
    k.W = width();
    k.H = height();
    k.A = d->FMeterAngle;
    k.CX = d->FMeterCenterX;
    k.CY = d->FMeterCenterY;
    k.R = d->FMeterRadius;
    k.Min = d->FMinValue;
    k.Max = d->FMaxValue;
    k.Low = d->FLowThreshold;
    k.High = d->FHighThreshold;
    k.BandWidth = d->FScaleBkWidth;
    k.Log = d->FLogarithmic;
    k.Band = d->FScaleBkVisible;
    k.Scale = d->FScaleVisible;
    k.Line = d->FMeterScaleLine;
    k.Short = d->FShortTicks;
    k.HasBg = !d->FBakGndFName.isEmpty();
    k.NrTicks = d->FNrTicks;
    k.Dec = d->FDecPlaces;
    k.FillMode = d->FBkgndFillMode;
    k.BgKey = k.HasBg ? AuxBGBmp.Image().cacheKey() : 0;
    k.BakG = ColorToRGB(d->FColorBakG);
    k.ScaleColor = ColorToRGB(d->FColorScale);
    k.BandLow = ColorToRGB(d->FColorSclBkLow);
    k.BandNorm = ColorToRGB(d->FColorSclBkNorm);
    k.BandHigh = ColorToRGB(d->FColorSclBkHigh);
    const TFont *f = Font();
    k.FontName = f->Name();
    k.FontSize = f->Size();
    k.FontOrient = f->Orientation();
    k.FontStyle = f->Style();
    k.FontQuality = int(f->Quality());
    k.FontColor = ColorToRGB(f->Color());
    k.CapName = d->FFontCaption.Name();
    k.CapSize = d->FFontCaption.Size();
    k.CapOrient = d->FFontCaption.Orientation();
    k.CapStyle = d->FFontCaption.Style();
    k.CapQuality = int(d->FFontCaption.Quality());
    k.CapColor = ColorToRGB(d->FFontCaption.Color());
    k.Caption = d->FCaption;
}

bool TMeter::RestoreDial(TCanvas *C)
{
    if (!d->FDial || LabelHookActive()) return false;
    TDialKey key;
    MakeDialKey(key);
    if (!(d->FDial->K == key)) return false;
    // A dial kept at another pixel density (the meter moved to another screen) is drawn afresh.
    if (qRound(d->FDial->Picture.devicePixelRatio()) != C->Scale()) return false;
    QPainter *p = C->Handle();
    if (!p) return false;
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(0, 0, d->FDial->Picture);
    p->restore();
    C->Pen()->SetColor(d->FDial->PenColor);
    C->Brush()->SetColor(d->FDial->BrushColor);
    C->Brush()->SetStyle(d->FDial->BrushStyle);
    C->SetPenPos(d->FDial->PenPos);
    C->SetFont(d->FDial->Font);
    return true;
}

bool TMeter::LabelHookActive() const
{
    // A label handler or listener may vary the labels from paint to paint: no dial is kept then.
    return d->FOnBeforeDrawScaleLabel ||
           isSignalConnected(QMetaMethod::fromSignal(&TMeter::onBeforeDrawScaleLabel));
}

void TMeter::KeepDial(TCanvas *C)
{
    if (LabelHookActive()) {
        d->FDial.reset();
        return;
    }
    if (!d->FDial) d->FDial = std::make_unique<TDialCache>();
    MakeDialKey(d->FDial->K);
    d->FDial->Picture = C->Image()->copy();
    d->FDial->PenColor = C->Pen()->Color();
    d->FDial->BrushColor = C->Brush()->Color();
    d->FDial->BrushStyle = C->Brush()->Style();
    d->FDial->PenPos = C->PenPos();
    d->FDial->Font.Assign(*C->Font());
}

void TMeter::Paint()
{
    EnsureLayout();
    const int W = width(), H = height();
    TCanvas *C = Canvas();
    // 1. Nothing at all while the radius is not positive: the parent shows through.
    if (!(d->FMeterRadius > 0)) {
        if (!d->FDrewNothing) {
            d->FDrewNothing = true;
            QImage none(1, 1, QImage::Format_Mono);
            none.fill(0);
            SetOutputMask(none);
        }
        return;
    }
    if (d->FDrewNothing) {
        d->FDrewNothing = false;
        ClearOutputMask();
    }
    // The surface starts as a fresh bitmap would: black pen, white solid brush, default font.
    C->SetClipRect(TRect{});
    C->SetCopyMode(SRCCOPY);
    PlainPen(C, clBlack);
    SolidBrush(C, clWhite);
    C->SetFont(TFont());

    // Background, band, scale and caption do not depend on the needle values: they are kept as a
    // picture and reused until something they show changes (not while a label handler may vary).
    if (!RestoreDial(C)) {
        DrawBackground(C, W, H);
        if (d->FScaleBkVisible) DrawRangeBand(C);
        C->Brush()->SetStyle(bsClear);
        if (d->FScaleVisible) DrawScale(C);
        if (!d->FCaption.isEmpty()) {
            C->SetFont(d->FFontCaption);
            C->TextOut(d->FMeterCenterX - C->TextWidth(d->FCaption) / 2,
                       d->FMeterCenterY - Round(d->FMeterRadius / 3) - C->TextHeight(d->FCaption) / 2,
                       d->FCaption);
        }
        KeepDial(C);
    }

    // The second needle goes under the main one; OnBeforeDrawNeedle concerns the main one only.
    if (d->FNeedleLayoutSec->Visible()) DrawNeedle(C, *d->FNeedleLayoutSec, d->FValue2);
    bool needleDrawn = false;
    if (d->FOnBeforeDrawNeedle || isSignalConnected(QMetaMethod::fromSignal(&TMeter::onBeforeDrawNeedle))) {
        if (d->FOnBeforeDrawNeedle) d->FOnBeforeDrawNeedle(this, C, needleDrawn);
        Q_EMIT onBeforeDrawNeedle(this, C, needleDrawn);
        C->SetCopyMode(SRCCOPY);
    }
    if (!needleDrawn) DrawNeedle(C, *d->FNeedleLayout, d->FValue);

    // Rims, anchor and lamps cover whatever was drawn so far.
    PlainPen(C, d->FColorCover);
    SolidBrush(C, d->FColorCover);
    C->Rectangle(0, 0, d->FSRim - 1, H);
    C->Rectangle(0, 0, W, d->FTRim);
    C->Rectangle(W - d->FSRim, 0, W, H);
    C->Rectangle(0, H - d->FBRim, W, H);
    DrawAnchor(C, W, H);
    if (d->FLimWatchHighOn) DrawLamp(C, W - d->FSRim - 18, d->FTRim + 8, d->FOFL);
    if (d->FLimWatchLowOn) DrawLamp(C, d->FSRim + 8, d->FTRim + 8, d->FUFL);
    if (d->FOnMeterRendered || isSignalConnected(QMetaMethod::fromSignal(&TMeter::onMeterRendered))) {
        if (d->FOnMeterRendered) d->FOnMeterRendered(this, C);
        Q_EMIT onMeterRendered(this, C);
        C->SetCopyMode(SRCCOPY);
    }
    DrawFrameLines(C, W, H);
}

void TMeter::DrawBackground(TCanvas *C, int W, int H)
{
    if (d->FBakGndFName.isEmpty()) {
        C->SetFont(*Font());
        PlainPen(C, d->FColorBakG);
        SolidBrush(C, d->FColorBakG);
        C->Rectangle(0, 0, W, H);
        return;
    }
    const int w = AuxBGBmp.Width(), h = AuxBGBmp.Height();
    switch (d->FBkgndFillMode) {
    case bfSimple:
        C->Rectangle(0, 0, W, H);
        C->StretchDraw(Rect(0, 0, w, h), AuxBGBmp);
        break;
    case bfStretch:
        C->StretchDraw(Rect(0, 0, W, H), AuxBGBmp);
        break;
    case bfTile:
        // Copies of the picture at (w * i, h * j) over the whole control: a texture fill gives the
        // same pixels as drawing every tile and stays fast for tiny pictures on large meters.
        if (w > 0 && h > 0 && C->Handle()) C->Handle()->fillRect(QRect(0, 0, W, H), QBrush(AuxBGBmp.Image()));
        break;
    }
}

void TMeter::DrawRangeBand(TCanvas *C)
{
    const double R = d->FMeterRadius;
    const int CX = d->FMeterCenterX, CY = d->FMeterCenterY, A = d->FMeterAngle;
    const int Ro = Round(R + 4);
    const int Ri = Round((100 - d->FScaleBkWidth) * R / 100);
    auto phi = [&](double v) {
        return MeterDrawAngle(v, d->FMinValue, d->FMaxValue, d->FLogarithmic, A) * kDeg;
    };
    const double a0 = phi(d->FMinValue), aL = phi(d->FLowThreshold), aH = phi(d->FHighThreshold),
                 a1 = phi(d->FMaxValue);
    auto sector = [&](TColor Color, double From, double To) {
        if (std::abs(From - To) <= 1e-6) return;
        const QPoint p = MeterPointOnRay(CX, CY, R, From / kDeg);
        const QPoint q = MeterPointOnRay(CX, CY, R, To / kDeg);
        // Equal boundary points make a full disc; only the whole circle of a 360-degree scale
        // may look like that, a sliver of a sector must not.
        if (p == q && std::abs(From - To) < uc_Pi) return;
        PlainPen(C, Color);
        SolidBrush(C, Color);
        C->Pie(CX - Ro, CY - Ro, CX + Ro + 1, CY + Ro, p.x(), p.y(), q.x(), q.y());
    };
    sector(d->FColorSclBkLow, aL, a0);
    sector(d->FColorSclBkNorm, aH, aL);
    sector(d->FColorSclBkHigh, a1, aH);
    PlainPen(C, d->FColorBakG);
    SolidBrush(C, d->FColorBakG);
    C->Ellipse(CX - Ri, CY - Ri, CX + Ri + 1, CY + Ri);
}

void TMeter::DrawScale(TCanvas *C)
{
    // A range without width (only possible from stored values) gets no scale.
    if (!MeterRangeUsable(d->FMinValue, d->FMaxValue)) return;
    const double R = d->FMeterRadius;
    const int CX = d->FMeterCenterX, CY = d->FMeterCenterY, A = d->FMeterAngle;
    auto phi = [&](double v) { return MeterDrawAngle(v, d->FMinValue, d->FMaxValue, d->FLogarithmic, A); };
    auto rayLine = [&](double v, double Inner) {
        const double f = phi(v);
        const QPoint p = MeterPointOnRay(CX, CY, R, f);
        const QPoint q = MeterPointOnRay(CX, CY, R - Inner, f);
        C->MoveTo(p.x(), p.y());
        C->LineTo(q.x(), q.y());
    };
    PlainPen(C, d->FColorScale);
    if (d->FMeterScaleLine) {
        const int Rr = Round(R);
        const QPoint p1 = MeterPointOnRay(CX, CY, R, phi(d->FMaxValue));
        const QPoint p0 = MeterPointOnRay(CX, CY, R, phi(d->FMinValue));
        C->Arc(CX - Rr, CY - Rr, CX + Rr + 1, CY + Rr, p1.x(), p1.y(), p0.x(), p0.y());
    }
    const TMeterTickStep step = CalcMeterTickStep(d->FMinValue, d->FMaxValue, d->FNrTicks);
    if (d->FShortTicks)
        for (double v : MeterMinorTicks(d->FMinValue, d->FMaxValue, step))
            rayLine(v, 4);
    C->SetFont(*Font());
    const QString maxText = MeterLabelText(d->FMaxValue, d->FDecPlaces);
    const double dX = C->TextWidth(maxText) / 2.0 + 15;
    const double dY = C->TextHeight(maxText) / 2.0 + 15;
    for (const TMeterMajorTick &t : MeterMajorTicks(d->FMinValue, d->FMaxValue, d->FLogarithmic, step)) {
        rayLine(t.Value, 8);
        if (!t.Labelled) continue;
        const double f = phi(t.Value) * kDeg;
        const int X = CX + Round(std::cos(f) * (R - dX));
        const int Y = CY - Round(std::sin(f) * (R - dY));
        QString text = MeterLabelText(t.Value, d->FDecPlaces);
        if (LabelHookActive()) {
            const int chartX = X - C->TextWidth(text) / 2, chartY = Y - C->TextHeight(text) / 2;
            if (d->FOnBeforeDrawScaleLabel) d->FOnBeforeDrawScaleLabel(this, C, text, chartX, chartY);
            Q_EMIT onBeforeDrawScaleLabel(this, C, text, chartX, chartY);
            C->SetCopyMode(SRCCOPY);
        }
        if (!text.isEmpty()) C->TextOut(X - C->TextWidth(text) / 2, Y - C->TextHeight(text) / 2, text);
    }
}

void TMeter::DrawNeedle(TCanvas *C, const TNeedleLayout &Layout, double Value)
{
    const double R = d->FMeterRadius;
    const double CX = d->FMeterCenterX, CY = d->FMeterCenterY;
    const double theta =
        MeterDrawAngle(Value, d->FMinValue, d->FMaxValue, d->FLogarithmic, d->FMeterAngle) * kDeg;
    const double L = Layout.PercentNeedleLength() * (R - 4) * 0.01;
    const int Xt = Round(CX + L * std::cos(theta));
    const int Yt = Round(CY - L * std::sin(theta));
    const double beta = Layout.HeadAngle() * kDeg;
    const double dx = std::sin(theta) * Layout.Thickness() / 2.0;
    const double dy = std::cos(theta) * Layout.Thickness() / 2.0;
    const double HS = Layout.HeadSize(), HM = Layout.HeadMidLeng();
    QPolygon poly(7);
    poly[0] =
        QPoint(Round(Xt - HS * std::cos(theta + beta / 2)), Round(Yt + HS * std::sin(theta + beta / 2)));
    poly[1] = QPoint(Xt, Yt);
    poly[2] =
        QPoint(Round(Xt - HS * std::cos(theta - beta / 2)), Round(Yt + HS * std::sin(theta - beta / 2)));
    poly[3] = QPoint(Round(Xt - dx - HM * std::cos(theta)), Round(Yt - dy + HM * std::sin(theta)));
    poly[4] = QPoint(Round(CX - dx), Round(CY - dy));
    poly[5] = QPoint(Round(CX + dx), Round(CY + dy));
    poly[6] = QPoint(Round(Xt + dx - HM * std::cos(theta)), Round(Yt + dy + HM * std::sin(theta)));
    if (Layout.ShadowDx() != 0 || Layout.ShadowDy() != 0) {
        PlainPen(C, Layout.ShadowColor());
        SolidBrush(C, Layout.ShadowColor());
        C->Polygon(poly.translated(-Layout.ShadowDx(), -Layout.ShadowDy()));
    }
    PlainPen(C, Layout.ColorOutline());
    SolidBrush(C, Layout.ColorBody());
    C->Polygon(poly);
}

void TMeter::DrawBevel(TCanvas *C, int W, int H)
{
    C->Pen()->SetColor(clWhite);
    C->MoveTo(d->FSRim - 1, H - d->FBRim);
    C->LineTo(W - d->FSRim, H - d->FBRim);
    C->LineTo(W - d->FSRim, d->FTRim);
    C->Pen()->SetColor(clGray);
    C->LineTo(d->FSRim - 1, d->FTRim);
    C->LineTo(d->FSRim - 1, H - d->FBRim);
}

void TMeter::DrawAnchor(TCanvas *C, int W, int H)
{
    const int CX = d->FMeterCenterX, CY = d->FMeterCenterY, AS = d->FAnchorSize;
    const int L = CX - AS, T = CY - AS, R = CX + AS, B = CY + AS;
    if (!d->FAnchorCovered) {
        DrawBevel(C, W, H);
    } else if (!d->FACoverFName.isEmpty()) {
        DrawBevel(C, W, H);
        // Black pixels transparent: AND the mask (white there), then OR the picture.
        const int x = CX - AuxACBmp.Width() / 2, y = CY - AuxACBmp.Height() / 2;
        C->SetCopyMode(SRCAND);
        C->Draw(x, y, AuxACMaskBmp);
        C->SetCopyMode(SRCPAINT);
        C->Draw(x, y, AuxACBmp);
        C->SetCopyMode(SRCCOPY);
    } else if (d->FMeterLayout == mlCirc270 || d->FMeterLayout == mlCirc300 || d->FMeterLayout == mlCirc360) {
        C->Ellipse(L, T, R, B);
        DrawBevel(C, W, H);
        C->Pen()->SetColor(clWhite);
        C->Arc(L, T, R, B, R, T, L, B);
        C->Pen()->SetColor(clGray);
        C->Arc(L, T, R, B, L, B, R, T);
    } else {
        // A half disc standing on the bottom rim.
        C->Pie(L, T, R, B, W, CY, 0, CY);
        C->Rectangle(CX - AS, H - d->FBRim, CX + AS, CY);
        C->Pen()->SetColor(clGray);
        C->MoveTo(CX + AS - 1, CY);
        C->LineTo(CX + AS - 1, H - d->FBRim);
        C->Pen()->SetColor(clWhite);
        C->LineTo(W - d->FSRim, H - d->FBRim);
        C->LineTo(W - d->FSRim, d->FTRim);
        C->Pen()->SetColor(clGray);
        C->LineTo(d->FSRim - 1, d->FTRim);
        C->LineTo(d->FSRim - 1, H - d->FBRim);
        C->Pen()->SetColor(clWhite);
        C->LineTo(CX - AS, H - d->FBRim);
        C->LineTo(CX - AS, CY - 1);
        C->Arc(L, T, R, B, W, CY, 0, CY);
        C->Pen()->SetColor(clGray);
        C->Arc(L, T, R, B, CX + AS, CY, CX + AS, CY - AS);
    }
}

void TMeter::DrawLamp(TCanvas *C, int X0, int Y0, bool Lit)
{
    SolidBrush(C, Lit ? d->FLimWatchActColor : d->FLimWatchPsvColor);
    C->Pen()->SetColor(clBlack);
    C->Rectangle(X0, Y0 + 10, X0 + 10, Y0);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(X0 + 1, Y0 + 9);
    C->LineTo(X0 + 9, Y0 + 9);
    C->LineTo(X0 + 9, Y0);
    C->Pen()->SetColor(clSilver);
    C->MoveTo(X0 + 2, Y0 + 8);
    C->LineTo(X0 + 8, Y0 + 8);
    C->LineTo(X0 + 8, Y0 + 1);
    C->Pen()->SetColor(clGray);
    C->MoveTo(X0 + 1, Y0 + 8);
    C->LineTo(X0 + 1, Y0 + 1);
    C->LineTo(X0 + 9, Y0 + 1);
}

void TMeter::DrawFrameLines(TCanvas *C, int W, int H)
{
    PlainPen(C, d->FFrameStyle == fsEmbossed ? d->FColWhiteLine : d->FColGrayLine);
    auto outline = [&](TColor First, TColor Second) {
        C->Pen()->SetColor(First);
        C->MoveTo(0, H - 1);
        C->LineTo(0, 0);
        C->LineTo(W - 1, 0);
        C->Pen()->SetColor(Second);
        C->LineTo(W - 1, H - 1);
        C->LineTo(0, H - 1);
    };
    auto etched = [&](TColor First, TColor Second) {
        C->Pen()->SetColor(First);
        C->MoveTo(0, 0);
        C->LineTo(W - 2, 0);
        C->LineTo(W - 2, H - 2);
        C->LineTo(0, H - 2);
        C->LineTo(0, 0);
        C->Pen()->SetColor(Second);
        C->MoveTo(1, H - 3);
        C->LineTo(1, 1);
        C->LineTo(W - 2, 1);
        C->MoveTo(1, H - 1);
        C->LineTo(W - 1, H - 1);
        C->LineTo(W - 1, 0);
    };
    switch (d->FFrameStyle) {
    case fsNone:
        break;
    case fsSimple:
        DrawFrame(C, fsSimple, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, d->FColorBakG);
        break;
    case fsLowered:
        outline(d->FColGrayLine, d->FColWhiteLine);
        break;
    case fsRaised:
        outline(d->FColWhiteLine, d->FColGrayLine);
        break;
    case fsEmbossed:
        etched(d->FColWhiteLine, d->FColGrayLine);
        break;
    case fsEngraved:
        etched(d->FColGrayLine, d->FColWhiteLine);
        break;
    }
}

// ---- readers ----

double TMeter::Value() const
{
    return d->FValue;
}
double TMeter::ValueSec() const
{
    return d->FValue2;
}
double TMeter::MeterMinValue() const
{
    return d->FMinValue;
}
double TMeter::MeterMaxValue() const
{
    return d->FMaxValue;
}
double TMeter::ThresholdLow() const
{
    return d->FLowThreshold;
}
double TMeter::ThresholdHigh() const
{
    return d->FHighThreshold;
}
bool TMeter::Logarithmic() const
{
    return d->FLogarithmic;
}
int TMeter::MeterNrTicks() const
{
    return d->FNrTicks;
}
int TMeter::MeterDecPlaces() const
{
    return d->FDecPlaces;
}
bool TMeter::MeterShortTicks() const
{
    return d->FShortTicks;
}
TMeterLayout TMeter::MeterLayout() const
{
    return d->FMeterLayout;
}
int TMeter::RimTop() const
{
    return d->FTRim;
}
int TMeter::RimSide() const
{
    return d->FSRim;
}
int TMeter::RimBottom() const
{
    return d->FBRim;
}
int TMeter::AnchorSize() const
{
    return d->FAnchorSize;
}
bool TMeter::AnchorCovered() const
{
    return d->FAnchorCovered;
}
QString TMeter::AnchorImage() const
{
    return d->FACoverFName;
}
QString TMeter::BackGroundImg() const
{
    return d->FBakGndFName;
}
TBkgFill TMeter::BkgndFillMode() const
{
    return d->FBkgndFillMode;
}
QString TMeter::Caption() const
{
    return d->FCaption;
}
TFont *TMeter::FontCaption()
{
    return &d->FFontCaption;
}
const TFont *TMeter::FontCaption() const
{
    return &d->FFontCaption;
}
void TMeter::SetFontCaption(const TFont &Value)
{
    d->FFontCaption.Assign(Value);
}
TColor TMeter::ColorBakG() const
{
    return d->FColorBakG;
}
TColor TMeter::ColorCover() const
{
    return d->FColorCover;
}
TColor TMeter::ColorScale() const
{
    return d->FColorScale;
}
TColorScheme TMeter::ColorScheme() const
{
    return d->FColorScheme;
}
TColor TMeter::ColorSclBkLow() const
{
    return d->FColorSclBkLow;
}
TColor TMeter::ColorSclBkNorm() const
{
    return d->FColorSclBkNorm;
}
TColor TMeter::ColorSclBkHigh() const
{
    return d->FColorSclBkHigh;
}
TFrameStyle TMeter::FrameStyle() const
{
    return d->FFrameStyle;
}
bool TMeter::LimWatchHighOn() const
{
    return d->FLimWatchHighOn;
}
bool TMeter::LimWatchLowOn() const
{
    return d->FLimWatchLowOn;
}
TColor TMeter::LimWatchActColor() const
{
    return d->FLimWatchActColor;
}
TColor TMeter::LimWatchPsvColor() const
{
    return d->FLimWatchPsvColor;
}
bool TMeter::MeterScaleLine() const
{
    return d->FMeterScaleLine;
}
TNeedleLayout *TMeter::NeedleLayout() const
{
    return d->FNeedleLayout.get();
}
TNeedleLayout *TMeter::NeedleLayoutSec() const
{
    return d->FNeedleLayoutSec.get();
}
double TMeter::ScaleBkWidth() const
{
    return d->FScaleBkWidth;
}
bool TMeter::ScaleBkVisible() const
{
    return d->FScaleBkVisible;
}
bool TMeter::ScaleVisible() const
{
    return d->FScaleVisible;
}
bool TMeter::IsOverFlow() const
{
    return d->FOFL;
}
bool TMeter::IsUnderFlow() const
{
    return d->FUFL;
}
void TMeter::SetOnOverFlow(TNotifyEvent H)
{
    d->FOnOverFlow = std::move(H);
}
const TNotifyEvent &TMeter::OnOverFlow() const
{
    return d->FOnOverFlow;
}
void TMeter::SetOnNormalRange(TNotifyEvent H)
{
    d->FOnNormalRange = std::move(H);
}
const TNotifyEvent &TMeter::OnNormalRange() const
{
    return d->FOnNormalRange;
}
void TMeter::SetOnUnderFlow(TNotifyEvent H)
{
    d->FOnUnderFlow = std::move(H);
}
const TNotifyEvent &TMeter::OnUnderFlow() const
{
    return d->FOnUnderFlow;
}
void TMeter::SetOnBeforeDrawScaleLabel(TmtBeforeDrawScaleLabelEvent H)
{
    d->FOnBeforeDrawScaleLabel = std::move(H);
}
const TmtBeforeDrawScaleLabelEvent &TMeter::OnBeforeDrawScaleLabel() const
{
    return d->FOnBeforeDrawScaleLabel;
}
void TMeter::SetOnBeforeDrawNeedle(TBeforeDrawNeedleEvent H)
{
    d->FOnBeforeDrawNeedle = std::move(H);
}
const TBeforeDrawNeedleEvent &TMeter::OnBeforeDrawNeedle() const
{
    return d->FOnBeforeDrawNeedle;
}
void TMeter::SetOnMeterRendered(TMeterRenderedEvent H)
{
    d->FOnMeterRendered = std::move(H);
}
const TMeterRenderedEvent &TMeter::OnMeterRendered() const
{
    return d->FOnMeterRendered;
}
void TMeter::SetOnMouseMoveInMeter(TMouseMoveInMeterEvent H)
{
    d->FOnMouseMoveInMeter = std::move(H);
}
const TMouseMoveInMeterEvent &TMeter::OnMouseMoveInMeter() const
{
    return d->FOnMouseMoveInMeter;
}

} // namespace kro
