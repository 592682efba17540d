#pragma once
// A control's own timer (the classic "timer on a hidden window", identifier 1).

#include <krogui/core/error.h>

#include <QObject>
#include <QTimer>

#include <functional>

namespace kro {

/// Owned by a control. Ticks arrive on the user-interface thread and run the handler; an
/// exception thrown by the handler goes to HandleException and never crosses Qt.
class KROGUI_EXPORT TControlTimer : public QObject
{
    Q_OBJECT
public:
    explicit TControlTimer(QObject *Owner, std::function<void()> OnTimer = {});
    ~TControlTimer() override;

    void SetOnTimer(std::function<void()> Handler) { FOnTimer = std::move(Handler); }
    /// Starts (or restarts) the timer with an interval in milliseconds (at least 1). Returns false
    /// when no timer is available (no event loop for this thread, for example).
    bool Start(int IntervalMs);
    /// Starts the timer and raises EKROError(`Component "Name": no timer available`) for the
    /// given component name when that fails.
    void StartOrThrow(int IntervalMs, const QString &ComponentName);
    /// Stops the timer (nothing happens when it is not running).
    void Kill();
    /// Changes the interval; a running timer continues with the new one.
    bool SetInterval(int IntervalMs);
    int Interval() const { return FTimer.interval(); }
    bool IsActive() const { return FTimer.isActive(); }
    /// Runs one tick now, exactly as the timer would (tests drive timers this way).
    void Tick();

private:
    QTimer FTimer;
    std::function<void()> FOnTimer;
};

} // namespace kro
