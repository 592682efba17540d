#include <krogui/core/property.h>
#include <krogui/displays/rasterlab.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <algorithm>
#include <limits>

namespace kro {

struct TRasterLabPrivate
{
    TRDCharMatrix FCMat;
    QString FLabText = QStringLiteral("Text");
    int FDotSize = 3;
    int FDotSpacing = 1;
    int FXPos = 1;
    int FYPos = 1;
    bool FProportional = true;
    TRDBlockMode FCharBlockMode = rdbmOn;
    TColor FColorDotOn = clLime;
    TColor FColorDotOff = 0x404040;
    TColor FColorLabBakG = clBlack;
    TFrameStyle FFrameStyle = fsLowered;
    TColorScheme FColorScheme = csBWG;
    TColor FColBlackLine = clBlack;
    TColor FColGrayLine = clGray;
    TColor FColWhiteLine = clWhite;
    bool FAutoHeight = false;
    bool FAutoCenter = false;
    TRDScrollMode FScrollMode = rdsmOff;
    int FScrollIv = 100;
    int FScrollInc = 1;
    bool FScrollLoop = true;
    int FScrollPosX = 0;
    int FScrollPosY = 0;
    int FTextBitLength = 0;
    bool FScrTimerEnabled = false;
    TNotifyEvent FOnScrollTimer;
    TNotifyEvent FOnScrollLoopRestart;
};

namespace {

// Offsets and positions stay well inside the int range, whatever a long text or a long
// unlooped scroll would add up to.
constexpr qint64 kPosLimit = 1 << 28;

int ClampPos(qint64 V)
{
    return int(std::clamp(V, -kPosLimit, kPosLimit));
}

int ClampLength(qint64 V)
{
    return int(std::clamp<qint64>(V, 0, std::numeric_limits<int>::max()));
}

// A floored remainder: the raster stays aligned with the text for negative offsets too.
int FloorMod(int A, int M)
{
    const int r = A % M;
    return r < 0 ? r + M : r;
}

// Rows and widest width as far as the matrix can hold dots; an application's matrix may claim
// more than that.
int RowsOf(const TRDCharMatrix &M)
{
    return std::clamp(M.FontHeight, 0, 32);
}
int FontWidthOf(const TRDCharMatrix &M)
{
    return std::clamp(M.FontWidth, 0, 256);
}

// First and last column of a character. Codes without an entry (above 255) count as an empty
// one-column character, like the control codes.
void ColumnsOf(const TRDCharMatrix &M, char32_t Ch, bool FixedWidth, int &First, int &Last)
{
    if (FixedWidth) {
        First = 0;
        Last = FontWidthOf(M) - 1;
    } else if (Ch < 256) {
        First = M.LeftMostBit[Ch];
        Last = M.RightMostBit[Ch];
    } else {
        First = Last = 0;
    }
}

// Number of columns a character takes; an empty sampled glyph (first 31, last 0) takes none
// rather than a negative width that would run the text backwards.
int ColumnCount(int First, int Last)
{
    return std::max(0, Last - First + 1);
}

} // namespace

TRasterLab::TRasterLab(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TRasterLabPrivate>())
{
    SetDesignSize(400, 68);
    FScrTimer = new TControlTimer(this, [this] { DoTimer(); });
    // Setting the font name builds the matrix through FontChanged.
    Font()->SetName(QStringLiteral("default"));
    Font()->SetSize(8);
    d->FTextBitLength = CalcTextBitLength(d->FLabText) + 1;
    // Extra height is background below the text; extra width shows more of a long text.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(d->FLabText);
}

QSize TRasterLab::minimumSizeHint() const
{
    const int k = FrameAllowance(), p = Pitch();
    const int x = std::clamp(d->FXPos, 0, 1024), y = std::clamp(d->FYPos, 0, 1024);
    return QSize(x + p * (FontWidthOf(d->FCMat) + 1) + k + 1, y + p * RowsOf(d->FCMat) + k + 1);
}

QSize TRasterLab::sizeHint() const
{
    return TGraphicControl::sizeHint().expandedTo(minimumSizeHint());
}

TRasterLab::~TRasterLab()
{
    FScrTimer->Kill();
}

// ---- properties -----------------------------------------------------------------

void TRasterLab::SetText(const QString &Value)
{
    if (!Store(d->FLabText, Value)) return;
    setAccessibleName(Value);
    if (d->FAutoCenter) AdjustAutoCenter();
    Repaint();
    Q_EMIT TextChanged(Value);
}

void TRasterLab::SetDotSize(int Value)
{
    Value = std::clamp(Value, 1, 32);
    if (!Store(d->FDotSize, Value)) return;
    if (d->FAutoHeight) AdjustAutoHeight();
    if (d->FAutoCenter) AdjustAutoCenter();
    Repaint();
    updateGeometry(); // the size hints follow
}

void TRasterLab::SetDotSpacing(int Value)
{
    Value = std::clamp(Value, 0, 3);
    if (!Store(d->FDotSpacing, Value)) return;
    if (d->FAutoHeight) AdjustAutoHeight();
    if (d->FAutoCenter) AdjustAutoCenter();
    Repaint();
    updateGeometry(); // the size hints follow
}

void TRasterLab::SetPosX(int Value)
{
    Value = ClampPos(Value);
    if (!Store(d->FXPos, Value)) return;
    Repaint();
    updateGeometry(); // the size hints follow
}

void TRasterLab::SetPosY(int Value)
{
    Value = ClampPos(Value);
    if (!Store(d->FYPos, Value)) return;
    Repaint();
    updateGeometry(); // the size hints follow
}

void TRasterLab::SetProportional(bool Value)
{
    if (!Store(d->FProportional, Value)) return;
    if (d->FAutoCenter) AdjustAutoCenter();
    Repaint();
}

void TRasterLab::SetCharBlockMode(TRDBlockMode Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FCharBlockMode, Value)) return;
    Repaint();
}

