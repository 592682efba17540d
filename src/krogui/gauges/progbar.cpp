#include <krogui/core/ctimer.h>
#include <krogui/core/kromath.h>
#include <krogui/displays/rotlab.h>
#include <krogui/gauges/progbar.h>
#include <krogui/graphics/colors.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace kro {

namespace {

// Margins beyond this are certainly mistakes; the bound keeps the bar arithmetic in range.
constexpr int kMaxMargin = 10000;
constexpr int kMinInterval = 10;

// The accessible face of the bar: a read-only progress bar reporting value, minimum and maximum.
class TProgBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit TProgBarAccessible(TProgBar *Bar) : QAccessibleWidget(Bar, QAccessible::ProgressBar) {}

    void *interface_cast(QAccessible::InterfaceType Type) override
    {
        if (Type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(Type);
    }
    QString text(QAccessible::Text Kind) const override
    {
        if (Kind == QAccessible::Value) return Bar()->ValueText();
        return QAccessibleWidget::text(Kind);
    }
    QVariant currentValue() const override { return Bar()->Value(); }
    // Like any progress bar, the value is for reading only.
    void setCurrentValue(const QVariant &) override {}
    QVariant minimumValue() const override { return std::min(Bar()->Min(), Bar()->Max()); }
    QVariant maximumValue() const override { return std::max(Bar()->Min(), Bar()->Max()); }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    TProgBar *Bar() const { return static_cast<TProgBar *>(widget()); }
};

QAccessibleInterface *ProgBarAccessibleFactory(const QString &, QObject *Object)
{
    if (auto *bar = qobject_cast<TProgBar *>(Object)) return new TProgBarAccessible(bar);
    return nullptr;
}

void InstallAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ProgBarAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

struct TProgBarPrivate
{
    explicit TProgBarPrivate(TProgBar *Bar) : FTimer(Bar, [Bar] { Bar->DoTimer(); })
    {
        FBarColorArray[0] = 0xFF0000;
        FBarColorArray[ProgBarColorCount - 1] = 0x0000FF;
        RefillColorTable(FBarColorArray, FBarColorArray[0], FBarColorArray[ProgBarColorCount - 1]);
    }

    bool FTimerEnabled = false;
    double FAutoIncStep = 1.0;
    QString FBakGndFile;
    TColor FColorBakG = 0xC0C0C0;
    TColorMapping FColorMapMode = cgmStretch;
    TColor FColorGrid = 0;
    TColor FColorMargin = 0xC0C0C0;
    TColorScheme FColorScheme = csBWG;
    TFrameStyle FOuterFrameSt = fsRaised;
    TFrameStyle FInnerFrameSt = fsLowered;
    int FGridDist = 0;
    int FMarginBottom = 4, FMarginLeft = 4, FMarginRight = 4, FMarginTop = 4;
    double FProgMax = 100, FProgMin = 0;
    TDirection FDirection = dirRight;
    int FRepeatIv = 700;
    bool FColorGrad = false;
    int FStartIv = 1500;
    TAlignment FAlignment = taCenter;
    int FTextAngle = 0;
    int FTextDecPlaces = 0;
    int FTextPosX = 14, FTextPosY = 14;
    bool FShowValue = true;
    double FProgValue = 10;
    TNotifyEvent FOnAutoInc;
    TBeforeShowValueEvent FOnShowValue;

