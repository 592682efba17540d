// The report list view's cells, columns, row and column attributes, rows and column widths.
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

// ==== cells and columns =============================================================================

QString TReportListView::GetElem(int Col, int Row) const
{
    return d->FRLData->GetElem(Col, Row);
}
void TReportListView::SetElem(int Col, int Row, const QString &Value)
{
    d->FRLData->SetElem(Col, Row, Value);
}
QString TReportListView::GetColName(int Col) const
{
    return d->FRLData->GetColName(Col);
}

void TReportListView::SetColName(int Col, const QString &Name)
{
    d->FRLData->SetColName(Col, Name);
    Changed();
    RepaintView();
}

TColFmtString TReportListView::GetColumnFormat(int Col) const
{
    return d->FRLData->GetColumnFormat(Col);
}

void TReportListView::SetColumnFormat(int Col, const TColFmtString &Fmt)
{
    d->FRLData->SetColumnFormat(Col, Fmt);
    Changed();
    RepaintView();
}

bool TReportListView::GetCheckedCol(int Col) const
{
    return d->FRLData->GetCheckedCol(Col);
}

void TReportListView::SetCheckedCol(int Col, bool Checked)
{
    d->FRLData->SetCheckedCol(Col, Checked);
    Changed();
    RepaintView();
}

TCheckMode TReportListView::GetColCheckMode(int Col) const
{
    return d->FRLData->GetColCheckMode(Col);
}

void TReportListView::SetColCheckMode(int Col, TCheckMode Mode)
{
    d->FRLData->SetColCheckMode(Col, Mode);
    Changed();
    RepaintView();
}

bool TReportListView::GetElemChecked(int Col, int Row) const
{
    return d->FRLData->GetElemChecked(Col, Row);
}

void TReportListView::SetElemChecked(int Col, int Row, bool Checked)
{
    d->FRLData->SetElemChecked(Col, Row, Checked);
}

void TReportListView::SetAllCheckmarksOfCol(int Column, bool Checked)
{
    TPaintHold hold(this);
    d->FRLData->SetAllCheckmarksOfCol(Column, Checked);
}

void TReportListView::InvertAllCheckmarksOfCol(int Column)
{
    TPaintHold hold(this);
    d->FRLData->InvertAllCheckmarksOfCol(Column);
}

int TReportListView::CountCheckedElemsInCol(int Column) const
{
    return d->FRLData->CountCheckedElemsInCol(Column);
}
int TReportListView::CountCheckedElemsInRow(int Row) const
{
    return d->FRLData->CountCheckedElemsInRow(Row);
}
int TReportListView::FirstCheckedElemInCol(int ColNr) const
{
    return d->FRLData->FirstCheckedElemInCol(ColNr);
}
int TReportListView::FirstCheckedElemInRow(int RowNr) const
{
    return d->FRLData->FirstCheckedElemInRow(RowNr);
}
double TReportListView::GetAsNumber(int Col, int Row) const
{
    return d->FRLData->GetAsNumber(Col, Row);
}

QString TReportListView::GetCellDefaultValue(int Col, int Row) const
{
    return d->FRLData->GetCellDefaultValue(Col, Row);
}

int TReportListView::ColumnIndex(const QString &Head, bool PartialMatch) const
{
    return d->FRLData->ColumnIndex(Head, PartialMatch);
}

bool TReportListView::ValidCol(int Col) const
{
    return Col >= 1 && Col <= NrOfColumns();
}
bool TReportListView::ValidRow(int Row) const
{
    return Row >= 1 && Row <= NrOfRows();
}

TAlignment TReportListView::GetColAlignment(int Col) const
{
    return ValidCol(Col) ? d->FColAlignment[size_t(Col - 1)] : taLeftJustify;
}

void TReportListView::SetColAlignment(int Col, TAlignment Value)
{
    if (!ValidCol(Col) || d->FColAlignment[size_t(Col - 1)] == Value) return;
    d->FColAlignment[size_t(Col - 1)] = Value;
    Changed();
    RepaintView();
}

