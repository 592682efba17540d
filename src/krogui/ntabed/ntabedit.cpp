// TNTabEd: mouse and keys, in-place editing, the heading and comment editors, the two built-in
// menus and their commands.
#include <krogui/ntabed/ntabed.h>

#include "ntabed_p.h"

#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>
#include <krogui/grid/inplaceedit.h>
#include <krogui/ntabed/ntabtext.h>
#include <krogui/numio/numtext.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

#include <cmath>

namespace kro {

namespace {

const char *const kDCaptions[12] = {"Mark as type A", "Mark as type B",
                                    "Unmark type A",  "Unmark type B",
                                    "Unmark All",     "Clear",
                                    "Copy",           "Paste",
                                    "Data Read-Only", "Extract from Clipboard",
                                    "Select All",     "Toggle Empty State"};
const char *const kSubNames[4] = {"M1It", "M2It", "U1It", "U2It"};
const char *const kSubCaptions[4] = {"Range", "Column", "Row", "All"};
const char *const kHCaptions[5] = {"Edit Heading", "Change Precision", "Select..", "Insert..", "Delete.."};

// The runtime's conversion of an edited number: C notation, blanks around it allowed; infinities
// and NaN are not numbers a cell can hold.
bool ConvertNumber(const QString &Text, double &Value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(Text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) return false;
    Value = v;
    return true;
}

QIcon BoxIcon(bool Checked)
{
    TBitmap bmp;
    try {
        bmp.LoadFromResourceName(Checked ? QStringLiteral("CHECKEDBOX") : QStringLiteral("EMPTYBOX"));
    } catch (const std::exception &) {
        return QIcon();
    }
    return QIcon(QPixmap::fromImage(bmp.Image()));
}

} // namespace

// ==== menus =========================================================================================

void TNTabEd::BuildMenus()
{
    d->FPopupD = new QMenu(this);
    d->FPopupD->setObjectName(QStringLiteral("PopupDTAction"));
    for (int i = 0; i < 4; ++i) {
        auto *sub = new QMenu(QString::fromLatin1(kDCaptions[i]), d->FPopupD);
        d->FDSubMenus[size_t(i)] = sub;
        d->FDItems[size_t(i)] = d->FPopupD->addMenu(sub);
        d->FDItems[size_t(i)]->setObjectName(QStringLiteral("DIt%1").arg(i + 1));
        const quint8 bit = (i == 0 || i == 2) ? ntsMarkA : ntsMarkB;
        const bool set = i < 2;
        for (int k = 0; k < 4; ++k) {
            QAction *a = sub->addAction(QString::fromLatin1(kSubCaptions[k]));
            a->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(kSubNames[i])).arg(k + 1));
            d->FSubItems[size_t(i)][size_t(k)] = a;
            connect(a, &QAction::triggered, this,
                    [this, bit, set, k] { SafeInvoke([&] { MarkCommand(bit, set, k); }); });
        }
    }
    const std::function<void()> commands[8] = {
        [this] { UnMarkAllElems(); },   [this] { ClearCommand(); },
        [this] { CopyToClipboard(); },  [this] { PasteFromCopyBuffer(); },
        [this] { ReadOnlyCommand(); },  [this] { ExtractFromClipboard(); },
        [this] { SelectAllCommand(); }, [this] { ToggleEmptyCommand(); }};
    for (int i = 4; i < 12; ++i) {
        QAction *a = d->FPopupD->addAction(QString::fromLatin1(kDCaptions[i]));
        a->setObjectName(QStringLiteral("DIt%1").arg(i + 1));
        d->FDItems[size_t(i)] = a;
        const std::function<void()> cmd = commands[i - 4];
        connect(a, &QAction::triggered, this, [cmd] { SafeInvoke(cmd); });
    }
    d->FDItems[7]->setEnabled(false); // "Paste" waits for a "Copy"
    connect(d->FPopupD, &QMenu::aboutToShow, this, [this] {
        if (d->FDataCopyAvail && (d->FPopupDMask & (1 << 7))) d->FDItems[7]->setEnabled(!d->FReadOnly);
    });

    d->FPopupH = new QMenu(this);
    d->FPopupH->setObjectName(QStringLiteral("PopupHTAction"));
    const std::function<void()> hcommands[5] = {
        [this] { OpenHeadingEditor(); }, [this] { PrecisionCommand(); }, [this] { SelectColRowCommand(); },
        [this] { InsertCommand(); }, [this] { DeleteCommand(); }};
    for (int i = 0; i < 5; ++i) {
        QAction *a = d->FPopupH->addAction(QString::fromLatin1(kHCaptions[i]));
        a->setObjectName(QStringLiteral("HIt%1").arg(i + 1));
        d->FHItems[size_t(i)] = a;
        const std::function<void()> cmd = hcommands[i];
        connect(a, &QAction::triggered, this, [cmd] { SafeInvoke(cmd); });
    }
    connect(d->FPopupH, &QMenu::aboutToHide, this, [this] {
        d->FHeadFrame = TRect{};
        InvalidateGrid();
    });
    for (int i = 4; i < 12; ++i)
        d->FDItems[size_t(i)]->setEnabled(d->FPopupDMask & (1 << i) && i != 7);
}

