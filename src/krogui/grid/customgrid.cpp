#include <krogui/core/ctimer.h>
#include <krogui/graphics/colors.h>
#include <krogui/grid/customgrid.h>
#include <krogui/grid/customgrid_p.h>
#include <krogui/grid/inplaceedit.h>

#include <QScrollBar>

#include <algorithm>

namespace kro {

using gridimpl::Clamp;
using gridimpl::ScopeExit;

namespace {

// Where a cell index goes when the cell From moves to To.
void MoveAdjust(int &Cell, int From, int To)
{
    if (Cell == From)
        Cell = To;
    else if (From < To && Cell > From && Cell <= To)
        --Cell;
    else if (From > To && Cell >= To && Cell < From)
        ++Cell;
}

} // namespace

// ==== construction ==================================================================================

TCustomGrid::TCustomGrid(QWidget *Parent)
    : QAbstractScrollArea(Parent), TComponentBase(this), TControlCore(this, clWindow),
      d(std::make_unique<TCustomGridPrivate>())
{
    BindCoreSignals(this, [this](const QMetaMethod &S) { return isSignalConnected(S); });
    d->FScrollTimer = new TControlTimer(this, [this] { ScrollTimerTick(); });

    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAcceptDrops(true); // drops land on the viewport; the core decides on them
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, true);
    viewport()->setAutoFillBackground(false);
    viewport()->setFocusProxy(this);
    setAccessibleName(QStringLiteral("Grid"));
    ApplyFrame();

    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()}) {
        const bool horz = bar == horizontalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, [this, horz](int V) {
            if (!d->FUpdatingScrollBars) SafeInvoke([&] { ScrollBarMoved(horz, V); });
        });
    }
    SetDesignSize(320, 120);
    UpdateScrollBars();
}

TCustomGrid::~TCustomGrid()
{
    // The editor is a child widget; it must not call back into a half-destroyed grid.
    if (d->FInplaceEdit) d->FInplaceEdit->FGrid = nullptr;
    delete d->FInplaceEdit;
    d->FInplaceEdit = nullptr;
}

void TCustomGrid::SetDesignSize(int W, int H)
{
    d->FDesignSize = QSize(std::max(1, W), std::max(1, H));
    resize(d->FDesignSize);
    updateGeometry();
}

// ==== plain getters =================================================================================

int TCustomGrid::ColCount() const
{
    return d->FLayout.Cols.Count();
}
int TCustomGrid::RowCount() const
{
    return d->FLayout.Rows.Count();
}
int TCustomGrid::FixedCols() const
{
    return d->FLayout.FixedCols;
}
int TCustomGrid::FixedRows() const
{
    return d->FLayout.FixedRows;
}
int TCustomGrid::ColWidths(int ACol) const
{
    return d->FLayout.Cols.Size(ACol);
}
int TCustomGrid::RowHeights(int ARow) const
{
    return d->FLayout.Rows.Size(ARow);
}
int TCustomGrid::DefaultColWidth() const
{
    return d->FLayout.Cols.Default();
}
int TCustomGrid::DefaultRowHeight() const
{
    return d->FLayout.Rows.Default();
}
int TCustomGrid::GridLineWidth() const
{
    return d->FLayout.GridLineWidth;
}
TColor TCustomGrid::FixedColor() const
{
    return d->FFixedColor;
}
TGridOptions TCustomGrid::Options() const
{
    return d->FLayout.Options;
}
TScrollStyle TCustomGrid::ScrollBars() const
{
    return d->FScrollBars;
}
TBorderStyle TCustomGrid::BorderStyle() const
{
    return d->FBorderStyle;
}
bool TCustomGrid::DefaultDrawing() const
{
    return d->FDefaultDrawing;
}
bool TCustomGrid::Ctl3D() const
{
    return d->FCtl3D;
}
QMenu *TCustomGrid::PopupMenu() const
{
    return d->FPopupMenu;
}
void TCustomGrid::SetPopupMenu(QMenu *Menu)
{
    d->FPopupMenu = Menu;
}
int TCustomGrid::Col() const
{
    return d->FCurrent.X;
}
int TCustomGrid::Row() const
{
    return d->FCurrent.Y;
}
int TCustomGrid::TopRow() const
{
    return d->FLayout.TopLeft.Y;
}
int TCustomGrid::LeftCol() const
{
    return d->FLayout.TopLeft.X;
}
bool TCustomGrid::EditorMode() const
{
    return d->FEditorMode;
}
TInplaceEdit *TCustomGrid::InplaceEditor() const
{
    return d->FInplaceEdit;
}
TControlTimer *TCustomGrid::ScrollTimer() const
{
    return d->FScrollTimer;
}
TRect TCustomGrid::PaintRect() const
{
    return d->FPaintRect;
}
QSize TCustomGrid::sizeHint() const
{
    return d->FDesignSize;
}

