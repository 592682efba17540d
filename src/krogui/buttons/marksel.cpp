#include <krogui/buttons/marksel.h>
#include <krogui/core/keys.h>
#include <krogui/core/property.h>
#include <krogui/graphics/drawing.h>

namespace kro {

struct TMarkSelPrivate
{
    int FNrCols = 8;
    int FNrRows = 6;
    TColor FColorBG = clBtnFace;
    TColor FColorFG = clBlack;
    TColor FColorSelBG = clWhite;
    TColor FColorSelFG = 0x800000;
    TColor FColorHiLite = 0x0000FF;
    TColor FColorHiSymb = 0xFFFFFF;
    TFrameStyle FFrameStyle = fsEngraved;
    int FSelected = -1;
    bool FZeroAsCross = true;
    TMarkVisibility FMarkVis;
    TMarkGrid FGrid;
    int FLastHiLite = 0;
    bool FHiLiteShown = false;
    TMarkClickEvent FOnMarkClick, FOnMarkDblClick;
    TNotifyEvent FOnPaint;

    TMarkSelPrivate() { FMarkVis.fill(true); }
};

struct TMarkSel::TColors
{
    TColor Mark, BG, SelFG, SelBG;
};

TMarkSel::TMarkSel(QWidget *Parent) : TCustomControl(Parent), d(std::make_unique<TMarkSelPrivate>())
{
    SetDesignSize(236, 178);
    UpdateAccessibleName();
}

TMarkSel::~TMarkSel() = default;

QSize TMarkSel::minimumSizeHint() const
{
    int shown = 0;
    for (bool v : d->FMarkVis)
        shown += v ? 1 : 0;
    const int rows = std::max(d->FNrRows, (shown + d->FNrCols - 1) / d->FNrCols);
    return QSize(d->FNrCols * 12 + 4, rows * 12 + 4);
}

// ---- properties -------------------------------------------------------------

int TMarkSel::NrOfColumns() const
{
    return d->FNrCols;
}
int TMarkSel::NrOfRows() const
{
    return d->FNrRows;
}
TColor TMarkSel::ColorBackGnd() const
{
    return d->FColorBG;
}
TColor TMarkSel::ColorMarks() const
{
    return d->FColorFG;
}
TColor TMarkSel::ColorSelBG() const
{
    return d->FColorSelBG;
}
TColor TMarkSel::ColorSelFG() const
{
    return d->FColorSelFG;
}
TColor TMarkSel::ColorHiLiteBG() const
{
    return d->FColorHiLite;
}
TColor TMarkSel::ColorHiLiteSymbol() const
{
    return d->FColorHiSymb;
}
TFrameStyle TMarkSel::FrameStyle() const
{
    return d->FFrameStyle;
}
int TMarkSel::Selected() const
{
    return d->FSelected;
}
bool TMarkSel::ShowZeroAsCross() const
{
    return d->FZeroAsCross;
}
int TMarkSel::HiLited() const
{
    return d->FLastHiLite;
}
bool TMarkSel::HiLiteShown() const
{
    return d->FHiLiteShown;
}

void TMarkSel::SetNrOfColumns(int Value)
{
    if (Value >= 1 && Value <= 51 && Store(d->FNrCols, Value)) Repaint();
}

void TMarkSel::SetNrOfRows(int Value)
{
    if (Value >= 1 && Value <= 51 && Store(d->FNrRows, Value)) Repaint();
}

void TMarkSel::SetColorBackGnd(TColor Value)
{
    if (Store(d->FColorBG, Value)) Repaint();
}

void TMarkSel::SetColorMarks(TColor Value)
{
    if (Store(d->FColorFG, Value)) Repaint();
}

void TMarkSel::SetColorSelBG(TColor Value)
{
    if (Store(d->FColorSelBG, Value)) Repaint();
}

void TMarkSel::SetColorSelFG(TColor Value)
{
    if (Store(d->FColorSelFG, Value)) Repaint();
}

void TMarkSel::SetColorHiLiteBG(TColor Value)
{
    if (Store(d->FColorHiLite, Value)) Repaint();
}

void TMarkSel::SetColorHiLiteSymbol(TColor Value)
{
    if (Store(d->FColorHiSymb, Value)) Repaint();
}

void TMarkSel::SetEnabled(bool Value)
{
    if (!Value) d->FHiLiteShown = false;
    TCustomControl::SetEnabled(Value);
}

void TMarkSel::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FFrameStyle, Value)) Repaint();
}

void TMarkSel::SetSelected(int Value)
{
    if (Value < -1 || Value >= NumMarkers || !Store(d->FSelected, Value)) return;
    UpdateAccessibleName();
    Repaint();
    Q_EMIT SelectedChanged(Value);
}

void TMarkSel::SetShowZeroAsCross(bool Value)
{
    if (!Store(d->FZeroAsCross, Value)) return;
    UpdateAccessibleName();
    Invalidate();
}

// ---- visibility ---------------------------------------------------------------

void TMarkSel::ShowAllMarks()
{
    d->FMarkVis.fill(true);
    Repaint();
}

