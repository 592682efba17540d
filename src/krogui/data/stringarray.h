#pragma once
// TStringArray: a compact two-dimensional store of short strings with row and column attributes
// and a sort permutation.

#include <krogui/core/component.h>
#include <krogui/core/types.h>

#include <QAnyStringView>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace kro {

/// A table of short strings addressed (column, row): columns 0..NrOfColumns(), rows
/// 1..NrOfRows(). Strings hold at most 255 characters (UTF-16 code units); longer ones are cut
/// when stored (never in the middle of a surrogate pair). Every row has an attribute byte that
/// moves with its row, every column one of its own.
///
/// Storage: each column keeps one 32-bit reference per row into a byte pool of its own; a cell's
/// text lives in the pool as a length byte followed by Latin-1 bytes, or UTF-16 units when the
/// text needs them. An empty cell costs only its reference. Overwritten texts leave garbage in
/// the pool, which is compacted once it outweighs the live texts. UTF-16 units are kept 2-byte
/// aligned, so that a cell can be read in place (GetStringView).
///
/// Sorting is a permutation: the rows are presented in sorted order, the stored (unsorted) order
/// stays recoverable with UnSort, and CommitSorting makes the presented order the stored one.
/// Every row-addressed operation (GetString, SetString, the row attributes, InsertRow,
/// RemoveRow) works on presented rows.
///
/// How Sort compares two cells:
/// - A cell is *blank* when it is empty or holds only blanks. A cell *reads as a number* when,
///   without its leading and trailing blanks, it is an optional sign, decimal digits with at most
///   one decimal separator ('.' or ','), and an optional exponent (e or E, optional sign,
///   digits), such as "12", "-0,5", "+3.25e-4", ".5". A cell *reads as a date* when it is an ISO
///   date yyyy-MM-dd, optionally followed by a blank or 'T' and a time hh:mm, hh:mm:ss or
///   hh:mm:ss.zzz (one to three fraction digits); the date and time must exist. Every other cell
///   is a *text*.
/// - Two numbers compare by value, two dates by the moment they name, two texts
///   case-insensitively and locale-aware (QCollator of SortLocale(), the default locale unless
///   set). Cells of different kinds are ordered numbers, dates, texts, blanks in ascending order.
/// - Descending order is the exact mirror: blanks first, then texts, dates and numbers, each
///   group from the largest to the smallest.
/// - Rows whose primary cells are equal are ordered by the secondary column (same direction);
///   rows still equal keep their previous presented order (the sort is stable), so successive
///   sorts refine each other.
///
/// Notifications (each called only when assigned, with this array as Sender):
/// - OnChange after a change of the presented content: SetString (when the text changes), Clear,
///   Resize (when a size changes), InsertRow, RemoveRow, Sort, UnSort, SetSortOrder, Assign.
///   Attribute changes and CommitSorting (which changes nothing visible) do not fire it.
/// - OnBeforeSortExchange(Sender, 0, Row1, Row2) while Sort or UnSort reorders the rows: the new
///   order is reported as a sequence of exchanges of two presented rows, each reported before it
///   happens; applying them in turn to a list of the presented rows gives the new order.
/// - OnPercentDone(Sender, Percent) during Sort: 0 first, 100 last, strictly increasing.
/// A handler may read the array; one that changes its shape (rows, columns or order) while a sort
/// is reporting makes the sort stop without reordering.
///
/// Indices outside the array give neutral results (empty string, 0) and writes to them do
/// nothing. A resize that is negative or cannot be had raises EKROError and changes nothing.
class KROGUI_EXPORT TStringArray : public TComponent
{
    Q_OBJECT
public:
    /// Longest string a cell holds.
    static constexpr int MaxStringLength = 255;

    /// An empty array: one column (column 0), no rows, unsorted, allocation step 1.
    explicit TStringArray(QObject *AOwner = nullptr);
    ~TStringArray() override;

    /// Highest column index: the columns are 0..NrOfColumns().
    int NrOfColumns() const { return int(FColumns.size()) - 1; }
    /// Number of rows (rows are 1..NrOfRows()).
    int NrOfRows() const { return FNrRows; }

    /// Rows are allocated in multiples of this step (at least 1); growth is still geometric, so
    /// adding rows one by one stays cheap.
    int AllocRowsBy() const { return FAllocRowsBy; }
    void SetAllocRowsBy(int Rows);

    /// Sizes the array to columns 0..NrCols and rows 1..NrRows. Cells inside both sizes keep
    /// their text; new cells are empty, new attributes 0. New rows are presented after the
    /// existing ones; when shrinking, the presented rows beyond NrRows go. Raises EKROError for
    /// a negative size or one that cannot be had, and then changes nothing.
    void Resize(int NrCols, int NrRows);
    /// Empties every cell; sizes, attributes and the sort order stay.
    void Clear();

