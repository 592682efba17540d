#include <krogui/core/property.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>
#include <krogui/core/kromath.h>
#include <krogui/gauges/meter.h>

#include <QFileInfo>
#include <QPainter>

#include <cmath>

namespace kro {

namespace {

constexpr double kDeg = uc_Pi / 180.0;
// Pixel sizes beyond this are nonsense and would overflow the integer coordinate arithmetic.
constexpr int kMaxPixels = 32767;

double ClampTo(double V, double Lo, double Hi)
{
    if (V > Hi) V = Hi;
    if (V < Lo) V = Lo;
    return V;
}

// Below this a logarithmic scale refuses range values and thresholds.
constexpr double kLogFloor = 1e-100;

} // namespace

TMeter::TMeter(QWidget *Parent)
    : TGraphicControl(Parent), FNeedleLayout(std::make_unique<TNeedleLayout>()),
      FNeedleLayoutSec(std::make_unique<TNeedleLayout>())
{
    SetDesignSize(297, 209);
    FNeedleLayoutSec->SetVisible(false);
    FNeedleLayout->SetOwnerLink([this] { StyleChanged(); });
    FNeedleLayoutSec->SetOwnerLink([this] { StyleChanged(); });
    FFontCaption.Assign(*Font());
    FFontCaption.SetOnChange([this] { StyleChanged(); });
    AuxBGBmp.SetSize(10, 10);
    AuxACBmp.SetSize(10, 10);
    AuxACMaskBmp.SetSize(10, 10);
    // The geometry always follows the current rims (also the default ones).
    CalcMeterLayoutParams();
    UpdateAccessibleName();
}

TMeter::~TMeter() = default;

// ---- plumbing ---------------------------------------------------------------------------------

void TMeter::StyleChanged()
{
    if (IsLoading())
        Invalidate(); // Loaded repaints once everything is in place
    else
        Repaint();
}

void TMeter::UpdateAccessibleName()
{
    const QString name = FCaption.isEmpty() ? QStringLiteral("Meter") : FCaption;
    setAccessibleName(QStringLiteral("%1: %2").arg(name, MeterLabelText(FValue, FDecPlaces)));
}

// ---- geometry -----------------------------------------------------------------------------------

void TMeter::CalcMeterLayoutParams()
{
    UpdateGeometry();
}

void TMeter::UpdateGeometry() const
{
    const TMeterGeometry g = CalcMeterGeometry(FMeterLayout, width(), height(), FTRim, FSRim, FBRim);
    FMeterAngle = g.MeterAngle;
    FMeterRadius = g.MeterRadius;
    FMeterCenterX = g.MeterCenterX;
    FMeterCenterY = g.MeterCenterY;
    FLayoutSize = size();
}

void TMeter::EnsureLayout() const
{
    // A layout manager may resize a hidden widget without a resize event reaching us yet.
    if (FLayoutSize != size()) UpdateGeometry();
}

int TMeter::MeterAngle() const
{
    EnsureLayout();
    return FMeterAngle;
}

double TMeter::MeterRadius() const
{
    EnsureLayout();
    return FMeterRadius;
}

int TMeter::MeterCenterX() const
{
    EnsureLayout();
    return FMeterCenterX;
}

int TMeter::MeterCenterY() const
{
    EnsureLayout();
    return FMeterCenterY;
}

void TMeter::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcMeterLayoutParams();
}

void TMeter::Resize()
{
    CalcMeterLayoutParams();
}

double TMeter::CalcNeedleAngle(double Value) const
{
    return MeterNeedleAngle(Value, FMinValue, FMaxValue, FLogarithmic, MeterLayoutSweep(FMeterLayout));
}

void TMeter::ConvertToPixelCoords(double Value, double PctRadius, int &X, int &Y) const
{
    EnsureLayout();
    const double a = (-90.0 - CalcNeedleAngle(Value)) * kDeg;
    const double r = PctRadius * 0.01 * FMeterRadius;
    X = Round(FMeterCenterX + r * std::cos(a));
    Y = Round(FMeterCenterY - r * std::sin(a));
}

bool TMeter::ConvertPixelToValue(int XPos, int YPos, double &MeterValue) const
{
    EnsureLayout();
    TMeterGeometry g;
    g.MeterAngle = FMeterAngle;
    g.MeterRadius = FMeterRadius;
    g.MeterCenterX = FMeterCenterX;
    g.MeterCenterY = FMeterCenterY;
    return MeterPixelToValue(XPos, YPos, g, FMinValue, FMaxValue, FLogarithmic, MeterValue);
}

