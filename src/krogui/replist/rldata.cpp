#include <krogui/replist/rldata.h>

#include <krogui/data/stringarray.h>
#include <krogui/replist/colformat.h>

#include <algorithm>
#include <new>

namespace kro {

namespace {

const QString kDefaultCommonHeader = QStringLiteral("KRO Report Listview");
const QString kChecked = QStringLiteral("X");
const QString kUnchecked = QStringLiteral(" ");

QString DefaultColName(int Col)
{
    return QStringLiteral("C-%1").arg(Col);
}

bool StoredChecked(const QString &S)
{
    return !S.isEmpty() && S[0] != QLatin1Char(' ');
}

// Holds the store's change notification back while a column is converted cell by cell.
class TChangeHold
{
public:
    explicit TChangeHold(TStringArray *S) : FStore(S), FSaved(S->OnChange()) { S->SetOnChange(nullptr); }
    ~TChangeHold() { FStore->SetOnChange(std::move(FSaved)); }
    TChangeHold(const TChangeHold &) = delete;
    TChangeHold &operator=(const TChangeHold &) = delete;

private:
    TStringArray *FStore;
    TNotifyEvent FSaved;
};

} // namespace

TRLData::TRLData(QObject *AOwner) : TComponent(AOwner)
{
    try {
        FStrings = std::make_unique<TStringArray>(nullptr);
        FStrings->SetAllocRowsBy(10);
        FStrings->Resize(1, 1);
        FStrings->Clear();
        FColName.assign(1, DefaultColName(1));
        FColumnFormat.assign(1, QString());
        FColButMode.assign(1, quint8(cmNone));
    } catch (const std::exception &) {
        throw EKRORLDataError(ComponentMessage(QStringLiteral("failed to initialize (out of memory)")));
    }
    FCommonHeader = kDefaultCommonHeader;
    ConnectStore();
}

TRLData::~TRLData() = default;

// ---- counts ----------------------------------------------------------------------------------

void TRLData::UpdateFeedback(qint64 Rows)
{
    qint64 cells = Rows * (qint64(FNrOfCols) + 1);
    if (cells <= 0) cells = 1;
    FFeedbkNumCells = int(std::min<qint64>(cells, INT_MAX));
    FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

void TRLData::SetNrRows(int N)
{
    N = std::max(0, N);
    try {
        FStrings->Resize(FNrOfCols, N);
    } catch (const std::exception &e) {
        throw EKROError(QStringLiteral("TRLData.NrOfRows: cannot set %1 rows (%2)")
                            .arg(N)
                            .arg(QString::fromUtf8(e.what())));
    }
    FNrOfRows = N;
    UpdateFeedback(N);
}

void TRLData::SetNrCols(int N)
{
    N = std::max(1, N);
    const int old = FNrOfCols;
    try {
        FStrings->Resize(N, std::max(FNrOfRows, 1));
    } catch (const std::exception &e) {
        throw EKROError(QStringLiteral("TRLData.NrOfColumns: cannot set %1 columns (%2)")
                            .arg(N)
                            .arg(QString::fromUtf8(e.what())));
    }
    try {
        FColName.resize(size_t(N));
        FColumnFormat.resize(size_t(N));
        FColButMode.resize(size_t(N), quint8(cmNone));
        for (int c = old + 1; c <= N; ++c)
            FColName[size_t(c - 1)] = DefaultColName(c);
    } catch (const std::bad_alloc &) {
        // Keep store and arrays of one size: go back to the old column count.
        FColName.resize(size_t(std::min(old, int(FColName.size()))));
        FColumnFormat.resize(FColName.size());
        FColButMode.resize(FColName.size(), quint8(cmNone));
        try {
            FStrings->Resize(old, std::max(FNrOfRows, 1));
        } catch (...) {
        }
        throw EKRORLDataError(ComponentMessage(QStringLiteral("not enough memory on heap")));
    }
    FNrOfCols = N;
    UpdateFeedback(std::max(FNrOfRows, 1));
}

void TRLData::SetCommonHeader(const QString &Value)
{
    if (Value == FCommonHeader) return;
    FCommonHeader = Value;
}

// ---- sort state ------------------------------------------------------------------------------

void TRLData::SetSortColumnSec(int Col)
{
    if (Col < -1 || Col > FNrOfCols) return;
    FSortColumnSec = Col;
}

void TRLData::ResetSortState()
{
    FSortColumn = -1;
    FSortColumnSec = -1;
}

void TRLData::Sort(int Col, int ColSec, bool Ascending)
{
    if (Col < 0 || Col > FNrOfCols) return;
    const int oldCol = FSortColumn, oldSec = FSortColumnSec;
    const bool oldOrder = FSortOrder;
    FSortColumn = Col;
    FSortColumnSec = ColSec;
    FSortOrder = Ascending;
    try {
        FStrings->Sort(Col, ColSec, Ascending);
    } catch (...) {
        FSortColumn = oldCol;
        FSortColumnSec = oldSec;
        FSortOrder = oldOrder;
        throw;
    }
}

void TRLData::UnSort()
{
    FSortColumn = -1;
    FSortColumnSec = -1;
    FStrings->UnSort();
}

// ---- columns ---------------------------------------------------------------------------------

QString TRLData::GetColName(int Col) const
{
    return Col >= 1 && Col <= FNrOfCols ? FColName[size_t(Col - 1)] : QString();
}

void TRLData::SetColName(int Col, const QString &Name)
{
    if (Col >= 1 && Col <= FNrOfCols) FColName[size_t(Col - 1)] = RLCutText(Name, RLMaxColNameLength);
}

TColFmtString TRLData::GetColumnFormat(int Col) const
{
    return Col >= 1 && Col <= FNrOfCols ? FColumnFormat[size_t(Col - 1)] : QString();
}

void TRLData::SetColumnFormat(int Col, const TColFmtString &Fmt)
{
    if (Col >= 1 && Col <= FNrOfCols) FColumnFormat[size_t(Col - 1)] = RLCutText(Fmt, RLMaxColFormatLength);
}

int TRLData::ColumnIndex(const QString &Head, bool PartialMatch) const
{
    const QString head = Head.toLower();
    for (int c = FNrOfCols; c >= 1; --c) {
        const QString name = FColName[size_t(c - 1)].toLower();
        if (PartialMatch ? name.contains(head) : name == head) return c;
    }
    return -1;
}

TCheckMode TRLData::GetColCheckMode(int Col) const
{
    return Col >= 1 && Col <= FNrOfCols ? TCheckMode(FColButMode[size_t(Col - 1)]) : cmNone;
}

void TRLData::SetColCheckMode(int Col, TCheckMode Mode)
{
    if (Col < 1 || Col > FNrOfCols || Mode < cmNone || Mode > cmRadio) return;
    const TCheckMode old = GetColCheckMode(Col);
    if (old == Mode) return;
    TChangeHold hold(FStrings.get());
    FColButMode[size_t(Col - 1)] = quint8(Mode);
    if (old == cmNone) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            const QString s = FStrings->GetString(Col, r);
            if (!s.isEmpty()) FStrings->SetString(Col, r, kUnchecked + s);
        }
    } else if (Mode == cmNone) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            const QString s = FStrings->GetString(Col, r);
            if (!s.isEmpty()) FStrings->SetString(Col, r, s.mid(1));
        }
    } else if (old == cmBox && Mode == cmRadio) {
        ClearMarksOfCol(Col);
    }
}

