// The Qt face of the numeric fields: properties through the meta-object, change signals, event
// signals beside the classic handlers, and the fields in an ordinary layout.
#include "numio_testutil.h"

#include <krogui/graphics/colors.h>
#include <krogui/numio/numio.h>
#include <krogui/numio/numio2.h>

#include <roundtrip.h>
#include <testutil.h>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace kro;

namespace {

class NumIOFacesTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

} // namespace

TEST_F(NumIOFacesTest, PropertiesRoundTripThroughTheMetaObject)
{
    test::ExpectPropertiesRoundTrip([] {
        auto n = std::make_unique<TNumIO>();
        n->SetRangeLow(-1000); // a field made in code takes no digit before it has a range
        n->SetRangeHigh(1000);
        return n;
    });
    test::ExpectPropertiesRoundTrip([] { return std::make_unique<TNumIO2>(); });
}

TEST_F(NumIOFacesTest, AStoredFormLoadsWhateverTheOrder)
{
    auto field = [] { return std::make_unique<TNumIO>(); };
    test::ExpectStoredStateLoads(
        [] {
            auto n = std::make_unique<TNumIO>();
            n->SetRangeLow(5); // a range that does not hold 0..0 of a new field
            n->SetRangeHigh(100);
            return n;
        },
        field);
    // AutoSize fits the height to the font at the next paint, whatever height was stored.
    test::ExpectStoredStateLoads([] { return std::make_unique<TNumIO2>(); },
                                 [] { return std::make_unique<TNumIO2>(); }, {"AutoSize"});
}

TEST_F(NumIOFacesTest, NumIOValueIsTheUserPropertyAndNotifiesOnlyRealChanges)
{
    TNumIO f;
    EXPECT_STREQ(f.metaObject()->userProperty().name(), "Value");
    f.SetRangeLow(-10);
    f.SetRangeHigh(10);
    QSignalSpy values(&f, &TNumIO::ValueChanged), texts(&f, &TNumIO::TextChanged);
    f.setFocus();
    QTest::keyClicks(&f, "5");
    ASSERT_EQ(values.count(), 1);
    EXPECT_EQ(values.at(0).at(0).toDouble(), 5.0);
    QTest::keyClicks(&f, "0"); // "50" is refused: the field shows "5" again, nothing is reported
    EXPECT_EQ(f.Text(), "5");
    EXPECT_EQ(values.count(), 1);
    EXPECT_EQ(texts.count(), 1);

    f.SetValue(5); // what it holds: no signal
    EXPECT_EQ(values.count(), 1);
    f.SetValue(-2.5);
    ASSERT_EQ(values.count(), 2);
    EXPECT_EQ(values.at(1).at(0).toDouble(), -2.5);

    // A new format reads the same text as another value.
    f.SetInputFormat(itInt);
    f.SetText("8");
    const int before = values.count();
    f.SetInputFormat(itHex);
    f.SetText("10"); // 16 in hexadecimal: outside the range, refused
    EXPECT_EQ(values.count(), before);
    f.SetRangeHigh(100);
    f.SetText("10");
    ASSERT_EQ(values.count(), before + 1);
    EXPECT_EQ(values.last().at(0).toDouble(), 16.0);
}

TEST_F(NumIOFacesTest, NumIO2ValueNotifiesFromEveryPath)
{
    QWidget window;
    window.resize(300, 80);
    auto *n = new TNumIO2(&window);
    n->SetBounds(0, 0, 160, 44);
    window.show();
    EXPECT_STREQ(n->metaObject()->userProperty().name(), "Value");
    QSignalSpy values(n, &TNumIO2::ValueChanged), texts(n, &TNumIO2::TextChanged);

    n->SetValue(12);
    n->SetValue(12);
    EXPECT_EQ(values.count(), 1);
    n->SetDecSep(dsComma); // the text changes, the value does not
    EXPECT_EQ(texts.count(), 2);
    EXPECT_EQ(values.count(), 1);
    n->SetDecSep(dsBoth);

    QApplication::setActiveWindow(&window);
    n->setFocus();
    QTest::keyClick(n, Qt::Key_End);
    QTest::keyClicks(n, "5"); // "12,005"
    EXPECT_EQ(values.count(), 2);
    QTest::keyClicks(n, "x"); // refused
    EXPECT_EQ(values.count(), 2);

    n->SetGaugeVisible(true);
    const int gy = 44 - (n->GaugeHeight() + n->GaugeTopMargin() + 1) + n->GaugeTopMargin() + 2;
    QTest::mousePress(n, Qt::LeftButton, Qt::NoModifier, QPoint(n->GaugeLeftMargin(), gy));
    QTest::mouseRelease(n, Qt::LeftButton, Qt::NoModifier, QPoint(n->GaugeLeftMargin(), gy));
    ASSERT_EQ(values.count(), 3);
    EXPECT_EQ(values.last().at(0).toDouble(), 0.0);
}

