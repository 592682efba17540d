#include <krogui/core/error.h>

#include <QDebug>
#include <QObject>

namespace kro {

EKROError::EKROError(const QString &Msg) : std::runtime_error(Msg.toStdString()) {}

QString ComponentMessage(const QString &ComponentName, const QString &Reason)
{
    return QStringLiteral("Component \"%1\": %2").arg(ComponentName, Reason);
}

QString ComponentMessage(const QObject *Component, const QString &Reason)
{
    return ComponentMessage(Component ? Component->objectName() : QString(), Reason);
}

namespace {
// The report is an application setting, like the framework's Application.OnException.
TExceptionHandler &CurrentHandler()
{
    static TExceptionHandler handler;
    return handler;
}
} // namespace

TExceptionHandler SetExceptionHandler(TExceptionHandler Handler)
{
    TExceptionHandler old = std::move(CurrentHandler());
    CurrentHandler() = std::move(Handler);
    return old;
}

void HandleException(std::exception_ptr E)
{
    QString msg;
    try {
        if (E)
            std::rethrow_exception(E);
        msg = QStringLiteral("unknown exception");
    } catch (const std::exception &ex) {
        msg = QString::fromUtf8(ex.what());
    } catch (...) {
        msg = QStringLiteral("unknown exception");
    }
    const TExceptionHandler &h = CurrentHandler();
    if (h) {
        try {
            h(msg);
        } catch (...) {
            qWarning("krogui: the exception handler threw; exception: %s", qPrintable(msg));
        }
    } else {
        qWarning("krogui: %s", qPrintable(msg));
    }
}

void HandleException() { HandleException(std::current_exception()); }

} // namespace kro
