#include <krogui/gauges/needlelayout.h>

#include <algorithm>

namespace kro {

TNeedleLayout::TNeedleLayout(QObject *Parent) : QObject(Parent) {}

template <class T> void TNeedleLayout::Store(T &Field, T Value)
{
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TNeedleLayout::SetHeadSize(int Value)
{
    Store(FSize1, Value);
}
void TNeedleLayout::SetHeadAngle(int Value)
{
    Store(FAngle1, std::clamp(Value, 0, 180));
}
void TNeedleLayout::SetHeadMidLeng(int Value)
{
    Store(FBackShift1, Value);
}
void TNeedleLayout::SetThickness(int Value)
{
    Store(FThickness, Value);
}
void TNeedleLayout::SetColorBody(TColor Value)
{
    Store(FColorFill, Value);
}
void TNeedleLayout::SetColorOutline(TColor Value)
{
    Store(FColorLine, Value);
}
void TNeedleLayout::SetPercentNeedleLength(int Value)
{
    Store(FPctNeedleLeng, std::clamp(Value, 0, 100));
}
void TNeedleLayout::SetShadowDx(int Value)
{
    Store(FShadowDx, Value);
}
void TNeedleLayout::SetShadowDy(int Value)
{
    Store(FShadowDy, Value);
}
void TNeedleLayout::SetShadowColor(TColor Value)
{
    Store(FShadowColor, Value);
}
void TNeedleLayout::SetVisible(bool Value)
{
    Store(FVisible, Value);
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
