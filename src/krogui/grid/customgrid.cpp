#include <krogui/graphics/colors.h>
#include <krogui/core/ctimer.h>
#include <krogui/grid/customgrid.h>
#include <krogui/grid/inplaceedit.h>
#include <krogui/core/keys.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace kro {

namespace {

// The character a key event types, as the framework's character message has it: Enter, Esc,
// Tab and Backspace give their control characters even when Qt reports no text.
int Clamp(int V, int Lo, int Hi)
{
    return V < Lo ? Lo : (V > Hi ? Hi : V);
}

TRect Unite(const TRect &A, const TRect &B)
{
    if (A.IsEmpty()) return B;
    if (B.IsEmpty()) return A;
    return Rect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                std::max(A.Bottom, B.Bottom));
}

bool Intersects(const TRect &A, const TRect &B)
{
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

void MoveAdjust(int &Cell, int From, int To)
{
    if (Cell == From)
        Cell = To;
    else if (From < To && Cell > From && Cell <= To)
        --Cell;
    else if (From > To && Cell >= To && Cell < From)
        ++Cell;
}

// Runs a function when the scope ends, also when an exception passes.
template <class F> struct ScopeExit
{
    F Fn;
    ~ScopeExit() { Fn(); }
};
template <class F> ScopeExit(F) -> ScopeExit<F>;

} // namespace

// ==== construction ==================================================================================

TCustomGrid::TCustomGrid(QWidget *Parent) : QAbstractScrollArea(Parent), TComponentBase(this)
{
    FSettingParentFont = true;
    FFont.SetName(DefaultFontName());
    FFont.SetSize(8);
    FSettingParentFont = false;
    FFont.SetOnChange([this] {
        if (!FSettingParentFont) FParentFont = false;
        SafeInvoke([this] { FontChanged(); });
    });
    FScrollTimer = new TControlTimer(this, [this] { ScrollTimerTick(); });

    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, true);
    viewport()->setAutoFillBackground(false);
    viewport()->setFocusProxy(this);
    setAccessibleName(QStringLiteral("Grid"));
    ApplyFrame();

    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()}) {
        const bool horz = bar == horizontalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, [this, horz](int V) {
            if (!FUpdatingScrollBars) SafeInvoke([&] { ScrollBarMoved(horz, V); });
        });
    }
    SetDesignSize(320, 120);
    UpdateScrollBars();
}

TCustomGrid::~TCustomGrid()
{
    // The editor is a child widget; it must not call back into a half-destroyed grid.
    if (FInplaceEdit) FInplaceEdit->FGrid = nullptr;
    delete FInplaceEdit;
    FInplaceEdit = nullptr;
}

void TCustomGrid::SetDesignSize(int W, int H)
{
    FDesignSize = QSize(std::max(1, W), std::max(1, H));
    resize(FDesignSize);
    updateGeometry();
}

// ==== shape =========================================================================================

void TCustomGrid::SetColCount(int Value)
{
    Value = std::max(1, Value);
    if (Value == ColCount()) return;
    if (Value <= FFixedCols) SetFixedCols(Value - 1);
    ChangeSize(Value, RowCount());
}

void TCustomGrid::SetRowCount(int Value)
{
    Value = std::max(1, Value);
    if (Value == RowCount()) return;
    if (Value <= FFixedRows) SetFixedRows(Value - 1);
    ChangeSize(ColCount(), Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    const int oldCols = ColCount(), oldRows = RowCount();
    // A cell that disappears takes the editor with it; its text is committed first.
    if (FInplaceCol >= NewColCount || FInplaceRow >= NewRowCount) HideEditor();
    FCols.SetCount(NewColCount);
    FRows.SetCount(NewRowCount);
    const TGridCoord oldTopLeft = FTopLeft;
    ClampPositions();
    UpdateScrollBars();
    InvalidateGrid();
    SizeChanged(oldCols, oldRows);
    if (!(FTopLeft == oldTopLeft)) TopLeftChanged();
    UpdateEdit();
}

void TCustomGrid::ClampPositions()
{
    const int cols = ColCount(), rows = RowCount();
    auto clampCell = [&](TGridCoord &C) {
        C.X = Clamp(C.X, 0, cols - 1);
        C.Y = Clamp(C.Y, 0, rows - 1);
    };
    clampCell(FCurrent);
    clampCell(FAnchor);
    if (FOptions & goRowSelect) {
        FCurrent.X = FFixedCols;
        FAnchor.X = cols - 1;
    }
    FTopLeft.X = Clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxTopLeft(true)));
    FTopLeft.Y = Clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxTopLeft(false)));
}

void TCustomGrid::SetFixedCols(int Value)
{
    Value = Clamp(Value, 0, ColCount() - 1);
    if (Value == FFixedCols) return;
    FFixedCols = Value;
    Initialize();
}

void TCustomGrid::SetFixedRows(int Value)
{
    Value = Clamp(Value, 0, RowCount() - 1);
    if (Value == FFixedRows) return;
    FFixedRows = Value;
    Initialize();
}

void TCustomGrid::Initialize()
{
    HideEditor();
    const TGridCoord oldTopLeft = FTopLeft;
    FTopLeft = {FFixedCols, FFixedRows};
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions & goRowSelect) FAnchor.X = ColCount() - 1;
    UpdateScrollBars();
    InvalidateGrid();
    if (!(FTopLeft == oldTopLeft)) TopLeftChanged();
    UpdateEdit();
}

void TCustomGrid::SetColWidths(int ACol, int Value)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    Value = std::max(0, Value);
    if (FCols.Size(ACol) == Value) return;
    FCols.SetSize(ACol, Value);
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int ARow, int Value)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    Value = std::max(0, Value);
    if (FRows.Size(ARow) == Value) return;
    FRows.SetSize(ARow, Value);
    RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FCols.Default() && FCols.StoredCount() == 0) return;
    FCols.SetDefault(Value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    Value = std::max(0, Value);
    if (Value == FRows.Default() && FRows.StoredCount() == 0) return;
    FRows.SetDefault(Value);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
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

void TCustomGrid::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    if (FInplaceEdit) {
        QPalette pal = FInplaceEdit->palette();
        pal.setColor(QPalette::Base, ToQColor(FColor));
        FInplaceEdit->setPalette(pal);
    }
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (FFixedColor == Value) return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetParentFont(bool Value)
{
    FParentFont = Value;
    if (Value) ApplyParentFont();
}

void TCustomGrid::ApplyParentFont()
{
    if (!FParentFont || !parentWidget()) return;
    FSettingParentFont = true;
    const TColor c = FFont.Color();
    FFont.AssignQFont(parentWidget()->font());
    FFont.SetColor(c);
    FSettingParentFont = false;
}

void TCustomGrid::FontChanged()
{
    FSurface.Canvas()->Font()->Assign(FFont);
    if (FInplaceEdit) {
        FInplaceEdit->setFont(FFont.ToQFont());
        QPalette pal = FInplaceEdit->palette();
        pal.setColor(QPalette::Text, ToQColor(FFont.Color()));
        FInplaceEdit->setPalette(pal);
    }
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value & goRowSelect) Value &= ~TGridOptions(goAlwaysShowEditor);
    if (Value == FOptions) return;
    const TGridOptions old = FOptions;
    FOptions = Value;
    const TGridOptions lineOpts = goFixedVertLine | goVertLine | goFixedHorzLine | goHorzLine;
    if ((old & lineOpts) != (Value & lineOpts)) {
        UpdateScrollBars();
        ClampTopLeft();
    }
    if ((Value & goRowSelect) && !(old & goRowSelect)) {
        FCurrent.X = FFixedCols;
        FAnchor = FCurrent;
        FAnchor.X = ColCount() - 1;
    } else if (!(Value & goRowSelect) && (old & goRowSelect)) {
        FAnchor = FCurrent;
    }
    verticalScrollBar()->setTracking(Value & goThumbTracking);
    horizontalScrollBar()->setTracking(Value & goThumbTracking);
    if ((Value & goAlwaysShowEditor) && (Value & goEditing))
        ShowEditor();
    else if (FEditorMode && (Value & (goEditing | goRowSelect)) != goEditing)
        HideEditor();
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    UpdateScrollBars();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    ApplyFrame();
}

