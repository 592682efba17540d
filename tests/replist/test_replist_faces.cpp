// The report list's Qt face: properties through the meta-object, events as signals, QColor
// overloads, and the view in a layout.

#include <krogui/grid/inplaceedit.h>
#include <krogui/replist/reportlistview.h>

#include "gridfacecheck.h"
#include "listview_util.h"
#include "qstringprint.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

// The view's shape is NrOfColumns / NrOfRows and its header rows; the grid's own counts follow
// them and are not set on their own.
const std::set<QString> DerivedShape{QStringLiteral("ColCount"), QStringLiteral("RowCount"),
                                     QStringLiteral("FixedCols"), QStringLiteral("FixedRows")};

} // namespace

TEST(ReportListFaces, EveryStoredPropertyRoundTripsThroughTheMetaObject)
{
    TReportListView v;
    v.resize(120, 70); // small enough that LeftCol and TopRow can move
    v.show();
    const int n =
        ExpectPropertiesRoundTrip(&v, {{QStringLiteral("RowSelectMode"), int(rsmMultiple)}}, DerivedShape);
    EXPECT_GE(n, 40);

    // Colours keep system colours and clNone through their stored form.
    v.setProperty("ColorColumnHd", ToStoredColor(clBtnShadow));
    EXPECT_EQ(v.ColorColumnHd(), TColor(clBtnShadow));
    EXPECT_EQ(v.FixedColor(), TColor(clBtnShadow));
    v.setProperty("ColorEmptyMsg", ToStoredColor(clNone));
    EXPECT_EQ(v.ColorEmptyMsg(), TColor(clNone));
    // Enumerations and option sets are stored by name.
    EXPECT_TRUE(v.setProperty("RowSelectMode", QStringLiteral("rsmNone")));
    EXPECT_EQ(v.RowSelectMode(), rsmNone);
    EXPECT_TRUE(v.metaObject()->property(v.metaObject()->indexOfProperty("Options")).isFlagType());
    // Read-only counts are not stored.
    EXPECT_FALSE(v.metaObject()->property(v.metaObject()->indexOfProperty("VisibleRowCount")).isStored());

    TRLData data;
    EXPECT_EQ(ExpectPropertiesRoundTrip(&data), 3);
}

