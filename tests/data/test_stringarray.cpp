#include <krogui/core/error.h>
#include <krogui/data/stringarray.h>

#include <gtest/gtest.h>

#include <QCollator>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <random>
#include <type_traits>
#include <vector>

using namespace kro;

namespace {

// Fills column Col, rows 1.., with Values.
void FillColumn(TStringArray &A, int Col, const QStringList &Values)
{
    for (int r = 0; r < Values.size(); ++r)
        A.SetString(Col, r + 1, Values[r]);
}

QStringList Column(const TStringArray &A, int Col)
{
    QStringList out;
    for (int r = 1; r <= A.NrOfRows(); ++r)
        out << A.GetString(Col, r);
    return out;
}

TStringArray *MakeArray(int Cols, const QStringList &Col0)
{
    auto *a = new TStringArray;
    a->Resize(Cols, int(Col0.size()));
    FillColumn(*a, 0, Col0);
    return a;
}

} // namespace

TEST(StringArray, CellsOutOfRangeAndLengthLimits)
{
    TStringArray a;
    EXPECT_EQ(a.NrOfColumns(), 0);
    EXPECT_EQ(a.NrOfRows(), 0);
    a.Resize(2, 3);
    a.SetString(1, 2, QStringLiteral("hello"));
    EXPECT_EQ(a.GetString(1, 2), QStringLiteral("hello"));
    // Outside: neutral results, writes ignored.
    for (auto [c, r] : {std::pair{-1, 1}, {3, 1}, {0, 0}, {0, 4}, {0, -5}}) {
        a.SetString(c, r, QStringLiteral("x"));
        EXPECT_TRUE(a.GetString(c, r).isEmpty());
        EXPECT_EQ(a.GetAsNumber(c, r), 0.0);
    }
    for (int r : {0, 4, -5}) {
        a.SetRowAttrib(r, 7);
        EXPECT_EQ(a.GetRowAttrib(r), 0);
    }
    a.SetColAttrib(3, 9);
    EXPECT_EQ(a.GetColAttrib(3), 0);
    EXPECT_EQ(a.GetSortOrder(4), 0);

    // 255 characters at most; a surrogate pair is never split.
    const QString longLatin(300, QLatin1Char('a'));
    a.SetString(0, 1, longLatin);
    EXPECT_EQ(a.GetString(0, 1), longLatin.left(255));
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    const QString wide = QString(254, QLatin1Char('b')) + pair;
    a.SetString(0, 1, wide);
    EXPECT_EQ(a.GetString(0, 1), QString(254, QLatin1Char('b')));
    const QString mixed = QString::fromUtf8("Zürich – 東京 ") + pair;
    a.SetString(2, 3, mixed);
    EXPECT_EQ(a.GetString(2, 3), mixed);
    EXPECT_EQ(a.GetLength(2, 3), mixed.size());
    a.SetString(2, 3, QString());
    EXPECT_TRUE(a.GetString(2, 3).isEmpty());
}

TEST(StringArray, GetAsNumberReadsNumbersOnly)
{
    TStringArray a;
    a.Resize(0, 9);
    FillColumn(
        a, 0,
        {"12", " -0,5 ", "+3.25e-4", ".5", "1e999", "12 kg", "1.2.3", "2024-01-05", QString::fromUtf8("٣")});
    EXPECT_EQ(a.GetAsNumber(0, 1), 12.0);
    EXPECT_EQ(a.GetAsNumber(0, 2), -0.5);
    EXPECT_DOUBLE_EQ(a.GetAsNumber(0, 3), 3.25e-4);
    EXPECT_EQ(a.GetAsNumber(0, 4), 0.5);
    for (int r = 5; r <= 9; ++r)
        EXPECT_EQ(a.GetAsNumber(0, r), 0.0) << r;
}