void TCustomGrid::SetCtl3D(bool Value)
{
    if (Value == FCtl3D) return;
    FCtl3D = Value;
    ApplyFrame();
    InvalidateGrid();
}

void TCustomGrid::ApplyFrame()
{
    // The classic borders: a two-pixel sunken edge with Ctl3D, a one-pixel line without.
    if (FBorderStyle == bsNone) {
        setFrameStyle(QFrame::NoFrame);
    } else if (FCtl3D) {
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    } else {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetHint(const QString &Value)
{
    FHint = Value;
    setToolTip(FShowHint ? FHint : QString());
    setAccessibleDescription(FHint);
}

void TCustomGrid::SetShowHint(bool Value)
{
    FShowHint = Value;
    setToolTip(FShowHint ? FHint : QString());
}

void TCustomGrid::SetCursor(Qt::CursorShape Value)
{
    FCursor = Value;
    viewport()->setCursor(Value);
}

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, std::max(0, AWidth), std::max(0, AHeight));
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
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceEdit->isVisible())
        FInplaceEdit->SetFocus();
    else
        setFocus(Qt::OtherFocusReason);
}

void TCustomGrid::SetVisible(bool Value)
{
    FVisible = Value;
    if (parentWidget() || !Value) setVisible(Value);
}

// ==== geometry ======================================================================================

int TCustomGrid::EffectiveLineWidth(bool Horz) const
{
    const TGridOptions opts = Horz ? (goFixedVertLine | goVertLine) : (goFixedHorzLine | goHorzLine);
    return (FOptions & opts) ? FGridLineWidth : 0;
}

TCustomGrid::TAxisInfo TCustomGrid::AxisInfo(bool Horz) const
{
    const TGridExtents &ax = Axis(Horz);
    TAxisInfo a;
    a.Horz = Horz;
    a.LineWidth = EffectiveLineWidth(Horz);
    a.FixedCount = Horz ? FFixedCols : FFixedRows;
    a.Count = ax.Count();
    a.First = Horz ? FTopLeft.X : FTopLeft.Y;
    a.Extent = Horz ? viewport()->width() : viewport()->height();
    a.FixedBoundary = ax.Offset(a.FixedCount, a.LineWidth);
    const qint64 firstOfs = ax.Offset(a.First, a.LineWidth);
    // A cell is fully visible when it ends inside the client area (its line may stick out).
    const qint64 room = qint64(a.Extent) + a.LineWidth - a.FixedBoundary;
    const int j = room < 0 ? a.First : ax.IndexAtOffset(room + firstOfs, a.LineWidth);
    a.LastFullVisible = std::max(a.First, j - 1);
    a.FullVisBoundary = j - 1 >= a.First ? int(a.FixedBoundary + ax.Offset(j, a.LineWidth) - firstOfs)
                                         : int(std::min<qint64>(a.FixedBoundary, a.Extent));
    if (j >= a.Count)
        a.GridBoundary =
            int(std::min<qint64>(a.Extent, a.FixedBoundary + ax.Offset(a.Count, a.LineWidth) - firstOfs));
    else
        a.GridBoundary = a.Extent;
    return a;
}

bool TCustomGrid::CellStart(const TAxisInfo &A, int I, qint64 &Start) const
{
    if (I < 0 || I >= A.Count) return false;
    const TGridExtents &ax = Axis(A.Horz);
    if (I < A.FixedCount)
        Start = ax.Offset(I, A.LineWidth);
    else if (I < A.First)
        return false;
    else
        Start = A.FixedBoundary + ax.Offset(I, A.LineWidth) - ax.Offset(A.First, A.LineWidth);
    return Start < A.Extent;
}

int TCustomGrid::CoordFromPos(const TAxisInfo &A, int Pos) const
{
    if (Pos < 0 || Pos >= A.Extent) return -1;
    const TGridExtents &ax = Axis(A.Horz);
    if (Pos < A.FixedBoundary) {
        const int j = ax.IndexAtOffset(Pos, A.LineWidth);
        return j < A.FixedCount ? j : -1;
    }
    const qint64 t = Pos - A.FixedBoundary + ax.Offset(A.First, A.LineWidth);
    const int j = ax.IndexAtOffset(t, A.LineWidth);
    return j < A.Count ? j : -1;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    return {CoordFromPos(AxisInfo(true), X), CoordFromPos(AxisInfo(false), Y)};
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    const TAxisInfo h = AxisInfo(true), v = AxisInfo(false);
    qint64 x, y;
    if (!CellStart(h, ACol, x) || !CellStart(v, ARow, y)) return TRect{};
    return Rect(int(x), int(y), int(std::min<qint64>(x + FCols.Size(ACol), h.Extent)),
                int(std::min<qint64>(y + FRows.Size(ARow), v.Extent)));
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const
{
    // The visible part of a block of cells, their lines included, on one axis.
    auto span = [this](const TAxisInfo &A, int Lo, int Hi, int &From, int &To) {
        if (Lo > Hi) std::swap(Lo, Hi);
        Lo = std::max(Lo, 0);
        Hi = std::min(Hi, A.Count - 1);
        const int f = Lo < A.FixedCount ? Lo : std::max(Lo, A.First);
        if (f > Hi) return false;
        qint64 s;
        if (!CellStart(A, f, s)) return false;
        const TGridExtents &ax = Axis(A.Horz);
        qint64 e = Hi < A.FixedCount
                       ? ax.Offset(Hi + 1, A.LineWidth)
                       : A.FixedBoundary + ax.Offset(Hi + 1, A.LineWidth) - ax.Offset(A.First, A.LineWidth);
        if (f < A.FixedCount && Hi >= A.FixedCount) e = std::max(e, A.FixedBoundary);
        From = int(s);
        To = int(std::min<qint64>(e, A.Extent));
        return To > From;
    };
    int l, r, t, b;
    if (!span(AxisInfo(true), ALeft, ARight, l, r) || !span(AxisInfo(false), ATop, ABottom, t, b))
        return TRect{};
    return Rect(l, t, r, b);
}

int TCustomGrid::VisibleColCount() const
{
    const TAxisInfo a = AxisInfo(true);
    return a.LastFullVisible - a.First + 1;
}

int TCustomGrid::VisibleRowCount() const
{
    const TAxisInfo a = AxisInfo(false);
    return a.LastFullVisible - a.First + 1;
}

int TCustomGrid::GridWidth() const
{
    return AxisInfo(true).GridBoundary;
}
int TCustomGrid::GridHeight() const
{
    return AxisInfo(false).GridBoundary;
}

int TCustomGrid::MaxTopLeft(bool Horz) const
{
    // The smallest first cell that still shows the last cell completely.
    const TAxisInfo a = AxisInfo(Horz);
    const TGridExtents &ax = Axis(Horz);
    const qint64 room = qint64(a.Extent) + a.LineWidth - a.FixedBoundary;
    const int t = ax.FirstIndexFrom(ax.Offset(a.Count, a.LineWidth) - room, a.LineWidth);
    return Clamp(t, a.FixedCount, a.Count - 1);
}

int TCustomGrid::TopLeftFor(bool Horz, int Cell) const
{
    // The smallest first cell that shows Cell completely (Cell itself when it is too large).
    const TAxisInfo a = AxisInfo(Horz);
    const TGridExtents &ax = Axis(Horz);
    const qint64 room = qint64(a.Extent) + a.LineWidth - a.FixedBoundary;
    const int t = ax.FirstIndexFrom(ax.Offset(Cell + 1, a.LineWidth) - room, a.LineWidth);
    return Clamp(t, a.FixedCount, Cell);
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
    ALeft = Clamp(ALeft, FFixedCols, std::max(FFixedCols, MaxTopLeft(true)));
    ATop = Clamp(ATop, FFixedRows, std::max(FFixedRows, MaxTopLeft(false)));
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    SetTopLeftInternal(ALeft, ATop);
}

void TCustomGrid::SetTopLeftInternal(int ALeft, int ATop)
{
    FTopLeft = {ALeft, ATop};
    UpdateScrollBars();
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomGrid::ClampTopLeft()
{
    const int l = Clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxTopLeft(true)));
    const int t = Clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxTopLeft(false)));
    if (l != FTopLeft.X || t != FTopLeft.Y) SetTopLeftInternal(l, t);
}