QMenu *TNTabEd::PopupDTAction() const
{
    return d->FPopupD;
}

QMenu *TNTabEd::PopupHTAction() const
{
    return d->FPopupH;
}

int TNTabEd::PopupDMask() const
{
    return d->FPopupDMask;
}

void TNTabEd::SetPopupDMask(int Value)
{
    d->FPopupDMask = Value;
    for (int i = 0; i < 12; ++i)
        d->FDItems[size_t(i)]->setEnabled(Value & (1 << i));
    // "Paste" has nothing to give before a "Copy", whatever the mask says.
    d->FDItems[7]->setEnabled((Value & (1 << 7)) && d->FDataCopyAvail && !d->FReadOnly);
    ChangedSetup();
}

int TNTabEd::PopupHMask() const
{
    return d->FPopupHMask;
}

void TNTabEd::SetPopupHMask(int Value)
{
    d->FPopupHMask = Value;
    for (int i = 0; i < 5; ++i)
        d->FHItems[size_t(i)]->setEnabled(Value & (1 << i));
    ChangedSetup();
}

void TNTabEd::SetPopupDCaption(int Index, const QString &Caption)
{
    if (Index >= 1 && Index <= 12) d->FDItems[size_t(Index - 1)]->setText(Caption.left(50));
}

QString TNTabEd::GetPopupDCaption(int Index) const
{
    return Index >= 1 && Index <= 12 ? d->FDItems[size_t(Index - 1)]->text() : QString();
}

void TNTabEd::SetPopupHCaption(int Index, const QString &Caption)
{
    if (Index >= 1 && Index <= 5) d->FHItems[size_t(Index - 1)]->setText(Caption.left(50));
}

QString TNTabEd::GetPopupHCaption(int Index) const
{
    return Index >= 1 && Index <= 5 ? d->FHItems[size_t(Index - 1)]->text() : QString();
}

void TNTabEd::SetPopupMCaption(int Index, const QString &Caption)
{
    if (Index < 1 || Index > 4) return;
    d->FSubItems[0][size_t(Index - 1)]->setText(Caption.left(50));
    d->FSubItems[1][size_t(Index - 1)]->setText(Caption.left(50));
}

QString TNTabEd::GetPopupMCaption(int Index) const
{
    return Index >= 1 && Index <= 4 ? d->FSubItems[0][size_t(Index - 1)]->text() : QString();
}

void TNTabEd::SetPopupUCaption(int Index, const QString &Caption)
{
    if (Index < 1 || Index > 4) return;
    d->FSubItems[2][size_t(Index - 1)]->setText(Caption.left(50));
    d->FSubItems[3][size_t(Index - 1)]->setText(Caption.left(50));
}

QString TNTabEd::GetPopupUCaption(int Index) const
{
    return Index >= 1 && Index <= 4 ? d->FSubItems[2][size_t(Index - 1)]->text() : QString();
}

void TNTabEd::OpenDataMenu(int X, int Y)
{
    d->FDItems[8]->setIcon(BoxIcon(d->FReadOnly));
    if (d->FOnBeforePopup) d->FOnBeforePopup(this, d->FPopupD);
    Q_EMIT onBeforePopup(this, d->FPopupD);
    d->FPopupD->popup(viewport()->mapToGlobal(QPoint(X + 10, Y - 20)));
}

