#pragma once
// The control core: what every krogui control has whatever Qt widget it is built on.
//
// TControlCore is not a QObject. A control inherits it beside its Qt class (QWidget, QLineEdit,
// QAbstractScrollArea, QComboBox, ...) and gets, once for all bases:
// - the event slots OnClick ... OnEndDrag with their setters and getters;
// - the overridable handlers MouseDown, MouseUp, MouseMove, Click, DblClick, MouseEnter,
//   MouseLeave, KeyDown, KeyPress, KeyUp, DoEnter, DoExit, DoMouseWheel and the drag handlers,
//   whose defaults fire the events;
// - Color, Font/ParentFont, Hint/ShowHint, Cursor, bounds and Visible;
// - Input(), the router that turns the widget's Qt events into the handlers above.
//
// The widget forwards its Qt event overrides to Input() (see inputrouter.h) and publishes the
// properties with Q_PROPERTY; moc reads the getters and setters through inheritance. It declares
// the events' signals (onClick ... onEndDrag, see coresignals.h) and binds them in its constructor;
// the core emits each right after the event's handler.
//
// Accessibility: every control gets an accessible interface from the core (installed with the
// first control) with the role AccessibleRole(), the widget's accessible name (else its object
// name) and description, and, where AccessibleNumeric() says so, the value interface. A control
// built on a Qt widget that has an interface of its own (an edit field, a combo box, a button, a
// tree) keeps everything that interface offers.

#include <krogui/core/coresignals.h>
#include <krogui/core/inputrouter.h>
#include <krogui/graphics/canvas.h>
#include <krogui/graphics/propertyfaces.h>

#include <QAccessible>

#include <QString>

#include <memory>

class QFont;
class QMimeData;
class QWidget;

namespace kro {

struct TControlCorePrivate;

class KROGUI_EXPORT TControlCore
{
public:
    virtual ~TControlCore();
    TControlCore(const TControlCore &) = delete;
    TControlCore &operator=(const TControlCore &) = delete;

    // ---- geometry as the framework names it ----
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int Value) { SetBounds(Value, Top(), Width(), Height()); }
    void SetTop(int Value) { SetBounds(Left(), Value, Width(), Height()); }
    void SetWidth(int Value) { SetBounds(Left(), Top(), Value, Height()); }
    void SetHeight(int Value) { SetBounds(Left(), Top(), Width(), Value); }
    /// Moves and sizes the control (negative sizes count as 0).
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    bool Visible() const;
    /// Shows or hides the control. A control without a parent only remembers the wish (it
    /// would otherwise become a window of its own).
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    // ---- look ----
    /// Background colour (TColor; system colours follow the palette).
    TColor Color() const;
    /// Stores the colour; when it changed, ColorChanged runs.
    virtual void SetColor(TColor Value);
    KRO_COLOR_FACE(Color)
    /// The control's font; changing it clears ParentFont and runs FontChanged.
    TFont *Font();
    const TFont *Font() const;
    void SetFont(const TFont &Value);
    KRO_FONT_FACE(Font)
    /// When true the font follows the parent widget's font, or the application's font for a
    /// control without parent (family, size and style; the colour stays the control's). Off by
    /// default: a control keeps its own pixel-exact font. Setting the font clears it.
    bool ParentFont() const;
    void SetParentFont(bool Value);
    /// The help text: the accessible description, and the tool tip while ShowHint is on.
    QString Hint() const;
    void SetHint(const QString &Value);
    bool ShowHint() const;
    void SetShowHint(bool Value);
    Qt::CursorShape Cursor() const;
    void SetCursor(Qt::CursorShape Value);

    // ---- dragging ----
    TDragMode DragMode() const;
    void SetDragMode(TDragMode Value);
    /// The cursor while this control is dragged over a place that accepts it: Qt::DragMoveCursor
    /// (the default), Qt::DragCopyCursor or Qt::DragLinkCursor (the drop action they stand for).
    Qt::CursorShape DragCursor() const;
    void SetDragCursor(Qt::CursorShape Value);
    /// Starts dragging the control: at once, or when the mouse has moved Threshold pixels with
    /// the left button held (a negative Threshold means the platform's distance).
    void BeginDrag(bool Immediate, int Threshold = -1);
    /// True while a drag of this control is pending or running.
    bool Dragging() const;

