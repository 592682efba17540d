#pragma once
// TThumbnails: a scrollable wall of square slides whose pictures the application supplies on
// request.

#include <krogui/core/control.h>
#include <krogui/graphics/propertyfaces.h>

#include <memory>

namespace kro {

namespace ThumbnailsEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// What a slide shows, as the image request handler decides: a white placeholder with the slide
/// number, the picture of ImgBuffer, only the slide's cover and frame, or nothing (background).
enum TImageRequestProcessing : int { irpShowEmpty, irpShowSlide, irpShowFrameOnly, irpShowNothing };
Q_ENUM_NS(TImageRequestProcessing)
/// How clicks select slides: not at all, exactly the clicked slide, or several (see TThumbnails).
enum TSlideSelectMode : int { ssmDisabled, ssmSingle, ssmMultiple };
Q_ENUM_NS(TSlideSelectMode)
} // namespace ThumbnailsEnums
using namespace ThumbnailsEnums;

/// Asks how slide ThumbID is shown. On entry HowToProcess is irpShowEmpty, MarkIt -1 (no marker;
/// otherwise the marker symbol of its low byte is drawn in the slide's top-left corner) and
/// ImgBuffer an empty bitmap that the handler may size and draw on. The handler may also point
/// ImgBuffer at a bitmap of its own (a cache, say); the control only reads it and never frees it.
using TImageRequestEvent = std::function<void(
    QObject *Sender, int ThumbID, TImageRequestProcessing &HowToProcess, int &MarkIt, TBitmap *&ImgBuffer)>;
/// Called after a slide is drawn, on the off-screen canvas; (X, Y) is the slide's top-left corner.
using TSlideRenderedEvent = std::function<void(QObject *Sender, TCanvas *Canvas, int X, int Y, int ThumbID)>;
/// A click or double click at (X, Y) on slide ThumbID (0 when the point hits no slide).
using TImageClickEvent = std::function<void(QObject *Sender, int X, int Y, int ThumbID)>;

struct TThumbnailsPrivate;