void TCustomGrid::TopLeftChanged()
{
    PlaceEditor();
}

void TCustomGrid::UpdateScrollBars()
{
    if (FUpdatingScrollBars) return;
    FUpdatingScrollBars = true;
    ScopeExit done{[this] { FUpdatingScrollBars = false; }};
    const bool vert = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool horz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    // Setting a policy lays the children out again, so only a change is passed on.
    const Qt::ScrollBarPolicy vp = vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    const Qt::ScrollBarPolicy hp = horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != vp) setVerticalScrollBarPolicy(vp);
    if (horizontalScrollBarPolicy() != hp) setHorizontalScrollBarPolicy(hp);
    // The bars count cells: their value is TopRow / LeftCol.
    QScrollBar *vb = verticalScrollBar();
    vb->setRange(FFixedRows, std::max(FFixedRows, MaxTopLeft(false)));
    vb->setPageStep(std::max(1, VisibleRowCount()));
    vb->setSingleStep(1);
    vb->setValue(FTopLeft.Y);
    QScrollBar *hb = horizontalScrollBar();
    hb->setRange(FFixedCols, std::max(FFixedCols, MaxTopLeft(true)));
    hb->setPageStep(std::max(1, VisibleColCount()));
    hb->setSingleStep(1);
    hb->setValue(FTopLeft.X);
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
    const TAxisInfo h = AxisInfo(true), v = AxisInfo(false);
    int l = FTopLeft.X, t = FTopLeft.Y;
    if (ACol >= FFixedCols && ACol < ColCount()) {
        if (ACol < l)
            l = ACol;
        else if (ACol > h.LastFullVisible)
            l = TopLeftFor(true, ACol);
    }
    if (ARow >= FFixedRows && ARow < RowCount()) {
        if (ARow < t)
            t = ARow;
        else if (ARow > v.LastFullVisible)
            t = TopLeftFor(false, ARow);
    }
    MoveTopLeft(l, t);
}

// ==== current cell and selection ====================================================================

TGridRect TCustomGrid::Selection() const
{
    return {std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y), std::max(FCurrent.X, FAnchor.X),
            std::max(FCurrent.Y, FAnchor.Y)};
}

