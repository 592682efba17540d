// The table editor against what a Qt programmer would use instead, QTableView over a
// QStandardItemModel holding the same 1,000 x 1,000 doubles:
// - one paint of a 1280 x 800 view after a jump to a random position;
// - "Extract from Clipboard" of a 1,000 x 1,000 tab-separated number text, beside a bare pass of
//   ScanReal over the numbers of the same text and beside filling the peer model from it;
// - the heap taken by the editor with its table and by the peer with its model.
//
//   krogui_bench_ntabed [--benchmark_filter=...]
// Runs offscreen unless QT_QPA_PLATFORM is set.

#include <krogui/ntabed/ntabed.h>
#include <krogui/numio/numtext.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <malloc.h>

#include <cmath>
#include <memory>
#include <random>

namespace {

using namespace kro;

constexpr int kN = 1000;
constexpr int kWidth = 1280;
constexpr int kHeight = 800;

double Value(int C, int R)
{
    return std::sin(C * 0.731 + R * 0.197) * (1 + (C * 37 + R) % 1000);
}

size_t HeapInUse()
{
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

std::unique_ptr<TNTabEd> MakeEditor()
{
    auto e = std::make_unique<TNTabEd>();
    e->SetBorderStyle(bsNone);
    e->SetScrollBars(ssNone);
    e->SetSuppressPaint(true);
    e->Redimension(kN, kN);
    TDataTable *t = e->Data();
    for (int c = 1; c <= kN; ++c)
        t->SetColName(c, QStringLiteral("C%1").arg(c));
    for (int r = 1; r <= kN; ++r)
        t->SetRowName(r, QStringLiteral("R%1").arg(r));
    for (int c = 1; c <= kN; ++c)
        for (int r = 1; r <= kN; ++r)
            t->SetElem(c, r, Value(c, r));
    e->SetSuppressPaint(false);
    e->resize(kWidth, kHeight);
    e->show();
    QCoreApplication::processEvents();
    return e;
}

struct Peer
{
    QStandardItemModel Model{kN, kN};
    QTableView View;
    Peer()
    {
        for (int r = 0; r < kN; ++r)
            for (int c = 0; c < kN; ++c) {
                auto *item = new QStandardItem;
                item->setData(Value(c + 1, r + 1), Qt::DisplayRole);
                Model.setItem(r, c, item);
            }
        View.setModel(&Model);
        View.resize(kWidth, kHeight);
        View.show();
        QCoreApplication::processEvents();
    }
};

QString MatrixText()
{
    QString s;
    s.reserve(kN * kN * 20);
    for (int r = 1; r <= kN; ++r) {
        for (int c = 1; c <= kN; ++c) {
            if (c > 1) s += QLatin1Char('\t');
            s += QString::number(Value(c, r), 'g', 15);
        }
        s += QLatin1String("\r\n");
    }
    return s;
}

void BM_NTabEdViewport(benchmark::State &State)
{
    auto e = MakeEditor();
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 rng(1);
    for (auto _ : State) {
        e->SetTopRow(1 + int(rng() % kN));
        e->SetLeftCol(1 + int(rng() % kN));
        e->render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
    State.SetLabel("krogui TNTabEd");
}
BENCHMARK(BM_NTabEdViewport)->Unit(benchmark::kMillisecond);

void BM_QTableViewViewport(benchmark::State &State)
{
    Peer p;
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 rng(1);
    for (auto _ : State) {
        p.View.verticalScrollBar()->setValue(int(rng() % kN));
        p.View.horizontalScrollBar()->setValue(int(rng() % kN));
        p.View.render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
    State.SetLabel("QTableView + QStandardItemModel");
}
BENCHMARK(BM_QTableViewViewport)->Unit(benchmark::kMillisecond);

void BM_NTabEdExtract(benchmark::State &State)
{
    auto e = MakeEditor();
    QGuiApplication::clipboard()->setText(MatrixText());
    e->SetSelection(GridRect(2, 1, 2, 1));
    for (auto _ : State) {
        e->ExtractFromClipboard();
        benchmark::DoNotOptimize(e->GetElem(kN, kN));
    }
    State.SetLabel("Extract from Clipboard");
}
BENCHMARK(BM_NTabEdExtract)->Unit(benchmark::kMillisecond);

// ScanReal over every number of the text, each handed only its own characters.
void BM_BareScanRealPass(benchmark::State &State)
{
    const QString text = MatrixText();
    for (auto _ : State) {
        const QChar *p = text.constData();
        const qsizetype len = text.size();
        double sum = 0;
        qsizetype i = 0;
        while (i < len) {
            while (i < len && (p[i] == u'\t' || p[i] == u'\r' || p[i] == u'\n' || p[i] == u' '))
                ++i;
            qsizetype j = i;
            while (j < len && p[j] != u'\t' && p[j] != u'\r' && p[j] != u'\n' && p[j] != u' ')
                ++j;
            if (j > i) {
                int pos = 1;
                sum += ScanReal(QStringView(p + i, j - i), true, sepEither, pos);
            }
            i = j;
        }
        benchmark::DoNotOptimize(sum);
    }
    State.SetLabel("bare ScanReal pass");
}
BENCHMARK(BM_BareScanRealPass)->Unit(benchmark::kMillisecond);

void BM_QStandardItemModelFill(benchmark::State &State)
{
    Peer p;
    QGuiApplication::clipboard()->setText(MatrixText());
    for (auto _ : State) {
        const QString text = QGuiApplication::clipboard()->text();
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (int r = 0; r < lines.size() && r < kN; ++r) {
            const QStringList cells = lines[r].trimmed().split(QLatin1Char('\t'));
            for (int c = 0; c < cells.size() && c < kN; ++c)
                p.Model.item(r, c)->setData(cells[c].toDouble(), Qt::DisplayRole);
        }
        benchmark::DoNotOptimize(p.Model.item(kN - 1, kN - 1));
    }
    State.SetLabel("QStandardItemModel filled from the text");
}
BENCHMARK(BM_QStandardItemModelFill)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NTabEdMemory(benchmark::State &State)
{
    double bytes = 0;
    for (auto _ : State) {
        const size_t before = HeapInUse();
        auto e = MakeEditor();
        bytes = double(HeapInUse()) - double(before);
        benchmark::DoNotOptimize(e.get());
    }
    State.counters["heap_bytes"] = bytes;
}
BENCHMARK(BM_NTabEdMemory)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_QTableViewMemory(benchmark::State &State)
{
    double bytes = 0;
    for (auto _ : State) {
        const size_t before = HeapInUse();
        auto p = std::make_unique<Peer>();
        bytes = double(HeapInUse()) - double(before);
        benchmark::DoNotOptimize(p.get());
    }
    State.counters["heap_bytes"] = bytes;
}
BENCHMARK(BM_QTableViewMemory)->Unit(benchmark::kMillisecond)->Iterations(2);

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
