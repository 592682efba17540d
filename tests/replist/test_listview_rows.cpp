// Row operations, column widths, filtering and copying of the report list view.
#include "listview_util.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetrics>

using namespace kro;
using namespace kro::test;

namespace {

// Name, city, amount.
void FillPeople(TReportListView &V)
{
    const char *rows[][3] = {{"Anna", "Bern", "12"},   {"Bruno", "Oslo", "7"},   {"Carla", "Basel", "30"},
                             {"Dora", "Oslo", "3"},    {"Emil", "Zürich", "18"}, {"Fritz", "Bern", "5"},
                             {"Greta", "Genève", "9"}, {"Hans", "Basel", "21"}};
    V.SetNrCols(3);
    V.SetNrRows(8);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 3; ++c)
            V.SetElem(c + 1, r + 1, QString::fromUtf8(rows[r][c]));
}

} // namespace

TEST(ListViewRows, RowOperationsActOnTheRowsAsShown)
{
    TTestView v(1, 4, false);
    for (int r = 1; r <= 4; ++r)
        v.SetElem(1, r, QString(QChar(u"cadb"[r - 1])));
    v.Sort(1, -1, true);
    ASSERT_EQ(v.ColumnTexts(1).join(QString()), QStringLiteral("abcd"));
    v.RemoveRow(1); // the "a" the user sees, not the first stored row
    EXPECT_EQ(v.ColumnTexts(1).join(QString()), QStringLiteral("bcd"));
    EXPECT_EQ(v.RowCount(), 4);
    EXPECT_EQ(v.LastSortColumn(), 1); // still in order, the arrow stays
    v.UnSort(); // the rows that remain come back in their original order
    EXPECT_EQ(v.ColumnTexts(1).join(QString()), QStringLiteral("cdb"));

    v.Sort(1, -1, false);
    EXPECT_EQ(v.InsertRow(2), 2); // an empty row between "d" and "c"
    EXPECT_EQ(v.ColumnTexts(1).join(QLatin1Char('|')), QStringLiteral("d||c|b"));
    EXPECT_EQ(v.LastSortColumn(), -1);
    EXPECT_EQ(v.SecondarySortColumn(), -1);
    EXPECT_EQ(v.InsertRow(99), 5);
    EXPECT_EQ(v.InsertRow(0), 0);
    EXPECT_EQ(v.NrOfRows(), 5);
    EXPECT_EQ(v.AddRow(), 6);
    v.RemoveEmptyRows();
    EXPECT_EQ(v.ColumnTexts(1).join(QLatin1Char('|')), QStringLiteral("d|c|b"));
    EXPECT_EQ(v.RowCount(), 4);
    v.RemoveRow(7);
    EXPECT_EQ(v.NrOfRows(), 3);
    for (int i = 0; i < 3; ++i)
        v.RemoveRow(1);
    EXPECT_EQ(v.NrOfRows(), 0);
    EXPECT_EQ(v.RowCount(), 2); // the header and one blank row
}

TEST(ListViewRows, FillAndClear)
{
    TTestView v(3, 3);
    v.SetColCheckMode(2, cmBox);
    v.SetElemChecked(2, 1, true);
    v.SetColName(1, QStringLiteral("Name"));
    v.SetColAlignment(1, taRightJustify);
    v.SetColumnIsPwd(3, true);
    v.SetColumnEditable(1, true);
    int changes = 0;
    v.SetOnChange([&](QObject *) { ++changes; });
    v.Fill(QStringLiteral("x"));
    EXPECT_EQ(v.GetElem(3, 3), QStringLiteral("x"));
    EXPECT_TRUE(v.GetElemChecked(2, 1));
    EXPECT_FALSE(v.GetElemChecked(2, 2));
    EXPECT_GT(changes, 0);
    v.Clear();
    EXPECT_EQ(v.NrOfRows(), 3);
    EXPECT_EQ(v.GetElem(1, 1), QString());
    EXPECT_EQ(v.GetColName(1), QStringLiteral("C-1"));
    EXPECT_EQ(v.GetColCheckMode(2), cmNone);
    EXPECT_EQ(v.GetColAlignment(1), taLeftJustify);
    EXPECT_FALSE(v.GetColumnIsPwd(3));
    EXPECT_FALSE(v.GetColumnEditable(1));
}

