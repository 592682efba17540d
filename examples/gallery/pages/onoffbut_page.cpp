// The two-state button in every style, a radio-style group, and the auto-repeat button.
#include "gallery.h"

#include <krogui/buttons/onoffbut.h>
#include <krogui/buttons/repsbut.h>
#include <krogui/displays/gradfill.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>

namespace {

using namespace kro;

QString StyleName(int Style)
{
    return QString::fromLatin1(QMetaEnum::fromType<TOnOffButStyle>().valueToKey(Style));
}

/// One block per style: its name over the four states (on, off, on disabled, off disabled).
void AddStyleBlocks(QWidget *Stage)
{
    constexpr int kCell = 54, kBlockW = 4 * kCell + 8, kBlockH = kCell + 18;
    for (int s = oobsUser; s <= oobsUser5; ++s) {
        const int col = s % 4, row = s / 4;
        const int x0 = 10 + col * kBlockW, y0 = 10 + row * kBlockH;
        auto *name = new QLabel(StyleName(s), Stage);
        name->setGeometry(x0, y0, kBlockW - 8, 16);
        for (int k = 0; k < 4; ++k) {
            auto *b = new TOnOffBut(Stage);
            b->SetButtonStyle(TOnOffButStyle(s));
            b->SetFrameStyle(fsNone);
            b->SetBounds(x0 + k * kCell, y0 + 16, kCell - 2, kCell - 2);
            b->SetOnOff(k % 2 == 0);
            b->SetEnabled(k < 2);
        }
    }
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TOnOffBut shows one glyph of a sheet of four (on, off, and both disabled) with up to four "
        "captions. Each style below is shown on, off, on disabled and off disabled; click an enabled "
        "one. Bottom row: a radio-style group (GroupIndex 1, one always on), the button the editors "
        "change, transparent over a gradient, and TRepSpeedButton counting while held."));
    QWidget *stage = page->Stage();
    stage->setMinimumSize(930, 650);
    AddStyleBlocks(stage);

    // A group: three LEDs with the same GroupIndex, exactly one on.
    const int gy = 450;
    TOnOffBut *group[3];
    for (int i = 0; i < 3; ++i) {
        auto *b = new TOnOffBut(stage);
        b->SetBounds(10, gy + i * 34, 150, 32);
        b->SetButtonStyle(oobsRadioBut);
        b->SetAutoCenter(false);
        b->SetLeftSpace(8);
        b->SetFrameStyle(fsNone);
        b->SetRightText(QStringLiteral("Channel %1").arg(i + 1));
        b->SetAllowAllOff(false);
        b->SetGroupIndex(1);
        group[i] = b;
    }
    group[0]->SetOnOff(true);

    auto *back = new TGradFill(stage);
    back->SetBounds(180, gy, 300, 140);
    back->SetFillType(gtMidBandHoriz);
    back->SetColorFirst(RGB(30, 50, 110));
    back->SetColorLast(RGB(190, 210, 250));
    back->SetNrColors(32);
    auto *main = new TOnOffBut(stage);
    main->SetBounds(200, gy + 20, 260, 100);
    main->SetLeftText(QStringLiteral("Off"));
    main->SetRightText(QStringLiteral("On"));
    main->SetTopText(QStringLiteral("Pump"));
    main->SetColorText(clWhite);
    main->SetTransparent(true);

    auto *count = new QLabel(QStringLiteral("0 repeats"), stage);
    count->setGeometry(600, gy + 50, 200, 20);
    auto *rep = new TRepSpeedButton(stage);
    rep->SetBounds(520, gy + 40, 70, 40);
    rep->SetCaption(QStringLiteral("Hold"));
    auto counter = std::make_shared<int>(0);
    rep->SetOnRepeatClick(
        [count, counter](QObject *) { count->setText(QStringLiteral("%1 repeats").arg(++*counter)); });

    auto *style = new QComboBox;
    for (int s = oobsUser; s <= oobsUser5; ++s)
        style->addItem(StyleName(s));
    style->setCurrentIndex(main->ButtonStyle());
    QObject::connect(style, &QComboBox::currentIndexChanged,
                     [main](int i) { main->SetButtonStyle(TOnOffButStyle(i)); });
    page->AddEditor(QStringLiteral("ButtonStyle"), style);

    auto *mode = new QComboBox;
    mode->addItems({QStringLiteral("oobmNormalBut"), QStringLiteral("oobmSpeedBut")});
    QObject::connect(mode, &QComboBox::currentIndexChanged, [main](int i) { main->SetMode(TOOButMode(i)); });
    page->AddEditor(QStringLiteral("Mode"), mode);

    auto *action = new QComboBox;
    action->addItems(
        {QStringLiteral("oomaNone"), QStringLiteral("oomaFocused"), QStringLiteral("oomaPlain")});
    action->setCurrentIndex(main->MouseAction());
    QObject::connect(action, &QComboBox::currentIndexChanged,
                     [main](int i) { main->SetMouseAction(TOOButMouseAction(i)); });
    page->AddEditor(QStringLiteral("MouseAction"), action);

    auto *frame = new QComboBox;
    frame->addItems({QStringLiteral("fsNone"), QStringLiteral("fsSimple"), QStringLiteral("fsLowered"),
                     QStringLiteral("fsRaised"), QStringLiteral("fsEmbossed"), QStringLiteral("fsEngraved")});
    frame->setCurrentIndex(main->FrameStyle());
    QObject::connect(frame, &QComboBox::currentIndexChanged,
                     [main](int i) { main->SetFrameStyle(TFrameStyle(i)); });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);

    auto addText = [page](const QString &Label, const QString &Value,
                          std::function<void(const QString &)> Apply) {
        auto *edit = new QLineEdit(Value);
        QObject::connect(edit, &QLineEdit::textChanged, [Apply](const QString &t) { Apply(t); });
        page->AddEditor(Label, edit);
    };
    addText(QStringLiteral("LeftText"), main->LeftText(), [main](const QString &t) { main->SetLeftText(t); });
    addText(QStringLiteral("RightText"), main->RightText(),
            [main](const QString &t) { main->SetRightText(t); });
    addText(QStringLiteral("TopText"), main->TopText(), [main](const QString &t) { main->SetTopText(t); });
    addText(QStringLiteral("BottomText"), main->BottomText(),
            [main](const QString &t) { main->SetBottomText(t); });

    auto addCheck = [page](const QString &Text, bool On, std::function<void(bool)> Apply) {
        auto *box = new QCheckBox(Text);
        box->setChecked(On);
        QObject::connect(box, &QCheckBox::toggled, [Apply](bool v) { Apply(v); });
        page->AddRow(box);
    };
    addCheck(QStringLiteral("Transparent"), main->Transparent(), [main](bool v) { main->SetTransparent(v); });
    addCheck(QStringLiteral("Enabled"), main->Enabled(), [main](bool v) { main->SetEnabled(v); });
    addCheck(QStringLiteral("AutoCenter"), main->AutoCenter(), [main](bool v) { main->SetAutoCenter(v); });
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TOnOffBut and TRepSpeedButton"), 90, CreatePage);

} // namespace