// ---- range events -------------------------------------------------------------------------------

void TMeter::DoOverFlowEvent()
{
    if (FOnOverFlow) FOnOverFlow(this);
}

void TMeter::DoUnderFlowEvent()
{
    if (FOnUnderFlow) FOnUnderFlow(this);
}

void TMeter::DoNormalRangeEvent()
{
    if (FOnNormalRange) FOnNormalRange(this);
}

void TMeter::ApplyRangeEvents(double NewValue, bool Fire)
{
    FOFL = false;
    FUFL = false;
    if (!Fire) return;
    if (NewValue >= FHighThreshold) {
        FOFL = true;
        DoOverFlowEvent();
    } else if (NewValue > FLowThreshold) {
        DoNormalRangeEvent();
    } else {
        FUFL = true;
        DoUnderFlowEvent();
    }
}

// ---- value, range and threshold setters -----------------------------------------------------------

void TMeter::SetValue(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) FValue = Value;
        return;
    }
    if (Value == FValue) return;
    FValue = ClampTo(Value, FMinValue, FMaxValue);
    UpdateAccessibleName();
    ApplyRangeEvents(FValue, FNeedleLayout->Visible());
    Repaint();
}

void TMeter::SetValueSec(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) FValue2 = Value;
        return;
    }
    if (Value == FValue2) return;
    FValue2 = ClampTo(Value, FMinValue, FMaxValue);
    ApplyRangeEvents(FValue2, FNeedleLayoutSec->Visible());
    if (FNeedleLayoutSec->Visible()) Repaint();
}

void TMeter::SetMeterMinValue(double Value)
{
    if (!std::isfinite(Value)) return;
    if (IsLoading()) {
        FMinValue = Value;
        return;
    }
    if (FLogarithmic && Value < kLogFloor) return;
    if (Value == FMinValue) return;
    double newMax = FMaxValue;
    if (newMax <= Value) {
        newMax = Value + 1;
        if (!(newMax > Value)) // too large for a unit step to show in a double
            newMax = Value + std::abs(Value) * 1e-9;
    }
    if (!MeterRangeUsable(Value, newMax))
        return; // a range that has no finite width: refused, the old one stays
    FMinValue = Value;
    FMaxValue = newMax;
    FValue = std::max(FValue, FMinValue);
    FValue2 = std::max(FValue2, FMinValue);
    FLowThreshold = std::max(FLowThreshold, FMinValue);
    FHighThreshold = std::max(FHighThreshold, FMinValue);
    UpdateAccessibleName();
    Repaint();
}

void TMeter::SetMeterMaxValue(double Value)
{
    if (!std::isfinite(Value)) return;
    if (IsLoading()) {
        FMaxValue = Value;
        return;
    }
    if (FLogarithmic && Value < kLogFloor) return;
    if (Value == FMaxValue) return;
    double newMin = FMinValue;
    if (newMin >= Value) {
        newMin = Value - 1;
        if (!(newMin < Value)) newMin = Value - std::abs(Value) * 1e-9;
        if (FLogarithmic && newMin <= 0) newMin = Value / 10;
    }
    if (!MeterRangeUsable(newMin, Value)) return;
    FMinValue = newMin;
    FMaxValue = Value;
    FValue = std::min(FValue, FMaxValue);
    FValue2 = std::min(FValue2, FMaxValue);
    FLowThreshold = std::min(FLowThreshold, FMaxValue);
    FHighThreshold = std::min(FHighThreshold, FMaxValue);
    UpdateAccessibleName();
    Repaint();
}

void TMeter::SetThresholdLow(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) FLowThreshold = Value;
        return;
    }
    if (FLogarithmic && Value < kLogFloor) return;
    if (Value == FLowThreshold) return;
    FLowThreshold = ClampTo(Value, FMinValue, FMaxValue);
    if (FLowThreshold > FHighThreshold) FHighThreshold = FLowThreshold;
    FUFL = false;
    if (FValue <= FLowThreshold) {
        FUFL = true;
        DoUnderFlowEvent();
    }
    Repaint();
}

