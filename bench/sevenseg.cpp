// Cost of the seven-segment display's image cache (built on every colour, layout or size change)
// and of one paint from the cache.
#include <krogui/displays/sevenseg.h>

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_CreateDigit(benchmark::State &State)
{
    kro::TSevenSeg s;
    s.ColorizeSegments(kro::clRed);
    for (auto _ : State) {
        s.CreateDigit(QLatin1Char('8'), true);
        benchmark::DoNotOptimize(s.DigitImage().constBits());
    }
}
BENCHMARK(BM_CreateDigit)->Unit(benchmark::kMicrosecond);

void BM_CreateImageCache(benchmark::State &State)
{
    kro::TSevenSeg s;
    s.SetBounds(0, 0, int(State.range(0)), int(State.range(0)) * 76 / 216);
    for (auto _ : State) {
        s.CreateImageCache();
        benchmark::DoNotOptimize(s.CacheImage().constBits());
    }
}
BENCHMARK(BM_CreateImageCache)->Arg(216)->Arg(800)->Unit(benchmark::kMillisecond);

void BM_PaintFromCache(benchmark::State &State)
{
    kro::TSevenSeg s;
    s.SetNumDigits(8);
    s.SetCaption(QStringLiteral("12:34:56"));
    s.Surface();
    for (auto _ : State) {
        s.Repaint();
        benchmark::DoNotOptimize(s.Surface().constBits());
    }
}
BENCHMARK(BM_PaintFromCache)->Unit(benchmark::kMicrosecond);

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
