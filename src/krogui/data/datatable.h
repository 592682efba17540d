#pragma once
// TDataTable: a numeric table with names, attributes, cell states, measurement-scale types and
// nominal identifiers.

#include <krogui/core/component.h>
#include <krogui/core/types.h>

#include <QLatin1String>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace kro {

/// A column or row name: at most 50 characters (longer names are cut when stored).
using TDTNameStr = QString;

/// Called after the table changed its size, with the sizes before and after.
using TDTResizeEvent =
    std::function<void(QObject *Sender, int OldCols, int OldRows, int NewCols, int NewRows)>;

/// Bits of a cell's state byte. Bits 2 to 5 are free for applications; every operation here
/// that touches some bits keeps the others.
enum TDTCellStateBit : quint8 {
    dtsInvalid = 0x01, ///< the cell holds no valid number
    dtsEmpty = 0x02,   ///< the cell is blank
    dtsMarkedA = 0x40, ///< marked, type A
    dtsMarkedB = 0x80  ///< marked, type B
};

/// Measurement-scale types of a column. Nominal and ordinal columns are coded: their values are
/// codes 1..50, each of which may carry an identifier.
enum TMScaleType : int { mstUndefined = 0, mstNominal = 1, mstOrdinal = 2, mstInterval = 3, mstRatio = 4 };

/// Names of the measurement-scale types, indexed by type.
inline constexpr std::array<QLatin1String, 5> MScaleTypeNames{
    QLatin1String("undefined"), QLatin1String("nominal"), QLatin1String("ordinal"), QLatin1String("interval"),
    QLatin1String("ratio")};

/// A table of doubles addressed (column, row), both from 1, stored column by column. Every
/// column and row has a name (at most 50 characters) and an attribute integer; every cell has a
/// state byte (TDTCellStateBit); every column has a measurement-scale type (TMScaleType) and,
/// for the codes 1..50, nominal identifiers of at most 10 characters; the table has a comment.
///
/// Indices outside the table give neutral results (0, "", false) and writes to them do nothing.
/// A resize that is negative or cannot be had raises EKROError and changes nothing; so do
/// inserts that cannot get their memory.
///
/// Notifications (each called only when assigned, with this table as Sender):
/// - OnChange after values, states, names, attributes or the comment changed (setters only when
///   the stored value really changes; bulk operations once), and after inserts, removals,
///   exchanges, mirrors and sorts.
/// - OnChangeSetup after a measurement-scale type or nominal identifier changed, and after Clear.
/// - OnResize(OldCols, OldRows, NewCols, NewRows) after every change of size: Resize, inserts,
///   removals, Assign. Inserts and removals send OnResize first, then OnChange.
/// - OnBeforeSortExchange(Sender, What, Ix1, Ix2) before the block sorts exchange two rows
///   (What = 0) or columns (What = 1) of the block. Applied in turn to a list of the indices,
///   the exchanges give the new order.
/// - OnPercentDone(Sender, Percent) during the block sorts: 0 first, 100 last, increasing.
/// A handler that changes the table's size while a sort is reporting stops the sort after the
/// exchanges made so far.
///
/// Block sorts order cells by their values: cells that are numbers (neither dtsInvalid nor
/// dtsEmpty set, and not NaN) by value, all others after them in ascending order; descending is
/// the mirror. Names compare by character codes (optionally ignoring case), attributes as
/// integers. Every sort is stable.
class KROGUI_EXPORT TDataTable : public TComponent
{
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 50;
    static constexpr int MaxNominalCode = 50;
    static constexpr int MaxNominalIDLength = 10;

    /// An empty table (0 x 0).
    explicit TDataTable(QObject *AOwner = nullptr);
    ~TDataTable() override;

    int NrOfColumns() const { return FNrCols; }
    int NrOfRows() const { return FNrRows; }

    /// Sizes the table. Cells, names, attributes and settings inside both sizes stay; new cells
    /// are 0 with state 0, new names empty, new attributes and scale types 0. Raises EKROError
    /// for a negative size or one that cannot be had, and then changes nothing.
    void Resize(int NrCols, int NrRows);
    /// Every element and state 0, names, nominal identifiers and comment empty, attributes and
    /// scale types 0; the size stays.
    void Clear();

    /// Value of a cell; 0 outside. The setter leaves the state byte alone.
    double GetElem(int Col, int Row) const;
    void SetElem(int Col, int Row, double Value);
    /// Sets every element to Value; states stay.
    void Fill(double Value);

    /// State byte of a cell; 0 outside.
    quint8 GetCellState(int Col, int Row) const;
    void SetCellState(int Col, int Row, quint8 State);
    /// True when the cell holds a number: inside the table, dtsInvalid and dtsEmpty both clear.
    bool GetIsNumber(int Col, int Row) const;

    /// Names of columns and rows (cut to 50 characters); "" outside.
    TDTNameStr GetColName(int Col) const;
    void SetColName(int Col, const TDTNameStr &Name);
    TDTNameStr GetRowName(int Row) const;
    void SetRowName(int Row, const TDTNameStr &Name);
    /// First column (row) whose name equals Name, 0 when there is none.
    int FindColIndex(const TDTNameStr &Name, bool IgnoreCase = false) const;
    int FindRowIndex(const TDTNameStr &Name, bool IgnoreCase = false) const;

    /// Attribute integers of columns and rows; 0 outside.
    int GetColAttrib(int Col) const;
    void SetColAttrib(int Col, int Value);
    int GetRowAttrib(int Row) const;
    void SetRowAttrib(int Row, int Value);

