// The row editor: the generated dialog driven as a user would, from a timer while it runs.

#include <krogui/numio/numio.h>
#include <krogui/replist/reportlistview.h>

#include "qstringprint.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace kro;

namespace {

// Calls Open, which runs a modal dialog, while Act works on that dialog from a timer. A dialog
// that Act leaves open is cancelled (and the test fails) so that nothing hangs.
int RunModal(const std::function<int()> &Open, const std::function<void(QDialog *)> &Act)
{
    bool acted = false;
    QObject context; // the timer goes with it when no dialog came
    QTimer::singleShot(0, &context, [&] {
        auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dlg) {
            ADD_FAILURE() << "no modal dialog";
            return;
        }
        acted = true;
        Act(dlg);
        if (dlg->isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dlg->done(-1);
        }
    });
    const int result = Open();
    EXPECT_TRUE(acted);
    return result;
}

template <class T> T *Field(QDialog *Dlg, const char *Name)
{
    T *w = Dlg->findChild<T *>(QString::fromLatin1(Name));
    EXPECT_NE(w, nullptr) << Name;
    return w;
}

QPoint PosOn(QWidget *W, QDialog *Dlg)
{
    return W->mapTo(Dlg, QPoint(0, 0));
}

QStringList RowTexts(const TReportListView &V, int Row)
{
    QStringList out;
    for (int c = 1; c <= V.NrOfColumns(); ++c)
        out << V.GetElem(c, Row);
    return out;
}

// A view with one column per (format, cell text) pair, the texts in row Row of Rows.
void MakeColumns(TReportListView &V, const QList<QPair<QString, QString>> &Cols, int Rows, int Row)
{
    V.SetNrCols(int(Cols.size()));
    V.SetNrRows(Rows);
    for (int c = 1; c <= Cols.size(); ++c) {
        V.SetColName(c, QStringLiteral("Column %1").arg(c));
        V.SetColumnFormat(c, Cols[c - 1].first);
        V.SetElem(c, Row, Cols[c - 1].second);
    }
}

void ClickButton(QDialog *Dlg, const char *Name)
{
    if (auto *b = Field<QPushButton>(Dlg, Name)) QTest::mouseClick(b, Qt::LeftButton);
}

void TypeInto(QLineEdit *E, const QString &Text)
{
    E->setFocus();
    E->selectAll();
    QTest::keyClicks(E, Text);
}

} // namespace

