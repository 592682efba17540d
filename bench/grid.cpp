// The draw grid against QTableView: painting a 1280 x 800 view of 1,000,000 rows by 20 columns
// after jumping to a random row, the cost of a one-row scroll at several row counts, and the heap
// taken by the widget itself for default-sized rows.
//
//   krogui_bench_grid [--benchmark_filter=...]
// Runs offscreen unless QT_QPA_PLATFORM is set.

#include <krogui/grid/customgrid.h>

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

#include <malloc.h>

#include <memory>
#include <random>

namespace {

using namespace kro;

constexpr int kCols = 20;
constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// Cells of the same size on both sides: 64 x 24 plus a one-pixel line.
std::unique_ptr<TDrawGrid> MakeGrid(int Rows)
{
    auto g = std::make_unique<TDrawGrid>();
    g->SetBorderStyle(bsNone);
    g->SetScrollBars(ssNone);
    g->SetColCount(kCols + 1);
    g->SetRowCount(Rows + 1);
    g->SetOnDrawCell([g = g.get()](QObject *, int C, int R, TRect Rc, TGridDrawState) {
        g->Canvas()->TextRect(Rc, Rc.Left + 2, Rc.Top + 2, QStringLiteral("%1:%2").arg(C).arg(R));
    });
    g->resize(kWidth, kHeight);
    g->show();
    QCoreApplication::processEvents();
    return g;
}

class CoordinateModel : public QAbstractTableModel
{
public:
    explicit CoordinateModel(int Rows) : FRows(Rows) {}
    int rowCount(const QModelIndex &Parent = {}) const override { return Parent.isValid() ? 0 : FRows; }
    int columnCount(const QModelIndex &Parent = {}) const override { return Parent.isValid() ? 0 : kCols; }
    QVariant data(const QModelIndex &Index, int Role) const override
    {
        if (Role != Qt::DisplayRole) return {};
        return QStringLiteral("%1:%2").arg(Index.column() + 1).arg(Index.row() + 1);
    }

private:
    int FRows;
};

struct Peer
{
    CoordinateModel Model;
    QTableView View;
    explicit Peer(int Rows) : Model(Rows)
    {
        View.setModel(&Model);
        View.setFrameShape(QFrame::NoFrame);
        View.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        View.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        View.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        View.verticalHeader()->setDefaultSectionSize(25);
        View.verticalHeader()->setFixedWidth(65);
        View.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        View.horizontalHeader()->setDefaultSectionSize(65);
        View.horizontalHeader()->setFixedHeight(25);
        View.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        View.resize(kWidth, kHeight);
        View.show();
        QCoreApplication::processEvents();
    }
};

size_t HeapInUse()
{
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

// Paint of the whole widget (fixed cells and headers included) into an image, after a jump to a
// random row.
void BM_DrawGridViewport(benchmark::State &State)
{
    auto g = MakeGrid(1'000'000);
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 rng(1);
    for (auto _ : State) {
        g->SetTopRow(1 + int(rng() % 1'000'000));
        g->render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
    State.SetLabel("krogui TDrawGrid");
}
BENCHMARK(BM_DrawGridViewport)->Unit(benchmark::kMillisecond);

void BM_QTableViewViewport(benchmark::State &State)
{
    Peer p(1'000'000);
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 rng(1);
    for (auto _ : State) {
        p.View.verticalScrollBar()->setValue(int(rng() % 1'000'000));
        p.View.render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
    State.SetLabel("QTableView");
}
BENCHMARK(BM_QTableViewViewport)->Unit(benchmark::kMillisecond);

// One row down and a paint, at growing row counts: the cost must not grow with them.
void BM_DrawGridScrollOneRow(benchmark::State &State)
{
    const int rows = int(State.range(0));
    auto g = MakeGrid(rows);
    g->SetTopRow(rows / 2);
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    int step = 1;
    for (auto _ : State) {
        if (g->TopRow() >= rows - 40 || g->TopRow() <= 1) step = -step;
        g->SetTopRow(g->TopRow() + step);
        g->render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_DrawGridScrollOneRow)
    ->Arg(1'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// Heap taken by building and showing the widget with N default-sized rows (reported as counters;
// the timing is the construction).
void BM_DrawGridMemory(benchmark::State &State)
{
    const int rows = int(State.range(0));
    double bytes = 0;
    for (auto _ : State) {
        const size_t before = HeapInUse();
        auto g = MakeGrid(rows);
        bytes = double(HeapInUse()) - double(before);
        benchmark::DoNotOptimize(g.get());
    }
    State.counters["heap_bytes"] = bytes;
}
BENCHMARK(BM_DrawGridMemory)
    ->Arg(1'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_QTableViewMemory(benchmark::State &State)
{
    const int rows = int(State.range(0));
    double bytes = 0;
    for (auto _ : State) {
        const size_t before = HeapInUse();
        auto p = std::make_unique<Peer>(rows);
        bytes = double(HeapInUse()) - double(before);
        benchmark::DoNotOptimize(p.get());
    }
    State.counters["heap_bytes"] = bytes;
}
BENCHMARK(BM_QTableViewMemory)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

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
