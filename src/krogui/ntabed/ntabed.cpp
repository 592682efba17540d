// TNTabEd: construction, the table and its notifications, layout, painting, model operations and
// properties. Editing, menus and commands are in ntabedit.cpp, the clipboard in ntabclip.cpp.
#include <krogui/ntabed/ntabed.h>

#include "ntabed_p.h"

#include <krogui/core/kromath.h>
#include <krogui/core/strutil.h>
#include <krogui/grid/inplaceedit.h>
#include <krogui/ntabed/ntabtext.h>

#include <krogui/graphics/colors.h>

#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>

#include <algorithm>

namespace kro {

namespace {
constexpr int kNameColWidth = 80;
const QString kRowHeightSample = QStringLiteral("9GMg\u00DC$\u00A7[{|");
} // namespace

// ==== construction ===================================================================================

TNTabEd::TNTabEd(QWidget *Parent) : TCustomDrawGrid(Parent), d(std::make_unique<TNTabEdPrivate>())
{
    TNTabBulk bulk(d.get(), false);
    d->FDataCopy = std::make_unique<TDataTable>();
    try {
        d->FOwnData = std::make_unique<TDataTable>();
        d->FOwnData->Resize(3, 4);
        d->FDecP.assign(3, 3);
    } catch (const std::exception &) {
        d->FOwnData.reset();
        throw EKRONTabedError(
            ComponentMessage(QStringLiteral("failed to initialize table editor (out of memory)")));
    }
    d->Data = d->FOwnData.get();
    InstallNotifications(d->Data);
    TCustomGrid::SetDefaultRowHeight(24);
    SyncGridShape();
    TCustomGrid::SetColWidths(1, d->FClassColWidth);
    TCustomGrid::SetColWidths(0, kNameColWidth);

    d->FNameEd = new QLineEdit(viewport());
    d->FNameEd->setObjectName(QStringLiteral("HeadingEditor"));
    d->FNameEd->hide();
    d->FNameEd->installEventFilter(this);
    d->FCommentMM = new QPlainTextEdit(viewport());
    d->FCommentMM->setObjectName(QStringLiteral("CommentEditor"));
    d->FCommentMM->hide();
    d->FCommentMM->installEventFilter(this);

    BuildMenus();
    TCustomGrid::SetColor(d->FColorBkgnd);
    TCustomGrid::SetFixedColor(d->FColorFixed);
    setAccessibleDescription(QStringLiteral("Numeric table editor"));
    UpdateAccessible();
}

TNTabEd::~TNTabEd()
{
    // Menus and editors go first, while the state their handlers use still exists (a menu that is
    // open reports its hiding while it is destroyed).
    for (QWidget *w : std::initializer_list<QWidget *>{d->FNameEd, d->FCommentMM}) {
        if (!w) continue;
        w->removeEventFilter(this);
        delete w;
    }
    for (QMenu *m : {d->FPopupD, d->FPopupH}) {
        if (!m) continue;
        m->disconnect(this);
        delete m;
    }
    d->FNameEd = nullptr;
    d->FCommentMM = nullptr;
    d->FPopupD = d->FPopupH = nullptr;
    if (d->FExtMatAssigned && d->Data) {
        QObject::disconnect(d->FExtDestroyed);
        RemoveNotifications(d->Data);
    }
}

// ==== the table =====================================================================================

void TNTabEd::InstallNotifications(TDataTable *T)
{
    T->SetOnChange([this](QObject *) {
        if (d->FNotifyHeld) return;
        ChangedData();
        RepaintIfFree();
    });
    T->SetOnChangeSetup([this](QObject *) {
        ChangedSetup();
        RepaintIfFree();
    });
    T->SetOnResize([this](QObject *, int OC, int OR, int NC, int NR) { TableResized(OC, OR, NC, NR); });
    T->SetOnPercentDone([this](QObject *, int Percent) {
        if (d->FOnPercentDone) d->FOnPercentDone(this, Percent);
        Q_EMIT onPercentDone(this, Percent);
    });
    T->SetOnBeforeSortExchange([this](QObject *, int What, int Ix1, int Ix2) {
        const int n = int(d->FDecP.size());
        if (What == 1 && d->FSortIncludeHd && Ix1 >= 1 && Ix2 >= 1 && Ix1 <= n && Ix2 <= n)
            std::swap(d->FDecP[size_t(Ix1 - 1)], d->FDecP[size_t(Ix2 - 1)]);
    });
}

void TNTabEd::RemoveNotifications(TDataTable *T)
{
    T->SetOnChange({});
    T->SetOnChangeSetup({});
    T->SetOnResize({});
    T->SetOnPercentDone({});
    T->SetOnBeforeSortExchange({});
}

TDataTable *TNTabEd::Data() const
{
    return d->Data;
}

bool TNTabEd::ExtMatAssigned() const
{
    return d->FExtMatAssigned;
}

void TNTabEd::AssignAnotherDataMatrix(TDataTable *NewDTab)
{
    if (NewDTab == d->Data) return;
    if (NewDTab == nullptr && !d->FExtMatAssigned) return;
    HideEditor();
    const int oldCols = NrOfColumns(), oldRows = NrOfRows();
    if (d->FExtMatAssigned) {
        QObject::disconnect(d->FExtDestroyed);
        RemoveNotifications(d->Data);
    }
    if (NewDTab) {
        // The own table is kept (empty) so that a later fallback has somewhere to go.
        if (d->FOwnData) RemoveNotifications(d->FOwnData.get());
        d->Data = NewDTab;
        d->FExtMatAssigned = true;
        d->FExtDestroyed = connect(NewDTab, &QObject::destroyed, this, [this] { ExternalTableDestroyed(); });
    } else {
        if (!d->FOwnData) d->FOwnData = std::make_unique<TDataTable>();
        if (d->FOwnData->NrOfColumns() == 0) d->FOwnData->Resize(3, 4);
        d->Data = d->FOwnData.get();
        d->FExtMatAssigned = false;
    }
    InstallNotifications(d->Data);
    TableResized(oldCols, oldRows, d->Data->NrOfColumns(), d->Data->NrOfRows());
    ChangedSetup();
    ChangedData();
}

void TNTabEd::ExternalTableDestroyed()
{
    // The table is gone: nothing of it may be touched. Show a table of our own of the shape on
    // screen, every cell empty, so that the layout stays and no stale value shows.
    const int cols = std::max(0, ColCount() - d->FColOffset - 1);
    const int rows = std::max(0, RowCount() - d->FRowOffset - 1);
    HideEditor();
    d->FExtMatAssigned = false;
    d->Data = nullptr;
    auto own = std::make_unique<TDataTable>();
    try {
        own->Resize(cols, rows);
    } catch (const std::exception &) {
        own = std::make_unique<TDataTable>(); // cannot happen for a shape that was on screen
    }
    for (int c = 1; c <= own->NrOfColumns(); ++c)
        for (int r = 1; r <= own->NrOfRows(); ++r)
            own->SetCellState(c, r, ntsEmpty);
    d->FOwnData = std::move(own);
    d->Data = d->FOwnData.get();
    InstallNotifications(d->Data);
    TableResized(cols, rows, d->Data->NrOfColumns(), d->Data->NrOfRows());
    ChangedSetup();
}

void TNTabEd::TableResized(int OldCols, int, int NewCols, int NewRows)
{
    Q_UNUSED(NewRows);
    const int lastWidth = TCustomGrid::ColWidths(ColCount() - 1);
    std::vector<qint8> places(size_t(std::max(NewCols, 0)));
    const qint8 carry =
        OldCols >= 1 && size_t(OldCols) <= d->FDecP.size() ? d->FDecP[size_t(OldCols - 1)] : qint8(3);
    for (size_t i = 0; i < places.size(); ++i)
        places[i] = i < d->FDecP.size() && int(i) < OldCols ? d->FDecP[i] : carry;
    d->FDecP.swap(places);
    SyncGridShape();
    for (int c = OldCols; c <= NewCols; ++c)
        if (c >= 1) TCustomGrid::SetColWidths(c + d->FColOffset, lastWidth);
    UpdateAccessible();
    RepaintIfFree();
}

void TNTabEd::SyncGridShape()
{
    const int nc = d->Data->NrOfColumns(), nr = d->Data->NrOfRows();
    SetColCount(nc + d->FColOffset + 1);
    SetRowCount(nr + d->FRowOffset + 1);
    SetFixedCols(std::min(1 + d->FColOffset, ColCount() - 1));
    SetFixedRows(std::min(1 + d->FRowOffset, RowCount() - 1));
}

void TNTabEd::ResizeTable(int NrCols, int NrRows, const char *What)
{
    if (NrCols < 1 || NrRows < 1) return; // the grid needs a data column and a data row to stand on
    if (NrCols == NrOfColumns() && NrRows == NrOfRows()) return;
    {
        TNTabBulk bulk(d.get(), false);
        try {
            d->Data->Resize(NrCols, NrRows);
        } catch (const std::bad_alloc &) {
            throw EKROError(QStringLiteral("TNTabEd.%1: not enough memory").arg(QLatin1String(What)));
        } catch (const EKROError &E) {
            throw EKROError(QStringLiteral("TNTabEd.%1: %2").arg(QLatin1String(What), E.Message()));
        }
    }
    ChangedSetup();
    RepaintIfFree();
}

int TNTabEd::NrOfColumns() const
{
    return d->Data->NrOfColumns();
}

void TNTabEd::SetNrOfColumns(int Value)
{
    ResizeTable(Value, NrOfRows(), "NrOfColumns");
}

int TNTabEd::NrOfRows() const
{
    return d->Data->NrOfRows();
}

void TNTabEd::SetNrOfRows(int Value)
{
    ResizeTable(NrOfColumns(), Value, "NrOfRows");
}

void TNTabEd::Redimension(int NrCols, int NrRows)
{
    ResizeTable(NrCols, NrRows, "Redimension");
}

void TNTabEd::UpdateAccessible()
{
    setAccessibleName(QStringLiteral("Table of %1 columns and %2 rows").arg(NrOfColumns()).arg(NrOfRows()));
}

// ==== suppression and change events ====================================================================

bool TNTabEd::Suppressed() const
{
    return d->FSuppressPaint || d->FInternSuppPaint;
}

void TNTabEd::RepaintIfFree()
{
    // The picture is composed before it next shows; Paint itself does nothing while suppressed.
    InvalidateGrid();
}

bool TNTabEd::SuppressPaint() const
{
    return d->FSuppressPaint;
}

void TNTabEd::SetSuppressPaint(bool Value)
{
    if (Value == d->FSuppressPaint) return;
    d->FSuppressPaint = Value;
    if (!Value) Repaint();
}

#define KRO_NTAB_CHANGED(Method, Slot, Signal)                                                               \
    void TNTabEd::Method()                                                                                   \
    {                                                                                                        \
        if (Suppressed()) return;                                                                            \
        if (d->Slot) d->Slot(this);                                                                          \
        Q_EMIT Signal(this);                                                                                 \
    }
KRO_NTAB_CHANGED(ChangedData, FOnChange, onChange)
KRO_NTAB_CHANGED(ChangedHeading, FOnHeadingChanged, onHeadingChanged)
KRO_NTAB_CHANGED(ChangedAttrib, FOnAttributeChanged, onAttributeChanged)
KRO_NTAB_CHANGED(ChangedLayout, FOnLayoutChanged, onLayoutChanged)
KRO_NTAB_CHANGED(ChangedCellStates, FOnCellStateChanged, onCellStateChanged)
KRO_NTAB_CHANGED(ChangedSelection, FOnSelectionChanged, onSelectionChanged)
KRO_NTAB_CHANGED(ChangedSetup, FOnChangeSetup, onChangeSetup)
#undef KRO_NTAB_CHANGED

#define KRO_NTAB_EVENT(Type, Name)                                                                           \
    void TNTabEd::Set##Name(Type H)                                                                          \
    {                                                                                                        \
        d->F##Name = std::move(H);                                                                           \
    }                                                                                                        \
    const Type &TNTabEd::Name() const                                                                        \
    {                                                                                                        \
        return d->F##Name;                                                                                   \
    }
KRO_NTAB_EVENT(TNotifyEvent, OnChange)
KRO_NTAB_EVENT(TNotifyEvent, OnHeadingChanged)
KRO_NTAB_EVENT(TNotifyEvent, OnAttributeChanged)
KRO_NTAB_EVENT(TNotifyEvent, OnLayoutChanged)
KRO_NTAB_EVENT(TNotifyEvent, OnCellStateChanged)
KRO_NTAB_EVENT(TNotifyEvent, OnSelectionChanged)
KRO_NTAB_EVENT(TNotifyEvent, OnChangeSetup)
KRO_NTAB_EVENT(TOnPercentDoneEvent, OnPercentDone)
KRO_NTAB_EVENT(TBeforeRenderCellEvent, OnBeforeRenderCell)
KRO_NTAB_EVENT(TNotifyEvent, OnPaste)
KRO_NTAB_EVENT(TBeforePopupEvent, OnBeforePopup)
#undef KRO_NTAB_EVENT

// ==== painting ======================================================================================

void TNTabEd::Paint()
{
    if (Suppressed()) return;
    d->FCellStyle = Font()->Style();
    d->FCellFont = Font()->ToQFont();
    d->FCellFontBold = d->FCellFont;
    d->FCellFontBold.setBold(true);
    TCustomGrid::Paint();
    if (!d->FHeadFrame.IsEmpty()) {
        // The heading whose menu is open carries an inverted frame.
        TCanvas *c = Canvas();
        c->Pen()->SetMode(pmNot);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(d->FHeadFrame);
        c->Pen()->SetMode(pmCopy);
        c->Brush()->SetStyle(bsSolid);
    }
    if (d->FOptRowHeight) {
        const int h = AutoRowHeight(-1, 2);
        if (h != TCustomGrid::DefaultRowHeight()) TCustomGrid::SetDefaultRowHeight(h);
    }
}

void TNTabEd::DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State)
{
    if (ACol > d->FColOffset && ARow > d->FRowOffset)
        DrawDataCell(ACol, ARow, Rect, State);
    else
        DrawFixedCell(ACol, ARow, Rect);
}

