// TProgBar: the drawn bar for every direction and mapping, frames, grid, text placement, the
// automatic increment driven tick by tick, bad input, assignment and the accessible value.
#include <krogui/core/kromath.h>
#include <krogui/gauges/progbar.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QFile>
#include <QMetaProperty>
#include <QTemporaryDir>

#include <climits>
#include <cmath>
#include <limits>
#include <thread>

using namespace kro;
using kro::test::BoundsOf;
using kro::test::Box;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A bar without frames and text, white inside and yellow around, so the filled pixels stand alone.
struct Plain : TProgBar
{
    Plain()
    {
        SetFrameStyleOuter(fsNone);
        SetFrameStyleInner(fsNone);
        SetTextVisible(false);
        SetColorBackGnd(clWhite);
        SetColorMargin(clYellow);
    }
};

bool SameBox(const Box &B, int L, int T, int R, int Bt)
{
    return B.L == L && B.T == T && B.R == R && B.B == Bt;
}

// The bounding box of the black ink, relative to (X, Y); also returns the box's centre doubled.
struct Ink
{
    Box B;
    int CX2 = 0, CY2 = 0;
};
Ink InkAround(TProgBar &Bar)
{
    Ink k;
    k.B = BoundsOf(Bar.Surface(), clBlack);
    EXPECT_GE(k.B.L, 0) << "no text drawn";
    k.CX2 = k.B.L + k.B.R;
    k.CY2 = k.B.T + k.B.B;
    return k;
}

} // namespace

TEST(ProgBar, DefaultsFillTwentyNinePixelsBehindTheFrames)
{
    TProgBar b;
    EXPECT_EQ(b.sizeHint(), QSize(300, 28));
    EXPECT_EQ(b.Value(), 10);
    EXPECT_EQ(b.ColorMin(), 0xFF0000u);
    EXPECT_EQ(b.ColorMax(), 0x0000FFu);
    EXPECT_EQ(b.ValueText(), QStringLiteral("10"));
    const QImage &img = b.Surface();
    // Round(292 * 0.1) = 29 columns from the left margin: x 4..32, partly under the inner frame.
    EXPECT_EQ(PixelAt(img, 30, 20), clBlue);
    EXPECT_EQ(PixelAt(img, 32, 20), clBlue);
    EXPECT_EQ(PixelAt(img, 33, 20), clSilver);
    // Inner frame (lowered) around (4, 4, 296, 24) and outer frame (raised) around the control.
    EXPECT_EQ(PixelAt(img, 5, 10), clBlack) << "inner dark line";
    EXPECT_EQ(PixelAt(img, 4, 10), clGray);
    EXPECT_EQ(PixelAt(img, 100, 23), clWhite);
    EXPECT_EQ(PixelAt(img, 295, 10), clWhite);
    EXPECT_EQ(PixelAt(img, 4, 23), clSilver) << "corner pixels take the margin colour";
    EXPECT_EQ(PixelAt(img, 295, 4), clSilver);
    EXPECT_EQ(PixelAt(img, 1, 10), clWhite) << "outer light line";
    EXPECT_EQ(PixelAt(img, 100, 27), clBlack);
    EXPECT_EQ(PixelAt(img, 0, 10), clGray);
    EXPECT_EQ(PixelAt(img, 0, 27), clSilver);
    // The other frame styles by their defining pixels.
    b.SetFrameStyleOuter(fsSimple);
    EXPECT_EQ(PixelAt(b.Surface(), 299, 27), clGray);
    b.SetFrameStyleOuter(fsEmbossed);
    EXPECT_EQ(PixelAt(b.Surface(), 0, 10), clWhite);
    EXPECT_EQ(PixelAt(b.Surface(), 299, 10), clGray);
    EXPECT_EQ(PixelAt(b.Surface(), 299, 0), clSilver);
    b.SetFrameStyleOuter(fsEngraved);
    EXPECT_EQ(PixelAt(b.Surface(), 0, 10), clGray);
    EXPECT_EQ(PixelAt(b.Surface(), 299, 10), clWhite);
    b.SetColorScheme(csSystem);
    EXPECT_EQ(PixelAt(b.Surface(), 0, 10), ColorToRGB(clBtnShadow));
    // Every paint starts afresh: a shorter bar after a longer one leaves only background.
    b.SetShowColorGradient(true);
    b.SetValue(50);
    b.SetValue(5);
    EXPECT_EQ(PixelAt(b.Surface(), 40, 20), clSilver);
}