bool TRLData::GetCheckedCol(int Col) const
{
    return GetColCheckMode(Col) == cmBox;
}

void TRLData::SetCheckedCol(int Col, bool Checked)
{
    SetColCheckMode(Col, Checked ? cmBox : cmNone);
}

// ---- cells -----------------------------------------------------------------------------------

QString TRLData::GetElem(int Col, int Row) const
{
    if (!ValidCell(Col, Row)) return QString();
    const QString s = FStrings->GetString(Col, Row);
    return IsCheckCol(Col) ? s.mid(1) : s;
}

void TRLData::SetElem(int Col, int Row, const QString &Value)
{
    if (!ValidCell(Col, Row)) return;
    if (IsCheckCol(Col)) {
        const QString s = FStrings->GetString(Col, Row);
        const QString flag = s.isEmpty() ? kUnchecked : s.left(1);
        FStrings->SetString(Col, Row, flag + RLCutText(Value, RLMaxCellLength - 1));
    } else {
        FStrings->SetString(Col, Row, RLCutText(Value, RLMaxCellLength));
    }
}

bool TRLData::GetElemChecked(int Col, int Row) const
{
    if (!ValidCell(Col, Row) || !IsCheckCol(Col)) return false;
    return StoredChecked(FStrings->GetString(Col, Row));
}

