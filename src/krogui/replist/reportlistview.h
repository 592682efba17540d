#pragma once
// TReportListView: the visible report list, a draw grid over an owned TRLData.
//
// Coordinates. Data columns 1..NrOfColumns() are grid columns 0..NrOfColumns()-1; data row R is
// grid row R + H - 1, where H = CountHeadRows() (0, 1 or 2 header rows: the common header on top,
// then the row of column headers). The grid's fixed rows are exactly the header rows; its fixed
// columns are 0 or 1 (FixedFirstColumn). Rows are numbered as presented (after a sort).
//
// Selection lives in the data: row attribute bit 0x80 marks a selected row, 0x40 a disabled one,
// column attribute bit 0x80 a selected column. The grid's own current cell only tells which row
// the keyboard and the mouse act on.
//
// Painting. The view draws every cell itself: row bands, selection and highlight colours,
// disabled rows, password columns, texts cut with "..." when too wide, check boxes and radio
// marks, the sort arrow in the sorted column's header, the common header spanning the visible
// columns, the empty message and the inter-row indicator. Setters that change the picture repaint
// at once; cell changes in the data (SetElem and friends) mark the picture stale, so a loop of
// changes costs one repaint. SuppressPaint holds painting back for longer batches.
//
// Filtering (FilterAndSort). A filter moves the matching rows to the top, sorted, selects them
// and hides the others: the grid then shows only the matching rows (NrOfShownRows()), while the
// data keeps every row (NrOfRows() does not change) and nothing is deleted. The filter is a
// snapshot: editing cells does not re-filter. A header-click sort or Sort keeps the matching rows
// on top; RemoveRow keeps the filter; SetNrRows, AddRow, InsertRow, RemoveEmptyRows, Clear,
// UnSort, Assign, the XML reads, LoadLinesFromFile and FilterAndSort with an empty query show all
// rows again. See FilterAndSort for the rules and rlfilter.h for the query languages.
//
// Inter-row indicator. InterRowIndicatorPos P (0 = none) draws a line across the view on the
// upper edge of data row P: on the grid line just above it, for 0, 1 and 2 header rows alike
// (P = NrOfShownRows() + 1 puts it below the last row). It is drawn only while row P (or the end
// of the list) is at or below the top row.

#include <krogui/graphics/propertyfaces.h>
#include <krogui/grid/customgrid.h>
#include <krogui/replist/rlcellpainter.h>
#include <krogui/replist/rldata.h>
#include <krogui/replist/rlfilter.h>
#include <krogui/replist/rlfilterengine.h>

#include <QString>

#include <concepts>
#include <memory>
#include <vector>

class QDialog;
class QFile;
class QIODevice;
class QTextStream;

namespace kro {

namespace ReportListEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// How rows are selected: not at all, one at a time, or several.
enum TRowSelectMode : int { rsmNone = 0, rsmSingle = 1, rsmMultiple = 2 };
Q_ENUM_NS(TRowSelectMode)
} // namespace ReportListEnums
using namespace ReportListEnums;

/// Exception class of the report list view.
KRO_DECLARE_ERROR(EKRORepListError, EKROError)

/// A check mark is about to change (before) or has changed (after) by a mouse click.
using TCheckStateChangeEvent = std::function<void(QObject *Sender, bool &State, int Col, int Row)>;
/// Lets the application replace a column format in the row editor.
using TRequestEditFormatEvent = std::function<void(QObject *Sender, int Col, int Row, QString &Format)>;
/// Called for every data cell before it is drawn; all five values may be changed. Text is the
/// stored text (with the flag character in a check column).
using TRenderCellEvent =
    std::function<void(QObject *Sender, int ACol, int ARow, TColor &PenColor, TColor &BrushColor,
                       TColor &FontColor, TFontStyles &FontStyles, QString &Text)>;

struct TReportListViewPrivate;

