#include <krogui/core/controlcore.h>
#include <krogui/core/error.h>

#include <QMimeData>
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
};

TControlCore::TControlCore(QWidget *Self, TColor DefaultColor)
    : core(std::make_unique<TControlCorePrivate>(*this, Self))
{
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
    const QWidget *parent = core->FWidget->parentWidget();
    if (core->FParentFont && parent) AdoptFont(parent->font());
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
    core->FDragMode = Value;
}
Qt::CursorShape TControlCore::DragCursor() const
{
    return core->FDragCursor;
}
void TControlCore::SetDragCursor(Qt::CursorShape Value)
{
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

void TControlCore::UpdateDropTarget()
{
    const bool wanted = FOnDragOver || FOnDragDrop;
    if (wanted && !core->FWidget->acceptDrops()) {
        core->FWidget->setAcceptDrops(true);
        core->FDropsByEvents = true;
    } else if (!wanted && core->FDropsByEvents) {
        core->FWidget->setAcceptDrops(false);
        core->FDropsByEvents = false;
    }
}

// ==== default handlers: fire the events ============================================================

void TControlCore::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseDown) FOnMouseDown(core->FWidget, Button, Shift, X, Y);
}

void TControlCore::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseUp) FOnMouseUp(core->FWidget, Button, Shift, X, Y);
}

void TControlCore::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FOnMouseMove) FOnMouseMove(core->FWidget, Shift, X, Y);
}

void TControlCore::Click()
{
    if (FOnClick) FOnClick(core->FWidget);
}

void TControlCore::DblClick()
{
    if (FOnDblClick) FOnDblClick(core->FWidget);
}

void TControlCore::MouseEnter()
{
    if (FOnMouseEnter) FOnMouseEnter(core->FWidget);
}

void TControlCore::MouseLeave()
{
    if (FOnMouseLeave) FOnMouseLeave(core->FWidget);
}

void TControlCore::KeyDown(quint16 &Key, TShiftState Shift)
{
    if (FOnKeyDown) FOnKeyDown(core->FWidget, Key, Shift);
}

void TControlCore::KeyUp(quint16 &Key, TShiftState Shift)
{
    if (FOnKeyUp) FOnKeyUp(core->FWidget, Key, Shift);
}

void TControlCore::KeyPress(QChar &Key)
{
    if (FOnKeyPress) FOnKeyPress(core->FWidget, Key);
}

void TControlCore::DoEnter()
{
    if (FOnEnter) FOnEnter(core->FWidget);
}

void TControlCore::DoExit()
{
    if (FOnExit) FOnExit(core->FWidget);
}

bool TControlCore::DoMouseWheel(TShiftState, int, int, int)
{
    return false;
}

void TControlCore::DoStartDrag(QMimeData &DragObject)
{
    if (FOnStartDrag) FOnStartDrag(core->FWidget, DragObject);
}

bool TControlCore::DragOver(QObject *Source, int X, int Y, TDragState State)
{
    bool accept = bool(FOnDragOver);
    if (FOnDragOver) FOnDragOver(core->FWidget, Source, X, Y, State, accept);
    return accept;
}

void TControlCore::DragDrop(QObject *Source, int X, int Y)
{
    if (FOnDragDrop) FOnDragDrop(core->FWidget, Source, X, Y);
}

void TControlCore::DoEndDrag(QObject *Target, int X, int Y)
{
    if (FOnEndDrag) FOnEndDrag(core->FWidget, Target, X, Y);
}

void TControlCore::DoResize()
{
    if (FOnResize) FOnResize(core->FWidget);
}

} // namespace kro