TEST(ProgBar, EachDirectionFillsFromItsOwnEnd)
{
    Plain b;
    b.SetValue(25); // 73 of 292 columns, 5 of 20 rows
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clBlue), 4, 4, 76, 23));
    b.SetDirection(dirLeft);
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clBlue), 223, 4, 295, 23));
    b.SetDirection(dirUp);
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clBlue), 4, 19, 295, 23));
    b.SetDirection(dirDown);
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clBlue), 4, 4, 295, 8));
    // Values outside the range draw an empty or a full bar, never into the margins.
    b.SetValue(-50);
    EXPECT_EQ(CountColor(b.Surface(), clBlue, 0, 0, 300, 28), 0);
    b.SetValue(1e6);
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clBlue), 4, 4, 295, 23));
    EXPECT_EQ(CountColor(b.Surface(), clYellow, 0, 0, 300, 28), 300 * 28 - 292 * 20);
    // A reversed range fills from the other end of the scale.
    b.SetDirection(dirRight);
    b.SetMin(100);
    b.SetMax(0);
    b.SetValue(75);
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clBlue), 4, 4, 76, 23));
}

TEST(ProgBar, ColourMappingsOnTheSurface)
{
    Plain b;
    b.SetShowColorGradient(true);
    b.SetColorMapMode(cgmMove);
    for (double v : {3.0, 25.0, 80.0}) {
        b.SetValue(v);
        const Box blue = BoundsOf(b.Surface(), clBlue);
        const Box red = BoundsOf(b.Surface(), clRed);
        EXPECT_EQ(red.L, red.R) << "one line in ColorMax";
        EXPECT_EQ(red.L, 4 + Round(292 * v / 100) - 1) << "at the moving end, value " << v;
        EXPECT_TRUE(v > 99 || blue.L < 0 || blue.L > 4) << "the start is uncovered";
    }
    b.SetColorMapMode(cgmStretch);
    b.SetValue(25);
    EXPECT_EQ(PixelAt(b.Surface(), 4, 10), clBlue) << "first line in ColorMin";
    EXPECT_EQ(PixelAt(b.Surface(), 76, 10), b.GetBarColorElem(Round(1023.0 * 72 / 73)));
    b.SetColorMapMode(cgmCover);
    const TColor at40 = PixelAt(b.Surface(), 40, 10);
    b.SetValue(90);
    EXPECT_EQ(PixelAt(b.Surface(), 40, 10), at40) << "a position keeps its colour";
    EXPECT_EQ(at40, b.GetBarColorElem(Round(1023.0 * 36 / 292)));
    // Vertical: the moving end is the top row.
    b.SetDirection(dirUp);
    b.SetColorMapMode(cgmMove);
    b.SetValue(50);
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clRed), 4, 14, 295, 14));
    // Without the gradient the whole bar is ColorMin, whatever the table holds.
    b.SetBarColors({clLime, clAqua});
    b.SetShowColorGradient(false);
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clLime), 4, 14, 295, 23));
}

