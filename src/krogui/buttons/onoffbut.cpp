#include <krogui/buttons/onoffbut.h>

#include <krogui/buttons/onofflayout.h>
#include <krogui/core/keys.h>
#include <krogui/core/property.h>
#include <krogui/graphics/colors.h>
#include <krogui/graphics/drawing.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <mutex>

namespace kro {

namespace {
const QString kSampleText = QStringLiteral("(8g]}\u00dc\u00c4\u00a7");
} // namespace

QString OnOffButResourceName(TOnOffButStyle Style)
{
    static const char *const names[] = {
        "",           "CHECKBOX",    "RADIOBUT", "SLIDETOPBOT", "SLIDELFTRGT", "COLSLIDETB",
        "COLSLIDELR", "LEDREDGREEN", "ARROWTR",  "ARROWUD",     "ARROWLR",     "TRAFFICLGT",
        "BEVELEDLED", "SMILEYS",     "SMILEYRG", "BULB",        "BUTLAMP",     "HDLEFT",
        "HDRIGHT",    "USER1",       "USER2",    "USER3",       "USER4",       "USER5"};
    if (Style < oobsUser || Style > oobsUser5) return QString();
    return QString::fromLatin1(names[Style]);
}

struct TOnOffButPrivate
{
    bool FOnOff = true;
    TBitmap FButImg[4];  // by OnOffGlyphIndex
    TBitmap FUserImg[4]; // the same order
    TBitmap FMask;
    int FGlyphWidth = 0, FGlyphHeight = 0;
    TColor FColBlackLine = clBlack, FColGrayLine = 0x808080, FColWhiteLine = clWhite;

    bool FAllowAllOff = true;
    bool FAutoCenter = true;
    QString FLeftText, FRightText, FTopText, FBottomText;
    TAlignment FLeftTextAlignment = taRightJustify, FRightTextAlignment = taLeftJustify;
    TAlignment FTopTextAlignment = taCenter, FBottomTextAlignment = taCenter;
    TOnOffButStyle FButtonStyle = oobsColSlideLR;
    TColor FColorBackgnd = clBtnFace;
    TColorScheme FColorScheme = csBWG;
    TColor FColorText = 0;
    TFrameStyle FFrameStyle = fsLowered;
    int FGroupIndex = 0;
    int FLeftSpace = 35, FTopSpace = 18;
    TOOButMode FMode = oobmNormalBut;
    TOOButMouseAction FMouseAction = oomaFocused;
    bool FTransparent = false;

    bool FMaskShown = false;
    bool FKeyHeld = false; // Space is down on a momentary button
};

// ---- accessibility ----

namespace {

class TOnOffButAccessible : public QAccessibleWidget
{
public:
    explicit TOnOffButAccessible(TOnOffBut *B) : QAccessibleWidget(B, QAccessible::CheckBox) {}
    TOnOffBut *Button() const { return static_cast<TOnOffBut *>(widget()); }

