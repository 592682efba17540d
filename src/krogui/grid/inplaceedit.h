#pragma once
// The grid's in-place editors: TInplaceEdit, a frameless line edit laid over the current cell,
// and TInplaceEditList, which adds a drop-down pick list or an ellipsis button per cell.
//
// Keys typed in the editor reach the grid as the grid's own keys would: every key first goes to
// the grid's OnKeyDown; Up, Down, Page Up/Down, Esc, Tab (when the grid wants tabs), Insert and
// Ctrl+Delete go to the grid's KeyDown (which moves the current cell and so commits the text);
// with goAlwaysShowEditor also Left/Home at the start and Right/End at the end of the text, and
// Ctrl with them. Every character goes to the grid's KeyPress first (Enter closes and commits,
// Esc cancels).

#include <krogui/grid/customgrid.h>

#include <QLineEdit>
#include <QStringList>

class QListWidget;
class QToolButton;

namespace kro {

class KROGUI_EXPORT TInplaceEdit : public QLineEdit
{
    Q_OBJECT
public:
    /// An editor for Grid, placed on the grid's client area and hidden.
    explicit TInplaceEdit(TCustomGrid *Grid);
    ~TInplaceEdit() override;

    /// The grid this editor belongs to.
    TCustomGrid *Grid() const { return FGrid; }
    /// The text (the QLineEdit's text).
    QString Text() const { return text(); }
    void SetText(const QString &Value) { setText(Value); }
    /// Places the editor on Loc (client coordinates of the grid) and shows it; an empty
    /// rectangle hides it. Takes the keyboard focus.
    void Move(const TRect &Loc);
    /// Like Move without taking the focus.
    void UpdateLoc(const TRect &Loc);
    /// Puts the caret after the text and removes the selection.
    void Deselect();
    /// Whether the editor is shown.
    bool Visible() const { return isVisible(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    void Invalidate() { update(); }
    /// Loads text, input mask and length limit of the grid's editor cell.
    virtual void UpdateContents();

protected:
    /// The editor's key handling: forwards navigation keys to the grid as described above.
    virtual void KeyDown(quint16 &Key, TShiftState Shift);
    /// A typed character: the grid's KeyPress first, then the editor's own handling.
    virtual void KeyPress(QChar &Key);
    virtual void DblClick() {}
    /// Sends Key to the grid's KeyDown and swallows it here.
    void SendToParent(quint16 &Key, TShiftState Shift);
    /// Width reserved at the right for a button (0 here).
    virtual int ButtonWidth() const { return 0; }
    /// Whether the pick list is shown (false here).
    virtual bool ListShown() const { return false; }

    bool event(QEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;

private:
    friend class TCustomGrid;
    // A character for the editor: the grid sees it first; printable ones are then inserted.
    void TypeChar(QChar Ch);
    // The editor's own handling of a character the grid has already seen.
    void AcceptChar(QChar &Key);
    void ApplyLoc(const TRect &Loc, bool TakeFocus);

    TCustomGrid *FGrid;
    bool FForwarded = false;
};

/// An editor with a pick list (esPickList: a drop-down button and a list below the cell) or an
/// ellipsis button (esEllipsis); the style comes from the grid's GetEditStyle for each cell.
class KROGUI_EXPORT TInplaceEditList : public TInplaceEdit
{
    Q_OBJECT
public:
    explicit TInplaceEditList(TCustomGrid *Grid);
    ~TInplaceEditList() override;

    /// The style of the current cell (set by UpdateContents).
    TEditStyle EditStyle() const { return FEditStyle; }
    void SetEditStyle(TEditStyle Value);
    /// Rows shown by the drop-down list (at least 1; 8 at first). A shown list resizes.
    int DropDownRows() const { return FDropDownRows; }
    void SetDropDownRows(int Value);
    /// The items of the pick list (filled through OnGetPickListItems, or the grid's
    /// GetPickListItems, each time the list drops down).
    QStringList PickListItems() const { return FItems; }
    void SetPickListItems(const QStringList &Items);
    /// The list widget (a pop-up window; created on first use).
    QListWidget *PickList();
    bool ListVisible() const;
    /// Shows the pick list below the cell with the item equal to the text selected (esPickList only).
    void DropDown();
    /// Hides the list; with Accept the selected item becomes the text and is committed.
    void CloseUp(bool Accept);
    /// Supplies the items of a cell; when not assigned the grid's GetPickListItems is asked.
    void SetOnGetPickListItems(std::function<void(int ACol, int ARow, QStringList &Items)> H)
    {
        FOnGetPickListItems = std::move(H);
    }
    /// The ellipsis button was pressed; when not assigned the grid's EditButtonClick runs.
    void SetOnEditButtonClick(TNotifyEvent H) { FOnEditButtonClick = std::move(H); }

    void UpdateContents() override;

protected:
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    /// A double click steps a pick list to its next item (esEllipsis: the button's action).
    void DblClick() override;
    int ButtonWidth() const override;
    bool ListShown() const override { return ListVisible(); }
    void resizeEvent(QResizeEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void LoadItems();
    void ButtonPressed();
    void PlaceButton();

    TEditStyle FEditStyle = esSimple;
    int FDropDownRows = 8;
    QStringList FItems;
    QListWidget *FList = nullptr;
    QToolButton *FButton = nullptr;
    std::function<void(int, int, QStringList &)> FOnGetPickListItems;
    TNotifyEvent FOnEditButtonClick;
};

} // namespace kro
