#include <krogui/data/datatable.h>
#include <krogui/core/error.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace kro;

namespace {

// A 3 x 4 table whose element (c, r) is 10 c + r, with named columns and rows.
void FillSample(TDataTable &T)
{
    T.Resize(3, 4);
    for (int c = 1; c <= 3; ++c) {
        T.SetColName(c, QStringLiteral("C%1").arg(c));
        T.SetColAttrib(c, c);
        for (int r = 1; r <= 4; ++r)
            T.SetElem(c, r, 10 * c + r);
    }
    for (int r = 1; r <= 4; ++r)
        T.SetRowName(r, QStringLiteral("R%1").arg(r));
}

std::vector<double> ColumnValues(const TDataTable &T, int Col)
{
    std::vector<double> v;
    for (int r = 1; r <= T.NrOfRows(); ++r)
        v.push_back(T.GetElem(Col, r));
    return v;
}

std::vector<double> RowValues(const TDataTable &T, int Row)
{
    std::vector<double> v;
    for (int c = 1; c <= T.NrOfColumns(); ++c)
        v.push_back(T.GetElem(c, Row));
    return v;
}

} // namespace

TEST(DataTable, ResizeKeepsContentsAndRefusalChangesNothing)
{
    TDataTable t;
    FillSample(t);
    t.SetCellState(2, 2, dtsMarkedA);
    t.SetMScaleType(3, mstNominal);
    t.SetNominalID(3, 2, QStringLiteral("two"));
    std::vector<std::vector<int>> resizes;
    int changes = 0;
    t.SetOnResize([&](QObject *, int oc, int orr, int nc, int nr) { resizes.push_back({oc, orr, nc, nr}); });
    t.SetOnChange([&](QObject *) { ++changes; });

    t.Resize(4, 2);
    EXPECT_EQ(resizes, (std::vector<std::vector<int>>{{3, 4, 4, 2}}));
    EXPECT_EQ(ColumnValues(t, 2), (std::vector<double>{21, 22}));
    EXPECT_EQ(t.GetCellState(2, 2), dtsMarkedA);
    EXPECT_EQ(t.GetNominalID(3, 2), QStringLiteral("two"));
    t.Resize(4, 4);

    const int big = std::numeric_limits<int>::max();
    for (auto [c, r] : {std::pair{-1, 2}, {2, -3}, {big, big}, {100000, 100000000}}) {
        EXPECT_THROW(t.Resize(c, r), EKROError) << c << " x " << r;
        EXPECT_EQ(t.NrOfColumns(), 4);
        EXPECT_EQ(t.NrOfRows(), 4);
        EXPECT_EQ(ColumnValues(t, 2), (std::vector<double>{21, 22, 0, 0}));
        EXPECT_EQ(t.GetColName(1), QStringLiteral("C1"));
    }
    EXPECT_EQ(resizes.size(), 2u);
    EXPECT_EQ(changes, 0);
    // Outside the table: neutral answers, ignored writes.
    t.SetElem(5, 1, 3);
    t.SetColName(5, QStringLiteral("x"));
    EXPECT_EQ(t.GetElem(5, 1), 0.0);
    EXPECT_FALSE(t.GetIsNumber(1, 5));
    EXPECT_EQ(changes, 0);
}

TEST(DataTable, InsertAndRemoveInTheMiddle)
{
    TDataTable t;
    FillSample(t);
    std::vector<std::vector<int>> events; // {0, sizes...} for resize, {1} for change
    t.SetOnResize([&](QObject *, int oc, int orr, int nc, int nr) {
        events.push_back({0, oc, orr, nc, nr});
    });
    t.SetOnChange([&](QObject *) { events.push_back({1}); });

    t.InsertColumn(2);
    t.InsertRow(3);
    EXPECT_EQ(events, (std::vector<std::vector<int>>{{0, 3, 4, 4, 4}, {1}, {0, 4, 4, 4, 5}, {1}}));
    EXPECT_EQ(ColumnValues(t, 3), (std::vector<double>{21, 22, 0, 23, 24}));
    EXPECT_EQ(t.GetColAttrib(3), 2);
    EXPECT_EQ(t.GetRowName(4), QStringLiteral("R3"));

    t.RemoveColumn(1);
    t.RemoveRow(1);
    EXPECT_EQ(RowValues(t, 1), (std::vector<double>{0, 22, 32}));
    // Appending and out-of-range indices.
    t.InsertColumn(4);
    t.InsertRow(6);
    t.RemoveColumn(0);
    t.RemoveRow(5);
    EXPECT_EQ(t.NrOfColumns(), 4);
    EXPECT_EQ(t.NrOfRows(), 4);
    EXPECT_EQ(events.size(), 10u);
}

