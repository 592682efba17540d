// The progress bar: the three colour mappings, the four directions, grid lines, rotated text and
// a bar that runs on its own automatic increment.
#include "gallery.h"

#include <krogui/gauges/progbar.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace {

using namespace kro;

const gallery::ColorChoices kColours = {{"blue", clBlue},     {"red", clRed},      {"lime", clLime},
                                        {"yellow", clYellow}, {"navy", clNavy},    {"white", clWhite},
                                        {"black", clBlack},   {"silver", clSilver}};

QLabel *Caption(QWidget *Stage, const QString &Text, int X, int Y)
{
    auto *l = new QLabel(Text, Stage);
    l->move(X, Y);
    return l;
}

TProgBar *GradientBar(QWidget *Stage, int X, int Y, int W, int H, TDirection Dir, TColorMapping Mode,
                      double V)
{
    auto *b = new TProgBar(Stage);
    b->SetBounds(X, Y, W, H);
    b->SetDirection(Dir);
    b->SetShowColorGradient(true);
    b->SetColorMapMode(Mode);
    b->SetBarColors({RGB(0, 160, 0), clYellow, clRed});
    b->SetValue(V);
    return b;
}

// The bars that show one feature each: mappings side by side, directions, a running increment.
void AddSamples(QWidget *Stage)
{
    const char *modes[] = {"cgmCover", "cgmStretch", "cgmMove"};
    for (int i = 0; i < 3; ++i) {
        Caption(Stage, QString::fromLatin1(modes[i]), 10, 62 + i * 40);
        auto *b = GradientBar(Stage, 100, 58 + i * 40, 300, 24, dirRight, TColorMapping(i), 65);
        b->SetTextPosX(150);
        b->SetTextPosY(12);
        b->SetOnShowValue([](QObject *, QString &T) { T += QStringLiteral(" %"); });
    }

    Caption(Stage, QStringLiteral("dirUp, dirDown, dirLeft"), 10, 182);
    const TDirection dirs[] = {dirUp, dirDown};
    for (int i = 0; i < 2; ++i) {
        auto *b = GradientBar(Stage, 10 + i * 40, 205, 30, 160, dirs[i], cgmCover, 40 + 30 * i);
        b->SetGridDist(8);
        b->SetColorGrid(clGray);
        b->SetTextAngle(90);
        b->SetTextPosX(15);
        b->SetTextPosY(80);
    }
    auto *left = GradientBar(Stage, 100, 205, 300, 24, dirLeft, cgmMove, 35);
    left->SetTextAlignment(taRightJustify);
    left->SetTextPosX(290);
    left->SetTextPosY(12);

    Caption(Stage, QStringLiteral("AutoInc (restarts at the end)"), 100, 250);
    auto *run = new TProgBar(Stage);
    run->SetBounds(100, 270, 300, 28);
    run->SetValue(35);
    run->SetColorMin(RGB(0, 120, 215));
    run->SetGridDist(12);
    run->SetColorGrid(clWhite);
    run->SetTextPosX(150);
    run->SetStartInterval(300);
    run->SetRepeatInterval(40);
    run->SetOnAutoInc([run](QObject *) {
        if (run->AutoInc()) return;
        run->SetValue(run->Min());
        run->SetAutoInc(true);
    });
    run->SetAutoInc(true);

    Caption(Stage, QStringLiteral("TextDecPlaces -1, angle 20"), 100, 310);
    auto *exp = GradientBar(Stage, 100, 330, 300, 36, dirRight, cgmStretch, 72.5);
    exp->SetTextDecPlaces(-1);
    exp->SetTextAngle(20);
    exp->SetTextPosX(150);
    exp->SetTextPosY(18);
    exp->SetFrameStyleOuter(fsEmbossed);
    exp->SetFrameStyleInner(fsSimple);
}

