#include <krogui/browse/slidelayout.h>
#include <krogui/browse/thumbnails.h>
#include <krogui/data/bitfld.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <QCache>
#include <QMetaMethod>

#include <algorithm>
#include <climits>
#include <cmath>

namespace kro {

namespace {
// The selection keeps one bit per slide from Min on; beyond this many slides it stops (2 MB).
constexpr qint64 kMaxSelectable = qint64(1) << 24;
} // namespace

struct TThumbnailsPrivate
{
    int FMin = 1;
    int FMax = 100;
    double FFirstThumbIx = 1.0;
    int FNumSldX = 2;
    int FNumSldY = 0;
    int FThumbBaseSize = 120;
    int FSLideDist = 2;
    int FSlideMargin = 7;
    TFrameStyle FFrameStyle = fsLowered;
    TFrameStyle FOuterFrameStyle = fsRaised;
    TFrameStyle FInnerFrameStyle = fsLowered;
    TColor FColorBG = clBtnFace;
    TColor FColorCover = 0xC0C0C0;
    TColor FColorSelected = 0x800000;
    TColor FColorHilite = 0xFF0000;
    TColor FMarkColor = clBlack;
    TColorScheme FColorScheme = csBWG;
    TColor FColBlackLine = clBlack;
    TColor FColGrayLine = 0x808080;
    TColor FColWhiteLine = 0xFFFFFF;
    int FLastHiLite = 0;
    bool FHasHiLite = false; // FLastHiLite names a slide (slide 0 exists when Min <= 0)
    int FHiliteThickness = 1;
    TBitFld FSelectedSlide{100};
    TSlideSelectMode FSelectMode = ssmSingle;
    int FLastClickedSlide = 0;
    bool FHasLastClicked = false;
    bool FAntiAlias = false;
    bool FIsWorking = false;

    // Scaled copies of the application's own bitmaps, by picture and size: a wall scrolled or
    // repainted draws the same pictures again, and scaling costs more than copying.
    QCache<QPair<qint64, qint64>, TBitmap> FScaled{16 << 20};

    TImageRequestEvent FOnImageRequest;
    TNotifyEvent FOnFirstImageRequest, FOnLastImageRequest, FOnFocusChange;
    TSlideRenderedEvent FOnSlideRendered;
    TImageClickEvent FOnImageClick, FOnImageDblClick;

