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
#include <krogui/numio/numtext.h>

namespace kro {

KRO_DECLARE_ERROR(EKRONumIO2Error, EKROError)

/// Called while the gauge is dragged, with the value under the mouse.
using TOnGaugeChangeEvent = std::function<void(QObject *Sender, TShiftState Shift, double GaugeValue)>;

class KROGUI_EXPORT TNumIO2 : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
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
    Q_PROPERTY(kro::TColor ColorBoxBG READ ColorBoxBG WRITE SetColorBoxBG)
    Q_PROPERTY(kro::TColor ColorBoxText READ ColorBoxText WRITE SetColorBoxText)
    Q_PROPERTY(kro::TColor ColorOutBG READ ColorOutBG WRITE SetColorOutBG)
    Q_PROPERTY(kro::TColor ColorOutText READ ColorOutText WRITE SetColorOutText)
    Q_PROPERTY(kro::TColor ColorWarnBG READ ColorWarnBG WRITE SetColorWarnBG)
    Q_PROPERTY(kro::TColor ColorWarnText READ ColorWarnText WRITE SetColorWarnText)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(bool ButVisible READ ButVisible WRITE SetButVisible)
    Q_PROPERTY(int ButWidth READ ButWidth WRITE SetButWidth)
    Q_PROPERTY(int ButHeight READ ButHeight WRITE SetButHeight)
    Q_PROPERTY(int ButSpace READ ButSpace WRITE SetButSpace)
    Q_PROPERTY(kro::TColor ButColor READ ButColor WRITE SetButColor)
    Q_PROPERTY(double ButIncrem READ ButIncrem WRITE SetButIncrem)
    Q_PROPERTY(bool But3D READ But3D WRITE SetBut3D)
    Q_PROPERTY(bool GaugeVisible READ GaugeVisible WRITE SetGaugeVisible)
    Q_PROPERTY(int GaugeHeight READ GaugeHeight WRITE SetGaugeHeight)
    Q_PROPERTY(int GaugeWidth READ GaugeWidth WRITE SetGaugeWidth)
    Q_PROPERTY(int GaugeLeftMargin READ GaugeLeftMargin WRITE SetGaugeLeftMargin)
    Q_PROPERTY(int GaugeTopMargin READ GaugeTopMargin WRITE SetGaugeTopMargin)
    Q_PROPERTY(kro::TColor GaugeColor READ GaugeColor WRITE SetGaugeColor)
    Q_PROPERTY(kro::TColor GaugeColorBg READ GaugeColorBg WRITE SetGaugeColorBg)
    Q_PROPERTY(kro::TColor GaugeColorFrame READ GaugeColorFrame WRITE SetGaugeColorFrame)
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
    QString Text() const { return FInBuffer; }
    void SetText(const QString &Value);
    /// The on-line check of the buffer for the input format and separator choice.
    bool CheckValidity(const QString &Instring) const;

    // ---- format ----
    /// On a change the value is read in the old format and written in the new one.
    TInFormat InputFormat() const { return FInFormat; }
    void SetInputFormat(TInFormat Value) { SetInFormatType(Value); }
    void SetInFormatType(TInFormat Value);
    /// Decimals of itFloat and itFixPoint: values below 1 are ignored, above 15 become 15.
    int FixPointDecPlaces() const { return FDecP; }
    void SetFixPointDecPlaces(int Value);
    /// Significant digits of itExp: values below 1 are ignored, above 15 become 15.
    int SignificantDigits() const { return FSigDig; }
    void SetSignificantDigits(int Value);
    /// Decimal separator choice; the separators in the buffer are converted (SetDecSep).
    TDecPSep DecPlaceSep() const { return FDecPSep; }
    void SetDecSep(TDecPSep Value);

    // ---- range ----
    /// Lower bound; RangeHigh follows when it would lie below.
    double RangeLow() const { return FMinimum; }
    void SetRangeLow(double Value);
    /// Upper bound; RangeLow follows when it would lie above.
    double RangeHigh() const { return FMaximum; }
    void SetRangeHigh(double Value);
    /// True when Value lies below RangeLow or above RangeHigh.
    bool OutOfRange() const;