class KROGUI_EXPORT TReportListView : public TCustomDrawGrid
{
    Q_OBJECT
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrCols)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrRows)
    Q_PROPERTY(bool AutoAdvance READ AutoAdvance WRITE SetAutoAdvance)
    Q_PROPERTY(QColor ColorHigh READ ColorHighStored WRITE SetColorHigh)
    Q_PROPERTY(QColor ColorHighText READ ColorHighTextStored WRITE SetColorHighText)
    Q_PROPERTY(QColor ColorText READ ColorTextStored WRITE SetColorText)
    Q_PROPERTY(QColor ColorBkgdNormal READ ColorBkgdNormalStored WRITE SetColorBkgdNormal)
    Q_PROPERTY(QColor ColorBkgdShaded READ ColorBkgdShadedStored WRITE SetColorBkgdShaded)
    Q_PROPERTY(QColor ColorColumnHd READ ColorColumnHdStored WRITE SetColorColumnHd)
    Q_PROPERTY(QColor ColorColumnHdText READ ColorColumnHdTextStored WRITE SetColorColumnHdText)
    Q_PROPERTY(QColor ColorCommonHd READ ColorCommonHdStored WRITE SetColorCommonHd)
    Q_PROPERTY(QColor ColorCommonHdText READ ColorCommonHdTextStored WRITE SetColorCommonHdText)
    Q_PROPERTY(QColor ColorDisabledBkgd READ ColorDisabledBkgdStored WRITE SetColorDisabledBkgd)
    Q_PROPERTY(QColor ColorDisabledText READ ColorDisabledTextStored WRITE SetColorDisabledText)
    Q_PROPERTY(QColor ColorEmptyMsg READ ColorEmptyMsgStored WRITE SetColorEmptyMsg)
    Q_PROPERTY(QColor ColorSelectedRow READ ColorSelectedRowStored WRITE SetColorSelectedRow)
    Q_PROPERTY(QColor ColorSelectedRowText READ ColorSelectedRowTextStored WRITE SetColorSelectedRowText)
    Q_PROPERTY(QColor ColorSelectedCol READ ColorSelectedColStored WRITE SetColorSelectedCol)
    Q_PROPERTY(QColor ColorSelectedColText READ ColorSelectedColTextStored WRITE SetColorSelectedColText)
    Q_PROPERTY(QColor ColorSelectedBoth READ ColorSelectedBothStored WRITE SetColorSelectedBoth)
    Q_PROPERTY(QColor ColorSelectedBothText READ ColorSelectedBothTextStored WRITE SetColorSelectedBothText)
    Q_PROPERTY(QString CommonHeader READ CommonHeader WRITE SetCommonHeader)
    Q_PROPERTY(
        kro::TAlignment CommonHeaderAlignment READ CommonHeaderAlignment WRITE SetCommonHeaderAlignment)
    Q_PROPERTY(bool CommonHeaderVisible READ CommonHeaderVisible WRITE SetCommonHeaderVisible)
    Q_PROPERTY(int CommonHeaderHeight READ CommonHeaderHeight WRITE SetCommonHeaderHeight)
    Q_PROPERTY(bool ColumnHeadersVisible READ ColumnHeadersVisible WRITE SetColumnHeadersVisible)
    Q_PROPERTY(int ColumnHeadersHeight READ ColumnHeadersHeight WRITE SetColumnHeadersHeight)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(QString EmptyMessage READ EmptyMessage WRITE SetEmptyMessage)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QColor FixedColor READ FixedColorStored WRITE SetFixedColor)
    Q_PROPERTY(bool FixedFirstColumn READ FixedFirstColumn WRITE SetFixedFirstColumn)
    Q_PROPERTY(bool HighLightBold READ HighLightBold WRITE SetHighLightBold)
    Q_PROPERTY(int HighLightRow READ HighLightRow WRITE SetHighLightRow)
    Q_PROPERTY(int HighLightColumn READ HighLightColumn WRITE SetHighLightColumn)
    Q_PROPERTY(
        QColor InterRowIndicatorColor READ InterRowIndicatorColorStored WRITE SetInterRowIndicatorColor)
    Q_PROPERTY(int InterRowIndicatorWidth READ InterRowIndicatorWidth WRITE SetInterRowIndicatorWidth)
    Q_PROPERTY(int LeftCol READ LeftCol WRITE SetLeftCol STORED false)
    Q_PROPERTY(int TopRow READ TopRow WRITE SetTopRow STORED false)
    Q_PROPERTY(int RowColPattern READ RowColPattern WRITE SetRowColPattern)
    Q_PROPERTY(kro::ReportListEnums::TRowSelectMode RowSelectMode READ RowSelectMode WRITE SetRowSelectMode)
    Q_PROPERTY(bool ShowEmptyCheckBoxes READ ShowEmptyCheckBoxes WRITE SetShowEmptyCheckBoxes)
    Q_PROPERTY(bool SortEnabled READ SortEnabled WRITE SetSortEnabled)
    Q_PROPERTY(bool UseCtrlForMultiSel READ UseCtrlForMultiSel WRITE SetUseCtrlForMultiSel)
    Q_PROPERTY(int VisibleColCount READ VisibleColCount STORED false)
    Q_PROPERTY(int VisibleRowCount READ VisibleRowCount STORED false)
    Q_PROPERTY(kro::GridEnums::TGridOptions Options READ Options WRITE SetOptions)

