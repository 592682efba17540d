#include <krogui/core/kromath.h>
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/canvas.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/figures_p.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace kro {

// ---- canvas -----------------------------------------------------------------------

TCanvas::TCanvas(QImage *Target) : FImage(Target) {}

TCanvas::TCanvas(QPainter *Painter) : FPainter(Painter) {}

TCanvas::~TCanvas()
{
    End();
}

int TCanvas::Scale() const
{
    if (!FImage && FPainter && FPainter->device())
        return ScaleOfRatio(FPainter->device()->devicePixelRatio());
    if (!FImage || FImage->isNull()) return 1;
    return ScaleOfRatio(FImage->devicePixelRatio());
}

void TCanvas::Begin()
{
    if (FPainter) return;
    if (!FImage || FImage->isNull()) return;
    FPainter = new QPainter(FImage);
    FOwnsPainter = true;
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!FClip.IsEmpty()) FPainter->setClipRect(QRect(FClip.Left, FClip.Top, FClip.Width(), FClip.Height()));
}

void TCanvas::End()
{
    if (FOwnsPainter && FPainter) {
        FPainter->end();
        delete FPainter;
        FPainter = nullptr;
        FOwnsPainter = false;
    }
    FixAlpha();
}

void TCanvas::Flush()
{
    End();
}

QPainter *TCanvas::Handle()
{
    Begin();
    return FPainter;
}

QImage *TCanvas::Image()
{
    End();
    return FImage;
}

void TCanvas::FixAlpha()
{
    // Raster operations also combine the alpha byte of RGB32 pixels; keep the image opaque.
    if (!FAlphaDirty || !FImage || FImage->isNull() || FOwnsPainter) return;
    FAlphaDirty = false;
    if (FImage->format() != QImage::Format_RGB32 && FImage->format() != QImage::Format_ARGB32) return;
    const int w = FImage->width(), h = FImage->height();
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(FImage->scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] |= 0xFF000000u;
    }
}

void TCanvas::SetClipRect(const TRect &R)
{
    FClip = R;
    if (!FPainter) return;
    if (R.IsEmpty())
        FPainter->setClipping(false);
    else
        FPainter->setClipRect(QRect(R.Left, R.Top, R.Width(), R.Height()));
}

void TCanvas::ApplyPenMode()
{
    QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
    switch (FPen.Mode()) {
    case pmNot:
        m = QPainter::RasterOp_NotDestination;
        break;
    case pmXor:
        m = QPainter::RasterOp_SourceXorDestination;
        break;
    case pmNotXor:
        m = QPainter::RasterOp_NotSourceXorDestination;
        break;
    case pmNotCopy:
        m = QPainter::RasterOp_NotSource;
        break;
    default:
        break;
    }
    if (m != QPainter::CompositionMode_SourceOver && FImage) FAlphaDirty = true;
    FPainter->setCompositionMode(m);
}

void TCanvas::ApplyCopyMode()
{
    QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
    switch (FCopyMode) {
    case SRCAND:
        m = QPainter::RasterOp_SourceAndDestination;
        break;
    case SRCPAINT:
        m = QPainter::RasterOp_SourceOrDestination;
        break;
    case SRCINVERT:
        m = QPainter::RasterOp_SourceXorDestination;
        break;
    case NOTSRCCOPY:
        m = QPainter::RasterOp_NotSource;
        break;
    default:
        break;
    }
    if (m != QPainter::CompositionMode_SourceOver && FImage) FAlphaDirty = true;
    FPainter->setCompositionMode(m);
}

// The pen modes that put the pen (and the brush) colour into the picture unchanged.
bool TCanvas::PenModeCopies() const
{
    switch (FPen.Mode()) {
    case pmNot:
    case pmXor:
    case pmNotXor:
    case pmNotCopy:
        return false;
    default:
        return true;
    }
}

// True when the painter would put an opaque colour into the canvas's own picture unchanged: plain
// composition, no clip, transform or opacity in effect. Small fills then go straight into the
// pixels, which costs far less than a painter call per run of a line or a figure.
bool TCanvas::DirectTarget() const
{
    if (!FImage || !FPainter || FImage->isNull() || FPainter->device() != FImage) return false;
    const QImage::Format f = FImage->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return false;
    return FPainter->compositionMode() == QPainter::CompositionMode_SourceOver && !FPainter->hasClipping() &&
           FPainter->opacity() == 1.0 && FPainter->deviceTransform().type() == QTransform::TxNone;
}

// Sets N pixels to V, eight at a time (the fixed-size copies become vector stores).
static void FillPixels(QRgb *P, int N, QRgb V)
{
    if (N < 8) {
        for (int i = 0; i < N; ++i)
            P[i] = V;
        return;
    }
    const QRgb block[8] = {V, V, V, V, V, V, V, V};
    int i = 0;
    for (; i + 8 <= N; i += 8)
        std::memcpy(P + i, block, sizeof block);
    for (; i < N; ++i)
        P[i] = V;
}