TEST(ProgBar, ColourTableEndsRefillTheMiddle)
{
    TProgBar b;
    b.SetColorMin(clBlack);
    b.SetColorMax(clWhite);
    EXPECT_EQ(b.GetBarColorElem(0), clBlack);
    EXPECT_EQ(b.GetBarColorElem(1023), clWhite);
    EXPECT_EQ(b.GetBarColorElem(512), BlendColor(clBlack, clWhite, 512.0 / 1023));
    // A system colour keeps its name at the end and blends by its real colour in between.
    b.SetColorMin(clBtnFace);
    EXPECT_EQ(b.ColorMin(), clBtnFace);
    EXPECT_EQ(b.GetBarColorElem(1), BlendColor(ColorToRGB(clBtnFace), clWhite, 1.0 / 1023));
    // Single entries: written without a repaint, out-of-range indices ignored.
    int shown = 0;
    b.SetOnShowValue([&](QObject *, QString &) { ++shown; });
    b.SetBarColorElem(7, clLime);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(b.GetBarColorElem(7), clLime);
    b.SetBarColorElem(-1, clLime);
    b.SetBarColorElem(1024, clLime);
    EXPECT_EQ(b.GetBarColorElem(-1), clBlack);
    EXPECT_EQ(b.GetBarColorElem(INT_MAX), clBlack);
    // A list of colours of any length: empty changes nothing.
    const TBarColorArray before = b.BarColors();
    b.SetBarColors({});
    EXPECT_EQ(b.BarColors(), before);
    b.SetBarColors(std::vector<TColor>(5000, clNavy));
    EXPECT_EQ(b.GetBarColorElem(1023), clNavy);
}

TEST(ProgBar, GridLinesUpToTheMovingEnd)
{
    Plain b;
    b.SetColorGrid(clBlack);
    b.SetGridDist(10);
    b.SetValue(25); // filled x 4..76
    const QImage &img = b.Surface();
    for (int x = 4; x <= 74; x += 10)
        EXPECT_EQ(PixelAt(img, x, 10), clBlack) << x;
    EXPECT_EQ(PixelAt(img, 84, 10), clWhite);
    EXPECT_EQ(BoundsOf(img, clBlack).T, 4);
    EXPECT_EQ(BoundsOf(img, clBlack).B, 23);
    b.SetDirection(dirUp);
    b.SetGridDist(3);
    b.SetValue(50); // filled y 14..23
    EXPECT_TRUE(SameBox(BoundsOf(b.Surface(), clBlack), 4, 14, 295, 23));
    EXPECT_EQ(PixelAt(b.Surface(), 100, 17), clBlack);
    EXPECT_EQ(PixelAt(b.Surface(), 100, 16), clBlue);
    b.SetGridDist(1);
    EXPECT_EQ(CountColor(b.Surface(), clBlack, 0, 0, 300, 28), 0);
}

TEST(ProgBar, TextSitsOnItsAnchorForEachAlignmentAndAngle)
{
    Plain b;
    b.SetBounds(0, 0, 300, 80);
    b.SetValue(1000);
    b.Font()->SetColor(clBlack);
    b.Font()->SetSize(12);
    b.SetTextVisible(true);
    b.SetTextPosX(150);
    b.SetTextPosY(40);
    // Centred: the ink is centred on the anchor (glyph bearings allow a few pixels).
    Ink k = InkAround(b);
    EXPECT_NEAR(k.CX2, 300, 4);
    EXPECT_NEAR(k.CY2, 80, 6);
    b.SetTextAlignment(taLeftJustify);
    k = InkAround(b);
    EXPECT_GE(k.B.L, 150);
    EXPECT_LE(k.B.L, 153);
    b.SetTextAlignment(taRightJustify);
    k = InkAround(b);
    EXPECT_LE(k.B.R, 150);
    EXPECT_GE(k.B.R, 145);
    // Upright text: the anchor is the centre of its middle line, which now runs upwards.
    b.SetTextAlignment(taCenter);
    b.SetTextAngle(90);
    k = InkAround(b);
    EXPECT_GT(k.B.B - k.B.T, k.B.R - k.B.L);
    EXPECT_NEAR(k.CX2, 300, 6);
    EXPECT_NEAR(k.CY2, 80, 4);
    // OnShowValue sees the value text and may replace it; an empty text draws nothing.
    QString seen;
    b.SetOnShowValue([&](QObject *Sender, QString &T) {
        EXPECT_EQ(Sender, &b);
        seen = T;
        T.clear();
    });
    b.Repaint();
    EXPECT_EQ(seen, QStringLiteral("1000"));
    EXPECT_EQ(CountColor(b.Surface(), clBlack, 0, 0, 300, 80), 0);
    b.SetTextDecPlaces(-1);
    b.SetValue(2e150);
    EXPECT_EQ(seen, QStringLiteral("*********"));
}

