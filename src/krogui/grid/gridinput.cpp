// The grid's input: keys, mouse, wheel, context menu, focus and size changes.
#include <krogui/core/ctimer.h>
#include <krogui/core/keys.h>
#include <krogui/grid/customgrid.h>
#include <krogui/grid/customgrid_p.h>
#include <krogui/grid/inplaceedit.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace kro {

using gridimpl::Clamp;

// ==== keyboard ======================================================================================

namespace {

// Where a navigation key takes the current cell and the top-left cell.
struct TKeyMove
{
    TGridCoord Cur, TL;
    int Cols, Rows, FixedCols, FixedRows;
    int PageW, PageH;
    int LastFullVisibleRow;
    bool RowSel;
};

void CtrlKeyMove(quint16 Key, TKeyMove &M)
{
    switch (Key) {
    case VK_UP:
        --M.TL.Y;
        break;
    case VK_DOWN:
        ++M.TL.Y;
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (!M.RowSel) {
            const int step = Key == VK_LEFT ? -M.PageW : M.PageW;
            M.Cur.X += step;
            M.TL.X += step;
        }
        break;
    case VK_PRIOR:
        M.Cur.Y = M.TL.Y;
        break;
    case VK_NEXT:
        M.Cur.Y = M.LastFullVisibleRow;
        break;
    case VK_HOME:
        M.Cur = {M.FixedCols, M.FixedRows};
        break;
    case VK_END:
        M.Cur = {M.Cols - 1, M.Rows - 1};
        break;
    default:
        break;
    }
}

// Tab walks the cells row by row and wraps around; Shift+Tab backwards. With goRowSelect it
// walks the rows.
void TabMove(bool Back, TKeyMove &M)
{
    if (M.RowSel) {
        M.Cur.Y += Back ? -1 : 1;
        if (M.Cur.Y < M.FixedRows)
            M.Cur.Y = M.Rows - 1;
        else if (M.Cur.Y >= M.Rows)
            M.Cur.Y = M.FixedRows;
    } else if (Back) {
        if (--M.Cur.X < M.FixedCols) {
            M.Cur.X = M.Cols - 1;
            if (--M.Cur.Y < M.FixedRows) M.Cur.Y = M.Rows - 1;
        }
    } else if (++M.Cur.X >= M.Cols) {
        M.Cur.X = M.FixedCols;
        if (++M.Cur.Y >= M.Rows) M.Cur.Y = M.FixedRows;
    }
}

void PlainKeyMove(quint16 Key, TKeyMove &M)
{
    switch (Key) {
    case VK_UP:
        --M.Cur.Y;
        break;
    case VK_DOWN:
        ++M.Cur.Y;
        break;
    case VK_LEFT:
        if (M.RowSel)
            --M.TL.X;
        else
            --M.Cur.X;
        break;
    case VK_RIGHT:
        if (M.RowSel)
            ++M.TL.X;
        else
            ++M.Cur.X;
        break;
    case VK_NEXT:
        M.Cur.Y += M.PageH;
        M.TL.Y += M.PageH;
        break;
    case VK_PRIOR:
        M.Cur.Y -= M.PageH;
        M.TL.Y -= M.PageH;
        break;
    case VK_HOME:
        if (M.RowSel)
            M.Cur.Y = M.FixedRows;
        else
            M.Cur.X = M.FixedCols;
        break;
    case VK_END:
        if (M.RowSel)
            M.Cur.Y = M.Rows - 1;
        else
            M.Cur.X = M.Cols - 1;
        break;
    default:
        break;
    }
}

} // namespace