    QAccessible::Role role() const override { return Button()->AccessibleRole(); }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (Button()->Mode() == oobmSpeedBut) {
            s.pressed = Button()->OnOff();
        } else {
            s.checkable = true;
            s.checked = Button()->OnOff();
        }
        return s;
    }
    QStringList actionNames() const override
    {
        return Button()->Mode() == oobmSpeedBut ? QStringList{pressAction()} : QStringList{toggleAction()};
    }
    void doAction(const QString &Name) override
    {
        TOnOffBut *b = Button();
        if (!b->Enabled() || b->MouseAction() == oomaNone) return;
        if (Name == toggleAction() && b->Mode() == oobmNormalBut)
            b->SetOnOff(!b->OnOff());
        else if (Name == pressAction() && b->OnClick())
            SafeInvoke([b] { b->OnClick()(b); });
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

QAccessibleInterface *OnOffButAccessibleFactory(const QString &ClassName, QObject *Object)
{
    if (ClassName == QLatin1String("kro::TOnOffBut") && Object && Object->isWidgetType())
        return new TOnOffButAccessible(static_cast<TOnOffBut *>(Object));
    return nullptr;
}

} // namespace

// ---- construction ----

TOnOffBut::TOnOffBut(QWidget *Parent) : TGraphicControl(Parent), d(std::make_unique<TOnOffButPrivate>())
{
    static std::once_flag factory;
    std::call_once(factory, [] { QAccessible::installFactory(OnOffButAccessibleFactory); });
    setFocusPolicy(Qt::TabFocus);
    // The default user glyphs: a cross when off, a ring when on, blank when disabled.
    for (TBitmap &b : d->FUserImg)
        b.SetSize(20, 20);
    {
        TCanvas *c = d->FUserImg[OnOffGlyphIndex(false, true)].Canvas();
        c->Pen()->SetColor(clBlack);
        c->MoveTo(0, 0);
        c->LineTo(20, 20);
        c->MoveTo(0, 20);
        c->LineTo(20, 0);
        c = d->FUserImg[OnOffGlyphIndex(true, true)].Canvas();
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(clWhite);
        c->Ellipse(5, 5, 15, 15);
    }
    LoadGlyphs();
    SetDesignSize(100, 50);
    // A button keeps its height in a layout; its width may follow the layout.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    UpdateAccessibleName();
}

TOnOffBut::~TOnOffBut() = default;

QAccessible::Role TOnOffBut::AccessibleRole() const
{
    if (d->FMode == oobmSpeedBut) return QAccessible::Button;
    if (d->FButtonStyle == oobsRadioBut || (d->FGroupIndex != 0 && !d->FAllowAllOff))
        return QAccessible::RadioButton;
    return QAccessible::CheckBox;
}

QSize TOnOffBut::minimumSizeHint() const
{
    return QSize(d->FGlyphWidth + 2, d->FGlyphHeight + 2);
}

// ---- glyphs ----

void TOnOffBut::LoadGlyphs()
{
    if (d->FButtonStyle == oobsUser) {
        for (int i = 0; i < 4; ++i)
            d->FButImg[i].Assign(d->FUserImg[i].Image());
        d->FGlyphWidth = d->FUserImg[OnOffGlyphIndex(true, true)].Width();
        d->FGlyphHeight = d->FUserImg[OnOffGlyphIndex(true, true)].Height();
        return;
    }
    TBitmap sheet;
    sheet.LoadFromResourceName(OnOffButResourceName(d->FButtonStyle));
    const auto glyphs = ExtractGlyphs(sheet.Image());
    for (int i = 0; i < 4; ++i)
        d->FButImg[i].Assign(glyphs[i]);
    d->FGlyphWidth = sheet.Width() / 2;
    d->FGlyphHeight = sheet.Height() / 2;
}

int TOnOffBut::GlyphWidth() const
{
    return d->FGlyphWidth;
}
int TOnOffBut::GlyphHeight() const
{
    return d->FGlyphHeight;
}
QImage TOnOffBut::Glyph(bool AOnOff, bool AEnabled) const
{
    return d->FButImg[OnOffGlyphIndex(AOnOff, AEnabled)].Image();
}

void TOnOffBut::SetUserGlyph(const TBitmap &Img)
{
    if (Img.Empty() || Img.Width() % 2 != 0 || Img.Height() % 2 != 0)
        throw EKROError(
            ComponentMessage(QStringLiteral("a user glyph sheet needs an even width and height (got %1 x %2)")
                                 .arg(Img.Width())
                                 .arg(Img.Height())));
    const auto glyphs = ExtractGlyphs(Img.Image());
    for (int i = 0; i < 4; ++i)
        d->FUserImg[i].Assign(glyphs[i]);
    if (d->FButtonStyle == oobsUser) {
        LoadGlyphs();
        if (d->FAutoCenter) AdjustAutoCenter();
        Invalidate();
    }
}

void TOnOffBut::LoadUserGlyph(const QString &FName)
{
    TBitmap b;
    try {
        b.LoadFromFile(FName); // raises for a missing, unreadable or unknown file
    } catch (const EKROError &e) {
        throw EKROError(ComponentMessage(QStringLiteral("cannot load user glyphs: %1").arg(e.Message())));
    }
    SetUserGlyph(b);
}

// ---- properties ----

bool TOnOffBut::OnOff() const
{
    return d->FOnOff;
}

void TOnOffBut::SetOnOff(bool Value)
{
    if (Value == d->FOnOff) return;
    if (!Value && d->FGroupIndex != 0 && !d->FAllowAllOff) return;
    d->FOnOff = Value;
    ShowChange();
    if (Value) UpdateExclusive();
}

int TOnOffBut::GroupIndex() const
{
    return d->FGroupIndex;
}

void TOnOffBut::SetGroupIndex(int Value)
{
    if (Value == d->FGroupIndex) return;
    d->FGroupIndex = Value;
    UpdateExclusive();
}

bool TOnOffBut::AllowAllOff() const
{
    return d->FAllowAllOff;
}

void TOnOffBut::SetAllowAllOff(bool Value)
{
    if (Value == d->FAllowAllOff) return;
    d->FAllowAllOff = Value;
    UpdateExclusive();
}

TOOButMode TOnOffBut::Mode() const
{
    return d->FMode;
}

void TOnOffBut::SetMode(TOOButMode Value)
{
    if (!IsDeclaredValue(Value)) return;
    d->FMode = Value;
    if (Value == oobmSpeedBut && d->FOnOff) {
        d->FOnOff = false;
        emit OnOffChanged(false);
    }
    Invalidate();
}

TOOButMouseAction TOnOffBut::MouseAction() const
{
    return d->FMouseAction;
}
void TOnOffBut::SetMouseAction(TOOButMouseAction Value)
{
    if (!IsDeclaredValue(Value)) return;
    d->FMouseAction = Value;
}

void TOnOffBut::SetEnabled(bool Value)
{
    d->FKeyHeld = false;
    TGraphicControl::SetEnabled(Value);
    Invalidate();
}

TOnOffButStyle TOnOffBut::ButtonStyle() const
{
    return d->FButtonStyle;
}

void TOnOffBut::SetButtonStyle(TOnOffButStyle Value)
{
    if (Value == d->FButtonStyle || Value < oobsUser || Value > oobsUser5) return;
    d->FButtonStyle = Value;
    LoadGlyphs();
    if (d->FAutoCenter) AdjustAutoCenter();
    Invalidate();
}

bool TOnOffBut::AutoCenter() const
{
    return d->FAutoCenter;
}

void TOnOffBut::SetAutoCenter(bool Value)
{
    if (Value == d->FAutoCenter) return;
    d->FAutoCenter = Value;
    if (Value) AdjustAutoCenter();
    if (d->FTransparent)
        Invalidate();
    else
        Repaint();
}

int TOnOffBut::LeftSpace() const
{
    return d->FLeftSpace;
}

void TOnOffBut::SetLeftSpace(int Value)
{
    if (Value == d->FLeftSpace || Value < 0) return;
    if (d->FAutoCenter)
        AdjustAutoCenter();
    else
        d->FLeftSpace = std::min(Value, Width());
    Invalidate();
}

int TOnOffBut::TopSpace() const
{
    return d->FTopSpace;
}

void TOnOffBut::SetTopSpace(int Value)
{
    if (Value == d->FTopSpace || Value < 0) return;
    if (d->FAutoCenter)
        AdjustAutoCenter();
    else
        d->FTopSpace = std::min(Value, Height());
    Invalidate();
}

QString TOnOffBut::LeftText() const
{
    return d->FLeftText;
}
QString TOnOffBut::RightText() const
{
    return d->FRightText;
}
QString TOnOffBut::TopText() const
{
    return d->FTopText;
}
QString TOnOffBut::BottomText() const
{
    return d->FBottomText;
}
void TOnOffBut::SetLeftText(const QString &Value)
{
    if (Store(d->FLeftText, Value)) UpdateAccessibleName(), Invalidate();
}
void TOnOffBut::SetRightText(const QString &Value)
{
    if (Store(d->FRightText, Value)) UpdateAccessibleName(), Invalidate();
}
void TOnOffBut::SetTopText(const QString &Value)
{
    if (Store(d->FTopText, Value)) UpdateAccessibleName(), Invalidate();
}
void TOnOffBut::SetBottomText(const QString &Value)
{
    if (Store(d->FBottomText, Value)) UpdateAccessibleName(), Invalidate();
}

TAlignment TOnOffBut::LeftTextAlignment() const
{
    return d->FLeftTextAlignment;
}
TAlignment TOnOffBut::RightTextAlignment() const
{
    return d->FRightTextAlignment;
}
TAlignment TOnOffBut::TopTextAlignment() const
{
    return d->FTopTextAlignment;
}
TAlignment TOnOffBut::BottomTextAlignment() const
{
    return d->FBottomTextAlignment;
}
void TOnOffBut::SetLeftTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FLeftTextAlignment, Value)) Invalidate();
}
void TOnOffBut::SetRightTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FRightTextAlignment, Value)) Invalidate();
}
void TOnOffBut::SetTopTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FTopTextAlignment, Value)) Invalidate();
}
void TOnOffBut::SetBottomTextAlignment(TAlignment Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FBottomTextAlignment, Value)) Invalidate();
}

