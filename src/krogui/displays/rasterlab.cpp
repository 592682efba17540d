#include <krogui/core/property.h>
#include <krogui/graphics/colors.h>
#include <krogui/displays/rasterlab.h>
#include <krogui/graphics/drawing.h>

#include <algorithm>
#include <limits>

namespace kro {

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

TRasterLab::TRasterLab(QWidget *Parent) : TGraphicControl(Parent)
{
    SetDesignSize(400, 68);
    FScrTimer = new TControlTimer(this, [this] { DoTimer(); });
    // Setting the font name builds the matrix through FontChanged.
    Font()->SetName(QStringLiteral("default"));
    Font()->SetSize(8);
    FTextBitLength = CalcTextBitLength(FLabText) + 1;
    setAccessibleName(FLabText);
}

TRasterLab::~TRasterLab()
{
    FScrTimer->Kill();
}

// ---- properties -----------------------------------------------------------------

void TRasterLab::SetText(const QString &Value)
{
    if (!Store(FLabText, Value)) return;
    setAccessibleName(Value);
    if (FAutoCenter) AdjustAutoCenter();
    Repaint();
}

void TRasterLab::SetDotSize(int Value)
{
    Value = std::clamp(Value, 1, 32);
    if (!Store(FDotSize, Value)) return;
    if (FAutoHeight) AdjustAutoHeight();
    if (FAutoCenter) AdjustAutoCenter();
    Repaint();
}

void TRasterLab::SetDotSpacing(int Value)
{
    Value = std::clamp(Value, 0, 3);
    if (!Store(FDotSpacing, Value)) return;
    if (FAutoHeight) AdjustAutoHeight();
    if (FAutoCenter) AdjustAutoCenter();
    Repaint();
}

void TRasterLab::SetPosX(int Value)
{
    Value = ClampPos(Value);
    if (!Store(FXPos, Value)) return;
    Repaint();
}

void TRasterLab::SetPosY(int Value)
{
    Value = ClampPos(Value);
    if (!Store(FYPos, Value)) return;
    Repaint();
}

void TRasterLab::SetProportional(bool Value)
{
    if (!Store(FProportional, Value)) return;
    if (FAutoCenter) AdjustAutoCenter();
    Repaint();
}

void TRasterLab::SetCharBlockMode(TRDBlockMode Value)
{
    if (!Store(FCharBlockMode, Value)) return;
    Repaint();
}

void TRasterLab::SetColorDotOn(TColor Value)
{
    if (!Store(FColorDotOn, Value)) return;
    Repaint();
}

void TRasterLab::SetColorDotOff(TColor Value)
{
    if (!Store(FColorDotOff, Value)) return;
    Repaint();
}

void TRasterLab::SetColorLabBakG(TColor Value)
{
    if (!Store(FColorLabBakG, Value)) return;
    Repaint();
}

void TRasterLab::SetFrameStyle(TFrameStyle Value)
{
    if (!Store(FFrameStyle, Value)) return;
    Repaint();
}

void TRasterLab::SetColorScheme(TColorScheme Value)
{
    if (!Store(FColorScheme, Value)) return;
    FrameLineColors(Value, FColGrayLine, FColWhiteLine);
    Repaint();
}

void TRasterLab::SetAutoHeight(bool Value)
{
    if (!Store(FAutoHeight, Value)) return;
    if (Value) {
        AdjustAutoHeight();
        Repaint();
    }
}

void TRasterLab::SetAutoCenter(bool Value)
{
    if (!Store(FAutoCenter, Value)) return;
    if (Value)
        AdjustAutoCenter();
    else
        FXPos = 1;
    Repaint();
}

void TRasterLab::SetScrollMode(TRDScrollMode Value)
{
    if (!Store(FScrollMode, Value)) return;
    if (!IsDesigning()) {
        FScrTimerEnabled = Value != rdsmOff;
        UpdateTimer();
    }
    if (Value == rdsmOff) {
        FScrollPosX = 0;
        FScrollPosY = 0;
        Repaint();
    }
}

void TRasterLab::SetScrollInterval(int Value)
{
    Value = std::max(10, Value);
    if (!Store(FScrollIv, Value)) return;
    UpdateTimer();
}

void TRasterLab::SetScrollIncrement(int Value)
{
    qint64 v = qAbs(qint64(Value));
    Value = v == 0 ? 1 : int(std::min<qint64>(v, std::numeric_limits<int>::max()));
    if (!Store(FScrollInc, Value)) return;
    UpdateTimer();
}

void TRasterLab::SetScrollLoop(bool Value)
{
    FScrollLoop = Value;
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent Handler)
{
    FOnScrollTimer = std::move(Handler);
    UpdateTimer();
}

// ---- methods --------------------------------------------------------------------

void TRasterLab::SetCharMatrix(const TRDCharMatrix &CMat)
{
    FCMat = CMat;
    AfterMatrixChange();
}

void TRasterLab::FontChanged()
{
    // A new font replaces a matrix the application had set.
    FCMat = CreateBitFont(*Font());
    AfterMatrixChange();
}

void TRasterLab::AfterMatrixChange()
{
    if (FAutoHeight) AdjustAutoHeight();
    if (FAutoCenter) AdjustAutoCenter();
    Repaint();
}

int TRasterLab::CalcTextBitLength(const QString &Text) const
{
    const int p = Pitch();
    qint64 len = 0;
    for (const char32_t ch : Text.toUcs4()) {
        if (FProportional) {
            int first, last;
            ColumnsOf(FCMat, ch, false, first, last);
            len += qint64(ColumnCount(first, last) + 1) * p;
        } else {
            len += qint64(FontWidthOf(FCMat) + 1) * p;
        }
    }
    return ClampLength(len);
}

int TRasterLab::FrameAllowance() const
{
    switch (FFrameStyle) {
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
    SetHeight(FrameAllowance() + Pitch() * RowsOf(FCMat));
}

void TRasterLab::AdjustAutoCenter()
{
    FXPos = ClampPos((qint64(Width()) - CalcTextBitLength(FLabText)) / 2 + FrameAllowance() + 1);
}

void TRasterLab::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A hidden control gets its resize event only when shown; keep the centre current now.
    if (FAutoCenter && Width() != oldWidth) {
        AdjustAutoCenter();
        Invalidate();
    }
}

void TRasterLab::Resize()
{
    if (FAutoCenter) AdjustAutoCenter();
}

void TRasterLab::Assign(const TComponentBase *Source)
{
    const auto *src = dynamic_cast<const TRasterLab *>(Source);
    if (!src) {
        TGraphicControl::Assign(Source);
        return;
    }
    if (src == this) return;
    FFrameStyle = src->FFrameStyle;
    FLabText = src->FLabText;
    setAccessibleName(FLabText);
    FColorLabBakG = src->FColorLabBakG;
    FColorDotOn = src->FColorDotOn;
    FColBlackLine = src->FColBlackLine;
    FColGrayLine = src->FColGrayLine;
    FColWhiteLine = src->FColWhiteLine;
    FColorScheme = src->FColorScheme;
    if (FAutoCenter) AdjustAutoCenter();
    Repaint();
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
    const qint64 w = img ? img->width() : std::numeric_limits<int>::max();
    const int h = img ? img->height() : (1 << 16);
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
    const TColor fill = FCharBlockMode == rdbmOff ? FColorLabBakG : FColorDotOff;
    if (FFrameStyle != fsNone) {
        c->Brush()->SetColor(FColWhiteLine);
        c->FillRect(0, 0, W, H);
    }
    c->Pen()->SetColor(fill);
    c->Brush()->SetColor(fill);
    if (FFrameStyle != fsNone)
        c->Rectangle(1, 1, W - 1, H - 1);
    else
        c->Rectangle(0, 0, W, H);

    const int X = ClampPos(qint64(FXPos) + FScrollPosX);
    const int Y = ClampPos(qint64(FYPos) + FScrollPosY);
    const int p = Pitch();

    // 2. The raster: background lines in the gaps, so that DotSize squares of off colour remain,
    //    aligned with the text origin.
    if (FCharBlockMode != rdbmOff && FDotSpacing > 0) {
        c->Pen()->SetColor(FColorLabBakG);
        c->Brush()->SetColor(FColorLabBakG);
        const int oy = FloorMod(Y, p), ox = FloorMod(X, p);
        for (int b = 0; b <= H / p + 1; ++b)
            for (int i = 1; i <= FDotSpacing; ++i) {
                const int y = oy + b * p + i - FDotSpacing - 1;
                c->FillRect(0, y, W, y + 1);
            }
        for (int b = 0; b <= W / p + 1; ++b)
            for (int i = 1; i <= FDotSpacing; ++i) {
                const int x = ox + b * p + i - FDotSpacing - 1;
                c->FillRect(x, 0, x + 1, H);
            }
    }

    // 3. The text.
    PaintString(c, FCMat, X, Y, FLabText, FDotSize, FDotSpacing, FColorDotOn, FColorDotOff, FColorLabBakG,
                FCharBlockMode, FProportional, FTextBitLength);

    // 4. The frame (outlines run through their four corners; lines leave out their end point).
    auto outline = [c](TColor Color, int L, int T, int R, int B) {
        c->Pen()->SetColor(Color);
        DrawRectangle(c, L, T, R, B);
    };
    switch (FFrameStyle) {
    case fsSimple:
        outline(FColGrayLine, 0, 0, W - 1, H - 1);
        break;
    case fsLowered:
        c->LinePath(FColBlackLine, {{1, H - 3}, {1, 1}, {W - 2, 1}});
        c->LinePath(FColWhiteLine, {{2, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
        outline(FColGrayLine, 0, 0, W - 2, H - 2);
        break;
    case fsRaised:
        c->LinePath(FColWhiteLine, {{1, H - 3}, {1, 1}, {W - 2, 1}});
        c->LinePath(FColBlackLine, {{0, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
        outline(FColGrayLine, 0, 0, W - 2, H - 2);
        break;
    case fsEmbossed:
        outline(FColGrayLine, 1, 1, W - 1, H - 1);
        outline(FColWhiteLine, 0, 0, W - 2, H - 2);
        break;
    case fsEngraved:
        outline(FColWhiteLine, 1, 1, W - 1, H - 1);
        outline(FColGrayLine, 0, 0, W - 2, H - 2);
        break;
    default:
        break;
    }
}

// ---- scrolling ------------------------------------------------------------------

void TRasterLab::UpdateTimer()
{
    FScrTimer->Kill();
    if (FScrollIv > 0 && FScrollMode != rdsmOff && FScrTimerEnabled && !FScrTimer->Start(FScrollIv))
        throw EKRORasterLabError(ComponentMessage(QStringLiteral("no timer available")));
}

void TRasterLab::DoTimer()
{
    ScrollTimerEvent();
    if (FOnScrollTimer) FOnScrollTimer(this);
}

void TRasterLab::DoScrLoopRestart()
{
    if (FOnScrollLoopRestart) FOnScrollLoopRestart(this);
}

void TRasterLab::ScrollTimerEvent()
{
    const qint64 inc = FScrollInc;
    const int textHeight = ClampLength(qint64(Pitch()) * RowsOf(FCMat));
    switch (FScrollMode) {
    case rdsmOff:
        FScrTimerEnabled = false;
        UpdateTimer();
        FScrollPosX = 0;
        FScrollPosY = 0;
        break;
    case rdsmRight:
        FScrollPosX = ClampPos(FScrollPosX + inc);
        if (FScrollLoop && FScrollPosX > Width()) {
            FScrollPosX = -FTextBitLength;
            DoScrLoopRestart();
        }
        break;
    case rdsmLeft:
        FScrollPosX = ClampPos(FScrollPosX - inc);
        // Out once the text's right end has passed the left edge; back in from the right edge.
        if (FScrollLoop && qint64(FXPos) + FScrollPosX + FTextBitLength <= 0) {
            FScrollPosX = ClampPos(qint64(Width()) - FXPos);
            DoScrLoopRestart();
        }
        break;
    case rdsmDown:
        FScrollPosY = ClampPos(FScrollPosY + inc);
        if (FScrollLoop && FScrollPosY > Height()) {
            FScrollPosY = -textHeight;
            DoScrLoopRestart();
        }
        break;
    case rdsmUp:
        FScrollPosY = ClampPos(FScrollPosY - inc);
        if (FScrollLoop && qint64(FYPos) + FScrollPosY + textHeight <= 0) {
            FScrollPosY = ClampPos(qint64(Height()) - FYPos);
            DoScrLoopRestart();
        }
        break;
    }
    Repaint();
}

} // namespace kro
