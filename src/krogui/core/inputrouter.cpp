#include <krogui/core/controlcore.h>
#include <krogui/core/error.h>
#include <krogui/core/inputrouter.h>
#include <krogui/core/keys.h>

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace kro {

namespace {
TShiftState MouseShift(const QMouseEvent *Event)
{
    return ShiftStateFromQt(Event->modifiers(), Event->buttons());
}

// A shifted sign of the main keyboard implies Shift; the same sign on the numeric pad does not.
TShiftState KeyShift(const QKeyEvent *Event)
{
    TShiftState shift = ShiftStateFromQt(Event->modifiers());
    if (QtKeyImpliesShift(Event->key()) && !(Event->modifiers() & Qt::KeypadModifier)) shift |= ssShift;
    return shift;
}

Qt::DropAction ActionOfCursor(Qt::CursorShape Shape)
{
    switch (Shape) {
    case Qt::DragCopyCursor:
        return Qt::CopyAction;
    case Qt::DragLinkCursor:
        return Qt::LinkAction;
    default:
        return Qt::MoveAction;
    }
}
} // namespace

QString TDragData::Format()
{
    return QStringLiteral("application/x-krogui-control");
}

TDragData::TDragData(QObject *ASource) : Source(ASource)
{
    setData(Format(), ASource ? ASource->objectName().toUtf8() : QByteArray());
}

TInputRouter::TInputRouter(TControlCore &Core) : FCore(Core) {}

// ==== mouse ========================================================================================

void TInputRouter::MousePress(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    FPressedInside = Event->button() == Qt::LeftButton;
    if (Event->button() == Qt::LeftButton && FCore.DragMode() == dmAutomatic && !FDragRunning) {
        FDragPending = true;
        FDragFrom = pos;
        FDragThreshold = QApplication::startDragDistance();
    }
    SafeInvoke(
        [&] { FCore.MouseDown(MouseButtonFromQt(Event->button()), MouseShift(Event), pos.x(), pos.y()); });
}

void TInputRouter::MouseRelease(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    const bool click =
        Event->button() == Qt::LeftButton && FPressedInside && FCore.CoreWidget()->rect().contains(pos);
    if (Event->button() == Qt::LeftButton) {
        FPressedInside = false;
        FDragPending = false;
    }
    SafeInvoke([&] {
        if (click) FCore.Click();
        FCore.MouseUp(MouseButtonFromQt(Event->button()), MouseShift(Event), pos.x(), pos.y());
    });
}

void TInputRouter::MouseDoubleClick(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    // The release that ends a double click is no click of its own.
    FPressedInside = false;
    const TShiftState shift = MouseShift(Event) | ssDouble;
    SafeInvoke([&] {
        if (Event->button() == Qt::LeftButton) FCore.DblClick();
        FCore.MouseDown(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y());
    });
}

void TInputRouter::MouseMove(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    SafeInvoke([&] { FCore.MouseMove(MouseShift(Event), pos.x(), pos.y()); });
    if (FDragPending && (Event->buttons() & Qt::LeftButton) &&
        (pos - FDragFrom).manhattanLength() >= FDragThreshold)
        StartDrag();
}

bool TInputRouter::Wheel(QWheelEvent *Event)
{
    FWheelAccum += Event->angleDelta().y();
    const QPoint pos = Event->position().toPoint();
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    bool handled = false;
    while (std::abs(FWheelAccum) >= 120) {
        const int step = FWheelAccum > 0 ? 120 : -120;
        FWheelAccum -= step;
        SafeInvoke([&] { handled = FCore.DoMouseWheel(shift, step, pos.x(), pos.y()) || handled; });
    }
    return handled;
}

void TInputRouter::Enter()
{
    SafeInvoke([this] { FCore.MouseEnter(); });
}

void TInputRouter::Leave()
{
    SafeInvoke([this] { FCore.MouseLeave(); });
}

// ==== keys and focus ===============================================================================

TInputRouter::TKeyResult TInputRouter::KeyPress(QKeyEvent *Event)
{
    TKeyResult result;
    quint16 key = VirtualKeyFromEvent(Event);
    const TShiftState shift = KeyShift(Event);
    SafeInvoke([&] {
        if (key != 0) {
            FCore.KeyDown(key, shift);
            if (key == 0) {
                result.Swallowed = true;
                return;
            }
        }
        const QString text = Event->text();
        if (text.isEmpty() || (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return;
        result.Typed = true;
        for (const QChar ch : text) {
            QChar c = ch;
            FCore.KeyPress(c);
            if (!c.isNull()) result.Text += c;
        }
        result.Swallowed = result.Text.isEmpty();
    });
    return result;
}

void TInputRouter::KeyRelease(QKeyEvent *Event)
{
    quint16 key = VirtualKeyFromEvent(Event);
    const TShiftState shift = KeyShift(Event);
    if (key != 0) SafeInvoke([&] { FCore.KeyUp(key, shift); });
}

void TInputRouter::FocusIn()
{
    SafeInvoke([this] { FCore.DoEnter(); });
}

void TInputRouter::FocusOut()
{
    SafeInvoke([this] { FCore.DoExit(); });
}

// ==== dragging: source side =========================================================================

void TInputRouter::BeginDrag(bool Immediate, int Threshold)
{
    if (FDragRunning) return;
    if (Immediate) {
        StartDrag();
        return;
    }
    FDragPending = true;
    FDragFrom = FCore.CoreWidget()->mapFromGlobal(QCursor::pos());
    FDragThreshold = Threshold < 0 ? QApplication::startDragDistance() : Threshold;
}

void TInputRouter::StartDrag()
{
    FDragPending = false;
    FPressedInside = false; // the release ends the drag, it is no click
    QWidget *self = FCore.CoreWidget();
    QPointer<QWidget> guard(self);
    auto *data = new TDragData(self);
    QPointer<TDragData> dataGuard(data);
    QDrag drag(self);
    drag.setMimeData(data);
    FDragRunning = true;
    SafeInvoke([&] { FCore.DoStartDrag(*data); });
    Qt::DropAction action = Qt::IgnoreAction;
    SafeInvoke(
        [&] { action = FDragRunner ? FDragRunner(drag) : drag.exec(ActionOfCursor(FCore.DragCursor())); });
    if (!guard) return; // the control went away during the drag
    FDragRunning = false;
    QObject *target = nullptr;
    QPoint pos;
    if (dataGuard && action != Qt::IgnoreAction) {
        target = data->Target;
        pos = data->TargetPos;
    }
    SafeInvoke([&] { FCore.DoEndDrag(target, pos.x(), pos.y()); });
}

// ==== dragging: target side =========================================================================

bool TInputRouter::IsDropTarget() const
{
    return FCore.WantsDrops();
}

QObject *TInputRouter::SourceOf(const QDropEvent *Event) const
{
    if (const auto *data = dynamic_cast<const TDragData *>(Event->mimeData())) return data->Source;
    return Event->source();
}

bool TInputRouter::AskDragOver(QObject *Source, QPoint Pos, TDragState State)
{
    bool accept = false;
    SafeInvoke([&] { accept = FCore.DragOver(Source, Pos.x(), Pos.y(), State); });
    return accept;
}

bool TInputRouter::DragEnter(QDragEnterEvent *Event)
{
    if (!IsDropTarget()) return false;
    FOverSource = SourceOf(Event);
    FOverPos = Event->position().toPoint();
    FOverAccept = AskDragOver(FOverSource, FOverPos, dsDragEnter);
    FJustEntered = true;
    // Enter is always taken, so that moves keep coming; whether a drop is allowed is decided
    // per position.
    Event->setDropAction(FOverAccept ? Event->proposedAction() : Qt::IgnoreAction);
    Event->accept();
    return true;
}

bool TInputRouter::DragMove(QDragMoveEvent *Event)
{
    if (!IsDropTarget()) return false;
    const QPoint pos = Event->position().toPoint();
    // Qt follows an accepted enter with a move to the same place: that one was answered already.
    if (!(FJustEntered && pos == FOverPos)) {
        FOverPos = pos;
        FOverAccept = AskDragOver(SourceOf(Event), pos, dsDragMove);
    }
    FJustEntered = false;
    if (FOverAccept)
        Event->acceptProposedAction();
    else
        Event->ignore();
    return true;
}

bool TInputRouter::DragLeave()
{
    if (!IsDropTarget()) return false;
    AskDragOver(FOverSource, FOverPos, dsDragLeave);
    FOverSource = nullptr;
    FJustEntered = false;
    return true;
}

bool TInputRouter::Drop(QDropEvent *Event)
{
    if (!IsDropTarget()) return false;
    const QPoint pos = Event->position().toPoint();
    QObject *source = SourceOf(Event);
    FOverSource = nullptr;
    FJustEntered = false;
    if (const auto *data = dynamic_cast<const TDragData *>(Event->mimeData())) {
        data->Target = FCore.CoreWidget();
        data->TargetPos = pos;
    }
    Event->acceptProposedAction();
    SafeInvoke([&] { FCore.DragDrop(source, pos.x(), pos.y()); });
    return true;
}

} // namespace kro
