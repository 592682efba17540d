#pragma once
// TRotLab: a label whose caption is drawn at any angle around an anchor point, with optional
// anti-aliasing, an engraved look when disabled, transparency and a frame.

#include <krogui/core/control.h>

#include <QPoint>

namespace kro {

struct TRotLabPrivate;

class KROGUI_EXPORT TRotLab : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY CaptionChanged USER true)
    Q_PROPERTY(int TextAngle READ TextAngle WRITE SetTextAngle)
    // AutoCenter first: a stored form sets it before the anchor it decides about.
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(int PosX READ PosX WRITE SetTextPosX)
    Q_PROPERTY(int PosY READ PosY WRITE SetTextPosY)
    Q_PROPERTY(kro::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AntiAlias READ AntiAlias WRITE SetAntiAlias)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
public:
    /// "Text measuring only" flag of DoDrawText: nothing is drawn.
    static constexpr int DT_CALCRECT = 0x400;

    /// A 200 x 200 transparent label, font "Arial" 11 pt, caption centred on the control's centre.
    explicit TRotLab(QWidget *Parent = nullptr);
    ~TRotLab() override;

    // ---- properties (every setter ignores an unchanged value and repaints: invalidates while
    //      Transparent so the parent repaints underneath, composes at once otherwise) ----
    /// The text.
    QString Caption() const;
    void SetCaption(const QString &Value);
    /// Angle of the text in degrees, counter-clockwise (any value; 90 reads upwards).
    int TextAngle() const;
    void SetTextAngle(int Value);
    /// The anchor point in pixels (kept within +-2^28). While AutoCenter is on, setting it
    /// re-centres instead.
    int PosX() const;
    void SetTextPosX(int Value);
    int PosY() const;
    void SetTextPosY(int Value);
    /// When on, the anchor follows the control's centre (also after every resize).
    bool AutoCenter() const;
    void SetAutoCenter(bool Value);
    /// Which point of the text sits on the anchor: the middle of its left edge, its centre, or
    /// the middle of its right edge.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    /// Smoothed glyphs; off draws hard-edged glyphs, keeping face, size, weight and slant.
    bool AntiAlias() const;
    void SetAntiAlias(bool Value);
    /// No background: only the caption and the frame cover the parent.
    bool Transparent() const;
    void SetTransparent(bool Value);
    /// Background colour (used when not Transparent).
    void SetColor(TColor Value) override;
    using TGraphicControl::SetColor; // the QColor forms
    /// Frame drawn around the control.
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);

    // ---- methods ----
    /// PosX := Width div 2, PosY := Height div 2.
    void AdjustAutoCenter();
    /// Where TextOut must start (the unrotated top-left corner of the text) so that the point of
    /// the text chosen by Alignment lands on (PosX, PosY) after rotating by Angle degrees around
    /// that corner. HalfWidth and HalfHeight are half the text's width and height.
    static QPoint CalcTextOrigin(TAlignment Alignment, int PosX, int PosY, int HalfWidth, int HalfHeight,
                                 int Angle);
    /// From another TRotLab: AutoCenter, FrameStyle, TextAngle, PosX, PosY and AntiAlias; then
    /// invalidates.
    void Assign(const TComponentBase *Source) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    /// The constructor size, at least the least size.
    QSize sizeHint() const override;
    /// The rotated caption whole around its anchor (centred while AutoCenter is on), inside the
    /// frame.
    QSize minimumSizeHint() const override;

    /// Static text: the caption is its name.
    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }

Q_SIGNALS:
    /// The caption changed.
    void CaptionChanged(const QString &Caption);

protected:
    /// The label's painting: background unless Transparent, DoDrawText, then the frame.
    void Paint() override;
    /// Repaints and lets a layout ask for the new size hints (they follow the font).
    void FontChanged() override;
    /// Draws the caption rotated around its anchor (nothing when Flags has DT_CALCRECT).
    virtual void DoDrawText(TRect &Rect, int Flags);
    /// Re-centres the anchor when AutoCenter is on; an application's OnResize runs after it.
    void Resize() override;

private:
    void Changed();
    void DrawCaption(TCanvas *C, bool MaskOnly);
    std::unique_ptr<TRotLabPrivate> const d;
};

} // namespace kro
