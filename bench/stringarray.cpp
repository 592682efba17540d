// TStringArray against QStandardItemModel on a report of 1,000,000 rows x 8 columns: filling,
// sorting by a numeric column, by a text column with a secondary column, and restoring the
// original order. Resident memory of each filled table is reported as counters.
//
// KROGUI_BENCH_ROWS overrides the number of rows (for quick runs).

#include <krogui/data/stringarray.h>

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QStandardItemModel>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

using kro::TStringArray;

namespace {

int Rows()
{
    static const int rows = [] {
        const char *env = std::getenv("KROGUI_BENCH_ROWS");
        const int n = env ? std::atoi(env) : 0;
        return n > 0 ? n : 1000000;
    }();
    return rows;
}

// Resident memory in MiB, from /proc/self/statm.
double ResidentMiB()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// Deterministic report data: record number, name, city, date, amount, quantity, status, note.
constexpr int NrCols = 8;
constexpr std::array<const char *, 16> LastNames{"Müller", "Schmidt", "Smith",  "García", "Dubois", "Rossi",
                                                 "Novák",  "Johnson", "Łukasz", "Becker", "Martin", "Weber",
                                                 "Brown",  "Fischer", "López",  "Meyer"};
constexpr std::array<const char *, 12> FirstNames{"Anna", "Peter", "Émile",  "Maria", "John",  "Lena",
                                                  "Paul", "Sofia", "Jürgen", "Chloé", "Marco", "Eva"};
constexpr std::array<const char *, 10> Cities{"Berlin", "Zürich", "Paris", "Madrid",  "Wien",
                                              "Lyon",   "Graz",   "Köln",  "Sevilla", "Bern"};
constexpr std::array<const char *, 4> States{"open", "closed", "pending", "on hold"};

quint32 Mix(quint32 X)
{
    X ^= X >> 16;
    X *= 0x7feb352dU;
    X ^= X >> 15;
    X *= 0x846ca68bU;
    X ^= X >> 16;
    return X;
}

QString Cell(int Col, int Row)
{
    const quint32 h = Mix(quint32(Row) * 8 + quint32(Col));
    switch (Col) {
    case 0:
        return QStringLiteral("R%1").arg(Row, 7, 10, QLatin1Char('0'));
    case 1:
        return QString::fromUtf8(LastNames[h % LastNames.size()]) + QStringLiteral(", ") +
               QString::fromUtf8(FirstNames[(h >> 8) % FirstNames.size()]);
    case 2:
        return QString::fromUtf8(Cities[h % Cities.size()]);
    case 3:
        return QStringLiteral("20%1-%2-%3")
            .arg(10 + h % 15)
            .arg(1 + (h >> 4) % 12, 2, 10, QLatin1Char('0'))
            .arg(1 + (h >> 8) % 28, 2, 10, QLatin1Char('0'));
    case 4:
        return QString::number(double(h % 10000000) / 100.0, 'f', 2);
    case 5:
        return QString::number(h % 500);
    case 6:
        return QString::fromLatin1(States[h % States.size()]);
    default:
        return QStringLiteral("Invoice %1/%2").arg(2010 + h % 15).arg(h % 100000);
    }
}

std::unique_ptr<TStringArray> &OurTable()
{
    static std::unique_ptr<TStringArray> table;
    return table;
}

std::unique_ptr<QStandardItemModel> &PeerModel()
{
    static std::unique_ptr<QStandardItemModel> model;
    return model;
}

void BuildOurs()
{
    auto table = std::make_unique<TStringArray>();
    table->SetAllocRowsBy(1000);
    table->Resize(NrCols - 1, Rows());
    for (int r = 1; r <= Rows(); ++r)
        for (int c = 0; c < NrCols; ++c)
            table->SetString(c, r, Cell(c, r));
    OurTable() = std::move(table);
}

void BuildPeer()
{
    // What a Qt programmer would write: one item per cell, numbers held as numbers so that
    // sort() compares them as numbers.
    auto model = std::make_unique<QStandardItemModel>(Rows(), NrCols);
    for (int r = 0; r < Rows(); ++r) {
        for (int c = 0; c < NrCols; ++c) {
            auto *item = new QStandardItem;
            const QString text = Cell(c, r + 1);
            if (c == 4 || c == 5)
                item->setData(text.toDouble(), Qt::DisplayRole);
            else
                item->setData(text, Qt::DisplayRole);
            model->setItem(r, c, item);
        }
    }
    PeerModel() = std::move(model);
}

void Ours_Fill(benchmark::State &State)
{
    double delta = 0;
    for (auto _ : State) {
        State.PauseTiming();
        OurTable().reset();
        ReturnFreedMemory();
        const double before = ResidentMiB();
        State.ResumeTiming();
        BuildOurs();
        delta = ResidentMiB() - before;
    }
    State.counters["resident_MiB"] = delta;
    State.counters["storage_MiB"] = double(OurTable()->StorageBytes()) / (1024.0 * 1024.0);
    State.counters["rows"] = Rows();
}

TStringArray &Ours()
{
    if (!OurTable()) BuildOurs();
    return *OurTable();
}

QStandardItemModel &Peer()
{
    if (!PeerModel()) BuildPeer();
    return *PeerModel();
}

void Ours_SortNumeric(benchmark::State &State)
{
    Ours();
    bool ascending = true;
    for (auto _ : State) {
        OurTable()->Sort(4, -1, ascending);
        ascending = !ascending;
    }
    State.counters["rows"] = Rows();
}

void Ours_SortTextWithSecondary(benchmark::State &State)
{
    Ours();
    bool ascending = true;
    for (auto _ : State) {
        OurTable()->Sort(1, 2, ascending);
        ascending = !ascending;
    }
    State.counters["rows"] = Rows();
}

void Ours_UnSort(benchmark::State &State)
{
    Ours();
    for (auto _ : State) {
        State.PauseTiming();
        OurTable()->Sort(3, -1, true);
        State.ResumeTiming();
        OurTable()->UnSort();
    }
    State.counters["rows"] = Rows();
}

void Ours_Release(benchmark::State &State)
{
    for (auto _ : State) {
        OurTable().reset();
        ReturnFreedMemory();
    }
}

void Peer_Fill(benchmark::State &State)
{
    double delta = 0;
    for (auto _ : State) {
        State.PauseTiming();
        PeerModel().reset();
        ReturnFreedMemory();
        const double before = ResidentMiB();
        State.ResumeTiming();
        BuildPeer();
        delta = ResidentMiB() - before;
    }
    State.counters["resident_MiB"] = delta;
    State.counters["rows"] = Rows();
}

void Peer_SortNumeric(benchmark::State &State)
{
    Peer();
    bool ascending = true;
    for (auto _ : State) {
        PeerModel()->sort(4, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
    State.counters["rows"] = Rows();
}

void Peer_SortTextWithSecondary(benchmark::State &State)
{
    // The model sorts stably, so the secondary column is sorted first.
    Peer();
    bool ascending = true;
    for (auto _ : State) {
        const Qt::SortOrder order = ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
        PeerModel()->sort(2, order);
        PeerModel()->sort(1, order);
        ascending = !ascending;
    }
    State.counters["rows"] = Rows();
}

void Peer_UnSort(benchmark::State &State)
{
    // The original order is that of the zero-padded record numbers in column 0.
    Peer();
    for (auto _ : State) {
        State.PauseTiming();
        PeerModel()->sort(3, Qt::AscendingOrder);
        State.ResumeTiming();
        PeerModel()->sort(0, Qt::AscendingOrder);
    }
    State.counters["rows"] = Rows();
}

void Peer_Release(benchmark::State &State)
{
    for (auto _ : State) {
        PeerModel().reset();
        ReturnFreedMemory();
    }
}

} // namespace

// Registered in this order and run one after the other: each table is filled once and sorted in
// place; ours is released before the peer is built so that the resident deltas do not overlap.
BENCHMARK(Ours_Fill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Ours_SortNumeric)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(Ours_SortTextWithSecondary)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(Ours_UnSort)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(Ours_Release)->Iterations(1);
BENCHMARK(Peer_Fill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Peer_SortNumeric)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Peer_SortTextWithSecondary)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Peer_UnSort)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Peer_Release)->Iterations(1);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
