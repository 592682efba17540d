// The report data model: counts, check columns, rows under a sort, copying.

#include <krogui/data/stringarray.h>
#include <krogui/replist/rldata.h>

#include "qstringprint.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace kro;

namespace {

// One column's visible texts, top to bottom.
QStringList Column(const TRLData &D, int Col)
{
    QStringList l;
    for (int r = 1; r <= D.NrOfRows(); ++r)
        l << D.GetElem(Col, r);
    return l;
}

QStringList Stored(const TRLData &D, int Col)
{
    QStringList l;
    for (int r = 1; r <= D.NrOfRows(); ++r)
        l << D.Strings()->GetString(Col, r);
    return l;
}

void SetColumn(TRLData &D, int Col, const QStringList &Values)
{
    if (D.NrOfRows() < Values.size()) D.SetNrRows(int(Values.size()));
    for (int r = 1; r <= int(Values.size()); ++r)
        D.SetElem(Col, r, Values[r - 1]);
}

} // namespace

TEST(RLData, NewComponentAndColumnCount)
{
    TRLData d;
    EXPECT_EQ(d.NrOfColumns(), 1);
    EXPECT_EQ(d.NrOfRows(), 0);
    EXPECT_EQ(d.GetColName(1), QStringLiteral("C-1"));
    EXPECT_EQ(d.CommonHeader(), QStringLiteral("KRO Report Listview"));
    EXPECT_EQ(d.FeedbackNumCells(), 1);

    d.SetNrCols(0);
    EXPECT_EQ(d.NrOfColumns(), 1);
    d.SetNrCols(2);
    d.SetColName(1, QStringLiteral("Alpha"));
    d.SetColumnFormat(2, QStringLiteral("[i][80]rix3"));
    d.SetCheckedCol(2, true);
    d.SetNrCols(4);
    EXPECT_EQ(d.GetColName(1), QStringLiteral("Alpha"));
    EXPECT_EQ(d.GetColName(2), QStringLiteral("C-2"));
    EXPECT_EQ(d.GetColName(4), QStringLiteral("C-4"));
    EXPECT_EQ(d.GetColumnFormat(2), QStringLiteral("[i][80]rix3"));
    EXPECT_EQ(d.GetColCheckMode(2), cmBox);
    EXPECT_EQ(d.GetColCheckMode(4), cmNone);

    // Feedback counters follow rows x (columns + 1), rows at least 1 for a column change.
    EXPECT_EQ(d.FeedbackNumCells(), 5);
    d.SetNrRows(1000);
    EXPECT_EQ(d.FeedbackNumCells(), 5000);
    EXPECT_EQ(d.FeedbackStep(), 51);
    d.SetNrRows(-3);
    EXPECT_EQ(d.NrOfRows(), 0);
    EXPECT_EQ(d.FeedbackNumCells(), 1);

    // Names and formats are cut to their limits.
    d.SetColName(1, QString(60, QLatin1Char('n')));
    d.SetColumnFormat(1, QString(90, QLatin1Char('f')));
    EXPECT_EQ(d.GetColName(1).size(), 50);
    EXPECT_EQ(d.GetColumnFormat(1).size(), 80);
    d.SetColName(1, QString(49, QLatin1Char('n')) + QStringLiteral("😀")); // a pair is never split
    EXPECT_EQ(d.GetColName(1), QString(49, QLatin1Char('n')));
}

TEST(RLData, ResizingDropsCellsForGoodAndRefusesTooMuch)
{
    TRLData d;
    d.SetNrCols(3);
    SetColumn(d, 3, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    d.SetColName(3, QStringLiteral("Third"));
    d.SetNrRows(1);
    d.SetNrCols(2);
    d.SetNrCols(3);
    d.SetNrRows(3);
    EXPECT_EQ(Column(d, 3), QStringList({QString(), QString(), QString()}));
    EXPECT_EQ(d.GetColName(3), QStringLiteral("C-3"));

    // A size the store refuses raises naming the property and keeps the counts.
    try {
        d.SetNrRows(INT_MAX);
        FAIL() << "no exception";
    } catch (const EKROError &e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("TRLData.NrOfRows"))) << e.what();
    }
    EXPECT_EQ(d.NrOfRows(), 3);
    try {
        d.SetNrCols(INT_MAX);
        FAIL() << "no exception";
    } catch (const EKROError &e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("TRLData.NrOfColumns"))) << e.what();
    }
    EXPECT_EQ(d.NrOfColumns(), 3);
    EXPECT_EQ(d.GetColName(3), QStringLiteral("C-3"));
}

