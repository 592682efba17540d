// The table editor driven as a user drives it: clicks, keys, the two editors, the menu commands
// and the clipboard.
#include "ntabtest.h"

#include <krogui/ntabed/ntabtext.h>
#include <krogui/numio/numtext.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

struct Shown
{
    TNTabEd E;
    EventLog Log;
    Shown()
    {
        ShowGrid(E, 420, 200);
        Log.Attach(E);
    }
};

// Clicks data cell (Col, Row) once to select it, then again to edit it.
void EditCell(TNTabEd &E, int Col, int Row)
{
    Click(E, DataCellCentre(E, Col, Row).x(), DataCellCentre(E, Col, Row).y());
    Click(E, DataCellCentre(E, Col, Row).x(), DataCellCentre(E, Col, Row).y());
}

void RightClickGrid(TNTabEd &E, int GridCol, int GridRow)
{
    const QPoint p = Centre(E.CellRect(GridCol, GridRow));
    Click(E, p.x(), p.y(), Qt::NoModifier, Qt::RightButton);
}

void Trigger(TNTabEd &E, const char *Name)
{
    QAction *a = MenuItem(E, QString::fromLatin1(Name));
    ASSERT_NE(a, nullptr) << Name;
    a->trigger();
}

} // namespace

TEST(NTabEdInput, FirstClickSelectsSecondEdits)
{
    Shown s;
    TNTabEd &e = s.E;
    const QPoint p = DataCellCentre(e, 2, 3);
    Click(e, p.x(), p.y());
    EXPECT_FALSE(e.EditorMode());
    EXPECT_EQ(e.Col(), 3);
    EXPECT_EQ(e.Row(), 3);
    Click(e, p.x(), p.y());
    ASSERT_TRUE(e.EditorMode());
    ASSERT_TRUE(e.InplaceEditor() && e.InplaceEditor()->isVisible());

    // "1,5" is stored as 1.5; Enter commits and, with AutoAdvance, moves down.
    e.InplaceEditor()->selectAll();
    Type(e, QStringLiteral("1,5"));
    Key(e, Qt::Key_Return);
    EXPECT_EQ(e.GetElem(2, 3), 1.5);
    EXPECT_EQ(e.Row(), 4);

    // Letters leave the value and make the cell invalid; marks go, the application's bits stay.
    e.SetCellState(2, 3, 0x40 | 0x08);
    EditCell(e, 2, 3);
    e.InplaceEditor()->selectAll();
    Type(e, QStringLiteral("abc"));
    Key(e, Qt::Key_Return);
    EXPECT_EQ(e.GetElem(2, 3), 1.5);
    EXPECT_EQ(e.GetCellState(2, 3), 0x01 | 0x08);
    EditCell(e, 2, 3);
    e.InplaceEditor()->selectAll();
    Type(e, QStringLiteral("-2e2"));
    Key(e, Qt::Key_Return);
    EXPECT_EQ(e.GetElem(2, 3), -200);
    EXPECT_EQ(e.GetCellState(2, 3), 0x08);

    // Read-only: a second click does not edit.
    e.SetDataReadOnly(true);
    Click(e, p.x(), p.y());
    Click(e, p.x(), p.y());
    EXPECT_FALSE(e.EditorMode());
}

TEST(NTabEdInput, KeysAndWheelReportTheSelectionAndMoveThePositionText)
{
    Shown s;
    TNTabEd &e = s.E;
    int selections = 0;
    e.SetOnSelectionChanged([&](QObject *) { ++selections; });
    const TRect corner = e.CellRect(0, 0);
    const QImage before = e.Surface().copy(corner.Left, corner.Top, corner.Width(), corner.Height());
    Key(e, Qt::Key_Down);
    Key(e, Qt::Key_Right);
    EXPECT_EQ(selections, 2);
    EXPECT_EQ(e.Col(), 3);
    EXPECT_EQ(e.Row(), 2);
    EXPECT_NE(e.Surface().copy(corner.Left, corner.Top, corner.Width(), corner.Height()), before);
    Wheel(e, Centre(e.CellRect(3, 2)), -120);
    EXPECT_EQ(e.Row(), 3);
    EXPECT_EQ(selections, 3);
    // A drag reports each change of the selection once.
    selections = 0;
    const QPoint a = DataCellCentre(e, 1, 1), b = DataCellCentre(e, 2, 2);
    Drag(e, a.x(), a.y(), b.x(), b.y());
    EXPECT_EQ(e.Selection(), GridRect(2, 1, 3, 2));
    EXPECT_GE(selections, 2);
    EXPECT_LE(selections, 3);
}

