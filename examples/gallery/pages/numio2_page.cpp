// TNumIO2: the self-drawn numeric field with side texts, spin buttons, pivots and a gauge.
#include "gallery.h"

#include <krogui/numio/numio2.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace {

kro::TNumIO2 *MakeField(QWidget *Stage, int Y, const QString &Left, const QString &Right,
                        kro::TInFormat Format, double Value)
{
    auto *f = new kro::TNumIO2(Stage);
    f->SetBounds(10, Y, 260, 28);
    f->SetLeftSpace(80);
    f->SetTextBoxWidth(100);
    f->SetLeftText(Left);
    f->SetRightText(Right);
    f->SetInputFormat(Format);
    f->SetValue(Value);
    return f;
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TNumIO2 draws its own text box, caret and selection, checks every key on line and shows a value "
        "outside RangeLow..RangeHigh (here 0..1000) in warning colours. Shift+4, 5, 6 type the $, % and & "
        "prefixes of itDynamic; Ctrl+C, V, X use the clipboard."));
    QWidget *stage = page->Stage();

    auto *fl = MakeField(stage, 10, QStringLiteral("Float"), QStringLiteral("mm"), kro::itFloat, 12.5);
    MakeField(stage, 45, QStringLiteral("Exp"), QStringLiteral("V"), kro::itExp, 0.000123);
    MakeField(stage, 80, QStringLiteral("Hex"), QStringLiteral("addr"), kro::itHex, 255);
    MakeField(stage, 115, QStringLiteral("Dynamic"), QString(), kro::itDynamic, 42);

    auto *fix = MakeField(stage, 150, QStringLiteral("Step"), QStringLiteral("Hz"), kro::itFixPoint, 10);
    fix->SetButVisible(true);
    fix->ButtonPivots = {0, 10, 20, 50, 100, 200, 500, 1000};
    fix->SetRightTextAlignment(kro::taRightJustify);

    auto *gauge = MakeField(stage, 185, QStringLiteral("Level"), QStringLiteral("%"), kro::itFloat, 640);
    gauge->SetBounds(10, 185, 260, 44);
    gauge->SetGaugeVisible(true);
    gauge->SetGaugeLeftMargin(80);
    gauge->SetGaugeWidth(100);
    gauge->SetButVisible(true);
    gauge->SetButIncrem(25);

    auto *off = MakeField(stage, 240, QStringLiteral("Disabled"), QStringLiteral("kg"), kro::itFloat, 3.25);
    off->SetEnabled(false);

    auto *out = MakeField(stage, 275, QStringLiteral("Out of range"), QString(), kro::itFloat, 1500);
    out->SetFrameStyle(kro::fsSimple);

    auto *live = new QLabel(stage);
    live->setGeometry(10, 315, 300, 20);
    auto show = [gauge, live](QObject *) { live->setText(QStringLiteral("Level = %1").arg(gauge->Value())); };
    gauge->SetOnChange(show);
    gauge->SetOnGaugeChange([live](QObject *, kro::TShiftState, double v) {
        live->setText(QStringLiteral("Level (dragging) = %1").arg(v));
    });
    show(gauge);

    // Live editors act on the first field.
    auto *align = new QComboBox;
    for (const char *n : {"taLeftJustify", "taRightJustify", "taCenter"})
        align->addItem(QString::fromLatin1(n));
    align->setCurrentIndex(int(fl->Alignment()));
    QObject::connect(align, &QComboBox::currentIndexChanged,
                     [fl](int i) { fl->SetAlignment(kro::TAlignment(i)); });
    page->AddEditor(QStringLiteral("Alignment"), align);

    auto *frame = new QComboBox;
    for (const char *n : {"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"})
        frame->addItem(QString::fromLatin1(n));
    frame->setCurrentIndex(int(fl->FrameStyle()));
    QObject::connect(frame, &QComboBox::currentIndexChanged, [fl, gauge](int i) {
        fl->SetFrameStyle(kro::TFrameStyle(i));
        gauge->SetGaugeFrameStyle(kro::TFrameStyle(i));
    });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);

    auto *format = new QComboBox;
    for (const char *n : {"itExp", "itFloat", "itFixPoint", "itInt", "itHex", "itOct", "itBin", "itDynamic"})
        format->addItem(QString::fromLatin1(n));
    format->setCurrentIndex(int(fl->InputFormat()));
    QObject::connect(format, &QComboBox::currentIndexChanged,
                     [fl](int i) { fl->SetInputFormat(kro::TInFormat(i)); });
    page->AddEditor(QStringLiteral("InputFormat"), format);

    auto *places = new QSpinBox;
    places->setRange(0, 16);
    places->setValue(fl->FixPointDecPlaces());
    QObject::connect(places, &QSpinBox::valueChanged, [fl](int v) { fl->SetFixPointDecPlaces(v); });
    page->AddEditor(QStringLiteral("FixPointDecPlaces"), places);

    auto *buttons = new QCheckBox(QStringLiteral("ButVisible"));
    QObject::connect(buttons, &QCheckBox::toggled, [fl](bool on) { fl->SetButVisible(on); });
    page->AddRow(buttons);
    auto *readOnly = new QCheckBox(QStringLiteral("ReadOnly"));
    QObject::connect(readOnly, &QCheckBox::toggled, [fl](bool on) { fl->SetReadOnly(on); });
    page->AddRow(readOnly);
    auto *scheme = new QCheckBox(QStringLiteral("ColorScheme csSystem"));
    QObject::connect(scheme, &QCheckBox::toggled,
                     [fl](bool on) { fl->SetColorScheme(on ? kro::csSystem : kro::csBWG); });
    page->AddRow(scheme);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TNumIO2"), 11, CreatePage);

} // namespace
