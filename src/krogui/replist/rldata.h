#pragma once
// TRLData: the non-visual data component behind the report list.

#include <krogui/core/component.h>
#include <krogui/core/error.h>
#include <krogui/core/types.h>

#include <QObject>
#include <QString>

#include <algorithm>
#include <concepts>
#include <functional>
#include <memory>
#include <vector>

class QFile;
class QIODevice;
class QTextStream;

namespace kro {

class TStringArray;

/// Exception class of the report data component.
KRO_DECLARE_ERROR(EKRORLDataError, EKROError)

namespace RLDataEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// Check mode of a column: no marks, independent check boxes, one-of-many radio marks.
enum TCheckMode : int { cmNone, cmBox, cmRadio };
Q_ENUM_NS(TCheckMode)
} // namespace RLDataEnums
using namespace RLDataEnums;

/// A column format (at most 80 characters), see colformat.h.
using TColFmtString = QString;

/// Lets the application replace the text of a cell before an HTML export writes it.
using TBeforeHTMLExportEvent = std::function<void(QObject *Sender, QString &Text, int Col, int Row)>;

/// Longest cell text (check flag included), column name and column format that are stored.
constexpr int RLMaxCellLength = 255;
constexpr int RLMaxColNameLength = 50;

/// Text cut to at most MaxLength characters, never between the two halves of a surrogate pair.
inline QString RLCutText(const QString &Text, int MaxLength)
{
    if (Text.size() <= MaxLength) return Text;
    qsizetype n = std::max(0, MaxLength);
    if (n > 0 && Text.at(n - 1).isHighSurrogate()) --n;
    return Text.left(n);
}

/// Attribute bits used by the report list: row selected / row disabled, column selected.
constexpr quint8 rlRowSelected = 0x80;
constexpr quint8 rlRowDisabled = 0x40;
constexpr quint8 rlColSelected = 0x80;

/// Largest lists the XML readers accept (checked before anything is allocated).
constexpr int RLXmlMaxColumns = 100000;
constexpr qint64 RLXmlMaxCells = 10000000; // (columns + 1) x rows

/// A table of string cells with per-column names, formats and check modes, a common header, a
/// comment, a data identifier, row and column attribute bytes and a remembered sort state.
///
/// Cells are addressed (Col, Row): rows 1..NrOfRows(), data columns 1..NrOfColumns(), plus the
/// hidden column 0 that row-wide operations carry along. In a check column (cmBox, cmRadio) every
/// non-empty stored cell starts with a flag character: "X" checked, " " unchecked; GetElem and
/// SetElem hide it, Strings() shows the stored form.
///
/// Failures: out-of-range arguments are ignored (neutral results); a store that cannot grow
/// raises EKROError naming the property; per-column memory failures raise EKRORLDataError. File,
/// stream and export operations never raise for bad input: they return false and LastError()
/// says what went wrong and where. Only CheckIfValidReplist raises for an unopenable file.
struct TRLDataPrivate;

class KROGUI_EXPORT TRLData : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrCols)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrRows)
    Q_PROPERTY(QString CommonHeader READ CommonHeader WRITE SetCommonHeader)

