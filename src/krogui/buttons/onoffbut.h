#pragma once
// TOnOffBut: a two-state button drawn from a sheet of four glyphs (on/off x enabled/disabled):
// check box, radio button, sliders, LEDs, arrows, a pedestrian light, smileys, a bulb, lamps or
// pictures of the application's own, with up to four captions around the glyph. It toggles on a
// click, can act as a momentary push button, groups with its siblings into radio-style groups
// and can be drawn transparently over its parent.

#include <krogui/core/control.h>
#include <krogui/graphics/propertyfaces.h>

#include <memory>

namespace kro {

namespace OnOffButEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// The look of the button: which glyph sheet it shows (oobsUser: the application's own).
enum TOnOffButStyle : int {
    oobsUser,
    oobsCheckbox,
    oobsRadioBut,
    oobsSlideTB,
    oobsSlideLR,
    oobsColSlideTB,
    oobsColSlideLR,
    oobsLedRedGreen,
    oobsArrowTopRgt,
    oobsArrowUpDown,
    oobsArrowLeftRight,
    oobsTrafficLPed,
    oobsBeveledLed,
    oobsSmileyYellow,
    oobsSmileyRedGrn,
    oobsBulb,
    oobsButLamp,
    oobsHDLeft,
    oobsHDRight,
    oobsUser1,
    oobsUser2,
    oobsUser3,
    oobsUser4,
    oobsUser5
};
Q_ENUM_NS(TOnOffButStyle)
/// Where the mouse may toggle the button: nowhere, on the glyph, anywhere on the control.
enum TOOButMouseAction : int { oomaNone, oomaFocused, oomaPlain };
Q_ENUM_NS(TOOButMouseAction)
/// A toggle, or a momentary push button that is on only while held.
enum TOOButMode : int { oobmNormalBut, oobmSpeedBut };
Q_ENUM_NS(TOOButMode)
} // namespace OnOffButEnums
using namespace OnOffButEnums;

/// The name of the glyph sheet of a style ("CHECKBOX", ...), empty for oobsUser.
KROGUI_EXPORT QString OnOffButResourceName(TOnOffButStyle Style);

struct TOnOffButPrivate;