    TSlideLayout Layout(int W, int H) const
    {
        TSlideLayout l;
        l.Width = W;
        l.Height = H;
        l.SlideSize = FThumbBaseSize;
        l.SlideDistance = FSLideDist;
        l.SlideMargin = FSlideMargin;
        l.NumSlidesHoriz = FNumSldX;
        l.FirstThumbIdx = FFirstThumbIx;
        l.Min = FMin;
        l.Max = FMax;
        return l;
    }
    bool InRange(qint64 Slide) const { return Slide >= FMin && Slide <= FMax; }
    bool Selected(qint64 Slide) const { return InRange(Slide) && FSelectedSlide.GetBit(int(Slide - FMin)); }
};

TThumbnails::TThumbnails(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TThumbnailsPrivate>())
{
    SetDesignSize(260, 400);
    UpdateAccessibleName();
}

TThumbnails::~TThumbnails() = default;

// ---- plumbing -----------------------------------------------------------------------------------

void TThumbnails::Changed()
{
    UpdateAccessibleName();
    if (IsLoading())
        Invalidate();
    else
        Repaint();
}

void TThumbnails::NotifyScroll(double Before)
{
    if (d->FFirstThumbIx != Before) Q_EMIT FirstThumbIdxChanged(d->FFirstThumbIx);
}

void TThumbnails::NotifySelection(int Before, bool Changed)
{
    if (Changed || d->FSelectedSlide.CountTrueBits() != Before) Q_EMIT SelectionChanged();
}

QSize TThumbnails::minimumSizeHint() const
{
    const int slide = d->FThumbBaseSize + 2 * d->FSlideMargin;
    return QSize(2 * kSlideBorder + slide, 2 * kSlideBorder + d->FSLideDist + slide);
}

void TThumbnails::UpdateAccessibleName()
{
    setAccessibleName(tr("Thumbnails, slides %1 to %2").arg(d->FMin).arg(d->FMax));
    setAccessibleDescription(tr("%1 selected").arg(d->FSelectedSlide.CountTrueBits()));
}

void TThumbnails::ResizeSelection(int OldMin)
{
    const qint64 size = std::clamp<qint64>(qint64(d->FMax) - d->FMin + 1, 0, kMaxSelectable);
    try {
        if (OldMin == d->FMin || d->FSelectedSlide.CountTrueBits() == 0) {
            d->FSelectedSlide.SetSize(int(size));
            return;
        }
        // The same slides stay selected when the numbering of the bits moves.
        TBitFld moved{int(size)};
        const int oldSize = d->FSelectedSlide.Size();
        for (int i = 0; i < oldSize; ++i)
            if (d->FSelectedSlide.GetBit(i)) {
                const qint64 ix = qint64(OldMin) + i - d->FMin;
                if (ix >= 0 && ix < size) moved.SetBit(int(ix), true);
            }
        d->FSelectedSlide = std::move(moved);
    } catch (...) {
        HandleException(); // the old selection stays
    }
}

// ---- properties -----------------------------------------------------------------------------------

int TThumbnails::Min() const
{
    return d->FMin;
}
int TThumbnails::Max() const
{
    return d->FMax;
}

void TThumbnails::SetMin(int Value)
{
    if (Value == d->FMin) return;
    const int old = d->FMin;
    const double scroll = d->FFirstThumbIx;
    const int selected = d->FSelectedSlide.CountTrueBits();
    d->FMin = Value;
    ResizeSelection(old);
    // Keep the scroll position inside the new range (the wall would show nothing otherwise).
    d->FFirstThumbIx = NormalizeFirstThumbIdx(d->FFirstThumbIx, d->FMin, d->FMax, d->FNumSldX);
    Changed();
    NotifyScroll(scroll);
    NotifySelection(selected);
}

void TThumbnails::SetMax(int Value)
{
    Value = std::max(1, Value);
    if (Value == d->FMax) return;
    const double scroll = d->FFirstThumbIx;
    const int selected = d->FSelectedSlide.CountTrueBits();
    d->FMax = Value;
    ResizeSelection(d->FMin);
    d->FFirstThumbIx = NormalizeFirstThumbIdx(d->FFirstThumbIx, d->FMin, d->FMax, d->FNumSldX);
    Changed();
    NotifyScroll(scroll);
    NotifySelection(selected);
}

int TThumbnails::SlideSize() const
{
    return d->FThumbBaseSize;
}

void TThumbnails::SetSlideSize(int Value)
{
    // The width limit first, then the floor of 50: the pitch must never shrink to nothing.
    Value = std::max(50, std::min(Value, Width()));
    if (Value == d->FThumbBaseSize) return;
    d->FThumbBaseSize = Value;
    updateGeometry();
    Changed();
}

int TThumbnails::SlideDistance() const
{
    return d->FSLideDist;
}

void TThumbnails::SetSlideDistance(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (Value == d->FSLideDist) return;
    d->FSLideDist = Value;
    updateGeometry();
    Changed();
}

int TThumbnails::SlideMargin() const
{
    return d->FSlideMargin;
}

void TThumbnails::SetSlideMargin(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (Value == d->FSlideMargin) return;
    d->FSlideMargin = Value;
    updateGeometry();
    Changed();
}

int TThumbnails::FocusLinewidth() const
{
    return d->FHiliteThickness;
}

void TThumbnails::SetFocusLinewidth(int Value)
{
    Value = std::clamp(Value, 0, 10);
    if (Value == d->FHiliteThickness) return;
    d->FHiliteThickness = Value;
    Changed();
}

int TThumbnails::FocusedSlide() const
{
    return d->FLastHiLite;
}

TSlideSelectMode TThumbnails::SlideSelectMode() const
{
    return d->FSelectMode;
}

void TThumbnails::SetSlideSelectMode(TSlideSelectMode Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Value == d->FSelectMode) return;
    const int selected = d->FSelectedSlide.CountTrueBits();
    d->FSelectMode = Value;
    d->FSelectedSlide.Clear();
    Changed();
    NotifySelection(selected);
}