public:
    /// 5 columns "C-1".."C-5", 4 empty rows under one row of column headers, options
    /// goFixedVertLine, goFixedHorzLine, goColSizing, goRowSelect, goThumbTracking. Raises
    /// EKRORepListError when memory runs out.
    explicit TReportListView(QWidget *Parent = nullptr);
    ~TReportListView() override;

    /// The owned data component (cells, names, formats, check modes, sort state, attributes).
    TRLData *RLData() const;

    // ---- shape -------------------------------------------------------------------------------
    /// Number of data columns (at least 1). Setting it resizes the data, the grid and the
    /// per-column settings (new columns: left aligned, not editable, no password); the new last
    /// column takes the width the old last column had. Scrolls to the top, repaints, fires
    /// OnChangeSetup.
    int NrOfColumns() const;
    void SetNrCols(int N);
    /// Number of data rows (negative counts as 0). Setting it ends a filter, resets the grid
    /// selection, repaints and fires OnChangeSetup.
    int NrOfRows() const;
    void SetNrRows(int N);
    /// Rows the grid shows: NrOfRows(), or the matching rows while a filter is active.
    int NrOfShownRows() const;
    /// True while FilterAndSort hides rows.
    bool IsFiltered() const;
    /// Number of visible header rows (0..2).
    int CountHeadRows() const;

    // ---- published properties ------------------------------------------------------------------
    /// Enter (or a #0 key) moves down one row.
    bool AutoAdvance() const;
    void SetAutoAdvance(bool Value);
    /// Colours. Every colour setter stores, repaints and fires OnChangeSetup.
    TColor ColorHigh() const;
    void SetColorHigh(TColor Value);
    KRO_COLOR_FACE(ColorHigh)
    TColor ColorHighText() const;
    void SetColorHighText(TColor Value);
    KRO_COLOR_FACE(ColorHighText)
    TColor ColorText() const;
    void SetColorText(TColor Value);
    KRO_COLOR_FACE(ColorText)
    TColor ColorBkgdNormal() const;
    void SetColorBkgdNormal(TColor Value);
    KRO_COLOR_FACE(ColorBkgdNormal)
    TColor ColorBkgdShaded() const;
    void SetColorBkgdShaded(TColor Value);
    KRO_COLOR_FACE(ColorBkgdShaded)
    /// Background of the column header row; the same value as FixedColor.
    TColor ColorColumnHd() const;
    void SetColorColumnHd(TColor Value);
    KRO_COLOR_FACE(ColorColumnHd)
    TColor ColorColumnHdText() const;
    void SetColorColumnHdText(TColor Value);
    KRO_COLOR_FACE(ColorColumnHdText)
    TColor ColorCommonHd() const;
    void SetColorCommonHd(TColor Value);
    KRO_COLOR_FACE(ColorCommonHd)
    TColor ColorCommonHdText() const;
    void SetColorCommonHdText(TColor Value);
    KRO_COLOR_FACE(ColorCommonHdText)
    TColor ColorDisabledBkgd() const;
    void SetColorDisabledBkgd(TColor Value);
    KRO_COLOR_FACE(ColorDisabledBkgd)
    TColor ColorDisabledText() const;
    void SetColorDisabledText(TColor Value);
    KRO_COLOR_FACE(ColorDisabledText)
    /// Colour of the empty message; acts on a change only.
    TColor ColorEmptyMsg() const;
    void SetColorEmptyMsg(TColor Value);
    KRO_COLOR_FACE(ColorEmptyMsg)
    TColor ColorSelectedRow() const;
    void SetColorSelectedRow(TColor Value);
    KRO_COLOR_FACE(ColorSelectedRow)
    TColor ColorSelectedRowText() const;
    void SetColorSelectedRowText(TColor Value);
    KRO_COLOR_FACE(ColorSelectedRowText)
    TColor ColorSelectedCol() const;
    void SetColorSelectedCol(TColor Value);
    KRO_COLOR_FACE(ColorSelectedCol)
    TColor ColorSelectedColText() const;
    void SetColorSelectedColText(TColor Value);
    KRO_COLOR_FACE(ColorSelectedColText)
    TColor ColorSelectedBoth() const;
    void SetColorSelectedBoth(TColor Value);
    KRO_COLOR_FACE(ColorSelectedBoth)
    TColor ColorSelectedBothText() const;
    void SetColorSelectedBothText(TColor Value);
    KRO_COLOR_FACE(ColorSelectedBothText)
    /// Same as ColorColumnHd.
    TColor FixedColor() const;
    void SetFixedColor(TColor Value) { SetColorColumnHd(Value); }
    KRO_COLOR_FACE(FixedColor)

    /// Text of the common header (kept in the data; line feeds separate lines). Fires OnChange and
    /// repaints.
    QString CommonHeader() const;
    void SetCommonHeader(const QString &Value);
    /// Alignment of the common header lines; fires OnChange and repaints.
    TAlignment CommonHeaderAlignment() const;
    void SetCommonHeaderAlignment(TAlignment Value);
    /// The common header row; its height is clamped to 8..127.
    bool CommonHeaderVisible() const;
    void SetCommonHeaderVisible(bool Value);
    int CommonHeaderHeight() const;
    void SetCommonHeaderHeight(int Value);
    /// The row of column headers; its height is clamped to 8..127.
    bool ColumnHeadersVisible() const;
    void SetColumnHeadersVisible(bool Value);
    int ColumnHeadersHeight() const;
    void SetColumnHeadersHeight(int Value);
    /// Height of the data rows; setting it also re-applies the header heights.
    int DefaultRowHeight() const { return TCustomGrid::DefaultRowHeight(); }
    void SetDefaultRowHeight(int Value);
    /// Message drawn when the list has no rows (or a filter matched none); "|" separates lines.
    QString EmptyMessage() const;
    void SetEmptyMessage(const QString &Value);
    /// The view's enabled state: stored, passed to the widget, then the view repaints. A disabled
    /// view draws its texts in clInactiveCaption and shows no selection colours.
    bool Enabled() const;
    void SetEnabled(bool Value);
    /// The first data column becomes a fixed grid column (drawn grey with a bevel).
    bool FixedFirstColumn() const;
    void SetFixedFirstColumn(bool Value);
    /// Highlighted data row and column (0 = none) and whether highlighted cells are bold.
    bool HighLightBold() const;
    void SetHighLightBold(bool Value);
    int HighLightRow() const;
    void SetHighLightRow(int Value);
    int HighLightColumn() const;
    void SetHighLightColumn(int Value);
    /// Colour and pen width (at least 1) of the inter-row indicator.
    TColor InterRowIndicatorColor() const;
    void SetInterRowIndicatorColor(TColor Value);
    KRO_COLOR_FACE(InterRowIndicatorColor)
    int InterRowIndicatorWidth() const;
    void SetInterRowIndicatorWidth(int Value);
    /// First visible data column; clamped to FixedCols()+1..NrOfColumns().
    int LeftCol() const;
    void SetLeftCol(int Value);
    /// First visible data row (1-based); clamped to the shown rows.
    int TopRow() const;
    void SetTopRow(int Value);
    /// Rows per colour band (0 or less: no bands). With 1 the first row is shaded.
    int RowColPattern() const;
    void SetRowColPattern(int Value);
    /// 0 = no row selection, 1 = single row, 2 = multiple rows (other values are ignored).
    /// Modes 0 and 1 deselect every row; mode 0 also moves the grid's selection off the cells.
    TRowSelectMode RowSelectMode() const;
    void SetRowSelectMode(TRowSelectMode Value);
    void SetRowSelectMode(int Value);
    /// Draw a check box also in check cells without text.
    bool ShowEmptyCheckBoxes() const;
    void SetShowEmptyCheckBoxes(bool Value);
    /// A click on a column header sorts by that column.
    bool SortEnabled() const;
    void SetSortEnabled(bool Value);
    /// In mode 2: true = a plain click selects only its row and Ctrl+click toggles; false = every
    /// click toggles.
    bool UseCtrlForMultiSel() const;
    void SetUseCtrlForMultiSel(bool Value);

    // ---- public properties ---------------------------------------------------------------------
    /// Free comment and data identifier, kept in the data.
    QString Comment() const;
    void SetComment(const QString &Value);
    QString DataID() const;
    void SetDataID(const QString &Value);
    /// Column and direction of the last sort (-1: unsorted; true: ascending).
    int LastSortColumn() const;
    bool LastSortOrder() const;
    /// Secondary sort column of header-click sorts: -1..NrOfColumns() (others ignored); fires
    /// OnChangeSetup.
    int SecondarySortColumn() const;
    void SetSecondarySortColumn(int Value);
    /// Check marks are drawn without box and cannot be clicked.
    bool CheckMarksReadOnly() const;
    void SetCheckMarksReadOnly(bool Value);
    /// Data row above which the inter-row indicator is drawn (0 = none).
    int InterRowIndicatorPos() const;
    void SetInterRowIndicatorPos(int Value);
    /// While true nothing is painted; switching it off repaints.
    bool SuppressPaint() const;
    void SetSuppressPaint(bool Value);

    // ---- cells and columns (forwarded to the data) -----------------------------------------------
    QString GetElem(int Col, int Row) const;
    void SetElem(int Col, int Row, const QString &Value);
    /// Column names; the setter fires OnChange and repaints.
    QString GetColName(int Col) const;
    void SetColName(int Col, const QString &Name);
    /// Column formats; the setter fires OnChange and repaints.
    TColFmtString GetColumnFormat(int Col) const;
    void SetColumnFormat(int Col, const TColFmtString &Fmt);
    /// Check columns; the setters fire OnChange and repaint.
    bool GetCheckedCol(int Col) const;
    void SetCheckedCol(int Col, bool Checked);
    TCheckMode GetColCheckMode(int Col) const;
    void SetColCheckMode(int Col, TCheckMode Mode);
    bool GetElemChecked(int Col, int Row) const;
    void SetElemChecked(int Col, int Row, bool Checked);
    /// Sets or inverts the marks of a cmBox column with one repaint.
    void SetAllCheckmarksOfCol(int Column, bool Checked);
    void InvertAllCheckmarksOfCol(int Column);
    int CountCheckedElemsInCol(int Column) const;
    int CountCheckedElemsInRow(int Row) const;
    int FirstCheckedElemInCol(int ColNr) const;
    int FirstCheckedElemInRow(int RowNr) const;
    double GetAsNumber(int Col, int Row) const;
    QString GetCellDefaultValue(int Col, int Row) const;
    int ColumnIndex(const QString &Head, bool PartialMatch) const;

    // ---- per-column view settings ----------------------------------------------------------------
    /// Alignment of a data column (taLeftJustify outside the range); acts on a change only,
    /// fires OnChange and repaints.
    TAlignment GetColAlignment(int Col) const;
    void SetColAlignment(int Col, TAlignment Value);
    /// In-place editing allowed in a column (no repaint).
    bool GetColumnEditable(int Col) const;
    void SetColumnEditable(int Col, bool Value);
    /// Cells of a column shown as "******"; acts on a change only, fires OnChange and repaints.
    bool GetColumnIsPwd(int Col) const;
    void SetColumnIsPwd(int Col, bool Value);
    /// Width of data column Col (0 for Col <= 0 or beyond the columns); the setter fires
    /// OnChangeSetup. Note: `ColWidths()`/`TCustomGrid::SetColWidths` count grid columns from 0.
    int GetColWidths(int Col) const;
    void SetColWidths(int Col, int Width);

    // ---- row and column attributes -----------------------------------------------------------------
    /// Row selected (bit 0x80); the setter fires OnSelectedChange and repaints. Out of range:
    /// false / nothing.
    bool GetRowSelect(int Row) const;
    void SetRowSelect(int Row, bool Value);
    /// Row enabled (bit 0x40 clear); same rules, fires OnSelectedChange.
    bool GetRowEnabled(int Row) const;
    void SetRowEnabled(int Row, bool Value);
    /// Column selected (column bit 0x80); same rules.
    bool GetColSelect(int Col) const;
    void SetColSelect(int Col, bool Value);
    /// Whole-list attribute changes, each with one repaint and then OnSelectedChange. While a
    /// filter hides rows, SelectAllRows selects only the shown rows (a hidden row never becomes
    /// selected behind the user's back).
    void SelectAllRows();
    void DeselectAllRows();
    void EnableAllRows();
    void DisableAllRows();
    void SelectAllColumns();
    void DeselectAllColumns();
    int NumSelectedRows() const;
    int NumEnabledRows() const;
    int NumSelectedColumns() const;
    /// Lowest selected row / column, 0 if none.
    int FirstSelectedRow() const;
    int FirstSelectedColumn() const;

    // ---- rows ----------------------------------------------------------------------------------------
    /// Deselects every row, selects Row and scrolls it into the middle of the view. Rows outside
    /// the shown rows are ignored.
    void CenterScrollAndSelect(int Row);
    /// The data cell under a client point: (column, row), column 0 outside the columns; row 0
    /// outside the rows, -1 on the column header row, -2 on the common header.
    QPoint MouseCell(int X, int Y) const;
    /// Appends a row and returns its number.
    int AddRow();
    /// Inserts an empty row before Row (1..NrOfRows()) or appends one (Row beyond); returns its
    /// number. The sort state is reset (no arrow). Row <= 0 does nothing and returns 0.
    int InsertRow(int Row);
    /// Removes the row the user sees at Row (the presented order is made permanent first);
    /// removing the only row leaves an empty list. Out of range: nothing.
    void RemoveRow(int Row);
    /// Removes every row whose texts (column 0 included) are all empty.
    void RemoveEmptyRows();
    /// Writes Value into every cell of columns 1..NrOfColumns() (check flags kept).
    void Fill(const QString &Value);
    /// Empties every cell, resets names, formats, check modes, alignments, password and editable
    /// flags; the counts stay.
    void Clear();

    // ---- column widths -------------------------------------------------------------------------------
    /// Width of column ColNr := max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon).
    void AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
    /// The same, at most MaxWidth.
    void AutoColWidth(int ColNr, bool IncludeHeader, int MaxWidth, int Addon);
    /// Width the widest text of a column needs: 9 + the widest cell text (+16 in a check column
    /// for the mark, +2 with an italic font) and, with IncludeHeader, the widest header line (+13
    /// in the sorted column). 9 for a column outside the range.
    int DetermineMaxColWidth(int ColNr, bool IncludeHeader) const;
    /// Column ColIx takes the client width left by all other columns minus RightMargin (at least
    /// 16). Fires OnChangeSetup in any case.
    void ExpandColWidth(int ColIx, int RightMargin);
    /// Auto-sizes every column except ExpandColumn (at most MaxWidth each), then expands
    /// ExpandColumn; one repaint.
    void FitAllColWidths(int ExpandColumn, bool IncludeHeader, int RightMargin, int MaxWidth, int Addon);

    // ---- sorting and filtering -------------------------------------------------------------------------
    /// Presents the rows sorted by Col (0..NrOfColumns()), ties broken by ColSec; repaints. While
    /// a filter is active the matching rows stay on top.
    void Sort(int Col, int ColSec, bool Ascending);
    /// Restores the unsorted order and ends a filter; repaints.
    void UnSort();
    /// Filters and sorts the list; returns the number of matching rows, or -1 for a query that
    /// does not compile (a bad regular expression; nothing changes then).
    ///
    /// - Query is read in language Mode (rlfilter.h); CaseSensitive chooses how letters compare.
    /// - Columns lists the data columns to search (0 names the hidden column 0; others outside
    ///   the columns are ignored). Empty: every data column except password columns.
    /// - For every row (numbered as presented before the call) OnBeforeFilter is asked, with
    ///   Found = true and CombineWithInternalSearch = loAND; the row matches when
    ///   CombineLogic(op, Found, query matches the row) holds. The handler must not change the
    ///   list (the query's verdicts are taken before it is asked).
    /// - Speed: the searched columns' texts are kept in one buffer per column (about two bytes per
    ///   character plus four per cell) from the first filter on, so that typing a query into a
    ///   filter box filters a large list at once; any change of the cells drops them.
    /// - The matching rows move to the top in the order of SortColumn (0..NrOfColumns(), with
    ///   SecondarySortColumn and Ascending, compared as Sort compares; any other value keeps
    ///   their present order), are selected and shown; the other rows are deselected and hidden
    ///   behind them in their present order. Only the matching rows are sorted, so the list as a
    ///   whole is not in sort order: LastSortColumn becomes -1, and the sort arrow shows
    ///   SortColumn while the filter lasts. Row exchanges are reported through
    ///   OnBeforeSortExchange. Nothing is deleted.
    /// - A query that is empty or only blanks ends the filter: all rows are shown again (sorted
    ///   by SortColumn when it names a column, selection untouched); the result is NrOfRows().
    int FilterAndSort(const QString &Query, const std::vector<int> &Columns, bool CaseSensitive,
                      TFilterMode Mode, int SortColumn, bool Ascending);
    /// Shows every row again (the order stays as the filter left it).
    void ClearFilter();

    // ---- files, streams and the clipboard (forwarded to the data, then repainted) -----------------------
    bool SaveAsXMLFile(const QString &FName, const QString &DataID = QString());
    bool LoadFromXMLFile(const QString &FName, const QString &DataID = QString());
    bool WriteToXMLStream(QIODevice *OutStream, bool CreateHeader, const QString &DataID = QString());
    bool ReadFromXMLStream(QIODevice *InStream, const QString &DataID = QString());
    bool ReadFromXMLString(const QString &InString, const QString &DataID = QString());
    bool WriteToOpenXMLFile(QFile &OutFile, bool CreateHeader, const QString &DataID = QString());
    bool WriteToOpenXMLFile(QTextStream &OutText, bool CreateHeader, const QString &DataID = QString());
    bool ReadFromOpenXMLFile(QFile &InFile, const QString &DataID = QString());
    bool ReadFromOpenXMLFile(QTextStream &InText, const QString &DataID = QString());
    bool LoadLinesFromFile(int Column, int FirstRow, const QString &FName);
    bool ExportHTMLTable(const QString &FName, int LeftCol, int TopRow, int RightCol, int BottomRow,
                         const std::vector<int> &Columns, int Border, int CellPadding, int CellSpacing,
                         int TableWidth, bool WithHeader, const QString &Title, const QString &TableClass,
                         const QString &HeaderClass);
    /// Copies a block of cells as text with Separator between the cells.
    bool CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                         const QString &Separator);
    /// Copies a block of cells tab-separated (UseTabs) or in fixed-width columns.
    template <std::same_as<bool> B>
    bool CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, B UseTabs)
    {
        return RLData()->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, UseTabs);
    }

    // ---- row editor ------------------------------------------------------------------------------------
    /// Modal results of the row editor.
    static constexpr int mrNone = 0, mrOK = 1, mrCancel = 2;
    /// Edits every cell of data row Row in a generated modal dialog at (PosLeft, PosTop) on the
    /// screen, captioned "Editing Row <Row>" with the buttons "OK" and "Cancel". One right-aligned
    /// label and one field per column, chosen by the column format (OnRequestEditFormat may
    /// replace it for this dialog): "c" combo box, "l" drop-down list, "d" date/time editor, "e"
    /// "f" "h" "i" number field, "s" (or no format) text field, any other letter a label only; a
    /// "#" format is shown disabled. An empty cell shows its default. Enter in a field means OK.
    /// The fields are named "runtime_rlre_" + Label/Edit/NumIO/CBox/DtPick + the column number
    /// and carry the column number in their "Tag" property.
    ///
    /// On OK every field the user changed is written into its cell, with one repaint; a field
    /// left as it was writes only into an empty cell (its default, read-only fields included),
    /// so a cell text the field cannot show (a date that does not read, an item not in the list,
    /// text a number field refuses) stays exactly as it was. Returns mrOK or mrCancel (Escape
    /// and the close box count as Cancel); mrNone, without a dialog, for a row outside
    /// 1..NrOfRows() or while another row editor of this view runs.
    int EditRowEntries(int Row, int PosLeft, int PosTop);
    /// The same with the caption and the button texts given.
    int EditRowEntries(int Row, int PosLeft, int PosTop, const QString &FormCaption,
                       const QString &ButOKCaption, const QString &ButCancelCaption);
    /// The same with the labels and fields placed into ContainerForm at (PosLeft, PosTop) of its
    /// client area; the form is only enlarged to hold them and must offer its own way to close.
    /// Returns what the form's exec() returns. The generated widgets are removed afterwards; the
    /// form and its own widgets (and its caption) stay. A null form gives the own dialog.
    int EditRowEntries(int Row, QDialog *ContainerForm, int PosLeft, int PosTop);

    // ---- the cut rules of the painting -----------------------------------------------------------
    /// A cell text (check flag included) that is TextWidth pixels wide where Room pixels are
    /// left: unchanged when it fits (or is empty); else G = Round(length x Room / TextWidth - 4),
    /// at least 1, and the result is its first G characters + "..." or, right aligned, its first
    /// character + "..." + its last G characters.
    static QString CutText(const QString &Text, int TextWidth, int Room, bool RightAligned);
    /// A header line LineWidth pixels wide in Room pixels: unchanged when it fits, else its first
    /// max(1, Round(length x Room / LineWidth - 3)) characters + "...".
    static QString CutHeaderLine(const QString &Line, int LineWidth, int Room);

    // ---- notifications -------------------------------------------------------------------------------
    /// Fire OnChange, OnChangeSetup, OnSelectedChange when assigned.
    void Changed();
    void ChangedSetup();
    void ChangedSelection();

    /// Copies settings, colours, handlers, the data and the per-column settings of another view.
    /// Any other source raises EKROError.
    void Assign(const TComponentBase *Source) override;

    /// The header rows, the fixed column and one data cell whole, beside the scroll bars.
    QSize minimumSizeHint() const override { return CellsMinimumSize(1, 1); }
    /// Assistive tools see a table.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Table; }

    // ---- events --------------------------------------------------------------------------------------
    /// The content changed (a cell, a name, a format, the header...).
    void SetOnChange(TNotifyEvent H);
    const TNotifyEvent &OnChange() const;
    /// Layout or colours changed (rows, columns, widths, colours...).
    void SetOnChangeSetup(TNotifyEvent H);
    const TNotifyEvent &OnChangeSetup() const;
    /// The row or column selection changed.
    void SetOnSelectedChange(TNotifyEvent H);
    const TNotifyEvent &OnSelectedChange() const;
    /// A click is about to change a check mark: State is the new state (may be changed; a radio
    /// click checks its cell whatever State says).
    void SetOnBeforeCheckedChange(TCheckStateChangeEvent H);
    const TCheckStateChangeEvent &OnBeforeCheckedChange() const;
    /// A click changed a check mark. State is the opposite of the state OnBeforeCheckedChange ended
    /// with, so, unless that handler changed it, the state before the click.
    void SetOnCheckedChange(TCheckStateChangeEvent H);
    const TCheckStateChangeEvent &OnCheckedChange() const;
    /// Asked for every row by FilterAndSort.
    void SetOnBeforeFilter(TBeforeFilterEvent H);
    const TBeforeFilterEvent &OnBeforeFilter() const;
    /// Lets the application replace a column format in the row editor.
    void SetOnRequestEditFormat(TRequestEditFormatEvent H);
    const TRequestEditFormatEvent &OnRequestEditFormat() const;
    /// Called for every data cell before it is drawn (ACol, ARow are data coordinates).
    void SetOnBeforeRenderCell(TRenderCellEvent H);
    const TRenderCellEvent &OnBeforeRenderCell() const;
    /// Called before two rows are exchanged while sorting or filtering; Sender is the view.
    void SetOnBeforeSortExchange(TBeforeSortExchgEvent H);
    const TBeforeSortExchgEvent &OnBeforeSortExchange() const;
    /// Called for every cell text of an HTML export; Sender is the view.
    void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent H);
    const TBeforeHTMLExportEvent &OnBeforeHTMLExport() const;
    /// Progress of long operations of the data; Sender is the view.
    void SetOnPercentDone(TOnPercentDoneEvent H);
    const TOnPercentDoneEvent &OnPercentDone() const;
    // OnGetEditText / OnSetEditText (inherited setters) receive the grid column and the DATA row.

    // ---- the events as signals: emitted right after the handler, whether one is assigned or not --
