// TRepSpeedButton: the repeat timing (driven by ticks, never by waiting), every way a hold ends,
// and the speed button it builds on.
#include <krogui/buttons/repsbut.h>
#include <krogui/core/ctimer.h>

#include <QAccessible>
#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

using namespace kro;

namespace {

class RepButTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Window.resize(300, 200);
        B = new TRepSpeedButton(&Window);
        B->SetBounds(10, 10, 60, 30);
        B->SetCaption(QStringLiteral("Hold"));
        B->SetOnRepeatClick([this](QObject *S) {
            EXPECT_EQ(S, B);
            ++Repeats;
        });
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }
    void TearDown() override { SetExceptionHandler({}); }
    void Press() { QTest::mousePress(B, Qt::LeftButton, Qt::NoModifier, QPoint(20, 15)); }
    void Release() { QTest::mouseRelease(B, Qt::LeftButton, Qt::NoModifier, QPoint(20, 15)); }
    TControlTimer *Timer() { return B->RepeatTimer(); }
    /// Presses and checks that the first repeat comes after the start interval.
    void HoldAndRepeatOnce()
    {
        Press();
        ASSERT_TRUE(B->Repeating());
        Timer()->Tick();
        ASSERT_EQ(Repeats, 1);
    }
    QWidget Window;
    TRepSpeedButton *B = nullptr;
    int Repeats = 0;
};

} // namespace

TEST_F(RepButTest, IntervalsClampToTen)
{
    EXPECT_EQ(B->RepeatClickInterval(), 200);
    EXPECT_EQ(B->StartClickInterval(), 500);
    B->SetRepeatClickInterval(5);
    EXPECT_EQ(B->RepeatClickInterval(), 10);
    B->SetStartClickInterval(-100);
    EXPECT_EQ(B->StartClickInterval(), 10);
    B->SetStartClickInterval(750);
    EXPECT_EQ(B->StartClickInterval(), 750);
    EXPECT_FALSE(Timer()->IsActive()) << "setting intervals while not held starts nothing";
}

TEST_F(RepButTest, FirstRepeatAfterStartIntervalThenAtRepeatInterval)
{
    int clicks = 0;
    B->SetOnClick([&](QObject *) { ++clicks; });
    Press();
    EXPECT_TRUE(Timer()->IsActive());
    EXPECT_EQ(Timer()->Interval(), 500);
    EXPECT_EQ(Repeats, 0);
    Timer()->Tick();
    EXPECT_EQ(Repeats, 1);
    EXPECT_EQ(Timer()->Interval(), 200);
    Timer()->Tick();
    Timer()->Tick();
    EXPECT_EQ(Repeats, 3);
    EXPECT_EQ(Timer()->Interval(), 200);
    Release();
    EXPECT_FALSE(Timer()->IsActive());
    EXPECT_FALSE(B->Repeating());
    EXPECT_EQ(clicks, 1) << "the ordinary click still fires on release";
    Timer()->Tick(); // a tick already queued at release does nothing
    EXPECT_EQ(Repeats, 3);

    // A short press fires no repeat; the right button never repeats.
    Press();
    Release();
    QTest::mousePress(B, Qt::RightButton, Qt::NoModifier, QPoint(20, 15));
    EXPECT_FALSE(Timer()->IsActive());
    QTest::mouseRelease(B, Qt::RightButton, Qt::NoModifier, QPoint(20, 15));
    EXPECT_EQ(Repeats, 3);
}

TEST_F(RepButTest, ChangingIntervalsWhileHeld)
{
    Press();
    B->SetStartClickInterval(800); // the wait for the first repeat starts again
    EXPECT_EQ(Timer()->Interval(), 800);
    EXPECT_TRUE(Timer()->IsActive());
    Timer()->Tick();
    EXPECT_EQ(Timer()->Interval(), 200);
    B->SetRepeatClickInterval(50);
    EXPECT_EQ(Timer()->Interval(), 50);
    EXPECT_TRUE(Timer()->IsActive());
    Release();
    EXPECT_FALSE(Timer()->IsActive());
}