    TBarColorArray FBarColorArray{};
    TBitmap AuxBmp{10, 10};
    TControlTimer FTimer;
    bool FIsStart = false;
    TColor FColBlackLine = 0, FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
};

TProgBar::TProgBar(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TProgBarPrivate>(this))
{
    InstallAccessibleFactory();
    SetDesignSize(300, 28);
    setAccessibleName(QStringLiteral("Progress bar"));
    UpdateAccessibleText();
}

TProgBar::~TProgBar()
{
    d->FTimer.Kill();
}

// ---- helpers ------------------------------------------------------------------------------------

void TProgBar::Changed()
{
    Repaint();
}

template <class T> void TProgBar::Store(T &Field, T Value)
{
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TProgBar::UpdateAccessibleText()
{
    setAccessibleDescription(QStringLiteral("%1 (%2 to %3)")
                                 .arg(ValueText(), ProgBarValueText(std::min(d->FProgMin, d->FProgMax), -2),
                                      ProgBarValueText(std::max(d->FProgMin, d->FProgMax), -2)));
}

// ---- value and range ----------------------------------------------------------------------------

double TProgBar::Value() const
{
    return d->FProgValue;
}
void TProgBar::SetValue(double Value)
{
    if (std::isnan(Value) || Value == d->FProgValue) return;
    d->FProgValue = Value;
    UpdateAccessibleText();
    NotifyAccessibleValueChanged();
    Changed();
    Q_EMIT ValueChanged(Value);
}

double TProgBar::Min() const
{
    return d->FProgMin;
}
void TProgBar::SetMin(double Value)
{
    if (!std::isfinite(Value) || Value == d->FProgMin) return;
    d->FProgMin = Value;
    UpdateAccessibleText();
    Changed();
}

double TProgBar::Max() const
{
    return d->FProgMax;
}
void TProgBar::SetMax(double Value)
{
    if (!std::isfinite(Value) || Value == d->FProgMax) return;
    d->FProgMax = Value;
    UpdateAccessibleText();
    Changed();
}

void TProgBar::SetRange(double AMin, double AMax)
{
    if (!std::isfinite(AMin) || !std::isfinite(AMax)) return;
    d->FProgMin = std::min(AMin, AMax);
    d->FProgMax = std::max(AMin, AMax);
    UpdateAccessibleText();
    Changed();
}

QString TProgBar::ValueText() const
{
    return ProgBarValueText(d->FProgValue, d->FTextDecPlaces);
}

// ---- automatic increment ------------------------------------------------------------------------

bool TProgBar::AutoInc() const
{
    return d->FTimerEnabled;
}
void TProgBar::SetAutoInc(bool Value)
{
    if (d->FTimerEnabled == Value) return;
    d->FTimerEnabled = Value;
    if (IsDesigning()) return;
    if (!Value) {
        d->FTimer.Kill();
        return;
    }
    try {
        InitTimer();
    } catch (...) {
        // A failed start leaves the increment off instead of claiming it runs.
        d->FTimerEnabled = false;
        throw;
    }
}

double TProgBar::AutoIncStep() const
{
    return d->FAutoIncStep;
}
void TProgBar::SetAutoIncStep(double Value)
{
    if (Value == 0 || !std::isfinite(Value)) return;
    d->FAutoIncStep = Value;
}

int TProgBar::StartInterval() const
{
    return d->FStartIv;
}
void TProgBar::SetStartInterval(int Value)
{
    Value = std::max(kMinInterval, Value);
    if (Value == d->FStartIv) return;
    d->FStartIv = Value;
    if (!IsDesigning()) InitTimer();
}

int TProgBar::RepeatInterval() const
{
    return d->FRepeatIv;
}
void TProgBar::SetRepeatInterval(int Value)
{
    Value = std::max(kMinInterval, Value);
    if (Value == d->FRepeatIv) return;
    d->FRepeatIv = Value;
    if (!IsDesigning()) UpdateTimer();
}

void TProgBar::SetOnAutoInc(TNotifyEvent H)
{
    d->FOnAutoInc = std::move(H);
    if (!IsDesigning()) UpdateTimer();
}
const TNotifyEvent &TProgBar::OnAutoInc() const
{
    return d->FOnAutoInc;
}

void TProgBar::InitTimer()
{
    d->FIsStart = true;
    d->FTimer.Kill();
    if (d->FStartIv > 0 && d->FTimerEnabled && !IsDesigning() && !d->FTimer.Start(d->FStartIv))
        throw EKROProgBar(ComponentMessage(QStringLiteral("no timer available")));
}

void TProgBar::UpdateTimer()
{
    d->FIsStart = false;
    d->FTimer.Kill();
    if (d->FRepeatIv > 0 && d->FTimerEnabled && !IsDesigning() && !d->FTimer.Start(d->FRepeatIv))
        throw EKROProgBar(ComponentMessage(QStringLiteral("no timer available")));
}

void TProgBar::StopTimer()
{
    d->FTimer.Kill();
    d->FIsStart = false;
    d->FTimerEnabled = false;
}

void TProgBar::DoTimer()
{
    if (d->FIsStart) UpdateTimer();
    // The increment ends at the end of the range it moves towards.
    const double step = d->FAutoIncStep;
    const double end = step > 0 ? std::max(d->FProgMin, d->FProgMax) : std::min(d->FProgMin, d->FProgMax);
    const double v = d->FProgValue;
    if (step > 0 ? v >= end : v <= end) {
        StopTimer();
        return;
    }
    double next = v + step;
    const bool reached = step > 0 ? next >= end : next <= end;
    if (reached) next = end;
    SetValue(next);
    if (reached) StopTimer();
    if (d->FOnAutoInc) d->FOnAutoInc(this);
    Q_EMIT onAutoInc(this);
}

bool TProgBar::TimerActive() const
{
    return d->FTimer.IsActive();
}
bool TProgBar::TimerAtStart() const
{
    return d->FIsStart;
}

void TProgBar::DesigningChanged()
{
    if (IsDesigning()) {
        d->FTimer.Kill();
        return;
    }
    if (d->FTimerEnabled) SafeInvoke([this] { InitTimer(); });
}

// ---- colours ------------------------------------------------------------------------------------

TColor TProgBar::ColorBackGnd() const
{
    return d->FColorBakG;
}
void TProgBar::SetColorBackGnd(TColor Value)
{
    Store(d->FColorBakG, Value);
}
TColor TProgBar::ColorMargin() const
{
    return d->FColorMargin;
}
void TProgBar::SetColorMargin(TColor Value)
{
    Store(d->FColorMargin, Value);
}
TColor TProgBar::ColorGrid() const
{
    return d->FColorGrid;
}
void TProgBar::SetColorGrid(TColor Value)
{
    Store(d->FColorGrid, Value);
}

TColorScheme TProgBar::ColorScheme() const
{
    return d->FColorScheme;
}
void TProgBar::SetColorScheme(TColorScheme Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Value == d->FColorScheme) return;
    d->FColorScheme = Value;
    d->FColGrayLine = Value == csBWG ? 0x808080 : clBtnShadow;
    d->FColWhiteLine = Value == csBWG ? 0xFFFFFF : clBtnHighlight;
    Changed();
}

TColor TProgBar::ColorMin() const
{
    return d->FBarColorArray[0];
}
void TProgBar::SetColorMin(TColor Value)
{
    d->FBarColorArray[0] = Value;
    RefillColorTable(d->FBarColorArray, ColorToRGB(Value), ColorToRGB(ColorMax()));
    Changed();
}

TColor TProgBar::ColorMax() const
{
    return d->FBarColorArray[ProgBarColorCount - 1];
}
void TProgBar::SetColorMax(TColor Value)
{
    d->FBarColorArray[ProgBarColorCount - 1] = Value;
    RefillColorTable(d->FBarColorArray, ColorToRGB(ColorMin()), ColorToRGB(Value));
    Changed();
}

TColor TProgBar::GetBarColorElem(int Index) const
{
    if (Index < 0 || Index >= ProgBarColorCount) return clBlack;
    return d->FBarColorArray[Index];
}
void TProgBar::SetBarColorElem(int Index, TColor Color)
{
    if (Index < 0 || Index >= ProgBarColorCount) return;
    d->FBarColorArray[Index] = Color;
}

bool TProgBar::AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const
{
    Value = d->FProgValue;
    Minimum = std::min(d->FProgMin, d->FProgMax);
    Maximum = std::max(d->FProgMin, d->FProgMax);
    return true;
}

QSize TProgBar::minimumSizeHint() const
{
    // The frames (two pixels each), the margins and a bar of at least four pixels each way; the
    // text line when the value is shown.
    int w = 8 + d->FMarginLeft + d->FMarginRight + 4;
    int h = 8 + d->FMarginTop + d->FMarginBottom + 4;
    if (d->FShowValue) {
        // The value text around (TextPosX, TextPosY), as wide as the range's ends need.
        const QFontMetrics fm(Font()->ToQFont());
        const int tw = std::max(fm.horizontalAdvance(ProgBarValueText(d->FProgMax, d->FTextDecPlaces)),
                                fm.horizontalAdvance(ProgBarValueText(d->FProgMin, d->FTextDecPlaces)));
        w = std::max(w, d->FTextPosX + tw + 2);
        h = std::max(h, d->FTextPosY + (fm.height() + 1) / 2 + 1);
    }
    return QSize(std::min(w, 400), std::min(h, 400));
}

const TBarColorArray &TProgBar::BarColors() const
{
    return d->FBarColorArray;
}
void TProgBar::SetBarColors(const std::vector<TColor> &Stops)
{
    std::vector<TColor> rgb(Stops.size());
    std::transform(Stops.begin(), Stops.end(), rgb.begin(), [](TColor C) { return ColorToRGB(C); });
    if (SpreadColorStops(d->FBarColorArray, rgb)) Changed();
}

bool TProgBar::ShowColorGradient() const
{
    return d->FColorGrad;
}
void TProgBar::SetShowColorGradient(bool Value)
{
    Store(d->FColorGrad, Value);
}
TColorMapping TProgBar::ColorMapMode() const
{
    return d->FColorMapMode;
}
void TProgBar::SetColorMapMode(TColorMapping Value)
{
    if (!IsDeclaredValue(Value)) return;
    Store(d->FColorMapMode, Value);
}

// ---- layout -------------------------------------------------------------------------------------

TDirection TProgBar::Direction() const
{
    return d->FDirection;
}
void TProgBar::SetDirection(TDirection Value)
{
    if (!IsDeclaredValue(Value)) return;
    Store(d->FDirection, Value);
}
int TProgBar::GridDist() const
{
    return d->FGridDist;
}
void TProgBar::SetGridDist(int Value)
{
    Store(d->FGridDist, Value);
}

int TProgBar::MarginBottom() const
{
    return d->FMarginBottom;
}
void TProgBar::SetMarginBottom(int Value)
{
    Store(d->FMarginBottom, std::clamp(Value, 0, kMaxMargin));
}
int TProgBar::MarginLeft() const
{
    return d->FMarginLeft;
}
void TProgBar::SetMarginLeft(int Value)
{
    Store(d->FMarginLeft, std::clamp(Value, 0, kMaxMargin));
}
int TProgBar::MarginRight() const
{
    return d->FMarginRight;
}
void TProgBar::SetMarginRight(int Value)
{
    Store(d->FMarginRight, std::clamp(Value, 0, kMaxMargin));
}
int TProgBar::MarginTop() const
{
    return d->FMarginTop;
}
void TProgBar::SetMarginTop(int Value)
{
    Store(d->FMarginTop, std::clamp(Value, 0, kMaxMargin));
}

TFrameStyle TProgBar::FrameStyleOuter() const
{
    return d->FOuterFrameSt;
}
void TProgBar::SetFrameStyleOuter(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    Store(d->FOuterFrameSt, Value);
}
TFrameStyle TProgBar::FrameStyleInner() const
{
    return d->FInnerFrameSt;
}
void TProgBar::SetFrameStyleInner(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    Store(d->FInnerFrameSt, Value);
}

QString TProgBar::BackGroundImg() const
{
    return d->FBakGndFile;
}
void TProgBar::SetBackGroundImg(const QString &Value)
{
    if (Value.isEmpty()) {
        d->FBakGndFile.clear();
    } else {
        try {
            d->AuxBmp.LoadFromFile(Value);
            d->FBakGndFile = Value;
        } catch (const EKROError &) {
            // An unreadable file changes nothing.
        }
    }
    Changed();
}

// ---- value text ---------------------------------------------------------------------------------

bool TProgBar::TextVisible() const
{
    return d->FShowValue;
}
void TProgBar::SetTextVisible(bool Value)
{
    d->FShowValue = Value;
    Changed();
}

int TProgBar::TextDecPlaces() const
{
    return d->FTextDecPlaces;
}
void TProgBar::SetTextDecPlaces(int Value)
{
    d->FTextDecPlaces = std::clamp(Value, -2, 10);
    UpdateAccessibleText();
    Changed();
}

int TProgBar::TextPosX() const
{
    return d->FTextPosX;
}
void TProgBar::SetTextPosX(int Value)
{
    d->FTextPosX = std::clamp(Value, 0, Width());
    Changed();
}

int TProgBar::TextPosY() const
{
    return d->FTextPosY;
}
void TProgBar::SetTextPosY(int Value)
{
    d->FTextPosY = std::clamp(Value, 0, Height());
    Changed();
}

TAlignment TProgBar::TextAlignment() const
{
    return d->FAlignment;
}
void TProgBar::SetTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    Store(d->FAlignment, Value);
}

