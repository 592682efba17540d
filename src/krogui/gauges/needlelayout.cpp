#include <krogui/core/property.h>
#include <krogui/gauges/needlelayout.h>

#include <algorithm>

namespace kro {

TNeedleLayout::TNeedleLayout(QObject *Parent) : QObject(Parent) {}

void TNeedleLayout::SetHeadSize(int Value)
{
    if (Store(FSize1, Value)) Changed();
}
void TNeedleLayout::SetHeadAngle(int Value)
{
    if (Store(FAngle1, std::clamp(Value, 0, 180))) Changed();
}
void TNeedleLayout::SetHeadMidLeng(int Value)
{
    if (Store(FBackShift1, Value)) Changed();
}
void TNeedleLayout::SetThickness(int Value)
{
    if (Store(FThickness, Value)) Changed();
}
void TNeedleLayout::SetColorBody(TColor Value)
{
    if (Store(FColorFill, Value)) Changed();
}
void TNeedleLayout::SetColorOutline(TColor Value)
{
    if (Store(FColorLine, Value)) Changed();
}
void TNeedleLayout::SetPercentNeedleLength(int Value)
{
    if (Store(FPctNeedleLeng, std::clamp(Value, 0, 100))) Changed();
}
void TNeedleLayout::SetShadowDx(int Value)
{
    if (Store(FShadowDx, Value)) Changed();
}
void TNeedleLayout::SetShadowDy(int Value)
{
    if (Store(FShadowDy, Value)) Changed();
}
void TNeedleLayout::SetShadowColor(TColor Value)
{
    if (Store(FShadowColor, Value)) Changed();
}
void TNeedleLayout::SetVisible(bool Value)
{
    if (Store(FVisible, Value)) Changed();
}

void TNeedleLayout::Assign(const TNeedleLayout &Source)
{
    if (&Source == this) return;
    FColorFill = Source.FColorFill;
    FColorLine = Source.FColorLine;
    FSize1 = Source.FSize1;
    FThickness = Source.FThickness;
    FPctNeedleLeng = Source.FPctNeedleLeng;
    FAngle1 = Source.FAngle1;
    FBackShift1 = Source.FBackShift1;
    FShadowDx = Source.FShadowDx;
    FShadowDy = Source.FShadowDy;
    FShadowColor = Source.FShadowColor;
    FVisible = Source.FVisible;
    Changed();
}

void TNeedleLayout::Changed()
{
    if (FOwnerLink) FOwnerLink();
    if (FOnChange) FOnChange(this);
}

} // namespace kro