TEST(DataTable, MarkOperationsKeepTheOtherStateBits)
{
    TDataTable t;
    t.Resize(2, 2);
    t.SetCellState(1, 1, dtsMarkedA | 0x04);
    t.SetCellState(2, 1, dtsMarkedB | dtsEmpty);
    t.SetCellState(1, 2, dtsMarkedA | dtsMarkedB | dtsInvalid | 0x20);
    t.SetCellState(2, 2, 0x08);
    int changes = 0;
    t.SetOnChange([&](QObject *) { ++changes; });

    t.ExchangeMarkings();
    EXPECT_EQ(t.GetCellState(1, 1), dtsMarkedB | 0x04);
    EXPECT_EQ(t.GetCellState(2, 1), dtsMarkedA | dtsEmpty);
    EXPECT_EQ(t.GetCellState(1, 2), dtsMarkedA | dtsMarkedB | dtsInvalid | 0x20);
    EXPECT_EQ(t.GetCellState(2, 2), 0x08);

    t.InvertCellStates(dtsMarkedA | 0x08);
    EXPECT_EQ(t.GetCellState(1, 1), dtsMarkedA | dtsMarkedB | 0x04 | 0x08);
    EXPECT_EQ(t.GetCellState(2, 1), dtsEmpty | 0x08);
    EXPECT_EQ(t.GetCellState(2, 2), dtsMarkedA);

    // Filling makes the cells numbers but keeps marks and free bits.
    t.SetElem(2, 1, 7);
    EXPECT_EQ(t.FillMarkedCells(2.5, dtsMarkedB), 2);
    EXPECT_EQ(t.GetElem(1, 1), 2.5);
    EXPECT_EQ(t.GetElem(1, 2), 2.5);
    EXPECT_EQ(t.GetElem(2, 1), 7.0);
    EXPECT_EQ(t.GetCellState(1, 2), dtsMarkedB | 0x20 | 0x08);
    EXPECT_EQ(t.FillMarkedCells(1, 0), 0);
    EXPECT_EQ(t.FillMarkedCells(1, dtsEmpty), 1);
    EXPECT_TRUE(t.GetIsNumber(2, 1));

    t.UnmarkAllCells();
    EXPECT_EQ(t.GetCellState(1, 1), 0x04 | 0x08);
    EXPECT_EQ(t.GetCellState(1, 2), 0x20 | 0x08);
    EXPECT_EQ(t.GetCellState(2, 1), 0x08);
    EXPECT_EQ(changes, 6); // FillMarkedCells with nothing to fill stays quiet
}