    /// Text of a cell; empty outside the array.
    QString GetString(int Col, int Row) const;
    /// The same text read in place, without building a string: a Latin-1 or a UTF-16 view (never
    /// UTF-8), as the cell is stored; an empty Latin-1 view for an empty cell or outside the array. The view
    /// points into the array and is valid only until the array changes.
    QAnyStringView GetStringView(int Col, int Row) const
    {
        if (!ValidCell(Col, Row)) return QAnyStringView(QLatin1StringView());
        const TColumn &c = FColumns[size_t(Col)];
        return EntryView(c, c.Ref[Stored(Row)]);
    }
    /// Calls Fn(Row, View) for every row 1..NrOfRows() of column Col in presented order, with
    /// the view GetStringView(Col, Row) would give. Fn must not change the array. Nothing when
    /// Col is outside the columns.
    template <class Fn> void ForEachInColumn(int Col, Fn &&F) const
    {
        if (Col < 0 || Col >= int(FColumns.size())) return;
        const TColumn &c = FColumns[size_t(Col)];
        for (int r = 1; r <= FNrRows; ++r)
            F(r, EntryView(c, c.Ref[Stored(r)]));
    }
    /// Stores Value (cut to 255 characters) in a cell; nothing outside the array. Raises
    /// EKROError when the column's pool cannot grow, leaving the cell as it was.
    void SetString(int Col, int Row, const QString &Value);
    /// The number a cell reads as (see the comparison rules above); 0 when it reads as none or
    /// lies outside the array.
    double GetAsNumber(int Col, int Row) const;
    /// Length of a cell's text in characters; 0 outside the array.
    int GetLength(int Col, int Row) const;

    /// Attribute byte of a presented row; 0 outside, and the setter ignores such rows.
    quint8 GetRowAttrib(int Row) const;
    void SetRowAttrib(int Row, quint8 Value);
    /// Sets (On) or clears the bits Bits in the attributes of the presented rows FromRow..ToRow;
    /// rows outside 1..NrOfRows() are left out.
    void SetRowAttribBits(int FromRow, int ToRow, quint8 Bits, bool On);
    /// Attribute byte of a column (0..NrOfColumns()); 0 outside, setter ignores such columns.
    quint8 GetColAttrib(int Col) const;
    void SetColAttrib(int Col, quint8 Value);

    /// Inserts an empty row (attribute 0) before presented row Row, 1..NrOfRows()+1 (the last
    /// value appends); later rows shift down. Other values do nothing. Under a sort order the new
    /// row is also stored just before the record it was inserted before, so UnSort keeps it
    /// there. Raises EKROError when the row cannot be had, changing nothing.
    void InsertRow(int Row);
    /// Removes presented row Row (1..NrOfRows()) with its attribute; later rows shift up. Other
    /// values do nothing.
    void RemoveRow(int Row);

    /// Presents the rows ordered by column Col, ties broken by column ColSec (ignored when it is
    /// outside the columns or equals Col), ascending or descending (rules above). Nothing
    /// happens when Col is outside the columns. Raises EKROError when the working memory cannot
    /// be had, changing nothing.
    void Sort(int Col, int ColSec, bool Ascending);
    /// Presents the rows in their stored (unsorted) order again.
    void UnSort();
    /// Makes the presented order the stored order; afterwards UnSort changes nothing.
    void CommitSorting();
    /// True while a sort order is in effect: after Sort or SetSortOrder, until UnSort or
    /// CommitSorting (or until no rows are left).
    bool IsSorted() const { return !FPerm.empty(); }
    /// Stored row (1..NrOfRows()) presented at Row: identifies a record across sorts. 0 outside.
    int GetSortOrder(int Row) const;
    /// Presents stored row Value at Row. The row that presented Value before takes Row's old
    /// entry, so the order stays a permutation; setting the entries of a copied order row by row
    /// reproduces it exactly. Nothing when Row or Value is outside 1..NrOfRows().
    void SetSortOrder(int Row, int Value);
    /// The stored row presented at every row: entry i is GetSortOrder(i + 1).
    std::vector<int> SortOrder() const;
    /// Presents the rows in the order Order, which holds every stored row (1..NrOfRows()) exactly
    /// once: entry i is presented at row i + 1. Returns whether the presented order changed;
    /// only then does OnChange fire and IsSorted() become true, as after the row-by-row
    /// SetSortOrder. Raises EKROError, changing nothing, when Order is not such a permutation.
    bool SetSortOrder(const std::vector<int> &Order);
    /// The presented row of stored row Record (the inverse of GetSortOrder); 0 outside.
    int PresentedRow(int Record) const;
    /// The stored rows Records (each in 1..NrOfRows()) ordered by column Col as Sort orders the
    /// rows, ties broken by ColSec the same way; equal ones keep their order in Records. Records
    /// comes back unchanged when Col is outside the columns. Changes nothing and notifies no one.
    /// Raises EKROError for a record outside the rows or when memory runs out.
    std::vector<int> SortedRecords(const std::vector<int> &Records, int Col, int ColSec,
                                   bool Ascending) const;

