// The selectors: a grid of marker symbols and a drop-down of named colours, working together.
#include "gallery.h"

#include <krogui/buttons/colsel.h>
#include <krogui/buttons/marksel.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace {

using namespace kro;

const gallery::ColorChoices kColours = {{"black", clBlack}, {"navy", clNavy},   {"maroon", clMaroon},
                                        {"green", clGreen}, {"white", clWhite}, {"button face", clBtnFace},
                                        {"cream", clCream}, {"red", clRed}};

QString MarkText(int Mark)
{
    return Mark < 0 ? QStringLiteral("none") : QStringLiteral("%1 (%2)").arg(Mark).arg(MarkerName(Mark));
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TMarkSel shows the marker symbols in a grid: the symbol under the mouse is highlighted and a click "
        "selects the nearest one (focused, the arrow keys move the highlight and Enter selects). TColSel "
        "lists named colours with a colour bar; editable entries show a page mark, and opening the list with "
        "the mouse over the bar of an editable entry offers a colour dialog. The colour chosen below paints "
        "the symbols of the big selector."));
    QWidget *stage = page->Stage();
    stage->setMinimumSize(480, 380);

    auto *marks = new TMarkSel(stage);
    marks->SetBounds(10, 10, 236, 178);
    marks->SetSelected(5);

    // A small selector with a few filled symbols only.
    auto *few = new TMarkSel(stage);
    few->SetBounds(260, 10, 140, 70);
    few->SetNrOfColumns(4);
    few->SetNrOfRows(2);
    few->SetShowZeroAsCross(false);
    few->HideAllMarks();
    for (int m : {5, 7, 9, 11, 13, 49, 51})
        few->SetVis(m, true);
    few->SetFrameStyle(fsLowered);
    few->SetColorBackGnd(clWhite);
    few->SetColorHiLiteBG(0x00A000);

    auto *status = new QLabel(stage);
    status->setGeometry(10, 195, 460, 20);
    auto report = [status](const char *What, int Mark) {
        status->setText(QStringLiteral("%1: %2").arg(QLatin1String(What), MarkText(Mark)));
    };
    marks->SetOnMarkClick([report](QObject *, int, int, int Mark) { report("OnMarkClick", Mark); });
    marks->SetOnMarkDblClick([report](QObject *, int, int, int Mark) { report("OnMarkDblClick", Mark); });
    few->SetOnMarkClick([report](QObject *, int, int, int Mark) { report("small selector", Mark); });

    auto *colours = new TColSel(stage);
    colours->SetBounds(10, 230, 180, colours->height());
    colours->SetArrayAllowEdit(17, true);
    colours->SetArrayAllowEdit(18, true);
    colours->SetArrayAllowEdit(19, true);
    colours->SetArrayAllowEdit(20, true);
    auto *swatch = new QLabel(stage);
    swatch->setGeometry(200, 230, 60, colours->height());
    swatch->setAutoFillBackground(true);
    auto *colourName = new QLabel(stage);
    colourName->setGeometry(270, 230, 200, colours->height());
    auto showColour = [=] {
        const TColor c = colours->SelColor();
        QPalette pal = swatch->palette();
        pal.setColor(QPalette::Window, c == clNone ? Qt::transparent : ToQColor(c));
        swatch->setPalette(pal);
        colourName->setText(colours->GetSelColorID());
        if (c != clNone) marks->SetColorMarks(c);
    };
    colours->SetOnChange([showColour](QObject *) { showColour(); });
    colours->SetOnDropDown([showColour](QObject *) { showColour(); });
    colours->SetSelColor(clNavy);
    showColour();

    // A second colour selector with the standard palette, friendlier names and every entry editable.
    auto *named = new TColSel(stage);
    named->SetBounds(10, 270, 220, named->height());
    named->SetColorBarWidth(40);
    named->SetOnColorNameChange([](QObject *, QString &Name) {
        if (Name.startsWith(QLatin1String("cl"))) Name = Name.mid(2);
    });
    named->LoadStandardPalette();
    named->SetAllColorEditFlags();
    named->setMaxVisibleItems(12);

    auto *cols = new QSpinBox;
    cols->setRange(1, 51);
    cols->setValue(marks->NrOfColumns());
    QObject::connect(cols, &QSpinBox::valueChanged, [marks](int v) { marks->SetNrOfColumns(v); });
    page->AddEditor(QStringLiteral("NrOfColumns"), cols);
    auto *rows = new QSpinBox;
    rows->setRange(1, 51);
    rows->setValue(marks->NrOfRows());
    QObject::connect(rows, &QSpinBox::valueChanged, [marks](int v) { marks->SetNrOfRows(v); });
    page->AddEditor(QStringLiteral("NrOfRows"), rows);
    auto *frame = new QComboBox;
    frame->addItems({QStringLiteral("fsNone"), QStringLiteral("fsSimple"), QStringLiteral("fsLowered"),
                     QStringLiteral("fsRaised"), QStringLiteral("fsEmbossed"), QStringLiteral("fsEngraved")});
    frame->setCurrentIndex(marks->FrameStyle());
    QObject::connect(frame, &QComboBox::currentIndexChanged,
                     [marks](int i) { marks->SetFrameStyle(TFrameStyle(i)); });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);
    page->AddEditor(
        QStringLiteral("ColorBackGnd"),
        gallery::ColorBox(kColours, marks->ColorBackGnd(), [marks](TColor c) { marks->SetColorBackGnd(c); }));
    auto *cross = new QCheckBox(QStringLiteral("ShowZeroAsCross"));
    cross->setChecked(marks->ShowZeroAsCross());
    QObject::connect(cross, &QCheckBox::toggled, [marks](bool v) { marks->SetShowZeroAsCross(v); });
    page->AddRow(cross);
    auto *smallOnes = new QCheckBox(QStringLiteral("Small symbols shown (18-31)"));
    smallOnes->setChecked(true);
    QObject::connect(smallOnes, &QCheckBox::toggled, [marks](bool v) {
        for (int m = 18; m <= 31; ++m)
            marks->SetVis(m, v);
    });
    page->AddRow(smallOnes);
    auto *enabled = new QCheckBox(QStringLiteral("Enabled (both)"));
    enabled->setChecked(true);
    QObject::connect(enabled, &QCheckBox::toggled, [marks, colours](bool v) {
        marks->SetEnabled(v);
        colours->SetEnabled(v);
    });
    page->AddRow(enabled);

    auto *palette = new QComboBox;
    palette->addItems({QStringLiteral("basic VGA (16)"), QStringLiteral("extended (20)"),
                       QStringLiteral("standard (47)"), QStringLiteral("system (27)")});
    palette->setCurrentIndex(1);
    QObject::connect(palette, &QComboBox::currentIndexChanged, [colours, showColour](int i) {
        switch (i) {
        case 0:
            colours->LoadBasicVGAPalette();
            break;
        case 1:
            colours->LoadExtendedPalette();
            break;
        case 2:
            colours->LoadStandardPalette();
            break;
        default:
            colours->LoadWindowsSystemPalette();
            break;
        }
        showColour();
    });
    page->AddEditor(QStringLiteral("Palette"), palette);
    auto *bar = new QSpinBox;
    bar->setRange(0, 120);
    bar->setValue(colours->ColorBarWidth());
    QObject::connect(bar, &QSpinBox::valueChanged, [colours](int v) { colours->SetColorBarWidth(v); });
    page->AddEditor(QStringLiteral("ColorBarWidth"), bar);
    auto *editable = new QCheckBox(QStringLiteral("All entries editable"));
    QObject::connect(editable, &QCheckBox::toggled, [colours](bool v) {
        if (v)
            colours->SetAllColorEditFlags();
        else
            colours->ResetAllColorEditFlags();
    });
    page->AddRow(editable);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Selectors"), 86, CreatePage);

} // namespace
