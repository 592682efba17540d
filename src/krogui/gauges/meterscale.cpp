#include <krogui/core/kromath.h>
#include <krogui/core/types.h>
#include <krogui/gauges/meterscale.h>

#include <cmath>

namespace kro {

namespace {

// Every tick loop is bounded: a sane scale has a few hundred ticks at most, and a range too
// narrow for double precision must not spin forever.
constexpr int kMaxTicks = 10000;
constexpr int kMaxDecades = 800;

constexpr double kDeg = uc_Pi / 180.0;

} // namespace

int MeterLayoutSweep(TMeterLayout Layout)
{
    switch (Layout) {
    case mlCirc90:
        return 90;
    case mlCirc120:
        return 120;
    case mlCirc180:
        return 180;
    case mlCirc270:
        return 270;
    case mlCirc300:
        return 300;
    case mlCirc360:
        return 360;
    }
    return 90;
}

namespace {
// How far the dial reaches beside the centre and in height, per pixel of radius.
double HalfWidthFactor(int Angle)
{
    return Angle == 90 ? std::sqrt(0.5) : Angle == 120 ? 0.8660254 : 1.0;
}
double HeightFactor(int Angle)
{
    return Angle == 270 ? 1.0 + std::sqrt(0.5) : Angle == 300 ? 1.866 : Angle == 360 ? 2.0 : 1.0;
}
} // namespace

TMeterGeometry CalcMeterGeometry(TMeterLayout Layout, int Width, int Height, int RimTop, int RimSide,
                                 int RimBottom)
{
    // Doubles throughout: absurd rims must not overflow the integer arithmetic.
    const double w = Width, h = Height, rt = RimTop, rs = RimSide, rb = RimBottom;
    const double halfW = double(Width / 2);
    TMeterGeometry g;
    g.MeterAngle = MeterLayoutSweep(Layout);
    g.MeterCenterX = Width / 2;
    // The default: the centre 8 pixels above the bottom rim and the top of the arc 8 pixels below
    // the top rim, so that the range band (4 pixels beyond the radius) clears both rims.
    g.MeterRadius = h - rb - rt - 16;
    g.MeterCenterY = Round(h - rb - 8);
    switch (Layout) {
    case mlCirc90: {
        // The end rays lie 45 degrees off the vertical: R sin 45 must fit beside the centre, or a
        // meter taller than wide draws its scale outside the control.
        const double byWidth = (w / 2.0 - rs - 8) * std::sqrt(2.0);
        if (byWidth < g.MeterRadius) g.MeterRadius = byWidth;
        break;
    }
    case mlCirc120: {
        // The end rays lie 60 degrees off the vertical: R sin 60 must fit beside the centre.
        const double byWidth = (w / 2.0 - rs - 8) * 1.1547;
        if (byWidth < g.MeterRadius) g.MeterRadius = byWidth;
        break;
    }
    case mlCirc180: {
        // Both ends lie on the horizontal through the centre, and so do their labels (centred on
        // it): the centre stays 16 pixels above the bottom rim, which leaves room for half a text
        // line, and R fits beside the centre as for the wider layouts.
        //   R = min(H - RimBottom - RimTop - 24, W div 2 - RimSide - 8),  CY = H - RimBottom - 16
        g.MeterRadius = h - rb - rt - 24;
        g.MeterCenterY = Round(h - rb - 16);
        const double byWidth = halfW - rs - 8;
        if (byWidth < g.MeterRadius) g.MeterRadius = byWidth;
        break;
    }
    case mlCirc270:
    case mlCirc300:
    case mlCirc360: {
        // The scale reaches below the centre by R cos(90 - (A - 180)/2), i.e. by R sin 45 (270),
        // R cos 30 (300) or R (360); its height is R times 1.7071, 1.866 or 2. The centre sits
        // R below the 8-pixel margin under the top rim:
        //   R = min(W div 2 - RimSide - 8, (H - RimTop - RimBottom - 16) / k),  CY = Round(RimTop + 8 + R)
        const double k = Layout == mlCirc270 ? 1.0 + std::sqrt(0.5) : Layout == mlCirc300 ? 1.866 : 2.0;
        g.MeterRadius = halfW - rs - 8;
        const double byHeight = (h - rt - rb - 16) / k;
        if (byHeight < g.MeterRadius) g.MeterRadius = byHeight;
        g.MeterCenterY = Round(rt + 8 + g.MeterRadius);
        break;
    }
    }
    // A control much taller than the dial needs (the width limits the radius) moves the dial
    // towards the middle of the height instead of leaving it at one edge of a stretched control;
    // up to half a radius of spare room keeps the usual place.
    const double used = g.MeterRadius * HeightFactor(g.MeterAngle);
    const double room = h - rt - rb - (g.MeterAngle == 180 ? 24 : 16);
    const double spare = room - used - g.MeterRadius / 2;
    if (g.MeterRadius > 0 && spare >= 2) {
        const int shift = int(spare / 2);
        g.MeterCenterY += g.MeterAngle >= 270 ? shift : -shift;
    }
    return g;
}

QSize MeterSizeForRadius(TMeterLayout Layout, double Radius, int RimTop, int RimSide, int RimBottom)
{
    const int a = MeterLayoutSweep(Layout);
    const double w = 2 * (Radius * HalfWidthFactor(a) + RimSide + 8) + 1;
    const double h = Radius * HeightFactor(a) + RimTop + RimBottom + (a == 180 ? 24 : 16);
    return QSize(int(std::ceil(std::min(w, 1e6))), int(std::ceil(std::min(h, 1e6))));
}

int MeterHeightForWidth(TMeterLayout Layout, int Width, int RimTop, int RimSide, int RimBottom)
{
    const int a = MeterLayoutSweep(Layout);
    const double r = std::max(0.0, (Width / 2 - RimSide - 8) / HalfWidthFactor(a));
    return MeterSizeForRadius(Layout, r, RimTop, RimSide, RimBottom).height();
}

bool MeterRangeUsable(double Min, double Max)
{
    return std::isfinite(Min) && std::isfinite(Max) && Max > Min && std::isfinite(Max - Min);
}

double MeterScaleFraction(double Value, double Min, double Max, bool Logarithmic)
{
    if (!MeterRangeUsable(Min, Max) || std::isnan(Value)) return 0;
    if (Logarithmic && Value > 0 && Min > 0 && Max > 0)
        return (std::log(Value) - std::log(Min)) / (std::log(Max) - std::log(Min));
    return (Value - Min) / (Max - Min);
}

double MeterDrawAngle(double Value, double Min, double Max, bool Logarithmic, int Sweep)
{
    return 90.0 + Sweep / 2.0 - Sweep * MeterScaleFraction(Value, Min, Max, Logarithmic);
}

double MeterNeedleAngle(double Value, double Min, double Max, bool Logarithmic, int Sweep)
{
    if (Value > Max) Value = Max;
    if (Value < Min) Value = Min;
    return 180.0 - Sweep / 2.0 + Sweep * MeterScaleFraction(Value, Min, Max, Logarithmic);
}

QPoint MeterPointOnRay(int CX, int CY, double Radius, double PhiDeg)
{
    const double a = PhiDeg * kDeg;
    return QPoint(CX + Round(Radius * std::cos(a)), CY - Round(Radius * std::sin(a)));
}

bool MeterPixelToValue(int X, int Y, const TMeterGeometry &Geometry, double Min, double Max, bool Logarithmic,
                       double &Value)
{
    Value = 0;
    const double dx = double(X) - Geometry.MeterCenterX;
    const double dy = double(Y) - Geometry.MeterCenterY;
    double theta;
    if (dx != 0) {
        theta = std::atan(dy / dx);
        if (dx < 0) theta += uc_Pi;
    } else {
        theta = dy > 0 ? uc_Pi / 2 : 3 * uc_Pi / 2;
    }
    if (theta < 0) theta += 2 * uc_Pi;
    if (theta > 2 * uc_Pi) theta -= 2 * uc_Pi;
    double psi = theta * 180.0 / uc_Pi - 90.0; // clockwise from straight down
    if (psi < 0) psi += 360.0;
    const double a = Geometry.MeterAngle;
    const double b = 180.0 - a / 2.0;
    if (a <= 0 || psi < b || psi > 180.0 + a / 2.0) return false;
    const double t = (psi - b) / a;
    if (Logarithmic && Min > 0 && Max > 0)
        Value = std::exp(std::log(Min) + t * (std::log(Max) - std::log(Min)));
    else
        Value = Min + t * (Max - Min);
    return true;
}

TMeterTickStep CalcMeterTickStep(double Min, double Max, int NrTicks)
{
    TMeterTickStep r;
    r.First = Min;
    const double span = std::abs(Max - Min);
    if (NrTicks < 1) NrTicks = 1;
    if (Max == Min || !std::isfinite(Min) || !std::isfinite(Max) || !std::isfinite(span)) return r;
    const double e = Max > Min ? 1.0 : -1.0;
    double g = std::log10(span / NrTicks);
    double h = g - std::trunc(g);
    if (std::abs(h) < 1e-10 || std::abs(h) > 0.9999999999) {
        g = double(Round64(g));
        h = 0;
    }
    if (g < 0 && h != 0) g -= 1;
    if (h < 0) h += 1;
    double mantissa;
    if (h < std::log10(2.0) + 1e-10) {
        mantissa = 1;
        r.Subdivisions = 5;
    } else if (h < std::log10(5.0) + 1e-10) {
        mantissa = 2;
        r.Subdivisions = 4;
    } else {
        mantissa = 5;
        r.Subdivisions = 5;
    }
    const double s = e * mantissa * std::pow(10.0, std::trunc(g));
    if (!std::isfinite(s) || s == 0) {
        r.Subdivisions = 1;
        return r;
    }
    r.Step = s;
    double f = (std::trunc(Min / s) - 1) * s;
    for (int i = 0; i < kMaxTicks && e * (Min - f) > 0.001 * std::abs(s); ++i)
        f += s;
    r.First = f;
    return r;
}

std::vector<double> MeterMinorTicks(double Min, double Max, const TMeterTickStep &Step)
{
    std::vector<double> ticks;
    const double S = Step.Step;
    if (!(S > 0) || !std::isfinite(S) || Step.Subdivisions < 1 || !MeterRangeUsable(Min, Max)) return ticks;
    const double s = S / Step.Subdivisions;
    const double s0 = Step.First - S;
    for (int i = 0; i < kMaxTicks; ++i) {
        const double v = s0 + i * s;
        const double q = (v - Step.First) / S;
        // A major position, within rounding on either side.
        const bool major = std::abs(q - std::round(q)) <= 1e-5;
        if (!major && v >= Min) ticks.push_back(v);
        if (s0 + (i + 1) * s > Max + 0.001 * s) break;
    }
    return ticks;
}

std::vector<TMeterMajorTick> MeterMajorTicks(double Min, double Max, bool Logarithmic,
                                             const TMeterTickStep &Step)
{
    std::vector<TMeterMajorTick> ticks;
    const double S = Step.Step;
    if (!(S > 0) || !std::isfinite(S) || !MeterRangeUsable(Min, Max)) return ticks;
    if (Logarithmic && Min > 0 && Max > 0 && std::abs(std::log10(Max / Min)) >= 1) {
        // Decade scale: 1..9 of every decade, labels at 1, 2 and 5.
        const double d = std::pow(10.0, IntNeg(std::log10(0.999999999 * Min)));
        double m = 1;
        for (int decade = 0; decade < kMaxDecades; ++decade) {
            for (int i = 1; i <= 9; ++i) {
                const double v = i * d * m;
                if (v / 0.999999999 > Min && v * 0.999999999 < Max)
                    ticks.push_back({v, i == 1 || i == 2 || i == 5});
            }
            m *= 10;
            if (0.999999999 * d * m > Max) break;
        }
        return ticks;
    }
    for (int i = 0; i < kMaxTicks; ++i) {
        ticks.push_back({Step.First + i * S, true});
        if (Step.First + (i + 1) * S > Max + 0.001 * S) break;
    }
    return ticks;
}

QString MeterLabelText(double Value, int DecPlaces)
{
    DecPlaces = std::clamp(DecPlaces, 0, 17);
    QString t = QString::number(Value, 'f', DecPlaces);
    // A value that rounds to zero (often -1e-17 from the step arithmetic) reads "0.0", not "-0.0".
    if (t.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (int i = 1; i < t.size() && allZero; ++i)
            allZero = t[i] == QLatin1Char('0') || t[i] == QLatin1Char('.');
        if (allZero) t.remove(0, 1);
    }
    return t;
}

} // namespace kro
