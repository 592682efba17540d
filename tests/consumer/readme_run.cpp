// Runs the README's program headless: once its window is up, checks what it shows and quits.
#include <krogui/gauges/meter.h>
#include <krogui/numio/numio.h>

#include <QApplication>
#include <QLayout>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

int Check()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (windows.size() != 1 || !windows.first()->isVisible() || !windows.first()->layout()) return 2;
    QWidget *w = windows.first();
    auto *meter = w->findChild<kro::TMeter *>();
    auto *input = w->findChild<kro::TNumIO *>();
    if (!meter || !input || meter->Value() != 42.0) return 3;
    // Laid out, not placed: both inside the window, one above the other.
    if (!w->rect().contains(meter->geometry()) || !w->rect().contains(input->geometry()) ||
        meter->geometry().bottom() >= input->geometry().top())
        return 4;
    input->setText(QStringLiteral("75")); // typed text within the range reaches the meter
    return meter->Value() == 75.0 ? 0 : 5;
}

void QuitWhenShown()
{
    QTimer::singleShot(0, qApp, [] {
        const int rc = Check();
        if (rc != 0) std::fprintf(stderr, "README example: check %d failed\n", rc);
        qApp->exit(rc);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(QuitWhenShown)

#define main readme_main
#include "readme_example.cpp"
#undef main

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return readme_main(argc, argv);
}
