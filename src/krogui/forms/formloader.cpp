#include <krogui/forms/formloader.h>

#include <krogui/core/component.h>
#include <krogui/forms/formcontrols.h>

#include "uifilter_p.h"

#include <QBuffer>
#include <QIODevice>
#include <QPointer>
#include <QWidget>

#include <exception>
#include <vector>

namespace kro {

struct TFormLoaderPrivate
{
    /// The controls of the form being loaded, in creation order, all in csLoading.
    std::vector<QPointer<QWidget>> Created;
    QString Error;
};

TFormLoader::TFormLoader(QObject *Parent) : QUiLoader(Parent), d(std::make_unique<TFormLoaderPrivate>()) {}

TFormLoader::~TFormLoader()
{
    // A load that never finished (an exception out of Qt's reader) must not leave controls loading.
    for (const QPointer<QWidget> &W : d->Created) {
        if (W) ComponentOf(W)->EndLoading();
    }
}

QString TFormLoader::ErrorText() const
{
    return d->Error;
}

QStringList TFormLoader::AvailableWidgets() const
{
    QStringList Names = availableWidgets();
    for (const TFormControlClass &C : FormControlClasses())
        Names << QString::fromLatin1(C.ClassName);
    return Names;
}

QWidget *TFormLoader::createWidget(const QString &ClassName, QWidget *Parent, const QString &Name)
{
    const TFormControlClass *Class = FindFormControlClass(ClassName);
    if (!Class) return QUiLoader::createWidget(ClassName, Parent, Name);
    QWidget *W = CreateControl(*Class, Parent);
    TComponentBase *Component = ComponentOf(W);
    if (!Component) {
        delete W;
        d->Error = tr("%1 is not a krogui control").arg(ClassName);
        return nullptr;
    }
    W->setObjectName(Name);
    Component->BeginLoading();
    d->Created.emplace_back(W);
    return W;
}

namespace {

/// The top widget of a form whose building was interrupted: the outermost ancestor below
/// ParentWidget of the controls made so far.
QWidget *PartialTop(const std::vector<QPointer<QWidget>> &Created, QWidget *ParentWidget)
{
    for (const QPointer<QWidget> &W : Created) {
        if (!W) continue;
        QWidget *Top = W;
        while (Top->parentWidget() && Top->parentWidget() != ParentWidget)
            Top = Top->parentWidget();
        return Top;
    }
    return nullptr;
}

} // namespace

QWidget *TFormLoader::CreateControl(const TFormControlClass &Class, QWidget *Parent)
{
    return Class.Create(Parent);
}

QWidget *TFormLoader::load(QIODevice *Device, QWidget *ParentWidget)
{
    d->Error.clear();
    if (!Device) {
        d->Error = tr("no form to read (null device)");
        return nullptr;
    }
    if (!Device->isOpen() && !Device->open(QIODevice::ReadOnly)) {
        d->Error = tr("cannot open the form: %1").arg(Device->errorString());
        return nullptr;
    }
    if (!Device->isReadable()) {
        d->Error = tr("the form device is not open for reading");
        return nullptr;
    }
    QByteArray Form;
    if (!PrepareForm(Device->readAll(), Form, d->Error)) {
        d->Error = tr("the form is not well-formed XML: %1").arg(d->Error);
        return nullptr;
    }
    QBuffer Buffer(&Form);
    Buffer.open(QIODevice::ReadOnly);
    QWidget *Top = nullptr;
    try {
        Top = QUiLoader::load(&Buffer, ParentWidget);
    } catch (const std::exception &E) {
        // A stored value a control refused with an exception (a table too large for memory, say):
        // drop what was built of the form, it must not stay half made inside ParentWidget.
        d->Error = tr("the form could not be built: %1").arg(QString::fromLocal8Bit(E.what()));
        if (QWidget *Partial = PartialTop(d->Created, ParentWidget)) {
            d->Created.clear();
            delete Partial;
        }
    }

    // Every property of every control is set now: finish loading, in creation order. Controls
    // that the reader already deleted (a failed form) are skipped.
    std::vector<QPointer<QWidget>> Created;
    Created.swap(d->Created);
    QString Failure;
    for (const QPointer<QWidget> &W : Created) {
        if (!W) continue;
        try {
            ComponentOf(W)->EndLoading();
        } catch (const std::exception &E) {
            if (Failure.isEmpty())
                Failure = tr("%1 \"%2\" failed to finish loading: %3")
                              .arg(QString::fromLatin1(W->metaObject()->className()), W->objectName(),
                                   QString::fromLocal8Bit(E.what()));
        }
    }
    if (!Top) {
        if (QWidget *Partial = PartialTop(Created, ParentWidget)) delete Partial;
        if (d->Error.isEmpty()) d->Error = errorString();
        if (d->Error.isEmpty()) d->Error = tr("the form could not be read");
        return nullptr;
    }
    if (d->Error.isEmpty()) d->Error = Failure;
    if (!d->Error.isEmpty()) {
        // A control that could not be made or finished: the form is not what its author saved.
        delete Top;
        return nullptr;
    }
    return Top;
}

namespace {
thread_local QString LastLoadFormError;
}

QWidget *LoadForm(QIODevice *Device, QWidget *Parent, QString *Error)
{
    TFormLoader Loader;
    QWidget *Top = Loader.load(Device, Parent);
    LastLoadFormError = Loader.ErrorText();
    if (Error) *Error = LastLoadFormError;
    return Top;
}

QString LoadFormError()
{
    return LastLoadFormError;
}

} // namespace kro
