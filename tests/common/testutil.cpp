#include "testutil.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <algorithm>

namespace kro::test {

TColor PixelAt(const QImage &Img, int X, int Y)
{
    const QRgb p = Img.pixel(X, Y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

int CountColor(const QImage &Img, TColor C, int L, int T, int R, int B)
{
    int n = 0;
    for (int y = std::max(T, 0); y < std::min(B, Img.height()); ++y)
        for (int x = std::max(L, 0); x < std::min(R, Img.width()); ++x)
            if (PixelAt(Img, x, y) == C) ++n;
    return n;
}

Box BoundsOf(const QImage &Img, TColor C)
{
    Box b;
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x)
            if (PixelAt(Img, x, y) == C) {
                if (b.L < 0 || x < b.L) b.L = x;
                if (b.T < 0) b.T = y;
                if (x > b.R) b.R = x;
                b.B = y;
            }
    return b;
}

QString Picture(const QImage &Img, TColor C)
{
    QString s;
    for (int y = 0; y < Img.height(); ++y) {
        for (int x = 0; x < Img.width(); ++x)
            s += PixelAt(Img, x, y) == C ? QLatin1Char('#') : QLatin1Char('.');
        s += QLatin1Char('\n');
    }
    return s;
}

::testing::AssertionResult MatchesReference(const QImage &Img, const QString &Path)
{
    const std::string name = QFileInfo(Path).fileName().toStdString();
    if (qEnvironmentVariableIntValue("KROGUI_WRITE_REFERENCES") == 1) {
        QDir().mkpath(QFileInfo(Path).absolutePath());
        if (!Img.convertToFormat(QImage::Format_RGB32).save(Path))
            return ::testing::AssertionFailure() << "cannot write " << Path.toStdString();
        return ::testing::AssertionSuccess() << "written";
    }
    const QImage want = QImage(Path).convertToFormat(QImage::Format_RGB32);
    if (want.isNull()) return ::testing::AssertionFailure() << "no reference picture " << Path.toStdString();
    if (want.size() != Img.size())
        return ::testing::AssertionFailure() << name << ": size " << Img.width() << "x" << Img.height()
                                             << ", reference " << want.width() << "x" << want.height();
    int differing = 0;
    std::string first;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) {
            const TColor a = PixelAt(Img, x, y), b = PixelAt(want, x, y);
            if (a != b && ++differing <= 8)
                first += " (" + std::to_string(x) + "," + std::to_string(y) +
                         "): " + QString::number(a, 16).toStdString() + " not " +
                         QString::number(b, 16).toStdString();
        }
    if (differing == 0) return ::testing::AssertionSuccess();
    const QString actual =
        QDir::temp().filePath(QFileInfo(Path).completeBaseName() + QStringLiteral("-actual.png"));
    Img.save(actual);
    return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ, first" << first
                                         << "; picture in " << actual.toStdString();
}

void Click(QWidget *W, QPoint Pos, Qt::MouseButton Button, Qt::KeyboardModifiers Mods)
{
    QTest::mouseClick(W, Button, Mods, Pos);
}

void DoubleClick(QWidget *W, QPoint Pos, Qt::MouseButton Button)
{
    QTest::mousePress(W, Button, Qt::NoModifier, Pos);
    QTest::mouseRelease(W, Button, Qt::NoModifier, Pos);
    QTest::mouseDClick(W, Button, Qt::NoModifier, Pos);
    QTest::mouseRelease(W, Button, Qt::NoModifier, Pos);
}

void MoveMouse(QWidget *W, QPoint Pos, Qt::MouseButtons Buttons, Qt::KeyboardModifiers Mods)
{
    // QTest::mouseMove cannot say which buttons are held; the event can.
    QMouseEvent ev(QEvent::MouseMove, QPointF(Pos), W->mapToGlobal(QPointF(Pos)), Qt::NoButton, Buttons,
                   Mods);
    QApplication::sendEvent(W, &ev);
}

void Drag(QWidget *W, QPoint From, QPoint To, int Steps, Qt::MouseButton Button)
{
    QTest::mousePress(W, Button, Qt::NoModifier, From);
    Steps = std::max(1, Steps);
    for (int i = 1; i <= Steps; ++i)
        MoveMouse(W, From + (To - From) * i / Steps, Button);
    QTest::mouseRelease(W, Button, Qt::NoModifier, To);
}

void Type(QWidget *W, const QString &Text)
{
    QTest::keyClicks(W, Text);
}

} // namespace kro::test
