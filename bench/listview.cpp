// The report list view against QTableView over a QSortFilterProxyModel over a QStandardItemModel,
// both holding the same 1,000,000 x 8 table (KROGUI_BENCH_ROWS overrides the row count):
// - a header-click sort followed by one paint of the viewport, on a text column and on a number
//   column (the peer sorts like the store: texts locale-aware without regard to case, numbers by
//   value);
// - FilterAndSort in each query language over all columns, sorted by the number column (the peer
//   filters with a fixed string, with the same regular expression, and with the same boolean
//   query evaluated in filterAcceptsRow, then sorts).
// Every iteration starts from the unsorted, unfiltered table.
#include <krogui/data/stringarray.h>
#include <krogui/replist/reportlistview.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Cols = 8;
constexpr int NameCol = 1, AmountCol = 4; // 1-based data columns

int Rows()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("KROGUI_BENCH_ROWS", &ok);
    return ok && n > 0 ? n : 1000000;
}

// A small deterministic generator (splitmix64): cheap to seed per cell.
struct TMix
{
    quint64 State;
    explicit TMix(quint64 Seed) : State(Seed) {}
    quint32 bounded(quint32 N)
    {
        quint64 z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return quint32((z ^ (z >> 31)) % N);
    }
};

// Row r of the table: name, city, date, amount, id, words, quantity, code.
QString Cell(int Row, int Col)
{
    static const char *const cities[] = {"Bern", "Oslo", "Basel", "Zürich", "Genève", "Wien", "Graz", "Lyon"};
    static const char *const words[] = {"alpha", "bravo",   "charlie", "delta",
                                        "echo",  "foxtrot", "golf",    "hotel"};
    TMix g(quint64(Row) * 131 + quint64(Col) * 7919);
    switch (Col) {
    case 1: {
        QString s;
        const int len = 5 + int(g.bounded(6));
        for (int i = 0; i < len; ++i)
            s += QChar((i == 0 ? 'A' : 'a') + int(g.bounded(26)));
        return s;
    }
    case 2:
        return QString::fromUtf8(cities[g.bounded(8)]);
    case 3:
        return QStringLiteral("%1-%2-%3")
            .arg(2000 + g.bounded(25))
            .arg(1 + g.bounded(12), 2, 10, QLatin1Char('0'))
            .arg(1 + g.bounded(28), 2, 10, QLatin1Char('0'));
    case 4:
        return QString::number(double(g.bounded(1000000)) / 100.0, 'f', 2);
    case 5:
        return QStringLiteral("ID-%1").arg(Row, 7, 10, QLatin1Char('0'));
    case 6:
        return QStringLiteral("%1 %2").arg(QString::fromLatin1(words[g.bounded(8)]),
                                           QString::fromLatin1(words[g.bounded(8)]));
    case 7:
        return QString::number(g.bounded(500));
    default:
        return QStringLiteral("K%1").arg(g.bounded(100));
    }
}