TEST(NTabEdInput, AutoAdvanceRightAndEscape)
{
    Shown s;
    TNTabEd &e = s.E;
    e.SetAutoAdvanceDir(orHorizontal);
    EditCell(e, 1, 1);
    e.InplaceEditor()->selectAll();
    Type(e, QStringLiteral("7"));
    Key(e, Qt::Key_Return);
    EXPECT_EQ(e.GetElem(1, 1), 7);
    EXPECT_EQ(e.Col(), 3); // data column 2
    EXPECT_EQ(e.Row(), 1);
    // Esc throws the text away and closes the editor.
    Type(e, QStringLiteral("9"));
    ASSERT_TRUE(e.EditorMode());
    Key(e, Qt::Key_Escape);
    EXPECT_FALSE(e.InplaceEditor()->isVisible());
    EXPECT_EQ(e.GetElem(2, 1), 0);
}

TEST(NTabEdInput, CodedColumnEditsByIdentifier)
{
    Shown s;
    TNTabEd &e = s.E;
    e.Data()->SetMScaleType(1, mstNominal);
    e.Data()->SetNominalID(1, 2, QStringLiteral("red"));
    e.Data()->SetNominalID(1, 5, QStringLiteral("blue"));
    EditCell(e, 1, 2);
    auto *list = qobject_cast<TInplaceEditList *>(e.InplaceEditor());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->EditStyle(), esPickList);
    e.InplaceEditor()->selectAll();
    Type(e, QStringLiteral("BLUE"));
    Key(e, Qt::Key_Return);
    EXPECT_EQ(e.GetElem(1, 2), 5);
    EditCell(e, 1, 3);
    EXPECT_EQ(e.InplaceEditor()->text(), "0");
    list->DropDown();
    EXPECT_EQ(list->PickListItems(), QStringList({QStringLiteral("red"), QStringLiteral("blue")}));
    list->CloseUp(false);
    e.InplaceEditor()->selectAll();
    Type(e, QStringLiteral("12"));
    Key(e, Qt::Key_Return);
    EXPECT_EQ(e.GetElem(1, 3), 12);
    EXPECT_EQ(DataCellText(*e.Data(), 1, 3, 1, 3), "nominal:12");
}

