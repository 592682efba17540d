#include <krogui/replist/rlfilterengine.h>

#include <krogui/data/stringarray.h>
#include <krogui/replist/rldata.h>

#include <algorithm>
#include <new>

namespace kro {

namespace {

// A cell's text without its first code unit (empty stays empty).
QAnyStringView WithoutFirstUnit(QAnyStringView V)
{
    return V.visit([](auto S) { return S.isEmpty() ? QAnyStringView(S) : QAnyStringView(S.sliced(1)); });
}

bool IsSet(const std::vector<char> &ByStored, int Stored)
{
    return Stored >= 1 && size_t(Stored) <= ByStored.size() && ByStored[size_t(Stored - 1)];
}

// The stored row presented at every row of the data.
std::vector<int> PresentedOrder(const TRLData &Data)
{
    std::vector<int> order = Data.Strings()->SortOrder();
    order.resize(std::min(order.size(), size_t(std::max(Data.NrOfRows(), 0))));
    return order;
}

} // namespace

// The texts of searched columns, by stored row, for as long as the cells do not change.
struct TRLFilterEngine::TCache
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

TRLFilterEngine::TRLFilterEngine() : FCache(std::make_unique<TCache>()) {}

TRLFilterEngine::~TRLFilterEngine() = default;

void TRLFilterEngine::DropTexts()
{
    FCache->Clear();
}

std::vector<int> TRLFilterEngine::SearchColumns(const TRLData &Data, const std::vector<int> &Columns,
                                                const std::vector<bool> &IsPwd)
{
    const int nc = Data.NrOfColumns();
    std::vector<int> cols;
    if (Columns.empty()) {
        for (int c = 1; c <= nc; ++c)
            if (size_t(c - 1) >= IsPwd.size() || !IsPwd[size_t(c - 1)]) cols.push_back(c);
    } else {
        for (int c : Columns)
            if (c >= 0 && c <= nc && std::find(cols.begin(), cols.end(), c) == cols.end()) cols.push_back(c);
    }
    return cols;
}

const TRLColumnText *TRLFilterEngine::ColumnText(const TRLData &Data, int Col, std::vector<int> &StoredOf)
{
    const TStringArray *s = Data.Strings();
    const int n = Data.NrOfRows(), nc = Data.NrOfColumns();
    TCache &c = *FCache;
    if (c.Store != s || c.Rows != n || c.Cols != nc) {
        c.Clear();
        c.Store = s;
        c.Rows = n;
        c.Cols = nc;
        c.Text.resize(size_t(nc) + 1);
        c.Mode.assign(size_t(nc) + 1, -1);
    }
    const int mode = Data.GetColCheckMode(Col);
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

std::vector<char> TRLFilterEngine::Verdicts(const TRLData &Data, const TRLFilterQuery &Query,
                                            const std::vector<int> &Cols)
{
    const int n = Data.NrOfRows();
    std::vector<char> verdict(size_t(n), 0);
    // Whole columns at once when their texts can be had.
    std::vector<int> storedOf;
    std::vector<const TRLColumnText *> texts;
    for (int c : Cols) {
        const TRLColumnText *t = Query.MatchesAll() ? nullptr : ColumnText(Data, c, storedOf);
        if (!t) break;
        texts.push_back(t);
    }
    if (Query.MatchesAll() || texts.size() == Cols.size()) {
        Query.MatchColumns(texts, verdict);
        return verdict;
    }
    // Row by row, when memory for the column texts ran out.
    const TStringArray *s = Data.Strings();
    std::vector<char> check(Cols.size());
    for (size_t k = 0; k < Cols.size(); ++k)
        check[k] = Data.GetColCheckMode(Cols[k]) != cmNone;
    std::vector<QString> cells(Cols.size());
    for (int r = 1; r <= n; ++r) {
        for (size_t k = 0; k < Cols.size(); ++k) {
            cells[k] = s->GetString(Cols[k], r);
            if (check[k] && !cells[k].isEmpty()) cells[k].remove(0, 1);
        }
        verdict[size_t(s->GetSortOrder(r) - 1)] = Query.Matches(cells) ? 1 : 0;
    }
    return verdict;
}

std::vector<int> TRLFilterEngine::ShownOnTop(const TRLData &Data, const std::vector<char> &ShownStored)
{
    const std::vector<int> now = PresentedOrder(Data);
    std::vector<int> order;
    order.reserve(now.size());
    for (int pass = 0; pass < 2; ++pass)
        for (const int st : now)
            if (IsSet(ShownStored, st) == (pass == 0)) order.push_back(st);
    return order;
}

std::vector<int> TRLFilterEngine::MatchesOnTop(const TRLData &Data, const std::vector<char> &MatchedStored,
                                               int Col, int ColSec, bool Ascending)
{
    // The matching rows are sorted on their own, compared exactly as Sort compares; the hidden
    // rows cost nothing.
    const TStringArray *s = Data.Strings();
    std::vector<int> order = PresentedOrder(Data), rest;
    rest.reserve(order.size());
    size_t k = 0; // the matches are gathered at the front, the others in rest
    for (const int st : order) {
        if (IsSet(MatchedStored, st))
            order[k++] = st;
        else
            rest.push_back(st);
    }
    order.resize(k);
    const bool useSec = ColSec >= 0 && ColSec <= Data.NrOfColumns() && ColSec != Col;
    order = s->SortedRecords(order, Col, useSec ? ColSec : -1, Ascending);
    order.insert(order.end(), rest.begin(), rest.end());
    return order;
}

} // namespace kro
