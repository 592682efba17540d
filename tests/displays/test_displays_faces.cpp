// The Qt face of the displays: properties through the meta-object, change signals, event signals
// beside the classic handlers, and the displays in an ordinary layout.
#include <krogui/displays/gradfill.h>
#include <krogui/displays/numlab.h>
#include <krogui/displays/rasterlab.h>
#include <krogui/displays/rotlab.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/graphics/colors.h>

#include <layoutprobe.h>
#include <roundtrip.h>
#include <testutil.h>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <cmath>

using namespace kro;
using kro::test::BoundsOf;
using kro::test::CountColor;

namespace {

// Text and scaled digits are smoothed: count by shade, not by exact colour.
int CountRed(const QImage &Img, int L, int R)
{
    int n = 0;
    for (int y = 0; y < Img.height(); ++y)
        for (int x = std::max(0, L); x < std::min(R, Img.width()); ++x) {
            const QColor c = Img.pixelColor(x, y);
            n += c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

test::Box DarkBounds(const QImage &Img, int L = 0, int R = 1 << 20)
{
    test::Box b;
    for (int y = 0; y < Img.height(); ++y)
        for (int x = std::max(0, L); x < std::min(R, Img.width()); ++x)
            if (qGray(Img.pixel(x, y)) < 80) {
                b.L = b.L < 0 ? x : std::min(b.L, x);
                b.T = b.T < 0 ? y : std::min(b.T, y);
                b.R = std::max(b.R, x);
                b.B = std::max(b.B, y);
            }
    return b;
}

} // namespace

TEST(DisplaysFaces, PropertiesRoundTripThroughTheMetaObject)
{
    test::ExpectPropertiesRoundTrip([] { return std::make_unique<TNumLab>(); });
    test::ExpectPropertiesRoundTrip([] { return std::make_unique<TSevenSeg>(); });
    test::ExpectPropertiesRoundTrip([] { return std::make_unique<TRasterLab>(); });
    test::ExpectPropertiesRoundTrip([] {
        auto r = std::make_unique<TRotLab>();
        r->SetAutoCenter(false); // while centred the anchor follows the control, not PosX/PosY
        return r;
    });
    test::ExpectPropertiesRoundTrip([] { return std::make_unique<TGradFill>(); });
}

TEST(DisplaysFaces, ColourFacesPaintAsTheirTColors)
{
    TSevenSeg s;
    s.setProperty("ColorBackGnd", QColor(0, 0, 128));
    EXPECT_EQ(s.ColorBackGnd(), TColor(clNavy));
    EXPECT_EQ(test::PixelAt(s.Surface(), 4, 4), TColor(clNavy));

    TGradFill g;
    g.SetColorFirst(Qt::blue);
    g.SetColorFlipped(true);
    EXPECT_EQ(g.property("ColorLast").value<QColor>(), QColor(0, 0, 255));

    TNumLab n;
    n.setProperty("ColorLabBakG", ToStoredColor(clWindow)); // a system colour stays one
    EXPECT_EQ(n.ColorLabBakG(), TColor(clWindow));
}

TEST(DisplaysFaces, ValuePropertiesNotifyOnlyRealChanges)
{
    TNumLab n;
    EXPECT_STREQ(n.metaObject()->userProperty().name(), "Value");
    QSignalSpy values(&n, &TNumLab::ValueChanged);
    n.SetValue(2.5);
    n.SetValue(2.5);
    n.SetValue(std::nan(""));
    n.SetValue(std::nan(""));
    ASSERT_EQ(values.count(), 2);
    EXPECT_EQ(values.at(0).at(0).toDouble(), 2.5);
    TNumLab copy;
    copy.SetValue(7);
    QSignalSpy copied(&n, &TNumLab::ValueChanged);
    n.Assign(&copy);
    ASSERT_EQ(copied.count(), 1);
    EXPECT_EQ(copied.at(0).at(0).toDouble(), 7.0);

    TSevenSeg s;
    EXPECT_STREQ(s.metaObject()->userProperty().name(), "Caption");
    QSignalSpy captions(&s, &TSevenSeg::CaptionChanged);
    s.SetCaption("12:30");
    s.SetCaption("12:30");
    EXPECT_EQ(captions.count(), 1);

    TRasterLab r;
    EXPECT_STREQ(r.metaObject()->userProperty().name(), "Text");
    QSignalSpy texts(&r, &TRasterLab::TextChanged);
    r.SetText("Hello");
    r.SetText("Hello");
    TRasterLab other;
    other.SetText("World");
    r.Assign(&other);
    ASSERT_EQ(texts.count(), 2);
    EXPECT_EQ(texts.at(1).at(0).toString(), "World");

    TRotLab l;
    EXPECT_STREQ(l.metaObject()->userProperty().name(), "Caption");
    QSignalSpy rot(&l, &TRotLab::CaptionChanged);
    l.SetCaption("up");
    l.SetCaption("up");
    EXPECT_EQ(rot.count(), 1);
}

TEST(DisplaysFaces, BeforeDisplaySlotsRunAfterTheHandlerInOrderAndMayRewrite)
{
    TNumLab n;
    n.SetValue(1.5);
    QStringList calls;
    n.SetOnBeforeDisplay([&](QObject *, QString &Text) {
        calls << "handler:" + Text;
        Text += "V";
    });
    QObject::connect(&n, &TNumLab::onBeforeDisplay, [&](QObject *Sender, QString &Text) {
        EXPECT_EQ(Sender, &n);
        calls << "first:" + Text;
        Text.prepend("~");
    });
    QObject::connect(&n, &TNumLab::onBeforeDisplay,
                     [&](QObject *, QString &Text) { calls << "second:" + Text; });
    n.Repaint();
    EXPECT_EQ(calls, (QStringList{"handler:1.50", "first:1.50V", "second:~1.50V"}));
    EXPECT_EQ(n.DisplayedText(), "~1.50V");

    calls.clear();
    n.SetEmpty(true); // no number, no event, no signal
    EXPECT_TRUE(calls.isEmpty());
}

TEST(DisplaysFaces, EventSignalsFireWithoutHandlers)
{
    TRasterLab lab;
    QSignalSpy ticks(&lab, &TRasterLab::onScrollTimer), restarts(&lab, &TRasterLab::onScrollLoopRestart);
    lab.SetScrollIncrement(200);
    lab.SetScrollMode(rdsmRight);
    lab.ScrollTimer()->Tick();
    EXPECT_EQ(ticks.count(), 1);
    EXPECT_EQ(restarts.count(), 0);
    for (int i = 0; i < 2; ++i)
        lab.ScrollTimer()->Tick(); // beyond the right edge: back at the left
    EXPECT_EQ(ticks.count(), 3);
    EXPECT_EQ(restarts.count(), 1);

    // A slot may draw on top of the gradient as a handler may.
    TGradFill g;
    int painted = 0;
    QObject::connect(&g, &TGradFill::onPaint, [&](QObject *Sender) {
        EXPECT_EQ(Sender, &g);
        ++painted;
        g.Canvas()->SetPixel(5, 5, clWhite);
    });
    EXPECT_EQ(test::PixelAt(g.Surface(), 5, 5), TColor(clWhite));
    EXPECT_EQ(painted, 1);
}

TEST(DisplaysFaces, SevenSegKeepsItsDigitShapeInALayout)
{
    auto *s = new TSevenSeg;
    EXPECT_EQ(s->sizeHint(), QSize(216, 76));
    EXPECT_EQ(s->heightForWidth(216), 76);
    test::TLayoutProbe probe(s);
    for (const bool stretched : {false, true}) {
        SCOPED_TRACE(stretched ? "stretched" : "shrunk");
        const QImage img = stretched ? probe.ShootStretched(3) : probe.ShootAtMinimum();
        const double shape = double(s->height() - 2 * s->Margin()) / s->CellWidth();
        EXPECT_NEAR(shape, 1.25, 0.2) << s->width() << " x " << s->height();
        // Every cell shows its lit digit.
        const int pitch = (s->width() - 2 * s->Margin()) / s->NumDigits();
        for (int i = 0; i < s->NumDigits(); ++i) {
            const int x = s->Margin() + i * pitch;
            EXPECT_GT(CountRed(img, x, x + pitch), 5) << "cell " << i;
        }
    }
}

TEST(DisplaysFaces, LabelsInALayoutShowWhatTheirMinimumPromises)
{
    {
        auto *n = new TNumLab;
        n->SetValue(8.25);
        n->SetRightText("volts");
        test::TLayoutProbe probe(n);
        EXPECT_GT(n->sizeHint().width(), n->LeftSpace() + n->LabelWidth() + 20);
        for (const bool stretched : {false, true}) {
            SCOPED_TRACE(stretched ? "numlab stretched" : "numlab shrunk");
            const QImage img = stretched ? probe.ShootStretched(3) : probe.ShootAtMinimum();
            EXPECT_EQ(img.height(), n->sizeHint().height());
            EXPECT_EQ(n->DisplayedText(), "8.25"); // no overflow indicator
            const int l = n->LeftSpace(), r = l + n->LabelWidth();
            const test::Box b = DarkBounds(img, l + 3, r - 3);
            EXPECT_GT(b.R - b.L, 10); // the number, inside the box's frame
            EXPECT_GE(b.T, 2);
            EXPECT_LE(b.B, img.height() - 3);
        }
    }
    {
        auto *r = new TRasterLab;
        test::TLayoutProbe probe(r);
        for (const bool stretched : {false, true}) {
            SCOPED_TRACE(stretched ? "rasterlab stretched" : "rasterlab shrunk");
            const QImage img = stretched ? probe.ShootStretched(3) : probe.ShootAtMinimum();
            // The first character whole: its dots do not reach the bottom frame line.
            const test::Box b = BoundsOf(img, r->ColorDotOn());
            ASSERT_GE(b.L, 0);
            EXPECT_LT(b.B, img.height() - 1);
        }
    }
    {
        auto *l = new TRotLab;
        l->SetCaption("Pressure");
        l->SetTextAngle(30);
        l->SetTransparent(false);
        test::TLayoutProbe probe(l);
        for (const bool stretched : {false, true}) {
            SCOPED_TRACE(stretched ? "rotlab stretched" : "rotlab shrunk");
            const QImage img = stretched ? probe.ShootStretched(3) : probe.ShootAtMinimum();
            // The whole caption inside the frame, centred.
            const test::Box b = DarkBounds(img, 2, img.width() - 2);
            ASSERT_GE(b.L, 0);
            EXPECT_GE(b.L, 2);
            EXPECT_GE(b.T, 2);
            EXPECT_LE(b.R, img.width() - 3);
            EXPECT_LE(b.B, img.height() - 3);
            EXPECT_NEAR((b.L + b.R) / 2.0, img.width() / 2.0, 3);
        }
    }
    {
        auto *g = new TGradFill;
        test::TLayoutProbe probe(g);
        for (const bool stretched : {false, true}) {
            SCOPED_TRACE(stretched ? "gradfill stretched" : "gradfill shrunk");
            const QImage img = stretched ? probe.ShootStretched(3) : probe.ShootAtMinimum();
            EXPECT_EQ(test::PixelAt(img, img.width() / 2, 0), g->ColorFirst());
        }
    }
}
