#pragma once
// TSpeedButton: the classic tool-bar button on a QAbstractButton. It takes no focus, shows a
// glyph and a caption, can be flat (a face only under the mouse or while down), and with a
// GroupIndex it stays down after a click and groups with its siblings of the same index
// (exactly one down, unless AllowAllUp).

#include <krogui/core/component.h>
#include <krogui/core/controlcore.h>

#include <QAbstractButton>
#include <QPixmap>

#include <memory>

namespace kro {

struct TSpeedButtonPrivate;

class KROGUI_EXPORT TSpeedButton : public QAbstractButton, public TComponentBase, public TControlCore
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE SetDown NOTIFY DownChanged USER true)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(QPixmap Glyph READ Glyph WRITE SetGlyph)
public:
    /// A 23 x 22 button without caption or glyph.
    explicit TSpeedButton(QWidget *Parent = nullptr);
    ~TSpeedButton() override;

    QString Caption() const { return text(); }
    void SetCaption(const QString &Value);
    /// 0: a plain button that pops up again; otherwise it stays down after a click and releases
    /// the siblings with the same index.
    int GroupIndex() const;
    void SetGroupIndex(int Value);
    /// Down state of a grouped button (always false while GroupIndex is 0).
    bool Down() const;
    void SetDown(bool Value);
    /// Whether a click on the down button of a group may release it.
    bool AllowAllUp() const;
    void SetAllowAllUp(bool Value);
    /// No face or border except under the mouse or while down.
    bool Flat() const;
    void SetFlat(bool Value);
    QPixmap Glyph() const;
    void SetGlyph(const QPixmap &Value);

    /// The group message: a sibling of group AGroupIndex went down.
    void ButtonPressed(int AGroupIndex, TSpeedButton *Sender);

    /// 23 x 22, or wider and taller where the caption and the glyph need it.
    QSize sizeHint() const override;
    /// As sizeHint: smaller would cut the caption or the glyph.
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// Down changed (by a click, a group member, GroupIndex or the setter).
    void DownChanged(bool Value);

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void nextCheckState() override;


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
    void UpdateExclusive();
    std::unique_ptr<TSpeedButtonPrivate> const d;
};

} // namespace kro
