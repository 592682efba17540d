#pragma once
// A control in an ordinary Qt layout: a window with a QVBoxLayout holding the control, shrunk to
// its minimum or stretched, and its picture checked for paint outside the control.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QVBoxLayout>
#include <QWidget>

namespace kro::test {

/// A window of a colour no control draws with, the control alone in its vertical layout.
class TLayoutProbe
{
public:
    static constexpr QRgb Background = 0xFFFF00FF;

    explicit TLayoutProbe(QWidget *Control) : FControl(Control)
    {
        QPalette pal = FWindow.palette();
        pal.setColor(QPalette::Window, QColor::fromRgb(Background));
        FWindow.setPalette(pal);
        FWindow.setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(&FWindow);
        layout->addWidget(Control);
        layout->activate();
    }

    QWidget &Window() { return FWindow; }

    /// Resizes the window (Qt keeps it at least at its minimum), lays it out and grabs it. Fails
    /// the test when a pixel outside the control's rectangle is not the window's own colour.
    /// Returns the control's part of the picture.
    QImage ShootAt(QSize Size)
    {
        FWindow.resize(Size);
        FWindow.show();
        FWindow.layout()->activate();
        QApplication::processEvents();
        const QImage img = FWindow.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect r = FControl->geometry();
        EXPECT_TRUE(QRect(QPoint(0, 0), img.size()).contains(r)) << "the control lies outside its window";
        int stray = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!r.contains(x, y) && img.pixel(x, y) != Background) ++stray;
        EXPECT_EQ(stray, 0) << "pixels drawn outside the control";
        // KROGUI_PROBE_DIR=folder keeps the pictures for a look.
        if (const QString dir = qEnvironmentVariable("KROGUI_PROBE_DIR"); !dir.isEmpty())
            img.save(QStringLiteral("%1/%2_%3x%4.png")
                         .arg(dir, QLatin1String(FControl->metaObject()->className()).mid(5))
                         .arg(img.width())
                         .arg(img.height()));
        return img.copy(r);
    }

    /// The window at the least size its layout allows.
    QImage ShootAtMinimum() { return ShootAt(QSize(1, 1)); }
    /// The window at Factor times the size its layout asks for.
    QImage ShootStretched(int Factor) { return ShootAt(FWindow.sizeHint() * Factor); }

private:
    QWidget FWindow;
    QWidget *FControl;
};

} // namespace kro::test