int TProgBar::TextAngle() const
{
    return d->FTextAngle;
}
void TProgBar::SetTextAngle(int Value)
{
    d->FTextAngle = std::clamp(Value, 0, 360);
    Changed();
}

void TProgBar::SetOnShowValue(TBeforeShowValueEvent H)
{
    d->FOnShowValue = std::move(H);
}
const TBeforeShowValueEvent &TProgBar::OnShowValue() const
{
    return d->FOnShowValue;
}

// ---- assignment ---------------------------------------------------------------------------------

void TProgBar::Assign(const TComponentBase *Source)
{
    const auto *src = dynamic_cast<const TProgBar *>(Source);
    if (!src) {
        TGraphicControl::Assign(Source);
        return;
    }
    if (src == this) return;
    TProgBarPrivate &t = *d;
    const TProgBarPrivate &s = *src->d;
    const double oldValue = t.FProgValue;
    t.FOuterFrameSt = s.FOuterFrameSt;
    t.FInnerFrameSt = s.FInnerFrameSt;
    t.FProgValue = s.FProgValue;
    t.FProgMin = s.FProgMin;
    t.FProgMax = s.FProgMax;
    t.FColorMargin = s.FColorMargin;
    t.FColBlackLine = s.FColBlackLine;
    t.FColGrayLine = s.FColGrayLine;
    t.FColWhiteLine = s.FColWhiteLine;
    t.FColorScheme = s.FColorScheme;
    t.FDirection = s.FDirection;
    t.FBarColorArray = s.FBarColorArray;
    t.AuxBmp.Assign(s.AuxBmp);
    t.FColorBakG = s.FColorBakG;
    t.FColorGrad = s.FColorGrad;
    t.FColorGrid = s.FColorGrid;
    t.FGridDist = s.FGridDist;
    t.FColorMapMode = s.FColorMapMode;
    t.FMarginLeft = s.FMarginLeft;
    t.FMarginRight = s.FMarginRight;
    t.FMarginTop = s.FMarginTop;
    t.FMarginBottom = s.FMarginBottom;
    t.FBakGndFile = s.FBakGndFile;
    t.FTextPosX = s.FTextPosX;
    t.FTextPosY = s.FTextPosY;
    t.FTextDecPlaces = s.FTextDecPlaces;
    t.FTextAngle = s.FTextAngle;
    t.FAlignment = s.FAlignment;
    t.FOnShowValue = s.FOnShowValue;
    t.FShowValue = s.FShowValue;
    UpdateAccessibleText();
    Changed();
    if (oldValue != t.FProgValue) {
        NotifyAccessibleValueChanged();
        Q_EMIT ValueChanged(t.FProgValue);
    }
}

