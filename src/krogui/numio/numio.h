#pragma once
// TNumIO: a single-line edit field that accepts only number text.
//
// Keys are not filtered: every change of the text is validated as a whole. A text that does not
// convert in the input format, or whose value lies outside RangeLow..RangeHigh (0 is always
// allowed, so incomplete input such as "-" can be typed), is replaced by the last accepted text
// with the caret one position further left; an accepted text becomes the last accepted text and
// OnChange fires.

#include <krogui/core/component.h>
#include <krogui/core/controlcore.h>
#include <krogui/numio/numtext.h>

#include <QLineEdit>

namespace kro {

struct TNumIOPrivate;

class KROGUI_EXPORT TNumIO : public QLineEdit, public TComponentBase, public TControlCore
{
    Q_OBJECT
    Q_PROPERTY(kro::NumIOEnums::TInFormat InputFormat READ InputFormat WRITE SetInputFormat)
    Q_PROPERTY(int FixPointDecPlaces READ FixPointDecPlaces WRITE SetFixPointDecPlaces)
    Q_PROPERTY(kro::TDecPSep DecPlaceSep READ DecPlaceSep WRITE SetDecPlaceSep)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(bool Beep READ Beep WRITE SetBeep)
    Q_PROPERTY(
        double Value READ Value WRITE SetValue NOTIFY ValueChanged USER true STORED false DESIGNABLE false)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(kro::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QColor Color READ ColorStored WRITE SetColor)
    Q_PROPERTY(QFont Font READ FontStored WRITE SetFont)
    Q_PROPERTY(QColor FontColor READ FontColorStored WRITE SetFontColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(kro::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(Qt::CursorShape DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(QString Text READ Text WRITE SetText NOTIFY TextChanged)
public:
    /// An empty field in itDynamic with 2 fixed-point places, no beep and the range 0..0
    /// (-uc_MaxDouble..uc_MaxDouble once the field is marked as designed).
    explicit TNumIO(QWidget *Parent = nullptr);
    ~TNumIO() override;

    // ---- published properties ----
    /// Format of the text; a change clears the last accepted text and revalidates the field.
    TInFormat InputFormat() const;
    void SetInputFormat(TInFormat Value);
    /// Decimal places of itFixPoint, clamped to 1..8; the text is not revalidated.
    int FixPointDecPlaces() const;
    void SetFixPointDecPlaces(int Value) { SetFixPDecPl(Value); }
    void SetFixPDecPl(int Value);
    /// Decimal separator choice; a change clears the last accepted text and revalidates.
    TDecPSep DecPlaceSep() const;
    void SetDecPlaceSep(TDecPSep Value) { SetDecPSep(Value); }
    void SetDecPSep(TDecPSep Value);
    /// Lower bound of the accepted range; a value not below RangeHigh makes the bounds change
    /// places. Always clears the last accepted text and revalidates.
    double RangeLow() const;
    void SetRangeLow(double Value);
    /// Upper bound; a value not above RangeLow makes the bounds change places. Always clears the
    /// last accepted text and revalidates.
    double RangeHigh() const;
    void SetRangeHigh(double Value);
    /// Beep (the system sound) when an edit is refused.
    bool Beep() const;
    void SetBeep(bool Value);

    /// The value of the text (GetLabValue); writing formats it by InputFormat (SetLabValue) without
    /// validation and without OnChange. NaN is refused; infinities become +-uc_MaxDouble.
    double Value() const { return GetLabValue(); }
    void SetValue(double Value) { SetLabValue(Value); }
    double GetLabValue() const;
    void SetLabValue(double Value);

    /// Converts Text by InputFormat and DecPlaceSep. True when the text is a number or can still
    /// grow into one ("-", "1e-"); Value is then its value (0 for the incomplete part).
    bool ConvertNumString(QString Text, double &Value) const;

    /// Select the whole text when the field is entered with the keyboard (default true).
    bool AutoSelect() const;
    void SetAutoSelect(bool Value);
    /// Keep the height fitted to the font (default true).
    bool AutoSize() const;
    void SetAutoSize(bool Value);
    /// bsSingle draws the edit frame, bsNone hides it.
    TBorderStyle BorderStyle() const { return hasFrame() ? bsSingle : bsNone; }
    void SetBorderStyle(TBorderStyle Value)
    {
        if (IsDeclaredValue(Value)) setFrame(Value != bsNone);
    }
    /// Background colour of the text area (default clWindow); setting it clears ParentColor.
    void SetColor(TColor Value) override;
    using TControlCore::SetColor;
    /// When true the background follows the parent's window colour.
    bool ParentColor() const;
    void SetParentColor(bool Value);
    /// Hide the selection while the field does not have the focus (default true).
    bool HideSelection() const;
    void SetHideSelection(bool Value);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool Value) { setReadOnly(Value); }
    /// Whether Tab reaches the field (default true).
    bool TabStop() const { return focusPolicy() != Qt::ClickFocus && focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus); }
    /// The field's text; an assigned text is validated like typed text.
    QString Text() const { return text(); }
    void SetText(const QString &Value) { setText(Value); }

    /// Moves and sizes the field; with AutoSize the height stays fitted to the font.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    /// Copies input format, beep flag, range and separator choice of another TNumIO (not the
    /// decimal places, not the text) and revalidates.
    void Assign(const TComponentBase *Source) override;

    // ---- events ----
    /// Fired after an accepted change of the text (not for rewrites by the field itself).
    void SetOnChange(TNotifyEvent H);
    /// The handler of OnChange (empty when none is assigned).
    const TNotifyEvent &OnChange() const;

    // ---- accessibility ----
    /// An editable text field.
    QAccessible::Role AccessibleRole() const override;
    /// The value with RangeLow and RangeHigh.
    bool AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const override;
    /// Writes a value within the range (0 always fits), not while read-only.
    bool SetAccessibleNumericValue(double Value) override;

Q_SIGNALS:
    /// The value of the text changed (typed, pasted, assigned, or rewritten by the field).
    void ValueChanged(double Value);
    /// The text changed, whatever changed it.
    void TextChanged(const QString &Text);
    /// Emitted right after the OnChange handler, whether or not one is assigned.
    void onChange(QObject *Sender);

protected:
    /// The validation run after every change of the text.
    virtual void Change();
    /// Writes Text as the field's own change: the notification it causes is not validated.
    void SetEditText(const QString &Text);

    void Loaded() override;
    void DesigningChanged() override;
    bool AssignTo(TComponentBase *Dest) const override;

    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void wheelEvent(QWheelEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void dragEnterEvent(QDragEnterEvent *Event) override;
    void dragMoveEvent(QDragMoveEvent *Event) override;
    void dragLeaveEvent(QDragLeaveEvent *Event) override;
    void dropEvent(QDropEvent *Event) override;
    void ColorChanged() override;
    void FontChanged() override;

    // ---- the core events as signals, emitted right after the handler (see coresignals.h) ----
Q_SIGNALS:
    void onClick(QObject *Sender);
    void onDblClick(QObject *Sender);
    void onMouseDown(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseUp(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseMove(QObject *Sender, kro::TShiftState Shift, int X, int Y);
    void onMouseEnter(QObject *Sender);
    void onMouseLeave(QObject *Sender);
    void onResize(QObject *Sender);
    /// Key may be changed by a directly connected slot (0 swallows the key).
    void onKeyDown(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    void onKeyUp(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    /// Key may be changed by a directly connected slot (QChar() swallows it).
    void onKeyPress(QObject *Sender, QChar &Key);
    void onEnter(QObject *Sender);
    void onExit(QObject *Sender);
    void onStartDrag(QObject *Sender, QMimeData &DragObject);
    /// Accept comes preset to true; a directly connected slot may refuse the drop.
    void onDragOver(QObject *Sender, QObject *Source, int X, int Y, kro::TDragState State, bool &Accept);
    void onDragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void onEndDrag(QObject *Sender, QObject *Target, int X, int Y);

protected:
    void connectNotify(const QMetaMethod &Signal) override;

private:
    bool Convert(QString Text, double &Value, TSeparatorMode Mode) const;
    QString FormatValue(double Value) const;
    void ApplyPalette();
    void FitHeight();
    void UpdateAccessibleText();
    void TextEdited();
    void NotifyValue();
    std::unique_ptr<TNumIOPrivate> const d;
};

} // namespace kro