bool TReportListView::GetColumnEditable(int Col) const
{
    return ValidCol(Col) && d->FColumnEditable[size_t(Col - 1)];
}

void TReportListView::SetColumnEditable(int Col, bool Value)
{
    if (ValidCol(Col)) d->FColumnEditable[size_t(Col - 1)] = Value;
}

bool TReportListView::GetColumnIsPwd(int Col) const
{
    return ValidCol(Col) && d->FColumnIsPwd[size_t(Col - 1)];
}

void TReportListView::SetColumnIsPwd(int Col, bool Value)
{
    if (!ValidCol(Col) || d->FColumnIsPwd[size_t(Col - 1)] == Value) return;
    d->FColumnIsPwd[size_t(Col - 1)] = Value;
    Changed();
    RepaintView();
}

int TReportListView::GetColWidths(int Col) const
{
    return Col <= 0 ? 0 : ColWidths(Col - 1);
}

void TReportListView::SetColWidths(int Col, int Width)
{
    if (!ValidCol(Col)) return;
    TCustomGrid::SetColWidths(Col - 1, Width);
    ChangedSetup();
}

// ==== attributes ====================================================================================

quint8 TReportListView::RowAttrib(int Row) const
{
    return d->FRLData->Strings()->GetRowAttrib(Row);
}

void TReportListView::SetAllRowBits(quint8 Bit, bool On, int UpTo)
{
    d->FRLData->Strings()->SetRowAttribBits(1, std::min(UpTo, NrOfRows()), Bit, On);
}

void TReportListView::SelectOnlyRow(int Row)
{
    SetAllRowBits(rlRowSelected, false, NrOfRows());
    if (ValidRow(Row)) d->FRLData->Strings()->SetRowAttrib(Row, RowAttrib(Row) | rlRowSelected);
}

bool TReportListView::GetRowSelect(int Row) const
{
    return ValidRow(Row) && (RowAttrib(Row) & rlRowSelected);
}

void TReportListView::SetRowSelect(int Row, bool Value)
{
    if (!ValidRow(Row)) return;
    const quint8 a = RowAttrib(Row);
    d->FRLData->Strings()->SetRowAttrib(Row, Value ? quint8(a | rlRowSelected) : quint8(a & ~rlRowSelected));
    ChangedSelection();
    RepaintView();
}

bool TReportListView::GetRowEnabled(int Row) const
{
    return ValidRow(Row) && !(RowAttrib(Row) & rlRowDisabled);
}

void TReportListView::SetRowEnabled(int Row, bool Value)
{
    if (!ValidRow(Row)) return;
    const quint8 a = RowAttrib(Row);
    d->FRLData->Strings()->SetRowAttrib(Row, Value ? quint8(a & ~rlRowDisabled) : quint8(a | rlRowDisabled));
    ChangedSelection();
    RepaintView();
}

bool TReportListView::GetColSelect(int Col) const
{
    return ValidCol(Col) && (d->FRLData->Strings()->GetColAttrib(Col) & rlColSelected);
}

void TReportListView::SetColSelect(int Col, bool Value)
{
    if (!ValidCol(Col)) return;
    TStringArray *s = d->FRLData->Strings();
    const quint8 a = s->GetColAttrib(Col);
    s->SetColAttrib(Col, Value ? quint8(a | rlColSelected) : quint8(a & ~rlColSelected));
    ChangedSelection();
    RepaintView();
}

void TReportListView::SelectAllRows()
{
    {
        TPaintHold hold(this);
        SetAllRowBits(rlRowSelected, true, NrOfShownRows());
    }
    ChangedSelection();
}

void TReportListView::DeselectAllRows()
{
    {
        TPaintHold hold(this);
        SetAllRowBits(rlRowSelected, false, NrOfRows());
    }
    ChangedSelection();
}

