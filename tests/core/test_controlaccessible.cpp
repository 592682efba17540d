// What assistive tools see of the controls: role, name, value, and Qt's own interfaces kept.
#include "testutil.h"

#include <krogui/browse/foldertree.h>
#include <krogui/core/control.h>
#include <krogui/numio/numio.h>

#include <QAccessible>
#include <QAccessibleValueInterface>

#include <gtest/gtest.h>

using namespace kro;

namespace {

// A gauge-like control: a value in a range, settable unless read-only.
class Dial : public TGraphicControl
{
public:
    using TGraphicControl::TGraphicControl;
    double Value = 25, Min = 0, Max = 100;
    bool ReadOnly = false;
    QAccessible::Role AccessibleRole() const override { return QAccessible::Dial; }
    bool AccessibleNumeric(double &V, double &Lo, double &Hi) const override
    {
        V = Value, Lo = Min, Hi = Max;
        return true;
    }
    bool SetAccessibleNumericValue(double V) override
    {
        if (ReadOnly) return false;
        Value = std::clamp(V, Min, Max);
        NotifyAccessibleValueChanged();
        return true;
    }
};

// A numeric field that tells its value.
class NumberField : public TNumIO
{
public:
    using TNumIO::TNumIO;
    QAccessible::Role AccessibleRole() const override { return QAccessible::SpinBox; }
    bool AccessibleNumeric(double &V, double &Lo, double &Hi) const override
    {
        V = Value(), Lo = RangeLow(), Hi = RangeHigh();
        return true;
    }
};

} // namespace

TEST(ControlAccessible, PlainControlHasRoleNameDescriptionAndNoValue)
{
    QWidget window;
    auto *c = new TCustomControl(&window);
    c->SetName(QStringLiteral("StatusPanel"));
    c->SetHint(QStringLiteral("Shows the state"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Client);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("StatusPanel")); // no accessible name
    c->setAccessibleName(QStringLiteral("Status"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Status"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Shows the state"));
    EXPECT_EQ(iface->valueInterface(), nullptr);
    EXPECT_EQ(iface->parent()->object(), &window);
}

TEST(ControlAccessible, NumericControlOffersItsValueAndRange)
{
    QWidget window;
    auto *d = new Dial(&window);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(d);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Dial);
    QAccessibleValueInterface *value = iface->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toDouble(), 25.0);
    EXPECT_EQ(value->minimumValue().toDouble(), 0.0);
    EXPECT_EQ(value->maximumValue().toDouble(), 100.0);
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("25"));

    value->setCurrentValue(140.0); // the control clamps
    EXPECT_EQ(d->Value, 100.0);
    EXPECT_EQ(value->currentValue().toDouble(), 100.0);

    // Nonsense from a tool changes nothing; a read-only control refuses.
    value->setCurrentValue(QStringLiteral("lots"));
    value->setCurrentValue(std::nan(""));
    d->ReadOnly = true;
    value->setCurrentValue(10.0);
    EXPECT_EQ(d->Value, 100.0);
}

TEST(ControlAccessible, QtsOwnInterfaceOfTheBaseIsKept)
{
    QWidget window;
    auto *field = new NumberField(&window);
    field->SetRangeLow(-5);
    field->SetRangeHigh(50);
    field->setText(QStringLiteral("12.5"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(field);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(field), iface); // one interface per control
    EXPECT_EQ(iface->role(), QAccessible::SpinBox);
    // The edit field's text interfaces come from Qt and still work.
    ASSERT_NE(iface->textInterface(), nullptr);
    EXPECT_EQ(iface->textInterface()->text(0, 4), QStringLiteral("12.5"));
    ASSERT_NE(iface->editableTextInterface(), nullptr);
    EXPECT_TRUE(iface->state().editable);
    // ... and the value interface is added.
    ASSERT_NE(iface->valueInterface(), nullptr);
    EXPECT_EQ(iface->valueInterface()->currentValue().toDouble(), 12.5);
    EXPECT_EQ(iface->valueInterface()->maximumValue().toDouble(), 50.0);
    EXPECT_EQ(iface->valueInterface()->minimumValue().toDouble(), -5.0);

    // A plain numeric field keeps Qt's role and offers its value and range too.
    auto *plain = new TNumIO(&window);
    QAccessibleInterface *plainIface = QAccessible::queryAccessibleInterface(plain);
    ASSERT_NE(plainIface, nullptr);
    EXPECT_EQ(plainIface->role(), QAccessible::EditableText);
    EXPECT_NE(plainIface->valueInterface(), nullptr);
    EXPECT_NE(plainIface->textInterface(), nullptr);

    // The tree keeps its table of nodes.
    auto *tree = new TFolderTree(&window);
    QAccessibleInterface *treeIface = QAccessible::queryAccessibleInterface(tree);
    ASSERT_NE(treeIface, nullptr);
    EXPECT_EQ(treeIface->role(), QAccessible::Tree);
    EXPECT_NE(treeIface->tableInterface(), nullptr);
    EXPECT_GT(treeIface->childCount(), 0);
}

TEST(ControlAccessible, InterfacesGoWithTheirControls)
{
    QWidget window;
    QAccessible::Id id = 0;
    {
        auto *field = new NumberField(&window);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(iface, nullptr);
        id = QAccessible::uniqueId(iface);
        delete field;
    }
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    // A new control at the same address gets a fresh interface.
    auto *again = new Dial(&window);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(again);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Dial);
}