void TNTabEd::PrepareHeadMenu()
{
    const bool colHead = d->ClickCol > d->FColOffset;
    const int m = d->FPopupHMask;
    if (m & (1 << 1)) d->FHItems[1]->setEnabled(colHead);
    d->FHItems[2]->setEnabled(m & (1 << 2));
    d->FHItems[3]->setEnabled((m & (1 << 3)) && !d->FReadOnly);
    d->FHItems[4]->setEnabled((m & (1 << 4)) && !d->FReadOnly);
    d->FHItems[2]->setText(colHead ? QStringLiteral("Select Column") : QStringLiteral("Select Row"));
    d->FHItems[3]->setText(colHead ? QStringLiteral("Insert Column") : QStringLiteral("Insert Row"));
    d->FHItems[4]->setText(colHead ? QStringLiteral("Delete Column") : QStringLiteral("Delete Row"));
}

void TNTabEd::OpenHeadMenu()
{
    PrepareHeadMenu();
    const TRect r = CellRect(d->ClickCol, d->ClickRow);
    d->FHeadFrame = Rect(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
    Repaint();
    if (d->FOnBeforePopup) d->FOnBeforePopup(this, d->FPopupH);
    Q_EMIT onBeforePopup(this, d->FPopupH);
    d->FHeadMenuPos = viewport()->mapToGlobal(QPoint(r.Left + 20, r.Top + 20));
    d->FPopupH->popup(d->FHeadMenuPos);
}

// ==== commands ======================================================================================

TGridRect TNTabEd::DataSelection() const
{
    const TGridRect s = Selection();
    TGridRect r{s.Left - d->FColOffset, s.Top - d->FRowOffset, s.Right - d->FColOffset,
                s.Bottom - d->FRowOffset};
    r.Left = std::max(r.Left, 1);
    r.Top = std::max(r.Top, 1);
    r.Right = std::min(r.Right, NrOfColumns());
    r.Bottom = std::min(r.Bottom, NrOfRows());
    return r;
}

void TNTabEd::ForEachSelected(const std::function<void(int, int)> &Fn) const
{
    const TGridRect s = DataSelection();
    for (int c = s.Left; c <= s.Right; ++c)
        for (int r = s.Top; r <= s.Bottom; ++r)
            Fn(c, r);
}

void TNTabEd::MarkCommand(quint8 Bit, bool Set, int Scope)
{
    TGridRect b = DataSelection();
    if (Scope == 1 || Scope == 3) {
        b.Top = 1;
        b.Bottom = NrOfRows();
    }
    if (Scope == 2 || Scope == 3) {
        b.Left = 1;
        b.Right = NrOfColumns();
    }
    {
        TNTabBulk bulk(d.get(), true);
        for (int c = b.Left; c <= b.Right; ++c)
            for (int r = b.Top; r <= b.Bottom; ++r) {
                const quint8 st = d->Data->GetCellState(c, r);
                d->Data->SetCellState(c, r, Set ? quint8(st | Bit) : quint8(st & ~Bit));
            }
    }
    Repaint();
    ChangedCellStates();
}

void TNTabEd::ClearCommand()
{
    if (d->FReadOnly) return; // read-only values are not cleared
    {
        TNTabBulk bulk(d.get(), true);
        ForEachSelected([this](int c, int r) {
            d->Data->SetElem(c, r, 0.0);
            // A cleared cell is a plain number again; the application's own bits stay.
            d->Data->SetCellState(c, r, d->Data->GetCellState(c, r) & 0x3C);
        });
    }
    Repaint();
    if (d->FOnPaste) d->FOnPaste(this);
    Q_EMIT onPaste(this);
    ChangedData();
    ChangedCellStates();
}

void TNTabEd::ToggleEmptyCommand()
{
    {
        TNTabBulk bulk(d.get(), true);
        ForEachSelected(
            [this](int c, int r) { d->Data->SetCellState(c, r, d->Data->GetCellState(c, r) ^ ntsEmpty); });
    }
    Repaint();
    ChangedCellStates();
}

void TNTabEd::SelectAllCommand()
{
    SetSelection(GridRect(d->FColOffset + 1, d->FRowOffset + 1, d->FColOffset + NrOfColumns(),
                          d->FRowOffset + NrOfRows()));
    d->FOldSel = Selection();
    Repaint();
    ChangedSelection();
}

void TNTabEd::SelectColRowCommand()
{
    if (d->ClickCol > d->FColOffset)
        SetSelection(GridRect(d->ClickCol, d->FRowOffset + 1, d->ClickCol, d->FRowOffset + NrOfRows()));
    else
        SetSelection(GridRect(d->FColOffset + 1, d->ClickRow, d->FColOffset + NrOfColumns(), d->ClickRow));
    d->FOldSel = Selection();
    Repaint();
    ChangedSelection();
}

void TNTabEd::InsertCommand()
{
    TNTabBulk hold(d.get(), true);
    if (d->ClickCol > d->FColOffset) {
        const int ix = d->ClickCol - d->FColOffset;
        if (ix < 1 || ix > NrOfColumns() + 1) return;
        InsertColumn(ix);
        d->Data->SetColName(ix, QStringLiteral("(...)"));
    } else {
        const int ix = d->ClickRow - d->FRowOffset;
        if (ix < 1 || ix > NrOfRows() + 1) return;
        InsertRow(ix);
        d->Data->SetRowName(ix, QStringLiteral("(...)"));
    }
}

void TNTabEd::DeleteCommand()
{
    if (d->ClickCol > d->FColOffset)
        RemoveColumn(d->ClickCol - d->FColOffset);
    else
        RemoveRow(d->ClickRow - d->FRowOffset);
    ChangedSetup();
}

void TNTabEd::PrecisionCommand()
{
    const int col = d->ClickCol - d->FColOffset;
    if (col < 1 || col > NrOfColumns()) return;
    int places = GetDecPlaces(col) - 1;
    if (places < -1) places = 10;
    SetDecPlaces(col, places);
    // The menu opens again so that repeated choices keep stepping; it is reopened from the event
    // loop once the current one has closed, never from inside its own command.
    if (d->FPrecisionPending) return;
    d->FPrecisionPending = true;
    const int clickCol = d->ClickCol, clickRow = d->ClickRow;
    QTimer::singleShot(0, this, [this, clickCol, clickRow] {
        d->FPrecisionPending = false;
        if (clickCol != d->ClickCol || clickRow != d->ClickRow || clickCol >= ColCount() || !isVisible())
            return;
        PrepareHeadMenu();
        const TRect r = CellRect(clickCol, clickRow);
        d->FHeadFrame = Rect(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
        Repaint();
        d->FPopupH->popup(d->FHeadMenuPos);
    });
}

void TNTabEd::ReadOnlyCommand()
{
    SetDataReadOnly(!d->FReadOnly);
    ChangedSetup();
}

// ==== mouse and keys ================================================================================

int TNTabEd::ClickCol() const
{
    return d->ClickCol;
}

int TNTabEd::ClickRow() const
{
    return d->ClickRow;
}

void TNTabEd::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (d->FCommentMMActive) {
        TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
        const TGridCoord hit = MouseCoord(X, Y);
        d->ClickCol = hit.X;
        d->ClickRow = hit.Y;
        if (hit.X == 0 && hit.Y == 0) CloseCommentEditor(false);
        return;
    }
    if (d->FNameEdActive) return;
    const TGridCoord prev = MouseCoord(d->LastClickX, d->LastClickY);
    const TGridCoord hit = MouseCoord(X, Y);
    d->ClickCol = hit.X;
    d->ClickRow = hit.Y;
    if (!(prev == hit)) SetOptions(Options() & ~TGridOptions(goEditing)); // a first click only selects
    TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
    InvalidateGrid();
    if (!(X > 0 && X < GridWidth() && Y > 0 && Y < GridHeight())) return;
    d->LastClickX = X;
    d->LastClickY = Y;
    const bool blocked = PopupMenu() != nullptr || d->FBlockIntPopup;
    if (hit.X > d->FColOffset && hit.Y > d->FRowOffset) {
        if (prev == hit && !d->FReadOnly) SetOptions(Options() | goEditing);
        if (Button == mbRight && !blocked)
            OpenDataMenu(X, Y);
        else if (Button == mbLeft)
            InvalidateCell(0, 0);
    } else if (Button == mbRight) {
        if (hit.X == 0 && hit.Y == 0) {
            if (!d->FBlockIntPopup && d->FCommEdAllowed) OpenCommentEditor();
        } else if ((hit.X > d->FColOffset || hit.Y > d->FRowOffset) && !blocked) {
            OpenHeadMenu();
        }
    }
}

void TNTabEd::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomDrawGrid::MouseUp(Button, Shift, X, Y);
    if (d->FReadOnly)
        SetOptions(Options() & ~TGridOptions(goEditing));
    else
        SetOptions(Options() | goEditing);
    const TGridRect sel = Selection();
    if (!(sel == d->FOldSel)) {
        d->FOldSel = sel;
        ChangedSelection();
    }
}

