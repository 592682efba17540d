// TThumbnails and TFolderTree: a wall of 10,000 slides whose pictures are painted on request, and a
// folder tree over a temporary folder that the page creates.
#include "gallery.h"

#include <krogui/browse/foldertree.h>
#include <krogui/browse/thumbnails.h>

#include <QCache>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {

using namespace kro;

constexpr int kSlides = 10000;
constexpr int kSteps = 20; // scroll bar steps per row

// A picture for slide Id: a landscape or portrait card in a colour of its own with its number.
void PaintSlidePicture(TBitmap &B, int Id)
{
    const bool portrait = Id % 7 == 0;
    B.SetSize(portrait ? 90 : 160, portrait ? 140 : 120);
    QPainter *p = B.Canvas()->Handle();
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    const QColor base = QColor::fromHsv((Id * 37) % 360, 150, 230);
    QLinearGradient g(0, 0, 0, B.Height());
    g.setColorAt(0, base.lighter(130));
    g.setColorAt(1, base.darker(160));
    p->fillRect(0, 0, B.Width(), B.Height(), g);
    p->setPen(Qt::NoPen);
    p->setBrush(QColor(255, 255, 255, 90));
    const int r = 18 + (Id * 13) % 30;
    p->drawEllipse(QPoint((Id * 29) % B.Width(), B.Height() / 3), r, r);
    p->setBrush(QColor(0, 0, 0, 60));
    QPolygon hill;
    hill << QPoint(0, B.Height()) << QPoint(B.Width() / 3, B.Height() * 2 / 3)
         << QPoint(B.Width() * 2 / 3, B.Height() * 5 / 6) << QPoint(B.Width(), B.Height() / 2)
         << QPoint(B.Width(), B.Height());
    p->drawPolygon(hill);
    QFont f = p->font();
    f.setPixelSize(22);
    f.setBold(true);
    p->setFont(f);
    p->setPen(Qt::white);
    p->drawText(QRect(0, 0, B.Width(), B.Height()), Qt::AlignCenter, QString::number(Id));
    p->restore();
}

