#pragma once
// TRepSpeedButton: a speed button that repeats while the left mouse button holds it down, like a
// key held down: OnRepeatClick fires first after StartClickInterval, then every
// RepeatClickInterval, until the button is released.

#include <krogui/buttons/speedbutton.h>

namespace kro {

KRO_DECLARE_ERROR(EKRORepSpeedButton, EKROError)

struct TRepSpeedButtonPrivate;
class TControlTimer;

class KROGUI_EXPORT TRepSpeedButton : public TSpeedButton
{
    Q_OBJECT
    Q_PROPERTY(int RepeatClickInterval READ RepeatClickInterval WRITE SetRepeatClickInterval)
    Q_PROPERTY(int StartClickInterval READ StartClickInterval WRITE SetStartClickInterval)
public:
    /// Repeats every 200 ms after a first wait of 500 ms.
    explicit TRepSpeedButton(QWidget *Parent = nullptr);
    ~TRepSpeedButton() override;

    /// Milliseconds between repeats (at least 10). While held, the new interval applies at once.
    int RepeatClickInterval() const;
    void SetRepeatClickInterval(int Value);
    /// Milliseconds from the press to the first repeat (at least 10). While held, the wait for
    /// the first repeat starts again.
    int StartClickInterval() const;
    void SetStartClickInterval(int Value);
    /// Fired for each repeat. A handler that throws goes to the exception handler and ends the
    /// repetition.
    void SetOnRepeatClick(TNotifyEvent H);
    const TNotifyEvent &OnRepeatClick() const;

    /// True while the repetition runs (the button is held).
    bool Repeating() const;
    /// The button's own timer (tests drive it with Tick()).
    TControlTimer *RepeatTimer() const;

    /// Runs one tick: the first switches to the repeat interval; then RepeatClickEvent and
    /// OnRepeatClick.
    void DoTimer();

Q_SIGNALS:
    /// The signal of OnRepeatClick, emitted right after the handler.
    void onRepeatClick(QObject *Sender);

protected:
    /// A hook run before OnRepeatClick on each repeat; does nothing here.
    virtual void RepeatClickEvent() {}
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

    void mouseMoveEvent(QMouseEvent *Event) override;
    void hideEvent(QHideEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void InitTimer();
    void UpdateTimer();
    /// Ends the repetition without a release (the hold was lost).
    void StopRepeating();
    void Watch(bool On);
    std::unique_ptr<TRepSpeedButtonPrivate> const d;
};

} // namespace kro
