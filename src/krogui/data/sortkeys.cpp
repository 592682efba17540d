#include <krogui/data/sortkeys_p.h>

#include <QByteArray>
#include <QChar>
#include <QCollator>
#include <QString>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>
#include <new>
#include <numeric>

namespace kro::sortimpl {

namespace {

bool IsBlankChar(char C)
{
    return C == ' ' || C == '\t';
}

// Days since 1970-01-01 of a proleptic Gregorian date.
qint64 DaysFromCivil(int Y, int M, int D)
{
    Y -= M <= 2;
    const qint64 era = (Y >= 0 ? Y : Y - 399) / 400;
    const qint64 yoe = Y - era * 400;
    const qint64 doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int DaysInMonth(int Y, int M)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (M == 2 && ((Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0)) return 29;
    return days[M - 1];
}

int Digits(const char *P, int N)
{
    int v = 0;
    for (int i = 0; i < N; ++i) {
        if (!IsDigit(P[i])) return -1;
        v = v * 10 + (P[i] - '0');
    }
    return v;
}

} // namespace

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

void Trim(const char *&B, const char *&E)
{
    while (B < E && IsBlankChar(*B))
        ++B;
    while (E > B && IsBlankChar(E[-1]))
        --E;
}

// Reads [B, E) (Latin-1, at most 255 bytes) as a decimal number: sign, digits with at most one
// '.' or ',', optional exponent; surrounding blanks allowed.
bool ParseNumber(const char *B, const char *E, double &Out)
{
    Trim(B, E);
    if (B == E) return false;
    char buf[2 * 255 + 8];
    size_t k = 0;
    const char *p = B;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    int digits = 0;
    bool separator = false;
    for (; p < E; ++p) {
        if (IsDigit(*p)) {
            buf[k++] = *p;
            ++digits;
        } else if ((*p == '.' || *p == ',') && !separator) {
            separator = true;
            buf[k++] = '.';
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (p < E && (*p == 'e' || *p == 'E')) {
        buf[k++] = 'e';
        ++p;
        if (p < E && (*p == '+' || *p == '-')) buf[k++] = *p++;
        int expDigits = 0;
        while (p < E && IsDigit(*p)) {
            buf[k++] = *p++;
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    if (p != E) return false;
    double value = 0;
    const auto res = std::from_chars(buf, buf + k, value);
    if (res.ec != std::errc() || res.ptr != buf + k) return false; // out of the double range: a text
    Out = negative ? -value : value;
    return true;
}

// Reads [B, E) as yyyy-MM-dd with an optional time ("T" or blank, then hh:mm[:ss[.z{1,3}]]);
// Ms is the moment in milliseconds since 1970-01-01.
bool ParseDate(const char *B, const char *E, qint64 &Ms)
{
    Trim(B, E);
    if (E - B < 10 || B[4] != '-' || B[7] != '-') return false;
    const int y = Digits(B, 4), m = Digits(B + 5, 2), d = Digits(B + 8, 2);
    if (y < 0 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
    qint64 ms = 0;
    const char *p = B + 10;
    if (p < E) {
        if ((*p != 'T' && *p != ' ') || E - p < 6 || p[3] != ':') return false;
        const int hh = Digits(p + 1, 2), mm = Digits(p + 4, 2);
        if (hh < 0 || hh > 23 || mm < 0 || mm > 59) return false;
        ms = (hh * 60 + mm) * 60000;
        p += 6;
        if (p < E) {
            if (*p != ':' || E - p < 3) return false;
            const int ss = Digits(p + 1, 2);
            if (ss < 0 || ss > 59) return false;
            ms += ss * 1000;
            p += 3;
            if (p < E) {
                if (*p != '.' || E - p < 2 || E - p > 4) return false;
                int frac = 0, scale = 100;
                for (++p; p < E; ++p, scale /= 10) {
                    if (!IsDigit(*p)) return false;
                    frac += (*p - '0') * scale;
                }
                ms += frac;
            }
        }
    }
    Ms = DaysFromCivil(y, m, d) * 86400000 + ms;
    return true;
}

// Order-preserving maps to unsigned 64-bit keys.
quint64 NumberKey(double V)
{
    if (V == 0) V = 0; // -0 and +0 are equal
    const quint64 bits = std::bit_cast<quint64>(V);
    return (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
}
quint64 DateKey(qint64 Ms)
{
    return quint64(Ms) ^ 0x8000000000000000ull;
}

// Ranks of texts (entries of the pool: a length byte, then Latin-1 or UTF-16 units) in the
// case-blind collation order of Locale: equal texts share a rank, ranks rise with the order.
std::vector<quint32> CollationRanks(const std::vector<std::string_view> &Texts, const QLocale &Locale)
{
    // The folded texts are put in code-unit order first. For most data (plain letters, digits)
    // that already is the collation order, which then only needs confirming pair by pair; only
    // where it is not are all collation keys sorted.
    const size_t m = Texts.size();
    std::vector<QString> folded(m);
    struct TPre
    {
        quint64 Prefix; // the first four code units, for a cheap first comparison
        quint32 Ix;     // index in Texts
    };
    std::vector<TPre> pre(m);
    for (size_t i = 0; i < m; ++i) {
        const std::string_view &entry = Texts[i];
        // A two-byte length/data ambiguity cannot occur: the first byte is the length in units.
        const quint8 len = quint8(entry[0]);
        QString text;
        if (entry.size() == size_t(len) + 1) {
            text = QString::fromLatin1(entry.data() + 1, len);
        } else {
            text = QString(len, Qt::Uninitialized);
            std::memcpy(text.data(), entry.data() + 1, size_t(len) * 2);
        }
        // Folding first makes the comparison case-blind in every locale, also the C locale,
        // whose collation keys would otherwise keep the case.
        folded[i] = text.toCaseFolded();
        quint64 prefix = 0;
        for (qsizetype u = 0; u < 4; ++u)
            prefix = (prefix << 16) | (u < folded[i].size() ? folded[i].at(u).unicode() : 0u);
        pre[i] = {prefix, quint32(i)};
    }
    std::sort(pre.begin(), pre.end(), [&](const TPre &A, const TPre &B) {
        if (A.Prefix != B.Prefix) return A.Prefix < B.Prefix;
        return folded[A.Ix] < folded[B.Ix];
    });
    QCollator collator(Locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Confirming neighbours needs no collation keys (making them costs more than comparing),
    // except in the C locale, whose keys order by code point where its comparison does not.
    const bool keysFirst = Locale.language() == QLocale::C;
    std::vector<QCollatorSortKey> sortKeys; // by position in pre
    auto makeKeys = [&] {
        sortKeys.reserve(m);
        for (size_t k = 0; k < m; ++k)
            sortKeys.push_back(collator.sortKey(folded[pre[k].Ix]));
    };
    if (keysFirst) makeKeys();
    std::vector<quint32> rank(m);
    bool inOrder = true;
    quint32 r = 0;
    for (size_t k = 0; k < m && inOrder; ++k) {
        if (k > 0) {
            const int c = keysFirst ? sortKeys[k - 1].compare(sortKeys[k])
                                    : collator.compare(folded[pre[k - 1].Ix], folded[pre[k].Ix]);
            if (c > 0)
                inOrder = false;
            else if (c < 0)
                ++r;
        }
        rank[pre[k].Ix] = r;
    }
    if (inOrder) return rank;
    if (!keysFirst) makeKeys();
    std::vector<QString>().swap(folded);
    std::vector<quint32> byKey(m);
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(),
              [&](quint32 A, quint32 B) { return sortKeys[A].compare(sortKeys[B]) < 0; });
    r = 0;
    for (size_t i = 0; i < m; ++i) {
        if (i > 0 && sortKeys[byKey[i - 1]].compare(sortKeys[byKey[i]]) != 0) ++r;
        rank[pre[byKey[i]].Ix] = r;
    }
    return rank;
}

namespace {

// The UTF-8 bytes of every Latin-1 character case-folded: a count, then up to three bytes. NUL
// has none (a key ends there).
using TFoldCode = std::array<quint8, 4>;

const std::array<TFoldCode, 256> &Latin1Fold()
{
    static const std::array<TFoldCode, 256> table = [] {
        std::array<TFoldCode, 256> t{};
        for (int c = 1; c < 256; ++c) {
            const char16_t f = QChar(char16_t(c)).toCaseFolded().unicode();
            if (f < 0x80)
                t[size_t(c)] = {1, quint8(f), 0, 0};
            else if (f < 0x800)
                t[size_t(c)] = {2, quint8(0xC0 | (f >> 6)), quint8(0x80 | (f & 0x3F)), 0};
            else
                t[size_t(c)] = {3, quint8(0xE0 | (f >> 12)), quint8(0x80 | ((f >> 6) & 0x3F)),
                                quint8(0x80 | (f & 0x3F))};
        }
        return t;
    }();
    return table;
}

// Appends the key of one pool entry to Out.
void AppendKey(std::string_view Entry, std::vector<char> &Out)
{
    const quint8 len = quint8(Entry[0]);
    if (Entry.size() == size_t(len) + 1) {
        const std::array<TFoldCode, 256> &fold = Latin1Fold();
        for (quint8 i = 0; i < len; ++i) {
            const TFoldCode &f = fold[quint8(Entry[size_t(i) + 1])];
            if (f[0] == 0) break;
            Out.insert(Out.end(), f.begin() + 1, f.begin() + 1 + f[0]);
        }
        return;
    }
    // UTF-16 units: folded as a whole string (pairs fold together), as the collator's key is made.
    QString text(len, Qt::Uninitialized);
    std::memcpy(text.data(), Entry.data() + 1, size_t(len) * 2);
    const QByteArray utf8 = text.toCaseFolded().toUtf8();
    const qsizetype nul = utf8.indexOf('\0');
    Out.insert(Out.end(), utf8.constData(), utf8.constData() + (nul >= 0 ? nul : utf8.size()));
}

} // namespace

std::vector<quint32> CLocaleRanks(std::span<const std::string_view> Entries)
{
    const size_t m = Entries.size();
    std::vector<quint32> rank(m);
    if (m == 0) return rank;
    // All keys in one buffer; key i is Bytes[Start[i] .. Start[i+1]).
    std::vector<char> bytes;
    bytes.reserve(m * 8);
    std::vector<quint32> start(m + 1);
    for (size_t i = 0; i < m; ++i) {
        start[i] = quint32(bytes.size());
        AppendKey(Entries[i], bytes);
        if (bytes.size() > std::numeric_limits<quint32>::max()) throw std::bad_alloc();
    }
    start[m] = quint32(bytes.size());

    // Keys never hold a zero byte, so the first eight bytes padded with zeros order as the keys
    // do, as far as they go; equal prefixes are told apart by the rest.
    struct TItem
    {
        quint64 Prefix;
        quint32 Ix;
    };
    std::vector<TItem> items(m), scratch;
    for (size_t i = 0; i < m; ++i) {
        const size_t b = start[i], n = std::min<size_t>(start[i + 1] - b, 8);
        quint64 prefix = 0;
        for (size_t k = 0; k < 8; ++k)
            prefix = (prefix << 8) | (k < n ? quint8(bytes[b + k]) : 0u);
        items[i] = {prefix, quint32(i)};
    }
    StableRadixSort(items, scratch, 8,
                    [](const TItem &I, int D) { return size_t((I.Prefix >> (8 * D)) & 0xFF); });
    std::vector<TItem>().swap(scratch);

    auto tail = [&](quint32 I) {
        const size_t b = start[I], n = start[I + 1] - b;
        return n <= 8 ? std::string_view() : std::string_view(bytes.data() + b + 8, n - 8);
    };
    for (size_t k = 0; k < m;) {
        size_t e = k + 1;
        while (e < m && items[e].Prefix == items[k].Prefix)
            ++e;
        if (e - k > 1)
            std::sort(items.begin() + qsizetype(k), items.begin() + qsizetype(e),
                      [&](const TItem &A, const TItem &B) { return tail(A.Ix) < tail(B.Ix); });
        k = e;
    }
    quint32 r = 0;
    rank[items[0].Ix] = 0;
    for (size_t k = 1; k < m; ++k) {
        if (items[k].Prefix != items[k - 1].Prefix || tail(items[k].Ix) != tail(items[k - 1].Ix)) ++r;
        rank[items[k].Ix] = r;
    }
    return rank;
}

} // namespace kro::sortimpl
