#include <krogui/browse/folderscan.h>
#include <krogui/browse/foldertree.h>
#include <krogui/core/strutil.h>
#include <krogui/graphics/colors.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QWheelEvent>

namespace kro {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

// The hourglass while folders are read.
struct TBusyCursor
{
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};

// Counts nested rebuilds; selection changes while one runs are not reported.
struct TRebuilding
{
    int &Depth;
    explicit TRebuilding(int &D) : Depth(D) { ++Depth; }
    ~TRebuilding() { --Depth; }
};

} // namespace

struct TFolderTreePrivate
{
    QString FDirectory;
    TColor FColorBak = clWindow;
    bool FUseOldStyle = true;
    int FRebuilding = 0;
    bool FWalking = false;
    QString FLastError;
    TNotifyEvent FOnDirChange, FOnChange;
};

TFolderTree::TFolderTree(QWidget *Parent)
    : QTreeWidget(Parent), TComponentBase(this), TControlCore(this, clWindow),
      d(std::make_unique<TFolderTreePrivate>())
{
    BindCoreSignals(this, [this](const QMetaMethod &S) { return isSignalConnected(S); });
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setMouseTracking(true);
    resize(sizeHint());
    setAccessibleName(tr("Folder tree"));
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *Node) {
        if (!d->FWalking) SafeInvoke([&] { Expanding(Node); });
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *Node, QTreeWidgetItem *) {
        if (!d->FRebuilding) SafeInvoke([&] { Change(Node); });
    });
    AdoptFont(font());
    ColorChanged();
    Reset();
}

TFolderTree::~TFolderTree()
{
    // Deleting the items would report selection changes to a half-destroyed control.
    d->FRebuilding++;
    blockSignals(true);
}

// ---- properties ---------------------------------------------------------------------------------

QString TFolderTree::Directory() const
{
    return d->FDirectory;
}

QAccessible::Role TFolderTree::AccessibleRole() const
{
    return QAccessible::Tree;
}

QSize TFolderTree::minimumSizeHint() const
{
    const QFontMetrics fm(font());
    // The scroll bars may show at this size: room for them too.
    const int frame = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int row = std::max(fm.height(), 16) + 2;
    return QSize(frame + 2 * indentation() + fm.horizontalAdvance(QStringLiteral("Folder")), frame + 3 * row);
}

QString TFolderTree::RootPath()
{
#ifdef Q_OS_WIN
    return QDir::currentPath().left(1) + QStringLiteral(":/");
#else
    return QStringLiteral("/");
#endif
}

void TFolderTree::SetColor(TColor Value)
{
    d->FColorBak = Value;
    ApplyColor();
}

void TFolderTree::ApplyColor()
{
    TControlCore::SetColor(isEnabled() ? d->FColorBak : clBtnFace);
}

void TFolderTree::ColorChanged()
{
    QPalette pal = palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(g, QPalette::Base, ToQColor(Color()));
    setPalette(pal);
}

void TFolderTree::FontChanged()
{
    // Following the parent, the tree takes Qt's inherited font again (and so hears of its changes).
    if (ParentFont()) {
        if (font().resolveMask() != 0) setFont(QFont());
        return;
    }
    QFont f = Font()->ToQFont();
    if (f != font() || font().resolveMask() == 0) setFont(f);
}

bool TFolderTree::OldTreeStyle() const
{
    return d->FUseOldStyle;
}
void TFolderTree::SetOldTreeStyle(bool Value)
{
    d->FUseOldStyle = Value;
}
QString TFolderTree::LastError() const
{
    return d->FLastError;
}

void TFolderTree::UpdateAccessibleDescription()
{
    setAccessibleDescription(d->FDirectory);
}

void TFolderTree::Loaded()
{
    if (d->FColorBak == clBlack) d->FColorBak = clWhite;
    ApplyColor();
    collapseAll();
}

void TFolderTree::changeEvent(QEvent *Event)
{
    QTreeWidget::changeEvent(Event);
    FontEvent(Event);
    if (Event->type() == QEvent::EnabledChange) ApplyColor();
}

// ---- nodes ----------------------------------------------------------------------------------------

QTreeWidgetItem *TFolderTree::RootNode() const
{
    return topLevelItemCount() ? topLevelItem(0) : nullptr;
}

bool TFolderTree::IsLoaded(const QTreeWidgetItem *Node)
{
    return Node && Node->data(0, Qt::UserRole).toUInt() == kFolderLoadedMarker;
}

QString TFolderTree::PathOfNode(const QTreeWidgetItem *Node) const
{
    if (!Node) return QString();
    QStringList parts;
    for (const QTreeWidgetItem *n = Node; n; n = n->parent())
        parts.prepend(n->text(0));
    QString path;
    for (const QString &p : parts)
        path += WithTrailingSlash(p);
    return path;
}

