#pragma once
// Shared value types, enumerations and constants of krogui.

#include <krogui/kroguiexport.h>

#include <QMetaEnum>
#include <QObject>
#include <QString>
#include <QStringList>

class QMimeData;

#include <cfloat>
#include <functional>
#include <vector>

namespace kro {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)

/// A colour: 0x00BBGGRR for an RGB colour; 0xFF0000nn names a system colour that is resolved
/// through the application palette (see ColorToRGB).
using TColor = quint32;

// The sixteen VGA colours, the four extended ones and the special values.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours (0xFF000000 | index).
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clBackground = 0xFF000001;
constexpr TColor clActiveCaption = 0xFF000002;
constexpr TColor clInactiveCaption = 0xFF000003;
constexpr TColor clMenu = 0xFF000004;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clCaptionText = 0xFF000009;
constexpr TColor clActiveBorder = 0xFF00000A;
constexpr TColor clInactiveBorder = 0xFF00000B;
constexpr TColor clAppWorkSpace = 0xFF00000C;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clInactiveCaptionText = 0xFF000013;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;
constexpr TColor clInfoText = 0xFF000017;
constexpr TColor clInfoBk = 0xFF000018;
constexpr TColor clHotLight = 0xFF00001A;
constexpr TColor clGradientActiveCaption = 0xFF00001B;

/// Builds a TColor from its red, green and blue parts.
constexpr TColor RGB(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int GetRValue(TColor c)
{
    return int(c & 0xFF);
}
constexpr int GetGValue(TColor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c)
{
    return int((c >> 16) & 0xFF);
}

// ---- companion enumerations (ordinals are fixed) ----------------------------
enum TColorScheme : int { csBWG, csSystem };
Q_ENUM_NS(TColorScheme)
enum TFrameStyle : int { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
Q_ENUM_NS(TFrameStyle)
enum TDecPSep : int { dsSystem, dsPoint, dsComma, dsBoth };
Q_ENUM_NS(TDecPSep)
enum TDirection : int { dirUp, dirDown, dirLeft, dirRight };
Q_ENUM_NS(TDirection)
enum TOrientation : int { orVertical, orHorizontal };
Q_ENUM_NS(TOrientation)
enum TBkgFill : int { bfSimple, bfStretch, bfTile };
Q_ENUM_NS(TBkgFill)
enum TLanguage : int { lgNone, lgEnglish, lgGerman, lgFrench, lgSpanish };
Q_ENUM_NS(TLanguage)
enum TLogicOp : int { loAND, loOR, loXOR, loANDNOT, loORNOT };
Q_ENUM_NS(TLogicOp)

// ---- framework enumerations --------------------------------------------------
enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)
enum TMouseButton : int { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)
enum TBorderStyle : int { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)
enum TScrollStyle : int { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)

/// Modifier keys and mouse buttons held during an input event (a set of flags).
enum TShiftStateFlag : unsigned {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40
};
using TShiftState = unsigned;

/// Component state flags (a set): loading from a stored form, placed in a designer.
enum TComponentStateFlag : unsigned { csLoading = 0x01, csDesigning = 0x02 };
using TComponentState = unsigned;

// ---- shared types ------------------------------------------------------------
/// A rectangle as the framework has it: Right and Bottom are exclusive (the pixels covered are
/// Left..Right-1 and Top..Bottom-1).
struct TRect
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
    constexpr bool operator==(const TRect &) const = default;
};
constexpr TRect Rect(int Left, int Top, int Right, int Bottom)
{
    return TRect{Left, Top, Right, Bottom};
}

using TDoubleArray = std::vector<double>;
using TOpenStringArray = QStringList;

using TNotifyEvent = std::function<void(QObject *Sender)>;
using TMouseEvent =
    std::function<void(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject *Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(QObject *Sender, quint16 &Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(QObject *Sender, QChar &Key)>;
/// How a control starts dragging: by its own call to BeginDrag, or on every left press.
enum TDragMode : int { dmManual, dmAutomatic };
Q_ENUM_NS(TDragMode)
/// Where a drag is relative to the control a TDragOverEvent is fired for.
enum TDragState : int { dsDragEnter, dsDragLeave, dsDragMove };
Q_ENUM_NS(TDragState)

/// The drag begins; the handler may put data (text, URLs) into DragObject for other applications.
using TStartDragEvent = std::function<void(QObject *Sender, QMimeData &DragObject)>;
/// Something dragged from Source is over the control at (X, Y); Accept says whether it may be
/// dropped here (preset to true when the handler is assigned).
using TDragOverEvent =
    std::function<void(QObject *Sender, QObject *Source, int X, int Y, TDragState State, bool &Accept)>;
/// Source was dropped on the control at (X, Y).
using TDragDropEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y)>;
/// The drag that began on the control ended; Target is the control it was dropped on (nullptr
/// when cancelled or dropped outside the application), (X, Y) the point in Target.
using TEndDragEvent = std::function<void(QObject *Sender, QObject *Target, int X, int Y)>;

/// Progress of a long operation, in percent (0..100).
using TOnPercentDoneEvent = std::function<void(QObject *Sender, int Percent)>;
/// Called before two rows (What = 0) or columns (What = 1) are exchanged while sorting.
using TBeforeSortExchgEvent = std::function<void(QObject *Sender, int What, int Ix1, int Ix2)>;

// ---- universal constants -------------------------------------------------------
constexpr double uc_MaxDouble = DBL_MAX;
/// Larger than any distance the controls compute.
constexpr double uc_MaxReal = 1.0e30;
constexpr double uc_ln10 = 2.30258509299404568402;
constexpr double uc_Pi = 3.14159265358979323846;

/// Whether Value is one of the values its enumeration declares. The property system and stored
/// forms can hand an enumeration setter any number; the setters of published enumerations
/// ignore the numbers this refuses.
template <class E> bool IsDeclaredValue(E Value)
{
    return QMetaEnum::fromType<E>().valueToKey(static_cast<int>(Value)) != nullptr;
}

} // namespace kro