// Fills the rectangles (cut to the picture) with an opaque colour, as the painter would: small ones
// straight into the pixels, large ones (where a painter call costs little in comparison) through it.
void TCanvas::FillDirect(const QRect *Rects, int N, const QColor &Color)
{
    const QRgb px = Color.rgba() | 0xFF000000u;
    // The very pixels the painter draws into (it detached the picture when it began).
    uchar *const bits = const_cast<uchar *>(FImage->constBits());
    const qsizetype bpl = FImage->bytesPerLine();
    const int w = FImage->width(), h = FImage->height();
    for (int i = 0; i < N; ++i) {
        const QRect &r = Rects[i];
        const int x0 = std::max(r.left(), 0), x1 = std::min(r.right(), w - 1);
        const int y0 = std::max(r.top(), 0), y1 = std::min(r.bottom(), h - 1);
        if (x0 > x1 || y0 > y1) continue;
        if (qint64(x1 - x0 + 1) * (y1 - y0 + 1) >= 2048) {
            FPainter->fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), Color);
            continue;
        }
        if (x0 == x1) { // a column, say of a vertical line
            for (int y = y0; y <= y1; ++y)
                reinterpret_cast<QRgb *>(bits + y * bpl)[x0] = px;
            continue;
        }
        for (int y = y0; y <= y1; ++y)
            FillPixels(reinterpret_cast<QRgb *>(bits + y * bpl) + x0, x1 - x0 + 1, px);
    }
}

static QColor PenQColor(const TPen &Pen)
{
    switch (Pen.Mode()) {
    case pmBlack:
        return QColor(0, 0, 0);
    case pmWhite:
        return QColor(255, 255, 255);
    case pmNot:
        return QColor(255, 255, 255); // the colour is ignored; the destination is inverted
    default:
        return ToQColor(Pen.Color());
    }
}

