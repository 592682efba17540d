#include <krogui/core/property.h>
#include <krogui/gauges/needlelayout.h>

#include <algorithm>

namespace kro {

struct TNeedleLayoutPrivate
{
    TColor FColorFill = clSilver;
    TColor FColorLine = clBlack;
    int FSize1 = 20;
    int FThickness = 0;
    int FPctNeedleLeng = 100;
    int FAngle1 = 30;
    int FBackShift1 = 20;
    int FShadowDx = 0;
    int FShadowDy = 0;
    TColor FShadowColor = clGray;
    TNotifyEvent FOnChange;
    bool FVisible = true;
};

TNeedleLayout::TNeedleLayout(QObject *Parent) : QObject(Parent), d(std::make_unique<TNeedleLayoutPrivate>())
{
}

TNeedleLayout::~TNeedleLayout() = default;

void TNeedleLayout::SetHeadSize(int Value)
{
    if (Store(d->FSize1, Value)) Changed();
}
void TNeedleLayout::SetHeadAngle(int Value)
{
    if (Store(d->FAngle1, std::clamp(Value, 0, 180))) Changed();
}
void TNeedleLayout::SetHeadMidLeng(int Value)
{
    if (Store(d->FBackShift1, Value)) Changed();
}
void TNeedleLayout::SetThickness(int Value)
{
    if (Store(d->FThickness, Value)) Changed();
}
void TNeedleLayout::SetColorBody(TColor Value)
{
    if (Store(d->FColorFill, Value)) Changed();
}
void TNeedleLayout::SetColorOutline(TColor Value)
{
    if (Store(d->FColorLine, Value)) Changed();
}
void TNeedleLayout::SetPercentNeedleLength(int Value)
{
    if (Store(d->FPctNeedleLeng, std::clamp(Value, 0, 100))) Changed();
}
void TNeedleLayout::SetShadowDx(int Value)
{
    if (Store(d->FShadowDx, Value)) Changed();
}
void TNeedleLayout::SetShadowDy(int Value)
{
    if (Store(d->FShadowDy, Value)) Changed();
}
void TNeedleLayout::SetShadowColor(TColor Value)
{
    if (Store(d->FShadowColor, Value)) Changed();
}
void TNeedleLayout::SetVisible(bool Value)
{
    if (Store(d->FVisible, Value)) Changed();
}

void TNeedleLayout::Assign(const TNeedleLayout &Source)
{
    if (&Source == this) return;
    d->FColorFill = Source.d->FColorFill;
    d->FColorLine = Source.d->FColorLine;
    d->FSize1 = Source.d->FSize1;
    d->FThickness = Source.d->FThickness;
    d->FPctNeedleLeng = Source.d->FPctNeedleLeng;
    d->FAngle1 = Source.d->FAngle1;
    d->FBackShift1 = Source.d->FBackShift1;
    d->FShadowDx = Source.d->FShadowDx;
    d->FShadowDy = Source.d->FShadowDy;
    d->FShadowColor = Source.d->FShadowColor;
    d->FVisible = Source.d->FVisible;
    Changed();
}

void TNeedleLayout::Changed()
{
    if (FOwnerLink) FOwnerLink();
    if (d->FOnChange) d->FOnChange(this);
    Q_EMIT onChange(this);
}

// ---- readers ----

int TNeedleLayout::HeadSize() const
{
    return d->FSize1;
}
int TNeedleLayout::HeadAngle() const
{
    return d->FAngle1;
}
int TNeedleLayout::HeadMidLeng() const
{
    return d->FBackShift1;
}
int TNeedleLayout::Thickness() const
{
    return d->FThickness;
}
TColor TNeedleLayout::ColorBody() const
{
    return d->FColorFill;
}
TColor TNeedleLayout::ColorOutline() const
{
    return d->FColorLine;
}
int TNeedleLayout::PercentNeedleLength() const
{
    return d->FPctNeedleLeng;
}
int TNeedleLayout::ShadowDx() const
{
    return d->FShadowDx;
}
int TNeedleLayout::ShadowDy() const
{
    return d->FShadowDy;
}
TColor TNeedleLayout::ShadowColor() const
{
    return d->FShadowColor;
}
bool TNeedleLayout::Visible() const
{
    return d->FVisible;
}
void TNeedleLayout::SetOnChange(TNotifyEvent Handler)
{
    d->FOnChange = std::move(Handler);
}
const TNotifyEvent &TNeedleLayout::OnChange() const
{
    return d->FOnChange;
}

} // namespace kro
