// One paint of the default-sized meter (band, scale, caption, both needles, shadow) against the
// baseline of filling a surface of the same size and copying it to the widget, in two cases:
// - needles: only the needles moved, the dial picture (background, band, scale, caption) is reused;
// - dial: a property the dial shows changed, so the whole picture is drawn again.
// All three go through the same path: compose the surface, then a synchronous paint event that
// copies it to the (exposed) window.
//
// For repeatable instruction counts run one case a fixed number of times under callgrind:
//   KROGUI_BENCH_ITERATIONS=50 valgrind --tool=callgrind ./krogui_bench_meter --benchmark_filter=Dial
#include <krogui/gauges/meter.h>

#include "benchutil.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

using benchutil::Counted;

void BM_FillAndCopyBaseline(benchmark::State &State)
{
    benchutil::ExposedWindow w(320, 240);
    Counted<kro::TGraphicControl> ctl(&w.Top);
    ctl.SetBounds(0, 0, 297, 209);
    ctl.SetColor(kro::clWhite);
    ctl.show();
    QCoreApplication::processEvents();
    ctl.PaintEvents = 0;
    for (auto _ : State) {
        ctl.Repaint(); // fills the surface
        ctl.repaint(); // copies it to the widget
    }
    benchutil::ReportPaintEvents(State, ctl.PaintEvents, "copies/iter");
}

void SetUpMeter(kro::TMeter &M)
{
    M.SetBounds(0, 0, 297, 209);
    M.SetCaption(QStringLiteral("Volts"));
    M.SetScaleBkWidth(10);
    M.SetScaleBkVisible(true);
    M.SetThresholdHigh(0.8);
    M.SetThresholdLow(0.2);
    M.NeedleLayout()->SetShadowDx(3);
    M.NeedleLayout()->SetShadowDy(3);
    M.NeedleLayout()->SetThickness(4);
    M.NeedleLayoutSec()->SetVisible(true);
    M.SetValueSec(0.3);
    M.SetValue(0.6);
    M.show();
    QCoreApplication::processEvents();
}

// The usual case: the needles move, the dial picture is reused.
void BM_MeterPaintNeedles(benchmark::State &State)
{
    benchutil::ExposedWindow w(320, 240);
    Counted<kro::TMeter> m(&w.Top);
    SetUpMeter(m);
    m.PaintEvents = 0;
    int i = 0;
    for (auto _ : State) {
        m.SetValue(0.3 + 0.001 * (++i % 500)); // repaints
        m.repaint();
    }
    benchutil::ReportPaintEvents(State, m.PaintEvents, "copies/iter");
}

// Every paint draws the dial too: a property it shows (the scale colour) changes each time.
void BM_MeterPaintDial(benchmark::State &State)
{
    benchutil::ExposedWindow w(320, 240);
    Counted<kro::TMeter> m(&w.Top);
    SetUpMeter(m);
    m.PaintEvents = 0;
    int i = 0;
    for (auto _ : State) {
        m.SetColorScale(++i % 2 ? kro::clNavy : kro::clBlack); // repaints
        m.repaint();
    }
    benchutil::ReportPaintEvents(State, m.PaintEvents, "copies/iter");
}

// Prints the usual table and remembers the times for the ratios.
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
    for (auto [name, fn] : {std::pair{"BM_FillAndCopyBaseline", &BM_FillAndCopyBaseline},
                            std::pair{"BM_MeterPaintNeedles", &BM_MeterPaintNeedles},
                            std::pair{"BM_MeterPaintDial", &BM_MeterPaintDial}}) {
        auto *b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMicrosecond);
        if (fixed > 0) b->Iterations(fixed);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto base = reporter.Times.find("BM_FillAndCopyBaseline");
    if (base != reporter.Times.end() && base->second.first > 0 && base->second.second > 0) {
        std::printf("\nOne paint of the default meter against filling and copying a 297 x 209 surface "
                    "(target: below 20 times):\n");
        std::printf("  %-34s %10.1f us real %10.1f us CPU\n", "baseline (fill and copy)", base->second.first,
                    base->second.second);
        for (auto [name, label] : {std::pair{"BM_MeterPaintNeedles", "needles moved, dial reused"},
                                   std::pair{"BM_MeterPaintDial", "full redraw (dial changed)"}}) {
            const auto m = reporter.Times.find(name);
            if (m == reporter.Times.end()) continue;
            const double real = m->second.first / base->second.first,
                         cpu = m->second.second / base->second.second;
            std::printf("  %-34s %10.1f us real %10.1f us CPU   ratio %6.1f real %6.1f CPU  %s\n", label,
                        m->second.first, m->second.second, real, cpu,
                        real < 20 && cpu < 20 ? "ok" : "ABOVE TARGET");
        }
    }
    benchmark::Shutdown();
    return 0;
}