void TNTabEd::KeyPress(QChar &Key)
{
    TCustomDrawGrid::KeyPress(Key);
    if (d->FAutoAdvance && (Key.isNull() || Key.unicode() == 13)) {
        quint16 k = d->FAutoAdvDir == orHorizontal ? VK_RIGHT : VK_DOWN;
        KeyDown(k, 0);
    }
    if (Key.unicode() == 27 && InplaceEditor()) {
        SetOptions(Options() & ~TGridOptions(goEditing));
        InplaceEditor()->hide();
    }
}

void TNTabEd::KeyDown(quint16 &Key, TShiftState Shift)
{
    TCustomDrawGrid::KeyDown(Key, Shift);
    d->FOldSel = Selection();
    ChangedSelection();
    InvalidateGrid();
}

bool TNTabEd::DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos)
{
    const bool res = TCustomDrawGrid::DoMouseWheelDown(Shift, MousePos);
    d->FOldSel = Selection();
    ChangedSelection();
    InvalidateGrid();
    return res;
}

bool TNTabEd::DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos)
{
    const bool res = TCustomDrawGrid::DoMouseWheelUp(Shift, MousePos);
    d->FOldSel = Selection();
    ChangedSelection();
    InvalidateGrid();
    return res;
}

// ==== in-place editing ===============================================================================