TEST(StringArray, OverwritingKeepsStorageBounded)
{
    TStringArray a;
    a.Resize(1, 50);
    for (int i = 0; i < 20000; ++i)
        a.SetString(i % 2, 1 + i % 50, QString(100 + i % 100, QChar(u'a' + i % 26)));
    EXPECT_LT(a.StorageBytes(), 200u * 1024);
    // The contents survived every compaction.
    for (int i = 20000 - 50; i < 20000; ++i)
        EXPECT_EQ(a.GetString(i % 2, 1 + i % 50), QString(100 + i % 100, QChar(u'a' + i % 26)));
}

TEST(StringArray, SortNumbersDatesTextsAndBlanks)
{
    std::unique_ptr<TStringArray> a(
        MakeArray(0, {"banana", "10", "", "2024-03-01", "-2,5", "Apple", "  ", "9", "2023-12-31 23:59",
                      "apple", "1e1", "2024-03-01T00:00:01"}));
    a->Sort(0, -1, true);
    EXPECT_EQ(Column(*a, 0), QStringList({"-2,5", "9", "10", "1e1", "2023-12-31 23:59", "2024-03-01",
                                          "2024-03-01T00:00:01", "Apple", "apple", "banana", "", "  "}));
    // Descending is the mirror, with equal cells still in their previous order.
    a->Sort(0, -1, false);
    EXPECT_EQ(Column(*a, 0), QStringList({"", "  ", "banana", "Apple", "apple", "2024-03-01T00:00:01",
                                          "2024-03-01", "2023-12-31 23:59", "10", "1e1", "9", "-2,5"}));
    // Invalid dates and times are texts.
    std::unique_ptr<TStringArray> b(MakeArray(0, {"2023-02-29", "zz", "2024-02-29", "2024-01-01 24:00"}));
    b->Sort(0, -1, true);
    EXPECT_EQ(Column(*b, 0), QStringList({"2024-02-29", "2023-02-29", "2024-01-01 24:00", "zz"}));
}

TEST(StringArray, SortTextIsLocaleAwareAndCaseBlind)
{
    std::unique_ptr<TStringArray> a(
        MakeArray(0, {"Zebra", QString::fromUtf8("Äpfel"), "banane", "BANANE", "apfel"}));
    a->SetSortLocale(QLocale(QLocale::German, QLocale::Germany));
    a->Sort(0, -1, true);
    EXPECT_EQ(Column(*a, 0), QStringList({"apfel", QString::fromUtf8("Äpfel"), "banane", "BANANE", "Zebra"}));
    // Case-blind also in the C locale.
    std::unique_ptr<TStringArray> b(MakeArray(0, {"b", "A", "a", "B"}));
    b->SetSortLocale(QLocale::c());
    b->Sort(0, -1, true);
    EXPECT_EQ(Column(*b, 0), QStringList({"A", "a", "b", "B"}));
}

