// One paint of a 300 x 24 progress bar with its value text against QProgressBar painting the same
// size in the same run (target: at most its time). Each iteration changes the value, so both
// controls draw everything again, and then paints the widget synchronously on an exposed window.
// Our bar is measured plain (one colour) and with the colour table drawn line by line.
#include <krogui/gauges/progbar.h>

#include "benchutil.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QProgressBar>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

using benchutil::Counted;

void BM_QProgressBar(benchmark::State &State)
{
    benchutil::ExposedWindow w(320, 60);
    Counted<QProgressBar> bar(&w.Top);
    bar.setGeometry(0, 0, 300, 24);
    bar.setRange(0, 100);
    bar.setTextVisible(true);
    bar.show();
    QCoreApplication::processEvents();
    bar.PaintEvents = 0;
    int i = 0;
    for (auto _ : State) {
        bar.setValue(++i % 100); // repaints at once: its text changes with every value
    }
    benchutil::ReportPaintEvents(State, bar.PaintEvents, "paints/iter");
}

void RunProgBar(benchmark::State &State, bool Gradient)
{
    benchutil::ExposedWindow w(320, 60);
    Counted<kro::TProgBar> bar(&w.Top);
    bar.SetBounds(0, 0, 300, 24);
    bar.SetTextPosX(150);
    bar.SetTextPosY(12);
    bar.SetShowColorGradient(Gradient);
    bar.show();
    QCoreApplication::processEvents();
    bar.PaintEvents = 0;
    int i = 0;
    for (auto _ : State) {
        bar.SetValue(++i % 100); // composes the picture
        bar.repaint();           // copies it to the widget
    }
    benchutil::ReportPaintEvents(State, bar.PaintEvents, "paints/iter");
}

void BM_ProgBar(benchmark::State &State)
{
    RunProgBar(State, false);
}
void BM_ProgBarGradient(benchmark::State &State)
{
    RunProgBar(State, true);
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, std::pair<double, double>> Times; // real, cpu (microseconds)
    void ReportRuns(const std::vector<Run> &Reports) override
    {
        for (const Run &r : Reports)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                Times[r.run_name.function_name] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(Reports);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int fixed = qEnvironmentVariableIntValue("KROGUI_BENCH_ITERATIONS");
    for (auto [name, fn] :
         {std::pair{"BM_QProgressBar", &BM_QProgressBar}, std::pair{"BM_ProgBar", &BM_ProgBar},
          std::pair{"BM_ProgBarGradient", &BM_ProgBarGradient}}) {
        auto *b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMicrosecond);
        if (fixed > 0) b->Iterations(fixed);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto base = reporter.Times.find("BM_QProgressBar");
    if (base != reporter.Times.end() && base->second.first > 0 && base->second.second > 0) {
        std::printf("\nOne paint of a 300 x 24 bar with text against QProgressBar (target: at most 1x):\n");
        for (auto [name, label] : {std::pair{"BM_ProgBar", "TProgBar, one colour"},
                                   std::pair{"BM_ProgBarGradient", "TProgBar, colour table"}}) {
            const auto m = reporter.Times.find(name);
            if (m == reporter.Times.end()) continue;
            const double real = m->second.first / base->second.first,
                         cpu = m->second.second / base->second.second;
            std::printf("  %-24s %8.1f us real %8.1f us CPU   ratio %5.2f real %5.2f CPU  %s\n", label,
                        m->second.first, m->second.second, real, cpu,
                        real <= 1 && cpu <= 1 ? "ok" : "ABOVE TARGET");
        }
    }
    benchmark::Shutdown();
    return 0;
}
