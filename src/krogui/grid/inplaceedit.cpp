#include <krogui/core/keys.h>
#include <krogui/core/strutil.h>
#include <krogui/grid/customgrid.h>
#include <krogui/grid/customgrid_p.h>
#include <krogui/grid/inplaceedit.h>

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QToolButton>

namespace kro {

namespace {
constexpr quint16 kVkF4 = VK_F1 + 3;
} // namespace

// ==== TInplaceEdit ==================================================================================

TInplaceEdit::TInplaceEdit(TCustomGrid *Grid) : QLineEdit(Grid ? Grid->viewport() : nullptr), FGrid(Grid)
{
    setFrame(false);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Cell editor"));
    hide();
}

TInplaceEdit::~TInplaceEdit()
{
    if (FGrid && FGrid->d->FInplaceEdit == this) {
        FGrid->d->FInplaceEdit = nullptr;
        FGrid->d->FInplaceCol = FGrid->d->FInplaceRow = -1;
        FGrid->d->FEditorMode = false;
    }
}

void TInplaceEdit::UpdateContents()
{
    if (!FGrid) return;
    const int c = FGrid->d->FInplaceCol, r = FGrid->d->FInplaceRow;
    setInputMask(FGrid->GetEditMask(c, r));
    const int limit = FGrid->GetEditLimit();
    setMaxLength(limit > 0 ? limit : 32767);
    setReadOnly(!FGrid->CanEditModify());
    setText(FGrid->GetEditText(c, r));
}

void TInplaceEdit::ApplyLoc(const TRect &Loc, bool TakeFocus)
{
    if (Loc.IsEmpty()) {
        hide();
        return;
    }
    setGeometry(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    show();
    raise();
    if (TakeFocus) setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::Move(const TRect &Loc)
{
    ApplyLoc(Loc, true);
}

void TInplaceEdit::UpdateLoc(const TRect &Loc)
{
    ApplyLoc(Loc, false);
}

void TInplaceEdit::Deselect()
{
    deselect();
    setCursorPosition(text().length());
}

void TInplaceEdit::SendToParent(quint16 &Key, TShiftState Shift)
{
    FForwarded = true;
    if (FGrid) FGrid->KeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::KeyDown(quint16 &Key, TShiftState Shift)
{
    if (!FGrid) return;
    auto parentEvent = [&] {
        FGrid->TControlCore::KeyDown(Key, Shift); // the grid's OnKeyDown and its signal
    };
    // Whether the caret sits at the start (end) of the text, or everything is selected.
    const int len = text().length();
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selEnd = hasSelectedText() ? selectionStart() + selectedText().length() : cursorPosition();
    const bool leftSide = selStart == 0 && (selEnd == 0 || selEnd == len);
    const bool rightSide = (selStart == 0 || selEnd == selStart) && selEnd == len;
    const bool forwardMovement = FGrid->Options() & goAlwaysShowEditor;
    const bool ctrl = Shift & ssCtrl;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        SendToParent(Key, Shift);
        break;
    case VK_INSERT:
        if (Shift == 0) SendToParent(Key, Shift);
        break;
    case VK_LEFT:
    case VK_HOME:
        if (forwardMovement && (ctrl || leftSide)) SendToParent(Key, Shift);
        break;
    case VK_RIGHT:
    case VK_END:
        if (forwardMovement && (ctrl || rightSide)) SendToParent(Key, Shift);
        break;
    case VK_F2:
        parentEvent();
        if (Key == VK_F2) {
            Deselect();
            Key = 0;
        }
        return;
    case VK_TAB:
        if (!(Shift & ssAlt)) SendToParent(Key, Shift);
        break;
    case VK_DELETE:
        if (ctrl) SendToParent(Key, Shift);
        break;
    default:
        break;
    }
    if (Key != 0) parentEvent();
}

void TInplaceEdit::KeyPress(QChar &Key)
{
    if (!FGrid) return;
    FGrid->KeyPress(Key);
    AcceptChar(Key);
}

void TInplaceEdit::AcceptChar(QChar &Key)
{
    if (!FGrid || Key.isNull()) return;
    const ushort u = Key.unicode();
    if (u >= 32 && !FGrid->CanEditAcceptKey(Key)) {
        Key = QChar();
        MessageBeep();
        return;
    }
    switch (u) {
    case 9:
    case 27:
        Key = QChar();
        return;
    case 13:
        // Enter that the grid left alone toggles between all selected and the caret at the end.
        if (hasSelectedText() && selectedText().length() == text().length())
            Deselect();
        else
            selectAll();
        Key = QChar();
        return;
    default:
        break;
    }
    if (!isVisible() || isReadOnly() || FGrid->d->FInplaceCol < 0) return;
    if (u == 8)
        backspace();
    else if (u >= 32)
        insert(QString(Key));
}

void TInplaceEdit::TypeChar(QChar Ch)
{
    KeyPress(Ch);
}

void TInplaceEdit::keyPressEvent(QKeyEvent *Event)
{
    if (!FGrid) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    const quint16 vk = VirtualKeyFromEvent(Event);
    TShiftState shift = ShiftStateFromQt(Event->modifiers());
    if (QtKeyImpliesShift(Event->key())) shift |= ssShift;
    const QChar ch = KeyCharFromEvent(Event);
    bool done = false;
    SafeInvoke([&] {
        FForwarded = false;
        if (vk != 0) {
            quint16 key = vk;
            KeyDown(key, shift);
            if (FForwarded) {
                // Esc and Tab went to the grid; their characters follow them there.
                if (ch.unicode() == 27 || ch.unicode() == 9) {
                    QChar c = ch;
                    KeyPress(c);
                }
                done = true;
                return;
            }
            if (key == 0) {
                done = true;
                return;
            }
        }
        if (!ch.isNull()) {
            QChar c = ch;
            KeyPress(c);
            done = true;
        }
    });
    if (done)
        Event->accept();
    else
        QLineEdit::keyPressEvent(Event);
}

bool TInplaceEdit::event(QEvent *Event)
{
    if (Event->type() == QEvent::KeyPress && FGrid) {
        auto *ke = static_cast<QKeyEvent *>(Event);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) &&
            !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && FGrid->WantTabs()) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QLineEdit::event(Event);
}

void TInplaceEdit::focusInEvent(QFocusEvent *Event)
{
    QLineEdit::focusInEvent(Event);
    if (FGrid) FGrid->FocusChanged();
}

void TInplaceEdit::focusOutEvent(QFocusEvent *Event)
{
    QLineEdit::focusOutEvent(Event);
    if (!FGrid || Event->reason() == Qt::PopupFocusReason || ListShown()) return;
    FGrid->EditorLostFocus();
}

void TInplaceEdit::mouseDoubleClickEvent(QMouseEvent *Event)
{
    QLineEdit::mouseDoubleClickEvent(Event);
    SafeInvoke([this] { DblClick(); });
}

// ==== TInplaceEditList ==============================================================================

TInplaceEditList::TInplaceEditList(TCustomGrid *Grid) : TInplaceEdit(Grid)
{
    FButton = new QToolButton(this);
    FButton->setFocusPolicy(Qt::NoFocus);
    FButton->setCursor(Qt::ArrowCursor);
    FButton->hide();
    connect(FButton, &QToolButton::clicked, this, [this] { SafeInvoke([this] { ButtonPressed(); }); });
}

TInplaceEditList::~TInplaceEditList() = default;

int TInplaceEditList::ButtonWidth() const
{
    return FEditStyle == esSimple ? 0 : 16;
}

void TInplaceEditList::SetEditStyle(TEditStyle Value)
{
    if (Value != esPickList && ListVisible()) CloseUp(false);
    FEditStyle = Value;
    FButton->setArrowType(Value == esPickList ? Qt::DownArrow : Qt::NoArrow);
    FButton->setText(Value == esEllipsis ? QStringLiteral("...") : QString());
    FButton->setVisible(Value != esSimple);
    setTextMargins(0, 0, ButtonWidth(), 0);
    PlaceButton();
}

void TInplaceEditList::SetDropDownRows(int Value)
{
    FDropDownRows = std::max(1, Value);
    if (ListVisible()) {
        FList->hide();
        DropDown();
    }
}

void TInplaceEditList::SetPickListItems(const QStringList &Items)
{
    FItems = Items;
}

void TInplaceEditList::PlaceButton()
{
    const int bw = ButtonWidth();
    FButton->setGeometry(width() - bw, 0, bw, height());
}

void TInplaceEditList::resizeEvent(QResizeEvent *Event)
{
    QLineEdit::resizeEvent(Event);
    PlaceButton();
}

void TInplaceEditList::UpdateContents()
{
    if (ListVisible()) CloseUp(false);
    if (Grid()) SetEditStyle(Grid()->GetEditStyle(Grid()->d->FInplaceCol, Grid()->d->FInplaceRow));
    TInplaceEdit::UpdateContents();
}

QListWidget *TInplaceEditList::PickList()
{
    if (!FList) {
        FList = new QListWidget(this);
        FList->setWindowFlags(Qt::Popup);
        FList->setAccessibleName(QStringLiteral("Pick list"));
        FList->installEventFilter(this);
        connect(FList, &QListWidget::itemClicked, this, [this] { SafeInvoke([this] { CloseUp(true); }); });
    }
    return FList;
}

bool TInplaceEditList::ListVisible() const
{
    return FList && FList->isVisible();
}

void TInplaceEditList::LoadItems()
{
    QStringList items;
    if (Grid()) {
        const int c = Grid()->d->FInplaceCol, r = Grid()->d->FInplaceRow;
        if (FOnGetPickListItems)
            FOnGetPickListItems(c, r, items);
        else
            Grid()->GetPickListItems(c, r, items);
        FItems = items;
    }
}

void TInplaceEditList::DropDown()
{
    if (FEditStyle != esPickList || ListVisible()) return;
    LoadItems();
    if (FItems.isEmpty()) return;
    QListWidget *list = PickList();
    list->clear();
    list->addItems(FItems);
    list->setCurrentRow(std::max(0, int(FItems.indexOf(text()))));
    const int rows = std::min<int>(FDropDownRows, int(FItems.size()));
    const int rowH = std::max(1, list->sizeHintForRow(0));
    const QPoint at = mapToGlobal(QPoint(0, height()));
    list->setGeometry(at.x(), at.y(), width(), rows * rowH + 2 * list->frameWidth());
    list->show();
    list->setFocus(Qt::PopupFocusReason);
}

void TInplaceEditList::CloseUp(bool Accept)
{
    if (!ListVisible()) return;
    const QListWidgetItem *item = FList->currentItem();
    const QString value = item ? item->text() : QString();
    FList->hide();
    setFocus(Qt::PopupFocusReason);
    if (Accept && item && value != text()) {
        setText(value);
        selectAll();
        // A choice from the list is a decision: it is committed at once.
        if (Grid()) Grid()->UpdateText();
    }
}

bool TInplaceEditList::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FList && Event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(Event);
        const bool alt = ke->modifiers() & Qt::AltModifier;
        bool accept = false, close = false;
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F4:
            close = accept = true;
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            close = accept = alt;
            break;
        case Qt::Key_Escape:
            close = true;
            break;
        default:
            break;
        }
        if (close) {
            SafeInvoke([&] { CloseUp(accept); });
            return true;
        }
    }
    return TInplaceEdit::eventFilter(Watched, Event);
}

