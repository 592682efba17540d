#include <krogui/replist/colformat.h>

#include <krogui/core/strutil.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace kro {

namespace {

// Longest text a cell holds; a default never needs to be longer.
constexpr int kMaxDefaultLength = 255;

QString RowNumberDefault(QChar Kind, int Row, int N)
{
    switch (Kind.unicode()) {
    case 'e':
    case 'f':
        return strff(Row, 1, N);
    case 'h': {
        N = std::clamp(N, 1, 8);
        // Higher digits are dropped: the row number is taken modulo 16^N (two's complement for
        // a negative row, as a 32-bit hex dump would show it).
        const quint32 v = quint32(Row);
        QString s = QString::number(v, 16).toUpper().rightJustified(8, QLatin1Char('0'));
        return s.right(N);
    }
    case 'i': {
        N = std::clamp(N, 1, kMaxDefaultLength);
        const qint64 a = std::llabs(qint64(Row));
        QString digits = QString::number(a);
        if (digits.size() > N)
            digits = digits.right(N);
        else
            digits = digits.rightJustified(N, QLatin1Char('0'));
        return Row < 0 ? QLatin1Char('-') + digits : digits;
    }
    default:
        return QString();
    }
}

} // namespace

int ColFmtIntegerAt(const QString &Text, int Pos)
{
    qsizetype i = std::max(1, Pos) - 1;
    const qsizetype n = Text.size();
    while (i < n && Text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (Text[i] == QLatin1Char('+') || Text[i] == QLatin1Char('-'))) {
        negative = Text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 v = 0;
    for (; i < n; ++i) {
        const char16_t c = Text[i].unicode();
        if (c < u'0' || c > u'9') break;
        if (v <= qint64(INT_MAX) + 1) // keep reading digits, but stop growing once out of range
            v = v * 10 + (c - u'0');
    }
    if (negative) v = -v;
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

TColFormat ParseColFormat(const QString &Format)
{
    TColFormat f;
    const qsizetype open = Format.indexOf(QLatin1Char('['));
    const qsizetype close = Format.indexOf(QLatin1Char(']'));
    if (open < 0 || close < 0 || open > close) {
        f.DefaultPart = Format;
        return f;
    }
    f.HasKind = true;
    QString kind = Format.mid(open + 1, close - open - 1);
    if (kind.startsWith(QLatin1Char('#'))) {
        f.ReadOnly = true;
        kind.remove(0, 1);
    }
    f.Kind = kind.isEmpty() ? QChar() : kind[0];
    f.KindText = kind.mid(1);
    const qsizetype colon = f.KindText.indexOf(QLatin1Char(':'));
    // A count below zero ("[l:-2]") means no items rather than a negative number of them.
    if (colon >= 0) f.DropDownCount = std::max(0, ColFmtIntegerAt(f.KindText, int(colon) + 2));

    QString rest = Format.mid(close + 1);
    const qsizetype wclose = rest.indexOf(QLatin1Char(']'));
    if (wclose >= 0) {
        QString group = rest.left(wclose);
        const qsizetype wopen = group.indexOf(QLatin1Char('['));
        if (wopen >= 0) group = group.mid(wopen + 1);
        const int w = ColFmtIntegerAt(group, 1);
        f.Width = w < 1 ? ColFmtDefaultWidth : w;
        rest = rest.mid(wclose + 1);
    }
    f.DefaultPart = rest;
    return f;
}

QString ColFmtKindDefault(QChar Kind, const QString &DefaultPart, int Row)
{
    if (DefaultPart.isEmpty()) return QString();
    switch (Kind.unicode()) {
    case 'c':
    case 'l': {
        const qsizetype bar = DefaultPart.indexOf(QLatin1Char('|'));
        return bar < 0 ? DefaultPart : DefaultPart.left(bar);
    }
    case 'd':
        return DefaultPart;
    case 'e':
    case 'f':
    case 'h':
    case 'i':
        if (DefaultPart.contains(QLatin1String("rix"), Qt::CaseInsensitive))
            return RowNumberDefault(Kind, Row, ColFmtIntegerAt(DefaultPart, 4));
        return DefaultPart;
    case 's':
        if (DefaultPart.contains(QLatin1String("$pwd$"), Qt::CaseInsensitive))
            return InventPassword(std::clamp(ColFmtIntegerAt(DefaultPart, 6), 0, kMaxDefaultLength));
        return DefaultPart;
    default:
        return QString();
    }
}

QString ColFmtCellDefault(const QString &Format, int Row)
{
    const qsizetype close = Format.indexOf(QLatin1Char(']'));
    if (close < 0) return QString();
    // The letter is the second character of the head, whatever the first one is; a read-only
    // head "[#..." therefore yields '#' and no default.
    const QChar letter = close >= 1 ? Format[1] : QChar();
    QString rest = Format.mid(close + 1);
    const qsizetype wclose = rest.indexOf(QLatin1Char(']'));
    if (wclose >= 0) rest = rest.mid(wclose + 1);
    return ColFmtKindDefault(letter, rest.left(kMaxDefaultLength), Row);
}

} // namespace kro
