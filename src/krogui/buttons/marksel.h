#pragma once
// TMarkSel: a grid of the library's marker symbols to pick one from. The symbol under the mouse
// is highlighted; a click selects the nearest symbol and reports it. Focused, the arrow keys move
// the highlight and Enter or Space selects.

#include <krogui/buttons/markgrid.h>
#include <krogui/core/control.h>
#include <krogui/graphics/propertyfaces.h>

#include <memory>

namespace kro {

/// Reports a symbol picked with the mouse (X, Y: the mouse position) or the keyboard (X, Y: the
/// symbol's grid point).
using TMarkClickEvent = std::function<void(QObject *Sender, int X, int Y, int Mark)>;

struct TMarkSelPrivate;

class KROGUI_EXPORT TMarkSel : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrOfColumns)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrOfRows)
    Q_PROPERTY(QColor ColorBackGnd READ ColorBackGndStored WRITE SetColorBackGnd)
    Q_PROPERTY(QColor ColorMarks READ ColorMarksStored WRITE SetColorMarks)
    Q_PROPERTY(QColor ColorSelBG READ ColorSelBGStored WRITE SetColorSelBG)
    Q_PROPERTY(QColor ColorSelFG READ ColorSelFGStored WRITE SetColorSelFG)
    Q_PROPERTY(QColor ColorHiLiteBG READ ColorHiLiteBGStored WRITE SetColorHiLiteBG)
    Q_PROPERTY(QColor ColorHiLiteSymbol READ ColorHiLiteSymbolStored WRITE SetColorHiLiteSymbol)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(int Selected READ Selected WRITE SetSelected NOTIFY SelectedChanged USER true)
    Q_PROPERTY(bool ShowZeroAsCross READ ShowZeroAsCross WRITE SetShowZeroAsCross)

public:
    /// A 236 x 178 selector of 8 x 6 cells showing all 52 symbols, none selected.
    explicit TMarkSel(QWidget *Parent = nullptr);
    ~TMarkSel() override;

    // ---- properties ----
    /// Cells per row, 1..51; other values are ignored. Repaints.
    int NrOfColumns() const;
    void SetNrOfColumns(int Value);
    /// Rows of cells, 1..51; other values are ignored. When the visible symbols need more rows,
    /// the grid adds them (lower cells) so that every symbol that can be picked is shown.
    int NrOfRows() const;
    void SetNrOfRows(int Value);
    /// Background of the cells (button face by default).
    TColor ColorBackGnd() const;
    void SetColorBackGnd(TColor Value);
    KRO_COLOR_FACE(ColorBackGnd)
    /// Colour of the symbols and of the single-line frame.
    TColor ColorMarks() const;
    void SetColorMarks(TColor Value);
    KRO_COLOR_FACE(ColorMarks)
    /// Background and symbol colour of the selected cell.
    TColor ColorSelBG() const;
    void SetColorSelBG(TColor Value);
    KRO_COLOR_FACE(ColorSelBG)
    TColor ColorSelFG() const;
    void SetColorSelFG(TColor Value);
    KRO_COLOR_FACE(ColorSelFG)
    /// Background and symbol colour of the highlighted cell.
    TColor ColorHiLiteBG() const;
    void SetColorHiLiteBG(TColor Value);
    KRO_COLOR_FACE(ColorHiLiteBG)
    TColor ColorHiLiteSymbol() const;
    void SetColorHiLiteSymbol(TColor Value);
    KRO_COLOR_FACE(ColorHiLiteSymbol)
    /// A disabled selector is drawn in grays and takes no input.
    void SetEnabled(bool Value) override;
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    /// The selected symbol, -1 for none; values outside -1..51 are ignored. Repaints.
    int Selected() const;
    void SetSelected(int Value);
    /// Shows symbol 0 as a cross over its cell instead of its marker. Invalidates.
    bool ShowZeroAsCross() const;
    void SetShowZeroAsCross(bool Value);

    // ---- methods ----
    /// Makes symbols 1..51 visible; repaints.
    void ShowAllMarks();
    /// Hides symbols 1..51 (symbol 0 always stays); repaints.
    void HideAllMarks();
    /// Whether symbol Index is visible; indices outside 0..51 read symbol 0.
    bool GetVis(int Index) const;
    /// Shows or hides symbol Index; only 1..51 are accepted. The following symbols move up into
    /// the freed cells. Repaints.
    void SetVis(int Index, bool Visible);
    /// The symbol nearest to (X, Y) among the visible ones, as a click there would pick it.
    int MarkAt(int X, int Y);
    /// The symbol highlighted last (0 at first) and whether the highlight is shown now.
    int HiLited() const;
    bool HiLiteShown() const;
    /// The current layout of the cells.
    const TMarkGrid &Grid();

    /// Cells of 12 x 12 pixels for every visible symbol, in NrOfColumns columns, and the frame.
    QSize minimumSizeHint() const override;
    /// A list of symbols to assistive tools; the name tells the selected one.
    QAccessible::Role AccessibleRole() const override { return QAccessible::List; }

    // ---- events ----
    void SetOnMarkClick(TMarkClickEvent Handler);
    const TMarkClickEvent &OnMarkClick() const;
    void SetOnMarkDblClick(TMarkClickEvent Handler);
    const TMarkClickEvent &OnMarkDblClick() const;
    /// Fired after each paint; what it draws on Canvas() shows on top.
    void SetOnPaint(TNotifyEvent Handler);
    const TNotifyEvent &OnPaint() const;

Q_SIGNALS:
    /// Selected changed (by the setter, a click or the keyboard).
    void SelectedChanged(int Value);
    /// The signals of OnMarkClick, OnMarkDblClick and OnPaint, emitted right after the handler.
    void onMarkClick(QObject *Sender, int X, int Y, int Mark);
    void onMarkDblClick(QObject *Sender, int X, int Y, int Mark);
    void onPaint(QObject *Sender);

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    struct TColors;
    TColors CurrentColors() const;
    void UpdateGrid();
    void DrawSymbol(TCanvas *C, int Mark);
    void RestoreSymbol(TCanvas *C, int Mark);
    void DrawHiLite(TCanvas *C, int Mark);
    void MoveHiLite(int Mark);
    void HideHiLite();
    void PickMark(int Mark, int X, int Y, bool Double);
    void UpdateAccessibleName();

    std::unique_ptr<TMarkSelPrivate> const d;
};

} // namespace kro