void TRLData::ClearMarksOfCol(int Col)
{
    for (int r = 1; r <= FNrOfRows; ++r) {
        const QString s = FStrings->GetString(Col, r);
        if (s.isEmpty())
            FStrings->SetString(Col, r, kUnchecked);
        else if (s[0] != QLatin1Char(' '))
            FStrings->SetString(Col, r, kUnchecked + s.mid(1));
    }
}

void TRLData::SetElemChecked(int Col, int Row, bool Checked)
{
    if (!ValidCell(Col, Row) || !IsCheckCol(Col)) return;
    if (GetColCheckMode(Col) == cmRadio) ClearMarksOfCol(Col);
    const QString s = FStrings->GetString(Col, Row);
    const QString &flag = Checked ? kChecked : kUnchecked;
    FStrings->SetString(Col, Row, s.isEmpty() ? flag : flag + s.mid(1));
}

void TRLData::SetAllCheckmarksOfCol(int Column, bool Checked)
{
    if (GetColCheckMode(Column) != cmBox) return;
    const QString &flag = Checked ? kChecked : kUnchecked;
    for (int r = 1; r <= FNrOfRows; ++r) {
        const QString s = FStrings->GetString(Column, r);
        FStrings->SetString(Column, r, s.isEmpty() ? flag : flag + s.mid(1));
    }
}

void TRLData::InvertAllCheckmarksOfCol(int Column)
{
    if (GetColCheckMode(Column) != cmBox) return;
    for (int r = 1; r <= FNrOfRows; ++r) {
        const QString s = FStrings->GetString(Column, r);
        if (s.isEmpty())
            FStrings->SetString(Column, r, kChecked);
        else if (s[0] == QLatin1Char('X'))
            FStrings->SetString(Column, r, kUnchecked + s.mid(1));
        else
            FStrings->SetString(Column, r, kChecked + s.mid(1));
    }
}

int TRLData::CountCheckedElemsInCol(int Column) const
{
    if (!IsCheckCol(Column)) return 0;
    int n = 0;
    for (int r = 1; r <= FNrOfRows; ++r)
        n += StoredChecked(FStrings->GetString(Column, r)) ? 1 : 0;
    return n;
}

int TRLData::CountCheckedElemsInRow(int Row) const
{
    if (Row < 1 || Row > FNrOfRows) return 0;
    int n = 0;
    for (int c = 1; c <= FNrOfCols; ++c)
        if (IsCheckCol(c) && StoredChecked(FStrings->GetString(c, Row))) ++n;
    return n;
}

int TRLData::FirstCheckedElemInCol(int ColNr) const
{
    if (!IsCheckCol(ColNr)) return 0;
    for (int r = 1; r <= FNrOfRows; ++r)
        if (StoredChecked(FStrings->GetString(ColNr, r))) return r;
    return 0;
}

int TRLData::FirstCheckedElemInRow(int RowNr) const
{
    if (RowNr < 1 || RowNr > FNrOfRows) return 0;
    for (int c = 1; c <= FNrOfCols; ++c)
        if (IsCheckCol(c) && StoredChecked(FStrings->GetString(c, RowNr))) return c;
    return 0;
}

