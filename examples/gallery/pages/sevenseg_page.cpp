// TSevenSeg: a running clock, a few fixed displays and a live one that the editors change.
#include "gallery.h"

#include <krogui/displays/sevenseg.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMetaEnum>
#include <QSpinBox>
#include <QTime>
#include <QTimer>

namespace {

using namespace kro;

TSevenSeg *AddDisplay(QWidget *Stage, int X, int Y, int W, int H, int Digits, const QString &Caption,
                      TColor Colour)
{
    auto *seg = new TSevenSeg(Stage);
    seg->SetBounds(X, Y, W, H);
    seg->SetNumDigits(Digits);
    seg->SetCaption(Caption);
    seg->SetColorText(Colour);
    return seg;
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TSevenSeg draws its caption as slanted seven-segment digits. Dots and commas light the dot of the "
        "digit before them; characters it cannot show stay blank. The top display is a clock; the last one "
        "follows the editors."));
    QWidget *stage = page->Stage();

    TSevenSeg *clock = AddDisplay(stage, 10, 10, 400, 80, 8, QStringLiteral("00:00:00"), clLime);
    clock->SetColorBackGnd(0x101010);
    auto *timer = new QTimer(clock);
    auto tick = [clock] { clock->SetCaption(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); };
    QObject::connect(timer, &QTimer::timeout, clock, tick);
    tick();
    timer->start(1000);

    AddDisplay(stage, 10, 100, 200, 60, 6, QStringLiteral("-3.2\u00B0C"), 0x00C0FF);
    AddDisplay(stage, 220, 100, 190, 60, 5, QStringLiteral("+1.5E"), clAqua);
    AddDisplay(stage, 10, 170, 150, 50, 4, QStringLiteral("bEEF"), clYellow)->SetFrameStyle(fsEmbossed);
    TSevenSeg *white = AddDisplay(stage, 170, 170, 240, 50, 6, QStringLiteral("0.1.2.3.4.5."), clWhite);
    white->SetColorBackGnd(clNavy);

    TSevenSeg *live = AddDisplay(stage, 10, 235, 400, 110, 6, QStringLiteral("12.345"), clRed);

    auto *caption = new QLineEdit(live->Caption());
    QObject::connect(caption, &QLineEdit::textChanged, live,
                     [live](const QString &t) { live->SetCaption(t); });
    page->AddEditor(QStringLiteral("Caption"), caption);

    auto addSpin = [page, live](const QString &Label, int Lo, int Hi, int Value,
                                void (TSevenSeg::*Setter)(int)) {
        auto *spin = new QSpinBox;
        spin->setRange(Lo, Hi);
        spin->setValue(Value);
        QObject::connect(spin, &QSpinBox::valueChanged, live, [live, Setter](int v) { (live->*Setter)(v); });
        page->AddEditor(Label, spin);
    };
    addSpin(QStringLiteral("NumDigits"), 1, 32, live->NumDigits(), &TSevenSeg::SetNumDigits);
    addSpin(QStringLiteral("Margin"), 0, 54, live->Margin(), &TSevenSeg::SetMargin);
    addSpin(QStringLiteral("InterDigDist"), 0, 40, live->InterDigDist(), &TSevenSeg::SetInterDigDist);

    auto *colour = new QComboBox;
    const std::pair<const char *, TColor> colours[] = {{"red", clRed},       {"lime", clLime},
                                                       {"yellow", clYellow}, {"aqua", clAqua},
                                                       {"white", clWhite},   {"orange", 0x00A5FF}};
    for (const auto &[name, c] : colours)
        colour->addItem(QString::fromLatin1(name), c);
    QObject::connect(colour, &QComboBox::currentIndexChanged, live,
                     [live, colour](int) { live->SetColorText(colour->currentData().toUInt()); });
    page->AddEditor(QStringLiteral("ColorText"), colour);

    auto *frame = new QComboBox;
    const QMetaEnum fe = QMetaEnum::fromType<TFrameStyle>();
    for (int i = 0; i < fe.keyCount(); ++i)
        frame->addItem(QString::fromLatin1(fe.key(i)), fe.value(i));
    frame->setCurrentIndex(frame->findData(live->FrameStyle()));
    QObject::connect(frame, &QComboBox::currentIndexChanged, live,
                     [live, frame](int) { live->SetFrameStyle(TFrameStyle(frame->currentData().toInt())); });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TSevenSeg"), 31, CreatePage);

} // namespace
