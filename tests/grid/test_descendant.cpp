// The grid as its descendants use it: overriding the protected hooks of TCustomGrid directly.
#include "gridtest.h"
#include "testutil.h"

#include <krogui/graphics/colors.h>

#include <gtest/gtest.h>

#include <QListWidget>

using namespace kro;
using namespace kro::test;

namespace {

// A small table editor: numbers in a map, Enter moves down (after committing), one column of
// codes edited through a pick list of its own editor, a Tab-wanting grid.
class TableGrid : public TCustomGrid
{
public:
    QMap<QPair<int, int>, QString> Cells;
    QStringList Log;
    bool AutoAdvance = true;
    TInplaceEditList *Editor = nullptr;

protected:
    void DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState) override
    {
        Canvas()->TextRect(Rect, Rect.Left + 2, Rect.Top + 1, Cells.value({ACol, ARow}));
    }
    QString GetEditText(int ACol, int ARow) override { return Cells.value({ACol, ARow}); }
    void SetEditText(int ACol, int ARow, const QString &Value) override
    {
        Cells[{ACol, ARow}] = Value;
        Log << QStringLiteral("set %1,%2=%3").arg(ACol).arg(ARow).arg(Value);
    }
    TEditStyle GetEditStyle(int ACol, int) override { return ACol == 3 ? esPickList : esSimple; }
    TInplaceEdit *CreateEditor() override
    {
        Editor = new TInplaceEditList(this);
        Editor->SetDropDownRows(2);
        Editor->SetOnGetPickListItems([](int, int, QStringList &Items) {
            Items << QStringLiteral("low") << QStringLiteral("mid") << QStringLiteral("high");
        });
        return Editor;
    }
    void KeyPress(QChar &Key) override
    {
        TCustomGrid::KeyPress(Key);
        if (AutoAdvance && (Key.isNull() || Key.unicode() == 13)) {
            quint16 down = VK_DOWN;
            KeyDown(down, 0);
        }
    }
    bool WantTabs() const override { return true; }
    void TopLeftChanged() override
    {
        TCustomGrid::TopLeftChanged();
        Log << QStringLiteral("top %1").arg(TopRow());
    }
};

// A calendar-like grid that ignores mouse releases altogether.
class NoReleaseGrid : public TDrawGrid
{
protected:
    void MouseUp(TMouseButton, TShiftState, int, int) override {}
};

} // namespace

TEST(GridDescendant, EnterCommitsThenAdvancesAndTabIsWanted)
{
    TableGrid g;
    g.SetRowCount(30);
    g.SetOptions(g.Options() | goEditing);
    ShowGrid(g, 400, 200);
    Type(g, QStringLiteral("12"));
    Key(g, Qt::Key_Return);
    EXPECT_EQ(g.Log, QStringList{QStringLiteral("set 1,1=12")});
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.EditorMode());
    // Enter on a closed editor opens it (and the descendant then moves on, closing it unchanged).
    Key(g, Qt::Key_Return);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Log.size(), 1);
    // Tab reaches the grid although goTabs is not set.
    Key(g, Qt::Key_Tab);
    EXPECT_EQ(g.Col(), 2);
    // The painted cell shows the committed text.
    g.SetTopRow(1);
    const TRect r = g.CellRect(1, 1);
    const QImage img = g.Surface().copy(r.Left, r.Top, r.Width(), r.Height());
    EXPECT_LT(CountColor(img, ColorToRGB(clWindow), 0, 0, img.width(), img.height()),
              img.width() * img.height());
}

TEST(GridDescendant, OwnPickListEditorAndScrollHook)
{
    TableGrid g;
    g.AutoAdvance = false;
    g.SetRowCount(30);
    g.SetOptions(g.Options() | goEditing);
    ShowGrid(g, 400, 200);
    g.SetCol(3);
    g.SetEditorMode(true);
    ASSERT_NE(g.Editor, nullptr);
    EXPECT_EQ(g.InplaceEditor(), g.Editor);
    EXPECT_EQ(g.Editor->EditStyle(), esPickList);
    g.Editor->DropDown();
    ASSERT_TRUE(g.Editor->ListVisible());
    EXPECT_EQ(g.Editor->PickList()->count(), 3);
    EXPECT_LE(g.Editor->PickList()->height(), 2 * g.Editor->PickList()->sizeHintForRow(0) + 4);
    g.Editor->PickList()->setCurrentRow(2);
    g.Editor->CloseUp(true);
    EXPECT_EQ(g.Cells.value({3, 1}), QStringLiteral("high"));
    // The double click steps through the choices.
    QTest::mouseDClick(g.Editor, Qt::LeftButton);
    EXPECT_EQ(g.Editor->text(), QStringLiteral("low"));
    // TopLeftChanged runs for a wheel scroll past the view as well.
    g.Log.clear();
    for (int i = 0; i < 10; ++i)
        Wheel(g, QPoint(100, 100), -120);
    EXPECT_EQ(g.Row(), 11);
    EXPECT_FALSE(g.Log.filter(QStringLiteral("top")).isEmpty());
    EXPECT_EQ(g.Log.filter(QStringLiteral("set")), QStringList{QStringLiteral("set 3,1=low")});
}

TEST(GridDescendant, AnIgnoredReleaseEndsTheDragAnyway)
{
    NoReleaseGrid g;
    g.SetRowCount(40);
    ShowGrid(g, 400, 200);
    const QPoint a = Centre(g.CellRect(1, 2)), b = Centre(g.CellRect(1, 5));
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, a);
    EXPECT_FALSE(g.ScrollTimer()->IsActive());
    QTest::mouseMove(g.viewport(), b);
    EXPECT_EQ(g.Selection(), GridRect(1, 2, 1, 2));
}
