#include <krogui/buttons/repsbut.h>

#include <krogui/core/ctimer.h>

#include <QApplication>
#include <QMouseEvent>

namespace kro {

struct TRepSpeedButtonPrivate
{
    TControlTimer *FTimer = nullptr; // timer 1 of the button
    bool FRClickTimerEnabled = false;
    bool FIsStart = true;
    int FRepClickIv = 200;
    int FStartIv = 500;
    TNotifyEvent FOnRepeatClick;
    bool FWatching = false;
};

TRepSpeedButton::TRepSpeedButton(QWidget *Parent)
    : TSpeedButton(Parent), d(std::make_unique<TRepSpeedButtonPrivate>())
{
    d->FTimer = new TControlTimer(this, [this] { DoTimer(); });
}

TRepSpeedButton::~TRepSpeedButton()
{
    Watch(false);
}

int TRepSpeedButton::RepeatClickInterval() const
{
    return d->FRepClickIv;
}

void TRepSpeedButton::SetRepeatClickInterval(int Value)
{
    Value = std::max(10, Value);
    if (Value == d->FRepClickIv) return;
    d->FRepClickIv = Value;
    if (!IsDesigning()) UpdateTimer();
}

int TRepSpeedButton::StartClickInterval() const
{
    return d->FStartIv;
}

void TRepSpeedButton::SetStartClickInterval(int Value)
{
    Value = std::max(10, Value);
    if (Value == d->FStartIv) return;
    d->FStartIv = Value;
    if (!IsDesigning()) InitTimer();
}

void TRepSpeedButton::SetOnRepeatClick(TNotifyEvent H)
{
    d->FOnRepeatClick = std::move(H);
    if (!IsDesigning()) UpdateTimer();
}

const TNotifyEvent &TRepSpeedButton::OnRepeatClick() const
{
    return d->FOnRepeatClick;
}
bool TRepSpeedButton::Repeating() const
{
    return d->FRClickTimerEnabled;
}
TControlTimer *TRepSpeedButton::RepeatTimer() const
{
    return d->FTimer;
}

void TRepSpeedButton::InitTimer()
{
    d->FIsStart = true;
    d->FTimer->Kill();
    if (d->FStartIv > 0 && d->FRClickTimerEnabled && !d->FTimer->Start(d->FStartIv))
        throw EKRORepSpeedButton(ComponentMessage(QStringLiteral("no timer available")));
}

void TRepSpeedButton::UpdateTimer()
{
    d->FIsStart = false;
    d->FTimer->Kill();
    if (d->FRepClickIv > 0 && d->FRClickTimerEnabled && !d->FTimer->Start(d->FRepClickIv))
        throw EKRORepSpeedButton(ComponentMessage(QStringLiteral("no timer available")));
}

void TRepSpeedButton::StopRepeating()
{
    if (!d->FRClickTimerEnabled) return;
    d->FRClickTimerEnabled = false;
    d->FTimer->Kill();
    d->FIsStart = true;
    Watch(false);
    setDown(false); // the press is over: no click will follow from it
}

void TRepSpeedButton::DoTimer()
{
    if (!d->FRClickTimerEnabled) {
        d->FTimer->Kill(); // a tick that was already queued
        return;
    }
    // The hold is lost when the button can no longer receive its release: hidden, disabled,
    // blocked by a modal window, or another widget or pop-up holds the mouse.
    QWidget *modal = QApplication::activeModalWidget();
    QWidget *grabber = QWidget::mouseGrabber();
    if (!isVisible() || !isEnabled() || (modal && modal != window()) || QApplication::activePopupWidget() ||
        (grabber && grabber != this)) {
        StopRepeating();
        return;
    }
    if (d->FIsStart) UpdateTimer();
    try {
        RepeatClickEvent();
        if (d->FOnRepeatClick) d->FOnRepeatClick(this);
        Q_EMIT onRepeatClick(this);
    } catch (...) {
        StopRepeating();
        throw;
    }
}

void TRepSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || IsDesigning() || !isEnabled()) return;
    d->FRClickTimerEnabled = true;
    Watch(true);
    try {
        InitTimer();
    } catch (...) {
        StopRepeating();
        throw;
    }
}

void TRepSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    d->FRClickTimerEnabled = false;
    Watch(false);
    UpdateTimer(); // kills the timer: it is no longer enabled
}

void TRepSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave(); // fires OnMouseLeave
    // Leaving the held button ends the repetition; a mere pass over it reports nothing.
    StopRepeating();
}

void TRepSpeedButton::mouseMoveEvent(QMouseEvent *Event)
{
    TSpeedButton::mouseMoveEvent(Event);
    // While the mouse is held the button keeps the mouse, so leaving shows up as a move outside.
    if (d->FRClickTimerEnabled && !rect().contains(Event->position().toPoint())) StopRepeating();
}

void TRepSpeedButton::hideEvent(QHideEvent *Event)
{
    TSpeedButton::hideEvent(Event);
    StopRepeating();
}

void TRepSpeedButton::changeEvent(QEvent *Event)
{
    TSpeedButton::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange && !isEnabled()) StopRepeating();
}

void TRepSpeedButton::Watch(bool On)
{
    if (On == d->FWatching || !qApp) return;
    d->FWatching = On;
    if (On)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool TRepSpeedButton::eventFilter(QObject *Watched, QEvent *Event)
{
    // Only installed while the button is held: anything that takes the mouse away from it ends
    // the repetition at once (a modal dialog or pop-up opened from a handler, another window
    // activated, a release that went elsewhere).
    if (d->FRClickTimerEnabled) {
        switch (Event->type()) {
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
            if (Watched == window()) StopRepeating();
            break;
        case QEvent::Show:
            if (auto *w = qobject_cast<QWidget *>(Watched);
                w && w != window() && w->isWindow() && (w->isModal() || w->windowType() == Qt::Popup))
                StopRepeating();
            break;
        case QEvent::MouseButtonRelease:
            if (Watched != this && static_cast<QMouseEvent *>(Event)->button() == Qt::LeftButton &&
                Watched->isWidgetType())
                StopRepeating();
            break;
        default:
            break;
        }
    }
    return TSpeedButton::eventFilter(Watched, Event);
}

} // namespace kro
