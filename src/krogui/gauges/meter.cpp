#include <krogui/core/kromath.h>
#include <krogui/core/property.h>
#include <krogui/gauges/meter.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <QFileInfo>
#include <QPainter>

#include <cmath>

namespace kro {

struct TMeterPrivate
{
    double FMinValue = 0, FMaxValue = 1;
    double FValue = 0, FValue2 = 0;
    double FLowThreshold = 0, FHighThreshold = 1;
    bool FLogarithmic = false;
    int FNrTicks = 3;
    int FDecPlaces = 1;
    bool FShortTicks = true;
    TMeterLayout FMeterLayout = mlCirc90;
    int FTRim = 8, FSRim = 10, FBRim = 10;
    bool FOFL = false, FUFL = false;
    mutable int FMeterAngle = 90;
    mutable double FMeterRadius = 0;
    mutable int FMeterCenterX = 0, FMeterCenterY = 0;
    mutable QSize FLayoutSize;
    int FAnchorSize = 24;
    bool FAnchorCovered = true;
    TBkgFill FBkgndFillMode = bfSimple;
    QString FCaption;
    TColor FColorBakG = clWhite;
    TColor FColorCover = clBtnFace;
    TColor FColorScale = 0x800000;
    TColorScheme FColorScheme = csBWG;
    TColor FColorSclBkLow = 0x00FF00;
    TColor FColorSclBkNorm = 0x0080FF;
    TColor FColorSclBkHigh = 0x0000FF;
    TFrameStyle FFrameStyle = fsRaised;
    bool FLimWatchHighOn = true, FLimWatchLowOn = true;
    TColor FLimWatchActColor = 0x0000FF;
    TColor FLimWatchPsvColor = 0x808080;
    bool FMeterScaleLine = true;
    double FScaleBkWidth = 0;
    bool FScaleBkVisible = false;
    bool FScaleVisible = true;
    TColor FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
    std::unique_ptr<TNeedleLayout> FNeedleLayout, FNeedleLayoutSec;
    TFont FFontCaption;
    QString FBakGndFName, FACoverFName;
    bool FDrewNothing = false;
    std::unique_ptr<TMeter::TDialCache> FDial;
    TNotifyEvent FOnOverFlow, FOnNormalRange, FOnUnderFlow;
    TmtBeforeDrawScaleLabelEvent FOnBeforeDrawScaleLabel;
    TBeforeDrawNeedleEvent FOnBeforeDrawNeedle;
    TMeterRenderedEvent FOnMeterRendered;
    TMouseMoveInMeterEvent FOnMouseMoveInMeter;
};

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

TMeter::TMeter(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TMeterPrivate>())
{
    d->FNeedleLayout = std::make_unique<TNeedleLayout>();
    d->FNeedleLayoutSec = std::make_unique<TNeedleLayout>();
    SetDesignSize(297, 209);
    d->FNeedleLayoutSec->SetVisible(false);
    d->FNeedleLayout->SetOwnerLink([this] { StyleChanged(); });
    d->FNeedleLayoutSec->SetOwnerLink([this] { StyleChanged(); });
    d->FFontCaption.Assign(*Font());
    d->FFontCaption.SetOnChange([this] { StyleChanged(); });
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
    const QString name = d->FCaption.isEmpty() ? QStringLiteral("Meter") : d->FCaption;
    setAccessibleName(QStringLiteral("%1: %2").arg(name, MeterLabelText(d->FValue, d->FDecPlaces)));
}

// ---- geometry -----------------------------------------------------------------------------------

void TMeter::CalcMeterLayoutParams()
{
    UpdateGeometry();
}

void TMeter::UpdateGeometry() const
{
    const TMeterGeometry g =
        CalcMeterGeometry(d->FMeterLayout, width(), height(), d->FTRim, d->FSRim, d->FBRim);
    d->FMeterAngle = g.MeterAngle;
    d->FMeterRadius = g.MeterRadius;
    d->FMeterCenterX = g.MeterCenterX;
    d->FMeterCenterY = g.MeterCenterY;
    d->FLayoutSize = size();
}

void TMeter::EnsureLayout() const
{
    // A layout manager may resize a hidden widget without a resize event reaching us yet.
    if (d->FLayoutSize != size()) UpdateGeometry();
}

int TMeter::MeterAngle() const
{
    EnsureLayout();
    return d->FMeterAngle;
}

double TMeter::MeterRadius() const
{
    EnsureLayout();
    return d->FMeterRadius;
}

int TMeter::MeterCenterX() const
{
    EnsureLayout();
    return d->FMeterCenterX;
}

int TMeter::MeterCenterY() const
{
    EnsureLayout();
    return d->FMeterCenterY;
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
    return MeterNeedleAngle(Value, d->FMinValue, d->FMaxValue, d->FLogarithmic,
                            MeterLayoutSweep(d->FMeterLayout));
}

void TMeter::ConvertToPixelCoords(double Value, double PctRadius, int &X, int &Y) const
{
    EnsureLayout();
    const double a = (-90.0 - CalcNeedleAngle(Value)) * kDeg;
    const double r = PctRadius * 0.01 * d->FMeterRadius;
    X = Round(d->FMeterCenterX + r * std::cos(a));
    Y = Round(d->FMeterCenterY - r * std::sin(a));
}

bool TMeter::ConvertPixelToValue(int XPos, int YPos, double &MeterValue) const
{
    EnsureLayout();
    TMeterGeometry g;
    g.MeterAngle = d->FMeterAngle;
    g.MeterRadius = d->FMeterRadius;
    g.MeterCenterX = d->FMeterCenterX;
    g.MeterCenterY = d->FMeterCenterY;
    return MeterPixelToValue(XPos, YPos, g, d->FMinValue, d->FMaxValue, d->FLogarithmic, MeterValue);
}

// ---- range events -------------------------------------------------------------------------------

void TMeter::DoOverFlowEvent()
{
    if (d->FOnOverFlow) d->FOnOverFlow(this);
}

void TMeter::DoUnderFlowEvent()
{
    if (d->FOnUnderFlow) d->FOnUnderFlow(this);
}

void TMeter::DoNormalRangeEvent()
{
    if (d->FOnNormalRange) d->FOnNormalRange(this);
}

void TMeter::ApplyRangeEvents(double NewValue, bool Fire)
{
    d->FOFL = false;
    d->FUFL = false;
    if (!Fire) return;
    if (NewValue >= d->FHighThreshold) {
        d->FOFL = true;
        DoOverFlowEvent();
    } else if (NewValue > d->FLowThreshold) {
        DoNormalRangeEvent();
    } else {
        d->FUFL = true;
        DoUnderFlowEvent();
    }
}

// ---- value, range and threshold setters -----------------------------------------------------------

void TMeter::SetValue(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) d->FValue = Value;
        return;
    }
    if (Value == d->FValue) return;
    d->FValue = ClampTo(Value, d->FMinValue, d->FMaxValue);
    UpdateAccessibleName();
    ApplyRangeEvents(d->FValue, d->FNeedleLayout->Visible());
    Repaint();
}