    // ---- events ----
    void SetOnClick(TNotifyEvent H) { FOnClick = std::move(H); }
    const TNotifyEvent &OnClick() const { return FOnClick; }
    void SetOnDblClick(TNotifyEvent H) { FOnDblClick = std::move(H); }
    const TNotifyEvent &OnDblClick() const { return FOnDblClick; }
    void SetOnMouseDown(TMouseEvent H) { FOnMouseDown = std::move(H); }
    const TMouseEvent &OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseUp(TMouseEvent H) { FOnMouseUp = std::move(H); }
    const TMouseEvent &OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseMove(TMouseMoveEvent H) { FOnMouseMove = std::move(H); }
    const TMouseMoveEvent &OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseEnter(TNotifyEvent H) { FOnMouseEnter = std::move(H); }
    const TNotifyEvent &OnMouseEnter() const { return FOnMouseEnter; }
    void SetOnMouseLeave(TNotifyEvent H) { FOnMouseLeave = std::move(H); }
    const TNotifyEvent &OnMouseLeave() const { return FOnMouseLeave; }
    /// Called after a size change, in addition to the control's own handling.
    void SetOnResize(TNotifyEvent H) { FOnResize = std::move(H); }
    const TNotifyEvent &OnResize() const { return FOnResize; }
    /// Key is the virtual-key number; setting it to 0 swallows the key.
    void SetOnKeyDown(TKeyEvent H) { FOnKeyDown = std::move(H); }
    const TKeyEvent &OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyUp(TKeyEvent H) { FOnKeyUp = std::move(H); }
    const TKeyEvent &OnKeyUp() const { return FOnKeyUp; }
    /// The typed character; changing it types another one, QChar() swallows it.
    void SetOnKeyPress(TKeyPressEvent H) { FOnKeyPress = std::move(H); }
    const TKeyPressEvent &OnKeyPress() const { return FOnKeyPress; }
    void SetOnEnter(TNotifyEvent H) { FOnEnter = std::move(H); }
    const TNotifyEvent &OnEnter() const { return FOnEnter; }
    void SetOnExit(TNotifyEvent H) { FOnExit = std::move(H); }
    const TNotifyEvent &OnExit() const { return FOnExit; }
    void SetOnStartDrag(TStartDragEvent H) { FOnStartDrag = std::move(H); }
    const TStartDragEvent &OnStartDrag() const { return FOnStartDrag; }
    /// Assigning OnDragOver (or OnDragDrop) makes the control a drop target.
    void SetOnDragOver(TDragOverEvent H);
    const TDragOverEvent &OnDragOver() const { return FOnDragOver; }
    void SetOnDragDrop(TDragDropEvent H);
    const TDragDropEvent &OnDragDrop() const { return FOnDragDrop; }
    void SetOnEndDrag(TEndDragEvent H) { FOnEndDrag = std::move(H); }
    const TEndDragEvent &OnEndDrag() const { return FOnEndDrag; }

    /// The router the widget's Qt event overrides feed.
    TInputRouter &Input();

    // ---- accessibility ----
    /// The role assistive tools are told (default: QAccessible::Client).
    virtual QAccessible::Role AccessibleRole() const;
    /// A numeric control returns true and fills in its value and range (default: false).
    virtual bool AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const;
    /// Sets the value from an assistive tool; false when the control is read-only (the default).
    virtual bool SetAccessibleNumericValue(double Value);
    /// Tells assistive tools that the value changed (call it where the value-changed signal is
    /// emitted).
    void NotifyAccessibleValueChanged();

protected:
    /// Self is the widget this core belongs to (the events' Sender); DefaultColor the colour
    /// the control starts with.
    explicit TControlCore(QWidget *Self, TColor DefaultColor = clBtnFace);
    QWidget *CoreWidget() const;

    // ---- input in the framework's terms; the defaults fire the events ----
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    /// A left press and release inside the control (before MouseUp).
    virtual void Click();
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    /// Keyboard input (a focusable control only). Setting Key to 0 swallows it.
    virtual void KeyDown(quint16 &Key, TShiftState Shift);
    virtual void KeyUp(quint16 &Key, TShiftState Shift);
    /// A character typed; setting Key to QChar() swallows it.
    virtual void KeyPress(QChar &Key);
    virtual void DoEnter();
    virtual void DoExit();
    /// Wheel steps (one per notch, WheelDelta +-120); return true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);
    /// The drag of this control begins; the default fires OnStartDrag.
    virtual void DoStartDrag(QMimeData &DragObject);
    /// Whether Source may be dropped at (X, Y); the default asks OnDragOver (false without it).
    virtual bool DragOver(QObject *Source, int X, int Y, TDragState State);
    virtual void DragDrop(QObject *Source, int X, int Y);
    /// The drag of this control ended on Target (nullptr: cancelled).
    virtual void DoEndDrag(QObject *Target, int X, int Y);

    /// The colour changed (SetColor); the default does nothing.
    virtual void ColorChanged() {}
    /// The font changed (own or inherited); the default does nothing.
    virtual void FontChanged() {}
    /// Takes the parent widget's font (the application's without a parent; keeping the font
    /// colour) while ParentFont is on.
    void FollowParentFont();
    /// Call from the widget's changeEvent: follows the parent's or the application's font on
    /// ParentChange, FontChange and ApplicationFontChange.
    void FontEvent(const QEvent *Event);
    /// Sets the font from a Qt font (keeping the font colour) without clearing ParentFont.
    void AdoptFont(const QFont &Value);
    /// Fires OnResize (when assigned) and onResize.
    void DoResize();

    /// Hands the control's signals to the core (call once, in the constructor of a base that
    /// declares them; see coresignals.h).
    template <class W>
    void BindCoreSignals(W *Self, TSignalProbe Probe)
    {
        SetCoreSignals(std::make_unique<TCoreSignalsOf<W>>(Self, std::move(Probe)));
    }
    void SetCoreSignals(std::unique_ptr<TCoreSignalSink> Sink);
    /// onDragOver or onDragDrop got a receiver (from connectNotify): the control becomes a drop
    /// target as with an assigned handler.
    void DropSignalConnected();

    TNotifyEvent FOnClick, FOnDblClick, FOnResize, FOnEnter, FOnExit, FOnMouseEnter, FOnMouseLeave;
    TMouseEvent FOnMouseDown, FOnMouseUp;
    TMouseMoveEvent FOnMouseMove;
    TKeyEvent FOnKeyDown, FOnKeyUp;
    TKeyPressEvent FOnKeyPress;
    TStartDragEvent FOnStartDrag;
    TDragOverEvent FOnDragOver;
    TDragDropEvent FOnDragDrop;
    TEndDragEvent FOnEndDrag;

private:
    friend class TInputRouter;
    friend class TAccessibleCoreLink;
    /// Expires when the core is destroyed (an accessible interface may outlive it briefly).
    std::weak_ptr<void> LifeToken() const;
    void UpdateDropTarget();
    /// OnDragOver/OnDragDrop assigned or their signals connected.
    bool WantsDrops() const;
    bool DragOverWanted() const;
    std::unique_ptr<TControlCorePrivate> const core;
};

} // namespace kro