void TCustomGrid::KeyDown(quint16 &Key, TShiftState Shift)
{
    TControlCore::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (Key == VK_F2 && !(Shift & ssCtrl)) {
        SetEditorMode(true);
        return;
    }
    const TGridLayout &l = Layout();
    TKeyMove m;
    m.Cols = ColCount();
    m.Rows = RowCount();
    m.FixedCols = l.FixedCols;
    m.FixedRows = l.FixedRows;
    m.RowSel = l.Options & goRowSelect;
    m.Cur = {Clamp(d->FCurrent.X, 0, m.Cols - 1), Clamp(d->FCurrent.Y, 0, m.Rows - 1)};
    m.TL = l.TopLeft;
    m.PageW = std::max(1, l.VisibleCount(true));
    m.PageH = std::max(1, l.VisibleCount(false));
    m.LastFullVisibleRow = l.AxisInfo(false).LastFullVisible;
    if (Shift & ssCtrl) {
        CtrlKeyMove(Key, m);
    } else if (Key == VK_TAB) {
        if (!(Shift & ssAlt) && WantTabs()) {
            TabMove(Shift & ssShift, m);
            Shift &= ~TShiftState(ssShift); // the anchor follows (no range)
        }
    } else {
        PlainKeyMove(Key, m);
    }
    const TGridCoord tl = Layout().ClampedTopLeft(m.TL);
    if (!(tl == d->FLayout.TopLeft)) MoveTopLeft(tl.X, tl.Y);
    m.Cur.X = Clamp(m.Cur.X, m.FixedCols, m.Cols - 1);
    m.Cur.Y = Clamp(m.Cur.Y, m.FixedRows, m.Rows - 1);
    if (m.RowSel) m.Cur.X = m.FixedCols;
    if (!(m.Cur == d->FCurrent)) FocusCell(m.Cur.X, m.Cur.Y, !(Shift & ssShift));
}

void TCustomGrid::KeyUp(quint16 &Key, TShiftState Shift)
{
    TControlCore::KeyUp(Key, Shift);
}

void TCustomGrid::KeyPress(QChar &Key)
{
    TControlCore::KeyPress(Key);
    if (Key.unicode() == 13) {
        if (!(d->FLayout.Options & goAlwaysShowEditor)) {
            if (d->FEditorMode)
                HideEditor();
            else
                ShowEditor();
            Key = QChar();
        } else if (d->FInplaceEdit && d->FInplaceCol >= 0) {
            UpdateText(); // the editor stays open: Enter only commits
        }
    } else if (Key.unicode() == 27 && d->FInplaceCol >= 0) {
        CancelEditor();
    }
}

void TCustomGrid::keyPressEvent(QKeyEvent *Event)
{
    // Navigation keys are the grid's (the scroll area must not scroll by them as well); Esc only
    // while the editor is open.
    bool handled = false;
    switch (VirtualKeyFromEvent(Event)) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_F2:
    case VK_TAB:
    case VK_RETURN:
        handled = true;
        break;
    case VK_ESCAPE:
        handled = d->FInplaceCol >= 0;
        break;
    default:
        break;
    }
    const TInputRouter::TKeyResult r = Input().KeyPress(Event);
    // The characters the handlers let through are typed into the editor, which opens for them.
    for (const QChar ch : r.Text)
        if (ch.unicode() >= 32 || ch.unicode() == 8) {
            handled = true;
            SafeInvoke([&] { TypeIntoEditor(ch); });
        }
    Event->setAccepted(handled || r.Swallowed);
    if (!Event->isAccepted()) QAbstractScrollArea::keyPressEvent(Event);
}

void TCustomGrid::keyReleaseEvent(QKeyEvent *Event)
{
    Input().KeyRelease(Event);
    Event->accept();
}

bool TCustomGrid::event(QEvent *Event)
{
    if (Event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(Event);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) &&
            !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && WantTabs()) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QAbstractScrollArea::event(Event);
}

