// TRotLab: the rotated caption around its anchor, centring, engraved text, transparency.
#include <krogui/displays/rotlab.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include <cmath>
#include <set>

using namespace kro;
using kro::test::BoundsOf;
using kro::test::Box;
using kro::test::PixelAt;

namespace {

// A crisp, opaque, frameless label so that the caption's pixels are exactly the ink colour.
struct Crisp : TRotLab
{
    Crisp()
    {
        SetTransparent(false);
        SetAntiAlias(false);
        SetFrameStyle(fsNone);
        SetColor(clWhite);
        Font()->SetColor(clBlack);
        Font()->SetSize(14);
        SetCaption(QStringLiteral("HHHH"));
    }
    using TRotLab::DoDrawText;
};

// Ink box relative to the anchor.
Box Ink(Crisp &L)
{
    Box b = BoundsOf(L.Surface(), clBlack);
    EXPECT_GE(b.L, 0) << "no caption drawn";
    b.L -= L.PosX();
    b.R -= L.PosX();
    b.T -= L.PosY();
    b.B -= L.PosY();
    return b;
}

// Text dimensions as the label measures them.
QSize TextSize(TRotLab &L)
{
    TCanvas c(static_cast<QPainter *>(nullptr));
    c.SetFont(*L.Font());
    return QSize(c.TextWidth(L.Caption()), c.TextHeight(L.Caption()));
}

} // namespace

TEST(RotLab, TextOriginFormulas)
{
    // hw = 20, hh = 5 around the anchor (100, 50).
    EXPECT_EQ(TRotLab::CalcTextOrigin(taCenter, 100, 50, 20, 5, 0), QPoint(80, 45));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taCenter, 100, 50, 20, 5, 90), QPoint(95, 70));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taCenter, 100, 50, 20, 5, 180), QPoint(120, 55));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taCenter, 100, 50, 20, 5, -90), QPoint(105, 30));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taLeftJustify, 100, 50, 20, 5, 0), QPoint(100, 45));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taLeftJustify, 100, 50, 20, 5, 90), QPoint(95, 50));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taRightJustify, 100, 50, 20, 5, 0), QPoint(60, 45));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taRightJustify, 100, 50, 20, 5, 90), QPoint(95, 90));
    EXPECT_EQ(TRotLab::CalcTextOrigin(taRightJustify, 100, 50, 20, 5, 180), QPoint(140, 55));
    // 45 degrees: -20 cos - 5 sin = -17.68 and 20 sin - 5 cos = 10.61, each rounded.
    EXPECT_EQ(TRotLab::CalcTextOrigin(taCenter, 100, 50, 20, 5, 45), QPoint(82, 61));
    // Whole turns change nothing.
    EXPECT_EQ(TRotLab::CalcTextOrigin(taCenter, 100, 50, 20, 5, 450),
              TRotLab::CalcTextOrigin(taCenter, 100, 50, 20, 5, 90));
}

TEST(RotLab, CaptionSitsOnTheAnchorAt0_90_180)
{
    Crisp lab;
    ASSERT_EQ(lab.PosX(), 100);
    ASSERT_EQ(lab.PosY(), 100);
    const QSize ts = TextSize(lab);
    const Box a0 = Ink(lab);
    // Upright: the ink lies in the text box centred on the anchor, centred horizontally.
    EXPECT_GE(a0.L, -ts.width() / 2);
    EXPECT_LE(a0.R, ts.width() / 2);
    EXPECT_GE(a0.T, -ts.height() / 2);
    EXPECT_LE(a0.B, ts.height() / 2);
    EXPECT_NEAR((a0.L + a0.R) / 2.0, 0.0, 1.5);

    // 90: reading upwards, i.e. (dx, dy) -> (dy, -dx) around the anchor.
    lab.SetTextAngle(90);
    const Box a90 = Ink(lab);
    EXPECT_NEAR(a90.L, a0.T, 2);
    EXPECT_NEAR(a90.R, a0.B, 2);
    EXPECT_NEAR(a90.T, -a0.R, 2);
    EXPECT_NEAR(a90.B, -a0.L, 2);

    // 180: upside down, (dx, dy) -> (-dx, -dy).
    lab.SetTextAngle(180);
    const Box a180 = Ink(lab);
    EXPECT_NEAR(a180.L, -a0.R, 2);
    EXPECT_NEAR(a180.R, -a0.L, 2);
    EXPECT_NEAR(a180.T, -a0.B, 2);
    EXPECT_NEAR(a180.B, -a0.T, 2);
}

