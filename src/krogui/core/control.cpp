#include <krogui/graphics/colors.h>
#include <krogui/core/control.h>
#include <krogui/core/keys.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace kro {

namespace {
// A shifted sign of the main keyboard implies Shift; the same sign on the numeric pad does not.
TShiftState KeyShiftState(const QKeyEvent *Event)
{
    TShiftState shift = ShiftStateFromQt(Event->modifiers());
    if (QtKeyImpliesShift(Event->key()) && !(Event->modifiers() & Qt::KeypadModifier))
        shift |= ssShift;
    return shift;
}
} // namespace

TControl::TControl(QWidget *Parent) : QWidget(Parent), TComponentBase(this)
{
    FSettingParentFont = true;
    FFont.SetName(DefaultFontName());
    FFont.SetSize(8);
    FSettingParentFont = false;
    FFont.SetOnChange([this] {
        if (!FSettingParentFont)
            FParentFont = false;
        FontChanged();
    });
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(FDesignSize);
}

TControl::~TControl() = default;

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, std::max(0, AWidth), std::max(0, AHeight));
    // Qt holds back resize events of a hidden widget until it is shown; the control's caches
    // must follow its size at once.
    SyncSize();
}

void TControl::SetEnabled(bool Value)
{
    if (Value == isEnabled())
        return;
    setEnabled(Value);
    Invalidate();
}

void TControl::SetVisible(bool Value)
{
    FVisible = Value;
    // A control without a parent would become a window of its own; it only remembers the wish.
    if (parentWidget() || !Value)
        setVisible(Value);
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Invalidate();
}

void TControl::SetParentFont(bool Value)
{
    FParentFont = Value;
    if (Value && parentWidget()) {
        FSettingParentFont = true;
        const TColor c = FFont.Color();
        FFont.AssignQFont(parentWidget()->font());
        FFont.SetColor(c);
        FSettingParentFont = false;
    }
}

void TControl::SetHint(const QString &Value)
{
    FHint = Value;
    setToolTip(FShowHint ? FHint : QString());
    setAccessibleDescription(FHint);
}

void TControl::SetShowHint(bool Value)
{
    FShowHint = Value;
    setToolTip(FShowHint ? FHint : QString());
}

void TControl::SetDesignSize(int W, int H)
{
    FDesignSize = QSize(std::max(1, W), std::max(1, H));
    resize(FDesignSize);
    updateGeometry();
}

void TControl::FontChanged() { Invalidate(); }

void TControl::Invalidate()
{
    FStale = true;
    update();
}

void TControl::SyncSize()
{
    if (size() == FResizedTo)
        return;
    FResizedTo = size();
    FStale = true;
    SafeInvoke([this] {
        Resize();
        if (FOnResize)
            FOnResize(this);
    });
}

void TControl::Compose()
{
    if (FComposing)
        return; // a drawing event asked for a repaint while we paint: the result is current anyway
    SyncSize();
    FComposing = true;
    FSurface.SetSize(std::max(1, width()), std::max(1, height()));
    FStale = false;
    SafeInvoke([this] { Paint(); });
    FSurface.Canvas()->Flush();
    FShown = QImage();
    FComposing = false;
}

void TControl::Repaint()
{
    Compose();
    update();
}

const QImage &TControl::Surface()
{
    SyncSize();
    if (FStale || FSurface.Width() != std::max(1, width()) || FSurface.Height() != std::max(1, height()))
        Compose();
    return FSurface.Image();
}

void TControl::Paint()
{
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(0, 0, width(), height());
}

void TControl::SetOutputMask(const QImage &Mask)
{
    FOutputMask = Mask;
    FShown = QImage();
    setAttribute(Qt::WA_OpaquePaintEvent, Mask.isNull());
    update();
}

void TControl::paintEvent(QPaintEvent *)
{
    const QImage &surface = Surface();
    QPainter p(this);
    if (FOutputMask.isNull()) {
        p.drawImage(0, 0, surface);
        return;
    }
    if (FShown.isNull() || FShown.size() != surface.size()) {
        FShown = surface.convertToFormat(QImage::Format_ARGB32);
        const QImage mask = FOutputMask.convertToFormat(QImage::Format_Mono);
        for (int y = 0; y < FShown.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(FShown.scanLine(y));
            for (int x = 0; x < FShown.width(); ++x)
                if (x >= mask.width() || y >= mask.height() || mask.pixelIndex(x, y) == 0)
                    line[x] = 0;
        }
    }
    p.drawImage(0, 0, FShown);
}

void TControl::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    FStale = true;
    SyncSize();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseDown)
        FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseUp)
        FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FOnMouseMove)
        FOnMouseMove(this, Shift, X, Y);
}

void TControl::Click()
{
    if (FOnClick)
        FOnClick(this);
}

