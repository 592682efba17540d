#pragma once
// Where the parts of a TNumIO2 lie: text box, spin buttons, gauge and the text positions inside
// the box. Painting and hit testing both read it, so that a click lands where the picture shows.

#include <krogui/core/types.h>

namespace kro {

/// The settings the layout depends on (pixels).
struct TNumIO2Metrics
{
    int Width = 0, Height = 0;
    int LeftSpace = 35, TextBoxWidth = 80;
    TAlignment Alignment = taCenter;
    bool ButVisible = false;
    int ButWidth = 18, ButHeight = 28, ButSpace = 3;
    bool GaugeVisible = false;
    int GaugeHeight = 8, GaugeWidth = 82, GaugeLeftMargin = 35, GaugeTopMargin = 3;
};

class KROGUI_EXPORT TNumIO2Layout
{
public:
    explicit TNumIO2Layout(const TNumIO2Metrics &M) : m(M) {}

    /// Height of the gauge strip below the text (0 without gauge).
    int GaugeStrip() const { return m.GaugeVisible ? m.GaugeHeight + m.GaugeTopMargin + 1 : 0; }
    /// Bottom of the text row (exclusive): everything above the gauge strip.
    int TextBottom() const { return m.Height - GaugeStrip(); }
    /// Y strictly inside the text row.
    bool InTextRow(int Y) const { return Y > 0 && Y < TextBottom(); }

    /// Left edge of the spin buttons; the buttons span ButWidth pixels from there.
    int ButtonLeft() const { return m.LeftSpace + m.TextBoxWidth + m.ButSpace; }
    /// The width the buttons take beside the box (0 when hidden).
    int ButtonBlock() const { return m.ButVisible ? m.ButWidth + m.ButSpace : 0; }
    /// Strictly inside the buttons.
    bool InButtons(int X, int Y) const;
    /// The lower (decrementing) half of the buttons.
    bool InLowerButton(int Y) const { return Y > m.ButHeight / 2; }

    /// The gauge's rectangle (Right and Bottom exclusive).
    TRect GaugeRect() const;
    /// In the gauge strip, within Slack pixels of the gauge's ends.
    bool InGauge(int X, int Y, int Slack = 0) const;
    /// The value the gauge shows at X for the range Low..High (unclamped).
    double GaugeValueAt(int X, double Low, double High) const;

    /// Left edge of a text TextWidth pixels wide, aligned in the box.
    int TextLeft(int TextWidth) const { return CharPosToX(0, TextWidth); }
    /// X of the boundary behind a prefix PrefixWidth pixels wide of a text TextWidth wide.
    int CharPosToX(int PrefixWidth, int TextWidth) const;
    /// The character boundary nearest to X in a text of Length characters and TextWidth pixels
    /// (by the average character width), 0..Length.
    int XToCharPos(int X, int TextWidth, int Length) const;
    /// 0 left of the box, 1 over the box, 2 right of it.
    int AreaCode(int X) const { return X > m.LeftSpace + m.TextBoxWidth ? 2 : X > m.LeftSpace ? 1 : 0; }

    const TNumIO2Metrics &Metrics() const { return m; }

private:
    TNumIO2Metrics m;
};

} // namespace kro
