#include <krogui/data/stringarray.h>

#include <krogui/core/error.h>
#include <krogui/core/memguard.h>
#include <krogui/data/sortkeys_p.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace kro {

using namespace sortimpl;

namespace {

constexpr quint32 WideFlag = 0x80000000u;
constexpr quint64 MaxPoolBytes = WideFlag; // offsets keep bit 31 free for the flag

// Kinds of a cell in their ascending order.
enum TCellKind : quint8 { ckNumber = 0, ckDate = 1, ckText = 2, ckBlank = 3 };

} // namespace

// Sort item: the presented row's stored index with its primary and secondary keys.
struct TStringArray::TSortKey
{
    quint64 V1 = 0, V2 = 0;
    quint32 Row = 0;
    quint8 K1 = ckBlank, K2 = ckBlank;
};

TStringArray::TStringArray(QObject *AOwner) : TComponent(AOwner), FColumns(1), FColAttrib(1, 0) {}

TStringArray::~TStringArray() = default;

void TStringArray::SetAllocRowsBy(int Rows)
{
    FAllocRowsBy = std::max(1, Rows);
}

bool TStringArray::ValidCell(int Col, int Row) const
{
    return Col >= 0 && Col < int(FColumns.size()) && Row >= 1 && Row <= FNrRows;
}

QString TStringArray::EntryText(const TColumn &C, quint32 Ref)
{
    if (Ref == 0) return QString();
    const char *p = C.Pool.data() + (Ref & ~WideFlag);
    const int len = quint8(*p);
    if (!(Ref & WideFlag)) return QString::fromLatin1(p + 1, len);
    QString s(len, Qt::Uninitialized);
    std::memcpy(s.data(), p + 1, size_t(len) * 2);
    return s;
}

quint64 TStringArray::AlignPad(quint32 Ref, quint64 Offset)
{
    // A UTF-16 entry's units follow its length byte and must start at an even offset (the pool's
    // storage itself is aligned far more than that).
    return (Ref & WideFlag) && Offset % 2 == 0 ? 1 : 0;
}

quint64 TStringArray::EntryBytes(quint32 Ref, const TColumn &C)
{
    if (Ref == 0) return 0;
    const quint64 len = quint8(C.Pool[Ref & ~WideFlag]);
    return 1 + len * ((Ref & WideFlag) ? 2 : 1);
}

size_t TStringArray::GrownCapacity(size_t Needed, size_t Current) const
{
    if (Needed <= Current) return Current;
    size_t c = std::max(Needed, Current + Current / 2);
    const size_t step = size_t(FAllocRowsBy);
    if (c % step != 0 && c <= std::numeric_limits<size_t>::max() - step) c += step - c % step;
    return c;
}

void TStringArray::Compact(TColumn &C)
{
    // The new size is known exactly beforehand, so only the reserve can throw; after it the
    // references are rewritten in place.
    quint64 size = 1;
    for (const quint32 ref : C.Ref)
        if (ref != 0) size += AlignPad(ref, size) + EntryBytes(ref, C);
    std::vector<char> pool;
    pool.reserve(size_t(size));
    pool.push_back(0);
    quint64 pads = 0;
    for (quint32 &ref : C.Ref) {
        if (ref == 0) continue;
        const quint64 pad = AlignPad(ref, pool.size());
        pool.insert(pool.end(), size_t(pad), char(0));
        pads += pad;
        const quint64 bytes = EntryBytes(ref, C);
        const quint32 offset = quint32(pool.size());
        const char *src = C.Pool.data() + (ref & ~WideFlag);
        pool.insert(pool.end(), src, src + bytes);
        ref = offset | (ref & WideFlag);
    }
    C.Pool.swap(pool);
    C.Garbage = pads;
}

void TStringArray::DropGarbageOfRow(quint32 StoredRow)
{
    for (TColumn &c : FColumns)
        c.Garbage += EntryBytes(c.Ref[StoredRow], c);
}

void TStringArray::Changed()
{
    if (FOnChange) FOnChange(this);
}

