// LoadLinesFromFile on any file content and arguments. A refused load changes nothing; an accepted
// one puts the lines (cut to the cell length) where asked and leaves the other cells alone.
#include "fuzzcommon.h"

#include <krogui/replist/rldata.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace kro;
using krofuzz::Check;

namespace {

QStringList Cells(const TRLData &D)
{
    QStringList out;
    out << QString::number(D.NrOfColumns()) << QString::number(D.NrOfRows());
    for (int r = 1; r <= D.NrOfRows(); ++r)
        for (int c = 0; c <= D.NrOfColumns(); ++c)
            out << D.GetElem(c, r) << QString::number(D.GetElemChecked(c, r));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    const quint8 flags = in.Byte();
    const int column = int(in.Byte() % 6) - 1;
    const int firstRow = int(in.Byte() % 40) - 2;
    const QByteArray bytes = in.RestBytes();
    static const QString name =
        QDir::temp().filePath(QStringLiteral("krogui_fuzz_lines_%1.txt").arg(QCoreApplication::applicationPid()));
    {
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(bytes);
    }
    TRLData d;
    d.SetNrCols(3);
    d.SetNrRows(flags % 5);
    if (flags & 8) d.SetColCheckMode(2, cmBox);
    for (int r = 1; r <= d.NrOfRows(); ++r)
        for (int c = 0; c <= 3; ++c)
            d.SetElem(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
    if (flags & 8) d.SetElemChecked(2, 1, true);
    const QStringList before = Cells(d);
    const int rowsBefore = d.NrOfRows();

    const bool ok = d.LoadLinesFromFile(column, firstRow, name);
    if (!ok) {
        Check(Cells(d) == before, "a refused load changed the list");
        return 0;
    }
    // The other columns keep their text, and rows before FirstRow are untouched.
    Check(d.NrOfRows() >= rowsBefore, "a load dropped rows");
    for (int r = 1; r <= rowsBefore; ++r)
        for (int c = 0; c <= 3; ++c) {
            if (c == column && r >= firstRow) continue;
            if (d.GetElem(c, r) != QStringLiteral("r%1c%2").arg(r).arg(c)) krofuzz::Fail("a load changed another cell");
        }
    for (int r = 1; r <= d.NrOfRows(); ++r)
        Check(d.GetElem(column, r).size() <= RLMaxCellLength, "a loaded cell is longer than a cell may be");
    return 0;
}