QSize TCustomGrid::CellsMinimumSize(int ScrollCols, int ScrollRows) const
{
    const int glw = GridLineWidth();
    int w = 0, h = 0;
    // Cells the grid does not have (yet) count with the default size.
    for (int c = 0, n = FixedCols() + std::max(0, ScrollCols); c < n; ++c)
        w += (c < ColCount() ? ColWidths(c) : DefaultColWidth()) + glw;
    for (int r = 0, n = FixedRows() + std::max(0, ScrollRows); r < n; ++r)
        h += (r < RowCount() ? RowHeights(r) : DefaultRowHeight()) + glw;
    // The cells must fit beside the scroll bars, which appear as soon as they do not fit.
    const TScrollStyle bars = ScrollBars();
    if (bars == ssHorizontal || bars == ssBoth) h += horizontalScrollBar()->sizeHint().height();
    if (bars == ssVertical || bars == ssBoth) w += verticalScrollBar()->sizeHint().width();
    const int frame = 2 * frameWidth();
    return QSize(w + frame, h + frame);
}

QSize TCustomGrid::minimumSizeHint() const
{
    const int frame = 2 * frameWidth();
    return QSize(DefaultColWidth() + frame, DefaultRowHeight() + frame).boundedTo(sizeHint());
}

TGridState TCustomGrid::GridState() const
{
    return d->FGridState;
}
QString TCustomGrid::EditorOriginalText() const
{
    return d->FEditOriginal;
}

// ==== shape =========================================================================================

void TCustomGrid::SetColCount(int Value)
{
    Value = std::max(1, Value);
    if (Value == ColCount()) return;
    if (Value <= d->FLayout.FixedCols) SetFixedCols(Value - 1);
    ChangeSize(Value, RowCount());
}

