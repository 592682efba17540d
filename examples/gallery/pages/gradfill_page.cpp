// The gradient area: the four gradient types, band counts, grid lines and drawing on top in OnPaint.
#include "gallery.h"

#include <krogui/displays/gradfill.h>

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

namespace {

using namespace kro;

const gallery::ColorChoices kColours = {{"maroon", clMaroon}, {"yellow", clYellow},      {"navy", clNavy},
                                        {"aqua", clAqua},     {"white", clWhite},        {"black", clBlack},
                                        {"green", clGreen},   {"button face", clBtnFace}};

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TGradFill fills its area with a stepped gradient of NrColors bands, from one edge to the other or "
        "from both edges towards a middle band, with optional grid lines on the band borders and a frame. "
        "The small samples show the four types; the last one draws on top of itself in OnPaint."));
    QWidget *stage = page->Stage();
    stage->setMinimumSize(520, 400);

    auto *big = new TGradFill(stage);
    big->SetBounds(10, 10, 250, 250);
    big->SetFrameStyle(fsLowered);

    const TGradType types[] = {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert};
    const TColor firsts[] = {clNavy, RGB(0, 90, 0), clBlack, RGB(90, 0, 90)};
    const TColor lasts[] = {clAqua, clYellow, clWhite, RGB(255, 200, 120)};
    const int counts[] = {8, 32, 5, 255};
    for (int i = 0; i < 4; ++i) {
        auto *g = new TGradFill(stage);
        g->SetBounds(280 + (i % 2) * 125, 10 + (i / 2) * 125, 115, 115);
        g->SetFillType(types[i]);
        g->SetColorFirst(firsts[i]);
        g->SetColorLast(lasts[i]);
        g->SetNrColors(counts[i]);
        g->SetFrameStyle(fsRaised);
        if (i == 0) {
            g->SetGridMode(gmBoth);
            g->SetGridColor(RGB(0, 0, 60));
        }
        if (i == 3)
            g->SetOnPaint([g](QObject *) {
                TCanvas *c = g->Canvas();
                c->Brush()->SetStyle(bsClear);
                c->Font()->SetColor(clWhite);
                c->Font()->SetSize(10);
                c->Font()->SetStyle(fsBold);
                const QString t = QStringLiteral("OnPaint");
                c->TextOut((g->Width() - c->TextWidth(t)) / 2, (g->Height() - c->TextHeight(t)) / 2, t);
            });
    }

    auto *type = new QComboBox;
    type->addItems({QStringLiteral("gtHoriz"), QStringLiteral("gtVert"), QStringLiteral("gtMidBandHoriz"),
                    QStringLiteral("gtMidBandVert")});
    QObject::connect(type, &QComboBox::currentIndexChanged, [big](int i) { big->SetFillType(TGradType(i)); });
    page->AddEditor(QStringLiteral("FillType"), type);

    auto *n = new QSpinBox;
    n->setRange(1, 255);
    n->setValue(big->NrColors());
    QObject::connect(n, &QSpinBox::valueChanged, [big](int v) { big->SetNrColors(v); });
    page->AddEditor(QStringLiteral("NrColors"), n);

    page->AddEditor(
        QStringLiteral("ColorFirst"),
        gallery::ColorBox(kColours, big->ColorFirst(), [big](TColor c) { big->SetColorFirst(c); }));
    page->AddEditor(QStringLiteral("ColorLast"),
                    gallery::ColorBox(kColours, big->ColorLast(), [big](TColor c) { big->SetColorLast(c); }));

    auto *grid = new QComboBox;
    grid->addItems({QStringLiteral("gmNone"), QStringLiteral("gmHoriz"), QStringLiteral("gmVert"),
                    QStringLiteral("gmBoth")});
    QObject::connect(grid, &QComboBox::currentIndexChanged, [big](int i) { big->SetGridMode(TGridMode(i)); });
    page->AddEditor(QStringLiteral("GridMode"), grid);
    page->AddEditor(QStringLiteral("GridColor"),
                    gallery::ColorBox(kColours, big->GridColor(), [big](TColor c) { big->SetGridColor(c); }));

    auto *frame = new QComboBox;
    frame->addItems({QStringLiteral("fsNone"), QStringLiteral("fsSimple"), QStringLiteral("fsLowered"),
                     QStringLiteral("fsRaised"), QStringLiteral("fsEmbossed"), QStringLiteral("fsEngraved")});
    frame->setCurrentIndex(big->FrameStyle());
    QObject::connect(frame, &QComboBox::currentIndexChanged,
                     [big](int i) { big->SetFrameStyle(TFrameStyle(i)); });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);

    auto *flip = new QCheckBox(QStringLiteral("ColorFlipped"));
    QObject::connect(flip, &QCheckBox::toggled, [big](bool v) { big->SetColorFlipped(v); });
    page->AddRow(flip);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Gradient area"), 35, CreatePage);

} // namespace