TEST(ListViewRows, FilterLanguagesHideButKeepTheOtherRows)
{
    TTestView v(3, 8, false);
    FillPeople(v);
    // Simple: a piece of text anywhere in the row, case-blind unless asked.
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("OSLO"), {}, false, fmSimple, 1, false), 2);
    EXPECT_EQ(v.ColumnTexts(1).mid(0, 2), (QStringList{QStringLiteral("Dora"), QStringLiteral("Bruno")}));
    EXPECT_EQ(v.SelectedRows(), (QList<int>{1, 2}));
    EXPECT_EQ(v.NrOfRows(), 8);
    EXPECT_EQ(v.NrOfShownRows(), 2);
    EXPECT_TRUE(v.IsFiltered());
    EXPECT_EQ(v.RowCount(), 1 + 2);
    EXPECT_EQ(v.MouseCell(5, v.DataCell(1, 2).Bottom + 5).y(), 0); // nothing below the matches
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("OSLO"), {}, true, fmSimple, 1, false), 0);
    EXPECT_EQ(v.RowCount(), 2);
    EXPECT_EQ(v.SelectedRows(), QList<int>{});

    // Boolean, searched in the city column only, sorted by amount (numbers by value).
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("(bern OR basel) NOT \"Hans\""), {2}, false, fmBoolean, 3, true),
              4);
    EXPECT_EQ(v.ColumnTexts(3).mid(0, 4), (QStringList{QStringLiteral("5"), QStringLiteral("12"),
                                                       QStringLiteral("21"), QStringLiteral("30")}));
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("anna OR bern"), {2}, false, fmBoolean, -1, true), 2);
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("anna"), {1, 99, -4}, false, fmBoolean, -1, true), 1);

    // Regular expressions; a bad one changes nothing.
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("^[A-C]"), {1}, true, fmGrep, 1, true), 3);
    EXPECT_EQ(v.ColumnTexts(1).mid(0, 3).join(QLatin1Char(' ')), QStringLiteral("Anna Bruno Carla"));
    const QStringList before = v.ColumnTexts(1);
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("([A-C]"), {1}, true, fmGrep, 1, true), -1);
    EXPECT_EQ(v.ColumnTexts(1), before);
    EXPECT_EQ(v.NrOfShownRows(), 3);

    // Sorting keeps the matches on top; an empty query shows everything again.
    v.Sort(1, -1, false);
    EXPECT_EQ(v.ColumnTexts(1).mid(0, 3).join(QLatin1Char(' ')), QStringLiteral("Carla Bruno Anna"));
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("  "), {}, false, fmSimple, 1, true), 8);
    EXPECT_FALSE(v.IsFiltered());
    EXPECT_EQ(v.RowCount(), 9);
    EXPECT_EQ(v.ColumnTexts(1).join(QString()), QStringLiteral("AnnaBrunoCarlaDoraEmilFritzGretaHans"));
}

