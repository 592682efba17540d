#pragma once
// TNeedleLayout: the shape, colours and shadow of a meter needle.

#include <krogui/core/types.h>
#include <krogui/graphics/propertyfaces.h>

#include <QObject>

namespace kro {

/// The look of a meter needle: an arrow head on a straight body from the centre. Every setter
/// clamps where stated, does nothing when the value is unchanged and otherwise reports the change
/// (the owning meter repaints, then OnChange runs).
struct TNeedleLayoutPrivate;

class KROGUI_EXPORT TNeedleLayout : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int HeadSize READ HeadSize WRITE SetHeadSize)
    Q_PROPERTY(int HeadAngle READ HeadAngle WRITE SetHeadAngle)
    Q_PROPERTY(int HeadMidLeng READ HeadMidLeng WRITE SetHeadMidLeng)
    Q_PROPERTY(int Thickness READ Thickness WRITE SetThickness)
    Q_PROPERTY(QColor ColorBody READ ColorBodyStored WRITE SetColorBody)
    Q_PROPERTY(QColor ColorOutline READ ColorOutlineStored WRITE SetColorOutline)
    Q_PROPERTY(int PercentNeedleLength READ PercentNeedleLength WRITE SetPercentNeedleLength)
    Q_PROPERTY(int ShadowDx READ ShadowDx WRITE SetShadowDx)
    Q_PROPERTY(int ShadowDy READ ShadowDy WRITE SetShadowDy)
    Q_PROPERTY(QColor ShadowColor READ ShadowColorStored WRITE SetShadowColor)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TNeedleLayout(QObject *Parent = nullptr);
    ~TNeedleLayout() override;

    /// Length of the two edges of the head in pixels.
    int HeadSize() const;
    void SetHeadSize(int Value);
    /// Full opening angle of the head in degrees, clamped to 0..180.
    int HeadAngle() const;
    void SetHeadAngle(int Value);
    /// Distance in pixels from the tip back to where the body begins.
    int HeadMidLeng() const;
    void SetHeadMidLeng(int Value);
    /// Width of the body in pixels (0: a line).
    int Thickness() const;
    void SetThickness(int Value);
    /// Fill colour.
    TColor ColorBody() const;
    void SetColorBody(TColor Value);
    KRO_COLOR_FACE(ColorBody)
    /// Outline colour.
    TColor ColorOutline() const;
    void SetColorOutline(TColor Value);
    KRO_COLOR_FACE(ColorOutline)
    /// Length in percent of the scale radius less 4 pixels, clamped to 0..100.
    int PercentNeedleLength() const;
    void SetPercentNeedleLength(int Value);
    /// Shadow offset: the shadow is drawn shifted by (-ShadowDx, -ShadowDy); (0, 0) draws none.
    int ShadowDx() const;
    void SetShadowDx(int Value);
    int ShadowDy() const;
    void SetShadowDy(int Value);
    /// Colour of the shadow.
    TColor ShadowColor() const;
    void SetShadowColor(TColor Value);
    KRO_COLOR_FACE(ShadowColor)
    /// For the main needle: whether value changes fire the range events. For the second needle:
    /// also whether it is drawn.
    bool Visible() const;
    void SetVisible(bool Value);

    /// Copies every property of Source (not the handlers) and reports one change.
    void Assign(const TNeedleLayout &Source);

    /// Called with this layout as Sender after every change, after the owning meter has repainted.
    void SetOnChange(TNotifyEvent Handler);
    const TNotifyEvent &OnChange() const;

    /// The owner's own link (the meter repaints); kept apart from OnChange so that an application
    /// handler cannot cut it.
    void SetOwnerLink(std::function<void()> Link) { FOwnerLink = std::move(Link); }

Q_SIGNALS:
    /// Emitted after every change, right after OnChange.
    void onChange(QObject *Sender);

protected:
    /// Runs the owner's link, then OnChange.
    void Changed();

private:
    std::function<void()> FOwnerLink;
    std::unique_ptr<TNeedleLayoutPrivate> const d;
};

} // namespace kro
