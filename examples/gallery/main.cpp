// krogui-gallery: a list of pages on the left, the selected page on the right.
//   krogui-gallery                  opens the window
//   krogui-gallery --screenshot DIR writes one PNG per page to DIR and exits
//   krogui-gallery --overview FILE [--page TITLE]
//                                   writes the whole window showing one page (default: the meter)
#include "gallery.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QStackedWidget>
#include <QTimer>

#include <cstdio>

namespace {

QString FileNameFor(int Index, const QString &Title)
{
    QString slug;
    for (const QChar c : Title.toLower())
        slug += c.isLetterOrNumber() ? c : QLatin1Char('-');
    return QStringLiteral("%1-%2.png").arg(Index + 1, 2, 10, QLatin1Char('0')).arg(slug);
}

int WriteScreenshots(const QString &Dir)
{
    if (!QDir().mkpath(Dir)) {
        std::fprintf(stderr, "krogui-gallery: cannot create %s\n", qPrintable(Dir));
        return 1;
    }
    const auto pages = gallery::Pages();
    int i = 0;
    for (const auto &page : pages) {
        QWidget *w = page.Create();
        w->setWindowTitle(page.Title);
        w->resize(w->sizeHint().expandedTo(QSize(760, 520)));
        w->show();
        // Let timers and layouts settle so animated pages show a representative state.
        for (int k = 0; k < 5; ++k)
            QApplication::processEvents();
        const QString file = QDir(Dir).filePath(FileNameFor(i++, page.Title));
        if (!w->grab().save(file)) {
            std::fprintf(stderr, "krogui-gallery: cannot write %s\n", qPrintable(file));
            delete w;
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
        delete w;
    }
    return 0;
}

// The main window: the list of pages on the left, the selected page on the right.
QListWidget *BuildWindow(QWidget &Window)
{
    Window.setWindowTitle(QStringLiteral("krogui gallery"));
    auto *layout = new QHBoxLayout(&Window);
    auto *list = new QListWidget;
    list->setFixedWidth(180);
    auto *stack = new QStackedWidget;
    layout->addWidget(list);
    layout->addWidget(stack, 1);
    for (const auto &page : gallery::Pages()) {
        list->addItem(page.Title);
        stack->addWidget(page.Create());
    }
    QObject::connect(list, &QListWidget::currentRowChanged, stack, &QStackedWidget::setCurrentIndex);
    list->setCurrentRow(0);
    Window.resize(1040, 660);
    return list;
}

// The whole window showing the page whose title contains PageTitle, written to File.
int WriteOverview(const QString &File, const QString &PageTitle)
{
    QWidget window;
    QListWidget *list = BuildWindow(window);
    const auto found = list->findItems(PageTitle, Qt::MatchContains);
    if (!found.isEmpty())
        list->setCurrentItem(found.first());
    window.show();
    for (int k = 0; k < 5; ++k)
        QApplication::processEvents();
    if (!window.grab().save(File)) {
        std::fprintf(stderr, "krogui-gallery: cannot write %s\n", qPrintable(File));
        return 1;
    }
    std::printf("%s\n", qPrintable(File));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QString shotDir, overviewFile, overviewPage = QStringLiteral("Meter");
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--screenshot")
            shotDir = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--overview")
            overviewFile = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--page")
            overviewPage = QString::fromLocal8Bit(argv[++i]);
    }
    const bool headless = !shotDir.isEmpty() || !overviewFile.isEmpty();
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krogui-gallery"));
    if (!overviewFile.isEmpty())
        return WriteOverview(overviewFile, overviewPage);
    if (!shotDir.isEmpty())
        return WriteScreenshots(shotDir);

    QWidget window;
    BuildWindow(window);
    window.show();
    return app.exec();
}
