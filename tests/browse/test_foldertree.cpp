// TFolderTree on a temporary folder: reading subfolders (hidden ones left out, sorted, read once),
// selecting deep paths, the events of a selection change, creating and removing folders, refused
// names, and folders that vanish or cannot be read.
#include <krogui/browse/folderscan.h>
#include <krogui/browse/foldertree.h>
#include <krogui/core/keys.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace kro;

namespace {

struct TFolders
{
    QTemporaryDir Tmp;
    QString Root; // with a trailing "/"
    TFolders()
    {
        Root = WithTrailingSlash(QDir::cleanPath(Tmp.path()));
        for (const char *p :
             {"Beta", "alpha/one/deep", "alpha/Two", "gamma", ".hidden/inner", "empty", "files/.only-hidden"})
            QDir().mkpath(Root + QString::fromUtf8(p));
        QFile f(Root + "note.txt");
        f.open(QIODevice::WriteOnly);
        QFile g(Root + "files/data.bin");
        g.open(QIODevice::WriteOnly);
    }
    QString Path(const QString &Rel) const { return Root + Rel; }
};

QStringList Names(const std::vector<TSubFolder> &L)
{
    QStringList n;
    for (const TSubFolder &f : L)
        n << f.Name + (f.HasSubFolders ? "+" : "");
    return n;
}

QStringList Children(const QTreeWidgetItem *Node)
{
    QStringList n;
    for (int i = 0; Node && i < Node->childCount(); ++i)
        n << Node->child(i)->text(0);
    return n;
}

} // namespace

