#include <krogui/grid/gridextents.h>

#include <algorithm>

namespace kro {

namespace {
// Blocks split above this many entries; small enough that rebuilding one block's running sums on a
// change stays cheap, large enough that the block list stays short.
constexpr size_t kBlockMax = 512;
} // namespace

TGridExtents::TGridExtents(int Count, int Default)
    : FCount(std::max(0, Count)), FDefault(std::max(0, Default))
{
}

void TGridExtents::SetCount(int Value)
{
    Value = std::max(0, Value);
    if (Value == FCount) return;
    if (Value < FCount && FStored > 0 && NextStored(Value) < FCount) {
        std::vector<Entry> all = Flatten();
        all.erase(
            std::remove_if(all.begin(), all.end(), [Value](const Entry &E) { return E.Index >= Value; }),
            all.end());
        FCount = Value;
        Rebuild(all);
        return;
    }
    FCount = Value;
}

void TGridExtents::SetDefault(int Value)
{
    FDefault = std::max(0, Value);
    Rebuild({});
}

size_t TGridExtents::BlockOf(int I) const
{
    // The last block whose first index is <= I (block 0 when I lies before every block).
    auto it = std::upper_bound(FBlocks.begin(), FBlocks.end(), I,
                               [](int V, const Block &B) { return V < B.Items.front().Index; });
    return it == FBlocks.begin() ? 0 : size_t(it - FBlocks.begin() - 1);
}

int TGridExtents::Size(int I) const
{
    if (I < 0 || I >= FCount) return 0;
    if (FBlocks.empty()) return FDefault;
    const Block &b = FBlocks[BlockOf(I)];
    auto it = std::lower_bound(b.Items.begin(), b.Items.end(), I,
                               [](const Entry &E, int V) { return E.Index < V; });
    return it != b.Items.end() && it->Index == I ? it->Size : FDefault;
}

void TGridExtents::Recount(Block &B) const
{
    B.Cum.resize(B.Items.size());
    qint64 s = 0;
    for (size_t j = 0; j < B.Items.size(); ++j) {
        s += qint64(B.Items[j].Size) - FDefault;
        B.Cum[j] = s;
    }
}

void TGridExtents::SetSize(int I, int Value)
{
    if (I < 0 || I >= FCount) return;
    Value = std::max(0, Value);
    FPrefixValid = false;
    if (FBlocks.empty()) {
        if (Value == FDefault) return;
        FBlocks.push_back(Block{{Entry{I, Value}}, {}});
        Recount(FBlocks.back());
        FStored = 1;
        return;
    }
    const size_t bi = BlockOf(I);
    Block &b = FBlocks[bi];
    auto it = std::lower_bound(b.Items.begin(), b.Items.end(), I,
                               [](const Entry &E, int V) { return E.Index < V; });
    const bool found = it != b.Items.end() && it->Index == I;
    if (Value == FDefault) {
        if (!found) return;
        b.Items.erase(it);
        --FStored;
        if (b.Items.empty()) {
            FBlocks.erase(FBlocks.begin() + std::ptrdiff_t(bi));
            return;
        }
        Recount(b);
        return;
    }
    if (found) {
        it->Size = Value;
    } else {
        b.Items.insert(it, Entry{I, Value});
        ++FStored;
    }
    if (b.Items.size() > kBlockMax) {
        Block tail;
        const auto mid = b.Items.begin() + std::ptrdiff_t(b.Items.size() / 2);
        tail.Items.assign(mid, b.Items.end());
        b.Items.erase(mid, b.Items.end());
        Recount(b);
        Recount(tail);
        FBlocks.insert(FBlocks.begin() + std::ptrdiff_t(bi) + 1, std::move(tail));
        return;
    }
    Recount(b);
}

int TGridExtents::NextStored(int I) const
{
    I = std::max(0, I);
    if (FBlocks.empty() || I >= FCount) return FCount;
    for (size_t bi = BlockOf(I); bi < FBlocks.size(); ++bi) {
        const Block &b = FBlocks[bi];
        auto it = std::lower_bound(b.Items.begin(), b.Items.end(), I,
                                   [](const Entry &E, int V) { return E.Index < V; });
        if (it != b.Items.end()) return it->Index;
    }
    return FCount;
}

void TGridExtents::UpdatePrefix() const
{
    if (FPrefixValid && FPrefix.size() == FBlocks.size() + 1) return;
    FPrefix.resize(FBlocks.size() + 1);
    FPrefix[0] = 0;
    for (size_t b = 0; b < FBlocks.size(); ++b)
        FPrefix[b + 1] = FPrefix[b] + (FBlocks[b].Cum.empty() ? 0 : FBlocks[b].Cum.back());
    FPrefixValid = true;
}

qint64 TGridExtents::DeltaBefore(int I) const
{
    if (FBlocks.empty() || I <= FBlocks.front().Items.front().Index) return 0;
    UpdatePrefix();
    const size_t bi = BlockOf(I - 1);
    const Block &b = FBlocks[bi];
    auto it = std::lower_bound(b.Items.begin(), b.Items.end(), I,
                               [](const Entry &E, int V) { return E.Index < V; });
    const size_t n = size_t(it - b.Items.begin());
    return FPrefix[bi] + (n == 0 ? 0 : b.Cum[n - 1]);
}

qint64 TGridExtents::Offset(int I, int Extra) const
{
    I = std::clamp(I, 0, FCount);
    return qint64(I) * (qint64(FDefault) + Extra) + DeltaBefore(I);
}

int TGridExtents::IndexAtOffset(qint64 Pos, int Extra) const
{
    if (Pos < 0) return 0;
    // Offsets never decrease with the index: binary search for the last J with Offset(J) <= Pos.
    int lo = 0, hi = FCount;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (Offset(mid, Extra) <= Pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int TGridExtents::FirstIndexFrom(qint64 Pos, int Extra) const
{
    int lo = 0, hi = FCount;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (Offset(mid, Extra) >= Pos)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

std::vector<TGridExtents::Entry> TGridExtents::Flatten() const
{
    std::vector<Entry> all;
    all.reserve(size_t(FStored));
    for (const Block &b : FBlocks)
        all.insert(all.end(), b.Items.begin(), b.Items.end());
    return all;
}

void TGridExtents::Rebuild(const std::vector<Entry> &Sorted)
{
    FBlocks.clear();
    FStored = int(Sorted.size());
    FPrefixValid = false;
    for (size_t start = 0; start < Sorted.size(); start += kBlockMax) {
        Block b;
        b.Items.assign(Sorted.begin() + std::ptrdiff_t(start),
                       Sorted.begin() + std::ptrdiff_t(std::min(Sorted.size(), start + kBlockMax)));
        Recount(b);
        FBlocks.push_back(std::move(b));
    }
}

void TGridExtents::Move(int From, int To)
{
    if (From < 0 || From >= FCount || To < 0 || To >= FCount || From == To || FStored == 0) return;
    std::vector<Entry> all = Flatten();
    for (Entry &e : all) {
        if (e.Index == From)
            e.Index = To;
        else if (From < To && e.Index > From && e.Index <= To)
            --e.Index;
        else if (From > To && e.Index >= To && e.Index < From)
            ++e.Index;
    }
    std::sort(all.begin(), all.end(), [](const Entry &A, const Entry &B) { return A.Index < B.Index; });
    Rebuild(all);
}

void TGridExtents::Delete(int I)
{
    if (I < 0 || I >= FCount) return;
    std::vector<Entry> all = Flatten();
    all.erase(std::remove_if(all.begin(), all.end(), [I](const Entry &E) { return E.Index == I; }),
              all.end());
    for (Entry &e : all)
        if (e.Index > I) --e.Index;
    --FCount;
    Rebuild(all);
}

} // namespace kro