void TNTabEd::DrawDataCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State)
{
    const int c = ACol - d->FColOffset, r = ARow - d->FRowOffset;
    QString text = DataCellText(*d->Data, c, r, d->FNumWidth, GetDecPlaces(c));
    const quint8 marks = d->Data->GetCellState(c, r) & (ntsMarkA | ntsMarkB);
    TFontStyles style = Font()->Style();
    TColor fg = d->FColorNormal;
    if (marks) {
        fg = marks == ntsMarkA   ? d->FColorMarked1
             : marks == ntsMarkB ? d->FColorMarked2
                                 : d->FColorMarkedBoth;
        if (d->FBoldMarks) style |= fsBold;
    } else if (State & gdSelected) {
        fg = d->FColorRngSelFG;
    }
    TColor bg = (State & gdSelected) ? d->FColorRngSelBG : d->FColorBkgnd;
    if (d->FOnBeforeRenderCell) d->FOnBeforeRenderCell(this, c, r, text, fg, bg, style);
    Q_EMIT onBeforeRenderCell(this, c, r, text, fg, bg, style);
    DrawCellText(Rect, Rect.Left + 2, Rect.Top + 1, text, fg, bg, style);
}

void TNTabEd::DrawCellText(const TRect &Rect, int X, int Y, const QString &Text, TColor Fore, TColor Back,
                           TFontStyles Style)
{
    // The text goes straight through the painter (filled, clipped, placed as TextRect would).
    QFont font;
    if (Style == d->FCellStyle) {
        font = d->FCellFont;
    } else if (Style == (d->FCellStyle | fsBold)) {
        font = d->FCellFontBold;
    } else {
        font = d->FCellFont;
        font.setBold(Style & fsBold);
        font.setItalic(Style & fsItalic);
        font.setUnderline(Style & fsUnderline);
        font.setStrikeOut(Style & fsStrikeOut);
    }
    if (QPainter *p = Canvas()->Handle())
        d->FTextPainter.Draw(p, font, QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()), X, Y, Text,
                             ToQColor(Fore), ToQColor(Back));
}

