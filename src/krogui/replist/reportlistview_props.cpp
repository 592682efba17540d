// The report list view's properties: plain getters, event slots and setters.
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
    ConnectSortExchange();
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
    if (!IsDeclaredValue(Value)) return;
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

} // namespace kro
