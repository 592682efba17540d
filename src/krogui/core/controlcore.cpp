#include <krogui/core/controlaccessible_p.h>
#include <krogui/core/controlcore.h>
#include <krogui/core/error.h>

#include <QAccessible>
#include <QApplication>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

namespace kro {

struct TControlCorePrivate
{
    TControlCorePrivate(TControlCore &Core, QWidget *Self) : FWidget(Self), FInput(Core) {}
    QWidget *FWidget;
    TInputRouter FInput;
    TColor FColor = clBtnFace;
    TFont FFont;
    bool FParentFont = false;
    bool FAdoptingFont = false; // the font is being set from the parent, not by the user
    QString FHint;
    bool FShowHint = false;
    bool FVisible = true;
    TDragMode FDragMode = dmManual;
    Qt::CursorShape FDragCursor = Qt::DragMoveCursor;
    bool FDropsByEvents = false; // acceptDrops was switched on by assigning a drag handler
    std::unique_ptr<TCoreSignalSink> FSignals;
    std::shared_ptr<char> FLife = std::make_shared<char>();
};

TCoreSignalSink::~TCoreSignalSink() = default;

TControlCore::TControlCore(QWidget *Self, TColor DefaultColor)
    : core(std::make_unique<TControlCorePrivate>(*this, Self))
{
    InstallControlAccessibility();
    core->FColor = DefaultColor;
    core->FAdoptingFont = true;
    core->FFont.SetName(DefaultFontName());
    core->FFont.SetSize(8);
    core->FAdoptingFont = false;
    core->FFont.SetOnChange([this] {
        if (!core->FAdoptingFont) core->FParentFont = false;
        FontChanged();
    });
}

TControlCore::~TControlCore() = default;

std::weak_ptr<void> TControlCore::LifeToken() const
{
    return core->FLife;
}

QWidget *TControlCore::CoreWidget() const
{
    return core->FWidget;
}
TInputRouter &TControlCore::Input()
{
    return core->FInput;
}

// ==== geometry =====================================================================================

int TControlCore::Left() const
{
    return core->FWidget->x();
}
int TControlCore::Top() const
{
    return core->FWidget->y();
}
int TControlCore::Width() const
{
    return core->FWidget->width();
}
int TControlCore::Height() const
{
    return core->FWidget->height();
}

void TControlCore::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    core->FWidget->setGeometry(ALeft, ATop, std::max(0, AWidth), std::max(0, AHeight));
}

bool TControlCore::Visible() const
{
    return core->FVisible;
}

void TControlCore::SetVisible(bool Value)
{
    core->FVisible = Value;
    if (core->FWidget->parentWidget() || !Value) core->FWidget->setVisible(Value);
}

// ==== look =========================================================================================

TColor TControlCore::Color() const
{
    return core->FColor;
}

void TControlCore::SetColor(TColor Value)
{
    if (core->FColor == Value) return;
    core->FColor = Value;
    ColorChanged();
}

TFont *TControlCore::Font()
{
    return &core->FFont;
}
const TFont *TControlCore::Font() const
{
    return &core->FFont;
}
void TControlCore::SetFont(const TFont &Value)
{
    core->FFont.Assign(Value);
}
bool TControlCore::ParentFont() const
{
    return core->FParentFont;
}

void TControlCore::SetParentFont(bool Value)
{
    core->FParentFont = Value;
    FollowParentFont();
}

void TControlCore::FollowParentFont()
{
    if (!core->FParentFont) return;
    const QWidget *parent = core->FWidget->parentWidget();
    AdoptFont(parent ? parent->font() : QApplication::font());
}

void TControlCore::FontEvent(const QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::ParentChange:
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
        FollowParentFont();
        break;
    default:
        break;
    }
}

void TControlCore::AdoptFont(const QFont &Value)
{
    if (core->FAdoptingFont) return;
    core->FAdoptingFont = true;
    const TColor c = core->FFont.Color();
    core->FFont.AssignQFont(Value);
    core->FFont.SetColor(c);
    core->FAdoptingFont = false;
}

QString TControlCore::Hint() const
{
    return core->FHint;
}

void TControlCore::SetHint(const QString &Value)
{
    core->FHint = Value;
    core->FWidget->setToolTip(core->FShowHint ? core->FHint : QString());
    core->FWidget->setAccessibleDescription(core->FHint);
}

bool TControlCore::ShowHint() const
{
    return core->FShowHint;
}

void TControlCore::SetShowHint(bool Value)
{
    core->FShowHint = Value;
    core->FWidget->setToolTip(core->FShowHint ? core->FHint : QString());
}

Qt::CursorShape TControlCore::Cursor() const
{
    return core->FWidget->cursor().shape();
}
void TControlCore::SetCursor(Qt::CursorShape Value)
{
    core->FWidget->setCursor(Value);
}

// ==== dragging =====================================================================================

