#pragma once
// The catalogue of krogui controls that forms can hold: the class name a .ui file names, the
// header a generated form includes, a short description, and a factory. The form loader and the
// Qt Designer plugin both work from it.

#include <krogui/forms/formsexport.h>

#include <QSize>
#include <QString>

#include <vector>

class QWidget;
struct QMetaObject;

namespace kro {

class TComponentBase;

/// One control class as forms know it.
struct KROGUI_FORMS_EXPORT TFormControlClass
{
    /// The fully qualified C++ class name Qt Designer writes into a form ("kro::TMeter").
    const char *ClassName;
    /// The header to include, as a user includes it ("krogui/gauges/meter.h").
    const char *IncludeFile;
    /// One line saying what the control is (Designer's tool tip).
    const char *ToolTip;
    /// Creates the control with the given parent, at its constructor size.
    QWidget *(*Create)(QWidget *Parent);
    /// The class's meta-object: its properties in the order they are declared.
    const QMetaObject *MetaObject;

    /// The class name without the namespace ("TMeter").
    QString ShortName() const;
};

/// Every control class of the library that a form can hold, in the order of the control table.
KROGUI_FORMS_EXPORT const std::vector<TFormControlClass> &FormControlClasses();
/// The class of that name, qualified ("kro::TMeter") or not ("TMeter"); nullptr when unknown.
KROGUI_FORMS_EXPORT const TFormControlClass *FindFormControlClass(const QString &ClassName);
/// The component side of a widget made by one of the factories (nullptr for other widgets).
KROGUI_FORMS_EXPORT TComponentBase *ComponentOf(QWidget *Widget);

} // namespace kro