void TCustomGrid::SetSelection(const TGridRect &Value)
{
    const TGridRect old = Selection();
    const int cols = ColCount(), rows = RowCount();
    FAnchor = {Clamp(Value.Left, 0, cols), Clamp(Value.Top, 0, rows)};
    FCurrent = {Clamp(Value.Right, 0, cols), Clamp(Value.Bottom, 0, rows)};
    if (FInplaceCol >= 0 && (FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y)) {
        if (FOptions & goAlwaysShowEditor)
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
    if (FInplaceCol >= 0 && (FInplaceCol != ACol || FInplaceRow != ARow)) {
        UpdateText();
        if (!(FOptions & goAlwaysShowEditor)) HideEditor();
    }
    const TGridRect oldSel = Selection();
    const TGridCoord oldCur = FCurrent;
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !(FOptions & goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions & goRowSelect) FAnchor.X = ColCount() - 1;
    }
    if (FOptions & goRowSelect) FCurrent.X = FFixedCols;
    if (Show) ClampInView(FCurrent.X, FCurrent.Y);
    SelectionMoved(oldSel);
    InvalidateCell(oldCur.X, oldCur.Y);
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::MoveAnchorTo(int ACol, int ARow)
{
    if ((FOptions & (goRangeSelect | goEditing)) == goRangeSelect) {
        const TGridRect oldSel = Selection();
        FAnchor = {ACol, ARow};
        if (FOptions & goRowSelect) FAnchor.X = ColCount() - 1;
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
    setAccessibleDescription(QStringLiteral("Cell %1, %2").arg(FCurrent.X).arg(FCurrent.Y));
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
        MoveAdjust(FCurrent.X, FromIndex, ToIndex);
        MoveAdjust(FAnchor.X, FromIndex, ToIndex);
        if (FOptions & goRowSelect) {
            FCurrent.X = FFixedCols;
            FAnchor.X = ColCount() - 1;
        }
    } else {
        MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
        MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
    }
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount() ||
        FromIndex == ToIndex)
        return;
    HideEditor();
    FCols.Move(FromIndex, ToIndex);
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
    FRows.Move(FromIndex, ToIndex);
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

// ==== in-place editing ==============================================================================

QString TCustomGrid::GetEditText(int, int)
{
    return QString();
}
void TCustomGrid::SetEditText(int, int, const QString &) {}
QString TCustomGrid::GetEditMask(int, int)
{
    return QString();
}
int TCustomGrid::GetEditLimit()
{
    return 0;
}
TEditStyle TCustomGrid::GetEditStyle(int, int)
{
    return esSimple;
}
void TCustomGrid::GetPickListItems(int, int, QStringList &) {}
void TCustomGrid::EditButtonClick() {}
TInplaceEdit *TCustomGrid::CreateEditor()
{
    return new TInplaceEditList(this);
}
bool TCustomGrid::CanEditModify()
{
    return true;
}
bool TCustomGrid::CanEditAcceptKey(QChar)
{
    return true;
}
bool TCustomGrid::WantTabs() const
{
    return FOptions & goTabs;
}

bool TCustomGrid::CanEditShow()
{
    return (FOptions & (goRowSelect | goEditing)) == goEditing && FEditorMode && !IsDesigning() &&
           FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows && FCurrent.X < ColCount() &&
           FCurrent.Y < RowCount();
}

void TCustomGrid::EnsureEditor()
{
    if (FInplaceEdit) return;
    TInplaceEdit *ed = CreateEditor();
    if (!ed) return;
    if (ed->parentWidget() != viewport()) ed->setParent(viewport());
    ed->FGrid = this;
    ed->hide();
    FInplaceEdit = ed;
    FontChanged();
    QPalette pal = ed->palette();
    pal.setColor(QPalette::Base, ToQColor(FColor));
    ed->setPalette(pal);
}

bool TCustomGrid::EditorHasFocus() const
{
    const QWidget *fw = QApplication::focusWidget();
    return FInplaceEdit && fw && (fw == FInplaceEdit || FInplaceEdit->isAncestorOf(fw));
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    // The text is committed before the state changes: a refusing handler keeps the editor open.
    UpdateText();
    FEditorMode = false;
    HideEdit(false);
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (!Value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FInplaceEdit && FInplaceCol >= 0) FInplaceEdit->Deselect();
}

void TCustomGrid::CancelEditor()
{
    if (!FInplaceEdit || FInplaceCol < 0) return;
    FInplaceEdit->setText(FEditOriginal);
    if (FOptions & goAlwaysShowEditor) {
        FInplaceEdit->selectAll();
        return;
    }
    FEditorMode = false;
    HideEdit(false);
}

void TCustomGrid::UpdateText()
{
    if (!FInplaceEdit || FInplaceCol < 0 || FInEditorUpdate) return;
    const QString text = FInplaceEdit->text();
    if (text == FEditOriginal) return;
    FInEditorUpdate = true;
    ScopeExit done{[this] { FInEditorUpdate = false; }};
    const int c = FInplaceCol, r = FInplaceRow;
    SetEditText(c, r, text);
    FEditOriginal = text;
    InvalidateCell(c, r);
}

void TCustomGrid::HideEdit(bool Commit)
{
    if (!FInplaceEdit || FInplaceCol < 0) return;
    if (Commit) UpdateText();
    const int c = FInplaceCol, r = FInplaceRow;
    const bool hadFocus = EditorHasFocus();
    FInplaceCol = FInplaceRow = -1;
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    if (auto *list = qobject_cast<TInplaceEditList *>(FInplaceEdit))
        if (list->ListVisible()) list->CloseUp(false);
    FInplaceEdit->hide();
    InvalidateCell(c, r);
}

void TCustomGrid::UpdateEdit()
{
    if (FInEditorUpdate) return;
    if ((FOptions & goAlwaysShowEditor) && (FOptions & goEditing)) FEditorMode = true;
    if (!CanEditShow()) {
        if (FInplaceCol >= 0) HideEdit(true);
        FEditorMode = false;
        return;
    }
    EnsureEditor();
    if (!FInplaceEdit) {
        FEditorMode = false;
        return;
    }
    if (FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y) {
        HideEdit(true);
        FInEditorUpdate = true;
        ScopeExit done{[this] { FInEditorUpdate = false; }};
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
        FInplaceEdit->UpdateContents();
        FEditOriginal = FInplaceEdit->text();
        FInplaceEdit->selectAll();
        ClampInView(FCurrent.X, FCurrent.Y);
    }
    if (FInplaceCol < 0) // a handler closed the editor meanwhile
        return;
    FInplaceEdit->Move(CellRect(FInplaceCol, FInplaceRow));
    InvalidateCell(FInplaceCol, FInplaceRow);
}

void TCustomGrid::PlaceEditor()
{
    if (!FInplaceEdit || FInplaceCol < 0) return;
    const bool hadFocus = EditorHasFocus();
    const TRect r = CellRect(FInplaceCol, FInplaceRow);
    if (r.IsEmpty() && hadFocus) setFocus(Qt::OtherFocusReason);
    FInplaceEdit->UpdateLoc(r);
    if (!r.IsEmpty() && hadFocus) FInplaceEdit->SetFocus();
}

void TCustomGrid::ShowEditorChar(QChar Ch)
{
    if ((FOptions & goEditing) && (Ch.unicode() == 8 || Ch.unicode() >= 32)) {
        ShowEditor();
        if (FInplaceEdit && FInplaceCol >= 0 && FInplaceEdit->isVisible()) {
            FInplaceEdit->TypeChar(Ch);
            return;
        }
    }
    KeyPress(Ch);
}

void TCustomGrid::EditorLostFocus()
{
    // Focus went somewhere outside the grid: the text so far is committed, the editor stays.
    const QWidget *fw = QApplication::focusWidget();
    if (!(fw && (fw == this || isAncestorOf(fw)))) SafeInvoke([this] { UpdateText(); });
    FocusChanged();
}

// ==== painting ======================================================================================

TCanvas *TCustomGrid::Canvas()
{
    if (!FComposing) viewport()->update(); // direct drawing shows with the next update of the screen
    return FSurface.Canvas();
}

void TCustomGrid::InvalidateGrid()
{
    FStale = true;
    viewport()->update();
}

void TCustomGrid::InvalidateRect(const TRect &R)
{
    const TRect clip = Rect(0, 0, viewport()->width(), viewport()->height());
    const TRect r = Rect(std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, clip.Right),
                         std::min(R.Bottom, clip.Bottom));
    if (r.IsEmpty()) return;
    FDirty = Unite(FDirty, r);
    viewport()->update(QRect(r.Left, r.Top, r.Width(), r.Height()));
}

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRect(BoxRect(ACol, ARow, ACol, ARow));
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateRect(BoxRect(ACol, 0, ACol, RowCount() - 1));
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateRect(BoxRect(0, ARow, ColCount() - 1, ARow));
}

void TCustomGrid::Repaint()
{
    Compose(Rect(0, 0, viewport()->width(), viewport()->height()));
    viewport()->update();
}

const QImage &TCustomGrid::Surface()
{
    const int w = std::max(1, viewport()->width()), h = std::max(1, viewport()->height());
    if (FStale || FSurface.Width() != w || FSurface.Height() != h)
        Compose(Rect(0, 0, w, h));
    else if (!FDirty.IsEmpty())
        Compose(FDirty);
    return FSurface.Image();
}

void TCustomGrid::Compose(const TRect &Area)
{
    if (FComposing)
        return; // a drawing handler asked for a repaint while we paint: the result is current anyway
    FComposing = true;
    ScopeExit done{[this] { FComposing = false; }};
    const int w = std::max(1, viewport()->width()), h = std::max(1, viewport()->height());
    const TRect full = Rect(0, 0, w, h);
    TRect area = Area;
    if (FStale || FSurface.Width() != w || FSurface.Height() != h) {
        FSurface.SetSize(w, h);
        area = full;
    }
    FStale = false;
    FDirty = TRect{};
    FPaintRect = area;
    TCanvas *c = FSurface.Canvas();
    c->SetClipRect(area == full ? TRect{} : area);
    SafeInvoke([this] { Paint(); });
    c->SetClipRect(TRect{});
    // Text measured outside painting uses the control's font, whatever the cells left behind.
    c->Font()->Assign(FFont);
    c->Flush();
    FPaintRect = full;
}

void TCustomGrid::DrawLines(const TAxisInfo &H, const TAxisInfo &V, int ColFrom, int RowFrom, int XStart,
                            int YStart, int XEnd, int YEnd, bool DoHorz, bool DoVert, TColor LineColor,
                            TColor OffColor)
{
    // The region is filled first: where a line is switched off its room keeps the region's colour.
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(OffColor);
    c->FillRect(XStart, YStart, XEnd, YEnd);
    c->Brush()->SetColor(LineColor);
    if (DoVert && H.LineWidth > 0) {
        const int stop = ColFrom < H.FixedCount ? H.FixedCount : H.Count;
        qint64 x = XStart;
        for (int i = ColFrom; i < stop && x < XEnd; ++i) {
            x += FCols.Size(i);
            c->FillRect(int(std::min<qint64>(x, XEnd)), YStart, int(std::min<qint64>(x + H.LineWidth, XEnd)),
                        YEnd);
            x += H.LineWidth;
        }
    }
    if (DoHorz && V.LineWidth > 0) {
        const int stop = RowFrom < V.FixedCount ? V.FixedCount : V.Count;
        qint64 y = YStart;
        for (int i = RowFrom; i < stop && y < YEnd; ++i) {
            y += FRows.Size(i);
            c->FillRect(XStart, int(std::min<qint64>(y, YEnd)), XEnd,
                        int(std::min<qint64>(y + V.LineWidth, YEnd)));
            y += V.LineWidth;
        }
    }
}

