// The segment pictures of the seven-segment display.
//
// Every picture is pure white with one black shape: the display colours a shape by flood-filling
// it from the picture's centre pixel, so each shape is a single 4-connected area through that
// pixel, and it must not enclose white (the outside of a composed digit is filled from a corner,
// an enclosed white pocket would stay white). Shapes are sampled at pixel centres, no
// antialiasing, and slanted by the same factor the digit layout uses (the upper segments sit
// 37 pixels right of the lower ones over about 200 rows).
#include "registry.h"

#include <QPointF>

#include <vector>

namespace {

constexpr double kSlant = 0.1875; // horizontal shift per row, upwards to the right

QImage Blank(int W, int H)
{
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 255));
    return img;
}

void Set(QImage &Img, int X, int Y, QRgb C)
{
    if (X >= 0 && Y >= 0 && X < Img.width() && Y < Img.height())
        reinterpret_cast<QRgb *>(Img.scanLine(Y))[X] = C;
}

/// Slants a polygon around row Cy: points above it move right, points below it left.
std::vector<QPointF> Slanted(std::vector<QPointF> Pts, double Cy)
{
    for (QPointF &p : Pts)
        p.setX(p.x() + (Cy - p.y()) * kSlant);
    return Pts;
}

/// Fills a convex polygon (given clockwise or counter-clockwise) in black.
void FillConvex(QImage &Img, const std::vector<QPointF> &Pts)
{
    const size_t n = Pts.size();
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            int pos = 0, neg = 0;
            for (size_t i = 0; i < n; ++i) {
                const QPointF &a = Pts[i], &b = Pts[(i + 1) % n];
                const double cross = (b.x() - a.x()) * (py - a.y()) - (b.y() - a.y()) * (px - a.x());
                if (cross > 0)
                    ++pos;
                else if (cross < 0)
                    ++neg;
            }
            if (pos == 0 || neg == 0) Set(Img, x, y, qRgb(0, 0, 0));
        }
}

/// Fills the ring between radii Rin and Rout around (Cx, Cy) (Rin 0 gives a disc) with Colour.
void FillRing(QImage &Img, double Cx, double Cy, double Rin, double Rout, QRgb Colour = qRgb(0, 0, 0))
{
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x) {
            const double dx = x + 0.5 - Cx, dy = y + 0.5 - Cy;
            const double d2 = dx * dx + dy * dy;
            if (d2 <= Rout * Rout && d2 >= Rin * Rin) Set(Img, x, y, Colour);
        }
}

/// A horizontal bar with pointed ends between X0 and X1, centred on row Cy, Half thick each side.
std::vector<QPointF> HorzBar(double X0, double X1, double Cy, double Half)
{
    return Slanted({{X0, Cy},
                    {X0 + Half, Cy - Half},
                    {X1 - Half, Cy - Half},
                    {X1, Cy},
                    {X1 - Half, Cy + Half},
                    {X0 + Half, Cy + Half}},
                   Cy);
}

/// A vertical bar with pointed ends between Y0 and Y1 on column Cx, slanted around row Cy.
std::vector<QPointF> VertBar(double Cx, double Y0, double Y1, double Half, double Cy)
{
    return Slanted({{Cx, Y0},
                    {Cx + Half, Y0 + Half},
                    {Cx + Half, Y1 - Half},
                    {Cx, Y1},
                    {Cx - Half, Y1 - Half},
                    {Cx - Half, Y0 + Half}},
                   Cy);
}

QImage SegVert()
{
    QImage img = Blank(68, 190);
    FillConvex(img, VertBar(34.5, 2, 189, 16, 95.5));
    return img;
}

QImage SegHorz()
{
    QImage img = Blank(200, 38);
    FillConvex(img, HorzBar(3, 198, 19.5, 18));
    return img;
}

QImage SegDot()
{
    QImage img = Blank(38, 38);
    FillRing(img, 19.5, 19.5, 0, 15);
    return img;
}

QImage SegPlus()
{
    QImage img = Blank(200, 190);
    FillConvex(img, HorzBar(22, 179, 95.5, 18));
    FillConvex(img, VertBar(100.5, 14, 177, 16, 95.5));
    return img;
}

QImage SegColon()
{
    // Two dots joined by a hair-line through the centre pixel: the flood fill that colours the
    // shape must reach both dots; scaled down the line all but vanishes.
    QImage img = Blank(68, 190);
    const double cx = 34.5, cy = 95.5, off = 55;
    FillRing(img, cx + off * kSlant, cy - off, 0, 15);
    FillRing(img, cx - off * kSlant, cy + off, 0, 15);
    int prev = -1;
    for (int y = int(cy - off); y <= int(cy + off); ++y) {
        const int x = int(cx + (cy - (y + 0.5)) * kSlant);
        Set(img, x, y, qRgb(0, 0, 0));
        if (prev >= 0 && prev != x)
            Set(img, prev, y, qRgb(0, 0, 0)); // keep the line 4-connected where it steps sideways
        prev = x;
    }
    return img;
}

QImage SegDeg()
{
    // A ring high in the picture whose lower stroke covers the centre pixel; a one-pixel slit on
    // the right lets the outside fill reach the hole.
    QImage img = Blank(160, 138);
    const double cx = 80.5, cy = 40.5;
    FillRing(img, cx, cy, 18, 36);
    for (int x = int(cx); x < img.width(); ++x)
        Set(img, x, int(cy), qRgb(255, 255, 255));
    return img;
}

const kro::resgen::Registrar vert("SEGVERT", SegVert);
const kro::resgen::Registrar horz("SEGHORZ", SegHorz);
const kro::resgen::Registrar dot("SEGDOT", SegDot);
const kro::resgen::Registrar plus("SEGPLUS", SegPlus);
const kro::resgen::Registrar colon("SEGCOLON", SegColon);
const kro::resgen::Registrar deg("SEGDEG", SegDeg);

} // namespace