double TRLData::GetAsNumber(int Col, int Row) const
{
    return FStrings->GetAsNumber(Col, Row);
}

QString TRLData::GetCellDefaultValue(int Col, int Row) const
{
    return ColFmtCellDefault(GetColumnFormat(Col), Row);
}

// ---- rows ------------------------------------------------------------------------------------

int TRLData::InsertRow(int Row)
{
    if (Row <= 0) return 0;
    if (Row > FNrOfRows) {
        SetNrRows(FNrOfRows + 1);
        return FNrOfRows;
    }
    try {
        FStrings->InsertRow(Row);
    } catch (const std::exception &e) {
        throw EKROError(
            QStringLiteral("TRLData.NrOfRows: cannot insert a row (%1)").arg(QString::fromUtf8(e.what())));
    }
    // The store now holds one more row than counted; counting it cannot fail.
    SetNrRows(FNrOfRows + 1);
    return Row;
}

void TRLData::RemoveRow(int Row)
{
    if (Row < 1 || Row > FNrOfRows) return;
    FStrings->CommitSorting();
    if (FNrOfRows < 2) {
        for (int c = 0; c <= FNrOfCols; ++c)
            FStrings->SetString(c, Row, QString());
        FStrings->SetRowAttrib(Row, 0); // an invisible row keeps nothing that could come back
        FNrOfRows = 0;
        UpdateFeedback(0);
    } else {
        FStrings->RemoveRow(Row);
        FNrOfRows -= 1;
        UpdateFeedback(FNrOfRows);
    }
}

void TRLData::RemoveEmptyRows()
{
    auto isEmpty = [this](int Row) {
        for (int c = 0; c <= FNrOfCols; ++c)
            if (!GetElem(c, Row).isEmpty()) return false;
        return true;
    };
    int first = 1;
    while (first <= FNrOfRows && !isEmpty(first))
        ++first;
    if (first > FNrOfRows) return;
    // The same result as removing the empty rows one by one from the bottom, but the rows that
    // stay are moved up in one pass instead of shifting the whole store for every removal.
    FStrings->CommitSorting();
    int kept = first - 1;
    for (int r = first + 1; r <= FNrOfRows; ++r) {
        if (isEmpty(r)) continue;
        ++kept;
        for (int c = 0; c <= FNrOfCols; ++c)
            FStrings->SetString(c, kept, FStrings->GetString(c, r));
        FStrings->SetRowAttrib(kept, FStrings->GetRowAttrib(r));
    }
    SetNrRows(kept); // shrinking cannot fail: the store is unsorted now
}

void TRLData::CopyRow(int Source, int Target)
{
    if (Source < 1 || Source > FNrOfRows || Target < 1 || Target > FNrOfRows) return;
    for (int c = 0; c <= FNrOfCols; ++c)
        FStrings->SetString(c, Target, FStrings->GetString(c, Source));
    FStrings->SetRowAttrib(Target, FStrings->GetRowAttrib(Source));
}

void TRLData::Fill(const QString &Value)
{
    const QString value = RLCutText(Value, RLMaxCellLength);
    for (int c = 1; c <= FNrOfCols; ++c) {
        const bool check = IsCheckCol(c);
        for (int r = 1; r <= FNrOfRows; ++r) {
            if (check) {
                const QString s = FStrings->GetString(c, r);
                const bool unchecked = s.isEmpty() || s[0] == QLatin1Char(' ');
                FStrings->SetString(c, r, (unchecked ? kUnchecked : kChecked) + value);
            } else {
                FStrings->SetString(c, r, value);
            }
        }
    }
}

void TRLData::Clear()
{
    FStrings->Clear();
    for (int c = 1; c <= FNrOfCols; ++c) {
        FColName[size_t(c - 1)] = DefaultColName(c);
        FColumnFormat[size_t(c - 1)].clear();
        FColButMode[size_t(c - 1)] = quint8(cmNone);
    }
}

