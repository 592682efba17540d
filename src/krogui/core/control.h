#pragma once
// The control bases: a widget with the framework's paint model and input routing.
//
// Paint model: Paint() composes the whole picture on the control's surface (an off-screen
// bitmap of the control's size, reached through Canvas()). The control keeps the finished surface;
// paintEvent copies it to the screen, composing it first when it is missing or stale (resized,
// invalidated). A setter that "repaints" calls Repaint(); one that "invalidates" calls
// Invalidate(). With an output mask set, only the mask's pixels are copied and the parent shows
// through everywhere else (transparent controls).
//
// Events, input handlers, colour, font, hint and bounds come from TControlCore (controlcore.h),
// which every krogui control shares whatever its Qt base.

#include <krogui/core/component.h>
#include <krogui/core/controlcore.h>
#include <krogui/graphics/bitmap.h>

#include <QWidget>

namespace kro {

struct TControlPrivate;

class KROGUI_EXPORT TControl : public QWidget, public TComponentBase, public TControlCore
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ ColorStored WRITE SetColor)
    Q_PROPERTY(QFont Font READ FontStored WRITE SetFont)
    Q_PROPERTY(QColor FontColor READ FontColorStored WRITE SetFontColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(kro::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(Qt::CursorShape DragCursor READ DragCursor WRITE SetDragCursor)
public:
    explicit TControl(QWidget *Parent = nullptr);
    ~TControl() override;

    /// Moves and sizes the control (negative sizes count as 0); Resize and OnResize run at once,
    /// also for a hidden control.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool Enabled() const { return isEnabled(); }
    virtual void SetEnabled(bool Value);

    // ---- painting ----
    /// Marks the surface stale; it is composed again before the next paint on screen.
    void Invalidate();
    /// Composes the surface now (calls Paint) and shows it.
    void Repaint();
    void Refresh() { Repaint(); }
    /// The kept surface at one pixel per logical pixel, composed first when stale (tests read it).
    /// On a screen with a device pixel ratio above 1 this is the top-left pixel of every block of
    /// the DeviceSurface.
    const QImage &Surface();
    /// The kept surface in device pixels (its devicePixelRatio is SurfaceScale()).
    const QImage &DeviceSurface();
    /// Device pixels per logical pixel of the surface: the widget's device pixel ratio rounded
    /// up, 1 to 4.
    int SurfaceScale() const;
    /// The canvas of the surface; valid inside Paint and afterwards.
    TCanvas *Canvas();

    QSize sizeHint() const override;
    /// Room for a frame and one character of the control's font, at most the design size;
    /// controls with a content of their own refine it.
    QSize minimumSizeHint() const override;

protected:
    /// Composes the picture on Canvas(); the default fills it with Color.
    virtual void Paint();
    /// The control's own reaction to a size change (caches, centring); OnResize runs after it.
    virtual void Resize() {}
    /// The default invalidates.
    void FontChanged() override;
    void ColorChanged() override;

    /// Only the pixels where Mask is 1 are shown; the parent shows through elsewhere. A null
    /// image makes the control opaque again. The mask must have the surface's size.
    void SetOutputMask(const QImage &Mask);
    void ClearOutputMask() { SetOutputMask(QImage()); }
    /// The size the constructor gives (also the size hint).
    void SetDesignSize(int W, int H);

    void paintEvent(QPaintEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void wheelEvent(QWheelEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    bool event(QEvent *Event) override;
    void dragEnterEvent(QDragEnterEvent *Event) override;
    void dragMoveEvent(QDragMoveEvent *Event) override;
    void dragLeaveEvent(QDragLeaveEvent *Event) override;
    void dropEvent(QDropEvent *Event) override;


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
    void Compose();
    /// Runs Resize and OnResize when the size differs from the one they last saw.
    void SyncSize();
    std::unique_ptr<TControlPrivate> const d;
};

/// A control without keyboard focus.
class KROGUI_EXPORT TGraphicControl : public TControl
{
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget *Parent = nullptr);
};

/// A control that takes keyboard focus.
class KROGUI_EXPORT TCustomControl : public TControl
{
    Q_OBJECT
public:
    explicit TCustomControl(QWidget *Parent = nullptr);
};

} // namespace kro