TEditStyle TNTabEd::GetEditStyle(int ACol, int)
{
    const int st = d->Data->GetMScaleType(ACol - d->FColOffset);
    return st == mstNominal || st == mstOrdinal ? esPickList : esSimple;
}

TInplaceEdit *TNTabEd::CreateEditor()
{
    auto *ed = new TInplaceEditList(this);
    ed->SetDropDownRows(d->FDropdownCount);
    return ed;
}

void TNTabEd::GetPickListItems(int ACol, int, QStringList &Items)
{
    const int c = ACol - d->FColOffset;
    d->FColPickList.clear();
    for (int i = 1; i <= TDataTable::MaxNominalCode; ++i) {
        const QString id = d->Data->GetNominalID(c, i);
        if (!id.isEmpty()) d->FColPickList << id;
    }
    Items = d->FColPickList;
}

QString TNTabEd::GetEditText(int ACol, int ARow)
{
    const int c = ACol - d->FColOffset, r = ARow - d->FRowOffset;
    const double v = d->Data->GetElem(c, r);
    QString text;
    const int st = d->Data->GetMScaleType(c);
    if (st == mstNominal || st == mstOrdinal) {
        const int code = NominalCode(v);
        if (code >= 1 && code <= TDataTable::MaxNominalCode) text = d->Data->GetNominalID(c, code);
        if (text.isEmpty()) text = QString::number(code);
    } else {
        text = FormatCellNumber(d->FNumWidth, GetDecPlaces(c), v);
    }
    if (OnGetEditText()) OnGetEditText()(this, ACol, ARow, text);
    return text;
}

void TNTabEd::SetEditText(int ACol, int ARow, const QString &Value)
{
    const int c = ACol - d->FColOffset, r = ARow - d->FRowOffset;
    if (c >= 1 && r >= 1 && c <= NrOfColumns() && r <= NrOfRows()) {
        // The application's bits (0x04..0x20) stay; marks and the empty bit go with a new entry.
        const quint8 keep = d->Data->GetCellState(c, r) & 0x3C;
        bool valid = false;
        double v = 0;
        const int st = d->Data->GetMScaleType(c);
        if (st == mstNominal || st == mstOrdinal) {
            const int k = d->Data->OrdinalOfNominalID(c, Value, true);
            const QString t = Value.trimmed();
            bool ok = false;
            const int n = IsIntText(t) ? t.toInt(&ok) : 0;
            if (k > 0) {
                v = k;
                valid = true;
            } else if (ok) {
                v = n;
                valid = true;
            }
        } else {
            QString t = Value;
            t.replace(QLatin1Char(','), QLatin1Char('.'));
            valid = ConvertNumber(t, v);
        }
        if (valid) d->Data->SetElem(c, r, v);
        d->Data->SetCellState(c, r, quint8(keep | (valid ? 0 : ntsInvalid)));
    }
    TCustomDrawGrid::SetEditText(ACol, ARow, Value);
}

// ==== heading and comment editors ======================================================================

QWidget *TNTabEd::HeadingEditor() const
{
    return d->FNameEd;
}

QWidget *TNTabEd::CommentEditor() const
{
    return d->FCommentMM;
}