TEST(ReportListFaces, QColorOverloadsBesideTheColourSetters)
{
    TReportListView v;
    v.SetColorHigh(QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(v.ColorHigh(), TColor(0x332211));
    EXPECT_EQ(v.ColorHighQColor(), QColor(0x11, 0x22, 0x33));
    v.SetInterRowIndicatorColor(Qt::blue);
    EXPECT_EQ(v.InterRowIndicatorColor(), TColor(0xFF0000));
    v.SetFixedColor(Qt::green);
    EXPECT_EQ(v.ColorColumnHd(), TColor(0x00FF00));
    v.SetColorText(clRed); // the classic setter still takes a TColor
    EXPECT_EQ(v.ColorTextQColor(), QColor(Qt::red));
    EXPECT_EQ(v.ColorBkgdShadedStored(), QColor(0xE8, 0xEF, 0xF0));
}

TEST(ReportListFaces, SlotsRunInConnectionOrderAfterTheHandler)
{
    TReportListView v;
    QStringList order;
    v.SetOnChange([&](QObject *Sender) {
        EXPECT_EQ(Sender, &v);
        order << QStringLiteral("handler");
    });
    QObject::connect(&v, &TReportListView::onChange, [&](QObject *Sender) {
        EXPECT_EQ(Sender, &v);
        order << QStringLiteral("first");
    });
    QObject::connect(&v, &TReportListView::onChange, [&](QObject *) { order << QStringLiteral("second"); });
    v.SetColName(1, QStringLiteral("Name"));
    EXPECT_EQ(order,
              (QStringList{QStringLiteral("handler"), QStringLiteral("first"), QStringLiteral("second")}));

    // Without a handler the signal still fires.
    order.clear();
    v.SetOnChange(nullptr);
    v.SetCommonHeader(QStringLiteral("other"));
    EXPECT_EQ(order, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST(ReportListFaces, NotificationAndCheckSignalsFireWhereTheirEventsDo)
{
    TTestView v(3, 4);
    int setup = 0, selected = 0;
    QObject::connect(&v, &TReportListView::onChangeSetup, [&](QObject *) { ++setup; });
    QObject::connect(&v, &TReportListView::onSelectedChange, [&](QObject *) { ++selected; });
    v.SetColorHigh(0x123456);
    EXPECT_EQ(setup, 1);
    v.SetRowSelect(2, true);
    EXPECT_EQ(selected, 1);

    // The var parameter of a directly connected slot counts as the handler's does.
    v.SetColCheckMode(2, cmBox);
    QList<QPoint> before, after;
    QObject::connect(&v, &TReportListView::onBeforeCheckedChange, [&](QObject *, bool &State, int C, int R) {
        before << QPoint(C, R);
        EXPECT_TRUE(State);
        State = false; // keep it unchecked
    });
    QObject::connect(&v, &TReportListView::onCheckedChange, [&](QObject *, bool &State, int C, int R) {
        after << QPoint(C, R);
        EXPECT_TRUE(State);
    });
    v.ClickCell(2, 3, 10);
    EXPECT_EQ(before, (QList<QPoint>{{2, 3}}));
    EXPECT_EQ(after, (QList<QPoint>{{2, 3}}));
    EXPECT_FALSE(v.GetElemChecked(2, 3));
}

TEST(ReportListFaces, FilterRenderAndExportSignalsCanChangeWhatTheyAreGiven)
{
    TTestView v(2, 5);
    QList<int> asked;
    QObject::connect(&v, &TReportListView::onBeforeFilter,
                     [&](QObject *, int Row, bool &Found, TLogicOp &Op) {
                         asked << Row;
                         Op = loAND;
                         Found = Row != 2; // row 2 is left out although it matches
                     });
    EXPECT_EQ(v.FilterAndSort(QStringLiteral("c1"), {}, false, fmSimple, -1, true), 4);
    EXPECT_EQ(asked, (QList<int>{1, 2, 3, 4, 5}));
    v.ClearFilter();

    int rendered = 0;
    QObject::connect(&v, &TReportListView::onBeforeRenderCell,
                     [&](QObject *, int, int, TColor &, TColor &Brush, TColor &, TFontStyles &, QString &) {
                         ++rendered;
                         Brush = 0x00FF00;
                     });
    int drawn = 0;
    QObject::connect(&v, &TReportListView::onDrawCell,
                     [&](QObject *, int, int, TRect, TGridDrawState) { ++drawn; });
    v.Repaint();
    EXPECT_EQ(rendered, 10);
    EXPECT_GE(drawn, rendered);
    EXPECT_EQ(v.CellBackground(1, 1), TColor(0x00FF00));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.html"));
    QObject::connect(&v, &TReportListView::onBeforeHTMLExport,
                     [](QObject *, QString &Text, int Col, int Row) {
                         if (Col == 1 && Row == 1) Text = QStringLiteral("replaced");
                     });
    QList<int> percent;
    QObject::connect(&v, &TReportListView::onPercentDone, [&](QObject *, int P) { percent << P; });
    ASSERT_TRUE(v.ExportHTMLTable(file, 1, 1, 2, 5, {}, 1, 1, 1, 0, true, QString(), QString(), QString()));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<td>replaced</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<td>r1c1</td>")));
    ASSERT_FALSE(percent.isEmpty());
    EXPECT_EQ(percent.front(), 0);
    EXPECT_EQ(percent.back(), 100);
}

TEST(ReportListFaces, AConnectedExchangeSignalAloneMakesSortsReportTheirExchanges)
{
    TTestView v(1, 4);
    const QStringList texts{QStringLiteral("d"), QStringLiteral("b"), QStringLiteral("c"),
                            QStringLiteral("a")};
    for (int r = 1; r <= 4; ++r)
        v.SetElem(1, r, texts[r - 1]);
    int viewExchanges = 0, dataExchanges = 0;
    auto c1 =
        QObject::connect(&v, &TReportListView::onBeforeSortExchange, [&](QObject *Sender, int, int, int) {
            EXPECT_EQ(Sender, &v);
            ++viewExchanges;
        });
    auto c2 =
        QObject::connect(v.RLData(), &TRLData::onBeforeSortExchange, [&](QObject *Sender, int, int, int) {
            EXPECT_EQ(Sender, v.RLData());
            ++dataExchanges;
        });
    v.Sort(1, -1, true);
    EXPECT_EQ(v.ColumnTexts(1), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                             QStringLiteral("d")}));
    EXPECT_GT(viewExchanges, 0);
    EXPECT_EQ(dataExchanges, viewExchanges);

    // Disconnected, the sort goes on without reports.
    QObject::disconnect(c1);
    QObject::disconnect(c2);
    QCoreApplication::processEvents();
    viewExchanges = dataExchanges = 0;
    v.Sort(1, -1, false);
    EXPECT_EQ(v.GetElem(1, 1), QStringLiteral("d"));
    EXPECT_EQ(viewExchanges + dataExchanges, 0);
}

TEST(ReportListFaces, TheDataComponentSignalsWithoutHandlers)
{
    TRLData data;
    data.SetNrCols(2);
    data.SetNrRows(30);
    QList<int> percent;
    QObject::connect(&data, &TRLData::onPercentDone, [&](QObject *Sender, int P) {
        EXPECT_EQ(Sender, &data);
        percent << P;
    });
    QTemporaryDir dir;
    ASSERT_TRUE(data.SaveAsXMLFile(dir.filePath(QStringLiteral("d.xml"))));
    ASSERT_GE(percent.size(), 2);
    EXPECT_EQ(percent.front(), 0);
    EXPECT_EQ(percent.back(), 100);
    EXPECT_TRUE(std::is_sorted(percent.begin(), percent.end()));

    int exported = 0;
    QObject::connect(&data, &TRLData::onBeforeHTMLExport,
                     [&](QObject *, QString &, int, int) { ++exported; });
    ASSERT_TRUE(data.ExportHTMLTable(dir.filePath(QStringLiteral("d.html")), 1, 1, 2, 30, {}, 0, 0, 0, 0,
                                     false, QString(), QString(), QString()));
    EXPECT_EQ(exported, 60);
}

TEST(ReportListFaces, GridSignalsOfTheView)
{
    TTestView v(3, 30);
    v.SetOptions(v.Options() & ~unsigned(goRowSelect));
    v.SetColumnEditable(2, true);
    QList<int> edits;
    QObject::connect(&v, &TReportListView::onGetEditText, [&](QObject *, int, int R, QString &Value) {
        edits << R;
        Value = QStringLiteral("from slot");
    });
    QObject::connect(&v, &TReportListView::onSetEditText, [&](QObject *, int, int R, const QString &Value) {
        edits << -R;
        EXPECT_EQ(Value, QStringLiteral("typed"));
    });
    v.ClickCell(2, 3);
    v.ShowEditor();
    ASSERT_NE(v.InplaceEditor(), nullptr);
    EXPECT_EQ(v.InplaceEditor()->text(), QStringLiteral("from slot"));
    v.InplaceEditor()->setText(QStringLiteral("typed"));
    v.HideEditor();
    EXPECT_EQ(edits, (QList<int>{3, -3}));

    int topLeft = 0, select = 0, wheel = 0, popup = 0;
    QObject::connect(&v, &TReportListView::onTopLeftChanged, [&](QObject *) { ++topLeft; });
    QObject::connect(&v, &TReportListView::onSelectCell, [&](QObject *, int, int, bool &CanSelect) {
        ++select;
        CanSelect = false;
    });
    QObject::connect(&v, &TReportListView::onMouseWheelDown,
                     [&](QObject *, TShiftState, QPoint, bool &Handled) {
                         ++wheel;
                         Handled = true;
                     });
    QObject::connect(&v, &TReportListView::onContextPopup, [&](QObject *, QPoint, bool &) { ++popup; });
    v.SetTopRow(5);
    EXPECT_EQ(topLeft, 1);
    const int row = v.Row();
    v.SetRow(row + 2);
    EXPECT_EQ(select, 1);
    EXPECT_EQ(v.Row(), row); // refused by the slot
    EXPECT_TRUE(v.DoMouseWheelDown(0, QPoint(5, 5)));
    EXPECT_EQ(wheel, 1);
    EXPECT_EQ(v.Row(), row); // handled by the slot
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(10, 10), v.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(v.viewport(), &menu);
    EXPECT_EQ(popup, 1);
}

TEST(ReportListFaces, RowEditorAsksForFormatsThroughTheSignal)
{
    TReportListView v;
    v.SetNrCols(2);
    v.SetNrRows(2);
    QList<int> asked;
    QObject::connect(&v, &TReportListView::onRequestEditFormat,
                     [&](QObject *, int Col, int, QString &) { asked << Col; });
    QObject context;
    QTimer::singleShot(0, &context, [] {
        if (auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget())) dlg->reject();
    });
    EXPECT_EQ(v.EditRowEntries(1, 0, 0), TReportListView::mrCancel);
    EXPECT_EQ(asked, (QList<int>{1, 2}));
}