void TMarkSel::HideAllMarks()
{
    d->FMarkVis.fill(false);
    d->FMarkVis[0] = true;
    Repaint();
}

bool TMarkSel::GetVis(int Index) const
{
    if (Index < 0 || Index >= NumMarkers) Index = 0;
    return d->FMarkVis[Index];
}

void TMarkSel::SetVis(int Index, bool Visible)
{
    if (Index < 1 || Index >= NumMarkers || !Store(d->FMarkVis[Index], Visible)) return;
    Repaint();
}

// ---- events -------------------------------------------------------------------

void TMarkSel::SetOnMarkClick(TMarkClickEvent Handler)
{
    d->FOnMarkClick = std::move(Handler);
}
const TMarkClickEvent &TMarkSel::OnMarkClick() const
{
    return d->FOnMarkClick;
}
void TMarkSel::SetOnMarkDblClick(TMarkClickEvent Handler)
{
    d->FOnMarkDblClick = std::move(Handler);
}
const TMarkClickEvent &TMarkSel::OnMarkDblClick() const
{
    return d->FOnMarkDblClick;
}
void TMarkSel::SetOnPaint(TNotifyEvent Handler)
{
    d->FOnPaint = std::move(Handler);
}
const TNotifyEvent &TMarkSel::OnPaint() const
{
    return d->FOnPaint;
}

// ---- layout and painting --------------------------------------------------------

void TMarkSel::UpdateGrid()
{
    d->FGrid.Compute(Width(), Height(), d->FNrCols, d->FNrRows, d->FMarkVis);
}

const TMarkGrid &TMarkSel::Grid()
{
    UpdateGrid();
    return d->FGrid;
}

int TMarkSel::MarkAt(int X, int Y)
{
    UpdateGrid();
    return d->FGrid.NearestMark(X, Y);
}

TMarkSel::TColors TMarkSel::CurrentColors() const
{
    if (isEnabled()) return {d->FColorFG, d->FColorBG, d->FColorSelFG, d->FColorSelBG};
    return {clGray, clSilver, clGray, RGB(0xDE, 0xDE, 0xDE)};
}

void TMarkSel::DrawSymbol(TCanvas *C, int Mark)
{
    const TMarkGrid &g = d->FGrid;
    if (Mark == 0 && d->FZeroAsCross) {
        C->MoveTo(4, 4);
        C->LineTo(g.DistHorz() + 1, g.DistVert() + 1);
        C->MoveTo(4, g.DistVert());
        C->LineTo(g.DistHorz() + 1, 3);
        return;
    }
    // Filled symbols take the symbol colour, so that they differ from the open ones in every cell.
    const QPoint p = g.Coord(Mark);
    TBrush *brush = C->Brush();
    const TColor back = brush->Color();
    brush->SetColor(C->Pen()->Color());
    DrawMarkOnCanvas(C, Mark, p.x() + 2, p.y() + 2);
    brush->SetColor(back);
}

void TMarkSel::Paint()
{
    UpdateGrid();
    const TColors col = CurrentColors();
    TCanvas *c = Canvas();
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetColor(col.BG);
    c->Brush()->SetColor(col.BG);
    c->Rectangle(0, 0, Width(), Height());

    const TMarkGrid &g = d->FGrid;
    const int dh = g.DistHorz() / 2, dv = g.DistVert() / 2;
    for (int n = 0; n < g.PlacedCount(); ++n) {
        const int i = g.MarkAtCell(n);
        const QPoint p = g.Coord(i);
        if (i == d->FSelected) {
            c->Pen()->SetColor(col.SelFG);
            c->Brush()->SetColor(col.SelBG);
            c->Rectangle(p.x() + 3 - dh, p.y() + 3 - dv, p.x() + 3 + dh, p.y() + 3 + dv);
        } else {
            c->Pen()->SetColor(col.Mark);
            c->Brush()->SetColor(col.BG);
        }
        DrawSymbol(c, i);
    }
    DrawFrame(c, d->FFrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray, clBlack,
              col.Mark);
    if (d->FHiLiteShown && isEnabled() && g.IsPlaced(d->FLastHiLite)) DrawHiLite(c, d->FLastHiLite);
    if (d->FOnPaint) d->FOnPaint(this);
    Q_EMIT onPaint(this);
}

// ---- highlight ----------------------------------------------------------------------

void TMarkSel::RestoreSymbol(TCanvas *C, int Mark)
{
    const TMarkGrid &g = d->FGrid;
    if (!g.IsPlaced(Mark)) return;
    const QPoint p = g.Coord(Mark);
    const int dh = g.DistHorz() / 2, dv = g.DistVert() / 2;
    const bool sel = Mark == d->FSelected;
    C->Pen()->SetColor(sel ? d->FColorSelFG : d->FColorBG);
    C->Brush()->SetColor(sel ? d->FColorSelBG : d->FColorBG);
    C->Rectangle(p.x() + 3 - dh, p.y() + 3 - dv, p.x() + 3 + dh, p.y() + 3 + dv);
    C->Pen()->SetColor(sel ? d->FColorSelFG : d->FColorFG);
    DrawSymbol(C, Mark);
}

