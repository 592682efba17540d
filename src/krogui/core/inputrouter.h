#pragma once
// The one translation of Qt input into the framework's handlers.
//
// A control's Qt event overrides hand their events to its TInputRouter (TControlCore::Input()),
// which calls the control's MouseDown, MouseMove, MouseUp, Click, DblClick, KeyDown, KeyPress,
// KeyUp, DoEnter, DoExit, MouseEnter, MouseLeave, DoMouseWheel and drag handlers, catching what
// they throw. The widget decides itself whether its Qt base class sees the event as well (an edit
// field must, a self-drawn control need not):
//
//   void TMine::mousePressEvent(QMouseEvent *E) { Input().MousePress(E); E->accept(); }
//
// Mouse rules: a left press and release inside the control is a Click, fired before MouseUp; a
// double click fires DblClick and then MouseDown with ssDouble, and the release that ends it is
// no Click of its own. Key rules: KeyDown gets the virtual-key number (0 from the handler
// swallows the key), then KeyPress runs once per typed character unless Ctrl or Alt is held.
// A shifted sign of the main keyboard ('$') implies ssShift; the same sign on the numeric pad
// does not.

#include <krogui/core/types.h>

#include <QMimeData>
#include <QPoint>
#include <QPointer>

class QDrag;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace kro {

class TControlCore;

/// What a control drags: the data of the drag (OnStartDrag may add formats for other
/// applications) plus where it went, which the drop side writes back for OnEndDrag.
class KROGUI_EXPORT TDragData : public QMimeData
{
public:
    /// The format every krogui drag carries, so that krogui targets recognise it.
    static QString Format();
    explicit TDragData(QObject *Source);
    QPointer<QObject> Source;
    mutable QPointer<QObject> Target;
    mutable QPoint TargetPos;
};

/// Runs a prepared drag and returns the action it ended with (the default is QDrag::exec).
using TDragRunner = std::function<Qt::DropAction(QDrag &Drag)>;

class KROGUI_EXPORT TInputRouter
{
public:
    explicit TInputRouter(TControlCore &Core);
    TInputRouter(const TInputRouter &) = delete;
    TInputRouter &operator=(const TInputRouter &) = delete;

    // ---- mouse ----
    void MousePress(QMouseEvent *Event);
    void MouseRelease(QMouseEvent *Event);
    void MouseDoubleClick(QMouseEvent *Event);
    void MouseMove(QMouseEvent *Event);
    /// Calls DoMouseWheel once per notch (angle deltas are summed until they make a notch);
    /// true when a step was handled.
    bool Wheel(QWheelEvent *Event);
    void Enter();
    void Leave();

    // ---- keys and focus ----
    struct TKeyResult
    {
        /// KeyDown set the key to 0, or KeyPress swallowed every character.
        bool Swallowed = false;
        /// Characters reached KeyPress.
        bool Typed = false;
        /// The characters as the KeyPress handlers left them (swallowed ones removed).
        QString Text;
    };
    /// Runs KeyDown and then KeyPress for a key press.
    TKeyResult KeyPress(QKeyEvent *Event);
    void KeyRelease(QKeyEvent *Event);
    void FocusIn();
    void FocusOut();

    // ---- dragging: source side ----
    /// Arms a drag (Immediate: starts it now). Threshold < 0: the platform's drag distance.
    void BeginDrag(bool Immediate, int Threshold);
    bool Dragging() const { return FDragPending || FDragRunning; }
    /// Replaces the way a drag is run (tests, or a control that runs its own loop).
    void SetDragRunner(TDragRunner Runner) { FDragRunner = std::move(Runner); }

    // ---- dragging: target side. Each returns false when the control is no drop target, so
    // that the widget can hand the event to its Qt base (an edit field taking dropped text). ----
    bool DragEnter(QDragEnterEvent *Event);
    bool DragMove(QDragMoveEvent *Event);
    bool DragLeave();
    bool Drop(QDropEvent *Event);

private:
    bool IsDropTarget() const;
    void StartDrag();
    QObject *SourceOf(const QDropEvent *Event) const;
    bool AskDragOver(QObject *Source, QPoint Pos, TDragState State);

    TControlCore &FCore;
    bool FPressedInside = false;
    int FWheelAccum = 0;
    bool FDragPending = false;
    bool FDragRunning = false;
    QPoint FDragFrom;
    int FDragThreshold = 0;
    TDragRunner FDragRunner;
    // target side
    QPointer<QObject> FOverSource;
    QPoint FOverPos{-1, -1};
    bool FOverAccept = false;
    bool FJustEntered = false;
};

} // namespace kro
