#include <krogui/replist/reportlistview.h>

#include <krogui/graphics/colors.h>
#include <krogui/grid/inplaceedit.h>
#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/data/stringarray.h>

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <new>

namespace kro {

namespace {

constexpr TColor BevelGrey = 0x808080;
constexpr TColor FixedCellColor = 0xC0C0C0;
const QString PwdText = QStringLiteral("******");

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

// The raised edge of fixed cells: white left and top, grey bottom and right (R, B exclusive).
void DrawBevel(TCanvas *C, int L, int T, int R, int B)
{
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(L, B - 1);
    C->LineTo(L, T);
    C->LineTo(R, T);
    C->Pen()->SetColor(BevelGrey);
    C->MoveTo(L + 1, B - 1);
    C->LineTo(R - 1, B - 1);
    C->LineTo(R - 1, T);
}

} // namespace

// Suppresses painting while it lives; the outermost one repaints at its end.
class TReportListView::TPaintHold
{
public:
    explicit TPaintHold(TReportListView *V) : FView(V), FWas(V->FSuppressPaint) { V->FSuppressPaint = true; }
    ~TPaintHold()
    {
        FView->FSuppressPaint = FWas;
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
    explicit TOrderOnly(TReportListView *V) : FView(V), FWas(V->FOrderOnly) { V->FOrderOnly = true; }
    ~TOrderOnly() { FView->FOrderOnly = FWas; }
    TOrderOnly(const TOrderOnly &) = delete;
    TOrderOnly &operator=(const TOrderOnly &) = delete;

private:
    TReportListView *FView;
    bool FWas;
};

namespace {

// A cell's text without its first code unit (empty stays empty).
QAnyStringView WithoutFirstUnit(QAnyStringView V)
{
    return V.visit([](auto S) { return S.isEmpty() ? QAnyStringView(S) : QAnyStringView(S.sliced(1)); });
}

} // namespace

// The texts of searched columns, by stored row, for as long as the cells do not change.
struct TReportListView::TSearchCache
{
    const TStringArray *Store = nullptr;
    int Rows = -1, Cols = -1;
    // By column 0..Cols. Texts out of date stay as buffers for the next build: a filter after a
    // change of the cells then needs no fresh memory.
    std::vector<std::unique_ptr<TRLColumnText>> Text;
    std::vector<int> Mode;            // check mode each was built with; -1: out of date
    std::vector<QAnyStringView> View; // room for the cells of the column being built
    void Clear()
    {
        Store = nullptr;
        Rows = Cols = -1;
        std::fill(Mode.begin(), Mode.end(), -1);
    }
};

// ==== construction ==================================================================================

TReportListView::TReportListView(QWidget *Parent) : TCustomDrawGrid(Parent)
{
    FSuppressPaint = true;
    FSearch = std::make_unique<TSearchCache>();
    FRLData = std::make_unique<TRLData>(nullptr);
    SetDefaultDrawing(false);
    SetFixedCols(0);
    SetFixedRows(1);
    FRLData->SetNrCols(ColCount());
    FRLData->SetNrRows(RowCount() - 1);
    ResizeColumnArrays(FRLData->NrOfColumns(), "failed to initialize table editor (out of memory)");
    ConnectData();
    SetOptions(goFixedVertLine | goFixedHorzLine | goColSizing | goRowSelect | goThumbTracking);
    TCustomGrid::SetTopRow(FixedRows());
    setAccessibleName(QStringLiteral("Report list"));
    FSuppressPaint = false;
}

TReportListView::~TReportListView()
{
    // The store's handlers point at this view: detach them before the members go.
    if (FRLData) {
        FRLData->Strings()->SetOnChange(nullptr);
        FRLData->Strings()->SetOnPercentDone(nullptr);
    }
}

void TReportListView::ConnectData()
{
    TStringArray *s = FRLData->Strings();
    s->SetOnChange([this](QObject *) {
        if (!FOrderOnly) FSearch->Clear();
        Changed();
        if (!FSuppressPaint) InvalidateGrid(); // cell loops cost one repaint, not one per cell
    });
    auto percent = [this](QObject *, int Percent) {
        if (FOnPercentDone) FOnPercentDone(this, Percent);
    };
    s->SetOnPercentDone(percent);
    FRLData->SetOnPercentDone(percent);
    FRLData->SetOnBeforeSortExchange([this](QObject *, int What, int Ix1, int Ix2) {
        if (FOnBefSortExc) FOnBefSortExc(this, What, Ix1, Ix2);
    });
    FRLData->SetOnBeforeHTMLExport([this](QObject *, QString &Text, int Col, int Row) {
        if (FOnBefHTMLExport) FOnBefHTMLExport(this, Text, Col, Row);
    });
}

void TReportListView::ResizeColumnArrays(int N, const char *Reason)
{
    try {
        FColAlignment.resize(size_t(N), taLeftJustify);
        FColumnEditable.resize(size_t(N), false);
        FColumnIsPwd.resize(size_t(N), false);
    } catch (const std::bad_alloc &) {
        throw EKRORepListError(ComponentMessage(QString::fromLatin1(Reason)));
    }
}

void TReportListView::RepaintView()
{
    if (!FSuppressPaint) Repaint();
}

// ==== shape =========================================================================================

int TReportListView::NrOfColumns() const
{
    return FRLData->NrOfColumns();
}

int TReportListView::NrOfRows() const
{
    return FRLData->NrOfRows();
}

int TReportListView::NrOfShownRows() const
{
    const int n = FRLData->NrOfRows();
    return FFilterCount < 0 ? n : std::min(FFilterCount, n);
}

int TReportListView::CountHeadRows() const
{
    return (FComHdVis ? 1 : 0) + (FColHdVis ? 1 : 0);
}

void TReportListView::ApplyHeaderRows()
{
    const int h = CountHeadRows();
    SetRowCount(std::max(h + NrOfShownRows(), h + 1));
    SetFixedRows(h);
    // Row 1 is a header or a data row that may have been one: it always gets its height back.
    if (FComHdVis && FColHdVis) {
        SetRowHeights(0, FComHdHgt);
        SetRowHeights(1, FColHdHgt);
    } else {
        SetRowHeights(0, FComHdVis ? FComHdHgt : (FColHdVis ? FColHdHgt : DefaultRowHeight()));
        SetRowHeights(1, DefaultRowHeight());
    }
}

void TReportListView::SetNrRows(int N)
{
    HideEditor();
    FRLData->SetNrRows(N);
    FFilterCount = -1;
    SetSelection(GridRect(0, 0, 0, 0));
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetNrCols(int N)
{
    HideEditor();
    const int lastWidth = ColWidths(ColCount() - 1);
    FRLData->SetNrCols(N);
    const int n = FRLData->NrOfColumns();
    SetColCount(n);
    TCustomGrid::SetColWidths(n - 1, lastWidth);
    SetFixedCols(FFixedColOne ? 1 : 0);
    ResizeColumnArrays(n, "not enough memory on heap");
    TCustomGrid::SetTopRow(FixedRows());
    RepaintView();
    ChangedSetup();
}

void TReportListView::SyncFromData()
{
    HideEditor();
    FFilterCount = -1;
    const int n = FRLData->NrOfColumns();
    SetColCount(n);
    SetFixedCols(FFixedColOne ? 1 : 0);
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
    SetColorField(FHiLgtColor, Value);
}
void TReportListView::SetColorHighText(TColor Value)
{
    SetColorField(FHiLgtTextColor, Value);
}
void TReportListView::SetColorText(TColor Value)
{
    SetColorField(FColorNormal, Value);
}
void TReportListView::SetColorBkgdNormal(TColor Value)
{
    SetColorField(FRColorNormal, Value);
}
void TReportListView::SetColorBkgdShaded(TColor Value)
{
    SetColorField(FRColorShaded, Value);
}
void TReportListView::SetColorColumnHdText(TColor Value)
{
    SetColorField(FColHdTxtColor, Value);
}
void TReportListView::SetColorCommonHd(TColor Value)
{
    SetColorField(FComHdColor, Value);
}
void TReportListView::SetColorCommonHdText(TColor Value)
{
    SetColorField(FComHdTxtColor, Value);
}
void TReportListView::SetColorDisabledBkgd(TColor Value)
{
    SetColorField(FDisabledBkgdColor, Value);
}
void TReportListView::SetColorDisabledText(TColor Value)
{
    SetColorField(FDisabledTextColor, Value);
}
void TReportListView::SetColorEmptyMsg(TColor Value)
{
    SetColorField(FColorEmptyMsg, Value);
}
void TReportListView::SetColorSelectedRow(TColor Value)
{
    SetColorField(FSelRowColor, Value);
}
void TReportListView::SetColorSelectedRowText(TColor Value)
{
    SetColorField(FSelRowTextColor, Value);
}
void TReportListView::SetColorSelectedCol(TColor Value)
{
    SetColorField(FSelColColor, Value);
}
void TReportListView::SetColorSelectedColText(TColor Value)
{
    SetColorField(FSelColTextColor, Value);
}
void TReportListView::SetColorSelectedBoth(TColor Value)
{
    SetColorField(FSelBothColor, Value);
}
void TReportListView::SetColorSelectedBothText(TColor Value)
{
    SetColorField(FSelBothTextColor, Value);
}

void TReportListView::SetColorColumnHd(TColor Value)
{
    // The grid's fixed colour fills the lines' room of the header cells: keep both equal.
    TCustomGrid::SetFixedColor(Value);
    SetColorField(FColHdColor, Value);
}

QString TReportListView::CommonHeader() const
{
    return FRLData->CommonHeader();
}

void TReportListView::SetCommonHeader(const QString &Value)
{
    if (Value == FRLData->CommonHeader()) return;
    FRLData->SetCommonHeader(Value);
    Changed();
    RepaintView();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment Value)
{
    if (Value == FHeaderAlignment) return;
    FHeaderAlignment = Value;
    Changed();
    RepaintView();
}

void TReportListView::SetCommonHeaderVisible(bool Value)
{
    if (Value == FComHdVis) return;
    FComHdVis = Value;
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetCommonHeaderHeight(int Value)
{
    Value = std::clamp(Value, 8, 127);
    if (Value == FComHdHgt) return;
    FComHdHgt = Value;
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetColumnHeadersVisible(bool Value)
{
    if (Value == FColHdVis) return;
    FColHdVis = Value;
    ApplyHeaderRows();
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetColumnHeadersHeight(int Value)
{
    Value = std::clamp(Value, 8, 127);
    if (Value == FColHdHgt) return;
    FColHdHgt = Value;
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
    if (Value == FEmptyMsg) return;
    FEmptyMsg = Value;
    RepaintView();
}

void TReportListView::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    TCustomGrid::SetEnabled(Value);
    RepaintView();
}

void TReportListView::SetFixedFirstColumn(bool Value)
{
    if (Value == FFixedColOne) return;
    FFixedColOne = Value;
    SetFixedCols(Value ? 1 : 0);
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetHighLightBold(bool Value)
{
    if (Value == FHiLgtBold) return;
    FHiLgtBold = Value;
    RepaintView();
}

void TReportListView::SetHighLightRow(int Value)
{
    if (Value == FHiLgtRow) return;
    FHiLgtRow = Value;
    RepaintView();
}

void TReportListView::SetHighLightColumn(int Value)
{
    if (Value == FHiLgtColumn) return;
    FHiLgtColumn = Value;
    RepaintView();
}

void TReportListView::SetInterRowIndicatorColor(TColor Value)
{
    if (Value == FInterRowColor) return;
    FInterRowColor = Value;
    RepaintView();
}

void TReportListView::SetInterRowIndicatorWidth(int Value)
{
    Value = std::max(1, Value);
    if (Value == FInterRowWidth) return;
    FInterRowWidth = Value;
    RepaintView();
}

void TReportListView::SetInterRowIndicatorPos(int Value)
{
    if (Value == FInterRowIndi) return;
    FInterRowIndi = Value;
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
    if (Value == FRowColPattern) return;
    FRowColPattern = Value;
    RepaintView();
    ChangedSetup();
}

void TReportListView::SetRowSelectMode(int Value)
{
    if (Value < 0 || Value > 2) return;
    FRowSelectMode = Value;
    if (Value == 2) return;
    {
        TPaintHold hold(this);
        SetAllRowBits(rlRowSelected, false, NrOfRows());
        if (Value == 0) SetSelection(GridRect(ColCount(), RowCount(), ColCount(), RowCount()));
    }
    ChangedSelection();
}

void TReportListView::SetShowEmptyCheckBoxes(bool Value)
{
    if (Value == FShowEmptyCBx) return;
    FShowEmptyCBx = Value;
    RepaintView();
}

QString TReportListView::Comment() const
{
    return FRLData->Comment();
}
void TReportListView::SetComment(const QString &Value)
{
    FRLData->SetComment(Value);
}
QString TReportListView::DataID() const
{
    return FRLData->DataID();
}
void TReportListView::SetDataID(const QString &Value)
{
    FRLData->SetDataID(Value);
}
int TReportListView::LastSortColumn() const
{
    return FRLData->SortColumn();
}
bool TReportListView::LastSortOrder() const
{
    return FRLData->SortOrder();
}
int TReportListView::SecondarySortColumn() const
{
    return FRLData->SortColumnSec();
}

void TReportListView::SetSecondarySortColumn(int Value)
{
    if (Value < -1 || Value > NrOfColumns()) return;
    FRLData->SetSortColumnSec(Value);
    ChangedSetup();
}

void TReportListView::SetCheckMarksReadOnly(bool Value)
{
    if (Value == FROCheckMarks) return;
    FROCheckMarks = Value;
    RepaintView();
}

void TReportListView::SetSuppressPaint(bool Value)
{
    if (Value == FSuppressPaint) return;
    FSuppressPaint = Value;
    if (!Value) Repaint();
}

// ==== cells and columns =============================================================================

QString TReportListView::GetElem(int Col, int Row) const
{
    return FRLData->GetElem(Col, Row);
}
void TReportListView::SetElem(int Col, int Row, const QString &Value)
{
    FRLData->SetElem(Col, Row, Value);
}
QString TReportListView::GetColName(int Col) const
{
    return FRLData->GetColName(Col);
}

void TReportListView::SetColName(int Col, const QString &Name)
{
    FRLData->SetColName(Col, Name);
    Changed();
    RepaintView();
}

TColFmtString TReportListView::GetColumnFormat(int Col) const
{
    return FRLData->GetColumnFormat(Col);
}

void TReportListView::SetColumnFormat(int Col, const TColFmtString &Fmt)
{
    FRLData->SetColumnFormat(Col, Fmt);
    Changed();
    RepaintView();
}

bool TReportListView::GetCheckedCol(int Col) const
{
    return FRLData->GetCheckedCol(Col);
}

void TReportListView::SetCheckedCol(int Col, bool Checked)
{
    FRLData->SetCheckedCol(Col, Checked);
    Changed();
    RepaintView();
}

TCheckMode TReportListView::GetColCheckMode(int Col) const
{
    return FRLData->GetColCheckMode(Col);
}

void TReportListView::SetColCheckMode(int Col, TCheckMode Mode)
{
    FRLData->SetColCheckMode(Col, Mode);
    Changed();
    RepaintView();
}

bool TReportListView::GetElemChecked(int Col, int Row) const
{
    return FRLData->GetElemChecked(Col, Row);
}

void TReportListView::SetElemChecked(int Col, int Row, bool Checked)
{
    FRLData->SetElemChecked(Col, Row, Checked);
}

void TReportListView::SetAllCheckmarksOfCol(int Column, bool Checked)
{
    TPaintHold hold(this);
    FRLData->SetAllCheckmarksOfCol(Column, Checked);
}

void TReportListView::InvertAllCheckmarksOfCol(int Column)
{
    TPaintHold hold(this);
    FRLData->InvertAllCheckmarksOfCol(Column);
}

int TReportListView::CountCheckedElemsInCol(int Column) const
{
    return FRLData->CountCheckedElemsInCol(Column);
}
int TReportListView::CountCheckedElemsInRow(int Row) const
{
    return FRLData->CountCheckedElemsInRow(Row);
}
int TReportListView::FirstCheckedElemInCol(int ColNr) const
{
    return FRLData->FirstCheckedElemInCol(ColNr);
}
int TReportListView::FirstCheckedElemInRow(int RowNr) const
{
    return FRLData->FirstCheckedElemInRow(RowNr);
}
double TReportListView::GetAsNumber(int Col, int Row) const
{
    return FRLData->GetAsNumber(Col, Row);
}

QString TReportListView::GetCellDefaultValue(int Col, int Row) const
{
    return FRLData->GetCellDefaultValue(Col, Row);
}

int TReportListView::ColumnIndex(const QString &Head, bool PartialMatch) const
{
    return FRLData->ColumnIndex(Head, PartialMatch);
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
    return ValidCol(Col) ? FColAlignment[size_t(Col - 1)] : taLeftJustify;
}

void TReportListView::SetColAlignment(int Col, TAlignment Value)
{
    if (!ValidCol(Col) || FColAlignment[size_t(Col - 1)] == Value) return;
    FColAlignment[size_t(Col - 1)] = Value;
    Changed();
    RepaintView();
}

bool TReportListView::GetColumnEditable(int Col) const
{
    return ValidCol(Col) && FColumnEditable[size_t(Col - 1)];
}

void TReportListView::SetColumnEditable(int Col, bool Value)
{
    if (ValidCol(Col)) FColumnEditable[size_t(Col - 1)] = Value;
}

bool TReportListView::GetColumnIsPwd(int Col) const
{
    return ValidCol(Col) && FColumnIsPwd[size_t(Col - 1)];
}

void TReportListView::SetColumnIsPwd(int Col, bool Value)
{
    if (!ValidCol(Col) || FColumnIsPwd[size_t(Col - 1)] == Value) return;
    FColumnIsPwd[size_t(Col - 1)] = Value;
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
    return FRLData->Strings()->GetRowAttrib(Row);
}

void TReportListView::SetAllRowBits(quint8 Bit, bool On, int UpTo)
{
    TStringArray *s = FRLData->Strings();
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
    if (ValidRow(Row)) FRLData->Strings()->SetRowAttrib(Row, RowAttrib(Row) | rlRowSelected);
}

bool TReportListView::GetRowSelect(int Row) const
{
    return ValidRow(Row) && (RowAttrib(Row) & rlRowSelected);
}

void TReportListView::SetRowSelect(int Row, bool Value)
{
    if (!ValidRow(Row)) return;
    const quint8 a = RowAttrib(Row);
    FRLData->Strings()->SetRowAttrib(Row, Value ? quint8(a | rlRowSelected) : quint8(a & ~rlRowSelected));
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
    FRLData->Strings()->SetRowAttrib(Row, Value ? quint8(a & ~rlRowDisabled) : quint8(a | rlRowDisabled));
    ChangedSelection();
    RepaintView();
}

bool TReportListView::GetColSelect(int Col) const
{
    return ValidCol(Col) && (FRLData->Strings()->GetColAttrib(Col) & rlColSelected);
}

void TReportListView::SetColSelect(int Col, bool Value)
{
    if (!ValidCol(Col)) return;
    TStringArray *s = FRLData->Strings();
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
            FRLData->Strings()->SetColAttrib(c, FRLData->Strings()->GetColAttrib(c) | rlColSelected);
    }
    ChangedSelection();
}

void TReportListView::DeselectAllColumns()
{
    {
        TPaintHold hold(this);
        for (int c = 1; c <= NrOfColumns(); ++c)
            FRLData->Strings()->SetColAttrib(c, FRLData->Strings()->GetColAttrib(c) & ~rlColSelected);
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
        row = (FComHdVis && hit.Y == 0) ? -2 : -1;
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
    const int r = FRLData->InsertRow(Row);
    FRLData->ResetSortState(); // the presented order is no longer a sort
    SetNrRows(FRLData->NrOfRows());
    return r;
}

void TReportListView::RemoveRow(int Row)
{
    if (!ValidRow(Row)) return;
    HideEditor();
    TPaintHold hold(this);
    const int shownBefore = FFilterCount;
    // The data makes the presented order permanent before it removes the row, so the row the
    // user sees at Row is the one that goes, sorted or not.
    FRLData->RemoveRow(Row);
    if (shownBefore >= 0) // the matching rows are still on top, one fewer when Row was one of them
        FFilterCount =
            NrOfRows() == 0 ? -1 : std::min(Row <= shownBefore ? shownBefore - 1 : shownBefore, NrOfRows());
    ApplyHeaderRows();
    ChangedSetup();
}

void TReportListView::RemoveEmptyRows()
{
    HideEditor();
    TPaintHold hold(this);
    FRLData->RemoveEmptyRows();
    FFilterCount = -1;
    ApplyHeaderRows();
    ChangedSetup();
}

void TReportListView::Fill(const QString &Value)
{
    HideEditor();
    TPaintHold hold(this);
    FRLData->Fill(Value);
}

void TReportListView::Clear()
{
    HideEditor();
    TPaintHold hold(this);
    FRLData->Clear();
    std::fill(FColAlignment.begin(), FColAlignment.end(), taLeftJustify);
    std::fill(FColumnIsPwd.begin(), FColumnIsPwd.end(), false);
    std::fill(FColumnEditable.begin(), FColumnEditable.end(), false);
    FFilterCount = -1;
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
        if (NrOfRows() > 0) widest = fm.horizontalAdvance(PwdText) + extra;
    } else {
        const TStringArray *s = FRLData->Strings();
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
    if (FFilterCount >= 0) {
        TPaintHold hold(this);
        const TStringArray *s = FRLData->Strings();
        std::vector<char> shown(size_t(NrOfRows()), 0);
        for (int r = 1; r <= NrOfShownRows(); ++r)
            shown[size_t(s->GetSortOrder(r) - 1)] = 1;
        const int count = NrOfShownRows();
        SortData(Col, ColSec, Ascending);
        FFilterSortCol = -1; // the whole list is in this order now
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
    FRLData->UnSort();
}

void TReportListView::SortData(int Col, int ColSec, bool Ascending)
{
    TOrderOnly order(this);
    FRLData->Sort(Col, ColSec, Ascending);
}

const TRLColumnText *TReportListView::SearchText(int Col, std::vector<int> &StoredOf)
{
    const TStringArray *s = FRLData->Strings();
    const int n = NrOfRows(), nc = NrOfColumns();
    TSearchCache &c = *FSearch;
    if (c.Store != s || c.Rows != n || c.Cols != nc) {
        c.Clear();
        c.Store = s;
        c.Rows = n;
        c.Cols = nc;
        c.Text.resize(size_t(nc) + 1);
        c.Mode.assign(size_t(nc) + 1, -1);
    }
    const int mode = GetColCheckMode(Col);
    if (c.Mode[size_t(Col)] == mode) return c.Text[size_t(Col)].get();
    if (StoredOf.empty()) { // presented row -> stored row (0-based), once per filter
        StoredOf.assign(size_t(n) + 1, 0);
        for (int r = 1; r <= n; ++r)
            StoredOf[size_t(r)] = s->GetSortOrder(r) - 1;
    }
    const bool check = mode != cmNone;
    // The cells are read in place; a check column's mark (its first character) is left out.
    try {
        std::unique_ptr<TRLColumnText> &text = c.Text[size_t(Col)];
        if (!text) text = std::make_unique<TRLColumnText>();
        c.View.resize(size_t(n));
        s->ForEachInColumn(Col, [&](int Row, QAnyStringView V) {
            c.View[size_t(StoredOf[size_t(Row)])] = check ? WithoutFirstUnit(V) : V;
        });
        if (!text->Build(c.View)) return nullptr;
    } catch (const std::bad_alloc &) {
        return nullptr; // the rows are then searched one by one
    }
    c.Mode[size_t(Col)] = mode;
    return c.Text[size_t(Col)].get();
}

void TReportListView::EndFilter()
{
    if (FFilterCount < 0) return;
    FFilterCount = -1;
    ApplyHeaderRows();
}

void TReportListView::ClearFilter()
{
    TPaintHold hold(this);
    EndFilter();
}

void TReportListView::ApplyOrder(const std::vector<int> &NewOrder)
{
    TStringArray *s = FRLData->Strings();
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
            if (FOnBefSortExc) {
                FOnBefSortExc(this, 0, r, other);
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
    // The matching rows are sorted on their own, in a small store of their sort keys, so that
    // they are compared exactly as Sort compares and the hidden rows cost nothing.
    const TStringArray *s = FRLData->Strings();
    const int n = NrOfRows();
    std::vector<int> matchRows;
    matchRows.reserve(size_t(Count));
    for (int r = 1; r <= n; ++r) {
        const int st = s->GetSortOrder(r);
        if (st >= 1 && size_t(st) <= MatchedStored.size() && MatchedStored[size_t(st - 1)])
            matchRows.push_back(r);
    }
    const int sec = SecondarySortColumn();
    const bool useSec = sec >= 0 && sec <= NrOfColumns() && sec != Col;
    TStringArray keys;
    keys.SetSortLocale(s->SortLocale());
    keys.Resize(1, int(matchRows.size()));
    for (size_t i = 0; i < matchRows.size(); ++i) {
        keys.SetString(0, int(i) + 1, s->GetString(Col, matchRows[i]));
        if (useSec) keys.SetString(1, int(i) + 1, s->GetString(sec, matchRows[i]));
    }
    keys.Sort(0, useSec ? 1 : -1, Ascending);
    std::vector<int> order;
    order.reserve(size_t(n));
    for (int i = 1; i <= int(matchRows.size()); ++i)
        order.push_back(s->GetSortOrder(matchRows[size_t(keys.GetSortOrder(i) - 1)]));
    for (int r = 1; r <= n; ++r) {
        const int st = s->GetSortOrder(r);
        if (!(st >= 1 && size_t(st) <= MatchedStored.size() && MatchedStored[size_t(st - 1)]))
            order.push_back(st);
    }
    ApplyOrder(order);
    FFilterCount = std::min(Count, n);
    // The list as a whole is no longer sorted by the data's sort column; the secondary column is
    // a setting and stays.
    FRLData->ResetSortState();
    FRLData->SetSortColumnSec(sec);
    FFilterSortCol = Col;
    FFilterSortAsc = Ascending;
    ApplyHeaderRows();
}

int TReportListView::ShownSortColumn() const
{
    return FFilterCount >= 0 && FFilterSortCol >= 0 ? FFilterSortCol : LastSortColumn();
}

bool TReportListView::ShownSortOrder() const
{
    return FFilterCount >= 0 && FFilterSortCol >= 0 ? FFilterSortAsc : LastSortOrder();
}

void TReportListView::KeepShownRowsOnTop(const std::vector<char> &ShownStored, int Count)
{
    const TStringArray *s = FRLData->Strings();
    const int n = NrOfRows();
    std::vector<int> order;
    order.reserve(size_t(n));
    for (int pass = 0; pass < 2; ++pass)
        for (int r = 1; r <= n; ++r) {
            const int st = s->GetSortOrder(r);
            const bool shown = st >= 1 && size_t(st) <= ShownStored.size() && ShownStored[size_t(st - 1)];
            if (shown == (pass == 0)) order.push_back(st);
        }
    ApplyOrder(order);
    FFilterCount = std::min(Count, n);
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

    // The columns to search, each once; password columns only when named.
    std::vector<int> cols;
    if (Columns.empty()) {
        for (int c = 1; c <= nc; ++c)
            if (!GetColumnIsPwd(c)) cols.push_back(c);
    } else {
        for (int c : Columns)
            if (c >= 0 && c <= nc && std::find(cols.begin(), cols.end(), c) == cols.end()) cols.push_back(c);
    }
    std::vector<char> check(cols.size());
    for (size_t k = 0; k < cols.size(); ++k)
        check[k] = GetColCheckMode(cols[k]) != cmNone;

    TPaintHold hold(this);
    const TStringArray *s = FRLData->Strings();
    int n = NrOfRows();

    // The query's verdict for every stored row: whole columns at once when their texts can be had.
    std::vector<char> verdict(size_t(n), 0);
    {
        std::vector<int> storedOf;
        std::vector<const TRLColumnText *> texts;
        for (int c : cols) {
            const TRLColumnText *t = query.MatchesAll() ? nullptr : SearchText(c, storedOf);
            if (!t) break;
            texts.push_back(t);
        }
        if (query.MatchesAll() || texts.size() == cols.size()) {
            query.MatchColumns(texts, verdict);
        } else {
            std::vector<QString> cells(cols.size());
            for (int r = 1; r <= n; ++r) {
                for (size_t k = 0; k < cols.size(); ++k) {
                    cells[k] = s->GetString(cols[k], r);
                    if (check[k] && !cells[k].isEmpty()) cells[k].remove(0, 1);
                }
                verdict[size_t(s->GetSortOrder(r) - 1)] = query.Matches(cells) ? 1 : 0;
            }
        }
    }

    std::vector<char> matched = verdict;
    if (FOnBeforeFilter) {
        for (int r = 1; r <= n; ++r) {
            bool found = true;
            TLogicOp op = loAND;
            FOnBeforeFilter(this, r, found, op);
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
        FFilterSortCol = -1;
        KeepShownRowsOnTop(matched, count);
    }

    // The matching rows are selected, the hidden ones not.
    TStringArray *store = FRLData->Strings();
    for (int r = 1; r <= NrOfRows(); ++r) {
        const quint8 a = store->GetRowAttrib(r);
        const quint8 b = r <= count ? quint8(a | rlRowSelected) : quint8(a & ~rlRowSelected);
        if (a != b) store->SetRowAttrib(r, b);
    }
    FSelectAnchor = 1;
    TCustomGrid::SetTopRow(FixedRows());
    if (count > 0 && FRowSelectMode != 0)
        SetSelection(GridRect(FixedCols(), FixedRows(), ColCount() - 1, FixedRows()));
    ChangedSelection();
    return count;
}

// ==== files, streams, clipboard =====================================================================

bool TReportListView::SaveAsXMLFile(const QString &FName, const QString &DataID)
{
    return FRLData->SaveAsXMLFile(FName, DataID);
}

bool TReportListView::LoadFromXMLFile(const QString &FName, const QString &DataID)
{
    const bool ok = FRLData->LoadFromXMLFile(FName, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::WriteToXMLStream(QIODevice *OutStream, bool CreateHeader, const QString &DataID)
{
    return FRLData->WriteToXMLStream(OutStream, CreateHeader, DataID);
}

bool TReportListView::ReadFromXMLStream(QIODevice *InStream, const QString &DataID)
{
    const bool ok = FRLData->ReadFromXMLStream(InStream, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::ReadFromXMLString(const QString &InString, const QString &DataID)
{
    const bool ok = FRLData->ReadFromXMLString(InString, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::WriteToOpenXMLFile(QFile &OutFile, bool CreateHeader, const QString &DataID)
{
    return FRLData->WriteToOpenXMLFile(OutFile, CreateHeader, DataID);
}

bool TReportListView::WriteToOpenXMLFile(QTextStream &OutText, bool CreateHeader, const QString &DataID)
{
    return FRLData->WriteToOpenXMLFile(OutText, CreateHeader, DataID);
}

bool TReportListView::ReadFromOpenXMLFile(QFile &InFile, const QString &DataID)
{
    const bool ok = FRLData->ReadFromOpenXMLFile(InFile, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::ReadFromOpenXMLFile(QTextStream &InText, const QString &DataID)
{
    const bool ok = FRLData->ReadFromOpenXMLFile(InText, DataID);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::LoadLinesFromFile(int Column, int FirstRow, const QString &FName)
{
    const bool ok = FRLData->LoadLinesFromFile(Column, FirstRow, FName);
    if (ok) SyncFromData();
    return ok;
}

bool TReportListView::ExportHTMLTable(const QString &FName, int LeftCol, int TopRow, int RightCol,
                                      int BottomRow, const std::vector<int> &Columns, int Border,
                                      int CellPadding, int CellSpacing, int TableWidth, bool WithHeader,
                                      const QString &Title, const QString &TableClass,
                                      const QString &HeaderClass)
{
    return FRLData->ExportHTMLTable(FName, LeftCol, TopRow, RightCol, BottomRow, Columns, Border, CellPadding,
                                    CellSpacing, TableWidth, WithHeader, Title, TableClass, HeaderClass);
}

bool TReportListView::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                                      const QString &Separator)
{
    return FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator);
}

// ==== notifications and copying =====================================================================

void TReportListView::Changed()
{
    if (FOnChange) FOnChange(this);
}

void TReportListView::ChangedSetup()
{
    if (FOnChangeSetup) FOnChangeSetup(this);
}

void TReportListView::ChangedSelection()
{
    if (FOnSelectedChange) FOnSelectedChange(this);
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
    FRLData->Assign(src->FRLData.get());
    ConnectData(); // the copy brought the source view's exchange handler along
    std::vector<TAlignment> align;
    std::vector<bool> editable, pwd;
    try {
        align = src->FColAlignment;
        editable = src->FColumnEditable;
        pwd = src->FColumnIsPwd;
    } catch (const std::bad_alloc &) {
        throw EKRORepListError(ComponentMessage(QStringLiteral("not enough memory on heap")));
    }
    FAutoAdvance = src->FAutoAdvance;
    FOnChange = src->FOnChange;
    FOnChangeSetup = src->FOnChangeSetup;
    FOnSelectedChange = src->FOnSelectedChange;
    FHeaderAlignment = src->FHeaderAlignment;
    FEmptyMsg = src->FEmptyMsg;
    FComHdVis = src->FComHdVis;
    FComHdColor = src->FComHdColor;
    FComHdTxtColor = src->FComHdTxtColor;
    FComHdHgt = src->FComHdHgt;
    FColHdVis = src->FColHdVis;
    FColHdColor = src->FColHdColor;
    FColHdTxtColor = src->FColHdTxtColor;
    FColHdHgt = src->FColHdHgt;
    FColorEmptyMsg = src->FColorEmptyMsg;
    FDisabledTextColor = src->FDisabledTextColor;
    FDisabledBkgdColor = src->FDisabledBkgdColor;
    FSelectAnchor = src->FSelectAnchor;
    FRowSelectMode = src->FRowSelectMode;
    FCtrlForMultiSel = src->FCtrlForMultiSel;
    FSortEnabled = src->FSortEnabled;
    FOnChkStChange = src->FOnChkStChange;
    FOnBefChkStChange = src->FOnBefChkStChange;
    FOnBeforeFilter = src->FOnBeforeFilter;
    FOnRequestEdFmt = src->FOnRequestEdFmt;
    FOnGetEditText = src->FOnGetEditText;
    FOnSetEditText = src->FOnSetEditText;
    FSelRowColor = src->FSelRowColor;
    FSelRowTextColor = src->FSelRowTextColor;
    FSelColColor = src->FSelColColor;
    FSelColTextColor = src->FSelColTextColor;
    FSelBothColor = src->FSelBothColor;
    FSelBothTextColor = src->FSelBothTextColor;
    FShowEmptyCBx = src->FShowEmptyCBx;
    FROCheckMarks = src->FROCheckMarks;
    FHiLgtColor = src->FHiLgtColor;
    FHiLgtTextColor = src->FHiLgtTextColor;
    FHiLgtBold = src->FHiLgtBold;
    FHiLgtRow = src->FHiLgtRow;
    FHiLgtColumn = src->FHiLgtColumn;
    FOnPercentDone = src->FOnPercentDone;
    FOnBefRenderCell = src->FOnBefRenderCell;
    FOnBefSortExc = src->FOnBefSortExc;
    FOnBefHTMLExport = src->FOnBefHTMLExport;
    FColorNormal = src->FColorNormal;
    FRColorNormal = src->FRColorNormal;
    FRColorShaded = src->FRColorShaded;
    FRowColPattern = src->FRowColPattern;
    FInterRowIndi = src->FInterRowIndi;
    FInterRowColor = src->FInterRowColor;
    FInterRowWidth = src->FInterRowWidth;
    FFixedColOne = src->FFixedColOne;
    FFilterCount = src->FFilterCount; // the copied order still has the matching rows on top
    TCustomGrid::SetFixedColor(FColHdColor);
    if (FEnabled != src->FEnabled) {
        FEnabled = src->FEnabled;
        TCustomGrid::SetEnabled(FEnabled);
    }
    SetColCount(FRLData->NrOfColumns());
    SetFixedCols(FFixedColOne ? 1 : 0);
    FColAlignment = std::move(align);
    FColumnEditable = std::move(editable);
    FColumnIsPwd = std::move(pwd);
    ResizeColumnArrays(FRLData->NrOfColumns(), "not enough memory on heap");
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
    if (FSuppressPaint) return;
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
    if (FEmptyMsg.isEmpty()) return;
    c->Font()->Assign(*Font());
    c->Font()->SetColor(FColorEmptyMsg);
    const QStringList lines = FEmptyMsg.split(QLatin1Char('|'));
    const int lh = c->TextHeight(FEmptyMsg);
    const int y1 = y0 - int(lines.size()) * lh;
    for (int i = 0; i < int(lines.size()); ++i)
        c->TextOut((w - c->TextWidth(lines[i])) / 2, y1 + (h - y1 - lh) / 2 + i * lh - 2, lines[i]);
}

void TReportListView::DrawInterRowIndicator()
{
    const int p = FInterRowIndi;
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
    c->Pen()->SetColor(FInterRowColor);
    c->Pen()->SetWidth(FInterRowWidth);
    c->Pen()->SetStyle(psSolid);
    c->MoveTo(0, int(std::max<qint64>(0, y - 1)));
    c->LineTo(ClientWidth(), int(std::max<qint64>(0, y - 1)));
    c->Pen()->SetWidth(1);
}

bool TReportListView::IsColumnHeaderGridRow(int GridRow) const
{
    return FColHdVis && GridRow == (FComHdVis ? 1 : 0) && GridRow < FixedRows();
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
    if (TextWidth <= 0 || Room >= TextWidth) return Text;
    const int g = std::max(1, Round(double(Text.size()) * Room / TextWidth - 4));
    return RightAligned ? Text.left(1) + QStringLiteral("...") + Text.right(g)
                        : Text.left(g) + QStringLiteral("...");
}

QString TReportListView::CutHeaderLine(const QString &Line, int LineWidth, int Room)
{
    if (Line.isEmpty() || LineWidth <= Room) return Line;
    return Line.left(std::max(1, Round(double(Line.size()) * Room / LineWidth - 3))) + QStringLiteral("...");
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State)
{
    Canvas()->Font()->Assign(*Font());
    if (ARow >= FixedRows()) {
        DrawDataCell(ACol, ARow, Rect);
    } else if (State & gdFixed) {
        const int xr = HeaderRightEdge();
        if (FComHdVis && ARow == 0)
            DrawCommonHeader(Rect, xr);
        else if (IsColumnHeaderGridRow(ARow))
            DrawColumnHeader(ACol, Rect, xr);
    }
    TCustomDrawGrid::DrawCell(ACol, ARow, Rect, State);
}

void TReportListView::DrawDataCell(int ACol, int ARow, const TRect &Rect)
{
    TCanvas *c = Canvas();
    const int r = ARow - FixedRows() + 1, col = ACol + 1;
    const bool shown = r <= NrOfShownRows();
    const bool fixedCol = ACol < FixedCols();
    TRect work = Rect;
    if (!fixedCol) {
        if (!(Options() & goVertLine)) work.Right += 1;
        if (!(Options() & goHorzLine)) work.Bottom += 1;
    }
    TRect tr = kro::Rect(Rect.Left + 4, Rect.Top + 2, Rect.Right - 5, Rect.Bottom);

    // 1. The stored text (flag included).
    const TCheckMode mode = GetColCheckMode(col);
    const bool check = mode != cmNone;
    QString text = shown ? FRLData->Strings()->GetString(col, r) : QString();
    if (GetColumnIsPwd(col)) // a check cell keeps its flag, so the mark still tells the truth
        text = check ? (text.isEmpty() ? QStringLiteral(" ") : text.left(1)) + PwdText : PwdText;

    // 2.-4. Colours.
    TColor font = FColorNormal, bg = FRColorNormal;
    if (FRowColPattern > 0) bg = (((r - 1) / FRowColPattern) % 2) ? FRColorNormal : FRColorShaded;
    TFontStyles style = Font()->Style();
    const quint8 attrib = shown ? RowAttrib(r) : 0;
    const bool disabledRow = attrib & rlRowDisabled;
    if (FEnabled) {
        const bool colSel = GetColSelect(col), rowSel = attrib & rlRowSelected;
        if (disabledRow) {
            bg = FDisabledBkgdColor;
            font = FDisabledTextColor;
        } else if (colSel && rowSel) {
            bg = FSelBothColor;
            font = FSelBothTextColor;
        } else if (colSel) {
            bg = FSelColColor;
            font = FSelColTextColor;
        } else if (rowSel) {
            bg = FSelRowColor;
            font = FSelRowTextColor;
        }
        if (r == FHiLgtRow || col == FHiLgtColumn) {
            bg = FHiLgtColor;
            font = FHiLgtTextColor;
            if (FHiLgtBold) style |= fsBold;
        }
    }
    TColor pen = bg;
    if (fixedCol) bg = pen = FixedCellColor;
    if (!FEnabled) font = clInactiveCaption;

    // 5. The application's say.
    if (FOnBefRenderCell) FOnBefRenderCell(this, col, r, pen, bg, font, style, text);

    // 6. Font and brush; texts too wide for the column are cut with "...".
    c->Font()->SetStyle(style);
    c->Font()->SetColor(font);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(bg);
    const int fullLength = int(text.size());
    const int colWidth = ColWidths(ACol);
    text = CutText(text, c->TextWidth(check ? text.mid(1) : text), colWidth - (check ? 16 : 0) - 9,
                   GetColAlignment(col) == taRightJustify);

    // 7. The background.
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(bg);
    c->Rectangle(work);
    c->Pen()->SetColor(pen);

    const int italic = (Font()->Style() & fsItalic) ? 2 : 0;
    const TAlignment align = GetColAlignment(col);
    auto drawText = [&](const TRect &Box, const QString &S) {
        const int w = c->TextWidth(S) + italic;
        const int x = align == taRightJustify ? Box.Right - w
                      : align == taCenter     ? (Box.Left + Box.Right) / 2 - w / 2
                                              : Box.Left;
        c->TextRect(Box, x, Box.Top - 1, S);
    };
    if (!check) {
        // 8. Plain text.
        drawText(tr, text);
    } else if (fullLength > 1 || FShowEmptyCBx) {
        // 9. Check box or radio mark, then the text after the flag.
        tr.Left += 16;
        const bool checked = !text.isEmpty() && text.at(0) != QLatin1Char(' ');
        drawText(tr, text.mid(1));
        const int l = Rect.Left, t = Rect.Top;
        if (!FROCheckMarks) {
            c->Pen()->SetColor(!FEnabled ? clInactiveCaption : (disabledRow ? pen : clBtnShadow));
            if (mode == cmRadio)
                c->Ellipse(l + 4, t + 4, l + 15, t + 15);
            else
                c->Rectangle(l + 4, t + 4, l + 15, t + 15);
        }
        if (checked) {
            c->Pen()->SetColor(FEnabled ? font : clInactiveCaption);
            if (mode == cmRadio) {
                c->MoveTo(l + 8, t + 7);
                c->LineTo(l + 11, t + 7);
                for (int i = 0; i < 3; ++i) {
                    c->MoveTo(l + 7, t + 8 + i);
                    c->LineTo(l + 12, t + 8 + i);
                }
                c->MoveTo(l + 8, t + 11);
                c->LineTo(l + 11, t + 11);
            } else {
                for (int i = 0; i < 3; ++i) {
                    c->MoveTo(l + 6, t + 8 + i);
                    c->LineTo(l + 9, t + 11 + i);
                    c->MoveTo(l + 8, t + 10 + i);
                    c->LineTo(l + 13, t + 5 + i);
                }
            }
        }
    }

    // 10. Cells of a fixed column are raised.
    if (fixedCol) DrawBevel(c, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

void TReportListView::DrawCommonHeader(const TRect &Rect, int Xr)
{
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FComHdColor);
    c->Font()->SetColor(FComHdTxtColor);
    c->FillRect(0, Rect.Top, Xr, Rect.Bottom);
    const QString header = CommonHeader();
    const QStringList lines = header.split(QLatin1Char('\n'));
    const int h = c->TextHeight(header);
    const int top = Rect.Top + 2;
    for (int i = 0; i < int(lines.size()); ++i) {
        const int w = c->TextWidth(lines[i]);
        const int x = FHeaderAlignment == taLeftJustify    ? 4
                      : FHeaderAlignment == taRightJustify ? Xr - w - 5
                                                           : Xr / 2 - w / 2;
        const int y = top + i * h;
        if (y >= Rect.Bottom) break;
        c->TextRect(kro::Rect(0, y, Xr, std::min(Rect.Bottom, y + h)), x, y, lines[i]);
    }
    DrawBevel(c, 0, Rect.Top, Xr, Rect.Bottom);
    c->Pen()->SetColor(BevelGrey);
    c->MoveTo(Xr - 1, Rect.Bottom - 1);
    c->LineTo(Xr - 1, Rect.Top);
    c->Pen()->SetColor(clBlack);
    c->MoveTo(Xr, Rect.Bottom - 1);
    c->LineTo(Xr, Rect.Top);
}

void TReportListView::DrawColumnHeader(int ACol, const TRect &Rect, int Xr)
{
    TCanvas *c = Canvas();
    const int col = ACol + 1;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColHdColor);
    c->Font()->SetColor(FColHdTxtColor);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(FColHdColor);
    c->Rectangle(Rect);

    const TRect tr = kro::Rect(Rect.Left + 4, Rect.Top + 2, Rect.Right - 5, Rect.Bottom);
    const QString name = GetColName(col);
    const QStringList lines = name.split(QLatin1Char('\n'));
    const bool sorted = ShownSortColumn() == col;
    const int colWidth = ColWidths(ACol);
    const int room = colWidth - (sorted ? 13 : 0) - 9;
    const int h = c->TextHeight(name);
    const int italic = (Font()->Style() & fsItalic) ? 2 : 0;
    const TAlignment align = GetColAlignment(col);
    int firstWidth = 0;
    for (int i = 0; i < int(lines.size()); ++i) {
        QString line = lines[i];
        int w = c->TextWidth(line);
        if (!line.isEmpty() && w > room) {
            line = CutHeaderLine(line, w, room);
            w = c->TextWidth(line);
        }
        w += italic;
        if (i == 0) firstWidth = w;
        const int x = align == taRightJustify ? tr.Right - w
                      : align == taCenter     ? (tr.Left + tr.Right) / 2 - w / 2
                                              : tr.Left;
        const int y = tr.Top + i * h;
        if (y >= tr.Bottom) break;
        c->TextRect(kro::Rect(tr.Left, y, tr.Right, std::min(tr.Bottom, y + h)), x, y, line);
    }

    if (sorted) {
        const int span = tr.Right - tr.Left;
        int d = align == taRightJustify ? span - firstWidth - 11
                : align == taCenter     ? span / 2 + firstWidth / 2 + 10
                                        : firstWidth + 10;
        d = std::min(d, colWidth - 11);
        const int x = tr.Left + d, y = tr.Top + h / 2;
        if (ShownSortOrder()) {
            c->Pen()->SetColor(BevelGrey);
            c->MoveTo(x - 4, y + 3);
            c->LineTo(x, y - 3);
            c->Pen()->SetColor(clWhite);
            c->LineTo(x + 4, y + 3);
            c->LineTo(x - 4, y + 3);
        } else {
            c->Pen()->SetColor(clWhite);
            c->MoveTo(x + 4, y - 3);
            c->LineTo(x, y + 3);
            c->Pen()->SetColor(BevelGrey);
            c->LineTo(x - 4, y - 3);
            c->LineTo(x + 4, y - 3);
        }
    }

    // The bevel's right edge is the end of the visible table: only the last column shows it.
    const int l = Rect.Left, t = Rect.Top, b = Rect.Bottom;
    c->Pen()->SetColor(clWhite);
    c->MoveTo(l, b - 1);
    c->LineTo(l, t);
    c->LineTo(std::min(Xr, Rect.Right), t);
    c->Pen()->SetColor(BevelGrey);
    c->MoveTo(l + 1, b - 1);
    c->LineTo(std::min(Xr - 1, Rect.Right), b - 1);
    if (Xr - 1 >= l && Xr - 1 < Rect.Right) c->LineTo(Xr - 1, t);
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
    QString value = FRLData->Strings()->GetString(col, r);
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
    FRLData->SetElem(ACol + 1, r, Value);
    TCustomGrid::SetEditText(ACol, ARow, Value);
    if (FOnSetEditText) FOnSetEditText(this, ACol, r, Value);
}

void TReportListView::HeaderClickSort(int GridCol)
{
    TWaitCursor wait;
    const TStringArray *s = FRLData->Strings();
    const int selected = DataRowOfGridRow(Selection().Top);
    const int record = (selected >= 1 && selected <= NrOfShownRows()) ? s->GetSortOrder(selected) : 0;
    const bool ascending = !FRLData->SortToggle();
    FRLData->SetSortToggle(ascending);
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
    const QString stored = FRLData->Strings()->GetString(C, R);
    bool state = !(!stored.isEmpty() && stored.at(0) != QLatin1Char(' '));
    if (FOnBefChkStChange) FOnBefChkStChange(this, state, C, R);
    // A radio click always checks its cell (and so clears the others).
    FRLData->SetElemChecked(C, R, GetColCheckMode(C) == cmRadio ? true : state);
    if (FOnChkStChange) {
        bool after = !state;
        FOnChkStChange(this, after, C, R);
    }
}

void TReportListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FLastMousePosX = X;
    FLastMousePosY = Y;
    const TGridCoord hit = MouseCoord(X, Y);
    if (Button == mbLeft && FSortEnabled && hit.X >= 0 && X < GridWidth() && Y < GridHeight() &&
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
    if (GetColCheckMode(col) != cmNone && X - CellRect(hit.X, hit.Y).Left < 18 && !FROCheckMarks &&
        GetRowEnabled(r) && (FRLData->Strings()->GetLength(col, r) > 1 || FShowEmptyCBx))
        ToggleCheck(col, r);
    TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
    // 3. Row selection with the row the grid now stands on.
    const int cur = DataRowOfGridRow(Row());
    if (cur < 1 || cur > NrOfShownRows() || FRowSelectMode == 0) return;
    TStringArray *s = FRLData->Strings();
    if (FRowSelectMode == 1) {
        SelectOnlyRow(cur);
    } else if (Shift & ssShift) {
        // The range takes the anchor's selection state (only that bit: enabling is not a selection).
        const int anchor = std::clamp(FSelectAnchor, 1, NrOfShownRows());
        const bool on = s->GetRowAttrib(anchor) & rlRowSelected;
        for (int i = std::min(anchor, cur); i <= std::max(anchor, cur); ++i) {
            const quint8 a = s->GetRowAttrib(i);
            s->SetRowAttrib(i, on ? quint8(a | rlRowSelected) : quint8(a & ~rlRowSelected));
        }
    } else {
        FSelectAnchor = cur;
        if ((Shift & ssCtrl) || !FCtrlForMultiSel)
            s->SetRowAttrib(cur, s->GetRowAttrib(cur) ^ rlRowSelected);
        else
            SelectOnlyRow(cur);
    }
    ChangedSelection();
}

void TReportListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomDrawGrid::MouseUp(Button, Shift, X, Y);
    if (FRowSelectMode == 2 && (X >= GridWidth() || (Y >= GridHeight() && Button == mbLeft))) {
        {
            TPaintHold hold(this);
            SetAllRowBits(rlRowSelected, false, NrOfRows());
        }
        ChangedSelection();
    }
}

void TReportListView::MouseMove(TShiftState Shift, int X, int Y)
{
    FLastMousePosX = X;
    FLastMousePosY = Y;
    TCustomDrawGrid::MouseMove(Shift, X, Y);
}

void TReportListView::DblClick()
{
    const int x = FLastMousePosX, y = FLastMousePosY;
    if (y < GridHeight() && FColHdVis) {
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
            FRLData->Strings()->SetRowAttrib(cur, RowAttrib(cur) | rlRowSelected);
    }
    ChangedSelection();
}

void TReportListView::KeyPress(QChar &Key)
{
    TCustomDrawGrid::KeyPress(Key);
    if (FAutoAdvance && (Key.unicode() == 0 || Key.unicode() == 13)) {
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
