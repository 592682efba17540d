// TDataTable of 1000 x 1000 cells: resizing, mirroring, and inserting and removing a column and
// a row in the middle.

#include <krogui/data/datatable.h>

#include <benchmark/benchmark.h>

using kro::TDataTable;

namespace {

constexpr int Size = 1000;

void Prepare(TDataTable &T)
{
    T.Resize(Size, Size);
    for (int c = 1; c <= Size; ++c)
        for (int r = 1; r <= Size; ++r)
            T.SetElem(c, r, c * 1000.0 + r);
}

void Resize(benchmark::State &State)
{
    for (auto _ : State) {
        TDataTable t;
        t.Resize(Size, Size);
        benchmark::DoNotOptimize(t.GetElem(Size, Size));
    }
    State.SetItemsProcessed(State.iterations() * Size * Size);
}

void ResizeKeepingContents(benchmark::State &State)
{
    TDataTable t;
    Prepare(t);
    bool grow = true;
    for (auto _ : State) {
        t.Resize(grow ? Size + 10 : Size, grow ? Size + 10 : Size);
        grow = !grow;
    }
}

void MirrorColumns(benchmark::State &State)
{
    TDataTable t;
    Prepare(t);
    for (auto _ : State)
        t.MirrorColumns();
}

void MirrorRows(benchmark::State &State)
{
    TDataTable t;
    Prepare(t);
    for (auto _ : State)
        t.MirrorRows();
}

void InsertRemoveColumn(benchmark::State &State)
{
    TDataTable t;
    Prepare(t);
    for (auto _ : State) {
        t.InsertColumn(Size / 2);
        t.RemoveColumn(Size / 2);
    }
}

void InsertRemoveRow(benchmark::State &State)
{
    TDataTable t;
    Prepare(t);
    for (auto _ : State) {
        t.InsertRow(Size / 2);
        t.RemoveRow(Size / 2);
    }
}

void SortRows(benchmark::State &State)
{
    TDataTable t;
    Prepare(t);
    bool ascending = false;
    for (auto _ : State) {
        t.SortRows(Size / 2, ascending, 1, 1, Size, Size, true);
        ascending = !ascending;
    }
}

} // namespace

BENCHMARK(Resize)->Unit(benchmark::kMillisecond);
BENCHMARK(ResizeKeepingContents)->Unit(benchmark::kMillisecond);
BENCHMARK(MirrorColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(MirrorRows)->Unit(benchmark::kMillisecond);
BENCHMARK(InsertRemoveColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(InsertRemoveRow)->Unit(benchmark::kMillisecond);
BENCHMARK(SortRows)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