bool TThumbnails::AntiAlias() const
{
    return d->FAntiAlias;
}

void TThumbnails::SetAntiAlias(bool Value)
{
    d->FAntiAlias = Value;
    Changed();
}

#define KRO_THUMB_COLOR(Getter, Field)                                                                       \
    TColor TThumbnails::Getter() const                                                                       \
    {                                                                                                        \
        return d->Field;                                                                                     \
    }                                                                                                        \
    void TThumbnails::Set##Getter(TColor Value)                                                              \
    {                                                                                                        \
        if (Value == d->Field) return;                                                                       \
        d->Field = Value;                                                                                    \
        Changed();                                                                                           \
    }
KRO_THUMB_COLOR(ColorBackGnd, FColorBG)
KRO_THUMB_COLOR(ColorCover, FColorCover)
KRO_THUMB_COLOR(ColorSelected, FColorSelected)
KRO_THUMB_COLOR(ColorFocus, FColorHilite)
KRO_THUMB_COLOR(ColorMark, FMarkColor)
#undef KRO_THUMB_COLOR

TColorScheme TThumbnails::ColorScheme() const
{
    return d->FColorScheme;
}

void TThumbnails::SetColorScheme(TColorScheme Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Value == d->FColorScheme) return;
    d->FColorScheme = Value;
    d->FColGrayLine = Value == csBWG ? TColor(0x808080) : clBtnShadow;
    d->FColWhiteLine = Value == csBWG ? TColor(0xFFFFFF) : clBtnHighlight;
    Changed();
}

TColor TThumbnails::ColGrayLine() const
{
    return d->FColGrayLine;
}
TColor TThumbnails::ColWhiteLine() const
{
    return d->FColWhiteLine;
}
TColor TThumbnails::ColBlackLine() const
{
    return d->FColBlackLine;
}

#define KRO_THUMB_FRAME(Getter, Field)                                                                       \
    TFrameStyle TThumbnails::Getter() const                                                                  \
    {                                                                                                        \
        return d->Field;                                                                                     \
    }                                                                                                        \
    void TThumbnails::Set##Getter(TFrameStyle Value)                                                         \
    {                                                                                                        \
        if (Value == d->Field || !IsDeclaredValue(Value)) return;                                            \
        d->Field = Value;                                                                                    \
        Changed();                                                                                           \
    }
KRO_THUMB_FRAME(FrameStyle, FFrameStyle)
KRO_THUMB_FRAME(OuterFrameStyle, FOuterFrameStyle)
KRO_THUMB_FRAME(InnerFrameStyle, FInnerFrameStyle)
#undef KRO_THUMB_FRAME

double TThumbnails::FirstThumbIdx() const
{
    return d->FFirstThumbIx;
}

void TThumbnails::SetFirstThumbIdx(double Value)
{
    const double v = NormalizeFirstThumbIdx(Value, d->FMin, d->FMax, d->FNumSldX);
    if (v == d->FFirstThumbIx) return;
    const double before = d->FFirstThumbIx;
    d->FFirstThumbIx = v;
    Changed();
    NotifyScroll(before);
}

int TThumbnails::NumSlidesHoriz() const
{
    return d->FNumSldX;
}
int TThumbnails::NumSlidesVert() const
{
    return d->FNumSldY;
}

// ---- selection ------------------------------------------------------------------------------------

bool TThumbnails::GetSelectedSlide(int Ix) const
{
    return d->Selected(Ix);
}

void TThumbnails::SetSelectedSlide(int Ix, bool Value)
{
    if (!d->InRange(Ix)) return;
    const bool was = d->Selected(Ix);
    d->FSelectedSlide.SetBit(int(qint64(Ix) - d->FMin), Value);
    Changed();
    if (was != Value) Q_EMIT SelectionChanged();
}

int TThumbnails::FirstSelectedSlide() const
{
    return d->FMin + d->FSelectedSlide.FirstTrueBit();
}

int TThumbnails::NumSlidesSelected() const
{
    return d->FSelectedSlide.CountTrueBits();
}

int TThumbnails::LastClickedSlide() const
{
    return d->FLastClickedSlide;
}

void TThumbnails::ResetAllSelections()
{
    const int selected = d->FSelectedSlide.CountTrueBits();
    d->FSelectedSlide.Clear();
    Changed();
    NotifySelection(selected);
}