TEST(ListViewRows, FilterConsultsOnBeforeFilter)
{
    TTestView v(3, 8, false);
    FillPeople(v);
    v.SetColCheckMode(3, cmBox); // the amount column becomes a check column
    for (int r : {1, 2, 5})
        v.SetElemChecked(3, r, true);
    v.SetColumnIsPwd(1, true); // names are hidden: not searched unless named
    QList<int> asked;
    TLogicOp op = loAND;
    v.SetOnBeforeFilter([&](QObject *S, int Row, bool &Found, TLogicOp &Combine) {
        EXPECT_EQ(S, &v);
        EXPECT_TRUE(Found);
        EXPECT_EQ(Combine, loAND);
        asked << Row;
        Found = v.GetElemChecked(3, Row);
        Combine = op;
    });
    auto run = [&](TLogicOp Op, const char *Q) {
        op = Op;
        asked.clear();
        v.FilterAndSort(QString::fromLatin1(Q), {}, false, fmSimple, -1, true);
        QStringList names = v.ColumnTexts(1).mid(0, v.NrOfShownRows());
        names.sort();
        return names.join(QLatin1Char(' '));
    };
    EXPECT_EQ(run(loAND, "o"), QStringLiteral("Bruno")); // checked AND city contains "o"
    EXPECT_EQ(asked, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    v.ClearFilter();
    v.UnSort();
    EXPECT_EQ(run(loOR, "oslo"), QStringLiteral("Anna Bruno Dora Emil"));
    v.UnSort();
    EXPECT_EQ(run(loANDNOT, "bern"), QStringLiteral("Bruno Emil"));
    v.UnSort();
    EXPECT_EQ(run(loXOR, "o"), QStringLiteral("Anna Dora Emil"));
    v.UnSort();
    EXPECT_EQ(run(loORNOT, "b"), QStringLiteral("Anna Bruno Dora Emil Greta"));
    v.UnSort();
    EXPECT_EQ(run(loAND, "anna"), QString()); // the hidden name column is not searched
    v.SetOnBeforeFilter(nullptr);
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("anna"), {1}, false, fmSimple, -1, true), 1);
}

TEST(ListViewRows, FilterReportsItsRowExchangesAndKeepsAcrossRemoval)
{
    TTestView v(3, 8, false);
    FillPeople(v);
    QStringList shown = v.ColumnTexts(1);
    v.SetOnBeforeSortExchange([&](QObject *S, int What, int A, int B) {
        EXPECT_EQ(S, &v);
        EXPECT_EQ(What, 0);
        shown.swapItemsAt(A - 1, B - 1);
    });
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("a"), {1}, false, fmSimple, 3, false), 5);
    EXPECT_EQ(shown, v.ColumnTexts(1)); // replaying the exchanges gives the new order
    EXPECT_EQ(v.ColumnTexts(1).mid(0, 5).join(QLatin1Char(' ')),
              QStringLiteral("Carla Hans Anna Greta Dora"));
    v.RemoveRow(2); // "Hans", as shown
    EXPECT_EQ(v.NrOfShownRows(), 4);
    EXPECT_EQ(v.NrOfRows(), 7);
    EXPECT_EQ(v.ColumnTexts(1).mid(0, 4).join(QLatin1Char(' ')), QStringLiteral("Carla Anna Greta Dora"));
    v.RemoveRow(7); // a hidden row
    EXPECT_EQ(v.NrOfShownRows(), 4);
    v.SelectAllRows(); // only what the user sees
    EXPECT_EQ(v.SelectedRows(), (QList<int>{1, 2, 3, 4}));
    v.SetNrRows(6);
    EXPECT_FALSE(v.IsFiltered());
}

TEST(ListViewRows, ExchangesAreSpelledOutOnlyForAHandler)
{
    TTestView v(3, 8, false);
    FillPeople(v);
    const TStringArray *store = v.RLData()->Strings();
    EXPECT_FALSE(store->OnBeforeSortExchange()); // nobody listens: a sort takes its order at once
    v.Sort(1, -1, false);
    const QStringList descending = v.ColumnTexts(1);
    QStringList shown = descending;
    int calls = 0;
    v.SetOnBeforeSortExchange([&](QObject *S, int, int A, int B) {
        EXPECT_EQ(S, &v);
        ++calls;
        shown.swapItemsAt(A - 1, B - 1);
    });
    EXPECT_TRUE(store->OnBeforeSortExchange());
    v.Sort(1, -1, true);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(shown, v.ColumnTexts(1));
    QStringList reversed(descending.rbegin(), descending.rend());
    EXPECT_EQ(shown, reversed);
    v.RLData()->SetOnBeforeSortExchange(nullptr); // the data's own slot, taken over by hand
    v.SetOnBeforeSortExchange(nullptr);
    EXPECT_FALSE(store->OnBeforeSortExchange());
    calls = 0;
    v.Sort(1, -1, false);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(v.ColumnTexts(1), descending);
}

