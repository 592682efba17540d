#pragma once
// Helpers shared by the paint benchmarks: an exposed window to paint into, a widget that counts
// its paint events, and the counter that reports them per iteration.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace benchutil {

// A shown top-level window that the platform has exposed: before that, QWidget::repaint() does
// not run the paint event and nothing would be copied.
struct ExposedWindow
{
    QWidget Top;
    ExposedWindow(int Width, int Height)
    {
        Top.resize(Width, Height);
        Top.show();
        QElapsedTimer t;
        t.start();
        while (!(Top.windowHandle() && Top.windowHandle()->isExposed()) && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
    }
};

// Counts the paint events that reach a widget, to show that every iteration really painted.
template <class T> class Counted : public T
{
public:
    using T::T;
    int PaintEvents = 0;

protected:
    void paintEvent(QPaintEvent *E) override
    {
        ++PaintEvents;
        T::paintEvent(E);
    }
};

inline void ReportPaintEvents(benchmark::State &State, int PaintEvents, const char *Counter)
{
    State.counters[Counter] = benchmark::Counter(
        double(PaintEvents) / double(std::max<benchmark::IterationCount>(1, State.iterations())));
}

} // namespace benchutil