TEST(RotLab, LeftAndRightAlignment)
{
    Crisp lab;
    const int w = TextSize(lab).width();
    lab.SetAlignment(taLeftJustify);
    Box b = Ink(lab);
    EXPECT_GE(b.L, 0);
    EXPECT_LE(b.L, 3);
    EXPECT_NEAR(b.R, w, 4);
    lab.SetTextAngle(90); // the text grows upwards from the anchor
    b = Ink(lab);
    EXPECT_LE(b.B, 0);
    EXPECT_GE(b.B, -3);
    EXPECT_NEAR(b.T, -w, 4);

    lab.SetTextAngle(0);
    lab.SetAlignment(taRightJustify);
    b = Ink(lab);
    EXPECT_LE(b.R, 1);
    EXPECT_GE(b.R, -4);
    EXPECT_NEAR(b.L, -w, 4);
    lab.SetTextAngle(90); // ... and downwards for the right edge
    b = Ink(lab);
    EXPECT_GE(b.T, -1);
    EXPECT_LE(b.T, 4);
}

TEST(RotLab, AutoCenterFollowsTheSize)
{
    TRotLab lab;
    EXPECT_EQ(lab.Width(), 200);
    EXPECT_EQ(lab.Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(lab.Font()->Size(), 11);
    EXPECT_EQ(lab.PosX(), 100);
    lab.SetTextPosX(5); // ignored while AutoCenter is on
    EXPECT_EQ(lab.PosX(), 100);
    lab.SetBounds(0, 0, 301, 120);
    EXPECT_EQ(lab.PosX(), 150);
    EXPECT_EQ(lab.PosY(), 60);
    lab.SetAutoCenter(false);
    lab.SetTextPosX(5);
    lab.SetTextPosY(7);
    lab.SetWidth(80);
    EXPECT_EQ(lab.PosX(), 5);
    EXPECT_EQ(lab.PosY(), 7);
    lab.SetAutoCenter(true);
    EXPECT_EQ(lab.PosX(), 40);
    EXPECT_EQ(lab.PosY(), 60);
}

TEST(RotLab, ApplicationOnResizeDoesNotReplaceCentring)
{
    QWidget parent;
    parent.resize(400, 400);
    auto *lab = new TRotLab(&parent);
    parent.show();
    int calls = 0;
    lab->SetOnResize([&](QObject *s) {
        EXPECT_EQ(s, lab);
        EXPECT_EQ(lab->PosX(), lab->width() / 2); // the control's own handling ran first
        ++calls;
    });
    lab->resize(260, 90); // a layout resize, past SetBounds
    QApplication::processEvents();
    EXPECT_GE(calls, 1);
    EXPECT_EQ(lab->PosX(), 130);
    EXPECT_EQ(lab->PosY(), 45);
}

TEST(RotLab, DisabledCaptionIsEngraved)
{
    Crisp lab;
    lab.SetColor(RGB(10, 20, 30));
    lab.SetEnabled(false);
    const QImage img = lab.Surface();
    const TColor light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    ASSERT_NE(light, shadow);
    const Box hi = BoundsOf(img, light), sh = BoundsOf(img, shadow);
    ASSERT_GE(sh.L, 0);
    EXPECT_EQ(BoundsOf(img, clBlack).L, -1);
    EXPECT_EQ(hi.R, sh.R + 1);
    EXPECT_EQ(hi.B, sh.B + 1);
}

TEST(RotLab, AntiAliasSwitchKeepsTheFont)
{
    Crisp lab;
    lab.Font()->SetStyle(fsBold | fsItalic);
    auto colours = [&] {
        std::set<TColor> s;
        const QImage img = lab.Surface();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                s.insert(PixelAt(img, x, y));
        return s;
    };
    EXPECT_EQ(colours(), (std::set<TColor>{clWhite, clBlack}));
    const int hardWidth = BoundsOf(lab.Surface(), clBlack).R - BoundsOf(lab.Surface(), clBlack).L;
    lab.SetAntiAlias(true);
    EXPECT_GT(colours().size(), 2u);
    EXPECT_EQ(lab.Font()->Style(), TFontStyles(fsBold | fsItalic));
    const QImage img = lab.Surface();
    Box dark;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                dark.L = dark.L < 0 ? x : std::min(dark.L, x);
                dark.R = std::max(dark.R, x);
            }
    EXPECT_NEAR(dark.R - dark.L, hardWidth, 3);
}

