// One paint of a thumbnail wall with 200 visible slides whose pictures the request handler takes
// from a cache, against QListView in icon mode showing the same pictures (as pixmaps of the same
// images) from a QStandardItemModel, in a viewport of the same size. Both are rendered into an
// image of the view's size, so each pays for composing and putting its pixels on a surface.
// Memory: the heap each view and its data hold after the first paint is reported as heap_kb (the
// shared pictures are made before either; pixmaps of the list view live on the heap here too).
#include <krogui/browse/thumbnails.h>

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <vector>

namespace {

using namespace kro;

// 20 columns x 10 rows of 50-pixel slides (pitch 66).
constexpr int kCols = 20, kRows = 10, kSlides = 1000;
constexpr int kWidth = 20 + kCols * 66 - 2;
constexpr int kHeight = 9 * 66 + 40;

long HeapKb()
{
    return long(mallinfo2().uordblks / 1024);
}

// The pictures: 96 x 72 cards, every fifth a 60 x 90 portrait.
const std::vector<std::unique_ptr<TBitmap>> &Pictures()
{
    static std::vector<std::unique_ptr<TBitmap>> pics = [] {
        std::vector<std::unique_ptr<TBitmap>> v;
        for (int i = 0; i < kSlides; ++i) {
            auto b = std::make_unique<TBitmap>(i % 5 ? 96 : 60, i % 5 ? 72 : 90);
            QPainter p(const_cast<QImage *>(&b->Image()));
            p.fillRect(0, 0, b->Width(), b->Height(), QColor::fromHsv((i * 37) % 360, 160, 220));
            p.fillRect(b->Width() / 4, b->Height() / 4, b->Width() / 2, b->Height() / 2, Qt::white);
            v.push_back(std::move(b));
        }
        return v;
    }();
    return pics;
}

void BM_Thumbnails_Paint200(benchmark::State &State)
{
    const auto &pics = Pictures();
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    const long before = HeapKb();
    QWidget window;
    auto *wall = new TThumbnails(&window);
    wall->SetBounds(0, 0, kWidth, kHeight);
    wall->SetSlideSize(50);
    wall->SetMax(kSlides);
    int requests = 0;
    wall->SetOnImageRequest([&](QObject *, int Id, TImageRequestProcessing &How, int &, TBitmap *&Buf) {
        Buf = pics[size_t(Id - 1)].get();
        How = irpShowSlide;
        ++requests;
    });
    wall->render(&target); // the first paint settles the row length
    State.counters["heap_kb"] = double(HeapKb() - before);
    requests = 0;
    for (auto _ : State) {
        wall->Invalidate();
        wall->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    State.counters["slides"] = double(requests) / double(State.iterations());
}
BENCHMARK(BM_Thumbnails_Paint200)->Unit(benchmark::kMillisecond);

void BM_QListView_IconMode200(benchmark::State &State)
{
    const auto &pics = Pictures();
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    const long before = HeapKb();
    QStandardItemModel model;
    for (int i = 0; i < kSlides; ++i) {
        auto *item = new QStandardItem;
        item->setData(QPixmap::fromImage(pics[size_t(i)]->Image()), Qt::DecorationRole);
        model.appendRow(item);
    }
    QListView view;
    view.setViewMode(QListView::IconMode);
    view.setIconSize(QSize(50, 50));
    view.setGridSize(QSize(66, 66));
    view.setUniformItemSizes(true);
    view.setResizeMode(QListView::Adjust);
    view.setFrameShape(QFrame::NoFrame);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setModel(&model);
    view.resize(kWidth, kHeight);
    view.show();
    QApplication::processEvents();
    view.viewport()->render(&target); // layout and icon caches settle
    State.counters["heap_kb"] = double(HeapKb() - before);
    int shown = 0;
    for (int i = 0; i < kSlides; ++i)
        if (view.viewport()->rect().intersects(view.visualRect(model.index(i, 0)))) ++shown;
    for (auto _ : State) {
        view.viewport()->update();
        view.viewport()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    State.counters["slides"] = shown;
}
BENCHMARK(BM_QListView_IconMode200)->Unit(benchmark::kMillisecond);

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