TEST(ProgBar, SettersClampAndIgnoreBadValues)
{
    TProgBar b;
    b.SetRange(100, 0);
    EXPECT_EQ(b.Min(), 0);
    EXPECT_EQ(b.Max(), 100);
    b.SetTextPosX(5000);
    EXPECT_EQ(b.TextPosX(), 300);
    b.SetTextPosY(-3);
    EXPECT_EQ(b.TextPosY(), 0);
    b.SetTextAngle(-5);
    EXPECT_EQ(b.TextAngle(), 0);
    b.SetTextAngle(1000);
    EXPECT_EQ(b.TextAngle(), 360);
    b.SetTextDecPlaces(50);
    EXPECT_EQ(b.TextDecPlaces(), 10);
    b.SetTextDecPlaces(-9);
    EXPECT_EQ(b.TextDecPlaces(), -2);
    b.SetMarginLeft(INT_MAX);
    EXPECT_EQ(b.MarginLeft(), 10000);
    b.SetMarginTop(-4);
    EXPECT_EQ(b.MarginTop(), 0);
    b.SetAutoIncStep(0);
    EXPECT_EQ(b.AutoIncStep(), 1.0) << "0 keeps the previous step";
    b.SetAutoIncStep(kNaN);
    b.SetAutoIncStep(kInf);
    EXPECT_EQ(b.AutoIncStep(), 1.0);
    b.SetStartInterval(3);
    EXPECT_EQ(b.StartInterval(), 10);
    b.SetRepeatInterval(INT_MIN);
    EXPECT_EQ(b.RepeatInterval(), 10);

    // NaN and infinite ends are refused and keep what was held; an infinite value is kept.
    b.SetValue(kNaN);
    b.SetMin(kNaN);
    b.SetMax(-kInf);
    b.SetRange(kNaN, 5);
    b.SetRange(1, kInf);
    EXPECT_EQ(b.Value(), 10);
    EXPECT_EQ(b.Min(), 0);
    EXPECT_EQ(b.Max(), 100);
    b.SetValue(kInf);
    EXPECT_EQ(b.ValueText(), QStringLiteral("INF"));
    (void)b.Surface();
}

TEST(ProgBar, EmptyRangesAndTinyControlsPaintWithoutFault)
{
    Plain b;
    b.SetRange(50, 50);
    b.SetValue(50);
    EXPECT_EQ(CountColor(b.Surface(), clBlue, 0, 0, 300, 28), 0) << "Min = Max: empty bar";
    b.SetValue(80);
    EXPECT_EQ(CountColor(b.Surface(), clBlue, 0, 0, 300, 28), 0);
    b.SetShowColorGradient(true);
    b.SetGridDist(2);
    b.SetTextVisible(true);
    b.SetFrameStyleInner(fsRaised);
    b.SetFrameStyleOuter(fsEngraved);
    b.SetRange(0, 100);
    for (TDirection dir : {dirUp, dirDown, dirLeft, dirRight}) {
        b.SetDirection(dir);
        for (QSize s : {QSize(0, 0), QSize(1, 1), QSize(3, 40), QSize(9, 9), QSize(40, 3)}) {
            b.SetBounds(0, 0, s.width(), s.height());
            const QImage &img = b.Surface();
            if (!s.isEmpty()) {
                EXPECT_EQ(img.size(), s);
            }
        }
    }
    // Huge margins leave no bar area at all.
    b.SetBounds(0, 0, 300, 28);
    b.SetFrameStyleInner(fsNone);
    b.SetFrameStyleOuter(fsNone);
    b.SetTextVisible(false);
    EXPECT_GT(CountColor(b.Surface(), clWhite, 0, 0, 300, 28), 0);
    b.SetMarginLeft(10000);
    EXPECT_EQ(CountColor(b.Surface(), clWhite, 0, 0, 300, 28), 0);
}

