#include <krogui/core/kromath.h>
#include <krogui/core/property.h>
#include <krogui/displays/rotlab.h>
#include <krogui/graphics/drawing.h>

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace kro {

struct TRotLabPrivate
{
    QString FCaption;
    int FTextAngle = 0;
    int FTextPosX = 10;
    int FTextPosY = 10;
    bool FAutoCenter = true;
    TAlignment FAlignment = taCenter;
    bool FAntiAlias = true;
    bool FTransparent = true;
    TFrameStyle FFrameStyle = fsLowered;
    bool FMaskShown = false;
};

namespace {

// Anchors stay far inside the int range so the rounded offsets can be added safely.
constexpr int kPosLimit = 1 << 28;

int ClampPos(int V)
{
    return std::clamp(V, -kPosLimit, kPosLimit);
}

// The same rotation with a small angle: TextAngle * 10 must not overflow as an orientation.
int NormalAngle(int Angle)
{
    return Angle % 360;
}

} // namespace

TRotLab::TRotLab(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TRotLabPrivate>())
{
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetSize(11);
    SetDesignSize(200, 200);
    SetColor(clBtnFace);
    AdjustAutoCenter();
}

QSize TRotLab::minimumSizeHint() const
{
    constexpr int kSpare = 4; // frame and the engraved copy's offset
    const QFontMetrics fm(Font()->ToQFont());
    const double w = fm.horizontalAdvance(d->FCaption), h = fm.height();
    if (d->FCaption.isEmpty()) return QSize(2 * kSpare + 8, 2 * kSpare + 8);
    // The corners of the text relative to the anchor, rotated as painting rotates them.
    const double px = d->FAlignment == taLeftJustify ? 0 : d->FAlignment == taRightJustify ? w : w / 2;
    const double a = NormalAngle(d->FTextAngle) / 180.0 * uc_Pi, sn = std::sin(a), cs = std::cos(a);
    double left = 0, right = 0, top = 0, bottom = 0;
    for (const double u : {0.0, w})
        for (const double v : {0.0, h}) {
            const double x = (u - px) * cs + (v - h / 2) * sn, y = -(u - px) * sn + (v - h / 2) * cs;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (d->FAutoCenter)
        return QSize(2 * int(std::ceil(std::max(-left, right))) + 2 * kSpare,
                     2 * int(std::ceil(std::max(-top, bottom))) + 2 * kSpare);
    // A fixed anchor: the text right and below of the origin must fit.
    return QSize(std::clamp(d->FTextPosX + int(std::ceil(right)), 0, 4096) + kSpare,
                 std::clamp(d->FTextPosY + int(std::ceil(bottom)), 0, 4096) + kSpare);
}

QSize TRotLab::sizeHint() const
{
    return TGraphicControl::sizeHint().expandedTo(minimumSizeHint());
}

TRotLab::~TRotLab() = default;

void TRotLab::Changed()
{
    if (d->FTransparent)
        Invalidate();
    else
        Repaint();
}

void TRotLab::SetCaption(const QString &Value)
{
    if (!Store(d->FCaption, Value)) return;
    setAccessibleName(Value);
    Changed();
    Q_EMIT CaptionChanged(Value);
    updateGeometry(); // the size hints follow
}

void TRotLab::SetTextAngle(int Value)
{
    if (!Store(d->FTextAngle, Value)) return;
    Changed();
    updateGeometry(); // the size hints follow
}

void TRotLab::SetTextPosX(int Value)
{
    Value = ClampPos(Value);
    if (d->FTextPosX == Value) return;
    if (d->FAutoCenter)
        AdjustAutoCenter();
    else
        d->FTextPosX = Value;
    Changed();
    updateGeometry(); // the size hints follow
}

void TRotLab::SetTextPosY(int Value)
{
    Value = ClampPos(Value);
    if (d->FTextPosY == Value) return;
    if (d->FAutoCenter)
        AdjustAutoCenter();
    else
        d->FTextPosY = Value;
    Changed();
    updateGeometry(); // the size hints follow
}

void TRotLab::SetAutoCenter(bool Value)
{
    if (!Store(d->FAutoCenter, Value)) return;
    if (Value) AdjustAutoCenter();
    Changed();
    updateGeometry(); // the size hints follow
}

void TRotLab::SetAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FAlignment, Value)) return;
    Changed();
    updateGeometry(); // the size hints follow
}

void TRotLab::SetAntiAlias(bool Value)
{
    if (!Store(d->FAntiAlias, Value)) return;
    Changed();
}

void TRotLab::SetTransparent(bool Value)
{
    if (!Store(d->FTransparent, Value)) return;
    if (!Value && d->FMaskShown) {
        ClearOutputMask();
        d->FMaskShown = false;
    }
    Changed();
}

void TRotLab::SetColor(TColor Value)
{
    if (Color() == Value) return;
    TGraphicControl::SetColor(Value);
    Changed();
}

void TRotLab::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FFrameStyle, Value)) return;
    Changed();
}

void TRotLab::AdjustAutoCenter()
{
    d->FTextPosX = Width() / 2;
    d->FTextPosY = Height() / 2;
}

