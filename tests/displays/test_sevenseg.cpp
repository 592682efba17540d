// TSevenSeg: the segment pictures, composed digits, the image cache, the caption walk with its
// dots, clamps, resizing with an application handler, the frame and Assign.
#include <krogui/displays/numlab.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cstring>

#include <vector>

using namespace kro;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

const QChar kDeg(0x00B0);

/// The cell a character should produce: its cache cell (or background for a blank) with the
/// lower right of the "." cell over it when it has a dot.
QImage ExpectedCell(TSevenSeg &S, QChar C, bool Dot)
{
    const QImage &cache = S.CacheImage();
    const int cw = S.CellWidth(), ch = cache.height();
    QImage cell(cw, ch, QImage::Format_RGB32);
    const TColor bg = ColorToRGB(S.ColorBackGnd());
    cell.fill(QColor(GetRValue(bg), GetGValue(bg), GetBValue(bg)));
    const qsizetype p = SevenSegCharList.indexOf(C.toUpper());
    if (p >= 0 && C != QLatin1Char('.')) cell = cache.copy(int(p) * cw, 0, cw, ch);
    if (Dot) {
        const QImage dot = cache.copy(20 * cw + cw * 5 / 6, ch * 5 / 6, cw - cw * 5 / 6, ch - ch * 5 / 6);
        for (int y = 0; y < dot.height(); ++y)
            for (int x = 0; x < dot.width(); ++x)
                cell.setPixel(cw * 5 / 6 + x, ch * 5 / 6 + y, dot.pixel(x, y));
    }
    return cell;
}

/// Cell J (0-based) of the painted picture.
QImage CellOf(TSevenSeg &S, int J)
{
    const QImage &img = S.Surface();
    const int cw = S.CellWidth();
    return img.copy(J * (cw + S.InterDigDist()) + S.Margin(), S.Margin(), cw, S.Height() - 2 * S.Margin());
}

/// Compares every cell with a description: a character, followed by "." when it has a dot
/// (" ." is a blank with a dot, " " a blank).
void ExpectCells(TSevenSeg &S, const std::vector<QString> &Cells)
{
    S.Surface();
    for (int j = 0; j < int(Cells.size()); ++j) {
        const QString &d = Cells[size_t(j)];
        EXPECT_TRUE(CellOf(S, j) == ExpectedCell(S, d[0], d.size() > 1))
            << "caption \"" << S.Caption().toStdString() << "\", cell " << j << " should be \""
            << d.toStdString() << "\"";
    }
}

/// The master image's colour at the centre of a picture of size W x H placed at (X, Y).
TColor CentreOf(TSevenSeg &S, int X, int Y, int W, int H)
{
    return PixelAt(S.DigitImage(), X + W / 2, Y + H / 2);
}

} // namespace

TEST(SevenSeg, SegmentPicturesAreSingleShapesThroughTheCentre)
{
    const struct
    {
        const char *Name;
        int W, H;
    } pics[] = {{"SEGVERT", 68, 190},  {"SEGHORZ", 200, 38},  {"SEGDOT", 38, 38},
                {"SEGPLUS", 200, 190}, {"SEGCOLON", 68, 190}, {"SEGDEG", 160, 138}};
    for (const auto &p : pics) {
        SCOPED_TRACE(p.Name);
        TBitmap b;
        b.LoadFromResourceName(QString::fromLatin1(p.Name));
        ASSERT_EQ(b.Width(), p.W);
        ASSERT_EQ(b.Height(), p.H);
        const QImage &img = b.Image();
        QSet<QRgb> colours;
        for (int y = 0; y < p.H; ++y)
            for (int x = 0; x < p.W; ++x)
                colours.insert(img.pixel(x, y) | 0xFF000000u);
        ASSERT_EQ(colours.size(), 2) << "white and one shape colour only";
        EXPECT_EQ(PixelAt(img, 0, 0), clWhite);
        EXPECT_EQ(PixelAt(img, p.W - 1, p.H - 1), clWhite);
        const TColor shape = PixelAt(img, p.W / 2, p.H / 2);
        ASSERT_NE(shape, clWhite);
        // One fill from the centre reaches the whole shape.
        const int before = CountColor(img, shape, 0, 0, p.W, p.H);
        b.Canvas()->Brush()->SetColor(clLime);
        b.Canvas()->FloodFill(p.W / 2, p.H / 2, shape, fsSurface);
        EXPECT_EQ(CountColor(b.Image(), shape, 0, 0, p.W, p.H), 0);
        EXPECT_EQ(CountColor(b.Image(), clLime, 0, 0, p.W, p.H), before);
    }
}

