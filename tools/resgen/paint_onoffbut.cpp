// The glyph sheets of the two-state button: one sheet per style, four glyphs each (on and off
// enabled on the top row, the same disabled below), 0xEBBEEB where the glyph is transparent.
#include "glyphkit.h"
#include "registry.h"

namespace {

using namespace kro::resgen::glyph;
using Pts = std::vector<QPointF>;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlue = qRgb(0x2F, 0x72, 0xD6);
const QRgb kBlueDark = qRgb(0x1E, 0x4F, 0x9E);
const QRgb kBorder = qRgb(0x78, 0x78, 0x78);
const QRgb kGreen = qRgb(0x2E, 0xC2, 0x45);
const QRgb kRed = qRgb(0xE0, 0x34, 0x2C);

// ---- check box and radio button ----

QImage CheckBox(bool On)
{
    QImage g = Blank(16, 16);
    Paint(g, RoundRect(1, 1, 15, 15, 2.5), On ? kBlueDark : kBorder);
    if (On) {
        Paint(g, RoundRect(2, 2, 14, 14, 1.6), VGrad(2, qRgb(0x5A, 0x9A, 0xF0), 14, kBlue));
        Paint(g, Stroke({{4.3, 8.2}, {6.9, 10.9}, {11.8, 5.2}}, 1.15), kWhite);
    } else {
        Paint(g, RoundRect(2, 2, 14, 14, 1.6), VGrad(2, qRgb(0xF4, 0xF4, 0xF4), 14, kWhite));
    }
    return g;
}

QImage RadioBut(bool On)
{
    QImage g = Blank(14, 14);
    Paint(g, Circle(7, 7, 6.6), On ? kBlueDark : kBorder);
    Paint(g, Circle(7, 7, 5.6), VGrad(1.5, qRgb(0xF2, 0xF2, 0xF2), 12.5, kWhite));
    if (On) Paint(g, Circle(7, 7, 3.2), Sphere(7, 7, 3.2, kBlue, 0.5));
    return g;
}

// ---- sliders ----

/// A grey metal knob with grip grooves across it, in [L, R] x [T, B] (upright: grooves horizontal).
void Knob(QImage &G, double L, double T, double R, double B, bool Upright)
{
    Paint(G, RoundRect(L, T, R, B, 2), qRgb(0x58, 0x58, 0x58));
    const Fill metal = Upright ? VGrad(T, qRgb(0xFA, 0xFA, 0xFA), B, qRgb(0xB0, 0xB0, 0xB0))
                               : HGrad(L, qRgb(0xFA, 0xFA, 0xFA), R, qRgb(0xB0, 0xB0, 0xB0));
    Paint(G, RoundRect(L + 1, T + 1, R - 1, B - 1, 1.2), metal);
    const double cx = (L + R) / 2, cy = (T + B) / 2;
    for (int k = -1; k <= 1; ++k) {
        if (Upright) {
            const double y = std::floor(cy) + 3 * k;
            Paint(G, RoundRect(L + 3, y - 1, R - 3, y, 0), qRgb(0x80, 0x80, 0x80));
            Paint(G, RoundRect(L + 3, y, R - 3, y + 1, 0), kWhite);
        } else {
            const double x = std::floor(cx) + 3 * k;
            Paint(G, RoundRect(x - 1, T + 3, x, B - 3, 0), qRgb(0x80, 0x80, 0x80));
            Paint(G, RoundRect(x, T + 3, x + 1, B - 3, 0), kWhite);
        }
    }
}

/// Upright slide switch, 18 x 30: a dark slot, the knob up when on.
QImage SlideTB(bool On)
{
    QImage g = Blank(18, 30);
    Paint(g, RoundRect(5, 1.5, 13, 28.5, 4), qRgb(0x40, 0x40, 0x40));
    Paint(g, RoundRect(6, 2.5, 12, 27.5, 3), HGrad(6, qRgb(0x30, 0x30, 0x30), 12, qRgb(0x70, 0x70, 0x70)));
    if (On)
        Knob(g, 1, 1, 17, 14, true);
    else
        Knob(g, 1, 16, 17, 29, true);
    return g;
}

QImage SlideLR(bool On)
{
    // The upright switch mirrored on the diagonal (light stays upper left): "down" becomes "right".
    return Transposed(SlideTB(!On));
}

/// Coloured toggle, 18 x 30: a green track when on, a red one when off, the knob up or down.
QImage ColSlide(bool On, bool KnobUp)
{
    QImage g = Blank(18, 30);
    const QRgb base = On ? kGreen : kRed;
    Paint(g, RoundRect(1.5, 1, 16.5, 29, 7.5), Scale(base, 0.7));
    Paint(g, RoundRect(2.5, 2, 15.5, 28, 6.5), HGrad(2.5, Scale(base, 0.8), 15.5, Mix(base, kWhite, 0.25)));
    const double cy = KnobUp ? 9 : 21;
    Paint(g, Circle(9.4, cy + 0.6, 6.2), Scale(base, 0.55));
    Paint(g, Circle(9, cy, 5.6), Sphere(9, cy, 5.6, qRgb(0xF4, 0xF4, 0xF4), 0.6));
    return g;
}

QImage ColSlideTB(bool On)
{
    return ColSlide(On, On);
}
QImage ColSlideLR(bool On)
{
    return Transposed(ColSlide(On, !On));
}

// ---- lamps ----

QImage LedRedGreen(bool On)
{
    QImage g = Blank(14, 14);
    Paint(g, Circle(7, 7, 6.6), qRgb(0x44, 0x44, 0x44));
    Paint(g, Circle(7, 7, 5.5), Sphere(7, 7, 5.5, On ? qRgb(0x30, 0xE0, 0x40) : qRgb(0xE8, 0x28, 0x20)));
    return g;
}

QImage BeveledLed(bool On)
{
    QImage g = Blank(17, 17);
    const double c = 8.5;
    Paint(g, Circle(c, c, 8.3), qRgb(0x60, 0x60, 0x60));
    Paint(g, Circle(c, c, 7.6), DGrad(2, 2, 15, 15, qRgb(0xFC, 0xFC, 0xFC), qRgb(0x88, 0x88, 0x88)));
    Paint(g, Circle(c, c, 6.2), DGrad(3, 3, 14, 14, qRgb(0x70, 0x70, 0x70), qRgb(0xF0, 0xF0, 0xF0)));
    const QRgb led = On ? qRgb(0x38, 0xF0, 0x48) : qRgb(0x1E, 0x50, 0x24);
    Paint(g, Circle(c, c, 5.2), Sphere(c, c, 5.2, led, On ? 0.85 : 0.35));
    return g;
}

/// A screw-in light bulb, 39 x 49, glowing with rays when on.
QImage Bulb(bool On)
{
    QImage g = Blank(39, 49);
    const double cx = 19.5, cy = 18;
    if (On) {
        const double d = 0.7071;
        const QPointF dirs[] = {{-1, 0}, {-d, -d}, {0, -1}, {d, -d}, {1, 0}, {-d, d}, {d, d}};
        for (const QPointF &u : dirs) {
            const double r0 = u.y() < 0 && u.x() == 0 ? 14.6 : 15.2,
                         r1 = u.y() < 0 && u.x() == 0 ? 17.2 : 18.6;
            Paint(g, Stroke({{cx + u.x() * r0, cy + u.y() * r0}, {cx + u.x() * r1, cy + u.y() * r1}}, 0.9),
                  qRgb(0xF5, 0xA8, 0x00));
        }
    }
    // Glass: a globe narrowing into the neck.
    const Shape glass =
        Union(Circle(cx, cy, 13), Polygon({{cx - 10, 25}, {cx + 10, 25}, {cx + 5.5, 34}, {cx - 5.5, 34}}));
    Paint(g, glass, On ? qRgb(0xD8, 0x98, 0x00) : qRgb(0x8C, 0x8C, 0x8C));
    const Shape inside =
        Union(Circle(cx, cy, 12), Polygon({{cx - 9, 25}, {cx + 9, 25}, {cx + 4.6, 33.5}, {cx - 4.6, 33.5}}));
    if (On)
        Paint(g, inside, Radial(cx - 2, cy - 2, 15, qRgb(0xFF, 0xFD, 0xD8), qRgb(0xFF, 0xC8, 0x20)));
    else
        Paint(g, inside, Radial(cx - 4, cy - 5, 17, qRgb(0xFC, 0xFC, 0xFC), qRgb(0xC8, 0xCE, 0xD4)));
    // Filament on two wires.
    const QRgb wire = On ? qRgb(0xC0, 0x70, 0x00) : qRgb(0x70, 0x70, 0x70);
    Paint(g, Stroke({{cx - 3, 33}, {cx - 3.5, 20}}, 0.45), wire);
    Paint(g, Stroke({{cx + 3, 33}, {cx + 3.5, 20}}, 0.45), wire);
    Paint(g,
          Stroke({{cx - 3.5, 20},
                  {cx - 2.3, 17.5},
                  {cx - 1.2, 20},
                  {cx, 17.5},
                  {cx + 1.2, 20},
                  {cx + 2.3, 17.5},
                  {cx + 3.5, 20}},
                 On ? 0.7 : 0.5),
          On ? kWhite : qRgb(0x50, 0x50, 0x50));
    if (!On) // a glint on the glass
        Paint(g, Stroke({{cx - 8.5, cy - 2}, {cx - 6.5, cy - 7.5}}, 1.0), kWhite);
    // Screw base with threads and the contact.
    Paint(g, RoundRect(cx - 5.5, 34, cx + 5.5, 44, 1), qRgb(0x60, 0x60, 0x60));
    Paint(g, RoundRect(cx - 4.5, 34, cx + 4.5, 43, 0.5),
          HGrad(cx - 4.5, qRgb(0xE8, 0xE8, 0xE8), cx + 4.5, qRgb(0x90, 0x90, 0x90)));
    for (int k = 0; k < 3; ++k)
        Paint(g, Stroke({{cx - 5, 36.5 + 3 * k}, {cx + 5, 35.5 + 3 * k}}, 0.5), qRgb(0x70, 0x70, 0x70));
    Paint(g, RoundRect(cx - 3, 44, cx + 3, 47.5, 1.5), qRgb(0x38, 0x38, 0x38));
    return g;
}

/// An illuminated push button, 49 x 24: an amber lens in a dark bezel.
QImage ButLamp(bool On)
{
    QImage g = Blank(49, 24);
    Paint(g, RoundRect(0.5, 0.5, 48.5, 23.5, 4.5), qRgb(0x30, 0x30, 0x30));
    Paint(g, RoundRect(1.5, 1.5, 47.5, 22.5, 3.5),
          VGrad(1.5, qRgb(0x90, 0x90, 0x90), 22.5, qRgb(0x48, 0x48, 0x48)));
    Paint(g, RoundRect(4, 4, 45, 20, 2.5), qRgb(0x28, 0x20, 0x10));
    if (On) {
        Paint(g, RoundRect(5, 5, 44, 19, 2),
              Radial(24.5, 12, 22, qRgb(0xFF, 0xF0, 0xA0), qRgb(0xFF, 0x9A, 0x00)));
        Paint(g, RoundRect(7, 6, 42, 9, 1.5), qRgb(0xFF, 0xF8, 0xD8));
    } else {
        Paint(g, RoundRect(5, 5, 44, 19, 2), VGrad(5, qRgb(0x9A, 0x7A, 0x48), 19, qRgb(0x5A, 0x42, 0x20)));
        Paint(g, RoundRect(7, 6, 42, 9, 1.5), qRgb(0xA8, 0x92, 0x70));
    }
    return g;
}

/// A tab rounded into a half disc on the left, 48 x 16; green when on, grey when off.
QImage HalfDisc(bool On)
{
    QImage g = Blank(48, 16);
    const QRgb base = On ? qRgb(0x34, 0xC0, 0x48) : qRgb(0x9C, 0x9C, 0x9C);
    const Shape outer = Union(Circle(8, 8, 7.5), RoundRect(8, 0.5, 47.5, 15.5, 0));
    const Shape inner = Union(Circle(8, 8, 6.5), RoundRect(8, 1.5, 46.5, 14.5, 0));
    Paint(g, outer, Scale(base, 0.55));
    Paint(g, inner, VGrad(1.5, Mix(base, kWhite, 0.45), 14.5, Scale(base, 0.8)));
    Paint(g, RoundRect(5, 2.5, 45.5, 5.5, 1.5), [&](double, double y) {
        return Mix(Mix(base, kWhite, 0.7), Mix(base, kWhite, 0.45), (y - 2.5) / 3);
    });
    return g;
}

// ---- arrows ----

/// A blue arrow pointing up, 25 x 25.
QImage ArrowUp()
{
    QImage g = Blank(25, 25);
    const Pts arrow = {{12.5, 1.5}, {23, 12.5},  {16.5, 12.5}, {16.5, 23.5},
                       {8.5, 23.5}, {8.5, 12.5}, {2, 12.5}};
    Paint(g, Polygon(arrow), kBlueDark);
    Paint(g, PolygonInset(arrow, 1.1), DGrad(4, 2, 20, 23, qRgb(0x80, 0xB8, 0xF8), kBlue));
    return g;
}

QImage ArrowRight()
{
    return TurnedRight(ArrowUp());
}
QImage ArrowDown()
{
    return TurnedRight(ArrowRight());
}
QImage ArrowLeft()
{
    return MirroredX(ArrowRight());
}

// ---- pedestrian traffic light ----

/// A pedestrian figure around (Cx, Cy), standing or walking.
Shape Walker(double Cx, double Cy, bool Walking)
{
    const Shape head = Circle(Cx, Cy - 3.5, 1.3);
    if (!Walking) // standing, arms down
        return Union(head, Union(RoundRect(Cx - 1.7, Cy - 1.9, Cx + 1.7, Cy + 1.3, 0.8),
                                 Union(Stroke({{Cx - 0.7, Cy + 1}, {Cx - 0.8, Cy + 4.2}}, 0.6),
                                       Stroke({{Cx + 0.7, Cy + 1}, {Cx + 0.8, Cy + 4.2}}, 0.6))));
    return Union(
        head, Union(Stroke({{Cx + 0.2, Cy - 1.8}, {Cx - 0.3, Cy + 0.8}}, 1.0),
                    Union(Stroke({{Cx - 0.3, Cy + 0.8}, {Cx - 2.6, Cy + 4}}, 0.6),
                          Union(Stroke({{Cx - 0.3, Cy + 0.8}, {Cx + 2.4, Cy + 4}}, 0.6),
                                Stroke({{Cx - 2.6, Cy + 0.6}, {Cx, Cy - 1.6}, {Cx + 2.6, Cy + 0.4}}, 0.5)))));
}

QImage TrafficLight(bool Walk)
{
    QImage g = Blank(31, 31);
    Paint(g, RoundRect(7.5, 0.5, 23.5, 30.5, 3), qRgb(0x18, 0x18, 0x18));
    Paint(g, RoundRect(8.5, 1.5, 22.5, 29.5, 2.2),
          HGrad(8.5, qRgb(0x58, 0x58, 0x58), 22.5, qRgb(0x28, 0x28, 0x28)));
    struct Lamp
    {
        double Cy;
        QRgb Lit, Dark;
        bool Walking, On;
    };
    const Lamp lamps[] = {{8.2, qRgb(0xFF, 0x40, 0x30), qRgb(0x5A, 0x1E, 0x1A), false, !Walk},
                          {22.8, qRgb(0x40, 0xF0, 0x70), qRgb(0x1A, 0x4A, 0x2A), true, Walk}};
    for (const Lamp &l : lamps) {
        Paint(g, Circle(15.5, l.Cy, 6.2), qRgb(0x08, 0x08, 0x08));
        Paint(g, Circle(15.5, l.Cy, 5.6),
              l.On ? Radial(15.5, l.Cy, 6, Scale(l.Lit, 0.45), Scale(l.Lit, 0.3))
                   : Fill([](double, double) { return qRgb(0x20, 0x20, 0x20); }));
        Paint(g, Walker(15.5, l.Cy, l.Walking), l.On ? Mix(l.Lit, kWhite, 0.25) : l.Dark);
    }
    return g;
}

// ---- smileys ----

QImage Smiley(QRgb Face, bool Happy)
{
    QImage g = Blank(18, 18);
    const double c = 9;
    Paint(g, Circle(c, c, 8.5), Scale(Face, 0.5));
    Paint(g, Circle(c, c, 7.6), Sphere(c, c, 7.6, Face, 0.45));
    const QRgb ink = qRgb(0x30, 0x20, 0x08);
    Paint(g, Ellipse(6.4, 6.9, 1.05, 1.6), ink);
    Paint(g, Ellipse(11.6, 6.9, 1.05, 1.6), ink);
    if (Happy)
        Paint(g, Where(Ring(c, 8.2, 4.0, 5.3), [](double, double y) { return y > 10.2; }), ink);
    else
        Paint(g, Where(Ring(c, 16.6, 4.0, 5.3), [](double, double y) { return y < 13.4; }), ink);
    return g;
}

// ---- the five spare user sheets, 24 x 24 ----

QImage Power(bool On)
{
    QImage g = Blank(24, 24);
    const QRgb base = On ? kGreen : qRgb(0xA8, 0xA8, 0xA8);
    Paint(g, Circle(12, 12, 11.3), Scale(base, 0.6));
    Paint(g, Circle(12, 12, 10.4), Sphere(12, 12, 10.4, base, 0.35));
    const QRgb ink = On ? kWhite : qRgb(0x50, 0x50, 0x50);
    Paint(
        g,
        Where(Ring(12, 12.8, 4.4, 6.2), [](double x, double y) { return !(y < 12 && x > 9.2 && x < 14.8); }),
        ink);
    Paint(g, Stroke({{12, 5}, {12, 11.5}}, 1.0), ink);
    return g;
}

QImage Star(bool On)
{
    QImage g = Blank(24, 24);
    const double cx = 12, cy = 12.8, ro = 11.2, ri = 4.6;
    // Unit directions every 36 degrees, starting straight up.
    const double d[10][2] = {{0, -1},
                             {0.587785, -0.809017},
                             {0.951057, -0.309017},
                             {0.951057, 0.309017},
                             {0.587785, 0.809017},
                             {0, 1},
                             {-0.587785, 0.809017},
                             {-0.951057, 0.309017},
                             {-0.951057, -0.309017},
                             {-0.587785, -0.809017}};
    Pts star;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 ? ri : ro;
        star.push_back({cx + d[k][0] * r, cy + d[k][1] * r});
    }
    Paint(g, Polygon(star), On ? qRgb(0xB0, 0x78, 0x00) : qRgb(0x80, 0x80, 0x80));
    Paint(g, PolygonInset(star, 1.0),
          On ? VGrad(2, qRgb(0xFF, 0xE8, 0x60), 22, qRgb(0xF0, 0xA8, 0x00))
             : VGrad(2, kWhite, 22, qRgb(0xE0, 0xE0, 0xE0)));
    return g;
}

