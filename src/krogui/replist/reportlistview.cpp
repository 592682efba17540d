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

namespace {

// Shows the hourglass while it lives.
class TWaitCursor
{
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;
};

// Holds the store's change notification back while a bulk operation runs.
class TStoreQuiet
{
public:
    explicit TStoreQuiet(TStringArray *S) : FStore(S), FSaved(S->OnChange()) { S->SetOnChange(nullptr); }
    ~TStoreQuiet() { FStore->SetOnChange(std::move(FSaved)); }
    TStoreQuiet(const TStoreQuiet &) = delete;
    TStoreQuiet &operator=(const TStoreQuiet &) = delete;

private:
    TStringArray *FStore;
    TNotifyEvent FSaved;
};

} // namespace

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

// ==== plain getters and event slots ================================================================

TRLData *TReportListView::RLData() const
{
    return d->FRLData.get();
}

bool TReportListView::IsFiltered() const
{
    return d->FFilterCount >= 0;
}

bool TReportListView::AutoAdvance() const
{
    return d->FAutoAdvance;
}

void TReportListView::SetAutoAdvance(bool Value)
{
    d->FAutoAdvance = Value;
}

TColor TReportListView::ColorHigh() const
{
    return d->FCellLook.FHiLgtColor;
}

TColor TReportListView::ColorHighText() const
{
    return d->FCellLook.FHiLgtTextColor;
}

TColor TReportListView::ColorText() const
{
    return d->FCellLook.FColorNormal;
}

TColor TReportListView::ColorBkgdNormal() const
{
    return d->FCellLook.FRColorNormal;
}

TColor TReportListView::ColorBkgdShaded() const
{
    return d->FCellLook.FRColorShaded;
}

TColor TReportListView::ColorColumnHd() const
{
    return d->FColHdColor;
}

TColor TReportListView::ColorColumnHdText() const
{
    return d->FColHdTxtColor;
}

TColor TReportListView::ColorCommonHd() const
{
    return d->FComHdColor;
}

TColor TReportListView::ColorCommonHdText() const
{
    return d->FComHdTxtColor;
}

TColor TReportListView::ColorDisabledBkgd() const
{
    return d->FCellLook.FDisabledBkgdColor;
}

TColor TReportListView::ColorDisabledText() const
{
    return d->FCellLook.FDisabledTextColor;
}

TColor TReportListView::ColorEmptyMsg() const
{
    return d->FColorEmptyMsg;
}

TColor TReportListView::ColorSelectedRow() const
{
    return d->FCellLook.FSelRowColor;
}

TColor TReportListView::ColorSelectedRowText() const
{
    return d->FCellLook.FSelRowTextColor;
}

TColor TReportListView::ColorSelectedCol() const
{
    return d->FCellLook.FSelColColor;
}

TColor TReportListView::ColorSelectedColText() const
{
    return d->FCellLook.FSelColTextColor;
}

TColor TReportListView::ColorSelectedBoth() const
{
    return d->FCellLook.FSelBothColor;
}

TColor TReportListView::ColorSelectedBothText() const
{
    return d->FCellLook.FSelBothTextColor;
}

TColor TReportListView::FixedColor() const
{
    return d->FColHdColor;
}

TAlignment TReportListView::CommonHeaderAlignment() const
{
    return d->FHeaderAlignment;
}

bool TReportListView::CommonHeaderVisible() const
{
    return d->FComHdVis;
}

int TReportListView::CommonHeaderHeight() const
{
    return d->FComHdHgt;
}

bool TReportListView::ColumnHeadersVisible() const
{
    return d->FColHdVis;
}

int TReportListView::ColumnHeadersHeight() const
{
    return d->FColHdHgt;
}

QString TReportListView::EmptyMessage() const
{
    return d->FEmptyMsg;
}

bool TReportListView::Enabled() const
{
    return d->FCellLook.FEnabled;
}

bool TReportListView::FixedFirstColumn() const
{
    return d->FFixedColOne;
}

bool TReportListView::HighLightBold() const
{
    return d->FCellLook.FHiLgtBold;
}

