// The dot-matrix label: a scrolling text, the built-in Latin-1 dot font and a sampled font.
#include "gallery.h"

#include <krogui/displays/rasterlab.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

using namespace kro;

const gallery::ColorChoices kColours = {
    {"lime", clLime}, {"red", clRed}, {"amber", RGB(255, 176, 0)}, {"aqua", clAqua}, {"white", clWhite}};

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TRasterLab draws its text as square dots from a character matrix: the built-in 7 x 12 Latin-1 "
        "font, or any font sampled into dots. The top label scrolls on its own timer and restarts at the "
        "opposite edge; the editors change it live."));
    QWidget *stage = page->Stage();
    stage->setMinimumSize(540, 420);

    auto *scroller = new TRasterLab(stage);
    scroller->SetBounds(10, 10, 520, 68);
    scroller->SetText(
        QString::fromUtf8("krogui dot-matrix display +++ Gr\u00FC\u00DFe aus M\u00FCnchen +++ "
                          "Cr\u00E8me br\u00FBl\u00E9e \u00A312.50 +++ 25 \u00B0C \u00B1 0,5 +++ "
                          "\u00BFQu\u00E9 tal? \u00A1Ol\u00E9!"));
    scroller->SetScrollInterval(30);
    scroller->SetScrollIncrement(2);
    scroller->SetScrollMode(rdsmLeft);

    // The whole built-in font, 32 codes a row (the control codes 128..159 left out).
    const int firstCodes[] = {32, 64, 96, 160, 192, 224};
    for (int i = 0; i < 6; ++i) {
        auto *row = new TRasterLab(stage);
        row->SetBounds(10, 90 + i * 27, 520, 26);
        row->SetFrameStyle(fsNone);
        row->SetCharBlockMode(rdbmOff);
        row->SetDotSize(2);
        row->SetDotSpacing(0);
        row->SetColorDotOn(RGB(255, 176, 0));
        row->SetProportional(false);
        QString text;
        for (int c = firstCodes[i]; c < firstCodes[i] + 32; ++c)
            text += QChar(c);
        row->SetText(text);
    }

    auto *sampled = new TRasterLab(stage);
    sampled->SetBounds(10, 260, 520, 60);
    sampled->Font()->SetName(QStringLiteral("DejaVu Sans"));
    sampled->Font()->SetSize(9);
    sampled->SetDotSize(1);
    sampled->SetCharBlockMode(rdbmRaster);
    sampled->SetColorDotOn(clAqua);
    sampled->SetColorDotOff(RGB(0, 40, 48));
    sampled->SetFrameStyle(fsEmbossed);
    sampled->SetAutoHeight(true);
    sampled->SetText(QStringLiteral("Sampled from DejaVu Sans 9 pt"));
    sampled->SetAutoCenter(true);

    auto *small = new TRasterLab(stage);
    small->SetBounds(10, 340, 250, 40);
    small->SetDotSize(1);
    small->SetDotSpacing(1);
    small->SetColorDotOn(clRed);
    small->SetColorDotOff(RGB(60, 0, 0));
    small->SetFrameStyle(fsRaised);
    small->SetAutoHeight(true);
    small->SetText(QStringLiteral("1-pixel dots"));
    small->SetAutoCenter(true);

    auto *text = new QLineEdit(scroller->Text());
    QObject::connect(text, &QLineEdit::textChanged, [scroller](const QString &t) { scroller->SetText(t); });
    page->AddEditor(QStringLiteral("Text"), text);

    auto *font = new QComboBox;
    font->addItems({QStringLiteral("default"), QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                    QStringLiteral("DejaVu Sans Mono")});
    QObject::connect(font, &QComboBox::currentTextChanged,
                     [scroller](const QString &n) { scroller->Font()->SetName(n); });
    page->AddEditor(QStringLiteral("Font"), font);

    auto *dot = new QSpinBox;
    dot->setRange(1, 32);
    dot->setValue(scroller->DotSize());
    QObject::connect(dot, &QSpinBox::valueChanged, [scroller](int v) { scroller->SetDotSize(v); });
    page->AddEditor(QStringLiteral("DotSize"), dot);

    auto *gap = new QSpinBox;
    gap->setRange(0, 3);
    gap->setValue(scroller->DotSpacing());
    QObject::connect(gap, &QSpinBox::valueChanged, [scroller](int v) { scroller->SetDotSpacing(v); });
    page->AddEditor(QStringLiteral("DotSpacing"), gap);

    auto *block = new QComboBox;
    block->addItems({QStringLiteral("rdbmOff"), QStringLiteral("rdbmOn"), QStringLiteral("rdbmRaster")});
    block->setCurrentIndex(scroller->CharBlockMode());
    QObject::connect(block, &QComboBox::currentIndexChanged,
                     [scroller](int i) { scroller->SetCharBlockMode(TRDBlockMode(i)); });
    page->AddEditor(QStringLiteral("CharBlockMode"), block);

    auto *mode = new QComboBox;
    mode->addItems({QStringLiteral("rdsmOff"), QStringLiteral("rdsmLeft"), QStringLiteral("rdsmRight"),
                    QStringLiteral("rdsmDown"), QStringLiteral("rdsmUp")});
    mode->setCurrentIndex(scroller->ScrollMode());
    QObject::connect(mode, &QComboBox::currentIndexChanged,
                     [scroller](int i) { scroller->SetScrollMode(TRDScrollMode(i)); });
    page->AddEditor(QStringLiteral("ScrollMode"), mode);

    auto *inc = new QSpinBox;
    inc->setRange(1, 20);
    inc->setValue(scroller->ScrollIncrement());
    QObject::connect(inc, &QSpinBox::valueChanged, [scroller](int v) { scroller->SetScrollIncrement(v); });
    page->AddEditor(QStringLiteral("ScrollIncrement"), inc);

    auto *iv = new QSpinBox;
    iv->setRange(10, 1000);
    iv->setSingleStep(10);
    iv->setValue(scroller->ScrollInterval());
    QObject::connect(iv, &QSpinBox::valueChanged, [scroller](int v) { scroller->SetScrollInterval(v); });
    page->AddEditor(QStringLiteral("ScrollInterval"), iv);

    auto *frame = new QComboBox;
    frame->addItems({QStringLiteral("fsNone"), QStringLiteral("fsSimple"), QStringLiteral("fsLowered"),
                     QStringLiteral("fsRaised"), QStringLiteral("fsEmbossed"), QStringLiteral("fsEngraved")});
    frame->setCurrentIndex(scroller->FrameStyle());
    QObject::connect(frame, &QComboBox::currentIndexChanged,
                     [scroller](int i) { scroller->SetFrameStyle(TFrameStyle(i)); });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);

    page->AddEditor(QStringLiteral("ColorDotOn"),
                    gallery::ColorBox(kColours, scroller->ColorDotOn(),
                                      [scroller](TColor c) { scroller->SetColorDotOn(c); }));

    auto *prop = new QCheckBox(QStringLiteral("Proportional"));
    prop->setChecked(scroller->Proportional());
    QObject::connect(prop, &QCheckBox::toggled, [scroller](bool on) { scroller->SetProportional(on); });
    page->AddRow(prop);

    auto *loop = new QCheckBox(QStringLiteral("ScrollLoop"));
    loop->setChecked(scroller->ScrollLoop());
    QObject::connect(loop, &QCheckBox::toggled, [scroller](bool on) { scroller->SetScrollLoop(on); });
    page->AddRow(loop);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Dot-matrix label"), 33, CreatePage);

} // namespace
