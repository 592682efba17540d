// The Qt face of the displays: properties through the meta-object, change signals, event signals
// beside the classic handlers, and the displays in an ordinary layout.
#include <krogui/displays/gradfill.h>
#include <krogui/displays/numlab.h>
#include <krogui/displays/rasterlab.h>
#include <krogui/displays/rotlab.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/graphics/colors.h>

#include <roundtrip.h>
#include <testutil.h>

#include <gtest/gtest.h>

#include <QAccessible>
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

TEST(DisplaysFaces, AStoredFormLoadsWhateverTheOrder)
{
    auto same = [](auto Make) { test::ExpectStoredStateLoads(Make, Make); };
    same([] { return std::make_unique<TNumLab>(); });
    same([] { return std::make_unique<TSevenSeg>(); });
    same([] { return std::make_unique<TRasterLab>(); });
    same([] { return std::make_unique<TGradFill>(); });
    same([] { return std::make_unique<TRotLab>(); });
    // An anchor of its own, loaded into a label that starts centred.
    TRotLab anchored, loaded;
    anchored.SetAutoCenter(false);
    anchored.SetTextPosX(11);
    anchored.SetTextPosY(12);
    test::ExpectLoadsAs(anchored, loaded);
    EXPECT_EQ(loaded.PosX(), 11);
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
    TRotLab r;
    r.SetColor(QColor(255, 0, 0)); // the background face next to the label's own setter
    EXPECT_EQ(r.Color(), TColor(clRed));
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
    {
        TSevenSeg fresh;
        EXPECT_EQ(fresh.sizeHint(), QSize(216, 76));
        EXPECT_EQ(fresh.heightForWidth(216), 76);
    }
    EXPECT_TRUE(test::FitsInLayout([](QWidget *P) { return new TSevenSeg(P); },
                                   [](QWidget *C, const QImage &Img, const QString &) {
                                       auto *s = static_cast<TSevenSeg *>(C);
                                       const double shape =
                                           double(s->height() - 2 * s->Margin()) / s->CellWidth();
                                       if (std::fabs(shape - 1.25) > 0.2)
                                           return QStringLiteral("digit shape %1 at %2 x %3")
                                               .arg(shape)
                                               .arg(s->width())
                                               .arg(s->height());
                                       // Every cell shows its lit digit.
                                       const int pitch = (s->width() - 2 * s->Margin()) / s->NumDigits();
                                       for (int i = 0; i < s->NumDigits(); ++i) {
                                           const int x = s->Margin() + i * pitch;
                                           if (CountRed(Img, x, x + pitch) < 5)
                                               return QStringLiteral("cell %1 dark").arg(i);
                                       }
                                       return QString();
                                   }));
}

TEST(DisplaysFaces, LabelsInALayoutShowWhatTheirMinimumPromises)
{
    EXPECT_TRUE(test::FitsInLayout(
        [](QWidget *P) {
            auto *n = new TNumLab(P);
            n->SetValue(8.25);
            n->SetRightText("volts");
            EXPECT_GT(n->sizeHint().width(), n->LeftSpace() + n->LabelWidth() + 20);
            return n;
        },
        [](QWidget *C, const QImage &Img, const QString &) {
            auto *n = static_cast<TNumLab *>(C);
            if (Img.height() != n->sizeHint().height()) return QStringLiteral("height %1").arg(Img.height());
            if (n->DisplayedText() != "8.25") return "shows " + n->DisplayedText();
            // The number, inside the box's frame.
            const test::Box b = DarkBounds(Img, n->LeftSpace() + 3, n->LeftSpace() + n->LabelWidth() - 3);
            if (b.R - b.L < 10 || b.T < 2 || b.B > Img.height() - 3) return QStringLiteral("number cut");
            return QString();
        }));
    EXPECT_TRUE(test::FitsInLayout([](QWidget *P) { return new TRasterLab(P); },
                                   [](QWidget *C, const QImage &Img, const QString &) {
                                       // The first character whole: its dots stop above the frame.
                                       const test::Box b =
                                           BoundsOf(Img, static_cast<TRasterLab *>(C)->ColorDotOn());
                                       if (b.L < 0) return QStringLiteral("no dots");
                                       if (b.B >= Img.height() - 1) return QStringLiteral("dots cut");
                                       return QString();
                                   }));
    EXPECT_TRUE(test::FitsInLayout(
        [](QWidget *P) {
            auto *l = new TRotLab(P);
            l->SetCaption("Pressure");
            l->SetTextAngle(30);
            l->SetTransparent(false);
            return l;
        },
        [](QWidget *, const QImage &Img, const QString &) {
            // The whole caption inside the frame, centred.
            const test::Box b = DarkBounds(Img, 2, Img.width() - 2);
            if (b.L < 0) return QStringLiteral("no caption");
            if (b.T < 2 || b.R > Img.width() - 3 || b.B > Img.height() - 3)
                return QStringLiteral("caption cut");
            if (std::fabs((b.L + b.R) / 2.0 - Img.width() / 2.0) > 3) return QStringLiteral("not centred");
            return QString();
        }));
    EXPECT_TRUE(test::FitsInLayout([](QWidget *P) { return new TGradFill(P); },
                                   [](QWidget *C, const QImage &Img, const QString &) {
                                       const TColor first = static_cast<TGradFill *>(C)->ColorFirst();
                                       return test::PixelAt(Img, Img.width() / 2, 0) == first
                                                  ? QString()
                                                  : QStringLiteral("first band missing");
                                   }));
}

TEST(DisplaysFaces, AccessibleRolesAndNames)
{
    TNumLab n;
    n.SetLeftText("U");
    n.SetRightText("V");
    n.SetValue(1.5);
    n.Repaint();
    TSevenSeg s;
    s.SetCaption("12:30");
    TRasterLab r;
    r.SetText("Ready");
    TRotLab l;
    l.SetCaption("Flow");
    TGradFill g;
    const struct
    {
        QWidget *W;
        QAccessible::Role Role;
        const char *Name;
    } expected[] = {{&n, QAccessible::StaticText, "U 1.50 V"},
                    {&s, QAccessible::StaticText, "12:30"},
                    {&r, QAccessible::StaticText, "Ready"},
                    {&l, QAccessible::StaticText, "Flow"},
                    {&g, QAccessible::Graphic, nullptr}};
    for (const auto &e : expected) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(e.W);
        ASSERT_TRUE(a) << e.W->metaObject()->className();
        EXPECT_EQ(a->role(), e.Role) << e.W->metaObject()->className();
        if (e.Name) {
            EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(e.Name));
        }
    }
}