void TNTabEd::DrawFixedCell(int ACol, int ARow, TRect Rect)
{
    const TFontStyles normalStyle = Font()->Style();
    if (ACol == 0 && ARow == 0) {
        if (d->FCommentMMActive) {
            DrawCellText(Rect, Rect.Left + 2, Rect.Top + 1, QStringLiteral("Comment:"), 0xFFFFFF, 0x808000,
                         0);
        } else {
            const TGridRect sel = Selection();
            DrawCellText(Rect, Rect.Left + 3, Rect.Top + 2,
                         QStringLiteral("%1:%2").arg(sel.Left - d->FColOffset).arg(sel.Top - d->FRowOffset),
                         d->FColorNormal, clWindow, 0);
        }
        return;
    }
    if (Rect.Width() > 0) {
        ++Rect.Left;
        --Rect.Right;
    }
    if (Rect.Height() > 0) {
        ++Rect.Top;
        --Rect.Bottom;
    }
    const TGridRect sel = Selection();
    QString text;
    int dy = 1;
    bool current = false;
    bool rightEdge = true;
    if (ACol == 0 && ARow > d->FRowOffset) {
        text = GetRowName(ARow - d->FRowOffset);
        dy = 0;
        current = ARow == sel.Top;
    } else if (ACol == 1 && d->FColOffset == 1 && ARow > d->FRowOffset) {
        text = QString::number(GetRowAttrib(ARow - d->FRowOffset));
        current = ARow == sel.Top;
    } else if (ARow == 0 && ACol > d->FColOffset) {
        text = GetColName(ACol - d->FColOffset);
        current = ACol == sel.Left;
    } else if (ARow == 1 && d->FRowOffset == 1 && ACol > d->FColOffset) {
        text = QString::number(GetColAttrib(ACol - d->FColOffset));
        current = ACol == sel.Left;
    } else if (ACol == 0 && ARow == 1 && d->FRowOffset == 1) {
        text = QStringLiteral("Attribute");
    } else if (ACol == 1 && ARow == 0 && d->FColOffset == 1) {
        text = QStringLiteral("Attrib");
        rightEdge = false;
    } else {
        return; // cell (1, 1) between the two attribute headings stays blank
    }
    if (rightEdge) Rect.Right -= 2;
    DrawCellText(Rect, Rect.Left + 2, Rect.Top + dy, text, current ? d->FColorSelected : d->FColorNormal,
                 d->FColorFixed, current && d->FBoldSelHeads ? (normalStyle | fsBold) : normalStyle);
}

