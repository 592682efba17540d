// Expanding a folder with 10,000 subfolders (and, for the tree alone, one with 100,000): the
// folder tree against QFileSystemModel + QTreeView, each timed from the expand request until all
// subfolder rows are present. The folders are made once in a temporary folder (on /dev/shm when
// there is one, so that the disk does not decide). The peer lists folders only, as the tree does;
// it reads in a thread of its own, so the clock runs until its rows have arrived. heap_kb is the
// heap the view holds afterwards.
#include <krogui/browse/foldertree.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>
#include <memory>

namespace {

using namespace kro;

long HeapKb()
{
    return long(mallinfo2().uordblks / 1024);
}

// <tmp>/big<N> with N subfolders, each second one holding a subfolder of its own.
QString BigFolder(int N)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    auto &dir = made[N];
    if (!dir) {
        const QString base =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/krogui-bench-XXXXXX"));
        const QString big = dir->path() + QStringLiteral("/big%1").arg(N);
        QDir().mkpath(big);
        for (int i = 0; i < N; ++i) {
            const QString sub = big + QStringLiteral("/Folder %1").arg(i, 6, 10, QLatin1Char('0'));
            QDir().mkdir(sub);
            if (i % 2) QDir().mkdir(sub + QStringLiteral("/inner"));
        }
    }
    return dir->path() + QStringLiteral("/big%1").arg(N);
}

void BM_FolderTree_Expand(benchmark::State &State)
{
    const int n = int(State.range(0));
    const QString big = BigFolder(n);
    long heap = 0;
    for (auto _ : State) {
        State.PauseTiming();
        const long before = HeapKb();
        auto tree = std::make_unique<TFolderTree>();
        tree->resize(300, 600);
        tree->show();
        tree->SelectPath(QFileInfo(big).path());
        QTreeWidgetItem *node = nullptr;
        for (int i = 0; i < tree->currentItem()->childCount(); ++i)
            if (tree->currentItem()->child(i)->text(0) == QFileInfo(big).fileName())
                node = tree->currentItem()->child(i);
        QApplication::processEvents();
        State.ResumeTiming();
        tree->expandItem(node);
        QApplication::processEvents(); // the rows are laid out and painted
        State.PauseTiming();
        if (node->childCount() != n) State.SkipWithError("rows missing");
        heap = HeapKb() - before;
        tree.reset();
        State.ResumeTiming();
    }
    State.counters["heap_kb"] = double(heap);
}
BENCHMARK(BM_FolderTree_Expand)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_QFileSystemModel_Expand(benchmark::State &State)
{
    const int n = int(State.range(0));
    const QString big = BigFolder(n);
    long heap = 0;
    for (auto _ : State) {
        State.PauseTiming();
        const long before = HeapKb();
        auto model = std::make_unique<QFileSystemModel>();
        model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
        auto view = std::make_unique<QTreeView>();
        view->setModel(model.get());
        view->setUniformRowHeights(true);
        view->resize(300, 600);
        view->show();
        const QString parent = QFileInfo(big).path();
        model->setRootPath(parent);
        view->setRootIndex(model->index(parent));
        QElapsedTimer guard;
        guard.start();
        while (model->rowCount(view->rootIndex()) < 1 && guard.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        const QModelIndex ix = model->index(big);
        State.ResumeTiming();
        view->expand(ix);
        while (model->rowCount(ix) < n && guard.elapsed() < 120000) {
            if (model->canFetchMore(ix)) model->fetchMore(ix);
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        QApplication::processEvents();
        State.PauseTiming();
        if (model->rowCount(ix) != n) State.SkipWithError("rows missing");
        heap = HeapKb() - before;
        view.reset();
        model.reset();
        State.ResumeTiming();
    }
    State.counters["heap_kb"] = double(heap);
}
BENCHMARK(BM_QFileSystemModel_Expand)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);

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