TEST(StringArray, SortTextAgreesWithTheCollatorOnManyTexts)
{
    // Plain letters (code-unit order is the collation order) and the same with texts mixed in
    // that the collation places elsewhere: accents, punctuation, case twins, a wide character.
    std::mt19937 gen(7);
    QStringList plain;
    for (int i = 0; i < 400; ++i) {
        QString w;
        const int len = 1 + int(gen() % 6);
        for (int k = 0; k < len; ++k)
            w += QChar(char16_t((gen() % 2 ? u'a' : u'A') + gen() % 5));
        plain << w;
    }
    QStringList mixed = plain;
    for (const char16_t *t : {u"\u00c4bc", u"a-b", u"ab", u"\u00e9a", u"Ea", u"e\u0301b", u"\u6771", u"a b"})
        mixed.insert(int(gen() % mixed.size()), QString::fromUtf16(t));
    for (const QStringList &texts : {plain, mixed}) {
        for (const QLocale &loc : {QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
            std::unique_ptr<TStringArray> a(MakeArray(0, texts));
            a->SetSortLocale(loc);
            a->Sort(0, -1, true);
            const QStringList got = Column(*a, 0);
            ASSERT_EQ(got.size(), texts.size());
            QCollator coll(loc);
            coll.setCaseSensitivity(Qt::CaseInsensitive);
            auto cmp = [&](const QString &A, const QString &B) {
                return coll.compare(A.toCaseFolded(), B.toCaseFolded());
            };
            QStringList sorted = got;
            std::sort(sorted.begin(), sorted.end());
            QStringList expected = texts;
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(sorted, expected); // nothing lost or doubled
            for (qsizetype i = 1; i < got.size(); ++i)
                EXPECT_LE(cmp(got[i - 1], got[i]), 0) << qPrintable(got[i - 1] + " / " + got[i]);
            // Equal texts keep their previous order (here: the original one).
            for (qsizetype i = 1; i < got.size(); ++i) {
                if (cmp(got[i - 1], got[i]) == 0) {
                    EXPECT_LT(texts.indexOf(got[i - 1]), texts.lastIndexOf(got[i]));
                }
            }
        }
    }
}

TEST(StringArray, SecondaryColumnAndStability)
{
    std::unique_ptr<TStringArray> a(MakeArray(2, {"x", "y", "x", "y", "x"}));
    FillColumn(*a, 1, {"3", "1", "1", "2", "3"});
    FillColumn(*a, 2, {"r1", "r2", "r3", "r4", "r5"});
    a->Sort(0, 1, true);
    EXPECT_EQ(Column(*a, 2), QStringList({"r3", "r1", "r5", "r2", "r4"}));
    a->Sort(0, 1, false);
    EXPECT_EQ(Column(*a, 2), QStringList({"r4", "r2", "r1", "r5", "r3"}));
    // Without a secondary column (or with an invalid one) ties keep the presented order.
    a->Sort(0, 7, true);
    EXPECT_EQ(Column(*a, 2), QStringList({"r1", "r5", "r3", "r4", "r2"}));
    // A primary column outside the array sorts nothing.
    a->Sort(3, -1, true);
    EXPECT_EQ(Column(*a, 2), QStringList({"r1", "r5", "r3", "r4", "r2"}));
    a->UnSort();
    EXPECT_EQ(Column(*a, 2), QStringList({"r1", "r2", "r3", "r4", "r5"}));
    EXPECT_FALSE(a->IsSorted());
}

TEST(StringArray, AttributesAndRecordsFollowSortInsertRemove)
{
    std::unique_ptr<TStringArray> a(MakeArray(0, {"c", "a", "b"}));
    a->SetRowAttrib(1, 0x80); // "c"
    a->SetRowAttrib(3, 0x40); // "b"
    a->SetColAttrib(0, 0x80);
    a->Sort(0, -1, true);
    EXPECT_EQ(Column(*a, 0), QStringList({"a", "b", "c"}));
    EXPECT_EQ(a->GetRowAttrib(2), 0x40);
    EXPECT_EQ(a->GetRowAttrib(3), 0x80);
    EXPECT_EQ(a->GetSortOrder(1), 2); // "a" is stored second
    EXPECT_EQ(a->GetColAttrib(0), 0x80);

    // Insert under the sort order: presented where asked, stored before the record it precedes.
    a->InsertRow(3); // before "c"
    a->SetString(0, 3, QStringLiteral("new"));
    EXPECT_EQ(Column(*a, 0), QStringList({"a", "b", "new", "c"}));
    EXPECT_EQ(a->GetRowAttrib(3), 0);
    EXPECT_EQ(a->GetRowAttrib(4), 0x80);
    a->RemoveRow(2); // "b" with its attribute
    EXPECT_EQ(Column(*a, 0), QStringList({"a", "new", "c"}));
    EXPECT_EQ(a->GetRowAttrib(3), 0x80);
    a->UnSort();
    EXPECT_EQ(Column(*a, 0), QStringList({"new", "c", "a"}));
    EXPECT_EQ(a->GetRowAttrib(2), 0x80);

    // After CommitSorting the presented order is the stored one.
    a->Sort(0, -1, false);
    a->CommitSorting();
    EXPECT_FALSE(a->IsSorted());
    a->InsertRow(4);
    a->SetString(0, 4, QStringLiteral("end"));
    a->RemoveRow(1);
    a->UnSort();
    EXPECT_EQ(Column(*a, 0), QStringList({"c", "a", "end"}));
    EXPECT_EQ(a->GetRowAttrib(1), 0x80);
    EXPECT_EQ(a->GetSortOrder(2), 2);
    // Out-of-range inserts and removals do nothing.
    a->InsertRow(0);
    a->InsertRow(5);
    a->RemoveRow(4);
    EXPECT_EQ(a->NrOfRows(), 3);
}

TEST(StringArray, SetSortOrderReproducesACopiedOrder)
{
    std::unique_ptr<TStringArray> src(MakeArray(1, {"d", "b", "e", "a", "c"}));
    src->Sort(0, -1, true);
    TStringArray dst;
    dst.Resize(1, 5);
    // Each record at its stored position, then the order entries row by row.
    for (int r = 1; r <= 5; ++r)
        dst.SetString(0, src->GetSortOrder(r), src->GetString(0, r));
    for (int r = 1; r <= 5; ++r)
        dst.SetSortOrder(r, src->GetSortOrder(r));
    EXPECT_EQ(Column(dst, 0), Column(*src, 0));
    dst.UnSort();
    src->UnSort();
    EXPECT_EQ(Column(dst, 0), Column(*src, 0));
    dst.SetSortOrder(1, 9); // outside: ignored
    EXPECT_FALSE(dst.IsSorted());

    // Assign copies cells, attributes and the order at once.
    src->SetRowAttrib(2, 5);
    src->Sort(0, -1, false);
    TStringArray copy;
    copy.Assign(src.get());
    EXPECT_EQ(Column(copy, 0), Column(*src, 0));
    EXPECT_EQ(copy.GetRowAttrib(4), src->GetRowAttrib(4));
    copy.UnSort();
    EXPECT_EQ(copy.GetString(0, 1), QStringLiteral("d"));
    EXPECT_EQ(copy.GetRowAttrib(2), 5);
}

TEST(StringArray, NotificationsFireAsDocumented)
{
    std::unique_ptr<TStringArray> a(MakeArray(0, {"c", "a", "d", "b"}));
    int changes = 0;
    std::vector<std::pair<int, int>> exchanges;
    std::vector<int> percents;
    a->SetOnChange([&](QObject *Sender) {
        EXPECT_EQ(Sender, a.get());
        ++changes;
    });
    a->SetOnBeforeSortExchange([&](QObject *, int What, int R1, int R2) {
        EXPECT_EQ(What, 0);
        exchanges.emplace_back(R1, R2);
    });
    a->SetOnPercentDone([&](QObject *, int P) { percents.push_back(P); });

    a->SetString(0, 1, QStringLiteral("c")); // unchanged text: no notification
    a->SetRowAttrib(1, 1);
    a->CommitSorting();
    EXPECT_EQ(changes, 0);
    a->SetString(0, 1, QStringLiteral("e"));
    EXPECT_EQ(changes, 1);

    QStringList mirror = Column(*a, 0);
    a->Sort(0, -1, true);
    EXPECT_EQ(changes, 2);
    ASSERT_FALSE(exchanges.empty());
    EXPECT_LE(exchanges.size(), 3u);
    for (auto [r1, r2] : exchanges)
        mirror.swapItemsAt(r1 - 1, r2 - 1);
    EXPECT_EQ(mirror, Column(*a, 0));
    ASSERT_GE(percents.size(), 2u);
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(std::adjacent_find(percents.begin(), percents.end()), percents.end());

    exchanges.clear();
    a->UnSort();
    for (auto [r1, r2] : exchanges)
        mirror.swapItemsAt(r1 - 1, r2 - 1);
    EXPECT_EQ(mirror, Column(*a, 0));
    EXPECT_EQ(changes, 3);
    a->UnSort(); // already unsorted
    EXPECT_EQ(changes, 3);
    a->InsertRow(1);
    a->RemoveRow(1);
    a->Resize(0, 4); // same size
    a->Resize(1, 4);
    a->Clear();
    EXPECT_EQ(changes, 7);
}

TEST(StringArray, HandlerTakingItselfAwayLetsTheSortFinish)
{
    std::unique_ptr<TStringArray> a(MakeArray(0, {"3", "1", "2"}));
    int calls = 0;
    a->SetOnBeforeSortExchange([&](QObject *, int, int, int) {
        ++calls;
        a->SetOnBeforeSortExchange(nullptr);
    });
    a->Sort(0, -1, false);
    a->Sort(0, -1, true);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Column(*a, 0), QStringList({"1", "2", "3"}));
    EXPECT_TRUE(a->IsSorted());
}