// The folders the tree shows, made in a temporary folder that lives as long as the page.
void MakeSampleFolders(const QString &Root)
{
    for (const char *p :
         {"Photos/2023/Summer", "Photos/2023/Winter", "Photos/2024/Spring", "Documents/Letters",
          "Documents/Invoices/2024", "Music", "Ünïcode – folder", ".hidden/not shown"})
        QDir().mkpath(Root + QLatin1Char('/') + QString::fromUtf8(p));
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TThumbnails asks the application for each slide it paints: here 10,000 pictures are painted on "
        "request (every 7th a portrait, every 10th marked, every 13th left as a numbered placeholder). "
        "Scroll with the wheel or the bar, or let it glide; click to select. TFolderTree reads a temporary "
        "folder lazily; make and remove folders with the editors."));
    QWidget *stage = page->Stage();

    auto *wall = new TThumbnails(stage);
    wall->SetBounds(0, 0, 306, 360);
    wall->SetSlideSize(80);
    wall->SetMax(kSlides);
    wall->SetSlideSelectMode(ssmMultiple);
    wall->SetColorMark(clYellow);
    auto cache = std::make_shared<QCache<int, TBitmap>>(400);
    wall->SetOnImageRequest(
        [cache](QObject *, int Id, TImageRequestProcessing &How, int &Mark, TBitmap *&Buf) {
            if (Id % 13 == 0) return; // a placeholder
            if (!cache->contains(Id)) {
                auto *b = new TBitmap;
                PaintSlidePicture(*b, Id);
                cache->insert(Id, b);
            }
            Buf = cache->object(Id); // the control draws from our own bitmap
            How = irpShowSlide;
            if (Id % 10 == 0) Mark = 51; // a filled star
        });

    auto *bar = new QScrollBar(Qt::Vertical, stage);
    bar->setGeometry(308, 0, 16, 360);
    auto rows = [wall] { return (kSlides + wall->NumSlidesHoriz() - 1) / wall->NumSlidesHoriz(); };
    auto syncBar = [wall, bar, rows] {
        const QSignalBlocker block(bar);
        const int n = wall->NumSlidesHoriz();
        bar->setRange(0, (rows() - 1) * kSteps);
        bar->setPageStep(kSteps * 2);
        const double first = wall->FirstThumbIdx();
        const double row = (std::floor(first) - 1) / n + (first - std::floor(first));
        bar->setValue(int(std::lround(row * kSteps)));
    };
    wall->SetOnLastImageRequest([syncBar](QObject *) { syncBar(); });
    QObject::connect(bar, &QScrollBar::valueChanged, wall, [wall](int V) {
        // Row position p is slide 1 + p * n; the writer turns it back into row start and fraction.
        wall->SetFirstThumbIdx(1.0 + double(V) / kSteps * wall->NumSlidesHoriz());
    });

    auto *tree = new TFolderTree(stage);
    tree->setGeometry(332, 0, 200, 360);
    auto tmp = std::make_shared<QTemporaryDir>();
    MakeSampleFolders(tmp->path());
    tree->SelectPath(tmp->path() + QStringLiteral("/Photos/2023"));

    auto *status = new QLabel(QStringLiteral("Click a slide."));
    status->setWordWrap(true);
    page->AddRow(status);
    wall->SetOnImageClick([wall, status](QObject *, int, int, int Id) {
        status->setText(
            QStringLiteral("Slide %1 clicked; %2 selected.").arg(Id).arg(wall->NumSlidesSelected()));
    });

    auto *size = new QSpinBox;
    size->setRange(50, 300);
    size->setValue(wall->SlideSize());
    QObject::connect(size, &QSpinBox::valueChanged, wall, [wall](int V) { wall->SetSlideSize(V); });
    page->AddEditor(QStringLiteral("SlideSize"), size);

    auto *mode = new QComboBox;
    const QMetaEnum modes = QMetaEnum::fromType<TSlideSelectMode>();
    for (int i = 0; i < modes.keyCount(); ++i)
        mode->addItem(QString::fromLatin1(modes.key(i)), modes.value(i));
    mode->setCurrentIndex(mode->findData(int(wall->SlideSelectMode())));
    QObject::connect(mode, &QComboBox::currentIndexChanged, wall, [wall, mode](int) {
        wall->SetSlideSelectMode(TSlideSelectMode(mode->currentData().toInt()));
    });
    page->AddEditor(QStringLiteral("SlideSelectMode"), mode);

    auto *smooth = new QCheckBox(QStringLiteral("AntiAlias"));
    QObject::connect(smooth, &QCheckBox::toggled, wall, [wall](bool V) { wall->SetAntiAlias(V); });
    page->AddRow(smooth);

    // Gliding: a twentieth of a row per tick.
    auto *glide = new QCheckBox(QStringLiteral("Glide"));
    auto *timer = new QTimer(page);
    timer->setInterval(16);
    QObject::connect(timer, &QTimer::timeout, bar,
                     [bar] { bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + 1); });
    QObject::connect(glide, &QCheckBox::toggled, timer,
                     [timer](bool V) { V ? timer->start() : timer->stop(); });
    page->AddRow(glide);

    auto *dir = new QLabel;
    dir->setWordWrap(true);
    auto showDir = [tree, dir, tmp] {
        QString d = tree->Directory();
        d.replace(tmp->path(), QStringLiteral("…"));
        dir->setText(QStringLiteral("Directory: %1").arg(d));
    };
    tree->SetOnDirChanged([showDir](QObject *) { showDir(); });
    showDir();
    page->AddRow(dir);

    auto *name = new QLineEdit(QStringLiteral("New folder"));
    page->AddEditor(QStringLiteral("Folder name"), name);
    auto *result = new QLabel;
    result->setWordWrap(true);
    auto *make = new QPushButton(QStringLiteral("MakeSubFolder"));
    QObject::connect(make, &QPushButton::clicked, tree, [tree, name, result] {
        result->setText(tree->MakeSubFolder(name->text()) ? QStringLiteral("Made.") : tree->LastError());
    });
    page->AddRow(make);
    auto *remove = new QPushButton(QStringLiteral("RemoveSelectedFolder"));
    QObject::connect(remove, &QPushButton::clicked, tree, [tree, result] {
        result->setText(tree->RemoveSelectedFolder() ? QStringLiteral("Removed.") : tree->LastError());
    });
    page->AddRow(remove);
    page->AddRow(result);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Thumbnails and folder tree"), 90, CreatePage);

} // namespace
