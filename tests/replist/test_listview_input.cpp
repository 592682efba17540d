// Mouse and keyboard input of the report list view: check marks, the three row-select modes,
// sorting by header click, auto-sizing by double click, keys and in-place editing.
#include "listview_util.h"

#include <krogui/grid/inplaceedit.h>
#include <krogui/core/keys.h>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

TEST(ListViewInput, CheckMarksToggleNearTheirBoxOnly)
{
    TTestView v(3, 5);
    v.SetColCheckMode(2, cmBox);
    v.SetColCheckMode(3, cmRadio);
    QList<QString> log;
    v.SetOnBeforeCheckedChange([&](QObject *S, bool &State, int C, int R) {
        EXPECT_EQ(S, &v);
        log << QStringLiteral("before %1 %2,%3").arg(State).arg(C).arg(R);
    });
    v.SetOnCheckedChange([&](QObject *, bool &State, int C, int R) {
        log << QStringLiteral("after %1 %2,%3").arg(State).arg(C).arg(R);
    });
    v.ClickCell(2, 3, 10);
    EXPECT_TRUE(v.GetElemChecked(2, 3));
    EXPECT_EQ(v.GetElem(2, 3), QStringLiteral("r3c2")); // the text keeps
    EXPECT_EQ(log, (QList<QString>{QStringLiteral("before 1 2,3"), QStringLiteral("after 0 2,3")}));
    EXPECT_EQ(v.SelectedRows(), QList<int>{3});
    v.ClickCell(2, 3, 10);
    EXPECT_FALSE(v.GetElemChecked(2, 3));
    log.clear();
    v.ClickCell(2, 4, 20); // beyond the box: selects only
    EXPECT_FALSE(v.GetElemChecked(2, 4));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(v.SelectedRows(), QList<int>{4});

    // The before-handler decides.
    v.SetOnBeforeCheckedChange([](QObject *, bool &State, int, int) { State = false; });
    v.ClickCell(2, 1, 10);
    EXPECT_FALSE(v.GetElemChecked(2, 1));
    v.SetOnBeforeCheckedChange(nullptr);

    // Disabled rows, read-only marks and empty cells without boxes do not toggle.
    v.SetRowEnabled(2, false);
    v.ClickCell(2, 2, 10);
    EXPECT_FALSE(v.GetElemChecked(2, 2));
    v.SetCheckMarksReadOnly(true);
    v.ClickCell(2, 1, 10);
    EXPECT_FALSE(v.GetElemChecked(2, 1));
    v.SetCheckMarksReadOnly(false);
    v.SetShowEmptyCheckBoxes(false);
    v.SetElem(2, 5, QString()); // just the flag
    v.ClickCell(2, 5, 10);
    EXPECT_FALSE(v.GetElemChecked(2, 5));
    v.SetShowEmptyCheckBoxes(true);
    v.ClickCell(2, 5, 10);
    EXPECT_TRUE(v.GetElemChecked(2, 5));

    // Radio marks: one per column, a click on a checked one keeps it.
    v.ClickCell(3, 1, 10);
    v.ClickCell(3, 4, 10);
    EXPECT_FALSE(v.GetElemChecked(3, 1));
    EXPECT_TRUE(v.GetElemChecked(3, 4));
    v.ClickCell(3, 4, 10);
    EXPECT_TRUE(v.GetElemChecked(3, 4));
    EXPECT_EQ(v.CountCheckedElemsInCol(3), 1);
}

