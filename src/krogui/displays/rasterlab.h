#pragma once
// TRasterLab: a dot-matrix display. Every character of the text is drawn as square dots taken
// from a character matrix (the built-in 7 x 12 font or a sampled font), optionally on a raster
// of dark "off" dots, and the text can scroll in four directions on the control's own timer.

#include <krogui/core/control.h>
#include <krogui/core/ctimer.h>
#include <krogui/core/error.h>
#include <krogui/displays/rasterfont.h>
#include <krogui/graphics/propertyfaces.h>

namespace kro {

namespace RasterLabEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// Off-dots: none (plain background), around the characters with a background gap column
/// before and after each, or everywhere.
enum TRDBlockMode : int { rdbmOff, rdbmOn, rdbmRaster };
Q_ENUM_NS(TRDBlockMode)
/// Scrolling direction of the text.
enum TRDScrollMode : int { rdsmOff, rdsmLeft, rdsmRight, rdsmDown, rdsmUp };
Q_ENUM_NS(TRDScrollMode)
} // namespace RasterLabEnums
using namespace RasterLabEnums;

/// Raised by TRasterLab (a scroll timer that cannot be started).
KRO_DECLARE_ERROR(EKRORasterLabError, EKROError)

struct TRasterLabPrivate;

class KROGUI_EXPORT TRasterLab : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText NOTIFY TextChanged USER true)
    Q_PROPERTY(int DotSize READ DotSize WRITE SetDotSize)
    Q_PROPERTY(int DotSpacing READ DotSpacing WRITE SetDotSpacing)
    Q_PROPERTY(int PosX READ PosX WRITE SetPosX)
    Q_PROPERTY(int PosY READ PosY WRITE SetPosY)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(kro::RasterLabEnums::TRDBlockMode CharBlockMode READ CharBlockMode WRITE SetCharBlockMode)
    Q_PROPERTY(QColor ColorDotOn READ ColorDotOnStored WRITE SetColorDotOn)
    Q_PROPERTY(QColor ColorDotOff READ ColorDotOffStored WRITE SetColorDotOff)
    Q_PROPERTY(QColor ColorLabBakG READ ColorLabBakGStored WRITE SetColorLabBakG)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(bool AutoHeight READ AutoHeight WRITE SetAutoHeight)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(kro::RasterLabEnums::TRDScrollMode ScrollMode READ ScrollMode WRITE SetScrollMode)
    Q_PROPERTY(int ScrollInterval READ ScrollInterval WRITE SetScrollInterval)
    Q_PROPERTY(int ScrollIncrement READ ScrollIncrement WRITE SetScrollIncrement)
    Q_PROPERTY(bool ScrollLoop READ ScrollLoop WRITE SetScrollLoop)