void TCustomGrid::DrawCells(const TAxisInfo &H, const TAxisInfo &V, int ColFrom, int RowFrom, int XStart,
                            int YStart, int XEnd, int YEnd, bool Fixed, const TGridRect &Sel, bool HasFocus)
{
    TCanvas *c = Canvas();
    const bool editorShown = FInplaceEdit && FInplaceCol >= 0 && FInplaceEdit->isVisible();
    const int rowStop = RowFrom < V.FixedCount ? V.FixedCount : V.Count;
    const int colStop = ColFrom < H.FixedCount ? H.FixedCount : H.Count;
    qint64 y = YStart;
    for (int r = RowFrom; r < rowStop && y < YEnd; ++r) {
        const int rh = FRows.Size(r);
        if (y + rh + V.LineWidth <= FPaintRect.Top || y >= FPaintRect.Bottom) {
            y += rh + V.LineWidth;
            continue;
        }
        qint64 x = XStart;
        for (int col = ColFrom; col < colStop && x < XEnd; ++col) {
            const int cw = FCols.Size(col);
            const TRect where = Rect(int(x), int(y), int(x + cw), int(y + rh));
            x += cw + H.LineWidth;
            if (cw <= 0 || rh <= 0 || where.Right <= FPaintRect.Left || where.Left >= FPaintRect.Right)
                continue;
            if (editorShown && col == FInplaceCol && r == FInplaceRow) continue; // the editor covers it
            TGridDrawState state = Fixed ? TGridDrawState(gdFixed) : 0;
            const bool current = col == FCurrent.X && r == FCurrent.Y;
            if (!Fixed && Sel.Contains(col, r)) state |= gdSelected;
            if (current && HasFocus) state |= gdFocused;
            if (FDefaultDrawing) {
                c->Font()->Assign(FFont);
                c->Brush()->SetStyle(bsSolid);
                if ((state & gdSelected) &&
                    (!(state & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)))) {
                    c->Brush()->SetColor(clHighlight);
                    c->Font()->SetColor(clHighlightText);
                } else {
                    c->Brush()->SetColor(Fixed ? FFixedColor : FColor);
                }
                c->FillRect(where);
            }
            DrawCell(col, r, where, state);
            if (FDefaultDrawing && Fixed && FCtl3D && (FOptions & (goFixedVertLine | goFixedHorzLine))) {
                // A raised inner edge on the sides that have fixed lines.
                TPen *pen = c->Pen();
                pen->SetMode(pmCopy);
                pen->SetStyle(psSolid);
                pen->SetWidth(1);
                if (FOptions & goFixedVertLine) {
                    pen->SetColor(clBtnHighlight);
                    c->MoveTo(where.Left, where.Top);
                    c->LineTo(where.Left, where.Bottom);
                    pen->SetColor(clBtnShadow);
                    c->MoveTo(where.Right - 1, where.Top);
                    c->LineTo(where.Right - 1, where.Bottom);
                }
                if (FOptions & goFixedHorzLine) {
                    pen->SetColor(clBtnHighlight);
                    c->MoveTo(where.Left, where.Top);
                    c->LineTo(where.Right - ((FOptions & goFixedVertLine) ? 1 : 0), where.Top);
                    pen->SetColor(clBtnShadow);
                    c->MoveTo(where.Left, where.Bottom - 1);
                    c->LineTo(where.Right, where.Bottom - 1);
                }
            }
            if (FDefaultDrawing && (state & gdFocused) && !IsDesigning() &&
                (FOptions & (goEditing | goAlwaysShowEditor)) != (goEditing | goAlwaysShowEditor) &&
                !(FOptions & goRowSelect))
                DrawFocusRect(where);
        }
        y += rh + V.LineWidth;
    }
}

void TCustomGrid::DrawFocusRect(const TRect &R)
{
    if (R.Width() < 2 || R.Height() < 2) return;
    TCanvas *c = Canvas();
    TPen *pen = c->Pen();
    pen->SetMode(pmNot);
    pen->SetStyle(psDot);
    pen->SetWidth(1);
    c->MoveTo(R.Left, R.Top);
    c->LineTo(R.Right - 1, R.Top);
    c->LineTo(R.Right - 1, R.Bottom - 1);
    c->LineTo(R.Left, R.Bottom - 1);
    c->LineTo(R.Left, R.Top);
    pen->SetMode(pmCopy);
    pen->SetStyle(psSolid);
}

void TCustomGrid::Paint()
{
    TCanvas *c = Canvas();
    const TAxisInfo h = AxisInfo(true), v = AxisInfo(false);
    c->Font()->Assign(FFont);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    // 1. The area beyond the last cell.
    c->FillRect(h.GridBoundary, 0, h.Extent, v.Extent);
    c->FillRect(0, v.GridBoundary, h.GridBoundary, v.Extent);

    // 2. Lines and cells of the four regions: fixed corner, fixed rows, fixed columns, the rest.
    const int fx = int(std::min<qint64>(h.FixedBoundary, h.GridBoundary));
    const int fy = int(std::min<qint64>(v.FixedBoundary, v.GridBoundary));
    const bool fixedHorz = FOptions & goFixedHorzLine, fixedVert = FOptions & goFixedVertLine;
    TColor lineColor = clSilver;
    if (ColorToRGB(FColor) == clSilver) lineColor = clGray;
    struct Region
    {
        int Col, Row, X0, Y0, X1, Y1;
        bool Fixed, Horz, Vert;
        TColor Line, Off;
    };
    const Region regions[] = {
        {0, 0, 0, 0, fx, fy, true, fixedHorz, fixedVert, clBlack, FFixedColor},
        {h.First, 0, fx, 0, h.GridBoundary, fy, true, fixedHorz, fixedVert, clBlack, FFixedColor},
        {0, v.First, 0, fy, fx, v.GridBoundary, true, fixedHorz, fixedVert, clBlack, FFixedColor},
        {h.First, v.First, fx, fy, h.GridBoundary, v.GridBoundary, false, bool(FOptions & goHorzLine),
         bool(FOptions & goVertLine), lineColor, FColor},
    };
    const TGridRect sel = Selection();
    const bool focused = hasFocus() || EditorHasFocus();
    for (const Region &g : regions) {
        if (g.X1 <= g.X0 || g.Y1 <= g.Y0) continue;
        if (!Intersects(Rect(g.X0, g.Y0, g.X1, g.Y1), FPaintRect)) continue;
        DrawLines(h, v, g.Col, g.Row, g.X0, g.Y0, g.X1, g.Y1, g.Horz, g.Vert, g.Line, g.Off);
        DrawCells(h, v, g.Col, g.Row, g.X0, g.Y0, g.X1, g.Y1, g.Fixed, sel, focused);
    }

    // 3. The focus rectangle of a selected row.
    if (FDefaultDrawing && focused && (FOptions & goRowSelect) && !IsDesigning()) {
        const TRect r = BoxRect(FFixedCols, FCurrent.Y, ColCount() - 1, FCurrent.Y);
        if (!r.IsEmpty()) DrawFocusRect(Rect(r.Left, r.Top, r.Right - h.LineWidth, r.Bottom - v.LineWidth));
    }
}