TEST_F(NumIOFacesTest, SignalsRunAfterTheHandlerInConnectionOrder)
{
    TNumIO f;
    f.SetRangeHigh(100);
    QStringList calls;
    f.SetOnChange([&](QObject *) { calls << "handler"; });
    QObject::connect(&f, &TNumIO::onChange, [&](QObject *Sender) {
        EXPECT_EQ(Sender, &f);
        calls << "first";
    });
    QObject::connect(&f, &TNumIO::onChange, [&](QObject *) { calls << "second"; });
    f.SetText("7");
    EXPECT_EQ(calls, (QStringList{"handler", "first", "second"}));
    f.SetText("700"); // refused: neither the handler nor the signal
    EXPECT_EQ(calls.size(), 3);
    f.SetOnChange(nullptr); // the signal does not need a handler
    f.SetText("8");
    EXPECT_EQ(calls.size(), 5);
}

TEST_F(NumIOFacesTest, NumIO2EventSignalsFireWhereTheirEventsDo)
{
    QWidget window;
    window.resize(300, 80);
    auto *n = new TNumIO2(&window);
    n->SetBounds(0, 0, 160, 44);
    n->SetButVisible(true);
    n->SetGaugeVisible(true);
    window.show();
    QSignalSpy changes(n, &TNumIO2::onChange), gauge(n, &TNumIO2::onGaugeChange);

    QApplication::setActiveWindow(&window);
    n->setFocus();
    QTest::keyClicks(n, "3");
    EXPECT_EQ(changes.count(), 1);
    QTest::keyClick(n, Qt::Key_Left); // the caret moves, nothing changes
    EXPECT_EQ(changes.count(), 1);

    const int bx = n->LeftSpace() + n->TextBoxWidth() + n->ButSpace() + n->ButWidth() / 2;
    QTest::mouseClick(n, Qt::LeftButton, Qt::NoModifier, QPoint(bx, 5));
    EXPECT_EQ(changes.count(), 2);

    const int gl = n->GaugeLeftMargin(), gw = n->GaugeWidth();
    const int gy = 44 - (n->GaugeHeight() + n->GaugeTopMargin() + 1) + n->GaugeTopMargin() + 2;
    QTest::mousePress(n, Qt::LeftButton, Qt::NoModifier, QPoint(gl + 1, gy));
    test::MoveMouse(n, QPoint(gl + gw / 2, gy), Qt::LeftButton);
    ASSERT_EQ(gauge.count(), 1);
    EXPECT_EQ(gauge.at(0).at(0).value<QObject *>(), n);
    EXPECT_TRUE(gauge.at(0).at(1).value<TShiftState>() & ssLeft);
    EXPECT_DOUBLE_EQ(gauge.at(0).at(2).toDouble(), n->Value());
    EXPECT_EQ(changes.count(), 2); // the gauge click reports on mouse-up
    QTest::mouseRelease(n, Qt::LeftButton, Qt::NoModifier, QPoint(gl + gw / 2, gy));
    EXPECT_EQ(changes.count(), 3);
}