bool TProgBar::AssignTo(TComponentBase *Dest) const
{
    // Only another bar can take a bar's state; anything else would ask us again and again.
    if (auto *bar = dynamic_cast<TProgBar *>(Dest)) {
        bar->Assign(this);
        return true;
    }
    return TGraphicControl::AssignTo(Dest);
}

// ---- painting -----------------------------------------------------------------------------------

void TProgBar::Paint()
{
    if (!Visible() && !IsDesigning()) return;
    TCanvas *c = Canvas();
    const int W = Width(), H = Height();
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    // The frames and the text of the last paint left the brush clear; giving it the colour it
    // already has would not make it solid again.
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetColor(d->FColorMargin);
    c->Brush()->SetColor(d->FColorMargin);
    c->Rectangle(0, 0, W, H);

    const TRect area = Rect(d->FMarginLeft, d->FMarginTop, W - d->FMarginRight, H - d->FMarginBottom);
    if (!area.IsEmpty()) {
        c->Pen()->SetColor(d->FColorBakG);
        c->Brush()->SetColor(d->FColorBakG);
        c->Rectangle(area);
        if (!d->FBakGndFile.isEmpty() && !d->AuxBmp.Empty()) c->StretchDraw(area, d->AuxBmp);
        DrawBar(c, area);
        DrawProgFrame(c, d->FInnerFrameSt, area.Left, area.Top, area.Right, area.Bottom);
    }
    DrawProgFrame(c, d->FOuterFrameSt, 0, 0, W, H);
    if (d->FShowValue) DrawValueText(c);
}

