// The check box pictures of the table editor's menus.
#include "registry.h"

#include <QPainter>

namespace {

QImage Box(bool Checked)
{
    QImage img(13, 13, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 255));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, 11, 0);
    p.drawLine(0, 0, 0, 11);
    p.setPen(QColor(0, 0, 0));
    p.drawLine(1, 1, 10, 1);
    p.drawLine(1, 1, 1, 10);
    p.setPen(QColor(192, 192, 192));
    p.drawLine(1, 11, 11, 11);
    p.drawLine(11, 1, 11, 11);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, 12, 12, 12);
    p.drawLine(12, 0, 12, 12);
    if (Checked) {
        // A tick of three-pixel-high strokes, as the classic check box draws it.
        p.setPen(QColor(0, 0, 0));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(3, 5 + i, 5, 7 + i);
            p.drawLine(5, 7 + i, 9, 3 + i);
        }
    }
    return img;
}

const kro::resgen::Registrar checked("CHECKEDBOX", [] { return Box(true); });
const kro::resgen::Registrar empty("EMPTYBOX", [] { return Box(false); });

} // namespace