TEST(ProgBar, AutoIncrementStepsAndStopsAtTheEndOfTheRange)
{
    TProgBar b;
    int ticks = 0;
    double seenValue = 0;
    bool seenOn = true;
    b.SetOnAutoInc([&](QObject *Sender) {
        EXPECT_EQ(Sender, &b);
        ++ticks;
        seenValue = b.Value();
        seenOn = b.AutoInc();
    });
    int changes = 0;
    QObject::connect(&b, &TProgBar::ValueChanged, [&](double) { ++changes; });
    EXPECT_FALSE(b.TimerActive());
    b.SetAutoInc(true);
    EXPECT_TRUE(b.TimerActive());
    EXPECT_TRUE(b.TimerAtStart());
    b.DoTimer(); // the first tick switches to the repeat interval
    EXPECT_FALSE(b.TimerAtStart());
    EXPECT_TRUE(b.TimerActive());
    EXPECT_EQ(b.Value(), 11);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(seenValue, 11) << "OnAutoInc after the new value";
    b.SetStartInterval(500); // restarts the wait
    EXPECT_TRUE(b.TimerAtStart());
    b.SetRepeatInterval(100);
    EXPECT_FALSE(b.TimerAtStart());

    // The last step lands exactly on Max and switches the increment off.
    b.SetAutoIncStep(4);
    b.SetValue(98);
    b.DoTimer();
    EXPECT_EQ(b.Value(), 100);
    EXPECT_FALSE(b.AutoInc());
    EXPECT_FALSE(b.TimerActive());
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(seenOn) << "the handler may start it again";
    // Already at (or past) the end: nothing moves and no event fires.
    b.SetValue(130);
    b.SetAutoInc(true);
    b.DoTimer();
    EXPECT_EQ(b.Value(), 130);
    EXPECT_FALSE(b.AutoInc());
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(changes, 4) << "two ticks and two SetValue calls";

    // A negative step runs down to Min.
    b.SetAutoIncStep(-30);
    b.SetValue(50);
    b.SetAutoInc(true);
    b.DoTimer();
    EXPECT_EQ(b.Value(), 20);
    EXPECT_TRUE(b.AutoInc());
    b.DoTimer();
    EXPECT_EQ(b.Value(), 0);
    EXPECT_FALSE(b.AutoInc());

    // Switching off kills the timer; assigning OnAutoInc while on switches to the repeat interval.
    b.SetAutoIncStep(1);
    b.SetAutoInc(true);
    b.SetOnAutoInc({});
    EXPECT_FALSE(b.TimerAtStart());
    EXPECT_TRUE(b.TimerActive());
    b.SetAutoInc(false);
    EXPECT_FALSE(b.TimerActive());

    // The timer never runs in a designer.
    TProgBar des;
    des.SetDesigning(true);
    des.SetAutoInc(true);
    EXPECT_TRUE(des.AutoInc());
    EXPECT_FALSE(des.TimerActive());
    des.SetDesigning(false);
    EXPECT_TRUE(des.TimerActive());
}

TEST(ProgBar, NoTimerRaisesAndLeavesTheIncrementOff)
{
    // A thread without an event loop has no timer to give.
    TProgBar b;
    b.SetName(QStringLiteral("Bar1"));
    QString message;
    std::thread([&] {
        try {
            b.SetAutoInc(true);
        } catch (const EKROProgBar &E) {
            message = E.Message();
        }
    }).join();
    EXPECT_EQ(message, QStringLiteral("Component \"Bar1\": no timer available"));
    EXPECT_FALSE(b.AutoInc());
    EXPECT_FALSE(b.TimerActive());
}

