#pragma once
// The Qt faces of colour and font properties.
//
// Every colour property of a control is a TColor (0x00BBGGRR, or a special value: a system colour
// 0xFF0000nn, clNone, clDefault) and also a QColor, the type Qt Designer edits and a .ui form
// stores. The stored QColor keeps the special values apart from ordinary colours by its alpha:
//
//   alpha 255 (any alpha from 3 up)   an ordinary colour, alpha ignored
//   alpha 1                           the system colour whose index is the blue component
//                                     (clBtnFace = 0xFF00000F is QColor(0, 0, 15, 1))
//   alpha 0 (Qt::transparent)         clNone
//   alpha 2                           clDefault
//
// so a form keeps a system colour as a system colour: it follows the palette after reloading.
// A font property (TFont) is stored as a QFont (family, point size, bold, italic, underline,
// strike-out and smoothing) plus a colour property of its own, <Name>Color.
//
// A control declares the Qt face of its colour property X next to the classic getter and setter:
//
//   Q_PROPERTY(QColor X READ XStored WRITE SetX)
//   ...
//   TColor X() const;                  // classic
//   void SetX(TColor Value);           // classic
//   KRO_COLOR_FACE(X)                  // XQColor(), XStored(), SetX(QColor), SetX(Qt::GlobalColor)
//
// and of its font property F (with TFont *F() and SetF(const TFont &)):
//
//   Q_PROPERTY(QFont F READ FStored WRITE SetF)
//   Q_PROPERTY(QColor FColor READ FColorStored WRITE SetFColor)
//   KRO_FONT_FACE(F)
//
// When the classic setter is declared in a base class, bring it into scope first
// (`using Base::SetX;`), or the QColor overloads hide it.
#include <QFont>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/graphicsobjects.h>

namespace kro {

/// The stored (form) QColor of a colour, special values encoded by alpha as described above.
KROGUI_EXPORT QColor ToStoredColor(TColor Color);
/// The colour a stored (or any) QColor stands for: alpha 0, 1 and 2 as described above, an
/// invalid QColor is clNone, every other QColor its RGB value.
KROGUI_EXPORT TColor FromStoredColor(const QColor &Color);
/// The stored form of a font: family, point size, bold, italic, underline, strike-out and the
/// smoothing as the style strategy (NoAntialias, PreferAntialias, PreferDefault). Colour and
/// rotation are not part of it.
KROGUI_EXPORT QFont ToStoredFont(const TFont &Font);
/// Current with family, size, style and smoothing taken from Value; colour and rotation kept. A
/// size Value does not set (neither point nor pixel size) keeps the current size; an empty family
/// keeps the current family.
KROGUI_EXPORT void AssignStoredFont(TFont &Current, const QFont &Value);

} // namespace kro

/// The QColor face of the colour property Name (see the top of this header).
#define KRO_COLOR_FACE(Name)                                                                                 \
    /** Name as an opaque QColor, system colours resolved through the palette. */                            \
    QColor Name##QColor() const                                                                              \
    {                                                                                                        \
        return ::kro::ToQColor(Name());                                                                      \
    }                                                                                                        \
    /** Name in its stored form (special colours kept, see propertyfaces.h). */                              \
    QColor Name##Stored() const                                                                              \
    {                                                                                                        \
        return ::kro::ToStoredColor(Name());                                                                 \
    }                                                                                                        \
    /** Sets Name from a QColor (the stored form of special colours is understood). */                       \
    void Set##Name(const QColor &Value)                                                                      \
    {                                                                                                        \
        Set##Name(::kro::FromStoredColor(Value));                                                            \
    }                                                                                                        \
    /** Sets Name from a Qt colour name such as Qt::red. */                                                  \
    void Set##Name(Qt::GlobalColor Value)                                                                    \
    {                                                                                                        \
        Set##Name(::kro::FromStoredColor(QColor(Value)));                                                    \
    }

/// The QFont face of the font property Name and the colour face of its colour, `Name##Color`.
#define KRO_FONT_FACE(Name)                                                                                  \
    /** Name in its stored form (see ToStoredFont). */                                                       \
    QFont Name##Stored() const                                                                               \
    {                                                                                                        \
        return ::kro::ToStoredFont(*Name());                                                                 \
    }                                                                                                        \
    /** Takes family, size, style and smoothing of Name from a QFont; colour and rotation stay. */           \
    void Set##Name(const QFont &Value)                                                                       \
    {                                                                                                        \
        ::kro::TFont F;                                                                                      \
        F.Assign(*Name());                                                                                   \
        ::kro::AssignStoredFont(F, Value);                                                                   \
        Set##Name(F);                                                                                        \
    }                                                                                                        \
    /** The colour of Name. */                                                                               \
    ::kro::TColor Name##Color() const                                                                        \
    {                                                                                                        \
        return Name()->Color();                                                                              \
    }                                                                                                        \
    /** Sets the colour of Name. */                                                                          \
    void Set##Name##Color(::kro::TColor Value)                                                               \
    {                                                                                                        \
        ::kro::TFont F;                                                                                      \
        F.Assign(*Name());                                                                                   \
        F.SetColor(Value);                                                                                   \
        Set##Name(F);                                                                                        \
    }                                                                                                        \
    KRO_COLOR_FACE(Name##Color)
