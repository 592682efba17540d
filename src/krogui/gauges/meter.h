#pragma once
// TMeter: an analogue meter with a circular scale, major and minor ticks with labels, a main and a
// second needle, coloured range bands, two limit lamps, cover rims and an anchor disc or image.

#include <krogui/core/control.h>
#include <krogui/gauges/meterscale.h>
#include <krogui/gauges/needlelayout.h>
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/propertyfaces.h>

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

struct TMeterPrivate;

// One accessor pair per needle setting, forwarding to the layout object Obj.
#define KRO_METER_NEEDLE_SETTING(Obj, Name, Type)                                                            \
    Type Obj##Name() const                                                                                   \
    {                                                                                                        \
        return Obj()->Name();                                                                                \
    }                                                                                                        \
    void Set##Obj##Name(Type Value)                                                                          \
    {                                                                                                        \
        Obj()->Set##Name(Value);                                                                             \
    }
#define KRO_METER_NEEDLE_FACE(Obj)                                                                           \
    KRO_METER_NEEDLE_SETTING(Obj, HeadSize, int)                                                             \
    KRO_METER_NEEDLE_SETTING(Obj, HeadAngle, int)                                                            \
    KRO_METER_NEEDLE_SETTING(Obj, HeadMidLeng, int)                                                          \
    KRO_METER_NEEDLE_SETTING(Obj, Thickness, int)                                                            \
    KRO_METER_NEEDLE_SETTING(Obj, ColorBody, ::kro::TColor)                                                  \
    KRO_COLOR_FACE(Obj##ColorBody)                                                                           \
    KRO_METER_NEEDLE_SETTING(Obj, ColorOutline, ::kro::TColor)                                               \
    KRO_COLOR_FACE(Obj##ColorOutline)                                                                        \
    KRO_METER_NEEDLE_SETTING(Obj, PercentNeedleLength, int)                                                  \
    KRO_METER_NEEDLE_SETTING(Obj, ShadowDx, int)                                                             \
    KRO_METER_NEEDLE_SETTING(Obj, ShadowDy, int)                                                             \
    KRO_METER_NEEDLE_SETTING(Obj, ShadowColor, ::kro::TColor)                                                \
    KRO_COLOR_FACE(Obj##ShadowColor)                                                                         \
    KRO_METER_NEEDLE_SETTING(Obj, Visible, bool)

class KROGUI_EXPORT TMeter : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(int AnchorSize READ AnchorSize WRITE SetAnchorSize)
    Q_PROPERTY(bool AnchorCovered READ AnchorCovered WRITE SetAnchorCovered)
    Q_PROPERTY(QString AnchorImage READ AnchorImage WRITE SetAnchorImage)
    Q_PROPERTY(QString BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
    Q_PROPERTY(kro::TBkgFill BkgndFillMode READ BkgndFillMode WRITE SetBkgndFillMode)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QColor ColorBakG READ ColorBakGStored WRITE SetColorBakG)
    Q_PROPERTY(QColor ColorCover READ ColorCoverStored WRITE SetColorCover)
    Q_PROPERTY(QColor ColorScale READ ColorScaleStored WRITE SetColorScale)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(QColor ColorSclBkLow READ ColorSclBkLowStored WRITE SetColorSclBkLow)
    Q_PROPERTY(QColor ColorSclBkNorm READ ColorSclBkNormStored WRITE SetColorSclBkNorm)
    Q_PROPERTY(QColor ColorSclBkHigh READ ColorSclBkHighStored WRITE SetColorSclBkHigh)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(bool LimWatchHighOn READ LimWatchHighOn WRITE SetLimWatchHighOn)
    Q_PROPERTY(bool LimWatchLowOn READ LimWatchLowOn WRITE SetLimWatchLowOn)
    Q_PROPERTY(QColor LimWatchActColor READ LimWatchActColorStored WRITE SetLimWatchActColor)
    Q_PROPERTY(QColor LimWatchPsvColor READ LimWatchPsvColorStored WRITE SetLimWatchPsvColor)
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
    Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged USER true)
    Q_PROPERTY(double ValueSec READ ValueSec WRITE SetValueSec NOTIFY ValueSecChanged)
    Q_PROPERTY(QFont FontCaption READ FontCaptionStored WRITE SetFontCaption)
    Q_PROPERTY(QColor FontCaptionColor READ FontCaptionColorStored WRITE SetFontCaptionColor)
    Q_PROPERTY(int NeedleLayoutHeadSize READ NeedleLayoutHeadSize WRITE SetNeedleLayoutHeadSize)
    Q_PROPERTY(int NeedleLayoutHeadAngle READ NeedleLayoutHeadAngle WRITE SetNeedleLayoutHeadAngle)
    Q_PROPERTY(int NeedleLayoutHeadMidLeng READ NeedleLayoutHeadMidLeng WRITE SetNeedleLayoutHeadMidLeng)
    Q_PROPERTY(int NeedleLayoutThickness READ NeedleLayoutThickness WRITE SetNeedleLayoutThickness)
    Q_PROPERTY(QColor NeedleLayoutColorBody READ NeedleLayoutColorBodyStored WRITE SetNeedleLayoutColorBody)
    Q_PROPERTY(
        QColor NeedleLayoutColorOutline READ NeedleLayoutColorOutlineStored WRITE SetNeedleLayoutColorOutline)
    Q_PROPERTY(int NeedleLayoutPercentNeedleLength READ NeedleLayoutPercentNeedleLength WRITE
                   SetNeedleLayoutPercentNeedleLength)
    Q_PROPERTY(int NeedleLayoutShadowDx READ NeedleLayoutShadowDx WRITE SetNeedleLayoutShadowDx)
    Q_PROPERTY(int NeedleLayoutShadowDy READ NeedleLayoutShadowDy WRITE SetNeedleLayoutShadowDy)
    Q_PROPERTY(
        QColor NeedleLayoutShadowColor READ NeedleLayoutShadowColorStored WRITE SetNeedleLayoutShadowColor)
    Q_PROPERTY(bool NeedleLayoutVisible READ NeedleLayoutVisible WRITE SetNeedleLayoutVisible)
    Q_PROPERTY(int NeedleLayoutSecHeadSize READ NeedleLayoutSecHeadSize WRITE SetNeedleLayoutSecHeadSize)
    Q_PROPERTY(int NeedleLayoutSecHeadAngle READ NeedleLayoutSecHeadAngle WRITE SetNeedleLayoutSecHeadAngle)
    Q_PROPERTY(
        int NeedleLayoutSecHeadMidLeng READ NeedleLayoutSecHeadMidLeng WRITE SetNeedleLayoutSecHeadMidLeng)
    Q_PROPERTY(int NeedleLayoutSecThickness READ NeedleLayoutSecThickness WRITE SetNeedleLayoutSecThickness)
    Q_PROPERTY(
        QColor NeedleLayoutSecColorBody READ NeedleLayoutSecColorBodyStored WRITE SetNeedleLayoutSecColorBody)
    Q_PROPERTY(QColor NeedleLayoutSecColorOutline READ NeedleLayoutSecColorOutlineStored WRITE
                   SetNeedleLayoutSecColorOutline)
    Q_PROPERTY(int NeedleLayoutSecPercentNeedleLength READ NeedleLayoutSecPercentNeedleLength WRITE
                   SetNeedleLayoutSecPercentNeedleLength)
    Q_PROPERTY(int NeedleLayoutSecShadowDx READ NeedleLayoutSecShadowDx WRITE SetNeedleLayoutSecShadowDx)
    Q_PROPERTY(int NeedleLayoutSecShadowDy READ NeedleLayoutSecShadowDy WRITE SetNeedleLayoutSecShadowDy)
    Q_PROPERTY(QColor NeedleLayoutSecShadowColor READ NeedleLayoutSecShadowColorStored WRITE
                   SetNeedleLayoutSecShadowColor)
    Q_PROPERTY(bool NeedleLayoutSecVisible READ NeedleLayoutSecVisible WRITE SetNeedleLayoutSecVisible)
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
    double Value() const;
    void SetValue(double Value);
    /// Value of the second needle; as Value, with NeedleLayoutSec deciding about events and repaint.
    double ValueSec() const;
    void SetValueSec(double Value);
    /// Lower end of the scale. Raises the maximum to min + 1 when needed and lifts values and
    /// thresholds below it. Ignored below 1e-100 on a logarithmic scale, and when not finite.
    double MeterMinValue() const;
    void SetMeterMinValue(double Value);
    /// Upper end of the scale. Lowers the minimum to max - 1 when needed (max / 10 on a
    /// logarithmic scale that would reach 0) and lowers values and thresholds above it. Ignored
    /// below 1e-100 on a logarithmic scale, and when not finite.
    double MeterMaxValue() const;
    void SetMeterMaxValue(double Value);
    /// Threshold between the low and the normal range, clamped to the scale; pushes ThresholdHigh
    /// up when above it; sets the underflow flag and fires OnUnderFlow when Value is at or below it.
    double ThresholdLow() const;
    void SetThresholdLow(double Value);
    /// Threshold between the normal and the high range, clamped to the scale; pushes ThresholdLow
    /// down when below it; sets the overflow flag and fires OnOverFlow when Value is at or above it.
    double ThresholdHigh() const;
    void SetThresholdHigh(double Value);
    /// Logarithmic scale; refused (stays false) while a range end is not above 1e-100.
    bool Logarithmic() const;
    void SetLogarithmic(bool Value);
    /// The least number of major scale intervals, clamped to 2..21.
    int MeterNrTicks() const;
    void SetMeterNrTicks(int Value);
    /// Decimals of the tick labels, clamped to 0..4.
    int MeterDecPlaces() const;
    void SetMeterDecPlaces(int Value);
    /// Minor ticks between the major ones.
    bool MeterShortTicks() const;
    void SetMeterShortTicks(bool Value);
    /// Sweep and shape of the scale; recomputes the geometry.
    TMeterLayout MeterLayout() const;
    void SetMeterLayout(TMeterLayout Value);
    /// Widths in pixels of the cover strips along the top, both sides and the bottom; a change
    /// recomputes the geometry.
    int RimTop() const;
    void SetRimTop(int Value);
    int RimSide() const;
    void SetRimSide(int Value);
    int RimBottom() const;
    void SetRimBottom(int Value);

    // ---- look -----------------------------------------------------------------------------
    /// Radius of the anchor disc in pixels.
    int AnchorSize() const;
    void SetAnchorSize(int Value);
    /// Draw the anchor (disc or image) over the needle's base.
    bool AnchorCovered() const;
    void SetAnchorCovered(bool Value);
    /// Picture file drawn as anchor, black pixels transparent. A file that is missing or cannot
    /// be read clears the name.
    QString AnchorImage() const;
    void SetAnchorImage(const QString &Value);
    /// Background picture file. A missing file clears the name; a file that exists but cannot be
    /// read raises EKROError and keeps the previous picture and name.
    QString BackGroundImg() const;
    void SetBackGroundImg(const QString &Value);
    /// How the background picture fills the control: own size, stretched or tiled.
    TBkgFill BkgndFillMode() const;
    void SetBkgndFillMode(TBkgFill Value);
    /// Text drawn above the centre with FontCaption.
    QString Caption() const;
    void SetCaption(const QString &Value);
    /// The caption's font (a copy of Font at construction); changing it repaints.
    TFont *FontCaption();
    const TFont *FontCaption() const;
    void SetFontCaption(const TFont &Value);
    KRO_FONT_FACE(FontCaption)
    /// Background colour, also the inside of the range band and the colour of the simple frame.
    TColor ColorBakG() const;
    void SetColorBakG(TColor Value);
    KRO_COLOR_FACE(ColorBakG)
    /// Colour of the rims and the anchor disc.
    TColor ColorCover() const;
    void SetColorCover(TColor Value);
    KRO_COLOR_FACE(ColorCover)
    /// Pen colour of the scale line and ticks (labels use Font).
    TColor ColorScale() const;
    void SetColorScale(TColor Value);
    KRO_COLOR_FACE(ColorScale)
    /// Frame line colours: fixed gray and white (csBWG) or the system shadow and highlight.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);
    /// Range band colours from the minimum to ThresholdLow, between the thresholds, and from
    /// ThresholdHigh to the maximum.
    TColor ColorSclBkLow() const;
    void SetColorSclBkLow(TColor Value);
    KRO_COLOR_FACE(ColorSclBkLow)
    TColor ColorSclBkNorm() const;
    void SetColorSclBkNorm(TColor Value);
    KRO_COLOR_FACE(ColorSclBkNorm)
    TColor ColorSclBkHigh() const;
    void SetColorSclBkHigh(TColor Value);
    KRO_COLOR_FACE(ColorSclBkHigh)
    /// Frame round the control.
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    /// Show the high and the low limit lamp.
    bool LimWatchHighOn() const;
    void SetLimWatchHighOn(bool Value);
    bool LimWatchLowOn() const;
    void SetLimWatchLowOn(bool Value);
    /// Lamp colours when lit (flag set) and otherwise.
    TColor LimWatchActColor() const;
    void SetLimWatchActColor(TColor Value);
    KRO_COLOR_FACE(LimWatchActColor)
    TColor LimWatchPsvColor() const;
    void SetLimWatchPsvColor(TColor Value);
    KRO_COLOR_FACE(LimWatchPsvColor)
    /// Draw the scale arc.
    bool MeterScaleLine() const;
    void SetMeterScaleLine(bool Value);
    /// The main and the second needle. Assigning copies all needle properties.
    TNeedleLayout *NeedleLayout() const;
    void SetNeedleLayout(const TNeedleLayout *Value);
    TNeedleLayout *NeedleLayoutSec() const;
    void SetNeedleLayoutSec(const TNeedleLayout *Value);
    /// The settings of the two needle layouts as properties of the meter (what a form stores):
    /// NeedleLayoutHeadSize is NeedleLayout()->HeadSize(), NeedleLayoutSecColorBody is
    /// NeedleLayoutSec()->ColorBody(), and so on for every setting.
    KRO_METER_NEEDLE_FACE(NeedleLayout)
    KRO_METER_NEEDLE_FACE(NeedleLayoutSec)
    /// Width of the range band in percent of the radius, clamped to 0..100 (NaN ignored).
    double ScaleBkWidth() const;
    void SetScaleBkWidth(double Value);
    /// Draw the range band.
    bool ScaleBkVisible() const;
    void SetScaleBkVisible(bool Value);
    /// Draw scale line, ticks and labels.
    bool ScaleVisible() const;
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
    bool IsOverFlow() const;
    bool IsUnderFlow() const;

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
    void SetOnOverFlow(TNotifyEvent H);
    const TNotifyEvent &OnOverFlow() const;
    void SetOnNormalRange(TNotifyEvent H);
    const TNotifyEvent &OnNormalRange() const;
    void SetOnUnderFlow(TNotifyEvent H);
    const TNotifyEvent &OnUnderFlow() const;
    /// Drawing events, fired inside every paint.
    void SetOnBeforeDrawScaleLabel(TmtBeforeDrawScaleLabelEvent H);
    const TmtBeforeDrawScaleLabelEvent &OnBeforeDrawScaleLabel() const;
    void SetOnBeforeDrawNeedle(TBeforeDrawNeedleEvent H);
    const TBeforeDrawNeedleEvent &OnBeforeDrawNeedle() const;
    void SetOnMeterRendered(TMeterRenderedEvent H);
    const TMeterRenderedEvent &OnMeterRendered() const;
    /// Fired on every mouse move after OnMouseMove.
    void SetOnMouseMoveInMeter(TMouseMoveInMeterEvent H);
    const TMouseMoveInMeterEvent &OnMouseMoveInMeter() const;

    /// Assistive tools see an indicator with the value of the main needle and the scale's range.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Indicator; }
    bool AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const override;

    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int Width) const override;

Q_SIGNALS:
    /// Value changed (setter, range change, form load), after the repaint.
    void ValueChanged(double Value);
    /// ValueSec changed.
    void ValueSecChanged(double Value);
    /// The signals of the events of the same name, emitted right after the handler.
    void onOverFlow(QObject *Sender);
    void onNormalRange(QObject *Sender);
    void onUnderFlow(QObject *Sender);
    void onBeforeDrawScaleLabel(QObject *Sender, kro::TCanvas *Canvas, QString &CurrentTickLabel, int ChartX,
                                int ChartY);
    void onBeforeDrawNeedle(QObject *Sender, kro::TCanvas *Canvas, bool &NeedleDrawn);
    void onMeterRendered(QObject *Sender, kro::TCanvas *Canvas);
    void onMouseMoveInMeter(QObject *Sender, bool WithinRange, kro::TShiftState Shift, double MeterValue);

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
    friend struct TMeterPrivate;

// One accessor pair per needle setting, forwarding to the layout object Obj.
#define KRO_METER_NEEDLE_SETTING(Obj, Name, Type)                                                            \
    Type Obj##Name() const                                                                                   \
    {                                                                                                        \
        return Obj()->Name();                                                                                \
    }                                                                                                        \
    void Set##Obj##Name(Type Value)                                                                          \
    {                                                                                                        \
        Obj()->Set##Name(Value);                                                                             \
    }
#define KRO_METER_NEEDLE_FACE(Obj)                                                                           \
    KRO_METER_NEEDLE_SETTING(Obj, HeadSize, int)                                                             \
    KRO_METER_NEEDLE_SETTING(Obj, HeadAngle, int)                                                            \
    KRO_METER_NEEDLE_SETTING(Obj, HeadMidLeng, int)                                                          \
    KRO_METER_NEEDLE_SETTING(Obj, Thickness, int)                                                            \
    KRO_METER_NEEDLE_SETTING(Obj, ColorBody, ::kro::TColor)                                                  \
    KRO_COLOR_FACE(Obj##ColorBody)                                                                           \
    KRO_METER_NEEDLE_SETTING(Obj, ColorOutline, ::kro::TColor)                                               \
    KRO_COLOR_FACE(Obj##ColorOutline)                                                                        \
    KRO_METER_NEEDLE_SETTING(Obj, PercentNeedleLength, int)                                                  \
    KRO_METER_NEEDLE_SETTING(Obj, ShadowDx, int)                                                             \
    KRO_METER_NEEDLE_SETTING(Obj, ShadowDy, int)                                                             \
    KRO_METER_NEEDLE_SETTING(Obj, ShadowColor, ::kro::TColor)                                                \
    KRO_COLOR_FACE(Obj##ShadowColor)                                                                         \
    KRO_METER_NEEDLE_SETTING(Obj, Visible, bool)
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
    bool LabelHookActive() const;
    void NotifyValues(double OldValue, double OldValueSec);
    void KeepDial(TCanvas *C);

    // range and value

    // geometry, always the result of the last layout computation (for the size it was made for)

    // look
    TBitmap AuxBGBmp, AuxACBmp, AuxACMaskBmp;
    std::unique_ptr<TMeterPrivate> const d;
};

} // namespace kro
