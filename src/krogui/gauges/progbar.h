#pragma once
// TProgBar: a progress bar filled from one end in proportion to its value, in one colour or
// through a 1024-entry colour table, with grid lines, an inner and an outer frame, the value as
// (rotatable) text and an optional automatic increment on the control's own timer.

#include <krogui/core/control.h>
#include <krogui/gauges/progbarcalc.h>
#include <krogui/graphics/propertyfaces.h>

#include <memory>
#include <vector>

namespace kro {

KRO_DECLARE_ERROR(EKROProgBar, EKROError)

/// Called before the value text is drawn; ValueText may be changed (an empty text draws nothing).
using TBeforeShowValueEvent = std::function<void(QObject *Sender, QString &ValueText)>;

struct TProgBarPrivate;

class KROGUI_EXPORT TProgBar : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(bool AutoInc READ AutoInc WRITE SetAutoInc)
    Q_PROPERTY(double AutoIncStep READ AutoIncStep WRITE SetAutoIncStep)
    Q_PROPERTY(QString BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
    Q_PROPERTY(QColor ColorBackGnd READ ColorBackGndStored WRITE SetColorBackGnd)
    Q_PROPERTY(kro::ProgBarEnums::TColorMapping ColorMapMode READ ColorMapMode WRITE SetColorMapMode)
    Q_PROPERTY(QColor ColorGrid READ ColorGridStored WRITE SetColorGrid)
    Q_PROPERTY(QColor ColorMargin READ ColorMarginStored WRITE SetColorMargin)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(QColor ColorMin READ ColorMinStored WRITE SetColorMin)
    Q_PROPERTY(QColor ColorMax READ ColorMaxStored WRITE SetColorMax)
    Q_PROPERTY(kro::TFrameStyle FrameStyleOuter READ FrameStyleOuter WRITE SetFrameStyleOuter)
    Q_PROPERTY(kro::TFrameStyle FrameStyleInner READ FrameStyleInner WRITE SetFrameStyleInner)
    Q_PROPERTY(int GridDist READ GridDist WRITE SetGridDist)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(double Max READ Max WRITE SetMax)
    Q_PROPERTY(double Min READ Min WRITE SetMin)
    Q_PROPERTY(kro::TDirection Direction READ Direction WRITE SetDirection)
    Q_PROPERTY(int RepeatInterval READ RepeatInterval WRITE SetRepeatInterval)
    Q_PROPERTY(bool ShowColorGradient READ ShowColorGradient WRITE SetShowColorGradient)
    Q_PROPERTY(int StartInterval READ StartInterval WRITE SetStartInterval)
    Q_PROPERTY(kro::TAlignment TextAlignment READ TextAlignment WRITE SetTextAlignment)
    Q_PROPERTY(int TextAngle READ TextAngle WRITE SetTextAngle)
    Q_PROPERTY(int TextDecPlaces READ TextDecPlaces WRITE SetTextDecPlaces)
    Q_PROPERTY(int TextPosX READ TextPosX WRITE SetTextPosX)
    Q_PROPERTY(int TextPosY READ TextPosY WRITE SetTextPosY)
    Q_PROPERTY(bool TextVisible READ TextVisible WRITE SetTextVisible)
    Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged USER true)
public:
    /// A bar of 300 x 28 pixels: range 0..100, value 10, growing to the right, 4-pixel margins,
    /// a blue-to-red colour table, raised outer and lowered inner frame, the value centred on
    /// (14, 14), automatic increment off.
    explicit TProgBar(QWidget *Parent = nullptr);
    ~TProgBar() override;

    // ---- value and range --------------------------------------------------------------------
    /// The value shown. Not clamped to the range: the bar is drawn empty below the range and full
    /// above it. NaN is ignored; infinities are kept.
    double Value() const;
    void SetValue(double Value);
    /// Lower and upper end of the range; each may be set alone (a reversed range fills from the
    /// other end). Values that are not finite are ignored.
    double Min() const;
    void SetMin(double Value);
    double Max() const;
    void SetMax(double Value);
    /// Stores the smaller argument as Min and the larger as Max, then repaints. Equal arguments
    /// give an empty bar. Ignored when either is not finite.
    void SetRange(double AMin, double AMax);