TEST(StringArray, HandlerChangingTheShapeStopsTheSort)
{
    std::unique_ptr<TStringArray> a(MakeArray(0, {"3", "1", "2"}));
    a->SetOnBeforeSortExchange([&](QObject *, int, int, int) { a->RemoveRow(1); });
    a->Sort(0, -1, true);
    EXPECT_EQ(Column(*a, 0), QStringList({"1", "2"}));
    EXPECT_FALSE(a->IsSorted());
    a->SetOnBeforeSortExchange(nullptr);
    a->SetOnPercentDone([&](QObject *, int P) {
        if (P == 0) a->Resize(0, 0);
    });
    a->Sort(0, -1, true);
    EXPECT_EQ(a->NrOfRows(), 0);
}

TEST(StringArray, RefusedResizeChangesNothing)
{
    std::unique_ptr<TStringArray> a(MakeArray(2, {"b", "c", "a"}));
    a->SetString(2, 3, QStringLiteral("z"));
    a->SetRowAttrib(1, 3);
    a->Sort(0, -1, true);
    int changes = 0;
    a->SetOnChange([&](QObject *) { ++changes; });
    const auto snapshot = [&] {
        QStringList s;
        for (int c = 0; c <= a->NrOfColumns(); ++c)
            s << Column(*a, c);
        for (int r = 1; r <= a->NrOfRows(); ++r)
            s << QString::number(a->GetSortOrder(r)) + ':' + QString::number(a->GetRowAttrib(r));
        return s;
    };
    const QStringList before = snapshot();
    const int big = std::numeric_limits<int>::max();
    for (auto [c, r] : {std::pair{-1, 3}, {2, -1}, {big, big}, {100000, 1000000000}}) {
        EXPECT_THROW(a->Resize(c, r), EKROError) << c << " x " << r;
        EXPECT_EQ(a->NrOfColumns(), 2);
        EXPECT_EQ(a->NrOfRows(), 3);
        EXPECT_TRUE(a->IsSorted());
        EXPECT_EQ(snapshot(), before);
    }
    EXPECT_EQ(changes, 0);
    try {
        a->Resize(big, big);
    } catch (const EKROError &e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("TStringArray.Resize")));
    }
}

