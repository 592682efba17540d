#pragma once
// TMeter: an analogue meter with a circular scale, major and minor ticks with labels, a main and a
// second needle, coloured range bands, two limit lamps, cover rims and an anchor disc or image.

#include <krogui/graphics/bitmap.h>
#include <krogui/core/control.h>
#include <krogui/gauges/meterscale.h>
#include <krogui/gauges/needlelayout.h>

#include <memory>

namespace kro {

/// Called before a scale label is drawn: CurrentTickLabel may be changed (an empty text suppresses
/// the label); ChartX, ChartY are the top-left corner the unchanged text would get.
using TmtBeforeDrawScaleLabelEvent =
    std::function<void(QObject *Sender, TCanvas *Canvas, QString &CurrentTickLabel, int ChartX, int ChartY)>;
/// Called before the main needle is drawn; setting NeedleDrawn skips the built-in needle.
using TBeforeDrawNeedleEvent = std::function<void(QObject *Sender, TCanvas *Canvas, bool &NeedleDrawn)>;
/// Called when the meter picture is complete except for the frame.
using TMeterRenderedEvent = std::function<void(QObject *Sender, TCanvas *Canvas)>;
/// Called on every mouse move: the value under the pointer and whether it lies within the scale's
/// angular range (MeterValue is 0 when not).
using TMouseMoveInMeterEvent =
    std::function<void(QObject *Sender, bool WithinRange, TShiftState Shift, double MeterValue)>;

class KROGUI_EXPORT TMeter : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(int AnchorSize READ AnchorSize WRITE SetAnchorSize)
    Q_PROPERTY(bool AnchorCovered READ AnchorCovered WRITE SetAnchorCovered)
    Q_PROPERTY(QString AnchorImage READ AnchorImage WRITE SetAnchorImage)
    Q_PROPERTY(QString BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
    Q_PROPERTY(kro::TBkgFill BkgndFillMode READ BkgndFillMode WRITE SetBkgndFillMode)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(kro::TColor ColorBakG READ ColorBakG WRITE SetColorBakG)
    Q_PROPERTY(kro::TColor ColorCover READ ColorCover WRITE SetColorCover)
    Q_PROPERTY(kro::TColor ColorScale READ ColorScale WRITE SetColorScale)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(kro::TColor ColorSclBkLow READ ColorSclBkLow WRITE SetColorSclBkLow)
    Q_PROPERTY(kro::TColor ColorSclBkNorm READ ColorSclBkNorm WRITE SetColorSclBkNorm)
    Q_PROPERTY(kro::TColor ColorSclBkHigh READ ColorSclBkHigh WRITE SetColorSclBkHigh)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(bool LimWatchHighOn READ LimWatchHighOn WRITE SetLimWatchHighOn)
    Q_PROPERTY(bool LimWatchLowOn READ LimWatchLowOn WRITE SetLimWatchLowOn)
    Q_PROPERTY(kro::TColor LimWatchActColor READ LimWatchActColor WRITE SetLimWatchActColor)
    Q_PROPERTY(kro::TColor LimWatchPsvColor READ LimWatchPsvColor WRITE SetLimWatchPsvColor)
    Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
    Q_PROPERTY(double ThresholdLow READ ThresholdLow WRITE SetThresholdLow)
    Q_PROPERTY(double ThresholdHigh READ ThresholdHigh WRITE SetThresholdHigh)
    Q_PROPERTY(double MeterMinValue READ MeterMinValue WRITE SetMeterMinValue)
    Q_PROPERTY(double MeterMaxValue READ MeterMaxValue WRITE SetMeterMaxValue)
    Q_PROPERTY(int MeterDecPlaces READ MeterDecPlaces WRITE SetMeterDecPlaces)
    Q_PROPERTY(int MeterNrTicks READ MeterNrTicks WRITE SetMeterNrTicks)
    Q_PROPERTY(kro::MeterEnums::TMeterLayout MeterLayout READ MeterLayout WRITE SetMeterLayout)
    Q_PROPERTY(bool MeterShortTicks READ MeterShortTicks WRITE SetMeterShortTicks)
    Q_PROPERTY(bool MeterScaleLine READ MeterScaleLine WRITE SetMeterScaleLine)
    Q_PROPERTY(int RimBottom READ RimBottom WRITE SetRimBottom)
    Q_PROPERTY(int RimTop READ RimTop WRITE SetRimTop)
    Q_PROPERTY(int RimSide READ RimSide WRITE SetRimSide)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double ValueSec READ ValueSec WRITE SetValueSec)
    Q_PROPERTY(kro::TNeedleLayout *NeedleLayout READ NeedleLayout WRITE SetNeedleLayout)
    Q_PROPERTY(kro::TNeedleLayout *NeedleLayoutSec READ NeedleLayoutSec WRITE SetNeedleLayoutSec)
    Q_PROPERTY(double ScaleBkWidth READ ScaleBkWidth WRITE SetScaleBkWidth)
    Q_PROPERTY(bool ScaleBkVisible READ ScaleBkVisible WRITE SetScaleBkVisible)
    Q_PROPERTY(bool ScaleVisible READ ScaleVisible WRITE SetScaleVisible)
public:
    /// A meter of 297 x 209 pixels: range 0..1, three major intervals, one decimal, a 90-degree
    /// scale, visible main needle, hidden second needle.
    explicit TMeter(QWidget *Parent = nullptr);
    ~TMeter() override;

