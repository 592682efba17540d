// The month calendar against QCalendarWidget: one month forward (a year back every twelve steps,
// so the dates stay in range) and a paint of the whole widget, both at 300 x 180 pixels.
//
//   krogui_bench_minical [--benchmark_filter=...]
// Runs offscreen unless QT_QPA_PLATFORM is set.

#include <krogui/minical/minical.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QImage>

namespace {

using namespace kro;

constexpr int kWidth = 300;
constexpr int kHeight = 180;

void BM_MiniCalNextMonthPaint(benchmark::State &State)
{
    TMiniCal cal;
    cal.SetDate(QDate(2024, 1, 15));
    cal.resize(kWidth, kHeight);
    cal.show();
    QCoreApplication::processEvents();
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    int n = 0;
    for (auto _ : State) {
        if (++n % 12 == 0)
            cal.SetYear(cal.Year() - 1);
        else
            cal.NextMonth();
        cal.render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
    State.SetLabel("krogui TMiniCal");
}
BENCHMARK(BM_MiniCalNextMonthPaint)->Unit(benchmark::kMicrosecond);

void BM_QCalendarWidgetNextMonthPaint(benchmark::State &State)
{
    QCalendarWidget cal;
    cal.setSelectedDate(QDate(2024, 1, 15));
    cal.resize(kWidth, kHeight);
    cal.show();
    QCoreApplication::processEvents();
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    int n = 0;
    for (auto _ : State) {
        const QDate d = cal.selectedDate();
        cal.setSelectedDate(++n % 12 == 0 ? d.addYears(-1) : d.addMonths(1));
        cal.render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
    State.SetLabel("QCalendarWidget");
}
BENCHMARK(BM_QCalendarWidgetNextMonthPaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
