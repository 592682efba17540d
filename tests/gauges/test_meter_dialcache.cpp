// The kept dial picture is drawn again whenever something it shows changes.
#include <krogui/gauges/meter.h>

#include <gtest/gtest.h>

using namespace kro;

TEST(MeterDial, FontSmoothingAloneRedrawsCaptionAndLabels)
{
    TMeter m;
    m.SetCaption(QStringLiteral("Volts"));
    m.FontCaption()->SetSize(16);
    m.FontCaption()->SetQuality(fqAntialiased);
    m.Font()->SetQuality(fqAntialiased);
    m.Repaint();
    const QImage smooth = m.Surface().copy();

    m.FontCaption()->SetQuality(fqNonAntialiased);
    m.Repaint();
    const QImage captionSharp = m.Surface().copy();
    EXPECT_NE(captionSharp, smooth);

    m.Font()->SetQuality(fqNonAntialiased);
    m.Repaint();
    const QImage allSharp = m.Surface().copy();
    EXPECT_NE(allSharp, captionSharp);

    // And back: the same state gives the same picture as drawn from scratch.
    m.FontCaption()->SetQuality(fqAntialiased);
    m.Font()->SetQuality(fqAntialiased);
    m.Repaint();
    EXPECT_EQ(m.Surface(), smooth);
}