void TCustomGrid::SetRowCount(int Value)
{
    Value = std::max(1, Value);
    if (Value == RowCount()) return;
    if (Value <= d->FLayout.FixedRows) SetFixedRows(Value - 1);
    ChangeSize(ColCount(), Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    const int oldCols = ColCount(), oldRows = RowCount();
    // A cell that disappears takes the editor with it; its text is committed first.
    if (d->FInplaceCol >= NewColCount || d->FInplaceRow >= NewRowCount) HideEditor();
    d->FLayout.Cols.SetCount(NewColCount);
    d->FLayout.Rows.SetCount(NewRowCount);
    const TGridCoord oldTopLeft = d->FLayout.TopLeft;
    ClampPositions();
    UpdateScrollBars();
    InvalidateGrid();
    SizeChanged(oldCols, oldRows);
    if (!(d->FLayout.TopLeft == oldTopLeft)) TopLeftChanged();
    UpdateEdit();
}

void TCustomGrid::ClampPositions()
{
    const int cols = ColCount(), rows = RowCount();
    auto clampCell = [&](TGridCoord &C) {
        C.X = Clamp(C.X, 0, cols - 1);
        C.Y = Clamp(C.Y, 0, rows - 1);
    };
    clampCell(d->FCurrent);
    clampCell(d->FAnchor);
    if (d->FLayout.Options & goRowSelect) {
        d->FCurrent.X = d->FLayout.FixedCols;
        d->FAnchor.X = cols - 1;
    }
    d->FLayout.TopLeft.X = Clamp(d->FLayout.TopLeft.X, d->FLayout.FixedCols,
                                 std::max(d->FLayout.FixedCols, Layout().MaxTopLeft(true)));
    d->FLayout.TopLeft.Y = Clamp(d->FLayout.TopLeft.Y, d->FLayout.FixedRows,
                                 std::max(d->FLayout.FixedRows, Layout().MaxTopLeft(false)));
}

void TCustomGrid::SetFixedCols(int Value)
{
    Value = Clamp(Value, 0, ColCount() - 1);
    if (Value == d->FLayout.FixedCols) return;
    d->FLayout.FixedCols = Value;
    Initialize();
}

void TCustomGrid::SetFixedRows(int Value)
{
    Value = Clamp(Value, 0, RowCount() - 1);
    if (Value == d->FLayout.FixedRows) return;
    d->FLayout.FixedRows = Value;
    Initialize();
}

void TCustomGrid::Initialize()
{
    HideEditor();
    const TGridCoord oldTopLeft = d->FLayout.TopLeft;
    d->FLayout.TopLeft = {d->FLayout.FixedCols, d->FLayout.FixedRows};
    d->FCurrent = d->FLayout.TopLeft;
    d->FAnchor = d->FCurrent;
    if (d->FLayout.Options & goRowSelect) d->FAnchor.X = ColCount() - 1;
    UpdateScrollBars();
    InvalidateGrid();
    if (!(d->FLayout.TopLeft == oldTopLeft)) TopLeftChanged();
    UpdateEdit();
}

void TCustomGrid::SetColWidths(int ACol, int Value)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    Value = std::max(0, Value);
    if (d->FLayout.Cols.Size(ACol) == Value) return;
    d->FLayout.Cols.SetSize(ACol, Value);
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int ARow, int Value)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    Value = std::max(0, Value);
    if (d->FLayout.Rows.Size(ARow) == Value) return;
    d->FLayout.Rows.SetSize(ARow, Value);
    RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == d->FLayout.Cols.Default() && d->FLayout.Cols.StoredCount() == 0) return;
    d->FLayout.Cols.SetDefault(Value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    Value = std::max(0, Value);
    if (Value == d->FLayout.Rows.Default() && d->FLayout.Rows.StoredCount() == 0) return;
    d->FLayout.Rows.SetDefault(Value);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == d->FLayout.GridLineWidth) return;
    d->FLayout.GridLineWidth = Value;
    ColWidthsChanged();
    RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged()
{
    UpdateScrollBars();
    ClampTopLeft();
    InvalidateGrid();
    PlaceEditor();
}

void TCustomGrid::RowHeightsChanged()
{
    UpdateScrollBars();
    ClampTopLeft();
    InvalidateGrid();
    PlaceEditor();
}

void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}

// ==== appearance ====================================================================================

void TCustomGrid::ColorChanged()
{
    if (d->FInplaceEdit) {
        QPalette pal = d->FInplaceEdit->palette();
        pal.setColor(QPalette::Base, ToQColor(Color()));
        d->FInplaceEdit->setPalette(pal);
    }
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (d->FFixedColor == Value) return;
    d->FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::FontChanged()
{
    d->FSurface.Canvas()->Font()->Assign(*Font());
    if (d->FInplaceEdit) {
        d->FInplaceEdit->setFont(Font()->ToQFont());
        QPalette pal = d->FInplaceEdit->palette();
        pal.setColor(QPalette::Text, ToQColor(Font()->Color()));
        d->FInplaceEdit->setPalette(pal);
    }
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value & goRowSelect) Value &= ~TGridOptions(goAlwaysShowEditor);
    if (Value == d->FLayout.Options) return;
    const TGridOptions old = d->FLayout.Options;
    d->FLayout.Options = Value;
    const TGridOptions lineOpts = goFixedVertLine | goVertLine | goFixedHorzLine | goHorzLine;
    if ((old & lineOpts) != (Value & lineOpts)) {
        UpdateScrollBars();
        ClampTopLeft();
    }
    if ((Value & goRowSelect) && !(old & goRowSelect)) {
        d->FCurrent.X = d->FLayout.FixedCols;
        d->FAnchor = d->FCurrent;
        d->FAnchor.X = ColCount() - 1;
    } else if (!(Value & goRowSelect) && (old & goRowSelect)) {
        d->FAnchor = d->FCurrent;
    }
    verticalScrollBar()->setTracking(Value & goThumbTracking);
    horizontalScrollBar()->setTracking(Value & goThumbTracking);
    if ((Value & goAlwaysShowEditor) && (Value & goEditing))
        ShowEditor();
    else if (d->FEditorMode && (Value & (goEditing | goRowSelect)) != goEditing)
        HideEditor();
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Value == d->FScrollBars) return;
    d->FScrollBars = Value;
    UpdateScrollBars();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Value == d->FBorderStyle) return;
    d->FBorderStyle = Value;
    ApplyFrame();
}