void TRasterLab::SetColorDotOn(TColor Value)
{
    if (!Store(d->FColorDotOn, Value)) return;
    Repaint();
}

void TRasterLab::SetColorDotOff(TColor Value)
{
    if (!Store(d->FColorDotOff, Value)) return;
    Repaint();
}

void TRasterLab::SetColorLabBakG(TColor Value)
{
    if (!Store(d->FColorLabBakG, Value)) return;
    Repaint();
}

void TRasterLab::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FFrameStyle, Value)) return;
    Repaint();
    updateGeometry(); // the size hints follow
}

void TRasterLab::SetColorScheme(TColorScheme Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FColorScheme, Value)) return;
    FrameLineColors(Value, d->FColGrayLine, d->FColWhiteLine);
    Repaint();
}

void TRasterLab::SetAutoHeight(bool Value)
{
    if (!Store(d->FAutoHeight, Value)) return;
    if (Value) {
        AdjustAutoHeight();
        Repaint();
    }
}

void TRasterLab::SetAutoCenter(bool Value)
{
    if (!Store(d->FAutoCenter, Value)) return;
    if (Value)
        AdjustAutoCenter();
    else
        d->FXPos = 1;
    Repaint();
}

void TRasterLab::SetScrollMode(TRDScrollMode Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FScrollMode, Value)) return;
    if (!IsDesigning()) {
        d->FScrTimerEnabled = Value != rdsmOff;
        UpdateTimer();
    }
    if (Value == rdsmOff) {
        d->FScrollPosX = 0;
        d->FScrollPosY = 0;
        Repaint();
    }
}

void TRasterLab::SetScrollInterval(int Value)
{
    Value = std::max(10, Value);
    if (!Store(d->FScrollIv, Value)) return;
    UpdateTimer();
}

void TRasterLab::SetScrollIncrement(int Value)
{
    qint64 v = qAbs(qint64(Value));
    Value = v == 0 ? 1 : int(std::min<qint64>(v, std::numeric_limits<int>::max()));
    if (!Store(d->FScrollInc, Value)) return;
    UpdateTimer();
}

void TRasterLab::SetScrollLoop(bool Value)
{
    d->FScrollLoop = Value;
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent Handler)
{
    d->FOnScrollTimer = std::move(Handler);
    UpdateTimer();
}

// ---- methods --------------------------------------------------------------------

void TRasterLab::SetCharMatrix(const TRDCharMatrix &CMat)
{
    d->FCMat = CMat;
    AfterMatrixChange();
}

void TRasterLab::FontChanged()
{
    // A new font replaces a matrix the application had set.
    d->FCMat = CreateBitFont(*Font());
    AfterMatrixChange();
}

void TRasterLab::AfterMatrixChange()
{
    if (d->FAutoHeight) AdjustAutoHeight();
    if (d->FAutoCenter) AdjustAutoCenter();
    Repaint();
    updateGeometry(); // the size hints follow
}

int TRasterLab::CalcTextBitLength(const QString &Text) const
{
    const int p = Pitch();
    qint64 len = 0;
    for (const char32_t ch : Text.toUcs4()) {
        if (d->FProportional) {
            int first, last;
            ColumnsOf(d->FCMat, ch, false, first, last);
            len += qint64(ColumnCount(first, last) + 1) * p;
        } else {
            len += qint64(FontWidthOf(d->FCMat) + 1) * p;
        }
    }
    return ClampLength(len);
}

