// The filter engine on a data component: verdicts, kept column texts, the orders it returns.
#include <krogui/data/stringarray.h>
#include <krogui/replist/rldata.h>
#include <krogui/replist/rlfilterengine.h>

#include "qstringprint.h"

#include <gtest/gtest.h>

using namespace kro;

namespace {

// Rows "apple 3", "pear 1", "plum 2", "fig 1" in columns 1 and 2; column 3 a check column.
void Fill(TRLData &D)
{
    const char *fruit[] = {"apple", "pear", "plum", "fig"};
    const char *count[] = {"3", "1", "2", "1"};
    D.SetNrCols(3);
    D.SetNrRows(4);
    D.SetColCheckMode(3, cmBox);
    for (int r = 1; r <= 4; ++r) {
        D.SetElem(1, r, QString::fromLatin1(fruit[r - 1]));
        D.SetElem(2, r, QString::fromLatin1(count[r - 1]));
        D.Strings()->SetString(3, r, QStringLiteral("pear")); // stored as is: "p" is the mark
    }
}

TRLFilterQuery Query(const char *Q)
{
    return TRLFilterQuery::Compile(QString::fromLatin1(Q), fmBoolean, false);
}

} // namespace

TEST(FilterEngine, SearchColumns)
{
    TRLData d;
    Fill(d);
    EXPECT_EQ(TRLFilterEngine::SearchColumns(d, {}, {}), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(TRLFilterEngine::SearchColumns(d, {}, {false, true}), (std::vector<int>{1, 3}));
    // Named columns: password columns too, each once, out-of-range ones dropped.
    EXPECT_EQ(TRLFilterEngine::SearchColumns(d, {2, 0, 2, 9, -1}, {false, true}), (std::vector<int>{2, 0}));
}

TEST(FilterEngine, VerdictsByStoredRowSkipCheckFlags)
{
    TRLData d;
    Fill(d);
    TRLFilterEngine e;
    EXPECT_EQ(e.Verdicts(d, Query("p"), {1}), (std::vector<char>{1, 1, 1, 0}));
    EXPECT_EQ(e.Verdicts(d, Query("p AND 1"), {1, 2}), (std::vector<char>{0, 1, 0, 0}));
    // A check cell's first character is its mark, not its text: "pear" there reads "ear".
    EXPECT_EQ(e.Verdicts(d, Query("pear"), {3}), (std::vector<char>{0, 0, 0, 0}));
    EXPECT_EQ(e.Verdicts(d, Query("ear"), {3}), (std::vector<char>{1, 1, 1, 1}));
    // Verdicts stay by stored row whatever the presented order.
    d.Sort(1, -1, true); // apple fig pear plum
    EXPECT_EQ(e.Verdicts(d, Query("fig OR plum"), {1}), (std::vector<char>{0, 0, 1, 1}));
    EXPECT_EQ(e.Verdicts(d, Query(""), {1}), (std::vector<char>{1, 1, 1, 1}));
}

TEST(FilterEngine, KeptTextsFollowTheCells)
{
    TRLData d;
    Fill(d);
    TRLFilterEngine e;
    EXPECT_EQ(e.Verdicts(d, Query("kiwi"), {1}), (std::vector<char>{0, 0, 0, 0}));
    d.SetElem(1, 2, QStringLiteral("kiwi"));
    e.DropTexts();
    EXPECT_EQ(e.Verdicts(d, Query("kiwi"), {1}), (std::vector<char>{0, 1, 0, 0}));
    // A new row count is noticed without being told.
    d.SetNrRows(5);
    d.SetElem(1, 5, QStringLiteral("kiwi"));
    EXPECT_EQ(e.Verdicts(d, Query("kiwi"), {1}), (std::vector<char>{0, 1, 0, 0, 1}));
    // A column that becomes a check column gains marks, which are not searched.
    d.SetColCheckMode(1, cmBox);
    e.DropTexts();
    EXPECT_EQ(e.Verdicts(d, Query("kiwi"), {1}), (std::vector<char>{0, 1, 0, 0, 1}));
    d.SetElemChecked(1, 1, true);
    e.DropTexts();
    EXPECT_EQ(e.Verdicts(d, Query("kiwi OR apple"), {1}), (std::vector<char>{1, 1, 0, 0, 1}));
}

TEST(FilterEngine, OrdersPutMatchesOnTop)
{
    TRLData d;
    Fill(d);
    const std::vector<char> m{1, 0, 1, 1}; // apple, plum, fig
    EXPECT_EQ(TRLFilterEngine::ShownOnTop(d, m), (std::vector<int>{1, 3, 4, 2}));
    EXPECT_EQ(TRLFilterEngine::MatchesOnTop(d, m, 1, -1, true), (std::vector<int>{1, 4, 3, 2}));
    EXPECT_EQ(TRLFilterEngine::MatchesOnTop(d, m, 1, -1, false), (std::vector<int>{3, 4, 1, 2}));
    // Ties of the first column fall to the second: counts 1 (fig), then by name.
    EXPECT_EQ(TRLFilterEngine::MatchesOnTop(d, {1, 1, 1, 1}, 2, 1, true), (std::vector<int>{4, 2, 3, 1}));
    // Orders are in stored rows and start from the presented order.
    d.Sort(1, -1, false); // plum pear fig apple
    EXPECT_EQ(TRLFilterEngine::ShownOnTop(d, m), (std::vector<int>{3, 4, 1, 2}));
    // A verdict vector shorter than the rows: the rows it does not cover do not match.
    EXPECT_EQ(TRLFilterEngine::ShownOnTop(d, {0, 1}), (std::vector<int>{2, 3, 4, 1}));
    EXPECT_TRUE(TRLFilterEngine::ShownOnTop(TRLData(), {}).empty());
}
