#include "gallery.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace gallery {

static std::vector<Page> &Registry()
{
    static std::vector<Page> pages;
    return pages;
}

std::vector<Page> Pages()
{
    std::vector<Page> pages = Registry();
    std::stable_sort(pages.begin(), pages.end(), [](const Page &a, const Page &b) {
        return a.Order != b.Order ? a.Order < b.Order : a.Title < b.Title;
    });
    return pages;
}

PageRegistrar::PageRegistrar(const QString &Title, int Order, std::function<QWidget *()> Create)
{
    Registry().push_back({Title, Order, std::move(Create)});
}

QComboBox *ColorBox(const ColorChoices &Choices, kro::TColor Current, std::function<void(kro::TColor)> Apply)
{
    auto *box = new QComboBox;
    for (const auto &[name, c] : Choices) {
        box->addItem(QString::fromLatin1(name), QVariant::fromValue(c));
        if (c == Current) box->setCurrentIndex(box->count() - 1);
    }
    QObject::connect(box, &QComboBox::currentIndexChanged,
                     [box, Apply](int) { Apply(box->currentData().value<kro::TColor>()); });
    return box;
}

PageWidget::PageWidget(const QString &Description, QWidget *Parent) : QWidget(Parent)
{
    auto *outer = new QVBoxLayout(this);
    auto *desc = new QLabel(Description);
    desc->setWordWrap(true);
    outer->addWidget(desc);
    auto *row = new QHBoxLayout;
    outer->addLayout(row, 1);
    FStage = new QWidget;
    FStage->setMinimumSize(420, 360);
    row->addWidget(FStage, 1);
    FForm = new QWidget;
    FForm->setLayout(new QFormLayout);
    FForm->setMinimumWidth(230);
    row->addWidget(FForm, 0, Qt::AlignTop);
}

void PageWidget::AddEditor(const QString &Label, QWidget *Editor)
{
    static_cast<QFormLayout *>(FForm->layout())->addRow(Label, Editor);
}

void PageWidget::AddRow(QWidget *Row)
{
    static_cast<QFormLayout *>(FForm->layout())->addRow(Row);
}

} // namespace gallery
