// The report list XML readers. Every read starts from a list holding data; a failed read must leave
// that list exactly as it was, and a list that was read must write and read back unchanged.
#include "fuzzcommon.h"

#include <krogui/core/error.h>
#include <krogui/replist/rldata.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdlib>

using namespace kro;
using krofuzz::Check;

namespace {

void FillBase(TRLData &D)
{
    D.SetNrCols(3);
    D.SetNrRows(3);
    D.SetColName(1, QStringLiteral("Name"));
    D.SetColName(2, QStringLiteral("Amount"));
    D.SetColName(3, QStringLiteral("Done"));
    D.SetColumnFormat(2, QStringLiteral("[f][60]0.0"));
    D.SetColCheckMode(3, cmBox);
    D.SetCommonHeader(QStringLiteral("Sales <2024> & \"more\""));
    D.SetComment(QStringLiteral("first line\nsecond line"));
    D.SetElem(1, 1, QStringLiteral("Ærø"));
    D.SetElem(2, 1, QStringLiteral("12.5"));
    D.SetElem(3, 1, QStringLiteral("yes"));
    D.SetElemChecked(3, 1, true);
    D.SetElem(1, 2, QStringLiteral("tab\there"));
    D.SetElem(2, 2, QStringLiteral("-3"));
    D.SetElem(1, 3, QStringLiteral("\xF0\x9F\x98\x80 smile"));
    D.SetElem(0, 3, QStringLiteral("hidden"));
}

QByteArray Snapshot(TRLData &D)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    Check(D.WriteToXMLStream(&buf, true, QStringLiteral("snap")), "writing a list failed");
    out += QByteArray::number(D.NrOfColumns()) + ' ' + QByteArray::number(D.NrOfRows()) + ' ' +
           D.DataID().toUtf8() + ' ' + D.Comment().toUtf8() + ' ' + D.CommonHeader().toUtf8();
    return out;
}

QString TempName(const char *Ext)
{
    return QDir::temp().filePath(
        QStringLiteral("krogui_fuzz_xml_%1.%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(Ext)));
}

bool Read(TRLData &D, int Reader, const QByteArray &Bytes, const QString &Id)
{
    switch (Reader) {
    case 0:
        return D.ReadFromXMLString(QString::fromUtf8(Bytes), Id);
    case 1: {
        QByteArray copy = Bytes;
        QBuffer buf(&copy);
        buf.open(QIODevice::ReadOnly);
        return D.ReadFromXMLStream(&buf, Id);
    }
    case 2: {
        QByteArray copy = Bytes;
        QTextStream ts(&copy, QIODevice::ReadOnly);
        return D.ReadFromOpenXMLFile(ts, Id);
    }
    default: {
        const QString name = TempName("xml");
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        f.write(Bytes);
        f.close();
        return D.LoadFromXMLFile(name, Id);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    // KROGUI_FUZZ_SEED=<file>: write the starting list as the library writes it (a seed).
    if (const char *seed = std::getenv("KROGUI_FUZZ_SEED")) {
        TRLData d;
        FillBase(d);
        d.SaveAsXMLFile(QString::fromLocal8Bit(seed), QStringLiteral("sales 2024"));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    const quint8 flags = in.Byte();
    QString id;
    if (flags & 4) id = QStringLiteral("sales 2024");
    if (flags & 8) id = in.ShortText(16);
    const QByteArray bytes = in.RestBytes();

    TRLData d;
    FillBase(d);
    const QByteArray before = Snapshot(d);
    bool ok = false;
    try {
        ok = Read(d, flags & 3, bytes, id);
    } catch (const std::exception &) {
        krofuzz::Fail("a reader raised instead of returning false");
    }
    if (!ok) {
        Check(!d.LastError().isEmpty(), "a failed read without LastError");
        Check(Snapshot(d) == before, "a failed read changed the list");
        return 0;
    }
    // What was read must survive a write and a read unchanged.
    QByteArray written;
    {
        QBuffer buf(&written);
        buf.open(QIODevice::WriteOnly);
        Check(d.WriteToXMLStream(&buf, true, d.DataID()), "writing a read list failed");
    }
    TRLData again;
    Check(again.ReadFromXMLString(QString::fromUtf8(written), d.DataID()), "a written list does not read back");
    Check(Snapshot(again) == Snapshot(d), "a list changed on its way through a file");
    return 0;
}
