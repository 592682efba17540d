// The component protocol, the paint model, input routing and control timers.
#include "testutil.h"

#include <krogui/graphics/colors.h>
#include <krogui/core/control.h>
#include <krogui/core/ctimer.h>
#include <krogui/core/keys.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

using namespace kro;
using namespace kro::test;

namespace {

class Loader : public TComponent
{
public:
    using TComponent::TComponent;
    int LoadedCalls = 0;
    bool LoadingInLoaded = true;
    int Value = 0;

protected:
    void Loaded() override
    {
        ++LoadedCalls;
        LoadingInLoaded = IsLoading();
    }
    bool AssignTo(TComponentBase *Dest) const override
    {
        if (auto *d = dynamic_cast<Loader *>(Dest)) {
            d->Value = Value;
            return true;
        }
        return false;
    }
};

// A control that records what the framework calls, in order.
class Probe : public TCustomControl
{
public:
    explicit Probe(QWidget *Parent = nullptr) : TCustomControl(Parent) { SetDesignSize(40, 30); }
    QStringList Log;
    int Paints = 0;
    TColor Fill = clRed;
    quint16 SwallowKey = 0;
    bool ThrowInPaint = false;
    using TControl::SetOutputMask;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(0, 0, Width(), Height());
        if (ThrowInPaint) throw EKROError(QStringLiteral("paint failed"));
    }
    void Resize() override { Log << QStringLiteral("Resize %1x%2").arg(Width()).arg(Height()); }
    void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override
    {
        Log << QStringLiteral("Down %1 %2 %3,%4").arg(B).arg(S).arg(X).arg(Y);
        TCustomControl::MouseDown(B, S, X, Y);
    }
    void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override
    {
        Log << QStringLiteral("Up %1 %2 %3,%4").arg(B).arg(S).arg(X).arg(Y);
        TCustomControl::MouseUp(B, S, X, Y);
    }
    void Click() override
    {
        Log << QStringLiteral("Click");
        TCustomControl::Click();
    }
    void DblClick() override
    {
        Log << QStringLiteral("DblClick");
        TCustomControl::DblClick();
    }
    void KeyDown(quint16 &Key, TShiftState Shift) override
    {
        Log << QStringLiteral("KeyDown %1 %2").arg(Key).arg(Shift);
        if (Key == SwallowKey) Key = 0;
        TCustomControl::KeyDown(Key, Shift);
    }
    void KeyPress(QChar &Key) override
    {
        Log << QStringLiteral("KeyPress %1").arg(Key);
        TCustomControl::KeyPress(Key);
    }
    void KeyUp(quint16 &Key, TShiftState Shift) override
    {
        Log << QStringLiteral("KeyUp %1 %2").arg(Key).arg(Shift);
        TCustomControl::KeyUp(Key, Shift);
    }
};

// Collects what reaches HandleException during a test.
struct ReportCatcher
{
    ReportCatcher()
    {
        Old = SetExceptionHandler([this](const QString &M) { Messages << M; });
    }
    ~ReportCatcher() { SetExceptionHandler(Old); }
    QStringList Messages;
    TExceptionHandler Old;
};

} // namespace

TEST(Component, LoadedRunsOnceAfterNestedLoading)
{
    Loader c;
    EXPECT_FALSE(c.IsLoading());
    c.EndLoading(); // unpaired: ignored
    EXPECT_EQ(c.LoadedCalls, 0);
    c.BeginLoading();
    c.BeginLoading();
    EXPECT_TRUE(c.ComponentState() & csLoading);
    c.EndLoading();
    EXPECT_TRUE(c.IsLoading());
    EXPECT_EQ(c.LoadedCalls, 0);
    c.EndLoading();
    EXPECT_FALSE(c.IsLoading());
    EXPECT_EQ(c.LoadedCalls, 1);
    EXPECT_FALSE(c.LoadingInLoaded);
    c.EndLoading();
    EXPECT_EQ(c.LoadedCalls, 1);

    c.SetDesigning(true);
    EXPECT_TRUE(c.IsDesigning());
    c.SetDesigning(false);
    EXPECT_EQ(c.ComponentState(), 0u);
}