int TThumbnails::CalcSlideIndex(int XPos, int YPos) const
{
    int k = 0;
    return d->Layout(Width(), Height()).HitTest(XPos, YPos, k) ? k : 0;
}

void TThumbnails::CalcSlidePos(int SldNum, int &XPos, int &YPos) const
{
    const QPoint p = d->Layout(Width(), Height()).SlidePos(SldNum);
    XPos = p.x();
    YPos = p.y();
}

// ---- events ---------------------------------------------------------------------------------------

void TThumbnails::SetOnImageRequest(TImageRequestEvent H)
{
    d->FOnImageRequest = std::move(H);
}
const TImageRequestEvent &TThumbnails::OnImageRequest() const
{
    return d->FOnImageRequest;
}
void TThumbnails::SetOnFirstImageRequest(TNotifyEvent H)
{
    d->FOnFirstImageRequest = std::move(H);
}
const TNotifyEvent &TThumbnails::OnFirstImageRequest() const
{
    return d->FOnFirstImageRequest;
}
void TThumbnails::SetOnLastImageRequest(TNotifyEvent H)
{
    d->FOnLastImageRequest = std::move(H);
}
const TNotifyEvent &TThumbnails::OnLastImageRequest() const
{
    return d->FOnLastImageRequest;
}
void TThumbnails::SetOnSlideRendered(TSlideRenderedEvent H)
{
    d->FOnSlideRendered = std::move(H);
}
const TSlideRenderedEvent &TThumbnails::OnSlideRendered() const
{
    return d->FOnSlideRendered;
}
void TThumbnails::SetOnImageClick(TImageClickEvent H)
{
    d->FOnImageClick = std::move(H);
}
const TImageClickEvent &TThumbnails::OnImageClick() const
{
    return d->FOnImageClick;
}
void TThumbnails::SetOnImageDblClick(TImageClickEvent H)
{
    d->FOnImageDblClick = std::move(H);
}
const TImageClickEvent &TThumbnails::OnImageDblClick() const
{
    return d->FOnImageDblClick;
}
void TThumbnails::SetOnFocusChange(TNotifyEvent H)
{
    d->FOnFocusChange = std::move(H);
}
const TNotifyEvent &TThumbnails::OnFocusChange() const
{
    return d->FOnFocusChange;
}

// ---- painting -------------------------------------------------------------------------------------

void TThumbnails::Paint()
{
    if ((!Visible() && !IsDesigning()) || d->FIsWorking) return;
    d->FIsWorking = true;
    // Released whatever a handler throws, or the wall would never paint again.
    struct TWorking
    {
        bool &Flag;
        ~TWorking() { Flag = false; }
    } working{d->FIsWorking};

    TCanvas *c = Canvas();
    c->SetFont(*Font());
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetColor(d->FColorBG);
    c->Brush()->SetColor(d->FColorBG);
    c->Rectangle(0, 0, Width(), Height());

    const TSlideLayout before = d->Layout(Width(), Height());
    const int n = before.SlidesPerRow();
    if (n != d->FNumSldX) {
        d->FNumSldX = n;
        // The top-left slide must stay the first of a row.
        SetFirstThumbIdx(d->FFirstThumbIx);
    }
    d->FNumSldY = before.RowsPainted();

    PaintSlides(c);

    c->Pen()->SetColor(d->FColorBG);
    c->Brush()->SetColor(d->FColorBG);
    c->Rectangle(0, 0, Width(), kSlideBorder);
    c->Rectangle(0, Height() - kSlideBorder, Width(), Height());
    DrawFrame(c, d->FFrameStyle, 0, 0, Width() - 2, Height() - 2, clWhite, clSilver, clGray, clBlack,
              clBlack);
    // The highlight under the mouse outlives repaints (a click, a scroll).
    if (d->FHasHiLite && d->FHiliteThickness > 0) DrawHighlight(d->FLastHiLite, true);
}