void TMeter::SetThresholdHigh(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) FHighThreshold = Value;
        return;
    }
    if (FLogarithmic && Value < kLogFloor) return;
    if (Value == FHighThreshold) return;
    FHighThreshold = ClampTo(Value, FMinValue, FMaxValue);
    if (FHighThreshold < FLowThreshold) FLowThreshold = FHighThreshold;
    FOFL = false;
    if (FValue >= FHighThreshold) {
        FOFL = true;
        DoOverFlowEvent();
    }
    Repaint();
}

void TMeter::SetLogarithmic(bool Value)
{
    if (IsLoading()) {
        FLogarithmic = Value;
        return;
    }
    if (Value == FLogarithmic) return;
    FLogarithmic = (FMinValue <= kLogFloor || FMaxValue <= kLogFloor) ? false : Value;
    Repaint();
}

void TMeter::SetMeterNrTicks(int Value)
{
    if (Value == FNrTicks) return;
    FNrTicks = std::clamp(Value, 2, 21);
    StyleChanged();
}

void TMeter::SetMeterDecPlaces(int Value)
{
    if (Value == FDecPlaces) return;
    FDecPlaces = std::clamp(Value, 0, 4);
    UpdateAccessibleName();
    StyleChanged();
}

void TMeter::SetMeterShortTicks(bool Value)
{
    if (Store(FShortTicks, Value)) StyleChanged();
}

void TMeter::SetMeterLayout(TMeterLayout Value)
{
    if (Value == FMeterLayout || Value < mlCirc90 || Value > mlCirc360) return;
    FMeterLayout = Value;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::SetRimTop(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(FTRim, Value)) return;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::SetRimSide(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(FSRim, Value)) return;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::SetRimBottom(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(FBRim, Value)) return;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::Loaded()
{
    TGraphicControl::Loaded();
    FValue = ClampTo(FValue, FMinValue, FMaxValue);
    if (!FBakGndFName.isEmpty()) {
        try {
            AuxBGBmp.LoadFromFile(FBakGndFName);
        } catch (const EKROError &) {
            FBakGndFName.clear();
        }
    }
    LoadAnchorImage();
    CalcMeterLayoutParams();
    UpdateAccessibleName();
    Repaint();
}

// ---- look setters ---------------------------------------------------------------------------------

void TMeter::SetAnchorSize(int Value)
{
    if (Store(FAnchorSize, std::clamp(Value, 0, kMaxPixels))) StyleChanged();
}
void TMeter::SetAnchorCovered(bool Value)
{
    if (Store(FAnchorCovered, Value)) StyleChanged();
}

void TMeter::LoadAnchorImage()
{
    if (FACoverFName.isEmpty()) return;
    try {
        AuxACBmp.LoadFromFile(FACoverFName);
    } catch (const EKROError &) {
        FACoverFName.clear();
        return;
    }
    // The mask is white where the picture is black (those pixels let the meter show through).
    QImage mask = AuxACBmp.Image().copy();
    for (int y = 0; y < mask.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < mask.width(); ++x)
            line[x] = (line[x] & 0x00FFFFFFu) == 0 ? 0xFFFFFFFFu : 0xFF000000u;
    }
    AuxACMaskBmp.Assign(mask);
}

void TMeter::SetAnchorImage(const QString &Value)
{
    FACoverFName = Value;
    if (IsLoading()) return; // Loaded reads the file
    if (!Value.isEmpty() && QFileInfo(Value).isFile())
        LoadAnchorImage(); // a failing load clears the name
    else
        FACoverFName.clear();
    StyleChanged();
}

void TMeter::SetBackGroundImg(const QString &Value)
{
    if (IsLoading()) {
        FBakGndFName = Value;
        return;
    }
    if (!Value.isEmpty() && QFileInfo(Value).isFile()) {
        // Loads first and takes the name only on success: an unreadable file raises and leaves the
        // previous picture and name in place.
        AuxBGBmp.LoadFromFile(Value);
        FBakGndFName = Value;
    } else {
        FBakGndFName.clear();
    }
    StyleChanged();
}

void TMeter::SetBkgndFillMode(TBkgFill Value)
{
    FBkgndFillMode = Value;
    StyleChanged();
}

void TMeter::SetCaption(const QString &Value)
{
    FCaption = Value;
    UpdateAccessibleName();
    StyleChanged();
}

void TMeter::SetColorBakG(TColor Value)
{
    if (Store(FColorBakG, Value)) StyleChanged();
}
void TMeter::SetColorCover(TColor Value)
{
    if (Store(FColorCover, Value)) StyleChanged();
}
void TMeter::SetColorScale(TColor Value)
{
    if (Store(FColorScale, Value)) StyleChanged();
}