void TMarkSel::DrawHiLite(TCanvas *C, int Mark)
{
    const TMarkGrid &g = d->FGrid;
    const QPoint p = g.Coord(Mark);
    const int dh = g.DistHorz() / 2, dv = g.DistVert() / 2;
    C->Pen()->SetColor(d->FColorHiLite);
    C->Brush()->SetColor(d->FColorHiLite);
    C->Rectangle(p.x() + 4 - dh, p.y() + 4 - dv, p.x() + 2 + dh, p.y() + 2 + dv);
    C->Pen()->SetColor(d->FColorHiSymb);
    DrawSymbol(C, Mark);
}

void TMarkSel::MoveHiLite(int Mark)
{
    if (!isEnabled() || (d->FHiLiteShown && Mark == d->FLastHiLite)) return;
    DeviceSurface(); // the picture must be current before it is drawn over
    UpdateGrid();
    TCanvas *c = Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Brush()->SetStyle(bsSolid);
    if (d->FHiLiteShown) RestoreSymbol(c, d->FLastHiLite);
    d->FLastHiLite = Mark;
    d->FHiLiteShown = d->FGrid.IsPlaced(Mark);
    if (d->FHiLiteShown) DrawHiLite(c, Mark);
    c->Flush();
    update();
}

void TMarkSel::HideHiLite()
{
    if (!d->FHiLiteShown) return;
    DeviceSurface();
    UpdateGrid();
    d->FHiLiteShown = false;
    RestoreSymbol(Canvas(), d->FLastHiLite);
    Canvas()->Flush();
    update();
}

// ---- input --------------------------------------------------------------------------

void TMarkSel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    MoveHiLite(MarkAt(X, Y));
}

void TMarkSel::PickMark(int Mark, int X, int Y, bool Double)
{
    const bool changed = d->FSelected != Mark;
    d->FSelected = Mark;
    UpdateAccessibleName();
    if (changed) Q_EMIT SelectedChanged(Mark);
    const TMarkClickEvent &ev = Double ? d->FOnMarkDblClick : d->FOnMarkClick;
    if (ev) ev(this, X, Y, Mark);
    if (Double)
        Q_EMIT onMarkDblClick(this, X, Y, Mark);
    else
        Q_EMIT onMarkClick(this, X, Y, Mark);
    d->FHiLiteShown = false;
    Repaint();
    MoveHiLite(Mark);
}

void TMarkSel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && (Shift & ssDouble) && rect().contains(X, Y)) PickMark(MarkAt(X, Y), X, Y, true);
}

void TMarkSel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    // A release dragged off the control picks nothing.
    if (Button == mbLeft && rect().contains(X, Y)) PickMark(MarkAt(X, Y), X, Y, false);
}

void TMarkSel::MouseLeave()
{
    TCustomControl::MouseLeave();
    if (!hasFocus()) HideHiLite();
}

void TMarkSel::KeyDown(quint16 &Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || (Shift & (ssCtrl | ssAlt))) return;
    UpdateGrid();
    const TMarkGrid &g = d->FGrid;
    int from = d->FLastHiLite;
    if (!d->FHiLiteShown && g.IsPlaced(d->FSelected)) from = d->FSelected;
    TMarkGrid::TStep step;
    switch (Key) {
    case VK_LEFT:
        step = TMarkGrid::stPrev;
        break;
    case VK_RIGHT:
        step = TMarkGrid::stNext;
        break;
    case VK_UP:
        step = TMarkGrid::stUp;
        break;
    case VK_DOWN:
        step = TMarkGrid::stDown;
        break;
    case VK_HOME:
        step = TMarkGrid::stFirst;
        break;
    case VK_END:
        step = TMarkGrid::stLast;
        break;
    case VK_RETURN:
    case VK_SPACE: {
        Key = 0;
        const int mark = g.IsPlaced(from) ? from : 0;
        const QPoint p = g.Coord(mark);
        PickMark(mark, p.x(), p.y(), false);
        return;
    }
    default:
        return;
    }
    Key = 0;
    MoveHiLite(d->FHiLiteShown ? g.Step(from, step) : (g.IsPlaced(from) ? from : 0));
}

void TMarkSel::DoEnter()
{
    TCustomControl::DoEnter();
    if (!d->FHiLiteShown) {
        UpdateGrid();
        MoveHiLite(d->FGrid.IsPlaced(d->FSelected) ? d->FSelected : d->FLastHiLite);
    }
}

void TMarkSel::DoExit()
{
    TCustomControl::DoExit();
    if (!underMouse()) HideHiLite();
}

void TMarkSel::UpdateAccessibleName()
{
    QString what;
    if (d->FSelected < 0)
        what = tr("none");
    else if (d->FSelected == 0 && d->FZeroAsCross)
        what = tr("0, shown as a cross");
    else
        what = QStringLiteral("%1, %2").arg(d->FSelected).arg(MarkerName(d->FSelected));
    setAccessibleName(tr("Marker symbol: %1").arg(what));
}

} // namespace kro
