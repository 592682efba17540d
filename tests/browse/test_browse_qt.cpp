// The Qt face of the browse controls: properties that survive a trip through the meta-object,
// the events as signals, change notification, and both controls in an ordinary layout.
#include <krogui/browse/folderscan.h>
#include <krogui/browse/foldertree.h>
#include <krogui/browse/thumbnails.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QFont>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kro;
using kro::test::CountColor;

namespace {

// A value of the property's type that differs from Current, or an invalid QVariant when the type
// is none we know how to vary.
QVariant Other(const QMetaProperty &P, const QVariant &Current)
{
    if (P.isEnumType()) {
        const QMetaEnum e = P.enumerator();
        const int now = Current.toInt();
        for (int i = 0; i < e.keyCount(); ++i)
            if (e.value(i) != now && !P.isFlagType()) return e.value(i);
        return {};
    }
    switch (P.metaType().id()) {
    case QMetaType::Bool:
        return !Current.toBool();
    case QMetaType::Int:
        return Current.toInt() + 3;
    case QMetaType::UInt:
        return Current.toUInt() + 3;
    case QMetaType::QString:
        return Current.toString() + QStringLiteral("x");
    case QMetaType::QColor:
        return Current.value<QColor>() == QColor(0x12, 0x34, 0x56) ? QColor(0x65, 0x43, 0x21)
                                                                   : QColor(0x12, 0x34, 0x56);
    case QMetaType::QFont: {
        QFont f = Current.value<QFont>();
        f.setPointSize(f.pointSize() > 0 ? f.pointSize() + 3 : 13);
        f.setBold(!f.bold());
        return f;
    }
    default:
        return {};
    }
}

// Writes a different value into every writable stored property declared by our classes and reads
// it back at once.
void ExpectRoundTrips(QObject *O)
{
    const QMetaObject *mo = O->metaObject();
    int tried = 0;
    for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (!QByteArray(p.enclosingMetaObject()->className()).startsWith("kro::")) continue;
        if (!p.isWritable() || !p.isStored()) continue;
        const QVariant want = Other(p, p.read(O));
        ASSERT_TRUE(want.isValid()) << "no test value for " << p.name() << " of type " << p.typeName();
        ASSERT_TRUE(p.write(O, want)) << p.name();
        const QVariant got = p.read(O);
        if (p.isEnumType())
            EXPECT_EQ(got.toInt(), want.toInt()) << p.name();
        else
            EXPECT_EQ(got, want) << p.name() << ": wrote " << want.toString().toStdString() << ", read "
                                 << got.toString().toStdString();
        // What was read, written again, changes nothing.
        ASSERT_TRUE(p.write(O, got));
        EXPECT_EQ(p.read(O), got) << p.name();
        ++tried;
    }
    EXPECT_GT(tried, 0);
}

// A 300 x 400 wall (two slides per row) in a window.
struct TWall
{
    QWidget Window;
    TThumbnails *T;
    TWall()
    {
        Window.resize(400, 500);
        T = new TThumbnails(&Window);
        T->SetBounds(0, 0, 300, 400);
    }
};

} // namespace

TEST(BrowseQt, PropertiesRoundTripThroughTheMetaObject)
{
    TThumbnails t;
    ExpectRoundTrips(&t);
    TFolderTree f;
    ExpectRoundTrips(&f);

    // A system colour stays a system colour; the classic and the QColor face agree.
    TThumbnails u;
    EXPECT_EQ(u.property("ColorBackGnd").value<QColor>(), ToStoredColor(clBtnFace));
    u.setProperty("ColorBackGnd", ToStoredColor(clBtnShadow));
    EXPECT_EQ(u.ColorBackGnd(), clBtnShadow);
    u.SetColorCover(Qt::green);
    EXPECT_EQ(u.ColorCover(), RGB(0, 255, 0));
    u.SetColorMark(QColor(1, 2, 3));
    EXPECT_EQ(u.ColorMarkQColor(), QColor(1, 2, 3));
    u.SetColorSelected(clRed); // the classic setter is not hidden by the overloads
    EXPECT_EQ(u.ColorSelectedQColor(), QColor(255, 0, 0));

    // Run-time state is not stored: the scroll position, the highlight, the folder.
    for (const char *name : {"FirstThumbIdx", "FocusedSlide", "NumSlidesSelected"}) {
        const QMetaProperty p = u.metaObject()->property(u.metaObject()->indexOfProperty(name));
        EXPECT_FALSE(p.isStored()) << name;
        EXPECT_TRUE(p.hasNotifySignal()) << name;
    }
    const QMetaProperty dir = f.metaObject()->userProperty();
    EXPECT_STREQ(dir.name(), "Directory");
    EXPECT_FALSE(dir.isStored());
    EXPECT_FALSE(dir.isWritable());
}