void TStringArray::Resize(int NrCols, int NrRows)
{
    if (NrCols < 0 || NrRows < 0)
        throw EKROError(QStringLiteral("TStringArray.Resize: negative size %1 x %2").arg(NrCols).arg(NrRows));
    const size_t newCols = size_t(NrCols) + 1;
    const size_t oldCols = FColumns.size();
    const size_t newRows = size_t(NrRows);
    const size_t oldRows = size_t(FNrRows);
    if (newCols == oldCols && newRows == oldRows) return;

    // Only what has to be allocated is checked, so that shrinking never fails.
    const size_t cap = GrownCapacity(newRows, FRowAttrib.capacity());
    quint64 needed = 0;
    bool fits = true;
    auto need = [&](quint64 PerRow, quint64 Rows) {
        quint64 bytes = 0;
        fits = fits && CheckedMul(PerRow, Rows, bytes) && CheckedAdd(needed, bytes, needed);
    };
    if (newCols > oldCols) need(quint64(newCols - oldCols) * 4, cap);
    if (newRows > FRowAttrib.capacity())
        need(quint64(std::min(oldCols, newCols)) * 4 + (FPerm.empty() ? 1 : 5), cap);
    if (newRows < oldRows && !FPerm.empty()) need(4, oldRows);
    if (!fits || !StorageObtainable(needed))
        throw EKROError(QStringLiteral("TStringArray.Resize: %1 x %2 cannot be had").arg(NrCols).arg(NrRows));

    // Everything that can fail happens first; the commit below cannot throw.
    std::vector<TColumn> added;
    std::vector<quint32> remap; // stored row -> new stored row when shrinking a sorted array
    try {
        FColumns.reserve(newCols);
        FColAttrib.reserve(newCols);
        if (newCols > oldCols) {
            added.resize(newCols - oldCols);
            for (TColumn &c : added) {
                c.Ref.reserve(cap);
                c.Ref.resize(newRows, 0);
            }
        }
        if (newRows > oldRows) {
            for (size_t i = 0; i < std::min(oldCols, newCols); ++i)
                if (FColumns[i].Ref.capacity() < newRows) FColumns[i].Ref.reserve(cap);
            FRowAttrib.reserve(cap);
            if (!FPerm.empty()) FPerm.reserve(cap);
        } else if (newRows < oldRows && !FPerm.empty()) {
            remap.assign(oldRows, std::numeric_limits<quint32>::max());
        }
    } catch (const std::bad_alloc &) {
        throw EKROError(
            QStringLiteral("TStringArray.Resize: not enough memory for %1 x %2").arg(NrCols).arg(NrRows));
    }

    if (newCols < oldCols) {
        FColumns.resize(newCols);
    } else if (newCols > oldCols) {
        for (TColumn &c : added)
            FColumns.push_back(std::move(c));
    }
    FColAttrib.resize(newCols, 0);
    const size_t keptCols = std::min(oldCols, newCols);

    if (newRows > oldRows) {
        for (size_t i = 0; i < keptCols; ++i)
            FColumns[i].Ref.resize(newRows, 0);
        FRowAttrib.resize(newRows, 0);
        if (!FPerm.empty())
            for (size_t r = oldRows; r < newRows; ++r)
                FPerm.push_back(quint32(r));
    } else if (newRows < oldRows) {
        if (!remap.empty()) {
            // Keep the presented rows 1..NrRows, in their stored order.
            for (size_t i = 0; i < newRows; ++i)
                remap[FPerm[i]] = 0;
            quint32 next = 0;
            for (size_t s = 0; s < oldRows; ++s)
                if (remap[s] == 0) remap[s] = next++;
            for (size_t i = 0; i < keptCols; ++i) {
                TColumn &c = FColumns[i];
                for (size_t s = 0; s < oldRows; ++s) {
                    if (remap[s] == std::numeric_limits<quint32>::max())
                        c.Garbage += EntryBytes(c.Ref[s], c);
                    else
                        c.Ref[remap[s]] = c.Ref[s];
                }
            }
            for (size_t s = 0; s < oldRows; ++s)
                if (remap[s] != std::numeric_limits<quint32>::max()) FRowAttrib[remap[s]] = FRowAttrib[s];
            FPerm.resize(newRows);
            for (quint32 &p : FPerm)
                p = remap[p];
        } else {
            for (size_t i = 0; i < keptCols; ++i) {
                TColumn &c = FColumns[i];
                for (size_t s = newRows; s < oldRows; ++s)
                    c.Garbage += EntryBytes(c.Ref[s], c);
            }
        }
        for (size_t i = 0; i < keptCols; ++i)
            FColumns[i].Ref.resize(newRows);
        FRowAttrib.resize(newRows);
        const bool shrinkCapacity = newRows < FRowAttrib.capacity() / 4;
        for (size_t i = 0; i < keptCols; ++i) {
            TColumn &c = FColumns[i];
            if (shrinkCapacity) c.Ref.shrink_to_fit();
            if (c.Garbage > 0 && c.Garbage * 2 >= c.Pool.size()) {
                try {
                    Compact(c);
                } catch (const std::bad_alloc &) {
                    // Compaction only saves memory; the column is intact without it.
                }
            }
        }
        if (shrinkCapacity) {
            FRowAttrib.shrink_to_fit();
            FPerm.shrink_to_fit();
        }
    }
    FNrRows = NrRows;
    if (FNrRows == 0) FPerm.clear();
    FInv.clear();
    ++FGeneration;
    Changed();
}