TEST(RotLab, TransparentShowsOnlyCaptionAndFrame)
{
    QWidget parent;
    parent.resize(220, 220);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 0));
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    auto *lab = new TRotLab(&parent);
    lab->SetBounds(0, 0, 200, 200);
    lab->SetCaption(QStringLiteral("HHHH"));
    lab->SetAntiAlias(false);
    lab->Font()->SetColor(clBlack);
    lab->Font()->SetSize(14);
    parent.show();
    QApplication::processEvents();
    QImage shot = parent.grab().toImage();
    EXPECT_EQ(PixelAt(shot, 20, 20), clRed);
    EXPECT_EQ(PixelAt(shot, 0, 0), clGray);          // lowered frame, top-left line
    EXPECT_EQ(PixelAt(shot, 199, 199), clWhite);     // lowered frame, bottom-right line
    EXPECT_EQ(BoundsOf(shot, clBlack).L >= 0, true); // caption shown
    EXPECT_EQ(BoundsOf(shot, ColorToRGB(clBtnFace)).L, -1);

    lab->SetTransparent(false);
    QApplication::processEvents();
    shot = parent.grab().toImage();
    EXPECT_EQ(PixelAt(shot, 20, 20), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(shot, 205, 205), clRed);
}

TEST(RotLab, AssignAndCalcRect)
{
    TRotLab a, b;
    a.SetAutoCenter(false);
    a.SetTextPosX(12);
    a.SetTextPosY(34);
    a.SetTextAngle(270);
    a.SetFrameStyle(fsEngraved);
    a.SetAntiAlias(false);
    a.SetCaption(QStringLiteral("not copied"));
    a.SetAlignment(taRightJustify);
    b.Assign(&a);
    EXPECT_FALSE(b.AutoCenter());
    EXPECT_EQ(b.PosX(), 12);
    EXPECT_EQ(b.PosY(), 34);
    EXPECT_EQ(b.TextAngle(), 270);
    EXPECT_EQ(b.FrameStyle(), fsEngraved);
    EXPECT_FALSE(b.AntiAlias());
    EXPECT_TRUE(b.Caption().isEmpty());
    EXPECT_EQ(b.Alignment(), taCenter);

    // Measuring only draws nothing.
    Crisp c;
    c.Surface();
    c.Canvas()->Brush()->SetStyle(bsSolid);
    c.Canvas()->Brush()->SetColor(clWhite);
    c.Canvas()->FillRect(0, 0, 200, 200);
    TRect r = Rect(0, 0, 200, 200);
    c.DoDrawText(r, TRotLab::DT_CALCRECT | 0x10);
    EXPECT_EQ(BoundsOf(c.Surface(), clBlack).L, -1);
    c.DoDrawText(r, 0);
    EXPECT_GE(BoundsOf(c.Surface(), clBlack).L, 0);
    // Extreme angles and anchors draw without trouble.
    c.SetAutoCenter(false);
    c.SetTextAngle(std::numeric_limits<int>::max());
    c.SetTextPosX(std::numeric_limits<int>::min());
    EXPECT_FALSE(c.Surface().isNull());
}
