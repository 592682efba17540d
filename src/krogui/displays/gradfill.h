#pragma once
// TGradFill: an area filled with a stepped colour gradient of a fixed number of bands, from one
// edge to the other or from both edges towards a middle band, with optional grid lines and a
// frame. Applications may draw on top of it in OnPaint.

#include <krogui/core/control.h>
#include <krogui/graphics/propertyfaces.h>

namespace kro {

namespace GradFillEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// Horizontal bands changing from top to bottom, vertical bands changing from left to right,
/// and the two mirrored kinds with the first colour at both edges and the last in the middle.
enum TGradType : int { gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert };
Q_ENUM_NS(TGradType)
/// Grid lines over the gradient: none, horizontal, vertical or both.
enum TGridMode : int { gmNone, gmHoriz, gmVert, gmBoth };
Q_ENUM_NS(TGridMode)
} // namespace GradFillEnums
using namespace GradFillEnums;

struct TGradFillPrivate;

class KROGUI_EXPORT TGradFill : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(kro::GradFillEnums::TGradType FillType READ FillType WRITE SetFillType)
    Q_PROPERTY(int NrColors READ NrColors WRITE SetNrColors)
    // ColorFlipped comes before the colours: a form sets it first, so the colours it then sets
    // land where they were saved.
    Q_PROPERTY(bool ColorFlipped READ ColorFlipped WRITE SetColorFlipped)
    Q_PROPERTY(QColor ColorFirst READ ColorFirstStored WRITE SetColorFirst)
    Q_PROPERTY(QColor ColorLast READ ColorLastStored WRITE SetColorLast)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(kro::GradFillEnums::TGridMode GridMode READ GridMode WRITE SetGridMode)
    Q_PROPERTY(QColor GridColor READ GridColorStored WRITE SetGridColor)
public:
    /// A 121 x 121 area of 16 horizontal bands from maroon towards yellow, without frame or grid.
    explicit TGradFill(QWidget *Parent = nullptr);
    ~TGradFill() override;

    // ---- properties (every setter invalidates) ----
    /// The gradient type (SeTGradType).
    TGradType FillType() const;
    /// The property's writer: as SeTGradType, but a value that is not a gradient type is ignored,
    /// since an exception cannot pass through setProperty or a form being loaded.
    void SetFillType(TGradType Value);
    /// Raises EKROError("TGradFill.FillType") for a value that is not a gradient type.
    void SeTGradType(TGradType Value);
    /// Number of bands, clamped to 1..255.
    int NrColors() const;
    void SetNrColors(int Value);
    /// Colour of the first band (and of the edges of the mirrored types).
    TColor ColorFirst() const;
    void SetColorFirst(TColor Value);
    KRO_COLOR_FACE(ColorFirst)
    /// The colour the gradient runs towards.
    TColor ColorLast() const;
    void SetColorLast(TColor Value);
    KRO_COLOR_FACE(ColorLast)
    /// Exchanges the two colours; setting a colour while flipped sets it in its flipped place, so
    /// flipping back keeps the exchange consistent.
    bool ColorFlipped() const;
    void SetColorFlipped(bool Value);
    /// Frame drawn around the area.
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    /// Lines in GridColor on the band borders: horizontal lines at y = k * Height / NrColors,
    /// vertical lines at x = k * Width / NrColors (k = 1 .. NrColors - 1, rounded), or both.
    TGridMode GridMode() const;
    void SetGridMode(TGridMode Value);
    TColor GridColor() const;
    void SetGridColor(TColor Value);
    KRO_COLOR_FACE(GridColor)

    // ---- methods ----
    /// Draws the bands, the grid and the frame into Bitmap (of the control's size).
    void DrawGradient(TBitmap &Bitmap);

    // ---- events ----
    /// Fired after each paint, once the gradient is on the canvas: what it draws shows on top.
    void SetOnPaint(TNotifyEvent Handler);
    const TNotifyEvent &OnPaint() const;

    /// A few pixels for every band the frame leaves room for.
    QSize minimumSizeHint() const override;

    /// A graphic.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Graphic; }

Q_SIGNALS:
    /// Emitted right after the OnPaint handler, whether or not one is assigned; a directly
    /// connected slot may draw on Canvas() as the handler may.
    void onPaint(QObject *Sender);

protected:
    void Paint() override;

private:
    std::unique_ptr<TGradFillPrivate> const d;
};

} // namespace kro