void TNTabEd::FontChanged()
{
    TCustomDrawGrid::FontChanged();
    Canvas()->SetFont(*Font());
    Repaint();
}

void TNTabEd::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    const TGridRect sel = Selection();
    if (!(sel == d->FOldSel)) {
        d->FOldSel = sel;
        ChangedSelection();
    }
    if (OnTopLeftChanged()) OnTopLeftChanged()(this);
}

void TNTabEd::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomDrawGrid::MouseMove(Shift, X, Y);
    const TGridRect sel = Selection();
    if (!(sel == d->FOldSel)) {
        d->FOldSel = sel;
        ChangedSelection();
        InvalidateCell(0, 0);
    }
}

// ==== sizes =========================================================================================

int TNTabEd::GetColWidths(int Index) const
{
    if (Index > 0) return TCustomGrid::ColWidths(Index + d->FColOffset);
    if (Index == 0) return TCustomGrid::ColWidths(0);
    return d->FColOffset == 1 ? TCustomGrid::ColWidths(1) : 0;
}

void TNTabEd::SetColWidths(int Index, int Value)
{
    if (Index > 0) {
        TCustomGrid::SetColWidths(Index + d->FColOffset, Value);
    } else if (Index == 0) {
        TCustomGrid::SetColWidths(0, Value);
    } else if (d->FColOffset == 1) {
        TCustomGrid::SetColWidths(1, Value);
        d->FClassColWidth = std::max(0, Value);
    }
    ChangedLayout();
}