void AddEditors(gallery::PageWidget *Page, TProgBar *Big)
{
    auto *value = new QSlider(Qt::Horizontal);
    value->setRange(-10, 110);
    value->setValue(int(Big->Value()));
    QObject::connect(value, &QSlider::valueChanged, [Big](int v) { Big->SetValue(v); });
    QObject::connect(Big, &TProgBar::ValueChanged, value, [value](double v) {
        const QSignalBlocker quiet(value);
        value->setValue(qRound(v));
    });
    Page->AddEditor(QStringLiteral("Value"), value);

    auto *dir = new QComboBox;
    dir->addItems({QStringLiteral("dirUp"), QStringLiteral("dirDown"), QStringLiteral("dirLeft"),
                   QStringLiteral("dirRight")});
    dir->setCurrentIndex(Big->Direction());
    QObject::connect(dir, &QComboBox::currentIndexChanged,
                     [Big](int i) { Big->SetDirection(TDirection(i)); });
    Page->AddEditor(QStringLiteral("Direction"), dir);

    auto *mode = new QComboBox;
    mode->addItems({QStringLiteral("cgmCover"), QStringLiteral("cgmStretch"), QStringLiteral("cgmMove")});
    mode->setCurrentIndex(Big->ColorMapMode());
    QObject::connect(mode, &QComboBox::currentIndexChanged,
                     [Big](int i) { Big->SetColorMapMode(TColorMapping(i)); });
    Page->AddEditor(QStringLiteral("ColorMapMode"), mode);

    auto *grad = new QCheckBox(QStringLiteral("ShowColorGradient"));
    grad->setChecked(Big->ShowColorGradient());
    QObject::connect(grad, &QCheckBox::toggled, [Big](bool v) { Big->SetShowColorGradient(v); });
    Page->AddRow(grad);
    Page->AddEditor(QStringLiteral("ColorMin"),
                    gallery::ColorBox(kColours, Big->ColorMin(), [Big](TColor c) { Big->SetColorMin(c); }));
    Page->AddEditor(QStringLiteral("ColorMax"),
                    gallery::ColorBox(kColours, Big->ColorMax(), [Big](TColor c) { Big->SetColorMax(c); }));

    auto *grid = new QSpinBox;
    grid->setRange(0, 50);
    QObject::connect(grid, &QSpinBox::valueChanged, [Big](int v) { Big->SetGridDist(v); });
    Page->AddEditor(QStringLiteral("GridDist"), grid);

    auto *angle = new QSpinBox;
    angle->setRange(0, 360);
    QObject::connect(angle, &QSpinBox::valueChanged, [Big](int v) { Big->SetTextAngle(v); });
    Page->AddEditor(QStringLiteral("TextAngle"), angle);

    auto *dec = new QSpinBox;
    dec->setRange(-2, 10);
    QObject::connect(dec, &QSpinBox::valueChanged, [Big](int v) { Big->SetTextDecPlaces(v); });
    Page->AddEditor(QStringLiteral("TextDecPlaces"), dec);

    auto *auto_ = new QCheckBox(QStringLiteral("AutoInc"));
    QObject::connect(auto_, &QCheckBox::toggled, [Big](bool v) {
        if (v && Big->Value() >= Big->Max()) Big->SetValue(Big->Min());
        Big->SetAutoInc(v);
    });
    // The increment switches itself off at Max: show that in the check box too.
    Big->SetOnAutoInc([Big, auto_](QObject *) {
        if (!Big->AutoInc()) auto_->setChecked(false);
    });
    Page->AddRow(auto_);
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TProgBar fills its bar area from one end in proportion to Value, in ColorMin or through a "
        "1024-entry colour table laid on in one of three ways: cgmCover (each position keeps its colour), "
        "cgmStretch (the whole table over the filled part) and cgmMove (the moving end always shows "
        "ColorMax). Grid lines, two frames, the value as text at any angle, and an automatic increment "
        "that stops at Max (the lower bar restarts itself from OnAutoInc)."));
    QWidget *stage = page->Stage();
    stage->setMinimumSize(420, 380);

    auto *big = new TProgBar(stage);
    big->SetBounds(100, 10, 300, 28);
    big->SetValue(30);
    big->SetTextPosX(150);
    Caption(stage, QStringLiteral("live"), 10, 15);
    AddSamples(stage);
    AddEditors(page, big);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Progress bar"), 72, CreatePage);

} // namespace