void TStringArray::Clear()
{
    for (TColumn &c : FColumns) {
        std::fill(c.Ref.begin(), c.Ref.end(), 0u);
        std::vector<char>(1, 0).swap(c.Pool);
        c.Garbage = 0;
    }
    Changed();
}

QString TStringArray::GetString(int Col, int Row) const
{
    if (!ValidCell(Col, Row)) return QString();
    const TColumn &c = FColumns[size_t(Col)];
    return EntryText(c, c.Ref[Stored(Row)]);
}

int TStringArray::GetLength(int Col, int Row) const
{
    if (!ValidCell(Col, Row)) return 0;
    const TColumn &c = FColumns[size_t(Col)];
    const quint32 ref = c.Ref[Stored(Row)];
    return ref ? quint8(c.Pool[ref & ~WideFlag]) : 0;
}

void TStringArray::SetString(int Col, int Row, const QString &Value)
{
    if (!ValidCell(Col, Row)) return;
    TColumn &c = FColumns[size_t(Col)];
    const quint32 stored = Stored(Row);

    qsizetype len = std::min<qsizetype>(Value.size(), MaxStringLength);
    if (len == MaxStringLength && Value.at(len - 1).isHighSurrogate()) --len; // never keep half of a pair
    const char16_t *units = reinterpret_cast<const char16_t *>(Value.utf16());
    bool wide = false;
    for (qsizetype i = 0; i < len && !wide; ++i)
        wide = units[i] > 0xFF;
    const quint64 bytes = len == 0 ? 0 : 1 + quint64(len) * (wide ? 2 : 1);

    quint32 old = c.Ref[stored];
    if (old != 0 && bool(old & WideFlag) == wide && quint8(c.Pool[old & ~WideFlag]) == len) {
        const char *p = c.Pool.data() + (old & ~WideFlag) + 1;
        bool same = true;
        if (wide) {
            same = std::memcmp(p, units, size_t(len) * 2) == 0;
        } else {
            for (qsizetype i = 0; i < len && same; ++i)
                same = quint8(p[i]) == units[i];
        }
        if (same) return;
    } else if (old == 0 && len == 0) {
        return;
    }

    auto writeEntry = [&](quint64 Offset) {
        char *p = c.Pool.data() + Offset;
        *p++ = char(quint8(len));
        if (wide) {
            std::memcpy(p, units, size_t(len) * 2);
        } else {
            for (qsizetype i = 0; i < len; ++i)
                p[i] = char(quint8(units[i]));
        }
    };

    if (len == 0) {
        c.Garbage += EntryBytes(old, c);
        c.Ref[stored] = 0;
    } else if (old != 0 && bool(old & WideFlag) == wide && EntryBytes(old, c) >= bytes) {
        // Reuse the old entry; its tail becomes garbage.
        c.Garbage += EntryBytes(old, c) - bytes;
        writeEntry(old & ~WideFlag);
    } else {
        if (c.Garbage > 4096 && c.Garbage * 2 > c.Pool.size()) {
            try {
                Compact(c);
            } catch (const std::bad_alloc &) {
            }
            old = c.Ref[stored];
        }
        const quint32 flag = wide ? WideFlag : 0;
        quint64 pad = AlignPad(flag, c.Pool.size());
        quint64 offset = c.Pool.size() + pad;
        if (offset + bytes > MaxPoolBytes && c.Garbage > pad) {
            try {
                Compact(c);
            } catch (const std::bad_alloc &) {
            }
            old = c.Ref[stored];
            pad = AlignPad(flag, c.Pool.size());
            offset = c.Pool.size() + pad;
        }
        if (offset + bytes > MaxPoolBytes)
            throw EKROError(QStringLiteral("TStringArray.SetString: column %1 is full").arg(Col));
        try {
            c.Pool.resize(size_t(offset + bytes), char(0));
        } catch (const std::bad_alloc &) {
            throw EKROError(QStringLiteral("TStringArray.SetString: not enough memory"));
        }
        writeEntry(offset);
        c.Garbage += pad + EntryBytes(old, c);
        c.Ref[stored] = quint32(offset) | flag;
    }
    Changed();
}