Q_SIGNALS:
    /// OnChange: the content changed.
    void onChange(QObject *Sender);
    /// OnChangeSetup: layout or colours changed.
    void onChangeSetup(QObject *Sender);
    /// OnSelectedChange: the row or column selection changed.
    void onSelectedChange(QObject *Sender);
    /// OnBeforeCheckedChange: a click is about to change a check mark (State may be changed).
    void onBeforeCheckedChange(QObject *Sender, bool &State, int Col, int Row);
    /// OnCheckedChange: a click changed a check mark.
    void onCheckedChange(QObject *Sender, bool &State, int Col, int Row);
    /// OnBeforeFilter: asked for every row by FilterAndSort.
    void onBeforeFilter(QObject *Sender, int Row, bool &Found, kro::TLogicOp &CombineWithInternalSearch);
    /// OnRequestEditFormat: the row editor asks for a column's format.
    void onRequestEditFormat(QObject *Sender, int Col, int Row, QString &Format);
    /// OnBeforeRenderCell: a data cell is about to be drawn (every value may be changed).
    void onBeforeRenderCell(QObject *Sender, int ACol, int ARow, kro::TColor &PenColor,
                            kro::TColor &BrushColor, kro::TColor &FontColor, kro::TFontStyles &FontStyles,
                            QString &Text);
    /// OnBeforeSortExchange: two rows are about to be exchanged while sorting or filtering.
    void onBeforeSortExchange(QObject *Sender, int What, int Ix1, int Ix2);
    /// OnBeforeHTMLExport: a cell text is about to be written by an HTML export.
    void onBeforeHTMLExport(QObject *Sender, QString &Text, int Col, int Row);
    /// OnPercentDone: progress of a long operation of the data.
    void onPercentDone(QObject *Sender, int Percent);