TColor TOnOffBut::ColorBackgnd() const
{
    return d->FColorBackgnd;
}
void TOnOffBut::SetColorBackgnd(TColor Value)
{
    if (Store(d->FColorBackgnd, Value)) Repaint();
}
TColor TOnOffBut::ColorText() const
{
    return d->FColorText;
}
void TOnOffBut::SetColorText(TColor Value)
{
    if (Store(d->FColorText, Value)) Repaint();
}
TFrameStyle TOnOffBut::FrameStyle() const
{
    return d->FFrameStyle;
}
void TOnOffBut::SetFrameStyle(TFrameStyle Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Store(d->FFrameStyle, Value)) Repaint();
}

TColorScheme TOnOffBut::ColorScheme() const
{
    return d->FColorScheme;
}
void TOnOffBut::SetColorScheme(TColorScheme Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FColorScheme, Value)) return;
    d->FColBlackLine = clBlack;
    d->FColGrayLine = Value == csBWG ? TColor(0x808080) : clBtnShadow;
    d->FColWhiteLine = Value == csBWG ? TColor(0xFFFFFF) : clBtnHighlight;
    Invalidate();
}

bool TOnOffBut::Transparent() const
{
    return d->FTransparent;
}
void TOnOffBut::SetTransparent(bool Value)
{
    if (Store(d->FTransparent, Value)) Invalidate(); // the parent must show (or stop showing) through at once
}