int TRasterLab::FrameAllowance() const
{
    switch (d->FFrameStyle) {
    case fsSimple:
    case fsLowered:
    case fsRaised:
        return 1;
    case fsEmbossed:
    case fsEngraved:
        return 2;
    default:
        return 0;
    }
}

void TRasterLab::AdjustAutoHeight()
{
    SetHeight(FrameAllowance() + Pitch() * RowsOf(d->FCMat));
}

void TRasterLab::AdjustAutoCenter()
{
    d->FXPos = ClampPos((qint64(Width()) - CalcTextBitLength(d->FLabText)) / 2 + FrameAllowance() + 1);
}

void TRasterLab::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A hidden control gets its resize event only when shown; keep the centre current now.
    if (d->FAutoCenter && Width() != oldWidth) {
        AdjustAutoCenter();
        Invalidate();
    }
}

void TRasterLab::Resize()
{
    if (d->FAutoCenter) AdjustAutoCenter();
}

void TRasterLab::Assign(const TComponentBase *Source)
{
    const auto *src = dynamic_cast<const TRasterLab *>(Source);
    if (!src) {
        TGraphicControl::Assign(Source);
        return;
    }
    if (src == this) return;
    d->FFrameStyle = src->d->FFrameStyle;
    const bool textChanged = d->FLabText != src->d->FLabText;
    d->FLabText = src->d->FLabText;
    setAccessibleName(d->FLabText);
    d->FColorLabBakG = src->d->FColorLabBakG;
    d->FColorDotOn = src->d->FColorDotOn;
    d->FColBlackLine = src->d->FColBlackLine;
    d->FColGrayLine = src->d->FColGrayLine;
    d->FColWhiteLine = src->d->FColWhiteLine;
    d->FColorScheme = src->d->FColorScheme;
    if (d->FAutoCenter) AdjustAutoCenter();
    Repaint();
    if (textChanged) Q_EMIT TextChanged(d->FLabText);
}

// ---- drawing --------------------------------------------------------------------

int TRasterLab::PaintChar(TCanvas *Canvas, const TRDCharMatrix &CMat, int X, int Y, char32_t Ch, int DotSize,
                          int DotSpacing, TColor ColorOn, TColor, TColor, bool FixedWidth)
{
    const int p = DotSize + DotSpacing;
    int first, last;
    ColumnsOf(CMat, Ch, FixedWidth, first, last);
    if (Ch < 256) {
        Canvas->Pen()->SetColor(ColorOn);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(ColorOn);
        const int rows = RowsOf(CMat);
        const int c0 = std::max(first, 0), c1 = std::min(last, 31);
        for (int r = 0; r < rows; ++r) {
            const quint32 bits = CMat.BitData[Ch][r];
            if (bits == 0) continue;
            const int y = Y + r * p;
            for (int c = c0; c <= c1; ++c) {
                if (!((bits >> c) & 1u)) continue;
                const int x = X + (c - first) * p;
                if (DotSize == 1)
                    Canvas->SetPixel(x, y, ColorOn);
                else // the square the pen and brush of one colour would cover
                    Canvas->FillRect(x, y, x + DotSize, y + DotSize);
            }
        }
    }
    return p * ColumnCount(first, last);
}

void TRasterLab::PaintString(TCanvas *Canvas, const TRDCharMatrix &CMat, int X, int Y, const QString &Text,
                             int DotSize, int DotSpacing, TColor ColorOn, TColor ColorOff, TColor ColorBakG,
                             TRDBlockMode BlockMode, bool Proportional, int &BitLength)
{
    const int p = DotSize + DotSpacing;
    const QImage *img = Canvas->Image();
    const qint64 w = img ? img->width() / Canvas->Scale() : std::numeric_limits<int>::max();
    const int h = img ? img->height() / Canvas->Scale() : (1 << 16);
    qint64 x = X;
    auto gap = [&] {
        if (x <= 0 || x - p >= w) return;
        Canvas->Pen()->SetColor(ColorBakG);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(ColorBakG);
        Canvas->FillRect(int(x - p), 0, int(x), h);
    };
    if (BlockMode == rdbmOn) gap();
    for (const char32_t ch : Text.toUcs4()) {
        int first, last;
        ColumnsOf(CMat, ch, !Proportional, first, last);
        const qint64 width = qint64(p) * ColumnCount(first, last);
        // Characters outside the picture only advance the position.
        if (x < w && x + width > 0)
            PaintChar(Canvas, CMat, int(x), Y, ch, DotSize, DotSpacing, ColorOn, ColorOff, ColorBakG,
                      !Proportional);
        x += Proportional ? width + p : qint64(p) * (FontWidthOf(CMat) + 1);
        if (BlockMode == rdbmOn) gap();
    }
    BitLength = ClampLength(x - X + 1);
}