TEST(BrowseQt, ThumbnailEventsAreSignalsAfterTheirHandlers)
{
    TWall w;
    TThumbnails *t = w.T;
    QStringList log;
    t->SetOnImageClick([&](QObject *, int, int, int Id) { log << QStringLiteral("handler %1").arg(Id); });
    QObject::connect(t, &TThumbnails::onImageClick, [&](QObject *S, int, int, int Id) {
        EXPECT_EQ(S, t);
        log << QStringLiteral("first %1").arg(Id);
    });
    QObject::connect(t, &TThumbnails::onImageClick,
                     [&](QObject *, int, int, int Id) { log << QStringLiteral("second %1").arg(Id); });
    QSignalSpy selection(t, &TThumbnails::SelectionChanged);
    QTest::mouseClick(t, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50)); // slide 1
    EXPECT_EQ(log, QStringList({"handler 1", "first 1", "second 1"}));
    EXPECT_EQ(selection.count(), 1);
    QTest::mouseClick(t, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60)); // the same slide again
    EXPECT_EQ(selection.count(), 1);
    QTest::mouseClick(t, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5)); // the border: nothing selected
    EXPECT_EQ(selection.count(), 2);
    EXPECT_EQ(t->NumSlidesSelected(), 0);

    // The image request: a slot may answer as a handler does, and what it answers is painted.
    QList<int> requested;
    int first = 0, last = 0, rendered = 0;
    QObject::connect(t, &TThumbnails::onFirstImageRequest, [&](QObject *) { ++first; });
    QObject::connect(t, &TThumbnails::onLastImageRequest, [&](QObject *) { ++last; });
    QObject::connect(t, &TThumbnails::onSlideRendered, [&](QObject *, TCanvas *C, int, int, int) {
        EXPECT_NE(C, nullptr);
        ++rendered;
    });
    QObject::connect(t, &TThumbnails::onImageRequest,
                     [&](QObject *, int Id, TImageRequestProcessing &How, int &, TBitmap *&) {
                         requested << Id;
                         How = irpShowNothing;
                     });
    t->Repaint();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 1);
    EXPECT_EQ(requested, QList<int>({1, 3, 5, 2, 4, 6}));
    EXPECT_EQ(rendered, 6);
    EXPECT_EQ(CountColor(t->Surface(), 0xC0C0C0, 0, 0, 300, 400), 0); // no cover anywhere

    // The highlight and the double click.
    QSignalSpy focus(t, &TThumbnails::onFocusChange);
    QSignalSpy focused(t, &TThumbnails::FocusedSlideChanged);
    QSignalSpy dbl(t, &TThumbnails::onImageDblClick);
    kro::test::MoveMouse(t, QPoint(200, 50)); // slide 2
    kro::test::MoveMouse(t, QPoint(210, 60)); // still slide 2
    ASSERT_EQ(focused.count(), 1);
    EXPECT_EQ(focused.at(0).at(0).toInt(), 2);
    EXPECT_EQ(focus.count(), 1);
    QTest::mouseDClick(t, Qt::LeftButton, Qt::NoModifier, QPoint(200, 50));
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl.at(0).at(3).toInt(), 2);
}

TEST(BrowseQt, ScrollAndSelectionNotifyOnlyRealChanges)
{
    TWall w;
    TThumbnails *t = w.T;
    t->Repaint(); // two slides per row from now on
    QSignalSpy scroll(t, &TThumbnails::FirstThumbIdxChanged);
    QSignalSpy selection(t, &TThumbnails::SelectionChanged);
    t->SetFirstThumbIdx(4);
    ASSERT_EQ(scroll.count(), 1);
    EXPECT_DOUBLE_EQ(scroll.at(0).at(0).toDouble(), 3.5);
    t->SetFirstThumbIdx(4); // the same position
    EXPECT_EQ(scroll.count(), 1);
    t->SetMax(2); // the range shrinks under the scroll position
    EXPECT_EQ(scroll.count(), 2);
    EXPECT_DOUBLE_EQ(t->FirstThumbIdx(), scroll.last().at(0).toDouble());

    t->SetSelectedSlide(2, true);
    t->SetSelectedSlide(2, true);
    t->SetSelectedSlide(7, true); // outside the range
    EXPECT_EQ(selection.count(), 1);
    t->SetMin(2); // slide 2 stays selected
    EXPECT_EQ(selection.count(), 1);
    t->SetSlideSelectMode(ssmMultiple); // clears it
    EXPECT_EQ(selection.count(), 2);
    t->ResetAllSelections(); // nothing left to clear
    EXPECT_EQ(selection.count(), 2);
}

