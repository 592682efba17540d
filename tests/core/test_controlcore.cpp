// The shared control core: hover events and dragging one control onto another.
#include "testutil.h"

#include <krogui/core/control.h>

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace kro;

namespace {

// Plays a drag the way Qt's drag manager delivers it to a target: enter (followed by a move to
// the same place), more moves, and a drop when the last move was accepted.
struct DragScript
{
    TControl *Target = nullptr;
    QList<QPoint> Path;
    Qt::DropAction operator()(QDrag &Drag) const
    {
        const QMimeData *data = Drag.mimeData();
        const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter(Path.first(), actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Target, &enter);
        if (!enter.isAccepted()) return Qt::IgnoreAction;
        bool accepted = false;
        for (const QPoint &pt : Path) {
            QDragMoveEvent move(pt, actions, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(Target, &move);
            accepted = move.isAccepted();
        }
        if (!accepted) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(Target, &leave);
            return Qt::IgnoreAction;
        }
        QDropEvent drop(Path.last(), actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Target, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
};

struct DragLog
{
    QStringList Lines;
    void Watch(TControl &Source, TControl &Target, bool Accept)
    {
        Source.SetOnStartDrag([this](QObject *, QMimeData &Data) {
            Lines << QStringLiteral("start");
            Data.setText(QStringLiteral("payload"));
        });
        Source.SetOnEndDrag([this, &Target](QObject *S, QObject *T, int X, int Y) {
            Q_UNUSED(S);
            Lines << QStringLiteral("end %1 %2,%3")
                         .arg(T == &Target ? "target"
                              : T          ? "other"
                                           : "none")
                         .arg(X)
                         .arg(Y);
        });
        Source.SetOnClick([this](QObject *) { Lines << QStringLiteral("click"); });
        Target.SetOnDragOver(
            [this, &Source, Accept](QObject *, QObject *Src, int X, int Y, TDragState State, bool &Acc) {
                EXPECT_TRUE(Acc); // preset when a handler is assigned
                EXPECT_EQ(Src, &Source);
                Lines << QStringLiteral("over %1 %2,%3").arg(int(State)).arg(X).arg(Y);
                Acc = Accept && X < 30;
            });
        Target.SetOnDragDrop([this, &Source](QObject *, QObject *Src, int X, int Y) {
            EXPECT_EQ(Src, &Source);
            Lines << QStringLiteral("drop %1,%2").arg(X).arg(Y);
        });
    }
};

} // namespace

TEST(ControlCore, MouseEnterAndLeaveFireTheirEvents)
{
    TGraphicControl c;
    QStringList log;
    c.SetOnMouseEnter([&](QObject *S) { log << (S == &c ? "enter" : "?"); });
    c.SetOnMouseLeave([&](QObject *) { log << "leave"; });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&c, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&c, &leave);
    EXPECT_EQ(log, QStringList({"enter", "leave"}));
}

TEST(ControlCore, AutomaticDragCarriesTheControlToAnAcceptingTarget)
{
    QWidget form;
    auto *source = new TGraphicControl(&form);
    auto *target = new TGraphicControl(&form);
    EXPECT_FALSE(target->acceptDrops());
    DragLog log;
    log.Watch(*source, *target, true);
    EXPECT_TRUE(target->acceptDrops()); // assigning OnDragOver makes it a drop target
    source->SetDragMode(dmAutomatic);
    EXPECT_EQ(source->property("DragMode").toInt(), int(dmAutomatic));
    QString carried;
    source->Input().SetDragRunner([&](QDrag &Drag) {
        carried = Drag.mimeData()->text();
        EXPECT_TRUE(source->Dragging());
        return DragScript{target, {QPoint(5, 6), QPoint(12, 8)}}(Drag);
    });

    // A press and release without moving is an ordinary click.
    QTest::mouseClick(source, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(log.Lines, QStringList({"click"}));
    log.Lines.clear();

    // Moving beyond the drag distance with the button held starts the drag. Qt's repeated move
    // right after the enter is not reported twice.
    QTest::mousePress(source, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    test::MoveMouse(source, QPoint(40, 10), Qt::LeftButton);
    EXPECT_EQ(carried, QStringLiteral("payload"));
    EXPECT_EQ(log.Lines, QStringList({"start", "over 0 5,6", "over 2 12,8", "drop 12,8", "end target 12,8"}));
    EXPECT_FALSE(source->Dragging());
    // The release that ended the drag is no click.
    log.Lines.clear();
    QTest::mouseRelease(source, Qt::LeftButton, Qt::NoModifier, QPoint(40, 10));
    EXPECT_TRUE(log.Lines.isEmpty());
}

TEST(ControlCore, RefusedOrManualDragsEndWithoutTarget)
{
    QWidget form;
    auto *source = new TGraphicControl(&form);
    auto *target = new TGraphicControl(&form);
    DragLog log;
    log.Watch(*source, *target, true);
    source->Input().SetDragRunner(DragScript{target, {QPoint(5, 5), QPoint(50, 5)}});

    // dmManual: moving with the button held drags nothing...
    QTest::mousePress(source, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    test::MoveMouse(source, QPoint(60, 1), Qt::LeftButton);
    QTest::mouseRelease(source, Qt::LeftButton, Qt::NoModifier, QPoint(60, 1));
    EXPECT_EQ(log.Lines, QStringList({"click"}));
    log.Lines.clear();

    // ...until the control begins one itself. The target refuses the last place (x >= 30): the
    // drag leaves it and ends without a target.
    source->BeginDrag(true);
    EXPECT_EQ(log.Lines, QStringList({"start", "over 0 5,5", "over 2 50,5", "over 1 50,5", "end none 0,0"}));

    // A control without drag handlers is no target at all.
    TGraphicControl plain;
    source->Input().SetDragRunner(DragScript{&plain, {QPoint(1, 1)}});
    log.Lines.clear();
    source->BeginDrag(true);
    EXPECT_EQ(log.Lines, QStringList({"start", "end none 0,0"}));

    // An exception in a drag handler is reported and the drag still ends.
    QStringList reports;
    const TExceptionHandler old = SetExceptionHandler([&](const QString &M) { reports << M; });
    target->SetOnDragOver([](QObject *, QObject *, int, int, TDragState, bool &) {
        throw EKROError(QStringLiteral("over failed"));
    });
    source->Input().SetDragRunner(DragScript{target, {QPoint(1, 1)}});
    log.Lines.clear();
    source->BeginDrag(true);
    SetExceptionHandler(old);
    EXPECT_EQ(reports, QStringList({"over failed", "over failed"}));
    EXPECT_EQ(log.Lines, QStringList({"start", "end none 0,0"}));
}
