#include <krogui/core/kromath.h>
#include <krogui/core/property.h>
#include <krogui/gauges/meter.h>
#include <krogui/gauges/meter_p.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

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
    // In a layout the meter prefers the height at which its scale fills it.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
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

bool TMeter::AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const
{
    Value = d->FValue;
    Minimum = d->FMinValue;
    Maximum = d->FMaxValue;
    return true;
}

QSize TMeter::minimumSizeHint() const
{
    // A scale of 45 pixels radius still shows its ticks, end labels, needle and lamps. Scales that
    // run round the centre put labels beside it, where the anchor disc would cover them.
    const bool round = MeterLayoutSweep(d->FMeterLayout) >= 270 && d->FAnchorCovered;
    const double radius = 45 + (round ? d->FAnchorSize : 0);
    return MeterSizeForRadius(d->FMeterLayout, radius, d->FTRim, d->FSRim, d->FBRim)
        .expandedTo(QSize(100, 60))
        .boundedTo(QSize(4000, 4000));
}

int TMeter::heightForWidth(int Width) const
{
    return MeterHeightForWidth(d->FMeterLayout, Width, d->FTRim, d->FSRim, d->FBRim);
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
    Q_EMIT onOverFlow(this);
}

void TMeter::DoUnderFlowEvent()
{
    if (d->FOnUnderFlow) d->FOnUnderFlow(this);
    Q_EMIT onUnderFlow(this);
}

void TMeter::DoNormalRangeEvent()
{
    if (d->FOnNormalRange) d->FOnNormalRange(this);
    Q_EMIT onNormalRange(this);
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

void TMeter::NotifyValues(double OldValue, double OldValueSec)
{
    if (d->FValue != OldValue) {
        NotifyAccessibleValueChanged();
        Q_EMIT ValueChanged(d->FValue);
    }
    if (d->FValue2 != OldValueSec) Q_EMIT ValueSecChanged(d->FValue2);
}

void TMeter::SetValue(double Value)
{
    if (std::isnan(Value)) return;
    const double old = d->FValue;
    if (IsLoading()) {
        if (std::isfinite(Value)) d->FValue = Value;
        NotifyValues(old, d->FValue2);
        return;
    }
    if (Value == d->FValue) return;
    d->FValue = ClampTo(Value, d->FMinValue, d->FMaxValue);
    UpdateAccessibleName();
    ApplyRangeEvents(d->FValue, d->FNeedleLayout->Visible());
    Repaint();
    NotifyValues(old, d->FValue2);
}

void TMeter::SetValueSec(double Value)
{
    if (std::isnan(Value)) return;
    const double old = d->FValue2;
    if (IsLoading()) {
        if (std::isfinite(Value)) d->FValue2 = Value;
        NotifyValues(d->FValue, old);
        return;
    }
    if (Value == d->FValue2) return;
    d->FValue2 = ClampTo(Value, d->FMinValue, d->FMaxValue);
    ApplyRangeEvents(d->FValue2, d->FNeedleLayoutSec->Visible());
    if (d->FNeedleLayoutSec->Visible()) Repaint();
    NotifyValues(d->FValue, old);
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
    const double oldValue = d->FValue, oldValueSec = d->FValue2;
    d->FMinValue = Value;
    d->FMaxValue = newMax;
    d->FValue = std::max(d->FValue, d->FMinValue);
    d->FValue2 = std::max(d->FValue2, d->FMinValue);
    d->FLowThreshold = std::max(d->FLowThreshold, d->FMinValue);
    d->FHighThreshold = std::max(d->FHighThreshold, d->FMinValue);
    UpdateAccessibleName();
    Repaint();
    NotifyValues(oldValue, oldValueSec);
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
    const double oldValue = d->FValue, oldValueSec = d->FValue2;
    d->FMinValue = newMin;
    d->FMaxValue = Value;
    d->FValue = std::min(d->FValue, d->FMaxValue);
    d->FValue2 = std::min(d->FValue2, d->FMaxValue);
    d->FLowThreshold = std::min(d->FLowThreshold, d->FMaxValue);
    d->FHighThreshold = std::min(d->FHighThreshold, d->FMaxValue);
    UpdateAccessibleName();
    Repaint();
    NotifyValues(oldValue, oldValueSec);
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
    updateGeometry(); // layout and rims decide the minimum and the height for a width
    StyleChanged();
}

void TMeter::SetRimTop(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(d->FTRim, Value)) return;
    CalcMeterLayoutParams();
    updateGeometry(); // layout and rims decide the minimum and the height for a width
    StyleChanged();
}

void TMeter::SetRimSide(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(d->FSRim, Value)) return;
    CalcMeterLayoutParams();
    updateGeometry(); // layout and rims decide the minimum and the height for a width
    StyleChanged();
}

void TMeter::SetRimBottom(int Value)
{
    Value = std::clamp(Value, 0, kMaxPixels);
    if (!Store(d->FBRim, Value)) return;
    CalcMeterLayoutParams();
    updateGeometry(); // layout and rims decide the minimum and the height for a width
    StyleChanged();
}

void TMeter::Loaded()
{
    TGraphicControl::Loaded();
    const double oldValue = d->FValue, oldValueSec = d->FValue2;
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
    NotifyValues(oldValue, oldValueSec);
}

// ---- look setters ---------------------------------------------------------------------------------

void TMeter::SetAnchorSize(int Value)
{
    if (!Store(d->FAnchorSize, std::clamp(Value, 0, kMaxPixels))) return;
    updateGeometry();
    StyleChanged();
}
void TMeter::SetAnchorCovered(bool Value)
{
    if (!Store(d->FAnchorCovered, Value)) return;
    updateGeometry();
    StyleChanged();
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
    if (!IsDeclaredValue(Value)) return;
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
    if (!IsDeclaredValue(Value)) return;
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
    if (!IsDeclaredValue(Value)) return;
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
    Q_EMIT onMouseMoveInMeter(this, within, Shift, v);
}

} // namespace kro