int TReportListView::HighLightRow() const
{
    return d->FCellLook.FHiLgtRow;
}

int TReportListView::HighLightColumn() const
{
    return d->FCellLook.FHiLgtColumn;
}

TColor TReportListView::InterRowIndicatorColor() const
{
    return d->FInterRowColor;
}

int TReportListView::InterRowIndicatorWidth() const
{
    return d->FInterRowWidth;
}

int TReportListView::RowColPattern() const
{
    return d->FCellLook.FRowColPattern;
}

TRowSelectMode TReportListView::RowSelectMode() const
{
    return d->FRowSelectMode;
}

bool TReportListView::ShowEmptyCheckBoxes() const
{
    return d->FCellLook.FShowEmptyCBx;
}

bool TReportListView::SortEnabled() const
{
    return d->FSortEnabled;
}

void TReportListView::SetSortEnabled(bool Value)
{
    d->FSortEnabled = Value;
}

bool TReportListView::UseCtrlForMultiSel() const
{
    return d->FCtrlForMultiSel;
}

void TReportListView::SetUseCtrlForMultiSel(bool Value)
{
    d->FCtrlForMultiSel = Value;
}

bool TReportListView::CheckMarksReadOnly() const
{
    return d->FCellLook.FROCheckMarks;
}

int TReportListView::InterRowIndicatorPos() const
{
    return d->FInterRowIndi;
}

bool TReportListView::SuppressPaint() const
{
    return d->FSuppressPaint;
}

void TReportListView::SetOnChange(TNotifyEvent H)
{
    d->FOnChange = std::move(H);
}

const TNotifyEvent &TReportListView::OnChange() const
{
    return d->FOnChange;
}

void TReportListView::SetOnChangeSetup(TNotifyEvent H)
{
    d->FOnChangeSetup = std::move(H);
}

const TNotifyEvent &TReportListView::OnChangeSetup() const
{
    return d->FOnChangeSetup;
}

void TReportListView::SetOnSelectedChange(TNotifyEvent H)
{
    d->FOnSelectedChange = std::move(H);
}

const TNotifyEvent &TReportListView::OnSelectedChange() const
{
    return d->FOnSelectedChange;
}

void TReportListView::SetOnBeforeCheckedChange(TCheckStateChangeEvent H)
{
    d->FOnBefChkStChange = std::move(H);
}

const TCheckStateChangeEvent &TReportListView::OnBeforeCheckedChange() const
{
    return d->FOnBefChkStChange;
}

void TReportListView::SetOnCheckedChange(TCheckStateChangeEvent H)
{
    d->FOnChkStChange = std::move(H);
}

const TCheckStateChangeEvent &TReportListView::OnCheckedChange() const
{
    return d->FOnChkStChange;
}

void TReportListView::SetOnBeforeFilter(TBeforeFilterEvent H)
{
    d->FOnBeforeFilter = std::move(H);
}

const TBeforeFilterEvent &TReportListView::OnBeforeFilter() const
{
    return d->FOnBeforeFilter;
}

void TReportListView::SetOnRequestEditFormat(TRequestEditFormatEvent H)
{
    d->FOnRequestEdFmt = std::move(H);
}

const TRequestEditFormatEvent &TReportListView::OnRequestEditFormat() const
{
    return d->FOnRequestEdFmt;
}

void TReportListView::SetOnBeforeRenderCell(TRenderCellEvent H)
{
    d->FOnBefRenderCell = std::move(H);
}

const TRenderCellEvent &TReportListView::OnBeforeRenderCell() const
{
    return d->FOnBefRenderCell;
}

void TReportListView::SetOnBeforeSortExchange(TBeforeSortExchgEvent H)
{
    d->FOnBefSortExc = std::move(H);
}

const TBeforeSortExchgEvent &TReportListView::OnBeforeSortExchange() const
{
    return d->FOnBefSortExc;
}

void TReportListView::SetOnBeforeHTMLExport(TBeforeHTMLExportEvent H)
{
    d->FOnBefHTMLExport = std::move(H);
}