// ---- layout ----

void TOnOffBut::AdjustAutoCenter()
{
    const QPoint p = OnOffCentred(Width(), Height(), d->FGlyphWidth, d->FGlyphHeight);
    d->FLeftSpace = p.x();
    d->FTopSpace = p.y();
}

void TOnOffBut::Resize()
{
    if (parentWidget() && d->FAutoCenter) {
        AdjustAutoCenter();
        Invalidate();
    }
}

// ---- groups ----

void TOnOffBut::UpdateExclusive()
{
    if (d->FGroupIndex == 0 || !parentWidget()) return;
    const auto siblings = parentWidget()->findChildren<TOnOffBut *>(QString(), Qt::FindDirectChildrenOnly);
    for (TOnOffBut *b : siblings)
        b->ButtonPressed(d->FGroupIndex, this);
}

void TOnOffBut::ButtonPressed(int AGroupIndex, TOnOffBut *Sender)
{
    if (AGroupIndex != d->FGroupIndex || !Sender || Sender == this) return;
    if (Sender->d->FOnOff && d->FOnOff) {
        d->FOnOff = false;
        ShowChange();
    }
    d->FAllowAllOff = Sender->d->FAllowAllOff;
}

// ---- input ----

bool TOnOffBut::InActiveArea(int X, int Y) const
{
    switch (d->FMouseAction) {
    case oomaPlain:
        return true;
    case oomaFocused: {
        TOnOffGeometry g;
        g.LeftSpace = d->FLeftSpace;
        g.TopSpace = d->FTopSpace;
        g.GlyphWidth = d->FGlyphWidth;
        g.GlyphHeight = d->FGlyphHeight;
        return OnOffInGlyph(g, X, Y);
    }
    default:
        return false;
    }
}