    // ---- range, value and scale -------------------------------------------------------------
    /// Value of the main needle, clamped to the range. A change fires a range event when
    /// NeedleLayout is visible (OnOverFlow at or above ThresholdHigh, OnNormalRange above
    /// ThresholdLow, OnUnderFlow otherwise), then repaints. NaN is ignored.
    double Value() const { return FValue; }
    void SetValue(double Value);
    /// Value of the second needle; as Value, with NeedleLayoutSec deciding about events and repaint.
    double ValueSec() const { return FValue2; }
    void SetValueSec(double Value);
    /// Lower end of the scale. Raises the maximum to min + 1 when needed and lifts values and
    /// thresholds below it. Ignored below 1e-100 on a logarithmic scale, and when not finite.
    double MeterMinValue() const { return FMinValue; }
    void SetMeterMinValue(double Value);
    /// Upper end of the scale. Lowers the minimum to max - 1 when needed (max / 10 on a
    /// logarithmic scale that would reach 0) and lowers values and thresholds above it. Ignored
    /// below 1e-100 on a logarithmic scale, and when not finite.
    double MeterMaxValue() const { return FMaxValue; }
    void SetMeterMaxValue(double Value);
    /// Threshold between the low and the normal range, clamped to the scale; pushes ThresholdHigh
    /// up when above it; sets the underflow flag and fires OnUnderFlow when Value is at or below it.
    double ThresholdLow() const { return FLowThreshold; }
    void SetThresholdLow(double Value);
    /// Threshold between the normal and the high range, clamped to the scale; pushes ThresholdLow
    /// down when below it; sets the overflow flag and fires OnOverFlow when Value is at or above it.
    double ThresholdHigh() const { return FHighThreshold; }
    void SetThresholdHigh(double Value);
    /// Logarithmic scale; refused (stays false) while a range end is not above 1e-100.
    bool Logarithmic() const { return FLogarithmic; }
    void SetLogarithmic(bool Value);
    /// The least number of major scale intervals, clamped to 2..21.
    int MeterNrTicks() const { return FNrTicks; }
    void SetMeterNrTicks(int Value);
    /// Decimals of the tick labels, clamped to 0..4.
    int MeterDecPlaces() const { return FDecPlaces; }
    void SetMeterDecPlaces(int Value);
    /// Minor ticks between the major ones.
    bool MeterShortTicks() const { return FShortTicks; }
    void SetMeterShortTicks(bool Value);
    /// Sweep and shape of the scale; recomputes the geometry.
    TMeterLayout MeterLayout() const { return FMeterLayout; }
    void SetMeterLayout(TMeterLayout Value);
    /// Widths in pixels of the cover strips along the top, both sides and the bottom; a change
    /// recomputes the geometry.
    int RimTop() const { return FTRim; }
    void SetRimTop(int Value);
    int RimSide() const { return FSRim; }
    void SetRimSide(int Value);
    int RimBottom() const { return FBRim; }
    void SetRimBottom(int Value);

