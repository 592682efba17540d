// The report list file test: CheckIfValidReplist on a stream and on a file, and the signature line.
#include "fuzzcommon.h"

#include <krogui/core/error.h>
#include <krogui/replist/replistxml.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    const quint8 flags = in.Byte();
    const QString id = in.ShortText(24);
    QByteArray bytes = in.RestBytes();

    if (flags & 1) {
        static const QString name = QDir::temp().filePath(QStringLiteral("krogui_fuzz_check_%1.xml")
                                                              .arg(QCoreApplication::applicationPid()));
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(bytes);
        f.close();
        (void)kro::CheckIfValidReplist(name, id);
        return 0;
    }
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    const bool ok = kro::CheckIfValidReplist(&buf, id);
    // The stream is left after the last line read, never before where it started.
    krofuzz::Check(buf.pos() >= 0 && buf.pos() <= bytes.size(), "stream position out of range");
    for (const QByteArray &line : bytes.split('\n')) {
        QString lineId;
        if (kro::RepListSignatureLine(QString::fromUtf8(line), lineId))
            krofuzz::Check(lineId == lineId.trimmed().toLower(), "signature id not normalised");
    }
    (void)ok;
    return 0;
}
