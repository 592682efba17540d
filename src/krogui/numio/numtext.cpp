#include <krogui/core/kromath.h>
#include <krogui/numio/numtext.h>

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace kro {

QChar SystemDecimalSeparator()
{
    const QString s = QLocale().decimalPoint();
    return s.isEmpty() ? QChar(u'.') : s.front();
}

TSeparatorMode EditSeparatorMode(TDecPSep Choice)
{
    switch (int(Choice)) {
    case dsSystem:
        return SystemDecimalSeparator() == u',' ? sepComma : sepPoint;
    case dsPoint:
        return sepPoint;
    case dsComma:
        return sepComma;
    default:
        return sepEither;
    }
}

TSeparatorMode CheckSeparatorMode(TDecPSep Choice)
{
    switch (int(Choice)) {
    case dsSystem:
        return SystemDecimalSeparator() == u'.' ? sepPoint : sepComma;
    case dsPoint:
        return sepPoint;
    case dsComma:
        return sepComma;
    default:
        return sepEither;
    }
}

QChar SeparatorChar(TSeparatorMode Mode)
{
    return Mode == sepComma ? QChar(u',') : QChar(u'.');
}

int SeparatorPos(QStringView Text, int From, TSeparatorMode Mode)
{
    for (qsizetype i = std::max(1, From); i <= Text.size(); ++i) {
        const QChar c = Text[i - 1];
        if ((c == u'.' && Mode != sepComma) || (c == u',' && Mode != sepPoint)) return int(i);
    }
    return 0;
}

namespace {

// ---- the real scanner ------------------------------------------------------------------------

enum RState : unsigned char { S1, S2, S3, S4, S5, S6, S7, S8, SAccept, SReject, SExpOrAccept };
enum RClass : unsigned char { cSep, cBlank, cSign, cDigit, cE, cOther };

// Rows S1..S8, columns in the order the classes are tested. SExpOrAccept is S6 when exponents are
// allowed, Accept otherwise.
constexpr RState kRealTable[8][6] = {
    /* S1 */ {S4, S1, S2, S3, SReject, SReject},
    /* S2 */ {S4, SReject, SReject, S3, SReject, SReject},
    /* S3 */ {S4, SAccept, SAccept, S3, SExpOrAccept, SAccept},
    /* S4 */ {SReject, SAccept, SAccept, S5, SExpOrAccept, SAccept},
    /* S5 */ {SReject, SAccept, SAccept, S5, SExpOrAccept, SAccept},
    /* S6 */ {SReject, SReject, S7, S8, SReject, SAccept},
    /* S7 */ {SReject, SReject, SReject, S8, SReject, SAccept},
    /* S8 */ {SAccept, SAccept, SAccept, S8, SAccept, SAccept},
};

constexpr int kMaxExponentDigitsValue = 4200;

// Character classes of the ASCII range per separator mode; everything else is "other".
struct ClassTables
{
    RClass Cls[3][128];
    constexpr ClassTables() : Cls{}
    {
        for (int m = 0; m < 3; ++m) {
            for (int c = 0; c < 128; ++c) {
                RClass k = cOther;
                if ((c == '.' && m != sepComma) || (c == ',' && m != sepPoint))
                    k = cSep;
                else if (c == ' ')
                    k = cBlank;
                else if (c == '+' || c == '-')
                    k = cSign;
                else if (c >= '0' && c <= '9')
                    k = cDigit;
                else if (c == 'E' || c == 'e')
                    k = cE;
                Cls[m][c] = k;
            }
        }
    }
};
constexpr ClassTables kClasses;

// Transition tables with the "E" column resolved for AllowExp false (0) and true (1).
struct Transitions
{
    RState T[2][8][6];
    constexpr Transitions() : T{}
    {
        for (int e = 0; e < 2; ++e)
            for (int s = 0; s < 8; ++s)
                for (int c = 0; c < 6; ++c) {
                    const RState n = kRealTable[s][c];
                    T[e][s][c] = n == SExpOrAccept ? (e ? S6 : SAccept) : n;
                }
    }
};
constexpr Transitions kTransitions;

// Runs the state machine from Pos. With RejectBigExp an exponent above 4200 rejects (validation);
// otherwise the offending digits are dropped from the number text (scanning), which goes to Out
// (room for as many characters as remain from Pos). Returns the final
// state; Pos names the character that ended the scan and OutLen the length of the number text.
template <bool RejectBigExp>
RState RunRealMachine(QStringView Text, bool AllowExp, TSeparatorMode Mode, int &Pos, char *Out,
                      size_t &OutLen)
{
    const char16_t *data = reinterpret_cast<const char16_t *>(Text.utf16());
    const qsizetype len = Text.size();
    const RClass *classes = kClasses.Cls[Mode];
    const RState(*table)[6] = kTransitions.T[AllowExp ? 1 : 0];
    qsizetype p = Pos < 1 ? 1 : Pos;
    size_t n = 0;
    RState st = S1;
    int expValue = 0; // saturates just above the cut
    for (;;) {
        RClass cls = cOther; // also the virtual end character
        char16_t c = 0;
        if (p <= len) {
            c = data[p - 1];
            if (c < 128) cls = classes[c];
        }
        ++p;
        const RState next = table[st][cls];
        if (next >= SAccept) {
            st = next;
            break;
        }
        if (next == S8 && cls == cDigit) {
            const int d = int(c - u'0');
            if (st != S8)
                expValue = d; // a fresh exponent
            else if (expValue <= kMaxExponentDigitsValue)
                expValue = expValue * 10 + d;
            if (expValue > kMaxExponentDigitsValue) {
                st = next;
                if constexpr (RejectBigExp) {
                    st = SReject;
                    break;
                }
                continue; // the digit is dropped, and so is every later exponent digit
            }
        }
        st = next;
        if constexpr (!RejectBigExp) Out[n++] = cls == cSep ? '.' : cls == cE ? 'E' : char(c);
    }
    --p;
    Pos = p > 0x7fffffff ? 0x7fffffff : int(p);
    OutLen = n;
    return st;
}

// Value of an out-of-range number text: overflow or underflow, decided by the decimal exponent of
// its leading digit.
double OutOfRangeValue(const char *s, const char *end, bool negative)
{
    bool found = false, inFraction = false, leadInFraction = false;
    long long intDigits = 0, fracZeros = 0;
    const char *q = s;
    for (; q < end && *q != 'E'; ++q) {
        if (*q == '.') {
            inFraction = true;
            continue;
        }
        if (!found) {
            if (*q == '0') {
                if (inFraction) ++fracZeros;
                continue;
            }
            found = true;
            leadInFraction = inFraction;
        }
        if (!inFraction) ++intDigits;
    }
    if (!found) return 0.0;
    const long long lead = leadInFraction ? -fracZeros - 1 : intDigits - 1;
    long long e = 0;
    if (q < end) {
        ++q;
        bool eneg = false;
        if (q < end && (*q == '+' || *q == '-')) eneg = *q++ == '-';
        for (; q < end && *q >= '0' && *q <= '9'; ++q)
            if (e < 1000000) e = e * 10 + (*q - '0');
        if (eneg) e = -e;
    }
    if (lead + e >= 0) return negative ? -uc_MaxDouble : uc_MaxDouble;
    return 0.0;
}

// Converts the gathered number text (blanks, sign, digits, ".", digits, "E", sign, digits).
double ConvertNumberText(const char *s, const char *end)
{
    while (s < end && *s == ' ')
        ++s;
    bool negative = false;
    if (s < end && (*s == '+' || *s == '-')) negative = *s++ == '-';
    double v = 0.0;
    const auto r = std::from_chars(s, end, v, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) return 0.0; // no mantissa digits (".E5"): nothing to scale
    if (r.ec == std::errc::result_out_of_range) return OutOfRangeValue(s, end, negative);
    if (negative) v = -v;
    if (v > uc_MaxDouble) return uc_MaxDouble;
    if (v < -uc_MaxDouble) return -uc_MaxDouble;
    return v;
}

// Blanks are skipped while Pos is before the last character (a blank in the last position stays).
inline void SkipBlanks(QStringView Text, int &Pos)
{
    while (Pos < Text.size() && Pos >= 1 && Text[Pos - 1] == u' ')
        ++Pos;
}

int DigitValue(char16_t c, int Radix)
{
    int d;
    if (c >= u'0' && c <= u'9')
        d = c - u'0';
    else if (c >= u'A' && c <= u'F')
        d = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
        d = c - u'a' + 10;
    else
        return -1;
    return d < Radix ? d : -1;
}

qint32 ScanRadix(QStringView Text, int &Pos, int Radix, bool SkipDollar)
{
    if (Pos < 1) Pos = 1;
    SkipBlanks(Text, Pos);
    quint32 v = 0;
    for (; Pos <= Text.size(); ++Pos) {
        const char16_t c = Text[Pos - 1].unicode();
        if (SkipDollar && Pos == 1 && c == u'$') continue;
        const int d = DigitValue(c, Radix);
        if (d < 0) break;
        v = v * quint32(Radix) + quint32(d);
    }
    return qint32(v);
}

bool AllDigitsOf(QStringView Text, int Radix)
{
    if (Text.isEmpty()) return false;
    for (QChar c : Text)
        if (DigitValue(c.unicode(), Radix) < 0) return false;
    return true;
}

QString ExpNotation(int Field, bool FourDigitExp, double Value)
{
    // Field = sign, digit, ".", further digits, "E", sign, four exponent digits.
    const int further = std::max(0, Field - 9);
    const bool neg = Value < 0;
    const QString qt = QString::number(std::fabs(Value), 'e', further); // "d.ddde+XX"
    const qsizetype ePos = qt.indexOf(u'e');
    QString mant = qt.left(ePos);
    if (!mant.contains(u'.')) mant += u'.';
    const int exp = qt.mid(ePos + 1).toInt();
    QString out;
    out.reserve(Field);
    out += neg ? u'-' : u' ';
    out += mant;
    out += u'E';
    out += exp < 0 ? u'-' : u'+';
    const QString digits = QString::number(std::abs(exp)).rightJustified(4, u'0');
    if (FourDigitExp) {
        out += digits;
        return out;
    }
    if (digits.startsWith(QLatin1String("00"))) {
        out += digits.mid(2);
        return out;
    }
    return QString(out.size() + 2, u'*'); // the exponent needs three digits: Field-2 asterisks
}

QString RadixDigits(quint32 Value, int Count, int Bits, int MaxCount)
{
    static const char kDigits[] = "0123456789ABCDEF";
    Count = std::clamp(Count, 1, MaxCount);
    QString s(Count, u'0');
    const quint32 mask = (1u << Bits) - 1;
    for (int i = Count - 1; i >= 0; --i) {
        s[i] = QLatin1Char(kDigits[Value & mask]);
        Value >>= Bits;
    }
    return s;
}

} // namespace

double ScanReal(QStringView Text, bool AllowExp, TSeparatorMode Mode, int &Pos)
{
    // The number text is never longer than what remains of Text (plus the "0" after a final
    // point): short texts stay on the stack.
    const qsizetype start = Pos < 1 ? 1 : Pos;
    const size_t need = size_t(std::max<qsizetype>(0, Text.size() - start + 1)) + 2;
    char inlineBuf[128];
    std::string heap;
    char *buf = inlineBuf;
    if (need > sizeof(inlineBuf)) {
        heap.resize(need);
        buf = heap.data();
    }
    size_t n = 0;
    if (RunRealMachine<false>(Text, AllowExp, Mode, Pos, buf, n) != SAccept) return 0.0;
    if (n > 0 && buf[n - 1] == '.') buf[n++] = '0';
    return ConvertNumberText(buf, buf + n);
}

bool IsRealText(QStringView Text, bool AllowExp, TDecPSep Choice)
{
    if (Text.isEmpty()) return false;
    int pos = 1;
    size_t n = 0;
    return RunRealMachine<true>(Text, AllowExp, CheckSeparatorMode(Choice), pos, nullptr, n) == SAccept;
}

bool IsWholeRealText(QStringView Text, bool AllowExp, TDecPSep Choice)
{
    if (Text.isEmpty()) return false;
    int pos = 1;
    size_t n = 0;
    return RunRealMachine<true>(Text, AllowExp, CheckSeparatorMode(Choice), pos, nullptr, n) == SAccept &&
           pos == Text.size() + 1;
}

bool IsFixedText(QStringView Text, TDecPSep Choice)
{
    return IsFixedText(Text, CheckSeparatorMode(Choice));
}

bool IsFixedText(QStringView Text, TSeparatorMode Mode)
{
    enum { F0, F1, F2, F3, F4, F5 };
    if (Text.isEmpty()) return false;
    int st = F0;
    for (QChar qc : Text) {
        const char16_t c = qc.unicode();
        const bool sepChar = c == u'.' || c == u',';
        const bool isSep = (c == u'.' && Mode != sepComma) || (c == u',' && Mode != sepPoint);
        if (c == u'+' || c == u'-')
            st = st == F0 ? F1 : F5;
        else if (isSep)
            st = (st == F0 || st == F1 || st == F3) ? F2 : F5;
        else if (sepChar)
            st = F5;
        else if (c >= u'0' && c <= u'9')
            st = (st == F2 || st == F4) ? F4 : F3;
        else
            st = F5;
        if (st == F5) return false;
    }
    return true;
}

qint32 ScanInt(QStringView Text, int &Pos)
{
    if (Text.isEmpty()) return 0;
    if (Pos < 1) Pos = 1;
    SkipBlanks(Text, Pos);
    bool negative = false;
    if (Pos <= Text.size()) {
        if (Text[Pos - 1] == u'-') {
            negative = true;
            ++Pos;
        } else if (Text[Pos - 1] == u'+') {
            ++Pos;
        }
    }
    quint32 v = 0;
    for (; Pos <= Text.size(); ++Pos) {
        const char16_t c = Text[Pos - 1].unicode();
        if (c < u'0' || c > u'9') break;
        v = v * 10u + quint32(c - u'0');
    }
    if (negative) v = 0u - v;
    return qint32(v);
}

bool IsIntText(QStringView Text)
{
    if (Text.isEmpty()) return false;
    auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (Text.size() == 1) return digit(Text[0]);
    if (!(Text[0] == u'+' || Text[0] == u'-' || digit(Text[0]))) return false;
    for (qsizetype i = 1; i < Text.size(); ++i)
        if (!digit(Text[i])) return false;
    return true;
}

qint32 ScanHex(QStringView Text, int &Pos)
{
    return ScanRadix(Text, Pos, 16, true);
}
qint32 ScanOct(QStringView Text, int &Pos)
{
    return ScanRadix(Text, Pos, 8, false);
}
qint32 ScanBin(QStringView Text, int &Pos)
{
    return ScanRadix(Text, Pos, 2, false);
}

bool IsHexText(QStringView Text)
{
    return AllDigitsOf(Text, 16);
}
bool IsOctText(QStringView Text)
{
    return AllDigitsOf(Text, 8);
}
bool IsBinText(QStringView Text)
{
    return AllDigitsOf(Text, 2);
}

QString FormatReal(int Width, int Decimals, double Value)
{
    // Beyond these nothing more can be shown, and the arithmetic below must not overflow.
    Width = std::clamp(Width, 0, kFormatRealMaxWidth);
    if (Decimals > kFormatRealMaxDecimals) Decimals = kFormatRealMaxDecimals;
    if (std::isnan(Value)) return QStringLiteral("NAN").rightJustified(Width, u' ');
    if (Value == 0.0) Value = 0.0; // no negative zero
    if (std::isinf(Value)) {
        if (Decimals == -2) return QString(std::max(1, Width), u'*');
        return (Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF")).rightJustified(Width, u' ');
    }
    if (Decimals >= 0) {
        QString s = QString::number(Value, 'f', Decimals);
        if (s.startsWith(u'-')) {
            bool allZero = true;
            for (qsizetype i = 1; i < s.size() && allZero; ++i)
                allZero = s[i] == u'0' || s[i] == u'.';
            if (allZero) s.remove(0, 1);
        }
        return s.rightJustified(Width, u' ');
    }
    if (Decimals == -2) return ExpNotation(Width + 2, false, Value);
    return ExpNotation(Width, true, Value);
}

QString HexDigits(qint32 Value, int Count)
{
    return RadixDigits(quint32(Value), Count, 4, 8);
}
QString OctDigits(qint32 Value, int Count)
{
    return RadixDigits(quint32(Value), Count, 3, 11);
}
QString BinDigits(qint32 Value, int Count)
{
    return RadixDigits(quint32(Value), Count, 1, 32);
}

qint32 RoundToInt32Bits(double Value)
{
    if (std::isnan(Value)) return 0;
    return qint32(quint32(quint64(Round64(Value))));
}

} // namespace kro