void TReportListView::EnableAllRows()
{
    {
        TPaintHold hold(this);
        SetAllRowBits(rlRowDisabled, false, NrOfRows());
    }
    ChangedSelection();
}

void TReportListView::DisableAllRows()
{
    {
        TPaintHold hold(this);
        SetAllRowBits(rlRowDisabled, true, NrOfRows());
    }
    ChangedSelection();
}

void TReportListView::SelectAllColumns()
{
    {
        TPaintHold hold(this);
        for (int c = 1; c <= NrOfColumns(); ++c)
            d->FRLData->Strings()->SetColAttrib(c, d->FRLData->Strings()->GetColAttrib(c) | rlColSelected);
    }
    ChangedSelection();
}

void TReportListView::DeselectAllColumns()
{
    {
        TPaintHold hold(this);
        for (int c = 1; c <= NrOfColumns(); ++c)
            d->FRLData->Strings()->SetColAttrib(c, d->FRLData->Strings()->GetColAttrib(c) & ~rlColSelected);
    }
    ChangedSelection();
}

int TReportListView::NumSelectedRows() const
{
    int n = 0;
    for (int r = 1; r <= NrOfRows(); ++r)
        n += (RowAttrib(r) & rlRowSelected) ? 1 : 0;
    return n;
}

int TReportListView::NumEnabledRows() const
{
    int n = 0;
    for (int r = 1; r <= NrOfRows(); ++r)
        n += (RowAttrib(r) & rlRowDisabled) ? 0 : 1;
    return n;
}

int TReportListView::NumSelectedColumns() const
{
    int n = 0;
    for (int c = 1; c <= NrOfColumns(); ++c)
        n += GetColSelect(c) ? 1 : 0;
    return n;
}

int TReportListView::FirstSelectedRow() const
{
    for (int r = 1; r <= NrOfRows(); ++r)
        if (RowAttrib(r) & rlRowSelected) return r;
    return 0;
}

int TReportListView::FirstSelectedColumn() const
{
    for (int c = 1; c <= NrOfColumns(); ++c)
        if (GetColSelect(c)) return c;
    return 0;
}

// ==== rows ==========================================================================================

void TReportListView::CenterScrollAndSelect(int Row)
{
    const int shown = NrOfShownRows();
    if (Row < 1 || Row > shown) return;
    TPaintHold hold(this);
    SetAllRowBits(rlRowSelected, false, NrOfRows());
    SetRowSelect(Row, true);
    const int v = VisibleRowCount();
    const int top = Row > shown - v / 2 ? shown - v + 1 : Row - v / 2;
    SetTopRow(std::max(1, top));
    const int g = Row + CountHeadRows() - 1;
    SetSelection(GridRect(FixedCols(), g, ColCount() - 1, g));
}

QPoint TReportListView::MouseCell(int X, int Y) const
{
    const TGridCoord hit = MouseCoord(X, Y);
    const int h = CountHeadRows();
    const int col = hit.X < 0 ? 0 : hit.X + 1;
    int row;
    if (hit.Y < 0)
        row = 0;
    else if (hit.Y >= h)
        row = hit.Y - h + 1;
    else
        row = (d->FComHdVis && hit.Y == 0) ? -2 : -1;
    return QPoint(col, row);
}

int TReportListView::AddRow()
{
    SetNrRows(NrOfRows() + 1);
    return NrOfRows();
}

int TReportListView::InsertRow(int Row)
{
    HideEditor();
    if (Row <= 0) return 0;
    TPaintHold hold(this);
    const int r = d->FRLData->InsertRow(Row);
    d->FRLData->ResetSortState(); // the presented order is no longer a sort
    SetNrRows(d->FRLData->NrOfRows());
    return r;
}

