// The report list view's mouse and keyboard input and in-place editing.
#include <krogui/replist/reportlistview.h>
#include <krogui/replist/reportlistview_p.h>

#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/data/stringarray.h>
#include <krogui/graphics/colors.h>
#include <krogui/grid/inplaceedit.h>

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <new>

namespace kro {

using rlviewimpl::TWaitCursor;

// ==== input =========================================================================================

bool TReportListView::SelectCell(int ACol, int ARow)
{
    // Editing needs an editable column and an enabled, shown row.
    const int r = DataRowOfGridRow(ARow);
    const bool editable =
        ARow != 0 && GetColumnEditable(ACol + 1) && r >= 1 && r <= NrOfShownRows() && GetRowEnabled(r);
    const TGridOptions o = Options();
    const TGridOptions want = editable ? (o | goEditing) : (o & ~TGridOptions(goEditing));
    if (want != o) SetOptions(want);
    return TCustomDrawGrid::SelectCell(ACol, ARow);
}

void TReportListView::TopLeftChanged()
{
    InvalidateGrid(); // the common header spans the visible columns
    TCustomDrawGrid::TopLeftChanged();
}

QString TReportListView::GetEditText(int ACol, int ARow)
{
    const int col = ACol + 1, r = DataRowOfGridRow(ARow);
    QString value = d->FRLData->Strings()->GetString(col, r);
    if (GetColCheckMode(col) != cmNone) value = value.mid(1);
    // A password stays hidden while it is edited, too.
    if (TInplaceEdit *ed = InplaceEditor())
        ed->setEchoMode(GetColumnIsPwd(col) ? QLineEdit::Password : QLineEdit::Normal);
    if (FOnGetEditText) FOnGetEditText(this, ACol, r, value);
    Q_EMIT onGetEditText(this, ACol, r, value);
    return value;
}

void TReportListView::SetEditText(int ACol, int ARow, const QString &Value)
{
    const int r = DataRowOfGridRow(ARow);
    // SetElem keeps the flag of a check cell (an empty cell stays unchecked).
    d->FRLData->SetElem(ACol + 1, r, Value);
    TCustomGrid::SetEditText(ACol, ARow, Value);
    if (FOnSetEditText) FOnSetEditText(this, ACol, r, Value);
    Q_EMIT onSetEditText(this, ACol, r, Value);
}

void TReportListView::HeaderClickSort(int GridCol)
{
    TWaitCursor wait;
    const TStringArray *s = d->FRLData->Strings();
    const int selected = DataRowOfGridRow(Selection().Top);
    const int record = (selected >= 1 && selected <= NrOfShownRows()) ? s->GetSortOrder(selected) : 0;
    const bool ascending = !d->FRLData->SortToggle();
    d->FRLData->SetSortToggle(ascending);
    Sort(GridCol + 1, SecondarySortColumn(), ascending);
    if (record == 0) return;
    const int r = s->PresentedRow(record);
    if (r >= 1 && r <= NrOfShownRows()) {
        const int g = r + FixedRows() - 1;
        const TGridRect sel = Selection();
        SetSelection(GridRect(sel.Left, g, sel.Right, g));
    }
}

void TReportListView::ToggleCheck(int C, int R)
{
    const QString stored = d->FRLData->Strings()->GetString(C, R);
    bool state = !(!stored.isEmpty() && stored.at(0) != QLatin1Char(' '));
    if (d->FOnBefChkStChange) d->FOnBefChkStChange(this, state, C, R);
    Q_EMIT onBeforeCheckedChange(this, state, C, R);
    // A radio click always checks its cell (and so clears the others).
    d->FRLData->SetElemChecked(C, R, GetColCheckMode(C) == cmRadio ? true : state);
    bool after = !state;
    if (d->FOnChkStChange) d->FOnChkStChange(this, after, C, R);
    Q_EMIT onCheckedChange(this, after, C, R);
}

void TReportListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    d->FLastMousePosX = X;
    d->FLastMousePosY = Y;
    const TGridCoord hit = MouseCoord(X, Y);
    if (Button == mbLeft && d->FSortEnabled && hit.X >= 0 && X < GridWidth() && Y < GridHeight() &&
        IsColumnHeaderGridRow(hit.Y)) {
        // Clicks near a border belong to column sizing.
        const TRect cell = CellRect(hit.X, hit.Y);
        if (X - cell.Left > 4 && cell.Right - X > 4) HeaderClickSort(hit.X);
    }
    const int r = DataRowOfGridRow(hit.Y), col = hit.X + 1;
    if (Button != mbLeft || hit.X < 0 || hit.Y < FixedRows() || r < 1 || r > NrOfShownRows()) {
        TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    TPaintHold hold(this);
    // 1. In-place editing only in editable columns of enabled rows.
    const bool editable = GetColumnEditable(col) && GetRowEnabled(r);
    const TGridOptions o = Options();
    const TGridOptions want = editable ? (o | goEditing) : (o & ~TGridOptions(goEditing));
    if (want != o) SetOptions(want);
    // 2. A click on the mark toggles it.
    if (GetColCheckMode(col) != cmNone && X - CellRect(hit.X, hit.Y).Left < 18 &&
        !d->FCellLook.FROCheckMarks && GetRowEnabled(r) &&
        (d->FRLData->Strings()->GetLength(col, r) > 1 || d->FCellLook.FShowEmptyCBx))
        ToggleCheck(col, r);
    TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
    // 3. Row selection with the row the grid now stands on.
    const int cur = DataRowOfGridRow(Row());
    if (cur < 1 || cur > NrOfShownRows() || d->FRowSelectMode == rsmNone) return;
    TStringArray *s = d->FRLData->Strings();
    if (d->FRowSelectMode == rsmSingle) {
        SelectOnlyRow(cur);
    } else if (Shift & ssShift) {
        // The range takes the anchor's selection state (only that bit: enabling is not a selection).
        const int anchor = std::clamp(d->FSelectAnchor, 1, NrOfShownRows());
        const bool on = s->GetRowAttrib(anchor) & rlRowSelected;
        for (int i = std::min(anchor, cur); i <= std::max(anchor, cur); ++i) {
            const quint8 a = s->GetRowAttrib(i);
            s->SetRowAttrib(i, on ? quint8(a | rlRowSelected) : quint8(a & ~rlRowSelected));
        }
    } else {
        d->FSelectAnchor = cur;
        if ((Shift & ssCtrl) || !d->FCtrlForMultiSel)
            s->SetRowAttrib(cur, s->GetRowAttrib(cur) ^ rlRowSelected);
        else
            SelectOnlyRow(cur);
    }
    ChangedSelection();
}

void TReportListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomDrawGrid::MouseUp(Button, Shift, X, Y);
    if (d->FRowSelectMode == rsmMultiple && (X >= GridWidth() || (Y >= GridHeight() && Button == mbLeft))) {
        {
            TPaintHold hold(this);
            SetAllRowBits(rlRowSelected, false, NrOfRows());
        }
        ChangedSelection();
    }
}