/// A wall of square slides numbered Min..Max in rows, as many per row as fit the width. The
/// control holds no pictures: for each slide it paints it calls OnImageRequest. The vertical
/// scroll position FirstThumbIdx is a real number, so the wall scrolls smoothly (the mouse wheel
/// moves it by one row per notch). The slide under the mouse is highlighted; clicks select slides
/// and are reported with the slide number.
///
/// Selection with ssmMultiple: a click selects only the clicked slide, Ctrl+click toggles it and
/// Shift+click adds the slides from the last clicked one to the clicked one.
///
/// A range with Min above Max holds no slides. The selection holds at most 16,777,216 slides from
/// Min on; slides beyond cannot be selected.
class KROGUI_EXPORT TThumbnails : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int SlideSize READ SlideSize WRITE SetSlideSize)
    Q_PROPERTY(int SlideDistance READ SlideDistance WRITE SetSlideDistance)
    Q_PROPERTY(int SlideMargin READ SlideMargin WRITE SetSlideMargin)
    Q_PROPERTY(int FocusLinewidth READ FocusLinewidth WRITE SetFocusLinewidth)
    Q_PROPERTY(int FocusedSlide READ FocusedSlide NOTIFY FocusedSlideChanged STORED false)
    Q_PROPERTY(
        kro::ThumbnailsEnums::TSlideSelectMode SlideSelectMode READ SlideSelectMode WRITE SetSlideSelectMode)
    Q_PROPERTY(bool AntiAlias READ AntiAlias WRITE SetAntiAlias)
    Q_PROPERTY(QColor ColorBackGnd READ ColorBackGndStored WRITE SetColorBackGnd)
    Q_PROPERTY(QColor ColorCover READ ColorCoverStored WRITE SetColorCover)
    Q_PROPERTY(QColor ColorSelected READ ColorSelectedStored WRITE SetColorSelected)
    Q_PROPERTY(QColor ColorFocus READ ColorFocusStored WRITE SetColorFocus)
    Q_PROPERTY(QColor ColorMark READ ColorMarkStored WRITE SetColorMark)
    Q_PROPERTY(kro::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(kro::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(kro::TFrameStyle OuterFrameStyle READ OuterFrameStyle WRITE SetOuterFrameStyle)
    Q_PROPERTY(kro::TFrameStyle InnerFrameStyle READ InnerFrameStyle WRITE SetInnerFrameStyle)
    // Run-time state: the writer counts in slides, the reader in rows, so it is not stored.
    Q_PROPERTY(double FirstThumbIdx READ FirstThumbIdx WRITE SetFirstThumbIdx NOTIFY FirstThumbIdxChanged
                   STORED false)
    Q_PROPERTY(int NumSlidesSelected READ NumSlidesSelected NOTIFY SelectionChanged STORED false)

public:
    /// A wall of 260 x 400 pixels showing slides 1 to 100.
    explicit TThumbnails(QWidget *Parent = nullptr);
    ~TThumbnails() override;

    // ---- published properties ----
    /// Number of the first slide (default 1). Selected slides stay selected when it changes.
    int Min() const;
    void SetMin(int Value);
    /// Number of the last slide (default 100); values below 1 become 1.
    int Max() const;
    void SetMax(int Value);
    /// Side of the square a picture is fitted into (default 120); values above Width become Width,
    /// then values below 50 become 50.
    int SlideSize() const;
    void SetSlideSize(int Value);
    /// Gap between slides (default 2), clamped to 0..100.
    int SlideDistance() const;
    void SetSlideDistance(int Value);
    /// Margin around the picture inside a slide (default 7), clamped to 0..100.
    int SlideMargin() const;
    void SetSlideMargin(int Value);
    /// Line width of the mouse highlight (default 1), clamped to 0..10; 0 switches it off.
    int FocusLinewidth() const;
    void SetFocusLinewidth(int Value);
    /// The slide highlighted under the mouse, 0 for none.
    int FocusedSlide() const;
    /// How clicks select (default ssmSingle); a change clears the selection.
    TSlideSelectMode SlideSelectMode() const;
    void SetSlideSelectMode(TSlideSelectMode Value);
    /// Smooth scaling of pictures (default false: nearest pixel).
    bool AntiAlias() const;
    void SetAntiAlias(bool Value);
    /// Background (default clBtnFace), fill of unselected and selected slides (0xC0C0C0, 0x800000),
    /// highlight colour (0xFF0000) and the pen of slide markers (black).
    TColor ColorBackGnd() const;
    void SetColorBackGnd(TColor Value);
    KRO_COLOR_FACE(ColorBackGnd)
    TColor ColorCover() const;
    void SetColorCover(TColor Value);
    KRO_COLOR_FACE(ColorCover)
    TColor ColorSelected() const;
    void SetColorSelected(TColor Value);
    KRO_COLOR_FACE(ColorSelected)
    TColor ColorFocus() const;
    void SetColorFocus(TColor Value);
    KRO_COLOR_FACE(ColorFocus)
    TColor ColorMark() const;
    void SetColorMark(TColor Value);
    KRO_COLOR_FACE(ColorMark)
    /// csBWG: gray and white frame line colours; csSystem: the button shadow and highlight colours.
    /// The frames themselves are drawn in fixed colours.
    TColorScheme ColorScheme() const;
    void SetColorScheme(TColorScheme Value);
    /// Frames of the control (default fsLowered), of each slide (fsRaised) and of each picture
    /// (fsLowered).
    TFrameStyle FrameStyle() const;
    void SetFrameStyle(TFrameStyle Value);
    TFrameStyle OuterFrameStyle() const;
    void SetOuterFrameStyle(TFrameStyle Value);
    TFrameStyle InnerFrameStyle() const;
    void SetInnerFrameStyle(TFrameStyle Value);

    // ---- public state and operations ----
    /// Scroll position: the integer part is the top-left slide (the first of a row), the fraction
    /// the part of a row by which the wall is scrolled up. Writing v clamps it to Min..Max and
    /// stores r + (v - r) / NumSlidesHoriz, r being the first slide of the row of slide int(v).
    double FirstThumbIdx() const;
    void SetFirstThumbIdx(double Value);
    /// Slides per row (computed by each paint; 2 before the first) and rows painted.
    int NumSlidesHoriz() const;
    int NumSlidesVert() const;
    /// The gray, white and black frame line colours (set by ColorScheme).
    TColor ColGrayLine() const;
    TColor ColWhiteLine() const;
    TColor ColBlackLine() const;
    /// The selection state of slide Ix (false outside Min..Max); the setter repaints.
    bool GetSelectedSlide(int Ix) const;
    void SetSelectedSlide(int Ix, bool Value);
    /// The lowest selected slide; Min - 1 when none is selected.
    int FirstSelectedSlide() const;
    int NumSlidesSelected() const;
    /// The slide last selected by a click (0 before any).
    int LastClickedSlide() const;
    /// Clears the selection and repaints.
    void ResetAllSelections();
    /// The slide under (XPos, YPos), 0 when the point hits none.
    int CalcSlideIndex(int XPos, int YPos) const;
    /// The top-left corner of slide SldNum at the current scroll position.
    void CalcSlidePos(int SldNum, int &XPos, int &YPos) const;

    // ---- events ----
    void SetOnImageRequest(TImageRequestEvent H);
    const TImageRequestEvent &OnImageRequest() const;
    void SetOnFirstImageRequest(TNotifyEvent H);
    const TNotifyEvent &OnFirstImageRequest() const;
    void SetOnLastImageRequest(TNotifyEvent H);
    const TNotifyEvent &OnLastImageRequest() const;
    void SetOnSlideRendered(TSlideRenderedEvent H);
    const TSlideRenderedEvent &OnSlideRendered() const;
    void SetOnImageClick(TImageClickEvent H);
    const TImageClickEvent &OnImageClick() const;
    void SetOnImageDblClick(TImageClickEvent H);
    const TImageClickEvent &OnImageDblClick() const;
    /// The highlighted slide changed.
    void SetOnFocusChange(TNotifyEvent H);
    const TNotifyEvent &OnFocusChange() const;

    /// Assistive tools see a list of slides, named with the range.
    QAccessible::Role AccessibleRole() const override { return QAccessible::List; }

    /// Room for one whole slide with the border around the wall: shrinks and grows with SlideSize,
    /// SlideMargin and SlideDistance.
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // Each event is also a signal, emitted right after the handler whether or not one is set;
    // a slot connected directly may change the reference parameters as a handler may.
    void onImageRequest(QObject *Sender, int ThumbID,
                        kro::ThumbnailsEnums::TImageRequestProcessing &HowToProcess, int &MarkIt,
                        kro::TBitmap *&ImgBuffer);
    void onFirstImageRequest(QObject *Sender);
    void onLastImageRequest(QObject *Sender);
    void onSlideRendered(QObject *Sender, kro::TCanvas *Canvas, int X, int Y, int ThumbID);
    void onImageClick(QObject *Sender, int X, int Y, int ThumbID);
    void onImageDblClick(QObject *Sender, int X, int Y, int ThumbID);
    void onFocusChange(QObject *Sender);
    /// The highlighted slide changed (0: none).
    void FocusedSlideChanged(int FocusedSlide);
    /// The scroll position changed (by the writer, the mouse wheel or a change of the range).
    void FirstThumbIdxChanged(double FirstThumbIdx);
    /// Slides were selected or deselected (by a click, SetSelectedSlide, ResetAllSelections, a new
    /// SlideSelectMode or a range that dropped selected slides).
    void SelectionChanged();

protected:
    /// Draws the wall: background, then each visible slide as its image request says, the border
    /// strips and the frame. A paint asked for while one runs is skipped.
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) override;
    /// Assign(Source) with another TThumbnails lands here: copies the frames, colours (not
    /// ColorMark), scroll position, range, geometry, highlight and the handlers (not
    /// OnSlideRendered); the selection and SlideSelectMode stay.
    bool AssignTo(TComponentBase *Dest) const override;

private:
    void Changed();
    void ResizeSelection(int OldMin);
    void PaintSlides(TCanvas *C);
    void PaintSlide(TCanvas *C, int X, int Y, int K, TBitmap *Buffer);
    const TBitmap &Scaled(const TBitmap &Img, int W, int H);
    void DrawHighlight(int Slide, bool Show);
    void SetHighlighted(int Slide);
    void HandleClick(TShiftState Shift, int Slide);
    void UpdateAccessibleName();
    void NotifyScroll(double Before);
    void NotifySelection(int Before, bool Changed = false);
    std::unique_ptr<TThumbnailsPrivate> const d;
};

} // namespace kro
