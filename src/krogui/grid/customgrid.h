#pragma once
// The grid base of the report list, the table editor and the calendar.
//
// TCustomGrid is a scroll area whose client (the viewport) shows a table of cells: fixed rows at
// the top and fixed columns at the left stay in place while the other cells scroll by whole cells
// (TopRow, LeftCol). Cells have a default width and height; only cells with a size of their own
// are stored, so a grid of ten million rows costs no more than one of ten. The grid keeps a
// current cell (Col, Row) and a selection, moves them with the mouse and the keyboard, sizes and
// moves columns and rows by dragging the borders of fixed cells, and edits cells in place.
//
// Coordinates: columns and rows count from 0 (fixed ones first); pixel positions are client
// (viewport) coordinates. A cell's rectangle leaves out the grid line at its right and bottom.
//
// Paint model: Paint() composes the whole client picture on a kept surface (Canvas()) calling
// DrawCell for every visible cell; the screen shows the kept surface. Invalidating a cell composes
// only the cells under it again. Drawing on Canvas() outside Paint shows until the next paint, as
// on the framework's window canvas. Surface() returns the composed picture (tests read it).

#include <krogui/core/component.h>
#include <krogui/core/controlcore.h>
#include <krogui/core/ctimer.h>
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/propertyfaces.h>
#include <krogui/grid/gridextents.h>
#include <krogui/grid/gridlayout.h>
#include <krogui/grid/gridtypes.h>

#include <QAbstractScrollArea>
#include <QPoint>

#include <memory>

class QMenu;