void TControl::DblClick()
{
    if (FOnDblClick)
        FOnDblClick(this);
}

void TControl::KeyDown(quint16 &Key, TShiftState Shift)
{
    if (FOnKeyDown)
        FOnKeyDown(this, Key, Shift);
}

void TControl::KeyUp(quint16 &Key, TShiftState Shift)
{
    if (FOnKeyUp)
        FOnKeyUp(this, Key, Shift);
}

void TControl::KeyPress(QChar &Key)
{
    if (FOnKeyPress)
        FOnKeyPress(this, Key);
}

void TControl::DoEnter()
{
    if (FOnEnter)
        FOnEnter(this);
}

void TControl::DoExit()
{
    if (FOnExit)
        FOnExit(this);
}

bool TControl::DoMouseWheel(TShiftState, int, int, int) { return false; }

void TControl::mousePressEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    FPressedInside = Event->button() == Qt::LeftButton;
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    SafeInvoke([&] { MouseDown(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y()); });
    Event->accept();
}

void TControl::mouseReleaseEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    const bool click = Event->button() == Qt::LeftButton && FPressedInside && rect().contains(pos);
    if (Event->button() == Qt::LeftButton)
        FPressedInside = false;
    SafeInvoke([&] {
        if (click)
            Click();
        MouseUp(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y());
    });
    Event->accept();
}

void TControl::mouseDoubleClickEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    // The release that ends a double click is no click of its own.
    FPressedInside = false;
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons()) | ssDouble;
    SafeInvoke([&] {
        if (Event->button() == Qt::LeftButton)
            DblClick();
        MouseDown(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y());
    });
    Event->accept();
}

void TControl::mouseMoveEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    SafeInvoke([&] { MouseMove(shift, pos.x(), pos.y()); });
}

void TControl::keyPressEvent(QKeyEvent *Event)
{
    quint16 key = VirtualKeyFromEvent(Event);
    const TShiftState shift = KeyShiftState(Event);
    bool handled = false;
    SafeInvoke([&] {
        if (key != 0) {
            KeyDown(key, shift);
            if (key == 0) {
                handled = true;
                return;
            }
        }
        const QString text = Event->text();
        if (!text.isEmpty() && !(Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            for (QChar ch : text) {
                QChar c = ch;
                KeyPress(c);
            }
            handled = true;
        }
    });
    if (handled)
        Event->accept();
    else
        QWidget::keyPressEvent(Event);
}

void TControl::keyReleaseEvent(QKeyEvent *Event)
{
    quint16 key = VirtualKeyFromEvent(Event);
    const TShiftState shift = KeyShiftState(Event);
    if (key != 0)
        SafeInvoke([&] { KeyUp(key, shift); });
    QWidget::keyReleaseEvent(Event);
}

void TControl::focusInEvent(QFocusEvent *Event)
{
    QWidget::focusInEvent(Event);
    SafeInvoke([this] { DoEnter(); });
}

void TControl::focusOutEvent(QFocusEvent *Event)
{
    QWidget::focusOutEvent(Event);
    SafeInvoke([this] { DoExit(); });
}

void TControl::wheelEvent(QWheelEvent *Event)
{
    FWheelAccum += Event->angleDelta().y();
    const QPoint pos = Event->position().toPoint();
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    bool handled = false;
    while (std::abs(FWheelAccum) >= 120) {
        const int step = FWheelAccum > 0 ? 120 : -120;
        FWheelAccum -= step;
        SafeInvoke([&] { handled = DoMouseWheel(shift, step, pos.x(), pos.y()) || handled; });
    }
    if (handled)
        Event->accept();
    else
        QWidget::wheelEvent(Event);
}

void TControl::enterEvent(QEnterEvent *Event)
{
    QWidget::enterEvent(Event);
    SafeInvoke([this] { MouseEnter(); });
}

void TControl::leaveEvent(QEvent *Event)
{
    QWidget::leaveEvent(Event);
    SafeInvoke([this] { MouseLeave(); });
}

void TControl::changeEvent(QEvent *Event)
{
    QWidget::changeEvent(Event);
    if ((Event->type() == QEvent::ParentChange || Event->type() == QEvent::FontChange) && FParentFont &&
        parentWidget()) {
        FSettingParentFont = true;
        const TColor c = FFont.Color();
        FFont.AssignQFont(parentWidget()->font());
        FFont.SetColor(c);
        FSettingParentFont = false;
    } else if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::EnabledChange) {
        Invalidate();
    }
}

TGraphicControl::TGraphicControl(QWidget *Parent) : TControl(Parent) { setFocusPolicy(Qt::NoFocus); }

TCustomControl::TCustomControl(QWidget *Parent) : TControl(Parent) { setFocusPolicy(Qt::StrongFocus); }

} // namespace kro