TEST(NTabEdInput, HeadingEditorStoresNamesAndClampedAttributes)
{
    Shown s;
    TNTabEd &e = s.E;
    RightClickGrid(e, 3, 0); // heading of data column 2
    EXPECT_EQ(e.ClickCol(), 3);
    EXPECT_EQ(e.GetPopupHCaption(3), "Select Column");
    e.PopupHTAction()->hide();
    Trigger(e, "HIt1");
    ASSERT_TRUE(e.HeadingEditorActive());
    auto *ed = static_cast<QLineEdit *>(e.HeadingEditor());
    ed->selectAll();
    QTest::keyClicks(ed, QStringLiteral("Pressure"));
    QTest::keyClick(ed, Qt::Key_Return);
    EXPECT_FALSE(e.HeadingEditorActive());
    EXPECT_EQ(e.GetColName(2), "Pressure");
    EXPECT_EQ(s.Log.Count("Heading"), 1);

    // Row attributes: 300 -> 255, -4 -> 0, x -> nothing stored.
    const struct
    {
        const char *Text;
        int Expected;
    } cases[] = {{"300", 255}, {"-4", 0}, {"x", 0}, {"17.5", 18}};
    e.SetRowAttrib(2, 9);
    int expected = 9;
    for (const auto &c : cases) {
        RightClickGrid(e, 1, 2);
        e.PopupHTAction()->hide();
        EXPECT_EQ(e.GetPopupHCaption(4), "Insert Row");
        Trigger(e, "HIt1");
        ed->selectAll();
        QTest::keyClicks(ed, QString::fromLatin1(c.Text));
        QTest::keyClick(ed, Qt::Key_Return);
        if (QString::fromLatin1(c.Text) != "x") expected = c.Expected;
        EXPECT_EQ(e.GetRowAttrib(2), expected) << c.Text;
    }
    // Esc leaves the name alone.
    RightClickGrid(e, 0, 1);
    e.PopupHTAction()->hide();
    Trigger(e, "HIt1");
    ed->selectAll();
    QTest::keyClicks(ed, QStringLiteral("zz"));
    QTest::keyClick(ed, Qt::Key_Escape);
    EXPECT_EQ(e.GetRowName(1), "");
}

TEST(NTabEdInput, CommentEditorOpensOnTheCornerAndCommitsOnEnter)
{
    Shown s;
    TNTabEd &e = s.E;
    e.SetComment(QStringLiteral("old"));
    s.Log.Seen.clear();
    RightClickGrid(e, 0, 0);
    ASSERT_TRUE(e.CommentEditorActive());
    auto *memo = static_cast<QPlainTextEdit *>(e.CommentEditor());
    EXPECT_EQ(memo->toPlainText(), "old");
    memo->selectAll();
    QTest::keyClicks(memo, QStringLiteral("line 1"));
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(memo, QStringLiteral("line 2"));
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_FALSE(e.CommentEditorActive());
    EXPECT_EQ(e.Comment(), "line 1\nline 2");
    EXPECT_EQ(s.Log.Count("Change"), 1);
    // A click on the corner closes it without storing; with a PopupMenu the built-in menus stay
    // shut but the comment editor still opens.
    QMenu own;
    e.SetPopupMenu(&own);
    RightClickGrid(e, 0, 0);
    ASSERT_TRUE(e.CommentEditorActive());
    memo->selectAll();
    QTest::keyClicks(memo, QStringLiteral("lost"));
    RightClickGrid(e, 0, 0);
    EXPECT_FALSE(e.CommentEditorActive());
    EXPECT_EQ(e.Comment(), "line 1\nline 2");
    RightClickGrid(e, 3, 2);
    EXPECT_FALSE(e.PopupDTAction()->isVisible());
    e.SetPopupMenu(nullptr);
    e.SetCommentEditingAllowed(false);
    RightClickGrid(e, 0, 0);
    EXPECT_FALSE(e.CommentEditorActive());
}