void TFolderTree::Rebuild()
{
    TRebuilding guard(d->FRebuilding);
    clear();
    auto *root = new QTreeWidgetItem(QStringList(RootPath()));
    root->addChild(new QTreeWidgetItem(QStringList(FolderPlaceholderText())));
    addTopLevelItem(root);
}

void TFolderTree::Expanding(QTreeWidgetItem *Node)
{
    if (!Node || IsDesigning() || IsLoaded(Node)) return;
    TBusyCursor busy;
    std::vector<TSubFolder> list;
    ReadSubFolders(PathOfNode(Node), list);
    const QList<QTreeWidgetItem *> old = Node->takeChildren();
    qDeleteAll(old);
    if (list.empty()) return;
    Node->setData(0, Qt::UserRole, kFolderLoadedMarker);
    QList<QTreeWidgetItem *> children;
    children.reserve(qsizetype(list.size()));
    for (const TSubFolder &f : list) {
        auto *child = new QTreeWidgetItem(QStringList(f.Name));
        if (f.HasSubFolders) child->addChild(new QTreeWidgetItem(QStringList(FolderPlaceholderText())));
        children.append(child);
    }
    Node->addChildren(children);
}

void TFolderTree::Change(QTreeWidgetItem *Node)
{
    SafeInvoke([this] { TControlCore::Click(); }); // the handler and onClick
    const QString old = d->FDirectory;
    d->FDirectory = PathOfNode(Node);
    UpdateAccessibleDescription();
    FireChange();
    if (d->FDirectory != old) FireDirChanged();
}

// ---- paths ----------------------------------------------------------------------------------------

bool TFolderTree::SplitPath(const QString &Path, QStringList &Parts) const
{
    Parts.clear();
    if (Path.trimmed().isEmpty()) return false;
    const QString abs = QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(Path)).absoluteFilePath());
    const QString root = RootPath();
    if (!WithTrailingSlash(abs).startsWith(root, kPathCase)) return false; // another drive
    Parts = abs.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &p : Parts)
        if (p.startsWith(QLatin1Char('.'))) return false; // hidden folders have no node
    return true;
}

QTreeWidgetItem *TFolderTree::Walk(const QStringList &Parts)
{
    QTreeWidgetItem *node = RootNode();
    d->FWalking = true;
    struct TDone
    {
        bool &Flag;
        ~TDone() { Flag = false; }
    } done{d->FWalking};
    for (qsizetype i = 0; node; ++i) {
        Expanding(node);
        node->setExpanded(true);
        if (i == Parts.size()) break;
        QTreeWidgetItem *next = nullptr;
        for (int c = 0; c < node->childCount() && !next; ++c)
            if (node->child(c)->text(0).compare(Parts[i], kPathCase) == 0) next = node->child(c);
        node = next;
    }
    return node;
}

void TFolderTree::Reset()
{
    const QString old = d->FDirectory;
    d->FDirectory = RootPath();
    {
        TRebuilding guard(d->FRebuilding);
        Rebuild();
        collapseAll();
    }
    UpdateAccessibleDescription();
    if (d->FDirectory != old) FireDirChanged();
}

bool TFolderTree::SelectPath(const QString &Path)
{
    QStringList parts;
    if (!DirExists(Path) || !SplitPath(Path, parts)) return false;
    QTreeWidgetItem *node = nullptr;
    {
        TRebuilding guard(d->FRebuilding);
        Rebuild();
        node = Walk(parts);
        if (!node) {
            // A folder on the way could not be read (or vanished): put the old selection back.
            Rebuild();
            QStringList oldParts;
            if (SplitPath(d->FDirectory, oldParts))
                if (QTreeWidgetItem *back = Walk(oldParts)) setCurrentItem(back);
            return false;
        }
    }
    setCurrentItem(node);
    scrollToItem(node, QAbstractItemView::PositionAtCenter);
    setFocus();
    return true;
}

bool TFolderTree::RefreshTree()
{
    const QString remembered = d->FDirectory;
    bool ok = false;
    while (!(ok = SelectPath(d->FDirectory)) && !d->FDirectory.isEmpty())
        d->FDirectory = ParentDir(d->FDirectory);
    UpdateAccessibleDescription();
    if (d->FDirectory != remembered) FireDirChanged();
    return ok;
}

bool TFolderTree::MakeSubFolder(const QString &FolderName)
{
    d->FLastError.clear();
    QTreeWidgetItem *node = currentItem();
    QString reason;
    if (!node)
        reason = QStringLiteral("no folder is selected");
    else if (!IsPlainFolderName(FolderName, &reason))
        ;
    else if (!DirExists(PathOfNode(node)))
        reason = QStringLiteral("the selected folder no longer exists");
    if (!reason.isEmpty()) {
        d->FLastError = reason;
        return false;
    }
    const QString parent = PathOfNode(node);
    const QString target = parent + FolderName;
    const QFileInfo info(target);
    if (info.exists() || info.isSymLink()) {
        if (!info.isDir()) {
            d->FLastError = QStringLiteral("\"%1\" exists and is not a folder").arg(FolderName);
            return false;
        }
    } else if (!QDir(parent).mkdir(FolderName)) {
        d->FLastError = QStringLiteral("the folder \"%1\" cannot be created in %2").arg(FolderName, parent);
        return false;
    }
    SelectPath(target);
    return true;
}

