#include <krogui/core/kromath.h>
#include <krogui/graphics/figures_p.h>

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace kro {

// Start angle and sweep (degrees, counter-clockwise) from the rays through (X3, Y3) and (X4, Y4)
// out of the centre (Cx, Cy).
void ArcAngles(double Cx, double Cy, int X3, int Y3, int X4, int Y4, double &Start, double &Span)
{
    const double a1 = std::atan2(-(Y3 - Cy), X3 - Cx) * 180.0 / uc_Pi;
    const double a2 = std::atan2(-(Y4 - Cy), X4 - Cx) * 180.0 / uc_Pi;
    double span = a2 - a1;
    while (span <= 0)
        span += 360.0;
    if (X3 == X4 && Y3 == Y4) span = 360.0;
    Start = a1;
    Span = span;
}

// The pixels of an ellipse filling a W x H box, row by row as runs of outline (Kind 1) and inside
// (Kind 2) pixels. Arc, Pie and Ellipse of one box cut their pixels from this one set, so they
// always meet exactly. Qt's aliased ellipse decides which pixels those are; finding them takes a
// picture of the box, so a canvas keeps the sets of the last few boxes it drew.
struct TEllipseShape
{
    struct TRun
    {
        int X0, X1; // inclusive
        uchar Kind;
    };
    int W = 0, H = 0;
    bool Outline = false;
    std::vector<int> RowStart; // the runs of row y are Runs[RowStart[y]] .. Runs[RowStart[y + 1] - 1]
    std::vector<TRun> Runs;
};

namespace {

std::shared_ptr<const TEllipseShape> MakeEllipseShape(int W, int H, bool Outline)
{
    auto shape = std::make_shared<TEllipseShape>();
    shape->W = W;
    shape->H = H;
    shape->Outline = Outline;
    shape->RowStart.assign(size_t(H) + 1, 0);
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 0));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Outline ? QPen(QColor(255, 0, 0), 0) : QPen(Qt::NoPen));
        p.setBrush(QColor(0, 0, 255));
        p.drawEllipse(QRectF(0, 0, W - 1, H - 1));
    }
    for (int y = 0; y < H; ++y) {
        shape->RowStart[size_t(y)] = int(shape->Runs.size());
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < W;) {
            const QRgb c = line[x] & 0xFFFFFFu;
            int e = x + 1;
            while (e < W && (line[e] & 0xFFFFFFu) == c)
                ++e;
            if (c == 0xFF0000u || c == 0x0000FFu)
                shape->Runs.push_back({x, e - 1, uchar(c == 0xFF0000u ? 1 : 2)});
            x = e;
        }
    }
    shape->RowStart[size_t(H)] = int(shape->Runs.size());
    return shape;
}

// Floor and ceiling of values within the int range, without a library call per row.
int FloorInt(double V)
{
    const int i = int(V);
    return i > V ? i - 1 : i;
}

int CeilInt(double V)
{
    const int i = int(V);
    return i < V ? i + 1 : i;
}

// Which pixels lie in the sweep of an arc or pie. The rule is the angle of the pixel's point seen
// from the centre (Exact). Within a row, each ray crosses at one point, and a pixel far enough from
// those points is plainly on one side; only the pixels next to a ray (and the centre) are put to
// the rule itself. The same pixels come out at a cost per row instead of an arc tangent per pixel.
class TSweep
{
public:
    enum TSide : signed char { sOut, sIn, sCheck };

    // The pixels of one row against one ray: Left below Lo, Check in [Lo, Hi], Right above Hi.
    struct TLine
    {
        int Lo, Hi;
        TSide Left, Right;
        TSide At(int X) const { return X < Lo ? Left : X > Hi ? Right : sCheck; }
    };

    struct TRow
    {
        int Y;
        bool Centre;                 // the row through the centre
        bool LeftIn, RightIn, MidIn; // on the centre row: left of, right of and at the centre
        int C0, C1;                  // the centre pixel (C0 == C1) or the two beside it
        TLine A, B;
    };