public:
    /// A 400 x 68 label showing "Text" in lime dots of 3 pixels with 1-pixel gaps, built-in font.
    explicit TRasterLab(QWidget *Parent = nullptr);
    ~TRasterLab() override;

    // ---- properties ----
    /// The text; characters above code 255 have no dots. Re-centres when AutoCenter is on.
    QString Text() const;
    void SetText(const QString &Value);
    /// Dot edge in pixels, clamped to 1..32.
    int DotSize() const;
    void SetDotSize(int Value);
    /// Gap between dots in pixels, clamped to 0..3.
    int DotSpacing() const;
    void SetDotSpacing(int Value);
    /// Pixel origin of the text (top-left corner of its first dot), kept within +-2^28.
    int PosX() const;
    void SetPosX(int Value);
    int PosY() const;
    void SetPosY(int Value);
    /// Proportional character widths (otherwise every character takes the widest one's width).
    bool Proportional() const;
    void SetProportional(bool Value);
    /// Off-dot mode.
    TRDBlockMode CharBlockMode() const;
    void SetCharBlockMode(TRDBlockMode Value);
    /// Colour of the lit dots.
    TColor ColorDotOn() const;
    void SetColorDotOn(TColor Value);
    KRO_COLOR_FACE(ColorDotOn)
    /// Colour of the off-dots.
    TColor ColorDotOff() const;
    void SetColorDotOff(TColor Value);
    KRO_COLOR_FACE(ColorDotOff)
    /// Background and raster-line colour.
    TColor ColorLabBakG() const;
    void SetColorLabBakG(TColor Value);
    KRO_COLOR_FACE(ColorLabBakG)
    /// Frame: fsNone none, fsSimple a gray line, fsLowered and fsRaised 3-D edges, fsEmbossed and
    /// fsEngraved double lines.
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    /// csBWG: gray 0x808080 and white frame lines; csSystem: button shadow and highlight.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);
    /// When on, the height follows the character matrix (see AdjustAutoHeight).
    bool AutoHeight() const;
    void SetAutoHeight(bool Value);
    /// When on, PosX centres the text horizontally; turning it off puts PosX back to 1.
    bool AutoCenter() const;
    void SetAutoCenter(bool Value);
    /// Scrolling direction; rdsmOff stops the timer and puts the text back in place.
    TRDScrollMode ScrollMode() const;
    void SetScrollMode(TRDScrollMode Value);
    /// Timer interval in milliseconds, at least 10.
    int ScrollInterval() const;
    void SetScrollInterval(int Value);
    /// Pixels per tick; 0 becomes 1, negative values count by their magnitude.
    int ScrollIncrement() const;
    void SetScrollIncrement(int Value);
    /// Restart the text at the opposite edge once it has scrolled out.
    bool ScrollLoop() const;
    void SetScrollLoop(bool Value);

    // ---- methods ----
    /// The character matrix in use.
    const TRDCharMatrix &CharMatrix() const;
    /// Uses a matrix supplied by the application (until the font changes) and repaints.
    void SetCharMatrix(const TRDCharMatrix &CMat);
    /// The pixel length of Text with the current dots: (RightMostBit - LeftMostBit + 2) pitches
    /// per character when proportional, else (FontWidth + 1) pitches.
    int CalcTextBitLength(const QString &Text) const;
    /// Height := frame allowance + pitch * FontHeight (allowance 1 for fsSimple..fsRaised, 2 for
    /// fsEmbossed and fsEngraved, 0 without frame).
    void AdjustAutoHeight();
    /// PosX := (Width - CalcTextBitLength(Text)) div 2 + frame allowance + 1.
    void AdjustAutoCenter();
    /// Current scroll offsets in pixels.
    int ScrollPosX() const;
    int ScrollPosY() const;
    /// Pixel length of the text at the last paint.
    int TextBitLength() const;
    /// The scroll timer (Tick() runs one scroll step now).
    TControlTimer *ScrollTimer() const { return FScrTimer; }
    /// From another TRasterLab: frame style, text, background and lit-dot colours, the frame
    /// line colours and the colour scheme; then re-centres (AutoCenter) and repaints.
    void Assign(const TComponentBase *Source) override;

    /// Draws character Ch of CMat with its top-left dot at (X, Y) in ColorOn: single pixels when
    /// DotSize is 1, else DotSize squares, DotSize + DotSpacing apart. Columns LeftMostBit..
    /// RightMostBit, or 0..FontWidth-1 when FixedWidth. Returns the pitch times the number of
    /// columns. Codes above 255 draw nothing and count one column.
    static int PaintChar(TCanvas *Canvas, const TRDCharMatrix &CMat, int X, int Y, char32_t Ch, int DotSize,
                         int DotSpacing, TColor ColorOn, TColor ColorOff, TColor ColorBakG, bool FixedWidth);
    /// Draws Text from (X, Y); in rdbmOn a full-height stripe of ColorBakG one pitch wide precedes
    /// the first character and follows every character. BitLength receives the length drawn + 1.
    static void PaintString(TCanvas *Canvas, const TRDCharMatrix &CMat, int X, int Y, const QString &Text,
                            int DotSize, int DotSpacing, TColor ColorOn, TColor ColorOff, TColor ColorBakG,
                            TRDBlockMode BlockMode, bool Proportional, int &BitLength);

    // ---- events ----
    /// Fired after each scroll step.
    void SetOnScrollTimer(TNotifyEvent Handler);
    const TNotifyEvent &OnScrollTimer() const;
    /// Fired when the text restarts at the opposite edge.
    void SetOnScrollLoopRestart(TNotifyEvent Handler);
    const TNotifyEvent &OnScrollLoopRestart() const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    /// The constructor size, at least the least size.
    QSize sizeHint() const override;
    /// One character cell at the text's origin, the full character height, inside the frame.
    QSize minimumSizeHint() const override;

    /// Static text: the text is its name.
    QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }

Q_SIGNALS:
    /// The text changed.
    void TextChanged(const QString &Text);
    /// Emitted right after the OnScrollTimer handler, whether or not one is assigned.
    void onScrollTimer(QObject *Sender);
    /// Emitted right after the OnScrollLoopRestart handler, whether or not one is assigned.
    void onScrollLoopRestart(QObject *Sender);

protected:
    void Paint() override;
    /// Rebuilds the matrix from the font, then follows AutoHeight and AutoCenter.
    void FontChanged() override;
    void Resize() override;
    /// One tick: the scroll step, then OnScrollTimer.
    virtual void DoTimer();
    /// Moves the text one increment in the scroll direction and repaints.
    virtual void ScrollTimerEvent();
    /// Fires OnScrollLoopRestart.
    virtual void DoScrLoopRestart();
    /// (Re)starts the timer when an interval, a direction and the enable flag are all given;
    /// raises EKRORasterLabError when no timer is available.
    void UpdateTimer();

private:
    int FrameAllowance() const;
    int Pitch() const;
    void AfterMatrixChange();

    TControlTimer *FScrTimer = nullptr;
    std::unique_ptr<TRasterLabPrivate> const d;
};

} // namespace kro
