#include <krogui/core/kromath.h>
#include <krogui/gauges/progbarcalc.h>

#include <algorithm>
#include <cmath>

namespace kro {

namespace {

constexpr int kLast = ProgBarColorCount - 1;

int BlendChannel(int A1, int A2, double T)
{
    return std::clamp(Trunc(A1 + (A2 - A1) * T), 0, 255);
}

} // namespace

TColor BlendColor(TColor C1, TColor C2, double T)
{
    T = std::isnan(T) ? 0.0 : std::clamp(T, 0.0, 1.0);
    return RGB(BlendChannel(GetRValue(C1), GetRValue(C2), T), BlendChannel(GetGValue(C1), GetGValue(C2), T),
               BlendChannel(GetBValue(C1), GetBValue(C2), T));
}

void RefillColorTable(TBarColorArray &Table, TColor First, TColor Last)
{
    for (int i = 1; i < kLast; ++i)
        Table[i] = BlendColor(First, Last, double(i) / kLast);
}

bool SpreadColorStops(TBarColorArray &Table, const std::vector<TColor> &Stops)
{
    if (Stops.empty()) return false;
    if (Stops.size() == 1) {
        Table.fill(Stops.front() & 0xFFFFFF);
        return true;
    }
    // Stop k sits at position k / (count - 1) of the table.
    const double segments = double(Stops.size() - 1);
    for (int i = 0; i < ProgBarColorCount; ++i) {
        const double pos = double(i) / kLast * segments;
        const size_t k = std::min(size_t(pos), Stops.size() - 2);
        Table[i] = BlendColor(Stops[k], Stops[k + 1], pos - double(k));
    }
    return true;
}

int ColorTableIndex(TColorMapping Mode, int I, int FullLen, int Filled)
{
    if (FullLen <= 0 || Filled <= 0) return 0;
    const double L = FullLen, n = Filled;
    qint64 k;
    switch (Mode) {
    case cgmCover:
        k = Round64(kLast * I / L);
        break;
    case cgmMove:
        k = Round64(kLast * I / L) + kLast - Round64(kLast * (n - 1) / L);
        break;
    case cgmStretch:
    default:
        k = Round64(kLast * I / n);
        break;
    }
    return int(std::clamp<qint64>(k, 0, kLast));
}

double ProgBarFraction(double Value, double Min, double Max)
{
    if (std::isnan(Value) || std::isnan(Min) || std::isnan(Max) || Min == Max) return 0.0;
    double f = (Value - Min) / (Max - Min);
    if (std::isfinite(Min) && std::isfinite(Max) && !std::isfinite(Max - Min)) {
        // The width of the range overflows: halving every term keeps it finite.
        f = (Value / 2 - Min / 2) / (Max / 2 - Min / 2);
    }
    if (std::isnan(f)) return 0.0;
    return std::clamp(f, 0.0, 1.0);
}

int ProgBarFullLength(TDirection Dir, const TRect &Area)
{
    return std::max(0, IsVerticalDirection(Dir) ? Area.Height() : Area.Width());
}

TRect ProgBarFilledRect(TDirection Dir, const TRect &Area, double F)
{
    const int full = ProgBarFullLength(Dir, Area);
    const int n = std::clamp(Round(full * (std::isnan(F) ? 0.0 : F)), 0, full);
    TRect r = Area;
    switch (Dir) {
    case dirUp:
        r.Top = Area.Bottom - n;
        break;
    case dirDown:
        r.Bottom = Area.Top + n;
        break;
    case dirLeft:
        r.Left = Area.Right - n;
        break;
    case dirRight:
    default:
        r.Right = Area.Left + n;
        break;
    }
    return r;
}

int ProgBarLinePos(TDirection Dir, const TRect &Filled, int I)
{
    switch (Dir) {
    case dirUp:
        return Filled.Bottom - I - 1;
    case dirDown:
        return Filled.Top + I;
    case dirLeft:
        return Filled.Right - I - 1;
    case dirRight:
    default:
        return Filled.Left + I;
    }
}

std::vector<int> ProgBarGridLines(TDirection Dir, const TRect &Area, const TRect &Filled, int Dist)
{
    std::vector<int> lines;
    if (Dist < 2) return lines;
    // 64-bit steps: a huge distance must not wrap around.
    switch (Dir) {
    case dirUp:
        for (qint64 y = Area.Bottom - 1; y >= Filled.Top; y -= Dist)
            lines.push_back(int(y));
        break;
    case dirDown:
        for (qint64 y = Area.Top; y <= Filled.Bottom && y < Area.Bottom; y += Dist)
            lines.push_back(int(y));
        break;
    case dirLeft:
        for (qint64 x = Area.Right - 1; x >= Filled.Left; x -= Dist)
            lines.push_back(int(x));
        break;
    case dirRight:
    default:
        for (qint64 x = Area.Left; x <= Filled.Right && x < Area.Right; x += Dist)
            lines.push_back(int(x));
        break;
    }
    return lines;
}

QString ProgBarValueText(double Value, int Decimals)
{
    Decimals = std::clamp(Decimals, -2, 10);
    if (std::isnan(Value)) return QStringLiteral("NAN");
    if (std::isinf(Value)) return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (Value == 0.0) Value = 0.0; // no negative zero
    if (Decimals >= 0) {
        QString s = QString::number(Value, 'f', Decimals);
        // A tiny negative value rounds to "-0.00": write it as zero.
        if (s.startsWith(u'-') &&
            std::none_of(s.cbegin(), s.cend(), [](QChar c) { return c > u'0' && c <= u'9'; }))
            s.remove(0, 1);
        return s;
    }
    const QString qt = QString::number(Value, 'e', 1); // "-d.de+XX"
    const qsizetype ePos = qt.indexOf(u'e');
    const int exp = qt.mid(ePos + 1).toInt();
    const QString exp4 = QString::number(std::abs(exp)).rightJustified(4, u'0');
    QString s = qt.left(ePos) + u'E' + (exp < 0 ? u'-' : u'+');
    if (Decimals == -2) return s + exp4;
    // The two-digit form drops two leading zeros of the exponent; when they are not both zeros
    // the whole four-digit text turns into asterisks.
    if (exp4.startsWith(QLatin1String("00"))) return s + exp4.mid(2);
    return QString(s.size() + exp4.size(), u'*');
}

} // namespace kro
