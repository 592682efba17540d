#pragma once
// TNumIO2: a numeric input field that draws everything itself.
//
// A left text, a framed text box with its own caret and selection, optional spin buttons, a right
// text and an optional gauge that shows (and, dragged, sets) the value between RangeLow and
// RangeHigh. Keys are filtered by virtual-key code and every edit is checked on line by
// CheckValidity; a refused edit restores the old text. A value outside the range is shown in
// warning colours. The caret blinks on the control's own timer while it has the focus.

#include <krogui/core/control.h>
#include <krogui/core/ctimer.h>
#include <krogui/graphics/propertyfaces.h>
#include <krogui/numio/numtext.h>

namespace kro {

KRO_DECLARE_ERROR(EKRONumIO2Error, EKROError)

/// Called while the gauge is dragged, with the value under the mouse.
using TOnGaugeChangeEvent = std::function<void(QObject *Sender, TShiftState Shift, double GaugeValue)>;

class TNumIO2Layout;
struct TNumIO2Private;

class KROGUI_EXPORT TNumIO2 : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged USER true)
    Q_PROPERTY(QString Text READ Text WRITE SetText NOTIFY TextChanged)
    Q_PROPERTY(kro::NumIOEnums::TInFormat InputFormat READ InputFormat WRITE SetInputFormat)
    Q_PROPERTY(int FixPointDecPlaces READ FixPointDecPlaces WRITE SetFixPointDecPlaces)
    Q_PROPERTY(int SignificantDigits READ SignificantDigits WRITE SetSignificantDigits)
    Q_PROPERTY(kro::TDecPSep DecPlaceSep READ DecPlaceSep WRITE SetDecSep)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(bool Beep READ Beep WRITE SetBeep)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(int TextBoxWidth READ TextBoxWidth WRITE SetTextBoxWidth)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(kro::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
    Q_PROPERTY(kro::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
    Q_PROPERTY(kro::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(QColor ColorBoxBG READ ColorBoxBGStored WRITE SetColorBoxBG)
    Q_PROPERTY(QColor ColorBoxText READ ColorBoxTextStored WRITE SetColorBoxText)
    Q_PROPERTY(QColor ColorOutBG READ ColorOutBGStored WRITE SetColorOutBG)
    Q_PROPERTY(QColor ColorOutText READ ColorOutTextStored WRITE SetColorOutText)
    Q_PROPERTY(QColor ColorWarnBG READ ColorWarnBGStored WRITE SetColorWarnBG)
    Q_PROPERTY(QColor ColorWarnText READ ColorWarnTextStored WRITE SetColorWarnText)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(bool ButVisible READ ButVisible WRITE SetButVisible)
    Q_PROPERTY(int ButWidth READ ButWidth WRITE SetButWidth)
    Q_PROPERTY(int ButHeight READ ButHeight WRITE SetButHeight)
    Q_PROPERTY(int ButSpace READ ButSpace WRITE SetButSpace)
    Q_PROPERTY(QColor ButColor READ ButColorStored WRITE SetButColor)
    Q_PROPERTY(double ButIncrem READ ButIncrem WRITE SetButIncrem)
    Q_PROPERTY(bool But3D READ But3D WRITE SetBut3D)
    Q_PROPERTY(bool GaugeVisible READ GaugeVisible WRITE SetGaugeVisible)
    Q_PROPERTY(int GaugeHeight READ GaugeHeight WRITE SetGaugeHeight)
    Q_PROPERTY(int GaugeWidth READ GaugeWidth WRITE SetGaugeWidth)
    Q_PROPERTY(int GaugeLeftMargin READ GaugeLeftMargin WRITE SetGaugeLeftMargin)
    Q_PROPERTY(int GaugeTopMargin READ GaugeTopMargin WRITE SetGaugeTopMargin)
    Q_PROPERTY(QColor GaugeColor READ GaugeColorStored WRITE SetGaugeColor)
    Q_PROPERTY(QColor GaugeColorBg READ GaugeColorBgStored WRITE SetGaugeColorBg)
    Q_PROPERTY(QColor GaugeColorFrame READ GaugeColorFrameStored WRITE SetGaugeColorFrame)
    Q_PROPERTY(kro::TFrameStyle GaugeFrameStyle READ GaugeFrameStyle WRITE SetGaugeFrameStyle)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
public:
    /// A 160 x 28 field in itFloat with 2 decimals, range 0..1000, either separator, a centred
    /// text in a lowered box; the caret timer is started.
    explicit TNumIO2(QWidget *Parent = nullptr);
    ~TNumIO2() override;

    // ---- value and text ----
    /// The value of the text buffer (GetNioValue); writing formats it by InputFormat
    /// (SetNioValue). NaN is refused, infinities become +-uc_MaxDouble.
    double Value() const { return GetNioValue(); }
    void SetValue(double Value) { SetNioValue(Value); }
    double GetNioValue() const;
    void SetNioValue(double Value);
    /// The value rounded to an integer; raises EKRONumIO2Error ("integer overflow") beyond 32 bits.
    int IntegerValue() const { return GetNioIntValue(); }
    int GetNioIntValue() const;
    /// The text buffer. An assigned text is taken only when empty or valid (CheckValidity); caret
    /// and selection then go to 0. While loading, the check waits until all properties are in.
    QString Text() const;
    void SetText(const QString &Value);
    /// The on-line check of the buffer for the input format and separator choice.
    bool CheckValidity(const QString &Instring) const;

    // ---- format ----
    /// On a change the value is read in the old format and written in the new one.
    TInFormat InputFormat() const;
    void SetInputFormat(TInFormat Value) { SetInFormatType(Value); }
    void SetInFormatType(TInFormat Value);
    /// Decimals of itFloat and itFixPoint: values below 1 are ignored, above 15 become 15.
    int FixPointDecPlaces() const;
    void SetFixPointDecPlaces(int Value);
    /// Significant digits of itExp: values below 1 are ignored, above 15 become 15.
    int SignificantDigits() const;
    void SetSignificantDigits(int Value);
    /// Decimal separator choice; the separators in the buffer are converted (SetDecSep).
    TDecPSep DecPlaceSep() const;
    void SetDecSep(TDecPSep Value);

    // ---- range ----
    /// Lower bound; RangeHigh follows when it would lie below.
    double RangeLow() const;
    void SetRangeLow(double Value);
    /// Upper bound; RangeLow follows when it would lie above.
    double RangeHigh() const;
    void SetRangeHigh(double Value);
    /// True when Value lies below RangeLow or above RangeHigh.
    bool OutOfRange() const;

    // ---- behaviour ----
    /// Beep on refused keys and failed on-line checks.
    bool Beep() const;
    void SetBeep(bool Value);
    /// No editing (Ctrl+C still copies, buttons and gauge do not step); caret hidden, timer stopped.
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    /// Each paint sets the height to the text height of "E0" plus 6.
    bool AutoSize() const;
    void SetAutoSize(bool Value);
    /// Show the selection only while focused.
    bool HideSelection() const;
    void SetHideSelection(bool Value);
    /// Selection as character offsets; a value is clamped to 0..length, the caret goes there and
    /// the other end follows when it would cross.
    int SelBegin() const;
    void SetSelBegin(int N);
    int SelEnd() const;
    void SetSelEnd(int N);
    /// Characters before the caret.
    int CaretPos() const;
    bool CaretVisible() const;
    /// Where the mouse was last: 0 left text, 1 text box, 2 right of the box.
    int MouseAreaCode() const;
    /// Takes the focus and restarts the caret timer (unless read-only).
    void SetFocus();

    // ---- layout and look ----
    /// x of the text box; negative values are ignored, values above Width become Width.
    int LeftSpace() const;
    void SetLeftSpace(int Value);
    /// Width of the text box (not below 0).
    int TextBoxWidth() const;
    void SetTextBoxWidth(int Value);
    QString LeftText() const;
    void SetLeftText(const QString &Value);
    QString RightText() const;
    void SetRightText(const QString &Value);
    TAlignment LeftTextAlignment() const;
    void SetLeftTextAlignment(TAlignment Value);
    TAlignment RightTextAlignment() const;
    void SetRightTextAlignment(TAlignment Value);
    /// Placement of the text in the box.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    /// Frame of the text box.
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    TColor ColorBoxBG() const;
    void SetColorBoxBG(TColor Value);
    KRO_COLOR_FACE(ColorBoxBG)
    TColor ColorBoxText() const;
    void SetColorBoxText(TColor Value);
    KRO_COLOR_FACE(ColorBoxText)
    TColor ColorOutBG() const;
    void SetColorOutBG(TColor Value);
    KRO_COLOR_FACE(ColorOutBG)
    TColor ColorOutText() const;
    void SetColorOutText(TColor Value);
    KRO_COLOR_FACE(ColorOutText)
    /// Box background and text while the value is out of range (always repaint).
    TColor ColorWarnBG() const;
    void SetColorWarnBG(TColor Value);
    KRO_COLOR_FACE(ColorWarnBG)
    TColor ColorWarnText() const;
    void SetColorWarnText(TColor Value);
    KRO_COLOR_FACE(ColorWarnText)
    /// csBWG: gray and white frame lines; csSystem: the button shadow and highlight colours.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);
    /// Disabled look: engraved side texts, silver box, gray text.
    void SetEnabled(bool Value) override;
    /// Moves and sizes the control; the height is at least 18 and ButHeight follows a lower one.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- spin buttons ----
    bool ButVisible() const;
    void SetButVisible(bool Value);
    /// Button width, clamped to 8..50.
    int ButWidth() const;
    void SetButWidth(int Value);
    /// Height of the button pair, clamped to 18..Height.
    int ButHeight() const;
    void SetButHeight(int Value);
    /// Gap between box and buttons, clamped to 0..50.
    int ButSpace() const;
    void SetButSpace(int Value);
    TColor ButColor() const;
    void SetButColor(TColor Value);
    KRO_COLOR_FACE(ButColor)
    /// Step of the buttons when ButtonPivots is empty.
    double ButIncrem() const;
    void SetButIncrem(double Value);
    bool But3D() const;
    void SetBut3D(bool Value);
    /// When not empty, the buttons and the gauge move the value only to these values (ascending).
    TDoubleArray ButtonPivots;

    // ---- gauge ----
    bool GaugeVisible() const;
    void SetGaugeVisible(bool Value);
    /// At least 3, at most Height - GaugeTopMargin - 18.
    int GaugeHeight() const;
    void SetGaugeHeight(int Value);
    /// At least 10, at most Width - GaugeLeftMargin.
    int GaugeWidth() const;
    void SetGaugeWidth(int Value);
    /// 0 .. Width - GaugeWidth.
    int GaugeLeftMargin() const;
    void SetGaugeLeftMargin(int Value);
    /// 0 .. Height - GaugeHeight - 18.
    int GaugeTopMargin() const;
    void SetGaugeTopMargin(int Value);
    TColor GaugeColor() const;
    void SetGaugeColor(TColor Value);
    KRO_COLOR_FACE(GaugeColor)
    TColor GaugeColorBg() const;
    void SetGaugeColorBg(TColor Value);
    KRO_COLOR_FACE(GaugeColorBg)
    TColor GaugeColorFrame() const;
    void SetGaugeColorFrame(TColor Value);
    KRO_COLOR_FACE(GaugeColorFrame)
    TFrameStyle GaugeFrameStyle() const;
    void SetGaugeFrameStyle(TFrameStyle Value);

    // ---- geometry of the text ----
    /// x of the boundary after N characters of the buffer.
    int CharPosToXCoords(int N) const;
    /// The character boundary nearest to X (0 for an empty buffer or a zero average width; never
    /// beyond the buffer's length).
    int XCoordsToCharPos(int X) const;

    /// Copies layout, texts, colours, format, buffer, caret, selection, range and flags of another
    /// TNumIO2 (not the buttons, not the gauge).
    void Assign(const TComponentBase *Source) override;

    /// The caret timer (tests drive it with Tick()).
    TControlTimer *CaretTimer() { return FCaretTimer; }

    // ---- events ----
    /// After an edit, a button step, or a gauge click (on mouse-up).
    void SetOnChange(TNotifyEvent H);
    const TNotifyEvent &OnChange() const;
    /// While the gauge is dragged.
    void SetOnGaugeChange(TOnGaugeChangeEvent H);
    const TOnGaugeChangeEvent &OnGaugeChange() const;

    // ---- layout ----
    /// The constructor size, or wider when the box, buttons and side texts need it.
    QSize sizeHint() const override;
    /// The text box (and buttons, gauge) whole, with at least one digit's room.
    QSize minimumSizeHint() const override;

    // ---- accessibility ----
    /// A spin box while the buttons show, else an editable text field.
    QAccessible::Role AccessibleRole() const override;
    /// The value with RangeLow and RangeHigh.
    bool AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const override;
    /// Writes the value (not while read-only), as SetValue does.
    bool SetAccessibleNumericValue(double Value) override;

Q_SIGNALS:
    /// The value of the text changed (typed, stepped, dragged, assigned, loaded).
    void ValueChanged(double Value);
    /// The text changed, whatever changed it.
    void TextChanged(const QString &Text);
    /// Emitted right after the OnChange handler, whether or not one is assigned.
    void onChange(QObject *Sender);
    /// Emitted right after the OnGaugeChange handler, whether or not one is assigned.
    void onGaugeChange(QObject *Sender, kro::TShiftState Shift, double GaugeValue);

protected:
    void Paint() override;
    /// Repaints and lets a layout ask for the new size hints (they follow the font).
    void FontChanged() override;
    void Resize() override;
    void Loaded() override;
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    void KeyUp(quint16 &Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Click() override;
    void DoEnter() override;
    void DoExit() override;
    bool AssignTo(TComponentBase *Dest) const override;
    void keyPressEvent(QKeyEvent *Event) override;

    /// Stops and restarts the caret timer with the caret shown; raises EKRONumIO2Error
    /// ("no timer available") when no timer can be had.
    void UpdateTimer();
    void CaretTimerEvent();

private:
    TNumIO2Layout Layout() const;
    /// The height AutoSize gives the field: its font's text height and 6, at least 18.
    int AutoHeight();
    struct PaintState;
    void PaintSideTexts(const PaintState &P);
    void PaintButtons(const PaintState &P);
    void PaintGauge(const PaintState &P);
    void PaintTextBox(const PaintState &P);
    int TextW(const QString &S) const;
    /// Ctrl+C, Ctrl+V, Ctrl+X; true when the text changed.
    bool FixPointClearDecimal();
    void FixPointComplete();
    bool ClipboardKey(quint16 Key);
    /// A key without Ctrl: characters, deleting and caret keys; true when the text changed.
    bool EditKey(quint16 Key);
    void Beeper() const;
    double GaugeValueAt(int X) const;
    void ButtonStep(int Y);
    int NearestPivot(double V) const;
    QString FormatValue(double Value) const;
    void UpdateLineColors();
    void NotifyValue();

    TControlTimer *FCaretTimer = nullptr;
    std::unique_ptr<TNumIO2Private> const d;
};

} // namespace kro