TEST(BrowseQt, FolderTreeEventsAreSignals)
{
    QTemporaryDir tmp;
    const QString root = WithTrailingSlash(QDir::cleanPath(tmp.path()));
    QDir().mkpath(root + "a/b");
    TFolderTree t;
    QStringList log;
    t.SetOnDirChanged([&](QObject *) { log << "handler dir"; });
    t.SetOnChange([&](QObject *) { log << "handler change"; });
    QObject::connect(&t, &TFolderTree::onChange, [&](QObject *S) {
        EXPECT_EQ(S, &t);
        log << "change";
    });
    QObject::connect(&t, &TFolderTree::onDirChanged, [&](QObject *) { log << "dir"; });
    QObject::connect(&t, &TFolderTree::DirectoryChanged, [&](const QString &D) { log << "now " + D; });
    // The core's click comes first, before Directory moves.
    QObject::connect(&t, &TFolderTree::onClick, [&](QObject *) { log << "click " + t.Directory(); });
    ASSERT_TRUE(t.SelectPath(root + "a/b"));
    EXPECT_EQ(log, QStringList({"click /", "handler change", "change", "handler dir", "dir",
                                "now " + root + "a/b/"}));
    log.clear();
    ASSERT_TRUE(t.SelectPath(root + "a/b")); // the same folder: a change, not a new directory
    EXPECT_EQ(log, QStringList({"click " + root + "a/b/", "handler change", "change"}));
    log.clear();
    t.Reset();
    EXPECT_EQ(log, QStringList({"handler dir", "dir", "now " + TFolderTree::RootPath()}));
}

TEST(BrowseQt, AssistiveToolsSeeAListAndATree)
{
    QTemporaryDir tmp;
    TThumbnails wall;
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&wall);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::List);
    EXPECT_TRUE(a->text(QAccessible::Name).contains(QStringLiteral("1 to 100")));
    wall.SetMax(7);
    EXPECT_TRUE(a->text(QAccessible::Name).contains(QStringLiteral("1 to 7")));
    EXPECT_EQ(a->valueInterface(), nullptr);

    TFolderTree tree;
    QAccessibleInterface *b = QAccessible::queryAccessibleInterface(&tree);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->role(), QAccessible::Tree);
    EXPECT_FALSE(b->text(QAccessible::Name).isEmpty());
    ASSERT_TRUE(tree.SelectPath(tmp.path()));
    EXPECT_EQ(b->text(QAccessible::Description), tree.Directory());
}

TEST(BrowseQt, BothControlsInALayout)
{
    // At its minimum the wall shows one whole slide: cover, placeholder and border all inside.
    const auto oneSlide = [](QWidget *C, const QImage &Img, const QString &Stage) {
        auto *t = static_cast<TThumbnails *>(C);
        if (Stage.contains(QStringLiteral("minimum")) && C->size() != C->minimumSizeHint())
            return QStringLiteral("squeezed to %1x%2").arg(C->width()).arg(C->height());
        int x = 0, y = 0;
        t->CalcSlidePos(t->Min(), x, y);
        const int side = t->SlideSize() + 2 * t->SlideMargin();
        if (x + side > Img.width() - 10 || y + side > Img.height() - 10)
            return QStringLiteral("the first slide is cut");
        if (CountColor(Img, t->ColorCover(), x, y, x + side, y + side) == 0)
            return QStringLiteral("no slide cover");
        return QString();
    };
    EXPECT_TRUE(kro::test::FitsInLayout([](QWidget *P) { return new TThumbnails(P); }, oneSlide));
    EXPECT_TRUE(kro::test::FitsInLayout(
        [](QWidget *P) {
            auto *t = new TThumbnails(P);
            t->SetSlideSize(60);
            t->SetSlideMargin(3);
            return t;
        },
        oneSlide));
    // At its minimum the tree shows the root row whole, opened, with its first folder below it.
    EXPECT_TRUE(kro::test::FitsInLayout(
        [](QWidget *P) {
            auto *t = new TFolderTree(P);
            t->RootNode()->setExpanded(true);
            return t;
        },
        [](QWidget *C, const QImage &, const QString &) {
            auto *t = static_cast<TFolderTree *>(C);
            // Rows are as wide as the column: long names may go on to the right, but each row
            // must be there from top to bottom with its start.
            const QRect view = t->viewport()->rect();
            const auto whole = [&](QTreeWidgetItem *I) {
                const QRect r = t->visualItemRect(I);
                return r.top() >= view.top() && r.bottom() <= view.bottom() && r.left() >= view.left();
            };
            QTreeWidgetItem *root = t->RootNode();
            if (!whole(root)) return QStringLiteral("the root row is cut");
            if (root->childCount() > 1 && !whole(root->child(1)))
                return QStringLiteral("the second folder is cut");
            return QString();
        }));
}
