#include <krogui/numio/numio2layout.h>

#include <algorithm>

namespace kro {

bool TNumIO2Layout::InButtons(int X, int Y) const
{
    const int bx = ButtonLeft();
    return m.ButVisible && X > bx && X < bx + m.ButWidth && Y > 0 && Y < m.ButHeight;
}

TRect TNumIO2Layout::GaugeRect() const
{
    const int top = TextBottom() + m.GaugeTopMargin;
    return Rect(m.GaugeLeftMargin, top, m.GaugeLeftMargin + m.GaugeWidth, top + m.GaugeHeight);
}

bool TNumIO2Layout::InGauge(int X, int Y, int Slack) const
{
    return m.GaugeVisible && Y > TextBottom() && X >= m.GaugeLeftMargin - Slack &&
           X <= m.GaugeLeftMargin + m.GaugeWidth + Slack;
}

double TNumIO2Layout::GaugeValueAt(int X, double Low, double High) const
{
    if (m.GaugeWidth <= 0) return Low;
    return Low + double(X - m.GaugeLeftMargin) / m.GaugeWidth * (High - Low);
}

int TNumIO2Layout::CharPosToX(int PrefixWidth, int TextWidth) const
{
    switch (m.Alignment) {
    case taLeftJustify:
        return PrefixWidth + m.LeftSpace + 4;
    case taRightJustify:
        return PrefixWidth + m.LeftSpace + m.TextBoxWidth - TextWidth - 2;
    default:
        return PrefixWidth + m.LeftSpace + (m.TextBoxWidth - TextWidth) / 2 + 2;
    }
}

int TNumIO2Layout::XToCharPos(int X, int TextWidth, int Length) const
{
    if (Length <= 0) return 0;
    const int a = TextWidth / Length;
    if (a == 0) return 0;
    int c;
    switch (m.Alignment) {
    case taLeftJustify:
        c = X - m.LeftSpace - 3;
        break;
    case taRightJustify:
        c = X + TextWidth - m.LeftSpace - m.TextBoxWidth + 3;
        break;
    default:
        c = X - m.LeftSpace - (m.TextBoxWidth - TextWidth) / 2 - 1;
        break;
    }
    c = std::max(c, 0);
    // The average width rounds down, so the nearest boundary could lie one beyond the end.
    return std::min((std::min(TextWidth, c) + a / 2) / a, Length);
}

} // namespace kro