void TProgBar::DrawBar(TCanvas *C, const TRect &Area)
{
    const TDirection dir = d->FDirection;
    const TRect filled =
        ProgBarFilledRect(dir, Area, ProgBarFraction(d->FProgValue, d->FProgMin, d->FProgMax));
    const bool vertical = IsVerticalDirection(dir);
    const int full = ProgBarFullLength(dir, Area);
    const int n = vertical ? filled.Height() : filled.Width();
    if (n > 0 && !d->FColorGrad) {
        C->Pen()->SetColor(d->FBarColorArray[0]);
        C->Brush()->SetColor(d->FBarColorArray[0]);
        C->Rectangle(filled);
    } else if (n > 0) {
        for (int i = 0; i < n; ++i) {
            C->Pen()->SetColor(d->FBarColorArray[ColorTableIndex(d->FColorMapMode, i, full, n)]);
            const int p = ProgBarLinePos(dir, filled, i);
            if (vertical) {
                C->MoveTo(filled.Left, p);
                C->LineTo(filled.Right, p);
            } else {
                C->MoveTo(p, filled.Top);
                C->LineTo(p, filled.Bottom);
            }
        }
    }
    DrawGrid(C, Area, filled);
}

void TProgBar::DrawGrid(TCanvas *C, const TRect &Area, const TRect &Filled)
{
    const std::vector<int> lines = ProgBarGridLines(d->FDirection, Area, Filled, d->FGridDist);
    if (lines.empty()) return;
    C->Pen()->SetColor(d->FColorGrid);
    const bool vertical = IsVerticalDirection(d->FDirection);
    for (const int p : lines) {
        if (vertical) {
            C->MoveTo(Area.Left, p);
            C->LineTo(Area.Right, p);
        } else {
            C->MoveTo(p, Area.Top);
            C->LineTo(p, Area.Bottom);
        }
    }
}

