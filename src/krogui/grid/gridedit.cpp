// The grid's in-place editing: opening, moving, committing and closing the editor.
#include <krogui/graphics/colors.h>
#include <krogui/grid/customgrid.h>
#include <krogui/grid/customgrid_p.h>
#include <krogui/grid/inplaceedit.h>

#include <QApplication>

namespace kro {

using gridimpl::ScopeExit;

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
    return d->FLayout.Options & goTabs;
}

bool TCustomGrid::CanEditShow()
{
    return (d->FLayout.Options & (goRowSelect | goEditing)) == goEditing && d->FEditorMode &&
           !IsDesigning() && d->FCurrent.X >= d->FLayout.FixedCols && d->FCurrent.Y >= d->FLayout.FixedRows &&
           d->FCurrent.X < ColCount() && d->FCurrent.Y < RowCount();
}

void TCustomGrid::EnsureEditor()
{
    if (d->FInplaceEdit) return;
    TInplaceEdit *ed = CreateEditor();
    if (!ed) return;
    if (ed->parentWidget() != viewport()) ed->setParent(viewport());
    ed->FGrid = this;
    ed->hide();
    d->FInplaceEdit = ed;
    FontChanged();
    QPalette pal = ed->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    ed->setPalette(pal);
}

bool TCustomGrid::EditorHasFocus() const
{
    const QWidget *fw = QApplication::focusWidget();
    return d->FInplaceEdit && fw && (fw == d->FInplaceEdit || d->FInplaceEdit->isAncestorOf(fw));
}

void TCustomGrid::ShowEditor()
{
    d->FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    // The text is committed before the state changes: a refusing handler keeps the editor open.
    UpdateText();
    d->FEditorMode = false;
    HideEdit(false);
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (!Value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (d->FInplaceEdit && d->FInplaceCol >= 0) d->FInplaceEdit->Deselect();
}

void TCustomGrid::CancelEditor()
{
    if (!d->FInplaceEdit || d->FInplaceCol < 0) return;
    d->FInplaceEdit->setText(d->FEditOriginal);
    if (d->FLayout.Options & goAlwaysShowEditor) {
        d->FInplaceEdit->selectAll();
        return;
    }
    d->FEditorMode = false;
    HideEdit(false);
}

void TCustomGrid::UpdateText()
{
    if (!d->FInplaceEdit || d->FInplaceCol < 0 || d->FInEditorUpdate) return;
    const QString text = d->FInplaceEdit->text();
    if (text == d->FEditOriginal) return;
    d->FInEditorUpdate = true;
    ScopeExit done{[this] { d->FInEditorUpdate = false; }};
    const int c = d->FInplaceCol, r = d->FInplaceRow;
    SetEditText(c, r, text);
    d->FEditOriginal = text;
    InvalidateCell(c, r);
}

void TCustomGrid::HideEdit(bool Commit)
{
    if (!d->FInplaceEdit || d->FInplaceCol < 0) return;
    if (Commit) UpdateText();
    const int c = d->FInplaceCol, r = d->FInplaceRow;
    const bool hadFocus = EditorHasFocus();
    d->FInplaceCol = d->FInplaceRow = -1;
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    if (auto *list = qobject_cast<TInplaceEditList *>(d->FInplaceEdit))
        if (list->ListVisible()) list->CloseUp(false);
    d->FInplaceEdit->hide();
    InvalidateCell(c, r);
}

void TCustomGrid::UpdateEdit()
{
    if (d->FInEditorUpdate) return;
    if ((d->FLayout.Options & goAlwaysShowEditor) && (d->FLayout.Options & goEditing)) d->FEditorMode = true;
    if (!CanEditShow()) {
        if (d->FInplaceCol >= 0) HideEdit(true);
        d->FEditorMode = false;
        return;
    }
    EnsureEditor();
    if (!d->FInplaceEdit) {
        d->FEditorMode = false;
        return;
    }
    if (d->FInplaceCol != d->FCurrent.X || d->FInplaceRow != d->FCurrent.Y) {
        HideEdit(true);
        d->FInEditorUpdate = true;
        ScopeExit done{[this] { d->FInEditorUpdate = false; }};
        d->FInplaceCol = d->FCurrent.X;
        d->FInplaceRow = d->FCurrent.Y;
        d->FInplaceEdit->UpdateContents();
        d->FEditOriginal = d->FInplaceEdit->text();
        d->FInplaceEdit->selectAll();
        ClampInView(d->FCurrent.X, d->FCurrent.Y);
    }
    if (d->FInplaceCol < 0) // a handler closed the editor meanwhile
        return;
    d->FInplaceEdit->Move(CellRect(d->FInplaceCol, d->FInplaceRow));
    InvalidateCell(d->FInplaceCol, d->FInplaceRow);
}

void TCustomGrid::PlaceEditor()
{
    if (!d->FInplaceEdit || d->FInplaceCol < 0) return;
    const bool hadFocus = EditorHasFocus();
    const TRect r = CellRect(d->FInplaceCol, d->FInplaceRow);
    if (r.IsEmpty() && hadFocus) setFocus(Qt::OtherFocusReason);
    d->FInplaceEdit->UpdateLoc(r);
    if (!r.IsEmpty() && hadFocus) d->FInplaceEdit->SetFocus();
}

void TCustomGrid::TypeIntoEditor(QChar Ch)
{
    // The grid's KeyPress has seen the character already; it opens the editor (goEditing) and
    // goes into it.
    if (!(d->FLayout.Options & goEditing)) return;
    ShowEditor();
    if (d->FInplaceEdit && d->FInplaceCol >= 0 && d->FInplaceEdit->isVisible())
        d->FInplaceEdit->AcceptChar(Ch);
}

void TCustomGrid::EditorLostFocus()
{
    // Focus went somewhere outside the grid: the text so far is committed, the editor stays.
    const QWidget *fw = QApplication::focusWidget();
    if (!(fw && (fw == this || isAncestorOf(fw)))) SafeInvoke([this] { UpdateText(); });
    FocusChanged();
}

} // namespace kro
