#pragma once
// A tiny shape painter for small glyphs: shapes are predicates on the plane (pixel (x, y) covers
// [x, x+1) x [y, y+1)), sampled 4 x 4 per pixel, filled with a colour function evaluated at the
// pixel's centre. Only +, -, *, / and sqrt are used, so the pictures are the same on every build.
//
// Glyphs have a key colour (0xEBBEEB) where they are transparent. A shape's outer edge is not
// blended with the key: a pixel covered for less than a third stays transparent, one covered more
// takes the shape's colour softened towards a light button face, so that the outline reads well on
// the usual light backgrounds without a pink fringe. Edges inside the glyph are blended normally.

#include <QImage>
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace kro::resgen::glyph {

constexpr QRgb kKey = 0xFFEBBEEB;

using Shape = std::function<bool(double, double)>;
using Fill = std::function<QRgb(double, double)>;

inline QRgb Rgb(int R, int G, int B)
{
    return qRgb(std::clamp(R, 0, 255), std::clamp(G, 0, 255), std::clamp(B, 0, 255));
}

/// A + (B - A) * T, per channel.
inline QRgb Mix(QRgb A, QRgb B, double T)
{
    T = std::clamp(T, 0.0, 1.0);
    auto ch = [T](int a, int b) { return int(a + (b - a) * T + 0.5); };
    return Rgb(ch(qRed(A), qRed(B)), ch(qGreen(A), qGreen(B)), ch(qBlue(A), qBlue(B)));
}

inline QRgb Scale(QRgb C, double F)
{
    return Rgb(int(qRed(C) * F), int(qGreen(C) * F), int(qBlue(C) * F));
}

inline QImage Blank(int W, int H)
{
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(kKey);
    return img;
}

/// Paints Fill where Shape covers the pixels.
inline void Paint(QImage &Img, const Shape &S, const Fill &F)
{
    constexpr QRgb kFace = 0xFFE6E6E6;
    for (int y = 0; y < Img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(Img.scanLine(y));
        for (int x = 0; x < Img.width(); ++x) {
            int n = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    n += S(x + (i + 0.5) / 4, y + (j + 0.5) / 4) ? 1 : 0;
            if (n == 0) continue;
            const QRgb c = F(x + 0.5, y + 0.5);
            const double cov = n / 16.0;
            QRgb out;
            if ((line[x] | 0xFF000000u) == kKey) {
                if (n < 6) continue;
                out = n == 16 ? c : Mix(kFace, c, 0.35 + 0.65 * cov);
            } else {
                out = Mix(line[x], c, cov);
            }
            if ((out | 0xFF000000u) == kKey) out = Rgb(qRed(out), qGreen(out), qBlue(out) - 1);
            line[x] = out;
        }
    }
}

inline void Paint(QImage &Img, const Shape &S, QRgb C)
{
    Paint(Img, S, [C](double, double) { return C; });
}

// ---- shapes ----

inline Shape Circle(double Cx, double Cy, double R)
{
    return [=](double x, double y) { return (x - Cx) * (x - Cx) + (y - Cy) * (y - Cy) <= R * R; };
}

inline Shape Ellipse(double Cx, double Cy, double Rx, double Ry)
{
    return [=](double x, double y) {
        const double u = (x - Cx) / Rx, v = (y - Cy) / Ry;
        return u * u + v * v <= 1.0;
    };
}

/// The ring between radii Rin and Rout.
inline Shape Ring(double Cx, double Cy, double Rin, double Rout)
{
    return [=](double x, double y) {
        const double d = (x - Cx) * (x - Cx) + (y - Cy) * (y - Cy);
        return d <= Rout * Rout && d >= Rin * Rin;
    };
}

/// A rectangle [L, R] x [T, B] with corners rounded by Rad.
inline Shape RoundRect(double L, double T, double R, double B, double Rad)
{
    return [=](double x, double y) {
        if (x < L || x > R || y < T || y > B) return false;
        const double cx = std::clamp(x, L + Rad, R - Rad), cy = std::clamp(y, T + Rad, B - Rad);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= Rad * Rad;
    };
}

inline double SegDist(double X, double Y, QPointF A, QPointF B)
{
    const double dx = B.x() - A.x(), dy = B.y() - A.y();
    const double len = dx * dx + dy * dy;
    double t = len > 0 ? ((X - A.x()) * dx + (Y - A.y()) * dy) / len : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = A.x() + t * dx - X, py = A.y() + t * dy - Y;
    return std::sqrt(px * px + py * py);
}

/// A stroke of half-width Hw along the open polyline Pts, with round ends and joints.
inline Shape Stroke(std::vector<QPointF> Pts, double Hw)
{
    return [=](double x, double y) {
        for (size_t i = 0; i + 1 < Pts.size(); ++i)
            if (SegDist(x, y, Pts[i], Pts[i + 1]) <= Hw) return true;
        return false;
    };
}

/// Even-odd polygon.
inline Shape Polygon(std::vector<QPointF> Pts)
{
    return [=](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = Pts.size() - 1; i < Pts.size(); j = i++) {
            const QPointF &a = Pts[i], &b = Pts[j];
            if ((a.y() > y) != (b.y() > y) && x < (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()) + a.x())
                in = !in;
        }
        return in;
    };
}

