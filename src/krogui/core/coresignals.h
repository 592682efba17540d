#pragma once
// The Qt signals of the control core's events.
//
// Every control base declares, beside its event slots OnClick ... OnEndDrag, one signal per event:
// onClick, onDblClick, onMouseDown, onMouseUp, onMouseMove, onMouseEnter, onMouseLeave, onResize,
// onKeyDown, onKeyUp, onKeyPress, onEnter, onExit, onStartDrag, onDragOver, onDragDrop and
// onEndDrag, with the parameters of the event (Sender first; the parameters a handler may change,
// such as Key or Accept, as non-const references, so that a directly connected slot may change
// them too). The control core emits the signal right after it has called the handler, whether a
// handler is assigned or not.
//
// A base hands its signals to the core once, in its constructor:
//
//   TMine::TMine(QWidget *Parent) : QWidget(Parent), ..., TControlCore(this) { BindCoreSignals(this); }
//
// (the lambda lets the core ask whether a signal has receivers) and reports new receivers of the
// drop signals from connectNotify (connecting onDragOver or onDragDrop makes the control a drop
// target, as assigning the handler does):
//
//   TMine::TMine(QWidget *Parent) : ...
//   {
//       BindCoreSignals(this, [this](const QMetaMethod &S) { return isSignalConnected(S); });
//   }
//   KRO_CORE_SIGNAL_LISTENERS(TMine, QWidget)   // in the .cpp: defines TMine::connectNotify

#include <krogui/core/types.h>

#include <QMetaMethod>

#include <functional>

class QMimeData;

namespace kro {

/// Emits the core events' signals of one control; the control core owns one per control.
class KROGUI_EXPORT TCoreSignalSink
{
public:
    virtual ~TCoreSignalSink();
    virtual void Click(QObject *Sender) = 0;
    virtual void DblClick(QObject *Sender) = 0;
    virtual void MouseDown(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y) = 0;
    virtual void MouseUp(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y) = 0;
    virtual void MouseMove(QObject *Sender, TShiftState Shift, int X, int Y) = 0;
    virtual void MouseEnter(QObject *Sender) = 0;
    virtual void MouseLeave(QObject *Sender) = 0;
    virtual void Resize(QObject *Sender) = 0;
    virtual void KeyDown(QObject *Sender, quint16 &Key, TShiftState Shift) = 0;
    virtual void KeyUp(QObject *Sender, quint16 &Key, TShiftState Shift) = 0;
    virtual void KeyPress(QObject *Sender, QChar &Key) = 0;
    virtual void Enter(QObject *Sender) = 0;
    virtual void Exit(QObject *Sender) = 0;
    virtual void StartDrag(QObject *Sender, QMimeData &DragObject) = 0;
    virtual void DragOver(QObject *Sender, QObject *Source, int X, int Y, TDragState State, bool &Accept) = 0;
    virtual void DragDrop(QObject *Sender, QObject *Source, int X, int Y) = 0;
    virtual void EndDrag(QObject *Sender, QObject *Target, int X, int Y) = 0;
    /// Whether onDragOver / onDragDrop have receivers now.
    virtual bool DragOverListened() const = 0;
    virtual bool DragDropListened() const = 0;
};

/// Tells whether a signal of the control has receivers (QObject::isSignalConnected, which only
/// the control itself may call).
using TSignalProbe = std::function<bool(const QMetaMethod &Signal)>;

/// The sink of a control class W that declares the signals.
template <class W> class TCoreSignalsOf final : public TCoreSignalSink
{
public:
    TCoreSignalsOf(W *Self, TSignalProbe Probe) : FSelf(Self), FProbe(std::move(Probe)) {}
    void Click(QObject *S) override { Q_EMIT FSelf->onClick(S); }
    void DblClick(QObject *S) override { Q_EMIT FSelf->onDblClick(S); }
    void MouseDown(QObject *S, TMouseButton B, TShiftState Sh, int X, int Y) override
    {
        Q_EMIT FSelf->onMouseDown(S, B, Sh, X, Y);
    }
    void MouseUp(QObject *S, TMouseButton B, TShiftState Sh, int X, int Y) override
    {
        Q_EMIT FSelf->onMouseUp(S, B, Sh, X, Y);
    }
    void MouseMove(QObject *S, TShiftState Sh, int X, int Y) override
    {
        Q_EMIT FSelf->onMouseMove(S, Sh, X, Y);
    }
    void MouseEnter(QObject *S) override { Q_EMIT FSelf->onMouseEnter(S); }
    void MouseLeave(QObject *S) override { Q_EMIT FSelf->onMouseLeave(S); }
    void Resize(QObject *S) override { Q_EMIT FSelf->onResize(S); }
    void KeyDown(QObject *S, quint16 &Key, TShiftState Sh) override { Q_EMIT FSelf->onKeyDown(S, Key, Sh); }
    void KeyUp(QObject *S, quint16 &Key, TShiftState Sh) override { Q_EMIT FSelf->onKeyUp(S, Key, Sh); }
    void KeyPress(QObject *S, QChar &Key) override { Q_EMIT FSelf->onKeyPress(S, Key); }
    void Enter(QObject *S) override { Q_EMIT FSelf->onEnter(S); }
    void Exit(QObject *S) override { Q_EMIT FSelf->onExit(S); }
    void StartDrag(QObject *S, QMimeData &Data) override { Q_EMIT FSelf->onStartDrag(S, Data); }
    void DragOver(QObject *S, QObject *Source, int X, int Y, TDragState State, bool &Accept) override
    {
        Q_EMIT FSelf->onDragOver(S, Source, X, Y, State, Accept);
    }
    void DragDrop(QObject *S, QObject *Source, int X, int Y) override
    {
        Q_EMIT FSelf->onDragDrop(S, Source, X, Y);
    }
    void EndDrag(QObject *S, QObject *Target, int X, int Y) override
    {
        Q_EMIT FSelf->onEndDrag(S, Target, X, Y);
    }

    bool DragOverListened() const override
    {
        return FProbe && FProbe(QMetaMethod::fromSignal(&W::onDragOver));
    }
    bool DragDropListened() const override
    {
        return FProbe && FProbe(QMetaMethod::fromSignal(&W::onDragDrop));
    }

private:
    W *FSelf;
    TSignalProbe FProbe;
};

} // namespace kro

/// Defines Class::connectNotify (declared in the class as an override), which makes the control a
/// drop target when onDragOver or onDragDrop gets a receiver. (It is called with Qt's connection
/// lock held at times, so it only compares the signal.)
#define KRO_CORE_SIGNAL_LISTENERS(Class, QtBase)                                                             \
    void Class::connectNotify(const QMetaMethod &Signal)                                                     \
    {                                                                                                        \
        QtBase::connectNotify(Signal);                                                                       \
        if (Signal == QMetaMethod::fromSignal(&Class::onDragOver) ||                                         \
            Signal == QMetaMethod::fromSignal(&Class::onDragDrop))                                           \
            DropSignalConnected();                                                                           \
    }