const TBeforeHTMLExportEvent &TReportListView::OnBeforeHTMLExport() const
{
    return d->FOnBefHTMLExport;
}

void TReportListView::SetOnPercentDone(TOnPercentDoneEvent H)
{
    d->FOnPercentDone = std::move(H);
}

const TOnPercentDoneEvent &TReportListView::OnPercentDone() const
{
    return d->FOnPercentDone;
}

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
    };
    s->SetOnPercentDone(percent);
    d->FRLData->SetOnPercentDone(percent);
    d->FRLData->SetOnBeforeSortExchange([this](QObject *, int What, int Ix1, int Ix2) {
        if (d->FOnBefSortExc) d->FOnBefSortExc(this, What, Ix1, Ix2);
    });
    d->FRLData->SetOnBeforeHTMLExport([this](QObject *, QString &Text, int Col, int Row) {
        if (d->FOnBefHTMLExport) d->FOnBefHTMLExport(this, Text, Col, Row);
    });
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

// ==== properties ====================================================================================

void TReportListView::SetColorField(TColor &Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetColorHigh(TColor Value)
{
    SetColorField(d->FCellLook.FHiLgtColor, Value);
}
void TReportListView::SetColorHighText(TColor Value)
{
    SetColorField(d->FCellLook.FHiLgtTextColor, Value);
}
void TReportListView::SetColorText(TColor Value)
{
    SetColorField(d->FCellLook.FColorNormal, Value);
}
void TReportListView::SetColorBkgdNormal(TColor Value)
{
    SetColorField(d->FCellLook.FRColorNormal, Value);
}
void TReportListView::SetColorBkgdShaded(TColor Value)
{
    SetColorField(d->FCellLook.FRColorShaded, Value);
}
void TReportListView::SetColorColumnHdText(TColor Value)
{
    SetColorField(d->FColHdTxtColor, Value);
}
void TReportListView::SetColorCommonHd(TColor Value)
{
    SetColorField(d->FComHdColor, Value);
}
void TReportListView::SetColorCommonHdText(TColor Value)
{
    SetColorField(d->FComHdTxtColor, Value);
}
void TReportListView::SetColorDisabledBkgd(TColor Value)
{
    SetColorField(d->FCellLook.FDisabledBkgdColor, Value);
}
void TReportListView::SetColorDisabledText(TColor Value)
{
    SetColorField(d->FCellLook.FDisabledTextColor, Value);
}
void TReportListView::SetColorEmptyMsg(TColor Value)
{
    SetColorField(d->FColorEmptyMsg, Value);
}
void TReportListView::SetColorSelectedRow(TColor Value)
{
    SetColorField(d->FCellLook.FSelRowColor, Value);
}
void TReportListView::SetColorSelectedRowText(TColor Value)
{
    SetColorField(d->FCellLook.FSelRowTextColor, Value);
}
void TReportListView::SetColorSelectedCol(TColor Value)
{
    SetColorField(d->FCellLook.FSelColColor, Value);
}
void TReportListView::SetColorSelectedColText(TColor Value)
{
    SetColorField(d->FCellLook.FSelColTextColor, Value);
}
void TReportListView::SetColorSelectedBoth(TColor Value)
{
    SetColorField(d->FCellLook.FSelBothColor, Value);
}
void TReportListView::SetColorSelectedBothText(TColor Value)
{
    SetColorField(d->FCellLook.FSelBothTextColor, Value);
}

void TReportListView::SetColorColumnHd(TColor Value)
{
    // The grid's fixed colour fills the lines' room of the header cells: keep both equal.
    TCustomGrid::SetFixedColor(Value);
    SetColorField(d->FColHdColor, Value);
}

QString TReportListView::CommonHeader() const
{
    return d->FRLData->CommonHeader();
}

void TReportListView::SetCommonHeader(const QString &Value)
{
    if (Value == d->FRLData->CommonHeader()) return;
    d->FRLData->SetCommonHeader(Value);
    Changed();
    RepaintView();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment Value)
{
    if (Value == d->FHeaderAlignment) return;
    d->FHeaderAlignment = Value;
    Changed();
    RepaintView();
}

void TReportListView::SetCommonHeaderVisible(bool Value)
{
    if (Value == d->FComHdVis) return;
    d->FComHdVis = Value;
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetCommonHeaderHeight(int Value)
{
    Value = std::clamp(Value, 8, 127);
    if (Value == d->FComHdHgt) return;
    d->FComHdHgt = Value;
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetColumnHeadersVisible(bool Value)
{
    if (Value == d->FColHdVis) return;
    d->FColHdVis = Value;
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetColumnHeadersHeight(int Value)
{
    Value = std::clamp(Value, 8, 127);
    if (Value == d->FColHdHgt) return;
    d->FColHdHgt = Value;
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetDefaultRowHeight(int Value)
{
    if (Value == TCustomGrid::DefaultRowHeight()) return;
    TCustomGrid::SetDefaultRowHeight(Value); // forgets every row's own height
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetEmptyMessage(const QString &Value)
{
    if (Value == d->FEmptyMsg) return;
    d->FEmptyMsg = Value;
    RepaintView();
}

void TReportListView::SetEnabled(bool Value)
{
    if (Value == d->FCellLook.FEnabled) return;
    d->FCellLook.FEnabled = Value;
    TCustomGrid::SetEnabled(Value);
    RepaintView();
}

void TReportListView::SetFixedFirstColumn(bool Value)
{
    if (Value == d->FFixedColOne) return;
    d->FFixedColOne = Value;
    SetFixedCols(Value ? 1 : 0);
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetHighLightBold(bool Value)
{
    if (Value == d->FCellLook.FHiLgtBold) return;
    d->FCellLook.FHiLgtBold = Value;
    RepaintView();
}

void TReportListView::SetHighLightRow(int Value)
{
    if (Value == d->FCellLook.FHiLgtRow) return;
    d->FCellLook.FHiLgtRow = Value;
    RepaintView();
}

void TReportListView::SetHighLightColumn(int Value)
{
    if (Value == d->FCellLook.FHiLgtColumn) return;
    d->FCellLook.FHiLgtColumn = Value;
    RepaintView();
}

void TReportListView::SetInterRowIndicatorColor(TColor Value)
{
    if (Value == d->FInterRowColor) return;
    d->FInterRowColor = Value;
    RepaintView();
}

void TReportListView::SetInterRowIndicatorWidth(int Value)
{
    Value = std::max(1, Value);
    if (Value == d->FInterRowWidth) return;
    d->FInterRowWidth = Value;
    RepaintView();
}

void TReportListView::SetInterRowIndicatorPos(int Value)
{
    if (Value == d->FInterRowIndi) return;
    d->FInterRowIndi = Value;
    RepaintView();
}

int TReportListView::LeftCol() const
{
    return TCustomGrid::LeftCol() + 1;
}

void TReportListView::SetLeftCol(int Value)
{
    Value = std::max(std::min(Value, NrOfColumns()), FixedCols() + 1);
    TCustomGrid::SetLeftCol(Value - 1);
}

int TReportListView::TopRow() const
{
    return TCustomGrid::TopRow() - CountHeadRows() + 1;
}

void TReportListView::SetTopRow(int Value)
{
    const int h = CountHeadRows();
    const int last = h + std::max(NrOfShownRows(), 1) - 1;
    TCustomGrid::SetTopRow(std::clamp(Value + h - 1, h, last));
}

void TReportListView::SetRowColPattern(int Value)
{
    if (Value == d->FCellLook.FRowColPattern) return;
    d->FCellLook.FRowColPattern = Value;
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetRowSelectMode(int Value)
{
    if (Value < rsmNone || Value > rsmMultiple) return;
    SetRowSelectMode(TRowSelectMode(Value));
}

void TReportListView::SetRowSelectMode(TRowSelectMode Value)
{
    if (Value < rsmNone || Value > rsmMultiple) return;
    d->FRowSelectMode = Value;
    if (Value == rsmMultiple) return;
    {
        TPaintHold hold(this);
        SetAllRowBits(rlRowSelected, false, NrOfRows());
        if (Value == rsmNone) SetSelection(GridRect(ColCount(), RowCount(), ColCount(), RowCount()));
    }
    ChangedSelection();
}

void TReportListView::SetShowEmptyCheckBoxes(bool Value)
{
    if (Value == d->FCellLook.FShowEmptyCBx) return;
    d->FCellLook.FShowEmptyCBx = Value;
    RepaintView();
}

QString TReportListView::Comment() const
{
    return d->FRLData->Comment();
}
void TReportListView::SetComment(const QString &Value)
{
    d->FRLData->SetComment(Value);
}
QString TReportListView::DataID() const
{
    return d->FRLData->DataID();
}
void TReportListView::SetDataID(const QString &Value)
{
    d->FRLData->SetDataID(Value);
}
int TReportListView::LastSortColumn() const
{
    return d->FRLData->SortColumn();
}
bool TReportListView::LastSortOrder() const
{
    return d->FRLData->SortOrder();
}
int TReportListView::SecondarySortColumn() const
{
    return d->FRLData->SortColumnSec();
}

void TReportListView::SetSecondarySortColumn(int Value)
{
    if (Value < -1 || Value > NrOfColumns()) return;
    d->FRLData->SetSortColumnSec(Value);
    ChangedSetup();
}

void TReportListView::SetCheckMarksReadOnly(bool Value)
{
    if (Value == d->FCellLook.FROCheckMarks) return;
    d->FCellLook.FROCheckMarks = Value;
    RepaintView();
}

void TReportListView::SetSuppressPaint(bool Value)
{
    if (Value == d->FSuppressPaint) return;
    d->FSuppressPaint = Value;
    if (!Value) Repaint();
}

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
    TStringArray *s = d->FRLData->Strings();
    UpTo = std::min(UpTo, NrOfRows());
    for (int r = 1; r <= UpTo; ++r) {
        const quint8 a = s->GetRowAttrib(r);
        const quint8 b = On ? quint8(a | Bit) : quint8(a & ~Bit);
        if (a != b) s->SetRowAttrib(r, b);
    }
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
    // The data makes the presented order permanent before it removes the row, so the row the
    // user sees at Row is the one that goes, sorted or not.
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

// ==== sorting and filtering =========================================================================

void TReportListView::Sort(int Col, int ColSec, bool Ascending)
{
    if (d->FFilterCount >= 0) {
        TPaintHold hold(this);
        const TStringArray *s = d->FRLData->Strings();
        std::vector<char> shown(size_t(NrOfRows()), 0);
        for (int r = 1; r <= NrOfShownRows(); ++r)
            shown[size_t(s->GetSortOrder(r) - 1)] = 1;
        const int count = NrOfShownRows();
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
    std::vector<int> pos(size_t(n) + 1, 0); // stored row -> presented row
    for (int r = 1; r <= n; ++r)
        pos[size_t(s->GetSortOrder(r))] = r;
    bool changed = false;
    {
        TStoreQuiet quiet(s);
        for (int r = 1; r <= n; ++r) {
            const int want = NewOrder[size_t(r - 1)], cur = s->GetSortOrder(r);
            if (want == cur) continue;
            const int other = pos[size_t(want)];
            // Reported like the store's own sort: an exchange of two presented rows, before it happens.
            if (d->FOnBefSortExc) {
                d->FOnBefSortExc(this, 0, r, other);
                if (NrOfRows() != n) break; // the handler reshaped the list: stop here, nothing is lost
            }
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
    if (d->FOnBeforeFilter) {
        for (int r = 1; r <= n; ++r) {
            bool found = true;
            TLogicOp op = loAND;
            d->FOnBeforeFilter(this, r, found, op);
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
    for (int r = 1; r <= NrOfRows(); ++r) {
        const quint8 a = store->GetRowAttrib(r);
        const quint8 b = r <= count ? quint8(a | rlRowSelected) : quint8(a & ~rlRowSelected);
        if (a != b) store->SetRowAttrib(r, b);
    }
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

// ==== notifications and copying =====================================================================

void TReportListView::Changed()
{
    if (d->FOnChange) d->FOnChange(this);
}

void TReportListView::ChangedSetup()
{
    if (d->FOnChangeSetup) d->FOnChangeSetup(this);
}

void TReportListView::ChangedSelection()
{
    if (d->FOnSelectedChange) d->FOnSelectedChange(this);
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

// ==== painting ======================================================================================

void TReportListView::Paint()
{
    if (d->FSuppressPaint) return;
    TCustomDrawGrid::Paint();
    if (NrOfShownRows() == 0) DrawEmptyMessage();
    DrawInterRowIndicator();
}

void TReportListView::DrawEmptyMessage()
{
    TCanvas *c = Canvas();
    int y0 = 0;
    for (int r = 0; r < FixedRows(); ++r)
        y0 += RowHeights(r) + 1;
    const int w = ClientWidth(), h = ClientHeight();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(0, y0, w, h);
    if (d->FEmptyMsg.isEmpty()) return;
    c->Font()->Assign(*Font());
    c->Font()->SetColor(d->FColorEmptyMsg);
    const QStringList lines = d->FEmptyMsg.split(QLatin1Char('|'));
    const int lh = c->TextHeight(d->FEmptyMsg);
    const int y1 = y0 - int(lines.size()) * lh;
    for (int i = 0; i < int(lines.size()); ++i)
        c->TextOut((w - c->TextWidth(lines[i])) / 2, y1 + (h - y1 - lh) / 2 + i * lh - 2, lines[i]);
}

void TReportListView::DrawInterRowIndicator()
{
    const int p = d->FInterRowIndi;
    const int t = TopRow();
    if (p == 0 || p < t || p > NrOfShownRows() + 1) return;
    // The upper edge of data row P: one pixel above the row, on the grid line when there is one.
    const int lw = (Options() & (goFixedHorzLine | goHorzLine)) ? GridLineWidth() : 0;
    qint64 y = 0;
    for (int r = 0; r < FixedRows(); ++r)
        y += RowHeights(r) + lw;
    const int h = CountHeadRows();
    for (int g = t + h - 1; g < p + h - 1 && y <= ClientHeight(); ++g)
        y += RowHeights(g) + lw;
    if (y > ClientHeight()) return;
    TCanvas *c = Canvas();
    c->Pen()->SetColor(d->FInterRowColor);
    c->Pen()->SetWidth(d->FInterRowWidth);
    c->Pen()->SetStyle(psSolid);
    c->MoveTo(0, int(std::max<qint64>(0, y - 1)));
    c->LineTo(ClientWidth(), int(std::max<qint64>(0, y - 1)));
    c->Pen()->SetWidth(1);
}

bool TReportListView::IsColumnHeaderGridRow(int GridRow) const
{
    return d->FColHdVis && GridRow == (d->FComHdVis ? 1 : 0) && GridRow < FixedRows();
}

int TReportListView::HeaderRightEdge() const
{
    // The right edge of the last visible column (columns of width 0 are passed over).
    int xr = 0;
    for (int c = 0; c < FixedCols(); ++c) {
        const TRect r = CellRect(c, 0);
        if (!r.IsEmpty()) xr = r.Right;
    }
    for (int c = TCustomGrid::LeftCol(); c < ColCount(); ++c) {
        const TRect r = CellRect(c, 0);
        if (r.IsEmpty()) {
            if (ColWidths(c) == 0) continue;
            break;
        }
        xr = r.Right;
    }
    return xr;
}

QString TReportListView::CutText(const QString &Text, int TextWidth, int Room, bool RightAligned)
{
    return RLCutCellText(Text, TextWidth, Room, RightAligned);
}

QString TReportListView::CutHeaderLine(const QString &Line, int LineWidth, int Room)
{
    return RLCutHeaderLine(Line, LineWidth, Room);
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State)
{
    Canvas()->Font()->Assign(*Font());
    if (ARow >= FixedRows()) {
        DrawDataCell(ACol, ARow, Rect);
    } else if (State & gdFixed) {
        const int xr = HeaderRightEdge();
        const bool italic = Font()->Style() & fsItalic;
        if (d->FComHdVis && ARow == 0) {
            RLPaintCommonHeader(Canvas(), Rect, xr, CommonHeader(), d->FHeaderAlignment, d->FComHdColor,
                                d->FComHdTxtColor);
        } else if (IsColumnHeaderGridRow(ARow)) {
            TRLHeaderCell head;
            head.Name = GetColName(ACol + 1);
            head.Align = GetColAlignment(ACol + 1);
            head.ColWidth = ColWidths(ACol);
            head.Sorted = ShownSortColumn() == ACol + 1;
            head.Ascending = ShownSortOrder();
            head.Color = d->FColHdColor;
            head.TextColor = d->FColHdTxtColor;
            RLPaintColumnHeader(Canvas(), Rect, xr, head, italic);
        }
    }
    TCustomDrawGrid::DrawCell(ACol, ARow, Rect, State);
}

void TReportListView::DrawDataCell(int ACol, int ARow, const TRect &Rect)
{
    TRLDataCell cell;
    cell.Row = ARow - FixedRows() + 1;
    cell.Col = ACol + 1;
    cell.Shown = cell.Row <= NrOfShownRows();
    cell.FixedCol = ACol < FixedCols();
    cell.Mode = GetColCheckMode(cell.Col);
    cell.Pwd = GetColumnIsPwd(cell.Col);
    cell.Attrib = cell.Shown ? RowAttrib(cell.Row) : 0;
    cell.ColSelected = GetColSelect(cell.Col);
    cell.Align = GetColAlignment(cell.Col);
    if (cell.Shown) cell.Text = d->FRLData->Strings()->GetString(cell.Col, cell.Row);

    TRLCellLook look = RLCellLook(d->FCellLook, cell, Font()->Style());
    if (d->FOnBefRenderCell)
        d->FOnBefRenderCell(this, cell.Col, cell.Row, look.Pen, look.Brush, look.Font, look.Style, look.Text);

    // Without grid lines the background also covers the room a line would take.
    TRect work = Rect;
    if (!cell.FixedCol) {
        if (!(Options() & goVertLine)) work.Right += 1;
        if (!(Options() & goHorzLine)) work.Bottom += 1;
    }
    RLPaintDataCell(Canvas(), Rect, work, d->FCellLook, cell, look, ColWidths(ACol),
                    Font()->Style() & fsItalic);
}

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
    return value;
}

void TReportListView::SetEditText(int ACol, int ARow, const QString &Value)
{
    const int r = DataRowOfGridRow(ARow);
    // SetElem keeps the flag of a check cell (an empty cell stays unchecked).
    d->FRLData->SetElem(ACol + 1, r, Value);
    TCustomGrid::SetEditText(ACol, ARow, Value);
    if (FOnSetEditText) FOnSetEditText(this, ACol, r, Value);
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
    for (int r = 1; r <= NrOfShownRows(); ++r)
        if (s->GetSortOrder(r) == record) {
            const int g = r + FixedRows() - 1;
            const TGridRect sel = Selection();
            SetSelection(GridRect(sel.Left, g, sel.Right, g));
            break;
        }
}

void TReportListView::ToggleCheck(int C, int R)
{
    const QString stored = d->FRLData->Strings()->GetString(C, R);
    bool state = !(!stored.isEmpty() && stored.at(0) != QLatin1Char(' '));
    if (d->FOnBefChkStChange) d->FOnBefChkStChange(this, state, C, R);
    // A radio click always checks its cell (and so clears the others).
    d->FRLData->SetElemChecked(C, R, GetColCheckMode(C) == cmRadio ? true : state);
    if (d->FOnChkStChange) {
        bool after = !state;
        d->FOnChkStChange(this, after, C, R);
    }
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
