#include <krogui/data/datatable.h>

#include <krogui/core/error.h>
#include <krogui/core/memguard.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <new>
#include <numeric>

namespace kro {

namespace {

QString Cut(const QString &Text, int Length)
{
    if (Text.size() <= Length) return Text;
    // Never keep half of a surrogate pair.
    return Text.left(Text.at(Length - 1).isHighSurrogate() ? Length - 1 : Length);
}

// Sort key of a value: numbers first (in an order-preserving unsigned form), then the rest.
struct TValueKey
{
    quint8 Kind = 1;
    quint64 Value = 0;
    bool operator<(const TValueKey &O) const { return Kind != O.Kind ? Kind < O.Kind : Value < O.Value; }
};

TValueKey ValueKey(double V, quint8 State)
{
    if ((State & (dtsInvalid | dtsEmpty)) || std::isnan(V)) return {};
    if (V == 0) V = 0; // -0 and +0 are equal
    const quint64 bits = std::bit_cast<quint64>(V);
    return {0, (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull};
}

bool SameValue(double A, double B)
{
    return std::bit_cast<quint64>(A) == std::bit_cast<quint64>(B);
}

} // namespace

TDataTable::TDataTable(QObject *AOwner) : TComponent(AOwner) {}

TDataTable::~TDataTable() = default;

void TDataTable::Changed()
{
    if (FOnChange) FOnChange(this);
}

void TDataTable::ChangedSetup()
{
    if (FOnChangeSetup) FOnChangeSetup(this);
}

void TDataTable::Resized(int OldCols, int OldRows)
{
    ++FGeneration;
    if (FOnResize) FOnResize(this, OldCols, OldRows, FNrCols, FNrRows);
}

void TDataTable::CheckedCells(int NrCols, int NrRows, const char *Operation) const
{
    quint64 cells = 0, bytes = 0, headers = 0;
    const bool fits =
        CheckedMul(quint64(NrCols), quint64(NrRows), cells) && CheckedMul(cells, sizeof(double) + 1, bytes) &&
        CheckedMul(quint64(NrCols) + quint64(NrRows), 64, headers) && CheckedAdd(bytes, headers, bytes) &&
        cells <= std::numeric_limits<size_t>::max() / sizeof(double);
    if (!fits || !StorageObtainable(bytes))
        throw EKROError(QStringLiteral("TDataTable.%1: %2 x %3 cannot be had")
                            .arg(QLatin1String(Operation))
                            .arg(NrCols)
                            .arg(NrRows));
}

void TDataTable::Resize(int NrCols, int NrRows)
{
    if (NrCols < 0 || NrRows < 0)
        throw EKROError(QStringLiteral("TDataTable.Resize: negative size %1 x %2").arg(NrCols).arg(NrRows));
    if (NrCols == FNrCols && NrRows == FNrRows) return;
    const size_t nc = size_t(NrCols), nr = size_t(NrRows);
    const int oldCols = FNrCols, oldRows = FNrRows;
    if (NrCols <= FNrCols && NrRows <= FNrRows) {
        // Shrinking compacts in place and needs no memory: it cannot fail.
        size_t w = 0;
        for (size_t c = 0; c < nc; ++c) {
            for (size_t r = 0; r < nr; ++r, ++w) {
                FData[w] = FData[c * size_t(FNrRows) + r];
                FState[w] = FState[c * size_t(FNrRows) + r];
            }
        }
        FData.resize(w);
        FState.resize(w);
        FColName.resize(nc);
        FColAttrib.resize(nc);
        FMScaleType.resize(nc);
        FNominalID.resize(nc);
        FRowName.resize(nr);
        FRowAttrib.resize(nr);
        FNrCols = NrCols;
        FNrRows = NrRows;
        Resized(oldCols, oldRows);
        return;
    }
    CheckedCells(NrCols, NrRows, "Resize");
    std::vector<double> data;
    std::vector<quint8> state;
    try {
        data.assign(nc * nr, 0.0);
        state.assign(nc * nr, 0);
        FColName.reserve(nc);
        FColAttrib.reserve(nc);
        FMScaleType.reserve(nc);
        FNominalID.reserve(nc);
        FRowName.reserve(nr);
        FRowAttrib.reserve(nr);
    } catch (const std::bad_alloc &) {
        throw EKROError(
            QStringLiteral("TDataTable.Resize: not enough memory for %1 x %2").arg(NrCols).arg(NrRows));
    }
    const size_t keepCols = std::min<size_t>(nc, size_t(FNrCols));
    const size_t keepRows = std::min<size_t>(nr, size_t(FNrRows));
    for (size_t c = 0; c < keepCols; ++c) {
        std::copy_n(FData.begin() + ptrdiff_t(c * size_t(FNrRows)), keepRows,
                    data.begin() + ptrdiff_t(c * nr));
        std::copy_n(FState.begin() + ptrdiff_t(c * size_t(FNrRows)), keepRows,
                    state.begin() + ptrdiff_t(c * nr));
    }
    FData.swap(data);
    FState.swap(state);
    FColName.resize(nc);
    FColAttrib.resize(nc, 0);
    FMScaleType.resize(nc, mstUndefined);
    FNominalID.resize(nc);
    FRowName.resize(nr);
    FRowAttrib.resize(nr, 0);
    FNrCols = NrCols;
    FNrRows = NrRows;
    Resized(oldCols, oldRows);
}

void TDataTable::Clear()
{
    std::fill(FData.begin(), FData.end(), 0.0);
    std::fill(FState.begin(), FState.end(), quint8(0));
    for (QString &s : FColName)
        s.clear();
    for (QString &s : FRowName)
        s.clear();
    std::fill(FColAttrib.begin(), FColAttrib.end(), 0);
    std::fill(FRowAttrib.begin(), FRowAttrib.end(), 0);
    std::fill(FMScaleType.begin(), FMScaleType.end(), int(mstUndefined));
    for (auto &ids : FNominalID)
        std::vector<QString>().swap(ids);
    FComment.clear();
    Changed();
    ChangedSetup();
}

double TDataTable::GetElem(int Col, int Row) const
{
    return Inside(Col, Row) ? FData[Index(Col, Row)] : 0.0;
}

void TDataTable::SetElem(int Col, int Row, double Value)
{
    if (!Inside(Col, Row)) return;
    double &cell = FData[Index(Col, Row)];
    if (SameValue(cell, Value)) return;
    cell = Value;
    Changed();
}

void TDataTable::Fill(double Value)
{
    std::fill(FData.begin(), FData.end(), Value);
    Changed();
}

quint8 TDataTable::GetCellState(int Col, int Row) const
{
    return Inside(Col, Row) ? FState[Index(Col, Row)] : 0;
}

void TDataTable::SetCellState(int Col, int Row, quint8 State)
{
    if (!Inside(Col, Row)) return;
    quint8 &cell = FState[Index(Col, Row)];
    if (cell == State) return;
    cell = State;
    Changed();
}

bool TDataTable::GetIsNumber(int Col, int Row) const
{
    return Inside(Col, Row) && (FState[Index(Col, Row)] & (dtsInvalid | dtsEmpty)) == 0;
}

TDTNameStr TDataTable::GetColName(int Col) const
{
    return Col >= 1 && Col <= FNrCols ? FColName[size_t(Col - 1)] : QString();
}

void TDataTable::SetColName(int Col, const TDTNameStr &Name)
{
    if (Col < 1 || Col > FNrCols) return;
    const QString cut = Cut(Name, MaxNameLength);
    if (FColName[size_t(Col - 1)] == cut) return;
    FColName[size_t(Col - 1)] = cut;
    Changed();
}

TDTNameStr TDataTable::GetRowName(int Row) const
{
    return Row >= 1 && Row <= FNrRows ? FRowName[size_t(Row - 1)] : QString();
}

void TDataTable::SetRowName(int Row, const TDTNameStr &Name)
{
    if (Row < 1 || Row > FNrRows) return;
    const QString cut = Cut(Name, MaxNameLength);
    if (FRowName[size_t(Row - 1)] == cut) return;
    FRowName[size_t(Row - 1)] = cut;
    Changed();
}

int TDataTable::FindColIndex(const TDTNameStr &Name, bool IgnoreCase) const
{
    const Qt::CaseSensitivity cs = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (size_t i = 0; i < FColName.size(); ++i)
        if (FColName[i].compare(Name, cs) == 0) return int(i) + 1;
    return 0;
}

int TDataTable::FindRowIndex(const TDTNameStr &Name, bool IgnoreCase) const
{
    const Qt::CaseSensitivity cs = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (size_t i = 0; i < FRowName.size(); ++i)
        if (FRowName[i].compare(Name, cs) == 0) return int(i) + 1;
    return 0;
}

int TDataTable::GetColAttrib(int Col) const
{
    return Col >= 1 && Col <= FNrCols ? FColAttrib[size_t(Col - 1)] : 0;
}

void TDataTable::SetColAttrib(int Col, int Value)
{
    if (Col < 1 || Col > FNrCols || FColAttrib[size_t(Col - 1)] == Value) return;
    FColAttrib[size_t(Col - 1)] = Value;
    Changed();
}

int TDataTable::GetRowAttrib(int Row) const
{
    return Row >= 1 && Row <= FNrRows ? FRowAttrib[size_t(Row - 1)] : 0;
}

void TDataTable::SetRowAttrib(int Row, int Value)
{
    if (Row < 1 || Row > FNrRows || FRowAttrib[size_t(Row - 1)] == Value) return;
    FRowAttrib[size_t(Row - 1)] = Value;
    Changed();
}

int TDataTable::GetMScaleType(int Col) const
{
    return Col >= 1 && Col <= FNrCols ? FMScaleType[size_t(Col - 1)] : 0;
}

void TDataTable::SetMScaleType(int Col, int ScaleType)
{
    if (Col < 1 || Col > FNrCols || ScaleType < mstUndefined || ScaleType > mstRatio ||
        FMScaleType[size_t(Col - 1)] == ScaleType)
        return;
    FMScaleType[size_t(Col - 1)] = ScaleType;
    ChangedSetup();
}

QString TDataTable::GetNominalID(int Col, int Code) const
{
    if (Col < 1 || Col > FNrCols || Code < 1 || Code > MaxNominalCode) return QString();
    const std::vector<QString> &ids = FNominalID[size_t(Col - 1)];
    return ids.empty() ? QString() : ids[size_t(Code - 1)];
}

void TDataTable::SetNominalID(int Col, int Code, const QString &ID)
{
    if (Col < 1 || Col > FNrCols || Code < 1 || Code > MaxNominalCode) return;
    const QString cut = Cut(ID, MaxNominalIDLength);
    std::vector<QString> &ids = FNominalID[size_t(Col - 1)];
    if (ids.empty()) {
        if (cut.isEmpty()) return;
        ids.resize(MaxNominalCode);
    }
    if (ids[size_t(Code - 1)] == cut) return;
    ids[size_t(Code - 1)] = cut;
    ChangedSetup();
}

int TDataTable::OrdinalOfNominalID(int Col, const QString &ID, bool IgnoreCase) const
{
    if (Col < 1 || Col > FNrCols || ID.isEmpty()) return 0;
    const std::vector<QString> &ids = FNominalID[size_t(Col - 1)];
    const Qt::CaseSensitivity cs = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (const QString &query : {ID, ID.trimmed()}) {
        if (query.isEmpty()) continue;
        for (size_t i = 0; i < ids.size(); ++i)
            if (!ids[i].isEmpty() && ids[i].compare(query, cs) == 0) return int(i) + 1;
    }
    return 0;
}

void TDataTable::SetFComment(const QString &Value)
{
    if (FComment == Value) return;
    FComment = Value;
    Changed();
}

void TDataTable::InsertColumn(int Ix)
{
    if (Ix < 1 || Ix > FNrCols + 1) return;
    if (FNrCols == std::numeric_limits<int>::max())
        throw EKROError(QStringLiteral("TDataTable.InsertColumn: too many columns"));
    CheckedCells(FNrCols + 1, FNrRows, "InsertColumn");
    const size_t nr = size_t(FNrRows), nc = size_t(FNrCols) + 1;
    try {
        FData.reserve(nc * nr);
        FState.reserve(nc * nr);
        FColName.reserve(nc);
        FColAttrib.reserve(nc);
        FMScaleType.reserve(nc);
        FNominalID.reserve(nc);
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TDataTable.InsertColumn: not enough memory"));
    }
    // Within the reserved capacity nothing below can throw.
    const size_t at = size_t(Ix - 1);
    FData.insert(FData.begin() + ptrdiff_t(at * nr), nr, 0.0);
    FState.insert(FState.begin() + ptrdiff_t(at * nr), nr, quint8(0));
    FColName.insert(FColName.begin() + ptrdiff_t(at), QString());
    FColAttrib.insert(FColAttrib.begin() + ptrdiff_t(at), 0);
    FMScaleType.insert(FMScaleType.begin() + ptrdiff_t(at), int(mstUndefined));
    FNominalID.insert(FNominalID.begin() + ptrdiff_t(at), std::vector<QString>());
    ++FNrCols;
    Resized(FNrCols - 1, FNrRows);
    Changed();
}

void TDataTable::InsertRow(int Ix)
{
    if (Ix < 1 || Ix > FNrRows + 1) return;
    if (FNrRows == std::numeric_limits<int>::max())
        throw EKROError(QStringLiteral("TDataTable.InsertRow: too many rows"));
    CheckedCells(FNrCols, FNrRows + 1, "InsertRow");
    const size_t nr = size_t(FNrRows), nc = size_t(FNrCols), at = size_t(Ix - 1);
    std::vector<double> data;
    std::vector<quint8> state;
    try {
        data.assign(nc * (nr + 1), 0.0);
        state.assign(nc * (nr + 1), 0);
        FRowName.reserve(nr + 1);
        FRowAttrib.reserve(nr + 1);
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TDataTable.InsertRow: not enough memory"));
    }
    for (size_t c = 0; c < nc; ++c) {
        const size_t from = c * nr, to = c * (nr + 1);
        std::copy_n(FData.begin() + ptrdiff_t(from), at, data.begin() + ptrdiff_t(to));
        std::copy_n(FData.begin() + ptrdiff_t(from + at), nr - at, data.begin() + ptrdiff_t(to + at + 1));
        std::copy_n(FState.begin() + ptrdiff_t(from), at, state.begin() + ptrdiff_t(to));
        std::copy_n(FState.begin() + ptrdiff_t(from + at), nr - at, state.begin() + ptrdiff_t(to + at + 1));
    }
    FData.swap(data);
    FState.swap(state);
    FRowName.insert(FRowName.begin() + ptrdiff_t(at), QString());
    FRowAttrib.insert(FRowAttrib.begin() + ptrdiff_t(at), 0);
    ++FNrRows;
    Resized(FNrCols, FNrRows - 1);
    Changed();
}

void TDataTable::RemoveColumn(int Ix)
{
    if (Ix < 1 || Ix > FNrCols) return;
    const size_t nr = size_t(FNrRows), at = size_t(Ix - 1);
    FData.erase(FData.begin() + ptrdiff_t(at * nr), FData.begin() + ptrdiff_t((at + 1) * nr));
    FState.erase(FState.begin() + ptrdiff_t(at * nr), FState.begin() + ptrdiff_t((at + 1) * nr));
    FColName.erase(FColName.begin() + ptrdiff_t(at));
    FColAttrib.erase(FColAttrib.begin() + ptrdiff_t(at));
    FMScaleType.erase(FMScaleType.begin() + ptrdiff_t(at));
    FNominalID.erase(FNominalID.begin() + ptrdiff_t(at));
    --FNrCols;
    Resized(FNrCols + 1, FNrRows);
    Changed();
}

void TDataTable::RemoveRow(int Ix)
{
    if (Ix < 1 || Ix > FNrRows) return;
    const size_t nr = size_t(FNrRows), nc = size_t(FNrCols), at = size_t(Ix - 1);
    // Compact in place: every element moves to a lower or equal index.
    size_t w = 0;
    for (size_t c = 0; c < nc; ++c) {
        for (size_t r = 0; r < nr; ++r) {
            if (r == at) continue;
            FData[w] = FData[c * nr + r];
            FState[w] = FState[c * nr + r];
            ++w;
        }
    }
    FData.resize(w);
    FState.resize(w);
    FRowName.erase(FRowName.begin() + ptrdiff_t(at));
    FRowAttrib.erase(FRowAttrib.begin() + ptrdiff_t(at));
    --FNrRows;
    Resized(FNrCols, FNrRows + 1);
    Changed();
}

void TDataTable::SwapRowsIn(int R1, int R2, int LowCol, int HighCol, bool Headers)
{
    for (int c = LowCol; c <= HighCol; ++c) {
        std::swap(FData[Index(c, R1)], FData[Index(c, R2)]);
        std::swap(FState[Index(c, R1)], FState[Index(c, R2)]);
    }
    if (Headers) {
        std::swap(FRowName[size_t(R1 - 1)], FRowName[size_t(R2 - 1)]);
        std::swap(FRowAttrib[size_t(R1 - 1)], FRowAttrib[size_t(R2 - 1)]);
    }
}

void TDataTable::SwapColsIn(int C1, int C2, int LowRow, int HighRow, bool Headers)
{
    for (int r = LowRow; r <= HighRow; ++r) {
        std::swap(FData[Index(C1, r)], FData[Index(C2, r)]);
        std::swap(FState[Index(C1, r)], FState[Index(C2, r)]);
    }
    if (Headers) {
        std::swap(FColName[size_t(C1 - 1)], FColName[size_t(C2 - 1)]);
        std::swap(FColAttrib[size_t(C1 - 1)], FColAttrib[size_t(C2 - 1)]);
        std::swap(FMScaleType[size_t(C1 - 1)], FMScaleType[size_t(C2 - 1)]);
        std::swap(FNominalID[size_t(C1 - 1)], FNominalID[size_t(C2 - 1)]);
    }
}

void TDataTable::ExchangeColumns(int Col1, int Col2)
{
    if (Col1 < 1 || Col1 > FNrCols || Col2 < 1 || Col2 > FNrCols || Col1 == Col2) return;
    SwapColsIn(Col1, Col2, 1, FNrRows, true);
    Changed();
}

void TDataTable::ExchangeRows(int Row1, int Row2)
{
    if (Row1 < 1 || Row1 > FNrRows || Row2 < 1 || Row2 > FNrRows || Row1 == Row2) return;
    SwapRowsIn(Row1, Row2, 1, FNrCols, true);
    Changed();
}

void TDataTable::MirrorColumns()
{
    for (int c = 1, d = FNrCols; c < d; ++c, --d)
        SwapColsIn(c, d, 1, FNrRows, true);
    Changed();
}

void TDataTable::MirrorRows()
{
    for (int r = 1, s = FNrRows; r < s; ++r, --s)
        SwapRowsIn(r, s, 1, FNrCols, true);
    Changed();
}

void TDataTable::UnmarkAllCells()
{
    for (quint8 &s : FState)
        s &= quint8(~(dtsMarkedA | dtsMarkedB));
    Changed();
}

void TDataTable::InvertCellStates(quint8 StateMask)
{
    for (quint8 &s : FState)
        s ^= StateMask;
    Changed();
}

void TDataTable::ExchangeMarkings()
{
    for (quint8 &s : FState) {
        const quint8 a = s & dtsMarkedA, b = s & dtsMarkedB;
        s = quint8((s & ~(dtsMarkedA | dtsMarkedB)) | (a ? dtsMarkedB : 0) | (b ? dtsMarkedA : 0));
    }
    Changed();
}

int TDataTable::FillMarkedCells(double Value, quint8 StateMask)
{
    int count = 0;
    for (size_t i = 0; i < FState.size(); ++i) {
        if (FState[i] & StateMask) {
            FData[i] = Value;
            FState[i] &= quint8(~(dtsInvalid | dtsEmpty));
            ++count;
        }
    }
    if (count > 0) Changed();
    return count;
}

bool TDataTable::ClipBlock(TBlock &B) const
{
    if (B.LowCol > B.HighCol) std::swap(B.LowCol, B.HighCol);
    if (B.LowRow > B.HighRow) std::swap(B.LowRow, B.HighRow);
    B.LowCol = std::max(B.LowCol, 1);
    B.LowRow = std::max(B.LowRow, 1);
    B.HighCol = std::min(B.HighCol, FNrCols);
    B.HighRow = std::min(B.HighRow, FNrRows);
    return B.LowCol <= B.HighCol && B.LowRow <= B.HighRow;
}

void TDataTable::SortBlock(int What, int Low, int High, bool Ascending,
                           const std::function<bool(int, int)> &Less,
                           const std::function<void(int, int)> &Swap)
{
    const quint64 generation = FGeneration;
    int lastPercent = -1;
    auto report = [&](int Percent) {
        if (FOnPercentDone && Percent > lastPercent) {
            lastPercent = Percent;
            FOnPercentDone(this, Percent);
        }
        return FGeneration == generation;
    };
    if (!report(0)) return;
    const int m = High - Low + 1;
    std::vector<int> order(size_t(std::max(m, 0)));
    std::iota(order.begin(), order.end(), Low);
    if (Ascending)
        std::stable_sort(order.begin(), order.end(), Less);
    else
        std::stable_sort(order.begin(), order.end(), [&Less](int A, int B) { return Less(B, A); });

    // Apply the order as exchanges, each reported before it is made.
    std::vector<int> current(order.size()), position(order.size());
    std::iota(current.begin(), current.end(), Low);
    std::iota(position.begin(), position.end(), 0);
    int swaps = 0;
    bool complete = true;
    for (int i = 0; i < m && complete; ++i) {
        const int want = order[size_t(i)];
        if (current[size_t(i)] != want) {
            const int j = position[size_t(want - Low)];
            if (FOnBeforeSortExchange) {
                FOnBeforeSortExchange(this, What, Low + i, Low + j);
                if (FGeneration != generation) {
                    complete = false;
                    break;
                }
            }
            Swap(Low + i, Low + j);
            ++swaps;
            std::swap(current[size_t(i)], current[size_t(j)]);
            position[size_t(current[size_t(i)] - Low)] = i;
            position[size_t(current[size_t(j)] - Low)] = j;
        }
        complete = report(int(qint64(i + 1) * 99 / m));
    }
    if (complete) report(100);
    if (swaps > 0) Changed();
}

void TDataTable::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                          bool IncludeHeaders)
{
    TBlock b{LowCol, LowRow, HighCol, HighRow};
    if (SortColIx < 1 || SortColIx > FNrCols || !ClipBlock(b)) return;
    std::vector<TValueKey> keys;
    for (int r = b.LowRow; r <= b.HighRow; ++r)
        keys.push_back(ValueKey(FData[Index(SortColIx, r)], FState[Index(SortColIx, r)]));
    SortBlock(
        0, b.LowRow, b.HighRow, Ascending,
        [&](int A, int B) { return keys[size_t(A - b.LowRow)] < keys[size_t(B - b.LowRow)]; },
        [&](int A, int B) { SwapRowsIn(A, B, b.LowCol, b.HighCol, IncludeHeaders); });
}

void TDataTable::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                          bool IncludeHeaders)
{
    TBlock b{LowCol, LowRow, HighCol, HighRow};
    if (SortRowIx < 1 || SortRowIx > FNrRows || !ClipBlock(b)) return;
    std::vector<TValueKey> keys;
    for (int c = b.LowCol; c <= b.HighCol; ++c)
        keys.push_back(ValueKey(FData[Index(c, SortRowIx)], FState[Index(c, SortRowIx)]));
    SortBlock(
        1, b.LowCol, b.HighCol, Ascending,
        [&](int A, int B) { return keys[size_t(A - b.LowCol)] < keys[size_t(B - b.LowCol)]; },
        [&](int A, int B) { SwapColsIn(A, B, b.LowRow, b.HighRow, IncludeHeaders); });
}