void TMeter::SetValueSec(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) d->FValue2 = Value;
        return;
    }
    if (Value == d->FValue2) return;
    d->FValue2 = ClampTo(Value, d->FMinValue, d->FMaxValue);
    ApplyRangeEvents(d->FValue2, d->FNeedleLayoutSec->Visible());
    if (d->FNeedleLayoutSec->Visible()) Repaint();
}

void TMeter::SetMeterMinValue(double Value)
{
    if (!std::isfinite(Value)) return;
    if (IsLoading()) {
        d->FMinValue = Value;
        return;
    }
    if (d->FLogarithmic && Value < kLogFloor) return;
    if (Value == d->FMinValue) return;
    double newMax = d->FMaxValue;
    if (newMax <= Value) {
        newMax = Value + 1;
        if (!(newMax > Value)) // too large for a unit step to show in a double
            newMax = Value + std::abs(Value) * 1e-9;
    }
    if (!MeterRangeUsable(Value, newMax))
        return; // a range that has no finite width: refused, the old one stays
    d->FMinValue = Value;
    d->FMaxValue = newMax;
    d->FValue = std::max(d->FValue, d->FMinValue);
    d->FValue2 = std::max(d->FValue2, d->FMinValue);
    d->FLowThreshold = std::max(d->FLowThreshold, d->FMinValue);
    d->FHighThreshold = std::max(d->FHighThreshold, d->FMinValue);
    UpdateAccessibleName();
    Repaint();
}