void TThumbnails::PaintSlides(TCanvas *C)
{
    const TSlideLayout l = d->Layout(Width(), Height());
    TBitmap buffer;
    try {
        if (d->FOnFirstImageRequest) d->FOnFirstImageRequest(this);
        Q_EMIT onFirstImageRequest(this);
        // Requests come column by column.
        for (int i = 1; i <= d->FNumSldX; ++i)
            for (int j = 1; j <= d->FNumSldY; ++j) {
                const qint64 k = l.SlideAt(j, i);
                if (!d->InRange(k)) continue;
                const QPoint p = l.SlideCorner(j, i);
                PaintSlide(C, p.x(), p.y(), int(k), &buffer);
            }
    } catch (...) {
        HandleException();
    }
    SafeInvoke([this] {
        if (d->FOnLastImageRequest) d->FOnLastImageRequest(this);
        Q_EMIT onLastImageRequest(this);
    });
}

void TThumbnails::PaintSlide(TCanvas *C, int X, int Y, int K, TBitmap *Buffer)
{
    const int m = d->FSlideMargin;
    const int x2 = X + d->FThumbBaseSize + 2 * m;
    const int y2 = Y + d->FThumbBaseSize + 2 * m;
    // A handler that draws nothing must not show the picture of the slide before.
    Buffer->SetSize(0, 0);
    TBitmap *img = Buffer;
    TImageRequestProcessing how = irpShowEmpty;
    int mark = -1;
    if (d->FOnImageRequest) d->FOnImageRequest(this, K, how, mark, img);
    Q_EMIT onImageRequest(this, K, how, mark, img);

    if (how != irpShowNothing) {
        const TColor fill = d->Selected(K) ? d->FColorSelected : d->FColorCover;
        C->Pen()->SetColor(fill);
        C->Brush()->SetColor(fill);
        C->Rectangle(X, Y, x2 + 1, y2 + 1);
        DrawFrame(C, d->FOuterFrameStyle, X, Y, x2, y2, clWhite, clSilver, clGray, clBlack, clBlack);
    }
    C->Pen()->SetColor(clBlack);
    if (how == irpShowEmpty) {
        C->Brush()->SetColor(clWhite);
        C->Rectangle(X + m, Y + m + 20, x2 - m, y2 - m - 20);
        C->Font()->SetColor(clBlack);
        const QString text = QString::number(K);
        C->TextOut((X + x2) / 2 - C->TextWidth(text) / 2, (Y + y2) / 2 - C->TextHeight(text) / 2, text);
    } else if (how == irpShowSlide && img && !img->Empty()) {
        const TRect r = SlideImageRect(X, Y, d->FThumbBaseSize, m, img->Width(), img->Height());
        C->SetStretchMode(d->FAntiAlias ? smHalftone : smColorOnColor);
        C->StretchDraw(r, img == Buffer ? *img : Scaled(*img, r.Width(), r.Height()));
        DrawFrame(C, d->FInnerFrameStyle, r.Left, r.Top, r.Right, r.Bottom, clWhite, clSilver, clGray,
                  clBlack, clBlack);
    }
    if (mark != -1) {
        C->Pen()->SetColor(d->FMarkColor);
        DrawMarkOnCanvas(C, mark & 0xFF, X + 10, Y + 12);
    }
    if (d->FOnSlideRendered) d->FOnSlideRendered(this, C, X, Y, K);
    Q_EMIT onSlideRendered(this, C, X, Y, K);
}

const TBitmap &TThumbnails::Scaled(const TBitmap &Img, int W, int H)
{
    // A transparent picture is left to the canvas (its key colour must not be scaled into others).
    if (Img.Transparent() || W <= 0 || H <= 0 || qint64(W) * H > (1 << 22)) return Img;
    // The key changes whenever the picture's pixels do. The copy is made at the pixel density of
    // the surface, so that a picture shrunk for the slide keeps the screen's full detail.
    const int s = Canvas()->Scale();
    const QPair<qint64, qint64> key(Img.Image().cacheKey(), (qint64(W) << 34) | (qint64(H) << 3) |
                                                                (qint64(s - 1) << 1) | d->FAntiAlias);
    if (TBitmap *hit = d->FScaled.object(key)) return *hit;
    auto *scaled = new TBitmap(W, H, s);
    scaled->Canvas()->SetStretchMode(d->FAntiAlias ? smHalftone : smColorOnColor);
    scaled->Canvas()->StretchDraw(Rect(0, 0, W, H), Img);
    scaled->Canvas()->Flush();
    d->FScaled.insert(key, scaled, W * H * 4 * s * s);
    return *scaled;
}

