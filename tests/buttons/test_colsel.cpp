// TColSel: palettes and names, NumColors, SelColor in and out of the list, user choices, bad input.
#include <krogui/buttons/colsel.h>
#include <krogui/graphics/colors.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace kro;

namespace {

QStringList Items(const QComboBox &C)
{
    QStringList l;
    for (int i = 0; i < C.count(); ++i)
        l << C.itemText(i);
    return l;
}

QStringList PredefinedNames(int First, int Count)
{
    QStringList l;
    for (int i = First; i < First + Count; ++i)
        l << ColorToString(PredefinedColors()[i]);
    return l;
}

} // namespace

TEST(ColSel, PalettesNameEveryEntryThroughTheEvent)
{
    TColSel s;
    // At first: the extended palette, entry 1 selected; the entries behind it are the table's.
    EXPECT_EQ(Items(s), PredefinedNames(0, 20));
    EXPECT_EQ(s.SelColorIndex(), 1);
    EXPECT_EQ(s.GetSelColorID(), QStringLiteral("clBlack"));
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Colour: clBlack"));
    s.SetNumColors(47);
    EXPECT_EQ(Items(s), PredefinedNames(0, 47));

    int calls = 0;
    s.SetOnColorNameChange([&](QObject *Sender, QString &Name) {
        EXPECT_EQ(Sender, &s);
        ++calls;
        if (Name == QLatin1String("clBtnFace")) Name = QStringLiteral("Button face");
    });
    s.SetSelColor(clGreen);
    calls = 0;
    s.LoadWindowsSystemPalette();
    EXPECT_EQ(calls, 27);
    EXPECT_EQ(s.count(), 27);
    EXPECT_EQ(s.SelColorIndex(), 1);
    EXPECT_EQ(s.GetArrayColor(1), clScrollBar);
    EXPECT_EQ(s.GetArrayColor(27), clGradientActiveCaption);
    EXPECT_EQ(s.GetArrayColor(16), clBtnFace); // entry 36 of the table
    EXPECT_EQ(s.ColorNames(16), QStringLiteral("Button face"));
    EXPECT_EQ(s.itemText(15), QStringLiteral("Button face"));

    calls = 0;
    s.LoadBasicVGAPalette();
    EXPECT_EQ(calls, 16);
    EXPECT_EQ(Items(s), PredefinedNames(0, 16));
    s.LoadStandardPalette();
    EXPECT_EQ(s.count(), 47);
    EXPECT_EQ(s.itemText(35), QStringLiteral("Button face"));
}

TEST(ColSel, IndexedAccessOutsideTheListDoesNothing)
{
    TColSel s;
    s.SetNumColors(5);
    EXPECT_EQ(s.count(), 5);
    for (int i : {-1, 0, 6, 47, 1000}) {
        EXPECT_EQ(s.GetArrayColor(i), 0u);
        EXPECT_TRUE(s.ColorNames(i).isEmpty());
        EXPECT_FALSE(s.GetArrayAllowEdit(i));
        s.SetArrayColor(i, clRed);
        s.SetArrayColorName(i, QStringLiteral("x"));
        s.SetArrayAllowEdit(i, true);
    }
    EXPECT_EQ(Items(s), PredefinedNames(0, 5));
    s.SetNumColors(6);
    EXPECT_EQ(s.GetArrayColor(6), PredefinedColors()[5]); // the hidden entry was not written
    EXPECT_FALSE(s.GetArrayAllowEdit(6));

    // A colour keeps its own name, a system colour too; a rename shows as given.
    s.SetArrayColor(2, clBtnFace);
    EXPECT_EQ(s.ColorNames(2), QStringLiteral("clBtnFace"));
    s.SetArrayColor(2, RGB(1, 2, 3));
    EXPECT_EQ(s.itemText(1), QStringLiteral("$00030201"));
    s.SetArrayColorName(2, QStringLiteral("Ink"));
    EXPECT_EQ(s.ColorNames(2), QStringLiteral("Ink"));
    EXPECT_EQ(s.itemText(1), QStringLiteral("Ink"));
}