void TNTabEd::SetRowHeight(int Index, int Value)
{
    if (Index > 0) {
        if (Index > RowCount() - d->FRowOffset - 1) return;
        SetRowHeights(Index + d->FRowOffset, Value);
    } else if (Index == 0) {
        SetRowHeights(0, Value);
    } else if (d->FRowOffset == 1) {
        SetRowHeights(1, Value);
    }
}

int TNTabEd::AutoRowHeight(int RowNr, int Addon)
{
    TCanvas *cv = Canvas();
    cv->SetFont(*Font());
    const int h = std::max(8, cv->TextHeight(kRowHeightSample) + Addon + 2);
    SetRowHeight(RowNr, h);
    return h;
}

int TNTabEd::AutoColWidth(int ColNr, bool IncludeHeader, int Addon)
{
    TCanvas *cv = Canvas();
    cv->SetFont(*Font());
    int w = 0;
    if (ColNr == -1) {
        w = cv->TextWidth(IncludeHeader ? QStringLiteral("Attrib") : QStringLiteral("255"));
    } else if (ColNr == 0) {
        w = cv->TextWidth(QStringLiteral("999:9999"));
        for (int r = 1; r <= NrOfRows(); ++r)
            w = std::max(w, cv->TextWidth(GetRowName(r)));
    } else if (ColNr >= 1 && ColNr <= NrOfColumns()) {
        w = IncludeHeader ? cv->TextWidth(GetColName(ColNr)) : 0;
        w = std::max(w, cv->TextWidth(QString::number(GetColAttrib(ColNr))));
        const int places = GetDecPlaces(ColNr);
        for (int r = 1; r <= NrOfRows(); ++r)
            w = std::max(w, cv->TextWidth(FormatCellNumber(d->FNumWidth, places, GetElem(ColNr, r))));
    }
    w = std::max(4, w + 8 + Addon);
    SetColWidths(ColNr, w);
    return w;
}