TEST(RowEditor, FieldsFollowTheColumnFormats)
{
    TReportListView v;
    MakeColumns(v,
                {{QStringLiteral("[#l:3][150]a|b|c"), QStringLiteral("b")},
                 {QString(), QStringLiteral("plain")},
                 {QStringLiteral("[c:5][120]x|y|z"), QStringLiteral("free text")},
                 {QStringLiteral("[ddd.MM.yyyy HH:mm][130]"), QStringLiteral("05.11.2023 14:30")},
                 {QStringLiteral("[i][80]rix3"), QString()},
                 {QStringLiteral("[h][90]"), QStringLiteral("ff")},
                 {QStringLiteral("[x][90]"), QStringLiteral("q")},
                 {QStringLiteral("[s][120]$pwd$8"), QString()},
                 {QStringLiteral("[f][100]"), QStringLiteral("1.5")},
                 {QStringLiteral("[e]"), QStringLiteral("1e3")},
                 {QStringLiteral("just text"), QString()}},
                8, 7);
    v.SetColName(2, QStringLiteral("A rather long column name"));
    const QStringList before = RowTexts(v, 7);
    QPointer<QDialog> seen;
    const int r = RunModal(
        [&] { return v.EditRowEntries(7, 40, 30); },
        [&](QDialog *dlg) {
            seen = dlg;
            EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Editing Row 7"));
            const int lw =
                dlg->fontMetrics().horizontalAdvance(QStringLiteral("A rather long column name")) + 8;

            auto *list = Field<QComboBox>(dlg, "runtime_rlre_CBox1");
            ASSERT_NE(list, nullptr);
            EXPECT_FALSE(list->isEnabled());
            EXPECT_FALSE(list->isEditable());
            EXPECT_EQ(list->width(), 150);
            EXPECT_EQ(list->count(), 3);
            EXPECT_EQ(list->maxVisibleItems(), 3);
            EXPECT_EQ(list->currentText(), QStringLiteral("b"));
            EXPECT_EQ(list->property("Tag").toInt(), 1);

            auto *edit = Field<QLineEdit>(dlg, "runtime_rlre_Edit2");
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->width(), 200);
            EXPECT_EQ(edit->text(), QStringLiteral("plain"));
            EXPECT_EQ(PosOn(edit, dlg), QPoint(lw + 12, 45 + 25)); // below the buttons, one pitch down
            EXPECT_TRUE(edit->isEnabled());

            auto *label = Field<QLabel>(dlg, "runtime_rlre_Label2");
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), QStringLiteral("A rather long column name:"));
            EXPECT_EQ(PosOn(label, dlg), QPoint(8, 45 + 25 + 3));
            EXPECT_EQ(label->width(), lw);
            EXPECT_TRUE(label->alignment() & Qt::AlignRight);

            auto *combo = Field<QComboBox>(dlg, "runtime_rlre_CBox3");
            ASSERT_NE(combo, nullptr);
            EXPECT_TRUE(combo->isEditable());
            EXPECT_EQ(combo->currentText(), QStringLiteral("free text"));
            EXPECT_EQ(combo->maxVisibleItems(), 5);

            auto *date = Field<QDateTimeEdit>(dlg, "runtime_rlre_DtPick4");
            ASSERT_NE(date, nullptr);
            EXPECT_EQ(date->dateTime(), QDateTime(QDate(2023, 11, 5), QTime(14, 30), QTimeZone::utc()));
            EXPECT_EQ(date->text(), QStringLiteral("05.11.2023 14:30"));
            EXPECT_EQ(date->width(), 130);

            auto *rix = Field<TNumIO>(dlg, "runtime_rlre_NumIO5");
            ASSERT_NE(rix, nullptr);
            EXPECT_EQ(rix->Text(), QStringLiteral("007"));
            EXPECT_EQ(rix->InputFormat(), itInt);
            EXPECT_EQ(rix->property("Tag").toInt(), 5);
            auto *hex = Field<TNumIO>(dlg, "runtime_rlre_NumIO6");
            ASSERT_NE(hex, nullptr);
            EXPECT_EQ(hex->InputFormat(), itHex);
            EXPECT_EQ(hex->Text(), QStringLiteral("ff"));
            EXPECT_EQ(Field<TNumIO>(dlg, "runtime_rlre_NumIO9")->InputFormat(), itFloat);
            EXPECT_EQ(Field<TNumIO>(dlg, "runtime_rlre_NumIO10")->InputFormat(), itDynamic);

            // An unknown letter gets its label and nothing else.
            int tagged7 = 0;
            for (QWidget *w : dlg->findChildren<QWidget *>())
                tagged7 += w->property("Tag").toInt() == 7;
            EXPECT_EQ(tagged7, 1);
            EXPECT_NE(dlg->findChild<QLabel *>(QStringLiteral("runtime_rlre_Label7")), nullptr);

            EXPECT_EQ(Field<QLineEdit>(dlg, "runtime_rlre_Edit8")->text().size(), 8); // a new password
            EXPECT_EQ(Field<QLineEdit>(dlg, "runtime_rlre_Edit11")->text(), QStringLiteral("just text"));

            auto *ok = Field<QPushButton>(dlg, "runtime_rlre_ButOK");
            auto *cancel = Field<QPushButton>(dlg, "runtime_rlre_ButCancel");
            ASSERT_TRUE(ok && cancel);
            EXPECT_EQ(ok->text(), QStringLiteral("OK"));
            EXPECT_EQ(cancel->geometry(), QRect(200 + lw - 69, 4, 81, 29)); // the widest field is 200
            EXPECT_EQ(ok->geometry(), QRect(200 + lw - 154, 4, 81, 29));
            EXPECT_EQ(dlg->width(), 200 + lw + 28);
            EXPECT_EQ(dlg->height(), 11 * 25 + 45 + 38);
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
    EXPECT_EQ(r, TReportListView::mrCancel);
    EXPECT_EQ(RowTexts(v, 7), before); // defaults were shown, not stored
    EXPECT_TRUE(seen.isNull());        // the own form is gone
    EXPECT_TRUE(v.findChildren<QDialog *>().isEmpty());
}