// ==== mouse =========================================================================================

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!IsDesigning() && focusPolicy() != Qt::NoFocus && !hasFocus() && !EditorHasFocus())
        setFocus(Qt::MouseFocusReason);
    if (Button == mbLeft && (Shift & ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        const TGridSizingHit sizing = Layout().SizingHit(X, Y);
        if (sizing.State != gsNormal) {
            d->FGridState = sizing.State;
            d->FSizingIndex = sizing.Index;
            d->FSizingPos = sizing.Pos;
            d->FSizingOfs = sizing.Ofs;
            viewport()->update();
        } else {
            const TGridCoord hit = MouseCoord(X, Y);
            if (hit.X >= d->FLayout.FixedCols && hit.Y >= d->FLayout.FixedRows) {
                if (d->FLayout.Options & goEditing) {
                    if (hit.X == d->FCurrent.X && hit.Y == d->FCurrent.Y)
                        ShowEditor();
                    else {
                        MoveCurrent(hit.X, hit.Y, true, true);
                        UpdateEdit();
                    }
                    Click();
                } else {
                    d->FGridState = gsSelecting;
                    d->FScrollTimer->Start(60);
                    if (Shift & ssShift)
                        MoveAnchorTo(hit.X, hit.Y);
                    else
                        MoveCurrent(hit.X, hit.Y, true, true);
                }
            } else if ((d->FLayout.Options & goRowMoving) && hit.X >= 0 && hit.X < d->FLayout.FixedCols &&
                       hit.Y >= d->FLayout.FixedRows) {
                d->FMoveIndex = d->FMovePos = hit.Y;
                d->FGridState = gsRowMoving;
                d->FScrollTimer->Start(60);
            } else if ((d->FLayout.Options & goColMoving) && hit.Y >= 0 && hit.Y < d->FLayout.FixedRows &&
                       hit.X >= d->FLayout.FixedCols) {
                d->FMoveIndex = d->FMovePos = hit.X;
                d->FGridState = gsColMoving;
                d->FScrollTimer->Start(60);
            }
        }
    }
    TControlCore::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    d->FLastMouse = QPoint(X, Y);
    switch (d->FGridState) {
    case gsSelecting: {
        const TGridAxisInfo h = Layout().AxisInfo(true), v = Layout().AxisInfo(false);
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= d->FLayout.FixedCols && hit.Y >= d->FLayout.FixedRows &&
            hit.X <= h.LastFullVisible + 1 && hit.Y <= v.LastFullVisible + 1 && !(hit == d->FAnchor))
            MoveAnchorTo(hit.X, hit.Y);
        break;
    }
    case gsColSizing:
    case gsRowSizing: {
        // The line follows the mouse but never crosses the start of the cell being sized.
        const bool horz = d->FGridState == gsColSizing;
        const TGridAxisInfo a = Layout().AxisInfo(horz);
        qint64 start = 0;
        Layout().CellStart(a, d->FSizingIndex, start);
        d->FSizingPos = std::max<int>(horz ? X : Y, int(start) + 1 - d->FSizingOfs);
        viewport()->update();
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        const bool horz = d->FGridState == gsColMoving;
        const TGridCoord hit = MouseCoord(X, Y);
        const int cell = horz ? hit.X : hit.Y;
        const int fixed = horz ? d->FLayout.FixedCols : d->FLayout.FixedRows;
        if (cell >= fixed && cell != d->FMovePos) {
            d->FMovePos = cell;
            viewport()->update();
        }
        break;
    }
    default: {
        const TGridState st = Layout().SizingHit(X, Y).State;
        if (st == gsNormal)
            viewport()->unsetCursor(); // the grid's own Cursor shows
        else
            viewport()->setCursor(st == gsColSizing ? Qt::SplitHCursor : Qt::SplitVCursor);
        break;
    }
    }
    TControlCore::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    d->FInRelease = false; // from here on a click is the grid's own
    const TGridState state = d->FGridState;
    d->FGridState = gsNormal;
    d->FScrollTimer->Kill();
    switch (state) {
    case gsSelecting: {
        const TGridAxisInfo h = Layout().AxisInfo(true), v = Layout().AxisInfo(false);
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= d->FLayout.FixedCols && hit.Y >= d->FLayout.FixedRows &&
            hit.X <= h.LastFullVisible + 1 && hit.Y <= v.LastFullVisible + 1 && !(hit == d->FAnchor))
            MoveAnchorTo(hit.X, hit.Y);
        UpdateEdit();
        Click();
        break;
    }
    case gsColSizing:
    case gsRowSizing: {
        const bool horz = state == gsColSizing;
        const TGridAxisInfo a = Layout().AxisInfo(horz);
        qint64 start = 0;
        viewport()->update();
        if (Layout().CellStart(a, d->FSizingIndex, start)) {
            const int size = std::max(1, int(d->FSizingPos + d->FSizingOfs - start));
            if (horz)
                SetColWidths(d->FSizingIndex, size);
            else
                SetRowHeights(d->FSizingIndex, size);
        }
        break;
    }
    case gsColMoving:
    case gsRowMoving:
        viewport()->update();
        if (d->FMovePos != d->FMoveIndex) {
            if (state == gsColMoving)
                MoveColumn(d->FMoveIndex, d->FMovePos);
            else
                MoveRow(d->FMoveIndex, d->FMovePos);
        }
        break;
    default:
        UpdateEdit();
        break;
    }
    TControlCore::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::ScrollTimerTick()
{
    if (d->FGridState != gsSelecting && d->FGridState != gsColMoving && d->FGridState != gsRowMoving) {
        d->FScrollTimer->Kill();
        return;
    }
    // While the mouse is held outside the scrollable cells the view scrolls one cell per tick
    // towards it and the selection (or the drop position) follows.
    const TGridAxisInfo h = Layout().AxisInfo(true), v = Layout().AxisInfo(false);
    const QPoint p = d->FLastMouse;
    int dx = 0, dy = 0;
    if (d->FGridState != gsRowMoving) {
        if (p.x() < h.FixedBoundary)
            dx = -1;
        else if (p.x() >= h.FullVisBoundary && h.LastFullVisible < ColCount() - 1)
            dx = 1;
    }
    if (d->FGridState != gsColMoving) {
        if (p.y() < v.FixedBoundary)
            dy = -1;
        else if (p.y() >= v.FullVisBoundary && v.LastFullVisible < RowCount() - 1)
            dy = 1;
    }
    if (dx == 0 && dy == 0) return;
    MoveTopLeft(LeftCol() + dx, TopRow() + dy);
    const TGridAxisInfo h2 = Layout().AxisInfo(true), v2 = Layout().AxisInfo(false);
    TGridCoord hit = MouseCoord(p.x(), p.y());
    if (dx < 0)
        hit.X = h2.First;
    else if (dx > 0)
        hit.X = h2.LastFullVisible;
    if (dy < 0)
        hit.Y = v2.First;
    else if (dy > 0)
        hit.Y = v2.LastFullVisible;
    if (d->FGridState == gsSelecting) {
        if (hit.X < d->FLayout.FixedCols) hit.X = d->FAnchor.X;
        if (hit.Y < d->FLayout.FixedRows) hit.Y = d->FAnchor.Y;
        if (hit.X >= d->FLayout.FixedCols && hit.Y >= d->FLayout.FixedRows && !(hit == d->FAnchor))
            MoveAnchorTo(hit.X, hit.Y);
    } else {
        d->FMovePos = d->FGridState == gsColMoving ? std::max(d->FLayout.FixedCols, hit.X)
                                                   : std::max(d->FLayout.FixedRows, hit.Y);
        viewport()->update();
    }
}