TEST(ListViewInput, RowSelectModes)
{
    TTestView v(3, 8);
    int changes = 0;
    v.SetOnSelectedChange([&](QObject *) { ++changes; });
    // Mode 1: one row at a time, whatever the keys.
    v.ClickCell(1, 2);
    v.ClickCell(1, 5, 30, Qt::ControlModifier);
    EXPECT_EQ(v.SelectedRows(), QList<int>{5});
    EXPECT_EQ(changes, 2);

    // Mode 2 with Ctrl for multiple selection.
    v.SetRowSelectMode(2);
    v.ClickCell(1, 2);
    EXPECT_EQ(v.SelectedRows(), QList<int>{2});
    v.ClickCell(1, 4, 30, Qt::ControlModifier);
    EXPECT_EQ(v.SelectedRows(), (QList<int>{2, 4}));
    v.ClickCell(1, 2, 30, Qt::ControlModifier);
    EXPECT_EQ(v.SelectedRows(), QList<int>{4});
    v.SetRowEnabled(6, false);
    v.ClickCell(1, 7, 30, Qt::ShiftModifier); // from anchor 2 (now unselected): clears 2..7
    EXPECT_EQ(v.SelectedRows(), QList<int>{});
    v.ClickCell(1, 3, 30, Qt::ControlModifier);
    v.ClickCell(1, 6, 30, Qt::ShiftModifier); // from anchor 3 (selected), upwards and downwards alike
    EXPECT_EQ(v.SelectedRows(), (QList<int>{3, 4, 5, 6}));
    EXPECT_FALSE(v.GetRowEnabled(6)); // a range selects, it never enables
    v.ClickCell(1, 1, 30, Qt::ShiftModifier);
    EXPECT_EQ(v.SelectedRows(), (QList<int>{1, 2, 3, 4, 5, 6}));
    v.ClickCell(1, 8);
    EXPECT_EQ(v.SelectedRows(), QList<int>{8});

    // Without Ctrl every click toggles.
    v.SetUseCtrlForMultiSel(false);
    v.ClickCell(1, 2);
    v.ClickCell(1, 3);
    v.ClickCell(1, 8);
    EXPECT_EQ(v.SelectedRows(), (QList<int>{2, 3}));

    // Releasing to the right of the cells clears the selection.
    v.ClickAt(v.GridWidth() + 10, v.DataCell(1, 2).Top + 5);
    EXPECT_EQ(v.SelectedRows(), QList<int>{});

    // Mode 1 and mode 0 start without selection; mode 0 keeps it that way.
    v.ClickCell(1, 4);
    changes = 0;
    v.SetRowSelectMode(0);
    EXPECT_EQ(v.SelectedRows(), QList<int>{});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(v.Selection().Top, v.RowCount()); // off the cells
    v.ClickCell(1, 3);
    EXPECT_EQ(v.SelectedRows(), QList<int>{});
}

TEST(ListViewInput, KeysSelectTheCurrentRowAndEnterAdvances)
{
    TTestView v(3, 8);
    v.ClickCell(1, 2);
    QTest::keyClick(&v, Qt::Key_Down);
    EXPECT_EQ(v.SelectedRows(), QList<int>{3});
    QTest::keyClick(&v, Qt::Key_End);
    EXPECT_EQ(v.SelectedRows(), QList<int>{8});
    QTest::keyClick(&v, Qt::Key_A); // not a navigation key
    EXPECT_EQ(v.SelectedRows(), QList<int>{8});
    v.SetAutoAdvance(true);
    QTest::keyClick(&v, Qt::Key_Home);
    QTest::keyClick(&v, Qt::Key_Return);
    EXPECT_EQ(v.SelectedRows(), QList<int>{2});
    // The wheel moves only in a list with rows.
    EXPECT_TRUE(v.DoMouseWheelDown(0, QPoint(5, 30)));
    v.SetNrRows(0);
    EXPECT_FALSE(v.DoMouseWheelDown(0, QPoint(5, 30)));
    EXPECT_FALSE(v.DoMouseWheelUp(0, QPoint(5, 30)));
}

TEST(ListViewInput, HeaderClickSortsAwayFromTheBorders)
{
    TTestView v(2, 5, false);
    const QStringList names = {QStringLiteral("b"), QStringLiteral("e"), QStringLiteral("a"),
                               QStringLiteral("d"), QStringLiteral("c")};
    for (int r = 1; r <= 5; ++r)
        v.SetElem(1, r, names[r - 1]);
    const TRect h = v.HeaderCell(1);
    const int y = h.Top + 8;
    v.ClickAt(h.Left + 3, y);
    v.ClickAt(h.Right - 4, y);
    EXPECT_EQ(v.LastSortColumn(), -1);
    EXPECT_EQ(v.ColumnTexts(1), names);

    v.ClickCell(1, 4);        // "d"
    v.ClickAt(h.Left + 5, y); // first click: descending
    EXPECT_EQ(v.LastSortColumn(), 1);
    EXPECT_FALSE(v.LastSortOrder());
    EXPECT_EQ(v.ColumnTexts(1).join(QString()), QStringLiteral("edcba"));
    auto selectedText = [&] { return v.GetElem(1, v.Selection().Top - v.FixedRows() + 1); };
    EXPECT_EQ(selectedText(), QStringLiteral("d"));
    EXPECT_EQ(v.SelectedRows(), QList<int>{2}); // the selection mark moved with its record
    v.ClickAt(h.Right - 5, y);                  // second click: ascending
    EXPECT_TRUE(v.LastSortOrder());
    EXPECT_EQ(v.ColumnTexts(1).join(QString()), QStringLiteral("abcde"));
    EXPECT_EQ(selectedText(), QStringLiteral("d"));

    v.SetSortEnabled(false);
    v.ClickAt(h.Left + 10, y);
    EXPECT_TRUE(v.LastSortOrder());
    v.SetSortEnabled(true);
    v.SetCommonHeaderVisible(true); // a click on the common header sorts nothing
    v.ClickAt(h.Left + 10, 8);
    EXPECT_TRUE(v.LastSortOrder());
    v.UnSort();
    EXPECT_EQ(v.LastSortColumn(), -1);
    EXPECT_EQ(v.ColumnTexts(1), names);
}