    TSweep(double Cx, double Cy, double Start, double Span) : cx(Cx), cy(Cy), start(Start), span(Span)
    {
        full = span >= 360.0;
        wide = span > 180.0;
        const double s = Start * uc_Pi / 180.0, e = (Start + Span) * uc_Pi / 180.0;
        const double ax = std::cos(s), ay = std::sin(s), bx = std::cos(e), by = std::sin(e);
        // Farther than 1e-7 radians from a ray the rule cannot put a pixel on the other side (its
        // rounding and its 1e-9 degree allowance are far smaller); tau is that angle times the
        // largest distance from the centre. In row dy the start ray gives the inside where
        // g(x) = ax * dy - ay * (x - cx) >= 0, the end ray where by * (x - cx) - bx * dy >= 0.
        const double tau = 1e-7 * (std::abs(Cx) + std::abs(Cy) + 2.0);
        lineA = TRay(-ay, ax, tau);
        lineB = TRay(by, -bx, tau);
    }

    // The rule: the pixel's angle, counted counter-clockwise from the start ray, within the span.
    bool Exact(int X, int Y) const
    {
        if (full) return true;
        const double dx = X - cx, dy = cy - Y;
        if (dx == 0 && dy == 0) return true;
        const double rel = std::fmod(std::atan2(dy, dx) * 180.0 / uc_Pi - start + 720.0, 360.0);
        return rel <= span + 1e-9;
    }

    TRow Row(int Y) const
    {
        TRow r{};
        r.Y = Y;
        if (full) return r;
        const double dy = cy - Y;
        if (dy == 0) {
            // On the centre row every pixel's angle is exactly 0 or 180 degrees.
            r.Centre = true;
            r.C0 = CeilInt(cx);
            r.C1 = FloorInt(cx);
            r.LeftIn = Exact(r.C0 - 1, Y);
            r.RightIn = Exact(r.C1 + 1, Y);
            r.MidIn = r.C0 == r.C1 && Exact(r.C0, Y);
            return r;
        }
        r.A = lineA.In(cx, dy);
        r.B = lineB.In(cx, dy);
        return r;
    }

    // Calls Emit(x0, x1) for the pieces of [X0, X1] in the row that lie in the sweep.
    template <class F> void Cut(const TRow &Row, int X0, int X1, F &&Emit) const
    {
        if (full) {
            Emit(X0, X1);
            return;
        }
        if (Row.Centre) {
            if (Row.LeftIn && X0 <= std::min(X1, Row.C0 - 1)) Emit(X0, std::min(X1, Row.C0 - 1));
            if (Row.MidIn && Row.C0 >= X0 && Row.C0 <= X1) Emit(Row.C0, Row.C0);
            if (Row.RightIn && std::max(X0, Row.C1 + 1) <= X1) Emit(std::max(X0, Row.C1 + 1), X1);
            return;
        }
        int cuts[6] = {X0, 0, 0, 0, 0, 0};
        int n = 1;
        for (int c : {Row.A.Lo, Row.A.Hi + 1, Row.B.Lo, Row.B.Hi + 1})
            if (c > X0 && c <= X1) {
                int j = n++; // kept sorted: at most five
                while (j > 0 && cuts[j - 1] > c) {
                    cuts[j] = cuts[j - 1];
                    --j;
                }
                cuts[j] = c;
            }
        cuts[n] = X1 + 1;
        for (int i = 0; i < n; ++i) {
            const int p0 = cuts[i], p1 = cuts[i + 1] - 1;
            if (p1 < p0) continue;
            const TSide sa = Row.A.At(p0), sb = Row.B.At(p0);
            TSide s;
            if (wide)
                s = (sa == sIn || sb == sIn) ? sIn : (sa == sOut && sb == sOut) ? sOut : sCheck;
            else
                s = (sa == sOut || sb == sOut) ? sOut : (sa == sIn && sb == sIn) ? sIn : sCheck;
            if (s == sIn) {
                Emit(p0, p1);
            } else if (s == sCheck) {
                for (int x = p0; x <= p1;) {
                    if (!Exact(x, Row.Y)) {
                        ++x;
                        continue;
                    }
                    int e = x;
                    while (e < p1 && Exact(e + 1, Row.Y))
                        ++e;
                    Emit(x, e);
                    x = e + 2; // e + 1 is out (or past the end)
                }
            }
        }
    }

private:
    // The inside of one ray in a row: g(x) = P * (x - cx) + K * dy >= 0.
    class TRay
    {
    public:
        TRay() = default;
        TRay(double P, double K, double Tau) : p(P), k(K), tau(Tau)
        {
            if (P != 0) {
                kp = K / P;
                w = Tau / std::abs(P) + 1e-6;
                below = P > 0 ? sOut : sIn;
                above = P > 0 ? sIn : sOut;
            }
        }

