#include <krogui/core/control.h>
#include <krogui/core/keptsurface.h>
#include <krogui/graphics/colors.h>

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kro {

struct TControlPrivate
{
    TKeptSurface FSurface;
    QSize FDesignSize{100, 50};
    QSize FResizedTo; // the size Resize last ran for
};

TControl::TControl(QWidget *Parent)
    : QWidget(Parent), TComponentBase(this), TControlCore(this), d(std::make_unique<TControlPrivate>())
{
    BindCoreSignals(this, [this](const QMetaMethod &S) { return isSignalConnected(S); });
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(d->FDesignSize);
}

TControl::~TControl() = default;

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControlCore::SetBounds(ALeft, ATop, AWidth, AHeight);
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

void TControl::SetDesignSize(int W, int H)
{
    d->FDesignSize = QSize(std::max(1, W), std::max(1, H));
    resize(d->FDesignSize);
    updateGeometry();
}

QSize TControl::sizeHint() const { return d->FDesignSize; }

QSize TControl::minimumSizeHint() const
{
    const QFontMetrics fm(Font()->ToQFont());
    return QSize(fm.averageCharWidth() + 4, fm.height() + 4).boundedTo(sizeHint());
}

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }

// ==== painting =====================================================================================

TCanvas *TControl::Canvas() { return d->FSurface.Canvas(); }

void TControl::Invalidate()
{
    d->FSurface.MarkStale();
    update();
}

void TControl::SyncSize()
{
    if (size() == d->FResizedTo)
        return;
    d->FResizedTo = size();
    d->FSurface.MarkStale();
    SafeInvoke([this] {
        Resize();
        DoResize();
    });
}

int TControl::SurfaceScale() const
{
    const double r = devicePixelRatioF();
    return std::clamp(int(std::ceil(r - 1e-6)), 1, 4);
}

void TControl::Compose()
{
    if (d->FSurface.IsComposing())
        return; // a drawing event asked for a repaint while we paint: the result is current anyway
    SyncSize();
    d->FSurface.SetScale(SurfaceScale());
    d->FSurface.Compose(width(), height(), [this] { SafeInvoke([this] { Paint(); }); });
}

void TControl::Repaint()
{
    Compose();
    update();
}

const QImage &TControl::Surface()
{
    DeviceSurface();
    return d->FSurface.Image();
}

const QImage &TControl::DeviceSurface()
{
    SyncSize();
    if (!d->FSurface.IsComposing()) d->FSurface.SetScale(SurfaceScale());
    if (d->FSurface.NeedsCompose(width(), height()))
        Compose();
    return d->FSurface.DeviceImage();
}

bool TControl::event(QEvent *Event)
{
    // Moved to a screen of another pixel density: the surface is composed again at its scale.
    if (Event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        || Event->type() == QEvent::DevicePixelRatioChange
#endif
    ) {
        if (!d->FSurface.IsComposing() && d->FSurface.Scale() != SurfaceScale()) {
            d->FSurface.SetScale(SurfaceScale());
            update();
        }
    }
    return QWidget::event(Event);
}

void TControl::Paint()
{
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(0, 0, width(), height());
}

void TControl::SetOutputMask(const QImage &Mask)
{
    d->FSurface.SetOutputMask(Mask);
    setAttribute(Qt::WA_OpaquePaintEvent, Mask.isNull());
    update();
}

void TControl::paintEvent(QPaintEvent *)
{
    DeviceSurface();
    QPainter p(this);
    // A fractional ratio (1.5) gets the surface of the next whole scale, reduced smoothly.
    if (devicePixelRatioF() != d->FSurface.Scale()) p.setRenderHint(QPainter::SmoothPixmapTransform);
    d->FSurface.PaintTo(p);
}

void TControl::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    d->FSurface.MarkStale();
    SyncSize();
}

// ==== input: everything goes through the core's router ============================================

void TControl::mousePressEvent(QMouseEvent *Event)
{
    Input().MousePress(Event);
    Event->accept();
}

void TControl::mouseReleaseEvent(QMouseEvent *Event)
{
    Input().MouseRelease(Event);
    Event->accept();
}

void TControl::mouseDoubleClickEvent(QMouseEvent *Event)
{
    Input().MouseDoubleClick(Event);
    Event->accept();
}

void TControl::mouseMoveEvent(QMouseEvent *Event) { Input().MouseMove(Event); }

void TControl::keyPressEvent(QKeyEvent *Event)
{
    const TInputRouter::TKeyResult r = Input().KeyPress(Event);
    if (r.Swallowed || r.Typed)
        Event->accept();
    else
        QWidget::keyPressEvent(Event);
}

void TControl::keyReleaseEvent(QKeyEvent *Event)
{
    Input().KeyRelease(Event);
    QWidget::keyReleaseEvent(Event);
}

void TControl::focusInEvent(QFocusEvent *Event)
{
    QWidget::focusInEvent(Event);
    Input().FocusIn();
}

void TControl::focusOutEvent(QFocusEvent *Event)
{
    QWidget::focusOutEvent(Event);
    Input().FocusOut();
}

void TControl::wheelEvent(QWheelEvent *Event)
{
    if (Input().Wheel(Event))
        Event->accept();
    else
        QWidget::wheelEvent(Event);
}

void TControl::enterEvent(QEnterEvent *Event)
{
    QWidget::enterEvent(Event);
    Input().Enter();
}

void TControl::leaveEvent(QEvent *Event)
{
    QWidget::leaveEvent(Event);
    Input().Leave();
}

void TControl::dragEnterEvent(QDragEnterEvent *Event)
{
    if (!Input().DragEnter(Event))
        QWidget::dragEnterEvent(Event);
}

void TControl::dragMoveEvent(QDragMoveEvent *Event)
{
    if (!Input().DragMove(Event))
        QWidget::dragMoveEvent(Event);
}

void TControl::dragLeaveEvent(QDragLeaveEvent *Event)
{
    if (!Input().DragLeave())
        QWidget::dragLeaveEvent(Event);
}

void TControl::dropEvent(QDropEvent *Event)
{
    if (!Input().Drop(Event))
        QWidget::dropEvent(Event);
}

void TControl::changeEvent(QEvent *Event)
{
    QWidget::changeEvent(Event);
    FontEvent(Event);
    if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::EnabledChange)
        Invalidate();
}

TGraphicControl::TGraphicControl(QWidget *Parent) : TControl(Parent) { setFocusPolicy(Qt::NoFocus); }

TCustomControl::TCustomControl(QWidget *Parent) : TControl(Parent) { setFocusPolicy(Qt::StrongFocus); }

KRO_CORE_SIGNAL_LISTENERS(TControl, QWidget)

} // namespace kro
