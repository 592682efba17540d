#pragma once
// Helpers of the form tests: controls that count their Loaded calls, a loader that makes them,
// and the list of properties a control publishes (those its krogui classes declare).

#include <krogui/forms/formcontrols.h>
#include <krogui/forms/formloader.h>

#include <QByteArray>
#include <QMetaProperty>
#include <QString>

#include <vector>

class QWidget;

namespace kro::test {

/// How often Loaded ran on W (0 for a widget no probe made), and whether the component was still
/// flagged as loading when it ran.
int LoadedCalls(const QWidget *W);

/// A form loader that makes counting subclasses of our controls (same class names on save).
class TProbeLoader : public TFormLoader
{
protected:
    QWidget *CreateControl(const TFormControlClass &Class, QWidget *Parent) override;
};

/// Makes the counting subclass of Class.
QWidget *CreateProbe(const TFormControlClass &Class, QWidget *Parent);

/// The properties declared by the krogui classes of O (not those of its Qt base).
std::vector<QMetaProperty> OwnProperties(const QObject *O);

/// Saves Form as Qt Designer would: the properties of every widget, enumerations and option sets
/// by name, our controls without their internal child widgets.
QByteArray SaveForm(QWidget *Form);

/// Loads Xml through a TProbeLoader; nullptr and Error on failure.
QWidget *LoadProbed(const QByteArray &Xml, QString *Error = nullptr);

} // namespace kro::test