bool TNTabEd::HeadingEditorActive() const
{
    return d->FNameEdActive;
}

bool TNTabEd::CommentEditorActive() const
{
    return d->FCommentMMActive;
}

void TNTabEd::OpenHeadingEditor()
{
    const int col = d->ClickCol, row = d->ClickRow;
    if (!d->FNameEd || !(col > d->FColOffset || row > d->FRowOffset)) return;
    QString text;
    if (col > d->FColOffset)
        text =
            row != 0 ? QString::number(GetColAttrib(col - d->FColOffset)) : GetColName(col - d->FColOffset);
    else
        text =
            col != 0 ? QString::number(GetRowAttrib(row - d->FRowOffset)) : GetRowName(row - d->FRowOffset);
    const TRect r = CellRect(col, row);
    d->FNameEdCol = col;
    d->FNameEdRow = row;
    d->FNameEd->setText(text);
    d->FNameEd->adjustSize();
    d->FNameEd->move(r.Left + 30, r.Top + 5);
    d->FNameEd->show();
    d->FNameEd->raise();
    d->FNameEd->setFocus(Qt::OtherFocusReason);
    d->FNameEd->selectAll();
    d->FNameEdActive = true;
}

void TNTabEd::CloseHeadingEditor(bool Store)
{
    if (!d->FNameEdActive) return;
    d->FNameEdActive = false;
    d->FNameEd->hide();
    setFocus(Qt::OtherFocusReason);
    InvalidateGrid();
    if (!Store) return;
    const int col = d->FNameEdCol, row = d->FNameEdRow;
    const bool colHead = col > d->FColOffset;
    const bool attrib = colHead ? row != 0 : col != 0;
    const QString text = d->FNameEd->text();
    if (!attrib) {
        const int ix = colHead ? col - d->FColOffset : row - d->FRowOffset;
        {
            TNTabBulk hold(d.get(), true);
            if (colHead)
                d->Data->SetColName(ix, text.left(TDataTable::MaxNameLength));
            else
                d->Data->SetRowName(ix, text.left(TDataTable::MaxNameLength));
        }
        ChangedHeading();
        return;
    }
    double v = 0;
    if (!ConvertNumber(text, v)) return;
    const quint8 a = quint8(Round(std::clamp(v, 0.0, 255.0)));
    if (colHead)
        SetColAttrib(col - d->FColOffset, a);
    else
        SetRowAttrib(row - d->FRowOffset, a);
    ChangedHeading();
}

void TNTabEd::OpenCommentEditor()
{
    if (!d->FCommentMM) return;
    d->FCommentMMActive = true;
    const int left = TCustomGrid::ColWidths(0);
    d->FCommentMM->setGeometry(left, 0, std::max(20, width() - left - 20), 80);
    QPalette pal = d->FCommentMM->palette();
    pal.setColor(QPalette::Base, ToQColor(0x808000));
    pal.setColor(QPalette::Text, Qt::white);
    d->FCommentMM->setPalette(pal);
    d->FCommentMM->setPlainText(d->Data->Comment());
    d->FCommentMM->show();
    d->FCommentMM->raise();
    d->FCommentMM->setFocus(Qt::OtherFocusReason);
    InvalidateCell(0, 0);
}

void TNTabEd::CloseCommentEditor(bool Store)
{
    if (!d->FCommentMMActive) return;
    d->FCommentMMActive = false;
    d->FCommentMM->hide();
    setFocus(Qt::OtherFocusReason);
    if (Store) {
        {
            TNTabBulk hold(d.get(), true);
            d->Data->SetFComment(d->FCommentMM->toPlainText());
        }
        ChangedData();
    }
    InvalidateCell(0, 0);
}

bool TNTabEd::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Event->type() == QEvent::KeyPress && (Watched == d->FNameEd || Watched == d->FCommentMM)) {
        auto *ke = static_cast<QKeyEvent *>(Event);
        const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
        const bool esc = ke->key() == Qt::Key_Escape;
        // In the comment, Shift+Enter and Ctrl+Enter start a new line.
        const bool newLine = Watched == d->FCommentMM && enter &&
                             (ke->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
        if (newLine) {
            d->FCommentMM->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (enter || esc) {
            SafeInvoke([&] {
                if (Watched == d->FNameEd)
                    CloseHeadingEditor(enter);
                else
                    CloseCommentEditor(enter);
            });
            return true;
        }
    }
    return TCustomDrawGrid::eventFilter(Watched, Event);
}

} // namespace kro
