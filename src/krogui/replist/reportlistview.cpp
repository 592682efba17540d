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

// ==== construction ==================================================================================

TReportListView::TReportListView(QWidget *Parent)
    : TCustomDrawGrid(Parent), d(std::make_unique<TReportListViewPrivate>())
{
    d->FSuppressPaint = true;
    d->FFilter = std::make_unique<TRLFilterEngine>();
    d->FRLData = std::make_unique<TRLData>(nullptr);
    SetDefaultDrawing(false);
    SetFixedCols(0);
    SetFixedRows(1);
    d->FRLData->SetNrCols(ColCount());
    d->FRLData->SetNrRows(RowCount() - 1);
    ResizeColumnArrays(d->FRLData->NrOfColumns(), "failed to initialize table editor (out of memory)");
    ConnectData();
    SetOptions(goFixedVertLine | goFixedHorzLine | goColSizing | goRowSelect | goThumbTracking);
    TCustomGrid::SetTopRow(FixedRows());
    setAccessibleName(QStringLiteral("Report list"));
    d->FSuppressPaint = false;
}

TReportListView::~TReportListView()
{
    // The store's handlers point at this view: detach them before the members go.
    if (d->FRLData) {
        d->FRLData->Strings()->SetOnChange(nullptr);
        d->FRLData->Strings()->SetOnPercentDone(nullptr);
    }
}

void TReportListView::ConnectData()
{
    TStringArray *s = d->FRLData->Strings();
    s->SetOnChange([this](QObject *) {
        if (!d->FOrderOnly) d->FFilter->DropTexts();
        Changed();
        if (!d->FSuppressPaint) InvalidateGrid(); // cell loops cost one repaint, not one per cell
    });
    auto percent = [this](QObject *, int Percent) {
        if (d->FOnPercentDone) d->FOnPercentDone(this, Percent);
        Q_EMIT onPercentDone(this, Percent);
    };
    s->SetOnPercentDone(percent);
    d->FRLData->SetOnPercentDone(percent);
    ConnectSortExchange();
    d->FRLData->SetOnBeforeHTMLExport([this](QObject *, QString &Text, int Col, int Row) {
        if (d->FOnBefHTMLExport) d->FOnBefHTMLExport(this, Text, Col, Row);
        Q_EMIT onBeforeHTMLExport(this, Text, Col, Row);
    });
}

void TReportListView::ConnectSortExchange()
{
    // Only a listener (handler or connected signal) makes the data report its reordering row
    // exchange by row exchange: a header click on a long list must not pay for reports nobody reads.
    if (!ListensToSortExchange()) {
        d->FRLData->SetOnBeforeSortExchange(nullptr);
        return;
    }
    d->FRLData->SetOnBeforeSortExchange([this](QObject *, int What, int Ix1, int Ix2) {
        if (d->FOnBefSortExc) d->FOnBefSortExc(this, What, Ix1, Ix2);
        Q_EMIT onBeforeSortExchange(this, What, Ix1, Ix2);
    });
}

bool TReportListView::ListensToSortExchange() const
{
    return d->FOnBefSortExc ||
           isSignalConnected(QMetaMethod::fromSignal(&TReportListView::onBeforeSortExchange));
}

void TReportListView::connectNotify(const QMetaMethod &Signal)
{
    if (Signal == QMetaMethod::fromSignal(&TReportListView::onBeforeSortExchange)) ConnectSortExchange();
    TCustomDrawGrid::connectNotify(Signal);
}

void TReportListView::disconnectNotify(const QMetaMethod &Signal)
{
    // Qt still holds its connection lock here: look at the listeners once it is done.
    if (Signal == QMetaMethod::fromSignal(&TReportListView::onBeforeSortExchange))
        QMetaObject::invokeMethod(
            this, [this] { ConnectSortExchange(); }, Qt::QueuedConnection);
    TCustomDrawGrid::disconnectNotify(Signal);
}