TEST(Component, NameOwnerAndAssign)
{
    QObject owner;
    Loader a(&owner), b;
    a.SetName(QStringLiteral("Data1"));
    EXPECT_EQ(a.objectName(), QStringLiteral("Data1"));
    EXPECT_EQ(a.Owner(), &owner);
    EXPECT_EQ(b.Owner(), nullptr);
    EXPECT_EQ(a.ComponentMessage(QStringLiteral("integer overflow")),
              QStringLiteral("Component \"Data1\": integer overflow"));

    a.Value = 7;
    b.Assign(&a);
    EXPECT_EQ(b.Value, 7);
    b.Assign(&b); // self: nothing

    // Neither side knows the other: a clear refusal, the target unchanged.
    TComponent plain;
    EXPECT_THROW(b.Assign(&plain), EKROError);
    EXPECT_THROW(b.Assign(nullptr), EKROError);
    EXPECT_EQ(b.Value, 7);
    try {
        plain.Assign(&a);
        ADD_FAILURE();
    } catch (const EKROError &e) {
        EXPECT_TRUE(e.Message().contains(QLatin1String("assign"), Qt::CaseInsensitive));
    }
}

TEST(Control, PaintModelKeepsTheSurface)
{
    Probe p;
    EXPECT_EQ(p.sizeHint(), QSize(40, 30));
    EXPECT_EQ(p.Width(), 40);
    const QImage &s = p.Surface();
    EXPECT_EQ(s.size(), QSize(40, 30));
    EXPECT_EQ(PixelAt(s, 39, 29), clRed);
    EXPECT_EQ(p.Paints, 1);
    p.Surface(); // kept
    EXPECT_EQ(p.Paints, 1);

    p.Fill = clBlue;
    p.Invalidate(); // only marks it stale
    EXPECT_EQ(p.Paints, 1);
    EXPECT_EQ(PixelAt(p.Surface(), 0, 0), clBlue);
    EXPECT_EQ(p.Paints, 2);

    p.Fill = clLime;
    p.Repaint(); // composes now
    EXPECT_EQ(p.Paints, 3);
    EXPECT_EQ(PixelAt(p.Surface(), 0, 0), clLime);
    EXPECT_EQ(p.Paints, 3);

    // A new size makes a new surface of that size.
    p.SetBounds(0, 0, 25, 12);
    EXPECT_EQ(p.Surface().size(), QSize(25, 12));
    EXPECT_EQ(p.Paints, 4);

    // What is shown is the surface.
    const QImage shown = p.grab().toImage();
    EXPECT_EQ(PixelAt(shown, 3, 3), clLime);

    // A failing Paint is reported, not thrown through Qt.
    ReportCatcher rc;
    p.ThrowInPaint = true;
    p.Repaint();
    EXPECT_EQ(rc.Messages, QStringList(QStringLiteral("paint failed")));
}

TEST(Control, PropertiesOfTheControl)
{
    Probe p;
    p.SetColor(clYellow);
    EXPECT_EQ(p.Color(), clYellow);
    p.SetHint(QStringLiteral("a hint"));
    EXPECT_TRUE(p.toolTip().isEmpty()); // ShowHint is off
    p.SetShowHint(true);
    EXPECT_EQ(p.toolTip(), QStringLiteral("a hint"));
    p.SetEnabled(false);
    EXPECT_FALSE(p.Enabled());
    p.SetCursor(Qt::CrossCursor);
    EXPECT_EQ(p.Cursor(), Qt::CrossCursor);
    p.SetBounds(3, 4, -5, 6);
    EXPECT_EQ(p.Left(), 3);
    EXPECT_EQ(p.Top(), 4);
    EXPECT_EQ(p.Width(), 0);
    EXPECT_EQ(p.Surface().size(), QSize(1, 6)); // never an empty surface
    EXPECT_EQ(p.property("Color").value<QColor>(), QColor(255, 255, 0)); // stored as a QColor

    // The default Paint fills with Color.
    TGraphicControl g;
    g.SetColor(clNavy);
    EXPECT_EQ(PixelAt(g.Surface(), 5, 5), clNavy);
    g.SetColor(clAqua);
    EXPECT_EQ(PixelAt(g.Surface(), 5, 5), clAqua);
    EXPECT_EQ(g.focusPolicy(), Qt::NoFocus);
    EXPECT_NE(p.focusPolicy(), Qt::NoFocus);
}

