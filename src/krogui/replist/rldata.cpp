#include <krogui/replist/rldata.h>
#include <krogui/replist/rldata_p.h>

#include <krogui/data/stringarray.h>
#include <krogui/replist/colformat.h>

#include <QMetaMethod>

#include <algorithm>
#include <new>

namespace kro {

int TRLData::NrOfColumns() const
{
    return d->FNrOfCols;
}

int TRLData::NrOfRows() const
{
    return d->FNrOfRows;
}

QString TRLData::CommonHeader() const
{
    return d->FCommonHeader;
}

QString TRLData::Comment() const
{
    return d->FComment;
}

void TRLData::SetComment(const QString &Value)
{
    d->FComment = Value;
}

QString TRLData::DataID() const
{
    return d->FDataID;
}

void TRLData::SetDataID(const QString &Value)
{
    d->FDataID = Value;
}

TStringArray *TRLData::Strings() const
{
    return d->FStrings.get();
}

QString TRLData::LastError() const
{
    return d->FLastError;
}

int TRLData::SortColumn() const
{
    return d->FSortColumn;
}

int TRLData::SortColumnSec() const
{
    return d->FSortColumnSec;
}

bool TRLData::SortOrder() const
{
    return d->FSortOrder;
}

bool TRLData::SortToggle() const
{
    return d->FSortToggle;
}

void TRLData::SetSortToggle(bool Value)
{
    d->FSortToggle = Value;
}

int TRLData::FeedbackNumCells() const
{
    return d->FFeedbkNumCells;
}

int TRLData::FeedbackStep() const
{
    return d->FFeedbkStep;
}

void TRLData::SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler)
{
    d->FOnBefSortExc = std::move(Handler);
    ConnectStore();
}

TBeforeSortExchgEvent TRLData::OnBeforeSortExchange() const
{
    return d->FOnBefSortExc;
}

void TRLData::SetOnBeforeHTMLExport(TBeforeHTMLExportEvent Handler)
{
    d->FOnBefHTMLExport = std::move(Handler);
}

TBeforeHTMLExportEvent TRLData::OnBeforeHTMLExport() const
{
    return d->FOnBefHTMLExport;
}

void TRLData::SetOnPercentDone(TOnPercentDoneEvent Handler)
{
    d->FOnPercentDone = std::move(Handler);
}

TOnPercentDoneEvent TRLData::OnPercentDone() const
{
    return d->FOnPercentDone;
}

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

} // namespace

TRLData::TRLData(QObject *AOwner) : TComponent(AOwner), d(std::make_unique<TRLDataPrivate>())
{
    try {
        d->FStrings = std::make_unique<TStringArray>(nullptr);
        d->FStrings->SetAllocRowsBy(10);
        d->FStrings->Resize(1, 1);
        d->FStrings->Clear();
        d->FColName.assign(1, DefaultColName(1));
        d->FColumnFormat.assign(1, QString());
        d->FColButMode.assign(1, quint8(cmNone));
    } catch (const std::exception &) {
        throw EKRORLDataError(ComponentMessage(QStringLiteral("failed to initialize (out of memory)")));
    }
    d->FCommonHeader = kDefaultCommonHeader;
    ConnectStore();
}

TRLData::~TRLData() = default;

// ---- counts ----------------------------------------------------------------------------------

void TRLData::UpdateFeedback(qint64 Rows)
{
    qint64 cells = Rows * (qint64(d->FNrOfCols) + 1);
    if (cells <= 0) cells = 1;
    d->FFeedbkNumCells = int(std::min<qint64>(cells, INT_MAX));
    d->FFeedbkStep = d->FFeedbkNumCells / 100 + 1;
}

void TRLData::SetNrRows(int N)
{
    N = std::max(0, N);
    try {
        d->FStrings->Resize(d->FNrOfCols, N);
    } catch (const std::exception &e) {
        throw EKROError(QStringLiteral("TRLData.NrOfRows: cannot set %1 rows (%2)")
                            .arg(N)
                            .arg(QString::fromUtf8(e.what())));
    }
    d->FNrOfRows = N;
    UpdateFeedback(N);
}

