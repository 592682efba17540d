#include "fuzzcommon.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace krofuzz {

void InitApp(bool Widgets)
{
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "krogui_fuzz";
    static char *argv[] = {name, nullptr};
    // Deliberately kept for the whole run.
    if (Widgets)
        new QApplication(argc, argv);
    else
        new QCoreApplication(argc, argv);
}

double TInput::Real()
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t(Byte()) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QString TInput::ShortText(int MaxBytes)
{
    int n = Byte() % (MaxBytes + 1);
    n = int(std::min<size_t>(size_t(n), FSize - std::min(FPos, FSize)));
    QString s = QString::fromUtf8(reinterpret_cast<const char *>(FData + FPos), n);
    FPos += size_t(n);
    return s;
}

QByteArray TInput::RestBytes() const
{
    if (FPos >= FSize) return {};
    return QByteArray(reinterpret_cast<const char *>(FData + FPos), qsizetype(FSize - FPos));
}

void Fail(const char *What)
{
    std::fprintf(stderr, "krogui fuzz check failed: %s\n", What);
    std::abort();
}

} // namespace krofuzz