void TProgBar::DrawProgFrame(TCanvas *C, TFrameStyle Style, int L, int T, int R, int B)
{
    const TColor gray = d->FColGrayLine, white = d->FColWhiteLine, black = d->FColBlackLine;
    C->Brush()->SetStyle(bsClear);
    switch (Style) {
    case fsSimple:
        C->Pen()->SetColor(gray);
        C->Rectangle(L, T, R, B);
        return;
    case fsLowered:
    case fsRaised:
        C->Pen()->SetColor(Style == fsLowered ? black : white);
        C->MoveTo(L + 1, B - 3);
        C->LineTo(L + 1, T + 1);
        C->LineTo(R - 1, T + 1);
        C->Pen()->SetColor(Style == fsLowered ? white : black);
        C->MoveTo(L + 1, B - 1);
        C->LineTo(R - 1, B - 1);
        C->LineTo(R - 1, T);
        C->Pen()->SetColor(gray);
        C->Rectangle(L, T, R - 1, B - 1);
        break;
    case fsEmbossed:
    case fsEngraved:
        C->Pen()->SetColor(Style == fsEmbossed ? gray : white);
        C->Rectangle(L + 1, T + 1, R, B);
        C->Pen()->SetColor(Style == fsEmbossed ? white : gray);
        C->Rectangle(L, T, R - 1, B - 1);
        break;
    case fsNone:
    default:
        return;
    }
    C->SetPixel(L, B - 1, d->FColorMargin);
    C->SetPixel(R - 1, T, d->FColorMargin);
}

void TProgBar::DrawValueText(TCanvas *C)
{
    C->SetFont(*Font());
    C->Font()->SetOrientation(d->FTextAngle * 10);
    C->Brush()->SetStyle(bsClear);
    QString text = ValueText();
    if (d->FOnShowValue) d->FOnShowValue(this, text);
    Q_EMIT onShowValue(this, text);
    if (text.isEmpty()) return;
    const int w2 = C->TextWidth(text) / 2;
    const int h2 = C->TextHeight(text) / 2;
    const QPoint at =
        TRotLab::CalcTextOrigin(d->FAlignment, d->FTextPosX, d->FTextPosY, w2, h2, d->FTextAngle);
    C->TextOut(at.x(), at.y(), text);
}

} // namespace kro