void TCustomGrid::SetCtl3D(bool Value)
{
    if (Value == d->FCtl3D) return;
    d->FCtl3D = Value;
    ApplyFrame();
    InvalidateGrid();
}

void TCustomGrid::ApplyFrame()
{
    // The classic borders: a two-pixel sunken edge with Ctl3D, a one-pixel line without.
    if (d->FBorderStyle == bsNone) {
        setFrameStyle(QFrame::NoFrame);
    } else if (d->FCtl3D) {
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    } else {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == d->FDefaultDrawing) return;
    d->FDefaultDrawing = Value;
    InvalidateGrid();
}

int TCustomGrid::ClientWidth() const
{
    return viewport()->width();
}
int TCustomGrid::ClientHeight() const
{
    return viewport()->height();
}

void TCustomGrid::SetEnabled(bool Value)
{
    if (Value == isEnabled()) return;
    setEnabled(Value);
    InvalidateGrid();
}

void TCustomGrid::SetFocus()
{
    if (d->FInplaceEdit && d->FInplaceCol >= 0 && d->FInplaceEdit->isVisible())
        d->FInplaceEdit->SetFocus();
    else
        setFocus(Qt::OtherFocusReason);
}

// ==== geometry ======================================================================================

const TGridLayout &TCustomGrid::Layout() const
{
    d->FLayout.ClientWidth = viewport()->width();
    d->FLayout.ClientHeight = viewport()->height();
    return d->FLayout;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    return Layout().MouseCoord(X, Y);
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    return Layout().CellRect(ACol, ARow);
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const
{
    return Layout().BoxRect(ALeft, ATop, ARight, ABottom);
}

int TCustomGrid::VisibleColCount() const
{
    return Layout().VisibleCount(true);
}

int TCustomGrid::VisibleRowCount() const
{
    return Layout().VisibleCount(false);
}

int TCustomGrid::GridWidth() const
{
    return Layout().AxisInfo(true).GridBoundary;
}

int TCustomGrid::GridHeight() const
{
    return Layout().AxisInfo(false).GridBoundary;
}

// ==== scrolling =====================================================================================

void TCustomGrid::SetTopRow(int Value)
{
    MoveTopLeft(LeftCol(), Value);
}

void TCustomGrid::SetLeftCol(int Value)
{
    MoveTopLeft(Value, TopRow());
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    const TGridCoord tl = Layout().ClampedTopLeft({ALeft, ATop});
    if (tl == d->FLayout.TopLeft) return;
    SetTopLeftInternal(tl.X, tl.Y);
}

void TCustomGrid::SetTopLeftInternal(int ALeft, int ATop)
{
    d->FLayout.TopLeft = {ALeft, ATop};
    UpdateScrollBars();
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomGrid::ClampTopLeft()
{
    const TGridCoord tl = Layout().ClampedTopLeft(d->FLayout.TopLeft);
    if (!(tl == d->FLayout.TopLeft)) SetTopLeftInternal(tl.X, tl.Y);
}

void TCustomGrid::TopLeftChanged()
{
    PlaceEditor();
}

void TCustomGrid::UpdateScrollBars()
{
    if (d->FUpdatingScrollBars) return;
    d->FUpdatingScrollBars = true;
    gridimpl::ScopeExit done{[this] { d->FUpdatingScrollBars = false; }};
    const bool vert = d->FScrollBars == ssVertical || d->FScrollBars == ssBoth;
    const bool horz = d->FScrollBars == ssHorizontal || d->FScrollBars == ssBoth;
    // Setting a policy lays the children out again, so only a change is passed on.
    const Qt::ScrollBarPolicy vp = vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    const Qt::ScrollBarPolicy hp = horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != vp) setVerticalScrollBarPolicy(vp);
    if (horizontalScrollBarPolicy() != hp) setHorizontalScrollBarPolicy(hp);
    // The bars count cells: their value is TopRow / LeftCol.
    QScrollBar *vb = verticalScrollBar();
    vb->setRange(d->FLayout.FixedRows, std::max(d->FLayout.FixedRows, Layout().MaxTopLeft(false)));
    vb->setPageStep(std::max(1, VisibleRowCount()));
    vb->setSingleStep(1);
    vb->setValue(d->FLayout.TopLeft.Y);
    QScrollBar *hb = horizontalScrollBar();
    hb->setRange(d->FLayout.FixedCols, std::max(d->FLayout.FixedCols, Layout().MaxTopLeft(true)));
    hb->setPageStep(std::max(1, VisibleColCount()));
    hb->setSingleStep(1);
    hb->setValue(d->FLayout.TopLeft.X);
}

void TCustomGrid::ScrollBarMoved(bool Horz, int Value)
{
    if (Horz)
        MoveTopLeft(Value, TopRow());
    else
        MoveTopLeft(LeftCol(), Value);
}

void TCustomGrid::ClampInView(int ACol, int ARow)
{
    const TGridCoord tl = Layout().TopLeftShowing(ACol, ARow);
    MoveTopLeft(tl.X, tl.Y);
}

// ==== current cell and selection ====================================================================

TGridRect TCustomGrid::Selection() const
{
    return {std::min(d->FCurrent.X, d->FAnchor.X), std::min(d->FCurrent.Y, d->FAnchor.Y),
            std::max(d->FCurrent.X, d->FAnchor.X), std::max(d->FCurrent.Y, d->FAnchor.Y)};
}

void TCustomGrid::SetSelection(const TGridRect &Value)
{
    const TGridRect old = Selection();
    const int cols = ColCount(), rows = RowCount();
    d->FAnchor = {Clamp(Value.Left, 0, cols), Clamp(Value.Top, 0, rows)};
    d->FCurrent = {Clamp(Value.Right, 0, cols), Clamp(Value.Bottom, 0, rows)};
    if (d->FInplaceCol >= 0 && (d->FInplaceCol != d->FCurrent.X || d->FInplaceRow != d->FCurrent.Y)) {
        if (d->FLayout.Options & goAlwaysShowEditor)
            UpdateEdit();
        else
            HideEditor();
    }
    SelectionMoved(old);
}

void TCustomGrid::SetCol(int Value)
{
    if (Value == Col() || Value < 0 || Value >= ColCount()) return;
    FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(int Value)
{
    if (Value == Row() || Value < 0 || Value >= RowCount()) return;
    FocusCell(Col(), Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    if (!SelectCell(ACol, ARow)) return;
    // SelectCell may have changed the grid (counts, options): check again.
    if (ACol >= ColCount() || ARow >= RowCount()) return;
    // Leaving the editor's cell commits its text first; a handler that refuses the text by an
    // exception keeps the editor open and the current cell where it was.
    if (d->FInplaceCol >= 0 && (d->FInplaceCol != ACol || d->FInplaceRow != ARow)) {
        UpdateText();
        if (!(d->FLayout.Options & goAlwaysShowEditor)) HideEditor();
    }
    const TGridRect oldSel = Selection();
    const TGridCoord oldCur = d->FCurrent;
    d->FCurrent = {ACol, ARow};
    if (MoveAnchor || !(d->FLayout.Options & goRangeSelect)) {
        d->FAnchor = d->FCurrent;
        if (d->FLayout.Options & goRowSelect) d->FAnchor.X = ColCount() - 1;
    }
    if (d->FLayout.Options & goRowSelect) d->FCurrent.X = d->FLayout.FixedCols;
    if (Show) ClampInView(d->FCurrent.X, d->FCurrent.Y);
    SelectionMoved(oldSel);
    InvalidateCell(oldCur.X, oldCur.Y);
    InvalidateCell(d->FCurrent.X, d->FCurrent.Y);
}

void TCustomGrid::MoveAnchorTo(int ACol, int ARow)
{
    if ((d->FLayout.Options & (goRangeSelect | goEditing)) == goRangeSelect) {
        const TGridRect oldSel = Selection();
        d->FAnchor = {ACol, ARow};
        if (d->FLayout.Options & goRowSelect) d->FAnchor.X = ColCount() - 1;
        ClampInView(ACol, ARow);
        SelectionMoved(oldSel);
    } else {
        MoveCurrent(ACol, ARow, true, true);
    }
}

void TCustomGrid::SelectionMoved(const TGridRect &OldSel)
{
    const TGridRect sel = Selection();
    if (!(sel == OldSel)) {
        InvalidateGridRect(OldSel);
        InvalidateGridRect(sel);
    }
    setAccessibleDescription(QStringLiteral("Cell %1, %2").arg(d->FCurrent.X).arg(d->FCurrent.Y));
}

void TCustomGrid::InvalidateGridRect(const TGridRect &R)
{
    InvalidateRect(BoxRect(R.Left, R.Top, R.Right, R.Bottom));
}

bool TCustomGrid::SelectCell(int, int)
{
    return true;
}

// ==== structure =====================================================================================

void TCustomGrid::StructureMoved(bool Horz, int FromIndex, int ToIndex)
{
    if (Horz) {
        MoveAdjust(d->FCurrent.X, FromIndex, ToIndex);
        MoveAdjust(d->FAnchor.X, FromIndex, ToIndex);
        if (d->FLayout.Options & goRowSelect) {
            d->FCurrent.X = d->FLayout.FixedCols;
            d->FAnchor.X = ColCount() - 1;
        }
    } else {
        MoveAdjust(d->FCurrent.Y, FromIndex, ToIndex);
        MoveAdjust(d->FAnchor.Y, FromIndex, ToIndex);
    }
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount() ||
        FromIndex == ToIndex)
        return;
    HideEditor();
    d->FLayout.Cols.Move(FromIndex, ToIndex);
    StructureMoved(true, FromIndex, ToIndex);
    ColWidthsChanged();
    ColumnMoved(FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount() ||
        FromIndex == ToIndex)
        return;
    HideEditor();
    d->FLayout.Rows.Move(FromIndex, ToIndex);
    StructureMoved(false, FromIndex, ToIndex);
    RowHeightsChanged();
    RowMoved(FromIndex, ToIndex);
}

void TCustomGrid::DeleteColumn(int ACol)
{
    if (ACol < 0 || ACol >= ColCount() || ColCount() <= 1) return;
    // Moving the column to the end first keeps the current cell and anchor on their columns.
    MoveColumn(ACol, ColCount() - 1);
    SetColCount(ColCount() - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount() || RowCount() <= 1) return;
    MoveRow(ARow, RowCount() - 1);
    SetRowCount(RowCount() - 1);
}

// ==== TCustomDrawGrid ===============================================================================

TCustomDrawGrid::TCustomDrawGrid(QWidget *Parent) : TCustomGrid(Parent) {}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State)
{
    if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, Rect, State);
    Q_EMIT onDrawCell(this, ACol, ARow, Rect, State);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, can);
    Q_EMIT onSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (FOnTopLeftChanged) FOnTopLeftChanged(this);
    Q_EMIT onTopLeftChanged(this);
}

QString TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    QString value;
    if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, value);
    Q_EMIT onGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
    if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
    Q_EMIT onSetEditText(this, ACol, ARow, Value);
}

QString TCustomDrawGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (FOnGetEditMask) FOnGetEditMask(this, ACol, ARow, value);
    Q_EMIT onGetEditMask(this, ACol, ARow, value);
    return value;
}

void TCustomDrawGrid::GetPickListItems(int ACol, int ARow, QStringList &Items)
{
    if (FOnGetPickListItems) FOnGetPickListItems(this, ACol, ARow, Items);
    Q_EMIT onGetPickListItems(this, ACol, ARow, Items);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (FOnColumnMoved) FOnColumnMoved(this, FromIndex, ToIndex);
    Q_EMIT onColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (FOnRowMoved) FOnRowMoved(this, FromIndex, ToIndex);
    Q_EMIT onRowMoved(this, FromIndex, ToIndex);
}

TDrawGrid::TDrawGrid(QWidget *Parent) : TCustomDrawGrid(Parent) {}

KRO_CORE_SIGNAL_LISTENERS(TCustomGrid, QAbstractScrollArea)

} // namespace kro