double TStringArray::GetAsNumber(int Col, int Row) const
{
    if (!ValidCell(Col, Row)) return 0;
    const TColumn &c = FColumns[size_t(Col)];
    const quint32 ref = c.Ref[Stored(Row)];
    if (ref == 0 || (ref & WideFlag)) return 0;
    const char *p = c.Pool.data() + ref;
    double v = 0;
    return ParseNumber(p + 1, p + 1 + quint8(*p), v) ? v : 0;
}

quint8 TStringArray::GetRowAttrib(int Row) const
{
    return Row >= 1 && Row <= FNrRows ? FRowAttrib[Stored(Row)] : 0;
}

void TStringArray::SetRowAttrib(int Row, quint8 Value)
{
    if (Row >= 1 && Row <= FNrRows) FRowAttrib[Stored(Row)] = Value;
}

quint8 TStringArray::GetColAttrib(int Col) const
{
    return Col >= 0 && Col < int(FColAttrib.size()) ? FColAttrib[size_t(Col)] : 0;
}

void TStringArray::SetColAttrib(int Col, quint8 Value)
{
    if (Col >= 0 && Col < int(FColAttrib.size())) FColAttrib[size_t(Col)] = Value;
}

void TStringArray::InsertRow(int Row)
{
    if (Row < 1 || Row > FNrRows + 1) return;
    if (FNrRows == std::numeric_limits<int>::max())
        throw EKROError(QStringLiteral("TStringArray.InsertRow: too many rows"));
    const size_t needed = size_t(FNrRows) + 1;
    try {
        const size_t cap = GrownCapacity(needed, FRowAttrib.capacity());
        for (TColumn &c : FColumns)
            if (c.Ref.capacity() < needed) c.Ref.reserve(cap);
        FRowAttrib.reserve(cap);
        if (!FPerm.empty()) FPerm.reserve(cap);
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.InsertRow: not enough memory"));
    }
    // Stored position: before the record presented at Row (appended when Row is past the end).
    const quint32 p = Row <= FNrRows ? Stored(Row) : quint32(FNrRows);
    for (TColumn &c : FColumns)
        c.Ref.insert(c.Ref.begin() + p, 0u);
    FRowAttrib.insert(FRowAttrib.begin() + p, quint8(0));
    if (!FPerm.empty()) {
        for (quint32 &s : FPerm)
            if (s >= p) ++s;
        FPerm.insert(FPerm.begin() + (Row - 1), p);
    }
    ++FNrRows;
    FInv.clear();
    ++FGeneration;
    Changed();
}

