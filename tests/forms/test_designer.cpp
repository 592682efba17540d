// The Qt Designer plugin, loaded as Designer loads it.

#include <krogui/core/component.h>
#include <krogui/forms/formcontrols.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMap>
#include <QPluginLoader>
#include <QSet>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>

using namespace kro;

namespace {

/// The class, name, width and height of the widget a domXml describes ("error" when it does not
/// parse).
QMap<QString, QString> ReadDomXml(const QString &Xml)
{
    QMap<QString, QString> Entry;
    QXmlStreamReader R(Xml);
    while (!R.atEnd()) {
        if (R.readNext() != QXmlStreamReader::StartElement) continue;
        if (R.name() == QLatin1String("widget") && !Entry.contains(QStringLiteral("class"))) {
            Entry[QStringLiteral("class")] = R.attributes().value(QLatin1String("class")).toString();
            Entry[QStringLiteral("name")] = R.attributes().value(QLatin1String("name")).toString();
        } else if (R.name() == QLatin1String("width") || R.name() == QLatin1String("height")) {
            const QString Key = R.name().toString();
            Entry[Key] = R.readElementText();
        }
    }
    if (R.hasError()) Entry[QStringLiteral("error")] = R.errorString();
    return Entry;
}

TEST(DesignerPlugin, OffersEveryControlInTheKroguiGroup)
{
#ifndef KROGUI_DESIGNER_PLUGIN
    GTEST_SKIP() << "built without the Designer plugin";
#else
    QPluginLoader Loader(QStringLiteral(KROGUI_DESIGNER_PLUGIN));
    QObject *Instance = Loader.instance();
    ASSERT_NE(Instance, nullptr) << Loader.errorString().toStdString();
    auto *Collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(Instance);
    ASSERT_NE(Collection, nullptr);

    QSet<QString> Offered;
    for (QDesignerCustomWidgetInterface *Custom : Collection->customWidgets()) {
        const std::string Name = Custom->name().toStdString();
        Offered.insert(Custom->name());
        EXPECT_EQ(Custom->group(), QStringLiteral("krogui")) << Name;
        EXPECT_FALSE(Custom->toolTip().isEmpty()) << Name;
        EXPECT_FALSE(Custom->icon().isNull()) << Name;
        EXPECT_FALSE(Custom->isContainer()) << Name;
        const TFormControlClass *Class = FindFormControlClass(Custom->name());
        ASSERT_NE(Class, nullptr) << Name;
        EXPECT_EQ(Custom->includeFile(), QStringLiteral("<%1>").arg(QString::fromLatin1(Class->IncludeFile)));

        QWidget Form;
        std::unique_ptr<QWidget> W(Custom->createWidget(&Form));
        ASSERT_NE(W, nullptr) << Name;
        EXPECT_EQ(QString::fromLatin1(W->metaObject()->className()), Custom->name());
        ASSERT_NE(ComponentOf(W.get()), nullptr) << Name;
        EXPECT_TRUE(ComponentOf(W.get())->IsDesigning()) << Name;
        // Loading while Designer sets the stored properties, finished when it is done.
        EXPECT_TRUE(ComponentOf(W.get())->IsLoading()) << Name;
        QCoreApplication::processEvents();
        EXPECT_FALSE(ComponentOf(W.get())->IsLoading()) << Name;

        // The widget box entry: the class, an object name and the constructor size.
        const QMap<QString, QString> Entry = ReadDomXml(Custom->domXml());
        ASSERT_FALSE(Entry.contains(QStringLiteral("error")))
            << Name << ": " << Custom->domXml().toStdString();
        EXPECT_EQ(Entry.value(QStringLiteral("class")), Custom->name());
        EXPECT_FALSE(Entry.value(QStringLiteral("name")).isEmpty());
        const std::unique_ptr<QWidget> Plain(Class->Create(nullptr));
        EXPECT_EQ(Entry.value(QStringLiteral("width")).toInt(), Plain->width()) << Name;
        EXPECT_EQ(Entry.value(QStringLiteral("height")).toInt(), Plain->height()) << Name;
        EXPECT_GT(Plain->width(), 1) << Name;
        EXPECT_GT(Plain->height(), 1) << Name;
    }
    EXPECT_EQ(Offered.size(), int(FormControlClasses().size()));
#endif
}

} // namespace