bool TFolderTree::RemoveSelectedFolder()
{
    d->FLastError.clear();
    QTreeWidgetItem *node = currentItem();
    if (!node || !node->parent()) {
        d->FLastError =
            node ? QStringLiteral("the root cannot be removed") : QStringLiteral("no folder is selected");
        return false;
    }
    const QString path = PathOfNode(node);
    const QString parent = PathOfNode(node->parent());
    const QString bare = path.chopped(1);
    const QFileInfo info(bare);
    if (info.isSymLink()) {
        d->FLastError = QStringLiteral("%1 is a link, not a folder").arg(bare);
        return false;
    }
    if (!info.isDir()) {
        d->FLastError = QStringLiteral("%1 no longer exists").arg(bare);
        return false;
    }
    // rmdir removes an empty folder only; nothing inside is ever touched.
    if (!QDir().rmdir(bare)) {
        d->FLastError = QStringLiteral("%1 cannot be removed (not empty, or no permission)").arg(bare);
        return false;
    }
    if (!SelectPath(parent)) RefreshTree();
    return true;
}

bool TFolderTree::GetSubDirs(const QString &Path, QStringList &DirList) const
{
    if (!DirExists(Path)) return false;
    std::vector<TSubFolder> list;
    ReadSubFolders(Path, list);
    for (const TSubFolder &f : list)
        DirList.append(f.Name);
    return !DirList.isEmpty();
}

bool TFolderTree::GetSubDirs(const QTreeWidgetItem *Node, QStringList &DirList) const
{
    return Node && GetSubDirs(PathOfNode(Node), DirList);
}

// ---- events ---------------------------------------------------------------------------------------

void TFolderTree::FireDirChanged()
{
    SafeInvoke([this] {
        if (d->FOnDirChange) d->FOnDirChange(this);
        Q_EMIT onDirChanged(this);
        Q_EMIT DirectoryChanged(d->FDirectory);
    });
}

void TFolderTree::FireChange()
{
    SafeInvoke([this] {
        if (d->FOnChange) d->FOnChange(this);
        Q_EMIT onChange(this);
    });
}

void TFolderTree::SetOnDirChanged(TNotifyEvent H)
{
    d->FOnDirChange = std::move(H);
}
const TNotifyEvent &TFolderTree::OnDirChanged() const
{
    return d->FOnDirChange;
}
void TFolderTree::SetOnChange(TNotifyEvent H)
{
    d->FOnChange = std::move(H);
}
const TNotifyEvent &TFolderTree::OnChange() const
{
    return d->FOnChange;
}

// Input goes through the control core first; the tree view then does its own part (selecting,
// expanding, scrolling).
void TFolderTree::mousePressEvent(QMouseEvent *Event)
{
    Input().MousePress(Event);
    QTreeWidget::mousePressEvent(Event);
}

void TFolderTree::mouseReleaseEvent(QMouseEvent *Event)
{
    Input().MouseRelease(Event);
    QTreeWidget::mouseReleaseEvent(Event);
}

void TFolderTree::mouseDoubleClickEvent(QMouseEvent *Event)
{
    Input().MouseDoubleClick(Event);
    QTreeWidget::mouseDoubleClickEvent(Event);
}

void TFolderTree::mouseMoveEvent(QMouseEvent *Event)
{
    Input().MouseMove(Event);
    QTreeWidget::mouseMoveEvent(Event);
}

void TFolderTree::wheelEvent(QWheelEvent *Event)
{
    if (Input().Wheel(Event))
        Event->accept();
    else
        QTreeWidget::wheelEvent(Event);
}

void TFolderTree::keyPressEvent(QKeyEvent *Event)
{
    if (Input().KeyPress(Event).Swallowed)
        Event->accept();
    else
        QTreeWidget::keyPressEvent(Event);
}

void TFolderTree::keyReleaseEvent(QKeyEvent *Event)
{
    Input().KeyRelease(Event);
    QTreeWidget::keyReleaseEvent(Event);
}

void TFolderTree::focusInEvent(QFocusEvent *Event)
{
    QTreeWidget::focusInEvent(Event);
    Input().FocusIn();
}

void TFolderTree::focusOutEvent(QFocusEvent *Event)
{
    QTreeWidget::focusOutEvent(Event);
    Input().FocusOut();
}

void TFolderTree::enterEvent(QEnterEvent *Event)
{
    QTreeWidget::enterEvent(Event);
    Input().Enter();
}

void TFolderTree::leaveEvent(QEvent *Event)
{
    QTreeWidget::leaveEvent(Event);
    Input().Leave();
}

KRO_CORE_SIGNAL_LISTENERS(TFolderTree, QTreeWidget)

} // namespace kro
