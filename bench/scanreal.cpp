// ScanReal against std::strtod and QString::toDouble on the same million number texts.
#include <krogui/numio/numtext.h>

#include <benchmark/benchmark.h>

#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kTexts = 1000000;

// Realistic field and clipboard texts: integers, fixed-point values with a few decimals, full
// precision values, exponent forms, signs.
const std::vector<std::string> &Texts()
{
    static const std::vector<std::string> texts = [] {
        std::mt19937_64 rng(20240607);
        std::uniform_real_distribution<double> mant(-1000.0, 1000.0);
        std::uniform_int_distribution<int> kind(0, 5), exp10(-30, 30), decs(0, 6);
        std::vector<std::string> t;
        t.reserve(kTexts);
        char buf[64];
        for (int i = 0; i < kTexts; ++i) {
            const double m = mant(rng);
            switch (kind(rng)) {
            case 0:
                std::snprintf(buf, sizeof buf, "%d", int(m));
                break;
            case 1:
                std::snprintf(buf, sizeof buf, "%.*f", decs(rng), m);
                break;
            case 2:
                std::snprintf(buf, sizeof buf, "%.15g", m * 1e-3);
                break;
            case 3:
                std::snprintf(buf, sizeof buf, "%.5E", m * std::pow(10.0, exp10(rng)));
                break;
            case 4:
                std::snprintf(buf, sizeof buf, "%.8f", m / 7.0);
                break;
            default:
                std::snprintf(buf, sizeof buf, "%.3e", m * std::pow(10.0, exp10(rng)));
                break;
            }
            t.emplace_back(buf);
        }
        return t;
    }();
    return texts;
}

const std::vector<QString> &QTexts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> q;
        q.reserve(kTexts);
        for (const auto &s : Texts())
            q.push_back(QString::fromStdString(s));
        return q;
    }();
    return texts;
}

void BM_ScanReal(benchmark::State &State)
{
    const auto &texts = QTexts();
    for (auto _ : State) {
        double sum = 0;
        for (const QString &t : texts) {
            int pos = 1;
            sum += kro::ScanReal(t, true, kro::sepPoint, pos);
        }
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * int64_t(texts.size()));
}

void BM_Strtod(benchmark::State &State)
{
    const auto &texts = Texts();
    for (auto _ : State) {
        double sum = 0;
        for (const std::string &t : texts)
            sum += std::strtod(t.c_str(), nullptr);
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * int64_t(texts.size()));
}

void BM_QStringToDouble(benchmark::State &State)
{
    const auto &texts = QTexts();
    for (auto _ : State) {
        double sum = 0;
        for (const QString &t : texts)
            sum += t.toDouble();
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * int64_t(texts.size()));
}

// The three must agree on what they read, or the comparison means nothing.
bool SameResults()
{
    const auto &texts = Texts();
    const auto &q = QTexts();
    for (size_t i = 0; i < texts.size(); i += 997) {
        int pos = 1;
        const double a = kro::ScanReal(q[i], true, kro::sepPoint, pos);
        if (a != std::strtod(texts[i].c_str(), nullptr) || a != q[i].toDouble()) return false;
    }
    return true;
}

} // namespace

BENCHMARK(BM_ScanReal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Strtod)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QStringToDouble)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (!SameResults()) {
        std::fprintf(stderr, "ScanReal, strtod and QString::toDouble disagree on the texts\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
