// TStringArray: the C locale's text order on many texts, whole-order setting, sorting of record
// lists and attribute ranges.
#include <krogui/core/error.h>
#include <krogui/data/stringarray.h>

#include <gtest/gtest.h>

#include <QCollator>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

using namespace kro;

namespace {

std::vector<int> Order(const TStringArray &A)
{
    std::vector<int> out;
    for (int r = 1; r <= A.NrOfRows(); ++r)
        out.push_back(A.GetSortOrder(r));
    return out;
}

// Random texts made to stress the C locale's keys: shared long prefixes (ties past eight key
// bytes), case twins, Latin-1 letters that fold out of Latin-1 (µ) or not at all (ß), a NUL
// (the collator's key ends there), wide characters, surrogate pairs and lone surrogates.
QString RandomText(std::mt19937 &G)
{
    static const char16_t units[] = {u'a',   u'B',   u'b',   u'A',   u'z',   u'~',   u'_',   0xE9,   0xC9,
                                     0xB5,   0xDF,   0x3BC,  0x130,  0x131,  0x0,    0xE000, 0xFFFD, 0x6771,
                                     0xD83D, 0xDE00, 0xD801, 0xDC00, 0x0401, 0x0451, u' ',   u'q'};
    QString s = G() % 3 == 0 ? QStringLiteral("PrefixSharedByMany") : QString();
    const int len = 1 + int(G() % 7);
    for (int i = 0; i < len; ++i) {
        const size_t pick = G() % 4 == 0 ? G() % std::size(units) : G() % 7;
        s += QChar(units[pick]);
    }
    return s;
}

} // namespace

TEST(StringArrayOrder, CLocaleTextsOrderAsTheCollatorKeysDo)
{
    // The collator of the C locale orders its sort keys of the case-folded texts; the array must
    // give the same order without making those keys, equal texts keeping their order.
    std::mt19937 gen(11);
    const int n = 3000;
    TStringArray a;
    a.SetSortLocale(QLocale::c());
    a.Resize(1, n);
    std::vector<QString> texts(size_t(n) + 1);
    for (int r = 1; r <= n; ++r) {
        texts[size_t(r)] = RandomText(gen);
        a.SetString(0, r, texts[size_t(r)]);
        a.SetString(1, r, QString::number(r));
    }
    QCollator coll(QLocale::c());
    coll.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.push_back(coll.sortKey(QString()));
    for (int r = 1; r <= n; ++r)
        keys.push_back(coll.sortKey(texts[size_t(r)].toCaseFolded()));
    auto blank = [&](int R) { return texts[size_t(R)].trimmed().isEmpty(); };
    for (const bool ascending : {true, false}) {
        std::vector<int> expected(static_cast<size_t>(n));
        std::iota(expected.begin(), expected.end(), 1);
        std::stable_sort(expected.begin(), expected.end(), [&](int A, int B) {
            if (blank(A) != blank(B)) return ascending ? blank(B) : blank(A);
            const int c = keys[size_t(A)].compare(keys[size_t(B)]);
            return ascending ? c < 0 : c > 0;
        });
        a.UnSort();
        a.Sort(0, -1, ascending);
        const std::vector<int> got = Order(a);
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i], expected[i]) << "position " << i << (ascending ? " ascending" : " descending");
    }
}

