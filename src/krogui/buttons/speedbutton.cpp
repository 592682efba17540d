#include <krogui/buttons/speedbutton.h>

#include <krogui/core/keys.h>

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kro {

struct TSpeedButtonPrivate
{
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FMouseInControl = false;
    QPixmap FGlyph;
};

TSpeedButton::TSpeedButton(QWidget *Parent)
    : QAbstractButton(Parent), TComponentBase(this), TControlCore(this),
      d(std::make_unique<TSpeedButtonPrivate>())
{
    BindCoreSignals(this, [this](const QMetaMethod &S) { return isSignalConnected(S); });
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, true);
    setMouseTracking(true);
    resize(23, 22);
    // A tool button keeps its height in a layout; its width may follow the layout.
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::toggled, this, [this](bool) { Q_EMIT DownChanged(Down()); });
}

QSize TSpeedButton::sizeHint() const
{
    const QFontMetrics fm(font());
    int w = 0, h = 0;
    if (!text().isEmpty()) {
        w = fm.horizontalAdvance(text());
        h = fm.height();
    }
    if (!d->FGlyph.isNull()) {
        const QSize g = d->FGlyph.deviceIndependentSize().toSize();
        w += g.width() + (w > 0 ? 4 : 0);
        h = std::max(h, g.height());
    }
    return QSize(std::max(23, w + 12), std::max(22, h + 8));
}

QSize TSpeedButton::minimumSizeHint() const
{
    // Smaller would cut the caption or the glyph.
    return sizeHint();
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetCaption(const QString &Value)
{
    setText(Value);
    setAccessibleName(Value);
    updateGeometry();
}

int TSpeedButton::GroupIndex() const
{
    return d->FGroupIndex;
}

void TSpeedButton::SetGroupIndex(int Value)
{
    if (Value == d->FGroupIndex) return;
    const bool wasDown = Down();
    d->FGroupIndex = Value;
    setCheckable(Value != 0); // a grouped button reports its down state as checked
    if (Value == 0) setChecked(false);
    UpdateExclusive();
    // Leaving the group releases the button without a toggle from the Qt button.
    if (wasDown && !Down()) Q_EMIT DownChanged(false);
}

bool TSpeedButton::Down() const
{
    return d->FGroupIndex != 0 && isChecked();
}

void TSpeedButton::SetDown(bool Value)
{
    if (d->FGroupIndex == 0) Value = false;
    if (Value == Down()) return;
    setChecked(Value);
    if (Value) UpdateExclusive();
    update();
}

bool TSpeedButton::AllowAllUp() const
{
    return d->FAllowAllUp;
}

void TSpeedButton::SetAllowAllUp(bool Value)
{
    if (Value == d->FAllowAllUp) return;
    d->FAllowAllUp = Value;
    UpdateExclusive();
}

bool TSpeedButton::Flat() const
{
    return d->FFlat;
}

void TSpeedButton::SetFlat(bool Value)
{
    if (Value == d->FFlat) return;
    d->FFlat = Value;
    update();
}

QPixmap TSpeedButton::Glyph() const
{
    return d->FGlyph;
}

void TSpeedButton::SetGlyph(const QPixmap &Value)
{
    d->FGlyph = Value;
    setIcon(Value.isNull() ? QIcon() : QIcon(Value));
    setIconSize(Value.isNull() ? QSize() : Value.size());
    updateGeometry();
    update();
}

void TSpeedButton::UpdateExclusive()
{
    if (d->FGroupIndex == 0 || !parentWidget()) return;
    const auto siblings = parentWidget()->findChildren<TSpeedButton *>(QString(), Qt::FindDirectChildrenOnly);
    for (TSpeedButton *b : siblings)
        b->ButtonPressed(d->FGroupIndex, this);
}

void TSpeedButton::ButtonPressed(int AGroupIndex, TSpeedButton *Sender)
{
    if (AGroupIndex != d->FGroupIndex || !Sender || Sender == this) return;
    if (Sender->Down() && Down()) {
        setChecked(false);
        update();
    }
    d->FAllowAllUp = Sender->d->FAllowAllUp;
}

void TSpeedButton::nextCheckState()
{
    // A click puts a grouped button down; only AllowAllUp lets a click release it again.
    if (d->FGroupIndex == 0) return;
    if (!Down())
        SetDown(true);
    else if (d->FAllowAllUp)
        SetDown(false);
}

// The button's own handling (down state, check state, clicked) first, then the framework's
// handlers: Click (OnClick) fires for a left press and release inside, before MouseUp.
void TSpeedButton::mousePressEvent(QMouseEvent *Event)
{
    QAbstractButton::mousePressEvent(Event);
    Input().MousePress(Event);
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent *Event)
{
    QAbstractButton::mouseReleaseEvent(Event);
    Input().MouseRelease(Event);
}

void TSpeedButton::mouseDoubleClickEvent(QMouseEvent *Event)
{
    // A second press for the button itself (QWidget's default would call our mousePressEvent and
    // report the press twice), then DblClick and MouseDown with ssDouble.
    QAbstractButton::mousePressEvent(Event);
    Input().MouseDoubleClick(Event);
}

void TSpeedButton::mouseMoveEvent(QMouseEvent *Event)
{
    QAbstractButton::mouseMoveEvent(Event);
    Input().MouseMove(Event);
}

void TSpeedButton::enterEvent(QEnterEvent *Event)
{
    QAbstractButton::enterEvent(Event);
    d->FMouseInControl = true;
    update();
    Input().Enter();
}

void TSpeedButton::leaveEvent(QEvent *Event)
{
    QAbstractButton::leaveEvent(Event);
    d->FMouseInControl = false;
    update();
    Input().Leave();
}

void TSpeedButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    const bool sunken = isDown() || Down();
    if (sunken)
        opt.state |= QStyle::State_Sunken;
    else
        opt.state |= QStyle::State_Raised;
    if (Down()) opt.state |= QStyle::State_On;
    if (d->FFlat && !sunken && !d->FMouseInControl) opt.features |= QStyleOptionButton::Flat;
    opt.text = text();
    opt.icon = icon();
    opt.iconSize = iconSize();
    p.drawControl(QStyle::CE_PushButton, opt);
}

KRO_CORE_SIGNAL_LISTENERS(TSpeedButton, QAbstractButton)

} // namespace kro