// ==== attribute column and row ===========================================================================

bool TNTabEd::AttribRowVisible() const
{
    return d->FColOffset == 1;
}

void TNTabEd::SetAttribRowVisible(bool Value)
{
    if (Value == (d->FColOffset == 1)) return;
    HideEditor();
    if (Value) {
        d->FColOffset = 1;
        SetColCount(NrOfColumns() + 2);
        for (int c = ColCount() - 1; c >= 2; --c)
            TCustomGrid::SetColWidths(c, TCustomGrid::ColWidths(c - 1));
        TCustomGrid::SetColWidths(1, d->FClassColWidth);
    } else {
        d->FColOffset = 0;
        for (int c = 1; c <= ColCount() - 2; ++c)
            TCustomGrid::SetColWidths(c, TCustomGrid::ColWidths(c + 1));
        SetColCount(NrOfColumns() + 1);
    }
    SyncGridShape();
    ChangedLayout();
}

bool TNTabEd::AttribColVisible() const
{
    return d->FRowOffset == 1;
}

void TNTabEd::SetAttribColVisible(bool Value)
{
    if (Value == (d->FRowOffset == 1)) return;
    HideEditor();
    if (Value) {
        d->FRowOffset = 1;
        SetRowCount(NrOfRows() + 2);
        for (int r = RowCount() - 1; r >= 2; --r) {
            const int h = RowHeights(r - 1);
            if (RowHeights(r) != h) SetRowHeights(r, h);
        }
        SetRowHeights(1, RowHeights(0));
    } else {
        d->FRowOffset = 0;
        for (int r = 1; r <= RowCount() - 2; ++r) {
            const int h = RowHeights(r + 1);
            if (RowHeights(r) != h) SetRowHeights(r, h);
        }
        SetRowCount(NrOfRows() + 1);
    }
    SyncGridShape();
    ChangedLayout();
}

// ==== model access ====================================================================================

double TNTabEd::GetElem(int ACol, int ARow) const
{
    return d->Data->GetElem(ACol, ARow);
}

