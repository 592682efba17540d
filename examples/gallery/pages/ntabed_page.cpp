// The numeric table editor over a 1,000 x 1,000 table with names, attributes, marks and a coded
// column; both built-in menus are live (right-click a cell or a heading; right-click the corner
// for the comment).
#include "gallery.h"

#include <krogui/ntabed/ntabed.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include <cmath>

namespace {

using namespace kro;

void FillTable(TNTabEd *Ed)
{
    Ed->SetSuppressPaint(true);
    Ed->Redimension(1000, 1000);
    TDataTable *t = Ed->Data();
    t->SetMScaleType(2, mstNominal);
    const char *const ids[] = {"iron", "copper", "zinc", "tin", "lead"};
    for (int k = 0; k < 5; ++k)
        t->SetNominalID(2, k + 1, QString::fromLatin1(ids[k]));
    for (int c = 1; c <= 1000; ++c) {
        t->SetColName(c, QStringLiteral("Ch %1").arg(c));
        t->SetColAttrib(c, c % 7);
        for (int r = 1; r <= 1000; ++r)
            t->SetElem(c, r, c == 2 ? 1 + (r % 5) : std::sin(c * 0.37 + r * 0.11) * c);
    }
    for (int r = 1; r <= 1000; ++r) {
        t->SetRowName(r, QStringLiteral("Sample %1").arg(r));
        t->SetRowAttrib(r, r % 3);
    }
    for (int r = 2; r <= 5; ++r)
        Ed->SetElemMarkedA(3, r, true);
    for (int c = 4; c <= 6; ++c)
        Ed->SetElemMarkedB(c, 3, true);
    Ed->SetElemMarkedB(3, 4, true);
    Ed->SetIsEmpty(5, 6, true);
    Ed->SetCellState(6, 6, 0x01);
    Ed->SetDecPlaces(1, 1);
    Ed->SetDecPlaces(4, -1);
    Ed->SetComment(QStringLiteral("Alloy trials, series 4"));
    Ed->SetSuppressPaint(false);
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TNTabEd over a 1,000 x 1,000 table. Click a cell twice to edit it (column 2 is coded: pick an "
        "identifier); right-click a cell for marks, clear, copy, paste and extract, right-click a heading "
        "to rename it, change the precision, insert or delete; right-click the corner for the comment. "
        "Red cells are marked A, blue ones B, magenta both."));
    auto *ed = new TNTabEd(page->Stage());
    ed->SetBounds(10, 10, 490, 380);
    FillTable(ed);
    ed->SetColWidths(0, 90);
    ed->show();

    auto *status = new QLabel;
    status->setWordWrap(true);
    auto showState = [ed, status](QObject *) {
        int nc = 0, nr = 0;
        const bool clip = ed->GetClipMatrixSize(nc, nr);
        status->setText(QStringLiteral("Marked A: %1 · B: %2 · clipboard: %3")
                            .arg(ed->NrOfMarkedDataA())
                            .arg(ed->NrOfMarkedDataB())
                            .arg(clip ? QStringLiteral("%1 x %2 numbers").arg(nc).arg(nr)
                                      : QStringLiteral("no numbers")));
    };
    ed->SetOnCellStateChanged(showState);
    ed->SetOnPaste(showState);
    showState(nullptr);
    page->AddRow(status);

    auto addCheck = [page](const QString &Label, bool On, auto Apply) {
        auto *box = new QCheckBox(Label);
        box->setChecked(On);
        QObject::connect(box, &QCheckBox::toggled, box, Apply);
        page->AddRow(box);
    };
    addCheck(QStringLiteral("Row attributes"), ed->AttribRowVisible(),
             [ed](bool V) { ed->SetAttribRowVisible(V); });
    addCheck(QStringLiteral("Column attributes"), ed->AttribColVisible(),
             [ed](bool V) { ed->SetAttribColVisible(V); });
    addCheck(QStringLiteral("Data read-only"), ed->DataReadOnly(), [ed](bool V) { ed->SetDataReadOnly(V); });
    addCheck(QStringLiteral("Bold marks"), ed->BoldMarks(), [ed](bool V) {
        ed->SetBoldMarks(V);
        ed->Repaint();
    });
    addCheck(QStringLiteral("Advance to the right"), ed->AutoAdvanceDir() == orHorizontal,
             [ed](bool V) { ed->SetAutoAdvanceDir(V ? orHorizontal : orVertical); });
    addCheck(QStringLiteral("Full precision on the clipboard"), ed->ClipboardUseFullPrec(),
             [ed](bool V) { ed->SetClipboardUseFullPrec(V); });
    addCheck(QStringLiteral("Optimize row height"), ed->OptimizeRowHeight(),
             [ed](bool V) { ed->SetOptimizeRowHeight(V); });

    auto *width = new QSpinBox;
    width->setRange(1, 20);
    width->setValue(ed->NumWidth());
    QObject::connect(width, &QSpinBox::valueChanged, width, [ed](int V) { ed->SetNumWidth(V); });
    page->AddEditor(QStringLiteral("Number width"), width);
    page->AddEditor(QStringLiteral("Mark A colour"),
                    gallery::ColorBox({{"red", 0x0000FF}, {"green", 0x008000}, {"orange", 0x0080FF}},
                                      ed->ColorMarkedA(), [ed](TColor C) { ed->SetColorMarkedA(C); }));
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TNTabEd"), 85, CreatePage);

} // namespace