QImage Heart(bool On)
{
    QImage g = Blank(24, 24);
    const auto heart = [](double Grow) {
        return Union(Union(Circle(7.6, 8.6, 5.2 + Grow), Circle(16.4, 8.6, 5.2 + Grow)),
                     Polygon({{3.0 - Grow, 10.6}, {21.0 + Grow, 10.6}, {12, 21.2 + 1.4 * Grow}}));
    };
    Paint(g, heart(0), On ? qRgb(0x90, 0x10, 0x18) : qRgb(0x88, 0x88, 0x88));
    const Shape inner = Union(Union(Circle(7.6, 8.6, 4.5), Circle(16.4, 8.6, 4.5)),
                              Polygon({{4.0, 10.6}, {20.0, 10.6}, {12, 19.8}}));
    Paint(g, inner,
          On ? Sphere(10, 9, 12, qRgb(0xF0, 0x30, 0x40), 0.5) : VGrad(3, kWhite, 20, qRgb(0xDC, 0xDC, 0xDC)));
    return g;
}

QImage PlayStop(bool On)
{
    QImage g = Blank(24, 24);
    Paint(g, Circle(12, 12, 11.3), qRgb(0x30, 0x30, 0x30));
    Paint(g, Circle(12, 12, 10.4), VGrad(1.6, qRgb(0x70, 0x70, 0x70), 22.4, qRgb(0x38, 0x38, 0x38)));
    if (On)
        Paint(g, Polygon({{9, 6.5}, {17.5, 12}, {9, 17.5}}), qRgb(0x50, 0xF0, 0x60));
    else
        Paint(g, RoundRect(7.5, 7.5, 16.5, 16.5, 1), qRgb(0xFF, 0x50, 0x40));
    return g;
}

