#pragma once
// TNTabEd: a spreadsheet-like editor of a numeric data table (TDataTable).
//
// Layout. Grid column 0 shows the row names, grid row 0 the column names. While AttribRowVisible
// is on, grid column 1 shows the row attributes (offset FColOffset = 1); while AttribColVisible is
// on, grid row 1 shows the column attributes (FRowOffset = 1). Data column j is grid column
// j + FColOffset, data row i grid row i + FRowOffset. Always FixedCols = 1 + FColOffset,
// FixedRows = 1 + FRowOffset, ColCount = NrOfColumns + FColOffset + 1 and RowCount = NrOfRows +
// FRowOffset + 1 (a table without columns or rows shows its headings only). The top-left cell
// shows the current position (column:row) and opens the comment editor on a right click.
//
// Every public operation takes data coordinates (from 1); indices outside the table are refused:
// getters give 0 or "", setters do nothing.
//
// Cell states: bit 0x01 invalid ("-nan-"), 0x02 empty (blank), 0x40 marked A, 0x80 marked B; bits
// 0x04..0x20 belong to the application and are kept by every operation of the editor.
//
// Change events fire only while neither SuppressPaint nor the editor's own bulk suppression is on;
// SuppressPaint also holds painting back, and switching it off repaints once.
//
// Two built-in menus open on right clicks: "PopupDTAction" on data cells (marks, clear, copy,
// paste, read-only, extract from the clipboard, select all, empty state) and "PopupHTAction" on
// headings (edit heading, precision, select, insert, delete). Their items can be disabled through
// PopupDMask and PopupHMask (bit i-1 for item i) and renamed through the caption setters.

#include <krogui/data/datatable.h>
#include <krogui/graphics/canvas.h>
#include <krogui/graphics/propertyfaces.h>
#include <krogui/grid/customgrid.h>

#include <memory>

class QMenu;

namespace kro {

/// Exception class of the table editor.
KRO_DECLARE_ERROR(EKRONTabedError, EKROError)

/// Called for every data cell just before its text is drawn; every value may be changed.
using TBeforeRenderCellEvent =
    std::function<void(QObject *Sender, int colix, int rowix, QString &Text, TColor &ColorText,
                       TColor &ColorBakg, TFontStyles &FontStyles)>;
/// Called just before a built-in menu opens.
using TBeforePopupEvent = std::function<void(QObject *Sender, QMenu *PMenu)>;

struct TNTabEdPrivate;

class KROGUI_EXPORT TNTabEd : public TCustomDrawGrid
{
    Q_OBJECT
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrOfColumns)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrOfRows)
    Q_PROPERTY(bool AttribRowVisible READ AttribRowVisible WRITE SetAttribRowVisible)
    Q_PROPERTY(bool AttribColVisible READ AttribColVisible WRITE SetAttribColVisible)
    Q_PROPERTY(int NumWidth READ NumWidth WRITE SetNumWidth)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(bool OptimizeRowHeight READ OptimizeRowHeight WRITE SetOptimizeRowHeight)
    Q_PROPERTY(QString Comment READ Comment WRITE SetComment)
    Q_PROPERTY(QColor ColorBackground READ ColorBackgroundStored WRITE SetColorBackground)
    Q_PROPERTY(QColor ColorFixed READ ColorFixedStored WRITE SetColorFixed)
    Q_PROPERTY(QColor ColorNormal READ ColorNormalStored WRITE SetColorNormal)
    Q_PROPERTY(QColor ColorSelected READ ColorSelectedStored WRITE SetColorSelected)
    Q_PROPERTY(QColor ColorMarkedA READ ColorMarkedAStored WRITE SetColorMarkedA)
    Q_PROPERTY(QColor ColorMarkedB READ ColorMarkedBStored WRITE SetColorMarkedB)
    Q_PROPERTY(QColor ColorMarkedBoth READ ColorMarkedBothStored WRITE SetColorMarkedBoth)
    Q_PROPERTY(QColor ColorRangeSelFG READ ColorRangeSelFGStored WRITE SetColorRangeSelFG)
    Q_PROPERTY(QColor ColorRangeSelBG READ ColorRangeSelBGStored WRITE SetColorRangeSelBG)
    Q_PROPERTY(bool BoldMarks READ BoldMarks WRITE SetBoldMarks)
    Q_PROPERTY(bool BoldSelHeads READ BoldSelHeads WRITE SetBoldSelHeads)
    Q_PROPERTY(bool ClipboardUseFullPrec READ ClipboardUseFullPrec WRITE SetClipboardUseFullPrec)
    Q_PROPERTY(bool DataReadOnly READ DataReadOnly WRITE SetDataReadOnly)
    Q_PROPERTY(bool AutoAdvance READ AutoAdvance WRITE SetAutoAdvance)
    Q_PROPERTY(kro::TOrientation AutoAdvanceDir READ AutoAdvanceDir WRITE SetAutoAdvanceDir)
    Q_PROPERTY(bool BlockInternalPopup READ BlockInternalPopup WRITE SetBlockInternalPopup)
    Q_PROPERTY(bool CommentEditingAllowed READ CommentEditingAllowed WRITE SetCommentEditingAllowed)
    Q_PROPERTY(int NomEditDropDownCount READ NomEditDropDownCount WRITE SetNomEditDropDownCount)
    Q_PROPERTY(int LeftCol READ LeftCol WRITE SetLeftCol STORED false)
    Q_PROPERTY(int TopRow READ TopRow WRITE SetTopRow STORED false)