void TRasterLab::Paint()
{
    if (!Visible() && !IsDesigning()) return;
    TCanvas *c = Canvas();
    const int W = Width(), H = Height();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);

    // 1. The face: off-dot colour, or the plain background without off-dots. The few corner
    //    pixels a frame leaves out take the frame's light colour.
    const TColor fill = d->FCharBlockMode == rdbmOff ? d->FColorLabBakG : d->FColorDotOff;
    if (d->FFrameStyle != fsNone) {
        c->Brush()->SetColor(d->FColWhiteLine);
        c->FillRect(0, 0, W, H);
    }
    c->Pen()->SetColor(fill);
    c->Brush()->SetColor(fill);
    if (d->FFrameStyle != fsNone)
        c->Rectangle(1, 1, W - 1, H - 1);
    else
        c->Rectangle(0, 0, W, H);

    const int X = ClampPos(qint64(d->FXPos) + d->FScrollPosX);
    const int Y = ClampPos(qint64(d->FYPos) + d->FScrollPosY);
    const int p = Pitch();

    // 2. The raster: background lines in the gaps, so that DotSize squares of off colour remain,
    //    aligned with the text origin.
    if (d->FCharBlockMode != rdbmOff && d->FDotSpacing > 0) {
        c->Pen()->SetColor(d->FColorLabBakG);
        c->Brush()->SetColor(d->FColorLabBakG);
        const int oy = FloorMod(Y, p), ox = FloorMod(X, p);
        for (int b = 0; b <= H / p + 1; ++b)
            for (int i = 1; i <= d->FDotSpacing; ++i) {
                const int y = oy + b * p + i - d->FDotSpacing - 1;
                c->FillRect(0, y, W, y + 1);
            }
        for (int b = 0; b <= W / p + 1; ++b)
            for (int i = 1; i <= d->FDotSpacing; ++i) {
                const int x = ox + b * p + i - d->FDotSpacing - 1;
                c->FillRect(x, 0, x + 1, H);
            }
    }

    // 3. The text.
    PaintString(c, d->FCMat, X, Y, d->FLabText, d->FDotSize, d->FDotSpacing, d->FColorDotOn, d->FColorDotOff,
                d->FColorLabBakG, d->FCharBlockMode, d->FProportional, d->FTextBitLength);

    // 4. The frame (outlines run through their four corners; lines leave out their end point).
    auto outline = [c](TColor Color, int L, int T, int R, int B) {
        c->Pen()->SetColor(Color);
        DrawRectangle(c, L, T, R, B);
    };
    switch (d->FFrameStyle) {
    case fsSimple:
        outline(d->FColGrayLine, 0, 0, W - 1, H - 1);
        break;
    case fsLowered:
        c->LinePath(d->FColBlackLine, {{1, H - 3}, {1, 1}, {W - 2, 1}});
        c->LinePath(d->FColWhiteLine, {{2, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
        outline(d->FColGrayLine, 0, 0, W - 2, H - 2);
        break;
    case fsRaised:
        c->LinePath(d->FColWhiteLine, {{1, H - 3}, {1, 1}, {W - 2, 1}});
        c->LinePath(d->FColBlackLine, {{0, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
        outline(d->FColGrayLine, 0, 0, W - 2, H - 2);
        break;
    case fsEmbossed:
        outline(d->FColGrayLine, 1, 1, W - 1, H - 1);
        outline(d->FColWhiteLine, 0, 0, W - 2, H - 2);
        break;
    case fsEngraved:
        outline(d->FColWhiteLine, 1, 1, W - 1, H - 1);
        outline(d->FColGrayLine, 0, 0, W - 2, H - 2);
        break;
    default:
        break;
    }
}

// ---- scrolling ------------------------------------------------------------------

void TRasterLab::UpdateTimer()
{
    FScrTimer->Kill();
    if (d->FScrollIv > 0 && d->FScrollMode != rdsmOff && d->FScrTimerEnabled &&
        !FScrTimer->Start(d->FScrollIv))
        throw EKRORasterLabError(ComponentMessage(QStringLiteral("no timer available")));
}

void TRasterLab::DoTimer()
{
    ScrollTimerEvent();
    if (d->FOnScrollTimer) d->FOnScrollTimer(this);
    Q_EMIT onScrollTimer(this);
}

void TRasterLab::DoScrLoopRestart()
{
    if (d->FOnScrollLoopRestart) d->FOnScrollLoopRestart(this);
    Q_EMIT onScrollLoopRestart(this);
}

void TRasterLab::ScrollTimerEvent()
{
    const qint64 inc = d->FScrollInc;
    const int textHeight = ClampLength(qint64(Pitch()) * RowsOf(d->FCMat));
    switch (d->FScrollMode) {
    case rdsmOff:
        d->FScrTimerEnabled = false;
        UpdateTimer();
        d->FScrollPosX = 0;
        d->FScrollPosY = 0;
        break;
    case rdsmRight:
        d->FScrollPosX = ClampPos(d->FScrollPosX + inc);
        if (d->FScrollLoop && d->FScrollPosX > Width()) {
            d->FScrollPosX = -d->FTextBitLength;
            DoScrLoopRestart();
        }
        break;
    case rdsmLeft:
        d->FScrollPosX = ClampPos(d->FScrollPosX - inc);
        // Out once the text's right end has passed the left edge; back in from the right edge.
        if (d->FScrollLoop && qint64(d->FXPos) + d->FScrollPosX + d->FTextBitLength <= 0) {
            d->FScrollPosX = ClampPos(qint64(Width()) - d->FXPos);
            DoScrLoopRestart();
        }
        break;
    case rdsmDown:
        d->FScrollPosY = ClampPos(d->FScrollPosY + inc);
        if (d->FScrollLoop && d->FScrollPosY > Height()) {
            d->FScrollPosY = -textHeight;
            DoScrLoopRestart();
        }
        break;
    case rdsmUp:
        d->FScrollPosY = ClampPos(d->FScrollPosY - inc);
        if (d->FScrollLoop && qint64(d->FYPos) + d->FScrollPosY + textHeight <= 0) {
            d->FScrollPosY = ClampPos(qint64(Height()) - d->FYPos);
            DoScrLoopRestart();
        }
        break;
    }
    Repaint();
}

// ---- readers ----

QString TRasterLab::Text() const
{
    return d->FLabText;
}
int TRasterLab::DotSize() const
{
    return d->FDotSize;
}
int TRasterLab::DotSpacing() const
{
    return d->FDotSpacing;
}
int TRasterLab::PosX() const
{
    return d->FXPos;
}
int TRasterLab::PosY() const
{
    return d->FYPos;
}
bool TRasterLab::Proportional() const
{
    return d->FProportional;
}
TRDBlockMode TRasterLab::CharBlockMode() const
{
    return d->FCharBlockMode;
}
TColor TRasterLab::ColorDotOn() const
{
    return d->FColorDotOn;
}
TColor TRasterLab::ColorDotOff() const
{
    return d->FColorDotOff;
}
TColor TRasterLab::ColorLabBakG() const
{
    return d->FColorLabBakG;
}
TFrameStyle TRasterLab::FrameStyle() const
{
    return d->FFrameStyle;
}
TColorScheme TRasterLab::ColorScheme() const
{
    return d->FColorScheme;
}
bool TRasterLab::AutoHeight() const
{
    return d->FAutoHeight;
}
bool TRasterLab::AutoCenter() const
{
    return d->FAutoCenter;
}
TRDScrollMode TRasterLab::ScrollMode() const
{
    return d->FScrollMode;
}
int TRasterLab::ScrollInterval() const
{
    return d->FScrollIv;
}
int TRasterLab::ScrollIncrement() const
{
    return d->FScrollInc;
}
bool TRasterLab::ScrollLoop() const
{
    return d->FScrollLoop;
}
const TRDCharMatrix &TRasterLab::CharMatrix() const
{
    return d->FCMat;
}
int TRasterLab::ScrollPosX() const
{
    return d->FScrollPosX;
}
int TRasterLab::ScrollPosY() const
{
    return d->FScrollPosY;
}
int TRasterLab::TextBitLength() const
{
    return d->FTextBitLength;
}
const TNotifyEvent &TRasterLab::OnScrollTimer() const
{
    return d->FOnScrollTimer;
}
void TRasterLab::SetOnScrollLoopRestart(TNotifyEvent Handler)
{
    d->FOnScrollLoopRestart = std::move(Handler);
}
const TNotifyEvent &TRasterLab::OnScrollLoopRestart() const
{
    return d->FOnScrollLoopRestart;
}
int TRasterLab::Pitch() const
{
    return d->FDotSize + d->FDotSpacing;
}

} // namespace kro