TEST(FolderScan, ListsVisibleFoldersSortedWithTheirExpandMarks)
{
    TFolders f;
    QDir().mkpath(f.Path(QString::fromUtf8("Ärger dir")));
    QDir().mkpath(f.Path("zeta/inner"));
    ASSERT_TRUE(QFile::link(f.Path("zeta"), f.Path("link-to-zeta")));
    std::vector<TSubFolder> list;
    ASSERT_TRUE(ReadSubFolders(f.Root, list));
    // Files and hidden folders are left out; case does not decide the order; a folder holding only
    // hidden folders has no expand mark; links to folders count as folders.
    EXPECT_EQ(Names(list), QStringList({"alpha+", "Beta", "empty", "files", "gamma", "link-to-zeta+", "zeta+",
                                        QString::fromUtf8("Ärger dir")}));
    EXPECT_TRUE(HasVisibleSubFolder(f.Path("alpha")));
    EXPECT_FALSE(HasVisibleSubFolder(f.Path("files")));

    EXPECT_FALSE(ReadSubFolders(f.Path("missing"), list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(ReadSubFolders(f.Path("note.txt"), list));
    EXPECT_FALSE(ReadSubFolders(QString(), list));

    // Equal keys keep their order (the sort is stable).
    std::vector<TSubFolder> same{{"b", false}, {"B", true}, {"a", false}, {"b", true}};
    SortSubFolders(same);
    EXPECT_EQ(Names(same), QStringList({"a", "b", "B+", "b+"}));
}

TEST(FolderScan, OnlyOnePlainNameMakesAFolder)
{
    QString why;
    for (const char *ok : {"new", "a b", "name.with.dots", "x-y_z", "ünïcödé"})
        EXPECT_TRUE(IsPlainFolderName(QString::fromUtf8(ok))) << ok;
    for (const char *bad : {"", ".", "..", "../escape", "a/b", "/abs", "a\\b", "x|y", "say\"hi\"", "<tag>",
                            ".hidden", "tab\there"}) {
        why.clear();
        EXPECT_FALSE(IsPlainFolderName(QString::fromUtf8(bad), &why)) << bad;
        EXPECT_FALSE(why.isEmpty()) << bad;
    }
    EXPECT_FALSE(IsPlainFolderName(QString(300, QLatin1Char('n'))));
}

TEST(FolderTree, StartsWithTheRootOnlyAndReadsAFolderOnce)
{
    TFolderTree t;
    ASSERT_EQ(t.topLevelItemCount(), 1);
    QTreeWidgetItem *root = t.RootNode();
    EXPECT_EQ(root->text(0), TFolderTree::RootPath());
    EXPECT_EQ(Children(root), QStringList({"Child"}));
    EXPECT_FALSE(TFolderTree::IsLoaded(root));
    EXPECT_EQ(t.Directory(), TFolderTree::RootPath());
    EXPECT_TRUE(t.OldTreeStyle());

    TFolders f;
    ASSERT_TRUE(t.SelectPath(f.Root));
    QTreeWidgetItem *top = t.currentItem();
    ASSERT_TRUE(top);
    EXPECT_EQ(t.PathOfNode(top), f.Root);
    EXPECT_TRUE(TFolderTree::IsLoaded(top));
    EXPECT_EQ(Children(top), QStringList({"alpha", "Beta", "empty", "files", "gamma"}));
    QTreeWidgetItem *alpha = top->child(0);
    EXPECT_EQ(Children(alpha), QStringList({"Child"})); // not read yet
    EXPECT_EQ(top->child(1)->childCount(), 0);          // Beta has no subfolders

    t.expandItem(alpha);
    EXPECT_EQ(Children(alpha), QStringList({"one", "Two"}));
    EXPECT_EQ(Children(alpha->child(0)), QStringList({"Child"}));
    // Read once: a folder made afterwards does not show when the node is expanded again.
    QDir().mkpath(f.Path("alpha/three"));
    t.collapseItem(alpha);
    t.expandItem(alpha);
    EXPECT_EQ(Children(alpha), QStringList({"one", "Two"}));
    // A folder without visible subfolders loses its placeholder and stays unread.
    QTreeWidgetItem *files = top->child(3);
    t.expandItem(files);
    EXPECT_EQ(files->childCount(), 0);
    EXPECT_FALSE(TFolderTree::IsLoaded(files));
}

TEST(FolderTree, SelectingPathsAndTheEventsOfAChange)
{
    TFolders f;
    TFolderTree t;
    QStringList log;
    t.SetOnClick([&](QObject *S) {
        EXPECT_EQ(S, &t);
        log << "click " + t.Directory();
    });
    t.SetOnChange([&](QObject *) { log << "change " + t.Directory(); });
    t.SetOnDirChanged([&](QObject *) { log << "dir " + t.Directory(); });
    const QString deep = f.Path("alpha/one/deep/");
    ASSERT_TRUE(t.SelectPath(f.Path("alpha/one/deep")));
    EXPECT_EQ(t.Directory(), deep);
    EXPECT_EQ(t.currentItem()->text(0), "deep");
    EXPECT_EQ(log, QStringList({"click /", "change " + deep, "dir " + deep}));

    log.clear();
    ASSERT_TRUE(t.SelectPath(deep)); // the same folder again: no directory change
    EXPECT_EQ(log, QStringList({"click " + deep, "change " + deep}));

    // "." and ".." parts are resolved; a trailing separator does not matter.
    log.clear();
    ASSERT_TRUE(t.SelectPath(f.Path("alpha/one/deep/../../Two/.")));
    EXPECT_EQ(t.Directory(), f.Path("alpha/Two/"));
    EXPECT_EQ(log.last(), "dir " + f.Path("alpha/Two/"));

    // Refused without a change: missing folders, hidden folders, files, empty text, the wrong case.
    log.clear();
    for (const QString &p : {f.Path("nothing"), f.Path(".hidden"), f.Path(".hidden/inner"),
                             f.Path("note.txt"), QString(), f.Path("ALPHA")}) {
        EXPECT_FALSE(t.SelectPath(p)) << p.toStdString();
        EXPECT_EQ(t.Directory(), f.Path("alpha/Two/"));
        EXPECT_EQ(t.PathOfNode(t.currentItem()), f.Path("alpha/Two/"));
    }
    EXPECT_TRUE(log.isEmpty());

    // Reset goes back to the root, collapsed, and reports the change.
    t.Reset();
    EXPECT_EQ(t.Directory(), TFolderTree::RootPath());
    EXPECT_EQ(log, QStringList({"dir /"}));
    EXPECT_EQ(t.topLevelItemCount(), 1);
    EXPECT_FALSE(t.RootNode()->isExpanded());

    QStringList subs{"kept"};
    EXPECT_TRUE(t.GetSubDirs(f.Path("alpha"), subs));
    EXPECT_EQ(subs, QStringList({"kept", "one", "Two"}));
    QStringList none;
    EXPECT_FALSE(t.GetSubDirs(f.Path("empty"), none));
    EXPECT_FALSE(t.GetSubDirs(f.Path("missing"), none));
}

TEST(FolderTree, MakingFoldersTakesOnePlainName)
{
    TFolders f;
    TFolderTree t;
    EXPECT_FALSE(t.MakeSubFolder("x")); // nothing selected yet
    EXPECT_FALSE(t.LastError().isEmpty());
    ASSERT_TRUE(t.SelectPath(f.Path("gamma")));
    const QString name = QString::fromUtf8("Fotos 2024 – ß");
    ASSERT_TRUE(t.MakeSubFolder(name));
    EXPECT_TRUE(QFileInfo(f.Path("gamma/" + name)).isDir());
    EXPECT_EQ(t.Directory(), f.Path("gamma/" + name + "/"));
    EXPECT_TRUE(t.LastError().isEmpty());
    // An existing folder is simply selected.
    ASSERT_TRUE(t.SelectPath(f.Path("gamma")));
    EXPECT_TRUE(t.MakeSubFolder(name));
    EXPECT_EQ(t.Directory(), f.Path("gamma/" + name + "/"));

    ASSERT_TRUE(t.SelectPath(f.Path("gamma")));
    const QStringList before = QDir(f.Root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &bad : {QString(".."), QString("../escaped"), QString("a/b"), QString("/abs"),
                               f.Path("abs2"), QString("x|y"), QString(".secret"), QString()}) {
        EXPECT_FALSE(t.MakeSubFolder(bad)) << bad.toStdString();
        EXPECT_FALSE(t.LastError().isEmpty());
        EXPECT_EQ(t.Directory(), f.Path("gamma/"));
    }
    EXPECT_EQ(QDir(f.Root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    EXPECT_EQ(QDir(f.Path("gamma")).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{name});
    EXPECT_FALSE(QFileInfo::exists(f.Path("escaped")));
    EXPECT_FALSE(QFileInfo::exists("/abs"));

    // A file in the way.
    ASSERT_TRUE(t.SelectPath(f.Root));
    EXPECT_FALSE(t.MakeSubFolder("note.txt"));
}

TEST(FolderTree, RemovingOnlyTheSelectedEmptyFolder)
{
    TFolders f;
    TFolderTree t;
    EXPECT_FALSE(t.RemoveSelectedFolder()); // nothing selected
    ASSERT_TRUE(t.SelectPath(TFolderTree::RootPath()));
    EXPECT_FALSE(t.RemoveSelectedFolder()); // the root

    ASSERT_TRUE(t.SelectPath(f.Path("alpha")));
    EXPECT_FALSE(t.RemoveSelectedFolder()); // not empty
    EXPECT_TRUE(QFileInfo(f.Path("alpha/one/deep")).isDir());
    EXPECT_EQ(t.Directory(), f.Path("alpha/"));

    ASSERT_TRUE(t.SelectPath(f.Path("empty")));
    int dirChanges = 0;
    t.SetOnDirChanged([&](QObject *) { ++dirChanges; });
    EXPECT_TRUE(t.RemoveSelectedFolder());
    EXPECT_FALSE(QFileInfo::exists(f.Path("empty")));
    EXPECT_EQ(t.Directory(), f.Root);
    EXPECT_EQ(dirChanges, 1);
    EXPECT_FALSE(Children(t.currentItem()).contains("empty"));

    // A link to an empty folder is not removed, nor is its target.
    QDir().mkpath(f.Path("target"));
    ASSERT_TRUE(QFile::link(f.Path("target"), f.Path("alias")));
    ASSERT_TRUE(t.SelectPath(f.Path("alias")));
    EXPECT_FALSE(t.RemoveSelectedFolder());
    EXPECT_TRUE(QFileInfo(f.Path("alias")).isSymLink());
    EXPECT_TRUE(QFileInfo(f.Path("target")).isDir());
}

TEST(FolderTree, FoldersThatVanishOrCannotBeRead)
{
    TFolders f;
    TFolderTree t;
    ASSERT_TRUE(t.SelectPath(f.Path("alpha")));
    QTreeWidgetItem *one = t.currentItem()->child(0);
    ASSERT_EQ(Children(one), QStringList({"Child"}));
    ASSERT_TRUE(QDir(f.Path("alpha/one")).removeRecursively()); // behind the tree's back
    t.expandItem(one);                                          // the placeholder goes, nothing else comes
    EXPECT_EQ(one->childCount(), 0);
    t.setCurrentItem(one);
    EXPECT_EQ(t.Directory(), f.Path("alpha/one/"));
    EXPECT_FALSE(t.MakeSubFolder("child"));
    EXPECT_FALSE(QFileInfo::exists(f.Path("alpha/one")));
    EXPECT_FALSE(t.RemoveSelectedFolder());

    int dirChanges = 0;
    t.SetOnDirChanged([&](QObject *) { ++dirChanges; });
    EXPECT_TRUE(t.RefreshTree()); // falls back to the nearest existing parent
    EXPECT_EQ(t.Directory(), f.Path("alpha/"));
    EXPECT_EQ(dirChanges, 1);

    // A folder that cannot be read shows no subfolders (root reads everything, so only check
    // that nothing breaks there).
    QDir().mkpath(f.Path("locked/inside"));
    QFile::setPermissions(f.Path("locked"), QFileDevice::Permissions());
    ASSERT_TRUE(t.SelectPath(f.Root));
    QTreeWidgetItem *locked = nullptr;
    for (int i = 0; i < t.currentItem()->childCount(); ++i)
        if (t.currentItem()->child(i)->text(0) == "locked") locked = t.currentItem()->child(i);
    ASSERT_TRUE(locked);
    t.expandItem(locked);
    if (geteuid() != 0) {
        EXPECT_EQ(locked->childCount(), 0);
        EXPECT_FALSE(t.SelectPath(f.Path("locked/inside")));
        EXPECT_EQ(t.Directory(), f.Root); // the selection came back
    }
    QFile::setPermissions(f.Path("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(FolderTree, ColourFollowsTheEnabledState)
{
    TFolderTree t;
    EXPECT_EQ(t.GetColor(), clWindow);
    t.SetColor(clAqua);
    EXPECT_EQ(t.Color(), clAqua);
    t.SetEnabled(false);
    EXPECT_EQ(t.Color(), clBtnFace);
    t.SetEnabled(true);
    EXPECT_EQ(t.Color(), clAqua);
    EXPECT_EQ(t.palette().color(QPalette::Base), ToQColor(clAqua));

    // A stored black background becomes white when the form is loaded.
    TFolderTree loaded;
    loaded.BeginLoading();
    loaded.SetColor(clBlack);
    loaded.EndLoading();
    EXPECT_EQ(loaded.Color(), clWhite);
}

TEST(FolderTree, ABigFolderIsListedInOrder)
{
    TFolders f;
    const int n = 400; // the disk is shared: keep it small (bench/ takes the big ones)
    for (int i = n; i > 0; --i)
        ASSERT_TRUE(QDir().mkdir(f.Path("gamma/") + QStringLiteral("d%1").arg(i, 5, 10, QLatin1Char('0'))));
    TFolderTree t;
    ASSERT_TRUE(t.SelectPath(f.Path("gamma/d00150")));
    QTreeWidgetItem *gamma = t.currentItem()->parent();
    ASSERT_EQ(gamma->childCount(), n);
    EXPECT_EQ(gamma->child(0)->text(0), "d00001");
    EXPECT_EQ(gamma->child(n - 1)->text(0), QStringLiteral("d%1").arg(n, 5, 10, QLatin1Char('0')));
}

TEST(FolderTree, MouseAndKeysGoThroughTheControlsEvents)
{
    TFolders f;
    TFolderTree t;
    t.resize(300, 400);
    t.show();
    ASSERT_TRUE(t.SelectPath(f.Root));
    QTreeWidgetItem *top = t.currentItem();
    QStringList log;
    t.SetOnMouseDown(
        [&](QObject *, TMouseButton B, TShiftState, int, int) { log << QStringLiteral("down %1").arg(B); });
    t.SetOnClick([&](QObject *) { log << "click"; });
    t.SetOnDblClick([&](QObject *) { log << "dbl"; });
    t.SetOnDirChanged([&](QObject *) { log << "dir " + t.Directory(); });
    t.scrollToItem(top->child(1));
    const QPoint beta = t.visualItemRect(top->child(1)).center();
    QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, beta);
    EXPECT_EQ(t.Directory(), f.Path("Beta/"));
    EXPECT_EQ(log, QStringList({"down 0", "click", "dir " + f.Path("Beta/")})); // one OnClick per change
    log.clear();
    QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, beta); // no change: no OnClick
    EXPECT_EQ(log, QStringList({"down 0"}));

    // A key the handler swallows does not move the selection; others do.
    t.SetOnKeyDown([](QObject *, quint16 &Key, TShiftState) {
        if (Key == VK_DOWN) Key = 0;
    });
    QTest::keyClick(&t, Qt::Key_Down);
    EXPECT_EQ(t.Directory(), f.Path("Beta/"));
    QTest::keyClick(&t, Qt::Key_Up);
    EXPECT_EQ(t.Directory(), f.Path("alpha/"));
}