public:
    /// A 3 x 4 table of zeros with 3 decimal places per column, attribute column shown.
    explicit TNTabEd(QWidget *Parent = nullptr);
    ~TNTabEd() override;

    // ---- the table ---------------------------------------------------------------------------
    /// The table shown: the editor's own, or one assigned with AssignAnotherDataMatrix. Never null.
    TDataTable *Data() const;
    /// Shows a table the application owns (not freed by the editor). When that table is destroyed
    /// first, the editor falls back to a table of its own of the same size with every cell empty.
    /// nullptr shows the editor's own table again.
    void AssignAnotherDataMatrix(TDataTable *NewDTab);
    /// Whether the table shown is one assigned from outside.
    bool ExtMatAssigned() const;

    /// Number of data columns (rows). Values below 1 are ignored; a size the machine cannot hold
    /// raises EKROError naming the property and leaves everything as it was.
    int NrOfColumns() const;
    void SetNrOfColumns(int Value);
    int NrOfRows() const;
    void SetNrOfRows(int Value);
    /// Both sizes at once (same rules).
    void Redimension(int NrCols, int NrRows);

    /// Element of a cell (no repaint, no event of the editor).
    double GetElem(int ACol, int ARow) const;
    void SetElem(int ACol, int ARow, double Value);
    quint8 GetCellState(int ACol, int ARow) const;
    /// Writes the whole state byte, repaints and fires OnCellStateChanged.
    void SetCellState(int ACol, int ARow, quint8 State);
    bool GetIsNumber(int ACol, int ARow) const;
    bool GetIsEmpty(int ACol, int ARow) const;
    void SetIsEmpty(int ACol, int ARow, bool Value);
    /// Sets every element (states are kept).
    void Fill(double Value);

    /// Names (at most 50 characters); index 1..NrOfColumns (NrOfRows).
    QString GetColName(int Index) const;
    void SetColName(int Index, const QString &Name);
    QString GetRowName(int Index) const;
    void SetRowName(int Index, const QString &Name);
    /// Attribute bytes; setters repaint and fire OnAttributeChanged.
    quint8 GetColAttrib(int Index) const;
    void SetColAttrib(int Index, quint8 Value);
    quint8 GetRowAttrib(int Index) const;
    void SetRowAttrib(int Index, quint8 Value);
    /// Decimal places of a column, -1..10 (negative values give -1, larger ones 10). -1, 9 and 10
    /// show exponent notation.
    int GetDecPlaces(int Col) const;
    void SetDecPlaces(int Col, int Value);
    /// Widths: Index > 0 a data column, 0 the name column, negative the attribute column.
    int GetColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    /// Heights: Index > 0 a data row, 0 the name row, negative the attribute row.
    void SetRowHeight(int Index, int Value);
    /// Fits a column's width to its texts (-1 the attribute column, 0 the name column) and
    /// returns it.
    int AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
    /// Fits a row's height to the font and returns it.
    int AutoRowHeight(int RowNr, int Addon);

    QString Comment() const;
    /// Stores the comment without control characters and fires OnChange.
    void SetComment(const QString &Value);
    QString GetComment() const { return Comment(); }

    // ---- marks and states --------------------------------------------------------------------
    bool GetElemMarkedA(int ACol, int ARow) const;
    bool GetElemMarkedB(int ACol, int ARow) const;
    void SetElemMarkedA(int ACol, int ARow, bool Value);
    void SetElemMarkedB(int ACol, int ARow, bool Value);
    bool IfRowMarked(int Row) const;
    bool IfColumnMarked(int Col) const;
    bool IfAnyMarked() const;
    int NrOfMarkedDataA() const;
    int NrOfMarkedDataB() const;
    void MarkAllElemsA();
    void MarkAllElemsB();
    void UnMarkAllElems();
    void InvertCellStates(quint8 StateMask);
    void ExchangeMarkings();
    /// Sets every cell with any bit of Statemask to value; returns how many.
    int FillMarkedCells(double value, quint8 Statemask);

    // ---- shape -------------------------------------------------------------------------------
    /// Inserts before ix (1..count+1); removes ix (1..count, never the last one).
    void InsertRow(int ix);
    void InsertColumn(int ix);
    void RemoveRow(int ix);
    void RemoveColumn(int ix);
    void MirrorColumns();
    void MirrorRows();
    /// Clears the table; names become "C-j" and "R-i", every column 3 decimal places.
    void Clear();
    void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                  bool IncludeHeaders);
    void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                  bool IncludeHeaders);
    void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
    void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol, int HighRow);
    /// Index of the first column (row) with this name, 0 when none.
    int FindColIndex(const QString &ColID) const;
    int FindRowIndex(const QString &RowID) const;
    /// Takes size, values, states, names, attributes and decimal places of another editor.
    void CopyContentsFrom(const TNTabEd *ExtTab);
    /// Takes the state bytes of another editor of the same size; false (nothing done) otherwise.
    bool CopyCellStatesFrom(const TNTabEd *ExtTab);

    // ---- clipboard ---------------------------------------------------------------------------
    /// Size of the number matrix on the clipboard (at least 1 x 1); false when it holds no number.
    bool GetClipMatrixSize(int &NCols, int &NRows) const;
    /// The menu commands "Copy", "Paste" and "Extract from Clipboard" on the current selection.
    void CopyToClipboard();
    void PasteFromCopyBuffer();
    void ExtractFromClipboard();
    /// Whether "Copy" has filled the internal buffer.
    bool CopyBufferAvailable() const;

    // ---- properties --------------------------------------------------------------------------
    bool AttribRowVisible() const;
    void SetAttribRowVisible(bool Value);
    bool AttribColVisible() const;
    void SetAttribColVisible(bool Value);
    /// Minimum width of cell texts, 1..20 (other values ignored).
    int NumWidth() const;
    void SetNumWidth(int Value);
    int DefaultColWidth() const { return TCustomGrid::DefaultColWidth(); }
    void SetDefaultColWidth(int Value);
    bool OptimizeRowHeight() const;
    void SetOptimizeRowHeight(bool Value);
    TColor ColorBackground() const;
    void SetColorBackground(TColor Value);
    KRO_COLOR_FACE(ColorBackground)
    TColor ColorFixed() const;
    void SetColorFixed(TColor Value);
    KRO_COLOR_FACE(ColorFixed)
    TColor ColorNormal() const;
    void SetColorNormal(TColor Value);
    KRO_COLOR_FACE(ColorNormal)
    TColor ColorSelected() const;
    void SetColorSelected(TColor Value);
    KRO_COLOR_FACE(ColorSelected)
    TColor ColorMarkedA() const;
    void SetColorMarkedA(TColor Value);
    KRO_COLOR_FACE(ColorMarkedA)
    TColor ColorMarkedB() const;
    void SetColorMarkedB(TColor Value);
    KRO_COLOR_FACE(ColorMarkedB)
    TColor ColorMarkedBoth() const;
    void SetColorMarkedBoth(TColor Value);
    KRO_COLOR_FACE(ColorMarkedBoth)
    TColor ColorRangeSelFG() const;
    void SetColorRangeSelFG(TColor Value);
    KRO_COLOR_FACE(ColorRangeSelFG)
    TColor ColorRangeSelBG() const;
    void SetColorRangeSelBG(TColor Value);
    KRO_COLOR_FACE(ColorRangeSelBG)
    bool BoldMarks() const;
    void SetBoldMarks(bool Value);
    bool BoldSelHeads() const;
    void SetBoldSelHeads(bool Value);
    bool ClipboardUseFullPrec() const;
    void SetClipboardUseFullPrec(bool Value);
    /// Forbids editing the cells (closes an open editor).
    bool DataReadOnly() const;
    void SetDataReadOnly(bool Value);
    bool AutoAdvance() const;
    void SetAutoAdvance(bool Value);
    TOrientation AutoAdvanceDir() const;
    void SetAutoAdvanceDir(TOrientation Value);
    bool BlockInternalPopup() const;
    void SetBlockInternalPopup(bool Value);
    bool CommentEditingAllowed() const;
    void SetCommentEditingAllowed(bool Value);
    /// Rows of the drop-down list of coded columns (at least 1).
    int NomEditDropDownCount() const;
    void SetNomEditDropDownCount(int Value);
    /// First visible data column (row), clamped to the table.
    int LeftCol() const;
    void SetLeftCol(int Value);
    int TopRow() const;
    void SetTopRow(int Value);
    bool SuppressPaint() const;
    void SetSuppressPaint(bool Value);
    /// Bit i-1 enables item i of "PopupDTAction" (12 items) / "PopupHTAction" (5 items).
    int PopupDMask() const;
    void SetPopupDMask(int Value);
    int PopupHMask() const;
    void SetPopupHMask(int Value);

    // ---- menus -------------------------------------------------------------------------------
    QMenu *PopupDTAction() const;
    QMenu *PopupHTAction() const;
    void SetPopupDCaption(int Index, const QString &Caption);
    QString GetPopupDCaption(int Index) const;
    void SetPopupHCaption(int Index, const QString &Caption);
    QString GetPopupHCaption(int Index) const;
    void SetPopupMCaption(int Index, const QString &Caption);
    QString GetPopupMCaption(int Index) const;
    void SetPopupUCaption(int Index, const QString &Caption);
    QString GetPopupUCaption(int Index) const;
    /// The grid cell of the last mouse-down (menu commands act on it).
    int ClickCol() const;
    int ClickRow() const;
    /// The heading editor and the comment editor (nullptr in design mode).
    QWidget *HeadingEditor() const;
    QWidget *CommentEditor() const;
    bool HeadingEditorActive() const;
    bool CommentEditorActive() const;

    /// The headings, the attribute cells and one data cell whole, beside the scroll bars.
    QSize minimumSizeHint() const override { return CellsMinimumSize(1, 1); }
    /// Assistive tools see a table.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Table; }

    // ---- change notifications ------------------------------------------------------------------
    void ChangedData();
    void ChangedHeading();
    void ChangedAttrib();
    void ChangedLayout();
    void ChangedCellStates();
    void ChangedSelection();
    void ChangedSetup();

    void SetOnChange(TNotifyEvent H);
    void SetOnHeadingChanged(TNotifyEvent H);
    void SetOnAttributeChanged(TNotifyEvent H);
    void SetOnLayoutChanged(TNotifyEvent H);
    void SetOnCellStateChanged(TNotifyEvent H);
    void SetOnSelectionChanged(TNotifyEvent H);
    void SetOnChangeSetup(TNotifyEvent H);
    void SetOnPercentDone(TOnPercentDoneEvent H);
    void SetOnBeforeRenderCell(TBeforeRenderCellEvent H);
    void SetOnPaste(TNotifyEvent H);
    void SetOnBeforePopup(TBeforePopupEvent H);
    const TNotifyEvent &OnChange() const;
    const TNotifyEvent &OnHeadingChanged() const;
    const TNotifyEvent &OnAttributeChanged() const;
    const TNotifyEvent &OnLayoutChanged() const;
    const TNotifyEvent &OnCellStateChanged() const;
    const TNotifyEvent &OnSelectionChanged() const;
    const TNotifyEvent &OnChangeSetup() const;
    const TOnPercentDoneEvent &OnPercentDone() const;
    const TBeforeRenderCellEvent &OnBeforeRenderCell() const;
    const TNotifyEvent &OnPaste() const;
    const TBeforePopupEvent &OnBeforePopup() const;

    // ---- the events as signals: emitted right after the handler, whether one is assigned or not --