/// The part of a polygon at least D away from its outline.
inline Shape PolygonInset(std::vector<QPointF> Pts, double D)
{
    const Shape in = Polygon(Pts);
    return [=](double x, double y) {
        if (!in(x, y)) return false;
        for (size_t i = 0, j = Pts.size() - 1; i < Pts.size(); j = i++)
            if (SegDist(x, y, Pts[j], Pts[i]) < D) return false;
        return true;
    };
}

inline Shape Union(Shape A, Shape B)
{
    return [=](double x, double y) { return A(x, y) || B(x, y); };
}
inline Shape Minus(Shape A, Shape B)
{
    return [=](double x, double y) { return A(x, y) && !B(x, y); };
}
inline Shape Where(Shape A, std::function<bool(double, double)> Cond)
{
    return [=](double x, double y) { return A(x, y) && Cond(x, y); };
}

// ---- fills ----

/// Vertical gradient from C0 at Y0 to C1 at Y1.
inline Fill VGrad(double Y0, QRgb C0, double Y1, QRgb C1)
{
    return [=](double, double y) { return Mix(C0, C1, (y - Y0) / (Y1 - Y0)); };
}
inline Fill HGrad(double X0, QRgb C0, double X1, QRgb C1)
{
    return [=](double x, double) { return Mix(C0, C1, (x - X0) / (X1 - X0)); };
}
/// Gradient along the diagonal from the top-left corner (C0) to the bottom-right (C1).
inline Fill DGrad(double X0, double Y0, double X1, double Y1, QRgb C0, QRgb C1)
{
    return [=](double x, double y) {
        const double dx = X1 - X0, dy = Y1 - Y0;
        return Mix(C0, C1, ((x - X0) * dx + (y - Y0) * dy) / (dx * dx + dy * dy));
    };
}

/// A lit ball of colour Base: light from the upper left, a soft white highlight.
inline Fill Sphere(double Cx, double Cy, double R, QRgb Base, double Gloss = 0.8)
{
    return [=](double x, double y) {
        const double nx = (x - Cx) / R, ny = (y - Cy) / R;
        const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
        // Light direction (-0.4, -0.5, 0.77), roughly normalised.
        const double diff = std::max(0.0, -0.4 * nx - 0.5 * ny + 0.77 * nz);
        QRgb c = Scale(Base, 0.55 + 0.55 * diff);
        // Highlight: the half vector raised to the 16th power.
        double s = std::max(0.0, -0.21 * nx - 0.27 * ny + 0.94 * nz);
        s *= s;
        s *= s;
        s *= s;
        s *= s;
        return Mix(c, qRgb(255, 255, 255), Gloss * s);
    };
}

/// Radial gradient: C0 at the centre, C1 at radius R and beyond.
inline Fill Radial(double Cx, double Cy, double R, QRgb C0, QRgb C1)
{
    return [=](double x, double y) {
        return Mix(C0, C1, std::sqrt((x - Cx) * (x - Cx) + (y - Cy) * (y - Cy)) / R);
    };
}

// ---- sheets ----

/// The greyed look of a disabled glyph: grey of the same lightness, less contrast, lighter.
inline QImage Greyed(const QImage &Img)
{
    QImage out = Img.copy();
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] | 0xFF000000u) == kKey) continue;
            const double lum = 0.30 * qRed(line[x]) + 0.59 * qGreen(line[x]) + 0.11 * qBlue(line[x]);
            const int g = int(118 + lum * 0.47 + 0.5);
            line[x] = qRgb(g, g, g);
        }
    }
    return out;
}

/// Four glyphs on one sheet: on and off enabled on top, their greyed copies below.
inline QImage Sheet(const QImage &On, const QImage &Off)
{
    const int w = On.width(), h = On.height();
    QImage sheet(2 * w, 2 * h, QImage::Format_RGB32);
    sheet.fill(kKey);
    const QImage parts[4] = {On, Off, Greyed(On), Greyed(Off)};
    for (int k = 0; k < 4; ++k)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                sheet.setPixel((k % 2) * w + x, (k / 2) * h + y, parts[k].pixel(x, y));
    return sheet;
}

/// The picture mirrored left to right.
inline QImage MirroredX(const QImage &Img)
{
    return Img.mirrored(true, false);
}

/// The picture turned a quarter clockwise (width and height swap).
inline QImage TurnedRight(const QImage &Img)
{
    QImage out(Img.height(), Img.width(), QImage::Format_RGB32);
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x)
            out.setPixel(Img.height() - 1 - y, x, Img.pixel(x, y));
    return out;
}

/// The picture mirrored on its main diagonal (width and height swap, light from the upper left
/// stays there).
inline QImage Transposed(const QImage &Img)
{
    QImage out(Img.height(), Img.width(), QImage::Format_RGB32);
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x)
            out.setPixel(y, x, Img.pixel(x, y));
    return out;
}

} // namespace kro::resgen::glyph