TEST(ColSel, NumColorsRules)
{
    TColSel s;
    s.SetSelColor(clRed);
    s.SetNumColors(0);
    s.SetNumColors(48);
    s.SetNumColors(-5);
    EXPECT_EQ(s.NumColors(), 20);
    EXPECT_EQ(s.SelColor(), clRed);
    s.SetNumColors(5);
    EXPECT_EQ(s.count(), 5);
    EXPECT_EQ(s.SelColorIndex(), 1);
    EXPECT_EQ(s.currentIndex(), 0);
    s.SetColorBarWidth(-1);
    EXPECT_EQ(s.ColorBarWidth(), 30);
    s.SetColorBarWidth(0);
    EXPECT_EQ(s.ColorBarWidth(), 0);
}

TEST(ColSel, SelColorInTheListSelectsTheFirstMatch)
{
    TColSel s;
    int calls = 0;
    s.SetOnColorNameChange([&](QObject *, QString &) { ++calls; });
    s.SetSelColor(clRed);
    EXPECT_EQ(s.SelColorIndex(), 10);
    EXPECT_EQ(s.currentIndex(), 9);
    EXPECT_EQ(s.GetSelColorID(), QStringLiteral("clRed"));
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Colour: clRed"));
    EXPECT_EQ(calls, 1); // the found entry is named again
    // Matching goes by RGB value: the first entry of that value wins.
    s.SetArrayColor(15, clRed);
    s.SetSelColor(clYellow);
    s.SetSelColor(RGB(255, 0, 0));
    EXPECT_EQ(s.SelColorIndex(), 10);
    s.SetNumColors(47);
    s.SetSelColor(clBtnFace);
    EXPECT_EQ(ColorToRGB(s.SelColor()), ColorToRGB(clBtnFace));
    EXPECT_EQ(s.NumColors(), 47);
}

TEST(ColSel, SelColorNotInTheListNeverOverwritesAnEntry)
{
    TColSel s;
    s.SetSelColor(clRed);
    const QStringList before = Items(s);
    s.SetSelColor(RGB(1, 2, 3));
    // The colour is added behind the palette and selected; the old selection is still there.
    EXPECT_EQ(s.NumColors(), 21);
    EXPECT_EQ(Items(s).mid(0, 20), before);
    EXPECT_EQ(s.GetArrayColor(10), clRed);
    EXPECT_EQ(s.SelColorIndex(), 21);
    EXPECT_EQ(s.SelColor(), RGB(1, 2, 3));
    EXPECT_EQ(s.GetSelColorID(), QStringLiteral("$00030201"));
    s.SetSelColor(RGB(1, 2, 3)); // now in the list
    EXPECT_EQ(s.NumColors(), 21);

    // A full list selects nothing instead.
    s.LoadStandardPalette();
    s.SetSelColor(clLime);
    const QStringList full = Items(s);
    s.SetSelColor(RGB(7, 7, 9));
    EXPECT_EQ(Items(s), full);
    EXPECT_EQ(s.NumColors(), 47);
    EXPECT_EQ(s.GetArrayColor(11), clLime);
    EXPECT_EQ(s.currentIndex(), -1);
    EXPECT_EQ(s.SelColorIndex(), 0);
    EXPECT_EQ(s.SelColor(), clNone);
    EXPECT_TRUE(s.GetSelColorID().isEmpty());
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Colour: none"));
    s.SetSelColor(clLime);
    EXPECT_EQ(s.SelColorIndex(), 11);
    s.SetSelColor(clNone);
    EXPECT_EQ(s.SelColorIndex(), 0);
    EXPECT_EQ(s.NumColors(), 47);
}

