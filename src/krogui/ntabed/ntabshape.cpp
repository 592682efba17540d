// TNTabEd: marks and cell states, and the operations on the table's shape.
#include <krogui/ntabed/ntabed.h>

#include "ntabed_p.h"

#include <krogui/ntabed/ntabtext.h>

#include <algorithm>

namespace kro {

// ==== marks ===========================================================================================

bool TNTabEd::GetElemMarkedA(int ACol, int ARow) const
{
    return d->Data->GetCellState(ACol, ARow) & ntsMarkA;
}

bool TNTabEd::GetElemMarkedB(int ACol, int ARow) const
{
    return d->Data->GetCellState(ACol, ARow) & ntsMarkB;
}

void TNTabEd::SetElemMarkedA(int ACol, int ARow, bool Value)
{
    if (ACol >= 1 && ARow >= 1 && ACol <= NrOfColumns() && ARow <= NrOfRows()) {
        const quint8 st = d->Data->GetCellState(ACol, ARow);
        d->Data->SetCellState(ACol, ARow, Value ? quint8(st | ntsMarkA) : quint8(st & ~ntsMarkA));
    }
    RepaintIfFree();
    ChangedCellStates();
}

void TNTabEd::SetElemMarkedB(int ACol, int ARow, bool Value)
{
    if (ACol >= 1 && ARow >= 1 && ACol <= NrOfColumns() && ARow <= NrOfRows()) {
        const quint8 st = d->Data->GetCellState(ACol, ARow);
        d->Data->SetCellState(ACol, ARow, Value ? quint8(st | ntsMarkB) : quint8(st & ~ntsMarkB));
    }
    RepaintIfFree();
    ChangedCellStates();
}

bool TNTabEd::IfRowMarked(int Row) const
{
    if (Row < 1 || Row > NrOfRows()) return false;
    quint8 acc = 0;
    for (int c = 1; c <= NrOfColumns(); ++c)
        acc |= d->Data->GetCellState(c, Row);
    return acc > 63;
}

bool TNTabEd::IfColumnMarked(int Col) const
{
    if (Col < 1 || Col > NrOfColumns()) return false;
    quint8 acc = 0;
    for (int r = 1; r <= NrOfRows(); ++r)
        acc |= d->Data->GetCellState(Col, r);
    return acc > 63;
}

bool TNTabEd::IfAnyMarked() const
{
    for (int r = 1; r <= NrOfRows(); ++r)
        if (IfRowMarked(r)) return true;
    return false;
}

int TNTabEd::NrOfMarkedDataA() const
{
    int n = 0;
    for (int c = 1; c <= NrOfColumns(); ++c)
        for (int r = 1; r <= NrOfRows(); ++r)
            n += (d->Data->GetCellState(c, r) & ntsMarkA) ? 1 : 0;
    return n;
}

int TNTabEd::NrOfMarkedDataB() const
{
    int n = 0;
    for (int c = 1; c <= NrOfColumns(); ++c)
        for (int r = 1; r <= NrOfRows(); ++r)
            n += (d->Data->GetCellState(c, r) & ntsMarkB) ? 1 : 0;
    return n;
}

void TNTabEd::MarkAllElemsA()
{
    {
        TNTabBulk bulk(d.get(), true);
        for (int c = 1; c <= NrOfColumns(); ++c)
            for (int r = 1; r <= NrOfRows(); ++r)
                d->Data->SetCellState(c, r, d->Data->GetCellState(c, r) | ntsMarkA);
    }
    RepaintIfFree();
    ChangedCellStates();
}

void TNTabEd::MarkAllElemsB()
{
    {
        TNTabBulk bulk(d.get(), true);
        for (int c = 1; c <= NrOfColumns(); ++c)
            for (int r = 1; r <= NrOfRows(); ++r)
                d->Data->SetCellState(c, r, d->Data->GetCellState(c, r) | ntsMarkB);
    }
    RepaintIfFree();
    ChangedCellStates();
}

void TNTabEd::UnMarkAllElems()
{
    {
        TNTabBulk bulk(d.get(), true);
        d->Data->UnmarkAllCells();
    }
    RepaintIfFree();
    ChangedCellStates();
}

void TNTabEd::InvertCellStates(quint8 StateMask)
{
    {
        TNTabBulk bulk(d.get(), true);
        d->Data->InvertCellStates(StateMask);
    }
    RepaintIfFree();
    ChangedCellStates();
}

void TNTabEd::ExchangeMarkings()
{
    {
        TNTabBulk bulk(d.get(), true);
        d->Data->ExchangeMarkings();
    }
    RepaintIfFree();
    ChangedCellStates();
}

int TNTabEd::FillMarkedCells(double value, quint8 Statemask)
{
    const bool old = d->FSuppressPaint;
    SetSuppressPaint(true);
    int n = 0;
    try {
        n = d->Data->FillMarkedCells(value, Statemask);
    } catch (...) {
        SetSuppressPaint(old);
        throw;
    }
    SetSuppressPaint(old);
    return n;
}

// ==== shape =============================================================================================

namespace {
// Saves SuppressPaint, sets it for the length of an operation and restores it (restoring false
// repaints once).
class TSuppressScope
{
public:
    explicit TSuppressScope(TNTabEd *E) : FE(E), FOld(E->SuppressPaint()) { E->SetSuppressPaint(true); }
    ~TSuppressScope() { FE->SetSuppressPaint(FOld); }
    TSuppressScope(const TSuppressScope &) = delete;
    TSuppressScope &operator=(const TSuppressScope &) = delete;

private:
    TNTabEd *FE;
    bool FOld;
};
} // namespace

void TNTabEd::InsertRow(int ix)
{
    if (ix < 1 || ix > NrOfRows() + 1) return;
    TSuppressScope s(this);
    d->Data->InsertRow(ix);
}

void TNTabEd::InsertColumn(int ix)
{
    if (ix < 1 || ix > NrOfColumns() + 1) return;
    TSuppressScope s(this);
    d->Data->InsertColumn(ix);
}

void TNTabEd::RemoveRow(int ix)
{
    if (ix < 1 || ix > NrOfRows() || NrOfRows() < 2) return;
    HideEditor();
    TSuppressScope s(this);
    d->Data->RemoveRow(ix);
}

void TNTabEd::RemoveColumn(int ix)
{
    if (ix < 1 || ix > NrOfColumns() || NrOfColumns() < 2) return;
    HideEditor();
    TSuppressScope s(this);
    d->Data->RemoveColumn(ix);
}

void TNTabEd::MirrorColumns()
{
    TSuppressScope s(this);
    d->Data->MirrorColumns();
}

void TNTabEd::MirrorRows()
{
    TSuppressScope s(this);
    d->Data->MirrorRows();
}

void TNTabEd::Clear()
{
    TSuppressScope s(this);
    d->Data->Clear();
    for (int c = 1; c <= NrOfColumns(); ++c)
        d->Data->SetColName(c, QStringLiteral("C-%1").arg(c));
    for (int r = 1; r <= NrOfRows(); ++r)
        d->Data->SetRowName(r, QStringLiteral("R-%1").arg(r));
    std::fill(d->FDecP.begin(), d->FDecP.end(), qint8(3));
}

void TNTabEd::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                       bool IncludeHeaders)
{
    TSuppressScope s(this);
    const bool old = d->FSortIncludeHd;
    d->FSortIncludeHd = IncludeHeaders;
    ScopeExit restore{[this, old] { d->FSortIncludeHd = old; }};
    d->Data->SortCols(SortRowIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                       bool IncludeHeaders)
{
    TSuppressScope s(this);
    d->Data->SortRows(SortColIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    TSuppressScope s(this);
    const bool old = d->FSortIncludeHd;
    d->FSortIncludeHd = true; // whole columns move, their places with them
    ScopeExit restore{[this, old] { d->FSortIncludeHd = old; }};
    d->Data->SortColAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    TSuppressScope s(this);
    d->Data->SortRowAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    SortColNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow)
{
    TSuppressScope s(this);
    const bool old = d->FSortIncludeHd;
    d->FSortIncludeHd = true;
    ScopeExit restore{[this, old] { d->FSortIncludeHd = old; }};
    d->Data->SortColNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    SortRowNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow)
{
    TSuppressScope s(this);
    d->Data->SortRowNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

int TNTabEd::FindColIndex(const QString &ColID) const
{
    return d->Data->FindColIndex(ColID);
}

int TNTabEd::FindRowIndex(const QString &RowID) const
{
    return d->Data->FindRowIndex(RowID);
}

void TNTabEd::CopyContentsFrom(const TNTabEd *ExtTab)
{
    if (!ExtTab || ExtTab == this) return;
    const TDataTable *src = ExtTab->Data();
    if (src->NrOfColumns() < 1 || src->NrOfRows() < 1) return;
    TSuppressScope s(this);
    // All or nothing: the copy is made first, then shown.
    TDataTable copy;
    copy.Assign(src);
    const std::vector<qint8> places = ExtTab->d->FDecP;
    Redimension(src->NrOfColumns(), src->NrOfRows());
    {
        TNTabBulk hold(d.get(), true);
        d->Data->Assign(&copy);
    }
    d->FDecP = places;
    d->FDecP.resize(size_t(NrOfColumns()), 3);
    ChangedData();
    ChangedCellStates();
}

bool TNTabEd::CopyCellStatesFrom(const TNTabEd *ExtTab)
{
    if (!ExtTab) return false;
    const TDataTable *src = ExtTab->Data();
    if (src->NrOfColumns() != NrOfColumns() || src->NrOfRows() != NrOfRows()) return false;
    if (ExtTab != this) {
        TNTabBulk hold(d.get(), true);
        for (int c = 1; c <= NrOfColumns(); ++c)
            for (int r = 1; r <= NrOfRows(); ++r)
                d->Data->SetCellState(c, r, src->GetCellState(c, r));
    }
    RepaintIfFree();
    ChangedCellStates();
    return true;
}

} // namespace kro
