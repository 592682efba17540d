#include "celltextpainter_p.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

namespace kro {

TCellTextPainter::TFace &TCellTextPainter::Face(const QFont &Font)
{
    const QString key = Font.key();
    for (TFace &f : FFaces)
        if (f.Key == key) return f;
    if (FFaces.size() >= 8) FFaces.erase(FFaces.begin());
    TFace face;
    face.Key = key;
    face.Font = Font;
    // The raw font of what Qt itself would draw the digits with.
    QTextLayout layout(QStringLiteral("0123456789"), Font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() == 1) face.Raw = runs.first().rawFont();
    if (face.Raw.isValid()) {
        QString chars;
        for (int c = 32; c < 127; ++c)
            chars += QChar(c);
        const QList<quint32> glyphs = face.Raw.glyphIndexesForString(chars);
        if (glyphs.size() == 95) {
            const QList<QPointF> adv = face.Raw.advancesForGlyphIndexes(glyphs);
            face.Usable = adv.size() == 95;
            for (int i = 0; i < 95 && face.Usable; ++i) {
                face.Glyph[size_t(i)] = glyphs[i];
                face.Advance[size_t(i)] = adv[i].x();
                if (glyphs[i] == 0 && i != 0) face.Usable = false; // a character the font lacks
            }
        }
        const QFontMetrics fm(Font);
        face.Ascent = fm.ascent();
        face.Descent = fm.descent();
    }
    FFaces.push_back(std::move(face));
    return FFaces.back();
}

void TCellTextPainter::Draw(QPainter *P, const QFont &Font, const QRect &Cell, int X, int Y,
                            const QString &Text, const QColor &Fore, const QColor &Back)
{
    if (Cell.isEmpty()) return;
    P->fillRect(Cell, Back);
    if (Text.isEmpty()) return;
    const TFace &face = Face(Font);
    bool plain = face.Usable;
    for (QChar ch : Text)
        if (ch.unicode() < 32 || ch.unicode() > 126) {
            plain = false;
            break;
        }
    P->setPen(Fore);
    if (!plain) {
        P->save();
        P->setClipRect(Cell, Qt::IntersectClip);
        P->setFont(Font);
        P->drawText(QPoint(X, Y + QFontMetrics(Font).ascent()), Text);
        P->restore();
        return;
    }
    FGlyphs.resize(size_t(Text.size()));
    FPositions.resize(size_t(Text.size()));
    qreal x = X;
    const int base = Y + face.Ascent;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const int k = Text[i].unicode() - 32;
        FGlyphs[size_t(i)] = face.Glyph[size_t(k)];
        FPositions[size_t(i)] = QPointF(x, base);
        x += face.Advance[size_t(k)];
    }
    QGlyphRun run;
    run.setRawFont(face.Raw);
    run.setGlyphIndexes(QList<quint32>(FGlyphs.begin(), FGlyphs.end()));
    run.setPositions(QList<QPointF>(FPositions.begin(), FPositions.end()));
    // Only a text that runs over the cell needs a clip.
    const bool over = x > Cell.right() + 1 || Y < Cell.top() || base + face.Descent > Cell.bottom() + 1;
    if (over) {
        P->save();
        P->setClipRect(Cell, Qt::IntersectClip);
        P->drawGlyphRun(QPointF(0, 0), run);
        P->restore();
    } else {
        P->drawGlyphRun(QPointF(0, 0), run);
    }
}

} // namespace kro