TDragMode TControlCore::DragMode() const
{
    return core->FDragMode;
}
void TControlCore::SetDragMode(TDragMode Value)
{
    if (!IsDeclaredValue(Value)) return;
    core->FDragMode = Value;
}
Qt::CursorShape TControlCore::DragCursor() const
{
    return core->FDragCursor;
}
void TControlCore::SetDragCursor(Qt::CursorShape Value)
{
    if (!IsDeclaredValue(Value)) return;
    core->FDragCursor = Value;
}
void TControlCore::BeginDrag(bool Immediate, int Threshold)
{
    core->FInput.BeginDrag(Immediate, Threshold);
}
bool TControlCore::Dragging() const
{
    return core->FInput.Dragging();
}

void TControlCore::SetOnDragOver(TDragOverEvent H)
{
    FOnDragOver = std::move(H);
    UpdateDropTarget();
}

void TControlCore::SetOnDragDrop(TDragDropEvent H)
{
    FOnDragDrop = std::move(H);
    UpdateDropTarget();
}

void TControlCore::SetCoreSignals(std::unique_ptr<TCoreSignalSink> Sink)
{
    core->FSignals = std::move(Sink);
}

void TControlCore::DropSignalConnected()
{
    // Called with Qt's connection lock held at times: no question about receivers here.
    if (core->FWidget->acceptDrops()) return;
    core->FWidget->setAcceptDrops(true);
    core->FDropsByEvents = true;
}

bool TControlCore::DragOverWanted() const
{
    return FOnDragOver || (core->FSignals && core->FSignals->DragOverListened());
}

bool TControlCore::WantsDrops() const
{
    return DragOverWanted() || FOnDragDrop || (core->FSignals && core->FSignals->DragDropListened());
}

void TControlCore::UpdateDropTarget()
{
    const bool wanted = WantsDrops();
    if (wanted && !core->FWidget->acceptDrops()) {
        core->FWidget->setAcceptDrops(true);
        core->FDropsByEvents = true;
    } else if (!wanted && core->FDropsByEvents) {
        core->FWidget->setAcceptDrops(false);
        core->FDropsByEvents = false;
    }
}

// ==== default handlers: fire the events ============================================================
//
// Each runs the handler (when assigned) and then emits the signal, unless the handler destroyed
// the control.

#define KRO_FIRE(Handler, SinkCall, ...)                                                                     \
    QWidget *const w = core->FWidget;                                                                        \
    const QPointer<QWidget> alive(w);                                                                        \
    if (Handler) Handler(w __VA_OPT__(, ) __VA_ARGS__);                                                      \
    if (alive && core->FSignals) core->FSignals->SinkCall(w __VA_OPT__(, ) __VA_ARGS__)

void TControlCore::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    KRO_FIRE(FOnMouseDown, MouseDown, Button, Shift, X, Y);
}

void TControlCore::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    KRO_FIRE(FOnMouseUp, MouseUp, Button, Shift, X, Y);
}

void TControlCore::MouseMove(TShiftState Shift, int X, int Y)
{
    KRO_FIRE(FOnMouseMove, MouseMove, Shift, X, Y);
}

void TControlCore::Click()
{
    KRO_FIRE(FOnClick, Click);
}

void TControlCore::DblClick()
{
    KRO_FIRE(FOnDblClick, DblClick);
}

void TControlCore::MouseEnter()
{
    KRO_FIRE(FOnMouseEnter, MouseEnter);
}

void TControlCore::MouseLeave()
{
    KRO_FIRE(FOnMouseLeave, MouseLeave);
}

void TControlCore::KeyDown(quint16 &Key, TShiftState Shift)
{
    KRO_FIRE(FOnKeyDown, KeyDown, Key, Shift);
}

void TControlCore::KeyUp(quint16 &Key, TShiftState Shift)
{
    KRO_FIRE(FOnKeyUp, KeyUp, Key, Shift);
}

void TControlCore::KeyPress(QChar &Key)
{
    KRO_FIRE(FOnKeyPress, KeyPress, Key);
}

void TControlCore::DoEnter()
{
    KRO_FIRE(FOnEnter, Enter);
}

void TControlCore::DoExit()
{
    KRO_FIRE(FOnExit, Exit);
}

bool TControlCore::DoMouseWheel(TShiftState, int, int, int)
{
    return false;
}

void TControlCore::DoStartDrag(QMimeData &DragObject)
{
    KRO_FIRE(FOnStartDrag, StartDrag, DragObject);
}

bool TControlCore::DragOver(QObject *Source, int X, int Y, TDragState State)
{
    // Preset to "may drop" for a listener, which then refuses where it must.
    bool accept = DragOverWanted();
    KRO_FIRE(FOnDragOver, DragOver, Source, X, Y, State, accept);
    return accept;
}

void TControlCore::DragDrop(QObject *Source, int X, int Y)
{
    KRO_FIRE(FOnDragDrop, DragDrop, Source, X, Y);
}

void TControlCore::DoEndDrag(QObject *Target, int X, int Y)
{
    KRO_FIRE(FOnEndDrag, EndDrag, Target, X, Y);
}

void TControlCore::DoResize()
{
    KRO_FIRE(FOnResize, Resize);
}

#undef KRO_FIRE

} // namespace kro