TEST(ProgBar, AssignCopiesBarsAndRefusesOtherKinds)
{
    TProgBar a;
    a.SetRange(-5, 5);
    a.SetValue(2);
    a.SetDirection(dirDown);
    a.SetBarColors({clLime, clNavy});
    a.SetTextAngle(45);
    a.SetMarginTop(7);
    a.SetAutoIncStep(3);
    a.SetOnShowValue([](QObject *, QString &T) { T = QStringLiteral("x"); });
    TProgBar b;
    b.Assign(&a);
    EXPECT_EQ(b.Value(), 2);
    EXPECT_EQ(b.Min(), -5);
    EXPECT_EQ(b.Direction(), dirDown);
    EXPECT_EQ(b.BarColors(), a.BarColors());
    EXPECT_EQ(b.TextAngle(), 45);
    EXPECT_EQ(b.MarginTop(), 7);
    EXPECT_TRUE(bool(b.OnShowValue()));
    EXPECT_EQ(b.AutoIncStep(), 1.0) << "timer settings stay";
    a.Repaint(); // its OnShowValue came after its last paint
    EXPECT_EQ(b.Surface(), a.Surface());

    // Another kind of control neither takes a bar nor gives one; nothing changes.
    TGraphicControl other;
    EXPECT_THROW(other.Assign(&a), EKROError);
    EXPECT_THROW(b.Assign(&other), EKROError);
    EXPECT_EQ(b.Value(), 2);
}

TEST(ProgBar, BackgroundPictureLoadsOrKeepsWhatItHad)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("bg.png"));
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(QColor(0, 128, 0));
    ASSERT_TRUE(pic.save(good));
    const QString junk = dir.filePath(QStringLiteral("junk.png"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();

    Plain b;
    b.SetBackGroundImg(good);
    EXPECT_EQ(b.BackGroundImg(), good);
    EXPECT_EQ(PixelAt(b.Surface(), 200, 10), clGreen);
    EXPECT_EQ(PixelAt(b.Surface(), 10, 10), clBlue) << "the bar is drawn over the picture";
    b.SetBackGroundImg(junk);
    b.SetBackGroundImg(dir.filePath(QStringLiteral("missing.png")));
    EXPECT_EQ(b.BackGroundImg(), good);
    EXPECT_EQ(PixelAt(b.Surface(), 200, 10), clGreen);
    b.SetBackGroundImg(QString());
    EXPECT_TRUE(b.BackGroundImg().isEmpty());
    EXPECT_EQ(PixelAt(b.Surface(), 200, 10), clWhite);
}

TEST(ProgBar, AccessibleValueFollowsTheBar)
{
    TProgBar b;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&b);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
    QAccessibleValueInterface *v = iface->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->currentValue().toDouble(), 10);
    EXPECT_EQ(v->minimumValue().toDouble(), 0);
    EXPECT_EQ(v->maximumValue().toDouble(), 100);
    b.SetValue(42.25);
    b.SetRange(200, -1);
    EXPECT_EQ(v->currentValue().toDouble(), 42.25);
    EXPECT_EQ(v->minimumValue().toDouble(), -1);
    EXPECT_EQ(v->maximumValue().toDouble(), 200);
    v->setCurrentValue(7.0);
    EXPECT_EQ(b.Value(), 42.25) << "read-only";
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("42"));
    EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(b.accessibleDescription().startsWith(QStringLiteral("42")));
}

TEST(ProgBar, PublishedPropertiesWorkByName)
{
    // What a form loader does: every property written and read through the meta-object.
    TProgBar b;
    EXPECT_TRUE(b.setProperty("ColorMapMode", QStringLiteral("cgmMove")));
    EXPECT_EQ(b.ColorMapMode(), cgmMove);
    EXPECT_TRUE(b.setProperty("Direction", QStringLiteral("dirUp")));
    EXPECT_EQ(b.Direction(), dirUp);
    EXPECT_TRUE(b.setProperty("Value", 33.5));
    EXPECT_EQ(b.Value(), 33.5);
    EXPECT_TRUE(b.setProperty("ColorMax", QColor(0, 255, 0)));
    EXPECT_EQ(b.ColorMax(), clLime);
    EXPECT_TRUE(b.setProperty("TextAngle", 999));
    EXPECT_EQ(b.property("TextAngle").toInt(), 360);
    const QMetaObject *mo = b.metaObject();
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        EXPECT_TRUE(p.isWritable()) << p.name();
        EXPECT_TRUE(p.read(&b).isValid()) << p.name();
    }
    EXPECT_EQ(mo->userProperty().name(), QByteArray("Value"));
}
