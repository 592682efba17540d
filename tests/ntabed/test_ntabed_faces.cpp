// The table editor's Qt face: properties through the meta-object, events as signals, QColor
// overloads, and the editor in a layout.
#include "ntabtest.h"

#include "gridfacecheck.h"

#include <QAccessible>
#include <QMenu>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

TEST(NTabEdFaces, EveryStoredPropertyRoundTripsThroughTheMetaObject)
{
    TNTabEd e;
    ShowGrid(e, 150, 80); // small enough that LeftCol and TopRow can move
    // The grid's counts follow NrOfColumns, NrOfRows and the attribute rows.
    const int n = ExpectPropertiesRoundTrip(&e, {},
                                            {QStringLiteral("ColCount"), QStringLiteral("RowCount"),
                                             QStringLiteral("FixedCols"), QStringLiteral("FixedRows")});
    EXPECT_GE(n, 35);

    e.setProperty("ColorMarkedA", ToStoredColor(clHighlight));
    EXPECT_EQ(e.ColorMarkedA(), TColor(clHighlight));
    EXPECT_TRUE(e.setProperty("AutoAdvanceDir", QStringLiteral("orHorizontal")));
    EXPECT_EQ(e.AutoAdvanceDir(), orHorizontal);
}

TEST(NTabEdFaces, QColorOverloadsBesideTheColourSetters)
{
    TNTabEd e;
    e.SetColorRangeSelBG(QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(e.ColorRangeSelBG(), TColor(0x302010));
    e.SetColorFixed(Qt::yellow);
    EXPECT_EQ(e.ColorFixed(), TColor(0x00FFFF));
    EXPECT_EQ(e.FixedColor(), TColor(0x00FFFF)); // the grid's fixed colour follows
    EXPECT_EQ(e.FixedColorQColor(), QColor(Qt::yellow));
    e.SetColorNormal(clBlue);
    EXPECT_EQ(e.ColorNormalQColor(), QColor(Qt::blue));
    EXPECT_EQ(e.ColorMarkedBothStored(), QColor(0xBB, 0x00, 0xCC));
}

TEST(NTabEdFaces, SlotsRunInConnectionOrderAfterTheHandlerAndHoldWithSuppressPaint)
{
    TNTabEd e;
    QStringList order;
    e.SetOnHeadingChanged([&](QObject *) { order << QStringLiteral("handler"); });
    QObject::connect(&e, &TNTabEd::onHeadingChanged, [&](QObject *Sender) {
        EXPECT_EQ(Sender, &e);
        order << QStringLiteral("first");
    });
    QObject::connect(&e, &TNTabEd::onHeadingChanged, [&](QObject *) { order << QStringLiteral("second"); });
    e.SetColName(1, QStringLiteral("Mass"));
    EXPECT_EQ(order,
              (QStringList{QStringLiteral("handler"), QStringLiteral("first"), QStringLiteral("second")}));

    // The signals keep the handlers' rule: nothing while painting is suppressed.
    order.clear();
    e.SetSuppressPaint(true);
    e.SetColName(2, QStringLiteral("Volume"));
    e.SetSuppressPaint(false);
    EXPECT_TRUE(order.isEmpty());
    e.SetOnHeadingChanged(nullptr);
    e.SetRowName(1, QStringLiteral("first row"));
    EXPECT_EQ(order, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST(NTabEdFaces, EachSignalFiresWhereItsEventDoes)
{
    TNTabEd e;
    ShowGrid(e, 420, 200);
    std::map<QString, int> seen;
    auto count = [&](const char *Name) {
        return [&seen, Name](QObject *) { ++seen[QString::fromLatin1(Name)]; };
    };
    QObject::connect(&e, &TNTabEd::onChange, count("Change"));
    QObject::connect(&e, &TNTabEd::onAttributeChanged, count("Attribute"));
    QObject::connect(&e, &TNTabEd::onLayoutChanged, count("Layout"));
    QObject::connect(&e, &TNTabEd::onCellStateChanged, count("CellState"));
    QObject::connect(&e, &TNTabEd::onSelectionChanged, count("Selection"));
    QObject::connect(&e, &TNTabEd::onChangeSetup, count("Setup"));
    QObject::connect(&e, &TNTabEd::onPaste, count("Paste"));
    e.SetComment(QStringLiteral("note"));
    EXPECT_EQ(seen["Change"], 1);
    e.SetColAttrib(1, 3);
    EXPECT_EQ(seen["Attribute"], 1);
    e.SetColorNormal(clRed);
    EXPECT_EQ(seen["Layout"], 1);
    e.SetElemMarkedA(1, 1, true);
    EXPECT_GE(seen["CellState"], 1);
    Key(e, Qt::Key_Down);
    EXPECT_EQ(seen["Selection"], 1);
    e.ChangedSetup();
    EXPECT_EQ(seen["Setup"], 1);
    e.CopyToClipboard();
    SelectData(e, 2, 2, 2, 2);
    e.PasteFromCopyBuffer();
    EXPECT_EQ(seen["Paste"], 1);

    QList<int> percent;
    QObject::connect(&e, &TNTabEd::onPercentDone, [&](QObject *, int P) { percent << P; });
    e.SortCols(1, true, 1, 1, 3, 4, true);
    ASSERT_FALSE(percent.isEmpty());
    EXPECT_EQ(percent.back(), 100);

    // A slot may change what a cell shows, as the handler may.
    int rendered = 0;
    QObject::connect(&e, &TNTabEd::onBeforeRenderCell,
                     [&](QObject *, int Col, int Row, QString &Text, TColor &, TColor &Bg, TFontStyles &) {
                         ++rendered;
                         if (Col == 1 && Row == 1) {
                             Text.clear();
                             Bg = 0x00FF00;
                         }
                     });
    e.Repaint();
    EXPECT_EQ(rendered, e.NrOfColumns() * e.NrOfRows());
    const QPoint c = DataCellCentre(e, 1, 1);
    EXPECT_EQ(PixelAt(e.Surface(), c.x(), c.y()), TColor(0x00FF00));

    QList<QMenu *> menus;
    QObject::connect(&e, &TNTabEd::onBeforePopup, [&](QObject *, QMenu *M) { menus << M; });
    const QPoint p = DataCellCentre(e, 2, 2);
    Click(e, p.x(), p.y(), Qt::NoModifier, Qt::RightButton);
    e.PopupDTAction()->hide();
    EXPECT_EQ(menus, (QList<QMenu *>{e.PopupDTAction()}));
}

TEST(NTabEdFaces, InALayoutAtItsMinimumAndStretched)
{
    const auto make = [](QWidget *Parent) {
        auto *e = new TNTabEd(Parent);
        e->SetAttribColVisible(true);
        return e;
    };
    EXPECT_TRUE(FitsInLayout(make, [](QWidget *W, const QImage &, const QString &Stage) {
        SCOPED_TRACE(Stage.toStdString());
        auto *ed = static_cast<TNTabEd *>(W);
        // The headings, both attribute cells and the first data cell show whole.
        for (int c = 0; c <= ed->FixedCols(); ++c)
            for (int r = 0; r <= ed->FixedRows(); ++r) {
                const TRect rc = ed->CellRect(c, r);
                EXPECT_EQ(rc.Width(), ed->ColWidths(c)) << c << "," << r;
                EXPECT_EQ(rc.Height(), ed->RowHeights(r)) << c << "," << r;
            }
        const QImage &s = ed->Surface();
        EXPECT_EQ(s.size(), QSize(ed->ClientWidth(), ed->ClientHeight()));
        return QString();
    }));
}

TEST(NTabEdFaces, AssistiveToolsSeeATableNamedAfterItsSize)
{
    TNTabEd e;
    e.show();
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&e);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Table);
    e.Redimension(5, 7);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Table of 5 columns and 7 rows"));
}