void TCustomGrid::DrawCell(int, int, const TRect &, TGridDrawState) {}

void TCustomGrid::paintEvent(QPaintEvent *Event)
{
    const QImage &surface = Surface();
    QPainter p(viewport());
    const QRect r = Event->rect();
    p.drawImage(r.topLeft(), surface, r);
    // Drag feedback drawn over the picture: the sizing line and the drop position of a move.
    if (FGridState == gsColSizing || FGridState == gsRowSizing) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        if (FGridState == gsColSizing)
            p.fillRect(QRect(FSizingPos, 0, 1, GridHeight()), Qt::white);
        else
            p.fillRect(QRect(0, FSizingPos, GridWidth(), 1), Qt::white);
    } else if ((FGridState == gsColMoving || FGridState == gsRowMoving) && FMovePos != FMoveIndex) {
        const bool horz = FGridState == gsColMoving;
        const TRect cell = horz ? BoxRect(FMovePos, 0, FMovePos, 0) : BoxRect(0, FMovePos, 0, FMovePos);
        if (!cell.IsEmpty()) {
            const int at = horz ? (FMovePos > FMoveIndex ? cell.Right - 1 : cell.Left)
                                : (FMovePos > FMoveIndex ? cell.Bottom - 1 : cell.Top);
            p.setCompositionMode(QPainter::RasterOp_NotDestination);
            if (horz)
                p.fillRect(QRect(at - 1, 0, 3, GridHeight()), Qt::white);
            else
                p.fillRect(QRect(0, at - 1, GridWidth(), 3), Qt::white);
        }
    }
}

// ==== keyboard ======================================================================================

void TCustomGrid::KeyDown(quint16 &Key, TShiftState Shift)
{
    if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
    if (Key == 0) return;
    const int cols = ColCount(), rows = RowCount();
    const bool rowSel = FOptions & goRowSelect;
    TGridCoord cur = {Clamp(FCurrent.X, 0, cols - 1), Clamp(FCurrent.Y, 0, rows - 1)};
    TGridCoord tl = FTopLeft;
    const int pageW = std::max(1, VisibleColCount()), pageH = std::max(1, VisibleRowCount());
    if (Shift & ssCtrl) {
        switch (Key) {
        case VK_UP:
            --tl.Y;
            break;
        case VK_DOWN:
            ++tl.Y;
            break;
        case VK_LEFT:
            if (!rowSel) {
                cur.X -= pageW;
                tl.X -= pageW;
            }
            break;
        case VK_RIGHT:
            if (!rowSel) {
                cur.X += pageW;
                tl.X += pageW;
            }
            break;
        case VK_PRIOR:
            cur.Y = FTopLeft.Y;
            break;
        case VK_NEXT:
            cur.Y = AxisInfo(false).LastFullVisible;
            break;
        case VK_HOME:
            cur = {FFixedCols, FFixedRows};
            break;
        case VK_END:
            cur = {cols - 1, rows - 1};
            break;
        default:
            break;
        }
    } else {
        switch (Key) {
        case VK_UP:
            --cur.Y;
            break;
        case VK_DOWN:
            ++cur.Y;
            break;
        case VK_LEFT:
            if (rowSel)
                --tl.X;
            else
                --cur.X;
            break;
        case VK_RIGHT:
            if (rowSel)
                ++tl.X;
            else
                ++cur.X;
            break;
        case VK_NEXT:
            cur.Y += pageH;
            tl.Y += pageH;
            break;
        case VK_PRIOR:
            cur.Y -= pageH;
            tl.Y -= pageH;
            break;
        case VK_HOME:
            if (rowSel)
                cur.Y = FFixedRows;
            else
                cur.X = FFixedCols;
            break;
        case VK_END:
            if (rowSel)
                cur.Y = rows - 1;
            else
                cur.X = cols - 1;
            break;
        case VK_TAB:
            if (!(Shift & ssAlt) && WantTabs()) {
                // Tab walks the cells row by row and wraps around; Shift+Tab backwards. With
                // goRowSelect it walks the rows. The anchor follows (no range).
                const bool back = Shift & ssShift;
                if (rowSel) {
                    cur.Y += back ? -1 : 1;
                    if (cur.Y < FFixedRows)
                        cur.Y = rows - 1;
                    else if (cur.Y >= rows)
                        cur.Y = FFixedRows;
                } else if (back) {
                    if (--cur.X < FFixedCols) {
                        cur.X = cols - 1;
                        if (--cur.Y < FFixedRows) cur.Y = rows - 1;
                    }
                } else if (++cur.X >= cols) {
                    cur.X = FFixedCols;
                    if (++cur.Y >= rows) cur.Y = FFixedRows;
                }
                Shift &= ~TShiftState(ssShift);
            }
            break;
        case VK_F2:
            SetEditorMode(true);
            return;
        default:
            break;
        }
    }
    tl.X = Clamp(tl.X, FFixedCols, std::max(FFixedCols, MaxTopLeft(true)));
    tl.Y = Clamp(tl.Y, FFixedRows, std::max(FFixedRows, MaxTopLeft(false)));
    if (!(tl == FTopLeft)) MoveTopLeft(tl.X, tl.Y);
    cur.X = Clamp(cur.X, FFixedCols, cols - 1);
    cur.Y = Clamp(cur.Y, FFixedRows, rows - 1);
    if (rowSel) cur.X = FFixedCols;
    if (!(cur == FCurrent)) FocusCell(cur.X, cur.Y, !(Shift & ssShift));
}

void TCustomGrid::KeyUp(quint16 &Key, TShiftState Shift)
{
    if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TCustomGrid::KeyPress(QChar &Key)
{
    if (FOnKeyPress) FOnKeyPress(this, Key);
    if (Key.unicode() == 13) {
        if (!(FOptions & goAlwaysShowEditor)) {
            if (FEditorMode)
                HideEditor();
            else
                ShowEditor();
            Key = QChar();
        } else if (FInplaceEdit && FInplaceCol >= 0) {
            UpdateText(); // the editor stays open: Enter only commits
        }
    } else if (Key.unicode() == 27 && FInplaceCol >= 0) {
        CancelEditor();
    }
}

void TCustomGrid::DispatchKey(QKeyEvent *Event)
{
    quint16 key = VirtualKeyFromEvent(Event);
    TShiftState shift = ShiftStateFromQt(Event->modifiers());
    if (QtKeyImpliesShift(Event->key())) shift |= ssShift;
    const QChar ch = KeyCharFromEvent(Event);
    const bool editing = FInplaceCol >= 0;
    bool handled = false;
    SafeInvoke([&] {
        if (key != 0) {
            switch (key) {
            case VK_UP:
            case VK_DOWN:
            case VK_LEFT:
            case VK_RIGHT:
            case VK_PRIOR:
            case VK_NEXT:
            case VK_HOME:
            case VK_END:
            case VK_F2:
            case VK_TAB:
            case VK_RETURN:
                handled = true;
                break;
            case VK_ESCAPE:
                handled = editing;
                break;
            default:
                break;
            }
            KeyDown(key, shift);
            if (key == 0) {
                handled = true;
                return;
            }
        }
        if (!ch.isNull()) {
            if (ch.unicode() >= 32 || ch.unicode() == 8) handled = true;
            ShowEditorChar(ch);
        }
    });
    Event->setAccepted(handled);
}

void TCustomGrid::keyPressEvent(QKeyEvent *Event)
{
    DispatchKey(Event);
    if (!Event->isAccepted()) QAbstractScrollArea::keyPressEvent(Event);
}

void TCustomGrid::keyReleaseEvent(QKeyEvent *Event)
{
    quint16 key = VirtualKeyFromEvent(Event);
    const TShiftState shift = ShiftStateFromQt(Event->modifiers());
    if (key != 0) SafeInvoke([&] { KeyUp(key, shift); });
    Event->accept();
}

bool TCustomGrid::event(QEvent *Event)
{
    if (Event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(Event);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) &&
            !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && WantTabs()) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QAbstractScrollArea::event(Event);
}