void TMeter::SetColorScheme(TColorScheme Value)
{
    if (!Store(FColorScheme, Value)) return;
    FrameLineColors(Value, FColGrayLine, FColWhiteLine);
    StyleChanged();
}

void TMeter::SetColorSclBkLow(TColor Value)
{
    if (Store(FColorSclBkLow, Value)) StyleChanged();
}
void TMeter::SetColorSclBkNorm(TColor Value)
{
    if (Store(FColorSclBkNorm, Value)) StyleChanged();
}
void TMeter::SetColorSclBkHigh(TColor Value)
{
    if (Store(FColorSclBkHigh, Value)) StyleChanged();
}
void TMeter::SetFrameStyle(TFrameStyle Value)
{
    if (Store(FFrameStyle, Value)) StyleChanged();
}
void TMeter::SetLimWatchHighOn(bool Value)
{
    if (Store(FLimWatchHighOn, Value)) StyleChanged();
}
void TMeter::SetLimWatchLowOn(bool Value)
{
    if (Store(FLimWatchLowOn, Value)) StyleChanged();
}
void TMeter::SetLimWatchActColor(TColor Value)
{
    if (Store(FLimWatchActColor, Value)) StyleChanged();
}
void TMeter::SetLimWatchPsvColor(TColor Value)
{
    if (Store(FLimWatchPsvColor, Value)) StyleChanged();
}
void TMeter::SetMeterScaleLine(bool Value)
{
    if (Store(FMeterScaleLine, Value)) StyleChanged();
}

void TMeter::SetNeedleLayout(const TNeedleLayout *Value)
{
    if (Value) FNeedleLayout->Assign(*Value); // the layout's change link repaints
}

void TMeter::SetNeedleLayoutSec(const TNeedleLayout *Value)
{
    if (Value) FNeedleLayoutSec->Assign(*Value);
}

void TMeter::SetScaleBkWidth(double Value)
{
    if (std::isnan(Value)) return;
    FScaleBkWidth = ClampTo(Value, 0, 100);
    StyleChanged();
}

void TMeter::SetScaleBkVisible(bool Value)
{
    FScaleBkVisible = Value;
    StyleChanged();
}

void TMeter::SetScaleVisible(bool Value)
{
    FScaleVisible = Value;
    StyleChanged();
}

// ---- mouse ------------------------------------------------------------------------------------------

void TMeter::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    MouseMoveInMeter(Shift, X, Y);
}

void TMeter::MouseMoveInMeter(TShiftState Shift, int X, int Y)
{
    double v = 0;
    const bool within = ConvertPixelToValue(X, Y, v);
    if (FOnMouseMoveInMeter) FOnMouseMoveInMeter(this, within, Shift, v);
}

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

// Everything the dial picture (background, band, scale, caption) is made from, with colours
// resolved, so that a palette change is noticed as well.
struct TMeter::TDialKey
{
    int W = 0, H = 0, A = 0, CX = 0, CY = 0;
    double R = 0, Min = 0, Max = 0, Low = 0, High = 0, BandWidth = 0;
    bool Log = false, Band = false, Scale = false, Line = false, Short = false, HasBg = false;
    int NrTicks = 0, Dec = 0, FillMode = 0;
    qint64 BgKey = 0;
    TColor BakG = 0, ScaleColor = 0, BandLow = 0, BandNorm = 0, BandHigh = 0, FontColor = 0, CapColor = 0;
    QString FontName, CapName, Caption;
    int FontSize = 0, CapSize = 0, FontOrient = 0, CapOrient = 0, FontQuality = 0, CapQuality = 0;
    unsigned FontStyle = 0, CapStyle = 0;
    bool operator==(const TDialKey &) const = default;
};

struct TMeter::TDialCache
{
    TDialKey K;
    QImage Picture;
    // The canvas state the drawing left behind, handed on to the later steps and handlers.
    TColor PenColor = clBlack, BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    QPoint PenPos;
    TFont Font;
};

