#pragma once
// Private state of TReportListView. Not installed.

#include <krogui/replist/reportlistview.h>
#include <krogui/replist/rldata_p.h>

#include <QAbstractButton>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>

#include <memory>
#include <vector>

namespace kro {

struct TReportListViewPrivate
{
    bool FAutoAdvance = false;
    int FLastMousePosX = 0, FLastMousePosY = 0;
    TNotifyEvent FOnChange, FOnChangeSetup, FOnSelectedChange;
    std::vector<TAlignment> FColAlignment;
    TAlignment FHeaderAlignment = taCenter;
    QString FEmptyMsg;
    std::vector<bool> FColumnEditable;
    std::vector<bool> FColumnIsPwd;
    bool FComHdVis = false;
    TColor FComHdColor = clBtnFace, FComHdTxtColor = clBlack;
    int FComHdHgt = 20;
    bool FColHdVis = true;
    TColor FColHdColor = clBtnFace, FColHdTxtColor = clBlack;
    int FColHdHgt = 20;
    TColor FColorEmptyMsg = clBlack;
    int FSelectAnchor = 1;
    TRowSelectMode FRowSelectMode = rsmSingle;
    bool FCtrlForMultiSel = true;
    bool FSortEnabled = true;
    TCheckStateChangeEvent FOnChkStChange, FOnBefChkStChange;
    TBeforeFilterEvent FOnBeforeFilter;
    TRequestEditFormatEvent FOnRequestEdFmt;
    TOnPercentDoneEvent FOnPercentDone;
    TRenderCellEvent FOnBefRenderCell;
    TBeforeSortExchgEvent FOnBefSortExc;
    TBeforeHTMLExportEvent FOnBefHTMLExport;
    bool FSuppressPaint = false;
    TRLCellSettings FCellLook; // colours and flags of the data cells
    int FInterRowIndi = 0;
    TColor FInterRowColor = clRed;
    int FInterRowWidth = 3;
    bool FFixedColOne = false;
    std::unique_ptr<TRLData> FRLData;
    int FFilterCount = -1;                    // matching rows while a filter hides the others; -1: no filter
    std::unique_ptr<TRLFilterEngine> FFilter; // keeps the column texts for filtering
    bool FOrderOnly = false;                  // the store changes only its order (the texts stay valid)
    int FFilterSortCol = -1;                  // column the filter sorted its matches by (-1: none)
    bool FFilterSortAsc = true;
    QPointer<QDialog> FContainerForm;       // the row editor's form while it runs
    QPointer<QAbstractButton> FSBERCancel; // Cancel of the row editor's own form
};

namespace rlviewimpl {

// Shows the hourglass while it lives.
class TWaitCursor
{
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;
};

} // namespace rlviewimpl

// Suppresses painting while it lives; the outermost one repaints at its end.
class TReportListView::TPaintHold
{
public:
    explicit TPaintHold(TReportListView *V) : FView(V), FWas(V->d->FSuppressPaint)
    {
        V->d->FSuppressPaint = true;
    }
    ~TPaintHold()
    {
        FView->d->FSuppressPaint = FWas;
        if (!FWas) FView->Repaint();
    }
    TPaintHold(const TPaintHold &) = delete;
    TPaintHold &operator=(const TPaintHold &) = delete;

private:
    TReportListView *FView;
    bool FWas;
};

// Marks a change of the store that only reorders its rows: the search texts, kept by stored
// row, stay valid.
class TReportListView::TOrderOnly
{
public:
    explicit TOrderOnly(TReportListView *V) : FView(V), FWas(V->d->FOrderOnly) { V->d->FOrderOnly = true; }
    ~TOrderOnly() { FView->d->FOrderOnly = FWas; }
    TOrderOnly(const TOrderOnly &) = delete;
    TOrderOnly &operator=(const TOrderOnly &) = delete;

private:
    TReportListView *FView;
    bool FWas;
};

} // namespace kro
