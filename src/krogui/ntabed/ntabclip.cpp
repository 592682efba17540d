// TNTabEd: the internal copy buffer and the exchange of number text with the system clipboard.
#include <krogui/ntabed/ntabed.h>

#include "ntabed_p.h"

#include <krogui/ntabed/ntabtext.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kro {

namespace {
// The clipboard's plain text; false when it holds none.
bool ClipboardText(QString &Text)
{
    const QClipboard *cb = QGuiApplication::clipboard();
    const QMimeData *md = cb ? cb->mimeData() : nullptr;
    if (!md || !md->hasText()) return false;
    Text = md->text();
    return true;
}
} // namespace

bool TNTabEd::CopyBufferAvailable() const
{
    return d->FDataCopyAvail;
}

void TNTabEd::CopyToClipboard()
{
    const TGridRect s = DataSelection();
    if (s.Right < s.Left || s.Bottom < s.Top) return;
    const int w = s.Right - s.Left + 1, h = s.Bottom - s.Top + 1;
    auto buffer = std::make_unique<TDataTable>();
    buffer->Resize(w, h);
    for (int c = s.Left; c <= s.Right; ++c)
        for (int r = s.Top; r <= s.Bottom; ++r) {
            buffer->SetElem(c - s.Left + 1, r - s.Top + 1, d->Data->GetElem(c, r));
            buffer->SetCellState(c - s.Left + 1, r - s.Top + 1, d->Data->GetCellState(c, r));
        }
    const QString text = CopyBlockText(*d->Data, s.Left, s.Top, s.Right, s.Bottom, d->FClipUseFullPrec,
                                       d->FDecP, d->FNumWidth);
    d->FDataCopy = std::move(buffer);
    if (QClipboard *cb = QGuiApplication::clipboard()) cb->setText(text);
    d->FDataCopyAvail = true;
}

void TNTabEd::PasteFromCopyBuffer()
{
    if (!d->FDataCopyAvail || d->FReadOnly) return;
    const TGridRect sel = Selection();
    const int c0 = sel.Left - d->FColOffset, r0 = sel.Top - d->FRowOffset;
    const TDataTable &buf = *d->FDataCopy;
    {
        TNTabBulk bulk(d.get(), true);
        for (int i = 1; i <= buf.NrOfColumns(); ++i)
            for (int j = 1; j <= buf.NrOfRows(); ++j) {
                const int c = c0 + i - 1, r = r0 + j - 1;
                if (c < 1 || r < 1 || c > NrOfColumns() || r > NrOfRows()) continue;
                d->Data->SetElem(c, r, buf.GetElem(i, j));
                d->Data->SetCellState(c, r, buf.GetCellState(i, j));
            }
    }
    Repaint();
    ChangedData();
    ChangedCellStates();
    if (d->FOnPaste) d->FOnPaste(this);
    Q_EMIT onPaste(this);
    SetSelection(GridRect(sel.Left, sel.Top, sel.Left + buf.NrOfColumns() - 1, sel.Top + buf.NrOfRows() - 1));
    d->FOldSel = Selection();
}

void TNTabEd::ExtractFromClipboard()
{
    QString text;
    if (d->FReadOnly || !ClipboardText(text)) return; // read-only data takes no values
    const TGridRect sel = Selection();
    const int c0 = sel.Left - d->FColOffset, r0 = sel.Top - d->FRowOffset;
    const int nc = NrOfColumns(), nr = NrOfRows();
    TClipScanResult res;
    {
        TNTabBulk bulk(d.get(), true);
        TDataTable *t = d->Data;
        res = ScanClipText(text, [t, c0, r0, nc, nr](int N, int M, double Value) {
            const qint64 c = qint64(c0) + N, r = qint64(r0) + M;
            if (c < 1 || r < 1 || c > nc || r > nr) return;
            t->SetElem(int(c), int(r), Value);
            // A number put into a cell makes it a number: it must not stay hidden as empty or invalid.
            const quint8 st = t->GetCellState(int(c), int(r));
            if (st & (ntsEmpty | ntsInvalid))
                t->SetCellState(int(c), int(r), quint8(st & ~(ntsEmpty | ntsInvalid)));
        });
    }
    Repaint();
    ChangedData();
    if (res.Any) ChangedCellStates();
    if (d->FOnPaste) d->FOnPaste(this);
    Q_EMIT onPaste(this);
    if (res.Any) {
        SetSelection(GridRect(sel.Left, sel.Top,
                              int(std::min<qint64>(qint64(sel.Left) + res.Cols - 1, ColCount() - 1)),
                              int(std::min<qint64>(qint64(sel.Top) + res.Rows - 1, RowCount() - 1))));
        d->FOldSel = Selection();
    }
}

bool TNTabEd::GetClipMatrixSize(int &NCols, int &NRows) const
{
    NCols = 1;
    NRows = 1;
    QString text;
    if (!ClipboardText(text)) return false;
    const TClipScanResult res = ScanClipText(text, {});
    if (!res.Any) return false;
    NCols = std::max(1, res.Cols);
    NRows = std::max(1, res.Rows);
    return true;
}

} // namespace kro