void TReportListView::ResizeColumnArrays(int N, const char *Reason)
{
    try {
        d->FColAlignment.resize(size_t(N), taLeftJustify);
        d->FColumnEditable.resize(size_t(N), false);
        d->FColumnIsPwd.resize(size_t(N), false);
    } catch (const std::bad_alloc &) {
        throw EKRORepListError(ComponentMessage(QString::fromLatin1(Reason)));
    }
}

void TReportListView::RepaintView()
{
    if (!d->FSuppressPaint) Repaint();
}

// ==== shape =========================================================================================

int TReportListView::NrOfColumns() const
{
    return d->FRLData->NrOfColumns();
}

int TReportListView::NrOfRows() const
{
    return d->FRLData->NrOfRows();
}

int TReportListView::NrOfShownRows() const
{
    const int n = d->FRLData->NrOfRows();
    return d->FFilterCount < 0 ? n : std::min(d->FFilterCount, n);
}

int TReportListView::CountHeadRows() const
{
    return (d->FComHdVis ? 1 : 0) + (d->FColHdVis ? 1 : 0);
}

void TReportListView::ApplyHeaderRows()
{
    const int h = CountHeadRows();
    SetRowCount(std::max(h + NrOfShownRows(), h + 1));
    SetFixedRows(h);
    // Row 1 is a header or a data row that may have been one: it always gets its height back.
    if (d->FComHdVis && d->FColHdVis) {
        SetRowHeights(0, d->FComHdHgt);
        SetRowHeights(1, d->FColHdHgt);
    } else {
        SetRowHeights(0, d->FComHdVis ? d->FComHdHgt : (d->FColHdVis ? d->FColHdHgt : DefaultRowHeight()));
        SetRowHeights(1, DefaultRowHeight());
    }
}

