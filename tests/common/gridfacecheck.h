#pragma once
// A check of a control's Qt face shared by the grid families' tests: every stored property takes a
// value through the meta-object and gives it back.

#include <gtest/gtest.h>

#include <QColor>
#include <QDate>
#include <QFont>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QVariant>

#include <map>
#include <set>

namespace kro::test {

/// A value of property P unlike Current, chosen from its type; an invalid QVariant when the type
/// has no obvious other value.
inline QVariant OtherValue(const QMetaProperty &P, const QVariant &Current)
{
    if (P.isEnumType()) {
        const QMetaEnum e = P.enumerator();
        const int cur = Current.toInt();
        if (P.isFlagType()) return e.keyCount() > 1 ? QVariant(cur ^ e.value(1)) : QVariant();
        for (int i = 0; i < e.keyCount(); ++i)
            if (e.value(i) != cur) return e.value(i);
        return {};
    }
    switch (P.metaType().id()) {
    case QMetaType::Bool:
        return !Current.toBool();
    case QMetaType::Int:
        return Current.toInt() + 1;
    case QMetaType::UInt:
        return Current.toUInt() + 1;
    case QMetaType::QString:
        return Current.toString() + QStringLiteral("-krogui");
    case QMetaType::QColor: {
        const QColor c(0x12, 0x34, 0x56);
        return Current.value<QColor>() == c ? QColor(0x65, 0x43, 0x21) : c;
    }
    case QMetaType::QFont: {
        QFont f = Current.value<QFont>();
        f.setPointSize(std::max(1, f.pointSize()) + 3);
        f.setBold(!f.bold());
        return f;
    }
    case QMetaType::QDate:
        return Current.toDate().addDays(40);
    default:
        return {};
    }
}

/// Whether Read is what a property of P's type that was given Written must give back.
inline bool SameValue(const QMetaProperty &P, const QVariant &Written, const QVariant &Read)
{
    if (P.isEnumType()) return Written.toInt() == Read.toInt();
    switch (P.metaType().id()) {
    case QMetaType::QColor:
        return Written.value<QColor>().rgba() == Read.value<QColor>().rgba();
    case QMetaType::QFont: {
        const QFont w = Written.value<QFont>(), r = Read.value<QFont>();
        return w.pointSize() == r.pointSize() && w.bold() == r.bold() && w.italic() == r.italic();
    }
    default:
        return Written == Read;
    }
}

/// Writes every writable, stored property that the krogui classes of O declare (Qt's own are
/// left alone) with a value unlike its current one, through setProperty, and expects property()
/// to give the same back. Values names the value to use where the type's guess is not a valid
/// value of the property (a clamped number); Skip names properties not to try. Returns the
/// number of properties checked.
inline int ExpectPropertiesRoundTrip(QObject *O, const std::map<QString, QVariant> &Values = {},
                                     const std::set<QString> &Skip = {})
{
    int checked = 0;
    for (const QMetaObject *m = O->metaObject(); m; m = m->superClass()) {
        if (!QByteArray(m->className()).startsWith("kro::")) continue;
        for (int i = m->propertyOffset(); i < m->propertyCount(); ++i) {
            const QMetaProperty p = m->property(i);
            const QString name = QString::fromLatin1(p.name());
            // A property redeclared by a descendant is checked under the descendant's declaration.
            if (O->metaObject()->indexOfProperty(p.name()) != i) continue;
            if (!p.isWritable() || !p.isStored() || Skip.count(name)) continue;
            const QVariant before = O->property(p.name());
            const auto given = Values.find(name);
            const QVariant want = given != Values.end() ? given->second : OtherValue(p, before);
            if (!want.isValid()) {
                ADD_FAILURE() << name.toStdString() << ": no value to try for type " << p.typeName();
                continue;
            }
            EXPECT_FALSE(SameValue(p, want, before))
                << name.toStdString() << ": the value tried is the current one";
            EXPECT_TRUE(O->setProperty(p.name(), want)) << name.toStdString();
            const QVariant after = O->property(p.name());
            EXPECT_TRUE(SameValue(p, want, after))
                << name.toStdString() << ": wrote " << want.toString().toStdString() << ", read "
                << after.toString().toStdString();
            ++checked;
        }
    }
    return checked;
}

} // namespace kro::test
