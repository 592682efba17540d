// The grid on the shared control core: one click per chosen cell, look and hint from the core,
// typed characters into the editor, enter and leave.
#include "gridtest.h"
#include "testutil.h"

#include <krogui/graphics/colors.h>

#include <QEnterEvent>
#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

TEST(GridCore, ClicksAndDoubleClicksFireOnce)
{
    TDrawGrid g;
    ShowGrid(g);
    QStringList log;
    g.SetOnClick([&](QObject *S) { log << (S == &g ? QStringLiteral("click") : QStringLiteral("?")); });
    g.SetOnDblClick([&](QObject *) { log << QStringLiteral("dbl"); });
    g.SetOnMouseDown([&](QObject *, TMouseButton, TShiftState S, int, int) {
        log << ((S & ssDouble) ? QStringLiteral("down2") : QStringLiteral("down"));
    });
    g.SetOnMouseUp([&](QObject *, TMouseButton, TShiftState, int, int) { log << QStringLiteral("up"); });
    // A press and release on a cell chooses it: one click, after the press, before the release's event.
    Click(g, 150, 60);
    EXPECT_EQ(log, QStringList({"down", "click", "up"}));
    EXPECT_EQ(g.Col(), 2);
    // A release over the fixed cells chose nothing: no click at all.
    log.clear();
    Click(g, 10, 10);
    EXPECT_EQ(log, QStringList({"down", "up"}));
    log.clear();
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 60));
    EXPECT_EQ(log.count(QStringLiteral("dbl")), 1);
    EXPECT_EQ(log.indexOf(QStringLiteral("dbl")) + 1, log.indexOf(QStringLiteral("down2")));
}

TEST(GridCore, LookAndHintComeFromTheCore)
{
    TDrawGrid g;
    ShowGrid(g);
    EXPECT_EQ(g.Color(), clWindow);
    g.SetColor(0x123456);
    EXPECT_EQ(test::PixelAt(g.Surface(), 315, 115), 0x123456u); // beyond the last cell
    g.SetOptions(g.Options() | goEditing);
    g.ShowEditor();
    ASSERT_NE(g.InplaceEditor(), nullptr);
    EXPECT_EQ(g.InplaceEditor()->palette().color(QPalette::Base), ToQColor(0x123456));
    g.Font()->SetColor(0x00FF00);
    EXPECT_EQ(g.InplaceEditor()->palette().color(QPalette::Text), ToQColor(0x00FF00));
    g.SetHint(QStringLiteral("cells"));
    EXPECT_TRUE(g.toolTip().isEmpty());
    EXPECT_EQ(g.accessibleDescription(), QStringLiteral("cells"));
    g.SetShowHint(true);
    EXPECT_EQ(g.toolTip(), QStringLiteral("cells"));
    g.SetBounds(3, 4, -5, 60);
    EXPECT_EQ(g.Width(), 0);
    EXPECT_EQ(g.Height(), 60);
}

TEST(GridCore, TypedCharactersOpenTheEditorAfterOnKeyPress)
{
    TDrawGrid g;
    ShowGrid(g);
    g.SetOptions(g.Options() | goEditing);
    QString seen;
    g.SetOnKeyPress([&](QObject *, QChar &K) {
        seen += K;
        if (K == QLatin1Char('x')) K = QChar(); // swallowed: the editor stays closed
        if (K == QLatin1Char('a')) K = QLatin1Char('b');
    });
    QTest::keyClick(&g, Qt::Key_X);
    EXPECT_FALSE(g.EditorMode());
    QTest::keyClick(&g, Qt::Key_A);
    ASSERT_TRUE(g.EditorMode());
    EXPECT_EQ(g.InplaceEditor()->text(), QStringLiteral("b"));
    EXPECT_EQ(seen, QStringLiteral("xa")); // each character reached OnKeyPress once
    // Arrow keys are the grid's: the current row moves by one and the view does not scroll.
    g.HideEditor();
    g.setFocus();
    const int top = g.TopRow();
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.TopRow(), top);
}

TEST(GridCore, MouseEnterAndLeave)
{
    TDrawGrid g;
    ShowGrid(g);
    int enter = 0, leave = 0;
    g.SetOnMouseEnter([&](QObject *) { ++enter; });
    g.SetOnMouseLeave([&](QObject *) { ++leave; });
    QEnterEvent in(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&g, &in);
    QEvent out(QEvent::Leave);
    QApplication::sendEvent(&g, &out);
    EXPECT_EQ(enter, 1);
    EXPECT_EQ(leave, 1);
}
