// kro::LoadForm and TFormLoader: our controls by class name, the loading state, failures.

#include "formtest.h"

#include <krogui/core/component.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/gauges/meter.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QMetaEnum>
#include <algorithm>
#include <climits>
#include <memory>

using namespace kro;
using namespace kro::test;

namespace {

QByteArray Form(const QByteArray &Widgets)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n <class>Panel</class>\n"
           " <widget class=\"QWidget\" name=\"Panel\">\n"
           "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>640</width><height>480</height></rect>"
           "</property>\n" +
           Widgets + " </widget>\n</ui>\n";
}

// The value comes before the range that admits it, as a form may list them; the setters see the
// loading state and Loaded settles the value against the range once everything is set.
const QByteArray MeterForm = Form(R"(
  <widget class="kro::TMeter" name="meter">
   <property name="Value"><double>6.5</double></property>
   <property name="MeterMaxValue"><double>10</double></property>
   <property name="MeterLayout"><enum>kro::mlCirc270</enum></property>
   <property name="Caption"><string>bar</string></property>
  </widget>
  <widget class="TSevenSeg" name="display">
   <property name="NumDigits"><number>6</number></property>
  </widget>
  <widget class="QLabel" name="label"><property name="text"><string>plain Qt</string></property></widget>
)");

TEST(FormLoader, CreatesOurControlsWithStoredValuesInAnyOrder)
{
    QString Error;
    const std::unique_ptr<QWidget> Top(LoadProbed(MeterForm, &Error));
    ASSERT_NE(Top, nullptr) << Error.toStdString();
    EXPECT_TRUE(Error.isEmpty());
    auto *Meter = Top->findChild<TMeter *>(QStringLiteral("meter"));
    ASSERT_NE(Meter, nullptr);
    EXPECT_DOUBLE_EQ(Meter->MeterMaxValue(), 10.0);
    EXPECT_DOUBLE_EQ(Meter->Value(), 6.5);
    EXPECT_EQ(Meter->MeterLayout(), mlCirc270);
    EXPECT_EQ(Meter->Caption(), QStringLiteral("bar"));
    EXPECT_EQ(LoadedCalls(Meter), 1);
    EXPECT_FALSE(Meter->IsLoading());
    EXPECT_FALSE(Meter->IsDesigning());

    // The short class name is understood too; Qt's own widgets still come from QUiLoader.
    auto *Seg = Top->findChild<TSevenSeg *>(QStringLiteral("display"));
    ASSERT_NE(Seg, nullptr);
    EXPECT_EQ(Seg->NumDigits(), 6);
    EXPECT_EQ(LoadedCalls(Seg), 1);
    auto *Label = Top->findChild<QLabel *>(QStringLiteral("label"));
    ASSERT_NE(Label, nullptr);
    EXPECT_EQ(Label->text(), QStringLiteral("plain Qt"));
}

TEST(FormLoader, LoadFormParentsTheFormAndReportsNoError)
{
    QWidget Parent;
    QByteArray Xml = MeterForm;
    QBuffer Buffer(&Xml); // LoadForm opens a closed device itself
    QString Error = QStringLiteral("stale");
    QWidget *Top = LoadForm(&Buffer, &Parent, &Error);
    ASSERT_NE(Top, nullptr);
    EXPECT_EQ(Top->parentWidget(), &Parent);
    EXPECT_TRUE(Error.isEmpty());
    EXPECT_TRUE(LoadFormError().isEmpty());
    EXPECT_NE(Top->findChild<TMeter *>(), nullptr);
}

TEST(FormLoader, BadFormsGiveNullAndAReason)
{
    QString Error;
    EXPECT_EQ(LoadForm(nullptr, nullptr, &Error), nullptr);
    EXPECT_FALSE(Error.isEmpty());

    QFile Missing(QStringLiteral("/nonexistent/form.ui"));
    EXPECT_EQ(LoadForm(&Missing, nullptr, &Error), nullptr);
    EXPECT_TRUE(Error.contains(QStringLiteral("cannot open"))) << Error.toStdString();
    EXPECT_EQ(LoadFormError(), Error);

    for (const QByteArray &Bad : {QByteArray("not a form at all"), QByteArray("<ui version=\"4.0\"><widget"),
                                  QByteArray(), MeterForm.left(MeterForm.size() / 2)}) {
        QWidget Parent;
        QByteArray Xml = Bad;
        QBuffer Buffer(&Xml);
        Error.clear();
        EXPECT_EQ(LoadForm(&Buffer, &Parent, &Error), nullptr) << Bad.constData();
        EXPECT_FALSE(Error.isEmpty()) << Bad.constData();
        if (!Bad.isEmpty()) { // a broken text says where it broke
            EXPECT_TRUE(Error.contains(QStringLiteral("line "))) << Error.toStdString();
        }
        // Nothing half-built stays behind in the parent, and no control is left loading.
        for (auto *C : Parent.findChildren<QWidget *>())
            if (auto *Component = ComponentOf(C)) {
                EXPECT_FALSE(Component->IsLoading());
            }
    }
}

