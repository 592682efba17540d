// The glyph sheets of the two-state button and the widget-free geometry that places them.
#include <krogui/buttons/onoffbut.h>
#include <krogui/buttons/onofflayout.h>
#include <krogui/graphics/bitmap.h>

#include "../common/testutil.h"

#include <gtest/gtest.h>

using namespace kro;

namespace {

struct SheetSize
{
    TOnOffButStyle Style;
    const char *Name;
    int W, H;
};

const SheetSize kSheets[] = {
    {oobsCheckbox, "CHECKBOX", 32, 32},
    {oobsRadioBut, "RADIOBUT", 28, 28},
    {oobsSlideTB, "SLIDETOPBOT", 36, 60},
    {oobsSlideLR, "SLIDELFTRGT", 60, 36},
    {oobsColSlideTB, "COLSLIDETB", 36, 60},
    {oobsColSlideLR, "COLSLIDELR", 60, 36},
    {oobsLedRedGreen, "LEDREDGREEN", 28, 28},
    {oobsArrowTopRgt, "ARROWTR", 50, 50},
    {oobsArrowUpDown, "ARROWUD", 50, 50},
    {oobsArrowLeftRight, "ARROWLR", 50, 50},
    {oobsTrafficLPed, "TRAFFICLGT", 62, 62},
    {oobsBeveledLed, "BEVELEDLED", 34, 34},
    {oobsSmileyYellow, "SMILEYS", 36, 36},
    {oobsSmileyRedGrn, "SMILEYRG", 36, 36},
    {oobsBulb, "BULB", 78, 98},
    {oobsButLamp, "BUTLAMP", 98, 48},
    {oobsHDLeft, "HDLEFT", 96, 32},
    {oobsHDRight, "HDRIGHT", 96, 32},
    {oobsUser1, "USER1", 48, 48},
    {oobsUser2, "USER2", 48, 48},
    {oobsUser3, "USER3", 48, 48},
    {oobsUser4, "USER4", 48, 48},
    {oobsUser5, "USER5", 48, 48},
};

constexpr QRgb kKey = 0xEBBEEB;

bool IsKey(QRgb P)
{
    return (P & 0xFFFFFF) == kKey;
}

} // namespace

TEST(OnOffGlyphs, EverySheetHasItsSizeFourGlyphsAndGreyedDisabledRow)
{
    for (const SheetSize &s : kSheets) {
        SCOPED_TRACE(s.Name);
        EXPECT_EQ(OnOffButResourceName(s.Style), QString::fromLatin1(s.Name));
        TBitmap sheet;
        ASSERT_NO_THROW(sheet.LoadFromResourceName(QString::fromLatin1(s.Name)));
        EXPECT_EQ(sheet.Width(), s.W);
        EXPECT_EQ(sheet.Height(), s.H);

        TOnOffBut b;
        b.SetButtonStyle(s.Style);
        ASSERT_EQ(b.GlyphWidth(), s.W / 2);
        ASSERT_EQ(b.GlyphHeight(), s.H / 2);
        const QImage on = b.Glyph(true, true), off = b.Glyph(false, true);
        const QImage onDis = b.Glyph(true, false), offDis = b.Glyph(false, false);
        EXPECT_NE(on, off) << "on and off look the same";
        EXPECT_NE(on, onDis);
        // The glyphs are the sheet's quadrants, in the documented order.
        EXPECT_EQ(on, sheet.Image().copy(0, 0, s.W / 2, s.H / 2));
        EXPECT_EQ(offDis, sheet.Image().copy(s.W / 2, s.H / 2, s.W / 2, s.H / 2));
        int keys = 0, coloured = 0;
        for (const QImage *g : {&onDis, &offDis})
            for (int y = 0; y < g->height(); ++y)
                for (int x = 0; x < g->width(); ++x) {
                    const QRgb p = g->pixel(x, y);
                    if (IsKey(p)) {
                        ++keys;
                        continue;
                    }
                    if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) ++coloured;
                }
        EXPECT_EQ(coloured, 0) << "disabled glyphs are grey";
        // Transparent where the disabled glyph is transparent in the enabled row too.
        for (int y = 0; y < on.height(); ++y)
            for (int x = 0; x < on.width(); ++x)
                EXPECT_EQ(IsKey(on.pixel(x, y)), IsKey(onDis.pixel(x, y))) << x << "," << y;
        EXPECT_GT(keys, 0) << "no transparent pixels at all";
    }
}

