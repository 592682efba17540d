#pragma once
// TFolderTree: a tree of the file system's folders, read lazily as nodes are expanded.

#include <krogui/core/component.h>
#include <krogui/core/controlcore.h>

#include <QStringList>
#include <QTreeWidget>

#include <memory>

namespace kro {

/// The value a node's data holds once its subfolders have been read.
constexpr quint32 kFolderLoadedMarker = 0xA5F016ED;
/// The text of the placeholder child that gives an unread folder its expand button.
inline QString FolderPlaceholderText()
{
    return QStringLiteral("Child");
}

struct TFolderTreePrivate;

/// A tree view of the folders of the file system. The root is the file system's root ("/", or the
/// drive of the current folder on Windows); a folder's subfolders are read when its node is
/// expanded for the first time (folders whose names begin with "." are not shown). A node's path is
/// the texts from the root down joined with "/", with a trailing "/". Directory holds the path of the
/// selected folder; SelectPath selects a folder by its path, MakeSubFolder creates a folder below
/// the selected one and RemoveSelectedFolder removes the selected folder when it is empty.
///
/// Folders that cannot be read show no subfolders. Paths compare case-sensitively where the file
/// system does (not on Windows).
class KROGUI_EXPORT TFolderTree : public QTreeWidget, public TComponentBase, public TControlCore
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ ColorStored WRITE SetColor)
    Q_PROPERTY(QFont Font READ FontStored WRITE SetFont)
    Q_PROPERTY(QColor FontColor READ FontColorStored WRITE SetFontColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool OldTreeStyle READ OldTreeStyle WRITE SetOldTreeStyle)
    Q_PROPERTY(QString Directory READ Directory NOTIFY DirectoryChanged STORED false USER true)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)

public:
    explicit TFolderTree(QWidget *Parent = nullptr);
    ~TFolderTree() override;

    /// The selected folder's path with a trailing "/" (the root's path after Reset; empty when a
    /// rebuild left no node selected).
    QString Directory() const;
    /// The root's path: "/" here, the current folder's drive (such as "C:/") on Windows.
    static QString RootPath();

    /// Background colour (default clWindow). Kept and shown again when the control is enabled;
    /// a disabled tree shows clBtnFace.
    TColor GetColor() const { return Color(); }
    void SetColor(TColor Value) override;
    using TControlCore::SetColor;
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool Value) { setEnabled(Value); }
    /// Stored only (default true).
    bool OldTreeStyle() const;
    void SetOldTreeStyle(bool Value);

    /// Rebuilds the tree: only the root, collapsed, with Directory set to the root's path.
    void Reset();
    /// Selects the folder Path (absolute, or relative to the current folder; "." and ".." parts
    /// are resolved), reading every folder on the way, and takes the focus. False, with the tree and
    /// selection unchanged, when the folder does not exist or has no node (a hidden folder, a folder
    /// that cannot be read on the way, another drive).
    bool SelectPath(const QString &Path);
    /// Selects Directory again after re-reading the tree; when that folder is gone, the nearest
    /// existing parent. Returns whether a folder was selected.
    bool RefreshTree();
    /// Creates the folder FolderName inside the selected folder and selects it. FolderName must be
    /// one plain name (see IsPlainFolderName): separators, "..", hidden names and the characters
    /// " < > | are refused. An existing folder of that name is selected. Returns false, with the
    /// reason in LastError(), when nothing is selected, the name is refused or the folder cannot be
    /// made.
    bool MakeSubFolder(const QString &FolderName);
    /// Removes the selected folder when it is empty (never the root, never a link, never anything
    /// inside it) and selects its parent. Returns whether the folder was removed.
    bool RemoveSelectedFolder();
    /// Why the last MakeSubFolder or RemoveSelectedFolder failed (empty after success).
    QString LastError() const;

    /// Appends the subfolder names of the folder Path to DirList (not cleared first) and returns
    /// whether DirList then holds any entry; false when the folder does not exist.
    bool GetSubDirs(const QString &Path, QStringList &DirList) const;
    bool GetSubDirs(const QTreeWidgetItem *Node, QStringList &DirList) const;
    /// The path of Node, with a trailing "/".
    QString PathOfNode(const QTreeWidgetItem *Node) const;
    /// The root node (nullptr only while a rebuild runs).
    QTreeWidgetItem *RootNode() const;
    /// True when the subfolders of Node have been read.
    static bool IsLoaded(const QTreeWidgetItem *Node);

    // ---- events ----
    /// Directory changed (after a selection change, Reset or RefreshTree).
    void SetOnDirChanged(TNotifyEvent H);
    const TNotifyEvent &OnDirChanged() const;
    /// The selected node changed (after Directory was updated). OnClick fires on every selection
    /// change too, before Directory is updated (not for mouse clicks that change nothing).
    void SetOnChange(TNotifyEvent H);
    const TNotifyEvent &OnChange() const;

    QSize sizeHint() const override { return QSize(121, 97); }
    /// Assistive tools see a tree; its description is the selected folder.
    QAccessible::Role AccessibleRole() const override;

    /// Room for three rows of a short folder name below the root, with the frame.
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The events as signals, emitted right after the handler whether or not one is set.
    void onDirChanged(QObject *Sender);
    void onChange(QObject *Sender);
    /// Directory changed; emitted with OnDirChanged.
    void DirectoryChanged(const QString &Directory);

protected:
    /// After a form set all properties: a black colour becomes white, and the tree collapses.
    void Loaded() override;
    /// Reads the subfolders of Node unless they were read already (nothing in design mode).
    virtual void Expanding(QTreeWidgetItem *Node);
    /// The selection changed: OnClick, Directory, OnChange, OnDirChanged.
    virtual void Change(QTreeWidgetItem *Node);

    /// Mouse clicks do not fire OnClick: a selection change does.
    void Click() override {}
    void ColorChanged() override;
    void FontChanged() override;

    void changeEvent(QEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void wheelEvent(QWheelEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;

    // ---- the core events as signals, emitted right after the handler (see coresignals.h) ----
Q_SIGNALS:
    void onClick(QObject *Sender);
    void onDblClick(QObject *Sender);
    void onMouseDown(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseUp(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseMove(QObject *Sender, kro::TShiftState Shift, int X, int Y);
    void onMouseEnter(QObject *Sender);
    void onMouseLeave(QObject *Sender);
    void onResize(QObject *Sender);
    /// Key may be changed by a directly connected slot (0 swallows the key).
    void onKeyDown(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    void onKeyUp(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    /// Key may be changed by a directly connected slot (QChar() swallows it).
    void onKeyPress(QObject *Sender, QChar &Key);
    void onEnter(QObject *Sender);
    void onExit(QObject *Sender);
    void onStartDrag(QObject *Sender, QMimeData &DragObject);
    /// Accept comes preset to true; a directly connected slot may refuse the drop.
    void onDragOver(QObject *Sender, QObject *Source, int X, int Y, kro::TDragState State, bool &Accept);
    void onDragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void onEndDrag(QObject *Sender, QObject *Target, int X, int Y);

protected:
    void connectNotify(const QMetaMethod &Signal) override;

private:
    void Rebuild();
    QTreeWidgetItem *Walk(const QStringList &Parts);
    bool SplitPath(const QString &Path, QStringList &Parts) const;
    void ApplyColor();
    void FireDirChanged();
    void FireChange();
    void UpdateAccessibleDescription();
    std::unique_ptr<TFolderTreePrivate> const d;
};

} // namespace kro