    /// Measurement-scale type of a column (TMScaleType); 0 outside. Types outside 0..4 are
    /// ignored by the setter.
    int GetMScaleType(int Col) const;
    void SetMScaleType(int Col, int ScaleType);
    /// Identifier of code 1..50 of a column (cut to 10 characters); "" outside or unset.
    QString GetNominalID(int Col, int Code) const;
    void SetNominalID(int Col, int Code, const QString &ID);
    /// The lowest code whose identifier equals ID (ignoring case when asked; a query with
    /// surrounding blanks also matches without them); 0 when none does or ID is empty.
    int OrdinalOfNominalID(int Col, const QString &ID, bool IgnoreCase) const;

    /// The comment (SetFComment stores it as given).
    QString Comment() const { return FComment; }
    void SetFComment(const QString &Value);

    /// Inserts an empty column (row) before Ix, 1..count+1 (the last value appends); other
    /// values do nothing. Raises EKROError when memory runs out, changing nothing.
    void InsertColumn(int Ix);
    void InsertRow(int Ix);
    /// Removes column (row) Ix, 1..count, with its name and settings; other values do nothing.
    void RemoveColumn(int Ix);
    void RemoveRow(int Ix);
    /// Exchanges two whole columns (rows) with their names and settings.
    void ExchangeColumns(int Col1, int Col2);
    void ExchangeRows(int Row1, int Row2);
    /// Reverses the order of the columns (rows), names and settings included.
    void MirrorColumns();
    void MirrorRows();

    /// Clears dtsMarkedA and dtsMarkedB of every cell.
    void UnmarkAllCells();
    /// Inverts the bits of StateMask in every cell.
    void InvertCellStates(quint8 StateMask);
    /// Exchanges dtsMarkedA and dtsMarkedB in every cell.
    void ExchangeMarkings();
    /// Sets every cell that has any bit of StateMask to Value and makes it a number (clears
    /// dtsInvalid and dtsEmpty, keeps the other bits). Returns the number of cells filled.
    int FillMarkedCells(double Value, quint8 StateMask);

    /// Orders the rows LowRow..HighRow of the block by the values in column SortColIx, moving the
    /// cells of columns LowCol..HighCol (values and states); with IncludeHeaders the row names
    /// and attributes move along. The block is clipped to the table; nothing happens when
    /// SortColIx is outside the table or the block is empty.
    void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                  bool IncludeHeaders);
    /// Orders the columns LowCol..HighCol of the block by the values in row SortRowIx, moving
    /// the cells of rows LowRow..HighRow; with IncludeHeaders the column names, attributes,
    /// scale types and nominal identifiers move along.
    void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                  bool IncludeHeaders);
    /// Orders the rows (columns) of the block by their attributes; the headers move along.
    void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    /// Orders the rows (columns) of the block by their names; the headers move along.
    void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);

    void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChangeSetup(TNotifyEvent Handler) { FOnChangeSetup = std::move(Handler); }
    TNotifyEvent OnChangeSetup() const { return FOnChangeSetup; }
    void SetOnResize(TDTResizeEvent Handler) { FOnResize = std::move(Handler); }
    TDTResizeEvent OnResize() const { return FOnResize; }
    void SetOnPercentDone(TOnPercentDoneEvent Handler) { FOnPercentDone = std::move(Handler); }
    TOnPercentDoneEvent OnPercentDone() const { return FOnPercentDone; }
    void SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler)
    {
        FOnBeforeSortExchange = std::move(Handler);
    }
    TBeforeSortExchgEvent OnBeforeSortExchange() const { return FOnBeforeSortExchange; }

protected:
    /// Copies everything but the notifications into another TDataTable (all or nothing; raises
    /// EKROError when memory runs out).
    bool AssignTo(TComponentBase *Dest) const override;

private:
    struct TBlock
    {
        int LowCol, LowRow, HighCol, HighRow;
    };

    bool Inside(int Col, int Row) const { return Col >= 1 && Col <= FNrCols && Row >= 1 && Row <= FNrRows; }
    size_t Index(int Col, int Row) const { return size_t(Col - 1) * size_t(FNrRows) + size_t(Row - 1); }
    bool ClipBlock(TBlock &B) const;
    void SwapRowsIn(int R1, int R2, int LowCol, int HighCol, bool Headers);
    void SwapColsIn(int C1, int C2, int LowRow, int HighRow, bool Headers);
    // Sorts the indices Low..High with Less (on indices) and applies the new order through Swap,
    // reporting each exchange. What: 0 rows, 1 columns.
    void SortBlock(int What, int Low, int High, bool Ascending, const std::function<bool(int, int)> &Less,
                   const std::function<void(int, int)> &Swap);
    void CheckedCells(int NrCols, int NrRows, const char *Operation) const;
    void Changed();
    void ChangedSetup();
    void Resized(int OldCols, int OldRows);

    int FNrCols = 0;
    int FNrRows = 0;
    std::vector<double> FData;  // column by column
    std::vector<quint8> FState; // same layout
    std::vector<TDTNameStr> FColName, FRowName;
    std::vector<int> FColAttrib, FRowAttrib;
    std::vector<int> FMScaleType;
    std::vector<std::vector<QString>> FNominalID; // per column; empty until an identifier is set
    QString FComment;
    quint64 FGeneration = 0; // counts changes of size
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChangeSetup;
    TDTResizeEvent FOnResize;
    TOnPercentDoneEvent FOnPercentDone;
    TBeforeSortExchgEvent FOnBeforeSortExchange;
};

} // namespace kro
