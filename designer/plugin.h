#pragma once
// The Qt Designer face of krogui: one custom widget per control class, all in a "krogui" group.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QIcon>
#include <QObject>

namespace kro {

struct TFormControlClass;

/// One control class offered to Designer. Widgets it creates are in csDesigning, and loading
/// until Designer has set their stored properties.
class TDesignerControl : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    TDesignerControl(const TFormControlClass &Class, QObject *Parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget *createWidget(QWidget *Parent) override;
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface *) override { FInitialized = true; }
    QString domXml() const override;

private:
    /// The control's picture at its constructor size, scaled into a 32 x 32 icon.
    QIcon MakeIcon() const;

    const TFormControlClass &FClass;
    mutable QIcon FIcon;
    mutable QSize FDesignSize;
    bool FInitialized = false;
};

/// The plugin Designer loads: the collection of every krogui control.
class TDesignerCollection : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit TDesignerCollection(QObject *Parent = nullptr);
    QList<QDesignerCustomWidgetInterface *> customWidgets() const override { return FWidgets; }

private:
    QList<QDesignerCustomWidgetInterface *> FWidgets;
};

} // namespace kro
