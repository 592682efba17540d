#pragma once
// A check of a control's Qt face shared by the family tests: every published property written and
// read back through the meta-object, as a form loader does.

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMetaProperty>
#include <QPixmap>
#include <QStringList>
#include <QVariantMap>

namespace kro::test {

/// A value of the property's type unlike Current (an invalid QVariant for types it cannot make).
inline QVariant OtherPropertyValue(const QMetaProperty &P, const QVariant &Current)
{
    if (P.isEnumType()) {
        const QMetaEnum e = P.enumerator();
        const int cur = Current.toInt();
        if (P.isFlagType()) {
            for (int i = 0; i < e.keyCount(); ++i)
                if (e.value(i) != 0 && e.value(i) != cur) {
                    QVariant v = cur ^ e.value(i);
                    v.convert(P.metaType());
                    return v;
                }
            return {};
        }
        for (int i = 0; i < e.keyCount(); ++i)
            if (e.value(i) == cur) {
                QVariant v = e.value((i + 1) % e.keyCount());
                v.convert(P.metaType());
                return v;
            }
        return {};
    }
    switch (P.metaType().id()) {
    case QMetaType::Bool:
        return !Current.toBool();
    case QMetaType::Int:
        return Current.toInt() + 3;
    case QMetaType::UInt:
        return Current.toUInt() + 3;
    case QMetaType::Double:
        return Current.toDouble() + 0.25;
    case QMetaType::QString:
        return Current.toString() + QStringLiteral("x");
    case QMetaType::QColor: {
        const QColor a(18, 52, 86), b(86, 52, 18);
        return Current.value<QColor>() == a ? b : a;
    }
    case QMetaType::QFont: {
        QFont f = Current.value<QFont>();
        f.setBold(!f.bold());
        f.setItalic(!f.italic());
        f.setPointSize(f.pointSize() == 12 ? 9 : 12);
        return f;
    }
    case QMetaType::QPixmap: {
        QImage img(5, 4, QImage::Format_ARGB32);
        img.fill(QColor(1, 2, 3));
        return QPixmap::fromImage(img);
    }
    default:
        return {};
    }
}

/// Equality as a form sees it (pixmaps by their pixels, fonts by the stored attributes).
inline bool SamePropertyValue(const QVariant &A, const QVariant &B)
{
    if (A.metaType().id() == QMetaType::QPixmap && B.metaType().id() == QMetaType::QPixmap)
        return A.value<QPixmap>().toImage() == B.value<QPixmap>().toImage();
    if (A.metaType().id() == QMetaType::QFont && B.metaType().id() == QMetaType::QFont) {
        const QFont a = A.value<QFont>(), b = B.value<QFont>();
        return a.family() == b.family() && a.pointSize() == b.pointSize() && a.bold() == b.bold() &&
               a.italic() == b.italic() && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
    }
    return A == B;
}

/// The properties declared by the library's own classes (not by QObject or QWidget).
inline QList<QMetaProperty> OwnProperties(const QObject *O)
{
    QList<QMetaProperty> out;
    for (const QMetaObject *mo = O->metaObject(); mo; mo = mo->superClass()) {
        if (!QByteArray(mo->className()).startsWith("kro::")) continue;
        QList<QMetaProperty> own;
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
            own << mo->property(i);
        out = own + out;
    }
    return out;
}

/// For every writable stored property of O declared by the library, in declaration order (base
/// classes first): writing a value unlike the current one (or Overrides[name]) reads back the
/// same, and writing what READ returned keeps it. Names in Skip are left alone. No property may
/// be pointer-typed (a form cannot keep a pointer).
inline void ExpectPropertiesRoundTrip(QObject *O, const QVariantMap &Overrides = {},
                                      const QStringList &Skip = {})
{
    for (const QMetaProperty &p : OwnProperties(O)) {
        const QString name = QString::fromLatin1(p.name());
        EXPECT_FALSE(p.metaType().flags() & (QMetaType::PointerToQObject | QMetaType::IsPointer))
            << name.toStdString();
        if (!p.isWritable() || !p.isStored() || Skip.contains(name)) continue;
        const QVariant before = p.read(O);
        const QVariant value = Overrides.contains(name) ? Overrides[name] : OtherPropertyValue(p, before);
        if (!value.isValid()) {
            ADD_FAILURE() << "no test value for " << name.toStdString() << " of type " << p.typeName();
            continue;
        }
        EXPECT_FALSE(SamePropertyValue(before, value))
            << name.toStdString() << ": the test value is the current one";
        EXPECT_TRUE(p.write(O, value)) << name.toStdString();
        const QVariant after = p.read(O);
        EXPECT_TRUE(SamePropertyValue(after, value))
            << name.toStdString() << ": wrote " << value.toString().toStdString() << ", read "
            << after.toString().toStdString();
        EXPECT_TRUE(p.write(O, after));
        EXPECT_TRUE(SamePropertyValue(p.read(O), after)) << name.toStdString() << ": rewriting changed it";
    }
}

} // namespace kro::test
