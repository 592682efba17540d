// krogui-resgen DIR: paints our stock bitmaps and writes them to DIR as PNG files.
#include "registry.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: krogui-resgen <output dir>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int n = kro::resgen::WriteAll(QString::fromLocal8Bit(argv[1]));
    if (n < 0) {
        std::fprintf(stderr, "krogui-resgen: cannot write to %s\n", argv[1]);
        return 1;
    }
    std::printf("krogui-resgen: %d pictures written to %s\n", n, argv[1]);
    return 0;
}
