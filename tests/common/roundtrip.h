#pragma once
// Checks that the published properties of a control survive a write through the meta-object:
// every writable, stored property declared by one of our classes takes a value other than the
// one it holds and reads it back unchanged.

#include <krogui/core/component.h>
#include <krogui/graphics/propertyfaces.h>

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QMetaProperty>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace kro::test {

namespace detail {

inline std::vector<QVariant> CandidatesFor(const QMetaProperty &P, const QVariant &Cur)
{
    std::vector<QVariant> out;
    if (P.isEnumType()) {
        // A value of the property's own enumeration type, as a form or Designer writes it.
        const QMetaEnum e = P.enumerator();
        for (int i = 0; i < e.keyCount(); ++i) {
            const int v = e.value(i);
            if (v != Cur.toInt()) out.emplace_back(P.metaType(), &v);
        }
        return out;
    }
    switch (P.metaType().id()) {
    case QMetaType::Bool:
        return {QVariant(!Cur.toBool())};
    case QMetaType::Int:
        for (int d : {1, -1, 5, -5, 20})
            out.emplace_back(Cur.toInt() + d);
        return out;
    case QMetaType::UInt:
        for (unsigned d : {0x10u, 0x2000u, 0x300000u})
            out.emplace_back(Cur.toUInt() ^ d);
        return out;
    case QMetaType::Double:
        for (double d : {1.5, -1.5, 7.0, 250.0})
            out.emplace_back(Cur.toDouble() + d);
        return out;
    case QMetaType::QString:
        for (const char *s : {"7", "Abc", "0"})
            if (Cur.toString() != QLatin1String(s)) out.emplace_back(QString::fromLatin1(s));
        return out;
    case QMetaType::QColor:
        for (const QColor &c : {QColor(10, 20, 30), QColor(200, 100, 50), ToStoredColor(clBtnFace)})
            if (Cur.value<QColor>() != c) out.emplace_back(c);
        return out;
    case QMetaType::QFont: {
        QFont f = Cur.value<QFont>();
        f.setPointSize(f.pointSize() > 0 ? f.pointSize() + 3 : 14);
        f.setBold(!f.bold());
        return {QVariant(f)};
    }
    default:
        return out;
    }
}

inline bool SameValue(const QVariant &A, const QVariant &B)
{
    if (A.metaType().id() == QMetaType::QFont) {
        const QFont a = A.value<QFont>(), b = B.value<QFont>();
        return a.family() == b.family() && a.pointSize() == b.pointSize() && a.bold() == b.bold() &&
               a.italic() == b.italic();
    }
    if (A.metaType().id() == QMetaType::QColor) return A.value<QColor>().rgba() == B.value<QColor>().rgba();
    if (A.metaType().flags().testFlag(QMetaType::IsEnumeration)) return A.toInt() == B.toInt();
    return A == B;
}

} // namespace detail

/// For every writable stored property of Make()'s object declared in a kro:: class: on a fresh
/// object (prepared by Make), writing a value other than the current one reads back the same
/// value (the first candidate the property takes counts; a property that takes none fails), and
/// writing back what it read leaves the value alone. Names in Skip are left out.
inline void ExpectPropertiesRoundTrip(const std::function<std::unique_ptr<QObject>()> &Make,
                                      const QStringList &Skip = {})
{
    const std::unique_ptr<QObject> probe = Make();
    const QMetaObject *mo = probe->metaObject();
    int checked = 0;
    for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (!QByteArray(p.enclosingMetaObject()->className()).startsWith("kro::")) continue;
        if (!p.isWritable() || !p.isStored() || Skip.contains(QLatin1String(p.name()))) continue;
        SCOPED_TRACE(std::string(mo->className()) + "::" + p.name());

        const std::unique_ptr<QObject> o = Make();
        const QVariant cur = p.read(o.get());
        ASSERT_TRUE(p.write(o.get(), cur)) << "writing back what was read";
        EXPECT_TRUE(detail::SameValue(p.read(o.get()), cur)) << "its own value changed it";

        const std::vector<QVariant> candidates = detail::CandidatesFor(p, cur);
        ASSERT_FALSE(candidates.empty()) << "no test value for type " << p.typeName();
        bool taken = false;
        for (const QVariant &v : candidates) {
            const std::unique_ptr<QObject> fresh = Make();
            if (!p.write(fresh.get(), v)) continue;
            if (detail::SameValue(p.read(fresh.get()), v)) {
                taken = true;
                break;
            }
        }
        EXPECT_TRUE(taken) << "no other value read back as written";
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

/// Loads Target, between BeginLoading and EndLoading, with the writable stored properties of our
/// classes as Source reports them, in the order of the meta-object (the order a form stores
/// them); every one must then read as in Source.
inline void ExpectLoadsAs(const QObject &Source, QObject &Target, const QStringList &Skip = {})
{
    const QMetaObject *mo = Source.metaObject();
    std::vector<QMetaProperty> props;
    for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (QByteArray(p.enclosingMetaObject()->className()).startsWith("kro::") && p.isWritable() &&
            p.isStored() && !Skip.contains(QLatin1String(p.name())))
            props.push_back(p);
    }
    auto *component = dynamic_cast<TComponentBase *>(&Target);
    ASSERT_TRUE(component);
    component->BeginLoading();
    for (const QMetaProperty &p : props)
        p.write(&Target, p.read(&Source));
    component->EndLoading();
    for (const QMetaProperty &p : props)
        EXPECT_TRUE(detail::SameValue(p.read(&Target), p.read(&Source)))
            << mo->className() << "::" << p.name() << " loaded as "
            << p.read(&Target).toString().toStdString() << ", stored "
            << p.read(&Source).toString().toStdString();
}

/// A stored form's load: Source (prepared by MakeSource) gets a value other than its own in every
/// writable stored property of our classes, one after the other; then a fresh Target is loaded
/// with what Source reports, in the order of the meta-object (the order a form stores them), between
/// BeginLoading and EndLoading. Every property must then read as in Source, whatever its place.
inline void ExpectStoredStateLoads(const std::function<std::unique_ptr<QObject>()> &MakeSource,
                                   const std::function<std::unique_ptr<QObject>()> &MakeTarget,
                                   const QStringList &Skip = {})
{
    const std::unique_ptr<QObject> source = MakeSource();
    const QMetaObject *mo = source->metaObject();
    std::vector<QMetaProperty> props;
    for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (QByteArray(p.enclosingMetaObject()->className()).startsWith("kro::") && p.isWritable() &&
            p.isStored() && !Skip.contains(QLatin1String(p.name())))
            props.push_back(p);
    }
    for (const QMetaProperty &p : props) {
        const QVariant cur = p.read(source.get());
        bool taken = false;
        for (const QVariant &v : detail::CandidatesFor(p, cur))
            if (p.write(source.get(), v) && detail::SameValue(p.read(source.get()), v)) {
                taken = true;
                break;
            }
        if (!taken) p.write(source.get(), cur);
    }
    const std::unique_ptr<QObject> target = MakeTarget();
    ExpectLoadsAs(*source, *target, Skip);
}

} // namespace kro::test