TEST(RowEditor, OkWritesWhatWasTypedAndTheDefaultsOfEmptyCells)
{
    TReportListView v;
    MakeColumns(v,
                {{QStringLiteral("[s][100]"), QStringLiteral("old")},
                 {QStringLiteral("[l][100]red|green|blue"), QStringLiteral("red")},
                 {QStringLiteral("[i][80]"), QStringLiteral("5")},
                 {QStringLiteral("[ddd.MM.yyyy][100]"), QStringLiteral("01.02.2020")},
                 {QStringLiteral("[#i][80]rix3"), QString()},
                 {QStringLiteral("[#s][80]fixed"), QStringLiteral("kept")},
                 {QStringLiteral("[c][100]one|two"), QString()},
                 {QStringLiteral("[s][80]dflt"), QString()},
                 {QStringLiteral("[#d yyyy-MM-dd][80]2024-02-29"), QString()}},
                5, 4);
    v.SetElem(1, 3, QStringLiteral("other row"));
    int changes = 0;
    v.SetOnChange([&](QObject *) { ++changes; });
    const int r = RunModal(
        [&] {
            return v.EditRowEntries(4, 0, 0, QStringLiteral("Rec"), QStringLiteral("Yes"),
                                    QStringLiteral("No"));
        },
        [&](QDialog *dlg) {
            EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Rec"));
            EXPECT_EQ(Field<QPushButton>(dlg, "runtime_rlre_ButCancel")->text(), QStringLiteral("No"));
            EXPECT_FALSE(Field<TNumIO>(dlg, "runtime_rlre_NumIO5")->isEnabled());
            EXPECT_FALSE(Field<QLineEdit>(dlg, "runtime_rlre_Edit6")->isEnabled());
            TypeInto(Field<QLineEdit>(dlg, "runtime_rlre_Edit1"), QStringLiteral("new"));
            auto *list = Field<QComboBox>(dlg, "runtime_rlre_CBox2");
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            auto *num = Field<TNumIO>(dlg, "runtime_rlre_NumIO3");
            TypeInto(num, QStringLiteral("4x2")); // the x is refused
            EXPECT_EQ(num->Text(), QStringLiteral("42"));
            auto *date = Field<QDateTimeEdit>(dlg, "runtime_rlre_DtPick4");
            date->setFocus();
            date->setCurrentSection(QDateTimeEdit::DaySection);
            QTest::keyClick(date, Qt::Key_Up);
            QTest::keyClick(date, Qt::Key_Return); // Enter in a field means OK
        });
    EXPECT_EQ(r, TReportListView::mrOK);
    EXPECT_EQ(RowTexts(v, 4),
              (QStringList{QStringLiteral("new"), QStringLiteral("green"), QStringLiteral("42"),
                           QStringLiteral("02.02.2020"), QStringLiteral("004"), QStringLiteral("kept"),
                           QStringLiteral("one"), QStringLiteral("dflt"), QStringLiteral("2024-02-29")}));
    EXPECT_EQ(v.GetElem(1, 3), QStringLiteral("other row"));
    EXPECT_GE(changes, 1);
}

