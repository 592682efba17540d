// TNumIO: edit fields that accept only number text, in several formats and ranges.
#include "gallery.h"

#include <krogui/numio/numio.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

namespace {

struct Field
{
    const char *Caption;
    kro::TInFormat Format;
    double Low, High;
    double Start;
};

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TNumIO validates every change of its text: a text that does not convert in the input format, or "
        "whose "
        "value lies outside the range, is replaced by the last accepted one. Incomplete input such as \"-\" "
        "or "
        "\"1e-\" is accepted while typing. The value of each field is shown beside it as it changes."));
    const Field fields[] = {
        {"itExp  -1e6 .. 1e6", kro::itExp, -1e6, 1e6, 1234.5},
        {"itFloat  -10 .. 10", kro::itFloat, -10, 10, 2.5},
        {"itFixPoint  0 .. 1000", kro::itFixPoint, 0, 1000, 99.95},
        {"itInt  -500 .. 500", kro::itInt, -500, 500, 42},
        {"itHex  0 .. 65535", kro::itHex, 0, 65535, 255},
        {"itOct  0 .. 4095", kro::itOct, 0, 4095, 64},
        {"itBin  0 .. 255", kro::itBin, 0, 255, 5},
        {"itDynamic  ($ % & prefixes)", kro::itDynamic, -1e9, 1e9, 0},
    };
    QWidget *stage = page->Stage();
    kro::TNumIO *first = nullptr;
    int y = 10;
    for (const Field &f : fields) {
        auto *caption = new QLabel(QString::fromLatin1(f.Caption), stage);
        caption->setGeometry(10, y + 3, 170, 20);
        auto *edit = new kro::TNumIO(stage);
        edit->SetName(QStringLiteral("NumIO%1").arg(int(f.Format)));
        edit->SetInputFormat(f.Format);
        edit->SetRangeLow(f.Low);
        edit->SetRangeHigh(f.High);
        edit->SetValue(f.Start);
        edit->SetBounds(185, y, 130, 24);
        auto *value = new QLabel(stage);
        value->setGeometry(325, y + 3, 160, 20);
        auto show = [edit, value](QObject *) {
            value->setText(QStringLiteral("= %1").arg(edit->Value(), 0, 'g', 10));
        };
        edit->SetOnChange(show);
        show(edit);
        if (!first) first = edit;
        y += 34;
    }

    // Live editors act on the first field.
    auto *format = new QComboBox;
    for (const char *n : {"itExp", "itFloat", "itFixPoint", "itInt", "itHex", "itOct", "itBin", "itDynamic"})
        format->addItem(QString::fromLatin1(n));
    format->setCurrentIndex(int(first->InputFormat()));
    QObject::connect(format, &QComboBox::currentIndexChanged,
                     [first](int i) { first->SetInputFormat(kro::TInFormat(i)); });
    page->AddEditor(QStringLiteral("InputFormat (first)"), format);

    auto *low = new QDoubleSpinBox;
    low->setRange(-1e9, 1e9);
    low->setValue(first->RangeLow());
    QObject::connect(low, &QDoubleSpinBox::valueChanged, [first](double v) { first->SetRangeLow(v); });
    page->AddEditor(QStringLiteral("RangeLow (first)"), low);
    auto *high = new QDoubleSpinBox;
    high->setRange(-1e9, 1e9);
    high->setValue(first->RangeHigh());
    QObject::connect(high, &QDoubleSpinBox::valueChanged, [first](double v) { first->SetRangeHigh(v); });
    page->AddEditor(QStringLiteral("RangeHigh (first)"), high);

    auto *sep = new QComboBox;
    for (const char *n : {"dsSystem", "dsPoint", "dsComma", "dsBoth"})
        sep->addItem(QString::fromLatin1(n));
    QObject::connect(sep, &QComboBox::currentIndexChanged, [stage](int i) {
        for (auto *e : stage->findChildren<kro::TNumIO *>())
            e->SetDecPSep(kro::TDecPSep(i));
    });
    page->AddEditor(QStringLiteral("DecPlaceSep (all)"), sep);

    auto *places = new QDoubleSpinBox;
    places->setDecimals(0);
    places->setRange(0, 10);
    places->setValue(2);
    QObject::connect(places, &QDoubleSpinBox::valueChanged, [stage](double v) {
        for (auto *e : stage->findChildren<kro::TNumIO *>())
            e->SetFixPointDecPlaces(int(v));
    });
    page->AddEditor(QStringLiteral("FixPointDecPlaces"), places);

    auto *beep = new QCheckBox(QStringLiteral("Beep on refused input"));
    QObject::connect(beep, &QCheckBox::toggled, [stage](bool on) {
        for (auto *e : stage->findChildren<kro::TNumIO *>())
            e->SetBeep(on);
    });
    page->AddRow(beep);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TNumIO"), 10, CreatePage);

} // namespace