    // ---- look -----------------------------------------------------------------------------
    /// Radius of the anchor disc in pixels.
    int AnchorSize() const { return FAnchorSize; }
    void SetAnchorSize(int Value);
    /// Draw the anchor (disc or image) over the needle's base.
    bool AnchorCovered() const { return FAnchorCovered; }
    void SetAnchorCovered(bool Value);
    /// Picture file drawn as anchor, black pixels transparent. A file that is missing or cannot
    /// be read clears the name.
    QString AnchorImage() const { return FACoverFName; }
    void SetAnchorImage(const QString &Value);
    /// Background picture file. A missing file clears the name; a file that exists but cannot be
    /// read raises EKROError and keeps the previous picture and name.
    QString BackGroundImg() const { return FBakGndFName; }
    void SetBackGroundImg(const QString &Value);
    /// How the background picture fills the control: own size, stretched or tiled.
    TBkgFill BkgndFillMode() const { return FBkgndFillMode; }
    void SetBkgndFillMode(TBkgFill Value);
    /// Text drawn above the centre with FontCaption.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    /// The caption's font (a copy of Font at construction); changing it repaints.
    TFont *FontCaption() { return &FFontCaption; }
    void SetFontCaption(const TFont &Value) { FFontCaption.Assign(Value); }
    /// Background colour, also the inside of the range band and the colour of the simple frame.
    TColor ColorBakG() const { return FColorBakG; }
    void SetColorBakG(TColor Value);
    /// Colour of the rims and the anchor disc.
    TColor ColorCover() const { return FColorCover; }
    void SetColorCover(TColor Value);
    /// Pen colour of the scale line and ticks (labels use Font).
    TColor ColorScale() const { return FColorScale; }
    void SetColorScale(TColor Value);
    /// Frame line colours: fixed gray and white (csBWG) or the system shadow and highlight.
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme Value);
    /// Range band colours from the minimum to ThresholdLow, between the thresholds, and from
    /// ThresholdHigh to the maximum.
    TColor ColorSclBkLow() const { return FColorSclBkLow; }
    void SetColorSclBkLow(TColor Value);
    TColor ColorSclBkNorm() const { return FColorSclBkNorm; }
    void SetColorSclBkNorm(TColor Value);
    TColor ColorSclBkHigh() const { return FColorSclBkHigh; }
    void SetColorSclBkHigh(TColor Value);
    /// Frame round the control.
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle Value);
    /// Show the high and the low limit lamp.
    bool LimWatchHighOn() const { return FLimWatchHighOn; }
    void SetLimWatchHighOn(bool Value);
    bool LimWatchLowOn() const { return FLimWatchLowOn; }
    void SetLimWatchLowOn(bool Value);
    /// Lamp colours when lit (flag set) and otherwise.
    TColor LimWatchActColor() const { return FLimWatchActColor; }
    void SetLimWatchActColor(TColor Value);
    TColor LimWatchPsvColor() const { return FLimWatchPsvColor; }
    void SetLimWatchPsvColor(TColor Value);
    /// Draw the scale arc.
    bool MeterScaleLine() const { return FMeterScaleLine; }
    void SetMeterScaleLine(bool Value);
    /// The main and the second needle. Assigning copies all needle properties.
    TNeedleLayout *NeedleLayout() const { return FNeedleLayout.get(); }
    void SetNeedleLayout(const TNeedleLayout *Value);
    TNeedleLayout *NeedleLayoutSec() const { return FNeedleLayoutSec.get(); }
    void SetNeedleLayoutSec(const TNeedleLayout *Value);
    /// Width of the range band in percent of the radius, clamped to 0..100 (NaN ignored).
    double ScaleBkWidth() const { return FScaleBkWidth; }
    void SetScaleBkWidth(double Value);
    /// Draw the range band.
    bool ScaleBkVisible() const { return FScaleBkVisible; }
    void SetScaleBkVisible(bool Value);
    /// Draw scale line, ticks and labels.
    bool ScaleVisible() const { return FScaleVisible; }
    void SetScaleVisible(bool Value);

    // ---- geometry and conversions -----------------------------------------------------------
    /// Sweep of the scale in degrees.
    int MeterAngle() const;
    /// Scale radius in pixels (nothing is drawn while it is not positive).
    double MeterRadius() const;
    /// Centre of the scale in control coordinates.
    int MeterCenterX() const;
    int MeterCenterY() const;
    /// Overflow and underflow flags, which light the high and the low lamp.
    bool IsOverFlow() const { return FOFL; }
    bool IsUnderFlow() const { return FUFL; }

    /// Angle of Value (clamped to the range) in degrees clockwise from the downward vertical.
    double CalcNeedleAngle(double Value) const;
    /// The pixel on the ray of Value (clamped) at PctRadius percent of the scale radius.
    void ConvertToPixelCoords(double Value, double PctRadius, int &X, int &Y) const;
    /// The value at the angle of pixel (XPos, YPos); false (and MeterValue 0) outside the scale's
    /// angular range.
    bool ConvertPixelToValue(int XPos, int YPos, double &MeterValue) const;
    /// Moves and sizes the meter and recomputes the geometry.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- events -----------------------------------------------------------------------------
    /// Range events, fired by the value and threshold setters before the repaint.
    void SetOnOverFlow(TNotifyEvent H) { FOnOverFlow = std::move(H); }
    const TNotifyEvent &OnOverFlow() const { return FOnOverFlow; }
    void SetOnNormalRange(TNotifyEvent H) { FOnNormalRange = std::move(H); }
    const TNotifyEvent &OnNormalRange() const { return FOnNormalRange; }
    void SetOnUnderFlow(TNotifyEvent H) { FOnUnderFlow = std::move(H); }
    const TNotifyEvent &OnUnderFlow() const { return FOnUnderFlow; }
    /// Drawing events, fired inside every paint.
    void SetOnBeforeDrawScaleLabel(TmtBeforeDrawScaleLabelEvent H) { FOnBeforeDrawScaleLabel = std::move(H); }
    const TmtBeforeDrawScaleLabelEvent &OnBeforeDrawScaleLabel() const { return FOnBeforeDrawScaleLabel; }
    void SetOnBeforeDrawNeedle(TBeforeDrawNeedleEvent H) { FOnBeforeDrawNeedle = std::move(H); }
    const TBeforeDrawNeedleEvent &OnBeforeDrawNeedle() const { return FOnBeforeDrawNeedle; }
    void SetOnMeterRendered(TMeterRenderedEvent H) { FOnMeterRendered = std::move(H); }
    const TMeterRenderedEvent &OnMeterRendered() const { return FOnMeterRendered; }
    /// Fired on every mouse move after OnMouseMove.
    void SetOnMouseMoveInMeter(TMouseMoveInMeterEvent H) { FOnMouseMoveInMeter = std::move(H); }
    const TMouseMoveInMeterEvent &OnMouseMoveInMeter() const { return FOnMouseMoveInMeter; }