TEST(RowEditor, FieldsLeftAloneKeepTheirCellText)
{
    // Texts the fields cannot show as they are: a date that does not read, an item not in the
    // list, text a number field refuses, a date written differently than the format writes it.
    TReportListView v;
    MakeColumns(v,
                {{QStringLiteral("[ddd.MM.yyyy][100]"), QStringLiteral("garbage")},
                 {QStringLiteral("[l][100]a|b"), QStringLiteral("zzz")},
                 {QStringLiteral("[i][80]"), QStringLiteral("abc")},
                 {QStringLiteral("[dd.M.yyyy][100]"), QStringLiteral("07.5.2020")},
                 {QStringLiteral("[c][80]a|b"), QStringLiteral("not listed")},
                 {QStringLiteral("[dHH:mm][80]"), QString()},
                 {QStringLiteral("[f][80]"), QStringLiteral("1.50")}},
                2, 2);
    const QStringList before = RowTexts(v, 2);
    int r = RunModal([&] { return v.EditRowEntries(2, 0, 0); },
                     [&](QDialog *dlg) {
                         EXPECT_EQ(Field<QComboBox>(dlg, "runtime_rlre_CBox2")->currentIndex(), -1);
                         EXPECT_EQ(Field<TNumIO>(dlg, "runtime_rlre_NumIO3")->Text(), QString());
                         EXPECT_EQ(Field<QDateTimeEdit>(dlg, "runtime_rlre_DtPick1")->date(),
                                   QDate(1899, 12, 30)); // day 0
                         ClickButton(dlg, "runtime_rlre_ButOK");
                     });
    EXPECT_EQ(r, TReportListView::mrOK);
    EXPECT_EQ(RowTexts(v, 2), before);

    // A field the user changes is written; the others still keep their texts.
    r = RunModal([&] { return v.EditRowEntries(2, 0, 0); },
                 [&](QDialog *dlg) {
                     TypeInto(Field<TNumIO>(dlg, "runtime_rlre_NumIO3"), QStringLiteral("7"));
                     QTest::keyClick(Field<TNumIO>(dlg, "runtime_rlre_NumIO3"), Qt::Key_Enter);
                 });
    EXPECT_EQ(r, TReportListView::mrOK);
    QStringList expected = before;
    expected[2] = QStringLiteral("7");
    EXPECT_EQ(RowTexts(v, 2), expected);
}

TEST(RowEditor, CancelEscapeAndRefusals)
{
    TReportListView v;
    MakeColumns(
        v, {{QStringLiteral("[s][100]"), QStringLiteral("a")}, {QStringLiteral("[i][50]rix2"), QString()}}, 3,
        1);
    int r = RunModal([&] { return v.EditRowEntries(1, 0, 0); },
                     [&](QDialog *dlg) {
                         TypeInto(Field<QLineEdit>(dlg, "runtime_rlre_Edit1"), QStringLiteral("changed"));
                         // While the dialog runs, a second one is refused.
                         EXPECT_EQ(v.EditRowEntries(2, 0, 0), TReportListView::mrNone);
                         QTest::keyClick(dlg, Qt::Key_Escape);
                     });
    EXPECT_EQ(r, TReportListView::mrCancel);
    EXPECT_EQ(v.GetElem(1, 1), QStringLiteral("a"));
    EXPECT_EQ(v.GetElem(2, 1), QString());

    // Rows that do not exist open nothing.
    QObject guard;
    QTimer::singleShot(0, &guard, [] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "a dialog opened";
            d->done(0);
        }
    });
    EXPECT_EQ(v.EditRowEntries(0, 0, 0), TReportListView::mrNone);
    EXPECT_EQ(v.EditRowEntries(4, 0, 0), TReportListView::mrNone);
    v.SetNrRows(0);
    EXPECT_EQ(v.EditRowEntries(1, 0, 0), TReportListView::mrNone);
}