TEST(SevenSeg, ComposedDigitsLeaveNoWhite)
{
    // The outside of a digit is filled from a corner: white enclosed by segments would stay.
    TSevenSeg s;
    s.ColorizeSegments(clRed);
    ASSERT_EQ(SevenSegCharList.size(), 21);
    EXPECT_EQ(SevenSegCharList[13], kDeg);
    for (QChar c : SevenSegCharList)
        for (bool dot : {false, true}) {
            s.CreateDigit(c, dot);
            EXPECT_EQ(CountColor(s.DigitImage(), clWhite, 0, 0, 312, 432), 0)
                << "character " << QString(c).toStdString() << (dot ? " with dot" : "");
        }
}

TEST(SevenSeg, SegmentsLitPerCharacter)
{
    TSevenSeg s;
    s.ColorizeSegments(clRed);
    const TColor on = clRed, off = 0x333333;
    // Segment pictures and where they sit: top, upper left, upper right, middle, lower left,
    // lower right, bottom.
    const int pos[7][4] = {{94, 0, 200, 38},  {37, 23, 68, 190},   {244, 23, 68, 190}, {57, 197, 200, 38},
                           {0, 220, 68, 190}, {207, 220, 68, 190}, {20, 394, 200, 38}};
    const struct
    {
        char Ch;
        const char *Lit;
    } table[] = {{'0', "123567"}, {'1', "36"},     {'2', "13457"}, {'3', "13467"},   {'4', "2346"},
                 {'5', "12467"},  {'6', "124567"}, {'7', "136"},   {'8', "1234567"}, {'9', "123467"},
                 {'-', "4"},      {'A', "123456"}, {'b', "24567"}, {'C', "1257"},    {'d', "34567"},
                 {'E', "12457"},  {'f', "1245"},   {'+', ""},      {':', ""},        {'.', ""}};
    for (const auto &t : table) {
        s.CreateDigit(QLatin1Char(t.Ch), false);
        for (int k = 0; k < 7; ++k) {
            if (k == 3 && (t.Ch == '+' || t.Ch == ':'))
                continue; // their own pictures cover the middle segment's centre
            const bool lit = std::strchr(t.Lit, '1' + k) != nullptr;
            EXPECT_EQ(CentreOf(s, pos[k][0], pos[k][1], pos[k][2], pos[k][3]), lit ? on : off)
                << "character " << t.Ch << ", segment " << k + 1;
        }
        EXPECT_EQ(CentreOf(s, 269, 394, 38, 38), t.Ch == '.' ? on : off) << "dot of " << t.Ch;
    }
    s.CreateDigit(QLatin1Char('+'), false);
    EXPECT_EQ(CentreOf(s, 57, 120, 200, 190), on);
    s.CreateDigit(QLatin1Char(':'), false);
    EXPECT_EQ(CentreOf(s, 122, 121, 68, 190), on);
    s.CreateDigit(kDeg, true);
    EXPECT_EQ(CentreOf(s, 150, 0, 160, 138), on);
    EXPECT_EQ(CentreOf(s, 269, 394, 38, 38), on);

    // Upper and lower case give the same picture; letters outside A-F give nothing.
    s.CreateDigit(QLatin1Char('B'), false);
    const QImage upper = s.DigitImage().copy();
    s.CreateDigit(QLatin1Char('b'), false);
    EXPECT_TRUE(upper == s.DigitImage());
    for (char c : {'g', 'x', ' ', 'G'}) {
        s.CreateDigit(QLatin1Char(c), false);
        EXPECT_EQ(CountColor(s.DigitImage(), off, 0, 0, 312, 432), 312 * 432) << c;
    }
}