void TMeter::MakeDialKey(TDialKey &k) const
{
    k.W = width();
    k.H = height();
    k.A = FMeterAngle;
    k.CX = FMeterCenterX;
    k.CY = FMeterCenterY;
    k.R = FMeterRadius;
    k.Min = FMinValue;
    k.Max = FMaxValue;
    k.Low = FLowThreshold;
    k.High = FHighThreshold;
    k.BandWidth = FScaleBkWidth;
    k.Log = FLogarithmic;
    k.Band = FScaleBkVisible;
    k.Scale = FScaleVisible;
    k.Line = FMeterScaleLine;
    k.Short = FShortTicks;
    k.HasBg = !FBakGndFName.isEmpty();
    k.NrTicks = FNrTicks;
    k.Dec = FDecPlaces;
    k.FillMode = FBkgndFillMode;
    k.BgKey = k.HasBg ? AuxBGBmp.Image().cacheKey() : 0;
    k.BakG = ColorToRGB(FColorBakG);
    k.ScaleColor = ColorToRGB(FColorScale);
    k.BandLow = ColorToRGB(FColorSclBkLow);
    k.BandNorm = ColorToRGB(FColorSclBkNorm);
    k.BandHigh = ColorToRGB(FColorSclBkHigh);
    const TFont *f = Font();
    k.FontName = f->Name();
    k.FontSize = f->Size();
    k.FontOrient = f->Orientation();
    k.FontStyle = f->Style();
    k.FontQuality = int(f->Quality());
    k.FontColor = ColorToRGB(f->Color());
    k.CapName = FFontCaption.Name();
    k.CapSize = FFontCaption.Size();
    k.CapOrient = FFontCaption.Orientation();
    k.CapStyle = FFontCaption.Style();
    k.CapQuality = int(FFontCaption.Quality());
    k.CapColor = ColorToRGB(FFontCaption.Color());
    k.Caption = FCaption;
}

bool TMeter::RestoreDial(TCanvas *C)
{
    if (!FDial || FOnBeforeDrawScaleLabel) return false;
    TDialKey key;
    MakeDialKey(key);
    if (!(FDial->K == key)) return false;
    QPainter *p = C->Handle();
    if (!p) return false;
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(0, 0, FDial->Picture);
    p->restore();
    C->Pen()->SetColor(FDial->PenColor);
    C->Brush()->SetColor(FDial->BrushColor);
    C->Brush()->SetStyle(FDial->BrushStyle);
    C->SetPenPos(FDial->PenPos);
    C->SetFont(FDial->Font);
    return true;
}

void TMeter::KeepDial(TCanvas *C)
{
    if (FOnBeforeDrawScaleLabel) {
        FDial.reset();
        return;
    }
    if (!FDial) FDial = std::make_unique<TDialCache>();
    MakeDialKey(FDial->K);
    FDial->Picture = C->Image()->copy();
    FDial->PenColor = C->Pen()->Color();
    FDial->BrushColor = C->Brush()->Color();
    FDial->BrushStyle = C->Brush()->Style();
    FDial->PenPos = C->PenPos();
    FDial->Font.Assign(*C->Font());
}

void TMeter::Paint()
{
    EnsureLayout();
    const int W = width(), H = height();
    TCanvas *C = Canvas();
    // 1. Nothing at all while the radius is not positive: the parent shows through.
    if (!(FMeterRadius > 0)) {
        if (!FDrewNothing) {
            FDrewNothing = true;
            QImage none(1, 1, QImage::Format_Mono);
            none.fill(0);
            SetOutputMask(none);
        }
        return;
    }
    if (FDrewNothing) {
        FDrewNothing = false;
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
        if (FScaleBkVisible) DrawRangeBand(C);
        C->Brush()->SetStyle(bsClear);
        if (FScaleVisible) DrawScale(C);
        if (!FCaption.isEmpty()) {
            C->SetFont(FFontCaption);
            C->TextOut(FMeterCenterX - C->TextWidth(FCaption) / 2,
                       FMeterCenterY - Round(FMeterRadius / 3) - C->TextHeight(FCaption) / 2, FCaption);
        }
        KeepDial(C);
    }

    // The second needle goes under the main one; OnBeforeDrawNeedle concerns the main one only.
    if (FNeedleLayoutSec->Visible()) DrawNeedle(C, *FNeedleLayoutSec, FValue2);
    bool needleDrawn = false;
    if (FOnBeforeDrawNeedle) {
        FOnBeforeDrawNeedle(this, C, needleDrawn);
        C->SetCopyMode(SRCCOPY);
    }
    if (!needleDrawn) DrawNeedle(C, *FNeedleLayout, FValue);

    // Rims, anchor and lamps cover whatever was drawn so far.
    PlainPen(C, FColorCover);
    SolidBrush(C, FColorCover);
    C->Rectangle(0, 0, FSRim - 1, H);
    C->Rectangle(0, 0, W, FTRim);
    C->Rectangle(W - FSRim, 0, W, H);
    C->Rectangle(0, H - FBRim, W, H);
    DrawAnchor(C, W, H);
    if (FLimWatchHighOn) DrawLamp(C, W - FSRim - 18, FTRim + 8, FOFL);
    if (FLimWatchLowOn) DrawLamp(C, FSRim + 8, FTRim + 8, FUFL);
    if (FOnMeterRendered) {
        FOnMeterRendered(this, C);
        C->SetCopyMode(SRCCOPY);
    }
    DrawFrameLines(C, W, H);
}