// ==== mouse =========================================================================================

TGridState TCustomGrid::CalcSizingState(int X, int Y, int &Index, int &Pos, int &Ofs) const
{
    const TAxisInfo h = AxisInfo(true), v = AxisInfo(false);
    // Near the border after a cell (the line and two pixels either side) of the given axis.
    auto nearBorder = [this](const TAxisInfo &A, int P, int &Idx, int &O) {
        int best = -1, bestDist = 1 << 30, bestEnd = 0;
        auto check = [&](int I, qint64 Start) {
            const qint64 e = Start + Axis(A.Horz).Size(I);
            if (P >= e - 2 && P < e + A.LineWidth + 2) {
                const int d = int(std::abs(P - (e + A.LineWidth / 2)));
                if (d < bestDist) {
                    best = I;
                    bestDist = d;
                    bestEnd = int(e);
                }
            }
        };
        qint64 s = 0;
        for (int i = 0; i < A.FixedCount && s < A.Extent; ++i) {
            check(i, s);
            s += Axis(A.Horz).Size(i) + A.LineWidth;
        }
        s = A.FixedBoundary;
        for (int i = A.First; i < A.Count && s < A.Extent; ++i) {
            check(i, s);
            s += Axis(A.Horz).Size(i) + A.LineWidth;
        }
        if (best < 0) return false;
        Idx = best;
        O = bestEnd - P;
        return true;
    };
    if ((FOptions & goRowSizing) && X >= 0 && X < std::min<qint64>(h.FixedBoundary, h.GridBoundary) &&
        Y < v.GridBoundary + 2 && nearBorder(v, Y, Index, Ofs)) {
        Pos = Y;
        return gsRowSizing;
    }
    if ((FOptions & goColSizing) && Y >= 0 && Y < std::min<qint64>(v.FixedBoundary, v.GridBoundary) &&
        X < h.GridBoundary + 2 && nearBorder(h, X, Index, Ofs)) {
        Pos = X;
        return gsColSizing;
    }
    return gsNormal;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!IsDesigning() && focusPolicy() != Qt::NoFocus && !hasFocus() && !EditorHasFocus())
        setFocus(Qt::MouseFocusReason);
    if (Button == mbLeft && (Shift & ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        int idx = 0, pos = 0, ofs = 0;
        const TGridState st = CalcSizingState(X, Y, idx, pos, ofs);
        if (st != gsNormal) {
            FGridState = st;
            FSizingIndex = idx;
            FSizingPos = pos;
            FSizingOfs = ofs;
            viewport()->update();
        } else {
            const TGridCoord hit = MouseCoord(X, Y);
            if (hit.X >= FFixedCols && hit.Y >= FFixedRows) {
                if (FOptions & goEditing) {
                    if (hit.X == FCurrent.X && hit.Y == FCurrent.Y)
                        ShowEditor();
                    else {
                        MoveCurrent(hit.X, hit.Y, true, true);
                        UpdateEdit();
                    }
                    Click();
                } else {
                    FGridState = gsSelecting;
                    FScrollTimer->Start(60);
                    if (Shift & ssShift)
                        MoveAnchorTo(hit.X, hit.Y);
                    else
                        MoveCurrent(hit.X, hit.Y, true, true);
                }
            } else if ((FOptions & goRowMoving) && hit.X >= 0 && hit.X < FFixedCols && hit.Y >= FFixedRows) {
                FMoveIndex = FMovePos = hit.Y;
                FGridState = gsRowMoving;
                FScrollTimer->Start(60);
            } else if ((FOptions & goColMoving) && hit.Y >= 0 && hit.Y < FFixedRows && hit.X >= FFixedCols) {
                FMoveIndex = FMovePos = hit.X;
                FGridState = gsColMoving;
                FScrollTimer->Start(60);
            }
        }
    }
    if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    FLastMouse = QPoint(X, Y);
    switch (FGridState) {
    case gsSelecting: {
        const TAxisInfo h = AxisInfo(true), v = AxisInfo(false);
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows && hit.X <= h.LastFullVisible + 1 &&
            hit.Y <= v.LastFullVisible + 1 && !(hit == FAnchor))
            MoveAnchorTo(hit.X, hit.Y);
        break;
    }
    case gsColSizing:
    case gsRowSizing: {
        // The line follows the mouse but never crosses the start of the cell being sized.
        const bool horz = FGridState == gsColSizing;
        const TAxisInfo a = AxisInfo(horz);
        qint64 start = 0;
        CellStart(a, FSizingIndex, start);
        FSizingPos = std::max<int>(horz ? X : Y, int(start) + 1 - FSizingOfs);
        viewport()->update();
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        const bool horz = FGridState == gsColMoving;
        const TGridCoord hit = MouseCoord(X, Y);
        const int cell = horz ? hit.X : hit.Y;
        const int fixed = horz ? FFixedCols : FFixedRows;
        if (cell >= fixed && cell != FMovePos) {
            FMovePos = cell;
            viewport()->update();
        }
        break;
    }
    default: {
        int idx, pos, ofs;
        const TGridState st = CalcSizingState(X, Y, idx, pos, ofs);
        viewport()->setCursor(st == gsColSizing   ? Qt::SplitHCursor
                              : st == gsRowSizing ? Qt::SplitVCursor
                                                  : FCursor);
        break;
    }
    }
    if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridState state = FGridState;
    FGridState = gsNormal;
    FScrollTimer->Kill();
    switch (state) {
    case gsSelecting: {
        const TAxisInfo h = AxisInfo(true), v = AxisInfo(false);
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows && hit.X <= h.LastFullVisible + 1 &&
            hit.Y <= v.LastFullVisible + 1 && !(hit == FAnchor))
            MoveAnchorTo(hit.X, hit.Y);
        UpdateEdit();
        Click();
        break;
    }
    case gsColSizing:
    case gsRowSizing: {
        const bool horz = state == gsColSizing;
        const TAxisInfo a = AxisInfo(horz);
        qint64 start = 0;
        viewport()->update();
        if (CellStart(a, FSizingIndex, start)) {
            const int size = std::max(1, int(FSizingPos + FSizingOfs - start));
            if (horz)
                SetColWidths(FSizingIndex, size);
            else
                SetRowHeights(FSizingIndex, size);
        }
        break;
    }
    case gsColMoving:
    case gsRowMoving:
        viewport()->update();
        if (FMovePos != FMoveIndex) {
            if (state == gsColMoving)
                MoveColumn(FMoveIndex, FMovePos);
            else
                MoveRow(FMoveIndex, FMovePos);
        }
        break;
    default:
        UpdateEdit();
        break;
    }
    if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TCustomGrid::ScrollTimerTick()
{
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) {
        FScrollTimer->Kill();
        return;
    }
    // While the mouse is held outside the scrollable cells the view scrolls one cell per tick
    // towards it and the selection (or the drop position) follows.
    const TAxisInfo h = AxisInfo(true), v = AxisInfo(false);
    const QPoint p = FLastMouse;
    int dx = 0, dy = 0;
    if (FGridState != gsRowMoving) {
        if (p.x() < h.FixedBoundary)
            dx = -1;
        else if (p.x() >= h.FullVisBoundary && h.LastFullVisible < ColCount() - 1)
            dx = 1;
    }
    if (FGridState != gsColMoving) {
        if (p.y() < v.FixedBoundary)
            dy = -1;
        else if (p.y() >= v.FullVisBoundary && v.LastFullVisible < RowCount() - 1)
            dy = 1;
    }
    if (dx == 0 && dy == 0) return;
    MoveTopLeft(LeftCol() + dx, TopRow() + dy);
    const TAxisInfo h2 = AxisInfo(true), v2 = AxisInfo(false);
    TGridCoord hit = MouseCoord(p.x(), p.y());
    if (dx < 0)
        hit.X = h2.First;
    else if (dx > 0)
        hit.X = h2.LastFullVisible;
    if (dy < 0)
        hit.Y = v2.First;
    else if (dy > 0)
        hit.Y = v2.LastFullVisible;
    if (FGridState == gsSelecting) {
        if (hit.X < FFixedCols) hit.X = FAnchor.X;
        if (hit.Y < FFixedRows) hit.Y = FAnchor.Y;
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows && !(hit == FAnchor)) MoveAnchorTo(hit.X, hit.Y);
    } else {
        FMovePos = FGridState == gsColMoving ? std::max(FFixedCols, hit.X) : std::max(FFixedRows, hit.Y);
        viewport()->update();
    }
}