void TRLData::SetNrCols(int N)
{
    N = std::max(1, N);
    const int old = d->FNrOfCols;
    try {
        d->FStrings->Resize(N, std::max(d->FNrOfRows, 1));
    } catch (const std::exception &e) {
        throw EKROError(QStringLiteral("TRLData.NrOfColumns: cannot set %1 columns (%2)")
                            .arg(N)
                            .arg(QString::fromUtf8(e.what())));
    }
    try {
        d->FColName.resize(size_t(N));
        d->FColumnFormat.resize(size_t(N));
        d->FColButMode.resize(size_t(N), quint8(cmNone));
        for (int c = old + 1; c <= N; ++c)
            d->FColName[size_t(c - 1)] = DefaultColName(c);
    } catch (const std::bad_alloc &) {
        // Keep store and arrays of one size: go back to the old column count.
        d->FColName.resize(size_t(std::min(old, int(d->FColName.size()))));
        d->FColumnFormat.resize(d->FColName.size());
        d->FColButMode.resize(d->FColName.size(), quint8(cmNone));
        try {
            d->FStrings->Resize(old, std::max(d->FNrOfRows, 1));
        } catch (...) {
        }
        throw EKRORLDataError(ComponentMessage(QStringLiteral("not enough memory on heap")));
    }
    d->FNrOfCols = N;
    UpdateFeedback(std::max(d->FNrOfRows, 1));
}

void TRLData::SetCommonHeader(const QString &Value)
{
    if (Value == d->FCommonHeader) return;
    d->FCommonHeader = Value;
}

// ---- sort state ------------------------------------------------------------------------------

void TRLData::SetSortColumnSec(int Col)
{
    if (Col < -1 || Col > d->FNrOfCols) return;
    d->FSortColumnSec = Col;
}

void TRLData::ResetSortState()
{
    d->FSortColumn = -1;
    d->FSortColumnSec = -1;
}

void TRLData::Sort(int Col, int ColSec, bool Ascending)
{
    if (Col < 0 || Col > d->FNrOfCols) return;
    const int oldCol = d->FSortColumn, oldSec = d->FSortColumnSec;
    const bool oldOrder = d->FSortOrder;
    d->FSortColumn = Col;
    d->FSortColumnSec = ColSec;
    d->FSortOrder = Ascending;
    try {
        d->FStrings->Sort(Col, ColSec, Ascending);
    } catch (...) {
        d->FSortColumn = oldCol;
        d->FSortColumnSec = oldSec;
        d->FSortOrder = oldOrder;
        throw;
    }
}

void TRLData::UnSort()
{
    d->FSortColumn = -1;
    d->FSortColumnSec = -1;
    d->FStrings->UnSort();
}

// ---- columns ---------------------------------------------------------------------------------

QString TRLData::GetColName(int Col) const
{
    return Col >= 1 && Col <= d->FNrOfCols ? d->FColName[size_t(Col - 1)] : QString();
}

void TRLData::SetColName(int Col, const QString &Name)
{
    if (Col >= 1 && Col <= d->FNrOfCols) d->FColName[size_t(Col - 1)] = RLCutText(Name, RLMaxColNameLength);
}

TColFmtString TRLData::GetColumnFormat(int Col) const
{
    return Col >= 1 && Col <= d->FNrOfCols ? d->FColumnFormat[size_t(Col - 1)] : QString();
}

void TRLData::SetColumnFormat(int Col, const TColFmtString &Fmt)
{
    if (Col >= 1 && Col <= d->FNrOfCols)
        d->FColumnFormat[size_t(Col - 1)] = RLCutText(Fmt, RLMaxColFormatLength);
}

int TRLData::ColumnIndex(const QString &Head, bool PartialMatch) const
{
    const QString head = Head.toLower();
    for (int c = d->FNrOfCols; c >= 1; --c) {
        const QString name = d->FColName[size_t(c - 1)].toLower();
        if (PartialMatch ? name.contains(head) : name == head) return c;
    }
    return -1;
}

TCheckMode TRLData::GetColCheckMode(int Col) const
{
    return Col >= 1 && Col <= d->FNrOfCols ? TCheckMode(d->FColButMode[size_t(Col - 1)]) : cmNone;
}

