// The in-place editor: opening, committing, cancelling, the pick list and refused texts.
#include "gridtest.h"

#include <krogui/core/error.h>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QMap>

using namespace kro;
using namespace kro::test;

namespace {

// A grid over a small store of texts; counts the commits.
struct EditGrid : ::testing::Test
{
    TDrawGrid g;
    QMap<QPair<int, int>, QString> cells;
    QStringList commits;
    void SetUp() override
    {
        g.SetColCount(6);
        g.SetRowCount(20);
        g.SetOptions(g.Options() | goEditing);
        g.SetOnGetEditText([this](QObject *, int C, int R, QString &V) { V = cells.value({C, R}); });
        g.SetOnSetEditText([this](QObject *, int C, int R, const QString &V) {
            cells[{C, R}] = V;
            commits << QStringLiteral("%1,%2=%3").arg(C).arg(R).arg(V);
        });
        cells[{1, 1}] = QStringLiteral("alpha");
        cells[{1, 2}] = QStringLiteral("beta");
        ShowGrid(g, 400, 200);
    }
    TInplaceEdit *Ed() { return g.InplaceEditor(); }
    bool Open() { return g.EditorMode() && Ed() && Ed()->isVisible(); }
};

// A grid whose column 2 edits through a pick list.
struct PickGrid : TDrawGrid
{
    TEditStyle GetEditStyle(int ACol, int) override { return ACol == 2 ? esPickList : esSimple; }
};

} // namespace

TEST_F(EditGrid, TypingOpensTheEditorEnterCommitsEscCancels)
{
    Type(g, QStringLiteral("x"));
    ASSERT_TRUE(Open());
    EXPECT_EQ(Ed()->text(), QStringLiteral("x")); // the typed character replaced the old text
    EXPECT_EQ(Ed()->geometry(), QRect(65, 25, 64, 24));
    Type(g, QStringLiteral("y"));
    Key(g, Qt::Key_Return);
    EXPECT_FALSE(Open());
    EXPECT_EQ(commits, QStringList{QStringLiteral("1,1=xy")});

    // Enter opens with the text selected; Esc puts it back and commits nothing.
    Key(g, Qt::Key_Return);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Ed()->selectedText(), QStringLiteral("xy"));
    Type(g, QStringLiteral("zzz"));
    Key(g, Qt::Key_Escape);
    EXPECT_FALSE(Open());
    EXPECT_EQ(commits.size(), 1);
    EXPECT_EQ(cells.value({1, 1}), QStringLiteral("xy"));

    // Opening and closing without a change commits nothing (no loss of precision or state).
    Key(g, Qt::Key_F2);
    ASSERT_TRUE(Open());
    EXPECT_FALSE(Ed()->hasSelectedText()); // F2 puts the caret after the text
    Key(g, Qt::Key_Return);
    EXPECT_EQ(commits.size(), 1);

    // Backspace also opens the editor (and clears the selected text).
    Key(g, Qt::Key_Backspace);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Ed()->text(), QString());
    Key(g, Qt::Key_Escape);
    EXPECT_EQ(cells.value({1, 1}), QStringLiteral("xy"));
}

TEST_F(EditGrid, LeavingTheCellCommits)
{
    Key(g, Qt::Key_F2);
    Type(g, QStringLiteral("1"));
    Key(g, Qt::Key_Down); // the editor hands the arrow to the grid
    EXPECT_FALSE(Open());
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(commits, QStringList{QStringLiteral("1,1=alpha1")});

    // A click on the current cell opens the editor, a click elsewhere commits and moves.
    const QPoint here = Centre(g.CellRect(1, 2));
    Click(g, here.x(), here.y());
    ASSERT_TRUE(Open());
    EXPECT_EQ(Ed()->text(), QStringLiteral("beta"));
    Ed()->setText(QStringLiteral("gamma"));
    const QPoint there = Centre(g.CellRect(3, 4));
    Click(g, there.x(), there.y());
    EXPECT_FALSE(Open());
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{3, 4}));
    EXPECT_EQ(cells.value({1, 2}), QStringLiteral("gamma"));

    // Scrolling the editor's cell away hides the editor but keeps editing; a program commit
    // through EditorMode := false stores the text.
    Key(g, Qt::Key_F2);
    Type(g, QStringLiteral("q"));
    g.SetTopRow(10);
    EXPECT_TRUE(g.EditorMode());
    EXPECT_FALSE(Ed()->isVisible());
    g.SetTopRow(1);
    EXPECT_TRUE(Ed()->isVisible());
    g.SetEditorMode(false);
    EXPECT_EQ(cells.value({3, 4}), QStringLiteral("q"));

    // Focus going to another widget commits, the editor stays open.
    QLineEdit other;
    other.show();
    Key(g, Qt::Key_F2);
    Type(g, QStringLiteral("r"));
    QApplication::setActiveWindow(&other);
    other.setFocus();
    EXPECT_EQ(cells.value({3, 4}), QStringLiteral("qr"));
    EXPECT_TRUE(g.EditorMode());
}

