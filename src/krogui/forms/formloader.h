#pragma once
// Loading .ui forms that hold krogui controls.
//
//   QFile File("panel.ui");
//   File.open(QIODevice::ReadOnly);
//   QString Error;
//   QWidget *Panel = kro::LoadForm(&File, parentWidget, &Error);   // nullptr and Error on failure
//
// Each control of the form is created in the loading state (csLoading): its setters take the
// stored values as they come, in whatever order the form lists them, and once the whole form is
// built and every property is set, each control's Loaded() runs exactly once.

#include <krogui/forms/formsexport.h>

#include <QUiLoader>

#include <memory>

class QIODevice;

namespace kro {

struct TFormControlClass;
struct TFormLoaderPrivate;

/// A QUiLoader that also creates krogui controls (by their qualified class names, "kro::TMeter",
/// or their short ones, "TMeter") and finishes their loading after the form is complete.
class KROGUI_FORMS_EXPORT TFormLoader : public QUiLoader
{
    Q_OBJECT
public:
    explicit TFormLoader(QObject *Parent = nullptr);
    ~TFormLoader() override;

    /// Loads the form from Device. Returns its top widget, or nullptr (ErrorText() says why).
    /// Hides QUiLoader::load, which would leave our controls loading.
    QWidget *load(QIODevice *Device, QWidget *ParentWidget = nullptr);
    /// Why the last load failed; empty after a successful one.
    QString ErrorText() const;

    /// Creates our controls (in the loading state) and hands every other class to QUiLoader.
    QWidget *createWidget(const QString &ClassName, QWidget *Parent = nullptr,
                          const QString &Name = QString()) override;
    /// The class names this loader creates: QUiLoader's and ours.
    QStringList AvailableWidgets() const;

protected:
    /// Makes one control of the form; the default calls Class.Create. An override may make a
    /// subclass of the control (it must be a krogui component); the loader then puts it in the
    /// loading state and finishes its loading like any other.
    virtual QWidget *CreateControl(const TFormControlClass &Class, QWidget *Parent);

private:
    std::unique_ptr<TFormLoaderPrivate> const d;
};

/// Loads a .ui form through TFormLoader. Returns the top widget (parented to Parent), or nullptr
/// with the reason in *Error (when Error is given) and in LoadFormError().
KROGUI_FORMS_EXPORT QWidget *LoadForm(QIODevice *Device, QWidget *Parent = nullptr, QString *Error = nullptr);
/// Why the last LoadForm call of this thread failed; empty after a successful one.
KROGUI_FORMS_EXPORT QString LoadFormError();

} // namespace kro