TEST(RowEditor, ContainerFormHoldsTheFieldsWhileTheDialogRuns)
{
    TReportListView v;
    MakeColumns(v,
                {{QStringLiteral("[s][100]"), QStringLiteral("a")},
                 {QStringLiteral("[l][60]p|q"), QStringLiteral("p")}},
                2, 2);
    QDialog form;
    form.setWindowTitle(QStringLiteral("Mine"));
    form.resize(50, 40);
    auto *done = new QPushButton(QStringLiteral("Done"), &form);
    int closeWith = 5;
    QObject::connect(done, &QPushButton::clicked, &form, [&] { form.done(closeWith); });

    int r =
        RunModal([&] { return v.EditRowEntries(2, &form, 30, 20); },
                 [&](QDialog *dlg) {
                     EXPECT_EQ(dlg, &form);
                     const int lw =
                         std::max(form.fontMetrics().horizontalAdvance(QStringLiteral("Column 1")),
                                  form.fontMetrics().horizontalAdvance(QStringLiteral("Column 2"))) +
                         8;
                     auto *edit = Field<QLineEdit>(dlg, "runtime_rlre_Edit1");
                     ASSERT_NE(edit, nullptr);
                     EXPECT_EQ(edit->parentWidget(), &form);
                     EXPECT_EQ(edit->pos(), QPoint(30 + lw + 12, 20));
                     EXPECT_EQ(Field<QLabel>(dlg, "runtime_rlre_Label2")->pos(), QPoint(30 + 8, 20 + 25 + 3));
                     EXPECT_GE(form.width(), 30 + 100 + lw + 28);
                     EXPECT_GE(form.height(), 20 + 2 * 25 + 38);
                     EXPECT_EQ(dlg->findChild<QPushButton *>(QStringLiteral("runtime_rlre_ButOK")), nullptr);
                     TypeInto(edit, QStringLiteral("b"));
                     QTest::mouseClick(done, Qt::LeftButton);
                 });
    EXPECT_EQ(r, 5); // whatever the form returns; only OK writes
    EXPECT_EQ(v.GetElem(1, 2), QStringLiteral("a"));

    closeWith = TReportListView::mrOK;
    r = RunModal([&] { return v.EditRowEntries(2, &form, 0, 0); },
                 [&](QDialog *dlg) {
                     TypeInto(Field<QLineEdit>(dlg, "runtime_rlre_Edit1"), QStringLiteral("b"));
                     QTest::mouseClick(done, Qt::LeftButton);
                 });
    EXPECT_EQ(r, TReportListView::mrOK);
    EXPECT_EQ(v.GetElem(1, 2), QStringLiteral("b"));
    // The generated widgets are gone; the form's own stay, caption included.
    for (QObject *o : form.findChildren<QObject *>())
        EXPECT_FALSE(o->objectName().startsWith(QStringLiteral("runtime_rlre_")))
            << o->objectName().toStdString();
    EXPECT_EQ(form.findChildren<QPushButton *>().size(), 1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Mine"));
}

TEST(RowEditor, RequestEditFormatReplacesAFormatForOneDialog)
{
    TReportListView v;
    MakeColumns(v, {{QStringLiteral("[s]"), QStringLiteral("x")}, {QStringLiteral("[s][70]"), QString()}}, 3,
                3);
    QList<QPoint> asked;
    v.SetOnRequestEditFormat([&](QObject *Sender, int Col, int Row, QString &Format) {
        EXPECT_EQ(Sender, &v);
        asked << QPoint(Col, Row);
        if (Col == 2) {
            EXPECT_EQ(Format, QStringLiteral("[s][70]"));
            Format = QStringLiteral("[#i][60]rix2");
        }
    });
    RunModal([&] { return v.EditRowEntries(3, 0, 0); },
             [&](QDialog *dlg) {
                 auto *num = Field<TNumIO>(dlg, "runtime_rlre_NumIO2");
                 ASSERT_NE(num, nullptr);
                 EXPECT_FALSE(num->isEnabled());
                 EXPECT_EQ(num->width(), 60);
                 EXPECT_EQ(num->Text(), QStringLiteral("03"));
                 ClickButton(dlg, "runtime_rlre_ButOK");
             });
    EXPECT_EQ(asked, (QList<QPoint>{{1, 3}, {2, 3}}));
    EXPECT_EQ(v.GetElem(2, 3), QStringLiteral("03")); // the read-only default is stored
    EXPECT_EQ(v.GetColumnFormat(2), QStringLiteral("[s][70]"));

    v.SetOnRequestEditFormat(nullptr);
    RunModal([&] { return v.EditRowEntries(3, 0, 0); },
             [&](QDialog *dlg) {
                 EXPECT_NE(dlg->findChild<QLineEdit *>(QStringLiteral("runtime_rlre_Edit2")), nullptr);
                 ClickButton(dlg, "runtime_rlre_ButCancel");
             });
}

TEST(RowEditor, AnyFormatAndCellTextGiveAUsableDialog)
{
    const QStringList formats = {
        QStringLiteral("["),
        QStringLiteral("]"),
        QStringLiteral("]["),
        QStringLiteral("[[[]]]"),
        QStringLiteral("[s][99999999999]"),
        QStringLiteral("[l:0][]a"),
        QStringLiteral("[c:1000000][50]|||"),
        QStringLiteral("[d'unclosed][80]"),
        QStringLiteral("[dyyy][80]1.1.2000"),
        QStringLiteral("[e][-5]"),
        QStringLiteral("[#]"),
        QStringLiteral("[]"),
        QStringLiteral("[dabc][60]"),
        QStringLiteral("[d][80]"),
        QStringLiteral("[h:zz][x]$pwd$999999"),
        QStringLiteral("[s][10]$pwd$-4"),
        QStringLiteral("[i][50]rix99999"),
        QString(80, QLatin1Char('[')),
        QStringLiteral("[l:-3]]]]][[[[8|9|10|||||||||||||||||||||||||||||||||||||||||"),
        QStringLiteral("[f][20]\n\t\x01")};
    const QStringList cells = {QStringLiteral("x"),           QString(255, QLatin1Char('w')),
                               QStringLiteral("line\nbreak"), QStringLiteral("'"),
                               QStringLiteral("-"),           QStringLiteral("1e999999")};
    TReportListView v;
    v.SetNrCols(int(formats.size()));
    v.SetNrRows(1);
    for (int c = 1; c <= formats.size(); ++c) {
        v.SetColumnFormat(c, formats[c - 1]);
        v.SetElem(c, 1, cells[(c - 1) % cells.size()]);
    }
    const QStringList before = RowTexts(v, 1);
    for (const char *button : {"runtime_rlre_ButOK", "runtime_rlre_ButCancel"}) {
        RunModal([&] { return v.EditRowEntries(1, 0, 0); },
                 [&](QDialog *dlg) {
                     EXPECT_LE(dlg->width(), 2000);
                     for (QWidget *w : dlg->findChildren<QWidget *>()) {
                         if (w->objectName().startsWith(QStringLiteral("runtime_rlre_"))) {
                             EXPECT_LE(w->width(), 1600);
                         }
                     }
                     ClickButton(dlg, button);
                 });
        EXPECT_EQ(RowTexts(v, 1), before) << button;
    }

    // Empty cells take what defaults these formats give, without harm.
    for (int c = 1; c <= formats.size(); ++c)
        v.SetElem(c, 1, QString());
    RunModal([&] { return v.EditRowEntries(1, 0, 0); },
             [&](QDialog *dlg) { ClickButton(dlg, "runtime_rlre_ButOK"); });
    EXPECT_EQ(v.GetElem(6, 1), QStringLiteral("a"));
    EXPECT_EQ(v.GetElem(16, 1), QString()); // a password of no characters
    EXPECT_EQ(v.GetElem(14, 1), QString()); // no default date to store
}

TEST(RowEditor, ManyColumnsFitTheScreen)
{
    TReportListView v;
    v.SetNrCols(400);
    v.SetNrRows(1);
    v.SetElem(400, 1, QStringLiteral("last"));
    RunModal([&] { return v.EditRowEntries(1, 0, 0); },
             [&](QDialog *dlg) {
                 EXPECT_LE(dlg->height(), 2000);
                 auto *last = Field<QLineEdit>(dlg, "runtime_rlre_Edit400");
                 ASSERT_NE(last, nullptr);
                 EXPECT_EQ(last->text(), QStringLiteral("last"));
                 TypeInto(last, QStringLiteral("edited"));
                 QTest::keyClick(last, Qt::Key_Return);
             });
    EXPECT_EQ(v.GetElem(400, 1), QStringLiteral("edited"));
}