void TNTabEd::SetElem(int ACol, int ARow, double Value)
{
    d->Data->SetElem(ACol, ARow, Value);
}

quint8 TNTabEd::GetCellState(int ACol, int ARow) const
{
    return d->Data->GetCellState(ACol, ARow);
}

void TNTabEd::SetCellState(int ACol, int ARow, quint8 State)
{
    if (ACol < 1 || ARow < 1 || ACol > NrOfColumns() || ARow > NrOfRows()) return;
    d->Data->SetCellState(ACol, ARow, State);
    RepaintIfFree();
    ChangedCellStates();
}

bool TNTabEd::GetIsNumber(int ACol, int ARow) const
{
    return d->Data->GetIsNumber(ACol, ARow);
}

bool TNTabEd::GetIsEmpty(int ACol, int ARow) const
{
    return d->Data->GetCellState(ACol, ARow) & ntsEmpty;
}

void TNTabEd::SetIsEmpty(int ACol, int ARow, bool Value)
{
    if (ACol < 1 || ARow < 1 || ACol > NrOfColumns() || ARow > NrOfRows()) return;
    const quint8 st = d->Data->GetCellState(ACol, ARow);
    d->Data->SetCellState(ACol, ARow, Value ? quint8(st | ntsEmpty) : quint8(st & ~ntsEmpty));
    ChangedCellStates();
}

void TNTabEd::Fill(double Value)
{
    d->Data->Fill(Value);
}

QString TNTabEd::GetColName(int Index) const
{
    return Index >= 1 && Index <= NrOfColumns() ? d->Data->GetColName(Index) : QString();
}

void TNTabEd::SetColName(int Index, const QString &Name)
{
    if (Index < 1 || Index > NrOfColumns()) return;
    d->Data->SetColName(Index, Name.left(TDataTable::MaxNameLength));
    ChangedHeading();
    RepaintIfFree();
}

QString TNTabEd::GetRowName(int Index) const
{
    return Index >= 1 && Index <= NrOfRows() ? d->Data->GetRowName(Index) : QString();
}

void TNTabEd::SetRowName(int Index, const QString &Name)
{
    if (Index < 1 || Index > NrOfRows()) return;
    d->Data->SetRowName(Index, Name.left(TDataTable::MaxNameLength));
    ChangedHeading();
    RepaintIfFree();
}

quint8 TNTabEd::GetColAttrib(int Index) const
{
    return Index >= 1 && Index <= NrOfColumns() ? quint8(d->Data->GetColAttrib(Index)) : 0;
}

void TNTabEd::SetColAttrib(int Index, quint8 Value)
{
    if (Index < 1 || Index > NrOfColumns()) return;
    d->Data->SetColAttrib(Index, Value);
    RepaintIfFree();
    ChangedAttrib();
}

quint8 TNTabEd::GetRowAttrib(int Index) const
{
    return Index >= 1 && Index <= NrOfRows() ? quint8(d->Data->GetRowAttrib(Index)) : 0;
}

void TNTabEd::SetRowAttrib(int Index, quint8 Value)
{
    if (Index < 1 || Index > NrOfRows()) return;
    d->Data->SetRowAttrib(Index, Value);
    RepaintIfFree();
    ChangedAttrib();
}

int TNTabEd::GetDecPlaces(int Col) const
{
    return Col >= 1 && size_t(Col) <= d->FDecP.size() ? d->FDecP[size_t(Col - 1)] : 0;
}

void TNTabEd::SetDecPlaces(int Col, int Value)
{
    if (Col < 1 || size_t(Col) > d->FDecP.size()) return;
    d->FDecP[size_t(Col - 1)] = qint8(std::clamp(Value, -1, 10));
    RepaintIfFree();
    ChangedLayout();
}

QString TNTabEd::Comment() const
{
    return d->Data->Comment();
}

void TNTabEd::SetComment(const QString &Value)
{
    {
        TNTabBulk hold(d.get(), true); // one OnChange, not the table's as well
        d->Data->SetFComment(RemoveControlChars(Value));
    }
    ChangedData();
}

} // namespace kro
