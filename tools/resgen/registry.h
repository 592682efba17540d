#pragma once
// The registry of our stock bitmaps. Each family's painter file registers its pictures:
//
//   static const kro::resgen::Registrar reg("SEGVERT", [] { QImage img(...); ...; return img; });
//
// Painting must be deterministic: no fonts, no randomness, no antialiasing that depends on the
// platform; only QPainter geometry with antialiasing off or direct pixel writes.

#include <QImage>
#include <QString>

#include <functional>
#include <map>

namespace kro::resgen {

using Painter = std::function<QImage()>;

/// All registered pictures by name.
const std::map<QString, Painter> &All();

struct Registrar
{
    Registrar(const QString &Name, Painter P);
};

/// Writes every registered picture as <Dir>/<NAME>.png; returns the number written, -1 on error.
int WriteAll(const QString &Dir);

} // namespace kro::resgen