void TThumbnails::DrawHighlight(int Slide, bool Show)
{
    if (!d->InRange(Slide)) return;
    TCanvas *c = Canvas();
    const QPoint p = d->Layout(Width(), Height()).SlidePos(Slide);
    const TRect r = SlideHighlightRect(p.x(), p.y(), d->FThumbBaseSize, d->FSlideMargin, Height());
    c->Pen()->SetWidth(1);
    if (Show) {
        c->Pen()->SetColor(d->FColorHilite);
    } else {
        const TColor fill = d->Selected(Slide) ? d->FColorSelected : d->FColorCover;
        c->Pen()->SetColor(fill);
        c->Brush()->SetColor(fill);
    }
    for (int t = 1; t <= d->FHiliteThickness; ++t)
        DrawRectangle(c, r.Left + t - 1, r.Top + t - 1, r.Right - t + 1, r.Bottom - t + 1);
    c->Pen()->SetColor(d->FColorBG);
    c->Brush()->SetColor(d->FColorBG);
    c->Rectangle(2, 2, Width() - 2, kSlideBorder);
    c->Rectangle(2, Height() - kSlideBorder, Width() - 2, Height() - 2);
}

// ---- input ----------------------------------------------------------------------------------------

void TThumbnails::SetHighlighted(int Slide)
{
    const bool has = Slide != INT_MIN;
    if (has == d->FHasHiLite && (!has || Slide == d->FLastHiLite)) return;
    const int before = d->FLastHiLite;
    DeviceSurface(); // a stale picture is composed first, so that the outline lands on the current one
    if (d->FHasHiLite) DrawHighlight(d->FLastHiLite, false);
    if (has) DrawHighlight(Slide, true);
    d->FHasHiLite = has;
    d->FLastHiLite = has ? Slide : 0;
    update();
    if (d->FOnFocusChange) d->FOnFocusChange(this);
    Q_EMIT onFocusChange(this);
    if (d->FLastHiLite != before) Q_EMIT FocusedSlideChanged(d->FLastHiLite);
}

void TThumbnails::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (d->FHiliteThickness <= 0) return;
    int k = 0;
    SetHighlighted(d->Layout(Width(), Height()).HitTest(X, Y, k) ? k : INT_MIN);
}

void TThumbnails::MouseLeave()
{
    TGraphicControl::MouseLeave();
    if (d->FHasHiLite) SetHighlighted(INT_MIN);
}

void TThumbnails::HandleClick(TShiftState Shift, int Slide)
{
    const bool hit = Slide != INT_MIN;
    const int selected = d->FSelectedSlide.CountTrueBits();
    // Selecting only the slide that is already the only one selected changes nothing.
    const bool alreadyOnly = selected == (hit ? 1 : 0) && (!hit || d->Selected(Slide));
    if (d->FSelectMode == ssmSingle) {
        d->FSelectedSlide.Clear();
        if (hit) d->FSelectedSlide.SetBit(int(qint64(Slide) - d->FMin), true);
        d->FLastClickedSlide = hit ? Slide : 0;
        d->FHasLastClicked = hit;
        Changed();
        NotifySelection(selected, !alreadyOnly);
    } else if (d->FSelectMode == ssmMultiple) {
        bool toggled = false;
        if (hit && (Shift & ssShift) && d->FHasLastClicked && d->InRange(d->FLastClickedSlide)) {
            const int from = std::min(Slide, d->FLastClickedSlide);
            const int to = std::max(Slide, d->FLastClickedSlide);
            for (qint64 s = from; s <= to; ++s)
                d->FSelectedSlide.SetBit(int(s - d->FMin), true);
        } else if (hit && (Shift & ssCtrl)) {
            d->FSelectedSlide.SetBit(int(qint64(Slide) - d->FMin), !d->Selected(Slide));
            toggled = true;
        } else if (!(Shift & (ssShift | ssCtrl))) {
            d->FSelectedSlide.Clear();
            if (hit) d->FSelectedSlide.SetBit(int(qint64(Slide) - d->FMin), true);
            toggled = !alreadyOnly;
        }
        if (hit) {
            d->FLastClickedSlide = Slide;
            d->FHasLastClicked = true;
        }
        Changed();
        NotifySelection(selected, toggled);
    }
}

