#include <krogui/displays/numlabtext.h>

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kro {

namespace {

QString NonFinite(double Value)
{
    if (std::isnan(Value)) return QStringLiteral("NAN");
    return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

/// "E", a sign and at least three digits.
QString ExpText(int Exp)
{
    return QStringLiteral("E") + (Exp < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QString::number(std::abs(Exp)).rightJustified(3, QLatin1Char('0'));
}

/// The decimal digits of |Value| rounded to Digits significant digits, and the exponent of the
/// first one (Value = 0.D1D2D3... * 10^(Exp+1)).
void SigDigits(double Value, int Digits, QString &D, int &Exp)
{
    const QString s = QString::number(std::fabs(Value), 'e', Digits - 1); // "d.ddde+xx"
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    D = s.left(e);
    D.remove(QLatin1Char('.'));
    Exp = s.mid(e + 1).toInt();
}

QString StripZeros(QString S)
{
    if (!S.contains(QLatin1Char('.'))) return S;
    while (S.endsWith(QLatin1Char('0')))
        S.chop(1);
    if (S.endsWith(QLatin1Char('.'))) S.chop(1);
    return S;
}

/// True when no digit (decimal or hexadecimal) of S differs from zero.
bool AllZeroDigits(const QString &S)
{
    return std::none_of(S.begin(), S.end(), [](QChar c) {
        return (c >= QLatin1Char('1') && c <= QLatin1Char('9')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    });
}

/// The sign for a text whose digits were written from |Value|: none when they are all zero.
QString Signed(double Value, const QString &Digits)
{
    return Value < 0 && !AllZeroDigits(Digits) ? QLatin1Char('-') + Digits : Digits;
}

/// Fixed notation of a non-negative value, at least two digits before the point.
QString TwoDigitFixed(double Value, int Decimals)
{
    QString s = QString::number(Value, 'f', Decimals);
    const qsizetype point = s.indexOf(QLatin1Char('.'));
    if ((point < 0 ? s.size() : point) < 2) s.prepend(QLatin1Char('0'));
    return s;
}

/// The digits of an integer-valued non-negative double in base 2^Bits (1, 3 or 4), exactly.
QString PowerOfTwoDigits(double Value, int Bits)
{
    if (Value == 0) return QStringLiteral("0");
    int e = 0;
    const double mant = std::frexp(Value, &e); // Value = mant * 2^e, 0.5 <= mant < 1
    quint64 m = quint64(std::ldexp(mant, 53));
    int shift = e - 53;
    if (shift < 0) {
        m >>= -shift; // Value is an integer: the dropped bits are zero
        shift = 0;
    }
    QString bits = QString::number(m, 2) + QString(shift, QLatin1Char('0'));
    const qsizetype pad = (Bits - bits.size() % Bits) % Bits;
    bits.prepend(QString(pad, QLatin1Char('0')));
    static const char kDigits[] = "0123456789ABCDEF";
    QString out;
    for (qsizetype i = 0; i < bits.size(); i += Bits) {
        int d = 0;
        for (int k = 0; k < Bits; ++k)
            d = d * 2 + (bits[i + k] == QLatin1Char('1') ? 1 : 0);
        out += QLatin1Char(kDigits[d]);
    }
    return out;
}

QString Degrees(double Value, TDisplay Type, int P)
{
    const double a = std::fabs(Value);
    double deg = std::floor(a);
    const QString degSign = QString(QChar(0x00B0));
    if (Type == dtDegMin) {
        double min = (a - deg) * 60;
        QString ms = TwoDigitFixed(min, P);
        if (ms.toDouble() >= 60) { // rounding carried into the next degree
            deg += 1;
            ms = TwoDigitFixed(0, P);
        }
        return Signed(Value, QString::number(deg, 'f', 0) + degSign + ms + QLatin1Char('\''));
    }
    const double r = (a - deg) * 60;
    double min = std::floor(r);
    QString ss = TwoDigitFixed((r - min) * 60, P);
    if (ss.toDouble() >= 60) {
        min += 1;
        ss = TwoDigitFixed(0, P);
    }
    if (min >= 60) {
        min = 0;
        deg += 1;
    }
    return Signed(Value, QString::number(deg, 'f', 0) + degSign + TwoDigitFixed(min, 0) + QLatin1Char('\'') +
                             ss + QLatin1Char('"'));
}

QString Engineering(double Value, bool DecimalPoint, int P)
{
    if (Value == 0) return (DecimalPoint ? QString::number(0.0, 'f', P) : QStringLiteral("0")) + ExpText(0);
    // Exponent of the result: a multiple of three, rounded towards minus infinity.
    auto floor3 = [](int e) { return e >= 0 ? e / 3 * 3 : -((-e + 2) / 3 * 3); };
    auto expFor = [&](int LeadExp) {
        return DecimalPoint ? floor3(LeadExp) : floor3(LeadExp - std::max(1, P) + 1);
    };
    QString d;
    int exp = 0;
    SigDigits(Value, 17, d, exp);
    // Round once, straight from the binary value, to the digits the result keeps.
    const int keep = exp - expFor(exp) + 1 + (DecimalPoint ? P : 0);
    SigDigits(Value, keep, d, exp); // may carry into the next power of ten
    const int e3 = expFor(exp);
    const int intDigits = exp - e3 + 1;
    const int total = intDigits + (DecimalPoint ? P : 0);
    if (d.size() < total) d += QString(total - d.size(), QLatin1Char('0')); // after a carry the rest is zeros
    QString mt = d.left(intDigits);
    if (DecimalPoint && P > 0) mt += QLatin1Char('.') + d.mid(intDigits, P);
    return Signed(Value, mt) + ExpText(e3);
}

} // namespace

QString FormatExp(double Value, int Digits)
{
    if (!std::isfinite(Value)) return NonFinite(Value);
    Digits = std::clamp(Digits, 1, 17);
    QString d;
    int exp = 0;
    SigDigits(Value, Digits, d, exp);
    QString m = d.left(1);
    if (d.size() > 1) m += QLatin1Char('.') + d.mid(1);
    return Signed(Value, m) + ExpText(Value == 0 ? 0 : exp);
}

QString FormatGeneral(double Value, int Digits)
{
    if (!std::isfinite(Value)) return NonFinite(Value);
    if (Value == 0) return QStringLiteral("0");
    Digits = std::clamp(Digits, 1, 17);
    QString d;
    int exp = 0;
    SigDigits(Value, Digits, d, exp);
    QString fixed;
    if (exp >= Digits - 1)
        fixed = d + QString(exp - Digits + 1, QLatin1Char('0'));
    else if (exp >= 0)
        fixed = StripZeros(d.left(exp + 1) + QLatin1Char('.') + d.mid(exp + 1));
    else
        fixed = StripZeros(QStringLiteral("0.") + QString(-exp - 1, QLatin1Char('0')) + d);
    QString sci = d.left(1);
    if (d.size() > 1) sci = StripZeros(sci + QLatin1Char('.') + d.mid(1));
    sci += ExpText(exp);
    return Signed(Value, fixed.size() <= sci.size() ? fixed : sci);
}

QString NumLabText(double Value, const TNumLabFormat &Format)
{
    const TDisplay type = Format.DisplayType;
    const int p = std::clamp(Format.Precision, 0, 15);
    if (type == dtState) return Format.StateText;
    QString t;
    if (!std::isfinite(Value)) {
        t = NonFinite(Value);
    } else {
        const double rounded = std::nearbyint(Value) + 0.0; // halves to even; no "-0"
        switch (type) {
        case dtFloat:
            t = FormatGeneral(Value, p);
            break;
        case dtFixP:
            t = Signed(Value, QString::number(std::fabs(Value), 'f', p));
            break;
        case dtExp:
            t = FormatExp(Value, p);
            break;
        case dtInt:
            t = Signed(rounded, QString::number(std::fabs(rounded), 'f', 0));
            break;
        case dtZeroInt:
            t = Signed(rounded,
                       QString::number(std::fabs(rounded), 'f', 0).rightJustified(p, QLatin1Char('0')));
            break;
        case dtHex:
            t = Signed(rounded, PowerOfTwoDigits(std::fabs(rounded), 4).rightJustified(p, QLatin1Char('0')));
            break;
        case dtBin:
            t = Signed(rounded, PowerOfTwoDigits(std::fabs(rounded), 1));
            break;
        case dtOct:
            t = Signed(rounded, PowerOfTwoDigits(std::fabs(rounded), 3));
            break;
        case dtDateTime:
            t = FormatDayCount(Format.DTFormat, Value);
            break;
        case dtDeg:
            t = Signed(Value, QString::number(std::fabs(Value), 'f', p)) + QChar(0x00B0);
            break;
        case dtDegMin:
        case dtDegMinSec:
            t = Degrees(Value, type, p);
            break;
        case dtEEng:
            t = Engineering(Value, true, p);
            break;
        case dtEEngNoDP:
            t = Engineering(Value, false, p);
            break;
        case dtState:
            break;
        }
    }
    if (type == dtHex || type == dtDateTime || type == dtBin) return t;
    if (Format.Comma)
        t.replace(QLatin1Char('.'), QLatin1Char(','));
    else
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (Format.PlusSign && Value > 0) t.prepend(QLatin1Char('+'));
    return t;
}

// ---- date and time ------------------------------------------------------------------

namespace {

enum TokKind { tkLiteral, tkDay, tkMonth, tkYear, tkHour, tkMinute, tkSecond, tkAmPm };

struct Token
{
    TokKind Kind = tkLiteral;
    int Count = 0;
    QString Text; // literal text, or the am/pm token as written
};

std::vector<Token> Tokenize(const QString &F)
{
    std::vector<Token> out;
    auto literal = [&](const QString &s) {
        if (!out.empty() && out.back().Kind == tkLiteral)
            out.back().Text += s;
        else
            out.push_back({tkLiteral, 0, s});
    };
    qsizetype i = 0;
    while (i < F.size()) {
        const QChar c = F[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = F.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? F.size() : end;
            literal(F.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const QChar l = c.toLower();
        if (l == QLatin1Char('a') && F.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out.push_back({tkAmPm, 1, F.mid(i, 5)});
            i += 5;
            continue;
        }
        TokKind kind = tkLiteral;
        switch (l.unicode()) {
        case 'd':
            kind = tkDay;
            break;
        case 'm':
            kind = tkMonth;
            break;
        case 'y':
            kind = tkYear;
            break;
        case 'h':
            kind = tkHour;
            break;
        case 'n':
            kind = tkMinute;
            break;
        case 's':
            kind = tkSecond;
            break;
        default:
            break;
        }
        if (kind == tkLiteral) {
            literal(QString(c));
            ++i;
            continue;
        }
        int n = 0;
        while (i < F.size() && F[i].toLower() == l) {
            ++n;
            ++i;
        }
        out.push_back({kind, n, QString()});
    }
    // "m" right after an hour token (literals between them allowed) means minutes.
    bool afterHour = false;
    for (Token &t : out) {
        if (t.Kind == tkLiteral) continue;
        if (t.Kind == tkMonth && afterHour && t.Count <= 2) t.Kind = tkMinute;
        afterHour = t.Kind == tkHour;
    }
    return out;
}

QString Two(int V)
{
    return QString::number(V).rightJustified(2, QLatin1Char('0'));
}

} // namespace

namespace {

/// The date and the milliseconds of the day of a day count; false outside the years 1..9999.
bool SplitDayCount(double DayCount, QDate &Date, qint64 &Ms)
{
    if (!std::isfinite(DayCount) || std::fabs(DayCount) > 1e7) return false;
    double whole = std::trunc(DayCount);
    Ms = qint64(std::llround(std::fabs(DayCount - whole) * 86400000.0));
    if (Ms >= 86400000) { // rounding reached midnight: the next day in the direction of the count
        Ms -= 86400000;
        whole += DayCount < 0 ? -1 : 1;
    }
    Date = QDate(1899, 12, 30).addDays(qint64(whole));
    return Date.isValid() && Date.year() >= 1 && Date.year() <= 9999;
}

} // namespace

bool IsValidDayCount(double DayCount)
{
    QDate d;
    qint64 ms = 0;
    return SplitDayCount(DayCount, d, ms);
}

QString FormatDayCount(const QString &Format, double DayCount)
{
    QDate date;
    qint64 ms = 0;
    if (!SplitDayCount(DayCount, date, ms)) return QString();
    const int hour = int(ms / 3600000), minute = int(ms / 60000 % 60), second = int(ms / 1000 % 60);

    const std::vector<Token> tokens = Tokenize(Format);
    const bool twelve =
        std::any_of(tokens.begin(), tokens.end(), [](const Token &t) { return t.Kind == tkAmPm; });
    const QLocale c = QLocale::c();
    QString out;
    for (const Token &t : tokens) {
        switch (t.Kind) {
        case tkLiteral:
            out += t.Text;
            break;
        case tkDay:
            if (t.Count == 1)
                out += QString::number(date.day());
            else if (t.Count == 2)
                out += Two(date.day());
            else
                out += c.dayName(date.dayOfWeek(), t.Count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case tkMonth:
            if (t.Count == 1)
                out += QString::number(date.month());
            else if (t.Count == 2)
                out += Two(date.month());
            else
                out += c.monthName(date.month(), t.Count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case tkYear:
            out += t.Count <= 2 ? Two(date.year() % 100)
                                : QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            break;
        case tkHour: {
            int h = hour;
            if (twelve) {
                h %= 12;
                if (h == 0) h = 12;
            }
            out += t.Count == 1 ? QString::number(h) : Two(h);
            break;
        }
        case tkMinute:
            out += t.Count == 1 ? QString::number(minute) : Two(minute);
            break;
        case tkSecond:
            out += t.Count == 1 ? QString::number(second) : Two(second);
            break;
        case tkAmPm: {
            // "am" or "pm" in the case of the corresponding letters of the token as written.
            const QString src = hour < 12 ? t.Text.left(2) : t.Text.mid(3, 2);
            out += src;
            break;
        }
        }
    }
    return out;
}

} // namespace kro