void TCustomGrid::Click()
{
    if (FOnClick) FOnClick(this);
}

void TCustomGrid::DblClick()
{
    if (FOnDblClick) FOnDblClick(this);
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, const QPoint &MousePos)
{
    bool handled = false;
    if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled)
        handled = WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    return handled;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos)
{
    bool handled = false;
    if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled) {
        if (Row() < RowCount() - 1) SetRow(Row() + 1);
        handled = true;
    }
    return handled;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos)
{
    bool handled = false;
    if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled) {
        if (Row() > FFixedRows) SetRow(Row() - 1);
        handled = true;
    }
    return handled;
}

void TCustomGrid::mousePressEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    FLastMouse = pos;
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    SafeInvoke([&] { MouseDown(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y()); });
    Event->accept();
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    FLastMouse = pos;
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons()) | ssDouble;
    SafeInvoke([&] { MouseDown(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y()); });
    Event->accept();
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    SafeInvoke([&] { MouseUp(MouseButtonFromQt(Event->button()), shift, pos.x(), pos.y()); });
    // A descendant that handles the release itself must not leave a drag running.
    if (FGridState != gsNormal && Event->buttons() == Qt::NoButton) {
        FGridState = gsNormal;
        FScrollTimer->Kill();
        viewport()->update();
    }
    Event->accept();
}

void TCustomGrid::mouseMoveEvent(QMouseEvent *Event)
{
    const QPoint pos = Event->position().toPoint();
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    SafeInvoke([&] { MouseMove(shift, pos.x(), pos.y()); });
    Event->accept();
}

void TCustomGrid::wheelEvent(QWheelEvent *Event)
{
    FWheelAccum += Event->angleDelta().y();
    const QPoint pos = Event->position().toPoint();
    const TShiftState shift = ShiftStateFromQt(Event->modifiers(), Event->buttons());
    while (std::abs(FWheelAccum) >= 120) {
        const int step = FWheelAccum > 0 ? 120 : -120;
        FWheelAccum -= step;
        SafeInvoke([&] { DoMouseWheel(shift, step, pos); });
    }
    Event->accept();
}

void TCustomGrid::contextMenuEvent(QContextMenuEvent *Event)
{
    bool handled = false;
    const QPoint pos = Event->pos();
    SafeInvoke([&] {
        if (FOnContextPopup) FOnContextPopup(this, pos, handled);
    });
    if (!handled && FPopupMenu) FPopupMenu->popup(Event->globalPos());
    Event->accept();
}

// ==== focus, size, state changes ====================================================================

void TCustomGrid::DoEnter()
{
    if (FOnEnter) FOnEnter(this);
}

void TCustomGrid::DoExit()
{
    if (FOnExit) FOnExit(this);
}

void TCustomGrid::FocusChanged()
{
    // The grid and its editor count as one control: Enter and Exit fire when the focus comes
    // from, or goes to, somewhere else.
    const QWidget *fw = QApplication::focusWidget();
    const bool inside = fw && (fw == this || isAncestorOf(fw));
    if (inside == FFocusInside) return;
    FFocusInside = inside;
    InvalidateGridRect(Selection());
    InvalidateCell(FCurrent.X, FCurrent.Y);
    SafeInvoke([this, inside] {
        if (inside)
            DoEnter();
        else
            DoExit();
    });
}

void TCustomGrid::focusInEvent(QFocusEvent *Event)
{
    QAbstractScrollArea::focusInEvent(Event);
    FocusChanged();
    // Keys belong to an open editor.
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceEdit->isVisible() &&
        Event->reason() != Qt::OtherFocusReason)
        FInplaceEdit->SetFocus();
}

void TCustomGrid::focusOutEvent(QFocusEvent *Event)
{
    QAbstractScrollArea::focusOutEvent(Event);
    if (Event->reason() == Qt::PopupFocusReason) return;
    FocusChanged();
}

bool TCustomGrid::viewportEvent(QEvent *Event)
{
    if (Event->type() == QEvent::Resize) {
        FStale = true;
        // Scrolling back into range calls TopLeftChanged, so handlers may run here too.
        SafeInvoke([this] {
            UpdateScrollBars();
            ClampTopLeft();
            PlaceEditor();
            Resize();
            if (FOnResize) FOnResize(this);
        });
    }
    return QAbstractScrollArea::viewportEvent(Event);
}

void TCustomGrid::changeEvent(QEvent *Event)
{
    QAbstractScrollArea::changeEvent(Event);
    if (Event->type() == QEvent::ParentChange || Event->type() == QEvent::FontChange)
        ApplyParentFont();
    else if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::EnabledChange)
        InvalidateGrid();
}

// ==== TCustomDrawGrid ===============================================================================

TCustomDrawGrid::TCustomDrawGrid(QWidget *Parent) : TCustomGrid(Parent) {}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State)
{
    if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, Rect, State);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

QString TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    QString value;
    if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
    if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

QString TCustomDrawGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (FOnGetEditMask) FOnGetEditMask(this, ACol, ARow, value);
    return value;
}

void TCustomDrawGrid::GetPickListItems(int ACol, int ARow, QStringList &Items)
{
    if (FOnGetPickListItems) FOnGetPickListItems(this, ACol, ARow, Items);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (FOnColumnMoved) FOnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (FOnRowMoved) FOnRowMoved(this, FromIndex, ToIndex);
}

TDrawGrid::TDrawGrid(QWidget *Parent) : TCustomDrawGrid(Parent) {}

} // namespace kro