void TReportListView::RemoveRow(int Row)
{
    if (!ValidRow(Row)) return;
    HideEditor();
    TPaintHold hold(this);
    const int shownBefore = d->FFilterCount;
    // The row the user sees at Row goes, sorted, filtered or not; the others keep their order.
    d->FRLData->RemoveRow(Row);
    if (shownBefore >= 0) // the matching rows are still on top, one fewer when Row was one of them
        d->FFilterCount =
            NrOfRows() == 0 ? -1 : std::min(Row <= shownBefore ? shownBefore - 1 : shownBefore, NrOfRows());
    ApplyHeaderRows();
    ChangedSetup();
}

void TReportListView::RemoveEmptyRows()
{
    HideEditor();
    TPaintHold hold(this);
    d->FRLData->RemoveEmptyRows();
    d->FFilterCount = -1;
    ApplyHeaderRows();
    ChangedSetup();
}

void TReportListView::Fill(const QString &Value)
{
    HideEditor();
    TPaintHold hold(this);
    d->FRLData->Fill(Value);
}

void TReportListView::Clear()
{
    HideEditor();
    TPaintHold hold(this);
    d->FRLData->Clear();
    std::fill(d->FColAlignment.begin(), d->FColAlignment.end(), taLeftJustify);
    std::fill(d->FColumnIsPwd.begin(), d->FColumnIsPwd.end(), false);
    std::fill(d->FColumnEditable.begin(), d->FColumnEditable.end(), false);
    d->FFilterCount = -1;
    ApplyHeaderRows();
}

// ==== column widths =================================================================================

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon)
{
    SetColWidths(ColNr, std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon));
}

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int MaxWidth, int Addon)
{
    SetColWidths(ColNr, std::min(MaxWidth, std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon)));
}

int TReportListView::DetermineMaxColWidth(int ColNr, bool IncludeHeader) const
{
    if (!ValidCol(ColNr)) return 9;
    const QFontMetrics fm(Font()->ToQFont());
    const int italic = (Font()->Style() & fsItalic) ? 2 : 0;
    // Radio columns draw their mark in the same room as check boxes.
    const bool check = GetColCheckMode(ColNr) != cmNone;
    const int extra = (check ? 16 : 0) + italic;
    int widest = 0;
    if (GetColumnIsPwd(ColNr)) {
        if (NrOfRows() > 0) widest = fm.horizontalAdvance(RLPasswordText()) + extra;
    } else {
        const TStringArray *s = d->FRLData->Strings();
        for (int r = 1; r <= NrOfRows(); ++r) {
            const QString t = s->GetString(ColNr, r);
            widest = std::max(widest, fm.horizontalAdvance(check ? t.mid(1) : t) + extra);
        }
    }
    if (IncludeHeader) {
        int w = 0;
        const QStringList lines = GetColName(ColNr).split(QLatin1Char('\n'));
        for (const QString &line : lines)
            w = std::max(w, fm.horizontalAdvance(line));
        widest = std::max(widest, w + (ShownSortColumn() == ColNr ? 13 : 0) + italic);
    }
    return 9 + widest;
}

void TReportListView::ExpandColWidth(int ColIx, int RightMargin)
{
    if (ValidCol(ColIx)) {
        qint64 others = 0;
        for (int c = 1; c <= NrOfColumns(); ++c)
            if (c != ColIx) others += ColWidths(c - 1);
        const qint64 w = std::max<qint64>(16, qint64(ClientWidth()) - RightMargin - others);
        TCustomGrid::SetColWidths(ColIx - 1, int(std::min<qint64>(w, INT_MAX)));
    }
    ChangedSetup();
}

void TReportListView::FitAllColWidths(int ExpandColumn, bool IncludeHeader, int RightMargin, int MaxWidth,
                                      int Addon)
{
    TPaintHold hold(this);
    for (int c = 1; c <= NrOfColumns(); ++c)
        if (c != ExpandColumn) AutoColWidth(c, IncludeHeader, MaxWidth, Addon);
    ExpandColWidth(ExpandColumn, RightMargin);
}

} // namespace kro