TEST_F(EditGrid, AlwaysShowEditorFollowsTheCurrentCell)
{
    g.SetOptions(g.Options() | goAlwaysShowEditor);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Ed()->text(), QStringLiteral("alpha"));
    Ed()->setText(QStringLiteral("one"));
    Key(g, Qt::Key_Return); // commits, stays open
    EXPECT_TRUE(Open());
    EXPECT_EQ(commits, QStringList{QStringLiteral("1,1=one")});
    Ed()->setText(QStringLiteral("two"));
    Key(g, Qt::Key_Escape); // back to the committed text, still open
    EXPECT_TRUE(Open());
    EXPECT_EQ(Ed()->text(), QStringLiteral("one"));
    Ed()->setText(QStringLiteral("three"));
    Key(g, Qt::Key_Down);
    EXPECT_TRUE(Open());
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(Ed()->text(), QStringLiteral("beta"));
    EXPECT_EQ(cells.value({1, 1}), QStringLiteral("three"));
    // At the end of the text Right leaves the cell; in the middle it moves the caret.
    Ed()->setCursorPosition(1);
    Key(g, Qt::Key_Right);
    EXPECT_EQ(g.Col(), 1);
    Ed()->setCursorPosition(Ed()->text().length());
    Key(g, Qt::Key_Right);
    EXPECT_EQ(g.Col(), 2);

    // goRowSelect switches the editor off; no editor on fixed cells either.
    g.SetOptions(g.Options() | goRowSelect);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_FALSE(Ed()->isVisible());
    g.SetOptions((g.Options() & ~TGridOptions(goRowSelect | goAlwaysShowEditor)) | goEditing);
    g.SetSelection(GridRect(0, 0, 0, 0));
    g.ShowEditor();
    EXPECT_FALSE(g.EditorMode());
}

TEST_F(EditGrid, KeysInTheEditorReachTheGridHandlersFirst)
{
    QString seen;
    g.SetOnKeyPress([&](QObject *, QChar &K) {
        seen += K;
        if (K == QLatin1Char('a')) K = QLatin1Char('b');
    });
    int downs = 0;
    g.SetOnKeyDown([&](QObject *, quint16 &K, TShiftState) {
        if (K == VK_DELETE) ++downs;
    });
    Type(g, QStringLiteral("cat"));
    EXPECT_EQ(seen, QStringLiteral("cat"));
    EXPECT_EQ(Ed()->text(), QStringLiteral("cbt"));
    Key(g, Qt::Key_Delete);
    EXPECT_EQ(downs, 1);
    // Without goEditing typed characters only reach OnKeyPress.
    Key(g, Qt::Key_Escape);
    g.SetOptions(g.Options() & ~TGridOptions(goEditing));
    Type(g, QStringLiteral("z"));
    EXPECT_FALSE(g.EditorMode());
    EXPECT_TRUE(seen.endsWith(QLatin1Char('z')));
}

TEST_F(EditGrid, ARefusedCommitKeepsTheEditorAndTheCell)
{
    QString reported;
    const TExceptionHandler old = SetExceptionHandler([&](const QString &M) { reported = M; });
    g.SetOnSetEditText([](QObject *, int, int, const QString &V) {
        if (V == QStringLiteral("bad")) throw EKROError(QStringLiteral("not a valid entry"));
    });
    Key(g, Qt::Key_F2);
    Ed()->setText(QStringLiteral("bad"));
    Key(g, Qt::Key_Down);
    EXPECT_EQ(reported, QStringLiteral("not a valid entry"));
    EXPECT_TRUE(Open());
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(Ed()->text(), QStringLiteral("bad"));
    Ed()->setText(QStringLiteral("good"));
    Key(g, Qt::Key_Down);
    EXPECT_FALSE(Open());
    EXPECT_EQ(g.Row(), 2);
    SetExceptionHandler(old);
}

TEST(GridEditing, PickListOffersTheCellsChoices)
{
    PickGrid g;
    QStringList commits;
    g.SetOptions(g.Options() | goEditing);
    g.SetOnGetEditText([](QObject *, int, int, QString &V) { V = QStringLiteral("red"); });
    g.SetOnSetEditText([&](QObject *, int C, int R, const QString &V) {
        commits << QStringLiteral("%1,%2=%3").arg(C).arg(R).arg(V);
    });
    g.SetOnGetPickListItems([](QObject *, int, int, QStringList &Items) {
        Items << QStringLiteral("red") << QStringLiteral("green") << QStringLiteral("blue");
    });
    ShowGrid(g, 400, 200);
    g.SetCol(2);
    g.ShowEditor();
    auto *ed = qobject_cast<TInplaceEditList *>(g.InplaceEditor());
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->EditStyle(), esPickList);
    Key(g, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(ed->ListVisible());
    EXPECT_EQ(ed->PickList()->count(), 3);
    EXPECT_EQ(ed->PickList()->currentRow(), 0); // the item equal to the text
    QTest::keyClick(ed->PickList(), Qt::Key_Down);
    QTest::keyClick(ed->PickList(), Qt::Key_Return);
    EXPECT_FALSE(ed->ListVisible());
    EXPECT_EQ(ed->text(), QStringLiteral("green"));
    EXPECT_EQ(commits, QStringList{QStringLiteral("2,1=green")}); // a choice commits at once
    // Esc in the list closes it without a change.
    ed->DropDown();
    QTest::keyClick(ed->PickList(), Qt::Key_Down);
    QTest::keyClick(ed->PickList(), Qt::Key_Escape);
    EXPECT_EQ(ed->text(), QStringLiteral("green"));
    // The neighbouring column edits with a plain line.
    Key(g, Qt::Key_Escape);
    g.SetCol(1);
    g.ShowEditor();
    EXPECT_EQ(ed->EditStyle(), esSimple);
    ed->DropDown();
    EXPECT_FALSE(ed->ListVisible());
}
