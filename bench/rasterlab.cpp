// Cost of one scroll step of the dot-matrix label (step plus a full repaint) and of sampling a
// font into dots (what every font change costs).
#include <krogui/displays/rasterlab.h>

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

void BM_ScrollStep(benchmark::State &State)
{
    kro::TRasterLab lab;
    lab.SetBounds(0, 0, 400, 68);
    lab.SetDotSize(int(State.range(0)));
    lab.SetText(QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789"));
    lab.SetCharBlockMode(kro::rdbmRaster);
    lab.SetScrollMode(kro::rdsmLeft);
    for (auto _ : State)
        lab.ScrollTimer()->Tick();
}
BENCHMARK(BM_ScrollStep)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_SampleFont(benchmark::State &State)
{
    kro::TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetSize(10);
    for (auto _ : State)
        benchmark::DoNotOptimize(kro::SampleCharMatrix(font));
}
BENCHMARK(BM_SampleFont)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