void TDataTable::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    TBlock b{LowCol, LowRow, HighCol, HighRow};
    if (!ClipBlock(b)) return;
    SortBlock(
        0, b.LowRow, b.HighRow, Ascending,
        [&](int A, int B) { return FRowAttrib[size_t(A - 1)] < FRowAttrib[size_t(B - 1)]; },
        [&](int A, int B) { SwapRowsIn(A, B, b.LowCol, b.HighCol, true); });
}

void TDataTable::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow)
{
    TBlock b{LowCol, LowRow, HighCol, HighRow};
    if (!ClipBlock(b)) return;
    SortBlock(
        1, b.LowCol, b.HighCol, Ascending,
        [&](int A, int B) { return FColAttrib[size_t(A - 1)] < FColAttrib[size_t(B - 1)]; },
        [&](int A, int B) { SwapColsIn(A, B, b.LowRow, b.HighRow, true); });
}

void TDataTable::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                              int HighRow)
{
    TBlock b{LowCol, LowRow, HighCol, HighRow};
    if (!ClipBlock(b)) return;
    const Qt::CaseSensitivity cs = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    SortBlock(
        0, b.LowRow, b.HighRow, Ascending,
        [&](int A, int B) { return FRowName[size_t(A - 1)].compare(FRowName[size_t(B - 1)], cs) < 0; },
        [&](int A, int B) { SwapRowsIn(A, B, b.LowCol, b.HighCol, true); });
}