TEST(FormLoader, StoredValuesOfTheWrongKindLeaveDefaults)
{
    // Values a hand-edited form got wrong are ignored, the rest of the form loads.
    const QByteArray Xml = Form(R"(
  <widget class="kro::TMeter" name="meter">
   <property name="MeterNrTicks"><string>many</string></property>
   <property name="MeterLayout"><enum>kro::noSuchLayout</enum></property>
   <property name="NoSuchProperty"><number>3</number></property>
   <property name="Value"><double>0.5</double></property>
  </widget>
)");
    const TMeter Defaults;
    const std::unique_ptr<QWidget> Top(LoadProbed(Xml));
    ASSERT_NE(Top, nullptr);
    auto *Meter = Top->findChild<TMeter *>();
    ASSERT_NE(Meter, nullptr);
    EXPECT_EQ(Meter->MeterNrTicks(), Defaults.MeterNrTicks());
    EXPECT_EQ(Meter->MeterLayout(), Defaults.MeterLayout());
    EXPECT_DOUBLE_EQ(Meter->Value(), 0.5);
    EXPECT_EQ(LoadedCalls(Meter), 1);
}

TEST(FormLoader, EveryControlClassIsKnownByName)
{
    TFormLoader Loader;
    const QStringList Available = Loader.AvailableWidgets();
    for (const TFormControlClass &Class : FormControlClasses()) {
        const QString Name = QString::fromLatin1(Class.ClassName);
        EXPECT_TRUE(Available.contains(Name)) << Class.ClassName;
        EXPECT_EQ(FindFormControlClass(Name), &Class);
        EXPECT_EQ(FindFormControlClass(Class.ShortName()), &Class);
        QWidget Parent;
        QWidget *W = Loader.createWidget(Name, &Parent, QStringLiteral("x"));
        ASSERT_NE(W, nullptr) << Class.ClassName;
        EXPECT_EQ(QString::fromLatin1(W->metaObject()->className()), Name);
        EXPECT_EQ(W->parentWidget(), &Parent);
        EXPECT_EQ(W->objectName(), QStringLiteral("x"));
        EXPECT_TRUE(ComponentOf(W)->IsLoading()) << "made for a form, loading until the form is complete";
    }
    EXPECT_EQ(FindFormControlClass(QStringLiteral("kro::TNoSuchControl")), nullptr);
    EXPECT_EQ(FindFormControlClass(QStringLiteral("other::TMeter")), nullptr);
}

} // namespace

TEST(FormLoader, EnumerationNumbersOutsideTheirListAreRefused)
{
    // A form or setProperty can hand any number to an enumeration; the control keeps a value it
    // knows and still draws.
    QStringList Problems;
    for (const TFormControlClass &Class : FormControlClasses()) {
        QWidget Parent;
        QWidget *W = Class.Create(&Parent);
        W->resize(160, 120);
        for (const QMetaProperty &P : OwnProperties(W)) {
            if (!P.isEnumType() || P.isFlagType() || !P.isWritable()) continue;
            const QMetaEnum E = P.enumerator();
            // Our enumerations have a fixed underlying type, so any number is a value of theirs;
            // a number outside a Qt enumeration (Qt::CursorShape) is undefined before our setter
            // even sees it.
            if (!QByteArray(E.scope()).startsWith("kro")) continue;
            const int Before = P.read(W).toInt();
            int Highest = 0;
            for (int k = 0; k < E.keyCount(); ++k)
                Highest = std::max(Highest, E.value(k));
            for (int Bad : {-1, Highest + 1, 1000, INT_MIN}) {
                if (E.valueToKey(Bad)) continue;
                P.write(W, Bad);
                const int After = P.read(W).toInt();
                if (After != Before)
                    Problems << QStringLiteral("%1.%2 = %3: took %4")
                                    .arg(QString::fromLatin1(Class.ClassName), QString::fromLatin1(P.name()))
                                    .arg(Bad)
                                    .arg(After);
            }
        }
        EXPECT_FALSE(W->grab().isNull()) << Class.ClassName;
    }
    EXPECT_TRUE(Problems.isEmpty()) << Problems.join(QLatin1Char('\n')).toStdString();
}
