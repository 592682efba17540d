#include <krogui/graphics/drawing.h>

#include <QStringList>

#include <cmath>

namespace kro {

void DrawFrame(TCanvas *Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom, TColor C1, TColor C2,
               TColor C3, TColor C4, TColor C5)
{
    if (!Canvas || Style == fsNone || Right < Left || Bottom < Top)
        return;
    TPen *pen = Canvas->Pen();
    const TColor savedColor = pen->Color();
    const int savedWidth = pen->Width();
    const TPenStyle savedStyle = pen->Style();
    const TPenMode savedMode = pen->Mode();
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    // Top-left lines in A, bottom-right lines in B, inset by I; corners inclusive.
    auto box = [&](int I, TColor A, TColor B) {
        const int l = Left + I, t = Top + I, r = Right - I, b = Bottom - I;
        if (r < l || b < t)
            return;
        pen->SetColor(A);
        Canvas->MoveTo(l, b);
        Canvas->LineTo(l, t);
        Canvas->LineTo(r + 1, t);
        if (b == t)
            return; // one line high: the top line is all there is
        pen->SetColor(B);
        Canvas->MoveTo(r, t + 1);
        Canvas->LineTo(r, b);
        Canvas->LineTo(l - 1, b);
    };
    switch (Style) {
    case fsSimple: box(0, C5, C5); break;
    case fsLowered: box(0, C3, C1); break;
    case fsRaised: box(0, C1, C3); break;
    case fsEmbossed:
        box(0, C1, C4);
        box(1, C2, C3);
        break;
    case fsEngraved:
        box(0, C3, C1);
        box(1, C4, C2);
        break;
    default: break;
    }
    pen->SetColor(savedColor);
    pen->SetWidth(savedWidth);
    pen->SetStyle(savedStyle);
    pen->SetMode(savedMode);
}

void DrawRectangle(TCanvas *Canvas, int Left, int Top, int Right, int Bottom)
{
    if (!Canvas)
        return;
    Canvas->MoveTo(Left, Top);
    Canvas->LineTo(Right, Top);
    Canvas->LineTo(Right, Bottom);
    Canvas->LineTo(Left, Bottom);
    Canvas->LineTo(Left, Top);
}

namespace {

enum Shape { shSquare, shCircle, shDiamond, shUp, shDown, shLeft, shRight };

const char *const kShapeNames[] = {"square", "circle", "diamond", "triangle up", "triangle down", "triangle left",
                                   "triangle right"};

void DrawShape(TCanvas *C, Shape S, bool Filled, int X, int Y, int R)
{
    TBrush *brush = C->Brush();
    const TBrushStyle savedStyle = brush->Style();
    if (!Filled)
        brush->SetStyle(bsClear);
    switch (S) {
    case shSquare: C->Rectangle(X - R, Y - R, X + R + 1, Y + R + 1); break;
    case shCircle: C->Ellipse(X - R, Y - R, X + R + 1, Y + R + 1); break;
    case shDiamond: C->Polygon(QPolygon({QPoint(X, Y - R), QPoint(X + R, Y), QPoint(X, Y + R), QPoint(X - R, Y)})); break;
    case shUp: C->Polygon(QPolygon({QPoint(X, Y - R), QPoint(X + R, Y + R), QPoint(X - R, Y + R)})); break;
    case shDown: C->Polygon(QPolygon({QPoint(X - R, Y - R), QPoint(X + R, Y - R), QPoint(X, Y + R)})); break;
    case shLeft: C->Polygon(QPolygon({QPoint(X - R, Y), QPoint(X + R, Y - R), QPoint(X + R, Y + R)})); break;
    case shRight: C->Polygon(QPolygon({QPoint(X - R, Y - R), QPoint(X + R, Y), QPoint(X - R, Y + R)})); break;
    }
    brush->SetStyle(savedStyle);
}

void Line(TCanvas *C, int X1, int Y1, int X2, int Y2)
{
    // Both end pixels drawn.
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
    C->SetPixel(X2, Y2, C->Pen()->Color());
}

QPolygon Regular(int X, int Y, int R, int Corners, double Inner)
{
    QPolygon p;
    const int n = Inner > 0 ? 2 * Corners : Corners;
    for (int i = 0; i < n; ++i) {
        const double a = -uc_Pi / 2 + i * 2 * uc_Pi / n;
        const double r = (Inner > 0 && (i % 2)) ? R * Inner : R;
        p << QPoint(X + int(std::lround(r * std::cos(a))), Y + int(std::lround(r * std::sin(a))));
    }
    return p;
}

} // namespace

void DrawMarkOnCanvas(TCanvas *Canvas, int Mark, int X, int Y)
{
    if (!Canvas || Mark < 0 || Mark >= NumMarkers)
        return;
    TBrush *brush = Canvas->Brush();
    switch (Mark) {
    case 0: {
        const TBrushStyle s = brush->Style();
        brush->SetStyle(bsSolid);
        const TColor c = brush->Color();
        brush->SetColor(Canvas->Pen()->Color());
        Canvas->FillRect(X - 1, Y - 1, X + 2, Y + 2);
        brush->SetColor(c);
        brush->SetStyle(s);
        return;
    }
    case 1:
        Line(Canvas, X - 4, Y, X + 4, Y);
        Line(Canvas, X, Y - 4, X, Y + 4);
        return;
    case 2:
        Line(Canvas, X - 4, Y - 4, X + 4, Y + 4);
        Line(Canvas, X - 4, Y + 4, X + 4, Y - 4);
        return;
    case 3:
        Line(Canvas, X - 4, Y, X + 4, Y);
        Line(Canvas, X, Y - 4, X, Y + 4);
        Line(Canvas, X - 3, Y - 3, X + 3, Y + 3);
        Line(Canvas, X - 3, Y + 3, X + 3, Y - 3);
        return;
    default: break;
    }
    if (Mark < 46) {
        const int k = (Mark - 4) % 14, size = (Mark - 4) / 14;
        static const int radius[] = {4, 2, 6};
        DrawShape(Canvas, Shape(k / 2), k % 2 == 1, X, Y, radius[size]);
        return;
    }
    const TBrushStyle s = brush->Style();
    switch (Mark) {
    case 46: Canvas->Rectangle(X - 5, Y - 1, X + 6, Y + 2); break;
    case 47: Canvas->Rectangle(X - 1, Y - 5, X + 2, Y + 6); break;
    case 48:
    case 49:
        if (Mark == 48)
            brush->SetStyle(bsClear);
        Canvas->Polygon(Regular(X, Y, 5, 6, 0));
        break;
    default:
        if (Mark == 50)
            brush->SetStyle(bsClear);
        Canvas->Polygon(Regular(X, Y, 6, 5, 0.45));
        break;
    }
    brush->SetStyle(s);
}

QString MarkerName(int Mark)
{
    if (Mark < 0 || Mark >= NumMarkers)
        return QString();
    static const char *const kFirst[] = {"dot", "plus", "cross", "asterisk"};
    if (Mark < 4)
        return QString::fromLatin1(kFirst[Mark]);
    if (Mark < 46) {
        const int k = (Mark - 4) % 14, size = (Mark - 4) / 14;
        static const char *const kSize[] = {"", "small ", "large "};
        return QStringLiteral("%1%2 %3")
            .arg(QLatin1String(kSize[size]), QLatin1String(k % 2 ? "filled" : "open"),
                 QLatin1String(kShapeNames[k / 2]));
    }
    static const char *const kLast[] = {"horizontal bar", "vertical bar", "open hexagon", "filled hexagon",
                                        "open star", "filled star"};
    return QString::fromLatin1(kLast[Mark - 46]);
}

} // namespace kro
