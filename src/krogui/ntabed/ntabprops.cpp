// TNTabEd: the published properties.
#include <krogui/ntabed/ntabed.h>

#include "ntabed_p.h"

#include <krogui/grid/inplaceedit.h>

#include <QMenu>

namespace kro {

int TNTabEd::NumWidth() const
{
    return d->FNumWidth;
}

void TNTabEd::SetNumWidth(int Value)
{
    if (Value >= 1 && Value <= 20 && Value != d->FNumWidth) {
        d->FNumWidth = Value;
        RepaintIfFree();
    }
    ChangedLayout();
}

void TNTabEd::SetDefaultColWidth(int Value)
{
    TCustomGrid::SetDefaultColWidth(Value);
    TCustomGrid::SetColWidths(0, 80);
    if (d->FColOffset == 1) TCustomGrid::SetColWidths(1, d->FClassColWidth);
    ChangedLayout();
}

bool TNTabEd::OptimizeRowHeight() const
{
    return d->FOptRowHeight;
}

void TNTabEd::SetOptimizeRowHeight(bool Value)
{
    if (Value == d->FOptRowHeight) return;
    d->FOptRowHeight = Value;
    RepaintIfFree();
}

TColor TNTabEd::ColorBackground() const
{
    return d->FColorBkgnd;
}

void TNTabEd::SetColorBackground(TColor Value)
{
    if (Value == d->FColorBkgnd) return;
    d->FColorBkgnd = Value;
    TCustomGrid::SetColor(Value);
}

TColor TNTabEd::ColorFixed() const
{
    return d->FColorFixed;
}

void TNTabEd::SetColorFixed(TColor Value)
{
    if (Value == d->FColorFixed) return;
    d->FColorFixed = Value;
    TCustomGrid::SetFixedColor(Value);
}

// The text colours are stored without comparing; each repaints and reports a layout change.
#define KRO_NTAB_COLOR(Name, Field)                                                                          \
    TColor TNTabEd::Name() const                                                                             \
    {                                                                                                        \
        return d->Field;                                                                                     \
    }                                                                                                        \
    void TNTabEd::Set##Name(TColor Value)                                                                    \
    {                                                                                                        \
        d->Field = Value;                                                                                    \
        RepaintIfFree();                                                                                     \
        ChangedLayout();                                                                                     \
    }
KRO_NTAB_COLOR(ColorNormal, FColorNormal)
KRO_NTAB_COLOR(ColorSelected, FColorSelected)
KRO_NTAB_COLOR(ColorMarkedA, FColorMarked1)
KRO_NTAB_COLOR(ColorMarkedB, FColorMarked2)
KRO_NTAB_COLOR(ColorMarkedBoth, FColorMarkedBoth)
KRO_NTAB_COLOR(ColorRangeSelFG, FColorRngSelFG)
KRO_NTAB_COLOR(ColorRangeSelBG, FColorRngSelBG)
#undef KRO_NTAB_COLOR

bool TNTabEd::BoldMarks() const
{
    return d->FBoldMarks;
}

void TNTabEd::SetBoldMarks(bool Value)
{
    if (Value == d->FBoldMarks) return;
    d->FBoldMarks = Value;
    ChangedLayout();
}

bool TNTabEd::BoldSelHeads() const
{
    return d->FBoldSelHeads;
}

void TNTabEd::SetBoldSelHeads(bool Value)
{
    if (Value == d->FBoldSelHeads) return;
    d->FBoldSelHeads = Value;
    ChangedLayout();
}

bool TNTabEd::ClipboardUseFullPrec() const
{
    return d->FClipUseFullPrec;
}

void TNTabEd::SetClipboardUseFullPrec(bool Value)
{
    d->FClipUseFullPrec = Value;
}

bool TNTabEd::DataReadOnly() const
{
    return d->FReadOnly;
}

void TNTabEd::SetDataReadOnly(bool Value)
{
    if (Value == d->FReadOnly) return;
    d->FReadOnly = Value;
    if (Value) {
        if (EditorMode()) CancelEditor();
        SetEditorMode(false);
        SetOptions(Options() & ~TGridOptions(goEditing));
    } else {
        SetOptions(Options() | goEditing);
    }
}

bool TNTabEd::AutoAdvance() const
{
    return d->FAutoAdvance;
}

void TNTabEd::SetAutoAdvance(bool Value)
{
    d->FAutoAdvance = Value;
}

TOrientation TNTabEd::AutoAdvanceDir() const
{
    return d->FAutoAdvDir;
}

void TNTabEd::SetAutoAdvanceDir(TOrientation Value)
{
    if (!IsDeclaredValue(Value)) return;
    d->FAutoAdvDir = Value;
}

bool TNTabEd::BlockInternalPopup() const
{
    return d->FBlockIntPopup;
}

void TNTabEd::SetBlockInternalPopup(bool Value)
{
    d->FBlockIntPopup = Value;
}

bool TNTabEd::CommentEditingAllowed() const
{
    return d->FCommEdAllowed;
}

void TNTabEd::SetCommentEditingAllowed(bool Value)
{
    d->FCommEdAllowed = Value;
}

int TNTabEd::NomEditDropDownCount() const
{
    return d->FDropdownCount;
}

void TNTabEd::SetNomEditDropDownCount(int Value)
{
    d->FDropdownCount = std::max(1, Value);
    if (auto *list = qobject_cast<TInplaceEditList *>(InplaceEditor()))
        list->SetDropDownRows(d->FDropdownCount);
}

int TNTabEd::LeftCol() const
{
    return TCustomGrid::LeftCol() - d->FColOffset;
}

void TNTabEd::SetLeftCol(int Value)
{
    const int off = d->FColOffset;
    const qint64 v = std::clamp<qint64>(qint64(Value) + off, off + 1, std::max(off + 1, off + NrOfColumns()));
    TCustomGrid::SetLeftCol(int(v));
}

int TNTabEd::TopRow() const
{
    return TCustomGrid::TopRow() - d->FRowOffset;
}

void TNTabEd::SetTopRow(int Value)
{
    const int off = d->FRowOffset;
    const qint64 v = std::clamp<qint64>(qint64(Value) + off, off + 1, std::max(off + 1, off + NrOfRows()));
    TCustomGrid::SetTopRow(int(v));
    InvalidateGrid();
}

} // namespace kro