void TStringArray::RemoveRow(int Row)
{
    if (Row < 1 || Row > FNrRows) return;
    const quint32 p = Stored(Row);
    DropGarbageOfRow(p);
    for (TColumn &c : FColumns)
        c.Ref.erase(c.Ref.begin() + p);
    FRowAttrib.erase(FRowAttrib.begin() + p);
    if (!FPerm.empty()) {
        FPerm.erase(FPerm.begin() + (Row - 1));
        for (quint32 &s : FPerm)
            if (s > p) --s;
    }
    --FNrRows;
    if (FNrRows == 0) FPerm.clear();
    for (TColumn &c : FColumns) {
        if (c.Garbage > 4096 && c.Garbage * 2 > c.Pool.size()) {
            try {
                Compact(c);
            } catch (const std::bad_alloc &) {
            }
        }
    }
    FInv.clear();
    ++FGeneration;
    Changed();
}

bool TStringArray::ReportPercent(int Percent, int &LastPercent, quint64 Generation)
{
    if (!FOnPercentDone || Percent <= LastPercent) return true;
    LastPercent = Percent;
    FOnPercentDone(this, Percent);
    return FGeneration == Generation;
}

bool TStringArray::BuildKeys(int Col, const std::vector<quint32> &Order, std::vector<TSortKey> &Keys,
                             bool Secondary, int PercentFrom, int PercentTo, const TProgress &Progress) const
{
    const size_t n = Order.size();
    const int middle = (PercentFrom + PercentTo) / 2;
    std::vector<size_t> texts; // positions in Keys of the text cells
    {
        const TColumn &c = FColumns[size_t(Col)];
        const size_t step = std::max<size_t>(1, n / 64);
        for (size_t i = 0; i < n; ++i) {
            const quint32 ref = c.Ref[Order[i]];
            quint8 kind = ckText;
            quint64 value = 0;
            if (ref == 0) {
                kind = ckBlank;
            } else if (!(ref & WideFlag)) {
                const char *p = c.Pool.data() + ref;
                const char *b = p + 1, *e = p + 1 + quint8(*p);
                Trim(b, e);
                double number;
                qint64 ms;
                if (b == e) {
                    kind = ckBlank;
                } else if (IsDigit(*b) || *b == '+' || *b == '-' || *b == '.' || *b == ',') {
                    if (ParseNumber(b, e, number)) {
                        kind = ckNumber;
                        value = NumberKey(number);
                    } else if (ParseDate(b, e, ms)) {
                        kind = ckDate;
                        value = DateKey(ms);
                    }
                }
            }
            if (kind == ckText) texts.push_back(i);
            TSortKey &k = Keys[i];
            if (Secondary) {
                k.K2 = kind;
                k.V2 = value;
            } else {
                k.K1 = kind;
                k.V1 = value;
                k.Row = Order[i];
            }
            if (i % step == 0 && !Progress(PercentFrom + int(quint64(middle - PercentFrom) * i / n)))
                return false;
        }
    }
    if (texts.empty()) return Progress(PercentTo);

    const TColumn &c = FColumns[size_t(Col)];
    auto entryOf = [&](size_t T) {
        const quint32 ref = c.Ref[Order[texts[T]]];
        return std::string_view(c.Pool.data() + (ref & ~WideFlag), size_t(EntryBytes(ref, c)));
    };
    auto setRank = [&](size_t T, quint32 Rank) {
        if (Secondary)
            Keys[texts[T]].V2 = Rank;
        else
            Keys[texts[T]].V1 = Rank;
    };
    if (FSortLocale.language() == QLocale::C) {
        // The C locale orders by code point: every text gets its key at once, with no collator.
        std::vector<std::string_view> entries(texts.size());
        for (size_t t = 0; t < texts.size(); ++t)
            entries[t] = entryOf(t);
        if (!Progress(middle)) return false;
        const std::vector<quint32> rank = sortimpl::CLocaleRanks(entries);
        for (size_t t = 0; t < texts.size(); ++t)
            setRank(t, rank[t]);
        return Progress(PercentTo);
    }

    // Texts are ranked once per distinct text, then compared as ranks.
    std::unordered_map<std::string_view, quint32> distinctIndex;
    distinctIndex.reserve(texts.size());
    std::vector<std::string_view> distinct;
    std::vector<quint32> group(texts.size());
    for (size_t t = 0; t < texts.size(); ++t) {
        auto [it, inserted] = distinctIndex.try_emplace(entryOf(t), quint32(distinct.size()));
        if (inserted) distinct.push_back(it->first);
        group[t] = it->second;
    }
    distinctIndex = {};
    if (!Progress(middle)) return false;

    const std::vector<quint32> rank = CollationRanks(distinct, FSortLocale);
    for (size_t t = 0; t < texts.size(); ++t)
        setRank(t, rank[group[t]]);
    return Progress(PercentTo);
}