TEST(StringArrayOrder, WholeOrderIsSetOnlyWhenItIsAPermutation)
{
    TStringArray a;
    a.Resize(0, 4);
    for (int r = 1; r <= 4; ++r)
        a.SetString(0, r, QString::number(r * 10));
    int changes = 0;
    a.SetOnChange([&](QObject *) { ++changes; });

    // The order it already has changes nothing, not even the sorted state.
    EXPECT_FALSE(a.SetSortOrder(std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(a.IsSorted());
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(a.SetSortOrder(std::vector<int>{3, 1, 4, 2}));
    EXPECT_TRUE(a.IsSorted());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a.GetString(0, 1), QStringLiteral("30"));
    EXPECT_EQ(a.SortOrder(), (std::vector<int>{3, 1, 4, 2}));
    for (int st = 1; st <= 4; ++st)
        EXPECT_EQ(a.GetSortOrder(a.PresentedRow(st)), st);

    // Refused: wrong length, a row twice, rows outside; the order and the state stay.
    for (const std::vector<int> &bad :
         {std::vector<int>{1, 2, 3}, std::vector<int>{1, 2, 3, 4, 5}, std::vector<int>{1, 1, 2, 3},
          std::vector<int>{0, 1, 2, 3}, std::vector<int>{2, 3, 4, 5}, std::vector<int>{}}) {
        EXPECT_THROW(a.SetSortOrder(bad), EKROError);
        EXPECT_EQ(a.SortOrder(), (std::vector<int>{3, 1, 4, 2}));
    }
    EXPECT_EQ(changes, 1);

    // The row-by-row setter keeps working from a whole order, and UnSort restores the stored one.
    a.SetSortOrder(1, 2);
    EXPECT_EQ(a.SortOrder(), (std::vector<int>{2, 1, 4, 3}));
    EXPECT_EQ(a.PresentedRow(3), 4);
    a.UnSort();
    EXPECT_EQ(a.GetString(0, 1), QStringLiteral("10"));
    EXPECT_EQ(a.PresentedRow(0), 0);
    EXPECT_EQ(a.PresentedRow(5), 0);
    EXPECT_EQ(a.PresentedRow(2), 2);
}

TEST(StringArrayOrder, SortedRecordsOrderAsSortDoes)
{
    // Mixed kinds, ties broken by a second column, duplicates keeping their given order.
    std::mt19937 gen(5);
    const QStringList pool = {"b",     "A",     "a",  "10",  "9,5", "2024-01-02", "",      "  ",
                              "zebra", "Zebra", "-1", "1e3", "x1",  "2023-12-31", "\xB5m", "Mm"};
    TStringArray a;
    a.Resize(1, 200);
    for (int r = 1; r <= 200; ++r) {
        a.SetString(0, r, QString::fromLatin1(pool[int(gen() % pool.size())].toLatin1()));
        a.SetString(1, r, QString::number(gen() % 5));
    }
    for (const QLocale &loc : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        a.SetSortLocale(loc);
        for (const bool ascending : {true, false}) {
            std::vector<int> every(200);
            std::iota(every.begin(), every.end(), 1);
            std::shuffle(every.begin(), every.end(), gen);
            // Sort from the same starting order as the record list, then compare.
            a.SetSortOrder(every);
            a.Sort(0, 1, ascending);
            EXPECT_EQ(a.SortedRecords(every, 0, 1, ascending), a.SortOrder());
            // A part of the records: the order Sort gave, restricted to them.
            const std::vector<int> part(every.begin(), every.begin() + 70);
            std::vector<int> expected;
            for (const int st : a.SortOrder())
                if (std::find(part.begin(), part.end(), st) != part.end()) expected.push_back(st);
            EXPECT_EQ(a.SortedRecords(part, 0, 1, ascending), expected);
        }
    }
    const std::vector<int> orderBefore = a.SortOrder();
    EXPECT_EQ(a.SortedRecords({3, 1, 2}, 5, -1, true), (std::vector<int>{3, 1, 2})); // no such column
    EXPECT_TRUE(a.SortedRecords({}, 0, -1, true).empty());
    EXPECT_THROW(a.SortedRecords({1, 201}, 0, -1, true), EKROError);
    EXPECT_THROW(a.SortedRecords({0}, 0, -1, true), EKROError);
    EXPECT_EQ(a.SortOrder(), orderBefore);
}

TEST(StringArrayOrder, AttributeBitsOverARangeOfPresentedRows)
{
    TStringArray a;
    a.Resize(0, 5);
    for (int r = 1; r <= 5; ++r)
        a.SetRowAttrib(r, quint8(0x10 * r));
    a.SetSortOrder(std::vector<int>{5, 4, 3, 2, 1});
    a.SetRowAttribBits(0, 2, 0x01, true); // clamped to rows 1..2, presented (stored 5 and 4)
    a.SetRowAttribBits(4, 9, 0x20, false);
    a.UnSort();
    EXPECT_EQ(a.GetRowAttrib(5), 0x51);
    EXPECT_EQ(a.GetRowAttrib(4), 0x41);
    EXPECT_EQ(a.GetRowAttrib(3), 0x30);
    EXPECT_EQ(a.GetRowAttrib(2), 0x00); // 0x20 cleared
    EXPECT_EQ(a.GetRowAttrib(1), 0x10);
    a.SetRowAttribBits(3, 2, 0xFF, true); // an empty range
    EXPECT_EQ(a.GetRowAttrib(3), 0x30);
}