TEST(DataTable, NamesScaleTypesAndNominalIDs)
{
    TDataTable t;
    t.Resize(2, 1);
    int changes = 0, setups = 0;
    t.SetOnChange([&](QObject *) { ++changes; });
    t.SetOnChangeSetup([&](QObject *) { ++setups; });
    t.SetColName(1, QString(60, QLatin1Char('n')));
    EXPECT_EQ(t.GetColName(1).size(), TDataTable::MaxNameLength);
    t.SetColName(1, QString(60, QLatin1Char('n'))); // same after cutting: no change
    EXPECT_EQ(changes, 1);
    t.SetRowName(1, QStringLiteral("Row"));
    EXPECT_EQ(t.FindRowIndex(QStringLiteral("row"), true), 1);
    EXPECT_EQ(t.FindRowIndex(QStringLiteral("row")), 0);

    t.SetMScaleType(2, mstOrdinal);
    t.SetMScaleType(2, 7); // not a type: ignored
    EXPECT_EQ(t.GetMScaleType(2), mstOrdinal);
    t.SetNominalID(2, 1, QStringLiteral("low"));
    t.SetNominalID(2, 3, QStringLiteral("High-and-mighty"));
    t.SetNominalID(2, 51, QStringLiteral("x"));
    EXPECT_EQ(t.GetNominalID(2, 3), QStringLiteral("High-and-m"));
    EXPECT_EQ(t.GetNominalID(2, 2), QString());
    EXPECT_EQ(t.GetNominalID(2, 51), QString());
    EXPECT_EQ(t.OrdinalOfNominalID(2, QStringLiteral("LOW"), true), 1);
    EXPECT_EQ(t.OrdinalOfNominalID(2, QStringLiteral("LOW"), false), 0);
    EXPECT_EQ(t.OrdinalOfNominalID(2, QStringLiteral(" high-and-m "), true), 3);
    EXPECT_EQ(t.OrdinalOfNominalID(2, QString(), true), 0);
    EXPECT_EQ(t.OrdinalOfNominalID(1, QStringLiteral("low"), true), 0);
    EXPECT_EQ(setups, 3);
    EXPECT_EQ(QString(MScaleTypeNames[mstOrdinal]) + ':' + QString::number(51), QStringLiteral("ordinal:51"));

    // Mirroring carries names and settings with their columns.
    t.MirrorColumns();
    EXPECT_EQ(t.GetMScaleType(1), mstOrdinal);
    EXPECT_EQ(t.GetNominalID(1, 1), QStringLiteral("low"));
    EXPECT_EQ(t.GetColName(2).size(), TDataTable::MaxNameLength);

    t.SetFComment(QStringLiteral("note"));
    t.Clear();
    EXPECT_EQ(t.GetNominalID(1, 1), QString());
    EXPECT_EQ(t.GetMScaleType(1), mstUndefined);
    EXPECT_TRUE(t.Comment().isEmpty());
    EXPECT_EQ(t.NrOfColumns(), 2);
}