void TMeter::DrawBackground(TCanvas *C, int W, int H)
{
    if (FBakGndFName.isEmpty()) {
        C->SetFont(*Font());
        PlainPen(C, FColorBakG);
        SolidBrush(C, FColorBakG);
        C->Rectangle(0, 0, W, H);
        return;
    }
    const int w = AuxBGBmp.Width(), h = AuxBGBmp.Height();
    switch (FBkgndFillMode) {
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
    const double R = FMeterRadius;
    const int CX = FMeterCenterX, CY = FMeterCenterY, A = FMeterAngle;
    const int Ro = Round(R + 4);
    const int Ri = Round((100 - FScaleBkWidth) * R / 100);
    auto phi = [&](double v) { return MeterDrawAngle(v, FMinValue, FMaxValue, FLogarithmic, A) * kDeg; };
    const double a0 = phi(FMinValue), aL = phi(FLowThreshold), aH = phi(FHighThreshold), a1 = phi(FMaxValue);
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
    sector(FColorSclBkLow, aL, a0);
    sector(FColorSclBkNorm, aH, aL);
    sector(FColorSclBkHigh, a1, aH);
    PlainPen(C, FColorBakG);
    SolidBrush(C, FColorBakG);
    C->Ellipse(CX - Ri, CY - Ri, CX + Ri + 1, CY + Ri);
}

void TMeter::DrawScale(TCanvas *C)
{
    // A range without width (only possible from stored values) gets no scale.
    if (!MeterRangeUsable(FMinValue, FMaxValue)) return;
    const double R = FMeterRadius;
    const int CX = FMeterCenterX, CY = FMeterCenterY, A = FMeterAngle;
    auto phi = [&](double v) { return MeterDrawAngle(v, FMinValue, FMaxValue, FLogarithmic, A); };
    auto rayLine = [&](double v, double Inner) {
        const double f = phi(v);
        const QPoint p = MeterPointOnRay(CX, CY, R, f);
        const QPoint q = MeterPointOnRay(CX, CY, R - Inner, f);
        C->MoveTo(p.x(), p.y());
        C->LineTo(q.x(), q.y());
    };
    PlainPen(C, FColorScale);
    if (FMeterScaleLine) {
        const int Rr = Round(R);
        const QPoint p1 = MeterPointOnRay(CX, CY, R, phi(FMaxValue));
        const QPoint p0 = MeterPointOnRay(CX, CY, R, phi(FMinValue));
        C->Arc(CX - Rr, CY - Rr, CX + Rr + 1, CY + Rr, p1.x(), p1.y(), p0.x(), p0.y());
    }
    const TMeterTickStep step = CalcMeterTickStep(FMinValue, FMaxValue, FNrTicks);
    if (FShortTicks)
        for (double v : MeterMinorTicks(FMinValue, FMaxValue, step))
            rayLine(v, 4);
    C->SetFont(*Font());
    const QString maxText = MeterLabelText(FMaxValue, FDecPlaces);
    const double dX = C->TextWidth(maxText) / 2.0 + 15;
    const double dY = C->TextHeight(maxText) / 2.0 + 15;
    for (const TMeterMajorTick &t : MeterMajorTicks(FMinValue, FMaxValue, FLogarithmic, step)) {
        rayLine(t.Value, 8);
        if (!t.Labelled) continue;
        const double f = phi(t.Value) * kDeg;
        const int X = CX + Round(std::cos(f) * (R - dX));
        const int Y = CY - Round(std::sin(f) * (R - dY));
        QString text = MeterLabelText(t.Value, FDecPlaces);
        if (FOnBeforeDrawScaleLabel) {
            FOnBeforeDrawScaleLabel(this, C, text, X - C->TextWidth(text) / 2, Y - C->TextHeight(text) / 2);
            C->SetCopyMode(SRCCOPY);
        }
        if (!text.isEmpty()) C->TextOut(X - C->TextWidth(text) / 2, Y - C->TextHeight(text) / 2, text);
    }
}

void TMeter::DrawNeedle(TCanvas *C, const TNeedleLayout &Layout, double Value)
{
    const double R = FMeterRadius;
    const double CX = FMeterCenterX, CY = FMeterCenterY;
    const double theta = MeterDrawAngle(Value, FMinValue, FMaxValue, FLogarithmic, FMeterAngle) * kDeg;
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
    C->MoveTo(FSRim - 1, H - FBRim);
    C->LineTo(W - FSRim, H - FBRim);
    C->LineTo(W - FSRim, FTRim);
    C->Pen()->SetColor(clGray);
    C->LineTo(FSRim - 1, FTRim);
    C->LineTo(FSRim - 1, H - FBRim);
}

void TMeter::DrawAnchor(TCanvas *C, int W, int H)
{
    const int CX = FMeterCenterX, CY = FMeterCenterY, AS = FAnchorSize;
    const int L = CX - AS, T = CY - AS, R = CX + AS, B = CY + AS;
    if (!FAnchorCovered) {
        DrawBevel(C, W, H);
    } else if (!FACoverFName.isEmpty()) {
        DrawBevel(C, W, H);
        // Black pixels transparent: AND the mask (white there), then OR the picture.
        const int x = CX - AuxACBmp.Width() / 2, y = CY - AuxACBmp.Height() / 2;
        C->SetCopyMode(SRCAND);
        C->Draw(x, y, AuxACMaskBmp);
        C->SetCopyMode(SRCPAINT);
        C->Draw(x, y, AuxACBmp);
        C->SetCopyMode(SRCCOPY);
    } else if (FMeterLayout == mlCirc270 || FMeterLayout == mlCirc300 || FMeterLayout == mlCirc360) {
        C->Ellipse(L, T, R, B);
        DrawBevel(C, W, H);
        C->Pen()->SetColor(clWhite);
        C->Arc(L, T, R, B, R, T, L, B);
        C->Pen()->SetColor(clGray);
        C->Arc(L, T, R, B, L, B, R, T);
    } else {
        // A half disc standing on the bottom rim.
        C->Pie(L, T, R, B, W, CY, 0, CY);
        C->Rectangle(CX - AS, H - FBRim, CX + AS, CY);
        C->Pen()->SetColor(clGray);
        C->MoveTo(CX + AS - 1, CY);
        C->LineTo(CX + AS - 1, H - FBRim);
        C->Pen()->SetColor(clWhite);
        C->LineTo(W - FSRim, H - FBRim);
        C->LineTo(W - FSRim, FTRim);
        C->Pen()->SetColor(clGray);
        C->LineTo(FSRim - 1, FTRim);
        C->LineTo(FSRim - 1, H - FBRim);
        C->Pen()->SetColor(clWhite);
        C->LineTo(CX - AS, H - FBRim);
        C->LineTo(CX - AS, CY - 1);
        C->Arc(L, T, R, B, W, CY, 0, CY);
        C->Pen()->SetColor(clGray);
        C->Arc(L, T, R, B, CX + AS, CY, CX + AS, CY - AS);
    }
}

void TMeter::DrawLamp(TCanvas *C, int X0, int Y0, bool Lit)
{
    SolidBrush(C, Lit ? FLimWatchActColor : FLimWatchPsvColor);
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
    PlainPen(C, FFrameStyle == fsEmbossed ? FColWhiteLine : FColGrayLine);
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
    switch (FFrameStyle) {
    case fsNone:
        break;
    case fsSimple:
        DrawFrame(C, fsSimple, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, FColorBakG);
        break;
    case fsLowered:
        outline(FColGrayLine, FColWhiteLine);
        break;
    case fsRaised:
        outline(FColWhiteLine, FColGrayLine);
        break;
    case fsEmbossed:
        etched(FColWhiteLine, FColGrayLine);
        break;
    case fsEngraved:
        etched(FColGrayLine, FColWhiteLine);
        break;
    }
}

} // namespace kro