// A left click as the window system delivers it.
void Click(QWidget *W, QPoint At)
{
    const QPointF global = W->mapToGlobal(QPointF(At));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(At), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(W, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(At), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(W, &release);
}

// ---- the report list view -----------------------------------------------------------------------

struct TOurs
{
    std::unique_ptr<kro::TReportListView> View;
    TOurs()
    {
        View = std::make_unique<kro::TReportListView>();
        View->resize(900, 600);
        View->SetSuppressPaint(true);
        View->SetNrCols(Cols);
        View->SetNrRows(Rows());
        kro::TStringArray *s = View->RLData()->Strings();
        const kro::TNotifyEvent saved = s->OnChange();
        s->SetOnChange(nullptr); // filling is not what is measured
        for (int r = 1; r <= Rows(); ++r)
            for (int c = 1; c <= Cols; ++c)
                s->SetString(c, r, Cell(r, c));
        s->SetOnChange(saved);
        View->SetSuppressPaint(false);
        View->show();
        View->Surface();
    }
    void Reset()
    {
        View->UnSort();
        View->DeselectAllRows();
        View->Surface();
    }
};

// Made on first use, destroyed in main while the QApplication still exists.
std::unique_ptr<TOurs> TheOurs;
TOurs &Ours()
{
    if (!TheOurs) TheOurs = std::make_unique<TOurs>();
    return *TheOurs;
}

void BM_View_HeaderClickSort(benchmark::State &State)
{
    TOurs &o = Ours();
    const int col = int(State.range(0));
    for (auto _ : State) {
        State.PauseTiming();
        o.Reset();
        const kro::TRect h = o.View->CellRect(col - 1, 0);
        State.ResumeTiming();
        Click(o.View->viewport(), QPoint((h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2));
        benchmark::DoNotOptimize(o.View->Surface().constBits());
    }
    State.counters["sorted col"] = o.View->LastSortColumn();
}
BENCHMARK(BM_View_HeaderClickSort)
    ->Arg(NameCol)
    ->Arg(AmountCol)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

QString QueryOf(kro::TFilterMode Mode)
{
    return Mode == kro::fmSimple    ? QStringLiteral("ber")
           : Mode == kro::fmBoolean ? QStringLiteral("(bern OR oslo) golf NOT 2011")
                                    : QStringLiteral("^[A-C][a-z]*a$");
}

// Warm: the view already keeps the column texts from an earlier filter (a query typed into a
// filter box). Cold: the first filter after a cell changed.
void ViewFilter(benchmark::State &State, bool Cold)
{
    TOurs &o = Ours();
    const auto mode = kro::TFilterMode(State.range(0));
    const QString query = QueryOf(mode);
    int found = o.View->FilterAndSort(query, {}, false, mode, AmountCol, true);
    for (auto _ : State) {
        State.PauseTiming();
        o.Reset();
        if (Cold) {
            const QString keep = o.View->GetElem(8, 1);
            o.View->SetElem(8, 1, keep + QLatin1Char('!'));
            o.View->SetElem(8, 1, keep);
        }
        State.ResumeTiming();
        found = o.View->FilterAndSort(query, {}, false, mode, AmountCol, true);
        benchmark::DoNotOptimize(o.View->Surface().constBits());
    }
    State.counters["matches"] = found;
}

void BM_View_FilterAndSort(benchmark::State &State)
{
    ViewFilter(State, false);
}
BENCHMARK(BM_View_FilterAndSort)
    ->Arg(kro::fmSimple)
    ->Arg(kro::fmBoolean)
    ->Arg(kro::fmGrep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_View_FilterAndSortCold(benchmark::State &State)
{
    ViewFilter(State, true);
}
BENCHMARK(BM_View_FilterAndSortCold)
    ->Arg(kro::fmSimple)
    ->Arg(kro::fmBoolean)
    ->Arg(kro::fmGrep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// ---- the peer: QTableView / QSortFilterProxyModel / QStandardItemModel ---------------------------

// The boolean language has no counterpart in the proxy: the same compiled query decides.
class TBooleanProxy : public QSortFilterProxyModel
{
public:
    kro::TRLFilterQuery Query;
    bool UseQuery = false;

protected:
    bool filterAcceptsRow(int SourceRow, const QModelIndex &SourceParent) const override
    {
        if (!UseQuery) return QSortFilterProxyModel::filterAcceptsRow(SourceRow, SourceParent);
        QString cells[Cols];
        for (int c = 0; c < Cols; ++c)
            cells[c] = sourceModel()->index(SourceRow, c, SourceParent).data().toString();
        return Query.Matches(cells);
    }
};

struct TPeer
{
    std::unique_ptr<QStandardItemModel> Model;
    std::unique_ptr<TBooleanProxy> Proxy;
    std::unique_ptr<QTableView> View;
    QImage Target;
    TPeer()
    {
        Model = std::make_unique<QStandardItemModel>(Rows(), Cols);
        for (int r = 1; r <= Rows(); ++r)
            for (int c = 1; c <= Cols; ++c) {
                auto *item = new QStandardItem;
                // Numbers are held as numbers so that the proxy sorts them by value, as the store does.
                if (c == AmountCol || c == 7)
                    item->setData(Cell(r, c).toDouble(), Qt::DisplayRole);
                else
                    item->setData(Cell(r, c), Qt::DisplayRole);
                Model->setItem(r - 1, c - 1, item);
            }
        Proxy = std::make_unique<TBooleanProxy>();
        Proxy->setSourceModel(Model.get());
        Proxy->setSortLocaleAware(true);
        Proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
        Proxy->setFilterKeyColumn(-1);
        Proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
        View = std::make_unique<QTableView>();
        View->setModel(Proxy.get());
        View->setSortingEnabled(true);
        View->resize(900, 600);
        View->show();
        Target = QImage(View->viewport()->size(), QImage::Format_RGB32);
        Paint();
    }
    void Paint() { View->viewport()->render(&Target); }
    void Reset()
    {
        Proxy->UseQuery = false;
        Proxy->setFilterFixedString(QString());
        Proxy->sort(-1);
        Paint();
    }
};

std::unique_ptr<TPeer> ThePeer;
TPeer &Peer()
{
    if (!ThePeer) ThePeer = std::make_unique<TPeer>();
    return *ThePeer;
}

void BM_Peer_HeaderClickSort(benchmark::State &State)
{
    TPeer &p = Peer();
    const int col = int(State.range(0));
    for (auto _ : State) {
        State.PauseTiming();
        p.Reset();
        const QHeaderView *h = p.View->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(col - 1) + h->sectionSize(col - 1) / 2, h->height() / 2);
        State.ResumeTiming();
        Click(p.View->horizontalHeader()->viewport(), at);
        p.Paint();
    }
    State.counters["sorted col"] = p.View->horizontalHeader()->sortIndicatorSection() + 1;
}
BENCHMARK(BM_Peer_HeaderClickSort)
    ->Arg(NameCol)
    ->Arg(AmountCol)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_Peer_FilterAndSort(benchmark::State &State)
{
    TPeer &p = Peer();
    const auto mode = kro::TFilterMode(State.range(0));
    int found = 0;
    for (auto _ : State) {
        State.PauseTiming();
        p.Reset();
        State.ResumeTiming();
        switch (mode) {
        case kro::fmSimple:
            p.Proxy->setFilterFixedString(QStringLiteral("ber"));
            break;
        case kro::fmBoolean:
            p.Proxy->Query = kro::TRLFilterQuery::Compile(QStringLiteral("(bern OR oslo) golf NOT 2011"),
                                                          kro::fmBoolean, false);
            p.Proxy->UseQuery = true;
            p.Proxy->invalidate();
            break;
        default:
            p.Proxy->setFilterRegularExpression(QRegularExpression(
                QStringLiteral("^[A-C][a-z]*a$"), QRegularExpression::CaseInsensitiveOption));
            break;
        }
        p.Proxy->sort(AmountCol - 1, Qt::AscendingOrder);
        p.Paint();
        found = p.Proxy->rowCount();
    }
    State.counters["matches"] = found;
}
BENCHMARK(BM_Peer_FilterAndSort)
    ->Arg(kro::fmSimple)
    ->Arg(kro::fmBoolean)
    ->Arg(kro::fmGrep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Widgets must go before the application object.
    TheOurs.reset();
    ThePeer.reset();
    return 0;
}
