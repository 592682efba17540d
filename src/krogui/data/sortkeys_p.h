#pragma once
// Widget-free helpers of TStringArray's sort: reading cells as numbers and dates, keys that
// order like them, text ranks and a stable radix sort. Not installed.

#include <QLocale>
#include <QtGlobal>

#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace kro::sortimpl {

bool IsDigit(char C);
/// Moves B and E past leading and trailing blanks (space, tab).
void Trim(const char *&B, const char *&E);
/// Reads [B, E) (Latin-1, at most 255 bytes) as a decimal number: sign, digits with at most one
/// '.' or ',', optional exponent; surrounding blanks allowed.
bool ParseNumber(const char *B, const char *E, double &Out);
/// Reads [B, E) as an ISO date with an optional time; Ms is the moment in milliseconds since
/// 1970-01-01.
bool ParseDate(const char *B, const char *E, qint64 &Ms);
/// Order-preserving maps to unsigned 64-bit keys.
quint64 NumberKey(double V);
quint64 DateKey(qint64 Ms);
/// Ranks of distinct texts (pool entries, as for CLocaleRanks) in the case-blind collation order
/// of Locale: equal texts share a rank, ranks rise with the order.
std::vector<quint32> CollationRanks(const std::vector<std::string_view> &Texts, const QLocale &Locale);

/// Ranks of texts in the C locale's case-blind order. Each text is a pool entry of TStringArray:
/// a length byte followed by that many Latin-1 bytes, or by that many UTF-16 units (the entry is
/// then 1 + 2 * length bytes long). The order is that of the UTF-8 bytes of the case-folded text
/// up to its first NUL, which is how QCollator orders the C locale's sort keys. Equal texts share
/// a rank; ranks rise with the order and start at 0.
std::vector<quint32> CLocaleRanks(std::span<const std::string_view> Entries);

/// Sorts Items stably by the sequence of byte digits Digit(Item, 0), Digit(Item, 1), ...,
/// Digit(Item, Digits - 1), where digit 0 is the least significant. Passes whose digit is the
/// same for every item are skipped. Items is left sorted; Scratch is working room.
template <class T, class DigitFn>
void StableRadixSort(std::vector<T> &Items, std::vector<T> &Scratch, int Digits, DigitFn Digit)
{
    const size_t n = Items.size();
    if (n < 2) return;
    std::vector<std::array<quint32, 256>> counts(static_cast<size_t>(Digits), std::array<quint32, 256>{});
    for (const T &item : Items)
        for (int d = 0; d < Digits; ++d)
            ++counts[size_t(d)][Digit(item, d)];
    Scratch.resize(n);
    for (int d = 0; d < Digits; ++d) {
        std::array<quint32, 256> &c = counts[size_t(d)];
        if (c[Digit(Items.front(), d)] == n) continue; // one value everywhere: nothing to order
        quint32 sum = 0;
        for (quint32 &k : c) {
            const quint32 here = k;
            k = sum;
            sum += here;
        }
        for (const T &item : Items)
            Scratch[c[Digit(item, d)]++] = item;
        Items.swap(Scratch);
    }
}

} // namespace kro::sortimpl