namespace kro {

class TInplaceEdit;
struct TCustomGridPrivate;

using TDrawCellEvent =
    std::function<void(QObject *Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(QObject *Sender, int ACol, int ARow, bool &CanSelect)>;
using TGetEditEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)>;
using TSetEditEvent = std::function<void(QObject *Sender, int ACol, int ARow, const QString &Value)>;
using TMovedEvent = std::function<void(QObject *Sender, int FromIndex, int ToIndex)>;
using TGetPickListItemsEvent = std::function<void(QObject *Sender, int ACol, int ARow, QStringList &Items)>;
/// A wheel turn; WheelDelta is +120 (away from the user) or -120 per notch; MousePos is in client
/// coordinates. Setting Handled stops the grid's own reaction.
using TMouseWheelEvent =
    std::function<void(QObject *Sender, TShiftState Shift, int WheelDelta, QPoint MousePos, bool &Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(QObject *Sender, TShiftState Shift, QPoint MousePos, bool &Handled)>;
/// A context menu is about to open at MousePos (client coordinates); Handled suppresses PopupMenu.
using TContextPopupEvent = std::function<void(QObject *Sender, QPoint MousePos, bool &Handled)>;

class KROGUI_EXPORT TCustomGrid : public QAbstractScrollArea, public TComponentBase, public TControlCore
{
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(QColor Color READ ColorStored WRITE SetColor)
    Q_PROPERTY(QFont Font READ FontStored WRITE SetFont)
    Q_PROPERTY(QColor FontColor READ FontColorStored WRITE SetFontColor)
    Q_PROPERTY(QColor FixedColor READ FixedColorStored WRITE SetFixedColor)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(kro::GridEnums::TGridOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(kro::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(kro::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
public:
    /// 5 x 5 cells, one fixed row and column, cells 64 x 24, lines 1 pixel, options
    /// goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect; 320 x 120 pixels.
    explicit TCustomGrid(QWidget *Parent = nullptr);
    ~TCustomGrid() override;

    // ---- shape -----------------------------------------------------------------------------
    /// Number of columns, at least 1; FixedCols shrinks to stay below it. The current cell, the
    /// selection and the left column are kept inside the grid.
    int ColCount() const;
    void SetColCount(int Value);
    /// Number of rows, at least 1 (10,000,000 and more are fine); like ColCount.
    int RowCount() const;
    void SetRowCount(int Value);
    /// Fixed columns at the left, clamped to 0..ColCount-1. A change puts the current cell and the
    /// left column on the first scrollable column.
    int FixedCols() const;
    void SetFixedCols(int Value);
    /// Fixed rows at the top, clamped to 0..RowCount-1; like FixedCols.
    int FixedRows() const;
    void SetFixedRows(int Value);
    /// Width of column ACol; 0 for a column outside the grid.
    int ColWidths(int ACol) const;
    /// Gives column ACol its own width (negative counts as 0); ignored outside the grid.
    void SetColWidths(int ACol, int Value);
    /// Height of row ARow; 0 for a row outside the grid.
    int RowHeights(int ARow) const;
    /// Gives row ARow its own height (negative counts as 0); ignored outside the grid.
    void SetRowHeights(int ARow, int Value);
    /// Width of every column without a width of its own (negative counts as 0). Setting it makes
    /// all columns this wide, forgetting their own widths.
    int DefaultColWidth() const;
    void SetDefaultColWidth(int Value);
    /// Height of every row without a height of its own; setting it resets all row heights.
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int Value);
    /// Width of the grid lines in pixels (negative counts as 0). A line takes its room after each
    /// column (row) while goFixedVertLine or goVertLine (goFixedHorzLine or goHorzLine) is set.
    int GridLineWidth() const;
    void SetGridLineWidth(int Value);

    // ---- appearance ------------------------------------------------------------------------
    // Color, Font, ParentFont, Hint, ShowHint, Cursor, bounds and Visible come from the control
    // core. Color is the background of the scrollable cells and of the area beyond the last
    // cell (clWindow); the font is the cells' and the editor's.
    /// Background of the fixed cells (clBtnFace).
    TColor FixedColor() const;
    void SetFixedColor(TColor Value);
    KRO_COLOR_FACE(FixedColor)
    /// The grid's options (TGridOption flags). goRowSelect removes goAlwaysShowEditor; leaving
    /// the editing options closes an open editor (its text is kept).
    TGridOptions Options() const;
    void SetOptions(TGridOptions Value);
    /// The same from the bits of the options (as forms and older code store them).
    void SetOptions(unsigned Value) { SetOptions(TGridOptions::fromInt(Value)); }
    /// Which scroll bars appear (each only while the cells do not fit).
    TScrollStyle ScrollBars() const;
    void SetScrollBars(TScrollStyle Value);
    /// bsSingle draws a border around the client area (sunken with Ctl3D), bsNone none.
    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle Value);
    /// When true the grid fills each cell with its colour (the selection colours for selected
    /// cells), sets the canvas font before DrawCell, bevels fixed cells with Ctl3D and draws the
    /// focus rectangle. When false DrawCell draws everything itself.
    bool DefaultDrawing() const;
    void SetDefaultDrawing(bool Value);
    /// Three-dimensional look of the border and (with DefaultDrawing) of the fixed cells.
    bool Ctl3D() const;
    void SetCtl3D(bool Value);
    /// A menu shown on a right click (not owned); nullptr for none.
    QMenu *PopupMenu() const;
    void SetPopupMenu(QMenu *Menu);

    // ---- geometry as the framework names it ------------------------------------------------
    /// Size of the client area (the cells' area, without border and scroll bars).
    int ClientWidth() const;
    int ClientHeight() const;
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool Value);
    /// Whether the grid or its in-place editor has the keyboard focus.
    bool Focused() const { return hasFocus() || EditorHasFocus(); }
    /// Gives the grid the keyboard focus (its open editor, when there is one).
    void SetFocus();

    // ---- position, selection, scrolling ----------------------------------------------------
    /// The current cell's column. Setting it moves the current cell (SelectCell may refuse),
    /// scrolls it into view and fires OnClick; a column outside the grid is ignored.
    int Col() const;
    void SetCol(int Value);
    /// The current cell's row; like Col.
    int Row() const;
    void SetRow(int Value);
    /// The selected cells: the block between the anchor and the current cell (whole rows with
    /// goRowSelect). Setting it puts the anchor at its top-left and the current cell at its
    /// bottom-right without asking SelectCell or scrolling; the bounds are clamped to
    /// 0..ColCount / 0..RowCount, so a block beyond the last cell selects nothing.
    TGridRect Selection() const;
    void SetSelection(const TGridRect &Value);
    /// First scrollable row shown, clamped to FixedRows..(the row that shows the last row at the
    /// bottom). Every change calls TopLeftChanged.
    int TopRow() const;
    void SetTopRow(int Value);
    /// First scrollable column shown; like TopRow.
    int LeftCol() const;
    void SetLeftCol(int Value);
    /// Scrollable columns (rows) that are fully visible from LeftCol (TopRow) on; at least 1.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    /// Right (bottom) edge of the last visible cell including its line, at most the client width
    /// (height).
    int GridWidth() const;
    int GridHeight() const;
    /// The cell under a client point; -1 for a coordinate outside every visible cell. The line
    /// after a cell belongs to the cell.
    TGridCoord MouseCoord(int X, int Y) const;
    /// The client rectangle of a visible cell (without its lines), cut at the client edge;
    /// (0, 0, 0, 0) for a cell outside the grid or scrolled out of view.
    TRect CellRect(int ACol, int ARow) const;
    /// Moves the current cell to (ACol, ARow) when SelectCell allows it. MoveAnchor also moves
    /// the anchor (else the selection grows, with goRangeSelect); Show scrolls the cell into view.
    /// A cell outside the grid is ignored.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

    // ---- editing ---------------------------------------------------------------------------
    /// True while the in-place editor is open for the current cell. Setting it true opens the
    /// editor (when goEditing is set, goRowSelect is not and the current cell is a scrollable
    /// cell) with the caret after the text; false commits and closes it.
    bool EditorMode() const;
    void SetEditorMode(bool Value);
    /// Opens the in-place editor on the current cell with its text (GetEditText) selected.
    void ShowEditor();
    /// Commits a changed text (SetEditText) and closes the editor.
    void HideEditor();
    /// Puts the editor's text back to what GetEditText gave and closes the editor (it stays open
    /// with goAlwaysShowEditor); SetEditText is not called.
    void CancelEditor();
    /// The in-place editor, nullptr until it is first needed.
    TInplaceEdit *InplaceEditor() const;
    /// The drag-scroll timer: it ticks every 60 ms while a selection (or a column or row being
    /// moved) is dragged outside the cells, scrolling one cell per tick.
    TControlTimer *ScrollTimer() const;

    // ---- painting ----------------------------------------------------------------------------
    /// Marks the whole picture stale; it is composed again before the next paint on screen.
    void Invalidate() { InvalidateGrid(); }
    void InvalidateGrid();
    /// Marks one cell stale (nothing for a cell out of view).
    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    /// Composes the picture now (calls Paint) and shows it.
    void Repaint();
    void Refresh() { Repaint(); }
    /// The composed picture of the client area (composed first when stale), one pixel per logical
    /// pixel (on a screen of a higher pixel ratio the top-left pixel of every block).
    const QImage &Surface();
    /// The composed picture in device pixels (its devicePixelRatio is SurfaceScale()).
    const QImage &DeviceSurface();
    /// Device pixels per logical pixel of the picture: the viewport's ratio rounded up, 1 to 4.
    int SurfaceScale() const;
    /// The canvas of the kept surface: valid inside Paint and DrawCell and afterwards. Drawing on
    /// it outside Paint shows at the next screen update (and lasts until the next paint).
    TCanvas *Canvas();
    /// The part of the client area the current Paint composes (the whole area unless only some
    /// cells were invalidated); cells outside it are not drawn.
    TRect PaintRect() const;

    // ---- structure operations ----------------------------------------------------------------
    /// Moves column FromIndex to ToIndex (widths follow; the current cell and the anchor stay on
    /// their columns), then ColumnMoved. Indices outside the grid are ignored.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    /// Removes a column (row): it is moved to the end (ColumnMoved) and the count shrinks; the
    /// last column (row) is never removed. Indices outside the grid are ignored.
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);

    // ---- events ----------------------------------------------------------------------------
    void SetOnMouseWheel(TMouseWheelEvent H) { FOnMouseWheel = std::move(H); }
    const TMouseWheelEvent &OnMouseWheel() const { return FOnMouseWheel; }
    void SetOnMouseWheelDown(TMouseWheelUpDownEvent H) { FOnMouseWheelDown = std::move(H); }
    const TMouseWheelUpDownEvent &OnMouseWheelDown() const { return FOnMouseWheelDown; }
    void SetOnMouseWheelUp(TMouseWheelUpDownEvent H) { FOnMouseWheelUp = std::move(H); }
    const TMouseWheelUpDownEvent &OnMouseWheelUp() const { return FOnMouseWheelUp; }
    void SetOnContextPopup(TContextPopupEvent H) { FOnContextPopup = std::move(H); }
    const TContextPopupEvent &OnContextPopup() const { return FOnContextPopup; }

    // ---- the grid's own events as signals (emitted right after the handler, assigned or not) ----
Q_SIGNALS:
    /// A wheel notch (OnMouseWheel); setting Handled stops the grid's own reaction.
    void onMouseWheel(QObject *Sender, kro::TShiftState Shift, int WheelDelta, QPoint MousePos,
                      bool &Handled);
    /// A wheel notch towards the user (OnMouseWheelDown).
    void onMouseWheelDown(QObject *Sender, kro::TShiftState Shift, QPoint MousePos, bool &Handled);
    /// A wheel notch away from the user (OnMouseWheelUp).
    void onMouseWheelUp(QObject *Sender, kro::TShiftState Shift, QPoint MousePos, bool &Handled);
    /// A context menu is about to open (OnContextPopup); Handled suppresses PopupMenu.
    void onContextPopup(QObject *Sender, QPoint MousePos, bool &Handled);

public:
    QSize sizeHint() const override;
    /// One cell of the default size inside the frame, at most the design size.
    QSize minimumSizeHint() const override;

protected:
    // ---- overridables ------------------------------------------------------------------------
    /// Composes the picture: background, grid lines, then DrawCell for every visible cell that
    /// meets PaintRect(). Descendants may draw more on Canvas() after calling it.
    virtual void Paint();
    /// Draws one cell into Rect (without its lines) on Canvas(). With DefaultDrawing the cell is
    /// already filled and the canvas font set. The default draws nothing.
    virtual void DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State);
    /// Asked before the current cell moves to (ACol, ARow); false keeps it where it is.
    virtual bool SelectCell(int ACol, int ARow);
    /// Called after every change of TopRow or LeftCol (moves the editor along).
    virtual void TopLeftChanged();
    /// The text the editor starts with; the default is empty.
    virtual QString GetEditText(int ACol, int ARow);
    /// Receives the edited text when the editor commits a changed text; the default does nothing.
    virtual void SetEditText(int ACol, int ARow, const QString &Value);
    /// Input mask of the editor for a cell (Qt input-mask syntax, empty for none).
    virtual QString GetEditMask(int ACol, int ARow);
    /// Maximum text length of the editor (0 = no limit).
    virtual int GetEditLimit();
    /// The editor kind for a cell: esSimple (default), esEllipsis or esPickList.
    virtual TEditStyle GetEditStyle(int ACol, int ARow);
    /// The items of the pick list of a cell (the default editor asks when it drops down).
    virtual void GetPickListItems(int ACol, int ARow, QStringList &Items);
    /// The ellipsis button of the editor was pressed.
    virtual void EditButtonClick();
    /// Creates the in-place editor (once, on first use); the default is a TInplaceEditList, which
    /// is a plain line edit for esSimple cells.
    virtual TInplaceEdit *CreateEditor();
    /// Whether the editor may open now: goEditing without goRowSelect, editor mode wanted, a
    /// scrollable current cell, not in design mode.
    virtual bool CanEditShow();
    /// Whether the editor's text may be changed (false makes it read-only).
    virtual bool CanEditModify();
    /// Whether a typed character is accepted by the editor (refused ones beep).
    virtual bool CanEditAcceptKey(QChar Key);
    /// Keyboard: navigation with arrows, Page Up/Down, Home, End, Ctrl+Home/End, Ctrl+arrows,
    /// Tab (goTabs), F2 (editor). OnKeyDown fires first; a Key of 0 then does nothing.
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    void KeyUp(quint16 &Key, TShiftState Shift) override;
    /// A typed character: OnKeyPress fires first; Enter opens or closes the editor (not with
    /// goAlwaysShowEditor) and becomes #0; Esc cancels an open editor.
    void KeyPress(QChar &Key) override;
    /// Mouse: selects cells, starts sizing and moving; OnMouseDown fires after the grid's part.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Click() override;
    void DblClick() override;
    /// A wheel notch: OnMouseWheel, then DoMouseWheelDown (delta < 0) or DoMouseWheelUp.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, const QPoint &MousePos);
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) override;
    /// OnMouseWheelDown; unless handled, the current row moves one down. Returns true.
    virtual bool DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos);
    /// OnMouseWheelUp; unless handled, the current row moves one up (not into the fixed rows).
    virtual bool DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos);
    void DoEnter() override;
    void DoExit() override;
    /// The grid's reaction to a change of the client size (OnResize runs after it).
    virtual void Resize() {}
    /// After a column width (row height) changed, by the program or by dragging.
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    /// After ColCount or RowCount changed.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    /// After MoveColumn / MoveRow (also by dragging with goColMoving / goRowMoving).
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    /// The font changed; the default updates the editor and invalidates.
    void FontChanged() override;
    void ColorChanged() override;
    /// Whether Tab reaches the grid (goTabs by default); a descendant may always want it.
    virtual bool WantTabs() const;

    // ---- helpers for descendants ---------------------------------------------------------------
    /// Moves the current cell, scrolls it into view, updates the editor and fires Click.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    /// Screen rectangle of a block of cells (visible part, lines included); empty when none shows.
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
    /// Marks a client rectangle stale.
    void InvalidateRect(const TRect &R);
    /// Scrolls so that the cell becomes fully visible (fixed coordinates are left alone).
    void ClampInView(int ACol, int ARow);
    /// Sets TopRow and LeftCol together (clamped), calling TopLeftChanged once on a change.
    void MoveTopLeft(int ALeft, int ATop);
    /// The editor's current cell commits its changed text now (the editor stays open).
    void UpdateText();
    /// Opens, moves or refreshes the editor to match the current cell and editor mode.
    void UpdateEdit();
    TGridState GridState() const;
    /// The text the open editor started with.
    QString EditorOriginalText() const;
    /// The size that shows the fixed cells and the first ScrollCols x ScrollRows scrollable cells
    /// whole, with their lines, the border and room for the scroll bars ScrollBars allows (a
    /// descendant's minimumSizeHint).
    QSize CellsMinimumSize(int ScrollCols, int ScrollRows) const;

    // ---- Qt plumbing ---------------------------------------------------------------------------
    bool event(QEvent *Event) override;
    bool viewportEvent(QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void wheelEvent(QWheelEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void contextMenuEvent(QContextMenuEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void dragEnterEvent(QDragEnterEvent *Event) override;
    void dragMoveEvent(QDragMoveEvent *Event) override;
    void dragLeaveEvent(QDragLeaveEvent *Event) override;
    void dropEvent(QDropEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void scrollContentsBy(int, int) override {}
    void SetDesignSize(int W, int H);

    // The other event fields (FOnClick ... FOnResize) are the control core's.
    TMouseWheelEvent FOnMouseWheel;
    TMouseWheelUpDownEvent FOnMouseWheelDown, FOnMouseWheelUp;
    TContextPopupEvent FOnContextPopup;


    // ---- the core events as signals, emitted right after the handler (see coresignals.h) ----
Q_SIGNALS:
    void onClick(QObject *Sender);
    void onDblClick(QObject *Sender);
    void onMouseDown(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseUp(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseMove(QObject *Sender, kro::TShiftState Shift, int X, int Y);
    void onMouseEnter(QObject *Sender);
    void onMouseLeave(QObject *Sender);
    void onResize(QObject *Sender);
    /// Key may be changed by a directly connected slot (0 swallows the key).
    void onKeyDown(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    void onKeyUp(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    /// Key may be changed by a directly connected slot (QChar() swallows it).
    void onKeyPress(QObject *Sender, QChar &Key);
    void onEnter(QObject *Sender);
    void onExit(QObject *Sender);
    void onStartDrag(QObject *Sender, QMimeData &DragObject);
    /// Accept comes preset to true; a directly connected slot may refuse the drop.
    void onDragOver(QObject *Sender, QObject *Source, int X, int Y, kro::TDragState State, bool &Accept);
    void onDragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void onEndDrag(QObject *Sender, QObject *Target, int X, int Y);

protected:
    void connectNotify(const QMetaMethod &Signal) override;

private:
    friend class TInplaceEdit;
    friend class TInplaceEditList;
    friend struct TCustomGridPrivate;

    // The layout with the current client size.
    const TGridLayout &Layout() const;
    void SetTopLeftInternal(int ALeft, int ATop);
    void ClampTopLeft();
    void UpdateScrollBars();
    void ScrollBarMoved(bool Horz, int Value);

    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchorTo(int ACol, int ARow);
    void SelectionMoved(const TGridRect &OldSel);
    void InvalidateGridRect(const TGridRect &R);
    void ClampPositions();
    void Initialize();

    void HideEdit(bool Commit);
    void TypeIntoEditor(QChar Ch);
    void EditorLostFocus();
    void EnsureEditor();
    void PlaceEditor();
    bool EditorHasFocus() const;

    void DrawCells(const TGridAxisInfo &H, const TGridAxisInfo &V, int ColFrom, int RowFrom, int XStart,
                   int YStart, int XEnd, int YEnd, bool Fixed, const TGridRect &Sel, bool HasFocus);
    void DrawFixedBevel(const TRect &Where);
    void DrawLines(const TGridAxisInfo &H, const TGridAxisInfo &V, int ColFrom, int RowFrom, int XStart,
                   int YStart, int XEnd, int YEnd, bool DoHorz, bool DoVert, TColor LineColor,
                   TColor OffColor);
    void Compose(const TRect &Area);
    void DrawFocusRect(const TRect &R);
    void FocusChanged();
    void ScrollTimerTick();
    void ApplyFrame();
    void ChangeSize(int NewColCount, int NewRowCount);
    void StructureMoved(bool Horz, int FromIndex, int ToIndex);

    std::unique_ptr<TCustomGridPrivate> const d;
};

/// A grid that leaves drawing and editing to events: OnDrawCell, OnSelectCell, OnTopLeftChanged,
/// OnGetEditText, OnSetEditText, OnGetEditMask, OnColumnMoved, OnRowMoved, OnGetPickListItems.
class KROGUI_EXPORT TCustomDrawGrid : public TCustomGrid
{
    Q_OBJECT
public:
    explicit TCustomDrawGrid(QWidget *Parent = nullptr);

    /// Draws a cell (after the default filling when DefaultDrawing is on).
    void SetOnDrawCell(TDrawCellEvent H) { FOnDrawCell = std::move(H); }
    const TDrawCellEvent &OnDrawCell() const { return FOnDrawCell; }
    /// Asked before the current cell moves; CanSelect starts true.
    void SetOnSelectCell(TSelectCellEvent H) { FOnSelectCell = std::move(H); }
    const TSelectCellEvent &OnSelectCell() const { return FOnSelectCell; }
    /// After every change of TopRow or LeftCol.
    void SetOnTopLeftChanged(TNotifyEvent H) { FOnTopLeftChanged = std::move(H); }
    const TNotifyEvent &OnTopLeftChanged() const { return FOnTopLeftChanged; }
    /// Supplies the editor's starting text (Value starts empty).
    void SetOnGetEditText(TGetEditEvent H) { FOnGetEditText = std::move(H); }
    const TGetEditEvent &OnGetEditText() const { return FOnGetEditText; }
    /// Receives a committed, changed editor text.
    void SetOnSetEditText(TSetEditEvent H) { FOnSetEditText = std::move(H); }
    const TSetEditEvent &OnSetEditText() const { return FOnSetEditText; }
    /// Supplies an input mask (Qt syntax) for the editor of a cell.
    void SetOnGetEditMask(TGetEditEvent H) { FOnGetEditMask = std::move(H); }
    const TGetEditEvent &OnGetEditMask() const { return FOnGetEditMask; }
    void SetOnColumnMoved(TMovedEvent H) { FOnColumnMoved = std::move(H); }
    const TMovedEvent &OnColumnMoved() const { return FOnColumnMoved; }
    void SetOnRowMoved(TMovedEvent H) { FOnRowMoved = std::move(H); }
    const TMovedEvent &OnRowMoved() const { return FOnRowMoved; }
    /// Supplies the pick list of a cell whose GetEditStyle is esPickList.
    void SetOnGetPickListItems(TGetPickListItemsEvent H) { FOnGetPickListItems = std::move(H); }
    const TGetPickListItemsEvent &OnGetPickListItems() const { return FOnGetPickListItems; }

Q_SIGNALS:
    /// A cell was drawn by the grid (OnDrawCell).
    void onDrawCell(QObject *Sender, int ACol, int ARow, kro::TRect Rect, kro::TGridDrawState State);
    /// The current cell is about to move (OnSelectCell); clearing CanSelect keeps it.
    void onSelectCell(QObject *Sender, int ACol, int ARow, bool &CanSelect);
    /// TopRow or LeftCol changed (OnTopLeftChanged).
    void onTopLeftChanged(QObject *Sender);
    /// The editor asks for its starting text (OnGetEditText).
    void onGetEditText(QObject *Sender, int ACol, int ARow, QString &Value);
    /// The editor committed a changed text (OnSetEditText).
    void onSetEditText(QObject *Sender, int ACol, int ARow, const QString &Value);
    /// The editor asks for an input mask (OnGetEditMask).
    void onGetEditMask(QObject *Sender, int ACol, int ARow, QString &Value);
    /// A column (row) was moved (OnColumnMoved, OnRowMoved).
    void onColumnMoved(QObject *Sender, int FromIndex, int ToIndex);
    void onRowMoved(QObject *Sender, int FromIndex, int ToIndex);
    /// The editor asks for the pick list of a cell (OnGetPickListItems).
    void onGetPickListItems(QObject *Sender, int ACol, int ARow, QStringList &Items);

protected:
    void DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State) override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString &Value) override;
    QString GetEditMask(int ACol, int ARow) override;
    void GetPickListItems(int ACol, int ARow, QStringList &Items) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;

    TDrawCellEvent FOnDrawCell;
    TSelectCellEvent FOnSelectCell;
    TNotifyEvent FOnTopLeftChanged;
    TGetEditEvent FOnGetEditText, FOnGetEditMask;
    TSetEditEvent FOnSetEditText;
    TMovedEvent FOnColumnMoved, FOnRowMoved;
    TGetPickListItemsEvent FOnGetPickListItems;
};

/// The draw grid for applications: a TCustomDrawGrid with everything public.
class KROGUI_EXPORT TDrawGrid : public TCustomDrawGrid
{
    Q_OBJECT
public:
    explicit TDrawGrid(QWidget *Parent = nullptr);
};

} // namespace kro