TEST(DataTable, BlockSortsReportTheirExchanges)
{
    TDataTable t;
    t.Resize(3, 6);
    const double values[6] = {5, 1, 4, 1, 9, 2};
    for (int r = 1; r <= 6; ++r) {
        t.SetElem(1, r, values[r - 1]);
        t.SetElem(2, r, r);
        t.SetElem(3, r, 100 + r);
        t.SetRowName(r, QStringLiteral("R%1").arg(r));
    }
    t.SetCellState(1, 3, dtsEmpty); // the 4 is blank: sorts after the numbers
    std::vector<int> rows;
    for (int r = 1; r <= 6; ++r)
        rows.push_back(r);
    std::vector<int> percents;
    t.SetOnBeforeSortExchange([&](QObject *, int What, int A, int B) {
        EXPECT_EQ(What, 0);
        std::swap(rows[size_t(A - 1)], rows[size_t(B - 1)]);
    });
    t.SetOnPercentDone([&](QObject *, int P) { percents.push_back(P); });

    // Rows 2..6 of columns 1..2, by column 1; column 3 and row 1 stay.
    t.SortRows(1, true, 1, 2, 2, 6, false);
    EXPECT_EQ(ColumnValues(t, 1), (std::vector<double>{5, 1, 1, 2, 9, 4}));
    EXPECT_EQ(ColumnValues(t, 2), (std::vector<double>{1, 2, 4, 6, 5, 3}));
    EXPECT_EQ(ColumnValues(t, 3), (std::vector<double>{101, 102, 103, 104, 105, 106}));
    EXPECT_EQ(t.GetCellState(1, 6), dtsEmpty);
    EXPECT_EQ(t.GetRowName(3), QStringLiteral("R3")); // headers stayed
    EXPECT_EQ(rows, (std::vector<int>{1, 2, 4, 6, 5, 3}));
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));

    // Descending with headers, over the whole table; the tie (1, 1) keeps its order.
    t.SortRows(1, false, 1, 1, 3, 6, true);
    EXPECT_EQ(ColumnValues(t, 1), (std::vector<double>{4, 9, 5, 2, 1, 1}));
    EXPECT_EQ(ColumnValues(t, 2), (std::vector<double>{3, 5, 1, 6, 2, 4}));
    EXPECT_EQ(t.GetRowName(1), QStringLiteral("R6"));

    // Columns by one row, reported with What = 1.
    TDataTable u;
    u.Resize(4, 2);
    const double row1[4] = {3, 1, 2, 1};
    for (int c = 1; c <= 4; ++c) {
        u.SetElem(c, 1, row1[c - 1]);
        u.SetElem(c, 2, c);
        u.SetColName(c, QStringLiteral("c%1").arg(c));
    }
    std::vector<int> cols{1, 2, 3, 4};
    u.SetOnBeforeSortExchange([&](QObject *, int What, int A, int B) {
        EXPECT_EQ(What, 1);
        std::swap(cols[size_t(A - 1)], cols[size_t(B - 1)]);
    });
    u.SortCols(1, true, 4, 1, 1, 2, true); // a reversed block is normalised
    EXPECT_EQ(RowValues(u, 2), (std::vector<double>{2, 4, 3, 1}));
    EXPECT_EQ(cols, (std::vector<int>{2, 4, 3, 1}));
    EXPECT_EQ(u.GetColName(1), QStringLiteral("c2"));
    u.SortColNames(true, true, 1, 1, 4, 2);
    EXPECT_EQ(RowValues(u, 2), (std::vector<double>{1, 2, 3, 4}));
    u.SetColAttrib(1, 9);
    u.SortColAttributes(false, 1, 1, 4, 2);
    EXPECT_EQ(u.GetColAttrib(1), 9);
    EXPECT_EQ(RowValues(u, 2), (std::vector<double>{1, 2, 3, 4}));
    u.SortCols(5, true, 1, 1, 4, 2, true); // sort row outside: nothing
    u.SortCols(1, true, 5, 3, 9, 9, true); // block outside: nothing
    EXPECT_EQ(RowValues(u, 2), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(cols, (std::vector<int>{1, 2, 3, 4}));
}

TEST(DataTable, HandlerResizingDuringASortStopsIt)
{
    TDataTable t;
    t.Resize(1, 5);
    for (int r = 1; r <= 5; ++r)
        t.SetElem(1, r, 6 - r);
    t.SetOnBeforeSortExchange([&](QObject *, int, int, int) { t.Resize(1, 2); });
    t.SortRows(1, true, 1, 1, 1, 5, true);
    EXPECT_EQ(ColumnValues(t, 1), (std::vector<double>{5, 4}));
    t.SetOnBeforeSortExchange(nullptr);
    t.SetOnPercentDone([&](QObject *, int) { t.Resize(0, 0); });
    t.SortRows(1, true, 1, 1, 1, 2, true);
    EXPECT_EQ(t.NrOfRows(), 0);
}

TEST(DataTable, AssignCopiesEverything)
{
    TDataTable a, b;
    FillSample(a);
    a.SetCellState(1, 1, dtsInvalid);
    a.SetMScaleType(2, mstNominal);
    a.SetNominalID(2, 4, QStringLiteral("four"));
    a.SetFComment(QStringLiteral("comment"));
    b.Resize(1, 1);
    std::vector<int> resized;
    b.SetOnResize([&](QObject *, int oc, int orr, int nc, int nr) { resized = {oc, orr, nc, nr}; });
    b.Assign(&a);
    EXPECT_EQ(resized, (std::vector<int>{1, 1, 3, 4}));
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(ColumnValues(b, c), ColumnValues(a, c));
    EXPECT_EQ(b.GetCellState(1, 1), dtsInvalid);
    EXPECT_EQ(b.GetNominalID(2, 4), QStringLiteral("four"));
    EXPECT_EQ(b.GetRowName(4), QStringLiteral("R4"));
    EXPECT_EQ(b.Comment(), QStringLiteral("comment"));
    a.SetElem(1, 1, -1); // independent copies
    EXPECT_EQ(b.GetElem(1, 1), 11.0);
}