TEST_F(NumIOFacesTest, FieldsInALayoutShrunkAndStretched)
{
    // A field keeps its height; in TNumIO2 the whole box with its digits and the whole button
    // pair stay in the picture.
    auto keepsHeight = [](QWidget *C, const QImage &, const QString &) {
        return C->height() == C->sizeHint().height() ? QString()
                                                     : QStringLiteral("height %1").arg(C->height());
    };
    EXPECT_TRUE(test::FitsInLayout([](QWidget *P) { return new TNumIO(P); }, keepsHeight));
    EXPECT_TRUE(test::FitsInLayout(
        [](QWidget *P) {
            auto *n = new TNumIO2(P);
            n->SetValue(8);
            n->SetButVisible(true);
            n->SetRightText("mV");
            EXPECT_GE(n->sizeHint().width(), n->minimumSizeHint().width() + 10); // room for "mV"
            return n;
        },
        [&](QWidget *C, const QImage &Img, const QString &Stage) {
            auto *n = static_cast<TNumIO2 *>(C);
            const int boxRight = n->LeftSpace() + n->TextBoxWidth(), bx = boxRight + n->ButSpace();
            if (Img.width() < n->minimumSizeHint().width()) return QStringLiteral("cut");
            if (test::CountColor(Img, n->ColorBoxText(), n->LeftSpace(), 0, boxRight, Img.height()) < 5)
                return QStringLiteral("no digits");
            if (test::CountColor(Img, n->ButColor(), bx, 0, bx + n->ButWidth(), Img.height()) < 20)
                return QStringLiteral("no buttons");
            return keepsHeight(C, Img, Stage);
        }));
}

TEST_F(NumIOFacesTest, GaugeSettingsSurviveAStoredForm)
{
    // The default gauge (8 high, 3 below the text) needs more than the default height of 28:
    // writing back what the field reports must not shrink it.
    TNumIO2 n;
    n.setProperty("GaugeHeight", n.property("GaugeHeight"));
    n.setProperty("GaugeTopMargin", n.property("GaugeTopMargin"));
    EXPECT_EQ(n.GaugeHeight(), 8);
    EXPECT_EQ(n.GaugeTopMargin(), 3);
    n.SetGaugeHeight(30); // a new value is still limited by the height
    EXPECT_EQ(n.GaugeHeight(), 28 - 3 - 18);

    // A form may set the gauge before the size: the stored values are taken as saved.
    TNumIO2 loaded;
    loaded.BeginLoading();
    loaded.setProperty("GaugeHeight", 20);
    loaded.setProperty("GaugeWidth", 200);
    loaded.setProperty("GaugeLeftMargin", 50);
    loaded.SetBounds(0, 0, 300, 60);
    loaded.EndLoading();
    EXPECT_EQ(loaded.GaugeHeight(), 20);
    EXPECT_EQ(loaded.GaugeWidth(), 200);
    EXPECT_EQ(loaded.GaugeLeftMargin(), 50);
}

TEST_F(NumIOFacesTest, AccessibleValueAndRange)
{
    TNumIO f;
    f.SetRangeLow(-5);
    f.SetRangeHigh(50);
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&f);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->role(), QAccessible::EditableText);
    ASSERT_TRUE(a->valueInterface());
    EXPECT_EQ(a->valueInterface()->minimumValue().toDouble(), -5.0);
    EXPECT_EQ(a->valueInterface()->maximumValue().toDouble(), 50.0);
    a->valueInterface()->setCurrentValue(12.0);
    EXPECT_EQ(f.Value(), 12.0);
    a->valueInterface()->setCurrentValue(99.0); // outside the range: refused as typing would be
    EXPECT_EQ(f.Value(), 12.0);
    EXPECT_EQ(a->valueInterface()->currentValue().toDouble(), 12.0);

    TNumIO2 n;
    n.SetButVisible(true);
    QAccessibleInterface *b = QAccessible::queryAccessibleInterface(&n);
    ASSERT_TRUE(b && b->valueInterface());
    EXPECT_EQ(b->role(), QAccessible::SpinBox);
    EXPECT_EQ(b->valueInterface()->maximumValue().toDouble(), 1000.0);
    n.SetValue(3.5);
    EXPECT_EQ(b->valueInterface()->currentValue().toDouble(), 3.5);
    n.SetReadOnly(true);
    b->valueInterface()->setCurrentValue(4.0);
    EXPECT_EQ(n.Value(), 3.5);
}
