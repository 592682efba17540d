#pragma once
// TSevenSeg: a short text as slanted seven-segment digits, like an LED display.

#include <krogui/core/control.h>
#include <krogui/graphics/propertyfaces.h>

namespace kro {

/// The characters TSevenSeg can show, in the order of its image cache (21 characters):
/// "0123456789-+:°ABCDEF." (lower-case a-f show as their capitals).
KROGUI_EXPORT extern const QString SevenSegCharList;

/// Shows Caption in NumDigits cells of slanted seven-segment digits. Digit pictures are composed
/// from six segment bitmaps into a master image of 312 x 432 pixels and scaled once, smoothed,
/// into an image cache holding every character of SevenSegCharList; painting copies cache cells.
/// A "." or "," in the caption lights the dot of the digit before it (or of a blank cell when no
/// digit precedes it); characters that are not in the list leave their cell blank.
struct TSevenSegPrivate;

class KROGUI_EXPORT TSevenSeg : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY CaptionChanged USER true)
    Q_PROPERTY(int NumDigits READ NumDigits WRITE SetNumDigits)
    Q_PROPERTY(QColor ColorText READ ColorTextStored WRITE SetColorText)
    Q_PROPERTY(QColor ColorBackGnd READ ColorBackGndStored WRITE SetColorBackGnd)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int InterDigDist READ InterDigDist WRITE SetInterDigDist)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)

public:
    /// A display of 216 x 76 pixels showing "8.8.8.8." in red on dark gray.
    explicit TSevenSeg(QWidget *Parent = nullptr);
    ~TSevenSeg() override;

    /// The text shown; repaints.
    QString Caption() const;
    void SetCaption(const QString &Value);
    /// Number of digit cells, 1..32 (other values are ignored); rebuilds the cache.
    int NumDigits() const;
    void SetNumDigits(int Value);
    /// Colour of lit segments (white is drawn as 0xFEFEFE); rebuilds the cache.
    TColor ColorText() const;
    void SetColorText(TColor Value);
    KRO_COLOR_FACE(ColorText)
    /// Background colour; rebuilds the cache.
    TColor ColorBackGnd() const;
    void SetColorBackGnd(TColor Value);
    KRO_COLOR_FACE(ColorBackGnd)
    /// Border around the digits, 0 .. Height div 2 - 1 (clamped); rebuilds the cache.
    int Margin() const;
    void SetMargin(int Value);
    /// Gap between digit cells, 0..255 (clamped); rebuilds the cache.
    int InterDigDist() const;
    void SetInterDigDist(int Value);
    /// Frame around the control (default fsLowered); invalidates.
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    /// csBWG: frame lines gray 0x808080 and white; csSystem: the button shadow and highlight
    /// colours; invalidates.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);

    /// Paints the shape of every segment bitmap in Color (white becomes 0xFEFEFE, so that lit
    /// segments never match the white that marks the outside).
    void ColorizeSegments(TColor Color);
    /// Composes the master digit image for Ch (a character of SevenSegCharList in either case;
    /// "." and "," give the dot alone, others a blank), with the dot when WithDot is set; the
    /// outside becomes ColorBackGnd.
    void CreateDigit(QChar Ch, bool WithDot);
    /// Rebuilds the image cache for the current size, colours, NumDigits, Margin and
    /// InterDigDist. The cache is empty when the cells would have no width or height.
    void CreateImageCache();
    /// Width of a digit cell: (Width - 2 Margin) div NumDigits - InterDigDist (may be <= 0).
    int CellWidth() const;
    /// The master digit image (312 x 432) as last composed by CreateDigit.
    const QImage &DigitImage() const { return DigImg.Image(); }
    /// The image cache: 21 cells of CellWidth side by side, Height - 2 Margin high.
    const QImage &CacheImage() const { return ImgCache.Image(); }

    /// The digits keep their shape in a layout: the height follows the width.
    bool hasHeightForWidth() const override { return true; }
    /// 2 Margin plus the height that gives a digit cell of that width its usual shape.
    int heightForWidth(int Width) const override;
    /// The constructor width, and the height that suits the present width (at least the
    /// constructor height).
    QSize sizeHint() const override;
    /// Every digit cell at least 8 pixels wide, in its usual shape.
    QSize minimumSizeHint() const override;

    /// Static text: the caption is its name.
    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }

Q_SIGNALS:
    /// The text shown changed.
    void CaptionChanged(const QString &Caption);

protected:
    void Paint() override;
    /// Rebuilds the cache for the new size and repaints (an application's OnResize runs after it).
    void Resize() override;
    /// Assign(Source) with another TSevenSeg lands here: copies colours, NumDigits, Caption,
    /// FrameStyle, the frame line colours, ColorScheme, Margin and InterDigDist and invalidates.
    bool AssignTo(TComponentBase *Dest) const override;
    /// Rebuilds the cache when the size differs from the one it was built for, and repaints.
    void ProcessResize();

private:
    void EnsureCache();
    void CacheChanged();

    TBitmap DigImg;   // master digit image
    TBitmap ImgCache; // all characters at display size
    TBitmap SegHorz, SegVert, SegDot, SegPlus, SegColon, SegDeg;
    std::unique_ptr<TSevenSegPrivate> const d;
};

} // namespace kro
