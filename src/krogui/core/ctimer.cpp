#include <krogui/core/ctimer.h>

#include <QThread>

namespace kro {

TControlTimer::TControlTimer(QObject *Owner, std::function<void()> OnTimer)
    : QObject(Owner), FOnTimer(std::move(OnTimer))
{
    FTimer.setTimerType(Qt::PreciseTimer);
    connect(&FTimer, &QTimer::timeout, this, &TControlTimer::Tick);
}

TControlTimer::~TControlTimer() { FTimer.stop(); }

bool TControlTimer::Start(int IntervalMs)
{
    // A timer needs an event dispatcher on the thread that owns it.
    if (!QThread::currentThread()->eventDispatcher() || thread() != QThread::currentThread())
        return false;
    FTimer.start(std::max(1, IntervalMs));
    return FTimer.isActive();
}

void TControlTimer::StartOrThrow(int IntervalMs, const QString &ComponentName)
{
    if (!Start(IntervalMs))
        throw EKROError(ComponentMessage(ComponentName, QStringLiteral("no timer available")));
}

void TControlTimer::Kill() { FTimer.stop(); }

bool TControlTimer::SetInterval(int IntervalMs)
{
    if (!FTimer.isActive()) {
        FTimer.setInterval(std::max(1, IntervalMs));
        return true;
    }
    return Start(IntervalMs);
}

void TControlTimer::Tick()
{
    if (!FOnTimer)
        return;
    // A handler may replace itself (or kill the timer) while it runs: run a copy.
    const std::function<void()> handler = FOnTimer;
    SafeInvoke(handler);
}

} // namespace kro