TEST(SevenSeg, WhiteTextIsDrawnAsFEFEFE)
{
    TSevenSeg s;
    s.SetCaption(QStringLiteral("8888"));
    s.SetColorText(clWhite);
    s.CreateDigit(QLatin1Char('8'), false);
    EXPECT_EQ(CentreOf(s, 57, 197, 200, 38), TColor(0xFEFEFE));
    const QImage &img = s.Surface();
    EXPECT_GT(CountColor(img, 0xFEFEFE, 0, 0, s.Width(), s.Height()), 0);
    EXPECT_EQ(CountColor(img, clWhite, 1, 1, s.Width() - 1, s.Height() - 1), 0); // only the frame is white

    // The shapes can be recoloured afterwards.
    s.SetColorText(clBlue);
    s.CreateDigit(QLatin1Char('8'), false);
    EXPECT_EQ(CentreOf(s, 57, 197, 200, 38), clBlue);
    EXPECT_EQ(CountColor(s.Surface(), 0xFEFEFE, 0, 0, s.Width(), s.Height()), 0);
}

TEST(SevenSeg, CellLayoutAndCache)
{
    TSevenSeg s; // 216 x 76, 4 digits, margin 8, gap 2
    EXPECT_EQ(s.CellWidth(), 48);
    const QImage &img = s.Surface();
    EXPECT_EQ(s.CacheImage().width(), 21 * 48);
    EXPECT_EQ(s.CacheImage().height(), 60);
    ExpectCells(s, {"8.", "8.", "8.", "8."});
    const TColor bg = 0x333333;
    // Margins and gaps stay background.
    EXPECT_EQ(CountColor(img, bg, 2, 2, 8, 74), 6 * 72);
    EXPECT_EQ(CountColor(img, bg, 2, 2, 214, 8), 212 * 6);
    EXPECT_EQ(CountColor(img, bg, 2, 68, 214, 74), 212 * 6);
    for (int j = 1; j < 4; ++j)
        EXPECT_EQ(CountColor(img, bg, 8 + j * 50 - 2, 8, 8 + j * 50, 68), 2 * 60) << "gap before cell " << j;
    EXPECT_EQ(CountColor(img, bg, 8 + 4 * 50 - 2, 2, 214, 74), 8 * 72);

    // Every cached character differs from every other one.
    QSet<QByteArray> cells;
    for (int p = 0; p < 21; ++p) {
        const QImage c = s.CacheImage().copy(p * 48, 0, 48, 60);
        cells.insert(QByteArray(reinterpret_cast<const char *>(c.constBits()), c.sizeInBytes()));
    }
    EXPECT_EQ(cells.size(), 21);
}

TEST(SevenSeg, CaptionWalkWithDots)
{
    TSevenSeg s;
    s.SetCaption(QStringLiteral("1.5"));
    ExpectCells(s, {"1.", "5", " ", " "});
    s.SetCaption(QStringLiteral(".5"));
    ExpectCells(s, {" .", "5", " ", " "});
    s.SetCaption(QStringLiteral("12:30"));
    ExpectCells(s, {"1", "2", ":", "3"});
    s.SetCaption(QStringLiteral("1..2,"));
    ExpectCells(s, {"1.", " .", "2.", " "});
    s.SetCaption(QStringLiteral("b,dG"));
    ExpectCells(s, {"b.", "d", " ", " "});
    s.SetCaption(QStringLiteral("x y"));
    ExpectCells(s, {" ", " ", " ", " "});
    s.SetCaption(QString());
    ExpectCells(s, {" ", " ", " ", " "});

    s.SetNumDigits(6);
    s.SetCaption(QStringLiteral("-3.2") + kDeg + QStringLiteral("C"));
    ExpectCells(s, {"-", "3.", "2", QString(kDeg), "C", " "});
    EXPECT_EQ(s.accessibleName(), s.Caption());
}

