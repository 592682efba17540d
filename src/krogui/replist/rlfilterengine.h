#pragma once
// TRLFilterEngine: the widget-free half of the report list's filter.
//
// It reads a TRLData, asks a compiled query (rlfilter.h) about every row and hands back the new
// order of the rows; the view fires its events and applies the order. Row numbers: "stored" rows
// are the rows as the store keeps them (1-based, what GetSortOrder returns), "presented" rows are
// the rows as the list shows them. Verdict vectors are indexed by stored row - 1.
//
// The engine keeps the searched columns' texts, one buffer per column, from one filter to the
// next, so that typing a query into a filter box filters a large list at once. Whoever changes
// the cells calls DropTexts(); a change of the row order alone keeps them valid.

#include <krogui/kroguiexport.h>
#include <krogui/replist/rlfilter.h>

#include <memory>
#include <vector>

namespace kro {

class TRLData;

class KROGUI_EXPORT TRLFilterEngine
{
public:
    TRLFilterEngine();
    ~TRLFilterEngine();
    TRLFilterEngine(const TRLFilterEngine &) = delete;
    TRLFilterEngine &operator=(const TRLFilterEngine &) = delete;

    /// Forgets the kept column texts (their buffers stay for the next build).
    void DropTexts();

    /// The data columns a query searches: the columns of Columns that lie in 0..NrOfColumns(),
    /// each once, in the order given; when Columns is empty every data column 1..NrOfColumns()
    /// whose IsPwd entry (indexed by column - 1) is false.
    static std::vector<int> SearchColumns(const TRLData &Data, const std::vector<int> &Columns,
                                          const std::vector<bool> &IsPwd);

    /// The query's verdict (0 or 1) for every stored row, searching the columns Cols. A check
    /// column's mark (its first character) is not searched.
    std::vector<char> Verdicts(const TRLData &Data, const TRLFilterQuery &Query,
                               const std::vector<int> &Cols);

    /// The stored rows in a new presentation order: the rows whose entry in ShownStored is set
    /// first, then the others, each group in its present order.
    static std::vector<int> ShownOnTop(const TRLData &Data, const std::vector<char> &ShownStored);

    /// Like ShownOnTop, with the first group sorted by column Col (ties broken by ColSec when it
    /// names another column of the data), compared as TRLData::Sort compares.
    static std::vector<int> MatchesOnTop(const TRLData &Data, const std::vector<char> &MatchedStored, int Col,
                                         int ColSec, bool Ascending);

private:
    struct TCache;
    const TRLColumnText *ColumnText(const TRLData &Data, int Col, std::vector<int> &StoredOf);
    std::unique_ptr<TCache> FCache;
};

} // namespace kro