Q_SIGNALS:
    /// OnChange: cell values or the comment changed.
    void onChange(QObject *Sender);
    /// OnHeadingChanged: a column or row name changed.
    void onHeadingChanged(QObject *Sender);
    /// OnAttributeChanged: a column or row attribute changed.
    void onAttributeChanged(QObject *Sender);
    /// OnLayoutChanged: widths, colours, precision or the table's shape changed.
    void onLayoutChanged(QObject *Sender);
    /// OnCellStateChanged: cell states (marks, empty, invalid) changed.
    void onCellStateChanged(QObject *Sender);
    /// OnSelectionChanged: the selected cells changed.
    void onSelectionChanged(QObject *Sender);
    /// OnChangeSetup: the table's setup changed.
    void onChangeSetup(QObject *Sender);
    /// OnPercentDone: progress (0..100) of a long operation of the table.
    void onPercentDone(QObject *Sender, int Percent);
    /// OnBeforeRenderCell: a data cell is about to be drawn (every value may be changed).
    void onBeforeRenderCell(QObject *Sender, int colix, int rowix, QString &Text, kro::TColor &ColorText,
                            kro::TColor &ColorBakg, kro::TFontStyles &FontStyles);
    /// OnPaste: cells were pasted or extracted from the clipboard.
    void onPaste(QObject *Sender);
    /// OnBeforePopup: a built-in menu is about to open.
    void onBeforePopup(QObject *Sender, QMenu *PMenu);