// A model of the array: records in presented order and the stored order of their ids.
TEST(StringArray, RandomOperationsMatchAModel)
{
    struct Rec
    {
        int Id;
        QString Cell[3];
        quint8 Attr = 0;
    };
    std::vector<Rec> shown;
    std::vector<int> stored; // ids in stored order
    int nextId = 0;
    TStringArray a;
    a.Resize(2, 0);
    a.SetAllocRowsBy(7);
    std::mt19937 rng(12345);
    auto rnd = [&](int N) { return int(rng() % unsigned(N)); };
    auto indexOf = [&](int Id) { return int(std::find(stored.begin(), stored.end(), Id) - stored.begin()); };

    for (int step = 0; step < 3000; ++step) {
        const int n = int(shown.size());
        switch (rnd(10)) {
        case 0:
        case 1: { // write a cell: numbers in column 0, texts elsewhere
            if (n == 0) break;
            const int r = rnd(n), c = rnd(3);
            const QString v = c == 0 ? QString::number(rnd(20))
                                     : QString(rnd(40), QChar(rnd(3) == 0 ? u'\u6771' : u'a' + rnd(26)));
            a.SetString(c, r + 1, v);
            shown[size_t(r)].Cell[c] = v;
            break;
        }
        case 2: { // insert
            const int r = rnd(n + 1);
            const Rec rec{nextId++, {}, 0};
            stored.insert(r < n ? stored.begin() + indexOf(shown[size_t(r)].Id) : stored.end(), rec.Id);
            shown.insert(shown.begin() + r, rec);
            a.InsertRow(r + 1);
            break;
        }
        case 3: { // remove
            if (n == 0) break;
            const int r = rnd(n);
            stored.erase(stored.begin() + indexOf(shown[size_t(r)].Id));
            shown.erase(shown.begin() + r);
            a.RemoveRow(r + 1);
            break;
        }
        case 4: { // resize rows
            const int m = rnd(n + 5);
            if (m < n) {
                for (int r = m; r < n; ++r)
                    stored.erase(stored.begin() + indexOf(shown[size_t(r)].Id));
                shown.resize(size_t(m));
            } else {
                for (int r = n; r < m; ++r) {
                    shown.push_back(Rec{nextId, {}, 0});
                    stored.push_back(nextId++);
                }
            }
            a.Resize(2, m);
            break;
        }
        case 5: { // sort by the numbers of column 0, ascending or descending
            const bool asc = rnd(2) == 0;
            a.Sort(0, -1, asc);
            auto key = [](const Rec &R) { return R.Cell[0].isEmpty() ? 1000 : R.Cell[0].toInt(); };
            std::stable_sort(shown.begin(), shown.end(), [&](const Rec &X, const Rec &Y) {
                return asc ? key(X) < key(Y) : key(Y) < key(X);
            });
            break;
        }
        case 6: { // unsort
            a.UnSort();
            std::vector<Rec> byStore;
            for (int id : stored)
                byStore.push_back(
                    *std::find_if(shown.begin(), shown.end(), [&](const Rec &R) { return R.Id == id; }));
            shown = byStore;
            break;
        }
        case 7:
            a.CommitSorting();
            stored.clear();
            for (const Rec &r : shown)
                stored.push_back(r.Id);
            break;
        case 8: { // attribute
            if (n == 0) break;
            const int r = rnd(n);
            shown[size_t(r)].Attr = quint8(rnd(256));
            a.SetRowAttrib(r + 1, shown[size_t(r)].Attr);
            break;
        }
        case 9: { // set a sort-order entry (swap semantics)
            if (n == 0) break;
            const int r = rnd(n), v = rnd(n);
            a.SetSortOrder(r + 1, v + 1);
            const int id = stored[size_t(v)];
            const auto other =
                std::find_if(shown.begin(), shown.end(), [&](const Rec &R) { return R.Id == id; }) -
                shown.begin();
            std::swap(shown[size_t(r)], shown[size_t(other)]);
            break;
        }
        }
        ASSERT_EQ(a.NrOfRows(), int(shown.size())) << "step " << step;
        for (int r = 0; r < int(shown.size()); ++r) {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(a.GetString(c, r + 1), shown[size_t(r)].Cell[c]) << "step " << step;
            ASSERT_EQ(a.GetRowAttrib(r + 1), shown[size_t(r)].Attr) << "step " << step;
            ASSERT_EQ(a.GetSortOrder(r + 1), indexOf(shown[size_t(r)].Id) + 1) << "step " << step;
        }
    }
}