public:
    /// One column named "C-1", no rows, header "KRO Report Listview", unsorted. Raises
    /// EKRORLDataError ("failed to initialize (out of memory)") when the store cannot be had.
    explicit TRLData(QObject *AOwner = nullptr);
    ~TRLData() override;

    // ---- published properties --------------------------------------------------------------
    /// Number of data columns (at least 1).
    int NrOfColumns() const;
    /// Sets the column count (below 1 taken as 1). New columns are named "C-<n>", with an empty
    /// format and no check mode. Raises EKROError naming "TRLData.NrOfColumns" when the store
    /// cannot grow (count unchanged).
    void SetNrCols(int N);
    /// Number of rows (at least 0).
    int NrOfRows() const;
    /// Sets the row count (negative taken as 0); rows beyond it are dropped. Raises EKROError
    /// naming "TRLData.NrOfRows" when the store cannot grow (count unchanged).
    void SetNrRows(int N);
    /// Text above the column headers (line feeds separate lines).
    QString CommonHeader() const;
    void SetCommonHeader(const QString &Value);

    // ---- public properties -------------------------------------------------------------------
    QString Comment() const;
    void SetComment(const QString &Value);
    QString DataID() const;
    void SetDataID(const QString &Value);
    /// The cell store (stored form, presented order). Replaced by Assign and by a successful
    /// read; its change and percent-done handlers move to the replacement.
    TStringArray *Strings() const;
    /// What the last failed file, stream or export operation reported (empty after a success).
    QString LastError() const;

    // ---- sort state --------------------------------------------------------------------------
    /// Column of the last sort, -1 when unsorted.
    int SortColumn() const;
    /// Secondary sort column, -1 for none. The setter accepts -1..NrOfColumns().
    int SortColumnSec() const;
    void SetSortColumnSec(int Col);
    /// Direction of the last sort (true = ascending).
    bool SortOrder() const;
    /// Direction the next header click sorts in (inverted by the view before each click sort).
    bool SortToggle() const;
    void SetSortToggle(bool Value);
    /// Forgets the sort column and the secondary column (the presented order stays).
    void ResetSortState();

    // ---- columns -----------------------------------------------------------------------------
    /// Name of column 1..NrOfColumns() (else empty / ignored); cut to 50 characters.
    QString GetColName(int Col) const;
    void SetColName(int Col, const QString &Name);
    /// Format of column 1..NrOfColumns() (else empty / ignored); cut to 80 characters, stored
    /// unchecked.
    TColFmtString GetColumnFormat(int Col) const;
    void SetColumnFormat(int Col, const TColFmtString &Fmt);
    /// The highest-numbered column whose name equals Head (or contains it, with PartialMatch),
    /// ignoring case; -1 when none.
    int ColumnIndex(const QString &Head, bool PartialMatch) const;
    /// Check mode of a column (cmNone outside the range).
    TCheckMode GetColCheckMode(int Col) const;
    /// Changes a column's check mode and converts its stored cells (flags added, removed, or
    /// all marks cleared for box to radio). The store's change notification is held meanwhile.
    void SetColCheckMode(int Col, TCheckMode Mode);
    /// True only for a cmBox column; the setter sets cmBox (true) or cmNone (false).
    bool GetCheckedCol(int Col) const;
    void SetCheckedCol(int Col, bool Checked);

    // ---- cells -------------------------------------------------------------------------------
    /// Visible text of a cell (column 0..NrOfColumns(), row 1..NrOfRows(); else empty / ignored).
    /// In a check column the flag is kept and hidden.
    QString GetElem(int Col, int Row) const;
    void SetElem(int Col, int Row, const QString &Value);
    /// Check state of a cell; false / ignored outside a check column or the range. Setting any
    /// cell of a radio column first clears every mark of the column.
    bool GetElemChecked(int Col, int Row) const;
    void SetElemChecked(int Col, int Row, bool Checked);
    /// Sets or inverts every row's mark; only in a cmBox column.
    void SetAllCheckmarksOfCol(int Column, bool Checked);
    void InvertAllCheckmarksOfCol(int Column);
    /// Checked cells of a check column (0 otherwise) / of a row over all check columns.
    int CountCheckedElemsInCol(int Column) const;
    int CountCheckedElemsInRow(int Row) const;
    /// Lowest checked row of a check column / lowest checked check column of a row; 0 if none.
    int FirstCheckedElemInCol(int ColNr) const;
    int FirstCheckedElemInRow(int RowNr) const;
    /// The stored cell read as a number by the store (0 when it is none).
    double GetAsNumber(int Col, int Row) const;
    /// Default value of a cell from its column's format (see colformat.h).
    QString GetCellDefaultValue(int Col, int Row) const;

    // ---- rows --------------------------------------------------------------------------------
    /// Inserts an empty row before Row (1..NrOfRows()) or appends one (Row > NrOfRows());
    /// returns the new row's number, 0 for Row <= 0 (nothing happens). The sort state is left
    /// to the caller.
    int InsertRow(int Row);
    /// Removes a row after making the presented order permanent; removing the only row leaves
    /// no rows (its cells and attribute cleared).
    void RemoveRow(int Row);
    /// Removes every row whose visible texts (column 0 included) are all empty.
    void RemoveEmptyRows();
    /// Copies the stored cells (flags included) and the attribute of row Source over row Target.
    void CopyRow(int Source, int Target);
    /// Writes Value into every cell of columns 1..NrOfColumns() (check flags kept).
    void Fill(const QString &Value);
    /// Empties every cell and resets names, formats and check modes; the counts stay.
    void Clear();

    // ---- sorting -----------------------------------------------------------------------------
    /// Presents the rows sorted by column Col (0..NrOfColumns(); others ignored), ties broken by
    /// ColSec, and remembers the sort state.
    void Sort(int Col, int ColSec, bool Ascending);
    /// Restores the unsorted order; sort column and secondary column become -1.
    void UnSort();

    // ---- exports -----------------------------------------------------------------------------
    /// The text CopyToClipBoard puts on the clipboard: names of LeftCol..RightCol (with
    /// AddHeader) joined by Separator and two line feeds, then one line per row TopRow..BottomRow
    /// of visible texts joined by Separator, each ending in a line feed. Out-of-range columns and
    /// rows give empty texts. Empty when the range holds more than RLMaxExportCells cells.
    QString RangeAsText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                        const QString &Separator) const;
    /// The fixed-width layout: each column padded or cut to one more than its longest stored
    /// text (and name, with AddHeader).
    QString RangeAsFixedWidthText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader) const;
    /// Puts RangeAsText on the clipboard. False (clipboard untouched) without a GUI application or
    /// for a too large range.
    bool CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                         const QString &Separator);
    /// Tab-separated (UseTabs) or fixed-width text on the clipboard. Takes exactly a bool, so a
    /// character or string separator never lands here by conversion.
    template <std::same_as<bool> B>
    bool CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, B UseTabs)
    {
        return CopyRange(LeftCol, TopRow, RightCol, BottomRow, AddHeader, !UseTabs, QStringLiteral("\t"));
    }

    /// Writes an HTML5 document with one table to FName (replacing it only when the whole file
    /// was written). Rows TopRow..BottomRow and columns LeftCol..RightCol, cut to the data;
    /// Columns lists the columns to write, in that order (those outside LeftCol..RightCol are
    /// skipped); an empty list writes LeftCol..RightCol. Border, CellPadding and CellSpacing are
    /// pixel widths (clamped to 0..100), TableWidth a percentage of the page (1..100; 0 or less:
    /// automatic). WithHeader writes the column names as a header row. Title becomes the page
    /// title and the table caption (none when empty), TableClass and HeaderClass the CSS classes
    /// of the table and of the header cells. Every cell text passes OnBeforeHTMLExport and is
    /// escaped; line feeds become <br>. Returns false and sets LastError on failure.
    bool ExportHTMLTable(const QString &FName, int LeftCol, int TopRow, int RightCol, int BottomRow,
                         const std::vector<int> &Columns, int Border, int CellPadding, int CellSpacing,
                         int TableWidth, bool WithHeader, const QString &Title, const QString &TableClass,
                         const QString &HeaderClass);
    /// Puts the lines of the UTF-8 text file FName (ending in LF or CR LF) into column Column
    /// (0..NrOfColumns()) from row FirstRow (at least 1) on, growing NrOfRows as needed; check
    /// columns keep their flags. Lines are cut to the cell length. Nothing changes when the file
    /// cannot be read, the arguments are out of range or the rows cannot be had (false, LastError).
    bool LoadLinesFromFile(int Column, int FirstRow, const QString &FName);

    // ---- XML (docs/replist-xml.md) -------------------------------------------------------------
    /// Writes the list as a complete file under the identifier DataID (the file is replaced only
    /// when everything was written).
    bool SaveAsXMLFile(const QString &FName, const QString &DataID = QString());
    /// Reads the list with identifier DataID (empty: the first list) from a file.
    bool LoadFromXMLFile(const QString &FName, const QString &DataID = QString());
    /// Writes the list to a stream, with the XML declaration first when CreateHeader is true.
    bool WriteToXMLStream(QIODevice *OutStream, bool CreateHeader, const QString &DataID = QString());
    /// Reads the list with identifier DataID from the stream's current position on.
    bool ReadFromXMLStream(QIODevice *InStream, const QString &DataID = QString());
    /// Reads the list with identifier DataID from a text.
    bool ReadFromXMLString(const QString &InString, const QString &DataID = QString());
    /// Writes into a file or text stream the caller has opened, at its current position.
    bool WriteToOpenXMLFile(QFile &OutFile, bool CreateHeader, const QString &DataID = QString());
    bool WriteToOpenXMLFile(QTextStream &OutText, bool CreateHeader, const QString &DataID = QString());
    /// Reads from a file or text stream the caller has opened, from its current position on.
    bool ReadFromOpenXMLFile(QFile &InFile, const QString &DataID = QString());
    bool ReadFromOpenXMLFile(QTextStream &InText, const QString &DataID = QString());

    // ---- copying -----------------------------------------------------------------------------
    /// From another TRLData: counts, cells, attributes, the sort permutation and state, names,
    /// formats, check modes, header, comment, DataID and the OnBeforeSortExchange handler. The
    /// copy presents the same rows in the same order and UnSort restores the same stored order.
    /// All or nothing: raises EKRORLDataError when memory runs out, leaving this unchanged.
    void Assign(const TComponentBase *Source) override;

    // ---- progress counters -------------------------------------------------------------------
    /// Rows x (columns + 1) (1 when that is 0) and the progress step derived from it.
    int FeedbackNumCells() const;
    int FeedbackStep() const;

    // ---- events ------------------------------------------------------------------------------
    /// Called by the store before it exchanges two rows while sorting; Sender is this component.
    void SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler);
    TBeforeSortExchgEvent OnBeforeSortExchange() const;
    /// Called for every data cell text an HTML export writes.
    void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent Handler);
    TBeforeHTMLExportEvent OnBeforeHTMLExport() const;
    /// Progress (0..100, rising, at most about a hundred calls) of XML reads and writes, HTML
    /// exports and line loads.
    void SetOnPercentDone(TOnPercentDoneEvent Handler);
    TOnPercentDoneEvent OnPercentDone() const;

    // ---- the events as signals: emitted right after the handler, whether one is assigned or not --