void TDataTable::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                              int HighRow)
{
    TBlock b{LowCol, LowRow, HighCol, HighRow};
    if (!ClipBlock(b)) return;
    const Qt::CaseSensitivity cs = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    SortBlock(
        1, b.LowCol, b.HighCol, Ascending,
        [&](int A, int B) { return FColName[size_t(A - 1)].compare(FColName[size_t(B - 1)], cs) < 0; },
        [&](int A, int B) { SwapColsIn(A, B, b.LowRow, b.HighRow, true); });
}

bool TDataTable::AssignTo(TComponentBase *Dest) const
{
    auto *dest = dynamic_cast<TDataTable *>(Dest);
    if (!dest) return TComponent::AssignTo(Dest);
    if (dest == this) return true;
    TDataTable copy;
    try {
        copy.FData = FData;
        copy.FState = FState;
        copy.FColName = FColName;
        copy.FRowName = FRowName;
        copy.FColAttrib = FColAttrib;
        copy.FRowAttrib = FRowAttrib;
        copy.FMScaleType = FMScaleType;
        copy.FNominalID = FNominalID;
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TDataTable.Assign: not enough memory"));
    }
    const int oldCols = dest->FNrCols, oldRows = dest->FNrRows;
    dest->FData.swap(copy.FData);
    dest->FState.swap(copy.FState);
    dest->FColName.swap(copy.FColName);
    dest->FRowName.swap(copy.FRowName);
    dest->FColAttrib.swap(copy.FColAttrib);
    dest->FRowAttrib.swap(copy.FRowAttrib);
    dest->FMScaleType.swap(copy.FMScaleType);
    dest->FNominalID.swap(copy.FNominalID);
    dest->FComment = FComment;
    dest->FNrCols = FNrCols;
    dest->FNrRows = FNrRows;
    if (oldCols != FNrCols || oldRows != FNrRows) dest->Resized(oldCols, oldRows);
    dest->Changed();
    dest->ChangedSetup();
    return true;
}

} // namespace kro
