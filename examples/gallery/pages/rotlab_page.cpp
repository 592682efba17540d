// The rotated label: a caption at any angle around its anchor, over a gradient to show transparency.
#include "gallery.h"

#include <krogui/displays/gradfill.h>
#include <krogui/displays/rotlab.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

namespace {

using namespace kro;

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TRotLab draws its caption rotated around an anchor point (here the centre): the left edge, the "
        "centre or the right edge of the text sits on the anchor. It is transparent over the gradient "
        "behind it; disabled it shows an engraved caption."));
    QWidget *stage = page->Stage();
    stage->setMinimumSize(520, 400);

    auto *back = new TGradFill(stage);
    back->SetBounds(10, 10, 260, 260);
    back->SetFillType(gtMidBandVert);
    back->SetColorFirst(RGB(40, 60, 140));
    back->SetColorLast(RGB(200, 220, 255));
    back->SetNrColors(24);

    auto *lab = new TRotLab(stage);
    lab->SetBounds(10, 10, 260, 260);
    lab->SetCaption(QStringLiteral("krogui rotated label"));
    lab->Font()->SetSize(16);
    lab->Font()->SetStyle(fsBold);
    lab->Font()->SetColor(RGB(120, 0, 0));
    lab->SetTextAngle(30);

    // One label per alignment, at 90 degrees, anchored at the centre of each box.
    const TAlignment aligns[] = {taLeftJustify, taCenter, taRightJustify};
    const char *const names[] = {"left edge", "centre", "right edge"};
    for (int i = 0; i < 3; ++i) {
        auto *l = new TRotLab(stage);
        l->SetBounds(285 + i * 76, 10, 70, 260);
        l->SetTransparent(false);
        l->SetColor(clWhite);
        l->SetAlignment(aligns[i]);
        l->SetTextAngle(90);
        l->SetCaption(QString::fromLatin1(names[i]));
    }

    // Upright, upside down and disabled.
    const int angles[] = {0, 180, 0};
    for (int i = 0; i < 3; ++i) {
        auto *l = new TRotLab(stage);
        l->SetBounds(10 + i * 170, 290, 160, 60);
        l->SetFrameStyle(i == 2 ? fsEngraved : fsRaised);
        l->SetTransparent(false);
        l->SetTextAngle(angles[i]);
        l->SetCaption(i == 2 ? QStringLiteral("disabled") : QStringLiteral("%1 degrees").arg(angles[i]));
        l->SetEnabled(i != 2);
    }

    auto *caption = new QLineEdit(lab->Caption());
    QObject::connect(caption, &QLineEdit::textChanged, [lab](const QString &t) { lab->SetCaption(t); });
    page->AddEditor(QStringLiteral("Caption"), caption);

    auto *angle = new QSpinBox;
    angle->setRange(-360, 360);
    angle->setWrapping(true);
    angle->setSingleStep(15);
    angle->setValue(lab->TextAngle());
    QObject::connect(angle, &QSpinBox::valueChanged, [lab](int v) { lab->SetTextAngle(v); });
    page->AddEditor(QStringLiteral("TextAngle"), angle);

    auto *align = new QComboBox;
    align->addItems(
        {QStringLiteral("taLeftJustify"), QStringLiteral("taRightJustify"), QStringLiteral("taCenter")});
    align->setCurrentIndex(lab->Alignment());
    QObject::connect(align, &QComboBox::currentIndexChanged,
                     [lab](int i) { lab->SetAlignment(TAlignment(i)); });
    page->AddEditor(QStringLiteral("Alignment"), align);

    auto *size = new QSpinBox;
    size->setRange(6, 48);
    size->setValue(lab->Font()->Size());
    QObject::connect(size, &QSpinBox::valueChanged, [lab](int v) { lab->Font()->SetSize(v); });
    page->AddEditor(QStringLiteral("Font size"), size);

    auto *frame = new QComboBox;
    frame->addItems({QStringLiteral("fsNone"), QStringLiteral("fsSimple"), QStringLiteral("fsLowered"),
                     QStringLiteral("fsRaised"), QStringLiteral("fsEmbossed"), QStringLiteral("fsEngraved")});
    frame->setCurrentIndex(lab->FrameStyle());
    QObject::connect(frame, &QComboBox::currentIndexChanged,
                     [lab](int i) { lab->SetFrameStyle(TFrameStyle(i)); });
    page->AddEditor(QStringLiteral("FrameStyle"), frame);

    auto addCheck = [page](const QString &Text, bool On, std::function<void(bool)> Apply) {
        auto *box = new QCheckBox(Text);
        box->setChecked(On);
        QObject::connect(box, &QCheckBox::toggled, [Apply](bool v) { Apply(v); });
        page->AddRow(box);
        return box;
    };
    addCheck(QStringLiteral("AntiAlias"), lab->AntiAlias(), [lab](bool v) { lab->SetAntiAlias(v); });
    addCheck(QStringLiteral("Transparent"), lab->Transparent(), [lab](bool v) { lab->SetTransparent(v); });
    addCheck(QStringLiteral("Enabled"), lab->Enabled(), [lab](bool v) { lab->SetEnabled(v); });

    // Turning the caption: the page's own timer advances the angle spin box.
    auto *spin = new QTimer(page);
    spin->setInterval(50);
    QObject::connect(spin, &QTimer::timeout, [angle] { angle->stepBy(1); });
    addCheck(QStringLiteral("Spin"), false, [spin](bool v) { v ? spin->start() : spin->stop(); });
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Rotated label"), 34, CreatePage);

} // namespace
