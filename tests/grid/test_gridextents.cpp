// The sparse cell sizes behind the grid's column widths and row heights.
#include <krogui/grid/gridextents.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using kro::TGridExtents;

namespace {

// A plain vector of sizes: the reference the sparse store must agree with.
struct Naive
{
    std::vector<int> Sizes;
    // Offsets of every cell start, and the total at the end.
    std::vector<qint64> Offsets(int Extra) const
    {
        std::vector<qint64> o(Sizes.size() + 1, 0);
        for (size_t k = 0; k < Sizes.size(); ++k)
            o[k + 1] = o[k] + Sizes[k] + Extra;
        return o;
    }
};

void ExpectSame(const TGridExtents &E, const Naive &N, int Extra)
{
    ASSERT_EQ(E.Count(), int(N.Sizes.size()));
    const std::vector<qint64> ofs = N.Offsets(Extra);
    for (int i = 0; i <= E.Count(); ++i) {
        if (i < E.Count()) {
            ASSERT_EQ(E.Size(i), N.Sizes[size_t(i)]) << "size of " << i;
        }
        ASSERT_EQ(E.Offset(i, Extra), ofs[size_t(i)]) << "offset of " << i;
    }
    // The cell at every pixel position: the last J whose offset is not beyond it.
    int j = 0;
    for (qint64 p = 0; p <= ofs.back() + 1; ++p) {
        while (j < E.Count() && ofs[size_t(j) + 1] <= p)
            ++j;
        ASSERT_EQ(E.IndexAtOffset(p, Extra), j) << "index at " << p;
    }
    EXPECT_EQ(E.IndexAtOffset(-1, Extra), 0);
}

} // namespace

TEST(GridExtents, AgreesWithAPlainListUnderRandomEdits)
{
    std::mt19937 rng(7);
    TGridExtents e(1500, 5);
    Naive n{std::vector<int>(1500, 5)};
    // Enough edits to split blocks, empty them again and merge runs of equal sizes.
    for (int step = 0; step < 4000; ++step) {
        const int i = int(rng() % 1500);
        const int v = int(rng() % 4) == 0 ? 5 : int(rng() % 9);
        e.SetSize(i, v);
        n.Sizes[size_t(i)] = v;
    }
    ExpectSame(e, n, 0);
    ExpectSame(e, n, 1);
    int stored = 0;
    for (int v : n.Sizes)
        stored += v != 5;
    EXPECT_EQ(e.StoredCount(), stored);
    // With a line every cell takes at least one pixel, so offsets strictly grow.
    EXPECT_EQ(e.FirstIndexFrom(e.Offset(700, 1), 1), 700);
    EXPECT_EQ(e.FirstIndexFrom(e.Offset(700, 1) + 1, 1), 701);
}

TEST(GridExtents, MoveDeleteAndCountKeepSizesWithTheirCells)
{
    TGridExtents e(10, 20);
    e.SetSize(2, 7);
    e.SetSize(5, 9);
    e.SetSize(8, 3);
    e.Move(2, 6); // 7 goes to 6; cells 3..6 shift up
    EXPECT_EQ(e.Size(6), 7);
    EXPECT_EQ(e.Size(4), 9);
    EXPECT_EQ(e.Size(2), 20);
    e.Move(8, 0);
    EXPECT_EQ(e.Size(0), 3);
    EXPECT_EQ(e.Size(5), 9);
    EXPECT_EQ(e.Size(7), 7);
    e.Delete(0);
    EXPECT_EQ(e.Count(), 9);
    EXPECT_EQ(e.Size(0), 20);
    EXPECT_EQ(e.Size(4), 9);
    EXPECT_EQ(e.Size(6), 7);
    e.SetCount(5); // drops the size of cell 6
    EXPECT_EQ(e.StoredCount(), 1);
    e.SetCount(8);
    EXPECT_EQ(e.Size(6), 20);
    e.SetDefault(11); // forgets every own size
    EXPECT_EQ(e.StoredCount(), 0);
    EXPECT_EQ(e.Size(4), 11);
}

TEST(GridExtents, BadInputIsClampedOrIgnored)
{
    TGridExtents e(-3, -8);
    EXPECT_EQ(e.Count(), 0);
    EXPECT_EQ(e.Default(), 0);
    e.SetCount(4);
    e.SetSize(-1, 10);
    e.SetSize(4, 10);
    EXPECT_EQ(e.StoredCount(), 0);
    e.SetSize(1, -6);
    EXPECT_EQ(e.Size(1), 0);
    EXPECT_EQ(e.Size(-1), 0);
    EXPECT_EQ(e.Size(99), 0);
    EXPECT_EQ(e.Offset(-5, 1), 0);
    EXPECT_EQ(e.Offset(99, 1), e.Offset(4, 1));
    e.Move(-1, 2);
    e.Move(1, 9);
    e.Delete(7);
    EXPECT_EQ(e.Count(), 4);
}

TEST(GridExtents, TenMillionDefaultCellsCostNothingAndStayExact)
{
    TGridExtents e(10'000'000, 24);
    EXPECT_EQ(e.StoredCount(), 0);
    EXPECT_EQ(e.Offset(10'000'000, 1), qint64(10'000'000) * 25);
    e.SetSize(9'999'999, 100);
    e.SetSize(3, 0);
    EXPECT_EQ(e.StoredCount(), 2);
    EXPECT_EQ(e.Offset(10'000'000, 1), qint64(10'000'000) * 25 + 76 - 24);
    // Position of the last row and the row at a position near the end.
    const qint64 last = e.Offset(9'999'999, 1);
    EXPECT_EQ(e.IndexAtOffset(last, 1), 9'999'999);
    EXPECT_EQ(e.IndexAtOffset(last - 1, 1), 9'999'998);
    EXPECT_EQ(e.NextStored(4), 9'999'999);
    EXPECT_EQ(e.NextStored(0), 3);
}