// Random shape operations against a model of columns of (value, state) with names.
TEST(DataTable, RandomShapeOperationsMatchAModel)
{
    struct Col
    {
        QString Name;
        std::vector<std::pair<double, int>> Cells;
    };
    std::vector<Col> model;
    std::vector<QString> rowNames;
    TDataTable t;
    std::mt19937 rng(7);
    auto rnd = [&](int N) { return int(rng() % unsigned(N)); };
    int serial = 0;
    for (int step = 0; step < 2000; ++step) {
        const int nc = int(model.size()), nr = int(rowNames.size());
        switch (rnd(8)) {
        case 0: { // insert column
            const int ix = 1 + rnd(nc + 1);
            t.InsertColumn(ix);
            model.insert(model.begin() + (ix - 1),
                         Col{QString(), std::vector<std::pair<double, int>>(size_t(nr))});
            break;
        }
        case 1: { // insert row
            const int ix = 1 + rnd(nr + 1);
            t.InsertRow(ix);
            rowNames.insert(rowNames.begin() + (ix - 1), QString());
            for (Col &c : model)
                c.Cells.insert(c.Cells.begin() + (ix - 1), {0.0, 0});
            break;
        }
        case 2:
            if (nc > 0) {
                const int ix = 1 + rnd(nc);
                t.RemoveColumn(ix);
                model.erase(model.begin() + (ix - 1));
            }
            break;
        case 3:
            if (nr > 0) {
                const int ix = 1 + rnd(nr);
                t.RemoveRow(ix);
                rowNames.erase(rowNames.begin() + (ix - 1));
                for (Col &c : model)
                    c.Cells.erase(c.Cells.begin() + (ix - 1));
            }
            break;
        case 4: { // resize
            const int c2 = rnd(6), r2 = rnd(6);
            t.Resize(c2, r2);
            model.resize(size_t(c2));
            rowNames.resize(size_t(r2));
            for (Col &c : model)
                c.Cells.resize(size_t(r2), {0.0, 0});
            break;
        }
        case 5: // mirror
            if (rnd(2)) {
                t.MirrorColumns();
                std::reverse(model.begin(), model.end());
            } else {
                t.MirrorRows();
                std::reverse(rowNames.begin(), rowNames.end());
                for (Col &c : model)
                    std::reverse(c.Cells.begin(), c.Cells.end());
            }
            break;
        default: // write a cell and names
            if (nc > 0 && nr > 0) {
                const int c = 1 + rnd(nc), r = 1 + rnd(nr);
                const double v = ++serial;
                const int s = rnd(256);
                t.SetElem(c, r, v);
                t.SetCellState(c, r, quint8(s));
                t.SetColName(c, QString::number(serial));
                t.SetRowName(r, QString::number(-serial));
                model[size_t(c - 1)].Cells[size_t(r - 1)] = {v, s};
                model[size_t(c - 1)].Name = QString::number(serial);
                rowNames[size_t(r - 1)] = QString::number(-serial);
            }
            break;
        }
        ASSERT_EQ(t.NrOfColumns(), int(model.size())) << step;
        ASSERT_EQ(t.NrOfRows(), int(rowNames.size())) << step;
        for (int c = 1; c <= t.NrOfColumns(); ++c) {
            ASSERT_EQ(t.GetColName(c), model[size_t(c - 1)].Name) << step;
            for (int r = 1; r <= t.NrOfRows(); ++r) {
                ASSERT_EQ(t.GetElem(c, r), model[size_t(c - 1)].Cells[size_t(r - 1)].first) << step;
                ASSERT_EQ(t.GetCellState(c, r), model[size_t(c - 1)].Cells[size_t(r - 1)].second) << step;
            }
        }
        for (int r = 1; r <= t.NrOfRows(); ++r)
            ASSERT_EQ(t.GetRowName(r), rowNames[size_t(r - 1)]) << step;
    }
}