TEST(Control, FontAndParentFont)
{
    QWidget parent;
    QFont pf(QStringLiteral("DejaVu Serif"));
    pf.setPixelSize(20);
    parent.setFont(pf);
    auto *p = new Probe(&parent);
    EXPECT_FALSE(p->ParentFont());
    p->Font()->SetColor(clRed);
    p->SetParentFont(true);
    EXPECT_EQ(p->Font()->Name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(p->Font()->Size(), 15); // 20 pixels at 96 dpi
    EXPECT_EQ(p->Font()->Color(), clRed);
    EXPECT_TRUE(p->ParentFont());
    pf.setBold(true);
    parent.setFont(pf); // followed while ParentFont is on
    EXPECT_TRUE(p->Font()->Style() & fsBold);
    EXPECT_TRUE(p->ParentFont());
    p->Font()->SetSize(12); // an own font ends ParentFont
    EXPECT_FALSE(p->ParentFont());
    const int paints = p->Paints;
    p->Surface();
    EXPECT_EQ(p->Paints, paints + 1); // a font change invalidates
}

TEST(Control, OutputMaskLetsTheParentShowThrough)
{
    QWidget parent;
    parent.resize(40, 30);
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0, 255, 0));
    parent.setPalette(pal);
    auto *p = new Probe(&parent);
    p->SetBounds(0, 0, 40, 30);
    p->Fill = clBlue;
    QImage mask(40, 30, QImage::Format_Mono);
    mask.fill(0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            mask.setPixel(x, y, 1);
    p->SetOutputMask(mask);
    const QImage shot = parent.grab().toImage();
    EXPECT_EQ(PixelAt(shot, 5, 5), clBlue);
    EXPECT_EQ(PixelAt(shot, 19, 29), clBlue);
    EXPECT_EQ(PixelAt(shot, 20, 0), clLime);
    EXPECT_EQ(PixelAt(shot, 35, 25), clLime);
    // A recomposed picture is shown through the same mask.
    p->Fill = clRed;
    p->Repaint();
    const QImage shot2 = parent.grab().toImage();
    EXPECT_EQ(PixelAt(shot2, 5, 5), clRed);
    EXPECT_EQ(PixelAt(shot2, 35, 25), clLime);
    p->SetOutputMask(QImage()); // opaque again
    EXPECT_EQ(PixelAt(parent.grab().toImage(), 35, 25), clRed);
}

TEST(Control, OnResizeRunsAfterTheControlsOwnResize)
{
    QWidget parent;
    auto *p = new Probe(&parent);
    p->SetOnResize([p](QObject *Sender) {
        EXPECT_EQ(Sender, p);
        p->Log << QStringLiteral("OnResize");
    });
    // Hidden (never shown): the size change is handled at once all the same.
    p->SetBounds(0, 0, 50, 20);
    EXPECT_EQ(p->Log, QStringList({QStringLiteral("Resize 50x20"), QStringLiteral("OnResize")}));
    p->Log.clear();
    p->SetBounds(5, 5, 50, 20); // a move only
    EXPECT_TRUE(p->Log.isEmpty());
    p->SetWidth(60);
    EXPECT_EQ(p->Log, QStringList({QStringLiteral("Resize 60x20"), QStringLiteral("OnResize")}));
    p->Log.clear();

    // Shown: once per change, also for a plain Qt resize.
    parent.show();
    p->Log.clear();
    p->resize(30, 30);
    EXPECT_EQ(p->Log, QStringList({QStringLiteral("Resize 30x30"), QStringLiteral("OnResize")}));
    EXPECT_EQ(p->Surface().size(), QSize(30, 30));

    // An exception in the application's handler is reported.
    ReportCatcher rc;
    p->SetOnResize([](QObject *) { throw EKROError(QStringLiteral("resize failed")); });
    p->resize(31, 30);
    EXPECT_EQ(rc.Messages, QStringList(QStringLiteral("resize failed")));
}

