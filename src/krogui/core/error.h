#pragma once
// Exceptions and the application-wide exception report.

#include <krogui/kroguiexport.h>

#include <QString>

#include <exception>
#include <functional>
#include <stdexcept>

class QObject;

namespace kro {

/// Base of every exception krogui raises.
class KROGUI_EXPORT EKROError : public std::runtime_error
{
public:
    explicit EKROError(const QString &Msg);
    /// The message as a QString (what() holds it in UTF-8).
    QString Message() const { return QString::fromUtf8(what()); }
};

/// Declares an exception class derived from EKROError.
#define KRO_DECLARE_ERROR(Name, Base)                                                                        \
    class KROGUI_EXPORT Name : public Base                                                                   \
    {                                                                                                        \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    };

/// `Component "Name": reason`, the form of every component message.
KROGUI_EXPORT QString ComponentMessage(const QString &ComponentName, const QString &Reason);
/// The same for a QObject: its objectName is the component's name.
KROGUI_EXPORT QString ComponentMessage(const QObject *Component, const QString &Reason);

/// Receives the text of an exception that reached HandleException.
using TExceptionHandler = std::function<void(const QString &Message)>;

/// Installs the application's report for exceptions caught at the event boundary; an empty
/// handler restores the default (a Qt warning). Returns the previous handler.
KROGUI_EXPORT TExceptionHandler SetExceptionHandler(TExceptionHandler Handler);

/// Reports the exception currently being handled (call it from a catch block), or the given one.
KROGUI_EXPORT void HandleException();
KROGUI_EXPORT void HandleException(std::exception_ptr E);

/// Runs F; any exception it throws goes to HandleException instead of crossing Qt.
/// Returns false when F threw.
template <class F> bool SafeInvoke(F &&Fn) noexcept
{
    try {
        Fn();
        return true;
    } catch (...) {
        HandleException();
        return false;
    }
}

} // namespace kro