void TRLData::SetColCheckMode(int Col, TCheckMode Mode)
{
    if (Col < 1 || Col > d->FNrOfCols || Mode < cmNone || Mode > cmRadio) return;
    const TCheckMode old = GetColCheckMode(Col);
    if (old == Mode) return;
    rlimpl::TStoreQuiet hold(d->FStrings.get());
    d->FColButMode[size_t(Col - 1)] = quint8(Mode);
    if (old == cmNone) {
        for (int r = 1; r <= d->FNrOfRows; ++r) {
            const QString s = d->FStrings->GetString(Col, r);
            if (!s.isEmpty()) d->FStrings->SetString(Col, r, kUnchecked + s);
        }
    } else if (Mode == cmNone) {
        for (int r = 1; r <= d->FNrOfRows; ++r) {
            const QString s = d->FStrings->GetString(Col, r);
            if (!s.isEmpty()) d->FStrings->SetString(Col, r, s.mid(1));
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
    const QString s = d->FStrings->GetString(Col, Row);
    return IsCheckCol(Col) ? s.mid(1) : s;
}

void TRLData::SetElem(int Col, int Row, const QString &Value)
{
    if (!ValidCell(Col, Row)) return;
    if (IsCheckCol(Col)) {
        const QString s = d->FStrings->GetString(Col, Row);
        const QString flag = s.isEmpty() ? kUnchecked : s.left(1);
        d->FStrings->SetString(Col, Row, flag + RLCutText(Value, RLMaxCellLength - 1));
    } else {
        d->FStrings->SetString(Col, Row, RLCutText(Value, RLMaxCellLength));
    }
}

bool TRLData::GetElemChecked(int Col, int Row) const
{
    if (!ValidCell(Col, Row) || !IsCheckCol(Col)) return false;
    return StoredChecked(d->FStrings->GetString(Col, Row));
}

void TRLData::ClearMarksOfCol(int Col)
{
    for (int r = 1; r <= d->FNrOfRows; ++r) {
        const QString s = d->FStrings->GetString(Col, r);
        if (s.isEmpty())
            d->FStrings->SetString(Col, r, kUnchecked);
        else if (s[0] != QLatin1Char(' '))
            d->FStrings->SetString(Col, r, kUnchecked + s.mid(1));
    }
}

void TRLData::SetElemChecked(int Col, int Row, bool Checked)
{
    if (!ValidCell(Col, Row) || !IsCheckCol(Col)) return;
    if (GetColCheckMode(Col) == cmRadio) ClearMarksOfCol(Col);
    const QString s = d->FStrings->GetString(Col, Row);
    const QString &flag = Checked ? kChecked : kUnchecked;
    d->FStrings->SetString(Col, Row, s.isEmpty() ? flag : flag + s.mid(1));
}

void TRLData::SetAllCheckmarksOfCol(int Column, bool Checked)
{
    if (GetColCheckMode(Column) != cmBox) return;
    const QString &flag = Checked ? kChecked : kUnchecked;
    for (int r = 1; r <= d->FNrOfRows; ++r) {
        const QString s = d->FStrings->GetString(Column, r);
        d->FStrings->SetString(Column, r, s.isEmpty() ? flag : flag + s.mid(1));
    }
}

void TRLData::InvertAllCheckmarksOfCol(int Column)
{
    if (GetColCheckMode(Column) != cmBox) return;
    for (int r = 1; r <= d->FNrOfRows; ++r) {
        const QString s = d->FStrings->GetString(Column, r);
        if (s.isEmpty())
            d->FStrings->SetString(Column, r, kChecked);
        else if (s[0] == QLatin1Char('X'))
            d->FStrings->SetString(Column, r, kUnchecked + s.mid(1));
        else
            d->FStrings->SetString(Column, r, kChecked + s.mid(1));
    }
}

int TRLData::CountCheckedElemsInCol(int Column) const
{
    if (!IsCheckCol(Column)) return 0;
    int n = 0;
    for (int r = 1; r <= d->FNrOfRows; ++r)
        n += StoredChecked(d->FStrings->GetString(Column, r)) ? 1 : 0;
    return n;
}

int TRLData::CountCheckedElemsInRow(int Row) const
{
    if (Row < 1 || Row > d->FNrOfRows) return 0;
    int n = 0;
    for (int c = 1; c <= d->FNrOfCols; ++c)
        if (IsCheckCol(c) && StoredChecked(d->FStrings->GetString(c, Row))) ++n;
    return n;
}

int TRLData::FirstCheckedElemInCol(int ColNr) const
{
    if (!IsCheckCol(ColNr)) return 0;
    for (int r = 1; r <= d->FNrOfRows; ++r)
        if (StoredChecked(d->FStrings->GetString(ColNr, r))) return r;
    return 0;
}

int TRLData::FirstCheckedElemInRow(int RowNr) const
{
    if (RowNr < 1 || RowNr > d->FNrOfRows) return 0;
    for (int c = 1; c <= d->FNrOfCols; ++c)
        if (IsCheckCol(c) && StoredChecked(d->FStrings->GetString(c, RowNr))) return c;
    return 0;
}

double TRLData::GetAsNumber(int Col, int Row) const
{
    return d->FStrings->GetAsNumber(Col, Row);
}

QString TRLData::GetCellDefaultValue(int Col, int Row) const
{
    return ColFmtCellDefault(GetColumnFormat(Col), Row);
}

// ---- rows ------------------------------------------------------------------------------------

int TRLData::InsertRow(int Row)
{
    if (Row <= 0) return 0;
    if (Row > d->FNrOfRows) {
        SetNrRows(d->FNrOfRows + 1);
        return d->FNrOfRows;
    }
    try {
        d->FStrings->InsertRow(Row);
    } catch (const std::exception &e) {
        throw EKROError(
            QStringLiteral("TRLData.NrOfRows: cannot insert a row (%1)").arg(QString::fromUtf8(e.what())));
    }
    // The store now holds one more row than counted; counting it cannot fail.
    SetNrRows(d->FNrOfRows + 1);
    return Row;
}

void TRLData::RemoveRow(int Row)
{
    if (Row < 1 || Row > d->FNrOfRows) return;
    // The presented row goes; the others keep both their presented and their stored order, so
    // UnSort still brings back the original order of the rows that remain.
    if (d->FNrOfRows < 2) {
        for (int c = 0; c <= d->FNrOfCols; ++c)
            d->FStrings->SetString(c, Row, QString());
        d->FStrings->SetRowAttrib(Row, 0); // an invisible row keeps nothing that could come back
        d->FNrOfRows = 0;
        UpdateFeedback(0);
    } else {
        d->FStrings->RemoveRow(Row);
        d->FNrOfRows -= 1;
        UpdateFeedback(d->FNrOfRows);
    }
}

void TRLData::RemoveEmptyRows()
{
    auto isEmpty = [this](int Row) {
        for (int c = 0; c <= d->FNrOfCols; ++c)
            if (!GetElem(c, Row).isEmpty()) return false;
        return true;
    };
    int first = 1;
    while (first <= d->FNrOfRows && !isEmpty(first))
        ++first;
    if (first > d->FNrOfRows) return;
    // The same result as removing the empty rows one by one from the bottom, but the rows that
    // stay are moved up in one pass instead of shifting the whole store for every removal.
    d->FStrings->CommitSorting();
    int kept = first - 1;
    for (int r = first + 1; r <= d->FNrOfRows; ++r) {
        if (isEmpty(r)) continue;
        ++kept;
        for (int c = 0; c <= d->FNrOfCols; ++c)
            d->FStrings->SetString(c, kept, d->FStrings->GetString(c, r));
        d->FStrings->SetRowAttrib(kept, d->FStrings->GetRowAttrib(r));
    }
    SetNrRows(kept); // shrinking cannot fail: the store is unsorted now
}

void TRLData::CopyRow(int Source, int Target)
{
    if (Source < 1 || Source > d->FNrOfRows || Target < 1 || Target > d->FNrOfRows) return;
    for (int c = 0; c <= d->FNrOfCols; ++c)
        d->FStrings->SetString(c, Target, d->FStrings->GetString(c, Source));
    d->FStrings->SetRowAttrib(Target, d->FStrings->GetRowAttrib(Source));
}

void TRLData::Fill(const QString &Value)
{
    const QString value = RLCutText(Value, RLMaxCellLength);
    for (int c = 1; c <= d->FNrOfCols; ++c) {
        const bool check = IsCheckCol(c);
        for (int r = 1; r <= d->FNrOfRows; ++r) {
            if (check) {
                const QString s = d->FStrings->GetString(c, r);
                const bool unchecked = s.isEmpty() || s[0] == QLatin1Char(' ');
                d->FStrings->SetString(c, r, (unchecked ? kUnchecked : kChecked) + value);
            } else {
                d->FStrings->SetString(c, r, value);
            }
        }
    }
}

void TRLData::Clear()
{
    d->FStrings->Clear();
    for (int c = 1; c <= d->FNrOfCols; ++c) {
        d->FColName[size_t(c - 1)] = DefaultColName(c);
        d->FColumnFormat[size_t(c - 1)].clear();
        d->FColButMode[size_t(c - 1)] = quint8(cmNone);
    }
}

// ---- store connection and copying -------------------------------------------------------------

void TRLData::ConnectStore()
{
    // The store spells a new order out as single exchanges only for a listener; without one a
    // sort just takes its new order.
    if (!d->FOnBefSortExc && !isSignalConnected(QMetaMethod::fromSignal(&TRLData::onBeforeSortExchange))) {
        d->FStrings->SetOnBeforeSortExchange(nullptr);
        return;
    }
    d->FStrings->SetOnBeforeSortExchange([this](QObject *, int What, int Ix1, int Ix2) {
        if (d->FOnBefSortExc) d->FOnBefSortExc(this, What, Ix1, Ix2);
        Q_EMIT onBeforeSortExchange(this, What, Ix1, Ix2);
    });
}

void TRLData::connectNotify(const QMetaMethod &Signal)
{
    // A listener of the exchange signal makes the store report exchanges, as a handler does.
    if (Signal == QMetaMethod::fromSignal(&TRLData::onBeforeSortExchange)) ConnectStore();
    TComponent::connectNotify(Signal);
}

void TRLData::disconnectNotify(const QMetaMethod &Signal)
{
    // Qt still holds its connection lock here: look at the listeners once it is done.
    if (Signal == QMetaMethod::fromSignal(&TRLData::onBeforeSortExchange))
        QMetaObject::invokeMethod(
            this, [this] { ConnectStore(); }, Qt::QueuedConnection);
    TComponent::disconnectNotify(Signal);
}

void TRLData::NotifyStoreChanged()
{
    if (const TNotifyEvent h = d->FStrings->OnChange()) h(d->FStrings.get());
}

void TRLData::TakeContent(TRLData &From)
{
    // The application's (or view's) handlers stay with this component's store.
    From.d->FStrings->SetOnChange(d->FStrings->OnChange());
    From.d->FStrings->SetOnPercentDone(d->FStrings->OnPercentDone());
    std::swap(d->FStrings, From.d->FStrings);
    ConnectStore();
    std::swap(d->FColName, From.d->FColName);
    std::swap(d->FColumnFormat, From.d->FColumnFormat);
    std::swap(d->FColButMode, From.d->FColButMode);
    d->FNrOfCols = From.d->FNrOfCols;
    d->FNrOfRows = From.d->FNrOfRows;
    d->FFeedbkNumCells = From.d->FFeedbkNumCells;
    d->FFeedbkStep = From.d->FFeedbkStep;
    d->FCommonHeader = From.d->FCommonHeader;
    d->FComment = From.d->FComment;
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
        store->Assign(src->d->FStrings.get()); // cells, attributes, the permutation, the step
        names = src->d->FColName;
        formats = src->d->FColumnFormat;
        modes = src->d->FColButMode;
    } catch (const std::exception &) {
        throw EKRORLDataError(ComponentMessage(QStringLiteral("not enough memory on heap")));
    }
    store->SetOnChange(d->FStrings->OnChange());
    store->SetOnPercentDone(d->FStrings->OnPercentDone());
    d->FStrings = std::move(store);
    ConnectStore();
    d->FColName = std::move(names);
    d->FColumnFormat = std::move(formats);
    d->FColButMode = std::move(modes);
    d->FNrOfCols = src->d->FNrOfCols;
    d->FNrOfRows = src->d->FNrOfRows;
    d->FSortColumn = src->d->FSortColumn;
    d->FSortColumnSec = src->d->FSortColumnSec;
    d->FSortOrder = src->d->FSortOrder;
    d->FSortToggle = src->d->FSortToggle;
    d->FComment = src->d->FComment;
    d->FCommonHeader = src->d->FCommonHeader;
    d->FOnBefSortExc = src->d->FOnBefSortExc;
    ConnectStore();
    d->FDataID = src->d->FDataID;
    UpdateFeedback(std::max(d->FNrOfRows, 1));
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
    if (!FOwner->d->FOnPercentDone &&
        !FOwner->isSignalConnected(QMetaMethod::fromSignal(&TRLData::onPercentDone)))
        return;
    const int pct = int(std::clamp<qint64>(Done * 100 / FTotal, 0, 100));
    if (pct > FLast) Report(pct);
}

void TRLData::TProgress::Report(int Percent)
{
    if (Percent <= FLast) return;
    FLast = Percent;
    if (FOwner->d->FOnPercentDone) FOwner->d->FOnPercentDone(FOwner, Percent);
    Q_EMIT FOwner->onPercentDone(FOwner, Percent);
}

bool TRLData::Fail(const QString &Message)
{
    d->FLastError = Message;
    return false;
}

} // namespace kro
