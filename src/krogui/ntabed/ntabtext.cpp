#include <krogui/ntabed/ntabtext.h>

#include <krogui/core/kromath.h>
#include <krogui/data/datatable.h>
#include <krogui/numio/numtext.h>

#include <algorithm>
#include <cmath>

namespace kro {

namespace {

// Largest and smallest magnitudes shown in fixed notation, by decimal places 0..8: at most nine
// digits, and never only zeros.
constexpr double kUpper[9] = {999999999.0, 9999999.9, 999999.99, 99999.999, 9999.9999,
                              999.99999,   99.999999, 9.9999999, 0.99999999};
constexpr double kLower[9] = {1.0, 0.1, 0.01, 0.001, 0.0001, 0.00001, 0.000001, 0.0000001, 0.00000001};

bool IsNumberStart(char16_t C)
{
    return (C >= u'0' && C <= u'9') || C == u'+' || C == u'-' || C == u'.';
}

bool IsDigit(char16_t C)
{
    return C >= u'0' && C <= u'9';
}

// Length of the longest run from Start that a number scan could take: a sign, digits and
// separators, then an exponent mark with its sign and digits. The scan never reads beyond it, so
// handing it only this window keeps the cost of each number to its own length.
qsizetype NumberWindow(const char16_t *S, qsizetype Start, qsizetype Len)
{
    qsizetype p = Start;
    if (p < Len && (S[p] == u'+' || S[p] == u'-')) ++p;
    while (p < Len && (IsDigit(S[p]) || S[p] == u'.' || S[p] == u','))
        ++p;
    if (p < Len && (S[p] == u'e' || S[p] == u'E')) {
        ++p;
        if (p < Len && (S[p] == u'+' || S[p] == u'-')) ++p;
        while (p < Len && IsDigit(S[p]))
            ++p;
    }
    return p - Start;
}

// A line feed, or a carriage return that no line feed follows (old Macintosh line ends).
bool IsLineEnd(const char16_t *S, qsizetype P, qsizetype Len)
{
    return S[P] == u'\n' || (S[P] == u'\r' && (P + 1 >= Len || S[P + 1] != u'\n'));
}

} // namespace

QString FormatCellNumber(int Width, int Decimals, double Value)
{
    if (Decimals >= 0 && Decimals <= 8) {
        const double a = std::fabs(Value);
        if (a <= kUpper[Decimals] && (a >= kLower[Decimals] || Value == 0.0))
            return FormatReal(Width, Decimals, Value);
    }
    return FormatReal(Width + 6, -2, Value);
}

int NominalCode(double Value)
{
    return Round(Value);
}

QString DataCellText(const TDataTable &Table, int Col, int Row, int NumWidth, int Decimals)
{
    if (Col < 1 || Row < 1 || Col > Table.NrOfColumns() || Row > Table.NrOfRows()) return QString();
    const quint8 st = Table.GetCellState(Col, Row);
    if (st & ntsEmpty) return QString();
    if (st & ntsInvalid) return QStringLiteral("-nan-");
    const double v = Table.GetElem(Col, Row);
    const int scale = Table.GetMScaleType(Col);
    if (scale == mstNominal || scale == mstOrdinal) {
        const int code = NominalCode(v);
        if (code >= 1 && code <= TDataTable::MaxNominalCode) {
            const QString id = Table.GetNominalID(Col, code);
            if (!id.isEmpty()) return id;
        }
        return QString(MScaleTypeNames[size_t(scale)]) + QLatin1Char(':') + QString::number(code);
    }
    return FormatCellNumber(NumWidth, Decimals, v);
}

QString CopyBlockText(const TDataTable &Table, int Left, int Top, int Right, int Bottom, bool FullPrec,
                      const std::vector<qint8> &DecP, int NumWidth)
{
    Left = std::max(Left, 1);
    Top = std::max(Top, 1);
    Right = std::min(Right, Table.NrOfColumns());
    Bottom = std::min(Bottom, Table.NrOfRows());
    QString out;
    if (Right < Left || Bottom < Top) return out;
    out.reserve(qsizetype(Right - Left + 1) * (Bottom - Top + 1) * (FullPrec ? 23 : 8) +
                (Bottom - Top + 1) * 2);
    for (int r = Top; r <= Bottom; ++r) {
        QChar sep = QLatin1Char(' ');
        for (int c = Left; c <= Right; ++c) {
            out += sep;
            sep = QLatin1Char('\t');
            if (!Table.GetIsNumber(c, r)) {
                out += QLatin1String("####");
                continue;
            }
            const double v = Table.GetElem(c, r);
            if (FullPrec) {
                out += FormatReal(22, -1, v);
            } else {
                const int d = size_t(c - 1) < DecP.size() ? DecP[size_t(c - 1)] : 3;
                // Exponent notation keeps as many significant digits as the cell shows.
                out += d >= 0 ? FormatReal(1, d, v) : FormatReal(std::max(NumWidth, 1) + 8, -1, v);
            }
        }
        out += QLatin1String("\r\n");
    }
    return out;
}

TClipScanResult ScanClipText(QStringView Text, const std::function<void(int N, int M, double Value)> &Store)
{
    TClipScanResult res;
    const auto *s = reinterpret_cast<const char16_t *>(Text.utf16());
    const qsizetype len = Text.size();
    qsizetype pos = 0;
    while (pos < len && !IsNumberStart(s[pos]))
        ++pos; // line feeds before the first number do not count
    int n = 0, m = 0;
    while (pos < len) {
        const qsizetype window = NumberWindow(s, pos, len);
        int p = 1;
        const double x = ScanReal(Text.mid(pos, std::max<qsizetype>(window, 1)), true, sepEither, p);
        if (Store) Store(n, m, x);
        res.Any = true;
        ++n;
        res.Cols = std::max(res.Cols, n);
        res.Rows = m + 1;
        // The character that ended the number never starts the next one (as in "1-2" or "1.5.3"),
        // but a line feed there still ends the line.
        pos += std::max(p - 1, 0);
        do {
            if (pos < len && IsLineEnd(s, pos, len)) {
                ++m;
                n = 0;
            }
            ++pos;
        } while (pos < len && !IsNumberStart(s[pos]));
    }
    return res;
}

} // namespace kro
