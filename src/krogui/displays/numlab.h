#pragma once
// TNumLab: a number in a framed label box, with a text to its left and one to its right.

#include <krogui/core/control.h>
#include <krogui/graphics/propertyfaces.h>
#include <krogui/displays/numlabtext.h>

namespace kro {

/// Lets the application rewrite the text of the number before it is measured and drawn.
using TBeforeDisplayEvent = std::function<void(QObject *Sender, QString &Text)>;

/// Shows one number in a framed box between two side texts (a quantity name and a unit, say).
/// The number is written as DisplayType says (see NumLabText for every form), may be rewritten in
/// OnBeforeDisplay, and is replaced by OverflowIndicator when it is wider than the box allows.
/// With Transparent set, white parts outside the box let the parent show through.
struct TNumLabPrivate;

class KROGUI_EXPORT TNumLab : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged USER true)
    Q_PROPERTY(kro::NumLabEnums::TDisplay DisplayType READ DisplayType WRITE SetDisplayType)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
    Q_PROPERTY(bool ForcePlusSign READ ForcePlusSign WRITE SetForcePlusSign)
    Q_PROPERTY(bool Empty READ Empty WRITE SetEmpty)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(int LabelWidth READ LabelWidth WRITE SetLabelWidth)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(kro::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
    Q_PROPERTY(kro::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
    Q_PROPERTY(kro::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(QString OverflowIndicator READ OverflowIndicator WRITE SetOverflowIndicator)
    Q_PROPERTY(QString DTFormat READ DTFormat WRITE SetDTFormat)
    Q_PROPERTY(QString StateText READ StateText WRITE SetStateText)
    Q_PROPERTY(QColor ColorLabBakG READ ColorLabBakGStored WRITE SetColorLabBakG)
    Q_PROPERTY(QColor ColorLabText READ ColorLabTextStored WRITE SetColorLabText)
    Q_PROPERTY(QColor ColorOutBakG READ ColorOutBakGStored WRITE SetColorOutBakG)
    Q_PROPERTY(QColor ColorOutText READ ColorOutTextStored WRITE SetColorOutText)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int MouseAreaCode READ MouseAreaCode STORED false DESIGNABLE false)

public:
    /// A label of 160 x 28 pixels showing 0 as "0.00".
    explicit TNumLab(QWidget *Parent = nullptr);
    ~TNumLab() override;

    /// The number shown; a different value repaints.
    double Value() const;
    void SetValue(double Value) { SetLabValue(Value); }
    void SetLabValue(double Value);
    /// How the number is written (see NumLabText).
    TDisplay DisplayType() const;
    void SetDisplayType(TDisplay Value);
    /// Digits or decimals of the number (see NumLabText); negative values are ignored, values
    /// above 15 become 15.
    int Precision() const;
    void SetPrecision(int Value);
    /// true: every "." of the number becomes ","; false: every "," becomes ".".
    bool Comma() const;
    void SetComma(bool Value);
    /// Puts a "+" in front of values above 0.
    bool ForcePlusSign() const;
    void SetForcePlusSign(bool Value);
    /// true: no number is drawn (frame and side texts only) and OnBeforeDisplay is not called.
    bool Empty() const;
    void SetEmpty(bool Value);
    /// Width in pixels of the area left of the box; negative values are ignored, larger ones
    /// than Width become Width.
    int LeftSpace() const;
    void SetLeftSpace(int Value);
    /// Width in pixels of the box (negative values count as 0).
    int LabelWidth() const;
    void SetLabelWidth(int Value);
    /// The texts left and right of the box.
    QString LeftText() const;
    void SetLeftText(const QString &Value);
    QString RightText() const;
    void SetRightText(const QString &Value);
    /// Placement of the left text in its area (default right-justified).
    TAlignment LeftTextAlignment() const;
    void SetLeftTextAlignment(TAlignment Value);
    /// Placement of the right text in its area (default left-justified).
    TAlignment RightTextAlignment() const;
    void SetRightTextAlignment(TAlignment Value);
    /// Placement of the number in the box (default centred).
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    /// Frame of the box (default fsLowered).
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    /// Shown instead of a number that does not fit the box (default "*********").
    QString OverflowIndicator() const;
    void SetOverflowIndicator(const QString &Value);
    /// Date-time format of dtDateTime (default "mmm-dd, yyyy"; tokens at FormatDayCount).
    QString DTFormat() const { return FDtFormat; }
    void SetDTFormat(const QString &Value);
    /// The text of dtState (default "undefined").
    QString StateText() const;
    void SetStateText(const QString &Value);
    /// Background and number colour of the box.
    TColor ColorLabBakG() const;
    void SetColorLabBakG(TColor Value);
    KRO_COLOR_FACE(ColorLabBakG)
    TColor ColorLabText() const;
    void SetColorLabText(TColor Value);
    KRO_COLOR_FACE(ColorLabText)
    /// Background and text colour outside the box.
    TColor ColorOutBakG() const;
    void SetColorOutBakG(TColor Value);
    KRO_COLOR_FACE(ColorOutBakG)
    TColor ColorOutText() const;
    void SetColorOutText(TColor Value);
    KRO_COLOR_FACE(ColorOutText)
    /// csBWG: frame lines gray 0x808080 and white; csSystem: the button shadow and highlight colours.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);
    /// Outside the box, white parts of the picture let the parent show through; other parts are
    /// combined with it as an AND of colours would (dark text stays dark).
    bool Transparent() const;
    void SetTransparent(bool Value);
    /// Disabled: engraved side texts and a number in the button shadow colour; repaints.
    void SetEnabled(bool Value) override;

    /// The area under the mouse at the last move: 0 left of the box, 1 over it, 2 right of it.
    int MouseAreaCode() const;
    /// The number text as last drawn (after OnBeforeDisplay and the overflow check; empty while
    /// Empty is set).
    QString DisplayedText() const;

    /// Called with the number text before it is measured; may change it.
    void SetOnBeforeDisplay(TBeforeDisplayEvent Handler);
    /// The handler of OnBeforeDisplay (empty when none is assigned).
    const TBeforeDisplayEvent &OnBeforeDisplay() const;

    /// The constructor size, or larger when the box and the side texts need it.
    QSize sizeHint() const override;
    /// The box whole, one text line high.
    QSize minimumSizeHint() const override;

    /// Static text: the side texts and the number are its name.
    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }

Q_SIGNALS:
    /// The number shown changed.
    void ValueChanged(double Value);
    /// Emitted right after the OnBeforeDisplay handler, whether or not one is assigned; a
    /// directly connected slot may change Text as the handler may.
    void onBeforeDisplay(QObject *Sender, QString &Text);

protected:
    void Paint() override;
    /// Repaints and lets a layout ask for the new size hints (they follow the font).
    void FontChanged() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    /// Assign(Source) with another TNumLab lands here: fills it with LeftSpace, Empty, LabelWidth, Precision,
    /// both side texts, FrameStyle, the three alignments, OverflowIndicator, Value, StateText, Transparent,
    /// the four colours, the frame line colours, ColorScheme and DisplayType.
    bool AssignTo(TComponentBase *Dest) const override;

private:
    void Changed();
    void UpdateAccessibleName(const QString &Number);
    void DrawSideText(const QString &Text, int X, int XDisabled, int Y);

    QString FDtFormat = QStringLiteral("mmm-dd, yyyy");
    std::unique_ptr<TNumLabPrivate> const d;
};

} // namespace kro