QImage YesNo(bool On)
{
    QImage g = Blank(24, 24);
    const QRgb base = On ? kGreen : kRed;
    Paint(g, Circle(12, 12, 11.3), Scale(base, 0.6));
    Paint(g, Circle(12, 12, 10.4), Sphere(12, 12, 10.4, base, 0.35));
    if (On)
        Paint(g, Stroke({{6.6, 12.2}, {10.4, 16}, {17.4, 8}}, 1.6), kWhite);
    else
        Paint(g, Union(Stroke({{7.8, 7.8}, {16.2, 16.2}}, 1.6), Stroke({{16.2, 7.8}, {7.8, 16.2}}, 1.6)),
              kWhite);
    return g;
}

using kro::resgen::Registrar;

const Registrar checkbox("CHECKBOX", [] { return Sheet(CheckBox(true), CheckBox(false)); });
const Registrar radiobut("RADIOBUT", [] { return Sheet(RadioBut(true), RadioBut(false)); });
const Registrar slidetb("SLIDETOPBOT", [] { return Sheet(SlideTB(true), SlideTB(false)); });
const Registrar slidelr("SLIDELFTRGT", [] { return Sheet(SlideLR(true), SlideLR(false)); });
const Registrar colslidetb("COLSLIDETB", [] { return Sheet(ColSlideTB(true), ColSlideTB(false)); });
const Registrar colslidelr("COLSLIDELR", [] { return Sheet(ColSlideLR(true), ColSlideLR(false)); });
const Registrar ledrg("LEDREDGREEN", [] { return Sheet(LedRedGreen(true), LedRedGreen(false)); });
const Registrar arrowtr("ARROWTR", [] { return Sheet(ArrowUp(), ArrowRight()); });
const Registrar arrowud("ARROWUD", [] { return Sheet(ArrowUp(), ArrowDown()); });
const Registrar arrowlr("ARROWLR", [] { return Sheet(ArrowLeft(), ArrowRight()); });
const Registrar traffic("TRAFFICLGT", [] { return Sheet(TrafficLight(true), TrafficLight(false)); });
const Registrar bevled("BEVELEDLED", [] { return Sheet(BeveledLed(true), BeveledLed(false)); });
const Registrar smileys("SMILEYS", [] {
    return Sheet(Smiley(qRgb(0xFF, 0xD2, 0x1E), true), Smiley(qRgb(0xFF, 0xD2, 0x1E), false));
});
const Registrar smileyrg("SMILEYRG", [] {
    return Sheet(Smiley(qRgb(0x48, 0xD0, 0x40), true), Smiley(qRgb(0xF0, 0x48, 0x38), false));
});
const Registrar bulb("BULB", [] { return Sheet(Bulb(true), Bulb(false)); });
const Registrar butlamp("BUTLAMP", [] { return Sheet(ButLamp(true), ButLamp(false)); });
const Registrar hdleft("HDLEFT", [] { return Sheet(HalfDisc(true), HalfDisc(false)); });
const Registrar hdright("HDRIGHT",
                        [] { return Sheet(MirroredX(HalfDisc(true)), MirroredX(HalfDisc(false))); });
const Registrar user1("USER1", [] { return Sheet(Power(true), Power(false)); });
const Registrar user2("USER2", [] { return Sheet(Star(true), Star(false)); });
const Registrar user3("USER3", [] { return Sheet(Heart(true), Heart(false)); });
const Registrar user4("USER4", [] { return Sheet(PlayStop(true), PlayStop(false)); });
const Registrar user5("USER5", [] { return Sheet(YesNo(true), YesNo(false)); });

} // namespace