void TCustomGrid::Click()
{
    // The grid clicks when a cell is chosen (FocusCell, the end of a mouse selection), not on
    // every press and release inside it as other controls do.
    if (d->FInRelease) return;
    TControlCore::Click();
}

void TCustomGrid::DblClick()
{
    TControlCore::DblClick();
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    return DoMouseWheel(Shift, WheelDelta, QPoint(X, Y));
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, const QPoint &MousePos)
{
    bool handled = false;
    if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    Q_EMIT onMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled)
        handled = WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    return handled;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos)
{
    bool handled = false;
    if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, handled);
    Q_EMIT onMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled) {
        if (Row() < RowCount() - 1) SetRow(Row() + 1);
        handled = true;
    }
    return handled;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos)
{
    bool handled = false;
    if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, handled);
    Q_EMIT onMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled) {
        if (Row() > d->FLayout.FixedRows) SetRow(Row() - 1);
        handled = true;
    }
    return handled;
}

// ==== Qt events: through the control core's input router ===========================================

void TCustomGrid::mousePressEvent(QMouseEvent *Event)
{
    d->FLastMouse = Event->position().toPoint();
    Input().MousePress(Event);
    Event->accept();
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent *Event)
{
    // A grid's double click is its MouseDown with ssDouble, which fires DblClick itself once a
    // descendant's MouseDown has seen where the mouse is; the router would call DblClick first.
    const QPoint pos = Event->position().toPoint();
    d->FLastMouse = pos;
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons()) | ssDouble;
    SafeInvoke([&] { MouseDown(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y()); });
    Event->accept();
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent *Event)
{
    d->FInRelease = true;
    Input().MouseRelease(Event);
    d->FInRelease = false;
    // A descendant that handles the release itself must not leave a drag running.
    if (d->FGridState != gsNormal && Event->buttons() == Qt::NoButton) {
        d->FGridState = gsNormal;
        d->FScrollTimer->Kill();
        viewport()->update();
    }
    Event->accept();
}

