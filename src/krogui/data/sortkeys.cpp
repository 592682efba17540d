#include <krogui/data/sortkeys_p.h>

#include <QByteArray>
#include <QChar>
#include <QString>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace kro::sortimpl {

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
