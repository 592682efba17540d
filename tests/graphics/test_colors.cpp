// Colour resolution, names and the predefined table.
#include <krogui/graphics/colors.h>

#include <QApplication>
#include <QPalette>
#include <QSet>

#include <gtest/gtest.h>

using namespace kro;

TEST(Colors, SystemColoursFollowTheApplicationPalette)
{
    const QPalette saved = QApplication::palette();
    QPalette pal = saved;
    pal.setColor(QPalette::Button, QColor(10, 20, 30));
    pal.setColor(QPalette::Dark, QColor(40, 50, 60));
    pal.setColor(QPalette::Light, QColor(70, 80, 90));
    pal.setColor(QPalette::Highlight, QColor(1, 2, 3));
    pal.setColor(QPalette::Base, QColor(4, 5, 6));
    QApplication::setPalette(pal);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(10, 20, 30));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(40, 50, 60));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(70, 80, 90));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(4, 5, 6));
    EXPECT_EQ(ToQColor(clBtnFace), QColor(10, 20, 30));
    QApplication::setPalette(saved);
    EXPECT_EQ(ColorToRGB(clBtnFace), FromQColor(saved.color(QPalette::Button)));

    // RGB colours pass unchanged; every system colour resolves to an RGB value.
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clNone), clBlack);
    for (TColor c : PredefinedColors())
        EXPECT_EQ(ColorToRGB(c) & 0xFF000000u, 0u) << std::hex << c;
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56, 0x78)), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(GetRValue(0x563412u), 0x12);
    EXPECT_EQ(GetGValue(0x563412u), 0x34);
    EXPECT_EQ(GetBValue(0x563412u), 0x56);
}

TEST(Colors, NamesAndTheirRoundTrip)
{
    EXPECT_EQ(ColorToString(clRed), QStringLiteral("clRed"));
    EXPECT_EQ(ColorToString(clBtnFace), QStringLiteral("clBtnFace"));
    EXPECT_EQ(ColorToString(clMoneyGreen), QStringLiteral("clMoneyGreen"));
    EXPECT_EQ(ColorToString(clNone), QStringLiteral("clNone"));
    EXPECT_EQ(ColorToString(RGB(0x12, 0x34, 0x56)), QStringLiteral("$00563412"));
    EXPECT_EQ(ColorToString(0xFF0000EEu), QStringLiteral("$FF0000EE")); // an unnamed system index

    const TColor samples[] = {RGB(0x12, 0x34, 0x56), RGB(1, 0, 0), 0xFF0000EEu, clDefault};
    QSet<QString> names;
    for (TColor c : PredefinedColors()) {
        const QString n = ColorToString(c);
        EXPECT_TRUE(n.startsWith(QLatin1String("cl"))) << qPrintable(n);
        names.insert(n);
        bool ok = false;
        EXPECT_EQ(StringToColor(n, &ok), c) << qPrintable(n);
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(names.size(), NumPredefinedColors);
    for (TColor c : samples) {
        bool ok = false;
        EXPECT_EQ(StringToColor(ColorToString(c), &ok), c) << std::hex << c;
        EXPECT_TRUE(ok);
    }
    bool ok = true;
    EXPECT_EQ(StringToColor(QStringLiteral("clred"), &ok), clRed);
    EXPECT_TRUE(ok);
    EXPECT_EQ(StringToColor(QStringLiteral("255"), &ok), clRed);
    EXPECT_EQ(StringToColor(QStringLiteral("0x00FF00"), &ok), clLime);
    for (const char *bad : {"", "clNoSuch", "$", "$1FFFFFFFF", "-1", "12abc"}) {
        ok = true;
        EXPECT_EQ(StringToColor(QString::fromLatin1(bad), &ok), clBlack) << bad;
        EXPECT_FALSE(ok) << bad;
    }
}

TEST(Colors, PredefinedColorsInFourSections)
{
    const auto &t = PredefinedColors();
    ASSERT_EQ(t.size(), 47u);
    // 1-16: the basic VGA palette, black first and white last.
    const TColor vga[] = {clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
                          clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(t[i], vga[i]) << i;
    // 17-20 complete the extended palette.
    EXPECT_EQ(t[16], clMoneyGreen);
    EXPECT_EQ(t[17], clSkyBlue);
    EXPECT_EQ(t[18], clCream);
    EXPECT_EQ(t[19], clMedGray);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(t[i] & 0xFF000000u, 0u) << i;
    // 21-47: 27 system colours, the three the frames use among them.
    QSet<TColor> sys;
    for (int i = 20; i < 47; ++i) {
        EXPECT_EQ(t[i] & 0xFF000000u, clSystemColor) << i;
        sys.insert(t[i]);
    }
    EXPECT_EQ(sys.size(), 27);
    EXPECT_TRUE(sys.contains(clBtnFace) && sys.contains(clBtnShadow) && sys.contains(clBtnHighlight));
}

TEST(Colors, MeanColor)
{
    EXPECT_EQ(MeanColor(clBlack, clWhite), RGB(127, 127, 127));
    EXPECT_EQ(MeanColor(RGB(10, 20, 30), RGB(20, 40, 60)), RGB(15, 30, 45));
    EXPECT_EQ(MeanColor(clRed, clRed), clRed);
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(MeanColor(clBtnFace, face), face); // system colours resolved first
}
