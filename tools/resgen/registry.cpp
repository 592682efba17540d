#include "registry.h"

#include <QDir>

namespace kro::resgen {

static std::map<QString, Painter> &Map()
{
    static std::map<QString, Painter> m;
    return m;
}

const std::map<QString, Painter> &All() { return Map(); }

Registrar::Registrar(const QString &Name, Painter P) { Map()[Name] = std::move(P); }

int WriteAll(const QString &Dir)
{
    if (!QDir().mkpath(Dir))
        return -1;
    int n = 0;
    for (const auto &[name, paint] : Map()) {
        const QImage img = paint();
        if (!img.save(QDir(Dir).filePath(name + QStringLiteral(".png")), "PNG"))
            return -1;
        ++n;
    }
    return n;
}

} // namespace kro::resgen