void TRotLab::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const QSize old = size();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A hidden control gets its resize event only when shown; keep the anchor current now.
    if (d->FAutoCenter && size() != old) {
        AdjustAutoCenter();
        Changed();
    }
}

void TRotLab::Resize()
{
    if (d->FAutoCenter) {
        AdjustAutoCenter();
        Changed();
    }
}

void TRotLab::Assign(const TComponentBase *Source)
{
    const auto *src = dynamic_cast<const TRotLab *>(Source);
    if (!src) {
        TGraphicControl::Assign(Source);
        return;
    }
    if (src == this) return;
    d->FAutoCenter = src->d->FAutoCenter;
    d->FFrameStyle = src->d->FFrameStyle;
    d->FTextAngle = src->d->FTextAngle;
    d->FTextPosX = src->d->FTextPosX;
    d->FTextPosY = src->d->FTextPosY;
    d->FAntiAlias = src->d->FAntiAlias;
    Invalidate();
}

QPoint TRotLab::CalcTextOrigin(TAlignment Alignment, int PosX, int PosY, int HalfWidth, int HalfHeight,
                               int Angle)
{
    // The anchor minus the chosen point of the text, rotated by the angle.
    const double a = NormalAngle(Angle) / 180.0 * uc_Pi;
    const double s = std::sin(a), c = std::cos(a);
    const double hw = HalfWidth, hh = HalfHeight;
    switch (Alignment) {
    case taLeftJustify:
        return QPoint(PosX + Round(-hh * s), PosY + Round(-hh * c));
    case taRightJustify:
        return QPoint(PosX + Round(-2 * hw * c - hh * s), PosY + Round(2 * hw * s - hh * c));
    case taCenter:
    default:
        return QPoint(PosX + Round(-hw * c - hh * s), PosY + Round(hw * s - hh * c));
    }
}

void TRotLab::DrawCaption(TCanvas *C, bool MaskOnly)
{
    C->SetFont(*Font());
    C->Font()->SetOrientation(NormalAngle(d->FTextAngle) * 10);
    // The platform's default quality smooths glyphs here as well, so "off" asks for hard edges.
    C->Font()->SetQuality(d->FAntiAlias ? fqAntialiased : fqNonAntialiased);
    C->Brush()->SetStyle(bsClear);
    const int hw = C->TextWidth(d->FCaption) / 2;
    const int hh = C->TextHeight(d->FCaption) / 2;
    const QPoint at = CalcTextOrigin(d->FAlignment, d->FTextPosX, d->FTextPosY, hw, hh, d->FTextAngle);
    if (!Enabled()) {
        // Engraved: the highlight one pixel right and down, the shadow in place on top.
        C->Font()->SetColor(MaskOnly ? clBlack : clBtnHighlight);
        C->TextOut(at.x() + 1, at.y() + 1, d->FCaption);
        C->Font()->SetColor(MaskOnly ? clBlack : clBtnShadow);
    } else if (MaskOnly) {
        C->Font()->SetColor(clBlack);
    }
    C->TextOut(at.x(), at.y(), d->FCaption);
}

void TRotLab::DoDrawText(TRect &, int Flags)
{
    if (Flags & DT_CALCRECT) return;
    DrawCaption(Canvas(), false);
}

void TRotLab::Paint()
{
    if (!Visible()) return;
    TCanvas *c = Canvas();
    const int W = Width(), H = Height();
    // A transparent label fills too: the surface is only shown through the mask, and smoothed
    // glyph edges blend with the label's colour.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(0, 0, W, H);
    TRect r = Rect(0, 0, W, H);
    DoDrawText(r, 0);
    DrawFrame(c, d->FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);

    if (!d->FTransparent) {
        if (d->FMaskShown) {
            ClearOutputMask();
            d->FMaskShown = false;
        }
        return;
    }
    // The pixels the caption and the frame touch, drawn in black on white.
    TBitmap mask(std::max(1, W), std::max(1, H), c->Scale());
    TCanvas *m = mask.Canvas();
    m->Brush()->SetColor(clWhite);
    m->FillRect(0, 0, mask.Width(), mask.Height());
    DrawCaption(m, true);
    DrawFrame(m, d->FFrameStyle, 0, 0, W - 1, H - 1, 0, 0, 0, 0, 0);
    QImage shown = mask.MaskOf(clWhite);
    shown.invertPixels();
    SetOutputMask(shown);
    d->FMaskShown = true;
}

// ---- readers ----

QString TRotLab::Caption() const
{
    return d->FCaption;
}
int TRotLab::TextAngle() const
{
    return d->FTextAngle;
}
int TRotLab::PosX() const
{
    return d->FTextPosX;
}
int TRotLab::PosY() const
{
    return d->FTextPosY;
}
bool TRotLab::AutoCenter() const
{
    return d->FAutoCenter;
}
TAlignment TRotLab::Alignment() const
{
    return d->FAlignment;
}
bool TRotLab::AntiAlias() const
{
    return d->FAntiAlias;
}
bool TRotLab::Transparent() const
{
    return d->FTransparent;
}
TFrameStyle TRotLab::FrameStyle() const
{
    return d->FFrameStyle;
}

void TRotLab::FontChanged()
{
    TGraphicControl::FontChanged();
    updateGeometry();
}

} // namespace kro