void TReportListView::SetNrRows(int N)
{
    HideEditor();
    d->FRLData->SetNrRows(N);
    d->FFilterCount = -1;
    SetSelection(GridRect(0, 0, 0, 0));
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetNrCols(int N)
{
    HideEditor();
    const int lastWidth = ColWidths(ColCount() - 1);
    d->FRLData->SetNrCols(N);
    const int n = d->FRLData->NrOfColumns();
    SetColCount(n);
    TCustomGrid::SetColWidths(n - 1, lastWidth);
    SetFixedCols(d->FFixedColOne ? 1 : 0);
    ResizeColumnArrays(n, "not enough memory on heap");
    TCustomGrid::SetTopRow(FixedRows());
    RepaintView();
    ChangedSetup();
}

void TReportListView::SyncFromData()
{
    HideEditor();
    d->FFilterCount = -1;
    const int n = d->FRLData->NrOfColumns();
    SetColCount(n);
    SetFixedCols(d->FFixedColOne ? 1 : 0);
    ResizeColumnArrays(n, "not enough memory on heap");
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

// ==== notifications and copying =====================================================================

void TReportListView::Changed()
{
    if (d->FOnChange) d->FOnChange(this);
    Q_EMIT onChange(this);
}

void TReportListView::ChangedSetup()
{
    if (d->FOnChangeSetup) d->FOnChangeSetup(this);
    Q_EMIT onChangeSetup(this);
}

void TReportListView::ChangedSelection()
{
    if (d->FOnSelectedChange) d->FOnSelectedChange(this);
    Q_EMIT onSelectedChange(this);
}

void TReportListView::Assign(const TComponentBase *Source)
{
    const auto *src = dynamic_cast<const TReportListView *>(Source);
    if (!src) {
        TCustomDrawGrid::Assign(Source);
        return;
    }
    if (src == this) return;
    HideEditor();
    TPaintHold hold(this);
    // The data first: when it runs out of memory nothing else has changed yet.
    d->FRLData->Assign(src->d->FRLData.get());
    ConnectData(); // the copy brought the source view's exchange handler along
    std::vector<TAlignment> align;
    std::vector<bool> editable, pwd;
    try {
        align = src->d->FColAlignment;
        editable = src->d->FColumnEditable;
        pwd = src->d->FColumnIsPwd;
    } catch (const std::bad_alloc &) {
        throw EKRORepListError(ComponentMessage(QStringLiteral("not enough memory on heap")));
    }
    d->FAutoAdvance = src->d->FAutoAdvance;
    d->FOnChange = src->d->FOnChange;
    d->FOnChangeSetup = src->d->FOnChangeSetup;
    d->FOnSelectedChange = src->d->FOnSelectedChange;
    d->FHeaderAlignment = src->d->FHeaderAlignment;
    d->FEmptyMsg = src->d->FEmptyMsg;
    d->FComHdVis = src->d->FComHdVis;
    d->FComHdColor = src->d->FComHdColor;
    d->FComHdTxtColor = src->d->FComHdTxtColor;
    d->FComHdHgt = src->d->FComHdHgt;
    d->FColHdVis = src->d->FColHdVis;
    d->FColHdColor = src->d->FColHdColor;
    d->FColHdTxtColor = src->d->FColHdTxtColor;
    d->FColHdHgt = src->d->FColHdHgt;
    d->FColorEmptyMsg = src->d->FColorEmptyMsg;
    const bool wasEnabled = d->FCellLook.FEnabled;
    d->FCellLook = src->d->FCellLook; // colours, bands, highlight, check boxes
    d->FCellLook.FEnabled = wasEnabled;
    d->FSelectAnchor = src->d->FSelectAnchor;
    d->FRowSelectMode = src->d->FRowSelectMode;
    d->FCtrlForMultiSel = src->d->FCtrlForMultiSel;
    d->FSortEnabled = src->d->FSortEnabled;
    d->FOnChkStChange = src->d->FOnChkStChange;
    d->FOnBefChkStChange = src->d->FOnBefChkStChange;
    d->FOnBeforeFilter = src->d->FOnBeforeFilter;
    d->FOnRequestEdFmt = src->d->FOnRequestEdFmt;
    FOnGetEditText = src->FOnGetEditText;
    FOnSetEditText = src->FOnSetEditText;
    d->FOnPercentDone = src->d->FOnPercentDone;
    d->FOnBefRenderCell = src->d->FOnBefRenderCell;
    d->FOnBefSortExc = src->d->FOnBefSortExc;
    ConnectSortExchange();
    d->FOnBefHTMLExport = src->d->FOnBefHTMLExport;
    d->FInterRowIndi = src->d->FInterRowIndi;
    d->FInterRowColor = src->d->FInterRowColor;
    d->FInterRowWidth = src->d->FInterRowWidth;
    d->FFixedColOne = src->d->FFixedColOne;
    d->FFilterCount = src->d->FFilterCount; // the copied order still has the matching rows on top
    TCustomGrid::SetFixedColor(d->FColHdColor);
    if (d->FCellLook.FEnabled != src->d->FCellLook.FEnabled) {
        d->FCellLook.FEnabled = src->d->FCellLook.FEnabled;
        TCustomGrid::SetEnabled(d->FCellLook.FEnabled);
    }
    SetColCount(d->FRLData->NrOfColumns());
    SetFixedCols(d->FFixedColOne ? 1 : 0);
    d->FColAlignment = std::move(align);
    d->FColumnEditable = std::move(editable);
    d->FColumnIsPwd = std::move(pwd);
    ResizeColumnArrays(d->FRLData->NrOfColumns(), "not enough memory on heap");
    ApplyHeaderRows();
}

bool TReportListView::AssignTo(TComponentBase *Dest) const
{
    if (auto *dest = dynamic_cast<TReportListView *>(Dest)) {
        dest->Assign(this);
        return true;
    }
    return TCustomDrawGrid::AssignTo(Dest);
}

} // namespace kro