TEST(ListViewRows, ColumnWidths)
{
    TTestView v(3, 3);
    v.SetElem(1, 2, QStringLiteral("the widest text of column one"));
    v.SetColName(1, QStringLiteral("Short\nA header line wider still than that"));
    const QFontMetrics fm(v.Font()->ToQFont());
    const int cell = fm.horizontalAdvance(QStringLiteral("the widest text of column one"));
    const int head = fm.horizontalAdvance(QStringLiteral("A header line wider still than that"));
    EXPECT_EQ(v.DetermineMaxColWidth(1, false), 9 + cell);
    EXPECT_EQ(v.DetermineMaxColWidth(1, true), 9 + std::max(cell, head));
    v.Sort(1, -1, true);
    EXPECT_EQ(v.DetermineMaxColWidth(1, true), 9 + std::max(cell, head + 13));
    EXPECT_EQ(v.DetermineMaxColWidth(0, true), 9);
    EXPECT_EQ(v.DetermineMaxColWidth(4, true), 9);
    for (const TCheckMode m : {cmBox, cmRadio}) { // both draw a mark in front of the text
        v.SetColCheckMode(2, m);
        EXPECT_EQ(v.DetermineMaxColWidth(2, false), 9 + 16 + fm.horizontalAdvance(QStringLiteral("r3c2")));
        v.SetColCheckMode(2, cmNone);
    }

    int setups = 0;
    v.SetOnChangeSetup([&](QObject *) { ++setups; });
    v.AutoColWidth(1, false, 5);
    EXPECT_EQ(v.GetColWidths(1), 9 + cell + 5);
    v.AutoColWidth(1, true, 50, 5);
    EXPECT_EQ(v.GetColWidths(1), 50);
    v.AutoColWidth(3, false, -500);
    EXPECT_EQ(v.GetColWidths(3), 4);
    v.ExpandColWidth(2, 10);
    EXPECT_EQ(v.GetColWidths(2), v.ClientWidth() - 10 - 50 - 4);
    v.ExpandColWidth(2, 10000);
    EXPECT_EQ(v.GetColWidths(2), 16);
    setups = 0;
    v.ExpandColWidth(9, 0);
    EXPECT_EQ(setups, 1);
    v.FitAllColWidths(3, false, 0, 1000, 0);
    EXPECT_EQ(v.GetColWidths(1), 9 + cell);
    EXPECT_EQ(v.GetColWidths(1) + v.GetColWidths(2) + v.GetColWidths(3), v.ClientWidth());
}

TEST(ListViewRows, CenterScrollAndSelect)
{
    TTestView v(2, 100);
    const int vis = v.VisibleRowCount();
    v.CenterScrollAndSelect(50);
    EXPECT_EQ(v.SelectedRows(), QList<int>{50});
    EXPECT_EQ(v.TopRow(), 50 - vis / 2);
    EXPECT_EQ(v.Selection().Top, 50);
    v.CenterScrollAndSelect(99);
    EXPECT_EQ(v.TopRow(), 100 - vis + 1);
    EXPECT_EQ(v.SelectedRows(), QList<int>{99});
    v.CenterScrollAndSelect(2);
    EXPECT_EQ(v.TopRow(), 1);
    v.CenterScrollAndSelect(101);
    EXPECT_EQ(v.SelectedRows(), QList<int>{2});
}

