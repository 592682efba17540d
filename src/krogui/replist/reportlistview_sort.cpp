// The report list view's sorting and filtering, files, streams and the clipboard.
#include <krogui/replist/reportlistview.h>
#include <krogui/replist/reportlistview_p.h>

#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/data/stringarray.h>
#include <krogui/graphics/colors.h>
#include <krogui/grid/inplaceedit.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMetaMethod>

#include <algorithm>
#include <new>

namespace kro {

using rlimpl::TStoreQuiet;

// ==== sorting and filtering =========================================================================

void TReportListView::Sort(int Col, int ColSec, bool Ascending)
{
    if (d->FFilterCount >= 0) {
        TPaintHold hold(this);
        const std::vector<int> now = d->FRLData->Strings()->SortOrder();
        std::vector<char> shown(now.size(), 0);
        const int count = NrOfShownRows();
        for (int r = 1; r <= count; ++r)
            shown[size_t(now[size_t(r - 1)] - 1)] = 1;
        SortData(Col, ColSec, Ascending);
        d->FFilterSortCol = -1; // the whole list is in this order now
        KeepShownRowsOnTop(shown, count);
        return;
    }
    SortData(Col, ColSec, Ascending);
    RepaintView();
}

void TReportListView::UnSort()
{
    TPaintHold hold(this);
    EndFilter();
    TOrderOnly order(this);
    d->FRLData->UnSort();
}

void TReportListView::SortData(int Col, int ColSec, bool Ascending)
{
    TOrderOnly order(this);
    d->FRLData->Sort(Col, ColSec, Ascending);
}

void TReportListView::EndFilter()
{
    if (d->FFilterCount < 0) return;
    d->FFilterCount = -1;
    ApplyHeaderRows();
}

void TReportListView::ClearFilter()
{
    TPaintHold hold(this);
    EndFilter();
}

void TReportListView::ApplyOrder(const std::vector<int> &NewOrder)
{
    TStringArray *s = d->FRLData->Strings();
    const int n = NrOfRows();
    if (int(NewOrder.size()) != n) return;
    bool changed = false;
    if (!ListensToSortExchange() && s->NrOfRows() == n) {
        TStoreQuiet quiet(s);
        changed = s->SetSortOrder(NewOrder);
    } else {
        std::vector<int> pos(size_t(n) + 1, 0); // stored row -> presented row
        for (int r = 1; r <= n; ++r)
            pos[size_t(s->GetSortOrder(r))] = r;
        TStoreQuiet quiet(s);
        for (int r = 1; r <= n; ++r) {
            const int want = NewOrder[size_t(r - 1)], cur = s->GetSortOrder(r);
            if (want == cur) continue;
            const int other = pos[size_t(want)];
            // Reported like the store's own sort: an exchange of two presented rows, before it happens.
            if (d->FOnBefSortExc) d->FOnBefSortExc(this, 0, r, other);
            Q_EMIT onBeforeSortExchange(this, 0, r, other);
            if (NrOfRows() != n) break; // the handler reshaped the list: stop here, nothing is lost
            s->SetSortOrder(r, want);
            pos[size_t(cur)] = other;
            pos[size_t(want)] = r;
            changed = true;
        }
    }
    if (changed) {
        Changed();
        InvalidateGrid();
    }
}

void TReportListView::SortMatchesOnTop(const std::vector<char> &MatchedStored, int Count, int Col,
                                       bool Ascending)
{
    const int sec = SecondarySortColumn();
    ApplyOrder(TRLFilterEngine::MatchesOnTop(*d->FRLData, MatchedStored, Col, sec, Ascending));
    d->FFilterCount = std::min(Count, NrOfRows());
    // The list as a whole is no longer sorted by the data's sort column; the secondary column is
    // a setting and stays.
    d->FRLData->ResetSortState();
    d->FRLData->SetSortColumnSec(sec);
    d->FFilterSortCol = Col;
    d->FFilterSortAsc = Ascending;
    ApplyHeaderRows();
}

int TReportListView::ShownSortColumn() const
{
    return d->FFilterCount >= 0 && d->FFilterSortCol >= 0 ? d->FFilterSortCol : LastSortColumn();
}

bool TReportListView::ShownSortOrder() const
{
    return d->FFilterCount >= 0 && d->FFilterSortCol >= 0 ? d->FFilterSortAsc : LastSortOrder();
}

void TReportListView::KeepShownRowsOnTop(const std::vector<char> &ShownStored, int Count)
{
    ApplyOrder(TRLFilterEngine::ShownOnTop(*d->FRLData, ShownStored));
    d->FFilterCount = std::min(Count, NrOfRows());
    ApplyHeaderRows();
}

int TReportListView::FilterAndSort(const QString &Query, const std::vector<int> &Columns, bool CaseSensitive,
                                   TFilterMode Mode, int SortColumn, bool Ascending)
{
    HideEditor();
    const int nc = NrOfColumns();
    const bool sortValid = SortColumn >= 0 && SortColumn <= nc;
    if (Query.trimmed().isEmpty()) {
        TPaintHold hold(this);
        EndFilter();
        if (sortValid) SortData(SortColumn, SecondarySortColumn(), Ascending);
        return NrOfRows();
    }
    const TRLFilterQuery query = TRLFilterQuery::Compile(Query, Mode, CaseSensitive);
    if (!query.IsValid()) return -1;

    const std::vector<int> cols = TRLFilterEngine::SearchColumns(*d->FRLData, Columns, d->FColumnIsPwd);
    TPaintHold hold(this);
    const TStringArray *s = d->FRLData->Strings();
    int n = NrOfRows();
    const std::vector<char> verdict = d->FFilter->Verdicts(*d->FRLData, query, cols);

    std::vector<char> matched = verdict;
    if (d->FOnBeforeFilter || isSignalConnected(QMetaMethod::fromSignal(&TReportListView::onBeforeFilter))) {
        for (int r = 1; r <= n; ++r) {
            bool found = true;
            TLogicOp op = loAND;
            if (d->FOnBeforeFilter) d->FOnBeforeFilter(this, r, found, op);
            Q_EMIT onBeforeFilter(this, r, found, op);
            n = std::min(n, NrOfRows());
            if (r > n) break;
            const int st = s->GetSortOrder(r);
            if (st >= 1 && st <= int(matched.size()))
                matched[size_t(st - 1)] = CombineLogic(op, found, verdict[size_t(st - 1)]) ? 1 : 0;
        }
    }
    // A handler that changed the row count leaves verdicts for the rows it knew; new rows do not match.
    matched.resize(size_t(NrOfRows()), 0);
    const int count = int(std::count(matched.begin(), matched.end(), char(1)));

    if (sortValid)
        SortMatchesOnTop(matched, count, SortColumn, Ascending);
    else {
        d->FFilterSortCol = -1;
        KeepShownRowsOnTop(matched, count);
    }

    // The matching rows are selected, the hidden ones not.
    TStringArray *store = d->FRLData->Strings();
    store->SetRowAttribBits(1, count, rlRowSelected, true);
    store->SetRowAttribBits(count + 1, NrOfRows(), rlRowSelected, false);
    d->FSelectAnchor = 1;
    TCustomGrid::SetTopRow(FixedRows());
    if (count > 0 && d->FRowSelectMode != rsmNone)
        SetSelection(GridRect(FixedCols(), FixedRows(), ColCount() - 1, FixedRows()));
    ChangedSelection();
    return count;
}

// ==== files, streams, clipboard =====================================================================

bool TReportListView::SaveAsXMLFile(const QString &FName, const QString &DataID)
{
    return d->FRLData->SaveAsXMLFile(FName, DataID);
}

bool TReportListView::LoadFromXMLFile(const QString &FName, const QString &DataID)
{
    const bool ok = d->FRLData->LoadFromXMLFile(FName, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::WriteToXMLStream(QIODevice *OutStream, bool CreateHeader, const QString &DataID)
{
    return d->FRLData->WriteToXMLStream(OutStream, CreateHeader, DataID);
}

bool TReportListView::ReadFromXMLStream(QIODevice *InStream, const QString &DataID)
{
    const bool ok = d->FRLData->ReadFromXMLStream(InStream, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::ReadFromXMLString(const QString &InString, const QString &DataID)
{
    const bool ok = d->FRLData->ReadFromXMLString(InString, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::WriteToOpenXMLFile(QFile &OutFile, bool CreateHeader, const QString &DataID)
{
    return d->FRLData->WriteToOpenXMLFile(OutFile, CreateHeader, DataID);
}

bool TReportListView::WriteToOpenXMLFile(QTextStream &OutText, bool CreateHeader, const QString &DataID)
{
    return d->FRLData->WriteToOpenXMLFile(OutText, CreateHeader, DataID);
}

bool TReportListView::ReadFromOpenXMLFile(QFile &InFile, const QString &DataID)
{
    const bool ok = d->FRLData->ReadFromOpenXMLFile(InFile, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::ReadFromOpenXMLFile(QTextStream &InText, const QString &DataID)
{
    const bool ok = d->FRLData->ReadFromOpenXMLFile(InText, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::LoadLinesFromFile(int Column, int FirstRow, const QString &FName)
{
    const bool ok = d->FRLData->LoadLinesFromFile(Column, FirstRow, FName);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::ExportHTMLTable(const QString &FName, int LeftCol, int TopRow, int RightCol,
                                      int BottomRow, const std::vector<int> &Columns, int Border,
                                      int CellPadding, int CellSpacing, int TableWidth, bool WithHeader,
                                      const QString &Title, const QString &TableClass,
                                      const QString &HeaderClass)
{
    return d->FRLData->ExportHTMLTable(FName, LeftCol, TopRow, RightCol, BottomRow, Columns, Border,
                                       CellPadding, CellSpacing, TableWidth, WithHeader, Title, TableClass,
                                       HeaderClass);
}

bool TReportListView::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                                      const QString &Separator)
{
    return d->FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator);
}

} // namespace kro