void TCustomGrid::mouseMoveEvent(QMouseEvent *Event)
{
    Input().MouseMove(Event);
    Event->accept();
}

void TCustomGrid::wheelEvent(QWheelEvent *Event)
{
    Input().Wheel(Event);
    Event->accept();
}

void TCustomGrid::enterEvent(QEnterEvent *Event)
{
    QAbstractScrollArea::enterEvent(Event);
    Input().Enter();
}

void TCustomGrid::leaveEvent(QEvent *Event)
{
    QAbstractScrollArea::leaveEvent(Event);
    Input().Leave();
}

void TCustomGrid::dragEnterEvent(QDragEnterEvent *Event)
{
    if (!Input().DragEnter(Event)) QAbstractScrollArea::dragEnterEvent(Event);
}

void TCustomGrid::dragMoveEvent(QDragMoveEvent *Event)
{
    if (!Input().DragMove(Event)) QAbstractScrollArea::dragMoveEvent(Event);
}

void TCustomGrid::dragLeaveEvent(QDragLeaveEvent *Event)
{
    if (!Input().DragLeave()) QAbstractScrollArea::dragLeaveEvent(Event);
}

void TCustomGrid::dropEvent(QDropEvent *Event)
{
    if (!Input().Drop(Event)) QAbstractScrollArea::dropEvent(Event);
}

void TCustomGrid::contextMenuEvent(QContextMenuEvent *Event)
{
    bool handled = false;
    const QPoint pos = Event->pos();
    SafeInvoke([&] {
        if (FOnContextPopup) FOnContextPopup(this, pos, handled);
        Q_EMIT onContextPopup(this, pos, handled);
    });
    if (!handled && d->FPopupMenu) d->FPopupMenu->popup(Event->globalPos());
    Event->accept();
}

// ==== focus, size, state changes ====================================================================

void TCustomGrid::DoEnter()
{
    TControlCore::DoEnter();
}

void TCustomGrid::DoExit()
{
    TControlCore::DoExit();
}

void TCustomGrid::FocusChanged()
{
    // The grid and its editor count as one control: Enter and Exit fire when the focus comes
    // from, or goes to, somewhere else.
    const QWidget *fw = QApplication::focusWidget();
    const bool inside = fw && (fw == this || isAncestorOf(fw));
    if (inside == d->FFocusInside) return;
    d->FFocusInside = inside;
    InvalidateGridRect(Selection());
    InvalidateCell(d->FCurrent.X, d->FCurrent.Y);
    SafeInvoke([this, inside] {
        if (inside)
            DoEnter();
        else
            DoExit();
    });
}

void TCustomGrid::focusInEvent(QFocusEvent *Event)
{
    QAbstractScrollArea::focusInEvent(Event);
    FocusChanged();
    // Keys belong to an open editor.
    if (d->FInplaceEdit && d->FInplaceCol >= 0 && d->FInplaceEdit->isVisible() &&
        Event->reason() != Qt::OtherFocusReason)
        d->FInplaceEdit->SetFocus();
}

void TCustomGrid::focusOutEvent(QFocusEvent *Event)
{
    QAbstractScrollArea::focusOutEvent(Event);
    if (Event->reason() == Qt::PopupFocusReason) return;
    FocusChanged();
}

bool TCustomGrid::viewportEvent(QEvent *Event)
{
    if (Event->type() == QEvent::Resize) {
        d->FStale = true;
        // Scrolling back into range calls TopLeftChanged, so handlers may run here too.
        SafeInvoke([this] {
            UpdateScrollBars();
            ClampTopLeft();
            PlaceEditor();
            Resize();
            DoResize();
        });
    }
    return QAbstractScrollArea::viewportEvent(Event);
}

void TCustomGrid::changeEvent(QEvent *Event)
{
    QAbstractScrollArea::changeEvent(Event);
    FontEvent(Event);
    if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::EnabledChange)
        InvalidateGrid();
}

} // namespace kro
