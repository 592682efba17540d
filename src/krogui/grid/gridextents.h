#pragma once
// TGridExtents: the sizes of the cells along one grid axis (column widths or row heights).
//
// Only sizes that differ from the default are stored, in sorted blocks that also keep the running
// sum of their differences. Every query (size, offset, the cell at an offset) costs O(log n) in the
// number of stored sizes and nothing in the number of cells, so an axis of ten million cells with
// the default size takes no memory beyond the object itself.

#include <krogui/kroguiexport.h>

#include <QtGlobal>

#include <vector>

namespace kro {

class KROGUI_EXPORT TGridExtents
{
public:
    explicit TGridExtents(int Count = 0, int Default = 0);

    /// Number of cells (at least 0). Shrinking drops the stored sizes of the removed cells; new
    /// cells have the default size.
    int Count() const { return FCount; }
    void SetCount(int Value);
    /// The size of every cell without a size of its own (at least 0). Setting it forgets all
    /// individual sizes, as the grid's default width and height do.
    int Default() const { return FDefault; }
    void SetDefault(int Value);

    /// The size of cell I; 0 for an index outside 0..Count-1.
    int Size(int I) const;
    /// Gives cell I its own size (negative counts as 0); ignored for an index outside the axis.
    /// The default size removes the entry.
    void SetSize(int I, int Value);
    /// Number of cells with a size of their own.
    int StoredCount() const { return FStored; }
    /// The smallest index >= I that has a size of its own, Count when there is none.
    int NextStored(int I) const;

    /// Sum of (size + Extra) over the cells 0..I-1 (I clamped to 0..Count); Extra is the grid line.
    qint64 Offset(int I, int Extra) const;
    /// The largest J in 0..Count with Offset(J, Extra) <= Pos (0 when Pos < 0): for 0 <= Pos below
    /// the total, the cell whose span [Offset(J), Offset(J + 1)) contains Pos.
    int IndexAtOffset(qint64 Pos, int Extra) const;
    /// The smallest J in 0..Count with Offset(J, Extra) >= Pos.
    int FirstIndexFrom(qint64 Pos, int Extra) const;

    /// The size of cell From moves to To; the cells in between shift by one towards From.
    void Move(int From, int To);
    /// Removes cell I; the later cells move up by one and Count decreases.
    void Delete(int I);

private:
    struct Entry
    {
        int Index;
        int Size;
    };
    struct Block
    {
        std::vector<Entry> Items; // sorted by Index
        std::vector<qint64> Cum;  // Cum[j]: sum of (Size - Default) over Items[0..j]
    };
    std::vector<Entry> Flatten() const;
    void Rebuild(const std::vector<Entry> &Sorted);
    void Recount(Block &B) const;
    size_t BlockOf(int I) const;
    qint64 DeltaBefore(int I) const;
    void UpdatePrefix() const;

    int FCount = 0;
    int FDefault = 0;
    int FStored = 0;
    std::vector<Block> FBlocks;
    mutable std::vector<qint64> FPrefix; // FPrefix[b]: sum of the differences of blocks 0..b-1
    mutable bool FPrefixValid = true;
};

} // namespace kro