static Qt::BrushStyle QtBrushStyle(TBrushStyle S)
{
    switch (S) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

static QBrush QtBrush(const TBrush &B)
{
    return QBrush(ToQColor(B.Color()), QtBrushStyle(B.Style()));
}

static bool PenVisible(const TPen &P)
{
    return P.Style() != psClear && P.Mode() != pmNop;
}

static QPen QtPen(const TPen &P)
{
    QPen pen(PenQColor(P));
    pen.setWidth(P.Width() <= 1 ? 0 : P.Width());
    pen.setCapStyle(P.Width() <= 1 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(Qt::MiterJoin);
    switch (P.Style()) {
    case psDash:
        pen.setStyle(Qt::DashLine);
        break;
    case psDot:
        pen.setStyle(Qt::DotLine);
        break;
    case psDashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case psDashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    case psClear:
        pen.setStyle(Qt::NoPen);
        break;
    default:
        break;
    }
    return pen;
}

void TCanvas::MoveTo(int X, int Y)
{
    FPenPos = QPoint(X, Y);
}

// A one-pixel line from (X0, Y0) up to, not including, (X1, Y1); dashed styles follow the
// classic cosmetic pen patterns.
void TCanvas::PlotLine(int X0, int Y0, int X1, int Y1)
{
    static const int kDash[] = {18, 6};
    static const int kDot[] = {3, 3};
    static const int kDashDot[] = {9, 6, 3, 6};
    static const int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    const int *pattern = nullptr;
    int patternLen = 0;
    switch (FPen.Style()) {
    case psDash:
        pattern = kDash;
        patternLen = 2;
        break;
    case psDot:
        pattern = kDot;
        patternLen = 2;
        break;
    case psDashDot:
        pattern = kDashDot;
        patternLen = 4;
        break;
    case psDashDotDot:
        pattern = kDashDotDot;
        patternLen = 6;
        break;
    default:
        break;
    }
    // A line far longer than the target is cut to the target (plus a margin) first: walking
    // billions of steps outside the picture would hang. Lines of ordinary length keep their exact
    // pixels.
    const QPaintDevice *dev = FPainter->device();
    const int devW = dev ? dev->width() / Scale() : 0, devH = dev ? dev->height() / Scale() : 0;
    if (std::max(std::abs(qint64(X1) - X0), std::abs(qint64(Y1) - Y0)) > 4 * qint64(devW + devH) + 64) {
        const double left = -2, top = -2, right = devW + 2.0, bottom = devH + 2.0;
        const double ddx = double(X1) - X0, ddy = double(Y1) - Y0;
        double t0 = 0, t1 = 1;
        auto clip = [&](double p, double q) { // Liang-Barsky: keep the part where p * t <= q
            if (p == 0) return q >= 0;
            if (p < 0)
                t0 = std::max(t0, q / p);
            else
                t1 = std::min(t1, q / p);
            return t0 <= t1;
        };
        if (!clip(-ddx, X0 - left) || !clip(ddx, right - X0) || !clip(-ddy, Y0 - top) ||
            !clip(ddy, bottom - Y0))
            return;
        const int x0 = Round(X0 + t0 * ddx), y0 = Round(Y0 + t0 * ddy);
        X1 = Round(X0 + t1 * ddx);
        Y1 = Round(Y0 + t1 * ddy);
        X0 = x0;
        Y0 = y0;
    }
    const int dx = std::abs(X1 - X0), dy = std::abs(Y1 - Y0);
    const int sx = X0 < X1 ? 1 : -1, sy = Y0 < Y1 ? 1 : -1;
    const int steps = std::max(dx, dy);
    if (steps == 0) return;
    auto fillRuns = [this](const QRect *Runs, int N) {
        if (DirectTarget()) {
            FillDirect(Runs, N, PenQColor(FPen));
            return;
        }
        FPainter->setPen(Qt::NoPen);
        FPainter->setBrush(PenQColor(FPen));
        FPainter->drawRects(Runs, N);
    };
    if (!pattern && (dx == 0 || dy == 0)) {
        // A horizontal or vertical line is a single run.
        const QRect run = dy == 0 ? QRect(std::min(X0, X0 + sx * (steps - 1)), Y0, steps, 1)
                                  : QRect(X0, std::min(Y0, Y0 + sy * (steps - 1)), 1, steps);
        fillRuns(&run, 1);
        return;
    }
    // The pixels are gathered into runs along the major axis and filled as rectangles: one call
    // instead of one point per pixel keeps long rules and frames cheap.
    const bool horz = dx >= dy;
    std::vector<QRect> &runs = FRuns;
    runs.clear();
    int runStart = 0, runEnd = 0, runFixed = 0;
    bool inRun = false;
    auto flush = [&] {
        if (!inRun) return;
        const int lo = std::min(runStart, runEnd), len = std::abs(runEnd - runStart) + 1;
        runs.push_back(horz ? QRect(lo, runFixed, len, 1) : QRect(runFixed, lo, 1, len));
        inRun = false;
    };
    int err = (dx > dy ? dx : -dy) / 2;
    int x = X0, y = Y0;
    int seg = 0, segPos = 0;
    for (int i = 0; i < steps; ++i) {
        bool on = true;
        if (pattern) {
            on = (seg % 2) == 0;
            if (++segPos >= pattern[seg]) {
                segPos = 0;
                seg = (seg + 1) % patternLen;
            }
        }
        const int major = horz ? x : y, minor = horz ? y : x;
        if (on && inRun && minor == runFixed && major == runEnd + (horz ? sx : sy)) {
            runEnd = major;
        } else {
            flush();
            if (on) {
                inRun = true;
                runStart = runEnd = major;
                runFixed = minor;
            }
        }
        const int e2 = err;
        if (e2 > -dx) {
            err -= dy;
            x += sx;
        }
        if (e2 < dy) {
            err += dx;
            y += sy;
        }
    }
    flush();
    if (!runs.empty()) fillRuns(runs.data(), int(runs.size()));
}

void TCanvas::LineTo(int X, int Y)
{
    const QPoint from = FPenPos;
    FPenPos = QPoint(X, Y);
    if (!PenVisible(FPen)) return;
    Begin();
    if (!FPainter) return;
    if (FPen.Width() <= 1) {
        // The thin line sets everything it uses; only the composition mode needs putting back.
        ApplyPenMode();
        PlotLine(from.x(), from.y(), X, Y);
        FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    FPainter->save();
    ApplyPenMode();
    FPainter->setPen(ScaledPen());
    FPainter->drawLine(from, QPoint(X, Y));
    FPainter->restore();
}

void TCanvas::Polyline(const QPolygon &Points)
{
    if (Points.isEmpty()) return;
    const QPoint saved = FPenPos;
    MoveTo(Points[0].x(), Points[0].y());
    for (int i = 1; i < Points.size(); ++i)
        LineTo(Points[i].x(), Points[i].y());
    // The framework's Polyline draws the last pixel too and leaves the pen position alone.
    if (Points.size() > 1 && PenVisible(FPen) && FPen.Width() <= 1) {
        Begin();
        if (FPainter) {
            FPainter->save();
            ApplyPenMode();
            if (Scale() == 1) {
                FPainter->setPen(QPen(PenQColor(FPen), 0));
                FPainter->drawPoint(Points.last());
            } else {
                FPainter->fillRect(QRect(Points.last(), QSize(1, 1)), PenQColor(FPen));
            }
            FPainter->restore();
        }
    }
    FPenPos = saved;
}

void TCanvas::LinePath(std::initializer_list<QPoint> Points)
{
    if (Points.size() == 0) return;
    auto it = Points.begin();
    MoveTo(it->x(), it->y());
    for (++it; it != Points.end(); ++it)
        LineTo(it->x(), it->y());
}

void TCanvas::LinePath(TColor PenColor, std::initializer_list<QPoint> Points)
{
    FPen.SetColor(PenColor);
    LinePath(Points);
}

void TCanvas::FillRect(int Left, int Top, int Right, int Bottom)
{
    if (Right <= Left || Bottom <= Top || FBrush.Style() == bsClear) return;
    Begin();
    if (!FPainter) return;
    FPainter->fillRect(QRect(Left, Top, Right - Left, Bottom - Top), QtBrush(FBrush));
}

void TCanvas::FrameRect(const TRect &R)
{
    if (R.IsEmpty()) return;
    Begin();
    if (!FPainter) return;
    const QColor c = ToQColor(FBrush.Color());
    FPainter->fillRect(QRect(R.Left, R.Top, R.Width(), 1), c);
    FPainter->fillRect(QRect(R.Left, R.Bottom - 1, R.Width(), 1), c);
    FPainter->fillRect(QRect(R.Left, R.Top, 1, R.Height()), c);
    FPainter->fillRect(QRect(R.Right - 1, R.Top, 1, R.Height()), c);
}

void TCanvas::Rectangle(int Left, int Top, int Right, int Bottom)
{
    if (Right < Left) std::swap(Left, Right);
    if (Bottom < Top) std::swap(Top, Bottom);
    if (Right == Left || Bottom == Top) return;
    Begin();
    if (!FPainter) return;
    // A plain copy goes straight into the picture; anything else through the painter, whose pen
    // raster operation applies to the whole figure, its inside included.
    const bool direct =
        PenModeCopies() && (FBrush.Style() == bsSolid || FBrush.Style() == bsClear) && DirectTarget();
    auto fill = [&](const QRect &R, const QColor &C) {
        if (direct)
            FillDirect(&R, 1, C);
        else
            FPainter->fillRect(R, C);
    };
    if (!direct) {
        FPainter->save();
        ApplyPenMode();
    }
    const bool pen = PenVisible(FPen);
    const int w = FPen.Width();
    // A wide pen is centred on the outline; psInsideFrame keeps it inside the box.
    const int out = FPen.Style() == psInsideFrame ? 0 : (w - 1) / 2;
    if (FBrush.Style() != bsClear && FPen.Mode() != pmNop) {
        // The brush fills what the pen leaves, so that every pixel is drawn once (not, xor).
        const int in = pen ? w - out : 0;
        const QRect inside(QPoint(Left + in, Top + in), QPoint(Right - 1 - in, Bottom - 1 - in));
        if (inside.isValid()) {
            if (direct)
                FillDirect(&inside, 1, ToQColor(FBrush.Color()));
            else
                FPainter->fillRect(inside, QtBrush(FBrush));
        }
    }
    if (pen) {
        const QColor c = PenQColor(FPen);
        for (int k = 0; k < w; ++k) {
            const int l = Left - out + k, t = Top - out + k, r = Right - 1 + out - k,
                      b = Bottom - 1 + out - k;
            if (r < l || b < t) break;
            fill(QRect(l, t, r - l + 1, 1), c);
            if (b > t) fill(QRect(l, b, r - l + 1, 1), c);
            if (b - t > 1) {
                fill(QRect(l, t + 1, 1, b - t - 1), c);
                if (r > l) fill(QRect(r, t + 1, 1, b - t - 1), c);
            }
        }
    }
    if (!direct) FPainter->restore();
}

QRectF TCanvas::EllipseBox(int L, int T, int R, int B) const
{
    if (R < L) std::swap(L, R);
    if (B < T) std::swap(T, B);
    // An aliased Qt ellipse of width w covers w + 1 pixels; the box covers L..R-1.
    return QRectF(L, T, std::max(0, R - L - 1), std::max(0, B - T - 1));
}

// The pen for drawing through the painter: a one-pixel (cosmetic) pen is as wide as a block on a
// scaled canvas; wider pens scale with the painter anyway.
QPen TCanvas::ScaledPen() const
{
    QPen pen = QtPen(FPen);
    const int s = Scale();
    if (s > 1 && pen.width() == 0) {
        pen.setWidth(s);
        pen.setCosmetic(true);
    }
    return pen;
}

// Thin solid pens get the exact pixels; wide and patterned pens are left to QPainter.
static bool ThinSolid(const TPen &P)
{
    return P.Width() <= 1 && (P.Style() == psSolid || P.Style() == psInsideFrame || P.Style() == psClear);
}

void TCanvas::Ellipse(int Left, int Top, int Right, int Bottom)
{
    if (ThinSolid(FPen)) {
        DrawEllipticFigure(0, Left, Top, Right, Bottom, 0, 0, 0, 0);
        return;
    }
    Begin();
    if (!FPainter) return;
    FPainter->save();
    ApplyPenMode();
    FPainter->setPen(PenVisible(FPen) ? ScaledPen() : QPen(Qt::NoPen));
    FPainter->setBrush(QtBrush(FBrush));
    FPainter->drawEllipse(EllipseBox(Left, Top, Right, Bottom));
    FPainter->restore();
}

void TCanvas::DrawEllipticFigure(int Kind, int L, int T, int R, int B, int X3, int Y3, int X4, int Y4)
{
    if (R < L) std::swap(L, R);
    if (B < T) std::swap(T, B);
    const int W = R - L, H = B - T;
    if (W <= 0 || H <= 0) return;
    const bool pen = PenVisible(FPen);
    const bool brush = Kind != 1 && FBrush.Style() != bsClear && FPen.Mode() != pmNop;
    if (!pen && !brush) return;
    Begin();
    if (!FPainter) return;
    double start = 0, span = 360;
    if (Kind != 0) ArcAngles(L + (W - 1) / 2.0, T + (H - 1) / 2.0, X3, Y3, X4, Y4, start, span);
    if (!FFigures) FFigures = std::make_unique<TFigureCache>();
    const std::shared_ptr<const TFigurePixels> fig = FFigures->Figure(Kind, W, H, pen, brush, start, span);
    if (fig->Runs.empty()) return;

    // A plain copy goes straight into the picture, and only where the picture is.
    if (PenModeCopies() && (!brush || FBrush.Style() == bsSolid) && DirectTarget()) {
        const QRgb px[2] = {ToQColor(FBrush.Color()).rgba() | 0xFF000000u,
                            PenQColor(FPen).rgba() | 0xFF000000u};
        uchar *const bits = const_cast<uchar *>(FImage->constBits()); // what the painter draws into
        const qsizetype bpl = FImage->bytesPerLine();
        const int imgW = FImage->width();
        const int y0 = std::max(0, -T), y1 = std::min(H, FImage->height() - T);
        for (int y = y0; y < y1; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(bits + (T + y) * bpl);
            // Neighbouring runs of one colour are filled as one.
            int a = 0, b = -2;
            QRgb c = 0;
            auto flush = [&] {
                const int x0 = std::max(L + a, 0), x1 = std::min(L + b, imgW - 1);
                if (x0 <= x1) FillPixels(line + x0, x1 - x0 + 1, c);
            };
            for (int i = fig->RowStart[size_t(y)]; i < fig->RowStart[size_t(y) + 1]; ++i) {
                const TFigureRun &run = fig->Runs[size_t(i)];
                if (run.X0 == b + 1 && px[run.Pen] == c) {
                    b = run.X1;
                    continue;
                }
                flush();
                a = run.X0;
                b = run.X1;
                c = px[run.Pen];
            }
            flush();
        }
        return;
    }

    std::vector<QRect> rects[2];
    for (int y = 0; y < H; ++y)
        for (int i = fig->RowStart[size_t(y)]; i < fig->RowStart[size_t(y) + 1]; ++i) {
            const TFigureRun &run = fig->Runs[size_t(i)];
            rects[run.Pen].emplace_back(L + run.X0, T + y, run.X1 - run.X0 + 1, 1);
        }
    FPainter->save();
    ApplyPenMode();
    FPainter->setPen(Qt::NoPen);
    if (!rects[0].empty()) {
        FPainter->setBrush(QtBrush(FBrush));
        FPainter->drawRects(rects[0].data(), int(rects[0].size()));
    }
    if (!rects[1].empty()) {
        FPainter->setBrush(PenQColor(FPen));
        FPainter->drawRects(rects[1].data(), int(rects[1].size()));
    }
    FPainter->restore();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    if (!PenVisible(FPen)) return;
    if (ThinSolid(FPen)) {
        DrawEllipticFigure(1, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
        return;
    }
    Begin();
    if (!FPainter) return;
    double start, span;
    const QRectF box = EllipseBox(X1, Y1, X2, Y2);
    ArcAngles(box.center().x(), box.center().y(), X3, Y3, X4, Y4, start, span);
    FPainter->save();
    ApplyPenMode();
    FPainter->setPen(ScaledPen());
    FPainter->setBrush(Qt::NoBrush);
    FPainter->drawArc(box, Round(start * 16), Round(span * 16));
    FPainter->restore();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    if (ThinSolid(FPen)) {
        DrawEllipticFigure(2, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
        return;
    }
    Begin();
    if (!FPainter) return;
    double start, span;
    const QRectF box = EllipseBox(X1, Y1, X2, Y2);
    ArcAngles(box.center().x(), box.center().y(), X3, Y3, X4, Y4, start, span);
    FPainter->save();
    ApplyPenMode();
    FPainter->setPen(PenVisible(FPen) ? ScaledPen() : QPen(Qt::NoPen));
    FPainter->setBrush(QtBrush(FBrush));
    FPainter->drawPie(box, Round(start * 16), Round(span * 16));
    FPainter->restore();
}

void TCanvas::Polygon(const QPolygon &Points)
{
    if (Points.size() < 2) return;
    Begin();
    if (!FPainter) return;
    FPainter->save();
    ApplyPenMode();
    const bool pen = PenVisible(FPen), brush = FBrush.Style() != bsClear && FPen.Mode() != pmNop;
    if (pen && FPen.Width() <= 1 && (FPen.Mode() == pmCopy || !brush)) {
        // A thin outline is drawn edge by edge with the LineTo rule, so that (the figure being
        // closed) every vertex and edge pixel is where the classic Polygon puts it; Qt's cosmetic
        // outline is a pixel off on some edges. The fill takes the pixels whose own point lies
        // inside (Qt samples pixel centres, hence the half-pixel shift), so it never leaks past
        // that outline.
        FPainter->setBrush(brush ? QtBrush(FBrush) : QBrush(Qt::NoBrush));
        FPainter->setPen(Qt::NoPen);
        // On a scaled canvas the top-left device pixel of each block samples the logical point
        // itself, and the other device pixels of the block follow the edge more finely.
        const double shift = 0.5 / Scale();
        if (brush) FPainter->drawPolygon(QPolygonF(Points).translated(shift, shift), Qt::OddEvenFill);
        for (int i = 0; i < Points.size(); ++i) {
            const QPoint &a = Points[i], &b = Points[(i + 1) % Points.size()];
            PlotLine(a.x(), a.y(), b.x(), b.y());
        }
        FPainter->restore();
        return;
    }
    if (FPen.Mode() == pmCopy || !pen || !brush) {
        FPainter->setPen(pen ? ScaledPen() : QPen(Qt::NoPen));
        FPainter->setBrush(brush ? QtBrush(FBrush) : QBrush(Qt::NoBrush));
        FPainter->drawPolygon(Points, Qt::OddEvenFill);
        FPainter->restore();
        return;
    }
    // A raster operation with both pen and brush: QPainter would fill under the outline and so
    // apply the operation twice there. Find out which pixels each covers, then touch each once.
    const int m = FPen.Width() + 1;
    const QRect box = Points.boundingRect().adjusted(-m, -m, m, m);
    QImage mask(box.size(), QImage::Format_RGB32);
    mask.fill(QColor(0, 0, 0));
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.translate(-box.topLeft());
        QPen outline = QtPen(FPen);
        outline.setColor(QColor(255, 0, 0));
        p.setPen(outline);
        p.setBrush(QColor(0, 0, 255));
        p.drawPolygon(Points, Qt::OddEvenFill);
    }
    const QBrush qb = QtBrush(FBrush);
    std::vector<QPoint> pts;
    for (int y = 0; y < mask.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < mask.width();) {
            const QRgb c = line[x] & 0xFFFFFFu;
            if (c == 0xFF0000u) pts.emplace_back(box.left() + x, box.top() + y);
            if (c != 0x0000FFu) {
                ++x;
                continue;
            }
            int e = x;
            while (e < mask.width() && (line[e] & 0xFFFFFFu) == 0x0000FFu)
                ++e;
            FPainter->fillRect(QRect(box.left() + x, box.top() + y, e - x, 1), qb);
            x = e;
        }
    }
    if (!pts.empty() && Scale() == 1) {
        FPainter->setPen(QPen(PenQColor(FPen), 0));
        FPainter->drawPoints(pts.data(), int(pts.size()));
    } else if (!pts.empty()) {
        FPainter->setPen(Qt::NoPen);
        FPainter->setBrush(PenQColor(FPen));
        std::vector<QRect> blocks;
        blocks.reserve(pts.size());
        for (const QPoint &p : pts)
            blocks.emplace_back(p, QSize(1, 1));
        FPainter->drawRects(blocks.data(), int(blocks.size()));
    }
    FPainter->restore();
}

// Building a QFont and its metrics is costly (a font database lookup each time); the canvas keeps
// both until its font changes.
const QFontMetrics &TCanvas::FontMetrics()
{
    if (!FQFontValid || !(FQFontOf == FFont)) {
        FQFontOf.Assign(FFont);
        FQFont = FFont.ToQFont();
        FQFontMetrics = std::make_unique<QFontMetrics>(FQFont);
        FQFontValid = true;
        FWidths.clear();
    }
    return *FQFontMetrics;
}

// Measuring lays the text out each time; the widths are kept by text until the font changes.
int TCanvas::Advance(const QString &Text)
{
    const QFontMetrics &fm = FontMetrics();
    const auto it = FWidths.constFind(Text);
    if (it != FWidths.cend()) return *it;
    if (FWidths.size() >= 256) FWidths.clear();
    const int w = fm.horizontalAdvance(Text);
    FWidths.insert(Text, w);
    return w;
}

int TCanvas::TextWidth(const QString &Text)
{
    return Advance(Text);
}

int TCanvas::TextHeight(const QString &)
{
    return FontMetrics().height();
}

void TCanvas::TextOut(int X, int Y, const QString &Text)
{
    Begin();
    if (!FPainter) return;
    const QFontMetrics &fm = FontMetrics();
    const QFont &f = FQFont;
    const int width = Advance(Text);
    FPainter->save();
    FPainter->translate(X, Y);
    if (FFont.Orientation() != 0) FPainter->rotate(-FFont.Orientation() / 10.0);
    if (FBrush.Style() != bsClear)
        FPainter->fillRect(QRect(0, 0, width, fm.height()), ToQColor(FBrush.Color()));
    FPainter->setFont(f);
    FPainter->setPen(ToQColor(FFont.Color()));
    FPainter->drawText(QPoint(0, fm.ascent()), Text);
    FPainter->restore();
    FPenPos = QPoint(X + width, Y);
}

void TCanvas::TextRect(const TRect &R, int X, int Y, const QString &Text)
{
    Begin();
    if (!FPainter) return;
    const QFontMetrics &fm = FontMetrics();
    const QFont &f = FQFont;
    const QRect clip(R.Left, R.Top, std::max(0, R.Width()), std::max(0, R.Height()));
    FPainter->save();
    FPainter->setClipRect(clip, Qt::IntersectClip);
    if (FBrush.Style() != bsClear) FPainter->fillRect(clip, ToQColor(FBrush.Color()));
    FPainter->setFont(f);
    FPainter->setPen(ToQColor(FFont.Color()));
    FPainter->drawText(QPoint(X, Y + fm.ascent()), Text);
    FPainter->restore();
}

void TCanvas::DrawImage(const TRect &Dest, const QImage &Src, const QRect &SrcRect, const TBitmap *Graphic)
{
    if (Src.isNull() || Dest.IsEmpty() || SrcRect.isEmpty()) return;
    Begin();
    if (!FPainter) return;
    // SrcRect is logical; the painter takes the source rectangle in the image's own pixels.
    const int ss = ScaleOfRatio(Src.devicePixelRatio());
    const QSize logical = SrcRect.size();
    QImage src = Src;
    QRect srcRect = ss == 1 ? SrcRect : QRect(SrcRect.topLeft() * ss, SrcRect.size() * ss);
    const bool keyed = Graphic && Graphic->Transparent();
    if (keyed) {
        // Leave out the transparent colour: make it fully transparent and draw source-over.
        const TColor key = ColorToRGB(Graphic->TransparentColorValue());
        src = Src.copy(srcRect).convertToFormat(QImage::Format_ARGB32);
        srcRect = src.rect();
        const QRgb k = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0x00FFFFFFu;
        for (int y = 0; y < src.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(src.scanLine(y));
            for (int x = 0; x < src.width(); ++x)
                if ((line[x] & 0x00FFFFFFu) == k) line[x] = 0;
        }
    }
    FPainter->save();
    // A transparent bitmap is laid over the picture: its left-out pixels must not take part in
    // a raster operation (they would AND to black, for example), so the copy mode is not used.
    if (keyed)
        FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    else
        ApplyCopyMode();
    const bool smooth =
        FStretchMode == smHalftone && (Dest.Width() != logical.width() || Dest.Height() != logical.height());
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (!keyed && (FCopyMode == BLACKNESS || FCopyMode == WHITENESS)) {
        FPainter->fillRect(QRect(Dest.Left, Dest.Top, Dest.Width(), Dest.Height()),
                           FCopyMode == BLACKNESS ? Qt::black : Qt::white);
    } else if (smooth) {
        // Scale first with smoothing (to the device pixels of the destination), then combine
        // with the raster operation pixel for pixel.
        const int s = Scale();
        QImage scaled = src.copy(srcRect).scaled(Dest.Width() * s, Dest.Height() * s, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(s);
        FPainter->drawImage(QPoint(Dest.Left, Dest.Top), scaled);
    } else {
        FPainter->drawImage(QRect(Dest.Left, Dest.Top, Dest.Width(), Dest.Height()), src, srcRect);
    }
    FPainter->restore();
}

void TCanvas::Draw(int X, int Y, const TBitmap &Graphic)
{
    const QImage &img = Graphic.Image();
    const int ss = ScaleOfRatio(img.devicePixelRatio());
    DrawImage(Rect(X, Y, X + img.width() / ss, Y + img.height() / ss), img,
              QRect(0, 0, img.width() / ss, img.height() / ss), &Graphic);
}

void TCanvas::StretchDraw(const TRect &R, const TBitmap &Graphic)
{
    const QImage &img = Graphic.Image();
    const int ss = ScaleOfRatio(img.devicePixelRatio());
    DrawImage(R, img, QRect(0, 0, img.width() / ss, img.height() / ss), &Graphic);
}

void TCanvas::CopyRect(const TRect &Dest, TCanvas &Canvas, const TRect &Source)
{
    QImage *src = Canvas.Image();
    if (!src) return;
    const QRect source(Source.Left, Source.Top, Source.Width(), Source.Height());
    if (src == FImage) {
        // Copying within one image: take a snapshot of the source first.
        End();
        const int s = Scale();
        QImage copy = FImage->copy(s == 1 ? source : QRect(source.topLeft() * s, source.size() * s));
        copy.setDevicePixelRatio(s);
        DrawImage(Dest, copy, QRect(QPoint(0, 0), source.size()), nullptr);
        return;
    }
    DrawImage(Dest, *src, source, nullptr);
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle)
{
    End();
    if (!FImage || FImage->isNull() || FBrush.Style() == bsClear) return;
    const int S = Scale();
    if (!QRect(0, 0, FImage->width() / S, FImage->height() / S).contains(X, Y)) return;
    if (FImage->format() != QImage::Format_RGB32 && FImage->format() != QImage::Format_ARGB32)
        *FImage = FImage->convertToFormat(QImage::Format_RGB32);
    const TColor rgb = ColorToRGB(Color);
    const QRgb key = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)) & 0x00FFFFFFu;
    const TColor fillc = ColorToRGB(FBrush.Color());
    const QRgb fill = qRgb(GetRValue(fillc), GetGValue(fillc), GetBValue(fillc));
    if (S > 1) {
        FloodFillScaled(X, Y, key, fill, FillStyle, S);
        return;
    }
    const int w = FImage->width(), h = FImage->height();
    // Detach once and address rows directly: scanLine() per pixel dominated the fill's cost.
    uchar *const bits = FImage->bits();
    const qsizetype bpl = FImage->bytesPerLine();
    auto px = [bits, bpl](int x, int y) -> QRgb & { return reinterpret_cast<QRgb *>(bits + y * bpl)[x]; };
    // fsSurface fills pixels of Color; fsBorder fills everything that is not Color.
    auto inside = [&](QRgb p) {
        const bool isKey = (p & 0x00FFFFFFu) == key;
        return FillStyle == fsSurface ? isKey : !isKey;
    };
    if (!inside(px(X, Y))) return;
    if (FillStyle == fsSurface && key == (fill & 0x00FFFFFFu))
        return; // the surface has the brush colour already
    // Every pixel is visited once (seen), so pixels that already have the brush colour are fine.
    std::vector<char> seen(size_t(w) * size_t(h), 0);
    std::vector<QPoint> stack{QPoint(X, Y)};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        int x = p.x();
        const int y = p.y();
        while (x > 0 && !seen[size_t(y) * w + x - 1] && inside(px(x - 1, y)))
            --x;
        bool up = false, down = false;
        for (; x < w && !seen[size_t(y) * w + x] && inside(px(x, y)); ++x) {
            seen[size_t(y) * w + x] = 1;
            px(x, y) = fill;
            if (y > 0) {
                const bool in = !seen[size_t(y - 1) * w + x] && inside(px(x, y - 1));
                if (in && !up) stack.emplace_back(x, y - 1);
                up = in;
            }
            if (y < h - 1) {
                const bool in = !seen[size_t(y + 1) * w + x] && inside(px(x, y + 1));
                if (in && !down) stack.emplace_back(x, y + 1);
                down = in;
            }
        }
    }
}

// The fill on a scaled canvas works on logical pixels: a block is read at its top-left device
// pixel and filled whole.
void TCanvas::FloodFillScaled(int X, int Y, QRgb Key, QRgb Fill, TFillStyle FillStyle, int S)
{
    const int w = FImage->width() / S, h = FImage->height() / S;
    uchar *const bits = FImage->bits();
    const qsizetype bpl = FImage->bytesPerLine();
    auto read = [&](int x, int y) {
        return reinterpret_cast<const QRgb *>(bits + qsizetype(y) * S * bpl)[x * S];
    };
    auto inside = [&](int x, int y) {
        const bool isKey = (read(x, y) & 0x00FFFFFFu) == Key;
        return FillStyle == fsSurface ? isKey : !isKey;
    };
    if (!inside(X, Y)) return;
    if (FillStyle == fsSurface && Key == (Fill & 0x00FFFFFFu)) return;
    std::vector<char> seen(size_t(w) * size_t(h), 0);
    auto open = [&](int x, int y) { return !seen[size_t(y) * w + x] && inside(x, y); };
    std::vector<QPoint> stack{QPoint(X, Y)};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        int x = p.x();
        const int y = p.y();
        while (x > 0 && open(x - 1, y))
            --x;
        const int first = x;
        bool up = false, down = false;
        for (; x < w && open(x, y); ++x) {
            seen[size_t(y) * w + x] = 1;
            if (y > 0) {
                const bool in = open(x, y - 1);
                if (in && !up) stack.emplace_back(x, y - 1);
                up = in;
            }
            if (y < h - 1) {
                const bool in = open(x, y + 1);
                if (in && !down) stack.emplace_back(x, y + 1);
                down = in;
            }
        }
        // The run [first, x) is settled; its blocks take the brush colour.
        for (int dy = 0; dy < S; ++dy)
            FillPixels(reinterpret_cast<QRgb *>(bits + (qsizetype(y) * S + dy) * bpl) + first * S,
                       (x - first) * S, Fill);
    }
}

TColor TCanvas::Pixels(int X, int Y)
{
    if (!FImage || FImage->isNull()) return clBlack;
    const int S = Scale();
    if (!QRect(0, 0, FImage->width() / S, FImage->height() / S).contains(X, Y)) return clBlack;
    const QRgb p = FImage->pixel(X * S, Y * S); // the raster engine draws straight into the image
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

void TCanvas::SetPixel(int X, int Y, TColor Color)
{
    if (!FImage || FImage->isNull()) return;
    const int S = Scale();
    if (!QRect(0, 0, FImage->width() / S, FImage->height() / S).contains(X, Y)) return;
    Begin();
    if (!FPainter) return;
    FPainter->save();
    FPainter->setCompositionMode(QPainter::CompositionMode_Source);
    FPainter->fillRect(QRect(X, Y, 1, 1), ToQColor(Color));
    FPainter->restore();
}

} // namespace kro