bool TStringArray::SortedOrder(std::vector<quint32> &Order, int Col, int ColSec, bool Ascending,
                               const TProgress &Progress) const
{
    const size_t n = Order.size();
    std::vector<TSortKey> keys(n);
    const int keysDone = ColSec >= 0 ? 40 : 80;
    if (!BuildKeys(Col, Order, keys, false, 0, keysDone, Progress)) return false;
    if (ColSec >= 0 && !BuildKeys(ColSec, Order, keys, true, keysDone, 80, Progress)) return false;
    // Stable, by (K1, V1, K2, V2); the secondary digits only when there is a secondary column.
    // Descending order mirrors every digit, so equal rows still keep their order.
    const quint8 flip = Ascending ? 0 : 0xFF;
    auto digit = [flip](const TSortKey &K, int D) {
        quint8 b;
        if (D < 8)
            b = quint8(K.V2 >> (8 * D));
        else if (D == 8)
            b = K.K2;
        else if (D < 17)
            b = quint8(K.V1 >> (8 * (D - 9)));
        else
            b = K.K1;
        return size_t(b ^ flip);
    };
    std::vector<TSortKey> scratch;
    if (ColSec >= 0)
        sortimpl::StableRadixSort(keys, scratch, 18, digit);
    else
        sortimpl::StableRadixSort(keys, scratch, 9,
                                  [&digit](const TSortKey &K, int D) { return digit(K, D + 9); });
    std::vector<TSortKey>().swap(scratch);
    for (size_t i = 0; i < n; ++i)
        Order[i] = keys[i].Row;
    return true;
}

bool TStringArray::ApplyOrder(std::vector<quint32> &&NewOrder, quint64 Generation)
{
    const size_t n = NewOrder.size();
    if (FOnBeforeSortExchange) {
        // The change of order as exchanges of two presented rows, each reported before it is
        // made; at most n - 1 of them. A copy of the handler reports them, so that a handler
        // which takes itself away cannot leave an empty one to call.
        const TBeforeSortExchgEvent report = FOnBeforeSortExchange;
        std::vector<quint32> current(n), position(n);
        for (size_t i = 0; i < n; ++i) {
            current[i] = Stored(int(i) + 1);
            position[current[i]] = quint32(i);
        }
        for (size_t i = 0; i < n; ++i) {
            if (current[i] == NewOrder[i]) continue;
            const size_t j = position[NewOrder[i]];
            report(this, 0, int(i) + 1, int(j) + 1);
            if (FGeneration != Generation) return false;
            std::swap(current[i], current[j]);
            position[current[i]] = quint32(i);
            position[current[j]] = quint32(j);
        }
    }
    FPerm = std::move(NewOrder);
    FInv.clear();
    ++FGeneration;
    return true;
}

