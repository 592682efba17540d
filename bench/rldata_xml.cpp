// Saving and loading a report list of 100,000 rows by 8 columns as XML, beside a bare
// QXmlStreamReader pass over the same file that only reads tokens (the floor for any reader).

#include <krogui/replist/rldata.h>

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 8;

void FillList(kro::TRLData &D)
{
    D.SetNrCols(kCols);
    D.SetNrRows(kRows);
    D.SetCheckedCol(2, true);
    for (int c = 1; c <= kCols; ++c)
        D.SetColName(c, QStringLiteral("Column %1").arg(c));
    for (int r = 1; r <= kRows; ++r) {
        D.SetElem(1, r, QStringLiteral("Customer %1 & Sons").arg(r));
        D.SetElem(2, r, QStringLiteral("open"));
        D.SetElemChecked(2, r, r % 3 == 0);
        D.SetElem(3, r, QString::number(r * 17 % 100003));
        D.SetElem(4, r,
                  QStringLiteral("2024-%1-%2")
                      .arg(r % 12 + 1, 2, 10, QLatin1Char('0'))
                      .arg(r % 28 + 1, 2, 10, QLatin1Char('0')));
        D.SetElem(5, r, QString::number(r * 0.25, 'f', 2));
        D.SetElem(6, r, QStringLiteral("Größe <%1>").arg(r % 7));
        D.SetElem(7, r, QStringLiteral("a longer free text that describes row %1 of the list").arg(r));
        D.SetElem(8, r, r % 5 == 0 ? QString() : QStringLiteral("x"));
    }
}

// The list and its file, made once.
struct Fixture
{
    QTemporaryDir Dir;
    QString File;
    kro::TRLData List;
    Fixture()
    {
        FillList(List);
        File = Dir.filePath(QStringLiteral("list.xml"));
        if (!List.SaveAsXMLFile(File, QStringLiteral("bench"))) qFatal("cannot write %s", qPrintable(File));
    }
};

Fixture &Shared()
{
    static Fixture f;
    return f;
}

void BM_SaveAsXMLFile(benchmark::State &State)
{
    Fixture &f = Shared();
    const QString out = f.Dir.filePath(QStringLiteral("out.xml"));
    for (auto _ : State) {
        if (!f.List.SaveAsXMLFile(out, QStringLiteral("bench"))) State.SkipWithError("save failed");
    }
    State.counters["MB"] = double(QFile(out).size()) / 1e6;
}
BENCHMARK(BM_SaveAsXMLFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadFromXMLFile(benchmark::State &State)
{
    Fixture &f = Shared();
    kro::TRLData d;
    for (auto _ : State) {
        if (!d.LoadFromXMLFile(f.File, QStringLiteral("bench"))) State.SkipWithError("load failed");
    }
    if (d.NrOfRows() != kRows) State.SkipWithError("wrong row count");
}
BENCHMARK(BM_LoadFromXMLFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BareXmlReaderPass(benchmark::State &State)
{
    Fixture &f = Shared();
    qint64 tokens = 0;
    for (auto _ : State) {
        QFile file(f.File);
        if (!file.open(QIODevice::ReadOnly)) State.SkipWithError("open failed");
        QXmlStreamReader xr(&file);
        tokens = 0;
        while (!xr.atEnd()) {
            xr.readNext();
            ++tokens;
        }
        if (xr.hasError()) State.SkipWithError("parse failed");
        benchmark::DoNotOptimize(tokens);
    }
    State.counters["tokens"] = double(tokens);
}
BENCHMARK(BM_BareXmlReaderPass)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