    // ---- automatic increment ------------------------------------------------------------------
    /// Adds AutoIncStep to Value on the control's timer: first after StartInterval, then every
    /// RepeatInterval milliseconds. The increment stops at the end of the range in the step's
    /// direction (Max for a positive step, Min for a negative one): the value is set to that end
    /// and AutoInc switches itself off. Switching on raises EKROProgBar when no timer can run.
    /// Never runs while the control is being designed.
    bool AutoInc() const;
    void SetAutoInc(bool Value);
    /// The step; 0 and values that are not finite are ignored.
    double AutoIncStep() const;
    void SetAutoIncStep(double Value);
    /// Delay before the first increment, in milliseconds (at least 10); restarts the wait.
    int StartInterval() const;
    void SetStartInterval(int Value);
    /// Delay between later increments, in milliseconds (at least 10); switches to that delay.
    int RepeatInterval() const;
    void SetRepeatInterval(int Value);

    // ---- colours ------------------------------------------------------------------------------
    /// Colour of the bar area not covered by the bar.
    TColor ColorBackGnd() const;
    void SetColorBackGnd(TColor Value);
    KRO_COLOR_FACE(ColorBackGnd)
    /// Colour of the margins around the bar area.
    TColor ColorMargin() const;
    void SetColorMargin(TColor Value);
    KRO_COLOR_FACE(ColorMargin)
    /// Colour of the grid lines.
    TColor ColorGrid() const;
    void SetColorGrid(TColor Value);
    KRO_COLOR_FACE(ColorGrid)
    /// Frame line colours: fixed gray and white (csBWG) or the system shadow and highlight.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);
    /// First and last entry of the colour table. Setting either refills the entries between them
    /// with the blend of the two (system colours are resolved first) and repaints. Without
    /// ShowColorGradient the bar is drawn in ColorMin.
    TColor ColorMin() const;
    void SetColorMin(TColor Value);
    KRO_COLOR_FACE(ColorMin)
    TColor ColorMax() const;
    void SetColorMax(TColor Value);
    KRO_COLOR_FACE(ColorMax)
    /// Entry Index (0..1023) of the colour table; other indices read clBlack and are not written.
    /// Writing does not repaint.
    TColor GetBarColorElem(int Index) const;
    void SetBarColorElem(int Index, TColor Color);
    /// Entry Index as an opaque QColor (system colours resolved), and set from a QColor (the
    /// stored form of special colours is understood).
    QColor GetBarColorElemQColor(int Index) const { return ToQColor(GetBarColorElem(Index)); }
    void SetBarColorElem(int Index, const QColor &Color) { SetBarColorElem(Index, FromStoredColor(Color)); }
    /// The whole colour table.
    const TBarColorArray &BarColors() const;
    /// Fills the colour table with a gradient through Stops spread evenly over it (one stop gives
    /// a single colour) and repaints; an empty list changes nothing.
    void SetBarColors(const std::vector<TColor> &Stops);
    /// Draw the bar through the colour table instead of in ColorMin.
    bool ShowColorGradient() const;
    void SetShowColorGradient(bool Value);
    /// How the colour table is laid onto the bar.
    TColorMapping ColorMapMode() const;
    void SetColorMapMode(TColorMapping Value);