TEST(SevenSeg, PropertyClamps)
{
    TSevenSeg s;
    s.SetNumDigits(0);
    EXPECT_EQ(s.NumDigits(), 4);
    ASSERT_TRUE(s.setProperty("NumDigits", 33)); // as a stored form sets it
    EXPECT_EQ(s.NumDigits(), 4);
    s.SetNumDigits(32);
    EXPECT_EQ(s.NumDigits(), 32);
    s.SetMargin(100);
    EXPECT_EQ(s.Margin(), 76 / 2 - 1);
    s.SetMargin(-5);
    EXPECT_EQ(s.Margin(), 0);
    s.SetInterDigDist(300);
    EXPECT_EQ(s.InterDigDist(), 255);
    s.SetInterDigDist(-1);
    EXPECT_EQ(s.InterDigDist(), 0);

    // Sizes without room for digits paint the background and frame only.
    s.SetInterDigDist(10);
    EXPECT_LE(s.CellWidth(), 0);
    s.Surface();
    EXPECT_TRUE(s.CacheImage().isNull() || s.CacheImage().width() == 0);
    s.SetNumDigits(4);
    s.SetInterDigDist(2);
    s.SetBounds(0, 0, 6, 3);
    EXPECT_EQ(CountColor(s.Surface(), 0x333333, 0, 0, 6, 3) + CountColor(s.Surface(), 0x808080, 0, 0, 6, 3) +
                  CountColor(s.Surface(), clWhite, 0, 0, 6, 3),
              18);
}

TEST(SevenSeg, ResizeRebuildsTheCacheBesideTheApplicationHandler)
{
    QWidget parent;
    parent.resize(400, 200);
    parent.show();
    auto *s = new TSevenSeg(&parent);
    s->show();
    s->Surface();
    int calls = 0;
    int cacheWidthSeen = -1;
    s->SetOnResize([&](QObject *Sender) {
        ++calls;
        EXPECT_EQ(Sender, s);
        cacheWidthSeen = s->CacheImage().width(); // the control's own handling ran first
    });
    s->SetBounds(0, 0, 316, 100);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(s->CellWidth(), 73);
    EXPECT_EQ(cacheWidthSeen, 21 * 73);
    EXPECT_EQ(s->CacheImage().height(), 84);
    ExpectCells(*s, {"8.", "8.", "8.", "8."});
}

TEST(SevenSeg, FrameAndColorScheme)
{
    TSevenSeg s;
    const int W = s.Width(), H = s.Height();
    EXPECT_EQ(PixelAt(s.Surface(), 0, 0), TColor(0x808080));
    EXPECT_EQ(PixelAt(s.Surface(), W - 1, H - 1), clWhite);
    s.SetColorScheme(csSystem);
    EXPECT_EQ(PixelAt(s.Surface(), 0, 0), ColorToRGB(clBtnShadow));
    s.SetFrameStyle(fsNone);
    EXPECT_EQ(PixelAt(s.Surface(), 0, 0), TColor(0x333333));
    EXPECT_EQ(PixelAt(s.Surface(), W - 1, H - 1), TColor(0x333333));
}

TEST(SevenSeg, Assign)
{
    TSevenSeg src, dst;
    src.SetColorText(clBlue);
    src.SetColorBackGnd(clBlack);
    src.SetNumDigits(3);
    src.SetCaption(QStringLiteral("A.5"));
    src.SetFrameStyle(fsRaised);
    src.SetColorScheme(csSystem);
    src.SetMargin(4);
    src.SetInterDigDist(6);
    dst.Surface(); // its cache is built for the old settings
    dst.Assign(&src);
    EXPECT_EQ(dst.ColorText(), clBlue);
    EXPECT_EQ(dst.ColorBackGnd(), clBlack);
    EXPECT_EQ(dst.NumDigits(), 3);
    EXPECT_EQ(dst.Caption(), "A.5");
    EXPECT_EQ(dst.FrameStyle(), fsRaised);
    EXPECT_EQ(dst.ColorScheme(), csSystem);
    EXPECT_EQ(dst.Margin(), 4);
    EXPECT_EQ(dst.InterDigDist(), 6);
    // Painted from a cache built for the new settings.
    EXPECT_EQ(dst.CellWidth(), (216 - 8) / 3 - 6);
    ExpectCells(dst, {"A.", "5", " "});
    EXPECT_GT(CountColor(dst.Surface(), clBlue, 0, 0, 216, 76), 0);
    EXPECT_EQ(CountColor(dst.Surface(), clRed, 0, 0, 216, 76), 0);

    TNumLab other;
    EXPECT_THROW(dst.Assign(&other), EKROError);
    EXPECT_EQ(dst.NumDigits(), 3);
}