void TOnOffBut::Press()
{
    if (d->FGroupIndex != 0 && !d->FAllowAllOff && d->FOnOff) return;
    d->FOnOff = !d->FOnOff;
    ShowChange();
    if (d->FOnOff) UpdateExclusive();
}

void TOnOffBut::Release()
{
    if (d->FMode == oobmSpeedBut && d->FOnOff) {
        d->FOnOff = false;
        ShowChange();
    }
    TGraphicControl::Click(); // OnClick (and its signal) for presses in the active area only
}

void TOnOffBut::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    // The second press of a double click toggles again, as a second click would.
    if (Button == mbLeft && InActiveArea(X, Y)) Press();
}

void TOnOffBut::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (InActiveArea(X, Y)) {
        Release();
    } else if (d->FMode == oobmSpeedBut && d->FOnOff) {
        // Released outside the active area: a momentary button must not stay on, but it was
        // no click either.
        d->FOnOff = false;
        ShowChange();
    }
}

void TOnOffBut::Click() {}

void TOnOffBut::KeyDown(quint16 &Key, TShiftState Shift)
{
    TGraphicControl::KeyDown(Key, Shift);
    if (Key != VK_SPACE || d->FMouseAction == oomaNone) return;
    Key = 0;
    if (d->FMode == oobmSpeedBut) {
        if (!d->FKeyHeld) { // auto-repeated presses keep it on
            d->FKeyHeld = true;
            Press();
        }
        return;
    }
    Press();
    Release();
}

void TOnOffBut::KeyUp(quint16 &Key, TShiftState Shift)
{
    TGraphicControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE && d->FKeyHeld) {
        d->FKeyHeld = false;
        Release();
    }
}

void TOnOffBut::focusInEvent(QFocusEvent *Event)
{
    TGraphicControl::focusInEvent(Event);
    Invalidate();
}

void TOnOffBut::focusOutEvent(QFocusEvent *Event)
{
    TGraphicControl::focusOutEvent(Event);
    if (d->FKeyHeld) {
        d->FKeyHeld = false;
        Release();
    }
    Invalidate();
}

void TOnOffBut::ShowChange()
{
    if (d->FTransparent)
        Invalidate();
    else
        Repaint();
    emit OnOffChanged(d->FOnOff);
    if (QAccessible::isActive()) {
        QAccessible::State s;
        s.checked = true;
        s.pressed = true;
        QAccessibleStateChangeEvent ev(this, s);
        QAccessible::updateAccessibility(&ev);
    }
}

void TOnOffBut::UpdateAccessibleName()
{
    QStringList parts;
    for (const QString *t : {&d->FLeftText, &d->FTopText, &d->FRightText, &d->FBottomText})
        if (!t->isEmpty()) parts << *t;
    setAccessibleName(parts.isEmpty() ? Name() : parts.join(QLatin1Char(' ')));
}

// ---- Assign ----