TEST(Control, MouseInputIsRoutedIntoTheOverridables)
{
    Probe p;
    int clicks = 0, ups = 0;
    QObject *sender = nullptr;
    QString down;
    p.SetOnClick([&](QObject *) { ++clicks; });
    p.SetOnMouseDown([&](QObject *S, TMouseButton B, TShiftState Sh, int X, int Y) {
        sender = S;
        down = QStringLiteral("%1 %2 %3,%4").arg(B).arg(Sh).arg(X).arg(Y);
    });
    p.SetOnMouseUp([&](QObject *, TMouseButton, TShiftState, int, int) { ++ups; });
    QTest::mouseClick(&p, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 9));
    EXPECT_EQ(p.Log, QStringList({QStringLiteral("Down 0 %1 7,9").arg(ssShift | ssLeft),
                                  QStringLiteral("Click"), QStringLiteral("Up 0 %1 7,9").arg(ssShift)}));
    EXPECT_EQ(sender, &p);
    EXPECT_EQ(down, QStringLiteral("0 %1 7,9").arg(ssShift | ssLeft));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ups, 1);

    // The right button: no Click.
    p.Log.clear();
    QTest::mouseClick(&p, Qt::RightButton, Qt::NoModifier, QPoint(3, 4));
    EXPECT_EQ(p.Log,
              QStringList({QStringLiteral("Down 1 %1 3,4").arg(ssRight), QStringLiteral("Up 1 0 3,4")}));

    // Released outside: no Click.
    p.Log.clear();
    QTest::mousePress(&p, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
    QTest::mouseRelease(&p, Qt::LeftButton, Qt::NoModifier, QPoint(80, 4));
    EXPECT_FALSE(p.Log.contains(QStringLiteral("Click")));

    // A double click as the window system sends it (press, release, double click, release):
    // Click once for the first press, then DblClick and a MouseDown with ssDouble; the second
    // release is no Click.
    int dbl = 0;
    p.SetOnDblClick([&](QObject *) { ++dbl; });
    p.Log.clear();
    clicks = 0;
    DoubleClick(&p, QPoint(5, 5));
    EXPECT_EQ(p.Log, QStringList({QStringLiteral("Down 0 %1 5,5").arg(ssLeft), QStringLiteral("Click"),
                                  QStringLiteral("Up 0 0 5,5"), QStringLiteral("DblClick"),
                                  QStringLiteral("Down 0 %1 5,5").arg(ssLeft | ssDouble),
                                  QStringLiteral("Up 0 0 5,5")}));
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(clicks, 1);

    // Mouse moves carry the held buttons.
    TShiftState moved = 0;
    p.SetOnMouseMove([&](QObject *, TShiftState S, int, int) { moved = S | 0x1000; });
    MoveMouse(&p, QPoint(10, 10), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(moved, 0x1000u | ssLeft | ssCtrl);

    // An exception in a handler goes to HandleException.
    ReportCatcher rc;
    p.SetOnClick([](QObject *) { throw EKROError(QStringLiteral("click failed")); });
    QTest::mouseClick(&p, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(rc.Messages, QStringList(QStringLiteral("click failed")));
}

TEST(Control, KeysAreRoutedAsVirtualKeysAndCharacters)
{
    Probe p;
    QTest::keyClick(&p, Qt::Key_A);
    EXPECT_EQ(p.Log, QStringList({QStringLiteral("KeyDown 65 0"), QStringLiteral("KeyPress a"),
                                  QStringLiteral("KeyUp 65 0")}));
    p.Log.clear();
    QTest::keyClick(&p, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(p.Log.value(0), QStringLiteral("KeyDown 101 0"));
    EXPECT_EQ(p.Log.value(1), QStringLiteral("KeyPress 5"));
    p.Log.clear();
    QTest::keyClick(&p, Qt::Key_Plus, Qt::KeypadModifier); // the pad's plus is not a shifted key
    EXPECT_EQ(p.Log.value(0), QStringLiteral("KeyDown 107 0"));
    p.Log.clear();
    QTest::keyClick(&p, Qt::Key_Dollar, Qt::ShiftModifier); // Shift itself comes first
    EXPECT_EQ(p.Log.value(0), QStringLiteral("KeyDown 16 %1").arg(ssShift));
    EXPECT_EQ(p.Log.value(1), QStringLiteral("KeyDown 52 %1").arg(ssShift));
    EXPECT_EQ(p.Log.value(2), QStringLiteral("KeyPress $"));
    p.Log.clear();
    QTest::keyClick(&p, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(p.Log.value(1), QStringLiteral("KeyDown 37 %1").arg(ssCtrl));
    EXPECT_FALSE(p.Log.join(QLatin1Char('|')).contains(QLatin1String("KeyPress")));

    // KeyDown setting Key to 0 swallows the character.
    p.SwallowKey = 'B';
    p.Log.clear();
    QTest::keyClick(&p, Qt::Key_B);
    EXPECT_EQ(p.Log.value(0), QStringLiteral("KeyDown 66 0"));
    EXPECT_FALSE(p.Log.join(QLatin1Char('|')).contains(QLatin1String("KeyPress")));

    // The application's handlers see the same, and may change the key.
    quint16 seen = 0;
    p.SetOnKeyDown([&](QObject *, quint16 &Key, TShiftState) { seen = Key; });
    p.SetOnKeyPress([&](QObject *, QChar &Key) { Key = QLatin1Char('x'); });
    QTest::keyClick(&p, Qt::Key_Up);
    EXPECT_EQ(seen, VK_UP);

    ReportCatcher rc;
    p.SetOnKeyPress([](QObject *, QChar &) { throw EKROError(QStringLiteral("key failed")); });
    QTest::keyClick(&p, Qt::Key_C);
    EXPECT_EQ(rc.Messages, QStringList(QStringLiteral("key failed")));
}

TEST(ControlTimer, StartKillIntervalAndTicks)
{
    QObject owner;
    int ticks = 0;
    auto *t = new TControlTimer(&owner, [&] { ++ticks; });
    EXPECT_FALSE(t->IsActive());
    EXPECT_TRUE(t->Start(500));
    EXPECT_TRUE(t->IsActive());
    EXPECT_EQ(t->Interval(), 500);
    EXPECT_TRUE(t->SetInterval(200));
    EXPECT_TRUE(t->IsActive());
    EXPECT_EQ(t->Interval(), 200);
    t->Tick();
    t->Tick();
    EXPECT_EQ(ticks, 2);
    t->Kill();
    EXPECT_FALSE(t->IsActive());
    t->Kill();                      // harmless
    EXPECT_TRUE(t->SetInterval(0)); // not running: remembered, at least 1
    EXPECT_FALSE(t->IsActive());
    EXPECT_EQ(t->Interval(), 1);
    EXPECT_NO_THROW(t->StartOrThrow(100, QStringLiteral("Caret1")));
    EXPECT_TRUE(t->IsActive());

    // A handler that replaces itself while it runs.
    t->SetOnTimer([&] {
        t->SetOnTimer([&] { ticks += 100; });
        ++ticks;
    });
    t->Tick();
    t->Tick();
    EXPECT_EQ(ticks, 103);
}

TEST(ControlTimer, AnExceptionInTheHandlerReachesHandleException)
{
    ReportCatcher rc;
    TControlTimer t(nullptr, [] { throw EKROError(QStringLiteral("tick failed")); });
    EXPECT_NO_THROW(t.Tick());
    EXPECT_EQ(rc.Messages, QStringList(QStringLiteral("tick failed")));
    // The timer keeps running after a failed tick.
    ASSERT_TRUE(t.Start(1000));
    t.Tick();
    EXPECT_TRUE(t.IsActive());
    EXPECT_EQ(rc.Messages.size(), 2);
}

TEST(ControlTimer, NoTimerAvailableWithoutAnEventLoop)
{
    bool started = true;
    QString message;
    std::thread worker([&] {
        TControlTimer t(nullptr, [] {});
        started = t.Start(100);
        try {
            t.StartOrThrow(100, QStringLiteral("RasterLab1"));
        } catch (const EKROError &e) {
            message = e.Message();
        }
    });
    worker.join();
    EXPECT_FALSE(started);
    EXPECT_EQ(message, QStringLiteral("Component \"RasterLab1\": no timer available"));

    // A timer of the user-interface thread cannot be started from another thread either.
    TControlTimer main(nullptr, [] {});
    bool fromOther = true;
    std::thread other([&] { fromOther = main.Start(100); });
    other.join();
    EXPECT_FALSE(fromOther);
    EXPECT_FALSE(main.IsActive());
}