class KROGUI_EXPORT TOnOffBut : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(bool OnOff READ OnOff WRITE SetOnOff NOTIFY OnOffChanged USER true)
    Q_PROPERTY(bool AllowAllOff READ AllowAllOff WRITE SetAllowAllOff)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(QString TopText READ TopText WRITE SetTopText)
    Q_PROPERTY(QString BottomText READ BottomText WRITE SetBottomText)
    Q_PROPERTY(kro::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
    Q_PROPERTY(kro::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
    Q_PROPERTY(kro::TAlignment TopTextAlignment READ TopTextAlignment WRITE SetTopTextAlignment)
    Q_PROPERTY(kro::TAlignment BottomTextAlignment READ BottomTextAlignment WRITE SetBottomTextAlignment)
    Q_PROPERTY(kro::OnOffButEnums::TOnOffButStyle ButtonStyle READ ButtonStyle WRITE SetButtonStyle)
    Q_PROPERTY(QColor ColorBackgnd READ ColorBackgndStored WRITE SetColorBackgnd)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(QColor ColorText READ ColorTextStored WRITE SetColorText)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(int TopSpace READ TopSpace WRITE SetTopSpace)
    Q_PROPERTY(kro::OnOffButEnums::TOOButMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(kro::OnOffButEnums::TOOButMouseAction MouseAction READ MouseAction WRITE SetMouseAction)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
public:
    /// A 100 x 50 coloured left-right slider, on, centred, lowered frame.
    explicit TOnOffBut(QWidget *Parent = nullptr);
    ~TOnOffBut() override;

    // ---- state ----
    /// The state. Switching off is ignored in a group (GroupIndex <> 0) that does not allow all
    /// buttons off; switching on switches the other members of the group off.
    bool OnOff() const;
    void SetOnOff(bool Value);
    /// Siblings with the same non-zero GroupIndex form a group in which at most one is on.
    int GroupIndex() const;
    void SetGroupIndex(int Value);
    /// Whether the group may have no button on; shared by the whole group.
    bool AllowAllOff() const;
    void SetAllowAllOff(bool Value);
    /// Normal toggle, or momentary (on only while the mouse holds it; setting it switches off).
    TOOButMode Mode() const;
    void SetMode(TOOButMode Value);
    /// Where a click toggles (oomaFocused: strictly inside the glyph's box).
    TOOButMouseAction MouseAction() const;
    void SetMouseAction(TOOButMouseAction Value);
    /// Disabled buttons show the greyed glyphs and engraved captions and ignore input.
    void SetEnabled(bool Value) override;

    // ---- look ----
    /// The glyph sheet; changing it reloads the glyphs and re-centres when AutoCenter.
    TOnOffButStyle ButtonStyle() const;
    void SetButtonStyle(TOnOffButStyle Value);
    /// Keeps the glyph centred (also after resizes); LeftSpace and TopSpace follow.
    bool AutoCenter() const;
    void SetAutoCenter(bool Value);
    /// Offsets of the glyph from the left and top edge. Negative values are ignored, larger ones
    /// limited to the control's Width (Height); while AutoCenter is on, setting re-centres.
    int LeftSpace() const;
    void SetLeftSpace(int Value);
    int TopSpace() const;
    void SetTopSpace(int Value);
    /// The captions around the glyph and their alignments.
    QString LeftText() const;
    void SetLeftText(const QString &Value);
    QString RightText() const;
    void SetRightText(const QString &Value);
    QString TopText() const;
    void SetTopText(const QString &Value);
    QString BottomText() const;
    void SetBottomText(const QString &Value);
    TAlignment LeftTextAlignment() const;
    void SetLeftTextAlignment(TAlignment Value);
    TAlignment RightTextAlignment() const;
    void SetRightTextAlignment(TAlignment Value);
    TAlignment TopTextAlignment() const;
    void SetTopTextAlignment(TAlignment Value);
    TAlignment BottomTextAlignment() const;
    void SetBottomTextAlignment(TAlignment Value);
    /// Background (not drawn while Transparent).
    TColor ColorBackgnd() const;
    void SetColorBackgnd(TColor Value);
    KRO_COLOR_FACE(ColorBackgnd)
    /// Colour of the captions of an enabled button.
    TColor ColorText() const;
    void SetColorText(TColor Value);
    KRO_COLOR_FACE(ColorText)
    /// Selects the line colours kept for descendants; the picture does not change.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    /// Only the glyph, the captions and the frame cover the parent; glyph pixels of 0xEBBEEB
    /// show it too.
    bool Transparent() const;
    void SetTransparent(bool Value);

    /// Width and height of the current glyphs.
    int GlyphWidth() const;
    int GlyphHeight() const;
    /// The glyph shown for a state (OnOff x Enabled), a copy.
    QImage Glyph(bool AOnOff, bool AEnabled) const;

    // ---- user glyphs (style oobsUser) ----
    /// Takes a sheet of four glyphs laid out like the stock sheets (top row on and off enabled,
    /// bottom row on and off disabled; even width and height). Raises EKROError for an empty or
    /// odd-sized sheet and keeps the previous glyphs.
    void SetUserGlyph(const TBitmap &Img);
    /// The same from a picture file; a missing, unreadable or odd-sized file raises EKROError and
    /// keeps the previous glyphs.
    void LoadUserGlyph(const QString &FName);

    /// From another TOnOffBut: offsets, centring, captions and alignments, frame, colours, state,
    /// glyphs and user glyphs, style, mouse action, transparency and Enabled; then invalidates.
    void Assign(const TComponentBase *Source) override;

    /// The group message: a sibling of group AGroupIndex changed (Sender); switches this button
    /// off when both are on and takes the sender's AllowAllOff.
    void ButtonPressed(int AGroupIndex, TOnOffBut *Sender);

    QSize minimumSizeHint() const override;
    /// To assistive tools a push button (momentary mode), a radio button (radio style, or in a
    /// group that keeps one button on) or a check box.
    QAccessible::Role AccessibleRole() const override;

signals:
    /// The state changed (by a click, a group member, a property or the mode).
    void OnOffChanged(bool Value);

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// Does nothing: OnClick fires from MouseUp, only for presses in the active area.
    void Click() override;
    /// Space toggles like a click (a momentary button is on while Space is held).
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    void KeyUp(quint16 &Key, TShiftState Shift) override;
    bool AssignTo(TComponentBase *Dest) const override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;

private:
    void LoadGlyphs();
    void AdjustAutoCenter();
    void UpdateExclusive();
    bool InActiveArea(int X, int Y) const;
    void Press();
    void Release();
    void ShowChange();
    void UpdateAccessibleName();
    void PaintCaptions(TCanvas *Surface, TCanvas *Mask, int TextHeight);
    void PaintGlyph(TCanvas *Surface, TCanvas *Mask);

    std::unique_ptr<TOnOffButPrivate> const d;
};

} // namespace kro
