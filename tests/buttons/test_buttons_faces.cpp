// The Qt face of the buttons and selectors: properties through the meta-object (what a form
// stores), the change and event signals, and each control in an ordinary layout.
#include "facecheck.h"
#include "testutil.h"

#include <krogui/buttons/colsel.h>
#include <krogui/buttons/marksel.h>
#include <krogui/buttons/onoffbut.h>
#include <krogui/buttons/onofflayout.h>
#include <krogui/buttons/repsbut.h>
#include <krogui/core/ctimer.h>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using namespace kro;
using namespace kro::test;

TEST(ButtonFaces, PropertiesRoundTrip)
{
    {
        SCOPED_TRACE("TOnOffBut");
        TOnOffBut b;
        ExpectPropertiesRoundTrip(&b);
        EXPECT_EQ(b.metaObject()->userProperty().name(), QByteArray("OnOff"));
    }
    {
        SCOPED_TRACE("TMarkSel");
        TMarkSel s;
        ExpectPropertiesRoundTrip(&s);
        EXPECT_EQ(s.metaObject()->userProperty().name(), QByteArray("Selected"));
    }
    {
        SCOPED_TRACE("TColSel");
        TColSel s;
        ExpectPropertiesRoundTrip(&s);
        EXPECT_EQ(s.metaObject()->userProperty().name(), QByteArray("SelColor"));
        // A system colour chosen in the list is stored as one and comes back as one.
        s.LoadWindowsSystemPalette();
        s.SetSelColor(clBtnFace);
        const QVariant stored = s.property("SelColor");
        EXPECT_EQ(stored.value<QColor>().alpha(), 1);
        const TColor chosen = s.SelColor();
        s.SetSelColor(clRed);
        s.setProperty("SelColor", stored);
        EXPECT_EQ(s.SelColor(), chosen);
    }
    {
        SCOPED_TRACE("TSpeedButton");
        TSpeedButton b;
        ExpectPropertiesRoundTrip(&b);
        EXPECT_EQ(b.metaObject()->userProperty().name(), QByteArray("Down"));
    }
    {
        SCOPED_TRACE("TRepSpeedButton");
        TRepSpeedButton b;
        ExpectPropertiesRoundTrip(&b);
    }
}

TEST(ButtonFaces, IndexedColoursTakeQColors)
{
    TColSel s;
    s.SetArrayColor(3, QColor(0, 0, 255));
    EXPECT_EQ(s.GetArrayColor(3), clBlue);
    EXPECT_EQ(s.GetArrayQColor(3), QColor(0, 0, 255));
    EXPECT_EQ(s.GetArrayColorName(3), QStringLiteral("clBlue"));
    s.SetArrayColor(99, QColor(0, 0, 255)); // outside the entries: nothing happens
    EXPECT_EQ(s.GetArrayColor(99), TColor(0));

    TMarkSel m;
    m.SetColorMarks(Qt::red);
    EXPECT_EQ(m.ColorMarks(), clRed);
    TOnOffBut b;
    b.SetColorText(QColor(0, 0, 0, 1)); // system colour 0 in its stored form
    EXPECT_EQ(b.ColorText(), clScrollBar);
}

TEST(ButtonFaces, ColSelSignalsRunAfterTheHandlerInConnectionOrder)
{
    TColSel s;
    QStringList log;
    s.SetOnChange([&](QObject *) { log << "handler"; });
    QObject::connect(&s, &TColSel::onChange, [&](QObject *S) { log << (S == &s ? "first" : "?"); });
    QObject::connect(&s, &TColSel::onChange, [&](QObject *) { log << "second"; });
    QSignalSpy sel(&s, &TColSel::SelColorChanged);
    QTest::keyClick(&s, Qt::Key_Down); // the user picks entry 2
    EXPECT_EQ(log, QStringList({"handler", "first", "second"}));
    ASSERT_EQ(sel.count(), 1);
    EXPECT_EQ(sel.at(0).at(0).value<QColor>(), QColor(128, 0, 0));

    // SelColor is reported however it changes, and only when it does.
    s.SetSelColor(clMaroon);
    EXPECT_EQ(sel.count(), 1);
    s.SetSelColor(clNavy);
    s.SetArrayColor(s.SelColorIndex(), clTeal); // the selected entry itself changes
    s.SetArrayColor(1, clLime);                 // another entry: SelColor stays
    s.SetNumColors(16);                         // selects entry 1
    s.SetSelColor(clNone);
    ASSERT_EQ(sel.count(), 5);
    EXPECT_EQ(sel.at(2).at(0).value<QColor>(), QColor(0, 128, 128));
    EXPECT_EQ(sel.at(3).at(0).value<QColor>(), QColor(0, 255, 0));
    EXPECT_EQ(sel.at(4).at(0).value<QColor>().alpha(), 0); // clNone

    // A listener may rename colours as the handler may.
    QObject::connect(&s, &TColSel::onColorNameChange, [](QObject *, QString &Name) {
        if (Name == QLatin1String("clRed")) Name = QStringLiteral("Alarm");
    });
    s.SetArrayColor(2, clRed);
    EXPECT_EQ(s.GetArrayColorName(2), QStringLiteral("Alarm"));

    QSignalSpy drop(&s, &TColSel::onDropDown);
    s.show();
    s.showPopup();
    s.hidePopup();
    EXPECT_EQ(drop.count(), 1);
}