void TReportListView::MouseMove(TShiftState Shift, int X, int Y)
{
    d->FLastMousePosX = X;
    d->FLastMousePosY = Y;
    TCustomDrawGrid::MouseMove(Shift, X, Y);
}

void TReportListView::DblClick()
{
    const int x = d->FLastMousePosX, y = d->FLastMousePosY;
    if (y < GridHeight() && d->FColHdVis) {
        const TGridCoord hit = MouseCoord(x, y);
        if (hit.X >= 0 && IsColumnHeaderGridRow(hit.Y)) {
            const TRect cell = CellRect(hit.X, hit.Y);
            if (x - cell.Left < 5 || cell.Right - x <= 4) {
                int col = x >= cell.Left + cell.Width() / 2 ? hit.X + 1 : hit.X;
                while (col > 1 && GetColWidths(col) == 0)
                    --col;
                if (col >= 1) AutoColWidth(col, true, 0);
            }
            return; // the header row keeps its double clicks to itself
        }
    }
    TCustomDrawGrid::DblClick();
}

void TReportListView::KeyDown(quint16 &Key, TShiftState Shift)
{
    TCustomDrawGrid::KeyDown(Key, Shift);
    if (Key < VK_PRIOR || Key > VK_DOWN) return;
    {
        TPaintHold hold(this);
        SetAllRowBits(rlRowSelected, false, NrOfRows());
        const int cur = DataRowOfGridRow(Row());
        if (cur >= 1 && cur <= NrOfShownRows())
            d->FRLData->Strings()->SetRowAttrib(cur, RowAttrib(cur) | rlRowSelected);
    }
    ChangedSelection();
}

void TReportListView::KeyPress(QChar &Key)
{
    TCustomDrawGrid::KeyPress(Key);
    if (d->FAutoAdvance && (Key.unicode() == 0 || Key.unicode() == 13)) {
        quint16 down = VK_DOWN;
        KeyDown(down, 0);
    }
}

bool TReportListView::DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos)
{
    return NrOfShownRows() > 0 && TCustomDrawGrid::DoMouseWheelDown(Shift, MousePos);
}

bool TReportListView::DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos)
{
    return NrOfShownRows() > 0 && TCustomDrawGrid::DoMouseWheelUp(Shift, MousePos);
}

} // namespace kro