void TMeter::SetMeterMaxValue(double Value)
{
    if (!std::isfinite(Value)) return;
    if (IsLoading()) {
        d->FMaxValue = Value;
        return;
    }
    if (d->FLogarithmic && Value < kLogFloor) return;
    if (Value == d->FMaxValue) return;
    double newMin = d->FMinValue;
    if (newMin >= Value) {
        newMin = Value - 1;
        if (!(newMin < Value)) newMin = Value - std::abs(Value) * 1e-9;
        if (d->FLogarithmic && newMin <= 0) newMin = Value / 10;
    }
    if (!MeterRangeUsable(newMin, Value)) return;
    d->FMinValue = newMin;
    d->FMaxValue = Value;
    d->FValue = std::min(d->FValue, d->FMaxValue);
    d->FValue2 = std::min(d->FValue2, d->FMaxValue);
    d->FLowThreshold = std::min(d->FLowThreshold, d->FMaxValue);
    d->FHighThreshold = std::min(d->FHighThreshold, d->FMaxValue);
    UpdateAccessibleName();
    Repaint();
}

void TMeter::SetThresholdLow(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) d->FLowThreshold = Value;
        return;
    }
    if (d->FLogarithmic && Value < kLogFloor) return;
    if (Value == d->FLowThreshold) return;
    d->FLowThreshold = ClampTo(Value, d->FMinValue, d->FMaxValue);
    if (d->FLowThreshold > d->FHighThreshold) d->FHighThreshold = d->FLowThreshold;
    d->FUFL = false;
    if (d->FValue <= d->FLowThreshold) {
        d->FUFL = true;
        DoUnderFlowEvent();
    }
    Repaint();
}

void TMeter::SetThresholdHigh(double Value)
{
    if (std::isnan(Value)) return;
    if (IsLoading()) {
        if (std::isfinite(Value)) d->FHighThreshold = Value;
        return;
    }
    if (d->FLogarithmic && Value < kLogFloor) return;
    if (Value == d->FHighThreshold) return;
    d->FHighThreshold = ClampTo(Value, d->FMinValue, d->FMaxValue);
    if (d->FHighThreshold < d->FLowThreshold) d->FLowThreshold = d->FHighThreshold;
    d->FOFL = false;
    if (d->FValue >= d->FHighThreshold) {
        d->FOFL = true;
        DoOverFlowEvent();
    }
    Repaint();
}

void TMeter::SetLogarithmic(bool Value)
{
    if (IsLoading()) {
        d->FLogarithmic = Value;
        return;
    }
    if (Value == d->FLogarithmic) return;
    d->FLogarithmic = (d->FMinValue <= kLogFloor || d->FMaxValue <= kLogFloor) ? false : Value;
    Repaint();
}

void TMeter::SetMeterNrTicks(int Value)
{
    if (Value == d->FNrTicks) return;
    d->FNrTicks = std::clamp(Value, 2, 21);
    StyleChanged();
}

void TMeter::SetMeterDecPlaces(int Value)
{
    if (Value == d->FDecPlaces) return;
    d->FDecPlaces = std::clamp(Value, 0, 4);
    UpdateAccessibleName();
    StyleChanged();
}

void TMeter::SetMeterShortTicks(bool Value)
{
    if (Store(d->FShortTicks, Value)) StyleChanged();
}

void TMeter::SetMeterLayout(TMeterLayout Value)
{
    if (Value == d->FMeterLayout || Value < mlCirc90 || Value > mlCirc360) return;
    d->FMeterLayout = Value;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::SetRimTop(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(d->FTRim, Value)) return;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::SetRimSide(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(d->FSRim, Value)) return;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::SetRimBottom(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(d->FBRim, Value)) return;
    CalcMeterLayoutParams();
    StyleChanged();
}