void TOnOffBut::Assign(const TComponentBase *Source)
{
    const auto *s = dynamic_cast<const TOnOffBut *>(Source);
    if (!s) {
        TGraphicControl::Assign(Source);
        return;
    }
    if (s == this) return;
    const TOnOffButPrivate &o = *s->d;
    d->FLeftSpace = o.FLeftSpace;
    d->FTopSpace = o.FTopSpace;
    d->FAutoCenter = o.FAutoCenter;
    d->FLeftText = o.FLeftText;
    d->FRightText = o.FRightText;
    d->FTopText = o.FTopText;
    d->FBottomText = o.FBottomText;
    d->FLeftTextAlignment = o.FLeftTextAlignment;
    d->FRightTextAlignment = o.FRightTextAlignment;
    d->FTopTextAlignment = o.FTopTextAlignment;
    d->FBottomTextAlignment = o.FBottomTextAlignment;
    d->FFrameStyle = o.FFrameStyle;
    d->FColorBackgnd = o.FColorBackgnd;
    d->FColBlackLine = o.FColBlackLine;
    d->FColGrayLine = o.FColGrayLine;
    d->FColWhiteLine = o.FColWhiteLine;
    d->FColorScheme = o.FColorScheme;
    d->FOnOff = o.FOnOff;
    for (int i = 0; i < 4; ++i) {
        d->FButImg[i].Assign(o.FButImg[i].Image());
        d->FUserImg[i].Assign(o.FUserImg[i].Image());
    }
    d->FButtonStyle = o.FButtonStyle;
    d->FMouseAction = o.FMouseAction;
    d->FColorText = o.FColorText;
    d->FGlyphWidth = o.FGlyphWidth;
    d->FGlyphHeight = o.FGlyphHeight;
    d->FTransparent = o.FTransparent;
    TGraphicControl::SetEnabled(s->Enabled());
    UpdateAccessibleName();
    Invalidate();
}

bool TOnOffBut::AssignTo(TComponentBase *Dest) const
{
    if (auto *b = dynamic_cast<TOnOffBut *>(Dest)) {
        b->Assign(this);
        return true;
    }
    return TGraphicControl::AssignTo(Dest);
}

// ---- painting ----

void TOnOffBut::PaintCaptions(TCanvas *Surface, TCanvas *Mask, int TextHeight)
{
    TOnOffGeometry g{Width(),        Height(),        d->FLeftSpace, d->FTopSpace,
                     d->FGlyphWidth, d->FGlyphHeight, TextHeight};
    struct Caption
    {
        const QString &Text;
        TOnOffCaptionSide Side;
        TAlignment Align;
    };
    const Caption captions[] = {{d->FLeftText, ocsLeft, d->FLeftTextAlignment},
                                {d->FRightText, ocsRight, d->FRightTextAlignment},
                                {d->FTopText, ocsTop, d->FTopTextAlignment},
                                {d->FBottomText, ocsBottom, d->FBottomTextAlignment}};
    const bool enabled = Enabled();
    for (const Caption &c : captions) {
        if (c.Text.isEmpty()) continue;
        const QPoint p = OnOffCaptionPos(g, c.Side, c.Align, Surface->TextWidth(c.Text));
        if (enabled) {
            Surface->Font()->SetColor(d->FColorText);
            Surface->TextOut(p.x(), p.y(), c.Text);
            Mask->TextOut(p.x(), p.y(), c.Text);
        } else {
            Surface->Brush()->SetStyle(bsClear);
            Surface->Font()->SetColor(clWhite);
            Surface->TextOut(p.x() + 1, p.y() + 1, c.Text);
            Surface->Font()->SetColor(0x808080);
            Surface->TextOut(p.x(), p.y(), c.Text);
            // The engraving's light copy must show through a transparent button too.
            Mask->Brush()->SetStyle(bsClear);
            Mask->TextOut(p.x() + 1, p.y() + 1, c.Text);
            Mask->TextOut(p.x(), p.y(), c.Text);
        }
    }
}