        TLine In(double Cx, double Dy) const
        {
            constexpr int kFar = 1 << 29;
            if (p == 0) {
                const double q = k * Dy;
                const TSide s = q > tau ? sIn : q < -tau ? sOut : sCheck;
                return {kFar, kFar - 1, s, s};
            }
            // The zero of g and the band around it where |g| <= tau (with room for rounding); a
            // ray almost parallel to the row puts both far away.
            const double z = Cx - kp * Dy;
            auto near = [](double V) { return std::clamp(V, -double(kFar), double(kFar)); };
            return {CeilInt(near(z - w)), FloorInt(near(z + w)), below, above};
        }

    private:
        double p = 0, k = 0, tau = 0, kp = 0, w = 0;
        TSide below = sOut, above = sOut;
    };

    double cx, cy, start, span;
    bool full, wide;
    TRay lineA{}, lineB{};
};

// The pixels of a line from the centre (X0, Y0) towards (X1, Y1), both ends included, within the
// W x H box, as one x range per row (a line of this kind covers a contiguous range in every row
// it crosses). The line moves away from the centre in both axes, so once it has left the box it
// never comes back: the walk stops there. (A ray almost parallel to a side of a box one pixel
// wide ends billions of pixels away.)
void RadiusRows(int X0, int Y0, qint64 X1, qint64 Y1, int W, int H, std::vector<std::pair<int, int>> &Rows)
{
    const qint64 dx = std::abs(X1 - X0), dy = std::abs(Y1 - Y0);
    const int sx = X0 < X1 ? 1 : -1, sy = Y0 < Y1 ? 1 : -1;
    qint64 err = dx - dy, x = X0, y = Y0;
    while (x >= 0 && x < W && y >= 0 && y < H) {
        auto &r = Rows[size_t(y)];
        r.first = std::min(r.first, int(x));
        r.second = std::max(r.second, int(x));
        if (x == X1 && y == Y1) break;
        const qint64 e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

// Removes [C0, C1] from the runs Runs[Begin..] (all of one row); a run cut in the middle leaves its
// right part at the end. Emptied runs get X1 < X0.
void CutFromRow(std::vector<TFigureRun> &Runs, size_t Begin, int C0, int C1)
{
    if (C1 < C0) return;
    const size_t n = Runs.size();
    for (size_t i = Begin; i < n; ++i) {
        const int r0 = Runs[i].X0, r1 = Runs[i].X1;
        if (r1 < r0 || C1 < r0 || C0 > r1) continue;
        if (C0 > r0 && C1 < r1) {
            Runs[i].X1 = C0 - 1;
            Runs.push_back({C1 + 1, r1, Runs[i].Pen});
        } else if (C0 <= r0 && C1 >= r1) {
            Runs[i].X1 = r0 - 1;
        } else if (C0 <= r0) {
            Runs[i].X0 = C1 + 1;
        } else {
            Runs[i].X1 = C0 - 1;
        }
    }
}

std::shared_ptr<const TFigurePixels> MakeFigurePixels(const TEllipseShape &Shape, int Kind, int W, int H,
                                                      bool Pen, bool Brush, double Start, double Span)
{
    auto fig = std::make_shared<TFigurePixels>();
    fig->Kind = Kind;
    fig->W = W;
    fig->H = H;
    fig->Pen = Pen;
    fig->Brush = Brush;
    fig->Start = Start;
    fig->Span = Span;
    fig->RowStart.assign(size_t(H) + 1, 0);
    const double cx = (W - 1) / 2.0, cy = (H - 1) / 2.0;
    const TSweep sweep(cx, cy, Start, Span);

    // A pie's two radii, from the centre to where the rays meet the ellipse, are outline too.
    const bool radii = Kind == 2 && Pen && Span < 360.0;
    std::vector<std::pair<int, int>> rad[2];
    if (radii) {
        const double a = cx, b = cy;
        const int x0 = int(std::lround(cx)), y0 = int(std::lround(cy));
        for (int k = 0; k < 2; ++k) {
            rad[k].assign(size_t(H), {INT_MAX, INT_MIN});
            const double th = (k == 0 ? Start : Start + Span) * uc_Pi / 180.0;
            const double c = std::cos(th), s = -std::sin(th);
            const double q = (a > 0 ? (c / a) * (c / a) : 0) + (b > 0 ? (s / b) * (s / b) : 0);
            const double t = q > 0 ? 1.0 / std::sqrt(q) : 0;
            RadiusRows(x0, y0, int(std::lround(cx + t * c)), int(std::lround(cy + t * s)), W, H, rad[k]);
        }
    }

    std::vector<TFigureRun> &runs = fig->Runs;
    for (int y = 0; y < H; ++y) {
        const size_t row0 = runs.size();
        fig->RowStart[size_t(y)] = int(row0);
        if (y < Shape.H) {
            const TSweep::TRow row = sweep.Row(y);
            for (int i = Shape.RowStart[size_t(y)]; i < Shape.RowStart[size_t(y) + 1]; ++i) {
                const TEllipseShape::TRun &run = Shape.Runs[size_t(i)];
                if (run.Kind == 2 && !Brush) continue; // also an arc: it has no inside
                const uchar pen = run.Kind == 1 ? 1 : 0;
                sweep.Cut(row, run.X0, run.X1, [&](int x0, int x1) { runs.push_back({x0, x1, pen}); });
            }
        }
        if (radii) {
            // The radii take the place of what lies under them, the second one where the first
            // does not go.
            const int r0 = rad[0][size_t(y)].first, r1 = rad[0][size_t(y)].second;
            const int s0 = rad[1][size_t(y)].first, s1 = rad[1][size_t(y)].second;
            CutFromRow(runs, row0, r0, r1);
            CutFromRow(runs, row0, s0, s1);
            if (r0 <= r1) runs.push_back({r0, r1, 1});
            if (s0 <= s1) {
                const size_t second = runs.size();
                runs.push_back({s0, s1, 1});
                CutFromRow(runs, second, r0, r1);
            }
            runs.erase(std::remove_if(runs.begin() + qsizetype(row0), runs.end(),
                                      [](const TFigureRun &r) { return r.X1 < r.X0; }),
                       runs.end());
        }
    }
    fig->RowStart[size_t(H)] = int(runs.size());
    runs.shrink_to_fit();
    return fig;
}

} // namespace

std::shared_ptr<const TFigurePixels> TCanvas::TFigureCache::Figure(int Kind, int W, int H, bool Pen,
                                                                   bool Brush, double Start, double Span)
{
    return Find(
        Figures, kMaxFigures,
        [&](const TFigurePixels &F) { return F.Is(Kind, W, H, Pen, Brush, Start, Span); },
        [&] {
            // Without a pen the ellipse is one pixel smaller, as the classic drawing has it.
            const int fw = Pen ? W : std::max(1, W - 1), fh = Pen ? H : std::max(1, H - 1);
            const auto shape = Find(
                Shapes, kMaxShapes,
                [&](const TEllipseShape &S) { return S.W == fw && S.H == fh && S.Outline == Pen; },
                [&] { return MakeEllipseShape(fw, fh, Pen); });
            return MakeFigurePixels(*shape, Kind, W, H, Pen, Brush, Start, Span);
        });
}

} // namespace kro