TEST(ColSel, StoredSelectionOutsideThePaletteComesBackInItsPlace)
{
    // Saved: the palette's 21 entries, then a colour of the user's own, added behind and
    // selected (NumColors 22). A form holds NumColors and SelColor only.
    TColSel saved;
    saved.SetNumColors(21);
    saved.SetSelColor(RGB(1, 2, 3));
    ASSERT_EQ(saved.NumColors(), 22);
    TColSel loaded;
    loaded.BeginLoading();
    loaded.setProperty("SelColor", saved.property("SelColor"));
    loaded.setProperty("NumColors", saved.property("NumColors"));
    loaded.EndLoading();
    EXPECT_EQ(loaded.NumColors(), 22);
    EXPECT_EQ(Items(loaded), Items(saved));
    EXPECT_EQ(loaded.SelColorIndex(), 22);
    EXPECT_EQ(loaded.SelColor(), RGB(1, 2, 3));
    // A stored colour the palette holds is just selected.
    TColSel plain;
    plain.BeginLoading();
    plain.setProperty("SelColor", QColor(Qt::red));
    plain.EndLoading();
    EXPECT_EQ(plain.NumColors(), 20);
    EXPECT_EQ(plain.SelColorIndex(), 10);
}

TEST(ColSel, UserChoiceFiresClickThenChange)
{
    TColSel s;
    QStringList order;
    s.SetOnClick([&](QObject *) { order << "click"; });
    s.SetOnChange([&](QObject *) { order << "change"; });
    QTest::keyClick(&s, Qt::Key_Down);
    EXPECT_EQ(order, QStringList({"click", "change"}));
    EXPECT_EQ(s.SelColorIndex(), 2);
    EXPECT_EQ(s.SelColor(), clMaroon);
    EXPECT_EQ(s.accessibleName(), QStringLiteral("Colour: clMaroon"));
    // A programmatic change follows too, without events.
    order.clear();
    s.setCurrentIndex(4);
    EXPECT_EQ(s.SelColor(), clNavy);
    EXPECT_TRUE(order.isEmpty());
}

TEST(ColSel, ForeignItemsAndClearingDoNotBreakIt)
{
    QWidget window;
    auto *s = new TColSel(&window);
    window.show();
    s->addItem(QStringLiteral("not a colour"));
    s->setCurrentIndex(20);
    EXPECT_EQ(s->SelColorIndex(), 0);
    EXPECT_EQ(s->SelColor(), clNone);
    EXPECT_FALSE(s->grab().isNull());
    s->clear();
    EXPECT_EQ(s->SelColor(), clNone);
    EXPECT_TRUE(s->GetSelColorID().isEmpty());
    EXPECT_FALSE(s->grab().isNull());
    s->SetSelColor(0x12345678); // neither RGB nor system colour
    s->SetSelColor(0xFF0000FF);
    s->SetBounds(0, 0, 0, 0);
    EXPECT_TRUE(s->grab().isNull() || s->grab().width() == 0);
    s->SetBounds(0, 0, 3, 3);
    EXPECT_FALSE(s->grab().isNull());
    s->LoadBasicVGAPalette();
    EXPECT_EQ(s->count(), 16);
    EXPECT_EQ(s->SelColor(), clBlack);
}

TEST(ColSel, SharesTheControlCoreEventsAndLook)
{
    TColSel s;
    int moves = 0, enters = 0, exits = 0;
    s.SetOnMouseMove([&](QObject *Sender, TShiftState, int X, int) {
        EXPECT_EQ(Sender, &s);
        EXPECT_EQ(X, 12);
        ++moves;
    });
    s.SetOnEnter([&](QObject *) { ++enters; });
    s.SetOnExit([&](QObject *) { ++exits; });
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 5), QPointF(12, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&s, &move);
    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QApplication::sendEvent(&s, &in);
    QApplication::sendEvent(&s, &out);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(s.Color(), clWindow);
    s.SetHint(QStringLiteral("Pen colour"));
    s.SetShowHint(true);
    EXPECT_EQ(s.toolTip(), QStringLiteral("Pen colour"));
}