void TOnOffBut::PaintGlyph(TCanvas *Surface, TCanvas *Mask)
{
    TBitmap &glyph = d->FButImg[OnOffGlyphIndex(d->FOnOff, Enabled())];
    const int gw = glyph.Width(), gh = glyph.Height();
    const TRect dest =
        Rect(d->FLeftSpace + 1, d->FTopSpace + 1, d->FLeftSpace + 1 + gw, d->FTopSpace + 1 + gh);
    TOnOffGeometry g{Width(), Height(), d->FLeftSpace, d->FTopSpace, gw, gh, 0};
    const TRect clip = OnOffGlyphRect(g, gw, gh);
    if (clip.IsEmpty() || glyph.Empty()) return;
    Mask->Pen()->SetStyle(psSolid);
    Mask->Pen()->SetColor(clWhite);
    Mask->Brush()->SetStyle(bsSolid);
    Mask->Brush()->SetColor(clWhite);
    Mask->Rectangle(clip);
    Surface->SetCopyMode(cmSrcCopy);
    Surface->CopyRect(dest, *glyph.Canvas(), Rect(0, 0, gw, gh));
    // Key-coloured pixels take the background; all others become opaque on the mask. Only the
    // part of the glyph that lies on the surface is visited.
    const TColor back = d->FTransparent ? clBlack : ColorToRGB(d->FColorBackgnd);
    const QRgb backRgb = qRgb(GetRValue(back), GetGValue(back), GetBValue(back));
    // Surface and mask have the same scale: sc x sc device pixels per logical one.
    QImage *surf = Surface->Image();
    QImage *mask = Mask->Image();
    const int sc = Surface->Scale();
    for (int y = clip.Top * sc; y < clip.Bottom * sc; ++y) {
        auto *s = reinterpret_cast<QRgb *>(surf->scanLine(y));
        auto *m = reinterpret_cast<QRgb *>(mask->scanLine(y));
        for (int x = clip.Left * sc; x < clip.Right * sc; ++x) {
            if ((s[x] & 0xFFFFFFu) == 0xEBBEEBu) // the key reads the same in either byte order
                s[x] = backRgb;
            else
                m[x] = qRgb(0, 0, 0);
        }
    }
}

void TOnOffBut::Paint()
{
    const int w = std::max(1, Width()), h = std::max(1, Height());
    TCanvas *surface = Canvas();
    // 1. Font and caption height.
    surface->SetFont(*Font());
    // Over the parent, captions are cut out by the mask: hard-edged glyphs keep surface and mask
    // pixel for pixel alike (smoothed edges would be blended with the black under them).
    if (d->FTransparent) surface->Font()->SetQuality(fqNonAntialiased);
    const int th = surface->TextHeight(kSampleText);
    // 2. Surface and mask: the mask starts all white (parent shows), the surface in the background.
    d->FMask.SetScale(surface->Scale());
    d->FMask.SetSize(w, h);
    TCanvas *mask = d->FMask.Canvas();
    mask->SetFont(*surface->Font());
    mask->Pen()->SetStyle(psSolid);
    mask->Pen()->SetColor(clWhite);
    mask->Brush()->SetStyle(bsSolid);
    mask->Brush()->SetColor(clWhite);
    mask->Rectangle(0, 0, w, h);
    mask->Font()->SetColor(clBlack);
    const TColor back = d->FTransparent ? clBlack : d->FColorBackgnd;
    surface->Pen()->SetStyle(psSolid);
    surface->Pen()->SetColor(back);
    surface->Brush()->SetStyle(bsSolid);
    surface->Brush()->SetColor(back);
    surface->SetCopyMode(cmSrcCopy);
    surface->Rectangle(0, 0, w, h);
    // 3. Captions, 4. glyph, 5. frame.
    PaintCaptions(surface, mask, th);
    PaintGlyph(surface, mask);
    DrawFrame(surface, d->FFrameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
    DrawFrame(mask, d->FFrameStyle, 0, 0, w - 1, h - 1, 0, 0, 0, 0, 0);
    if (hasFocus()) {
        // Keyboard focus: a dotted ring around the glyph, on the surface and the mask.
        const TRect r = OnOffGlyphRect({w, h, d->FLeftSpace - 1, d->FTopSpace - 1, 0, 0, 0},
                                       d->FGlyphWidth + 2, d->FGlyphHeight + 2);
        for (TCanvas *c : {surface, mask}) {
            QPainter *p = c->Handle();
            p->save();
            p->setPen(QPen(c == mask ? Qt::black : QColor(0x40, 0x40, 0x40), 1, Qt::DotLine));
            p->setBrush(Qt::NoBrush);
            p->drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
            p->restore();
        }
    }
    // 6. Output: through the mask when transparent.
    if (d->FTransparent) {
        SetOutputMask(d->FMask.MaskOf(clBlack));
        d->FMaskShown = true;
    } else if (d->FMaskShown) {
        ClearOutputMask();
        d->FMaskShown = false;
    }
}

} // namespace kro