    /// Locale of the text comparison of Sort (default: QLocale()).
    QLocale SortLocale() const { return FSortLocale; }
    void SetSortLocale(const QLocale &Value) { FSortLocale = Value; }

    /// Called after the presented content changed (see above).
    void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }
    TNotifyEvent OnChange() const { return FOnChange; }
    /// Called before two presented rows are exchanged while sorting (What = 0).
    void SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler)
    {
        FOnBeforeSortExchange = std::move(Handler);
    }
    TBeforeSortExchgEvent OnBeforeSortExchange() const { return FOnBeforeSortExchange; }
    /// Progress of Sort in percent.
    void SetOnPercentDone(TOnPercentDoneEvent Handler) { FOnPercentDone = std::move(Handler); }
    TOnPercentDoneEvent OnPercentDone() const { return FOnPercentDone; }

    /// Bytes held by the cells (references and pools, including unused capacity).
    quint64 StorageBytes() const;

protected:
    /// Copies everything (cells, attributes, sort order, allocation step, sort locale) into
    /// another TStringArray; the destination's notifications stay its own. All or nothing:
    /// raises EKROError when memory runs out, leaving the destination unchanged.
    bool AssignTo(TComponentBase *Dest) const override;

private:
    // One column: a reference per stored row into the column's pool. A reference is 0 for an
    // empty cell, else the byte offset of the entry's length byte, with bit 31 set when the
    // entry holds UTF-16 units instead of Latin-1 bytes.
    struct TColumn
    {
        std::vector<quint32> Ref;
        std::vector<char> Pool = std::vector<char>(1, 0);
        quint64 Garbage = 0;
    };
    struct TSortKey;

    // Stored row (0-based) presented at Row (1-based, in range).
    quint32 Stored(int Row) const { return FPerm.empty() ? quint32(Row - 1) : FPerm[size_t(Row - 1)]; }
    bool ValidCell(int Col, int Row) const;
    static QString EntryText(const TColumn &C, quint32 Ref);
    static QAnyStringView EntryView(const TColumn &C, quint32 Ref)
    {
        if (Ref == 0) return QAnyStringView(QLatin1StringView());
        const char *p = C.Pool.data() + (Ref & 0x7FFFFFFFu);
        const qsizetype len = quint8(*p);
        if (Ref & 0x80000000u) return QAnyStringView(reinterpret_cast<const char16_t *>(p + 1), len);
        return QAnyStringView(QLatin1StringView(p + 1, len));
    }
    static quint64 EntryBytes(quint32 Ref, const TColumn &C);
    static quint64 AlignPad(quint32 Ref, quint64 Offset);
    void Compact(TColumn &C);
    void DropGarbageOfRow(quint32 StoredRow);
    size_t GrownCapacity(size_t Needed, size_t Current) const;
    // Reports progress in percent; false stops the sort.
    using TProgress = std::function<bool(int Percent)>;
    bool BuildKeys(int Col, const std::vector<quint32> &Order, std::vector<TSortKey> &Keys, bool Secondary,
                   int PercentFrom, int PercentTo, const TProgress &Progress) const;
    bool SortedOrder(std::vector<quint32> &Order, int Col, int ColSec, bool Ascending,
                     const TProgress &Progress) const;
    bool ApplyOrder(std::vector<quint32> &&NewOrder, quint64 Generation);
    bool ReportPercent(int Percent, int &LastPercent, quint64 Generation);
    void Changed();

    std::vector<TColumn> FColumns;
    std::vector<quint8> FColAttrib;
    std::vector<quint8> FRowAttrib; // per stored row
    std::vector<quint32> FPerm;     // presented row -> stored row (0-based); empty: unsorted
    std::vector<quint32> FInv;      // stored row -> presented row; kept only by SetSortOrder
    int FNrRows = 0;
    int FAllocRowsBy = 1;
    quint64 FGeneration = 0; // counts changes of shape and order
    QLocale FSortLocale;
    TNotifyEvent FOnChange;
    TBeforeSortExchgEvent FOnBeforeSortExchange;
    TOnPercentDoneEvent FOnPercentDone;
};

} // namespace kro
