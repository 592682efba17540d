#pragma once
// krogui-gallery: every control on a page of its own. A page file in pages/ registers itself:
//
//   static const gallery::PageRegistrar reg("Meter", 70, [] { return new MeterPage; });
//
// The order key sorts the list; a page is a QWidget holding the control and a few live
// property editors.

#include <krogui/core/types.h>

#include <QString>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QComboBox;

namespace gallery {

struct Page
{
    QString Title;
    int Order = 0;
    std::function<QWidget *()> Create;
};

/// All registered pages, sorted by order, then title.
std::vector<Page> Pages();

struct PageRegistrar
{
    PageRegistrar(const QString &Title, int Order, std::function<QWidget *()> Create);
};

using ColorChoices = std::vector<std::pair<const char *, kro::TColor>>;
/// A combo box of named colours showing Current; choosing one calls Apply.
QComboBox *ColorBox(const ColorChoices &Choices, kro::TColor Current, std::function<void(kro::TColor)> Apply);

/// A page layout helper: the control area on the left, a form of property editors on the right.
class PageWidget : public QWidget
{
public:
    explicit PageWidget(const QString &Description, QWidget *Parent = nullptr);
    /// The area that holds the controls (absolute positioning: controls choose their bounds).
    QWidget *Stage() const { return FStage; }
    /// Adds a labelled editor to the form on the right.
    void AddEditor(const QString &Label, QWidget *Editor);
    /// Adds a whole-width widget (a check box, a button) to the form.
    void AddRow(QWidget *Row);

private:
    QWidget *FStage;
    QWidget *FForm;
};

} // namespace gallery
