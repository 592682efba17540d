#pragma once
// Private state of TNTabEd (not installed).

#include <krogui/ntabed/ntabed.h>

#include "celltextpainter_p.h"

#include <QPointer>
#include <QStringList>

#include <array>
#include <vector>

class QAction;
class QLineEdit;
class QPlainTextEdit;

namespace kro {

struct TNTabEdPrivate
{
    // The table shown: the editor's own (FOwnData) or one assigned from outside.
    TDataTable *Data = nullptr;
    std::unique_ptr<TDataTable> FOwnData;
    bool FExtMatAssigned = false;
    QMetaObject::Connection FExtDestroyed;

    int FColOffset = 1;
    int FRowOffset = 0;
    std::vector<qint8> FDecP;
    int FNumWidth = 1;
    int FClassColWidth = 32;
    TGridRect FOldSel{-1, -1, -1, -1};
    bool FSuppressPaint = false;
    bool FInternSuppPaint = false;
    bool FNotifyHeld = false; // the table's change notification is disconnected
    bool FOptRowHeight = false;
    bool FBoldMarks = true;
    bool FBoldSelHeads = true;
    bool FReadOnly = false;
    bool FAutoAdvance = true;
    TOrientation FAutoAdvDir = orVertical;
    bool FClipUseFullPrec = true;
    bool FBlockIntPopup = false;
    bool FCommEdAllowed = true;
    int FDropdownCount = 8;

    TColor FColorBkgnd = clWindow;
    TColor FColorFixed = clBtnFace;
    TColor FColorNormal = 0x002000;
    TColor FColorMarked1 = 0x0000FF;
    TColor FColorMarked2 = 0xFF0000;
    TColor FColorMarkedBoth = 0xCC00BB;
    TColor FColorSelected = 0x404040;
    TColor FColorRngSelFG = 0x80552C;
    TColor FColorRngSelBG = 0xF8E8E0;

    bool FSortIncludeHd = false;

    // Painting: the cell fonts of the current paint and the text painter that caches their glyphs.
    QFont FCellFont, FCellFontBold;
    TFontStyles FCellStyle = 0;
    TCellTextPainter FTextPainter;

    // Editing and menus.
    QLineEdit *FNameEd = nullptr;
    bool FNameEdActive = false;
    int FNameEdCol = 0, FNameEdRow = 0; // grid cell whose heading the editor holds
    QPlainTextEdit *FCommentMM = nullptr;
    bool FCommentMMActive = false;
    QMenu *FPopupD = nullptr;
    QMenu *FPopupH = nullptr;
    std::array<QAction *, 12> FDItems{};
    std::array<QMenu *, 4> FDSubMenus{};
    std::array<std::array<QAction *, 4>, 4> FSubItems{}; // M1, M2, U1, U2
    std::array<QAction *, 5> FHItems{};
    int FPopupDMask = 2147483647;
    int FPopupHMask = 2147483647;
    int FPopupMMask = 2147483647;
    int FPopupUMask = 2147483647;
    QStringList FColPickList;
    QPoint FHeadMenuPos;
    TRect FHeadFrame;               // heading cell framed while its menu is open (empty: none)
    bool FPrecisionPending = false; // "Change Precision" reopens the menu once it has closed

    int ClickCol = 0, ClickRow = 0;
    int LastClickX = -1, LastClickY = -1;

    // Internal copy buffer.
    std::unique_ptr<TDataTable> FDataCopy;
    bool FDataCopyAvail = false;

    TNotifyEvent FOnChange, FOnHeadingChanged, FOnAttributeChanged, FOnLayoutChanged, FOnCellStateChanged,
        FOnSelectionChanged, FOnChangeSetup, FOnPaste;
    TOnPercentDoneEvent FOnPercentDone;
    TBeforeRenderCellEvent FOnBeforeRenderCell;
    TBeforePopupEvent FOnBeforePopup;
};

/// Runs a callable when the scope ends.
template <class F> struct ScopeExit
{
    F Fn;
    ~ScopeExit() { Fn(); }
};
template <class F> ScopeExit(F) -> ScopeExit<F>;

/// Holds the editor's own suppression (and optionally the table's change notification) for the
/// length of a bulk operation; restores the previous state on every exit path.
class TNTabBulk
{
public:
    TNTabBulk(TNTabEdPrivate *D, bool HoldNotify)
        : FD(D), FOldSupp(D->FInternSuppPaint), FOldHeld(D->FNotifyHeld)
    {
        D->FInternSuppPaint = true;
        if (HoldNotify) D->FNotifyHeld = true;
    }
    ~TNTabBulk()
    {
        FD->FInternSuppPaint = FOldSupp;
        FD->FNotifyHeld = FOldHeld;
    }
    TNTabBulk(const TNTabBulk &) = delete;
    TNTabBulk &operator=(const TNTabBulk &) = delete;

private:
    TNTabEdPrivate *FD;
    bool FOldSupp, FOldHeld;
};

} // namespace kro