TEST(OnOffGlyphs, ExtractGlyphsCutsQuadrantsInStateOrder)
{
    QImage sheet(6, 4, QImage::Format_RGB32);
    const QRgb tl = qRgb(1, 0, 0), tr = qRgb(2, 0, 0), bl = qRgb(3, 0, 0), br = qRgb(4, 0, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            sheet.setPixel(x, y, y < 2 ? (x < 3 ? tl : tr) : (x < 3 ? bl : br));
    const auto g = ExtractGlyphs(sheet);
    EXPECT_EQ(g[OnOffGlyphIndex(true, true)].pixel(2, 1), tl);
    EXPECT_EQ(g[OnOffGlyphIndex(false, true)].pixel(0, 0), tr);
    EXPECT_EQ(g[OnOffGlyphIndex(true, false)].pixel(1, 1), bl);
    EXPECT_EQ(g[OnOffGlyphIndex(false, false)].pixel(2, 0), br);
    EXPECT_EQ(g[0].size(), QSize(3, 2));
    EXPECT_EQ(OnOffGlyphIndex(false, false), 0);
    EXPECT_EQ(OnOffGlyphIndex(true, true), 3);
    EXPECT_TRUE(ExtractGlyphs(QImage(1, 8, QImage::Format_RGB32))[0].isNull());
}

TEST(OnOffGlyphs, CaptionPositionsForEverySideAndAlignment)
{
    TOnOffGeometry g;
    g.Width = 200;
    g.Height = 80;
    g.LeftSpace = 60;
    g.TopSpace = 30;
    g.GlyphWidth = 30;
    g.GlyphHeight = 18;
    g.TextHeight = 12;
    const int w = 20, yMid = 30 + (18 - 12) / 2;
    EXPECT_EQ(OnOffCaptionPos(g, ocsLeft, taLeftJustify, w), QPoint(4, yMid));
    EXPECT_EQ(OnOffCaptionPos(g, ocsLeft, taRightJustify, w), QPoint(60 - 20 - 3, yMid));
    EXPECT_EQ(OnOffCaptionPos(g, ocsLeft, taCenter, w), QPoint((60 - 20) / 2, yMid));
    EXPECT_EQ(OnOffCaptionPos(g, ocsRight, taLeftJustify, w), QPoint(60 + 30 + 4, yMid));
    EXPECT_EQ(OnOffCaptionPos(g, ocsRight, taRightJustify, w), QPoint(200 - 20 - 4, yMid));
    EXPECT_EQ(OnOffCaptionPos(g, ocsRight, taCenter, w),
              QPoint(60 + 30 + 1 + (200 - 20 - 60 - 30) / 2, yMid));
    EXPECT_EQ(OnOffCaptionPos(g, ocsTop, taCenter, w), QPoint(60 + (30 - 20) / 2, 30 - 12 - 4));
    EXPECT_EQ(OnOffCaptionPos(g, ocsTop, taRightJustify, w), QPoint(176, 14));
    EXPECT_EQ(OnOffCaptionPos(g, ocsBottom, taLeftJustify, w), QPoint(4, 30 + 18 + 4));
    // Integer division truncates towards zero for a caption wider than the glyph.
    EXPECT_EQ(OnOffCaptionPos(g, ocsBottom, taCenter, 41), QPoint(60 + (30 - 41) / 2, 52));
    EXPECT_EQ(60 + (30 - 41) / 2, 55);
}

TEST(OnOffGlyphs, ActiveAreaExcludesTheGlyphBoxEdgesAndGlyphRectIsClipped)
{
    TOnOffGeometry g{100, 50, 35, 16, 30, 18, 0};
    EXPECT_FALSE(OnOffInGlyph(g, 35, 20));
    EXPECT_TRUE(OnOffInGlyph(g, 36, 20));
    EXPECT_TRUE(OnOffInGlyph(g, 64, 33));
    EXPECT_FALSE(OnOffInGlyph(g, 65, 20));
    EXPECT_FALSE(OnOffInGlyph(g, 40, 16));
    EXPECT_FALSE(OnOffInGlyph(g, 40, 34));

    EXPECT_EQ(OnOffGlyphRect(g, 30, 18), Rect(36, 17, 66, 35));
    g.LeftSpace = 100; // reaches the width: nothing of the glyph is on the surface
    g.TopSpace = 50;
    EXPECT_TRUE(OnOffGlyphRect(g, 30, 18).IsEmpty());
    g.LeftSpace = 90;
    g.TopSpace = 40;
    EXPECT_EQ(OnOffGlyphRect(g, 30, 18), Rect(91, 41, 100, 50));
    g.LeftSpace = 2147483600; // no overflow
    EXPECT_TRUE(OnOffGlyphRect(g, 30, 18).IsEmpty());
}