public:
protected:
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State) override;
    void TopLeftChanged() override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString &Value) override;
    TEditStyle GetEditStyle(int ACol, int ARow) override;
    void GetPickListItems(int ACol, int ARow, QStringList &Items) override;
    TInplaceEdit *CreateEditor() override;
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos) override;
    void FontChanged() override;
    bool WantTabs() const override { return true; }
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    friend struct TNTabEdPrivate;
    // Layout and notifications (ntabed.cpp).
    void InstallNotifications(TDataTable *T);
    void RemoveNotifications(TDataTable *T);
    void TableResized(int OldCols, int OldRows, int NewCols, int NewRows);
    void SyncGridShape();
    void ExternalTableDestroyed();
    void ResizeTable(int NrCols, int NrRows, const char *What);
    void DrawFixedCell(int ACol, int ARow, TRect Rect);
    void DrawCellText(const TRect &Rect, int X, int Y, const QString &Text, TColor Fore, TColor Back,
                      TFontStyles Style);
    void DrawDataCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State);
    void UpdateAccessible();
    bool Suppressed() const;
    void RepaintIfFree();
    // Menus, editing and commands (ntabedit.cpp).
    void BuildMenus();
    void ApplyDMask();
    void ApplyHMask();
    void OpenDataMenu(int X, int Y);
    void OpenHeadMenu();
    void PrepareHeadMenu();
    void MarkCommand(quint8 Bit, bool Set, int Scope);
    void ClearCommand();
    void ToggleEmptyCommand();
    void SelectAllCommand();
    void SelectColRowCommand();
    void InsertCommand();
    void DeleteCommand();
    void PrecisionCommand();
    void ReadOnlyCommand();
    void OpenHeadingEditor();
    void CloseHeadingEditor(bool Store);
    void OpenCommentEditor();
    void CloseCommentEditor(bool Store);
    TGridRect DataSelection() const;
    void ForEachSelected(const std::function<void(int, int)> &Fn) const;

    std::unique_ptr<TNTabEdPrivate> const d;
};

} // namespace kro