TEST(ListViewRows, AssignAndXmlKeepViewAndDataInStep)
{
    TTestView a(3, 8, false);
    FillPeople(a);
    a.SetColAlignment(3, taRightJustify);
    a.SetColorBkgdShaded(0x112233);
    a.SetCommonHeaderVisible(true);
    a.SetFixedFirstColumn(true);
    a.FilterAndSort(QStringLiteral("Basel"), {}, true, fmSimple, 1, true);
    a.SetColumnIsPwd(2, true);
    int exchanges = 0;
    QObject *sender = nullptr;
    a.SetOnBeforeSortExchange([&](QObject *S, int, int, int) {
        ++exchanges;
        sender = S;
    });

    TTestView b(5, 1);
    b.Assign(&a);
    EXPECT_EQ(b.NrOfColumns(), 3);
    EXPECT_EQ(b.ColCount(), 3);
    EXPECT_EQ(b.FixedCols(), 1);
    EXPECT_EQ(b.FixedRows(), 2);
    EXPECT_EQ(b.ColumnTexts(1), a.ColumnTexts(1));
    EXPECT_EQ(b.NrOfShownRows(), 2);
    EXPECT_EQ(b.GetColAlignment(3), taRightJustify);
    EXPECT_TRUE(b.GetColumnIsPwd(2));
    EXPECT_EQ(b.ColorBkgdShaded(), 0x112233u);
    b.Sort(3, -1, true);
    EXPECT_GT(exchanges, 0);
    EXPECT_EQ(sender, &b); // the copied handler hears from the copy
    b.UnSort();
    EXPECT_EQ(b.ColumnTexts(1).join(QString()), QStringLiteral("AnnaBrunoCarlaDoraEmilFritzGretaHans"));
    EXPECT_THROW(b.Assign(a.RLData()), EKROError);

    // The XML forwarders bring the grid along with the data.
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    ASSERT_TRUE(a.WriteToXMLStream(&buf, true));
    TTestView c(6, 2);
    c.SetColAlignment(6, taCenter);
    ASSERT_TRUE(c.ReadFromXMLString(QString::fromUtf8(buf.data())));
    EXPECT_EQ(c.NrOfColumns(), 3);
    EXPECT_EQ(c.ColCount(), 3);
    EXPECT_EQ(c.NrOfRows(), 8);
    EXPECT_EQ(c.RowCount(), 9);
    EXPECT_EQ(c.ColumnTexts(2), a.ColumnTexts(2));
    EXPECT_TRUE(c.ColumnTexts(2).contains(QString::fromUtf8("Zürich")));
    EXPECT_FALSE(c.ReadFromXMLString(QStringLiteral("<not a list/>")));
    EXPECT_EQ(c.NrOfRows(), 8);
}

TEST(ListViewRows, FilterSeesEveryChangeOfTheCells)
{
    // The filter keeps column texts between calls: each way of changing cells must reach it.
    TTestView v(3, 8, false);
    FillPeople(v);
    auto count = [&](const char *Q) {
        return v.FilterAndSort(QString::fromUtf8(Q), {}, false, fmSimple, -1, true);
    };
    EXPECT_EQ(count("oslo"), 2);
    v.Sort(1, -1, false); // a new order keeps the texts valid
    EXPECT_EQ(count("oslo"), 2);
    v.SetElem(2, 8, QStringLiteral("Oslo")); // a hidden row changes
    EXPECT_EQ(count("oslo"), 3);
    v.RLData()->Strings()->SetString(2, 1, QStringLiteral("Tromsø"));
    EXPECT_EQ(count("oslo"), 2);
    v.RLData()->SetColCheckMode(1, cmBox); // flags come and go without a change notice
    EXPECT_EQ(count("xanna"), 0);
    EXPECT_EQ(count("anna"), 1);
    v.RLData()->SetColCheckMode(1, cmNone);
    EXPECT_EQ(count(" anna"), 0);
    v.SetNrRows(9);
    v.SetElem(1, 9, QStringLiteral("Olaf"));
    v.SetElem(2, 9, QStringLiteral("Oslo"));
    EXPECT_EQ(count("oslo"), 3);
    TTestView other(3, 2, false);
    other.SetElem(2, 1, QStringLiteral("Oslo"));
    v.Assign(&other);
    EXPECT_EQ(count("oslo"), 1);
}