TEST(RLData, CheckModeConversionsKeepVisibleTexts)
{
    TRLData d;
    d.SetNrCols(2);
    SetColumn(d, 1, {QStringLiteral("a"), QString(), QStringLiteral("b")});

    d.SetColCheckMode(1, cmBox);
    EXPECT_EQ(Stored(d, 1), QStringList({QStringLiteral(" a"), QString(), QStringLiteral(" b")}));
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_TRUE(d.GetCheckedCol(1));

    d.SetElemChecked(1, 1, true);
    d.SetElemChecked(1, 3, true);
    EXPECT_EQ(d.CountCheckedElemsInCol(1), 2);

    // Box to radio clears every mark and gives empty cells their flag.
    d.SetColCheckMode(1, cmRadio);
    EXPECT_EQ(Stored(d, 1), QStringList({QStringLiteral(" a"), QStringLiteral(" "), QStringLiteral(" b")}));
    EXPECT_FALSE(d.GetCheckedCol(1));
    EXPECT_EQ(d.GetColCheckMode(1), cmRadio);

    // Radio to box converts nothing.
    d.SetElemChecked(1, 3, true);
    d.SetColCheckMode(1, cmBox);
    EXPECT_EQ(Stored(d, 1), QStringList({QStringLiteral(" a"), QStringLiteral(" "), QStringLiteral("Xb")}));

    // Back to no check mode: every non-empty cell loses its flag.
    d.SetCheckedCol(1, false);
    EXPECT_EQ(Stored(d, 1), QStringList({QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(d.GetColCheckMode(1), cmNone);

    // None straight to radio prefixes blanks as for a box column.
    d.SetColCheckMode(1, cmRadio);
    EXPECT_EQ(Stored(d, 1), QStringList({QStringLiteral(" a"), QString(), QStringLiteral(" b")}));
    d.SetColCheckMode(1, cmNone);
    EXPECT_EQ(Stored(d, 1), QStringList({QStringLiteral("a"), QString(), QStringLiteral("b")}));

    // Out of range and an unchanged mode do nothing.
    d.SetColCheckMode(0, cmBox);
    d.SetColCheckMode(3, cmBox);
    EXPECT_EQ(d.GetColCheckMode(0), cmNone);
    EXPECT_EQ(d.GetColCheckMode(3), cmNone);
}

TEST(RLData, ConversionHoldsTheChangeNotification)
{
    TRLData d;
    SetColumn(d, 1, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    int changes = 0;
    d.Strings()->SetOnChange([&](QObject *) { ++changes; });
    d.SetColCheckMode(1, cmBox);
    EXPECT_EQ(changes, 0);
    d.SetElem(1, 1, QStringLiteral("z")); // the handler is back
    EXPECT_EQ(changes, 1);
}

TEST(RLData, CheckCellsHideTheirFlag)
{
    TRLData d;
    d.SetNrCols(3);
    d.SetNrRows(3);
    d.SetCheckedCol(2, true);
    d.SetColCheckMode(3, cmRadio);

    d.SetElem(2, 1, QStringLiteral("text"));
    EXPECT_EQ(d.Strings()->GetString(2, 1), QStringLiteral(" text"));
    d.SetElemChecked(2, 1, true);
    d.SetElem(2, 1, QStringLiteral("new"));
    EXPECT_EQ(d.Strings()->GetString(2, 1), QStringLiteral("Xnew"));
    EXPECT_EQ(d.GetElem(2, 1), QStringLiteral("new"));
    EXPECT_TRUE(d.GetElemChecked(2, 1));

    d.SetElemChecked(2, 2, true); // an empty cell becomes the flag alone
    EXPECT_EQ(d.Strings()->GetString(2, 2), QStringLiteral("X"));
    EXPECT_EQ(d.GetElem(2, 2), QString());

    // Cell texts are cut so that flag and text fit the store.
    d.SetElem(2, 3, QString(300, QLatin1Char('t')));
    EXPECT_EQ(d.Strings()->GetString(2, 3).size(), 255);
    d.SetElem(1, 3, QString(300, QLatin1Char('t')));
    EXPECT_EQ(d.GetElem(1, 3).size(), 255);

    // The radio rule: setting any cell, even to unchecked, clears the others first.
    d.SetElemChecked(3, 1, true);
    d.SetElemChecked(3, 3, true);
    EXPECT_FALSE(d.GetElemChecked(3, 1));
    EXPECT_TRUE(d.GetElemChecked(3, 3));
    EXPECT_EQ(d.FirstCheckedElemInCol(3), 3);
    d.SetElemChecked(3, 2, false);
    EXPECT_EQ(d.CountCheckedElemsInCol(3), 0);

    // Whole-column operations act in box columns only.
    d.SetElemChecked(3, 1, true);
    d.SetAllCheckmarksOfCol(3, true);
    d.InvertAllCheckmarksOfCol(3);
    EXPECT_EQ(d.CountCheckedElemsInCol(3), 1);
    d.SetAllCheckmarksOfCol(2, false);
    EXPECT_EQ(d.CountCheckedElemsInCol(2), 0);
    d.InvertAllCheckmarksOfCol(2);
    EXPECT_EQ(d.CountCheckedElemsInCol(2), 3);
    d.SetElemChecked(2, 2, false);
    d.InvertAllCheckmarksOfCol(2);
    EXPECT_EQ(Stored(d, 2), QStringList({QStringLiteral(" new"), QStringLiteral("X"),
                                         QStringLiteral(" ") + QString(254, QLatin1Char('t'))}));

    // Row-wise questions over all check columns.
    EXPECT_EQ(d.CountCheckedElemsInRow(2), 1);
    EXPECT_EQ(d.FirstCheckedElemInRow(2), 2);
    EXPECT_EQ(d.FirstCheckedElemInRow(1), 3);
    EXPECT_EQ(d.FirstCheckedElemInRow(3), 0);
    EXPECT_EQ(d.FirstCheckedElemInRow(4), 0);

    // A non-check column has no marks to set.
    d.SetElemChecked(1, 1, true);
    EXPECT_FALSE(d.GetElemChecked(1, 1));
    EXPECT_EQ(d.Strings()->GetString(1, 1), QString());
}

TEST(RLData, FillCopyRowAndClear)
{
    TRLData d;
    d.SetNrCols(2);
    d.SetNrRows(2);
    d.SetCheckedCol(2, true);
    d.SetElem(0, 1, QStringLiteral("hidden"));
    d.SetElemChecked(2, 1, true);
    d.Fill(QStringLiteral("v"));
    EXPECT_EQ(Stored(d, 1), QStringList({QStringLiteral("v"), QStringLiteral("v")}));
    EXPECT_EQ(Stored(d, 2), QStringList({QStringLiteral("Xv"), QStringLiteral(" v")}));
    EXPECT_EQ(d.GetElem(0, 1), QStringLiteral("hidden")); // column 0 is not filled

    d.Strings()->SetRowAttrib(1, rlRowSelected);
    d.CopyRow(1, 2);
    EXPECT_EQ(d.GetElem(0, 2), QStringLiteral("hidden"));
    EXPECT_TRUE(d.GetElemChecked(2, 2));
    EXPECT_EQ(d.Strings()->GetRowAttrib(2), rlRowSelected);
    d.CopyRow(1, 3); // out of range: nothing
    d.CopyRow(0, 1);
    EXPECT_EQ(d.NrOfRows(), 2);

    d.SetColName(1, QStringLiteral("Name"));
    d.SetColumnFormat(1, QStringLiteral("[s]x"));
    d.Clear();
    EXPECT_EQ(d.NrOfRows(), 2);
    EXPECT_EQ(d.NrOfColumns(), 2);
    EXPECT_EQ(d.GetElem(0, 1), QString());
    EXPECT_EQ(d.GetColName(1), QStringLiteral("C-1"));
    EXPECT_EQ(d.GetColumnFormat(1), QString());
    EXPECT_EQ(d.GetColCheckMode(2), cmNone);
}

TEST(RLData, ColumnIndexFindsTheHighestMatch)
{
    TRLData d;
    d.SetNrCols(3);
    d.SetColName(3, QStringLiteral("Total"));
    EXPECT_EQ(d.ColumnIndex(QStringLiteral("c-"), true), 2);
    EXPECT_EQ(d.ColumnIndex(QStringLiteral("c-1"), false), 1);
    EXPECT_EQ(d.ColumnIndex(QStringLiteral("TOTAL"), false), 3);
    EXPECT_EQ(d.ColumnIndex(QStringLiteral("tot"), false), -1);
    EXPECT_EQ(d.ColumnIndex(QStringLiteral("xyz"), true), -1);
}

TEST(RLData, SortUnSortAndTheExchangeEvent)
{
    TRLData d;
    d.SetNrCols(2);
    SetColumn(d, 1, {QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")});
    SetColumn(d, 2, {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("1")});
    QObject *sender = nullptr;
    int exchanges = 0;
    d.SetOnBeforeSortExchange([&](QObject *S, int, int, int) {
        sender = S;
        ++exchanges;
    });
    d.Sort(1, -1, true);
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(d.SortColumn(), 1);
    EXPECT_TRUE(d.SortOrder());
    EXPECT_GT(exchanges, 0);
    EXPECT_EQ(sender, &d);

    d.Sort(2, 1, false);
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(d.SortColumnSec(), 1);
    EXPECT_FALSE(d.SortOrder());

    d.Sort(7, -1, true); // no such column: nothing changes
    EXPECT_EQ(d.SortColumn(), 2);

    d.UnSort();
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
    EXPECT_EQ(d.SortColumn(), -1);
    EXPECT_EQ(d.SortColumnSec(), -1);
    EXPECT_FALSE(d.SortOrder()); // the last direction is kept
}

TEST(RLData, RemovingRowsUnderASortKeepsTheOriginalOrderOfTheRest)
{
    TRLData d;
    SetColumn(d, 1, {QStringLiteral("c"), QString(), QStringLiteral("a"), QString(), QStringLiteral("b")});
    d.Sort(1, -1, true); // a b c, blanks last
    d.RemoveRow(1);
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("b"), QStringLiteral("c"), QString(), QString()}));
    d.UnSort(); // the rows left come back in their original order
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("c"), QString(), QString(), QStringLiteral("b")}));

    d.Sort(1, -1, false); // blanks first in descending order
    d.RemoveEmptyRows();
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("c"), QStringLiteral("b")}));

    // A check cell holding only its flag counts as empty; column 0 counts as content.
    TRLData e;
    e.SetNrRows(3);
    e.SetCheckedCol(1, true);
    e.SetElemChecked(1, 1, true);
    e.SetElem(0, 2, QStringLiteral("hidden"));
    e.SetElem(1, 3, QStringLiteral("x"));
    e.RemoveEmptyRows();
    ASSERT_EQ(e.NrOfRows(), 2);
    EXPECT_EQ(e.GetElem(0, 1), QStringLiteral("hidden"));
    EXPECT_EQ(e.GetElem(1, 2), QStringLiteral("x"));
}