protected:
    void Paint() override;
    void Loaded() override;
    void Resize() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

    /// Computes centre, radius and sweep from the size, the rims and the layout.
    void CalcMeterLayoutParams();
    void DoOverFlowEvent();
    void DoUnderFlowEvent();
    void DoNormalRangeEvent();
    /// Converts the pointer position and fires OnMouseMoveInMeter.
    void MouseMoveInMeter(TShiftState Shift, int X, int Y);

private:
    struct TDialKey;
    struct TDialCache;
    void MakeDialKey(TDialKey &K) const;
    void StyleChanged();
    void EnsureLayout() const;
    void UpdateGeometry() const;
    void ApplyRangeEvents(double NewValue, bool Fire);
    void LoadAnchorImage();
    void UpdateAccessibleName();
    void DrawBackground(TCanvas *C, int W, int H);
    void DrawRangeBand(TCanvas *C);
    void DrawScale(TCanvas *C);
    void DrawNeedle(TCanvas *C, const TNeedleLayout &Layout, double Value);
    void DrawBevel(TCanvas *C, int W, int H);
    void DrawAnchor(TCanvas *C, int W, int H);
    void DrawLamp(TCanvas *C, int X0, int Y0, bool Lit);
    void DrawFrameLines(TCanvas *C, int W, int H);
    bool RestoreDial(TCanvas *C);
    void KeepDial(TCanvas *C);

    // range and value
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

    // geometry, always the result of the last layout computation (for the size it was made for)
    mutable int FMeterAngle = 90;
    mutable double FMeterRadius = 0;
    mutable int FMeterCenterX = 0, FMeterCenterY = 0;
    mutable QSize FLayoutSize;

    // look
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
    TBitmap AuxBGBmp, AuxACBmp, AuxACMaskBmp;
    bool FDrewNothing = false;
    std::unique_ptr<TDialCache> FDial;

    TNotifyEvent FOnOverFlow, FOnNormalRange, FOnUnderFlow;
    TmtBeforeDrawScaleLabelEvent FOnBeforeDrawScaleLabel;
    TBeforeDrawNeedleEvent FOnBeforeDrawNeedle;
    TMeterRenderedEvent FOnMeterRendered;
    TMouseMoveInMeterEvent FOnMouseMoveInMeter;
};

} // namespace kro
