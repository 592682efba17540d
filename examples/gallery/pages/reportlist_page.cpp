// TReportListView: a few thousand generated records to sort, filter and select.
#include "gallery.h"

#include <krogui/replist/reportlistview.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPushButton>
#include <QSpinBox>

namespace {

using namespace kro;

constexpr int Records = 5000;

// The records: name, city, date, amount, a check mark ("paid") and a radio mark ("chosen").
void FillRecords(TReportListView *V)
{
    static const char *const first[] = {"Anna", "Bruno", "Carla", "Dora",  "Emil", "Fritz", "Greta", "Hans",
                                        "Ida",  "Jonas", "Klara", "Lukas", "Mia",  "Noah",  "Olga",  "Paul"};
    static const char *const last[] = {"Berg", "Keller", "Meier", "Huber", "Frei", "Roth", "Graf", "Vogt"};
    static const char *const cities[] = {"Bern", "Oslo", "Basel", "Zürich", "Genève", "Wien", "Graz", "Lyon"};
    V->SetSuppressPaint(true);
    V->SetNrCols(6);
    V->SetNrRows(Records);
    const char *const names[] = {"Name", "City", "Date", "Amount", "Paid", "Chosen"};
    for (int c = 1; c <= 6; ++c)
        V->SetColName(c, QString::fromLatin1(names[c - 1]));
    // Formats for the row editor: text, a city from the list or typed, a date, an amount, and a
    // read-only last column.
    const char *const formats[] = {"[s][160]", "[c:8][120]Bern|Oslo|Basel|Zürich|Genève|Wien|Graz|Lyon",
                                   "[dyyyy-MM-dd][110]", "[f][100]0", "[s][120]", "[#s][80]"};
    for (int c = 1; c <= 6; ++c)
        V->SetColumnFormat(c, QString::fromUtf8(formats[c - 1]));
    V->SetColCheckMode(5, cmBox);
    V->SetColCheckMode(6, cmRadio);
    V->SetColAlignment(4, taRightJustify);
    V->SetColAlignment(3, taCenter);
    quint32 seed = 12345;
    auto next = [&seed](quint32 N) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % N;
    };
    const QDate base(2020, 1, 1);
    for (int r = 1; r <= Records; ++r) {
        V->SetElem(1, r,
                   QStringLiteral("%1 %2").arg(QString::fromLatin1(first[next(16)]),
                                               QString::fromLatin1(last[next(8)])));
        V->SetElem(2, r, QString::fromUtf8(cities[next(8)]));
        V->SetElem(3, r, base.addDays(int(next(2000))).toString(Qt::ISODate));
        V->SetElem(4, r, QString::number(double(next(10000000)) / 100.0, 'f', 2));
        V->SetElem(5, r, next(3) == 0 ? QStringLiteral("paid") : QString());
        V->SetElemChecked(5, r, next(2) == 0);
        V->SetElem(6, r, QString());
    }
    V->SetElemChecked(6, 7, true);
    for (int r = 40; r <= Records; r += 97)
        V->SetRowEnabled(r, false);
    V->SetColWidths(1, 100);
    V->SetColWidths(2, 62);
    V->SetColWidths(3, 80);
    V->SetColWidths(4, 72);
    V->SetColWidths(5, 58);
    V->SetColWidths(6, 56);
    V->SetSuppressPaint(false);
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TReportListView over 5000 generated records. Click a column header to sort (a second click "
        "reverses), double-click a header border to fit the column, click the boxes to check them. The "
        "filter box searches as you type, in the chosen language: plain text, words with AND, OR, NOT, "
        "parentheses and \"phrases\", or a regular expression; matching rows come first, sorted by "
        "amount, and are selected. Every 97th row is disabled. The edit button opens the row editor on the "
        "first selected record."));
    QWidget *stage = page->Stage();
    auto *view = new TReportListView(stage);
    view->SetBounds(0, 0, 462, 340);
    FillRecords(view);
    view->SetCommonHeaderVisible(true);
    view->SetCommonHeader(QStringLiteral("Customers\nGenerated records"));
    view->SetCommonHeaderHeight(34);
    view->SetEmptyMessage(QStringLiteral("No record matches|the filter"));
    view->SetColorEmptyMsg(clGray);

    auto *status = new QLabel(stage);
    status->setGeometry(0, 345, 462, 20);
    auto showCount = [view, status](int Found) {
        status->setText(Found < 0 ? QStringLiteral("The regular expression is not valid")
                                  : QStringLiteral("%1 of %2 records shown, %3 selected")
                                        .arg(view->NrOfShownRows())
                                        .arg(view->NrOfRows())
                                        .arg(view->NumSelectedRows()));
    };
    view->SetOnSelectedChange([showCount](QObject *) { showCount(0); });
    showCount(0);

    auto *edit = new QPushButton(QStringLiteral("Edit the selected record..."));
    QObject::connect(edit, &QPushButton::clicked, view, [view, status] {
        const int row = view->FirstSelectedRow();
        if (row == 0) {
            status->setText(QStringLiteral("Select a record first"));
            return;
        }
        const QPoint at = view->mapToGlobal(QPoint(30, 30));
        const int result = view->EditRowEntries(row, at.x(), at.y());
        status->setText(QStringLiteral("Row %1: %2").arg(row).arg(result == TReportListView::mrOK
                                                                       ? QStringLiteral("saved")
                                                                       : QStringLiteral("cancelled")));
    });
    page->AddRow(edit);

    auto *query = new QLineEdit;
    query->setPlaceholderText(QStringLiteral("e.g. bern OR \"Anna B\""));
    auto *mode = new QComboBox;
    const QMetaEnum modes = QMetaEnum::fromType<TFilterMode>();
    for (int i = 0; i < modes.keyCount(); ++i)
        mode->addItem(QString::fromLatin1(modes.key(i)), modes.value(i));
    mode->setCurrentIndex(1);
    auto *caseSens = new QCheckBox(QStringLiteral("Case sensitive"));
    auto *paidOnly = new QCheckBox(QStringLiteral("Only paid (OnBeforeFilter)"));
    auto runFilter = [view, query, mode, caseSens, paidOnly, showCount] {
        view->SetOnBeforeFilter(
            paidOnly->isChecked() ? TBeforeFilterEvent([view](QObject *, int Row, bool &Found, TLogicOp &Op) {
                Found = view->GetElemChecked(5, Row);
                Op = loAND;
            })
                                  : TBeforeFilterEvent());
        // An empty query shows every row; with the handler, "()" (a boolean query without words,
        // which every row matches) leaves the decision to it.
        QString q = query->text();
        auto m = TFilterMode(mode->currentData().toInt());
        if (q.trimmed().isEmpty() && paidOnly->isChecked()) {
            q = QStringLiteral("()");
            m = fmBoolean;
        }
        showCount(view->FilterAndSort(q, {}, caseSens->isChecked(), m, 4, true));
    };
    QObject::connect(query, &QLineEdit::textChanged, view, runFilter);
    QObject::connect(mode, &QComboBox::currentIndexChanged, view, runFilter);
    QObject::connect(caseSens, &QCheckBox::toggled, view, runFilter);
    QObject::connect(paidOnly, &QCheckBox::toggled, view, runFilter);
    page->AddEditor(QStringLiteral("Filter"), query);
    page->AddEditor(QStringLiteral("Language"), mode);
    page->AddRow(caseSens);
    page->AddRow(paidOnly);

    auto *select = new QComboBox;
    select->addItems({QStringLiteral("0: no selection"), QStringLiteral("1: single row"),
                      QStringLiteral("2: multiple rows")});
    select->setCurrentIndex(view->RowSelectMode());
    QObject::connect(select, &QComboBox::currentIndexChanged, view,
                     [view](int i) { view->SetRowSelectMode(i); });
    page->AddEditor(QStringLiteral("RowSelectMode"), select);

    auto *hiRow = new QSpinBox;
    hiRow->setRange(0, Records);
    QObject::connect(hiRow, &QSpinBox::valueChanged, view, [view](int v) { view->SetHighLightRow(v); });
    page->AddEditor(QStringLiteral("HighLightRow"), hiRow);
    auto *hiCol = new QSpinBox;
    hiCol->setRange(0, 6);
    QObject::connect(hiCol, &QSpinBox::valueChanged, view, [view](int v) { view->SetHighLightColumn(v); });
    page->AddEditor(QStringLiteral("HighLightColumn"), hiCol);
    auto *band = new QSpinBox;
    band->setRange(0, 5);
    band->setValue(view->RowColPattern());
    QObject::connect(band, &QSpinBox::valueChanged, view, [view](int v) { view->SetRowColPattern(v); });
    page->AddEditor(QStringLiteral("RowColPattern"), band);

    auto addCheck = [page, view](const QString &Text, bool On, auto Setter) {
        auto *box = new QCheckBox(Text);
        box->setChecked(On);
        QObject::connect(box, &QCheckBox::toggled, view, [view, Setter](bool v) { (view->*Setter)(v); });
        page->AddRow(box);
    };
    addCheck(QStringLiteral("HighLightBold"), false, &TReportListView::SetHighLightBold);
    addCheck(QStringLiteral("UseCtrlForMultiSel"), true, &TReportListView::SetUseCtrlForMultiSel);
    addCheck(QStringLiteral("CommonHeaderVisible"), true, &TReportListView::SetCommonHeaderVisible);
    addCheck(QStringLiteral("FixedFirstColumn"), false, &TReportListView::SetFixedFirstColumn);
    addCheck(QStringLiteral("CheckMarksReadOnly"), false, &TReportListView::SetCheckMarksReadOnly);
    addCheck(QStringLiteral("Enabled"), true, &TReportListView::SetEnabled);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TReportListView"), 80, CreatePage);

} // namespace