TEST(ListViewInput, DoubleClickAtAHeaderBorderSizesTheColumn)
{
    TTestView v(3, 3);
    v.SetElem(1, 2, QStringLiteral("a text much wider than the column"));
    v.SetElem(3, 1, QStringLiteral("another quite wide text"));
    int dbl = 0;
    v.SetOnDblClick([&](QObject *) { ++dbl; });
    auto dblAt = [&](int X, int Y) { v.MouseDown(mbLeft, ssLeft | ssDouble, X, Y); };
    const int y = v.HeaderCell(1).Top + 8;
    dblAt(v.HeaderCell(1).Right - 2, y); // right edge of column 1
    EXPECT_EQ(v.GetColWidths(1), v.DetermineMaxColWidth(1, true));
    EXPECT_GT(v.GetColWidths(1), 100);
    EXPECT_EQ(dbl, 0);
    v.SetColWidths(1, 40);
    dblAt(v.HeaderCell(2).Left + 2, y); // left edge of column 2 sizes column 1
    EXPECT_EQ(v.GetColWidths(1), v.DetermineMaxColWidth(1, true));
    EXPECT_EQ(v.GetColWidths(2), 64);
    v.SetColWidths(2, 0); // columns of width 0 are passed over
    dblAt(v.HeaderCell(3).Left + 1, y);
    EXPECT_EQ(v.GetColWidths(2), 0);
    dblAt(v.HeaderCell(3).Left + 30, y); // the middle of a header sizes nothing
    EXPECT_EQ(v.GetColWidths(3), 64);
    EXPECT_EQ(dbl, 0);
    const TRect d = v.DataCell(3, 2);
    dblAt(d.Left + 30, d.Top + 5);
    EXPECT_EQ(dbl, 1);
}

TEST(ListViewInput, InPlaceEditingGoesThroughTheData)
{
    TTestView v(3, 4);
    v.SetOptions(v.Options() & ~unsigned(goRowSelect));
    v.SetColCheckMode(3, cmBox);
    v.SetElemChecked(3, 2, true);
    v.SetColumnEditable(2, true);
    v.SetColumnEditable(3, true);
    QList<int> rows;
    v.SetOnGetEditText([&](QObject *, int, int R, QString &) { rows << R; });
    v.SetOnSetEditText([&](QObject *, int C, int R, const QString &Value) {
        rows << -R;
        EXPECT_EQ(C, 1);
        EXPECT_EQ(Value, QStringLiteral("edited"));
    });
    v.ClickCell(2, 3);
    EXPECT_TRUE(v.Options() & goEditing);
    v.ShowEditor();
    ASSERT_NE(v.InplaceEditor(), nullptr);
    EXPECT_EQ(v.InplaceEditor()->text(), QStringLiteral("r3c2"));
    v.InplaceEditor()->setText(QStringLiteral("edited"));
    v.HideEditor();
    EXPECT_EQ(v.GetElem(2, 3), QStringLiteral("edited"));
    EXPECT_EQ(rows, (QList<int>{3, -3}));
    v.SetOnSetEditText(nullptr);

    // A check cell is edited without its flag and keeps it; an empty one stays unchecked.
    v.ClickCell(3, 2, 30);
    v.ShowEditor();
    EXPECT_EQ(v.InplaceEditor()->text(), QStringLiteral("r2c3"));
    v.InplaceEditor()->setText(QStringLiteral("new"));
    v.HideEditor();
    EXPECT_EQ(v.GetElem(3, 2), QStringLiteral("new"));
    EXPECT_TRUE(v.GetElemChecked(3, 2));
    v.RLData()->Strings()->SetString(3, 4, QString());
    v.ClickCell(3, 4, 30);
    v.ShowEditor();
    v.InplaceEditor()->setText(QStringLiteral("typed"));
    v.HideEditor();
    EXPECT_EQ(v.GetElem(3, 4), QStringLiteral("typed"));
    EXPECT_FALSE(v.GetElemChecked(3, 4));

    // A password column keeps its secret in the editor.
    v.SetColumnIsPwd(2, true);
    v.ClickCell(2, 4);
    v.ShowEditor();
    EXPECT_EQ(v.InplaceEditor()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(v.InplaceEditor()->text(), QStringLiteral("r4c2"));
    v.HideEditor();
    v.ClickCell(3, 1, 30);
    v.ShowEditor();
    EXPECT_EQ(v.InplaceEditor()->echoMode(), QLineEdit::Normal);
    v.HideEditor();

    // Not editable: other columns and disabled rows.
    v.ClickCell(1, 1);
    EXPECT_FALSE(v.Options() & goEditing);
    v.SetRowEnabled(1, false);
    v.ClickCell(2, 1);
    EXPECT_FALSE(v.Options() & goEditing);
    v.ShowEditor();
    EXPECT_FALSE(v.InplaceEditor()->isVisible());
}
