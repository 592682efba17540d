// TNumLab: one label per display type beside a live one that the editors change.
#include "gallery.h"

#include <krogui/displays/numlab.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMetaEnum>
#include <QSpinBox>

namespace {

using namespace kro;

TNumLab *AddLab(QWidget *Stage, int Y, const QString &Left, double Value, TDisplay Type, int Precision,
                const QString &Right)
{
    auto *lab = new TNumLab(Stage);
    lab->SetBounds(10, Y, 330, 28);
    lab->SetLeftSpace(110);
    lab->SetLabelWidth(150);
    lab->SetLeftText(Left);
    lab->SetRightText(Right);
    lab->SetDisplayType(Type);
    lab->SetPrecision(Precision);
    lab->SetValue(Value);
    return lab;
}

void FillEnumCombo(QComboBox *Combo, const QMetaEnum &E, int Current)
{
    for (int i = 0; i < E.keyCount(); ++i)
        Combo->addItem(QString::fromLatin1(E.key(i)), E.value(i));
    Combo->setCurrentIndex(Combo->findData(Current));
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TNumLab shows a number in a framed box between two side texts. The top label follows the editors; "
        "the others show the display types (fixed point, exponent, hexadecimal, date, sexagesimal degrees, "
        "engineering notation, state text and the overflow indicator). The bottom label is transparent over "
        "a coloured panel."));
    QWidget *stage = page->Stage();

    TNumLab *live = AddLab(stage, 10, QStringLiteral("Pressure"), 1013.25, dtFixP, 2, QStringLiteral("hPa"));
    live->SetColorLabBakG(clWhite);
    live->SetColorLabText(clNavy);

    const double now = 45678.75; // 21 January 2025, 18:00
    AddLab(stage, 50, QStringLiteral("dtFloat"), 6.02214076e23, dtFloat, 5, QString());
    AddLab(stage, 80, QStringLiteral("dtExp"), -0.000123456, dtExp, 4, QString());
    AddLab(stage, 110, QStringLiteral("dtHex"), 48879, dtHex, 6, QStringLiteral("hex"));
    AddLab(stage, 140, QStringLiteral("dtZeroInt"), 42, dtZeroInt, 5, QString());
    AddLab(stage, 170, QStringLiteral("dtBin / dtOct"), 45, dtBin, 0, QString());
    AddLab(stage, 200, QStringLiteral("dtDateTime"), now, dtDateTime, 0, QString())
        ->SetDTFormat(QStringLiteral("ddd dd mmm yyyy hh:nn"));
    AddLab(stage, 230, QStringLiteral("dtDegMinSec"), 47.37174, dtDegMinSec, 1, QStringLiteral("N"));
    AddLab(stage, 260, QStringLiteral("dtEEng"), 0.0000472, dtEEng, 2, QStringLiteral("F"));
    AddLab(stage, 290, QStringLiteral("dtState"), 0, dtState, 0, QString())
        ->SetStateText(QStringLiteral("ready"));
    TNumLab *over = AddLab(stage, 320, QStringLiteral("overflow"), 1.5e12, dtFixP, 3, QString());
    over->SetLabelWidth(70);
    over->SetRightTextAlignment(taLeftJustify);

    auto *panel = new QLabel(stage);
    panel->setGeometry(0, 355, 360, 40);
    panel->setStyleSheet(QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #ffe9a8, "
                                        "stop:1 #9fd3ff);"));
    TNumLab *glass =
        AddLab(stage, 361, QStringLiteral("transparent"), -12.5, dtDeg, 1, QStringLiteral("frost"));
    glass->SetColorLabText(clMaroon);
    glass->SetTransparent(true);
    glass->raise();

    auto *value = new QDoubleSpinBox;
    value->setRange(-1e15, 1e15);
    value->setDecimals(4);
    value->setValue(live->Value());
    QObject::connect(value, &QDoubleSpinBox::valueChanged, live, [live](double v) { live->SetValue(v); });
    page->AddEditor(QStringLiteral("Value"), value);

    auto *type = new QComboBox;
    FillEnumCombo(type, QMetaEnum::fromType<TDisplay>(), live->DisplayType());
    QObject::connect(type, &QComboBox::currentIndexChanged, live,
                     [live, type](int) { live->SetDisplayType(TDisplay(type->currentData().toInt())); });
    page->AddEditor(QStringLiteral("DisplayType"), type);

    auto *prec = new QSpinBox;
    prec->setRange(0, 15);
    prec->setValue(live->Precision());
    QObject::connect(prec, &QSpinBox::valueChanged, live, [live](int v) { live->SetPrecision(v); });
    page->AddEditor(QStringLiteral("Precision"), prec);

    auto *align = new QComboBox;
    FillEnumCombo(align, QMetaEnum::fromType<TAlignment>(), live->Alignment());
    QObject::connect(align, &QComboBox::currentIndexChanged, live,
                     [live, align](int) { live->SetAlignment(TAlignment(align->currentData().toInt())); });
    page->AddEditor(QStringLiteral("Alignment"), align);

    auto *frame = new QComboBox;
    FillEnumCombo(frame, QMetaEnum::fromType<TFrameStyle>(), live->FrameStyle());
    QObject::connect(frame, &QComboBox::currentIndexChanged, live,
                     [live, frame](int) { live->SetFrameStyle(TFrameStyle(frame->currentData().toInt())); });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);

    auto *width = new QSpinBox;
    width->setRange(0, 200);
    width->setValue(live->LabelWidth());
    QObject::connect(width, &QSpinBox::valueChanged, live, [live](int v) { live->SetLabelWidth(v); });
    page->AddEditor(QStringLiteral("LabelWidth"), width);

    auto addCheck = [page, live](const QString &Text, bool On, void (TNumLab::*Setter)(bool)) {
        auto *box = new QCheckBox(Text);
        box->setChecked(On);
        QObject::connect(box, &QCheckBox::toggled, live, [live, Setter](bool v) { (live->*Setter)(v); });
        page->AddRow(box);
    };
    addCheck(QStringLiteral("Comma"), live->Comma(), &TNumLab::SetComma);
    addCheck(QStringLiteral("ForcePlusSign"), live->ForcePlusSign(), &TNumLab::SetForcePlusSign);
    addCheck(QStringLiteral("Empty"), live->Empty(), &TNumLab::SetEmpty);
    addCheck(QStringLiteral("Enabled"), true, &TNumLab::SetEnabled);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TNumLab"), 30, CreatePage);

} // namespace
