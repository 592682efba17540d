#include "testutil.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>
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

namespace {

// The window of the layout check: paints its own backdrop so that controls do not inherit it
// through the palette.
class Backdrop : public QWidget
{
public:
    Backdrop() { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(),
                   QColor(GetRValue(LayoutBackdrop), GetGValue(LayoutBackdrop), GetBValue(LayoutBackdrop)));
    }
};

std::string Hex(TColor C)
{
    return "#" + QString::asprintf("%02x%02x%02x", GetRValue(C), GetGValue(C), GetBValue(C)).toStdString();
}

std::string RectText(const QRect &R)
{
    return std::to_string(R.width()) + "x" + std::to_string(R.height()) + " at (" + std::to_string(R.x()) +
           "," + std::to_string(R.y()) + ")";
}

// Resizes the window and lets the layout place the control before the picture is taken.
void Settle(QWidget *Window, QSize Size)
{
    Window->resize(Size);
    QCoreApplication::processEvents();
    Window->layout()->activate();
    QCoreApplication::processEvents();
}

// What is wrong with the picture of Window at one stage; empty when all is well.
std::string CheckStage(QWidget *Window, QWidget *Control, const QString &Stage, const PictureCheck &Extra)
{
    QImage img = Window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = img.devicePixelRatio();
    const QRect own = Control->geometry();
    const QRect room = Window->layout()->contentsRect();
    const QRect allowed = own.intersected(room);
    const QString className = QString::fromLatin1(Control->metaObject()->className()).section(u':', -1);
    const std::string where = className.toStdString() + " " + Stage.toStdString() + " (window " +
                              std::to_string(Window->width()) + "x" + std::to_string(Window->height()) +
                              ", control " + RectText(own) + ", its minimumSizeHint " +
                              std::to_string(Control->minimumSizeHint().width()) + "x" +
                              std::to_string(Control->minimumSizeHint().height()) + ")";
    std::string fault;
    if (own.isEmpty()) fault = "the layout gave the control no room";
    int stray = 0;
    Box box;
    std::string first;
    for (int y = 0; y < img.height() && fault.empty(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QPoint logical(int(x / dpr), int(y / dpr));
            const TColor c = PixelAt(img, x, y);
            if (allowed.contains(logical) || c == LayoutBackdrop) continue;
            if (++stray == 1)
                first = " first at (" + std::to_string(x) + "," + std::to_string(y) + ") " + Hex(c);
            box.L = box.L < 0 ? x : std::min(box.L, x);
            box.T = box.T < 0 ? y : box.T;
            box.R = std::max(box.R, x);
            box.B = y;
        }
    if (stray > 0)
        fault = std::to_string(stray) + " pixels drawn outside the control (room " + RectText(room) +
                "), within (" + std::to_string(box.L) + "," + std::to_string(box.T) + ")-(" +
                std::to_string(box.R) + "," + std::to_string(box.B) + ")," + first;
    const QRect area(QPoint(int(allowed.left() * dpr), int(allowed.top() * dpr)), allowed.size() * dpr);
    const QImage mine = img.copy(area);
    if (fault.empty()) {
        const TColor c0 = PixelAt(mine, 0, 0);
        bool varied = false;
        for (int y = 0; y < mine.height() && !varied; ++y)
            for (int x = 0; x < mine.width() && !varied; ++x)
                varied = PixelAt(mine, x, y) != c0;
        if (!varied)
            fault = c0 == LayoutBackdrop ? std::string("the control drew nothing: the window shows through")
                                         : "the control drew nothing: all its pixels are " + Hex(c0);
    }
    if (fault.empty() && Extra) fault = Extra(Control, mine, Stage).toStdString();
    if (fault.empty()) return {};
    const QString file = QDir::temp().filePath(
        QStringLiteral("layout-%1-%2.png").arg(className, QString(Stage).replace(u' ', u'-')));
    img.save(file);
    return where + ": " + fault + "; picture in " + file.toStdString();
}

} // namespace

::testing::AssertionResult FitsInLayout(const ControlFactory &Make, const PictureCheck &Extra)
{
    Backdrop window;
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(9, 9, 9, 9);
    QWidget *control = Make(&window);
    if (!control) return ::testing::AssertionFailure() << "the factory made no control";
    layout->addWidget(control);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return ::testing::AssertionFailure() << "the window was not shown";
    Settle(&window, QSize(1, 1)); // clamped to the layout's minimum
    std::string fault = CheckStage(&window, control, QStringLiteral("at minimum"), Extra);
    if (fault.empty()) {
        const QMargins m = layout->contentsMargins();
        const QSize hint = control->sizeHint().expandedTo(QSize(1, 1));
        Settle(&window, hint * 3 + QSize(m.left() + m.right(), m.top() + m.bottom()));
        fault = CheckStage(&window, control, QStringLiteral("stretched 3x"), Extra);
    }
    if (!fault.empty()) return ::testing::AssertionFailure() << fault;
    return ::testing::AssertionSuccess();
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