void TStringArray::Sort(int Col, int ColSec, bool Ascending)
{
    if (Col < 0 || Col > NrOfColumns() || FNrRows == 0) return;
    if (ColSec < 0 || ColSec > NrOfColumns() || ColSec == Col) ColSec = -1;
    const quint64 generation = FGeneration;
    int lastPercent = -1;
    const TProgress progress = [&](int Percent) { return ReportPercent(Percent, lastPercent, generation); };
    try {
        if (!progress(0)) return;
        const size_t n = size_t(FNrRows);
        std::vector<quint32> order(n);
        for (size_t i = 0; i < n; ++i)
            order[i] = Stored(int(i) + 1);
        if (!SortedOrder(order, Col, ColSec, Ascending, progress)) return;
        if (!progress(90)) return;
        if (!ApplyOrder(std::move(order), generation)) return;
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.Sort: not enough memory"));
    }
    ReportPercent(100, lastPercent, FGeneration);
    Changed();
}

std::vector<int> TStringArray::SortedRecords(const std::vector<int> &Records, int Col, int ColSec,
                                             bool Ascending) const
{
    const size_t n = size_t(FNrRows);
    std::vector<quint32> order(Records.size());
    for (size_t i = 0; i < Records.size(); ++i) {
        if (Records[i] < 1 || size_t(Records[i]) > n)
            throw EKROError(QStringLiteral("TStringArray.SortedRecords: no record %1").arg(Records[i]));
        order[i] = quint32(Records[i] - 1);
    }
    if (Col < 0 || Col > NrOfColumns() || order.empty()) return Records;
    if (ColSec < 0 || ColSec > NrOfColumns() || ColSec == Col) ColSec = -1;
    try {
        SortedOrder(order, Col, ColSec, Ascending, [](int) { return true; });
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.SortedRecords: not enough memory"));
    }
    std::vector<int> out(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        out[i] = int(order[i]) + 1;
    return out;
}

void TStringArray::UnSort()
{
    if (FPerm.empty()) return;
    try {
        std::vector<quint32> identity(FOnBeforeSortExchange ? size_t(FNrRows) : 0);
        std::iota(identity.begin(), identity.end(), 0u);
        if (FOnBeforeSortExchange && !ApplyOrder(std::move(identity), FGeneration)) return;
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.UnSort: not enough memory"));
    }
    std::vector<quint32>().swap(FPerm);
    FInv.clear();
    ++FGeneration;
    Changed();
}

void TStringArray::CommitSorting()
{
    if (FPerm.empty()) return;
    const size_t n = size_t(FNrRows);
    std::vector<quint32> refs;
    std::vector<quint8> attribs;
    try {
        refs.resize(n);
        attribs.resize(n);
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.CommitSorting: not enough memory"));
    }
    for (TColumn &c : FColumns) {
        for (size_t i = 0; i < n; ++i)
            refs[i] = c.Ref[FPerm[i]];
        c.Ref.swap(refs); // refs now holds the old references, reused for the next column
    }
    for (size_t i = 0; i < n; ++i)
        attribs[i] = FRowAttrib[FPerm[i]];
    FRowAttrib.swap(attribs);
    std::vector<quint32>().swap(FPerm);
    FInv.clear();
    ++FGeneration;
}

int TStringArray::GetSortOrder(int Row) const
{
    return Row >= 1 && Row <= FNrRows ? int(Stored(Row)) + 1 : 0;
}

void TStringArray::SetSortOrder(int Row, int Value)
{
    if (Row < 1 || Row > FNrRows || Value < 1 || Value > FNrRows) return;
    const size_t n = size_t(FNrRows);
    try {
        if (FPerm.empty()) {
            std::vector<quint32> perm(n);
            std::iota(perm.begin(), perm.end(), 0u);
            FInv = perm;
            FPerm.swap(perm);
        } else if (FInv.empty()) {
            std::vector<quint32> inv(n);
            for (size_t i = 0; i < n; ++i)
                inv[FPerm[i]] = quint32(i);
            FInv.swap(inv);
        }
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.SetSortOrder: not enough memory"));
    }
    const quint32 row = quint32(Row - 1), stored = quint32(Value - 1);
    const quint32 other = FInv[stored]; // the row presenting Value so far
    if (other != row) {
        const quint32 displaced = FPerm[row];
        FPerm[row] = stored;
        FPerm[other] = displaced;
        FInv[stored] = row;
        FInv[displaced] = other;
    }
    ++FGeneration;
    Changed();
}

std::vector<int> TStringArray::SortOrder() const
{
    std::vector<int> order(static_cast<size_t>(FNrRows));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(Stored(int(i) + 1)) + 1;
    return order;
}

bool TStringArray::SetSortOrder(const std::vector<int> &Order)
{
    const size_t n = size_t(FNrRows);
    if (Order.size() != n)
        throw EKROError(
            QStringLiteral("TStringArray.SetSortOrder: %1 entries for %2 rows").arg(Order.size()).arg(n));
    std::vector<quint32> perm;
    try {
        perm.resize(n);
        std::vector<bool> seen(n, false);
        for (size_t i = 0; i < n; ++i) {
            const int v = Order[i];
            if (v < 1 || size_t(v) > n || seen[size_t(v - 1)])
                throw EKROError(
                    QStringLiteral("TStringArray.SetSortOrder: entry %1 (%2) is not a row left to place")
                        .arg(i + 1)
                        .arg(v));
            seen[size_t(v - 1)] = true;
            perm[i] = quint32(v - 1);
        }
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.SetSortOrder: not enough memory"));
    }
    bool same = true; // the rows are presented in this order already
    for (size_t i = 0; i < n && same; ++i)
        same = Stored(int(i) + 1) == perm[i];
    if (same) return false;
    FPerm.swap(perm);
    FInv.clear();
    ++FGeneration;
    Changed();
    return true;
}

int TStringArray::PresentedRow(int Record) const
{
    if (Record < 1 || Record > FNrRows) return 0;
    const quint32 stored = quint32(Record - 1);
    if (FPerm.empty()) return Record;
    if (!FInv.empty()) return int(FInv[stored]) + 1;
    const auto it = std::find(FPerm.begin(), FPerm.end(), stored);
    return int(it - FPerm.begin()) + 1;
}

void TStringArray::SetRowAttribBits(int FromRow, int ToRow, quint8 Bits, bool On)
{
    FromRow = std::max(FromRow, 1);
    ToRow = std::min(ToRow, FNrRows);
    for (int r = FromRow; r <= ToRow; ++r) {
        quint8 &a = FRowAttrib[Stored(r)];
        a = On ? quint8(a | Bits) : quint8(a & ~Bits);
    }
}

quint64 TStringArray::StorageBytes() const
{
    quint64 bytes = FRowAttrib.capacity() + FColAttrib.capacity() + 4 * (FPerm.capacity() + FInv.capacity());
    for (const TColumn &c : FColumns)
        bytes += 4 * quint64(c.Ref.capacity()) + c.Pool.capacity() + sizeof(TColumn);
    return bytes;
}

bool TStringArray::AssignTo(TComponentBase *Dest) const
{
    auto *dest = dynamic_cast<TStringArray *>(Dest);
    if (!dest) return TComponent::AssignTo(Dest);
    if (dest == this) return true;
    std::vector<TColumn> columns;
    std::vector<quint8> colAttrib, rowAttrib;
    std::vector<quint32> perm;
    try {
        columns = FColumns;
        colAttrib = FColAttrib;
        rowAttrib = FRowAttrib;
        perm = FPerm;
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TStringArray.Assign: not enough memory"));
    }
    dest->FColumns.swap(columns);
    dest->FColAttrib.swap(colAttrib);
    dest->FRowAttrib.swap(rowAttrib);
    dest->FPerm.swap(perm);
    dest->FInv.clear();
    dest->FNrRows = FNrRows;
    dest->FAllocRowsBy = FAllocRowsBy;
    dest->FSortLocale = FSortLocale;
    ++dest->FGeneration;
    dest->Changed();
    return true;
}

} // namespace kro