void TInplaceEditList::KeyDown(quint16 &Key, TShiftState Shift)
{
    if (FEditStyle == esPickList) {
        const bool alt = Shift & ssAlt;
        if (Key == kVkF4 || (alt && (Key == VK_DOWN || Key == VK_UP))) {
            if (ListVisible())
                CloseUp(true);
            else
                DropDown();
            Key = 0;
            return;
        }
        if (ListVisible()) {
            // Keys that reach the editor while the list shows steer the list.
            switch (Key) {
            case VK_UP:
            case VK_DOWN: {
                const int n = FList->count();
                const int row = FList->currentRow() + (Key == VK_DOWN ? 1 : -1);
                if (n > 0) FList->setCurrentRow(std::clamp(row, 0, n - 1));
                Key = 0;
                return;
            }
            case VK_RETURN:
            case VK_ESCAPE:
                CloseUp(Key == VK_RETURN);
                Key = 0;
                return;
            default:
                break;
            }
        }
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TInplaceEditList::DblClick()
{
    if (FEditStyle == esEllipsis) {
        ButtonPressed();
        return;
    }
    if (FEditStyle != esPickList) return;
    // Steps to the next item of the list, as a quick way to cycle through the choices.
    LoadItems();
    if (FItems.isEmpty()) return;
    const int next = (int(FItems.indexOf(text())) + 1) % int(FItems.size());
    setText(FItems.at(next));
    selectAll();
}

void TInplaceEditList::ButtonPressed()
{
    if (FEditStyle == esPickList) {
        if (ListVisible())
            CloseUp(false);
        else
            DropDown();
    } else if (FEditStyle == esEllipsis) {
        if (FOnEditButtonClick)
            FOnEditButtonClick(this);
        else if (Grid())
            Grid()->EditButtonClick();
    }
}

} // namespace kro
