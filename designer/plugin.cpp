#include "plugin.h"

#include <krogui/core/component.h>
#include <krogui/forms/formcontrols.h>

#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace kro {

TDesignerControl::TDesignerControl(const TFormControlClass &Class, QObject *Parent)
    : QObject(Parent), FClass(Class)
{
}

QString TDesignerControl::name() const
{
    return QString::fromLatin1(FClass.ClassName);
}

QString TDesignerControl::group() const
{
    return QStringLiteral("krogui");
}

QString TDesignerControl::toolTip() const
{
    return QString::fromUtf8(FClass.ToolTip);
}

QString TDesignerControl::whatsThis() const
{
    return QStringLiteral("%1: %2.").arg(FClass.ShortName(), QString::fromUtf8(FClass.ToolTip));
}

QString TDesignerControl::includeFile() const
{
    // Angle brackets: the generated form includes the installed header as a system header.
    return QStringLiteral("<%1>").arg(QString::fromLatin1(FClass.IncludeFile));
}

QWidget *TDesignerControl::createWidget(QWidget *Parent)
{
    QWidget *W = FClass.Create(Parent);
    TComponentBase *Component = ComponentOf(W);
    Component->SetDesigning(true);
    // Designer sets the stored properties right after creating the widget, in the same turn of
    // the event loop, in its own order: the control takes them in the loading state (a value
    // before the range that admits it is kept) and finishes loading once they are all set.
    Component->BeginLoading();
    QTimer::singleShot(0, W, [Component] { Component->EndLoading(); });
    return W;
}

QIcon TDesignerControl::icon() const
{
    if (FIcon.isNull()) FIcon = MakeIcon();
    return FIcon;
}

QIcon TDesignerControl::MakeIcon() const
{
    const std::unique_ptr<QWidget> W(FClass.Create(nullptr));
    FDesignSize = W->size();
    const QPixmap Picture = W->grab();
    QPixmap Icon(32, 32);
    Icon.fill(Qt::transparent);
    if (!Picture.isNull()) {
        const QPixmap Small = Picture.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter P(&Icon);
        P.drawPixmap((32 - Small.width()) / 2, (32 - Small.height()) / 2, Small);
    }
    return QIcon(Icon);
}

QString TDesignerControl::domXml() const
{
    if (!FDesignSize.isValid()) {
        const std::unique_ptr<QWidget> W(FClass.Create(nullptr));
        FDesignSize = W->size();
    }
    QString ObjectName = FClass.ShortName();
    if (ObjectName.startsWith(QLatin1Char('T'))) ObjectName.remove(0, 1);
    ObjectName = ObjectName.toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(name(), ObjectName)
        .arg(FDesignSize.width())
        .arg(FDesignSize.height());
}

TDesignerCollection::TDesignerCollection(QObject *Parent) : QObject(Parent)
{
    for (const TFormControlClass &C : FormControlClasses())
        FWidgets.append(new TDesignerControl(C, this));
}

} // namespace kro