TEST(ButtonFaces, MarkSelSignals)
{
    TMarkSel s;
    s.resize(236, 178);
    QSignalSpy sel(&s, &TMarkSel::SelectedChanged), click(&s, &TMarkSel::onMarkClick),
        dbl(&s, &TMarkSel::onMarkDblClick), paint(&s, &TMarkSel::onPaint);
    s.SetSelected(4);
    s.SetSelected(4);
    EXPECT_EQ(sel.count(), 1);
    const QPoint p = s.Grid().Coord(9);
    Click(&s, p);
    ASSERT_EQ(click.count(), 1);
    EXPECT_EQ(click.at(0).at(3).toInt(), 9);
    EXPECT_EQ(sel.count(), 2);
    EXPECT_EQ(sel.at(1).at(0).toInt(), 9);
    Click(&s, p); // the same symbol again: clicked, but Selected stays
    EXPECT_EQ(click.count(), 2);
    EXPECT_EQ(sel.count(), 2);
    DoubleClick(&s, s.Grid().Coord(12));
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl.at(0).at(3).toInt(), 12);
    s.grab();
    EXPECT_GT(paint.count(), 0);
}

TEST(ButtonFaces, SpeedButtonsReportDownAndRepeats)
{
    QWidget window;
    window.resize(200, 100);
    auto *a = new TSpeedButton(&window);
    auto *b = new TSpeedButton(&window);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    b->move(40, 0);
    QSignalSpy downA(a, &TSpeedButton::DownChanged), downB(b, &TSpeedButton::DownChanged);
    a->SetDown(true);
    b->setProperty("Down", true); // releases a
    ASSERT_EQ(downA.count(), 2);
    EXPECT_FALSE(downA.at(1).at(0).toBool());
    b->SetGroupIndex(0); // no group: never down
    ASSERT_EQ(downB.count(), 2);
    EXPECT_FALSE(downB.at(1).at(0).toBool());

    auto *r = new TRepSpeedButton(&window);
    r->move(0, 50);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList log;
    r->SetOnRepeatClick([&](QObject *) { log << "handler"; });
    QObject::connect(r, &TRepSpeedButton::onRepeatClick,
                     [&](QObject *S) { log << (S == r ? "signal" : "?"); });
    QTest::mousePress(r, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    r->RepeatTimer()->Tick();
    r->RepeatTimer()->Tick();
    QTest::mouseRelease(r, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(log, QStringList({"handler", "signal", "handler", "signal"}));
}

TEST(ButtonLayout, EachControlShrunkAndStretched)
{
    {
        SCOPED_TRACE("TOnOffBut");
        EXPECT_TRUE(FitsInLayout(
            [](QWidget *Parent) {
                auto *b = new TOnOffBut(Parent);
                b->SetButtonStyle(oobsCheckbox);
                return b;
            },
            [](QWidget *C, const QImage &Img, const QString &) {
                // The glyph is shown whole and centred; a button keeps its height.
                auto *b = static_cast<TOnOffBut *>(C);
                const QImage glyph = b->Glyph(true, true);
                if (Img.width() < glyph.width() || Img.height() < glyph.height())
                    return QStringLiteral("glyph cut");
                if (Img.height() != b->sizeHint().height()) return QStringLiteral("height changed");
                const QPoint at = OnOffCentred(Img.width(), Img.height(), glyph.width(), glyph.height());
                if (PixelAt(Img, at.x() + 1 + glyph.width() / 2, at.y() + 1 + glyph.height() / 2) !=
                    PixelAt(glyph, glyph.width() / 2, glyph.height() / 2))
                    return QStringLiteral("glyph not at its place");
                return QString();
            }));
    }
    {
        SCOPED_TRACE("TMarkSel");
        EXPECT_TRUE(FitsInLayout(
            [](QWidget *Parent) {
                auto *s = new TMarkSel(Parent);
                s->SetColorMarks(0x123456);
                return s;
            },
            [](QWidget *C, const QImage &Img, const QString &) {
                // Every symbol has its cell inside the control, and the symbols are drawn.
                auto *s = static_cast<TMarkSel *>(C);
                if (s->Grid().PlacedCount() != NumMarkers) return QStringLiteral("symbols without a cell");
                const QPoint last = s->Grid().Coord(NumMarkers - 1);
                if (last.x() >= Img.width() || last.y() >= Img.height())
                    return QStringLiteral("last symbol outside");
                if (CountColor(Img, 0x123456, 0, 0, Img.width(), Img.height()) < NumMarkers)
                    return QStringLiteral("symbols missing");
                return QString();
            }));
    }
    {
        SCOPED_TRACE("TColSel");
        EXPECT_TRUE(FitsInLayout(
            [](QWidget *Parent) {
                auto *s = new TColSel(Parent);
                s->SetSelColor(0x00C000);
                return s;
            },
            [](QWidget *C, const QImage &Img, const QString &) {
                // The colour bar of the selected entry shows; the box keeps its height.
                auto *s = static_cast<TColSel *>(C);
                const Box bar = BoundsOf(Img, 0x00C000);
                if (bar.L < 0 || bar.R - bar.L + 1 < s->ColorBarWidth() - 4)
                    return QStringLiteral("no colour bar");
                if (Img.height() != s->sizeHint().height()) return QStringLiteral("height changed");
                return QString();
            }));
    }
    {
        SCOPED_TRACE("TSpeedButton");
        EXPECT_TRUE(FitsInLayout(
            [](QWidget *Parent) {
                auto *b = new TSpeedButton(Parent);
                b->SetCaption(QStringLiteral("Measure now"));
                return b;
            },
            [](QWidget *C, const QImage &Img, const QString &) {
                // The whole caption fits; a tool button keeps its height.
                auto *b = static_cast<TSpeedButton *>(C);
                if (Img.width() < b->fontMetrics().horizontalAdvance(b->Caption()))
                    return QStringLiteral("caption cut");
                if (Img.height() != b->sizeHint().height()) return QStringLiteral("height changed");
                return QString();
            }));
    }
}

TEST(ButtonFaces, AccessibleRolesAndNames)
{
    TMarkSel m;
    m.SetSelected(5);
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&m);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::List);
    EXPECT_EQ(a->text(QAccessible::Name), m.accessibleName());
    EXPECT_TRUE(m.accessibleName().contains(QStringLiteral("5")));

    TColSel c;
    c.SetSelColor(clRed);
    a = QAccessible::queryAccessibleInterface(&c);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::ComboBox);
    EXPECT_TRUE(a->text(QAccessible::Name).contains(QStringLiteral("clRed")));

    TSpeedButton s;
    s.SetCaption(QStringLiteral("Start"));
    a = QAccessible::queryAccessibleInterface(&s);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Start"));

    TOnOffBut o;
    o.SetGroupIndex(2);
    o.SetAllowAllOff(false);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&o)->role(), QAccessible::RadioButton);
}

TEST(ButtonFaces, OnOffButClickReachesTheCoreSignal)
{
    QWidget window;
    auto *b = new TOnOffBut(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy click(b, &TOnOffBut::onClick), state(b, &TOnOffBut::OnOffChanged);
    Click(b, QPoint(b->width() / 2, b->height() / 2)); // on the glyph
    EXPECT_EQ(click.count(), 1);
    ASSERT_EQ(state.count(), 1);
    EXPECT_FALSE(state.at(0).at(0).toBool());
    Click(b, QPoint(2, 2)); // outside the glyph: neither toggles nor clicks
    EXPECT_EQ(click.count(), 1);
}