void TThumbnails::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || (X == -1 && Y == -1)) return;
    int k = 0;
    const bool hit = d->Layout(Width(), Height()).HitTest(X, Y, k);
    HandleClick(Shift, hit ? k : INT_MIN);
    if (d->FOnImageClick) d->FOnImageClick(this, X, Y, k);
    Q_EMIT onImageClick(this, X, Y, k);
}

void TThumbnails::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !(Shift & ssDouble)) return;
    // The slide is looked up only for someone who listens.
    if (!d->FOnImageDblClick && !isSignalConnected(QMetaMethod::fromSignal(&TThumbnails::onImageDblClick)))
        return;
    const int k = CalcSlideIndex(X, Y);
    if (d->FOnImageDblClick) d->FOnImageDblClick(this, X, Y, k);
    Q_EMIT onImageDblClick(this, X, Y, k);
}

bool TThumbnails::DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    Q_UNUSED(Shift);
    const int n = std::max(1, d->FNumSldX);
    const double row = std::floor(d->FFirstThumbIx);
    // The position in slides that the writer turns back into this scroll position, one row on.
    const double slides = row + (d->FFirstThumbIx - row) * n;
    const int rows = WheelDelta > 0 ? -1 : 1;
    SetFirstThumbIdx(slides + double(rows) * n);
    if (d->FHiliteThickness > 0) {
        int k = 0;
        SetHighlighted(d->Layout(Width(), Height()).HitTest(X, Y, k) ? k : INT_MIN);
    }
    return true;
}

// ---- Assign ---------------------------------------------------------------------------------------

bool TThumbnails::AssignTo(TComponentBase *Dest) const
{
    auto *t = dynamic_cast<TThumbnails *>(Dest);
    if (!t) return TGraphicControl::AssignTo(Dest);
    if (t == this) return true;
    TThumbnailsPrivate &o = *t->d;
    const int oldMin = o.FMin;
    const double scroll = o.FFirstThumbIx;
    const int selected = o.FSelectedSlide.CountTrueBits();
    const int focused = o.FLastHiLite;
    o.FFrameStyle = d->FFrameStyle;
    o.FOuterFrameStyle = d->FOuterFrameStyle;
    o.FInnerFrameStyle = d->FInnerFrameStyle;
    o.FColorBG = d->FColorBG;
    o.FColBlackLine = d->FColBlackLine;
    o.FColGrayLine = d->FColGrayLine;
    o.FColWhiteLine = d->FColWhiteLine;
    o.FColorScheme = d->FColorScheme;
    o.FFirstThumbIx = d->FFirstThumbIx;
    o.FMin = d->FMin;
    o.FMax = d->FMax;
    o.FNumSldX = d->FNumSldX;
    o.FNumSldY = d->FNumSldY;
    o.FThumbBaseSize = d->FThumbBaseSize;
    o.FSLideDist = d->FSLideDist;
    o.FSlideMargin = d->FSlideMargin;
    o.FOnImageRequest = d->FOnImageRequest;
    o.FOnImageClick = d->FOnImageClick;
    o.FOnImageDblClick = d->FOnImageDblClick;
    o.FOnFocusChange = d->FOnFocusChange;
    o.FOnFirstImageRequest = d->FOnFirstImageRequest;
    o.FOnLastImageRequest = d->FOnLastImageRequest;
    o.FAntiAlias = d->FAntiAlias;
    o.FColorCover = d->FColorCover;
    o.FColorSelected = d->FColorSelected;
    o.FColorHilite = d->FColorHilite;
    o.FLastHiLite = d->FLastHiLite;
    o.FHasHiLite = d->FHasHiLite;
    o.FHiliteThickness = d->FHiliteThickness;
    t->ResizeSelection(oldMin);
    t->updateGeometry();
    t->Changed();
    t->NotifyScroll(scroll);
    t->NotifySelection(selected);
    if (o.FLastHiLite != focused) Q_EMIT t->FocusedSlideChanged(o.FLastHiLite);
    return true;
}

} // namespace kro