TEST(NTabEdInput, MarkCommandsOnASmallTable)
{
    Shown s;
    TNTabEd &e = s.E;
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 4; ++r)
            e.Data()->SetCellState(c, r, 0x04);
    SelectData(e, 2, 2, 3, 3);
    Trigger(e, "M1It1"); // A, range
    Trigger(e, "M2It2"); // B, columns 2..3
    Trigger(e, "M1It3"); // A, rows 2..3
    // Worked expectation: bit 0x40 on rows 2..3 (all columns), bit 0x80 on columns 2..3.
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 4; ++r) {
            const int expect = 0x04 | ((r == 2 || r == 3) ? 0x40 : 0) | (c >= 2 ? 0x80 : 0);
            EXPECT_EQ(e.GetCellState(c, r), expect) << c << "," << r;
        }
    Trigger(e, "U2It4"); // unmark B everywhere
    EXPECT_EQ(e.NrOfMarkedDataB(), 0);
    EXPECT_EQ(e.NrOfMarkedDataA(), 6);
    Trigger(e, "DIt5"); // Unmark All
    EXPECT_FALSE(e.IfAnyMarked());
    EXPECT_EQ(e.GetCellState(1, 1), 0x04);
    EXPECT_GE(s.Log.Count("CellState"), 5);

    // Toggle Empty State flips bit 0x02 only; Clear zeroes values and states, OnPaste before OnChange.
    e.SetElem(2, 2, 5);
    e.SetElemMarkedA(2, 2, true);
    SelectData(e, 2, 2, 2, 3);
    Trigger(e, "DIt12");
    EXPECT_EQ(e.GetCellState(2, 2), 0x04 | 0x02 | 0x40);
    s.Log.Seen.clear();
    Trigger(e, "DIt6");
    EXPECT_EQ(e.GetElem(2, 2), 0);
    EXPECT_EQ(e.GetCellState(2, 2), 0x04);
    ASSERT_GE(s.Log.Seen.size(), 2u);
    EXPECT_EQ(s.Log.Seen[0], "Paste");
    EXPECT_EQ(s.Log.Seen[1], "Change");

    Trigger(e, "DIt11"); // Select All
    EXPECT_EQ(e.Selection(), GridRect(2, 1, 4, 4));
    Trigger(e, "DIt9"); // Data Read-Only
    EXPECT_TRUE(e.DataReadOnly());
    EXPECT_FALSE(e.Options() & goEditing);
}

TEST(NTabEdInput, HeadingCommandsInsertDeleteSelectAndPrecision)
{
    Shown s;
    TNTabEd &e = s.E;
    e.SetElem(2, 1, 22);
    RightClickGrid(e, 3, 0);
    e.PopupHTAction()->hide();
    Trigger(e, "HIt3");
    EXPECT_EQ(e.Selection(), GridRect(3, 1, 3, 4));
    Trigger(e, "HIt4"); // Insert Column before column 2
    EXPECT_EQ(e.NrOfColumns(), 4);
    EXPECT_EQ(e.GetColName(2), "(...)");
    EXPECT_EQ(e.GetElem(3, 1), 22);
    Trigger(e, "HIt5"); // Delete Column 2
    EXPECT_EQ(e.NrOfColumns(), 3);
    EXPECT_EQ(e.GetElem(2, 1), 22);

    // Change Precision steps 3, 2, 1, 0, -1, 10, 9 and the menu comes back by itself.
    const int steps[] = {2, 1, 0, -1, 10, 9};
    for (int expected : steps) {
        Trigger(e, "HIt2");
        EXPECT_EQ(e.GetDecPlaces(2), expected);
        QCoreApplication::processEvents(); // the menu reopens from the event loop, not from inside
        EXPECT_TRUE(e.PopupHTAction()->isVisible());
        e.PopupHTAction()->hide();
    }
    // Destroying the editor with a reopening pending, or with a menu or the comment open, is safe.
    {
        auto *other = new TNTabEd;
        ShowGrid(*other);
        RightClickGrid(*other, 3, 0);
        EXPECT_TRUE(other->PopupHTAction()->isVisible());
        delete other;
        other = new TNTabEd;
        ShowGrid(*other);
        RightClickGrid(*other, 0, 0);
        EXPECT_TRUE(other->CommentEditorActive());
        delete other;
    }
    {
        auto *other = new TNTabEd;
        ShowGrid(*other);
        RightClickGrid(*other, 3, 0);
        other->PopupHTAction()->hide();
        Trigger(*other, "HIt2");
        delete other;
        QCoreApplication::processEvents();
    }

    // Row heading: Delete Row down to one row, then it does nothing.
    for (int i = 0; i < 5; ++i) {
        RightClickGrid(e, 0, 1);
        e.PopupHTAction()->hide();
        EXPECT_FALSE(MenuItem(e, "HIt2")->isEnabled()); // no precision for rows
        Trigger(e, "HIt5");
    }
    EXPECT_EQ(e.NrOfRows(), 1);
}