    // ---- behaviour ----
    /// Beep on refused keys and failed on-line checks.
    bool Beep() const { return FBeep; }
    void SetBeep(bool Value) { FBeep = Value; }
    /// No editing (Ctrl+C still copies, buttons and gauge do not step); caret hidden, timer stopped.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    /// Each paint sets the height to the text height of "E0" plus 6.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    /// Show the selection only while focused.
    bool HideSelection() const { return FHideSel; }
    void SetHideSelection(bool Value);
    /// Selection as character offsets; a value is clamped to 0..length, the caret goes there and
    /// the other end follows when it would cross.
    int SelBegin() const { return FSelBegin; }
    void SetSelBegin(int N);
    int SelEnd() const { return FSelEnd; }
    void SetSelEnd(int N);
    /// Characters before the caret.
    int CaretPos() const { return FCaretPos; }
    bool CaretVisible() const { return FCaretVisib; }
    /// Where the mouse was last: 0 left text, 1 text box, 2 right of the box.
    int MouseAreaCode() const { return FMouseAreaCode; }
    /// Takes the focus and restarts the caret timer (unless read-only).
    void SetFocus();

    // ---- layout and look ----
    /// x of the text box; negative values are ignored, values above Width become Width.
    int LeftSpace() const { return FLeftSpace; }
    void SetLeftSpace(int Value);
    /// Width of the text box (not below 0).
    int TextBoxWidth() const { return FTextBoxWidth; }
    void SetTextBoxWidth(int Value);
    QString LeftText() const { return FLeftText; }
    void SetLeftText(const QString &Value);
    QString RightText() const { return FRightText; }
    void SetRightText(const QString &Value);
    TAlignment LeftTextAlignment() const { return FLeftTextAlign; }
    void SetLeftTextAlignment(TAlignment Value);
    TAlignment RightTextAlignment() const { return FRightTextAlign; }
    void SetRightTextAlignment(TAlignment Value);
    /// Placement of the text in the box.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    /// Frame of the text box.
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle Value);
    TColor ColorBoxBG() const { return FColorBoxBG; }
    void SetColorBoxBG(TColor Value);
    TColor ColorBoxText() const { return FColorBoxText; }
    void SetColorBoxText(TColor Value);
    TColor ColorOutBG() const { return FColorOutBG; }
    void SetColorOutBG(TColor Value);
    TColor ColorOutText() const { return FColorOutText; }
    void SetColorOutText(TColor Value);
    /// Box background and text while the value is out of range (always repaint).
    TColor ColorWarnBG() const { return FColorWarnBG; }
    void SetColorWarnBG(TColor Value);
    TColor ColorWarnText() const { return FColorWarnText; }
    void SetColorWarnText(TColor Value);
    /// csBWG: gray and white frame lines; csSystem: the button shadow and highlight colours.
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme Value);
    /// Disabled look: engraved side texts, silver box, gray text.
    void SetEnabled(bool Value) override;
    /// Moves and sizes the control; the height is at least 18 and ButHeight follows a lower one.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- spin buttons ----
    bool ButVisible() const { return FButVisible; }
    void SetButVisible(bool Value);
    /// Button width, clamped to 8..50.
    int ButWidth() const { return FButWidth; }
    void SetButWidth(int Value);
    /// Height of the button pair, clamped to 18..Height.
    int ButHeight() const { return FButHeight; }
    void SetButHeight(int Value);
    /// Gap between box and buttons, clamped to 0..50.
    int ButSpace() const { return FButSpace; }
    void SetButSpace(int Value);
    TColor ButColor() const { return FButColor; }
    void SetButColor(TColor Value);
    /// Step of the buttons when ButtonPivots is empty.
    double ButIncrem() const { return FButIncrem; }
    void SetButIncrem(double Value);
    bool But3D() const { return FBut3D; }
    void SetBut3D(bool Value);
    /// When not empty, the buttons and the gauge move the value only to these values (ascending).
    TDoubleArray ButtonPivots;

    // ---- gauge ----
    bool GaugeVisible() const { return FGaugeVisible; }
    void SetGaugeVisible(bool Value);
    /// At least 3, at most Height - GaugeTopMargin - 18.
    int GaugeHeight() const { return FGaugeHeight; }
    void SetGaugeHeight(int Value);
    /// At least 10, at most Width - GaugeLeftMargin.
    int GaugeWidth() const { return FGaugeWidth; }
    void SetGaugeWidth(int Value);
    /// 0 .. Width - GaugeWidth.
    int GaugeLeftMargin() const { return FGaugeLeftMargin; }
    void SetGaugeLeftMargin(int Value);
    /// 0 .. Height - GaugeHeight - 18.
    int GaugeTopMargin() const { return FGaugeTopMargin; }
    void SetGaugeTopMargin(int Value);
    TColor GaugeColor() const { return FGaugeColor; }
    void SetGaugeColor(TColor Value);
    TColor GaugeColorBg() const { return FGaugeColorBg; }
    void SetGaugeColorBg(TColor Value);
    TColor GaugeColorFrame() const { return FGaugeColorFrame; }
    void SetGaugeColorFrame(TColor Value);
    TFrameStyle GaugeFrameStyle() const { return FGaugeFrameStyle; }
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
    void SetOnChange(TNotifyEvent H) { FOnChange = std::move(H); }
    const TNotifyEvent &OnChange() const { return FOnChange; }
    /// While the gauge is dragged.
    void SetOnGaugeChange(TOnGaugeChangeEvent H) { FOnGaugeChange = std::move(H); }
    const TOnGaugeChangeEvent &OnGaugeChange() const { return FOnGaugeChange; }