    // ---- layout ---------------------------------------------------------------------------------
    /// The end the bar grows from: dirRight grows from the left edge to the right, dirLeft from
    /// the right edge, dirUp from the bottom, dirDown from the top.
    TDirection Direction() const;
    void SetDirection(TDirection Value);
    /// Distance of the grid lines in pixels; lines only when above 1.
    int GridDist() const;
    void SetGridDist(int Value);
    /// Widths of the margins around the bar area, clamped to 0..10000.
    int MarginBottom() const;
    void SetMarginBottom(int Value);
    int MarginLeft() const;
    void SetMarginLeft(int Value);
    int MarginRight() const;
    void SetMarginRight(int Value);
    int MarginTop() const;
    void SetMarginTop(int Value);
    /// Frame around the whole control and around the bar area.
    TFrameStyle FrameStyleOuter() const;
    void SetFrameStyleOuter(TFrameStyle Value);
    TFrameStyle FrameStyleInner() const;
    void SetFrameStyleInner(TFrameStyle Value);
    /// Picture file stretched into the bar area behind the bar. A file that cannot be loaded is
    /// ignored (name and picture stay as they were); an empty name removes the picture.
    QString BackGroundImg() const;
    void SetBackGroundImg(const QString &Value);

    // ---- value text -----------------------------------------------------------------------------
    /// Draw the value as text (in Font).
    bool TextVisible() const;
    void SetTextVisible(bool Value);
    /// Decimals of the text, clamped to -2..10: -2 exponential form with a four-digit exponent,
    /// -1 with a two-digit exponent (asterisks when it needs more).
    int TextDecPlaces() const;
    void SetTextDecPlaces(int Value);
    /// The point of the text's middle line (left end, centre or right end by TextAlignment) that
    /// lies on (TextPosX, TextPosY); clamped to 0..Width and 0..Height.
    int TextPosX() const;
    void SetTextPosX(int Value);
    int TextPosY() const;
    void SetTextPosY(int Value);
    TAlignment TextAlignment() const;
    void SetTextAlignment(TAlignment Value);
    /// Angle of the text in degrees counter-clockwise, clamped to 0..360.
    int TextAngle() const;
    void SetTextAngle(int Value);
    /// The text the bar shows for its value (before OnShowValue).
    QString ValueText() const;

    // ---- events -------------------------------------------------------------------------------
    /// Fired after each automatic increment (and its repaint). Assigning it restarts the wait
    /// with RepeatInterval.
    void SetOnAutoInc(TNotifyEvent H);
    const TNotifyEvent &OnAutoInc() const;
    /// Fired in every paint before the value text is drawn.
    void SetOnShowValue(TBeforeShowValueEvent H);
    const TBeforeShowValueEvent &OnShowValue() const;

    /// From another TProgBar: frames, value, range, colours and colour table, background picture,
    /// grid, mapping, margins, text settings and OnShowValue, then repaints (timer settings, Font
    /// and size are not copied).
    void Assign(const TComponentBase *Source) override;

    /// Runs one automatic increment now, exactly as a timer tick does (tests drive the timer so).
    void DoTimer();
    /// True while the timer runs (with either interval), and whether it waits the start interval.
    bool TimerActive() const;
    bool TimerAtStart() const;

    /// Assistive tools see a read-only progress bar with value, minimum and maximum.
    QAccessible::Role AccessibleRole() const override { return QAccessible::ProgressBar; }
    bool AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const override;

    /// Room for the frames, the margins and a bar of a few pixels, and at least one text line.
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// Emitted after every change of Value (by the setter, Assign or the timer), after the repaint.
    void ValueChanged(double Value);
    /// The signals of OnAutoInc and OnShowValue, emitted right after the handler.
    void onAutoInc(QObject *Sender);
    void onShowValue(QObject *Sender, QString &ValueText);

protected:
    void Paint() override;
    bool AssignTo(TComponentBase *Dest) const override;
    void DesigningChanged() override;

    /// Starts the timer with the start interval (when AutoInc is on).
    void InitTimer();
    /// Switches the timer to the repeat interval (when AutoInc is on).
    void UpdateTimer();

private:
    void Changed();
    void DrawBar(TCanvas *C, const TRect &Area);
    void DrawGrid(TCanvas *C, const TRect &Area, const TRect &Filled);
    void DrawProgFrame(TCanvas *C, TFrameStyle Style, int L, int T, int R, int B);
    void DrawValueText(TCanvas *C);
    void UpdateAccessibleText();
    void StopTimer();
    template <class T> void Store(T &Field, T Value);

    std::unique_ptr<TProgBarPrivate> const d;
};

} // namespace kro