TEST(NTabEdInput, MasksDisableItems)
{
    Shown s;
    TNTabEd &e = s.E;
    e.SetPopupDMask(2147483647 & ~(1 << 5) & ~(1 << 10));
    EXPECT_FALSE(MenuItem(e, "DIt6")->isEnabled());
    EXPECT_FALSE(MenuItem(e, "DIt11")->isEnabled());
    EXPECT_TRUE(MenuItem(e, "DIt7")->isEnabled());
    EXPECT_EQ(s.Log.Count("Setup"), 1);
    e.SetPopupHMask(~(1 << 3));
    RightClickGrid(e, 3, 0);
    e.PopupHTAction()->hide();
    EXPECT_FALSE(MenuItem(e, "HIt4")->isEnabled());
    EXPECT_TRUE(MenuItem(e, "HIt5")->isEnabled());
    e.SetDataReadOnly(true);
    RightClickGrid(e, 3, 0);
    e.PopupHTAction()->hide();
    EXPECT_FALSE(MenuItem(e, "HIt5")->isEnabled());

    // Paste: off until something was copied, and while read-only.
    int before = 0;
    e.SetOnBeforePopup([&](QObject *, QMenu *M) { before += M == e.PopupDTAction(); });
    RightClickGrid(e, 3, 2);
    EXPECT_EQ(before, 1);
    EXPECT_FALSE(MenuItem(e, "DIt8")->isEnabled());
    e.PopupDTAction()->hide();
    Trigger(e, "DIt7");
    RightClickGrid(e, 3, 2);
    EXPECT_FALSE(MenuItem(e, "DIt8")->isEnabled());
    e.PopupDTAction()->hide();
    e.SetDataReadOnly(false);
    RightClickGrid(e, 3, 2);
    EXPECT_TRUE(MenuItem(e, "DIt8")->isEnabled());
    e.PopupDTAction()->hide();
    e.SetBlockInternalPopup(true);
    RightClickGrid(e, 3, 2);
    EXPECT_EQ(before, 3);
}

TEST(NTabEdInput, CopyPasteAndExtractRoundTrip)
{
    Shown s;
    TNTabEd &e = s.E;
    e.SetClipboardUseFullPrec(false);
    e.SetDecPlaces(1, 0);
    e.SetDecPlaces(2, 0);
    e.SetElem(1, 1, 1);
    e.SetElem(2, 1, 2);
    e.SetElem(1, 2, 3);
    e.SetElem(2, 2, 4);
    e.SetCellState(2, 2, ntsEmpty | ntsMarkB);
    SelectData(e, 1, 1, 2, 2);
    s.Log.Seen.clear();
    e.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(" 1\t2\r\n 3\t####\r\n"));
    EXPECT_TRUE(s.Log.Seen.empty());
    int nc = 0, nr = 0;
    EXPECT_TRUE(e.GetClipMatrixSize(nc, nr));
    EXPECT_EQ(nc, 2);
    EXPECT_EQ(nr, 2);

    // Paste at (2, 3): values and states exactly; the part beyond the table is skipped.
    SelectData(e, 2, 3, 2, 3);
    e.PasteFromCopyBuffer();
    EXPECT_EQ(e.GetElem(2, 3), 1);
    EXPECT_EQ(e.GetElem(3, 3), 2);
    EXPECT_EQ(e.GetElem(2, 4), 3);
    EXPECT_EQ(e.GetCellState(3, 4), ntsEmpty | ntsMarkB);
    EXPECT_EQ(e.Data()->GetElem(3, 4), 4);
    EXPECT_EQ(s.Log.Count("Paste"), 1);
    EXPECT_EQ(e.Selection(), GridRect(3, 3, 4, 4));

    // Extract: "1,5 2.5" into neighbouring cells; an empty cell that receives a number shows it.
    QGuiApplication::clipboard()->setText(QStringLiteral("1,5 2.5\n-3"));
    e.SetCellState(1, 1, ntsEmpty | 0x20);
    SelectData(e, 1, 1, 1, 1);
    s.Log.Seen.clear();
    e.ExtractFromClipboard();
    EXPECT_EQ(e.GetElem(1, 1), 1.5);
    EXPECT_EQ(e.GetElem(2, 1), 2.5);
    EXPECT_EQ(e.GetElem(1, 2), -3);
    EXPECT_EQ(e.GetCellState(1, 1), 0x20);
    EXPECT_EQ(e.Selection(), GridRect(2, 1, 3, 2));
    EXPECT_EQ(s.Log.Count("Change"), 1);
    EXPECT_EQ(s.Log.Count("Paste"), 1);

    // Full precision keeps every digit through the clipboard.
    e.SetClipboardUseFullPrec(true);
    e.SetElem(3, 1, 1234.56789012345);
    SelectData(e, 3, 1, 3, 1);
    e.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral(" ") + FormatReal(22, -1, 1234.56789012345) + "\r\n");
    SelectData(e, 1, 4, 1, 4);
    e.ExtractFromClipboard();
    EXPECT_NEAR(e.GetElem(1, 4), 1234.56789012345, 1e-10);
}