Q_SIGNALS:
    /// OnBeforeSortExchange: the store is about to exchange two rows while sorting.
    void onBeforeSortExchange(QObject *Sender, int What, int Ix1, int Ix2);
    /// OnBeforeHTMLExport: a cell text is about to be written (Text may be changed).
    void onBeforeHTMLExport(QObject *Sender, QString &Text, int Col, int Row);
    /// OnPercentDone: progress (0..100) of a long operation.
    void onPercentDone(QObject *Sender, int Percent);

protected:
    bool AssignTo(TComponentBase *Dest) const override;
    void connectNotify(const QMetaMethod &Signal) override;
    void disconnectNotify(const QMetaMethod &Signal) override;

private:
    // Reports progress through OnPercentDone: 0 first, then only rising percentages, 100 last.
    class TProgress
    {
    public:
        TProgress(TRLData *Owner, qint64 Total);
        void Step(qint64 Done);
        void Finish() { Report(100); }

    private:
        void Report(int Percent);
        TRLData *FOwner;
        qint64 FTotal;
        int FLast = -1;
    };

    class TXmlReader;

    bool IsCheckCol(int Col) const { return GetColCheckMode(Col) != cmNone; }
    bool ValidCell(int Col, int Row) const
    {
        return Col >= 0 && Col <= NrOfColumns() && Row >= 1 && Row <= NrOfRows();
    }
    void ClearMarksOfCol(int Col);
    void UpdateFeedback(qint64 Rows);
    void ConnectStore();
    void NotifyStoreChanged();
    void TakeContent(TRLData &From);
    bool Fail(const QString &Message);
    bool CopyRange(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool FixedWidth,
                   const QString &Separator);
    QString SeparatedText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                          const QString &Separator, TProgress *Progress) const;
    QString FixedWidthText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                           TProgress *Progress) const;
    bool WriteXml(QIODevice *Out, QString *OutText, bool CreateHeader, const QString &DataID,
                  const QString &Encoding);
    bool ReadXmlFrom(const QByteArray &Data, const QString &DataID, qsizetype *EndPos);
    /// ReadXmlFrom on bytes in the encoding their XML declaration names (UTF-8 without one).
    bool ReadXmlBytes(const QByteArray &Data, const QString &DataID, qsizetype *EndPos);

    std::unique_ptr<TRLDataPrivate> const d;
};

/// Largest range RangeAsText, RangeAsFixedWidthText and the clipboard copies accept.
constexpr qint64 RLMaxExportCells = 20000000;

} // namespace kro
