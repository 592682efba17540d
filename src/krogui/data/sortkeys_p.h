#pragma once
// Widget-free helpers of TStringArray's sort: text ranks in the C locale and a stable radix sort.
// Not installed.

#include <QtGlobal>

#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace kro::sortimpl {

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