// ---- store connection and copying -------------------------------------------------------------

void TRLData::ConnectStore()
{
    FStrings->SetOnBeforeSortExchange([this](QObject *, int What, int Ix1, int Ix2) {
        if (FOnBefSortExc) FOnBefSortExc(this, What, Ix1, Ix2);
    });
}

void TRLData::NotifyStoreChanged()
{
    if (const TNotifyEvent h = FStrings->OnChange()) h(FStrings.get());
}

void TRLData::TakeContent(TRLData &From)
{
    // The application's (or view's) handlers stay with this component's store.
    From.FStrings->SetOnChange(FStrings->OnChange());
    From.FStrings->SetOnPercentDone(FStrings->OnPercentDone());
    std::swap(FStrings, From.FStrings);
    ConnectStore();
    std::swap(FColName, From.FColName);
    std::swap(FColumnFormat, From.FColumnFormat);
    std::swap(FColButMode, From.FColButMode);
    FNrOfCols = From.FNrOfCols;
    FNrOfRows = From.FNrOfRows;
    FFeedbkNumCells = From.FFeedbkNumCells;
    FFeedbkStep = From.FFeedbkStep;
    FCommonHeader = From.FCommonHeader;
    FComment = From.FComment;
}

void TRLData::Assign(const TComponentBase *Source)
{
    const auto *src = dynamic_cast<const TRLData *>(Source);
    if (!src) {
        TComponentBase::Assign(Source);
        return;
    }
    if (src == this) return;
    // Everything is built apart first, so a failure leaves this component as it was.
    std::unique_ptr<TStringArray> store;
    std::vector<QString> names, formats;
    std::vector<quint8> modes;
    try {
        store = std::make_unique<TStringArray>(nullptr);
        store->Assign(src->FStrings.get()); // cells, attributes, the permutation, the step
        names = src->FColName;
        formats = src->FColumnFormat;
        modes = src->FColButMode;
    } catch (const std::exception &) {
        throw EKRORLDataError(ComponentMessage(QStringLiteral("not enough memory on heap")));
    }
    store->SetOnChange(FStrings->OnChange());
    store->SetOnPercentDone(FStrings->OnPercentDone());
    FStrings = std::move(store);
    ConnectStore();
    FColName = std::move(names);
    FColumnFormat = std::move(formats);
    FColButMode = std::move(modes);
    FNrOfCols = src->FNrOfCols;
    FNrOfRows = src->FNrOfRows;
    FSortColumn = src->FSortColumn;
    FSortColumnSec = src->FSortColumnSec;
    FSortOrder = src->FSortOrder;
    FSortToggle = src->FSortToggle;
    FComment = src->FComment;
    FCommonHeader = src->FCommonHeader;
    FOnBefSortExc = src->FOnBefSortExc;
    FDataID = src->FDataID;
    UpdateFeedback(std::max(FNrOfRows, 1));
    NotifyStoreChanged();
}

bool TRLData::AssignTo(TComponentBase *Dest) const
{
    if (auto *dest = dynamic_cast<TRLData *>(Dest)) {
        dest->Assign(this);
        return true;
    }
    return TComponent::AssignTo(Dest);
}

TRLData::TProgress::TProgress(TRLData *Owner, qint64 Total)
    : FOwner(Owner), FTotal(std::max<qint64>(1, Total))
{
    Report(0);
}

void TRLData::TProgress::Step(qint64 Done)
{
    if (!FOwner->FOnPercentDone) return;
    const int pct = int(std::clamp<qint64>(Done * 100 / FTotal, 0, 100));
    if (pct > FLast) Report(pct);
}

void TRLData::TProgress::Report(int Percent)
{
    if (Percent <= FLast) return;
    FLast = Percent;
    if (FOwner->FOnPercentDone) FOwner->FOnPercentDone(FOwner, Percent);
}

bool TRLData::Fail(const QString &Message)
{
    FLastError = Message;
    return false;
}

} // namespace kro
