// One full paint of the default-sized meter (band, scale, caption, both needles, shadow) against the
// baseline of filling a surface of the same size and copying it to the widget. All go through the
// same path: compose the surface, then a synchronous paint event that copies it to the screen.
#include <krogui/gauges/meter.h>

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct Window
{
    QWidget Top;
    Window()
    {
        Top.resize(320, 240);
        Top.show();
    }
};

void BM_FillAndCopyBaseline(benchmark::State &State)
{
    Window w;
    kro::TGraphicControl ctl(&w.Top);
    ctl.SetBounds(0, 0, 297, 209);
    ctl.SetColor(kro::clWhite);
    ctl.show();
    for (auto _ : State) {
        ctl.Repaint(); // fills the surface
        ctl.repaint(); // copies it to the widget
    }
}
BENCHMARK(BM_FillAndCopyBaseline)->Unit(benchmark::kMicrosecond);

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
}

// The usual case: the needles move, the dial picture (background, band, scale, caption) is reused.
void BM_MeterFullPaint(benchmark::State &State)
{
    Window w;
    kro::TMeter m(&w.Top);
    SetUpMeter(m);
    int i = 0;
    for (auto _ : State) {
        m.SetValue(0.3 + 0.001 * (++i % 500)); // repaints
        m.repaint();
    }
}
BENCHMARK(BM_MeterFullPaint)->Unit(benchmark::kMicrosecond);

// Every paint draws the dial too: a property it shows changes each time.
void BM_MeterFullPaintDialChanged(benchmark::State &State)
{
    Window w;
    kro::TMeter m(&w.Top);
    SetUpMeter(m);
    int i = 0;
    for (auto _ : State) {
        m.SetColorScale(++i % 2 ? kro::clNavy : kro::clBlack); // repaints
        m.repaint();
    }
}
BENCHMARK(BM_MeterFullPaintDialChanged)->Unit(benchmark::kMicrosecond);

// Prints the usual table and remembers the times for the ratio.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, std::pair<double, double>> Times; // real, cpu
    void ReportRuns(const std::vector<Run> &Reports) override
    {
        for (const Run &r : Reports)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                Times[r.benchmark_name()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(Reports);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto base = reporter.Times.find("BM_FillAndCopyBaseline");
    for (const char *name : {"BM_MeterFullPaint", "BM_MeterFullPaintDialChanged"}) {
        const auto meter = reporter.Times.find(name);
        if (base == reporter.Times.end() || meter == reporter.Times.end() || base->second.first <= 0 ||
            base->second.second <= 0)
            continue;
        std::printf("%s / baseline: %.1f (real time), %.1f (CPU time); target below 20\n", name,
                    meter->second.first / base->second.first, meter->second.second / base->second.second);
    }
    benchmark::Shutdown();
    return 0;
}