void TMeter::Loaded()
{
    TGraphicControl::Loaded();
    d->FValue = ClampTo(d->FValue, d->FMinValue, d->FMaxValue);
    if (!d->FBakGndFName.isEmpty()) {
        try {
            AuxBGBmp.LoadFromFile(d->FBakGndFName);
        } catch (const EKROError &) {
            d->FBakGndFName.clear();
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
    if (Store(d->FAnchorSize, std::clamp(Value, 0, kMaxPixels))) StyleChanged();
}
void TMeter::SetAnchorCovered(bool Value)
{
    if (Store(d->FAnchorCovered, Value)) StyleChanged();
}

void TMeter::LoadAnchorImage()
{
    if (d->FACoverFName.isEmpty()) return;
    try {
        AuxACBmp.LoadFromFile(d->FACoverFName);
    } catch (const EKROError &) {
        d->FACoverFName.clear();
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
    d->FACoverFName = Value;
    if (IsLoading()) return; // Loaded reads the file
    if (!Value.isEmpty() && QFileInfo(Value).isFile())
        LoadAnchorImage(); // a failing load clears the name
    else
        d->FACoverFName.clear();
    StyleChanged();
}

void TMeter::SetBackGroundImg(const QString &Value)
{
    if (IsLoading()) {
        d->FBakGndFName = Value;
        return;
    }
    if (!Value.isEmpty() && QFileInfo(Value).isFile()) {
        // Loads first and takes the name only on success: an unreadable file raises and leaves the
        // previous picture and name in place.
        AuxBGBmp.LoadFromFile(Value);
        d->FBakGndFName = Value;
    } else {
        d->FBakGndFName.clear();
    }
    StyleChanged();
}

void TMeter::SetBkgndFillMode(TBkgFill Value)
{
    d->FBkgndFillMode = Value;
    StyleChanged();
}

void TMeter::SetCaption(const QString &Value)
{
    d->FCaption = Value;
    UpdateAccessibleName();
    StyleChanged();
}

void TMeter::SetColorBakG(TColor Value)
{
    if (Store(d->FColorBakG, Value)) StyleChanged();
}
void TMeter::SetColorCover(TColor Value)
{
    if (Store(d->FColorCover, Value)) StyleChanged();
}
void TMeter::SetColorScale(TColor Value)
{
    if (Store(d->FColorScale, Value)) StyleChanged();
}

void TMeter::SetColorScheme(TColorScheme Value)
{
    if (!Store(d->FColorScheme, Value)) return;
    FrameLineColors(Value, d->FColGrayLine, d->FColWhiteLine);
    StyleChanged();
}

void TMeter::SetColorSclBkLow(TColor Value)
{
    if (Store(d->FColorSclBkLow, Value)) StyleChanged();
}
void TMeter::SetColorSclBkNorm(TColor Value)
{
    if (Store(d->FColorSclBkNorm, Value)) StyleChanged();
}
void TMeter::SetColorSclBkHigh(TColor Value)
{
    if (Store(d->FColorSclBkHigh, Value)) StyleChanged();
}
void TMeter::SetFrameStyle(TFrameStyle Value)
{
    if (Store(d->FFrameStyle, Value)) StyleChanged();
}
void TMeter::SetLimWatchHighOn(bool Value)
{
    if (Store(d->FLimWatchHighOn, Value)) StyleChanged();
}
void TMeter::SetLimWatchLowOn(bool Value)
{
    if (Store(d->FLimWatchLowOn, Value)) StyleChanged();
}
void TMeter::SetLimWatchActColor(TColor Value)
{
    if (Store(d->FLimWatchActColor, Value)) StyleChanged();
}
void TMeter::SetLimWatchPsvColor(TColor Value)
{
    if (Store(d->FLimWatchPsvColor, Value)) StyleChanged();
}
void TMeter::SetMeterScaleLine(bool Value)
{
    if (Store(d->FMeterScaleLine, Value)) StyleChanged();
}

void TMeter::SetNeedleLayout(const TNeedleLayout *Value)
{
    if (Value) d->FNeedleLayout->Assign(*Value); // the layout's change link repaints
}

void TMeter::SetNeedleLayoutSec(const TNeedleLayout *Value)
{
    if (Value) d->FNeedleLayoutSec->Assign(*Value);
}

void TMeter::SetScaleBkWidth(double Value)
{
    if (std::isnan(Value)) return;
    d->FScaleBkWidth = ClampTo(Value, 0, 100);
    StyleChanged();
}

void TMeter::SetScaleBkVisible(bool Value)
{
    d->FScaleBkVisible = Value;
    StyleChanged();
}

void TMeter::SetScaleVisible(bool Value)
{
    d->FScaleVisible = Value;
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
    if (d->FOnMouseMoveInMeter) d->FOnMouseMoveInMeter(this, within, Shift, v);
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
    if (!d->FDial || d->FOnBeforeDrawScaleLabel) return false;
    TDialKey key;
    MakeDialKey(key);
    if (!(d->FDial->K == key)) return false;
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

void TMeter::KeepDial(TCanvas *C)
{
    if (d->FOnBeforeDrawScaleLabel) {
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
    if (d->FOnBeforeDrawNeedle) {
        d->FOnBeforeDrawNeedle(this, C, needleDrawn);
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
    if (d->FOnMeterRendered) {
        d->FOnMeterRendered(this, C);
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
        if (d->FOnBeforeDrawScaleLabel) {
            d->FOnBeforeDrawScaleLabel(this, C, text, X - C->TextWidth(text) / 2,
                                       Y - C->TextHeight(text) / 2);
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
