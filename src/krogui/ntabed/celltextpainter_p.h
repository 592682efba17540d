#pragma once
// Draws the short texts of table cells without laying each one out anew: the glyphs and advances
// of the printable ASCII characters are looked up once per font, and a cell text made of them
// becomes one glyph run. Other texts go through QPainter::drawText. Not installed.

#include <QColor>
#include <QFont>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

class QPainter;

namespace kro {

class TCellTextPainter
{
public:
    /// Fills Cell with Back and draws Text with its top-left at (X, Y), clipped to Cell.
    void Draw(QPainter *P, const QFont &Font, const QRect &Cell, int X, int Y, const QString &Text,
              const QColor &Fore, const QColor &Back);

private:
    struct TFace
    {
        QString Key;
        QFont Font;
        QRawFont Raw;
        int Ascent = 0;
        int Descent = 0;
        std::array<quint32, 95> Glyph{};
        std::array<qreal, 95> Advance{};
        bool Usable = false;
    };
    TFace &Face(const QFont &Font);

    std::vector<TFace> FFaces; // a few fonts: normal and bold, at most a handful
    std::vector<quint32> FGlyphs;
    std::vector<QPointF> FPositions;
};

} // namespace kro