TEST(NTabEdInput, AClipboardWithoutTextIsRefused)
{
    Shown s;
    TNTabEd &e = s.E;
    e.Fill(2);
    e.SetCellState(1, 1, ntsEmpty);
    auto *md = new QMimeData;
    md->setData(QStringLiteral("image/png"), QByteArray("\x89PNG\r\n1 2 3"));
    QGuiApplication::clipboard()->setMimeData(md);
    int nc = 0, nr = 0;
    EXPECT_FALSE(e.GetClipMatrixSize(nc, nr));
    EXPECT_EQ(nc, 1);
    EXPECT_EQ(nr, 1);
    SelectData(e, 1, 1, 1, 1);
    s.Log.Seen.clear();
    e.ExtractFromClipboard();
    EXPECT_TRUE(s.Log.Seen.empty());
    EXPECT_EQ(e.GetCellState(1, 1), ntsEmpty);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(e.GetElem(c, r), 2);
}

TEST(NTabEdInput, ClipboardJunkNeverWritesOutsideTheTable)
{
    Shown s;
    TNTabEd &e = s.E;
    e.Fill(-1);
    int nc = 0, nr = 0;
    QGuiApplication::clipboard()->setText(QStringLiteral("no numbers here"));
    EXPECT_FALSE(e.GetClipMatrixSize(nc, nr));
    EXPECT_EQ(nc, 1);
    EXPECT_EQ(nr, 1);
    e.ExtractFromClipboard();
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(e.GetElem(c, r), -1);

    // Ragged rows larger than the table, placed at the last cell: only that cell changes.
    QGuiApplication::clipboard()->setText(QStringLiteral("5 6 7 8\r9\r\n1 2 3 4 5 6\n\n\n"));
    EXPECT_TRUE(e.GetClipMatrixSize(nc, nr));
    EXPECT_EQ(nc, 6);
    EXPECT_EQ(nr, 3);
    SelectData(e, 3, 4, 3, 4);
    e.ExtractFromClipboard();
    EXPECT_EQ(e.GetElem(3, 4), 5);
    EXPECT_EQ(e.GetElem(2, 4), -1);
    EXPECT_EQ(e.GetElem(3, 3), -1);
    EXPECT_EQ(e.Selection(), GridRect(4, 4, 4, 4));

    // A megabyte line of digits is one (huge, finite) number.
    QGuiApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('7')));
    SelectData(e, 1, 1, 1, 1);
    e.ExtractFromClipboard();
    EXPECT_GT(e.GetElem(1, 1), 1e300);
    EXPECT_EQ(e.GetElem(2, 1), -1);

    // Read-only data takes no values.
    e.SetDataReadOnly(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("3"));
    e.ExtractFromClipboard();
    EXPECT_GT(e.GetElem(1, 1), 1e300);
}
