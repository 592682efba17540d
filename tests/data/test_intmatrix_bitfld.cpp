#include <krogui/data/bitfld.h>
#include <krogui/core/error.h>
#include <krogui/data/intmatrix.h>

#include <gtest/gtest.h>

#include <limits>

using namespace kro;

TEST(IntMatrix, ResizeKeepsValuesAndRefusesBadSizes)
{
    TIntMatrix m(3, 2);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            m.SetVal(c, r, 10 * r + c);
    // Growing the rows (as a list of records does) keeps every row in place.
    m.SetNRows(4);
    EXPECT_EQ(m.NrOfRows(), 4);
    EXPECT_EQ(m.GetVal(3, 2), 23);
    EXPECT_EQ(m.GetVal(1, 4), 0);
    // Changing the columns keeps the overlapping values.
    m.Resize(2, 3);
    EXPECT_EQ(m.GetVal(1, 1), 11);
    EXPECT_EQ(m.GetVal(2, 2), 22);
    EXPECT_EQ(m.GetVal(3, 2), 0);
    m.SetNCols(4);
    EXPECT_EQ(m.GetVal(2, 2), 22);
    EXPECT_EQ(m.GetVal(4, 2), 0);
    m.SetNRows(0);
    EXPECT_EQ(m.NrOfRows(), 0);
    m.SetNRows(1);
    EXPECT_EQ(m.GetVal(1, 1), 0);
    // Outside: 0, writes ignored; refused sizes change nothing.
    m.SetVal(5, 1, 9);
    m.SetVal(0, 1, 9);
    m.SetVal(1, 2, 9);
    EXPECT_EQ(m.GetVal(5, 1), 0);
    EXPECT_EQ(m.GetVal(1, 2), 0);
    m.SetVal(4, 1, -99999);
    const int big = std::numeric_limits<int>::max();
    EXPECT_THROW(m.SetNRows(-1), EKROError);
    EXPECT_THROW(m.Resize(big, big), EKROError);
    EXPECT_THROW(m.Resize(100000, 1000000000), EKROError);
    EXPECT_EQ(m.NrOfColumns(), 4);
    EXPECT_EQ(m.NrOfRows(), 1);
    EXPECT_EQ(m.GetVal(4, 1), -99999);
    EXPECT_THROW(TIntMatrix(-1, 1), EKROError);
}

TEST(BitFld, BitsCountsAndResizing)
{
    TBitFld b(130);
    EXPECT_EQ(b.FirstTrueBit(), -1);
    EXPECT_EQ(b.CountTrueBits(), 0);
    b.SetBit(129, true);
    b.SetBit(64, true);
    b.SetBit(63, true);
    b.SetBit(130, true); // outside
    b.SetBit(-1, true);
    EXPECT_TRUE(b.GetBit(63));
    EXPECT_FALSE(b.GetBit(130));
    EXPECT_FALSE(b.GetBit(-1));
    EXPECT_EQ(b.CountTrueBits(), 3);
    EXPECT_EQ(b.FirstTrueBit(), 63);
    b.SetBit(63, false);
    EXPECT_EQ(b.FirstTrueBit(), 64);
    // Shrinking drops the bits beyond the end; growing again does not bring them back.
    b.SetSize(100);
    EXPECT_EQ(b.CountTrueBits(), 1);
    b.SetBit(99, true);
    b.SetSize(70);
    b.SetSize(200);
    EXPECT_FALSE(b.GetBit(99));
    EXPECT_FALSE(b.GetBit(129));
    EXPECT_EQ(b.CountTrueBits(), 1);
    EXPECT_THROW(b.SetSize(-1), EKROError);
    EXPECT_EQ(b.Size(), 200);
    EXPECT_TRUE(b.GetBit(64));
    b.Clear();
    EXPECT_EQ(b.CountTrueBits(), 0);
    EXPECT_EQ(b.FirstTrueBit(), -1);
    EXPECT_EQ(b.Size(), 200);
}