TEST(RLData, RemovingTheOnlyRowLeavesNothingBehind)
{
    TRLData d;
    d.SetNrCols(2);
    d.SetNrRows(1);
    d.SetElem(0, 1, QStringLiteral("h"));
    d.SetElem(2, 1, QStringLiteral("x"));
    d.Strings()->SetRowAttrib(1, rlRowSelected);
    d.RemoveRow(1);
    EXPECT_EQ(d.NrOfRows(), 0);
    EXPECT_EQ(d.Strings()->NrOfRows(), 1); // the store keeps one physical row
    d.SetNrRows(1);
    EXPECT_EQ(d.GetElem(0, 1), QString());
    EXPECT_EQ(d.GetElem(2, 1), QString());
    EXPECT_EQ(d.Strings()->GetRowAttrib(1), 0);
    d.RemoveRow(2); // out of range
    EXPECT_EQ(d.NrOfRows(), 1);
}

TEST(RLData, InsertRowShiftsAndAppends)
{
    TRLData d;
    SetColumn(d, 1, {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(d.InsertRow(2), 2);
    EXPECT_EQ(Column(d, 1), QStringList({QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(d.InsertRow(99), 4);
    EXPECT_EQ(d.NrOfRows(), 4);
    EXPECT_EQ(d.InsertRow(0), 0);
    EXPECT_EQ(d.NrOfRows(), 4);

    TRLData e; // a list emptied by RemoveRow still has a physical row
    e.SetNrRows(1);
    e.RemoveRow(1);
    EXPECT_EQ(e.InsertRow(1), 1);
    EXPECT_EQ(e.NrOfRows(), 1);
    EXPECT_EQ(e.Strings()->NrOfRows(), 1);
}

TEST(RLData, AssignCopiesASortedListFaithfully)
{
    TRLData src;
    src.SetNrCols(2);
    SetColumn(src, 1, {QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")});
    SetColumn(src, 0, {QStringLiteral("h3"), QStringLiteral("h1"), QStringLiteral("h2")});
    src.SetCheckedCol(2, true);
    src.SetElemChecked(2, 1, true);
    src.SetColName(1, QStringLiteral("Letter"));
    src.SetColumnFormat(1, QStringLiteral("[s][90]"));
    src.SetCommonHeader(QStringLiteral("Head"));
    src.SetComment(QStringLiteral("Note"));
    src.SetDataID(QStringLiteral("id7"));
    src.Strings()->SetRowAttrib(1, rlRowDisabled);
    src.Strings()->SetColAttrib(2, rlColSelected);
    int handlerCalls = 0;
    src.SetOnBeforeSortExchange([&](QObject *, int, int, int) { ++handlerCalls; });
    src.Sort(1, -1, true);
    src.SetSortToggle(false);

    TRLData dst;
    int changes = 0;
    dst.Strings()->SetOnChange([&](QObject *) { ++changes; });
    dst.Assign(&src);
    EXPECT_EQ(Column(dst, 1), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(Column(dst, 0),
              QStringList({QStringLiteral("h1"), QStringLiteral("h2"), QStringLiteral("h3")}));
    EXPECT_EQ(Stored(dst, 2), Stored(src, 2));
    EXPECT_EQ(dst.Strings()->GetRowAttrib(3), rlRowDisabled); // moved with its record "c"
    EXPECT_EQ(dst.Strings()->GetColAttrib(2), rlColSelected);
    EXPECT_EQ(dst.GetColName(1), QStringLiteral("Letter"));
    EXPECT_EQ(dst.GetColumnFormat(1), QStringLiteral("[s][90]"));
    EXPECT_EQ(dst.GetColCheckMode(2), cmBox);
    EXPECT_EQ(dst.CommonHeader(), QStringLiteral("Head"));
    EXPECT_EQ(dst.Comment(), QStringLiteral("Note"));
    EXPECT_EQ(dst.DataID(), QStringLiteral("id7"));
    EXPECT_EQ(dst.SortColumn(), 1);
    EXPECT_FALSE(dst.SortToggle());
    EXPECT_EQ(dst.FeedbackNumCells(), 9);
    EXPECT_GE(changes, 1); // the store's listener was told, and stays connected
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(dst.Strings()->GetSortOrder(r), src.Strings()->GetSortOrder(r));

    // UnSort gives the source's stored order back; the handler came along and fires.
    handlerCalls = 0;
    dst.UnSort();
    EXPECT_EQ(Column(dst, 1), QStringList({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_GT(handlerCalls, 0);
    changes = 0;
    dst.SetElem(1, 1, QStringLiteral("z"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(src.GetElem(1, 1), QStringLiteral("a")); // independent copies

    // Assigning itself changes nothing; a foreign source is refused.
    TRLData third;
    src.Assign(&src);
    EXPECT_EQ(src.NrOfRows(), 3);
    TStringArray other;
    EXPECT_THROW(third.Assign(&other), EKROError);
    EXPECT_EQ(third.NrOfColumns(), 1);
}

TEST(RLData, RemoveEmptyRowsKeepsOrderAttributesAndCopes)
{
    TRLData d;
    d.SetNrCols(2);
    d.SetNrRows(7);
    d.SetElem(1, 2, QStringLiteral("b"));
    d.SetElem(0, 4, QStringLiteral("d0"));
    d.SetElem(2, 7, QStringLiteral("g"));
    d.Strings()->SetRowAttrib(4, rlRowDisabled);
    d.Strings()->SetRowAttrib(3, rlRowSelected); // an empty row goes with its attribute
    d.RemoveEmptyRows();
    ASSERT_EQ(d.NrOfRows(), 3);
    EXPECT_EQ(d.GetElem(1, 1), QStringLiteral("b"));
    EXPECT_EQ(d.GetElem(0, 2), QStringLiteral("d0"));
    EXPECT_EQ(d.GetElem(2, 3), QStringLiteral("g"));
    EXPECT_EQ(d.Strings()->GetRowAttrib(1), 0);
    EXPECT_EQ(d.Strings()->GetRowAttrib(2), rlRowDisabled);
    EXPECT_EQ(d.FeedbackNumCells(), 9);

    d.Fill(QString());
    d.SetElem(0, 1, QString());
    d.SetElem(0, 2, QString());
    d.RemoveEmptyRows();
    EXPECT_EQ(d.NrOfRows(), 0);

    // Many rows, half of them empty.
    TRLData big;
    big.SetNrRows(200000);
    for (int r = 1; r <= 200000; r += 2)
        big.SetElem(1, r, QString::number(r));
    big.RemoveEmptyRows();
    ASSERT_EQ(big.NrOfRows(), 100000);
    EXPECT_EQ(big.GetElem(1, 100000), QStringLiteral("199999"));
}