public:
protected:
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State) override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString &Value) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    bool DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos) override;
    bool AssignTo(TComponentBase *Dest) const override;
    void connectNotify(const QMetaMethod &Signal) override;
    void disconnectNotify(const QMetaMethod &Signal) override;

private:
    class TPaintHold;
    class TOrderOnly;

    void ConnectData();
    void ConnectSortExchange();
    bool ListensToSortExchange() const;
    void RepaintView();
    void ApplyHeaderRows();
    void SyncFromData();
    void ResizeColumnArrays(int N, const char *Reason);
    void SetColorField(TColor &Field, TColor Value);
    bool ValidRow(int Row) const;
    bool ValidCol(int Col) const;
    quint8 RowAttrib(int Row) const;
    void SetAllRowBits(quint8 Bit, bool On, int UpTo);
    void SelectOnlyRow(int Row);
    bool IsColumnHeaderGridRow(int GridRow) const;
    int DataRowOfGridRow(int GridRow) const { return GridRow - FixedRows() + 1; }
    int HeaderRightEdge() const;
    void DrawDataCell(int ACol, int ARow, const TRect &Rect);
    void DrawEmptyMessage();
    void DrawInterRowIndicator();
    void HeaderClickSort(int GridCol);
    void ToggleCheck(int C, int R);
    void ApplyOrder(const std::vector<int> &NewOrder);
    void KeepShownRowsOnTop(const std::vector<char> &ShownStored, int Count);
    void SortMatchesOnTop(const std::vector<char> &MatchedStored, int Count, int Col, bool Ascending);
    int ShownSortColumn() const;
    bool ShownSortOrder() const;
    void EndFilter();
    void SortData(int Col, int ColSec, bool Ascending);
    int RunRowEditor(int Row, QDialog *ContainerForm, int PosLeft, int PosTop, const QString &FormCaption,
                     const QString &ButOKCaption, const QString &ButCancelCaption);

    std::unique_ptr<TReportListViewPrivate> const d;
};

} // namespace kro