TEST(ReportListFaces, InALayoutAtItsMinimumAndStretched)
{
    const auto make = [](QWidget *Parent) {
        auto *v = new TReportListView(Parent);
        v->SetCommonHeaderVisible(true);
        v->SetFixedFirstColumn(true);
        for (int r = 1; r <= v->NrOfRows(); ++r)
            v->SetElem(1, r, QStringLiteral("row %1").arg(r));
        return v;
    };
    EXPECT_TRUE(FitsInLayout(make, [](QWidget *W, const QImage &, const QString &Stage) {
        SCOPED_TRACE(Stage.toStdString());
        auto *view = static_cast<TReportListView *>(W);
        EXPECT_GE(view->width(), view->minimumSizeHint().width());
        EXPECT_GE(view->height(), view->minimumSizeHint().height());
        // Both header rows, the fixed column and one data cell show whole.
        const int col = view->FixedCols(), row = view->FixedRows();
        for (const auto &[c, r] : {std::pair{0, 0}, std::pair{0, 1}, std::pair{col, row}}) {
            const TRect rc = view->CellRect(c, r);
            EXPECT_EQ(rc.Width(), view->ColWidths(c)) << c << "," << r;
            EXPECT_EQ(rc.Height(), view->RowHeights(r)) << c << "," << r;
        }
        // Beyond the last cell the view's colour, to the very edge of the client area.
        const QImage &s = view->Surface();
        EXPECT_EQ(s.size(), QSize(view->ClientWidth(), view->ClientHeight()));
        if (view->GridHeight() < s.height() - 1) {
            EXPECT_EQ(PixelAt(s, 2, s.height() - 1), ColorToRGB(view->Color()));
        }
        return QString();
    }));
}

TEST(ReportListFaces, AssistiveToolsSeeATableWithItsName)
{
    TReportListView v;
    v.show();
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&v);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Table);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Report list"));
    v.setAccessibleName(QStringLiteral("Samples"));
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Samples"));
}