namespace {

// A cell's text through the in-place view, as a string.
QString ViewText(const TStringArray &A, int Col, int Row)
{
    const QAnyStringView v = A.GetStringView(Col, Row);
    bool utf8 = false;
    v.visit([&](auto s) { utf8 = std::is_same_v<decltype(s), QUtf8StringView>; });
    EXPECT_FALSE(utf8) << "col " << Col << " row " << Row;
    v.visit([&](auto s) {
        if constexpr (std::is_same_v<decltype(s), QStringView>) {
            EXPECT_EQ(quintptr(s.utf16()) % 2, 0u) << "UTF-16 units must be aligned";
        }
    });
    return v.toString();
}

// Every cell (and a margin outside) reads the same through GetString, GetStringView and
// ForEachInColumn.
void ExpectViewsMatch(const TStringArray &A)
{
    for (int c = -1; c <= A.NrOfColumns() + 1; ++c)
        for (int r = -1; r <= A.NrOfRows() + 1; ++r)
            ASSERT_EQ(ViewText(A, c, r), A.GetString(c, r)) << "col " << c << " row " << r;
    for (int c = 0; c <= A.NrOfColumns(); ++c) {
        int expected = 1;
        A.ForEachInColumn(c, [&](int Row, QAnyStringView V) {
            ASSERT_EQ(Row, expected++);
            ASSERT_EQ(V.toString(), A.GetString(c, Row)) << "col " << c << " row " << Row;
        });
        EXPECT_EQ(expected, A.NrOfRows() + 1);
    }
    int calls = 0;
    A.ForEachInColumn(A.NrOfColumns() + 1, [&](int, QAnyStringView) { ++calls; });
    A.ForEachInColumn(-1, [&](int, QAnyStringView) { ++calls; });
    EXPECT_EQ(calls, 0);
}

} // namespace