protected:
    void Paint() override;
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
    int GaugeStrip() const;
    int TextW(const QString &S) const;
    bool DeleteSelection(bool ZeroWhenEmpty);
    void InsertText(const QString &S);
    void Beeper() const;
    double GaugeValueAt(int X) const;
    void ButtonStep(int Y);
    int NearestPivot(double V) const;
    QString FormatValue(double Value) const;
    void UpdateLineColors();

    QString FInBuffer;
    QString FLoadedText; // a stored text, checked once the stored format is in
    bool FHasLoadedText = false;
    int FCaretPos = 0;
    int FSelBegin = 0;
    int FSelEnd = 0;
    bool FCaretVisib = true;
    TControlTimer *FCaretTimer = nullptr;
    bool FKeyShifted = false;
    bool FKeyCntrl = false;
    bool FValueChanged = false;
    bool FSuppressPaint = true;
    int FMouseAreaCode = 0;
    bool FOnLineCheck = true;
    TColor FColBlackLine = clBlack;
    TColor FColGrayLine = clGray;
    TColor FColWhiteLine = clWhite;

    TInFormat FInFormat = itFloat;
    int FDecP = 2;
    int FSigDig = 6;
    TDecPSep FDecPSep = dsBoth;
    double FMinimum = 0.0;
    double FMaximum = 1000.0;
    bool FBeep = false;
    bool FReadOnly = false;
    bool FAutoSize = false;
    bool FHideSel = true;
    int FLeftSpace = 35;
    int FTextBoxWidth = 80;
    QString FLeftText, FRightText;
    TAlignment FLeftTextAlign = taRightJustify;
    TAlignment FRightTextAlign = taLeftJustify;
    TAlignment FAlignment = taCenter;
    TFrameStyle FFrameStyle = fsLowered;
    TColor FColorBoxBG = clWhite;
    TColor FColorBoxText = clBlack;
    TColor FColorOutBG = clBtnFace;
    TColor FColorOutText = clBlack;
    TColor FColorWarnBG = 0x6088FFF0;
    TColor FColorWarnText = clRed;
    TColorScheme FColorScheme = csBWG;
    bool FButVisible = false;
    int FButWidth = 18;
    int FButHeight = 28;
    int FButSpace = 3;
    TColor FButColor = clSilver;
    double FButIncrem = 1.0;
    bool FBut3D = true;
    bool FGaugeVisible = false;
    int FGaugeHeight = 8;
    int FGaugeWidth = 82;
    int FGaugeLeftMargin = 35;
    int FGaugeTopMargin = 3;
    TColor FGaugeColor = clNavy;
    TColor FGaugeColorBg = clSilver;
    TColor FGaugeColorFrame = clGray;
    TFrameStyle FGaugeFrameStyle = fsLowered;

    TNotifyEvent FOnChange;
    TOnGaugeChangeEvent FOnGaugeChange;
};

} // namespace kro
