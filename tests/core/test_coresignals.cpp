// The core events as Qt signals, in every control base.
#include "testutil.h"

#include <krogui/browse/foldertree.h>
#include <krogui/buttons/colsel.h>
#include <krogui/buttons/speedbutton.h>
#include <krogui/core/control.h>
#include <krogui/grid/customgrid.h>
#include <krogui/numio/numio.h>

#include <QApplication>
#include <QDropEvent>
#include <QEnterEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

class Probe : public TCustomControl
{
public:
    explicit Probe(QWidget *Parent = nullptr) : TCustomControl(Parent) { SetDesignSize(40, 30); }
};

void SendEnter(QWidget *W)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), W->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(W, &e);
}

// Offers a krogui drag from Source to Target at Pos and drops it when accepted; returns whether
// the drop was taken.
bool DropOnto(QWidget *Source, QWidget *Target, QPoint Pos)
{
    TDragData data(Source);
    const Qt::DropActions actions = Qt::MoveAction;
    QDragEnterEvent enter(Pos, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &enter);
    QDragMoveEvent move(Pos, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &move);
    if (!move.isAccepted()) return false;
    QDropEvent drop(Pos, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &drop);
    return drop.isAccepted();
}

} // namespace

TEST(CoreSignals, SlotsRunInConnectionOrderAfterTheHandler)
{
    Probe p;
    QStringList log;
    p.SetOnClick([&](QObject *S) { log << (S == &p ? "handler" : "handler?"); });
    QObject::connect(&p, &TControl::onClick, [&](QObject *S) { log << (S == &p ? "first" : "first?"); });
    QObject::connect(&p, &TControl::onClick, [&](QObject *) { log << "second"; });
    Click(&p, QPoint(5, 5));
    EXPECT_EQ(log, QStringList({"handler", "first", "second"}));

    // Without a handler the signal still comes; a second listener no longer replaces the first.
    log.clear();
    p.SetOnClick(nullptr);
    Click(&p, QPoint(5, 5));
    EXPECT_EQ(log, QStringList({"first", "second"}));
}

TEST(CoreSignals, SlotsSeeAndChangeWhatTheHandlerMayChange)
{
    TNumIO n;
    n.SetRangeLow(-100);
    n.SetRangeHigh(100);
    QList<quint16> seenKeys;
    n.SetOnKeyDown([](QObject *, quint16 &Key, TShiftState) {
        if (Key == '8') Key = 0; // the handler swallows 8
    });
    QObject::connect(&n, &TNumIO::onKeyDown, [&](QObject *, quint16 &Key, TShiftState) { seenKeys << Key; });
    // A slot turns every typed 1 into 2.
    QObject::connect(&n, &TNumIO::onKeyPress, [](QObject *, QChar &Key) {
        if (Key == QLatin1Char('1')) Key = QLatin1Char('2');
    });
    Type(&n, QStringLiteral("181"));
    EXPECT_EQ(n.text(), QStringLiteral("22"));
    EXPECT_EQ(seenKeys, QList<quint16>({'1', 0, '1'})); // the slot ran after the handler
}

TEST(CoreSignals, ConnectingTheDropSignalsMakesADropTarget)
{
    QWidget window;
    auto *source = new Probe(&window);
    auto *target = new Probe(&window);
    EXPECT_FALSE(target->acceptDrops());
    QStringList log;
    // Only signals, no handlers: Accept comes preset, the slot refuses the right half.
    const auto over = QObject::connect(target, &TControl::onDragOver,
                                       [&](QObject *, QObject *Src, int X, int, TDragState, bool &Accept) {
                                           EXPECT_EQ(Src, source);
                                           EXPECT_TRUE(Accept);
                                           Accept = X < 20;
                                       });
    QObject::connect(target, &TControl::onDragDrop, [&](QObject *, QObject *, int X, int Y) {
        log << QStringLiteral("drop %1,%2").arg(X).arg(Y);
    });
    EXPECT_TRUE(target->acceptDrops());
    EXPECT_FALSE(DropOnto(source, target, QPoint(30, 5)));
    EXPECT_TRUE(DropOnto(source, target, QPoint(10, 6)));
    EXPECT_EQ(log, QStringList({"drop 10,6"}));

    // Without the over signal nothing may be dropped, nor without any listener; a handler
    // assigned and taken away again leaves the control no drop target either.
    QObject::disconnect(over);
    EXPECT_FALSE(DropOnto(source, target, QPoint(10, 6)));
    QObject::disconnect(target, &TControl::onDragDrop, nullptr, nullptr);
    target->SetOnDragDrop([&](QObject *, QObject *, int, int) { log << "handler"; });
    target->SetOnDragDrop(nullptr);
    EXPECT_FALSE(target->acceptDrops());
    EXPECT_EQ(log, QStringList({"drop 10,6"}));
}

TEST(CoreSignals, EveryBaseEmits)
{
    QWidget window;
    window.resize(400, 300);
    QStringList log;
    auto note = [&](const char *What) { return [&log, What](QObject *) { log << What; }; };

    auto *control = new Probe(&window);
    QObject::connect(control, &TControl::onResize, note("control resize"));
    control->SetBounds(0, 0, 50, 20);

    auto *numio = new TNumIO(&window);
    QObject::connect(numio, &TNumIO::onMouseDown, [&](QObject *, TMouseButton B, TShiftState, int X, int Y) {
        log << QStringLiteral("numio down %1 %2,%3").arg(B).arg(X).arg(Y);
    });
    QTest::mousePress(numio, Qt::RightButton, Qt::NoModifier, QPoint(4, 3));

    auto *grid = new TDrawGrid(&window);
    QObject::connect(grid, &TCustomGrid::onMouseEnter, note("grid enter"));
    SendEnter(grid);

    auto *colsel = new TColSel(&window);
    QObject::connect(colsel, &TColSel::onMouseMove, [&](QObject *, TShiftState, int X, int Y) {
        log << QStringLiteral("colsel move %1,%2").arg(X).arg(Y);
    });
    MoveMouse(colsel, QPoint(7, 4));

    auto *button = new TSpeedButton(&window);
    QObject::connect(button, &TSpeedButton::onClick, note("button click"));
    Click(button, QPoint(3, 3));

    auto *tree = new TFolderTree(&window);
    QObject::connect(tree, &TFolderTree::onKeyDown, [&](QObject *, quint16 &Key, TShiftState) {
        log << QStringLiteral("tree key %1").arg(Key);
    });
    QTest::keyClick(tree, Qt::Key_Home);

    EXPECT_EQ(log, QStringList({"control resize", "numio down 1 4,3", "grid enter", "colsel move 7,4",
                                "button click", "tree key 36"}));
}