TEST(StringArray, ViewsReadWhatGetStringReads)
{
    TStringArray a;
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two units
    const QStringList col0 = {QStringLiteral("plain"),
                              QString(),
                              QString::fromUtf8("Zürich Genève"),    // Latin-1
                              QString::fromUtf8("σοφία"),            // UTF-16
                              QString(300, QLatin1Char('x')),        // cut to 255
                              QString(254, QLatin1Char('y')) + pair, // cut before the pair
                              QString(400, QChar(0x416)),            // wide and cut
                              QStringLiteral(" ")};
    a.Resize(2, int(col0.size()));
    FillColumn(a, 0, col0);
    for (int r = 1; r <= a.NrOfRows(); ++r)
        a.SetString(2, r, r % 2 ? pair + QString::number(r) : QString::number(r * 7));
    EXPECT_EQ(ViewText(a, 0, 5).size(), TStringArray::MaxStringLength);
    EXPECT_EQ(ViewText(a, 0, 6), QString(254, QLatin1Char('y')));
    EXPECT_TRUE(a.GetStringView(0, 2).isEmpty());
    EXPECT_TRUE(a.GetStringView(1, 1).isEmpty());
    ExpectViewsMatch(a);

    // Under a sort, after rows come and go, after an overwrite (which can move UTF-16 entries to
    // either parity of the pool) and in a copy.
    a.Sort(0, -1, false);
    ExpectViewsMatch(a);
    a.InsertRow(3);
    a.SetString(0, 3, QString::fromUtf8("ά"));
    a.RemoveRow(1);
    ExpectViewsMatch(a);
    TStringArray copy;
    copy.Assign(&a);
    a.Clear();
    ExpectViewsMatch(copy);
    ExpectViewsMatch(a);
}

TEST(StringArray, ViewsSurviveCompaction)
{
    // Entries of both kinds and odd lengths, overwritten until the pools are compacted several
    // times: the views must keep reading the current texts, UTF-16 units aligned.
    TStringArray a;
    a.Resize(1, 300);
    std::mt19937 rng(7);
    auto text = [&](int Len, bool Wide) {
        QString s;
        for (int i = 0; i < Len; ++i)
            s += Wide && i == 0 ? QChar(0x3B1 + int(rng() % 20)) : QChar('a' + int(rng() % 26));
        return s;
    };
    std::vector<QString> model(600);
    for (int round = 0; round < 40; ++round) {
        for (int k = 0; k < 200; ++k) {
            const int c = int(rng() % 2), r = 1 + int(rng() % 300);
            const QString v = text(int(rng() % 40), rng() % 3 == 0);
            a.SetString(c, r, v);
            model[size_t(c * 300 + r - 1)] = v;
        }
        for (int c = 0; c <= 1; ++c)
            for (int r = 1; r <= 300; ++r)
                ASSERT_EQ(ViewText(a, c, r), model[size_t(c * 300 + r - 1)]) << "round " << round;
    }
    EXPECT_LT(a.StorageBytes(), 100u * 1024); // so the pools were compacted on the way
    a.Resize(1, 100);                         // shrinking compacts too
    ExpectViewsMatch(a);
}