TEST_F(RepButTest, LeavingTheButtonStopsTheRepetition)
{
    int ups = 0;
    B->SetOnMouseUp([&](QObject *, TMouseButton, TShiftState, int, int) { ++ups; });
    HoldAndRepeatOnce();
    QTest::mouseMove(B, QPoint(200, 100)); // dragged off while held
    EXPECT_FALSE(B->Repeating());
    EXPECT_FALSE(Timer()->IsActive());
    Timer()->Tick();
    EXPECT_EQ(Repeats, 1);

    Press();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(B, &leave);
    EXPECT_FALSE(Timer()->IsActive());
    Release();
    // Passing over the button without pressing it reports no release.
    const int before = ups;
    QApplication::sendEvent(B, &leave);
    EXPECT_EQ(ups, before);
}

TEST_F(RepButTest, DisablingOrHidingStopsTheRepetition)
{
    HoldAndRepeatOnce();
    B->setEnabled(false);
    EXPECT_FALSE(Timer()->IsActive());
    Timer()->Tick();
    EXPECT_EQ(Repeats, 1);
    B->setEnabled(true);

    Press();
    B->hide();
    EXPECT_FALSE(Timer()->IsActive());
    Timer()->Tick();
    EXPECT_EQ(Repeats, 1);
}

TEST_F(RepButTest, AModalDialogFromTheHandlerStopsTheRepetition)
{
    QDialog dialog(&Window);
    dialog.setModal(true);
    B->SetOnRepeatClick([&](QObject *) {
        ++Repeats;
        dialog.show(); // as a handler that asks the user something would
    });
    HoldAndRepeatOnce();
    EXPECT_FALSE(B->Repeating());
    EXPECT_FALSE(Timer()->IsActive());
    dialog.hide();

    // A modal window that was already up when a tick arrives also ends it.
    B->SetOnRepeatClick([&](QObject *) { ++Repeats; });
    Press();
    QDialog other;
    other.setModal(true);
    other.show();
    Timer()->Tick();
    EXPECT_EQ(Repeats, 1);
    EXPECT_FALSE(Timer()->IsActive());
}

TEST_F(RepButTest, LosingTheMouseToAnotherWidgetStopsTheRepetition)
{
    QWidget thief(&Window);
    thief.setGeometry(150, 100, 40, 40);
    thief.show();
    HoldAndRepeatOnce();
    thief.grabMouse();
    Timer()->Tick();
    thief.releaseMouse();
    EXPECT_EQ(Repeats, 1);
    EXPECT_FALSE(B->Repeating());
    EXPECT_FALSE(Timer()->IsActive());
    Release();
    // A release that reaches another widget ends the hold as well.
    Press();
    QTest::mouseRelease(&thief, Qt::LeftButton);
    EXPECT_FALSE(B->Repeating());
}

TEST_F(RepButTest, AThrowingHandlerIsReportedAndStopsTheRepetition)
{
    QStringList reports;
    SetExceptionHandler([&](const QString &M) { reports << M; });
    B->SetOnRepeatClick([&](QObject *) {
        ++Repeats;
        throw std::runtime_error("handler failed");
    });
    Press();
    Timer()->Tick();
    EXPECT_EQ(Repeats, 1);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("handler failed")));
    EXPECT_FALSE(Timer()->IsActive());
    Release();
}

TEST_F(RepButTest, NoTimerAtDesignTime)
{
    B->SetDesigning(true);
    Press();
    EXPECT_FALSE(Timer()->IsActive());
    B->SetStartClickInterval(300);
    EXPECT_FALSE(Timer()->IsActive());
    Release();
    EXPECT_EQ(Repeats, 0);
}

TEST_F(RepButTest, GroupedSpeedButtonsKeepOneDown)
{
    auto *a = new TSpeedButton(&Window), *b = new TSpeedButton(&Window);
    a->SetBounds(100, 10, 30, 30);
    b->SetBounds(140, 10, 30, 30);
    a->show();
    b->show();
    a->SetDown(true);
    EXPECT_FALSE(a->Down()) << "no down state without a group";
    a->SetGroupIndex(3);
    b->SetGroupIndex(3);
    QTest::mouseClick(a, Qt::LeftButton);
    EXPECT_TRUE(a->Down());
    QTest::mouseClick(a, Qt::LeftButton);
    EXPECT_TRUE(a->Down()) << "without AllowAllUp a click leaves it down";
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_FALSE(b->Down());

    QAccessibleInterface *acc = QAccessible::queryAccessibleInterface(B);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(acc->role(), QAccessible::Button);
    EXPECT_EQ(acc->text(QAccessible::Name), QStringLiteral("Hold"));
}
