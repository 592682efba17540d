#pragma once
// The control bases: a widget with the framework's paint model and input routing.
//
// Paint model: Paint() composes the whole picture on the control's surface (an off-screen
// bitmap of the control's size, reached through Canvas()). The control keeps the finished surface;
// paintEvent copies it to the screen, composing it first when it is missing or stale (resized,
// invalidated). A setter that "repaints" calls Repaint(); one that "invalidates" calls
// Invalidate(). With an output mask set, only the mask's pixels are copied and the parent shows
// through everywhere else (transparent controls).

#include <krogui/graphics/bitmap.h>
#include <krogui/core/component.h>

#include <QWidget>

namespace kro {

class KROGUI_EXPORT TControl : public QWidget, public TComponentBase
{
    Q_OBJECT
    Q_PROPERTY(kro::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
public:
    explicit TControl(QWidget *Parent = nullptr);
    ~TControl() override;

    // ---- geometry and state as the framework names them ----
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int Value) { SetBounds(Value, Top(), Width(), Height()); }
    void SetTop(int Value) { SetBounds(Left(), Value, Width(), Height()); }
    void SetWidth(int Value) { SetBounds(Left(), Top(), Value, Height()); }
    void SetHeight(int Value) { SetBounds(Left(), Top(), Width(), Value); }
    /// Moves and sizes the control (negative sizes count as 0).
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    bool Enabled() const { return isEnabled(); }
    virtual void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    /// Background colour (TColor; system colours follow the palette).
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor Value);
    /// The control's font; changing it invalidates the control and clears ParentFont.
    TFont *Font() { return &FFont; }
    const TFont *Font() const { return &FFont; }
    void SetFont(const TFont &Value) { FFont.Assign(Value); }
    /// When true the font follows the parent widget's font (off by default: the controls set their own).
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    QString Hint() const { return FHint; }
    void SetHint(const QString &Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    Qt::CursorShape Cursor() const { return cursor().shape(); }
    void SetCursor(Qt::CursorShape Value) { setCursor(Value); }

    // ---- painting ----
    /// Marks the surface stale; it is composed again before the next paint on screen.
    void Invalidate();
    /// Composes the surface now (calls Paint) and shows it.
    void Repaint();
    void Refresh() { Repaint(); }
    /// The kept surface, composed first when stale (tests read it).
    const QImage &Surface();
    /// The canvas of the surface; valid inside Paint and afterwards.
    TCanvas *Canvas() { return FSurface.Canvas(); }

    // ---- events ----
    void SetOnClick(TNotifyEvent H) { FOnClick = std::move(H); }
    const TNotifyEvent &OnClick() const { return FOnClick; }
    void SetOnDblClick(TNotifyEvent H) { FOnDblClick = std::move(H); }
    const TNotifyEvent &OnDblClick() const { return FOnDblClick; }
    void SetOnMouseDown(TMouseEvent H) { FOnMouseDown = std::move(H); }
    const TMouseEvent &OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseUp(TMouseEvent H) { FOnMouseUp = std::move(H); }
    const TMouseEvent &OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseMove(TMouseMoveEvent H) { FOnMouseMove = std::move(H); }
    const TMouseMoveEvent &OnMouseMove() const { return FOnMouseMove; }
    /// Called after a size change, in addition to the control's own Resize handling.
    void SetOnResize(TNotifyEvent H) { FOnResize = std::move(H); }
    const TNotifyEvent &OnResize() const { return FOnResize; }
    void SetOnKeyDown(TKeyEvent H) { FOnKeyDown = std::move(H); }
    const TKeyEvent &OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyUp(TKeyEvent H) { FOnKeyUp = std::move(H); }
    const TKeyEvent &OnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyPress(TKeyPressEvent H) { FOnKeyPress = std::move(H); }
    const TKeyPressEvent &OnKeyPress() const { return FOnKeyPress; }
    void SetOnEnter(TNotifyEvent H) { FOnEnter = std::move(H); }
    void SetOnExit(TNotifyEvent H) { FOnExit = std::move(H); }

    QSize sizeHint() const override { return FDesignSize; }
    QSize minimumSizeHint() const override { return QSize(1, 1); }

protected:
    /// Composes the picture on Canvas(); the default fills it with Color.
    virtual void Paint();
    /// The control's own reaction to a size change (caches, centring); OnResize runs after it.
    virtual void Resize() {}
    /// Mouse input in the framework's terms; the defaults fire the events.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    /// The mouse left the control.
    virtual void MouseLeave() {}
    virtual void MouseEnter() {}
    /// Keyboard input (a focusable control only). Setting Key to 0 swallows it.
    virtual void KeyDown(quint16 &Key, TShiftState Shift);
    virtual void KeyUp(quint16 &Key, TShiftState Shift);
    /// A character typed; setting Key to QChar() swallows it.
    virtual void KeyPress(QChar &Key);
    virtual void DoEnter();
    virtual void DoExit();
    /// Wheel steps (one per notch); return true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);
    /// The font changed (own or inherited); the default invalidates.
    virtual void FontChanged();

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

    TNotifyEvent FOnClick, FOnDblClick, FOnResize, FOnEnter, FOnExit;
    TMouseEvent FOnMouseDown, FOnMouseUp;
    TMouseMoveEvent FOnMouseMove;
    TKeyEvent FOnKeyDown, FOnKeyUp;
    TKeyPressEvent FOnKeyPress;

private:
    void Compose();
    /// Runs Resize and OnResize when the size differs from the one they last saw.
    void SyncSize();
    TBitmap FSurface;
    QImage FOutputMask;
    QImage FShown; // surface with the mask applied as alpha
    bool FStale = true;
    bool FVisible = true;
    bool FComposing = false;
    bool FPressedInside = false;
    TColor FColor = clBtnFace;
    TFont FFont;
    bool FParentFont = false;
    bool FSettingParentFont = false;
    QString FHint;
    bool FShowHint = false;
    QSize FDesignSize{100, 50};
    QSize FResizedTo; // the size Resize last ran for
    int FWheelAccum = 0;
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
